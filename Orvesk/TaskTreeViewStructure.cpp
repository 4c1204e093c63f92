// The task tree view: inserted, deleted and new task rows, level and expand changes,
// indenting and outdenting, and assignees carried into the ancestors and the members.
#include "TaskTreeView.h"

#include <algorithm>

#include "GridDateTimeCtrl.h"
#include "ProjectDoc.h"
#include "ProjectSchedule.h"
#include "ReadAhead.h"
#include "ScheduleRules.h"
#include "TaskItem.h"
#include "ScheduleParts.h"
#include "TaskLinkCheck.h"

namespace
{
const COleDateTimeSpan kOneDay(1, 0, 0, 0);

// The list (the top-level list or some task's children) that holds the task.
CTaskItemList* FindOwningList(CTaskItemList& list, const CTaskItem* pTask, int nDepth)
{
    if (nDepth > 200)
        return NULL;
    POSITION pos = list.GetHeadPosition();
    while (pos != NULL)
    {
        CTaskItem* pItem = list.GetNext(pos);
        if (!pItem)
            continue;
        if (pItem == pTask)
            return &list;
        if (CTaskItemList* pFound = FindOwningList(pItem->m_listChildren, pTask, nDepth + 1))
            return pFound;
    }
    return NULL;
}

COleDateTime Today()
{
    COleDateTime now = COleDateTime::GetCurrentTime();
    return COleDateTime(now.GetYear(), now.GetMonth(), now.GetDay(), 0, 0, 0);
}
} // namespace

void CTaskTreeView::DetachTask(CTaskItem* pTask)
{
    ForgetDocSchedule();
    m_treeScratch.bKnown = FALSE;
    CProjectDoc* pDoc = GetDocument();
    if (!pTask || !pDoc)
        return;
    // A row task's children first, then the top-level list. The parent sits above the
    // task's row, within the same top-level task: the walk stops at a top-level row.
    CTaskItemList* pList = NULL;
    int nRow = pTask->m_nRowInGrid - 1;
    if (nRow >= m_Grid.GetRowCount())
        nRow = m_Grid.GetRowCount() - 1;
    for (; nRow >= 1 && !pList; nRow--)
    {
        CTaskItem* pRowTask = RowTask(nRow);
        if (pRowTask && pRowTask != pTask && pRowTask->m_listChildren.Find(pTask) != NULL)
            pList = &pRowTask->m_listChildren;
        else if (pRowTask && RowLevel(nRow) == 1)
            break;
    }
    if (!pList && pDoc->m_listTasks.Find(pTask) != NULL)
        pList = &pDoc->m_listTasks;
    if (!pList)
        pList = FindOwningList(pDoc->m_listTasks, pTask, 0);
    if (!pTask->m_listChildren.IsEmpty())
        pTask->ClearChildren();
    if (pList)
        if (POSITION pos = pList->Find(pTask))
            pList->RemoveAt(pos);
}

