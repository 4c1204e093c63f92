// Shell calls in tests: while a CTestShellCalls lives, ShellExecute and WinExec start
// nothing; each call is recorded and answered from a script (by default a success: 42
// for ShellExecute, 33 for WinExec). SHGetFileInfo calls are recorded too and still
// answered for real (they start nothing). Outside such a scope, a test program that
// includes ClassLib/Testing.h reports ShellExecute and WinExec as test failures and
// answers them SE_ERR_NOASSOC, so no test can start a program by accident.
#pragma once

#include <ClassLib/Core/String.h>

#include <deque>
#include <vector>

struct AfxShellCallRecord
{
    enum Kind
    {
        shellExecute,
        winExec,
        getFileInfo
    };
    Kind kind = shellExecute;
    HWND hWnd = nullptr;        // ShellExecute
    CString strVerb;            // ShellExecute; NULL recorded as ""
    CString strFile;            // ShellExecute's file, SHGetFileInfo's path
    CString strParameters;      // ShellExecute
    CString strDirectory;       // ShellExecute
    CString strCommandLine;     // WinExec
    int nShowCmd = 0;           // ShellExecute, WinExec
    DWORD dwFileAttributes = 0; // SHGetFileInfo
    UINT uFlags = 0;            // SHGetFileInfo
    INT_PTR nResult = 0;        // what the call answered
};

// What the shell layer does with ShellExecute and WinExec instead of starting programs:
// returns TRUE and sets *pnResult to take the call over. SHGetFileInfo records come
// with pnResult NULL and their answer is ignored.
typedef BOOL (*AfxShellCallHandler)(AfxShellCallRecord& call, INT_PTR* pnResult);
AFX_EXT_API AfxShellCallHandler AfxSetShellCallHandler(AfxShellCallHandler pfn);

class AFX_EXT_CLASS CTestShellCalls
{
public:
    CTestShellCalls();   // takes over the shell-call handler
    ~CTestShellCalls();  // gives it back; results left in the script are reported

    // The next ShellExecute or WinExec answers nResult (such as SE_ERR_NOASSOC).
    void PushResult(INT_PTR nResult);

    const std::vector<AfxShellCallRecord>& Calls() const { return m_calls; }
    // The recorded calls of one kind, in order.
    std::vector<AfxShellCallRecord> CallsOf(AfxShellCallRecord::Kind kind) const;
    int Count() const { return (int)m_calls.size(); }
    void Clear() { m_calls.clear(); }

private:
    static BOOL Handler(AfxShellCallRecord& call, INT_PTR* pnResult);

    std::deque<INT_PTR> m_script;
    std::vector<AfxShellCallRecord> m_calls;
    AfxShellCallHandler m_previous;
    CTestShellCalls* m_outer;

    CTestShellCalls(const CTestShellCalls&) = delete;
    CTestShellCalls& operator=(const CTestShellCalls&) = delete;
};

// The handler tests run with when no CTestShellCalls is in place: every ShellExecute or
// WinExec is a failure of the running test and answers SE_ERR_NOASSOC.
AFX_EXT_API BOOL AfxTestUnscriptedShellCall(AfxShellCallRecord& call, INT_PTR* pnResult);
