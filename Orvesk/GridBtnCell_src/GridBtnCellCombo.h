// A button cell whose drop-down arrow opens a list of options.
#pragma once

#include "GridBtnCell.h"

class CGridBtnCellCombo : public CGridBtnCell {
    DECLARE_DYNCREATE(CGridBtnCellCombo)

public:
    CGridBtnCellCombo();
    ~CGridBtnCellCombo() override;

    void Reset() override;
    void OnClick(CPoint point) override;
    BOOL Edit(int nRow, int nCol, CRect rect, CPoint point, UINT nID, UINT nChar) override;
    void EndEdit() override;
    void OnEndEdit() override;

    // Combo styles: 1 simple, 2 drop-down, 3 drop-down list.
    virtual void SetComboStyle(int nStyle) { m_nComboStyle = nStyle; }
    virtual int GetComboStyle() const { return m_nComboStyle; }
    virtual void SetOptions(const CStringArray& options);
    virtual void GetOptions(CStringArray& options) const;

protected:
    // Whether the point lies on a drop-down arrow (a scroll button with state bit 0).
    BOOL IsOnDropDownArrow(CPoint point);

    int m_nComboStyle;
    CStringArray m_arOptions;
};
