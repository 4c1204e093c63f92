// The check combo box.
#include "CheckComboBox.h"

#include <ClassLib/Core/Locale.h>
#include <ClassLib/Core/Mbcs.h>

namespace
{
// Shared by every check combo box: the list procedure the subclassing replaced and the box
// whose list was dropped down last.
WNDPROC g_pfnDefListProc = NULL;
CCheckComboBox* g_pDroppedDown = NULL;
} // namespace

BEGIN_MESSAGE_MAP(CCheckComboBox, CComboBox)
    ON_MESSAGE(WM_CTLCOLORLISTBOX, OnCtlColorListBox)
    ON_MESSAGE(WM_GETTEXT, OnGetText)
    ON_MESSAGE(WM_GETTEXTLENGTH, OnGetTextLength)
    ON_CONTROL_REFLECT(CBN_DROPDOWN, OnDropDown)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CCheckComboBox::CCheckComboBox()
    : m_hListBox(NULL), m_bTextUpdated(0), m_bItemHeightSet(0)
{
}

CCheckComboBox::~CCheckComboBox()
{
    if (g_pDroppedDown == this)
        g_pDroppedDown = NULL;
}

CCheckComboBox* CCheckComboBox::GetLastDroppedDown()
{
    return g_pDroppedDown;
}

void CCheckComboBox::OnDestroy()
{
    // The list procedure must not reach a box that is gone.
    if (g_pDroppedDown == this)
        g_pDroppedDown = NULL;
    CComboBox::OnDestroy();
}

namespace
{
// Toggles an item from its list: repaints it, flips the check, tells the combo's parent.
void ToggleFromList(HWND hList, CCheckComboBox* pCombo, int nIndex)
{
    CRect rcItem;
    if (::SendMessage(hList, LB_GETITEMRECT, nIndex, (LPARAM)&rcItem) != LB_ERR)
        ::InvalidateRect(hList, rcItem, FALSE);
    pCombo->SetCheck(nIndex, !pCombo->GetCheck(nIndex));
    CWnd* pParent = pCombo->GetParent();
    if (pParent)
        pParent->SendMessage(WM_COMMAND, MAKELONG(pCombo->GetDlgCtrlID(), CBN_SELCHANGE),
                             (LPARAM)pCombo->GetSafeHwnd());
}
} // namespace

LRESULT CALLBACK CCheckComboBox::ListBoxProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    CCheckComboBox* pCombo = g_pDroppedDown;
    if (!g_pfnDefListProc)
        return ::DefWindowProc(hWnd, nMsg, wParam, lParam);
    if (!pCombo)
        return ::CallWindowProc(g_pfnDefListProc, hWnd, nMsg, wParam, lParam);

    switch (nMsg)
    {
    case LB_GETCURSEL:
        // The selection field is always drawn as the checked-items text.
        return -1;
    case WM_LBUTTONUP:
        // The list stays open after a click.
        return 0;
    case WM_LBUTTONDOWN:
    {
        CRect rcClient;
        ::GetClientRect(hWnd, &rcClient);
        CPoint pt((short)LOWORD(lParam), (short)HIWORD(lParam));
        if (rcClient.PtInRect(pt))
        {
            int nItemHeight = (int)::SendMessage(hWnd, LB_GETITEMHEIGHT, 0, 0);
            int nTopIndex = (int)::SendMessage(hWnd, LB_GETTOPINDEX, 0, 0);
            int nIndex = nItemHeight > 0 ? nTopIndex + pt.y / nItemHeight : -1;
            CRect rcItem;
            if (nIndex >= 0 && ::SendMessage(hWnd, LB_GETITEMRECT, nIndex, (LPARAM)&rcItem) != LB_ERR
                && rcItem.PtInRect(pt))
                ToggleFromList(hWnd, pCombo, nIndex);
        }
        break;
    }
    case WM_CHAR:
    {
        if (wParam != VK_SPACE)
            break;
        int nIndex = (int)::CallWindowProc(g_pfnDefListProc, hWnd, LB_GETCURSEL, 0, 0);
        if (nIndex >= 0)
            ToggleFromList(hWnd, pCombo, nIndex);
        return 0;
    }
    }
    return ::CallWindowProc(g_pfnDefListProc, hWnd, nMsg, wParam, lParam);
}

LRESULT CCheckComboBox::OnCtlColorListBox(WPARAM wParam, LPARAM lParam)
{
    HWND hList = (HWND)lParam;
    if (m_hListBox == NULL && hList != NULL && hList != GetSafeHwnd())
    {
        m_hListBox = hList;
        WNDPROC pfnOld = (WNDPROC)::SetWindowLongPtr(hList, GWLP_WNDPROC, (LONG_PTR)ListBoxProc);
        if (pfnOld != ListBoxProc)
            g_pfnDefListProc = pfnOld;
    }
    return DefWindowProc(WM_CTLCOLORLISTBOX, wParam, lParam);
}

void CCheckComboBox::OnDropDown()
{
    g_pDroppedDown = this;
}

