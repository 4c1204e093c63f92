// Date comparisons for the passes over a whole project (header dates, critical marks, chart
// layout), which compare dates of every task: a date on or after 30 December 1899 is its own
// place in time, so two such dates compare by value where they stand; an earlier date (its
// time of day counts backwards) or a value that is no number goes through COleDateTime's
// own operators. The answers are those of the operators.
#pragma once

#include <ClassLib/Afx.h>

inline bool DatesForward(const COleDateTime& a, const COleDateTime& b)
{
    return a.m_dt >= 0 && b.m_dt >= 0;
}

// a > b
inline bool DateAfter(const COleDateTime& a, const COleDateTime& b)
{
    return DatesForward(a, b) ? a.m_dt > b.m_dt : a > b;
}

// a < b
inline bool DateBefore(const COleDateTime& a, const COleDateTime& b)
{
    return DatesForward(a, b) ? a.m_dt < b.m_dt : a < b;
}

// a >= b
inline bool DateNotBefore(const COleDateTime& a, const COleDateTime& b)
{
    return DatesForward(a, b) ? a.m_dt >= b.m_dt : a >= b;
}

// a == b (the status too)
inline bool DateSame(const COleDateTime& a, const COleDateTime& b)
{
    return a.GetStatus() == b.GetStatus() && (DatesForward(a, b) ? a.m_dt == b.m_dt : a == b);
}
