#include "keymodel/privilege_win.h"

#include <gtest/gtest.h>

namespace kivora {
namespace {

TEST(Privilege, ShutdownPrivilegeCanBeEnabledAndDisabledAgain) {
  EXPECT_TRUE(SetPrivilege(L"SeShutdownPrivilege", true));
  EXPECT_TRUE(SetPrivilege(L"SeShutdownPrivilege", false));
}

TEST(Privilege, AnUnknownPrivilegeFails) { EXPECT_FALSE(SetPrivilege(L"SeNoSuchPrivilege", true)); }

}  // namespace
}  // namespace kivora
