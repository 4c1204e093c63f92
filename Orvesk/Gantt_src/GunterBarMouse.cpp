// The chart's mouse: a press on a bar starts a drag whose mode comes from the zone hit;
// moving shows dotted inverted feedback, sets the cursor and scrolls at the edges; the
// release moves the task, links two tasks finish-to-start, sets the progress or the finish,
// and reports the change to the Gantt bar view. Double click, right-button menu, format.
#include "Gantt_src/GunterBar.h"

#include "Gantt_src/CalendarDate.h"
#include "Gantt_src/ChartLinks.h"
#include "Gantt_src/GanttStyleRunner.h"
#include "Gantt_src/TaskShapes.h"
#include "GanttBarView.h"
#include "PermInfo.h"
#include "ProjectDialogHooks.h"
#include "ProjectDoc.h"
#include "TaskItem.h"
#include "GridCellBase.h"
#include "TaskTreeView.h"

#include <ClassLib/Menus/CMenu.h>
#include <ClassLib/Wnd/Cursor.h>
#include <ClassLib/Wnd/RectTracker.h>

#include <cmath>
#include <vector>

namespace {

// A walk over consecutive rest days gives up after this many days (a calendar without a
// working day must not hang the chart).
const int kMaxRestRun = 3660;

GanttStyleRunner& StyleRunner()
{
    static GanttStyleRunner runner;
    return runner;
}

BOOL IsBarShape(const CTaskBase* pShape)
{
    return pShape->IsKindOf(RUNTIME_CLASS(CTaskRect)) || pShape->IsKindOf(RUNTIME_CLASS(CTaskPolygon));
}

// The grid's own rule for the task's dates: its date cells must be open to edits (a summary
// task's dates follow its children and are locked).
BOOL AreDatesEditable(CTaskTreeView* pTree, const CTaskItem* pTask)
{
    if (pTree == NULL)
        return TRUE;
    CGridCellBase* pCell = pTree->GetGrid().GetCell(pTask->m_nRowInGrid, 4);
    return pCell == NULL || pCell->IsEditable();
}

COleDateTime TripleToDate(int y, int m, int d)
{
    return COleDateTime(y, m, d, 0, 0, 0);
}

} // namespace

GanttStyleRunner GanttSetStyleRunner(GanttStyleRunner runner)
{
    GanttStyleRunner old = StyleRunner();
    StyleRunner() = std::move(runner);
    return old;
}

INT_PTR GanttRunStyleDlg(int& nStyle)
{
    if (!StyleRunner())
        return IDCANCEL;
    return StyleRunner()(nStyle);
}

long GanttRoundDays(int nPixels, int nLevel)
{
    const double w = CGunterBar::DayWidthOfLevel(nLevel);
    if (w == 0.0)
        return 0;
    long d = static_cast<long>(nPixels / w);
    if ((nLevel == 1 || nLevel == 2) && nPixels % 18 != 0) {
        const double q = nPixels / 18.0;
        const double frac = q - static_cast<long>(q);
        if (frac > 0.3 || frac < -0.3) {
            if (d > 0)
                ++d;
            else if (d < 0)
                --d;
            else
                d = nPixels > 0 ? 1 : -1;
        }
    }
    return d;
}

int GanttDecidePressMode(int dx, int dy)
{
    if (dx < 0)
        dx = -dx;
    if (dy < 0)
        dy = -dy;
    if (dx >= 3 && dx > dy)
        return 1;
    if (dy >= 3 && dy > dx)
        return 2;
    return 5;
}

const char* CGunterBar::DuplicateLinkText() { return "两个任务间不能重复连接!"; }
const char* CGunterBar::NoProgressPermissionText() { return "你没有权限修改任务进度!"; }

CPoint CGunterBar::ToLogical(CPoint point) const
{
    return CPoint(point.x + static_cast<long>(m_nHScrollDays * GetDayWidth()), point.y + m_nTopRow * GANTT_ROW_HEIGHT);
}

