// CHeaderCtrl: column headings, drawn by ClassLib; divider dragging with a veto.
#include "../framework/Framework.h"

#include "../framework/FrameworkStrings.h"

#include <algorithm>
#include <cstring>
#include <numeric>

IMPLEMENT_DYNAMIC(CHeaderCtrl, CWnd)

namespace {
// Set when the parent reflected WM_DRAWITEM back to the header's DrawItem (a parent's
// default answer is 0 even then), so an item is not drawn twice.
bool g_bDrawnByReflection = false;
}  // namespace

BEGIN_MESSAGE_MAP(CHeaderCtrl, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_LBUTTONUP()
    ON_WM_RBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_SETCURSOR()
    ON_WM_CAPTURECHANGED()
END_MESSAGE_MAP()

CHeaderCtrl::CHeaderCtrl()
    : m_pImageList(nullptr), m_nTrack(-1), m_nTrackStart(0), m_nTrackWidth(0), m_nPressed(-1), m_bPressedIn(false)
{
}

CHeaderCtrl::~CHeaderCtrl()
{
    pc_frame::ForgetTakenOver(this);
    if (m_hWnd != nullptr)
        DestroyWindow();
}

BOOL CHeaderCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    pc_frame::EnsureControlClasses();
    return CWnd::Create(WC_HEADER, nullptr, dwStyle, rect, pParentWnd, nID);
}

int CHeaderCtrl::GetItemCount() const
{
    if (m_hWnd != nullptr)
        return static_cast<int>(::SendMessage(m_hWnd, HDM_GETITEMCOUNT, 0, 0));
    return static_cast<int>(m_items.size());
}

// The item operations go through the window's messages, so a derived header sees them.
BOOL CHeaderCtrl::GetItem(int nPos, HDITEM* pHeaderItem) const
{
    if (m_hWnd != nullptr)
        return static_cast<BOOL>(::SendMessage(m_hWnd, HDM_GETITEM, static_cast<WPARAM>(nPos), reinterpret_cast<LPARAM>(pHeaderItem)));
    return GetItemImpl(nPos, pHeaderItem);
}

BOOL CHeaderCtrl::SetItem(int nPos, HDITEM* pHeaderItem)
{
    if (m_hWnd != nullptr)
        return static_cast<BOOL>(::SendMessage(m_hWnd, HDM_SETITEM, static_cast<WPARAM>(nPos), reinterpret_cast<LPARAM>(pHeaderItem)));
    return SetItemImpl(nPos, pHeaderItem);
}

int CHeaderCtrl::InsertItem(int nPos, HDITEM* phdi)
{
    if (m_hWnd != nullptr)
        return static_cast<int>(::SendMessage(m_hWnd, HDM_INSERTITEM, static_cast<WPARAM>(nPos), reinterpret_cast<LPARAM>(phdi)));
    return InsertItemImpl(nPos, phdi);
}

BOOL CHeaderCtrl::DeleteItem(int nPos)
{
    if (m_hWnd != nullptr)
        return static_cast<BOOL>(::SendMessage(m_hWnd, HDM_DELETEITEM, static_cast<WPARAM>(nPos), 0));
    return DeleteItemImpl(nPos);
}

LRESULT CHeaderCtrl::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const int nPos = static_cast<int>(wParam);
    if (message == WM_SETFONT)
        m_nHeightCache = 0;  // measured again with the new font
    switch (message)
    {
    case HDM_GETITEMCOUNT:
        return static_cast<LRESULT>(m_items.size());
    case HDM_GETITEM:
        return GetItemImpl(nPos, reinterpret_cast<HDITEM*>(lParam));
    case HDM_SETITEM:
        return SetItemImpl(nPos, reinterpret_cast<HDITEM*>(lParam));
    case HDM_INSERTITEM:
        return InsertItemImpl(nPos, reinterpret_cast<HDITEM*>(lParam));
    case HDM_DELETEITEM:
        return DeleteItemImpl(nPos);
    default:
        return CWnd::DefWindowProc(message, wParam, lParam);
    }
}

