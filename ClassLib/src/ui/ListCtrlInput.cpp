// CListCtrl: window messages, mouse and keyboard.
#include "../framework/Framework.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

BEGIN_MESSAGE_MAP(CListCtrl, CWnd)
    ON_WM_CREATE()
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
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_MOUSEWHEEL()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_GETDLGCODE()
    ON_WM_WINDOWPOSCHANGED()
    ON_WM_STYLECHANGED()
    ON_MESSAGE(WM_SETFONT, OnSetFontMsg)
END_MESSAGE_MAP()

int CListCtrl::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    // The header is the list's child with id 0; it exists in every view and shows in the
    // report view only.
    CRect rc(0, 0, 0, 0);
    if (!m_header.Create(WS_CHILD | HDS_HORZ | HDS_BUTTONS | ((GetStyle() & LVS_NOSORTHEADER) ? 0 : 0), rc, this, 0))
        return -1;
    m_hWndHeader = m_header.m_hWnd;
    for (int i = 0; i < GetColumnCount(); ++i)
    {
        const Column& col = m_columns[static_cast<size_t>(i)];
        HDITEM hd;
        std::memset(&hd, 0, sizeof(hd));
        hd.mask = HDI_TEXT | HDI_FORMAT | HDI_WIDTH;
        hd.pszText = const_cast<LPSTR>(static_cast<LPCTSTR>(col.text));
        hd.fmt = HDF_STRING | (col.fmt & LVCFMT_JUSTIFYMASK);
        hd.cxy = col.cx;
        Header()->InsertItem(i, &hd);
    }
    m_nRowHeight = 0;
    UpdateScrollBars();
    return 0;
}

LRESULT CListCtrl::OnSetFontMsg(WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = Default();
    if (Header() != nullptr)
        Header()->SendMessage(WM_SETFONT, wParam, lParam);
    m_nRowHeight = 0;
    // Every label is measured again with the new font.
    ForgetLabelWidths();
    CFont* pFont = GetFont();
    m_hLabelFont = pFont != nullptr ? pFont->GetSafeHandle() : nullptr;
    UpdateScrollBars();
    Invalidate();
    return lResult;
}

void CListCtrl::OnWindowPosChanged(WINDOWPOS* lpwndpos)
{
    CWnd::OnWindowPosChanged(lpwndpos);
    // Owner-drawn rows are measured again (the owner may have changed their height).
    if (GetStyle() & LVS_OWNERDRAWFIXED)
    {
        m_nRowHeight = 0;
        UpdateScrollBars();
        Invalidate();
    }
}

void CListCtrl::OnStyleChanged(int nStyleType, LPSTYLESTRUCT lpStyleStruct)
{
    CWnd::OnStyleChanged(nStyleType, lpStyleStruct);
    // Another view: the rows are measured and laid out anew, the header shown or hidden.
    if (nStyleType == GWL_STYLE)
    {
        m_nTopIndex = 0;
        m_nScrollX = 0;
        m_nScrollY = 0;
        m_nRowHeight = 0;
        UpdateScrollBars();
        LayoutHeader();
        Invalidate();
    }
}

void CListCtrl::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    UpdateScrollBars();
    Invalidate();
}

UINT CListCtrl::OnGetDlgCode()
{
    return DLGC_WANTARROWS | DLGC_WANTCHARS;
}

void CListCtrl::OnSetFocus(CWnd* pOldWnd)
{
    CWnd::OnSetFocus(pOldWnd);
    NMHDR hdr;
    std::memset(&hdr, 0, sizeof(hdr));
    NotifyParent(NM_SETFOCUS, &hdr);
    Invalidate();
}

void CListCtrl::OnKillFocus(CWnd* pNewWnd)
{
    CWnd::OnKillFocus(pNewWnd);
    NMHDR hdr;
    std::memset(&hdr, 0, sizeof(hdr));
    NotifyParent(NM_KILLFOCUS, &hdr);
    Invalidate();
}

static UINT KeyFlagsNow()
{
    UINT flags = 0;
    if (::GetKeyState(VK_CONTROL) < 0)
        flags |= 0x0008;  // LVKF_CONTROL
    if (::GetKeyState(VK_SHIFT) < 0)
        flags |= 0x0004;  // LVKF_SHIFT
    if (::GetKeyState(VK_MENU) < 0)
        flags |= 0x0001;  // LVKF_ALT
    return flags;
}

void CListCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (GetFocus() != this)
        SetFocus();
    UINT hitFlags = 0;
    int nSub = 0;
    int nItem = HitTestRow(point, &hitFlags, &nSub);
    bool bSingle = (GetStyle() & LVS_SINGLESEL) != 0;
    if (nItem >= 0)
    {
        if ((nFlags & MK_CONTROL) && !bSingle)
        {
            UINT state = GetItemState(nItem, LVIS_SELECTED);
            ChangeState(nItem, (state ^ LVIS_SELECTED) | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        }
        else if ((nFlags & MK_SHIFT) && !bSingle && m_nSelectionMark >= 0)
        {
            int nMark = m_nSelectionMark;
            int lo = std::min(nMark, nItem), hi = std::max(nMark, nItem);
            for (int i = 0; i < GetItemCount(); ++i)
            {
                if ((i < lo || i > hi) && GetItemState(i, LVIS_SELECTED))
                    ChangeState(i, 0, LVIS_SELECTED);
            }
            for (int i = lo; i <= hi; ++i)
                ChangeState(i, LVIS_SELECTED, LVIS_SELECTED);
            ChangeState(nItem, LVIS_FOCUSED, LVIS_FOCUSED);
            m_nSelectionMark = nMark;  // a range keeps its anchor
        }
        else if (!GetItemState(nItem, LVIS_SELECTED) || GetSelectedCount() != 1 ||
                 !GetItemState(nItem, LVIS_FOCUSED))
        {
            SelectOnly(nItem, true);
        }
        // Clicking the state image of a check box list toggles it.
        if ((m_dwExStyle & LVS_EX_CHECKBOXES) && hitFlags == LVHT_ONITEMSTATEICON)
            SetCheck(nItem, !GetCheck(nItem));
    }
    else if (!(nFlags & (MK_CONTROL | MK_SHIFT)))
    {
        // A click on empty space clears the selection (the focus stays).
        for (int i = 0; i < GetItemCount(); ++i)
        {
            if (GetItemState(i, LVIS_SELECTED))
                ChangeState(i, 0, LVIS_SELECTED);
        }
    }
    m_nDownItem = nItem;
    m_ptDown = point;
    m_bDragStarted = false;
    m_bClickPending = true;
    m_nDownFlags = nFlags;
    SetCapture();
}

void CListCtrl::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_bClickPending && (nFlags & MK_LBUTTON) && !m_bDragStarted && m_nDownItem >= 0)
    {
        int cx = ::GetSystemMetrics(SM_CXDRAG), cy = ::GetSystemMetrics(SM_CYDRAG);
        if (std::abs(point.x - m_ptDown.x) > cx || std::abs(point.y - m_ptDown.y) > cy)
        {
            m_bDragStarted = true;
            m_bClickPending = false;
            if (GetCapture() == this)
                ReleaseCapture();
            NotifyListView(LVN_BEGINDRAG, m_nDownItem, 0, 0, 0, 0, m_ptDown,
                           m_nDownItem < GetItemCount() ? m_rows[static_cast<size_t>(m_nDownItem)].lParam : 0);
            return;
        }
    }
    if (m_dwExStyle & LVS_EX_TRACKSELECT)
    {
        int nHot = HitTest(point);
        if (nHot != m_nHotItem)
        {
            int nOld = m_nHotItem;
            m_nHotItem = nHot;
            if (nOld >= 0)
                InvalidateItem(nOld);
            if (nHot >= 0)
                InvalidateItem(nHot);
        }
    }
    CWnd::OnMouseMove(nFlags, point);
}

void CListCtrl::OnLButtonUp(UINT nFlags, CPoint point)
{
    bool bClick = m_bClickPending;
    m_bClickPending = false;
    if (GetCapture() == this)
        ReleaseCapture();
    if (bClick)
    {
        UINT flags = 0;
        int nSub = 0;
        int nItem = HitTestRow(m_ptDown, &flags, &nSub);
        NotifyItemActivate(NM_CLICK, nItem, nSub, m_ptDown, KeyFlagsNow());
        if (nItem >= 0 && (m_dwExStyle & LVS_EX_ONECLICKACTIVATE))
            NotifyItemActivate(LVN_ITEMACTIVATE, nItem, nSub, m_ptDown, KeyFlagsNow());
    }
    CWnd::OnLButtonUp(nFlags, point);
}

