// The menu button.
#include "MenuButton.h"

BEGIN_MESSAGE_MAP(CMenuButton, CButton)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_SYSCOLORCHANGE()
END_MESSAGE_MAP()

CMenuButton::CMenuButton()
    : m_bPressed(0), m_bMenuShowing(0), m_bMenuLoaded(0), m_bMenuSet(0)
{
    m_menu.CreatePopupMenu();
}

CMenuButton::~CMenuButton()
{
    m_menu.DestroyMenu();
}

BOOL CMenuButton::SetMenu(UINT nMenuId)
{
    m_bMenuSet = 1;
    if (m_menu.GetSafeHmenu())
        m_menu.DestroyMenu();
    m_bMenuLoaded = m_menu.LoadMenu(nMenuId);
    return m_bMenuLoaded;
}

BOOL CMenuButton::HitMenuButton(CPoint point)
{
    if (!m_bMenuLoaded)
        return FALSE;
    CRect rect;
    GetWindowRect(rect);
    ScreenToClient(rect);
    rect.left = rect.right - kArrowZone;
    return rect.PtInRect(point);
}

void CMenuButton::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (m_bMenuShowing)
    {
        m_bMenuShowing = 0;
        Invalidate();
        return;
    }
    if (HitMenuButton(point))
    {
        m_bMenuShowing = 1;
        Invalidate();
        UpdateWindow();
        CRect rect;
        GetWindowRect(rect);
        CMenu* pSub = m_menu.GetSubMenu(0);
        if (pSub)
            pSub->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, rect.left, rect.bottom, GetParent());
        m_bMenuShowing = 0;
    }
    else
        m_bPressed = 1;
    Invalidate();
    CButton::OnLButtonDown(nFlags, point);
}

void CMenuButton::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_bPressed)
    {
        m_bPressed = 0;
        Invalidate();
    }
    CButton::OnLButtonUp(nFlags, point);
}

void CMenuButton::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_bPressed)
    {
        CPoint ptScreen = point;
        ClientToScreen(&ptScreen);
        if (::WindowFromPoint(ptScreen) != GetSafeHwnd())
        {
            m_bPressed = 0;
            ReleaseCapture();
            Invalidate();
        }
    }
    CButton::OnMouseMove(nFlags, point);
}

void CMenuButton::OnSetFocus(CWnd* pOldWnd)
{
    CButton::OnSetFocus(pOldWnd);
    Invalidate();
}

void CMenuButton::OnKillFocus(CWnd* pNewWnd)
{
    CButton::OnKillFocus(pNewWnd);
}

void CMenuButton::OnSysColorChange()
{
    CButton::OnSysColorChange();
    Invalidate();
}

void CMenuButton::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    if (lpDIS->CtlType != ODT_BUTTON)
        return;
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    CGdiObject* pOldFont = pDC->SelectStockObject(DEFAULT_GUI_FONT);
    CRect rect = lpDIS->rcItem;
    BOOL bDisabled = (lpDIS->itemState & ODS_DISABLED) != 0;
    BOOL bFocused = (lpDIS->itemState & ODS_FOCUS) != 0;
    BOOL bDefault = (GetButtonStyle() & 0x0F) == BS_DEFPUSHBUTTON;

    pDC->FillSolidRect(&rect, ::GetSysColor(COLOR_BTNFACE));
    if (bDefault)
        rect.DeflateRect(1, 1);

    if (!m_bPressed || m_bMenuShowing)
        pDC->DrawFrameControl(&rect, DFC_BUTTON, DFCS_BUTTONPUSH);
    else
    {
        CBrush brShadow(::GetSysColor(COLOR_BTNSHADOW));
        CRect inner = rect;
        inner.DeflateRect(1, 1);
        pDC->FrameRect(&inner, &brShadow);
    }
    if ((bDefault || m_bPressed) && !bDisabled)
    {
        CBrush brBlack(RGB(0, 0, 0));
        pDC->FrameRect(&lpDIS->rcItem, &brBlack);
        if (m_bPressed)
            pDC->FrameRect(&rect, &brBlack);
    }

    CRect rcFocus = rect;
    rcFocus.DeflateRect(4, 4);
    rcFocus.right -= kArrowZone;
    if (!m_bMenuShowing)
    {
        if (bFocused || m_bPressed)
            pDC->DrawFocusRect(&rcFocus);
        if (lpDIS->itemAction & ODA_FOCUS)
            pDC->DrawFocusRect(&rcFocus);
    }

    CString strText;
    GetWindowText(strText);
    CRect rcText = rect;
    rcText.right -= kArrowZone;
    rcText.left += 2;
    if (m_bPressed)
        rcText.OffsetRect(1, 1);
    pDC->SetBkMode(TRANSPARENT);
    if (bDisabled)
    {
        CRect rcEmboss = rcText;
        rcEmboss.OffsetRect(1, 1);
        pDC->SetTextColor(::GetSysColor(COLOR_WINDOW));
        pDC->DrawText(strText, &rcEmboss, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
        pDC->SetTextColor(::GetSysColor(COLOR_GRAYTEXT));
    }
    else
        pDC->SetTextColor(::GetSysColor(COLOR_WINDOWTEXT));
    pDC->DrawText(strText, &rcText, DT_SINGLELINE | DT_CENTER | DT_VCENTER);

    // Separator and arrow.
    int xSep = rect.right - kArrowZone;
    CPen penShadow(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW));
    CPen penLight(PS_SOLID, 1, ::GetSysColor(COLOR_BTNHILIGHT));
    CPen* pOldPen = pDC->SelectObject(&penShadow);
    pDC->MoveTo(xSep, rect.top + 4);
    pDC->LineTo(xSep, rect.bottom - 4);
    pDC->SelectObject(&penLight);
    pDC->MoveTo(xSep + 1, rect.top + 4);
    pDC->LineTo(xSep + 1, rect.bottom - 4);

    CPen penArrow(PS_SOLID, 1, bDisabled ? ::GetSysColor(COLOR_GRAYTEXT) : ::GetSysColor(COLOR_WINDOWTEXT));
    pDC->SelectObject(&penArrow);
    int xCenter = rect.right - kArrowZone / 2;
    int yTip = rect.top + rect.Height() / 2 + 2;
    for (int row = 0; row < 4; row++)
    {
        int nHalf = 3 - row;  // widths 7, 5, 3, 1 from the top row down to the tip
        pDC->MoveTo(xCenter - nHalf, yTip - 3 + row);
        pDC->LineTo(xCenter + nHalf + 1, yTip - 3 + row);
    }
    pDC->SelectObject(pOldPen);

    if (m_bMenuShowing)
    {
        CRect rcEdge = lpDIS->rcItem;
        pDC->DrawEdge(&rcEdge, EDGE_SUNKEN, BF_RECT);
    }
    if (pOldFont)
        pDC->SelectObject(pOldFont);
}
