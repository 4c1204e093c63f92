// CArchive: buffering, numbers, counts, strings and text lines.
#include <ClassLib/Core/Archive.h>

#include <ClassLib/Core/Conversion.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "ArchiveMaps.h"

namespace {

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__,
              "archives store numbers little-endian as the host does");

// Long strings arrive in pieces of this size, so a damaged length meets the end of the
// data before it can claim memory.
const UINT kStringChunk = 64 * 1024;

}  // namespace

CArchive::CArchive(CFile* pFile, UINT nMode, int nBufSize, void* lpBuf)
    : m_pDocument(NULL)
    , m_pFile(pFile)
    , m_nMode(nMode)
    , m_nObjectSchema(static_cast<UINT>(-1))
    , m_nBufSize(0)
    , m_nBufPos(0)
    , m_nBufEnd(0)
    , m_pMaps(new Maps)
{
    (void)lpBuf;  // the archive keeps a buffer of its own
    if (pFile == NULL)
        AfxThrowInvalidArgException();
    m_strFileName = pFile->GetFilePath();
    m_nBufSize = static_cast<UINT>(std::max(nBufSize, 128));
    m_pBuffer.reset(new BYTE[m_nBufSize]);
}

CArchive::~CArchive()
{
    if (m_pFile != NULL && (m_nMode & bNoFlushOnDelete) == 0) {
        try {
            Close();
        } catch (CException* e) {
            e->Delete();
        } catch (...) {
        }
    }
}

void CArchive::ThrowArchive(int cause) const
{
    AfxThrowArchiveException(cause, m_strFileName);
}

void CArchive::CheckStoring()
{
    if (IsLoading())
        ThrowArchive(CArchiveException::readOnly);
    if (m_pFile == NULL)
        ThrowArchive(CArchiveException::generic);
}

void CArchive::CheckLoading()
{
    if (IsStoring())
        ThrowArchive(CArchiveException::writeOnly);
    if (m_pFile == NULL)
        ThrowArchive(CArchiveException::generic);
}

BOOL CArchive::IsBufferEmpty() const
{
    if (IsLoading())
        return m_nBufPos == m_nBufEnd;
    return m_nBufPos == 0;
}

UINT CArchive::GetObjectSchema()
{
    UINT nResult = m_nObjectSchema;
    m_nObjectSchema = static_cast<UINT>(-1);
    return nResult;
}

// --- bytes ----------------------------------------------------------------------------

UINT CArchive::Read(void* lpBuf, UINT nMax)
{
    CheckLoading();
    if (nMax == 0)
        return 0;
    if (lpBuf == NULL)
        AfxThrowInvalidArgException();
    BYTE* pOut = static_cast<BYTE*>(lpBuf);
    UINT nRead = 0;
    while (nRead < nMax) {
        if (m_nBufPos == m_nBufEnd) {
            UINT nLeft = nMax - nRead;
            m_nBufPos = m_nBufEnd = 0;
            if (nLeft >= m_nBufSize) {
                // Large reads go straight into the caller's memory.
                UINT nGot = m_pFile->Read(pOut + nRead, nLeft);
                if (nGot == 0)
                    break;
                nRead += nGot;
                continue;
            }
            m_nBufEnd = m_pFile->Read(m_pBuffer.get(), m_nBufSize);
            if (m_nBufEnd == 0)
                break;
        }
        UINT nPart = std::min(m_nBufEnd - m_nBufPos, nMax - nRead);
        std::memcpy(pOut + nRead, m_pBuffer.get() + m_nBufPos, nPart);
        m_nBufPos += nPart;
        nRead += nPart;
    }
    return nRead;
}

void CArchive::ReadExact(void* lpBuf, UINT nBytes)
{
    if (Read(lpBuf, nBytes) != nBytes)
        ThrowArchive(CArchiveException::endOfFile);
}

void CArchive::FlushStoreBuffer()
{
    if (m_nBufPos == 0)
        return;
    UINT nBytes = m_nBufPos;
    m_nBufPos = 0;
    m_pFile->Write(m_pBuffer.get(), nBytes);
}

