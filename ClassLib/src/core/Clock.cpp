#include <ClassLib/Core/Clock.h>
#include <ClassLib/Core/DateTime.h>

#include <atomic>
#include <ctime>
#include <mutex>

#include "ClockState.h"
#include "DateCalc.h"

namespace {

std::mutex g_clockMutex;
bool g_timeFixed = false;
double g_fixedTime = 0.0;

std::atomic<bool> g_ticksFixed{false};
std::atomic<DWORD> g_fixedTicks{0};

void FillSystemTime(const pc_date::Parts& p, int milliseconds, LPSYSTEMTIME st)
{
    st->wYear = static_cast<WORD>(p.year);
    st->wMonth = static_cast<WORD>(p.month);
    st->wDayOfWeek = static_cast<WORD>(p.dayOfWeek - 1);
    st->wDay = static_cast<WORD>(p.day);
    st->wHour = static_cast<WORD>(p.hour);
    st->wMinute = static_cast<WORD>(p.minute);
    st->wSecond = static_cast<WORD>(p.second);
    st->wMilliseconds = static_cast<WORD>(milliseconds);
}

void FillFromTm(const struct tm& t, int milliseconds, LPSYSTEMTIME st)
{
    st->wYear = static_cast<WORD>(t.tm_year + 1900);
    st->wMonth = static_cast<WORD>(t.tm_mon + 1);
    st->wDayOfWeek = static_cast<WORD>(t.tm_wday);
    st->wDay = static_cast<WORD>(t.tm_mday);
    st->wHour = static_cast<WORD>(t.tm_hour);
    st->wMinute = static_cast<WORD>(t.tm_min);
    st->wSecond = static_cast<WORD>(t.tm_sec > 59 ? 59 : t.tm_sec);
    st->wMilliseconds = static_cast<WORD>(milliseconds);
}

bool FixedParts(pc_date::Parts& parts)
{
    double dt = 0;
    return pc_date::FixedCurrentTime(dt) && pc_date::PartsFromDate(dt, parts);
}

void RealTime(LPSYSTEMTIME st, bool local)
{
    struct timespec ts
    {};
    clock_gettime(CLOCK_REALTIME, &ts);
    struct tm t
    {};
    const time_t secs = ts.tv_sec;
    if (local) {
        localtime_r(&secs, &t);
    } else {
        gmtime_r(&secs, &t);
    }
    FillFromTm(t, static_cast<int>(ts.tv_nsec / 1000000), st);
}

// The fixed test time when one is set (the same for local and system time), otherwise the
// real one.
void CurrentTime(LPSYSTEMTIME st, bool local)
{
    if (st == nullptr)
        return;
    pc_date::Parts parts;
    if (FixedParts(parts)) {
        FillSystemTime(parts, 0, st);
        return;
    }
    RealTime(st, local);
}

}  // namespace

namespace pc_date {

bool FixedCurrentTime(double& dt)
{
    std::lock_guard<std::mutex> lock(g_clockMutex);
    if (!g_timeFixed)
        return false;
    dt = g_fixedTime;
    return true;
}

}  // namespace pc_date

DWORD GetTickCount()
{
    if (g_ticksFixed.load())
        return g_fixedTicks.load();
    struct timespec ts
    {};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    const unsigned long long ms = static_cast<unsigned long long>(ts.tv_sec) * 1000ULL +
                                  static_cast<unsigned long long>(ts.tv_nsec / 1000000);
    return static_cast<DWORD>(ms);  // wraps like the 32-bit counter
}

void GetLocalTime(LPSYSTEMTIME lpSystemTime)
{
    CurrentTime(lpSystemTime, true);
}

void GetSystemTime(LPSYSTEMTIME lpSystemTime)
{
    CurrentTime(lpSystemTime, false);
}

void AfxTestSetCurrentTime(const COleDateTime* pTime)
{
    std::lock_guard<std::mutex> lock(g_clockMutex);
    if (pTime == nullptr || pTime->GetStatus() != COleDateTime::valid ||
        !pc_date::IsDateInRange(pTime->m_dt)) {
        g_timeFixed = false;
        return;
    }
    g_timeFixed = true;
    g_fixedTime = pTime->m_dt;
}

void AfxTestSetTickCount(const DWORD* pTicks)
{
    if (pTicks == nullptr) {
        g_ticksFixed.store(false);
        return;
    }
    g_fixedTicks.store(*pTicks);
    g_ticksFixed.store(true);
}

void AfxTestAdvanceTickCount(DWORD dwMilliseconds)
{
    if (g_ticksFixed.load())
        g_fixedTicks.fetch_add(dwMilliseconds);
}
