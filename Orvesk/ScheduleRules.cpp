#include "ScheduleRules.h"

#include <algorithm>
#include <cmath>

#include "TaskItem.h"

namespace schedulerules {

namespace {
bool IsValidDate(const COleDateTime& date)
{
    return date.GetStatus() == COleDateTime::valid;
}
} // namespace

long DayOf(const COleDateTime& date)
{
    const DATE dt = (DATE)date;
    if (dt >= 0)
        return (long)std::floor(dt);
    return (long)(DATE)COleDateTime(date.GetYear(), date.GetMonth(), date.GetDay(), 0, 0, 0);
}

COleDateTime DateOf(long nDay)
{
    return COleDateTime((DATE)nDay);
}

bool ChildrenSpan(const CTaskItem* pTask, COleDateTime& start, COleDateTime& finish)
{
    start.SetStatus(COleDateTime::invalid);
    finish.SetStatus(COleDateTime::invalid);
    for (POSITION pos = pTask->m_listChildren.GetHeadPosition(); pos != NULL;)
    {
        const CTaskItem* pChild = pTask->m_listChildren.GetNext(pos);
        if (!pChild)
            continue;
        if (IsValidDate(pChild->m_dtStart) && (!IsValidDate(start) || pChild->m_dtStart < start))
            start = pChild->m_dtStart;
        if (IsValidDate(pChild->m_dtFinish) && (!IsValidDate(finish) || pChild->m_dtFinish > finish))
            finish = pChild->m_dtFinish;
    }
    return IsValidDate(start) && IsValidDate(finish);
}

int SumChildTrueDurations(const CTaskItem* pTask)
{
    long long nSum = 0;
    for (POSITION pos = pTask->m_listChildren.GetHeadPosition(); pos != NULL;)
        if (const CTaskItem* pChild = pTask->m_listChildren.GetNext(pos))
            nSum += pChild->m_nTrueDuration;
    return (int)std::max<long long>(INT_MIN, std::min<long long>(INT_MAX, nSum));
}

void PlaceTask(workdays::RestDayTest isRest, int nWorkDays, long needStart, long needFinish, long& start,
               long& finish)
{
    if (needStart != kNoDay && start < needStart)
    {
        if (!workdays::SkipRestDays(isRest, needStart, start))
            start = needStart;
        if (!workdays::FinishFromStart(isRest, needStart, nWorkDays, finish))
            finish = needStart;
    }
    if (needFinish != kNoDay && finish < needFinish)
    {
        if (!workdays::SkipRestDays(isRest, needFinish, finish))
            finish = needFinish;
        if (!workdays::StartFromFinish(isRest, finish, nWorkDays, start))
            start = finish;
    }
}

long long SummaryShift(workdays::RestDayTest isRest, long start, long finish, long needStart, long needFinish)
{
    // Working days after the summary's date up to the working day asked.
    auto after = [&](long from, long need) -> long long {
        long to = need;
        workdays::SkipRestDays(isRest, need, to);
        if (to <= from)
            return 0;
        return workdays::WorkingDays(isRest, from, to) - (isRest(from) ? 0 : 1);
    };
    long long nShift = 0;
    if (needStart != kNoDay && start < needStart)
        nShift = std::max(nShift, after(start, needStart));
    if (needFinish != kNoDay && finish < needFinish)
        nShift = std::max(nShift, after(finish, needFinish));
    return nShift;
}

long ShiftDay(workdays::RestDayTest isRest, long day, long long nDays)
{
    long result;
    return nDays > 0 && workdays::MoveWorkingDays(isRest, day, nDays, result) ? result : day;
}

void NewTaskPlanDates(workdays::RestDayTest isRest, CTaskItem* pTask, const COleDateTime& start)
{
    const long nStart = DayOf(start);
    const auto skip = [&isRest](long nDay) {
        long nResult = nDay;
        workdays::SkipRestDays(isRest, nDay, nResult);
        return DateOf(nResult);
    };
    const COleDateTimeSpan five(5, 0, 0, 0);
    pTask->m_dtEarlyStart = skip(nStart - 2);
    pTask->m_dtLateStart = skip(nStart + 2);
    pTask->m_dtEarlyFinish = pTask->m_dtEarlyStart + five;
    pTask->m_dtLateFinish = pTask->m_dtLateStart + five;
    pTask->m_dtDeadline = skip(nStart + 7);
}

} // namespace schedulerules
