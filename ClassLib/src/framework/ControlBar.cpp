// CControlBar: the common part of toolbars, status bars and dialog bars.
#include "Framework.h"

#include "FrameworkStrings.h"

IMPLEMENT_DYNAMIC(CControlBar, CWnd)

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_DESTROY()
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

CControlBar::CControlBar()
    : m_bAutoDelete(FALSE),
      m_cxLeftBorder(6),
      m_cxRightBorder(6),
      m_cyTopBorder(2),
      m_cyBottomBorder(2),
      m_cxDefaultGap(2),
      m_nMRUWidth(32767),
      m_dwStyle(0),
      m_dwDockStyle(0),
      m_pDockSite(nullptr),
      m_nDockBarID(0),
      m_nDockRow(0),
      m_nDockPos(0)
{
}

CControlBar::~CControlBar()
{
    if (m_pDockSite != nullptr && pc_frame::IsLiveFrame(m_pDockSite))
        m_pDockSite->RemoveControlBar(this);
    if (m_hWnd != nullptr)
        DestroyWindow();
}

void CControlBar::SetBarStyle(DWORD dwStyle)
{
    m_dwStyle = dwStyle;
    if (m_hWnd != nullptr)
        Invalidate();
}

void CControlBar::EnableDocking(DWORD dwDockStyle)
{
    m_dwDockStyle = dwDockStyle & CBRS_ALIGN_ANY;
    if (m_pDockSite == nullptr)
        m_pDockSite = DYNAMIC_DOWNCAST(CFrameWnd, GetParent());
}

void CControlBar::SetBorders(int cxLeft, int cyTop, int cxRight, int cyBottom)
{
    m_cxLeftBorder = cxLeft;
    m_cyTopBorder = cyTop;
    m_cxRightBorder = cxRight;
    m_cyBottomBorder = cyBottom;
}

void CControlBar::SetBorders(LPCRECT lpRect)
{
    if (lpRect != nullptr)
        SetBorders(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

CRect CControlBar::GetBorders() const
{
    return CRect(m_cxLeftBorder, m_cyTopBorder, m_cxRightBorder, m_cyBottomBorder);
}

CSize CControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CSize size(0, 0);
    CFrameWnd* pFrame = GetDockingFrame();
    if (bStretch && pFrame != nullptr)
    {
        CRect rc;
        pFrame->GetClientRect(&rc);
        if (bHorz)
            size.cx = rc.Width();
        else
            size.cy = rc.Height();
    }
    // Borders add to the thickness.
    CRect rect(0, 0, 0, 0);
    CalcInsideRect(rect, bHorz);
    if (bHorz)
        size.cy = -rect.Height();
    else
        size.cx = -rect.Width();
    return size;
}

CSize CControlBar::CalcDynamicLayout(int, DWORD nMode)
{
    return CalcFixedLayout((nMode & 0x10) != 0, (nMode & 0x04) != 0);
}

int CControlBar::GetCount() const
{
    return 0;
}

void CControlBar::CalcInsideRect(CRect& rect, BOOL bHorz) const
{
    DWORD dwStyle = m_dwStyle;
    if (dwStyle & CBRS_BORDER_LEFT)
        rect.left += 1;
    if (dwStyle & CBRS_BORDER_TOP)
        rect.top += 1;
    if (dwStyle & CBRS_BORDER_RIGHT)
        rect.right -= 1;
    if (dwStyle & CBRS_BORDER_BOTTOM)
        rect.bottom -= 1;
    if (bHorz)
    {
        rect.left += m_cxLeftBorder;
        rect.top += m_cyTopBorder;
        rect.right -= m_cxRightBorder;
        rect.bottom -= m_cyBottomBorder;
        if (dwStyle & CBRS_GRIPPER)
            rect.left += 6;
    }
    else
    {
        rect.left += m_cyTopBorder;
        rect.top += m_cxLeftBorder;
        rect.right -= m_cyBottomBorder;
        rect.bottom -= m_cxRightBorder;
        if (dwStyle & CBRS_GRIPPER)
            rect.top += 6;
    }
}

BOOL CControlBar::IsVisible() const
{
    return m_hWnd != nullptr && (GetStyle() & WS_VISIBLE) != 0;
}

CFrameWnd* CControlBar::GetDockingFrame() const
{
    if (m_pDockSite != nullptr)
        return m_pDockSite;
    return DYNAMIC_DOWNCAST(CFrameWnd, GetParent());
}

BOOL CControlBar::IsHorizontal() const
{
    return (m_dwStyle & CBRS_ORIENT_HORZ) != 0 || (m_dwStyle & CBRS_ALIGN_ANY) == 0;
}

void CControlBar::PostNcDestroy()
{
    if (m_bAutoDelete)
        delete this;
}

BOOL CControlBar::PreTranslateMessage(MSG* pMsg)
{
    return CWnd::PreTranslateMessage(pMsg);
}

BOOL CControlBar::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CControlBar::DrawBorders(CDC* pDC, CRect& rect)
{
    COLORREF clrShadow = ::GetSysColor(COLOR_BTNSHADOW);
    COLORREF clrHilite = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    if (m_dwStyle & CBRS_BORDER_TOP)
    {
        pDC->FillSolidRect(rect.left, rect.top, rect.Width(), 1, clrShadow);
        pDC->FillSolidRect(rect.left, rect.top + 1, rect.Width(), 1, clrHilite);
        rect.top += 2;
    }
    if (m_dwStyle & CBRS_BORDER_BOTTOM)
    {
        pDC->FillSolidRect(rect.left, rect.bottom - 1, rect.Width(), 1, clrShadow);
        rect.bottom -= 1;
    }
    if (m_dwStyle & CBRS_BORDER_LEFT)
    {
        pDC->FillSolidRect(rect.left, rect.top, 1, rect.Height(), clrHilite);
        rect.left += 1;
    }
    if (m_dwStyle & CBRS_BORDER_RIGHT)
    {
        pDC->FillSolidRect(rect.right - 1, rect.top, 1, rect.Height(), clrShadow);
        rect.right -= 1;
    }
}

void CControlBar::DrawGripper(CDC* pDC, const CRect& rect)
{
    if (!(m_dwStyle & CBRS_GRIPPER))
        return;
    COLORREF clrShadow = ::GetSysColor(COLOR_BTNSHADOW);
    COLORREF clrHilite = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    if (IsHorizontal())
        pDC->Draw3dRect(rect.left + 2, rect.top + 2, 3, rect.Height() - 4, clrHilite, clrShadow);
    else
        pDC->Draw3dRect(rect.left + 2, rect.top + 2, rect.Width() - 4, 3, clrHilite, clrShadow);
}

void CControlBar::DoPaint(CDC* pDC)
{
    CRect rect;
    GetClientRect(&rect);
    DrawBorders(pDC, rect);
    DrawGripper(pDC, rect);
}

void CControlBar::OnPaint()
{
    CPaintDC dc(this);
    CRect rect;
    GetClientRect(&rect);
    dc.FillSolidRect(&rect, ::GetSysColor(COLOR_BTNFACE));
    DoPaint(&dc);
}

LRESULT CControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
{
    if (GetStyle() & WS_VISIBLE)
    {
        CFrameWnd* pTarget = GetDockingFrame();
        if (pTarget != nullptr)
            OnUpdateCmdUI(pTarget, static_cast<BOOL>(wParam));
    }
    return 0;
}

void CControlBar::OnDestroy()
{
    if (CFrameWnd* pFrame = GetDockingFrame())
        if (pc_frame::IsLiveFrame(pFrame))
            pFrame->RemoveControlBar(this);
    CWnd::OnDestroy();
}
