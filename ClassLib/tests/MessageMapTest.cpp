// Message maps: entries, inheritance along the base classes, commands, notifications,
// reflection to the control, registered messages, and the creation and destruction order.
#include "WndTestUtil.h"

#include <QCoreApplication>

#include <atomic>
#include <thread>

namespace {

#define WM_TEST_PRIVATE (WM_USER + 100)
#define WM_TEST_OVERRIDDEN (WM_USER + 101)
const UINT kRegistered = RegisterWindowMessage("ClassLibTestRegistered");

class CBaseWnd : public CWnd
{
public:
    std::vector<std::string> calls;

protected:
    afx_msg LRESULT OnPrivate(WPARAM wParam, LPARAM lParam)
    {
        calls.push_back("base private " + std::to_string(wParam) + "," + std::to_string(lParam));
        return 41;
    }
    afx_msg LRESULT OnOverridden(WPARAM, LPARAM)
    {
        calls.push_back("base overridden");
        return 1;
    }
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point)
    {
        calls.push_back("base lbutton " + std::to_string(nFlags) + " " + std::to_string(point.x) + "," +
                        std::to_string(point.y));
    }
    afx_msg void OnCommandA() { calls.push_back("base command A"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseWnd, CWnd)
    ON_MESSAGE(WM_TEST_PRIVATE, OnPrivate)
    ON_MESSAGE(WM_TEST_OVERRIDDEN, OnOverridden)
    ON_WM_LBUTTONDOWN()
    ON_COMMAND(1001, OnCommandA)
END_MESSAGE_MAP()

class CDerivedWnd : public CBaseWnd
{
public:
    int lastRangeId = 0;
    int updateCalls = 0;
    BOOL exResult = FALSE;

protected:
    afx_msg LRESULT OnOverriddenHere(WPARAM, LPARAM)
    {
        calls.push_back("derived overridden");
        return 2;
    }
    afx_msg LRESULT OnRegistered(WPARAM wParam, LPARAM)
    {
        calls.push_back("registered " + std::to_string(wParam));
        return 7;
    }
    afx_msg void OnRange(UINT nID) { lastRangeId = (int)nID; }
    afx_msg void OnUpdateA(CCmdUI* pCmdUI)
    {
        ++updateCalls;
        pCmdUI->Enable(FALSE);
    }
    afx_msg BOOL OnCommandEx(UINT nID)
    {
        calls.push_back("ex " + std::to_string(nID));
        return exResult;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedWnd, CBaseWnd)
    ON_MESSAGE(WM_TEST_OVERRIDDEN, OnOverriddenHere)
    ON_REGISTERED_MESSAGE(kRegistered, OnRegistered)
    ON_COMMAND_RANGE(2000, 2009, OnRange)
    ON_UPDATE_COMMAND_UI(1002, OnUpdateA)
    ON_COMMAND_EX(1003, OnCommandEx)
END_MESSAGE_MAP()

class MessageMap : public CWndTestBase
{
};

TEST_F(MessageMap, EntriesAreFoundInTheClassAndItsBases)
{
    CDerivedWnd wnd;
    ASSERT_TRUE(CreateTopFrame(wnd));
    EXPECT_EQ(wnd.SendMessage(WM_TEST_PRIVATE, 3, 4), 41);
    EXPECT_EQ(wnd.SendMessage(WM_TEST_OVERRIDDEN), 2);  // the derived entry wins
    EXPECT_EQ(wnd.SendMessage(kRegistered, 9), 7);
    wnd.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(5, -6));
    ASSERT_EQ(wnd.calls.size(), 4u);
    EXPECT_EQ(wnd.calls[0], "base private 3,4");
    EXPECT_EQ(wnd.calls[1], "derived overridden");
    EXPECT_EQ(wnd.calls[2], "registered 9");
    EXPECT_EQ(wnd.calls[3], "base lbutton 5 5,-6");  // y sign-extended from 16 bits
}

TEST_F(MessageMap, RegisteredMessagesAreStablePerName)
{
    UINT a = RegisterWindowMessage("ClassLibTestRegistered");
    UINT b = RegisterWindowMessage("classlibtestregistered");
    UINT c = RegisterWindowMessage("Another");
    EXPECT_EQ(a, kRegistered);
    EXPECT_EQ(b, a);
    EXPECT_NE(c, a);
    EXPECT_GE(a, 0xC000u);
    EXPECT_EQ(RegisterWindowMessage(""), 0u);
}

TEST_F(MessageMap, CommandsRangesUpdateUiAndExHandlers)
{
    CDerivedWnd wnd;
    ASSERT_TRUE(CreateTopFrame(wnd));
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(2005, 0), 0);
    EXPECT_EQ(wnd.lastRangeId, 2005);
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(1001, 0), 0);
    ASSERT_FALSE(wnd.calls.empty());
    EXPECT_EQ(wnd.calls.back(), "base command A");

