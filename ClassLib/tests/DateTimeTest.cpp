// Dates, spans, their text forms and the settable clock.
#include <ClassLib/Core/DateTime.h>

#include <gtest/gtest.h>

#include <cmath>

#include <string>

namespace {

// Code page 936 bytes of the unit characters 年 月 日.
#define GBK_YEAR "\xC4\xEA"
#define GBK_MONTH "\xD4\xC2"
#define GBK_DAY "\xC8\xD5"

std::string Text(const CString& s)
{
    return std::string(static_cast<LPCTSTR>(s));
}

COleDateTime Parsed(const char* text, DWORD flags = 0)
{
    COleDateTime dt;
    dt.ParseDateTime(text, flags);
    return dt;
}

TEST(OleDateTime, DefaultIsValidZero)
{
    COleDateTime dt;
    EXPECT_EQ(COleDateTime::valid, dt.GetStatus());
    EXPECT_EQ(0.0, dt.m_dt);
    EXPECT_EQ(1899, dt.GetYear());
    EXPECT_EQ(12, dt.GetMonth());
    EXPECT_EQ(30, dt.GetDay());
    EXPECT_EQ(7, dt.GetDayOfWeek());  // a Saturday
    EXPECT_EQ(0, static_cast<int>(COleDateTime::valid));
    EXPECT_EQ(1, static_cast<int>(COleDateTime::invalid));
    EXPECT_EQ(2, static_cast<int>(COleDateTime::null));
}

TEST(OleDateTime, KnownDayCounts)
{
    EXPECT_EQ(2.0, COleDateTime(1900, 1, 1, 0, 0, 0).m_dt);
    EXPECT_EQ(36526.0, COleDateTime(2000, 1, 1, 0, 0, 0).m_dt);
    EXPECT_EQ(36526.5, COleDateTime(2000, 1, 1, 12, 0, 0).m_dt);
    EXPECT_EQ(61.0, COleDateTime(1900, 3, 1, 0, 0, 0).m_dt);
}

TEST(OleDateTime, NineteenHundredIsNoLeapYear)
{
    COleDateTime feb28(1900, 2, 28, 0, 0, 0);
    COleDateTime next = feb28 + COleDateTimeSpan(1, 0, 0, 0);
    EXPECT_EQ(COleDateTime::valid, next.GetStatus());
    EXPECT_EQ(1900, next.GetYear());
    EXPECT_EQ(3, next.GetMonth());
    EXPECT_EQ(1, next.GetDay());
    COleDateTime feb29;
    EXPECT_EQ(1, feb29.SetDate(1900, 2, 29));
    EXPECT_EQ(COleDateTime::invalid, feb29.GetStatus());
    EXPECT_EQ(0, feb29.SetDate(2000, 2, 29));  // divisible by 400: a leap year
    EXPECT_EQ(1, feb29.SetDate(2100, 2, 29));
    EXPECT_EQ(0, feb29.SetDate(2004, 2, 29));
}

TEST(OleDateTime, PartsAndWeekdays)
{
    COleDateTime dt(2004, 5, 1, 13, 5, 9);
    EXPECT_EQ(2004, dt.GetYear());
    EXPECT_EQ(5, dt.GetMonth());
    EXPECT_EQ(1, dt.GetDay());
    EXPECT_EQ(13, dt.GetHour());
    EXPECT_EQ(5, dt.GetMinute());
    EXPECT_EQ(9, dt.GetSecond());
    EXPECT_EQ(7, dt.GetDayOfWeek());  // Saturday
    EXPECT_EQ(122, dt.GetDayOfYear());
    EXPECT_EQ(1, COleDateTime(1899, 12, 31, 0, 0, 0).GetDayOfWeek());  // Sunday
    EXPECT_EQ(5, COleDateTime(1776, 7, 4, 0, 0, 0).GetDayOfWeek());    // Thursday
    EXPECT_EQ(366, COleDateTime(2004, 12, 31, 0, 0, 0).GetDayOfYear());
}

TEST(OleDateTime, RangeOfYears)
{
    COleDateTime dt;
    EXPECT_EQ(0, dt.SetDate(100, 1, 1));
    EXPECT_EQ(100, dt.GetYear());
    EXPECT_EQ(1, dt.SetDate(99, 12, 31));
    EXPECT_EQ(COleDateTime::invalid, dt.GetStatus());
    EXPECT_EQ(1, dt.SetDate(10000, 1, 1));
    EXPECT_EQ(0, dt.SetDateTime(9999, 12, 31, 23, 59, 59));
    COleDateTime past = dt + COleDateTimeSpan(0, 0, 0, 1);
    EXPECT_EQ(COleDateTime::invalid, past.GetStatus());
    EXPECT_EQ(1, dt.SetDateTime(2004, 5, 1, 24, 0, 0));
    EXPECT_EQ(1, dt.SetDateTime(2004, 5, 1, 0, 60, 0));
    EXPECT_EQ(1, dt.SetDateTime(2004, 5, 1, 0, 0, 60));
    EXPECT_EQ(1, dt.SetDate(2004, 0, 1));
    EXPECT_EQ(1, dt.SetDate(2004, 4, 31));
    EXPECT_EQ(COleDateTime::invalid, COleDateTime(1e12).GetStatus());
    EXPECT_EQ(AFX_OLE_DATETIME_ERROR, COleDateTime(1e12).GetYear());
}

TEST(OleDateTime, SetTimeIsOnDayZero)
{
    COleDateTime dt;
    EXPECT_EQ(0, dt.SetTime(18, 0, 0));
    EXPECT_EQ(0.75, dt.m_dt);
    EXPECT_EQ(1899, dt.GetYear());
}

TEST(OleDateTime, NegativeDatesKeepTheirParts)
{
    COleDateTime morning(1899, 12, 29, 6, 0, 0);
    EXPECT_EQ(-1.25, morning.m_dt);
    COleDateTime fromValue(-1.25);
    EXPECT_EQ(1899, fromValue.GetYear());
    EXPECT_EQ(12, fromValue.GetMonth());
    EXPECT_EQ(29, fromValue.GetDay());
    EXPECT_EQ(6, fromValue.GetHour());
    EXPECT_EQ(0, fromValue.GetMinute());

    COleDateTime evening(1899, 12, 29, 18, 0, 0);
    EXPECT_EQ(-1.75, evening.m_dt);
    // As plain numbers -1.75 < -1.25, but the evening comes after the morning.
    EXPECT_TRUE(morning < evening);
    EXPECT_TRUE(evening > morning);
    EXPECT_TRUE(morning <= evening);
    EXPECT_FALSE(morning >= evening);
    EXPECT_TRUE(evening < COleDateTime(0.0));
    EXPECT_TRUE(COleDateTime(1899, 12, 28, 23, 0, 0) < morning);

    // Between -1 and 0 the value is on day zero, like its positive twin.
    COleDateTime quarter(-0.25);
    EXPECT_EQ(30, quarter.GetDay());
    EXPECT_EQ(6, quarter.GetHour());
    EXPECT_TRUE(quarter == COleDateTime(0.25));
}

TEST(OleDateTime, ArithmeticAcrossTheEpoch)
{
    COleDateTime morning(1899, 12, 29, 6, 0, 0);
    COleDateTime later = morning + COleDateTimeSpan(0.5);
    EXPECT_EQ(-1.75, later.m_dt);
    EXPECT_EQ(18, later.GetHour());
    EXPECT_EQ(29, later.GetDay());
    COleDateTime midnight = later + COleDateTimeSpan(0.25);
    EXPECT_EQ(0.0, midnight.m_dt);
    COleDateTime nextNoon = later + COleDateTimeSpan(0.75);
    EXPECT_EQ(0.5, nextNoon.m_dt);
    COleDateTime back = nextNoon - COleDateTimeSpan(1, 6, 0, 0);
    EXPECT_EQ(-1.25, back.m_dt);
    COleDateTimeSpan gap = nextNoon - morning;
    EXPECT_EQ(COleDateTimeSpan::valid, gap.GetStatus());
    EXPECT_DOUBLE_EQ(1.25, gap.m_span);
    EXPECT_EQ(1, gap.GetDays());
    EXPECT_EQ(6, gap.GetHours());
    COleDateTime dt(1899, 12, 28, 12, 0, 0);
    dt += COleDateTimeSpan(2.0);
    EXPECT_EQ(0.5, dt.m_dt);
    dt -= COleDateTimeSpan(2.0);
    EXPECT_EQ(-2.5, dt.m_dt);
}

TEST(OleDateTime, InvalidAndNullInArithmetic)
{
    COleDateTime bad;
    bad.SetStatus(COleDateTime::invalid);
    COleDateTime none;
    none.SetStatus(COleDateTime::null);
    COleDateTime good(2004, 5, 1, 0, 0, 0);
    COleDateTimeSpan day(1.0);
    COleDateTimeSpan badSpan(1.0);
    badSpan.SetStatus(COleDateTimeSpan::invalid);

    EXPECT_EQ(COleDateTime::invalid, (bad + day).GetStatus());
    EXPECT_EQ(COleDateTime::invalid, (bad - day).GetStatus());
    EXPECT_EQ(COleDateTime::invalid, (good + badSpan).GetStatus());
    EXPECT_EQ(COleDateTime::null, (none + day).GetStatus());
    EXPECT_EQ(COleDateTime::invalid, (none + badSpan).GetStatus());
    EXPECT_EQ(COleDateTimeSpan::invalid, (good - bad).GetStatus());
    EXPECT_EQ(COleDateTimeSpan::invalid, (bad - good).GetStatus());
    EXPECT_EQ(COleDateTimeSpan::null, (good - none).GetStatus());
    EXPECT_EQ(COleDateTimeSpan::valid, (good - good).GetStatus());
    COleDateTime acc = good;
    acc += badSpan;
    EXPECT_EQ(COleDateTime::invalid, acc.GetStatus());
    EXPECT_EQ(AFX_OLE_DATETIME_ERROR, bad.GetYear());
    EXPECT_EQ(AFX_OLE_DATETIME_ERROR, none.GetDayOfWeek());
    EXPECT_EQ(AFX_OLE_DATETIME_ERROR, none.GetSecond());
    EXPECT_FALSE(bad == good);
    EXPECT_TRUE(bad != good);
    SYSTEMTIME st{};
    EXPECT_FALSE(bad.GetAsSystemTime(st));
}

TEST(OleDateTime, EqualityNeedsSameStatus)
{
    COleDateTime a(2004, 5, 1, 0, 0, 0);
    COleDateTime b = a;
    EXPECT_TRUE(a == b);
    b.SetStatus(COleDateTime::null);
    EXPECT_FALSE(a == b);
    EXPECT_TRUE(COleDateTime(2004, 5, 1, 0, 0, 1) != a);
}

TEST(OleDateTimeFormat, Fields)
{
    COleDateTime dt(2004, 5, 1, 13, 5, 9);
    EXPECT_EQ("2004 04 05 01 13 01 05 09 PM", Text(dt.Format("%Y %y %m %d %H %I %M %S %p")));
    EXPECT_EQ("Saturday Sat May May 122 6", Text(dt.Format("%A %a %B %b %j %w")));
    EXPECT_EQ("2004-5-1 13:5:9", Text(dt.Format("%#Y-%#m-%#d %#H:%#M:%#S")));
    EXPECT_EQ("1 122", Text(dt.Format("%#I %#j")));
    EXPECT_EQ("05/01/04 13:05:09", Text(dt.Format("%c")));
    EXPECT_EQ("05/01/04|13:05:09", Text(dt.Format("%x|%X")));
    EXPECT_EQ("Saturday, May 1, 2004", Text(dt.Format("%#x")));
    EXPECT_EQ("Saturday, May 1, 2004, 13:05:09", Text(dt.Format("%#c")));
    EXPECT_EQ("100% done", Text(dt.Format("100%% done")));
    EXPECT_EQ("%Q and 50%", Text(dt.Format("%Q and 50%")));
    EXPECT_EQ("", Text(dt.Format("")));
    COleDateTime midnight(2004, 1, 4, 0, 0, 0);  // a Sunday
    EXPECT_EQ("12 AM 01 00", Text(midnight.Format("%I %p %U %W")));
    EXPECT_EQ("004", Text(midnight.Format("%j")));
}

TEST(OleDateTimeFormat, GbkBytesPassThrough)
{
    COleDateTime dt(2004, 3, 5, 0, 0, 0);
    EXPECT_EQ("2004" GBK_YEAR "3" GBK_MONTH "5" GBK_DAY,
              Text(dt.Format("%#Y" GBK_YEAR "%#m" GBK_MONTH "%#d" GBK_DAY)));
    // " %d年%d月" style headings keep the bytes around the numbers.
    EXPECT_EQ(" 2004" GBK_YEAR "03" GBK_MONTH, Text(dt.Format(" %Y" GBK_YEAR "%m" GBK_MONTH)));
}

TEST(OleDateTimeFormat, DefaultForms)
{
    COleDateTime dt(2004, 5, 1, 0, 0, 0);
    EXPECT_EQ("2004-5-1 0:00:00", Text(dt.Format()));
    EXPECT_EQ("2004-5-1 0:00:00", Text(dt.Format(static_cast<LPCTSTR>(nullptr))));
    EXPECT_EQ("2004-5-1", Text(dt.Format(VAR_DATEVALUEONLY)));
    COleDateTime later(2004, 12, 31, 23, 7, 8);
    EXPECT_EQ("2004-12-31 23:07:08", Text(later.Format(0, LANG_USER_DEFAULT)));
    EXPECT_EQ("23:07:08", Text(later.Format(VAR_TIMEVALUEONLY)));
    EXPECT_TRUE(Parsed(Text(later.Format()).c_str()) == later);
}

TEST(OleDateTimeFormat, InvalidAndNull)
{
    COleDateTime bad;
    bad.SetStatus(COleDateTime::invalid);
    COleDateTime none;
    none.SetStatus(COleDateTime::null);
    EXPECT_EQ("Invalid DateTime", Text(bad.Format()));
    EXPECT_EQ("Invalid DateTime", Text(bad.Format("%Y-%m-%d")));
    EXPECT_EQ("", Text(none.Format()));
    EXPECT_EQ("", Text(none.Format("%Y-%m-%d")));
}

TEST(OleDateTimeParse, RoundTripOfTheProjectForm)
{
    COleDateTime dt;
    ASSERT_TRUE(dt.ParseDateTime("2004-5-1 0:0:0"));
    EXPECT_EQ(COleDateTime::valid, dt.GetStatus());
    EXPECT_EQ("2004-5-1 0:0:0", Text(dt.Format("%#Y-%#m-%#d %#H:%#M:%#S")));
    ASSERT_TRUE(dt.ParseDateTime("2010-12-31 23:59:58"));
    EXPECT_EQ("2010-12-31 23:59:58", Text(dt.Format("%#Y-%#m-%#d %#H:%#M:%#S")));
}

TEST(OleDateTimeParse, RoundTripOfTheUnitForm)
{
    const char* text = "2004" GBK_YEAR "3" GBK_MONTH "5" GBK_DAY;
    COleDateTime dt;
    ASSERT_TRUE(dt.ParseDateTime(text));
    EXPECT_EQ(2004, dt.GetYear());
    EXPECT_EQ(3, dt.GetMonth());
    EXPECT_EQ(5, dt.GetDay());
    EXPECT_EQ(0, dt.GetHour());
    EXPECT_EQ(text, Text(dt.Format("%#Y" GBK_YEAR "%#m" GBK_MONTH "%#d" GBK_DAY)));

    ASSERT_TRUE(dt.ParseDateTime("2004" GBK_YEAR "12" GBK_MONTH "25" GBK_DAY " 13:45"));
    EXPECT_EQ(25, dt.GetDay());
    EXPECT_EQ(13, dt.GetHour());
    EXPECT_EQ(45, dt.GetMinute());
    EXPECT_FALSE(dt.ParseDateTime("2004" GBK_YEAR "2" GBK_MONTH "30" GBK_DAY));
    EXPECT_FALSE(dt.ParseDateTime("2004" GBK_YEAR "3" GBK_MONTH "5"));
}

TEST(OleDateTimeParse, AcceptedForms)
{
    COleDateTime dt = Parsed("2004-05-01");
    EXPECT_EQ(COleDateTime::valid, dt.GetStatus());
    EXPECT_TRUE(dt == COleDateTime(2004, 5, 1, 0, 0, 0));
    EXPECT_TRUE(Parsed("2004/5/1") == COleDateTime(2004, 5, 1, 0, 0, 0));
    EXPECT_TRUE(Parsed("2004-5-1 13:45") == COleDateTime(2004, 5, 1, 13, 45, 0));
    EXPECT_TRUE(Parsed("2004-05-01T13:45:10") == COleDateTime(2004, 5, 1, 13, 45, 10));
    EXPECT_TRUE(Parsed("  2004/5/1 7:08:09  ") == COleDateTime(2004, 5, 1, 7, 8, 9));
    COleDateTime timeOnly = Parsed("13:45:10");
    EXPECT_EQ(COleDateTime::valid, timeOnly.GetStatus());
    EXPECT_EQ(1899, timeOnly.GetYear());
    EXPECT_EQ(30, timeOnly.GetDay());
    EXPECT_DOUBLE_EQ((13 * 3600 + 45 * 60 + 10) / 86400.0, timeOnly.m_dt);
}

TEST(OleDateTimeParse, ValueOnlyFlags)
{
    COleDateTime dateOnly = Parsed("2004-5-1 13:45", VAR_DATEVALUEONLY);
    EXPECT_TRUE(dateOnly == COleDateTime(2004, 5, 1, 0, 0, 0));
    COleDateTime timeOnly = Parsed("2004-5-1 13:45", VAR_TIMEVALUEONLY);
    EXPECT_TRUE(timeOnly == COleDateTime(1899, 12, 30, 13, 45, 0));
    EXPECT_EQ(COleDateTime::invalid,
              Parsed("2004-5-1", VAR_TIMEVALUEONLY | VAR_DATEVALUEONLY).GetStatus());
}

TEST(OleDateTimeParse, RejectedTexts)
{
    const char* bad[] = {"2004-2-30",
                         "",
                         "   ",
                         "garbage",
                         "2004-5-1 junk",
                         "2004-5-1x",
                         "2004-5-1 13:45x",
                         "2004-13-1",
                         "25:00",
                         "12:60",
                         "2004-5-1T",
                         "2004/5-1",
                         "2004-5",
                         "99-5-1",
                         "2004-5-1 13",
                         "2004-5-1 13:45:10:11",
                         "12004-5-1",
                         "2004-005-1",
                         "-2004-5-1",
                         "2004-5-1T13:45 extra"};
    for (const char* text : bad) {
        COleDateTime dt(2004, 5, 1, 0, 0, 0);
        EXPECT_FALSE(dt.ParseDateTime(text)) << text;
        EXPECT_EQ(COleDateTime::invalid, dt.GetStatus()) << text;
        EXPECT_EQ("Invalid DateTime", Text(dt.Format())) << text;
    }
    COleDateTime dt;
    EXPECT_FALSE(dt.ParseDateTime(nullptr));
    EXPECT_EQ(COleDateTime::invalid, dt.GetStatus());
}

TEST(OleDateTimeSpan, PartsTruncateTowardZero)
{
    COleDateTimeSpan neg(-1.5);
    EXPECT_EQ(-1, neg.GetDays());
    EXPECT_EQ(-12, neg.GetHours());
    EXPECT_EQ(0, neg.GetMinutes());
    COleDateTimeSpan small(-0.75);
    EXPECT_EQ(0, small.GetDays());
    EXPECT_EQ(-18, small.GetHours());
    COleDateTimeSpan pos(1, 2, 3, 4);
    EXPECT_EQ(1, pos.GetDays());
    EXPECT_EQ(2, pos.GetHours());
    EXPECT_EQ(3, pos.GetMinutes());
    EXPECT_EQ(4, pos.GetSeconds());
    EXPECT_DOUBLE_EQ(26.0 + 3.0 / 60 + 4.0 / 3600, pos.GetTotalHours());
    EXPECT_EQ(93784.0, pos.GetTotalSeconds());
    EXPECT_DOUBLE_EQ(1563.0 + 4.0 / 60, pos.GetTotalMinutes());
}

TEST(OleDateTimeSpan, WholeDaysBetweenTimesOfDay)
{
    // Differences of values with the same time of day count whole days, whatever the rounding
    // of the fractions.
    for (int day = 1; day < 28; ++day) {
        COleDateTime a(2004, 5, day, 10, 17, 33);
        COleDateTime b(2004, 6, day, 10, 17, 33);
        EXPECT_EQ(31, (b - a).GetDays()) << day;
        EXPECT_EQ(-31, (a - b).GetDays()) << day;
        EXPECT_EQ(0, (b - a).GetSeconds()) << day;
    }
}

// A value that is no number (a damaged file's) has no order with any date, itself included;
// a difference across 30 December 1899 counts on the time line.
TEST(OleDateTime, NoNumberHasNoOrderAndDifferencesCrossTheEpoch)
{
    COleDateTime nan(std::nan(""));
    const COleDateTime day(2004, 5, 1, 0, 0, 0);
    for (const COleDateTime& other : {day, nan, COleDateTime(1899, 12, 29, 6, 0, 0)}) {
        EXPECT_FALSE(nan < other);
        EXPECT_FALSE(nan > other);
        EXPECT_FALSE(nan <= other);
        EXPECT_FALSE(nan >= other);
        EXPECT_FALSE(other < nan);
        EXPECT_FALSE(other >= nan);
        EXPECT_FALSE(nan == other);
        EXPECT_TRUE(nan != other);
    }
    EXPECT_EQ(0, (nan - day).GetDays());
    // From 29 December 1899 06:00 to 31 December 1899 06:00: two days.
    const COleDateTime before(1899, 12, 29, 6, 0, 0), after(1899, 12, 31, 6, 0, 0);
    EXPECT_EQ(2, (after - before).GetDays());
    EXPECT_EQ(-2, (before - after).GetDays());
    EXPECT_EQ(0, (after - before).GetHours());
    EXPECT_TRUE(before <= after && after >= before && !(after <= before));
}

TEST(OleDateTimeSpan, StatusArithmeticAndFormat)
{
    COleDateTimeSpan a(1.5);
    COleDateTimeSpan b(0.25);
    EXPECT_DOUBLE_EQ(1.75, (a + b).m_span);
    EXPECT_DOUBLE_EQ(1.25, (a - b).m_span);
    EXPECT_DOUBLE_EQ(-1.5, (-a).m_span);
    EXPECT_TRUE(b < a);
    EXPECT_TRUE(a == COleDateTimeSpan(1, 12, 0, 0));
    COleDateTimeSpan bad(1.0);
    bad.SetStatus(COleDateTimeSpan::invalid);
    EXPECT_EQ(COleDateTimeSpan::invalid, (a + bad).GetStatus());
    EXPECT_EQ(COleDateTimeSpan::invalid, (bad - a).GetStatus());
    COleDateTimeSpan none;
    none.SetStatus(COleDateTimeSpan::null);
    EXPECT_EQ(COleDateTimeSpan::null, (a + none).GetStatus());
    a += b;
    EXPECT_DOUBLE_EQ(1.75, a.m_span);
    a -= bad;
    EXPECT_EQ(COleDateTimeSpan::invalid, a.GetStatus());

    COleDateTimeSpan span(3, 4, 5, 6);
    EXPECT_EQ("3 days 04:05:06", Text(span.Format("%D days %H:%M:%S")));
    EXPECT_EQ("4:5:6 100%", Text(span.Format("%#H:%#M:%#S 100%%")));
    EXPECT_EQ("-1 -12:00:00", Text(COleDateTimeSpan(-1.5).Format("%D %H:%M:%S")));
    EXPECT_EQ("Invalid DateTimeSpan", Text(bad.Format("%D")));
    EXPECT_EQ("", Text(none.Format("%D")));
    EXPECT_EQ(COleDateTimeSpan::invalid, COleDateTimeSpan(0.0 / 0.0).GetStatus());
}

TEST(OleDateTime, SystemTimeRoundTrip)
{
    SYSTEMTIME st{};
    st.wYear = 2004;
    st.wMonth = 5;
    st.wDay = 1;
    st.wHour = 13;
    st.wMinute = 5;
    st.wSecond = 9;
    COleDateTime dt(st);
    EXPECT_TRUE(dt == COleDateTime(2004, 5, 1, 13, 5, 9));
    SYSTEMTIME back{};
    ASSERT_TRUE(dt.GetAsSystemTime(back));
    EXPECT_EQ(2004, back.wYear);
    EXPECT_EQ(6, back.wDayOfWeek);  // Saturday, counted from Sunday = 0
    EXPECT_EQ(9, back.wSecond);
    st.wMonth = 13;
    EXPECT_EQ(COleDateTime::invalid, COleDateTime(st).GetStatus());
}

TEST(OleDateTime, FromTimeT)
{
    CTime local(2004, 5, 1, 13, 5, 9);
    COleDateTime dt(local.GetTime());
    EXPECT_EQ(COleDateTime::valid, dt.GetStatus());
    EXPECT_TRUE(dt == COleDateTime(2004, 5, 1, 13, 5, 9));
}

TEST(Clock, FixedCurrentTime)
{
    COleDateTime fixed(2004, 5, 1, 8, 30, 0);
    AfxTestSetCurrentTime(&fixed);
    EXPECT_TRUE(COleDateTime::GetCurrentTime() == fixed);
    SYSTEMTIME st{};
    GetLocalTime(&st);
    EXPECT_EQ(2004, st.wYear);
    EXPECT_EQ(5, st.wMonth);
    EXPECT_EQ(8, st.wHour);
    EXPECT_EQ(30, st.wMinute);
    EXPECT_EQ(6, st.wDayOfWeek);
    CTime now = CTime::GetCurrentTime();
    EXPECT_EQ(2004, now.GetYear());
    EXPECT_EQ(8, now.GetHour());
    AfxTestSetCurrentTime(nullptr);
    EXPECT_GE(COleDateTime::GetCurrentTime().GetYear(), 2024);
    EXPECT_GE(CTime::GetCurrentTime().GetYear(), 2024);
}

TEST(Clock, FixedTickCount)
{
    DWORD ticks = 0xFFFFFF00u;
    AfxTestSetTickCount(&ticks);
    EXPECT_EQ(0xFFFFFF00u, GetTickCount());
    AfxTestAdvanceTickCount(0x200);
    EXPECT_EQ(0x100u, GetTickCount());  // wraps like the 32-bit counter
    AfxTestSetTickCount(nullptr);
    AfxTestAdvanceTickCount(5);  // no effect on the real counter
    const DWORD a = GetTickCount();
    const DWORD b = GetTickCount();
    EXPECT_LE(b - a, 10000u);
}

TEST(Time, PartsFormatAndSpans)
{
    CTime t(2004, 5, 1, 13, 5, 9);
    EXPECT_EQ(2004, t.GetYear());
    EXPECT_EQ(5, t.GetMonth());
    EXPECT_EQ(1, t.GetDay());
    EXPECT_EQ(13, t.GetHour());
    EXPECT_EQ(5, t.GetMinute());
    EXPECT_EQ(9, t.GetSecond());
    EXPECT_EQ(7, t.GetDayOfWeek());
    EXPECT_EQ("2004-5-1 13:05:09", Text(t.Format("%#Y-%#m-%#d %H:%M:%S")));
    CTime u(2004, 5, 3, 14, 6, 10);
    CTimeSpan d = u - t;
    EXPECT_EQ(2 * 86400 + 3600 + 61, d.GetTotalSeconds());
    EXPECT_EQ(2, d.GetDays());
    EXPECT_EQ(1, d.GetHours());
    EXPECT_EQ(1, d.GetMinutes());
    EXPECT_EQ(1, d.GetSeconds());
    EXPECT_EQ(49, d.GetTotalHours());
    EXPECT_EQ("2 01:01:01", Text(d.Format("%D %H:%M:%S")));
    EXPECT_TRUE(t + d == u);
    EXPECT_TRUE(u - d == t);
    EXPECT_TRUE(t < u);
    CTimeSpan neg(-90000);
    EXPECT_EQ(-1, neg.GetDays());
    EXPECT_EQ(-1, neg.GetHours());
    EXPECT_EQ(93784, CTimeSpan(1, 2, 3, 4).GetTotalSeconds());
    EXPECT_EQ("1970-01-01 00:00:00", Text(CTime(0).FormatGmt("%Y-%m-%d %H:%M:%S")));
}

}  // namespace