CTaskTreeView* CGunterBar::GetTaskTreeView() const
{
    CGanttBarView* pView = GetBarView();
    return pView != NULL ? pView->GetTaskTreeView() : NULL;
}

// The first bar or summary bar (list order) that answers a hit test at the logical point,
// other than pExcept. Only the shapes of the rows around the point are asked.
CTaskBase* CGunterBar::ShapeAt(CPoint ptLogical, CTaskBase* pExcept, BOOL /*bBarsOnly*/) const
{
    std::vector<CTaskBase*> shapes;
    const_cast<CGunterBar*>(this)->GetShapesInBand(ptLogical.y - 2 * GANTT_ROW_HEIGHT,
                                                   ptLogical.y + 2 * GANTT_ROW_HEIGHT, shapes);
    for (CTaskBase* pShape : shapes) {
        if (pShape == pExcept || !IsBarShape(pShape))
            continue;
        if (pShape->HitTest(ptLogical) != 0)
            return pShape;
    }
    return NULL;
}

void CGunterBar::SetDragCursor(UINT nCursorId)
{
    // 0: the arrow; 1: the four-way size cursor; else a cursor resource of the library.
    HCURSOR hCursor = nCursorId == 0   ? ::LoadCursor(NULL, IDC_ARROW)
                      : nCursorId == 1 ? ::LoadCursor(NULL, IDC_SIZEALL)
                                       : AfxLoadCursor(nCursorId);
    if (hCursor != NULL)
        ::SetCursor(hCursor);
}

// The dotted feedback, drawn in inverting mode: drawn twice at the same place it is gone.
void CGunterBar::DrawDragTracker(const CRect& rc)
{
    // A right edge dragged left of the bar's start still shows a frame.
    CRect rcFrame = rc;
    rcFrame.NormalizeRect();
    if (rcFrame.Width() == 0 || rcFrame.Height() == 0)
        return;
    CClientDC dc(this);
    const int nOldRop = dc.SetROP2(R2_NOT);
    CRectTracker tracker(rcFrame, CRectTracker::dottedLine);
    tracker.Draw(&dc);
    CRect rcOuter = rcFrame;
    rcOuter.InflateRect(1, 1);
    CRectTracker outer(rcOuter, CRectTracker::dottedLine);
    outer.Draw(&dc);
    dc.SetROP2(nOldRop);
}

void CGunterBar::DrawLinkLine(int x, int y)
{
    CClientDC dc(this);
    int y0 = m_ptDown.y - GANTT_ROW_HEIGHT * m_ptDragScrolled.y;
    if (y0 < 40)
        y0 = 40;
    CPen pen(PS_DASH, 1, RGB(0, 0, 0));
    CPen* pOldPen = dc.SelectObject(&pen);
    const int nOldRop = dc.SetROP2(R2_NOT);
    dc.MoveTo(m_ptDown.x - 18 * m_ptDragScrolled.x, y0);
    dc.LineTo(x, y);
    dc.SetROP2(nOldRop);
    dc.SelectObject(pOldPen);
}

void CGunterBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    SetFocus();
    const CPoint ptLogical = ToLogical(point);
    m_wndTitleTip.Hide();
    RedrawWindow();

    if (m_nDragMode == 0) {
        std::vector<CTaskBase*> shapes;
        GetShapesInBand(ptLogical.y - 2 * GANTT_ROW_HEIGHT, ptLogical.y + 2 * GANTT_ROW_HEIGHT, shapes);
        for (CTaskBase* pShape : shapes) {
            if (!IsBarShape(pShape))
                continue;
            const int nHit = pShape->HitTest(ptLogical);
            if (nHit == 0)
                continue;
            m_nDragMode = nHit;
            m_bDragging = 1;
            m_pDragShape = pShape;
            pShape->OnLButtonDown(this, nFlags, point);
            break;
        }
    }

    const CPoint ptShift = point - ptLogical;
    switch (m_pDragShape != NULL ? m_nDragMode : 0) {
    case TASKHIT_PROGRESS:
        SetDragCursor(IDC_GANTT_PROGRESS);
        m_rcDrag = m_pDragShape->m_rcProgress + ptShift;
        break;
    case TASKHIT_RIGHT:
        SetDragCursor(IDC_GANTT_RESIZE);
        m_rcDrag = m_pDragShape->m_rect + ptShift;
        break;
    case TASKHIT_BODY:
        SetDragCursor(1);
        m_rcDrag = m_pDragShape->m_rect + ptShift;
        break;
    default:
        break;
    }
    if (m_nDragMode == TASKHIT_PROGRESS || m_nDragMode == TASKHIT_RIGHT || m_nDragMode == TASKHIT_BODY) {
        m_rcDragStart = m_rcDrag;
        DrawDragTracker(m_rcDrag);
    }
    if (m_bDragging)
        SetCapture();
    m_ptLastDrag = m_ptDown = point;
}

void CGunterBar::OnMouseMove(UINT nFlags, CPoint point)
{
    if (point == m_ptMouse)
        return;
    m_ptMouse = point;

    CRect rcClient;
    GetClientRect(&rcClient);
    const BOOL bInside = rcClient.PtInRect(point);
    if (!bInside)
        m_wndTitleTip.Hide();

    const BOOL bDrag = m_bDragging && m_pDragShape != NULL && m_nDragMode != 0;
    const CRect rcNear(m_ptHover.x - 2, m_ptHover.y - 2, m_ptHover.x + 2, m_ptHover.y + 2);
    if (rcNear.PtInRect(point) && !m_bDragging) {
        const CString strText = GetTipText(point);
        if (!strText.IsEmpty() && strText != m_strTip) {
            if (m_wndTitleTip.GetSafeHwnd() != NULL && m_wndTitleTip.IsWindowVisible())
                m_wndTitleTip.Hide();
            UpdateWindow();
            m_wndTitleTip.Show(CRect(point, CSize(10, 10)), strText, 0, NULL, &m_logFont, CLR_DEFAULT,
                               CLR_DEFAULT, 1000);
            m_strTip = strText;
        }
        return;
    }

    const BOOL bTipShown = m_wndTitleTip.GetSafeHwnd() != NULL && m_wndTitleTip.IsWindowVisible();
    if (bTipShown)
        m_wndTitleTip.Hide();
    m_ptHover = point;
    if (!bDrag && GetCapture() == this)
        ReleaseCapture();
    m_strTip.Empty();
    if (bTipShown)
        UpdateWindow();

    if (bDrag) {
        if (m_nDragMode == TASKHIT_BODY)
            m_nDragMode = GanttDecidePressMode(point.x - m_ptDown.x, point.y - m_ptDown.y);

        if (point != m_ptLastDrag) {
            const BOOL bRedraw = point.x > rcClient.left + 1;
            switch (m_nDragMode) {
            case TASKHIT_MILESTONE:
                SetDragCursor(IDC_GANTT_MOVE);
                DrawDragTracker(m_rcDrag);
                m_rcDrag.OffsetRect(point.x - m_ptLastDrag.x, 0);
                if (bRedraw)
                    DrawDragTracker(m_rcDrag);
                break;
            case TASKHIT_PROGRESS:
            case TASKHIT_RIGHT:
                SetDragCursor(m_nDragMode == TASKHIT_PROGRESS ? IDC_GANTT_PROGRESS : IDC_GANTT_RESIZE);
                DrawDragTracker(m_rcDrag);
                m_rcDrag.right = point.x;
                if (bRedraw)
                    DrawDragTracker(m_rcDrag);
                break;
            case 2: {
                SetDragCursor(IDC_GANTT_LINK);
                CTaskBase* pTarget = ShapeAt(ToLogical(point), m_pDragShape, TRUE);
                if (pTarget != NULL) {
                    const CRect rcTarget = pTarget->m_rect + (point - ToLogical(point));
                    if (rcTarget != m_rcLinkTarget) {
                        DrawDragTracker(m_rcLinkTarget);
                        DrawDragTracker(rcTarget);
                        m_rcLinkTarget = rcTarget;
                    }
                } else if (!m_rcLinkTarget.IsRectNull()) {
                    DrawDragTracker(m_rcLinkTarget);
                    m_rcLinkTarget.SetRectEmpty();
                }
                DrawLinkLine(m_ptLastDrag.x, m_ptLastDrag.y);
                DrawLinkLine(point.x, point.y);
                break;
            }
            default:
                break;
            }
        }
        m_ptLastDrag = point;
        AutoScrollDuringDrag(point);
    } else {
        // Hover: the cursor by the zone of the bar under the pointer.
        CTaskBase* pShape = NULL;
        int nHit = 0;
        std::vector<CTaskBase*> shapes;
        const CPoint ptLogical = ToLogical(point);
        GetShapesInBand(ptLogical.y - 2 * GANTT_ROW_HEIGHT, ptLogical.y + 2 * GANTT_ROW_HEIGHT, shapes);
        for (CTaskBase* p : shapes) {
            if (!p->IsKindOf(RUNTIME_CLASS(CTaskRect)))
                continue;
            nHit = p->HitTest(ptLogical);
            if (nHit != 0) {
                pShape = p;
                break;
            }
        }
        if (pShape != NULL)
            pShape->OnMouseMove(this, nFlags, point);
        SetDragCursor(nHit == TASKHIT_PROGRESS ? IDC_GANTT_PROGRESS
                      : nHit == TASKHIT_RIGHT  ? IDC_GANTT_RESIZE
                      : nHit == TASKHIT_BODY   ? 1
                                               : 0);
        if (!bInside && GetCapture() == this)
            ReleaseCapture();
    }
}

