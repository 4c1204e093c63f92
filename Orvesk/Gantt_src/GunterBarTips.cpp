// The chart's tips (a bar's description, a scale cell's dates) and its vertical scrolling
// in step with the task tree.
#include "Gantt_src/GunterBar.h"

#include "Gantt_src/TaskShapes.h"
#include "Gantt_src/TimeScale.h"
#include "GanttBarView.h"
#include "TaskItem.h"
#include "TaskTreeView.h"

#include <ClassLib/Wnd/ScrollBar.h>

#include <vector>

CString CGunterBar::GetTipText(CPoint point)
{
    if (point.y > GANTT_SCALE_HEIGHT) {
        const CPoint ptLogical = ToLogical(point);
        std::vector<CTaskBase*> shapes;
        GetShapesInBand(ptLogical.y - 2 * GANTT_ROW_HEIGHT, ptLogical.y + 2 * GANTT_ROW_HEIGHT, shapes);
        for (CTaskBase* pShape : shapes) {
            if (pShape->HitTest(ptLogical) != 0)
                return GetShapeTipText(pShape);
        }
        return CString();
    }
    return GetScaleTipText(point);
}

CString CGunterBar::GetShapeTipText(CTaskBase* pShape)
{
    CTaskItem* pTask = pShape->GetTaskItem();
    if (pTask == NULL)
        return CString();
    const BOOL bSummary = pShape->IsKindOf(RUNTIME_CLASS(CTaskPolygon));
    const BOOL bMilestone = pTask->m_nMilestone != 0;

    CString strText;
    if (bSummary)
        strText = bMilestone ? "摘要(里程碑)" : "摘要";
    else if (bMilestone)
        strText = "里程碑";
    else if (pTask->m_nIsTask)
        strText = pTask->m_nCritical ? "关键任务" : "任务";
    else
        strText = "项目";
    strText += "\n";
    strText += " 名称: " + pTask->m_strName + "\n";

    CString strFormat;
    if (!strFormat.LoadString(IDS_GANTT_DATEFORMAT))
        strFormat = "%#Y年%#m月%#d日";
    strText += " 开始时间: " + pTask->m_dtStart.Format(strFormat);
    if (bSummary || !bMilestone) {
        int nDays = static_cast<int>((pTask->m_dtFinish - pTask->m_dtStart).GetDays()) + 1;
        if (CTaskTreeView* pTree = GetTaskTreeView()) {
            const int nRest = pTree->CountRestDays(pTask->m_dtStart, pTask->m_dtFinish);
            if (nRest > 0)
                nDays -= nRest;
        }
        CString strDays;
        strDays.Format("%d个工作日", nDays);
        strText += "     工期: " + strDays;
        if (pTask->m_nDurIsEst)
            strText += "?";
        strText += "\n";
        strText += " 完成时间: " + pTask->m_dtFinish.Format(strFormat) + "\n";
        CString strProgress;
        strProgress.Format("%d", pTask->m_nProgress);
        strText += " 目前状态: 完成 " + strProgress + "%\n";
    } else {
        strText += "\n";
    }
    return strText;
}

// The scale cell under the point (upper tier y <= 16, lower tier 16 < y <= 32).
CString CGunterBar::GetScaleTipText(CPoint point)
{
    if (m_nTimeScale < 1 || m_nTimeScale > 4)
        return CString();
    CRect rc;
    GetClientRect(&rc);
    const int nTier = point.y <= GANTT_TIER_HEIGHT ? SCALE_TIER_HEADING : SCALE_TIER_UNIT;
    CString strText;
    int y = m_nFirstYear, m = m_nFirstMonth, d = m_nFirstDay;
    WalkTimeScale(m_nTimeScale, rc.left, 2 * rc.Width(), rc.Width(), y, m, d, [&](const CScaleCell& cell) {
        if (cell.nTier != nTier || point.x < cell.nLeft || point.x >= cell.nRight)
            return TRUE;
        strText = ScaleCellTipText(m_nTimeScale, cell);
        return FALSE;
    });
    return strText;
}

void CGunterBar::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    const int p = GetScrollPos(SB_VERT);
    int nMin = 0, nMax = 0;
    GetScrollRange(SB_VERT, &nMin, &nMax);
    nMax = GetScrollLimit(SB_VERT) - 1;
    const int nArg = static_cast<int>(nPos);

    int d = 0;
    switch (nSBCode) {
    case SB_LINEUP:
        d = p > 0 ? -1 : 0;
        break;
    case SB_LINEDOWN:
        d = 1;
        break;
    case SB_PAGEUP:
        d = -5 < -p ? -p : -5;
        if (nArg == 0)
            d = -1;
        break;
    case SB_PAGEDOWN:
        d = 5 > nMax - p ? nMax - p : 5;
        if (nArg == nMax)
            d = 1;
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        d = nArg - p;
        if (d == -1)
            d = 0;
        break;
    case SB_TOP:
        d = nMin - p;
        break;
    case SB_BOTTOM:
        d = nMax - p;
        break;
    default:
        break;
    }

    if (d != 0) {
        SetScrollPos(SB_VERT, p + d, TRUE);
        m_nLastVScroll = d;
        m_nTopRow += d;
        Invalidate(FALSE);
        if (CGanttBarView* pView = GetBarView())
            pView->SyncTreeScroll(nSBCode, m_nTopRow, pScrollBar, FALSE);
    }
    CWnd::OnVScroll(nSBCode, nPos, pScrollBar);
}

BOOL CGunterBar::OnMouseWheel(UINT /*nFlags*/, short zDelta, CPoint /*pt*/)
{
    // The wheel turns the rows as the scroll bar's arrows do, three lines a notch, and the
    // task tree follows (the chart has the wheel once a click gave it the focus).
    m_nWheelDelta += zDelta;
    while (m_nWheelDelta >= WHEEL_DELTA || m_nWheelDelta <= -WHEEL_DELTA)
    {
        const UINT nCode = m_nWheelDelta > 0 ? SB_LINEUP : SB_LINEDOWN;
        m_nWheelDelta += m_nWheelDelta > 0 ? -WHEEL_DELTA : WHEEL_DELTA;
        for (int i = 0; i < 3; i++)
            OnVScroll(nCode, 0, NULL);
    }
    return TRUE;
}

void CGunterBar::PreSubclassWindow()
{
    CWnd::PreSubclassWindow();
    m_wndTitleTip.m_pParentWnd = this;
}

BOOL CGunterBar::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_LBUTTONUP) {
        if (CScrollBar* pBar = GetScrollBarCtrl(SB_HORZ)) {
            if (pBar->GetSafeHwnd() != NULL && pMsg->hwnd == pBar->GetSafeHwnd()) {
                ApplyHScroll();
                Invalidate(TRUE);
            }
        }
    }
    return CWnd::PreTranslateMessage(pMsg);
}
