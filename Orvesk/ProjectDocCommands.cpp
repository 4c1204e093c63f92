// The user's commands on an open project: saving to a file or to the server, closing with
// a save prompt, the project information, publishing, stopping and deleting the project,
// and its calendar.
#include "ProjectDoc.h"

#include <ClassLib/AfxWin.h>
#include <ClassLib/Dialogs/FileDialog.h>
#include <ClassLib/DocView/WinApp.h>

#include <cstdlib>

#include "GridDefines.h"
#include "ProjectDialogHooks.h"
#include "ProjectDocFiles.h"
#include "ProjectLogin.h"
#include "ProjectProgress.h"
#include "ProjectServiceUse.h"
#include "TaskTreeViewHooks.h"

namespace {

void AddToRecentFiles(const CString& strPath)
{
    if (CWinApp* pApp = AfxGetApp())
        pApp->AddToRecentFileList(strPath);
}

// The save-file dialog with the name; TRUE with the chosen path on OK.
BOOL AskSavePath(const CString& strName, DWORD dwFlags, CString& strPath)
{
    CFileDialog dlg(FALSE, PROJECT_FILE_DEFEXT, strName, dwFlags, PROJECT_FILE_FILTER);
    if (dlg.DoModal() != IDOK)
        return FALSE;
    strPath = dlg.GetPathName();
    return TRUE;
}

CString CostText(int nCost)
{
    CString s;
    s.Format("%d", nCost);
    return s;
}

} // namespace

// ---- saving ---------------------------------------------------------------------------

void CProjectDoc::OnFileSave()
{
    if (m_bLocalFile == 0) {
        SaveToServerAndPurge();
        return;
    }

    if (m_strFilePath.IsEmpty())
        m_strFilePath = GetPathName();
    if (m_strFilePath.IsEmpty()) {
        CString strPath;
        if (!AskSavePath(m_ProjectInfo.m_strName, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, strPath)) {
            m_strFilePath.Empty();
            return;
        }
        m_strFilePath = strPath;
        AddToRecentFiles(strPath);
    }
    if (WriteLocalFile(m_strFilePath))
        SetModifiedFlag(FALSE);
}

void CProjectDoc::OnFileSaveAs()
{
    const CString strName = m_strFilePath.IsEmpty() ? m_ProjectInfo.m_strName : m_strFilePath;
    CString strPath;
    if (!AskSavePath(strName, OFN_OVERWRITEPROMPT | OFN_EXPLORER | OFN_ENABLESIZING, strPath))
        return;
    // The document stays with its own file (or server): only a copy goes to the path.
    if (!WriteLocalFile(strPath))
        return;
    SetModifiedFlag(FALSE);
    AddToRecentFiles(strPath);
}

void CProjectDoc::EndCellEdit()
{
    // A cell of one of the project's windows still being edited holds what the person
    // typed: the edit ends (checked, as a click elsewhere ends it) before the question
    // whether to save, so that the typed text counts and is not lost with the window.
    CWnd* pFocus = CWnd::GetFocus();
    CWnd* pGrid = pFocus && pFocus->GetDlgCtrlID() == IDC_GRID_INPLACE_CONTROL ? pFocus->GetParent() : NULL;
    if (!pGrid || !pGrid->GetSafeHwnd())
        return;
    POSITION pos = GetFirstViewPosition();
    while (pos != NULL) {
        CView* pView = GetNextView(pos);
        if (pView && pView->GetSafeHwnd() && ::IsChild(pView->GetSafeHwnd(), pGrid->GetSafeHwnd())) {
            pGrid->SetFocus();
            return;
        }
    }
}

BOOL CProjectDoc::SaveModified()
{
    EndCellEdit();
    if (!IsModified())
        return COleServerDoc::SaveModified();

    CString strPrompt;
    strPrompt.Format("  要保存 %s 吗?", (LPCTSTR)GetTitle());
    switch (AfxMessageBox(strPrompt, MB_YESNOCANCEL | MB_ICONQUESTION)) {
    case IDYES:
        break;
    case IDNO:
        return TRUE;
    case IDCANCEL:
        return FALSE;
    default:
        return COleServerDoc::SaveModified();
    }

    // The document may close only when the edits are saved: a cancelled dialog or a failed
    // save keeps it open with its edits.
    if (m_bLocalFile != 0) {
        if (m_strFilePath.IsEmpty()) {
            CString strPath;
            if (!AskSavePath(m_ProjectInfo.m_strName, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, strPath)) {
                m_strFilePath.Empty();
                return FALSE;
            }
            m_strFilePath = strPath;
            AddToRecentFiles(strPath);
        }
        if (!WriteLocalFile(m_strFilePath))
            return FALSE;
        SetModifiedFlag(FALSE);
        return TRUE;
    }

    if (!SaveToServerAndPurge()) {
        AfxMessageBox("Save Error!", MB_OK);
        return FALSE;
    }
    return TRUE;
}