std::vector<int> CHeaderCtrl::VisualOrder() const
{
    std::vector<int> order(m_items.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [this](int a, int b) { return m_items[static_cast<size_t>(a)].iOrder < m_items[static_cast<size_t>(b)].iOrder; });
    return order;
}

BOOL CHeaderCtrl::GetItemImpl(int nPos, HDITEM* pHeaderItem) const
{
    if (pHeaderItem == nullptr || nPos < 0 || nPos >= GetItemCount())
        return FALSE;
    const Item& item = m_items[static_cast<size_t>(nPos)];
    UINT mask = pHeaderItem->mask;
    if (mask & HDI_WIDTH)
        pHeaderItem->cxy = item.cxy;
    if (mask & HDI_TEXT)
    {
        if (item.textCallback)
            pHeaderItem->pszText = LPSTR_TEXTCALLBACK;
        else if (pHeaderItem->pszText != nullptr && pHeaderItem->cchTextMax > 0)
        {
            int n = std::min(item.text.GetLength(), pHeaderItem->cchTextMax - 1);
            std::memcpy(pHeaderItem->pszText, static_cast<LPCTSTR>(item.text), static_cast<size_t>(n));
            pHeaderItem->pszText[n] = '\0';
        }
    }
    if (mask & HDI_FORMAT)
        pHeaderItem->fmt = item.fmt;
    if (mask & HDI_LPARAM)
        pHeaderItem->lParam = item.lParam;
    if (mask & HDI_BITMAP)
        pHeaderItem->hbm = item.hbm;
    if (mask & HDI_IMAGE)
        pHeaderItem->iImage = item.iImage;
    if (mask & HDI_ORDER)
        pHeaderItem->iOrder = item.iOrder;
    return TRUE;
}

BOOL CHeaderCtrl::SetItemImpl(int nPos, HDITEM* pHeaderItem)
{
    if (pHeaderItem == nullptr || nPos < 0 || nPos >= GetItemCount())
        return FALSE;
    if (Notify(HDN_ITEMCHANGING, nPos, pHeaderItem))
        return FALSE;
    Item& item = m_items[static_cast<size_t>(nPos)];
    UINT mask = pHeaderItem->mask;
    if (mask & HDI_WIDTH)
        item.cxy = std::max(0, pHeaderItem->cxy);
    if (mask & HDI_TEXT)
    {
        item.textCallback = pHeaderItem->pszText == LPSTR_TEXTCALLBACK;
        item.text = !item.textCallback && pHeaderItem->pszText != nullptr ? pHeaderItem->pszText : "";
    }
    if (mask & HDI_FORMAT)
        item.fmt = pHeaderItem->fmt;
    if (mask & HDI_LPARAM)
        item.lParam = pHeaderItem->lParam;
    if (mask & HDI_BITMAP)
        item.hbm = pHeaderItem->hbm;
    if (mask & HDI_IMAGE)
        item.iImage = pHeaderItem->iImage;
    if ((mask & HDI_ORDER) && pHeaderItem->iOrder >= 0 && pHeaderItem->iOrder < GetItemCount())
    {
        // Moves the item to that place in the display order.
        std::vector<int> order = VisualOrder();
        order.erase(std::find(order.begin(), order.end(), nPos));
        order.insert(order.begin() + pHeaderItem->iOrder, nPos);
        for (size_t i = 0; i < order.size(); ++i)
            m_items[static_cast<size_t>(order[i])].iOrder = static_cast<int>(i);
    }
    item.mask |= mask;
    Notify(HDN_ITEMCHANGED, nPos, pHeaderItem);
    if (m_hWnd != nullptr)
        Invalidate();
    return TRUE;
}