// At most one row and one day per event while the pointer holds at an edge.
void CGunterBar::AutoScrollDuringDrag(CPoint point)
{
    CRect rcClient;
    GetClientRect(&rcClient);
    BOOL bScrolledV = FALSE, bScrolledH = FALSE;

    if (m_nDragMode != TASKHIT_MILESTONE) {
        const int nPos = GetScrollPos(SB_VERT);
        if (point.y <= rcClient.top + 1 && nPos >= 1) {
            --m_nTopRow;
            --m_ptDragScrolled.y;
            SetScrollPos(SB_VERT, nPos - 1, TRUE);
            if (CGanttBarView* pView = GetBarView())
                pView->SyncTreeScroll(SB_LINEUP, m_nTopRow, NULL, FALSE);
            if (m_nDragMode == 2) {
                m_rcDrag.OffsetRect(0, GANTT_ROW_HEIGHT);
                m_rcLinkTarget.OffsetRect(0, GANTT_ROW_HEIGHT);
            }
            bScrolledV = TRUE;
        } else if (point.y >= rcClient.bottom - 1) {
            ++m_nTopRow;
            ++m_ptDragScrolled.y;
            SetScrollPos(SB_VERT, nPos + 1, TRUE);
            if (CGanttBarView* pView = GetBarView())
                pView->SyncTreeScroll(SB_LINEDOWN, m_nTopRow, NULL, FALSE);
            if (m_nDragMode == 2) {
                m_rcDrag.OffsetRect(0, -GANTT_ROW_HEIGHT);
                m_rcLinkTarget.OffsetRect(0, -GANTT_ROW_HEIGHT);
            }
            bScrolledV = TRUE;
        }
    }

    int nStep = 0;
    if (point.x <= rcClient.left + 1)
        nStep = -1;
    else if (point.x >= rcClient.right - 1)
        nStep = 1;
    if (nStep != 0) {
        m_nHScrollDays += nStep;
        m_ptDragScrolled.x += nStep;
        if (m_nHScrollDays >= 0 && m_nHScrollDays <= 100)
            SetScrollPos(SB_HORZ, m_nHScrollDays, TRUE);
        m_ptScrollPending.x = nStep;
        ApplyHScroll();
        if (m_nDragMode == TASKHIT_PROGRESS || m_nDragMode == TASKHIT_RIGHT) {
            m_rcDrag.left -= 18 * nStep;
        } else if (m_nDragMode == 2) {
            m_rcDrag.OffsetRect(-18 * nStep, 0);
            m_rcLinkTarget.OffsetRect(-18 * nStep, 0);
        }
        bScrolledH = TRUE;
    }

    if (bScrolledV || bScrolledH) {
        Invalidate(FALSE);
        UpdateWindow();
        if (bScrolledH && m_nDragMode != 2 && m_rcDrag.top > 39)
            DrawDragTracker(m_rcDrag);
        if (m_nDragMode == 2)
            DrawLinkLine(point.x, point.y);
    }
}