LRESULT CTaskTreeView::OnTaskDeleted(WPARAM wParam, LPARAM /*lParam*/)
{
    CProjectDoc* pDoc = GetDocument();
    CTaskItem* pTask = (CTaskItem*)wParam;
    if (!pTask || !pDoc)
    {
        TellScheduleBlankRowDeleted();
        SendMessage(WM_GRID_ROWSCHANGED, 0, 0);
        BuildSuccessorLists(FALSE);
        SyncGanttRows(0, TRUE);
        return 0;
    }

    const int nOldRow = pTask->m_nRowInGrid;
    const int nOldID = pTask->m_nTaskID;
    const CTaskItem* pGone = pTask;
    // A leaf goes through the schedule's own operation, before its record is put away: the
    // schedule takes it and the links naming it out and moves the rows below up, so that
    // the change of rows below finds the tree as the rows give it. Anything else (a task
    // whose children stay in the grid, a schedule to be taken in anyway) is detached here
    // and the schedule takes the rows in again.
    const BOOL bTold = TellScheduleDeleted(pTask);
    if (bTold)
        pGone = NULL;
    else
        DetachTask(pTask);
    m_regainedLeaves.erase(std::remove(m_regainedLeaves.begin(), m_regainedLeaves.end(), pTask),
                           m_regainedLeaves.end());
    m_heldSettle.erase(std::remove(m_heldSettle.begin(), m_heldSettle.end(), pTask), m_heldSettle.end());
    m_noted.erase(std::remove(m_noted.begin(), m_noted.end(), pTask), m_noted.end());
    if (pTask->m_nFlag == FLAG_NEW)
        delete pTask;
    else
    {
        pTask->m_nFlag = FLAG_REMOVED;
        pDoc->m_listDeletedTasks.AddTail(pTask);
    }
    // The other tasks' links to it go in the walk that carries the links' rows along with
    // the rows (the task, perhaps deleted, is only compared with there).
    CLinkRemap remap;
    RowsChanged(pGone, nOldID, nOldRow, FALSE, &remap);
    pTask = NULL;

    // The chart is laid out once, after the summaries have settled.
    BuildSuccessorLists(TRUE, &remap);
    pDoc->SetModifiedFlag(TRUE);
    SettleSummaries();
    SyncGanttRows(0, TRUE);
    // The nearest task above the deleted row becomes editable again once it has no
    // children left.
    int nRow = nOldRow < m_Grid.GetRowCount() ? nOldRow : m_Grid.GetRowCount() - 1;
    for (nRow = nRow - 1; nRow >= 1; nRow--)
        if (NamedRowTask(nRow))
            break;
    if (nRow >= 1)
    {
        CTaskItem* pAbove = NamedRowTask(nRow);
        if (pAbove && pAbove->m_listChildren.IsEmpty())
            SetDateCellsEditable(nRow, TRUE);
    }
    return 0;
}

BOOL CTaskTreeView::TellScheduleDeleted(CTaskItem* pTask)
{
    CProjectDoc* pDoc = GetDocument();
    if (!pDoc || pDoc->ScheduleStale() || !pTask->m_listChildren.IsEmpty())
        return FALSE;
    CProjectSchedule& schedule = pDoc->Schedule();
    if (!schedule.TakeOutTask(pTask))
        return FALSE;
    m_treeScratch.bKnown = FALSE;
    return TRUE;
}

void CTaskTreeView::TellScheduleBlankRowDeleted()
{
    // The grid tells no row: the first row where the grid and the schedule part is one the
    // blank rows before a task lost (any of them, they are alike).
    CProjectDoc* pDoc = GetDocument();
    if (!pDoc || pDoc->ScheduleStale())
        return;
    CProjectSchedule& schedule = pDoc->Schedule();
    const std::vector<CTaskItem*>& rows = KeptTaskRows();
    const std::vector<CTaskItem*>& held = schedule.Rows();
    size_t r = 1;
    while (r < held.size() && r < rows.size() && rows[r] == held[r])
        r++;
    if (r < held.size() && !held[r])
        schedule.RemoveBlankRow((int)r);
}

BOOL CTaskTreeView::TellScheduleNamed(int nRow, CTaskItem* pTask, int nLevel)
{
    // Where the rebuild of the tree would hang it: after the task nearest above, a leaf of
    // the same level (or first at the top), with no task below that would become its child.
    CProjectDoc* pDoc = GetDocument();
    if (!pDoc || pDoc->ScheduleStale())
        return FALSE;
    int nAbove = nRow - 1;
    while (nAbove >= 1 && !RowTask(nAbove))
        nAbove--;
    if (nAbove >= 1 ? RowLevel(nAbove) != nLevel : nLevel != 1)
        return FALSE;
    const int nRows = m_Grid.GetRowCount();
    int nBelow = nRow + 1;
    while (nBelow < nRows && !RowTask(nBelow))
        nBelow++;
    if (nBelow < nRows && RowLevel(nBelow) > nLevel)
        return FALSE;
    CProjectSchedule& schedule = pDoc->Schedule();
    CTaskItem* pAfter = nAbove >= 1 ? RowTask(nAbove) : NULL;
    return schedule.PutInTask(pTask, pAfter, nRow);
}

