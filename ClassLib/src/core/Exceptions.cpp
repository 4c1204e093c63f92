// The exception classes, their messages and the throw helpers.
#include <ClassLib/Core/Exceptions.h>

#include <cerrno>
#include <cstring>
#include <exception>

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CMemoryException, CException)
IMPLEMENT_DYNAMIC(CNotSupportedException, CException)
IMPLEMENT_DYNAMIC(CInvalidArgException, CException)
IMPLEMENT_DYNAMIC(CResourceException, CException)
IMPLEMENT_DYNAMIC(CUserException, CException)
IMPLEMENT_DYNAMIC(CFileException, CException)
IMPLEMENT_DYNAMIC(CArchiveException, CException)

namespace {

// Messages, code page 936.
const char kNoMessage[] = "\xC3\xBB\xD3\xD0\xBF\xC9\xD3\xC3\xB5\xC4\xB4\xED\xCE\xF3\xD0\xC5\xCF\xA2"
                          "\xA1\xA3";  // 没有可用的错误信息。
const char kMemory[] = "\xC4\xDA\xB4\xE6\xB2\xBB\xD7\xE3\xA1\xA3";  // 内存不足。
const char kNotSupported[] =
    "\xB2\xBB\xD6\xA7\xB3\xD6\xB4\xCB\xB2\xD9\xD7\xF7\xA1\xA3";         // 不支持此操作。
const char kInvalidArg[] = "\xB2\xCE\xCA\xFD\xCE\xDE\xD0\xA7\xA1\xA3";  // 参数无效。
const char kResource[] =
    "\xD5\xD2\xB2\xBB\xB5\xBD\xCB\xF9\xD0\xE8\xB5\xC4\xD7\xCA\xD4\xB4\xBB\xF2\xD7\xCA\xD4\xB4\xB2"
    "\xBB\xD7\xE3\xA1\xA3";  // 找不到所需的资源或资源不足。

// How a file is named inside a message: 文件“name”, or 未命名文件 without a name.
const char kNamedFile[] = "\xCE\xC4\xBC\xFE\xA1\xB0%s\xA1\xB1";
const char kUnnamedFile[] = "\xCE\xB4\xC3\xFC\xC3\xFB\xCE\xC4\xBC\xFE";

// By CFileException cause; %s is the file as named above.
const char* const
    kFileMessages
        [] =
            {
                "\xB7\xC3\xCE\xCA%"
                "s\xCA\xB1\xB7\xA2\xC9\xFA\xCE\xB4\xD6\xAA\xB4\xED\xCE\xF3\xA1\xA3",  // none: 访问%s时发生未知错误。
                "\xB7\xC3\xCE\xCA%"
                "s\xCA\xB1\xB7\xA2\xC9\xFA\xCE\xB4\xD6\xAA\xB4\xED\xCE\xF3\xA1\xA3",  // genericException
                "\xD5\xD2\xB2\xBB\xB5\xBD%s\xA1\xA3",  // fileNotFound: 找不到%s。
                "%s\xB5\xC4\xC2\xB7\xBE\xB6\xB2\xBB\xD5\xFD\xC8\xB7\xA1\xA3",  // badPath: %s的路径不正确。
                "\xB4\xF2\xBF\xAA\xB5\xC4\xCE\xC4\xBC\xFE\xB9\xFD\xB6\xE0\xA3\xAC\xCE\xDE\xB7\xA8"
                "\xB4\xF2\xBF\xAA%s\xA1\xA3",  // tooManyOpenFiles: 打开的文件过多，无法打开%s。
                "\xBE\xDC\xBE\xF8\xB7\xC3\xCE\xCA%s\xA1\xA3",  // accessDenied: 拒绝访问%s。
                "%s\xB5\xC4\xCE\xC4\xBC\xFE\xBE\xE4\xB1\xFA\xCE\xDE\xD0\xA7\xA1\xA3",  // invalidFile: %s的文件句柄无效。
                "%s\xCA\xC7\xB5\xB1\xC7\xB0\xC4\xBF\xC2\xBC\xA3\xAC\xCE\xDE\xB7\xA8\xC9\xBE\xB3\xFD"
                "\xA1\xA3",  // removeCurrentDir: %s是当前目录，无法删除。
                "\xC4\xBF\xC2\xBC\xD2\xD1\xC2\xFA\xA3\xAC\xCE\xDE\xB7\xA8\xB4\xB4\xBD\xA8%"
                "s\xA1\xA3",  // directoryFull: 目录已满，无法创建%s。
                "\xD4\xDA%s\xD6\xD0\xB6\xA8\xCE\xBB\xCA\xA7\xB0\xDC\xA1\xA3",  // badSeek: 在%s中定位失败。
                "\xB7\xC3\xCE\xCA%"
                "s\xCA\xB1\xB7\xA2\xC9\xFA\xD3\xB2\xBC\xFE\xCA\xE4\xC8\xEB\xCA\xE4\xB3\xF6\xB4\xED"
                "\xCE\xF3\xA1\xA3",  // hardIO: 访问%s时发生硬件输入输出错误。
                "\xB7\xC3\xCE\xCA%"
                "s\xCA\xB1\xB7\xA2\xC9\xFA\xB9\xB2\xCF\xED\xB3\xE5\xCD\xBB\xA1\xA3",  // sharingViolation: 访问%s时发生共享冲突。
                "\xB7\xC3\xCE\xCA%"
                "s\xCA\xB1\xB7\xA2\xC9\xFA\xCB\xF8\xB6\xA8\xB3\xE5\xCD\xBB\xA1\xA3",  // lockViolation: 访问%s时发生锁定冲突。
                "\xB7\xC3\xCE\xCA%s\xCA\xB1\xB4\xC5\xC5\xCC\xD2\xD1\xC2\xFA\xA1\xA3",  // diskFull: 访问%s时磁盘已满。
                "\xCA\xD4\xCD\xBC\xD4\xBD\xB9\xFD%"
                "s\xB5\xC4\xC4\xA9\xCE\xB2\xBD\xF8\xD0\xD0\xB7\xC3\xCE\xCA\xA1\xA3",  // endOfFile: 试图越过%s的末尾进行访问。
};

// By CArchiveException cause.
const char* const kArchiveMessages[] =
    {
        "\xB6\xC1\xD0\xB4%s\xCA\xB1\xB7\xA2\xC9\xFA\xCE\xB4\xD6\xAA\xB4\xED\xCE\xF3\xA1\xA3",  // none: 读写%s时发生未知错误。
        "\xB6\xC1\xD0\xB4%s\xCA\xB1\xB7\xA2\xC9\xFA\xCE\xB4\xD6\xAA\xB4\xED\xCE\xF3\xA1\xA3",  // genericException
        "\xCE\xDE\xB7\xA8\xD0\xB4\xC8\xEB\xD6\xBB\xB6\xC1\xB5\xC4%s\xA1\xA3",  // readOnly: 无法写入只读的%s。
        "%s\xD2\xE2\xCD\xE2\xBD\xE1\xCA\xF8\xA3\xAC\xCA\xFD\xBE\xDD\xB2\xBB\xCD\xEA\xD5\xFB\xA1"
        "\xA3",  // endOfFile: %s意外结束，数据不完整。
        "\xCE\xDE\xB7\xA8\xB6\xC1\xC8\xA1\xD6\xBB\xD0\xB4\xB5\xC4%s\xA1\xA3",  // writeOnly: 无法读取只写的%s。
        "%s\xB5\xC4\xB8\xF1\xCA\xBD\xB2\xBB\xD5\xFD\xC8\xB7\xA3\xA8\xB6\xD4\xCF\xF3\xD2\xFD\xD3\xC3"
        "\xCE\xDE\xD0\xA7\xA3\xA9\xA1\xA3",  // badIndex: %s的格式不正确（对象引用无效）。
        "%s\xB0\xFC\xBA\xAC\xCE\xDE\xB7\xA8\xCA\xB6\xB1\xF0\xB5\xC4\xB6\xD4\xCF\xF3\xC0\xE0\xD0\xCD"
        "\xA1\xA3",  // badClass: %s包含无法识别的对象类型。
        "%s\xD6\xD0\xB5\xC4\xB6\xD4\xCF\xF3\xB0\xE6\xB1\xBE\xB2\xBB\xCA\xDC\xD6\xA7\xB3\xD6\xA1"
        "\xA3",  // badSchema: %s中的对象版本不受支持。
};

bool IsLeadByte(unsigned char ch)
{
    return ch >= 0x81 && ch <= 0xFE;
}

// Copies text into a buffer of nMax bytes (terminator included), never cutting a
// double-byte character in two.
void CopyMessage(LPCTSTR text, LPTSTR lpszError, UINT nMaxError)
{
    if (lpszError == NULL || nMaxError == 0)
        return;
    size_t nLimit = nMaxError - 1;
    size_t n = 0;
    while (text[n] != 0) {
        size_t nChar =
            (IsLeadByte(static_cast<unsigned char>(text[n])) && text[n + 1] != 0) ? 2 : 1;
        if (n + nChar > nLimit)
            break;
        n += nChar;
    }
    std::memcpy(lpszError, text, n);
    lpszError[n] = 0;
}

BOOL SetMessage(LPCTSTR text, LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext)
{
    if (pnHelpContext != NULL)
        *pnHelpContext = 0;
    CopyMessage(text, lpszError, nMaxError);
    return TRUE;
}

CString NameFile(const CString& strFileName)
{
    if (strFileName.IsEmpty())
        return CString(kUnnamedFile);
    CString named;
    named.Format(kNamedFile, (LPCTSTR)strFileName);
    return named;
}

BOOL SetFileMessage(const char* const* table, int nCount, int cause, const CString& strFileName,
                    LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext)
{
    if (cause < 0 || cause >= nCount)
        cause = 1;
    CString text;
    text.Format(table[cause], (LPCTSTR)NameFile(strFileName));
    return SetMessage(text, lpszError, nMaxError, pnHelpContext);
}

// Room for any message with a path of the longest length the system allows.
const UINT kMessageBufferSize = 8192;

}  // namespace

