#include "Framework.h"

#include "FrameMenus.h"
#include "FrameworkStrings.h"

IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)
IMPLEMENT_DYNAMIC(CMultiDocTemplate, CDocTemplate)
IMPLEMENT_DYNAMIC(CSingleDocTemplate, CDocTemplate)

CDocTemplate::CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                           CRuntimeClass* pViewClass)
    : m_nIDResource(nIDResource),
      m_nIDServerResource(0),
      m_nIDEmbeddingResource(0),
      m_nIDContainerResource(0),
      m_pDocClass(pDocClass),
      m_pFrameClass(pFrameClass),
      m_pViewClass(pViewClass),
      m_pOleFrameClass(nullptr),
      m_pOleViewClass(nullptr),
      m_bAutoDelete(TRUE),
      m_pAttachedFactory(nullptr),
      m_bLoaded(FALSE)
{
}

CDocTemplate::~CDocTemplate() = default;

void CDocTemplate::LoadTemplate()
{
    if (m_strDocStrings.IsEmpty())
    {
        if (!AfxLoadString(m_nIDResource, m_strDocStrings))
            TRACE("Warning: no document names in string for template #%d.\n", static_cast<int>(m_nIDResource));
    }
    m_bLoaded = TRUE;
}

BOOL CDocTemplate::GetDocString(CString& rString, enum DocStringIndex index) const
{
    if (!m_bLoaded)
        const_cast<CDocTemplate*>(this)->LoadTemplate();
    return AfxExtractSubString(rString, m_strDocStrings, static_cast<int>(index));
}

void CDocTemplate::AddDocument(CDocument* pDoc)
{
    ASSERT(pDoc->m_pDocTemplate == nullptr);
    pDoc->m_pDocTemplate = this;
}

void CDocTemplate::RemoveDocument(CDocument* pDoc)
{
    if (pDoc->m_pDocTemplate == this)
        pDoc->m_pDocTemplate = nullptr;
}

CDocument* CDocTemplate::CreateNewDocument()
{
    if (m_pDocClass == nullptr)
    {
        TRACE("Error: you must override CDocTemplate::CreateNewDocument.\n");
        return nullptr;
    }
    CObject* pObject = m_pDocClass->CreateObject();
    CDocument* pDocument = DYNAMIC_DOWNCAST(CDocument, pObject);
    if (pDocument == nullptr)
    {
        TRACE("Warning: Dynamic create of document type %s failed.\n", m_pDocClass->m_lpszClassName);
        delete pObject;
        return nullptr;
    }
    AddDocument(pDocument);
    return pDocument;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther)
{
    CCreateContext context;
    context.m_pCurrentFrame = pOther;
    context.m_pCurrentDoc = pDoc;
    context.m_pNewViewClass = m_pViewClass;
    context.m_pNewDocTemplate = this;

    if (m_pFrameClass == nullptr)
    {
        TRACE("Error: you must override CDocTemplate::CreateNewFrame.\n");
        return nullptr;
    }
    CObject* pObject = m_pFrameClass->CreateObject();
    CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, pObject);
    if (pFrame == nullptr)
    {
        TRACE("Warning: Dynamic create of frame %s failed.\n", m_pFrameClass->m_lpszClassName);
        delete pObject;
        return nullptr;
    }
    if (!pFrame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, &context))
    {
        // A frame whose window was never made is still ours to delete; one that was made
        // deleted itself when its window went.
        TRACE("Warning: CDocTemplate couldn't create a frame.\n");
        pc_frame::DiscardFailedFrame(pFrame);
        return nullptr;
    }
    return pFrame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible)
{
    if (pFrame != nullptr)
        pFrame->InitialUpdateFrame(pDoc, bMakeVisible);
}

BOOL CDocTemplate::SaveAllModified()
{
    for (POSITION pos = GetFirstDocPosition(); pos != NULL;)
    {
        CDocument* pDoc = GetNextDoc(pos);
        if (!pDoc->SaveModified())
            return FALSE;
    }
    return TRUE;
}

