// The server's reply to a save: the TASKIDS document whose ids the task tree hands to the
// project and its tasks by grid row. One project window (four tasks, one of them a
// summary) is opened once and every input is applied to it.
#include "FuzzEntry.h"

#include <ClassLib/AfxWin.h>
#include <ClassLib/DocView/DocTemplate.h>
#include <ClassLib/Frames/MDIWnd.h>
#include <ClassLib/Wnd/UiApp.h>

#include "GanttView.h"
#include "ProjectDoc.h"
#include "ProjectFrame.h"
#include "TaskTreeView.h"

#include <cstdlib>

namespace {

enum : UINT
{
    IDR_FUZZ_MAIN = 9400,
    IDR_FUZZ_PROJECT = 9401,
};

const AFX_MENU_ITEM kMenuItems[] = {
    {MF_POPUP | MF_END, 0, "&File"},
    {MF_STRING | MF_END, ID_APP_EXIT, "E&xit"},
};
const AFX_MENU_TEMPLATE kMenu = {kMenuItems, sizeof kMenuItems / sizeof kMenuItems[0]};

class CFuzzMainFrame : public CMDIFrameWnd
{
protected:
    void PostNcDestroy() override {}  // lives as long as the process
};

class CFuzzApp : public CWinApp
{
public:
    CFuzzApp() : CWinApp("SaveReplyFuzz") {}
};

CTaskItem* AddTask(CTaskItemList& list, const char* pszName, int nRow, int nDay)
{
    CTaskItem* pTask = new CTaskItem;
    pTask->m_strName = pszName;
    pTask->m_nRowInGrid = nRow;
    pTask->m_dtStart = COleDateTime(2004, 3, nDay, 0, 0, 0);
    pTask->m_dtFinish = COleDateTime(2004, 3, nDay + 4, 0, 0, 0);
    pTask->m_dtDeadline = pTask->m_dtFinish + COleDateTimeSpan(30, 0, 0, 0);
    pTask->m_dtEarlyStart = pTask->m_dtStart;
    pTask->m_dtLateStart = pTask->m_dtStart;
    pTask->m_nDuration = pTask->m_nTrueDuration = 5 * 86400;
    list.AddTail(pTask);
    return pTask;
}

struct ProjectWindow
{
    CTaskTreeView* pTree = nullptr;
    ProjectWindow()
    {
        fuzz::EnsureHeadless();
        AfxEnsureApplication();
        CWinApp* pApp = new CFuzzApp;
        CMultiDocTemplate* pTemplate = new CMultiDocTemplate(IDR_FUZZ_PROJECT, RUNTIME_CLASS(CProjectDoc),
                                                             RUNTIME_CLASS(CProjectFrame), RUNTIME_CLASS(CGanttView));
        pApp->AddDocTemplate(pTemplate);
        CFuzzMainFrame* pMain = new CFuzzMainFrame;
        if (!pMain->LoadFrame(IDR_FUZZ_MAIN, WS_OVERLAPPEDWINDOW))
            return;
        pApp->m_pMainWnd = pMain;
        pMain->MoveWindow(0, 0, 1000, 600);
        pMain->ShowWindow(SW_SHOW);
        CProjectDoc* pDoc = static_cast<CProjectDoc*>(pTemplate->CreateNewDocument());
        if (!pDoc)
            return;
        CTaskItem* pTop = AddTask(pDoc->m_listTasks, "项目", 1, 1);
        AddTask(pTop->m_listChildren, "设计", 2, 1);
        AddTask(pTop->m_listChildren, "编码", 3, 8);
        AddTask(pDoc->m_listTasks, "测试", 4, 15);
        pDoc->m_nMaxRowInGrid = 4;
        pDoc->m_nProjectID = 7;
        pDoc->m_ProjectInfo.m_nProjID = 7;
        CFrameWnd* pFrame = pTemplate->CreateNewFrame(pDoc, NULL);
        if (!pFrame)
            return;
        pTemplate->InitialUpdateFrame(pFrame, pDoc, TRUE);
        AfxPumpMessages();
        POSITION pos = pDoc->GetFirstViewPosition();
        while (pos != NULL) {
            CView* pView = pDoc->GetNextView(pos);
            if (pView->IsKindOf(RUNTIME_CLASS(CTaskTreeView)))
                pTree = static_cast<CTaskTreeView*>(pView);
        }
    }
};

}  // namespace

AFX_MODULE_RESOURCES(SaveReplyFuzz)
{
    AfxRegisterResource(hModule, RT_MENU, IDR_FUZZ_MAIN, &kMenu);
    AfxRegisterResource(hModule, RT_MENU, IDR_FUZZ_PROJECT, &kMenu);
    AfxRegisterStrings(hModule, {{IDR_FUZZ_MAIN, "Planner"},
                                 {IDR_FUZZ_PROJECT, "\nProject\nProject\n\n\nProject.Document\nProject"}});
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static ProjectWindow* window = new ProjectWindow;  // lives as long as the process
    if (!window->pTree)
        std::abort();  // no tree to read into: the entry point would test nothing
    window->pTree->ApplyServerIds(CString(reinterpret_cast<const char*>(data), (int)size));
    return 0;
}
