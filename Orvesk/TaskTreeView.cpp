// The task tree view: the window, the grid's set-up, the first fill from the document and
// the hand-over of the folded rows to the chart views.
#include "TaskTreeView.h"

#include <algorithm>

#include <ClassLib/Core/Exceptions.h>
#include <ClassLib/Core/StartTrace.h>

#include "GanttBarHooks.h"
#include "GridDateTimeCtrl.h"
#include "GridTreeCellBase.h"
#include "GridVirtHooks.h"
#include "ProjectDoc.h"
#include "ProjectSchedule.h"
#include "TaskItem.h"
#include "TaskRowText.h"

IMPLEMENT_DYNCREATE(CTaskTreeView, CView)

BEGIN_MESSAGE_MAP(CTaskTreeView, CView)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_SETFOCUS()
    ON_MESSAGE(WM_GRID_TASKCHANGED, OnTaskChanged)
    ON_MESSAGE(WM_GRID_TASKDELETED, OnTaskDeleted)
    ON_MESSAGE(WM_GRID_TASKINSERTED, OnTaskInserted)
    ON_MESSAGE(WM_GRID_ROWSCHANGED, OnRowsChanged)
    ON_MESSAGE(WM_GRID_NEWTASKNAME, OnNewTaskName)
    ON_MESSAGE(WM_GRID_ROWLEVEL, OnRowLevel)
    ON_MESSAGE(WM_GRID_EXPANDCHANGED, OnExpandChanged)
    ON_COMMAND(ID_TASK_OUTDENT, OnOutdent)
    ON_COMMAND(ID_TASK_INDENT, OnIndent)
    ON_COMMAND(ID_GRID_DELETETASK_MENU, OnEditTaskDelete)
    ON_COMMAND(ID_GRID_TASKPROPERTY, OnEditTaskProperty)
    ON_UPDATE_COMMAND_UI(ID_GRID_DELETETASK_MENU, OnUpdateEditTaskCommand)
    ON_UPDATE_COMMAND_UI(ID_GRID_TASKPROPERTY, OnUpdateEditTaskCommand)
    ON_COMMAND(ID_TASK_ZOOMOUT, OnZoomOut)
    ON_COMMAND(ID_TASK_ZOOMIN, OnZoomIn)
    ON_COMMAND(ID_FILE_PRINT, CView::OnFilePrint)
    ON_COMMAND(ID_FILE_PRINT_DIRECT, CView::OnFilePrint)
    ON_COMMAND(ID_FILE_PRINT_PREVIEW, CView::OnFilePrintPreview)
END_MESSAGE_MAP()

namespace
{
// The heading row: texts and the format of its cells.
const char* const kHeadings[7] = {"", "", "任务名称", "工期", "开始时间", "完成时间", "前置任务"};
const UINT kHeadingFormat = DT_VCENTER | DT_SINGLELINE | DT_WORDBREAK | DT_END_ELLIPSIS;
} // namespace

CTaskTreeView::CTaskTreeView()
    : m_Grid(0, 0, 0, 0),
      m_nTopRow(0),
      m_nEditDepth(0),
      m_nRestCacheDepth(0)
{
}

CTaskTreeView::~CTaskTreeView()
{
    // The grid must not keep pointers to the tree column and button data that go with
    // the view.
    m_Grid.AttachTreeColumn(NULL, NULL);
    m_Grid.SetImageList(NULL);
}

CProjectDoc* CTaskTreeView::GetDocument() const
{
    CDocument* pDoc = CView::GetDocument();
    ASSERT(pDoc == NULL || pDoc->IsKindOf(RUNTIME_CLASS(CProjectDoc)));
    return static_cast<CProjectDoc*>(pDoc);
}

int CTaskTreeView::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CView::OnCreate(lpcs) == -1)
        return -1;
    CRect rect(lpcs->x, lpcs->y, lpcs->x + lpcs->cx, lpcs->y + lpcs->cy);
    m_Grid.Create(rect, this, IDC_TASK_GRID, WS_CHILD | WS_VISIBLE | WS_TABSTOP);
    m_Grid.ShowWindow(SW_SHOW);
    m_ImageList.Create(IDB_TASK_STATES, 16, 1, RGB(255, 255, 255));
    return 0;
}

void CTaskTreeView::OnSetFocus(CWnd* pOldWnd)
{
    CView::OnSetFocus(pOldWnd);
    // The grid covers the whole view: the keys the view would get are the grid's.
    if (m_Grid.GetSafeHwnd())
        m_Grid.SetFocus();
}

