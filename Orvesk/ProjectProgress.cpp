#include "ProjectProgress.h"

#include <utility>

namespace {

ProjectProgressSink& ProgressSink()
{
    static ProjectProgressSink sink;
    return sink;
}

ProjectWaitSink& WaitSink()
{
    static ProjectWaitSink sink;
    return sink;
}

} // namespace

ProjectProgressSink ProjectSetProgressSink(ProjectProgressSink sink)
{
    return std::exchange(ProgressSink(), std::move(sink));
}

void ProjectSendProgress(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (ProgressSink())
        ProgressSink()(message, wParam, lParam);
}

void ProjectProgressStart(LPCTSTR lpszText)
{
    // The receiver reads the address of a string the sender owns during the call.
    CString strText(lpszText != NULL ? lpszText : "");
    ProjectSendProgress(WM_PROGRESS_START, (WPARAM)&strText, 0);
}

ProjectWaitSink ProjectSetWaitSink(ProjectWaitSink sink)
{
    return std::exchange(WaitSink(), std::move(sink));
}

CProjectWait::CProjectWait()
{
    if (WaitSink())
        WaitSink()(TRUE);
}

CProjectWait::~CProjectWait()
{
    if (WaitSink())
        WaitSink()(FALSE);
}

CProgressEndGuard::~CProgressEndGuard()
{
    if (m_bActive)
        ProjectSendProgress(WM_PROGRESS_END, 0, 0);
}
