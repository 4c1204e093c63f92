// Fields of the task and link records that the chart's layout reads, and the one stamp that
// every change of such a field or of a tracked list moves. A reader that noted the stamp when
// it last looked at the records knows, from an equal stamp, that none of them has changed
// since, without walking them. The fields read like the plain types; only the ways of writing
// are their own, and each moves the stamp when the value changes.
#pragma once

#include <ClassLib/Afx.h>

#include <cstdint>
#include <cstring>

class AFX_EXT_CLASS CTaskStamp
{
public:
    static uint64_t Now() { return s_nStamp; }
    static void Move() { ++s_nStamp; }
    // Moved (with the stamp) by every change of a tracked list's structure and of a task's
    // row. A reader that finds it moved since it last looked need not compare the values: a
    // task or link came, went or changed place, which it shows.
    static uint64_t Structure() { return s_nStructure; }
    static void MoveStructure()
    {
        ++s_nStamp;
        ++s_nStructure;
    }
    // Moved by every change of a task's name: the layout does not read the name, but the
    // chart draws it beside the bar, so a chart that shows names repaints when it moved.
    static uint64_t Label() { return s_nLabel; }
    static void MoveLabel() { ++s_nLabel; }

private:
    static inline uint64_t s_nStamp = 1;
    static inline uint64_t s_nStructure = 1;
    static inline uint64_t s_nLabel = 1;
};

// A number field. A place field (a task's row) moves the structure stamp too: a task that
// changed rows has its bar elsewhere.
template <class T, bool bPlace = false> class CTrackedNumber
{
public:
    CTrackedNumber()
        : m_v()
    {
    }
    CTrackedNumber(T v)
        : m_v(v)
    {
    }
    CTrackedNumber(const CTrackedNumber& src)
        : m_v(src.m_v)
    {
    }
    CTrackedNumber& operator=(const CTrackedNumber& src) { return *this = src.m_v; }
    CTrackedNumber& operator=(T v)
    {
        if (m_v != v) {
            m_v = v;
            Moved();
        }
        return *this;
    }
    CTrackedNumber& operator+=(T v) { return *this = static_cast<T>(m_v + v); }
    CTrackedNumber& operator-=(T v) { return *this = static_cast<T>(m_v - v); }
    CTrackedNumber& operator++() { return *this += 1; }
    CTrackedNumber& operator--() { return *this -= 1; }
    T operator++(int)
    {
        const T v = m_v;
        ++*this;
        return v;
    }
    T operator--(int)
    {
        const T v = m_v;
        --*this;
        return v;
    }

    operator const T&() const { return m_v; }
    const T& Get() const { return m_v; }
    // For a writer that fills a plain reference (a dialog's out-parameter): the stamp moves
    // first, the reference is written at once and not kept.
    T& ForWriting()
    {
        Moved();
        return m_v;
    }

private:
    static void Moved()
    {
        if constexpr (bPlace)
            CTaskStamp::MoveStructure();
        else
            CTaskStamp::Move();
    }

    T m_v;
};