void CTaskTreeView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    if (m_Grid.GetSafeHwnd())
    {
        CRect rect;
        GetClientRect(&rect);
        m_Grid.MoveWindow(&rect, TRUE);
    }
}

void CTaskTreeView::OnInitialUpdate()
{
    CView::OnInitialUpdate();
    SetupGrid();
    AfxStartMark("grid-setup");
    FillGrid();
    FitColumnsToTexts();
    AfxStartMark("grid-fill");
    MarkCriticalTasks();
    AfxStartMark("critical-marks");
    if (CProjectDoc* pDoc = GetDocument())
        pDoc->SetModifiedFlag(FALSE);
}

void CTaskTreeView::OnDraw(CDC* /*pDC*/)
{
    // The grid paints itself.
}

void CTaskTreeView::OnUpdate(CView* /*pSender*/, LPARAM /*lHint*/, CObject* /*pHint*/)
{
}

namespace
{
// The date cells' picker opens on the row's task's start or finish.
BOOL ReadTaskDates(CTaskItem* pTask, COleDateTime& start, COleDateTime& finish)
{
    if (!pTask)
        return FALSE;
    start = pTask->m_dtStart;
    finish = pTask->m_dtFinish;
    return TRUE;
}
} // namespace

void CTaskTreeView::SetupGrid()
{
    GridSetTaskDatesReader(&ReadTaskDates);
    m_Grid.SetEditable(TRUE);
    m_Grid.SetTextBkColor(RGB(255, 255, 255));
    m_Grid.SetImageList(&m_ImageList);
    m_Grid.SetRowResize(FALSE);
    m_Grid.EnableDragAndDrop(TRUE);

    try
    {
        m_Grid.SetColumnCount(7);
        m_Grid.SetFixedColumnCount(1);
        m_Grid.SetTaskGrid(TRUE);
        m_TreeColumn.Setup(&m_Grid, 2, 0, 1, NULL, TRUE, FALSE, NULL);
        m_TreeColumn.SetTreeLineColor(RGB(0, 0, 255));
    }
    catch (CMemoryException* e)
    {
        e->ReportError();
        e->Delete();
        return;
    }

    for (int col = 0; col < 7; col++)
    {
        GridItem item;
        item.mask = GRIDITEM_TEXT | GRIDITEM_FORMAT;
        item.row = 0;
        item.col = col;
        item.nFormat = kHeadingFormat;
        item.szText = kHeadings[col];
        m_Grid.SetItem(&item);
    }
    m_Grid.SetRowHeight(0, 32);
    m_Grid.SetColumnWidth(0, 25);
    m_Grid.SetColumnWidth(1, 40);
    m_Grid.SetColumnWidth(6, 60);
    m_Grid.SetColumnWidth(2, 145);

    m_Grid.ShowWindow(SW_SHOW);
    m_Grid.AttachTreeColumn(&m_TreeColumn, &m_BtnDataBase);
    // The button cells reach their grid through the shared button data.
    m_BtnDataBase.SetGrid(&m_Grid);

    for (int i = 0; i < 100; i++)
        m_Grid.InsertTaskRow(-1, NULL, 1, 0, _T(""), -1, 0.0, COleDateTime(), COleDateTime(), _T(""));
}

void CTaskTreeView::FillGrid()
{
    ForgetDocSchedule();
    m_regainedLeaves.clear();
    CProjectDoc* pDoc = GetDocument();
    m_Grid.AttachTreeColumn(&m_TreeColumn, &m_BtnDataBase);
    if (pDoc)
        FillChildren(NULL, 1);

    RenumberRows();

    // Blank rows down to the bottom of the window.
    int nFixedHeight = m_Grid.GetFixedRowHeight();
    if (nFixedHeight > 0 && m_Grid.GetSafeHwnd())
    {
        CRect rect;
        m_Grid.GetClientRect(&rect);
        int n = (rect.Height() + 2 * nFixedHeight) / nFixedHeight - m_Grid.GetRowCount();
        for (int i = 0; i < n; i++)
            m_Grid.InsertTaskRow(-1, NULL, 1, 0, _T(""), -1, 0.0, COleDateTime(), COleDateTime(), _T(""));
    }
    KeepBlankRowBelowTasks();

    BuildSuccessorLists(FALSE);
    LockSummaryRows();
    m_TreeColumn.RefreshRowHeights();
}

