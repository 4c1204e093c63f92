// The grid's hooks to the task views: the chart synchronisation after paints and keys,
// tree cells in the fixed corner, the level-drag request, the task tip, the task commands.
#include "GridTestUtil.h"

namespace
{
// A parent that is a task view.
class CTaskViewParent : public CGridTestParent, public CGridTaskViewHooks
{
public:
    std::vector<std::pair<int, int>> syncs;
    void SyncGanttRows(int nRow, int nFlag) override { syncs.push_back({nRow, nFlag}); }
    void UpdateGanttViews(CTaskItem*) override {}
    void RelinkRowsAbove(int) override {}
    void BuildSuccessorLists() override {}
    int GetTaskCount() override { return 0; }
    int GetTaskId(int) override { return 0; }
};

// A tree cell with a settable flag byte.
class CTestTreeCell : public CGridCell, public CGridTreeCellHooks
{
    DECLARE_DYNCREATE(CTestTreeCell)
public:
    BYTE m_byte = 0x81;
    BOOL IsTreeCell() const override { return TRUE; }
    BYTE GetFlagByte() override { return m_byte; }
    int GetLevel() override { return m_byte & 0x7F; }
    BOOL ChangeLevel(int nLevel) override
    {
        m_byte = (BYTE)((m_byte & 0x80) | (nLevel & 0x7F));
        return TRUE;
    }
};
IMPLEMENT_DYNCREATE(CTestTreeCell, CGridCell)

class GridTaskHooksTest : public CWndTestBase
{
protected:
    CTaskViewParent parent;
    CLoggingGrid grid;

    void Make(int rows, int cols, int fixedRows = 1, int fixedCols = 1)
    {
        grid.SetRowCount(rows);
        grid.SetColumnCount(cols);
        grid.SetFixedRowCount(fixedRows);
        grid.SetFixedColumnCount(fixedCols);
        grid.SetTaskGrid(TRUE);
        ASSERT_TRUE(parent.CreateEx(0, AFX_WND_CLASS, "view", WS_POPUP | WS_VISIBLE, 100, 100, 400, 300, nullptr,
                                    nullptr));
        ASSERT_TRUE(grid.Create(CRect(0, 0, 400, 300), &parent, 100));
        for (int col = 0; col < cols; col++)
            grid.SetColumnWidth(col, 50);
        for (int row = 0; row < rows; row++)
            grid.SetRowHeight(row, 20);
        grid.UpdateScrollBars();
        AfxPumpMessages();
        parent.syncs.clear();
    }
    void Paint()
    {
        grid.Invalidate();
        grid.UpdateWindow();
    }
    void TearDown() override
    {
        if (grid.GetSafeHwnd())
            grid.DestroyWindow();
        if (parent.GetSafeHwnd())
            parent.DestroyWindow();
        CWndTestBase::TearDown();
    }
};

struct CFakeTaskTip : public CGridTaskTipHooks
{
    static CWnd* s_pCreatedFor;
    static int s_nHides;
    static int s_nDestroyed;
    static int s_nDeleted;
    BOOL CreateTip(CWnd* pGrid) override
    {
        s_pCreatedFor = pGrid;
        return TRUE;
    }
    void Hide() override { s_nHides++; }
    void DestroyTip() override { s_nDestroyed++; }
    ~CFakeTaskTip() override { s_nDeleted++; }
    static CGridTaskTipHooks* Make() { return new CFakeTaskTip; }
};
CWnd* CFakeTaskTip::s_pCreatedFor = nullptr;
int CFakeTaskTip::s_nHides = 0;
int CFakeTaskTip::s_nDestroyed = 0;
int CFakeTaskTip::s_nDeleted = 0;
} // namespace

TEST_F(GridTaskHooksTest, PaintTellsTheChartTheTopRow)
{
    Make(40, 4);
    ASSERT_EQ(&parent, dynamic_cast<CTaskViewParent*>(grid.GetTaskView()));
    Paint();
    ASSERT_EQ(1u, parent.syncs.size());
    EXPECT_EQ(std::make_pair(0, 0), parent.syncs[0]);

    for (int i = 0; i < 5; i++)
        grid.SendMessage(WM_VSCROLL, SB_LINEDOWN);
    parent.syncs.clear();
    Paint();
    ASSERT_EQ(1u, parent.syncs.size());
    EXPECT_EQ(std::make_pair(5, 0), parent.syncs[0]);
}

