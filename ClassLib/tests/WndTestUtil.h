// Helpers shared by the window tests: a window that logs its messages.
#pragma once

#include <ClassLib/Testing.h>

#include <algorithm>
#include <string>
#include <vector>

// Records every message its window procedure sees, then handles it normally.
class CLogWnd : public CWnd
{
public:
    struct Entry
    {
        UINT msg;
        WPARAM wParam;
        LPARAM lParam;
    };
    std::vector<Entry> log;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        log.push_back({message, wParam, lParam});
        return CWnd::WindowProc(message, wParam, lParam);
    }

    // The messages seen, in order, keeping only the ones listed.
    std::vector<UINT> Only(std::initializer_list<UINT> keep) const
    {
        std::vector<UINT> out;
        for (const Entry& e : log)
            if (std::find(keep.begin(), keep.end(), e.msg) != keep.end())
                out.push_back(e.msg);
        return out;
    }
    const Entry* Last(UINT msg) const
    {
        for (auto it = log.rbegin(); it != log.rend(); ++it)
            if (it->msg == msg)
                return &*it;
        return nullptr;
    }
    int Count(UINT msg) const
    {
        return (int)std::count_if(log.begin(), log.end(), [&](const Entry& e) { return e.msg == msg; });
    }
};

// A visible top-level frame of the given client size at (100, 100).
inline BOOL CreateTopFrame(CWnd& wnd, int cx = 400, int cy = 300, DWORD style = WS_POPUP | WS_VISIBLE)
{
    return wnd.CreateEx(0, AFX_WND_CLASS, "frame", style, 100, 100, cx, cy, nullptr, nullptr);
}
