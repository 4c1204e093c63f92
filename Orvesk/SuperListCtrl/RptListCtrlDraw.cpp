// CRptListCtrl: drawing of rows, cells, categories and the empty list; scroll bars; the
// tiled background bitmap.
#include "SuperListCtrl/RptListCtrl.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

// Shown when the list has no rows.
const char kEmptyListText[] = "没有项目成员";

UINT AlignOf(int nFormat)
{
    switch (nFormat & LVCFMT_JUSTIFYMASK)
    {
    case LVCFMT_RIGHT:
        return DT_RIGHT;
    case LVCFMT_CENTER:
        return DT_CENTER;
    default:
        return DT_LEFT;
    }
}

}  // namespace

int CRptListCtrl::FirstSelected() const
{
    return GetNextItem(-1, LVNI_SELECTED);
}

void CRptListCtrl::DrawBackground(CDC* pDC, const CRect& rcClip, int nItem)
{
    if (m_pBkBitmap == nullptr || m_nBkWidth <= 0 || m_nBkHeight <= 0)
        return;
    int nSave = pDC->SaveDC();
    CRect clip = rcClip;
    if (nItem == GetItemCount() - 1)
    {
        CRect client;
        GetClientRect(&client);
        clip.bottom = std::max(clip.bottom, client.bottom);
    }
    pDC->IntersectClipRect(&clip);
    if (m_pPalette != nullptr && (pDC->GetDeviceCaps(RASTERCAPS) & RC_PALETTE))
    {
        pDC->SelectPalette(m_pPalette, FALSE);
        pDC->RealizePalette();
    }
    // Tiles start at the first row's origin, so they scroll with the rows.
    CRect rcFirst;
    CPoint origin(0, 0);
    if (GetItemCount() > 0 && GetItemRect(0, &rcFirst, LVIR_BOUNDS))
        origin = rcFirst.TopLeft();
    CDC mem;
    mem.CreateCompatibleDC(pDC);
    CBitmap* pOld = mem.SelectObject(m_pBkBitmap);
    int x0 = origin.x + ((clip.left - origin.x) / m_nBkWidth - 1) * m_nBkWidth;
    int y0 = origin.y + ((clip.top - origin.y) / m_nBkHeight - 1) * m_nBkHeight;
    for (int y = y0; y < clip.bottom; y += m_nBkHeight)
        for (int x = x0; x < clip.right; x += m_nBkWidth)
            if (x + m_nBkWidth > clip.left && y + m_nBkHeight > clip.top)
                pDC->BitBlt(x, y, m_nBkWidth, m_nBkHeight, &mem, 0, 0, SRCCOPY);
    mem.SelectObject(pOld);
    pDC->RestoreDC(nSave);
}

