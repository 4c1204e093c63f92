#include "CalendarFixture.h"

#include <Tavrin/DateFunctions.h>

#include <gtest/gtest.h>

namespace {

// Calendar day of a result plus its time of day, for readable comparisons.
struct DayAndTime
{
    int y, m, d, hour, minute, second;
    bool operator==(const DayAndTime& o) const
    {
        return y == o.y && m == o.m && d == o.d && hour == o.hour && minute == o.minute &&
               second == o.second;
    }
};

std::ostream& operator<<(std::ostream& os, const DayAndTime& t)
{
    return os << t.y << "-" << t.m << "-" << t.d << " " << t.hour << ":" << t.minute << ":"
              << t.second;
}

DayAndTime Parts(const COleDateTime& dt)
{
    return DayAndTime{dt.GetYear(), dt.GetMonth(), dt.GetDay(),
                      dt.GetHour(), dt.GetMinute(), dt.GetSecond()};
}

DayAndTime Midnight(int y, int m, int d)
{
    return DayAndTime{y, m, d, 0, 0, 0};
}

// 2024-06-07 is a Friday; 2024-06-08/09 the weekend.
void LoadStandard(CCalendarCal& cal, CalendarLists& lists)
{
    cal.Load(-2, lists.periods, lists.weekdays);
}

} // namespace

TEST(CalendarCal, StartsEmpty)
{
    CCalendarCal cal;
    EXPECT_EQ(0, cal.GetCalendarID());
    EXPECT_EQ(0, cal.GetBaseCalendarID());
    EXPECT_TRUE(cal.GetPeriods().IsEmpty());
    EXPECT_TRUE(cal.GetWeekdays().IsEmpty());
    cal.SetCalendarID(17);
    EXPECT_EQ(17, cal.GetCalendarID());
}

TEST(CalendarCal, StandardCalendarRestsOnTheWeekend)
{
    CCalendarCal cal;
    CalendarLists lists;
    LoadStandard(cal, lists);
    EXPECT_EQ(0, cal.IsRestDay(2024, 6, 7));  // Friday
    EXPECT_EQ(1, cal.IsRestDay(2024, 6, 8));  // Saturday
    EXPECT_EQ(1, cal.IsRestDay(2024, 6, 9));  // Sunday
    EXPECT_EQ(0, cal.IsRestDay(2024, 6, 10)); // Monday
}

TEST(CalendarCal, FridayPlusThreeWorkingDaysIsTuesday)
{
    CCalendarCal cal;
    CalendarLists lists;
    LoadStandard(cal, lists);
    EXPECT_EQ(Midnight(2024, 6, 11), Parts(cal.GetFinishDate(Day(2024, 6, 7), 3)));
}

TEST(CalendarCal, SaturdayPlusOneIsMonday)
{
    CCalendarCal cal;
    CalendarLists lists;
    LoadStandard(cal, lists);
    EXPECT_EQ(Midnight(2024, 6, 10), Parts(cal.GetFinishDate(Day(2024, 6, 8), 1)));
}

TEST(CalendarCal, MondayPlusZeroIsTheFridayBefore)
{
    CCalendarCal cal;
    CalendarLists lists;
    LoadStandard(cal, lists);
    EXPECT_EQ(Midnight(2024, 6, 7), Parts(cal.GetFinishDate(Day(2024, 6, 10), 0)));
    EXPECT_EQ(Midnight(2024, 6, 7), Parts(cal.GetFinishDate(Day(2024, 6, 10), -4)));
}

TEST(CalendarCal, ResultsCarryMidnight)
{
    CCalendarCal cal;
    CalendarLists lists;
    LoadStandard(cal, lists);
    const COleDateTime start(2024, 6, 7, 13, 45, 10);
    EXPECT_EQ(Midnight(2024, 6, 7), Parts(cal.GetFinishDate(start, 1)));
    EXPECT_EQ(Midnight(2024, 6, 7), Parts(cal.GetNextWorkDay(start)));
    EXPECT_EQ(Midnight(2024, 6, 7), Parts(cal.GetStartDate(start, 1)));
}

