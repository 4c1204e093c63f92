// The task grid's task tip: the delayed title tip the grid creates through its task-tip
// factory (installed for this library's grids when the library loads). The grid's state tip
// shows its texts through Show.
#pragma once

#include <ClassLib/AfxWin.h>

#include "GridTaskHooks.h"
#include "Gantt_src/GanttTitleTip.h"

class AFX_EXT_CLASS CGanttTaskTip : public CGridTaskTipHooks
{
public:
    BOOL CreateTip(CWnd* pGrid) override;
    void Hide() override;
    void DestroyTip() override;

    // Arms the delayed tip for the text over the anchor (grid client coordinates).
    void Show(const CRect& rcAnchor, LPCTSTR lpszText, int nXOffset, const CRect* pHover, const LOGFONT* pFont,
              COLORREF crText, COLORREF crBack) override;
    CGanttTitleTip& GetTip() { return m_tip; }

private:
    CGanttTitleTip m_tip;
};

// The task tip of a grid (NULL when the grid has none or another kind).
AFX_EXT_API CGanttTaskTip* GanttGetTaskTip(CGridCtrl* pGrid);
