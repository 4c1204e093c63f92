// Local projects: a new project in its own window, saving to a file, save as, opening the
// file again, failed writes, and the commands that stay in memory for a local project.
#include "ProjectDocAppTest.h"

#include <ClassLib/Core/Clock.h>
#include <ClassLib/DocView/StdIds.h>
#include <ClassLib/Testing/UiScripts.h>

#include <csignal>
#include <sys/resource.h>

#include "ProjectDocIds.h"
#include "TestProjects.h"

namespace {

class DocLocalProjectTest : public ProjectDocAppTest
{
protected:
    void SetUp() override
    {
        ProjectDocAppTest::SetUp();
        const COleDateTime now(2026, 6, 1, 9, 30, 0);
        AfxTestSetCurrentTime(&now);
    }
    void TearDown() override
    {
        AfxTestSetCurrentTime(nullptr);
        AfxTestResetScripts();
        ProjectDocAppTest::TearDown();
    }
    // A new local project through FileNew with the sheet naming it.
    CProjectDoc* NewLocalProject(const CString& strName)
    {
        ProjectSetSheetRunner([this, strName](const CString& strCaption, int nKind, CProjSheetData& data) {
            strCaptionSeen = strCaption;
            nKindSeen = nKind;
            strNameOffered = data.strName;
            dtOffered = data.dtStart;
            data.strName = strName;
            data.strGoal = "按期完工";
            data.strCost = "880";
            return (INT_PTR)IDOK;
        });
        const int nBefore = DocumentCount();
        ShellDocument(1)->FileNew();
        if (DocumentCount() != nBefore + 2)
            return nullptr;
        return Newest();
    }
    CProjectDoc* Newest()
    {
        CProjectDoc* pLast = nullptr;
        POSITION pos = pTemplate->GetFirstDocPosition();
        while (pos != NULL)
            pLast = dynamic_cast<CProjectDoc*>(pTemplate->GetNextDoc(pos));
        return pLast;
    }
    void AddTask(CProjectDoc* pDoc, const CString& strName, int nRow)
    {
        CTaskItem* pTask = new CTaskItem;
        pTask->m_strName = strName;
        pTask->m_nRowInGrid = nRow;
        pTask->m_nFlag = FLAG_NEW;
        pTask->m_dtStart = COleDateTime(2026, 6, 2, 0, 0, 0);
        pTask->m_dtFinish = COleDateTime(2026, 6, 5, 0, 0, 0);
        pTask->m_nDuration = 4 * 86400;
        pDoc->m_listTasks.AddTail(pTask);
        pDoc->m_nMaxRowInGrid = nRow;
        pDoc->SetModifiedFlag();
    }

