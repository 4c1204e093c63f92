// The status icon of a task row, drawn from the grid's image list by the cell's row state.
#pragma once

#include "GridBtnCell.h"

class CGridBmpCell : public CGridBtnCell {
    DECLARE_DYNCREATE(CGridBmpCell)

public:
    CGridBmpCell();
    ~CGridBmpCell() override;

    void operator=(const CGridCellBase& cell) override;
    BOOL Draw(CDC* pDC, int nRow, int nCol, CRect rect, BOOL bEraseBkgnd = TRUE) override;
    BOOL Edit(int nRow, int nCol, CRect rect, CPoint point, UINT nID, UINT nChar) override;
    void OnEndEdit() override {}

    // The image shown for a row state, or -1 for none.
    static int ImageForRowState(int nRowState, BOOL bHighlighted);
};
