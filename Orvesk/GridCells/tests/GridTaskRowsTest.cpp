// Task rows of the grid: the seven cells of a row, writing a task's values into it, blank
// rows, deleting a task row, the texts of cells outside the grid.
#include "GridBmpCell.h"
#include "GridCellsTestUtil.h"
#include "GridDlgCell.h"
#include "GridSpinCell.h"
#include "GridTreeCell.h"

namespace {
// A text cell of another class: a grid whose cells are of it replaces them one by one when
// it makes a task row.
class CPlainTextCell : public CGridCell {
    DECLARE_DYNCREATE(CPlainTextCell)
};
IMPLEMENT_DYNCREATE(CPlainTextCell, CGridCell)

// Any non-null pointer serves: the grid only carries it.
CTaskItem* const kTask = reinterpret_cast<CTaskItem*>(0x1000);
CTaskItem* const kOtherTask = reinterpret_cast<CTaskItem*>(0x2000);
const COleDateTime kStart(2004, 3, 1, 0, 0, 0);
const COleDateTime kFinish(2004, 3, 5, 0, 0, 0);
}  // namespace

class GridTaskRows : public CTaskLikeGridTest {
protected:
    void SetUp() override
    {
        CTaskLikeGridTest::SetUp();
        m_tree.Setup(&m_grid, 2, 0, 1, nullptr, TRUE, FALSE);
        m_grid.SetTaskGrid(TRUE);
    }
    int Insert(int nRow, CTaskItem* pTask, const char* pszName, int nLevel, double dDays = 5, int nStatus = 2)
    {
        return m_grid.InsertTaskRow(nRow, pTask, 1, nStatus, pszName, nLevel, dDays, kStart, kFinish, "3,5");
    }
    int Level(int nRow) { return static_cast<CGridTreeCellBase*>(m_grid.GetCell(nRow, 2))->GetLevel(); }
    BOOL Viewable(int nRow) { return static_cast<CGridTreeCellBase*>(m_grid.GetCell(nRow, 2))->IsViewable(); }
};

TEST_F(GridTaskRows, AnInsertedRowHasTheSevenCellsAndTheTasksValues)
{
    ASSERT_EQ(m_grid.GetRowCount(), 1);
    EXPECT_EQ(Insert(-1, kTask, "设计", 1), 1);
    EXPECT_EQ(m_tree.GetEndRow(), 2);
    EXPECT_TRUE(m_grid.GetCell(1, 1)->IsKindOf(RUNTIME_CLASS(CGridBmpCell)));
    EXPECT_TRUE(m_grid.GetCell(1, 2)->IsKindOf(RUNTIME_CLASS(CGridTreeCell)));
    EXPECT_TRUE(m_grid.GetCell(1, 3)->IsKindOf(RUNTIME_CLASS(CGridSpinCell)));
    EXPECT_TRUE(m_grid.GetCell(1, 4)->IsKindOf(RUNTIME_CLASS(CGridDlgCell)));
    EXPECT_TRUE(m_grid.GetCell(1, 5)->IsKindOf(RUNTIME_CLASS(CGridDlgCell)));
    EXPECT_FALSE(m_grid.GetCell(1, 6)->IsKindOf(RUNTIME_CLASS(CGridBtnCellBase)));
    EXPECT_EQ(static_cast<CGridBtnCellBase*>(m_grid.GetCell(1, 3))->GetButtonCount(), 2);
    EXPECT_EQ(static_cast<CGridBtnCellBase*>(m_grid.GetCell(1, 4))->GetButtonCount(), 1);

    EXPECT_EQ(m_grid.GetCell(1, 0)->GetTask(), kTask);
    EXPECT_EQ(m_grid.GetCell(1, 0)->GetRowState(), 0);
    EXPECT_EQ(m_grid.GetItemText(1, 0), CString("1"));
    // Inserted with a name: the status as text, the tree cell viewable with tree value 1.
    EXPECT_EQ(m_grid.GetItemText(1, 1), CString("2"));
    EXPECT_TRUE(Viewable(1));
    EXPECT_EQ(static_cast<CGridTreeCellBase*>(m_grid.GetCell(1, 2))->GetTreeValue(), 1);
    EXPECT_EQ(m_grid.GetItemText(1, 2), CString("设计"));
    EXPECT_EQ(m_grid.GetItemText(1, 3), CString("5个工作日"));
    EXPECT_EQ(m_grid.GetItemText(1, 4), CString("2004年3月1日"));
    EXPECT_EQ(m_grid.GetItemText(1, 5), CString("2004年3月5日"));
    EXPECT_EQ(m_grid.GetItemText(1, 6), CString("3,5"));
    EXPECT_EQ(m_grid.GetCell(1, 4)->GetFormat(), 0x8026u);
    EXPECT_EQ(m_grid.GetCell(1, 6)->GetFormat(), 0x8026u);
    EXPECT_EQ(m_grid.GetCell(1, 2)->GetFormat(), 0x8024u);
    EXPECT_EQ(m_grid.GetCell(1, 3)->GetFormat(), 0x8024u);
    EXPECT_EQ(m_grid.GetCell(1, 3)->GetState(), 0u);
}

