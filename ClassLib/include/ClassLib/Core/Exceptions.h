// The class library's exceptions. They are thrown as pointers to heap objects
// (`throw new CFileException(...)`, or one of the AfxThrow* helpers) and caught as
// `catch (CException* e) { ...; e->Delete(); }`. The TRY/CATCH macros map onto that and
// delete the exception at the end of the handler unless it is thrown on (THROW_LAST or
// THROW of the same object).
#pragma once

#include <ClassLib/Core/WinTypes.h>
#include <ClassLib/Core/Object.h>
#include <ClassLib/Core/String.h>
#include <ClassLib/Core/MessageBox.h>

typedef UINT* PUINT;

class AFX_EXT_CLASS CException : public CObject
{
    DECLARE_DYNAMIC(CException)

public:
    CException();
    explicit CException(BOOL bAutoDelete);
    ~CException() override;

    // Deletes the exception unless it is a shared one that must outlive the handler.
    void Delete();

    // Copies the message into lpszError (at most nMaxError bytes with the terminator,
    // never splitting a double-byte character); FALSE when there is no message.
    virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL);
    // Shows the message with AfxMessageBox; without one, the string resource nMessageID,
    // else a plain "no message" text. Returns the message box's answer.
    virtual int ReportError(UINT nType = MB_OK, UINT nMessageID = 0);

    // The message as a string (empty when there is none).
    CString GetErrorText();

    BOOL m_bAutoDelete;

private:
    friend class AfxExceptionHandlerScope;
    // CATCH handlers that currently hold this exception; Delete waits for the last one.
    int m_nHandlerDepth = 0;
};

class AFX_EXT_CLASS CMemoryException : public CException
{
    DECLARE_DYNAMIC(CMemoryException)

public:
    CMemoryException();
    explicit CMemoryException(BOOL bAutoDelete);
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) override;
};

class AFX_EXT_CLASS CNotSupportedException : public CException
{
    DECLARE_DYNAMIC(CNotSupportedException)

public:
    CNotSupportedException();
    explicit CNotSupportedException(BOOL bAutoDelete);
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) override;
};

class AFX_EXT_CLASS CInvalidArgException : public CException
{
    DECLARE_DYNAMIC(CInvalidArgException)

public:
    CInvalidArgException();
    explicit CInvalidArgException(BOOL bAutoDelete);
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) override;
};

class AFX_EXT_CLASS CResourceException : public CException
{
    DECLARE_DYNAMIC(CResourceException)

public:
    CResourceException();
    explicit CResourceException(BOOL bAutoDelete);
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) override;
};

// Thrown after the user has already been told (or asked to cancel): carries no message.
class AFX_EXT_CLASS CUserException : public CException
{
    DECLARE_DYNAMIC(CUserException)

public:
    CUserException();
    explicit CUserException(BOOL bAutoDelete);
};

class AFX_EXT_CLASS CFileException : public CException
{
    DECLARE_DYNAMIC(CFileException)

public:
    enum
    {
        none,
        generic,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        removeCurrentDir,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile,
        genericException = generic
    };

    explicit CFileException(int cause = CFileException::none, LONG lOsError = -1,
                            LPCTSTR lpszArchiveName = NULL);

    // Sets every member back to its state after construction with the given values.
    void SetCause(int cause, LONG lOsError = -1, LPCTSTR lpszFileName = NULL);

    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) override;

    // m_lOsError holds the operating system's error number (errno here).
    static int OsErrorToException(LONG lOsError);
    static int ErrnoToException(int nErrno);
    static void ThrowOsError(LONG lOsError, LPCTSTR lpszFileName = NULL);
    static void ThrowErrno(int nErrno, LPCTSTR lpszFileName = NULL);

    int m_cause;
    LONG m_lOsError;
    CString m_strFileName;
};

class AFX_EXT_CLASS CArchiveException : public CException
{
    DECLARE_DYNAMIC(CArchiveException)

public:
    enum
    {
        none,
        generic,
        readOnly,   // a store operation on an archive opened for loading
        endOfFile,  // the data ended before the value being read
        writeOnly,  // a load operation on an archive opened for storing
        badIndex,   // an object or class reference that does not exist
        badClass,   // an unknown class, or one not of the kind the reader asked for
        badSchema,  // a stored schema the class does not accept
        genericException = generic
    };

    explicit CArchiveException(int cause = CArchiveException::none, LPCTSTR lpszArchiveName = NULL);

    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) override;

    int m_cause;
    CString m_strFileName;
};

[[noreturn]] AFX_EXT_API void AfxThrowMemoryException();
[[noreturn]] AFX_EXT_API void AfxThrowNotSupportedException();
[[noreturn]] AFX_EXT_API void AfxThrowInvalidArgException();
[[noreturn]] AFX_EXT_API void AfxThrowResourceException();
[[noreturn]] AFX_EXT_API void AfxThrowUserException();
[[noreturn]] AFX_EXT_API void AfxThrowFileException(int cause, LONG lOsError = -1,
                                                    LPCTSTR lpszFileName = NULL);
[[noreturn]] AFX_EXT_API void AfxThrowArchiveException(int cause, LPCTSTR lpszArchiveName = NULL);

// Keeps a caught exception alive for the handler of a CATCH macro and deletes it at the
// handler's end, unless it was thrown on from inside the handler (THROW, THROW_LAST).
// A handler left by some other exception keeps the caught one rather than risk deleting
// an object that is still in flight.
class AFX_EXT_CLASS AfxExceptionHandlerScope
{
public:
    explicit AfxExceptionHandlerScope(CException* pException);
    ~AfxExceptionHandlerScope();
    AfxExceptionHandlerScope(const AfxExceptionHandlerScope&) = delete;
    AfxExceptionHandlerScope& operator=(const AfxExceptionHandlerScope&) = delete;

    // Every handler on this thread that holds pException lets it go.
    static void Release(CException* pException);
    // The exception of the innermost handler on this thread, or NULL.
    static CException* Current();

private:
    CException* m_pException;
    AfxExceptionHandlerScope* m_pOuter;
    int m_nUncaught;
    bool m_bHeld;
};

#define TRY try {
#define CATCH(class_name, e)                                                                       \
    }                                                                                              \
    catch (class_name * e)                                                                         \
    {                                                                                              \
        AfxExceptionHandlerScope _afxHandlerScope(e);                                              \
        (void)e;
#define AND_CATCH(class_name, e) CATCH(class_name, e)
#define END_CATCH }
#define CATCH_ALL(e) CATCH(CException, e)
#define AND_CATCH_ALL(e) CATCH(CException, e)
#define END_CATCH_ALL }
#define END_TRY }

#define THROW(e)                                                                                   \
    do {                                                                                           \
        auto* _afxThrown = (e);                                                                    \
        AfxExceptionHandlerScope::Release(_afxThrown);                                             \
        throw _afxThrown;                                                                          \
    } while (0)
#define THROW_LAST()                                                                               \
    do {                                                                                           \
        AfxExceptionHandlerScope::Release(AfxExceptionHandlerScope::Current());                    \
        throw;                                                                                     \
    } while (0)
