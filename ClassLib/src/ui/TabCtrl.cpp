// CTabCtrl: tabs in one row, drawn by ClassLib.
#include "../framework/Framework.h"

#include "../framework/FrameworkStrings.h"

#include <algorithm>
#include <cstring>

IMPLEMENT_DYNAMIC(CTabCtrl, CWnd)

BEGIN_MESSAGE_MAP(CTabCtrl, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONDOWN()
    ON_WM_KEYDOWN()
    ON_WM_GETDLGCODE()
END_MESSAGE_MAP()

CTabCtrl::CTabCtrl() : m_nCurSel(-1), m_pImageList(nullptr), m_sizeItem(0, 0), m_sizePadding(kTabPadding, 3)
{
}

CTabCtrl::~CTabCtrl()
{
    pc_frame::ForgetTakenOver(this);
    if (m_hWnd != nullptr)
        DestroyWindow();
}

BOOL CTabCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    pc_frame::EnsureControlClasses();
    return CWnd::Create(WC_TABCONTROL, nullptr, dwStyle, rect, pParentWnd, nID);
}

CImageList* CTabCtrl::SetImageList(CImageList* pImageList)
{
    CImageList* pOld = m_pImageList;
    m_pImageList = pImageList;
    if (m_hWnd != nullptr)
        Invalidate();
    return pOld;
}

BOOL CTabCtrl::GetItem(int nItem, TCITEM* pItem) const
{
    if (pItem == nullptr || nItem < 0 || nItem >= GetItemCount())
        return FALSE;
    const Item& it = m_items[static_cast<size_t>(nItem)];
    if ((pItem->mask & TCIF_TEXT) && pItem->pszText != nullptr && pItem->cchTextMax > 0)
    {
        int n = std::min(it.text.GetLength(), pItem->cchTextMax - 1);
        std::memcpy(pItem->pszText, static_cast<LPCTSTR>(it.text), static_cast<size_t>(n));
        pItem->pszText[n] = '\0';
    }
    if (pItem->mask & TCIF_IMAGE)
        pItem->iImage = it.image;
    if (pItem->mask & TCIF_PARAM)
        pItem->lParam = it.lParam;
    if (pItem->mask & TCIF_STATE)
        pItem->dwState = it.state & pItem->dwStateMask;
    return TRUE;
}

BOOL CTabCtrl::SetItem(int nItem, TCITEM* pItem)
{
    if (pItem == nullptr || nItem < 0 || nItem >= GetItemCount())
        return FALSE;
    Item& it = m_items[static_cast<size_t>(nItem)];
    if (pItem->mask & TCIF_TEXT)
        it.text = pItem->pszText != nullptr ? pItem->pszText : "";
    if (pItem->mask & TCIF_IMAGE)
        it.image = pItem->iImage;
    if (pItem->mask & TCIF_PARAM)
        it.lParam = pItem->lParam;
    if (pItem->mask & TCIF_STATE)
        it.state = (it.state & ~pItem->dwStateMask) | (pItem->dwState & pItem->dwStateMask);
    if (m_hWnd != nullptr)
        Invalidate();
    return TRUE;
}

LONG CTabCtrl::InsertItem(int nItem, TCITEM* pItem)
{
    if (pItem == nullptr || nItem < 0)
        return -1;
    nItem = std::min(nItem, GetItemCount());
    Item it;
    if ((pItem->mask & TCIF_TEXT) && pItem->pszText != nullptr)
        it.text = pItem->pszText;
    if (pItem->mask & TCIF_IMAGE)
        it.image = pItem->iImage;
    if (pItem->mask & TCIF_PARAM)
        it.lParam = pItem->lParam;
    m_items.insert(m_items.begin() + nItem, it);
    // The selection stays on its tab; the first tab is selected once there is one.
    if (m_nCurSel >= nItem)
        ++m_nCurSel;
    if (m_nCurSel < 0)
        m_nCurSel = 0;
    if (m_hWnd != nullptr)
        Invalidate();
    return nItem;
}

LONG CTabCtrl::InsertItem(int nItem, LPCTSTR lpszItem)
{
    TCITEM item;
    std::memset(&item, 0, sizeof(item));
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<LPSTR>(lpszItem);
    return InsertItem(nItem, &item);
}

