// The two document templates and every call the program makes on the project document,
// the project views and the document browser.
#include "Templates.h"

#include "Resource.h"
#include "TrellanDoc.h"

#include <LumoDocMDIFrame.h>
#include <PdmTreeView.h>

#include <Orvesk/GanttView.h>
#include <Orvesk/InPlaceFrame.h>
#include <Orvesk/ProjectDoc.h>
#include <Orvesk/ProjectFrame.h>

CMultiDocTemplate* TrellanCreateProjectTemplate()
{
    CMultiDocTemplate* pTemplate = new CMultiDocTemplate(IDR_PROJECTTYPE, RUNTIME_CLASS(CProjectDoc),
                                                         RUNTIME_CLASS(CProjectFrame), RUNTIME_CLASS(CGanttView));
    // A project shown in place lives in the views' in-place frame.
    pTemplate->SetServerInfo(0, 0, RUNTIME_CLASS(CInPlaceFrame));
    return pTemplate;
}

CMultiDocTemplate* TrellanCreateDocManageTemplate()
{
    return new CMultiDocTemplate(IDR_DOCMANAGETYPE, RUNTIME_CLASS(CTrellanDoc), RUNTIME_CLASS(CLumoDocMDIFrame),
                                 RUNTIME_CLASS(CPdmTreeView));
}

void TrellanProjectFileNew(CDocument* pDoc, int nMode)
{
    CProjectDoc* pProject = DYNAMIC_DOWNCAST(CProjectDoc, pDoc);
    if (pProject == NULL)
        return;
    pProject->m_bLocalFile = nMode;
    pProject->FileNew();
}

void TrellanProjectFileOpen(CDocument* pDoc, int nMode, const CString& strPath)
{
    CProjectDoc* pProject = DYNAMIC_DOWNCAST(CProjectDoc, pDoc);
    if (pProject == NULL)
        return;
    pProject->m_bLocalFile = nMode;
    pProject->FileOpen(strPath);
}

int TrellanProjectMode(CDocument* pDoc)
{
    CProjectDoc* pProject = DYNAMIC_DOWNCAST(CProjectDoc, pDoc);
    return pProject != NULL ? pProject->m_bLocalFile : -1;
}

void TrellanBrowserFrameCreated(CFrameWnd* pFrame)
{
    // The browser frame fills its folder tree from the root folder.
    if (CLumoDocMDIFrame* pBrowser = DYNAMIC_DOWNCAST(CLumoDocMDIFrame, pFrame))
        pBrowser->LoadData(20, 0);
}
