// Number texts of data exchange.
#include "DdxParse.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

// The text without blanks around it; false when nothing is left.
bool Trimmed(LPCTSTR text, CString& out)
{
    if (!text)
        return false;
    out = text;
    out.Trim(" \t\r\n\v\f");
    return !out.IsEmpty();
}

}  // namespace

namespace pc {

bool ParseInteger(LPCTSTR text, long long& value)
{
    CString t;
    if (!Trimmed(text, t))
        return false;
    const char* p = t;
    if (*p == '+' || *p == '-')
        ++p;
    if (!*p)
        return false;
    for (const char* q = p; *q; ++q)
        if (*q < '0' || *q > '9')
            return false;
    errno = 0;
    char* end = nullptr;
    long long v = std::strtoll(t, &end, 10);
    if (errno == ERANGE || !end || *end)
        return false;
    value = v;
    return true;
}

bool ParseUnsigned(LPCTSTR text, unsigned long long& value)
{
    CString t;
    if (!Trimmed(text, t))
        return false;
    const char* p = t;
    if (*p == '+')
        ++p;
    if (!*p)
        return false;
    for (const char* q = p; *q; ++q)
        if (*q < '0' || *q > '9')
            return false;
    errno = 0;
    char* end = nullptr;
    unsigned long long v = std::strtoull(p, &end, 10);
    if (errno == ERANGE || !end || *end)
        return false;
    value = v;
    return true;
}

bool ParseReal(LPCTSTR text, double& value)
{
    CString t;
    if (!Trimmed(text, t))
        return false;
    // Decimal forms only: no blanks inside, no hexadecimal, no words like "inf".
    for (const char* q = t; *q; ++q)
        if (IsBlank(*q) || !((*q >= '0' && *q <= '9') || *q == '.' || *q == '+' || *q == '-' || *q == 'e' || *q == 'E'))
            return false;
    errno = 0;
    char* end = nullptr;
    double v = std::strtod(t, &end);
    if (!end || *end || errno == ERANGE || !std::isfinite(v))
        return false;
    value = v;
    return true;
}

CString FormatReal(double value, int digits)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*g", digits, value);
    return CString(buf);
}

}  // namespace pc
