// What the grid's in-place editors share.
#include "InPlaceEditKeys.h"
#include "GridItem.h"

#include <ClassLib/Wnd/Keys.h>

void GridStartEditWithChar(CWnd* pEdit, UINT nFirstChar, BOOL bSelectOnTabAndSpace)
{
    if (!pEdit || !pEdit->GetSafeHwnd())
        return;
    int nLength = pEdit->GetWindowTextLength();
    if (nFirstChar == VK_LBUTTON || nFirstChar == VK_RETURN)
    {
        pEdit->SendMessage(EM_SETSEL, (WPARAM)nLength, nLength);
        return;
    }
    if (nFirstChar == VK_BACK)
    {
        pEdit->SendMessage(EM_SETSEL, (WPARAM)nLength, nLength);
        pEdit->SendMessage(WM_CHAR, VK_BACK, 0);
        return;
    }
    pEdit->SendMessage(EM_SETSEL, 0, -1);
    // Codes 0x21 to 0x28 are the navigation keys that moved on from the last edit while
    // such a key is held, else the characters "!" to "(" typed (Shift and a digit, "'").
    const BOOL bNavigation = nFirstChar >= 0x21 && nFirstChar <= 0x28 && (::GetKeyState((int)nFirstChar) & 0x8000);
    BOOL bSelectOnly = bNavigation || (bSelectOnTabAndSpace && (nFirstChar == VK_TAB || nFirstChar == 0x20));
    if (!bSelectOnly)
        pEdit->SendMessage(WM_CHAR, nFirstChar, 0);
}

BOOL GridIsEndKey(UINT nChar)
{
    return nChar == VK_TAB || nChar == VK_RETURN || nChar == VK_ESCAPE;
}

BOOL GridNavigationKeyLeaves(UINT nChar, BOOL bExitOnArrows)
{
    BOOL bNavigation = nChar == VK_PRIOR || nChar == VK_NEXT || nChar == VK_LEFT || nChar == VK_UP
                       || nChar == VK_RIGHT || nChar == VK_DOWN;
    return bNavigation && (bExitOnArrows || (::GetKeyState(VK_CONTROL) & 0x8000));
}

void GridReportEndEdit(CWnd* pEditor, int nRow, int nCol, const CString& strText, UINT nLastChar)
{
    GridDispInfo dispinfo;
    dispinfo.hdr.hwndFrom = pEditor->GetSafeHwnd();
    dispinfo.hdr.idFrom = pEditor->GetSafeHwnd() ? pEditor->GetDlgCtrlID() : 0;
    dispinfo.hdr.code = GRIDN_ENDLABELEDIT;
    dispinfo.item.mask = GRIDITEM_TEXT | GRIDITEM_DATA;
    dispinfo.item.row = nRow;
    dispinfo.item.col = nCol;
    dispinfo.item.szText = strText;
    dispinfo.item.lParam = (DWORD)nLastChar;

    CWnd* pOwner = pEditor->GetSafeHwnd() ? pEditor->GetOwner() : NULL;
    if (pOwner && ::IsWindow(pOwner->GetSafeHwnd()))
        pOwner->SendMessage(WM_NOTIFY, dispinfo.hdr.idFrom, (LPARAM)&dispinfo);

    if (pEditor->GetSafeHwnd())
        pEditor->PostMessage(WM_CLOSE, 0, 0);
}

void GridPassPressOn(CWnd* pEditor, UINT nFlags, CPoint ptClient)
{
    if (!pEditor || !pEditor->GetSafeHwnd())
        return;
    const HWND hEditor = pEditor->GetSafeHwnd();
    CPoint ptScreen = ptClient;
    pEditor->ClientToScreen(&ptScreen);
    const HWND hUnder = ::WindowFromPoint(POINT{ptScreen.x, ptScreen.y});
    if (!hUnder || hUnder == hEditor || ::IsChild(hEditor, hUnder) || ::GetCapture() != NULL)
        return;
    if (::SendMessage(hUnder, WM_NCHITTEST, 0, MAKELPARAM(ptScreen.x, ptScreen.y)) != HTCLIENT || !::IsWindow(hUnder))
        return;
    POINT pt{ptScreen.x, ptScreen.y};
    ::ScreenToClient(hUnder, &pt);
    ::AfxPassButtonDown(hEditor, hUnder);
    ::SendMessage(hUnder, WM_LBUTTONDOWN, nFlags, MAKELPARAM(pt.x, pt.y));
}