TEST_F(GridTaskHooksTest, ScrollFromTheChartIsNotReportedBack)
{
    Make(40, 4);
    grid.VScrollSync(SB_LINEDOWN, 0, nullptr, TRUE);
    EXPECT_TRUE(parent.syncs.empty());
    EXPECT_EQ(2, grid.GetTopleftNonFixedCell().row);
    // The flag lasts one paint only.
    Paint();
    ASSERT_EQ(1u, parent.syncs.size());
    EXPECT_EQ(std::make_pair(1, 0), parent.syncs[0]);
}

TEST_F(GridTaskHooksTest, UpAndDownKeysSynchroniseTheChart)
{
    Make(40, 4);
    AfxTestFocus(&grid);
    grid.SetFocusCell(3, 1);
    parent.syncs.clear();
    // At the top (first visible row 1) Down does not synchronise, Up does.
    grid.SendMessage(WM_KEYDOWN, VK_DOWN);
    EXPECT_TRUE(parent.syncs.empty());
    grid.SendMessage(WM_KEYDOWN, VK_UP);
    ASSERT_EQ(1u, parent.syncs.size());
    EXPECT_EQ(std::make_pair(0, 1), parent.syncs[0]);

    grid.SendMessage(WM_VSCROLL, SB_LINEDOWN);
    grid.SendMessage(WM_VSCROLL, SB_LINEDOWN);
    grid.SetFocusCell(5, 1);
    parent.syncs.clear();
    grid.SendMessage(WM_KEYDOWN, VK_DOWN);
    ASSERT_EQ(1u, parent.syncs.size());
    EXPECT_EQ(std::make_pair(2, 1), parent.syncs[0]);
    // Not with Shift.
    parent.syncs.clear();
    AfxTestSetKeyState(VK_SHIFT, TRUE);
    grid.SendMessage(WM_KEYDOWN, VK_DOWN);
    AfxTestClearKeyState(VK_SHIFT);
    EXPECT_TRUE(parent.syncs.empty());
}

TEST_F(GridTaskHooksTest, FixedCornerDrawsOnlyViewableTreeRows)
{
    Make(6, 4, 3, 2);
    for (int row = 0; row < 3; row++)
        ASSERT_TRUE(grid.SetCellType(row, 2, RUNTIME_CLASS(CTestTreeCell)));
    static_cast<CTestTreeCell*>(grid.GetCell(1, 2))->m_byte = 0x01;  // not viewable
    ASSERT_NE(nullptr, grid.GetTreeCell(1, 2));
    EXPECT_EQ(nullptr, grid.GetTreeCell(1, 1));
    for (int row = 0; row < 6; row++)
        for (int col = 0; col < 4; col++)
        {
            CString s;
            s.Format(_T("%d/%d"), row, col);
            grid.SetItemText(row, col, s);
        }
    CRecordingDC dc(400, 300);
    grid.OnDraw(&dc);
    std::vector<const AfxDrawOp*> row1, row2;
    for (const AfxDrawOp& op : dc.Ops())
        if (op.kind == AfxDrawKind::Text)
        {
            if (op.text == _T("1/0") || op.text == _T("1/1"))
                row1.push_back(&op);
            if (op.text == _T("2/0"))
                row2.push_back(&op);
        }
    EXPECT_TRUE(row1.empty());
    ASSERT_EQ(1u, row2.size());
    // Row 2 takes the place of the hidden row 1.
    EXPECT_GE(row2[0]->rect.top, 20);
    EXPECT_LT(row2[0]->rect.top, 40);
}

