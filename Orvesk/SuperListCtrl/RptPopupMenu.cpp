// CRptPopupMenu: toolbar images, converting a menu to owner-drawn items, measuring and
// drawing them.
#include "SuperListCtrl/RptPopupMenu.h"

#include <ClassLib/Frames/ToolBar.h>

#include <algorithm>
#include <cstring>

CRptPopupMenu::CRptPopupMenu()
    : m_clrText(::GetSysColor(COLOR_MENUTEXT)), m_clrHiText(::GetSysColor(COLOR_HIGHLIGHTTEXT)),
      m_clrFace(::GetSysColor(COLOR_BTNFACE)), m_clrMenu(::GetSysColor(COLOR_MENU)),
      m_clrHighlight(::GetSysColor(COLOR_HIGHLIGHT)), m_clr3dHi(::GetSysColor(COLOR_3DHILIGHT)),
      m_clr3dShadow(::GetSysColor(COLOR_3DSHADOW)), m_clrGray(::GetSysColor(COLOR_GRAYTEXT))
{
    NONCLIENTMETRICS ncm;
    std::memset(&ncm, 0, sizeof(ncm));
    ncm.cbSize = sizeof(ncm);
    if (::SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0))
        m_fontMenu.CreateFontIndirect(&ncm.lfMenuFont);
    else
        m_fontMenu.CreateStockObject(DEFAULT_GUI_FONT);
}

CRptPopupMenu::~CRptPopupMenu()
{
    for (CItem* p : m_items)
        delete p;
}

BOOL CRptPopupMenu::AddImages(UINT nIDResource, BOOL bFirst)
{
    const AFX_TOOLBAR_TEMPLATE* pBar =
        static_cast<const AFX_TOOLBAR_TEMPLATE*>(AfxFindResource(MAKEINTRESOURCE(nIDResource), RT_TOOLBAR));
    if (pBar == nullptr || pBar->wVersion != 1)
        return FALSE;
    CBitmap bmp;
    if (!bmp.LoadBitmap(nIDResource))
        return FALSE;
    if (bFirst) {
        m_images.DeleteImageList();
        m_imageMap.clear();
        m_sizeImage = CSize(pBar->wWidth, pBar->wHeight);
        if (!m_images.Create(pBar->wWidth, pBar->wHeight, ILC_COLOR24 | ILC_MASK, pBar->wItemCount, 4))
            return FALSE;
        m_images.SetBkColor(::GetSysColor(COLOR_BTNFACE));
    }
    int nIndex = static_cast<int>(m_imageMap.size());
    m_images.Add(&bmp, RGB(0xC0, 0xC0, 0xC0));
    for (int i = 0; i < pBar->wItemCount; ++i)
        if (pBar->pItems[i] != 0)
            m_imageMap.push_back({nIndex++, pBar->pItems[i]});
    return TRUE;
}

BOOL CRptPopupMenu::LoadToolBar(UINT nIDResource)
{
    return AddImages(nIDResource, TRUE);
}

BOOL CRptPopupMenu::AddToolBar(UINT nIDResource)
{
    return AddImages(nIDResource, m_images.GetSafeHandle() == nullptr);
}

int CRptPopupMenu::FindImage(UINT nCmd) const
{
    for (const auto& entry : m_imageMap)
        if (entry.second == nCmd)
            return entry.first;
    return -1;
}

CRptPopupMenu::CItem* CRptPopupMenu::NewItem(int nImage, UINT nCmd, LPCTSTR lpszText)
{
    CItem* p = new CItem;
    p->nImage = nImage;
    p->nCmd = nCmd;
    // Texts longer than the record are cut.
    std::strncpy(p->szText, lpszText != nullptr ? lpszText : "", sizeof(p->szText) - 1);
    p->szText[sizeof(p->szText) - 1] = '\0';
    m_items.push_back(p);
    return p;
}

