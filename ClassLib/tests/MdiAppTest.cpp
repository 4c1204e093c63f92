// A small MDI application with one template: the main frame with a toolbar and a status
// bar; document frames holding a static splitter with a drawn view and a list view; a
// document written to a file and read back.
#include "FrameTestSupport.h"
#include "TempStore.h"

#include <ClassLib/Printing/Printing.h>
#include <ClassLib/Wnd/QtInterop.h>

#include <QImage>
#include <QTimer>
#include <ClassLib/Testing/UiScripts.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace {

enum : UINT
{
    IDR_TESTMAIN = 300,
    IDR_TESTDOC = 301,
    ID_TEST_HELLO = 32801,
};

const WORD kToolbarItems[] = {ID_FILE_NEW, ID_FILE_OPEN, 0, ID_FILE_SAVE, ID_TEST_HELLO};
const AFX_TOOLBAR_TEMPLATE kToolbar = {1, 16, 15, 5, kToolbarItems};

const AFX_MENU_ITEM kMainMenuItems[] = {
    {MF_POPUP, 0, "&File"},
    {MF_STRING, ID_FILE_NEW, "&New"},
    {MF_STRING, ID_FILE_SAVE, "&Save"},
    {MF_SEPARATOR, 0, nullptr},
    {MF_STRING | MF_GRAYED, ID_FILE_MRU_FILE1, "Recent File"},
    {MF_SEPARATOR, 0, nullptr},
    {MF_STRING | MF_END, ID_APP_EXIT, "E&xit"},
    {MF_POPUP | MF_END, 0, "&Help"},
    {MF_STRING | MF_END, ID_TEST_HELLO, "&Hello"},
};
const AFX_MENU_TEMPLATE kMainMenu = {kMainMenuItems, sizeof kMainMenuItems / sizeof kMainMenuItems[0]};
const AFX_MENU_ITEM kDocMenuItems[] = {
    {MF_POPUP, 0, "&File"},
    {MF_STRING, ID_FILE_NEW, "&New"},
    {MF_STRING, ID_FILE_CLOSE, "&Close"},
    {MF_STRING | MF_END, ID_FILE_SAVE, "&Save"},
    {MF_POPUP, 0, "&Window"},
    {MF_STRING, ID_WINDOW_CASCADE, "&Cascade"},
    {MF_STRING | MF_END, ID_WINDOW_TILE_HORZ, "&Tile"},
};
const AFX_MENU_TEMPLATE kDocMenu = {kDocMenuItems, sizeof kDocMenuItems / sizeof kDocMenuItems[0]};

enum : UINT
{
    IDD_TESTBAR = 302,
    ID_TEST_NOBODY = 32802,
};
const AFX_DLG_ITEM kBarItems[] = {
    {"STATIC", IDC_STATIC, "Zoom", WS_CHILD | WS_VISIBLE, 4, 4, 30, 8},
    {"BUTTON", ID_TEST_HELLO, "Hello", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 40, 2, 40, 12},
    {"BUTTON", ID_TEST_NOBODY, "Nobody", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 84, 2, 40, 12},
};
const AFX_DLG_TEMPLATE kBar = {WS_CHILD | DS_SETFONT, 0, 0, 0, 140, 16, "", "宋体", 9, AFX_DLG_ITEMS(kBarItems)};

AFX_MODULE_RESOURCES(MdiAppTest)
{
    AfxRegisterResource(hModule, RT_DIALOG, IDD_TESTBAR, &kBar);
    AfxRegisterResource(hModule, RT_MENU, IDR_TESTMAIN, &kMainMenu);
    AfxRegisterResource(hModule, RT_MENU, IDR_TESTDOC, &kDocMenu);
    AfxRegisterStrings(hModule, {{IDR_TESTMAIN, "Planner"},
                                 {IDR_TESTDOC, "\nPlan\nPlan\n\n\nPlanner.Document\nPlanner Document"},
                                 {ID_TEST_HELLO, "Say hello to the plan\nHello"}});
    AfxRegisterResource(hModule, RT_TOOLBAR, IDR_TESTMAIN, &kToolbar);
}

class CPlanDoc : public CDocument
{
    DECLARE_DYNCREATE(CPlanDoc)
public:
    CString m_strName;
    int m_nTasks = 0;
    std::vector<CString> m_rows;
    static int s_nLive;
    CPlanDoc() { ++s_nLive; }
    ~CPlanDoc() override { --s_nLive; }

    BOOL OnNewDocument() override
    {
        if (!CDocument::OnNewDocument())
            return FALSE;
        m_strName = "new plan";
        m_nTasks = 0;
        m_rows.clear();
        return TRUE;
    }
    void DeleteContents() override
    {
        m_strName.Empty();
        m_nTasks = 0;
        m_rows.clear();
    }
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
        {
            ar << m_strName << m_nTasks << static_cast<int>(m_rows.size());
            for (const CString& r : m_rows)
                ar << r;
        }
        else
        {
            int n = 0;
            ar >> m_strName >> m_nTasks >> n;
            if (n < 0 || n > 10000)
                AfxThrowArchiveException(CArchiveException::badIndex);
            m_rows.resize(static_cast<size_t>(n));
            for (CString& r : m_rows)
                ar >> r;
        }
    }
};
IMPLEMENT_DYNCREATE(CPlanDoc, CDocument)
int CPlanDoc::s_nLive = 0;

// The drawn pane: the plan's name and task count; it prints two pages.
class CPlanView : public CView
{
    DECLARE_DYNCREATE(CPlanView)
public:
    CString m_strLastUpdate;
    std::vector<std::string> m_printLog;
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override
    {
        pInfo->SetMaxPage(2);
        m_printLog.push_back(pInfo->m_bPreview ? "prepare:preview" : "prepare:print");
        return DoPreparePrinting(pInfo);
    }
    void OnBeginPrinting(CDC*, CPrintInfo*) override { m_printLog.push_back("begin"); }
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override
    {
        char line[32];
        std::snprintf(line, sizeof(line), "print:%u", pInfo->m_nCurPage);
        m_printLog.push_back(line);
        pDC->Rectangle(pInfo->m_rectDraw.left + 20, pInfo->m_rectDraw.top + 20, pInfo->m_rectDraw.right - 20,
                       pInfo->m_rectDraw.top + 120 * static_cast<int>(pInfo->m_nCurPage));
        CString text;
        text.Format("Page %u", pInfo->m_nCurPage);
        pDC->TextOut(pInfo->m_rectDraw.left + 40, pInfo->m_rectDraw.top + 40, text);
    }
    void OnEndPrinting(CDC*, CPrintInfo*) override { m_printLog.push_back("end"); }
    DECLARE_MESSAGE_MAP()
public:
    void OnDraw(CDC* pDC) override
    {
        CPlanDoc* pDoc = static_cast<CPlanDoc*>(GetDocument());
        CRect rc;
        GetClientRect(&rc);
        pDC->FillSolidRect(&rc, RGB(255, 255, 240));
        if (pDoc == nullptr)
            return;
        CString line;
        line.Format("%s: %d", static_cast<LPCTSTR>(pDoc->m_strName), pDoc->m_nTasks);
        pDC->TextOut(10, 10, line);
    }
    void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override
    {
        m_strLastUpdate.Format("hint %d", static_cast<int>(lHint));
        CView::OnUpdate(pSender, lHint, pHint);
    }
};
IMPLEMENT_DYNCREATE(CPlanView, CView)

