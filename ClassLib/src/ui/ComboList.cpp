// The dropped-down list window of a combo box.
#include "ComboList.h"
#include "ComboProc.h"

#include <ClassLib/AfxWin.h>
#include <ClassLib/Wnd/QtInterop.h>

#include <QComboBox>
#include <QWidget>

#include <algorithm>
#include <cstring>
#include <map>

#define PC_LIST_X(lParam) (static_cast<int>(static_cast<short>(LOWORD(lParam))))
#define PC_LIST_Y(lParam) (static_cast<int>(static_cast<short>(HIWORD(lParam))))

namespace pc {

namespace {

const char kListClass[] = "ComboLBox";

struct ListState
{
    ComboProc* combo = nullptr;
    HWND hCombo = nullptr;
    int cur = -1;   // the item under the mouse or the keys
    int top = 0;    // first item shown
    bool down = false;
};

std::map<HWND, ListState>& States()
{
    static auto* m = new std::map<HWND, ListState>;
    return *m;
}

ListState* StateOf(HWND hList)
{
    auto it = States().find(hList);
    return it == States().end() ? nullptr : &it->second;
}

int Count(const ListState& s)
{
    return s.combo ? s.combo->Items().Count() : 0;
}

int ItemHeight(const ListState& s, int i)
{
    return s.combo ? std::max(1, s.combo->ItemHeight(i)) : 16;
}

// The item's rectangle in the list's client area (from the top item down).
bool ItemRect(HWND hList, const ListState& s, int i, RECT* prc)
{
    if (i < 0 || i >= Count(s) || i < s.top)
        return false;
    RECT client;
    ::GetClientRect(hList, &client);
    int y = 0;
    for (int k = s.top; k < i; ++k)
        y += ItemHeight(s, k);
    *prc = RECT{0, y, client.right, y + ItemHeight(s, i)};
    return true;
}

int ItemFromPoint(HWND hList, const ListState& s, POINT pt)
{
    RECT client;
    ::GetClientRect(hList, &client);
    if (pt.x < 0 || pt.x >= client.right || pt.y < 0 || pt.y >= client.bottom)
        return -1;
    int y = 0;
    for (int k = s.top; k < Count(s); ++k) {
        int h = ItemHeight(s, k);
        if (pt.y < y + h)
            return k;
        y += h;
    }
    return -1;
}

void Paint(HWND hList, ListState& s)
{
    PAINTSTRUCT ps;
    HDC hdc = ::BeginPaint(hList, &ps);
    RECT client;
    ::GetClientRect(hList, &client);
    ::SetTextColor(hdc, ::GetSysColor(COLOR_WINDOWTEXT));
    ::SetBkColor(hdc, ::GetSysColor(COLOR_WINDOW));
    // The combo box (and through it its owner) chooses the colours.
    HBRUSH hbr = reinterpret_cast<HBRUSH>(
        ::SendMessage(s.hCombo, WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(hdc), reinterpret_cast<LPARAM>(hList)));
    if (hbr == nullptr)
        hbr = ::GetSysColorBrush(COLOR_WINDOW);
    ::FillRect(hdc, &client, hbr);
    if (!::IsWindow(hList) || StateOf(hList) == nullptr) {
        ::EndPaint(hList, &ps);
        return;
    }
    HWND hOwner = ::GetParent(s.hCombo);
    HFONT hFont = reinterpret_cast<HFONT>(::SendMessage(s.hCombo, WM_GETFONT, 0, 0));
    HGDIOBJ hOld = hFont ? ::SelectObject(hdc, hFont) : nullptr;
    for (int i = s.top; i < Count(s); ++i) {
        RECT rc;
        if (!ItemRect(hList, s, i, &rc))
            continue;
        if (rc.top >= client.bottom)
            break;
        const bool selected = i == s.cur;
        if (s.combo->OwnerDraw()) {
            DRAWITEMSTRUCT dis;
            std::memset(&dis, 0, sizeof(dis));
            dis.CtlType = ODT_COMBOBOX;
            dis.CtlID = static_cast<UINT>(::GetDlgCtrlID(s.hCombo));
            dis.itemID = static_cast<UINT>(i);
            dis.itemAction = ODA_DRAWENTIRE;
            dis.itemState = selected ? (ODS_SELECTED | ODS_FOCUS) : 0;
            dis.hwndItem = s.hCombo;
            dis.hDC = hdc;
            dis.rcItem = rc;
            dis.itemData = s.combo->Items().At(i).data;
            int nSave = ::SaveDC(hdc);
            if (hOwner)
                ::SendMessage(hOwner, WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
            ::RestoreDC(hdc, nSave);
        } else {
            COLORREF text = ::GetTextColor(hdc), back = ::GetBkColor(hdc);
            if (selected) {
                ::FillRect(hdc, &rc, ::GetSysColorBrush(COLOR_HIGHLIGHT));
                ::SetTextColor(hdc, ::GetSysColor(COLOR_HIGHLIGHTTEXT));
            }
            int nOldMode = ::SetBkMode(hdc, TRANSPARENT);
            RECT rcText = rc;
            rcText.left += 2;
            const CString& t = s.combo->Items().At(i).text;
            ::DrawText(hdc, t, t.GetLength(), &rcText, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
            ::SetBkMode(hdc, nOldMode);
            ::SetTextColor(hdc, text);
            ::SetBkColor(hdc, back);
        }
    }
    if (hOld)
        ::SelectObject(hdc, hOld);
    ::EndPaint(hList, &ps);
}

// The number of items that fit whole in the list's client area from the top item.
int VisibleCount(HWND hList, const ListState& s)
{
    RECT client;
    ::GetClientRect(hList, &client);
    int n = 0, y = 0;
    for (int k = s.top; k < Count(s); ++k) {
        y += ItemHeight(s, k);
        if (y > client.bottom && n > 0)
            break;
        ++n;
    }
    return std::max(1, n);
}

void UpdateScrollBar(HWND hList, const ListState& s)
{
    SCROLLINFO si;
    std::memset(&si, 0, sizeof(si));
    si.cbSize = sizeof(si);
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMax = std::max(0, Count(s) - 1);
    si.nPage = static_cast<UINT>(VisibleCount(hList, s));
    si.nPos = s.top;
    ::SetScrollInfo(hList, SB_VERT, &si, TRUE);
}

// The first item shown becomes i (within what can scroll).
void ScrollTo(HWND hList, ListState& s, int i)
{
    const int nMaxTop = std::max(0, Count(s) - VisibleCount(hList, s));
    i = std::max(0, std::min(i, nMaxTop));
    if (i == s.top)
        return;
    s.top = i;
    UpdateScrollBar(hList, s);
    ::InvalidateRect(hList, nullptr, TRUE);
}

// The current item scrolls into view.
void ShowCur(HWND hList, ListState& s)
{
    if (s.cur < 0)
        return;
    if (s.cur < s.top)
        ScrollTo(hList, s, s.cur);
    else if (s.cur >= s.top + VisibleCount(hList, s))
        ScrollTo(hList, s, s.cur - VisibleCount(hList, s) + 1);
}

void SetCur(HWND hList, ListState& s, int i)
{
    if (i == s.cur)
        return;
    RECT rc;
    if (ItemRect(hList, s, s.cur, &rc))
        ::InvalidateRect(hList, &rc, TRUE);
    s.cur = i;
    if (ItemRect(hList, s, s.cur, &rc))
        ::InvalidateRect(hList, &rc, TRUE);
}

LRESULT CALLBACK ComboListProc(HWND hList, UINT msg, WPARAM wParam, LPARAM lParam)
{
    ListState* ps = StateOf(hList);
    if (ps == nullptr || ps->combo == nullptr)
        return ::DefWindowProc(hList, msg, wParam, lParam);
    ListState& s = *ps;
    switch (msg) {
    case WM_PAINT:
        Paint(hList, s);
        return 0;
    case WM_ERASEBKGND:
        return TRUE;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case LB_GETCURSEL:
        // Closed, the list's current item is the combo box's choice.
        return ::IsWindowVisible(hList) ? s.cur : ::SendMessage(s.hCombo, CB_GETCURSEL, 0, 0);
    case LB_SETCURSEL: {
        int i = static_cast<int>(static_cast<INT_PTR>(wParam));
        SetCur(hList, s, i >= 0 && i < Count(s) ? i : -1);
        return s.cur >= 0 || i == -1 ? s.cur : LB_ERR;
    }
    case LB_GETCOUNT:
        return Count(s);
    case LB_GETTOPINDEX:
        return s.top;
    case LB_SETTOPINDEX: {
        int i = static_cast<int>(wParam);
        if (i < 0 || (i >= Count(s) && Count(s) > 0))
            return LB_ERR;
        s.top = i;
        ::InvalidateRect(hList, nullptr, TRUE);
        return LB_OKAY;
    }
    case LB_GETITEMHEIGHT:
        return ItemHeight(s, static_cast<int>(wParam));
    case LB_GETITEMRECT: {
        RECT* prc = reinterpret_cast<RECT*>(lParam);
        int i = static_cast<int>(wParam);
        if (prc == nullptr || i < 0 || i >= Count(s))
            return LB_ERR;
        if (!ItemRect(hList, s, i, prc))
            *prc = RECT{0, 0, 0, 0};
        return 1;
    }
    case LB_GETITEMDATA: {
        int i = static_cast<int>(wParam);
        return i >= 0 && i < Count(s) ? static_cast<LRESULT>(s.combo->Items().At(i).data) : LB_ERR;
    }
    case LB_GETTEXT:
    case LB_GETTEXTLEN:
        return ::SendMessage(s.hCombo, msg == LB_GETTEXT ? CB_GETLBTEXT : CB_GETLBTEXTLEN, wParam, lParam);
    case WM_LBUTTONDOWN: {
        POINT pt{PC_LIST_X(lParam), PC_LIST_Y(lParam)};
        int i = ItemFromPoint(hList, s, pt);
        if (i < 0) {
            RECT client;
            ::GetClientRect(hList, &client);
            RECT rcWindow;
            ::GetWindowRect(hList, &rcWindow);
            POINT ptScreen = pt;
            ::ClientToScreen(hList, &ptScreen);
            if (!::PtInRect(&client, pt) && !::PtInRect(&rcWindow, ptScreen)) {
                // A press outside the list closes it without a choice.
                s.combo->CloseList(false);
                return 0;
            }
        }
        s.down = true;
        SetCur(hList, s, i);
        return 0;
    }
    case WM_MOUSEMOVE: {
        POINT pt{PC_LIST_X(lParam), PC_LIST_Y(lParam)};
        int i = ItemFromPoint(hList, s, pt);
        if (i >= 0)
            SetCur(hList, s, i);
        return 0;
    }
    case WM_LBUTTONUP: {
        if (!s.down)
            return 0;
        s.down = false;
        POINT pt{PC_LIST_X(lParam), PC_LIST_Y(lParam)};
        int i = ItemFromPoint(hList, s, pt);
        if (i >= 0) {
            s.combo->ChooseFromList(i);
            s.combo->CloseList(true);
        }
        return 0;
    }
    case WM_KEYDOWN:
        switch (wParam) {
        case VK_UP:
            SetCur(hList, s, std::max(0, s.cur - 1));
            ShowCur(hList, s);
            return 0;
        case VK_DOWN:
            SetCur(hList, s, std::min(Count(s) - 1, s.cur + 1));
            ShowCur(hList, s);
            return 0;
        case VK_RETURN:
            if (s.cur >= 0)
                s.combo->ChooseFromList(s.cur);
            s.combo->CloseList(true);
            return 0;
        case VK_ESCAPE:
            s.combo->CloseList(false);
            return 0;
        default:
            return 0;
        }
    case WM_CHAR: {
        // A character moves to the next item starting with it.
        char text[2] = {static_cast<char>(wParam), 0};
        int i = s.combo->Items().FindPrefix(s.cur, text);
        if (i >= 0) {
            SetCur(hList, s, i);
            ShowCur(hList, s);
        }
        return 0;
    }
    case WM_VSCROLL:
        switch (LOWORD(wParam)) {
        case SB_LINEUP:
            ScrollTo(hList, s, s.top - 1);
            break;
        case SB_LINEDOWN:
            ScrollTo(hList, s, s.top + 1);
            break;
        case SB_PAGEUP:
            ScrollTo(hList, s, s.top - VisibleCount(hList, s));
            break;
        case SB_PAGEDOWN:
            ScrollTo(hList, s, s.top + VisibleCount(hList, s));
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
            ScrollTo(hList, s, static_cast<int>(static_cast<short>(HIWORD(wParam))));
            break;
        default:
            break;
        }
        return 0;
    case WM_MOUSEWHEEL:
        ScrollTo(hList, s, s.top - static_cast<short>(HIWORD(wParam)) / WHEEL_DELTA * 3);
        return 0;
    case WM_CAPTURECHANGED:
        // Another window took the mouse (the application was left): the list closes.
        if (::IsWindowVisible(hList) && reinterpret_cast<HWND>(lParam) != hList)
            s.combo->CloseList(false);
        return 0;
    case WM_NCDESTROY:
        States().erase(hList);
        return ::DefWindowProc(hList, msg, wParam, lParam);
    default:
        return ::DefWindowProc(hList, msg, wParam, lParam);
    }
}

void RegisterListClass()
{
    static bool s_done = false;
    if (s_done)
        return;
    s_done = true;
    WNDCLASS wc;
    std::memset(&wc, 0, sizeof(wc));
    wc.style = CS_DBLCLKS | CS_SAVEBITS | CS_GLOBALCLASS;
    wc.lpfnWndProc = &ComboListProc;
    wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    wc.lpszClassName = kListClass;
    ::RegisterClass(&wc);
}

}  // namespace

HWND CreateComboList(ComboProc* pCombo, HWND hCombo)
{
    RegisterListClass();
    HWND hList = ::CreateWindowEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, kListClass, "",
                                  WS_POPUP | WS_BORDER, 0, 0, 10, 10, hCombo, nullptr, nullptr, nullptr);
    if (hList == nullptr)
        return nullptr;
    ListState& s = States()[hList];
    s.combo = pCombo;
    s.hCombo = hCombo;
    return hList;
}

void ShowComboList(HWND hList, bool bShow)
{
    ListState* ps = StateOf(hList);
    if (ps == nullptr)
        return;
    ListState& s = *ps;
    if (!bShow) {
        s.down = false;
        ::ShowWindow(hList, SW_HIDE);  // hidden first: losing the capture then closes nothing
        if (::GetCapture() == hList)
            ::ReleaseCapture();
        return;
    }
    // Below the combo box, as wide as it (or the dropped width). As high as the extent the
    // box was made with below itself, in whole items, or less when fewer items fill it;
    // without such an extent, at most 30 items high. Items beyond scroll.
    RECT rc;
    ::GetWindowRect(s.hCombo, &rc);
    int width = static_cast<int>(::SendMessage(s.hCombo, CB_GETDROPPEDWIDTH, 0, 0));
    width = std::max<int>(width, rc.right - rc.left);
    const int extent = s.combo->DroppedListExtent() - 2;  // the border
    int height = 0, shown = 0;
    for (int i = 0; i < Count(s); ++i) {
        const int h = ItemHeight(s, i);
        if (extent > 0 ? (shown > 0 && height + h > extent) : shown >= 30)
            break;
        height += h;
        ++shown;
    }
    height = std::max(height, ItemHeight(s, -1)) + 2;
    s.top = 0;
    s.cur = static_cast<int>(::SendMessage(s.hCombo, CB_GETCURSEL, 0, 0));
    const bool bScroll = shown < Count(s);
    ::ShowScrollBar(hList, SB_VERT, bScroll ? TRUE : FALSE);
    ::SetWindowPos(hList, HWND_TOPMOST, rc.left, rc.bottom, width, height, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    if (bScroll) {
        UpdateScrollBar(hList, s);
        ShowCur(hList, s);
    }
    ::InvalidateRect(hList, nullptr, TRUE);
    ::SetCapture(hList);
}

LRESULT ComboListSend(HWND hList, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return ::IsWindow(hList) ? ::SendMessage(hList, msg, wParam, lParam) : 0;
}

LRESULT ComboAskParentColours(HWND hCombo, UINT msg, WPARAM wParam, LPARAM lParam)
{
    HWND hParent = ::GetParent(hCombo);
    if (hParent != nullptr)
        return ::SendMessage(hParent, msg, wParam, lParam);
    return ::DefWindowProc(hCombo, msg, wParam, lParam);
}

void DestroyComboList(HWND hList)
{
    if (ListState* ps = StateOf(hList))
        ps->combo = nullptr;
    if (::IsWindow(hList))
        ::DestroyWindow(hList);
}

}  // namespace pc
