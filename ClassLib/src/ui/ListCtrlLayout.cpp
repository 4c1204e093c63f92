// CListCtrl geometry: where the header, the rows and the icons lie, hit testing and
// scrolling.
#include "ListCtrlLabels.h"

#include <algorithm>
#include <cstring>

namespace {
const int kIconMargin = 2;   // between an icon and its label
const int kLabelMargin = 2;  // inside a label rectangle
const int kListMinColumn = 50;
}  // namespace

DWORD CListCtrl::ViewType() const
{
    return m_hWnd != nullptr ? (GetStyle() & LVS_TYPEMASK) : LVS_ICON;
}

int CListCtrl::HeaderHeight() const
{
    if (ViewType() != LVS_REPORT || (GetStyle() & LVS_NOCOLUMNHEADER) || Header() == nullptr)
        return 0;
    return Header()->GetHeight();
}

CRect CListCtrl::ItemArea() const
{
    CRect rc(0, 0, 0, 0);
    if (m_hWnd != nullptr)
        GetClientRect(&rc);
    rc.top += HeaderHeight();
    if (rc.bottom < rc.top)
        rc.bottom = rc.top;
    return rc;
}

static CSize ImageSize(CImageList* pList, CSize sizeDefault)
{
    if (pList == nullptr || pList->GetSafeHandle() == nullptr)
        return sizeDefault;
    int cx = 0, cy = 0;
    if (!::ImageList_GetIconSize(pList->GetSafeHandle(), &cx, &cy))
        return sizeDefault;
    return CSize(cx, cy);
}

CSize CListCtrl::SmallImageSize() const
{
    return ImageSize(m_pImageSmall, CSize(0, 0));
}

CSize CListCtrl::NormalImageSize() const
{
    return ImageSize(m_pImageNormal, CSize(32, 32));
}

CSize CListCtrl::StateImageSize() const
{
    return ImageSize(m_pImageState, CSize(0, 0));
}

int CListCtrl::MeasureRowHeight() const
{
    int cy = 16;
    if (m_hWnd != nullptr)
    {
        CClientDC dc(const_cast<CListCtrl*>(this));
        CFont* pOld = dc.SelectObject(const_cast<CListCtrl*>(this)->GetFont());
        TEXTMETRIC tm;
        std::memset(&tm, 0, sizeof(tm));
        dc.GetTextMetrics(&tm);
        dc.SelectObject(pOld);
        cy = std::max<int>(cy, tm.tmHeight + tm.tmExternalLeading + 4);
    }
    cy = std::max(cy, static_cast<int>(SmallImageSize().cy) + 1);
    cy = std::max(cy, static_cast<int>(StateImageSize().cy) + 1);
    if (m_hWnd != nullptr && (GetStyle() & LVS_OWNERDRAWFIXED) && ViewType() == LVS_REPORT)
    {
        // The parent (or the control itself, through reflection) sets the height.
        MEASUREITEMSTRUCT mis;
        std::memset(&mis, 0, sizeof(mis));
        mis.CtlType = ODT_LISTVIEW;
        mis.CtlID = static_cast<UINT>(GetDlgCtrlID());
        mis.itemHeight = static_cast<UINT>(cy);
        CRect rc;
        GetClientRect(&rc);
        mis.itemWidth = static_cast<UINT>(rc.Width());
        if (CWnd* pParent = GetParent())
            pParent->SendMessage(WM_MEASUREITEM, mis.CtlID, reinterpret_cast<LPARAM>(&mis));
        if (mis.itemHeight > 0)
            cy = static_cast<int>(mis.itemHeight);
    }
    return cy;
}

int CListCtrl::GetRowHeight() const
{
    if (m_nRowHeight <= 0)
        const_cast<CListCtrl*>(this)->m_nRowHeight = MeasureRowHeight();
    return m_nRowHeight;
}

int CListCtrl::TotalColumnWidth() const
{
    int cx = 0;
    for (const Column& col : m_columns)
        cx += col.cx;
    return cx;
}

// Left edge of a column in item coordinates (before horizontal scrolling), in the
// header's display order.
int CListCtrl::ColumnLeft(int nCol) const
{
    int nCount = GetColumnCount();
    std::vector<int> order(static_cast<size_t>(nCount));
    for (int i = 0; i < nCount; ++i)
        order[static_cast<size_t>(i)] = i;
    if (Header() != nullptr && Header()->GetItemCount() == nCount)
        order = Header()->VisualOrder();
    int x = 0;
    for (int idx : order)
    {
        if (idx == nCol)
            return x;
        x += m_columns[static_cast<size_t>(idx)].cx;
    }
    return x;
}

