// Open and save dialogs under a script.
#include <ClassLib/Testing.h>

#include <QDateTime>
#include <QLocale>

#include <cstring>
#include <vector>

namespace {

class FileDialogTest : public CWndTestBase
{
protected:
    void SetUp() override
    {
        CWndTestBase::SetUp();
        AfxTestResetScripts();
    }
};

}  // namespace

TEST_F(FileDialogTest, MultipleChoiceGivesEveryPathInOrder)
{
    // The reference page's dialog: several files, the platform's filter form.
    CFileDialog dlg(TRUE, nullptr, nullptr, OFN_ALLOWMULTISELECT | OFN_ENABLESIZING | OFN_READONLY | OFN_OVERWRITEPROMPT,
                    "All Files (*.*)|*.*||");
    ASSERT_EQ(dlg.GetFilters().size(), 1u);
    EXPECT_EQ(dlg.GetFilters()[0].first, "All Files (*.*)");
    EXPECT_EQ(dlg.GetFilters()[0].second, "*.*");
    EXPECT_EQ(std::memcmp(dlg.m_ofn.lpstrFilter, "All Files (*.*)\0*.*\0\0", 22), 0);
    // More names than the platform's default buffer can hold.
    std::vector<CString> paths;
    for (int i = 0; i < 40; ++i) {
        CString p;
        p.Format("/home/user/docs/drawing-%02d.doc", i);
        paths.push_back(p);
    }
    AfxTestPushFileDialogScript([&paths](CFileDialog* d) {
        EXPECT_TRUE(d->m_bOpenFileDialog);
        AfxFileDialogAnswer a;
        a.nResult = IDOK;
        a.paths = paths;
        return a;
    });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    std::vector<CString> got;
    for (POSITION pos = dlg.GetStartPosition(); pos;)
        got.push_back(dlg.GetNextPathName(pos));
    EXPECT_EQ(got, paths);
    // The buffer starts with the folder, then the names, as far as they fit.
    EXPECT_STREQ(dlg.m_ofn.lpstrFile, "/home/user/docs");
    EXPECT_STREQ(dlg.m_ofn.lpstrFile + 16, "drawing-00.doc");
    EXPECT_EQ(dlg.m_ofn.lpstrFile[dlg.m_ofn.nMaxFile - 1], '\0');
}

TEST_F(FileDialogTest, SaveAddsTheDefaultExtensionAndSplitsThePath)
{
    CFileDialog dlg(FALSE, "tlp", "project", OFN_OVERWRITEPROMPT, "Project (*.tlp)|*.tlp|All (*.*)|*.*||");
    EXPECT_STREQ(dlg.m_ofn.lpstrFile, "project");
    AfxTestPushFileDialogResult(IDOK, {"/tmp/plans/Bridge"});
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.GetPathName(), "/tmp/plans/Bridge.tlp");
    EXPECT_EQ(dlg.GetFileName(), "Bridge.tlp");
    EXPECT_EQ(dlg.GetFileTitle(), "Bridge");
    EXPECT_EQ(dlg.GetFileExt(), "tlp");
    EXPECT_EQ(dlg.GetFolderPath(), "/tmp/plans");
    EXPECT_EQ(dlg.m_ofn.nFileOffset, 11);
    EXPECT_EQ(dlg.GetFilters().size(), 2u);
}

TEST_F(FileDialogTest, CancelAndEmptyAnswersChooseNothing)
{
    CFileDialog dlg(TRUE);
    AfxTestPushFileDialogResult(IDCANCEL);
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.GetStartPosition(), nullptr);
    AfxTestPushFileDialogResult(IDOK, {});
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    // One file for a single-choice dialog even when the script gives more.
    AfxTestPushFileDialogResult(IDOK, {"/a/one.txt", "/a/two.txt"});
    ASSERT_EQ(dlg.DoModal(), IDOK);
    POSITION pos = dlg.GetStartPosition();
    EXPECT_EQ(dlg.GetNextPathName(pos), "/a/one.txt");
    EXPECT_EQ(pos, nullptr);
}

TEST_F(FileDialogTest, TheToolkitsDialogsWriteDatesTheChineseWay)
{
    // The open dialog's list shows each file's date in the toolkit's system locale.
    const QDateTime when(QDate(2026, 1, 2), QTime(9, 5));
    EXPECT_EQ(QLocale::system().toString(when, QLocale::ShortFormat).toStdString(), "2026/1/2 09:05");
}
