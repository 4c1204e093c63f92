// The task tree view: the link checks for the grid's candidate lists and the chart's link
// drags.
#include "TaskTreeView.h"

#include "TaskItem.h"
#include "TaskLinkCheck.h"
#include "TaskScheduleGraph.h"

std::vector<CTaskItem*> CTaskTreeView::TaskRows() const
{
    const int nRows = m_Grid.GetRowCount();
    std::vector<CTaskItem*> rows(nRows > 0 ? nRows : 0, nullptr);
    for (int row = 1; row < nRows; row++)
        rows[row] = RowTask(row);
    return rows;
}

BOOL CTaskTreeView::s_bVerifyScheduleGraph = FALSE;
int CTaskTreeView::s_nStaleScheduleGraphs = 0;

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

BOOL CTaskTreeView::CheckTaskLink(int nSuccRow, int nPredRow, CString& strMessage)
{
    strMessage.Empty();
    const std::vector<CTaskItem*> rows = TaskRows();
    const CTaskLinkCheck check(rows, nSuccRow);
    int nVerdict = check.Check(nPredRow);
    // Beyond the single steps the checks look at: a predecessor whose dates already follow
    // from the task's, through any number of links and summaries, would close a cycle.
    if (nVerdict == CTaskLinkCheck::linkOK && nPredRow > 0 && nPredRow < (int)rows.size())
    {
        // On the kept graph, each row it reached checked against the grid: a graph found out
        // of date is built again.
        std::vector<char> after = ScheduleReachedRows(ScheduleGraph(), nSuccRow);
        for (int r = 1; r < (int)rows.size(); r++)
            if (after[(size_t)r] && !ScheduleGraph().Holds(r, rows[(size_t)r]))
            {
                InvalidateScheduleGraph();
                after = ScheduleReachedRows(ScheduleGraph(), nSuccRow);
                break;
            }
        if (after[(size_t)nPredRow])
            nVerdict = CTaskLinkCheck::linkCycle;
    }
    strMessage = CTaskLinkCheck::LinkMessage(nVerdict);
    return nVerdict == CTaskLinkCheck::linkOK;
}

void CTaskTreeView::GetLinkableTasks(int nRow, CStringArray& arrNames, CUIntArray& arrIds)
{
    const std::vector<CTaskItem*> rows = TaskRows();
    // Room for every row at once: grown a step at a time, a long list is copied again and
    // again.
    arrNames.SetSize(0, (INT_PTR)rows.size());
    arrIds.SetSize(0, (INT_PTR)rows.size());
    const CTaskLinkCheck check(rows, nRow);
    CScheduleGraph graph;
    graph.Build(rows);
    const std::vector<char> after = ScheduleReachedRows(graph, nRow);
    for (int row = 1; row < (int)rows.size(); row++)
    {
        if (row == nRow)
            continue;
        CTaskItem* pTask = NamedRowTask(row);
        if (!pTask || after[(size_t)row] || check.Check(row) != CTaskLinkCheck::linkOK)
            continue;
        arrNames.Add(pTask->m_strName);
        arrIds.Add((UINT)pTask->m_nTaskID);
    }
}
