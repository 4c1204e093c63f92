// The browser window as the program opens it: the splitter's panes, the root load, the
// messages between the panes, the double click that downloads from the project server
// and opens the file, each list style's picture, and the library's entry.
#include "BrowserTestSupport.h"

#include <Pdm/PdmStore.h>
#include <ProjectServer/ProjectServer.h>
#include <ProjectServiceLoopback/LoopbackLogin.h>
#include <ClassLib/Shell/Com.h>

#include <QImage>
#include <QString>

#include <algorithm>
#include <sys/wait.h>

namespace {

class BrowserFrameTest : public BrowserWindowTest
{
protected:
    void SetUp() override
    {
        BrowserWindowTest::SetUp();
        pdm.AddNode(20, 0, 21, 1, Gbk(u8"设计文档"));
        pdm.AddNode(20, 0, 21, 2, Gbk(u8"合同"));
        pdm.AddNode(20, 0, 21, 3, Gbk(u8"图纸"));
        pdm.AddNode(21, 1, 21, 11, Gbk(u8"总体设计"));
        pdm.AddNode(21, 11, 21, 111, Gbk(u8"接口"));
        pdm.AddDocument(21, 1, 101, 7, Gbk(u8"需求说明书.doc"));
        pdm.AddDocument(21, 1, 101, 8, Gbk(u8"进度计划.xls"));
        pdm.AddDocument(21, 1, 101, 9, "readme.txt");
        pdm.AddDocument(21, 1, 101, 10, Gbk(u8"总图.pdf"));
        pdm.AddDocument(21, 1, 101, 11, "notes");
        pdm.AddDocument(21, 2, 101, 20, Gbk(u8"合同.doc"));
    }
    CPdmTreeView* Tree() { return m_pFrame->GetLeftPane(); }
    CPdmDocListView* List() { return m_pFrame->GetRightPane(); }
    std::vector<std::string> Rows()
    {
        std::vector<std::string> rows;
        CPdmDocListCtrl* pList = List()->GetListCtrl();
        for (int i = 0; i < pList->GetItemCount(); i++)
            rows.push_back(Utf8FromCString(pList->GetItemText(i, 0)));
        return rows;
    }