void CListCtrl::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    if (GetFocus() != this)
        SetFocus();
    UINT flags = 0;
    int nSub = 0;
    int nItem = HitTestRow(point, &flags, &nSub);
    if (nItem >= 0 && !GetItemState(nItem, LVIS_SELECTED) && !(nFlags & (MK_CONTROL | MK_SHIFT)))
        SelectOnly(nItem, true);
    NotifyItemActivate(NM_DBLCLK, nItem, nSub, point, KeyFlagsNow());
    if (nItem >= 0 && !(m_dwExStyle & LVS_EX_ONECLICKACTIVATE))
        NotifyItemActivate(LVN_ITEMACTIVATE, nItem, nSub, point, KeyFlagsNow());
}

void CListCtrl::OnRButtonDown(UINT nFlags, CPoint point)
{
    if (GetFocus() != this)
        SetFocus();
    int nItem = HitTest(point);
    if (nItem >= 0 && !GetItemState(nItem, LVIS_SELECTED))
        SelectOnly(nItem, true);
    else if (nItem >= 0)
        ChangeState(nItem, LVIS_FOCUSED, LVIS_FOCUSED);
    CWnd::OnRButtonDown(nFlags, point);
}

void CListCtrl::OnRButtonUp(UINT nFlags, CPoint point)
{
    UINT flags = 0;
    int nSub = 0;
    int nItem = HitTestRow(point, &flags, &nSub);
    NotifyItemActivate(NM_RCLICK, nItem, nSub, point, KeyFlagsNow());
    CWnd::OnRButtonUp(nFlags, point);
}

void CListCtrl::MoveFocusTo(int nItem, UINT)
{
    if (nItem < 0 || nItem >= GetItemCount())
        return;
    bool bShift = ::GetKeyState(VK_SHIFT) < 0 && !(GetStyle() & LVS_SINGLESEL);
    bool bCtrl = ::GetKeyState(VK_CONTROL) < 0 && !(GetStyle() & LVS_SINGLESEL);
    if (bCtrl)
        ChangeState(nItem, LVIS_FOCUSED, LVIS_FOCUSED);
    else if (bShift && m_nSelectionMark >= 0)
    {
        int nMark = m_nSelectionMark;
        int lo = std::min(nMark, nItem), hi = std::max(nMark, nItem);
        for (int i = 0; i < GetItemCount(); ++i)
        {
            if ((i < lo || i > hi) && GetItemState(i, LVIS_SELECTED))
                ChangeState(i, 0, LVIS_SELECTED);
        }
        for (int i = lo; i <= hi; ++i)
            ChangeState(i, LVIS_SELECTED, LVIS_SELECTED);
        ChangeState(nItem, LVIS_FOCUSED, LVIS_FOCUSED);
        m_nSelectionMark = nMark;
    }
    else
        SelectOnly(nItem, true);
    EnsureVisible(nItem, FALSE);
}

