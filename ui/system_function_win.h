// Functions looked up by name in a system DLL: those newer than the oldest
// Windows we support, so the program still starts where they are missing, and
// those of a DLL loaded only when needed.
#pragma once

#include <windows.h>

#include <string>

namespace kivora {

// Null when the module or the function is missing. The cast goes through
// void (*)(), the type that stands for any function.
template <typename Function>
Function SystemFunction(HMODULE module, const char* name) {
  return module ? reinterpret_cast<Function>(
                      reinterpret_cast<void (*)()>(GetProcAddress(module, name)))
                : nullptr;
}

// From a DLL that every process of ours has loaded already.
template <typename Function>
Function SystemFunction(const wchar_t* loadedModule, const char* name) {
  return SystemFunction<Function>(GetModuleHandleW(loadedModule), name);
}

// A DLL of the system folder, loaded when first needed, so that the program
// imports none that Windows might look for beside it; never freed, as what we
// call may leave threads of its own running in it. The search flag
// comes with update KB2533623; Windows 7 and Vista without it refuse it with
// ERROR_INVALID_PARAMETER, and are given the DLL's full path instead.
inline HMODULE LoadSystemLibrary(const wchar_t* name) {
  if (const HMODULE module = LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) {
    return module;
  }
  if (GetLastError() != ERROR_INVALID_PARAMETER) return nullptr;
  std::wstring path(MAX_PATH, L'\0');
  const UINT length = GetSystemDirectoryW(path.data(), MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  path.resize(length);
  return LoadLibraryW((path + L'\\' + name).c_str());
}

}  // namespace kivora
