// CStdioFile: a buffered stream; text mode writes "\n" as "\r\n" and reads both.
#include <ClassLib/Core/File.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

IMPLEMENT_DYNAMIC(CStdioFile, CFile)

CStdioFile::CStdioFile()
    : m_pStream(NULL)
    , m_bTextMode(FALSE)
{
}

CStdioFile::CStdioFile(FILE* pOpenStream)
    : m_pStream(pOpenStream)
    , m_bTextMode(FALSE)
{
    if (pOpenStream != NULL)
        m_hFile = static_cast<UINT>(::fileno(pOpenStream));
    m_bCloseOnDelete = FALSE;
}

CStdioFile::CStdioFile(LPCTSTR lpszFileName, UINT nOpenFlags)
    : m_pStream(NULL)
    , m_bTextMode(FALSE)
{
    CFileException e;
    if (!Open(lpszFileName, nOpenFlags, &e))
        AfxThrowFileException(e.m_cause, e.m_lOsError, e.m_strFileName);
}

CStdioFile::~CStdioFile()
{
    if (m_pStream != NULL && m_bCloseOnDelete)
        Abort();
}

BOOL CStdioFile::Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    if (m_pStream != NULL)
        Abort();
    m_pStream = NULL;
    // The descriptor is opened (and locked, and emptied) the way CFile does it, then
    // wrapped in a stream.
    if (!CFile::Open(lpszFileName, nOpenFlags & ~(typeText | typeBinary), pError))
        return FALSE;
    const char* mode = (nOpenFlags & 3) == modeRead    ? "rb"
                       : (nOpenFlags & 3) == modeWrite ? "wb"
                                                       : "r+b";
    m_pStream = ::fdopen(static_cast<int>(m_hFile), mode);
    if (m_pStream == NULL) {
        int nError = errno;
        CString strFileName = m_strFileName;
        CFile::Abort();
        if (pError != NULL) {
            pError->m_cause = CFileException::OsErrorToException(nError);
            pError->m_lOsError = nError;
            pError->m_strFileName = strFileName;
        }
        return FALSE;
    }
    m_bTextMode = (nOpenFlags & typeBinary) == 0;
    return TRUE;
}

namespace {
void CheckStream(FILE* pStream, const CString& strFileName)
{
    if (pStream == NULL)
        AfxThrowFileException(CFileException::invalidFile, EBADF, strFileName);
}
}  // namespace

int CStdioFile::ReadChar()
{
    int ch = std::getc(m_pStream);
    if (ch == '\r' && m_bTextMode) {
        int next = std::getc(m_pStream);
        if (next == '\n')
            return '\n';
        if (next != EOF)
            std::ungetc(next, m_pStream);
    }
    return ch;
}

void CStdioFile::WriteString(LPCTSTR lpsz)
{
    CheckStream(m_pStream, m_strFileName);
    if (lpsz == NULL)
        AfxThrowInvalidArgException();
    Write(lpsz, static_cast<UINT>(std::strlen(lpsz)));
}

LPTSTR CStdioFile::ReadString(LPTSTR lpsz, UINT nMax)
{
    CheckStream(m_pStream, m_strFileName);
    if (lpsz == NULL || nMax == 0)
        AfxThrowInvalidArgException();
    UINT nRead = 0;
    while (nRead + 1 < nMax) {
        int ch = ReadChar();
        if (ch == EOF)
            break;
        lpsz[nRead++] = static_cast<char>(ch);
        if (ch == '\n')
            break;
    }
    lpsz[nRead] = 0;
    if (std::ferror(m_pStream))
        ThrowErrno(errno);
    return nRead == 0 && nMax > 1 ? NULL : lpsz;
}

BOOL CStdioFile::ReadString(CString& rString)
{
    CheckStream(m_pStream, m_strFileName);
    std::string line;
    bool bAny = false;
    int ch;
    while ((ch = ReadChar()) != EOF) {
        bAny = true;
        if (ch == '\n')
            break;
        line.push_back(static_cast<char>(ch));
    }
    if (std::ferror(m_pStream))
        ThrowErrno(errno);
    rString = CString(line);
    return bAny ? TRUE : FALSE;
}

