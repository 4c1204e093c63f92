#include "Framework.h"

#include <ClassLib/Core/SafeFile.h>

#include <string>
#include <unistd.h>

#include "../core/FilePath.h"

#include "FrameworkStrings.h"

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

BEGIN_MESSAGE_MAP(CDocument, CCmdTarget)
    ON_COMMAND(ID_FILE_CLOSE, OnFileClose)
    ON_COMMAND(ID_FILE_SAVE, OnFileSave)
    ON_COMMAND(ID_FILE_SAVE_AS, OnFileSaveAs)
END_MESSAGE_MAP()

CDocument::CDocument()
    : m_bAutoDelete(TRUE), m_bEmbedded(FALSE), m_pDocTemplate(nullptr), m_bModified(FALSE)
{
}

CDocument::~CDocument()
{
    // Views still attached lose their document; they are normally gone by now.
    POSITION pos = m_viewList.GetHeadPosition();
    while (pos != NULL)
    {
        CView* pView = static_cast<CView*>(m_viewList.GetNext(pos));
        pView->m_pDocument = nullptr;
    }
    m_viewList.RemoveAll();
    if (m_pDocTemplate != nullptr)
        m_pDocTemplate->RemoveDocument(this);
}

void CDocument::SetTitle(LPCTSTR lpszTitle)
{
    m_strTitle = lpszTitle != nullptr ? lpszTitle : "";
    pc_frame::UpdateFrameTitles(this);
}

void CDocument::SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU)
{
    m_strPathName = pc_frame::FullPath(lpszPathName);
    SetTitle(pc_frame::FileTitle(m_strPathName));
    if (bAddToMRU && !m_strPathName.IsEmpty())
    {
        if (CWinApp* pApp = AfxGetApp())
            pApp->AddToRecentFileList(m_strPathName);
    }
}

BOOL CDocument::IsModified()
{
    return m_bModified;
}

void CDocument::SetModifiedFlag(BOOL bModified)
{
    m_bModified = bModified;
}

POSITION CDocument::GetFirstViewPosition() const
{
    return m_viewList.GetHeadPosition();
}

CView* CDocument::GetNextView(POSITION& rPosition) const
{
    if (rPosition == NULL)
        return nullptr;
    return static_cast<CView*>(const_cast<CPtrList&>(m_viewList).GetNext(rPosition));
}

void CDocument::AddView(CView* pView)
{
    if (pView == nullptr || pView->m_pDocument == this)
        return;
    ASSERT(pView->m_pDocument == nullptr);
    if (pView->m_pDocument != nullptr)
        pView->m_pDocument->RemoveView(pView);
    m_viewList.AddTail(pView);
    pView->m_pDocument = this;
    OnChangedViewList();
}

void CDocument::RemoveView(CView* pView)
{
    if (pView == nullptr || pView->m_pDocument != this)
        return;
    POSITION pos = m_viewList.Find(pView);
    if (pos != NULL)
        m_viewList.RemoveAt(pos);
    pView->m_pDocument = nullptr;
    OnChangedViewList();
}

void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint, CObject* pHint)
{
    // A copy: a view's update may add or remove views.
    std::vector<CView*> views;
    for (POSITION pos = m_viewList.GetHeadPosition(); pos != NULL;)
        views.push_back(static_cast<CView*>(m_viewList.GetNext(pos)));
    for (CView* pView : views)
    {
        if (pView != pSender && m_viewList.Find(pView) != NULL)
            pView->OnUpdate(pSender, lHint, pHint);
    }
}

void CDocument::SendInitialUpdate()
{
    std::vector<CView*> views;
    for (POSITION pos = m_viewList.GetHeadPosition(); pos != NULL;)
        views.push_back(static_cast<CView*>(m_viewList.GetNext(pos)));
    for (CView* pView : views)
    {
        if (m_viewList.Find(pView) != NULL)
            pView->OnInitialUpdate();
    }
}

