// The two document templates and every call the program makes on the project document,
// the project views and the document browser.
//
// TEMPORARY until the project document's FileNew/FileOpen, the project views and the
// browser library are merged: both templates use the program's own CChildFrame and
// CTrellanView, and a local project file is read here (ShowProject, OpenLocalProject).
// At the merge this file alone changes:
//   - template 129: RUNTIME_CLASS(CProjectDoc), RUNTIME_CLASS(CProjectFrame),
//     RUNTIME_CLASS(CGanttView);
//   - template 130: RUNTIME_CLASS(CTrellanDoc), RUNTIME_CLASS(CLumoDocMDIFrame),
//     RUNTIME_CLASS(CPdmTreeView);
//   - TrellanProjectFileNew / TrellanProjectFileOpen: set the document's mode member and
//     call CProjectDoc::FileNew() / CProjectDoc::FileOpen(strPath); TrellanProjectMode
//     reads the mode member;
//   - TrellanBrowserFrameCreated: DYNAMIC_DOWNCAST(CLumoDocMDIFrame, pFrame)->LoadData(20, 0);
//   - ShowProject and OpenLocalProject go.
#include "Templates.h"

#include "ChildFrm.h"
#include "Resource.h"
#include "TrellanDoc.h"
#include "TrellanView.h"

#include <ProjectDoc.h>

namespace {

// Temporary: the document in a frame of its template.
void ShowProject(CProjectDoc* pDoc)
{
    CDocTemplate* pTemplate = pDoc->GetDocTemplate();
    if (pTemplate == NULL)
        return;
    if (CFrameWnd* pFrame = pTemplate->CreateNewFrame(pDoc, NULL))
        pTemplate->InitialUpdateFrame(pFrame, pDoc);
}

// Temporary: a local project file read into the document (asked for when the path is
// empty); a file that cannot be read is reported by the document and opens nothing.
// Server projects open nothing here.
void OpenLocalProject(CProjectDoc* pDoc, CString strPath)
{
    if (pDoc->m_nMode != 1) {
        pDoc->OnCloseDocument();
        return;
    }
    if (strPath.IsEmpty() &&
        !AfxGetApp()->DoPromptFileName(strPath, AFX_IDS_OPENFILE, 0, TRUE, pDoc->GetDocTemplate())) {
        pDoc->OnCloseDocument();
        return;
    }
    if (!pDoc->ReadLocalFile(strPath)) {
        pDoc->OnCloseDocument();
        return;
    }
    pDoc->SetPathName(strPath, TRUE);
    ShowProject(pDoc);
}

}  // namespace

CMultiDocTemplate* TrellanCreateProjectTemplate()
{
    return new CMultiDocTemplate(IDR_PROJECTTYPE, RUNTIME_CLASS(CProjectDoc), RUNTIME_CLASS(CChildFrame),
                                 RUNTIME_CLASS(CTrellanView));
}

CMultiDocTemplate* TrellanCreateDocManageTemplate()
{
    return new CMultiDocTemplate(IDR_DOCMANAGETYPE, RUNTIME_CLASS(CTrellanDoc), RUNTIME_CLASS(CChildFrame),
                                 RUNTIME_CLASS(CTrellanView));
}

void TrellanProjectFileNew(CDocument* pDoc, int nMode)
{
    CProjectDoc* pProject = DYNAMIC_DOWNCAST(CProjectDoc, pDoc);
    if (pProject == NULL)
        return;
    pProject->m_nMode = nMode;
    ShowProject(pProject);
}

void TrellanProjectFileOpen(CDocument* pDoc, int nMode, const CString& strPath)
{
    CProjectDoc* pProject = DYNAMIC_DOWNCAST(CProjectDoc, pDoc);
    if (pProject == NULL)
        return;
    pProject->m_nMode = nMode;
    OpenLocalProject(pProject, strPath);
}

int TrellanProjectMode(CDocument* pDoc)
{
    CProjectDoc* pProject = DYNAMIC_DOWNCAST(CProjectDoc, pDoc);
    return pProject != NULL ? pProject->m_nMode : -1;
}

void TrellanBrowserFrameCreated(CFrameWnd*)
{
    // The browser frame fills its folder tree here (LoadData(20, 0)).
}
