// One cell of the calendar dialog's month window: a weekday heading or a day of the month.
#pragma once

#include <ClassLib/Afx.h>

class CCalendarData : public CObject
{
public:
    CCalendarData();

    CRect m_rect;       // the cell in window coordinates
    int m_nDay;         // day of the month shown; 0 none
    int m_nKind;        // 1 working day, 2 rest day
    int m_bSelected;    // 1 while selected
    int m_bEmpty;       // 1 the cell shows no day (outside the month)
    int m_nRow;         // 0 the heading row, 1..6 the week rows
    int m_nCol;         // 0 Monday .. 6 Sunday
    CString m_strText;  // fixed text (the weekday name in the heading row)
};