void CListCtrl::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    NMLVKEYDOWN kd;
    std::memset(&kd, 0, sizeof(kd));
    kd.wVKey = static_cast<WORD>(nChar);
    kd.flags = 0;
    NotifyParent(LVN_KEYDOWN, &kd.hdr);
    if (m_hWnd == nullptr)
        return;
    int nFocus = GetNextItem(-1, LVNI_FOCUSED);
    int nCount = GetItemCount();
    if (nCount == 0)
        return;
    DWORD view = ViewType();
    int nPage = std::max(1, GetCountPerPage());
    int nRows = view == LVS_LIST ? RowsPerListColumn() : 1;
    int nColsIcon = 1;
    if (view == LVS_ICON || view == LVS_SMALLICON)
    {
        CSize cell = view == LVS_SMALLICON ? CSize(ListColumnWidth(), GetRowHeight()) : m_sizeIconSpacing;
        nColsIcon = std::max(1, static_cast<int>(ItemArea().Width() / cell.cx));
    }
    int nTarget = -1;
    switch (nChar)
    {
    case VK_UP:
        nTarget = nFocus < 0 ? 0 : nFocus - (view == LVS_ICON || view == LVS_SMALLICON ? nColsIcon : 1);
        break;
    case VK_DOWN:
        nTarget = nFocus < 0 ? 0 : nFocus + (view == LVS_ICON || view == LVS_SMALLICON ? nColsIcon : 1);
        break;
    case VK_LEFT:
        if (view == LVS_REPORT)
        {
            Scroll(CSize(-8, 0));
            return;
        }
        nTarget = nFocus < 0 ? 0 : nFocus - (view == LVS_LIST ? nRows : 1);
        break;
    case VK_RIGHT:
        if (view == LVS_REPORT)
        {
            Scroll(CSize(8, 0));
            return;
        }
        nTarget = nFocus < 0 ? 0 : nFocus + (view == LVS_LIST ? nRows : 1);
        break;
    case VK_HOME:
        nTarget = 0;
        break;
    case VK_END:
        nTarget = nCount - 1;
        break;
    case VK_PRIOR:
        nTarget = nFocus < 0 ? 0 : std::max(0, nFocus - (nPage > 1 ? nPage - 1 : 1));
        break;
    case VK_NEXT:
        nTarget = nFocus < 0 ? 0 : std::min(nCount - 1, nFocus + (nPage > 1 ? nPage - 1 : 1));
        break;
    case VK_SPACE:
        if (nFocus >= 0)
        {
            if (::GetKeyState(VK_CONTROL) < 0 && !(GetStyle() & LVS_SINGLESEL))
                ChangeState(nFocus, GetItemState(nFocus, LVIS_SELECTED) ^ LVIS_SELECTED, LVIS_SELECTED);
            else if (m_dwExStyle & LVS_EX_CHECKBOXES)
                SetCheck(nFocus, !GetCheck(nFocus));
            else
                ChangeState(nFocus, LVIS_SELECTED, LVIS_SELECTED);
        }
        return;
    case VK_RETURN:
    {
        NMHDR hdr;
        std::memset(&hdr, 0, sizeof(hdr));
        NotifyParent(NM_RETURN, &hdr);
        if (nFocus >= 0)
            NotifyItemActivate(LVN_ITEMACTIVATE, nFocus, 0, CPoint(0, 0), KeyFlagsNow());
        return;
    }
    case VK_F2:
        if ((GetStyle() & LVS_EDITLABELS) && nFocus >= 0)
            EditLabel(nFocus);
        return;
    default:
        CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
        return;
    }
    if (nTarget < 0 || nTarget >= nCount)
        return;
    MoveFocusTo(nTarget, nFlags);
}

void CListCtrl::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    DWORD view = ViewType();
    int nLine = view == LVS_REPORT ? GetRowHeight() : 16;
    int nPageSize = view == LVS_REPORT ? std::max(1, GetCountPerPage() - 1) * GetRowHeight() : ItemArea().Height();
    int nCur = view == LVS_REPORT ? m_nTopIndex * GetRowHeight() : m_nScrollY;
    int nDelta = 0;
    switch (nSBCode)
    {
    case SB_LINEUP:
        nDelta = -nLine;
        break;
    case SB_LINEDOWN:
        nDelta = nLine;
        break;
    case SB_PAGEUP:
        nDelta = -nPageSize;
        break;
    case SB_PAGEDOWN:
        nDelta = nPageSize;
        break;
    case SB_TOP:
        nDelta = -nCur;
        break;
    case SB_BOTTOM:
        nDelta = 1 << 24;
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
    {
        SCROLLINFO si;
        std::memset(&si, 0, sizeof(si));
        si.cbSize = sizeof(si);
        si.fMask = SIF_TRACKPOS;
        GetScrollInfo(SB_VERT, &si);
        int nTrack = si.nTrackPos;
        if (nSBCode == SB_THUMBPOSITION)
            nTrack = static_cast<int>(nPos);
        nDelta = (view == LVS_REPORT ? nTrack * GetRowHeight() : nTrack) - nCur;
        break;
    }
    default:
        CWnd::OnVScroll(nSBCode, nPos, pScrollBar);
        return;
    }
    Scroll(CSize(0, nDelta));
}

