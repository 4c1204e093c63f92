// Counts rest days between two dates for one chart layout: the calendar is asked once per
// day of the span the layout touches (prefix sums over day numbers, the span growing by
// doubling), so a layout of many tasks costs as many calendar questions as days it covers,
// not as the sum of the tasks' lengths.
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
        if (dt1.GetStatus() == COleDateTime::valid && dt2.GetStatus() == COleDateTime::valid && !m_prefix.empty()) {
            long a = DayNumber(dt1), b = DayNumber(dt2);
            if (a > b)
                std::swap(a, b);
            if (a >= m_nFirst && b - m_nFirst + 2 <= static_cast<long>(m_prefix.size()))
                return m_prefix[static_cast<size_t>(b - m_nFirst + 1)] - m_prefix[static_cast<size_t>(a - m_nFirst)];
        }
        return CountUncovered(dt1, dt2);
    }

    // The day number of a date (days from 30 December 1899, the time dropped).
    static long DayNumber(const COleDateTime& dt)
    {
        return static_cast<long>(dt.m_dt);  // toward zero: the day before 1899 too
    }

private:
    int CountUncovered(const COleDateTime& dt1, const COleDateTime& dt2);
    void Cover(long nFirst, long nLast);
    BOOL IsRestDayNumber(long nDay) const;

    RestDayFn m_fnIsRestDay;
    long m_nFirst = 0;              // day number of m_prefix[0]
    std::vector<int> m_prefix;      // m_prefix[i]: rest days of m_nFirst .. m_nFirst + i - 1
};
