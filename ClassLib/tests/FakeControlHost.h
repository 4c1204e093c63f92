// A control host that records what a control reports to its parent.
#pragma once

#include "../src/ui/ControlProc.h"
#include "../src/ui/WmCodes.h"

#include <map>
#include <string>
#include <vector>

class FakeControlHost : public pc::ControlHost
{
public:
    std::vector<UINT> commands;
    std::vector<UINT> notifies;
    std::map<HWND, DWORD> styles;
    std::vector<HWND> siblings;
    LRESULT notifyAnswer = 0;

    void Command(UINT code) override { commands.push_back(code); }
    LRESULT Notify(NMHDR& hdr) override
    {
        notifies.push_back(hdr.code);
        return notifyAnswer;
    }
    LRESULT SendTo(HWND, UINT, WPARAM, LPARAM) override { return 0; }
    std::vector<HWND> Siblings() const override { return siblings; }
    DWORD StyleOf(HWND h) const override
    {
        auto it = styles.find(h);
        return it == styles.end() ? 0 : it->second;
    }
    HWND Self() const override { return reinterpret_cast<HWND>(const_cast<FakeControlHost*>(this)); }
};