void CRptListCtrl::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    if (lpDIS == nullptr)
        return;
    if (HasCategories())
    {
        DrawCategoryItem(lpDIS);
        return;
    }
    int nItem = static_cast<int>(lpDIS->itemID);
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    UINT state = GetItemState(nItem, 0xFFFFFFFF);
    bool bFocusList = GetFocus() == this;
    bool bHighlight = ((state & LVIS_SELECTED) && (bFocusList || (GetStyle() & LVS_SHOWSELALWAYS))) ||
                      (state & LVIS_DROPHILITED);
    bool bFocusRow = (state & LVIS_FOCUSED) != 0;

    CRect rcBounds, rcLabel, rcIcon;
    GetItemRect(nItem, &rcBounds, LVIR_BOUNDS);
    GetItemRect(nItem, &rcLabel, LVIR_LABEL);
    GetItemRect(nItem, &rcIcon, LVIR_ICON);
    CRect rcRowWithBand = rcBounds;
    rcBounds.bottom -= m_nBandHeight;
    rcLabel.bottom -= m_nBandHeight;
    if ((m_dwStyle & RPTS_FULLROWS) && rcBounds.right < m_nClientWidth)
        rcBounds.right = m_nClientWidth;
    rcRowWithBand.right = rcBounds.right;

    int nSave = pDC->SaveDC();
    CPen* pOldPen = pDC->SelectObject(&m_penLight);
    COLORREF clrText = bHighlight ? ::GetSysColor(COLOR_HIGHLIGHTTEXT) : ::GetSysColor(COLOR_BTNTEXT);

    DrawBackground(pDC, rcRowWithBand, nItem);
    if (bHighlight)
    {
        if (m_bBlendSelection && m_pBkBitmap != nullptr && m_pBkImages != nullptr)
        {
            int nRowSave = pDC->SaveDC();
            pDC->IntersectClipRect(&rcBounds);
            CRect rcFirst;
            CPoint origin = rcBounds.TopLeft();
            if (GetItemRect(0, &rcFirst, LVIR_BOUNDS))
                origin = rcFirst.TopLeft();
            int x0 = origin.x + ((rcBounds.left - origin.x) / m_nBkWidth - 1) * m_nBkWidth;
            int y0 = origin.y + ((rcBounds.top - origin.y) / m_nBkHeight - 1) * m_nBkHeight;
            for (int y = y0; y < rcBounds.bottom; y += m_nBkHeight)
                for (int x = x0; x < rcBounds.right; x += m_nBkWidth)
                    if (x + m_nBkWidth > rcBounds.left && y + m_nBkHeight > rcBounds.top)
                        m_pBkImages->DrawEx(pDC, 0, CPoint(x, y), CSize(m_nBkWidth, m_nBkHeight), CLR_NONE,
                                            m_clrHighlight, ILD_BLEND25);
            pDC->RestoreDC(nRowSave);
        }
        else
            pDC->FillSolidRect(&rcBounds, m_clrHighlight);
    }
    else if (m_pBkBitmap == nullptr)
        pDC->FillSolidRect(&rcBounds, m_clrTextBkKept);

    // State image, then the small image.
    CImageList* pState = GetImageList(LVSIL_STATE);
    int nStateImage = static_cast<int>((state & LVIS_STATEIMAGEMASK) >> 12) - 1;
    if (pState != nullptr && nStateImage >= 0)
        pState->Draw(pDC, nStateImage, rcBounds.TopLeft(), ILD_TRANSPARENT);
    CImageList* pSmall = GetImageList(LVSIL_SMALL);
    if (pSmall != nullptr)
    {
        LVITEM lvi;
        std::memset(&lvi, 0, sizeof(lvi));
        lvi.mask = LVIF_IMAGE | LVIF_STATE;
        lvi.iItem = nItem;
        lvi.stateMask = 0xFFFF;
        GetItem(&lvi);
        UINT nStyle = ILD_TRANSPARENT | (state & LVIS_OVERLAYMASK);
        COLORREF clrFg = CLR_NONE;
        if (state & LVIS_CUT)
        {
            nStyle |= ILD_BLEND50;
            clrFg = m_clrBkKept;
        }
        else if (bHighlight)
        {
            nStyle |= ILD_BLEND50;
            clrFg = m_clrHighlight;
        }
        int cx = 0, cy = 0;
        pSmall->GetIconSize(&cx, &cy);
        pSmall->DrawEx(pDC, lvi.iImage, CPoint(rcIcon.left, rcIcon.top - m_nBandHeight / 2), CSize(16, cy - 1),
                       m_clrBkKept, clrFg, nStyle);
    }

    DrawCells(pDC, nItem, rcBounds, rcLabel, clrText, bHighlight, bFocusRow, false);

    if (m_nBandHeight > 0)
    {
        CRect rcBand(rcBounds.left, rcBounds.bottom, rcBounds.right, rcBounds.bottom + m_nBandHeight);
        pDC->SelectObject(&m_fontNormal);
        if (m_pBkBitmap == nullptr)
            pDC->FillSolidRect(&rcBand, m_clrTextBkKept);
        CRptCellDrawInfo info;
        info.m_nKind = RPT_CELL_DRAWBAND;
        info.m_nCtrlId = OwnerCtrlId();
        info.m_nRow = nItem;
        info.m_dwItemData = static_cast<DWORD_PTR>(GetItemData(nItem));
        info.m_pDC = pDC;
        info.m_rect = rcBand;
        NotifyOwner(&info);
        pDC->MoveTo(rcBand.left, rcBand.bottom - 1);
        pDC->LineTo(rcBand.right, rcBand.bottom - 1);
    }
    bool bLine = (m_dwStyle & RPTS_HGRID) != 0;
    if (m_dwStyle & RPTS_ROWDECORATION)
    {
        CRptCellDrawInfo info;
        info.m_nKind = RPT_CELL_DRAWROW;
        info.m_nCtrlId = OwnerCtrlId();
        info.m_nRow = nItem;
        info.m_dwItemData = static_cast<DWORD_PTR>(GetItemData(nItem));
        info.m_pDC = pDC;
        info.m_rect = rcBounds;
        if (NotifyOwner(&info))
            bLine = false;
    }
    if (bLine)
    {
        pDC->MoveTo(rcBounds.left, rcBounds.bottom - 1);
        pDC->LineTo(rcBounds.right, rcBounds.bottom - 1);
    }
    if (bFocusRow && bFocusList)
    {
        CRect rcFocus = rcBounds;
        rcFocus.bottom -= 1;
        pDC->DrawFocusRect(&rcFocus);
    }
    pDC->SelectObject(pOldPen);
    pDC->RestoreDC(nSave);
}

