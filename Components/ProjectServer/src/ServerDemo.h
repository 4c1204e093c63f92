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

}  // namespace projectserver
