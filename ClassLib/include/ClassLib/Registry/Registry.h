// The registry API over the program's own settings store.
//
// The four predefined roots (HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE,
// HKEY_USERS) all live in one store per user, kept in memory and saved to a text file:
// $PC_REGISTRY_FILE when set, else $XDG_CONFIG_HOME/project-client/registry.txt (or
// ~/.config/project-client/registry.txt). The file is read once, when the store is first
// used; every change is written to a temporary file beside it that then replaces the old
// one, so a crash never leaves half a store. A damaged file is renamed with the suffix ".bad"
// and the program starts from an empty store.
//
// Key names are compared without regard to ASCII case; "\\" separates the levels. Subkeys
// are enumerated in case-insensitive name order, values in the order they were created.
// Values are byte strings (texts are code page 936). A REG_SZ or REG_EXPAND_SZ value is
// stored with its terminating NUL (one is added when the caller left it out; REG_MULTI_SZ
// gets its closing empty string) and its size counts that NUL.
#pragma once

#include <ClassLib/Core/Clock.h>
#include <ClassLib/Core/WinTypes.h>

typedef HKEY* PHKEY;
typedef DWORD REGSAM;
typedef struct _SECURITY_ATTRIBUTES* LPSECURITY_ATTRIBUTES;

#define HKEY_CLASSES_ROOT ((HKEY)(ULONG_PTR)((LONG)0x80000000))
#define HKEY_CURRENT_USER ((HKEY)(ULONG_PTR)((LONG)0x80000001))
#define HKEY_LOCAL_MACHINE ((HKEY)(ULONG_PTR)((LONG)0x80000002))
#define HKEY_USERS ((HKEY)(ULONG_PTR)((LONG)0x80000003))

// Value types.
#define REG_NONE 0
#define REG_SZ 1
#define REG_EXPAND_SZ 2
#define REG_BINARY 3
#define REG_DWORD 4
#define REG_DWORD_LITTLE_ENDIAN 4
#define REG_DWORD_BIG_ENDIAN 5
#define REG_LINK 6
#define REG_MULTI_SZ 7
#define REG_QWORD 11

// Key options and dispositions.
#define REG_OPTION_RESERVED 0x00000000L
#define REG_OPTION_NON_VOLATILE 0x00000000L
#define REG_OPTION_VOLATILE 0x00000001L  // kept in memory only, never saved
#define REG_CREATED_NEW_KEY 0x00000001L
#define REG_OPENED_EXISTING_KEY 0x00000002L

// Access rights.
#ifndef READ_CONTROL
#define READ_CONTROL 0x00020000L
#endif
#ifndef SYNCHRONIZE
#define SYNCHRONIZE 0x00100000L
#endif
#ifndef STANDARD_RIGHTS_READ
#define STANDARD_RIGHTS_READ READ_CONTROL
#endif
#ifndef STANDARD_RIGHTS_WRITE
#define STANDARD_RIGHTS_WRITE READ_CONTROL
#endif
#ifndef STANDARD_RIGHTS_ALL
#define STANDARD_RIGHTS_ALL 0x001F0000L
#endif
#ifndef MAXIMUM_ALLOWED
#define MAXIMUM_ALLOWED 0x02000000L
#endif
#define KEY_QUERY_VALUE 0x0001
#define KEY_SET_VALUE 0x0002
#define KEY_CREATE_SUB_KEY 0x0004
#define KEY_ENUMERATE_SUB_KEYS 0x0008
#define KEY_NOTIFY 0x0010
#define KEY_CREATE_LINK 0x0020
#define KEY_WOW64_64KEY 0x0100
#define KEY_WOW64_32KEY 0x0200
#define KEY_READ ((STANDARD_RIGHTS_READ | KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS | KEY_NOTIFY) & (~SYNCHRONIZE))
#define KEY_WRITE ((STANDARD_RIGHTS_WRITE | KEY_SET_VALUE | KEY_CREATE_SUB_KEY) & (~SYNCHRONIZE))
#define KEY_EXECUTE ((KEY_READ) & (~SYNCHRONIZE))
#define KEY_ALL_ACCESS ((STANDARD_RIGHTS_ALL | KEY_QUERY_VALUE | KEY_SET_VALUE | KEY_CREATE_SUB_KEY | KEY_ENUMERATE_SUB_KEYS | KEY_NOTIFY | KEY_CREATE_LINK) & (~SYNCHRONIZE))

// Results.
#ifndef ERROR_SUCCESS
#define ERROR_SUCCESS 0L
#endif
#ifndef ERROR_FILE_NOT_FOUND
#define ERROR_FILE_NOT_FOUND 2L
#endif
#ifndef ERROR_ACCESS_DENIED
#define ERROR_ACCESS_DENIED 5L
#endif
#ifndef ERROR_INVALID_HANDLE
#define ERROR_INVALID_HANDLE 6L
#endif
#ifndef ERROR_WRITE_FAULT
#define ERROR_WRITE_FAULT 29L
#endif
#ifndef ERROR_INVALID_PARAMETER
#define ERROR_INVALID_PARAMETER 87L
#endif
#ifndef ERROR_MORE_DATA
#define ERROR_MORE_DATA 234L
#endif
#ifndef ERROR_NO_MORE_ITEMS
#define ERROR_NO_MORE_ITEMS 259L
#endif
#ifndef ERROR_KEY_DELETED
#define ERROR_KEY_DELETED 1018L
#endif