void CArchive::Write(const void* lpBuf, UINT nMax)
{
    CheckStoring();
    if (nMax == 0)
        return;
    if (lpBuf == NULL)
        AfxThrowInvalidArgException();
    const BYTE* pIn = static_cast<const BYTE*>(lpBuf);
    while (nMax > 0) {
        if (m_nBufPos == m_nBufSize)
            FlushStoreBuffer();
        if (m_nBufPos == 0 && nMax >= m_nBufSize) {
            m_pFile->Write(pIn, nMax);
            return;
        }
        UINT nPart = std::min(m_nBufSize - m_nBufPos, nMax);
        std::memcpy(m_pBuffer.get() + m_nBufPos, pIn, nPart);
        m_nBufPos += nPart;
        pIn += nPart;
        nMax -= nPart;
    }
}

void CArchive::Flush()
{
    if (m_pFile == NULL)
        return;
    if (IsStoring()) {
        FlushStoreBuffer();
    } else {
        UINT nUnread = m_nBufEnd - m_nBufPos;
        m_nBufPos = m_nBufEnd = 0;
        if (nUnread > 0)
            m_pFile->Seek(-static_cast<LONG>(nUnread), CFile::current);
    }
}

void CArchive::Close()
{
    if (m_pFile == NULL)
        return;
    try {
        Flush();
    } catch (...) {
        m_pFile = NULL;
        throw;
    }
    m_pFile = NULL;
}

void CArchive::Abort()
{
    m_pFile = NULL;
    m_nBufPos = m_nBufEnd = 0;
}

void CArchive::SetStoreParams(UINT, UINT) {}
void CArchive::SetLoadParams(UINT) {}

// --- numbers --------------------------------------------------------------------------

namespace {
template <class T> void Put(CArchive& ar, T value)
{
    ar.Write(&value, sizeof(T));
}
}  // namespace

#define PC_ARCHIVE_NUMBER(T)                                                                       \
    CArchive& CArchive::operator<<(T value)                                                        \
    {                                                                                              \
        Put<T>(*this, value);                                                                      \
        return *this;                                                                              \
    }                                                                                              \
    CArchive& CArchive::operator>>(T& value)                                                       \
    {                                                                                              \
        CheckLoading();                                                                            \
        T temp;                                                                                    \
        ReadExact(&temp, sizeof(T));                                                               \
        value = temp;                                                                              \
        return *this;                                                                              \
    }

PC_ARCHIVE_NUMBER(BYTE)
PC_ARCHIVE_NUMBER(char)
PC_ARCHIVE_NUMBER(signed char)
PC_ARCHIVE_NUMBER(WORD)
PC_ARCHIVE_NUMBER(short)
PC_ARCHIVE_NUMBER(char16_t)
PC_ARCHIVE_NUMBER(int)
PC_ARCHIVE_NUMBER(UINT)
PC_ARCHIVE_NUMBER(float)
PC_ARCHIVE_NUMBER(double)
PC_ARCHIVE_NUMBER(long long)
PC_ARCHIVE_NUMBER(unsigned long long)

#undef PC_ARCHIVE_NUMBER

CArchive& CArchive::operator<<(bool b)
{
    return *this << static_cast<int>(b ? 1 : 0);
}

CArchive& CArchive::operator>>(bool& b)
{
    int n = 0;
    *this >> n;
    b = n != 0;
    return *this;
}

// --- counts ---------------------------------------------------------------------------

void CArchive::WriteCount(DWORD dwCount)
{
    if (dwCount < 0xFFFF) {
        *this << static_cast<WORD>(dwCount);
    } else {
        *this << static_cast<WORD>(0xFFFF);
        *this << dwCount;
    }
}

DWORD CArchive::ReadCount()
{
    WORD wCount = 0;
    *this >> wCount;
    if (wCount != 0xFFFF)
        return wCount;
    DWORD dwCount = 0;
    *this >> dwCount;
    return dwCount;
}

// --- strings --------------------------------------------------------------------------

void CArchive::WriteCString(LPCTSTR psz, UINT nLength)
{
    CheckStoring();
    if (nLength < 255) {
        *this << static_cast<BYTE>(nLength);
    } else if (nLength < 0xFFFE) {
        *this << static_cast<BYTE>(0xFF);
        *this << static_cast<WORD>(nLength);
    } else {
        *this << static_cast<BYTE>(0xFF);
        *this << static_cast<WORD>(0xFFFF);
        *this << static_cast<DWORD>(nLength);
    }
    if (nLength > 0)
        Write(psz, nLength);
}