BEGIN_MESSAGE_MAP(CPlanView, CView)
    ON_COMMAND(ID_FILE_PRINT, CView::OnFilePrint)
    ON_COMMAND(ID_FILE_PRINT_DIRECT, CView::OnFilePrint)
    ON_COMMAND(ID_FILE_PRINT_PREVIEW, CView::OnFilePrintPreview)
END_MESSAGE_MAP()

// The list pane: one row per document row.
class CPlanListView : public CListView
{
    DECLARE_DYNCREATE(CPlanListView)
public:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override
    {
        cs.style |= LVS_REPORT | LVS_SHOWSELALWAYS;
        return CListView::PreCreateWindow(cs);
    }
    void OnInitialUpdate() override
    {
        CListCtrl& list = GetListCtrl();
        if (list.GetColumnCount() == 0)
        {
            list.InsertColumn(0, "Task", LVCFMT_LEFT, 140);
            list.InsertColumn(1, "Days", LVCFMT_RIGHT, 50);
        }
        CListView::OnInitialUpdate();
    }
    void OnUpdate(CView*, LPARAM, CObject*) override
    {
        CListCtrl& list = GetListCtrl();
        list.DeleteAllItems();
        CPlanDoc* pDoc = static_cast<CPlanDoc*>(GetDocument());
        for (size_t i = 0; i < pDoc->m_rows.size(); ++i)
        {
            list.InsertItem(static_cast<int>(i), pDoc->m_rows[i]);
            CString days;
            days.Format("%d", static_cast<int>(i) + 1);
            list.SetItemText(static_cast<int>(i), 1, days);
        }
    }
};
IMPLEMENT_DYNCREATE(CPlanListView, CListView)

class CPlanFrame : public CMDIChildWnd
{
    DECLARE_DYNCREATE(CPlanFrame)
public:
    CSplitterWnd m_wndSplitter;
    BOOL OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext) override
    {
        if (!m_wndSplitter.CreateStatic(this, 1, 2))
            return FALSE;
        if (!m_wndSplitter.CreateView(0, 0, RUNTIME_CLASS(CPlanView), CSize(200, 0), pContext) ||
            !m_wndSplitter.CreateView(0, 1, RUNTIME_CLASS(CPlanListView), CSize(0, 0), pContext))
        {
            m_wndSplitter.DestroyWindow();
            return FALSE;
        }
        SetActiveView(static_cast<CView*>(m_wndSplitter.GetPane(0, 0)));
        return TRUE;
    }
};
IMPLEMENT_DYNCREATE(CPlanFrame, CMDIChildWnd)

const UINT kIndicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};

class CPlanMainFrame : public CMDIFrameWnd
{
public:
    CToolBar m_wndToolBar;
    CStatusBar m_wndStatusBar;
    int m_nHello = 0;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpcs)
    {
        if (CMDIFrameWnd::OnCreate(lpcs) == -1)
            return -1;
        if (!m_wndToolBar.CreateEx(this, TBSTYLE_FLAT,
                                   WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC) ||
            !m_wndToolBar.LoadToolBar(IDR_TESTMAIN))
            return -1;
        if (!m_wndStatusBar.Create(this) || !m_wndStatusBar.SetIndicators(kIndicators, 4))
            return -1;
        m_wndToolBar.EnableDocking(CBRS_ALIGN_ANY);
        EnableDocking(CBRS_ALIGN_ANY);
        DockControlBar(&m_wndToolBar);
        return 0;
    }
    afx_msg void OnHello() { ++m_nHello; }
    void PostNcDestroy() override {}  // the test owns the frame object
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPlanMainFrame, CMDIFrameWnd)
    ON_WM_CREATE()
    ON_COMMAND(ID_TEST_HELLO, OnHello)
END_MESSAGE_MAP()

class CPlanApp : public CWinApp
{
public:
    CPlanApp() : CWinApp("Planner") {}
    CMultiDocTemplate* m_pTemplate = nullptr;
    int m_nIdleRounds = 0;  // idle processing started (OnIdle with count 0)
    BOOL OnIdle(LONG lCount) override
    {
        if (lCount == 0)
            ++m_nIdleRounds;
        return CWinApp::OnIdle(lCount);
    }
    BOOL InitInstance() override
    {
        m_pTemplate = new CMultiDocTemplate(IDR_TESTDOC, RUNTIME_CLASS(CPlanDoc), RUNTIME_CLASS(CPlanFrame),
                                            RUNTIME_CLASS(CPlanView));
        AddDocTemplate(m_pTemplate);
        return TRUE;
    }
};

class MdiAppTest : public TempStoreTest
{
protected:
    void SetUp() override
    {
        TempStoreTest::SetUp();
        AfxEnsureApplication();
        AfxTestResetInput();
        app = new CPlanApp;
        ASSERT_TRUE(app->InitInstance());
        frame = new CPlanMainFrame;
        ASSERT_TRUE(frame->LoadFrame(IDR_TESTMAIN, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE));
        app->m_pMainWnd = frame;
        frame->MoveWindow(0, 0, 760, 480);
        frame->ShowWindow(SW_SHOW);
        AfxPumpMessages();
    }
    void TearDown() override
    {
        if (frame->m_hWnd != nullptr)
            frame->DestroyWindow();
        delete frame;
        delete app;
        AfxPumpMessages();
        AfxTestResetInput();
        TempStoreTest::TearDown();
    }
    CPlanDoc* NewDoc()
    {
        app->OnFileNew();
        AfxPumpMessages();
        CMDIChildWnd* pChild = frame->MDIGetActive();
        return pChild != nullptr ? static_cast<CPlanDoc*>(pChild->GetActiveDocument()) : nullptr;
    }
    CPlanApp* app = nullptr;
    CPlanMainFrame* frame = nullptr;
};

TEST_F(MdiAppTest, TheMainFrameHasItsBarsAndTitle)
{
    CString title;
    frame->GetWindowText(title);
    EXPECT_STREQ("Planner", title);
    EXPECT_EQ(5, frame->m_wndToolBar.GetCount());
    EXPECT_EQ(static_cast<UINT>(ID_FILE_OPEN), frame->m_wndToolBar.GetItemID(1));
    EXPECT_NE(0u, frame->m_wndToolBar.GetButtonStyle(2) & TBBS_SEPARATOR);
    EXPECT_STREQ("Hello", frame->m_wndToolBar.GetToolTipText(4));
    EXPECT_EQ(AFX_IDW_STATUS_BAR, frame->m_wndStatusBar.GetDlgCtrlID());
    EXPECT_EQ(4, frame->m_wndStatusBar.GetCount());
    // Bars at the top and bottom; the MDI client between them.
    CRect client, rcTool, rcStatus, rcMdi;
    frame->GetClientRect(&client);
    frame->m_wndToolBar.GetWindowRect(&rcTool);
    frame->ScreenToClient(&rcTool);
    frame->m_wndStatusBar.GetWindowRect(&rcStatus);
    frame->ScreenToClient(&rcStatus);
    frame->GetMDIClient()->GetWindowRect(&rcMdi);
    frame->ScreenToClient(&rcMdi);
    EXPECT_EQ(0, rcTool.top);
    EXPECT_EQ(client.bottom, rcStatus.bottom);
    EXPECT_EQ(CStatusBar::kHeight, rcStatus.Height());
    EXPECT_EQ(rcTool.bottom, rcMdi.top);
    EXPECT_EQ(rcStatus.top, rcMdi.bottom);
    EXPECT_EQ(client.Width(), rcMdi.Width());
}

