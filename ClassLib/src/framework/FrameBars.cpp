// CFrameWnd: control bars docked on the frame's sides, in rows.
#include "Framework.h"

#include <algorithm>
#include <map>

void CFrameWnd::AddControlBar(CControlBar* pBar)
{
    if (pBar != nullptr && m_listControlBars.Find(pBar) == NULL)
        m_listControlBars.AddTail(pBar);
}

void CFrameWnd::RemoveControlBar(CControlBar* pBar)
{
    POSITION pos = m_listControlBars.Find(pBar);
    if (pos != NULL)
        m_listControlBars.RemoveAt(pos);
}

CControlBar* CFrameWnd::GetControlBar(UINT nID)
{
    if (nID == 0)
        return nullptr;
    for (POSITION pos = m_listControlBars.GetHeadPosition(); pos != NULL;)
    {
        CControlBar* pBar = static_cast<CControlBar*>(m_listControlBars.GetNext(pos));
        if (pBar->m_hWnd != nullptr && static_cast<UINT>(pBar->GetDlgCtrlID()) == nID)
            return pBar;
    }
    return nullptr;
}

void CFrameWnd::EnableDocking(DWORD dwDockStyle)
{
    m_dwDockStyle = dwDockStyle & CBRS_ALIGN_ANY;
}

static UINT SideFromStyle(DWORD dwStyle)
{
    // Tested in the order top, bottom, left, right: the first that matches wins.
    if (dwStyle & CBRS_ALIGN_TOP)
        return AFX_IDW_DOCKBAR_TOP;
    if (dwStyle & CBRS_ALIGN_BOTTOM)
        return AFX_IDW_DOCKBAR_BOTTOM;
    if (dwStyle & CBRS_ALIGN_LEFT)
        return AFX_IDW_DOCKBAR_LEFT;
    if (dwStyle & CBRS_ALIGN_RIGHT)
        return AFX_IDW_DOCKBAR_RIGHT;
    return 0;
}

static DWORD AlignOfSide(UINT nSide)
{
    switch (nSide)
    {
    case AFX_IDW_DOCKBAR_TOP:
        return CBRS_ALIGN_TOP;
    case AFX_IDW_DOCKBAR_BOTTOM:
        return CBRS_ALIGN_BOTTOM;
    case AFX_IDW_DOCKBAR_LEFT:
        return CBRS_ALIGN_LEFT;
    case AFX_IDW_DOCKBAR_RIGHT:
        return CBRS_ALIGN_RIGHT;
    default:
        return 0;
    }
}

