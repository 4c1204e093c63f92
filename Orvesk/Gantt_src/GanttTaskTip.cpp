#include "Gantt_src/GanttTaskTip.h"

#include "GridCtrl.h"

namespace {

CGridTaskTipHooks* CreateGanttTaskTip() { return new CGanttTaskTip; }

// The grids of this library get the task tip from the start.
struct InstallTaskTip
{
    InstallTaskTip() { GridSetTaskTipFactory(&CreateGanttTaskTip); }
} g_installTaskTip;

} // namespace

BOOL CGanttTaskTip::CreateTip(CWnd* pGrid)
{
    if (pGrid == NULL || !m_tip.Create(pGrid))
        return FALSE;
    m_tip.SetOption(1);
    return TRUE;
}

void CGanttTaskTip::Hide() { m_tip.Hide(); }

void CGanttTaskTip::DestroyTip()
{
    if (m_tip.GetSafeHwnd() != NULL)
        m_tip.DestroyWindow();
}

void CGanttTaskTip::Show(const CRect& rcAnchor, LPCTSTR lpszText, int nXOffset, const CRect* pHover,
                         const LOGFONT* pFont, COLORREF crText, COLORREF crBack)
{
    CRect rcHover = pHover != NULL ? *pHover : CRect();
    m_tip.Show(rcAnchor, lpszText, nXOffset, pHover != NULL ? &rcHover : NULL, pFont, crText, crBack);
}

CGanttTaskTip* GanttGetTaskTip(CGridCtrl* pGrid)
{
    return pGrid != NULL ? dynamic_cast<CGanttTaskTip*>(pGrid->GetTaskTip()) : NULL;
}
