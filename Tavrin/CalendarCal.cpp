#include <Tavrin/CalendarCal.h>

#include <Tavrin/CalendarItem.h>
#include <Tavrin/DateFunctions.h>
#include <Tavrin/DayOfWeek.h>

#include <ClassLib/Core/WorkingDays.h>

#include "DayNumber.h"
#include "RestDayIndex.h"

#include <vector>

using tavrin::CRestDayIndex;

namespace {

// Walk results must stay inside the range a date-time value holds.
constexpr long kFirstDay = tavrin::DayNumberFromDate(100, 1, 1);
constexpr long kLastDay = tavrin::DayNumberFromDate(9999, 12, 31);

// Day number of the calendar day of a valid date-time.
bool DayOfDateTime(const COleDateTime& dt, long& nDay)
{
    if (dt.GetStatus() != COleDateTime::valid)
        return false;
    const int y = dt.GetYear(), m = dt.GetMonth(), d = dt.GetDay();
    if (!IsValidDate(y, m, d))
        return false;
    nDay = tavrin::DayNumberFromDate(y, m, d);
    return true;
}

COleDateTime DateTimeOfDay(long nDay)
{
    int y, m, d;
    tavrin::DateFromDayNumber(nDay, y, m, d);
    return COleDateTime(y, m, d, 0, 0, 0);
}

COleDateTime InvalidDateTime()
{
    COleDateTime dt;
    dt.SetStatus(COleDateTime::invalid);
    return dt;
}

} // namespace

CCalendarCal::CCalendarCal()
    : m_nCalendarID(0), m_nBaseCalendarID(0), m_pIndex(new CRestDayIndex)
{
    Reindex();
}

CCalendarCal::~CCalendarCal()
{
    Clear();
    delete m_pIndex;
}

void CCalendarCal::Load(int nBaseID, const CObList& listPeriods, const CObList& listWeekdays)
{
    m_nBaseCalendarID = nBaseID;
    for (POSITION pos = listPeriods.GetHeadPosition(); pos != nullptr;) {
        const CObject* pObject = listPeriods.GetNext(pos);
        if (pObject == nullptr || !pObject->IsKindOf(RUNTIME_CLASS(CCalendarItem)))
            continue;
        CCalendarItem* pCopy = new CCalendarItem;
        pCopy->Copy(static_cast<const CCalendarItem*>(pObject));
        m_listPeriods.AddTail(pCopy);
    }
    for (POSITION pos = listWeekdays.GetHeadPosition(); pos != nullptr;) {
        const CObject* pObject = listWeekdays.GetNext(pos);
        if (pObject == nullptr || !pObject->IsKindOf(RUNTIME_CLASS(CDayOfWeek)))
            continue;
        CDayOfWeek* pCopy = new CDayOfWeek;
        pCopy->Copy(static_cast<const CDayOfWeek*>(pObject));
        m_listWeekdays.AddTail(pCopy);
    }
    Reindex();
}

void CCalendarCal::SetCalendarID(int nID)
{
    m_nCalendarID = nID;
}

void CCalendarCal::Clear()
{
    for (POSITION pos = m_listPeriods.GetHeadPosition(); pos != nullptr;)
        delete m_listPeriods.GetNext(pos);
    m_listPeriods.RemoveAll();
    for (POSITION pos = m_listWeekdays.GetHeadPosition(); pos != nullptr;)
        delete m_listWeekdays.GetNext(pos);
    m_listWeekdays.RemoveAll();
    Reindex();
}

