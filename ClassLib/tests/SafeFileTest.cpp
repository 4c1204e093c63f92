// CSafeFile: a new version is written beside the target and replaces it only on Commit.
#include <ClassLib/Core/SafeFile.h>
#include <ClassLib/Core/Archive.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <dirent.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// "项目.tlp" in code page 936, and the same name as the file system shows it (UTF-8).
const char kGbkName[] = "\xcf\xee\xc4\xbf.tlp";
const char kUtf8Name[] = "\xe9\xa1\xb9\xe7\x9b\xae.tlp";

class SafeFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern =
            std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/safefile-XXXXXX";
        ASSERT_NE(nullptr, mkdtemp(&pattern[0]));
        m_dir = pattern;
    }

    void TearDown() override
    {
        ::chmod(m_dir.c_str(), 0700);
        for (const std::string& name : Files())
            std::remove(Path(name).c_str());
        rmdir(m_dir.c_str());
    }

    std::string Path(const std::string& name) const { return m_dir + "/" + name; }

    // Every name in the folder, hidden ones included, sorted.
    std::vector<std::string> Files() const
    {
        std::vector<std::string> names;
        if (DIR* d = opendir(m_dir.c_str())) {
            while (dirent* e = readdir(d)) {
                const std::string name = e->d_name;
                if (name != "." && name != "..")
                    names.push_back(name);
            }
            closedir(d);
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    static std::string ReadAll(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }

    static void WriteAll(const std::string& path, const std::string& bytes)
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << bytes;
    }

    static mode_t ModeOf(const std::string& path)
    {
        struct stat st;
        return ::stat(path.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0;
    }

    std::string m_dir;
};

}  // namespace

TEST_F(SafeFileTest, CommitReplacesTheTargetWithWhatWasWritten)
{
    const std::string target = Path("plan.dat");
    WriteAll(target, "the old content, longer than the new one");
    CSafeFile file;
    CFileException fe;
    ASSERT_TRUE(file.Open(target.c_str(), CFile::typeBinary, &fe));
    file.Write("new\r\nbytes\0!", 12);
    // Nothing has changed yet: the new bytes go to a hidden file beside the target.
    EXPECT_EQ("the old content, longer than the new one", ReadAll(target));
    const std::string temp = (LPCTSTR)file.GetTempPath();
    ASSERT_EQ(m_dir + "/.plan.dat.", temp.substr(0, m_dir.size() + 11));
    EXPECT_EQ(temp.size(), m_dir.size() + 17);
    EXPECT_EQ(2u, Files().size());

    file.Commit();
    EXPECT_TRUE(file.IsCommitted());
    EXPECT_EQ(std::string("new\r\nbytes\0!", 12), ReadAll(target));
    EXPECT_EQ(std::vector<std::string>{"plan.dat"}, Files());
}

TEST_F(SafeFileTest, CommitMakesANewFileWithTheUsualPermissions)
{
    const std::string target = Path("new.txt");
    const mode_t mask = ::umask(022);
    {
        CSafeFile file;
        ASSERT_TRUE(file.Open(target.c_str(), CFile::typeText));
        file.WriteString("one\ntwo\n");
        file.Commit();
    }
    ::umask(mask);
    EXPECT_EQ("one\r\ntwo\r\n", ReadAll(target));
    EXPECT_EQ(static_cast<mode_t>(0644), ModeOf(target));
    EXPECT_EQ(std::vector<std::string>{"new.txt"}, Files());
}

TEST_F(SafeFileTest, CommitKeepsTheOldFilesPermissions)
{
    const std::string target = Path("kept.txt");
    WriteAll(target, "old");
    ASSERT_EQ(0, ::chmod(target.c_str(), 0640));
    CSafeFile file;
    ASSERT_TRUE(file.Open(target.c_str(), CFile::typeBinary));
    file.Write("new", 3);
    file.Commit();
    EXPECT_EQ("new", ReadAll(target));
    EXPECT_EQ(static_cast<mode_t>(0640), ModeOf(target));

    // A read-only file is replaced too (the folder is what a rename needs) and stays read-only.
    ASSERT_EQ(0, ::chmod(target.c_str(), 0444));
    CSafeFile again;
    ASSERT_TRUE(again.Open(target.c_str(), CFile::typeBinary));
    again.Write("newer", 5);
    again.Commit();
    EXPECT_EQ("newer", ReadAll(target));
    EXPECT_EQ(static_cast<mode_t>(0444), ModeOf(target));
}

