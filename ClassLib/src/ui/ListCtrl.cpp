// CListCtrl: items, columns, states and the notifications of state changes.
#include "ListCtrlLabels.h"

#include "../framework/FrameworkStrings.h"

#include <algorithm>
#include <cstring>
#include <numeric>

IMPLEMENT_DYNAMIC(CListCtrl, CWnd)

CListCtrl::CListCtrl()
    : m_hWndHeader(nullptr),
      m_pImageNormal(nullptr),
      m_pImageSmall(nullptr),
      m_pImageState(nullptr),
      m_clrBk(::GetSysColor(COLOR_WINDOW)),
      m_clrText(::GetSysColor(COLOR_WINDOWTEXT)),
      m_clrTextBk(::GetSysColor(COLOR_WINDOW)),
      m_nCallbackMask(0),
      m_dwExStyle(0),
      m_nSelectionMark(-1),
      m_nHotItem(-1),
      m_nTopIndex(0),
      m_nScrollX(0),
      m_nScrollY(0),
      m_nRowHeight(0),
      m_sizeIconSpacing(75, 70),
      m_pEdit(nullptr),
      m_nEditItem(-1),
      m_nDownItem(-1),
      m_bDragStarted(false),
      m_bClickPending(false),
      m_nDownFlags(0)
{
}

CListCtrl::~CListCtrl()
{
    pc_frame::ForgetTakenOver(this);
    if (m_hWnd != nullptr)
        DestroyWindow();
}

BOOL CListCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateEx(0, dwStyle, rect, pParentWnd, nID);
}

BOOL CListCtrl::CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    pc_frame::EnsureControlClasses();
    return CWnd::CreateEx(dwExStyle, WC_LISTVIEW, nullptr, dwStyle, rect, pParentWnd, nID);
}

// The setters send their LVM_* message so a derived list sees it; the answers are in
// ListCtrlMessages.cpp. Without a window the values are only stored.
BOOL CListCtrl::SetBkColor(COLORREF cr)
{
    if (m_hWnd != nullptr)
        return static_cast<BOOL>(SendMessage(LVM_SETBKCOLOR, 0, static_cast<LPARAM>(cr)));
    m_clrBk = cr;
    return TRUE;
}

BOOL CListCtrl::SetTextColor(COLORREF cr)
{
    if (m_hWnd != nullptr)
        return static_cast<BOOL>(SendMessage(LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(cr)));
    m_clrText = cr;
    return TRUE;
}

BOOL CListCtrl::SetTextBkColor(COLORREF cr)
{
    if (m_hWnd != nullptr)
        return static_cast<BOOL>(SendMessage(LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(cr)));
    m_clrTextBk = cr;
    return TRUE;
}

CImageList* CListCtrl::GetImageList(int nImageList) const
{
    switch (nImageList)
    {
    case LVSIL_NORMAL:
        return m_pImageNormal;
    case LVSIL_SMALL:
        return m_pImageSmall;
    case LVSIL_STATE:
        return m_pImageState;
    default:
        return nullptr;
    }
}

CImageList* CListCtrl::SetImageList(CImageList* pImageList, int nImageListType)
{
    if (m_hWnd != nullptr)
    {
        CImageList* pOld = GetImageList(nImageListType);
        LRESULT r = SendMessage(LVM_SETIMAGELIST, static_cast<WPARAM>(nImageListType),
                                reinterpret_cast<LPARAM>(pImageList != nullptr ? pImageList->GetSafeHandle() : nullptr));
        if (r == 0 && pOld == nullptr)
            return nullptr;
        return pOld != nullptr && pOld->GetSafeHandle() == reinterpret_cast<HIMAGELIST>(r) ? pOld
                                                                                            : CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(r));
    }
    CImageList* pOld = GetImageList(nImageListType);
    switch (nImageListType)
    {
    case LVSIL_NORMAL:
        m_pImageNormal = pImageList;
        break;
    case LVSIL_SMALL:
        m_pImageSmall = pImageList;
        break;
    case LVSIL_STATE:
        m_pImageState = pImageList;
        break;
    default:
        return nullptr;
    }
    m_nRowHeight = 0;
    return pOld;
}

BOOL CListCtrl::SetItemCount(int nItems)
{
    if (nItems > 0)
        m_rows.reserve(static_cast<size_t>(nItems));
    return TRUE;
}

CString CListCtrl::CellText(int nItem, int nSubItem) const
{
    if (nItem < 0 || nItem >= GetItemCount() || nSubItem < 0)
        return CString();
    const Row& row = m_rows[static_cast<size_t>(nItem)];
    if (static_cast<size_t>(nSubItem) >= row.cells.size())
        return CString();
    const Cell& cell = row.cells[static_cast<size_t>(nSubItem)];
    if (!cell.callback)
        return cell.text;
    // The parent supplies the text; the buffer is bounded so that a careless answer
    // cannot overrun it.
    char buffer[520];
    buffer[0] = '\0';
    NMLVDISPINFO info;
    std::memset(&info, 0, sizeof(info));
    info.item.mask = LVIF_TEXT;
    info.item.iItem = nItem;
    info.item.iSubItem = nSubItem;
    info.item.pszText = buffer;
    info.item.cchTextMax = static_cast<int>(sizeof(buffer));
    info.item.lParam = row.lParam;
    info.item.state = row.state;
    NotifyParent(LVN_GETDISPINFO, &info.hdr);
    buffer[sizeof(buffer) - 1] = '\0';
    if (info.item.pszText == nullptr || info.item.pszText == LPSTR_TEXTCALLBACK)
        return CString();
    if (info.item.pszText != buffer)
        return CString(info.item.pszText);  // the parent pointed to its own text
    return CString(buffer);
}