void CDocTemplate::CloseAllDocuments(BOOL)
{
    POSITION pos = GetFirstDocPosition();
    while (pos != NULL)
    {
        CDocument* pDoc = GetNextDoc(pos);
        pDoc->OnCloseDocument();
        pos = GetFirstDocPosition();  // the list changed
    }
}

CDocTemplate::Confidence CDocTemplate::MatchDocType(LPCTSTR lpszPathName, CDocument*& rpDocMatch)
{
    rpDocMatch = nullptr;
    CString path = pc_frame::FullPath(lpszPathName);
    for (POSITION pos = GetFirstDocPosition(); pos != NULL;)
    {
        CDocument* pDoc = GetNextDoc(pos);
        if (!pDoc->GetPathName().IsEmpty() && pDoc->GetPathName() == path)
        {
            rpDocMatch = pDoc;
            return yesAlreadyOpen;
        }
    }
    CString ext;
    if (GetDocString(ext, filterExt) && !ext.IsEmpty())
    {
        CString name(lpszPathName);
        // Each of the extensions separated by ";".
        int nStart = 0;
        while (nStart < ext.GetLength())
        {
            int nEnd = ext.Find(';', nStart);
            if (nEnd < 0)
                nEnd = ext.GetLength();
            CString one = ext.Mid(nStart, nEnd - nStart);
            if (!one.IsEmpty() && name.GetLength() >= one.GetLength() &&
                name.Right(one.GetLength()).CompareNoCase(one) == 0)
                return yesAttemptNative;
            nStart = nEnd + 1;
        }
    }
    return yesAttemptForeign;
}

void CDocTemplate::OnIdle()
{
    for (POSITION pos = GetFirstDocPosition(); pos != NULL;)
        GetNextDoc(pos)->OnIdle();
}

void CDocTemplate::SetServerInfo(UINT nIDOleEmbedding, UINT nIDOleInPlaceServer,
                                 CRuntimeClass* pOleFrameClass, CRuntimeClass* pOleViewClass)
{
    m_nIDServerResource = nIDOleInPlaceServer;
    m_nIDEmbeddingResource = nIDOleEmbedding;
    m_pOleFrameClass = pOleFrameClass;
    m_pOleViewClass = pOleViewClass;
}

CFrameWnd* CDocTemplate::CreateOleFrame(CWnd* pParentWnd, CDocument* pDoc, BOOL bCreateView)
{
    CCreateContext context;
    context.m_pCurrentFrame = nullptr;
    context.m_pCurrentDoc = pDoc;
    context.m_pNewViewClass = bCreateView ? (m_pOleViewClass != nullptr ? m_pOleViewClass : m_pViewClass) : nullptr;
    context.m_pNewDocTemplate = this;
    if (m_pOleFrameClass == nullptr)
    {
        TRACE("Warning: pOleFrameClass not specified for doc template.\n");
        return nullptr;
    }
    CObject* pObject = m_pOleFrameClass->CreateObject();
    CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, pObject);
    if (pFrame == nullptr)
    {
        TRACE("Warning: Dynamic create of frame %s failed.\n", m_pOleFrameClass->m_lpszClassName);
        delete pObject;
        return nullptr;
    }
    UINT nID = m_nIDServerResource != 0 ? m_nIDServerResource : m_nIDResource;
    if (!pFrame->LoadFrame(nID, WS_CHILD | WS_CLIPSIBLINGS, pParentWnd, &context))
    {
        TRACE("Warning: CDocTemplate couldn't create an OLE frame.\n");
        pc_frame::DiscardFailedFrame(pFrame);
        return nullptr;
    }
    return pFrame;
}

// ---- CMultiDocTemplate ------------------------------------------------------------------

CMultiDocTemplate::CMultiDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass,
                                     CRuntimeClass* pFrameClass, CRuntimeClass* pViewClass)
    : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass),
      m_hMenuShared(nullptr),
      m_hAccelTable(nullptr),
      m_nUntitledCount(0)
{
    LoadTemplate();
}