TEST_F(SafeFileTest, AbortAndDestructionKeepTheOldFileByteForByte)
{
    const std::string target = Path("old.bin");
    const std::string old("\x00\x01\xff old bytes \r\n", 17);
    WriteAll(target, old);
    {
        CSafeFile file;
        ASSERT_TRUE(file.Open(target.c_str(), CFile::typeBinary));
        file.Write("xxxxxxxxxxxxxxxxxxxxxxxx", 24);
        file.Flush();
        file.Abort();
        EXPECT_FALSE(file.IsCommitted());
        EXPECT_EQ("", std::string((LPCTSTR)file.GetTempPath()));
    }
    EXPECT_EQ(old, ReadAll(target));
    EXPECT_EQ(std::vector<std::string>{"old.bin"}, Files());
    {
        CSafeFile file;
        ASSERT_TRUE(file.Open(target.c_str(), CFile::typeBinary));
        file.Write("yyyy", 4);
        file.Close();  // only Commit replaces
    }
    EXPECT_EQ(old, ReadAll(target));
    {
        CSafeFile file;
        ASSERT_TRUE(file.Open(target.c_str(), CFile::typeBinary));
        file.Write("zzzz", 4);
    }
    EXPECT_EQ(old, ReadAll(target));
    EXPECT_EQ(std::vector<std::string>{"old.bin"}, Files());
}

TEST_F(SafeFileTest, AnExceptionWhileWritingKeepsTheOldFile)
{
    const std::string target = Path("archive.dat");
    WriteAll(target, "previous archive");
    bool bThrown = false;
    try {
        CSafeFile file;
        ASSERT_TRUE(file.Open(target.c_str(), CFile::typeBinary));
        CArchive ar(&file, CArchive::store, 64);
        for (int i = 0; i < 100; ++i)
            ar << static_cast<DWORD>(i);
        AfxThrowFileException(CFileException::diskFull, ENOSPC, target.c_str());
    } catch (CFileException* e) {
        bThrown = true;
        e->Delete();
    }
    EXPECT_TRUE(bThrown);
    EXPECT_EQ("previous archive", ReadAll(target));
    EXPECT_EQ(std::vector<std::string>{"archive.dat"}, Files());
}

TEST_F(SafeFileTest, AnArchiveStoredThroughItHasTheSameBytesAsThroughCFile)
{
    auto store = [](CFile* pFile) {
        CArchive ar(pFile, CArchive::store, 16);
        CString s("text \xcf\xee\xc4\xbf");
        ar << s << static_cast<WORD>(0x0a0d) << static_cast<LONG>(-2);
        for (int i = 0; i < 50; ++i)
            ar << static_cast<BYTE>('\n');
        ar.Close();
    };
    const std::string plain = Path("plain.dat");
    {
        CFile file(plain.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::typeBinary);
        store(&file);
        file.Close();
    }
    const std::string safe = Path("safe.dat");
    CSafeFile file;
    ASSERT_TRUE(file.Open(safe.c_str(), CFile::typeBinary));
    store(&file);
    file.Commit();
    ASSERT_FALSE(ReadAll(plain).empty());
    EXPECT_EQ(ReadAll(plain), ReadAll(safe));
}

