// Counts rest days between two dates of one calendar: the calendar is asked once per day of
// the span its users touch (prefix sums over day numbers, the span growing by doubling), so
// a chart layout of many tasks or a schedule pass costs as many calendar questions as days
// it covers, not as the sum of the tasks' lengths. The document keeps one beside its calendar
// (CProjectDoc::RestDays), made afresh when the calendar changes.
#pragma once

#include <ClassLib/Afx.h>

#include <functional>
#include <utility>
#include <vector>

class CRestDayCounter
{
public:
    // The calendar: 1 (TRUE) for a rest day.
    typedef std::function<BOOL(int nYear, int nMonth, int nDay)> RestDayFn;

    explicit CRestDayCounter(RestDayFn fnIsRestDay);

    // Rest days from the earlier to the later of the two dates, both included; 0 when a
    // date is not valid.
    int Count(const COleDateTime& dt1, const COleDateTime& dt2)
    {
        // Most tasks of a layout lie in the days already covered: two lookups.
        if (dt1.GetStatus() != COleDateTime::valid || dt2.GetStatus() != COleDateTime::valid)
            return 0;
        return CountDays(DayNumber(dt1), DayNumber(dt2));
    }

    // Rest days from day number a to b (either order), both included.
    int CountDays(long a, long b)
    {
        if (a > b)
            std::swap(a, b);
        if (!m_prefix.empty() && a >= m_nFirst && b - m_nFirst + 2 <= static_cast<long>(m_prefix.size()))
            return m_prefix[static_cast<size_t>(b - m_nFirst + 1)] - m_prefix[static_cast<size_t>(a - m_nFirst)];
        return CountUncovered(a, b);
    }

    // Whether the day of that number is a rest day.
    bool IsRestDay(long nDay) { return CountDays(nDay, nDay) != 0; }

    // Drops every answer kept (the calendar changed); the object stays the same.
    void Forget() { m_prefix.clear(); }

    // The day number of a date (days from 30 December 1899, the time dropped).
    static long DayNumber(const COleDateTime& dt)
    {
        return static_cast<long>(dt.m_dt);  // toward zero: the day before 1899 too
    }

private:
    int CountUncovered(long a, long b);  // a <= b
    void Cover(long nFirst, long nLast);
    BOOL IsRestDayNumber(long nDay) const;

    RestDayFn m_fnIsRestDay;
    long m_nFirst = 0;              // day number of m_prefix[0]
    std::vector<int> m_prefix;      // m_prefix[i]: rest days of m_nFirst .. m_nFirst + i - 1
};
