// The hot-tracking button.
#include <Tavrin/RnHotButton.h>

#include <ClassLib/Gdi/LoadImage.h>
#include <ClassLib/Gdi/PaintTarget.h>
#include <ClassLib/Wnd/Cursor.h>

BEGIN_MESSAGE_MAP(CRnHotButton, CButton)
    ON_WM_CAPTURECHANGED()
    ON_WM_SETCURSOR()
    ON_WM_KILLFOCUS()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_LBUTTONDOWN()
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

CRnHotButton::CRnHotButton()
    : m_bMouseDown(0), m_nAlign(0), m_bShowText(1), m_bDrawBorder(1), m_bIsFlat(1), m_bHot(0),
      m_bDrawFlatFocus(0), m_nImageKind(0), m_bDisableImage(1), m_bCheckMode(0), m_bChecked(0),
      m_hCursor(NULL), m_pbmpOldBk(NULL), m_sizeImage(0, 0), m_bDrawTransparent(0), m_bIsDefault(0)
{
    m_crInactiveBg = ::GetSysColor(COLOR_BTNFACE);
    m_crInactiveFg = ::GetSysColor(COLOR_BTNTEXT);
    m_crActiveBg = ::GetSysColor(COLOR_BTNFACE);
    m_crActiveFg = ::GetSysColor(COLOR_BTNTEXT);
}

CRnHotButton::~CRnHotButton()
{
    if (m_Images.GetSafeHandle())
    {
        m_Images.Remove(-1);
        m_Images.DeleteImageList();
    }
    if (m_dcBk.GetSafeHdc() && m_pbmpOldBk)
        m_dcBk.SelectObject(m_pbmpOldBk);
    if (m_hCursor)
        ::DestroyCursor(m_hCursor);
}

// ---- Images ---------------------------------------------------------------------------

void CRnHotButton::SetImages(CBitmap* pNormal, CBitmap* pHot, COLORREF crMask)
{
    BITMAP bm;
    memset(&bm, 0, sizeof bm);
    pNormal->GetBitmap(&bm);
    m_sizeImage = CSize(bm.bmWidth, bm.bmHeight);
    if (m_Images.GetSafeHandle())
    {
        m_Images.Remove(-1);
        m_Images.DeleteImageList();
    }
    m_Images.Create(m_sizeImage.cx, m_sizeImage.cy, ILC_COLOR24 | ILC_MASK, 6, 6);
    m_Images.Add(pNormal, crMask);
    if (pHot)
        m_Images.Add(pHot, crMask);
}

void CRnHotButton::SetBitmap(int nBitmapIn, int nBitmapOut, COLORREF crTransColor)
{
    if (nBitmapIn <= 0)
    {
        m_nImageKind = 0;
    }
    else
    {
        // A picture that is not there leaves the former images (a missing hot picture:
        // the normal one serves for both states).
        CBitmap bmpIn, bmpOut;
        if (bmpIn.LoadBitmap((UINT)nBitmapIn))
        {
            m_nImageKind = 1;
            BOOL bHot = nBitmapOut > 0 && bmpOut.LoadBitmap((UINT)nBitmapOut);
            SetImages(&bmpIn, bHot ? &bmpOut : &bmpIn, crTransColor);
        }
    }
    if (GetSafeHwnd())
        Invalidate();
}

void CRnHotButton::SetBitmap(CString strBitmapIn, CString strBitmapOut, COLORREF crTransColor)
{
    if (strBitmapIn.IsEmpty())
    {
        m_nImageKind = 0;
    }
    else
    {
        m_nImageKind = 1;
        HBITMAP hIn = (HBITMAP)::LoadImage(NULL, strBitmapIn, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE);
        if (hIn)
        {
            CBitmap bmpIn, bmpOut;
            bmpIn.Attach(hIn);
            HBITMAP hOut = strBitmapOut.IsEmpty()
                               ? NULL
                               : (HBITMAP)::LoadImage(NULL, strBitmapOut, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE);
            if (hOut)
                bmpOut.Attach(hOut);
            // A second file that cannot be loaded leaves only the normal image.
            SetImages(&bmpIn, hOut ? &bmpOut : (strBitmapOut.IsEmpty() ? &bmpIn : NULL), crTransColor);
        }
    }
    if (GetSafeHwnd())
        Invalidate();
}

