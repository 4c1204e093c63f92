// CTreeCtrl's window: geometry, hit testing, drawing and input.
#include "../framework/Framework.h"

#include <algorithm>
#include <cstring>

BEGIN_MESSAGE_MAP(CTreeCtrl, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_RBUTTONDOWN()
    ON_WM_RBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_KEYDOWN()
    ON_WM_VSCROLL()
    ON_WM_MOUSEWHEEL()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_GETDLGCODE()
    ON_MESSAGE(WM_SETFONT, OnSetFontMsg)
END_MESSAGE_MAP()

namespace {
const int kIconGap = 3;  // between the icon and the label
const int kLabelPad = 2;
}  // namespace

int CTreeCtrl::TextWidth(const CString& text) const
{
    if (m_hWnd == nullptr)
        return 0;
    CClientDC dc(const_cast<CTreeCtrl*>(this));
    CFont* pOld = dc.SelectObject(const_cast<CTreeCtrl*>(this)->GetFont());
    int cx = dc.GetTextExtent(text, text.GetLength()).cx;
    dc.SelectObject(pOld);
    return cx;
}

int CTreeCtrl::ItemHeight() const
{
    if (m_nItemHeight > 0)
        return m_nItemHeight;
    int cy = 16;
    if (m_hWnd != nullptr)
    {
        CClientDC dc(const_cast<CTreeCtrl*>(this));
        CFont* pOld = dc.SelectObject(const_cast<CTreeCtrl*>(this)->GetFont());
        TEXTMETRIC tm;
        std::memset(&tm, 0, sizeof(tm));
        dc.GetTextMetrics(&tm);
        dc.SelectObject(pOld);
        cy = std::max<int>(cy, tm.tmHeight + tm.tmExternalLeading + 2);
    }
    int cx = 0, cyImage = 0;
    if (m_pImageNormal != nullptr && ::ImageList_GetIconSize(m_pImageNormal->GetSafeHandle(), &cx, &cyImage))
        cy = std::max(cy, cyImage);
    const_cast<CTreeCtrl*>(this)->m_nItemHeight = cy;
    return cy;
}

LRESULT CTreeCtrl::OnSetFontMsg(WPARAM, LPARAM)
{
    LRESULT lResult = Default();
    m_nItemHeight = 0;
    UpdateScrollBars();
    Invalidate();
    return lResult;
}

CRect CTreeCtrl::RowRect(int nRow) const
{
    CRect client(0, 0, 0, 0);
    if (m_hWnd != nullptr)
        GetClientRect(&client);
    int h = ItemHeight();
    int top = (nRow - m_nTopRow) * h;
    return CRect(client.left, top, client.right, top + h);
}

// Left edge of the item's icon (or label): its level's indent plus the root's button
// column when TVS_LINESATROOT.
int CTreeCtrl::RowLeft(const Node*, int nLevel) const
{
    DWORD dwStyle = GetStyle();
    int x = nLevel * static_cast<int>(m_nIndent);
    if ((dwStyle & TVS_LINESATROOT) && (dwStyle & (TVS_HASLINES | TVS_HASBUTTONS)))
        x += static_cast<int>(m_nIndent);
    int cxState = 0, cyState = 0;
    if (m_pImageState != nullptr)
        ::ImageList_GetIconSize(m_pImageState->GetSafeHandle(), &cxState, &cyState);
    return x + cxState;
}

BOOL CTreeCtrl::GetItemRect(HTREEITEM hItem, LPRECT lpRect, BOOL bTextOnly) const
{
    Node* p = FromHandle(hItem);
    if (p == nullptr || lpRect == nullptr)
        return FALSE;
    int n = VisibleIndex(p);
    if (n < 0)
        return FALSE;  // inside a collapsed branch
    CRect rc = RowRect(n);
    if (bTextOnly)
    {
        int x = RowLeft(p, Level(p));
        int cxImage = 0, cyImage = 0;
        if (m_pImageNormal != nullptr && ::ImageList_GetIconSize(m_pImageNormal->GetSafeHandle(), &cxImage, &cyImage))
            x += cxImage + kIconGap;
        rc.left = x;
        rc.right = x + TextWidth(NodeText(p)) + 2 * kLabelPad;
    }
    *lpRect = rc;
    return TRUE;
}

HTREEITEM CTreeCtrl::HitTest(CPoint pt, UINT* pFlags) const
{
    TVHITTESTINFO ht;
    std::memset(&ht, 0, sizeof(ht));
    ht.pt = pt;
    HTREEITEM h = HitTest(&ht);
    if (pFlags != nullptr)
        *pFlags = ht.flags;
    return h;
}

HTREEITEM CTreeCtrl::HitTest(TVHITTESTINFO* pInfo) const
{
    if (pInfo == nullptr)
        return nullptr;
    pInfo->hItem = nullptr;
    CRect client(0, 0, 0, 0);
    if (m_hWnd != nullptr)
        GetClientRect(&client);
    CPoint pt(pInfo->pt);
    UINT flags = 0;
    if (pt.y < client.top)
        flags |= TVHT_ABOVE;
    if (pt.y >= client.bottom)
        flags |= TVHT_BELOW;
    if (pt.x < client.left)
        flags |= TVHT_TOLEFT;
    if (pt.x >= client.right)
        flags |= TVHT_TORIGHT;
    if (flags != 0)
    {
        pInfo->flags = flags;
        return nullptr;
    }
    std::vector<std::pair<Node*, int>> rows;
    CollectVisible(rows);
    int h = std::max(1, ItemHeight());
    int nRow = m_nTopRow + pt.y / h;
    if (nRow < 0 || nRow >= static_cast<int>(rows.size()))
    {
        pInfo->flags = TVHT_NOWHERE;
        return nullptr;
    }
    Node* p = rows[static_cast<size_t>(nRow)].first;
    int level = rows[static_cast<size_t>(nRow)].second;
    DWORD dwStyle = GetStyle();
    int xIcon = RowLeft(p, level);
    int cxState = 0, cyState = 0;
    if (m_pImageState != nullptr)
        ::ImageList_GetIconSize(m_pImageState->GetSafeHandle(), &cxState, &cyState);
    int cxImage = 0, cyImage = 0;
    if (m_pImageNormal != nullptr)
        ::ImageList_GetIconSize(m_pImageNormal->GetSafeHandle(), &cxImage, &cyImage);
    int xButtonRight = xIcon - cxState;
    int xButtonLeft = xButtonRight - static_cast<int>(m_nIndent);
    bool bHasButton = (dwStyle & TVS_HASBUTTONS) && (level > 0 || (dwStyle & TVS_LINESATROOT)) &&
                      (!p->children.empty() || (HasChildMark(p) && !(p->state & TVIS_EXPANDEDONCE && p->children.empty())));
    int xLabel = xIcon + (cxImage > 0 ? cxImage + kIconGap : 0);
    int xLabelRight = xLabel + TextWidth(NodeText(p)) + 2 * kLabelPad;
    if (pt.x < xButtonRight - (cxState > 0 ? 0 : 0) && pt.x >= xButtonLeft && bHasButton)
        flags = TVHT_ONITEMBUTTON;
    else if (pt.x < xIcon - cxState)
        flags = TVHT_ONITEMINDENT;
    else if (pt.x < xIcon)
        flags = TVHT_ONITEMSTATEICON;
    else if (pt.x < xLabel && cxImage > 0)
        flags = TVHT_ONITEMICON;
    else if (pt.x < xLabelRight)
        flags = TVHT_ONITEMLABEL;
    else
        flags = TVHT_ONITEMRIGHT;
    pInfo->flags = flags;
    pInfo->hItem = ToHandle(p);
    return pInfo->hItem;
}

void CTreeCtrl::UpdateScrollBars()
{
    if (m_hWnd == nullptr || (GetStyle() & TVS_NOSCROLL))
        return;
    static thread_local int s_nDepth = 0;
    if (s_nDepth > 2)
        return;
    ++s_nDepth;
    std::vector<std::pair<Node*, int>> rows;
    CollectVisible(rows);
    int nPage = std::max(1, static_cast<int>(GetVisibleCount()));
    int nRows = static_cast<int>(rows.size());
    m_nTopRow = std::max(0, std::min(m_nTopRow, nRows - nPage));
    SCROLLINFO si;
    std::memset(&si, 0, sizeof(si));
    si.cbSize = sizeof(si);
    si.fMask = SIF_ALL;
    si.nMin = 0;
    si.nMax = std::max(0, nRows - 1);
    si.nPage = static_cast<UINT>(nPage);
    si.nPos = m_nTopRow;
    ShowScrollBar(SB_VERT, nRows > nPage);
    SetScrollInfo(SB_VERT, &si, TRUE);
    --s_nDepth;
}

// ---- Drawing ------------------------------------------------------------------------------

BOOL CTreeCtrl::OnEraseBkgnd(CDC* pDC)
{
    CRect rc;
    GetClientRect(&rc);
    pDC->FillSolidRect(&rc, m_clrBk != CLR_NONE ? m_clrBk : ::GetSysColor(COLOR_WINDOW));
    return TRUE;
}

void CTreeCtrl::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, m_clrBk != CLR_NONE ? m_clrBk : ::GetSysColor(COLOR_WINDOW));
    CFont* pOldFont = dc.SelectObject(GetFont());
    std::vector<std::pair<Node*, int>> rows;
    CollectVisible(rows);
    DWORD dwStyle = GetStyle();
    bool bFocus = GetFocus() == this;
    int h = ItemHeight();
    int cxImage = 0, cyImage = 0;
    if (m_pImageNormal != nullptr)
        ::ImageList_GetIconSize(m_pImageNormal->GetSafeHandle(), &cxImage, &cyImage);
    CPen penLine(PS_DOT, 1, ::GetSysColor(COLOR_GRAYTEXT));
    dc.SetBkMode(TRANSPARENT);
    for (int i = m_nTopRow; i < static_cast<int>(rows.size()); ++i)
    {
        CRect rcRow = RowRect(i);
        if (rcRow.top >= client.bottom)
            break;
        Node* p = rows[static_cast<size_t>(i)].first;
        int level = rows[static_cast<size_t>(i)].second;
        int xIcon = RowLeft(p, level);
        int xMid = xIcon - static_cast<int>(m_nIndent) / 2;
        int yMid = rcRow.top + h / 2;
        bool bRootCol = level > 0 || (dwStyle & TVS_LINESATROOT);
        if ((dwStyle & TVS_HASLINES) && bRootCol)
        {
            CPen* pOld = dc.SelectObject(&penLine);
            dc.MoveTo(xMid, yMid);
            dc.LineTo(xIcon, yMid);
            // Up to the previous sibling (or parent), down to the next sibling.
            const std::vector<Node*>& sib = p->parent->children;
            bool bLast = !sib.empty() && sib.back() == p;
            bool bFirstAtRoot = p->parent == &m_root && !sib.empty() && sib.front() == p;
            dc.MoveTo(xMid, bFirstAtRoot ? yMid : rcRow.top);
            dc.LineTo(xMid, bLast ? yMid : rcRow.bottom);
            // Lines of the ancestors that have later siblings.
            int xa = xMid;
            for (const Node* a = p->parent; a != nullptr && a != &m_root; a = a->parent)
            {
                xa -= static_cast<int>(m_nIndent);
                const std::vector<Node*>& asib = a->parent->children;
                if (!asib.empty() && asib.back() != a && (a->parent != &m_root || (dwStyle & TVS_LINESATROOT)))
                {
                    dc.MoveTo(xa, rcRow.top);
                    dc.LineTo(xa, rcRow.bottom);
                }
            }
            dc.SelectObject(pOld);
        }
        bool bButton = (dwStyle & TVS_HASBUTTONS) && bRootCol &&
                       (!p->children.empty() || (HasChildMark(p) && !(p->state & TVIS_EXPANDEDONCE)));
        if (bButton)
        {
            CRect box(xMid - 4, yMid - 4, xMid + 5, yMid + 5);
            dc.FillSolidRect(&box, ::GetSysColor(COLOR_WINDOW));
            dc.FrameRect(&box, CBrush::FromHandle(::GetSysColorBrush(COLOR_GRAYTEXT)));
            dc.FillSolidRect(xMid - 2, yMid, 5, 1, ::GetSysColor(COLOR_WINDOWTEXT));
            if (!(p->state & TVIS_EXPANDED))
                dc.FillSolidRect(xMid, yMid - 2, 1, 5, ::GetSysColor(COLOR_WINDOWTEXT));
        }
        bool bSelected = (p == m_pSelected && (bFocus || (dwStyle & TVS_SHOWSELALWAYS))) || p == m_pDropHilite;
        if (m_pImageState != nullptr && (p->state & TVIS_STATEIMAGEMASK))
        {
            int cxs = 0, cys = 0;
            ::ImageList_GetIconSize(m_pImageState->GetSafeHandle(), &cxs, &cys);
            m_pImageState->Draw(&dc, static_cast<int>((p->state & TVIS_STATEIMAGEMASK) >> 12) - 1,
                                CPoint(xIcon - cxs, rcRow.top + (h - cys) / 2), ILD_TRANSPARENT);
        }
        int xLabel = xIcon;
        if (m_pImageNormal != nullptr)
        {
            int nImage = NodeImage(p, p == m_pSelected);
            if (nImage >= 0)
                m_pImageNormal->Draw(&dc, nImage, CPoint(xIcon, rcRow.top + (h - cyImage) / 2),
                                     ILD_TRANSPARENT | (p->state & TVIS_OVERLAYMASK));
            xLabel += cxImage + kIconGap;
        }
        CString text = NodeText(p);
        CRect rcLabel(xLabel, rcRow.top, xLabel + TextWidth(text) + 2 * kLabelPad, rcRow.bottom);
        if (bSelected)
        {
            bool bActive = bFocus || p == m_pDropHilite;
            dc.FillSolidRect(&rcLabel, ::GetSysColor(bActive ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
            dc.SetTextColor(::GetSysColor(bActive ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT));
        }
        else
            dc.SetTextColor(m_clrText != CLR_NONE ? m_clrText : ::GetSysColor(COLOR_WINDOWTEXT));
        CFont boldFont;
        CFont* pItemOld = nullptr;
        if (p->state & TVIS_BOLD)
        {
            LOGFONT lf;
            std::memset(&lf, 0, sizeof(lf));
            if (CFont* pFont = GetFont())
                pFont->GetLogFont(&lf);
            lf.lfWeight = FW_BOLD;
            boldFont.CreateFontIndirect(&lf);
            pItemOld = dc.SelectObject(&boldFont);
        }
        CRect rcText = rcLabel;
        rcText.DeflateRect(kLabelPad, 0);
        dc.DrawText(text, &rcText, DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        if (pItemOld != nullptr)
            dc.SelectObject(pItemOld);
        if (p == m_pSelected && bFocus)
            dc.DrawFocusRect(&rcLabel);
    }
    dc.SelectObject(pOldFont);
}

// ---- Input --------------------------------------------------------------------------------

void CTreeCtrl::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    UpdateScrollBars();
    Invalidate();
}

UINT CTreeCtrl::OnGetDlgCode()
{
    return DLGC_WANTARROWS | DLGC_WANTCHARS;
}

void CTreeCtrl::OnSetFocus(CWnd* pOldWnd)
{
    CWnd::OnSetFocus(pOldWnd);
    NotifySimple(NM_SETFOCUS);
    Invalidate();
}

void CTreeCtrl::OnKillFocus(CWnd* pNewWnd)
{
    CWnd::OnKillFocus(pNewWnd);
    NotifySimple(NM_KILLFOCUS);
    Invalidate();
}

void CTreeCtrl::OnLButtonDown(UINT, CPoint point)
{
    if (GetFocus() != this)
        SetFocus();
    UINT flags = 0;
    HTREEITEM hItem = HitTest(point, &flags);
    m_pClickItem = FromHandle(hItem);
    m_nClickFlags = flags;
    m_ptDown = point;
    m_bClickPending = true;
    if (m_pClickItem != nullptr && (flags & TVHT_ONITEMBUTTON))
    {
        // The button toggles at once; the click notification follows on release.
        ExpandNode(m_pClickItem, TVE_TOGGLE, TVC_BYMOUSE);
        m_pClickItem = FromHandle(hItem);
        m_nClickFlags = flags | 0x80000000u;  // no selection change for this click
    }
    SetCapture();
}

void CTreeCtrl::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_bClickPending && (nFlags & MK_LBUTTON) && m_pClickItem != nullptr && !(m_nClickFlags & 0x80000000u) &&
        !(GetStyle() & TVS_DISABLEDRAGDROP))
    {
        if (std::abs(point.x - m_ptDown.x) > ::GetSystemMetrics(SM_CXDRAG) ||
            std::abs(point.y - m_ptDown.y) > ::GetSystemMetrics(SM_CYDRAG))
        {
            m_bClickPending = false;
            if (GetCapture() == this)
                ReleaseCapture();
            NotifyTree(TVN_BEGINDRAG, 0, nullptr, m_pClickItem, m_ptDown);
            return;
        }
    }
    CWnd::OnMouseMove(nFlags, point);
}