void CFrameWnd::DockControlBar(CControlBar* pBar, UINT nDockBarID, LPCRECT lpRect)
{
    if (pBar == nullptr || pBar->m_hWnd == nullptr)
        return;
    UINT nSide = nDockBarID != 0 ? nDockBarID : SideFromStyle(pBar->m_dwDockStyle & m_dwDockStyle);
    if (nSide == 0)
        nSide = SideFromStyle(pBar->m_dwStyle);
    if (nSide < AFX_IDW_DOCKBAR_TOP || nSide > AFX_IDW_DOCKBAR_BOTTOM)
    {
        TRACE("Warning: a control bar cannot be docked on that side.\n");
        return;
    }
    AddControlBar(pBar);
    pBar->m_pDockSite = this;
    pBar->m_nDockBarID = nSide;
    pBar->m_dwStyle = (pBar->m_dwStyle & ~CBRS_ALIGN_ANY) | AlignOfSide(nSide);
    bool bHorzSide = nSide == AFX_IDW_DOCKBAR_TOP || nSide == AFX_IDW_DOCKBAR_BOTTOM;
    // Rows in use on that side, by their place.
    int nRows = 0;
    int nRowFound = -1;
    if (lpRect != nullptr)
    {
        CRect rc(*lpRect);
        ScreenToClient(&rc);
        for (POSITION pos = m_listControlBars.GetHeadPosition(); pos != NULL;)
        {
            CControlBar* pOther = static_cast<CControlBar*>(m_listControlBars.GetNext(pos));
            if (pOther == pBar || pOther->m_nDockBarID != nSide || pOther->m_hWnd == nullptr)
                continue;
            nRows = std::max(nRows, pOther->m_nDockRow + 1);
            CRect rcOther;
            pOther->GetWindowRect(&rcOther);
            ScreenToClient(&rcOther);
            bool bSameRow = bHorzSide ? (rc.top >= rcOther.top && rc.top < rcOther.bottom)
                                      : (rc.left >= rcOther.left && rc.left < rcOther.right);
            if (bSameRow)
                nRowFound = pOther->m_nDockRow;
        }
        pBar->m_nDockRow = nRowFound >= 0 ? nRowFound : nRows;
        pBar->m_nDockPos = bHorzSide ? rc.left : rc.top;
    }
    else
    {
        for (POSITION pos = m_listControlBars.GetHeadPosition(); pos != NULL;)
        {
            CControlBar* pOther = static_cast<CControlBar*>(m_listControlBars.GetNext(pos));
            if (pOther != pBar && pOther->m_nDockBarID == nSide)
                nRows = std::max(nRows, pOther->m_nDockRow + 1);
        }
        pBar->m_nDockRow = nRows;
        pBar->m_nDockPos = 0;
    }
    RecalcLayout();
}

void CFrameWnd::ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL)
{
    if (pBar == nullptr || pBar->m_hWnd == nullptr)
        return;
    pBar->ShowWindow(bShow ? SW_SHOWNA : SW_HIDE);
    RecalcLayout();
}

void CFrameWnd::LayoutBars(CRect& rc)
{
    // Bars that are not docked (the status bar) take their edge first, then the docked
    // rows: top, bottom, left, right.
    for (POSITION pos = m_listControlBars.GetHeadPosition(); pos != NULL;)
    {
        CControlBar* pBar = static_cast<CControlBar*>(m_listControlBars.GetNext(pos));
        if (pBar->m_hWnd == nullptr || pBar->m_nDockBarID != 0 || !(pBar->GetStyle() & WS_VISIBLE))
            continue;
        DWORD align = pBar->m_dwStyle & CBRS_ALIGN_ANY;
        if (align & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM))
        {
            int cy = pBar->CalcFixedLayout(TRUE, TRUE).cy;
            if (align & CBRS_ALIGN_BOTTOM)
            {
                pBar->MoveWindow(rc.left, rc.bottom - cy, rc.Width(), cy, TRUE);
                rc.bottom -= cy;
            }
            else
            {
                pBar->MoveWindow(rc.left, rc.top, rc.Width(), cy, TRUE);
                rc.top += cy;
            }
        }
        else if (align & (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT))
        {
            int cx = pBar->CalcFixedLayout(TRUE, FALSE).cx;
            if (align & CBRS_ALIGN_RIGHT)
            {
                pBar->MoveWindow(rc.right - cx, rc.top, cx, rc.Height(), TRUE);
                rc.right -= cx;
            }
            else
            {
                pBar->MoveWindow(rc.left, rc.top, cx, rc.Height(), TRUE);
                rc.left += cx;
            }
        }
    }
    const UINT sides[] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT};
    for (UINT nSide : sides)
    {
        bool bHorz = nSide == AFX_IDW_DOCKBAR_TOP || nSide == AFX_IDW_DOCKBAR_BOTTOM;
        std::map<int, std::vector<CControlBar*>> rows;
        for (POSITION pos = m_listControlBars.GetHeadPosition(); pos != NULL;)
        {
            CControlBar* pBar = static_cast<CControlBar*>(m_listControlBars.GetNext(pos));
            if (pBar->m_hWnd != nullptr && pBar->m_nDockBarID == nSide && (pBar->GetStyle() & WS_VISIBLE))
                rows[pBar->m_nDockRow].push_back(pBar);
        }
        for (auto& entry : rows)
        {
            std::vector<CControlBar*>& bars = entry.second;
            std::stable_sort(bars.begin(), bars.end(),
                             [](CControlBar* a, CControlBar* b) { return a->m_nDockPos < b->m_nDockPos; });
            int thickness = 0;
            for (CControlBar* pBar : bars)
            {
                CSize sz = pBar->CalcFixedLayout(FALSE, bHorz);
                thickness = std::max<int>(thickness, bHorz ? sz.cy : sz.cx);
            }
            int along = bHorz ? rc.left : rc.top;
            for (CControlBar* pBar : bars)
            {
                CSize sz = pBar->CalcFixedLayout(FALSE, bHorz);
                int start = std::max(along, (bHorz ? static_cast<int>(rc.left) : static_cast<int>(rc.top)) + pBar->m_nDockPos);
                if (bHorz)
                {
                    int y = nSide == AFX_IDW_DOCKBAR_TOP ? rc.top : rc.bottom - thickness;
                    pBar->MoveWindow(start, y, sz.cx, thickness, TRUE);
                    along = start + sz.cx;
                }
                else
                {
                    int x = nSide == AFX_IDW_DOCKBAR_LEFT ? rc.left : rc.right - thickness;
                    pBar->MoveWindow(x, start, thickness, sz.cy, TRUE);
                    along = start + sz.cy;
                }
            }
            switch (nSide)
            {
            case AFX_IDW_DOCKBAR_TOP:
                rc.top += thickness;
                break;
            case AFX_IDW_DOCKBAR_BOTTOM:
                rc.bottom -= thickness;
                break;
            case AFX_IDW_DOCKBAR_LEFT:
                rc.left += thickness;
                break;
            default:
                rc.right -= thickness;
                break;
            }
        }
    }
    if (rc.right < rc.left)
        rc.right = rc.left;
    if (rc.bottom < rc.top)
        rc.bottom = rc.top;
}

