// The task tree view: working days on whole-day dates (rest days from the document's
// calendar), and reading the numbers and dates typed into the cells.
#include "TaskTreeView.h"

#include <cmath>

#include <ClassLib/Core/WorkingDays.h>

#include "Gantt_src/RestDayCounter.h"
#include "ProjectDoc.h"

namespace
{
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

// The day number of a whole day (its value is a whole number, before 1899 too).
long DayOf(const COleDateTime& wholeDay)
{
    return (long)(DATE)wholeDay;
}

COleDateTime DateOfDay(long nDay)
{
    return COleDateTime((DATE)nDay);
}

// The view's rest days (its document's calendar, kept while an edit runs) by day number.
struct CViewRestDays
{
    CTaskTreeView* pView;
    bool operator()(long nDay) const { return pView->IsRestDay(DateOfDay(nDay)) != FALSE; }
};

BOOL IsDigit(char c)
{
    return c >= '0' && c <= '9';
}
} // namespace

BOOL CTaskTreeView::IsRestDay(const COleDateTime& date)
{
    if (date.GetStatus() != COleDateTime::valid)
        return FALSE;
    if (m_pEditRestDays)
        return m_pEditRestDays->IsRestDay(CRestDayCounter::DayNumber(date)) ? TRUE : FALSE;
    CProjectDoc* pDoc = GetDocument();
    return pDoc && pDoc->IsRestDay(date.GetYear(), date.GetMonth(), date.GetDay()) != 0;
}

void CTaskTreeView::BeginRestCache()
{
    if (m_nRestCacheDepth++ == 0) {
        CProjectDoc* pDoc = GetDocument();
        m_pEditRestDays = pDoc ? &pDoc->RestDays() : nullptr;
    }
}

void CTaskTreeView::EndRestCache()
{
    if (--m_nRestCacheDepth == 0)
        m_pEditRestDays = nullptr;
}

// The walks themselves are the shared working-day rule's, on day numbers; a walk that finds
// no working day keeps the date it started from.
COleDateTime CTaskTreeView::SkipRestDays(const COleDateTime& date)
{
    const COleDateTime day = WholeDay(date);
    long result;
    if (day.GetStatus() != COleDateTime::valid || !workdays::SkipRestDays(CViewRestDays{this}, DayOf(day), result))
        return day;
    return DateOfDay(result);
}

int CTaskTreeView::CountRestDays(const COleDateTime& a, const COleDateTime& b)
{
    const COleDateTime from = WholeDay(a), to = WholeDay(b);
    if (from.GetStatus() != COleDateTime::valid || to.GetStatus() != COleDateTime::valid)
        return 0;
    if (m_pEditRestDays)
        return m_pEditRestDays->CountDays(DayOf(from), DayOf(to));
    return workdays::CountRestDays(CViewRestDays{this}, DayOf(from), DayOf(to));
}

COleDateTime CTaskTreeView::FinishFromStart(const COleDateTime& start, int n)
{
    const COleDateTime day = WholeDay(start);
    long result;
    if (day.GetStatus() != COleDateTime::valid || !workdays::FinishFromStart(CViewRestDays{this}, DayOf(day), n, result))
        return day;
    return DateOfDay(result);
}

COleDateTime CTaskTreeView::StartFromFinish(const COleDateTime& finish, int n)
{
    const COleDateTime day = WholeDay(finish);
    long result;
    if (day.GetStatus() != COleDateTime::valid || !workdays::StartFromFinish(CViewRestDays{this}, DayOf(day), n, result))
        return day;
    return DateOfDay(result);
}

int CTaskTreeView::WorkingDays(const COleDateTime& start, const COleDateTime& finish)
{
    const COleDateTime from = WholeDay(start), to = WholeDay(finish);
    if (from.GetStatus() != COleDateTime::valid || to.GetStatus() != COleDateTime::valid)
        return 0;
    return workdays::WorkingDays(CViewRestDays{this}, DayOf(from), DayOf(to));
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
