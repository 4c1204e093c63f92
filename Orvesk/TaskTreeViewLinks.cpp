// The task tree view: the link checks for the grid's candidate lists and the chart's link
// drags.
#include "TaskTreeView.h"

#include <memory>

#include "TaskItem.h"
#include "TaskLinkCheck.h"
#include "TaskScheduleGraph.h"

BOOL CTaskTreeView::s_bVerifyScheduleGraph = FALSE;
int CTaskTreeView::s_nStaleScheduleGraphs = 0;

std::vector<CTaskItem*> CTaskTreeView::TaskRows() const
{
    // The grid's kept table (read again only after a change it cannot follow).
    std::vector<CTaskItem*> rows = m_Grid.RowTasks();
    if (!rows.empty())
        rows[0] = nullptr;
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

void CTaskTreeView::GetLinkableTasks(int nRow, CStringArray& arrNames, CUIntArray& arrIds)
{
    const std::vector<char> after = RowsAfter(*this, nRow);
    const CLinkCheckOfRow check(*this, nRow);
    const int nRows = (int)after.size();
    // Room for every row at once: grown a step at a time, a long list is copied again and
    // again.
    arrNames.SetSize(0, (INT_PTR)nRows);
    arrIds.SetSize(0, (INT_PTR)nRows);
    for (int row = 1; row < nRows; row++)
    {
        if (row == nRow || after[(size_t)row] || check.pCheck->Check(row) != CTaskLinkCheck::linkOK)
            continue;
        CTaskItem* pTask = NamedRowTask(row);
        if (!pTask)
            continue;
        arrNames.Add(pTask->m_strName);
        arrIds.Add((UINT)pTask->m_nTaskID);
    }
}
