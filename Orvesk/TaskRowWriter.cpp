// The task-row hooks of the library's task grids: blank rows get the task-row cells, and a
// task record is written into a row from its fields (the row keeps its tree level).
#include "GetNumberDlg.h"
#include "GridCtrl.h"
#include "GridTaskHooks.h"
#include "TaskItem.h"
#include "TaskRowText.h"

namespace
{
class CTaskRowWriter : public CGridTaskRowHooks
{
public:
    int InsertBlankTaskRow(CGridCtrl* pGrid, int nRow) override
    {
        return pGrid->InsertTaskRow(nRow, NULL, 1, 0, _T(""), -1, 0.0, COleDateTime(), COleDateTime(), _T(""));
    }

    void WriteTaskRow(CGridCtrl* pGrid, int nRow, CTaskItem* pTask) override
    {
        if (!pTask)
            return;
        CGridTreeCellHooks* pTree = pGrid->GetTreeCell(nRow, 2);
        int nLevel = pTree ? pTree->GetLevel() : -1;
        pGrid->SetTaskRow(nRow, pTask, pTask->m_nIsTask, pTask->m_nStatus, pTask->m_strName, nLevel,
                          pTask->m_nDuration / 86400.0, pTask->m_dtStart, pTask->m_dtFinish,
                          TaskPredecessorText(pTask));
    }

    int GetTaskStatus(const CTaskItem* pTask) override { return pTask ? pTask->m_nStatus : -1; }

    INT_PTR AskRowCount(CGridCtrl* pGrid, LPCTSTR lpszPrompt, LPCTSTR lpszTitle, int& nCount) override
    {
        CGetNumberDlg dlg(pGrid);
        dlg.m_strPrompt = lpszPrompt;
        dlg.m_strTitle = lpszTitle;
        const INT_PTR nResult = dlg.DoModal();
        if (nResult == IDOK)
            nCount = dlg.m_nNumber;
        return nResult;
    }
};

CTaskRowWriter g_taskRowWriter;

// Installed when the library loads.
struct CTaskRowWriterInstaller
{
    CTaskRowWriterInstaller() { GridSetTaskRowHooks(&g_taskRowWriter); }
} g_taskRowWriterInstaller;
} // namespace
