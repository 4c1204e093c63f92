#include "Gantt_src/RestDayCounter.h"

#include <algorithm>

#include <ClassLib/Core/WorkingDays.h>

namespace {

// A span beyond this many days (about 270 years) is counted day by day without keeping it.
const long kMaxCoveredDays = 100000;

} // namespace

CRestDayCounter::CRestDayCounter(RestDayFn fnIsRestDay) : m_fnIsRestDay(std::move(fnIsRestDay)) {}

BOOL CRestDayCounter::IsRestDayNumber(long nDay) const
{
    const COleDateTime dt(static_cast<DATE>(nDay));
    if (dt.GetStatus() != COleDateTime::valid)
        return FALSE;
    return m_fnIsRestDay(dt.GetYear(), dt.GetMonth(), dt.GetDay()) ? TRUE : FALSE;
}

void CRestDayCounter::Cover(long nFirst, long nLast)
{
    const long nOldFirst = m_nFirst;
    const long nOldLast = m_nFirst + static_cast<long>(m_prefix.size()) - 2;  // last covered day
    if (!m_prefix.empty() && nFirst >= nOldFirst && nLast <= nOldLast)
        return;
    if (!m_prefix.empty()) {
        // Grow by at least the covered length on the side that is short, so that a layout
        // walking dates in order rebuilds only a logarithmic number of times.
        const long nLength = nOldLast - nOldFirst + 1;
        if (nFirst < nOldFirst)
            nFirst = std::min(nFirst, nOldFirst - nLength);
        else
            nFirst = nOldFirst;
        if (nLast > nOldLast)
            nLast = std::max(nLast, nOldLast + nLength);
        else
            nLast = nOldLast;
    }
    std::vector<int> prefix(static_cast<size_t>(nLast - nFirst + 2), 0);
    for (long d = nFirst; d <= nLast; ++d) {
        int nRest;
        if (!m_prefix.empty() && d >= nOldFirst && d <= nOldLast)
            nRest = m_prefix[d - nOldFirst + 1] - m_prefix[d - nOldFirst];
        else
            nRest = IsRestDayNumber(d) ? 1 : 0;
        prefix[d - nFirst + 1] = prefix[d - nFirst] + nRest;
    }
    m_nFirst = nFirst;
    m_prefix.swap(prefix);
}

int CRestDayCounter::CountUncovered(long a, long b)
{
    if (b - a > kMaxCoveredDays)
        return workdays::CountRestDays([this](long d) { return IsRestDayNumber(d) != FALSE; }, a, b);
    if (!m_prefix.empty()) {
        // Scattered dates would make the covered span too long to keep: start afresh.
        const long nLast = m_nFirst + static_cast<long>(m_prefix.size()) - 2;
        const long nSpan = std::max(b, nLast) - std::min(a, m_nFirst);
        if (nSpan > 2 * kMaxCoveredDays)
            m_prefix.clear();
    }
    Cover(a, b);
    return m_prefix[b - m_nFirst + 1] - m_prefix[a - m_nFirst];
}