// A date field: a change of its value or of its status moves the stamp.
class CTrackedDate
{
public:
    CTrackedDate() = default;
    CTrackedDate(const COleDateTime& v)
        : m_v(v)
    {
    }
    CTrackedDate(const CTrackedDate& src)
        : m_v(src.m_v)
    {
    }
    CTrackedDate& operator=(const CTrackedDate& src) { return *this = src.m_v; }
    CTrackedDate& operator=(const COleDateTime& v) { return Write([&](COleDateTime& d) { d = v; }); }
    CTrackedDate& operator=(DATE v) { return Write([&](COleDateTime& d) { d = v; }); }
    CTrackedDate& operator+=(const COleDateTimeSpan& span) { return Write([&](COleDateTime& d) { d += span; }); }
    CTrackedDate& operator-=(const COleDateTimeSpan& span) { return Write([&](COleDateTime& d) { d -= span; }); }
    void SetStatus(COleDateTime::DateTimeStatus status)
    {
        Write([&](COleDateTime& d) { d.SetStatus(status); });
    }
    int SetDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec)
    {
        int n = 0;
        Write([&](COleDateTime& d) { n = d.SetDateTime(nYear, nMonth, nDay, nHour, nMin, nSec); });
        return n;
    }
    int SetDate(int nYear, int nMonth, int nDay)
    {
        int n = 0;
        Write([&](COleDateTime& d) { n = d.SetDate(nYear, nMonth, nDay); });
        return n;
    }
    int SetTime(int nHour, int nMin, int nSec)
    {
        int n = 0;
        Write([&](COleDateTime& d) { n = d.SetTime(nHour, nMin, nSec); });
        return n;
    }
    BOOL ParseDateTime(LPCTSTR lpszDate, DWORD dwFlags = 0, LCID lcid = LANG_USER_DEFAULT)
    {
        BOOL b = FALSE;
        Write([&](COleDateTime& d) { b = d.ParseDateTime(lpszDate, dwFlags, lcid); });
        return b;
    }

    operator const COleDateTime&() const { return m_v; }
    explicit operator DATE() const { return m_v; }
    const COleDateTime& Get() const { return m_v; }
    COleDateTime& ForWriting()
    {
        CTaskStamp::Move();
        return m_v;
    }

    COleDateTime::DateTimeStatus GetStatus() const { return m_v.GetStatus(); }
    BOOL GetAsSystemTime(SYSTEMTIME& sysTime) const { return m_v.GetAsSystemTime(sysTime); }
    int GetYear() const { return m_v.GetYear(); }
    int GetMonth() const { return m_v.GetMonth(); }
    int GetDay() const { return m_v.GetDay(); }
    int GetHour() const { return m_v.GetHour(); }
    int GetMinute() const { return m_v.GetMinute(); }
    int GetSecond() const { return m_v.GetSecond(); }
    int GetDayOfWeek() const { return m_v.GetDayOfWeek(); }
    int GetDayOfYear() const { return m_v.GetDayOfYear(); }
    CString Format(DWORD dwFlags = 0, LCID lcid = LANG_USER_DEFAULT) const { return m_v.Format(dwFlags, lcid); }
    CString Format(LPCTSTR lpszFormat) const { return m_v.Format(lpszFormat); }

    BOOL operator==(const COleDateTime& date) const { return m_v == date; }
    BOOL operator!=(const COleDateTime& date) const { return m_v != date; }
    BOOL operator<(const COleDateTime& date) const { return m_v < date; }
    BOOL operator>(const COleDateTime& date) const { return m_v > date; }
    BOOL operator<=(const COleDateTime& date) const { return m_v <= date; }
    BOOL operator>=(const COleDateTime& date) const { return m_v >= date; }
    COleDateTime operator+(const COleDateTimeSpan& span) const { return m_v + span; }
    COleDateTime operator-(const COleDateTimeSpan& span) const { return m_v - span; }
    COleDateTimeSpan operator-(const COleDateTime& date) const { return m_v - date; }

private:
    template <class Op> CTrackedDate& Write(Op op)
    {
        const COleDateTime old = m_v;
        op(m_v);
        if (std::memcmp(&old.m_dt, &m_v.m_dt, sizeof(old.m_dt)) != 0 || old.m_status != m_v.m_status)
            CTaskStamp::Move();
        return *this;
    }

    COleDateTime m_v;
};

// A name: its emptiness moves the stamp (all the layout reads of it), any change the label
// stamp.
class CTrackedName
{
public:
    CTrackedName() = default;
    CTrackedName(const CTrackedName& src)
        : m_v(src.m_v)
    {
    }
    CTrackedName& operator=(const CTrackedName& src) { return *this = src.m_v; }
    CTrackedName& operator=(const CString& v) { return Write([&](CString& s) { s = v; }); }
    CTrackedName& operator=(LPCTSTR v) { return Write([&](CString& s) { s = v; }); }
    CTrackedName& operator+=(const CString& v) { return Write([&](CString& s) { s += v; }); }
    CTrackedName& operator+=(LPCTSTR v) { return Write([&](CString& s) { s += v; }); }
    void Empty()
    {
        Write([](CString& s) { s.Empty(); });
    }
    template <class... Args> void Format(LPCTSTR pszFormat, Args... args)
    {
        Write([&](CString& s) { s.Format(pszFormat, args...); });
    }

    operator const CString&() const { return m_v; }
    operator LPCTSTR() const { return m_v; }
    const CString& Get() const { return m_v; }
    CString& ForWriting()
    {
        CTaskStamp::Move();
        return m_v;
    }

    BOOL IsEmpty() const { return m_v.IsEmpty(); }
    int GetLength() const { return m_v.GetLength(); }
    int Compare(LPCTSTR psz) const { return m_v.Compare(psz); }
    int CompareNoCase(LPCTSTR psz) const { return m_v.CompareNoCase(psz); }

