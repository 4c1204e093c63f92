// The calendar dialog's month window: a heading row of weekday names (Monday first) and six
// week rows under a title band with the month, month navigation, and mouse selection of
// days, runs of days or whole weekday columns.
#pragma once

#include <ClassLib/AfxWin.h>

#include "CalendarData.h"

class CCalendarDlg;

class CCalendarWnd : public CWnd
{
public:
    CCalendarWnd();
    ~CCalendarWnd() override;

    BOOL Create(const RECT& rect, CWnd* pParent, UINT nID);

    // What is selected: the shown month, the days of the selected cells (only when no
    // weekday column is chosen) and the chosen weekday (-1 none). FALSE when nothing is.
    BOOL GetSelection(int& nYear, int& nMonth, CUIntArray& days, int& nWeekday) const;
    // Sets the kind of every selected cell that shows a day, and repaints.
    void SetSelectedKind(int nKind);
    // Recomputes the cells of the shown month from the dialog's calendar.
    void FillMonth();
    // Shows another month (clamped to the years dates can have); cells refilled.
    void ShowMonth(int nYear, int nMonth);
    void NextMonth();
    void PrevMonth();

    // The cell under the point (first in list order), or NULL.
    CCalendarData* HitTest(CPoint point) const;
    CCalendarData* GetCell(int nRow, int nCol) const;
    // The font the cells and the title are drawn in.
    CFont* GetCellFont() { return &m_font; }

    int m_nYear;
    int m_nMonth;
    int m_nSelWeekday;
    CRect m_rectTitle;
    CRect m_rectYear;
    CRect m_rectMonth;
    int m_nActiveSpin;  // 0 none, 1 year, 2 month

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnRButtonUp(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnNext();
    void OnPrev();
    void OnYearDelta(NMHDR* pNMHDR, LRESULT* pResult);
    void OnMonthDelta(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    void Layout();
    void ClearSelection();
    void SelectRun(int nRow1, int nCol1, int nRow2, int nCol2);
    void RepaintMonth();
    int KindOf(int nDay) const;
    CCalendarDlg* Dialog() const;

    CObList m_listCells;  // the 49 cells, row by row, Monday to Sunday; owned
    CCalendarData* m_cells[7][7];
    CPtrArray m_arrSelected;  // not owned
    int m_nAnchorRow, m_nAnchorCol;
    int m_nCurRow, m_nCurCol;
    CSpinButtonCtrl m_spinYear;
    CSpinButtonCtrl m_spinMonth;
    CBitmapButton m_btnNext;
    CBitmapButton m_btnPrev;
    CFont m_font;
    CBitmap m_bmpPattern;
};