TEST(CalendarCal, FinishAcrossTheYearEnd)
{
    CCalendarCal cal;
    CalendarLists lists;
    LoadStandard(cal, lists);
    // Friday 2021-12-31 + 2 working days: Monday 2022-01-03.
    EXPECT_EQ(Midnight(2022, 1, 3), Parts(cal.GetFinishDate(Day(2021, 12, 31), 2)));
    EXPECT_EQ(Midnight(2021, 12, 31), Parts(cal.GetStartDate(Day(2022, 1, 3), 2)));
}

TEST(CalendarCal, StartDateCountsBack)
{
    CCalendarCal cal;
    CalendarLists lists;
    LoadStandard(cal, lists);
    EXPECT_EQ(Midnight(2024, 6, 7), Parts(cal.GetStartDate(Day(2024, 6, 11), 3)));
    EXPECT_EQ(Midnight(2024, 6, 7), Parts(cal.GetStartDate(Day(2024, 6, 9), 1)));
    EXPECT_EQ(Midnight(2024, 6, 3), Parts(cal.GetStartDate(Day(2024, 6, 9), 5)));
    // No days: the first working day after the finish.
    EXPECT_EQ(Midnight(2024, 6, 10), Parts(cal.GetStartDate(Day(2024, 6, 7), 0)));
}

TEST(CalendarCal, NextWorkDay)
{
    CCalendarCal cal;
    CalendarLists lists;
    LoadStandard(cal, lists);
    EXPECT_EQ(Midnight(2024, 6, 7), Parts(cal.GetNextWorkDay(Day(2024, 6, 7))));
    EXPECT_EQ(Midnight(2024, 6, 10), Parts(cal.GetNextWorkDay(Day(2024, 6, 8))));
}

TEST(CalendarCal, TwentyFourHourCalendarHasNoRestDays)
{
    CCalendarCal cal;
    CalendarLists lists;
    cal.Load(-1, lists.periods, lists.weekdays);
    for (int d = 1; d <= 30; ++d)
        EXPECT_EQ(0, cal.IsRestDay(2024, 6, d)) << d;
    EXPECT_EQ(0, cal.CountRestDays(2024, 6, 1, 2024, 6, 30));
    EXPECT_EQ(Midnight(2024, 6, 10), Parts(cal.GetFinishDate(Day(2024, 6, 8), 3)));
}

TEST(CalendarCal, OtherBaseIdsRestOnNoWeekday)
{
    CCalendarCal cal;
    CalendarLists lists;
    cal.Load(0, lists.periods, lists.weekdays);
    EXPECT_EQ(0, cal.IsRestDay(2024, 6, 8));
    EXPECT_EQ(0, cal.IsRestDay(2024, 6, 9));
}

TEST(CalendarCal, WorkingPeriodMakesASaturdayWork)
{
    CCalendarCal cal;
    CalendarLists lists;
    lists.AddPeriod(Day(2024, 6, 8), Day(2024, 6, 8), 1);
    LoadStandard(cal, lists);
    EXPECT_EQ(0, cal.IsRestDay(2024, 6, 8));
    EXPECT_EQ(1, cal.IsRestDay(2024, 6, 15)); // the next Saturday is not in the period
    EXPECT_EQ(Midnight(2024, 6, 8), Parts(cal.GetFinishDate(Day(2024, 6, 7), 2)));
    EXPECT_EQ(Midnight(2024, 6, 10), Parts(cal.GetFinishDate(Day(2024, 6, 7), 3)));
    EXPECT_EQ(Midnight(2024, 6, 8), Parts(cal.GetNextWorkDay(Day(2024, 6, 8))));
}

TEST(CalendarCal, WorkingPeriodOverASundayUnderTheStandardBase)
{
    CCalendarCal cal;
    CalendarLists lists;
    lists.AddPeriod(Day(2024, 6, 9), Day(2024, 6, 9), 1);
    LoadStandard(cal, lists);
    EXPECT_EQ(0, cal.IsRestDay(2024, 6, 9));
    EXPECT_EQ(Midnight(2024, 6, 9), Parts(cal.GetFinishDate(Day(2024, 6, 8), 1)));
}