    // An _EX handler that returns FALSE leaves the command unhandled.
    wnd.exResult = FALSE;
    EXPECT_FALSE(wnd.OnCmdMsg(1003, CN_COMMAND, nullptr, nullptr));
    wnd.exResult = TRUE;
    EXPECT_TRUE(wnd.OnCmdMsg(1003, CN_COMMAND, nullptr, nullptr));

    // Command UI: a handler exists for 1002; 1004 has neither kind of handler.
    CCmdUI ui;
    ui.m_nID = 1002;
    EXPECT_TRUE(ui.DoUpdate(&wnd, TRUE));
    EXPECT_EQ(wnd.updateCalls, 1);
    AFX_CMDHANDLERINFO info{nullptr, nullptr};
    EXPECT_TRUE(wnd.OnCmdMsg(1001, CN_COMMAND, nullptr, &info));
    EXPECT_EQ(info.pTarget, &wnd);
    EXPECT_FALSE(wnd.OnCmdMsg(1004, CN_COMMAND, nullptr, &info));
}

TEST_F(MessageMap, DisabledMenuCommandIsNotRouted)
{
    // The update handler of 1002 disables it, so the command (from a menu: no control)
    // is swallowed.
    CDerivedWnd wnd;
    ASSERT_TRUE(CreateTopFrame(wnd));
    EXPECT_EQ(wnd.SendMessage(WM_COMMAND, MAKEWPARAM(1002, 0), 0), 1);
    EXPECT_EQ(wnd.updateCalls, 1);
}

// ---- notifications and reflection ------------------------------------------------------------
#define IDC_CHILD 77
#define NOTE_PARENT_ONLY ((UINT)-900)
#define NOTE_REFLECTED ((UINT)-901)
#define CTRL_CODE_REFLECTED 5

class CChildWnd : public CWnd
{
public:
    int reflected = 0;
    int controlReflected = 0;

protected:
    afx_msg void OnReflected(NMHDR* pNMHDR, LRESULT* pResult)
    {
        ++reflected;
        EXPECT_EQ(pNMHDR->idFrom, (UINT_PTR)IDC_CHILD);
        *pResult = 55;
    }
    afx_msg void OnCtrlReflect() { ++controlReflected; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CChildWnd, CWnd)
    ON_NOTIFY_REFLECT(NOTE_REFLECTED, OnReflected)
    ON_CONTROL_REFLECT(CTRL_CODE_REFLECTED, OnCtrlReflect)
END_MESSAGE_MAP()

class CParentWnd : public CWnd
{
public:
    int parentNotes = 0;
    int parentReflectedSeen = 0;
    int controlSeen = 0;
    UINT lastNoteId = 0;

protected:
    afx_msg void OnNote(NMHDR* pNMHDR, LRESULT* pResult)
    {
        ++parentNotes;
        lastNoteId = (UINT)pNMHDR->idFrom;
        *pResult = 12;
    }
    afx_msg void OnNoteReflectedToo(NMHDR*, LRESULT*) { ++parentReflectedSeen; }
    afx_msg void OnControl() { ++controlSeen; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CParentWnd, CWnd)
    ON_NOTIFY(NOTE_PARENT_ONLY, IDC_CHILD, OnNote)
    ON_NOTIFY(NOTE_REFLECTED, IDC_CHILD, OnNoteReflectedToo)
    ON_CONTROL(CTRL_CODE_REFLECTED, IDC_CHILD, OnControl)
END_MESSAGE_MAP()

TEST_F(MessageMap, NotificationsReachTheParentUnlessTheControlTakesThemBack)
{
    CParentWnd parent;
    ASSERT_TRUE(CreateTopFrame(parent));
    CChildWnd child;
    ASSERT_TRUE(child.Create(nullptr, "child", WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 50), &parent, IDC_CHILD));

    NMHDR hdr{child.GetSafeHwnd(), IDC_CHILD, NOTE_PARENT_ONLY};
    EXPECT_EQ(parent.SendMessage(WM_NOTIFY, IDC_CHILD, reinterpret_cast<LPARAM>(&hdr)), 12);
    EXPECT_EQ(parent.parentNotes, 1);
    EXPECT_EQ(parent.lastNoteId, (UINT)IDC_CHILD);

    // Reflected to the child, which handles it: the parent's own entry is not called.
    NMHDR hdr2{child.GetSafeHwnd(), IDC_CHILD, NOTE_REFLECTED};
    EXPECT_EQ(parent.SendMessage(WM_NOTIFY, IDC_CHILD, reinterpret_cast<LPARAM>(&hdr2)), 55);
    EXPECT_EQ(child.reflected, 1);
    EXPECT_EQ(parent.parentReflectedSeen, 0);

