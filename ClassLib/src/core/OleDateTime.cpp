#include <ClassLib/Core/DateTime.h>

#include <cmath>
#include <string>

#include "ClockState.h"
#include "DateCalc.h"
#include "DateFormat.h"
#include "DateParse.h"

namespace {

// File times count 100 ns from 1 January 1601; Unix time starts 11644473600 s later.
constexpr long long kFileTimeUnixOffset = 11644473600LL;

bool DateFromLocalTime(time_t t, double& dt)
{
    struct tm parts
    {};
    if (localtime_r(&t, &parts) == nullptr)
        return false;
    return pc_date::DateFromParts(parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday,
                                  parts.tm_hour, parts.tm_min,
                                  parts.tm_sec > 59 ? 59 : parts.tm_sec, dt);
}

COleDateTime::DateTimeStatus Combine(COleDateTime::DateTimeStatus a, int b)
{
    if (a == COleDateTime::invalid || b == COleDateTime::invalid)
        return COleDateTime::invalid;
    if (a == COleDateTime::null || b == COleDateTime::null)
        return COleDateTime::null;
    return COleDateTime::valid;
}

}  // namespace

COleDateTime PASCAL COleDateTime::GetCurrentTime()
{
    double fixed = 0;
    if (pc_date::FixedCurrentTime(fixed))
        return COleDateTime(fixed);
    return COleDateTime(::time(nullptr));
}

COleDateTime::COleDateTime()
    : m_dt(0.0)
    , m_status(valid)
{
}

COleDateTime::COleDateTime(DATE dtSrc)
    : m_dt(0.0)
    , m_status(valid)
{
    *this = dtSrc;
}

COleDateTime::COleDateTime(time_t timeSrc)
    : m_dt(0.0)
    , m_status(valid)
{
    *this = timeSrc;
}

COleDateTime::COleDateTime(const SYSTEMTIME& systimeSrc)
    : m_dt(0.0)
    , m_status(valid)
{
    *this = systimeSrc;
}

COleDateTime::COleDateTime(const FILETIME& filetimeSrc)
    : m_dt(0.0)
    , m_status(valid)
{
    *this = filetimeSrc;
}

COleDateTime::COleDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec)
    : m_dt(0.0)
    , m_status(valid)
{
    SetDateTime(nYear, nMonth, nDay, nHour, nMin, nSec);
}

const COleDateTime& COleDateTime::operator=(DATE dtSrc)
{
    m_dt = dtSrc;
    m_status = pc_date::IsDateInRange(dtSrc) ? valid : invalid;
    return *this;
}

const COleDateTime& COleDateTime::operator=(time_t timeSrc)
{
    double dt = 0;
    if (DateFromLocalTime(timeSrc, dt)) {
        m_dt = dt;
        m_status = valid;
    } else {
        m_dt = 0.0;
        m_status = invalid;
    }
    return *this;
}

const COleDateTime& COleDateTime::operator=(const SYSTEMTIME& st)
{
    SetDateTime(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond);
    return *this;
}

// A file time is UTC; the value holds the local time of that instant.
const COleDateTime& COleDateTime::operator=(const FILETIME& ft)
{
    const unsigned long long ticks =
        (static_cast<unsigned long long>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
    const long long unixSeconds = static_cast<long long>(ticks / 10000000ULL) - kFileTimeUnixOffset;
    return *this = static_cast<time_t>(unixSeconds);
}

BOOL COleDateTime::GetAsSystemTime(SYSTEMTIME& st) const
{
    pc_date::Parts p;
    if (m_status != valid || !pc_date::PartsFromDate(m_dt, p))
        return FALSE;
    st.wYear = static_cast<WORD>(p.year);
    st.wMonth = static_cast<WORD>(p.month);
    st.wDayOfWeek = static_cast<WORD>(p.dayOfWeek - 1);
    st.wDay = static_cast<WORD>(p.day);
    st.wHour = static_cast<WORD>(p.hour);
    st.wMinute = static_cast<WORD>(p.minute);
    st.wSecond = static_cast<WORD>(p.second);
    st.wMilliseconds = 0;
    return TRUE;
}

#define PC_DATE_PART(name, field)                                                                  \
    int COleDateTime::name() const                                                                 \
    {                                                                                              \
        pc_date::Parts p;                                                                          \
        if (m_status != valid || !pc_date::PartsFromDate(m_dt, p))                                 \
            return AFX_OLE_DATETIME_ERROR;                                                         \
        return p.field;                                                                            \
    }
PC_DATE_PART(GetYear, year)
PC_DATE_PART(GetMonth, month)
PC_DATE_PART(GetDay, day)
PC_DATE_PART(GetHour, hour)
PC_DATE_PART(GetMinute, minute)
PC_DATE_PART(GetSecond, second)
PC_DATE_PART(GetDayOfWeek, dayOfWeek)
PC_DATE_PART(GetDayOfYear, dayOfYear)
#undef PC_DATE_PART

int COleDateTime::SetDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec)
{
    double dt = 0;
    if (pc_date::DateFromParts(nYear, nMonth, nDay, nHour, nMin, nSec, dt)) {
        m_dt = dt;
        m_status = valid;
        return 0;
    }
    m_dt = 0.0;
    m_status = invalid;
    return 1;
}

