// Working days of a project calendar on the server, for the demo schedule: the same rules the
// client applies to the calendar it reads (dated periods first, then weekday entries, then
// the base calendar) and the client's steps over working days. Days are whole days numbered
// as the date type counts them (1899-12-30 is day 0).
#pragma once

#include <string>
#include <vector>

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
    explicit CWorkCalendar(int baseId = -2) : m_baseId(baseId) {}

    // A dated period, both ends included; the first period holding a day decides it.
    void AddPeriod(long from, long to, bool working) { m_periods.push_back({from, to, working}); }
    // A weekday entry (0 Sunday .. 6 Saturday); the first entry of a weekday decides it.
    void AddWeekday(int weekday, bool working) { m_weekdays.push_back({weekday, working}); }

    bool IsRestDay(long day) const;
    // The day itself when it works, else the next working day.
    long SkipRestDays(long day) const;
    // n >= 1: the n-th working day counted from start (start included when it works);
    // n <= 0: the last working day before start.
    long FinishFromStart(long start, int n) const;
    // n >= 1: the n-th working day counted back from finish (finish included when it works);
    // n <= 0: finish.
    long StartFromFinish(long finish, int n) const;
    // Working days from first to last, both included (0 when last is before first).
    int WorkingDays(long first, long last) const;

    // The CALENDAR document of this calendar.
    std::string Xml(int calId, const std::string& name) const;

private:
    // The n-th working day stepping by `step` from `from` (counted when it works); `from`
    // itself when none is met.
    long Walk(long from, int n, int step) const;

    struct Period {
        long from, to;
        bool working;
    };
    struct Entry {
        int weekday;
        bool working;
    };
    int m_baseId;
    std::vector<Period> m_periods;
    std::vector<Entry> m_weekdays;
};

}  // namespace projectserver
