// Start-up: user values, COM, templates, the main frame, the command line, document windows.
#include "TrellanTestSupport.h"

#include <LumoDocMDIFrame.h>
#include <PdmTreeView.h>

#include "Resource.h"
#include "Templates.h"

#include <ProjectDialogHooks.h>

#include <ClassLib/Shell/Com.h>

#include <cstdio>
#include <cstring>

namespace {

class RecordingCommandLineInfo : public CCommandLineInfo
{
public:
    struct Call
    {
        std::string param;
        BOOL bFlag;
        BOOL bLast;
    };
    std::vector<Call> calls;
    void ParseParam(const TCHAR* pszParam, BOOL bFlag, BOOL bLast) override
    {
        calls.push_back({pszParam, bFlag, bLast});
        CCommandLineInfo::ParseParam(pszParam, bFlag, bLast);
    }
};

CString Joined(std::vector<std::string> args, RecordingCommandLineInfo* pInfo = nullptr)
{
    std::vector<char*> argv{const_cast<char*>("Trellan")};
    for (std::string& a : args)
        argv.push_back(&a[0]);
    RecordingCommandLineInfo local;
    return CTrellanApp::ParseTrellanCommandLine((int)argv.size(), argv.data(), pInfo ? *pInfo : local);
}

TEST(TrellanCommandLine, ArgumentsAreJoinedWithOneBlankAndAFlagReplacesTheText)
{
    EXPECT_EQ(Joined({}), CString(""));
    EXPECT_EQ(Joined({"C:\\My", "Plans\\a.tlp"}), CString("C:\\My Plans\\a.tlp"));
    EXPECT_EQ(Joined({"a.tlp", "/x"}), CString("x"));
    EXPECT_EQ(Joined({"-nologo", "a.tlp"}), CString("nologo a.tlp"));
    EXPECT_EQ(Joined({"a.tlp", "-p", "b"}), CString("p b"));
    // An absolute path is no flag.
    EXPECT_EQ(Joined({"/home/u/my", "plans/a.tlp"}), CString("/home/u/my plans/a.tlp"));
}

TEST(TrellanCommandLine, EveryArgumentGoesToTheRecordWithItsMarks)
{
    RecordingCommandLineInfo info;
    Joined({"a.tlp", "/x", "-y"}, &info);
    ASSERT_EQ(info.calls.size(), 3u);
    EXPECT_EQ(info.calls[0].param, "a.tlp");
    EXPECT_FALSE(info.calls[0].bFlag);
    EXPECT_FALSE(info.calls[0].bLast);
    EXPECT_EQ(info.calls[1].param, "x");
    EXPECT_TRUE(info.calls[1].bFlag);
    EXPECT_EQ(info.calls[2].param, "y");
    EXPECT_TRUE(info.calls[2].bLast);
}

TEST_F(TrellanTest, WithoutArgumentsTheMainWindowOpensMaximisedWithNoDocumentWindow)
{
    ASSERT_TRUE(Start({}));
    CMainFrame* pFrame = Frame();
    ASSERT_NE(pFrame, nullptr);
    EXPECT_EQ(AfxGetMainWnd(), pFrame);
    EXPECT_TRUE(pFrame->IsWindowVisible());
    EXPECT_TRUE(pFrame->IsZoomed());
    EXPECT_EQ(pFrame->MDIGetActive(), nullptr);
    EXPECT_TRUE(ProjectDocs().empty());
    CString title;
    pFrame->GetWindowText(title);
    EXPECT_EQ(title, CString("Tessaly"));
    EXPECT_EQ(app->m_strCommandText, CString(""));
}

TEST_F(TrellanTest, StartUpWritesTheUserValuesStartsComAndRegistersBothTemplatesInOrder)
{
    int nComBefore = AfxComStartCount();
    ASSERT_TRUE(Start({}));
    HKEY hKey = nullptr;
    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Microsoft\\LumoInfo", 0, KEY_READ, &hKey), ERROR_SUCCESS);
    char name[64] = {};
    DWORD cb = sizeof(name), type = 0;
    ASSERT_EQ(RegQueryValueEx(hKey, "UserName", nullptr, &type, reinterpret_cast<LPBYTE>(name), &cb), ERROR_SUCCESS);
    EXPECT_EQ(type, (DWORD)REG_SZ);
    EXPECT_GT(std::strlen(name), 0u);
    EXPECT_EQ(CString(name), app->m_strUserName);
    DWORD id = 0;
    cb = sizeof(id);
    ASSERT_EQ(RegQueryValueEx(hKey, "UserID", nullptr, &type, reinterpret_cast<LPBYTE>(&id), &cb), ERROR_SUCCESS);
    EXPECT_EQ(type, (DWORD)REG_DWORD);
    EXPECT_EQ(id, 6u);
    RegCloseKey(hKey);

    EXPECT_EQ(AfxComStartCount(), nComBefore + 1);
    POSITION pos = app->GetFirstDocTemplatePosition();
    EXPECT_EQ(app->GetNextDocTemplate(pos), app->m_pProjectTemplate);
    EXPECT_EQ(app->GetNextDocTemplate(pos), app->m_pDocTemplate);
    EXPECT_EQ(pos, nullptr);
    EXPECT_EQ(app->m_pProjectTemplate->GetResourceID(), 129u);
    EXPECT_EQ(app->m_pDocTemplate->GetResourceID(), 130u);
    CString docName;
    app->m_pProjectTemplate->GetDocString(docName, CDocTemplate::docName);
    EXPECT_EQ(docName, CString("计划管理"));
    app->m_pDocTemplate->GetDocString(docName, CDocTemplate::docName);
    EXPECT_EQ(docName, CString("文档管理"));
    CString typeName;
    app->m_pDocTemplate->GetDocString(typeName, CDocTemplate::regFileTypeName);
    EXPECT_EQ(typeName, CString("Trella Document"));
    EXPECT_EQ(CString(app->m_pszRegistryKey), CString("Local AppWizard-Generated Applications"));

    Shutdown();
    EXPECT_EQ(AfxComStartCount(), nComBefore);
}

TEST_F(TrellanTest, AProjectPathSplitAtABlankOpensThatProjectFile)
{
    std::string path = WriteProjectFile("My Plans/a.tlp");
    std::string first = path.substr(0, path.find(' '));
    std::string second = path.substr(path.find(' ') + 1);
    ASSERT_TRUE(Start({first, second}));
    EXPECT_EQ(app->m_strCommandText, CString(path.c_str()));
    std::vector<CProjectDoc*> docs = OpenProjects();
    ASSERT_EQ(docs.size(), 1u);
    ASSERT_NE(docs[0], nullptr);
    EXPECT_EQ(docs[0]->m_strFilePath, CString(path.c_str()));
    EXPECT_EQ(TrellanProjectMode(docs[0]), 1);
    EXPECT_EQ(docs[0]->m_ProjectInfo.m_strName, CString("Demo"));
    EXPECT_NE(Frame()->MDIGetActive(), nullptr);
    EXPECT_TRUE(Frame()->IsZoomed());
    EXPECT_EQ(Frame()->GetProgressBar(), nullptr);  // the load's bar is gone
    EXPECT_EQ(Frame()->m_wndStatusBar.GetPaneText(0), CString("就绪"));
}

TEST_F(TrellanTest, APathFollowedByAFlagOpensNothing)
{
    std::string path = WriteProjectFile("a.tlp");
    ASSERT_TRUE(Start({path, "/x"}));
    EXPECT_EQ(app->m_strCommandText, CString("x"));
    EXPECT_TRUE(ProjectDocs().empty());  // not even a document was made
    EXPECT_EQ(Frame()->MDIGetActive(), nullptr);
}

TEST_F(TrellanTest, ATextWithoutTheProjectExtensionOpensNothing)
{
    std::string path = WriteProjectFile("a.plan");
    ASSERT_TRUE(Start({path}));
    EXPECT_TRUE(ProjectDocs().empty());
}

TEST_F(TrellanTest, ADamagedProjectFileIsReportedAndOpensNothing)
{
    std::string path = m_dir + "/broken.tlp";
    FILE* f = std::fopen(path.c_str(), "wb");
    std::fputs("not a project", f);
    std::fclose(f);
    CTestMessageBoxes boxes;
    boxes.Answer(IDOK);
    ASSERT_TRUE(Start({path}));
    EXPECT_EQ(boxes.Count(), 1);
    EXPECT_TRUE(OpenProjects().empty());
    EXPECT_EQ(Frame()->MDIGetActive(), nullptr);
    EXPECT_EQ(GetCapture(), nullptr);
    // A file that did not open is no recent file.
    ASSERT_NE(app->m_pRecentFileList, nullptr);
    for (int i = 0; i < app->m_pRecentFileList->GetSize(); i++)
        EXPECT_NE((*app->m_pRecentFileList)[i], CString(path.c_str())) << i;
}

TEST_F(TrellanTest, TheRecentFilesOpenTheirProjectAndStayInTheList)
{
    std::string path = WriteProjectFile("recent.tlp");
    ASSERT_TRUE(Start({}));
    ASSERT_NE(app->m_pRecentFileList, nullptr);
    app->AddToRecentFileList(path.c_str());
    Frame()->SendMessage(WM_COMMAND, ID_FILE_MRU_FILE1, 0);
    AfxPumpMessages();
    std::vector<CProjectDoc*> docs = OpenProjects();
    ASSERT_EQ(docs.size(), 1u);
    EXPECT_EQ(docs[0]->m_strFilePath, CString(path.c_str()));
    EXPECT_EQ(TrellanProjectMode(docs[0]), 1);
    EXPECT_EQ((*app->m_pRecentFileList)[0], CString(path.c_str()));
}

TEST_F(TrellanTest, NewAndOpenCommandsSetTheDocumentsMode)
{
    ASSERT_TRUE(Start({}));
    // The new project's sheet is answered at once.
    ProjectSheetRunner previous = ProjectSetSheetRunner([](const CString&, int nKind, CProjSheetData& data) {
        EXPECT_EQ(nKind, 0);
        data.strName = "新计划";
        return (INT_PTR)IDOK;
    });
    Frame()->SendMessage(WM_COMMAND, ID_FILE_NEW, 0);
    ProjectSetSheetRunner(previous);
    AfxPumpMessages();
    std::vector<CProjectDoc*> docs = OpenProjects();
    ASSERT_EQ(docs.size(), 1u);
    EXPECT_EQ(TrellanProjectMode(docs[0]), 1);
    EXPECT_EQ(docs[0]->m_ProjectInfo.m_strName, CString("新计划"));
    EXPECT_EQ(Frame()->MDIGetActive()->GetActiveDocument(), docs[0]);
    // Open asks for a project file; a cancelled choice opens nothing more.
    AfxTestPushFileDialogResult(IDCANCEL);
    Frame()->SendMessage(WM_COMMAND, ID_FILE_OPEN_LOCAL, 0);
    AfxPumpMessages();
    EXPECT_EQ(OpenProjects().size(), 1u);
    // A chosen file opens in local mode.
    std::string path = WriteProjectFile("chosen.tlp", "Chosen");
    AfxTestPushFileDialogResult(IDOK, {CString(path.c_str())});
    Frame()->SendMessage(WM_COMMAND, ID_FILE_OPEN_LOCAL, 0);
    AfxPumpMessages();
    docs = OpenProjects();
    ASSERT_EQ(docs.size(), 2u);
    EXPECT_EQ(docs[1]->m_ProjectInfo.m_strName, CString("Chosen"));
    EXPECT_EQ(TrellanProjectMode(docs[1]), 1);
}

TEST_F(TrellanTest, TheBrowserWindowIsMadeOnceAndActivatedAfterwards)
{
    ASSERT_TRUE(Start({}));
    app->OpenDocumentWindow(2);
    AfxPumpMessages();
    EXPECT_EQ(app->m_nLastWindowKind, 2);
    EXPECT_EQ(GetCapture(), nullptr);
    POSITION pos = app->m_pDocTemplate->GetFirstDocPosition();
    ASSERT_NE(pos, nullptr);
    CDocument* pDoc = app->m_pDocTemplate->GetNextDoc(pos);
    EXPECT_EQ(pos, nullptr);
    EXPECT_TRUE(pDoc->IsKindOf(RUNTIME_CLASS(CTrellanDoc)));
    CMDIChildWnd* pFirst = Frame()->MDIGetActive();
    ASSERT_NE(pFirst, nullptr);
    EXPECT_EQ(Frame()->GetMDIChildCount(), 1);

    Frame()->SendMessage(WM_COMMAND, ID_DOC_MANAGE, 0);  // the second toolbar's command
    AfxPumpMessages();
    EXPECT_EQ(Frame()->GetMDIChildCount(), 1);
    EXPECT_EQ(Frame()->MDIGetActive(), pFirst);
    pos = app->m_pDocTemplate->GetFirstDocPosition();
    app->m_pDocTemplate->GetNextDoc(pos);
    EXPECT_EQ(pos, nullptr);
}

namespace
{
class CStateCmdUI : public CCmdUI
{
public:
    explicit CStateCmdUI(UINT nID) { m_nID = nID; }
    void Enable(BOOL bOn) override
    {
        m_bEnabled = bOn;
        m_bEnableChanged = TRUE;
    }
    BOOL m_bEnabled = -1;
};
} // namespace

TEST_F(TrellanTest, TheBrowserWindowHasATitleAndClosesLikeAnyWindow)
{
    ASSERT_TRUE(Start({}));
    app->OpenDocumentWindow(2);
    AfxPumpMessages();
    CMDIChildWnd* pChild = Frame()->MDIGetActive();
    ASSERT_NE(pChild, nullptr);
    CString strTitle;
    pChild->GetWindowText(strTitle);
    EXPECT_EQ(strTitle.Find("文档管理"), 0) << (LPCTSTR)strTitle;
    EXPECT_NE(pChild->GetActiveView(), nullptr);
    // 关闭 is offered and closes the window.
    CStateCmdUI close(ID_FILE_CLOSE);
    close.DoUpdate(Frame(), TRUE);
    EXPECT_TRUE(close.m_bEnabled);
    Frame()->SendMessage(WM_COMMAND, ID_FILE_CLOSE, 0);
    AfxPumpMessages();
    EXPECT_EQ(Frame()->GetMDIChildCount(), 0);
    EXPECT_EQ(app->m_pDocTemplate->GetFirstDocPosition(), nullptr);
    // Opened again, Ctrl+F4 in its folder tree closes it too.
    app->OpenDocumentWindow(2);
    AfxPumpMessages();
    CLumoDocMDIFrame* pBrowser = DYNAMIC_DOWNCAST(CLumoDocMDIFrame, Frame()->MDIGetActive());
    ASSERT_NE(pBrowser, nullptr);
    ASSERT_NE(pBrowser->GetLeftPane(), nullptr);
    CWnd* pTree = pBrowser->GetLeftPane()->GetTreeCtrl();
    AfxTestFocus(pTree);
    AfxTestKey(pTree, VK_F4, MK_CONTROL);
    AfxPumpMessages();
    EXPECT_EQ(Frame()->GetMDIChildCount(), 0);
}

TEST_F(TrellanTest, AnUnknownWindowKindIsOnlyRemembered)
{
    ASSERT_TRUE(Start({}));
    app->OpenDocumentWindow(3);
    AfxPumpMessages();
    EXPECT_EQ(app->m_nLastWindowKind, 3);
    EXPECT_EQ(Frame()->GetMDIChildCount(), 0);
}

}  // namespace

