// The title tip: shown only for a text that does not fit its cell, where it is shown and
// what it draws, and the input that hides it.
#include "GridTestUtil.h"
#include "TitleTip.h"

namespace
{
class TitleTipTest : public GridWndTest
{
protected:
    CTitleTip* tip = nullptr;
    CRect rcCell;

    void Make(int nCellWidth)
    {
        grid.SetRowCount(3);
        grid.SetColumnCount(3);
        grid.SetFixedRowCount(1);
        grid.SetFixedColumnCount(1);
        CreateGrid();
        grid.SetColumnWidth(0, 40);
        grid.SetColumnWidth(1, nCellWidth);
        tip = grid.GetTitleTip();
        ASSERT_TRUE(tip);
        ASSERT_TRUE(tip->GetSafeHwnd());
        ASSERT_TRUE(grid.GetCellRect(1, 1, rcCell));
        AfxTestFocus(&grid);
    }
};
} // namespace

TEST_F(TitleTipTest, ShownForATextThatDoesNotFit)
{
    Make(40);
    EXPECT_FALSE(tip->IsWindowVisible());
    CDrawRecorder recorder(tip);
    tip->Show(rcCell, _T("a text much too long for its cell"), 0, NULL, grid.GetLogFont());
    EXPECT_TRUE(tip->IsWindowVisible());
    EXPECT_EQ(CString(_T(" a text much too long for its cell ")), tip->GetShownText());

    // Over the cell, wider than it, as high as it.
    CRect rcTip, rcScreenCell = rcCell;
    tip->GetWindowRect(rcTip);
    grid.ClientToScreen(rcScreenCell);
    EXPECT_EQ(rcScreenCell.left, rcTip.left);
    EXPECT_EQ(rcScreenCell.top, rcTip.top);
    EXPECT_EQ(rcScreenCell.Height(), rcTip.Height());
    EXPECT_GT(rcTip.Width(), rcScreenCell.Width());
    EXPECT_EQ(CRect(-1, -1, rcCell.Width(), rcCell.Height() + 1), tip->GetTitleRect());

    const AfxDrawOp* pText = recorder.FindText(_T(" a text much too long for its cell "));
    ASSERT_TRUE(pText);
    ASSERT_FALSE(pText->points.empty());
    EXPECT_EQ(CPoint(0, 0), pText->points[0]);
    EXPECT_EQ(TRANSPARENT, pText->bkMode);
    EXPECT_EQ(tip, CWnd::GetCapture());

    tip->Hide();
    EXPECT_FALSE(tip->IsWindowVisible());
    EXPECT_NE(tip, CWnd::GetCapture());
}

TEST_F(TitleTipTest, NotShownForATextThatFits)
{
    Make(300);
    CDrawRecorder recorder(tip);
    tip->Show(rcCell, _T("ab"), 0, NULL, grid.GetLogFont());
    EXPECT_FALSE(tip->IsWindowVisible());
    EXPECT_EQ(nullptr, recorder.FindText(_T(" ab ")));
}

TEST_F(TitleTipTest, NotShownWithoutTheFocusOrForAnEmptyRectangle)
{
    Make(40);
    tip->Show(CRect(0, 0, 0, 0), _T("a text much too long for its cell"), 0);
    EXPECT_FALSE(tip->IsWindowVisible());
    AfxTestResetInput();
    tip->Show(rcCell, _T("a text much too long for its cell"), 0);
    EXPECT_FALSE(tip->IsWindowVisible());
}

TEST_F(TitleTipTest, TheColoursGivenFillAndDraw)
{
    Make(40);
    CDrawRecorder recorder(tip);
    tip->Show(rcCell, _T("another text that is too long"), 0, NULL, NULL, RGB(200, 0, 0), RGB(0, 0, 120));
    ASSERT_TRUE(tip->IsWindowVisible());
    const AfxDrawOp* pText = recorder.FindText(_T(" another text that is too long "));
    ASSERT_TRUE(pText);
    EXPECT_EQ(RGB(200, 0, 0), pText->textColor);
    bool bFilled = false;
    for (const AfxDrawOp* pOp : recorder.OfKind(AfxDrawKind::FillRect))
        bFilled |= pOp->color == RGB(0, 0, 120);
    EXPECT_TRUE(bFilled);
}

TEST_F(TitleTipTest, LeavingTheHoverAreaOrAKeyHidesIt)
{
    Make(40);
    tip->Show(rcCell, _T("a text much too long for its cell"), 0);
    ASSERT_TRUE(tip->IsWindowVisible());
    CRect hover = tip->GetHoverRect();
    tip->SendMessage(WM_MOUSEMOVE, 0, MAKELONG(hover.left + 2, hover.top + 2));
    EXPECT_TRUE(tip->IsWindowVisible());
    tip->SendMessage(WM_MOUSEMOVE, 0, MAKELONG(hover.right + 30, hover.top + 2));
    EXPECT_FALSE(tip->IsWindowVisible());

    tip->Show(rcCell, _T("a text much too long for its cell"), 0);
    ASSERT_TRUE(tip->IsWindowVisible());
    MSG msg = {};
    msg.hwnd = tip->GetSafeHwnd();
    msg.message = WM_KEYDOWN;
    msg.wParam = VK_DOWN;
    EXPECT_TRUE(tip->PreTranslateMessage(&msg));
    EXPECT_FALSE(tip->IsWindowVisible());
}

TEST_F(TitleTipTest, StartingAnEditHidesIt)
{
    grid.bPassEdits = TRUE;
    Make(40);
    tip->Show(rcCell, _T("a text much too long for its cell"), 0);
    ASSERT_TRUE(tip->IsWindowVisible());
    grid.OnEditCell(1, 1, CPoint(-1, -1), VK_LBUTTON);
    EXPECT_FALSE(tip->IsWindowVisible());
    grid.EndEditing();
}

TEST_F(TitleTipTest, TheGridShowsItForACutCellText)
{
    Make(40);
    grid.SetItemText(1, 1, "a cell text much too long for the cell");
    grid.SetItemText(1, 2, "ok");
    grid.SetColumnWidth(2, 200);
    grid.ShowTitleTip(1, 2);
    EXPECT_FALSE(tip->IsWindowVisible());
    grid.ShowTitleTip(1, 1);
    EXPECT_TRUE(tip->IsWindowVisible());
    EXPECT_EQ(CString(" a cell text much too long for the cell "), tip->GetShownText());
    grid.EnableTitleTips(FALSE);
    tip->Hide();
    grid.ShowTitleTip(1, 1);
    EXPECT_FALSE(tip->IsWindowVisible());
}
