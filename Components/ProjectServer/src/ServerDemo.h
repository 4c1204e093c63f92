// The demo project's placement and calendar (inside the server library, for its tests).
#pragma once

#include "ServerWorkDays.h"

namespace projectserver {

// The demo project's first day for a demo database made on `today`: the Monday of the week
// three weeks before.
long DemoProjectStart(long today);
// The demo calendar of a project starting on that Monday: weekends, two public holidays
// and one working Saturday.
CWorkCalendar DemoCalendar(long projectStart);
// A demo link of a type and lag (working days) from a predecessor placed from predStart to
// predFinish: raises `start` or `finish` to the earliest its successor may have.
void DemoLinkBounds(const CWorkCalendar& cal, int type, int lag, long predStart, long predFinish, long& start,
                    long& finish);

}  // namespace projectserver
