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
class CTaskTreeView;
class CRestDayCounter;
class CReadAhead;
class CLayoutInputHash;
class CTaskTreeSpanWalk;
template <class TYPE> class CTrackedPtrList;

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
    // The rows the task tree hides and its top row; lays the chart out again unless nothing
    // the layout reads has changed since the chart's last layout.
    void SetCollapsedRows(const CUIntArray& arrRows, int nTopRow) override;
    void EnsureTaskVisible(CTaskItem* pTask) override;

    // A chart edit of the task: written back into the grid and propagated.
    void OnTaskChanged(CTaskItem* pTask);
    // A vertical scroll of the chart handed to the task tree's grid; nothing without one.
    void SyncTreeScroll(UINT nSBCode, int nTopRow, CScrollBar* pScrollBar, BOOL bFlag);

    BOOL IsRestDay(int nYear, int nMonth, int nDay);
    // Whether the task of nPredRow may become a finish-to-start predecessor of the task of
    // nSuccRow (the grid's link checks); on refusal strMessage receives the check's text.
    BOOL CheckTaskLink(int nSuccRow, int nPredRow, CString& strMessage);
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

    // Under test: a sync that keeps the shapes on an unmoved task stamp folds the inputs all
    // the same, and counts those that differ from the shapes' (none may).
    static BOOL s_bVerifyLayoutInputs;
    static int s_nStaleLayoutInputs;

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
        std::vector<CPendingArrow>& arrows;
        CReadAhead& ahead;
        CLayoutInputHash& inputs;  // what the walk read, folded as LayoutInputs folds it
        CTaskTreeSpanWalk* pSpan;  // takes in every task of the tree first, or NULL
    };
    // The layout; with pSpan, the header dates and critical marks are brought up to date on
    // its walk, and FALSE tells that they could not be (FinishSpan): the layout is to be made
    // again after the tree view's own walks. Without, they are up to date before.
    BOOL LayoutChart(CTaskTreeView* pTree, CTaskTreeSpanWalk* pSpan);
    // After the walk: the header dates and the critical chains, the bars of the tasks these
    // raised turned red; FALSE when the walk's tasks were not the rows' or a chain dropped a
    // link the walk had read.
    BOOL FinishSpan(CTaskTreeView& tree, const CTaskTreeSpanWalk& span, CLayoutInputHash& inputs);
    void LayoutTasks(const CTrackedPtrList<CTaskItem*>& list, CLayoutWalk& walk);
    void LayoutTask(CTaskItem* pTask, CLayoutWalk& walk);
    void NoteRowShape(CTaskBase* pShape);
    // What the layout reads (tasks, links, collapsed rows, rest days, zoom), as one number.
    uint64_t LayoutInputs();
    // Folds in what the layout reads besides the tasks; the document, or NULL without one.
    CProjectDoc* AddLayoutSettings(CLayoutInputHash& h);
    // What the layout reads besides the tasks, as one number.
    uint64_t LayoutSettings();
    // Records the inputs a layout read (nSettings: their LayoutSettings), with the task
    // stamp of that moment.
    void NoteShapesInputs(uint64_t nInputs, uint64_t nSettings);
    // Whether the shapes the chart has are those of the present inputs: at once when no task
    // has changed since (the task stamp) and the settings are the same, else by folding the
    // inputs.
    BOOL ShapesCurrent();

    // Lookups of one layout (the arrays above stay the record of it).
    CCollapsedRowIndex<UINT> m_collapsedIndex;
    CGanttRowTable<char> m_summaryRows;
    CGanttRowTable<char> m_criticalRows;
    CGanttRowTable<CTaskBase*> m_rowShapes;  // first shape of each row
    COleDateTime m_dtOrigin;
    int m_nLayoutDeferred = 0;  // > 0 while OnTaskChanged writes a chart edit back
    // The layout inputs of the shapes the chart has.
    uint64_t m_nShapesInputs = 0;
    BOOL m_bShapesInputsKnown = FALSE;
    uint64_t m_nShapesStamp = 0;     // the task stamp when they were read
    uint64_t m_nShapesStructure = 0; // the structure stamp then
    uint64_t m_nShapesSettings = 0;  // LayoutSettings then
    uint64_t m_nLabelStamp = 0;      // the label stamp when the chart was last invalidated here
    std::vector<const void*> m_inputsTrail;  // what the last look at the inputs read, in order
    std::vector<const void*> m_inputsTrailSpare;  // room for the next look's
    std::vector<const void*> m_layoutTrail;  // the same for the layout's own walk
    std::vector<const void*> m_layoutTrailSpare;
    // The rest days of the document's calendar as the layouts count them, kept from one
    // layout to the next while the calendar is the same (CalendarKey): its days are asked
    // once, not once per layout.
    std::unique_ptr<CRestDayCounter> m_pRestDays;
    std::vector<uint64_t> m_restDaysKey;
    // Everything the calendar's answers depend on: the document, the base calendar, the week
    // days and the calendar items (each object and its values).
    std::vector<uint64_t> CalendarKey();
};
