// The two written date forms read straight into a date value: the same value, bit for bit,
// and the same refusals as building the date from its parts.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "XmlWalk.h"

namespace {

// Compares the reader's value with COleDateTime(y, m, d, h, mi, s) for one text.
void ExpectSameAsParts(const std::string& text, int y, int m, int d, int h, int mi, int s)
{
    const COleDateTime expected(y, m, d, h, mi, s);
    COleDateTime dt;
    dt.m_dt = 12345.5; // left alone on refusal
    const BOOL bRead = XmlParseKnownDate(text.c_str(), dt);
    if (expected.GetStatus() != COleDateTime::valid) {
        EXPECT_FALSE(bRead) << text;
        EXPECT_EQ(dt.m_dt, 12345.5) << text;
        return;
    }
    ASSERT_TRUE(bRead) << text;
    EXPECT_EQ(dt.GetStatus(), COleDateTime::valid) << text;
    EXPECT_EQ(0, std::memcmp(&dt.m_dt, &expected.m_dt, sizeof(double)))
        << text << ": " << dt.m_dt << " instead of " << expected.m_dt;
}

TEST(XmlKnownDateTest, EveryDayOfEveryYearMatchesTheDateBuiltFromItsParts)
{
    // Every day of the years 100 to 9999 (before and after 30 December 1899, leap days and
    // the century years included), at a time that moves through the day.
    int n = 0;
    char text[64];
    for (int y = 100; y <= 9999; ++y) {
        for (int m = 1; m <= 12; ++m) {
            for (int d = 1; d <= 31; ++d, ++n) {
                const int h = n % 24, mi = (n * 7) % 60, s = (n * 13) % 60;
                std::snprintf(text, sizeof text, "%d-%d-%d %d:%d:%d", y, m, d, h, mi, s);
                ExpectSameAsParts(text, y, m, d, h, mi, s);
                if (HasFailure())
                    return;
            }
        }
    }
}

TEST(XmlKnownDateTest, TheChineseFormIsMidnightOfTheDay)
{
    ExpectSameAsParts("2004\xE5\xB9\xB4" "3\xE6\x9C\x88" "1\xE6\x97\xA5", 2004, 3, 1, 0, 0, 0);
    ExpectSameAsParts("1899\xE5\xB9\xB4" "12\xE6\x9C\x88" "29\xE6\x97\xA5", 1899, 12, 29, 0, 0, 0);
    ExpectSameAsParts("2000\xE5\xB9\xB4" "2\xE6\x9C\x88" "29\xE6\x97\xA5", 2000, 2, 29, 0, 0, 0);
    ExpectSameAsParts("1900\xE5\xB9\xB4" "2\xE6\x9C\x88" "29\xE6\x97\xA5", 1900, 2, 29, 0, 0, 0);
}

TEST(XmlKnownDateTest, TimesAroundTheEpochKeepTheirSign)
{
    ExpectSameAsParts("1899-12-30 0:0:0", 1899, 12, 30, 0, 0, 0);
    ExpectSameAsParts("1899-12-30 23:59:59", 1899, 12, 30, 23, 59, 59);
    ExpectSameAsParts("1899-12-29 6:0:0", 1899, 12, 29, 6, 0, 0);
    ExpectSameAsParts("1899-12-31 18:0:0", 1899, 12, 31, 18, 0, 0);
    ExpectSameAsParts("100-1-1 12:0:0", 100, 1, 1, 12, 0, 0);
    ExpectSameAsParts("9999-12-31 23:59:59", 9999, 12, 31, 23, 59, 59);
}

TEST(XmlKnownDateTest, OtherTextsAreLeftToTheGeneralReading)
{
    const char* const texts[] = {"",           "2004",          "2004-3",         "2004-3-1",
                                 "2004-3-1 8", "2004-3-1 8:0",  "2004-3-1 8:0:0 ", "99-3-1 8:0:0",
                                 "2004-0-1 8:0:0", "2004-3-0 8:0:0", "2004-4-31 8:0:0", "2004-3-1 24:0:0",
                                 "2004-3-1 8:60:0", "2004-3-1 8:0:60", "2001-2-29 0:0:0", "2004/3/1 8:0:0",
                                 "2004\xE5\xB9\xB4" "3\xE6\x9C\x88", "12004-3-1 8:0:0"};
    for (const char* text : texts) {
        COleDateTime dt;
        dt.m_dt = 7.25;
        EXPECT_FALSE(XmlParseKnownDate(text, dt)) << text;
        EXPECT_EQ(dt.m_dt, 7.25) << text;
    }
}

} // namespace
