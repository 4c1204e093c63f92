// CListCtrl: drawing. Report rows of an owner-drawn list go to DrawItem through the
// parent's WM_DRAWITEM.
#include "ListCtrlLabels.h"

#include <algorithm>
#include <cstring>

namespace {
thread_local int s_nReflectedDraws = 0;
}

BOOL CListCtrl::OnEraseBkgnd(CDC* pDC)
{
    CRect rc;
    GetClientRect(&rc);
    if (m_clrBk != CLR_NONE)
        pDC->FillSolidRect(&rc, m_clrBk);
    return TRUE;
}

void CListCtrl::OnPaint()
{
    CPaintDC dc(this);
    CFont* pOld = dc.SelectObject(GetFont());
    PaintItems(&dc);
    dc.SelectObject(pOld);
}

void CListCtrl::PaintItems(CDC* pDC)
{
    MeasureScope scope(this);
    CRect area = ItemArea();
    DWORD view = ViewType();
    int nSave = pDC->SaveDC();
    pDC->IntersectClipRect(&area);
    if (m_clrBk != CLR_NONE)
        pDC->FillSolidRect(&area, m_clrBk);
    int nCount = GetItemCount();
    if (view == LVS_REPORT)
    {
        int h = GetRowHeight();
        int nLast = std::min(nCount - 1, m_nTopIndex + area.Height() / std::max(1, h) + 1);
        bool bOwnerDraw = (GetStyle() & LVS_OWNERDRAWFIXED) != 0;
        for (int i = m_nTopIndex; i <= nLast; ++i)
        {
            CRect rcRow;
            GetItemRect(i, &rcRow, LVIR_BOUNDS);
            if (bOwnerDraw)
            {
                DRAWITEMSTRUCT dis;
                std::memset(&dis, 0, sizeof(dis));
                dis.CtlType = ODT_LISTVIEW;
                dis.CtlID = static_cast<UINT>(GetDlgCtrlID());
                dis.itemID = static_cast<UINT>(i);
                dis.itemAction = ODA_DRAWENTIRE;
                UINT state = m_rows[static_cast<size_t>(i)].state;
                if (state & LVIS_SELECTED)
                    dis.itemState |= ODS_SELECTED;
                if ((state & LVIS_FOCUSED) && GetFocus() == this)
                    dis.itemState |= ODS_FOCUS;
                dis.hwndItem = m_hWnd;
                dis.hDC = pDC->GetSafeHdc();
                dis.rcItem = rcRow;
                dis.itemData = static_cast<ULONG_PTR>(m_rows[static_cast<size_t>(i)].lParam);
                int nRowSave = pDC->SaveDC();
                // The parent reflects the message back to DrawItem; a parent that does not
                // reflect it leaves the row to the list's own DrawItem.
                int nBefore = s_nReflectedDraws;
                CWnd* pParent = GetParent();
                if (pParent != nullptr)
                    pParent->SendMessage(WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
                if (s_nReflectedDraws == nBefore)
                    DrawItem(&dis);
                pDC->RestoreDC(nRowSave);
            }
            else
                DrawReportRow(pDC, i, rcRow);
        }
        // Grid lines continue below the last row, as the platform draws them.
        if ((m_dwExStyle & LVS_EX_GRIDLINES) && !bOwnerDraw)
        {
            CPen pen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNFACE));
            CPen* pOldPen = pDC->SelectObject(&pen);
            int left = area.left - m_nScrollX;
            int x = left;
            for (int c = 0; c < GetColumnCount(); ++c)
            {
                x = left + ColumnLeft(c) + m_columns[static_cast<size_t>(c)].cx - 1;
                pDC->MoveTo(x, area.top);
                pDC->LineTo(x, area.bottom);
            }
            int right = std::max<int>(area.right, left + TotalColumnWidth());
            for (int y = area.top + (std::max(0, nLast - m_nTopIndex + 1)) * h - 1; y < area.bottom; y += h)
            {
                pDC->MoveTo(area.left, y);
                pDC->LineTo(right, y);
            }
            pDC->SelectObject(pOldPen);
        }
    }
    else
    {
        // Arranged items fill a grid: only its rows (or columns) that cross the area are
        // looked at, with one more on each side, so a paint costs the same at any count.
        int nFirst = 0, nLast = nCount - 1;
        if (m_nPositioned == 0 && nCount > 0)
        {
            if (view == LVS_LIST)
            {
                int nRows = RowsPerListColumn();
                int nShown = area.Width() / std::max(1, ListColumnWidth());
                nFirst = (m_nTopIndex - 1) * nRows;
                nLast = (m_nTopIndex + nShown + 2) * nRows - 1;
            }
            else
            {
                CSize cell = view == LVS_SMALLICON ? CSize(ListColumnWidth(), GetRowHeight()) : m_sizeIconSpacing;
                if (cell.cx > 0 && cell.cy > 0)
                {
                    if ((GetStyle() & LVS_ALIGNMASK) == LVS_ALIGNLEFT)
                    {
                        int nRows = std::max(1, static_cast<int>(area.Height() / cell.cy));
                        nFirst = (m_nScrollX / cell.cx - 1) * nRows;
                        nLast = ((m_nScrollX + area.Width()) / cell.cx + 2) * nRows - 1;
                    }
                    else
                    {
                        int nCols = std::max(1, static_cast<int>(area.Width() / cell.cx));
                        nFirst = (m_nScrollY / cell.cy - 1) * nCols;
                        nLast = ((m_nScrollY + area.Height()) / cell.cy + 2) * nCols - 1;
                    }
                }
            }
            nFirst = std::max(0, nFirst);
            nLast = std::min(nCount - 1, nLast);
        }
        for (int i = nFirst; i <= nLast; ++i)
        {
            CRect rc;
            GetItemRect(i, &rc, LVIR_BOUNDS);
            if (rc.bottom < area.top || rc.top > area.bottom || rc.right < area.left || rc.left > area.right)
                continue;
            if (view == LVS_ICON)
                DrawIconItem(pDC, i);
            else
                DrawSmallItem(pDC, i);
        }
    }
    pDC->RestoreDC(nSave);
}