LRESULT CTaskTreeView::OnTaskInserted(WPARAM wParam, LPARAM /*lParam*/)
{
    // The schedule moves the tasks below the new blank row down itself, their links' rows
    // with them: the change of rows then finds every task in the row it stores.
    if (CProjectDoc* pDoc = GetDocument(); pDoc && !pDoc->ScheduleStale())
        pDoc->Schedule().InsertBlankRow((int)wParam);
    // The rows below the new one renumbered, then the tree rebuilt, in one change of rows.
    CLinkRemap remap;
    RowsChanged(NULL, 0, 0, TRUE, &remap);
    BuildSuccessorLists(FALSE, &remap);
    // A row number with one digit more.
    FitColumnsToTexts();
    if (CProjectDoc* pDoc = GetDocument())
        pDoc->SetModifiedFlag(TRUE);
    return 0;
}

LRESULT CTaskTreeView::OnNewTaskName(WPARAM wParam, LPARAM /*lParam*/)
{
    CProjectDoc* pDoc = GetDocument();
    const int nRow = (int)wParam;
    CGridCellBase* pHead = m_Grid.GetCell(nRow, 0);
    if (!pDoc || !pHead || nRow < 1 || pHead->GetTask())
        return 0;

    // Summaries not yet settled (as a stored project may come) are settled first: the
    // previous task's start is copied as it will stand, not as the settling below moves it.
    {
        const CLayoutHold hold(this);
        SettleSummaries();
    }
    CTaskItem* pPrevious = NULL;
    for (int row = nRow - 1; row >= 1 && !pPrevious; row--)
        pPrevious = RowTask(row);

    CTaskItem* pTask = new CTaskItem;
    pTask->m_nFlag = FLAG_NEW;
    pTask->m_nIsTask = 1;
    pTask->m_dtCreation = Today();

    const COleDateTime start = pPrevious ? pPrevious->m_dtStart : SkipRestDays(Today());
    const COleDateTime finish = start + COleDateTimeSpan(5, 0, 0, 0);
    pHead->SetTask(pTask);
    if (pHead->GetRowState() == GRIDROW_UNNAMED)
        pHead->SetRowState(GRIDROW_NEW);
    m_Grid.SetItemText(nRow, 3, _T("5个工作日"));
    m_Grid.SetItemText(nRow, 4, CGridDateTimeCtrl::FormatDate(start));
    m_Grid.SetItemText(nRow, 5, CGridDateTimeCtrl::FormatDate(finish));
    // Dates and predecessors stand right-aligned, as in the rows the fill wrote.
    for (int col = 4; col <= 6; col++)
        if (CGridCellBase* pCell = m_Grid.GetCell(nRow, col))
            pCell->SetFormat(DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);

    const auto isRest = [this](long nDay) { return IsRestDay(schedulerules::DateOf(nDay)) != FALSE; };
    schedulerules::NewTaskPlanDates(isRest, pTask, start);
    pTask->m_dtStart = start;
    pTask->m_dtFinish = finish;

    int nLevel = nRow > 1 ? RowLevel(nRow - 1) : 1;
    if (nLevel < 1)
        nLevel = 1;
    if (CGridTreeCellHooks* pTree = m_Grid.GetTreeCell(nRow, 2))
        pTree->SetLevel(nLevel);
    m_Grid.RedrawRow(nRow);
    TellScheduleNamed(nRow, pTask, nLevel);

    {
        // The chart is laid out once, when all of these are done.
        const CLayoutHold hold(this);
        for (int col = 1; col < m_Grid.GetColumnCount(); col++)
            SendTaskChanged(pTask, nRow, col);
        SendMessage(WM_GRID_ROWSCHANGED, 0, 0);
        SendTaskChanged(pTask, nRow, 4);
        SendTaskChanged(pTask, nRow, 5);
        SettleSummaries();
        SyncGanttRows(0, TRUE);
    }
    pDoc->SetModifiedFlag(TRUE);
    if (pDoc->m_nMaxRowInGrid < nRow)
        pDoc->m_nMaxRowInGrid = nRow;
    // The row named was the last: another blank one comes below it.
    if (nRow == m_Grid.GetRowCount() - 1)
    {
        KeepBlankRowBelowTasks();
        FitColumnsToTexts();
    }
    UpdateGanttViews(pTask);
    return 0;
}