void CGunterBar::ReportChange(CTaskItem* pTask)
{
    if (pTask->m_nFlag == 0)
        pTask->m_nFlag = 2;
    if (CGanttBarView* pView = GetBarView())
        pView->OnTaskChanged(pTask);
}

void CGunterBar::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_bDragging && m_pDragShape != NULL && m_nDragMode != 0) {
        CTaskItem* pTask = m_pDragShape->GetTaskItem();
        ASSERT(pTask != NULL);
        DrawDragTracker(m_rcDrag);
        if (pTask != NULL) {
            switch (m_nDragMode) {
            case TASKHIT_MILESTONE:
                if (AreDatesEditable(GetTaskTreeView(), pTask))
                    ApplyMove(pTask);
                break;
            case 2:
                ApplyLink(pTask, point);
                break;
            case TASKHIT_PROGRESS:
                ApplyProgress(pTask);
                break;
            case TASKHIT_RIGHT:
                if (AreDatesEditable(GetTaskTreeView(), pTask))
                    ApplyResize(pTask);
                break;
            default:
                break;
            }
        }
    }
    EndDrag();
    CWnd::OnLButtonUp(nFlags, point);
}

void CGunterBar::EndDrag()
{
    SetDragCursor(0);
    m_bDragging = 0;
    m_pDragShape = NULL;
    m_nDragMode = 0;
    m_rcDrag.SetRectEmpty();
    m_rcDragStart.SetRectEmpty();
    m_rcLinkTarget.SetRectEmpty();
    m_ptDown = CPoint(0, 0);
    m_ptDragScrolled = CPoint(0, 0);
    if (GetCapture() == this)
        ReleaseCapture();
}

void CGunterBar::ApplyMove(CTaskItem* pTask)
{
    const long d = GanttRoundDays(m_rcDrag.left - m_rcDragStart.left, m_nTimeScale) + m_ptDragScrolled.x;
    if (d == 0)
        return;
    int sy = pTask->m_dtStart.GetYear(), sm = pTask->m_dtStart.GetMonth(), sd = pTask->m_dtStart.GetDay();
    int fy = pTask->m_dtFinish.GetYear(), fm = pTask->m_dtFinish.GetMonth(), fd = pTask->m_dtFinish.GetDay();
    const long n = d < 0 ? -d : d;
    for (long i = 0; i < n; ++i) {
        if (d > 0) {
            NextDay(sy, sm, sd);
            NextDay(fy, fm, fd);
        } else {
            PrevDay(sy, sm, sd);
            PrevDay(fy, fm, fd);
        }
    }
    COleDateTime dtStart = TripleToDate(sy, sm, sd), dtFinish = TripleToDate(fy, fm, fd);
    if (dtStart.GetStatus() != COleDateTime::valid || dtFinish.GetStatus() != COleDateTime::valid)
        return;
    if (CTaskTreeView* pTree = GetTaskTreeView()) {
        dtStart = pTree->SkipRestDays(dtStart);
        dtFinish = pTree->SkipRestDays(dtFinish);
        // The schedule follows the move as one of its own edits.
        pTree->NoteScheduleChange(pTask);
    }
    pTask->m_dtStart = dtStart;
    pTask->m_dtFinish = dtFinish;
    if (pTask->m_dtDeadline < pTask->m_dtFinish)
        pTask->m_dtDeadline = pTask->m_dtFinish;
    ReportChange(pTask);
}

