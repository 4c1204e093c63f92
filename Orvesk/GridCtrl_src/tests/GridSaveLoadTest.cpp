// Saving the grid's texts to a comma-separated file and loading it back.
#include "GridCtrl.h"

#include <ClassLib/Testing/MessageBoxes.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>
#include <dirent.h>
#include <sys/stat.h>
#include <vector>

namespace
{
std::string TempPath(const char* name)
{
    static std::string dir;
    if (dir.empty())
    {
        char tmpl[] = "/tmp/gridsaveloadXXXXXX";
        const char* p = mkdtemp(tmpl);
        dir = p ? p : "/tmp";
    }
    return dir + "/" + name;
}

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

// A 3 x 2 grid: headings in row 0, two rows of texts.
void Fill3x2(CGridCtrl& grid)
{
    grid.SetRowCount(3);
    grid.SetColumnCount(2);
    grid.SetFixedRowCount(1);
    grid.SetItemText(0, 0, _T("Name"));
    grid.SetItemText(0, 1, _T("Days"));
    grid.SetItemText(1, 0, _T("Design"));
    grid.SetItemText(1, 1, _T("5"));
    grid.SetItemText(2, 0, _T("Build"));
    grid.SetItemText(2, 1, _T("12"));
}
} // namespace

TEST(GridSaveLoad, SaveWritesOneLinePerRowWithCrLf)
{
    CGridCtrl grid;
    Fill3x2(grid);
    std::string path = TempPath("save3x2.txt");
    ASSERT_TRUE(grid.Save(path.c_str()));
    EXPECT_EQ("Name,Days\r\nDesign,5\r\nBuild,12\r\n", ReadBytes(path));
}

TEST(GridSaveLoad, LoadOfASavedGridGivesTheSameRows)
{
    CGridCtrl grid;
    Fill3x2(grid);
    std::string path = TempPath("roundtrip.txt");
    ASSERT_TRUE(grid.Save(path.c_str()));

    CGridCtrl loaded(7, 5, 1, 1);
    loaded.SetItemText(3, 3, _T("old"));
    ASSERT_TRUE(loaded.Load(path.c_str()));
    ASSERT_EQ(3, loaded.GetRowCount());
    ASSERT_EQ(2, loaded.GetColumnCount());
    for (int row = 0; row < 3; row++)
        for (int col = 0; col < 2; col++)
            EXPECT_STREQ((LPCTSTR)grid.GetItemText(row, col), (LPCTSTR)loaded.GetItemText(row, col))
                << row << "," << col;
    // The headings get centred single-line cells.
    EXPECT_EQ((UINT)0x25, loaded.GetItemFormat(0, 0));
    EXPECT_EQ((UINT)0x25, loaded.GetItemFormat(0, 1));

    // Saving the loaded grid gives the same bytes again.
    std::string path2 = TempPath("roundtrip2.txt");
    ASSERT_TRUE(loaded.Save(path2.c_str()));
    EXPECT_EQ(ReadBytes(path), ReadBytes(path2));
}

TEST(GridSaveLoad, ACommaInsideATextSplitsItOnLoad)
{
    CGridCtrl grid;
    Fill3x2(grid);
    grid.SetItemText(1, 1, _T("5,5"));
    std::string path = TempPath("comma.txt");
    ASSERT_TRUE(grid.Save(path.c_str()));
    EXPECT_EQ("Name,Days\r\nDesign,5,5\r\nBuild,12\r\n", ReadBytes(path));

    CGridCtrl loaded;
    ASSERT_TRUE(loaded.Load(path.c_str()));
    EXPECT_STREQ("5", (LPCTSTR)loaded.GetItemText(1, 1));
    // The split-off text is kept in a further column rather than dropped.
    ASSERT_EQ(3, loaded.GetColumnCount());
    EXPECT_STREQ("5", (LPCTSTR)loaded.GetItemText(1, 2));
    EXPECT_STREQ("", (LPCTSTR)loaded.GetItemText(0, 2));
    EXPECT_STREQ("", (LPCTSTR)loaded.GetItemText(2, 2));
    EXPECT_STREQ("12", (LPCTSTR)loaded.GetItemText(2, 1));
}

