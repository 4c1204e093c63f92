// CStdioFile text lines and CFileFind.
#include <ClassLib/Core/File.h>

#include <gtest/gtest.h>

#include "TempFolder.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::vector<std::string> Lines(const std::string& path, UINT nFlags = CFile::typeText)
{
    CStdioFile file(path.c_str(), CFile::modeRead | nFlags);
    std::vector<std::string> lines;
    CString line;
    while (file.ReadString(line))
        lines.push_back(static_cast<LPCTSTR>(line));
    return lines;
}

}  // namespace

TEST(StdioFileTest, WriteStringWritesCrLfInTextMode)
{
    TempFolder folder("pc_stdio_test");
    std::string path = folder.Path("out.txt");
    {
        CStdioFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::typeText);
        file.WriteString("a,b\n");
        file.WriteString("\n\xD6\xD0\n");
        file.WriteString("tail");
        file.Close();
    }
    EXPECT_EQ("a,b\r\n\r\n\xD6\xD0\r\ntail", ReadAll(path));

    {
        CStdioFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::typeBinary);
        file.WriteString("x\ny\n");
    }
    EXPECT_EQ("x\ny\n", ReadAll(path));
}

TEST(StdioFileTest, ReadStringReadsBothLineEndsAndTheLastLine)
{
    TempFolder folder("pc_stdio_test");
    std::string path = folder.Path("in.txt");
    WriteAll(path, "first\r\nsecond\n\r\nfourth\rstill\nlast");
    EXPECT_EQ((std::vector<std::string>{"first", "second", "", "fourth\rstill", "last"}),
              Lines(path));
    WriteAll(path, "one\n");
    EXPECT_EQ((std::vector<std::string>{"one"}), Lines(path));
    WriteAll(path, "");
    EXPECT_EQ((std::vector<std::string>{}), Lines(path));
    // Binary mode keeps the carriage return.
    WriteAll(path, "a\r\nb");
    EXPECT_EQ((std::vector<std::string>{"a\r", "b"}), Lines(path, CFile::typeBinary));
}

TEST(StdioFileTest, ReadStringTakesLinesOfAnyLength)
{
    TempFolder folder("pc_stdio_test");
    std::string path = folder.Path("long.txt");
    std::string longLine;
    for (int i = 0; i < 5000; ++i)
        longLine.push_back(static_cast<char>('a' + i % 26));
    WriteAll(path, longLine + "\r\nnext\r\n");
    std::vector<std::string> lines = Lines(path);
    ASSERT_EQ(2u, lines.size());
    EXPECT_EQ(5000u, lines[0].size());
    EXPECT_EQ(longLine, lines[0]);
    EXPECT_EQ("next", lines[1]);
}

TEST(StdioFileTest, ReadStringIntoABufferKeepsTheNewlineLikeFgets)
{
    TempFolder folder("pc_stdio_test");
    std::string path = folder.Path("buf.txt");
    WriteAll(path, "abcdef\r\ngh\n");
    CStdioFile file(path.c_str(), CFile::modeRead | CFile::typeText);
    char buffer[5];
    ASSERT_NE(nullptr, file.ReadString(buffer, sizeof(buffer)));
    EXPECT_STREQ("abcd", buffer);
    ASSERT_NE(nullptr, file.ReadString(buffer, sizeof(buffer)));
    EXPECT_STREQ("ef\n", buffer);
    ASSERT_NE(nullptr, file.ReadString(buffer, sizeof(buffer)));
    EXPECT_STREQ("gh\n", buffer);
    EXPECT_EQ(nullptr, file.ReadString(buffer, sizeof(buffer)));
}

TEST(StdioFileTest, WriteAndReadBackThroughTheSameClass)
{
    TempFolder folder("pc_stdio_test");
    std::string path = folder.Path("round.txt");
    {
        CStdioFile file;
        ASSERT_TRUE(
            file.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::typeText));
        file.WriteString("h1,h2\n");
        file.WriteString("r1,\xD6\xD0\n");
    }
    EXPECT_EQ((std::vector<std::string>{"h1,h2", "r1,\xD6\xD0"}), Lines(path));
    CStdioFile file(path.c_str(), CFile::modeRead);
    EXPECT_EQ(CString(path.c_str()), file.GetFilePath());
    EXPECT_EQ(14u, file.GetLength());
    char raw[16];
    // Text mode reads "\r\n" as "\n".
    EXPECT_EQ(12u, file.Read(raw, sizeof(raw)));
    EXPECT_EQ("h1,h2\nr1,\xD6\xD0\n", std::string(raw, 12));
}

