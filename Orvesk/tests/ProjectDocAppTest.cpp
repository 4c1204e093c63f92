#include "ProjectDocAppTest.h"

#include <ClassLib/DocView/DocTemplate.h>
#include <ClassLib/DocView/WinApp.h>
#include <ClassLib/Frames/MDIWnd.h>
#include <ClassLib/Registry/Registry.h>
#include <ClassLib/Resources/Resources.h>
#include <ProjectService/ProjectServiceFactory.h>
#include <XmlDom/XmlDom.h>

#include <cstdlib>

#include "ProjectDocIds.h"

namespace {

const UINT IDR_TESTMAINFRAME = 128;

const AFX_MENU_ITEM kMenuItems[] = {
    {MF_POPUP | MF_END, 0, "文件(&F)"},
    {MF_STRING | MF_END, ID_FILE_NEW, "新建(&N)\tCtrl+N"},
};
const AFX_MENU_TEMPLATE kMenu = {kMenuItems, sizeof kMenuItems / sizeof kMenuItems[0]};

} // namespace

AFX_MODULE_RESOURCES(OrveskDocTests)
{
    AfxRegisterResource(hModule, RT_MENU, IDR_TESTMAINFRAME, &kMenu);
    AfxRegisterResource(hModule, RT_MENU, IDR_PROJECTTYPE, &kMenu);
    AfxRegisterStrings(hModule, {{IDR_TESTMAINFRAME, "项目管理"},
                                 {IDR_PROJECTTYPE, "\n项目\n项目\nTLP Files (*.tlp)\n.tlp\nProject.Document\nProject"}});
}

IMPLEMENT_DYNCREATE(CStandInTaskTreeView, CView)

namespace {

class CStandInProjectFrame : public CMDIChildWnd
{
    DECLARE_DYNCREATE(CStandInProjectFrame)
};
IMPLEMENT_DYNCREATE(CStandInProjectFrame, CMDIChildWnd)

class CTestMainFrame : public CMDIFrameWnd
{
protected:
    void PostNcDestroy() override {} // the test owns the object
};

int LeafInt(const CXmlNode& parent, LPCTSTR lpszName)
{
    CXmlNode node = parent.childElement(lpszName);
    return node.isNull() ? 0 : atoi(node.text());
}

CTaskItem* FindIn(CTaskItemList& list, const std::function<bool(CTaskItem*)>& match)
{
    POSITION pos = list.GetHeadPosition();
    while (pos != NULL) {
        CTaskItem* pTask = list.GetNext(pos);
        if (match(pTask))
            return pTask;
        if (CTaskItem* pFound = FindIn(pTask->m_listChildren, match))
            return pFound;
    }
    return NULL;
}

} // namespace

void CStandInTaskTreeView::ApplyServerIds(CString strReply)
{
    ++nApplied;
    strLastReply = strReply;
    CXmlDocument xml;
    if (!xml.LoadXml(strReply))
        return;
    CProjectDoc* pDoc = GetProjectDoc();
    for (CXmlNode item = xml.documentElement().firstChild(); !item.isNull(); item = item.nextSibling()) {
        if (!item.isElement() || !item.nameIs("TASKID"))
            continue;
        const int nID = LeafInt(item, "ID");
        const int nRow = LeafInt(item, "ROW");
        if (nRow == 0) {
            pDoc->SetProjectID(nID);
            continue;
        }
        if (CTaskItem* pTask = FindTaskByRow(*pDoc, nRow)) {
            pTask->m_nTaskID = nID;
            if (LeafInt(item, "ISSUBPROJ") != 0)
                pTask->m_nSubProjID = LeafInt(item, "SUBPROJID");
        }
    }
}

int CStandInTaskTreeView::GetTaskId(int nRow)
{
    CTaskItem* pTask = FindTaskByRow(*GetProjectDoc(), nRow);
    return pTask != NULL ? pTask->m_nTaskID : -1;
}

CTaskItem* FindTaskByRow(CProjectDoc& doc, int nRow)
{
    return FindIn(doc.m_listTasks, [nRow](CTaskItem* p) { return p->m_nRowInGrid == nRow; });
}