TEST(GridSaveLoad, LoadReadsLfAndCrLfLines)
{
    std::string pathLf = TempPath("lf.txt");
    std::string pathCrLf = TempPath("crlf.txt");
    WriteBytes(pathLf, "A,B,C\nx,y,z\n1,2,3");
    WriteBytes(pathCrLf, "A,B,C\r\nx,y,z\r\n1,2,3\r\n");
    for (const std::string& path : {pathLf, pathCrLf})
    {
        CGridCtrl grid;
        ASSERT_TRUE(grid.Load(path.c_str())) << path;
        ASSERT_EQ(3, grid.GetRowCount()) << path;
        ASSERT_EQ(3, grid.GetColumnCount()) << path;
        EXPECT_STREQ("C", (LPCTSTR)grid.GetItemText(0, 2)) << path;
        EXPECT_STREQ("z", (LPCTSTR)grid.GetItemText(1, 2)) << path;
        EXPECT_STREQ("1", (LPCTSTR)grid.GetItemText(2, 0)) << path;
        EXPECT_STREQ("3", (LPCTSTR)grid.GetItemText(2, 2)) << path;
    }
}

TEST(GridSaveLoad, LoadReadsAFirstLineLongerThan1024Characters)
{
    std::string longHeading(3000, 'h');
    std::string path = TempPath("long.txt");
    WriteBytes(path, "first," + longHeading + ",last\r\nr,a,b\r\n");
    CGridCtrl grid;
    ASSERT_TRUE(grid.Load(path.c_str()));
    ASSERT_EQ(3, grid.GetColumnCount());
    EXPECT_EQ(longHeading, std::string((LPCTSTR)grid.GetItemText(0, 1)));
    EXPECT_STREQ("last", (LPCTSTR)grid.GetItemText(0, 2));
    EXPECT_STREQ("b", (LPCTSTR)grid.GetItemText(1, 2));
}

TEST(GridSaveLoad, LoadOfAMissingFileReportsAndKeepsTheGrid)
{
    CTestMessageBoxes boxes;
    boxes.Answer(IDOK);
    CGridCtrl grid;
    Fill3x2(grid);
    EXPECT_FALSE(grid.Load(TempPath("does-not-exist.txt").c_str()));
    EXPECT_EQ(1, boxes.Count());
    EXPECT_EQ(3, grid.GetRowCount());
    EXPECT_STREQ("Build", (LPCTSTR)grid.GetItemText(2, 0));
}

TEST(GridSaveLoad, SaveToAMissingFolderReportsTheFileError)
{
    CTestMessageBoxes boxes;
    boxes.Answer(IDOK);
    CGridCtrl grid;
    Fill3x2(grid);
    EXPECT_FALSE(grid.Save(TempPath("no-such-folder/grid.txt").c_str()));
    ASSERT_EQ(1, boxes.Count());
    EXPECT_STRNE("Unable to save grid list", (LPCTSTR)boxes.Boxes()[0].text);
}

TEST(GridSaveLoad, AWriteErrorReportsUnableToSave)
{
    // A file size limit makes the writes fail part way (EFBIG instead of the signal).
    struct rlimit old;
    ASSERT_EQ(0, getrlimit(RLIMIT_FSIZE, &old));
    void (*oldHandler)(int) = signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 100;

    CTestMessageBoxes boxes;
    boxes.AnswerText(_T("Unable to save grid list"), IDOK);
    CGridCtrl grid(200, 5, 1, 1);
    for (int row = 0; row < 200; row++)
        for (int col = 0; col < 5; col++)
            grid.SetItemText(row, col, _T("some text to fill the buffer of the stream"));
    std::string path = TempPath("toolarge.txt");
    ASSERT_EQ(0, setrlimit(RLIMIT_FSIZE, &small));
    BOOL bSaved = grid.Save(path.c_str());
    setrlimit(RLIMIT_FSIZE, &old);
    signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(bSaved);
    ASSERT_EQ(1, boxes.Count());
    EXPECT_STREQ("Unable to save grid list", (LPCTSTR)boxes.Boxes()[0].text);
}

