// The project document's lifecycle: its command routing, new documents, opening a project
// from the server or from a local file, and fetching the server data.
#include "ProjectDoc.h"

#include <ClassLib/AfxWin.h>
#include <ClassLib/Core/StartTrace.h>
#include <ClassLib/DocView/DocTemplate.h>
#include <ClassLib/DocView/StdIds.h>
#include <ClassLib/DocView/WinApp.h>
#include <ClassLib/Dialogs/FileDialog.h>
#include <ClassLib/Frames/FrameWnd.h>

#include <cstdlib>
#include <utility>

#include "GridCtrl.h"
#include "ProjectDialogHooks.h"
#include "ProjectDocFiles.h"
#include "ProjectDocIds.h"
#include "ProjectLogin.h"
#include "ProjectProgress.h"
#include "ProjectServiceUse.h"
#include "TaskTreeViewHooks.h"
#include "XmlWalk.h"

BEGIN_MESSAGE_MAP(CProjectDoc, COleServerDoc)
    ON_COMMAND(ID_FILE_NEW, OnFileNew)
    ON_COMMAND(ID_FILE_OPEN, OnFileOpen)
    // OnFileOpenFrom has a path overload: the entry names the one without arguments.
    {WM_COMMAND, CN_COMMAND, (UINT)ID_FILE_OPEN_FROM, (UINT)ID_FILE_OPEN_FROM, nullptr,
     &afx_msgmap_detail::CommandV<static_cast<void (CProjectDoc::*)()>(&CProjectDoc::OnFileOpenFrom)>},
    ON_COMMAND(ID_FILE_SAVE, OnFileSave)
    ON_COMMAND(ID_FILE_SAVE_AS, OnFileSaveAs)
    ON_COMMAND(ID_SAVE_TO_SERVER, OnSaveToServer)
    ON_COMMAND(ID_PROJ_PUBLISH, OnProjPublish)
    ON_COMMAND(ID_PROJ_PAUSE, OnProjPause)
    ON_COMMAND(ID_PROJ_DELETE, OnProjDelete)
    ON_COMMAND(ID_PROJ_INFO, OnProjInfo)
    ON_COMMAND(ID_CUSTOMIZE_CALENDAR, OnCustomizeCalendar)
    ON_COMMAND(ID_OPTION, OnOption)
    ON_COMMAND(ID_GANTT_VIEW, OnGanttView)
    ON_COMMAND(ID_RES_VIEW, OnResView)
    ON_COMMAND(ID_EXPAND_HIDE, OnExpandHide)
END_MESSAGE_MAP()

namespace {

// The grid of the document's first task tree view resets its scroll bars.
void ResetTaskGridScrollBars(CProjectDoc* pDoc)
{
    if (CTaskTreeViewHooks* pView = ProjectFindTaskTreeView(pDoc))
        if (CGridCtrl* pGrid = pView->GetTaskGrid())
            pGrid->UpdateScrollBars();
}

int CountTemplateDocuments(const CDocTemplate* pTemplate)
{
    int n = 0;
    POSITION pos = pTemplate->GetFirstDocPosition();
    while (pos != NULL) {
        pTemplate->GetNextDoc(pos);
        ++n;
    }
    return n;
}

} // namespace

void CProjectDoc::OnFileNew()
{
    FileNew();
}

CProjectDoc* CProjectDoc::CreateSiblingDocument()
{
    CDocTemplate* pTemplate = GetDocTemplate();
    if (pTemplate == NULL)
        return NULL;
    CDocument* pCreated = pTemplate->CreateNewDocument();
    if (pCreated == NULL)
        return NULL;
    CProjectDoc* pDoc = dynamic_cast<CProjectDoc*>(pCreated);
    if (pDoc == NULL) {
        delete pCreated;
        return NULL;
    }
    pDoc->m_strLoginName = m_strLoginName;
    pDoc->m_strPassword = m_strPassword;
    return pDoc;
}

void CProjectDoc::FileNew()
{
    CProjectDoc* pDoc = CreateSiblingDocument();
    if (pDoc == NULL)
        return;
    pDoc->m_bLocalFile = 1;
    pDoc->m_strFilePath.Empty();
    if (pDoc->OpenDocument(1, 2))
        ResetTaskGridScrollBars(pDoc);
}

