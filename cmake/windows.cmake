# Windows build (mingw-w64): the Windows layer, its tests run under Wine, and
# (from the program on) kivora.exe.
add_compile_definitions(UNICODE _UNICODE NOMINMAX WIN32_LEAN_AND_MEAN)

enable_language(RC)

add_library(kivora_win STATIC
  keymodel/registry_store_win.cpp
  keymodel/privilege_win.cpp
  savedsets/set_dialogs_win.cpp
  savedsets/set_file_system_win.cpp
  ui/change_dialog_win.cpp
  ui/gdi_win.cpp
  ui/info_dialogs_win.cpp
  ui/investigation_win.cpp
  ui/key_buttons_win.cpp
  ui/main_window_win.cpp
  ui/message_box_win.cpp
  ui/text_win.cpp
)
target_link_libraries(kivora_win PUBLIC kivora_core advapi32 user32 gdi32 shell32)
target_compile_options(kivora_win PRIVATE ${KIVORA_WARNINGS})

# Dialogs, menus, icon, version block and manifest, shared by the program and
# the in-process tests that drive its dialogs.
set(KIVORA_RESOURCES ${CMAKE_SOURCE_DIR}/resources/kivora.rc)
set_property(SOURCE ${KIVORA_RESOURCES} APPEND PROPERTY OBJECT_DEPENDS
  ${CMAKE_SOURCE_DIR}/resources/resource_ids.h
  ${CMAKE_SOURCE_DIR}/resources/kivora.manifest
  ${CMAKE_SOURCE_DIR}/resources/kivora.ico)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -I${CMAKE_SOURCE_DIR}/resources")

add_executable(kivora WIN32 ui/entry_win.cpp ${KIVORA_RESOURCES})
target_link_libraries(kivora PRIVATE kivora_win)
target_compile_options(kivora PRIVATE ${KIVORA_WARNINGS})
target_link_options(kivora PRIVATE -municode -mwindows -static -s)

# Benchmarks (`make bench`), never built by `make build` or `make test`: the
# floor dialog, built exactly as kivora.exe is, the start-up timing driver,
# which runs beside both in a Wine desktop, and the in-process relabel timing.
add_executable(minimal_dialog WIN32 EXCLUDE_FROM_ALL bench/minimal_dialog.cpp
  bench/minimal_dialog.rc)
target_compile_options(minimal_dialog PRIVATE ${KIVORA_WARNINGS})
target_link_options(minimal_dialog PRIVATE -municode -mwindows -static -s)

add_executable(kivora_startup_bench EXCLUDE_FROM_ALL bench/startup_bench.cpp)
target_include_directories(kivora_startup_bench PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(kivora_startup_bench PRIVATE user32)
target_compile_options(kivora_startup_bench PRIVATE ${KIVORA_WARNINGS})
target_link_options(kivora_startup_bench PRIVATE -static)
add_dependencies(kivora_startup_bench kivora minimal_dialog)

add_executable(kivora_relabel_bench EXCLUDE_FROM_ALL bench/relabel_bench.cpp ${KIVORA_RESOURCES})
target_link_libraries(kivora_relabel_bench PRIVATE kivora_win)
target_compile_options(kivora_relabel_bench PRIVATE ${KIVORA_WARNINGS} -Wno-missing-field-initializers)
target_link_options(kivora_relabel_bench PRIVATE -static)

# The Windows-side tests need GoogleTest's sources (Debian's googletest
# package); a plain Windows build without them makes kivora.exe alone.
set(KIVORA_GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest source tree")
if(NOT EXISTS ${KIVORA_GTEST_SOURCE_DIR}/CMakeLists.txt)
  message(STATUS "No GoogleTest sources at ${KIVORA_GTEST_SOURCE_DIR}: building kivora.exe only")
  return()
endif()

# GoogleTest from Debian's source package, built with the posix-thread cross
# compiler (gtest needs std::mutex).
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(${KIVORA_GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

file(GLOB KIVORA_WIN_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win/*.cpp)
add_executable(kivora_win_tests ${KIVORA_WIN_TEST_SOURCES} ${KIVORA_RESOURCES})
target_link_libraries(kivora_win_tests PRIVATE kivora_win gtest gtest_main)
target_compile_options(kivora_win_tests PRIVATE ${KIVORA_WARNINGS} -Wno-missing-field-initializers)
target_link_options(kivora_win_tests PRIVATE -static)

# Test discovery would need Wine at build time; one ctest entry per suite keeps
# the summary readable instead.
foreach(suite IN ITEMS RegistryStores SetFileOnDisk CodePage932 KeyButtonFonts MainWindow Soak)
  add_test(NAME win.${suite} COMMAND kivora_win_tests --gtest_filter=${suite}.*)
endforeach()

# End to end: a driver program started in a Wine virtual desktop, where it
# starts kivora.exe (beside it) and drives it from outside.
file(GLOB KIVORA_E2E_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e/*.cpp)
add_executable(kivora_e2e ${KIVORA_E2E_SOURCES})
target_link_libraries(kivora_e2e PRIVATE gtest advapi32 user32 gdi32)
target_include_directories(kivora_e2e PRIVATE ${CMAKE_SOURCE_DIR})
target_compile_options(kivora_e2e PRIVATE ${KIVORA_WARNINGS} -Wno-missing-field-initializers)
target_link_options(kivora_e2e PRIVATE -static)
add_dependencies(kivora_e2e kivora)
add_test(NAME e2e.Journeys COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine-desktop-run
  $<TARGET_FILE:kivora_e2e>)
set_tests_properties(e2e.Journeys PROPERTIES TIMEOUT 600)
