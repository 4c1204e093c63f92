// Dates and times: COleDateTime (a day count with a status), COleDateTimeSpan, CTime and
// CTimeSpan (seconds since 1970, local time).
//
// COleDateTime holds a DATE: days since 30 December 1899 00:00, the fraction being the time
// of day. Before that day the fraction is measured away from zero: -1.25 is
// 29 December 1899 06:00. Years 100 to 9999 are representable; parts are taken to the
// nearest second. Comparisons and arithmetic work on the chronological value, so ordering is
// by time even across the sign change.
//
// Texts are code page 936 bytes. Format() and Format(flags, lcid) give the locale-neutral
// "%#Y-%#m-%#d %#H:%M:%S" form ("2004-5-1 0:00:00"), or its date or time alone with
// VAR_DATEVALUEONLY / VAR_TIMEVALUEONLY; ParseDateTime reads it back. An invalid date formats
// as "Invalid DateTime", a null one as "".
#pragma once

#include <cmath>
#include <ctime>

#include <ClassLib/Core/Clock.h>
#include <ClassLib/Core/String.h>
#include <ClassLib/Core/WinTypes.h>

typedef double DATE;
typedef DWORD LCID;

#ifndef LANG_USER_DEFAULT
#define LANG_USER_DEFAULT 0x0400
#endif
#ifndef LOCALE_USER_DEFAULT
#define LOCALE_USER_DEFAULT 0x0400
#endif
#ifndef LOCALE_NOUSEROVERRIDE
#define LOCALE_NOUSEROVERRIDE 0x80000000
#endif
#ifndef VAR_TIMEVALUEONLY
#define VAR_TIMEVALUEONLY ((DWORD)0x00000001)
#endif
#ifndef VAR_DATEVALUEONLY
#define VAR_DATEVALUEONLY ((DWORD)0x00000002)
#endif
#ifndef VAR_FOURDIGITYEARS
#define VAR_FOURDIGITYEARS ((DWORD)0x00000040)
#endif

// What the part getters return for an invalid or null date.
#define AFX_OLE_DATETIME_ERROR (-1)

class CArchive;
class COleDateTimeSpan;

class COleDateTime
{
public:
    enum DateTimeStatus
    {
        valid = 0,
        invalid = 1,
        null = 2
    };

    static COleDateTime PASCAL GetCurrentTime();

    COleDateTime();  // valid, 0.0 (30 December 1899 00:00)
    COleDateTime(DATE dtSrc);
    COleDateTime(time_t timeSrc);
    COleDateTime(const SYSTEMTIME& systimeSrc);
    COleDateTime(const FILETIME& filetimeSrc);
    COleDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec);

    const COleDateTime& operator=(DATE dtSrc);
    const COleDateTime& operator=(time_t timeSrc);
    const COleDateTime& operator=(const SYSTEMTIME& systimeSrc);
    const COleDateTime& operator=(const FILETIME& filetimeSrc);

    DateTimeStatus GetStatus() const { return m_status; }
    void SetStatus(DateTimeStatus status) { m_status = status; }

    // Local time of the value; FALSE for an invalid or null date.
    BOOL GetAsSystemTime(SYSTEMTIME& sysTime) const;

    int GetYear() const;
    int GetMonth() const;
    int GetDay() const;
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;
    int GetDayOfWeek() const;  // 1 = Sunday
    int GetDayOfYear() const;  // 1 = 1 January

    // The setters return 0 on success; 1 when a part is out of range, which leaves the value
    // invalid (0.0).
    int SetDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec);
    int SetDate(int nYear, int nMonth, int nDay);
    int SetTime(int nHour, int nMin, int nSec);  // on 30 December 1899

    // Reads the forms described in the file comment. On failure: invalid, 0.0, FALSE.
    BOOL ParseDateTime(LPCTSTR lpszDate, DWORD dwFlags = 0, LCID lcid = LANG_USER_DEFAULT);

    // DWORD and UINT are one type here, so one member serves both of the usual calls: a value
    // made only of VAR_DATEVALUEONLY, VAR_TIMEVALUEONLY, VAR_FOURDIGITYEARS and
    // LOCALE_NOUSEROVERRIDE selects the default form; any other value is the id of a string
    // resource that holds the format.
    CString Format(DWORD dwFlags = 0, LCID lcid = LANG_USER_DEFAULT) const;
    CString Format(LPCTSTR lpszFormat) const;

    operator DATE() const { return m_dt; }

    // Equal when status and time agree. The ordering operators compare the chronological
    // values whatever the status. Two dates on or after 30 December 1899 compare as they
    // stand, inline (the passes over a whole project compare dates of every task); an
    // earlier one, whose time of day counts backwards, or no number goes the long way.
    BOOL operator==(const COleDateTime& date) const
    {
        return m_status == date.m_status && (Forward(date) ? m_dt == date.m_dt : EqualLinear(date));
    }
    BOOL operator!=(const COleDateTime& date) const { return !(*this == date); }
    BOOL operator<(const COleDateTime& date) const { return Forward(date) ? m_dt < date.m_dt : Compare(date) == -1; }
    BOOL operator>(const COleDateTime& date) const { return Forward(date) ? m_dt > date.m_dt : Compare(date) == 1; }
    BOOL operator<=(const COleDateTime& date) const { return Forward(date) ? m_dt <= date.m_dt : LessOrEqual(date); }
    BOOL operator>=(const COleDateTime& date) const { return Forward(date) ? m_dt >= date.m_dt : date.LessOrEqual(*this); }

    // An invalid operand (or a result outside the years 100..9999) gives an invalid result;
    // otherwise a null operand gives a null result.
    COleDateTime operator+(const COleDateTimeSpan& dateSpan) const;
    COleDateTime operator-(const COleDateTimeSpan& dateSpan) const;
    const COleDateTime& operator+=(const COleDateTimeSpan dateSpan);
    const COleDateTime& operator-=(const COleDateTimeSpan dateSpan);
    COleDateTimeSpan operator-(const COleDateTime& date) const;  // inline, below

    DATE m_dt;
    DateTimeStatus m_status;