// ---- project information and publishing ---------------------------------------------

namespace {

// Every member without a permission record gets one with the rights to look at the
// progress and to use the forum.
void AddMissingPermissions(CProjectDoc& doc)
{
    POSITION pos = doc.m_ProjectInfo.m_listMembers.GetHeadPosition();
    while (pos != NULL) {
        const tagResInfo& member = doc.m_ProjectInfo.m_listMembers.GetNext(pos);
        BOOL bFound = FALSE;
        POSITION posPerm = doc.m_listPermissions.GetHeadPosition();
        while (posPerm != NULL && !bFound)
            bFound = doc.m_listPermissions.GetNext(posPerm).strCode == member.strCode;
        if (bFound)
            continue;
        tagPermInfo perm;
        perm.strCode = member.strCode;
        perm.strDesc.Empty();
        perm.strName = member.strName;
        perm.nLookProgress = 1;
        perm.nForum = 1;
        perm.nOpenProj = perm.nPublishProj = perm.nDeleteProj = perm.nModifyProgress = 0;
        doc.m_listPermissions.AddTail(perm);
    }
}

void FillSheet(CProjectDoc& doc, CProjSheetData& sheet, int nMemberFlag)
{
    const CProjectInfo& info = doc.m_ProjectInfo;
    sheet.dtDeadline = info.m_dtDeadline;
    sheet.dtFinish = info.m_dtFinish;
    sheet.dtStart = info.m_dtStart;
    sheet.strCost = CostText(info.m_nCost);
    sheet.strGoal = info.m_strGoal;
    sheet.strName = info.m_strName;
    sheet.pPermissions = &doc.m_listPermissions;
    sheet.pMembers = &doc.m_ProjectInfo.m_listMembers;
    sheet.nMemberFlag = nMemberFlag;
}

void TakeSheet(CProjectDoc& doc, const CProjSheetData& sheet)
{
    CProjectInfo& info = doc.m_ProjectInfo;
    info.m_strName = sheet.strName;
    info.m_strGoal = sheet.strGoal;
    info.m_dtStart = sheet.dtStart;
    info.m_dtDeadline = sheet.dtDeadline;
    info.m_dtFinish = sheet.dtFinish;
    info.m_nCost = (int)strtol(sheet.strCost, NULL, 10);
}

// The status and FLAG of the header before a command changed them, put back when the save
// that should have carried the change failed.
struct CHeaderMarks
{
    explicit CHeaderMarks(const CProjectInfo& info) : nStatus(info.m_nStatus), nFlag(info.m_nFlag) {}
    void Restore(CProjectInfo& info) const
    {
        info.m_nStatus = nStatus;
        info.m_nFlag = nFlag;
    }
    int nStatus;
    int nFlag;
};

} // namespace

void CProjectDoc::OnProjInfo()
{
    CProjSheetData sheet;
    FillSheet(*this, sheet, 1);
    AddMissingPermissions(*this);
    if (ProjectRunProjSheet("项目信息", 1, sheet) != IDOK)
        return;
    TakeSheet(*this, sheet);
    SetModifiedFlag();
    SetTitle(m_ProjectInfo.m_strName);
    if (m_ProjectInfo.m_nFlag == FLAG_UNCHANGED)
        m_ProjectInfo.m_nFlag = FLAG_MODIFIED;
}

