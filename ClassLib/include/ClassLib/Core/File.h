// Files: CFile (an operating-system file), CMemFile (a growable memory buffer),
// CStdioFile (a buffered stream with text lines), CFileStatus and CFileFind.
//
// Paths are code page 936 strings, as everywhere in the system; they are converted to
// the file system's UTF-8 when a file is opened, and backslashes count as separators.
// GetFilePath gives the full path with '/' separators. Failures throw CFileException
// (or fill the one passed to Open) with the cause, errno as m_lOsError and the file name.
#pragma once

#include <ClassLib/Core/WinTypes.h>
#include <ClassLib/Core/Object.h>
#include <ClassLib/Core/Exceptions.h>
#include <ClassLib/Core/String.h>
#include <ClassLib/Core/DateTime.h>

#include <cstdio>
#include <memory>

struct CFileStatus
{
    CTime m_ctime;     // status change time (stands for the creation time)
    CTime m_mtime;     // last modification
    CTime m_atime;     // last access
    LONG m_size;       // length in bytes (files of 2 GB and more give 0x7FFFFFFF)
    BYTE m_attribute;  // CFile::Attribute flags
    BYTE _m_padding;
    TCHAR m_szFullName[MAX_PATH];  // full path, cut at a character boundary if longer
};

class AFX_EXT_CLASS CFile : public CObject
{
    DECLARE_DYNAMIC(CFile)

public:
    enum OpenFlags
    {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000,
        typeBinary = 0x8000
    };
    enum Attribute
    {
        normal = 0x00,
        readOnly = 0x01,
        hidden = 0x02,
        system = 0x04,
        volume = 0x08,
        directory = 0x10,
        archive = 0x20
    };
    enum SeekPosition
    {
        begin = 0x0,
        current = 0x1,
        end = 0x2
    };
    static constexpr UINT hFileNull = static_cast<UINT>(-1);

    CFile();
    // Attaches an open file descriptor; the file is not closed on destruction.
    explicit CFile(int hFile);
    // Opens the file or throws CFileException.
    CFile(LPCTSTR lpszFileName, UINT nOpenFlags);
    ~CFile() override;

    // Opening: the sharing modes are kept among the programs that open the file through
    // this class (shareExclusive takes an exclusive lock, shareDenyWrite and shareDenyRead
    // a shared one); modeCreate without modeNoTruncate empties the file once the lock is
    // held. FALSE with pError filled when the file cannot be opened.
    virtual BOOL Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError = NULL);

    virtual DWORD GetPosition() const;
    virtual LONG Seek(LONG lOff, UINT nFrom);
    void SeekToBegin() { Seek(0, begin); }
    DWORD SeekToEnd() { return static_cast<DWORD>(Seek(0, end)); }
    virtual DWORD GetLength() const;
    virtual void SetLength(DWORD dwNewLen);

    virtual UINT Read(void* lpBuf, UINT nCount);
    virtual void Write(const void* lpBuf, UINT nCount);

    virtual void LockRange(DWORD dwPos, DWORD dwCount);
    virtual void UnlockRange(DWORD dwPos, DWORD dwCount);

    virtual void Flush();
    virtual void Close();
    // Closes without throwing.
    virtual void Abort();
    virtual CFile* Duplicate() const;

    virtual CString GetFileName() const;
    virtual CString GetFileTitle() const;
    virtual CString GetFilePath() const;
    virtual void SetFilePath(LPCTSTR lpszNewName);

    virtual BOOL GetStatus(CFileStatus& rStatus) const;
    static BOOL PASCAL GetStatus(LPCTSTR lpszFileName, CFileStatus& rStatus);
    static void PASCAL Rename(LPCTSTR lpszOldName, LPCTSTR lpszNewName);
    static void PASCAL Remove(LPCTSTR lpszFileName);

    UINT m_hFile;
    BOOL m_bCloseOnDelete;
    CString m_strFileName;

protected:
    // Throws CFileException for errno value nErrno on this file.
    [[noreturn]] void ThrowErrno(int nErrno) const;
};

class AFX_EXT_CLASS CMemFile : public CFile
{
    DECLARE_DYNAMIC(CMemFile)

public:
    // An empty file whose buffer grows in steps of nGrowBytes.
    explicit CMemFile(UINT nGrowBytes = 1024);
    // Works on the caller's buffer; see Attach.
    CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
    ~CMemFile() override;

    // With nGrowBytes 0 the file is the buffer's nBufferSize bytes and cannot grow beyond
    // them. Otherwise the file starts empty, and the buffer (which must then come from
    // malloc) is grown with realloc. The buffer stays the caller's.
    void Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
    // Hands the buffer to the caller (free it with free()) and leaves the file empty.
    BYTE* Detach();

