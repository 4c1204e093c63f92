// Window geometry, styles, relations, showing and scroll bars.
#include "WndTestUtil.h"

#include <ClassLib/Controls/Button.h>
#include <ClassLib/Controls/ComboBox.h>
#include <ClassLib/Controls/Static.h>

#include <typeinfo>

namespace {

class WndGeometry : public CWndTestBase
{
};

TEST_F(WndGeometry, BordersEdgesAndScrollBarsShrinkTheClientArea)
{
    CWnd frame;
    ASSERT_TRUE(CreateTopFrame(frame, 400, 300));
    CWnd child;
    ASSERT_TRUE(child.CreateEx(WS_EX_CLIENTEDGE, nullptr, "c", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL,
                               CRect(10, 10, 210, 110), &frame, 1));
    CRect client, window;
    child.GetClientRect(&client);
    child.GetWindowRect(&window);
    // 1 border + 2 client edge on each side, 16 for the vertical bar.
    EXPECT_EQ(client, CRect(0, 0, 200 - 6 - 16, 100 - 6));
    EXPECT_EQ(window, CRect(110, 110, 310, 210));
    CPoint p(0, 0);
    child.ClientToScreen(&p);
    EXPECT_EQ(p, CPoint(113, 113));
    child.ScreenToClient(&p);
    EXPECT_EQ(p, CPoint(0, 0));
    CRect r(0, 0, 10, 10);
    child.MapWindowPoints(&frame, &r);
    EXPECT_EQ(r, CRect(13, 13, 23, 23));
}

TEST_F(WndGeometry, ModifyStyleWithFrameChangeResizesTheClientAndSendsWmSize)
{
    CWnd frame;
    ASSERT_TRUE(CreateTopFrame(frame));
    CLogWnd child;
    ASSERT_TRUE(child.Create(nullptr, "c", WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 80), &frame, 1));
    child.log.clear();
    EXPECT_TRUE(child.ModifyStyle(0, WS_BORDER, SWP_FRAMECHANGED));
    CRect c;
    child.GetClientRect(&c);
    EXPECT_EQ(c, CRect(0, 0, 98, 78));
    const CLogWnd::Entry* sz = child.Last(WM_SIZE);
    ASSERT_NE(sz, nullptr);
    EXPECT_EQ(sz->lParam, MAKELPARAM(98, 78));
    EXPECT_FALSE(child.ModifyStyle(0, WS_BORDER));  // no change
    EXPECT_TRUE(child.GetStyle() & WS_BORDER);
    EXPECT_TRUE(child.ModifyStyleEx(0, WS_EX_CLIENTEDGE, SWP_FRAMECHANGED));
    child.GetClientRect(&c);
    EXPECT_EQ(c, CRect(0, 0, 94, 74));
}

TEST_F(WndGeometry, MoveWindowSendsPositionChangesAndSize)
{
    CWnd frame;
    ASSERT_TRUE(CreateTopFrame(frame));
    CLogWnd child;
    ASSERT_TRUE(child.Create(nullptr, "c", WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 80), &frame, 1));
    child.log.clear();
    child.MoveWindow(5, 6, 70, 40);
    EXPECT_EQ(child.Only({WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_MOVE, WM_SIZE}),
              (std::vector<UINT>{WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_MOVE, WM_SIZE}));
    EXPECT_EQ(child.Last(WM_SIZE)->lParam, MAKELPARAM(70, 40));
    child.log.clear();
    child.MoveWindow(5, 6, 70, 40);  // nothing changes: no WM_MOVE or WM_SIZE
    EXPECT_EQ(child.Count(WM_MOVE) + child.Count(WM_SIZE), 0);
    CRect w;
    child.GetWindowRect(&w);
    frame.ScreenToClient(&w);
    EXPECT_EQ(w, CRect(5, 6, 75, 46));
}