DWORD CStdioFile::GetPosition() const
{
    CheckStream(m_pStream, m_strFileName);
    long pos = std::ftell(m_pStream);
    if (pos < 0)
        ThrowErrno(errno);
    return pos > 0xFFFFFFFFL ? 0xFFFFFFFF : static_cast<DWORD>(pos);
}

LONG CStdioFile::Seek(LONG lOff, UINT nFrom)
{
    CheckStream(m_pStream, m_strFileName);
    int whence = nFrom == begin     ? SEEK_SET
                 : nFrom == current ? SEEK_CUR
                 : nFrom == end     ? SEEK_END
                                    : -1;
    if (whence < 0 || std::fseek(m_pStream, lOff, whence) != 0)
        AfxThrowFileException(CFileException::badSeek, whence < 0 ? EINVAL : errno, m_strFileName);
    long pos = std::ftell(m_pStream);
    if (pos < 0 || pos > LONG_MAX)
        AfxThrowFileException(CFileException::badSeek, errno, m_strFileName);
    return static_cast<LONG>(pos);
}

DWORD CStdioFile::GetLength() const
{
    CheckStream(m_pStream, m_strFileName);
    if (std::fflush(m_pStream) != 0)
        ThrowErrno(errno);
    return CFile::GetLength();
}

void CStdioFile::SetLength(DWORD dwNewLen)
{
    CheckStream(m_pStream, m_strFileName);
    if (std::fflush(m_pStream) != 0)
        ThrowErrno(errno);
    CFile::SetLength(dwNewLen);
}

UINT CStdioFile::Read(void* lpBuf, UINT nCount)
{
    CheckStream(m_pStream, m_strFileName);
    if (nCount == 0)
        return 0;
    if (lpBuf == NULL)
        AfxThrowInvalidArgException();
    UINT nRead = 0;
    if (!m_bTextMode) {
        nRead = static_cast<UINT>(std::fread(lpBuf, 1, nCount, m_pStream));
    } else {
        char* p = static_cast<char*>(lpBuf);
        int ch;
        while (nRead < nCount && (ch = ReadChar()) != EOF)
            p[nRead++] = static_cast<char>(ch);
    }
    if (std::ferror(m_pStream))
        ThrowErrno(errno);
    return nRead;
}

void CStdioFile::Write(const void* lpBuf, UINT nCount)
{
    CheckStream(m_pStream, m_strFileName);
    if (nCount == 0)
        return;
    if (lpBuf == NULL)
        AfxThrowInvalidArgException();
    const char* p = static_cast<const char*>(lpBuf);
    bool bOk = true;
    if (!m_bTextMode) {
        bOk = std::fwrite(p, 1, nCount, m_pStream) == nCount;
    } else {
        UINT nStart = 0;
        for (UINT i = 0; i < nCount && bOk; ++i) {
            if (p[i] != '\n')
                continue;
            bOk = std::fwrite(p + nStart, 1, i - nStart, m_pStream) == i - nStart &&
                  std::fwrite("\r\n", 1, 2, m_pStream) == 2;
            nStart = i + 1;
        }
        if (bOk && nStart < nCount)
            bOk = std::fwrite(p + nStart, 1, nCount - nStart, m_pStream) == nCount - nStart;
    }
    if (!bOk)
        ThrowErrno(errno != 0 ? errno : EIO);
}

void CStdioFile::LockRange(DWORD, DWORD)
{
    AfxThrowNotSupportedException();
}
void CStdioFile::UnlockRange(DWORD, DWORD)
{
    AfxThrowNotSupportedException();
}

void CStdioFile::Flush()
{
    if (m_pStream != NULL && std::fflush(m_pStream) != 0)
        ThrowErrno(errno);
}

void CStdioFile::Close()
{
    int nError = 0;
    if (m_pStream != NULL && std::fclose(m_pStream) != 0)
        nError = errno;
    CString strFileName = m_strFileName;
    m_pStream = NULL;
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
    m_strFileName.Empty();
    if (nError != 0)
        AfxThrowFileException(CFileException::OsErrorToException(nError), nError, strFileName);
}

void CStdioFile::Abort()
{
    if (m_pStream != NULL && m_bCloseOnDelete)
        std::fclose(m_pStream);
    m_pStream = NULL;
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
    m_strFileName.Empty();
}

CFile* CStdioFile::Duplicate() const
{
    AfxThrowNotSupportedException();
}