TEST_F(SafeFileTest, ACodePage936NameIsTheFileSystemsUtf8Name)
{
    const std::string gbk = Path(kGbkName);
    const std::string utf8 = Path(kUtf8Name);
    WriteAll(utf8, "old");
    CSafeFile file;
    CFileException fe;
    ASSERT_TRUE(file.Open(gbk.c_str(), CFile::typeBinary, &fe));
    EXPECT_STREQ(gbk.c_str(), (LPCTSTR)file.GetFilePath());
    file.Write("new", 3);
    file.Commit();
    EXPECT_EQ("new", ReadAll(utf8));
    EXPECT_EQ(std::vector<std::string>{kUtf8Name}, Files());

    // Read back through CFile with the code page 936 name.
    CFile back(gbk.c_str(), CFile::modeRead);
    char buf[8] = {};
    EXPECT_EQ(3u, back.Read(buf, sizeof(buf)));
    EXPECT_STREQ("new", buf);
}

TEST_F(SafeFileTest, AWriteErrorNamesTheTarget)
{
    const std::string target = Path(kGbkName);
    CSafeFile file;
    ASSERT_TRUE(file.Open(target.c_str(), CFile::typeBinary));
    // The descriptor is taken away under the stream: the flush in Commit fails.
    file.Write("abc", 3);
    const int fd = static_cast<int>(file.m_hFile);
    ::close(fd);
    bool bThrown = false;
    try {
        file.Commit();
    } catch (CFileException* e) {
        bThrown = true;
        EXPECT_EQ(EBADF, e->m_lOsError);
        EXPECT_STREQ(target.c_str(), (LPCTSTR)e->m_strFileName);
        e->Delete();
    }
    EXPECT_TRUE(bThrown);
    EXPECT_FALSE(file.IsCommitted());
    EXPECT_TRUE(Files().empty());
}

TEST_F(SafeFileTest, AMissingFolderFailsWithTheTargetsName)
{
    const std::string target = Path("no/such/file.txt");
    CSafeFile file;
    CFileException fe;
    EXPECT_FALSE(file.Open(target.c_str(), CFile::typeText, &fe));
    EXPECT_EQ(CFileException::fileNotFound, fe.m_cause);
    EXPECT_EQ(ENOENT, fe.m_lOsError);
    EXPECT_STREQ(target.c_str(), (LPCTSTR)fe.m_strFileName);
    bool bThrown = false;
    try {
        file.Commit();
    } catch (CFileException* e) {
        bThrown = true;
        EXPECT_EQ(CFileException::invalidFile, e->m_cause);
        e->Delete();
    }
    EXPECT_TRUE(bThrown);
    EXPECT_TRUE(Files().empty());
}

TEST_F(SafeFileTest, AFolderAsTargetIsRefused)
{
    const std::string target = Path("sub");
    ASSERT_EQ(0, ::mkdir(target.c_str(), 0700));
    CSafeFile file;
    CFileException fe;
    EXPECT_FALSE(file.Open(target.c_str(), CFile::typeBinary, &fe));
    EXPECT_EQ(EISDIR, fe.m_lOsError);
    EXPECT_STREQ(target.c_str(), (LPCTSTR)fe.m_strFileName);
    EXPECT_EQ(std::vector<std::string>{"sub"}, Files());
    ::rmdir(target.c_str());
}

TEST_F(SafeFileTest, AReadOnlyFolderFailsCleanly)
{
    const std::string target = Path("locked.txt");
    WriteAll(target, "locked content");
    ASSERT_EQ(0, ::chmod(target.c_str(), 0644));
    ASSERT_EQ(0, ::chmod(m_dir.c_str(), 0555));
    // The superuser may write anywhere: the attempt is then made as an ordinary user.
    const bool bRoot = ::geteuid() == 0;
    auto attempt = [](const std::string& path) -> int {
        CSafeFile file;
        CFileException fe;
        if (file.Open(path.c_str(), CFile::typeBinary, &fe))
            return 1;
        if (fe.m_lOsError != EACCES)
            return 2;
        if (fe.m_cause != CFileException::accessDenied)
            return 3;
        if (std::string((LPCTSTR)fe.m_strFileName) != path)
            return 4;
        return 0;
    };
    int nResult = -1;
    if (bRoot) {
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            if (::setgid(65534) != 0 || ::setuid(65534) != 0)
                ::_exit(9);
            ::_exit(attempt(target));
        }
        int status = 0;
        ASSERT_EQ(pid, ::waitpid(pid, &status, 0));
        ASSERT_TRUE(WIFEXITED(status));
        nResult = WEXITSTATUS(status);
    } else {
        nResult = attempt(target);
    }
    EXPECT_EQ(0, nResult);
    ::chmod(m_dir.c_str(), 0700);
    EXPECT_EQ("locked content", ReadAll(target));
    EXPECT_EQ(std::vector<std::string>{"locked.txt"}, Files());
}

