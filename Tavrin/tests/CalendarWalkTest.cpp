// The working-day walks where no working day can be reached, invalid dates, and agreement
// of the calculator with a plain day-by-day walk over many random calendars.
#include "CalendarFixture.h"

#include <Tavrin/DateFunctions.h>

#include <gtest/gtest.h>

#include <random>

namespace {

bool SameValue(const COleDateTime& a, const COleDateTime& b)
{
    return a.GetStatus() == b.GetStatus() && a.m_dt == b.m_dt;
}

void AllWeekdays(CalendarLists& lists, int working)
{
    for (int d = 0; d < 7; ++d)
        lists.AddWeekday(d, working);
}

} // namespace

TEST(CalendarWalk, NoWorkingDayReturnsTheInputUnchanged)
{
    CCalendarCal cal;
    CalendarLists lists;
    AllWeekdays(lists, 0);
    cal.Load(-2, lists.periods, lists.weekdays);

    const COleDateTime input(2024, 6, 7, 9, 30, 0);
    EXPECT_TRUE(SameValue(input, cal.GetFinishDate(input, 5)));
    EXPECT_TRUE(SameValue(input, cal.GetFinishDate(input, 0)));
    EXPECT_TRUE(SameValue(input, cal.GetStartDate(input, 5)));
    EXPECT_TRUE(SameValue(input, cal.GetStartDate(input, 0)));
    EXPECT_TRUE(SameValue(input, cal.GetNextWorkDay(input)));
    EXPECT_EQ(366, cal.CountRestDays(2024, 1, 1, 2024, 12, 31));
}

TEST(CalendarWalk, WorkingPeriodOnlyBehind)
{
    CCalendarCal cal;
    CalendarLists lists;
    AllWeekdays(lists, 0);
    lists.AddPeriod(Day(2024, 5, 1), Day(2024, 5, 3), 1);
    cal.Load(-1, lists.periods, lists.weekdays);

    const COleDateTime input = Day(2024, 6, 7);
    EXPECT_TRUE(SameValue(input, cal.GetFinishDate(input, 1)));
    EXPECT_TRUE(SameValue(input, cal.GetNextWorkDay(input)));
    // Backwards the period is reached.
    EXPECT_EQ(2024, cal.GetStartDate(input, 2).GetYear());
    EXPECT_EQ(5, cal.GetStartDate(input, 2).GetMonth());
    EXPECT_EQ(2, cal.GetStartDate(input, 2).GetDay());
    EXPECT_EQ(3, cal.GetFinishDate(input, 0).GetDay());
    // More days than the period holds: nothing to reach.
    EXPECT_TRUE(SameValue(input, cal.GetStartDate(input, 4)));
}

TEST(CalendarWalk, WorkingPeriodAheadHoldsTheOnlyWorkingDays)
{
    CCalendarCal cal;
    CalendarLists lists;
    AllWeekdays(lists, 0);
    lists.AddPeriod(Day(2024, 7, 1), Day(2024, 7, 3), 1);
    cal.Load(-2, lists.periods, lists.weekdays);

    const COleDateTime start = Day(2024, 6, 7);
    const COleDateTime third = cal.GetFinishDate(start, 3);
    EXPECT_EQ(7, third.GetMonth());
    EXPECT_EQ(3, third.GetDay());
    EXPECT_EQ(1, cal.GetNextWorkDay(start).GetDay());
    EXPECT_TRUE(SameValue(start, cal.GetFinishDate(start, 4)));
}

TEST(CalendarWalk, EndOfTheDateRangeStopsTheWalk)
{
    CCalendarCal cal;
    CalendarLists lists;
    cal.Load(-2, lists.periods, lists.weekdays);
    const COleDateTime nearEnd = Day(9999, 12, 28);
    EXPECT_TRUE(SameValue(nearEnd, cal.GetFinishDate(nearEnd, 10)));
    EXPECT_EQ(31, cal.GetFinishDate(nearEnd, 4).GetDay()); // Tue 28 .. Fri 31
    const COleDateTime nearStart = Day(100, 1, 3);
    EXPECT_TRUE(SameValue(nearStart, cal.GetStartDate(nearStart, 10)));
    // A huge count ends at the range end instead of walking for ever.
    EXPECT_TRUE(SameValue(nearStart, cal.GetFinishDate(nearStart, 0x7FFFFFFF)));
}

TEST(CalendarWalk, InvalidDateInGivesInvalidDateOut)
{
    CCalendarCal cal;
    CalendarLists lists;
    cal.Load(-2, lists.periods, lists.weekdays);
    COleDateTime invalid;
    invalid.SetStatus(COleDateTime::invalid);
    COleDateTime null;
    null.SetStatus(COleDateTime::null);
    for (const COleDateTime& input : {invalid, null}) {
        EXPECT_EQ(COleDateTime::invalid, cal.GetFinishDate(input, 3).GetStatus());
        EXPECT_EQ(COleDateTime::invalid, cal.GetFinishDate(input, 0).GetStatus());
        EXPECT_EQ(COleDateTime::invalid, cal.GetStartDate(input, 3).GetStatus());
        EXPECT_EQ(COleDateTime::invalid, cal.GetNextWorkDay(input).GetStatus());
        EXPECT_EQ(-1, cal.CountRestDays(input, Day(2024, 6, 7)));
        EXPECT_EQ(-1, cal.CountRestDays(Day(2024, 6, 7), input));
    }
    EXPECT_EQ(-1, cal.IsRestDay(2024, 13, 1));
    EXPECT_EQ(-1, cal.IsRestDay(2024, 2, 30));
    EXPECT_EQ(-1, cal.IsRestDay(-1, -1, -1));
    EXPECT_EQ(-1, cal.CountRestDays(2024, 0, 1, 2024, 6, 1));
}

