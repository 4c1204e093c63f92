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
