// The document list's downloads (a double click or 打开) and its new-document command.
#include "PdmDocListCtrl.h"

#include "HttpDownloadDlg.h"
#include "NewDocFileDlg.h"

#include <Pdm/PdmSettings.h>

#include <ClassLib/Core/Conversion.h>
#include <ClassLib/Core/Mbcs.h>
#include <ClassLib/Resources/ResourceScope.h>

#include <cstdlib>

CString CPdmDocListCtrl::GetDownloadUrl(UINT nClassId, UINT nObjectId)
{
    // The server of the shell's connection settings, which the components also ask.
    // A server named with its scheme ("https://host:port") is reached that way.
    CString strServer = PdmServerAddress().c_str();
    CString strLower = strServer;
    strLower.MakeLower();
    if (strLower.Left(7) != "http://" && strLower.Left(8) != "https://")
        strServer = "http://" + strServer;
    CString strUrl;
    strUrl.Format("%s/pdm/GetPdmFile.asp?ClassID=%d&ObjectID=%d", (LPCTSTR)strServer, (int)nClassId,
                  (int)nObjectId);
    return strUrl;
}

BOOL CPdmDocListCtrl::GetDownloadFolder(CString& strFolder)
{
    // The temporary folder, as a buffer of 255 characters would hold it.
    const char* pszTemp = std::getenv("TMPDIR");
    CString strPath = (pszTemp != NULL && *pszTemp == '/') ? CStringFromUtf8(pszTemp) : CString("/tmp");
    if (strPath.Right(1) != "/")
        strPath += "/";
    if (strPath.GetLength() >= 255)
        return FALSE;
    strFolder = strPath;
    return TRUE;
}

BOOL CPdmDocListCtrl::MakeSafeFileName(const CString& strName, CString& strSafe)
{
    static const char kForbidden[] = "\\/:*?\"<>|'";
    CString strResult;
    const unsigned char* p = reinterpret_cast<const unsigned char*>((LPCTSTR)strName);
    while (*p != 0) {
        if (_ismbblead(*p) && p[1] != 0) {
            // A double-byte character: its trail byte may look like a separator.
            strResult += (char)p[0];
            strResult += (char)p[1];
            p += 2;
            continue;
        }
        char ch = (char)*p++;
        if ((unsigned char)ch < 0x20 || strchr(kForbidden, ch) != NULL)
            ch = '_';
        strResult += ch;
    }
    if (strResult.IsEmpty() || strResult == "." || strResult == "..")
        return FALSE;
    strSafe = strResult;
    return TRUE;
}

BOOL CPdmDocListCtrl::OpenDoc()
{
    UINT nClassId = 0, nObjectId = 0;
    if (m_nSelItem < 0 || !GetItemInfo(m_nSelItem, nClassId, nObjectId))
        return FALSE;
    CString strName = GetItemText(m_nSelItem, 0);
    if (strName.IsEmpty())
        return FALSE;
    // The store's name is not trusted as a path: it becomes one name inside the folder.
    CString strSafeName;
    if (!MakeSafeFileName(strName, strSafeName))
        return FALSE;
    CString strFolder;
    if (!GetDownloadFolder(strFolder))
        return FALSE;
    CString strTarget;
    strTarget.Format("%s%s", (LPCTSTR)strFolder, (LPCTSTR)strSafeName);

    // The dialog and its texts are this library's (its strings 128-130 are also ids of
    // the program's).
    CAfxResourceScope scope("Quenby");
    CHttpDownloadDlg dlg(this);
    dlg.m_strUrl = GetDownloadUrl(nClassId, nObjectId);
    dlg.m_strTargetFile = strTarget;
    dlg.m_bOpenWhenDone = 1;
    return dlg.DoModal() == IDOK;
}

BOOL CPdmDocListCtrl::NewDoc()
{
    CNewDocFileDlg dlg(this);
    dlg.SetParentInfo(m_nClassId, m_nObjectId);
    dlg.SetClassInfo(m_arrClassId, m_arrClassName);
    CStringArray arrNames;
    for (int i = 0; i < GetItemCount(); i++)
        arrNames.Add(GetItemText(i, 0));
    dlg.SetExistNames(arrNames);
    INT_PTR nResult;
    {
        CAfxResourceScope scope("Quenby");
        nResult = dlg.DoModal();
    }
    if (nResult != IDOK)
        return FALSE;
    CString strName = dlg.GetFileName();
    PDMPAIR pair = {dlg.m_nDocClassId, dlg.m_nNewObjectId};
    POSITION pos = m_listPair.AddTail(pair);
    int nItem = InsertItem(GetItemCount(), strName, ExtImage(strName));
    if (nItem >= 0)
        SetItemData(nItem, reinterpret_cast<DWORD_PTR>(&m_listPair.GetAt(pos)));
    return TRUE;
}
