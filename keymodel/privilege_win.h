#pragma once

namespace kivora {

// Enables or disables one privilege in the process token. False when the token
// cannot be adjusted, including when the account does not hold the privilege.
bool SetPrivilege(const wchar_t* name, bool enable);

}  // namespace kivora