TEST_F(MdiAppTest, TheStatusBarShowsMessagesAndPanes)
{
    frame->SetMessageText(AFX_IDS_IDLEMESSAGE);
    EXPECT_EQ(CStringFromUtf8("就绪"), frame->m_wndStatusBar.GetPaneText(0));
    frame->SetMessageText("loading");
    EXPECT_STREQ("loading", frame->m_wndStatusBar.GetPaneText(0));
    EXPECT_TRUE(frame->m_wndStatusBar.SetPaneText(0, "x"));
    EXPECT_FALSE(frame->m_wndStatusBar.SetPaneText(9, "x"));
    // Pane 0 stretches; the indicators sit right of it in order, inside the bar.
    CRect r0, r1, r3, bar;
    frame->m_wndStatusBar.GetItemRect(0, &r0);
    frame->m_wndStatusBar.GetItemRect(1, &r1);
    frame->m_wndStatusBar.GetItemRect(3, &r3);
    frame->m_wndStatusBar.GetClientRect(&bar);
    EXPECT_EQ(0, r0.left);
    EXPECT_EQ(r0.right + CStatusBar::kPaneGap, r1.left);
    EXPECT_EQ(bar.right, r3.right);
    EXPECT_EQ(ID_INDICATOR_NUM, frame->m_wndStatusBar.GetItemID(2));
    EXPECT_EQ(2, frame->m_wndStatusBar.CommandToIndex(ID_INDICATOR_NUM));
    EXPECT_EQ(CStringFromUtf8("大写"), frame->m_wndStatusBar.GetPaneText(1));
}

TEST_F(MdiAppTest, AToolbarClickSendsItsCommandToTheFrame)
{
    CRect rc;
    frame->m_wndToolBar.GetItemRect(4, &rc);
    AfxTestClick(&frame->m_wndToolBar, rc.CenterPoint());
    AfxPumpMessages();
    EXPECT_EQ(1, frame->m_nHello);
    // The idle update greys buttons whose command nobody handles.
    AfxIdleUpdate();
    EXPECT_EQ(0u, frame->m_wndToolBar.GetButtonStyle(4) & TBBS_DISABLED);
    EXPECT_NE(0u, frame->m_wndToolBar.GetButtonStyle(3) & TBBS_DISABLED);  // save: no document
}

TEST_F(MdiAppTest, HoveringAButtonShowsItsPromptInTheStatusBar)
{
    CRect rc;
    frame->m_wndToolBar.GetItemRect(4, &rc);
    AfxTestMouseMove(&frame->m_wndToolBar, rc.CenterPoint());
    AfxPumpMessages();
    EXPECT_STREQ("Say hello to the plan", frame->m_wndStatusBar.GetPaneText(0));
}

TEST_F(MdiAppTest, FileNewMakesADocumentInASplitFrame)
{
    CPlanDoc* pDoc = NewDoc();
    ASSERT_NE(nullptr, pDoc);
    EXPECT_STREQ("Plan1", pDoc->GetTitle());
    EXPECT_STREQ("new plan", pDoc->m_strName);
    CPlanFrame* pChild = DYNAMIC_DOWNCAST(CPlanFrame, frame->MDIGetActive());
    ASSERT_NE(nullptr, pChild);
    // Two views in the splitter, both on the document.
    int nViews = 0;
    for (POSITION pos = pDoc->GetFirstViewPosition(); pos != NULL; pDoc->GetNextView(pos))
        ++nViews;
    EXPECT_EQ(2, nViews);
    CSplitterWnd& split = pChild->m_wndSplitter;
    EXPECT_EQ(2, split.GetColumnCount());
    EXPECT_TRUE(split.GetPane(0, 0)->IsKindOf(RUNTIME_CLASS(CPlanView)));
    EXPECT_TRUE(split.GetPane(0, 1)->IsKindOf(RUNTIME_CLASS(CPlanListView)));
    EXPECT_EQ(AFX_IDW_PANE_FIRST + 1, split.GetPane(0, 1)->GetDlgCtrlID());
    EXPECT_EQ(split.GetPane(0, 0), pChild->GetActiveView());
    int cx0 = 0, cxMin = 0;
    split.GetColumnInfo(0, cx0, cxMin);
    EXPECT_EQ(200, cx0);
    // Titles: the child shows the document, the main frame adds it to its own.
    CString title;
    pChild->GetWindowText(title);
    EXPECT_STREQ("Plan1", title);
    frame->GetWindowText(title);
    EXPECT_STREQ("Planner - Plan1", title);
    // A second document is numbered on.
    CPlanDoc* pDoc2 = NewDoc();
    ASSERT_NE(nullptr, pDoc2);
    EXPECT_STREQ("Plan2", pDoc2->GetTitle());
    EXPECT_EQ(2, frame->GetMDIChildCount());
    EXPECT_EQ(2, CPlanDoc::s_nLive);
}

TEST_F(MdiAppTest, UpdateAllViewsReachesEveryViewButTheSender)
{
    CPlanDoc* pDoc = NewDoc();
    ASSERT_NE(nullptr, pDoc);
    CPlanFrame* pChild = static_cast<CPlanFrame*>(frame->MDIGetActive());
    CPlanView* pView = static_cast<CPlanView*>(pChild->m_wndSplitter.GetPane(0, 0));
    CPlanListView* pList = static_cast<CPlanListView*>(pChild->m_wndSplitter.GetPane(0, 1));
    pDoc->m_rows = {"design", "build", "test"};
    pDoc->UpdateAllViews(nullptr, 7);
    EXPECT_STREQ("hint 7", pView->m_strLastUpdate);
    EXPECT_EQ(3, pList->GetListCtrl().GetItemCount());
    EXPECT_STREQ("build", pList->GetListCtrl().GetItemText(1, 0));
    pView->m_strLastUpdate.Empty();
    pDoc->UpdateAllViews(pView, 8);
    EXPECT_STREQ("", pView->m_strLastUpdate);
}

