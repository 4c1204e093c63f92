// The rules the schedule applies to one task, on day numbers under a rest-day test: where a
// leaf goes when its links ask more, by how much a summary's children move on, and what a
// summary takes from its children. The project schedule and the task tree view both apply
// them.
#pragma once

#include <ClassLib/Afx.h>
#include <ClassLib/Core/WorkingDays.h>

#include <algorithm>
#include <climits>

class CTaskItem;

namespace schedulerules {

// No date asked.
constexpr long kNoDay = LONG_MIN;

// The day number of a valid date's calendar day (before 1899 the value's fraction runs the
// other way, so the day is taken from its parts), and the date of a day number.
long DayOf(const COleDateTime& date);
COleDateTime DateOf(long nDay);

// The earliest start and latest finish of a task's children; false when either is missing.
bool ChildrenSpan(const CTaskItem* pTask, COleDateTime& start, COleDateTime& finish);
// The children's true durations summed, kept inside an int.
int SumChildTrueDurations(const CTaskItem* pTask);
// A span of working days as a duration in seconds, kept inside an int: a summary may span
// more working days than a task's duration can hold.
inline int DurationOfDays(long long nDays)
{
    return (int)(std::max<long long>(0, std::min<long long>(nDays, INT_MAX / 86400)) * 86400);
}

// A task of nWorkDays working days moved to the earliest dates its links allow: to start on
// needStart when it starts before, then to finish on needFinish when it still finishes
// before (kNoDay: not asked).
// A walk that reaches no working day keeps the day asked.
void PlaceTask(workdays::RestDayTest isRest, int nWorkDays, long needStart, long needFinish, long& start,
               long& finish);
// The fewest working days a summary's children move on by so that its start reaches
// needStart and its finish needFinish (kNoDay: not asked).
long long SummaryShift(workdays::RestDayTest isRest, long start, long finish, long needStart, long needFinish);
// A day moved on by nDays working days (the nDays-th working day after it); kept when no
// working day is reached.
long ShiftDay(workdays::RestDayTest isRest, long day, long long nDays);

// A new task's plan dates and deadline from its start: the early start two days before and
// the late start two days after (each on its next working day), each finishing five days
// on; the deadline two days after start + 5 days (its next working day).
void NewTaskPlanDates(workdays::RestDayTest isRest, CTaskItem* pTask, const COleDateTime& start);

} // namespace schedulerules