CTaskItem* FindTaskByName(CProjectDoc& doc, const CString& strName)
{
    return FindIn(doc.m_listTasks, [&strName](CTaskItem* p) { return p->m_strName == strName; });
}

int CountTasks(const CTaskItemList& list)
{
    int n = 0;
    POSITION pos = list.GetHeadPosition();
    while (pos != NULL)
        n += 1 + CountTasks(list.GetNext(pos)->m_listChildren);
    return n;
}

CString SampleServerProject(const CString& strName)
{
    CString s;
    s.Format("<PROJECT><ID>0</ID><NAME>%s</NAME><GOAL>按期交付</GOAL><COST>1200</COST><ACTCOST>0</ACTCOST>"
             "<CREATIONDATE>2026-3-1 0:0:0</CREATIONDATE><STARTDATE>2026-3-2 0:0:0</STARTDATE>"
             "<FINISHDATE>2026-4-30 0:0:0</FINISHDATE><DEADLINEDATE>2026-5-15 0:0:0</DEADLINEDATE>"
             "<FLAG>0</FLAG><PRIORITY>2</PRIORITY><STATUS>0</STATUS><ISSUBPROJ>0</ISSUBPROJ><PROGRESS>0</PROGRESS>"
             "<MEMBERS>"
             "<MEMBER><RESCODE>u1</RESCODE><RESNAME>旧名一</RESNAME><RESTYPE>1</RESTYPE></MEMBER>"
             "<MEMBER><RESCODE>u2</RESCODE><RESNAME>旧名二</RESNAME><RESTYPE>1</RESTYPE></MEMBER>"
             "</MEMBERS><TASKS>"
             "<TASK><TASKID>11</TASKID><NAME>设计</NAME><STARTDATE>2026-3-2 0:0:0</STARTDATE>"
             "<FINISHDATE>2026-3-6 0:0:0</FINISHDATE><DURATION>432000</DURATION><ROWINGRID>1</ROWINGRID>"
             "<FLAG>0</FLAG><ASSIGNEES><ASSIGNEE><RESCODE>u1</RESCODE></ASSIGNEE></ASSIGNEES>"
             "<TASKS><TASK><TASKID>12</TASKID><NAME>草图</NAME><STARTDATE>2026年3月2日</STARTDATE>"
             "<FINISHDATE>2026年3月3日</FINISHDATE><DURATION>172800</DURATION><ROWINGRID>2</ROWINGRID>"
             "<FLAG>0</FLAG></TASK></TASKS></TASK>"
             "<TASK><TASKID>13</TASKID><NAME>制造</NAME><STARTDATE>2026-3-9 0:0:0</STARTDATE>"
             "<FINISHDATE>2026-3-20 0:0:0</FINISHDATE><DURATION>864000</DURATION><ROWINGRID>3</ROWINGRID>"
             "<FLAG>0</FLAG><LINKS><LINK><PREDID>11</PREDID><TYPE>1</TYPE><LOGICALTYPE>0</LOGICALTYPE>"
             "<SEQUENCE>0</SEQUENCE><LAG>0</LAG></LINK></LINKS></TASK>"
             "</TASKS></PROJECT>",
             (LPCTSTR)strName);
    return s;
}

void ProjectDocAppTest::WriteConnection(bool bWithServer)
{
    HKEY hKey = NULL;
    DWORD dw = 0;
    ASSERT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, "SOFTWARE\\Dunhelm\\Lumo\\MasterClient", 0, NULL, 0,
                             KEY_ALL_ACCESS, NULL, &hKey, &dw),
              ERROR_SUCCESS);
    CString strServer;
    strServer.Format("127.0.0.1:%d", server.Port());
    if (bWithServer)
        RegSetValueEx(hKey, "Server", 0, REG_SZ, (const BYTE*)(LPCTSTR)strServer, strServer.GetLength() + 1);
    RegSetValueEx(hKey, "VDir", 0, REG_SZ, (const BYTE*)"site", 5);
    const DWORD dwAutomation = 1;
    RegSetValueEx(hKey, "Automation", 0, REG_DWORD, (const BYTE*)&dwAutomation, sizeof(dwAutomation));
    RegCloseKey(hKey);
}