int CHeaderCtrl::InsertItemImpl(int nPos, HDITEM* phdi)
{
    if (phdi == nullptr || nPos < 0)
        return -1;
    nPos = std::min(nPos, GetItemCount());
    Item item;
    item.mask = phdi->mask;
    if (phdi->mask & HDI_WIDTH)
        item.cxy = std::max(0, phdi->cxy);
    if (phdi->mask & HDI_TEXT)
    {
        item.textCallback = phdi->pszText == LPSTR_TEXTCALLBACK;
        item.text = !item.textCallback && phdi->pszText != nullptr ? phdi->pszText : "";
    }
    if (phdi->mask & HDI_FORMAT)
        item.fmt = phdi->fmt;
    if (phdi->mask & HDI_LPARAM)
        item.lParam = phdi->lParam;
    if (phdi->mask & HDI_BITMAP)
        item.hbm = phdi->hbm;
    if (phdi->mask & HDI_IMAGE)
        item.iImage = phdi->iImage;
    // The new item takes its place in the display order; later ones move on.
    int nOrder = (phdi->mask & HDI_ORDER) && phdi->iOrder >= 0 && phdi->iOrder <= GetItemCount() ? phdi->iOrder : -1;
    if (nOrder < 0)
    {
        // Display order follows the index: after the item before it.
        nOrder = nPos == 0 ? 0 : m_items[static_cast<size_t>(nPos - 1)].iOrder + 1;
        if (nPos < GetItemCount() && nPos > 0)
            nOrder = m_items[static_cast<size_t>(nPos - 1)].iOrder + 1;
        if (nPos >= GetItemCount())
            nOrder = GetItemCount();
    }
    for (Item& other : m_items)
    {
        if (other.iOrder >= nOrder)
            ++other.iOrder;
    }
    item.iOrder = nOrder;
    m_items.insert(m_items.begin() + nPos, item);
    if (m_hWnd != nullptr)
        Invalidate();
    return nPos;
}

BOOL CHeaderCtrl::DeleteItemImpl(int nPos)
{
    if (nPos < 0 || nPos >= GetItemCount())
        return FALSE;
    int nOrder = m_items[static_cast<size_t>(nPos)].iOrder;
    m_items.erase(m_items.begin() + nPos);
    for (Item& other : m_items)
    {
        if (other.iOrder > nOrder)
            --other.iOrder;
    }
    if (m_nTrack == nPos)
        m_nTrack = -1;
    if (m_nPressed == nPos)
        m_nPressed = -1;
    if (m_hWnd != nullptr)
        Invalidate();
    return TRUE;
}

BOOL CHeaderCtrl::GetItemRect(int nIndex, LPRECT lpRect) const
{
    if (lpRect == nullptr || nIndex < 0 || nIndex >= GetItemCount())
        return FALSE;
    CRect client(0, 0, 0, 0);
    if (m_hWnd != nullptr)
        GetClientRect(&client);
    int x = 0;
    for (int idx : VisualOrder())
    {
        int cx = m_items[static_cast<size_t>(idx)].cxy;
        if (idx == nIndex)
        {
            *lpRect = CRect(x, 0, x + cx, client.Height());
            return TRUE;
        }
        x += cx;
    }
    return FALSE;
}

CImageList* CHeaderCtrl::SetImageList(CImageList* pImageList)
{
    CImageList* pOld = m_pImageList;
    m_pImageList = pImageList;
    if (m_hWnd != nullptr)
        Invalidate();
    return pOld;
}

BOOL CHeaderCtrl::GetOrderArray(LPINT piArray, int iCount)
{
    if (piArray == nullptr)
        return FALSE;
    if (iCount < 0)
        iCount = GetItemCount();
    if (iCount != GetItemCount())
        return FALSE;
    std::vector<int> order = VisualOrder();
    for (int i = 0; i < iCount; ++i)
        piArray[i] = order[static_cast<size_t>(i)];
    return TRUE;
}

BOOL CHeaderCtrl::SetOrderArray(int iCount, LPINT piArray)
{
    if (piArray == nullptr || iCount != GetItemCount())
        return FALSE;
    // Every index exactly once.
    std::vector<bool> seen(static_cast<size_t>(iCount), false);
    for (int i = 0; i < iCount; ++i)
    {
        if (piArray[i] < 0 || piArray[i] >= iCount || seen[static_cast<size_t>(piArray[i])])
            return FALSE;
        seen[static_cast<size_t>(piArray[i])] = true;
    }
    for (int i = 0; i < iCount; ++i)
        m_items[static_cast<size_t>(piArray[i])].iOrder = i;
    if (m_hWnd != nullptr)
        Invalidate();
    return TRUE;
}

