// The dialog manager: the dialog window class, default button ids, and the keys a dialog
// takes (IsDialogMessage).
#include <ClassLib/AfxWin.h>
#include <ClassLib/Wnd/QtInterop.h>

#include "ControlClasses.h"
#include "DialogUnits.h"

#include <QFontMetrics>

#include <cctype>

namespace {

const char kDefIdProp[] = "pc.dialog.defid";

HWND DirectChild(HWND hDlg, HWND h)
{
    int guard = 0;
    while (h && ::GetParent(h) != hDlg && ++guard < 100)
        h = ::GetParent(h);
    return h && ::GetParent(h) == hDlg ? h : nullptr;
}

int DefIdOf(HWND hDlg)
{
    LRESULT r = ::SendMessage(hDlg, DM_GETDEFID, 0, 0);
    return HIWORD(r) == DC_HASDEFID ? LOWORD(r) : IDOK;
}

void Goto(HWND hDlg, HWND hCtrl)
{
    if (!hCtrl)
        return;
    CWnd* pDlg = CWnd::FromHandle(hDlg);
    if (auto* dlg = dynamic_cast<CDialog*>(CWnd::FromHandlePermanent(hDlg))) {
        dlg->GotoDlgCtrl(CWnd::FromHandle(hCtrl));
        return;
    }
    (void)pDlg;
    ::SetFocus(hCtrl);
    if (::SendMessage(hCtrl, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL)
        ::SendMessage(hCtrl, EM_SETSEL, 0, -1);
}

// The mnemonic of a control text ("&S", "(&S)"), upper case; 0 for none.
UINT MnemonicOf(const CString& text)
{
    const int n = text.GetLength();
    for (int i = 0; i + 1 < n; ++i) {
        if (text[i] != '&')
            continue;
        const unsigned char c = static_cast<unsigned char>(text[i + 1]);
        if (c == '&') {
            ++i;
            continue;
        }
        return c < 0x80 ? static_cast<UINT>(toupper(c)) : 0;
    }
    return 0;
}

// The visible, enabled control (in child order, child dialogs included) whose mnemonic is
// the key.
HWND FindMnemonic(HWND hParent, UINT nKey)
{
    for (HWND h = ::GetWindow(hParent, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT)) {
        if (!::IsWindowVisible(h) || !::IsWindowEnabled(h))
            continue;
        CString text;
        CWnd::FromHandle(h)->GetWindowText(text);
        if (MnemonicOf(text) == nKey)
            return h;
        if (HWND inner = FindMnemonic(h, nKey))
            return inner;
    }
    return nullptr;
}

// Alt with a letter in a dialog: the control it names acts (a button is pressed, a label
// hands the focus to the control after it); the key is never typed.
void RunMnemonic(HWND hDlg, UINT nChar)
{
    const UINT nKey = nChar < 0x80 ? static_cast<UINT>(toupper(static_cast<int>(nChar))) : 0;
    HWND h = nKey ? FindMnemonic(hDlg, nKey) : nullptr;
    if (!h)
        return;
    const LRESULT code = ::SendMessage(h, WM_GETDLGCODE, 0, 0);
    const DWORD style = static_cast<DWORD>(::GetWindowLong(h, GWL_STYLE));
    const bool groupBox = (code & DLGC_BUTTON) && (style & 0x0F) == BS_GROUPBOX;
    if ((code & (DLGC_BUTTON | DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON | DLGC_RADIOBUTTON)) && !groupBox) {
        Goto(::GetParent(h), h);
        ::SendMessage(h, BM_CLICK, 0, 0);
        return;
    }
    // A label or group box: the next control that takes the focus.
    HWND parent = ::GetParent(h);
    CWnd* next = CWnd::FromHandle(parent)->GetNextDlgTabItem(CWnd::FromHandle(h), FALSE);
    if (next && next->GetSafeHwnd() != h)
        Goto(parent, next->GetSafeHwnd());
}

}  // namespace

LRESULT CALLBACK DefDlgProc(HWND hDlg, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    switch (Msg) {
    case DM_GETDEFID: {
        HANDLE v = ::GetProp(hDlg, kDefIdProp);
        int id = v ? static_cast<int>(reinterpret_cast<INT_PTR>(v)) : 0;
        return id ? MAKELRESULT(id, DC_HASDEFID) : 0;
    }
    case DM_SETDEFID: {
        int old = DefIdOf(hDlg);
        int id = static_cast<int>(wParam);
        // The old default push button becomes a plain one, the new one the default.
        if (HWND hOld = ::GetDlgItem(hDlg, old))
            if ((::SendMessage(hOld, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON))
                ::SendMessage(hOld, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
        if (HWND hNew = ::GetDlgItem(hDlg, id))
            if ((::SendMessage(hNew, WM_GETDLGCODE, 0, 0) & DLGC_UNDEFPUSHBUTTON))
                ::SendMessage(hNew, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
        ::SetProp(hDlg, kDefIdProp, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(id)));
        return TRUE;
    }
    case WM_CLOSE: {
        // Closing a dialog is its Cancel button, when that is enabled.
        HWND hCancel = ::GetDlgItem(hDlg, IDCANCEL);
        if (!hCancel || ::IsWindowEnabled(hCancel))
            ::PostMessage(hDlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(hCancel));
        return 0;
    }
    case WM_NCDESTROY:
        ::RemoveProp(hDlg, kDefIdProp);
        break;
    default:
        break;
    }
    return ::DefWindowProc(hDlg, Msg, wParam, lParam);
}

BOOL IsDialogMessage(HWND hDlg, LPMSG lpMsg)
{
    if (!lpMsg || !::IsWindow(hDlg))
        return FALSE;
    if (lpMsg->message == WM_SYSCHAR) {
        HWND focus = lpMsg->hwnd;
        if (focus != hDlg && !::IsChild(hDlg, focus))
            return FALSE;
        RunMnemonic(hDlg, static_cast<UINT>(lpMsg->wParam));
        return TRUE;
    }
    if (lpMsg->message != WM_KEYDOWN && lpMsg->message != WM_CHAR)
        return FALSE;
    HWND focus = lpMsg->hwnd;
    if (focus != hDlg && !::IsChild(hDlg, focus))
        return FALSE;
    const UINT vk = static_cast<UINT>(lpMsg->wParam);
    if (lpMsg->message == WM_CHAR) {
        // The characters of the keys the dialog handles on key-down.
        return FALSE;
    }
    if (vk != VK_TAB && vk != VK_RETURN && vk != VK_ESCAPE && vk != VK_LEFT && vk != VK_RIGHT && vk != VK_UP &&
        vk != VK_DOWN)
        return FALSE;
    if (::GetKeyState(VK_MENU) < 0)
        return FALSE;
    HWND ctrl = focus == hDlg ? nullptr : DirectChild(hDlg, focus);
    LRESULT code = 0;
    if (focus != hDlg)
        code = ::SendMessage(focus, WM_GETDLGCODE, vk, reinterpret_cast<LPARAM>(lpMsg));
    if (ctrl && ctrl != focus)
        code |= ::SendMessage(ctrl, WM_GETDLGCODE, vk, reinterpret_cast<LPARAM>(lpMsg)) &
                (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON | DLGC_RADIOBUTTON | DLGC_BUTTON);
    if (code & DLGC_WANTMESSAGE)
        return FALSE;
    CWnd* pDlg = CWnd::FromHandle(hDlg);
    switch (vk) {
    case VK_TAB: {
        if ((code & DLGC_WANTTAB) && ::GetKeyState(VK_CONTROL) >= 0)
            return FALSE;
        bool back = ::GetKeyState(VK_SHIFT) < 0;
        CWnd* next = pDlg->GetNextDlgTabItem(CWnd::FromHandle(ctrl), back);
        if (next)
            Goto(hDlg, next->GetSafeHwnd());
        return TRUE;
    }
    case VK_RETURN: {
        int id = (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) && ctrl ? ::GetDlgCtrlID(ctrl) : DefIdOf(hDlg);
        HWND button = ::GetDlgItem(hDlg, id);
        if (button && !::IsWindowEnabled(button))
            return TRUE;
        ::SendMessage(hDlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
        return TRUE;
    }
    case VK_ESCAPE: {
        HWND button = ::GetDlgItem(hDlg, IDCANCEL);
        if (button && !::IsWindowEnabled(button))
            return TRUE;
        ::SendMessage(hDlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(button));
        return TRUE;
    }
    default: {
        if ((code & DLGC_WANTARROWS) || !ctrl)
            return FALSE;
        bool back = vk == VK_LEFT || vk == VK_UP;
        CWnd* next = pDlg->GetNextDlgGroupItem(CWnd::FromHandle(ctrl), back);
        if (next && next->GetSafeHwnd() != ctrl) {
            Goto(hDlg, next->GetSafeHwnd());
            LRESULT nc = next->SendMessage(WM_GETDLGCODE);
            if ((nc & DLGC_RADIOBUTTON) && (next->GetStyle() & 0x0F) == BS_AUTORADIOBUTTON)
                next->SendMessage(BM_CLICK);
        }
        return TRUE;
    }
    }
}

LONG GetDialogBaseUnits()
{
    QSize s = pc::BaseUnits(AfxMessageQFont());
    return MAKELONG(s.width(), s.height());
}

namespace pc_frame {
void EnsureControlClasses();  // the list, header, tree and tab classes
}

namespace pc {

void RegisterDialogClass()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    RegisterControlClasses();
    pc_frame::EnsureControlClasses();
    WNDCLASS wc = {};
    if (GetClassInfo(nullptr, WC_DIALOG, &wc))
        return;
    wc.style = CS_DBLCLKS | CS_SAVEBITS | CS_GLOBALCLASS;
    wc.lpfnWndProc = &DefDlgProc;
    wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    wc.lpszClassName = WC_DIALOG;
    ::RegisterClass(&wc);
}

}  // namespace pc
