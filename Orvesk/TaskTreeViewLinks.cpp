// The task tree view: the link checks for the grid's candidate lists and the chart's link
// drags.
#include "TaskTreeView.h"

#include <algorithm>
#include <memory>

#include "GridTreeCell.h"
#include "ReadAhead.h"
#include "TaskItem.h"
#include "TaskLinkCheck.h"
#include "ProjectDoc.h"
#include "TaskScheduleGraph.h"

BOOL CTaskTreeView::s_bVerifyScheduleGraph = FALSE;
int CTaskTreeView::s_nStaleScheduleGraphs = 0;

const std::vector<CTaskItem*>& CTaskTreeView::KeptTaskRows() const
{
    const std::vector<CTaskItem*>& rows = m_Grid.RowTasks();
    if (s_bVerifyScheduleGraph)
    {
        for (size_t row = 1; row < rows.size(); row++)
        {
            CGridCellBase* pHead = m_Grid.GetCell((int)row, 0);
            if (rows[row] != (pHead ? pHead->GetTask() : NULL))
            {
                s_nStaleScheduleGraphs++;
                break;
            }
        }
    }
    return rows;
}

std::vector<CTaskItem*> CTaskTreeView::TaskRows() const
{
    // The grid's kept table (read again only after a change it cannot follow).
    std::vector<CTaskItem*> rows = KeptTaskRows();
    if (!rows.empty())
        rows[0] = nullptr;
    return rows;
}

const CScheduleGraph& CTaskTreeView::ScheduleGraph()
{
    if (m_pScheduleGraph && (int)m_pScheduleGraph->rows.size() != (m_Grid.GetRowCount() > 0 ? m_Grid.GetRowCount() : 0))
        m_pScheduleGraph.reset();
    if (m_pScheduleGraph && s_bVerifyScheduleGraph)
    {
        CScheduleGraph fresh;
        fresh.Build(TaskRows());
        if (!(fresh == *m_pScheduleGraph))
            s_nStaleScheduleGraphs++;
    }
    if (!m_pScheduleGraph)
    {
        m_pScheduleGraph = std::make_unique<CScheduleGraph>();
        m_pScheduleGraph->Build(TaskRows());
    }
    return *m_pScheduleGraph;
}

const CScheduleGraph& CTaskTreeView::ScheduleGraphOfRows(const std::vector<CTaskItem*>& rows)
{
    if (m_pScheduleGraph && m_pScheduleGraph->rows != rows)
        m_pScheduleGraph.reset();
    if (!m_pScheduleGraph && (int)rows.size() == (m_Grid.GetRowCount() > 0 ? m_Grid.GetRowCount() : 0))
    {
        m_pScheduleGraph = std::make_unique<CScheduleGraph>();
        m_pScheduleGraph->Build(rows);
    }
    return ScheduleGraph();
}

void CTaskTreeView::InvalidateScheduleGraph()
{
    m_pScheduleGraph.reset();
    ForgetDocSchedule();
}

void CTaskTreeView::ForgetDocSchedule(BOOL bLinks)
{
    // The document's schedule follows the rows, tree and links: taken in afresh whenever
    // they change as this graph is dropped for (a task named into a blank row joins the
    // tree only with the change of rows that follows).
    if (CProjectDoc* pDoc = GetDocument())
        pDoc->ForgetSchedule(bLinks != FALSE);
}

void CTaskTreeView::PutNewTaskIntoGraph(int nRow, CTaskItem* pTask)
{
    std::unique_ptr<CScheduleGraph> pGraph = std::move(m_pScheduleGraph);
    if (pGraph && (int)pGraph->rows.size() == m_Grid.GetRowCount() && pGraph->PutNewTask(nRow, pTask))
        KeepGraph(pGraph);
}

namespace
{
// The rows whose dates follow from the task of nRow, on the kept graph: each row reached is
// checked against the grid, and a graph found out of date is built again.
std::vector<char> RowsAfter(CTaskTreeView& view, int nRow)
{
    const CScheduleGraph& graph = view.ScheduleGraph();
    std::vector<char> after = ScheduleReachedRows(graph, nRow);
    for (int r = 1; r < (int)after.size(); r++)
        if (after[(size_t)r] && !graph.Holds(r, view.GetGrid().GetRowTask(r)))
        {
            view.InvalidateScheduleGraph();
            return ScheduleReachedRows(view.ScheduleGraph(), nRow);
        }
    return after;
}

// The link checks of a successor row on the kept graph; on the grid's rows themselves while
// some task does not sit in the row it records (the graph finds such a child, the checks
// do not).
struct CLinkCheckOfRow
{
    std::vector<CTaskItem*> rows;
    std::unique_ptr<CTaskLinkCheck> pCheck;

