// Where ShellExecute, WinExec and SHGetFileInfo report to a test before (or instead of)
// doing anything, and the scripted recorder tests use.
#include "ShellInternal.h"
#include "WndInternal.h"

#include <ClassLib/Core/Conversion.h>
#include <ClassLib/Shell/Shell.h>
#include <ClassLib/Testing/ShellCalls.h>

#include <atomic>
#include <string>

namespace {
std::atomic<AfxShellCallHandler> g_handler{nullptr};
CTestShellCalls* g_current = nullptr;
}  // namespace

AfxShellCallHandler AfxSetShellCallHandler(AfxShellCallHandler pfn) { return g_handler.exchange(pfn); }

BOOL AfxShellCallTakenOver(AfxShellCallRecord& call, INT_PTR* pnResult)
{
    AfxShellCallHandler pfn = g_handler.load();
    return pfn ? pfn(call, pnResult) : FALSE;
}

BOOL AfxTestUnscriptedShellCall(AfxShellCallRecord& call, INT_PTR* pnResult)
{
    if (!pnResult)
        return FALSE;  // file information starts nothing
    std::string what = call.kind == AfxShellCallRecord::winExec
                           ? "unscripted WinExec(\"" + Utf8FromCString(call.strCommandLine) + "\")"
                           : "unscripted ShellExecute(\"" + Utf8FromCString(call.strVerb) + "\", \"" +
                                 Utf8FromCString(call.strFile) + "\")";
    AfxReportTestFailure(what.c_str());
    *pnResult = SE_ERR_NOASSOC;
    return TRUE;
}

CTestShellCalls::CTestShellCalls() : m_previous(nullptr), m_outer(g_current)
{
    g_current = this;
    m_previous = AfxSetShellCallHandler(&CTestShellCalls::Handler);
}

CTestShellCalls::~CTestShellCalls()
{
    if (!m_script.empty()) {
        std::string what = std::to_string(m_script.size()) + " scripted shell call result(s) never used";
        AfxReportTestFailure(what.c_str());
    }
    AfxSetShellCallHandler(m_previous);
    g_current = m_outer;
}

void CTestShellCalls::PushResult(INT_PTR nResult) { m_script.push_back(nResult); }

std::vector<AfxShellCallRecord> CTestShellCalls::CallsOf(AfxShellCallRecord::Kind kind) const
{
    std::vector<AfxShellCallRecord> out;
    for (const auto& c : m_calls)
        if (c.kind == kind)
            out.push_back(c);
    return out;
}

BOOL CTestShellCalls::Handler(AfxShellCallRecord& call, INT_PTR* pnResult)
{
    CTestShellCalls* self = g_current;
    if (!self)
        return FALSE;
    if (pnResult) {
        INT_PTR result = call.kind == AfxShellCallRecord::winExec ? 33 : 42;
        if (!self->m_script.empty()) {
            result = self->m_script.front();
            self->m_script.pop_front();
        }
        *pnResult = result;
        call.nResult = result;
    }
    self->m_calls.push_back(call);
    return pnResult != nullptr;
}
