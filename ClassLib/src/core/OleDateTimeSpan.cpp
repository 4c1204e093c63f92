#include <ClassLib/Core/DateTime.h>

#include <cmath>
#include <cstdint>

#include "DateFormat.h"

namespace {

// The span in whole seconds, rounded to the nearest; 0 when not a finite number or beyond
// what 64 bits hold.
int64_t SpanSeconds(double span)
{
    const double seconds = span * 86400.0;
    if (!std::isfinite(seconds) || std::fabs(seconds) > 9.0e18)
        return 0;
    return std::llround(seconds);
}

COleDateTimeSpan::DateTimeSpanStatus Combine(COleDateTimeSpan::DateTimeSpanStatus a,
                                             COleDateTimeSpan::DateTimeSpanStatus b)
{
    if (a == COleDateTimeSpan::invalid || b == COleDateTimeSpan::invalid)
        return COleDateTimeSpan::invalid;
    if (a == COleDateTimeSpan::null || b == COleDateTimeSpan::null)
        return COleDateTimeSpan::null;
    return COleDateTimeSpan::valid;
}

}  // namespace

COleDateTimeSpan::COleDateTimeSpan()
    : m_span(0.0)
    , m_status(valid)
{
}

COleDateTimeSpan::COleDateTimeSpan(double dblSpanSrc)
    : m_span(0.0)
    , m_status(valid)
{
    *this = dblSpanSrc;
}

COleDateTimeSpan::COleDateTimeSpan(long lDays, int nHours, int nMins, int nSecs)
    : m_span(0.0)
    , m_status(valid)
{
    SetDateTimeSpan(lDays, nHours, nMins, nSecs);
}

const COleDateTimeSpan& COleDateTimeSpan::operator=(double dblSpanSrc)
{
    m_span = dblSpanSrc;
    m_status = std::isfinite(dblSpanSrc) ? valid : invalid;
    return *this;
}

double COleDateTimeSpan::GetTotalDays() const
{
    return static_cast<double>(SpanSeconds(m_span)) / 86400.0;
}
double COleDateTimeSpan::GetTotalHours() const
{
    return static_cast<double>(SpanSeconds(m_span)) / 3600.0;
}
double COleDateTimeSpan::GetTotalMinutes() const
{
    return static_cast<double>(SpanSeconds(m_span)) / 60.0;
}
double COleDateTimeSpan::GetTotalSeconds() const
{
    return static_cast<double>(SpanSeconds(m_span));
}

long COleDateTimeSpan::GetHours() const
{
    return static_cast<long>(SpanSeconds(m_span) % 86400 / 3600);
}
long COleDateTimeSpan::GetMinutes() const
{
    return static_cast<long>(SpanSeconds(m_span) % 3600 / 60);
}
long COleDateTimeSpan::GetSeconds() const
{
    return static_cast<long>(SpanSeconds(m_span) % 60);
}

void COleDateTimeSpan::SetDateTimeSpan(long lDays, int nHours, int nMins, int nSecs)
{
    m_span = static_cast<double>(lDays) + nHours / 24.0 + nMins / 1440.0 + nSecs / 86400.0;
    m_status = valid;
}

CString COleDateTimeSpan::Format(LPCTSTR lpszFormat) const
{
    if (m_status == null)
        return CString();
    if (m_status != valid)
        return CString("Invalid DateTimeSpan");
    return CString(pc_date::FormatSpan(lpszFormat, GetDays(), static_cast<int>(GetHours()),
                                       static_cast<int>(GetMinutes()),
                                       static_cast<int>(GetSeconds()))
                       .c_str());
}

CString COleDateTimeSpan::Format(UINT nFormatID) const
{
    CString format;
    if (!format.LoadString(nFormatID))
        return CString();
    return Format(static_cast<LPCTSTR>(format));
}

BOOL COleDateTimeSpan::operator==(const COleDateTimeSpan& s) const
{
    return m_status == s.m_status && m_span == s.m_span;
}
BOOL COleDateTimeSpan::operator!=(const COleDateTimeSpan& s) const
{
    return !(*this == s);
}
BOOL COleDateTimeSpan::operator<(const COleDateTimeSpan& s) const
{
    return m_span < s.m_span;
}
BOOL COleDateTimeSpan::operator>(const COleDateTimeSpan& s) const
{
    return m_span > s.m_span;
}
BOOL COleDateTimeSpan::operator<=(const COleDateTimeSpan& s) const
{
    return m_span <= s.m_span;
}
BOOL COleDateTimeSpan::operator>=(const COleDateTimeSpan& s) const
{
    return m_span >= s.m_span;
}

COleDateTimeSpan COleDateTimeSpan::operator+(const COleDateTimeSpan& s) const
{
    COleDateTimeSpan result;
    result.m_status = Combine(m_status, s.m_status);
    if (result.m_status == valid)
        result = m_span + s.m_span;
    return result;
}

COleDateTimeSpan COleDateTimeSpan::operator-(const COleDateTimeSpan& s) const
{
    COleDateTimeSpan result;
    result.m_status = Combine(m_status, s.m_status);
    if (result.m_status == valid)
        result = m_span - s.m_span;
    return result;
}

const COleDateTimeSpan& COleDateTimeSpan::operator+=(const COleDateTimeSpan s)
{
    return *this = *this + s;
}

const COleDateTimeSpan& COleDateTimeSpan::operator-=(const COleDateTimeSpan s)
{
    return *this = *this - s;
}

COleDateTimeSpan COleDateTimeSpan::operator-() const
{
    COleDateTimeSpan result(*this);
    result.m_span = -m_span;
    return result;
}