    CTempFolder folder;
    CString strCaptionSeen;
    int nKindSeen = -1;
    CString strNameOffered;
    COleDateTime dtOffered;
};

TEST_F(DocLocalProjectTest, FileNewOpensANamedProjectInItsOwnWindow)
{
    CProjectDoc* pDoc = NewLocalProject("厂房改造");
    ASSERT_NE(pDoc, nullptr);
    EXPECT_EQ(strCaptionSeen, CString("新建项目"));
    EXPECT_EQ(nKindSeen, 0);
    // The shell's document and the new one: the new one is the second.
    EXPECT_EQ(strNameOffered, CString("新建项目2"));
    EXPECT_EQ(dtOffered, COleDateTime(2026, 6, 1, 9, 30, 0));
    EXPECT_EQ(pDoc->m_bLocalFile, 1);
    EXPECT_EQ(pDoc->GetTitle(), CString("厂房改造"));
    EXPECT_EQ(pDoc->m_ProjectInfo.m_strGoal, CString("按期完工"));
    EXPECT_EQ(pDoc->m_ProjectInfo.m_nCost, 880);
    EXPECT_EQ(pDoc->m_ProjectInfo.m_nFlag, FLAG_NEW);
    EXPECT_EQ(pDoc->m_ProjectInfo.m_dtCreation, COleDateTime(2026, 6, 1, 9, 30, 0));
    EXPECT_EQ(pDoc->GetLoginName(), CString("u1"));
    EXPECT_FALSE(pDoc->IsModified());
    EXPECT_NE(ViewOf(pDoc), nullptr);
    EXPECT_EQ(frame->MDIGetActive(), ViewOf(pDoc)->GetParentFrame());
}

TEST_F(DocLocalProjectTest, TheDefaultNameCountsTheNewDocumentToo)
{
    ShellDocument(1);
    ASSERT_NE(NewLocalProject("甲"), nullptr);
    // Two documents before it (one made above, the shell's own): the third.
    EXPECT_EQ(strNameOffered, CString("新建项目3"));
}

TEST_F(DocLocalProjectTest, ACancelledSheetOpensNothing)
{
    ProjectSetSheetRunner([](const CString&, int, CProjSheetData&) { return (INT_PTR)IDCANCEL; });
    ShellDocument(1)->FileNew();
    EXPECT_EQ(DocumentCount(), 1);
    EXPECT_EQ(frame->MDIGetActive(), nullptr);
}

TEST_F(DocLocalProjectTest, SaveAsAndReopenGiveTheSameProject)
{
    CProjectDoc* pDoc = NewLocalProject("厂房改造");
    ASSERT_NE(pDoc, nullptr);
    AddTask(pDoc, "拆除", 1);
    AddTask(pDoc, "浇筑", 2);
    const CString strPath = folder.Path("plant.tlp").c_str();
    CString strOffered;
    DWORD dwFlags = 0;
    AfxTestPushFileDialogScript([&](CFileDialog* pDlg) {
        strOffered = pDlg->m_ofn.lpstrFile;
        dwFlags = pDlg->m_ofn.Flags;
        AfxFileDialogAnswer answer;
        answer.nResult = IDOK;
        answer.paths = {strPath};
        return answer;
    });
    EXPECT_TRUE(Command(pDoc, ID_FILE_SAVE_AS));
    EXPECT_EQ(strOffered, CString("厂房改造"));
    EXPECT_NE(dwFlags & OFN_OVERWRITEPROMPT, 0u);
    EXPECT_FALSE(pDoc->IsModified());
    // Save as writes a copy: the document keeps its own (empty) path.
    EXPECT_TRUE(pDoc->m_strFilePath.IsEmpty());
    ASSERT_FALSE(ReadFileBytes(folder.Path("plant.tlp")).empty());

    ShellDocument(1)->FileOpen(strPath);
    CProjectDoc* pBack = Newest();
    ASSERT_NE(pBack, pDoc);
    EXPECT_EQ(pBack->m_strFilePath, strPath);
    EXPECT_EQ(pBack->GetTitle(), strPath);
    EXPECT_EQ(pBack->m_ProjectInfo.m_strName, CString("厂房改造"));
    EXPECT_EQ(pBack->m_ProjectInfo.m_nCost, 880);
    ASSERT_EQ(pBack->m_listTasks.GetCount(), 2);
    EXPECT_EQ(pBack->m_listTasks.GetHead()->m_strName, CString("拆除"));
    EXPECT_EQ(pBack->m_listTasks.GetTail()->m_dtFinish, COleDateTime(2026, 6, 5, 0, 0, 0));
    EXPECT_FALSE(pBack->IsModified());
    EXPECT_NE(ViewOf(pBack), nullptr);
}

TEST_F(DocLocalProjectTest, SaveAsksForAPathOnceThenWritesThere)
{
    CProjectDoc* pDoc = NewLocalProject("厂房改造");
    ASSERT_NE(pDoc, nullptr);
    AddTask(pDoc, "拆除", 1);
    AfxTestPushFileDialogResult(IDCANCEL);
    EXPECT_TRUE(Command(pDoc, ID_FILE_SAVE));
    EXPECT_TRUE(pDoc->m_strFilePath.IsEmpty());
    EXPECT_TRUE(pDoc->IsModified());

    const CString strPath = folder.Path("a.tlp").c_str();
    AfxTestPushFileDialogResult(IDOK, {strPath});
    EXPECT_TRUE(Command(pDoc, ID_FILE_SAVE));
    EXPECT_EQ(pDoc->m_strFilePath, strPath);
    EXPECT_FALSE(pDoc->IsModified());
    const std::string first = ReadFileBytes(folder.Path("a.tlp"));
    ASSERT_FALSE(first.empty());

    AddTask(pDoc, "浇筑", 2);
    EXPECT_TRUE(Command(pDoc, ID_FILE_SAVE)); // no dialog this time
    EXPECT_GT(ReadFileBytes(folder.Path("a.tlp")).size(), first.size());
}

TEST_F(DocLocalProjectTest, AWriteThatFailsKeepsTheOldFileAndTheModifiedFlag)
{
    CProjectDoc* pDoc = NewLocalProject("厂房改造");
    ASSERT_NE(pDoc, nullptr);
    const std::string path = folder.Path("b.tlp");
    pDoc->m_strFilePath = path.c_str();
    EXPECT_TRUE(Command(pDoc, ID_FILE_SAVE));
    const std::string before = ReadFileBytes(path);
    ASSERT_FALSE(before.empty());

    // A full disk: the file size limit stops the write half-way.
    FillLargeProject(*pDoc, 20, 10, 5);
    pDoc->SetModifiedFlag();
    struct rlimit old;
    getrlimit(RLIMIT_FSIZE, &old);
    struct rlimit small = old;
    small.rlim_cur = 64 * 1024;
    void (*previous)(int) = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    {
        CTestMessageBoxes boxes;
        boxes.AnswerText("保存失败", IDOK);
        EXPECT_TRUE(Command(pDoc, ID_FILE_SAVE));
        EXPECT_EQ(boxes.Count(), 1);
    }
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previous);
    EXPECT_TRUE(pDoc->IsModified());
    EXPECT_EQ(ReadFileBytes(path), before);
    EXPECT_EQ(folder.Files(), std::vector<std::string>{"b.tlp"});