LONG CTabCtrl::InsertItem(int nItem, LPCTSTR lpszItem, int nImage)
{
    TCITEM item;
    std::memset(&item, 0, sizeof(item));
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    item.pszText = const_cast<LPSTR>(lpszItem);
    item.iImage = nImage;
    return InsertItem(nItem, &item);
}

BOOL CTabCtrl::DeleteItem(int nItem)
{
    if (nItem < 0 || nItem >= GetItemCount())
        return FALSE;
    m_items.erase(m_items.begin() + nItem);
    if (m_nCurSel == nItem)
        m_nCurSel = m_items.empty() ? -1 : std::min(nItem, GetItemCount() - 1);
    else if (m_nCurSel > nItem)
        --m_nCurSel;
    if (m_hWnd != nullptr)
        Invalidate();
    return TRUE;
}

BOOL CTabCtrl::DeleteAllItems()
{
    m_items.clear();
    m_nCurSel = -1;
    if (m_hWnd != nullptr)
        Invalidate();
    return TRUE;
}

int CTabCtrl::SetCurSel(int nItem)
{
    if (nItem < 0 || nItem >= GetItemCount())
        return -1;
    int nOld = m_nCurSel;
    m_nCurSel = nItem;
    if (m_hWnd != nullptr)
        Invalidate();
    return nOld;
}

CSize CTabCtrl::SetItemSize(CSize size)
{
    CSize old = m_sizeItem;
    m_sizeItem = size;
    if (m_hWnd != nullptr)
        Invalidate();
    return old;
}

int CTabCtrl::TabWidth(int nItem) const
{
    if (m_sizeItem.cx > 0 && (GetStyle() & TCS_FIXEDWIDTH))
        return m_sizeItem.cx;
    const Item& it = m_items[static_cast<size_t>(nItem)];
    int cx = 2 * m_sizePadding.cx;
    if (m_hWnd != nullptr)
    {
        CClientDC dc(const_cast<CTabCtrl*>(this));
        CFont* pOld = dc.SelectObject(const_cast<CTabCtrl*>(this)->GetFont());
        cx += dc.GetTextExtent(it.text).cx;
        dc.SelectObject(pOld);
    }
    if (m_pImageList != nullptr && it.image >= 0)
    {
        int icx = 0, icy = 0;
        ::ImageList_GetIconSize(m_pImageList->GetSafeHandle(), &icx, &icy);
        cx += icx + 3;
    }
    return std::max(cx, 40);
}

BOOL CTabCtrl::GetItemRect(int nItem, LPRECT lpRect) const
{
    if (lpRect == nullptr || nItem < 0 || nItem >= GetItemCount())
        return FALSE;
    int x = kBorder;
    for (int i = 0; i < nItem; ++i)
        x += TabWidth(i);
    int cy = m_sizeItem.cy > 0 ? m_sizeItem.cy : kTabHeight;
    *lpRect = CRect(x, kBorder, x + TabWidth(nItem), kBorder + cy);
    return TRUE;
}

void CTabCtrl::AdjustRect(BOOL bLarger, LPRECT lpRect)
{
    if (lpRect == nullptr)
        return;
    int cy = (m_sizeItem.cy > 0 ? m_sizeItem.cy : kTabHeight) + kBorder;
    if (bLarger)
    {
        lpRect->left -= kBorder + 2;
        lpRect->right += kBorder + 2;
        lpRect->top -= cy + 2;
        lpRect->bottom += kBorder + 2;
    }
    else
    {
        lpRect->left += kBorder + 2;
        lpRect->right -= kBorder + 2;
        lpRect->top += cy + 2;
        lpRect->bottom -= kBorder + 2;
    }
}

int CTabCtrl::HitTest(TCHITTESTINFO* pInfo) const
{
    if (pInfo == nullptr)
        return -1;
    for (int i = 0; i < GetItemCount(); ++i)
    {
        CRect rc;
        GetItemRect(i, &rc);
        if (rc.PtInRect(CPoint(pInfo->pt)))
        {
            pInfo->flags = TCHT_ONITEMLABEL;
            return i;
        }
    }
    pInfo->flags = TCHT_NOWHERE;
    return -1;
}

