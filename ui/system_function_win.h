// Functions looked up by name in a system DLL: those newer than the oldest
// Windows we support, so the program still starts where they are missing, and
// those of a DLL loaded only when needed.
#pragma once

#include <windows.h>

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

}  // namespace kivora