void CRnHotButton::SetIconImages(HICON hNormal, HICON hHot)
{
    m_sizeImage = CSize(32, 32);
    if (m_Images.GetSafeHandle())
    {
        m_Images.Remove(-1);
        m_Images.DeleteImageList();
    }
    m_Images.Create(32, 32, ILC_COLOR24 | ILC_MASK, 6, 6);
    m_Images.Add(hNormal);
    if (hHot)
        m_Images.Add(hHot);
}

void CRnHotButton::SetIcon(int nIconIn, int nIconOut)
{
    if (nIconIn <= 0)
        m_nImageKind = 0;
    else
    {
        HICON hIn = AfxLoadIcon((UINT)nIconIn);
        if (hIn)
        {
            m_nImageKind = 2;
            HICON hOut = nIconOut > 0 ? AfxLoadIcon((UINT)nIconOut) : NULL;
            SetIconImages(hIn, hOut ? hOut : hIn);
        }
    }
    if (GetSafeHwnd())
        Invalidate();
}

void CRnHotButton::SetIcon(CString strIconIn, CString strIconOut)
{
    if (strIconIn.IsEmpty())
        m_nImageKind = 0;
    else
    {
        m_nImageKind = 2;
        HICON hIn = (HICON)::LoadImage(NULL, strIconIn, IMAGE_ICON, 0, 0, LR_LOADFROMFILE);
        if (hIn)
        {
            HICON hOut = strIconOut.IsEmpty()
                             ? hIn
                             : (HICON)::LoadImage(NULL, strIconOut, IMAGE_ICON, 0, 0, LR_LOADFROMFILE);
            SetIconImages(hIn, hOut);
        }
    }
    if (GetSafeHwnd())
        Invalidate();
}

void CRnHotButton::SetImageList(UINT nBitmapID, int nWidth, int nHeight, COLORREF crMask)
{
    if (nBitmapID == 0)
        m_nImageKind = 0;
    else
    {
        CBitmap bmp;
        if (bmp.LoadBitmap(nBitmapID))
        {
            m_nImageKind = 1;
            m_sizeImage = CSize(nWidth, nHeight);
            if (m_Images.GetSafeHandle())
            {
                m_Images.Remove(-1);
                m_Images.DeleteImageList();
            }
            m_Images.Create(nWidth, nHeight, ILC_COLOR24 | ILC_MASK, 6, 6);
            m_Images.Add(&bmp, crMask);
        }
    }
    if (GetSafeHwnd())
        Invalidate();
}

// ---- Appearance -------------------------------------------------------------------------

void CRnHotButton::SetFlat(int bState)
{
    m_bIsFlat = bState;
    if (GetSafeHwnd())
        Invalidate();
}

void CRnHotButton::SetAlign(int nAlign)
{
    if (nAlign >= 0 && nAlign <= 2)
        m_nAlign = nAlign;
    if (GetSafeHwnd())
        Invalidate();
}

void CRnHotButton::SetShowText(int bShow)
{
    m_bShowText = bShow;
    if (GetSafeHwnd())
        Invalidate();
}

void CRnHotButton::SetFlatFocus(int bDrawFlatFocus, int bRepaint)
{
    m_bDrawFlatFocus = bDrawFlatFocus;
    if (bRepaint == 1 && GetSafeHwnd())
        Invalidate();
}

void CRnHotButton::DrawTransparent(int bRepaint)
{
    m_bDrawTransparent = 1;
    if (m_dcBk.GetSafeHdc())
    {
        if (m_pbmpOldBk)
            m_dcBk.SelectObject(m_pbmpOldBk);
        m_pbmpOldBk = NULL;
        m_bmpBk.DeleteObject();
        m_dcBk.DeleteDC();
    }
    if (bRepaint && GetSafeHwnd())
        Invalidate();
}

#define PC_HOTBUTTON_COLOUR_SETTER(Name, member, sys)                                      \
    void CRnHotButton::Set##Name(COLORREF crNew, int bRepaint)                              \
    {                                                                                       \
        member = crNew;                                                                     \
        if (bRepaint == 1 && GetSafeHwnd())                                                 \
            Invalidate();                                                                   \
    }                                                                                       \
    void CRnHotButton::SetDefault##Name(int bRepaint)                                       \
    {                                                                                       \
        member = ::GetSysColor(sys);                                                        \
        if (bRepaint == 1 && GetSafeHwnd())                                                 \
            Invalidate();                                                                   \
    }

