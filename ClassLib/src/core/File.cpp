// CFile on a file descriptor, and the static file operations.
#include <ClassLib/Core/File.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "FilePath.h"
#include "FileStatus.h"

IMPLEMENT_DYNAMIC(CFile, CObject)

namespace {

int Fd(UINT hFile)
{
    return static_cast<int>(hFile);
}

// Takes (F_WRLCK) or drops (F_UNLCK) the record lock on dwCount bytes from dwPos, without
// waiting; CFileException lockViolation when another holder stands in the way.
void SetRangeLock(UINT hFile, short nType, DWORD dwPos, DWORD dwCount, const CString& strFileName)
{
    struct flock lock;
    std::memset(&lock, 0, sizeof(lock));
    lock.l_type = nType;
    lock.l_whence = SEEK_SET;
    lock.l_start = static_cast<off_t>(dwPos);
    lock.l_len = static_cast<off_t>(dwCount);
    if (::fcntl(Fd(hFile), F_SETLK, &lock) != 0)
        AfxThrowFileException(CFileException::lockViolation, errno, strFileName);
}

void FillError(CFileException* pError, int nErrno, const CString& strFileName)
{
    if (pError == NULL)
        return;
    pError->m_cause = CFileException::OsErrorToException(nErrno);
    pError->m_lOsError = nErrno;
    pError->m_strFileName = strFileName;
}

}  // namespace

CFile::CFile()
    : m_hFile(hFileNull)
    , m_bCloseOnDelete(FALSE)
{
}

CFile::CFile(int hFile)
    : m_hFile(static_cast<UINT>(hFile))
    , m_bCloseOnDelete(FALSE)
{
}

CFile::CFile(LPCTSTR lpszFileName, UINT nOpenFlags)
    : m_hFile(hFileNull)
    , m_bCloseOnDelete(FALSE)
{
    CFileException e;
    if (!Open(lpszFileName, nOpenFlags, &e))
        AfxThrowFileException(e.m_cause, e.m_lOsError, e.m_strFileName);
}

CFile::~CFile()
{
    if (m_hFile != hFileNull && m_bCloseOnDelete)
        Abort();
}

void CFile::ThrowErrno(int nErrno) const
{
    AfxThrowFileException(CFileException::OsErrorToException(nErrno), nErrno, m_strFileName);
}

BOOL CFile::Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    if (m_hFile != hFileNull)
        Abort();
    m_bCloseOnDelete = FALSE;
    m_strFileName.Empty();

    std::string osPath = pc_file::OsPath(lpszFileName);
    if (osPath.empty()) {
        FillError(pError, ENOENT, CString(lpszFileName));
        return FALSE;
    }
    osPath = pc_file::AbsoluteOsPath(osPath);
    m_strFileName = pc_file::TextPath(osPath);

    int flags = O_CLOEXEC;
    switch (nOpenFlags & 3) {
    case modeRead: flags |= O_RDONLY; break;
    case modeWrite: flags |= O_WRONLY; break;
    case modeReadWrite: flags |= O_RDWR; break;
    default:
        FillError(pError, EINVAL, m_strFileName);
        m_strFileName.Empty();
        return FALSE;
    }
    if (nOpenFlags & modeCreate)
        flags |= O_CREAT;

    int fd = ::open(osPath.c_str(), flags, 0666);
    if (fd < 0) {
        FillError(pError, errno, m_strFileName);
        m_strFileName.Empty();
        return FALSE;
    }

    int nError = 0;
    struct stat st;
    if (::fstat(fd, &st) != 0) {
        nError = errno;
    } else if (S_ISDIR(st.st_mode)) {
        nError = EISDIR;  // a folder is not a file
    } else {
        int nLock = 0;
        switch (nOpenFlags & 0x70) {
        case shareExclusive: nLock = LOCK_EX; break;
        case shareDenyWrite:
        case shareDenyRead: nLock = LOCK_SH; break;
        default: break;
        }
        if (nLock != 0 && ::flock(fd, nLock | LOCK_NB) != 0)
            nError = errno;
    }
    // Emptied only once the lock is held, so a file another program holds stays whole.
    if (nError == 0 && (nOpenFlags & modeCreate) && !(nOpenFlags & modeNoTruncate) &&
        ::ftruncate(fd, 0) != 0)
        nError = errno;
    if (nError != 0) {
        ::close(fd);
        FillError(pError, nError, m_strFileName);
        m_strFileName.Empty();
        return FALSE;
    }

    m_hFile = static_cast<UINT>(fd);
    m_bCloseOnDelete = TRUE;
    return TRUE;
}

