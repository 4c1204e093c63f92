// Grid window: its tip windows and its drop-target registration. The grid's own text tip
// and drop target come with the mouse handling; the task tip comes from the task views'
// factory (GridSetTaskTipFactory).
#include "GridCtrl.h"

void CGridCtrl::CreateTips()
{
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
    if (m_pTaskTip)
    {
        m_pTaskTip->DestroyTip();
        delete m_pTaskTip;
        m_pTaskTip = NULL;
    }
}

void CGridCtrl::HideTitleTip()
{
}

void CGridCtrl::RegisterDropTarget()
{
}
