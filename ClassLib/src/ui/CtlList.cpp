// CComboBox and CListBox.
#include <ClassLib/AfxWin.h>

#include "ControlClasses.h"

IMPLEMENT_DYNAMIC(CComboBox, CWnd)
IMPLEMENT_DYNAMIC(CListBox, CWnd)

namespace {

LPARAM Str(LPCTSTR s)
{
    return reinterpret_cast<LPARAM>(s);
}

// The owner-drawing messages a parent gives back to its list or combo box.
template <class T>
BOOL OwnerNotify(T* self, UINT message, LPARAM lParam, LRESULT* pResult)
{
    switch (message) {
    case WM_DRAWITEM:
        self->DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        break;
    case WM_MEASUREITEM:
        self->MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
        break;
    case WM_COMPAREITEM: {
        int r = self->CompareItem(reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam));
        if (pResult)
            *pResult = r;
        return TRUE;
    }
    case WM_DELETEITEM:
        self->DeleteItem(reinterpret_cast<LPDELETEITEMSTRUCT>(lParam));
        break;
    default:
        return FALSE;
    }
    if (pResult)
        *pResult = TRUE;
    return TRUE;
}

}  // namespace

CComboBox::CComboBox() = default;

BOOL CComboBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    pc::RegisterControlClasses();
    return CWnd::Create(WC_COMBOBOX, nullptr, dwStyle, rect, pParentWnd, nID);
}

int CComboBox::GetCount() const { return (int)::SendMessage(m_hWnd, CB_GETCOUNT, 0, 0); }
int CComboBox::GetCurSel() const { return (int)::SendMessage(m_hWnd, CB_GETCURSEL, 0, 0); }
int CComboBox::SetCurSel(int nSelect) { return (int)::SendMessage(m_hWnd, CB_SETCURSEL, (WPARAM)(INT_PTR)nSelect, 0); }
DWORD CComboBox::GetEditSel() const { return (DWORD)::SendMessage(m_hWnd, CB_GETEDITSEL, 0, 0); }
BOOL CComboBox::LimitText(int nMaxChars) { return (BOOL)::SendMessage(m_hWnd, CB_LIMITTEXT, (WPARAM)nMaxChars, 0); }
BOOL CComboBox::SetEditSel(int nStartChar, int nEndChar)
{
    return (BOOL)::SendMessage(m_hWnd, CB_SETEDITSEL, 0, MAKELONG(nStartChar, nEndChar));
}
DWORD_PTR CComboBox::GetItemData(int nIndex) const { return (DWORD_PTR)::SendMessage(m_hWnd, CB_GETITEMDATA, (WPARAM)nIndex, 0); }
int CComboBox::SetItemData(int nIndex, DWORD_PTR dwItemData)
{
    return (int)::SendMessage(m_hWnd, CB_SETITEMDATA, (WPARAM)nIndex, (LPARAM)dwItemData);
}
void* CComboBox::GetItemDataPtr(int nIndex) const { return reinterpret_cast<void*>(GetItemData(nIndex)); }
int CComboBox::SetItemDataPtr(int nIndex, void* pData) { return SetItemData(nIndex, reinterpret_cast<DWORD_PTR>(pData)); }
int CComboBox::GetLBText(int nIndex, LPTSTR lpszText) const
{
    return (int)::SendMessage(m_hWnd, CB_GETLBTEXT, (WPARAM)nIndex, reinterpret_cast<LPARAM>(lpszText));
}
void CComboBox::GetLBText(int nIndex, CString& rString) const
{
    int n = GetLBTextLen(nIndex);
    if (n < 0) {
        rString.Empty();
        return;
    }
    GetLBText(nIndex, rString.GetBufferSetLength(n));
    rString.ReleaseBuffer(n);
}
int CComboBox::GetLBTextLen(int nIndex) const { return (int)::SendMessage(m_hWnd, CB_GETLBTEXTLEN, (WPARAM)nIndex, 0); }
int CComboBox::SetItemHeight(int nIndex, UINT cyItemHeight)
{
    return (int)::SendMessage(m_hWnd, CB_SETITEMHEIGHT, (WPARAM)(INT_PTR)nIndex, (LPARAM)cyItemHeight);
}
int CComboBox::GetItemHeight(int nIndex) const { return (int)::SendMessage(m_hWnd, CB_GETITEMHEIGHT, (WPARAM)(INT_PTR)nIndex, 0); }
int CComboBox::FindStringExact(int nIndexStart, LPCTSTR lpszFind) const
{
    return (int)::SendMessage(m_hWnd, CB_FINDSTRINGEXACT, (WPARAM)(INT_PTR)nIndexStart, Str(lpszFind));
}
int CComboBox::SetExtendedUI(BOOL bExtended) { return (int)::SendMessage(m_hWnd, CB_SETEXTENDEDUI, bExtended, 0); }
BOOL CComboBox::GetExtendedUI() const { return (BOOL)::SendMessage(m_hWnd, CB_GETEXTENDEDUI, 0, 0); }
void CComboBox::GetDroppedControlRect(LPRECT lprect) const
{
    ::SendMessage(m_hWnd, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(lprect));
}
BOOL CComboBox::GetDroppedState() const { return (BOOL)::SendMessage(m_hWnd, CB_GETDROPPEDSTATE, 0, 0); }
int CComboBox::GetDroppedWidth() const { return (int)::SendMessage(m_hWnd, CB_GETDROPPEDWIDTH, 0, 0); }
int CComboBox::SetDroppedWidth(UINT nWidth) { return (int)::SendMessage(m_hWnd, CB_SETDROPPEDWIDTH, nWidth, 0); }
void CComboBox::SetHorizontalExtent(UINT nExtent) { ::SendMessage(m_hWnd, CB_SETHORIZONTALEXTENT, nExtent, 0); }
int CComboBox::SetTopIndex(int nIndex) { return (int)::SendMessage(m_hWnd, CB_SETTOPINDEX, (WPARAM)nIndex, 0); }
void CComboBox::ShowDropDown(BOOL bShowIt) { ::SendMessage(m_hWnd, CB_SHOWDROPDOWN, bShowIt, 0); }
int CComboBox::AddString(LPCTSTR lpszString) { return (int)::SendMessage(m_hWnd, CB_ADDSTRING, 0, Str(lpszString)); }
int CComboBox::DeleteString(UINT nIndex) { return (int)::SendMessage(m_hWnd, CB_DELETESTRING, nIndex, 0); }
int CComboBox::InsertString(int nIndex, LPCTSTR lpszString)
{
    return (int)::SendMessage(m_hWnd, CB_INSERTSTRING, (WPARAM)(INT_PTR)nIndex, Str(lpszString));
}
void CComboBox::ResetContent() { ::SendMessage(m_hWnd, CB_RESETCONTENT, 0, 0); }
int CComboBox::FindString(int nStartAfter, LPCTSTR lpszString) const
{
    return (int)::SendMessage(m_hWnd, CB_FINDSTRING, (WPARAM)(INT_PTR)nStartAfter, Str(lpszString));
}
int CComboBox::SelectString(int nStartAfter, LPCTSTR lpszString)
{
    return (int)::SendMessage(m_hWnd, CB_SELECTSTRING, (WPARAM)(INT_PTR)nStartAfter, Str(lpszString));
}
void CComboBox::Clear() { if (CWnd* e = GetDlgItem(PC_COMBO_EDIT_ID)) e->SendMessage(WM_CLEAR); }
void CComboBox::Copy() { if (CWnd* e = GetDlgItem(PC_COMBO_EDIT_ID)) e->SendMessage(WM_COPY); }
void CComboBox::Cut() { if (CWnd* e = GetDlgItem(PC_COMBO_EDIT_ID)) e->SendMessage(WM_CUT); }
void CComboBox::Paste() { if (CWnd* e = GetDlgItem(PC_COMBO_EDIT_ID)) e->SendMessage(WM_PASTE); }
void CComboBox::DrawItem(LPDRAWITEMSTRUCT) {}
void CComboBox::MeasureItem(LPMEASUREITEMSTRUCT) {}
int CComboBox::CompareItem(LPCOMPAREITEMSTRUCT) { return 0; }
void CComboBox::DeleteItem(LPDELETEITEMSTRUCT) {}