void CRptPopupMenu::ConvertMenu(CMenu* pMenu, int nDepth)
{
    if (pMenu == nullptr)
        return;
    for (int i = static_cast<int>(pMenu->GetMenuItemCount()) - 1; i >= 0; --i) {
        CString strText;
        pMenu->GetMenuString(static_cast<UINT>(i), strText, MF_BYPOSITION);
        const UINT nState = pMenu->GetMenuState(static_cast<UINT>(i), MF_BYPOSITION);
        if (CMenu* pSub = pMenu->GetSubMenu(i)) {
            ConvertMenu(pSub, nDepth + 1);
            if (!strText.IsEmpty()) {
                CItem* p = NewItem(nDepth == 1 ? RPTMENU_TOPTITLE : RPTMENU_SUBMENU,
                                   static_cast<UINT>(nDepth == 1 ? RPTMENU_TOPTITLE : RPTMENU_SUBMENU), strText);
                pMenu->ModifyMenu(static_cast<UINT>(i), MF_BYPOSITION | MF_POPUP | MF_OWNERDRAW,
                                  reinterpret_cast<UINT_PTR>(pSub->GetSafeHmenu()), reinterpret_cast<LPCTSTR>(p));
            }
            continue;
        }
        if (nState & (MF_OWNERDRAW | MF_BITMAP))
            continue;
        const UINT nID = pMenu->GetMenuItemID(i);
        if (nID != 0) {
            CItem* p = NewItem(FindImage(nID), nID, strText);
            const UINT nKeep = nState & (MF_GRAYED | MF_DISABLED | MF_CHECKED);
            pMenu->ModifyMenu(static_cast<UINT>(i), MF_BYPOSITION | MF_OWNERDRAW | nKeep, nID,
                              reinterpret_cast<LPCTSTR>(p));
        } else {
            CItem* p = NewItem(RPTMENU_SEPARATOR, static_cast<UINT>(RPTMENU_SEPARATOR), "--");
            pMenu->ModifyMenu(static_cast<UINT>(i), MF_BYPOSITION | MF_OWNERDRAW, 0, reinterpret_cast<LPCTSTR>(p));
        }
    }
}

void CRptPopupMenu::UpdateMenuState(CMenu* pMenu, CCmdTarget* pTarget)
{
    if (pMenu == nullptr || pTarget == nullptr)
        return;
    CCmdUI state;
    state.m_pMenu = pMenu;
    state.m_nIndexMax = pMenu->GetMenuItemCount();
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
        if (CMenu* pSub = pMenu->GetSubMenu(static_cast<int>(state.m_nIndex))) {
            UpdateMenuState(pSub, pTarget);
            continue;
        }
        state.m_nID = pMenu->GetMenuItemID(static_cast<int>(state.m_nIndex));
        if (state.m_nID == 0)
            continue;
        state.DoUpdate(pTarget, FALSE);
    }
}

CFont* CRptPopupMenu::TextFont()
{
    return m_pChosenFont != nullptr ? m_pChosenFont : &m_fontMenu;
}

void CRptPopupMenu::MeasureItem(LPMEASUREITEMSTRUCT lpMIS)
{
    const CItem* p = reinterpret_cast<const CItem*>(lpMIS->itemData);
    if (p == nullptr)
        return;
    if (p->nImage == RPTMENU_SEPARATOR) {
        lpMIS->itemWidth = 10;
        lpMIS->itemHeight = 6;
        return;
    }
    if (p->szText[0] == '\0') {
        lpMIS->itemWidth = 100;
        lpMIS->itemHeight = static_cast<UINT>(m_sizeImage.cy + 5);
        return;
    }
    CClientDC dc(nullptr);
    CFont* pOld = dc.SelectObject(TextFont());
    CRect rc(0, 0, 0, 0);
    dc.DrawText(p->szText, -1, &rc, DT_SINGLELINE | DT_CALCRECT | DT_EXPANDTABS);
    dc.SelectObject(pOld);
    if (p->nImage == RPTMENU_TOPTITLE) {
        lpMIS->itemWidth = static_cast<UINT>(rc.Width());
        lpMIS->itemHeight = static_cast<UINT>(rc.Height());
        return;
    }
    const int nHeight = std::max<int>(m_sizeImage.cy + 5, rc.Height());
    lpMIS->itemHeight = static_cast<UINT>(nHeight);
    lpMIS->itemWidth = static_cast<UINT>(rc.Width() + 17 + std::max<int>(m_sizeImage.cx, nHeight));
}