int CListCtrl::ItemImage(int nItem) const
{
    const Row& row = m_rows[static_cast<size_t>(nItem)];
    if (row.image != I_IMAGECALLBACK)
        return row.image;
    NMLVDISPINFO info;
    std::memset(&info, 0, sizeof(info));
    info.item.mask = LVIF_IMAGE;
    info.item.iItem = nItem;
    info.item.lParam = row.lParam;
    info.item.iImage = -1;
    NotifyParent(LVN_GETDISPINFO, &info.hdr);
    return info.item.iImage;
}

BOOL CListCtrl::GetItem(LVITEM* pItem) const
{
    if (pItem == nullptr || pItem->iItem < 0 || pItem->iItem >= GetItemCount())
        return FALSE;
    const Row& row = m_rows[static_cast<size_t>(pItem->iItem)];
    if (pItem->iSubItem < 0 || pItem->iSubItem >= std::max<int>(1, GetColumnCount()))
    {
        if (pItem->iSubItem != 0)
            return FALSE;
    }
    if (pItem->mask & LVIF_TEXT)
    {
        if (pItem->pszText != nullptr && pItem->cchTextMax > 0)
        {
            CString text = CellText(pItem->iItem, pItem->iSubItem);
            int n = std::min(text.GetLength(), pItem->cchTextMax - 1);
            std::memcpy(pItem->pszText, static_cast<LPCTSTR>(text), static_cast<size_t>(n));
            pItem->pszText[n] = '\0';
        }
    }
    if (pItem->mask & LVIF_IMAGE)
    {
        if (pItem->iSubItem == 0)
            pItem->iImage = row.image;
        else if (static_cast<size_t>(pItem->iSubItem) < row.cells.size())
            pItem->iImage = row.cells[static_cast<size_t>(pItem->iSubItem)].image;
        else
            pItem->iImage = -1;
    }
    if (pItem->mask & LVIF_STATE)
        pItem->state = row.state & pItem->stateMask;
    if (pItem->mask & LVIF_PARAM)
        pItem->lParam = row.lParam;
    if (pItem->mask & LVIF_INDENT)
        pItem->iIndent = row.indent;
    return TRUE;
}

BOOL CListCtrl::SetItem(const LVITEM* pItem)
{
    if (pItem == nullptr || pItem->iItem < 0 || pItem->iItem >= GetItemCount() || pItem->iSubItem < 0)
        return FALSE;
    if (pItem->iSubItem > 0 && pItem->iSubItem >= GetColumnCount())
        return FALSE;
    Row& row = m_rows[static_cast<size_t>(pItem->iItem)];
    if (pItem->iSubItem > 0 && (pItem->mask & ~(LVIF_TEXT | LVIF_IMAGE)) != 0)
        return FALSE;  // sub-items have only texts and images
    if (row.cells.size() <= static_cast<size_t>(pItem->iSubItem))
        row.cells.resize(static_cast<size_t>(pItem->iSubItem) + 1);
    Cell& cell = row.cells[static_cast<size_t>(pItem->iSubItem)];
    // The widest label kept before the label changes (0: none).
    auto widestKept = [this] { return m_labelWidthCount.empty() ? 0 : m_labelWidthCount.rbegin()->first; };
    bool bLabelChanged = false;
    int cxWidestBefore = 0;
    if (pItem->mask & LVIF_TEXT)
    {
        // The item's own label is measured again; a sub-item's text is no label.
        if (pItem->iSubItem == 0)
        {
            cxWidestBefore = widestKept();
            ForgetLabel(row);
        }
        if (pItem->pszText == LPSTR_TEXTCALLBACK)
        {
            cell.callback = true;
            cell.text.Empty();
        }
        else
        {
            cell.callback = false;
            cell.text = pItem->pszText != nullptr ? pItem->pszText : "";
        }
        if (pItem->iSubItem == 0)
        {
            AddLabel(row);
            bLabelChanged = true;
        }
    }
    if (pItem->mask & LVIF_IMAGE)
    {
        if (pItem->iSubItem == 0)
            row.image = pItem->iImage;
        else
            cell.image = pItem->iImage;
    }
    if (pItem->mask & LVIF_PARAM)
        row.lParam = pItem->lParam;
    if (pItem->mask & LVIF_INDENT)
        row.indent = pItem->iIndent;
    if (pItem->mask & LVIF_STATE)
    {
        if (!ChangeState(pItem->iItem, pItem->state, pItem->stateMask))
            return FALSE;
    }
    if (m_hWnd != nullptr)
    {
        DWORD view = bLabelChanged ? ViewType() : LVS_REPORT;
        if (view == LVS_SMALLICON || view == LVS_LIST)
        {
            // The widest label sets every cell's width: the layout follows it.
            LabelWidth(pItem->iItem);
            if (widestKept() != cxWidestBefore || m_nUnmeasuredLabels > 0)
            {
                UpdateScrollBars();
                Invalidate();
                return TRUE;
            }
        }
        InvalidateItem(pItem->iItem);
    }
    return TRUE;
}

BOOL CListCtrl::SetItem(int nItem, int nSubItem, UINT nMask, LPCTSTR lpszItem, int nImage, UINT nState,
                        UINT nStateMask, LPARAM lParam)
{
    LVITEM item;
    std::memset(&item, 0, sizeof(item));
    item.mask = nMask;
    item.iItem = nItem;
    item.iSubItem = nSubItem;
    item.pszText = const_cast<LPSTR>(lpszItem);
    item.iImage = nImage;
    item.state = nState;
    item.stateMask = nStateMask;
    item.lParam = lParam;
    return SetItem(&item);
}

BOOL CListCtrl::SetCallbackMask(UINT nMask)
{
    m_nCallbackMask = nMask;
    return TRUE;
}

