// The task tree view: the left pane of the Gantt container. Its task grid shows one task
// per row (tree column 2); the view turns the document's task tree into rows and the rows
// back into the task tree, resolves the predecessor links into rows and successor lists,
// keeps durations and dates in working days, moves successors along their links and tells
// the Gantt bar views which rows are folded away.
#pragma once

#include <ClassLib/AfxWin.h>
#include <ClassLib/DocView/View.h>
#include <ClassLib/Gdi/ImageList.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "BtnDataBase.h"
#include "DataVSame.h"
#include "GridCtrl.h"
#include "GridTaskHooks.h"
#include "TaskTreeViewHooks.h"
#include "TreeColumn.h"

class CRestDayCounter;
class CProjectDoc;
class CProjectSchedule;
class CTaskItem;
class CTaskLink;
class CProjectSpanWalk;
class CGanttBarViewHooks;
class CGanttBarView;

// Resources of the view.
#define IDB_TASK_STATES 20006   // 16 x 16 task state images, white transparent
#define IDC_TASK_GRID 20022     // the grid's control id
#define ID_TASK_OUTDENT 22014   // "任务左移"
#define ID_TASK_INDENT 22015    // "任务右移"
#define ID_TASK_ZOOMOUT 22003   // "缩小甘特图": the chart's zoom out
#define ID_TASK_ZOOMIN 22004    // "放大甘特图": the chart's zoom in

class AFX_EXT_CLASS CTaskTreeView : public CView, public CGridTaskViewHooks, public CTaskTreeViewHooks
{
    DECLARE_DYNCREATE(CTaskTreeView)

public:
    CTaskTreeView();
    ~CTaskTreeView() override;

    CProjectDoc* GetDocument() const;
    CGridCtrl& GetGrid() { return m_Grid; }

    // ---- set-up, filling and rebuilding -------------------------------------------------
    void SetupGrid();
    void FillGrid();
    void FillChildren(CTaskItem* pParent, int nLevel);
    // The document's task tree (top-level list and every task's children) made to follow
    // the rows' levels, rows being TaskRows(); lists that keep their tasks are not
    // rewritten. FALSE when a row has no name cell (the rows from it on are left out).
    BOOL RebuildTaskTree(const std::vector<CTaskItem*>& rows);
    // Resolves a link's predecessor by id, else by name, else by row; TRUE when found.
    BOOL FindPredecessor(int nID, CString& strName, int& nRow);
    // The same, the predecessor's task handed back (NULL when none).
    const CTaskItem* FindPredecessorTask(int nID, const CString& strName, int nRow);
    // The links a change of rows leaves to the successor pass that follows it: carried
    // along with m_movedRows, those to pGone dropped (as RemapLinkRows does).
    struct CLinkRemap
    {
        BOOL bPending = FALSE;
        const CTaskItem* pGone = NULL;
        int nGoneID = 0;
        int nGoneRow = 0;
    };
    // Resolves every row's links into predecessor rows and successor lists. With pRemap
    // (from RowsChanged), each task's links are carried along with the rows first.
    void BuildSuccessorLists(BOOL bRedraw, const CLinkRemap* pRemap = NULL);
    // TRUE when the task in row a is a descendant of the task in row b.
    BOOL IsChildRow(int nRowA, int nRowB);
    void LockSummaryRows();
    void SetDateCellsEditable(int nRow, BOOL bEditable);
    void RenumberRows();
    // Raises the document's highest row handed out to the last row holding a task.
    void KeepMaxRow();

    // ---- read-outs ------------------------------------------------------------------------
    int GetTaskCount() override;
    int GetTaskId(int nRow) override;
    CGridCtrl* GetTaskGrid() override { return &m_Grid; }
    int GetRowHeight(int nRow) { return m_Grid.GetRowHeight(nRow); }
    int GetFixedRowHeight() { return m_Grid.GetFixedRowHeight(); }
    int GetFixedRowCount() { return m_Grid.GetFixedRowCount(); }
    // The rows folded under collapsed parents and the top row handed to the chart views
    // by the last SyncGanttRows.
    const CUIntArray& GetCollapsedRows() const { return m_arrCollapsedRows; }
    int GetTopRow() const { return m_nTopRow; }