void CGunterBar::ApplyLink(CTaskItem* pTask, CPoint point)
{
    CTaskBase* pTarget = ShapeAt(ToLogical(point), m_pDragShape, TRUE);
    DrawDragTracker(m_rcLinkTarget);
    DrawLinkLine(m_ptLastDrag.x, m_ptLastDrag.y);
    Invalidate(FALSE);
    CTaskItem* pSucc = pTarget != NULL ? pTarget->GetTaskItem() : NULL;
    if (pSucc == NULL)
        return;
    if (IsDuplicateLink(pSucc, pTask)) {
        AfxMessageBox(DuplicateLinkText(), MB_OK | MB_ICONINFORMATION);
        return;
    }
    CGanttBarView* pView = GetBarView();
    if (pView == NULL)
        return;
    CString strMessage;
    if (!pView->CheckTaskLink(pSucc->m_nRowInGrid, pTask->m_nRowInGrid, strMessage)) {
        AfxMessageBox(strMessage, MB_OK | MB_ICONINFORMATION);
        return;
    }
    pView->AddChartLink(pSucc, pTask);
    ReportChange(pSucc);
}

void CGunterBar::ApplyProgress(CTaskItem* pTask)
{
    if (GetCapture() == this)
        ReleaseCapture();
    CGanttBarView* pView = GetBarView();
    CProjectDoc* pDoc = pView != NULL ? pView->GetDocument() : NULL;
    if (pDoc == NULL || !pDoc->IsHavePermission(CString(), PERM_MODIFYPROGRESS)) {
        AfxMessageBox(NoProgressPermissionText(), MB_OK | MB_ICONINFORMATION);
        return;
    }
    const double w = GetDayWidth();
    const int W = m_rcDrag.Width();
    const int B = m_pDragShape->m_rect.Width();
    // A bar of no length has no progress to drag.
    if (w == 0.0 || B <= 0)
        return;
    const long n = W < B ? GanttRoundDays(W, m_nTimeScale) : static_cast<long>(B / w);
    if (static_cast<long>(std::lround(n * w)) == m_pDragShape->m_rcProgress.Width())
        return;
    long r = 0;
    if (n > 0) {
        int y = pTask->m_dtStart.GetYear(), m = pTask->m_dtStart.GetMonth(), d = pTask->m_dtStart.GetDay();
        for (long i = 0; i < n; ++i)
            NextDay(y, m, d);
        while (r < kMaxRestRun && IsRestDay(y, m, d)) {
            ++r;
            NextDay(y, m, d);
        }
    }
    long nProgress = n > 0 ? static_cast<long>((n + r) * w * 100 / B) : 0;
    // Progress is a percentage.
    if (nProgress > 100)
        nProgress = 100;
    if (nProgress < 0)
        nProgress = 0;
    pTask->m_nProgress = static_cast<int>(nProgress);
    ReportChange(pTask);
}