TEST_F(MdiAppTest, TheDocumentIsSavedAndReopened)
{
    CPlanDoc* pDoc = NewDoc();
    ASSERT_NE(nullptr, pDoc);
    pDoc->m_strName = "计划";
    pDoc->m_nTasks = 3;
    pDoc->m_rows = {"design", "build", "test"};
    pDoc->SetModifiedFlag();
    std::string path = m_dir + "/plan.tst";
    ASSERT_TRUE(pDoc->DoSave(path.c_str()));
    EXPECT_FALSE(pDoc->IsModified());
    EXPECT_STREQ(path.c_str(), pDoc->GetPathName());
    EXPECT_STREQ("plan.tst", pDoc->GetTitle());
    // The archive bytes: the name with its one-byte length, then the counts.
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_GE(bytes.size(), 1u + 6u + 8u);
    EXPECT_EQ(6, bytes[0]);  // "计划" is 6 bytes here
    // Closing the document closes its frame; the file opens into a new document.
    pDoc->OnCloseDocument();
    AfxPumpMessages();
    EXPECT_EQ(0, CPlanDoc::s_nLive);
    EXPECT_EQ(nullptr, frame->MDIGetActive());
    CPlanDoc* pAgain = static_cast<CPlanDoc*>(app->OpenDocumentFile(path.c_str()));
    ASSERT_NE(nullptr, pAgain);
    EXPECT_STREQ("计划", pAgain->m_strName);
    EXPECT_EQ(3, pAgain->m_nTasks);
    ASSERT_EQ(3u, pAgain->m_rows.size());
    EXPECT_STREQ("test", pAgain->m_rows[2]);
    EXPECT_FALSE(pAgain->IsModified());
    // The file went into the recent-file list? Only with a list (not loaded here).
    CPlanFrame* pChild = static_cast<CPlanFrame*>(frame->MDIGetActive());
    ASSERT_NE(nullptr, pChild);
    CPlanListView* pList = static_cast<CPlanListView*>(pChild->m_wndSplitter.GetPane(0, 1));
    EXPECT_EQ(3, pList->GetListCtrl().GetItemCount());
    // Opening the same file again activates the open document.
    EXPECT_EQ(pAgain, app->OpenDocumentFile(path.c_str()));
    EXPECT_EQ(1, CPlanDoc::s_nLive);
}

TEST_F(MdiAppTest, AFailedSaveKeepsTheEarlierFile)
{
    CPlanDoc* pDoc = NewDoc();
    ASSERT_NE(nullptr, pDoc);
    pDoc->m_strName = "first";
    std::string path = m_dir + "/keep.tst";
    ASSERT_TRUE(pDoc->OnSaveDocument(path.c_str()));
    std::ifstream in1(path, std::ios::binary);
    std::string before((std::istreambuf_iterator<char>(in1)), std::istreambuf_iterator<char>());
    // A document whose Serialize fails half-way (too many rows for the reader is fine to
    // write; a throwing writer is simulated with an archive exception).
    class CFailingDoc : public CPlanDoc
    {
    public:
        void Serialize(CArchive& ar) override
        {
            ar << CString("partial");
            AfxThrowArchiveException(CArchiveException::generic);
        }
    };
    CFailingDoc failing;
    failing.m_bAutoDelete = FALSE;
    CTestMessageBoxes boxes;
    boxes.Answer(IDOK);
    EXPECT_FALSE(failing.OnSaveDocument(path.c_str()));
    EXPECT_EQ(1, boxes.Count());
    std::ifstream in2(path, std::ios::binary);
    std::string after((std::istreambuf_iterator<char>(in2)), std::istreambuf_iterator<char>());
    EXPECT_EQ(before, after);
    // No temporary file is left behind.
    for (const std::string& name : Files())
        EXPECT_EQ(std::string::npos, name.find(".tmp")) << name;
    EXPECT_EQ(std::vector<std::string>{"keep.tst"}, Files());
}

