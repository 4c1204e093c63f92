// The chart window: construction, creation, the shape list, zoom and horizontal scrolling.
#include "Gantt_src/GunterBar.h"

#include "Gantt_src/CalendarDate.h"
#include "Gantt_src/TaskShapes.h"
#include "GanttBarView.h"
#include "TaskItem.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

const char kChartClassName[] = "CGunterBar";

} // namespace

IMPLEMENT_DYNAMIC(CGunterBar, CWnd)

BEGIN_MESSAGE_MAP(CGunterBar, CWnd)
    ON_WM_CREATE()
    ON_WM_PAINT()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_MOUSEWHEEL()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_RBUTTONUP()
    ON_COMMAND(ID_GANTT_FORMAT, OnFormat)
END_MESSAGE_MAP()

CGunterBar::CGunterBar()
    : m_ptMouse(0, 0),
      m_nHScrollDays(0),
      m_nTopRow(0),
      m_sizePrint1(0, 0),
      m_sizePrint2(0, 0),
      m_sizePrint3(0, 0),
      m_nTopMarginRows(0),
      m_nHeadRows(0),
      m_nLeftMargin(0),
      m_nRightMargin(0),
      m_nTopMargin(0),
      m_nBottomMargin(0),
      m_nFootRows(0),
      m_nLabelStyle(2),
      m_pCurrentTask(NULL),
      m_ptScrollPending(0, 0),
      m_nTimeScale(1),
      m_ptHover(0, 0),
      m_bDragging(0),
      m_pDragShape(NULL),
      m_nDragMode(0),
      m_ptDown(0, 0),
      m_ptLastDrag(0, 0),
      m_rcDrag(0, 0, 0, 0),
      m_rcDragStart(0, 0, 0, 0),
      m_rcLinkTarget(0, 0, 0, 0),
      m_ptDragScrolled(0, 0),
      m_nRowSpace(0),
      m_nPagesDown(0),
      m_nChartWidth(0),
      m_nPagesAcross(0),
      m_nPrintRow(0),
      m_nLastVScroll(0),
      m_bIndexDirty(TRUE)
{
    RegisterWindowClass();

    SYSTEMTIME st;
    GetLocalTime(&st);
    m_wOriginYear = st.wYear;
    m_wOriginMonth = st.wMonth;
    m_wOriginDay = st.wDay;
    m_nFirstYear = st.wYear;
    m_nFirstMonth = st.wMonth;
    m_nFirstDay = st.wDay;

    memset(&m_logFont, 0, sizeof(m_logFont));
    m_logFont.lfHeight = 12;
    m_logFont.lfWeight = 40;
    m_logFont.lfCharSet = GB2312_CHARSET;
    m_logFont.lfOutPrecision = OUT_STROKE_PRECIS;
    m_logFont.lfClipPrecision = CLIP_STROKE_PRECIS;
    m_logFont.lfQuality = DRAFT_QUALITY;
    m_logFont.lfPitchAndFamily = FF_MODERN | VARIABLE_PITCH;
    strcpy(m_logFont.lfFaceName, "宋体");
    m_font.CreateFontIndirect(&m_logFont);

    SetPrintFormat(2, 2, 5, 3, 2, 2, 1);
}

CGunterBar::~CGunterBar()
{
    if (m_wndTitleTip.GetSafeHwnd() != NULL)
        m_wndTitleTip.DestroyWindow();
    RemoveAllShapes();
    for (auto& entry : m_mapPatternBrushes)
        delete entry.second;
    m_mapPatternBrushes.clear();
}