int COleDateTime::SetDate(int nYear, int nMonth, int nDay)
{
    return SetDateTime(nYear, nMonth, nDay, 0, 0, 0);
}

int COleDateTime::SetTime(int nHour, int nMin, int nSec)
{
    return SetDateTime(1899, 12, 30, nHour, nMin, nSec);
}

BOOL COleDateTime::ParseDateTime(LPCTSTR lpszDate, DWORD dwFlags, LCID /*lcid*/)
{
    pc_date::ParsedDateTime p;
    const bool dateOnly = (dwFlags & VAR_DATEVALUEONLY) != 0;
    const bool timeOnly = (dwFlags & VAR_TIMEVALUEONLY) != 0;
    if (!(dateOnly && timeOnly) && pc_date::ParseDateTimeText(lpszDate, p)) {
        if (dateOnly)
            p.hour = p.minute = p.second = 0;
        if (timeOnly) {
            p.year = 1899;
            p.month = 12;
            p.day = 30;
        }
        double dt = 0;
        if (pc_date::DateFromParts(p.year, p.month, p.day, p.hour, p.minute, p.second, dt)) {
            m_dt = dt;
            m_status = valid;
            return TRUE;
        }
    }
    m_dt = 0.0;
    m_status = invalid;
    return FALSE;
}

CString COleDateTime::Format(DWORD dwFlags, LCID /*lcid*/) const
{
    const DWORD flagBits = VAR_DATEVALUEONLY | VAR_TIMEVALUEONLY | VAR_FOURDIGITYEARS |
                           static_cast<DWORD>(LOCALE_NOUSEROVERRIDE);
    if ((dwFlags & ~flagBits) != 0) {  // a string resource id
        CString format;
        if (!format.LoadString(dwFlags))
            return CString();
        return Format(static_cast<LPCTSTR>(format));
    }
    if (m_status == null)
        return CString();
    pc_date::Parts p;
    if (m_status != valid || !pc_date::PartsFromDate(m_dt, p))
        return CString("Invalid DateTime");
    return CString(pc_date::DefaultDateText(p, (dwFlags & VAR_DATEVALUEONLY) != 0,
                                            (dwFlags & VAR_TIMEVALUEONLY) != 0)
                       .c_str());
}

CString COleDateTime::Format(LPCTSTR lpszFormat) const
{
    if (lpszFormat == nullptr)
        return Format(static_cast<DWORD>(0), LANG_USER_DEFAULT);
    if (m_status == null)
        return CString();
    pc_date::Parts p;
    if (m_status != valid || !pc_date::PartsFromDate(m_dt, p))
        return CString("Invalid DateTime");
    return CString(pc_date::FormatParts(lpszFormat, p).c_str());
}

int COleDateTime::Compare(const COleDateTime& date) const
{
    const double a = pc_date::LinearFromDate(m_dt), b = pc_date::LinearFromDate(date.m_dt);
    return a < b ? -1 : a > b ? 1 : a == b ? 0 : 2;
}
BOOL COleDateTime::EqualLinear(const COleDateTime& date) const
{
    return pc_date::LinearFromDate(m_dt) == pc_date::LinearFromDate(date.m_dt);
}
BOOL COleDateTime::LessOrEqual(const COleDateTime& date) const
{
    return pc_date::LinearFromDate(m_dt) <= pc_date::LinearFromDate(date.m_dt);
}

COleDateTime COleDateTime::operator+(const COleDateTimeSpan& dateSpan) const
{
    COleDateTime result;
    result.m_status = Combine(m_status, dateSpan.m_status);
    if (result.m_status != valid)
        return result;
    if (!std::isfinite(dateSpan.m_span)) {
        result.m_status = invalid;
        return result;
    }
    result = pc_date::DateFromLinear(pc_date::LinearFromDate(m_dt) + dateSpan.m_span);
    if (result.m_status != valid)
        result.m_dt = 0.0;
    return result;
}

COleDateTime COleDateTime::operator-(const COleDateTimeSpan& dateSpan) const
{
    return *this + (-dateSpan);
}

const COleDateTime& COleDateTime::operator+=(const COleDateTimeSpan dateSpan)
{
    return *this = *this + dateSpan;
}

const COleDateTime& COleDateTime::operator-=(const COleDateTimeSpan dateSpan)
{
    return *this = *this - dateSpan;
}

double COleDateTime::LinearDifference(const COleDateTime& date) const
{
    return pc_date::LinearFromDate(m_dt) - pc_date::LinearFromDate(date.m_dt);
}
