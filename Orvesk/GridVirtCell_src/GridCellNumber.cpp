#include "GridCellNumber.h"

#include <climits>

int GridParseWholeNumber(LPCTSTR pszText)
{
    if (!pszText)
        return 0;
    const char* p = pszText;
    while (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\r' || *p == '\f' || *p == '\v')
        p++;
    bool negative = false;
    if (*p == '+' || *p == '-')
        negative = *p++ == '-';
    // Digits after a fraction point are read and dropped: the value is truncated.
    long long value = 0;
    while (*p >= '0' && *p <= '9') {
        if (value <= static_cast<long long>(INT_MAX) + 1)
            value = value * 10 + (*p - '0');
        p++;
    }
    if (negative)
        value = -value;
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

int GridStepWorkDays(LPCTSTR pszText, int nStep)
{
    const long long value = static_cast<long long>(GridParseWholeNumber(pszText)) + nStep;
    if (value < 0)
        return 0;
    if (value > INT_MAX)
        return INT_MAX;
    return static_cast<int>(value);
}
