// Server documents. There is no embedding on this system: a server document is an ordinary
// document whose embedded item, document-object server and in-place frame exist as
// objects for the code that asks for them, and which no container ever activates.
#pragma once

#include <ClassLib/DocView/Document.h>
#include <ClassLib/Ole/DataObject.h>
#include <ClassLib/Ole/Ole.h>

class CDC;
class COleIPFrameWnd;
class COleServerDoc;
class CDocObjectServer;
class CWnd;
#ifndef PC_DVASPECT_DEFINED
#define PC_DVASPECT_DEFINED
typedef DWORD DVASPECT;
#endif

struct IOleDocumentSite;
typedef IOleDocumentSite* LPOLEDOCUMENTSITE;

// The OLE support of the application (AfxOleInit is the OLE layer's): nothing to start.
AFX_EXT_API void AfxOleTerm(BOOL bJustRevoke = FALSE);
AFX_EXT_API void AfxEnableControlContainer();

class AFX_EXT_CLASS COleDocument : public CDocument
{
    DECLARE_DYNAMIC(COleDocument)
public:
    COleDocument();
    ~COleDocument() override;
    void EnableCompoundFile(BOOL bEnable = TRUE) { m_bCompoundFile = bEnable; }
    BOOL m_bCompoundFile;
};

// An item of a server document: what a container would draw and store.
class AFX_EXT_CLASS COleServerItem : public CCmdTarget
{
    DECLARE_DYNAMIC(COleServerItem)
protected:
    COleServerItem(COleServerDoc* pServerDoc, BOOL bAutoDelete);

public:
    ~COleServerItem() override;

    COleServerDoc* GetDocument() const { return m_pDocument; }
    BOOL IsLinkedItem() const { return m_bLinked; }
    BOOL IsConnected() const { return FALSE; }
    const CString& GetItemName() const { return m_strItemName; }
    void SetItemName(LPCTSTR lpszItemName) { m_strItemName = lpszItemName; }

    virtual BOOL OnDraw(CDC* pDC, CSize& rSize) = 0;
    // The size of the item's picture (HIMETRIC); FALSE when the item does not know it.
    virtual BOOL OnGetExtent(DVASPECT nDrawAspect, CSize& rSize);
    virtual void OnUpdate(COleServerItem* pSender, LPARAM lHint, CObject* pHint, DVASPECT nDrawAspect);
    void NotifyChanged(DVASPECT nDrawAspect = DVASPECT_CONTENT);
    void Serialize(CArchive& ar) override;

    BOOL m_bAutoDelete;

protected:
    friend class COleServerDoc;
    COleServerDoc* m_pDocument;
    BOOL m_bLinked;
    CString m_strItemName;
};

class AFX_EXT_CLASS COleServerDoc : public COleDocument
{
    DECLARE_DYNAMIC(COleServerDoc)
public:
    COleServerDoc();
    ~COleServerDoc() override;

    // The document's embedded item, made by OnGetEmbeddedItem when first asked for.
    COleServerItem* GetEmbeddedItem();
    BOOL IsEmbedded() const { return m_bEmbedded; }
    BOOL IsInPlaceActive() const { return FALSE; }
    BOOL IsDocObject() const { return FALSE; }

    virtual COleServerItem* OnGetEmbeddedItem() = 0;
    virtual CDocObjectServer* GetDocObjectServer(LPOLEDOCUMENTSITE pDocSite);
    virtual COleIPFrameWnd* CreateInPlaceFrame(CWnd* pParentWnd);
    virtual void DestroyInPlaceFrame(COleIPFrameWnd* pFrameWnd);
    virtual void OnDeactivateUI(BOOL bUndoable);
    virtual void OnShowDocument(BOOL bShow);

    void NotifyChanged();
    void NotifyClosed();
    void NotifySaved();
    void NotifyRename(LPCTSTR lpszNewName);
    void UpdateAllItems(COleServerItem* pSender, LPARAM lHint = 0L, CObject* pHint = NULL,
                        DVASPECT nDrawAspect = DVASPECT_CONTENT);
    void SaveEmbedding();

    BOOL OnNewDocument() override;
    BOOL OnOpenDocument(LPCTSTR lpszPathName) override;
    void DeleteContents() override;
    void OnCloseDocument() override;

protected:
    friend class COleServerItem;
    COleServerItem* m_pEmbeddedItem;
};

// The document-object server of a server document (never reached by a container here).
class AFX_EXT_CLASS CDocObjectServer : public CCmdTarget
{
    DECLARE_DYNAMIC(CDocObjectServer)
public:
    explicit CDocObjectServer(COleServerDoc* pOwner, LPOLEDOCUMENTSITE pDocSite = NULL);
    ~CDocObjectServer() override;
    COleServerDoc* GetOwner() const { return m_pOwner; }

protected:
    COleServerDoc* m_pOwner;
    LPOLEDOCUMENTSITE m_pDocSite;
};
