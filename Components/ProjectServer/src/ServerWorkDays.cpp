// Working days of a project calendar on the server.
#include "ServerWorkDays.h"

#include <ClassLib/Core/DateTime.h>

#include <cmath>

namespace projectserver {

namespace {

// A walk over days that meets no working day within ten years gives up.
const int kMaxSteps = 3660;

}  // namespace

long DayNumber(int year, int month, int day)
{
    return static_cast<long>(std::floor(COleDateTime(year, month, day, 0, 0, 0).m_dt));
}

void CivilDay(long n, int& year, int& month, int& day)
{
    const COleDateTime dt(static_cast<DATE>(n));
    year = dt.GetYear();
    month = dt.GetMonth();
    day = dt.GetDay();
}

int Weekday(long n)
{
    return COleDateTime(static_cast<DATE>(n)).GetDayOfWeek() - 1;
}

long LocalToday()
{
    const COleDateTime now = COleDateTime::GetCurrentTime();
    return DayNumber(now.GetYear(), now.GetMonth(), now.GetDay());
}

bool CWorkCalendar::IsRestDay(long day) const
{
    for (const Period& p : m_periods)
        if (p.from <= day && day <= p.to)
            return !p.working;
    const int w = Weekday(day);
    for (const Entry& e : m_weekdays)
        if (e.weekday == w)
            return !e.working;
    return m_baseId == -2 && (w == 0 || w == 6);
}

long CWorkCalendar::SkipRestDays(long day) const
{
    return Walk(day, 1, 1);
}

long CWorkCalendar::Walk(long from, int n, int step) const
{
    long day = from;
    for (int rest = 0; rest <= kMaxSteps; day += step) {
        if (IsRestDay(day)) {
            ++rest;
            continue;
        }
        rest = 0;
        if (--n == 0)
            return day;
    }
    return from;
}

long CWorkCalendar::FinishFromStart(long start, int n) const
{
    return n <= 0 ? Walk(start - 1, 1, -1) : Walk(start, n, 1);
}

long CWorkCalendar::StartFromFinish(long finish, int n) const
{
    return n <= 0 ? finish : Walk(finish, n, -1);
}

int CWorkCalendar::WorkingDays(long first, long last) const
{
    int n = 0;
    for (long day = first; day <= last; ++day)
        if (!IsRestDay(day))
            ++n;
    return n;
}

std::string CWorkCalendar::Xml(int calId, const std::string& name) const
{
    auto date = [](long n, const char* time) {
        int y, m, d;
        CivilDay(n, y, m, d);
        return std::to_string(y) + "-" + std::to_string(m) + "-" + std::to_string(d) + " " + time;
    };
    std::string x = "<CALENDAR><CALID>" + std::to_string(calId) + "</CALID><CALNAME>" + name +
                    "</CALNAME><CALBASEID>" + std::to_string(m_baseId) + "</CALBASEID><RESCODE></RESCODE><CALDATA>";
    for (const Period& p : m_periods)
        x += "<CALDATE><FROMDATE>" + date(p.from, "0:0:0") + "</FROMDATE><TODATE>" + date(p.to, "23:59:59") +
             "</TODATE><WORKING>" + (p.working ? "1" : "0") + "</WORKING></CALDATE>";
    for (const Entry& e : m_weekdays)
        x += "<CALDAY><DAY>" + std::to_string(e.weekday) + "</DAY><WORKING>" + (e.working ? "1" : "0") +
             "</WORKING></CALDAY>";
    return x + "</CALDATA></CALENDAR>";
}

}  // namespace projectserver