CMultiDocTemplate::~CMultiDocTemplate()
{
    // Documents still open lose their template; the application closes them before.
    for (POSITION pos = m_docList.GetHeadPosition(); pos != NULL;)
    {
        CDocument* pDoc = static_cast<CDocument*>(m_docList.GetNext(pos));
        pDoc->m_pDocTemplate = nullptr;
    }
    pc_frame::DestroyMenuHandle(m_hMenuShared);
    pc_frame::DestroyAccelHandle(m_hAccelTable);
}

void CMultiDocTemplate::LoadTemplate()
{
    CDocTemplate::LoadTemplate();
    if (m_nIDResource != 0 && m_hMenuShared == nullptr)
    {
        m_hMenuShared = pc_frame::LoadMenuResource(m_nIDResource);
        m_hAccelTable = pc_frame::LoadAccelResource(m_nIDResource);
    }
}

POSITION CMultiDocTemplate::GetFirstDocPosition() const
{
    return m_docList.GetHeadPosition();
}

CDocument* CMultiDocTemplate::GetNextDoc(POSITION& rPos) const
{
    if (rPos == NULL)
        return nullptr;
    return static_cast<CDocument*>(const_cast<CPtrList&>(m_docList).GetNext(rPos));
}

void CMultiDocTemplate::AddDocument(CDocument* pDoc)
{
    CDocTemplate::AddDocument(pDoc);
    m_docList.AddTail(pDoc);
}

void CMultiDocTemplate::RemoveDocument(CDocument* pDoc)
{
    CDocTemplate::RemoveDocument(pDoc);
    POSITION pos = m_docList.Find(pDoc);
    if (pos != NULL)
        m_docList.RemoveAt(pos);
}

CDocument* CMultiDocTemplate::OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible)
{
    CDocument* pDocument = CreateNewDocument();
    if (pDocument == nullptr)
    {
        TRACE("CDocTemplate::CreateNewDocument returned NULL.\n");
        AfxMessageBox(AFX_IDP_FAILED_TO_CREATE_DOC);
        return nullptr;
    }
    BOOL bAutoDelete = pDocument->m_bAutoDelete;
    pDocument->m_bAutoDelete = FALSE;  // kept while its frame is made
    CFrameWnd* pFrame = CreateNewFrame(pDocument, nullptr);
    pDocument->m_bAutoDelete = bAutoDelete;
    if (pFrame == nullptr)
    {
        AfxMessageBox(AFX_IDP_FAILED_TO_CREATE_DOC);
        delete pDocument;
        return nullptr;
    }
    if (lpszPathName == nullptr)
    {
        SetDefaultTitle(pDocument);
        if (!bMakeVisible)
            pDocument->m_bEmbedded = TRUE;
        if (!pDocument->OnNewDocument())
        {
            TRACE("CDocument::OnNewDocument returned FALSE.\n");
            pFrame->DestroyWindow();  // the document goes with its last view
            return nullptr;
        }
        ++m_nUntitledCount;
    }
    else
    {
        CWaitCursor wait;
        if (!pDocument->OnOpenDocument(lpszPathName))
        {
            TRACE("CDocument::OnOpenDocument returned FALSE.\n");
            pFrame->DestroyWindow();
            return nullptr;
        }
        pDocument->SetPathName(lpszPathName);
    }
    InitialUpdateFrame(pFrame, pDocument, bMakeVisible);
    return pDocument;
}

void CMultiDocTemplate::SetDefaultTitle(CDocument* pDocument)
{
    CString strDocName;
    if (!GetDocString(strDocName, docName) || strDocName.IsEmpty())
        AfxLoadString(AFX_IDS_UNTITLED, strDocName);
    CString num;
    num.Format("%d", static_cast<int>(m_nUntitledCount + 1));
    pDocument->SetTitle(strDocName + num);
}

// ---- CSingleDocTemplate -----------------------------------------------------------------

