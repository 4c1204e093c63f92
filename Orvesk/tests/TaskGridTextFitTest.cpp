// Every text the task grid draws of its own (headings, row numbers, durations and dates in
// the task date format) shows whole, on a plain and on a selected row, in rows past 100:
// each drawn text, measured in the font it was drawn with, fits the rectangle it was drawn
// in and gets no ellipsis. CTest runs these again at scale 2.
#include <gtest/gtest.h>

#include <string>

#include "GridDateTimeCtrl.h"
#include "GridTextFit.h"
#include "TaskItem.h"
#include "TaskTreeView.h"
#include "ViewsTestSupport.h"

namespace
{
// Tasks with the widest dates of the format (two-digit months and days), the last one in
// row 128 so that three-digit row numbers show.
void FillLongDates(CProjectDoc& doc)
{
    AddTask(doc.m_listTasks, "需求分析", Day(2026, 11, 23), Day(2026, 12, 28), 26)->m_nRowInGrid = 1;
    AddTask(doc.m_listTasks, "概要设计", Day(2026, 12, 28), Day(2027, 1, 11), 11)->m_nRowInGrid = 2;
    AddTask(doc.m_listTasks, "上线部署", Day(2027, 12, 20), Day(2027, 12, 28), 7)->m_nRowInGrid = 128;
    doc.m_nMaxRowInGrid = 128;
}
} // namespace

class TaskGridTextFitTest : public ProjectWindowTest
{
protected:
    CGridCtrl& GridCtrl() { return Tree()->m_Grid; }

    std::string CutTexts() { return GridCutTexts(GridCtrl()); }
};

TEST_F(TaskGridTextFitTest, HeadingsRowNumbersAndDatesShowWholeOnPlainAndSelectedRows)
{
    ASSERT_TRUE(Open(FillLongDates));
    CGridCtrl& grid = GridCtrl();
    ASSERT_GE(grid.GetRowCount(), 129);
    EXPECT_EQ(Text(128, 4), CGridDateTimeCtrl::FormatDate(Day(2027, 12, 20)));
    // The first rows, then one selected with its date cell focused.
    EXPECT_EQ(CutTexts(), "");
    grid.SetFocusCell(2, 4);
    grid.SetSelectedRange(2, 1, 2, 6);
    EXPECT_EQ(CutTexts(), "");
    // The rows from 100 on, the last task's row selected.
    grid.EnsureVisible(128, 5);
    grid.SetFocusCell(128, 5);
    grid.SetSelectedRange(128, 1, 128, 6);
    EXPECT_EQ(CutTexts(), "");
}
