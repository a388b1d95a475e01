# Native build: the core and its GoogleTest suite, from Debian's libgtest-dev,
# or (the fuzz preset) the core under libFuzzer.
option(KIVORA_FUZZ "Build the libFuzzer targets instead of the unit tests" OFF)
if(KIVORA_FUZZ)
  include(cmake/fuzz.cmake)
  return()
endif()

find_package(GTest REQUIRED)
include(GoogleTest)

file(GLOB KIVORA_UNIT_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/unit/*.cpp)
add_executable(kivora_unit_tests ${KIVORA_UNIT_TEST_SOURCES})
target_link_libraries(kivora_unit_tests PRIVATE kivora_core GTest::gtest GTest::gtest_main)
# Tests build records with designated initializers and leave the rest defaulted.
target_compile_options(kivora_unit_tests PRIVATE ${KIVORA_WARNINGS} -Wno-missing-field-initializers)
gtest_discover_tests(kivora_unit_tests DISCOVERY_TIMEOUT 30)

# The core's benchmark (`make bench`, Debian's libbenchmark-dev), never built by
# `make build` or `make test`; it is measured in the optimised bench preset.
find_package(benchmark QUIET)
if(benchmark_FOUND)
  add_executable(kivora_core_bench EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/bench/core_bench.cpp)
  target_link_libraries(kivora_core_bench PRIVATE kivora_core benchmark::benchmark)
  target_compile_options(kivora_core_bench PRIVATE ${KIVORA_WARNINGS} -Wno-missing-field-initializers)
endif()