namespace {

// Reads a length prefix. A WORD of 0xFFFE after the 0xFF byte marks text stored as
// UTF-16 by later versions of the platform; its own prefix follows.
DWORD ReadStringLength(CArchive& ar, bool& bWide)
{
    BYTE bLength = 0;
    ar >> bLength;
    if (bLength < 0xFF)
        return bLength;
    WORD wLength = 0;
    ar >> wLength;
    if (wLength == 0xFFFE) {
        if (bWide)
            AfxThrowArchiveException(CArchiveException::generic, ar.m_strFileName);
        bWide = true;
        return ReadStringLength(ar, bWide);
    }
    if (wLength < 0xFFFF)
        return wLength;
    DWORD dwLength = 0;
    ar >> dwLength;
    return dwLength;
}

void ReadBytes(CArchive& ar, std::string& bytes, size_t nBytes)
{
    bytes.clear();
    while (bytes.size() < nBytes) {
        size_t nPart = std::min<size_t>(nBytes - bytes.size(), kStringChunk);
        size_t nOld = bytes.size();
        bytes.resize(nOld + nPart);
        if (ar.Read(&bytes[nOld], static_cast<UINT>(nPart)) != nPart)
            AfxThrowArchiveException(CArchiveException::endOfFile, ar.m_strFileName);
    }
}

}  // namespace

void CArchive::ReadCString(CString& string)
{
    CheckLoading();
    bool bWide = false;
    DWORD nLength = ReadStringLength(*this, bWide);
    std::string bytes;
    if (!bWide) {
        ReadBytes(*this, bytes, nLength);
        string = CString(bytes);
        return;
    }
    ReadBytes(*this, bytes, static_cast<size_t>(nLength) * 2);
    std::u16string wide(nLength, u'\0');
    for (DWORD i = 0; i < nLength; ++i)
        wide[i] = static_cast<char16_t>(static_cast<BYTE>(bytes[2 * i]) |
                                        (static_cast<BYTE>(bytes[2 * i + 1]) << 8));
    string = CString(Cp936FromUtf16(wide.data(), wide.size()));
}

CArchive& operator<<(CArchive& ar, const CString& string)
{
    ar.WriteCString(string, static_cast<UINT>(string.GetLength()));
    return ar;
}

CArchive& operator<<(CArchive& ar, LPCTSTR psz)
{
    if (psz == NULL)
        psz = "";
    ar.WriteCString(psz, static_cast<UINT>(std::strlen(psz)));
    return ar;
}

CArchive& operator>>(CArchive& ar, CString& string)
{
    ar.ReadCString(string);
    return ar;
}

// --- text lines -----------------------------------------------------------------------

void CArchive::WriteString(LPCTSTR lpsz)
{
    CheckStoring();
    if (lpsz == NULL)
        return;
    Write(lpsz, static_cast<UINT>(std::strlen(lpsz)));
}

BOOL CArchive::ReadString(CString& rString)
{
    CheckLoading();
    std::string line;
    bool bAny = false;
    char ch;
    while (Read(&ch, 1) == 1) {
        bAny = true;
        if (ch == '\n')
            break;
        line.push_back(ch);
    }
    if (!bAny) {
        rString.Empty();
        return FALSE;
    }
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    rString = CString(line);
    return TRUE;
}

LPTSTR CArchive::ReadString(LPTSTR lpsz, UINT nMax)
{
    CheckLoading();
    if (lpsz == NULL || nMax == 0)
        AfxThrowInvalidArgException();
    UINT nRead = 0;
    bool bLineEnd = false;
    char ch;
    while (nRead + 1 < nMax && Read(&ch, 1) == 1) {
        if (ch == '\n') {
            bLineEnd = true;
            break;
        }
        lpsz[nRead++] = ch;
    }
    if (nRead == 0 && !bLineEnd) {
        lpsz[0] = 0;
        return NULL;
    }
    if (bLineEnd && nRead > 0 && lpsz[nRead - 1] == '\r')
        --nRead;
    lpsz[nRead] = 0;
    return lpsz;
}
