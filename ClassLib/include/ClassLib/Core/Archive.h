// CArchive: the class library's binary object archive on a CFile, in the byte format of
// the system's earlier builds, so that files written there load here and the other way round.
//
// Format (all numbers little-endian):
// - BYTE, char: 1 byte; WORD, short, WCHAR: 2; int, UINT, LONG, DWORD, BOOL, bool, float:
//   4; double, LONGLONG, ULONGLONG: 8. There is deliberately no `long` overload: long
//   is 8 bytes here and 4 on the original, so code must say which size it means.
// - CString: length prefix (one byte below 255; 0xFF and a WORD below 0xFFFE; 0xFF,
//   0xFFFF and a DWORD otherwise), then the bytes without terminator.
// - counts (WriteCount): a WORD below 0xFFFF, else 0xFFFF and a DWORD.
// - objects: WORD 0 for NULL; a class seen for the first time as WORD 0xFFFF, WORD
//   schema, WORD name length and the name; a class seen before as WORD 0x8000 | index;
//   an object seen before as WORD index. Classes and objects share one index counter
//   that starts at 1. From index 0x7FFF on, the tag is WORD 0x7FFF and a DWORD (the
//   object's index, or 0x80000000 | the class's index).
//
// Loading never reads past the data: a value cut short raises CArchiveException
// endOfFile; damaged references raise badIndex, unknown classes badClass and wrong
// schemas badSchema. Archive exceptions name the archive's file.
#pragma once

#include <ClassLib/Core/WinTypes.h>
#include <ClassLib/Core/Object.h>
#include <ClassLib/Core/Exceptions.h>
#include <ClassLib/Core/String.h>
#include <ClassLib/Core/File.h>

#include <memory>

class CDocument;

class AFX_EXT_CLASS CArchive
{
public:
    enum Mode
    {
        store = 0,
        load = 1,
        bNoFlushOnDelete = 2,
        bNoByteSwap = 4
    };

    // Null object, new class and big index tags of the object format.
    enum
    {
        wNullTag = 0,
        wNewClassTag = 0xFFFF,
        wClassTag = 0x8000,
        wBigObjectTag = 0x7FFF
    };
    static constexpr DWORD dwBigClassTag = 0x80000000;
    static constexpr DWORD nMaxMapCount = 0x3FFFFFFE;

    CArchive(CFile* pFile, UINT nMode, int nBufSize = 4096, void* lpBuf = NULL);
    // Closes the archive (flushing what was stored) unless bNoFlushOnDelete was given or
    // it is already closed. Errors at this point cannot be reported: call Close first.
    ~CArchive();
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    BOOL IsLoading() const { return (m_nMode & load) != 0; }
    BOOL IsStoring() const { return (m_nMode & load) == 0; }
    BOOL IsByteSwapping() const { return FALSE; }
    // TRUE when no loaded bytes wait in the buffer.
    BOOL IsBufferEmpty() const;
    CFile* GetFile() const { return m_pFile; }

    // The schema of the object being loaded (valid once, inside its Serialize; (UINT)-1
    // otherwise).
    UINT GetObjectSchema();
    void SetObjectSchema(UINT nSchema) { m_nObjectSchema = nSchema; }

    // Raw bytes. Read returns how many it got (fewer at the end of the data).
    UINT Read(void* lpBuf, UINT nMax);
    void Write(const void* lpBuf, UINT nMax);

    // Storing: writes the buffer to the file. Loading: gives unread buffered bytes back to
    // the file, so its position is where the archive stopped reading.
    void Flush();
    void Close();
    // Detaches from the file without writing or throwing.
    void Abort();

    // Text lines in an archive: WriteString writes the bytes only (no terminator, no line
    // end); ReadString reads up to "\n" and drops the line end ("\r\n" or "\n").
    void WriteString(LPCTSTR lpsz);
    LPTSTR ReadString(LPTSTR lpsz, UINT nMax);
    BOOL ReadString(CString& rString);