void CRptPopupMenu::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    const CItem* p = reinterpret_cast<const CItem*>(lpDIS->itemData);
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    if (p == nullptr || pDC == nullptr)
        return;
    const CRect rc(lpDIS->rcItem);
    const bool bSelected = (lpDIS->itemState & ODS_SELECTED) != 0;
    const bool bDisabled = (lpDIS->itemState & (ODS_GRAYED | ODS_DISABLED)) != 0;
    const bool bChecked = (lpDIS->itemState & ODS_CHECKED) != 0;
    const bool bDefault = (lpDIS->itemState & ODS_DEFAULT) != 0;

    if (p->nImage == RPTMENU_SEPARATOR) {
        CPen penShadow(PS_SOLID, 1, m_clr3dShadow), penHi(PS_SOLID, 1, m_clr3dHi);
        CPen* pOld = pDC->SelectObject(&penShadow);
        pDC->MoveTo(rc.left + 2, rc.top + 2);
        pDC->LineTo(rc.right - 2, rc.top + 2);
        pDC->SelectObject(&penHi);
        pDC->MoveTo(rc.left + 2, rc.top + 3);
        pDC->LineTo(rc.right - 2, rc.top + 3);
        pDC->SelectObject(pOld);
        return;
    }

    LOGFONT lf;
    std::memset(&lf, 0, sizeof(lf));
    TextFont()->GetLogFont(&lf);
    m_fontBold.DeleteObject();
    lf.lfWeight = 700;
    m_fontBold.CreateFontIndirect(&lf);
    CFont* pOldFont = pDC->SelectObject(bDefault ? &m_fontBold : TextFont());
    const int nOldBk = pDC->SetBkMode(TRANSPARENT);
    const COLORREF clrOld = pDC->GetTextColor();

    if (p->nImage == RPTMENU_TOPTITLE) {
        pDC->FillSolidRect(&rc, m_clrMenu);
        CRect rcText = rc;
        if (bSelected && !bDisabled) {
            rcText.OffsetRect(2, 1);
            pDC->Draw3dRect(&rc, m_clr3dShadow, m_clr3dHi);
        }
        pDC->SetTextColor(m_clrText);
        pDC->DrawText(p->szText, -1, &rcText, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    } else {
        const int nSquare = rc.Height();
        CRect rcImage(rc.left, rc.top, rc.left + nSquare, rc.bottom);
        CRect rcText(rcImage.right, rc.top, rc.right, rc.bottom);
        pDC->FillSolidRect(&rcText, bSelected ? m_clrHighlight : m_clrMenu);
        pDC->FillSolidRect(&rcImage, m_clrMenu);
        if (p->nImage >= 0) {
            if (bSelected && !bDisabled)
                pDC->Draw3dRect(&rcImage, m_clr3dHi, m_clr3dShadow);
            else
                pDC->Draw3dRect(&rcImage, m_clrMenu, m_clrMenu);
            const CPoint pt(rcImage.left + (nSquare - m_sizeImage.cx) / 2, rcImage.top + (nSquare - m_sizeImage.cy) / 2);
            if (bDisabled) {
                HICON hIcon = m_images.ExtractIcon(p->nImage);
                pDC->DrawState(pt, m_sizeImage, hIcon, DSS_DISABLED | DST_ICON, static_cast<HBRUSH>(nullptr));
                ::DestroyIcon(hIcon);
            } else
                m_images.Draw(pDC, p->nImage, pt, ILD_TRANSPARENT);
        } else if (bChecked) {
            CRect rcCheck = rcImage;
            rcCheck.DeflateRect(3, 3);
            pDC->DrawFrameControl(&rcCheck, DFC_MENU, DFCS_MENUCHECK);
        }
        CRect rcLabel(rcText.left + 2, rcText.top, rcText.right - 15, rcText.bottom);
        CString strLeft(p->szText), strRight;
        const int nTab = strLeft.Find('\t');
        if (nTab >= 0) {
            strRight = strLeft.Mid(nTab + 1);
            strLeft = strLeft.Left(nTab);
        }
        auto drawText = [&](const CRect& r) {
            CRect rcPart = r;
            pDC->DrawText(strLeft, &rcPart, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
            if (nTab >= 0) {
                rcPart = r;
                pDC->DrawText(strRight, &rcPart, DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
            }
        };
        if (bDisabled && !bSelected) {
            CRect rcEmboss = rcLabel;
            rcEmboss.DeflateRect(1, 1);
            pDC->SetTextColor(m_clr3dHi);
            drawText(rcEmboss);
            pDC->SetTextColor(m_clrGray);
            drawText(rcLabel);
        } else {
            pDC->SetTextColor(bDisabled ? m_clrMenu : bSelected ? m_clrHiText : m_clrText);
            drawText(rcLabel);
        }
    }
    pDC->SetTextColor(clrOld);
    pDC->SetBkMode(nOldBk);
    pDC->SelectObject(pOldFont);
}