PC_HOTBUTTON_COLOUR_SETTER(InactiveBgColor, m_crInactiveBg, COLOR_BTNFACE)
PC_HOTBUTTON_COLOUR_SETTER(InactiveFgColor, m_crInactiveFg, COLOR_BTNTEXT)
PC_HOTBUTTON_COLOUR_SETTER(ActiveBgColor, m_crActiveBg, COLOR_BTNFACE)
PC_HOTBUTTON_COLOUR_SETTER(ActiveFgColor, m_crActiveFg, COLOR_BTNTEXT)

// ---- Behaviour --------------------------------------------------------------------------

void CRnHotButton::SetBtnCursor(int nCursorId)
{
    if (m_hCursor)
        ::DestroyCursor(m_hCursor);
    m_hCursor = nCursorId > 0 ? AfxLoadCursor((UINT)nCursorId) : NULL;
}

void CRnHotButton::InitToolTip()
{
    if (!m_ToolTip.GetSafeHwnd())
    {
        m_ToolTip.Create(this);
        m_ToolTip.Activate(FALSE);
    }
}

void CRnHotButton::SetTooltipText(CString strText, BOOL bActivate)
{
    if (strText == m_strToolTip)
        return;
    m_strToolTip = strText;
    InitToolTip();
    if (m_ToolTip.GetToolCount() == 0)
    {
        CRect rect;
        GetClientRect(rect);
        m_ToolTip.AddTool(this, (LPCTSTR)strText, rect, 1);
    }
    m_ToolTip.UpdateTipText((LPCTSTR)strText, this, 1);
    m_ToolTip.Activate(bActivate);
}

void CRnHotButton::SetTooltipText(int nId, BOOL bActivate)
{
    CString str;
    if (!str.LoadString((UINT)nId) || str.IsEmpty())
        return;
    SetTooltipText(str, bActivate);
}

void CRnHotButton::ActivateTooltip(BOOL bActivate)
{
    if (m_ToolTip.GetSafeHwnd() && m_ToolTip.GetToolCount() > 0)
        m_ToolTip.Activate(bActivate);
}

void CRnHotButton::SetCheck(int nCheck)
{
    m_bChecked = nCheck;
    if (GetSafeHwnd())
        Invalidate();
}

// ---- Window --------------------------------------------------------------------------------

void CRnHotButton::PreSubclassWindow()
{
    UINT nStyle = GetButtonStyle();
    if ((nStyle & 0x0F) == BS_DEFPUSHBUTTON)
        m_bIsDefault = 1;
    SetButtonStyle((nStyle & ~0x0Fu) | BS_OWNERDRAW, TRUE);
    CButton::PreSubclassWindow();
}

BOOL CRnHotButton::PreTranslateMessage(MSG* pMsg)
{
    InitToolTip();
    m_ToolTip.RelayEvent(pMsg);
    return CButton::PreTranslateMessage(pMsg);
}

LRESULT CRnHotButton::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // A double click counts as two clicks: the second press goes the way of the first.
    if (message == WM_LBUTTONDBLCLK)
        return SendMessage(WM_LBUTTONDOWN, wParam, lParam);
    return CButton::DefWindowProc(message, wParam, lParam);
}

void CRnHotButton::OnMouseMove(UINT nFlags, CPoint point)
{
    CButton::OnMouseMove(nFlags, point);
    if (!m_bIsFlat)
        return;
    if ((nFlags & MK_LBUTTON) && !m_bHot)
        return;

    CWnd* pActive = CWnd::GetActiveWindow();
    if (CWnd::GetCapture() != this && pActive && GetParent())
    {
        m_bHot = 1;
        SetCapture();
        Invalidate();
        return;
    }
    CPoint ptScreen = point;
    ClientToScreen(&ptScreen);
    HWND hUnder = ::WindowFromPoint(ptScreen);
    if (hUnder != GetSafeHwnd())
    {
        if (m_bHot)
        {
            m_bHot = 0;
            Invalidate();
        }
        if (!(nFlags & MK_LBUTTON))
            ReleaseCapture();
    }
}

void CRnHotButton::OnKillFocus(CWnd* pNewWnd)
{
    CButton::OnKillFocus(pNewWnd);
    if (m_bIsFlat && m_bHot)
    {
        m_bHot = 0;
        Invalidate();
    }
}

void CRnHotButton::OnCaptureChanged(CWnd* pWnd)
{
    if (m_bHot)
    {
        m_bHot = 0;
        ReleaseCapture();
        Invalidate();
    }
    CButton::OnCaptureChanged(pWnd);
}

void CRnHotButton::OnLButtonDown(UINT nFlags, CPoint point)
{
    m_bMouseDown = 1;
    CButton::OnLButtonDown(nFlags, point);
}