LRESULT CTabCtrl::Notify(int nCode)
{
    CWnd* pParent = GetParent();
    if (pParent == nullptr)
        return 0;
    NMHDR hdr;
    hdr.hwndFrom = m_hWnd;
    hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    hdr.code = static_cast<UINT>(nCode);
    return pParent->SendMessage(WM_NOTIFY, hdr.idFrom, reinterpret_cast<LPARAM>(&hdr));
}

void CTabCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    TCHITTESTINFO ht;
    ht.pt = point;
    ht.flags = 0;
    int n = HitTest(&ht);
    if (n >= 0 && n != m_nCurSel)
    {
        if (Notify(TCN_SELCHANGING))
            return;  // the parent keeps the current tab
        SetCurSel(n);
        Notify(TCN_SELCHANGE);
        return;
    }
    CWnd::OnLButtonDown(nFlags, point);
}

void CTabCtrl::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    int n = m_nCurSel;
    if (nChar == VK_LEFT)
        --n;
    else if (nChar == VK_RIGHT)
        ++n;
    else
    {
        CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
        return;
    }
    if (n < 0 || n >= GetItemCount() || Notify(TCN_SELCHANGING))
        return;
    SetCurSel(n);
    Notify(TCN_SELCHANGE);
}

UINT CTabCtrl::OnGetDlgCode()
{
    return DLGC_WANTARROWS;
}

BOOL CTabCtrl::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CTabCtrl::DrawItem(LPDRAWITEMSTRUCT)
{
}

void CTabCtrl::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    COLORREF hilite = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    dc.FillSolidRect(&client, face);
    int cy = (m_sizeItem.cy > 0 ? m_sizeItem.cy : kTabHeight) + kBorder;
    // The frame of the display area, open under the selected tab.
    CRect body(client.left, cy, client.right, client.bottom);
    dc.Draw3dRect(&body, hilite, ::GetSysColor(COLOR_3DDKSHADOW));
    CFont* pOld = dc.SelectObject(GetFont());
    dc.SetBkMode(TRANSPARENT);
    for (int i = 0; i < GetItemCount(); ++i)
    {
        CRect rc;
        GetItemRect(i, &rc);
        bool bSel = i == m_nCurSel;
        if (bSel)
            rc.InflateRect(2, 2, 2, 1);
        if (GetStyle() & TCS_OWNERDRAWFIXED)
        {
            DRAWITEMSTRUCT dis;
            std::memset(&dis, 0, sizeof(dis));
            dis.CtlType = ODT_TAB;
            dis.CtlID = static_cast<UINT>(GetDlgCtrlID());
            dis.itemID = static_cast<UINT>(i);
            dis.itemState = bSel ? ODS_SELECTED : 0;
            dis.hwndItem = m_hWnd;
            dis.hDC = dc.GetSafeHdc();
            dis.rcItem = rc;
            dis.itemData = static_cast<ULONG_PTR>(m_items[static_cast<size_t>(i)].lParam);
            if (CWnd* pParent = GetParent())
                pParent->SendMessage(WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
            continue;
        }
        dc.FillSolidRect(&rc, face);
        dc.FillSolidRect(rc.left, rc.top, 1, rc.Height(), hilite);
        dc.FillSolidRect(rc.left, rc.top, rc.Width(), 1, hilite);
        dc.FillSolidRect(rc.right - 1, rc.top, 1, rc.Height(), shadow);
        if (bSel)
            dc.FillSolidRect(rc.left + 1, body.top, rc.Width() - 2, 1, face);  // open into the body
        CRect rcText = rc;
        if (m_pImageList != nullptr && m_items[static_cast<size_t>(i)].image >= 0)
        {
            int icx = 0, icy = 0;
            ::ImageList_GetIconSize(m_pImageList->GetSafeHandle(), &icx, &icy);
            m_pImageList->Draw(&dc, m_items[static_cast<size_t>(i)].image,
                               CPoint(rc.left + m_sizePadding.cx, rc.top + (rc.Height() - icy) / 2), ILD_TRANSPARENT);
            rcText.left += icx + 3;
        }
        dc.SetTextColor(::GetSysColor(COLOR_BTNTEXT));
        dc.DrawText(m_items[static_cast<size_t>(i)].text, &rcText, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        if (bSel && GetFocus() == this)
        {
            CRect rcFocus = rc;
            rcFocus.DeflateRect(3, 3);
            dc.DrawFocusRect(&rcFocus);
        }
    }
    dc.SelectObject(pOld);
}