void CTaskTreeView::FillChildren(CTaskItem* pParent, int nLevel)
{
    CProjectDoc* pDoc = GetDocument();
    CTaskItemList& list = pParent ? pParent->m_listChildren : pDoc->m_listTasks;
    POSITION pos = list.GetHeadPosition();
    while (pos != NULL)
    {
        CTaskItem* pTask = list.GetNext(pos);
        if (!pTask)
            continue;
        const CString strPred = TaskPredecessorText(pTask);
        const double dDays = pTask->m_nDuration / 86400.0;
        if (pTask->m_nRowInGrid <= 0)
        {
            pDoc->m_nMaxRowInGrid++;
            pTask->m_nRowInGrid = m_Grid.InsertTaskRow(pDoc->m_nMaxRowInGrid, pTask, 1, pTask->m_nStatus, pTask->m_strName,
                                                       nLevel, dDays, pTask->m_dtStart, pTask->m_dtFinish, strPred);
        }
        else
        {
            // Blank rows up to the stored one, then the task is written there.
            const int nRows = m_Grid.GetRowCount();
            for (int i = nRows; i <= pTask->m_nRowInGrid; i++)
                m_Grid.InsertTaskRow(-1, NULL, 1, 0, _T(""), -1, 0.0, COleDateTime(), COleDateTime(), _T(""));
            m_Grid.SetTaskRow(pTask->m_nRowInGrid, pTask, 1, pTask->m_nStatus, pTask->m_strName, nLevel, dDays,
                              pTask->m_dtStart, pTask->m_dtFinish, strPred);
        }
        if (!pTask->m_listChildren.IsEmpty())
            FillChildren(pTask, nLevel + 1);
    }
}

int CTaskTreeView::GetTaskCount()
{
    CProjectDoc* pDoc = GetDocument();
    return pDoc ? pDoc->m_nMaxRowInGrid : 0;
}

int CTaskTreeView::GetTaskId(int nRow)
{
    CGridCellBase* pCell = m_Grid.GetCell(nRow, 0);
    if (!pCell || !pCell->GetTask())
        return -1;
    return pCell->GetTask()->m_nTaskID;
}

CGanttBarViewHooks* CTaskTreeView::FirstGanttBarView()
{
    CDocument* pDoc = CView::GetDocument();
    if (!pDoc)
        return NULL;
    POSITION pos = pDoc->GetFirstViewPosition();
    while (pos != NULL)
    {
        CView* pView = pDoc->GetNextView(pos);
        if (CGanttBarViewHooks* pBar = dynamic_cast<CGanttBarViewHooks*>(pView))
            return pBar;
    }
    return NULL;
}

void CTaskTreeView::HoldLayouts(BOOL bHold)
{
    if (bHold)
    {
        m_nLayoutHold++;
        return;
    }
    if (m_nLayoutHold <= 0 || --m_nLayoutHold > 0)
        return;
    if (!m_heldSettle.empty())
    {
        std::vector<CTaskItem*> changed;
        changed.swap(m_heldSettle);
        if (SettleTasks(changed))
            SyncGanttRows(0, TRUE);
    }
    if (!m_bLayoutPending)
        return;
    m_bLayoutPending = FALSE;
    const BOOL bModified = m_bLayoutModified;
    m_bLayoutModified = FALSE;
    SyncGanttRows(0, bModified);
}

void CTaskTreeView::SyncGanttRows(int /*nRow*/, int nModified)
{
    if (m_nLayoutHold > 0)
    {
        m_bLayoutPending = TRUE;
        m_bLayoutModified = m_bLayoutModified || nModified;
        return;
    }
    int nTop = 0;
    if (m_Grid.GetSafeHwnd())
        nTop = m_Grid.GetVisibleNonFixedCellRange().GetMinRow() - 1;
    if (nTop < 0)
        nTop = 0;
    TRACE("Grid Current Row: %d\n", nTop);

    // The rows' heights are read again only after one of them, or the rows, changed.
    const int nRows = m_Grid.GetRowCount();
    const unsigned nHeights = m_Grid.RowHeightChanges();
    if (!m_bCollapsedRowsKept || nHeights != m_nCollapsedRowsHeights || nRows != m_nCollapsedRowsCount)
    {
        m_arrCollapsedRows.SetSize(0, nRows > 64 ? nRows : 64);
        for (int row = 0; row < nRows; row++)
            if (m_Grid.GetRowHeight(row) <= 0)
                m_arrCollapsedRows.Add((UINT)row);
        m_bCollapsedRowsKept = TRUE;
        m_nCollapsedRowsHeights = nHeights;
        m_nCollapsedRowsCount = nRows;
    }
    const UINT* pCollapsed = m_arrCollapsedRows.GetData();
    nTop -= (int)(std::lower_bound(pCollapsed, pCollapsed + m_arrCollapsedRows.GetSize(), (UINT)nTop) - pCollapsed);
    if (nTop < 0)
        nTop = 0;
    m_nTopRow = nTop;
    TRACE("Grid Current Row: %d\n", nTop);

    CProjectDoc* pDoc = GetDocument();
    if (nModified && pDoc)
        pDoc->SetModifiedFlag(TRUE);
    if (CGanttBarViewHooks* pBar = FirstGanttBarView())
        pBar->SetCollapsedRows(m_arrCollapsedRows, m_nTopRow);
}