int CListCtrl::GetNextItem(int nItem, int nFlags) const
{
    int nCount = GetItemCount();
    UINT nStateMask = static_cast<UINT>(nFlags) & (LVNI_FOCUSED | LVNI_SELECTED | LVNI_CUT | LVNI_DROPHILITED);
    auto matches = [&](int i) {
        UINT state = m_rows[static_cast<size_t>(i)].state;
        return (state & nStateMask) == nStateMask;
    };
    if (nFlags & (LVNI_ABOVE | LVNI_BELOW | LVNI_TOLEFT | LVNI_TORIGHT))
    {
        // By place: the nearest item in that direction (report and list views: by index).
        int nStep = (nFlags & (LVNI_ABOVE | LVNI_TOLEFT)) ? -1 : 1;
        if (ViewType() == LVS_LIST && (nFlags & (LVNI_TOLEFT | LVNI_TORIGHT)))
            nStep *= std::max(1, RowsPerListColumn());
        for (int i = nItem + nStep; i >= 0 && i < nCount; i += nStep)
        {
            if (matches(i))
                return i;
        }
        return -1;
    }
    for (int i = nItem + 1; i < nCount; ++i)
    {
        if (i >= 0 && matches(i))
            return i;
    }
    return -1;
}

POSITION CListCtrl::GetFirstSelectedItemPosition() const
{
    int n = GetNextItem(-1, LVNI_SELECTED);
    return reinterpret_cast<POSITION>(static_cast<INT_PTR>(n + 1));
}

int CListCtrl::GetNextSelectedItem(POSITION& pos) const
{
    int n = static_cast<int>(reinterpret_cast<INT_PTR>(pos)) - 1;
    int nNext = GetNextItem(n, LVNI_SELECTED);
    pos = reinterpret_cast<POSITION>(static_cast<INT_PTR>(nNext + 1));
    return n;
}

BOOL CListCtrl::SetItemPosition(int nItem, POINT pt)
{
    if (nItem < 0 || nItem >= GetItemCount())
        return FALSE;
    CPoint& position = m_rows[static_cast<size_t>(nItem)].position;
    const CPoint arranged(-1, -1);
    m_nPositioned += (CPoint(pt) != arranged ? 1 : 0) - (position != arranged ? 1 : 0);
    position = CPoint(pt);
    if (m_hWnd != nullptr)
    {
        UpdateScrollBars();  // the item may now reach further
        Invalidate();
    }
    return TRUE;
}

BOOL CListCtrl::GetItemPosition(int nItem, LPPOINT lpPoint) const
{
    CRect rc;
    if (lpPoint == nullptr || !GetItemRect(nItem, &rc, LVIR_BOUNDS))
        return FALSE;
    lpPoint->x = rc.left;
    lpPoint->y = rc.top;
    return TRUE;
}

BOOL CListCtrl::GetColumn(int nCol, LVCOLUMN* pColumn) const
{
    if (pColumn == nullptr || nCol < 0 || nCol >= GetColumnCount())
        return FALSE;
    const Column& col = m_columns[static_cast<size_t>(nCol)];
    if (pColumn->mask & LVCF_FMT)
        pColumn->fmt = col.fmt;
    if (pColumn->mask & LVCF_WIDTH)
        pColumn->cx = col.cx;
    if ((pColumn->mask & LVCF_TEXT) && pColumn->pszText != nullptr && pColumn->cchTextMax > 0)
    {
        int n = std::min(col.text.GetLength(), pColumn->cchTextMax - 1);
        std::memcpy(pColumn->pszText, static_cast<LPCTSTR>(col.text), static_cast<size_t>(n));
        pColumn->pszText[n] = '\0';
    }
    if (pColumn->mask & LVCF_SUBITEM)
        pColumn->iSubItem = col.subItem;
    if (pColumn->mask & LVCF_IMAGE)
        pColumn->iImage = col.image;
    if (pColumn->mask & LVCF_ORDER)
    {
        pColumn->iOrder = nCol;
        if (Header() != nullptr)
        {
            HDITEM hd;
            std::memset(&hd, 0, sizeof(hd));
            hd.mask = HDI_ORDER;
            if (Header()->GetItem(nCol, &hd))
                pColumn->iOrder = hd.iOrder;
        }
    }
    return TRUE;
}

BOOL CListCtrl::SetColumn(int nCol, const LVCOLUMN* pColumn)
{
    if (pColumn == nullptr || nCol < 0 || nCol >= GetColumnCount())
        return FALSE;
    Column& col = m_columns[static_cast<size_t>(nCol)];
    HDITEM hd;
    std::memset(&hd, 0, sizeof(hd));
    if (pColumn->mask & LVCF_FMT)
    {
        // The first column is always left-aligned, as on the platform.
        col.fmt = nCol == 0 ? (pColumn->fmt & ~LVCFMT_JUSTIFYMASK) : pColumn->fmt;
        hd.mask |= HDI_FORMAT;
        hd.fmt = HDF_STRING | (col.fmt & LVCFMT_JUSTIFYMASK);
        if (col.fmt & LVCFMT_IMAGE)
            hd.fmt |= HDF_IMAGE;
    }
    if (pColumn->mask & LVCF_WIDTH)
    {
        col.cx = pColumn->cx;
        hd.mask |= HDI_WIDTH;
        hd.cxy = col.cx;
    }
    if (pColumn->mask & LVCF_TEXT)
    {
        col.text = pColumn->pszText != nullptr && pColumn->pszText != LPSTR_TEXTCALLBACK ? pColumn->pszText : "";
        hd.mask |= HDI_TEXT;
        hd.pszText = const_cast<LPSTR>(static_cast<LPCTSTR>(col.text));
    }
    if (pColumn->mask & LVCF_SUBITEM)
        col.subItem = pColumn->iSubItem;
    if (pColumn->mask & LVCF_IMAGE)
    {
        col.image = pColumn->iImage;
        hd.mask |= HDI_IMAGE;
        hd.iImage = col.image;
    }
    if (pColumn->mask & LVCF_ORDER)
    {
        hd.mask |= HDI_ORDER;
        hd.iOrder = pColumn->iOrder;
    }
    if (Header() != nullptr && hd.mask != 0)
        Header()->SetItem(nCol, &hd);
    if (m_hWnd != nullptr)
    {
        UpdateScrollBars();
        Invalidate();
    }
    return TRUE;
}

