// Worker threads: suspended start, self-deleting objects, waits with and without a limit,
// the per-thread last error, and waits on the user-interface thread that keep serving the
// messages a worker sends there.
#include "WndTestUtil.h"

#include <ClassLib/Core/Thread.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

struct Flags
{
    std::atomic<int> ran{0};
    std::atomic<bool> release{false};
    std::atomic<DWORD> lastErrorSeen{0};
    HWND hTarget = nullptr;
};

UINT SetRan(LPVOID p)
{
    static_cast<Flags*>(p)->ran.fetch_add(1);
    return 42;
}

UINT WaitForRelease(LPVOID p)
{
    Flags* f = static_cast<Flags*>(p);
    while (!f->release.load())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return 7;
}

class CountingThread : public CWinThread
{
public:
    explicit CountingThread(std::atomic<int>* pDeleted) : CWinThread(&SetRan, &m_flags), m_pDeleted(pDeleted) {}
    ~CountingThread() override { m_pDeleted->fetch_add(1); }
    Flags m_flags;
    std::atomic<int>* m_pDeleted;
};

TEST(Thread, SuspendedThreadRunsOnlyAfterResume)
{
    Flags f;
    CWinThread* p = AfxBeginThread(&SetRan, &f, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(p, nullptr);
    p->m_bAutoDelete = FALSE;
    ASSERT_NE(p->m_hThread, nullptr);
    EXPECT_EQ(WaitForSingleObject(p->m_hThread, 100), (DWORD)WAIT_TIMEOUT);
    EXPECT_EQ(f.ran.load(), 0);
    DWORD code = 0;
    ASSERT_TRUE(GetExitCodeThread(p->m_hThread, &code));
    EXPECT_EQ(code, (DWORD)STILL_ACTIVE);
    EXPECT_EQ(p->ResumeThread(), 1u);
    EXPECT_EQ(WaitForSingleObject(p->m_hThread, INFINITE), (DWORD)WAIT_OBJECT_0);
    EXPECT_EQ(f.ran.load(), 1);
    ASSERT_TRUE(GetExitCodeThread(p->m_hThread, &code));
    EXPECT_EQ(code, 42u);
    // A second wait on a finished thread returns at once.
    EXPECT_EQ(WaitForSingleObject(p->m_hThread, 0), (DWORD)WAIT_OBJECT_0);
    HANDLE h = p->m_hThread;
    delete p;
    EXPECT_EQ(WaitForSingleObject(h, 0), WAIT_FAILED);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_HANDLE);
}

