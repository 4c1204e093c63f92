// Editing the name in a tree cell, the new-task report and the level-drag requests.
#include "GridCellsTestUtil.h"

namespace {

int g_task;
CTaskItem* Task() { return reinterpret_cast<CTaskItem*>(&g_task); }

}  // namespace

class TreeCellEdit : public CTaskLikeGridTest {
protected:
    void OpenEditor(int nRow, UINT nChar = 'x')
    {
        CRect rect;
        ASSERT_TRUE(m_grid.GetCellRect(nRow, 2, &rect));
        ASSERT_TRUE(TreeCell(nRow)->Edit(nRow, 2, rect, CPoint(-1, -1), IDC_GRID_INPLACE_CONTROL, nChar));
    }
};

TEST_F(TreeCellEdit, NamingARowWithoutTaskReportsItOnceWhenTheGridEndsTheEdit)
{
    CFakeEditors editors;
    BuildTree({{1, "A"}, {1, ""}});
    m_grid.GetCell(2, 0)->SetRowState(4);
    OpenEditor(2);
    ASSERT_EQ(editors.editors.size(), 1u);
    EXPECT_EQ(editors.editors[0].nFirstChar, static_cast<UINT>('x'));
    EXPECT_EQ(m_tree.GetEditWnd(), editors.editors[0].pWnd);
    EXPECT_TRUE(TreeCell(2)->IsEditing());

    editors.editors[0].strText = "新任务";
    TreeCell(2)->EndEdit();
    EXPECT_STREQ(m_grid.GetItemText(2, 2), "新任务");
    ASSERT_EQ(m_parent.Count(WM_GRID_NEWTASKNAME), 1);
    EXPECT_EQ(m_parent.Last(WM_GRID_NEWTASKNAME)->wParam, 2u);
    EXPECT_EQ(m_grid.GetCell(2, 0)->GetRowState(), 1);
    EXPECT_FALSE(TreeCell(2)->IsEditing());
    EXPECT_EQ(m_tree.GetEditWnd(), nullptr);

    // A later end without an editor (a click elsewhere) reports nothing more.
    TreeCell(2)->EndEdit();
    EXPECT_EQ(m_parent.Count(WM_GRID_NEWTASKNAME), 1);
}

TEST_F(TreeCellEdit, NamingReportedOnceWhenTheEditorEndsByItself)
{
    CFakeEditors editors;
    BuildTree({{1, ""}});
    OpenEditor(1);
    ASSERT_EQ(editors.editors.size(), 1u);
    editors.editors[0].strText = "设计";
    editors.EndEdit(editors.editors[0].pWnd);
    EXPECT_STREQ(m_grid.GetItemText(1, 2), "设计");
    EXPECT_EQ(m_parent.Count(WM_GRID_NEWTASKNAME), 1);
    EXPECT_EQ(m_tree.GetEditWnd(), nullptr);
}

TEST_F(TreeCellEdit, RowWithADurationIsNotReported)
{
    CFakeEditors editors;
    BuildTree({{1, "A"}});
    m_grid.SetItemText(1, 3, "5个工作日");
    m_grid.GetCell(1, 0)->SetTask(Task());
    OpenEditor(1);
    editors.editors[0].strText = "B";
    TreeCell(1)->EndEdit();
    EXPECT_STREQ(m_grid.GetItemText(1, 2), "B");
    EXPECT_EQ(m_parent.Count(WM_GRID_NEWTASKNAME), 0);
    EXPECT_EQ(m_parent.Count(WM_GRID_TASKCHANGED), 1);
    EXPECT_EQ(m_grid.GetCell(1, 0)->GetRowState(), 2);
}

TEST_F(TreeCellEdit, UnarmedCellOpensNoEditorOnAClickButOnAKey)
{
    CFakeEditors editors;
    BuildTree({{1, "A"}});
    TreeCell(1)->SetTreeValue(0);
    CRect rect;
    ASSERT_TRUE(m_grid.GetCellRect(1, 2, &rect));
    ASSERT_TRUE(TreeCell(1)->Edit(1, 2, rect, CPoint(30, 5), IDC_GRID_INPLACE_CONTROL, VK_LBUTTON));
    EXPECT_TRUE(editors.editors.empty());
    EXPECT_FALSE(TreeCell(1)->IsEditing());

    OpenEditor(1, 'q');
    ASSERT_EQ(editors.editors.size(), 1u);
    EXPECT_EQ(editors.editors[0].nFirstChar, static_cast<UINT>('q'));
}

TEST_F(TreeCellEdit, EditorAlignmentFollowsTheFormat)
{
    CFakeEditors editors;
    BuildTree({{1, "A"}});
    m_tree.SetFormat(DT_CENTER | DT_SINGLELINE);
    OpenEditor(1);
    ASSERT_EQ(editors.editors.size(), 1u);
    EXPECT_EQ(editors.editors[0].dwStyle, static_cast<DWORD>(ES_CENTER));
}

TEST_F(TreeCellEdit, MouseOverTheLevelZoneAsksForTheLevelDrag)
{
    BuildTree({{1, "A"}, {2, "B"}});
    m_grid.GetCell(1, 0)->SetTask(Task());
    CRecordingDC dc;
    CRect rect;
    ASSERT_TRUE(m_grid.GetCellRect(2, 2, &rect));
    TreeCell(2)->Draw(&dc, 2, 2, rect, FALSE);
    const CRect rcText = TreeCell(2)->GetStoredTextRect();
    EXPECT_EQ(rcText.left, rect.left + 28);

    TreeCell(2)->RequestMouseMode(CPoint(rcText.left + 10, rcText.top + 5));
    EXPECT_EQ(m_grid.GetMouseMode(), GRIDMOUSE_LEVEL_DRAG);
    const GridCellRequest& request = m_grid.LastLevelRequest();
    EXPECT_EQ(request.nMode, 1);
    EXPECT_EQ(request.pt.x, rcText.left);
    EXPECT_EQ(request.pt.y, (rcText.top + 2 + rcText.bottom - 2) / 2);
    EXPECT_EQ(request.nRow, 2);
    EXPECT_EQ(request.nLevel, 2);
    EXPECT_EQ(request.nRefRow, 1);  // the nearest row above with a task
    EXPECT_EQ(request.nRefLevel, 1);
    TreeCell(2)->RequestMouseMode(CPoint(rcText.left + 26, rcText.top + 5));
    EXPECT_EQ(m_grid.GetMouseMode(), GRIDMOUSE_NOTHING);
    EXPECT_EQ(m_grid.LastLevelRequest().nMode, 0);

    // A click in the wider click zone starts the drag too.
    TreeCell(2)->OnClickDown(CPoint(rcText.left - rect.left + 50, 6));
    EXPECT_EQ(m_grid.GetMouseMode(), GRIDMOUSE_LEVEL_DRAG);
}

TEST_F(TreeCellEdit, NoLevelRequestForBlankRows)
{
    BuildTree({{1, "A"}, {1, ""}});
    CRecordingDC dc;
    CRect rect;
    m_grid.GetCellRect(2, 2, &rect);
    TreeCell(2)->Draw(&dc, 2, 2, rect, FALSE);
    const CRect rcText = TreeCell(2)->GetStoredTextRect();
    TreeCell(2)->RequestMouseMode(CPoint(rcText.left + 5, rcText.top + 5));
    EXPECT_EQ(m_grid.GetMouseMode(), GRIDMOUSE_NOTHING);
}
