// The bitmap and dialog cells of a task row and the tree cell with buttons.
#include "GridBmpCell.h"
#include "GridCellsTestUtil.h"
#include "GridDlgCell.h"
#include "GridTreeBtnCell.h"
#include "GridVirtHooks.h"

namespace {

int g_task;
CTaskItem* Task() { return reinterpret_cast<CTaskItem*>(&g_task); }

BOOL ReadDates(CTaskItem* pTask, COleDateTime& start, COleDateTime& finish)
{
    if (pTask != Task())
        return FALSE;
    start = COleDateTime(2004, 3, 5, 0, 0, 0);
    finish = COleDateTime(2004, 4, 9, 0, 0, 0);
    return TRUE;
}

// Date pickers that are plain child windows, recording how they were asked to start.
class CFakeDatePickers : public CGridDateEditorHooks {
public:
    struct Picker {
        CFakeEditorWnd* pWnd;
        int nRow;
        int nCol;
        COleDateTime initial;
        COleDateTime shown;
    };
    std::vector<Picker> pickers;
    int nEnds = 0;

    CFakeDatePickers() { m_pOld = GridSetDateEditorHooks(this); }
    ~CFakeDatePickers() override
    {
        GridSetDateEditorHooks(m_pOld);
        for (Picker& p : pickers) {
            p.pWnd->DestroyWindow();
            delete p.pWnd;
        }
    }
    CWnd* CreateDateEditor(CGridCtrl* pGrid, const CRect& rect, UINT nID, int nRow, int nCol,
                           const COleDateTime& date) override
    {
        CFakeEditorWnd* pWnd = new CFakeEditorWnd;
        if (!pWnd->Create(AFX_WND_CLASS, "", WS_CHILD, rect, pGrid, nID)) {
            delete pWnd;
            return nullptr;
        }
        pickers.push_back({pWnd, nRow, nCol, date, date});
        return pWnd;
    }
    void SetTime(CWnd* pPicker, const COleDateTime& date) override
    {
        for (Picker& p : pickers)
            if (p.pWnd == pPicker)
                p.shown = date;
    }
    void EndEdit(CWnd*) override { nEnds++; }

private:
    CGridDateEditorHooks* m_pOld = nullptr;
};

struct TaskDatesScope {
    PFN_GRID_TASK_DATES pfnOld;
    TaskDatesScope() { pfnOld = GridSetTaskDatesReader(&ReadDates); }
    ~TaskDatesScope() { GridSetTaskDatesReader(pfnOld); }
};

}  // namespace

class GridTaskRowCells : public CTaskLikeGridTest {
protected:
    void SetUp() override
    {
        CTaskLikeGridTest::SetUp();
        m_grid.SetRowCount(3);
        m_grid.SetFixedRowCount(1);
    }
    template <class T>
    T* Make(int nRow, int nCol, CRuntimeClass* pClass)
    {
        EXPECT_TRUE(m_grid.SetCellType(nRow, nCol, pClass));
        T* pCell = static_cast<T*>(m_grid.GetCell(nRow, nCol));
        pCell->SetBtnDataBase(&m_btnData);
        return pCell;
    }
};