int CListCtrl::GetColumnWidth(int nCol) const
{
    if (ViewType() == LVS_LIST)
        return ListColumnWidth();
    if (nCol < 0 || nCol >= GetColumnCount())
        return 0;
    return m_columns[static_cast<size_t>(nCol)].cx;
}

BOOL CListCtrl::SetColumnWidth(int nCol, int cx)
{
    if (nCol < 0 || nCol >= GetColumnCount())
        return FALSE;
    if (cx == LVSCW_AUTOSIZE || cx == LVSCW_AUTOSIZE_USEHEADER)
    {
        MeasureScope scope(this);
        int cxMax = 0;
        for (int i = 0; i < GetItemCount(); ++i)
            cxMax = std::max(cxMax, GetStringWidth(CellText(i, m_columns[static_cast<size_t>(nCol)].subItem)));
        cxMax += 2 * CHeaderCtrl::kTextMargin;
        if (nCol == 0 && m_pImageSmall != nullptr)
            cxMax += SmallImageSize().cx + 2;
        if (cx == LVSCW_AUTOSIZE_USEHEADER)
            cxMax = std::max(cxMax, GetStringWidth(m_columns[static_cast<size_t>(nCol)].text) +
                                        2 * CHeaderCtrl::kTextMargin);
        cx = cxMax;
    }
    LVCOLUMN col;
    std::memset(&col, 0, sizeof(col));
    col.mask = LVCF_WIDTH;
    col.cx = std::max(0, cx);
    return SetColumn(nCol, &col);
}

BOOL CListCtrl::GetColumnOrderArray(LPINT piArray, int iCount)
{
    if (piArray == nullptr)
        return FALSE;
    if (iCount < 0)
        iCount = GetColumnCount();
    if (Header() != nullptr)
        return Header()->GetOrderArray(piArray, iCount);
    for (int i = 0; i < iCount; ++i)
        piArray[i] = i;
    return TRUE;
}

BOOL CListCtrl::SetColumnOrderArray(int iCount, LPINT piArray)
{
    if (Header() == nullptr)
        return FALSE;
    BOOL bOk = Header()->SetOrderArray(iCount, piArray);
    if (bOk && m_hWnd != nullptr)
        Invalidate();
    return bOk;
}

BOOL CListCtrl::GetViewRect(LPRECT lpRect) const
{
    if (lpRect == nullptr)
        return FALSE;
    MeasureScope scope(this);
    CRect total(0, 0, 0, 0);
    for (int i = 0; i < GetItemCount(); ++i)
    {
        CRect rc;
        GetItemRect(i, &rc, LVIR_BOUNDS);
        total.UnionRect(total, rc);
    }
    *lpRect = total;
    return TRUE;
}

int CListCtrl::GetTopIndex() const
{
    DWORD view = ViewType();
    if (view == LVS_REPORT)
        return std::min(m_nTopIndex, std::max(0, GetItemCount() - 1));
    if (view == LVS_LIST)
        return std::min(m_nTopIndex * std::max(1, RowsPerListColumn()), std::max(0, GetItemCount() - 1));
    // Icon views: the first item whose cell is within the client area.
    MeasureScope scope(this);
    CRect client = ItemArea();
    for (int i = 0; i < GetItemCount(); ++i)
    {
        CRect rc;
        GetItemRect(i, &rc, LVIR_BOUNDS);
        if (rc.bottom > client.top)
            return i;
    }
    return 0;
}

int CListCtrl::GetCountPerPage() const
{
    DWORD view = ViewType();
    CRect area = ItemArea();
    if (view == LVS_REPORT)
        return std::max(0, area.Height() / std::max(1, GetRowHeight()));
    if (view == LVS_LIST)
    {
        int nCols = std::max(1, area.Width() / std::max(1, ListColumnWidth()));
        return nCols * std::max(1, RowsPerListColumn());
    }
    return GetItemCount();
}

BOOL CListCtrl::GetOrigin(LPPOINT lpPoint) const
{
    if (lpPoint == nullptr)
        return FALSE;
    DWORD view = ViewType();
    if (view == LVS_REPORT || view == LVS_LIST)
        return FALSE;
    lpPoint->x = m_nScrollX;
    lpPoint->y = m_nScrollY;
    return TRUE;
}

BOOL CListCtrl::SetItemState(int nItem, LVITEM* pItem)
{
    if (pItem == nullptr)
        return FALSE;
    return SetItemState(nItem, pItem->state, pItem->stateMask);
}

BOOL CListCtrl::SetItemState(int nItem, UINT nState, UINT nMask)
{
    if (nItem == -1)
    {
        // Every item.
        BOOL bOk = TRUE;
        for (int i = 0; i < GetItemCount(); ++i)
            bOk = ChangeState(i, nState, nMask) && bOk;
        return bOk;
    }
    if (nItem < 0 || nItem >= GetItemCount())
        return FALSE;
    return ChangeState(nItem, nState, nMask);
}

