// Mouse and keyboard input arrive as the platform's messages, in its order.
#include "WndTestUtil.h"

#include <ClassLib/Core/Conversion.h>

namespace {

class WndInput : public CWndTestBase
{
};

TEST_F(WndInput, ClickGivesButtonDownThenUpWithClientPointAndFlags)
{
    CLogWnd frame;
    ASSERT_TRUE(CreateTopFrame(frame));
    frame.log.clear();
    AfxTestClick(&frame, CPoint(30, 40));
    std::vector<UINT> seq = frame.Only({WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK});
    ASSERT_EQ(seq, (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP}));
    const CLogWnd::Entry* down = frame.Last(WM_LBUTTONDOWN);
    EXPECT_EQ(GET_X_LPARAM(down->lParam), 30);
    EXPECT_EQ(GET_Y_LPARAM(down->lParam), 40);
    EXPECT_EQ(down->wParam, (WPARAM)MK_LBUTTON);
    EXPECT_EQ(frame.Last(WM_LBUTTONUP)->wParam, (WPARAM)0);
    // Hit test and cursor come before the button message.
    std::vector<UINT> full = frame.Only({WM_NCHITTEST, WM_SETCURSOR, WM_LBUTTONDOWN});
    ASSERT_GE(full.size(), 3u);
    EXPECT_EQ(full[0], (UINT)WM_NCHITTEST);
    EXPECT_EQ(full[1], (UINT)WM_SETCURSOR);
    EXPECT_EQ(full[2], (UINT)WM_LBUTTONDOWN);
}

TEST_F(WndInput, KeyWithCharacterGivesKeyDownCharKeyUp)
{
    CLogWnd frame;
    ASSERT_TRUE(CreateTopFrame(frame));
    frame.SetFocus();
    frame.log.clear();
    AfxTestKey(&frame, 'A');
    std::vector<UINT> seq = frame.Only({WM_KEYDOWN, WM_CHAR, WM_KEYUP});
    ASSERT_EQ(seq, (std::vector<UINT>{WM_KEYDOWN, WM_CHAR, WM_KEYUP}));
    EXPECT_EQ(frame.Last(WM_KEYDOWN)->wParam, (WPARAM)'A');
    EXPECT_EQ(frame.Last(WM_CHAR)->wParam, (WPARAM)'a');
    EXPECT_EQ(frame.Last(WM_KEYUP)->lParam & 0xC0000000, 0xC0000000);
}

}  // namespace

namespace {

class WndInput2 : public CWndTestBase
{
};

TEST_F(WndInput2, DoubleClickNeedsTheClassStyle)
{
    // AfxWnd has CS_DBLCLKS: the second press is a double click.
    CLogWnd frame;
    ASSERT_TRUE(CreateTopFrame(frame));
    frame.log.clear();
    AfxTestDoubleClick(&frame, CPoint(10, 10));
    EXPECT_EQ(frame.Only({WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK}),
              (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}));

    // A class without CS_DBLCLKS gets two presses.
    LPCTSTR cls = AfxRegisterWndClass(0, LoadCursor(nullptr, IDC_ARROW));
    CLogWnd plain;
    ASSERT_TRUE(plain.CreateEx(0, cls, "plain", WS_POPUP | WS_VISIBLE, 600, 100, 100, 100, nullptr, nullptr));
    plain.log.clear();
    AfxTestDoubleClick(&plain, CPoint(10, 10));
    EXPECT_EQ(plain.Only({WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK}),
              (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDOWN, WM_LBUTTONUP}));
}

TEST_F(WndInput2, PressesFarApartInTimeAreSingleClicks)
{
    CLogWnd frame;
    ASSERT_TRUE(CreateTopFrame(frame));
    DWORD t = 100000;
    AfxTestSetTickCount(&t);
    frame.log.clear();
    AfxTestMouseDown(&frame, CPoint(10, 10));
    AfxTestMouseUp(&frame, CPoint(10, 10));
    AfxTestAdvanceTickCount(GetDoubleClickTime() + 1);
    AfxTestMouseDown(&frame, CPoint(10, 10));
    AfxTestMouseUp(&frame, CPoint(10, 10));
    AfxTestAdvanceTickCount(100);
    AfxTestMouseDown(&frame, CPoint(11, 11));  // within time and within 2 pixels: a double click
    AfxTestMouseUp(&frame, CPoint(11, 11));
    EXPECT_EQ(frame.Only({WM_LBUTTONDOWN, WM_LBUTTONDBLCLK}),
              (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONDOWN, WM_LBUTTONDBLCLK}));
}