BOOL CComboBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (OwnerNotify(this, message, lParam, pResult))
        return TRUE;
    return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}

// ---- CListBox -----------------------------------------------------------------------------

CListBox::CListBox() = default;

BOOL CListBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    pc::RegisterControlClasses();
    return CWnd::Create(WC_LISTBOX, nullptr, dwStyle, rect, pParentWnd, nID);
}

int CListBox::GetCount() const { return (int)::SendMessage(m_hWnd, LB_GETCOUNT, 0, 0); }
void CListBox::SetHorizontalExtent(int cxExtent) { ::SendMessage(m_hWnd, LB_SETHORIZONTALEXTENT, (WPARAM)cxExtent, 0); }
int CListBox::GetTopIndex() const { return (int)::SendMessage(m_hWnd, LB_GETTOPINDEX, 0, 0); }
int CListBox::SetTopIndex(int nIndex) { return (int)::SendMessage(m_hWnd, LB_SETTOPINDEX, (WPARAM)nIndex, 0); }
int CListBox::GetCurSel() const { return (int)::SendMessage(m_hWnd, LB_GETCURSEL, 0, 0); }
int CListBox::SetCurSel(int nSelect) { return (int)::SendMessage(m_hWnd, LB_SETCURSEL, (WPARAM)(INT_PTR)nSelect, 0); }
int CListBox::GetSel(int nIndex) const { return (int)::SendMessage(m_hWnd, LB_GETSEL, (WPARAM)nIndex, 0); }
int CListBox::SetSel(int nIndex, BOOL bSelect) { return (int)::SendMessage(m_hWnd, LB_SETSEL, bSelect, nIndex); }
int CListBox::GetSelCount() const { return (int)::SendMessage(m_hWnd, LB_GETSELCOUNT, 0, 0); }
int CListBox::GetSelItems(int nMaxItems, LPINT rgIndex) const
{
    return (int)::SendMessage(m_hWnd, LB_GETSELITEMS, (WPARAM)nMaxItems, reinterpret_cast<LPARAM>(rgIndex));
}
DWORD_PTR CListBox::GetItemData(int nIndex) const { return (DWORD_PTR)::SendMessage(m_hWnd, LB_GETITEMDATA, (WPARAM)nIndex, 0); }
int CListBox::SetItemData(int nIndex, DWORD_PTR dwItemData)
{
    return (int)::SendMessage(m_hWnd, LB_SETITEMDATA, (WPARAM)nIndex, (LPARAM)dwItemData);
}
void* CListBox::GetItemDataPtr(int nIndex) const { return reinterpret_cast<void*>(GetItemData(nIndex)); }
int CListBox::SetItemDataPtr(int nIndex, void* pData) { return SetItemData(nIndex, reinterpret_cast<DWORD_PTR>(pData)); }
int CListBox::GetItemRect(int nIndex, LPRECT lpRect) const
{
    return (int)::SendMessage(m_hWnd, LB_GETITEMRECT, (WPARAM)nIndex, reinterpret_cast<LPARAM>(lpRect));
}
int CListBox::GetText(int nIndex, LPTSTR lpszBuffer) const
{
    return (int)::SendMessage(m_hWnd, LB_GETTEXT, (WPARAM)nIndex, reinterpret_cast<LPARAM>(lpszBuffer));
}
void CListBox::GetText(int nIndex, CString& rString) const
{
    int n = GetTextLen(nIndex);
    if (n < 0) {
        rString.Empty();
        return;
    }
    GetText(nIndex, rString.GetBufferSetLength(n));
    rString.ReleaseBuffer(n);
}
int CListBox::GetTextLen(int nIndex) const { return (int)::SendMessage(m_hWnd, LB_GETTEXTLEN, (WPARAM)nIndex, 0); }
int CListBox::SetItemHeight(int nIndex, UINT cyItemHeight)
{
    return (int)::SendMessage(m_hWnd, LB_SETITEMHEIGHT, (WPARAM)nIndex, (LPARAM)cyItemHeight);
}
int CListBox::GetItemHeight(int nIndex) const { return (int)::SendMessage(m_hWnd, LB_GETITEMHEIGHT, (WPARAM)nIndex, 0); }
int CListBox::FindStringExact(int nIndexStart, LPCTSTR lpszFind) const
{
    return (int)::SendMessage(m_hWnd, LB_FINDSTRINGEXACT, (WPARAM)(INT_PTR)nIndexStart, Str(lpszFind));
}
int CListBox::GetCaretIndex() const { return (int)::SendMessage(m_hWnd, LB_GETCARETINDEX, 0, 0); }
int CListBox::SetCaretIndex(int nIndex, BOOL bScroll) { return (int)::SendMessage(m_hWnd, LB_SETCARETINDEX, (WPARAM)nIndex, bScroll); }
BOOL CListBox::SetTabStops(int nTabStops, LPINT rgTabStops)
{
    return (BOOL)::SendMessage(m_hWnd, LB_SETTABSTOPS, (WPARAM)nTabStops, reinterpret_cast<LPARAM>(rgTabStops));
}
void CListBox::SetColumnWidth(int cxWidth) { ::SendMessage(m_hWnd, LB_SETCOLUMNWIDTH, (WPARAM)cxWidth, 0); }
int CListBox::AddString(LPCTSTR lpszItem) { return (int)::SendMessage(m_hWnd, LB_ADDSTRING, 0, Str(lpszItem)); }
int CListBox::DeleteString(UINT nIndex) { return (int)::SendMessage(m_hWnd, LB_DELETESTRING, nIndex, 0); }
int CListBox::InsertString(int nIndex, LPCTSTR lpszItem)
{
    return (int)::SendMessage(m_hWnd, LB_INSERTSTRING, (WPARAM)(INT_PTR)nIndex, Str(lpszItem));
}
void CListBox::ResetContent() { ::SendMessage(m_hWnd, LB_RESETCONTENT, 0, 0); }
int CListBox::FindString(int nStartAfter, LPCTSTR lpszItem) const
{
    return (int)::SendMessage(m_hWnd, LB_FINDSTRING, (WPARAM)(INT_PTR)nStartAfter, Str(lpszItem));
}
int CListBox::SelectString(int nStartAfter, LPCTSTR lpszItem)
{
    return (int)::SendMessage(m_hWnd, LB_SELECTSTRING, (WPARAM)(INT_PTR)nStartAfter, Str(lpszItem));
}
void CListBox::DrawItem(LPDRAWITEMSTRUCT) {}
void CListBox::MeasureItem(LPMEASUREITEMSTRUCT) {}
int CListBox::CompareItem(LPCOMPAREITEMSTRUCT) { return 0; }
void CListBox::DeleteItem(LPDELETEITEMSTRUCT) {}

BOOL CListBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (OwnerNotify(this, message, lParam, pResult))
        return TRUE;
    return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}