void CProjectDoc::FileOpen(CString strPath)
{
    if (m_bLocalFile == 0)
        OnFileOpen();
    else if (strPath.IsEmpty())
        OnFileOpenFrom();
    else
        OnFileOpenFrom(strPath);
}

void CProjectDoc::OnFileOpen()
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

    int nID = 0;
    if (ProjectRunOpenDlg(m_bAutomation, m_strLoginName, m_strServiceUrl, m_strProxyServerPort,
                          m_strProxyServerAddress, nID) != IDOK)
        return;
    if (nID < 1)
        return;

    CProjectDoc* pDoc = CreateSiblingDocument();
    if (pDoc == NULL)
        return;
    pDoc->m_bLocalFile = 0;
    if (pDoc->OpenDocument(nID, 2))
        ResetTaskGridScrollBars(pDoc);
}

void CProjectDoc::OnFileOpenFrom()
{
    CFileDialog dlg(TRUE, PROJECT_FILE_DEFEXT, NULL, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                    PROJECT_FILE_FILTER);
    if (dlg.DoModal() != IDOK)
        return;
    OnFileOpenFrom(dlg.GetPathName());
}

void CProjectDoc::OnFileOpenFrom(CString strPath)
{
    CProjectDoc* pDoc = CreateSiblingDocument();
    if (pDoc == NULL)
        return;
    pDoc->m_bLocalFile = 1;
    pDoc->m_strFilePath = strPath;

    // A file that cannot be read has been reported; its document never got a window and
    // goes at once, and the file stays out of the recent files.
    if (!pDoc->ReadLocalFile(strPath)) {
        delete pDoc;
        return;
    }
    AfxStartMark("read");
    if (CWinApp* pApp = AfxGetApp())
        pApp->AddToRecentFileList(strPath);
    if (pDoc->OpenDocument(1, 2))
        ResetTaskGridScrollBars(pDoc);
}

int CProjectDoc::OpenDocument(int nID, int nViewType)
{
    if (m_bLocalFile == 0) {
        SetProjectID(nID);
        m_nViewType = nViewType;
    }

    CDocTemplate* pTemplate = GetDocTemplate();
    CFrameWnd* pFrame = NULL;
    if (pTemplate != NULL) {
        const BOOL bAutoDelete = m_bAutoDelete;
        m_bAutoDelete = FALSE;
        pFrame = pTemplate->CreateNewFrame(this, NULL);
        m_bAutoDelete = bAutoDelete;
    }
    AfxStartMark("views");
    if (pFrame == NULL) {
        AfxMessageBox(AFX_IDP_FAILED_TO_CREATE_DOC, MB_OK);
        delete this;
        return 0;
    }

    pTemplate->SetDefaultTitle(this);
    m_bEmbedded = FALSE;
    if (!OnNewDocument()) {
        pTemplate->RemoveDocument(this);
        TRACE("COleServerDoc::OnNewDocument returned FALSE.\n");
        // The frame's views must not take the document with them: it is deleted here.
        m_bAutoDelete = FALSE;
        pFrame->DestroyWindow();
        delete this;
        return 0;
    }
    pTemplate->InitialUpdateFrame(pFrame, this, TRUE);
    AfxStartMark("initial-update");
    return 1;
}

void CProjectDoc::DeleteContents()
{
    COleServerDoc::DeleteContents();
}

