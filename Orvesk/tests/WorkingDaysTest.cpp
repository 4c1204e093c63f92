// The working-day operations and the number reading of the task tree view.
#include <gtest/gtest.h>

#include "TaskTreeView.h"
#include "ViewsTestSupport.h"

class WorkingDaysTest : public ProjectWindowTest
{
protected:
    void SetUp() override
    {
        ProjectWindowTest::SetUp();
        ASSERT_TRUE(Open([](CProjectDoc& doc) {
            // A holiday period: Wednesday 10 and Thursday 11 March.
            CCalendarItem* pHoliday = new CCalendarItem;
            pHoliday->m_bWorking = 0;
            pHoliday->m_dtFrom = Day(2004, 3, 10);
            pHoliday->m_dtTo = Day(2004, 3, 11);
            doc.m_listCalendarItems.AddTail(pHoliday);
            // A working Saturday, 13 March.
            CCalendarItem* pWorking = new CCalendarItem;
            pWorking->m_bWorking = 1;
            pWorking->m_dtFrom = Day(2004, 3, 13);
            pWorking->m_dtTo = Day(2004, 3, 13);
            doc.m_listCalendarItems.AddTail(pWorking);
        }));
    }
};

TEST_F(WorkingDaysTest, SkipRestDaysGoesToTheNextWorkingDay)
{
    EXPECT_EQ(Tree()->SkipRestDays(Day(2004, 3, 5)), Day(2004, 3, 5));
    EXPECT_EQ(Tree()->SkipRestDays(Day(2004, 3, 6)), Day(2004, 3, 8));
    EXPECT_EQ(Tree()->SkipRestDays(Day(2004, 3, 10)), Day(2004, 3, 12));
    EXPECT_EQ(Tree()->SkipRestDays(Day(2004, 3, 13)), Day(2004, 3, 13));
    EXPECT_EQ(Tree()->SkipRestDays(COleDateTime(2004, 3, 6, 15, 30, 0)), Day(2004, 3, 8));
}

TEST_F(WorkingDaysTest, CountRestDaysCountsBothEndsInEitherOrder)
{
    EXPECT_EQ(Tree()->CountRestDays(Day(2004, 3, 5), Day(2004, 3, 8)), 2);
    EXPECT_EQ(Tree()->CountRestDays(Day(2004, 3, 8), Day(2004, 3, 5)), 2);
    EXPECT_EQ(Tree()->CountRestDays(Day(2004, 3, 6), Day(2004, 3, 6)), 1);
    EXPECT_EQ(Tree()->CountRestDays(Day(2004, 3, 5), Day(2004, 3, 5)), 0);
    // 8..14 March: the holiday (2) and Sunday 14; Saturday 13 is worked.
    EXPECT_EQ(Tree()->CountRestDaysBetween(Day(2004, 3, 8), Day(2004, 3, 14)), 3);
}

TEST_F(WorkingDaysTest, FinishFromStartCountsTheStartDay)
{
    EXPECT_EQ(Tree()->FinishFromStart(Day(2004, 3, 1), 1), Day(2004, 3, 1));
    EXPECT_EQ(Tree()->FinishFromStart(Day(2004, 3, 1), 5), Day(2004, 3, 5));
    EXPECT_EQ(Tree()->FinishFromStart(Day(2004, 3, 5), 2), Day(2004, 3, 8));
    // Over the holiday and the working Saturday.
    EXPECT_EQ(Tree()->FinishFromStart(Day(2004, 3, 8), 4), Day(2004, 3, 13));
    // 0: the last working day before the start.
    EXPECT_EQ(Tree()->FinishFromStart(Day(2004, 3, 8), 0), Day(2004, 3, 5));
    EXPECT_EQ(Tree()->FinishFromStart(Day(2004, 3, 12), 0), Day(2004, 3, 9));
}

