// The task tree view: working days on whole-day dates (rest days from the document's
// calendar), and reading the numbers and dates typed into the cells.
#include "TaskTreeView.h"

#include <cmath>

#include "ProjectDoc.h"

namespace
{
// A walk that meets this many rest days in a row stops: the calendar has no working day
// it can reach, and the date it started from is kept.
const int kMaxRestRun = 3660;

COleDateTime WholeDay(const COleDateTime& date)
{
    if (date.GetStatus() != COleDateTime::valid)
        return date;
    // Days after 30 December 1899 count up from 0: the day is the whole part.
    const double dt = (DATE)date;
    if (dt >= 0)
        return COleDateTime((DATE)std::floor(dt));
    return COleDateTime(date.GetYear(), date.GetMonth(), date.GetDay(), 0, 0, 0);
}

const COleDateTimeSpan kOneDay(1, 0, 0, 0);

BOOL IsDigit(char c)
{
    return c >= '0' && c <= '9';
}
} // namespace

BOOL CTaskTreeView::IsRestDay(const COleDateTime& date)
{
    CProjectDoc* pDoc = GetDocument();
    if (!pDoc || date.GetStatus() != COleDateTime::valid)
        return FALSE;
    // While an edit runs the calendar cannot change: each day is asked once.
    const long nDay = (long)std::floor((DATE)date);
    if (m_nRestCacheDepth > 0)
    {
        auto it = m_restDays.find(nDay);
        if (it != m_restDays.end())
            return it->second;
    }
    const BOOL bRest = pDoc->IsRestDay(date.GetYear(), date.GetMonth(), date.GetDay()) != 0;
    if (m_nRestCacheDepth > 0)
        m_restDays.emplace(nDay, bRest);
    return bRest;
}

COleDateTime CTaskTreeView::SkipRestDays(const COleDateTime& date)
{
    COleDateTime day = WholeDay(date);
    if (day.GetStatus() != COleDateTime::valid)
        return day;
    for (int i = 0; i <= kMaxRestRun; i++)
    {
        if (!IsRestDay(day))
            return day;
        day += kOneDay;
    }
    return WholeDay(date);
}

int CTaskTreeView::CountRestDays(const COleDateTime& a, const COleDateTime& b)
{
    COleDateTime from = WholeDay(a), to = WholeDay(b);
    if (from.GetStatus() != COleDateTime::valid || to.GetStatus() != COleDateTime::valid)
        return 0;
    if (to < from)
        std::swap(from, to);
    int nCount = 0;
    for (COleDateTime day = from; day <= to; day += kOneDay)
        if (IsRestDay(day))
            nCount++;
    return nCount;
}

COleDateTime CTaskTreeView::FinishFromStart(const COleDateTime& start, int n)
{
    COleDateTime day = WholeDay(start);
    if (day.GetStatus() != COleDateTime::valid)
        return day;
    if (n <= 0)
    {
        // The last working day before the start.
        for (int i = 0; i <= kMaxRestRun; i++)
        {
            day -= kOneDay;
            if (!IsRestDay(day))
                return day;
        }
        return WholeDay(start);
    }
    int nRest = 0;
    for (;;)
    {
        if (!IsRestDay(day))
        {
            nRest = 0;
            if (--n == 0)
                return day;
        }
        else if (++nRest > kMaxRestRun)
            return WholeDay(start);
        day += kOneDay;
    }
}

COleDateTime CTaskTreeView::StartFromFinish(const COleDateTime& finish, int n)
{
    COleDateTime day = WholeDay(finish);
    if (day.GetStatus() != COleDateTime::valid)
        return day;
    if (n <= 0)
    {
        COleDateTime next = day + kOneDay;
        return IsRestDay(next) ? day : next;
    }
    int nRest = 0;
    for (;;)
    {
        if (!IsRestDay(day))
        {
            nRest = 0;
            if (--n == 0)
                return day;
        }
        else if (++nRest > kMaxRestRun)
            return WholeDay(finish);
        day -= kOneDay;
    }
}

int CTaskTreeView::WorkingDays(const COleDateTime& start, const COleDateTime& finish)
{
    COleDateTime from = WholeDay(start), to = WholeDay(finish);
    if (from.GetStatus() != COleDateTime::valid || to.GetStatus() != COleDateTime::valid || to < from)
        return 0;
    long nDays = (to - from).GetDays();
    long n = nDays + 1 - CountRestDays(from, to);
    return n < 0 ? 0 : (int)n;
}

int CTaskTreeView::DurationDays(int nDuration)
{
    int nHours = nDuration / 3600;
    return (nHours - 24) / 24 + 1;
}

COleDateTime CTaskTreeView::ParseDateText(const CString& strText)
{
    COleDateTime date;
    if (strText.IsEmpty() || !date.ParseDateTime(strText))
    {
        date.SetStatus(COleDateTime::invalid);
        return date;
    }
    return WholeDay(date);
}

double CTaskTreeView::ParseLeadingNumber(LPCTSTR lpszText)
{
    // Plain decimals only: no locale decimal sign, no hex, no exponent, no "inf" or "nan".
    if (!lpszText)
        return 0;
    const char* p = lpszText;
    while (*p == ' ' || *p == '\t')
        p++;
    BOOL bNegative = FALSE;
    if (*p == '+' || *p == '-')
        bNegative = *p++ == '-';
    if (!IsDigit(*p) && !(*p == '.' && IsDigit(p[1])))
        return 0;
    double dValue = 0;
    while (IsDigit(*p))
    {
        dValue = dValue * 10 + (*p - '0');
        if (dValue > 1e9)
            return 0;
        p++;
    }
    if (*p == '.')
    {
        double dScale = 0.1;
        for (p++; IsDigit(*p); p++, dScale /= 10)
            dValue += (*p - '0') * dScale;
    }
    return bNegative ? -dValue : dValue;
}

double CTaskTreeView::ParseDurationDays(LPCTSTR lpszText)
{
    const double dValue = ParseLeadingNumber(lpszText);
    if (!lpszText)
        return dValue;
    // The unit is what follows the number (blanks around it ignored).
    CString strText(lpszText);
    strText.Trim();
    const CString strHours("小时");
    if (strText.GetLength() > strHours.GetLength() && strText.Right(strHours.GetLength()) == strHours)
    {
        CString strNumber = strText.Left(strText.GetLength() - strHours.GetLength());
        strNumber.TrimRight();
        if (ParseLeadingNumber(strNumber) == dValue)
            return dValue / 24.0;
    }
    return dValue;
}

int CTaskTreeView::ParseInteger(LPCTSTR lpszText)
{
    if (!lpszText)
        return 0;
    const char* p = lpszText;
    while (*p == ' ' || *p == '\t')
        p++;
    BOOL bNegative = FALSE;
    if (*p == '+' || *p == '-')
        bNegative = *p++ == '-';
    if (!IsDigit(*p))
        return 0;
    long long nValue = 0;
    while (IsDigit(*p))
    {
        nValue = nValue * 10 + (*p - '0');
        if (nValue > 0x7FFFFFFF)
            return 0;
        p++;
    }
    while (*p == ' ' || *p == '\t')
        p++;
    if (*p)
        return 0;
    return (int)(bNegative ? -nValue : nValue);
}
