// CToolBar: buttons from a toolbar resource, drawn by ClassLib, with tips and fly-by texts.
#include "Framework.h"

#include "FrameworkStrings.h"

#include <algorithm>
#include <cstring>
#include <vector>

IMPLEMENT_DYNAMIC(CToolBar, CControlBar)

BEGIN_MESSAGE_MAP(CToolBar, CControlBar)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_CAPTURECHANGED()
END_MESSAGE_MAP()

namespace {

const int kSeparatorWidth = 8;

// The command-UI object of one button.
class CToolCmdUI : public CCmdUI
{
public:
    void Enable(BOOL bOn) override
    {
        m_bEnableChanged = TRUE;
        CToolBar* pBar = static_cast<CToolBar*>(m_pOther);
        UINT nStyle = pBar->GetButtonStyle(static_cast<int>(m_nIndex)) & ~TBBS_DISABLED;
        if (!bOn)
            nStyle |= TBBS_DISABLED;
        pBar->SetButtonStyle(static_cast<int>(m_nIndex), nStyle);
    }
    void SetCheck(int nCheck) override
    {
        CToolBar* pBar = static_cast<CToolBar*>(m_pOther);
        UINT nStyle = pBar->GetButtonStyle(static_cast<int>(m_nIndex)) & ~(TBBS_CHECKED | TBBS_INDETERMINATE);
        if (nCheck == 1)
            nStyle |= TBBS_CHECKED;
        else if (nCheck == 2)
            nStyle |= TBBS_INDETERMINATE;
        pBar->SetButtonStyle(static_cast<int>(m_nIndex), nStyle | TBBS_CHECKBOX);
    }
    void SetText(LPCTSTR) override {}
};

}  // namespace

CToolBar::CToolBar()
    : m_sizeButton(23, 22),
      m_sizeImage(16, 15),
      m_dwCtrlStyle(0),
      m_hbmImageWell(nullptr),
      m_nImageCount(0),
      m_iHot(-1),
      m_iPressed(-1),
      m_nResourceID(0)
{
    m_cxLeftBorder = 2;
    m_cxRightBorder = 2;
    m_cyTopBorder = 2;
    m_cyBottomBorder = 2;
}

CToolBar::~CToolBar() = default;

BOOL CToolBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    return CreateEx(pParentWnd, 0, dwStyle, CRect(0, 0, 0, 0), nID);
}

BOOL CToolBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, CRect rcBorders, UINT nID)
{
    if (rcBorders.left != 0 || rcBorders.top != 0 || rcBorders.right != 0 || rcBorders.bottom != 0)
        SetBorders(rcBorders);
    m_dwCtrlStyle = dwCtrlStyle;
    m_dwStyle = dwStyle & CBRS_ALL;
    DWORD dwWndStyle = (dwStyle & ~CBRS_ALL) | WS_CHILD | WS_CLIPSIBLINGS;
    if (!CWnd::Create(AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW), nullptr, nullptr), nullptr, dwWndStyle,
                      CRect(0, 0, 100, 26), pParentWnd, nID))
        return FALSE;
    if (CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, pParentWnd))
    {
        pFrame->AddControlBar(this);
        m_pDockSite = pFrame;
    }
    return TRUE;
}

BOOL CToolBar::LoadToolBar(UINT nIDResource)
{
    return LoadToolBar(MAKEINTRESOURCE(nIDResource));
}

BOOL CToolBar::LoadToolBar(LPCTSTR lpszResourceName)
{
    const AFX_TOOLBAR_TEMPLATE* pData = static_cast<const AFX_TOOLBAR_TEMPLATE*>(AfxFindResource(lpszResourceName, RT_TOOLBAR));
    if (pData == nullptr || pData->wVersion != 1 || (pData->wItemCount > 0 && pData->pItems == nullptr))
    {
        TRACE("Warning: toolbar resource not found or not valid.\n");
        return FALSE;
    }
    std::vector<UINT> ids(pData->pItems, pData->pItems + pData->wItemCount);
    m_nResourceID = IS_INTRESOURCE(lpszResourceName) ? static_cast<UINT>(reinterpret_cast<ULONG_PTR>(lpszResourceName)) : 0;
    if (!SetButtons(ids.data(), static_cast<int>(ids.size())))
        return FALSE;
    SetSizes(CSize(pData->wWidth + 7, pData->wHeight + 7), CSize(pData->wWidth, pData->wHeight));
    // The pictures: the bitmap of the same id, when the module has one.
    if (AfxFindResourceHandle(lpszResourceName, RT_BITMAP) != nullptr)
        m_hbmImageWell = ::LoadBitmap(AfxFindResourceHandle(lpszResourceName, RT_BITMAP), lpszResourceName);
    return TRUE;
}

