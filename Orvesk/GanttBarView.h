// The Gantt bar view: the right-hand pane of the Gantt container. It owns the chart window
// and fills it with one bar per visible task and one arrow per link on every layout, and
// relays between the chart and the task tree view (chart edits written back into the grid,
// link checks, vertical scrolling).
#pragma once

#include <ClassLib/AfxWin.h>
#include <ClassLib/DocView/View.h>

#include "GanttBarHooks.h"
#include "GanttRowTable.h"
#include "Gantt_src/GunterBar.h"

#include <cstdint>
#include <memory>
#include <vector>

class CProjectDoc;
class CTaskItem;
class CTaskBase;
class CTaskLineArrow;
class CTaskLink;
class CTaskPolygon;
class CTaskRect;
class CTaskTreeView;
class CRestDayCounter;
class CReadAhead;
template <class BASE_CLASS, class TYPE> class CTypedPtrList;
class CObList;

class AFX_EXT_CLASS CGanttBarView : public CView, public CGanttBarViewHooks
{
    DECLARE_DYNCREATE(CGanttBarView)

public:
    CGanttBarView();
    virtual ~CGanttBarView();

    CProjectDoc* GetDocument() const;
    CGunterBar& GetChart() { return m_wndChart; }

    // Lays the chart out again from the document's task tree.
    void BuildChart();
    // BuildChart and a repaint of the chart.
    void Recalc();
    // The rows the task tree hides and its top row; lays the chart out again when it needs
    // one (NeedsLayout).
    void SetCollapsedRows(const CUIntArray& arrRows, int nTopRow) override;
    void EnsureTaskVisible(CTaskItem* pTask) override;
    // UpdateTasks' renewal in place and a repaint, for a chart laid out at nFrom.
    void TasksChanged(const std::vector<CTaskItem*>& changed, unsigned long long nFrom) override;

    // A chart edit of the task: written back into the grid and propagated.
    void OnTaskChanged(CTaskItem* pTask);
    // A vertical scroll of the chart handed to the task tree's grid; nothing without one.
    void SyncTreeScroll(UINT nSBCode, int nTopRow, CScrollBar* pScrollBar, BOOL bFlag);

    BOOL IsRestDay(int nYear, int nMonth, int nDay);
    // Whether the task of nPredRow may become a finish-to-start predecessor of the task of
    // nSuccRow (the grid's link checks); on refusal strMessage receives the check's text.
    BOOL CheckTaskLink(int nSuccRow, int nPredRow, CString& strMessage);
    // A finish-to-start link of lag 0 from pPred to pSucc, as a link drawn in the chart makes
    // it: through the document's schedule when it holds both tasks, else appended by hand
    // and the schedule taken in again.
    void AddChartLink(CTaskItem* pSucc, CTaskItem* pPred);
    // The names of the resources of the codes, joined with ","; a code without a name
    // stands for itself.
    void GetResourceNames(const CStringArray& arrCodes, CString& strNames);
    void GetChartStartDate(COleDateTime& dt) const { dt = m_dtChartStart; }
    void GetChartEndDate(COleDateTime& dt) const { dt = m_dtChartEnd; }
    // Where a link leaves its predecessor's bar: (0, 0) when the row has no bar or the type
    // is not 1 to 4.
    CPoint GetLinkAnchor(int nRow, int nLinkType);
    BOOL IsRowCollapsed(UINT nRow) const;
    int CountCollapsedRowsAbove(UINT nRow) const;
    BOOL IsSummaryRow(UINT nRow) const;
    BOOL IsCriticalRow(UINT nRow) const;

    void ZoomOut();
    void ZoomIn();

    // The task tree view among the document's views, or NULL.
    CTaskTreeView* GetTaskTreeView() const;