TEST_F(GridTaskHooksTest, LevelDragRequestSetsTheMouseMode)
{
    Make(6, 4);
    GridCellRequest req{};
    req.nMode = 1;
    req.pt = CPoint(33, 44);
    req.nRefRow = -1;
    grid.SendMessage(WM_GRID_ROWLEVEL, (WPARAM)&req);
    EXPECT_EQ(GRIDMOUSE_LEVEL_DRAG, grid.GetMouseMode());
    req.nMode = 0;
    grid.SendMessage(WM_GRID_ROWLEVEL, (WPARAM)&req);
    EXPECT_EQ(GRIDMOUSE_NOTHING, grid.GetMouseMode());

    // A plain cell's request is "no level drag": it leaves a running selection alone.
    grid.SetMouseMode(GRIDMOUSE_SELECT_CELLS);
    grid.GetCell(2, 2)->RequestMouseMode(CPoint(10, 10));
    EXPECT_EQ(GRIDMOUSE_SELECT_CELLS, grid.GetMouseMode());
    grid.SetMouseMode(GRIDMOUSE_LEVEL_DRAG);
    grid.GetCell(2, 2)->RequestMouseMode(CPoint(10, 10));
    EXPECT_EQ(GRIDMOUSE_NOTHING, grid.GetMouseMode());
    EXPECT_EQ(0, grid.SendMessage(WM_GRID_ROWLEVEL, 0));
}

TEST_F(GridTaskHooksTest, NewTaskInsertsAtTheFocusRowOrAtTheEnd)
{
    Make(6, 4);
    parent.log.clear();
    grid.OnNewTask();
    ASSERT_EQ(7, grid.GetRowCount());
    const GridParentEntry* e = parent.Last(WM_GRID_TASKINSERTED);
    ASSERT_NE(nullptr, e);
    EXPECT_EQ((WPARAM)6, e->wParam);

    grid.SetFocusCell(3, 1);
    grid.SetItemText(3, 2, _T("third"));
    grid.OnNewTask();
    EXPECT_EQ(8, grid.GetRowCount());
    e = parent.Last(WM_GRID_TASKINSERTED);
    EXPECT_EQ((WPARAM)3, e->wParam);
    EXPECT_EQ(CString(_T("third")), grid.GetItemText(4, 2));
    EXPECT_EQ(CString(_T("3")), grid.GetItemText(3, 0));
    EXPECT_EQ(CString(_T("4")), grid.GetItemText(4, 0));

    // The menu command does the same.
    grid.SendMessage(WM_COMMAND, ID_GRID_NEWTASK);
    EXPECT_EQ(9, grid.GetRowCount());
}

TEST_F(GridTaskHooksTest, CountHiddenRows)
{
    Make(10, 3);
    grid.SetRowHeight(0, 0);  // row 0 does not count
    grid.SetRowHeight(2, 0);
    grid.SetRowHeight(5, 0);
    grid.SetRowHeight(9, 0);
    EXPECT_EQ(1, grid.CountHiddenRows(4));
    EXPECT_EQ(2, grid.CountHiddenRows(5));
    EXPECT_EQ(3, grid.CountHiddenRows(-1));
}

TEST_F(GridTaskHooksTest, HalftoneFeedbackInvertsTheRectangle)
{
    Make(10, 3);
    CDrawRecorder rec(&grid);
    grid.InvertHalftoneRect(CRect(10, 20, 12, 120));
    const AfxDrawOp* op = nullptr;
    for (const AfxDrawOp& o : rec.Ops())
        if (o.kind == AfxDrawKind::PatBlt)
            op = &o;
    ASSERT_NE(nullptr, op);
    EXPECT_TRUE(op->rect == CRect(10, 20, 12, 120));
    EXPECT_EQ((UINT)PATINVERT, op->flags);
}

TEST_F(GridTaskHooksTest, TreeColumnAndButtonDataAreKept)
{
    Make(4, 3);
    struct CTree : public CGridTreeColumnHooks
    {
        int nEnd = 0;
        void SetEndRow(int n) override { nEnd = n; }
        int GetEndRow() override { return nEnd; }
    } tree;
    CBtnDataBase* pButtons = reinterpret_cast<CBtnDataBase*>(0x10);
    grid.AttachTreeColumn(&tree, pButtons);
    EXPECT_EQ(&tree, grid.GetTreeColumn());
    EXPECT_EQ(pButtons, grid.GetBtnDataBase());
    grid.InsertTaskRow(2);
    EXPECT_EQ(5, tree.nEnd);
    grid.DeleteRow(1);
    EXPECT_EQ(4, tree.nEnd);
    grid.AttachTreeColumn(nullptr, nullptr);
}