// Opening and creating keys. A NULL or empty subkey opens the key itself again. Opened
// handles carry their access rights: reading values needs KEY_QUERY_VALUE, writing
// KEY_SET_VALUE, creating subkeys KEY_CREATE_SUB_KEY, enumerating subkeys
// KEY_ENUMERATE_SUB_KEYS; otherwise ERROR_ACCESS_DENIED. RegOpenKey and RegCreateKey open
// with all rights. A change that cannot be saved to the file is undone and reported as
// ERROR_WRITE_FAULT.
LONG RegOpenKeyEx(HKEY hKey, LPCTSTR lpSubKey, DWORD ulOptions, REGSAM samDesired,
                  PHKEY phkResult);
LONG RegOpenKey(HKEY hKey, LPCTSTR lpSubKey, PHKEY phkResult);
LONG RegCreateKeyEx(HKEY hKey, LPCTSTR lpSubKey, DWORD Reserved, LPTSTR lpClass,
                    DWORD dwOptions, REGSAM samDesired,
                    LPSECURITY_ATTRIBUTES lpSecurityAttributes, PHKEY phkResult,
                    LPDWORD lpdwDisposition);
LONG RegCreateKey(HKEY hKey, LPCTSTR lpSubKey, PHKEY phkResult);
LONG RegCloseKey(HKEY hKey);
LONG RegFlushKey(HKEY hKey);

// Values. A NULL or empty name is the key's default value. RegQueryValueEx with lpData NULL
// reports only the type and the size; with a buffer too small it returns ERROR_MORE_DATA and
// the needed size in *lpcbData.
LONG RegQueryValueEx(HKEY hKey, LPCTSTR lpValueName, LPDWORD lpReserved, LPDWORD lpType,
                     LPBYTE lpData, LPDWORD lpcbData);
LONG RegSetValueEx(HKEY hKey, LPCTSTR lpValueName, DWORD Reserved, DWORD dwType,
                   const BYTE* lpData, DWORD cbData);
LONG RegDeleteValue(HKEY hKey, LPCTSTR lpValueName);

// Deletes a subkey that has no subkeys of its own (ERROR_ACCESS_DENIED otherwise).
LONG RegDeleteKey(HKEY hKey, LPCTSTR lpSubKey);
// Deletes a subkey with everything below it; a NULL or empty subkey deletes everything
// below hKey but leaves hKey itself.
LONG RegDeleteTree(HKEY hKey, LPCTSTR lpSubKey);

// Enumeration. Name sizes are in bytes including the terminating NUL on input and without
// it on output; a name that does not fit gives ERROR_MORE_DATA.
LONG RegEnumKeyEx(HKEY hKey, DWORD dwIndex, LPTSTR lpName, LPDWORD lpcName,
                  LPDWORD lpReserved, LPTSTR lpClass, LPDWORD lpcClass,
                  PFILETIME lpftLastWriteTime);
LONG RegEnumKey(HKEY hKey, DWORD dwIndex, LPTSTR lpName, DWORD cchName);
LONG RegEnumValue(HKEY hKey, DWORD dwIndex, LPTSTR lpValueName, LPDWORD lpcValueName,
                  LPDWORD lpReserved, LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData);
LONG RegQueryInfoKey(HKEY hKey, LPTSTR lpClass, LPDWORD lpcClass, LPDWORD lpReserved,
                     LPDWORD lpcSubKeys, LPDWORD lpcMaxSubKeyLen, LPDWORD lpcMaxClassLen,
                     LPDWORD lpcValues, LPDWORD lpcMaxValueNameLen, LPDWORD lpcMaxValueLen,
                     LPDWORD lpcbSecurityDescriptor, PFILETIME lpftLastWriteTime);

// Tests: re-points the store at another file (NULL: back to the usual place; "": a store
// kept in memory only) and drops what was loaded; the new file is read on the next use.
// Handles opened before are no longer usable (ERROR_KEY_DELETED).
void AfxTestSetRegistryFile(const char* path);

// Tests: makes one predefined root fail the way a locked-down machine does, until it is
// set back to AFX_REG_FAIL_NONE. A read-only root refuses opening or creating a key with
// write rights and every change (ERROR_ACCESS_DENIED; RegOpenKey gets read rights only);
// a failing write undoes every change and reports ERROR_WRITE_FAULT.
#define AFX_REG_FAIL_NONE 0
#define AFX_REG_FAIL_READONLY 1
#define AFX_REG_FAIL_WRITE 2
void AfxTestSetRegistryFailure(HKEY hRoot, DWORD dwFailure);
