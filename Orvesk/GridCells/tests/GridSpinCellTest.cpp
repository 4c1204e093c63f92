// The duration spin cell of a task row.
#include "GridCellsTestUtil.h"
#include "GridSpinCell.h"

namespace {
// Stands in for a task record: the cells only carry its address.
int g_task;
CTaskItem* Task() { return reinterpret_cast<CTaskItem*>(&g_task); }
}  // namespace

class GridSpinCellTest : public CTaskLikeGridTest {
protected:
    CGridSpinCell* m_pCell = nullptr;

    void SetUp() override
    {
        CTaskLikeGridTest::SetUp();
        m_grid.SetRowCount(3);
        m_grid.SetFixedRowCount(1);
        ASSERT_TRUE(m_grid.SetCellType(1, 3, RUNTIME_CLASS(CGridSpinCell)));
        m_pCell = static_cast<CGridSpinCell*>(m_grid.GetCell(1, 3));
        m_pCell->SetBtnDataBase(&m_btnData);
        ASSERT_TRUE(m_pCell->SetupButton(0, DFC_SCROLL, DFCS_SCROLLUP, 2, 0, FALSE, NULL));
        ASSERT_TRUE(m_pCell->SetupButton(1, DFC_SCROLL, DFCS_SCROLLDOWN, 2, 0, FALSE, NULL));
        m_grid.GetCell(1, 0)->SetTask(Task());
        m_grid.GetCell(1, 0)->SetRowState(0);
    }

    // A press and release on the up arrow (upper half) or the down arrow.
    void Spin(bool bUp)
    {
        const CPoint point(90, bUp ? 4 : 16);
        m_pCell->OnClickDown(point);
        m_pCell->OnClick(point);
    }
};

TEST_F(GridSpinCellTest, UpArrowCountsUpAndDropsWhatFollowsTheNumber)
{
    m_pCell->SetText("5个工作日?");
    Spin(true);
    EXPECT_STREQ(m_pCell->GetText(), "6个工作日");
    ASSERT_EQ(m_parent.Count(WM_GRID_TASKCHANGED), 1);
    const CGridParentWnd::Entry* pEntry = m_parent.Last(WM_GRID_TASKCHANGED);
    EXPECT_EQ(pEntry->wParam, reinterpret_cast<WPARAM>(Task()));
    EXPECT_EQ(static_cast<DWORD>(pEntry->lParam), static_cast<DWORD>(MAKELONG(1, 3)));
    // The pressed arrow came up again.
    EXPECT_EQ(m_pCell->GetDrawState(0), static_cast<UINT>(DFCS_SCROLLUP));
}

TEST_F(GridSpinCellTest, DownArrowFloorsAtZeroAndStillReports)
{
    m_pCell->SetText("1个工作日");
    Spin(false);
    EXPECT_STREQ(m_pCell->GetText(), "0个工作日");
    Spin(false);
    EXPECT_STREQ(m_pCell->GetText(), "0个工作日");
    EXPECT_EQ(m_parent.Count(WM_GRID_TASKCHANGED), 2);
}

TEST_F(GridSpinCellTest, TextWithoutANumberCountsFromZero)
{
    m_pCell->SetText("abc");
    Spin(true);
    EXPECT_STREQ(m_pCell->GetText(), "1个工作日");
    m_pCell->SetText("0x10个工作日");
    Spin(true);
    EXPECT_STREQ(m_pCell->GetText(), "1个工作日");
    m_pCell->SetText("inf");
    Spin(true);
    EXPECT_STREQ(m_pCell->GetText(), "1个工作日");
}

TEST_F(GridSpinCellTest, UnnamedRowChangesTheTextSilently)
{
    m_grid.GetCell(1, 0)->SetRowState(4);
    m_pCell->SetText("3个工作日");
    Spin(true);
    EXPECT_STREQ(m_pCell->GetText(), "4个工作日");
    EXPECT_EQ(m_parent.Count(WM_GRID_TASKCHANGED), 0);
}

TEST_F(GridSpinCellTest, RowWithoutATaskIsNotReported)
{
    m_grid.GetCell(1, 0)->SetTask(nullptr);
    m_pCell->SetText("3个工作日");
    Spin(true);
    EXPECT_STREQ(m_pCell->GetText(), "4个工作日");
    EXPECT_EQ(m_parent.Count(WM_GRID_TASKCHANGED), 0);
}

TEST_F(GridSpinCellTest, ATaskGridRowWithoutATaskDoesNotSpin)
{
    m_grid.SetTaskGrid(TRUE);
    m_grid.GetCell(1, 0)->SetTask(nullptr);
    m_grid.GetCell(1, 0)->SetRowState(4);
    Spin(true);
    EXPECT_STREQ(m_pCell->GetText(), "");
    EXPECT_EQ(m_parent.Count(WM_GRID_TASKCHANGED), 0);
    // The arrow is up again.
    EXPECT_EQ(m_pCell->GetDrawState(0), static_cast<UINT>(DFCS_SCROLLUP));
    // A task row of the same grid still counts.
    m_grid.GetCell(1, 0)->SetTask(Task());
    m_grid.GetCell(1, 0)->SetRowState(0);
    Spin(true);
    EXPECT_STREQ(m_pCell->GetText(), "1个工作日");
    EXPECT_EQ(m_parent.Count(WM_GRID_TASKCHANGED), 1);
}

TEST_F(GridSpinCellTest, ReadOnlyCellDoesNotSpin)
{
    m_pCell->SetEditable(FALSE);
    m_pCell->SetText("3个工作日");
    Spin(true);
    EXPECT_STREQ(m_pCell->GetText(), "3个工作日");
    CRect rect;
    m_grid.GetCellRect(1, 3, &rect);
    m_pCell->OnClickDown(CPoint(90, 4));
    EXPECT_TRUE(m_pCell->Edit(1, 3, rect, CPoint(90, 4), IDC_GRID_INPLACE_CONTROL, VK_LBUTTON));
    EXPECT_STREQ(m_pCell->GetText(), "3个工作日");
    EXPECT_EQ(m_parent.Count(WM_GRID_TASKCHANGED), 0);
}

TEST_F(GridSpinCellTest, EditAfterAPressStepsInsteadOfOpeningAnEditor)
{
    CFakeEditors editors;
    m_pCell->SetText("5个工作日");
    CRect rect;
    m_grid.GetCellRect(1, 3, &rect);
    m_pCell->OnClickDown(CPoint(90, 16));
    EXPECT_TRUE(m_pCell->Edit(1, 3, rect, CPoint(90, 16), IDC_GRID_INPLACE_CONTROL, VK_LBUTTON));
    EXPECT_STREQ(m_pCell->GetText(), "4个工作日");
    EXPECT_EQ(m_pCell->GetLastClicked(), -1);
    EXPECT_EQ(m_pCell->GetDrawState(1), static_cast<UINT>(DFCS_SCROLLDOWN));
    EXPECT_EQ(m_parent.Count(WM_GRID_TASKCHANGED), 1);
    EXPECT_TRUE(editors.editors.empty());

    // Without a press the keyboard opens the text editor.
    m_pCell->Edit(1, 3, rect, CPoint(-1, -1), IDC_GRID_INPLACE_CONTROL, '9');
    ASSERT_EQ(editors.editors.size(), 1u);
    EXPECT_STREQ(editors.editors[0].strText, "4个工作日");
}
