// The working-day calculator over a project calendar: a base calendar, dated periods and
// weekday entries. A day is decided by the first dated period holding it, else by the
// first entry for its weekday, else by the base calendar (-2: Saturday and Sunday rest;
// -1 and any other id: every weekday works).
//
// Walks that cannot reach a working day (every weekday at rest and no working period
// ahead, or the end of the date range) give back their input unchanged. A date that is
// not valid gives an invalid date back; the day-based queries answer -1 for a day that
// does not exist.
#pragma once

#include <ClassLib/Afx.h>

namespace tavrin {
class CRestDayIndex;
}

class AFX_EXT_CLASS CCalendarCal : public CObject
{
public:
    CCalendarCal();
    virtual ~CCalendarCal();

    // Stores the base id and appends a copy of every CCalendarItem of listPeriods and of
    // every CDayOfWeek of listWeekdays, in list order; null and foreign elements are
    // skipped. The lists held already are kept.
    void Load(int nBaseID, const CObList& listPeriods, const CObList& listWeekdays);
    void SetCalendarID(int nID);

    // 1 rest day, 0 working day, -1 when the date does not exist.
    int IsRestDay(int nYear, int nMonth, int nDay) const;

    // Rest days between two dates, both included, in either order; -1 when a date does
    // not exist or is not valid.
    int CountRestDays(int nYear1, int nMonth1, int nDay1, int nYear2, int nMonth2,
                      int nDay2) const;
    int CountRestDays(const COleDateTime& dt1, const COleDateTime& dt2) const;

    // nDays >= 1: the nDays-th working day counted from the start (the start included when
    // it works). nDays <= 0: the last working day before the start.
    COleDateTime GetFinishDate(const COleDateTime& dtStart, int nDays) const;

    // nDays >= 1: the nDays-th working day counted back from the finish (the finish
    // included when it works). nDays <= 0: the first working day after the finish.
    COleDateTime GetStartDate(const COleDateTime& dtFinish, int nDays) const;

    // The date itself when it works, else the next working day.
    COleDateTime GetNextWorkDay(const COleDateTime& dt) const;

    // Deletes every period and weekday entry and empties both lists.
    void Clear();

    int GetCalendarID() const { return m_nCalendarID; }
    int GetBaseCalendarID() const { return m_nBaseCalendarID; }
    const CObList& GetPeriods() const { return m_listPeriods; }
    const CObList& GetWeekdays() const { return m_listWeekdays; }

private:
    CCalendarCal(const CCalendarCal&) = delete;
    CCalendarCal& operator=(const CCalendarCal&) = delete;

    void Reindex();

    int m_nCalendarID;
    int m_nBaseCalendarID;
    CObList m_listPeriods;  // owned CCalendarItem copies
    CObList m_listWeekdays; // owned CDayOfWeek copies
    tavrin::CRestDayIndex* m_pIndex;
};
