// The Gantt bar view: creation, sizing, zoom, printing and what the chart asks of it.
#include "GanttBarView.h"

#include "Gantt_src/GanttRes.h"
#include "ProjectDoc.h"

IMPLEMENT_DYNCREATE(CGanttBarView, CView)

BEGIN_MESSAGE_MAP(CGanttBarView, CView)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_COMMAND(ID_GANTT_ZOOMOUT, OnZoomOut)
    ON_COMMAND(ID_GANTT_ZOOMIN, OnZoomIn)
    ON_COMMAND(ID_FILE_PRINT, CView::OnFilePrint)
    ON_COMMAND(ID_FILE_PRINT_DIRECT, CView::OnFilePrint)
    ON_COMMAND(ID_FILE_PRINT_PREVIEW, CView::OnFilePrintPreview)
END_MESSAGE_MAP()

CGanttBarView::CGanttBarView()
{
    m_dtChartStart.SetStatus(COleDateTime::invalid);
    m_dtChartEnd.SetStatus(COleDateTime::invalid);
}

CGanttBarView::~CGanttBarView() {}

CProjectDoc* CGanttBarView::GetDocument() const
{
    ASSERT(m_pDocument == NULL || m_pDocument->IsKindOf(RUNTIME_CLASS(CProjectDoc)));
    return static_cast<CProjectDoc*>(m_pDocument);
}

int CGanttBarView::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CView::OnCreate(lpCreateStruct) == -1)
        return -1;
    const CRect rect(lpCreateStruct->x, lpCreateStruct->y, lpCreateStruct->cx, lpCreateStruct->cy);
    m_wndChart.Create("CGunterBar", NULL, WS_CHILD | WS_TABSTOP, rect, this, IDC_GANTT_CHART);
    m_wndChart.InitDateRange(rect);
    m_wndChart.ShowWindow(SW_HIDE);
    return 0;
}

void CGanttBarView::OnInitialUpdate()
{
    CView::OnInitialUpdate();
    BuildChart();
    // A project away from today opens on its first bar rather than on an empty chart.
    m_wndChart.ShowEarliestBarIfNoneShows();
    m_wndChart.ShowWindow(SW_SHOW);
    if (CProjectDoc* pDoc = GetDocument())
        pDoc->SetModifiedFlag(FALSE);
}

void CGanttBarView::OnUpdate(CView* /*pSender*/, LPARAM /*lHint*/, CObject* /*pHint*/) {}

void CGanttBarView::OnDraw(CDC* /*pDC*/) {}

void CGanttBarView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo) { CView::OnPrepareDC(pDC, pInfo); }

void CGanttBarView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    if (m_wndChart.GetSafeHwnd() != NULL) {
        CRect rc;
        GetClientRect(&rc);
        m_wndChart.MoveWindow(&rc, TRUE);
    }
}

void CGanttBarView::Recalc()
{
    BuildChart();
    Repaint();
}

void CGanttBarView::Repaint()
{
    if (m_wndChart.GetSafeHwnd() == NULL)
        return;
    uint64_t nRows = 0;
    ModelRevisions(m_nPaintedRevision, nRows);
    m_wndChart.Invalidate(TRUE);
}

void CGanttBarView::SetCollapsedRows(const CUIntArray& arrRows, int nTopRow)
{
    m_arrCollapsedRows.Copy(arrRows);
    const int nOldTopRow = m_wndChart.GetTopRow();
    m_wndChart.SetTopRow(nTopRow);
    // While a chart edit is being written back, the edit lays the chart out once at its end.
    if (m_nLayoutDeferred > 0)
        return;
    // The grid syncs on each of its paints: the same tasks and settings give the same shapes.
    // A change the shapes were brought up to without a repaint here (a name: its bar's label)
    // is drawn anew.
    if (!NeedsLayout()) {
        if (s_pfnLayoutKept != NULL)
            s_pfnLayoutKept(*this);
        if (m_wndChart.GetTopRow() != nOldTopRow || m_nLaidOutRevision != m_nPaintedRevision)
            Repaint();
        return;
    }
    BuildChart();
    Repaint();
}