int CListCtrl::ListColumnWidth() const
{
    // Every cell of the small-icon and list views asks for this width: the labels' widths
    // are kept (ListCtrlLabels.cpp) rather than measured again for each of them.
    int cx = WidestLabel();
    cx += SmallImageSize().cx + kIconMargin + 2 * kLabelMargin + StateImageSize().cx;
    return std::max(cx + 8, kListMinColumn);
}

int CListCtrl::RowsPerListColumn() const
{
    return std::max(1, ItemArea().Height() / std::max(1, GetRowHeight()));
}

CRect CListCtrl::RowBounds(int nItem) const
{
    CRect area = ItemArea();
    int h = GetRowHeight();
    DWORD view = ViewType();
    if (view == LVS_REPORT)
    {
        int top = area.top + (nItem - m_nTopIndex) * h;
        int left = area.left - m_nScrollX;
        return CRect(left, top, left + TotalColumnWidth(), top + h);
    }
    if (view == LVS_LIST)
    {
        int nRows = RowsPerListColumn();
        int cx = ListColumnWidth();
        int col = nItem / nRows - m_nTopIndex;
        int row = nItem % nRows;
        return CRect(area.left + col * cx, area.top + row * h, area.left + (col + 1) * cx, area.top + (row + 1) * h);
    }
    return IconCell(nItem);
}

// The cell of an item in the icon and small-icon views.
CRect CListCtrl::IconCell(int nItem) const
{
    CRect area = ItemArea();
    const Row& row = m_rows[static_cast<size_t>(nItem)];
    bool bSmall = ViewType() == LVS_SMALLICON;
    CSize cell = bSmall ? CSize(ListColumnWidth(), GetRowHeight()) : m_sizeIconSpacing;
    CPoint origin;
    if (row.position.x != -1 || row.position.y != -1)
        origin = row.position;
    else
    {
        bool bLeft = (GetStyle() & LVS_ALIGNMASK) == LVS_ALIGNLEFT;
        if (bLeft)
        {
            int nRows = std::max(1, static_cast<int>(area.Height() / cell.cy));
            origin = CPoint((nItem / nRows) * cell.cx, (nItem % nRows) * cell.cy);
        }
        else
        {
            int nCols = std::max(1, static_cast<int>(area.Width() / cell.cx));
            origin = CPoint((nItem % nCols) * cell.cx, (nItem / nCols) * cell.cy);
        }
    }
    origin.x += area.left - m_nScrollX;
    origin.y += area.top - m_nScrollY;
    return CRect(origin, cell);
}

BOOL CListCtrl::GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const
{
    if (lpRect == nullptr || nItem < 0 || nItem >= GetItemCount())
        return FALSE;
    DWORD view = ViewType();
    CRect bounds = RowBounds(nItem);
    CRect icon, label;
    if (view == LVS_ICON)
    {
        CSize sz = NormalImageSize();
        int x = bounds.left + (bounds.Width() - sz.cx) / 2;
        icon = CRect(x, bounds.top + 2, x + sz.cx, bounds.top + 2 + sz.cy);
        int cyText = GetRowHeight() - 4;
        label = CRect(bounds.left + 2, icon.bottom + kIconMargin, bounds.right - 2,
                      icon.bottom + kIconMargin + cyText);
        bounds = icon;
        bounds.UnionRect(icon, label);
    }
    else
    {
        const Row& row = m_rows[static_cast<size_t>(nItem)];
        int x = bounds.left;
        if (view == LVS_REPORT)
            x += ColumnLeft(0) + row.indent * std::max<int>(SmallImageSize().cx, 16);
        x += StateImageSize().cx;
        CSize sz = SmallImageSize();
        icon = CRect(x, bounds.top, x + sz.cx, bounds.bottom);
        int right = bounds.right;
        if (view == LVS_REPORT)
            right = bounds.left + ColumnLeft(0) + (GetColumnCount() > 0 ? m_columns[0].cx : 0);
        else if (view == LVS_SMALLICON || view == LVS_LIST)
        {
            int cxText = LabelWidth(nItem) + 2 * kLabelMargin;
            right = std::min<int>(bounds.right, icon.right + kIconMargin + cxText);
        }
        label = CRect(icon.right + (sz.cx > 0 ? kIconMargin : 0), bounds.top, std::max<int>(right, icon.right), bounds.bottom);
        if (view != LVS_REPORT)
            bounds.right = label.right;
    }
    CRect result;
    switch (nCode)
    {
    case LVIR_BOUNDS:
        result = bounds;
        break;
    case LVIR_ICON:
        result = icon;
        break;
    case LVIR_LABEL:
        result = label;
        break;
    case LVIR_SELECTBOUNDS:
        if (view == LVS_REPORT && (m_dwExStyle & LVS_EX_FULLROWSELECT))
            result = bounds;
        else
            result.UnionRect(icon, label);
        break;
    default:
        return FALSE;
    }
    *lpRect = result;
    return TRUE;
}