TEST_F(MdiAppTest, ADocumentWithACodePage936NameIsSavedUnderItsUtf8Name)
{
    CPlanDoc* pDoc = NewDoc();
    ASSERT_NE(nullptr, pDoc);
    pDoc->m_strName = "gbk";
    pDoc->m_nTasks = 2;
    pDoc->m_rows = {"one", "two"};
    // "计划.tst" in code page 936; the file system shows the name as UTF-8.
    const std::string path = m_dir + "/\xbc\xc6\xbb\xae.tst";
    const std::string onDisk = "\xe8\xae\xa1\xe5\x88\x92.tst";
    ASSERT_TRUE(pDoc->OnSaveDocument(path.c_str()));
    EXPECT_EQ(std::vector<std::string>{onDisk}, Files());
    std::ifstream in(m_dir + "/" + onDisk, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_GE(bytes.size(), 4u);
    EXPECT_EQ(3, bytes[0]);
    EXPECT_EQ("gbk", bytes.substr(1, 3));

    // Saved again, the file is replaced in place, and it reads back.
    pDoc->m_rows = {"three"};
    ASSERT_TRUE(pDoc->OnSaveDocument(path.c_str()));
    EXPECT_EQ(std::vector<std::string>{onDisk}, Files());
    CPlanDoc back;
    back.m_bAutoDelete = FALSE;
    ASSERT_TRUE(back.OnOpenDocument(path.c_str()));
    ASSERT_EQ(1u, back.m_rows.size());
    EXPECT_STREQ("three", back.m_rows[0]);
}

TEST_F(MdiAppTest, ABrokenFileIsReportedAndOpensNothing)
{
    std::string path = m_dir + "/broken.tst";
    {
        std::ofstream out(path, std::ios::binary);
        out << "\x03" "abc" "\xFF\xFF\xFF\xFF";  // a name, then a count cut short
    }
    CTestMessageBoxes boxes;
    boxes.Answer(IDOK);
    EXPECT_EQ(nullptr, app->OpenDocumentFile(path.c_str()));
    EXPECT_EQ(1, boxes.Count());
    EXPECT_EQ(0, CPlanDoc::s_nLive);
    EXPECT_EQ(nullptr, frame->MDIGetActive());
}

TEST_F(MdiAppTest, ClosingAModifiedDocumentAsksFirst)
{
    CPlanDoc* pDoc = NewDoc();
    ASSERT_NE(nullptr, pDoc);
    pDoc->SetModifiedFlag();
    {
        CTestMessageBoxes boxes;
        boxes.Answer(IDCANCEL);
        EXPECT_FALSE(pDoc->SaveModified());
        ASSERT_EQ(1, boxes.Count());
        EXPECT_NE(-1, boxes.Boxes()[0].text.Find("Plan1"));
        EXPECT_EQ(static_cast<UINT>(MB_YESNOCANCEL), boxes.Boxes()[0].type & 0x0F);
    }
    {
        CTestMessageBoxes boxes;
        boxes.Answer(IDNO);
        frame->MDIGetActive()->SendMessage(WM_CLOSE);
        AfxPumpMessages();
        EXPECT_EQ(1, boxes.Count());
    }
    EXPECT_EQ(0, CPlanDoc::s_nLive);
}

TEST_F(MdiAppTest, CascadeAndTilePlaceTheChildren)
{
    ASSERT_NE(nullptr, NewDoc());
    ASSERT_NE(nullptr, NewDoc());
    ASSERT_NE(nullptr, NewDoc());
    CRect client;
    frame->GetMDIClient()->GetClientRect(&client);
    frame->SendMessage(WM_COMMAND, ID_WINDOW_TILE_HORZ);
    AfxPumpMessages();
    int y = 0;
    for (int i = 0; i < 3; ++i)
    {
        CRect rc;
        CMDIChildWnd* pChild = frame->GetMDIChild(i);
        pChild->GetWindowRect(&rc);
        frame->GetMDIClient()->ScreenToClient(&rc);
        EXPECT_EQ(0, rc.left);
        EXPECT_EQ(client.Width(), rc.Width());
        EXPECT_EQ(y, rc.top);
        EXPECT_EQ(client.Height() * (i + 1) / 3, rc.bottom);
        y = rc.bottom;
    }
    frame->MDICascade();
    CRect r0, r1;
    frame->GetMDIChild(0)->GetWindowRect(&r0);
    frame->GetMDIChild(1)->GetWindowRect(&r1);
    int step = CMDIChildWnd::GetCaptionHeight() + 2;
    EXPECT_EQ(r0.left + step, r1.left);
    EXPECT_EQ(r0.top + step, r1.top);
    // Activating another child changes the main frame's title.
    frame->MDIActivate(frame->GetMDIChild(0));
    CString title;
    frame->GetWindowText(title);
    EXPECT_STREQ("Planner - Plan1", title);
}

TEST_F(MdiAppTest, TheMenuBarFollowsTheActiveDocumentWindow)
{
    HMENU hMain = ::GetMenu(frame->m_hWnd);
    ASSERT_NE(nullptr, hMain);
    EXPECT_EQ(hMain, frame->m_hMenuDefault);
    ASSERT_NE(nullptr, app->m_pTemplate->m_hMenuShared);
    CPlanDoc* pDoc = NewDoc();
    ASSERT_NE(nullptr, pDoc);
    EXPECT_EQ(app->m_pTemplate->m_hMenuShared, ::GetMenu(frame->m_hWnd));
    pDoc->OnCloseDocument();
    AfxPumpMessages();
    EXPECT_EQ(hMain, ::GetMenu(frame->m_hWnd));
}

TEST_F(MdiAppTest, APopupGreysTheCommandsNobodyHandles)
{
    CMenu* pFile = CMenu::FromHandle(::GetMenu(frame->m_hWnd))->GetSubMenu(0);
    ASSERT_NE(nullptr, pFile);
    frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(pFile->GetSafeHmenu()), 0);
    // Save has no handler without a document; Exit is the application's.
    EXPECT_NE(0u, pFile->GetMenuState(ID_FILE_SAVE, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_EQ(0u, pFile->GetMenuState(ID_APP_EXIT, MF_BYCOMMAND) & MF_GRAYED);
}

TEST_F(MdiAppTest, TheRecentFilesFillTheMenu)
{
    app->SetRegistryKey("Test Company");
    app->LoadStdProfileSettings(4);
    ASSERT_NE(nullptr, app->m_pRecentFileList);
    CMenu* pFile = CMenu::FromHandle(::GetMenu(frame->m_hWnd))->GetSubMenu(0);
    int nBefore = static_cast<int>(pFile->GetMenuItemCount());
    // No entries: the place-holder stays, greyed.
    frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(pFile->GetSafeHmenu()), 0);
    EXPECT_EQ(nBefore, static_cast<int>(pFile->GetMenuItemCount()));
    EXPECT_NE(0u, pFile->GetMenuState(ID_FILE_MRU_FILE1, MF_BYCOMMAND) & MF_GRAYED);
    app->AddToRecentFileList("/plans/b.tst");
    app->AddToRecentFileList("/plans/a&b.tst");
    frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(pFile->GetSafeHmenu()), 0);
    EXPECT_EQ(nBefore + 1, static_cast<int>(pFile->GetMenuItemCount()));
    CString text;
    pFile->GetMenuString(ID_FILE_MRU_FILE1, text, MF_BYCOMMAND);
    EXPECT_STREQ("&1 /plans/a&&b.tst", text);
    pFile->GetMenuString(ID_FILE_MRU_FILE2, text, MF_BYCOMMAND);
    EXPECT_STREQ("&2 /plans/b.tst", text);
    EXPECT_EQ(0u, pFile->GetMenuState(ID_FILE_MRU_FILE2, MF_BYCOMMAND) & MF_GRAYED);
    // Updating again does not add the entries twice.
    frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(pFile->GetSafeHmenu()), 0);
    EXPECT_EQ(nBefore + 1, static_cast<int>(pFile->GetMenuItemCount()));
    // The list is kept in the profile when the application ends.
    app->SaveStdProfileSettings();
    EXPECT_STREQ("/plans/a&b.tst", app->GetProfileString("Recent File List", "File1"));
}

TEST_F(MdiAppTest, AnUnreadableRecentFileLeavesTheList)
{
    app->LoadStdProfileSettings(4);
    app->AddToRecentFileList((m_dir + "/gone.tst").c_str());
    CTestMessageBoxes boxes;
    boxes.Answer(IDOK);
    frame->SendMessage(WM_COMMAND, ID_FILE_MRU_FILE1);
    AfxPumpMessages();
    EXPECT_EQ(1, boxes.Count());
    EXPECT_TRUE((*app->m_pRecentFileList)[0].IsEmpty());
}

TEST_F(MdiAppTest, ADialogBarSendsItsControlsCommandsToTheFrame)
{
    CDialogBar bar;
    ASSERT_TRUE(bar.Create(frame, IDD_TESTBAR, CBRS_TOP, AFX_IDW_DIALOGBAR));
    bar.EnableDocking(CBRS_ALIGN_TOP);
    frame->DockControlBar(&bar);
    ASSERT_NE(nullptr, bar.GetDlgItem(ID_TEST_HELLO));
    // A row of its own below the toolbar.
    CRect rcTool, rcBar;
    frame->m_wndToolBar.GetWindowRect(&rcTool);
    bar.GetWindowRect(&rcBar);
    EXPECT_EQ(rcTool.bottom, rcBar.top);
    EXPECT_EQ(bar.m_sizeDefault.cy, rcBar.Height());
    AfxIdleUpdate();
    EXPECT_TRUE(bar.GetDlgItem(ID_TEST_HELLO)->IsWindowEnabled());
    EXPECT_FALSE(bar.GetDlgItem(ID_TEST_NOBODY)->IsWindowEnabled());
    bar.SendMessage(WM_COMMAND, MAKEWPARAM(ID_TEST_HELLO, BN_CLICKED),
                    reinterpret_cast<LPARAM>(bar.GetDlgItem(ID_TEST_HELLO)->m_hWnd));
    EXPECT_EQ(1, frame->m_nHello);
    bar.DestroyWindow();
}

TEST_F(MdiAppTest, TheViewToolbarCommandHidesAndShowsTheBar)
{
    EXPECT_TRUE(frame->m_wndToolBar.IsWindowVisible());
    frame->SendMessage(WM_COMMAND, ID_VIEW_TOOLBAR);
    EXPECT_FALSE(frame->m_wndToolBar.IsWindowVisible());
    CRect rcMdi;
    frame->GetMDIClient()->GetWindowRect(&rcMdi);
    frame->ScreenToClient(&rcMdi);
    EXPECT_EQ(0, rcMdi.top);  // the client area moved up
    frame->SendMessage(WM_COMMAND, ID_VIEW_TOOLBAR);
    EXPECT_TRUE(frame->m_wndToolBar.IsWindowVisible());
}

