# Windows build (mingw-w64): the Windows layer, its tests run under Wine, and
# (from the program on) kivora.exe.
add_compile_definitions(UNICODE _UNICODE NOMINMAX WIN32_LEAN_AND_MEAN)

add_library(kivora_win STATIC
  keymodel/registry_store_win.cpp
  keymodel/privilege_win.cpp
  savedsets/set_file_system_win.cpp
  ui/text_win.cpp
)
target_link_libraries(kivora_win PUBLIC kivora_core advapi32)
target_compile_options(kivora_win PRIVATE ${KIVORA_WARNINGS})

# GoogleTest from Debian's source package, built with the posix-thread cross
# compiler (gtest needs std::mutex).
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

file(GLOB KIVORA_WIN_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win/*.cpp)
add_executable(kivora_win_tests ${KIVORA_WIN_TEST_SOURCES})
target_link_libraries(kivora_win_tests PRIVATE kivora_win gtest gtest_main)
target_compile_options(kivora_win_tests PRIVATE ${KIVORA_WARNINGS} -Wno-missing-field-initializers)
target_link_options(kivora_win_tests PRIVATE -static)

# Test discovery would need Wine at build time; one ctest entry per suite keeps
# the summary readable instead.
foreach(suite IN ITEMS LabelEncoding RegistryStores SetFileOnDisk Privilege)
  add_test(NAME win.${suite} COMMAND kivora_win_tests --gtest_filter=${suite}.*)
endforeach()
