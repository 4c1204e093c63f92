#include "ViewsTestSupport.h"

#include <ClassLib/DocView/DocTemplate.h>
#include <ClassLib/Frames/MDIWnd.h>

#include "GanttView.h"
#include "ProjectFrame.h"
#include "TaskTreeView.h"

namespace
{
enum : UINT
{
    IDR_VIEWSTEST_MAIN = 9300,
    IDR_VIEWSTEST_PROJECT = 9301,
};

const AFX_MENU_ITEM kMenuItems[] = {
    {MF_POPUP | MF_END, 0, "&File"},
    {MF_STRING | MF_END, ID_APP_EXIT, "E&xit"},
};
const AFX_MENU_TEMPLATE kMenu = {kMenuItems, sizeof kMenuItems / sizeof kMenuItems[0]};

class CMainFrameForViews : public CMDIFrameWnd
{
protected:
    void PostNcDestroy() override {} // the test owns the object
};

class CViewsTestApp : public CWinApp
{
public:
    CViewsTestApp() : CWinApp("ViewsTest") {}
};
} // namespace

AFX_MODULE_RESOURCES(ViewsTest)
{
    AfxRegisterResource(hModule, RT_MENU, IDR_VIEWSTEST_MAIN, &kMenu);
    AfxRegisterResource(hModule, RT_MENU, IDR_VIEWSTEST_PROJECT, &kMenu);
    AfxRegisterStrings(hModule, {{IDR_VIEWSTEST_MAIN, "Planner"},
                                 {IDR_VIEWSTEST_PROJECT, "\nProject\nProject\n\n\nProject.Document\nProject"}});
}

COleDateTime Day(int y, int m, int d)
{
    return COleDateTime(y, m, d, 0, 0, 0);
}

CTaskItem* AddTask(CTaskItemList& list, const char* pszName, const COleDateTime& start, const COleDateTime& finish,
                   int nDays)
{
    CTaskItem* pTask = new CTaskItem;
    pTask->m_strName = pszName;
    pTask->m_dtStart = start;
    pTask->m_dtFinish = finish;
    pTask->m_dtDeadline = finish + COleDateTimeSpan(30, 0, 0, 0);
    pTask->m_dtEarlyStart = start;
    pTask->m_dtLateStart = start + COleDateTimeSpan(1, 0, 0, 0);
    pTask->m_nDuration = pTask->m_nTrueDuration = nDays * 86400;
    pTask->m_nFlag = 0;
    list.AddTail(pTask);
    return pTask;
}

CTaskLink* AddLink(CTaskItem* pSuccessor, const CTaskItem* pPredecessor, int nType, int nLag)
{
    CTaskLink* pLink = new CTaskLink;
    pLink->m_nType = nType;
    pLink->m_nLag = nLag;
    pLink->m_nPredID = pPredecessor->m_nTaskID;
    pLink->m_nSuccID = pPredecessor->m_nRowInGrid;
    pLink->m_strPredName = pPredecessor->m_strName;
    pSuccessor->m_listLinks.AddTail(pLink);
    return pLink;
}

void ProjectWindowTest::SetUp()
{
    CWndTestBase::SetUp();
    m_pApp = new CViewsTestApp;
    m_pTemplate = new CMultiDocTemplate(IDR_VIEWSTEST_PROJECT, RUNTIME_CLASS(CProjectDoc),
                                        RUNTIME_CLASS(CProjectFrame), RUNTIME_CLASS(CGanttView));
    m_pApp->AddDocTemplate(m_pTemplate);
    CMainFrameForViews* pMain = new CMainFrameForViews;
    ASSERT_TRUE(pMain->LoadFrame(IDR_VIEWSTEST_MAIN, WS_OVERLAPPEDWINDOW));
    m_pMainFrame = pMain;
    m_pApp->m_pMainWnd = pMain;
    pMain->MoveWindow(0, 0, 1100, 700);
    pMain->ShowWindow(SW_SHOW);
    AfxPumpMessages();
}

void ProjectWindowTest::TearDown()
{
    Close();
    if (m_pMainFrame)
    {
        if (m_pMainFrame->GetSafeHwnd())
            m_pMainFrame->DestroyWindow();
        delete m_pMainFrame;
        m_pMainFrame = nullptr;
    }
    delete m_pApp;
    m_pApp = nullptr;
    CWndTestBase::TearDown();
}

BOOL ProjectWindowTest::Open(const std::function<void(CProjectDoc&)>& fill)
{
    CProjectDoc* pDoc = static_cast<CProjectDoc*>(m_pTemplate->CreateNewDocument());
    if (!pDoc)
        return FALSE;
    if (fill)
        fill(*pDoc);
    CFrameWnd* pFrame = m_pTemplate->CreateNewFrame(pDoc, NULL);
    if (!pFrame)
    {
        delete pDoc;
        return FALSE;
    }
    m_pDoc = pDoc;
    m_pFrame = static_cast<CProjectFrame*>(pFrame);
    m_pTemplate->InitialUpdateFrame(pFrame, pDoc, TRUE);
    AfxPumpMessages();
    m_pTree = nullptr;
    POSITION pos = pDoc->GetFirstViewPosition();
    while (pos != NULL)
    {
        CView* pView = pDoc->GetNextView(pos);
        if (pView->IsKindOf(RUNTIME_CLASS(CTaskTreeView)))
            m_pTree = static_cast<CTaskTreeView*>(pView);
    }
    return TRUE;
}

void ProjectWindowTest::Close()
{
    if (m_pFrame && m_pFrame->GetSafeHwnd())
        m_pFrame->DestroyWindow();
    AfxPumpMessages();
    m_pFrame = nullptr;
    m_pDoc = nullptr;
    m_pTree = nullptr;
}

CGanttView* ProjectWindowTest::GanttView() const
{
    if (!m_pDoc)
        return nullptr;
    POSITION pos = m_pDoc->GetFirstViewPosition();
    while (pos != NULL)
    {
        CView* pView = m_pDoc->GetNextView(pos);
        if (pView->IsKindOf(RUNTIME_CLASS(CGanttView)))
            return static_cast<CGanttView*>(pView);
    }
    return nullptr;
}
