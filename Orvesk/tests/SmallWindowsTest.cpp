// The dynamic splitter whose panes follow a dragged bar, and the scroll bar subclass.
#include <gtest/gtest.h>

#include <ClassLib/Testing.h>
#include <ClassLib/DocView/CreateContext.h>
#include <ClassLib/DocView/View.h>
#include <ClassLib/Frames/FrameWnd.h>

#include "DynSplitterWnd.h"
#include "LumoScrollBar.h"

namespace {

class CPaneStandIn : public CView
{
    DECLARE_DYNCREATE(CPaneStandIn)
public:
    void OnDraw(CDC*) override {}
};
IMPLEMENT_DYNCREATE(CPaneStandIn, CView)

class CSplitterFrame : public CFrameWnd
{
public:
    BOOL OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext) override
    {
        if (!m_wndSplitter.CreateStatic(this, nRows, nCols))
            return FALSE;
        for (int r = 0; r < nRows; ++r)
            for (int c = 0; c < nCols; ++c)
                if (!m_wndSplitter.CreateView(r, c, RUNTIME_CLASS(CPaneStandIn), CSize(100, 100), pContext))
                    return FALSE;
        return TRUE;
    }
    void PostNcDestroy() override {}
    int nRows = 1, nCols = 3;
    CDynSplitterWnd m_wndSplitter;
};

class DynSplitterTest : public CWndTestBase
{
protected:
    void Make(int nRows, int nCols)
    {
        frame.nRows = nRows;
        frame.nCols = nCols;
        CCreateContext context;
        ASSERT_TRUE(frame.Create(NULL, "split", WS_OVERLAPPEDWINDOW, CRect(0, 0, 600, 400), NULL, NULL, 0, &context));
        frame.ShowWindow(SW_SHOW);
        frame.RecalcLayout();
        AfxPumpMessages();
    }
    void TearDown() override
    {
        if (frame.GetSafeHwnd())
            frame.DestroyWindow();
        CWndTestBase::TearDown();
    }
    int ColumnWidth(int nCol)
    {
        int cx = 0, cxMin = 0;
        frame.m_wndSplitter.GetColumnInfo(nCol, cx, cxMin);
        return cx;
    }
    int RowHeight(int nRow)
    {
        int cy = 0, cyMin = 0;
        frame.m_wndSplitter.GetRowInfo(nRow, cy, cyMin);
        return cy;
    }
    // The first pixel right of column nCol, and below row nRow.
    int BarX(int nCol)
    {
        CRect rc;
        frame.m_wndSplitter.GetPane(0, nCol)->GetWindowRect(&rc);
        frame.m_wndSplitter.ScreenToClient(&rc);
        return rc.right + 2;
    }
    int BarY(int nRow)
    {
        CRect rc;
        frame.m_wndSplitter.GetPane(nRow, 0)->GetWindowRect(&rc);
        frame.m_wndSplitter.ScreenToClient(&rc);
        return rc.bottom + 2;
    }
    LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

    CSplitterFrame frame;
};

TEST_F(DynSplitterTest, TheHitCodesNameTheRowOrColumnTheBarSizes)
{
    Make(2, 2);
    CDynSplitterWnd& s = frame.m_wndSplitter;
    EXPECT_EQ(s.HitTest(CPoint(BarX(0), 30)), 201);
    EXPECT_EQ(s.HitTest(CPoint(30, BarY(0))), 101);
    EXPECT_EQ(s.HitTest(CPoint(BarX(0), BarY(0))), 301);
    EXPECT_EQ(s.HitTest(CPoint(30, 30)), 0);
}

TEST_F(DynSplitterTest, ThePanesFollowTheBarWhileItIsDragged)
{
    Make(1, 3);
    CDynSplitterWnd& s = frame.m_wndSplitter;
    s.SetColumnInfo(0, 150, 10);
    s.SetColumnInfo(1, 150, 10);
    s.RecalcLayout();
    const int x0 = BarX(0);
    const int nWidth1 = ColumnWidth(1);
    s.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(x0, 50));
    EXPECT_TRUE(s.IsDynTracking());
    EXPECT_EQ(CWnd::GetCapture(), &s);
    s.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(x0 + 40, 60));
    // Applied before the button is released; the next column gives the room.
    CRect rc;
    s.GetPane(0, 0)->GetWindowRect(&rc);
    EXPECT_NEAR(rc.Width(), ColumnWidth(0), 0);
    EXPECT_GE(ColumnWidth(0), 185);
    EXPECT_LE(ColumnWidth(0), 195);
    EXPECT_NEAR(ColumnWidth(1), nWidth1 - (ColumnWidth(0) - 150), 1);
    s.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(2, 60));
    EXPECT_EQ(ColumnWidth(0), 10);  // never below the minimum
    s.SendMessage(WM_LBUTTONUP, 0, At(x0 - 50, 60));
    EXPECT_FALSE(s.IsDynTracking());
    EXPECT_NE(CWnd::GetCapture(), &s);
    EXPECT_GE(ColumnWidth(0), 95);
    EXPECT_LE(ColumnWidth(0), 105);
}

TEST_F(DynSplitterTest, ACrossingMovesBothBars)
{
    Make(2, 2);
    CDynSplitterWnd& s = frame.m_wndSplitter;
    s.SetColumnInfo(0, 200, 10);
    s.SetRowInfo(0, 150, 10);
    s.RecalcLayout();
    const int x0 = BarX(0), y0 = BarY(0);
    ASSERT_EQ(s.HitTest(CPoint(x0, y0)), 301);
    s.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(x0, y0));
    s.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(x0 - 60, y0 + 30));
    EXPECT_NEAR(ColumnWidth(0), 200 - 60, 5);
    EXPECT_NEAR(RowHeight(0), 150 + 30, 5);
    s.SendMessage(WM_LBUTTONUP, 0, At(x0 - 60, y0 + 30));
    EXPECT_NEAR(ColumnWidth(0), 140, 5);
    EXPECT_NEAR(RowHeight(0), 180, 5);
}

class CScrollOwner : public CFrameWnd
{
public:
    std::vector<UINT> codes;
    void PostNcDestroy() override {}

protected:
    afx_msg void OnHScroll(UINT nSBCode, UINT, CScrollBar*) { codes.push_back(nSBCode); }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CScrollOwner, CFrameWnd)
    ON_WM_HSCROLL()
END_MESSAGE_MAP()

TEST(LumoScrollBar, ALeftPressOnTheArrowScrollsAsTheClassLibrarysBarDoes)
{
    AfxEnsureApplication();
    CScrollOwner owner;
    ASSERT_TRUE(owner.Create(NULL, "bar", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 100)));
    owner.ShowWindow(SW_SHOW);
    CLumoScrollBar bar;
    ASSERT_TRUE(bar.Create(WS_CHILD | WS_VISIBLE | SBS_HORZ, CRect(0, 0, 200, 16), &owner, 1));
    bar.SetScrollRange(0, 100);
    bar.SetScrollPos(10);
    AfxPumpMessages();
    AfxTestClick(&bar, CPoint(192, 8));
    AfxPumpMessages();
    ASSERT_FALSE(owner.codes.empty());
    EXPECT_EQ(owner.codes.front(), (UINT)SB_LINERIGHT);
    owner.DestroyWindow();
}

} // namespace