TEST_F(MdiAppTest, ASecondToolbarDocksRightOfTheFirstOnItsRow)
{
    CToolBar second;
    ASSERT_TRUE(second.CreateEx(frame, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER, CRect(0, 0, 0, 0),
                                AFX_IDW_TOOLBAR + 1));
    ASSERT_TRUE(second.LoadToolBar(IDR_TESTMAIN));
    second.EnableDocking(CBRS_ALIGN_ANY);
    // As the shell does it: the first bar's rectangle, one pixel to the right.
    frame->RecalcLayout();
    CRect rc;
    frame->m_wndToolBar.GetWindowRect(&rc);
    rc.OffsetRect(1, 0);
    frame->DockControlBar(&second, AFX_IDW_DOCKBAR_TOP, &rc);
    CRect r1, r2;
    frame->m_wndToolBar.GetWindowRect(&r1);
    second.GetWindowRect(&r2);
    EXPECT_EQ(r1.top, r2.top);
    EXPECT_EQ(r1.right, r2.left);
    // Without a rectangle a bar gets a row of its own.
    CToolBar third;
    ASSERT_TRUE(third.CreateEx(frame, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP, CRect(0, 0, 0, 0), AFX_IDW_TOOLBAR + 2));
    ASSERT_TRUE(third.LoadToolBar(IDR_TESTMAIN));
    third.EnableDocking(CBRS_ALIGN_ANY);
    frame->DockControlBar(&third);
    CRect r3;
    third.GetWindowRect(&r3);
    EXPECT_EQ(r1.bottom, r3.top);
    third.DestroyWindow();
    second.DestroyWindow();
}

TEST_F(MdiAppTest, RunEndsWhenTheMainWindowCloses)
{
    frame->PostMessage(WM_CLOSE);
    int nExit = app->Run();
    EXPECT_EQ(0, nExit);
    EXPECT_EQ(nullptr, frame->m_hWnd);
    EXPECT_EQ(nullptr, app->m_pMainWnd);
}

TEST_F(MdiAppTest, RunSleepsUntilAMessageAndRunsTheIdleProcessingOnceAfterIt)
{
    // At the start the idle processing runs once; two posted messages make it run once
    // more; a repaint alone and the waits in between do not (no idle on a timer).
    app->m_nIdleRounds = 0;
    QTimer::singleShot(30, [this] {
        frame->PostMessage(WM_NULL);
        frame->PostMessage(WM_NULL);
    });
    QTimer::singleShot(60, [this] { frame->Invalidate(); });
    QTimer::singleShot(90, [this] { frame->PostMessage(WM_CLOSE); });
    EXPECT_EQ(0, app->Run());
    EXPECT_EQ(2, app->m_nIdleRounds);
}

TEST_F(MdiAppTest, PrintPreviewShowsTheViewsTwoPages)
{
    AfxTestResetScripts();
    CPlanDoc* pDoc = NewDoc();
    ASSERT_NE(nullptr, pDoc);
    CPlanFrame* pChild = static_cast<CPlanFrame*>(frame->MDIGetActive());
    CPlanView* pView = static_cast<CPlanView*>(pChild->m_wndSplitter.GetPane(0, 0));
    pView->SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW);
    AfxPumpMessages();
    CPreviewView* pPreview = DYNAMIC_DOWNCAST(CPreviewView, frame->GetActiveView());
    ASSERT_NE(nullptr, pPreview);
    EXPECT_EQ(pPreview, frame->GetDlgItem(AFX_IDW_PANE_FIRST));
    EXPECT_FALSE(frame->GetMDIClient()->IsWindowVisible());
    EXPECT_FALSE(frame->m_wndToolBar.IsWindowVisible());  // the frame's bars step aside
    EXPECT_EQ(2u, pPreview->GetLastPage());
    EXPECT_EQ(1u, pPreview->GetCurrentPage());
    ASSERT_NE(nullptr, pPreview->GetPageBitmap(1));
    ASSERT_NE(nullptr, pPreview->GetPageBitmap(2));
    // Each page shows what OnPrint drew for it: the frame reaches 120 pixels down per page.
    QImage page1 = AfxImageOfBitmap(pPreview->GetPageBitmap(1));
    QImage page2 = AfxImageOfBitmap(pPreview->GetPageBitmap(2));
    page1.save(QString::fromUtf8(Utf8FromCString(AfxTestOutputPath("preview-page1.png")).c_str()));
    page2.save(QString::fromUtf8(Utf8FromCString(AfxTestOutputPath("preview-page2.png")).c_str()));
    ASSERT_FALSE(page1.isNull());
    int nLeft = pPreview->GetPrintInfo()->m_rectDraw.left + 20;
    int nTop = pPreview->GetPrintInfo()->m_rectDraw.top;
    EXPECT_EQ(qRgb(0, 0, 0), (page1.pixel(nLeft, nTop + 60) & 0xFFFFFF) | 0xFF000000);
    EXPECT_EQ(qRgb(0, 0, 0), (page1.pixel(nLeft + 50, nTop + 119) & 0xFFFFFF) | 0xFF000000);
    EXPECT_EQ(qRgb(255, 255, 255), (page1.pixel(nLeft, nTop + 200) & 0xFFFFFF) | 0xFF000000);
    EXPECT_EQ(qRgb(0, 0, 0), (page2.pixel(nLeft, nTop + 200) & 0xFFFFFF) | 0xFF000000);
    EXPECT_EQ(nullptr, pPreview->GetPageBitmap(3));
    // The view printed its pages through its printing virtuals, for the preview.
    std::vector<std::string> want = {"prepare:preview", "begin", "print:1", "print:2"};
    EXPECT_EQ(want, pView->m_printLog);
    // The preview occupies the whole client area between its bar and the status bar.
    CRect rcPreview;
    pPreview->GetWindowRect(&rcPreview);
    frame->ScreenToClient(&rcPreview);
    EXPECT_GT(rcPreview.top, 0);
    pPreview->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_NEXT);
    EXPECT_EQ(2u, pPreview->GetCurrentPage());
    pPreview->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_NEXT);  // there is no page 3
    EXPECT_EQ(2u, pPreview->GetCurrentPage());
    pPreview->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_PREV);
    EXPECT_EQ(1u, pPreview->GetCurrentPage());
    pPreview->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_NUMPAGE);
    EXPECT_EQ(2u, pPreview->GetPagesShown());
    AfxPumpMessages();
    EXPECT_TRUE(AfxTestGrabWindow(frame, AfxTestOutputPath("print-preview.png")));
    pPreview->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_CLOSE);
    AfxPumpMessages();
    // The frame has its views and bars back.
    EXPECT_EQ(frame->GetMDIClient(), frame->GetDlgItem(AFX_IDW_PANE_FIRST));
    EXPECT_TRUE(frame->GetMDIClient()->IsWindowVisible());
    EXPECT_TRUE(frame->m_wndToolBar.IsWindowVisible());
    EXPECT_EQ(nullptr, DYNAMIC_DOWNCAST(CPreviewView, frame->GetActiveView()));
    EXPECT_EQ("end", pView->m_printLog.back());
}

