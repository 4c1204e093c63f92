// The text editor.
#include "InPlaceEdit.h"

#include <ClassLib/Wnd/Keys.h>

namespace
{
// One end of edit at a time over all text editors.
BOOL g_bEditEnding = FALSE;
} // namespace

BEGIN_MESSAGE_MAP(CInPlaceEdit, CEdit)
    ON_WM_KILLFOCUS()
    ON_WM_CHAR()
    ON_WM_KEYDOWN()
    ON_WM_GETDLGCODE()
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

CInPlaceEdit::CInPlaceEdit(CWnd* pParent, CRect& rect, DWORD dwStyle, UINT nID, int nRow, int nColumn,
                           CString sInitText, UINT nFirstChar)
    : m_nRow(nRow), m_nColumn(nColumn), m_sInitText(sInitText), m_nLastChar(0),
      m_bExitOnArrows(nFirstChar != VK_LBUTTON), m_Rect(rect), m_bTextValid(TRUE),
      m_bEmptyUnit(FALSE), m_dValue(0.0), m_bEnded(FALSE), m_bChecking(FALSE),
      m_bCheckedValid(FALSE), m_bEndChecked(FALSE)
{
    DWORD dwEditStyle = WS_BORDER | WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL | dwStyle;
    if (!pParent || !Create(dwEditStyle, rect, pParent, nID))
        return;

    SetFont(pParent->GetFont());
    if (!sInitText.IsEmpty())
        SetWindowText(sInitText);
    SetFocus();

    // Tab, space and the navigation keys select everything; other characters replace it.
    GridStartEditWithChar(this, nFirstChar, TRUE);
}

CInPlaceEdit::~CInPlaceEdit()
{
}

UINT CInPlaceEdit::OnGetDlgCode()
{
    return DLGC_WANTALLKEYS;
}

void CInPlaceEdit::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (GridNavigationKeyLeaves(nChar, m_bExitOnArrows))
    {
        LeaveToGrid(nChar);
        return;
    }
    CEdit::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CInPlaceEdit::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    // The next click anywhere comes here first, so it ends the edit.
    SetCapture();

    if (GridIsEndKey(nChar))
    {
        if (nChar == VK_ESCAPE)
            SetWindowText(m_sInitText);
        LeaveToGrid(nChar);
        return;
    }

    CEdit::OnChar(nChar, nRepCnt, nFlags);

    // Widen to the text plus two blanks, but never past the grid's right edge.
    CString str;
    GetWindowText(str);
    str += _T("  ");
    CWindowDC dc(this);
    CFont* pFontDC = dc.SelectObject(GetFont());
    CSize size = dc.GetTextExtent(str);
    dc.SelectObject(pFontDC);

    CRect ParentRect;
    GetParent()->GetClientRect(&ParentRect);
    if (size.cx > m_Rect.Width())
    {
        if (size.cx + m_Rect.left < ParentRect.right)
            m_Rect.right = m_Rect.left + size.cx;
        else
            m_Rect.right = ParentRect.right;
        MoveWindow(&m_Rect);
    }
}

void CInPlaceEdit::OnLButtonDown(UINT nFlags, CPoint point)
{
    // Typing captured the mouse: a press outside the editor ends the edit as a focus loss
    // does (or keeps it open with the initial text when the text was rejected).
    CRect rcClient;
    GetClientRect(rcClient);
    if (GetCapture() == this && !rcClient.PtInRect(point))
    {
        const BOOL bChecked = m_bEndChecked;
        m_bEndChecked = FALSE;
        if (!bChecked && !CheckText())
            return;
        ::ReleaseCapture();
        EndOrRestore(NULL);
        if (m_bEnded && GetParent())
        {
            GetParent()->SetFocus();
            GridPassPressOn(this, nFlags, point);
        }
        return;
    }
    CEdit::OnLButtonDown(nFlags, point);
}

void CInPlaceEdit::LeaveToGrid(UINT nChar)
{
    // Escape has put the old text back: nothing to check.
    if (nChar != VK_ESCAPE && !CheckText())
        return;
    m_nLastChar = nChar;
    m_bEndChecked = TRUE;
    // The focus loss that follows ends the edit; the editor object lives as long as its
    // window does.
    const HWND hWnd = GetSafeHwnd();
    GetParent()->SetFocus();
    if (::IsWindow(hWnd))
        m_bEndChecked = FALSE;
}

void CInPlaceEdit::OnKillFocus(CWnd* pNewWnd)
{
    // The focus a check's message box takes is no end of the edit.
    if (m_bChecking)
        return;
    const BOOL bChecked = m_bEndChecked;
    m_bEndChecked = FALSE;
    if (!m_bEnded && !bChecked && !CheckText(pNewWnd == NULL))
        return;
    EndOrRestore(pNewWnd);
}

void CInPlaceEdit::EndOrRestore(CWnd* pNewWnd)
{
    if (m_bTextValid)
    {
        CEdit::OnKillFocus(pNewWnd);
        EndEdit();
        if (GetCapture() == this)
            ::ReleaseCapture();
        return;
    }
    SetFocus();
    SetWindowText(m_sInitText);
    SetCapture();
    // The old text is back; it ends the next edit unchecked.
    m_bTextValid = TRUE;
}

void CInPlaceEdit::EndEdit()
{
    if (g_bEditEnding || m_bEnded)
        return;
    g_bEditEnding = TRUE;
    m_bEnded = TRUE;

    CString str;
    if (GetSafeHwnd())
        GetWindowText(str);
    GridReportEndEdit(this, m_nRow, m_nColumn, str, m_nLastChar);
    g_bEditEnding = FALSE;
}

void CInPlaceEdit::PostNcDestroy()
{
    CEdit::PostNcDestroy();
    delete this;
}
