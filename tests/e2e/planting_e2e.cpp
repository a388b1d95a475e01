// An administrator runs Kivora elevated, often from a folder that others can
// write to, such as the downloads. A DLL there named like one that Windows
// loads later, uxtheme.dll, must not be loaded. Wine is told to prefer such a
// DLL from the program's folder, as Windows does for any name that is not one
// of its KnownDLLs; it takes that from its registry, since it does not pass a
// WINEDLLOVERRIDES set here on to the program.
#include <gtest/gtest.h>

#include "tests/e2e/kivora_driver.h"

namespace kivora::e2e {
namespace {

TEST(PlantingE2e, ADllBesideTheProgramIsNotLoaded) {
  namespace fs = std::filesystem;
  const fs::path folder = fs::temp_directory_path() / "kivora-planting";
  fs::remove_all(folder);
  fs::create_directories(folder);
  fs::copy_file(DriverDirectory() / "kivora.exe", folder / "kivora.exe");
  fs::copy_file(DriverDirectory() / "planted_dll.dll", folder / "uxtheme.dll");

  const wchar_t kAppDefaults[] = L"Software\\Wine\\AppDefaults\\kivora.exe";
  const std::wstring nativeFirst = L"native,builtin";
  ASSERT_EQ(
      RegSetKeyValueW(HKEY_CURRENT_USER, (std::wstring(kAppDefaults) + L"\\DllOverrides").c_str(),
                      L"uxtheme", REG_SZ, nativeFirst.c_str(),
                      static_cast<DWORD>((nativeFirst.size() + 1) * sizeof(wchar_t))),
      ERROR_SUCCESS);
  {
    Kivora kivora(folder / "kivora.exe");
    EXPECT_TRUE(kivora.Main());
    PostMessageW(kivora.Main(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(kivora.HasExited(5000));
    EXPECT_EQ(kivora.ExitCode(), 0u);
  }
  RegDeleteTreeW(HKEY_CURRENT_USER, kAppDefaults);
  EXPECT_FALSE(fs::exists(folder / "planted"));
  fs::remove_all(folder);
}

}  // namespace
}  // namespace kivora::e2e