void CListCtrl::DrawItemImage(CDC* pDC, int nItem, const CRect& rcIcon, bool bLarge, bool bSelected)
{
    const Row& row = m_rows[static_cast<size_t>(nItem)];
    CImageList* pList = bLarge ? m_pImageNormal : m_pImageSmall;
    if (m_pImageState != nullptr && (row.state & LVIS_STATEIMAGEMASK))
    {
        int nState = static_cast<int>((row.state & LVIS_STATEIMAGEMASK) >> 12) - 1;
        CSize sz = StateImageSize();
        if (nState >= 0)
            m_pImageState->Draw(pDC, nState, CPoint(rcIcon.left - sz.cx, rcIcon.top + (rcIcon.Height() - sz.cy) / 2),
                                ILD_TRANSPARENT);
    }
    if (pList == nullptr)
        return;
    int nImage = ItemImage(nItem);
    if (nImage < 0)
        return;
    CSize sz = bLarge ? NormalImageSize() : SmallImageSize();
    UINT nStyle = ILD_TRANSPARENT;
    if (bSelected && GetFocus() == this)
        nStyle |= ILD_BLEND50;
    nStyle |= row.state & LVIS_OVERLAYMASK;
    pList->Draw(pDC, nImage, CPoint(rcIcon.left, rcIcon.top + (rcIcon.Height() - sz.cy) / 2), nStyle);
}

void CListCtrl::DrawReportRow(CDC* pDC, int nItem, const CRect& rcRow)
{
    const Row& row = m_rows[static_cast<size_t>(nItem)];
    bool bFocusWnd = GetFocus() == this;
    bool bSelected = (row.state & LVIS_SELECTED) != 0 && (bFocusWnd || (GetStyle() & LVS_SHOWSELALWAYS));
    bool bDrop = (row.state & LVIS_DROPHILITED) != 0;
    bool bHighlight = bSelected || bDrop;
    COLORREF clrHiBk = bFocusWnd || bDrop ? ::GetSysColor(COLOR_HIGHLIGHT) : ::GetSysColor(COLOR_BTNFACE);
    COLORREF clrHiText = bFocusWnd || bDrop ? ::GetSysColor(COLOR_HIGHLIGHTTEXT) : ::GetSysColor(COLOR_BTNTEXT);
    bool bFullRow = (m_dwExStyle & LVS_EX_FULLROWSELECT) != 0;

    CRect rcIcon, rcLabel;
    GetItemRect(nItem, &rcIcon, LVIR_ICON);
    GetItemRect(nItem, &rcLabel, LVIR_LABEL);
    if (m_clrTextBk != CLR_NONE && m_clrTextBk != m_clrBk)
        pDC->FillSolidRect(&rcRow, m_clrTextBk);
    if (bHighlight && bFullRow)
    {
        CRect rcSel = rcRow;
        rcSel.left = rcLabel.left;
        pDC->FillSolidRect(&rcSel, clrHiBk);
    }
    pDC->SetBkMode(TRANSPARENT);
    DrawItemImage(pDC, nItem, rcIcon, false, bHighlight);
    int nCols = std::max(1, GetColumnCount());
    for (int c = 0; c < nCols; ++c)
    {
        CRect rcCell;
        int fmt = LVCFMT_LEFT;
        int nSub = 0;
        if (c == 0)
            rcCell = rcLabel;
        else
        {
            GetSubItemRect(nItem, c, LVIR_BOUNDS, rcCell);
            fmt = m_columns[static_cast<size_t>(c)].fmt;
            nSub = m_columns[static_cast<size_t>(c)].subItem;
        }
        if (GetColumnCount() > 0)
            nSub = m_columns[static_cast<size_t>(c)].subItem;
        CString text = CellText(nItem, nSub);
        COLORREF clrText = m_clrText;
        if (bHighlight && (bFullRow || c == 0))
        {
            clrText = clrHiText;
            if (c == 0 && !bFullRow)
            {
                CRect rcSel = rcCell;
                rcSel.right = std::min<int>(rcSel.right, rcSel.left + GetStringWidth(text) + 2 * CHeaderCtrl::kTextMargin);
                pDC->FillSolidRect(&rcSel, clrHiBk);
            }
        }
        pDC->SetTextColor(clrText);
        CRect rcText = rcCell;
        rcText.DeflateRect(c == 0 ? 2 : CHeaderCtrl::kTextMargin, 0, CHeaderCtrl::kTextMargin, 0);
        UINT nFormat = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;
        if ((fmt & LVCFMT_JUSTIFYMASK) == LVCFMT_RIGHT)
            nFormat |= DT_RIGHT;
        else if ((fmt & LVCFMT_JUSTIFYMASK) == LVCFMT_CENTER)
            nFormat |= DT_CENTER;
        pDC->DrawText(text, &rcText, nFormat);
    }
    if (m_dwExStyle & LVS_EX_GRIDLINES)
    {
        CPen pen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNFACE));
        CPen* pOldPen = pDC->SelectObject(&pen);
        pDC->MoveTo(rcRow.left, rcRow.bottom - 1);
        CRect client;
        GetClientRect(&client);
        pDC->LineTo(std::max<int>(rcRow.right, client.right), rcRow.bottom - 1);
        pDC->SelectObject(pOldPen);
    }
    if ((row.state & LVIS_FOCUSED) && bFocusWnd)
    {
        CRect rcFocus = bFullRow ? rcRow : rcLabel;
        if (!bFullRow)
            rcFocus.right = std::min<int>(rcFocus.right, rcFocus.left + GetStringWidth(CellText(nItem, 0)) + 2 * CHeaderCtrl::kTextMargin);
        else
            rcFocus.left = rcLabel.left;
        pDC->DrawFocusRect(&rcFocus);
    }
}

