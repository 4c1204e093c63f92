// The task tree view: the link checks for the grid's candidate lists and the chart's link
// drags.
#include "TaskTreeView.h"

#include "TaskItem.h"
#include "TaskLinkCheck.h"

std::vector<CTaskItem*> CTaskTreeView::TaskRows() const
{
    const int nRows = m_Grid.GetRowCount();
    std::vector<CTaskItem*> rows(nRows > 0 ? nRows : 0, nullptr);
    for (int row = 1; row < nRows; row++)
        rows[row] = RowTask(row);
    return rows;
}

BOOL CTaskTreeView::CheckTaskLink(int nSuccRow, int nPredRow, CString& strMessage)
{
    strMessage.Empty();
    const std::vector<CTaskItem*> rows = TaskRows();
    const CTaskLinkCheck check(rows, nSuccRow);
    const int nVerdict = check.Check(nPredRow);
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
    for (int row = 1; row < (int)rows.size(); row++)
    {
        if (row == nRow)
            continue;
        CTaskItem* pTask = NamedRowTask(row);
        if (!pTask || check.Check(row) != CTaskLinkCheck::linkOK)
            continue;
        arrNames.Add(pTask->m_strName);
        arrIds.Add((UINT)pTask->m_nTaskID);
    }
}