namespace {

TEST_F(TrellanTest, AChangeSavedFromTheMainWindowIsThereAfterARestart)
{
    std::string path = WriteProjectFile("again.tlp");
    ASSERT_TRUE(Start({path}));
    std::vector<CProjectDoc*> docs = OpenProjects();
    ASSERT_EQ(docs.size(), 1u);
    CProjectDoc* pDoc = docs[0];
    ASSERT_NE(pDoc, nullptr);
    ASSERT_EQ(pDoc->m_listTasks.GetCount(), 1);
    pDoc->m_listTasks.GetHead()->m_nDuration = 7 * 86400;
    pDoc->SetModifiedFlag();
    // Ctrl+S goes to the active project window's document.
    Frame()->SendMessage(WM_COMMAND, ID_FILE_SAVE, 0);
    AfxPumpMessages();
    EXPECT_FALSE(pDoc->IsModified());
    EXPECT_EQ(Frame()->GetProgressBar(), nullptr);
    Shutdown();

    ASSERT_TRUE(Start({path}));
    docs = OpenProjects();
    ASSERT_EQ(docs.size(), 1u);
    pDoc = docs[0];
    ASSERT_NE(pDoc, nullptr);
    ASSERT_EQ(pDoc->m_listTasks.GetCount(), 1);
    EXPECT_EQ(pDoc->m_listTasks.GetHead()->m_nDuration, 7 * 86400);
    EXPECT_EQ(pDoc->m_listTasks.GetHead()->m_strName, CString("设计"));
}

}  // namespace

