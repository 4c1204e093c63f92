// CFile and CMemFile: opening modes, errors, positions, names and paths.
#include <ClassLib/Core/File.h>

#include <gtest/gtest.h>

#include "TempFolder.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace fs = std::filesystem;

TEST(FileTest, WriteSeekReadAndLength)
{
    TempFolder folder;
    std::string path = folder.Path("data.bin");
    CFile file;
    ASSERT_TRUE(file.Open(path.c_str(), CFile::modeCreate | CFile::modeReadWrite));
    file.Write("hello world", 11);
    EXPECT_EQ(11u, file.GetLength());
    EXPECT_EQ(11u, file.GetPosition());
    EXPECT_EQ(6, file.Seek(6, CFile::begin));
    char buffer[16] = {0};
    EXPECT_EQ(5u, file.Read(buffer, sizeof(buffer)));
    EXPECT_STREQ("world", buffer);
    EXPECT_EQ(0u, file.Read(buffer, sizeof(buffer)));
    EXPECT_EQ(9, file.Seek(-2, CFile::end));
    EXPECT_EQ(10, file.Seek(1, CFile::current));
    file.SetLength(5);
    EXPECT_EQ(5u, file.GetLength());
    EXPECT_EQ(5u, file.SeekToEnd());
    file.SeekToBegin();
    EXPECT_EQ(0u, file.GetPosition());
    bool bBadSeek = false;
    try {
        file.Seek(-1, CFile::begin);
    } catch (CFileException* e) {
        bBadSeek = e->m_cause == CFileException::badSeek;
        e->Delete();
    }
    EXPECT_TRUE(bBadSeek);
    file.Close();
    EXPECT_EQ(CFile::hFileNull, file.m_hFile);
    EXPECT_EQ("hello", ReadAll(path));
}

TEST(FileTest, CreateTruncatesUnlessNoTruncate)
{
    TempFolder folder;
    std::string path = folder.Path("keep.txt");
    WriteAll(path, "old content");
    {
        CFile file(path.c_str(), CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite);
        EXPECT_EQ(11u, file.GetLength());
        file.Write("OLD", 3);
    }
    EXPECT_EQ("OLD content", ReadAll(path));
    {
        CFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite);
        EXPECT_EQ(0u, file.GetLength());
    }
    EXPECT_EQ("", ReadAll(path));
}

TEST(FileTest, OpenFailureFillsTheExceptionAndTheConstructorThrows)
{
    TempFolder folder;
    std::string path = folder.Path("missing.tlp");
    CFile file;
    CFileException error;
    EXPECT_FALSE(file.Open(path.c_str(), CFile::modeRead, &error));
    EXPECT_EQ(CFileException::fileNotFound, error.m_cause);
    EXPECT_EQ(ENOENT, error.m_lOsError);
    EXPECT_EQ(CString(path.c_str()), error.m_strFileName);
    EXPECT_EQ(CFile::hFileNull, file.m_hFile);

    bool bThrown = false;
    try {
        CFile thrower(path.c_str(), CFile::modeRead);
    } catch (CFileException* e) {
        bThrown = true;
        EXPECT_EQ(CFileException::fileNotFound, e->m_cause);
        EXPECT_EQ(CString(path.c_str()), e->m_strFileName);
        e->Delete();
    }
    EXPECT_TRUE(bThrown);

    // A folder is not a file.
    EXPECT_FALSE(file.Open(folder.path().c_str(), CFile::modeRead, &error));
    EXPECT_EQ(CFileException::accessDenied, error.m_cause);
    // Nor is an empty name.
    EXPECT_FALSE(file.Open("", CFile::modeRead, &error));
    EXPECT_EQ(CFileException::fileNotFound, error.m_cause);
}