// --- CException -----------------------------------------------------------------------

CException::CException()
    : m_bAutoDelete(TRUE)
{
}
CException::CException(BOOL bAutoDelete)
    : m_bAutoDelete(bAutoDelete)
{
}
CException::~CException() = default;

void CException::Delete()
{
    if (m_nHandlerDepth > 0)
        return;  // the CATCH handler deletes it when it ends
    if (m_bAutoDelete > 0)
        delete this;
}

BOOL CException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext)
{
    if (pnHelpContext != NULL)
        *pnHelpContext = 0;
    if (lpszError != NULL && nMaxError > 0)
        *lpszError = 0;
    return FALSE;
}

CString CException::GetErrorText()
{
    char buffer[kMessageBufferSize];
    buffer[0] = 0;
    if (!GetErrorMessage(buffer, sizeof(buffer)))
        return CString();
    return CString(buffer);
}

int CException::ReportError(UINT nType, UINT nMessageID)
{
    CString text = GetErrorText();
    if (!text.IsEmpty())
        return AfxMessageBox(text, nType);
    if (nMessageID != 0)
        return AfxMessageBox(nMessageID, nType);
    return AfxMessageBox(kNoMessage, nType);
}

// --- the simple kinds -----------------------------------------------------------------

CMemoryException::CMemoryException() = default;
CMemoryException::CMemoryException(BOOL bAutoDelete)
    : CException(bAutoDelete)
{
}
BOOL CMemoryException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext)
{
    return SetMessage(kMemory, lpszError, nMaxError, pnHelpContext);
}