void CGunterBar::ApplyResize(CTaskItem* pTask)
{
    const double w = GetDayWidth();
    const int W = m_rcDrag.Width();
    long n = GanttRoundDays(W, m_nTimeScale);
    if (n == 0 || w == 0.0)
        return;
    CTaskTreeView* pTree = GetTaskTreeView();
    if (pTree != NULL)
        pTree->NoteScheduleChange(pTask);
    if (n < 0) {
        int y = pTask->m_dtStart.GetYear(), m = pTask->m_dtStart.GetMonth(), d = pTask->m_dtStart.GetDay();
        PrevDay(y, m, d);
        pTask->m_dtFinish = TripleToDate(y, m, d);
        if (pTask->m_dtDeadline < pTask->m_dtFinish)
            pTask->m_dtDeadline = pTask->m_dtFinish;
        pTask->m_nDuration = 0;
        pTask->m_nActDuration = 0;
    } else {
        int y = pTask->m_dtStart.GetYear(), m = pTask->m_dtStart.GetMonth(), d = pTask->m_dtStart.GetDay();
        for (long i = 0; i < n - 1; ++i)
            NextDay(y, m, d);
        // Back off rest days at the end, but never below one day: a start on a rest day
        // must not leave a length of zero.
        while (n > 1 && IsRestDay(y, m, d)) {
            PrevDay(y, m, d);
            --n;
        }
        COleDateTime dtFinish = TripleToDate(y, m, d);
        if (pTree != NULL)
            dtFinish = pTree->SkipRestDays(dtFinish);
        pTask->m_dtFinish = dtFinish;
        if (pTask->m_dtDeadline < pTask->m_dtFinish)
            pTask->m_dtDeadline = pTask->m_dtFinish;
        const int nRest = pTree != NULL ? pTree->CountRestDays(pTask->m_dtStart, pTask->m_dtFinish) : 0;
        long nDays = n - (nRest > 0 ? nRest : 0);
        if (nDays < 0)
            nDays = 0;
        pTask->m_nDuration = static_cast<int>(nDays * 86400);
    }
    const long b = static_cast<long>(m_pDragShape->m_rect.Width() / w);
    long nProgress = 100;
    if (W > m_pDragShape->m_rcProgress.Width() && n > 0)
        nProgress = static_cast<long>(static_cast<long long>(pTask->m_nProgress) * b / n);
    if (nProgress > 100)
        nProgress = 100;
    if (nProgress < 0)
        nProgress = 0;
    pTask->m_nProgress = static_cast<int>(nProgress);
    ReportChange(pTask);
}

void CGunterBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    m_wndTitleTip.Hide();
    if (GetCapture() == this)
        ReleaseCapture();
    CTaskBase* pShape = NULL;
    const CPoint ptLogical = ToLogical(point);
    std::vector<CTaskBase*> shapes;
    GetShapesInBand(ptLogical.y - 2 * GANTT_ROW_HEIGHT, ptLogical.y + 2 * GANTT_ROW_HEIGHT, shapes);
    for (CTaskBase* p : shapes) {
        if (IsBarShape(p) && p->GetTaskItem() != NULL && p->HitTest(ptLogical) != 0) {
            pShape = p;
            break;
        }
    }
    CGanttBarView* pView = GetBarView();
    if (pShape == NULL || pView == NULL || pView->GetDocument() == NULL) {
        CWnd::OnLButtonDblClk(nFlags, point);
        return;
    }
    CTaskItem* pTask = pShape->GetTaskItem();
    if (ProjectRunTaskProperty(*pView->GetDocument(), *pTask) == IDOK) {
        pTask->m_nMilestone = pTask->m_nDuration == 0 ? 1 : 0;
        ReportChange(pTask);
    }
}

void CGunterBar::OnRButtonUp(UINT nFlags, CPoint point)
{
    CMenu menu;
    if (menu.LoadMenu(IDR_GANTT_MENU)) {
        if (CMenu* pPopup = menu.GetSubMenu(4)) {
            CPoint ptCursor;
            ::GetCursorPos(&ptCursor);
            pPopup->TrackPopupMenu(TPM_RIGHTBUTTON, ptCursor.x, ptCursor.y, this);
        }
    }
    CWnd::OnRButtonUp(nFlags, point);
}

void CGunterBar::OnFormat()
{
    int nStyle = m_nLabelStyle;
    if (GanttRunStyleDlg(nStyle) == IDOK) {
        m_nLabelStyle = nStyle;
        Invalidate(TRUE);
    }
}
