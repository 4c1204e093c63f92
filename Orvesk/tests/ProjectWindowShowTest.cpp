// A generated project of 40 tasks in its project window: the task tree with its levels,
// Chinese names, durations, dates and predecessors beside the chart pane. Writes a
// screenshot to the test output folder.
#include <gtest/gtest.h>

#include "GanttView.h"
#include "ProjectFrame.h"
#include "ProjectGenerator.h"
#include "TaskTreeView.h"
#include "ViewsTestSupport.h"

class ProjectWindowShowTest : public ProjectWindowTest
{
};

TEST_F(ProjectWindowShowTest, AFortyTaskProjectInItsWindow)
{
    m_pMainFrame->MoveWindow(0, 0, 1280, 1000);
    AfxPumpMessages();
    ASSERT_TRUE(Open([](CProjectDoc& doc) {
        ProjectGeneratorOptions options;
        options.nTasks = 40;
        GenerateProject(doc, options);
    }));
    ASSERT_NE(Tree(), nullptr);
    CTaskGridAccess grid = Grid();
    // Every row on show: the sub-summaries' leaves start folded.
    for (int row = 1; row < 41; row++)
        if (grid.GetLevel(row) == 2 && grid.GetRowHeight(row + 1) == 0)
            grid.ToggleExpand(row);
    for (int row = 1; row <= 40; row++)
        ASSERT_GT(grid.GetRowHeight(row), 0) << row;

    EXPECT_EQ(Text(1, 2), CString("阶段 1"));
    EXPECT_EQ(Text(3, 2), CString("需求分析 3"));
    EXPECT_EQ(grid.GetLevel(1), 1);
    EXPECT_EQ(grid.GetLevel(2), 2);
    EXPECT_EQ(grid.GetLevel(3), 3);
    EXPECT_EQ(Text(3, 4), CString("2004年3月1日"));
    EXPECT_EQ(Text(4, 6), CString("3"));
    // Each leaf shows its working days.
    CTaskItem* pLeaf = grid.GetTask(3);
    ASSERT_NE(pLeaf, nullptr);
    CString strDays;
    strDays.Format("%d个工作日", pLeaf->m_nDuration / 86400);
    EXPECT_EQ(Text(3, 3), strDays);
    EXPECT_FALSE(m_pDoc->IsModified());

    // The split bar dragged right so that every column of the tree shows.
    CSplitterWndEx& splitter = GanttView()->m_wndSplitter;
    splitter.SetColumnInfo(0, 600, 10);
    splitter.RecalcLayout();
    splitter.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    AfxPumpMessages();
    CRect rect;
    Tree()->GetClientRect(&rect);
    EXPECT_GE(rect.Width(), 590);
    m_pMainFrame->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    AfxPumpMessages();
    EXPECT_TRUE(AfxTestGrabWindow(m_pMainFrame, AfxTestOutputPath("project-window-40-tasks.png")));
}