CNotSupportedException::CNotSupportedException() = default;
CNotSupportedException::CNotSupportedException(BOOL bAutoDelete)
    : CException(bAutoDelete)
{
}
BOOL CNotSupportedException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext)
{
    return SetMessage(kNotSupported, lpszError, nMaxError, pnHelpContext);
}

CInvalidArgException::CInvalidArgException() = default;
CInvalidArgException::CInvalidArgException(BOOL bAutoDelete)
    : CException(bAutoDelete)
{
}
BOOL CInvalidArgException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext)
{
    return SetMessage(kInvalidArg, lpszError, nMaxError, pnHelpContext);
}

CResourceException::CResourceException() = default;
CResourceException::CResourceException(BOOL bAutoDelete)
    : CException(bAutoDelete)
{
}
BOOL CResourceException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext)
{
    return SetMessage(kResource, lpszError, nMaxError, pnHelpContext);
}

CUserException::CUserException() = default;
CUserException::CUserException(BOOL bAutoDelete)
    : CException(bAutoDelete)
{
}

// --- CFileException -------------------------------------------------------------------

CFileException::CFileException(int cause, LONG lOsError, LPCTSTR lpszArchiveName)
    : m_cause(cause)
    , m_lOsError(lOsError)
    , m_strFileName(lpszArchiveName)
{
}

void CFileException::SetCause(int cause, LONG lOsError, LPCTSTR lpszFileName)
{
    m_cause = cause;
    m_lOsError = lOsError;
    m_strFileName = lpszFileName;
}

BOOL CFileException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext)
{
    return SetFileMessage(kFileMessages,
                          static_cast<int>(sizeof(kFileMessages) / sizeof(kFileMessages[0])),
                          m_cause, m_strFileName, lpszError, nMaxError, pnHelpContext);
}