int CHeaderCtrl::OrderToIndex(int nOrder) const
{
    std::vector<int> order = VisualOrder();
    if (nOrder < 0 || nOrder >= static_cast<int>(order.size()))
        return -1;
    return order[static_cast<size_t>(nOrder)];
}

int CHeaderCtrl::HitTest(LPHDHITTESTINFO pInfo)
{
    if (pInfo == nullptr)
        return -1;
    CRect client;
    GetClientRect(&client);
    CPoint pt(pInfo->pt);
    pInfo->iItem = -1;
    pInfo->flags = 0;
    if (pt.y < client.top)
        pInfo->flags |= HHT_ABOVE;
    if (pt.y >= client.bottom)
        pInfo->flags |= HHT_BELOW;
    if (pt.x < client.left)
        pInfo->flags |= HHT_TOLEFT;
    if (pInfo->flags != 0)
        return -1;
    int x = 0;
    std::vector<int> order = VisualOrder();
    // A divider: within the grip of an item's right edge (a zero-width item's divider
    // is "open").
    for (size_t k = 0; k < order.size(); ++k)
    {
        int idx = order[k];
        int right = x + m_items[static_cast<size_t>(idx)].cxy;
        if (pt.x >= right - kDividerGrip && pt.x < right + kDividerGrip)
        {
            // The last of several items sharing an edge (zero widths) is the one dragged.
            int nHit = idx;
            size_t j = k + 1;
            while (j < order.size() && m_items[static_cast<size_t>(order[j])].cxy == 0 && pt.x >= right)
            {
                nHit = order[j];
                ++j;
            }
            pInfo->iItem = nHit;
            pInfo->flags = m_items[static_cast<size_t>(nHit)].cxy == 0 && nHit != idx ? HHT_ONDIVOPEN : HHT_ONDIVIDER;
            return nHit;
        }
        x = right;
    }
    x = 0;
    for (int idx : order)
    {
        int right = x + m_items[static_cast<size_t>(idx)].cxy;
        if (pt.x >= x && pt.x < right)
        {
            pInfo->iItem = idx;
            pInfo->flags = HHT_ONHEADER;
            return idx;
        }
        x = right;
    }
    pInfo->flags = pt.x >= x ? HHT_NOWHERE : HHT_NOWHERE;
    if (pt.x >= client.right)
        pInfo->flags |= HHT_TORIGHT;
    return -1;
}

int CHeaderCtrl::GetHeight() const
{
    int cy = 18;
    if (m_hWnd != nullptr && m_hWnd == m_hWndHeightCache && m_nHeightCache > 0)
        return m_nHeightCache;
    if (m_hWnd != nullptr)
    {
        CClientDC dc(const_cast<CHeaderCtrl*>(this));
        CFont* pOld = dc.SelectObject(const_cast<CHeaderCtrl*>(this)->GetFont());
        TEXTMETRIC tm;
        std::memset(&tm, 0, sizeof(tm));
        dc.GetTextMetrics(&tm);
        dc.SelectObject(pOld);
        cy = std::max<int>(cy, tm.tmHeight + 6);
        m_nHeightCache = cy;
        m_hWndHeightCache = m_hWnd;
    }
    return cy;
}

BOOL CHeaderCtrl::Layout(HDLAYOUT* pHeaderLayout)
{
    if (pHeaderLayout == nullptr || pHeaderLayout->prc == nullptr)
        return FALSE;
    RECT* prc = pHeaderLayout->prc;
    int cy = (GetStyle() & HDS_HIDDEN) ? 0 : GetHeight();
    if (pHeaderLayout->pwpos != nullptr)
    {
        pHeaderLayout->pwpos->hwnd = m_hWnd;
        pHeaderLayout->pwpos->x = prc->left;
        pHeaderLayout->pwpos->y = prc->top;
        pHeaderLayout->pwpos->cx = prc->right - prc->left;
        pHeaderLayout->pwpos->cy = cy;
        pHeaderLayout->pwpos->flags = SWP_NOZORDER | SWP_NOACTIVATE;
    }
    prc->top += cy;
    return TRUE;
}

