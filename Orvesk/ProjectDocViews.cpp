// The project document and its views: the task tree view's read-outs, the tree state, and
// opening or switching views.
#include "ProjectDoc.h"

#include <vector>

#include <ClassLib/AfxWin.h>
#include <ClassLib/DocView/CreateContext.h>
#include <ClassLib/DocView/DocTemplate.h>
#include <ClassLib/DocView/StdIds.h>
#include <ClassLib/DocView/View.h>
#include <ClassLib/DocView/WinApp.h>
#include <ClassLib/Frames/MDIWnd.h>

#include "GridCtrl.h"
#include "GridTreeCellBase.h"
#include "HeaderDates.h"
#include "ProjectDialogHooks.h"
#include "ReadAhead.h"
#include "TaskTreeViewHooks.h"
#include "TreeColumn.h"

namespace {

// The run-time class of a view class of the project views, found by name: the views live
// beside the document in this library and are reached only by their class records.
BOOL IsViewOfClass(const CView* pView, LPCSTR lpszClassName)
{
    CRuntimeClass* pClass = CRuntimeClass::FromName(lpszClassName);
    return pClass != NULL && pView != NULL && pView->IsKindOf(pClass);
}

CView* FirstViewOfClass(const CDocument* pDoc, CRuntimeClass* pClass)
{
    if (pClass == NULL)
        return NULL;
    POSITION pos = pDoc->GetFirstViewPosition();
    while (pos != NULL) {
        CView* pView = pDoc->GetNextView(pos);
        if (pView->IsKindOf(pClass))
            return pView;
    }
    return NULL;
}

// The active view of the main frame's active child, taken for its container when it is a
// pane of the Gantt view or of the resource view.
CView* ResolveActiveView(const CDocument* pDoc)
{
    CMDIFrameWnd* pMainFrame = dynamic_cast<CMDIFrameWnd*>(AfxGetMainWnd());
    if (pMainFrame == NULL)
        return NULL;
    CMDIChildWnd* pChild = pMainFrame->MDIGetActive();
    if (pChild == NULL)
        return NULL;
    CView* pView = pChild->GetActiveView();
    if (pView == NULL)
        return NULL;
    if (IsViewOfClass(pView, "CGanttBarView") || IsViewOfClass(pView, "CTaskTreeView"))
        return FirstViewOfClass(pDoc, CRuntimeClass::FromName("CGanttView"));
    if (IsViewOfClass(pView, "CResTreeView") || IsViewOfClass(pView, "CResListView"))
        return FirstViewOfClass(pDoc, CRuntimeClass::FromName("CLumoResourceView"));
    return pView;
}

} // namespace

int CProjectDoc::GetTaskID(int nRow)
{
    CTaskTreeViewHooks* pView = ProjectFindTaskTreeView(this);
    return pView != NULL ? pView->GetTaskId(nRow) : -1;
}

void CProjectDoc::RefreshCritialTask()
{
    if (CTaskTreeViewHooks* pView = ProjectFindTaskTreeView(this))
        pView->UpdateProjectSpan();
    else
        UpdateHeaderDates();
}

void CProjectDoc::UpdateHeaderDates()
{
    CHeaderDatesFold dates;
    CReadAhead ahead(m_headerDatesTrail, m_headerDatesTrailSpare);
    std::vector<const CTaskItemList*> lists(1, &m_listTasks);
    while (!lists.empty()) {
        const CTaskItemList* pList = lists.back();
        lists.pop_back();
        for (POSITION pos = pList->GetHeadPosition(); pos != NULL;) {
            ahead.Touch(pos);
            CTaskItem* pTask = pList->GetNext(pos);
            if (pTask == NULL)
                continue;
            ahead.TouchObject(pTask->HotFields());
            if (!pTask->m_listChildren.IsEmpty())
                lists.push_back(&pTask->m_listChildren);
            dates.Add(pTask);
        }
    }
    dates.ApplyTo(*this);
}

bool CProjectDoc::GetIPAddress(CString& /*strAddress*/)
{
    return true;
}

void CProjectDoc::ChangeExpand(int nLevel)
{
    CTaskTreeViewHooks* pView = ProjectFindTaskTreeView(this);
    CGridCtrl* pGrid = pView != NULL ? pView->GetTaskGrid() : NULL;
    if (pGrid == NULL)
        return;
    for (int nRow = 1; nRow <= m_nMaxRowInGrid && nRow < pGrid->GetRowCount(); ++nRow) {
        CGridTreeCellBase* pCell = dynamic_cast<CGridTreeCellBase*>(pGrid->GetCell(nRow, 2));
        if (pCell == NULL)
            continue;
        pCell->SetTreeValue(0);
        pCell->SetTopBit(pCell->GetLevel() > nLevel ? FALSE : TRUE);
    }
    if (CTreeColumn* pTree = dynamic_cast<CTreeColumn*>(pGrid->GetTreeColumn()))
        pTree->RefreshRowHeights();
}

