// Saving the open project to the server: the project text, then its calendar and the users'
// permissions.
#include "ProjectDoc.h"

#include <ClassLib/AfxWin.h>

#include <optional>

#include "ProjectProgress.h"
#include "ProjectServiceUse.h"
#include "TaskTreeViewHooks.h"

int CProjectDoc::SaveProject()
{
    if (m_ProjectInfo.m_strName.IsEmpty()) {
        AfxMessageBox("没有项目名称!", MB_ICONINFORMATION);
        // Nothing was sent: the callers must not take it for a save (they would delete the
        // removed tasks unsent).
        return 0;
    }

    ProjectProgressStart("正在保存");
    CProgressEndGuard progressEnd;

    // The header's dates as the tasks now stand.
    UpdateHeaderDates();
    CString strXml;
    WriteProjectXml(strXml);
    if (m_strServiceUrl.IsEmpty()) {
        TellServerNameMissing();
        return 0;
    }

    std::optional<CProjectWait> wait(std::in_place);
    // A message, then the end of the bar, then the wait state lifted.
    auto fail = [&](const CString& strMessage, UINT nType) {
        AfxMessageBox(strMessage, nType);
        progressEnd.Dismiss();
        ProjectSendProgress(WM_PROGRESS_END);
        wait.reset();
        return 0;
    };

    ProjectSendProgress(WM_PROGRESS_STEP);
    CProjectServiceRef service(ProjectConnectService(*this));
    if (!service) {
        progressEnd.Dismiss();
        ProjectSendProgress(WM_PROGRESS_END);
        AfxMessageBox("客户端组件创建失败!", MB_OK);
        return 0;
    }

    ProjectSendProgress(WM_PROGRESS_STEP);
    ProjectSendProgress(WM_PROGRESS_STEP);
    CString strReply;
    LONG nResult = -1;
    service->SetProjectRevision(m_strRevision);
    const HRESULT hr = service->SaveProject(m_ProjectInfo.m_nProjID, strXml, strReply, nResult);
    m_strRevision = service->GetProjectRevision();
    if (hr != S_OK) {
        // Nothing was taken: every new, changed and removed mark stays for the next try.
        return fail(hr == S_FALSE ? strReply : CString(kProjectConnectionChecklist), MB_ICONINFORMATION);
    }

    // The server has the project: what was sent is no longer new, changed or removed.
    ResetSaveFlags();
    if (CTaskTreeViewHooks* pView = ProjectFindTaskTreeView(this))
        pView->ApplyServerIds(strReply);
    // The removed tasks are gone from the server. Kept here with FLAG 0 they would be sent
    // again by the next save as live tasks (after a failed calendar or permission save).
    DetachDeleteList();

    CString strCalendar;
    SaveCalendar(strCalendar);
    if (!strCalendar.IsEmpty()) {
        nResult = -1;
        if (service->SaveCalendar(m_ProjectInfo.m_nProjID, strCalendar, nResult) != S_OK) {
            return fail("\n  日历存盘发生错误!", MB_ICONINFORMATION);
        }
    }

    CString strPermissions;
    SaveUsersPermission(strPermissions);
    if (!strPermissions.IsEmpty()) {
        nResult = -1;
        if (service->SaveUsersPermission(m_ProjectInfo.m_nProjID, strPermissions, nResult) != S_OK) {
            return fail("\n  用户权限存盘发生错误!", MB_ICONINFORMATION);
        }
    }
    progressEnd.Dismiss();
    ProjectSendProgress(WM_PROGRESS_END);
    wait.reset();
    return 1;
}

int CProjectDoc::SaveToServerAndPurge()
{
    if (!SaveProject())
        return 0;
    DetachDeleteList();
    SetModifiedFlag(FALSE);
    return 1;
}