    // Control notifications through WM_COMMAND are reflected the same way.
    parent.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_CHILD, CTRL_CODE_REFLECTED), reinterpret_cast<LPARAM>(child.GetSafeHwnd()));
    EXPECT_EQ(child.controlReflected, 1);
    EXPECT_EQ(parent.controlSeen, 0);
}

// ---- creation and destruction -------------------------------------------------------------------
class CSelfDeleting : public CLogWnd
{
public:
    static int deleted;
    std::vector<UINT>* pOrder = nullptr;
    ~CSelfDeleting() override { ++deleted; }

protected:
    void PostNcDestroy() override { delete this; }
    afx_msg void OnDestroy()
    {
        if (pOrder)
            pOrder->push_back(1000 + GetDlgCtrlID());
        CWnd::OnDestroy();
    }
    afx_msg void OnNcDestroy()
    {
        if (pOrder)
            pOrder->push_back(2000 + GetDlgCtrlID());
        CWnd::OnNcDestroy();
    }
    DECLARE_MESSAGE_MAP()
};
int CSelfDeleting::deleted = 0;

BEGIN_MESSAGE_MAP(CSelfDeleting, CLogWnd)
    ON_WM_DESTROY()
    ON_WM_NCDESTROY()
END_MESSAGE_MAP()

TEST_F(MessageMap, CreationSendsNcCreateCreateSizeMoveShow)
{
    CLogWnd parent;
    ASSERT_TRUE(CreateTopFrame(parent));
    CLogWnd child;
    ASSERT_TRUE(child.Create(nullptr, "x", WS_CHILD | WS_VISIBLE, CRect(10, 20, 110, 70), &parent, 5));
    std::vector<UINT> seq = child.Only({WM_NCCREATE, WM_CREATE, WM_SIZE, WM_MOVE, WM_SHOWWINDOW});
    EXPECT_EQ(seq, (std::vector<UINT>{WM_NCCREATE, WM_CREATE, WM_SIZE, WM_MOVE, WM_SHOWWINDOW}));
    EXPECT_EQ(child.Last(WM_SIZE)->lParam, MAKELPARAM(100, 50));
    EXPECT_EQ(child.Last(WM_MOVE)->lParam, MAKELPARAM(10, 20));
    // The parent hears of its new child.
    const CLogWnd::Entry* pn = parent.Last(WM_PARENTNOTIFY);
    ASSERT_NE(pn, nullptr);
    EXPECT_EQ(LOWORD(pn->wParam), (WORD)WM_CREATE);
    EXPECT_EQ(HIWORD(pn->wParam), 5);
}