TEST_F(SafeFileTest, ASymbolicLinkStaysALink)
{
    const std::string real = Path("real.txt");
    const std::string link = Path("link.txt");
    WriteAll(real, "old");
    ASSERT_EQ(0, ::symlink("real.txt", link.c_str()));
    CSafeFile file;
    ASSERT_TRUE(file.Open(link.c_str(), CFile::typeBinary));
    file.Write("new", 3);
    file.Commit();
    struct stat st;
    ASSERT_EQ(0, ::lstat(link.c_str(), &st));
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_EQ("new", ReadAll(real));
    EXPECT_EQ((std::vector<std::string>{"link.txt", "real.txt"}), Files());
}

TEST_F(SafeFileTest, AVeryLongNameStillGetsATemporaryFile)
{
    const std::string name(250, 'n');
    const std::string target = Path(name);
    CSafeFile file;
    CFileException fe;
    ASSERT_TRUE(file.Open(target.c_str(), CFile::typeBinary, &fe)) << fe.m_lOsError;
    file.Write("long", 4);
    file.Commit();
    EXPECT_EQ("long", ReadAll(target));
    EXPECT_EQ(std::vector<std::string>{name}, Files());
}

TEST_F(SafeFileTest, TwoSavesOfOneTargetUseDifferentTemporaryFiles)
{
    const std::string target = Path("shared.txt");
    CSafeFile a, b;
    ASSERT_TRUE(a.Open(target.c_str(), CFile::typeBinary));
    ASSERT_TRUE(b.Open(target.c_str(), CFile::typeBinary));
    EXPECT_STRNE((LPCTSTR)a.GetTempPath(), (LPCTSTR)b.GetTempPath());
    a.Write("first", 5);
    b.Write("second", 6);
    b.Commit();
    a.Abort();
    EXPECT_EQ("second", ReadAll(target));
    EXPECT_EQ(std::vector<std::string>{"shared.txt"}, Files());
}

TEST_F(SafeFileTest, CommitKeepsTheOldFilesOwnerWhereAllowed)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "only the superuser may give a file to another user";
    const std::string target = Path("owned.txt");
    WriteAll(target, "old");
    ASSERT_EQ(0, ::chown(target.c_str(), 65534, 65534));
    ASSERT_EQ(0, ::chmod(target.c_str(), 0660));
    CSafeFile file;
    ASSERT_TRUE(file.Open(target.c_str(), CFile::typeBinary));
    file.Write("new", 3);
    file.Commit();
    struct stat st;
    ASSERT_EQ(0, ::stat(target.c_str(), &st));
    EXPECT_EQ(static_cast<uid_t>(65534), st.st_uid);
    EXPECT_EQ(static_cast<gid_t>(65534), st.st_gid);
    EXPECT_EQ(static_cast<mode_t>(0660), st.st_mode & 07777);
    EXPECT_EQ("new", ReadAll(target));
}

TEST_F(SafeFileTest, ANewFileFollowsTheUmask)
{
    const std::string target = Path("masked.txt");
    const mode_t mask = ::umask(077);
    CSafeFile file;
    const bool bOpened = file.Open(target.c_str(), CFile::typeBinary);
    if (bOpened) {
        file.Write("x", 1);
        file.Commit();
    }
    ::umask(mask);
    ASSERT_TRUE(bOpened);
    EXPECT_EQ(static_cast<mode_t>(0600), ModeOf(target));
}
