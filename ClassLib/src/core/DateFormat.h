// Text forms of dates and spans: strftime-like fields over broken-down parts, with the
// '#' flag that drops leading zeros. Formats and results are byte strings (code page 936):
// double-byte characters pass through untouched.
#pragma once

#include <cstdint>
#include <string>

#include "DateCalc.h"

namespace pc_date {

// %Y %y %m %d %H %I %M %S %p %A %a %B %b %j %w %U %W %c %x %X %%; '#' after '%' drops
// leading zeros (and selects the long forms of %c and %x). An unknown field is copied
// as it stands.
std::string FormatParts(const char* format, const Parts& parts);

// Span fields: %D whole days, %H %M %S the hours, minutes and seconds of the rest
// (two digits, '#' drops the zero), %%. Negative spans give negative parts.
std::string FormatSpan(const char* format, int64_t days, int hours, int minutes, int seconds);

// The default text of a date: "2004-5-1 0:00:00"; date or time alone by the flags.
std::string DefaultDateText(const Parts& parts, bool dateOnly, bool timeOnly);

}  // namespace pc_date
