// A top-level window that hosts controls in tests and records the notifications its
// children send, in order.
#pragma once

#include <ClassLib/Testing.h>

#include <string>
#include <vector>

struct RecordedNotify
{
    UINT_PTR idFrom = 0;
    int code = 0;
    int iItem = -1;
    int iSubItem = -1;
    UINT uNewState = 0;
    UINT uOldState = 0;
};

class CNotifyHost : public CWnd
{
public:
    std::vector<RecordedNotify> notes;
    // Codes whose notification the host answers with a nonzero result (a veto).
    std::vector<int> vetoCodes;

    BOOL CreateHost(int cx = 400, int cy = 300)
    {
        return CreateEx(0, AfxRegisterWndClass(CS_DBLCLKS), "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                        CRect(0, 0, cx, cy), nullptr, 0);
    }

    // The codes only, for order checks.
    std::vector<int> Codes() const
    {
        std::vector<int> v;
        for (const RecordedNotify& n : notes)
            v.push_back(n.code);
        return v;
    }

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        NMHDR* pHdr = reinterpret_cast<NMHDR*>(lParam);
        RecordedNotify n;
        n.idFrom = pHdr->idFrom;
        n.code = static_cast<int>(pHdr->code);
        int code = n.code;
        bool listView = code <= static_cast<int>(LVN_FIRST) && code > static_cast<int>(LVN_FIRST) - 100;
        if (listView && code != static_cast<int>(LVN_GETDISPINFO) && code != static_cast<int>(LVN_KEYDOWN))
        {
            NMLISTVIEW* p = reinterpret_cast<NMLISTVIEW*>(lParam);
            n.iItem = p->iItem;
            n.iSubItem = p->iSubItem;
            n.uNewState = p->uNewState;
            n.uOldState = p->uOldState;
        }
        else if (code == static_cast<int>(NM_CLICK) || code == static_cast<int>(NM_DBLCLK) ||
                 code == static_cast<int>(NM_RCLICK))
        {
            // List views send the activation record; trees send a bare header.
            if (CWnd* pFrom = CWnd::FromHandle(pHdr->hwndFrom))
                if (pFrom->IsKindOf(RUNTIME_CLASS(CListCtrl)))
                {
                    NMITEMACTIVATE* p = reinterpret_cast<NMITEMACTIVATE*>(lParam);
                    n.iItem = p->iItem;
                    n.iSubItem = p->iSubItem;
                }
        }
        if (code != static_cast<int>(LVN_GETDISPINFO) && code != static_cast<int>(TVN_GETDISPINFO))
            notes.push_back(n);
        if (OnNotifyHook(wParam, lParam, pResult))
            return TRUE;
        for (int veto : vetoCodes)
        {
            if (veto == code)
            {
                *pResult = 1;
                return TRUE;
            }
        }
        return CWnd::OnNotify(wParam, lParam, pResult);
    }
    virtual BOOL OnNotifyHook(WPARAM, LPARAM, LRESULT*) { return FALSE; }
    void PostNcDestroy() override {}
};

// Clean input state and an application object for every UI test.
class FrameTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        AfxEnsureApplication();
        AfxTestResetInput();
    }
    void TearDown() override
    {
        AfxPumpMessages();
        AfxTestResetInput();
    }
};
