// The working-day and link rule on its own: which days rest under a calendar's week and
// exceptions, the walks over working days, and the date each link kind and lag asks for.
// 1 March 2004 is a Monday. The calendar rests on Saturday and Sunday, on the holiday
// Wednesday 10 March, and works on Saturday 20 March.
#include <gtest/gtest.h>

#include <ClassLib/Core/DateTime.h>
#include <ClassLib/Core/WorkingDays.h>

#include <climits>
#include <string>

using namespace workdays;

namespace {

long D(int y, int m, int d)
{
    return static_cast<long>(COleDateTime(y, m, d, 0, 0, 0).m_dt);
}

std::string Text(long day)
{
    return std::string(COleDateTime(static_cast<DATE>(day)).Format("%Y-%m-%d"));
}

CWorkingCalendar March2004()
{
    CWorkingCalendar cal(kStandardBase);
    cal.AddPeriod(D(2004, 3, 10), D(2004, 3, 10), false);
    cal.AddPeriod(D(2004, 3, 20), D(2004, 3, 20), true);
    return cal;
}

} // namespace

TEST(WorkingDayRule, PeriodsThenWeekdayEntriesThenTheBaseDecide)
{
    EXPECT_EQ(WeekdayOf(D(2004, 3, 1)), 1);
    EXPECT_EQ(WeekdayOf(D(1899, 12, 29)), 5);  // before day 0
    EXPECT_EQ(WeekdayOf(D(1899, 12, 24)), 0);

    CWorkingCalendar cal(kStandardBase);
    cal.AddPeriod(D(2004, 3, 6), D(2004, 3, 7), true);   // a working weekend
    cal.AddPeriod(D(2004, 3, 7), D(2004, 3, 9), false);  // overlaps: the first decides Sunday 7
    cal.AddWeekday(6, true);                             // Saturdays work
    cal.AddWeekday(6, false);                            // the second entry for Saturday counts not
    cal.AddWeekday(3, false);                            // Wednesdays rest
    EXPECT_FALSE(cal.IsRestDay(D(2004, 3, 6)));
    EXPECT_FALSE(cal.IsRestDay(D(2004, 3, 7)));
    EXPECT_TRUE(cal.IsRestDay(D(2004, 3, 8)));
    EXPECT_FALSE(cal.IsRestDay(D(2004, 3, 13)));  // a Saturday by its entry
    EXPECT_TRUE(cal.IsRestDay(D(2004, 3, 14)));   // a Sunday by the base
    EXPECT_TRUE(cal.IsRestDay(D(2004, 3, 17)));   // a Wednesday by its entry
    EXPECT_FALSE(cal.IsRestDay(D(2004, 3, 18)));

    EXPECT_FALSE(CWorkingCalendar(kAllDaysBase).IsRestDay(D(2004, 3, 7)));
    EXPECT_FALSE(CWorkingCalendar(17).IsRestDay(D(2004, 3, 6)));  // a saved calendar's base
    EXPECT_TRUE(BaseRestsOn(kStandardBase, 6));
    EXPECT_FALSE(BaseRestsOn(kStandardBase, 5));
    EXPECT_FALSE(BaseRestsOn(kAllDaysBase, 0));
}