void CCalendarCal::Reindex()
{
    // The weekly pattern by the shared calendar rule: the first entry for a weekday decides,
    // else the base calendar. (Days 1 to 7 are Sunday to Saturday.)
    workdays::CWorkingCalendar week(m_nBaseCalendarID);
    for (POSITION pos = m_listWeekdays.GetHeadPosition(); pos != nullptr;) {
        const CDayOfWeek* pEntry = static_cast<const CDayOfWeek*>(m_listWeekdays.GetNext(pos));
        week.AddWeekday(pEntry->m_nDay, pEntry->m_bWorking != 0);
    }
    bool weekdayRest[7];
    for (int w = 0; w < 7; ++w)
        weekdayRest[w] = week.IsRestDay(1 + w);

    // Periods by calendar day; one whose dates are not valid holds no day.
    std::vector<CRestDayIndex::Period> periods;
    periods.reserve(static_cast<size_t>(m_listPeriods.GetCount()));
    for (POSITION pos = m_listPeriods.GetHeadPosition(); pos != nullptr;) {
        const CCalendarItem* pItem = static_cast<const CCalendarItem*>(m_listPeriods.GetNext(pos));
        long first, last;
        if (!DayOfDateTime(pItem->m_dtFrom, first) || !DayOfDateTime(pItem->m_dtTo, last))
            continue;
        periods.push_back(CRestDayIndex::Period{first, last, pItem->m_bWorking == 0});
    }
    m_pIndex->Build(periods, weekdayRest);
}

int CCalendarCal::IsRestDay(int nYear, int nMonth, int nDay) const
{
    if (!IsValidDate(nYear, nMonth, nDay))
        return -1;
    return m_pIndex->IsRest(tavrin::DayNumberFromDate(nYear, nMonth, nDay)) ? 1 : 0;
}

int CCalendarCal::CountRestDays(int nYear1, int nMonth1, int nDay1, int nYear2, int nMonth2,
                                int nDay2) const
{
    if (!IsValidDate(nYear1, nMonth1, nDay1) || !IsValidDate(nYear2, nMonth2, nDay2))
        return -1;
    long first = tavrin::DayNumberFromDate(nYear1, nMonth1, nDay1);
    long last = tavrin::DayNumberFromDate(nYear2, nMonth2, nDay2);
    if (first > last) {
        const long swap = first;
        first = last;
        last = swap;
    }
    return static_cast<int>(m_pIndex->CountRest(first, last));
}

int CCalendarCal::CountRestDays(const COleDateTime& dt1, const COleDateTime& dt2) const
{
    if (dt1.GetStatus() != COleDateTime::valid || dt2.GetStatus() != COleDateTime::valid)
        return -1;
    return CountRestDays(dt1.GetYear(), dt1.GetMonth(), dt1.GetDay(), dt2.GetYear(),
                         dt2.GetMonth(), dt2.GetDay());
}

COleDateTime CCalendarCal::GetFinishDate(const COleDateTime& dtStart, int nDays) const
{
    long start;
    if (!DayOfDateTime(dtStart, start))
        return InvalidDateTime();
    long result;
    const bool found = nDays >= 1
        ? m_pIndex->FindWorkingDay(start, +1, nDays, kFirstDay, kLastDay, result)
        : m_pIndex->FindWorkingDay(start - 1, -1, 1, kFirstDay, kLastDay, result);
    return found ? DateTimeOfDay(result) : dtStart;
}

COleDateTime CCalendarCal::GetStartDate(const COleDateTime& dtFinish, int nDays) const
{
    long finish;
    if (!DayOfDateTime(dtFinish, finish))
        return InvalidDateTime();
    long result;
    const bool found = nDays >= 1
        ? m_pIndex->FindWorkingDay(finish, -1, nDays, kFirstDay, kLastDay, result)
        : m_pIndex->FindWorkingDay(finish + 1, +1, 1, kFirstDay, kLastDay, result);
    return found ? DateTimeOfDay(result) : dtFinish;
}

COleDateTime CCalendarCal::GetNextWorkDay(const COleDateTime& dt) const
{
    long day;
    if (!DayOfDateTime(dt, day))
        return InvalidDateTime();
    long result;
    if (m_pIndex->FindWorkingDay(day, +1, 1, kFirstDay, kLastDay, result))
        return DateTimeOfDay(result);
    return dt;
}
