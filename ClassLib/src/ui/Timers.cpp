// Window timers. A timer is due when GetTickCount has moved on by its interval since it
// last fired, so tests that fix the tick count decide exactly when timers fire; a Qt timer
// wakes the event loop when the next one is due on the real clock.
#include "WndInternal.h"

#include <ClassLib/Core/Clock.h>

#include <QCoreApplication>
#include <QTimer>

#include <algorithm>
#include <vector>

void AfxFireDueTimers();

namespace {

struct Timer
{
    HWND hwnd;
    UINT_PTR id;
    UINT elapse;
    TIMERPROC proc;
    DWORD last;
};

std::vector<Timer> g_timers;
QTimer* g_wake = nullptr;
UINT_PTR g_nextThreadTimer = 0x7FF0;
int g_dispatched = 0;
int g_firing = 0;

void Schedule();

void EnsureWake()
{
    if (!g_wake) {
        AfxEnsureApplication();
        g_wake = new QTimer;
        g_wake->setSingleShot(true);
        QObject::connect(g_wake, &QTimer::timeout, [] {
            AfxFireDueTimers();
            Schedule();
        });
    }
}

void Schedule()
{
    if (g_timers.empty()) {
        if (g_wake)
            g_wake->stop();
        return;
    }
    EnsureWake();
    DWORD now = GetTickCount();
    long best = -1;
    for (const Timer& t : g_timers) {
        long left = (long)t.elapse - (long)(DWORD)(now - t.last);
        if (left < 0)
            left = 0;
        if (best < 0 || left < best)
            best = left;
    }
    // While the tick count is fixed nothing becomes due by waiting; wake at the interval
    // anyway (never faster than the shortest interval) so a moved count is noticed.
    g_wake->start((int)std::max(best, 1L));
}

}  // namespace

void AfxFireDueTimers();

UINT_PTR SetTimer(HWND hWnd, UINT_PTR nIDEvent, UINT uElapse, TIMERPROC lpTimerFunc)
{
    if (hWnd && !IsWindow(hWnd))
        return 0;
    if (!AfxIsUiThread() && QCoreApplication::instance())
        return 0;
    if (uElapse < 10)
        uElapse = 10;  // the platform's minimum
    UINT_PTR id = nIDEvent;
    if (!hWnd) {
        // Thread timers get a fresh id unless an existing one is named.
        bool exists = false;
        for (const Timer& t : g_timers)
            exists |= (!t.hwnd && t.id == nIDEvent && nIDEvent != 0);
        if (!exists)
            id = ++g_nextThreadTimer;
    }
    DWORD now = GetTickCount();
    for (Timer& t : g_timers)
        if (t.hwnd == hWnd && t.id == id) {
            t.elapse = uElapse;
            t.proc = lpTimerFunc;
            t.last = now;
            Schedule();
            return id ? id : 1;
        }
    g_timers.push_back(Timer{hWnd, id, uElapse, lpTimerFunc, now});
    Schedule();
    return id ? id : 1;
}

BOOL KillTimer(HWND hWnd, UINT_PTR uIDEvent)
{
    auto it = std::find_if(g_timers.begin(), g_timers.end(),
                           [&](const Timer& t) { return t.hwnd == hWnd && t.id == uIDEvent; });
    if (it == g_timers.end())
        return FALSE;
    g_timers.erase(it);
    Schedule();
    return TRUE;
}

void AfxKillTimersOf(HWND hWnd)
{
    g_timers.erase(std::remove_if(g_timers.begin(), g_timers.end(), [&](const Timer& t) { return t.hwnd == hWnd; }),
                   g_timers.end());
}

void AfxFireDueTimers()
{
    if (g_firing > 8)
        return;  // a handler that pumps the queue does not recurse without end
    ++g_firing;
    DWORD now = GetTickCount();
    // A copy: handlers may set and kill timers.
    std::vector<Timer> due;
    for (Timer& t : g_timers)
        if ((DWORD)(now - t.last) >= t.elapse) {
            t.last = now;
            due.push_back(t);
        }
    for (const Timer& t : due) {
        bool alive = std::any_of(g_timers.begin(), g_timers.end(),
                                 [&](const Timer& x) { return x.hwnd == t.hwnd && x.id == t.id; });
        if (!alive || (t.hwnd && !IsWindow(t.hwnd)))
            continue;
        MSG msg{};
        msg.hwnd = t.hwnd;
        msg.message = WM_TIMER;
        msg.wParam = t.id;
        msg.lParam = reinterpret_cast<LPARAM>(t.proc);
        msg.time = now;
        msg.pt = POINT{AfxTrackedCursorPos().x(), AfxTrackedCursorPos().y()};
        ++g_dispatched;
        AfxDispatchQueued(msg);
    }
    --g_firing;
}

int AfxTimerDispatchCount() { return g_dispatched; }
