// Worker threads and waits on their handles, on std::thread.
//
// Every thread object lives in one handle table; the state of all of them is guarded by one
// lock, and one condition variable wakes every waiter when any thread ends, a thread is
// resumed or a call is queued for the user-interface thread. Waits are few and short-lived,
// so the shared wake-up costs nothing worth a finer scheme.
#include <ClassLib/Core/Thread.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>

IMPLEMENT_DYNAMIC(CWinThread, CObject)

namespace {

struct ThreadObject
{
    DWORD id = 0;
    int suspendCount = 0;
    int priority = THREAD_PRIORITY_NORMAL;
    bool signalled = false;
    DWORD exitCode = STILL_ACTIVE;
};

// A call another thread queued for the user-interface thread.
struct UiCall
{
    const std::function<void()>* fn = nullptr;
    bool done = false;
};

struct State
{
    std::mutex lock;
    std::condition_variable changed;
    std::map<uintptr_t, std::shared_ptr<ThreadObject>> handles;
    uintptr_t nextHandle = 0x7000010;
    std::deque<UiCall*> uiCalls;
    AfxIsUiThreadFn isUi = nullptr;
    AfxWakeUiThreadFn wake = nullptr;
    int failCreations = 0;
};

State& S()
{
    static State* s = new State;  // lives until the process ends: detached threads use it
    return *s;
}

std::atomic<DWORD> g_nextThreadId{1};
thread_local DWORD t_lastError = 0;
thread_local DWORD t_threadId = 0;

std::shared_ptr<ThreadObject> Find(HANDLE h)
{
    State& s = S();
    std::lock_guard<std::mutex> g(s.lock);
    auto it = s.handles.find(reinterpret_cast<uintptr_t>(h));
    return it == s.handles.end() ? nullptr : it->second;
}

bool OnUiThread()
{
    AfxIsUiThreadFn fn;
    {
        State& s = S();
        std::lock_guard<std::mutex> g(s.lock);
        fn = s.isUi;
    }
    return fn && fn();
}

// Runs one queued call; the lock is held on entry and on return.
void RunQueued(std::unique_lock<std::mutex>& held)
{
    State& s = S();
    UiCall* call = s.uiCalls.front();
    s.uiCalls.pop_front();
    held.unlock();
    (*call->fn)();
    held.lock();
    call->done = true;
    s.changed.notify_all();
}

}  // namespace

DWORD GetLastError() { return t_lastError; }
void SetLastError(DWORD dwErrCode) { t_lastError = dwErrCode; }

DWORD GetCurrentThreadId()
{
    if (t_threadId == 0)
        t_threadId = g_nextThreadId.fetch_add(1);
    return t_threadId;
}

void Sleep(DWORD dwMilliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(dwMilliseconds)); }

DWORD WaitForSingleObject(HANDLE hHandle, DWORD dwMilliseconds)
{
    std::shared_ptr<ThreadObject> obj = Find(hHandle);
    if (!obj) {
        SetLastError(ERROR_INVALID_HANDLE);
        return WAIT_FAILED;
    }
    const bool serve = OnUiThread();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(dwMilliseconds);
    State& s = S();
    std::unique_lock<std::mutex> held(s.lock);
    for (;;) {
        if (obj->signalled)
            return WAIT_OBJECT_0;
        if (serve && !s.uiCalls.empty()) {
            RunQueued(held);
            continue;
        }
        if (dwMilliseconds == INFINITE)
            s.changed.wait(held);
        else if (s.changed.wait_until(held, deadline) == std::cv_status::timeout)
            return obj->signalled ? WAIT_OBJECT_0 : WAIT_TIMEOUT;
    }
}

BOOL CloseHandle(HANDLE hObject)
{
    State& s = S();
    std::lock_guard<std::mutex> g(s.lock);
    if (s.handles.erase(reinterpret_cast<uintptr_t>(hObject)) == 0) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}

DWORD ResumeThread(HANDLE hThread)
{
    std::shared_ptr<ThreadObject> obj = Find(hThread);
    if (!obj) {
        SetLastError(ERROR_INVALID_HANDLE);
        return (DWORD)-1;
    }
    State& s = S();
    std::lock_guard<std::mutex> g(s.lock);
    const DWORD before = (DWORD)obj->suspendCount;
    if (obj->suspendCount > 0 && --obj->suspendCount == 0)
        s.changed.notify_all();
    return before;
}

BOOL GetExitCodeThread(HANDLE hThread, LPDWORD lpExitCode)
{
    std::shared_ptr<ThreadObject> obj = Find(hThread);
    if (!obj || !lpExitCode) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    std::lock_guard<std::mutex> g(S().lock);
    *lpExitCode = obj->exitCode;
    return TRUE;
}

// Priorities are kept and reported; the scheduler's defaults serve every thread here.
BOOL SetThreadPriority(HANDLE hThread, int nPriority)
{
    std::shared_ptr<ThreadObject> obj = Find(hThread);
    if (!obj) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    std::lock_guard<std::mutex> g(S().lock);
    obj->priority = nPriority;
    return TRUE;
}

