// Per-module resource tables. Every module (each library of the system and the program)
// registers itself when it is loaded, with its string table and its other resources.
// Lookups follow the class library's search order: the current resource module first,
// then the application's module, then every other module in registration order, so a
// module's own ids win where ids collide between modules.
#pragma once

#include <ClassLib/Core/String.h>

#include <cstddef>
#include <initializer_list>
#include <utility>
#include <vector>

#define MAKEINTRESOURCE(i) (reinterpret_cast<LPTSTR>(static_cast<ULONG_PTR>(static_cast<WORD>(i))))
#define MAKEINTRESOURCEA(i) MAKEINTRESOURCE(i)
#define IS_INTRESOURCE(r) ((reinterpret_cast<ULONG_PTR>(r) >> 16) == 0)

// Resource types.
#define RT_CURSOR MAKEINTRESOURCE(1)
#define RT_BITMAP MAKEINTRESOURCE(2)
#define RT_ICON MAKEINTRESOURCE(3)
#define RT_MENU MAKEINTRESOURCE(4)
#define RT_DIALOG MAKEINTRESOURCE(5)
#define RT_STRING MAKEINTRESOURCE(6)
#define RT_ACCELERATOR MAKEINTRESOURCE(9)
#define RT_RCDATA MAKEINTRESOURCE(10)
#define RT_GROUP_CURSOR MAKEINTRESOURCE(12)
#define RT_GROUP_ICON MAKEINTRESOURCE(14)
#define RT_VERSION MAKEINTRESOURCE(16)
#define RT_DLGINIT MAKEINTRESOURCE(240)
#define RT_TOOLBAR MAKEINTRESOURCE(241)

// The application's title in the program's string table.
#ifndef AFX_IDS_APP_TITLE
#define AFX_IDS_APP_TITLE 0xE000
#endif

// One entry of a string table.
struct AFX_STRING_ENTRY
{
    UINT nID;
    const char* pszText;
};

// Modules. Registering a name again returns the handle it already has.
AFX_EXT_API HINSTANCE AfxRegisterModule(const char* pszName);
AFX_EXT_API HINSTANCE AfxFindModule(const char* pszName);
AFX_EXT_API const char* AfxGetModuleName(HINSTANCE hModule);
// Forgets a module (when its library is unloaded); the current and application handles
// that named it are cleared.
AFX_EXT_API void AfxUnregisterModule(HINSTANCE hModule);

// The application's module (the program's), and the module searched first.
AFX_EXT_API HINSTANCE AfxGetInstanceHandle();
AFX_EXT_API void AfxSetInstanceHandle(HINSTANCE hModule);
AFX_EXT_API HINSTANCE AfxGetResourceHandle();  // the application's module unless set
AFX_EXT_API void AfxSetResourceHandle(HINSTANCE hModule);

// String tables. The texts are the module's own bytes (code page 936) and are copied.
// A later registration of an id in the same module replaces the earlier text.
AFX_EXT_API void AfxRegisterStrings(HINSTANCE hModule,
                                    const std::initializer_list<std::pair<UINT, const char*>>& table);
AFX_EXT_API void AfxRegisterStrings(HINSTANCE hModule, const AFX_STRING_ENTRY* table, size_t count);
AFX_EXT_API void AfxRegisterString(HINSTANCE hModule, UINT nID, const char* pszText);

// Other resources, by type and id (or name). The data is not copied: it must outlive the
// module's registration (it is normally a static table of the module).
AFX_EXT_API void AfxRegisterResource(HINSTANCE hModule, LPCTSTR lpszType, UINT nID, const void* pData);
AFX_EXT_API void AfxRegisterResource(HINSTANCE hModule, LPCTSTR lpszType, LPCTSTR lpszName, const void* pData);

// The module that holds a resource, in search order; NULL when none does. For RT_STRING
// the id is the string's id.
AFX_EXT_API HINSTANCE AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType);
AFX_EXT_API HINSTANCE AfxFindResourceHandle(UINT nID, LPCTSTR lpszType);
// The resource's data, in search order (or in one module only); NULL when not found.
AFX_EXT_API const void* AfxFindResource(LPCTSTR lpszName, LPCTSTR lpszType, HINSTANCE* phFound = nullptr);
AFX_EXT_API const void* AfxFindResource(UINT nID, LPCTSTR lpszType, HINSTANCE* phFound = nullptr);
AFX_EXT_API const void* AfxFindResourceIn(HINSTANCE hModule, LPCTSTR lpszName, LPCTSTR lpszType);
// The integer ids of the module's resources of one type, ascending (for RT_STRING the
// string ids); empty for an unknown module.
AFX_EXT_API std::vector<UINT> AfxGetResourceIds(HINSTANCE hModule, LPCTSTR lpszType);

// Strings.
AFX_EXT_API BOOL AfxLoadString(UINT nID, CString& rString);
AFX_EXT_API BOOL AfxLoadString(HINSTANCE hModule, UINT nID, CString& rString);
// Copies string nID of hModule into buf (at most nBufMax - 1 bytes, whole characters);
// returns the bytes copied, 0 when there is no such string.
AFX_EXT_API int LoadString(HINSTANCE hModule, UINT nID, LPTSTR lpBuffer, int nBufMax);
AFX_EXT_API int AfxLoadString(UINT nID, LPTSTR lpBuffer, UINT nBufMax = 256);

// "%1".."%9" in the template replaced by the given texts (NULL reads as ""); a %n with no
// text given is kept as it is.
AFX_EXT_API void AfxFormatStrings(CString& rString, LPCTSTR lpszFormat, LPCTSTR const* rglpsz, int nString);
AFX_EXT_API void AfxFormatStrings(CString& rString, UINT nIDFormat, LPCTSTR const* rglpsz, int nString);
AFX_EXT_API void AfxFormatString1(CString& rString, UINT nIDS, LPCTSTR lpsz1);
AFX_EXT_API void AfxFormatString2(CString& rString, UINT nIDS, LPCTSTR lpsz1, LPCTSTR lpsz2);
// The nth (from 0) field of lpszFullString, fields separated by chSep; FALSE (and an empty
// string) when there are fewer fields.
AFX_EXT_API BOOL AfxExtractSubString(CString& rString, LPCTSTR lpszFullString, int iSubString,
                                     TCHAR chSep = '\n');

// Registration at static-initialisation time, from any source file of a module:
//
//   AFX_MODULE_RESOURCES(Tavrin)
//   {
//       AfxRegisterStrings(hModule, {{IDS_HELLO, "..."}, {IDS_BYE, "..."}});
//       AfxRegisterResource(hModule, RT_DIALOG, IDD_ABOUT, &aboutTemplate);
//   }
//
// Several files of one module may each have a block with the same module name; they all
// fill the same module. AfxFindModule("Tavrin") gives the handle elsewhere.
AFX_EXT_API HINSTANCE AfxRegisterModuleWith(const char* pszName, void (*pfnRegister)(HINSTANCE));
#define AFX_MODULE_RESOURCES(name)                                                              \
    static void pcRegisterResources_##name(HINSTANCE hModule);                                  \
    static const HINSTANCE pcModuleHandle_##name __attribute__((unused)) =                      \
        AfxRegisterModuleWith(#name, &pcRegisterResources_##name);                              \
    static void pcRegisterResources_##name(HINSTANCE hModule)