void CRnHotButton::OnLButtonUp(UINT nFlags, CPoint point)
{
    CRect rect;
    GetClientRect(rect);
    if (rect.PtInRect(point) && m_bCheckMode && m_bMouseDown)
        m_bChecked = !m_bChecked;
    m_bMouseDown = 0;
    CButton::OnLButtonUp(nFlags, point);
}

BOOL CRnHotButton::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (m_hCursor)
    {
        ::SetCursor(m_hCursor);
        return TRUE;
    }
    return CButton::OnSetCursor(pWnd, nHitTest, message);
}

HBRUSH CRnHotButton::CtlColor(CDC* /*pDC*/, UINT /*nCtlColor*/)
{
    return (HBRUSH)::GetStockObject(NULL_BRUSH);
}

void CRnHotButton::OnSysColorChange()
{
    CButton::OnSysColorChange();
    if (m_dcBk.GetSafeHdc())
    {
        if (m_pbmpOldBk)
            m_dcBk.SelectObject(m_pbmpOldBk);
        m_pbmpOldBk = NULL;
        m_dcBk.DeleteDC();
    }
    m_bmpBk.DeleteObject();
}

// ---- Drawing ----------------------------------------------------------------------------

void CRnHotButton::PaintBk(CDC* pDC)
{
    CWnd* pParent = GetParent();
    if (!pParent)
        return;
    CRect rect, rectS;
    GetClientRect(rect);
    GetWindowRect(rectS);
    pParent->ScreenToClient(rectS);
    // A copy taken at other pixels per logical pixel (the window went to another screen) is
    // taken again.
    if (m_dcBk.GetSafeHdc() && AfxPixelRatioOf(&m_bmpBk) != AfxPixelRatioOf(pDC))
    {
        if (m_pbmpOldBk)
            m_dcBk.SelectObject(m_pbmpOldBk);
        m_pbmpOldBk = NULL;
        m_dcBk.DeleteDC();
        m_bmpBk.DeleteObject();
    }
    if (!m_dcBk.GetSafeHdc())
    {
        CClientDC clDC(pParent);
        m_dcBk.CreateCompatibleDC(&clDC);
        m_bmpBk.CreateCompatibleBitmap(&clDC, rect.Width(), rect.Height());
        m_pbmpOldBk = m_dcBk.SelectObject(&m_bmpBk);
        m_dcBk.BitBlt(0, 0, rect.Width(), rect.Height(), &clDC, rectS.left, rectS.top, SRCCOPY);
    }
    pDC->BitBlt(0, 0, rect.Width(), rect.Height(), &m_dcBk, 0, 0, SRCCOPY);
}

void CRnHotButton::DrawTheImage(CDC* pDC, BOOL bHasText, CRect* rcItem, CRect* rcCaption, BOOL bPressed,
                                BOOL bDisabled)
{
    if (!m_Images.GetSafeHandle())
        return;
    const int W = rcItem->Width(), H = rcItem->Height();
    const int w = m_sizeImage.cx, h = m_sizeImage.cy;
    CPoint pt(rcItem->left, rcItem->top);
    switch (m_nAlign)
    {
    case 1:
        pt.x += (W - w) / 2;
        if (bHasText)
            rcCaption->top += h;
        else
            pt.y += (H - h) / 2;
        break;
    case 2:
        if (bHasText)
        {
            rcCaption->left = rcItem->left + 3;
            rcCaption->right = rcItem->left + W - w - 3;
            pt.x += W - w - 3;
        }
        else
            pt.x += (W - w) / 2;
        pt.y += (H - h) / 2;
        break;
    default:
        if (bHasText)
        {
            pt.x += 3;
            rcCaption->left += 3;
        }
        else
            pt.x += (W - w) / 2;
        if (H > h)
            pt.y += (H - h) / 2;
        break;
    }
    if (bPressed)
        pt.Offset(1, 1);

    if (bDisabled && m_bDisableImage)
    {
        HICON hIcon = m_Images.ExtractIcon(0);
        if (hIcon)
        {
            pDC->DrawState(pt, m_sizeImage, hIcon, DSS_DISABLED, (HBRUSH)NULL);
            ::DestroyIcon(hIcon);
        }
        return;
    }
    int nImage = (m_bHot || bPressed) ? 1 : 0;
    if (nImage >= m_Images.GetImageCount())
        return;  // no hot picture: the hot state draws no image
    m_Images.Draw(pDC, nImage, pt, ILD_TRANSPARENT);
}