TEST_F(GridTaskRows, LevelMinusOneInAGridOfOnlyItsHeadingIsOne)
{
    Insert(-1, kTask, "甲", -1);
    EXPECT_EQ(Level(1), 1);
}

TEST_F(GridTaskRows, LevelMinusOneTakesTheLastRowWhenAppendingAndTheRowAtTheInsertionPointOtherwise)
{
    Insert(-1, kTask, "甲", 1);
    Insert(-1, kTask, "乙", 3);
    Insert(-1, nullptr, "", -1);
    EXPECT_EQ(Level(3), 3);
    Insert(-1, kTask, "丙", 2);
    // Inserted at row 2: the level of the row there now (乙, 3).
    EXPECT_EQ(Insert(2, kOtherTask, "丁", -1), 2);
    EXPECT_EQ(Level(2), 3);
    EXPECT_EQ(m_grid.GetItemText(3, 2), CString("乙"));
}

TEST_F(GridTaskRows, AnEmptyNameLeavesTheRowBlank)
{
    Insert(-1, kTask, "", 1);
    EXPECT_EQ(m_grid.GetCell(1, 0)->GetTask(), nullptr);
    EXPECT_EQ(m_grid.GetCell(1, 0)->GetRowState(), 4);
    EXPECT_EQ(m_grid.GetItemText(1, 3), CString(""));

    Insert(-1, kTask, "甲", 1);
    m_grid.SetTaskRow(2, kTask, 1, 0, "", 1, 3, kStart, kFinish, "");
    EXPECT_EQ(m_grid.GetCell(2, 0)->GetTask(), nullptr);
    EXPECT_EQ(m_grid.GetCell(2, 0)->GetRowState(), 4);
}

TEST_F(GridTaskRows, SetTaskRowWritesTheTasksValuesWithTheStatusAsTheCellValue)
{
    Insert(-1, nullptr, "", 1);
    m_grid.SetTaskRow(1, kOtherTask, 1, 5, "编码", 3, 2.5, kStart, kFinish, "7");
    EXPECT_EQ(m_grid.GetCell(1, 0)->GetTask(), kOtherTask);
    EXPECT_EQ(m_grid.GetCell(1, 1)->GetRowState(), 5);
    EXPECT_EQ(m_grid.GetItemText(1, 1), CString(""));
    EXPECT_EQ(m_grid.GetItemText(1, 3), CString("2.5个工作日"));
    EXPECT_EQ(m_grid.GetItemText(1, 6), CString("7"));
    EXPECT_EQ(Level(1), 3);
    // Rows below the second level are folded; levels 1 and 2 viewable.
    EXPECT_FALSE(Viewable(1));
    EXPECT_EQ(static_cast<CGridTreeCellBase*>(m_grid.GetCell(1, 2))->GetTreeValue(), 0);
    m_grid.SetTaskRow(1, kOtherTask, 1, 5, "编码", 2, 3, kStart, kFinish, "7");
    EXPECT_TRUE(Viewable(1));
    EXPECT_EQ(m_grid.GetItemText(1, 3), CString("3个工作日"));
}