    // Whether the shapes are no longer those of the tasks and the chart settings: the
    // document schedule's revision moved since the last layout, or the settings it read differ.
    BOOL NeedsLayout();
    // Whether the shapes, the row lists and the chart's shape index are those a layout made
    // now would give (they are laid out again to tell; equal shapes stay the same objects).
    BOOL LayoutIsFresh();
    // The chart brought up to date after an edit that changed only fields of the tasks and
    // their links (dates, durations, progress, milestone, critical marks, names, links that
    // came or went or changed; no task came, went or changed row, the chart settings stayed:
    // the schedule's rows revision is the layout's): the bars of the tasks named and the
    // arrows that end or start on them are made again in place, the rest is kept. pChanged
    // names every task whose own fields or links changed (marks as the caller left them:
    // BuildChart's header and marks pass is not made). When anything else moved, or the
    // change reaches past what an update can mend (a bar that comes or goes, the task holding
    // the chart's first or last date), the whole chart is laid out again (and FALSE
    // returned). The caller repaints.
    BOOL UpdateTasks(CTaskItem* const* pChanged, size_t nChanged);
    BOOL UpdateTasks(const std::vector<CTaskItem*>& changed) { return UpdateTasks(changed.data(), changed.size()); }
    // The whole layouts made so far (BuildChart).
    unsigned Layouts() const { return m_nLayouts; }
    // Called when a sync keeps the shapes (the test suites check them against a fresh layout).
    static void (*s_pfnLayoutKept)(CGanttBarView& view);

public:
    virtual void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = NULL);
    virtual void OnInitialUpdate();
    virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);
    virtual void OnDraw(CDC* pDC);
    virtual BOOL OnPreparePrinting(CPrintInfo* pInfo);
    virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnEndPrintPreview(CDC* pDC, CPrintInfo* pInfo, POINT point, CPreviewView* pView);

public:
    CGunterBar m_wndChart;
    CUIntArray m_arrCollapsedRows;
    COleDateTime m_dtChartStart;
    COleDateTime m_dtChartEnd;
    CDWordArray m_arrSummaryRows;
    CDWordArray m_arrCriticalRows;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnZoomOut();
    afx_msg void OnZoomIn();
    DECLARE_MESSAGE_MAP()

