#include "DateFormat.h"

#include <cstdio>

namespace pc_date {

namespace {

const char* const kDayNames[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                  "Thursday", "Friday", "Saturday"};
const char* const kMonthNames[12] = {"January",   "February", "March",    "April",
                                     "May",       "June",     "July",     "August",
                                     "September", "October",  "November", "December"};

bool IsLeadByte(unsigned char c)
{
    return c >= 0x81 && c <= 0xFE;
}

void AppendNumber(std::string& out, long long value, int width, bool dropZeros)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%0*lld", dropZeros ? 1 : width, value);
    out += buf;
}

// Week of the year with weeks starting on firstDay (0 = Sunday, 1 = Monday); days before the
// first such weekday are in week 0.
int WeekOfYear(const Parts& p, int firstDay)
{
    const int wday = p.dayOfWeek - 1;  // 0 = Sunday
    const int yday = p.dayOfYear - 1;
    const int shifted = (wday - firstDay + 7) % 7;
    return (yday + 7 - shifted) / 7;
}

void AppendField(std::string& out, char letter, bool alt, const Parts& p)
{
    const int hour12 = p.hour % 12 == 0 ? 12 : p.hour % 12;
    switch (letter) {
    case 'Y': AppendNumber(out, p.year, 4, alt); break;
    case 'y': AppendNumber(out, p.year % 100, 2, alt); break;
    case 'm': AppendNumber(out, p.month, 2, alt); break;
    case 'd': AppendNumber(out, p.day, 2, alt); break;
    case 'H': AppendNumber(out, p.hour, 2, alt); break;
    case 'I': AppendNumber(out, hour12, 2, alt); break;
    case 'M': AppendNumber(out, p.minute, 2, alt); break;
    case 'S': AppendNumber(out, p.second, 2, alt); break;
    case 'j': AppendNumber(out, p.dayOfYear, 3, alt); break;
    case 'w': AppendNumber(out, p.dayOfWeek - 1, 1, alt); break;
    case 'U': AppendNumber(out, WeekOfYear(p, 0), 2, alt); break;
    case 'W': AppendNumber(out, WeekOfYear(p, 1), 2, alt); break;
    case 'p': out += p.hour < 12 ? "AM" : "PM"; break;
    case 'A': out += kDayNames[p.dayOfWeek - 1]; break;
    case 'a': out.append(kDayNames[p.dayOfWeek - 1], 3); break;
    case 'B': out += kMonthNames[p.month - 1]; break;
    case 'b': out.append(kMonthNames[p.month - 1], 3); break;
    case 'c': out += FormatParts(alt ? "%A, %B %#d, %Y, %H:%M:%S" : "%m/%d/%y %H:%M:%S", p); break;
    case 'x': out += FormatParts(alt ? "%A, %B %#d, %Y" : "%m/%d/%y", p); break;
    case 'X': out += FormatParts("%H:%M:%S", p); break;
    case '%': out += '%'; break;
    default:  // not a field: keep the text as written
        out += '%';
        if (alt)
            out += '#';
        out += letter;
        break;
    }
}

// Copies the format, double-byte characters whole, and hands each "%x" or "%#x" field to
// onField(out, x, alt); a lone '%' (or "%#") at the end is kept as written.
template <typename OnField> std::string ExpandFormat(const char* format, OnField onField)
{
    std::string out;
    if (format == nullptr)
        return out;
    for (const char* s = format; *s != '\0'; ++s) {
        const unsigned char c = static_cast<unsigned char>(*s);
        if (IsLeadByte(c) && s[1] != '\0') {
            out += *s++;
            out += *s;
            continue;
        }
        if (c != '%') {
            out += *s;
            continue;
        }
        bool alt = false;
        const char* field = s + 1;
        if (*field == '#') {
            alt = true;
            ++field;
        }
        if (*field == '\0') {
            out.append(s, field - s);
            break;
        }
        onField(out, *field, alt);
        s = field;
    }
    return out;
}

}  // namespace

std::string FormatParts(const char* format, const Parts& parts)
{
    return ExpandFormat(format, [&parts](std::string& out, char letter, bool alt) {
        AppendField(out, letter, alt, parts);
    });
}

std::string FormatSpan(const char* format, int64_t days, int hours, int minutes, int seconds)
{
    return ExpandFormat(format, [=](std::string& out, char letter, bool alt) {
        switch (letter) {
        case 'D': AppendNumber(out, days, 1, true); break;
        case 'H': AppendNumber(out, hours, 2, alt); break;
        case 'M': AppendNumber(out, minutes, 2, alt); break;
        case 'S': AppendNumber(out, seconds, 2, alt); break;
        case '%': out += '%'; break;
        default:
            out += '%';
            if (alt)
                out += '#';
            out += letter;
            break;
        }
    });
}

std::string DefaultDateText(const Parts& parts, bool dateOnly, bool timeOnly)
{
    if (dateOnly && !timeOnly)
        return FormatParts("%#Y-%#m-%#d", parts);
    if (timeOnly && !dateOnly)
        return FormatParts("%#H:%M:%S", parts);
    return FormatParts("%#Y-%#m-%#d %#H:%M:%S", parts);
}

}  // namespace pc_date