UINT CListCtrl::GetItemState(int nItem, UINT nMask) const
{
    if (nItem < 0 || nItem >= GetItemCount())
        return 0;
    return m_rows[static_cast<size_t>(nItem)].state & nMask;
}

CString CListCtrl::GetItemText(int nItem, int nSubItem) const
{
    return CellText(nItem, nSubItem);
}

int CListCtrl::GetItemText(int nItem, int nSubItem, LPTSTR lpszText, int nLen) const
{
    if (lpszText == nullptr || nLen <= 0)
        return 0;
    CString text = CellText(nItem, nSubItem);
    int n = std::min(text.GetLength(), nLen - 1);
    std::memcpy(lpszText, static_cast<LPCTSTR>(text), static_cast<size_t>(n));
    lpszText[n] = '\0';
    return n;
}

BOOL CListCtrl::SetItemText(int nItem, int nSubItem, LPCTSTR lpszText)
{
    LVITEM item;
    std::memset(&item, 0, sizeof(item));
    item.mask = LVIF_TEXT;
    item.iItem = nItem;
    item.iSubItem = nSubItem;
    item.pszText = const_cast<LPSTR>(lpszText);
    return SetItem(&item);
}

BOOL CListCtrl::SetItemData(int nItem, DWORD_PTR dwData)
{
    if (nItem < 0 || nItem >= GetItemCount())
        return FALSE;
    m_rows[static_cast<size_t>(nItem)].lParam = static_cast<LPARAM>(dwData);
    return TRUE;
}

DWORD_PTR CListCtrl::GetItemData(int nItem) const
{
    if (nItem < 0 || nItem >= GetItemCount())
        return 0;
    return static_cast<DWORD_PTR>(m_rows[static_cast<size_t>(nItem)].lParam);
}

UINT CListCtrl::GetSelectedCount() const
{
    UINT n = 0;
    for (const Row& row : m_rows)
    {
        if (row.state & LVIS_SELECTED)
            ++n;
    }
    return n;
}

CHeaderCtrl* CListCtrl::GetHeaderCtrl()
{
    return Header();
}

DWORD CListCtrl::SetExtendedStyle(DWORD dwNewStyle)
{
    if (m_hWnd != nullptr)
        return static_cast<DWORD>(SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, static_cast<LPARAM>(dwNewStyle)));
    DWORD dwOld = m_dwExStyle;
    m_dwExStyle = dwNewStyle;
    return dwOld;
}

int CListCtrl::SetSelectionMark(int iIndex)
{
    int nOld = m_nSelectionMark;
    m_nSelectionMark = iIndex;
    return nOld;
}

BOOL CListCtrl::GetCheck(int nItem) const
{
    UINT state = GetItemState(nItem, LVIS_STATEIMAGEMASK);
    return (state >> 12) - 1 > 0;
}

BOOL CListCtrl::SetCheck(int nItem, BOOL fCheck)
{
    return SetItemState(nItem, INDEXTOSTATEIMAGEMASK(fCheck ? 2 : 1), LVIS_STATEIMAGEMASK);
}

BOOL CListCtrl::SetIconSpacing(int cx, int cy)
{
    m_sizeIconSpacing = CSize(cx > 0 ? cx : 75, cy > 0 ? cy : 70);
    if (m_hWnd != nullptr)
        Invalidate();
    return TRUE;
}

CSize CListCtrl::GetItemSpacing(BOOL bSmallIcon) const
{
    if (bSmallIcon)
        return CSize(ListColumnWidth(), GetRowHeight());
    return m_sizeIconSpacing;
}

// ---- Items ----------------------------------------------------------------------------

int CListCtrl::InsertItem(const LVITEM* pItem)
{
    if (pItem == nullptr || pItem->iSubItem != 0)
        return -1;
    int nItem = pItem->iItem;
    if (nItem < 0)
        return -1;
    nItem = std::min(nItem, GetItemCount());
    Row row;
    row.cells.resize(1);
    if (pItem->mask & LVIF_TEXT)
    {
        if (pItem->pszText == LPSTR_TEXTCALLBACK)
            row.cells[0].callback = true;
        else if (pItem->pszText != nullptr)
            row.cells[0].text = pItem->pszText;
    }
    if (pItem->mask & LVIF_IMAGE)
        row.image = pItem->iImage;
    if (pItem->mask & LVIF_PARAM)
        row.lParam = pItem->lParam;
    if (pItem->mask & LVIF_INDENT)
        row.indent = pItem->iIndent;
    UINT nInitialState = 0;
    UINT nInitialMask = 0;
    if (pItem->mask & LVIF_STATE)
    {
        nInitialMask = pItem->stateMask;
        nInitialState = pItem->state & pItem->stateMask;
        // Overlay and state images are kept as given; selection and focus go through
        // the usual change so that single selection holds.
        row.state = nInitialState & ~(LVIS_SELECTED | LVIS_FOCUSED);
    }
    // Sorted lists place the item by its text.
    DWORD dwStyle = m_hWnd != nullptr ? GetStyle() : 0;
    if ((dwStyle & (LVS_SORTASCENDING | LVS_SORTDESCENDING)) && !row.cells[0].callback)
    {
        bool bAsc = (dwStyle & LVS_SORTASCENDING) != 0;
        nItem = 0;
        while (nItem < GetItemCount())
        {
            int c = row.cells[0].text.CompareNoCase(m_rows[static_cast<size_t>(nItem)].cells[0].text);
            if (bAsc ? c < 0 : c > 0)
                break;
            ++nItem;
        }
    }
    m_rows.insert(m_rows.begin() + nItem, row);
    AddLabel(m_rows[static_cast<size_t>(nItem)]);
    // A layout follows at once in the views whose cells the widest label sets: this label
    // is measured now, so that the layout finds every label measured. (With redrawing off,
    // the labels are measured together, with one device context, when it is back on.)
    DWORD view = m_hWnd != nullptr && !m_bRedrawOff ? ViewType() : LVS_REPORT;
    if (view == LVS_SMALLICON || view == LVS_LIST)
        LabelWidth(nItem);
    if (m_nSelectionMark >= nItem)
        ++m_nSelectionMark;
    NotifyListView(LVN_INSERTITEM, nItem, 0, 0, 0, 0, CPoint(0, 0), row.lParam);
    if (nInitialMask & (LVIS_SELECTED | LVIS_FOCUSED))
        ChangeState(nItem, nInitialState, nInitialMask & (LVIS_SELECTED | LVIS_FOCUSED));
    if (m_hWnd != nullptr)
    {
        UpdateScrollBars();
        Invalidate();
    }
    return nItem;
}