    CFakePdm pdm;
    CPdmFactoryScope factory{pdm.Factory()};
};

TEST_F(BrowserFrameTest, TheFrameHoldsTheTreeLeftAndTheListRight)
{
    OpenBrowser();
    ASSERT_NE(Tree(), nullptr);
    ASSERT_NE(List(), nullptr);
    EXPECT_EQ(Tree()->GetTreeCtrl()->GetDlgCtrlID(), IDC_PDMTREE);
    EXPECT_EQ(List()->GetListCtrl()->GetDlgCtrlID(), IDC_PDMDOCLIST);
    EXPECT_EQ(List()->GetListStyle(), 3);
    // Made by name, as the program's template makes them.
    EXPECT_EQ(CRuntimeClass::FromName("CLumoDocMDIFrame"), RUNTIME_CLASS(CLumoDocMDIFrame));
    for (const char* name : {"CPdmTreeView", "CPdmTreeCtrl", "CPdmDocListView", "CPdmDocListCtrl"}) {
        CRuntimeClass* pClass = CRuntimeClass::FromName(name);
        ASSERT_NE(pClass, nullptr) << name;
        std::unique_ptr<CObject> pObject(pClass->CreateObject());
        EXPECT_NE(pObject, nullptr) << name;
    }
    // A list view made by name is browse-only.
    std::unique_ptr<CObject> pView(RUNTIME_CLASS(CPdmDocListView)->CreateObject());
    EXPECT_TRUE(pView->IsKindOf(RUNTIME_CLASS(CPdmDocListView)));
}

TEST_F(BrowserFrameTest, TheRootLoadSelectsTheFirstFolderAndFillsTheList)
{
    OpenBrowser();
    EXPECT_TRUE(m_pFrame->LoadData(20, 0));
    // Sent, not posted: the list is filled when the call returns.
    EXPECT_EQ(Rows(), (std::vector<std::string>{u8"需求说明书.doc", u8"进度计划.xls", "readme.txt", u8"总图.pdf",
                                               "notes"}));
    CPdmTreeCtrl* pTree = Tree()->GetTreeCtrl();
    EXPECT_EQ(pTree->GetItemText(pTree->GetSelectedItem()), Gbk(u8"设计文档"));
    // Another folder, then the first again: refilled each time.
    HTREEITEM hB = pTree->GetNextSiblingItem(pTree->GetRootItem());
    pTree->SelectItem(hB);
    EXPECT_EQ(Rows(), (std::vector<std::string>{u8"合同.doc"}));
    pTree->SelectItem(pTree->GetRootItem());
    EXPECT_EQ(Rows().size(), 5u);
    // A class id of 0 empties the tree; the list keeps what it has.
    m_pFrame->LoadData(0, 5);
    EXPECT_EQ(pTree->GetCount(), 0u);
    EXPECT_EQ(Rows().size(), 5u);
}

TEST_F(BrowserFrameTest, AFolderThatCannotBeReadLeavesNoOtherFoldersDocuments)
{
    OpenBrowser();
    m_pFrame->LoadData(20, 0);
    ASSERT_EQ(Rows().size(), 5u);
    pdm.FailCall("LoadChildren", E_FAIL, 1);
    CPdmTreeCtrl* pTree = Tree()->GetTreeCtrl();
    pTree->SelectItem(pTree->GetNextSiblingItem(pTree->GetRootItem()));
    EXPECT_TRUE(Rows().empty());
    pTree->SelectItem(pTree->GetRootItem());
    EXPECT_EQ(Rows().size(), 5u);
}

TEST_F(BrowserFrameTest, ThePanesSplitTheClientAreaAThirdToTheTree)
{
    // The frame's client area made 600 pixels wide: the tree pane gets 200; the list is
    // asked for 395 and, as the splitter's last column, takes what the bar leaves.
    CDocument* pDoc = m_pTemplate->CreateNewDocument();
    CCreateContext context;
    context.m_pCurrentDoc = pDoc;
    context.m_pNewViewClass = RUNTIME_CLASS(CPdmTreeView);
    context.m_pNewDocTemplate = m_pTemplate;
    CLumoDocMDIFrame* pProbe = new CLumoDocMDIFrame;  // a frame deletes itself with its window
    ASSERT_TRUE(pProbe->Create(NULL, "probe", WS_CHILD | WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 700, 400),
                               m_pMainFrame, &context));
    CRect window, client;
    pProbe->GetWindowRect(&window);
    pProbe->GetClientRect(&client);
    const int nExtra = window.Width() - client.Width();
    pProbe->DestroyWindow();
    AfxPumpMessages();
    // The first document went with its last view.
    context.m_pCurrentDoc = m_pTemplate->CreateNewDocument();
    CLumoDocMDIFrame* pFrame = new CLumoDocMDIFrame;
    ASSERT_TRUE(pFrame->Create(NULL, "browser", WS_CHILD | WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                               CRect(0, 0, 600 + nExtra, 400), m_pMainFrame, &context));
    m_pFrame = pFrame;
    m_pFrame->GetClientRect(&client);
    ASSERT_EQ(client.Width(), 600);
    CRect left, right;
    m_pFrame->GetLeftPane()->GetWindowRect(&left);
    m_pFrame->GetRightPane()->GetWindowRect(&right);
    EXPECT_EQ(left.Width(), 200);
    EXPECT_GT(right.left, left.right);
    EXPECT_LE(right.Width(), 395);
    int cxCur = 0, cxMin = 0;
    static_cast<CSplitterWnd*>(m_pFrame->GetDlgItem(AFX_IDW_PANE_FIRST))->GetColumnInfo(0, cxCur, cxMin);
    EXPECT_EQ(cxCur, 200);
}