void CRnHotButton::DrawTheBmp(CDC* pDC, BOOL bHasText, CRect* rcItem, CRect* rcCaption, BOOL bPressed,
                              BOOL bDisabled)
{
    DrawTheImage(pDC, bHasText, rcItem, rcCaption, bPressed, bDisabled);
}

void CRnHotButton::DrawTheIcon(CDC* pDC, BOOL bHasText, CRect* rcItem, CRect* rcCaption, BOOL bPressed,
                               BOOL bDisabled)
{
    DrawTheImage(pDC, bHasText, rcItem, rcCaption, bPressed, bDisabled);
}

void CRnHotButton::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    BOOL bPressed = (lpDIS->itemState & ODS_SELECTED) || (m_bCheckMode && m_bChecked);
    BOOL bFocused = (lpDIS->itemState & ODS_FOCUS) != 0;
    BOOL bDisabled = (lpDIS->itemState & ODS_DISABLED) != 0;
    CRect itemRect = lpDIS->rcItem;
    pDC->SetBkMode(TRANSPARENT);

    if (!m_bIsFlat && (bFocused || m_bIsDefault))
    {
        CBrush br(RGB(0, 0, 0));
        pDC->FrameRect(&itemRect, &br);
        itemRect.DeflateRect(1, 1);
    }

    COLORREF crBg = (m_bHot || bPressed) ? m_crActiveBg : m_crInactiveBg;
    if (m_bDrawTransparent)
        PaintBk(pDC);
    else
        pDC->FillSolidRect(&itemRect, crBg);

    CString strText;
    if (m_bShowText)
        GetWindowText(strText);

    if (m_bCheckMode && m_bChecked)
        pDC->FillSolidRect(&itemRect, RGB(216, 216, 216));

    CRect captionRect = lpDIS->rcItem;
    CRect imageRect = lpDIS->rcItem;
    if (m_nImageKind == 2)
        DrawTheIcon(pDC, !strText.IsEmpty(), &imageRect, &captionRect, bPressed, bDisabled);
    else if (m_nImageKind == 1)
        DrawTheBmp(pDC, !strText.IsEmpty(), &imageRect, &captionRect, bPressed, bDisabled);

    if (!strText.IsEmpty())
    {
        if (bPressed)
            captionRect.OffsetRect(1, 1);
        BOOL bActive = m_bHot || bPressed;
        pDC->SetTextColor(bActive ? m_crActiveFg : m_crInactiveFg);
        pDC->SetBkColor(bActive ? m_crActiveBg : m_crInactiveBg);
        CRect centerRect = captionRect;
        pDC->DrawText(strText, &captionRect, DT_SINGLELINE | DT_CALCRECT);
        captionRect.OffsetRect((centerRect.Width() - captionRect.Width()) / 2,
                               (centerRect.Height() - captionRect.Height()) / 2);
        if (bDisabled)
            pDC->DrawState(captionRect.TopLeft(), captionRect.Size(), (LPCTSTR)strText, DSS_DISABLED, TRUE, 0,
                           (HBRUSH)NULL);
        else
            pDC->DrawText(strText, &captionRect, DT_SINGLELINE | DT_CENTER);
    }

    if (!bPressed)
    {
        if (m_bIsFlat && m_bHot && m_bDrawBorder)
            pDC->Draw3dRect(&itemRect, ::GetSysColor(COLOR_BTNHILIGHT), ::GetSysColor(COLOR_BTNSHADOW));
        else if (!m_bIsFlat)
        {
            CRect r = itemRect;
            pDC->Draw3dRect(&r, ::GetSysColor(COLOR_3DHILIGHT), ::GetSysColor(COLOR_3DDKSHADOW));
            r.DeflateRect(1, 1);
            pDC->Draw3dRect(&r, ::GetSysColor(COLOR_3DLIGHT), ::GetSysColor(COLOR_3DSHADOW));
        }
    }
    else
    {
        if (m_bIsFlat && m_bDrawBorder)
            pDC->Draw3dRect(&itemRect, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHILIGHT));
        else if (!m_bIsFlat)
        {
            CBrush br(::GetSysColor(COLOR_BTNSHADOW));
            pDC->FrameRect(&itemRect, &br);
        }
    }

    if (bFocused && (!m_bIsFlat || m_bDrawFlatFocus))
    {
        CRect focusRect = itemRect;
        focusRect.DeflateRect(3, 3);
        pDC->DrawFocusRect(&focusRect);
    }
}