int CListCtrl::InsertItem(int nItem, LPCTSTR lpszItem)
{
    return InsertItem(LVIF_TEXT, nItem, lpszItem, 0, 0, 0, 0);
}

int CListCtrl::InsertItem(int nItem, LPCTSTR lpszItem, int nImage)
{
    return InsertItem(LVIF_TEXT | LVIF_IMAGE, nItem, lpszItem, 0, 0, nImage, 0);
}

int CListCtrl::InsertItem(UINT nMask, int nItem, LPCTSTR lpszItem, UINT nState, UINT nStateMask, int nImage,
                          LPARAM lParam)
{
    LVITEM item;
    std::memset(&item, 0, sizeof(item));
    item.mask = nMask;
    item.iItem = nItem;
    item.pszText = const_cast<LPSTR>(lpszItem);
    item.state = nState;
    item.stateMask = nStateMask;
    item.iImage = nImage;
    item.lParam = lParam;
    return InsertItem(&item);
}

BOOL CListCtrl::DeleteItem(int nItem)
{
    if (nItem < 0 || nItem >= GetItemCount())
        return FALSE;
    NotifyListView(LVN_DELETEITEM, nItem, 0, 0, 0, 0, CPoint(0, 0), m_rows[static_cast<size_t>(nItem)].lParam);
    // The notification may have changed the list.
    if (nItem >= GetItemCount())
        return FALSE;
    ForgetLabel(m_rows[static_cast<size_t>(nItem)]);
    if (m_rows[static_cast<size_t>(nItem)].position != CPoint(-1, -1))
        --m_nPositioned;
    m_rows.erase(m_rows.begin() + nItem);
    if (m_nSelectionMark == nItem)
        m_nSelectionMark = -1;
    else if (m_nSelectionMark > nItem)
        --m_nSelectionMark;
    if (m_nHotItem == nItem)
        m_nHotItem = -1;
    else if (m_nHotItem > nItem)
        --m_nHotItem;
    if (m_nDownItem == nItem)
        m_nDownItem = -1;
    if (m_nTopIndex > 0 && m_nTopIndex >= GetItemCount())
        m_nTopIndex = std::max(0, GetItemCount() - 1);
    if (m_hWnd != nullptr)
    {
        UpdateScrollBars();
        Invalidate();
    }
    return TRUE;
}

BOOL CListCtrl::DeleteAllItems()
{
    if (m_rows.empty())
        return TRUE;
    // A nonzero answer to LVN_DELETEALLITEMS spares the per-item notifications.
    LRESULT lSkip = NotifyListView(LVN_DELETEALLITEMS, -1, 0, 0, 0, 0);
    if (!lSkip)
    {
        for (int i = 0; i < GetItemCount(); ++i)
            NotifyListView(LVN_DELETEITEM, i, 0, 0, 0, 0, CPoint(0, 0), m_rows[static_cast<size_t>(i)].lParam);
    }
    m_rows.clear();
    ForgetLabelWidths();
    m_nPositioned = 0;
    m_nSelectionMark = -1;
    m_nHotItem = -1;
    m_nDownItem = -1;
    m_nTopIndex = 0;
    m_nScrollY = 0;
    if (m_hWnd != nullptr)
    {
        UpdateScrollBars();
        Invalidate();
    }
    return TRUE;
}

int CListCtrl::FindItem(LVFINDINFO* pFindInfo, int nStart) const
{
    if (pFindInfo == nullptr)
        return -1;
    int nCount = GetItemCount();
    if (nCount == 0)
        return -1;
    int nFirst = nStart + 1;
    bool bWrap = (pFindInfo->flags & LVFI_WRAP) != 0;
    for (int n = 0; n < nCount; ++n)
    {
        int i = nFirst + n;
        if (i >= nCount)
        {
            if (!bWrap)
                break;
            i -= nCount;
        }
        if (pFindInfo->flags & LVFI_PARAM)
        {
            if (m_rows[static_cast<size_t>(i)].lParam == pFindInfo->lParam)
                return i;
            continue;
        }
        if (pFindInfo->flags & (LVFI_STRING | LVFI_PARTIAL))
        {
            if (pFindInfo->psz == nullptr)
                return -1;
            CString text = CellText(i, 0);
            if (pFindInfo->flags & LVFI_PARTIAL)
            {
                size_t len = std::strlen(pFindInfo->psz);
                if (text.GetLength() >= static_cast<int>(len) && text.Left(static_cast<int>(len)).CompareNoCase(pFindInfo->psz) == 0)
                    return i;
            }
            else if (text.CompareNoCase(pFindInfo->psz) == 0)
                return i;
        }
    }
    return -1;
}

