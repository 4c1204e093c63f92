// A task-like grid of seven columns painted whole: a three-level tree with one collapsed
// branch, status icons, spin and date cells. Checks what the paint drew and writes
// screenshots to the test output folder.
#include "GridBmpCell.h"
#include "GridCellsTestUtil.h"
#include "GridDlgCell.h"
#include "GridSpinCell.h"

namespace {

struct TaskRow {
    int nLevel;
    const char* pszName;
    int nDays;
    const char* pszStart;
    const char* pszFinish;
    const char* pszPred;
    int nStatus;
};

const TaskRow kRows[] = {
    {1, "项目启动", 30, "2004年3月1日", "2004年4月9日", "", 5},
    {2, "需求分析", 8, "2004年3月1日", "2004年3月10日", "", 5},
    {3, "用户访谈", 3, "2004年3月1日", "2004年3月3日", "", 5},
    {3, "需求文档", 5, "2004年3月4日", "2004年3月10日", "3", 2},
    {2, "系统设计", 10, "2004年3月11日", "2004年3月24日", "2", 2},
    {3, "架构设计", 6, "2004年3月11日", "2004年3月18日", "", 0},
    {3, "接口设计", 4, "2004年3月19日", "2004年3月24日", "6", 0},
    {1, "开发", 20, "2004年3月25日", "2004年4月21日", "5", 0},
    {2, "编码", 15, "2004年3月25日", "2004年4月14日", "", 0},
    {2, "测试", 5, "2004年4月15日", "2004年4月21日", "9", 0},
};
const int kRowCount = sizeof(kRows) / sizeof(kRows[0]);

}  // namespace

class TaskGridShow : public CTaskLikeGridTest {
protected:
    CImageList m_images;

    void SetUp() override
    {
        CTaskLikeGridTest::SetUp();
        MakeStatusImages();
        m_grid.SetImageList(&m_images);
        m_grid.SetTaskGrid(TRUE);

        std::vector<BYTE> bytes;
        for (const TaskRow& row : kRows)
            bytes.push_back(static_cast<BYTE>(row.nLevel | TREE_VIEWABLE_BIT));
        bytes.push_back(1 | TREE_VIEWABLE_BIT);  // a blank row at the end
        m_tree.Setup(&m_grid, 2, kRowCount + 1, 1, bytes.data(), TRUE, FALSE);

        const char* headings[7] = {"", "", "任务名称", "工期", "开始时间", "完成时间", "前置任务"};
        for (int col = 0; col < 7; col++)
            m_grid.SetItemText(0, col, headings[col]);
        for (int i = 0; i <= kRowCount; i++)
            MakeRow(i + 1, i < kRowCount ? &kRows[i] : nullptr);

        m_tree.Collapse(5);
        m_tree.RefreshRowHeights();
    }

    void TearDown() override
    {
        m_grid.SetImageList(nullptr);
        CTaskLikeGridTest::TearDown();
    }

    // Six 14 x 14 status images: filled circles in distinct colours.
    void MakeStatusImages()
    {
        ASSERT_TRUE(m_images.Create(14, 14, ILC_COLOR24 | ILC_MASK, 6, 1));
        const COLORREF colours[6] = {RGB(128, 128, 128), RGB(0, 160, 0), RGB(230, 160, 0),
                                     RGB(200, 0, 0),     RGB(0, 90, 200), RGB(150, 60, 200)};
        CClientDC screen(nullptr);
        CDC dc;
        dc.CreateCompatibleDC(&screen);
        CBitmap bitmap;
        bitmap.CreateCompatibleBitmap(&screen, 14 * 6, 14);
        CBitmap* pOld = dc.SelectObject(&bitmap);
        dc.FillSolidRect(0, 0, 14 * 6, 14, RGB(255, 255, 255));
        for (int i = 0; i < 6; i++) {
            CBrush brush(colours[i]);
            CBrush* pOldBrush = dc.SelectObject(&brush);
            dc.Ellipse(i * 14 + 1, 1, i * 14 + 13, 13);
            dc.SelectObject(pOldBrush);
        }
        dc.SelectObject(pOld);
        m_images.Add(&bitmap, RGB(255, 255, 255));
    }