    // A folder nobody can write to.
    pDoc->m_strFilePath = "/proc/no-such-folder/c.tlp";
    CTestMessageBoxes boxes;
    boxes.AnswerText("保存失败", IDOK);
    EXPECT_TRUE(Command(pDoc, ID_FILE_SAVE));
    EXPECT_TRUE(pDoc->IsModified());

    // Closing: Yes, and the write fails: the document stays open with its edits.
    CString strPrompt;
    strPrompt.Format("  要保存 %s 吗?", (LPCTSTR)pDoc->GetTitle());
    boxes.AnswerText(strPrompt, IDYES);
    boxes.AnswerText("保存失败", IDOK);
    EXPECT_FALSE(pDoc->SaveModified());
    EXPECT_TRUE(pDoc->IsModified());
}

TEST_F(DocLocalProjectTest, ClosingWithACancelledFileDialogKeepsTheDocumentOpen)
{
    CProjectDoc* pDoc = NewLocalProject("厂房改造");
    ASSERT_NE(pDoc, nullptr);
    AddTask(pDoc, "拆除", 1);
    CTestMessageBoxes boxes;
    boxes.AnswerText("  要保存 厂房改造 吗?", IDYES);
    AfxTestPushFileDialogResult(IDCANCEL);
    EXPECT_FALSE(pDoc->SaveModified());
    EXPECT_TRUE(pDoc->IsModified());

    const CString strPath = folder.Path("c.tlp").c_str();
    boxes.AnswerText("  要保存 厂房改造 吗?", IDYES);
    AfxTestPushFileDialogResult(IDOK, {strPath});
    EXPECT_TRUE(pDoc->SaveModified());
    EXPECT_FALSE(pDoc->IsModified());
    EXPECT_EQ(pDoc->m_strFilePath, strPath);
}

TEST_F(DocLocalProjectTest, ADamagedFileIsReportedAndOpensNoWindow)
{
    WriteFileBytes(folder.Path("bad.tlp"), "not a project");
    CTestMessageBoxes boxes;
    boxes.AnswerText("bad.tlp", IDOK);
    ShellDocument(1)->FileOpen(folder.Path("bad.tlp").c_str());
    EXPECT_EQ(DocumentCount(), 1);
    EXPECT_EQ(frame->MDIGetActive(), nullptr);
}

TEST_F(DocLocalProjectTest, PausingALocalProjectChangesOnlyTheHeader)
{
    CProjectDoc* pDoc = NewLocalProject("厂房改造");
    ASSERT_NE(pDoc, nullptr);
    pDoc->m_ProjectInfo.m_nStatus = 1;
    pDoc->m_ProjectInfo.m_nFlag = FLAG_UNCHANGED;
    CTestMessageBoxes boxes;
    boxes.AnswerText("\n  确信要中止这个项目!", IDOK);
    boxes.AnswerText(" 确定中止项目!", IDOK);
    EXPECT_TRUE(Command(pDoc, ID_PROJ_PAUSE));
    EXPECT_EQ(pDoc->m_ProjectInfo.m_nStatus, 3);
    EXPECT_EQ(pDoc->m_ProjectInfo.m_nFlag, FLAG_MODIFIED);
    EXPECT_TRUE(Operations().empty());
}

TEST_F(DocLocalProjectTest, APausedLocalProjectAsksToBeSavedOnClosing)
{
    CProjectDoc* pDoc = NewLocalProject("厂房改造");
    ASSERT_NE(pDoc, nullptr);
    pDoc->m_ProjectInfo.m_nStatus = 1;
    ASSERT_FALSE(pDoc->IsModified());
    CTestMessageBoxes boxes;
    boxes.AnswerText("\n  确信要中止这个项目!", IDOK);
    boxes.AnswerText(" 确定中止项目!", IDOK);
    EXPECT_TRUE(Command(pDoc, ID_PROJ_PAUSE));
    EXPECT_TRUE(pDoc->IsModified());
    boxes.AnswerText("  要保存 厂房改造 吗?", IDCANCEL);
    EXPECT_FALSE(pDoc->SaveModified());
    EXPECT_EQ(boxes.Count(), 3);
}