BOOL CListCtrl::GetSubItemRect(int iItem, int iSubItem, int nArea, CRect& ref) const
{
    if (ViewType() != LVS_REPORT || iItem < 0 || iItem >= GetItemCount() || iSubItem < 0 ||
        iSubItem >= std::max(1, GetColumnCount()))
        return FALSE;
    if (iSubItem == 0)
        return GetItemRect(iItem, &ref, static_cast<UINT>(nArea));
    CRect bounds = RowBounds(iItem);
    int left = bounds.left + ColumnLeft(iSubItem);
    CRect cell(left, bounds.top, left + m_columns[static_cast<size_t>(iSubItem)].cx, bounds.bottom);
    if (nArea == LVIR_ICON)
    {
        CSize sz = (m_dwExStyle & LVS_EX_SUBITEMIMAGES) ? SmallImageSize() : CSize(0, 0);
        cell.right = cell.left + sz.cx;
    }
    ref = cell;
    return TRUE;
}

int CListCtrl::HitTestRow(CPoint pt, UINT* pFlags, int* pSubItem) const
{
    UINT flags = 0;
    int nHit = -1;
    int nSub = 0;
    CRect area = ItemArea();
    if (pt.y < area.top)
        flags = LVHT_ABOVE;
    else if (pt.y >= area.bottom)
        flags = LVHT_BELOW;
    else if (pt.x < area.left)
        flags = LVHT_TOLEFT;
    else if (pt.x >= area.right)
        flags = LVHT_TORIGHT;
    if (flags == 0)
    {
        MeasureScope scope(this);
        DWORD view = ViewType();
        int nFirst = 0, nLast = GetItemCount() - 1;
        if (view == LVS_REPORT)
        {
            int h = std::max(1, GetRowHeight());
            int row = m_nTopIndex + (pt.y - area.top) / h;
            nFirst = nLast = row;
        }
        for (int i = std::max(0, nFirst); i <= nLast && i < GetItemCount(); ++i)
        {
            CRect rcIcon, rcLabel, rcBounds;
            GetItemRect(i, &rcBounds, LVIR_BOUNDS);
            if (!rcBounds.PtInRect(pt))
                continue;
            GetItemRect(i, &rcIcon, LVIR_ICON);
            GetItemRect(i, &rcLabel, LVIR_LABEL);
            CRect rcState = rcIcon;
            rcState.right = rcIcon.left;
            rcState.left = rcIcon.left - StateImageSize().cx;
            if (rcState.Width() > 0 && rcState.PtInRect(pt))
                flags = LVHT_ONITEMSTATEICON;
            else if (rcIcon.Width() > 0 && rcIcon.PtInRect(pt))
                flags = LVHT_ONITEMICON;
            else
                flags = LVHT_ONITEMLABEL;
            nHit = i;
            if (view == LVS_REPORT)
            {
                int x = pt.x - rcBounds.left;
                for (int c = 0; c < GetColumnCount(); ++c)
                {
                    int l = ColumnLeft(c);
                    if (x >= l && x < l + m_columns[static_cast<size_t>(c)].cx)
                    {
                        nSub = c;
                        break;
                    }
                }
            }
            break;
        }
        if (nHit < 0)
            flags = LVHT_NOWHERE;
    }
    if (pFlags != nullptr)
        *pFlags = flags;
    if (pSubItem != nullptr)
        *pSubItem = nSub;
    return nHit;
}

int CListCtrl::HitTest(LVHITTESTINFO* pHitTestInfo) const
{
    if (pHitTestInfo == nullptr)
        return -1;
    int nSub = 0;
    pHitTestInfo->iItem = HitTestRow(CPoint(pHitTestInfo->pt), &pHitTestInfo->flags, &nSub);
    pHitTestInfo->iSubItem = 0;
    return pHitTestInfo->iItem;
}

