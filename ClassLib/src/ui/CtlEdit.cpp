// CEdit and CRichEditCtrl: messages to the control's window.
#include <ClassLib/AfxWin.h>

#include "ControlClasses.h"

IMPLEMENT_DYNAMIC(CEdit, CWnd)
IMPLEMENT_DYNAMIC(CRichEditCtrl, CWnd)

CEdit::CEdit() = default;

BOOL CEdit::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    pc::RegisterControlClasses();
    return CWnd::Create(WC_EDIT, nullptr, dwStyle, rect, pParentWnd, nID);
}

BOOL CEdit::CanUndo() const { return (BOOL)::SendMessage(m_hWnd, EM_CANUNDO, 0, 0); }
int CEdit::GetLineCount() const { return (int)::SendMessage(m_hWnd, EM_GETLINECOUNT, 0, 0); }
BOOL CEdit::GetModify() const { return (BOOL)::SendMessage(m_hWnd, EM_GETMODIFY, 0, 0); }
void CEdit::SetModify(BOOL bModified) { ::SendMessage(m_hWnd, EM_SETMODIFY, bModified, 0); }
void CEdit::GetRect(LPRECT lpRect) const { GetClientRect(lpRect); }
DWORD CEdit::GetSel() const { return (DWORD)::SendMessage(m_hWnd, EM_GETSEL, 0, 0); }
void CEdit::GetSel(int& nStartChar, int& nEndChar) const
{
    DWORD s = 0, e = 0;
    ::SendMessage(m_hWnd, EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
    nStartChar = (int)s;
    nEndChar = (int)e;
}
int CEdit::GetLine(int nIndex, LPTSTR lpszBuffer) const
{
    return (int)::SendMessage(m_hWnd, EM_GETLINE, (WPARAM)nIndex, reinterpret_cast<LPARAM>(lpszBuffer));
}
int CEdit::GetLine(int nIndex, LPTSTR lpszBuffer, int nMaxLength) const
{
    if (!lpszBuffer || nMaxLength < 2)
        return 0;
    *reinterpret_cast<WORD*>(lpszBuffer) = (WORD)nMaxLength;
    return GetLine(nIndex, lpszBuffer);
}
void CEdit::SetSel(DWORD dwSelection, BOOL bNoScroll)
{
    SetSel((int)(short)LOWORD(dwSelection), (int)(short)HIWORD(dwSelection), bNoScroll);
}
void CEdit::SetSel(int nStartChar, int nEndChar, BOOL bNoScroll)
{
    ::SendMessage(m_hWnd, EM_SETSEL, (WPARAM)(INT_PTR)nStartChar, nEndChar);
    if (!bNoScroll)
        ::SendMessage(m_hWnd, EM_SCROLLCARET, 0, 0);
}
void CEdit::ReplaceSel(LPCTSTR lpszNewText, BOOL bCanUndo)
{
    ::SendMessage(m_hWnd, EM_REPLACESEL, bCanUndo, reinterpret_cast<LPARAM>(lpszNewText));
}
void CEdit::LimitText(int nChars) { ::SendMessage(m_hWnd, EM_LIMITTEXT, (WPARAM)nChars, 0); }
UINT CEdit::GetLimitText() const { return (UINT)::SendMessage(m_hWnd, EM_GETLIMITTEXT, 0, 0); }
int CEdit::LineIndex(int nLine) const { return (int)::SendMessage(m_hWnd, EM_LINEINDEX, (WPARAM)(INT_PTR)nLine, 0); }
int CEdit::LineFromChar(int nIndex) const { return (int)::SendMessage(m_hWnd, EM_LINEFROMCHAR, (WPARAM)(INT_PTR)nIndex, 0); }
int CEdit::LineLength(int nLine) const { return (int)::SendMessage(m_hWnd, EM_LINELENGTH, (WPARAM)(INT_PTR)nLine, 0); }
void CEdit::LineScroll(int nLines, int nChars) { ::SendMessage(m_hWnd, EM_LINESCROLL, (WPARAM)nChars, nLines); }
BOOL CEdit::SetReadOnly(BOOL bReadOnly) { return (BOOL)::SendMessage(m_hWnd, EM_SETREADONLY, bReadOnly, 0); }
TCHAR CEdit::GetPasswordChar() const { return (TCHAR)::SendMessage(m_hWnd, EM_GETPASSWORDCHAR, 0, 0); }
void CEdit::SetPasswordChar(TCHAR ch) { ::SendMessage(m_hWnd, EM_SETPASSWORDCHAR, (WPARAM)(BYTE)ch, 0); }
void CEdit::EmptyUndoBuffer() { ::SendMessage(m_hWnd, EM_EMPTYUNDOBUFFER, 0, 0); }
BOOL CEdit::Undo() { return (BOOL)::SendMessage(m_hWnd, EM_UNDO, 0, 0); }
void CEdit::Clear() { ::SendMessage(m_hWnd, WM_CLEAR, 0, 0); }
void CEdit::Copy() { ::SendMessage(m_hWnd, WM_COPY, 0, 0); }
void CEdit::Cut() { ::SendMessage(m_hWnd, WM_CUT, 0, 0); }
void CEdit::Paste() { ::SendMessage(m_hWnd, WM_PASTE, 0, 0); }
void CEdit::SetMargins(UINT nLeft, UINT nRight)
{
    ::SendMessage(m_hWnd, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(nLeft, nRight));
}

CRichEditCtrl::CRichEditCtrl() = default;

BOOL CRichEditCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    pc::RegisterControlClasses();
    return CWnd::Create(RICHEDIT_CLASS, nullptr, dwStyle, rect, pParentWnd, nID);
}

