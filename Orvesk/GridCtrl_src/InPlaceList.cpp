// The list editor and its edit part.
#include "InPlaceList.h"
#include "InPlaceEditKeys.h"

// ---- The edit part ---------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CInPlaceListEdit, CEdit)
    ON_WM_KILLFOCUS()
    ON_WM_KEYDOWN()
    ON_WM_KEYUP()
    ON_WM_GETDLGCODE()
END_MESSAGE_MAP()

BOOL CInPlaceListEdit::PreTranslateMessage(MSG* pMsg)
{
    // Keys reach the list before any dialog navigation sees them.
    if (pMsg->message == WM_KEYDOWN || pMsg->message == WM_KEYUP)
    {
        ::TranslateMessage(pMsg);
        ::DispatchMessage(pMsg);
        return TRUE;
    }
    if (pMsg->message == WM_SYSCHAR)
        return TRUE;
    return CEdit::PreTranslateMessage(pMsg);
}

UINT CInPlaceListEdit::OnGetDlgCode()
{
    return DLGC_WANTALLKEYS;
}

void CInPlaceListEdit::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    // Ctrl with a navigation key goes to the list, which ends the edit.
    if (GridNavigationKeyLeaves(nChar, FALSE) && m_pList)
    {
        m_pList->SendMessage(WM_KEYDOWN, nChar, MAKELONG(nRepCnt, nFlags));
        return;
    }
    CEdit::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CInPlaceListEdit::OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (GridIsEndKey(nChar) && m_pList)
    {
        m_pList->SendMessage(WM_KEYUP, nChar, MAKELONG(nRepCnt, nFlags));
        return;
    }
    CEdit::OnKeyUp(nChar, nRepCnt, nFlags);
}

void CInPlaceListEdit::OnKillFocus(CWnd* pNewWnd)
{
    CEdit::OnKillFocus(pNewWnd);
    // Focus moving into the list itself (its drop-down) keeps the edit open.
    if (m_pList && pNewWnd && pNewWnd->GetSafeHwnd() == m_pList->GetSafeHwnd())
        return;
    if (m_pList)
        m_pList->EndEdit();
}

// ---- The list --------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CInPlaceList, CComboBox)
    ON_WM_KILLFOCUS()
    ON_WM_KEYDOWN()
    ON_WM_KEYUP()
    ON_WM_GETDLGCODE()
END_MESSAGE_MAP()

CInPlaceList::CInPlaceList(CWnd* pParent, CRect& rect, DWORD dwStyle, UINT nID, int nRow, int nColumn,
                           const CStringArray& Items, CString sInitText, UINT nFirstChar)
    : m_nNumLines(4), m_sInitText(sInitText), m_nRow(nRow), m_nCol(nColumn), m_nLastChar(0),
      m_bExitOnArrows(FALSE), m_bDropDownList((dwStyle & CBS_DROPDOWNLIST) == CBS_DROPDOWNLIST),
      m_bEnded(FALSE)
{
    if (!pParent)
        return;

    // Tall enough for the drop-down to show four items.
    int nHeight = rect.Height();
    CRect rcWindow = rect;
    rcWindow.bottom = rcWindow.bottom + m_nNumLines * nHeight + ::GetSystemMetrics(SM_CYHSCROLL);

    DWORD dwComboStyle = WS_BORDER | WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_AUTOHSCROLL | dwStyle;
    if (!Create(dwComboStyle, rcWindow, pParent, nID))
        return;

    CFont* pFont = pParent->GetFont();
    int nMaxLength = 0;
    CClientDC dc(this);
    CFont* pOldFont = pFont ? dc.SelectObject(pFont) : NULL;
    for (int i = 0; i < (int)Items.GetSize(); i++)
    {
        AddString(Items[i]);
        CSize size = dc.GetTextExtent(Items[i]);
        if (size.cx > nMaxLength)
            nMaxLength = size.cx;
    }
    nMaxLength += ::GetSystemMetrics(SM_CXVSCROLL) + dc.GetTextExtent(_T(" ")).cx * 2;
    if (pOldFont)
        dc.SelectObject(pOldFont);

    if (nMaxLength > rect.Width())
    {
        rcWindow.right = rcWindow.left + nMaxLength;
        MoveWindow(rcWindow);
    }

    SetFont(pFont);
    SetItemHeight(-1, nHeight);
    SetDroppedWidth(nMaxLength);
    SetHorizontalExtent(0);

    if (SelectString(-1, m_sInitText) == CB_ERR)
        SetWindowText(m_sInitText);

    if (m_bDropDownList)
    {
        SetFocus();
        return;
    }

    CWnd* pEditPart = GetDlgItem(GRID_COMBO_EDIT_ID);
    if (pEditPart && pEditPart->GetSafeHwnd())
    {
        m_edit.SetList(this);
        m_edit.SubclassWindow(pEditPart->GetSafeHwnd());
    }
    SetFocus();
    if (m_edit.GetSafeHwnd())
    {
        m_edit.SetFocus();
        GridStartEditWithChar(&m_edit, nFirstChar, FALSE);
    }
}

CInPlaceList::~CInPlaceList()
{
}

UINT CInPlaceList::OnGetDlgCode()
{
    return DLGC_WANTALLKEYS;
}

void CInPlaceList::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (GridNavigationKeyLeaves(nChar, m_bExitOnArrows))
    {
        m_nLastChar = nChar;
        GetParent()->SetFocus();
        return;
    }
    CComboBox::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CInPlaceList::OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (GridIsEndKey(nChar))
    {
        if (nChar == VK_ESCAPE)
            SetWindowText(m_sInitText);
        m_nLastChar = nChar;
        GetParent()->SetFocus();
        return;
    }
    CComboBox::OnKeyUp(nChar, nRepCnt, nFlags);
}

void CInPlaceList::OnKillFocus(CWnd* pNewWnd)
{
    CComboBox::OnKillFocus(pNewWnd);
    if (!m_bDropDownList)
        return;  // the edit part's focus loss ends an editable list
    if (pNewWnd && pNewWnd->GetSafeHwnd() == GetSafeHwnd())
        return;
    EndEdit();
}

void CInPlaceList::EndEdit()
{
    // The end is reported once, however many focus losses and calls follow it.
    if (m_bEnded)
        return;
    m_bEnded = TRUE;

    CString str;
    if (GetSafeHwnd())
        GetWindowText(str);
    GridReportEndEdit(this, m_nRow, m_nCol, str, m_nLastChar);
}

void CInPlaceList::PostNcDestroy()
{
    if (m_edit.GetSafeHwnd())
        m_edit.UnsubclassWindow();
    CComboBox::PostNcDestroy();
    delete this;
}