void CListCtrl::DrawIconItem(CDC* pDC, int nItem)
{
    const Row& row = m_rows[static_cast<size_t>(nItem)];
    bool bFocusWnd = GetFocus() == this;
    bool bSelected = (row.state & (LVIS_SELECTED | LVIS_DROPHILITED)) != 0 &&
                     (bFocusWnd || (GetStyle() & LVS_SHOWSELALWAYS) || (row.state & LVIS_DROPHILITED));
    CRect rcIcon, rcLabel;
    GetItemRect(nItem, &rcIcon, LVIR_ICON);
    GetItemRect(nItem, &rcLabel, LVIR_LABEL);
    DrawItemImage(pDC, nItem, rcIcon, true, bSelected);
    CString text = CellText(nItem, 0);
    pDC->SetBkMode(TRANSPARENT);
    if (bSelected)
    {
        pDC->FillSolidRect(&rcLabel, ::GetSysColor(bFocusWnd ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
        pDC->SetTextColor(::GetSysColor(bFocusWnd ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT));
    }
    else
        pDC->SetTextColor(m_clrText);
    pDC->DrawText(text, &rcLabel, DT_CENTER | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    if ((row.state & LVIS_FOCUSED) && bFocusWnd)
        pDC->DrawFocusRect(&rcLabel);
}

void CListCtrl::DrawSmallItem(CDC* pDC, int nItem)
{
    const Row& row = m_rows[static_cast<size_t>(nItem)];
    bool bFocusWnd = GetFocus() == this;
    bool bSelected = (row.state & (LVIS_SELECTED | LVIS_DROPHILITED)) != 0 &&
                     (bFocusWnd || (GetStyle() & LVS_SHOWSELALWAYS) || (row.state & LVIS_DROPHILITED));
    CRect rcIcon, rcLabel;
    GetItemRect(nItem, &rcIcon, LVIR_ICON);
    GetItemRect(nItem, &rcLabel, LVIR_LABEL);
    DrawItemImage(pDC, nItem, rcIcon, false, bSelected);
    pDC->SetBkMode(TRANSPARENT);
    if (bSelected)
    {
        pDC->FillSolidRect(&rcLabel, ::GetSysColor(bFocusWnd ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
        pDC->SetTextColor(::GetSysColor(bFocusWnd ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT));
    }
    else
        pDC->SetTextColor(m_clrText);
    CRect rcText = rcLabel;
    rcText.DeflateRect(2, 0);
    pDC->DrawText(CellText(nItem, 0), &rcText, DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    if ((row.state & LVIS_FOCUSED) && bFocusWnd)
        pDC->DrawFocusRect(&rcLabel);
}

void CListCtrl::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    // Owner-drawn lists override this; the default draws the row as a plain one.
    if (lpDrawItemStruct == nullptr)
        return;
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    DrawReportRow(pDC, static_cast<int>(lpDrawItemStruct->itemID), CRect(lpDrawItemStruct->rcItem));
}

BOOL CListCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_DRAWITEM)
    {
        ++s_nReflectedDraws;
        DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        if (pResult != nullptr)
            *pResult = TRUE;
        return TRUE;
    }
    if (message == WM_MEASUREITEM)
    {
        MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
        if (pResult != nullptr)
            *pResult = TRUE;
        return TRUE;
    }
    return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}

void CListCtrl::MeasureItem(LPMEASUREITEMSTRUCT)
{
}
