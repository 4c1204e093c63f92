#include "GridCellSupport.h"

#include "GridEditHooks.h"

#include <ClassLib/Controls/ControlStyles.h>

namespace GridCellSupport {

int GetBlankWidth(const CGridCtrl* pGrid) { return pGrid ? pGrid->GetBlankWidth() : 0; }

void SetBlankWidth(CGridCtrl* pGrid, int nWidth)
{
    if (pGrid)
        pGrid->SetBlankWidth(nWidth);
}

BOOL IsDrawingToOtherDC(const CGridCtrl* pGrid) { return pGrid && (pGrid->IsDrawingOnDC() || pGrid->IsPrinting()); }

int GetSelectedCount(const CGridCtrl* pGrid) { return pGrid ? pGrid->GetSelectedCount() : 0; }

CTaskItem* GetRowTask(const CGridCtrl* pGrid, int nRow) { return pGrid ? pGrid->GetRowTask(nRow) : NULL; }

LRESULT SendToParent(CGridCtrl* pGrid, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    if (!pGrid || !pGrid->GetSafeHwnd())
        return 0;
    CWnd* pParent = pGrid->GetParent();
    if (!pParent || !pParent->GetSafeHwnd())
        return 0;
    return pParent->SendMessage(nMessage, wParam, lParam);
}

CWnd* CreateTextEditor(CGridCtrl* pGrid, const CRect& rect, DWORD dwStyle, UINT nID, int nRow, int nCol,
                       LPCTSTR pszText, UINT nFirstChar)
{
    CGridEditorHooks* pHooks = GridGetEditorHooks();
    if (!pGrid || !pHooks)
        return NULL;
    return pHooks->CreateEdit(pGrid, rect, dwStyle, nID, nRow, nCol, pszText, nFirstChar);
}

CWnd* CreateListEditor(CGridCtrl* pGrid, const CRect& rect, DWORD dwStyle, UINT nID, int nRow, int nCol,
                       const CStringArray& options, LPCTSTR pszText, UINT nFirstChar)
{
    CGridEditorHooks* pHooks = GridGetEditorHooks();
    if (!pGrid || !pHooks)
        return NULL;
    return pHooks->CreateList(pGrid, rect, dwStyle, nID, nRow, nCol, options, pszText, nFirstChar);
}

void DropDownListEditor(CWnd* pList)
{
    if (pList && pList->GetSafeHwnd())
        pList->SendMessage(CB_SHOWDROPDOWN, TRUE, 0);
}

void EndEditor(CWnd* pEditor)
{
    CGridEditorHooks* pHooks = GridGetEditorHooks();
    if (pEditor && pHooks)
        pHooks->EndEdit(pEditor);
}

namespace {
// The cell frame's pens (white, black), made once: every visible cell draws its frame on each
// paint, and a pen made and deleted per cell was a good part of the cell's drawing.
CPen* FramePen(BOOL bBlack)
{
    static CPen* const s_pens[2] = {new CPen(PS_SOLID, 1, RGB(255, 255, 255)), new CPen(PS_SOLID, 1, RGB(0, 0, 0))};
    return s_pens[bBlack ? 1 : 0];
}
} // namespace

void DrawFrameOrFill(CDC* pDC, const CGridCellBase* pCell, CGridCtrl* pGrid, const CRect& rect, FrameRule rule)
{
    if (!pDC || !pCell || !pGrid || IsDrawingToOtherDC(pGrid))
        return;
    const UINT nState = pCell->GetState();
    const BOOL bSelected = (nState & GRIDSTATE_SELECTED) != 0;
    const BOOL bBlack = (nState & (GRIDSTATE_FOCUSED | GRIDSTATE_DROPHILITED)) ||
                        (rule == FRAME_SINGLE_SELECTION && bSelected && pGrid->GetSelectedCount() == 1);
    if (!bBlack && bSelected) {
        CBrush brush(pCell->GetFocusFillColour());
        pDC->FillRect(rect, &brush);
        return;
    }
    CPen* pOldPen = pDC->SelectObject(FramePen(bBlack));
    CGdiObject* pOldBrush = pDC->SelectStockObject(HOLLOW_BRUSH);
    pDC->Rectangle(rect);
    if (pOldBrush)
        pDC->SelectObject(pOldBrush);
    pDC->SelectObject(pOldPen);
}

}  // namespace GridCellSupport