    friend bool operator==(const CTrackedName& a, const CTrackedName& b) { return a.m_v == b.m_v; }
    friend bool operator==(const CTrackedName& a, const CString& b) { return a.m_v == b; }
    friend bool operator==(const CString& a, const CTrackedName& b) { return a == b.m_v; }
    friend bool operator==(const CTrackedName& a, LPCTSTR b) { return a.m_v == b; }
    friend bool operator==(LPCTSTR a, const CTrackedName& b) { return a == b.m_v; }
    friend bool operator!=(const CTrackedName& a, const CTrackedName& b) { return !(a == b); }
    friend bool operator!=(const CTrackedName& a, const CString& b) { return !(a == b); }
    friend bool operator!=(const CString& a, const CTrackedName& b) { return !(a == b); }
    friend bool operator!=(const CTrackedName& a, LPCTSTR b) { return !(a == b); }
    friend bool operator!=(LPCTSTR a, const CTrackedName& b) { return !(a == b); }

private:
    template <class Op> CTrackedName& Write(Op op)
    {
        const CString old = m_v;
        op(m_v);
        if (old.IsEmpty() != m_v.IsEmpty())
            CTaskStamp::Move();
        if (old != m_v)
            CTaskStamp::MoveLabel();
        return *this;
    }

    CString m_v;
};

// A pointer list whose every change of structure moves the stamp and the structure stamp.
// Elements are read by value: a list entry is replaced only through SetAt.
template <class TYPE> class CTrackedPtrList : private CTypedPtrList<CObList, TYPE>
{
    typedef CTypedPtrList<CObList, TYPE> Base;

public:
    explicit CTrackedPtrList(INT_PTR nBlockSize = 10)
        : Base(nBlockSize)
    {
    }

    using Base::Find;
    using Base::FindIndex;
    using Base::GetCount;
    using Base::GetHeadPosition;
    using Base::GetSize;
    using Base::GetTailPosition;
    using Base::IsEmpty;

    TYPE GetHead() const { return static_cast<const Base&>(*this).GetHead(); }
    TYPE GetTail() const { return static_cast<const Base&>(*this).GetTail(); }
    TYPE GetNext(POSITION& rPosition) const { return static_cast<const Base&>(*this).GetNext(rPosition); }
    TYPE GetPrev(POSITION& rPosition) const { return static_cast<const Base&>(*this).GetPrev(rPosition); }
    TYPE GetAt(POSITION position) const { return static_cast<const Base&>(*this).GetAt(position); }

    const CObList& AsObList() const { return *this; }
    CObList& ForWriting()
    {
        CTaskStamp::MoveStructure();
        return *this;
    }

    TYPE RemoveHead()
    {
        CTaskStamp::MoveStructure();
        return Base::RemoveHead();
    }
    TYPE RemoveTail()
    {
        CTaskStamp::MoveStructure();
        return Base::RemoveTail();
    }
    POSITION AddHead(TYPE newElement)
    {
        CTaskStamp::MoveStructure();
        return Base::AddHead(newElement);
    }
    POSITION AddTail(TYPE newElement)
    {
        CTaskStamp::MoveStructure();
        return Base::AddTail(newElement);
    }
    void AddTail(CTrackedPtrList* pNewList)
    {
        CTaskStamp::MoveStructure();
        Base::AddTail(pNewList);
    }
    void SetAt(POSITION pos, TYPE newElement)
    {
        CTaskStamp::MoveStructure();
        Base::SetAt(pos, newElement);
    }
    void RemoveAt(POSITION position)
    {
        CTaskStamp::MoveStructure();
        Base::RemoveAt(position);
    }
    void RemoveAll()
    {
        if (!Base::IsEmpty())
            CTaskStamp::MoveStructure();
        Base::RemoveAll();
    }
    POSITION InsertBefore(POSITION position, TYPE newElement)
    {
        CTaskStamp::MoveStructure();
        return Base::InsertBefore(position, newElement);
    }
    POSITION InsertAfter(POSITION position, TYPE newElement)
    {
        CTaskStamp::MoveStructure();
        return Base::InsertAfter(position, newElement);
    }
};

// The archive forms are those of the plain types.
template <class T, bool P> CArchive& operator<<(CArchive& ar, const CTrackedNumber<T, P>& v) { return ar << v.Get(); }
template <class T, bool P> CArchive& operator>>(CArchive& ar, CTrackedNumber<T, P>& v)
{
    T t{};
    ar >> t;
    v = t;
    return ar;
}
inline CArchive& operator<<(CArchive& ar, const CTrackedDate& v) { return ar << v.Get(); }
inline CArchive& operator>>(CArchive& ar, CTrackedDate& v)
{
    COleDateTime t;
    ar >> t;
    v = t;
    return ar;
}
inline CArchive& operator<<(CArchive& ar, const CTrackedName& v) { return ar << v.Get(); }
inline CArchive& operator>>(CArchive& ar, CTrackedName& v)
{
    CString t;
    ar >> t;
    v = t;
    return ar;
}