TEST_F(WndGeometry, RelationsIdsAndTopLevelParent)
{
    CWnd frame;
    ASSERT_TRUE(CreateTopFrame(frame));
    CWnd child, grandchild;
    ASSERT_TRUE(child.Create(nullptr, "c", WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 80), &frame, 11));
    ASSERT_TRUE(grandchild.Create(nullptr, "g", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), &child, 12));
    CWnd popup;
    ASSERT_TRUE(popup.CreateEx(WS_EX_TOOLWINDOW, nullptr, "tip", WS_POPUP | WS_BORDER, 0, 0, 50, 20,
                               grandchild.GetSafeHwnd(), nullptr));
    EXPECT_EQ(frame.GetDlgItem(11), &child);
    EXPECT_EQ(frame.GetDlgItem(12), nullptr);  // only direct children
    EXPECT_EQ(child.GetDlgItem(12), &grandchild);
    EXPECT_EQ(grandchild.GetDlgCtrlID(), 12);
    EXPECT_EQ(grandchild.GetParent(), &child);
    EXPECT_EQ(grandchild.GetTopLevelParent(), &frame);
    // A pop-up's owner is the top-level window of the one given; its parent is its owner.
    EXPECT_EQ(popup.GetParent(), &frame);
    EXPECT_EQ(popup.GetTopLevelParent(), &frame);
    EXPECT_TRUE(frame.IsChild(&grandchild));
    EXPECT_FALSE(frame.IsChild(&popup));
    EXPECT_EQ(grandchild.GetOwner(), &child);
    grandchild.SetOwner(&frame);
    EXPECT_EQ(grandchild.GetOwner(), &frame);
    // Destroying the owner destroys the owned pop-up first.
    HWND hPopup = popup.GetSafeHwnd();
    frame.DestroyWindow();
    EXPECT_FALSE(IsWindow(hPopup));
    EXPECT_EQ(popup.GetSafeHwnd(), nullptr);
}

TEST_F(WndGeometry, TextAndFontRoundTrip)
{
    CWnd frame;
    ASSERT_TRUE(CreateTopFrame(frame));
    frame.SetWindowText("\xD6\xD0\xCE\xC4 title");  // code page 936
    CString s;
    frame.GetWindowText(s);
    EXPECT_EQ(s, CString("\xD6\xD0\xCE\xC4 title"));
    EXPECT_EQ(frame.GetWindowTextLength(), 10);
    char buf[4];
    // A short buffer never ends on half a character.
    EXPECT_EQ(frame.GetWindowText(buf, 4), 2);
    EXPECT_STREQ(buf, "\xD6\xD0");
    CFont font;
    font.CreatePointFont(90, "\xCB\xCE\xCC\xE5");
    frame.SetFont(&font, FALSE);
    EXPECT_EQ(frame.GetFont()->GetSafeHandle(), font.GetSafeHandle());
}

TEST_F(WndGeometry, ShowHideVisibilityAndWmShowWindow)
{
    CWnd frame;
    ASSERT_TRUE(frame.CreateEx(0, nullptr, "f", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr));
    CLogWnd child;
    ASSERT_TRUE(child.Create(nullptr, "c", WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 50), &frame, 1));
    EXPECT_FALSE(child.IsWindowVisible());  // the parent is hidden
    EXPECT_TRUE(child.GetStyle() & WS_VISIBLE);
    frame.ShowWindow(SW_SHOW);
    EXPECT_TRUE(child.IsWindowVisible());
    child.log.clear();
    EXPECT_TRUE(child.ShowWindow(SW_HIDE));  // was visible
    EXPECT_FALSE(child.ShowWindow(SW_HIDE));
    EXPECT_EQ(child.Count(WM_SHOWWINDOW), 1);
    EXPECT_EQ(child.Last(WM_SHOWWINDOW)->wParam, (WPARAM)FALSE);
}

TEST_F(WndGeometry, TopmostNoActivatePopupDoesNotTakeActivation)
{
    CWnd frame;
    ASSERT_TRUE(CreateTopFrame(frame));
    frame.SetActiveWindow();
    EXPECT_EQ(CWnd::GetActiveWindow(), &frame);
    CWnd tip;
    ASSERT_TRUE(tip.CreateEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, nullptr, "", WS_POPUP | WS_BORDER, 0, 0, 10, 10,
                             frame.GetSafeHwnd(), nullptr));
    tip.SetWindowPos(&CWnd::wndTopMost, 300, 310, 120, 30, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    EXPECT_TRUE(tip.IsWindowVisible());
    EXPECT_EQ(CWnd::GetActiveWindow(), &frame);
    EXPECT_TRUE(tip.GetExStyle() & WS_EX_TOPMOST);
    CRect r;
    tip.GetWindowRect(&r);
    EXPECT_EQ(r, CRect(300, 310, 420, 340));
    // The topmost window is found first at a point both cover.
    EXPECT_EQ(CWnd::WindowFromPoint(CPoint(310, 320)), &tip);
    tip.ShowWindow(SW_HIDE);
    EXPECT_EQ(CWnd::WindowFromPoint(CPoint(310, 320)), &frame);
}

