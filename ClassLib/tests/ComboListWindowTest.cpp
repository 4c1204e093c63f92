// The dropped-down list of a combo box is a window of its own: a combo box that replaces
// the list's procedure (a check combo box) keeps it open, toggles items and draws its
// selection field as item -1.
#include "FrameTestSupport.h"

#include <algorithm>
#include <vector>

namespace {

class CCheckCombo;
WNDPROC g_pfnOldListProc = nullptr;
CCheckCombo* g_pLastDropped = nullptr;

class CCheckCombo : public CComboBox
{
public:
    HWND m_hListWnd = nullptr;
    std::vector<int> drawnItems;
    std::vector<HWND> ctlColorLists;
    int nSelChange = 0;

    void Toggle(int i)
    {
        SetItemData(i, GetItemData(i) ? 0 : 1);
        GetParent()->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), CBN_SELCHANGE), reinterpret_cast<LPARAM>(m_hWnd));
    }
    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override
    {
        drawnItems.push_back(static_cast<int>(lpDIS->itemID));
        CDC* pDC = CDC::FromHandle(lpDIS->hDC);
        CRect rc(lpDIS->rcItem);
        CString text;
        if (static_cast<int>(lpDIS->itemID) < 0)
        {
            for (int i = 0; i < GetCount(); ++i)
            {
                if (GetItemData(i) == 0)
                    continue;
                CString item;
                GetLBText(i, item);
                text += text.IsEmpty() ? item : ", " + item;
            }
        }
        else
        {
            GetLBText(static_cast<int>(lpDIS->itemID), text);
            text = (GetItemData(static_cast<int>(lpDIS->itemID)) ? "[x] " : "[ ] ") + text;
        }
        bool bSelected = (lpDIS->itemState & ODS_SELECTED) != 0 && static_cast<int>(lpDIS->itemID) >= 0;
        pDC->FillSolidRect(&rc, ::GetSysColor(bSelected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
        pDC->SetTextColor(::GetSysColor(bSelected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        pDC->SetBkMode(TRANSPARENT);
        pDC->DrawText(text, &rc, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
    void MeasureItem(LPMEASUREITEMSTRUCT lpMIS) override { lpMIS->itemHeight = 18; }

protected:
    afx_msg LRESULT OnCtlColorListBox(WPARAM wParam, LPARAM lParam)
    {
        HWND hList = reinterpret_cast<HWND>(lParam);
        ctlColorLists.push_back(hList);
        if (m_hListWnd == nullptr && hList != m_hWnd && hList != nullptr)
        {
            m_hListWnd = hList;
            g_pfnOldListProc = reinterpret_cast<WNDPROC>(::GetWindowLongPtr(hList, GWLP_WNDPROC));
            ::SetWindowLongPtr(hList, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ListProc));
        }
        return DefWindowProc(WM_CTLCOLORLISTBOX, wParam, lParam);
    }
    afx_msg void OnDropDown() { g_pLastDropped = this; }

    static LRESULT CALLBACK ListProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
    {
        CCheckCombo* pCombo = g_pLastDropped;
        if (nMsg == LB_GETCURSEL)
            return -1;
        if (nMsg == WM_LBUTTONUP)
            return 0;
        if (nMsg == WM_LBUTTONDOWN && pCombo != nullptr)
        {
            CRect rcClient;
            ::GetClientRect(hWnd, &rcClient);
            CPoint pt(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
            if (rcClient.PtInRect(pt))
            {
                int nHeight = static_cast<int>(::SendMessage(hWnd, LB_GETITEMHEIGHT, 0, 0));
                int nTop = static_cast<int>(::SendMessage(hWnd, LB_GETTOPINDEX, 0, 0));
                int nIndex = nTop + pt.y / nHeight;
                CRect rcItem;
                ::SendMessage(hWnd, LB_GETITEMRECT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&rcItem));
                if (rcItem.PtInRect(pt))
                {
                    ::InvalidateRect(hWnd, rcItem, FALSE);
                    pCombo->Toggle(nIndex);
                }
            }
        }
        if (nMsg == WM_CHAR && wParam == ' ' && pCombo != nullptr)
        {
            int nIndex = static_cast<int>(::CallWindowProc(g_pfnOldListProc, hWnd, LB_GETCURSEL, 0, 0));
            if (nIndex >= 0)
                pCombo->Toggle(nIndex);
            return 0;
        }
        return ::CallWindowProc(g_pfnOldListProc, hWnd, nMsg, wParam, lParam);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCheckCombo, CComboBox)
    ON_MESSAGE(WM_CTLCOLORLISTBOX, OnCtlColorListBox)
    ON_CONTROL_REFLECT(CBN_DROPDOWN, OnDropDown)
END_MESSAGE_MAP()

class CComboHost : public CNotifyHost
{
public:
    std::vector<int> commands;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (LOWORD(wParam) == 40)
            commands.push_back(HIWORD(wParam));
        return CNotifyHost::OnCommand(wParam, lParam);
    }
};

class ComboListWindowTest : public FrameTest
{
};

TEST_F(ComboListWindowTest, ACheckComboKeepsItsListOpenTogglesItemsAndDrawsItsFieldAsItemMinusOne)
{
    g_pLastDropped = nullptr;
    CComboHost host;
    ASSERT_TRUE(host.CreateHost(300, 260));
    CCheckCombo combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE | CBS_HASSTRINGS,
                             CRect(10, 10, 200, 200), &host, 40));
    combo.AddString("first");
    combo.AddString("second");
    combo.AddString("third");
    AfxTestFocus(&combo);
    combo.ShowDropDown(TRUE);
    AfxPumpMessages();
    EXPECT_EQ(&combo, g_pLastDropped);
    EXPECT_TRUE(combo.GetDroppedState());
    ASSERT_NE(nullptr, combo.m_hListWnd);
    ASSERT_FALSE(combo.ctlColorLists.empty());
    EXPECT_EQ(combo.m_hListWnd, combo.ctlColorLists[0]);
    EXPECT_TRUE(::IsWindowVisible(combo.m_hListWnd));
    EXPECT_EQ(18, static_cast<int>(::SendMessage(combo.m_hListWnd, LB_GETITEMHEIGHT, 0, 0)));
    // The list's own procedure knows its items.
    CRect rcItem;
    ASSERT_EQ(1, static_cast<int>(::CallWindowProc(g_pfnOldListProc, combo.m_hListWnd, LB_GETITEMRECT, 1,
                                                   reinterpret_cast<LPARAM>(&rcItem))));
    EXPECT_EQ(CRect(rcItem.left, 18, rcItem.right, 36), rcItem);
    // A click on the second item toggles it; the list stays open.
    CWnd* pList = CWnd::FromHandle(combo.m_hListWnd);
    host.commands.clear();
    AfxTestClick(pList, CPoint(20, 27));
    AfxPumpMessages();
    EXPECT_EQ(1u, combo.GetItemData(1));
    EXPECT_EQ(0u, combo.GetItemData(0));
    EXPECT_TRUE(combo.GetDroppedState());
    EXPECT_TRUE(::IsWindowVisible(combo.m_hListWnd));
    ASSERT_FALSE(host.commands.empty());
    EXPECT_EQ(CBN_SELCHANGE, host.commands[0]);
    // The space bar toggles the list's current item (the one clicked).
    AfxTestKey(&combo, VK_SPACE);
    AfxPumpMessages();
    EXPECT_EQ(0u, combo.GetItemData(1));
    combo.Toggle(2);
    CString shot = AfxTestOutputPath("check-combo-list-open.png");
    AfxTestGrabWindow(pList, shot);
    // Escape closes the list; the selection field is drawn as item -1.
    AfxTestKey(&combo, VK_ESCAPE);
    AfxPumpMessages();
    EXPECT_FALSE(combo.GetDroppedState());
    EXPECT_FALSE(::IsWindowVisible(combo.m_hListWnd));
    combo.drawnItems.clear();
    AfxTestGrabWindow(&combo, AfxTestOutputPath("check-combo-field.png"));
    ASSERT_FALSE(combo.drawnItems.empty());
    EXPECT_EQ(-1, combo.drawnItems.back());
    combo.DestroyWindow();
    host.DestroyWindow();
}

TEST_F(ComboListWindowTest, APlainComboChoosesTheClickedItemAndCloses)
{
    CComboHost host;
    ASSERT_TRUE(host.CreateHost(300, 260));
    CComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST, CRect(10, 10, 200, 200), &host, 40));
    combo.AddString("one");
    combo.AddString("two");
    combo.AddString("three");
    combo.ShowDropDown(TRUE);
    AfxPumpMessages();
    EXPECT_TRUE(combo.GetDroppedState());
    host.commands.clear();
    // The list is a pop-up window of class "ComboLBox", shown over the others.
    HWND hList = ::FindWindow("ComboLBox", nullptr);
    ASSERT_NE(nullptr, hList);
    EXPECT_TRUE(::IsWindowVisible(hList));
    int nHeight = static_cast<int>(::SendMessage(hList, LB_GETITEMHEIGHT, 0, 0));
    ASSERT_GT(nHeight, 0);
    AfxTestMouseMove(CWnd::FromHandle(hList), CPoint(10, nHeight + nHeight / 2));
    EXPECT_EQ(1, static_cast<int>(::SendMessage(hList, LB_GETCURSEL, 0, 0)));  // follows the mouse
    AfxTestGrabWindow(CWnd::FromHandle(hList), AfxTestOutputPath("combo-list-plain.png"));
    AfxTestClick(CWnd::FromHandle(hList), CPoint(10, nHeight * 2 + nHeight / 2));
    AfxPumpMessages();
    EXPECT_FALSE(combo.GetDroppedState());
    EXPECT_EQ(2, combo.GetCurSel());
    std::vector<int> want = {CBN_SELCHANGE, CBN_SELENDOK, CBN_CLOSEUP};
    EXPECT_EQ(want, host.commands);
    // Another window taking the mouse closes the list without a choice.
    combo.ShowDropDown(TRUE);
    AfxPumpMessages();
    ASSERT_TRUE(combo.GetDroppedState());
    host.commands.clear();
    host.SetCapture();
    ::ReleaseCapture();
    EXPECT_FALSE(combo.GetDroppedState());
    EXPECT_FALSE(::IsWindowVisible(hList));
    EXPECT_EQ(2, combo.GetCurSel());
    std::vector<int> wantCancel = {CBN_SELENDCANCEL, CBN_CLOSEUP};
    EXPECT_EQ(wantCancel, host.commands);
    combo.DestroyWindow();
    host.DestroyWindow();
}