TEST(GridSaveLoad, AnEmptyFileLoadsAnEmptyGrid)
{
    std::string path = TempPath("empty.txt");
    WriteBytes(path, "");
    CGridCtrl grid(3, 3);
    EXPECT_TRUE(grid.Load(path.c_str()));
    EXPECT_EQ(0, grid.GetRowCount());
    EXPECT_EQ(0, grid.GetColumnCount());
}

namespace
{
// A folder of its own, so that its names can be counted.
std::string NewFolder()
{
    char tmpl[] = "/tmp/gridsafesaveXXXXXX";
    const char* p = mkdtemp(tmpl);
    return p ? p : "";
}

// Every name in the folder, hidden ones included, sorted.
std::vector<std::string> NamesIn(const std::string& dir)
{
    std::vector<std::string> names;
    if (DIR* d = opendir(dir.c_str()))
    {
        while (dirent* e = readdir(d))
        {
            const std::string name = e->d_name;
            if (name != "." && name != "..")
                names.push_back(name);
        }
        closedir(d);
    }
    std::sort(names.begin(), names.end());
    return names;
}

void RemoveFolder(const std::string& dir)
{
    for (const std::string& name : NamesIn(dir))
        std::remove((dir + "/" + name).c_str());
    rmdir(dir.c_str());
}
} // namespace

TEST(GridSaveLoad, AWriteErrorKeepsTheOldFileAndLeavesNoTemporary)
{
    const std::string dir = NewFolder();
    ASSERT_FALSE(dir.empty());
    const std::string path = dir + "/list.txt";
    {
        CGridCtrl first;
        Fill3x2(first);
        ASSERT_TRUE(first.Save(path.c_str()));
    }
    const std::string old = ReadBytes(path);
    ASSERT_EQ("Name,Days\r\nDesign,5\r\nBuild,12\r\n", old);

    struct rlimit limit;
    ASSERT_EQ(0, getrlimit(RLIMIT_FSIZE, &limit));
    void (*oldHandler)(int) = signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = limit;
    small.rlim_cur = 100;

    CTestMessageBoxes boxes;
    boxes.AnswerText(_T("Unable to save grid list"), IDOK);
    CGridCtrl grid(200, 5, 1, 1);
    for (int row = 0; row < 200; row++)
        for (int col = 0; col < 5; col++)
            grid.SetItemText(row, col, _T("some text to fill the buffer of the stream"));
    ASSERT_EQ(0, setrlimit(RLIMIT_FSIZE, &small));
    BOOL bSaved = grid.Save(path.c_str());
    setrlimit(RLIMIT_FSIZE, &limit);
    signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(bSaved);
    ASSERT_EQ(1, boxes.Count());
    EXPECT_STREQ("Unable to save grid list", (LPCTSTR)boxes.Boxes()[0].text);
    EXPECT_EQ(old, ReadBytes(path));
    EXPECT_EQ(std::vector<std::string>{"list.txt"}, NamesIn(dir));
    RemoveFolder(dir);
}

TEST(GridSaveLoad, SaveReplacesAnOlderFileWholeAndKeepsItsPermissions)
{
    const std::string dir = NewFolder();
    ASSERT_FALSE(dir.empty());
    const std::string path = dir + "/list.txt";
    WriteBytes(path, std::string(500, 'o') + "\r\nold tail\r\n");
    ASSERT_EQ(0, chmod(path.c_str(), 0604));
    CGridCtrl grid;
    Fill3x2(grid);
    ASSERT_TRUE(grid.Save(path.c_str()));
    EXPECT_EQ("Name,Days\r\nDesign,5\r\nBuild,12\r\n", ReadBytes(path));
    struct stat st;
    ASSERT_EQ(0, stat(path.c_str(), &st));
    EXPECT_EQ(0604u, st.st_mode & 07777u);
    EXPECT_EQ(std::vector<std::string>{"list.txt"}, NamesIn(dir));
    RemoveFolder(dir);
}