TEST_F(GridTaskRowCells, BitmapCellShowsTheIconOfItsRowState)
{
    CImageList images;
    ASSERT_TRUE(images.Create(14, 14, ILC_COLOR24, 6, 1));
    CBitmap bitmap;
    {
        CWindowDC screen(nullptr);
        bitmap.CreateCompatibleBitmap(&screen, 14 * 6, 14);
    }
    images.Add(&bitmap, RGB(255, 255, 255));
    ASSERT_EQ(images.GetImageCount(), 6);
    m_grid.SetImageList(&images);
    CGridBmpCell* pCell = Make<CGridBmpCell>(1, 1, RUNTIME_CLASS(CGridBmpCell));
    EXPECT_FALSE(pCell->IsKindOf(RUNTIME_CLASS(CGridBtnCellBase)));
    const CRect rect(40, 20, 69, 39);

    struct Case {
        int nRowState;
        UINT nState;
        int nImage;
    };
    const Case cases[] = {
        {5, 0, 1},
        {2, 0, 2},
        {5, GRIDSTATE_SELECTED, 4},
        {2, GRIDSTATE_SELECTED, 5},
        {2, GRIDSTATE_SELECTED | GRIDSTATE_FOCUSED, 2},
        {0, 0, -1},
        {1, GRIDSTATE_SELECTED, -1},
    };
    for (const Case& c : cases) {
        pCell->SetRowState(c.nRowState);
        pCell->SetState(c.nState);
        CRecordingDC dc;
        EXPECT_TRUE(pCell->Draw(&dc, 1, 1, rect, FALSE));
        auto ops = dc.Recorder().OfKind(AfxDrawKind::Image);
        if (c.nImage < 0) {
            EXPECT_TRUE(ops.empty()) << c.nRowState;
            continue;
        }
        ASSERT_EQ(ops.size(), 1u) << c.nRowState;
        EXPECT_EQ(ops[0]->image, c.nImage);
        EXPECT_EQ(ops[0]->rect.TopLeft(), CPoint(45, 24));
        EXPECT_EQ(ops[0]->flags, static_cast<UINT>(ILD_TRANSPARENT));
    }
    pCell->SetState(0);
    EXPECT_TRUE(pCell->Edit(1, 1, rect, CPoint(5, 5), IDC_GRID_INPLACE_CONTROL, 'a'));
    EXPECT_FALSE(pCell->IsEditing());
    m_grid.SetImageList(nullptr);
}

TEST_F(GridTaskRowCells, DialogCellOpensThePickerOnTheTaskDates)
{
    CFakeDatePickers pickers;
    TaskDatesScope dates;
    m_grid.GetCell(1, 0)->SetTask(Task());
    for (int nCol : {4, 5}) {
        CGridDlgCell* pCell = Make<CGridDlgCell>(1, nCol, RUNTIME_CLASS(CGridDlgCell));
        ASSERT_TRUE(pCell->SetupButton(0, DFC_SCROLL, DFCS_SCROLLCOMBOBOX, 2, 0, FALSE, NULL));
        CRect rect;
        ASSERT_TRUE(m_grid.GetCellRect(1, nCol, &rect));
        // The arrow lies at the right end of the cell.
        const CPoint arrow(rect.Width() - 8, 5);
        pCell->OnClickDown(arrow);
        pCell->OnClick(arrow);
        ASSERT_EQ(pickers.pickers.size(), nCol == 4 ? 1u : 2u);
        const auto& picker = pickers.pickers.back();
        EXPECT_EQ(picker.nCol, nCol);
        EXPECT_EQ(picker.initial, COleDateTime(2000, 10, 1, 0, 0, 0));
        EXPECT_EQ(picker.shown, nCol == 4 ? COleDateTime(2004, 3, 5, 0, 0, 0) : COleDateTime(2004, 4, 9, 0, 0, 0));
        EXPECT_EQ(picker.pWnd->Count(static_cast<UINT>(DTN_DROPDOWN)), 1);
        EXPECT_TRUE(picker.pWnd->IsWindowVisible());
        EXPECT_TRUE(pCell->IsEditing());
        EXPECT_EQ(m_btnData.GetEditWnd(), picker.pWnd);
        pCell->OnEndEdit();
        EXPECT_FALSE(pCell->IsEditing());
        EXPECT_EQ(pCell->GetDrawState(0), static_cast<UINT>(DFCS_SCROLLCOMBOBOX));
    }
    EXPECT_EQ(m_parent.CountNotify(GRIDN_BEGINLABELEDIT), 2);
}

TEST_F(GridTaskRowCells, DialogCellWithoutATaskStartsOnTheFirstOfOctober2000)
{
    CFakeDatePickers pickers;
    TaskDatesScope dates;
    CGridDlgCell* pCell = Make<CGridDlgCell>(1, 4, RUNTIME_CLASS(CGridDlgCell));
    ASSERT_TRUE(pCell->SetupButton(0, DFC_SCROLL, DFCS_SCROLLCOMBOBOX, 2, 0, FALSE, NULL));
    CRect rect;
    m_grid.GetCellRect(1, 4, &rect);
    pCell->Edit(1, 4, rect, CPoint(rect.Width() - 8, 5), IDC_GRID_INPLACE_CONTROL, VK_LBUTTON);
    ASSERT_EQ(pickers.pickers.size(), 1u);
    EXPECT_EQ(pickers.pickers[0].shown, COleDateTime(2000, 10, 1, 0, 0, 0));
    pCell->EndEdit();
    EXPECT_EQ(pickers.nEnds, 1);
    EXPECT_EQ(m_btnData.GetEditWnd(), nullptr);
}

