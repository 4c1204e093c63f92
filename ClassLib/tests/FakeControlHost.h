// A control host that records what a control reports to its parent.
#pragma once

#include "../src/ui/ControlProc.h"
#include <ClassLib/AfxWin.h>

#include <functional>
#include <map>
#include <memory>
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
        if (hdr.code == UDN_DELTAPOS)
            updowns.push_back(reinterpret_cast<NMUPDOWN&>(hdr));
        if (onNotify)
            onNotify(hdr);
        return notifyAnswer;
    }
    std::vector<std::pair<UINT, int>> scrolls;
    void Scroll(bool, UINT code, int pos) override { scrolls.emplace_back(code, pos); }
    QWidget* WidgetOf(HWND h) const override
    {
        auto it = routes.find(h);
        return it == routes.end() ? nullptr : it->second->Widget();
    }
    std::vector<NMUPDOWN> updowns;
    std::function<void(NMHDR&)> onNotify;
    std::map<HWND, pc::ControlProc*> routes;
    std::vector<std::pair<HWND, UINT>> sent;
    LRESULT SendTo(HWND h, UINT msg, WPARAM wp, LPARAM lp) override
    {
        sent.emplace_back(h, msg);
        auto it = routes.find(h);
        bool handled = false;
        return it == routes.end() ? 0 : it->second->Proc(msg, wp, lp, handled);
    }
    std::vector<HWND> Siblings() const override { return siblings; }
    HWND self = nullptr;
    DWORD StyleOf(HWND h) const override
    {
        auto it = styles.find(h);
        return it == styles.end() ? 0 : it->second;
    }
    HWND Self() const override { return self ? self : reinterpret_cast<HWND>(const_cast<FakeControlHost*>(this)); }

    // Children report to the parent's procedure as WM_COMMAND, as windows do.
    struct Child : pc::ControlHost
    {
        FakeControlHost* parent = nullptr;
        UINT id = 0;
        std::unique_ptr<pc::ControlProc> proc;
        void Command(UINT code) override
        {
            bool h = false;
            if (parent->procForChildren)
                parent->procForChildren->Proc(WM_COMMAND, MAKEWPARAM(id, code), 0, h);
        }
        LRESULT Notify(NMHDR&) override { return 0; }
        LRESULT SendTo(HWND, UINT, WPARAM, LPARAM) override { return 0; }
        void Scroll(bool, UINT, int) override {}
        QWidget* WidgetOf(HWND) const override { return nullptr; }
        std::vector<HWND> Siblings() const override { return {}; }
        DWORD StyleOf(HWND) const override { return 0; }
        HWND Self() const override { return reinterpret_cast<HWND>(const_cast<Child*>(this)); }
        pc::ControlProc* AddChildControl(const char*, UINT, DWORD, QWidget*) override { return nullptr; }
    };
    std::vector<std::unique_ptr<Child>> children;
    pc::ControlProc* procForChildren = nullptr;

    pc::ControlProc* AddChildControl(const char* cls, UINT id, DWORD style, QWidget* parentWidget) override
    {
        auto c = std::make_unique<Child>();
        c->parent = this;
        c->id = id;
        c->proc = pc::MakeControlProc(cls, c.get(), style, parentWidget);
        pc::ControlProc* p = c->proc.get();
        children.push_back(std::move(c));
        return p;
    }
};