    DWORD GetPosition() const override;
    LONG Seek(LONG lOff, UINT nFrom) override;
    DWORD GetLength() const override;
    void SetLength(DWORD dwNewLen) override;
    UINT Read(void* lpBuf, UINT nCount) override;
    void Write(const void* lpBuf, UINT nCount) override;
    void LockRange(DWORD dwPos, DWORD dwCount) override;
    void UnlockRange(DWORD dwPos, DWORD dwCount) override;
    void Flush() override;
    void Close() override;
    void Abort() override;
    CFile* Duplicate() const override;
    BOOL Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError = NULL) override;

protected:
    virtual BYTE* Alloc(DWORD nBytes);
    virtual BYTE* Realloc(BYTE* lpMem, DWORD nBytes);
    virtual void Free(BYTE* lpMem);
    // Makes the buffer hold at least dwNewLen bytes (CMemoryException for a buffer that
    // cannot grow). Bytes a write or SetLength adds past the old end read as zero.
    virtual void GrowFile(DWORD dwNewLen);

    UINT m_nGrowBytes;
    DWORD m_nPosition;
    DWORD m_nBufferSize;
    DWORD m_nFileSize;
    BYTE* m_lpBuffer;
    BOOL m_bAutoDelete;
};

class AFX_EXT_CLASS CStdioFile : public CFile
{
    DECLARE_DYNAMIC(CStdioFile)

public:
    CStdioFile();
    // Attaches an open stream (binary, no line-end translation); it is not closed on
    // destruction.
    explicit CStdioFile(FILE* pOpenStream);
    CStdioFile(LPCTSTR lpszFileName, UINT nOpenFlags);
    ~CStdioFile() override;

    // Without typeBinary the file is in text mode: "\n" is written as "\r\n" and "\r\n"
    // reads as "\n".
    BOOL Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError = NULL) override;

    virtual void WriteString(LPCTSTR lpsz);
    // Reads one line into lpsz like fgets: at most nMax - 1 bytes, the "\n" kept.
    // NULL at the end of the file.
    virtual LPTSTR ReadString(LPTSTR lpsz, UINT nMax);
    // Reads one line of any length and drops its "\n" (and, in text mode, the "\r"
    // before it). FALSE at the end of the file.
    virtual BOOL ReadString(CString& rString);

    DWORD GetPosition() const override;
    LONG Seek(LONG lOff, UINT nFrom) override;
    DWORD GetLength() const override;
    void SetLength(DWORD dwNewLen) override;
    UINT Read(void* lpBuf, UINT nCount) override;
    void Write(const void* lpBuf, UINT nCount) override;
    void LockRange(DWORD dwPos, DWORD dwCount) override;
    void UnlockRange(DWORD dwPos, DWORD dwCount) override;
    void Flush() override;
    void Close() override;
    void Abort() override;
    CFile* Duplicate() const override;

    FILE* m_pStream;

protected:
    // The next byte, with "\r\n" read as "\n" in text mode; EOF at the end.
    int ReadChar();

    BOOL m_bTextMode;
};

class AFX_EXT_CLASS CFileFind : public CObject
{
    DECLARE_DYNAMIC(CFileFind)

public:
    CFileFind();
    ~CFileFind() override;

    // Looks for the files that match pstrName: a folder and a name that may hold '*' and
    // '?' ("*.*" matches every name; letters match without regard to case). NULL means
    // "*.*" in the current folder. TRUE when at least one file matches; call FindNextFile
    // to step to the first, and on for as long as it returns TRUE.
    virtual BOOL FindFile(LPCTSTR pstrName = NULL, DWORD dwUnused = 0);
    // Steps to the next match; FALSE when the match it stepped to is the last one.
    virtual BOOL FindNextFile();
    void Close();

    DWORD GetLength() const;
    virtual CString GetFileName() const;
    virtual CString GetFilePath() const;
    virtual CString GetFileTitle() const;
    virtual CString GetFileURL() const;
    virtual CString GetRoot() const;
    BOOL GetLastWriteTime(CTime& refTime) const;
    BOOL GetLastAccessTime(CTime& refTime) const;
    BOOL GetCreationTime(CTime& refTime) const;

    BOOL IsDots() const;
    BOOL IsDirectory() const { return MatchesMask(CFile::directory); }
    BOOL IsReadOnly() const { return MatchesMask(CFile::readOnly); }
    BOOL IsHidden() const { return MatchesMask(CFile::hidden); }
    BOOL IsSystem() const { return MatchesMask(CFile::system); }
    BOOL IsArchived() const { return MatchesMask(CFile::archive); }
    BOOL IsCompressed() const { return FALSE; }
    BOOL IsTemporary() const { return FALSE; }
    BOOL IsNormal() const;
    // TRUE when the current file has any of the CFile::Attribute flags in dwMask.
    virtual BOOL MatchesMask(DWORD dwMask) const;

private:
    struct Found;
    struct State;
    const Found* Current() const;
    std::unique_ptr<State> m_pState;
};
