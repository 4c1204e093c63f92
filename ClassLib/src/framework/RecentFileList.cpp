#include <ClassLib/DocView/RecentFileList.h>

#include <ClassLib/Core/Debug.h>

#include <cstring>
#include <ClassLib/Registry/Profile.h>

#include "AppProfile.h"
#include "FrameMenus.h"

#include <ClassLib/Wnd/CmdTarget.h>

CRecentFileList::CRecentFileList(UINT nStart, LPCTSTR lpszSection, LPCTSTR lpszEntryFormat,
                                 int nSize, int nMaxDispLen)
    : m_nSize(nSize > 0 ? nSize : 0),
      m_arrNames(static_cast<size_t>(nSize > 0 ? nSize : 0)),
      m_strSectionName(lpszSection),
      m_strEntryFormat(lpszEntryFormat),
      m_nStart(nStart),
      m_nMaxDisplayLength(nMaxDispLen)
{
}

CRecentFileList::~CRecentFileList() = default;

CString& CRecentFileList::operator[](int nIndex)
{
    ASSERT(nIndex >= 0 && nIndex < m_nSize);
    static CString empty;
    if (nIndex < 0 || nIndex >= m_nSize)
    {
        empty.Empty();
        return empty;
    }
    return m_arrNames[static_cast<size_t>(nIndex)];
}

void CRecentFileList::Add(LPCTSTR lpszPathName)
{
    if (lpszPathName == nullptr || *lpszPathName == '\0' || m_nSize == 0)
        return;
    CString path(lpszPathName);
    // Where the path already is, or the last slot.
    int nFound = m_nSize - 1;
    for (int i = 0; i < m_nSize; ++i)
    {
        if (m_arrNames[static_cast<size_t>(i)] == path)
        {
            nFound = i;
            break;
        }
    }
    for (int i = nFound; i > 0; --i)
        m_arrNames[static_cast<size_t>(i)] = m_arrNames[static_cast<size_t>(i - 1)];
    m_arrNames[0] = path;
}

void CRecentFileList::Remove(int nIndex)
{
    if (nIndex < 0 || nIndex >= m_nSize)
        return;
    for (int i = nIndex; i < m_nSize - 1; ++i)
        m_arrNames[static_cast<size_t>(i)] = m_arrNames[static_cast<size_t>(i + 1)];
    m_arrNames[static_cast<size_t>(m_nSize - 1)].Empty();
}

BOOL CRecentFileList::GetDisplayName(CString& strName, int nIndex, LPCTSTR lpszCurDir, int nCurDir,
                                     BOOL bAtLeastName) const
{
    strName.Empty();
    if (nIndex < 0 || nIndex >= m_nSize || m_arrNames[static_cast<size_t>(nIndex)].IsEmpty())
        return FALSE;
    CString path = m_arrNames[static_cast<size_t>(nIndex)];
    // A file in the current folder is shown by its name alone.
    if (lpszCurDir != nullptr && nCurDir > 0 && path.GetLength() > nCurDir &&
        strncmp(path, lpszCurDir, static_cast<size_t>(nCurDir)) == 0)
    {
        CString rest = path.Mid(nCurDir);
        if (rest[0] == '/' || rest[0] == '\\')
            rest = rest.Mid(1);
        if (rest.FindOneOf("/\\") < 0)
            path = rest;
    }
    int nMax = m_nMaxDisplayLength;
    if (nMax <= 0 || path.GetLength() <= nMax)
    {
        strName = path;
        return TRUE;
    }
    // Keep the file name; put as much of the start as fits before "...".
    int nSlash = path.ReverseFind('/');
    int nBack = path.ReverseFind('\\');
    if (nBack > nSlash)
        nSlash = nBack;
    CString name = nSlash >= 0 ? path.Mid(nSlash) : path;  // with its separator
    if (name.GetLength() + 3 >= nMax)
    {
        strName = nSlash >= 0 ? path.Mid(nSlash + 1) : path;
        if (!bAtLeastName && strName.GetLength() > nMax)
            strName = strName.Left(nMax);
        return TRUE;
    }
    int nHead = nMax - name.GetLength() - 3;
    CString head = path.Left(nHead);
    // Do not cut a double-byte character in two.
    int n = 0;
    while (n < head.GetLength())
    {
        unsigned char c = static_cast<unsigned char>(head[n]);
        if (c >= 0x81 && c <= 0xFE && n + 1 < path.GetLength())
        {
            if (n + 1 >= head.GetLength())
                break;
            n += 2;
        }
        else
            n += 1;
    }
    strName = path.Left(n) + "..." + name;
    return TRUE;
}

void CRecentFileList::ReadList()
{
    if (const CProfileStore* profile = pc_frame::AppProfile())
        ReadList(*profile);
}

void CRecentFileList::WriteList()
{
    if (CProfileStore* profile = pc_frame::AppProfile())
        WriteList(*profile);
}

void CRecentFileList::ReadList(const CProfileStore& profile)
{
    for (int i = 0; i < m_nSize; ++i)
    {
        CString entry;
        entry.Format(static_cast<LPCTSTR>(m_strEntryFormat), i + 1);
        m_arrNames[static_cast<size_t>(i)] = profile.GetProfileString(m_strSectionName, entry, "");
    }
}

void CRecentFileList::WriteList(CProfileStore& profile) const
{
    // The section is written anew so that entries beyond the used ones disappear.
    profile.WriteProfileString(m_strSectionName, nullptr, nullptr);
    for (int i = 0; i < m_nSize; ++i)
    {
        const CString& name = m_arrNames[static_cast<size_t>(i)];
        if (name.IsEmpty())
            continue;
        CString entry;
        entry.Format(static_cast<LPCTSTR>(m_strEntryFormat), i + 1);
        profile.WriteProfileString(m_strSectionName, entry, name);
    }
}

void CRecentFileList::UpdateMenu(CCmdUI* pCmdUI)
{
    if (pCmdUI == nullptr)
        return;
    if (pCmdUI->m_pMenu == nullptr)
    {
        // A toolbar button or other item: enabled when there is an entry.
        pCmdUI->Enable(m_nSize > 0 && !m_arrNames[0].IsEmpty());
        return;
    }
    pc_frame::UpdateRecentFileItems(pCmdUI, *this);
}