void CListCtrl::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    DWORD view = ViewType();
    int nLine = view == LVS_LIST ? ListColumnWidth() : 8;
    int nPageSize = ItemArea().Width();
    int nCur = view == LVS_LIST ? m_nTopIndex * ListColumnWidth() : m_nScrollX;
    int nDelta = 0;
    switch (nSBCode)
    {
    case SB_LINELEFT:
        nDelta = -nLine;
        break;
    case SB_LINERIGHT:
        nDelta = nLine;
        break;
    case SB_PAGELEFT:
        nDelta = -nPageSize;
        break;
    case SB_PAGERIGHT:
        nDelta = nPageSize;
        break;
    case SB_LEFT:
        nDelta = -nCur;
        break;
    case SB_RIGHT:
        nDelta = 1 << 24;
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
    {
        SCROLLINFO si;
        std::memset(&si, 0, sizeof(si));
        si.cbSize = sizeof(si);
        si.fMask = SIF_TRACKPOS;
        GetScrollInfo(SB_HORZ, &si);
        int nTrack = nSBCode == SB_THUMBPOSITION ? static_cast<int>(nPos) : si.nTrackPos;
        nDelta = (view == LVS_LIST ? nTrack * ListColumnWidth() : nTrack) - nCur;
        break;
    }
    default:
        CWnd::OnHScroll(nSBCode, nPos, pScrollBar);
        return;
    }
    Scroll(CSize(nDelta, 0));
}

BOOL CListCtrl::OnMouseWheel(UINT, short zDelta, CPoint)
{
    int nLines = -zDelta / 120 * 3;
    if (nLines == 0)
        nLines = zDelta > 0 ? -1 : 1;
    if (ViewType() == LVS_LIST)
        Scroll(CSize(nLines / 3 * ListColumnWidth(), 0));
    else
        Scroll(CSize(0, nLines * (ViewType() == LVS_REPORT ? GetRowHeight() : 16)));
    return TRUE;
}

BOOL CListCtrl::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return CWnd::OnNotify(wParam, lParam, pResult);
}

// What the control does with its header's notifications when no handler took them: a
// click sorts through LVN_COLUMNCLICK at the parent; tracking changes column widths.
LRESULT CListCtrl::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lListResult = 0;
    if (HandleListMessage(message, wParam, lParam, lListResult))
        return lListResult;
    if (message == WM_NOTIFY && lParam != 0)
    {
        NMHDR* pHdr = reinterpret_cast<NMHDR*>(lParam);
        if (m_hWndHeader != nullptr && pHdr->hwndFrom == m_hWndHeader)
        {
            NMHEADER* pNm = reinterpret_cast<NMHEADER*>(lParam);
            switch (static_cast<int>(pHdr->code))
            {
            case static_cast<int>(HDN_ITEMCLICKA):
            case static_cast<int>(HDN_ITEMCLICKW):
                if (!(GetStyle() & LVS_NOSORTHEADER))
                {
                    int nSub = pNm->iItem >= 0 && pNm->iItem < GetColumnCount() ? m_columns[static_cast<size_t>(pNm->iItem)].subItem : pNm->iItem;
                    (void)nSub;
                    NotifyListView(LVN_COLUMNCLICK, -1, pNm->iItem, 0, 0, 0);
                }
                return 0;
            case static_cast<int>(HDN_TRACKA):
            case static_cast<int>(HDN_TRACKW):
            case static_cast<int>(HDN_ENDTRACKA):
            case static_cast<int>(HDN_ENDTRACKW):
            case static_cast<int>(HDN_ITEMCHANGEDA):
            case static_cast<int>(HDN_ITEMCHANGEDW):
                if (pNm->pitem != nullptr && (pNm->pitem->mask & HDI_WIDTH) && pNm->iItem >= 0 &&
                    pNm->iItem < GetColumnCount())
                {
                    m_columns[static_cast<size_t>(pNm->iItem)].cx = pNm->pitem->cxy;
                    UpdateScrollBars();
                    Invalidate();
                }
                return 0;
            case static_cast<int>(HDN_ENDDRAG):
                Invalidate();
                return 0;
            default:
                return 0;
            }
        }
    }
    return CWnd::DefWindowProc(message, wParam, lParam);
}
