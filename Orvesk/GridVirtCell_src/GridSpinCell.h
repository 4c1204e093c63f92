// The duration cell of a task row: "%d个工作日" with an up arrow (button 0) and a down
// arrow (any other button) that step the working days, never below 0.
#pragma once

#include "GridBtnCell.h"

class CGridSpinCell : public CGridBtnCell {
    DECLARE_DYNCREATE(CGridSpinCell)

public:
    CGridSpinCell();
    ~CGridSpinCell() override;

    void OnClick(CPoint point) override;
    BOOL Edit(int nRow, int nCol, CRect rect, CPoint point, UINT nID, UINT nChar) override;
    void EndEdit() override;
    void OnEndEdit() override;

protected:
    // Steps the value by the pressed button and writes the text back.
    void StepValue(int nButton);
    // Tells the grid's parent that the row's task changed. FALSE for a new, unnamed row
    // (row state 4); a row without a task is not reported either.
    BOOL ReportTaskChanged();
};