TEST_F(MdiAppTest, PrintingWritesThePagesToThePrinter)
{
    AfxTestResetScripts();
    CPlanDoc* pDoc = NewDoc();
    ASSERT_NE(nullptr, pDoc);
    CPlanFrame* pChild = static_cast<CPlanFrame*>(frame->MDIGetActive());
    CPlanView* pView = static_cast<CPlanView*>(pChild->m_wndSplitter.GetPane(0, 0));
    std::string path = m_dir + "/plan.pdf";
    AfxTestPushPrintDialogResult(IDOK, path.c_str());
    pView->SendMessage(WM_COMMAND, ID_FILE_PRINT);
    std::vector<std::string> want = {"prepare:print", "begin", "print:1", "print:2", "end"};
    EXPECT_EQ(want, pView->m_printLog);
    std::ifstream in(path, std::ios::binary);
    std::string pdf((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    size_t nPages = 0;
    for (size_t pos = pdf.find("/Type /Page"); pos != std::string::npos; pos = pdf.find("/Type /Page", pos + 1))
        if (pdf.compare(pos, 12, "/Type /Pages") != 0)
            ++nPages;
    EXPECT_EQ(2u, nPages);
    // A cancelled dialog prints nothing.
    pView->m_printLog.clear();
    AfxTestPushPrintDialogResult(IDCANCEL);
    pView->SendMessage(WM_COMMAND, ID_FILE_PRINT);
    std::vector<std::string> cancelled = {"prepare:print"};
    EXPECT_EQ(cancelled, pView->m_printLog);
}

TEST_F(MdiAppTest, TheWindowMenuListsTheOpenWindowsAndActivatesTheChosenOne)
{
    ASSERT_NE(nullptr, NewDoc());
    ASSERT_NE(nullptr, NewDoc());
    CMDIChildWnd* pFirst = frame->GetMDIChild(0);
    CMDIChildWnd* pSecond = frame->GetMDIChild(1);
    ASSERT_EQ(pSecond, frame->MDIGetActive());
    HMENU hWindow = frame->GetWindowMenuPopup(::GetMenu(frame->m_hWnd));
    ASSERT_NE(nullptr, hWindow);
    CMenu* pWindow = CMenu::FromHandle(hWindow);
    auto listed = [&] {
        std::vector<std::string> items;
        for (UINT i = 0; i < pWindow->GetMenuItemCount(); ++i)
        {
            CString text;
            pWindow->GetMenuString(i, text, MF_BYPOSITION);
            const UINT state = pWindow->GetMenuState(i, MF_BYPOSITION);
            items.push_back((state & MF_SEPARATOR) ? std::string("-")
                                                   : text.str() + ((state & MF_CHECKED) ? " *" : ""));
        }
        return items;
    };
    std::vector<std::string> both = {"&Cascade", "&Tile", "-", "&1 Plan1", "&2 Plan2 *"};
    EXPECT_EQ(both, listed());
    EXPECT_EQ(AFX_IDM_FIRST_MDICHILD, pWindow->GetMenuItemID(3));
    // Choosing the first one activates it.
    frame->SendMessage(WM_COMMAND, AFX_IDM_FIRST_MDICHILD);
    EXPECT_EQ(pFirst, frame->MDIGetActive());
    std::vector<std::string> firstActive = {"&Cascade", "&Tile", "-", "&1 Plan1 *", "&2 Plan2"};
    EXPECT_EQ(firstActive, listed());
    // A closed window leaves the list.
    pSecond->SendMessage(WM_CLOSE);
    AfxPumpMessages();
    std::vector<std::string> one = {"&Cascade", "&Tile", "-", "&1 Plan1 *"};
    EXPECT_EQ(one, listed());
}

TEST_F(MdiAppTest, CtrlF6ActivatesTheNextWindowAndCtrlF4ClosesTheActiveOne)
{
    ASSERT_NE(nullptr, NewDoc());
    ASSERT_NE(nullptr, NewDoc());
    CMDIChildWnd* pFirst = frame->GetMDIChild(0);
    ASSERT_EQ(frame->GetMDIChild(1), frame->MDIGetActive());
    AfxTestKey(frame->MDIGetActive(), VK_F6, MK_CONTROL);
    AfxPumpMessages();
    EXPECT_EQ(pFirst, frame->MDIGetActive());
    // Ctrl+F4 on a modified document asks first; Cancel keeps the window.
    static_cast<CPlanDoc*>(pFirst->GetActiveDocument())->SetModifiedFlag();
    {
        CTestMessageBoxes boxes;
        boxes.Answer(IDCANCEL);
        AfxTestKey(pFirst, VK_F4, MK_CONTROL);
        AfxPumpMessages();
        EXPECT_EQ(1, boxes.Count());
        EXPECT_EQ(2, frame->GetMDIChildCount());
    }
    {
        CTestMessageBoxes boxes;
        boxes.Answer(IDNO);
        AfxTestKey(pFirst, VK_F4, MK_CONTROL);
        AfxPumpMessages();
        EXPECT_EQ(1, boxes.Count());
    }
    ASSERT_EQ(1, frame->GetMDIChildCount());
    EXPECT_NE(pFirst, frame->GetMDIChild(0));
}

TEST_F(MdiAppTest, ADocumentWindowsCaptionHasItsButtonsAndSystemMenu)
{
    ASSERT_NE(nullptr, NewDoc());
    CMDIChildWnd* pChild = frame->MDIGetActive();
    ASSERT_FALSE(pChild->IsMaximized());
    CRect rc;
    pChild->GetWindowRect(&rc);
    const int y = rc.top + 4 + GetSystemMetrics(SM_CYCAPTION) / 2;
    auto hit = [&](int x) { return pChild->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(x, y)); };
    EXPECT_EQ(HTSYSMENU, hit(rc.left + 10));
    EXPECT_EQ(HTCAPTION, hit(rc.CenterPoint().x));
    EXPECT_EQ(HTCLOSE, hit(rc.right - 12));
    int x = rc.right - 12;
    while (x > rc.left && hit(x) == HTCLOSE)
        --x;
    while (x > rc.left && hit(x) != HTMAXBUTTON)
        --x;
    ASSERT_EQ(HTMAXBUTTON, hit(x));
    // The maximise button maximises the window inside the client area, then restores it.
    pChild->SendMessage(WM_NCLBUTTONDOWN, HTMAXBUTTON, MAKELPARAM(x, y));
    EXPECT_TRUE(pChild->IsMaximized());
    pChild->SendMessage(WM_SYSCOMMAND, SC_RESTORE);
    EXPECT_FALSE(pChild->IsMaximized());
    CRect restored;
    pChild->GetWindowRect(&restored);
    EXPECT_EQ(rc, restored);
    // ShowWindow maximises it inside the MDI client too, and it comes back to its place.
    pChild->ShowWindow(SW_MAXIMIZE);
    AfxPumpMessages();
    EXPECT_TRUE(pChild->IsMaximized());
    pChild->SendMessage(WM_SYSCOMMAND, SC_RESTORE);
    pChild->GetWindowRect(&restored);
    EXPECT_EQ(rc, restored);
    EXPECT_FALSE(pChild->IsZoomed());
    // The close button closes it.
    pChild->SendMessage(WM_NCLBUTTONDOWN, HTCLOSE, MAKELPARAM(rc.right - 12, y));
    AfxPumpMessages();
    EXPECT_EQ(0, frame->GetMDIChildCount());
}

// The frame's picture shows the maximised view where the view lies: its background colour
// and, at its top left, the line of text it draws.
TEST_F(MdiAppTest, TheFramesPictureShowsTheMaximisedView)
{
    CPlanDoc* pDoc = NewDoc();
    ASSERT_NE(nullptr, pDoc);
    pDoc->m_nTasks = 3;
    pDoc->m_rows = {CStringFromUtf8("设计"), "build", "test"};
    pDoc->UpdateAllViews(nullptr);
    frame->MDIGetActive()->MDIMaximize();
    AfxIdleUpdate();
    AfxPumpMessages();
    CString path = AfxTestOutputPath("mdi-frame.png");
    ASSERT_TRUE(AfxTestGrabWindow(frame, path));
    const QImage shot(QString::fromLocal8Bit(static_cast<LPCTSTR>(path)));
    ASSERT_FALSE(shot.isNull());
    CView* pView = frame->MDIGetActive()->GetActiveView();
    ASSERT_NE(pView, nullptr);
    CRect rcFrame, rcView;
    frame->GetWindowRect(&rcFrame);
    pView->GetClientRect(&rcView);
    pView->ClientToScreen(&rcView);
    rcView.OffsetRect(-rcFrame.TopLeft());
    ASSERT_GT(rcView.Width(), 100);
    ASSERT_GT(rcView.Height(), 60);
    ASSERT_LE(rcView.bottom, shot.height());
    // Background well away from the text.
    const QRgb bg = shot.pixel(rcView.right - 5, rcView.bottom - 5);
    EXPECT_EQ(255, qRed(bg));
    EXPECT_EQ(255, qGreen(bg));
    EXPECT_EQ(240, qBlue(bg));
    // Dark pixels of the text line drawn at (10, 10), none above it.
    int nInk = 0, nAbove = 0;
    for (int y = rcView.top; y < rcView.top + 30; ++y)
        for (int x = rcView.left + 10; x < rcView.left + 90; ++x) {
            const QRgb px = shot.pixel(x, y);
            const bool dark = qRed(px) < 100 && qGreen(px) < 100 && qBlue(px) < 100;
            (y < rcView.top + 8 ? nAbove : nInk) += dark;
        }
    EXPECT_GT(nInk, 20);
    EXPECT_EQ(nAbove, 0);
}

}  // namespace

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <ClassLib/Wnd/QtInterop.h>

