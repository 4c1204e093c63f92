// Working days of a project calendar on the server.
#include "ServerWorkDays.h"

#include <ClassLib/Core/DateTime.h>

#include <cmath>

namespace projectserver {

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
    return workdays::WeekdayOf(n);
}

long LocalToday()
{
    const COleDateTime now = COleDateTime::GetCurrentTime();
    return DayNumber(now.GetYear(), now.GetMonth(), now.GetDay());
}

long CWorkCalendar::SkipRestDays(long day) const
{
    long result = day;
    workdays::SkipRestDays(m_rule, day, result);
    return result;
}

long CWorkCalendar::FinishFromStart(long start, int n) const
{
    long result = start;
    workdays::FinishFromStart(m_rule, start, n, result);
    return result;
}

long CWorkCalendar::StartFromFinish(long finish, int n) const
{
    long result = finish;
    workdays::StartFromFinish(m_rule, finish, n, result);
    return result;
}

std::string CWorkCalendar::Xml(int calId, const std::string& name) const
{
    auto date = [](long n, const char* time) {
        int y, m, d;
        CivilDay(n, y, m, d);
        return std::to_string(y) + "-" + std::to_string(m) + "-" + std::to_string(d) + " " + time;
    };
    std::string x = "<CALENDAR><CALID>" + std::to_string(calId) + "</CALID><CALNAME>" + name +
                    "</CALNAME><CALBASEID>" + std::to_string(m_rule.BaseID()) + "</CALBASEID><RESCODE></RESCODE><CALDATA>";
    for (const workdays::CWorkingCalendar::Period& p : m_rule.Periods())
        x += "<CALDATE><FROMDATE>" + date(p.first, "0:0:0") + "</FROMDATE><TODATE>" + date(p.last, "23:59:59") +
             "</TODATE><WORKING>" + (p.working ? "1" : "0") + "</WORKING></CALDATE>";
    for (const workdays::CWorkingCalendar::Weekday& e : m_rule.Weekdays())
        x += "<CALDAY><DAY>" + std::to_string(e.weekday) + "</DAY><WORKING>" + (e.working ? "1" : "0") +
             "</WORKING></CALDAY>";
    return x + "</CALDATA></CALENDAR>";
}

}  // namespace projectserver