CSingleDocTemplate::CSingleDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass,
                                       CRuntimeClass* pFrameClass, CRuntimeClass* pViewClass)
    : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass), m_pOnlyDoc(nullptr)
{
    LoadTemplate();
}

CSingleDocTemplate::~CSingleDocTemplate()
{
    if (m_pOnlyDoc != nullptr)
        m_pOnlyDoc->m_pDocTemplate = nullptr;
}

POSITION CSingleDocTemplate::GetFirstDocPosition() const
{
    return m_pOnlyDoc != nullptr ? reinterpret_cast<POSITION>(1) : NULL;
}

CDocument* CSingleDocTemplate::GetNextDoc(POSITION& rPos) const
{
    CDocument* pDoc = rPos == reinterpret_cast<POSITION>(1) ? m_pOnlyDoc : nullptr;
    rPos = NULL;
    return pDoc;
}

void CSingleDocTemplate::AddDocument(CDocument* pDoc)
{
    ASSERT(m_pOnlyDoc == nullptr);
    CDocTemplate::AddDocument(pDoc);
    m_pOnlyDoc = pDoc;
}

void CSingleDocTemplate::RemoveDocument(CDocument* pDoc)
{
    CDocTemplate::RemoveDocument(pDoc);
    if (m_pOnlyDoc == pDoc)
        m_pOnlyDoc = nullptr;
}

CDocument* CSingleDocTemplate::OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible)
{
    CDocument* pDocument = m_pOnlyDoc;
    CFrameWnd* pFrame = nullptr;
    bool bCreated = false;
    if (pDocument != nullptr)
    {
        if (!pDocument->SaveModified())
            return nullptr;
        POSITION pos = pDocument->GetFirstViewPosition();
        if (CView* pView = pDocument->GetNextView(pos))
            pFrame = pView->GetParentFrame();
    }
    else
    {
        pDocument = CreateNewDocument();
        bCreated = true;
    }
    if (pDocument == nullptr)
    {
        AfxMessageBox(AFX_IDP_FAILED_TO_CREATE_DOC);
        return nullptr;
    }
    if (pFrame == nullptr)
    {
        BOOL bAutoDelete = pDocument->m_bAutoDelete;
        pDocument->m_bAutoDelete = FALSE;
        pFrame = CreateNewFrame(pDocument, nullptr);
        pDocument->m_bAutoDelete = bAutoDelete;
        if (pFrame == nullptr)
        {
            AfxMessageBox(AFX_IDP_FAILED_TO_CREATE_DOC);
            if (bCreated)
                delete pDocument;
            return nullptr;
        }
    }
    if (lpszPathName == nullptr)
    {
        SetDefaultTitle(pDocument);
        if (!bMakeVisible)
            pDocument->m_bEmbedded = TRUE;
        if (!pDocument->OnNewDocument())
        {
            if (bCreated)
                pFrame->DestroyWindow();
            return nullptr;
        }
    }
    else
    {
        CWaitCursor wait;
        BOOL bWasModified = pDocument->IsModified();
        pDocument->SetModifiedFlag(FALSE);
        if (!pDocument->OnOpenDocument(lpszPathName))
        {
            if (bCreated)
                pFrame->DestroyWindow();
            else if (!pDocument->IsModified())
                pDocument->SetModifiedFlag(bWasModified);
            else
            {
                SetDefaultTitle(pDocument);
                pDocument->OnNewDocument();
            }
            return nullptr;
        }
        pDocument->SetPathName(lpszPathName);
    }
    if (bCreated && AfxGetApp() != nullptr && AfxGetApp()->m_pMainWnd == nullptr)
        AfxGetApp()->m_pMainWnd = pFrame;
    InitialUpdateFrame(pFrame, pDocument, bMakeVisible);
    return pDocument;
}

void CSingleDocTemplate::SetDefaultTitle(CDocument* pDocument)
{
    CString strDocName;
    if (!GetDocString(strDocName, docName) || strDocName.IsEmpty())
        AfxLoadString(AFX_IDS_UNTITLED, strDocName);
    pDocument->SetTitle(strDocName);
}
