#include "GridBmpCell.h"

#include "GridCellSupport.h"

// The run-time class names the plain cell as base, as the cell factory knows it.
IMPLEMENT_DYNCREATE(CGridBmpCell, CGridCellBase)

CGridBmpCell::CGridBmpCell() {}

CGridBmpCell::~CGridBmpCell() {}

void CGridBmpCell::operator=(const CGridCellBase& cell) { CGridCellBase::operator=(cell); }

int CGridBmpCell::ImageForRowState(int nRowState, BOOL bHighlighted)
{
    switch (nRowState) {
    case 5:
        return bHighlighted ? 4 : 1;
    case 2:
        return bHighlighted ? 5 : 2;
    default:
        return -1;
    }
}

BOOL CGridBmpCell::Draw(CDC* pDC, int, int, CRect rect, BOOL)
{
    CGridCtrl* pGrid = GetGrid();
    if (!pDC || !pGrid)
        return FALSE;
    GridCellSupport::DrawFrameOrFill(pDC, this, pGrid, rect, GridCellSupport::FRAME_FILL_SELECTED);
    const UINT nState = GetState();
    const BOOL bHighlighted = (nState & (GRIDSTATE_SELECTED | GRIDSTATE_DROPHILITED)) && !(nState & GRIDSTATE_FOCUSED);
    const int nImage = ImageForRowState(GetRowState(), bHighlighted);
    CImageList* pImages = pGrid->GetImageList();
    if (nImage >= 0 && pImages)
        pImages->Draw(pDC, nImage, CPoint(rect.left + 5, rect.top + 4), ILD_TRANSPARENT);
    return TRUE;
}

BOOL CGridBmpCell::Edit(int, int, CRect, CPoint, UINT, UINT) { return TRUE; }
