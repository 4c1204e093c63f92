// The report list's header: drawing of the headings, dragging of headings, locked widths.
#include "SuperListCtrl/RptHeaderCtrl.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

BEGIN_MESSAGE_MAP(CRptHeaderCtrl, CHeaderCtrl)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_MOUSEMOVE()
    ON_WM_SETCURSOR()
END_MESSAGE_MAP()

CRptHeaderCtrl::CRptHeaderCtrl() = default;
CRptHeaderCtrl::~CRptHeaderCtrl() = default;

int CRptHeaderCtrl::ColumnIdOf(int nItem) const
{
    HDITEM item;
    std::memset(&item, 0, sizeof(item));
    item.mask = HDI_LPARAM;
    if (!GetItem(nItem, &item))
        return nItem;
    return static_cast<int>(item.lParam);
}

void CRptHeaderCtrl::SetSortColumn(int nItem, int nDirection)
{
    m_nSortColumn = nItem;
    m_nSortDirection = nDirection;
    if (m_hWnd != nullptr && nItem >= 0 && nItem < GetItemCount())
    {
        HDITEM item;
        std::memset(&item, 0, sizeof(item));
        item.mask = HDI_FORMAT;
        GetItem(nItem, &item);
        item.fmt |= HDF_OWNERDRAW;
        SetItem(nItem, &item);
        Invalidate();
    }
    if (nItem >= 0)
    {
        DWORD bit = 1u << (nItem & 31);
        if (nDirection == 1)
            m_dwAscendingMask |= bit;
        else
            m_dwAscendingMask &= ~bit;
    }
}

BOOL CRptHeaderCtrl::IsSortAscending(int nColumn) const
{
    return nColumn >= 0 && (m_dwAscendingMask & (1u << (nColumn & 31))) != 0;
}

// ---- Drawing ------------------------------------------------------------------------------

void CRptHeaderCtrl::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    if (lpDIS == nullptr)
        return;
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    CRect rc(lpDIS->rcItem);
    int nSave = pDC->SaveDC();
    pDC->IntersectClipRect(&rc);
    pDC->FillSolidRect(&rc, ::GetSysColor(COLOR_BTNFACE));
    pDC->DrawEdge(rc, (lpDIS->itemState & ODS_SELECTED) ? EDGE_SUNKEN : EDGE_RAISED,
                  (lpDIS->itemState & ODS_SELECTED) ? (BF_RECT | BF_FLAT) : (BF_RECT | BF_SOFT));

    int nItem = static_cast<int>(lpDIS->itemID);
    char szText[256] = {0};
    HDITEM item;
    std::memset(&item, 0, sizeof(item));
    item.mask = HDI_TEXT | HDI_FORMAT | HDI_LPARAM;
    item.pszText = szText;
    item.cchTextMax = 255;
    GetItem(nItem, &item);
    szText[254] = '\0';  // headings are drawn with at most 254 characters
    CString text(szText);

    UINT nFormat = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_NOCLIP | DT_END_ELLIPSIS;
    if (item.fmt & HDF_CENTER)
        nFormat |= DT_CENTER;
    else if (item.fmt & HDF_RIGHT)
        nFormat |= DT_RIGHT;

    if (lpDIS->itemState & ODS_SELECTED)
    {
        rc.left += 1;
        rc.top += 2;
        rc.right += 1;
    }
    int s = 2 * pDC->GetTextExtent(" ", 1).cx;

    bool bImage = false;
    if (m_pHeadImages != nullptr && !text.IsEmpty() && text[text.GetLength() - 1] == '_')
    {
        bImage = true;
        int nImage = std::atoi(text);
        int cx = 0, cy = 0;
        if (nImage >= 0 && nImage < m_pHeadImages->GetImageCount() && m_pHeadImages->GetIconSize(&cx, &cy) &&
            cx <= rc.Width())
        {
            CPoint pt(rc.left + (rc.Width() - cx) / 2, rc.top + (rc.Height() - cy) / 2);
            m_pHeadImages->Draw(pDC, nImage, pt, ILD_TRANSPARENT);
        }
    }
    if (!bImage)
    {
        CRect rcText(rc.left + s, rc.top, rc.right - s, rc.bottom);
        if (nItem == m_nSortColumn)
            rcText.right -= 3 * s;
        if (rcText.Width() > 0)
        {
            pDC->SetBkMode(TRANSPARENT);
            pDC->SetTextColor(::GetSysColor(COLOR_BTNTEXT));
            pDC->DrawText(text, &rcText, nFormat);
        }
    }

    int nId = static_cast<int>(item.lParam);
    if (nItem == m_nSortColumn && !(m_dwNoMarkMask & (1u << (nId & 31))))
    {
        CPen penLight(PS_SOLID, 1, ::GetSysColor(COLOR_BTNHIGHLIGHT));
        CPen penShadow(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW));
        int xc = rc.right - 2 * s;
        int xl = xc - 3, xr = xc + 3;
        int yTop = s - 1, yBottom = rc.bottom - s;
        CPen* pOld = pDC->SelectObject(&penLight);
        if (m_nSortDirection)
        {
            // Apex up: the right edge lit, the left edge and the base in shadow.
            pDC->MoveTo(xr, yBottom);
            pDC->LineTo(xc, yTop);
            pDC->SelectObject(&penShadow);
            pDC->LineTo(xl, yBottom);
            pDC->LineTo(xr, yBottom);
        }
        else
        {
            // Apex down: the right edge and the top lit, the left edge in shadow.
            pDC->MoveTo(xc, yBottom);
            pDC->LineTo(xr, yTop);
            pDC->LineTo(xl, yTop);
            pDC->SelectObject(&penShadow);
            pDC->LineTo(xc, yBottom);
        }
        pDC->SelectObject(pOld);
    }
    if (m_bDragging && nItem == m_nDragItem)
        pDC->PatBlt(lpDIS->rcItem.left, lpDIS->rcItem.top, lpDIS->rcItem.right - lpDIS->rcItem.left,
                    lpDIS->rcItem.bottom - lpDIS->rcItem.top, PATINVERT);
    pDC->RestoreDC(nSave);
}