TEST(WorkingDayRule, WalksCountWorkingDaysAcrossWeekendsAndExceptions)
{
    const CWorkingCalendar cal = March2004();
    long r = 0;
    ASSERT_TRUE(SkipRestDays(cal, D(2004, 3, 6), r));
    EXPECT_EQ(Text(r), "2004-03-08");
    ASSERT_TRUE(SkipRestDays(cal, D(2004, 3, 9), r));
    EXPECT_EQ(Text(r), "2004-03-09");

    // From Friday 5 three working days end on Tuesday 9; from Tuesday 9 they skip the holiday.
    ASSERT_TRUE(FinishFromStart(cal, D(2004, 3, 5), 3, r));
    EXPECT_EQ(Text(r), "2004-03-09");
    ASSERT_TRUE(FinishFromStart(cal, D(2004, 3, 9), 3, r));
    EXPECT_EQ(Text(r), "2004-03-12");
    ASSERT_TRUE(FinishFromStart(cal, D(2004, 3, 6), 1, r));
    EXPECT_EQ(Text(r), "2004-03-08");
    ASSERT_TRUE(FinishFromStart(cal, D(2004, 3, 8), 0, r));
    EXPECT_EQ(Text(r), "2004-03-05");
    ASSERT_TRUE(FinishFromStart(cal, D(2004, 3, 19), 2, r));  // the working Saturday counts
    EXPECT_EQ(Text(r), "2004-03-20");

    ASSERT_TRUE(StartFromFinish(cal, D(2004, 3, 12), 3, r));
    EXPECT_EQ(Text(r), "2004-03-09");
    ASSERT_TRUE(StartFromFinish(cal, D(2004, 3, 8), 0, r));   // the day after works
    EXPECT_EQ(Text(r), "2004-03-09");
    ASSERT_TRUE(StartFromFinish(cal, D(2004, 3, 5), 0, r));   // the day after rests
    EXPECT_EQ(Text(r), "2004-03-05");

    ASSERT_TRUE(MoveWorkingDays(cal, D(2004, 3, 9), 1, r));
    EXPECT_EQ(Text(r), "2004-03-11");
    ASSERT_TRUE(MoveWorkingDays(cal, D(2004, 3, 11), -1, r));
    EXPECT_EQ(Text(r), "2004-03-09");
    ASSERT_TRUE(MoveWorkingDays(cal, D(2004, 3, 7), 0, r));
    EXPECT_EQ(Text(r), "2004-03-07");

    EXPECT_EQ(CountRestDays(cal, D(2004, 3, 1), D(2004, 3, 21)), 6);
    EXPECT_EQ(CountRestDays(cal, D(2004, 3, 21), D(2004, 3, 1)), 6);
    EXPECT_EQ(CountRestDays(cal, D(2004, 3, 6), D(2004, 3, 6)), 1);
    EXPECT_EQ(WorkingDays(cal, D(2004, 3, 1), D(2004, 3, 21)), 15);
    EXPECT_EQ(WorkingDays(cal, D(2004, 3, 8), D(2004, 3, 5)), 0);
}

TEST(WorkingDayRule, AWalkThatReachesNoWorkingDayAnswersFalse)
{
    CWorkingCalendar never(kAllDaysBase);
    for (int w = 0; w < 7; w++)
        never.AddWeekday(w, false);
    long r = 42;
    EXPECT_FALSE(SkipRestDays(never, D(2004, 3, 1), r));
    EXPECT_FALSE(FinishFromStart(never, D(2004, 3, 1), 2, r));
    EXPECT_FALSE(FinishFromStart(never, D(2004, 3, 1), 0, r));
    EXPECT_FALSE(StartFromFinish(never, D(2004, 3, 1), 1, r));
    EXPECT_EQ(r, 42);
    long required = 42;
    EXPECT_EQ(LinkRequirement(never, kFinishToStart, 1, D(2004, 3, 1), required), kBoundsStart);
    EXPECT_EQ(Text(required), "2004-03-01");  // the anchor itself

    // The end of the days a date holds, and a lag longer than all of them.
    const CWorkingCalendar every(kAllDaysBase);
    EXPECT_FALSE(FinishFromStart(every, kLastDay, 2, r));
    EXPECT_FALSE(FinishFromStart(every, kFirstDay, 0, r));
    EXPECT_EQ(LinkRequirement(every, kStartToStart, INT_MAX, D(2004, 3, 1), required), kBoundsStart);
    EXPECT_EQ(Text(required), "2004-03-01");
    EXPECT_EQ(LinkRequirement(every, kFinishToStart, INT_MAX, D(2004, 3, 1), required), kBoundsStart);
    EXPECT_EQ(Text(required), "2004-03-01");
}

