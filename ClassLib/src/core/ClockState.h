// Shared between the clock and the date classes: the time fixed by tests, if any.
#pragma once

namespace pc_date {

// When a test has fixed the clock, stores its DATE (local time) in dt and returns true.
bool FixedCurrentTime(double& dt);

}  // namespace pc_date
