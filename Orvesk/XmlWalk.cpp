#include "XmlWalk.h"

#include <climits>
#include <cstring>
#include <string>

#include <ClassLib/Core/Conversion.h>

BOOL XmlIsElement(const CXmlNode& node)
{
    return node.isElement();
}

BOOL XmlNameIs(const CXmlNode& node, LPCTSTR lpszName)
{
    return node.nameIs(lpszName);
}

CString XmlLeafText(const CXmlNode& node)
{
    return XmlLeafText(node, node.firstChildTextUtf8());
}

CString XmlLeafText(const CXmlNode& node, const char* raw)
{
    if (raw) {
        // As the DOM's text() would convert it, without asking for the child first.
        size_t length = 0;
        unsigned char high = 0;
        for (; raw[length]; ++length)
            high |= (unsigned char)raw[length];
        if (high < 0x80)
            return CString(raw, (int)length);
        return CString(Cp936FromUtf8(raw, length));
    }
    return node.firstChild().text();
}

int XmlAtoi(LPCTSTR lpsz)
{
    // As strtoll reads it (blanks, sign, digits), then saturated to the int range.
    const char* p = lpsz;
    while (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\v' || *p == '\f' || *p == '\r')
        ++p;
    const bool bNegative = *p == '-';
    if (*p == '-' || *p == '+')
        ++p;
    const long long kBeyond = (long long)INT_MAX + 2; // past both ends of the range
    long long v = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        if (v < kBeyond)
            v = v * 10 + (*p - '0');
    }
    if (bNegative)
        v = -v;
    if (v > INT_MAX)
        return INT_MAX;
    if (v < INT_MIN)
        return INT_MIN;
    return (int)v;
}

namespace {

// Reads 1..nMax decimal digits at p (a text ending at its 0 byte); FALSE when there are none.
bool ReadNumber(const char*& p, int nMax, int& value)
{
    const char* const start = p;
    value = 0;
    while (p - start < nMax && *p >= '0' && *p <= '9')
        value = value * 10 + (*p++ - '0');
    return p > start;
}

// Compared byte by byte (the pieces are one to three bytes long), stopping at the first
// difference, the text's 0 byte included.
template <size_t N>
bool Expect(const char*& p, const char (&what)[N])
{
    for (size_t i = 0; i + 1 < N; ++i) {
        if (p[i] != what[i])
            return false;
    }
    p += N - 1;
    return true;
}

// Days from 30 December 1899 to a date of the proleptic Gregorian calendar (year 100 to
// 9999), counted by 400-year eras.
long long OleDayNumber(int year, int month, int day)
{
    const long long y = year - (month <= 2);
    const long long era = y / 400; // y >= 99
    const long long yoe = y - era * 400;
    const long long doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    // 693899: the same count for 30 December 1899.
    return era * 146097 + doe - 693899;
}

} // namespace

int XmlLeafInt(const CXmlNode& node, int nDefault)
{
    return XmlLeafInt(node, node.firstChildTextUtf8(), nDefault);
}

int XmlLeafInt(const CXmlNode& node, const char* raw, int nDefault)
{
    if (raw)
        return *raw ? XmlAtoi(raw) : nDefault;
    CString strText = XmlLeafText(node, raw);
    if (strText.IsEmpty())
        return nDefault;
    return XmlAtoi(strText);
}

BOOL XmlParseKnownDate(const char* text, COleDateTime& dt)
{
    int y, m, d, h = 0, mi = 0, sec = 0;
    const char* p = text;
    if (!ReadNumber(p, 4, y))
        return FALSE;
    if (Expect(p, "-")) {
        // 2004-3-1 8:0:0
        if (!ReadNumber(p, 2, m) || !Expect(p, "-") || !ReadNumber(p, 2, d) || !Expect(p, " ") ||
            !ReadNumber(p, 2, h) || !Expect(p, ":") || !ReadNumber(p, 2, mi) || !Expect(p, ":") ||
            !ReadNumber(p, 2, sec))
            return FALSE;
    } else {
        // 2004年3月1日
        if (!Expect(p, "\xE5\xB9\xB4") || !ReadNumber(p, 2, m) || !Expect(p, "\xE6\x9C\x88") ||
            !ReadNumber(p, 2, d) || !Expect(p, "\xE6\x97\xA5"))
            return FALSE;
    }
    static const int kDays[12] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (*p != '\0' || y < 100 || m < 1 || m > 12 || d < 1 || d > kDays[m - 1] || h > 23 || mi > 59 ||
        sec > 59)
        return FALSE;
    const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    if (m == 2 && d == 29 && !leap)
        return FALSE;
    // The value COleDateTime(y, m, d, h, mi, sec) holds, without its checks done again.
    const long long n = OleDayNumber(y, m, d);
    const double fraction = (h * 3600 + mi * 60 + sec) / 86400.0;
    dt.m_dt = n >= 0 ? (double)n + fraction : (double)n - fraction;
    dt.SetStatus(COleDateTime::valid);
    return TRUE;
}

COleDateTime XmlLeafDate(const CXmlNode& node)
{
    return XmlLeafDate(node, node.firstChildTextUtf8());
}

COleDateTime XmlLeafDate(const CXmlNode& node, const char* raw)
{
    COleDateTime dt;
    if (raw && XmlParseKnownDate(raw, dt))
        return dt;
    const CString strText = (raw && !*raw) ? CString() : XmlLeafText(node, raw);
    if (strText.IsEmpty() || !dt.ParseDateTime(strText)) {
        dt.m_dt = 0;
        dt.SetStatus(COleDateTime::invalid);
    }
    return dt;
}