    // ---- the chart views (CGridTaskViewHooks) ------------------------------------------------
    void SyncGanttRows(int nRow, int nModified) override;
    void HoldLayouts(BOOL bHold) override;
    void UpdateGanttViews(CTaskItem* pTask) override;
    void RelinkRowsAbove(int nRow) override;
    void BuildSuccessorLists() override { BuildSuccessorLists(FALSE); }
    // ---- link checks (TaskTreeViewLinks.cpp) --------------------------------------------------
    // TRUE when the task of nPredRow may become a predecessor of the task of nSuccRow;
    // otherwise the cycle or parent/child text (two line breaks inside) goes into
    // strMessage. Every link of every task row takes part.
    BOOL CheckTaskLink(int nSuccRow, int nPredRow, CString& strMessage) override;
    // The names and task ids of the other named task rows that CheckTaskLink accepts as
    // predecessors of the task of nRow, in row order.
    void GetLinkableTasks(int nRow, CStringArray& arrNames, CUIntArray& arrIds) override;
    // The task property sheet for a row and its values written back (TaskTreeViewProperty.cpp):
    // 1 confirmed, -1 cancelled, 0 no sheet.
    int RunTaskProperty(int nRow, BOOL bDoubleClick) override;
    // The tasks of the grid's rows by row (NULL for row 0 and blank rows).
    std::vector<CTaskItem*> TaskRows() const;
    // The same tasks without a copy: the grid's kept table itself, whose row 0 (the header
    // row) is to be passed over. Valid until the grid's rows change.
    const std::vector<CTaskItem*>& KeptTaskRows() const;
    // The document's schedule to be taken in again; bLinks FALSE when only the tree or the
    // rows changed.
    void ForgetDocSchedule(BOOL bLinks = TRUE);
    // Deletes the first link of the task in row a whose predecessor row is b.
    void RemoveLink(int nRowA, int nRowB);
    // The predecessor rows typed into column 6 of nRow ("8,7") become the task's links
    // through the link checks (TaskTreeViewPredText.cpp): links to rows already linked keep
    // their type and lag, new ones are finish-to-start. An unknown row or a refused link
    // shows its message and leaves the links as they were. Either way the cell shows the
    // task's links afterwards. TRUE when the links were taken.
    BOOL ApplyPredecessorText(int nRow, CTaskItem* pTask);

    // ---- working days (dates of whole days; rest days from the document's calendar) ----
    BOOL IsRestDay(const COleDateTime& date);
    COleDateTime SkipRestDays(const COleDateTime& date);
    int CountRestDays(const COleDateTime& a, const COleDateTime& b);
    int CountRestDaysBetween(const COleDateTime& a, const COleDateTime& b) { return CountRestDays(a, b); }
    COleDateTime FinishFromStart(const COleDateTime& start, int n);
    COleDateTime StartFromFinish(const COleDateTime& finish, int n);
    COleDateTime ParseDateText(const CString& strText);
    // (finish - start in whole days) + 1 - rest days between them; never below 0.
    int WorkingDays(const COleDateTime& start, const COleDateTime& finish);
    // Working days of a duration in seconds (a working day is 86400).
    static int DurationDays(int nDuration);
    // The leading decimal number of a text ("2.5个工作日" -> 2.5); 0 when there is none.
    static double ParseLeadingNumber(LPCTSTR lpszText);
    // Days of a duration text: its leading number, divided by 24 when the unit after it is
    // "小时" (hours).
    static double ParseDurationDays(LPCTSTR lpszText);
    // The longest duration a task record holds (seconds in an int).
    static constexpr double kMaxDurationDays = 24855.0;
    // A whole decimal integer (optionally signed, blanks around); 0 for anything else.
    static int ParseInteger(LPCTSTR lpszText);