TEST(CalendarCal, PeriodEndsAreIncludedWhateverTheTimeOfDay)
{
    CCalendarCal cal;
    CalendarLists lists;
    lists.AddPeriod(COleDateTime(2024, 6, 3, 18, 30, 0), COleDateTime(2024, 6, 5, 6, 0, 0), 0);
    LoadStandard(cal, lists);
    EXPECT_EQ(0, cal.IsRestDay(2024, 5, 31)); // the Friday before
    EXPECT_EQ(1, cal.IsRestDay(2024, 6, 3));
    EXPECT_EQ(1, cal.IsRestDay(2024, 6, 4));
    EXPECT_EQ(1, cal.IsRestDay(2024, 6, 5));
    EXPECT_EQ(0, cal.IsRestDay(2024, 6, 6));
}

TEST(CalendarCal, EarlierOfTwoOverlappingPeriodsDecides)
{
    {
        CCalendarCal cal;
        CalendarLists lists;
        lists.AddPeriod(Day(2024, 6, 3), Day(2024, 6, 12), 0);  // rest
        lists.AddPeriod(Day(2024, 6, 8), Day(2024, 6, 20), 1);  // working
        LoadStandard(cal, lists);
        EXPECT_EQ(1, cal.IsRestDay(2024, 6, 8));
        EXPECT_EQ(1, cal.IsRestDay(2024, 6, 12));
        EXPECT_EQ(0, cal.IsRestDay(2024, 6, 13));
        EXPECT_EQ(0, cal.IsRestDay(2024, 6, 15)); // Saturday inside the working period
        EXPECT_EQ(0, cal.IsRestDay(2024, 6, 20));
        EXPECT_EQ(1, cal.IsRestDay(2024, 6, 22));
    }
    {
        CCalendarCal cal;
        CalendarLists lists;
        lists.AddPeriod(Day(2024, 6, 8), Day(2024, 6, 20), 1);  // working, listed first
        lists.AddPeriod(Day(2024, 6, 3), Day(2024, 6, 12), 0);  // rest
        LoadStandard(cal, lists);
        EXPECT_EQ(1, cal.IsRestDay(2024, 6, 7));
        EXPECT_EQ(0, cal.IsRestDay(2024, 6, 8));
        EXPECT_EQ(0, cal.IsRestDay(2024, 6, 12));
    }
    {
        // A later period inside an earlier one changes nothing.
        CCalendarCal cal;
        CalendarLists lists;
        lists.AddPeriod(Day(2024, 6, 1), Day(2024, 6, 30), 1);
        lists.AddPeriod(Day(2024, 6, 10), Day(2024, 6, 11), 0);
        LoadStandard(cal, lists);
        EXPECT_EQ(0, cal.IsRestDay(2024, 6, 10));
        EXPECT_EQ(0, cal.CountRestDays(2024, 6, 1, 2024, 6, 30));
    }
}

TEST(CalendarCal, WeekdayEntriesOverrideTheBase)
{
    CCalendarCal cal;
    CalendarLists lists;
    lists.AddWeekday(6, 1); // Saturday works
    lists.AddWeekday(3, 0); // Wednesday rests
    lists.AddWeekday(6, 0); // a second Saturday entry: the first one decides
    LoadStandard(cal, lists);
    EXPECT_EQ(0, cal.IsRestDay(2024, 6, 8));  // Saturday
    EXPECT_EQ(0, cal.IsRestDay(2024, 6, 15)); // Saturday
    EXPECT_EQ(1, cal.IsRestDay(2024, 6, 9));  // Sunday, from the base
    EXPECT_EQ(1, cal.IsRestDay(2024, 6, 5));  // Wednesday
    EXPECT_EQ(Midnight(2024, 6, 8), Parts(cal.GetFinishDate(Day(2024, 6, 7), 2)));
}

TEST(CalendarCal, PeriodBeatsWeekdayEntry)
{
    CCalendarCal cal;
    CalendarLists lists;
    lists.AddWeekday(3, 0); // Wednesdays rest
    lists.AddPeriod(Day(2024, 6, 5), Day(2024, 6, 5), 1);
    LoadStandard(cal, lists);
    EXPECT_EQ(0, cal.IsRestDay(2024, 6, 5));
    EXPECT_EQ(1, cal.IsRestDay(2024, 6, 12));
}