void CTreeCtrl::OnLButtonUp(UINT nFlags, CPoint point)
{
    bool bClick = m_bClickPending;
    m_bClickPending = false;
    if (GetCapture() == this)
        ReleaseCapture();
    if (!bClick)
    {
        CWnd::OnLButtonUp(nFlags, point);
        return;
    }
    Node* pItem = m_pClickItem;
    UINT flags = m_nClickFlags;
    // The parent hears the click before the selection changes (and may handle it: a
    // nonzero answer keeps the selection).
    LRESULT lHandled = NotifySimple(NM_CLICK);
    if (!lHandled && pItem != nullptr && m_live.count(pItem) && !(flags & 0x80000000u) &&
        (flags & (TVHT_ONITEM | ((GetStyle() & TVS_FULLROWSELECT) ? TVHT_ONITEMRIGHT : 0))))
        SelectNode(pItem, TVC_BYMOUSE);
    CWnd::OnLButtonUp(nFlags, point);
}

void CTreeCtrl::OnLButtonDblClk(UINT, CPoint point)
{
    UINT flags = 0;
    Node* p = FromHandle(HitTest(point, &flags));
    if (NotifySimple(NM_DBLCLK))
        return;
    if (p != nullptr && (flags & TVHT_ONITEM))
        ExpandNode(p, TVE_TOGGLE, TVC_BYMOUSE);
    else if (p != nullptr && (flags & TVHT_ONITEMBUTTON))
        ExpandNode(p, TVE_TOGGLE, TVC_BYMOUSE);
}