BOOL CListCtrl::SortItems(PFNLVCOMPARE pfnCompare, DWORD_PTR dwData)
{
    if (pfnCompare == nullptr)
        return FALSE;
    // The compare function may read the list (item data by index, texts): it sees the
    // list as it was before the sort, and the rows are reordered once at the end.
    std::vector<size_t> order(m_rows.size());
    std::iota(order.begin(), order.end(), 0);
    std::vector<LPARAM> data(m_rows.size());
    for (size_t i = 0; i < m_rows.size(); ++i)
        data[i] = m_rows[i].lParam;
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        return pfnCompare(data[a], data[b], static_cast<LPARAM>(dwData)) < 0;
    });
    std::vector<Row> sorted;
    sorted.reserve(m_rows.size());
    int nNewMark = -1;
    for (size_t i = 0; i < order.size(); ++i)
    {
        sorted.push_back(std::move(m_rows[order[i]]));
        if (static_cast<int>(order[i]) == m_nSelectionMark && nNewMark < 0)
            nNewMark = static_cast<int>(i);
    }
    m_rows.swap(sorted);
    m_nSelectionMark = nNewMark;
    m_nHotItem = -1;
    if (m_hWnd != nullptr)
        Invalidate();
    return TRUE;
}

// ---- Columns ----------------------------------------------------------------------------

int CListCtrl::InsertColumn(int nCol, const LVCOLUMN* pColumn)
{
    if (pColumn == nullptr || nCol < 0)
        return -1;
    nCol = std::min(nCol, GetColumnCount());
    Column col;
    if (pColumn->mask & LVCF_FMT)
        col.fmt = pColumn->fmt;
    if (pColumn->mask & LVCF_WIDTH)
        col.cx = pColumn->cx;
    if ((pColumn->mask & LVCF_TEXT) && pColumn->pszText != nullptr && pColumn->pszText != LPSTR_TEXTCALLBACK)
        col.text = pColumn->pszText;
    col.subItem = (pColumn->mask & LVCF_SUBITEM) ? pColumn->iSubItem : nCol;
    if (pColumn->mask & LVCF_IMAGE)
        col.image = pColumn->iImage;
    if (nCol == 0)
        col.fmt &= ~LVCFMT_JUSTIFYMASK;  // the first column is left-aligned
    m_columns.insert(m_columns.begin() + nCol, col);
    if (Header() != nullptr)
    {
        HDITEM hd;
        std::memset(&hd, 0, sizeof(hd));
        hd.mask = HDI_TEXT | HDI_FORMAT | HDI_WIDTH | HDI_LPARAM;
        hd.pszText = const_cast<LPSTR>(static_cast<LPCTSTR>(m_columns[static_cast<size_t>(nCol)].text));
        hd.fmt = HDF_STRING | (col.fmt & LVCFMT_JUSTIFYMASK);
        hd.cxy = col.cx;
        if (col.fmt & LVCFMT_IMAGE)
        {
            hd.fmt |= HDF_IMAGE;
            hd.mask |= HDI_IMAGE;
            hd.iImage = col.image;
        }
        if (pColumn->mask & LVCF_ORDER)
        {
            hd.mask |= HDI_ORDER;
            hd.iOrder = pColumn->iOrder;
        }
        Header()->InsertItem(nCol, &hd);
    }
    if (m_hWnd != nullptr)
    {
        UpdateScrollBars();
        Invalidate();
    }
    return nCol;
}

int CListCtrl::InsertColumn(int nCol, LPCTSTR lpszColumnHeading, int nFormat, int nWidth, int nSubItem)
{
    LVCOLUMN col;
    std::memset(&col, 0, sizeof(col));
    col.mask = LVCF_TEXT | LVCF_FMT;
    col.pszText = const_cast<LPSTR>(lpszColumnHeading);
    col.fmt = nFormat;
    if (nWidth != -1)
    {
        col.mask |= LVCF_WIDTH;
        col.cx = nWidth;
    }
    if (nSubItem != -1)
    {
        col.mask |= LVCF_SUBITEM;
        col.iSubItem = nSubItem;
    }
    return InsertColumn(nCol, &col);
}

BOOL CListCtrl::DeleteColumn(int nCol)
{
    if (nCol < 0 || nCol >= GetColumnCount())
        return FALSE;
    int nSub = m_columns[static_cast<size_t>(nCol)].subItem;
    m_columns.erase(m_columns.begin() + nCol);
    // The texts of that sub-item go with the column, except the items' own labels.
    if (nSub > 0)
    {
        for (Row& row : m_rows)
        {
            if (static_cast<size_t>(nSub) < row.cells.size())
                row.cells.erase(row.cells.begin() + nSub);
        }
        for (Column& col : m_columns)
        {
            if (col.subItem > nSub)
                --col.subItem;
        }
    }
    if (Header() != nullptr)
        Header()->DeleteItem(nCol);
    if (m_hWnd != nullptr)
    {
        UpdateScrollBars();
        Invalidate();
    }
    return TRUE;
}

// ---- States and notifications -------------------------------------------------------------

LRESULT CListCtrl::NotifyParent(int nCode, NMHDR* pHdr) const
{
    if (m_hWnd == nullptr)
        return 0;
    CWnd* pParent = GetParent();
    if (pParent == nullptr)
        return 0;
    pHdr->hwndFrom = m_hWnd;
    pHdr->idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    pHdr->code = static_cast<UINT>(nCode);
    return pParent->SendMessage(WM_NOTIFY, pHdr->idFrom, reinterpret_cast<LPARAM>(pHdr));
}

