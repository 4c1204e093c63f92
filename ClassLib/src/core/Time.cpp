#include <ClassLib/Core/DateTime.h>

#include <cstring>

#include "ClockState.h"
#include "DateCalc.h"
#include "DateFormat.h"

namespace {

constexpr long long kFileTimeUnixOffset = 11644473600LL;

time_t MakeLocal(int year, int month, int day, int hour, int minute, int second, int dst)
{
    struct tm t
    {};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    t.tm_isdst = dst < 0 ? -1 : (dst > 0 ? 1 : 0);
    return mktime(&t);
}

pc_date::Parts PartsFromTm(const struct tm& t)
{
    pc_date::Parts p;
    p.year = t.tm_year + 1900;
    p.month = t.tm_mon + 1;
    p.day = t.tm_mday;
    p.hour = t.tm_hour;
    p.minute = t.tm_min;
    p.second = t.tm_sec > 59 ? 59 : t.tm_sec;
    p.dayOfWeek = t.tm_wday + 1;
    p.dayOfYear = t.tm_yday + 1;
    return p;
}

}  // namespace

CTime PASCAL CTime::GetCurrentTime()
{
    double fixed = 0;
    pc_date::Parts p;
    if (pc_date::FixedCurrentTime(fixed) && pc_date::PartsFromDate(fixed, p))
        return CTime(p.year, p.month, p.day, p.hour, p.minute, p.second);
    return CTime(::time(nullptr));
}

CTime::CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST)
    : m_time(MakeLocal(nYear, nMonth, nDay, nHour, nMin, nSec, nDST))
{
}

CTime::CTime(const SYSTEMTIME& st, int nDST)
    : m_time(MakeLocal(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, nDST))
{
}

CTime::CTime(const FILETIME& ft, int /*nDST*/)
{
    const unsigned long long ticks =
        (static_cast<unsigned long long>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
    m_time = static_cast<time_t>(static_cast<long long>(ticks / 10000000ULL) - kFileTimeUnixOffset);
}

struct tm* CTime::GetLocalTm(struct tm* ptm) const
{
    if (ptm == nullptr)
        return nullptr;
    return localtime_r(&m_time, ptm);
}

struct tm* CTime::GetGmtTm(struct tm* ptm) const
{
    if (ptm == nullptr)
        return nullptr;
    return gmtime_r(&m_time, ptm);
}

BOOL CTime::GetAsSystemTime(SYSTEMTIME& st) const
{
    struct tm t
    {};
    if (GetLocalTm(&t) == nullptr)
        return FALSE;
    st.wYear = static_cast<WORD>(t.tm_year + 1900);
    st.wMonth = static_cast<WORD>(t.tm_mon + 1);
    st.wDayOfWeek = static_cast<WORD>(t.tm_wday);
    st.wDay = static_cast<WORD>(t.tm_mday);
    st.wHour = static_cast<WORD>(t.tm_hour);
    st.wMinute = static_cast<WORD>(t.tm_min);
    st.wSecond = static_cast<WORD>(t.tm_sec > 59 ? 59 : t.tm_sec);
    st.wMilliseconds = 0;
    return TRUE;
}

#define PC_TIME_PART(name, expr)                                                                   \
    int CTime::name() const                                                                        \
    {                                                                                              \
        struct tm t                                                                                \
        {};                                                                                        \
        if (GetLocalTm(&t) == nullptr)                                                             \
            return -1;                                                                             \
        return expr;                                                                               \
    }
PC_TIME_PART(GetYear, t.tm_year + 1900)
PC_TIME_PART(GetMonth, t.tm_mon + 1)
PC_TIME_PART(GetDay, t.tm_mday)
PC_TIME_PART(GetHour, t.tm_hour)
PC_TIME_PART(GetMinute, t.tm_min)
PC_TIME_PART(GetSecond, t.tm_sec)
PC_TIME_PART(GetDayOfWeek, t.tm_wday + 1)
#undef PC_TIME_PART

CString CTime::Format(LPCTSTR pFormat) const
{
    struct tm t
    {};
    if (pFormat == nullptr || GetLocalTm(&t) == nullptr)
        return CString();
    return CString(pc_date::FormatParts(pFormat, PartsFromTm(t)).c_str());
}

CString CTime::FormatGmt(LPCTSTR pFormat) const
{
    struct tm t
    {};
    if (pFormat == nullptr || GetGmtTm(&t) == nullptr)
        return CString();
    return CString(pc_date::FormatParts(pFormat, PartsFromTm(t)).c_str());
}

CString CTime::Format(UINT nFormatID) const
{
    CString format;
    if (!format.LoadString(nFormatID))
        return CString();
    return Format(static_cast<LPCTSTR>(format));
}

CTimeSpan CTime::operator-(CTime time) const
{
    return CTimeSpan(m_time - time.m_time);
}
CTime CTime::operator-(CTimeSpan timeSpan) const
{
    return CTime(m_time - timeSpan.m_timeSpan);
}
CTime CTime::operator+(CTimeSpan timeSpan) const
{
    return CTime(m_time + timeSpan.m_timeSpan);
}
const CTime& CTime::operator+=(CTimeSpan timeSpan)
{
    m_time += timeSpan.m_timeSpan;
    return *this;
}
const CTime& CTime::operator-=(CTimeSpan timeSpan)
{
    m_time -= timeSpan.m_timeSpan;
    return *this;
}

CTimeSpan::CTimeSpan(LONG lDays, int nHours, int nMins, int nSecs)
    : m_timeSpan(((static_cast<time_t>(lDays) * 24 + nHours) * 60 + nMins) * 60 + nSecs)
{
}

CString CTimeSpan::Format(LPCTSTR pFormat) const
{
    if (pFormat == nullptr)
        return CString();
    return CString(
        pc_date::FormatSpan(pFormat, GetDays(), GetHours(), GetMinutes(), GetSeconds()).c_str());
}

CString CTimeSpan::Format(UINT nFormatID) const
{
    CString format;
    if (!format.LoadString(nFormatID))
        return CString();
    return Format(static_cast<LPCTSTR>(format));
}