#include "ProjectGenerator.h"
#include "TaskGridAccess.h"
#include "TaskTreeView.h"

namespace {

CTaskTreeView* TaskTreeOf(CDocument* pDoc)
{
    for (POSITION pos = pDoc->GetFirstViewPosition(); pos != nullptr;)
        if (CTaskTreeView* pView = DYNAMIC_DOWNCAST(CTaskTreeView, pDoc->GetNextView(pos)))
            return pView;
    return nullptr;
}

TEST_F(TrellanTest, ADurationEditedInTheTreeIsSavedAndThereAfterARestart)
{
    std::string path = m_dir + "/plan.tlp";
    ProjectGeneratorOptions options;
    options.nTasks = 40;
    std::string error;
    ASSERT_TRUE(WriteGeneratedProjectFile(options, path, error)) << error;
    ASSERT_TRUE(Start({path}));
    ASSERT_TRUE(Frame()->IsZoomed());
    std::vector<CProjectDoc*> docs = OpenProjects();
    ASSERT_EQ(docs.size(), 1u);
    CTaskTreeView* pTree = TaskTreeOf(docs[0]);
    ASSERT_NE(pTree, nullptr);  // the project window shows the task tree beside the chart
    CTaskGridAccess grid(pTree);
    // The first leaf task (a task without children) of the tree.
    int nRow = 1;
    while (nRow < grid.GetRowCount() && (grid.GetTask(nRow) == nullptr || !grid.GetTask(nRow)->m_listChildren.IsEmpty()))
        ++nRow;
    ASSERT_LT(nRow, grid.GetRowCount());
    CString strName = grid.GetTask(nRow)->m_strName;
    grid.EditCell(nRow, 3, "7个工作日");
    EXPECT_EQ(grid.GetTask(nRow)->m_nDuration, 7 * 86400);
    EXPECT_TRUE(docs[0]->IsModified());
    AfxTestKey(Frame(), 'S', MK_CONTROL);  // Ctrl+S
    AfxPumpMessages();
    EXPECT_FALSE(docs[0]->IsModified());
    Shutdown();

    ASSERT_TRUE(Start({path}));
    docs = OpenProjects();
    ASSERT_EQ(docs.size(), 1u);
    pTree = TaskTreeOf(docs[0]);
    ASSERT_NE(pTree, nullptr);
    CTaskGridAccess again(pTree);
    ASSERT_NE(again.GetTask(nRow), nullptr);
    EXPECT_EQ(again.GetTask(nRow)->m_strName, strName);
    EXPECT_EQ(again.GetTask(nRow)->m_nDuration, 7 * 86400);
    EXPECT_EQ(again.GetText(nRow, 3), CString("7个工作日"));
}

}  // namespace