private:
    bool Forward(const COleDateTime& date) const { return m_dt >= 0 && date.m_dt >= 0; }
    // On the time line: -1, 0 or 1; 2 when either is no number (no order).
    int Compare(const COleDateTime& date) const;
    BOOL EqualLinear(const COleDateTime& date) const;
    BOOL LessOrEqual(const COleDateTime& date) const;
    double LinearDifference(const COleDateTime& date) const;
};

// A length of time in days (fraction = part of a day). The part getters work on the span
// rounded to the nearest second and have the span's sign.
class COleDateTimeSpan
{
public:
    enum DateTimeSpanStatus
    {
        valid = 0,
        invalid = 1,
        null = 2
    };
    typedef DateTimeSpanStatus DateTimeStatus;

    COleDateTimeSpan();  // valid, 0
    COleDateTimeSpan(double dblSpanSrc);
    COleDateTimeSpan(long lDays, int nHours, int nMins, int nSecs);

    const COleDateTimeSpan& operator=(double dblSpanSrc);

    DateTimeStatus GetStatus() const { return m_status; }
    void SetStatus(DateTimeStatus status) { m_status = status; }

    double GetTotalDays() const;
    double GetTotalHours() const;
    double GetTotalMinutes() const;
    double GetTotalSeconds() const;

    // Whole days, toward zero (inline: the chart places every bar by its days from the origin).
    long GetDays() const
    {
        const double dSeconds = m_span * 86400.0;
        if (!(std::fabs(dSeconds) <= 9.0e18))  // not a number, or beyond 64 bits: no span
            return 0;
        return static_cast<long>(std::llround(dSeconds) / 86400);
    }
    long GetHours() const;    // -23..23
    long GetMinutes() const;  // -59..59
    long GetSeconds() const;  // -59..59

    void SetDateTimeSpan(long lDays, int nHours, int nMins, int nSecs);

    // %D days, %H %M %S (two digits; '#' drops the zero), %%. Invalid: "Invalid DateTimeSpan";
    // null: "".
    CString Format(LPCTSTR lpszFormat) const;
    CString Format(UINT nFormatID) const;

    operator double() const { return m_span; }

    BOOL operator==(const COleDateTimeSpan& dateSpan) const;
    BOOL operator!=(const COleDateTimeSpan& dateSpan) const;
    BOOL operator<(const COleDateTimeSpan& dateSpan) const;
    BOOL operator>(const COleDateTimeSpan& dateSpan) const;
    BOOL operator<=(const COleDateTimeSpan& dateSpan) const;
    BOOL operator>=(const COleDateTimeSpan& dateSpan) const;

    COleDateTimeSpan operator+(const COleDateTimeSpan& dateSpan) const;
    COleDateTimeSpan operator-(const COleDateTimeSpan& dateSpan) const;
    const COleDateTimeSpan& operator+=(const COleDateTimeSpan dateSpan);
    const COleDateTimeSpan& operator-=(const COleDateTimeSpan dateSpan);
    COleDateTimeSpan operator-() const;

    double m_span;
    DateTimeStatus m_status;
};

// Both valid: the difference on the time line (as it stands for two dates on or after
// 30 December 1899); else a span of the combined status.
inline COleDateTimeSpan COleDateTime::operator-(const COleDateTime& date) const
{
    COleDateTimeSpan span;
    if (m_status == valid && date.m_status == valid)
        span.m_span = Forward(date) ? m_dt - date.m_dt : LinearDifference(date);
    else
        span.m_status = m_status == invalid || date.m_status == invalid ? COleDateTimeSpan::invalid : COleDateTimeSpan::null;
    return span;
}

class CTimeSpan;

// A point in time as seconds since 1 January 1970 UTC; parts are local time.
class CTime
{
public:
    static CTime PASCAL GetCurrentTime();

