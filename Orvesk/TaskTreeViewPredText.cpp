// The task tree view: the predecessor column typed as text. The rows typed there become
// the task's links through the link checks; the column always shows the task's links.
#include "TaskTreeView.h"

#include <algorithm>
#include <vector>

#include "InPlaceEdit.h"
#include "ProjectDoc.h"
#include "ProjectSchedule.h"
#include "TaskItem.h"

namespace
{
// Gives the links back to their list owner's destructor order: deletes each and empties.
void DeleteLinks(std::vector<CTaskLink*>& links)
{
    for (CTaskLink* pLink : links)
        delete pLink;
    links.clear();
}

void SetLinks(CTaskItem* pTask, const std::vector<CTaskLink*>& links)
{
    pTask->m_listLinks.RemoveAll();
    for (CTaskLink* pLink : links)
        pTask->m_listLinks.AddTail(pLink);
}
} // namespace

BOOL CTaskTreeView::ApplyPredecessorText(int nRow, CTaskItem* pTask)
{
    if (!pTask)
        return FALSE;

    // The rows, each once, in the order typed.
    std::vector<int> typed;
    CString strMessage;
    BOOL bOK = CInPlaceEdit::ParseRowList(CellText(nRow, 6), typed);
    std::vector<int> rows;
    for (int r : typed)
        if (std::find(rows.begin(), rows.end(), r) == rows.end())
            rows.push_back(r);
    // A row must hold a named task other than this one.
    for (int r : rows)
        if (r == nRow || !NamedRowTask(r))
            bOK = FALSE;
    if (!bOK)
        strMessage = CInPlaceEdit::CheckMessage(6);

    // The links as they are now (kept for a refusal).
    std::vector<CTaskLink*> old;
    for (POSITION pos = pTask->m_listLinks.GetHeadPosition(); pos != NULL;)
        if (CTaskLink* pLink = pTask->m_listLinks.GetNext(pos))
            old.push_back(pLink);

    // No links typed for a task that has none changes no link: the cell alone is cleared,
    // without resolving every task's links again.
    if (bOK && rows.empty() && old.empty())
    {
        if (!IsCellEmpty(nRow, 6))
            m_Grid.SetItemText(nRow, 6, _T(""));
        m_Grid.RedrawCell(nRow, 6);
        SyncGanttRows(0, FALSE);
        return TRUE;
    }

    // Each row is checked against the links taken so far, without the task's old ones. The
    // task's links are made anew: the document's schedule, while it holds the task, lets
    // each list go before it is replaced and takes the new one in.
    auto relink = [this, pTask](const std::vector<CTaskLink*>& links) {
        CProjectDoc* pDoc = GetDocument();
        CProjectSchedule* pSchedule =
            pDoc && !pDoc->ScheduleStale() && pDoc->Schedule().Holds(pTask) ? &pDoc->Schedule() : nullptr;
        if (pSchedule)
            pSchedule->LetGoLinksOf(pTask);
        SetLinks(pTask, links);
        if (pSchedule)
            pSchedule->TakeInLinksOf(pTask);
    };
    std::vector<CTaskLink*> taken;
    if (bOK)
    {
        relink({});
        BuildSuccessorLists(TRUE);
        for (int r : rows)
        {
            if (!CheckTaskLink(nRow, r, strMessage))
            {
                bOK = FALSE;
                break;
            }
            auto it = std::find_if(old.begin(), old.end(), [r](const CTaskLink* p) { return p->m_nSuccID == r; });
            CTaskLink* pLink = it != old.end() ? new CTaskLink(**it) : new CTaskLink;
            if (it == old.end())
            {
                pLink->m_nType = 1;
                pLink->m_nLogicalType = 0;
                pLink->m_nSequence = 0;
                pLink->m_nLag = 0;
            }
            const CTaskItem* pPred = NamedRowTask(r);
            pLink->m_nPredID = pPred->m_nTaskID;
            pLink->m_strPredName = pPred->m_strName;
            pLink->m_nSuccID = r;
            taken.push_back(pLink);
            relink(taken);
            BuildSuccessorLists(TRUE);
        }
    }

    if (!bOK)
    {
        relink(old);
        DeleteLinks(taken);
        // The column shows the task's links again (BuildSuccessorLists writes it).
        BuildSuccessorLists(FALSE);
        m_Grid.RedrawCell(nRow, 6);
        AfxMessageBox(strMessage, MB_OK | MB_ICONINFORMATION);
        return FALSE;
    }

    relink(taken);
    DeleteLinks(old);
    BuildSuccessorLists(FALSE);
    m_Grid.RedrawCell(nRow, 6);
    // The task moves behind its predecessors as far as the links ask.
    for (int r : rows)
        PropagateDates(r);
    return TRUE;
}