TEST(WorkingDayRule, EachLinkKindAndLagAsksForItsDate)
{
    const CWorkingCalendar cal = March2004();
    struct Case
    {
        int kind, lag;
        long anchor;  // the predecessor's finish (FS, FF) or start (SS, SF)
        LinkBound bound;
        const char* required;
    };
    const Case cases[] = {
        // Anchors on working days: Friday 5, Thursday 4.
        {kFinishToStart, 0, D(2004, 3, 5), kBoundsStart, "2004-03-08"},
        {kFinishToStart, 1, D(2004, 3, 5), kBoundsStart, "2004-03-09"},
        {kFinishToStart, 2, D(2004, 3, 5), kBoundsStart, "2004-03-11"},  // over the holiday
        {kFinishToFinish, 0, D(2004, 3, 5), kBoundsFinish, "2004-03-05"},
        {kFinishToFinish, 1, D(2004, 3, 5), kBoundsFinish, "2004-03-08"},
        {kFinishToFinish, 2, D(2004, 3, 5), kBoundsFinish, "2004-03-09"},
        {kStartToStart, 0, D(2004, 3, 4), kBoundsStart, "2004-03-04"},
        {kStartToStart, 1, D(2004, 3, 4), kBoundsStart, "2004-03-05"},
        {kStartToStart, 2, D(2004, 3, 4), kBoundsStart, "2004-03-08"},
        {kStartToFinish, 0, D(2004, 3, 4), kBoundsFinish, "2004-03-03"},
        {kStartToFinish, 1, D(2004, 3, 4), kBoundsFinish, "2004-03-04"},
        {kStartToFinish, 2, D(2004, 3, 4), kBoundsFinish, "2004-03-05"},
        // Around the holiday and the working Saturday.
        {kFinishToStart, 0, D(2004, 3, 19), kBoundsStart, "2004-03-20"},
        {kFinishToFinish, 1, D(2004, 3, 19), kBoundsFinish, "2004-03-20"},
        {kFinishToFinish, 2, D(2004, 3, 19), kBoundsFinish, "2004-03-22"},
        {kStartToStart, 1, D(2004, 3, 9), kBoundsStart, "2004-03-11"},
        {kStartToStart, 2, D(2004, 3, 9), kBoundsStart, "2004-03-12"},
        {kStartToFinish, 0, D(2004, 3, 11), kBoundsFinish, "2004-03-09"},
        {kStartToFinish, 1, D(2004, 3, 11), kBoundsFinish, "2004-03-11"},
        {kStartToFinish, 2, D(2004, 3, 11), kBoundsFinish, "2004-03-12"},
        // Anchors on rest days: the next working day is the anchor (the last working day
        // before the start for start-to-finish).
        {kFinishToStart, 0, D(2004, 3, 13), kBoundsStart, "2004-03-16"},
        {kFinishToStart, 1, D(2004, 3, 13), kBoundsStart, "2004-03-17"},
        {kFinishToFinish, 0, D(2004, 3, 13), kBoundsFinish, "2004-03-15"},
        {kFinishToFinish, 1, D(2004, 3, 13), kBoundsFinish, "2004-03-16"},
        {kStartToStart, 0, D(2004, 3, 7), kBoundsStart, "2004-03-08"},
        {kStartToStart, 2, D(2004, 3, 7), kBoundsStart, "2004-03-11"},
        {kStartToFinish, 0, D(2004, 3, 7), kBoundsFinish, "2004-03-05"},
        {kStartToFinish, 1, D(2004, 3, 7), kBoundsFinish, "2004-03-08"},
        // A negative lag counts back.
        {kFinishToStart, -1, D(2004, 3, 5), kBoundsStart, "2004-03-05"},
        {kStartToStart, -1, D(2004, 3, 8), kBoundsStart, "2004-03-05"},
        {kFinishToFinish, -2, D(2004, 3, 11), kBoundsFinish, "2004-03-08"},
    };
    for (const Case& c : cases) {
        long required = 0;
        EXPECT_EQ(LinkRequirement(cal, c.kind, c.lag, c.anchor, required), c.bound) << c.kind << "/" << c.lag;
        EXPECT_EQ(Text(required), c.required) << c.kind << "/" << c.lag << " from " << Text(c.anchor);
    }
    long untouched = 7;
    EXPECT_EQ(LinkRequirement(cal, 5, 0, D(2004, 3, 5), untouched), kBoundsNothing);
    EXPECT_EQ(LinkRequirement(cal, 0, 0, D(2004, 3, 5), untouched), kBoundsNothing);
    EXPECT_EQ(untouched, 7);
    EXPECT_TRUE(LeavesFromFinish(kFinishToStart));
    EXPECT_TRUE(LeavesFromFinish(kFinishToFinish));
    EXPECT_FALSE(LeavesFromFinish(kStartToStart));
    EXPECT_FALSE(LeavesFromFinish(kStartToFinish));
}
