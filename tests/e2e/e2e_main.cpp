#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>

// Under a Wine virtual desktop the exit code is lost; the wrapper script reads
// it from the last line instead.
int main(int argc, char** argv) {
  // kivora.exe is DPI aware: a driver that is not would see its windows'
  // rectangles scaled to 96 DPI while GetPixel reads the real pixels.
  SetProcessDPIAware();
  ::testing::InitGoogleTest(&argc, argv);
  const int code = RUN_ALL_TESTS();
  std::printf("exit code: %d\n", code);
  std::fflush(stdout);
  return code;
}