void CDocument::OnChangedViewList()
{
    if (m_viewList.IsEmpty() && m_bAutoDelete)
    {
        OnCloseDocument();
        return;
    }
    pc_frame::UpdateFrameTitles(this);
}

void CDocument::DeleteContents()
{
}

BOOL CDocument::OnNewDocument()
{
    DeleteContents();
    m_strPathName.Empty();
    SetModifiedFlag(FALSE);
    return TRUE;
}

CFile* CDocument::GetFile(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    CFile* pFile = new CFile;
    if (!pFile->Open(lpszFileName, nOpenFlags, pError))
    {
        delete pFile;
        return nullptr;
    }
    return pFile;
}

void CDocument::ReleaseFile(CFile* pFile, BOOL bAbort)
{
    if (pFile == nullptr)
        return;
    if (bAbort)
        pFile->Abort();
    else
        pFile->Close();
    delete pFile;
}

BOOL CDocument::OnOpenDocument(LPCTSTR lpszPathName)
{
    CFileException fe;
    CFile* pFile = GetFile(lpszPathName, CFile::modeRead | CFile::shareDenyWrite, &fe);
    if (pFile == nullptr)
    {
        ReportSaveLoadException(lpszPathName, &fe, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
        return FALSE;
    }
    DeleteContents();
    SetModifiedFlag();  // dirty while it is being read
    try
    {
        CArchive ar(pFile, CArchive::load | CArchive::bNoFlushOnDelete);
        if (pFile->GetLength() != 0)
            Serialize(ar);
        ar.Close();
        ReleaseFile(pFile, FALSE);
    }
    catch (CException* e)
    {
        ReleaseFile(pFile, TRUE);
        DeleteContents();
        ReportSaveLoadException(lpszPathName, e, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
        e->Delete();
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

// The document is written to a new file beside the target, which replaces the target only
// once everything was written: a failed save leaves the earlier file as it was.
BOOL CDocument::OnSaveDocument(LPCTSTR lpszPathName)
{
    CString target(lpszPathName);
    if (target.IsEmpty())
    {
        CFileException fe(CFileException::badPath);
        ReportSaveLoadException(lpszPathName, &fe, TRUE, AFX_IDP_INVALID_FILENAME);
        return FALSE;
    }
    CSafeFile file;
    CFileException fe;
    if (!file.Open(target, CFile::typeBinary, &fe))
    {
        ReportSaveLoadException(lpszPathName, &fe, TRUE, AFX_IDP_INVALID_FILENAME);
        return FALSE;
    }
    try
    {
        CArchive ar(&file, CArchive::store | CArchive::bNoFlushOnDelete);
        Serialize(ar);
        ar.Close();
        file.Commit();
    }
    catch (CException* e)
    {
        file.Abort();
        ReportSaveLoadException(lpszPathName, e, TRUE, AFX_IDP_FAILED_TO_SAVE_DOC);
        e->Delete();
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

void CDocument::ReportSaveLoadException(LPCTSTR lpszPathName, CException* e, BOOL bSaving,
                                        UINT nIDPDefault)
{
    if (e != nullptr && e->IsKindOf(RUNTIME_CLASS(CUserException)))
        return;  // the user was told already
    CString prompt = pc_frame::SaveLoadMessage(lpszPathName, e, bSaving, nIDPDefault);
    AfxMessageBox(prompt, MB_ICONEXCLAMATION, nIDPDefault);
}

void CDocument::OnCloseDocument()
{
    // Closing the frames removes the views; the document must stay until the end.
    BOOL bAutoDelete = m_bAutoDelete;
    m_bAutoDelete = FALSE;
    while (!m_viewList.IsEmpty())
    {
        CView* pView = static_cast<CView*>(m_viewList.GetHead());
        CFrameWnd* pFrame = pView->GetParentFrame();
        if (pFrame != nullptr)
        {
            PreCloseFrame(pFrame);
            pFrame->DestroyWindow();
        }
        else
            pView->DestroyWindow();
        // A view whose window could not go is detached by force.
        if (!m_viewList.IsEmpty() && m_viewList.GetHead() == pView)
            RemoveView(pView);
    }
    m_bAutoDelete = bAutoDelete;
    DeleteContents();
    if (m_pDocTemplate != nullptr)
        m_pDocTemplate->RemoveDocument(this);
    if (m_bAutoDelete)
        delete this;
}

BOOL CDocument::CanCloseFrame(CFrameWnd* pFrameArg)
{
    // Another frame still shows the document: closing this one loses nothing.
    for (POSITION pos = GetFirstViewPosition(); pos != NULL;)
    {
        CView* pView = GetNextView(pos);
        CFrameWnd* pFrame = pView->GetParentFrame();
        if (pFrame != nullptr && pFrame != pFrameArg)
            return TRUE;
    }
    return SaveModified();
}

void CDocument::PreCloseFrame(CFrameWnd*)
{
}

BOOL CDocument::SaveModified()
{
    if (!IsModified())
        return TRUE;
    CString name = m_strPathName;
    if (name.IsEmpty())
        name = m_strTitle;
    else
        name = pc_frame::FileTitle(name);
    if (name.IsEmpty())
        AfxLoadString(AFX_IDS_UNTITLED, name);
    CString prompt;
    AfxFormatString1(prompt, AFX_IDP_ASK_TO_SAVE, name);
    switch (AfxMessageBox(prompt, MB_YESNOCANCEL, AFX_IDP_ASK_TO_SAVE))
    {
    case IDCANCEL:
        return FALSE;
    case IDYES:
        return DoFileSave();
    default:
        return TRUE;
    }
}

BOOL CDocument::DoFileSave()
{
    // A file that is there but may not be written is saved under a new name. The path is
    // looked up under its file system name, as CFile opens it.
    if (m_strPathName.IsEmpty())
        return DoSave(nullptr);
    const std::string osPath = pc_file::OsPath(m_strPathName);
    if (::access(osPath.c_str(), F_OK) == 0 && ::access(osPath.c_str(), W_OK) != 0)
        return DoSave(nullptr);
    return DoSave(m_strPathName);
}

BOOL CDocument::DoSave(LPCTSTR lpszPathName, BOOL bReplace)
{
    CString newName = lpszPathName != nullptr ? lpszPathName : "";
    if (newName.IsEmpty())
    {
        newName = m_strPathName;
        if (bReplace && newName.IsEmpty())
        {
            newName = m_strTitle;
            // A title may hold characters a file name cannot.
            int nBad = newName.FindOneOf(" #%;/\\:*?\"<>|");
            if (nBad >= 0)
                newName = newName.Left(nBad);
            CString ext;
            if (m_pDocTemplate != nullptr && m_pDocTemplate->GetDocString(ext, CDocTemplate::filterExt) &&
                !ext.IsEmpty())
            {
                int nSemi = ext.Find(';');
                if (nSemi >= 0)
                    ext = ext.Left(nSemi);
                newName += ext;
            }
        }
        CWinApp* pApp = AfxGetApp();
        if (pApp == nullptr ||
            !pApp->DoPromptFileName(newName, bReplace ? AFX_IDS_SAVEFILE : AFX_IDS_SAVEFILECOPY,
                                    OFN_HIDEREADONLY | OFN_PATHMUSTEXIST, FALSE, m_pDocTemplate))
            return FALSE;
    }
    if (!OnSaveDocument(newName))
        return FALSE;
    if (bReplace)
        SetPathName(newName);
    return TRUE;
}

void CDocument::OnIdle()
{
}

void CDocument::OnFinalRelease()
{
    OnCloseDocument();
}

BOOL CDocument::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    if (m_pDocTemplate != nullptr && m_pDocTemplate->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return FALSE;
}

void CDocument::OnFileClose()
{
    if (!SaveModified())
        return;
    OnCloseDocument();
}

void CDocument::OnFileSave()
{
    DoFileSave();
}

void CDocument::OnFileSaveAs()
{
    DoSave(nullptr);
}