TEST_F(GridTaskRowCells, ReadOnlyDialogCellOpensNoPicker)
{
    CFakeDatePickers pickers;
    CGridDlgCell* pCell = Make<CGridDlgCell>(1, 4, RUNTIME_CLASS(CGridDlgCell));
    ASSERT_TRUE(pCell->SetupButton(0, DFC_SCROLL, DFCS_SCROLLCOMBOBOX, 2, 0, FALSE, NULL));
    pCell->SetEditable(FALSE);
    CRect rect;
    m_grid.GetCellRect(1, 4, &rect);
    pCell->OnClickDown(CPoint(rect.Width() - 8, 5));
    pCell->OnClick(CPoint(rect.Width() - 8, 5));
    EXPECT_TRUE(pickers.pickers.empty());
    EXPECT_EQ(m_parent.CountNotify(GRIDN_BEGINLABELEDIT), 0);
}

class GridTreeBtnCellTest : public CTaskLikeGridTest {};

TEST_F(GridTreeBtnCellTest, ClickOnTheExpandBoxTogglesWithoutReporting)
{
    std::vector<BYTE> bytes = {0x81, 0x82, 0x81};
    m_tree.Setup(&m_grid, 2, 3, 1, bytes.data(), TRUE, FALSE, RUNTIME_CLASS(CGridTreeBtnCell));
    const char* names[] = {"A", "B", "C"};
    for (int i = 0; i < 3; i++)
        m_grid.SetItemText(i + 1, 2, names[i]);
    CGridTreeBtnCell* pCell = static_cast<CGridTreeBtnCell*>(m_grid.GetCell(1, 2));
    ASSERT_TRUE(pCell->IsKindOf(RUNTIME_CLASS(CGridTreeBtnCell)));
    CRect rcBox;
    ASSERT_TRUE(pCell->GetExpandBoxRect(rcBox));
    pCell->OnClickDown(rcBox.CenterPoint());
    EXPECT_FALSE(m_tree.IsRowViewable(2));
    EXPECT_EQ(m_parent.Count(WM_GRID_EXPANDCHANGED), 0);
}

TEST_F(GridTreeBtnCellTest, ButtonsSitAfterTheIndentAndCopiesKeepTheTree)
{
    std::vector<BYTE> bytes = {0x82};
    m_tree.Setup(&m_grid, 2, 1, 1, bytes.data(), TRUE, FALSE, RUNTIME_CLASS(CGridTreeBtnCell));
    CGridTreeBtnCell* pCell = static_cast<CGridTreeBtnCell*>(m_grid.GetCell(1, 2));
    pCell->SetBtnDataBase(&m_btnData);
    pCell->SetText("任务");
    ASSERT_TRUE(pCell->SetupButton(0, DFC_BUTTON, DFCS_BUTTONCHECK, 1, 0, FALSE, NULL));
    EXPECT_EQ(pCell->GetButtonCount(), 1);

    // The cell (70, 20, 219, 39); indent 10 x 2 + 8: buttons drawn from x 98, shrunk by
    // the margin 3: a check box 19 wide in the slot [101, 121].
    CRecordingDC dc;
    pCell->Draw(&dc, 1, 2, CRect(70, 20, 219, 39), FALSE);
    auto frames = dc.Recorder().OfKind(AfxDrawKind::FrameControl);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_TRUE(SameRect(frames[0]->rect, 101, 20, 121, 40));

    CGridTreeBtnCell copy;
    copy.CopyWithDataBase(*pCell);
    EXPECT_STREQ(copy.GetText(), "任务");
    EXPECT_EQ(copy.GetLevel(), 2);
    EXPECT_EQ(copy.GetTreeColumn(), &m_tree);
    EXPECT_EQ(copy.GetBtnDataBase(), &m_btnData);
    EXPECT_EQ(copy.GetCoords(), CPoint(2, 1));
    CGridTreeBtnCell plain;
    plain.CopyFrom(*pCell);
    EXPECT_EQ(plain.GetBtnDataBase(), nullptr);
    EXPECT_EQ(plain.GetLevel(), 2);
}