TEST(GridTaskTip, MadeWithTheWindowAndDestroyedWithTheGrid)
{
    AfxEnsureApplication();
    PFN_GRID_CREATE_TASKTIP pfnOld = GridSetTaskTipFactory(&CFakeTaskTip::Make);
    CFakeTaskTip::s_nDeleted = CFakeTaskTip::s_nDestroyed = 0;
    {
        CWnd frame;
        ASSERT_TRUE(frame.CreateEx(0, AFX_WND_CLASS, "tip", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr));
        CGridCtrl grid(3, 3, 1, 1);
        EXPECT_EQ(nullptr, grid.GetTaskTip());
        ASSERT_TRUE(grid.Create(CRect(0, 0, 200, 100), &frame, 5));
        ASSERT_NE(nullptr, grid.GetTaskTip());
        EXPECT_EQ(&grid, CFakeTaskTip::s_pCreatedFor);
        grid.DestroyWindow();
        frame.DestroyWindow();
    }
    EXPECT_EQ(1, CFakeTaskTip::s_nDestroyed);
    EXPECT_EQ(1, CFakeTaskTip::s_nDeleted);
    GridSetTaskTipFactory(pfnOld);
}

TEST(GridCreate, NeedsAParent)
{
    AfxEnsureApplication();
    CGridCtrl grid(3, 3, 1, 1);
    EXPECT_FALSE(grid.Create(CRect(0, 0, 100, 100), nullptr, 1));
    EXPECT_EQ(nullptr, grid.GetSafeHwnd());
}

TEST(GridCreate, WindowCreationSizesTheArraysWithTheDefaults)
{
    AfxEnsureApplication();
    CWnd frame;
    ASSERT_TRUE(frame.CreateEx(0, AFX_WND_CLASS, "c", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr));
    CGridCtrl grid(4, 3, 1, 1);
    grid.SetRowHeight(2, 55);
    ASSERT_TRUE(grid.Create(CRect(0, 0, 300, 200), &frame, 7));
    EXPECT_EQ(7, grid.GetDlgCtrlID());
    CString strClass;
    char buf[64] = {0};
    ::GetClassName(grid.GetSafeHwnd(), buf, sizeof(buf));
    EXPECT_STREQ("OrveskGridTreeCtrl", buf);
    for (int row = 0; row < 4; row++)
        EXPECT_EQ(grid.GetDefCellHeight(), grid.GetRowHeight(row));
    for (int col = 0; col < 3; col++)
        EXPECT_EQ(grid.GetDefCellWidth(), grid.GetColumnWidth(col));
    EXPECT_GE(grid.GetDefCellHeight(), 20);
    EXPECT_GE(grid.GetDefCellWidth(), 100);
    EXPECT_NE(nullptr, grid.GetOwnImageList()->GetSafeHandle());
    EXPECT_EQ(1, grid.GetOwnImageList()->GetImageCount());
    grid.DestroyWindow();
    frame.DestroyWindow();
}

TEST_F(GridTaskHooksTest, TrimEmptyRowsKeepsNamedRowsAndAppendsOneBlank)
{
    Make(7, 4);
    grid.SetItemText(0, 2, _T("任务名称"));
    grid.SetItemText(2, 2, _T("甲"));
    grid.SetItemText(5, 2, _T("乙"));
    grid.TrimEmptyRows();
    ASSERT_EQ(4, grid.GetRowCount());
    EXPECT_EQ(CString(_T("任务名称")), grid.GetItemText(0, 2));
    EXPECT_EQ(CString(_T("甲")), grid.GetItemText(1, 2));
    EXPECT_EQ(CString(_T("乙")), grid.GetItemText(2, 2));
    EXPECT_EQ(CString(_T("")), grid.GetItemText(3, 2));
    EXPECT_EQ(CString(_T("3")), grid.GetItemText(3, 0));
}