// The cells of one row; with categories the first column is the expander strip.
void CRptListCtrl::DrawCells(CDC* pDC, int nItem, const CRect& rcBounds, const CRect& rcLabel, COLORREF clrText,
                             bool bHighlight, bool bFocusRow, bool bCategories)
{
    bool bCursor = (m_dwStyle & RPTS_CELLCURSOR) && bFocusRow;
    DWORD_PTR dwData = static_cast<DWORD_PTR>(GetItemData(nItem));
    pDC->SetBkMode(TRANSPARENT);
    CRect rcClip;
    pDC->GetClipBox(&rcClip);

    // First column.
    LVCOLUMN col;
    std::memset(&col, 0, sizeof(col));
    col.mask = LVCF_FMT | LVCF_WIDTH | LVCF_SUBITEM;
    GetColumn(0, &col);
    CRect rcText = rcLabel;
    rcText.right -= m_nStateImageWidth;
    rcText.DeflateRect(2, 0);
    pDC->SelectObject(&m_fontNormal);
    pDC->SetTextColor(clrText);
    bool bOwnerColor = false;
    if (bCategories)
    {
        CRect rcStrip(rcBounds.left, rcBounds.top, rcText.right + 2, rcBounds.bottom);
        pDC->FillSolidRect(&rcStrip, m_clrCategory);
        CPen pen(PS_SOLID, 1, RGB(0x80, 0x80, 0x80));
        CPen* pOld = pDC->SelectObject(&pen);
        pDC->MoveTo(rcStrip.right - 1, rcStrip.top);
        pDC->LineTo(rcStrip.right - 1, rcStrip.bottom);
        pDC->SelectObject(pOld);
    }
    else
    {
        CRptCellInfo info;
        if (WantsCellFormat(0))
        {
            info.m_nKind = RPT_CELL_FORMAT;
            info.m_nCtrlId = OwnerCtrlId();
            info.m_nRow = nItem;
            info.m_nColumn = col.iSubItem;
            info.m_dwItemData = dwData;
            ApplyCellFormat(pDC, &info);
            bOwnerColor = (info.m_nFlags & RPT_FMT_COLOR) != 0;
        }
        if (bCursor && m_nCursorCol == 0)
        {
            if (!bOwnerColor)
                pDC->SetTextColor(::GetSysColor(COLOR_BTNTEXT));
            if (rcText.Width() > 4)
                pDC->FillSolidRect(&rcText, m_clrTextBkKept);
        }
        CString text;
        GetCellText(nItem, 0, text, dwData, TRUE);
        if (IsImageCell(0))
        {
            if (!text.IsEmpty() && m_pCellImages != nullptr)
                m_pCellImages->DrawEx(pDC, std::atoi(text), rcText.TopLeft(), CSize(16, 0), CLR_NONE, CLR_NONE,
                                      ILD_TRANSPARENT);
        }
        else
            pDC->DrawText(text, &rcText,
                          DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_NOCLIP | AlignOf(col.fmt));
    }
    // The owner's colour belongs to the first column (the row keeps its font with row formatting).
    if (bOwnerColor)
        pDC->SetTextColor(clrText);
    if (m_dwStyle & RPTS_VGRID)
    {
        pDC->MoveTo(rcText.right + 1, rcBounds.top);
        pDC->LineTo(rcText.right + 1, rcBounds.bottom);
    }

    // Further columns.
    int x = rcBounds.left + col.cx;
    int nColumns = GetColumnCount();
    for (int c = 1; c < nColumns; ++c)
    {
        std::memset(&col, 0, sizeof(col));
        col.mask = LVCF_FMT | LVCF_WIDTH | LVCF_SUBITEM;
        GetColumn(c, &col);
        CRect rcCell(x, rcBounds.top, x + col.cx, rcBounds.bottom);
        x += col.cx;
        if (rcCell.left > rcClip.right)
            break;
        if (rcCell.right < rcClip.left)
            continue;
        bool bCursorCell = bCursor && c == m_nCursorCol;
        CString text;
        GetCellText(nItem, c, text, dwData, TRUE);
        if (text.IsEmpty())
        {
            if (bCursorCell)
                pDC->FillSolidRect(&rcCell, m_clrTextBkKept);
        }
        else
        {
            CRect rcCellText = rcCell;
            rcCellText.DeflateRect(6, 0);
            pDC->SetTextColor(bCursorCell ? ::GetSysColor(COLOR_BTNTEXT) : clrText);
            if (WantsCellFormat(c))
            {
                CRptCellInfo info;
                info.m_nKind = RPT_CELL_FORMAT;
                info.m_nCtrlId = OwnerCtrlId();
                info.m_nRow = nItem;
                info.m_nColumn = col.iSubItem;
                info.m_dwItemData = dwData;
                ApplyCellFormat(pDC, &info);
            }
            if (bCursorCell)
                pDC->FillSolidRect(&rcCell, m_clrTextBkKept);
            if (IsImageCell(c))
            {
                int cx = 16, cy = 16;
                if (m_pCellImages != nullptr)
                {
                    m_pCellImages->GetIconSize(&cx, &cy);
                    CPoint pt(rcCell.left + (rcCell.Width() - cx) / 2, rcCell.top + (rcCell.Height() - cy) / 2);
                    m_pCellImages->Draw(pDC, std::atoi(text), pt, ILD_TRANSPARENT);
                }
            }
            else
                pDC->DrawText(text, &rcCellText,
                              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_NOCLIP | DT_END_ELLIPSIS | AlignOf(col.fmt));
        }
        if (m_dwStyle & RPTS_VGRID)
        {
            pDC->MoveTo(rcCell.right - 1, rcCell.top);
            pDC->LineTo(rcCell.right - 1, rcCell.bottom);
        }
    }
    (void)bHighlight;
}

