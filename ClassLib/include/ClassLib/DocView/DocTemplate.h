// Document templates: a resource id (the frame's menu, accelerators, icon and the
// document string) with the run-time classes of the document, its frame and its view.
// CMultiDocTemplate keeps any number of documents, each in its own MDI child frame.
//
//   pTemplate = new CMultiDocTemplate(IDR_PROJECT, RUNTIME_CLASS(CProjectDoc),
//                                     RUNTIME_CLASS(CProjectFrame), RUNTIME_CLASS(CGanttView));
//   AddDocTemplate(pTemplate);   // in the application's InitInstance; the application
//                                // deletes its templates when it ends
//
// The document string (string resource nIDResource) has seven fields separated by "\n":
// window title, document name, file-new name, filter name, filter extension, registry
// file type id and registry file type name.
#pragma once

#include <ClassLib/Core/Collections.h>
#include <ClassLib/Core/String.h>
#include <ClassLib/Wnd/CmdTarget.h>

class CDocument;
class CFrameWnd;
class CWnd;
struct CCreateContext;

class AFX_EXT_CLASS CDocTemplate : public CCmdTarget
{
    DECLARE_DYNAMIC(CDocTemplate)
protected:
    CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                 CRuntimeClass* pViewClass);

public:
    ~CDocTemplate() override;

    enum DocStringIndex
    {
        windowTitle,
        docName,
        fileNewName,
        filterName,
        filterExt,
        regFileTypeId,
        regFileTypeName
    };
    enum Confidence
    {
        noAttempt,
        maybeAttemptForeign,
        maybeAttemptNative,
        yesAttemptForeign,
        yesAttemptNative,
        yesAlreadyOpen
    };

    // Reads the document string, menu and accelerators of the resource id (once).
    virtual void LoadTemplate();
    virtual BOOL GetDocString(CString& rString, enum DocStringIndex index) const;

    virtual POSITION GetFirstDocPosition() const = 0;
    virtual CDocument* GetNextDoc(POSITION& rPos) const = 0;
    virtual void AddDocument(CDocument* pDoc);
    virtual void RemoveDocument(CDocument* pDoc);

    virtual CDocument* CreateNewDocument();
    // A new frame with its views for pDoc, loaded from the template's resource id; NULL on
    // failure (with a trace).
    virtual CFrameWnd* CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther);
    virtual void InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible = TRUE);
    virtual BOOL SaveAllModified();
    virtual void CloseAllDocuments(BOOL bEndSession);
    // NULL: a new document; otherwise the document read from the file.
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible = TRUE) = 0;
    virtual void SetDefaultTitle(CDocument* pDocument) = 0;
    virtual Confidence MatchDocType(LPCTSTR lpszPathName, CDocument*& rpDocMatch);
    virtual void OnIdle();

    // In-place frames of server documents (no embedding on this platform: the frame is an
    // ordinary hidden frame window).
    void SetServerInfo(UINT nIDOleEmbedding, UINT nIDOleInPlaceServer = 0,
                       CRuntimeClass* pOleFrameClass = NULL, CRuntimeClass* pOleViewClass = NULL);
    virtual CFrameWnd* CreateOleFrame(CWnd* pParentWnd, CDocument* pDoc, BOOL bCreateView);

    UINT GetResourceID() const { return m_nIDResource; }

    UINT m_nIDResource;
    UINT m_nIDServerResource;
    UINT m_nIDEmbeddingResource;
    UINT m_nIDContainerResource;
    CRuntimeClass* m_pDocClass;
    CRuntimeClass* m_pFrameClass;
    CRuntimeClass* m_pViewClass;
    CRuntimeClass* m_pOleFrameClass;
    CRuntimeClass* m_pOleViewClass;
    CString m_strDocStrings;
    BOOL m_bAutoDelete;
    CObject* m_pAttachedFactory;

protected:
    BOOL m_bLoaded;
};

class AFX_EXT_CLASS CMultiDocTemplate : public CDocTemplate
{
    DECLARE_DYNAMIC(CMultiDocTemplate)
public:
    CMultiDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                      CRuntimeClass* pViewClass);
    ~CMultiDocTemplate() override;

    void LoadTemplate() override;
    POSITION GetFirstDocPosition() const override;
    CDocument* GetNextDoc(POSITION& rPos) const override;
    void AddDocument(CDocument* pDoc) override;
    void RemoveDocument(CDocument* pDoc) override;
    CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible = TRUE) override;
    // The document name followed by the number of documents made so far plus one.
    void SetDefaultTitle(CDocument* pDocument) override;

    HMENU m_hMenuShared;    // the menu of the template's frames
    HACCEL m_hAccelTable;   // their accelerators
    CPtrList m_docList;
    UINT m_nUntitledCount;  // documents made new so far
};

// One document at a time, in the main frame.
class AFX_EXT_CLASS CSingleDocTemplate : public CDocTemplate
{
    DECLARE_DYNAMIC(CSingleDocTemplate)
public:
    CSingleDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                       CRuntimeClass* pViewClass);
    ~CSingleDocTemplate() override;

    POSITION GetFirstDocPosition() const override;
    CDocument* GetNextDoc(POSITION& rPos) const override;
    void AddDocument(CDocument* pDoc) override;
    void RemoveDocument(CDocument* pDoc) override;
    CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible = TRUE) override;
    void SetDefaultTitle(CDocument* pDocument) override;

    CDocument* m_pOnlyDoc;
};