TEST_F(DocLocalProjectTest, ServerSettingsWithoutAServerNameAreNoMatterForLocalProjects)
{
    HKEY hKey = NULL;
    ASSERT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, "SOFTWARE\\Dunhelm\\Lumo\\MasterClient", 0, KEY_ALL_ACCESS, &hKey),
              ERROR_SUCCESS);
    RegDeleteValue(hKey, "Server");
    RegCloseKey(hKey);
    const CString strPath = folder.Path("s.tlp").c_str();
    {
        // Neither a new project nor a local file says anything about the server.
        CTestMessageBoxes boxes;
        CProjectDoc* pDoc = NewLocalProject("厂房改造");
        ASSERT_NE(pDoc, nullptr);
        ASSERT_TRUE(pDoc->WriteLocalFile(strPath));
        const int nDocs = DocumentCount();
        ShellDocument(1)->FileOpen(strPath);
        EXPECT_EQ(DocumentCount(), nDocs + 2);
        EXPECT_EQ(boxes.Count(), 0);
    }
    // Opening from the server says it, and goes no further.
    CTestMessageBoxes boxes;
    boxes.AnswerText("没有设置服务器名!", IDOK);
    int nLists = 0;
    ProjectSetOpenRunner([&](int, const CString&, const CString&, const CString&, const CString&, int&) {
        ++nLists;
        return (INT_PTR)IDCANCEL;
    });
    ShellDocument(0)->FileOpen("");
    EXPECT_EQ(boxes.Count(), 1);
    EXPECT_EQ(nLists, 0);
}

TEST_F(DocLocalProjectTest, DeletingALocalProjectRemovesItsFileAndClosesIt)
{
    CProjectDoc* pDoc = NewLocalProject("厂房改造");
    ASSERT_NE(pDoc, nullptr);
    const std::string path = folder.Path("d.tlp");
    pDoc->m_strFilePath = path.c_str();
    EXPECT_TRUE(Command(pDoc, ID_FILE_SAVE));
    ASSERT_EQ(folder.Files(), std::vector<std::string>{"d.tlp"});
    tagPermInfo perm;
    perm.strCode = "u1";
    perm.nDeleteProj = 1;
    pDoc->m_listPermissions.AddTail(perm);

    const int nDocs = DocumentCount();
    CTestMessageBoxes boxes;
    boxes.AnswerText("\n  确信删除这个项目!", IDOK);
    Command(pDoc, ID_PROJ_DELETE);
    AfxPumpMessages();
    EXPECT_TRUE(folder.Files().empty());
    EXPECT_EQ(DocumentCount(), nDocs - 1);
    EXPECT_TRUE(Operations().empty());
}

TEST_F(DocLocalProjectTest, DeletingALocalProjectWhoseFileIsGoneStillClosesIt)
{
    CProjectDoc* pDoc = NewLocalProject("厂房改造");
    ASSERT_NE(pDoc, nullptr);
    pDoc->m_strFilePath = folder.Path("gone.tlp").c_str();
    tagPermInfo perm;
    perm.strCode = "u1";
    perm.nDeleteProj = 1;
    pDoc->m_listPermissions.AddTail(perm);
    const int nDocs = DocumentCount();
    CTestMessageBoxes boxes;
    boxes.AnswerText("\n  确信删除这个项目!", IDOK);
    Command(pDoc, ID_PROJ_DELETE);
    AfxPumpMessages();
    EXPECT_EQ(boxes.Count(), 1);
    EXPECT_EQ(DocumentCount(), nDocs - 1);
}

TEST_F(DocLocalProjectTest, DeletingANeverSavedProjectWithoutAServerEndsAfterTheQuestion)
{
    RegDeleteTree(HKEY_LOCAL_MACHINE, "SOFTWARE\\Dunhelm");
    CProjectDoc* pDoc = NewLocalProject("厂房改造");
    ASSERT_NE(pDoc, nullptr);
    EXPECT_TRUE(pDoc->m_strServiceUrl.IsEmpty());
    tagPermInfo perm;
    perm.strCode = "u1";
    perm.nDeleteProj = 1;
    pDoc->m_listPermissions.AddTail(perm);
    const int nDocs = DocumentCount();
    CTestMessageBoxes boxes;
    boxes.AnswerText("\n  确信删除这个项目!", IDOK);
    Command(pDoc, ID_PROJ_DELETE);
    EXPECT_EQ(boxes.Count(), 1);
    EXPECT_EQ(DocumentCount(), nDocs);
    EXPECT_TRUE(Operations().empty());
}

} // namespace