void CProjectDoc::OnSaveToServer()
{
    if (m_strServiceUrl.IsEmpty() && TellServerNameMissing())
        return;
    if (m_strLoginName.IsEmpty()) {
        CString strUser, strPassword;
        if (!ProjectRunLogin(m_bAutomation, m_strServiceUrl, m_strProxyServerPort,
                             m_strProxyServerAddress, strUser, strPassword))
            return;
        m_strLoginName = strUser;
        m_strPassword = strPassword;
    }

    // The right to publish is the user's own, as it stood before the user's record is made
    // complete below (which grants every right). A project not yet on the server is the
    // user's own to publish.
    POSITION posOwn = NULL;
    for (POSITION pos = m_listPermissions.GetHeadPosition(); pos != NULL && posOwn == NULL;) {
        POSITION posThis = pos;
        if (m_listPermissions.GetNext(pos).strCode == m_strLoginName)
            posOwn = posThis;
    }
    const BOOL bHadRecord = posOwn != NULL;
    tagPermInfo ownBefore;
    if (bHadRecord)
        ownBefore = m_listPermissions.GetAt(posOwn);
    const BOOL bMayPublish = bHadRecord ? ownBefore.nPublishProj != 0 : m_nProjectID == 0;

    ModifyLoginUserPerm();

    CProjSheetData sheet;
    FillSheet(*this, sheet, 0);
    AddMissingPermissions(*this);
    if (ProjectRunProjSheet("项目发布", 2, sheet) == IDCANCEL)
        return;

    const CHeaderMarks marks(m_ProjectInfo);
    m_ProjectInfo.m_nStatus = 1;
    TakeSheet(*this, sheet);

    if (!bMayPublish) {
        // The user's own record goes back to what the server gave.
        for (POSITION pos = m_listPermissions.GetHeadPosition(); pos != NULL;) {
            POSITION posThis = pos;
            if (m_listPermissions.GetNext(pos).strCode == m_strLoginName) {
                if (bHadRecord)
                    m_listPermissions.SetAt(posThis, ownBefore);
                else
                    m_listPermissions.RemoveAt(posThis);
                break;
            }
        }
        // Nothing is published: the status goes back, so that publishing later is not
        // refused as done.
        marks.Restore(m_ProjectInfo);
        AfxMessageBox("你没有权限发布项目!", MB_OK);
        return;
    }

    if (m_ProjectInfo.m_nFlag == FLAG_UNCHANGED)
        m_ProjectInfo.m_nFlag = FLAG_NEW;
    if (!SaveToServerAndPurge()) {
        marks.Restore(m_ProjectInfo);
        return;
    }
    if (m_bLocalFile != 0 && !m_strFilePath.IsEmpty())
        WriteLocalFile(m_strFilePath);
}

void CProjectDoc::OnProjPublish()
{
    switch (m_ProjectInfo.m_nStatus) {
    case 1:
        AfxMessageBox("  此项目已发布!", MB_ICONINFORMATION);
        return;
    case 3:
        AfxMessageBox("  此项目已中止!", MB_ICONINFORMATION);
        return;
    case 5:
        AfxMessageBox("  此项目已完成!", MB_ICONINFORMATION);
        return;
    }

    CProjSheetData sheet;
    FillSheet(*this, sheet, 0);
    if (ProjectRunProjSheet("项目发布", 2, sheet) == IDCANCEL)
        return;

    const CHeaderMarks marks(m_ProjectInfo);
    m_ProjectInfo.m_nStatus = 1;
    TakeSheet(*this, sheet);
    if (m_ProjectInfo.m_nFlag == FLAG_UNCHANGED)
        m_ProjectInfo.m_nFlag = FLAG_MODIFIED;

    if (!SaveProject()) {
        // The project is not published: it must not look so.
        marks.Restore(m_ProjectInfo);
        AfxMessageBox("\n   项目发布失败!", MB_OK);
        return;
    }
    DetachDeleteList();

    if (m_strServiceUrl.IsEmpty())
        return;
    CProjectServiceRef service(ProjectConnectService(*this));
    if (!service)
        return;
    service->SetProjectRevision(m_strRevision);
    const HRESULT hr = service->SetProjectStatus(m_ProjectInfo.m_nProjID, 1);
    m_strRevision = service->GetProjectRevision();
    if (FAILED(hr)) {
        AfxMessageBox(service->GetLastErrorText(), MB_ICONINFORMATION);
        return;
    }
    if (m_bLocalFile != 0 && !m_strFilePath.IsEmpty())
        WriteLocalFile(m_strFilePath);
}