    void MakeRow(int nRow, const TaskRow* pRow)
    {
        ASSERT_TRUE(m_grid.SetCellType(nRow, 1, RUNTIME_CLASS(CGridBmpCell)));
        ASSERT_TRUE(m_grid.SetCellType(nRow, 3, RUNTIME_CLASS(CGridSpinCell)));
        ASSERT_TRUE(m_grid.SetCellType(nRow, 4, RUNTIME_CLASS(CGridDlgCell)));
        ASSERT_TRUE(m_grid.SetCellType(nRow, 5, RUNTIME_CLASS(CGridDlgCell)));
        for (int col : {1, 3, 4, 5})
            static_cast<CGridBtnCellBase*>(m_grid.GetCell(nRow, col))->SetBtnDataBase(&m_btnData);
        auto* pSpin = static_cast<CGridSpinCell*>(m_grid.GetCell(nRow, 3));
        pSpin->SetupButton(0, DFC_SCROLL, DFCS_SCROLLUP, 2, 0, FALSE, NULL);
        pSpin->SetupButton(1, DFC_SCROLL, DFCS_SCROLLDOWN, 2, 0, FALSE, NULL);
        pSpin->SetFormat(DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
        for (int col : {4, 5})
            static_cast<CGridDlgCell*>(m_grid.GetCell(nRow, col))
                ->SetupButton(0, DFC_SCROLL, DFCS_SCROLLCOMBOBOX, 2, 0, FALSE, NULL);

        CString number;
        number.Format("%d", nRow);
        m_grid.SetItemText(nRow, 0, number);
        if (!pRow) {
            m_grid.GetCell(nRow, 0)->SetRowState(4);
            return;
        }
        m_grid.GetCell(nRow, 1)->SetRowState(pRow->nStatus);
        m_grid.SetItemText(nRow, 2, pRow->pszName);
        CString days;
        days.Format("%d个工作日", pRow->nDays);
        m_grid.SetItemText(nRow, 3, days);
        m_grid.SetItemText(nRow, 4, pRow->pszStart);
        m_grid.SetItemText(nRow, 5, pRow->pszFinish);
        m_grid.SetItemText(nRow, 6, pRow->pszPred);
    }

    // Paints the grid with the focus on one cell and keeps what was drawn.
    void PaintWithFocus(CDrawRecorder& recorder, int nRow, int nCol)
    {
        m_grid.SetFocusCell(nRow, nCol);
        m_grid.SetSelectedRange(nRow, nCol, nRow, nCol);
        m_grid.Invalidate();
        recorder.Clear();
        m_grid.UpdateWindow();
    }
};

TEST_F(TaskGridShow, PaintsTheTreeTheIconsAndTheSelectedCellsButtons)
{
    ASSERT_EQ(m_grid.GetRowHeight(6), 0);
    ASSERT_EQ(m_grid.GetRowHeight(7), 0);
    ASSERT_EQ(m_grid.GetRowHeight(8), 20);

    CDrawRecorder recorder(&m_grid);
    PaintWithFocus(recorder, 3, 3);

    // The collapsed branch's children are not drawn; the rest of the tree is.
    EXPECT_NE(recorder.FindText("系统设计"), nullptr);
    EXPECT_NE(recorder.FindText("用户访谈"), nullptr);
    EXPECT_EQ(recorder.FindText("架构设计"), nullptr);
    EXPECT_EQ(recorder.FindText("接口设计"), nullptr);
    EXPECT_NE(recorder.FindText("3个工作日"), nullptr);

    // Expand boxes: rows 1, 2, 5, 8 have children; row 5 is collapsed and gets the plus.
    int nBoxes = 0;
    for (const AfxDrawOp* op : recorder.OfKind(AfxDrawKind::Rectangle))
        nBoxes += op->penColor == m_tree.GetTreeLineColor() ? 1 : 0;
    EXPECT_EQ(nBoxes, 4);

    // Status icons: rows 1-3 completed (image 1), rows 4 and 5 in progress (image 2), the
    // hidden rows and the rest none.
    std::vector<int> images;
    for (const AfxDrawOp* op : recorder.OfKind(AfxDrawKind::Image))
        if (op->imageList == m_images.GetSafeHandle())
            images.push_back(op->image);
    EXPECT_EQ(images, (std::vector<int>{1, 1, 1, 2, 2}));

    // Only the focused spin cell shows its arrows.
    auto frames = recorder.OfKind(AfxDrawKind::FrameControl);
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0]->flags, static_cast<UINT>(DFCS_SCROLLUP));
    EXPECT_EQ(frames[1]->flags, static_cast<UINT>(DFCS_SCROLLDOWN));
    CRect rcCell;
    ASSERT_TRUE(m_grid.GetCellRect(3, 3, &rcCell));
    EXPECT_EQ(frames[0]->rect.right, rcCell.right + 1);

    EXPECT_TRUE(AfxTestGrabWindow(&m_parent, AfxTestOutputPath("task-grid-tree.png")));
}

TEST_F(TaskGridShow, DateCellShowsItsDropDownArrowWhenSelected)
{
    CDrawRecorder recorder(&m_grid);
    PaintWithFocus(recorder, 2, 4);
    auto frames = recorder.OfKind(AfxDrawKind::FrameControl);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0]->flags, static_cast<UINT>(DFCS_SCROLLCOMBOBOX));
    EXPECT_EQ(frames[0]->type, static_cast<UINT>(DFC_SCROLL));
    EXPECT_TRUE(AfxTestGrabWindow(&m_parent, AfxTestOutputPath("task-grid-date-cell.png")));
}
