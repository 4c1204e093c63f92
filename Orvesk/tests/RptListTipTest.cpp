// The report list's tip: its window class, no tip for a text that fits, the tip laid over a
// cut-off cell, and how it goes: a move out of the cell, a click (which reaches the list),
// a key, the application losing the focus.
#include "RptListTestSupport.h"

#include "SuperListCtrl/RptListTip.h"

#include <cstring>

namespace {

// A list that records the mouse and key messages that reach it.
class CTipRptList : public CRptListCtrl
{
public:
    std::vector<std::pair<UINT, CPoint>> seen;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_LBUTTONDOWN || message == WM_MOUSEMOVE || message == WM_KEYDOWN)
            seen.push_back({message, CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)))});
        return CRptListCtrl::WindowProc(message, wParam, lParam);
    }
};

class RptListTipTest : public CWndTestBase
{
protected:
    void SetUp() override
    {
        CWndTestBase::SetUp();
        ASSERT_TRUE(host.CreateHost());
        ASSERT_TRUE(list.Create(kRptListStyle, CRect(0, 0, 400, 200), &host, 7));
        list.InsertRptColumn(0, "Name", LVCFMT_LEFT, 60, 0, 0);
        list.InsertRptColumn(1, "Note", LVCFMT_LEFT, 60, 1, 0);
        list.InsertItem(0, "a");
        list.SetItemText(0, 1, "a note much too long for its cell");
        list.InsertItem(1, "b");
        list.SetItemText(1, 1, "ok");
        AfxTestFocus(&list);
    }
    void TearDown() override
    {
        list.DestroyWindow();
        host.DestroyWindow();
        CWndTestBase::TearDown();
    }
    CPoint CellPoint(int nRow, int nCol, int dx = 10)
    {
        CRect rc;
        list.GetCellRect(nRow, nCol, rc);
        return CPoint(rc.left + dx, rc.CenterPoint().y);
    }
    CRptListTip& Tip() { return *list.GetListTip(); }

    CRptHostWnd host;
    CTipRptList list;
};

TEST_F(RptListTipTest, TheTipWindowIsAHiddenToolWindowOfItsOwnClass)
{
    ASSERT_NE(Tip().GetSafeHwnd(), nullptr);
    char szClass[64] = {0};
    ::GetClassName(Tip().GetSafeHwnd(), szClass, sizeof(szClass));
    EXPECT_STREQ(szClass, "RptListTip");
    EXPECT_FALSE(Tip().IsWindowVisible());
    EXPECT_EQ(Tip().GetExStyle() & (WS_EX_TOOLWINDOW | WS_EX_TOPMOST), (DWORD)(WS_EX_TOOLWINDOW | WS_EX_TOPMOST));
    EXPECT_EQ(Tip().GetStyle() & (WS_POPUP | WS_BORDER), (DWORD)(WS_POPUP | WS_BORDER));
}

TEST_F(RptListTipTest, AFittingTextShowsNoTip)
{
    AfxTestMouseMove(&list, CellPoint(1, 1));
    EXPECT_FALSE(Tip().IsWindowVisible());
}

TEST_F(RptListTipTest, ACutOffTextShowsOverTheCellAndAMoveOutHidesIt)
{
    AfxTestMouseMove(&list, CellPoint(0, 1));
    ASSERT_TRUE(Tip().IsWindowVisible());
    CRect rcCell, rcTip;
    list.GetCellRect(0, 1, rcCell);
    list.ClientToScreen(&rcCell);
    Tip().GetWindowRect(&rcTip);
    EXPECT_EQ(rcTip.left, rcCell.left + 5);
    EXPECT_EQ(rcTip.top, rcCell.top - 1);
    EXPECT_GT(rcTip.right, rcCell.right);
    EXPECT_EQ(CWnd::GetCapture(), &Tip());
    EXPECT_TRUE(AfxTestGrabWindow(&Tip(), AfxTestOutputPath("rpt-list-tip.png")));
    // Within the cell the tip stays.
    AfxTestMouseMove(&list, CellPoint(0, 1, 30));
    EXPECT_TRUE(Tip().IsWindowVisible());
    // One row down is outside: the tip goes and the list gets the move.
    list.seen.clear();
    const CPoint out = CellPoint(1, 1, 30);
    AfxTestMouseMove(&list, out);
    AfxPumpMessages(3);
    EXPECT_FALSE(Tip().IsWindowVisible());
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
    bool bMoved = false;
    for (auto& m : list.seen)
        bMoved = bMoved || (m.first == WM_MOUSEMOVE && m.second == out);
    EXPECT_TRUE(bMoved);
}

TEST_F(RptListTipTest, AClickOnTheTipReachesTheListAtTheSamePoint)
{
    AfxTestMouseMove(&list, CellPoint(0, 1));
    ASSERT_TRUE(Tip().IsWindowVisible());
    list.seen.clear();
    const CPoint pt = CellPoint(0, 1, 20);
    AfxTestMouseDown(&list, pt);
    AfxPumpMessages(3);
    EXPECT_FALSE(Tip().IsWindowVisible());
    bool bClicked = false;
    for (auto& m : list.seen)
        bClicked = bClicked || (m.first == WM_LBUTTONDOWN && m.second == pt);
    EXPECT_TRUE(bClicked);
    AfxTestMouseUp(&list, pt);
}

TEST_F(RptListTipTest, AKeyHidesTheTipAndGoesToTheList)
{
    AfxTestMouseMove(&list, CellPoint(0, 1));
    ASSERT_TRUE(Tip().IsWindowVisible());
    list.seen.clear();
    Tip().SendMessage(WM_KEYDOWN, VK_DOWN, 0);
    AfxPumpMessages(3);
    EXPECT_FALSE(Tip().IsWindowVisible());
    ASSERT_FALSE(list.seen.empty());
    EXPECT_EQ(list.seen.back().first, (UINT)WM_KEYDOWN);
}

TEST_F(RptListTipTest, LeavingTheApplicationHidesTheTipOnTheNextMessage)
{
    AfxTestMouseMove(&list, CellPoint(0, 1));
    ASSERT_TRUE(Tip().IsWindowVisible());
    AfxTestDeactivateApp();
    Tip().SendMessage(WM_NULL, 0, 0);
    EXPECT_FALSE(Tip().IsWindowVisible());
    // Without the focus no tip comes up.
    Tip().Show(CRect(0, 0, 10, 10), "long enough text", 5);
    EXPECT_FALSE(Tip().IsWindowVisible());
    AfxTestActivateApp();
}

} // namespace
