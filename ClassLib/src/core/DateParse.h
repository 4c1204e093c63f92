// Reading the date and time texts the system writes and the common numeric forms:
//   2004-5-1 0:0:0   2004-05-01   2004/5/1   2004-5-1 13:45   2004-05-01T13:45:10
//   2004年3月5日 (code page 936) with an optional time after it   13:45:10 (time only)
// Anything else, an impossible date or time, or trailing text is refused.
#pragma once

#include <cstddef>

namespace pc_date {

struct ParsedDateTime
{
    bool hasDate = false;
    bool hasTime = false;
    int year = 1899, month = 12, day = 30;
    int hour = 0, minute = 0, second = 0;
};

// Fills out on success. Ranges are checked by the caller when it builds the date.
bool ParseDateTimeText(const char* text, ParsedDateTime& out);

}  // namespace pc_date