TEST(Thread, WaitWithLimitTimesOutWhileTheThreadRuns)
{
    Flags f;
    CWinThread* p = AfxBeginThread(&WaitForRelease, &f, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(p, nullptr);
    p->m_bAutoDelete = FALSE;
    p->ResumeThread();
    const auto t0 = std::chrono::steady_clock::now();
    EXPECT_EQ(WaitForSingleObject(*p, 60), (DWORD)WAIT_TIMEOUT);
    EXPECT_GE(std::chrono::steady_clock::now() - t0, std::chrono::milliseconds(60));
    f.release = true;
    EXPECT_EQ(WaitForSingleObject(*p, 10000), (DWORD)WAIT_OBJECT_0);
    DWORD code = 0;
    GetExitCodeThread(*p, &code);
    EXPECT_EQ(code, 7u);
    delete p;
}

TEST(Thread, AutoDeleteObjectGoesWhenTheFunctionReturns)
{
    std::atomic<int> deleted{0};
    CountingThread* p = new CountingThread(&deleted);
    ASSERT_TRUE(p->CreateThread());
    for (int i = 0; i < 5000 && deleted.load() == 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    EXPECT_EQ(deleted.load(), 1);

    // Not self-deleting: the object stays for its owner after the function returned.
    std::atomic<int> kept{0};
    CountingThread* q = new CountingThread(&kept);
    ASSERT_TRUE(q->CreateThread(CREATE_SUSPENDED));
    q->m_bAutoDelete = FALSE;
    q->ResumeThread();
    EXPECT_EQ(WaitForSingleObject(q->m_hThread, INFINITE), (DWORD)WAIT_OBJECT_0);
    EXPECT_EQ(q->m_flags.ran.load(), 1);
    EXPECT_EQ(kept.load(), 0);
    delete q;
    EXPECT_EQ(kept.load(), 1);
}

TEST(Thread, ThreadIdsDiffer)
{
    Flags f;
    CWinThread* p = AfxBeginThread(&SetRan, &f, THREAD_PRIORITY_BELOW_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(p, nullptr);
    p->m_bAutoDelete = FALSE;
    EXPECT_NE(p->m_nThreadID, 0u);
    EXPECT_NE(p->m_nThreadID, GetCurrentThreadId());
    EXPECT_EQ(p->GetThreadPriority(), THREAD_PRIORITY_BELOW_NORMAL);
    p->ResumeThread();
    WaitForSingleObject(p->m_hThread, INFINITE);
    delete p;
}

UINT SetAndReadLastError(LPVOID p)
{
    Flags* f = static_cast<Flags*>(p);
    const DWORD before = GetLastError();  // a new thread starts at 0
    SetLastError(12002);
    f->lastErrorSeen = before == 0 ? GetLastError() : 0xFFFF;
    return 0;
}

TEST(Thread, LastErrorIsPerThread)
{
    SetLastError(5);
    Flags f;
    CWinThread* p = AfxBeginThread(&SetAndReadLastError, &f, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(p, nullptr);
    p->m_bAutoDelete = FALSE;
    p->ResumeThread();
    WaitForSingleObject(p->m_hThread, INFINITE);
    EXPECT_EQ(f.lastErrorSeen.load(), 12002u);
    EXPECT_EQ(GetLastError(), 5u);
    delete p;
    SetLastError(0);
}

TEST(Thread, CreationFailureGivesNullAndAnError)
{
    Flags f;
    AfxTestFailThreadCreation(1);
    SetLastError(0);
    EXPECT_EQ(AfxBeginThread(&SetRan, &f), nullptr);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_NOT_ENOUGH_MEMORY);
    // Only the one creation failed.
    CWinThread* p = AfxBeginThread(&SetRan, &f, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(p, nullptr);
    p->m_bAutoDelete = FALSE;
    p->ResumeThread();
    WaitForSingleObject(p->m_hThread, INFINITE);
    EXPECT_EQ(f.ran.load(), 1);
    delete p;
}

TEST(Thread, BadHandles)
{
    EXPECT_EQ(ResumeThread(reinterpret_cast<HANDLE>(0x1234)), (DWORD)-1);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_HANDLE);
    EXPECT_FALSE(CloseHandle(reinterpret_cast<HANDLE>(0x1234)));
    EXPECT_EQ(WaitForSingleObject(nullptr, 0), WAIT_FAILED);
}

// ---- waits on the user-interface thread ---------------------------------------------------

class ThreadWndTest : public CWndTestBase
{
};

UINT PostAppMessage(LPVOID p)
{
    Flags* f = static_cast<Flags*>(p);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    ::PostMessage(f->hTarget, WM_APP + 1, 1, 0);
    return 0;
}

TEST_F(ThreadWndTest, WaitReturnsAfterTheWorkerPostedItsMessage)
{
    CLogWnd wnd;
    ASSERT_TRUE(CreateTopFrame(wnd));
    Flags f;
    f.hTarget = wnd.GetSafeHwnd();
    CWinThread* p = AfxBeginThread(&PostAppMessage, &f, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(p, nullptr);
    p->m_bAutoDelete = FALSE;
    p->ResumeThread();
    EXPECT_EQ(WaitForSingleObject(p->m_hThread, 10000), (DWORD)WAIT_OBJECT_0);
    delete p;
    // The wait serves sent messages only: the posted one waits for the queue.
    EXPECT_EQ(wnd.Count(WM_APP + 1), 0);
    AfxPumpMessages();
    ASSERT_EQ(wnd.Count(WM_APP + 1), 1);
    EXPECT_EQ(wnd.Last(WM_APP + 1)->wParam, 1u);
    wnd.DestroyWindow();
}

// A window that waits for its worker when it is destroyed, as a download dialog does.
class CWaitingWnd : public CLogWnd
{
public:
    CWinThread* m_pThread = nullptr;
    DWORD m_dwWait = 0xDEAD;
    DWORD m_dwTextThread = 0;
    CString m_strTextSeen;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_SETTEXT) {
            m_dwTextThread = GetCurrentThreadId();
            m_strTextSeen = reinterpret_cast<LPCTSTR>(lParam);
        }
        if (message == WM_DESTROY && m_pThread) {
            // Bounded, so a deadlock fails the test instead of hanging it.
            m_dwWait = WaitForSingleObject(m_pThread->m_hThread, 20000);
            if (m_dwWait == WAIT_OBJECT_0) {
                delete m_pThread;
                m_pThread = nullptr;
            }
        }
        return CLogWnd::WindowProc(message, wParam, lParam);
    }
};

struct TextWorker
{
    HWND hWnd = nullptr;
    std::atomic<bool> go{false};
    std::atomic<int> texts{0};
    int nTexts = 1;
};

UINT SetTextsWhenTold(LPVOID p)
{
    TextWorker* w = static_cast<TextWorker*>(p);
    while (!w->go.load())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    std::this_thread::sleep_for(std::chrono::milliseconds(30));  // the owner is in its wait by now
    for (int i = 0; i < w->nTexts; ++i) {
        CString s;
        s.Format("step %d", i + 1);
        ::SetWindowText(w->hWnd, s);
        w->texts.fetch_add(1);
    }
    return 0;
}

TEST_F(ThreadWndTest, WorkerSettingTextOnAWindowThatWaitsForItCompletes)
{
    CWaitingWnd wnd;
    ASSERT_TRUE(CreateTopFrame(wnd));
    TextWorker w;
    w.hWnd = wnd.GetSafeHwnd();
    w.nTexts = 200;
    wnd.m_pThread = AfxBeginThread(&SetTextsWhenTold, &w, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(wnd.m_pThread, nullptr);
    wnd.m_pThread->m_bAutoDelete = FALSE;
    wnd.m_pThread->ResumeThread();
    w.go = true;
    wnd.DestroyWindow();
    EXPECT_EQ(wnd.m_dwWait, (DWORD)WAIT_OBJECT_0);
    EXPECT_EQ(w.texts.load(), 200);
    // The texts were handled on this thread, in order, the last one last.
    EXPECT_EQ(wnd.m_dwTextThread, GetCurrentThreadId());
    EXPECT_EQ(wnd.m_strTextSeen, CString("step 200"));
    EXPECT_EQ(wnd.Count(WM_SETTEXT), 200);
}

UINT SendFromWorker(LPVOID p)
{
    Flags* f = static_cast<Flags*>(p);
    LRESULT r = ::SendMessage(f->hTarget, WM_GETTEXTLENGTH, 0, 0);
    f->ran = (int)r;
    return 0;
}

TEST_F(ThreadWndTest, EventLoopServesSendsFromWorkers)
{
    CLogWnd wnd;
    ASSERT_TRUE(CreateTopFrame(wnd));
    wnd.SetWindowText("twelve chars");
    Flags f;
    f.hTarget = wnd.GetSafeHwnd();
    f.ran = -1;
    CWinThread* p = AfxBeginThread(&SendFromWorker, &f, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(p, nullptr);
    p->m_bAutoDelete = FALSE;
    p->ResumeThread();
    // No wait here: the queue pump serves the send.
    for (int i = 0; i < 5000 && f.ran.load() == -1; ++i) {
        AfxPumpMessages(1);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    EXPECT_EQ(f.ran.load(), 12);
    WaitForSingleObject(p->m_hThread, INFINITE);
    delete p;
    wnd.DestroyWindow();
}

}  // namespace