BOOL CToolBar::LoadBitmap(UINT nIDResource)
{
    HBITMAP hbm = ::LoadBitmap(AfxFindResourceHandle(nIDResource, RT_BITMAP), MAKEINTRESOURCE(nIDResource));
    if (hbm == nullptr)
        return FALSE;
    m_hbmImageWell = hbm;
    if (m_hWnd != nullptr)
        Invalidate();
    return TRUE;
}

BOOL CToolBar::SetButtons(const UINT* lpIDArray, int nIDCount)
{
    if (nIDCount < 0)
        return FALSE;
    m_buttons.clear();
    int iImage = 0;
    for (int i = 0; i < nIDCount; ++i)
    {
        Button b;
        b.nID = lpIDArray != nullptr ? lpIDArray[i] : 0;
        if (b.nID == ID_SEPARATOR && lpIDArray != nullptr)
        {
            b.nStyle = TBBS_SEPARATOR;
            b.iImage = kSeparatorWidth;
        }
        else
        {
            b.nStyle = TBBS_BUTTON;
            b.iImage = iImage++;
        }
        m_buttons.push_back(b);
    }
    m_nImageCount = iImage;
    m_rects.clear();
    if (m_hWnd != nullptr)
        Invalidate();
    return TRUE;
}

void CToolBar::SetSizes(SIZE sizeButton, SIZE sizeImage)
{
    m_sizeButton = sizeButton;
    m_sizeImage = sizeImage;
    m_rects.clear();
    if (m_hWnd != nullptr)
        Invalidate();
}

void CToolBar::SetHeight(int cyHeight)
{
    m_sizeButton.cy = std::max(1, cyHeight - m_cyTopBorder - m_cyBottomBorder);
    m_rects.clear();
}

int CToolBar::GetCount() const
{
    return static_cast<int>(m_buttons.size());
}

int CToolBar::CommandToIndex(UINT nIDFind) const
{
    for (size_t i = 0; i < m_buttons.size(); ++i)
        if (m_buttons[i].nID == nIDFind && !(m_buttons[i].nStyle & TBBS_SEPARATOR))
            return static_cast<int>(i);
    return -1;
}

UINT CToolBar::GetItemID(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetCount())
        return 0;
    return m_buttons[static_cast<size_t>(nIndex)].nID;
}

void CToolBar::LayoutButtons() const
{
    m_rects.assign(m_buttons.size(), CRect(0, 0, 0, 0));
    CRect inside(0, 0, 0, 0);
    const_cast<CToolBar*>(this)->CalcInsideRect(inside, TRUE);
    bool bHorz = const_cast<CToolBar*>(this)->IsHorizontal();
    int x = inside.left, y = inside.top;
    for (size_t i = 0; i < m_buttons.size(); ++i)
    {
        const Button& b = m_buttons[i];
        if (b.nStyle & TBBS_SEPARATOR)
        {
            int cx = b.iImage > 0 ? b.iImage : kSeparatorWidth;
            m_rects[i] = bHorz ? CRect(x, y, x + cx, y + m_sizeButton.cy) : CRect(x, y, x + m_sizeButton.cx, y + cx);
            (bHorz ? x : y) += cx;
        }
        else
        {
            m_rects[i] = CRect(x, y, x + m_sizeButton.cx, y + m_sizeButton.cy);
            (bHorz ? x : y) += bHorz ? m_sizeButton.cx : m_sizeButton.cy;
        }
    }
}

void CToolBar::GetItemRect(int nIndex, LPRECT lpRect) const
{
    if (lpRect == nullptr)
        return;
    if (nIndex < 0 || nIndex >= GetCount())
    {
        *lpRect = CRect(0, 0, 0, 0);
        return;
    }
    if (m_rects.size() != m_buttons.size())
        LayoutButtons();
    *lpRect = m_rects[static_cast<size_t>(nIndex)];
}

UINT CToolBar::GetButtonStyle(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetCount())
        return 0;
    return m_buttons[static_cast<size_t>(nIndex)].nStyle;
}

