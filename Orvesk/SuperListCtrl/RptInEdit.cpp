// CRptInEdit and the helpers the in-place editors share.
#include "SuperListCtrl/RptInEdit.h"

#include <ClassLib/Wnd/Keys.h>

#include <algorithm>
#include <cstring>

#include "SuperListCtrl/RptListCtrl.h"

BOOL RptSendEndLabelEdit(CWnd* pEditor, int nItem, int nSubItem, const CString& strInitial, const CString& strText,
                         BOOL bCancelled)
{
    if (strText == strInitial)
        return FALSE;
    CWnd* pList = pEditor != nullptr ? pEditor->GetParent() : nullptr;
    if (pList == nullptr)
        return FALSE;
    // The record lives for the call only; the list copies the text.
    CString strBuffer = strText;
    NMLVDISPINFO info;
    std::memset(&info, 0, sizeof(info));
    info.hdr.hwndFrom = pList->GetSafeHwnd();
    info.hdr.idFrom = static_cast<UINT_PTR>(pEditor->GetDlgCtrlID());
    info.hdr.code = LVN_ENDLABELEDIT;
    info.item.mask = LVIF_TEXT;
    info.item.iItem = nItem;
    info.item.iSubItem = nSubItem;
    info.item.pszText = bCancelled ? nullptr : strBuffer.GetBuffer();
    info.item.cchTextMax = bCancelled ? 0 : strBuffer.GetLength();
    pList->SendMessage(WM_NOTIFY, static_cast<WPARAM>(pList->GetDlgCtrlID()), reinterpret_cast<LPARAM>(&info));
    if (!bCancelled)
        strBuffer.ReleaseBuffer();
    return TRUE;
}

void RptSendEditNavigate(CWnd* pList, int nItem, int nSubItem, int nDirection)
{
    if (pList == nullptr || pList->GetSafeHwnd() == nullptr)
        return;
    int cell[2] = {nItem, nSubItem};
    pList->SendMessage(WM_RPT_EDITNAVIGATE, static_cast<WPARAM>(nDirection), reinterpret_cast<LPARAM>(cell));
}

void RptClickThrough(CWnd* pWnd)
{
    CPoint pt;
    ::GetCursorPos(&pt);
    pWnd->ScreenToClient(&pt);
    const LPARAM lParam = MAKELPARAM(pt.x, pt.y);
    pWnd->PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, lParam);
    pWnd->PostMessage(WM_LBUTTONUP, 0, lParam);
}

namespace {

// The list window an editor part sends its double clicks to.
CWnd* NotificationWindowOf(CWnd* pList)
{
    if (CRptListCtrl* pRpt = dynamic_cast<CRptListCtrl*>(pList))
        return pRpt->GetNotifyTarget();
    return pList != nullptr ? pList->GetParent() : nullptr;
}

} // namespace

BEGIN_MESSAGE_MAP(CRptInEdit, CRichEditCtrl)
    ON_WM_CHAR()
    ON_WM_KILLFOCUS()
    ON_WM_RBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_GETDLGCODE()
    ON_COMMAND(ID_EDIT_COPY, OnEditCopy)
    ON_COMMAND(ID_EDIT_CUT, OnEditCut)
    ON_COMMAND(ID_EDIT_PASTE, OnEditPaste)
    ON_COMMAND(ID_EDIT_UNDO, OnEditUndo)
    ON_UPDATE_COMMAND_UI(ID_EDIT_COPY, OnUpdateEditCopyCut)
    ON_UPDATE_COMMAND_UI(ID_EDIT_CUT, OnUpdateEditCopyCut)
    ON_UPDATE_COMMAND_UI(ID_EDIT_PASTE, OnUpdateEditPaste)
    ON_UPDATE_COMMAND_UI(ID_EDIT_UNDO, OnUpdateEditUndo)
END_MESSAGE_MAP()

CRptInEdit::CRptInEdit(int nItem, int nSubItem, LPCTSTR lpszText, BOOL bClickThrough)
    : m_nItem(nItem), m_nSubItem(nSubItem), m_strInitial(lpszText), m_bClickThrough(bClickThrough)
{
}

BOOL CRptInEdit::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    if (!CRichEditCtrl::Create(dwStyle, rect, pParentWnd, nID))
        return FALSE;
    SetFont(pParentWnd->GetFont());
    SetWindowText(m_strInitial);
    // The focus is taken once the window is there to be shown.
    SetFocus();
    SetSel(0, -1);
    if (m_bClickThrough)
        RptClickThrough(this);
    return TRUE;
}

UINT CRptInEdit::OnGetDlgCode()
{
    return DLGC_WANTALLKEYS;
}