TEST(CalendarCal, CountRestDays)
{
    CCalendarCal cal;
    CalendarLists lists;
    lists.AddPeriod(Day(2024, 6, 12), Day(2024, 6, 13), 0);
    LoadStandard(cal, lists);
    // June 2024: 10 weekend days plus two dated rest days.
    EXPECT_EQ(12, cal.CountRestDays(2024, 6, 1, 2024, 6, 30));
    EXPECT_EQ(12, cal.CountRestDays(2024, 6, 30, 2024, 6, 1));
    EXPECT_EQ(1, cal.CountRestDays(2024, 6, 8, 2024, 6, 8));
    EXPECT_EQ(0, cal.CountRestDays(2024, 6, 7, 2024, 6, 7));
    EXPECT_EQ(2, cal.CountRestDays(Day(2024, 6, 7), COleDateTime(2024, 6, 10, 23, 0, 0)));
    EXPECT_EQ(2, cal.CountRestDays(COleDateTime(2024, 6, 10, 23, 0, 0), Day(2024, 6, 7)));
    // A whole leap year that starts on a Saturday and ends on a Sunday.
    EXPECT_EQ(106, cal.CountRestDays(2000, 1, 1, 2000, 12, 31));
}

TEST(CalendarCal, LoadCopiesAndAppends)
{
    CCalendarCal cal;
    CalendarLists first;
    CCalendarItem* pItem = first.AddPeriod(Day(2024, 6, 10), Day(2024, 6, 10), 0);
    first.AddWeekday(6, 1);
    cal.Load(-2, first.periods, first.weekdays);
    pItem->m_bWorking = 1; // the calculator holds its own copy
    EXPECT_EQ(1, cal.IsRestDay(2024, 6, 10));
    EXPECT_NE(static_cast<const CObject*>(pItem), cal.GetPeriods().GetHead());

    CalendarLists second;
    second.AddPeriod(Day(2024, 6, 11), Day(2024, 6, 11), 0);
    second.AddWeekday(6, 0);
    cal.Load(-2, second.periods, second.weekdays);
    EXPECT_EQ(2, static_cast<int>(cal.GetPeriods().GetCount()));
    EXPECT_EQ(2, static_cast<int>(cal.GetWeekdays().GetCount()));
    EXPECT_EQ(1, cal.IsRestDay(2024, 6, 10));
    EXPECT_EQ(1, cal.IsRestDay(2024, 6, 11));
    EXPECT_EQ(0, cal.IsRestDay(2024, 6, 8)); // the first Saturday entry still decides

    cal.Clear();
    EXPECT_TRUE(cal.GetPeriods().IsEmpty());
    EXPECT_TRUE(cal.GetWeekdays().IsEmpty());
    EXPECT_EQ(0, cal.IsRestDay(2024, 6, 10));
    EXPECT_EQ(1, cal.IsRestDay(2024, 6, 8));
}

TEST(CalendarCal, LoadSkipsNullAndForeignElements)
{
    CCalendarCal cal;
    CalendarLists lists;
    lists.periods.AddTail(static_cast<CObject*>(nullptr));
    lists.periods.AddTail(new CDayOfWeek); // not a period
    lists.AddPeriod(Day(2024, 6, 10), Day(2024, 6, 10), 0);
    lists.weekdays.AddTail(static_cast<CObject*>(nullptr));
    lists.weekdays.AddTail(new CCalendarItem); // not a weekday entry
    lists.AddWeekday(6, 1);
    cal.Load(-2, lists.periods, lists.weekdays);
    EXPECT_EQ(1, static_cast<int>(cal.GetPeriods().GetCount()));
    EXPECT_EQ(1, static_cast<int>(cal.GetWeekdays().GetCount()));
    EXPECT_EQ(1, cal.IsRestDay(2024, 6, 10));
    EXPECT_EQ(0, cal.IsRestDay(2024, 6, 8));
    lists.periods.RemoveHead(); // the null entry
    lists.weekdays.RemoveHead();
}

TEST(CalendarCal, PeriodWithInvalidOrReversedDatesHoldsNoDay)
{
    CCalendarCal cal;
    CalendarLists lists;
    COleDateTime bad;
    bad.SetStatus(COleDateTime::invalid);
    lists.AddPeriod(bad, Day(2024, 6, 30), 0);
    lists.AddPeriod(Day(2024, 6, 30), Day(2024, 6, 1), 0);
    lists.AddPeriod(Day(2024, 6, 10), bad, 0);
    LoadStandard(cal, lists);
    EXPECT_EQ(0, cal.IsRestDay(2024, 6, 10));
    EXPECT_EQ(10, cal.CountRestDays(2024, 6, 1, 2024, 6, 30));
}