LRESULT CHeaderCtrl::Notify(int nCode, int iItem, HDITEM* pItem, int iButton)
{
    if (m_hWnd == nullptr)
        return 0;
    CWnd* pParent = GetParent();
    if (pParent == nullptr)
        return 0;
    NMHEADER nm;
    std::memset(&nm, 0, sizeof(nm));
    nm.hdr.hwndFrom = m_hWnd;
    nm.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    nm.hdr.code = static_cast<UINT>(nCode);
    nm.iItem = iItem;
    nm.iButton = iButton;
    nm.pitem = pItem;
    return pParent->SendMessage(WM_NOTIFY, nm.hdr.idFrom, reinterpret_cast<LPARAM>(&nm));
}

// ---- Drawing ------------------------------------------------------------------------------

BOOL CHeaderCtrl::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CHeaderCtrl::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    CFont* pOld = dc.SelectObject(GetFont());
    dc.FillSolidRect(&client, ::GetSysColor(COLOR_BTNFACE));
    int x = 0;
    for (int idx : VisualOrder())
    {
        CRect rc(x, 0, x + m_items[static_cast<size_t>(idx)].cxy, client.Height());
        x = rc.right;
        if (rc.Width() <= 0)
            continue;
        bool bPressed = idx == m_nPressed && m_bPressedIn;
        if (m_items[static_cast<size_t>(idx)].fmt & HDF_OWNERDRAW)
        {
            DRAWITEMSTRUCT dis;
            std::memset(&dis, 0, sizeof(dis));
            dis.CtlType = ODT_HEADER;
            dis.CtlID = static_cast<UINT>(GetDlgCtrlID());
            dis.itemID = static_cast<UINT>(idx);
            dis.itemAction = ODA_DRAWENTIRE;
            dis.itemState = bPressed ? ODS_SELECTED : 0;
            dis.hwndItem = m_hWnd;
            dis.hDC = dc.GetSafeHdc();
            dis.rcItem = rc;
            dis.itemData = static_cast<ULONG_PTR>(m_items[static_cast<size_t>(idx)].lParam);
            int nSave = dc.SaveDC();
            // The parent reflects it to DrawItem of the header's own class.
            CWnd* pParent = GetParent();
            g_bDrawnByReflection = false;
            LRESULT lDone = pParent != nullptr ? pParent->SendMessage(WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis)) : 0;
            if (!lDone && !g_bDrawnByReflection)
                DrawItem(&dis);
            dc.RestoreDC(nSave);
        }
        else
            DrawHeaderItem(&dc, idx, rc, bPressed);
    }
    // The part right of the last item.
    // Right of the last item: the face with a bottom line.
    if (x < client.right)
        dc.FillSolidRect(x, client.bottom - 1, client.right - x, 1, ::GetSysColor(COLOR_BTNSHADOW));
    dc.SelectObject(pOld);
}

void CHeaderCtrl::DrawHeaderItem(CDC* pDC, int nIndex, const CRect& rc, bool bPressed)
{
    const Item& item = m_items[static_cast<size_t>(nIndex)];
    pDC->FillSolidRect(&rc, ::GetSysColor(COLOR_BTNFACE));
    if (bPressed)
        pDC->DrawEdge(const_cast<CRect&>(rc), EDGE_SUNKEN, BF_RECT | BF_FLAT);
    else
        pDC->DrawEdge(const_cast<CRect&>(rc), EDGE_RAISED, BF_RECT | BF_SOFT);
    CRect rcText = rc;
    rcText.DeflateRect(kTextMargin, 1, kTextMargin, 1);
    if (bPressed)
        rcText.OffsetRect(1, 1);
    if ((item.fmt & HDF_IMAGE) && m_pImageList != nullptr && item.iImage >= 0)
    {
        int cx = 0, cy = 0;
        ::ImageList_GetIconSize(m_pImageList->GetSafeHandle(), &cx, &cy);
        CPoint pt(rcText.left, rc.top + (rc.Height() - cy) / 2);
        if (item.fmt & HDF_BITMAP_ON_RIGHT)
        {
            pt.x = rcText.right - cx;
            rcText.right -= cx + 2;
        }
        else
            rcText.left += cx + 2;
        if (rc.Width() > cx + kTextMargin)
            m_pImageList->Draw(pDC, item.iImage, pt, ILD_TRANSPARENT);
    }
    CString text = item.text;
    UINT nFormat = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;
    switch (item.fmt & HDF_JUSTIFYMASK)
    {
    case HDF_RIGHT:
        nFormat |= DT_RIGHT;
        break;
    case HDF_CENTER:
        nFormat |= DT_CENTER;
        break;
    default:
        break;
    }
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(::GetSysColor(COLOR_BTNTEXT));
    pDC->DrawText(text, &rcText, nFormat);
}