BOOL CRptInEdit::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message != WM_KEYDOWN)
        return CRichEditCtrl::PreTranslateMessage(pMsg);
    const UINT nKey = static_cast<UINT>(pMsg->wParam);
    long nStart = 0, nEnd = 0;
    GetSel(nStart, nEnd);
    const bool bNothingSelected = nStart == nEnd;
    if (nKey == VK_LEFT && nStart == 0 && bNothingSelected) {
        LeaveAndNavigate(RPT_NAV_LEFT);
        return TRUE;
    }
    if (nKey == VK_RIGHT && nStart == GetWindowTextLength() && bNothingSelected) {
        LeaveAndNavigate(RPT_NAV_RIGHT);
        return TRUE;
    }
    if (nKey == VK_UP) {
        LeaveAndNavigate(RPT_NAV_UP);
        return TRUE;
    }
    if (nKey == VK_DOWN) {
        LeaveAndNavigate(RPT_NAV_DOWN);
        return TRUE;
    }
    // Keys of the editor's own never reach the dialog around the list; with Control down
    // every key is the editor's (copy, cut, paste, undo).
    const bool bOwnKey = nKey == VK_RETURN || nKey == VK_DELETE || nKey == VK_ESCAPE || nKey == VK_LEFT ||
                         nKey == VK_RIGHT || nKey == VK_TAB;
    if (bOwnKey || (::GetKeyState(VK_CONTROL) & 0x8000)) {
        ::TranslateMessage(pMsg);
        ::DispatchMessage(pMsg);
        return TRUE;
    }
    return CRichEditCtrl::PreTranslateMessage(pMsg);
}

void CRptInEdit::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_ESCAPE) {
        m_bCancelled = TRUE;
        if (CWnd* pList = GetParent())
            pList->SetFocus();
        return;
    }
    if (nChar == VK_RETURN) {
        if (CWnd* pList = GetParent())
            pList->SetFocus();
        return;
    }
    if (nChar == VK_TAB) {
        LeaveAndNavigate((::GetKeyState(VK_SHIFT) & 0x8000) ? RPT_NAV_PREVCELL : RPT_NAV_NEXTCELL);
        return;
    }
    CRichEditCtrl::OnChar(nChar, nRepCnt, nFlags);
    WidenToText();
}

void CRptInEdit::WidenToText()
{
    CWnd* pList = GetParent();
    if (pList == nullptr)
        return;
    CString strText;
    GetWindowText(strText);
    CClientDC dc(this);
    CFont* pOld = dc.SelectObject(pList->GetFont());
    const int nNeeded = dc.GetTextExtent(strText).cx + 5;
    dc.SelectObject(pOld);
    CRect rc;
    GetWindowRect(&rc);
    pList->ScreenToClient(&rc);
    if (nNeeded <= rc.Width())
        return;
    CRect client;
    pList->GetClientRect(&client);
    const int nRight = std::min(rc.left + nNeeded, client.right);
    if (nRight <= rc.right)
        return;
    rc.right = nRight;
    MoveWindow(&rc);
}

void CRptInEdit::EndEdit()
{
    if (m_bEnded)
        return;
    m_bEnded = TRUE;
    if (m_bCancelled)
        return;
    CString strText;
    GetWindowText(strText);
    RptSendEndLabelEdit(this, m_nItem, m_nSubItem, m_strInitial, strText, FALSE);
}

void CRptInEdit::LeaveAndNavigate(int nDirection)
{
    // Everything needed after the window is gone is kept on the stack: the object deletes
    // itself with its window.
    CWnd* pList = GetParent();
    const int nItem = m_nItem;
    const int nSubItem = m_nSubItem;
    EndEdit();
    m_bDestroying = TRUE;
    DestroyWindow();
    RptSendEditNavigate(pList, nItem, nSubItem, nDirection);
}

void CRptInEdit::OnKillFocus(CWnd* pNewWnd)
{
    CRichEditCtrl::OnKillFocus(pNewWnd);
    if (m_bDestroying)
        return;
    EndEdit();
    m_bDestroying = TRUE;
    DestroyWindow();
}

void CRptInEdit::OnRButtonDown(UINT, CPoint)
{
}

void CRptInEdit::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    CRichEditCtrl::OnLButtonDblClk(nFlags, point);
    CWnd* pList = GetParent();
    CWnd* pTarget = NotificationWindowOf(pList);
    if (pList == nullptr || pTarget == nullptr)
        return;
    NMHDR hdr;
    std::memset(&hdr, 0, sizeof(hdr));
    hdr.hwndFrom = pList->GetSafeHwnd();
    hdr.idFrom = static_cast<UINT_PTR>(pList->GetDlgCtrlID());
    hdr.code = NM_DBLCLK;
    pTarget->SendMessage(WM_NOTIFY, hdr.idFrom, reinterpret_cast<LPARAM>(&hdr));
}

void CRptInEdit::OnEditCopy() { Copy(); }
void CRptInEdit::OnEditCut() { Cut(); }
void CRptInEdit::OnEditPaste() { Paste(); }
void CRptInEdit::OnEditUndo() { Undo(); }

void CRptInEdit::OnUpdateEditCopyCut(CCmdUI* pCmdUI)
{
    long nStart = 0, nEnd = 0;
    GetSel(nStart, nEnd);
    pCmdUI->Enable(nStart != nEnd);
}

void CRptInEdit::OnUpdateEditPaste(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(CanPaste());
}

void CRptInEdit::OnUpdateEditUndo(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(CanUndo());
}

void CRptInEdit::PostNcDestroy()
{
    delete this;
}
