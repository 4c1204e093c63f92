// CSafeFile: write beside the target, then rename over it.
#include <ClassLib/Core/SafeFile.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "FilePath.h"

IMPLEMENT_DYNAMIC(CSafeFile, CStdioFile)

namespace {

void FillError(CFileException* pError, int nErrno, const CString& strFileName)
{
    if (pError == NULL)
        return;
    pError->m_cause = CFileException::OsErrorToException(nErrno);
    pError->m_lOsError = nErrno;
    pError->m_strFileName = strFileName;
}

std::string FolderOf(const std::string& osPath)
{
    const size_t slash = osPath.rfind('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return osPath.substr(0, slash);
}

std::string NameOf(const std::string& osPath)
{
    const size_t slash = osPath.rfind('/');
    return slash == std::string::npos ? osPath : osPath.substr(slash + 1);
}

// The hidden name's pattern; a long target name is shortened so that the temporary name
// still fits the file system's limit (cut before a UTF-8 continuation byte never splits
// a character).
std::string TempPattern(const std::string& osTarget)
{
    std::string name = NameOf(osTarget);
    const size_t nMaxName = NAME_MAX - 8;  // "." and ".XXXXXX"
    if (name.size() > nMaxName) {
        size_t n = nMaxName;
        while (n > 0 && (static_cast<unsigned char>(name[n]) & 0xC0) == 0x80)
            --n;
        name.resize(n);
    }
    return FolderOf(osTarget) + "/." + name + ".XXXXXX";
}

// The process's umask, read without changing it where the system tells it (setting it
// to look would briefly give files that other threads create the wrong permissions).
mode_t CurrentUmask()
{
    if (FILE* status = std::fopen("/proc/self/status", "r")) {
        char line[256];
        unsigned int mask = 0;
        bool bFound = false;
        while (!bFound && std::fgets(line, sizeof(line), status) != NULL)
            bFound = std::sscanf(line, "Umask: %o", &mask) == 1;
        std::fclose(status);
        if (bFound)
            return static_cast<mode_t>(mask & 0777);
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

// Gives the file the owner and group of st, or the group alone; where neither is
// allowed the file stays this process's.
void GiveOwner(int fd, const struct stat& st)
{
    if (::fchown(fd, st.st_uid, st.st_gid) == 0)
        return;
    const int nIgnored = ::fchown(fd, static_cast<uid_t>(-1), st.st_gid);
    static_cast<void>(nIgnored);
}

mode_t NewFileMode()
{
    return 0666 & ~CurrentUmask();
}

}  // namespace

CSafeFile::CSafeFile()
    : m_bCommitted(FALSE)
{
}

CSafeFile::~CSafeFile()
{
    Discard();
}

BOOL CSafeFile::Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    Discard();
    m_bCommitted = FALSE;
    m_osTarget.clear();

    std::string osPath = pc_file::OsPath(lpszFileName);
    if (osPath.empty()) {
        FillError(pError, ENOENT, CString(lpszFileName));
        return FALSE;
    }
    osPath = pc_file::AbsoluteOsPath(osPath);
    const CString strFileName = pc_file::TextPath(osPath);

    struct stat st;
    if (::lstat(osPath.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        // The link is kept; the file it names gets the new content.
        char* resolved = ::realpath(osPath.c_str(), NULL);
        if (resolved != NULL) {
            osPath = resolved;
            std::free(resolved);
        }
    }
    if (::stat(osPath.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
        FillError(pError, EISDIR, strFileName);  // a folder is not a file
        return FALSE;
    }

    std::string osTemp = TempPattern(osPath);
    const int fd = ::mkostemp(&osTemp[0], O_CLOEXEC);
    if (fd < 0) {
        FillError(pError, errno, strFileName);
        return FALSE;
    }
    FILE* pStream = ::fdopen(fd, "wb");
    if (pStream == NULL) {
        const int nError = errno;
        ::close(fd);
        ::unlink(osTemp.c_str());
        FillError(pError, nError, strFileName);
        return FALSE;
    }

    m_pStream = pStream;
    m_hFile = static_cast<UINT>(fd);
    m_bCloseOnDelete = TRUE;
    m_bTextMode = (nOpenFlags & typeBinary) == 0;
    m_strFileName = strFileName;
    m_osTarget = osPath;
    m_osTemp = osTemp;
    return TRUE;
}

void CSafeFile::Fail(int nErrno)
{
    const CString strFileName = m_strFileName;
    Discard();
    AfxThrowFileException(CFileException::OsErrorToException(nErrno), nErrno, strFileName);
}

void CSafeFile::Commit()
{
    if (m_pStream == NULL)
        AfxThrowFileException(CFileException::invalidFile, EBADF, m_strFileName);

    const int fd = static_cast<int>(m_hFile);
    if (std::fflush(m_pStream) != 0)
        Fail(errno);

    // The old file's owner and group where this process may give them, and its permissions
    // (after the owner: a change of owner clears set-id bits); a new file gets the usual ones.
    struct stat st;
    mode_t mode;
    if (::stat(m_osTarget.c_str(), &st) == 0) {
        GiveOwner(fd, st);
        mode = st.st_mode & 07777;
    } else {
        mode = NewFileMode();
    }
    if (::fchmod(fd, mode) != 0)
        Fail(errno);
    if (::fsync(fd) != 0 && errno != EINVAL && errno != EROFS)
        Fail(errno);

    // A close can still report a failed write on some file systems.
    FILE* pStream = m_pStream;
    m_pStream = NULL;
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
    if (std::fclose(pStream) != 0 && errno != EINTR)
        Fail(errno);

    if (::rename(m_osTemp.c_str(), m_osTarget.c_str()) != 0)
        Fail(errno);
    m_osTemp.clear();
    m_bCommitted = TRUE;

    // Makes the new name last. The target is already replaced, so a failure here is not
    // reported as a failed save: the old file is gone either way.
    const int dirFd = ::open(FolderOf(m_osTarget).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    m_strFileName.Empty();
}

void CSafeFile::Discard()
{
    if (m_pStream != NULL)
        std::fclose(m_pStream);
    m_pStream = NULL;
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
    if (!m_osTemp.empty())
        ::unlink(m_osTemp.c_str());
    m_osTemp.clear();
    m_strFileName.Empty();
}

void CSafeFile::Abort()
{
    Discard();
}

void CSafeFile::Close()
{
    Discard();
}

CString CSafeFile::GetTempPath() const
{
    return m_osTemp.empty() ? CString() : pc_file::TextPath(m_osTemp);
}