void CHeaderCtrl::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (lpDrawItemStruct == nullptr)
        return;
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    DrawHeaderItem(pDC, static_cast<int>(lpDrawItemStruct->itemID), CRect(lpDrawItemStruct->rcItem),
                   (lpDrawItemStruct->itemState & ODS_SELECTED) != 0);
}

BOOL CHeaderCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_DRAWITEM)
    {
        g_bDrawnByReflection = true;
        DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        if (pResult != nullptr)
            *pResult = TRUE;
        return TRUE;
    }
    return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}

// ---- Mouse --------------------------------------------------------------------------------

void CHeaderCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    HDHITTESTINFO ht;
    std::memset(&ht, 0, sizeof(ht));
    ht.pt = point;
    int nHit = HitTest(&ht);
    if (nHit >= 0 && (ht.flags & (HHT_ONDIVIDER | HHT_ONDIVOPEN)))
    {
        HDITEM item;
        std::memset(&item, 0, sizeof(item));
        item.mask = HDI_WIDTH;
        item.cxy = m_items[static_cast<size_t>(nHit)].cxy;
        // A nonzero answer keeps the width as it is.
        if (Notify(HDN_BEGINTRACK, nHit, &item))
            return;
        m_nTrack = nHit;
        m_nTrackStart = point.x;
        m_nTrackWidth = m_items[static_cast<size_t>(nHit)].cxy;
        SetCapture();
        return;
    }
    if (nHit >= 0 && (GetStyle() & HDS_BUTTONS))
    {
        m_nPressed = nHit;
        m_bPressedIn = true;
        SetCapture();
        Invalidate();
        return;
    }
    CWnd::OnLButtonDown(nFlags, point);
}

void CHeaderCtrl::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_nTrack >= 0 && GetCapture() == this)
    {
        int cx = std::max(0, m_nTrackWidth + point.x - m_nTrackStart);
        HDITEM item;
        std::memset(&item, 0, sizeof(item));
        item.mask = HDI_WIDTH;
        item.cxy = cx;
        // A nonzero answer to HDN_TRACK ends the drag where it is.
        if (Notify(HDN_TRACK, m_nTrack, &item))
        {
            int nTrack = m_nTrack;
            m_nTrack = -1;
            ReleaseCapture();
            item.cxy = m_items[static_cast<size_t>(nTrack)].cxy;
            Notify(HDN_ENDTRACK, nTrack, &item);
            return;
        }
        if (GetStyle() & HDS_FULLDRAG)
        {
            HDITEM set;
            std::memset(&set, 0, sizeof(set));
            set.mask = HDI_WIDTH;
            set.cxy = cx;
            SetItem(m_nTrack, &set);
        }
        else
        {
            m_items[static_cast<size_t>(m_nTrack)].cxy = cx;
            Invalidate();
        }
        return;
    }
    if (m_nPressed >= 0 && GetCapture() == this)
    {
        CRect rc;
        GetItemRect(m_nPressed, &rc);
        bool bIn = rc.PtInRect(point) != FALSE;
        if (bIn != m_bPressedIn)
        {
            m_bPressedIn = bIn;
            Invalidate();
        }
        return;
    }
    CWnd::OnMouseMove(nFlags, point);
}