#include <LumoDocMDIFrame.h>
#include <PdmTreeView.h>
#include <Pdm/PdmStore.h>

TEST_F(TrellanTest, TheBrowserWindowShowsTheStoresFolders)
{
    {
        CPdmStore store;
        ASSERT_TRUE(store.Open(m_dir + "/pdm.sqlite", CPdmStore::CreateIfMissing));
        ASSERT_TRUE(store.AddNodeClass(21, "folder"));
        int32_t nId = 0;
        ASSERT_TRUE(store.AddNode(20, 0, 21, u8"设计图纸", nId));
        ASSERT_TRUE(store.AddNode(20, 0, 21, u8"合同", nId));
    }
    ASSERT_TRUE(Start({}));
    Frame()->SendMessage(WM_COMMAND, ID_DOC_MANAGE, 0);
    AfxPumpMessages();
    CLumoDocMDIFrame* pBrowser = DYNAMIC_DOWNCAST(CLumoDocMDIFrame, Frame()->MDIGetActive());
    ASSERT_NE(pBrowser, nullptr);
    POSITION posDoc = app->m_pDocTemplate->GetFirstDocPosition();
    ASSERT_NE(posDoc, nullptr);
    CDocument* pDoc = app->m_pDocTemplate->GetNextDoc(posDoc);
    CPdmTreeView* pTreeView = nullptr;
    for (POSITION pos = pDoc->GetFirstViewPosition(); pos != NULL;)
        if (CPdmTreeView* p = DYNAMIC_DOWNCAST(CPdmTreeView, pDoc->GetNextView(pos)))
            pTreeView = p;
    ASSERT_NE(pTreeView, nullptr);
    CTreeCtrl* pTree = pTreeView->GetTreeCtrl();
    std::vector<CString> names;
    for (HTREEITEM h = pTree->GetRootItem(); h != NULL; h = pTree->GetNextSiblingItem(h))
        for (HTREEITEM c = pTree->GetChildItem(h); c != NULL; c = pTree->GetNextSiblingItem(c))
            names.push_back(pTree->GetItemText(c));
    for (HTREEITEM h = pTree->GetRootItem(); h != NULL; h = pTree->GetNextSiblingItem(h))
        names.push_back(pTree->GetItemText(h));
    EXPECT_NE(std::find(names.begin(), names.end(), CString("设计图纸")), names.end());
    EXPECT_NE(std::find(names.begin(), names.end(), CString("合同")), names.end());
    AfxTestGrabWindow(Frame(), AfxTestOutputPath("trellan_browser.png"));
}