TEST(GridSaveLoad, ACodePage936FileNameIsSavedUnderItsUtf8Name)
{
    const std::string dir = NewFolder();
    ASSERT_FALSE(dir.empty());
    // "表格.txt" in code page 936 and in UTF-8.
    const std::string path = dir + "/\xb1\xed\xb8\xf1.txt";
    const std::string onDisk = "\xe8\xa1\xa8\xe6\xa0\xbc.txt";
    CGridCtrl grid;
    Fill3x2(grid);
    ASSERT_TRUE(grid.Save(path.c_str()));
    EXPECT_EQ(std::vector<std::string>{onDisk}, NamesIn(dir));
    EXPECT_EQ("Name,Days\r\nDesign,5\r\nBuild,12\r\n", ReadBytes(dir + "/" + onDisk));
    CGridCtrl loaded;
    ASSERT_TRUE(loaded.Load(path.c_str()));
    EXPECT_STREQ("Build", (LPCTSTR)loaded.GetItemText(2, 0));
    RemoveFolder(dir);
}

TEST(GridSaveLoad, SaveToAMissingFolderReportsWhatAnOpenReports)
{
    const std::string path = TempPath("missing-folder/grid.txt");
    CStdioFile file;
    CFileException ex;
    ASSERT_FALSE(file.Open(path.c_str(), CFile::modeWrite | CFile::modeCreate | CFile::typeText, &ex));
    CTestMessageBoxes boxes;
    boxes.Answer(IDOK);
    boxes.Answer(IDOK);
    ex.ReportError();
    CGridCtrl grid;
    Fill3x2(grid);
    EXPECT_FALSE(grid.Save(path.c_str()));
    ASSERT_EQ(2, boxes.Count());
    EXPECT_STRNE("", (LPCTSTR)boxes.Boxes()[0].text);
    EXPECT_STREQ((LPCTSTR)boxes.Boxes()[0].text, (LPCTSTR)boxes.Boxes()[1].text);
}

TEST(GridSaveLoad, LoadIntoAWindowSizesEveryColumnToItsTextAndSetsTheScrollRange)
{
    AfxEnsureApplication();
    std::string text = "a";
    for (int col = 1; col < 400; col++)
        text += col % 7 ? ",b" : ",a much wider heading";
    text += "\r\n1,x\r\n";
    std::string path = TempPath("wide.txt");
    WriteBytes(path, text);
    CWnd frame;
    CGridCtrl grid;
    ASSERT_TRUE(frame.CreateEx(0, AFX_WND_CLASS, "frame", WS_POPUP | WS_VISIBLE, 0, 0, 500, 300, nullptr, nullptr));
    ASSERT_TRUE(grid.Create(CRect(0, 0, 480, 280), &frame, 1, WS_CHILD | WS_VISIBLE));
    ASSERT_TRUE(grid.Load(path.c_str()));
    ASSERT_EQ(400, grid.GetColumnCount());
    // Every column as wide as its widest text: the wide headings wider than the narrow.
    EXPECT_GT(grid.GetColumnWidth(7), grid.GetColumnWidth(8));
    EXPECT_EQ(grid.GetColumnWidth(7), grid.GetColumnWidth(14));
    EXPECT_EQ(grid.GetColumnWidth(8), grid.GetColumnWidth(398));
    const int width8 = grid.GetColumnWidth(8);
    grid.AutoSizeColumn(8);
    EXPECT_EQ(width8, grid.GetColumnWidth(8));
    // The scroll range covers the columns as sized at the end of the load.
    SCROLLINFO si = {};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE;
    ASSERT_TRUE(grid.GetScrollInfo(SB_HORZ, &si));
    long total = 0;
    for (int col = 0; col < grid.GetColumnCount(); col++)
        total += grid.GetColumnWidth(col);
    EXPECT_GE((long)si.nMax + 1, total - grid.GetFixedColumnWidth() - 480);
    EXPECT_GT(si.nMax, 400 * width8 / 2);
    grid.DestroyWindow();
    frame.DestroyWindow();
}