void CTaskTreeView::HandChartChanges(unsigned long long nFrom, std::vector<CTaskItem*> tasks)
{
    CGanttBarViewHooks* pBar = FirstGanttBarView();
    if (!pBar)
        return;
    tasks.erase(std::remove(tasks.begin(), tasks.end(), nullptr), tasks.end());
    std::sort(tasks.begin(), tasks.end(), [](const CTaskItem* x, const CTaskItem* y) {
        return x->m_nRowInGrid != y->m_nRowInGrid ? x->m_nRowInGrid < y->m_nRowInGrid : x < y;
    });
    tasks.erase(std::unique(tasks.begin(), tasks.end()), tasks.end());
    pBar->TasksChanged(tasks, nFrom);
}

void CTaskTreeView::ShowTaskChange(CTaskItem* pTask)
{
    CProjectDoc* pDoc = GetDocument();
    if (!pDoc || !pTask || pDoc->ScheduleStale())
        return;
    // (A task not yet in the tree comes to the chart with the change of rows that takes it in.)
    // The settle settles nothing more: it reports the change.
    pDoc->Schedule().ShownChanged(pTask);
    SettleTasks({});
}

void CTaskTreeView::UpdateGanttViews(CTaskItem* pTask)
{
    CDocument* pDoc = CView::GetDocument();
    if (!pDoc)
        return;
    POSITION pos = pDoc->GetFirstViewPosition();
    while (pos != NULL)
    {
        CView* pView = pDoc->GetNextView(pos);
        if (CGanttBarViewHooks* pBar = dynamic_cast<CGanttBarViewHooks*>(pView))
            pBar->EnsureTaskVisible(pTask);
    }
}

// ---- small helpers -------------------------------------------------------------------------

CTaskItem* CTaskTreeView::RowTask(int nRow) const
{
    return m_Grid.GetRowTask(nRow);
}

CTaskItem* CTaskTreeView::NamedRowTask(int nRow) const
{
    CTaskItem* pTask = m_Grid.GetRowTask(nRow);
    if (!pTask)
        return NULL;
    CGridCellBase* pName = m_Grid.GetCell(nRow, 2);
    if (!pName || !pName->GetText() || !*pName->GetText())
        return NULL;
    return pTask;
}

int CTaskTreeView::RowLevel(int nRow)
{
    return TreeCellLevel(m_Grid.GetCell(nRow, 2));
}

CString CTaskTreeView::CellText(int nRow, int nCol)
{
    return m_Grid.GetItemText(nRow, nCol);
}

BOOL CTaskTreeView::IsCellEmpty(int nRow, int nCol) const
{
    CGridCellBase* pCell = m_Grid.GetCell(nRow, nCol);
    LPCTSTR pszText = pCell ? pCell->GetText() : NULL;
    return pszText == NULL || *pszText == 0;
}

void CTaskTreeView::SetCellDate(int nRow, int nCol, const COleDateTime& date)
{
    m_Grid.SetItemText(nRow, nCol, CGridDateTimeCtrl::FormatDate(date));
    m_Grid.RedrawCell(nRow, nCol);
}

void CTaskTreeView::SetCellDays(int nRow, int nDays)
{
    CString strDays;
    strDays.Format(_T("%d个工作日"), nDays);
    m_Grid.SetItemText(nRow, 3, strDays);
    m_Grid.RedrawCell(nRow, 3);
}

void CTaskTreeView::SendTaskChanged(CTaskItem* pTask, int nRow, int nCol)
{
    SendMessage(WM_GRID_TASKCHANGED, (WPARAM)pTask, MAKELONG(nRow, nCol));
}

void CTaskTreeView::MarkModified(CTaskItem* pTask)
{
    if (pTask && pTask->m_nFlag == FLAG_UNCHANGED)
    {
        pTask->m_nFlag = FLAG_MODIFIED;
    }
}