TEST_F(MdiAppTest, TheFrameShowsItsMenuAsABarAboveTheClientArea)
{
    QWidget* pWidget = AfxGetWidget(frame->m_hWnd);
    ASSERT_NE(pWidget, nullptr);
    QMenuBar* pBar = pWidget->findChild<QMenuBar*>(QString(), Qt::FindDirectChildrenOnly);
    ASSERT_NE(pBar, nullptr);
    ASSERT_FALSE(pBar->actions().isEmpty());
    CMenu* pMenu = CMenu::FromHandle(::GetMenu(frame->m_hWnd));
    CString strFirst;
    pMenu->GetMenuString(0, strFirst, MF_BYPOSITION);
    EXPECT_EQ(pBar->actions().size(), (int)pMenu->GetMenuItemCount());
    EXPECT_EQ(pBar->actions().front()->text(), AfxQString(strFirst));
    EXPECT_TRUE(pBar->isVisible());
    // The band is outside the client area.
    CRect rcClient;
    frame->GetClientRect(&rcClient);
    CPoint ptClient(0, 0);
    frame->ClientToScreen(&ptClient);
    CRect rcWindow;
    frame->GetWindowRect(&rcWindow);
    EXPECT_GE(ptClient.y - rcWindow.top, GetSystemMetrics(SM_CYMENU));
    // A document window brings its own menu to the bar.
    CPlanDoc* pDoc = NewDoc();
    ASSERT_NE(nullptr, pDoc);
    CMenu* pDocMenu = CMenu::FromHandle(::GetMenu(frame->m_hWnd));
    EXPECT_EQ(pBar->actions().size(), (int)pDocMenu->GetMenuItemCount());
    AfxTestGrabWindow(frame, AfxTestOutputPath("mdi-frame-menu.png"));
    pDoc->OnCloseDocument();
    AfxPumpMessages();
}

TEST_F(MdiAppTest, AfterAltAndOneEscapeTheMenuBarShowsTheTitleThatHasTheKeys)
{
    QWidget* pWidget = AfxGetWidget(frame->m_hWnd);
    ASSERT_NE(pWidget, nullptr);
    QMenuBar* pBar = pWidget->findChild<QMenuBar*>(QString(), Qt::FindDirectChildrenOnly);
    ASSERT_NE(pBar, nullptr);
    // Alt+F opens the first menu; Escape closes it and leaves its title active on the bar,
    // which keeps the keys: the title is drawn highlighted, as the platform's bar does.
    // On a desktop the menu shows and goes once the window manager has mapped it: wait for
    // that (bounded), as a person waits to see it.
    auto waitFor = [](bool bOpen) {
        for (int i = 0; i < 300 && (QApplication::activePopupWidget() != nullptr) != bOpen; i++) {
            AfxPumpMessages();
            usleep(10000);
        }
    };
    // Alt opens a menu of the active window only: on a desktop the frame is made active
    // first, and the window manager's answer waited for.
    pWidget->window()->activateWindow();
    for (int i = 0; i < 300 && QApplication::activeWindow() != pWidget->window(); i++) {
        AfxPumpMessages();
        usleep(10000);
    }
    AfxTestKey(frame, 'F', AFX_TEST_ALT);
    AfxPumpMessages();
    waitFor(true);
    QWidget* pMenu = QApplication::activePopupWidget();
    ASSERT_NE(pMenu, nullptr);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(pMenu, &press);
    AfxPumpMessages();
    waitFor(false);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    QAction* pActive = pBar->activeAction();
    ASSERT_NE(pActive, nullptr);
    EXPECT_EQ(pActive, pBar->actions().front());
    EXPECT_TRUE(pBar->hasFocus());

    const QImage image = pBar->grab().toImage();
    const QRect rcTitle = pBar->actionGeometry(pActive);
    const QRgb highlight = pBar->palette().color(QPalette::Highlight).rgb();
    int nHighlighted = 0;
    for (int y = rcTitle.top(); y <= rcTitle.bottom(); y++)
        for (int x = rcTitle.left(); x <= rcTitle.right(); x++)
            if (image.rect().contains(x, y) && image.pixel(x, y) == highlight)
                nHighlighted++;
    EXPECT_GT(nHighlighted, rcTitle.width() * rcTitle.height() / 2);

    // A second Escape leaves the bar: no title is highlighted any more.
    QKeyEvent again(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(pBar, &again);
    AfxPumpMessages();
    EXPECT_EQ(pBar->activeAction(), nullptr);
}