    // ---- edits and propagation --------------------------------------------------------------
    void ApplyDuration(int nRow, int nCol, const COleDateTime& start, int nDuration);
    void RollUpAncestors(int nRow, int nCol, COleDateTime date);
    // Settles the schedule after the task of nRow changed (TaskTreeViewSchedule.cpp): the
    // task, its successors, theirs and the summaries over them end at the earliest dates
    // every link allows, each checked once all it depends on is final; a task whose links
    // hold does not move. Tasks on a link cycle from stored data move at most once.
    void PropagateDates(int nRow);
    // The same for several changed tasks at once.
    void SettleSchedule(const std::vector<int>& seeds);
    // A task whose dates are about to be changed outside the schedule (a cell edit, a bar
    // moved or resized): the schedule keeps its dates before, to follow the change as one
    // of its own edits.
    void NoteScheduleChange(CTaskItem* pTask);
    // Tasks changed before they are reported (a bar moved or resized, the property sheet):
    // the reports made while one of these lives do not note the tasks' dates, which have
    // moved already (the schedule then takes the header dates and marks in afresh, unless
    // the change was noted before it was made).
    struct COutsideChange
    {
        CTaskTreeView& view;
        explicit COutsideChange(CTaskTreeView& v) : view(v) { view.m_nOutsideChange++; }
        ~COutsideChange() { view.m_nOutsideChange--; }
        COutsideChange(const COutsideChange&) = delete;
        COutsideChange& operator=(const COutsideChange&) = delete;
    };
    int m_nOutsideChange = 0;
    // For tests: called with the document's schedule each time the view has settled it.
    static void (*s_pfnScheduleSettled)(CProjectSchedule& schedule);
    // Every summary's dates from its children (after rows were inserted, deleted or
    // re-levelled), and the schedule settled after those that changed; TRUE when any did.
    // The document's schedule names the summaries whose children changed (every one after
    // it took the tree in again) and rolls them up.
    BOOL SettleSummaries();
    // For tests: with s_bVerifySummaries, summaries found not spanning their children after
    // SettleSummaries are counted.
    static BOOL s_bVerifySummaries;
    static int s_nUnsettledSummaries;
    // What a link of type nType (1 finish-to-start, 2 finish-to-finish, 3 start-to-finish,
    // 4 start-to-start) with a lag of nLag working days asks of its successor, by the shared
    // link rule (ClassLib/Core/WorkingDays.h): the earliest date into required, and which
    // date it bounds (linkBounds...).
    enum { linkBoundsNothing = 0, linkBoundsStart = 1, linkBoundsFinish = 2 };
    int LinkRequirement(int nType, int nLag, const CTaskItem& pred, COleDateTime& required);
    // Moves each child (and its subtree) on by nDays working days, as a summary moved by its
    // links does: a date becomes the nDays-th working day after it.
    void ShiftChildren(CTaskItem* pTask, int nDays);
    // The working days after from, up to and including to (0 when to is not later).
    int SumChildTrueDurations(CTaskItem* pTask);
    // The milestone mark follows the duration: set at 0, cleared above.
    static void KeepMilestone(CTaskItem* pTask);

    // ---- inserted, deleted and new tasks; levels; assignees --------------------------------
    void DetachTask(CTaskItem* pTask);
    // A deleted leaf taken out through the document's schedule (its summary to be rolled
    // up); FALSE when the schedule is to take the rows in again instead.
    BOOL TellScheduleDeleted(CTaskItem* pTask);
    // A task just made in the blank row nRow (its level nLevel) put into the document's
    // schedule where the rebuild of the tree will find it; FALSE when the rebuild is left
    // to tell it.
    BOOL TellScheduleNamed(int nRow, CTaskItem* pTask, int nLevel);
    // A blank row the grid deleted taken out of the document's schedule's rows too.
    void TellScheduleBlankRowDeleted();
    void PropagateAssignees(int nRow);

    // ---- document services ------------------------------------------------------------------
    void ApplyServerIds(CString strReply) override;
    void RecalcFinishDates() override;
    void MarkCriticalTasks();
    // From the tasks that finish last, every task along their predecessor links becomes
    // critical; those that were not are added to pRaised, if given. TRUE when a link that
    // resolves to nothing or to its own task was dropped on the way.
    BOOL MarkCriticalChains(const CProjectSpanWalk& span, std::vector<CTaskItem*>* pRaised);
    BOOL MarkCriticalChain(int nRow, std::vector<CTaskItem*>* pRaised);
    // The project header's dates and every task's critical mark as the tasks now stand;
    // the chart asks for them before each layout.
    void UpdateProjectSpan() override;

    void OnDraw(CDC* pDC) override;
    // Printing and preview of the project window print the chart: each hook runs the same
    // one of the first Gantt bar view of the document (TaskTreeViewPrint.cpp).
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override;
    void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = NULL) override;
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;
    void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    void OnEndPrintPreview(CDC* pDC, CPrintInfo* pInfo, POINT point, CPreviewView* pView) override;
    // The first Gantt bar view of the document, or NULL.
    CGanttBarView* FirstGanttBar();
    void OnInitialUpdate() override;
    void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;

    // The grid row of the task; -1 when it is in none.
    int RowOfTask(const CTaskItem* pTask);

