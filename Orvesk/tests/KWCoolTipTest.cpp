// The cool tip: armed only while the mouse is held, shown only where the cursor rests on
// the anchor, sized by its lines, hidden by a key or a click which goes on to the owner or
// the window under the cursor.
#include <gtest/gtest.h>

#include <ClassLib/Testing.h>
#include <ClassLib/Core/Clock.h>
#include <ClassLib/Frames/FrameWnd.h>

#include "KWCoolTip.h"

namespace {

class COwner : public CFrameWnd
{
public:
    struct Msg
    {
        UINT message;
        WPARAM wParam;
        CPoint pt;
    };
    std::vector<Msg> seen;
    void PostNcDestroy() override {}

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_KEYDOWN || message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK ||
            message == WM_RBUTTONDOWN || message == WM_NCLBUTTONDOWN)
            seen.push_back({message, wParam, CPoint((short)LOWORD(lParam), (short)HIWORD(lParam))});
        return CFrameWnd::WindowProc(message, wParam, lParam);
    }
};

class KWCoolTipTest : public CWndTestBase
{
protected:
    void SetUp() override
    {
        CWndTestBase::SetUp();
        ASSERT_TRUE(owner.Create(NULL, "owner", WS_OVERLAPPEDWINDOW, CRect(100, 100, 600, 400)));
        owner.ShowWindow(SW_SHOW);
        AfxPumpMessages();
        ASSERT_TRUE(tip.Create(&owner));
        font.CreatePointFont(90, "宋体");
    }
    void TearDown() override
    {
        if (CWnd::GetCapture() != nullptr)
            ReleaseCapture();
        AfxTestSetTickCount(nullptr);
        tip.DestroyWindow();
        owner.DestroyWindow();
        CWndTestBase::TearDown();
    }
    // The cursor at a point of the owner's client area.
    void CursorAt(int x, int y)
    {
        CPoint pt(x, y);
        owner.ClientToScreen(&pt);
        AfxTestSetCursorPos(pt);
    }
    void Arm(LPCTSTR lpszText)
    {
        owner.SetCapture();
        tip.Show(anchor, lpszText, 3, anchor, &font, RGB(0, 0, 128), RGB(255, 255, 225), 500);
        tip.SendMessage(WM_TIMER, 1, 0);
        AfxPumpMessages();
    }
    int LineHeight()
    {
        CClientDC dc(&tip);
        CFont* pOld = dc.SelectObject(&tip.m_font);
        const int cy = dc.GetTextExtent("Ag").cy;
        dc.SelectObject(pOld);
        return cy;
    }

    COwner owner;
    CKWCoolTip tip;
    CFont font;
    CRect anchor = CRect(40, 50, 140, 70);
};

TEST_F(KWCoolTipTest, ACursorMovedAwayFromTheAnchorShowsNoTip)
{
    CursorAt(43, 50);
    Arm("任务\n开始 2004-3-1");
    EXPECT_FALSE(tip.IsWindowVisible());
    CursorAt(42, 52);
    Arm("任务\n开始 2004-3-1");
    EXPECT_TRUE(tip.IsWindowVisible());
}

TEST_F(KWCoolTipTest, WithoutTheMouseHeldNothingIsArmed)
{
    CursorAt(40, 50);
    tip.Show(anchor, "任务", 3, anchor, &font, CLR_DEFAULT, CLR_DEFAULT, 500);
    tip.SendMessage(WM_TIMER, 1, 0);
    EXPECT_FALSE(tip.IsWindowVisible());
    owner.SetCapture();
    tip.Show(anchor, "", 3, anchor, &font, CLR_DEFAULT, CLR_DEFAULT, 500);
    EXPECT_TRUE(tip.m_strText.IsEmpty());
}