TEST_F(GridTaskRows, SetTaskRowOnANegativeRowChangesNothing)
{
    Insert(-1, kTask, "甲", 1);
    m_grid.SetTaskRow(-1, kOtherTask, 1, 0, "乙", 1, 1, kStart, kFinish, "");
    m_grid.SetTaskRow(9, kOtherTask, 1, 0, "乙", 1, 1, kStart, kFinish, "");
    EXPECT_EQ(m_grid.GetCell(1, 0)->GetTask(), kTask);
    EXPECT_EQ(m_grid.GetItemText(1, 2), CString("甲"));
    EXPECT_EQ(m_grid.GetRowCount(), 2);
}

TEST_F(GridTaskRows, DurationsShowOneDecimalOrTheWholeNumber)
{
    EXPECT_EQ(CGridCtrl::FormatTaskDays(2.5), CString("2.5个工作日"));
    EXPECT_EQ(CGridCtrl::FormatTaskDays(3), CString("3个工作日"));
    EXPECT_EQ(CGridCtrl::FormatTaskDays(2.96), CString("3个工作日"));
    EXPECT_EQ(CGridCtrl::FormatTaskDays(2.94), CString("2.9个工作日"));
    EXPECT_EQ(CGridCtrl::FormatTaskDays(0), CString("0个工作日"));
    EXPECT_EQ(CGridCtrl::FormatTaskDays(0.04), CString("0个工作日"));
    EXPECT_EQ(CGridCtrl::FormatTaskDays(-1.5), CString("-1.5个工作日"));
    EXPECT_EQ(CGridCtrl::FormatTaskDays(0.0 / 0.0), CString("0个工作日"));
}

TEST_F(GridTaskRows, SetTreeCellInfoSetsTheValueAndTheViewableBit)
{
    Insert(-1, kTask, "甲", 1);
    m_grid.SetTreeCellInfo(1, 7, 0);
    EXPECT_FALSE(Viewable(1));
    EXPECT_EQ(static_cast<CGridTreeCellBase*>(m_grid.GetCell(1, 2))->GetTreeValue(), 7);
    EXPECT_EQ(Level(1), 1);
    m_grid.SetTreeCellInfo(1, 0, 1);
    EXPECT_TRUE(Viewable(1));
    m_grid.SetTreeCellInfo(0, 1, 1);   // the heading has no tree cell
    m_grid.SetTreeCellInfo(50, 1, 1);  // nor a row outside the grid
}

TEST_F(GridTaskRows, DeleteTaskRowTellsTheParentWithTheRowsTask)
{
    Insert(-1, kTask, "甲", 1);
    Insert(-1, kOtherTask, "乙", 1);
    m_parent.log.clear();
    EXPECT_TRUE(m_grid.DeleteTaskRow(1));
    EXPECT_EQ(m_grid.GetRowCount(), 2);
    EXPECT_EQ(m_tree.GetEndRow(), 2);
    const CGridParentWnd::Entry* pEntry = m_parent.Last(WM_GRID_TASKDELETED);
    ASSERT_NE(pEntry, nullptr);
    EXPECT_EQ(pEntry->wParam, reinterpret_cast<WPARAM>(kTask));
    EXPECT_FALSE(m_grid.DeleteTaskRow(0));
    EXPECT_FALSE(m_grid.DeleteTaskRow(5));
    EXPECT_EQ(m_parent.Count(WM_GRID_TASKDELETED), 1);
}

TEST_F(GridTaskRows, TextsOutsideTheGridAreEmptyAndCannotBeSet)
{
    Insert(-1, kTask, "甲", 1);
    EXPECT_EQ(m_grid.GetItemText(9, 2), CString(""));
    EXPECT_EQ(m_grid.GetItemText(1, 9), CString(""));
    EXPECT_EQ(m_grid.GetItemText(-1, 2), CString(""));
    EXPECT_FALSE(m_grid.SetItemText(9, 2, "x"));
    EXPECT_EQ(m_grid.GetRowCount(), 2);
}

