// Worker threads, waits on thread handles and the per-thread last error.
//
// A thread object is a kernel handle: it is signalled when the thread's function has
// returned, and a wait on it returns then. A wait made on the user-interface thread keeps
// serving the calls other threads send to that thread (SendMessage to a window, and anything
// else passed through AfxCallOnUiThread), so a window that waits for its worker never
// deadlocks with a worker that is inside SendMessage to that window.
#pragma once

#include <ClassLib/Core/Object.h>
#include <ClassLib/Core/WinTypes.h>

#include <functional>

typedef UINT (*AFX_THREADPROC)(LPVOID);
typedef struct _SECURITY_ATTRIBUTES* LPSECURITY_ATTRIBUTES;

#ifndef CREATE_SUSPENDED
#define CREATE_SUSPENDED 0x00000004
#endif

#define THREAD_PRIORITY_LOWEST (-2)
#define THREAD_PRIORITY_BELOW_NORMAL (-1)
#define THREAD_PRIORITY_NORMAL 0
#define THREAD_PRIORITY_HIGHEST 2
#define THREAD_PRIORITY_ABOVE_NORMAL 1
#define THREAD_PRIORITY_TIME_CRITICAL 15
#define THREAD_PRIORITY_IDLE (-15)
#define THREAD_PRIORITY_ERROR_RETURN 0x7FFFFFFF

#define WAIT_OBJECT_0 0x00000000L
#define WAIT_TIMEOUT 258L
#define WAIT_FAILED ((DWORD)0xFFFFFFFF)
#define STILL_ACTIVE 259L

#ifndef ERROR_SUCCESS
#define ERROR_SUCCESS 0L
#endif
#ifndef ERROR_INVALID_HANDLE
#define ERROR_INVALID_HANDLE 6L
#endif
#ifndef ERROR_NOT_ENOUGH_MEMORY
#define ERROR_NOT_ENOUGH_MEMORY 8L
#endif

// The calling thread's last error code.
AFX_EXT_API DWORD GetLastError();
AFX_EXT_API void SetLastError(DWORD dwErrCode);

// Waits until the object is signalled or dwMilliseconds (INFINITE: no limit) have passed:
// WAIT_OBJECT_0, WAIT_TIMEOUT, or WAIT_FAILED for a handle that names no waitable object.
AFX_EXT_API DWORD WaitForSingleObject(HANDLE hHandle, DWORD dwMilliseconds);
AFX_EXT_API BOOL CloseHandle(HANDLE hObject);
// Lowers the thread's suspend count; it runs when the count reaches 0. Returns the count
// before the call, or (DWORD)-1 for a handle that is no thread.
AFX_EXT_API DWORD ResumeThread(HANDLE hThread);
// The value the thread's function returned, or STILL_ACTIVE while it runs.
AFX_EXT_API BOOL GetExitCodeThread(HANDLE hThread, LPDWORD lpExitCode);
AFX_EXT_API BOOL SetThreadPriority(HANDLE hThread, int nPriority);
AFX_EXT_API int GetThreadPriority(HANDLE hThread);
AFX_EXT_API DWORD GetCurrentThreadId();
AFX_EXT_API void Sleep(DWORD dwMilliseconds);

class AFX_EXT_CLASS CWinThread : public CObject
{
    DECLARE_DYNAMIC(CWinThread)
public:
    CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam);
    virtual ~CWinThread();  // closes m_hThread

    // Starts the thread (held before its function when dwCreateFlags has CREATE_SUSPENDED).
    BOOL CreateThread(DWORD dwCreateFlags = 0, UINT nStackSize = 0,
                      LPSECURITY_ATTRIBUTES lpSecurityAttrs = NULL);
    DWORD ResumeThread();
    int GetThreadPriority();
    BOOL SetThreadPriority(int nPriority);
    operator HANDLE() const { return m_hThread; }

    // Called when the thread's function has returned: deletes the object when
    // m_bAutoDelete is set.
    virtual void Delete();

    HANDLE m_hThread;
    DWORD m_nThreadID;
    BOOL m_bAutoDelete;  // TRUE at construction
    AFX_THREADPROC m_pfnThreadProc;
    LPVOID m_pThreadParams;

private:
    CWinThread(const CWinThread&) = delete;
    CWinThread& operator=(const CWinThread&) = delete;
};

// Creates a worker thread running pfnThreadProc(pParam). NULL when the thread cannot be
// started (the object is deleted then).
AFX_EXT_API CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam,
                                       int nPriority = THREAD_PRIORITY_NORMAL, UINT nStackSize = 0,
                                       DWORD dwCreateFlags = 0, LPSECURITY_ATTRIBUTES lpSecurityAttrs = NULL);

// Runs fn on the user-interface thread and returns when it has run: directly on that thread,
// otherwise queued to it (the event loop or a wait there serves it). FALSE, without running
// fn, when there is no user-interface thread to run it.
AFX_EXT_API BOOL AfxCallOnUiThread(const std::function<void()>& fn);
// Runs the calls other threads have queued for the user-interface thread. Returns how many.
AFX_EXT_API int AfxServeUiCalls();
// Set by the window layer: how to tell the user-interface thread and how to wake its event
// loop when a call is queued for it.
typedef BOOL (*AfxIsUiThreadFn)();
typedef void (*AfxWakeUiThreadFn)();
AFX_EXT_API void AfxSetUiThreadHooks(AfxIsUiThreadFn pfnIsUi, AfxWakeUiThreadFn pfnWake);

// Tests: the next nCount thread creations fail (ERROR_NOT_ENOUGH_MEMORY); 0 ends that.
AFX_EXT_API void AfxTestFailThreadCreation(int nCount);
