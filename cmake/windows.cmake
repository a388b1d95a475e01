# Windows build (mingw-w64): the Windows layer, its tests run under Wine, and
# (from the program on) kivora.exe.
add_compile_definitions(UNICODE _UNICODE NOMINMAX WIN32_LEAN_AND_MEAN)

enable_language(RC)

add_library(kivora_win STATIC
  keymodel/registry_store_win.cpp
  keymodel/privilege_win.cpp
  savedsets/set_file_system_win.cpp
  ui/change_dialog_win.cpp
  ui/dialog_win.cpp
  ui/dpi_win.cpp
  ui/gdi_win.cpp
  ui/info_dialogs_win.cpp
  ui/investigation_win.cpp
  ui/key_buttons_win.cpp
  ui/main_window_win.cpp
  ui/message_box_win.cpp
  ui/set_dialogs_win.cpp
  ui/text_win.cpp
  ui/web_page_win.cpp
)
# uuid is a static library of interface and class ids: it adds no DLL.
target_link_libraries(kivora_win PUBLIC kivora_core advapi32 user32 gdi32 uuid)
target_compile_options(kivora_win PRIVATE ${KIVORA_WARNINGS})

# An administrator runs kivora.exe elevated: our code is built with stack
# protection (its handler is linked statically into whatever links our code),
# and the exe asks for ASLR with high-entropy addresses and DEP explicitly
# rather than trusting the linker's defaults. tests/pe/check-hardening checks it.
set(KIVORA_STACK_PROTECTION -fstack-protector-strong)
foreach(target IN ITEMS kivora_core kivora_win)
  target_compile_options(${target} PRIVATE ${KIVORA_STACK_PROTECTION})
  target_link_options(${target} INTERFACE ${KIVORA_STACK_PROTECTION})
endforeach()

# One commit gives one kivora.exe, byte for byte, wherever and whenever it is
# built (tests/pe/check-reproducible builds it twice to prove it): the linker
# writes no time stamp into the PE header (nor, therefore, a checksum that
# changes with it), and source and build paths, which __FILE__ would otherwise
# carry into the program, are written relative to their trees. Archives get
# zero dates and owners even from an ar that does not default to that.
set(KIVORA_PATH_MAPS -ffile-prefix-map=${CMAKE_SOURCE_DIR}/= -ffile-prefix-map=${CMAKE_BINARY_DIR}/=)
foreach(target IN ITEMS kivora_core kivora_win)
  target_compile_options(${target} PRIVATE ${KIVORA_PATH_MAPS})
endforeach()
set(CMAKE_CXX_ARCHIVE_CREATE "<CMAKE_AR> qcD <TARGET> <LINK_FLAGS> <OBJECTS>")
set(CMAKE_CXX_ARCHIVE_APPEND "<CMAKE_AR> qD <TARGET> <LINK_FLAGS> <OBJECTS>")
set(CMAKE_CXX_ARCHIVE_FINISH "<CMAKE_RANLIB> -D <TARGET>")

# Dialogs, menus, icon, version block and manifest, shared by the program and
# the in-process tests that drive its dialogs.
set(KIVORA_RESOURCES ${CMAKE_SOURCE_DIR}/resources/kivora.rc)
set_property(SOURCE ${KIVORA_RESOURCES} APPEND PROPERTY OBJECT_DEPENDS
  ${CMAKE_SOURCE_DIR}/resources/resource_ids.h
  ${CMAKE_SOURCE_DIR}/resources/version.h
  ${CMAKE_SOURCE_DIR}/resources/main_keys.rc
  ${CMAKE_SOURCE_DIR}/resources/kivora.manifest
  ${CMAKE_SOURCE_DIR}/resources/kivora.ico)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -I${CMAKE_SOURCE_DIR}/resources")

add_executable(kivora WIN32 ui/entry_win.cpp ${KIVORA_RESOURCES})
target_link_libraries(kivora PRIVATE kivora_win)
target_compile_options(kivora PRIVATE ${KIVORA_WARNINGS} ${KIVORA_STACK_PROTECTION} ${KIVORA_PATH_MAPS})
target_link_options(kivora PRIVATE -municode -mwindows -static -s
  -Wl,--dynamicbase,--high-entropy-va,--nxcompat,--no-insert-timestamp)

add_test(NAME pe.Hardening COMMAND ${CMAKE_SOURCE_DIR}/tests/pe/check-hardening
  $<TARGET_FILE:kivora>)
