#include <ClassLib/Core/WorkingDays.h>

namespace workdays {

namespace {

bool InRange(long day)
{
    return day >= kFirstDay && day <= kLastDay;
}

// The n-th (n >= 1) working day met stepping by `step` from `from` (counted when it works).
bool Walk(const RestDayTest& isRest, long from, long long n, int step, long& result)
{
    if (n < 1)
        return false;
    // Every working day met takes a day: a walk longer than the range cannot end inside it.
    if (n > kLastDay - kFirstDay + 1)
        return false;
    int nRest = 0;
    for (long day = from; InRange(day); day += step) {
        if (isRest(day)) {
            if (++nRest > kMaxRestRun)
                return false;
            continue;
        }
        nRest = 0;
        if (--n == 0) {
            result = day;
            return true;
        }
    }
    return false;
}

} // namespace

int WeekdayOf(long day)
{
    // Day 0 was a Saturday.
    return static_cast<int>(((day % 7) + 13) % 7);
}

bool BaseRestsOn(int nBaseID, int nWeekday)
{
    return nBaseID == kStandardBase && (nWeekday == 0 || nWeekday == 6);
}

bool CWorkingCalendar::IsRestDay(long day) const
{
    auto period = [this](long d, bool& bRest) {
        for (const Period& p : m_periods)
            if (p.first <= d && d <= p.last) {
                bRest = !p.working;
                return true;
            }
        return false;
    };
    auto weekday = [this](int w, bool& bRest) {
        for (const Weekday& e : m_weekdays)
            if (e.weekday == w) {
                bRest = !e.working;
                return true;
            }
        return false;
    };
    return RestsByRule(day, m_nBaseID, period, weekday);
}

bool SkipRestDays(RestDayTest isRest, long day, long& result)
{
    return Walk(isRest, day, 1, 1, result);
}

bool FinishFromStart(RestDayTest isRest, long start, int n, long& result)
{
    return n <= 0 ? Walk(isRest, start - 1, 1, -1, result) : Walk(isRest, start, n, 1, result);
}

bool StartFromFinish(RestDayTest isRest, long finish, int n, long& result)
{
    if (n >= 1)
        return Walk(isRest, finish, n, -1, result);
    if (!InRange(finish))
        return false;
    result = InRange(finish + 1) && !isRest(finish + 1) ? finish + 1 : finish;
    return true;
}

bool MoveWorkingDays(RestDayTest isRest, long day, long long k, long& result)
{
    if (!InRange(day))
        return false;
    if (k == 0) {
        result = day;
        return true;
    }
    return k > 0 ? Walk(isRest, day + 1, k, 1, result) : Walk(isRest, day - 1, -k, -1, result);
}

int CountRestDays(RestDayTest isRest, long a, long b)
{
    if (b < a) {
        const long swap = a;
        a = b;
        b = swap;
    }
    int n = 0;
    for (long day = a; day <= b; ++day)
        if (isRest(day))
            ++n;
    return n;
}

int WorkingDays(RestDayTest isRest, long first, long last)
{
    if (last < first)
        return 0;
    return static_cast<int>(last - first + 1) - CountRestDays(isRest, first, last);
}

bool LeavesFromFinish(int nKind)
{
    return nKind == kFinishToStart || nKind == kFinishToFinish;
}

LinkBound LinkRequirement(RestDayTest isRest, int nKind, int nLag, long anchor, long& required)
{
    LinkBound bound;
    long long nAfter = nLag;  // working days after the anchor's working day
    long day = anchor;
    bool bFound;
    switch (nKind) {
    case kFinishToStart:
        bound = kBoundsStart;
        nAfter += 1;
        bFound = SkipRestDays(isRest, anchor, day);
        break;
    case kFinishToFinish:
        bound = kBoundsFinish;
        bFound = SkipRestDays(isRest, anchor, day);
        break;
    case kStartToStart:
        bound = kBoundsStart;
        bFound = SkipRestDays(isRest, anchor, day);
        break;
    case kStartToFinish:
        bound = kBoundsFinish;
        bFound = FinishFromStart(isRest, anchor, 0, day);
        break;
    default:
        return kBoundsNothing;
    }
    if (!bFound || !MoveWorkingDays(isRest, day, nAfter, required))
        required = anchor;
    return bound;
}

} // namespace workdays
