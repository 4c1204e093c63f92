// The demo user's stored password is what the client's login sends for "demo".
#include <ProjectServer/ProjectServer.h>

#include "StringCipher.h"

#include <gtest/gtest.h>

TEST(ServerDemoData, TheDemoPasswordIsTheClientsCipherOfDemo)
{
    CString text = "demo";
    EncryptString(text, g_szLoginCipherKey);
    EXPECT_STREQ(projectserver::kDemoCipheredPassword, text);
    EXPECT_STREQ("demo", projectserver::kDemoUser);
}