void CRichEditCtrl::GetSel(CHARRANGE& cr) const { ::SendMessage(m_hWnd, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&cr)); }
void CRichEditCtrl::GetSel(long& nStartChar, long& nEndChar) const
{
    CHARRANGE cr = {0, 0};
    GetSel(cr);
    nStartChar = cr.cpMin;
    nEndChar = cr.cpMax;
}
void CRichEditCtrl::SetSel(CHARRANGE& cr) { ::SendMessage(m_hWnd, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&cr)); }
void CRichEditCtrl::SetSel(long nStartChar, long nEndChar)
{
    CHARRANGE cr = {(LONG)nStartChar, (LONG)nEndChar};
    SetSel(cr);
}
void CRichEditCtrl::ReplaceSel(LPCTSTR lpszNewText, BOOL bCanUndo)
{
    ::SendMessage(m_hWnd, EM_REPLACESEL, bCanUndo, reinterpret_cast<LPARAM>(lpszNewText));
}
CString CRichEditCtrl::GetSelText() const
{
    long s = 0, e = 0;
    GetSel(s, e);
    CString out;
    if (e > s) {
        LPTSTR buf = out.GetBufferSetLength((int)(e - s));
        LRESULT n = ::SendMessage(m_hWnd, EM_GETSELTEXT, 0, reinterpret_cast<LPARAM>(buf));
        out.ReleaseBuffer((int)n);
    }
    return out;
}
long CRichEditCtrl::GetTextRange(int nFirst, int nLast, CString& refString) const
{
    TEXTRANGE tr;
    tr.chrg.cpMin = nFirst;
    tr.chrg.cpMax = nLast;
    int total = GetWindowTextLength();
    int n = (nLast < 0 || nLast > total ? total : nLast) - (nFirst < 0 ? 0 : nFirst);
    if (n < 0)
        n = 0;
    tr.lpstrText = refString.GetBufferSetLength(n);
    LRESULT got = ::SendMessage(m_hWnd, EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&tr));
    refString.ReleaseBuffer((int)got);
    return (long)got;
}
void CRichEditCtrl::LimitText(long nChars) { ::SendMessage(m_hWnd, EM_EXLIMITTEXT, 0, nChars); }
DWORD CRichEditCtrl::GetEventMask() const { return (DWORD)::SendMessage(m_hWnd, EM_GETEVENTMASK, 0, 0); }
DWORD CRichEditCtrl::SetEventMask(DWORD dwEventMask) { return (DWORD)::SendMessage(m_hWnd, EM_SETEVENTMASK, 0, dwEventMask); }
COLORREF CRichEditCtrl::SetBackgroundColor(BOOL bSysColor, COLORREF cr)
{
    return (COLORREF)::SendMessage(m_hWnd, EM_SETBKGNDCOLOR, bSysColor, (LPARAM)cr);
}
BOOL CRichEditCtrl::SetReadOnly(BOOL bReadOnly) { return (BOOL)::SendMessage(m_hWnd, EM_SETREADONLY, bReadOnly, 0); }
BOOL CRichEditCtrl::GetModify() const { return (BOOL)::SendMessage(m_hWnd, EM_GETMODIFY, 0, 0); }
void CRichEditCtrl::SetModify(BOOL bModified) { ::SendMessage(m_hWnd, EM_SETMODIFY, bModified, 0); }
BOOL CRichEditCtrl::CanUndo() const { return (BOOL)::SendMessage(m_hWnd, EM_CANUNDO, 0, 0); }
BOOL CRichEditCtrl::CanPaste(UINT nFormat) const { return (BOOL)::SendMessage(m_hWnd, EM_CANPASTE, nFormat, 0); }
BOOL CRichEditCtrl::Undo() { return (BOOL)::SendMessage(m_hWnd, EM_UNDO, 0, 0); }
void CRichEditCtrl::Clear() { ::SendMessage(m_hWnd, WM_CLEAR, 0, 0); }
void CRichEditCtrl::Copy() { ::SendMessage(m_hWnd, WM_COPY, 0, 0); }
void CRichEditCtrl::Cut() { ::SendMessage(m_hWnd, WM_CUT, 0, 0); }
void CRichEditCtrl::Paste() { ::SendMessage(m_hWnd, WM_PASTE, 0, 0); }
int CRichEditCtrl::GetLineCount() const { return (int)::SendMessage(m_hWnd, EM_GETLINECOUNT, 0, 0); }
void CRichEditCtrl::HideSelection(BOOL bHide, BOOL bPerm) { ::SendMessage(m_hWnd, EM_HIDESELECTION, bHide, bPerm); }
void CRichEditCtrl::EmptyUndoBuffer() { ::SendMessage(m_hWnd, EM_EMPTYUNDOBUFFER, 0, 0); }
