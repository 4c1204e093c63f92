#include <ClassLib/Resources/Resources.h>

#include <gtest/gtest.h>

TEST(TavrinModule, RegisteredWhenLoaded)
{
    HINSTANCE hModule = AfxFindModule("Tavrin");
    ASSERT_NE(nullptr, hModule);
    EXPECT_STREQ("Tavrin", AfxGetModuleName(hModule));
    // Registering the name again gives the same module.
    EXPECT_EQ(hModule, AfxRegisterModule("Tavrin"));
}