TEST_F(GridTaskRows, CountHiddenRowsCountsTheFoldedRows)
{
    Insert(-1, kTask, "甲", 1);
    Insert(-1, kTask, "乙", 2);
    Insert(-1, kTask, "丙", 2);
    Insert(-1, kTask, "丁", 1);
    m_tree.Collapse(1);
    m_tree.RefreshRowHeights();
    EXPECT_EQ(m_grid.CountHiddenRows(-1), 2);
    EXPECT_EQ(m_grid.CountHiddenRows(2), 1);
    EXPECT_EQ(m_grid.CountHiddenRows(1), 0);
}

TEST_F(GridTaskRows, DeletingASummaryAsksAboutItsSubTasks)
{
    Insert(-1, kTask, "甲", 1);
    Insert(-1, kOtherTask, "乙", 2);
    Insert(-1, kOtherTask, "丙", 3);
    Insert(-1, kTask, "丁", 1);
    CTestMessageBoxes boxes;
    boxes.AnswerText("你要删除当前任务的子任务吗!", IDNO);
    m_grid.SetFocusCell(1, 2);
    m_parent.log.clear();
    m_grid.OnDeleteTask();
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_EQ(boxes.Boxes()[0].caption, CString("系统提示"));
    // Only the row itself goes; its sub-tasks move up one level.
    EXPECT_EQ(m_parent.Count(WM_GRID_TASKDELETED), 1);
    EXPECT_EQ(m_grid.GetItemText(1, 2), CString("乙"));
    EXPECT_EQ(Level(1), 1);
    EXPECT_EQ(Level(2), 2);
    EXPECT_EQ(Level(3), 1);

    // Yes: the whole subtree, bottom up.
    boxes.Answer(IDYES);
    m_grid.SetFocusCell(1, 2);
    m_parent.log.clear();
    m_grid.OnDeleteTask();
    EXPECT_EQ(m_parent.Count(WM_GRID_TASKDELETED), 2);
    EXPECT_EQ(m_grid.GetItemText(1, 2), CString("丁"));
}

TEST_F(GridTaskRows, TheKeptTableOfRowTasksFollowsInsertedAndDeletedRowsAndChangedTasks)
{
    Insert(-1, kTask, "设计", 1);
    Insert(-1, kOtherTask, "编码", 1);
    using Rows = std::vector<CTaskItem*>;
    EXPECT_EQ(m_grid.RowTasks(), (Rows{nullptr, kTask, kOtherTask}));
    // Kept, and edited by an insert and a delete.
    Insert(1, nullptr, "", 1);
    EXPECT_EQ(m_grid.RowTasks(), (Rows{nullptr, nullptr, kTask, kOtherTask}));
    EXPECT_EQ(m_grid.GetRowTask(3), kOtherTask);
    m_grid.DeleteRow(2);
    EXPECT_EQ(m_grid.RowTasks(), (Rows{nullptr, nullptr, kOtherTask}));
    // A cell's task changed, rows sorted, a column-0 cell replaced: read again.
    m_grid.GetCell(1, 0)->SetTask(kTask);
    EXPECT_EQ(m_grid.GetRowTask(1), kTask);
    EXPECT_EQ(m_grid.RowTasks(), (Rows{nullptr, kTask, kOtherTask}));
    ASSERT_TRUE(m_grid.SortTextItems(2, FALSE));
    EXPECT_EQ(m_grid.RowTasks(), (Rows{nullptr, kOtherTask, kTask}));
    m_grid.SetCellType(2, 0, RUNTIME_CLASS(CGridCell));
    EXPECT_EQ(m_grid.GetRowTask(2), nullptr);
    EXPECT_EQ(m_grid.RowTasks(), (Rows{nullptr, kOtherTask, nullptr}));
}