private:
    // An arrow to make once every bar is placed: it starts on its predecessor's bar.
    struct CPendingArrow
    {
        CTaskLink* pLink;
        CPoint ptEnd;
    };
    // What one layout walk keeps at hand.
    struct CLayoutWalk
    {
        CRestDayCounter& counter;
        double dDayWidth;
        CRect rcClient;
        CReadAhead& ahead;
    };
    // Where a task's bar goes: whether it shows, whether it has both dates, its bar line and
    // its ends.
    struct CBarPlace
    {
        BOOL bShown = FALSE;
        BOOL bPlaced = FALSE;
        int y = 0, x1 = 0, x2 = 0;
    };
    // What a layout reads besides the task records.
    struct CChartSettings
    {
        double dDayWidth = 0;
        int nOriginYear = 0, nOriginMonth = 0, nOriginDay = 0;
        BOOL bWindow = FALSE;
        const CProjectDoc* pDoc = NULL;
        std::vector<UINT> collapsedRows;
        std::vector<uint64_t> calendar;  // CalendarKey
        bool operator==(const CChartSettings& o) const;
    };
    CChartSettings CurrentSettings();
    // The bars and arrows of the task tree as it stands (BuildChart has brought the header
    // dates and critical marks up to date first).
    void LayoutChart();
    void LayoutTasks(const CTypedPtrList<CObList, CTaskItem*>& list, CLayoutWalk& walk);
    void LayoutTask(CTaskItem* pTask, CLayoutWalk& walk);
    void PlaceArrows();
    void NoteRowShape(CTaskBase* pShape);
    void TakeInChartDates(CTaskItem* pTask);
    CBarPlace PlaceOf(CTaskItem* pTask, CRestDayCounter& counter, double dDayWidth, const CRect& rcClient) const;
    static CPoint ArrowEnd(const CTaskItem* pTask, const CTaskLink* pLink, const CBarPlace& place);
    void FillSummaryBar(CTaskPolygon* pShape, CTaskItem* pTask, const CBarPlace& place);
    void FillBar(CTaskRect* pShape, CTaskItem* pTask, const CBarPlace& place);
    void FillArrow(CTaskLineArrow* pArrow, const CPendingArrow& pending);
    // UpdateTasks' steps: FALSE when the change needs a whole layout. Each shape made again
    // is noted with the rows it covered before (the shape index is kept when none moved).
    struct CRenewed
    {
        CTaskBase* pShape;
        int nTop, nBottom;
    };
    static CRenewed Renewed(CTaskBase* pShape);
    // The revisions of the document's schedule (0 without a document); FALSE when the
    // document is to take its schedule in again (the revisions are not known).
    BOOL ModelRevisions(uint64_t& nRevision, uint64_t& nRows) const;
    BOOL CanUpdateInPlace();
    // pRenewed, when given, gets the shapes made again with the rows they covered before;
    // it is left empty when arrows came or went (their old places are not kept).
    BOOL UpdateInPlace(CTaskItem* const* pChanged, size_t nChanged, std::vector<CRenewed>* pRenewed = NULL);
    void RelinkArrowsTo(CTaskItem* pTask, const CBarPlace& place);
    BOOL CanRenew(CTaskItem* pTask, const CBarPlace& place) const;
    void RenewBar(CTaskItem* pTask, const CBarPlace& place, std::vector<CRenewed>& renewed);
    void MarkCriticalRow(UINT nRow, BOOL bCritical);
    void ArrowsOf(CTaskItem* pTask, const CBarPlace& place, std::vector<CPendingArrow>& arrows) const;
    size_t KeptArrowCount(CTaskItem* pTask, const CBarPlace& place) const;
    BOOL ArrowsKept(CTaskItem* pTask, const CBarPlace& place) const;
    BOOL RenewArrowsTo(CTaskItem* pTask, const CBarPlace& place, std::vector<CRenewed>& renewed);
    void RenewArrowsFrom(int nRow, std::vector<CRenewed>& renewed);
    void RenewArrow(size_t nArrow, std::vector<CRenewed>& renewed);
    void MakeArrowsFrom();
    BOOL KeepChartDates(CTaskItem* pTask);
    void WalkChartDates(const CTypedPtrList<CObList, CTaskItem*>& list);

    // Lookups of one layout (the arrays above stay the record of it).
    CCollapsedRowIndex<UINT> m_collapsedIndex;
    CGanttRowTable<char> m_summaryRows;
    CGanttRowTable<char> m_criticalRows;
    CGanttRowTable<CTaskBase*> m_rowShapes;  // first shape of each row
    // The arrows in list order with what made them, and each row's first arrow (index + 1):
    // a task's arrows are made one after the other.
    std::vector<CPendingArrow> m_arrows;
    std::vector<CTaskLineArrow*> m_arrowShapes;
    CGanttRowTable<int> m_rowFirstArrow;
    // The arrows by the row they start on (made at the first update after a layout): those of
    // row r are m_arrowsFromOrder[m_arrowsFrom[r] .. m_arrowsFrom[r + 1]); rows beyond the
    // table's in m_arrowsFromFar.
    BOOL m_bArrowsFromMade = FALSE;
    std::vector<int> m_arrowsFrom;
    std::vector<int> m_arrowsFromOrder;
    std::vector<int> m_arrowsFromFar;
    // The first tasks holding the chart's first and last dates.
    const CTaskItem* m_pChartStartTask = NULL;
    const CTaskItem* m_pChartEndTask = NULL;
    // Whether two shown tasks shared a row, and whether the rows went up along the walk (the
    // critical rows' array is then sorted).
    BOOL m_bRowShared = FALSE;
    BOOL m_bRowsInOrder = TRUE;
    long long m_nLastWalkRow = 0;
    COleDateTime m_dtOrigin;
    int m_nLayoutDeferred = 0;  // > 0 while OnTaskChanged writes a chart edit back
    // What the shapes show: the schedule's revision and rows revision they were last brought
    // up to (a layout, after its header dates and critical marks, or an update in place), and
    // the settings of the last layout.
    BOOL m_bLaidOut = FALSE;
    unsigned m_nLayouts = 0;
    uint64_t m_nLaidOutRevision = 0;
    uint64_t m_nLaidOutRows = 0;
    BOOL m_bLaidOutKnown = FALSE;  // whether the revisions were known then
    CChartSettings m_laidOutSettings;
    uint64_t m_nPaintedRevision = 0;  // the revision when the chart was last invalidated here
    void Repaint();
    // Only the rows of the shapes made again, before and after: what else the chart shows
    // is as it was.
    void RepaintRenewed(const std::vector<CRenewed>& renewed);
    // What the last layout's walk read, in order: the next walk asks for it a little ahead
    // (ReadAhead.h; at 50,000 tasks the records lie far beyond the caches).
    std::vector<const void*> m_layoutTrail;
    std::vector<const void*> m_layoutTrailSpare;
    // Everything the calendar's answers depend on: the document, the base calendar, the week
    // days and the calendar items (each object and its values).
    std::vector<uint64_t> CalendarKey();
};