BOOL CGunterBar::RegisterWindowClass()
{
    WNDCLASS wndcls;
    HINSTANCE hInst = AfxGetInstanceHandle();
    if (::GetClassInfo(hInst, kChartClassName, &wndcls))
        return TRUE;
    memset(&wndcls, 0, sizeof(wndcls));
    wndcls.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    wndcls.lpfnWndProc = ::DefWindowProc;
    wndcls.hInstance = hInst;
    wndcls.hIcon = NULL;
    wndcls.hCursor = ::LoadCursor(NULL, IDC_ARROW);
    wndcls.hbrBackground = NULL;
    wndcls.lpszMenuName = NULL;
    wndcls.lpszClassName = kChartClassName;
    if (!AfxRegisterClass(&wndcls)) {
        AfxThrowResourceException();
        return FALSE;
    }
    return TRUE;
}

int CGunterBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    ShowScrollBar(SB_BOTH, TRUE);
    SetScrollRange(SB_HORZ, 0, 100, TRUE);
    m_wndTitleTip.Create(this);
    m_wndTitleTip.SetOption(1);
    return 0;
}

void CGunterBar::InitDateRange(const CRect& /*rect*/)
{
    for (int i = 0; i < 5; ++i)
        PrevDay(m_nFirstYear, m_nFirstMonth, m_nFirstDay);
    m_nHScrollDays = -5;
}

// ---- shapes ---------------------------------------------------------------------------------

void CGunterBar::AddShape(CTaskBase* pShape)
{
    m_listShapes.AddTail(pShape);
    m_bIndexDirty = TRUE;
}

void CGunterBar::RemoveAllShapes()
{
    POSITION pos = m_listShapes.GetHeadPosition();
    while (pos != NULL)
        delete static_cast<CTaskBase*>(m_listShapes.GetNext(pos));
    m_listShapes.RemoveAll();
    m_index.Clear();
    m_bIndexDirty = TRUE;
}

void CGunterBar::BeginShapes()
{
    m_posNextShape = m_listShapes.GetHeadPosition();
    m_index.Clear();
    m_bIndexDirty = TRUE;
}

CTaskBase* CGunterBar::NextShape(CRuntimeClass* pClass)
{
    CTaskBase* pShape = NULL;
    POSITION pos = m_posNextShape;
    if (pos != NULL) {
        CTaskBase* pOld = static_cast<CTaskBase*>(m_listShapes.GetNext(m_posNextShape));
        if (pOld->GetRuntimeClass() == pClass) {
            pOld->Reset();
            return pOld;
        }
        m_spareShapes.push_back(pOld);
    }
    // A spare of the class, taken from the most recent ones (a row inserted or deleted
    // shifts the classes by a few places).
    const size_t nLook = std::min<size_t>(m_spareShapes.size(), 8);
    for (size_t i = 0; i < nLook; ++i) {
        const size_t n = m_spareShapes.size() - 1 - i;
        if (m_spareShapes[n]->GetRuntimeClass() == pClass) {
            pShape = m_spareShapes[n];
            m_spareShapes.erase(m_spareShapes.begin() + static_cast<std::ptrdiff_t>(n));
            pShape->Reset();
            break;
        }
    }
    if (pShape == NULL)
        pShape = static_cast<CTaskBase*>(pClass->CreateObject());
    if (pos != NULL)
        m_listShapes.SetAt(pos, pShape);
    else
        m_listShapes.AddTail(pShape);
    return pShape;
}

void CGunterBar::EndShapes()
{
    while (m_posNextShape != NULL) {
        POSITION pos = m_posNextShape;
        delete static_cast<CTaskBase*>(m_listShapes.GetNext(m_posNextShape));
        m_listShapes.RemoveAt(pos);
    }
    for (CTaskBase* pShape : m_spareShapes)
        delete pShape;
    m_spareShapes.clear();
    m_index.Clear();
    m_bIndexDirty = TRUE;
}

void CGunterBar::GetShapesInBand(int nTop, int nBottom, std::vector<CTaskBase*>& out)
{
    if (m_bIndexDirty) {
        m_index.Build(m_listShapes);
        m_bIndexDirty = FALSE;
    }
    m_index.Query(nTop, nBottom, out);
}

