#include "keymodel/privilege_win.h"

#include <windows.h>

#include "keymodel/handles_win.h"

namespace kivora {

bool SetPrivilege(const wchar_t* name, bool enable) {
  HANDLE raw = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &raw)) {
    return false;
  }
  const KernelHandle token(raw);
  TOKEN_PRIVILEGES privileges{};
  privileges.PrivilegeCount = 1;
  if (!LookupPrivilegeValueW(nullptr, name, &privileges.Privileges[0].Luid)) return false;
  privileges.Privileges[0].Attributes = enable ? SE_PRIVILEGE_ENABLED : 0;
  // AdjustTokenPrivileges succeeds even when it assigned nothing; only the last
  // error tells ERROR_NOT_ALL_ASSIGNED apart.
  AdjustTokenPrivileges(token.get(), FALSE, &privileges, 0, nullptr, nullptr);
  return GetLastError() == ERROR_SUCCESS;
}

}  // namespace kivora