    CLinkCheckOfRow(CTaskTreeView& view, int nSuccRow)
    {
        const CScheduleGraph& graph = view.ScheduleGraph();
        if (graph.moved.empty())
            pCheck = std::make_unique<CTaskLinkCheck>(graph, nSuccRow);
        else
        {
            rows = view.TaskRows();
            pCheck = std::make_unique<CTaskLinkCheck>(rows, nSuccRow);
        }
    }
};
} // namespace

BOOL CTaskTreeView::CheckTaskLink(int nSuccRow, int nPredRow, CString& strMessage)
{
    strMessage.Empty();
    // The rows after the task first: a graph found out of date is built again before the
    // checks read it.
    const std::vector<char> after = RowsAfter(*this, nSuccRow);
    const CLinkCheckOfRow check(*this, nSuccRow);
    int nVerdict = check.pCheck->Check(nPredRow);
    // Beyond the single steps the checks look at: a predecessor whose dates already follow
    // from the task's, through any number of links and summaries, would close a cycle.
    if (nVerdict == CTaskLinkCheck::linkOK && nPredRow > 0 && nPredRow < (int)after.size() && after[(size_t)nPredRow])
        nVerdict = CTaskLinkCheck::linkCycle;
    strMessage = CTaskLinkCheck::LinkMessage(nVerdict);
    return nVerdict == CTaskLinkCheck::linkOK;
}

std::vector<CTaskItem*> CTaskTreeView::NamedRowTasks(const std::vector<int>& rows) const
{
    std::vector<CTaskItem*> named;
    named.reserve(rows.size());
#ifdef GRIDCTRL_PREDTASK
    if (m_Grid.GetVirtualMode())
    {
        // (A virtual grid hands its cells out one at a time.)
        for (int row : rows)
            if (CTaskItem* pTask = NamedRowTask(row))
                named.push_back(pTask);
        return named;
    }
#endif
    // The rows' name cells and their texts lie scattered in memory: each step from row to
    // cell to text is taken for a block of rows before the next, so that the block's reads
    // overlap instead of waiting one by one. The same answers as NamedRowTask row by row.
    const size_t kBlock = 32;
    CGridCellBase* cells[kBlock];
    LPCTSTR texts[kBlock];
    for (size_t first = 0; first < rows.size(); first += kBlock)
    {
        const size_t n = std::min(kBlock, rows.size() - first);
        for (size_t k = 0; k < n; k++)
        {
            cells[k] = m_Grid.GetCell(rows[first + k], 2);
            // The whole cell (its text lies past its first line).
            if (cells[k])
                for (size_t nByte = 0; nByte < sizeof(CGridTreeCell); nByte += 64)
                    __builtin_prefetch(reinterpret_cast<const char*>(cells[k]) + nByte);
        }
        for (size_t k = 0; k < n; k++)
            texts[k] = cells[k] ? cells[k]->GetText() : NULL;
        for (size_t k = 0; k < n; k++)
            if (texts[k])
                __builtin_prefetch(texts[k]);
        for (size_t k = 0; k < n; k++)
            if (texts[k] && *texts[k])
                if (CTaskItem* pTask = m_Grid.GetRowTask(rows[first + k]))
                    named.push_back(pTask);
    }
    return named;
}

void CTaskTreeView::GetLinkableTasks(int nRow, CStringArray& arrNames, CUIntArray& arrIds)
{
    const std::vector<char> after = RowsAfter(*this, nRow);
    const CLinkCheckOfRow check(*this, nRow);
    const int nRows = (int)after.size();
    // The rows the checks allow, decided on flat arrays by row; only those rows are then read
    // in the grid, and only the named ones' tasks.
    std::vector<int> allowed;
    allowed.reserve((size_t)nRows);
    for (int row = 1; row < nRows; row++)
        if (row != nRow && !after[(size_t)row] && check.pCheck->Check(row) == CTaskLinkCheck::linkOK)
            allowed.push_back(row);
    const std::vector<CTaskItem*> named = NamedRowTasks(allowed);
    arrNames.SetSize((INT_PTR)named.size());
    arrIds.SetSize((INT_PTR)named.size());
    for (size_t i = 0; i < named.size(); i++)
    {
        // Each task asked for sixteen places ahead, its name's text eight places ahead (its
        // pointer read from the task asked for before).
        ReadAheadOf<16>(named, i, &CTaskItem::m_strName, &CTaskItem::m_nTaskID);
        if (i + 8 < named.size())
            __builtin_prefetch(named[i + 8]->m_strName.GetString());
        arrNames[(INT_PTR)i] = named[i]->m_strName;
        arrIds[(INT_PTR)i] = (UINT)named[i]->m_nTaskID;
    }
}