void CRptListCtrl::DrawCategoryItem(LPDRAWITEMSTRUCT lpDIS)
{
    int nItem = static_cast<int>(lpDIS->itemID);
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    DWORD_PTR dwData = static_cast<DWORD_PTR>(GetItemData(nItem));
    int nCategory = m_pCategoryManager->IndexOfCategory(dwData);
    UINT state = GetItemState(nItem, 0xFFFFFFFF);
    bool bFocusList = GetFocus() == this;
    bool bHighlight = ((state & LVIS_SELECTED) && (bFocusList || (GetStyle() & LVS_SHOWSELALWAYS))) ||
                      (state & LVIS_DROPHILITED);
    CRect rcBounds, rcLabel;
    GetItemRect(nItem, &rcBounds, LVIR_BOUNDS);
    GetItemRect(nItem, &rcLabel, LVIR_LABEL);
    if ((m_dwStyle & RPTS_FULLROWS) && rcBounds.right < m_nClientWidth)
        rcBounds.right = m_nClientWidth;
    int nSave = pDC->SaveDC();
    CPen* pOldPen = pDC->SelectObject(&m_penDark);
    COLORREF clrText = bHighlight ? ::GetSysColor(COLOR_HIGHLIGHTTEXT) : ::GetSysColor(COLOR_BTNTEXT);
    if (nCategory < 0)
    {
        DrawBackground(pDC, rcBounds, nItem);
        if (bHighlight)
            pDC->FillSolidRect(&rcBounds, m_clrHighlight);
        else if (m_pBkBitmap == nullptr)
            pDC->FillSolidRect(&rcBounds, m_clrTextBkKept);
        DrawCells(pDC, nItem, rcBounds, rcLabel, clrText, bHighlight, (state & LVIS_FOCUSED) != 0, true);
        if (m_dwStyle & RPTS_HGRID)
        {
            pDC->SelectObject(&m_penDark);
            pDC->MoveTo(rcBounds.left, rcBounds.bottom - 1);
            pDC->LineTo(rcBounds.right, rcBounds.bottom - 1);
        }
    }
    else
    {
        CRptCategoryEntry* pEntry = m_pCategoryManager->GetCategory(nCategory);
        pDC->FillSolidRect(&rcBounds, bHighlight ? m_clrHighlight : m_clrCategory);
        CRect rcButton(rcBounds.left + 3, rcBounds.top + (rcBounds.Height() - 12) / 2, rcBounds.left + 15,
                       rcBounds.top + (rcBounds.Height() - 12) / 2 + 12);
        pDC->Draw3dRect(&rcButton, RGB(255, 255, 255), RGB(0, 0, 0));
        CRect rcInner = rcButton;
        rcInner.DeflateRect(1, 1);
        pDC->Draw3dRect(&rcInner, RGB(0xC0, 0xC0, 0xC0), RGB(0x80, 0x80, 0x80));
        rcInner.DeflateRect(1, 1);
        pDC->FillSolidRect(&rcInner, RGB(0xC0, 0xC0, 0xC0));
        int cx = rcButton.left + 6, cy = rcButton.top + 6;
        CPen penBlack(PS_SOLID, 1, RGB(0, 0, 0));
        pDC->SelectObject(&penBlack);
        pDC->MoveTo(cx - 3, cy);
        pDC->LineTo(cx + 4, cy);
        bool bOpen = pEntry != nullptr && pEntry->open;
        if (!bOpen)
        {
            pDC->MoveTo(cx, cy - 3);
            pDC->LineTo(cx, cy + 4);
        }
        pDC->SelectObject(&m_penDark);
        pDC->MoveTo(bOpen ? rcBounds.left + 16 : rcBounds.left, rcBounds.bottom - 1);
        pDC->LineTo(rcBounds.right, rcBounds.bottom - 1);
        CString text = GetItemText(nItem, 0);
        CRect rcText(rcBounds.left + 20, rcBounds.top, rcBounds.right, rcBounds.bottom);
        pDC->SelectObject(&m_fontNormal);
        pDC->SetBkMode(TRANSPARENT);
        pDC->SetTextColor(clrText);
        pDC->DrawText(text, &rcText, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_NOCLIP);
    }
    if ((state & LVIS_FOCUSED) && bFocusList)
    {
        CRect rcFocus = rcBounds;
        rcFocus.bottom -= 1;
        pDC->DrawFocusRect(&rcFocus);
    }
    pDC->SelectObject(pOldPen);
    pDC->RestoreDC(nSave);
}

