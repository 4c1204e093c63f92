// CRecentFileList: the most recently used files, kept in the application profile under a
// section with one entry per file ("File1", "File2", ...), newest first, and shown in the
// File menu in place of the first recent-file command.
#pragma once

#include <ClassLib/Core/String.h>

#include <vector>

class CCmdUI;
class CProfileStore;

#ifndef AFX_ABBREV_FILENAME_LEN
#define AFX_ABBREV_FILENAME_LEN 30
#endif

class AFX_EXT_CLASS CRecentFileList
{
public:
    // nStart: the command id of the first entry (ID_FILE_MRU_FILE1); nSize: the number of
    // entries kept; nMaxDispLen: the longest display name.
    CRecentFileList(UINT nStart, LPCTSTR lpszSection, LPCTSTR lpszEntryFormat, int nSize,
                    int nMaxDispLen = AFX_ABBREV_FILENAME_LEN);
    virtual ~CRecentFileList();

    int GetSize() const { return m_nSize; }
    // Entry nIndex (0 = newest); empty when the entry is not used.
    CString& operator[](int nIndex);

    // Puts the path first; an entry equal to it moves up instead of appearing twice. An
    // empty path changes nothing.
    virtual void Add(LPCTSTR lpszPathName);
    virtual void Remove(int nIndex);
    // The text shown for entry nIndex: the path, shortened to nMaxDispLen by keeping the
    // file name and as much of the folders as fits after "...". FALSE for an empty entry.
    virtual BOOL GetDisplayName(CString& strName, int nIndex, LPCTSTR lpszCurDir, int nCurDir,
                                BOOL bAtLeastName = TRUE) const;
    // Replaces the menu item of the first recent-file command (and the entries that
    // follow it from an earlier update) by one item per used entry, "&1 name" ...; with no
    // entries the item keeps its original text and is greyed.
    virtual void UpdateMenu(CCmdUI* pCmdUI);
    // Read from and written to the application profile.
    virtual void ReadList();
    virtual void WriteList();

    void ReadList(const CProfileStore& profile);
    void WriteList(CProfileStore& profile) const;

    int m_nSize;
    std::vector<CString> m_arrNames;
    CString m_strSectionName;
    CString m_strEntryFormat;
    UINT m_nStart;
    int m_nMaxDisplayLength;
    CString m_strOriginal;  // the menu text of the first entry before any update
};
