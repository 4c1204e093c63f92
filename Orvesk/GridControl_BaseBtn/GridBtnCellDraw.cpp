// Drawing and measuring of button cells.
#include "GridBtnCellBase.h"

#include "GridCellSupport.h"

namespace {
const UINT kButtonTextFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS;
const UINT kReadOnlyButtonState = DFCS_BUTTONRADIOIMAGE | DFCS_INACTIVE;
}  // namespace

BOOL CGridBtnCellBase::DrawButtons(CDC* pDC, int, int, CRect& rect, BOOL)
{
    CGridCtrl* pGrid = GetGrid();
    if (!pGrid || !pDC || rect.Width() < 1 || rect.Height() < 1)
        return FALSE;
    ASSERT(GetMaxButtons() <= GRIDBTN_LAYOUT_MAX);
    if (GetButtonCount() < 1)
        return TRUE;

    const int nSaved = pDC->SaveDC();
    if (GetState() & (GRIDSTATE_SELECTED | GRIDSTATE_DROPHILITED)) {
        pDC->SelectStockObject(BLACK_PEN);
        pDC->SelectStockObject(NULL_BRUSH);
        pDC->Rectangle(rect);
    }
    pDC->SetBkMode(TRANSPARENT);
    const int nMargin = static_cast<int>(GetMargin());
    rect.left += nMargin;
    rect.right -= nMargin;
    LOGFONT lf = *GetFont();
    CFont font;
    font.CreateFontIndirect(&lf);
    CFont* pOldFont = pDC->SelectObject(&font);

    CRect rects[GRIDBTN_LAYOUT_ROOM];
    if (LayoutButtons(rects, GRIDBTN_LAYOUT_ROOM, rect)) {
        const BOOL bFrames = GridCellSupport::GetSelectedCount(pGrid) < 2;
        for (int i = 0; i < GetButtonCount(); i++) {
            const UINT nState = GetDrawState(i);
            if (bFrames)
                pDC->DrawFrameControl(&rects[i], GetDrawCtl(i), IsEditable() ? nState : kReadOnlyButtonState);
            LPCTSTR pszText = GetButtonText(i);
            if (!pszText || !*pszText)
                continue;
            const COLORREF crKept = pDC->GetTextColor();
            CRect rcText = rects[i];
            if (nState & DFCS_INACTIVE) {
                // Embossed: a white copy one pixel down and right, then grey.
                CRect rcShadow = rcText;
                rcShadow.OffsetRect(1, 1);
                pDC->SetTextColor(RGB(255, 255, 255));
                pDC->DrawText(pszText, -1, &rcShadow, kButtonTextFormat);
                pDC->SetTextColor(::GetSysColor(COLOR_GRAYTEXT));
            } else {
                pDC->SetTextColor(::GetSysColor(COLOR_BTNTEXT));
            }
            pDC->DrawText(pszText, -1, &rcText, kButtonTextFormat);
            pDC->SetTextColor(crKept);
        }
        rect = rects[GetButtonCount()];
    }
    pDC->SelectObject(pOldFont);
    font.DeleteObject();
    pDC->RestoreDC(nSaved);
    return TRUE;
}

BOOL CGridBtnCellBase::Draw(CDC* pDC, int nRow, int nCol, CRect rect, BOOL bEraseBkgnd)
{
    CRect rcText = rect;
    if (GetState() & (GRIDSTATE_SELECTED | GRIDSTATE_DROPHILITED))
        DrawButtons(pDC, nRow, nCol, rcText, bEraseBkgnd);
    if (CGridCtrl* pGrid = GetGrid()) {
        if (pDC)
            GridCellSupport::DrawFrameOrFill(pDC, this, pGrid, rect, GridCellSupport::FRAME_SINGLE_SELECTION);
    }
    return CGridCellBase::Draw(pDC, nRow, nCol, rcText, bEraseBkgnd);
}

BOOL CGridBtnCellBase::PrintCell(CDC* pDC, int nRow, int nCol, CRect rect)
{
    return Draw(pDC, nRow, nCol, rect, TRUE);
}

BOOL CGridBtnCellBase::GetTextRect(LPRECT pRect)
{
    ASSERT(GetGrid() && GetMaxButtons() <= GRIDBTN_LAYOUT_MAX);
    if (!pRect)
        return FALSE;
    if (GetGrid() && GetButtonCount() > 0) {
        CRect rects[GRIDBTN_LAYOUT_ROOM];
        if (LayoutButtons(rects, GRIDBTN_LAYOUT_ROOM, CRect(pRect))) {
            const int nMargin = static_cast<int>(GetMargin());
            CRect rcText = rects[GetButtonCount()];
            rcText.left += nMargin;
            rcText.right -= nMargin;
            *pRect = rcText;
        }
    }
    return CGridCellBase::GetTextRect(pRect);
}

BOOL CGridBtnCellBase::GetTipTextRect(LPRECT pRect) { return GetTextRect(pRect); }

CSize CGridBtnCellBase::GetCellExtent(CDC* pDC)
{
    CSize size = CGridCellBase::GetCellExtent(pDC);
    int nButtons = 0;
    for (int i = 0; i < GetButtonCount(); i++) {
        const int nWidth = GetButtonWidth(i);
        if (nWidth > 0) {
            nButtons += nWidth;
            continue;
        }
        LPCTSTR pszText = GetButtonText(i);
        if (pszText && *pszText && pDC) {
            LOGFONT lf = *GetFont();
            CFont font;
            font.CreateFontIndirect(&lf);
            CFont* pOld = pDC->SelectObject(&font);
            CRect rc(0, 0, 0, 0);
            pDC->DrawText(pszText, -1, &rc, GetFormat() | DT_CALCRECT);
            pDC->SelectObject(pOld);
            nButtons += rc.Width();
        } else {
            nButtons += size.cy;
        }
    }
    size.cx += nButtons + 4 * static_cast<int>(GetMargin());
    return size;
}