DWORD CFile::GetPosition() const
{
    off_t pos = ::lseek(Fd(m_hFile), 0, SEEK_CUR);
    if (pos < 0)
        ThrowErrno(errno);
    return pos > static_cast<off_t>(0xFFFFFFFF) ? 0xFFFFFFFF : static_cast<DWORD>(pos);
}

LONG CFile::Seek(LONG lOff, UINT nFrom)
{
    int whence = nFrom == begin     ? SEEK_SET
                 : nFrom == current ? SEEK_CUR
                 : nFrom == end     ? SEEK_END
                                    : -1;
    if (whence < 0)
        AfxThrowFileException(CFileException::badSeek, EINVAL, m_strFileName);
    off_t pos = ::lseek(Fd(m_hFile), static_cast<off_t>(lOff), whence);
    if (pos < 0) {
        int nError = errno;
        AfxThrowFileException(nError == EBADF ? CFileException::invalidFile
                                              : CFileException::badSeek,
                              nError, m_strFileName);
    }
    if (pos > static_cast<off_t>(LONG_MAX))
        AfxThrowFileException(CFileException::badSeek, EOVERFLOW, m_strFileName);
    return static_cast<LONG>(pos);
}

DWORD CFile::GetLength() const
{
    struct stat st;
    if (::fstat(Fd(m_hFile), &st) != 0)
        ThrowErrno(errno);
    return st.st_size > static_cast<off_t>(0xFFFFFFFF) ? 0xFFFFFFFF
                                                       : static_cast<DWORD>(st.st_size);
}

void CFile::SetLength(DWORD dwNewLen)
{
    if (::ftruncate(Fd(m_hFile), static_cast<off_t>(dwNewLen)) != 0)
        ThrowErrno(errno);
}

UINT CFile::Read(void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return 0;
    if (lpBuf == NULL)
        AfxThrowInvalidArgException();
    BYTE* p = static_cast<BYTE*>(lpBuf);
    UINT nRead = 0;
    while (nRead < nCount) {
        ssize_t n = ::read(Fd(m_hFile), p + nRead, nCount - nRead);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ThrowErrno(errno);
        }
        if (n == 0)
            break;
        nRead += static_cast<UINT>(n);
    }
    return nRead;
}

void CFile::Write(const void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return;
    if (lpBuf == NULL)
        AfxThrowInvalidArgException();
    const BYTE* p = static_cast<const BYTE*>(lpBuf);
    UINT nWritten = 0;
    while (nWritten < nCount) {
        ssize_t n = ::write(Fd(m_hFile), p + nWritten, nCount - nWritten);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ThrowErrno(errno);
        }
        if (n == 0)
            ThrowErrno(ENOSPC);
        nWritten += static_cast<UINT>(n);
    }
}

void CFile::LockRange(DWORD dwPos, DWORD dwCount)
{
    SetRangeLock(m_hFile, F_WRLCK, dwPos, dwCount, m_strFileName);
}

void CFile::UnlockRange(DWORD dwPos, DWORD dwCount)
{
    SetRangeLock(m_hFile, F_UNLCK, dwPos, dwCount, m_strFileName);
}

