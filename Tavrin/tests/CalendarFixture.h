// Building calendars for the working-day tests.
#pragma once

#include <Tavrin/CalendarCal.h>
#include <Tavrin/CalendarItem.h>
#include <Tavrin/DayOfWeek.h>

// Owns the period and weekday lists handed to CCalendarCal::Load.
class CalendarLists
{
public:
    CalendarLists() = default;
    CalendarLists(const CalendarLists&) = delete;
    CalendarLists& operator=(const CalendarLists&) = delete;
    ~CalendarLists()
    {
        while (!periods.IsEmpty())
            delete periods.RemoveHead();
        while (!weekdays.IsEmpty())
            delete weekdays.RemoveHead();
    }

    CCalendarItem* AddPeriod(const COleDateTime& from, const COleDateTime& to, int working)
    {
        CCalendarItem* pItem = new CCalendarItem;
        pItem->m_dtFrom = from;
        pItem->m_dtTo = to;
        pItem->m_bWorking = working;
        periods.AddTail(pItem);
        return pItem;
    }

    CDayOfWeek* AddWeekday(int day, int working)
    {
        CDayOfWeek* pDay = new CDayOfWeek;
        pDay->m_nDay = day;
        pDay->m_bWorking = working;
        weekdays.AddTail(pDay);
        return pDay;
    }

    CObList periods;
    CObList weekdays;
};

inline COleDateTime Day(int y, int m, int d)
{
    return COleDateTime(y, m, d, 0, 0, 0);
}