void ProjectDocAppTest::SetUp()
{
    CWndTestBase::SetUp();
    ASSERT_TRUE(server.Start());
    // The documents' calls carry the session of their login user.
    ASSERT_TRUE(server.LogIn("u1"));
    server.ClearRequests();
    SetProjectServiceTimeouts(2000, 10000);
    WriteConnection();

    app = new CWinApp("Trellan");
    pTemplate = new CMultiDocTemplate(IDR_PROJECTTYPE, RUNTIME_CLASS(CProjectDoc),
                                      RUNTIME_CLASS(CStandInProjectFrame), RUNTIME_CLASS(CStandInTaskTreeView));
    app->AddDocTemplate(pTemplate);
    frame = new CTestMainFrame;
    ASSERT_TRUE(frame->LoadFrame(IDR_TESTMAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE));
    app->m_pMainWnd = frame;
    frame->MoveWindow(0, 0, 800, 500);
    frame->ShowWindow(SW_SHOW);
    AfxPumpMessages();
}

void ProjectDocAppTest::TearDown()
{
    ProjectSetOpenRunner(ProjectOpenRunner());
    ProjectSetSheetRunner(ProjectSheetRunner());
    ProjectSetOptionRunner(ProjectOptionRunner());
    ProjectSetCalendarRunner(ProjectCalendarRunner());
    ProjectSetTaskPropertyRunner(ProjectTaskPropertyRunner());
    ProjectSetLoginHandler(ProjectLoginHandler());
    if (pTemplate != nullptr)
        pTemplate->CloseAllDocuments(TRUE);
    if (frame != nullptr) {
        if (frame->m_hWnd != nullptr)
            frame->DestroyWindow();
        delete frame;
    }
    if (app != nullptr)
        app->m_pMainWnd = nullptr;
    delete app;
    RegDeleteTree(HKEY_LOCAL_MACHINE, "SOFTWARE\\Dunhelm");
    RegDeleteKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Dunhelm");
    SetProjectServiceTimeouts(10000, 60000);
    server.Stop();
    CWndTestBase::TearDown();
}

CProjectDoc* ProjectDocAppTest::ShellDocument(int nMode, const CString& strLogin)
{
    CProjectDoc* pDoc = dynamic_cast<CProjectDoc*>(pTemplate->CreateNewDocument());
    if (pDoc != nullptr) {
        pDoc->m_bLocalFile = nMode;
        pDoc->m_strLoginName = strLogin;
    }
    return pDoc;
}

CProjectDoc* ProjectDocAppTest::OpenServerProject(LONG nID)
{
    CProjectDoc* pShell = ShellDocument(0);
    ProjectSetOpenRunner([nID](int, const CString&, const CString&, const CString&, const CString&, int& nSelected) {
        nSelected = (int)nID;
        return (INT_PTR)IDOK;
    });
    const int nBefore = DocumentCount();
    pShell->FileOpen(CString());
    AfxPumpMessages();
    if (DocumentCount() != nBefore + 1)
        return nullptr;
    // The newest document of the template.
    CProjectDoc* pLast = nullptr;
    POSITION pos = pTemplate->GetFirstDocPosition();
    while (pos != NULL)
        pLast = dynamic_cast<CProjectDoc*>(pTemplate->GetNextDoc(pos));
    return pLast;
}

int ProjectDocAppTest::DocumentCount() const
{
    int n = 0;
    POSITION pos = pTemplate->GetFirstDocPosition();
    while (pos != NULL) {
        pTemplate->GetNextDoc(pos);
        ++n;
    }
    return n;
}

CStandInTaskTreeView* ProjectDocAppTest::ViewOf(CProjectDoc* pDoc) const
{
    return dynamic_cast<CStandInTaskTreeView*>(ProjectFindTaskTreeView(pDoc));
}

BOOL ProjectDocAppTest::Command(CProjectDoc* pDoc, UINT nID)
{
    return pDoc->OnCmdMsg(nID, CN_COMMAND, NULL, NULL);
}

std::vector<std::string> ProjectDocAppTest::Operations() const
{
    std::vector<std::string> ops;
    for (const std::string& op : server.OperationNames())
        if (op != "WSDL")
            ops.push_back(op);
    return ops;
}
