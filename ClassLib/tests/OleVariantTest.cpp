// Currency texts and variant conversions: exact digits, refusals that leave the value as it
// was, rounding half to even, and the range of each integer type.
#include <gtest/gtest.h>

#include <ClassLib/Core/OleVariant.h>

TEST(OleCurrency, FormatsThePlainFormWithoutTrailingZeros)
{
    EXPECT_EQ(CString("12.5"), COleCurrency(12, 5000).Format(0, LANG_USER_DEFAULT));
    EXPECT_EQ(CString("100"), COleCurrency(100, 0).Format());
    EXPECT_EQ(CString("-0.0001"), COleCurrency(0, -1).Format());
    EXPECT_EQ(CString("1234.5678"), COleCurrency(1234, 5678).Format());
    CY big;
    big.int64 = INT64_MIN;
    EXPECT_EQ(CString("-922337203685477.5808"), COleCurrency(big).Format());
    COleCurrency none;
    none.SetStatus(COleCurrency::null);
    EXPECT_EQ(CString(), none.Format());
}

TEST(OleCurrency, ParsesAtMostFourDecimalsAndRefusesTheRest)
{
    COleCurrency cur;
    ASSERT_TRUE(cur.ParseCurrency(" -12.345 "));
    EXPECT_EQ(-123450, cur.m_cur.int64);
    EXPECT_FALSE(cur.ParseCurrency("12.34567"));
    EXPECT_EQ(COleCurrency::invalid, cur.GetStatus());
    EXPECT_FALSE(cur.ParseCurrency("12,5"));
    EXPECT_FALSE(cur.ParseCurrency("-"));
    EXPECT_FALSE(cur.ParseCurrency(""));
    ASSERT_TRUE(cur.ParseCurrency(".5"));
    EXPECT_EQ(5000, cur.m_cur.int64);
}

TEST(OleVariant, TextsBecomeNumbersOnlyWhenTheyAreWholeNumbersInRange)
{
    COleVariant v("36");
    ASSERT_TRUE(v.ChangeType(VT_I2));
    EXPECT_EQ(VT_I2, v.vt);
    EXPECT_EQ(36, v.iVal);
    for (const char* bad : {"70000", "forty", "3 OR 1=1", "", "0x10", "inf", "nan"}) {
        COleVariant t(bad);
        EXPECT_FALSE(t.ChangeType(VT_I2)) << bad;
        EXPECT_EQ(VT_BSTR, t.vt);
        EXPECT_EQ(CString(bad), t.strVal);
    }
    COleVariant byte("256");
    EXPECT_FALSE(byte.ChangeType(VT_UI1));
    COleVariant big("2147483648");
    EXPECT_FALSE(big.ChangeType(VT_I4));
    COleVariant neg("-2147483648");
    ASSERT_TRUE(neg.ChangeType(VT_I4));
    EXPECT_EQ(INT32_MIN, neg.lVal);
}

TEST(OleVariant, RealsRoundHalfToEven)
{
    COleVariant a(2.5), b(3.5), c(-2.5), d(2.6);
    ASSERT_TRUE(a.ChangeType(VT_I4));
    ASSERT_TRUE(b.ChangeType(VT_I4));
    ASSERT_TRUE(c.ChangeType(VT_I4));
    ASSERT_TRUE(d.ChangeType(VT_I4));
    EXPECT_EQ(2, a.lVal);
    EXPECT_EQ(4, b.lVal);
    EXPECT_EQ(-2, c.lVal);
    EXPECT_EQ(3, d.lVal);
}

TEST(OleVariant, BooleansDatesAndCurrencyFromAndToText)
{
    COleVariant t("TRUE"), f("false"), one("1"), odd("yes");
    ASSERT_TRUE(t.ChangeType(VT_BOOL));
    ASSERT_TRUE(f.ChangeType(VT_BOOL));
    ASSERT_TRUE(one.ChangeType(VT_BOOL));
    EXPECT_EQ(VARIANT_TRUE, t.boolVal);
    EXPECT_EQ(VARIANT_FALSE, f.boolVal);
    EXPECT_EQ(VARIANT_TRUE, one.boolVal);
    EXPECT_FALSE(odd.ChangeType(VT_BOOL));
    ASSERT_TRUE(t.ChangeType(VT_BSTR));
    EXPECT_EQ(CString("True"), t.strVal);

    COleVariant day("2027-01-04");
    ASSERT_TRUE(day.ChangeType(VT_DATE));
    EXPECT_EQ(CString("Monday, January 04, 2027"), COleDateTime(day.date).Format("%A, %B %d, %Y"));
    COleVariant notDay("Monday");
    EXPECT_FALSE(notDay.ChangeType(VT_DATE));

    COleVariant money("12.5");
    ASSERT_TRUE(money.ChangeType(VT_CY));
    EXPECT_EQ(125000, money.cyVal.int64);
    ASSERT_TRUE(money.ChangeType(VT_BSTR));
    EXPECT_EQ(CString("12.5"), money.strVal);

    COleVariant null;
    null.vt = VT_NULL;
    EXPECT_FALSE(null.ChangeType(VT_BSTR));
    EXPECT_EQ(VT_NULL, null.vt);
}

TEST(OleVariant, EqualityNeedsTheSameTypeAndValue)
{
    EXPECT_TRUE(COleVariant(static_cast<LONG>(3)) == COleVariant(static_cast<LONG>(3)));
    EXPECT_FALSE(COleVariant(static_cast<LONG>(3)) == COleVariant(static_cast<short>(3)));
    EXPECT_FALSE(COleVariant("a") == COleVariant("A"));
    EXPECT_TRUE(COleVariant(static_cast<short>(5), VT_BOOL) == COleVariant(static_cast<short>(1), VT_BOOL));
}