TEST(FileTest, ExclusiveSharingKeepsOthersOut)
{
    TempFolder folder;
    std::string path = folder.Path("shared.tlp");
    WriteAll(path, "data");
    CFile first;
    ASSERT_TRUE(first.Open(path.c_str(), CFile::modeReadWrite | CFile::shareExclusive));
    CFile second;
    CFileException error;
    EXPECT_FALSE(second.Open(path.c_str(), CFile::modeRead | CFile::shareDenyWrite, &error));
    EXPECT_EQ(CFileException::sharingViolation, error.m_cause);
    // A truncating open that is refused leaves the content alone.
    EXPECT_FALSE(second.Open(path.c_str(),
                             CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive, &error));
    EXPECT_EQ("data", ReadAll(path));
    first.Close();
    EXPECT_TRUE(second.Open(path.c_str(), CFile::modeRead | CFile::shareDenyWrite, &error));
    // Readers that deny writing share with each other.
    CFile third;
    EXPECT_TRUE(third.Open(path.c_str(), CFile::modeRead | CFile::shareDenyWrite, &error));
}

TEST(FileTest, NamesAndPaths)
{
    TempFolder folder;
    std::string path = folder.Path("report.final.tlp");
    CFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite);
    EXPECT_EQ(CString(path.c_str()), file.GetFilePath());
    EXPECT_EQ(CString("report.final.tlp"), file.GetFileName());
    EXPECT_EQ(CString("report.final"), file.GetFileTitle());
    file.Close();
    EXPECT_TRUE(file.GetFilePath().IsEmpty());

    // Backslashes separate, "." and ".." resolve, relative paths start at the current folder.
    fs::create_directory(folder.Path("sub"));
    std::string winStyle = folder.path() + "\\sub\\..\\sub\\.\\x.txt";
    CFile other(winStyle.c_str(), CFile::modeCreate | CFile::modeWrite);
    EXPECT_EQ(CString(folder.Path("sub/x.txt").c_str()), other.GetFilePath());
    other.Close();
    EXPECT_TRUE(fs::exists(folder.Path("sub/x.txt")));

    std::string cwd = fs::current_path().string();
    fs::current_path(folder.path());
    CFile relative("rel.txt", CFile::modeCreate | CFile::modeWrite);
    fs::current_path(cwd);
    EXPECT_EQ(CString(folder.Path("rel.txt").c_str()), relative.GetFilePath());
}

TEST(FileTest, ChineseNamesAreUtf8OnDisk)
{
    TempFolder folder;
    // 中文.txt in code page 936.
    CString path = CString(folder.path().c_str()) + "/\xD6\xD0\xCE\xC4.txt";
    {
        CFile file(path, CFile::modeCreate | CFile::modeWrite);
        file.Write("x", 1);
        EXPECT_EQ(CString("\xD6\xD0\xCE\xC4.txt"), file.GetFileName());
        EXPECT_EQ(path, file.GetFilePath());
    }
    EXPECT_TRUE(fs::exists(folder.Path("\xE4\xB8\xAD\xE6\x96\x87.txt")));  // UTF-8
    CFileStatus status;
    EXPECT_TRUE(CFile::GetStatus(path, status));
    EXPECT_EQ(1, status.m_size);
    EXPECT_EQ(std::string(path), std::string(status.m_szFullName));
}

TEST(FileTest, StatusOfFilesAndFolders)
{
    TempFolder folder;
    std::string path = folder.Path("s.txt");
    WriteAll(path, "12345");
    CFileStatus status;
    ASSERT_TRUE(CFile::GetStatus(path.c_str(), status));
    EXPECT_EQ(5, status.m_size);
    EXPECT_EQ(0, status.m_attribute & CFile::directory);
    EXPECT_GT(status.m_mtime.GetTime(), 0);
    ASSERT_TRUE(CFile::GetStatus(folder.path().c_str(), status));
    EXPECT_NE(0, status.m_attribute & CFile::directory);
    EXPECT_FALSE(CFile::GetStatus(folder.Path("none").c_str(), status));

    CFile file(path.c_str(), CFile::modeRead);
    ASSERT_TRUE(file.GetStatus(status));
    EXPECT_EQ(5, status.m_size);
    EXPECT_STREQ(path.c_str(), status.m_szFullName);
}