int CListCtrl::HitTest(CPoint pt, UINT* pFlags) const
{
    return HitTestRow(pt, pFlags, nullptr);
}

int CListCtrl::SubItemHitTest(LPLVHITTESTINFO pInfo)
{
    if (pInfo == nullptr)
        return -1;
    int nSub = 0;
    pInfo->iItem = HitTestRow(CPoint(pInfo->pt), &pInfo->flags, &nSub);
    pInfo->iSubItem = pInfo->iItem >= 0 ? nSub : 0;
    return pInfo->iItem;
}

BOOL CListCtrl::EnsureVisible(int nItem, BOOL bPartialOK)
{
    if (nItem < 0 || nItem >= GetItemCount())
        return FALSE;
    DWORD view = ViewType();
    CRect area = ItemArea();
    if (view == LVS_REPORT)
    {
        int nPage = std::max(1, GetCountPerPage());
        int h = GetRowHeight();
        if (nItem < m_nTopIndex)
            m_nTopIndex = nItem;
        else if (nItem >= m_nTopIndex + nPage)
        {
            // Partly visible is enough when asked.
            bool bPartly = bPartialOK && area.top + (nItem - m_nTopIndex) * h < area.bottom;
            if (!bPartly)
                m_nTopIndex = nItem - nPage + 1;
        }
    }
    else if (view == LVS_LIST)
    {
        int nRows = RowsPerListColumn();
        int nCols = std::max(1, area.Width() / std::max(1, ListColumnWidth()));
        int col = nItem / nRows;
        if (col < m_nTopIndex)
            m_nTopIndex = col;
        else if (col >= m_nTopIndex + nCols)
            m_nTopIndex = col - nCols + 1;
    }
    else
    {
        CRect rc;
        GetItemRect(nItem, &rc, LVIR_BOUNDS);
        if (rc.top < area.top)
            m_nScrollY -= area.top - rc.top;
        else if (rc.bottom > area.bottom && !(bPartialOK && rc.top < area.bottom))
            m_nScrollY += std::min(rc.bottom - area.bottom, rc.top - area.top);
        if (rc.left < area.left)
            m_nScrollX -= area.left - rc.left;
        else if (rc.right > area.right && !(bPartialOK && rc.left < area.right))
            m_nScrollX += std::min(rc.right - area.right, rc.left - area.left);
        m_nScrollX = std::max(0, m_nScrollX);
        m_nScrollY = std::max(0, m_nScrollY);
    }
    UpdateScrollBars();
    Invalidate();
    return TRUE;
}

BOOL CListCtrl::Scroll(CSize size)
{
    DWORD view = ViewType();
    if (view == LVS_REPORT)
    {
        int h = std::max(1, GetRowHeight());
        int nRows = size.cy / h;
        if (size.cy % h != 0)
            nRows += size.cy > 0 ? 1 : -1;
        int nMaxTop = std::max(0, GetItemCount() - std::max(1, GetCountPerPage()));
        m_nTopIndex = std::max(0, std::min(nMaxTop, m_nTopIndex + nRows));
        int nMaxX = std::max(0, TotalColumnWidth() - ItemArea().Width());
        m_nScrollX = std::max(0, std::min(nMaxX, m_nScrollX + size.cx));
    }
    else if (view == LVS_LIST)
    {
        int cx = std::max(1, ListColumnWidth());
        int nCols = size.cx / cx + (size.cx % cx != 0 ? (size.cx > 0 ? 1 : -1) : 0);
        int nAll = (GetItemCount() + RowsPerListColumn() - 1) / RowsPerListColumn();
        int nShown = std::max(1, ItemArea().Width() / cx);
        m_nTopIndex = std::max(0, std::min(std::max(0, nAll - nShown), m_nTopIndex + nCols));
    }
    else
    {
        m_nScrollX = std::max(0, m_nScrollX + size.cx);
        m_nScrollY = std::max(0, m_nScrollY + size.cy);
    }
    LayoutHeader();
    UpdateScrollBars();
    Invalidate();
    return TRUE;
}

void CListCtrl::LayoutHeader()
{
    if (Header() == nullptr)
        return;
    bool bShow = ViewType() == LVS_REPORT && !(GetStyle() & LVS_NOCOLUMNHEADER);
    if (!bShow)
    {
        Header()->ShowWindow(SW_HIDE);
        return;
    }
    CRect client;
    GetClientRect(&client);
    int h = Header()->GetHeight();
    int cx = std::max<int>(client.Width() + m_nScrollX, TotalColumnWidth());
    Header()->MoveWindow(-m_nScrollX, 0, cx, h, TRUE);
    Header()->ShowWindow(SW_SHOWNA);
}

