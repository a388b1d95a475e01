# libFuzzer targets (clang), one per input the program does not control. Each
# target checks the invariants of what it built, not only that nothing crashed.
set(KIVORA_FUZZ_TARGETS scancode_map saved_set_file)
# Seconds each target fuzzes within `ctest`; `make fuzz` runs them longer.
set(KIVORA_FUZZ_TEST_SECONDS 5 CACHE STRING "Seconds per fuzz target in the test suite")

foreach(target IN LISTS KIVORA_FUZZ_TARGETS)
  add_executable(fuzz_${target} ${CMAKE_SOURCE_DIR}/tests/fuzz/${target}_fuzz.cpp)
  target_link_libraries(fuzz_${target} PRIVATE kivora_core)
  target_compile_options(fuzz_${target} PRIVATE ${KIVORA_WARNINGS})
  target_link_options(fuzz_${target} PRIVATE -fsanitize=fuzzer)

  set(seeds ${CMAKE_SOURCE_DIR}/tests/fuzz/corpus/${target})
  add_test(NAME fuzz.${target}.seeds
    COMMAND ${CMAKE_SOURCE_DIR}/scripts/fuzz-run $<TARGET_FILE:fuzz_${target}> ${seeds} --replay)
  add_test(NAME fuzz.${target}.run
    COMMAND ${CMAKE_SOURCE_DIR}/scripts/fuzz-run $<TARGET_FILE:fuzz_${target}> ${seeds}
      ${CMAKE_BINARY_DIR}/work/${target} ${KIVORA_FUZZ_TEST_SECONDS})
endforeach()
