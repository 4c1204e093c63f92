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
#include "ProjectSchedule.h"

const std::vector<CTaskItem*>& CTaskTreeView::KeptTaskRows() const
{
    return m_Grid.RowTasks();
}

std::vector<CTaskItem*> CTaskTreeView::TaskRows() const
{
    // The grid's kept table (read again only after a change it cannot follow).
    std::vector<CTaskItem*> rows = KeptTaskRows();
    if (!rows.empty())
        rows[0] = nullptr;
    return rows;
}

void CTaskTreeView::ForgetDocSchedule(BOOL bLinks)
{
    // The document's schedule follows the rows, tree and links: taken in afresh whenever
    // they change outside its own operations (a task named into a blank row joins the tree
    // only with the change of rows that follows).
    if (CProjectDoc* pDoc = GetDocument())
        pDoc->ForgetSchedule(bLinks != FALSE);
}

namespace
{
// The document's schedule as the link checks read it: its rows must be the grid's (the grid
// holds blank rows past the last task too); a schedule of other rows is taken in again.
const CProjectSchedule* LinkSchedule(CTaskTreeView& view)
{
    CProjectDoc* pDoc = view.GetDocument();
    if (!pDoc)
        return nullptr;
    auto inStep = [&view](const CProjectSchedule& schedule) {
        const std::vector<CTaskItem*>& rows = schedule.Rows();
        const std::vector<CTaskItem*>& grid = view.KeptTaskRows();
        if (rows.size() > grid.size())
            return false;
        for (size_t r = 1; r < grid.size(); r++)
            if (grid[r] != (r < rows.size() ? rows[r] : nullptr))
                return false;
        return true;
    };
    if (inStep(pDoc->Schedule()))
        return &pDoc->Schedule();
    view.ForgetDocSchedule();
    return inStep(pDoc->Schedule()) ? &pDoc->Schedule() : nullptr;
}

// The link checks of a successor row and the rows whose dates follow from its task, on the
// document's schedule; on the grid's rows themselves while the schedule cannot hold them as
// the grid does (a task in a row its tree order does not give: the checks alone then).
struct CLinkCheckOfRow
{
    std::vector<CTaskItem*> rows;
    std::unique_ptr<CTaskLinkCheck> pCheck;
    std::vector<char> after;

    CLinkCheckOfRow(CTaskTreeView& view, int nSuccRow)
    {
        if (const CProjectSchedule* pSchedule = LinkSchedule(view))
        {
            after = pSchedule->ReachedRows(nSuccRow);
            pCheck = std::make_unique<CTaskLinkCheck>(*pSchedule, nSuccRow);
        }
        else
        {
            rows = view.TaskRows();
            pCheck = std::make_unique<CTaskLinkCheck>(rows, nSuccRow);
            after.assign(rows.size(), 0);
        }
    }
};
} // namespace

BOOL CTaskTreeView::CheckTaskLink(int nSuccRow, int nPredRow, CString& strMessage)
{
    strMessage.Empty();
    const CLinkCheckOfRow check(*this, nSuccRow);
    const std::vector<char>& after = check.after;
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
    const CLinkCheckOfRow check(*this, nRow);
    const std::vector<char>& after = check.after;
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