TEST(FileTest, RenameNeverReplacesAndRemoveReportsMissingFiles)
{
    TempFolder folder;
    std::string a = folder.Path("a.txt");
    std::string b = folder.Path("b.txt");
    std::string c = folder.Path("c.txt");
    WriteAll(a, "A");
    WriteAll(b, "B");
    bool bRefused = false;
    try {
        CFile::Rename(a.c_str(), b.c_str());
    } catch (CFileException* e) {
        bRefused = true;
        EXPECT_EQ(CFileException::accessDenied, e->m_cause);
        e->Delete();
    }
    EXPECT_TRUE(bRefused);
    EXPECT_EQ("B", ReadAll(b));
    CFile::Rename(a.c_str(), c.c_str());
    EXPECT_EQ("A", ReadAll(c));
    EXPECT_FALSE(fs::exists(a));

    CFile::Remove(c.c_str());
    EXPECT_FALSE(fs::exists(c));
    int cause = -1;
    try {
        CFile::Remove(c.c_str());
    } catch (CFileException* e) {
        cause = e->m_cause;
        EXPECT_EQ(CString(c.c_str()), e->m_strFileName);
        e->Delete();
    }
    EXPECT_EQ(CFileException::fileNotFound, cause);
}

TEST(FileTest, MemFileGrowsAndReadsBack)
{
    CMemFile file(16);
    std::string big(1000, 'm');
    file.Write(big.data(), static_cast<UINT>(big.size()));
    file.Write("end", 3);
    EXPECT_EQ(1003u, file.GetLength());
    file.SeekToBegin();
    std::string back(1003, 0);
    EXPECT_EQ(1003u, file.Read(&back[0], 2000));
    EXPECT_EQ(big + "end", back);
    EXPECT_EQ(0u, file.Read(&back[0], 1));
    // Bytes skipped by seeking past the end read as zero.
    file.Seek(1010, CFile::begin);
    file.Write("!", 1);
    EXPECT_EQ(1011u, file.GetLength());
    file.Seek(1003, CFile::begin);
    char gap[8];
    EXPECT_EQ(8u, file.Read(gap, 8));
    EXPECT_EQ(std::string(7, '\0') + "!", std::string(gap, 8));
    file.SetLength(2);
    EXPECT_EQ(2u, file.GetLength());
    EXPECT_EQ(2u, file.GetPosition());
    file.SetLength(4);
    file.SeekToBegin();
    char four[4];
    EXPECT_EQ(4u, file.Read(four, 4));
    EXPECT_EQ(std::string("mm\0\0", 4), std::string(four, 4));
}

TEST(FileTest, MemFileOnAFixedBufferCannotGrow)
{
    BYTE buffer[4] = {'a', 'b', 'c', 'd'};
    CMemFile file(buffer, sizeof(buffer));
    EXPECT_EQ(4u, file.GetLength());
    char read[4];
    EXPECT_EQ(4u, file.Read(read, 4));
    EXPECT_EQ("abcd", std::string(read, 4));
    file.SeekToBegin();
    file.Write("AB", 2);
    EXPECT_EQ('A', buffer[0]);
    bool bMemory = false;
    try {
        file.Write("xyz", 3);
    } catch (CMemoryException* e) {
        bMemory = true;
        e->Delete();
    }
    EXPECT_TRUE(bMemory);
    EXPECT_EQ('c', buffer[2]);  // nothing half-written
    EXPECT_EQ(buffer, file.Detach());
    EXPECT_EQ(0u, file.GetLength());
}

TEST(FileTest, MemFileAttachAndDetachHandOverTheBuffer)
{
    BYTE* pGrowable = static_cast<BYTE*>(std::malloc(2));
    CMemFile file;
    file.Attach(pGrowable, 2, 8);
    EXPECT_EQ(0u, file.GetLength());  // a growable buffer starts empty
    file.Write("0123456789", 10);
    EXPECT_EQ(10u, file.GetLength());
    BYTE* pDetached = file.Detach();
    ASSERT_NE(nullptr, pDetached);
    EXPECT_EQ("0123456789", std::string(reinterpret_cast<char*>(pDetached), 10));
    std::free(pDetached);
    EXPECT_EQ(0u, file.GetLength());
}
