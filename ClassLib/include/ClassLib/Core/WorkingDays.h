// Working days and task links on whole days, numbered as the date type counts them
// (30 December 1899 is day 0): the calendar rule (dated periods, then weekday entries, then
// the base calendar), the walks over working days, and the date each kind of link asks of
// its successor. No window system and no date objects: the client's schedule, the server's
// demo schedule and the task library's calculator all compute with this one rule.
#pragma once

#include <type_traits>
#include <vector>

namespace workdays {

// The days a date can hold: 1 January 100 .. 31 December 9999. No walk leaves them.
constexpr long kFirstDay = -657434;
constexpr long kLastDay = 2958465;

// A walk that meets this many rest days in a row stops: the calendar has no working day it
// can reach.
constexpr int kMaxRestRun = 3660;

// Base calendar ids: every day works, or Saturday and Sunday rest.
enum { kAllDaysBase = -1, kStandardBase = -2 };

// 0 Sunday .. 6 Saturday.
int WeekdayOf(long day);

// The base calendar alone: kStandardBase rests on Saturday and Sunday; every other id
// (kAllDaysBase and saved calendars) works every weekday.
bool BaseRestsOn(int nBaseID, int nWeekday);

// The calendar rule over any calendar's lists: the first dated period holding the day
// decides it, else the first weekday entry of its weekday, else the base. period(day, rest)
// and weekday(w, rest) answer whether such an entry exists, setting rest when it does.
template <class PeriodLookup, class WeekdayLookup>
bool RestsByRule(long day, int nBaseID, const PeriodLookup& period, const WeekdayLookup& weekday)
{
    bool bRest = false;
    if (period(day, bRest))
        return bRest;
    const int w = WeekdayOf(day);
    if (weekday(w, bRest))
        return bRest;
    return BaseRestsOn(nBaseID, w);
}

// A calendar: the rule above on its own lists.
class CWorkingCalendar
{
public:
    struct Period
    {
        long first, last;  // both included
        bool working;
    };
    struct Weekday
    {
        int weekday;  // 0 Sunday .. 6 Saturday
        bool working;
    };

    explicit CWorkingCalendar(int nBaseID = kStandardBase) : m_nBaseID(nBaseID) {}

    void AddPeriod(long first, long last, bool working) { m_periods.push_back({first, last, working}); }
    void AddWeekday(int weekday, bool working) { m_weekdays.push_back({weekday, working}); }

    bool IsRestDay(long day) const;
    bool operator()(long day) const { return IsRestDay(day); }

    int BaseID() const { return m_nBaseID; }
    const std::vector<Period>& Periods() const { return m_periods; }
    const std::vector<Weekday>& Weekdays() const { return m_weekdays; }

private:
    int m_nBaseID;
    std::vector<Period> m_periods;
    std::vector<Weekday> m_weekdays;
};

// A rest-day test by day number: any callable bool(long), held by reference, so it must
// outlive the test (a lambda passed straight to a walk does).
class RestDayTest
{
public:
    template <class F, class = std::enable_if_t<!std::is_same<std::decay_t<F>, RestDayTest>::value>>
    RestDayTest(const F& f) : m_pContext(&f), m_pfnCall(&Call<F>)
    {
    }
    bool operator()(long day) const { return m_pfnCall(m_pContext, day); }

private:
    template <class F>
    static bool Call(const void* pContext, long day)
    {
        return (*static_cast<const F*>(pContext))(day) ? true : false;
    }
    const void* m_pContext;
    bool (*m_pfnCall)(const void*, long);
};

// The walks answer false (result untouched) when no working day is reached: kMaxRestRun
// rest days in a row, or the end of the days a date holds.

// The day itself when it works, else the next working day.
bool SkipRestDays(RestDayTest isRest, long day, long& result);
// n >= 1: the n-th working day counted from start (start included when it works);
// n <= 0: the last working day before start.
bool FinishFromStart(RestDayTest isRest, long start, int n, long& result);
// n >= 1: the n-th working day counted back from finish (finish included when it works);
// n <= 0: the day after finish, or finish itself when that day rests.
bool StartFromFinish(RestDayTest isRest, long finish, int n, long& result);
// k > 0: the k-th working day after day; k < 0: the -k-th working day before it; 0: day.
bool MoveWorkingDays(RestDayTest isRest, long day, long long k, long& result);
// Rest days from the earlier to the later day, both included.
int CountRestDays(RestDayTest isRest, long a, long b);
// Working days from first to last, both included; 0 when last is before first.
int WorkingDays(RestDayTest isRest, long first, long last);

// Link kinds by their stored codes.
enum LinkKind { kFinishToStart = 1, kFinishToFinish = 2, kStartToFinish = 3, kStartToStart = 4 };
// What a link bounds of its successor.
enum LinkBound { kBoundsNothing = 0, kBoundsStart = 1, kBoundsFinish = 2 };

// True when a link of this kind leaves from its predecessor's finish, false from its start.
bool LeavesFromFinish(int nKind);

// The earliest start or finish a link asks of its successor, from the predecessor's date it
// leaves from (anchor) and its lag in working days. The anchor's day is its working day
// (the next one when it rests), and the lag counts working days after it:
//   finish-to-start   the (lag + 1)-th working day after the finish;
//   finish-to-finish  the finish itself at lag 0, else the lag-th working day after it;
//   start-to-start    the same from the start;
//   start-to-finish   from the last working day before the start: that day at lag 0, else
//                     the lag-th working day after it.
// A negative lag counts back the same way. When no working day can be reached the anchor
// itself is asked for. kBoundsNothing (required untouched) for any other kind.
LinkBound LinkRequirement(RestDayTest isRest, int nKind, int nLag, long anchor, long& required);

} // namespace workdays