void CToolBar::SetButtonStyle(int nIndex, UINT nStyle)
{
    if (nIndex < 0 || nIndex >= GetCount())
        return;
    Button& b = m_buttons[static_cast<size_t>(nIndex)];
    if (b.nStyle == nStyle)
        return;
    bool bShape = ((b.nStyle ^ nStyle) & TBBS_SEPARATOR) != 0;
    b.nStyle = nStyle;
    if (bShape)
        m_rects.clear();
    if (m_hWnd != nullptr)
    {
        CRect rc;
        GetItemRect(nIndex, &rc);
        InvalidateRect(&rc, TRUE);
    }
}

void CToolBar::GetButtonInfo(int nIndex, UINT& nID, UINT& nStyle, int& iImage) const
{
    if (nIndex < 0 || nIndex >= GetCount())
    {
        nID = nStyle = 0;
        iImage = 0;
        return;
    }
    const Button& b = m_buttons[static_cast<size_t>(nIndex)];
    nID = b.nID;
    nStyle = b.nStyle;
    iImage = b.iImage;
}

void CToolBar::SetButtonInfo(int nIndex, UINT nID, UINT nStyle, int iImage)
{
    if (nIndex < 0 || nIndex >= GetCount())
        return;
    Button& b = m_buttons[static_cast<size_t>(nIndex)];
    b.nID = nID;
    b.nStyle = nStyle;
    b.iImage = iImage;
    m_rects.clear();
    if (m_hWnd != nullptr)
        Invalidate();
}

BOOL CToolBar::SetButtonText(int nIndex, LPCTSTR lpszText)
{
    if (nIndex < 0 || nIndex >= GetCount())
        return FALSE;
    m_buttons[static_cast<size_t>(nIndex)].strText = lpszText != nullptr ? lpszText : "";
    if (m_hWnd != nullptr)
        Invalidate();
    return TRUE;
}

CString CToolBar::GetButtonText(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetCount())
        return CString();
    return m_buttons[static_cast<size_t>(nIndex)].strText;
}

CString CToolBar::GetToolTipText(int nIndex) const
{
    UINT nID = GetItemID(nIndex);
    if (nID == 0 || (GetButtonStyle(nIndex) & TBBS_SEPARATOR))
        return CString();
    CString full, tip;
    if (!AfxLoadString(nID, full))
        return CString();
    AfxExtractSubString(tip, full, 1);
    return tip;
}

int CToolBar::HitTestButton(CPoint point) const
{
    if (m_rects.size() != m_buttons.size())
        LayoutButtons();
    for (size_t i = 0; i < m_buttons.size(); ++i)
    {
        if (!(m_buttons[i].nStyle & TBBS_SEPARATOR) && m_rects[i].PtInRect(point))
            return static_cast<int>(i);
    }
    return -1;
}

CSize CToolBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    if (m_rects.size() != m_buttons.size())
        LayoutButtons();
    CRect inside(0, 0, 0, 0);
    CalcInsideRect(inside, bHorz);
    int extent = 0;
    for (const CRect& rc : m_rects)
        extent = std::max<int>(extent, bHorz ? rc.right : rc.bottom);
    CSize size;
    if (bHorz)
    {
        size.cx = extent + m_cxRightBorder + ((m_dwStyle & CBRS_BORDER_RIGHT) ? 1 : 0);
        size.cy = m_sizeButton.cy - inside.Height();
    }
    else
    {
        size.cx = m_sizeButton.cx - inside.Width();
        size.cy = extent + m_cxRightBorder;
    }
    if (bStretch)
    {
        if (CFrameWnd* pFrame = GetDockingFrame())
        {
            CRect rc;
            pFrame->GetClientRect(&rc);
            if (bHorz)
                size.cx = std::max<int>(size.cx, rc.Width());
            else
                size.cy = std::max<int>(size.cy, rc.Height());
        }
    }
    return size;
}

CSize CToolBar::CalcDynamicLayout(int, DWORD nMode)
{
    return CalcFixedLayout((nMode & 0x10) != 0, (nMode & 0x04) != 0 || IsHorizontal());
}

void CToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    CToolCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = static_cast<UINT>(m_buttons.size());
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++)
    {
        const Button& b = m_buttons[state.m_nIndex];
        if (b.nStyle & TBBS_SEPARATOR)
            continue;
        state.m_nID = b.nID;
        // Commands of the system menu range are not the frame's to grey.
        state.DoUpdate(pTarget, bDisableIfNoHndler && b.nID < 0xF000);
    }
}

