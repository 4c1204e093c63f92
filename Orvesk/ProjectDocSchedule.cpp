// The document's schedule: its task tree worked on in place, with the document's calendar.
#include "ProjectDoc.h"

#include <ClassLib/Core/WorkingDays.h>

#include <cmath>

#include "ProjectSchedule.h"

namespace
{
long DayNumber(const COleDateTime& date)
{
    return (long)std::floor((DATE)date);
}
} // namespace

CProjectSchedule& CProjectDoc::Schedule()
{
    if (!m_pSchedule)
    {
        m_pSchedule = std::make_unique<CProjectSchedule>(m_listTasks, CProjectSchedule::TakenInLater());
        m_nScheduleStale = 2;
    }
    std::vector<uint64_t> key = CalendarKey();
    if (key != m_scheduleCalendarKey)
    {
        // The calendar as IsRestDay reads it: the first dated period holding a day, else its
        // weekday entry, else the base calendar.
        workdays::CWorkingCalendar calendar(m_nCalBaseID);
        for (POSITION pos = m_listCalendarItems.GetHeadPosition(); pos != NULL;)
        {
            const CCalendarItem* pItem = m_listCalendarItems.GetNext(pos);
            if (pItem && pItem->m_dtFrom.GetStatus() == COleDateTime::valid &&
                pItem->m_dtTo.GetStatus() == COleDateTime::valid)
                calendar.AddPeriod(DayNumber(pItem->m_dtFrom), DayNumber(pItem->m_dtTo), pItem->m_bWorking != 0);
        }
        for (POSITION pos = m_listDayOfWeek.GetHeadPosition(); pos != NULL;)
            if (const CDayOfWeek* pDay = m_listDayOfWeek.GetNext(pos))
                calendar.AddWeekday(pDay->m_nDay, pDay->m_bWorking != 0);
        m_pSchedule->SetCalendar(calendar);
        m_scheduleCalendarKey.swap(key);
    }
    if (m_nScheduleStale == 2)
        m_pSchedule->TakeInStoredRows();
    else if (m_nScheduleStale == 1)
        m_pSchedule->TakeInStoredTree();
    m_nScheduleStale = 0;
    return *m_pSchedule;
}