int GetThreadPriority(HANDLE hThread)
{
    std::shared_ptr<ThreadObject> obj = Find(hThread);
    if (!obj) {
        SetLastError(ERROR_INVALID_HANDLE);
        return THREAD_PRIORITY_ERROR_RETURN;
    }
    std::lock_guard<std::mutex> g(S().lock);
    return obj->priority;
}

// ---- CWinThread --------------------------------------------------------------------------

CWinThread::CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam)
    : m_hThread(NULL), m_nThreadID(0), m_bAutoDelete(TRUE), m_pfnThreadProc(pfnThreadProc),
      m_pThreadParams(pParam)
{
}

CWinThread::~CWinThread()
{
    if (m_hThread)
        ::CloseHandle(m_hThread);
}

BOOL CWinThread::CreateThread(DWORD dwCreateFlags, UINT /*nStackSize*/, LPSECURITY_ATTRIBUTES /*lpSecurityAttrs*/)
{
    if (m_hThread || !m_pfnThreadProc) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    State& s = S();
    auto obj = std::make_shared<ThreadObject>();
    obj->id = g_nextThreadId.fetch_add(1);
    // Held until the handle is published, so the thread sees m_hThread and m_nThreadID set;
    // a CREATE_SUSPENDED thread stays held until ResumeThread.
    obj->suspendCount = (dwCreateFlags & CREATE_SUSPENDED) ? 2 : 1;
    HANDLE h;
    {
        std::lock_guard<std::mutex> g(s.lock);
        if (s.failCreations > 0) {
            --s.failCreations;
            SetLastError(ERROR_NOT_ENOUGH_MEMORY);
            return FALSE;
        }
        h = reinterpret_cast<HANDLE>(s.nextHandle);
        s.nextHandle += 4;
        s.handles[reinterpret_cast<uintptr_t>(h)] = obj;
    }
    try {
        std::thread([obj, this] {
            State& st = S();
            {
                std::unique_lock<std::mutex> held(st.lock);
                st.changed.wait(held, [&] { return obj->suspendCount == 0; });
            }
            t_threadId = obj->id;
            t_lastError = 0;
            const UINT rc = m_pfnThreadProc(m_pThreadParams);
            // The owner may delete a non-self-deleting object as soon as the handle is
            // signalled: the object is not touched after that.
            Delete();
            std::lock_guard<std::mutex> g(st.lock);
            obj->exitCode = rc;
            obj->signalled = true;
            st.changed.notify_all();
        }).detach();
    } catch (const std::system_error&) {
        std::lock_guard<std::mutex> g(s.lock);
        s.handles.erase(reinterpret_cast<uintptr_t>(h));
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return FALSE;
    }
    m_hThread = h;
    m_nThreadID = obj->id;
    std::lock_guard<std::mutex> g(s.lock);
    --obj->suspendCount;
    s.changed.notify_all();
    return TRUE;
}

DWORD CWinThread::ResumeThread() { return ::ResumeThread(m_hThread); }
int CWinThread::GetThreadPriority() { return ::GetThreadPriority(m_hThread); }
BOOL CWinThread::SetThreadPriority(int nPriority) { return ::SetThreadPriority(m_hThread, nPriority); }

void CWinThread::Delete()
{
    if (m_bAutoDelete)
        delete this;
}

CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority, UINT nStackSize,
                           DWORD dwCreateFlags, LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    CWinThread* pThread = new CWinThread(pfnThreadProc, pParam);
    if (!pThread->CreateThread(dwCreateFlags | CREATE_SUSPENDED, nStackSize, lpSecurityAttrs)) {
        const DWORD err = GetLastError();
        delete pThread;
        SetLastError(err);
        return NULL;
    }
    pThread->SetThreadPriority(nPriority);
    if (!(dwCreateFlags & CREATE_SUSPENDED))
        pThread->ResumeThread();
    return pThread;
}

// ---- calls for the user-interface thread ------------------------------------------------

void AfxSetUiThreadHooks(AfxIsUiThreadFn pfnIsUi, AfxWakeUiThreadFn pfnWake)
{
    State& s = S();
    std::lock_guard<std::mutex> g(s.lock);
    s.isUi = pfnIsUi;
    s.wake = pfnWake;
}

BOOL AfxCallOnUiThread(const std::function<void()>& fn)
{
    State& s = S();
    AfxIsUiThreadFn isUi;
    AfxWakeUiThreadFn wake;
    {
        std::lock_guard<std::mutex> g(s.lock);
        isUi = s.isUi;
        wake = s.wake;
    }
    if (!isUi || !wake)
        return FALSE;
    if (isUi()) {
        fn();
        return TRUE;
    }
    UiCall call;
    call.fn = &fn;
    std::unique_lock<std::mutex> held(s.lock);
    s.uiCalls.push_back(&call);
    s.changed.notify_all();
    held.unlock();
    wake();
    held.lock();
    s.changed.wait(held, [&] { return call.done; });
    return TRUE;
}

int AfxServeUiCalls()
{
    State& s = S();
    std::unique_lock<std::mutex> held(s.lock);
    int n = 0;
    while (!s.uiCalls.empty()) {
        RunQueued(held);
        ++n;
    }
    return n;
}

void AfxTestFailThreadCreation(int nCount)
{
    State& s = S();
    std::lock_guard<std::mutex> g(s.lock);
    s.failCreations = nCount < 0 ? 0 : nCount;
}
