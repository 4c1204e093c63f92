// A date cell of a task row: its drop-down arrow opens a date picker on the task's start
// (column 4) or finish (column 5).
#pragma once

#include "GridBtnCell.h"

class CGridDlgCell : public CGridBtnCell {
    DECLARE_DYNCREATE(CGridDlgCell)

public:
    CGridDlgCell();
    ~CGridDlgCell() override;

    void OnClick(CPoint point) override;
    BOOL Edit(int nRow, int nCol, CRect rect, CPoint point, UINT nID, UINT nChar) override;
    void EndEdit() override;
    void OnEndEdit() override;

    // The start (column 4) or finish (column 5) of the row's task; FALSE without one.
    BOOL GetTaskDate(COleDateTime& date) const;

protected:
    BOOL IsDropDownArrow(int nIndex) const;
};
