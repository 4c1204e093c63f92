#include <Tavrin/DateFunctions.h>

#include <gtest/gtest.h>

TEST(DateFunctions, LeapYears)
{
    EXPECT_FALSE(IsLeapYear(1900));
    EXPECT_TRUE(IsLeapYear(2000));
    EXPECT_TRUE(IsLeapYear(2004));
    EXPECT_FALSE(IsLeapYear(2003));
    EXPECT_FALSE(IsLeapYear(2100));
    EXPECT_TRUE(IsLeapYear(2400));
}

TEST(DateFunctions, DaysInMonth)
{
    const int lengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (int m = 1; m <= 12; ++m)
        EXPECT_EQ(lengths[m - 1], GetDaysInMonth(2003, m)) << "month " << m;
    EXPECT_EQ(29, GetDaysInMonth(2000, 2));
    EXPECT_EQ(28, GetDaysInMonth(1900, 2));
    EXPECT_EQ(0, GetDaysInMonth(2000, 0));
    EXPECT_EQ(0, GetDaysInMonth(2000, 13));
}

TEST(DateFunctions, DayOfWeekOfKnownDates)
{
    EXPECT_EQ(1, GetDayOfWeek(1, 1, 1));       // Monday
    EXPECT_EQ(6, GetDayOfWeek(1899, 12, 30));  // Saturday
    EXPECT_EQ(1, GetDayOfWeek(1900, 1, 1));    // Monday
    EXPECT_EQ(6, GetDayOfWeek(2000, 1, 1));    // Saturday
    EXPECT_EQ(2, GetDayOfWeek(2000, 2, 29));   // Tuesday
    EXPECT_EQ(6, GetDayOfWeek(2004, 5, 1));    // Saturday
    EXPECT_EQ(5, GetDayOfWeek(2024, 6, 7));    // Friday
    EXPECT_EQ(0, GetDayOfWeek(2024, 12, 29));  // Sunday
    EXPECT_EQ(5, GetDayOfWeek(9999, 12, 31));  // Friday
}

TEST(DateFunctions, InvalidDateHasNoWeekday)
{
    EXPECT_EQ(-1, GetDayOfWeek(2024, 0, 1));
    EXPECT_EQ(-1, GetDayOfWeek(2024, 13, 1));
    EXPECT_EQ(-1, GetDayOfWeek(2024, 65535, 65535));
    EXPECT_EQ(-1, GetDayOfWeek(2024, 2, 30));
    EXPECT_EQ(-1, GetDayOfWeek(2023, 2, 29));
    EXPECT_EQ(-1, GetDayOfWeek(2024, 1, 0));
    EXPECT_EQ(-1, GetDayOfWeek(0, 1, 1));
    EXPECT_EQ(-1, GetDayOfWeek(-5, 1, 1));
    EXPECT_FALSE(IsValidDate(2024, 4, 31));
    EXPECT_TRUE(IsValidDate(2024, 2, 29));
}

TEST(DateFunctions, YearEndForwardAndBack)
{
    int y = 2003, m = 12, d = 31;
    EXPECT_TRUE(NextDay(y, m, d));
    EXPECT_EQ(2004, y);
    EXPECT_EQ(1, m);
    EXPECT_EQ(1, d);
    EXPECT_TRUE(PrevDay(y, m, d));
    EXPECT_EQ(2003, y);
    EXPECT_EQ(12, m);
    EXPECT_EQ(31, d);
}

TEST(DateFunctions, MonthEnds)
{
    int y = 2000, m = 2, d = 28;
    NextDay(y, m, d);
    EXPECT_EQ(29, d);
    NextDay(y, m, d);
    EXPECT_EQ(3, m);
    EXPECT_EQ(1, d);
    PrevDay(y, m, d);
    EXPECT_EQ(2, m);
    EXPECT_EQ(29, d);

    y = 1900; m = 2; d = 28;
    NextDay(y, m, d);
    EXPECT_EQ(3, m);
    EXPECT_EQ(1, d);

    y = 2021; m = 4; d = 30;
    NextDay(y, m, d);
    EXPECT_EQ(5, m);
    EXPECT_EQ(1, d);
    PrevDay(y, m, d);
    EXPECT_EQ(4, m);
    EXPECT_EQ(30, d);
    y = 2021; m = 8; d = 1;
    PrevDay(y, m, d);
    EXPECT_EQ(7, m);
    EXPECT_EQ(31, d);
}

TEST(DateFunctions, SixteenBitTriples)
{
    WORD y = 1999, m = 12, d = 31;
    EXPECT_TRUE(NextDay(y, m, d));
    EXPECT_EQ(2000, y);
    EXPECT_EQ(1, m);
    EXPECT_EQ(1, d);
    EXPECT_TRUE(PrevDay(y, m, d));
    EXPECT_EQ(1999, y);
    EXPECT_EQ(12, m);
    EXPECT_EQ(31, d);

    // The year cannot pass the 16-bit range.
    y = 65535; m = 12; d = 31;
    EXPECT_FALSE(NextDay(y, m, d));
    EXPECT_EQ(65535, y);
    EXPECT_EQ(12, m);
    EXPECT_EQ(31, d);
}

TEST(DateFunctions, InvalidDateIsNotStepped)
{
    int y = 2024, m = 13, d = 1;
    EXPECT_FALSE(NextDay(y, m, d));
    EXPECT_EQ(2024, y);
    EXPECT_EQ(13, m);
    EXPECT_EQ(1, d);
    EXPECT_FALSE(PrevDay(y, m, d));
    EXPECT_EQ(13, m);

    WORD wy = 0xFFFF, wm = 0xFFFF, wd = 0xFFFF;
    EXPECT_FALSE(NextDay(wy, wm, wd));
    EXPECT_EQ(0xFFFF, wm);
    EXPECT_EQ(0xFFFF, wd);

    y = 2024; m = 2; d = 30;
    EXPECT_FALSE(NextDay(y, m, d));
    EXPECT_EQ(30, d);

    y = 1; m = 1; d = 1;
    EXPECT_FALSE(PrevDay(y, m, d));
    EXPECT_EQ(1, y);
    EXPECT_EQ(1, m);
    EXPECT_EQ(1, d);
}

TEST(DateFunctions, StepsAndWeekdayAgreeOverTwoCenturies)
{
    int y = 1899, m = 12, d = 30;
    int expected = GetDayOfWeek(y, m, d);
    int days = 0;
    while (y < 2101) {
        ASSERT_TRUE(NextDay(y, m, d));
        expected = (expected + 1) % 7;
        ASSERT_EQ(expected, GetDayOfWeek(y, m, d)) << y << "-" << m << "-" << d;
        ++days;
    }
    // 1899-12-30 to 2101-01-01
    EXPECT_EQ(73416, days);
    for (int i = 0; i < days; ++i)
        ASSERT_TRUE(PrevDay(y, m, d));
    EXPECT_EQ(1899, y);
    EXPECT_EQ(12, m);
    EXPECT_EQ(30, d);
}