BOOL CGunterBar::IndexIsFresh() const
{
    if (m_bIndexDirty)
        return TRUE;
    CShapeIndex fresh;
    fresh.Build(m_listShapes);
    return fresh == m_index;
}

// ---- zoom and state ---------------------------------------------------------------------------

double CGunterBar::DayWidthOfLevel(int nLevel)
{
    switch (nLevel) {
    case 1: return 18.0;
    case 2: return 6.0;
    case 3: return 1.2;
    case 4: return 0.6;
    default: return 0.0;
    }
}

double CGunterBar::GetDayWidth() const { return DayWidthOfLevel(m_nTimeScale); }

void CGunterBar::SetTimeScale(int nLevel)
{
    m_nTimeScale = nLevel;
    Recalc();
}

int CGunterBar::GetHScrollUnitDays() const
{
    switch (m_nTimeScale) {
    case 1: return 1;
    case 2: return 3;
    default: return 30;
    }
}

void CGunterBar::GetOriginDate(int& nYear, int& nMonth, int& nDay) const
{
    nYear = m_wOriginYear;
    nMonth = m_wOriginMonth;
    nDay = m_wOriginDay;
}

void CGunterBar::GetFirstVisibleDay(int& nYear, int& nMonth, int& nDay) const
{
    nYear = m_nFirstYear;
    nMonth = m_nFirstMonth;
    nDay = m_nFirstDay;
}

void CGunterBar::EnsureTaskVisible(CTaskItem* pTask)
{
    CTaskItem* pWasCurrent = m_pCurrentTask;
    m_pCurrentTask = pTask;
    if (GetSafeHwnd() == NULL)
        return;
    const double dDayWidth = GetDayWidth();
    CRect rc;
    GetClientRect(&rc);
    rc.DeflateRect(rc.Width() / 4, 0);
    // Painting shifts the shapes left by this many pixels, and up by the rows scrolled.
    const int nShift = static_cast<int>(m_nHScrollDays * dDayWidth);
    const int nShiftY = m_nTopRow * GANTT_ROW_HEIGHT;
    // Unless the chart scrolls, only the frames of the current task change: the rows of the
    // old current task's shapes and of the new one's are drawn again.
    BOOL bScrolled = FALSE;
    for (POSITION pos = m_listShapes.GetHeadPosition(); pos != NULL;) {
        CTaskBase* pShape = static_cast<CTaskBase*>(m_listShapes.GetNext(pos));
        const BOOL bOld = pWasCurrent != NULL && pWasCurrent != pTask && pShape->m_pTask == pWasCurrent;
        if (bOld || (pShape->m_pTask == pTask && pTask != NULL)) {
            int nTop = 0, nBottom = 0;
            CShapeIndex::GetExtent(pShape, nTop, nBottom);
            InvalidateShapeRows(nTop, nBottom);
        }
        if (pShape->m_pTask != pTask || pTask == NULL)
            continue;
        const CPoint ptFrom(pShape->m_ptFrom.x - nShift, pShape->m_ptFrom.y - nShiftY);
        const CPoint ptTo(pShape->m_ptTo.x - nShift, pShape->m_ptTo.y - nShiftY);
        if (!rc.PtInRect(ptFrom) && !rc.PtInRect(ptTo) && dDayWidth > 0.0) {
            const int nPixel = (pShape->m_ptTo.x - pShape->m_ptFrom.x - rc.Width()) / 2 + pShape->m_ptFrom.x;
            ScrollToDay(static_cast<int>(std::floor(nPixel / dDayWidth)));
            bScrolled = TRUE;
        }
    }
    if (bScrolled)
        Invalidate(TRUE);
}

