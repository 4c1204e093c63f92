// The window handle table. Handles are never reused, so a stale handle simply names no
// window. A destroyed window's data stays allocated until control is back in the event
// loop, so code up the call stack that still holds it does not touch freed memory.
#include "Backend.h"
#include "WndInternal.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QMetaObject>

#include <algorithm>
#include <mutex>
#include <unordered_map>

namespace {

struct WindowTable
{
    std::mutex lock;
    std::unordered_map<uintptr_t, std::unique_ptr<AfxWindow>> windows;
    std::vector<HWND> order;  // creation order
    std::vector<HWND> top;    // top-level z-order, top first
    uintptr_t next = 0x10010;
    std::vector<std::unique_ptr<AfxWindow>> graveyard;
    bool sweepPending = false;
};

WindowTable& Table()
{
    static WindowTable* t = new WindowTable;
    return *t;
}

}  // namespace

AfxWindow* AfxWindowOf(HWND hWnd)
{
    if (!hWnd)
        return nullptr;
    WindowTable& t = Table();
    std::lock_guard<std::mutex> g(t.lock);
    auto it = t.windows.find(reinterpret_cast<uintptr_t>(hWnd));
    return it == t.windows.end() ? nullptr : it->second.get();
}

HWND AfxAddWindow(std::unique_ptr<AfxWindow> w)
{
    WindowTable& t = Table();
    std::lock_guard<std::mutex> g(t.lock);
    uintptr_t k = t.next;
    t.next += 2;
    HWND h = reinterpret_cast<HWND>(k);
    w->hwnd = h;
    t.order.push_back(h);
    t.windows[k] = std::move(w);
    return h;
}

void AfxRemoveWindow(HWND hWnd)
{
    WindowTable& t = Table();
    bool schedule = false;
    {
        std::lock_guard<std::mutex> g(t.lock);
        auto it = t.windows.find(reinterpret_cast<uintptr_t>(hWnd));
        if (it == t.windows.end())
            return;
        t.graveyard.push_back(std::move(it->second));
        t.windows.erase(it);
        t.order.erase(std::remove(t.order.begin(), t.order.end(), hWnd), t.order.end());
        t.top.erase(std::remove(t.top.begin(), t.top.end(), hWnd), t.top.end());
        if (!t.sweepPending) {
            t.sweepPending = true;
            schedule = true;
        }
    }
    if (schedule && QCoreApplication::instance()) {
        QMetaObject::invokeMethod(QCoreApplication::instance(), [] {
            std::vector<std::unique_ptr<AfxWindow>> dead;
            {
                WindowTable& tt = Table();
                std::lock_guard<std::mutex> g(tt.lock);
                dead.swap(tt.graveyard);
                tt.sweepPending = false;
            }
        }, Qt::QueuedConnection);
    }
}

std::vector<HWND> AfxTopLevelWindows()
{
    WindowTable& t = Table();
    std::lock_guard<std::mutex> g(t.lock);
    return t.top;
}

std::vector<HWND> AfxAllWindows()
{
    WindowTable& t = Table();
    std::lock_guard<std::mutex> g(t.lock);
    return t.order;
}

void AfxRaiseTopLevel(HWND hWnd)
{
    AfxWindow* w = AfxWindowOf(hWnd);
    if (!w)
        return;
    bool topmost = (w->exStyle & WS_EX_TOPMOST) != 0;
    WindowTable& t = Table();
    {
        std::lock_guard<std::mutex> g(t.lock);
        t.top.erase(std::remove(t.top.begin(), t.top.end(), hWnd), t.top.end());
        // Topmost windows stay above the others.
        auto pos = t.top.begin();
        if (!topmost) {
            while (pos != t.top.end()) {
                auto it = t.windows.find(reinterpret_cast<uintptr_t>(*pos));
                if (it == t.windows.end() || !(it->second->exStyle & WS_EX_TOPMOST))
                    break;
                ++pos;
            }
        }
        t.top.insert(pos, hWnd);
    }
    pc::TheBackend().Raise(w->widget);
}

void AfxInvalidateAllWindows()
{
    for (HWND h : AfxAllWindows())
        if (AfxWindow* w = AfxWindowOf(h))
            AfxInvalidate(w, QRegion(AfxClientAreaOf(w).translated(-AfxClientAreaOf(w).topLeft())), true);
}

void AfxLowerTopLevel(HWND hWnd)
{
    WindowTable& t = Table();
    std::lock_guard<std::mutex> g(t.lock);
    t.top.erase(std::remove(t.top.begin(), t.top.end(), hWnd), t.top.end());
    t.top.push_back(hWnd);
}