void CProjectDoc::OnExpandHide()
{
    int nMode = 0, nLevels = 0;
    if (ProjectRunExpandDlg(nMode, nLevels) != IDOK)
        return;
    if (nMode == 1)
        ChangeExpand(1000);
    else if (nMode == 2)
        ChangeExpand(1);
    else if (nMode == 3)
        ChangeExpand(nLevels);
}

int CProjectDoc::NewView(CRuntimeClass* pViewClass)
{
    if (pViewClass == NULL)
        return 0;
    CView* pActive = ResolveActiveView(this);
    if (pActive != NULL && pActive->IsKindOf(pViewClass))
        return 1;

    if (CView* pExisting = FirstViewOfClass(this, pViewClass)) {
        if (CFrameWnd* pFrame = pExisting->GetParentFrame())
            pFrame->ActivateFrame();
        return 1;
    }

    CDocTemplate* pTemplate = GetDocTemplate();
    if (pTemplate == NULL || pTemplate->m_pFrameClass == NULL) {
        TRACE("Warning: CDocTemplate couldn't create a frame.\n");
        return 0;
    }
    CFrameWnd* pFrame = dynamic_cast<CFrameWnd*>(pTemplate->m_pFrameClass->CreateObject());
    if (pFrame == NULL) {
        TRACE("Warning: Dynamic create of frame %s failed.\n", pTemplate->m_pFrameClass->m_lpszClassName);
        return 0;
    }
    CCreateContext context;
    context.m_pNewViewClass = pViewClass;
    context.m_pCurrentDoc = this;
    context.m_pNewDocTemplate = pTemplate;
    const BOOL bAutoDelete = m_bAutoDelete;
    m_bAutoDelete = FALSE;
    // The project frame picks its view by the document's view type; the view asked for
    // here must win, so no view type is in force while the frame builds its client area.
    const int nViewType = m_nViewType;
    m_nViewType = 0;
    const BOOL bLoaded = pFrame->LoadFrame(pTemplate->GetResourceID(), WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                                           NULL, &context);
    m_nViewType = nViewType;
    m_bAutoDelete = bAutoDelete;
    if (!bLoaded) {
        TRACE("Warning: CDocTemplate couldn't create a frame.\n");
        return 0;
    }
    pTemplate->InitialUpdateFrame(pFrame, this, TRUE);
    return 1;
}

int CProjectDoc::SwitchToView(CRuntimeClass* pViewClass)
{
    if (pViewClass == NULL)
        return 0;
    CView* pOld = ResolveActiveView(this);
    if (pOld == NULL)
        return 0;
    if (pOld->IsKindOf(pViewClass))
        return 1;
    CFrameWnd* pFrame = pOld->GetParentFrame();
    if (pFrame == NULL)
        return 0;

    CView* pNew = dynamic_cast<CView*>(pViewClass->CreateObject());
    if (pNew == NULL)
        return 0;
    CCreateContext context;
    context.m_pNewViewClass = pViewClass;
    context.m_pCurrentDoc = this;
    context.m_pNewDocTemplate = GetDocTemplate();
    context.m_pCurrentFrame = pFrame;

    // The document must outlive its old view, which may have been its only one.
    const BOOL bAutoDelete = m_bAutoDelete;
    m_bAutoDelete = FALSE;
    CRect rect;
    pOld->GetWindowRect(&rect);
    pFrame->ScreenToClient(&rect);
    pOld->DestroyWindow();
    m_bAutoDelete = bAutoDelete;

    if (!pNew->Create(NULL, NULL, WS_CHILD | WS_VISIBLE | WS_BORDER, rect, pFrame, AFX_IDW_PANE_FIRST,
                      &context))
        return 0;
    SendInitialUpdate();
    pFrame->SetActiveView(pNew);
    pFrame->RecalcLayout();
    return 1;
}

void CProjectDoc::OnGanttView()
{
    NewView(CRuntimeClass::FromName("CGanttView"));
    UpdateAllViews(NULL, 0, NULL);
}

void CProjectDoc::OnResView()
{
    NewView(CRuntimeClass::FromName("CLumoResourceView"));
    UpdateAllViews(NULL, 0, NULL);
}