void CFile::Flush()
{
    if (m_hFile == hFileNull)
        return;
    if (::fsync(Fd(m_hFile)) != 0 && errno != EINVAL && errno != EROFS)
        ThrowErrno(errno);
}

void CFile::Close()
{
    int nError = 0;
    if (m_hFile != hFileNull && ::close(Fd(m_hFile)) != 0 && errno != EINTR)
        nError = errno;
    CString strFileName = m_strFileName;
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
    m_strFileName.Empty();
    if (nError != 0)
        AfxThrowFileException(CFileException::OsErrorToException(nError), nError, strFileName);
}

void CFile::Abort()
{
    if (m_hFile != hFileNull)
        ::close(Fd(m_hFile));
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
    m_strFileName.Empty();
}

CFile* CFile::Duplicate() const
{
    if (m_hFile == hFileNull)
        AfxThrowFileException(CFileException::invalidFile, EBADF, m_strFileName);
    int fd = ::fcntl(Fd(m_hFile), F_DUPFD_CLOEXEC, 0);
    if (fd < 0)
        ThrowErrno(errno);
    CFile* pFile = new CFile(fd);
    pFile->m_bCloseOnDelete = TRUE;
    pFile->m_strFileName = m_strFileName;
    return pFile;
}

CString CFile::GetFileName() const
{
    return pc_file::NamePart(m_strFileName);
}

CString CFile::GetFileTitle() const
{
    return pc_file::TitlePart(GetFileName());
}

CString CFile::GetFilePath() const
{
    return m_strFileName;
}

void CFile::SetFilePath(LPCTSTR lpszNewName)
{
    m_strFileName = lpszNewName;
}

BOOL CFile::GetStatus(CFileStatus& rStatus) const
{
    std::memset(static_cast<void*>(&rStatus), 0, sizeof(rStatus));
    struct stat st;
    if (m_hFile == hFileNull || ::fstat(Fd(m_hFile), &st) != 0)
        return FALSE;
    pc_file::FillStatus(st, m_strFileName, rStatus);
    return TRUE;
}

BOOL CFile::GetStatus(LPCTSTR lpszFileName, CFileStatus& rStatus)
{
    std::memset(static_cast<void*>(&rStatus), 0, sizeof(rStatus));
    std::string osPath = pc_file::OsPath(lpszFileName);
    if (osPath.empty())
        return FALSE;
    osPath = pc_file::AbsoluteOsPath(osPath);
    struct stat st;
    if (::stat(osPath.c_str(), &st) != 0)
        return FALSE;
    pc_file::FillStatus(st, pc_file::TextPath(osPath), rStatus);
    return TRUE;
}

void CFile::Rename(LPCTSTR lpszOldName, LPCTSTR lpszNewName)
{
    std::string oldPath = pc_file::OsPath(lpszOldName);
    std::string newPath = pc_file::OsPath(lpszNewName);
    // A rename never replaces a file that is already there.
    int nResult =
        ::renameat2(AT_FDCWD, oldPath.c_str(), AT_FDCWD, newPath.c_str(), RENAME_NOREPLACE);
    if (nResult != 0 && (errno == EINVAL || errno == ENOSYS)) {
        // A file system without that flag: look first.
        struct stat st;
        if (::lstat(newPath.c_str(), &st) == 0) {
            errno = EEXIST;
        } else {
            nResult = ::rename(oldPath.c_str(), newPath.c_str());
        }
    }
    if (nResult != 0) {
        int nError = errno;
        AfxThrowFileException(CFileException::OsErrorToException(nError), nError,
                              nError == EEXIST ? lpszNewName : lpszOldName);
    }
}

void CFile::Remove(LPCTSTR lpszFileName)
{
    std::string osPath = pc_file::OsPath(lpszFileName);
    if (::unlink(osPath.c_str()) != 0) {
        int nError = errno;
        AfxThrowFileException(CFileException::OsErrorToException(nError), nError, lpszFileName);
    }
}