int CFileException::OsErrorToException(LONG lOsError)
{
    switch (lOsError) {
    case 0: return none;
    case ENOENT:
    case ENXIO:
    case ENODEV: return fileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
    case EINVAL: return badPath;
    case EMFILE:
    case ENFILE: return tooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case EEXIST:
    case ETXTBSY: return accessDenied;
    case EBADF: return invalidFile;
    case ENOTEMPTY:
    case EBUSY: return removeCurrentDir;
    case EMLINK: return directoryFull;
    case ESPIPE:
    case EOVERFLOW: return badSeek;
    case EIO: return hardIO;
    case EWOULDBLOCK: return sharingViolation;
    case EDEADLK:
    case ENOLCK: return lockViolation;
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return diskFull;
    default: return genericException;
    }
}

int CFileException::ErrnoToException(int nErrno)
{
    return OsErrorToException(nErrno);
}

void CFileException::ThrowOsError(LONG lOsError, LPCTSTR lpszFileName)
{
    if (lOsError != 0)
        AfxThrowFileException(OsErrorToException(lOsError), lOsError, lpszFileName);
}

void CFileException::ThrowErrno(int nErrno, LPCTSTR lpszFileName)
{
    if (nErrno != 0)
        AfxThrowFileException(ErrnoToException(nErrno), nErrno, lpszFileName);
}

// --- CArchiveException ----------------------------------------------------------------

CArchiveException::CArchiveException(int cause, LPCTSTR lpszArchiveName)
    : m_cause(cause)
    , m_strFileName(lpszArchiveName)
{
}

BOOL CArchiveException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext)
{
    return SetFileMessage(kArchiveMessages,
                          static_cast<int>(sizeof(kArchiveMessages) / sizeof(kArchiveMessages[0])),
                          m_cause, m_strFileName, lpszError, nMaxError, pnHelpContext);
}

// --- throw helpers --------------------------------------------------------------------

void AfxThrowMemoryException()
{
    // Shared and never deleted: when memory runs out a new exception object may not be had.
    static CMemoryException s_memoryException(FALSE);
    throw &s_memoryException;
}

void AfxThrowNotSupportedException()
{
    throw new CNotSupportedException;
}
void AfxThrowInvalidArgException()
{
    throw new CInvalidArgException;
}
void AfxThrowResourceException()
{
    throw new CResourceException;
}
void AfxThrowUserException()
{
    throw new CUserException;
}

void AfxThrowFileException(int cause, LONG lOsError, LPCTSTR lpszFileName)
{
    throw new CFileException(cause, lOsError, lpszFileName);
}

void AfxThrowArchiveException(int cause, LPCTSTR lpszArchiveName)
{
    throw new CArchiveException(cause, lpszArchiveName);
}

// --- CATCH handler scopes -------------------------------------------------------------

namespace {
thread_local AfxExceptionHandlerScope* t_pInnermostHandler = NULL;
// What THROW or THROW_LAST last sent on, and how many exceptions were then in flight
// with it: lets a handler left by that throw tell whether its own exception is the one
// leaving.
thread_local CException* t_pThrown = NULL;
thread_local int t_nThrownUncaught = -1;
}

AfxExceptionHandlerScope::AfxExceptionHandlerScope(CException* pException)
    : m_pException(pException)
    , m_pOuter(t_pInnermostHandler)
    , m_nUncaught(std::uncaught_exceptions())
    , m_bHeld(pException != NULL && pException->m_bAutoDelete > 0)
{
    if (m_bHeld)
        ++m_pException->m_nHandlerDepth;
    t_pInnermostHandler = this;
    t_pThrown = NULL;
    t_nThrownUncaught = -1;
}

AfxExceptionHandlerScope::~AfxExceptionHandlerScope()
{
    t_pInnermostHandler = m_pOuter;
    if (!m_bHeld)
        return;
    if (--m_pException->m_nHandlerDepth > 0)
        return;
    // Left through an exception: when THROW sent another one, this one is done with;
    // otherwise (a plain `throw;` among them) it may be the one in flight, so it stays.
    int nUncaught = std::uncaught_exceptions();
    if (nUncaught > m_nUncaught &&
        (t_pThrown == NULL || t_pThrown == m_pException || nUncaught != t_nThrownUncaught))
        return;
    m_pException->Delete();
}

void AfxExceptionHandlerScope::Release(CException* pException)
{
    t_pThrown = pException;
    t_nThrownUncaught = std::uncaught_exceptions() + 1;
    if (pException == NULL)
        return;
    for (AfxExceptionHandlerScope* pScope = t_pInnermostHandler; pScope != NULL;
         pScope = pScope->m_pOuter) {
        if (pScope->m_bHeld && pScope->m_pException == pException) {
            pScope->m_bHeld = false;
            --pException->m_nHandlerDepth;
        }
    }
}

CException* AfxExceptionHandlerScope::Current()
{
    return t_pInnermostHandler != NULL ? t_pInnermostHandler->m_pException : NULL;
}
