#include "BrowserTestSupport.h"

#include <ClassLib/DocView/Document.h>

namespace {

enum : UINT
{
    IDR_BROWSERTEST_MAIN = 9400,
    IDR_BROWSERTEST_DOCS = 9401,
};

const AFX_MENU_ITEM kMenuItems[] = {
    {MF_POPUP | MF_END, 0, "&File"},
    {MF_STRING | MF_END, ID_APP_EXIT, "E&xit"},
};
const AFX_MENU_TEMPLATE kMenu = {kMenuItems, sizeof kMenuItems / sizeof kMenuItems[0]};

class CMainFrameForBrowser : public CMDIFrameWnd
{
protected:
    void PostNcDestroy() override {}  // the test owns the object
};

class CBrowserTestApp : public CWinApp
{
public:
    CBrowserTestApp() : CWinApp("BrowserTest") {}
};

}  // namespace

// The placeholder document of the browser's template.
class CBrowserTestDoc : public CDocument
{
    DECLARE_DYNCREATE(CBrowserTestDoc)
};
IMPLEMENT_DYNCREATE(CBrowserTestDoc, CDocument)

AFX_MODULE_RESOURCES(BrowserTest)
{
    AfxRegisterResource(hModule, RT_MENU, IDR_BROWSERTEST_MAIN, &kMenu);
    AfxRegisterResource(hModule, RT_MENU, IDR_BROWSERTEST_DOCS, &kMenu);
    AfxRegisterStrings(hModule, {{IDR_BROWSERTEST_MAIN, "Planner"},
                                 {IDR_BROWSERTEST_DOCS, "\n文档管理\n文档管理\n\n\nDocManage.Document\nDocManage"}});
}

void BrowserWindowTest::SetUp()
{
    CWndTestBase::SetUp();
    AfxTestResetScripts();
    m_pApp = new CBrowserTestApp;
    m_pTemplate = new CMultiDocTemplate(IDR_BROWSERTEST_DOCS, RUNTIME_CLASS(CBrowserTestDoc),
                                        RUNTIME_CLASS(CLumoDocMDIFrame), RUNTIME_CLASS(CPdmTreeView));
    m_pApp->AddDocTemplate(m_pTemplate);
    CMainFrameForBrowser* pMain = new CMainFrameForBrowser;
    ASSERT_TRUE(pMain->LoadFrame(IDR_BROWSERTEST_MAIN, WS_OVERLAPPEDWINDOW));
    m_pMainFrame = pMain;
    m_pApp->m_pMainWnd = pMain;
    pMain->MoveWindow(0, 0, 1000, 640);
    pMain->ShowWindow(SW_SHOW);
    AfxPumpMessages();
}

void BrowserWindowTest::TearDown()
{
    CloseBrowser();
    if (m_pMainFrame) {
        if (m_pMainFrame->GetSafeHwnd())
            m_pMainFrame->DestroyWindow();
        delete m_pMainFrame;
        m_pMainFrame = nullptr;
    }
    delete m_pApp;
    m_pApp = nullptr;
    CWndTestBase::TearDown();
}

void BrowserWindowTest::OpenBrowser(int /*cx*/, int /*cy*/)
{
    CDocument* pDoc = m_pTemplate->CreateNewDocument();
    ASSERT_NE(pDoc, nullptr);
    CFrameWnd* pFrame = m_pTemplate->CreateNewFrame(pDoc, NULL);
    ASSERT_NE(pFrame, nullptr);
    m_pFrame = DYNAMIC_DOWNCAST(CLumoDocMDIFrame, pFrame);
    ASSERT_NE(m_pFrame, nullptr);
    m_pTemplate->InitialUpdateFrame(pFrame, pDoc, TRUE);
    m_pMainFrame->MDIMaximize(pFrame);
    AfxPumpMessages();
}

void BrowserWindowTest::CloseBrowser()
{
    if (m_pFrame && m_pFrame->GetSafeHwnd())
        m_pFrame->DestroyWindow();
    AfxPumpMessages();
    m_pFrame = nullptr;
}