void CFrameWnd::OnUpdateControlBarMenu(CCmdUI* pCmdUI)
{
    CControlBar* pBar = GetControlBar(pCmdUI->m_nID);
    if (pBar != nullptr)
    {
        pCmdUI->SetCheck((pBar->GetStyle() & WS_VISIBLE) != 0);
        return;
    }
    pCmdUI->ContinueRouting();
}

BOOL CFrameWnd::OnBarCheck(UINT nID)
{
    CControlBar* pBar = GetControlBar(nID);
    if (pBar == nullptr)
        return FALSE;
    ShowControlBar(pBar, (pBar->GetStyle() & WS_VISIBLE) == 0, FALSE);
    return TRUE;
}

void CFrameWnd::OnIdleUpdateCmdUI()
{
    if (m_hWnd == nullptr)
        return;
    // The status bar starts with the idle text.
    if (!m_bIdleMessageShown && GetMessageBar() != nullptr)
    {
        m_bIdleMessageShown = TRUE;
        if (m_nIDTracking == 0)
            SetMessageText(AFX_IDS_IDLEMESSAGE);
    }
    if (m_bFrameTitleDelayed)
    {
        m_bFrameTitleDelayed = FALSE;
        OnUpdateFrameTitle(TRUE);
    }
    // The bars ask the frame (and through it the active view and document).
    CFrameWnd* pTarget = this;
    for (POSITION pos = m_listControlBars.GetHeadPosition(); pos != NULL;)
    {
        CControlBar* pBar = static_cast<CControlBar*>(m_listControlBars.GetNext(pos));
        if (pBar->m_hWnd != nullptr && (pBar->GetStyle() & WS_VISIBLE))
            pBar->OnUpdateCmdUI(pTarget, TRUE);
    }
}

LRESULT CFrameWnd::OnIdleUpdateCmdUIMsg(WPARAM, LPARAM)
{
    OnIdleUpdateCmdUI();
    return 0;
}
