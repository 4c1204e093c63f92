// The application profile: settings kept per section and entry under
// HKEY_CURRENT_USER\Software\<company>\<application>\<section>, as the application object
// offers them. Sections may be nested with "\\". Without a company key the profile lies
// under HKEY_CURRENT_USER\Software\<application>; without an application name nothing is
// read or written (reads give the defaults, writes fail).
//
// Reads give the default when the key or value is missing or of another type; integers are
// REG_DWORD (negative numbers as their two's complement), strings REG_SZ, binary REG_BINARY.
#pragma once

#include <string>

#include <ClassLib/Core/String.h>
#include <ClassLib/Core/WinTypes.h>

class CProfileStore
{
public:
    CProfileStore() = default;

    void SetRegistryKey(LPCTSTR lpszCompany);
    void SetProfileName(LPCTSTR lpszApplication);
    CString GetRegistryKey() const { return CString(m_company); }
    CString GetProfileName() const { return CString(m_application); }

    // Opened (created when missing) with all rights; the caller closes them. NULL on failure.
    HKEY GetAppRegistryKey() const;
    HKEY GetSectionKey(LPCTSTR lpszSection) const;

    UINT GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault) const;
    CString GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry,
                             LPCTSTR lpszDefault = NULL) const;
    // On success *ppData is a new[] copy the caller delete[]s, and *pBytes its size.
    BOOL GetProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE* ppData,
                          UINT* pBytes) const;

    BOOL WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue);
    // A NULL entry deletes the section with everything below it; a NULL value deletes the
    // entry.
    BOOL WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue);
    BOOL WriteProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE pData, UINT nBytes);

private:
    std::string AppKeyPath() const;

    std::string m_company;
    std::string m_application;
};