public:
    afx_msg LRESULT OnTaskChanged(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnTaskDeleted(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnTaskInserted(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnRowsChanged(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnNewTaskName(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnRowLevel(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnExpandChanged(WPARAM wParam, LPARAM lParam);
    afx_msg void OnIndent();
    // Edit → 任务删除 and 任务属性: the context menu's commands at the focus row, offered
    // when the context menu would offer them (a cell of a row right of the row numbers).
    afx_msg void OnEditTaskDelete();
    afx_msg void OnEditTaskProperty();
    afx_msg void OnUpdateEditTaskCommand(CCmdUI* pCmdUI);
    // Cut, copy and paste of the menus and their keys are the grid's clipboard commands.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    // Appends a blank row when the last row holds a task: a new task can always be typed
    // below the last one.
    void KeepBlankRowBelowTasks();
    afx_msg void OnOutdent();
    afx_msg void OnZoomOut();
    afx_msg void OnZoomIn();

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    DECLARE_MESSAGE_MAP()

    CTaskItem* RowTask(int nRow) const;
    // A named task row: a task in column 0 and a name in column 2.
    CTaskItem* NamedRowTask(int nRow) const;
    // NamedRowTask of each of the rows, the unnamed left out (in the rows' order).
    std::vector<CTaskItem*> NamedRowTasks(const std::vector<int>& rows) const;
    int RowLevel(int nRow);
    CString CellText(int nRow, int nCol);
    // CellText(nRow, nCol).IsEmpty() without copying the text (the row walks ask it of every row).
    BOOL IsCellEmpty(int nRow, int nCol) const;
    void SetCellDate(int nRow, int nCol, const COleDateTime& date);
    void SetCellDays(int nRow, int nDays);
    void SendTaskChanged(CTaskItem* pTask, int nRow, int nCol);
    void MarkModified(CTaskItem* pTask);
    // A change of the task's shown fields outside the schedule's edits (its name or status
    // typed): the schedule's revision moves and the chart renews the task.
    void ShowTaskChange(CTaskItem* pTask);
    void ChangeLevel(int nRow, int nLevel);
    // The document's schedule settled after the changed tasks (a task the view changes
    // itself is noted first, NoteScheduleChange, as the schedule's own edits are), and the
    // cells of every task it moved written; TRUE when one moved.
    // While layouts are held the tasks wait for the hold's end or the next SettleSummaries,
    // unless bNow.
    BOOL SettleTasks(const std::vector<CTaskItem*>& changed, BOOL bNow = FALSE);
    // A task's date cells (and its days with bDays) written as the schedule moved it.
    void WriteRowDates(CTaskItem* pTask, BOOL bDays);
    CGanttBarViewHooks* FirstGanttBarView();
    // Builds (and clears) the row index FindPredecessor uses while a whole-grid pass runs.
    void BuildPredIndex();
    // A pass may hand over the named rows' tasks by row (NamedRowTask of each), valid while
    // it runs; PassNamedRowTask reads them there, else in the grid.
    void BeginPredPass(const std::vector<CTaskItem*>* pNamedRows = NULL);
    CTaskItem* PassNamedRowTask(int nRow) const;
    void ClearPredIndex();
    // Rows moved since the tasks' rows were last stored (old row -> new row), and the
    // links' predecessor rows carried along with them; rows are TaskRows() as they are now.
    // With bStore, every task's row is stored in the same walk.
    const std::vector<int>& MovedRows(const std::vector<CTaskItem*>& rows, BOOL bStore);
    std::vector<int> m_movedRows;
    // With pGone, the other tasks' links to that task (gone from row nGoneRow, its id
    // nGoneID) are dropped in the same walk. The task is only compared with, never read.
    void RemapLinkRows(const std::vector<int>& moved, const std::vector<CTaskItem*>& rows,
                       const CTaskItem* pGone = NULL, int nGoneID = 0, int nGoneRow = 0) const;
    // The same for one task's links; TRUE when one went.
    static BOOL RemapLinksOf(CTaskItem* pTask, const std::vector<int>& moved, const CTaskItem* pGone, int nGoneID,
                             int nGoneRow);
    // What a change of rows does to the task tree (WM_GRID_ROWSCHANGED): links carried along
    // with their rows, the tree rebuilt; with pGone, the links to that task dropped too;
    // with bRenumber, every task of the rows first takes its row (RenumberRows). With
    // pLinksLater the links are not touched: what they need is written there, for the
    // BuildSuccessorLists the caller runs next to do in its own walk over them.
    void RowsChanged(const CTaskItem* pGone, int nGoneID, int nGoneRow, BOOL bRenumber,
                     CLinkRemap* pLinksLater = NULL);

    // The row index of the tasks while the successor lists are built (empty otherwise):
    // first row by task id and by name.
    struct CPredIndex
    {
        BOOL bPass = FALSE;   // a whole-grid pass is under way: the index may be built
        BOOL bBuilt = FALSE;
        const std::vector<CTaskItem*>* pNamedRows = NULL;
        std::unordered_map<int, int> byId;
        // Keys point into the tasks' names, which stay put while the index is used.
        std::unordered_map<std::string_view, int> byName;
    };

public:
    CGridCtrl m_Grid;
    CImageList m_ImageList;
    CTreeColumn m_TreeColumn;
    CBtnDataBase m_BtnDataBase;
    CDataVSame m_DataVSame;

protected:
    CUIntArray m_arrCollapsedRows;
    // The row-height changes and row count m_arrCollapsedRows was read at (SyncGanttRows).
    BOOL m_bCollapsedRowsKept = FALSE;
    unsigned m_nCollapsedRowsHeights = 0;
    int m_nCollapsedRowsCount = 0;
    int m_nTopRow;
    CPredIndex m_predIndex;
    // Above 0 while the schedule is being settled.
    int m_nEditDepth;
    // Date cells written by the run under way: the grid is repainted at its end.
    BOOL m_bDatesWritten = FALSE;
    // Above 0 while a level change runs: the chart is laid out once, when it ends, however
    // many of its steps asked for a layout (TRUE in m_bLayoutPending).
    int m_nLayoutHold = 0;
    BOOL m_bLayoutPending = FALSE;
    BOOL m_bLayoutModified = FALSE;
    // The tasks changed while layouts are held, settled when the hold ends; the tasks noted
    // as changed outside the schedule since the last settle, whose cells it writes.
    std::vector<CTaskItem*> m_heldSettle, m_noted;
    // A change of the schedule from revision nFrom handed to the chart: the tasks it changed.
    void HandChartChanges(unsigned long long nFrom, std::vector<CTaskItem*> tasks);
    // The project header's dates from the schedule's.
    void TakeHeaderDates(const CProjectSchedule& schedule);
    struct CLayoutHold
    {
        CTaskTreeView* pView;
        explicit CLayoutHold(CTaskTreeView* p) : pView(p) { pView->HoldLayouts(TRUE); }
        ~CLayoutHold() { pView->HoldLayouts(FALSE); }
    };
    // While an edit runs (m_nRestCacheDepth > 0) the calendar cannot change: the rest days
    // are read from the document's counter, taken once when the outermost edit starts.
    void BeginRestCache();
    void EndRestCache();
    CRestDayCounter* m_pEditRestDays = nullptr;
    int m_nRestCacheDepth;
    // Working space of RebuildTaskTree, kept between changes so that they allocate nothing.
    struct CTreeScratch
    {
        std::vector<CTaskItem*> visits, visitAt, ordered;
        std::vector<int> parents, slotStart, visitRow;
        // The tree the last rebuild made, by row (parent row, 0 for none, and children
        // count), for the rows knownRows; trusted only while bKnown.
        std::vector<CTaskItem*> knownRows;
        std::vector<int> parentRow, childCount;
        unsigned nTextWrites = 0;  // CGridCellBase::s_nTextWrites at the rebuild
        BOOL bKnown = FALSE;
    } m_treeScratch;
    // Keeps the tree RebuildTaskTree made when every task of the rows is in it.
    void KeepKnownTree(const std::vector<CTaskItem*>& rows, BOOL bComplete);
    // That tree when it was made for these very rows (and not dropped since), else NULL.
    const CTreeScratch* KnownTree(const std::vector<CTaskItem*>& rows) const;
    // Working space of BuildSuccessorLists: successors by predecessor row.
    struct CSuccScratch
    {
        std::vector<int> count;
        std::vector<std::pair<int, DWORD>> pairs;
        std::vector<CTaskItem*> named;
        std::string text;  // the predecessor column's text of the row under way
    } m_succScratch;
    // Tasks already marked by the critical-chain walk under way.
    std::unordered_set<const CTaskItem*> m_criticalSeen;
    // The summaries the last rebuild of the tree left without children: OnRowLevel makes
    // their dates typeable again and gives those that know their own duration as a leaf it back.
    std::vector<CTaskItem*> m_regainedLeaves;
    // The links the last level change took away (RelinkRowsAbove), told by OnRowLevel.
    int m_nDroppedParentChild = 0;
    int m_nDroppedCycle = 0;
    void TellDroppedLinks();
    // Widens the row-number and date columns to the texts they show (never narrows them).
    void FitColumnsToTexts();
    int TextRoom(int nRow, int nCol);
    int TextWidth(int nRow, int nCol, LPCTSTR lpszText);
    void WidenColumnFor(int nRow, int nCol, LPCTSTR lpszText);
    int m_nFittedDigits = 0;
    BOOL m_bDatesFitted = FALSE;
    // TRUE when a summary's dates are those RollUpSummary gives it.
    static BOOL SpansChildren(const CTaskItem* pTask);
};