void CProjectDoc::OnProjPause()
{
    if (AfxMessageBox("\n  确信要中止这个项目!", MB_OKCANCEL) != IDOK)
        return;
    switch (m_ProjectInfo.m_nStatus) {
    case 3:
        AfxMessageBox("  此项目已中止!", MB_ICONINFORMATION);
        return;
    case 5:
        AfxMessageBox("  此项目已完成!", MB_ICONINFORMATION);
        return;
    case 0:
        AfxMessageBox("  此项目未发布!", MB_ICONINFORMATION);
        return;
    }
    if (AfxMessageBox(" 确定中止项目!", MB_OKCANCEL | MB_ICONQUESTION) == IDCANCEL)
        return;

    const CHeaderMarks marks(m_ProjectInfo);
    m_ProjectInfo.m_nStatus = 3;
    if (m_ProjectInfo.m_nFlag == FLAG_UNCHANGED)
        m_ProjectInfo.m_nFlag = FLAG_MODIFIED;
    if (m_bLocalFile != 0) {
        // Only the file keeps a local project's status: closing must offer to save it.
        SetModifiedFlag();
        return;
    }

    if (!SaveProject()) {
        marks.Restore(m_ProjectInfo);
        AfxMessageBox("\n   项目暂停失败!", MB_OK);
        return;
    }
    DetachDeleteList();

    if (m_strServiceUrl.IsEmpty())
        return;
    CProjectServiceRef service(ProjectConnectService(*this));
    if (!service)
        return;
    service->SetProjectRevision(m_strRevision);
    const HRESULT hr = service->SetProjectStatus(m_ProjectInfo.m_nProjID, 3);
    m_strRevision = service->GetProjectRevision();
    if (FAILED(hr))
        AfxMessageBox(service->GetLastErrorText(), MB_ICONINFORMATION);
}

void CProjectDoc::OnProjDelete()
{
    if (m_strLoginName.IsEmpty()) {
        CString strUser, strPassword;
        if (!ProjectRunLogin(m_bAutomation, m_strServiceUrl, m_strProxyServerPort,
                             m_strProxyServerAddress, strUser, strPassword))
            return;
        m_strLoginName = strUser;
        m_strPassword = strPassword;
    }
    if (!IsHavePermission(m_strLoginName, PERM_DELETEPROJ)) {
        AfxMessageBox("你没有权限删除这个项目!", MB_OK);
        return;
    }
    if (AfxMessageBox("\n  确信删除这个项目!", MB_OKCANCEL | MB_ICONINFORMATION) != IDOK)
        return;

    if (m_bLocalFile != 0 && !m_strFilePath.IsEmpty()) {
        try {
            CFile::Remove(m_strFilePath);
        } catch (CException* e) {
            // A file that is still there stays, and so does the open project; one that is
            // gone already is no obstacle.
            CFileStatus status;
            if (CFile::GetStatus(m_strFilePath, status)) {
                e->ReportError();
                e->Delete();
                return;
            }
            e->Delete();
        }
        DetachList();
        SetProjectID(0);
        OnCloseDocument();
        return;
    }

    if (m_strServiceUrl.IsEmpty()) {
        TellServerNameMissing();
        return;
    }
    {
        CProjectWait wait;
        CProjectServiceRef service(ProjectConnectService(*this));
        if (!service)
            return;
        LONG nResult = -1;
        const HRESULT hr = service->DeleteProject(m_ProjectInfo.m_nProjID, CString(), nResult);
        if (hr != S_OK || nResult != 0) {
            AfxMessageBox("\n   删除项目失败!", MB_ICONINFORMATION);
            return;
        }
    }
    DetachList();
    SetProjectID(0);
    OnCloseDocument();
}

// ---- calendar -------------------------------------------------------------------------

void CProjectDoc::OnCustomizeCalendar()
{
    if (m_strCalName.IsEmpty())
        m_strCalName = "日历(" + GetTitle() + ")";

    CProjCalendarResult result;
    if (ProjectRunCalendarDlg(*this, m_strCalName, result) != IDOK || !result.bChanged)
        return;

    SetModifiedFlag();
    DetachListCalendar();
    while (!result.listDayOfWeek.IsEmpty())
        m_listDayOfWeek.AddTail(result.listDayOfWeek.RemoveHead());
    while (!result.listCalendarItems.IsEmpty())
        m_listCalendarItems.AddTail(result.listCalendarItems.RemoveHead());
    if (!result.strCalName.IsEmpty())
        m_strCalName = result.strCalName;
    m_nCalBaseID = result.nCalBaseID;
    if (CTaskTreeViewHooks* pView = ProjectFindTaskTreeView(this))
        pView->RecalcFinishDates();
}
