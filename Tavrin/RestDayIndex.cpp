#include "RestDayIndex.h"

#include "DayNumber.h"

#include <algorithm>
#include <iterator>
#include <map>

namespace tavrin {

CRestDayIndex::CRestDayIndex()
    : m_nWorkPerWeek(7)
{
    std::fill(m_weekdayRest, m_weekdayRest + 7, false);
}

void CRestDayIndex::Build(const std::vector<Period>& periods, const bool weekdayRest[7])
{
    m_nWorkPerWeek = 0;
    for (int i = 0; i < 7; ++i) {
        m_weekdayRest[i] = weekdayRest[i];
        if (!weekdayRest[i])
            ++m_nWorkPerWeek;
    }

    // Paint the periods in list order onto the days that no earlier period took.
    struct Painted
    {
        long nLast;
        bool bRest;
    };
    std::map<long, Painted> painted; // first day -> run
    for (const Period& p : periods) {
        if (p.nLast < p.nFirst)
            continue;
        long cur = p.nFirst;
        auto it = painted.upper_bound(cur);
        if (it != painted.begin()) {
            auto before = std::prev(it);
            if (before->second.nLast >= cur)
                cur = before->second.nLast + 1;
        }
        while (cur <= p.nLast) {
            it = painted.lower_bound(cur);
            const long gapLast = (it == painted.end()) ? p.nLast : std::min(p.nLast, it->first - 1);
            if (gapLast >= cur)
                painted.emplace(cur, Painted{gapLast, p.bRest});
            if (it == painted.end())
                break;
            cur = it->second.nLast + 1;
        }
    }

    m_runs.clear();
    m_runs.reserve(painted.size());
    for (const auto& entry : painted) {
        if (!m_runs.empty() && m_runs.back().bRest == entry.second.bRest &&
            m_runs.back().nLast + 1 == entry.first) {
            m_runs.back().nLast = entry.second.nLast;
        } else {
            m_runs.push_back(Run{entry.first, entry.second.nLast, entry.second.bRest});
        }
    }
}

long CRestDayIndex::Locate(long nDay) const
{
    auto it = std::upper_bound(m_runs.begin(), m_runs.end(), nDay,
                               [](long day, const Run& run) { return day < run.nFirst; });
    return static_cast<long>(it - m_runs.begin()) - 1;
}

bool CRestDayIndex::IsRest(long nDay) const
{
    const long i = Locate(nDay);
    if (i >= 0 && m_runs[i].nLast >= nDay)
        return m_runs[i].bRest;
    return m_weekdayRest[WeekdayOfDayNumber(nDay)];
}

long CRestDayIndex::CountWeekdayWork(long nFirst, long nLast) const
{
    if (nLast < nFirst)
        return 0;
    const long days = nLast - nFirst + 1;
    long work = (days / 7) * m_nWorkPerWeek;
    const int start = WeekdayOfDayNumber(nFirst);
    for (long k = 0; k < days % 7; ++k) {
        if (!m_weekdayRest[(start + k) % 7])
            ++work;
    }
    return work;
}

long CRestDayIndex::CountRest(long nFirst, long nLast) const
{
    long rest = 0;
    long cur = nFirst;
    long i = Locate(cur);
    if (i < 0 || m_runs[i].nLast < cur)
        ++i; // cur lies in a gap; the next run is the first that can matter
    while (cur <= nLast) {
        if (i < static_cast<long>(m_runs.size()) && m_runs[i].nFirst <= cur) {
            const long last = std::min(nLast, m_runs[i].nLast);
            if (m_runs[i].bRest)
                rest += last - cur + 1;
            cur = last + 1;
            ++i;
        } else {
            long last = nLast;
            if (i < static_cast<long>(m_runs.size()))
                last = std::min(nLast, m_runs[i].nFirst - 1);
            rest += (last - cur + 1) - CountWeekdayWork(cur, last);
            cur = last + 1;
        }
    }
    return rest;
}

long CRestDayIndex::NthWeekdayWork(long nFrom, int nDir, long nCount) const
{
    // Whole weeks first, then at most one more week day by day.
    const long weeks = (nCount - 1) / m_nWorkPerWeek;
    long day = nFrom + nDir * 7 * weeks;
    long left = nCount - weeks * m_nWorkPerWeek;
    for (;;) {
        if (!m_weekdayRest[WeekdayOfDayNumber(day)] && --left == 0)
            return day;
        day += nDir;
    }
}

bool CRestDayIndex::FindWorkingDay(long nFrom, int nDir, long nCount, long nMin, long nMax,
                                   long& nResult) const
{
    if (nCount < 1 || nFrom < nMin || nFrom > nMax)
        return false;
    const long runCount = static_cast<long>(m_runs.size());
    long cur = nFrom;
    long left = nCount;
    long i = Locate(cur); // kept as the last run starting on or before cur while walking
    while (cur >= nMin && cur <= nMax) {
        while (i + 1 < runCount && m_runs[i + 1].nFirst <= cur)
            ++i;
        while (i >= 0 && m_runs[i].nFirst > cur)
            --i;
        if (i >= 0 && m_runs[i].nLast >= cur) {
            // Inside a dated run: rest runs are passed whole, working runs counted whole.
            const Run& run = m_runs[i];
            const long edge = nDir > 0 ? std::min(run.nLast, nMax) : std::max(run.nFirst, nMin);
            if (!run.bRest) {
                const long avail = (edge - cur) * nDir + 1;
                if (avail >= left) {
                    nResult = cur + nDir * (left - 1);
                    return true;
                }
                left -= avail;
            }
            cur = edge + nDir;
            continue;
        }
        // Between runs: the weekly pattern decides up to the next run (or the bound).
        long lo, hi;
        if (nDir > 0) {
            lo = cur;
            hi = (i + 1 < runCount) ? std::min(nMax, m_runs[i + 1].nFirst - 1) : nMax;
        } else {
            lo = (i >= 0) ? std::max(nMin, m_runs[i].nLast + 1) : nMin;
            hi = cur;
        }
        const long avail = CountWeekdayWork(lo, hi);
        if (avail >= left) {
            nResult = NthWeekdayWork(cur, nDir, left);
            return true;
        }
        left -= avail;
        cur = (nDir > 0 ? hi : lo) + nDir;
    }
    return false;
}

} // namespace tavrin