void CCheckComboBox::RecalcText()
{
    if (m_bTextUpdated)
        return;
    char szBuffer[10] = {0};
    int nLen = ::GetLocaleInfo(LOCALE_USER_DEFAULT, LOCALE_SLIST, szBuffer, sizeof szBuffer);
    CString strSeparator = nLen > 0 ? CString(szBuffer) : CString();
    if (strSeparator.IsEmpty())
        strSeparator = _T(";");
    strSeparator.TrimRight();
    strSeparator += _T(" ");

    CString strText;
    int nCount = GetCount();
    for (int i = 0; i < nCount; i++)
    {
        if (GetItemData(i))
        {
            CString strItem;
            GetLBText(i, strItem);
            if (!strText.IsEmpty())
                strText += strSeparator;
            strText += strItem;
        }
    }
    m_strText = strText;
    m_bTextUpdated = 1;
}

const CString& CCheckComboBox::GetCheckedText()
{
    RecalcText();
    return m_strText;
}

LRESULT CCheckComboBox::OnGetText(WPARAM wParam, LPARAM lParam)
{
    RecalcText();
    LPTSTR pszBuffer = (LPTSTR)lParam;
    int nMax = (int)wParam;
    if (!pszBuffer || nMax <= 0)
        return 0;
    // At most the buffer (terminator included), never half a double-byte character; the
    // answer is what was copied.
    int nCopy = 0;
    LPCTSTR psz = m_strText;
    int nLen = m_strText.GetLength();
    while (nCopy < nLen)
    {
        int nChar = (_ismbblead((unsigned char)psz[nCopy]) && nCopy + 1 < nLen) ? 2 : 1;
        if (nCopy + nChar > nMax - 1)
            break;
        nCopy += nChar;
    }
    memcpy(pszBuffer, psz, nCopy);
    pszBuffer[nCopy] = 0;
    return nCopy;
}

LRESULT CCheckComboBox::OnGetTextLength(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    RecalcText();
    return m_strText.GetLength();
}

int CCheckComboBox::SetCheck(int nIndex, int bCheck)
{
    int nResult = SetItemData(nIndex, bCheck);
    if (nResult >= 0)
    {
        m_bTextUpdated = 0;
        if (GetSafeHwnd())
            Invalidate(FALSE);
    }
    return nResult;
}

int CCheckComboBox::GetCheck(int nIndex) const
{
    return (int)GetItemData(nIndex);
}

void CCheckComboBox::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    CRect rcBitmap = lpDIS->rcItem;
    CRect rcText = lpDIS->rcItem;
    CString strText;
    int nCheck = 0;

    if ((int)lpDIS->itemID < 0)
    {
        // The selection field: the checked items, no check box.
        RecalcText();
        strText = m_strText;
    }
    else
    {
        GetLBText(lpDIS->itemID, strText);
        nCheck = GetCheck(lpDIS->itemID) ? 1 : 0;
        TEXTMETRIC metrics;
        pDC->GetTextMetrics(&metrics);
        rcBitmap.left = 0;
        rcBitmap.right = rcBitmap.left + metrics.tmHeight + metrics.tmExternalLeading + 6;
        rcBitmap.top += 1;
        rcBitmap.bottom -= 1;
        rcText.left = rcBitmap.right;
    }

    if ((int)lpDIS->itemID >= 0)
    {
        COLORREF crOldBk = pDC->SetBkColor(::GetSysColor(COLOR_WINDOW));
        COLORREF crOldText = pDC->SetTextColor(::GetSysColor(COLOR_WINDOWTEXT));
        pDC->FillSolidRect(&rcBitmap, ::GetSysColor(COLOR_WINDOW));
        UINT nState = DFCS_BUTTONCHECK | (nCheck ? DFCS_CHECKED : 0);
        pDC->DrawFrameControl(&rcBitmap, DFC_BUTTON, nState);
        pDC->SetBkColor(crOldBk);
        pDC->SetTextColor(crOldText);
    }

    if (lpDIS->itemState & ODS_SELECTED)
    {
        pDC->SetBkColor(::GetSysColor(COLOR_HIGHLIGHT));
        pDC->SetTextColor(::GetSysColor(COLOR_HIGHLIGHTTEXT));
    }
    else
    {
        pDC->SetBkColor(::GetSysColor(COLOR_WINDOW));
        pDC->SetTextColor(::GetSysColor(COLOR_WINDOWTEXT));
    }
    pDC->ExtTextOut(0, 0, ETO_OPAQUE, &rcText, NULL, 0, NULL);
    CString strShown = _T(" ") + strText;
    pDC->DrawText(strShown, &rcText, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);

    if ((lpDIS->itemState & (ODS_FOCUS | ODS_SELECTED)) == (ODS_FOCUS | ODS_SELECTED))
        pDC->DrawFocusRect(&rcText);
}

void CCheckComboBox::MeasureItem(LPMEASUREITEMSTRUCT lpMIS)
{
    CClientDC dc(this);
    CFont* pFont = GetFont();
    CFont* pOld = pFont ? dc.SelectObject(pFont) : NULL;
    TEXTMETRIC metrics;
    dc.GetTextMetrics(&metrics);
    if (pOld)
        dc.SelectObject(pOld);
    lpMIS->itemHeight = metrics.tmHeight + metrics.tmExternalLeading + 2;
    if (!m_bItemHeightSet)
    {
        m_bItemHeightSet = 1;
        SetItemHeight(-1, lpMIS->itemHeight);
    }
}