// The calculator against the plain rule, walked one day at a time with the date helpers:
// first period holding the day, else first weekday entry, else the base calendar.
class PlainCalendar
{
public:
    struct Period { int y1, m1, d1, y2, m2, d2; bool working; };
    struct Entry { int day; bool working; };

    int base = -2;
    std::vector<Period> periods;
    std::vector<Entry> entries;

    static long Key(int y, int m, int d) { return y * 10000L + m * 100L + d; }

    bool IsRest(int y, int m, int d) const
    {
        const long k = Key(y, m, d);
        for (const Period& p : periods) {
            if (Key(p.y1, p.m1, p.d1) <= k && k <= Key(p.y2, p.m2, p.d2))
                return !p.working;
        }
        const int w = GetDayOfWeek(y, m, d);
        for (const Entry& e : entries) {
            if (e.day == w)
                return !e.working;
        }
        return base == -2 && (w == 0 || w == 6);
    }

    // Finish date for n >= 1: count working days from the start, then step back once and
    // over rest days.
    void Finish(int& y, int& m, int& d, int n) const
    {
        int count = 0;
        while (count < n) {
            if (!IsRest(y, m, d))
                ++count;
            NextDay(y, m, d);
        }
        PrevDay(y, m, d);
        while (IsRest(y, m, d))
            PrevDay(y, m, d);
    }

    void Start(int& y, int& m, int& d, int n) const
    {
        int count = 0;
        while (count < n) {
            if (!IsRest(y, m, d))
                ++count;
            PrevDay(y, m, d);
        }
        NextDay(y, m, d);
    }
};

TEST(CalendarWalk, AgreesWithTheDayByDayRule)
{
    std::mt19937 random(20240607u);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };

    for (int round = 0; round < 60; ++round) {
        PlainCalendar plain;
        CalendarLists lists;
        plain.base = pick(0, 2) == 0 ? -1 : -2;
        const int entryCount = pick(0, 4);
        for (int i = 0; i < entryCount; ++i) {
            const int day = pick(0, 6);
            const bool working = pick(0, 1) == 1;
            plain.entries.push_back({day, working});
            lists.AddWeekday(day, working ? 1 : 0);
        }
        const int periodCount = pick(0, 25);
        for (int i = 0; i < periodCount; ++i) {
            int y1 = 2024, m1 = pick(1, 12), d1 = pick(1, 28);
            int y2 = y1, m2 = m1, d2 = d1;
            const int length = pick(0, 40);
            for (int k = 0; k < length; ++k)
                NextDay(y2, m2, d2);
            const bool working = pick(0, 2) != 0;
            plain.periods.push_back({y1, m1, d1, y2, m2, d2, working});
            lists.AddPeriod(COleDateTime(y1, m1, d1, pick(0, 23), 0, 0), Day(y2, m2, d2),
                            working ? 1 : 0);
        }
        CCalendarCal cal;
        cal.Load(plain.base, lists.periods, lists.weekdays);

        // The random entries may leave every weekday at rest; the plain walk would not end.
        bool anyWorkingWeekday = false;
        for (int w = 0; w < 7; ++w) {
            bool rest = plain.base == -2 && (w == 0 || w == 6);
            for (const auto& e : plain.entries) {
                if (e.day == w) {
                    rest = !e.working;
                    break;
                }
            }
            anyWorkingWeekday = anyWorkingWeekday || !rest;
        }

        int y = 2023, m = 12, d = 1;
        int restTotal = 0;
        for (int day = 0; day < 420; ++day) {
            const bool rest = plain.IsRest(y, m, d);
            restTotal += rest ? 1 : 0;
            ASSERT_EQ(rest ? 1 : 0, cal.IsRestDay(y, m, d)) << y << "-" << m << "-" << d;
            if (anyWorkingWeekday && day % 7 == 0) {
                const int n = pick(1, 60);
                int fy = y, fm = m, fd = d;
                plain.Finish(fy, fm, fd, n);
                const COleDateTime finish = cal.GetFinishDate(Day(y, m, d), n);
                ASSERT_EQ(fy, finish.GetYear());
                ASSERT_EQ(fm, finish.GetMonth());
                ASSERT_EQ(fd, finish.GetDay()) << "finish from " << y << "-" << m << "-" << d;
                int sy = y, sm = m, sd = d;
                plain.Start(sy, sm, sd, n);
                const COleDateTime start = cal.GetStartDate(Day(y, m, d), n);
                ASSERT_EQ(sy, start.GetYear());
                ASSERT_EQ(sm, start.GetMonth());
                ASSERT_EQ(sd, start.GetDay()) << "start from " << y << "-" << m << "-" << d;
            }
            NextDay(y, m, d);
        }
        // The same 420 days counted at once.
        int ly = 2023, lm = 12, ld = 1;
        for (int k = 0; k < 419; ++k)
            NextDay(ly, lm, ld);
        EXPECT_EQ(restTotal, cal.CountRestDays(2023, 12, 1, ly, lm, ld)) << "round " << round;
    }
}
