// The number texts data exchange accepts and writes.
#include "../src/ui/DdxParse.h"

#include <gtest/gtest.h>

TEST(DdxParse, IntegersAreWholeTextsWithBlanksAround)
{
    long long v = 0;
    EXPECT_TRUE(pc::ParseInteger("  -42 ", v));
    EXPECT_EQ(v, -42);
    EXPECT_TRUE(pc::ParseInteger("+7", v));
    EXPECT_EQ(v, 7);
    EXPECT_FALSE(pc::ParseInteger("", v));
    EXPECT_FALSE(pc::ParseInteger("   ", v));
    EXPECT_FALSE(pc::ParseInteger("12a", v));
    EXPECT_FALSE(pc::ParseInteger("1 2", v));
    EXPECT_FALSE(pc::ParseInteger("-", v));
    EXPECT_FALSE(pc::ParseInteger("3.5", v));
    EXPECT_FALSE(pc::ParseInteger("99999999999999999999", v));
    // "5个工作日" is not a number.
    EXPECT_FALSE(pc::ParseInteger("5\xB8\xF6\xB9\xA4\xD7\xF7\xC8\xD5", v));
}

TEST(DdxParse, UnsignedRefusesMinus)
{
    unsigned long long v = 0;
    EXPECT_TRUE(pc::ParseUnsigned(" 100000000 ", v));
    EXPECT_EQ(v, 100000000u);
    EXPECT_FALSE(pc::ParseUnsigned("-1", v));
    EXPECT_FALSE(pc::ParseUnsigned("0x10", v));
}

TEST(DdxParse, RealsAreDecimalOnly)
{
    double d = 0;
    EXPECT_TRUE(pc::ParseReal(" 2.5e3 ", d));
    EXPECT_DOUBLE_EQ(d, 2500.0);
    EXPECT_TRUE(pc::ParseReal("-.5", d));
    EXPECT_DOUBLE_EQ(d, -0.5);
    EXPECT_FALSE(pc::ParseReal("inf", d));
    EXPECT_FALSE(pc::ParseReal("nan", d));
    EXPECT_FALSE(pc::ParseReal("0x1p3", d));
    EXPECT_FALSE(pc::ParseReal("1.5.2", d));
    EXPECT_FALSE(pc::ParseReal("1e999", d));
    EXPECT_EQ(pc::FormatReal(0.1, 15), "0.1");
    EXPECT_EQ(pc::FormatReal(1234567.0, 15), "1234567");
}