class CFailCreate : public CWnd
{
protected:
    afx_msg int OnCreate(LPCREATESTRUCT) { return -1; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CFailCreate, CWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

TEST_F(MessageMap, OnCreateFailureDestroysTheWindow)
{
    CFailCreate wnd;
    EXPECT_FALSE(CreateTopFrame(wnd));
    EXPECT_EQ(wnd.GetSafeHwnd(), nullptr);
}

TEST_F(MessageMap, DestroyOrderParentFirstThenChildrenNcDestroyChildrenFirst)
{
    CSelfDeleting::deleted = 0;
    std::vector<UINT> order;
    auto* parent = new CSelfDeleting;
    parent->pOrder = &order;
    ASSERT_TRUE(CreateTopFrame(*parent));
    auto* child = new CSelfDeleting;
    child->pOrder = &order;
    ASSERT_TRUE(child->Create(nullptr, "c", WS_CHILD, CRect(0, 0, 10, 10), parent, 7));
    HWND hParent = parent->GetSafeHwnd(), hChild = child->GetSafeHwnd();
    ASSERT_TRUE(parent->DestroyWindow());
    // Parent and child deleted themselves in PostNcDestroy.
    EXPECT_EQ(CSelfDeleting::deleted, 2);
    EXPECT_EQ(order, (std::vector<UINT>{1000, 1007, 2007, 2000}));
    EXPECT_FALSE(IsWindow(hParent));
    EXPECT_FALSE(IsWindow(hChild));
    EXPECT_EQ(CWnd::FromHandle(hChild), nullptr);
}

TEST_F(MessageMap, DestroyingTheObjectDestroysItsWindow)
{
    HWND h;
    {
        CWnd wnd;
        ASSERT_TRUE(CreateTopFrame(wnd));
        h = wnd.GetSafeHwnd();
        EXPECT_TRUE(IsWindow(h));
    }
    EXPECT_FALSE(IsWindow(h));
    // A stale handle is harmless.
    EXPECT_EQ(::SendMessage(h, WM_USER, 0, 0), 0);
    EXPECT_FALSE(::PostMessage(h, WM_USER, 0, 0));
    EXPECT_FALSE(DestroyWindow(h));
}

// ---- re-entrancy and threads ------------------------------------------------------------------------
class CReentrant : public CWnd
{
public:
    std::vector<int> depths;

protected:
    afx_msg LRESULT OnNest(WPARAM wParam, LPARAM)
    {
        depths.push_back((int)wParam);
        if (wParam < 3)
            return 1 + SendMessage(WM_TEST_PRIVATE, wParam + 1, 0);
        return 100;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReentrant, CWnd)
    ON_MESSAGE(WM_TEST_PRIVATE, OnNest)
END_MESSAGE_MAP()

TEST_F(MessageMap, SendMessageIsSynchronousAndReentrant)
{
    CReentrant wnd;
    ASSERT_TRUE(CreateTopFrame(wnd));
    EXPECT_EQ(wnd.SendMessage(WM_TEST_PRIVATE, 0, 0), 103);
    EXPECT_EQ(wnd.depths, (std::vector<int>{0, 1, 2, 3}));
    // The current message is restored after a nested send.
    EXPECT_EQ(CWnd::GetCurrentMessage()->message, 0u);
}

class CPostTarget : public CWnd
{
public:
    std::vector<WPARAM> got;

protected:
    afx_msg LRESULT OnPosted(WPARAM wParam, LPARAM) { got.push_back(wParam); return 0; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPostTarget, CWnd)
    ON_MESSAGE(WM_APP + 1, OnPosted)
END_MESSAGE_MAP()

TEST_F(MessageMap, PostMessageFromAnotherThreadArrivesInOrderOnTheUiThread)
{
    CPostTarget wnd;
    ASSERT_TRUE(CreateTopFrame(wnd));
    HWND h = wnd.GetSafeHwnd();
    std::thread worker([h] {
        for (WPARAM i = 1; i <= 50; ++i)
            EXPECT_TRUE(::PostMessage(h, WM_APP + 1, i, 0));
    });
    worker.join();
    EXPECT_TRUE(wnd.got.empty());  // nothing is delivered before the queue runs
    AfxPumpMessages();
    ASSERT_EQ(wnd.got.size(), 50u);
    for (WPARAM i = 0; i < 50; ++i)
        EXPECT_EQ(wnd.got[i], i + 1);
}

TEST_F(MessageMap, SendMessageFromAnotherThreadWaitsForTheUiThread)
{
    CReentrant wnd;
    ASSERT_TRUE(CreateTopFrame(wnd));
    HWND h = wnd.GetSafeHwnd();
    std::atomic<LRESULT> result{-1};
    std::thread worker([&] { result = ::SendMessage(h, WM_TEST_PRIVATE, 2, 0); });
    // The worker blocks until this thread runs its queue; the queue is run until the worker
    // has its answer, however late it starts.
    while (result == -1) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        std::this_thread::yield();
    }
    worker.join();
    EXPECT_EQ(result.load(), 101);
}

// ---- PreTranslateMessage -----------------------------------------------------------------------------
class CSwallower : public CLogWnd
{
public:
    bool swallowKeys = true;
    std::vector<UINT> pre;
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        pre.push_back(pMsg->message);
        return swallowKeys && pMsg->message == WM_KEYDOWN;
    }
};

TEST_F(MessageMap, PreTranslateRunsForQueuedMessagesAndASwallowedKeyMakesNoCharacter)
{
    CSwallower parent;
    ASSERT_TRUE(CreateTopFrame(parent));
    CLogWnd child;
    ASSERT_TRUE(child.Create(nullptr, "c", WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 100), &parent, 3));
    child.SetFocus();
    child.log.clear();
    AfxTestKey(&child, 'Q');
    // The parent's PreTranslateMessage saw the child's key and swallowed it.
    EXPECT_NE(std::find(parent.pre.begin(), parent.pre.end(), (UINT)WM_KEYDOWN), parent.pre.end());
    EXPECT_EQ(child.Count(WM_KEYDOWN), 0);
    EXPECT_EQ(child.Count(WM_CHAR), 0);  // no translation of a swallowed key
    EXPECT_EQ(child.Count(WM_KEYUP), 1);
    // Posted messages pass it too; sent ones do not.
    parent.pre.clear();
    child.PostMessage(WM_USER + 5);
    child.SendMessage(WM_USER + 6);
    AfxPumpMessages();
    EXPECT_EQ(std::count(parent.pre.begin(), parent.pre.end(), (UINT)(WM_USER + 5)), 1);
    EXPECT_EQ(std::count(parent.pre.begin(), parent.pre.end(), (UINT)(WM_USER + 6)), 0);
}

}  // namespace
