// Shell calls: open a file or a web address with the desktop's default application
// (ShellExecute), start a command line (WinExec), and ask the desktop what a file is
// (SHGetFileInfo: its type's icon and name from the desktop's icon theme and MIME
// database). Texts are code page 936.
//
// Tests record these calls instead of starting programs (Testing/ShellCalls.h).
#pragma once

#include <ClassLib/Core/WinTypes.h>

// ---- ShellExecute and WinExec -----------------------------------------------------------
// Results of 32 or less are failures; these are the codes they carry.
#define SE_ERR_OOM 0             // out of memory or resources
#define SE_ERR_FNF 2             // the file was not found
#define SE_ERR_PNF 3             // the path was not found
#define SE_ERR_ACCESSDENIED 5
#define SE_ERR_NOMEM 8
#define SE_ERR_BADFORMAT 11      // not a program that can be started
#define SE_ERR_SHARE 26
#define SE_ERR_ASSOCINCOMPLETE 27
#define SE_ERR_DDETIMEOUT 28
#define SE_ERR_DDEFAIL 29
#define SE_ERR_DDEBUSY 30
#define SE_ERR_NOASSOC 31        // nothing is associated with the file's type or the verb
#define SE_ERR_DLLNOTFOUND 32
#ifndef ERROR_FILE_NOT_FOUND
#define ERROR_FILE_NOT_FOUND 2L
#endif
#ifndef ERROR_PATH_NOT_FOUND
#define ERROR_PATH_NOT_FOUND 3L
#endif
#ifndef ERROR_BAD_FORMAT
#define ERROR_BAD_FORMAT 11L
#endif

// Opens lpFile. The verb is "open" (or NULL / empty, the same) or "explore" (a folder);
// other verbs have no association (SE_ERR_NOASSOC). A web address (a scheme of two or
// more letters, such as "http:" or "mailto:") goes to the desktop's browser or mail
// program. A local path, relative to lpDirectory when that is given, must exist
// (SE_ERR_FNF, or SE_ERR_PNF when its folder does not exist either); a path written
// with '\' is also tried with '/'. A program file is started with lpParameters (split
// as a shell would) in lpDirectory; any other file or folder opens in the desktop's
// default application for its type (SE_ERR_NOASSOC when there is none). Success gives a
// value above 32. hwnd and nShowCmd are not used beyond the record kept for tests.
AFX_EXT_API HINSTANCE ShellExecute(HWND hwnd, LPCTSTR lpOperation, LPCTSTR lpFile, LPCTSTR lpParameters,
                                   LPCTSTR lpDirectory, INT nShowCmd);

// Starts the command line: the program (first word; quoted when it holds blanks),
// looked up on the search path when it has no folder, and its arguments. Above 31 on
// success; 0 for an empty line, ERROR_FILE_NOT_FOUND when the program is not found,
// ERROR_BAD_FORMAT when it cannot be started.
AFX_EXT_API UINT WinExec(LPCSTR lpCmdLine, UINT uCmdShow);

// ---- SHGetFileInfo ------------------------------------------------------------------------
#ifndef FILE_ATTRIBUTE_READONLY
#define FILE_ATTRIBUTE_READONLY 0x00000001
#define FILE_ATTRIBUTE_HIDDEN 0x00000002
#define FILE_ATTRIBUTE_SYSTEM 0x00000004
#define FILE_ATTRIBUTE_DIRECTORY 0x00000010
#define FILE_ATTRIBUTE_ARCHIVE 0x00000020
#define FILE_ATTRIBUTE_NORMAL 0x00000080
#define FILE_ATTRIBUTE_TEMPORARY 0x00000100
#endif

#define SHGFI_LARGEICON 0x000000000
#define SHGFI_SMALLICON 0x000000001
#define SHGFI_OPENICON 0x000000002
#define SHGFI_SHELLICONSIZE 0x000000004
#define SHGFI_PIDL 0x000000008
#define SHGFI_USEFILEATTRIBUTES 0x000000010
#define SHGFI_ICON 0x000000100
#define SHGFI_DISPLAYNAME 0x000000200
#define SHGFI_TYPENAME 0x000000400
#define SHGFI_ATTRIBUTES 0x000000800
#define SHGFI_ICONLOCATION 0x000001000
#define SHGFI_EXETYPE 0x000002000
#define SHGFI_SYSICONINDEX 0x000004000

typedef struct _SHFILEINFO
{
    HICON hIcon;
    int iIcon;
    DWORD dwAttributes;
    CHAR szDisplayName[MAX_PATH];
    CHAR szTypeName[80];
} SHFILEINFO, *LPSHFILEINFO;

// What the desktop knows of a file or, with SHGFI_USEFILEATTRIBUTES, of any file of that
// name (only the name's extension matters; the file need not exist and is not touched;
// dwFileAttributes FILE_ATTRIBUTE_DIRECTORY asks for a folder). pszPath may be a bare
// extension such as ".doc", or a name without any extension.
//   SHGFI_ICON: hIcon = a new icon of the type, 16 x 16 pixels with SHGFI_SMALLICON,
//     else 32 x 32 (SHGFI_LARGEICON), drawn from the desktop's icon theme, falling back
//     to the theme's generic icon for the type's family and then to a plain document
//     (or folder) picture of the class library's own; the caller destroys it
//     (DestroyIcon). iIcon is 0.
//   SHGFI_TYPENAME: szTypeName = the type's description (the MIME database's, in the
//     desktop's language), or "XYZ 文件" for an extension the database does not know;
//     "文件" for a name without extension.
//   SHGFI_DISPLAYNAME: szDisplayName = the name without its folder.
//   SHGFI_ATTRIBUTES: dwAttributes = 0 (no shell attributes here).
// Texts are cut to their buffers on a character boundary and always terminated.
// Returns non-zero on success; 0 when psfi is NULL, cbFileInfo is too small, the path is
// empty or (without SHGFI_USEFILEATTRIBUTES) does not exist, or for SHGFI_PIDL,
// SHGFI_SYSICONINDEX and SHGFI_EXETYPE, which there is nothing behind here.
AFX_EXT_API DWORD_PTR SHGetFileInfo(LPCTSTR pszPath, DWORD dwFileAttributes, SHFILEINFO* psfi, UINT cbFileInfo,
                                    UINT uFlags);
