// Reading and writing the local project file as a whole: a damaged file never changes the
// open document, and a failed save never destroys the file that was there.
#include "ProjectDoc.h"

#include <ClassLib/Core/SafeFile.h>

#include <exception>

namespace {

template <class LIST>
void MoveAll(LIST& from, LIST& to)
{
    while (!from.IsEmpty()) {
        auto element = from.RemoveHead();
        to.AddTail(element);
    }
}

template <class LIST>
void DeleteAll(LIST& list)
{
    while (!list.IsEmpty())
        delete list.RemoveHead();
}

// What the file holds of a document, set aside while a load runs.
struct CProjectFileData
{
    CTaskItemList tasks;
    CTaskItemList removed;
    CProjectInfo info;
    CDayOfWeekList weekdays;
    CCalendarItemList periods;
    CResInfoList resources;
    CPermInfoList permissions;
    int nMaxRow = 0;
    int nProjID = 0;
    int nCalID = 0;
    int nCalBaseID = -2;
    CString strCalName;

    ~CProjectFileData()
    {
        DeleteAll(tasks);
        DeleteAll(removed);
        DeleteAll(weekdays);
        DeleteAll(periods);
    }

    // Takes the document's data over and leaves the document empty, as a new one.
    void TakeFrom(CProjectDoc& doc)
    {
        MoveAll(doc.m_listTasks, tasks);
        MoveAll(doc.m_listDeletedTasks, removed);
        info.CopyFrom(doc.m_ProjectInfo);
        CProjectInfo fresh;
        doc.m_ProjectInfo.CopyFrom(fresh);
        MoveAll(doc.m_listDayOfWeek, weekdays);
        MoveAll(doc.m_listCalendarItems, periods);
        MoveAll(doc.m_listResources, resources);
        MoveAll(doc.m_listPermissions, permissions);
        nMaxRow = doc.m_nMaxRowInGrid;
        nProjID = doc.m_nProjectID;
        nCalID = doc.m_nCalID;
        nCalBaseID = doc.m_nCalBaseID;
        strCalName = doc.m_strCalName;
        doc.m_nMaxRowInGrid = 0;
        doc.m_nCalID = 0;
        doc.m_nCalBaseID = -2;
        doc.m_strCalName.Empty();
    }

    // Gives the data back to the document, dropping what the document holds now.
    void GiveBack(CProjectDoc& doc)
    {
        doc.DetachList();
        doc.m_listResources.RemoveAll();
        doc.m_listPermissions.RemoveAll();
        MoveAll(tasks, doc.m_listTasks);
        MoveAll(removed, doc.m_listDeletedTasks);
        doc.m_ProjectInfo.CopyFrom(info);
        MoveAll(weekdays, doc.m_listDayOfWeek);
        MoveAll(periods, doc.m_listCalendarItems);
        MoveAll(resources, doc.m_listResources);
        MoveAll(permissions, doc.m_listPermissions);
        doc.m_nMaxRowInGrid = nMaxRow;
        doc.m_nProjectID = nProjID;
        doc.m_nCalID = nCalID;
        doc.m_nCalBaseID = nCalBaseID;
        doc.m_strCalName = strCalName;
    }
};

CString ExceptionText(CException* e)
{
    CString strText;
    if (e != NULL) {
        char szText[512] = "";
        if (e->GetErrorMessage(szText, sizeof(szText)))
            strText = szText;
    }
    return strText;
}

CString WithReason(const CString& strMessage, const CString& strReason)
{
    if (strReason.IsEmpty())
        return strMessage;
    return strMessage + "\n" + strReason;
}

// Runs the document's Serialize through one archive of nMode over the file, then finish()
// (which may throw too). FALSE, with the reason, when an exception stops either.
template <typename Finish>
BOOL ArchiveThrough(CProjectDoc& doc, CFile& file, UINT nMode, CString& strReason, Finish finish)
{
    try {
        CArchive ar(&file, nMode, 4096);
        try {
            doc.Serialize(ar);
        } catch (...) {
            ar.Abort();
            throw;
        }
        ar.Close();
        finish();
        return TRUE;
    } catch (CException* e) {
        strReason = ExceptionText(e);
        e->Delete();
    } catch (const std::exception& e) {
        strReason = e.what();
    }
    return FALSE;
}

} // namespace

BOOL CProjectDoc::LoadLocalFile(LPCTSTR lpszPath, CString& strError)
{
    strError.Empty();
    CFile file;
    CFileException fe;
    if (!file.Open(lpszPath, CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary, &fe)) {
        CString s;
        s.Format("无法打开项目文件 %s。", lpszPath);
        strError = WithReason(s, ExceptionText(&fe));
        return FALSE;
    }

    CProjectFileData previous;
    previous.TakeFrom(*this);
    CString strReason;
    const BOOL bLoaded = ArchiveThrough(*this, file, CArchive::load, strReason, [] {});
    file.Close();

    if (!bLoaded) {
        previous.GiveBack(*this);
        CString s;
        s.Format("项目文件 %s 已损坏或不完整，不能打开。", lpszPath);
        strError = WithReason(s, strReason);
        return FALSE;
    }
    // The old project's data goes with `previous`.
    return TRUE;
}

BOOL CProjectDoc::SaveLocalFile(LPCTSTR lpszPath, CString& strError)
{
    strError.Empty();
    CString strFailed;
    strFailed.Format("项目文件 %s 保存失败，原有的文件没有改动。", lpszPath);
    if (m_ProjectInfo.m_nFlag == FLAG_REMOVED) {
        // Such a header writes nothing: an empty file would only replace the old one.
        strError = strFailed;
        return FALSE;
    }

    UpdateHeaderDates();
    // The archive goes to a file beside the old one, which it replaces only once it is
    // complete and on the disk.
    CSafeFile file;
    CFileException fe;
    if (!file.Open(lpszPath, CFile::typeBinary, &fe)) {
        strError = WithReason(strFailed, ExceptionText(&fe));
        return FALSE;
    }
    CString strReason;
    // The archive is closed and the file committed inside the guard: a write that fails only
    // then counts as failed.
    const BOOL bWritten = ArchiveThrough(*this, file, CArchive::store, strReason, [&file] { file.Commit(); });
    if (!bWritten) {
        file.Abort();
        strError = WithReason(strFailed, strReason);
        return FALSE;
    }
    return TRUE;
}

BOOL CProjectDoc::ReadLocalFile(LPCTSTR lpszPath)
{
    CString strError;
    if (LoadLocalFile(lpszPath, strError))
        return TRUE;
    AfxMessageBox(strError, MB_ICONEXCLAMATION);
    return FALSE;
}

BOOL CProjectDoc::WriteLocalFile(LPCTSTR lpszPath)
{
    CString strError;
    if (SaveLocalFile(lpszPath, strError))
        return TRUE;
    AfxMessageBox(strError, MB_ICONEXCLAMATION);
    return FALSE;
}
