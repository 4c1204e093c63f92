// A text cell that is edited through a list of options; draws a drop-down button while it
// holds the focus.
#pragma once

#include "GridCell.h"

#ifndef CBS_DROPDOWN
#define CBS_DROPDOWN 0x0002L
#endif
#ifndef CBS_DROPDOWNLIST
#define CBS_DROPDOWNLIST 0x0003L
#endif

class CGridCellCombo : public CGridCell
{
    DECLARE_DYNCREATE(CGridCellCombo)

public:
    CGridCellCombo();
    virtual ~CGridCellCombo();

    virtual CSize GetCellExtent(CDC* pDC);
    virtual BOOL Draw(CDC* pDC, int nRow, int nCol, CRect rect, BOOL bEraseBkgnd = TRUE);
    virtual BOOL Edit(int nRow, int nCol, CRect rect, CPoint point, UINT nID, UINT nChar);
    virtual void EndEdit();
    // The edit part of the open list, NULL when no list is open or it is a drop-down list.
    virtual CWnd* GetEditWnd() const;

    void SetOptions(const CStringArray& ar);
    const CStringArray& GetOptions() const { return m_Strings; }
    void SetStyle(DWORD dwStyle) { m_dwStyle = dwStyle; }
    DWORD GetStyle() const { return m_dwStyle; }

protected:
    CStringArray m_Strings;
    DWORD        m_dwStyle;
};