void CTreeCtrl::OnRButtonDown(UINT nFlags, CPoint point)
{
    if (GetFocus() != this)
        SetFocus();
    CWnd::OnRButtonDown(nFlags, point);
}

void CTreeCtrl::OnRButtonUp(UINT nFlags, CPoint point)
{
    NotifySimple(NM_RCLICK);
    CWnd::OnRButtonUp(nFlags, point);
}

void CTreeCtrl::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    NMTVKEYDOWN kd;
    std::memset(&kd, 0, sizeof(kd));
    kd.hdr.hwndFrom = m_hWnd;
    kd.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    kd.hdr.code = TVN_KEYDOWN;
    kd.wVKey = static_cast<WORD>(nChar);
    if (CWnd* pParent = GetParent())
        pParent->SendMessage(WM_NOTIFY, kd.hdr.idFrom, reinterpret_cast<LPARAM>(&kd));
    std::vector<std::pair<Node*, int>> rows;
    CollectVisible(rows);
    if (rows.empty())
        return;
    int nCur = m_pSelected != nullptr ? VisibleIndex(m_pSelected) : -1;
    int nPage = std::max(1, static_cast<int>(GetVisibleCount()));
    int nTarget = -2;
    switch (nChar)
    {
    case VK_UP:
        nTarget = nCur <= 0 ? 0 : nCur - 1;
        break;
    case VK_DOWN:
        nTarget = nCur < 0 ? 0 : std::min<int>(nCur + 1, static_cast<int>(rows.size()) - 1);
        break;
    case VK_HOME:
        nTarget = 0;
        break;
    case VK_END:
        nTarget = static_cast<int>(rows.size()) - 1;
        break;
    case VK_PRIOR:
        nTarget = std::max(0, nCur - nPage + 1);
        break;
    case VK_NEXT:
        nTarget = std::min<int>(static_cast<int>(rows.size()) - 1, std::max(0, nCur) + nPage - 1);
        break;
    case VK_RIGHT:
        if (m_pSelected != nullptr)
        {
            if (!(m_pSelected->state & TVIS_EXPANDED) && (HasChildMark(m_pSelected) || !m_pSelected->children.empty()))
                ExpandNode(m_pSelected, TVE_EXPAND, TVC_BYKEYBOARD);
            else if (!m_pSelected->children.empty())
                SelectNode(m_pSelected->children.front(), TVC_BYKEYBOARD);
        }
        return;
    case VK_LEFT:
        if (m_pSelected != nullptr)
        {
            if (m_pSelected->state & TVIS_EXPANDED)
                ExpandNode(m_pSelected, TVE_COLLAPSE, TVC_BYKEYBOARD);
            else if (m_pSelected->parent != &m_root)
                SelectNode(m_pSelected->parent, TVC_BYKEYBOARD);
        }
        return;
    case VK_ADD:
        if (m_pSelected != nullptr)
            ExpandNode(m_pSelected, TVE_EXPAND, TVC_BYKEYBOARD);
        return;
    case VK_SUBTRACT:
        if (m_pSelected != nullptr)
            ExpandNode(m_pSelected, TVE_COLLAPSE, TVC_BYKEYBOARD);
        return;
    case VK_RETURN:
        NotifySimple(NM_RETURN);
        return;
    default:
        CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
        return;
    }
    if (nTarget >= 0 && nTarget < static_cast<int>(rows.size()))
        SelectNode(rows[static_cast<size_t>(nTarget)].first, TVC_BYKEYBOARD);
}

void CTreeCtrl::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    int nPage = std::max(1, static_cast<int>(GetVisibleCount()));
    int nTop = m_nTopRow;
    switch (nSBCode)
    {
    case SB_LINEUP:
        --nTop;
        break;
    case SB_LINEDOWN:
        ++nTop;
        break;
    case SB_PAGEUP:
        nTop -= nPage;
        break;
    case SB_PAGEDOWN:
        nTop += nPage;
        break;
    case SB_TOP:
        nTop = 0;
        break;
    case SB_BOTTOM:
        nTop = 1 << 24;
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        nTop = static_cast<int>(nPos);
        break;
    default:
        CWnd::OnVScroll(nSBCode, nPos, pScrollBar);
        return;
    }
    m_nTopRow = std::max(0, nTop);
    UpdateScrollBars();
    Invalidate();
}

BOOL CTreeCtrl::OnMouseWheel(UINT, short zDelta, CPoint)
{
    m_nTopRow = std::max(0, m_nTopRow - zDelta / 120 * 3);
    UpdateScrollBars();
    Invalidate();
    return TRUE;
}