BOOL CProjectDoc::OnNewDocument()
{
    if (!COleServerDoc::OnNewDocument())
        return FALSE;

    CDocTemplate* pTemplate = GetDocTemplate();
    const int n = pTemplate != NULL ? CountTemplateDocuments(pTemplate) : 1;
    CString strName;
    strName.Format("新建项目%d", n);
    const COleDateTime now = COleDateTime::GetCurrentTime();

    if (m_bEmbedded && n > 1)
        return TRUE;

    CProjSheetData sheet;
    sheet.pPermissions = &m_listPermissions;
    sheet.pMembers = &m_ProjectInfo.m_listMembers;
    sheet.dtStart = sheet.dtFinish = sheet.dtDeadline = now;
    // The header takes what the new-project sheet holds.
    auto takeSheet = [&] {
        m_ProjectInfo.m_strName = sheet.strName;
        m_ProjectInfo.m_strGoal = sheet.strGoal;
        m_ProjectInfo.m_dtStart = sheet.dtStart;
        m_ProjectInfo.m_dtFinish = sheet.dtFinish;
        m_ProjectInfo.m_dtDeadline = sheet.dtDeadline;
        m_ProjectInfo.m_nCost = (int)strtol(sheet.strCost, NULL, 10);
        m_ProjectInfo.m_dtCreation = now;
        SetTitle(m_ProjectInfo.m_strName);
        m_ProjectInfo.m_nFlag = FLAG_NEW;
    };

    if (m_bLocalFile != 0) {
        if (m_strFilePath.IsEmpty()) {
            sheet.strName = strName;
            if (ProjectRunProjSheet("新建项目", 0, sheet) != IDOK)
                return FALSE;
            takeSheet();
        } else {
            SetTitle(m_strFilePath);
        }
        SetModifiedFlag(FALSE);
        return TRUE;
    }

    const BOOL bResources = GetResources();
    if (!bResources)
        AfxMessageBox("\n    获取资源失败!", MB_ICONINFORMATION);
    SetTitle(strName);

    if (m_nProjectID != 0) {
        ProjectProgressStart("正在装载");
        CProgressEndGuard progressEnd;
        if (!GetData()) {
            // An empty window would pass for an empty project, and a save from it would
            // overwrite the real one: the document is not opened.
            progressEnd.Dismiss();
            ProjectSendProgress(WM_PROGRESS_END);
            AfxMessageBox("\n    获取项目数据失败!", MB_ICONINFORMATION);
            return FALSE;
        }
        if (!GetUsersPermission())
            AfxMessageBox("\n    获取用户权限失败!", MB_ICONINFORMATION);
        progressEnd.Dismiss();
        ProjectSendProgress(WM_PROGRESS_END);
        SetTitle(m_ProjectInfo.m_strName);

        // Members become copies of the server's resources. Without the resources there is
        // nothing to match against, and dropping every member would lose them at the next
        // save: the members then stay as the project holds them.
        if (bResources) {
            CResInfoList& members = m_ProjectInfo.m_listMembers;
            POSITION pos = members.GetHeadPosition();
            while (pos != NULL) {
                POSITION posMember = pos;
                tagResInfo& member = members.GetNext(pos);
                BOOL bFound = FALSE;
                POSITION posRes = m_listResources.GetHeadPosition();
                while (posRes != NULL && !bFound) {
                    const tagResInfo& res = m_listResources.GetNext(posRes);
                    if (res.strCode == member.strCode) {
                        member = res;
                        bFound = TRUE;
                    }
                }
                if (!bFound)
                    members.RemoveAt(posMember);
            }
        }
    } else if (n == 1) {
        m_ProjectInfo.m_dtCreation = now;
        m_ProjectInfo.m_dtDeadline = now;
        m_ProjectInfo.m_dtStart = now;
        m_ProjectInfo.m_strName = strName;
        m_ProjectInfo.m_nFlag = FLAG_NEW;
        m_ProjectInfo.m_nCost = 0;
    } else {
        if (ProjectRunProjSheet(strName, 0, sheet) != IDOK)
            return FALSE;
        takeSheet();
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

int CProjectDoc::GetData()
{
    if (m_strServiceUrl.IsEmpty())
        return 0;

    CProjectWait wait;
    ProjectSendProgress(WM_PROGRESS_STEP);
    CProjectServiceRef service(ProjectConnectService(*this));
    if (!service)
        return 0;
    for (int i = 0; i < 5; ++i)
        ProjectSendProgress(WM_PROGRESS_STEP);

    // In UTF-8 as it came: the document reads it as it would its code page form, without
    // converting a large text there and back.
    std::string strXml;
    if (service->GetProjectDataUtf8(m_nProjectID, strXml) != S_OK)
        return 0;
    // Later changes start from the revision of this text, which is this document's alone.
    m_strRevision = service->GetProjectRevision();

    ProjectSendProgress(WM_PROGRESS_STEP);
    CXmlDocument doc;
    if (!doc.LoadXmlUtf8AsCp936(std::move(strXml)))
        return 0;
    CXmlNode root = doc.documentElement();
    // A reply that is XML but no project is as unusable as one that is not XML.
    if (!XmlIsElement(root) || !XmlNameIs(root, "PROJECT"))
        return 0;
    ProjectSendProgress(WM_PROGRESS_STEP);
    Parse(root);
    ProjectSendProgress(WM_PROGRESS_STEP);
    LoadCalendar();
    return 1;
}