void CGunterBar::InvalidateShapeRows(int nTop, int nBottom)
{
    if (GetSafeHwnd() == NULL)
        return;
    CRect rcClient;
    GetClientRect(&rcClient);
    const int nShiftY = m_nTopRow * GANTT_ROW_HEIGHT;
    CRect rc(rcClient.left, nTop - GANTT_ROW_HEIGHT - nShiftY, rcClient.right, nBottom + GANTT_ROW_HEIGHT - nShiftY);
    rc.IntersectRect(&rc, &rcClient);
    if (!rc.IsRectEmpty())
        InvalidateRect(&rc, TRUE);
}

void CGunterBar::ShowEarliestBarIfNoneShows()
{
    if (GetSafeHwnd() == NULL || GetDayWidth() <= 0.0)
        return;
    CRect rc;
    GetClientRect(&rc);
    const int nShift = static_cast<int>(m_nHScrollDays * GetDayWidth());
    const CTaskItem* pEarliest = NULL;
    for (POSITION pos = m_listShapes.GetHeadPosition(); pos != NULL;) {
        const CTaskBase* pShape = static_cast<const CTaskBase*>(m_listShapes.GetNext(pos));
        const CTaskItem* pTask = DYNAMIC_DOWNCAST(CTaskItem, pShape->m_pTask);
        if (pTask == NULL)
            continue;  // a link's arrow
        const int x1 = std::min(pShape->m_ptFrom.x, pShape->m_ptTo.x) - nShift;
        const int x2 = std::max(pShape->m_ptFrom.x, pShape->m_ptTo.x) - nShift;
        if (x2 >= rc.left && x1 < rc.right)
            return;  // a bar shows already
        if (pEarliest == NULL || pTask->m_dtStart < pEarliest->m_dtStart)
            pEarliest = pTask;
    }
    if (pEarliest == NULL)
        return;
    // The bar's day as the layout counts it, five days in from the left edge.
    const COleDateTime dtOrigin(m_wOriginYear, m_wOriginMonth, m_wOriginDay, 0, 0, 0);
    ScrollToDay(static_cast<int>((pEarliest->m_dtStart - dtOrigin).GetDays()) - 5);
    Invalidate(TRUE);
}

void CGunterBar::ScrollToDay(int nDays)
{
    SetScrollPos(SB_HORZ, nDays, TRUE);
    m_nHScrollDays = nDays;
    // The first visible day is the origin date moved by the new position.
    const COleDateTime dtFirst =
        COleDateTime(m_wOriginYear, m_wOriginMonth, m_wOriginDay, 0, 0, 0) + COleDateTimeSpan(nDays, 0, 0, 0);
    if (dtFirst.GetStatus() == COleDateTime::valid) {
        m_nFirstYear = dtFirst.GetYear();
        m_nFirstMonth = dtFirst.GetMonth();
        m_nFirstDay = dtFirst.GetDay();
    }
    m_ptScrollPending.x = 0;
}

// ---- horizontal scrolling -------------------------------------------------------------------

int GanttHScrollDelta(UINT nSBCode, int nArg, int p, int nMin, int nMax, BOOL& bKnown)
{
    bKnown = TRUE;
    int d = 0;
    switch (nSBCode) {
    case SB_LINELEFT:
        d = -1;
        break;
    case SB_LINERIGHT:
        d = 1;
        break;
    case SB_PAGELEFT:
        d = (p - 5 < 0) ? -p : -5;
        if (nArg == 0)
            d = -1;
        break;
    case SB_PAGERIGHT:
        d = (p + 5 > nMax) ? nMax - p : 5;
        if (nArg == nMax)
            d = 1;
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        d = nArg - p;
        break;
    case SB_TOP:
        d = nMin - p;
        break;
    case SB_BOTTOM:
        d = nMax - p;
        break;
    default:
        bKnown = FALSE;
        break;
    }
    return d;
}