TEST_F(ComboListWindowTest, TheDroppedListTakesTheExtentTheComboWasMadeWith)
{
    CComboHost host;
    ASSERT_TRUE(host.CreateHost(300, 300));
    CComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST, CRect(10, 10, 200, 130), &host, 40));
    CRect rcWindow, rcDropped;
    combo.GetWindowRect(&rcWindow);
    combo.GetDroppedControlRect(&rcDropped);
    // The window is one box high; the dropped extent is the height it was made with.
    EXPECT_LT(rcWindow.Height(), 40);
    EXPECT_EQ(rcDropped.TopLeft(), rcWindow.TopLeft());
    EXPECT_EQ(rcDropped.Width(), rcWindow.Width());
    EXPECT_EQ(rcDropped.Height(), 120);
    for (const char* psz : {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k", "l"})
        combo.AddString(psz);
    combo.SetCurSel(11);
    combo.ShowDropDown(TRUE);
    AfxPumpMessages();
    HWND hList = ::FindWindow("ComboLBox", nullptr);
    ASSERT_NE(nullptr, hList);
    const int nItem = static_cast<int>(::SendMessage(hList, LB_GETITEMHEIGHT, 0, 0));
    ASSERT_GT(nItem, 0);
    // Whole items below the box within the extent, the rest scrolled to, the choice shown.
    CRect rcList;
    ::GetWindowRect(hList, &rcList);
    const int nShown = (120 - rcWindow.Height() - 2) / nItem;
    EXPECT_EQ(rcList.top, rcWindow.bottom);
    EXPECT_EQ(rcList.Height(), nShown * nItem + 2);
    EXPECT_EQ(static_cast<int>(::SendMessage(hList, LB_GETTOPINDEX, 0, 0)), 12 - nShown);
    SCROLLINFO si = {};
    si.cbSize = sizeof(si);
    si.fMask = SIF_ALL;
    ASSERT_TRUE(::GetScrollInfo(hList, SB_VERT, &si));
    EXPECT_EQ(si.nMax, 11);
    EXPECT_EQ(static_cast<int>(si.nPage), nShown);
    AfxTestGrabWindow(CWnd::FromHandle(hList), AfxTestOutputPath("combo-list-extent.png"));
    ::SendMessage(hList, WM_VSCROLL, SB_PAGEUP, 0);
    EXPECT_EQ(static_cast<int>(::SendMessage(hList, LB_GETTOPINDEX, 0, 0)), std::max(0, 12 - 2 * nShown));
    combo.ShowDropDown(FALSE);
    // Sized again, the extent is the new height; with few items the list is only as high as they.
    combo.MoveWindow(10, 10, 190, 300);
    combo.GetDroppedControlRect(&rcDropped);
    EXPECT_EQ(rcDropped.Height(), 300);
    combo.ResetContent();
    combo.AddString("one");
    combo.AddString("two");
    combo.ShowDropDown(TRUE);
    AfxPumpMessages();
    ::GetWindowRect(hList, &rcList);
    EXPECT_EQ(rcList.Height(), 2 * nItem + 2);
    combo.ShowDropDown(FALSE);
    combo.DestroyWindow();
    host.DestroyWindow();
}

}  // namespace

TEST_F(ComboListWindowTest, AWindowDisabledAfterItsComboBoxWentDoesNotReachTheComboBox)
{
    CComboHost host;
    ASSERT_TRUE(host.CreateHost(300, 260));
    CComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST, CRect(10, 10, 200, 200), &host, 40));
    combo.AddString("one");
    combo.SetFocus();
    combo.DestroyWindow();
    // As a modal dialog does to its owner while the combo box's widget still waits to go.
    host.EnableWindow(FALSE);
    host.EnableWindow(TRUE);
    EXPECT_TRUE(host.IsWindowEnabled());
    host.DestroyWindow();
}
