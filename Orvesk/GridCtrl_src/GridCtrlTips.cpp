// Grid window: its tip windows and its drop target. The title tip shows a cell's whole
// text; the task tip comes from the task views' factory (GridSetTaskTipFactory).
#include "GridCtrl.h"
#include "GridDropTarget.h"
#include "GridEditHooks.h"
#include "TitleTip.h"

void CGridCtrl::CreateTips()
{
    if (!GridGetEditorHooks())
        GridSetEditorHooks(GridDefaultEditorHooks());

    if (m_bTitleTips && !m_pTitleTip)
    {
        CTitleTip* pTip = new CTitleTip;
        if (pTip->Create(this))
            m_pTitleTip = pTip;
        else
            delete pTip;
    }

    if (!m_pTaskTip && GridGetTaskTipFactory())
    {
        m_pTaskTip = GridGetTaskTipFactory()();
        if (m_pTaskTip && !m_pTaskTip->CreateTip(this))
        {
            delete m_pTaskTip;
            m_pTaskTip = NULL;
        }
    }
}

void CGridCtrl::DestroyTips()
{
    if (m_pTitleTip)
    {
        CTitleTip* pTip = GetTitleTip();
        m_pTitleTip = NULL;
        if (pTip->GetSafeHwnd())
            pTip->DestroyWindow();
        delete pTip;
    }
    if (m_pTaskTip)
    {
        m_pTaskTip->DestroyTip();
        delete m_pTaskTip;
        m_pTaskTip = NULL;
    }
    if (m_pDropTarget)
    {
        m_pDropTarget->Revoke();
        delete m_pDropTarget;
        m_pDropTarget = NULL;
    }
}

void CGridCtrl::HideTitleTip()
{
    if (m_pTitleTip)
        GetTitleTip()->Hide();
}

void CGridCtrl::RegisterDropTarget()
{
    if (!m_pDropTarget)
        m_pDropTarget = new CGridDropTarget;
    if (!m_pDropTarget->IsRegistered())
        m_pDropTarget->Register(this);
}

// The window is going: the drop target lets go of it (the target itself stays until the
// grid is destroyed, and a new window registers it again).
void CGridCtrl::OnDestroy()
{
    if (m_pDropTarget)
        m_pDropTarget->Revoke();
    CWnd::OnDestroy();
}

void CGridCtrl::ShowTitleTip(int nRow, int nCol)
{
    CTitleTip* pTip = GetTitleTip();
    CGridCellBase* pCell = GetCell(nRow, nCol);
    if (!m_bTitleTips || !pTip || !pCell || !GetSafeHwnd())
        return;
    CRect rcCell;
    if (!GetCellRect(nRow, nCol, rcCell))
        return;
    CRect rcText = rcCell;
    if (!pCell->GetTipTextRect(rcText))
        return;
    pTip->Show(rcText, pCell->GetTipText(), 0, rcCell, pCell->GetFont(), m_crTitleTipTextClr,
               m_crTitleTipBackClr);
}
