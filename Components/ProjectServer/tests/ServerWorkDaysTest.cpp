// The server's working days for the demo schedule agree with the client's: the demo calendar
// read back by the client's calendar reader, and the task library's calculator over it.
#include "ServerDemo.h"
#include "ServerTestSupport.h"

#include "ProjectDoc.h"

#include <Tavrin/CalendarCal.h>

namespace {

using namespace projectserver;

COleDateTime DateOf(long n)
{
    int y, m, d;
    CivilDay(n, y, m, d);
    return COleDateTime(y, m, d, 0, 0, 0);
}

long DayOf(const COleDateTime& dt)
{
    return DayNumber(dt.GetYear(), dt.GetMonth(), dt.GetDay());
}

}  // namespace

TEST(ServerWorkDays, DemoStartsOnTheMondayThreeToFourWeeksBack)
{
    const long base = DayNumber(2026, 12, 28);  // across a year's end
    for (long today = base; today < base + 14; ++today) {
        const long start = DemoProjectStart(today);
        EXPECT_EQ(1, Weekday(start));
        EXPECT_GE(today - start, 21);
        EXPECT_LE(today - start, 27);
    }
}

TEST(ServerWorkDays, TheDemoCalendarSteppedAsTheClientSteps)
{
    const long start = DemoProjectStart(DayNumber(2027, 2, 25));
    const CWorkCalendar cal = DemoCalendar(start);

    // The client reads the calendar the server stores.
    CProjectDoc doc;
    ASSERT_EQ(1, doc.ParseCal(CStringFromUtf8(cal.Xml(1, "standard"))));
    CCalendarCal lib;
    lib.Load(doc.m_nCalBaseID, doc.m_listCalendarItems, doc.m_listDayOfWeek);

    int nRest = 0, nRestWeekdays = 0, nWorkingWeekends = 0;
    for (long day = start - 20; day < start + 200; ++day) {
        int y, m, d;
        CivilDay(day, y, m, d);
        const bool rest = cal.IsRestDay(day);
        ASSERT_EQ(rest, doc.IsRestDay(y, m, d) != 0) << y << "-" << m << "-" << d;
        ASSERT_EQ(rest, lib.IsRestDay(y, m, d) != 0);
        nRest += rest;
        const int w = Weekday(day);
        nRestWeekdays += rest && w != 0 && w != 6;
        nWorkingWeekends += !rest && (w == 0 || w == 6);

        const COleDateTime dt = DateOf(day);
        EXPECT_EQ(DayOf(lib.GetNextWorkDay(dt)), cal.SkipRestDays(day));
        for (int n = 0; n <= 12; ++n)
            ASSERT_EQ(DayOf(lib.GetFinishDate(dt, n)), cal.FinishFromStart(day, n)) << day << " " << n;
        for (int n = 1; n <= 12; ++n)
            ASSERT_EQ(DayOf(lib.GetStartDate(dt, n)), cal.StartFromFinish(day, n)) << day << " " << n;
        ASSERT_EQ(cal.WorkingDays(day, day + 9), 10 - lib.CountRestDays(dt, DateOf(day + 9)));
    }
    // Weekends, a one-day and a three-day holiday on working days, one working Saturday.
    EXPECT_EQ(4, nRestWeekdays);
    EXPECT_EQ(1, nWorkingWeekends);
    EXPECT_GT(nRest, 60);
}

TEST(ServerWorkDays, DemoLinksOfEveryKindBoundTheirSuccessors)
{
    // On the demo calendar, around its first holiday (Saturday 12 to Monday 14 after the start).
    const long start = DemoProjectStart(DayNumber(2027, 2, 25));
    const CWorkCalendar cal = DemoCalendar(start);
    const long thu = start + 10, fri = start + 11, tue = start + 15, wed = start + 16;
    ASSERT_TRUE(cal.IsRestDay(start + 14));

    struct Case {
        int type, lag;
        long predStart, predFinish;
        long start, finish;  // what the successor must have at least (0 unbounded)
    };
    const Case cases[] = {
        {1, 0, thu, fri, tue, 0},       {1, 1, thu, fri, wed, 0},
        {2, 0, thu, fri, 0, fri},       {2, 1, thu, fri, 0, tue},
        {4, 1, thu, fri, fri, 0},       {4, 2, thu, fri, tue, 0},
        // Start-to-finish: from the last working day before the predecessor's start.
        {3, 0, tue, wed, 0, fri},       {3, 1, tue, wed, 0, tue},
        {3, 2, tue, wed, 0, wed},       {3, 0, thu, fri, 0, start + 9},
    };
    for (const Case& c : cases) {
        long s = 0, f = 0;
        DemoLinkBounds(cal, c.type, c.lag, c.predStart, c.predFinish, s, f);
        EXPECT_EQ(s, c.start) << c.type << "/" << c.lag;
        EXPECT_EQ(f, c.finish) << c.type << "/" << c.lag;
    }
    // No working days back from a finish: the day after it, or the finish when that day rests
    // (as the client's task tree view steps; the server once answered the finish always).
    EXPECT_EQ(cal.StartFromFinish(tue, 0), wed);
    EXPECT_EQ(cal.StartFromFinish(fri, 0), fri);

    // A bound already later stays.
    long s = wed + 5, f = 0;
    DemoLinkBounds(cal, 1, 0, thu, fri, s, f);
    EXPECT_EQ(s, wed + 5);
}
