// Stands in for a DLL that someone put beside kivora.exe under a system DLL's
// name: once loaded, it leaves a file named "planted" beside itself and ends
// the program, which would otherwise crash calling the functions it lacks.
#include <windows.h>

#include <cwchar>

extern "C" BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
  if (reason != DLL_PROCESS_ATTACH) return TRUE;
  wchar_t path[MAX_PATH + 8];
  GetModuleFileNameW(self, path, MAX_PATH);
  wchar_t* const slash = std::wcsrchr(path, L'\\');
  if (slash) {
    std::wcscpy(slash + 1, L"planted");
    CloseHandle(CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  }
  TerminateProcess(GetCurrentProcess(), 3);
  return FALSE;
}