TEST_F(WndGeometry, WindowFromPointFindsTheDeepestVisibleEnabledChild)
{
    CWnd frame;
    ASSERT_TRUE(CreateTopFrame(frame));
    CWnd a, b;
    ASSERT_TRUE(a.Create(nullptr, "a", WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 200), &frame, 1));
    ASSERT_TRUE(b.Create(nullptr, "b", WS_CHILD | WS_VISIBLE, CRect(10, 10, 60, 60), &a, 2));
    EXPECT_EQ(CWnd::WindowFromPoint(CPoint(120, 120)), &b);
    EXPECT_EQ(CWnd::WindowFromPoint(CPoint(180, 180)), &a);
    EXPECT_EQ(CWnd::WindowFromPoint(CPoint(350, 350)), &frame);
    EXPECT_EQ(CWnd::WindowFromPoint(CPoint(5, 5)), nullptr);
    b.EnableWindow(FALSE);
    EXPECT_FALSE(b.IsWindowEnabled());
    EXPECT_EQ(CWnd::WindowFromPoint(CPoint(120, 120)), &a);
    EXPECT_EQ(a.ChildWindowFromPoint(CPoint(20, 20)), &b);  // CWP_ALL includes disabled ones
}

TEST_F(WndGeometry, ScrollInfoHidesAndShowsTheBarAndClampsThePosition)
{
    CWnd frame;
    ASSERT_TRUE(CreateTopFrame(frame, 300, 200));
    CLogWnd child;
    ASSERT_TRUE(child.Create(nullptr, "c", WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 100), &frame, 1));
    CRect c;
    child.GetClientRect(&c);
    EXPECT_EQ(c.Width(), 200);
    SCROLLINFO si{sizeof(si), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 999, 100, 5000, 0};
    child.log.clear();
    child.SetScrollInfo(SB_VERT, &si);
    child.GetClientRect(&c);
    EXPECT_EQ(c.Width(), 184);  // the bar appeared
    EXPECT_TRUE(child.GetStyle() & WS_VSCROLL);
    EXPECT_EQ(child.Last(WM_SIZE)->lParam, MAKELPARAM(184, 100));
    EXPECT_EQ(child.GetScrollPos(SB_VERT), 900);  // max - page + 1
    EXPECT_EQ(child.GetScrollLimit(SB_VERT), 900);
    int mn, mx;
    child.GetScrollRange(SB_VERT, &mn, &mx);
    EXPECT_EQ(mn, 0);
    EXPECT_EQ(mx, 999);
    SCROLLINFO none{sizeof(none), SIF_RANGE, 0, 0, 0, 0, 0};
    child.SetScrollInfo(SB_VERT, &none);
    child.GetClientRect(&c);
    EXPECT_EQ(c.Width(), 200);  // nothing to scroll: the bar went
    child.ShowScrollBar(SB_HORZ, TRUE);
    child.GetClientRect(&c);
    EXPECT_EQ(c.Height(), 84);
    child.EnableScrollBarCtrl(SB_HORZ, FALSE);
    child.GetClientRect(&c);
    EXPECT_EQ(c.Height(), 100);
}