# Builds kivora.exe again in a copy of the sources and packs both into releases.
add_test(NAME pe.Reproducible COMMAND ${CMAKE_SOURCE_DIR}/tests/pe/check-reproducible
  $<TARGET_FILE:kivora> ${PROJECT_VERSION})
set_tests_properties(pe.Reproducible PROPERTIES TIMEOUT 900)

# `make dist`: the release zip, its BUILDINFO.txt and SHA256SUMS in dist/,
# named by the version that resources/version.h gives the project.
add_custom_target(dist COMMAND ${CMAKE_SOURCE_DIR}/scripts/dist $<TARGET_FILE:kivora>
  ${PROJECT_VERSION} ${CMAKE_SOURCE_DIR}/dist VERBATIM)
add_dependencies(dist kivora)

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
# the summary readable instead. The suites are read from the test sources, so a
# new suite cannot go unrun, and a test source with no suite stops the build.
function(kivora_test_suites out)
  set(suites)
  foreach(source IN LISTS ARGN)
    if(NOT source MATCHES "_(test|e2e)\\.cpp$")
      continue()  # the drivers and main programs the tests share
    endif()
    file(STRINGS ${source} lines REGEX "^TEST(_F|_P)?\\([A-Za-z0-9_]+,")
    if(NOT lines)
      message(FATAL_ERROR "${source} defines no test that ctest would run")
    endif()
    foreach(line IN LISTS lines)
      string(REGEX REPLACE "^TEST(_F|_P)?\\(([A-Za-z0-9_]+),.*" "\\2" suite "${line}")
      list(APPEND suites ${suite})
    endforeach()
  endforeach()
  list(REMOVE_DUPLICATES suites)
  set(${out} ${suites} PARENT_SCOPE)
endfunction()

# A parameterised suite runs as PREFIX/Suite.
set(KIVORA_SUITE_FILTER "--gtest_filter=SUITE.*:*/SUITE.*")

kivora_test_suites(KIVORA_WIN_SUITES ${KIVORA_WIN_TEST_SOURCES})
foreach(suite IN LISTS KIVORA_WIN_SUITES)
  string(REPLACE SUITE ${suite} filter ${KIVORA_SUITE_FILTER})
  add_test(NAME win.${suite} COMMAND kivora_win_tests ${filter})
endforeach()

# A DLL that leaves a file beside itself when loaded, which the journeys plant
# beside kivora.exe under a system DLL's name.
add_library(planted_dll SHARED tests/e2e/marker/planted_dll.cpp)
set_target_properties(planted_dll PROPERTIES PREFIX "")
target_compile_options(planted_dll PRIVATE ${KIVORA_WARNINGS})
target_link_options(planted_dll PRIVATE -static)

# End to end: a driver program started in a Wine virtual desktop, where it
# starts a copy of kivora.exe (beside it) and drives it from outside.
file(GLOB KIVORA_E2E_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e/*.cpp)
add_executable(kivora_e2e ${KIVORA_E2E_SOURCES})
target_link_libraries(kivora_e2e PRIVATE gtest advapi32 user32 gdi32)
target_include_directories(kivora_e2e PRIVATE ${CMAKE_SOURCE_DIR})
target_compile_options(kivora_e2e PRIVATE ${KIVORA_WARNINGS} -Wno-missing-field-initializers)
target_link_options(kivora_e2e PRIVATE -static)
add_dependencies(kivora_e2e kivora planted_dll)
kivora_test_suites(KIVORA_E2E_SUITES ${KIVORA_E2E_SOURCES})
foreach(suite IN LISTS KIVORA_E2E_SUITES)
  string(REPLACE SUITE ${suite} filter ${KIVORA_SUITE_FILTER})
  add_test(NAME e2e.${suite} COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine-desktop-run
    $<TARGET_FILE:kivora_e2e> ${filter})
  set_tests_properties(e2e.${suite} PROPERTIES TIMEOUT 600)
endforeach()

# The display scale at 125, 150 and 200 % (every suite above runs at 96 DPI):
# the label fonts in process and the frames from outside, each scale in a copy
# of the prefix of its own, since Wine reads the scale when its server starts.
foreach(dpi IN ITEMS 120 144 192)
  add_test(NAME dpi.${dpi} COMMAND ${CMAKE_SOURCE_DIR}/scripts/dpi-tests ${dpi}
    $<TARGET_FILE:kivora_win_tests> $<TARGET_FILE:kivora_e2e>)
  set_tests_properties(dpi.${dpi} PROPERTIES TIMEOUT 300)
endforeach()