// The window as shown in every list style: each document's name is written where the list
// puts its label (rows one under the other in the report and list styles, side by side as
// icons), and nothing is drawn below the last one.
TEST_F(BrowserFrameTest, EveryListStyleShowsEachDocumentsNameAtItsPlace)
{
    OpenBrowser();
    m_pFrame->LoadData(20, 0);
    CPdmTreeCtrl* pTree = Tree()->GetTreeCtrl();
    HTREEITEM hA = pTree->GetRootItem();
    pTree->Expand(hA, TVE_EXPAND);
    pTree->Expand(pTree->GetChildItem(hA), TVE_EXPAND);
    CPdmDocListCtrl* pList = List()->GetListCtrl();
    pList->SetItemState(1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ASSERT_EQ(pList->GetItemCount(), 5);
    const struct {
        const char* pszFile;
        BOOL (CPdmDocListView::*pfnStyle)();
        bool bSideBySide;
    } styles[] = {{"browser-report.png", nullptr, false},
                  {"browser-icons.png", &CPdmDocListView::ViewIcon, true},
                  {"browser-small.png", &CPdmDocListView::ViewSmall, true},
                  {"browser-list.png", &CPdmDocListView::ViewList, false}};
    for (const auto& style : styles) {
        if (style.pfnStyle != nullptr) {
            EXPECT_TRUE((List()->*style.pfnStyle)());
        }
        AfxPumpMessages();
        const CString strPath = AfxTestOutputPath(style.pszFile);
        ASSERT_TRUE(AfxTestGrabWindow(m_pMainFrame, strPath));
        const QImage shot(QString::fromLocal8Bit((LPCTSTR)strPath));
        ASSERT_FALSE(shot.isNull());
        CRect rcMain, rcClient;
        m_pMainFrame->GetWindowRect(&rcMain);
        pList->GetClientRect(&rcClient);
        pList->ClientToScreen(&rcClient);
        rcClient.OffsetRect(-rcMain.TopLeft());
        // Dark pixels (text) of the picture within a rectangle of the list's client area.
        auto ink = [&](CRect rc) {
            rc.OffsetRect(rcClient.TopLeft());
            rc.IntersectRect(&rc, &rcClient);
            int n = 0;
            for (int y = rc.top; y < rc.bottom; ++y)
                for (int x = rc.left; x < rc.right; ++x) {
                    const QRgb px = shot.pixel(x, y);
                    n += qRed(px) < 100 && qGreen(px) < 100 && qBlue(px) < 100;
                }
            return n;
        };
        int nBottom = 0;
        CRect rcPrevious;
        for (int i = 0; i < 5; ++i) {
            CRect rcLabel;
            ASSERT_TRUE(pList->GetItemRect(i, &rcLabel, LVIR_LABEL));
            EXPECT_GT(ink(rcLabel), 15) << style.pszFile << " item " << i;
            if (i > 0) {
                if (style.bSideBySide) {
                    EXPECT_GT(rcLabel.left, rcPrevious.left) << style.pszFile << " item " << i;
                } else {
                    EXPECT_GE(rcLabel.top, rcPrevious.bottom) << style.pszFile << " item " << i;
                }
            }
            CRect rcBounds;
            pList->GetItemRect(i, &rcBounds, LVIR_BOUNDS);
            nBottom = std::max<int>(nBottom, rcBounds.bottom);
            rcPrevious = rcLabel;
        }
        EXPECT_EQ(ink(CRect(0, nBottom + 4, rcClient.Width(), rcClient.Height())), 0) << style.pszFile;
    }
}

// End to end: a project server on a store made here, and a client whose settings name it
// and that has no store file of its own. The browser shows the server's folders and
// documents, a double click downloads and opens the right bytes, and a document added
// through the new-document dialog lands in the server's store.
class BrowserServerTest : public BrowserWindowTest
{
protected:
    void SetUp() override
    {
        BrowserWindowTest::SetUp();
        for (const char* name : {"http_proxy", "HTTP_PROXY", "all_proxy", "ALL_PROXY"})
            unsetenv(name);
        char pattern[] = "/tmp/pcbrowserstore-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
        // The client's own data folder stays empty: no store file is made or read there.
        std::filesystem::create_directories(dir + "/client");
        const char* old = std::getenv("XDG_DATA_HOME");
        if (old)
            oldDataHome = old;
        setenv("XDG_DATA_HOME", (dir + "/client").c_str(), 1);
        storePath = dir + "/server/pdm.sqlite";
        std::filesystem::create_directories(dir + "/server");
        CPdmStore store;
        ASSERT_TRUE(store.Open(storePath, CPdmStore::CreateIfMissing)) << store.LastError();
        int32_t docId = 0, otherId = 0;
        ASSERT_TRUE(store.AddNode(PDM_ROOT_CLASS, PDM_ROOT_OBJECT, PDM_FOLDER_CLASS, u8"设计", folderId));
        ASSERT_TRUE(store.AddNode(PDM_ROOT_CLASS, PDM_ROOT_OBJECT, PDM_FOLDER_CLASS, u8"合同", otherId));
        ASSERT_TRUE(store.PutDocument(PDM_FOLDER_CLASS, folderId, PDM_DEFAULT_DOC_CLASS, u8"图纸 1.dwg",
                                      std::string("\0\x01\xff" "drawing", 10), "", 10, "", docId));
        ASSERT_TRUE(store.PutDocument(PDM_FOLDER_CLASS, folderId, PDM_DEFAULT_DOC_CLASS, "readme.txt", "r", "", 1, "",
                                      docId));
        store.Close();
        projectserver::ServerOptions options;
        options.databasePath = dir + "/server/projects.sqlite";
        options.pdmStorePath = storePath;
        options.demoData = false;
        server.reset(new projectserver::CProjectServer(options));
        std::string error;
        ASSERT_TRUE(server->Start(error)) << error;
        // The browser's requests carry a session, as after the user's login.
        ASSERT_TRUE(server->AddUser("pdm", "pdm-session", "pdm"));
        ASSERT_TRUE(LoopbackLogIn(server->ServiceUrl(), "pdm", "pdm-session"));
        SetPdmServerSetting("127.0.0.1:" + std::to_string(server->Port()));
        ASSERT_FALSE(PdmUsesLocalStore());
    }
    void TearDown() override
    {
        CloseBrowser();
        if (server) {
            LoopbackForgetSession(server->ServiceUrl());
            server->Stop();
        }
        SetPdmServerSetting("");
        if (oldDataHome.empty())
            unsetenv("XDG_DATA_HOME");
        else
            setenv("XDG_DATA_HOME", oldDataHome.c_str(), 1);
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
        BrowserWindowTest::TearDown();
    }
    std::vector<std::string> ServerDocuments()
    {
        CPdmStore store;
        EXPECT_TRUE(store.Open(storePath, CPdmStore::OpenExisting));
        std::vector<PdmDocRow> rows;
        EXPECT_TRUE(store.ListDocuments(PDM_FOLDER_CLASS, folderId, rows));
        std::vector<std::string> names;
        for (const PdmDocRow& r : rows)
            names.push_back(r.fileName);
        return names;
    }

    std::string dir, storePath, oldDataHome;
    int32_t folderId = 0;
    std::unique_ptr<projectserver::CProjectServer> server;
    CDownloadFolder folder;
};

TEST_F(BrowserServerTest, TheBrowserShowsTheServersStoreAndDownloadsFromIt)
{
    OpenBrowser();
    ASSERT_TRUE(m_pFrame->LoadData(20, 0));
    CPdmTreeCtrl* pTree = m_pFrame->GetLeftPane()->GetTreeCtrl();
    HTREEITEM hFirst = pTree->GetRootItem();
    ASSERT_NE(hFirst, (HTREEITEM)NULL);
    EXPECT_EQ(pTree->GetItemText(hFirst), Gbk(u8"设计"));
    EXPECT_EQ(pTree->GetItemText(pTree->GetNextSiblingItem(hFirst)), Gbk(u8"合同"));
    CPdmDocListCtrl* pList = m_pFrame->GetRightPane()->GetListCtrl();
    ASSERT_EQ(pList->GetItemCount(), 2);
    EXPECT_EQ(pList->GetItemText(0, 0), Gbk(u8"图纸 1.dwg"));
    EXPECT_EQ(pList->GetItemText(1, 0), CString("readme.txt"));
    CTestShellCalls shell;
    bool bEnded = false;
    AfxTestPushModalScript([&](CWnd* pDlg) { bEnded = WaitForModalEnd(pDlg); });
    CRect rect;
    pList->GetItemRect(0, &rect, LVIR_LABEL);
    AfxTestDoubleClick(pList, rect.CenterPoint());
    AfxPumpMessages();
    EXPECT_TRUE(bEnded);
    ASSERT_FALSE(AfxTestModalLog().empty());
    EXPECT_EQ(AfxTestModalLog().back().nResult, IDOK);
    const std::string target = folder.Path() + "/" + std::string((LPCTSTR)Gbk(u8"图纸 1.dwg"));
    auto opened = shell.CallsOf(AfxShellCallRecord::shellExecute);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].strFile, CString(target.c_str()));
    // The file is named in the file system's encoding.
    EXPECT_EQ(ReadWholeFile(folder.Path() + u8"/图纸 1.dwg"), std::string("\0\x01\xff" "drawing", 10));
    EXPECT_TRUE(std::filesystem::is_empty(dir + "/client"));
}

