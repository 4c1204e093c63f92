// The rest-day rule of a calendar in a form that answers quickly: the dated periods
// flattened into sorted, disjoint runs of days (where periods overlap, the one earlier in
// the calendar's list keeps the days), and the weekly pattern for every day no period
// holds. Days are serial day numbers (DayNumber.h). Internal to the library.
#pragma once

#include <vector>

namespace tavrin {

class CRestDayIndex
{
public:
    // One dated period as the calendar lists it: first and last day, both included.
    struct Period
    {
        long nFirst;
        long nLast;
        bool bRest;
    };

    CRestDayIndex();

    // Rebuild from the periods in list order and the rest flag of each weekday
    // (0 Sunday .. 6 Saturday). A period whose last day lies before its first holds no day.
    void Build(const std::vector<Period>& periods, const bool weekdayRest[7]);

    bool IsRest(long nDay) const;

    // Rest days from nFirst through nLast, both included (nFirst <= nLast).
    long CountRest(long nFirst, long nLast) const;

    // The nCount-th working day (nCount >= 1) met when walking from nFrom (included) one day
    // at a time in direction nDir (+1 forward, -1 back), never leaving [nMin, nMax]. Returns
    // false when the walk cannot reach that many working days inside the bounds.
    bool FindWorkingDay(long nFrom, int nDir, long nCount, long nMin, long nMax,
                        long& nResult) const;

private:
    struct Run
    {
        long nFirst;
        long nLast;
        bool bRest;
    };

    // Index of the last run starting on or before nDay, or -1.
    long Locate(long nDay) const;
    long CountWeekdayWork(long nFirst, long nLast) const;
    long NthWeekdayWork(long nFrom, int nDir, long nCount) const;

    std::vector<Run> m_runs;
    bool m_weekdayRest[7];
    int m_nWorkPerWeek;
};

} // namespace tavrin