void CHeaderCtrl::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_nTrack >= 0)
    {
        int nTrack = m_nTrack;
        m_nTrack = -1;
        if (GetCapture() == this)
            ReleaseCapture();
        int cx = std::max(0, m_nTrackWidth + point.x - m_nTrackStart);
        HDITEM item;
        std::memset(&item, 0, sizeof(item));
        item.mask = HDI_WIDTH;
        item.cxy = cx;
        m_items[static_cast<size_t>(nTrack)].cxy = m_nTrackWidth;  // the change goes through SetItem
        Notify(HDN_ENDTRACK, nTrack, &item);
        HDITEM set;
        std::memset(&set, 0, sizeof(set));
        set.mask = HDI_WIDTH;
        set.cxy = item.cxy;
        SetItem(nTrack, &set);
        return;
    }
    if (m_nPressed >= 0)
    {
        int nPressed = m_nPressed;
        bool bIn = m_bPressedIn;
        m_nPressed = -1;
        m_bPressedIn = false;
        if (GetCapture() == this)
            ReleaseCapture();
        Invalidate();
        if (bIn)
            Notify(HDN_ITEMCLICK, nPressed, nullptr, 0);
        return;
    }
    CWnd::OnLButtonUp(nFlags, point);
}

void CHeaderCtrl::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    HDHITTESTINFO ht;
    std::memset(&ht, 0, sizeof(ht));
    ht.pt = point;
    int nHit = HitTest(&ht);
    if (nHit >= 0 && (ht.flags & (HHT_ONDIVIDER | HHT_ONDIVOPEN)))
    {
        Notify(HDN_DIVIDERDBLCLICK, nHit, nullptr);
        return;
    }
    if (nHit >= 0)
    {
        Notify(HDN_ITEMDBLCLICK, nHit, nullptr);
        // The second click of a double click is a click too.
        OnLButtonDown(nFlags, point);
        return;
    }
    CWnd::OnLButtonDblClk(nFlags, point);
}

void CHeaderCtrl::OnRButtonUp(UINT nFlags, CPoint point)
{
    if (CWnd* pParent = GetParent())
    {
        NMHDR hdr;
        std::memset(&hdr, 0, sizeof(hdr));
        hdr.hwndFrom = m_hWnd;
        hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
        hdr.code = NM_RCLICK;
        pParent->SendMessage(WM_NOTIFY, hdr.idFrom, reinterpret_cast<LPARAM>(&hdr));
    }
    CWnd::OnRButtonUp(nFlags, point);
}

BOOL CHeaderCtrl::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    CPoint pt;
    ::GetCursorPos(&pt);
    ScreenToClient(&pt);
    HDHITTESTINFO ht;
    std::memset(&ht, 0, sizeof(ht));
    ht.pt = pt;
    if (m_nTrack >= 0 || (HitTest(&ht) >= 0 && (ht.flags & (HHT_ONDIVIDER | HHT_ONDIVOPEN))))
    {
        ::SetCursor(::LoadCursor(nullptr, IDC_SIZEWE));
        return TRUE;
    }
    return CWnd::OnSetCursor(pWnd, nHitTest, message);
}

void CHeaderCtrl::OnCaptureChanged(CWnd* pWnd)
{
    if (pWnd != this)
    {
        if (m_nTrack >= 0)
        {
            // The drag ended elsewhere: the width stays where it was.
            int nTrack = m_nTrack;
            m_nTrack = -1;
            HDITEM item;
            std::memset(&item, 0, sizeof(item));
            item.mask = HDI_WIDTH;
            item.cxy = m_nTrackWidth;
            m_items[static_cast<size_t>(nTrack)].cxy = m_nTrackWidth;
            Notify(HDN_ENDTRACK, nTrack, &item);
            Invalidate();
        }
        if (m_nPressed >= 0)
        {
            m_nPressed = -1;
            m_bPressedIn = false;
            Invalidate();
        }
    }
    CWnd::OnCaptureChanged(pWnd);
}