TEST_F(WorkingDaysTest, StartFromFinishCountsBackward)
{
    EXPECT_EQ(Tree()->StartFromFinish(Day(2004, 3, 5), 5), Day(2004, 3, 1));
    EXPECT_EQ(Tree()->StartFromFinish(Day(2004, 3, 12), 3), Day(2004, 3, 8));
    // 0: the day after the finish, or the finish when that day is a rest day.
    EXPECT_EQ(Tree()->StartFromFinish(Day(2004, 3, 4), 0), Day(2004, 3, 5));
    EXPECT_EQ(Tree()->StartFromFinish(Day(2004, 3, 5), 0), Day(2004, 3, 5));
}

TEST_F(WorkingDaysTest, DurationsBecomeDayCounts)
{
    EXPECT_EQ(CTaskTreeView::DurationDays(0), 0);
    EXPECT_EQ(CTaskTreeView::DurationDays(43200), 1);
    EXPECT_EQ(CTaskTreeView::DurationDays(86400), 1);
    EXPECT_EQ(CTaskTreeView::DurationDays(5 * 86400), 5);
    EXPECT_EQ(CTaskTreeView::DurationDays(129600), 1); // 1.5 days
    EXPECT_EQ(Tree()->WorkingDays(Day(2004, 3, 1), Day(2004, 3, 5)), 5);
    EXPECT_EQ(Tree()->WorkingDays(Day(2004, 3, 5), Day(2004, 3, 1)), 0);
}

TEST_F(WorkingDaysTest, NumbersArePlainDecimalsWhateverTheLocale)
{
    EXPECT_DOUBLE_EQ(CTaskTreeView::ParseLeadingNumber("5个工作日"), 5.0);
    EXPECT_DOUBLE_EQ(CTaskTreeView::ParseLeadingNumber("2.5个工作日"), 2.5);
    EXPECT_DOUBLE_EQ(CTaskTreeView::ParseLeadingNumber(" 7"), 7.0);
    EXPECT_DOUBLE_EQ(CTaskTreeView::ParseLeadingNumber("2,5"), 2.0);
    EXPECT_DOUBLE_EQ(CTaskTreeView::ParseLeadingNumber("0x10"), 0.0);
    EXPECT_DOUBLE_EQ(CTaskTreeView::ParseLeadingNumber("1e3"), 1.0);
    EXPECT_DOUBLE_EQ(CTaskTreeView::ParseLeadingNumber("inf"), 0.0);
    EXPECT_DOUBLE_EQ(CTaskTreeView::ParseLeadingNumber("nan"), 0.0);
    EXPECT_DOUBLE_EQ(CTaskTreeView::ParseLeadingNumber("工期"), 0.0);
    EXPECT_DOUBLE_EQ(CTaskTreeView::ParseLeadingNumber(""), 0.0);
    EXPECT_EQ(CTaskTreeView::ParseInteger("12"), 12);
    EXPECT_EQ(CTaskTreeView::ParseInteger("-3"), -3);
    EXPECT_EQ(CTaskTreeView::ParseInteger("0x1F"), 0);
    EXPECT_EQ(CTaskTreeView::ParseInteger("99999999999"), 0);
    EXPECT_EQ(CTaskTreeView::ParseInteger("4 "), 4);
    EXPECT_EQ(CTaskTreeView::ParseInteger("4a"), 0);
}

TEST_F(WorkingDaysTest, ADecimalDurationIsTakenUpToTheNextSecond)
{
    ASSERT_TRUE(true);
    Close();
    ASSERT_TRUE(Open([](CProjectDoc& doc) {
        CTaskItem* p = AddTask(doc.m_listTasks, "十分之一", Day(2004, 3, 1), Day(2004, 3, 1), 1);
        p->m_nRowInGrid = 1;
        doc.m_nMaxRowInGrid = 1;
    }));
    Grid().EditCell(1, 3, "0.1个工作日");
    EXPECT_EQ(Grid().GetTask(1)->m_nDuration, 8640);
    Grid().EditCell(1, 3, "2.5");
    EXPECT_EQ(Grid().GetTask(1)->m_nDuration, 216000);
    EXPECT_EQ(Grid().GetTask(1)->m_dtFinish, Day(2004, 3, 2));
}
