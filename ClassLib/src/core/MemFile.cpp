// CMemFile: a file in a memory buffer that grows as it is written.
#include <ClassLib/Core/File.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

IMPLEMENT_DYNAMIC(CMemFile, CFile)

CMemFile::CMemFile(UINT nGrowBytes)
    : m_nGrowBytes(nGrowBytes)
    , m_nPosition(0)
    , m_nBufferSize(0)
    , m_nFileSize(0)
    , m_lpBuffer(NULL)
    , m_bAutoDelete(TRUE)
{
}

CMemFile::CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes)
    : m_nGrowBytes(0)
    , m_nPosition(0)
    , m_nBufferSize(0)
    , m_nFileSize(0)
    , m_lpBuffer(NULL)
    , m_bAutoDelete(TRUE)
{
    Attach(lpBuffer, nBufferSize, nGrowBytes);
}

CMemFile::~CMemFile()
{
    if (m_lpBuffer != NULL && m_bAutoDelete)
        Free(m_lpBuffer);
    m_lpBuffer = NULL;
}

void CMemFile::Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes)
{
    if (m_lpBuffer != NULL && m_bAutoDelete)
        Free(m_lpBuffer);
    if (lpBuffer == NULL)
        nBufferSize = 0;
    m_lpBuffer = lpBuffer;
    m_nBufferSize = nBufferSize;
    m_nGrowBytes = nGrowBytes;
    m_nPosition = 0;
    m_nFileSize = nGrowBytes == 0 ? nBufferSize : 0;
    m_bAutoDelete = FALSE;
}

BYTE* CMemFile::Detach()
{
    BYTE* lpBuffer = m_lpBuffer;
    m_lpBuffer = NULL;
    m_nBufferSize = 0;
    m_nFileSize = 0;
    m_nPosition = 0;
    m_bAutoDelete = TRUE;
    return lpBuffer;
}

BYTE* CMemFile::Alloc(DWORD nBytes)
{
    return static_cast<BYTE*>(std::malloc(nBytes));
}

BYTE* CMemFile::Realloc(BYTE* lpMem, DWORD nBytes)
{
    return static_cast<BYTE*>(std::realloc(lpMem, nBytes));
}

void CMemFile::Free(BYTE* lpMem)
{
    std::free(lpMem);
}

void CMemFile::GrowFile(DWORD dwNewLen)
{
    if (dwNewLen <= m_nBufferSize)
        return;
    // A buffer of fixed size cannot grow.
    if (m_nGrowBytes == 0)
        AfxThrowMemoryException();
    // Whole steps of m_nGrowBytes, and at least half again the current size, so that
    // many small writes do not copy the buffer over and over.
    unsigned long long nNewSize = m_nBufferSize + m_nBufferSize / 2ull;
    if (nNewSize < dwNewLen)
        nNewSize = dwNewLen;
    nNewSize = (nNewSize + m_nGrowBytes - 1) / m_nGrowBytes * m_nGrowBytes;
    if (nNewSize > 0xFFFFFFFFull)
        nNewSize = 0xFFFFFFFFull;
    BYTE* lpNew = m_lpBuffer == NULL ? Alloc(static_cast<DWORD>(nNewSize))
                                     : Realloc(m_lpBuffer, static_cast<DWORD>(nNewSize));
    if (lpNew == NULL)
        AfxThrowMemoryException();
    m_lpBuffer = lpNew;
    m_nBufferSize = static_cast<DWORD>(nNewSize);
}

DWORD CMemFile::GetPosition() const
{
    return m_nPosition;
}

LONG CMemFile::Seek(LONG lOff, UINT nFrom)
{
    long long base = nFrom == begin     ? 0
                     : nFrom == current ? m_nPosition
                     : nFrom == end     ? m_nFileSize
                                        : -1;
    long long pos = base + lOff;
    if (base < 0 || pos < 0 || pos > LONG_MAX)
        AfxThrowFileException(CFileException::badSeek, EINVAL, m_strFileName);
    m_nPosition = static_cast<DWORD>(pos);
    return static_cast<LONG>(pos);
}

DWORD CMemFile::GetLength() const
{
    return m_nFileSize;
}

void CMemFile::SetLength(DWORD dwNewLen)
{
    if (dwNewLen > m_nBufferSize)
        GrowFile(dwNewLen);
    if (dwNewLen > m_nFileSize)
        std::memset(m_lpBuffer + m_nFileSize, 0, dwNewLen - m_nFileSize);
    if (dwNewLen < m_nPosition)
        m_nPosition = dwNewLen;
    m_nFileSize = dwNewLen;
}

UINT CMemFile::Read(void* lpBuf, UINT nCount)
{
    if (nCount == 0 || m_nPosition >= m_nFileSize)
        return 0;
    if (lpBuf == NULL)
        AfxThrowInvalidArgException();
    UINT nRead = nCount < m_nFileSize - m_nPosition ? nCount : m_nFileSize - m_nPosition;
    std::memcpy(lpBuf, m_lpBuffer + m_nPosition, nRead);
    m_nPosition += nRead;
    return nRead;
}

void CMemFile::Write(const void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return;
    if (lpBuf == NULL)
        AfxThrowInvalidArgException();
    unsigned long long nEnd = static_cast<unsigned long long>(m_nPosition) + nCount;
    if (nEnd > 0xFFFFFFFFull)
        AfxThrowMemoryException();
    if (nEnd > m_nBufferSize)
        GrowFile(static_cast<DWORD>(nEnd));
    // Bytes skipped by a seek past the end read as zero.
    if (m_nPosition > m_nFileSize)
        std::memset(m_lpBuffer + m_nFileSize, 0, m_nPosition - m_nFileSize);
    std::memcpy(m_lpBuffer + m_nPosition, lpBuf, nCount);
    m_nPosition = static_cast<DWORD>(nEnd);
    if (m_nPosition > m_nFileSize)
        m_nFileSize = m_nPosition;
}

void CMemFile::LockRange(DWORD, DWORD)
{
    AfxThrowNotSupportedException();
}
void CMemFile::UnlockRange(DWORD, DWORD)
{
    AfxThrowNotSupportedException();
}
void CMemFile::Flush() {}

void CMemFile::Close()
{
    if (m_lpBuffer != NULL && m_bAutoDelete)
        Free(m_lpBuffer);
    m_lpBuffer = NULL;
    m_nBufferSize = 0;
    m_nFileSize = 0;
    m_nPosition = 0;
    m_bAutoDelete = TRUE;
}

void CMemFile::Abort()
{
    Close();
}

CFile* CMemFile::Duplicate() const
{
    AfxThrowNotSupportedException();
}

BOOL CMemFile::Open(LPCTSTR, UINT, CFileException*)
{
    AfxThrowNotSupportedException();
}