void CTaskTreeView::KeepBlankRowBelowTasks()
{
    const int nLast = m_Grid.GetRowCount() - 1;
    if (nLast >= 1 && RowTask(nLast) == NULL)
        return;
    m_Grid.InsertTaskRow(-1, NULL, 1, 0, _T(""), -1, 0.0, COleDateTime(), COleDateTime(), _T(""));
}

void CTaskTreeView::OnEditTaskDelete()
{
    m_Grid.ForgetRightClick();
    m_Grid.OnDeleteTask();
}

void CTaskTreeView::OnEditTaskProperty()
{
    m_Grid.ForgetRightClick();
    m_Grid.OnTaskProperty();
}

void CTaskTreeView::OnUpdateEditTaskCommand(CCmdUI* pCmdUI)
{
    const CGridCellId cell = m_Grid.GetFocusCell();
    pCmdUI->Enable(m_Grid.IsValid(cell) && cell.row >= 1 && cell.col >= 1);
}

BOOL CTaskTreeView::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    switch (nID)
    {
    case ID_EDIT_CUT:
    case ID_EDIT_COPY:
    case ID_EDIT_PASTE:
    case ID_GRID_MENU_CUT:
    case ID_GRID_MENU_COPY:
    case ID_GRID_MENU_PASTE:
        if (m_Grid.GetSafeHwnd() && m_Grid.OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
            return TRUE;
        break;
    default:
        break;
    }
    return CView::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

LRESULT CTaskTreeView::OnRowLevel(WPARAM wParam, LPARAM /*lParam*/)
{
    const int nRow = (int)wParam;
    if (nRow < 1 || nRow >= m_Grid.GetRowCount())
        return 0;
    const CLayoutHold hold(this);
    // The changed row and its summaries span their children, the lowest first, before the
    // rows are written again: a row the change gave children no longer has its leaf dates,
    // and a summary rolled up or settled from those would move its successors by dates it
    // never has.
    int nLevel = RowLevel(nRow) + 1;
    for (int r = nRow; r >= 1 && nLevel > 1; r--)
    {
        CTaskItem* pAbove = IsCellEmpty(r, 2) ? NULL : RowTask(r);
        if (!pAbove || RowLevel(r) >= nLevel)
            continue;
        nLevel = RowLevel(r);
        if (!pAbove->m_listChildren.IsEmpty())
            if (CProjectDoc* pDoc = GetDocument())
            {
                pDoc->Schedule().RollUp(pAbove);
                WriteRowDates(pAbove, TRUE);
            }
    }
    // The summaries the level change made leaves again take typed dates again, and those
    // that were leaves here get their own duration back: the duration cell is rewritten and
    // taken as typed, so that the finish and the successors follow (one stored as a summary
    // keeps the span it has).
    std::vector<CTaskItem*> regained;
    regained.swap(m_regainedLeaves);
    for (CTaskItem* pLeaf : regained)
    {
        const int nLeafRow = RowOfTask(pLeaf);
        if (nLeafRow < 1 || !pLeaf->m_listChildren.IsEmpty())
            continue;
        if (pLeaf->m_nOwnDuration < 0)
        {
            SetDateCellsEditable(nLeafRow, TRUE);
            continue;
        }
        CString strDays;
        strDays.Format(_T("%d个工作日"), DurationDays(pLeaf->m_nOwnDuration));
        pLeaf->m_nOwnDuration = -1;
        SetDateCellsEditable(nLeafRow, TRUE);
        m_Grid.SetItemText(nLeafRow, 3, strDays);
        SendTaskChanged(pLeaf, nLeafRow, 3);
    }
    if (nRow - 1 >= 1 && RowLevel(nRow) < RowLevel(nRow - 1))
    {
        CTaskItem* pAbove = RowTask(nRow - 1);
        SendTaskChanged(pAbove, nRow - 1, 3);
        SendTaskChanged(pAbove, nRow - 1, 4);
    }
    CTaskItem* pTask = RowTask(nRow);
    SendTaskChanged(pTask, nRow, 3);
    SendTaskChanged(pTask, nRow, 4);

    for (int row = nRow - 1; row >= 1; row--)
    {
        if (IsCellEmpty(row, 2))
            continue;
        CTaskItem* pAbove = RowTask(row);
        if (pAbove && !pAbove->m_listChildren.IsEmpty())
            SetDateCellsEditable(row, FALSE);
        break;
    }
    // The summaries the level change gave or took children.
    if (SettleSummaries())
        SyncGanttRows(0, TRUE);
    TellDroppedLinks();
    return 0;
}

LRESULT CTaskTreeView::OnExpandChanged(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    SyncGanttRows(0, FALSE);
    m_Grid.TrimEmptyRows();
    // Blank rows taken out above tasks move them up: their rows and their links' rows
    // follow, so that nothing points at a row that now holds another task.
    RenumberRows();
    BuildSuccessorLists(FALSE);
    return 0;
}

void CTaskTreeView::PropagateAssignees(int nRow)
{
    CProjectDoc* pDoc = GetDocument();
    CTaskItem* pTask = RowTask(nRow);
    if (!pDoc || !pTask)
        return;

    for (int r = nRow - 1; r >= 1; r--)
    {
        if (!IsChildRow(nRow, r))
            continue;
        CTaskItem* pAncestor = RowTask(r);
        if (pAncestor)
        {
            for (INT_PTR i = 0; i < pTask->m_arrAssignees.GetSize(); i++)
            {
                const CString& strCode = pTask->m_arrAssignees[i];
                BOOL bHeld = FALSE;
                for (INT_PTR j = 0; j < pAncestor->m_arrAssignees.GetSize() && !bHeld; j++)
                    bHeld = pAncestor->m_arrAssignees[j] == strCode;
                if (!bHeld)
                {
                    pAncestor->m_arrAssignees.Add(strCode);
                    MarkModified(pAncestor);
                }
            }
        }
        if (RowLevel(r) <= 1)
            break;
    }

    for (INT_PTR i = 0; i < pTask->m_arrAssignees.GetSize(); i++)
    {
        const CString& strCode = pTask->m_arrAssignees[i];
        BOOL bMember = FALSE;
        POSITION pos = pDoc->m_ProjectInfo.m_listMembers.GetHeadPosition();
        while (pos != NULL && !bMember)
            bMember = pDoc->m_ProjectInfo.m_listMembers.GetNext(pos).strCode == strCode;
        if (bMember)
            continue;
        pos = pDoc->m_listResources.GetHeadPosition();
        while (pos != NULL)
        {
            tagResInfo& res = pDoc->m_listResources.GetNext(pos);
            if (res.strCode == strCode)
            {
                pDoc->m_ProjectInfo.m_listMembers.AddTail(res);
                if (pDoc->m_ProjectInfo.m_nFlag == FLAG_UNCHANGED)
                    pDoc->m_ProjectInfo.m_nFlag = FLAG_MODIFIED;
                break;
            }
        }
    }
}

// ---- indent and outdent ----------------------------------------------------------------------

void CTaskTreeView::ChangeLevel(int nRow, int nLevel)
{
    CGridTreeCellHooks* pTree = m_Grid.GetTreeCell(nRow, 2);
    if (!pTree || !pTree->ChangeLevel(nLevel))
        return;
    const CLayoutHold hold(this);
    RelinkRowsAbove(nRow);
    SyncGanttRows(0, TRUE);
    SendMessage(WM_GRID_ROWLEVEL, (WPARAM)nRow, 0);
    m_Grid.RedrawCell(nRow, 2);
}

void CTaskTreeView::OnOutdent()
{
    CGridCellId cell = m_Grid.GetFocusCell();
    if (!m_Grid.IsValid(cell) || !m_Grid.GetTreeCell(cell.row, 2) || CellText(cell.row, 2).IsEmpty())
        return;
    const int nLevel = RowLevel(cell.row);
    if (nLevel > 1)
        ChangeLevel(cell.row, nLevel - 1);
}

void CTaskTreeView::OnIndent()
{
    CGridCellId cell = m_Grid.GetFocusCell();
    if (!m_Grid.IsValid(cell) || !m_Grid.GetTreeCell(cell.row, 2) || CellText(cell.row, 2).IsEmpty())
        return;
    const int nRow = cell.row;
    const int nLevel = RowLevel(nRow);
    if (nRow <= 1 || nLevel > RowLevel(nRow - 1))
        return;
    ChangeLevel(nRow, nLevel + 1);
}

void CTaskTreeView::RemoveLink(int nRowA, int nRowB)
{
    CTaskItem* pTask = RowTask(nRowA);
    if (!pTask)
        return;
    POSITION pos = pTask->m_listLinks.GetHeadPosition();
    while (pos != NULL)
    {
        POSITION posLink = pos;
        CTaskLink* pLink = pTask->m_listLinks.GetNext(pos);
        if (pLink && pLink->m_nSuccID == nRowB)
        {
            pTask->m_listLinks.RemoveAt(posLink);
            delete pLink;
            ForgetDocSchedule();
            return;
        }
    }
}

void CTaskTreeView::RelinkRowsAbove(int nRow)
{
    // A level change only makes tasks ancestors or descendants of others: the links that
    // now join a task to its own ancestor or descendant go, every other link stays. The
    // tree and the links are the document's schedule's (it takes in the tree the level
    // change rebuilt), and the links that go are taken off through it.
    CProjectDoc* pDoc = GetDocument();
    if (!pDoc)
        return;
    CProjectSchedule& schedule = pDoc->Schedule();
    const std::vector<CTaskItem*>& rows = schedule.Rows();
    const std::vector<int>& parent = schedule.ParentRows();
    const int n = (int)rows.size();
    // TRUE when row a lies below row b in the tree.
    auto isUnder = [&](int a, int b) {
        for (int p = parent[(size_t)a]; p > 0; p = parent[(size_t)p])
            if (p == b)
                return TRUE;
        return FALSE;
    };
    // A link of the moved rows that stays may have closed a cycle through summaries (one the
    // link checks would refuse): such links go too, found below. The moved rows are the row
    // and those under it.
    const int nLevel = RowLevel(nRow);
    std::vector<char> inMoved((size_t)n, 0);
    for (int r = nRow; r > 0 && r < n; r++)
    {
        if (r > nRow && rows[(size_t)r] && RowLevel(r) <= nLevel)
            break;
        inMoved[(size_t)r] = rows[(size_t)r] != nullptr;
    }
    // The links to take away, decided before any goes, then taken off in row order.
    std::vector<std::pair<CTaskItem*, CTaskLink*>> gone;
    auto takeOff = [&]() {
        for (const auto& [pTask, pLink] : gone)
            schedule.RemoveLink(pTask, pLink);
        const BOOL bAny = !gone.empty();
        gone.clear();
        return bAny;
    };
    BOOL bLinked = FALSE;
    // The links taken away are told to the user once the walk is done.
    int nParentChild = 0;
    int nCycle = 0;
    for (int r = 1; r < n; r++)
    {
        CTaskItem* pTask = rows[(size_t)r];
        for (POSITION pos = pTask ? pTask->m_listLinks.GetHeadPosition() : NULL; pos != NULL;)
        {
            CTaskLink* pLink = pTask->m_listLinks.GetNext(pos);
            const CTaskItem* pPred = schedule.Predecessor(pLink);
            const int p = pPred ? pPred->m_nRowInGrid : 0;
            if (p > 0 && (isUnder(r, p) || isUnder(p, r)))
            {
                gone.emplace_back(pTask, pLink);
                nParentChild++;
                continue;
            }
            bLinked = bLinked || inMoved[(size_t)r] || (p > 0 && inMoved[(size_t)p]);
        }
    }
    BOOL bDropped = takeOff();
    if (bLinked)
    {
        // The strongly connected parts of what the checks of those links' successors reach
        // (a cycle through such a link lies wholly there). The order the links are reached
        // in does not change the parts.
        std::vector<int> index((size_t)(2 * n), -1), order;
        auto reach = [&](int node) {
            if (index[(size_t)node] < 0)
            {
                index[(size_t)node] = (int)order.size();
                order.push_back(node);
            }
        };
        for (int r = 1; r < n; r++)
        {
            const CTaskItem* pTask = rows[(size_t)r];
            if (!pTask || !inMoved[(size_t)r])
                continue;
            // Its own links, and those of the tasks that follow it.
            for (POSITION pos = pTask->m_listLinks.GetHeadPosition(); pos != NULL;)
                if (schedule.Predecessor(pTask->m_listLinks.GetNext(pos)))
                    reach(2 * r);
            for (const CTaskItem* pSucc : pTask->m_scheduleSuccs)
                reach(2 * pSucc->m_nRowInGrid);
        }
        std::vector<int> adjStart, adj, parts, partStart, next;
        for (size_t i = 0; i < order.size(); i++)
        {
            adjStart.push_back((int)adj.size());
            schedule.NodesAfter(order[i], next);
            for (int m : next)
            {
                reach(m);
                adj.push_back(index[(size_t)m]);
            }
        }
        adjStart.push_back((int)adj.size());
        ScheduleParts((int)order.size(), adjStart, adj, parts, partStart);
        std::vector<int> part((size_t)(2 * n), -1);
        for (size_t p = 0; p + 1 < partStart.size(); p++)
            if (partStart[p + 1] - partStart[p] > 1)
                for (int i = partStart[p]; i < partStart[p + 1]; i++)
                    part[(size_t)order[(size_t)parts[(size_t)i]]] = (int)p;
        // Only the tasks whose checks lie on such a cycle can lose a link.
        std::vector<int> onCycle;
        for (int node : order)
            if ((node & 1) == 0 && part[(size_t)node] >= 0)
                onCycle.push_back(node >> 1);
        std::sort(onCycle.begin(), onCycle.end());
        for (int r : onCycle)
        {
            CTaskItem* pTask = rows[(size_t)r];
            for (POSITION pos = pTask->m_listLinks.GetHeadPosition(); pos != NULL;)
            {
                CTaskLink* pLink = pTask->m_listLinks.GetNext(pos);
                const CTaskItem* pPred = schedule.Predecessor(pLink);
                const int p = pPred ? pPred->m_nRowInGrid : 0;
                if (p > 0 && (inMoved[(size_t)r] || inMoved[(size_t)p]) &&
                    part[2 * (size_t)r] == part[2 * (size_t)p + 1])
                {
                    gone.emplace_back(pTask, pLink);
                    nCycle++;
                }
            }
        }
        bDropped |= takeOff();
    }
    // The successor marks follow the links left.
    if (bDropped)
        BuildSuccessorLists(FALSE);
    m_nDroppedParentChild += nParentChild;
    m_nDroppedCycle += nCycle;
}

void CTaskTreeView::TellDroppedLinks()
{
    // Once the rows are settled (the box runs a message loop of its own). The links went for
    // the reasons the link check refuses a link for: its own words tell which.
    const int nParentChild = m_nDroppedParentChild;
    const int nCycle = m_nDroppedCycle;
    m_nDroppedParentChild = m_nDroppedCycle = 0;
    if (nParentChild > 0)
        AfxMessageBox(CTaskLinkCheck::LinkMessage(CTaskLinkCheck::linkParentChild), MB_OK | MB_ICONINFORMATION);
    if (nCycle > 0)
        AfxMessageBox(CTaskLinkCheck::LinkMessage(CTaskLinkCheck::linkCycle), MB_OK | MB_ICONINFORMATION);
}
