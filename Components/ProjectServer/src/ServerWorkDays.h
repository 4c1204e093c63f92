// Working days of a project calendar on the server, for the demo schedule: the shared
// working-day rule the client applies to the calendar it reads, and its XML. Days are whole
// days numbered as the date type counts them (1899-12-30 is day 0).
#pragma once

#include <ClassLib/Core/WorkingDays.h>

#include <string>

namespace projectserver {

long DayNumber(int year, int month, int day);
void CivilDay(long n, int& year, int& month, int& day);
// 0 Sunday .. 6 Saturday.
int Weekday(long n);
// The local date today.
long LocalToday();

class CWorkCalendar {
public:
    // -1 every weekday works, -2 Saturday and Sunday rest; any other id: every weekday works.
    explicit CWorkCalendar(int baseId = -2) : m_rule(baseId) {}

    // A dated period, both ends included; the first period holding a day decides it.
    void AddPeriod(long from, long to, bool working) { m_rule.AddPeriod(from, to, working); }
    // A weekday entry (0 Sunday .. 6 Saturday); the first entry of a weekday decides it.
    void AddWeekday(int weekday, bool working) { m_rule.AddWeekday(weekday, working); }

    // The calendar as the shared rule sees it (for the link rule).
    const workdays::CWorkingCalendar& Rule() const { return m_rule; }

    bool IsRestDay(long day) const { return m_rule.IsRestDay(day); }
    // The walks below keep the day they start from when no working day is reached.
    // The day itself when it works, else the next working day.
    long SkipRestDays(long day) const;
    // n >= 1: the n-th working day counted from start (start included when it works);
    // n <= 0: the last working day before start.
    long FinishFromStart(long start, int n) const;
    // n >= 1: the n-th working day counted back from finish (finish included when it works);
    // n <= 0: the day after finish, or finish when that day rests.
    long StartFromFinish(long finish, int n) const;
    // Working days from first to last, both included (0 when last is before first).
    int WorkingDays(long first, long last) const { return workdays::WorkingDays(m_rule, first, last); }

    // The CALENDAR document of this calendar.
    std::string Xml(int calId, const std::string& name) const;

private:
    workdays::CWorkingCalendar m_rule;
};

}  // namespace projectserver