TEST_F(BrowserServerTest, ADocumentAddedThroughTheDialogLandsOnTheServer)
{
    CRecordingParent parent;
    ASSERT_TRUE(parent.CreateParent());
    CTestDocList list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 600, 380), &parent, IDC_PDMDOCLIST));
    list.Init(0, 3);
    ASSERT_TRUE(list.LoadData(PDM_FOLDER_CLASS, folderId));
    ASSERT_EQ(list.m_arrClassId.GetSize(), 1);  // the store's one document class, from the server
    CTestMessageBoxes boxes;
    AfxTestPushModalScript([&](CWnd* pDlg) {
        static_cast<CComboBox*>(pDlg->GetDlgItem(IDC_NEWDOC_CLASS))->SetCurSel(0);
        pDlg->SetDlgItemText(IDC_NEWDOC_NAME, Gbk(u8" 新图纸.dwg "));
        pDlg->SendMessage(WM_COMMAND, IDOK, 0);
    });
    EXPECT_TRUE(list.NewDoc());
    EXPECT_EQ(boxes.Count(), 0);
    EXPECT_EQ(ServerDocuments(), (std::vector<std::string>{u8"图纸 1.dwg", "readme.txt", u8"新图纸.dwg"}));
    ASSERT_EQ(list.GetItemCount(), 3);
    UINT c = 0, o = 0;
    ASSERT_TRUE(list.GetItemInfo(2, c, o));
    EXPECT_EQ(c, (UINT)PDM_DEFAULT_DOC_CLASS);
    EXPECT_NE(o, 0u);
    // A fresh list shows it too, read back from the server.
    ASSERT_TRUE(list.LoadData(PDM_FOLDER_CLASS, folderId));
    ASSERT_EQ(list.GetItemCount(), 3);
    EXPECT_EQ(list.GetItemText(2, 0), Gbk(u8"新图纸.dwg"));
    list.DestroyWindow();
    parent.DestroyWindow();
    EXPECT_TRUE(std::filesystem::is_empty(dir + "/client"));
}

// The library's entry: a process whose COM cannot start does not get the library.
TEST(QuenbyEntry, TheLibraryRefusesToLoadWhenComCannotStart)
{
    auto run = [](bool bFail, std::string& output) {
        std::string command = std::string(bFail ? "PC_TEST_COM_FAILURE=0x80004005 " : "") + QUENBY_LOAD_PROBE + " 2>&1";
        FILE* pipe = popen(command.c_str(), "r");
        char buf[256];
        while (pipe && fgets(buf, sizeof buf, pipe))
            output += buf;
        int status = pipe ? pclose(pipe) : -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };
    std::string ok, refused;
    EXPECT_EQ(run(false, ok), 0);
    EXPECT_EQ(ok, "loaded with classes\n");
    EXPECT_EQ(run(true, refused), 127);
    EXPECT_NE(refused.find("Com Initialize Failed!"), std::string::npos) << refused;
    EXPECT_EQ(refused.find("loaded with"), std::string::npos) << refused;
}

TEST(QuenbyEntry, ComIsStartedOnTheLoadingThread)
{
    EXPECT_GE(AfxComStartCount(), 1);
}

}  // namespace