TEST_F(KWCoolTipTest, ThreeLinesMakeThreeLineHeightsTheFirstCentred)
{
    CursorAt(40, 50);
    CDrawRecorder recorder(&tip);
    Arm("设计阶段\n开始: 2004-3-1\n完成: 2004-3-5");
    ASSERT_TRUE(tip.IsWindowVisible());
    CRect rcWindow;
    tip.GetWindowRect(&rcWindow);
    EXPECT_EQ(rcWindow.Height(), 3 * (LineHeight() + 4));
    CPoint ptAnchor(anchor.left + 3, anchor.top);
    owner.ClientToScreen(&ptAnchor);
    EXPECT_EQ(rcWindow.left, ptAnchor.x);
    EXPECT_EQ(rcWindow.top, ptAnchor.y);
    EXPECT_EQ(CWnd::GetCapture(), &tip);

    tip.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    AfxPumpMessages();
    const AfxDrawOp* pFirst = recorder.FindText("设计阶段");
    const AfxDrawOp* pSecond = recorder.FindText("开始: 2004-3-1");
    const AfxDrawOp* pThird = recorder.FindText("完成: 2004-3-5");
    ASSERT_NE(pFirst, nullptr);
    ASSERT_NE(pSecond, nullptr);
    ASSERT_NE(pThird, nullptr);
    EXPECT_TRUE(pFirst->flags & DT_CENTER);
    EXPECT_FALSE(pSecond->flags & DT_CENTER);
    EXPECT_EQ(pSecond->rect.top - pFirst->rect.top, 15);
    EXPECT_EQ(pThird->rect.top - pSecond->rect.top, 15);
    EXPECT_EQ(pFirst->textColor, RGB(0, 0, 128));
    EXPECT_TRUE(AfxTestGrabWindow(&tip, AfxTestOutputPath("cool-tip.png")));
}

TEST_F(KWCoolTipTest, AKeyHidesTheTipAndGoesToTheOwner)
{
    CursorAt(40, 50);
    Arm("任务");
    ASSERT_TRUE(tip.IsWindowVisible());
    tip.SendMessage(WM_KEYDOWN, 'A', 0);
    AfxPumpMessages();
    EXPECT_FALSE(tip.IsWindowVisible());
    EXPECT_NE(CWnd::GetCapture(), &tip);
    ASSERT_FALSE(owner.seen.empty());
    EXPECT_EQ(owner.seen.back().message, (UINT)WM_KEYDOWN);
    EXPECT_EQ(owner.seen.back().wParam, (WPARAM)'A');
}

TEST_F(KWCoolTipTest, AClickGoesToTheWindowUnderTheCursorASecondOneAsADoubleClick)
{
    DWORD dwTicks = 1000;
    AfxTestSetTickCount(&dwTicks);
    CursorAt(40, 50);
    Arm("任务");
    ASSERT_TRUE(tip.IsWindowVisible());
    tip.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, 0);
    AfxPumpMessages();
    EXPECT_FALSE(tip.IsWindowVisible());
    ASSERT_FALSE(owner.seen.empty());
    EXPECT_EQ(owner.seen.back().message, (UINT)WM_LBUTTONDOWN);
    EXPECT_EQ(owner.seen.back().pt, CPoint(40, 50));

    dwTicks += 100;
    AfxTestSetTickCount(&dwTicks);
    Arm("任务");
    ASSERT_TRUE(tip.IsWindowVisible());
    tip.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, 0);
    AfxPumpMessages();
    EXPECT_EQ(owner.seen.back().message, (UINT)WM_LBUTTONDBLCLK);

    dwTicks += 5000;
    AfxTestSetTickCount(&dwTicks);
    Arm("任务");
    tip.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, 0);
    AfxPumpMessages();
    EXPECT_EQ(owner.seen.back().message, (UINT)WM_LBUTTONDOWN);
}

TEST_F(KWCoolTipTest, TheTipGoesAfterTenSeconds)
{
    CursorAt(40, 50);
    Arm("任务");
    ASSERT_TRUE(tip.IsWindowVisible());
    tip.SendMessage(WM_TIMER, 2, 0);
    EXPECT_FALSE(tip.IsWindowVisible());
}

} // namespace
