// CDocument: the data a template's frames and views show. A document keeps its views,
// its title and path, and the modified flag; it is read from and written to files through
// Serialize on an archive.
#pragma once

#include <ClassLib/Core/Collections.h>
#include <ClassLib/Core/String.h>
#include <ClassLib/Wnd/CmdTarget.h>

class CArchive;
class CDocTemplate;
class CException;
class CFile;
class CFileException;
class CFrameWnd;
class CView;

class AFX_EXT_CLASS CDocument : public CCmdTarget
{
    DECLARE_DYNAMIC(CDocument)
public:
    CDocument();
    ~CDocument() override;

    const CString& GetTitle() const { return m_strTitle; }
    virtual void SetTitle(LPCTSTR lpszTitle);
    const CString& GetPathName() const { return m_strPathName; }
    // Sets the path (and the title from the file name); bAddToMRU adds it to the
    // application's recent-file list.
    virtual void SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU = TRUE);

    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }
    virtual BOOL IsModified();
    virtual void SetModifiedFlag(BOOL bModified = TRUE);

    virtual POSITION GetFirstViewPosition() const;
    virtual CView* GetNextView(POSITION& rPosition) const;
    void AddView(CView* pView);
    void RemoveView(CView* pView);
    // Calls OnUpdate of every view except pSender.
    void UpdateAllViews(CView* pSender, LPARAM lHint = 0L, CObject* pHint = NULL);
    // Sends WM_INITIALUPDATE to every view's frame (used after a document is filled).
    void SendInitialUpdate();

    virtual void DeleteContents();
    virtual BOOL OnNewDocument();
    virtual BOOL OnOpenDocument(LPCTSTR lpszPathName);
    virtual BOOL OnSaveDocument(LPCTSTR lpszPathName);
    virtual void OnCloseDocument();
    virtual void ReportSaveLoadException(LPCTSTR lpszPathName, CException* e, BOOL bSaving,
                                         UINT nIDPDefault);
    virtual CFile* GetFile(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError);
    virtual void ReleaseFile(CFile* pFile, BOOL bAbort);

    virtual BOOL CanCloseFrame(CFrameWnd* pFrame);
    // Asks whether to save a modified document: TRUE when it may be closed.
    virtual BOOL SaveModified();
    virtual void PreCloseFrame(CFrameWnd* pFrame);
    // Saves to lpszPathName, or asks for a path (Save As) when it is NULL.
    virtual BOOL DoSave(LPCTSTR lpszPathName, BOOL bReplace = TRUE);
    virtual BOOL DoFileSave();
    virtual void OnChangedViewList();
    virtual void OnIdle();
    virtual void OnFinalRelease();

    // Commands go to the document, then to its template.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    BOOL m_bAutoDelete;  // delete the document when its last view goes
    BOOL m_bEmbedded;    // an embedded (OLE) document

    afx_msg void OnFileClose();
    afx_msg void OnFileSave();
    afx_msg void OnFileSaveAs();

protected:
    friend class CDocTemplate;
    friend class CMultiDocTemplate;
    friend class CSingleDocTemplate;

    CString m_strTitle;
    CString m_strPathName;
    CDocTemplate* m_pDocTemplate;
    CPtrList m_viewList;
    BOOL m_bModified;

    DECLARE_MESSAGE_MAP()
};