void CListCtrl::UpdateScrollBars()
{
    if (m_hWnd == nullptr || (GetStyle() & LVS_NOSCROLL) || m_bRedrawOff)
        return;
    static thread_local int s_nDepth = 0;
    if (s_nDepth > 2)
        return;  // showing a bar resizes the window, which lays it out again
    ++s_nDepth;
    MeasureScope scope(this);
    DWORD view = ViewType();
    CRect area = ItemArea();
    SCROLLINFO si;
    std::memset(&si, 0, sizeof(si));
    si.cbSize = sizeof(si);
    si.fMask = SIF_ALL;
    bool bVert = false, bHorz = false;
    if (view == LVS_REPORT)
    {
        int nPage = std::max(1, GetCountPerPage());
        int nMaxTop = std::max(0, GetItemCount() - nPage);
        m_nTopIndex = std::min(m_nTopIndex, nMaxTop);
        bVert = GetItemCount() > nPage;
        si.nMin = 0;
        si.nMax = std::max(0, GetItemCount() - 1);
        si.nPage = static_cast<UINT>(nPage);
        si.nPos = m_nTopIndex;
        if (m_bKeepScrollBars)
            si.fMask |= SIF_DISABLENOSCROLL;
        ShowScrollBar(SB_VERT, bVert || m_bKeepScrollBars);
        SetScrollInfo(SB_VERT, &si, TRUE);
        int nTotal = TotalColumnWidth();
        int nMaxX = std::max(0, nTotal - area.Width());
        m_nScrollX = std::min(m_nScrollX, nMaxX);
        bHorz = nTotal > area.Width();
        si.nMax = std::max(0, nTotal - 1);
        si.nPage = static_cast<UINT>(std::max(0, static_cast<int>(area.Width())));
        si.nPos = m_nScrollX;
        ShowScrollBar(SB_HORZ, bHorz || m_bKeepScrollBars);
        SetScrollInfo(SB_HORZ, &si, TRUE);
        si.fMask = SIF_ALL;
    }
    else if (view == LVS_LIST)
    {
        int nAll = (GetItemCount() + RowsPerListColumn() - 1) / RowsPerListColumn();
        int nShown = std::max(1, area.Width() / std::max(1, ListColumnWidth()));
        bHorz = nAll > nShown;
        si.nMax = std::max(0, nAll - 1);
        si.nPage = static_cast<UINT>(nShown);
        si.nPos = m_nTopIndex;
        ShowScrollBar(SB_VERT, FALSE);
        ShowScrollBar(SB_HORZ, bHorz);
        SetScrollInfo(SB_HORZ, &si, TRUE);
    }
    else
    {
        CRect total(0, 0, 0, 0);
        int nCount = GetItemCount();
        if (m_nPositioned == 0 && nCount > 0)
        {
            // Arranged items fill a grid: an item of its last row reaches lowest.
            int nLowest = nCount - 1;
            if ((GetStyle() & LVS_ALIGNMASK) == LVS_ALIGNLEFT)
            {
                CSize cell = view == LVS_SMALLICON ? CSize(ListColumnWidth(), GetRowHeight()) : m_sizeIconSpacing;
                int nRows = std::max(1, static_cast<int>(area.Height() / std::max(1, static_cast<int>(cell.cy))));
                nLowest = std::min(nCount, nRows) - 1;
            }
            GetItemRect(nLowest, &total, LVIR_BOUNDS);
            total.OffsetRect(m_nScrollX - area.left, m_nScrollY - area.top);
        }
        else
        {
            for (int i = 0; i < nCount; ++i)
            {
                CRect rc;
                GetItemRect(i, &rc, LVIR_BOUNDS);
                rc.OffsetRect(m_nScrollX - area.left, m_nScrollY - area.top);
                total.UnionRect(total, rc);
            }
        }
        bVert = total.bottom > area.Height();
        si.nMax = std::max(0, static_cast<int>(total.bottom) - 1);
        si.nPage = static_cast<UINT>(area.Height());
        si.nPos = m_nScrollY;
        ShowScrollBar(SB_VERT, bVert);
        SetScrollInfo(SB_VERT, &si, TRUE);
        ShowScrollBar(SB_HORZ, FALSE);
    }
    LayoutHeader();
    --s_nDepth;
}