int GanttTakeHScroll(CWnd* pWnd, UINT nSBCode, UINT nPos, int& nHScrollDays)
{
    const int p = pWnd->GetScrollPos(SB_HORZ);
    int nMin = 0, nMax = 0;
    pWnd->GetScrollRange(SB_HORZ, &nMin, &nMax);
    nMax = pWnd->GetScrollLimit(SB_HORZ) - 1;
    BOOL bKnown = FALSE;
    const int d = GanttHScrollDelta(nSBCode, static_cast<int>(nPos), p, nMin, nMax, bKnown);
    if (!bKnown || d == 0)
        return 0;
    nHScrollDays += d;
    const BOOL bLine = nSBCode == SB_LINELEFT || nSBCode == SB_LINERIGHT;
    if (!bLine || (nHScrollDays >= 0 && nHScrollDays <= 100))
        pWnd->SetScrollPos(SB_HORZ, p + d, TRUE);
    return d;
}

void CGunterBar::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    const int d = GanttTakeHScroll(this, nSBCode, nPos, m_nHScrollDays);
    if (d != 0) {
        m_ptScrollPending.x = d;
        ApplyHScroll();
        Invalidate(TRUE);
    }
    CWnd::OnHScroll(nSBCode, nPos, pScrollBar);
}

void CGunterBar::ApplyHScroll()
{
    const int u = m_ptScrollPending.x;
    const int n = u * GetHScrollUnitDays();
    const int nSteps = n < 0 ? -n : n;
    for (int i = 0; i < nSteps; ++i) {
        if (n >= 1)
            NextDay(m_nFirstYear, m_nFirstMonth, m_nFirstDay);
        else
            PrevDay(m_nFirstYear, m_nFirstMonth, m_nFirstDay);
    }
    m_nHScrollDays = m_nHScrollDays - u + n;
    m_ptScrollPending.x = 0;
}

// ---- what the chart asks its view -----------------------------------------------------------

CGanttBarView* CGunterBar::GetBarView() const
{
    if (GetSafeHwnd() == NULL)
        return NULL;
    return DYNAMIC_DOWNCAST(CGanttBarView, GetParent());
}

BOOL CGunterBar::IsRestDay(int nYear, int nMonth, int nDay)
{
    CGanttBarView* pView = GetBarView();
    return pView != NULL ? pView->IsRestDay(nYear, nMonth, nDay) : FALSE;
}

void CGunterBar::GetResourceNames(const CStringArray& arrCodes, CString& strNames)
{
    strNames.Empty();
    if (CGanttBarView* pView = GetBarView())
        pView->GetResourceNames(arrCodes, strNames);
}

void CGunterBar::Recalc()
{
    if (CGanttBarView* pView = GetBarView())
        pView->Recalc();
}

CBrush* CGunterBar::GetPatternBrush(UINT nBitmapId)
{
    auto it = m_mapPatternBrushes.find(nBitmapId);
    if (it != m_mapPatternBrushes.end())
        return it->second;
    CBrush* pBrush = NULL;
    CBitmap bmp;
    if (bmp.LoadBitmap(nBitmapId)) {
        pBrush = new CBrush;
        if (!pBrush->CreatePatternBrush(&bmp)) {
            delete pBrush;
            pBrush = NULL;
        }
    }
    m_mapPatternBrushes[nBitmapId] = pBrush;
    return pBrush;
}

// ---- printing settings ----------------------------------------------------------------------

void CGunterBar::SetPrintFormat(int nTopMarginRows, int nHeadRows, int nLeftMargin, int nRightMargin,
                                int nTopMargin, int nBottomMargin, int nFootRows)
{
    if (nTopMarginRows >= 0) m_nTopMarginRows = nTopMarginRows;
    if (nHeadRows >= 0) m_nHeadRows = nHeadRows;
    if (nLeftMargin >= 0) m_nLeftMargin = nLeftMargin;
    if (nRightMargin >= 0) m_nRightMargin = nRightMargin;
    if (nTopMargin >= 0) m_nTopMargin = nTopMargin;
    if (nBottomMargin >= 0) m_nBottomMargin = nBottomMargin;
    if (nFootRows >= 0) m_nFootRows = nFootRows;
}