void CGanttBarView::TasksChanged(const std::vector<CTaskItem*>& changed, unsigned long long nFrom)
{
    if (nFrom != m_nLaidOutRevision || !CanUpdateInPlace())
        return;
    // The picture shows the layout the change starts from: only what the change renews
    // needs drawing again.
    const BOOL bPictureCurrent = m_nPaintedRevision == m_nLaidOutRevision;
    std::vector<CRenewed> renewed;
    if (!UpdateInPlace(changed.data(), changed.size(), &renewed))
        return;
    uint64_t nRows = 0;
    ModelRevisions(m_nLaidOutRevision, nRows);
    if (s_pfnLayoutKept != NULL)
        s_pfnLayoutKept(*this);
    if (bPictureCurrent && !renewed.empty())
        RepaintRenewed(renewed);
    else
        Repaint();
}

void CGanttBarView::RepaintRenewed(const std::vector<CRenewed>& renewed)
{
    if (m_wndChart.GetSafeHwnd() == NULL)
        return;
    uint64_t nRows = 0;
    ModelRevisions(m_nPaintedRevision, nRows);
    for (const CRenewed& was : renewed) {
        const CRenewed now = Renewed(was.pShape);
        m_wndChart.InvalidateShapeRows(was.nTop, was.nBottom);
        m_wndChart.InvalidateShapeRows(now.nTop, now.nBottom);
    }
}

void CGanttBarView::EnsureTaskVisible(CTaskItem* pTask) { m_wndChart.EnsureTaskVisible(pTask); }

BOOL CGanttBarView::IsRestDay(int nYear, int nMonth, int nDay)
{
    CProjectDoc* pDoc = GetDocument();
    return pDoc != NULL && pDoc->IsRestDay(nYear, nMonth, nDay) != 0;
}

void CGanttBarView::GetResourceNames(const CStringArray& arrCodes, CString& strNames)
{
    strNames.Empty();
    CProjectDoc* pDoc = GetDocument();
    const int nCount = static_cast<int>(arrCodes.GetSize());
    for (int i = 0; i < nCount; ++i) {
        CString strName = pDoc != NULL ? pDoc->GetResNameByCode(arrCodes[i]) : CString();
        if (strName.IsEmpty())
            strName = arrCodes[i];
        if (strName.IsEmpty())
            continue;
        strNames += strName;
        if (i != nCount - 1)
            strNames += ",";
    }
}

void CGanttBarView::ZoomOut()
{
    const int nLevel = m_wndChart.GetTimeScale();
    if (nLevel < 4)
        m_wndChart.SetTimeScale(nLevel + 1);
}

void CGanttBarView::ZoomIn()
{
    const int nLevel = m_wndChart.GetTimeScale();
    if (nLevel > 1)
        m_wndChart.SetTimeScale(nLevel - 1);
}

void CGanttBarView::OnZoomOut() { ZoomOut(); }
void CGanttBarView::OnZoomIn() { ZoomIn(); }

// ---- printing ---------------------------------------------------------------------------------

BOOL CGanttBarView::OnPreparePrinting(CPrintInfo* pInfo)
{
    // One print dialog: the base class would run it a second time.
    return DoPreparePrinting(pInfo);
}

void CGanttBarView::OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    m_wndChart.OnBeginPrinting(pDC, pInfo);
    CView::OnBeginPrinting(pDC, pInfo);
}

void CGanttBarView::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    m_wndChart.OnPrint(pDC, pInfo);
    CView::OnPrint(pDC, pInfo);
}

void CGanttBarView::OnEndPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    m_wndChart.OnEndPrinting(pDC, pInfo);
    CView::OnEndPrinting(pDC, pInfo);
}

void CGanttBarView::OnEndPrintPreview(CDC* pDC, CPrintInfo* pInfo, POINT point, CPreviewView* pView)
{
    CView::OnEndPrintPreview(pDC, pInfo, point, pView);
}