// ---- Painting, size, scroll bars ----------------------------------------------------------

void CRptListCtrl::OnPaint()
{
    int nCount = GetItemCount();
    if ((m_dwStyle & RPTS_FULLROWS) && nCount > 0)
    {
        CRect rcRow;
        GetItemRect(0, &rcRow, LVIR_BOUNDS);
        CRect client;
        GetClientRect(&client);
        if (rcRow.right < client.right)
        {
            CRect rcUpdate;
            GetUpdateRect(&rcUpdate);
            rcUpdate.left = rcRow.right - 1;
            rcUpdate.right = client.right;
            InvalidateRect(&rcUpdate, FALSE);
        }
    }
    CListCtrl::OnPaint();
    if (nCount == 0)
    {
        CClientDC dc(this);
        CRect client;
        GetClientRect(&client);
        int top = 0;
        if (m_header.GetSafeHwnd() != nullptr && m_header.IsWindowVisible())
        {
            CRect rcHeader;
            m_header.GetWindowRect(&rcHeader);
            ScreenToClient(&rcHeader);
            top = rcHeader.bottom;
        }
        CRect rcEmpty(client.left, top + 2, client.right, client.bottom);
        dc.FillSolidRect(&rcEmpty, m_clrTextBkKept);
        CFont* pOld = dc.SelectObject(&m_fontNormal);
        dc.SetTextColor(::GetSysColor(COLOR_GRAYTEXT));
        dc.SetBkMode(TRANSPARENT);
        dc.DrawText(kEmptyListText, &rcEmpty, DT_CENTER | DT_SINGLELINE | DT_TOP | DT_NOPREFIX);
        dc.SelectObject(pOld);
        if (m_dwStyle & RPTS_FIXEDSCROLLBARS)
            EnableScrollBar(SB_HORZ, ESB_DISABLE_BOTH);
    }
    else if (m_dwStyle & RPTS_FIXEDSCROLLBARS)
    {
        CRect rcRow, client;
        GetItemRect(0, &rcRow, LVIR_BOUNDS);
        GetClientRect(&client);
        EnableScrollBar(SB_HORZ, rcRow.Width() < client.Width() ? ESB_DISABLE_BOTH : ESB_ENABLE_BOTH);
    }
}