TEST_F(WndInput2, RightAndMiddleButtonsAndModifierFlags)
{
    CLogWnd frame;
    ASSERT_TRUE(CreateTopFrame(frame));
    frame.log.clear();
    AfxTestClick(&frame, CPoint(3, 4), AFX_TEST_RIGHT, MK_CONTROL);
    AfxTestClick(&frame, CPoint(3, 4), AFX_TEST_MIDDLE, MK_SHIFT);
    EXPECT_EQ(frame.Last(WM_RBUTTONDOWN)->wParam, (WPARAM)(MK_RBUTTON | MK_CONTROL));
    EXPECT_EQ(frame.Last(WM_MBUTTONDOWN)->wParam, (WPARAM)(MK_MBUTTON | MK_SHIFT));
    // The right-button release asks for a context menu, in screen coordinates.
    const CLogWnd::Entry* cm = frame.Last(WM_CONTEXTMENU);
    ASSERT_NE(cm, nullptr);
    EXPECT_EQ(GET_X_LPARAM(cm->lParam), 103);
    EXPECT_EQ(GET_Y_LPARAM(cm->lParam), 104);
}

TEST_F(WndInput2, ChineseCharacterArrivesAsLeadThenTrailByte)
{
    CLogWnd frame;
    ASSERT_TRUE(CreateTopFrame(frame));
    frame.SetFocus();
    frame.log.clear();
    AfxTestInputMethodCommit(&frame, u8"中");
    std::vector<WPARAM> chars;
    for (const auto& e : frame.log)
        if (e.msg == WM_CHAR)
            chars.push_back(e.wParam);
    EXPECT_EQ(chars, (std::vector<WPARAM>{0xD6, 0xD0}));
    EXPECT_EQ(frame.Count(WM_KEYDOWN), 0);
}

TEST_F(WndInput2, KeysGoToTheFocusWindowWithVirtualKeysAndControlCharacters)
{
    CLogWnd frame;
    ASSERT_TRUE(CreateTopFrame(frame));
    CLogWnd child;
    ASSERT_TRUE(child.Create(nullptr, "c", WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 50), &frame, 1));
    child.SetFocus();
    child.log.clear();
    frame.log.clear();
    AfxTestKey(&frame, VK_DOWN);
    AfxTestKey(&frame, 'C', MK_CONTROL);
    AfxTestKey(&frame, VK_OEM_PERIOD);
    AfxTestKey(&frame, VK_F2);
    EXPECT_EQ(frame.Count(WM_KEYDOWN), 0);
    std::vector<WPARAM> downs, chars;
    for (const auto& e : child.log) {
        if (e.msg == WM_KEYDOWN)
            downs.push_back(e.wParam);
        if (e.msg == WM_CHAR)
            chars.push_back(e.wParam);
    }
    EXPECT_EQ(downs, (std::vector<WPARAM>{VK_DOWN, VK_CONTROL, 'C', VK_OEM_PERIOD, VK_F2}));
    EXPECT_EQ(chars, (std::vector<WPARAM>{3, '.'}));
    // Arrows are extended keys.
    for (const auto& e : child.log) {
        if (e.msg == WM_KEYDOWN && e.wParam == VK_DOWN) {
            EXPECT_TRUE((e.lParam >> 24) & 1);
        }
    }
}

TEST_F(WndInput2, KeyStateFollowsTheInputAndCanBeForced)
{
    class CKeyProbe : public CWnd
    {
    public:
        SHORT ctrlDuringKey = 0;
        LRESULT WindowProc(UINT m, WPARAM w, LPARAM l) override
        {
            if (m == WM_KEYDOWN && w == 'S')
                ctrlDuringKey = GetKeyState(VK_CONTROL);
            return CWnd::WindowProc(m, w, l);
        }
    };
    CKeyProbe frame;
    ASSERT_TRUE(CreateTopFrame(frame));
    frame.SetFocus();
    AfxTestKey(&frame, 'S', MK_CONTROL);
    EXPECT_LT(frame.ctrlDuringKey, 0);  // high bit set while held
    EXPECT_GE(GetKeyState(VK_CONTROL), 0);
    AfxTestSetKeyState(VK_SHIFT, TRUE);
    EXPECT_LT(GetKeyState(VK_SHIFT), 0);
    AfxTestClearKeyState(VK_SHIFT);
    EXPECT_GE(GetKeyState(VK_SHIFT), 0);
}

