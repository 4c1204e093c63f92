// The tree cell with text: the name column of the task grid.
#pragma once

#include "GridTreeCellBase.h"

class CGridTreeCell : public CGridTreeCellBase {
    DECLARE_DYNCREATE(CGridTreeCell)

public:
    CGridTreeCell();
    ~CGridTreeCell() override;

    void SetText(LPCTSTR szText) override;
    LPCTSTR GetText() const override;
    int HotRanges(CHotSpan spans[2]) const override
    {
        const int n = CGridTreeCellBase::HotRanges(spans);
        spans[n] = {&m_strText, &m_strText + 1};
        return n + 1;
    }
    void Reset() override;

    // Opens the in-place editor while the cell's tree value arms editing.
    BOOL Edit(int nRow, int nCol, CRect rect, CPoint point, UINT nID, UINT nChar) override;
    // Ends the editor; a name typed into a row without a task is reported to the grid's
    // parent with WM_GRID_NEWTASKNAME, once per edit.
    void EndEdit() override;
    void OnEndEdit() override;

protected:
    CString m_strText;
};