BOOL CRptListCtrl::OnEraseBkgnd(CDC* pDC)
{
    if (m_pBkBitmap != nullptr)
        return TRUE;
    return CListCtrl::OnEraseBkgnd(pDC);
}

void CRptListCtrl::UpdateScrollBars()
{
    if (m_hWnd == nullptr)
        return;
    bool bKeep = (m_dwStyle & RPTS_FIXEDSCROLLBARS) != 0;
    if (bKeep == m_bKeepScrollBars && !bKeep)
        return;
    // The list control keeps both bars shown while the style asks for it.
    m_bKeepScrollBars = bKeep;
    CListCtrl::UpdateScrollBars();
    if (!bKeep)
        return;
    int nCount = GetItemCount();
    EnableScrollBar(SB_VERT, nCount > 0 && nCount >= GetCountPerPage() ? ESB_ENABLE_BOTH : ESB_DISABLE_BOTH);
    CRect rcRow, client;
    GetClientRect(&client);
    bool bNarrow = nCount == 0 || !GetItemRect(0, &rcRow, LVIR_BOUNDS) || rcRow.Width() < client.Width();
    EnableScrollBar(SB_HORZ, bNarrow ? ESB_DISABLE_BOTH : ESB_ENABLE_BOTH);
}

void CRptListCtrl::OnSize(UINT nType, int cx, int cy)
{
    CListCtrl::OnSize(nType, cx, cy);
    m_nClientWidth = cx;
    UpdateScrollBars();
    CPoint pt;
    ::GetCursorPos(&pt);
    ScreenToClient(&pt);
    int nCol = -1;
    int nRow = HitTestEx(pt, &nCol);
    if (nRow > 0)
    {
        CRect rc;
        for (int r = nRow - 1; r <= nRow + 1; ++r)
            if (GetCellRect(r, nCol, rc))
                InvalidateRect(&rc);
    }
}

// ---- Background bitmap --------------------------------------------------------------------

void CRptListCtrl::FreeBkImage()
{
    delete m_pBkBitmap;
    m_pBkBitmap = nullptr;
    delete m_pPalette;
    m_pPalette = nullptr;
    delete m_pBkImages;
    m_pBkImages = nullptr;
    m_nBkWidth = m_nBkHeight = 0;
}

BOOL CRptListCtrl::SetBkImage(UINT nResourceId)
{
    if (nResourceId == static_cast<UINT>(-1))
        return SetBkImage(static_cast<LPCTSTR>(nullptr));
    return SetBkImage(MAKEINTRESOURCE(nResourceId));
}

BOOL CRptListCtrl::SetBkImage(LPCTSTR lpszResource)
{
    FreeBkImage();
    if (lpszResource == nullptr)
    {
        if (m_hWnd != nullptr)
            Invalidate();
        return TRUE;
    }
    HBITMAP hBitmap = static_cast<HBITMAP>(
        ::LoadImage(AfxFindResourceHandle(lpszResource, RT_BITMAP), lpszResource, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (hBitmap == nullptr)
        return FALSE;
    m_pBkBitmap = new CBitmap;
    m_pBkBitmap->Attach(hBitmap);
    BITMAP bm;
    std::memset(&bm, 0, sizeof(bm));
    m_pBkBitmap->GetBitmap(&bm);
    m_nBkWidth = bm.bmWidth;
    m_nBkHeight = bm.bmHeight;
    // A copy for the blended selection.
    m_pBkImages = new CImageList;
    if (m_pBkImages->Create(m_nBkWidth, m_nBkHeight, ILC_COLOR16, 1, 1))
    {
        CBitmap copy;
        copy.Attach(static_cast<HBITMAP>(::LoadImage(AfxFindResourceHandle(lpszResource, RT_BITMAP), lpszResource, IMAGE_BITMAP, 0, 0,
                                                      LR_CREATEDIBSECTION)));
        m_pBkImages->Add(&copy, static_cast<CBitmap*>(nullptr));
    }
    // The screen here has no palette of its own: a halftone palette serves every depth.
    m_pPalette = new CPalette;
    CClientDC dc(nullptr);
    m_pPalette->CreateHalftonePalette(&dc);
    if (m_hWnd != nullptr)
        Invalidate();
    return TRUE;
}