    // Objects and classes.
    CObject* ReadObject(const CRuntimeClass* pClassRefRequested);
    void WriteObject(const CObject* pOb);
    CRuntimeClass* ReadClass(const CRuntimeClass* pClassRefRequested = NULL, UINT* pSchema = NULL,
                             DWORD* pObTag = NULL);
    void WriteClass(const CRuntimeClass* pClassRef);
    void SerializeClass(const CRuntimeClass* pClassRef);
    // Gives an object an index without writing it, so later references to it are written
    // (or read) as references.
    void MapObject(const CObject* pOb);
    // Tuning of the platform's maps; the maps here size themselves.
    void SetStoreParams(UINT nHashSize = 2053, UINT nBlockSize = 128);
    void SetLoadParams(UINT nGrowBy = 1024);

    DWORD ReadCount();
    void WriteCount(DWORD dwCount);

    // Numbers.
    CArchive& operator<<(BYTE by);
    CArchive& operator<<(char ch);
    CArchive& operator<<(signed char ch);
    CArchive& operator<<(WORD w);
    CArchive& operator<<(short n);
    CArchive& operator<<(char16_t wch);
    CArchive& operator<<(int n);   // also LONG and BOOL
    CArchive& operator<<(UINT u);  // also DWORD
    CArchive& operator<<(bool b);  // as a 4-byte int, as BOOL
    CArchive& operator<<(float f);
    CArchive& operator<<(double d);
    CArchive& operator<<(long long n);           // LONGLONG
    CArchive& operator<<(unsigned long long n);  // ULONGLONG
    CArchive& operator<<(long) = delete;
    CArchive& operator<<(unsigned long) = delete;

    CArchive& operator>>(BYTE& by);
    CArchive& operator>>(char& ch);
    CArchive& operator>>(signed char& ch);
    CArchive& operator>>(WORD& w);
    CArchive& operator>>(short& n);
    CArchive& operator>>(char16_t& wch);
    CArchive& operator>>(int& n);
    CArchive& operator>>(UINT& u);
    CArchive& operator>>(bool& b);
    CArchive& operator>>(float& f);
    CArchive& operator>>(double& d);
    CArchive& operator>>(long long& n);
    CArchive& operator>>(unsigned long long& n);
    CArchive& operator>>(long&) = delete;
    CArchive& operator>>(unsigned long&) = delete;

    // Strings in the archive's length-prefixed form.
    void WriteCString(LPCTSTR psz, UINT nLength);
    void ReadCString(CString& string);

    CDocument* m_pDocument;
    CString m_strFileName;

private:
    struct Maps;

    void CheckStoring();
    void CheckLoading();
    // Reads exactly nBytes or throws endOfFile.
    void ReadExact(void* lpBuf, UINT nBytes);
    void ThrowArchive(int cause) const;
    void FlushStoreBuffer();

    CFile* m_pFile;
    UINT m_nMode;
    UINT m_nObjectSchema;
    std::unique_ptr<BYTE[]> m_pBuffer;
    UINT m_nBufSize;
    UINT m_nBufPos;  // loading: next unread byte; storing: bytes waiting
    UINT m_nBufEnd;  // loading: end of the bytes read from the file
    std::unique_ptr<Maps> m_pMaps;
};

AFX_EXT_API CArchive& operator<<(CArchive& ar, const CObject* pOb);
AFX_EXT_API CArchive& operator>>(CArchive& ar, CObject*& pOb);
AFX_EXT_API CArchive& operator>>(CArchive& ar, const CObject*& pOb);

AFX_EXT_API CArchive& operator<<(CArchive& ar, const CString& string);
AFX_EXT_API CArchive& operator<<(CArchive& ar, LPCTSTR psz);
AFX_EXT_API CArchive& operator>>(CArchive& ar, CString& string);
