// CFileDialog: the open and save dialogs. On a screen they are Qt's; in tests a script
// answers them (ClassLib/Testing). Filters are the platform's "Text|*.txt|All|*.*||" form.
// Paths are this system's file paths.
#pragma once

#include <ClassLib/Dialogs/PrintDialog.h>

#include <vector>

#define OFN_READONLY 0x00000001
#define OFN_OVERWRITEPROMPT 0x00000002
#define OFN_HIDEREADONLY 0x00000004
#define OFN_NOCHANGEDIR 0x00000008
#define OFN_SHOWHELP 0x00000010
#define OFN_ENABLEHOOK 0x00000020
#define OFN_ENABLETEMPLATE 0x00000040
#define OFN_ENABLETEMPLATEHANDLE 0x00000080
#define OFN_NOVALIDATE 0x00000100
#define OFN_ALLOWMULTISELECT 0x00000200
#define OFN_EXTENSIONDIFFERENT 0x00000400
#define OFN_PATHMUSTEXIST 0x00000800
#define OFN_FILEMUSTEXIST 0x00001000
#define OFN_CREATEPROMPT 0x00002000
#define OFN_SHAREAWARE 0x00004000
#define OFN_NOREADONLYRETURN 0x00008000
#define OFN_NOTESTFILECREATE 0x00010000
#define OFN_NONETWORKBUTTON 0x00020000
#define OFN_NOLONGNAMES 0x00040000
#define OFN_EXPLORER 0x00080000
#define OFN_NODEREFERENCELINKS 0x00100000
#define OFN_LONGNAMES 0x00200000
#define OFN_ENABLESIZING 0x00800000

typedef struct tagOFN
{
    DWORD lStructSize;
    HWND hwndOwner;
    HINSTANCE hInstance;
    LPCTSTR lpstrFilter;  // "name\0pattern\0...\0\0"
    LPTSTR lpstrCustomFilter;
    DWORD nMaxCustFilter;
    DWORD nFilterIndex;  // from 1
    LPTSTR lpstrFile;
    DWORD nMaxFile;
    LPTSTR lpstrFileTitle;
    DWORD nMaxFileTitle;
    LPCTSTR lpstrInitialDir;
    LPCTSTR lpstrTitle;
    DWORD Flags;
    WORD nFileOffset;
    WORD nFileExtension;
    LPCTSTR lpstrDefExt;
    LPARAM lCustData;
    void* lpfnHook;
    LPCTSTR lpTemplateName;
} OPENFILENAME, *LPOPENFILENAME;

class AFX_EXT_CLASS CFileDialog : public CCommonDialog
{
    DECLARE_DYNAMIC(CFileDialog)
public:
    explicit CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt = nullptr, LPCTSTR lpszFileName = nullptr,
                         DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCTSTR lpszFilter = nullptr,
                         CWnd* pParentWnd = nullptr);
    ~CFileDialog() override;

    OPENFILENAME m_ofn;
    BOOL m_bOpenFileDialog;

    INT_PTR DoModal() override;

    CString GetPathName() const;
    CString GetFileName() const;
    CString GetFileExt() const;
    CString GetFileTitle() const;
    CString GetFolderPath() const;
    BOOL GetReadOnlyPref() const { return (m_ofn.Flags & OFN_READONLY) != 0; }
    // Every chosen path, however many were chosen (the buffer in m_ofn holds what fits).
    POSITION GetStartPosition() const;
    CString GetNextPathName(POSITION& pos) const;

    // The filters as (name, patterns) pairs.
    const std::vector<std::pair<CString, CString>>& GetFilters() const { return m_filters; }

private:
    void TakeResult(const std::vector<CString>& paths);
    std::vector<std::pair<CString, CString>> m_filters;
    std::string m_filterBuffer;
    std::vector<char> m_fileBuffer;
    CString m_strDefExt;
    CString m_strTitle;
    std::vector<CString> m_chosen;
};
