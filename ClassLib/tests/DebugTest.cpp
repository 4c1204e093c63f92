// Diagnostics macros in this build's configuration.
#include <ClassLib/Afx.h>

#include <gtest/gtest.h>

#include <string>

namespace {

int g_failures = 0;
std::string g_expression;

void CountFailure(const char*, int, const char* expression)
{
    ++g_failures;
    g_expression = expression ? expression : "";
}

struct Checked
{
    mutable int checks = 0;
    void AssertValid() const { ++checks; }
};

TEST(DebugTest, VerifyAlwaysEvaluates)
{
    int n = 0;
    VERIFY(++n == 1);
    EXPECT_EQ(n, 1);
}

TEST(DebugTest, AssertReportsOnlyInDebugBuilds)
{
    g_failures = 0;
    AfxAssertHandler previous = AfxSetAssertHandler(&CountFailure);
    int n = 0;
    ASSERT(++n == 5);
    Checked c;
    ASSERT_VALID(&c);
    TRACE("trace %d\n", n);
    TRACE0("trace\n");
#ifdef _DEBUG
    EXPECT_EQ(n, 1);
    EXPECT_EQ(g_failures, 1);
    EXPECT_EQ(g_expression, "++n == 5");
    EXPECT_EQ(c.checks, 1);
#else
    EXPECT_EQ(n, 0);
    EXPECT_EQ(g_failures, 0);
    EXPECT_EQ(c.checks, 0);
#endif
    AfxAssertFailedLine("f.cpp", 3, "x");
    EXPECT_EQ(g_expression, "x");
    AfxSetAssertHandler(previous);
}

TEST(DebugTest, ValidityChecksRejectNull)
{
    EXPECT_FALSE(AfxIsValidAddress(nullptr, 4));
    EXPECT_TRUE(AfxIsValidAddress(&g_failures, sizeof g_failures));
    EXPECT_FALSE(AfxIsValidString(static_cast<const char*>(nullptr)));
    EXPECT_TRUE(AfxIsValidString("x"));
}

}  // namespace