TEST_F(WndInput2, AltKeysAreSystemKeys)
{
    CLogWnd frame;
    ASSERT_TRUE(CreateTopFrame(frame));
    frame.SetFocus();
    frame.log.clear();
    AfxTestKey(&frame, 'F', AFX_TEST_ALT);
    EXPECT_EQ(frame.Only({WM_SYSKEYDOWN, WM_SYSCHAR, WM_SYSKEYUP, WM_KEYDOWN, WM_CHAR}),
              (std::vector<UINT>{WM_SYSKEYDOWN, WM_SYSKEYDOWN, WM_SYSCHAR, WM_SYSKEYUP, WM_SYSKEYUP}));
    const CLogWnd::Entry* d = frame.Last(WM_SYSKEYDOWN);
    EXPECT_EQ(d->wParam, (WPARAM)'F');
    EXPECT_TRUE((d->lParam >> 29) & 1);  // context code: Alt held
}

TEST_F(WndInput2, WheelGoesToTheFocusWindowWithScreenPoint)
{
    CLogWnd frame;
    ASSERT_TRUE(CreateTopFrame(frame));
    CLogWnd child;
    ASSERT_TRUE(child.Create(nullptr, "c", WS_CHILD | WS_VISIBLE, CRect(200, 0, 300, 100), &frame, 1));
    child.SetFocus();
    child.log.clear();
    AfxTestWheel(&frame, CPoint(20, 30), -240);
    const CLogWnd::Entry* e = child.Last(WM_MOUSEWHEEL);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(e->wParam), -240);
    EXPECT_EQ(GET_X_LPARAM(e->lParam), 120);
    EXPECT_EQ(GET_Y_LPARAM(e->lParam), 130);
    // Unhandled, it goes on to the parent.
    EXPECT_EQ(frame.Count(WM_MOUSEWHEEL), 1);
}

TEST_F(WndInput2, CaptureRoutesTheMouseAndReportsItsLoss)
{
    CLogWnd frame;
    ASSERT_TRUE(CreateTopFrame(frame));
    CLogWnd a, b;
    ASSERT_TRUE(a.Create(nullptr, "a", WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 100), &frame, 1));
    ASSERT_TRUE(b.Create(nullptr, "b", WS_CHILD | WS_VISIBLE, CRect(200, 0, 300, 100), &frame, 2));
    EXPECT_EQ(a.SetCapture(), nullptr);
    EXPECT_EQ(CWnd::GetCapture(), &a);
    a.log.clear();
    b.log.clear();
    AfxTestMouseMove(&frame, CPoint(250, 50));  // over b, but a has the capture
    EXPECT_EQ(b.Count(WM_MOUSEMOVE), 0);
    const CLogWnd::Entry* mv = a.Last(WM_MOUSEMOVE);
    ASSERT_NE(mv, nullptr);
    EXPECT_EQ(GET_X_LPARAM(mv->lParam), 250);  // in a's client coordinates, outside it
    EXPECT_EQ(a.Count(WM_SETCURSOR), 0);       // no cursor negotiation under capture
    b.SetCapture();
    const CLogWnd::Entry* lost = a.Last(WM_CAPTURECHANGED);
    ASSERT_NE(lost, nullptr);
    EXPECT_EQ(lost->lParam, reinterpret_cast<LPARAM>(b.GetSafeHwnd()));
    ReleaseCapture();
    EXPECT_EQ(b.Last(WM_CAPTURECHANGED)->lParam, 0);
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
    AfxTestMouseMove(&frame, CPoint(250, 50));
    EXPECT_EQ(b.Count(WM_MOUSEMOVE), 1);
}

TEST_F(WndInput2, FocusChangeSendsKillThenSetWithTheOtherWindow)
{
    CLogWnd frame;
    ASSERT_TRUE(CreateTopFrame(frame));
    CLogWnd a, b;
    ASSERT_TRUE(a.Create(nullptr, "a", WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 100), &frame, 1));
    ASSERT_TRUE(b.Create(nullptr, "b", WS_CHILD | WS_VISIBLE, CRect(200, 0, 300, 100), &frame, 2));
    a.SetFocus();
    a.log.clear();
    b.log.clear();
    std::vector<std::pair<char, UINT>> order;
    b.SetFocus();
    const CLogWnd::Entry* kill = a.Last(WM_KILLFOCUS);
    const CLogWnd::Entry* set = b.Last(WM_SETFOCUS);
    ASSERT_NE(kill, nullptr);
    ASSERT_NE(set, nullptr);
    EXPECT_EQ(kill->wParam, reinterpret_cast<WPARAM>(b.GetSafeHwnd()));
    EXPECT_EQ(set->wParam, reinterpret_cast<WPARAM>(a.GetSafeHwnd()));
    EXPECT_EQ(CWnd::GetFocus(), &b);
    // Destroying the focus window leaves no focus.
    b.DestroyWindow();
    EXPECT_EQ(GetFocus(), nullptr);
}

}  // namespace