// The picture of a button: the module's bitmap strip, or a drawn placeholder that
// tells the buttons apart.
void CToolBar::DrawButton(CDC* pDC, int nIndex, const CRect& rc)
{
    const Button& b = m_buttons[static_cast<size_t>(nIndex)];
    bool bDisabled = (b.nStyle & TBBS_DISABLED) != 0;
    bool bPressed = nIndex == m_iPressed && nIndex == m_iHot;
    bool bChecked = (b.nStyle & TBBS_CHECKED) != 0;
    bool bFlat = (m_dwCtrlStyle & TBSTYLE_FLAT) != 0;
    COLORREF clrFace = ::GetSysColor(COLOR_BTNFACE);
    pDC->FillSolidRect(&rc, clrFace);
    if (bPressed || bChecked)
        pDC->Draw3dRect(&rc, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
    else if (!bFlat || (nIndex == m_iHot && !bDisabled))
        pDC->Draw3dRect(&rc, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW));
    CPoint pt(rc.left + (rc.Width() - m_sizeImage.cx) / 2, rc.top + (rc.Height() - m_sizeImage.cy) / 2);
    if (bPressed || bChecked)
        pt.Offset(1, 1);
    CRect rcImage(pt, m_sizeImage);
    if (m_hbmImageWell != nullptr && b.iImage >= 0)
    {
        CDC dcMem;
        dcMem.CreateCompatibleDC(pDC);
        CBitmap* pOld = dcMem.SelectObject(CBitmap::FromHandle(m_hbmImageWell));
        if (bDisabled)
        {
            // Greyed: the picture's darker pixels embossed, in the shadow colour with the
            // highlight colour one pixel below and right of them.
            pDC->FillSolidRect(&rcImage, clrFace);
            COLORREF clrShadow = ::GetSysColor(COLOR_BTNSHADOW);
            COLORREF clrLight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
            int x0 = b.iImage * m_sizeImage.cx;
            std::vector<CPoint> dark;
            for (int y = 0; y < m_sizeImage.cy; ++y)
                for (int x = 0; x < m_sizeImage.cx; ++x)
                {
                    COLORREF c = dcMem.GetPixel(x0 + x, y);
                    if (c == clrFace)
                        continue;
                    int lum = (GetRValue(c) * 30 + GetGValue(c) * 59 + GetBValue(c) * 11) / 100;
                    if (lum < 160)
                        dark.push_back(CPoint(x, y));
                }
            for (const CPoint& p : dark)
                pDC->SetPixel(rcImage.left + p.x + 1, rcImage.top + p.y + 1, clrLight);
            for (const CPoint& p : dark)
                pDC->SetPixel(rcImage.left + p.x, rcImage.top + p.y, clrShadow);
        }
        else
            pDC->BitBlt(rcImage.left, rcImage.top, m_sizeImage.cx, m_sizeImage.cy, &dcMem, b.iImage * m_sizeImage.cx, 0,
                        SRCCOPY);
        dcMem.SelectObject(pOld);
    }
    else
    {
        // Placeholder: a framed tile with a colour of its own per image.
        static const COLORREF kColors[] = {0x00C08040, 0x004080C0, 0x0040A040, 0x00A04080,
                                           0x008080C0, 0x00C0A040, 0x0040A0C0, 0x00606060};
        CRect tile = rcImage;
        tile.DeflateRect(1, 1);
        COLORREF clr = bDisabled ? ::GetSysColor(COLOR_BTNSHADOW) : kColors[static_cast<size_t>(std::max(0, b.iImage)) % 8];
        pDC->FillSolidRect(&tile, bDisabled ? clrFace : clr);
        pDC->FrameRect(&tile, CBrush::FromHandle(::GetSysColorBrush(bDisabled ? COLOR_BTNSHADOW : COLOR_BTNTEXT)));
    }
    if (!b.strText.IsEmpty())
    {
        CRect rcText = rc;
        rcText.top = rcImage.bottom;
        pDC->SetBkMode(TRANSPARENT);
        pDC->SetTextColor(::GetSysColor(bDisabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
        pDC->DrawText(b.strText, &rcText, DT_CENTER | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
}

void CToolBar::DoPaint(CDC* pDC)
{
    CControlBar::DoPaint(pDC);
    if (m_rects.size() != m_buttons.size())
        LayoutButtons();
    bool bHorz = IsHorizontal();
    for (size_t i = 0; i < m_buttons.size(); ++i)
    {
        const CRect& rc = m_rects[i];
        if (m_buttons[i].nStyle & TBBS_SEPARATOR)
        {
            // An etched line in the middle of the gap.
            if (bHorz)
                pDC->Draw3dRect(rc.left + rc.Width() / 2 - 1, rc.top + 1, 2, rc.Height() - 2, ::GetSysColor(COLOR_BTNSHADOW),
                                ::GetSysColor(COLOR_BTNHIGHLIGHT));
            else
                pDC->Draw3dRect(rc.left + 1, rc.top + rc.Height() / 2 - 1, rc.Width() - 2, 2, ::GetSysColor(COLOR_BTNSHADOW),
                                ::GetSysColor(COLOR_BTNHIGHLIGHT));
            continue;
        }
        DrawButton(pDC, static_cast<int>(i), rc);
    }
}

void CToolBar::ShowTip(int nIndex)
{
    // The prompt of the command in the frame's status bar (fly-by); the tip text itself is
    // shown by the tooltip layer where there is one.
    CFrameWnd* pFrame = GetDockingFrame();
    if (pFrame == nullptr)
        return;
    if (m_dwStyle & CBRS_FLYBY)
    {
        if (nIndex >= 0)
            pFrame->SendMessage(WM_SETMESSAGESTRING, GetItemID(nIndex));
        else
            pFrame->SendMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
    }
    if (m_dwStyle & CBRS_TOOLTIPS)
    {
        CString tip = nIndex >= 0 ? GetToolTipText(nIndex) : CString();
        pc_frame::ShowBarTip(this, tip, nIndex >= 0 ? m_rects[static_cast<size_t>(nIndex)] : CRect(0, 0, 0, 0));
    }
}

void CToolBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    int i = HitTestButton(point);
    if (i < 0 || (GetButtonStyle(i) & TBBS_DISABLED))
    {
        CControlBar::OnLButtonDown(nFlags, point);
        return;
    }
    m_iPressed = i;
    m_iHot = i;
    SetCapture();
    CRect rc;
    GetItemRect(i, &rc);
    InvalidateRect(&rc, TRUE);
}

void CToolBar::OnMouseMove(UINT nFlags, CPoint point)
{
    int i = HitTestButton(point);
    CRect client;
    GetClientRect(&client);
    if (!client.PtInRect(point))
        i = -1;
    if (i != m_iHot)
    {
        int nOld = m_iHot;
        m_iHot = i;
        CRect rc;
        if (nOld >= 0)
        {
            GetItemRect(nOld, &rc);
            InvalidateRect(&rc, TRUE);
        }
        if (i >= 0)
        {
            GetItemRect(i, &rc);
            InvalidateRect(&rc, TRUE);
        }
        if (m_iPressed < 0)
            ShowTip(i);
        // Leaving is noticed through the capture while over a button.
        if (i >= 0 && GetCapture() == nullptr)
            SetCapture();
        else if (i < 0 && m_iPressed < 0 && GetCapture() == this)
            ReleaseCapture();
    }
    CControlBar::OnMouseMove(nFlags, point);
}

void CToolBar::OnLButtonUp(UINT nFlags, CPoint point)
{
    int nPressed = m_iPressed;
    m_iPressed = -1;
    if (nPressed < 0)
    {
        CControlBar::OnLButtonUp(nFlags, point);
        return;
    }
    int i = HitTestButton(point);
    CRect rc;
    GetItemRect(nPressed, &rc);
    InvalidateRect(&rc, TRUE);
    if (i != nPressed)
    {
        if (GetCapture() == this && i < 0)
            ReleaseCapture();
        return;
    }
    if (GetCapture() == this)
        ReleaseCapture();
    m_iHot = -1;
    ShowTip(-1);
    UINT nID = GetItemID(nPressed);
    // A check button toggles before its command goes out.
    if (GetButtonStyle(nPressed) & TBBS_CHECKBOX)
        SetButtonStyle(nPressed, GetButtonStyle(nPressed) ^ TBBS_CHECKED);
    if (CFrameWnd* pFrame = GetDockingFrame())
        pFrame->SendMessage(WM_COMMAND, MAKEWPARAM(nID, 0 /* clicked */), reinterpret_cast<LPARAM>(m_hWnd));
}

void CToolBar::OnMouseLeaveMsg()
{
}

void CToolBar::OnCaptureChanged(CWnd* pWnd)
{
    if (pWnd != this)
    {
        if (m_iPressed >= 0 || m_iHot >= 0)
        {
            m_iPressed = -1;
            m_iHot = -1;
            ShowTip(-1);
            Invalidate();
        }
    }
    CControlBar::OnCaptureChanged(pWnd);
}