TEST(StdioFileTest, OpenFailureReportsTheFile)
{
    TempFolder folder("pc_stdio_test");
    CStdioFile file;
    CFileException error;
    EXPECT_FALSE(file.Open(folder.Path("no/such.txt").c_str(), CFile::modeRead, &error));
    EXPECT_EQ(CFileException::fileNotFound, error.m_cause);
    EXPECT_EQ(nullptr, file.m_pStream);
}

TEST(FileFindTest, WildcardsMatchWithoutRegardToCaseInNameOrder)
{
    TempFolder folder("pc_stdio_test");
    WriteAll(folder.Path("b.txt"), "bb");
    WriteAll(folder.Path("A.TXT"), "a");
    WriteAll(folder.Path("c.dat"), "");
    WriteAll(folder.Path("\xE4\xB8\xAD.txt"), "");  // 中.txt
    fs::create_directory(folder.Path("sub.txt"));

    CFileFind finder;
    std::vector<std::string> names;
    BOOL bWorking = finder.FindFile((folder.path() + "/*.txt").c_str());
    EXPECT_TRUE(bWorking);
    while (bWorking) {
        bWorking = finder.FindNextFile();
        names.push_back(static_cast<LPCTSTR>(finder.GetFileName()));
        if (names.back() == "b.txt") {
            EXPECT_EQ(2u, finder.GetLength());
            EXPECT_FALSE(finder.IsDirectory());
            EXPECT_EQ(CString(folder.Path("b.txt").c_str()), finder.GetFilePath());
            EXPECT_EQ(CString("b"), finder.GetFileTitle());
        }
        if (names.back() == "sub.txt") {
            EXPECT_TRUE(finder.IsDirectory());
        }
    }
    EXPECT_EQ((std::vector<std::string>{"A.TXT", "b.txt", "sub.txt", "\xD6\xD0.txt"}), names);
    EXPECT_EQ(CString(folder.path().c_str()), finder.GetRoot());

    // '?' stands for one character, a double-byte one too.
    ASSERT_TRUE(finder.FindFile((folder.path() + "/?.txt").c_str()));
    names.clear();
    do {
        bWorking = finder.FindNextFile();
        names.push_back(static_cast<LPCTSTR>(finder.GetFileName()));
    } while (bWorking);
    EXPECT_EQ((std::vector<std::string>{"A.TXT", "b.txt", "\xD6\xD0.txt"}), names);
}

TEST(FileFindTest, StarDotStarListsEverythingWithTheDots)
{
    TempFolder folder("pc_stdio_test");
    WriteAll(folder.Path("noext"), "");
    fs::create_directory(folder.Path("dir"));
    CFileFind finder;
    ASSERT_TRUE(finder.FindFile((folder.path() + "\\*.*").c_str()));
    std::vector<std::string> names;
    int nDots = 0;
    BOOL bWorking = TRUE;
    while (bWorking) {
        bWorking = finder.FindNextFile();
        if (finder.IsDots()) {
            ++nDots;
            EXPECT_TRUE(finder.IsDirectory());
            continue;
        }
        names.push_back(static_cast<LPCTSTR>(finder.GetFileName()));
    }
    EXPECT_EQ(2, nDots);
    EXPECT_EQ((std::vector<std::string>{"dir", "noext"}), names);
}

TEST(FileFindTest, ExactNamesAndNoMatches)
{
    TempFolder folder("pc_stdio_test");
    WriteAll(folder.Path("one.tlp"), "1");
    CFileFind finder;
    ASSERT_TRUE(finder.FindFile(folder.Path("one.tlp").c_str()));
    // Before the first FindNextFile there is no current file.
    EXPECT_TRUE(finder.GetFileName().IsEmpty());
    EXPECT_FALSE(finder.FindNextFile());  // the first match is also the last
    EXPECT_EQ(CString("one.tlp"), finder.GetFileName());
    EXPECT_FALSE(finder.FindNextFile());
    EXPECT_EQ(CString("one.tlp"), finder.GetFileName());
    EXPECT_FALSE(finder.FindFile(folder.Path("two.tlp").c_str()));
    EXPECT_FALSE(finder.FindFile(folder.Path("*.none").c_str()));
    EXPECT_FALSE(finder.FindFile(folder.Path("missing/*.*").c_str()));
    EXPECT_FALSE(finder.FindNextFile());
}