TEST_F(GridTaskRows, TheTreeAndButtonCellsKnowTheirRowsAfterRowsAboveThemMove)
{
    for (int i = 0; i < 5; i++)
        Insert(-1, kTask, "任务", 1);
    auto coordsOf = [&](int nRow, int nCol) {
        if (CGridTreeCellBase* pTree = dynamic_cast<CGridTreeCellBase*>(m_grid.GetCell(nRow, nCol)))
            return pTree->GetCoords();
        return static_cast<CGridBtnCellBase*>(m_grid.GetCell(nRow, nCol))->GetCoords();
    };
    // A cell given other coordinates is told its place again by the next renumbering.
    static_cast<CGridBtnCellBase*>(m_grid.GetCell(4, 3))->SetCoords(9, 9);
    EXPECT_EQ(coordsOf(4, 3), CPoint(9, 9));
    m_grid.DeleteRow(1);
    Insert(2, kOtherTask, "新", 1);
    m_grid.DeleteRow(1);
    ASSERT_EQ(m_grid.GetRowCount(), 5);
    for (int row = 1; row < 5; row++)
        for (int col = 1; col <= 5; col++)
            EXPECT_EQ(coordsOf(row, col), CPoint(col, row)) << row << "," << col;
    EXPECT_EQ(m_grid.GetCell(1, 0)->GetTask(), kOtherTask);
    EXPECT_EQ(m_grid.GetItemText(3, 0), CString("3"));
}

TEST_F(GridTaskRows, CellsMadeInTheirClassesHoldWhatReplacedDefaultCellsWouldHandOn)
{
    Insert(-1, kTask, "上", 1);
    m_grid.SetDefaultCellType(RUNTIME_CLASS(CPlainTextCell));
    Insert(2, kTask, "", 2);
    m_grid.SetDefaultCellType(RUNTIME_CLASS(CGridCell));
    Insert(2, kTask, "", 2);
    ASSERT_EQ(m_grid.GetRowCount(), 4);
    ASSERT_TRUE(m_grid.GetCell(3, 0)->IsKindOf(RUNTIME_CLASS(CPlainTextCell)));
    for (int col = 1; col <= 5; col++) {
        const CGridCellBase* pMade = m_grid.GetCell(2, col);
        const CGridCellBase* pReplaced = m_grid.GetCell(3, col);
        EXPECT_EQ(pMade->GetRuntimeClass(), pReplaced->GetRuntimeClass()) << col;
        EXPECT_STREQ(pMade->GetText(), pReplaced->GetText()) << col;
        EXPECT_EQ(pMade->GetFormat(), pReplaced->GetFormat()) << col;
        EXPECT_EQ(pMade->GetState(), pReplaced->GetState()) << col;
        EXPECT_EQ(pMade->GetImage(), pReplaced->GetImage()) << col;
        EXPECT_EQ(pMade->GetData(), pReplaced->GetData()) << col;
        EXPECT_EQ(pMade->GetTextClr(), pReplaced->GetTextClr()) << col;
        EXPECT_EQ(pMade->GetBackClr(), pReplaced->GetBackClr()) << col;
        EXPECT_EQ(pMade->GetMargin(), pReplaced->GetMargin()) << col;
        EXPECT_EQ(pMade->IsEditable(), pReplaced->IsEditable()) << col;
        EXPECT_EQ(pMade->GetGrid(), pReplaced->GetGrid()) << col;
        const LOGFONT* pMadeFont = pMade->GetFont();
        const LOGFONT* pReplacedFont = pReplaced->GetFont();
        ASSERT_EQ(pMadeFont == nullptr, pReplacedFont == nullptr) << col;
        if (pMadeFont) {
            EXPECT_EQ(memcmp(pMadeFont, pReplacedFont, sizeof(LOGFONT)), 0) << col;
        }
    }
    // The tree cells took the row's level either way.
    EXPECT_EQ(Level(2), 2);
    EXPECT_EQ(Level(3), 2);
}