    CTime()
        : m_time(0)
    {
    }
    CTime(time_t time)
        : m_time(time)
    {
    }
    // Local time; out-of-range parts are carried over as the C library's mktime does.
    CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST = -1);
    CTime(const SYSTEMTIME& sysTime, int nDST = -1);
    CTime(const FILETIME& fileTime, int nDST = -1);

    const CTime& operator=(time_t t)
    {
        m_time = t;
        return *this;
    }

    time_t GetTime() const { return m_time; }
    // Copies the broken-down local (or UTC) time into *ptm and returns ptm, or NULL when the
    // time cannot be broken down or ptm is NULL.
    struct tm* GetLocalTm(struct tm* ptm) const;
    struct tm* GetGmtTm(struct tm* ptm) const;
    BOOL GetAsSystemTime(SYSTEMTIME& timeDest) const;

    int GetYear() const;
    int GetMonth() const;
    int GetDay() const;
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;
    int GetDayOfWeek() const;  // 1 = Sunday

    CString Format(LPCTSTR pFormat) const;
    CString FormatGmt(LPCTSTR pFormat) const;
    CString Format(UINT nFormatID) const;

    CTimeSpan operator-(CTime time) const;
    CTime operator-(CTimeSpan timeSpan) const;
    CTime operator+(CTimeSpan timeSpan) const;
    const CTime& operator+=(CTimeSpan timeSpan);
    const CTime& operator-=(CTimeSpan timeSpan);

    BOOL operator==(CTime time) const { return m_time == time.m_time; }
    BOOL operator!=(CTime time) const { return m_time != time.m_time; }
    BOOL operator<(CTime time) const { return m_time < time.m_time; }
    BOOL operator>(CTime time) const { return m_time > time.m_time; }
    BOOL operator<=(CTime time) const { return m_time <= time.m_time; }
    BOOL operator>=(CTime time) const { return m_time >= time.m_time; }

    time_t m_time;
};

// A length of time in seconds.
class CTimeSpan
{
public:
    CTimeSpan()
        : m_timeSpan(0)
    {
    }
    CTimeSpan(time_t time)
        : m_timeSpan(time)
    {
    }
    CTimeSpan(LONG lDays, int nHours, int nMins, int nSecs);

    LONGLONG GetDays() const { return m_timeSpan / 86400; }  // toward zero
    LONGLONG GetTotalHours() const { return m_timeSpan / 3600; }
    LONG GetHours() const { return (LONG)(GetTotalHours() - GetDays() * 24); }
    LONGLONG GetTotalMinutes() const { return m_timeSpan / 60; }
    LONG GetMinutes() const { return (LONG)(GetTotalMinutes() - GetTotalHours() * 60); }
    LONGLONG GetTotalSeconds() const { return m_timeSpan; }
    LONG GetSeconds() const { return (LONG)(GetTotalSeconds() - GetTotalMinutes() * 60); }
    time_t GetTimeSpan() const { return m_timeSpan; }

    // %D days, %H %M %S (two digits; '#' drops the zero), %%.
    CString Format(LPCTSTR pFormat) const;
    CString Format(UINT nFormatID) const;

    CTimeSpan operator-(CTimeSpan timeSpan) const
    {
        return CTimeSpan(m_timeSpan - timeSpan.m_timeSpan);
    }
    CTimeSpan operator+(CTimeSpan timeSpan) const
    {
        return CTimeSpan(m_timeSpan + timeSpan.m_timeSpan);
    }
    const CTimeSpan& operator+=(CTimeSpan timeSpan)
    {
        m_timeSpan += timeSpan.m_timeSpan;
        return *this;
    }
    const CTimeSpan& operator-=(CTimeSpan timeSpan)
    {
        m_timeSpan -= timeSpan.m_timeSpan;
        return *this;
    }
    CTimeSpan operator-() const { return CTimeSpan(-m_timeSpan); }

    BOOL operator==(CTimeSpan t) const { return m_timeSpan == t.m_timeSpan; }
    BOOL operator!=(CTimeSpan t) const { return m_timeSpan != t.m_timeSpan; }
    BOOL operator<(CTimeSpan t) const { return m_timeSpan < t.m_timeSpan; }
    BOOL operator>(CTimeSpan t) const { return m_timeSpan > t.m_timeSpan; }
    BOOL operator<=(CTimeSpan t) const { return m_timeSpan <= t.m_timeSpan; }
    BOOL operator>=(CTimeSpan t) const { return m_timeSpan >= t.m_timeSpan; }

    time_t m_timeSpan;
};

// Archive forms: the 4-byte status (0 valid, 1 invalid, 2 null), then the 8-byte double.
// Reading a status other than 0, 1 or 2 throws CArchiveException (generic) and leaves the
// value unchanged.
CArchive& AFXAPI operator<<(CArchive& ar, COleDateTime dateSrc);
CArchive& AFXAPI operator>>(CArchive& ar, COleDateTime& dateSrc);
CArchive& AFXAPI operator<<(CArchive& ar, COleDateTimeSpan dateSpanSrc);
CArchive& AFXAPI operator>>(CArchive& ar, COleDateTimeSpan& dateSpanSrc);