LRESULT CListCtrl::NotifyListView(int nCode, int iItem, int iSubItem, UINT uNew, UINT uOld, UINT uChanged,
                                  CPoint pt, LPARAM lParam) const
{
    NMLISTVIEW nm;
    std::memset(&nm, 0, sizeof(nm));
    nm.iItem = iItem;
    nm.iSubItem = iSubItem;
    nm.uNewState = uNew;
    nm.uOldState = uOld;
    nm.uChanged = uChanged;
    nm.ptAction = pt;
    nm.lParam = lParam;
    return NotifyParent(nCode, &nm.hdr);
}

LRESULT CListCtrl::NotifyItemActivate(int nCode, int iItem, int iSubItem, CPoint pt, UINT uKeyFlags) const
{
    NMITEMACTIVATE nm;
    std::memset(&nm, 0, sizeof(nm));
    nm.iItem = iItem;
    nm.iSubItem = iSubItem;
    nm.ptAction = pt;
    nm.uKeyFlags = uKeyFlags;
    if (iItem >= 0 && iItem < GetItemCount())
        nm.lParam = m_rows[static_cast<size_t>(iItem)].lParam;
    return NotifyParent(nCode, &nm.hdr);
}

BOOL CListCtrl::ChangeState(int nItem, UINT nState, UINT nMask)
{
    if (nItem < 0 || nItem >= GetItemCount())
        return FALSE;
    UINT uOld = m_rows[static_cast<size_t>(nItem)].state;
    UINT uNew = (uOld & ~nMask) | (nState & nMask);
    if (uNew == uOld)
        return TRUE;
    // One selection only: the others lose theirs first.
    DWORD dwStyle = m_hWnd != nullptr ? GetStyle() : 0;
    if ((uNew & LVIS_SELECTED) && !(uOld & LVIS_SELECTED) && (dwStyle & LVS_SINGLESEL))
    {
        for (int i = 0; i < GetItemCount(); ++i)
        {
            if (i != nItem && (m_rows[static_cast<size_t>(i)].state & LVIS_SELECTED))
                ChangeState(i, 0, LVIS_SELECTED);
        }
    }
    // One focus only.
    if ((uNew & LVIS_FOCUSED) && !(uOld & LVIS_FOCUSED))
    {
        for (int i = 0; i < GetItemCount(); ++i)
        {
            if (i != nItem && (m_rows[static_cast<size_t>(i)].state & LVIS_FOCUSED))
                ChangeState(i, 0, LVIS_FOCUSED);
        }
    }
    if (nItem >= GetItemCount())
        return FALSE;
    LPARAM lParam = m_rows[static_cast<size_t>(nItem)].lParam;
    if (NotifyListView(LVN_ITEMCHANGING, nItem, 0, uNew, uOld, LVIF_STATE, CPoint(0, 0), lParam))
        return FALSE;  // vetoed
    if (nItem >= GetItemCount())
        return FALSE;
    m_rows[static_cast<size_t>(nItem)].state = uNew;
    if ((uNew & LVIS_SELECTED) && !(uOld & LVIS_SELECTED))
        m_nSelectionMark = nItem;
    NotifyListView(LVN_ITEMCHANGED, nItem, 0, uNew, uOld, LVIF_STATE, CPoint(0, 0), lParam);
    if (m_hWnd != nullptr && nItem < GetItemCount())
        InvalidateItem(nItem);
    return TRUE;
}

// Selects and (optionally) focuses nItem alone: the other items lose selection and focus
// first, then nItem gets both in one change.
void CListCtrl::SelectOnly(int nItem, bool bFocus)
{
    for (int i = 0; i < GetItemCount(); ++i)
    {
        if (i == nItem)
            continue;
        UINT clear = LVIS_SELECTED | (bFocus ? LVIS_FOCUSED : 0);
        if (m_rows[static_cast<size_t>(i)].state & clear)
            ChangeState(i, 0, clear);
    }
    if (nItem >= 0 && nItem < GetItemCount())
    {
        UINT want = LVIS_SELECTED | (bFocus ? LVIS_FOCUSED : 0);
        ChangeState(nItem, want, want);
    }
}

void CListCtrl::InvalidateItem(int nItem)
{
    CRect rc;
    if (GetItemRect(nItem, &rc, LVIR_BOUNDS))
    {
        if (ViewType() == LVS_REPORT)
        {
            CRect client;
            GetClientRect(&client);
            rc.left = client.left;
            rc.right = client.right;
        }
        InvalidateRect(&rc, FALSE);
    }
}

BOOL CListCtrl::RedrawItems(int nFirst, int nLast)
{
    for (int i = std::max(0, nFirst); i <= nLast && i < GetItemCount(); ++i)
        InvalidateItem(i);
    return TRUE;
}

BOOL CListCtrl::Update(int nItem)
{
    if (nItem < 0 || nItem >= GetItemCount())
        return FALSE;
    InvalidateItem(nItem);
    return TRUE;
}

BOOL CListCtrl::Arrange(UINT)
{
    for (Row& row : m_rows)
        row.position = CPoint(-1, -1);
    m_nPositioned = 0;
    if (m_hWnd != nullptr)
    {
        UpdateScrollBars();
        Invalidate();
    }
    return TRUE;
}

CEdit* CListCtrl::EditLabel(int nItem)
{
    if (nItem < 0 || nItem >= GetItemCount())
        return nullptr;
    NMLVDISPINFO info;
    std::memset(&info, 0, sizeof(info));
    info.item.mask = LVIF_TEXT | LVIF_PARAM | LVIF_STATE;
    info.item.iItem = nItem;
    info.item.lParam = m_rows[static_cast<size_t>(nItem)].lParam;
    CString text = CellText(nItem, 0);
    info.item.pszText = const_cast<LPSTR>(static_cast<LPCTSTR>(text));
    if (NotifyParent(LVN_BEGINLABELEDIT, &info.hdr))
        return nullptr;  // refused
    return pc_frame::BeginLabelEdit(this, nItem);
}