// ---- Dragging headings --------------------------------------------------------------------

int CRptHeaderCtrl::DropPositionAt(int x) const
{
    if (x <= 0)
        return 0;
    int x0 = 0;
    int n = static_cast<int>(m_widths.size());
    for (int i = 0; i < n; ++i)
    {
        if (x >= x0 && x < x0 + m_widths[static_cast<size_t>(i)])
            return i;
        x0 += m_widths[static_cast<size_t>(i)];
    }
    return n;
}

void CRptHeaderCtrl::EraseMarker()
{
    if (!m_rcMarker.IsRectEmpty())
    {
        InvalidateRect(&m_rcMarker, TRUE);
        UpdateWindow();
        m_rcMarker.SetRectEmpty();
    }
}

void CRptHeaderCtrl::DrawMarker(int nPos)
{
    int x0 = 0;
    for (int i = 0; i < nPos && i < static_cast<int>(m_widths.size()); ++i)
        x0 += m_widths[static_cast<size_t>(i)];
    CRect client;
    GetClientRect(&client);
    int h = client.Height();
    CClientDC dc(this);
    CPen pen(PS_SOLID, 1, RGB(255, 0, 0));
    CBrush brush(RGB(255, 0, 0));
    CPen* pOldPen = dc.SelectObject(&pen);
    CBrush* pOldBrush = dc.SelectObject(&brush);
    POINT pts[3] = {{x0, h - 8}, {x0 - 3, h - 1}, {x0 + 3, h - 1}};
    dc.Polygon(pts, 3);
    dc.SelectObject(pOldBrush);
    dc.SelectObject(pOldPen);
    m_rcMarker.SetRect(x0 - 4, h - 8, x0 + 4, h);
}

void CRptHeaderCtrl::MoveDragFrame(CPoint ptHeader)
{
    CWnd* pList = GetParent();
    if (pList == nullptr)
        return;
    CPoint pt = ptHeader;
    ClientToScreen(&pt);
    pList->ScreenToClient(&pt);
    CRect rc(pt.x - m_sizeDragFrame.cx / 2, pt.y - m_sizeDragFrame.cy / 2, pt.x + m_sizeDragFrame.cx / 2,
             pt.y + m_sizeDragFrame.cy / 2);
    CClientDC dc(pList);
    CSize size(2, 2);
    dc.DrawDragRect(&rc, size, m_rcLastFrame.IsRectEmpty() ? nullptr : &m_rcLastFrame, size);
    m_rcLastFrame = rc;
}

void CRptHeaderCtrl::EraseDragFrame()
{
    CWnd* pList = GetParent();
    if (pList != nullptr && !m_rcLastFrame.IsRectEmpty())
    {
        CClientDC dc(pList);
        CSize size(2, 2);
        dc.DrawDragRect(&m_rcLastFrame, size, nullptr, size);
        pList->Invalidate();
        pList->UpdateWindow();
    }
    m_rcLastFrame.SetRectEmpty();
}

void CRptHeaderCtrl::EndDrag()
{
    m_bDragPending = false;
    if (!m_bDragging)
        return;
    m_bDragging = false;
    EraseDragFrame();
    m_widths.clear();
    m_rcMarker.SetRectEmpty();
    if (GetCapture() == this)
        ReleaseCapture();
    Invalidate();
}

void CRptHeaderCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (m_bDragEnabled)
    {
        HDHITTESTINFO ht;
        std::memset(&ht, 0, sizeof(ht));
        ht.pt = point;
        int nHit = HitTest(&ht);
        if (nHit >= 0 && (ht.flags & HHT_ONHEADER) && !(ht.flags & (HHT_ONDIVIDER | HHT_ONDIVOPEN)))
        {
            m_nDragItem = nHit;
            m_bDragPending = true;
        }
    }
    CHeaderCtrl::OnLButtonDown(nFlags, point);
}

void CRptHeaderCtrl::OnMouseMove(UINT nFlags, CPoint point)
{
    if (!(nFlags & MK_LBUTTON))
    {
        if (m_bDragPending || m_bDragging)
            EndDrag();
        CHeaderCtrl::OnMouseMove(nFlags, point);
        return;
    }
    if (m_bDragPending && !m_bDragging)
    {
        m_bDragging = true;
        m_nDropPos = m_nDragItem;
        if (GetCapture() != this)
            SetCapture();
        int n = GetItemCount();
        m_widths.assign(static_cast<size_t>(n), 0);
        for (int i = 0; i < n; ++i)
        {
            HDITEM item;
            std::memset(&item, 0, sizeof(item));
            item.mask = HDI_WIDTH | HDI_FORMAT;
            GetItem(i, &item);
            m_widths[static_cast<size_t>(i)] = item.cxy;
            if (!(item.fmt & HDF_OWNERDRAW))
            {
                item.mask = HDI_FORMAT;
                item.fmt |= HDF_OWNERDRAW;
                SetItem(i, &item);
            }
        }
        CRect client;
        GetClientRect(&client);
        m_sizeDragFrame = CSize(m_nDragItem < n ? m_widths[static_cast<size_t>(m_nDragItem)] : 0, client.Height());
        m_rcLastFrame.SetRectEmpty();
        m_rcMarker.SetRectEmpty();
        Invalidate();
        UpdateWindow();
    }
    if (m_bDragging)
    {
        int nPos = DropPositionAt(point.x);
        if (nPos != m_nDropPos || m_rcMarker.IsRectEmpty())
        {
            EraseMarker();
            m_nDropPos = nPos;
            DrawMarker(nPos);
        }
        MoveDragFrame(point);
        return;
    }
    CHeaderCtrl::OnMouseMove(nFlags, point);
}

void CRptHeaderCtrl::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (!m_bDragging)
    {
        m_bDragPending = false;
        CHeaderCtrl::OnLButtonUp(nFlags, point);
        return;
    }
    int nFrom = m_nDragItem;
    int nTo = m_nDropPos;
    // The press is not a click on the heading.
    m_nPressed = -1;
    m_bPressedIn = false;
    EndDrag();
    if (nTo != nFrom && nTo != nFrom + 1 && m_pfnMove != nullptr)
    {
        int nNew = m_pfnMove(GetParent(), nFrom, nTo);
        // The sort mark stays on its column, wherever the move put it.
        if (nNew >= 0 && nNew != nFrom && m_nSortColumn >= 0)
        {
            if (m_nSortColumn == nFrom)
                m_nSortColumn = nNew;
            else if (nFrom < m_nSortColumn && m_nSortColumn <= nNew)
                --m_nSortColumn;
            else if (nNew <= m_nSortColumn && m_nSortColumn < nFrom)
                ++m_nSortColumn;
        }
    }
    Invalidate();
}

// ---- Locked widths ------------------------------------------------------------------------

bool CRptHeaderCtrl::IsOnLockedDivider(int x) const
{
    if (m_dwLockedMask == 0)
        return false;
    int nHalf = ::GetSystemMetrics(SM_CXCURSOR) / 2;
    int right = 0;
    int n = GetItemCount();
    for (int i = 0; i < n; ++i)
    {
        HDITEM item;
        std::memset(&item, 0, sizeof(item));
        item.mask = HDI_WIDTH | HDI_LPARAM;
        GetItem(i, &item);
        right += item.cxy;
        if ((m_dwLockedMask & (1u << (static_cast<int>(item.lParam) & 31))) && x > right - nHalf && x < right + nHalf)
            return true;
    }
    return false;
}

BOOL CRptHeaderCtrl::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    CPoint pt;
    ::GetCursorPos(&pt);
    ScreenToClient(&pt);
    m_bCursorAllowed = !IsOnLockedDivider(pt.x);
    if (!m_bCursorAllowed)
    {
        ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
        return TRUE;
    }
    return CHeaderCtrl::OnSetCursor(pWnd, nHitTest, message);
}

void CRptHeaderCtrl::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    // No automatic fit on a locked divider.
    if (IsOnLockedDivider(point.x))
        return;
    CHeaderCtrl::OnLButtonDblClk(nFlags, point);
}