TEST_F(WndGeometry, WindowClassesRegisterOncePerModule)
{
    HINSTANCE mod = AfxRegisterModule("GeometryTestModule");
    WNDCLASS wc{};
    EXPECT_FALSE(GetClassInfo(mod, "TestGridClass", &wc));
    wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = &DefWindowProc;
    wc.hInstance = mod;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>((uintptr_t)(COLOR_BTNFACE + 1));
    wc.lpszClassName = "TestGridClass";
    EXPECT_TRUE(AfxRegisterClass(&wc));
    EXPECT_TRUE(AfxRegisterClass(&wc));  // already there: still fine
    EXPECT_EQ(RegisterClass(&wc), 0);   // the plain call refuses a second one
    WNDCLASS got{};
    ASSERT_TRUE(GetClassInfo(mod, "testgridclass", &got));
    EXPECT_EQ(got.style, (UINT)(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW));
    EXPECT_STREQ(got.lpszClassName, "TestGridClass");
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, "TestGridClass", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    char name[64];
    EXPECT_EQ(GetClassName(wnd.GetSafeHwnd(), name, sizeof(name)), 13);
    EXPECT_STREQ(name, "TestGridClass");
    CWnd none;
    EXPECT_FALSE(none.CreateEx(0, "NoSuchClass", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    LPCTSTR gen = AfxRegisterWndClass(CS_SAVEBITS);
    EXPECT_EQ(std::string(gen).rfind("Afx:", 0), 0u);
    EXPECT_EQ(AfxRegisterWndClass(CS_SAVEBITS), gen);  // the same name for the same request
}

TEST_F(WndGeometry, SubclassingAnExistingWindowRoutesItsMessages)
{
    class CLater : public CLogWnd
    {
    public:
        bool preSubclassed = false;
        void PreSubclassWindow() override { preSubclassed = true; }
    };
    CWnd frame;
    ASSERT_TRUE(CreateTopFrame(frame));
    HWND raw = CreateWindowEx(0, AFX_WND_CLASS, "raw", WS_CHILD | WS_VISIBLE, 0, 0, 30, 30, frame.GetSafeHwnd(),
                              reinterpret_cast<HMENU>(42), nullptr, nullptr);
    ASSERT_NE(raw, nullptr);
    CWnd* temp = CWnd::FromHandle(raw);
    ASSERT_NE(temp, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(raw), nullptr);
    CLater later;
    ASSERT_TRUE(later.SubclassDlgItem(42, &frame));
    EXPECT_TRUE(later.preSubclassed);
    EXPECT_EQ(CWnd::FromHandlePermanent(raw), &later);
    ::SendMessage(raw, WM_USER + 3, 0, 0);
    EXPECT_EQ(later.Count(WM_USER + 3), 1);
    CString text;
    later.GetWindowText(text);
    EXPECT_EQ(text, CString("raw"));
    EXPECT_EQ(later.UnsubclassWindow(), raw);
    ::SendMessage(raw, WM_USER + 3, 0, 0);
    EXPECT_EQ(later.Count(WM_USER + 3), 1);
    DestroyWindow(raw);
}

TEST_F(WndGeometry, TemporaryObjectsAreOfTheControlClassOfTheWindow)
{
    CWnd frame;
    ASSERT_TRUE(CreateTopFrame(frame));
    struct Kind
    {
        const char* cls;
        int id;
    };
    const Kind kinds[] = {{"ComboBox", 51}, {"button", 52}, {"STATIC", 53}, {AFX_WND_CLASS, 54}};
    for (const Kind& k : kinds)
        ASSERT_NE(CreateWindowEx(0, k.cls, "", WS_CHILD | (k.id == 51 ? CBS_DROPDOWNLIST : 0), 0, 0, 80, 20,
                                 frame.GetSafeHwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(k.id)),
                                 nullptr, nullptr),
                  nullptr)
            << k.cls;
    // Class names compare without regard to case.
    EXPECT_NE(dynamic_cast<CComboBox*>(frame.GetDlgItem(51)), nullptr);
    EXPECT_NE(dynamic_cast<CButton*>(frame.GetDlgItem(52)), nullptr);
    EXPECT_NE(dynamic_cast<CStatic*>(frame.GetDlgItem(53)), nullptr);
    EXPECT_TRUE(frame.GetDlgItem(51)->IsKindOf(RUNTIME_CLASS(CComboBox)));
    // A window of no control class gets a plain window object.
    CWnd* pPlain = frame.GetDlgItem(54);
    ASSERT_NE(pPlain, nullptr);
    EXPECT_EQ(typeid(*pPlain), typeid(CWnd));
    // The temporary object speaks to the window as the control.
    CComboBox* pCombo = static_cast<CComboBox*>(frame.GetDlgItem(51));
    EXPECT_EQ(pCombo->AddString("a"), 0);
    EXPECT_EQ(pCombo->GetCount(), 1);
}

}  // namespace
