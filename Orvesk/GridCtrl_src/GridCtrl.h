// The grid window: a rectangular array of owner-drawn cells with fixed heading rows and
// columns, row heights and column widths, scrolling, focus, selection and keyboard handling.
// The task tree view embeds one as its task grid; other views use it as a plain grid.
#pragma once

#include "GridDefines.h"
#include "GridCellId.h"
#include "GridItem.h"
#include "GridCellBase.h"
#include "GridCell.h"
#include "GridCellMap.h"
#include "GridSizeArray.h"
#include "GridTaskHooks.h"
#include "GridPrintHooks.h"

#include <ClassLib/Ole/DataObject.h>

#include <set>
#include <unordered_map>
#include <vector>

// Window class name of the grid; a library that carries its own build of the grid names
// its own class.
#ifndef GRIDCTRL_CLASSNAME
#define GRIDCTRL_CLASSNAME _T("OrveskGridTreeCtrl")
#endif

// Compare function of a sort: the two cells (as CGridCellBase*) and the caller's value;
// negative, zero or positive.
typedef int (CALLBACK* PFNGRIDCOMPARE)(LPARAM lCell1, LPARAM lCell2, LPARAM lParamSort);

// One row of cells, with the place its cells read their row from.
class CGridRow : public CTypedPtrArray<CObArray, CGridCellBase*>
{
public:
    CGridRowPlace& Place() { return m_place; }
    const CGridRowPlace& Place() const { return m_place; }

private:
    CGridRowPlace m_place;
};

class CTitleTip;
class CGridDropTarget;
#ifdef GRIDCTRL_PREDTASK
class CGridDefaultCell;
// The owner's answer to the display-info request of a virtual grid can also come from a
// callback: it fills the item and answers TRUE.
typedef BOOL (CALLBACK* GRIDCALLBACK)(GridItem* pItem, LPARAM lParam);
#define GRIDN_GETDISPINFO   (-150)  // virtual mode: the parent fills a cell's item
#define GRIDN_ODCACHEHINT   (-113)  // virtual mode: the cells about to be used
#endif

class CGridCtrl : public CWnd
{
    DECLARE_DYNCREATE(CGridCtrl)

public:
    CGridCtrl(int nRows = 0, int nCols = 0, int nFixedRows = 0, int nFixedCols = 0);
    virtual ~CGridCtrl();

    BOOL Create(const RECT& rect, CWnd* pParentWnd, UINT nID,
                DWORD dwStyle = WS_CHILD | WS_BORDER | WS_TABSTOP | WS_VISIBLE);
    BOOL SubclassWindow(HWND hWnd);

    // Registers the grid's window class once per library; FALSE when that fails.
    static BOOL RegisterWindowClass();

    // ---- Counts -------------------------------------------------------------------------
    int GetRowCount() const { return m_nRows; }
    int GetColumnCount() const { return m_nCols; }
    int GetFixedRowCount() const { return m_nFixedRows; }
    int GetFixedColumnCount() const { return m_nFixedCols; }
    BOOL SetRowCount(int nRows = 10);
    BOOL SetColumnCount(int nCols = 10);
    BOOL SetFixedRowCount(int nFixedRows = 1);
    BOOL SetFixedColumnCount(int nFixedCols = 1);

    // ---- Sizes --------------------------------------------------------------------------
    int GetRowHeight(int nRow) const;
    // Moves on every change of the rows' heights (rows inserted and deleted included).
    unsigned RowHeightChanges() const { return m_arRowHeights.Changes(); }
    BOOL SetRowHeight(int nRow, int height);
    int GetColumnWidth(int nCol) const;
    BOOL SetColumnWidth(int nCol, int width);
    int GetDefCellHeight() const { return m_nDefCellHeight; }
    int GetDefCellWidth() const { return m_nDefCellWidth; }
    int GetFixedRowHeight() const;
    int GetFixedColumnWidth() const;
    long GetVirtualWidth() const;
    long GetVirtualHeight() const;
    // Width of one blank in the grid's font.
    int GetBlankWidth() const { return m_nBlankWidth; }
    // Tree cells keep their margin in the blank width.
    void SetBlankWidth(int nWidth) { m_nBlankWidth = nWidth; }

    BOOL AutoSizeColumn(int nCol, BOOL bIgnoreFixedRows = FALSE);
    BOOL AutoSizeRow(int nRow);
    void AutoSizeColumns();
    void ExpandColumnsToFit();
    void ExpandRowsToFit();
    void ExpandToFit();

    // ---- Colours and switches ------------------------------------------------------------
    void SetTextColor(COLORREF clr) { m_crTextColour = clr; }
    COLORREF GetTextColor() const { return m_crTextColour; }
    void SetTextBkColor(COLORREF clr) { m_crTextBkColour = clr; }
    COLORREF GetTextBkColor() const { return m_crTextBkColour; }
    void SetFixedTextColor(COLORREF clr) { m_crFixedTextColour = clr; }
    COLORREF GetFixedTextColor() const { return m_crFixedTextColour; }
    void SetFixedBkColor(COLORREF clr) { m_crFixedBkColour = clr; }
    COLORREF GetFixedBkColor() const { return m_crFixedBkColour; }
    void SetGridColor(COLORREF clr) { m_crGridColour = clr; }
    COLORREF GetGridColor() const { return m_crGridColour; }
    // Colours of the grid's title tip (CLR_DEFAULT: the tip's own).
    void SetTitleTipBackClr(COLORREF clr) { m_crTitleTipBackClr = clr; }
    COLORREF GetTitleTipBackClr() const { return m_crTitleTipBackClr; }
    void SetTitleTipTextClr(COLORREF clr) { m_crTitleTipTextClr = clr; }
    COLORREF GetTitleTipTextClr() const { return m_crTitleTipTextClr; }

    void SetGridLines(int nWhichLines = GRIDLINES_BOTH);
    int GetGridLines() const { return m_nGridLines; }

    void SetEditable(BOOL bEditable = TRUE) { m_bEditable = bEditable; }
    BOOL IsEditable() const { return m_bEditable; }
    void SetListMode(BOOL bEnableListMode = TRUE);
    BOOL GetListMode() const { return m_bListMode; }
    void SetSingleRowSelection(BOOL bSing = TRUE) { m_bSingleRowSelection = bSing; }
    BOOL GetSingleRowSelection() const { return m_bSingleRowSelection; }
    void EnableSelection(BOOL bEnable = TRUE);
    BOOL IsSelectable() const { return m_bEnableSelection; }
    void SetHandleTabKey(BOOL bHandleTab = TRUE) { m_bHandleTabKey = bHandleTab; }
    BOOL GetHandleTabKey() const { return m_bHandleTabKey; }
    void SetDoubleBuffering(BOOL bBuffer = TRUE) { m_bDoubleBuffer = bBuffer; }
    BOOL GetDoubleBuffering() const { return m_bDoubleBuffer; }
    void EnableTitleTips(BOOL bEnable = TRUE) { m_bTitleTips = bEnable; }
    BOOL GetTitleTips() const { return m_bTitleTips; }
    void SetRowResize(BOOL bResize = TRUE) { m_bAllowRowResize = bResize; }
    BOOL GetRowResize() const { return m_bAllowRowResize; }
    void SetColumnResize(BOOL bResize = TRUE) { m_bAllowColumnResize = bResize; }
    BOOL GetColumnResize() const { return m_bAllowColumnResize; }
    void EnableDragAndDrop(BOOL bAllow = TRUE) { m_bAllowDragAndDrop = bAllow; }
    BOOL GetDragAndDrop() const { return m_bAllowDragAndDrop; }
    void EnableHiddenColUnhide(BOOL bEnable = TRUE) { m_bHiddenColUnhide = bEnable; }
    BOOL GetHiddenColUnhide() const { return m_bHiddenColUnhide; }
    void EnableHiddenRowUnhide(BOOL bEnable = TRUE) { m_bHiddenRowUnhide = bEnable; }
    BOOL GetHiddenRowUnhide() const { return m_bHiddenRowUnhide; }
    void SetTaskGrid(BOOL bTaskGrid = TRUE) { m_bTaskGrid = bTaskGrid; }
    BOOL IsTaskGrid() const { return m_bTaskGrid; }
    // Drawing allowed; with bResetScrollBars the scroll bars are reset when it turns on.
    void SetRedraw(BOOL bAllowDraw, BOOL bResetScrollBars = FALSE);
    BOOL GetRedraw() const { return m_bAllowDraw; }

    // Lines per wheel notch (-1: a page per notch).
    int GetWheelScrollLines() const { return m_nRowsPerWheelNotch; }
    void SetWheelScrollLines(int nLines) { m_nRowsPerWheelNotch = nLines; }

    // The image list the cells take their images from (not owned).
    void SetImageList(CImageList* pList) { m_pImageList = pList; }
    CImageList* GetImageList() const { return m_pImageList; }
    // The grid's own images (bitmap IDB_GRID_IMAGES).
    CImageList* GetOwnImageList() { return &m_ImageList; }

    const LOGFONT* GetLogFont() const { return &m_Logfont; }
    CFont* GetGridFont() { return &m_Font; }

    // ---- Cells --------------------------------------------------------------------------
    CGridCellBase* GetCell(int nRow, int nCol) const;
    BOOL SetCell(int nRow, int nCol, CGridCellBase* pCell);
    BOOL SetCellType(int nRow, int nCol, CRuntimeClass* pRuntimeClass);
    void SetDefaultCellType(CRuntimeClass* pRuntimeClass) { m_pRtcDefault = pRuntimeClass; }
    CRuntimeClass* GetDefaultCellType() const { return m_pRtcDefault; }
    // The task record of a row's column-0 cell; NULL for a row without one.
    CTaskItem* GetRowTask(int nRow) const;
    // A task grid's duration, date and predecessor cells show their row's task's values: on
    // a row without a task they keep their text, whatever is typed, pasted or counted there
    // (naming the row gives its new task values of its own).
    BOOL KeepsTasklessText(int nRow, int nCol) const;
    // GetRowTask of every row (NULL for row 0), kept between changes: a row inserted or
    // deleted edits the kept table, any other change of rows, of a column-0 cell or of a
    // cell's task has it read again at the next call.
    const std::vector<CTaskItem*>& RowTasks() const;
    // For a walk down the rows, called at each row: asks the memory for what the walk
    // reaches a few rows on (a row's cell array, then its cells of the columns in
    // nColMask, bit c for column c), so that the rows' scattered objects arrive together
    // rather than one after another.
    // The columns in nTextMask have their cells' texts asked for as well.
    void PrefetchRowCells(int nRow, unsigned nColMask, unsigned nTextMask = 0) const;

    // "" when every row's place carries the row's index and every cell of a row not marked
    // loose is placed in its row and reads that row, as setting each cell's coordinates
    // afresh would leave them; else what differs first.
    CString VerifyRowPlaces() const;
    // Called, when set, after every renumbering of rows (tests check the rows' places).
    static void (*s_pfnRowsRenumbered)(const CGridCtrl& grid);

    // ---- Items --------------------------------------------------------------------------
    BOOL SetItem(const GridItem* pItem);
    BOOL GetItem(GridItem* pItem) const;
    BOOL SetItemText(int nRow, int nCol, LPCTSTR str);
    CString GetItemText(int nRow, int nCol) const;
    BOOL SetItemData(int nRow, int nCol, LPARAM lParam);
    LPARAM GetItemData(int nRow, int nCol) const;
    BOOL SetItemImage(int nRow, int nCol, int iImage);
    int GetItemImage(int nRow, int nCol) const;
    BOOL SetItemState(int nRow, int nCol, UINT state);
    UINT GetItemState(int nRow, int nCol) const;
    BOOL SetItemFormat(int nRow, int nCol, UINT nFormat);
    UINT GetItemFormat(int nRow, int nCol) const;
    BOOL SetItemBkColour(int nRow, int nCol, COLORREF cr = CLR_DEFAULT);
    COLORREF GetItemBkColour(int nRow, int nCol) const;
    BOOL SetItemFgColour(int nRow, int nCol, COLORREF cr = CLR_DEFAULT);
    COLORREF GetItemFgColour(int nRow, int nCol) const;
    BOOL SetItemFont(int nRow, int nCol, const LOGFONT* lf);
    const LOGFONT* GetItemFont(int nRow, int nCol) const;
    BOOL IsItemEditing(int nRow, int nCol) const;

    void SetModified(BOOL bModified = TRUE, int nRow = -1, int nCol = -1);
    BOOL GetModified(int nRow = -1, int nCol = -1) const;
    BOOL IsCellFixed(int nRow, int nCol) const;

    // ---- Rows and columns ---------------------------------------------------------------
    int InsertRow(LPCTSTR strHeading, int nRow = -1);
    int InsertColumn(LPCTSTR strHeading, UINT nFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE,
                     int nColumn = -1);
    BOOL DeleteRow(int nRow);
    BOOL DeleteAllItems();

    // ---- Sorting ------------------------------------------------------------------------
    BOOL SortTextItems(int nCol, BOOL bAscending);
    BOOL SortItems(PFNGRIDCOMPARE pfnCompare, int nCol, BOOL bAscending, LPARAM data = 0);
    int GetSortColumn() const { return m_nSortColumn; }
    BOOL GetSortAscending() const { return m_bAscending; }
    void SetSortColumn(int nCol) { m_nSortColumn = nCol; }
    // Text compare (multibyte byte order) and numeric compare of two cells; 0 when either
    // cell is missing.
    static int CALLBACK pfnCellTextCompare(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort);
    static int CALLBACK pfnCellNumericCompare(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort);

    // ---- Geometry -----------------------------------------------------------------------
    BOOL IsValid(int nRow, int nCol) const;
    BOOL IsValid(const CGridCellId& cell) const { return IsValid(cell.row, cell.col); }
    BOOL IsValid(const CGridCellRange& range) const;
    CGridCellRange GetCellRange() const;
    CGridCellId GetTopleftNonFixedCell() const;
    CGridCellRange GetVisibleNonFixedCellRange(LPRECT pRect = NULL) const;
    BOOL GetCellOrigin(int nRow, int nCol, LPPOINT p) const;
    BOOL GetCellOrigin(const CGridCellId& cell, LPPOINT p) const { return GetCellOrigin(cell.row, cell.col, p); }
    BOOL GetCellRect(int nRow, int nCol, LPRECT pRect) const;
    BOOL GetCellRect(const CGridCellId& cell, LPRECT pRect) const { return GetCellRect(cell.row, cell.col, pRect); }
    BOOL GetCellRangeRect(const CGridCellRange& cellRange, LPRECT lpRect) const;
    CGridCellId GetCellFromPt(CPoint point, BOOL bAllowFixedCellCheck = TRUE) const;
    BOOL IsCellVisible(int nRow, int nCol) const;
    BOOL IsCellVisible(const CGridCellId& cell) const { return IsCellVisible(cell.row, cell.col); }
    void EnsureVisible(int nRow, int nCol);
    void EnsureVisible(const CGridCellId& cell) { EnsureVisible(cell.row, cell.col); }
    BOOL MouseOverRowResizeArea(CPoint& point) const;
    BOOL MouseOverColumnResizeArea(CPoint& point) const;
    BOOL GetTextRect(int nRow, int nCol, LPRECT pRect);
    // The point relative to the cell's top-left corner; (0, 0) when the cell has no origin.
    CPoint GetPointClicked(int nRow, int nCol, const CPoint& point) const;

    // ---- Drawing ------------------------------------------------------------------------
    virtual void OnDraw(CDC* pDC);
    void EraseBkgnd(CDC* pDC);
    BOOL RedrawCell(int nRow, int nCol, CDC* pDC = NULL);
    BOOL RedrawCell(const CGridCellId& cell, CDC* pDC = NULL) { return RedrawCell(cell.row, cell.col, pDC); }
    BOOL RedrawRow(int nRow);
    BOOL RedrawColumn(int nCol);
    void Refresh();
    BOOL InvalidateCellRect(const CGridCellId& cell);
    // While drawing into a context other than the window's (chart printing, preview) or
    // printing, cells use the grid's font and draw no erase fill.
    BOOL IsDrawingOnDC() const { return m_bDrawingOnDC; }
    BOOL IsPrinting() const { return m_bPrinting; }
    BOOL GetPrintColour() const { return m_bPrintColour; }
    void SetPrintColour(BOOL bColour) { m_bPrintColour = bColour; }
    void SetPrintMarginInfo(int nHeaderHeight, int nFooterHeight, int nLeftMargin,
                            int nRightMargin, int nTopMargin, int nBottomMargin, int nGap);
    void GetPrintMarginInfo(int& nHeaderHeight, int& nFooterHeight, int& nLeftMargin,
                            int& nRightMargin, int& nTopMargin, int& nBottomMargin,
                            int& nGap) const;

    // ---- Printing, print preview, save and load ------------------------------------------
    // Runs a print job through the print dialog.
    void Print();
    // Prints every page onto a printer context (StartDoc to EndDoc); FALSE when the job
    // could not start or a page failed (the document is then aborted).
    BOOL PrintDocument(CDC* pDC);
    // Shows the print-preview frame, or leaves it when it is shown.
    void TogglePrintPreview();
    BOOL IsPrintPreviewShown() const;
    // The preview view that shows the grid; the view clears it when the preview ends.
    void SetPrintPreviewView(CWnd* pView) { m_pPrintPreviewView = pView; }
    CWnd* GetPrintPreviewView() const { return m_pPrintPreviewView; }
    // Fit the page to the paper (TRUE) or to the grid's width (FALSE, the default).
    void SetPrintToFit(BOOL bFit = TRUE) { m_bPrintToFit = bFit; }
    BOOL GetPrintToFit() const { return m_bPrintToFit; }
    virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo);
    virtual void PrintColumnHeadings(CDC* pDC, CPrintInfo* pInfo);
    virtual void PrintHeader(CDC* pDC, CPrintInfo* pInfo);
    virtual void PrintFooter(CDC* pDC, CPrintInfo* pInfo);
    virtual void PrintRowButtons(CDC* pDC, CPrintInfo* pInfo);
    // Draws the fixed rows and rows nFirstRow to nEndRow - 1 into an outside context, from
    // the rectangle's left edge; the left edge comes back advanced past the drawn columns.
    // pFont NULL: the grid's font.
    void DrawGridOnDC(CDC* pDC, LPRECT pRect, CFont* pFont, int nFirstRow, int nEndRow);
    // The same into the job's drawing rectangle (pInfo->m_rectDraw).
    void DrawGridOnDC(CDC* pDC, CPrintInfo* pInfo, CFont* pFont, int nFirstRow, int nEndRow);
    // Width of the columns that DrawGridOnDC draws: columns 0 up to, not including, the
    // last column of the visible non-fixed range.
    int GetColumnsWidth() const;
    // The page set-up of the current job (valid after OnBeginPrinting).
    CSize GetPrintCharSize() const { return m_CharSize; }
    CSize GetPrintPaperSize() const { return m_PaperSize; }
    CSize GetPrintLogicalPageSize() const { return m_LogicalPageSize; }
    int GetPrintPageHeight() const { return m_nPageHeight; }
    int GetPrintPageWidth() const { return m_nPageWidth; }
    int GetPrintPageCount() const { return m_nNumPages; }
    int GetPrintPagesAcross() const { return m_nPageMultiplier; }
    int GetCurrPrintRow() const { return m_nCurrPrintRow; }
    int GetCurrPrintCol() const { return m_nCurrPrintCol; }
    CFont* GetPrinterFont() { return &m_PrinterFont; }
    // Comma-separated text, one line per row (row 0: the column headings).
    BOOL Save(LPCTSTR filename);
    BOOL Load(LPCTSTR filename);

    // ---- Scrolling ----------------------------------------------------------------------
    void UpdateScrollBars() { ResetScrollBars(); }
    int GetScrollPos32(int nBar, BOOL bGetTrackPos = FALSE);
    BOOL SetScrollPos32(int nBar, int nPos, BOOL bRedraw = TRUE);
    // Scrolls as the grid's own vertical bar would, for the chart beside a task grid; with
    // bSync set the paint that follows does not report the scroll back to the chart.
    void VScrollSync(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar, BOOL bSync);
    int GetVScrollMax() const { return m_nVScrollMax; }
    int GetHScrollMax() const { return m_nHScrollMax; }

    // ---- Focus, selection and notifications ---------------------------------------------
    LRESULT SendMessageToParent(int nRow, int nCol, int nMessage);
    CGridCellId SetFocusCell(CGridCellId cell);
    CGridCellId SetFocusCell(int nRow, int nCol) { return SetFocusCell(CGridCellId(nRow, nCol)); }
    CGridCellId GetFocusCell() const { return m_idCurrentCell; }
    void SetSelectedRange(const CGridCellRange& Range, BOOL bForceRepaint = FALSE);
    void SetSelectedRange(int nMinRow, int nMinCol, int nMaxRow, int nMaxCol,
                          BOOL bForceRepaint = FALSE);
    void ResetSelectedRange();
    void SelectAllCells();
    void SelectColumns(CGridCellId currentCell);
    void SelectRows(CGridCellId currentCell);
    void SelectCells(CGridCellId currentCell);
    void OnSelecting(const CGridCellId& currentCell);
    CGridCellRange GetSelectedCellRange() const;
    int GetSelectedCount() const { return m_SelectedCellMap.GetCount(); }
    BOOL IsCellSelected(int nRow, int nCol) const;
    BOOL IsCellSelected(const CGridCellId& cell) const { return IsCellSelected(cell.row, cell.col); }
    BOOL IsCellEditable(int nRow, int nCol) const;
    BOOL IsCellEditable(const CGridCellId& cell) const { return IsCellEditable(cell.row, cell.col); }
    // Rows holding a selected cell, in ascending order.
    std::vector<int> GetSelectedRows() const;
    int GetMouseMode() const { return m_MouseMode; }
    void SetMouseMode(int nMode) { m_MouseMode = nMode; }
    CGridCellId GetSelectionStartCell() const { return m_SelectionStartCell; }
    void SetSelectionStartCell(const CGridCellId& cell) { m_SelectionStartCell = cell; }
    CGridCellId GetRightClickCell() const { return m_idRightClickCell; }

    // ---- The edit cycle -----------------------------------------------------------------
    virtual void OnEndEditCell(int nRow, int nCol, CString str);
    virtual void OnEditCell(int nRow, int nCol, CPoint point, UINT nChar);
    virtual void EndEditing();

    // ---- Clipboard commands -------------------------------------------------------------
    virtual void OnEditCut();
    virtual void OnEditCopy();
    virtual void OnEditPaste();
    virtual void OnEditSelectAll();

    // ---- Task grid ----------------------------------------------------------------------
    void AttachTreeColumn(CGridTreeColumnHooks* pTreeColumn, CBtnDataBase* pBtnDataBase);
    CGridTreeColumnHooks* GetTreeColumn() const { return m_pTreeColumn; }
    CBtnDataBase* GetBtnDataBase() const { return m_pBtnDataBase; }
    // The tree-cell side of a cell, NULL when it is not a tree cell.
    CGridTreeCellHooks* GetTreeCell(int nRow, int nCol) const;
    // The task tree view that is the grid's parent, NULL when the parent is another window.
    CGridTaskViewHooks* GetTaskView() const;
    CGridTaskTipHooks* GetTaskTip() const { return m_pTaskTip; }
    // Inserts a blank task row at nRow (appending when nRow is negative or past the end).
    // With task-row hooks set (GridSetTaskRowHooks) the row gets the task-row cells.
    virtual void InsertTaskRow(int nRow);
    // Writes a task record's values into the cells of a row (through the task-row hooks).
    virtual void SetTaskRow(int nRow, CTaskItem* pTask);

    // Task rows (GridCtrlTaskRows.cpp, built with the task-row cells). Inserts a task row
    // with the cells of the seven columns at nRow (at the end when nRow is negative or
    // past the end) and, when a name is given, writes the values into it; level -1 takes
    // the level of the row at the insertion point (of the last row when appending, 1 in a
    // grid of only the heading row). Returns the new row.
    int InsertTaskRow(int nRow, CTaskItem* pTask, int nTreeValue, int nStatus, LPCTSTR lpszName,
                      int nLevel, double dDays, const COleDateTime& dtStart,
                      const COleDateTime& dtFinish, LPCTSTR lpszPred);
    // Writes a task's values into an existing row; an empty name makes the row blank. A
    // negative row does nothing.
    void SetTaskRow(int nRow, CTaskItem* pTask, int nTreeValue, int nStatus, LPCTSTR lpszName,
                    int nLevel, double dDays, const COleDateTime& dtStart,
                    const COleDateTime& dtFinish, LPCTSTR lpszPred);
    // Sets the tree value of the row's tree cell and sets (bTopBit non-zero) or clears its
    // viewable bit; nothing without a tree cell.
    void SetTreeCellInfo(int nRow, int nTreeValue, int bTopBit);
    // Deletes a task row (above 0) and sends WM_GRID_TASKDELETED with its task.
    BOOL DeleteTaskRow(int nRow);
    // The duration text of a task row: one decimal, the integer alone when that decimal
    // is 0, then "个工作日" (2.5 -> "2.5个工作日", 2.96 -> "3个工作日").
    static CString FormatTaskDays(double dDays);
    void OnNewTask();
    void OnDeleteTask();
    // The row commands then act at the focus row (a command from the keys or the menu bar,
    // not from the context menu of the right-clicked cell).
    void ForgetRightClick() { m_idRightClickCell = CGridCellId(); }
    // Deletes the non-fixed rows whose name (column 2) is empty and appends one blank task
    // row.
    void TrimEmptyRows();
    int CountHiddenRows(int nRow) const;
    void InvertHalftoneRect(const CRect& rect);
    // The link checks of the task view that holds the grid (a plain grid allows every link
    // and has no candidates).
    BOOL CheckTaskLink(int nSuccRow, int nPredRow, CString& strMessage);
    void GetLinkableTasks(int nRow, CStringArray& arrNames, CUIntArray& arrIds);
    // The state tip of a cell: "%d:" and the task's state for column 1 of a task row; ""
    // for every other cell (GridCtrlTaskMouse.cpp).
    CString GetTaskStateTip(const CGridCellId& cell) const;
    // The last state tip shown ("" when none).
    const CString& GetLastTaskTip() const { return m_strLastTaskTip; }
    // 1 after a confirmed task property sheet, -1 after a cancelled one, 0 before any.
    int GetTaskPropertyResult() const { return m_nTaskPropertyResult; }
    // The task commands of the context menu.
    void OnInsertTasks();
    void OnDeleteTasks() {}
    void OnTaskProperty();

    // ---- Mouse, clipboard text and drag and drop ----------------------------------------
    // A click on a fixed-row cell sorts by that column.
    void SetHeaderSort(BOOL bSortOnClick = TRUE) { m_bSortOnClick = bSortOnClick; }
    BOOL GetHeaderSort() const { return m_bSortOnClick; }
    BOOL IsSorting() const { return m_bSorting; }
    CGridCellId GetLeftClickDownCell() const { return m_LeftClickDownCell; }
    BOOL IsLeftButtonDown() const { return m_bLMouseButtonDown; }
    // Row move: the task views' mouse-move feedback picks the armed row up (state 2) and
    // sets the target row.
    int GetRowMoveState() const { return m_nRowMoveState; }
    void SetRowMoveState(int nState) { m_nRowMoveState = nState; }
    int GetRowMoveSource() const { return m_nRowMoveSource; }
    int GetRowMoveTarget() const { return m_nRowMoveTarget; }
    void SetRowMoveTarget(int nRow) { m_nRowMoveTarget = nRow; }
    BOOL IsRowMovePending() const { return m_bRowMovePending; }
    // The level-drag request in use (the task views update its level while dragging).
    GridCellRequest& GetLevelDragRequest() { return m_LevelDragRequest; }
    CTitleTip* GetTitleTip() const;
    // Shows the title tip over a cell whose text does not fit it (the mouse-move handling
    // calls it for the cell under the cursor).
    void ShowTitleTip(int nRow, int nCol);
    CGridDropTarget* GetDropTarget() const { return m_pDropTarget; }

    virtual CImageList* CreateDragImage(CPoint* pHotSpot);
    virtual void OnFixedColumnClick(CGridCellId& cell);
    virtual void OnFixedRowClick(CGridCellId& cell);
    virtual void CutSelectedText();
    virtual COleDataSource* CopyTextFromGrid();
    virtual BOOL PasteTextToGrid(CGridCellId cell, COleDataObject* pDataObject);
    virtual void OnBeginDrag();
    virtual DROPEFFECT OnDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual DROPEFFECT OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual void OnDragLeave();
    virtual BOOL OnDrop(COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point);
    // Moves task row nSource with its subtree to just below nTarget; FALSE (nothing moved)
    // for rows out of range or a target inside the moved subtree.
    BOOL MoveTaskRow(int nSource, int nTarget);
    // Command enabling of the clipboard commands.
    BOOL CanCopy() const;
    BOOL CanCut() const;
    BOOL CanPaste() const;

protected:
#ifdef GRIDCTRL_PREDTASK
public:
    // ---- Predecessor build: default cells, virtual mode, veto, column types -------------
    // The default cell of the cell kind: corner, fixed row, fixed column or normal.
    CGridDefaultCell* GetDefaultCell(BOOL bFixedRow, BOOL bFixedCol) const;
    void SetVirtualMode(BOOL bVirtual);
    BOOL GetVirtualMode() const { return m_bVirtualMode; }
    void SetCallbackFunc(GRIDCALLBACK pCallback, LPARAM lParam)
    {
        m_pfnCallback = pCallback;
        m_lParamCallback = lParam;
    }
    int GetAutoSizeStyle() const { return m_nAutoSizeStyle; }
    void SetAutoSizeStyle(int nStyle) { m_nAutoSizeStyle = nStyle; }
    // Sizes a column to its widest measured cell; nStyle 1 fixed rows, 2 other rows, 3 both,
    // 0 the grid's auto-size style.
    BOOL AutoSizeColumn(int nCol, int nStyle, BOOL bResetScroll);
    // Empties the visible cells of a range through the owner's veto.
    void ClearCells(CGridCellRange range);
    // Replaces the cells of a column's rows by cells of another class, keeping their
    // contents; a combo class gets the option texts and the drop-list style.
    BOOL SetColumnCellType(int nCol, int nFirstRow, int nLastRow, const CStringArray& options,
                           CRuntimeClass* pRuntimeClass);
    // The validation of a changed text (TRUE accepts).
    virtual BOOL ValidateEdit(int nRow, int nCol, LPCTSTR str);
    // The initialise step run on subclassing; FALSE while another one runs.
    BOOL InitialiseGrid();
    // Fills a predecessor row once its name was chosen in column 1.
    void CompletePredecessorRow(int nRow);
    // Re-reads the system colours into the default cells.
    void SetDefaultCellColours();
    // The cell a virtual grid hands out (valid until the next GetCell).
    CGridCellBase* GetVirtualCell(int nRow, int nCol) const;
    // The cache hint to the parent.
    void SendCacheHintToParent(const CGridCellRange& range);
    // Prints one row's cells of the columns nFirstCol up to (not including) nEndCol into
    // rect, which moves right column by column; bFirstLine draws the line left of the first
    // cell and is cleared.
    void PrintRowCells(int nFirstCol, int nEndCol, int nRow, CRect& rect, CDC* pDC, BOOL& bFirstLine);
    // The print column of the page being printed (tests of the heading band).
    void SetCurrPrintCol(int nCol) { m_nCurrPrintCol = nCol; }
protected:
    void CreateDefaultCells();
    void DeleteDefaultCells();
    void SetDefaultCellFont(const LOGFONT* plf);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);

    CGridDefaultCell* m_pDefCells[4];  // normal, fixed row, fixed column, corner
    BOOL     m_bVirtualMode;
    int      m_nAutoSizeStyle;
    GRIDCALLBACK m_pfnCallback;
    LPARAM   m_lParamCallback;
    mutable CGridCellBase* m_pVirtualCell;
#endif

protected:
    // Cell classes by column for the row InsertRow makes (NULL entries and columns beyond
    // the count: the factory's); set only while a task row is inserted.
    CRuntimeClass* const* m_ppNewRowKinds;
    int m_nNewRowKinds;
    // A default cell prepared for a new cell's place, whose contents the cell copies.
    CGridCellBase* m_pCellPattern;

    // ---- Cell factory -------------------------------------------------------------------
    virtual CGridCellBase* CreateCell(int nRow, int nCol);
    virtual void DestroyCell(int nRow, int nCol);
    // The cells of every row from nRow on learn their position; a task grid's heading cells
    // show their row's number.
    void RenumberRowsFrom(int nRow);
    // A task grid's heading cell shows its row's number (a text cell placed in the row
    // keeps following it).
    void ShowRowNumber(int nRow, CGridCellBase* pHead);
    // What CreateCell does to a cell it has made (placed in its row when bPlace).
    void PrepareCell(CGridCellBase* pCell, int nRow, int nCol, BOOL bPlace);
    // A cell of the next new row (InsertRow): of the class m_ppNewRowKinds gives its column,
    // holding what a default cell made there would hand it (as SetCellType would), or else
    // the factory's.
    CGridCellBase* CreateRowCell(int nRow, int nCol);
    // Puts a cell into a row's column, placed there with its coordinates set.
    void PlaceCell(int nRow, int nCol, CGridCellBase* pCell);
    // The row object of a row; NULL outside the storage.
    CGridRow* RowObject(int nRow) const
    {
        return nRow >= 0 && nRow < m_RowData.GetSize() ? m_RowData.GetAt(nRow) : NULL;
    }

    virtual void PreSubclassWindow();
    // Gives the window the grid's font (from the stored LOGFONT) and the cell sizes it sets.
    void ApplyGridFont();

    void ResetScrollBars();
    void EnableScrollBars(int nBar, BOOL bEnable = TRUE);
    // A column's width set to its widest cell; the scroll bars are left to the caller.
    void FitColumnWidth(int nCol, CDC* pDC, BOOL bIgnoreFixedRows);
    void AppendLoadedColumns(int nCount);

    // Title tip, task tip and drop target of the window.
    void CreateTips();
    void DestroyTips();
    void HideTitleTip();
    void RegisterDropTarget();
    // Image list of the grid's own images.
    void CreateImageList();

    // Rewrites the stored coordinates of every cell of rows nFromRow to the last.
    void RenumberCells(int nFromRow);
    void MarkCellsFixed(int nRowFrom, int nRowTo, int nColFrom, int nColTo, BOOL bFixed);
    void DrawRowCells(CDC* pDC, int row, CRect rect, int nLeft, int nFirstCol, int nLastCol, const CRect& clipRect);
    // Keeps the selected-rows list in step with a cell's selected bit.
    void TrackSelectedRow(int nRow, int nCol, BOOL bSelected);
    void SetCellSelected(int nRow, int nCol, BOOL bSelected);
    void SetCellDropHilite(int nRow, int nCol, BOOL bHilite);
    void ClearModifiedCells();
    int VisibleRowsBetween(int nFrom, int nTo) const;
    void QuickSortRows(PFNGRIDCOMPARE pfnCompare, int nCol, BOOL bAscending, LPARAM data,
                       int low, int high);
    void SwapRows(int nRow1, int nRow2);
    void ScrollLines(UINT nMsg, UINT nCode, int nCount);

    // ---- Message handlers ---------------------------------------------------------------
    afx_msg void OnPaint();
    afx_msg void OnDestroy();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    // The scroll message of the bar nBar (SB_VERT: the rows, SB_HORZ: the columns): lines
    // step over hidden rows (columns), pages go by the scrolling part of the client area;
    // the vertical thumb of a task grid comes as a share of the range.
    void ScrollAlong(int nBar, UINT nSBCode, UINT nPos);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg UINT OnGetDlgCode();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnSysColorChange();
    afx_msg LRESULT OnSetFont(WPARAM hFont, LPARAM lParam);
    afx_msg LRESULT OnGetFont(WPARAM hFont, LPARAM lParam);
    afx_msg void OnEndInPlaceEdit(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg LRESULT OnGridRowLevel(WPARAM wParam, LPARAM lParam);
    afx_msg void OnNewTaskCommand();
    afx_msg void OnDeleteTaskCommand();
    afx_msg void OnInsertTasksCommand() { OnInsertTasks(); }
    afx_msg void OnDeleteTasksCommand() { OnDeleteTasks(); }
    afx_msg void OnTaskPropertyCommand() { OnTaskProperty(); }
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
#ifndef GRIDCTRL_PREDTASK
    // The task grid's double click (the predecessor grid has the grid's own, above).
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
#endif
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    // Mouse-move parts: the state tip, a step of the level drag.
    void UpdateTaskStateTip(CPoint point);
    void StepLevelDrag(CPoint point);
    // Mouse and clipboard commands.
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnUpdateEditCut(CCmdUI* pCmdUI);
    afx_msg void OnUpdateEditCopy(CCmdUI* pCmdUI);
    afx_msg void OnUpdateEditPaste(CCmdUI* pCmdUI);
    afx_msg void OnUpdateEditSelectAll(CCmdUI* pCmdUI);
    afx_msg void OnEditCutCommand() { OnEditCut(); }
    afx_msg void OnEditCopyCommand() { OnEditCopy(); }
    afx_msg void OnEditPasteCommand() { OnEditPaste(); }
    afx_msg void OnEditSelectAllCommand() { OnEditSelectAll(); }
    // The row of a row-resize release: the pressed row, or in a tree the nearest row above
    // it whose tree cell is viewable.
    int GetResizeTargetRow(int nRow) const;
    // The 2-pixel feedback band of a resize at x (column) or y (row).
    void InvertResizeBand(BOOL bColumn, int nPos);
    DECLARE_MESSAGE_MAP()

protected:
    // Row move (driven by the mouse handling).
    int      m_nRowMoveState;
    int      m_nRowMoveTarget;
    int      m_nRowMoveSource;
    BOOL     m_bRowMovePending;
    CGridTaskTipHooks* m_pTaskTip;
    BOOL     m_bSyncScroll;
    BOOL     m_bTaskGrid;
    CGridTreeColumnHooks* m_pTreeColumn;
    CBtnDataBase* m_pBtnDataBase;

    COLORREF m_crTextColour;
    COLORREF m_crTextBkColour;
    COLORREF m_crFixedTextColour;
    COLORREF m_crFixedBkColour;
    COLORREF m_crTitleTipBackClr;
    COLORREF m_crTitleTipTextClr;
    COLORREF m_crGridColour;
    COLORREF m_crWindowText;   // system colours as last read
    COLORREF m_crWindowColour;
    COLORREF m_cr3DFace;

    int      m_nGridLines;
    BOOL     m_bEditable;
    BOOL     m_bModified;
    BOOL     m_bAllowDragAndDrop;
    BOOL     m_bListMode;
    BOOL     m_bSingleRowSelection;
    BOOL     m_bAllowDraw;
    BOOL     m_bEnableSelection;
    BOOL     m_bHandleTabKey;
    BOOL     m_bDoubleBuffer;
    CBitmap  m_bmpBackBuffer;    // kept between paints; grows with the window
    BOOL     m_bTitleTips;
    BOOL     m_bVertScrollShown;
    BOOL     m_bHorzScrollShown;
    BOOL     m_bPrintToFit;
    BOOL     m_bHiddenColUnhide;
    BOOL     m_bHiddenRowUnhide;

    int      m_nRows;
    int      m_nFixedRows;
    int      m_nCols;
    int      m_nFixedCols;
    CGridSizeArray m_arRowHeights;
    CGridSizeArray m_arColWidths;
    // Rows holding a selected cell, with the number of selected cells of columns 1 and up.
    std::set<int> m_SelectedRows;
    std::unordered_map<int, int> m_SelectedRowCells;

    int      m_nBlankWidth;
    int      m_nDefCellWidth;
    int      m_nDefCellHeight;
    int      m_nVScrollMax;
    int      m_nHScrollMax;

    LOGFONT  m_Logfont;
    CFont    m_Font;

    CTypedPtrArray<CObArray, CGridRow*> m_RowData;
    // The kept RowTasks table: valid while m_bRowTasksKept and no cell's task changed since
    // it was read (CGridCellBase::s_nTaskWrites equals m_nRowTasksStamp).
    mutable std::vector<CTaskItem*> m_rowTasks;
    mutable unsigned m_nRowTasksStamp = 0;
    mutable BOOL m_bRowTasksKept = FALSE;
    BOOL RowTasksKept() const
    {
        return m_bRowTasksKept && m_nRowTasksStamp == CGridCellBase::s_nTaskWrites && (int)m_rowTasks.size() == m_nRows;
    }

    int         m_MouseMode;
    CGridCellId m_LeftClickDownCell;
    CGridCellId m_SelectionStartCell;
    CGridCellId m_idCurrentCell;
    CGridCellId m_idRightClickCell;
    CPoint      m_LeftClickDownPoint;
    BOOL        m_bLMouseButtonDown;

    UINT_PTR m_nTimerID;
    int      m_nTimerInterval;
    int      m_nResizeCaptureRange;
    BOOL     m_bAllowRowResize;
    BOOL     m_bAllowColumnResize;
    int      m_nRowsPerWheelNotch;

    CGridCellMap m_SelectedCellMap;
    CGridCellMap m_PrevSelectedCellMap;

    CRuntimeClass* m_pRtcDefault;
    CWnd*    m_pTitleTip;
    BOOL     m_bMustUninitOLE;
    BOOL     m_bFontApplied;
    CGridCellId m_LastDragOverCell;
    BOOL     m_bAscending;
    int      m_nSortColumn;
    CImageList m_ImageList;
    CImageList* m_pImageList;

    // Mouse handling and drag and drop.
    BOOL     m_bSortOnClick;
    BOOL     m_bSorting;
    CGridDropTarget* m_pDropTarget;

    // The last level-drag request a tree cell sent.
    CPoint   m_ptLevelDrag;
    GridCellRequest m_LevelDragRequest;
    int      m_nLevelDragStart = 0;   // the row's level when the level drag began
    CPoint   m_ptLevelStep;            // where the level drag took its last step
    CString  m_strLastTaskTip;
    int      m_nTaskPropertyResult = 0;
    CGridCellId m_idLastMouseCell;     // the cell a selection drag last reached
    int      m_nResizeBandPos = 0;     // where the resize feedback band is drawn

    // Printing.
    BOOL     m_bPrinting;
    BOOL     m_bDrawingOnDC;
    BOOL     m_bPrintColour;
    int      m_nHeaderHeight;
    int      m_nFooterHeight;
    int      m_nLeftMargin;
    int      m_nRightMargin;
    int      m_nTopMargin;
    int      m_nBottomMargin;
    int      m_nGap;
    // The page set-up of a print job.
    CFont    m_PrinterFont;
    CSize    m_CharSize;
    CSize    m_PaperSize;
    CSize    m_LogicalPageSize;
    int      m_nPageHeight;
    int      m_nPageWidth;
    int      m_nNumPages;
    int      m_nPageMultiplier;
    int      m_nCurrPrintRow;
    int      m_nCurrPrintCol;
    // Print preview.
    CWnd*    m_pPrintPreviewView;
    HWND     m_hPreviewFrame;
    HWND     m_hPreviewHiddenWnd;

    // Page walking shared by the page count and the page printing.
    int GetPrintRowBound() const;
    int FindPrintPageRow(int nPageDown) const;
    int FindPrintPageCol(int nPageAcross) const;
    // Lines of one printed cell, as the grid-lines setting asks.
    void PrintCellLines(CDC* pDC, const CRect& rect, BOOL bFirstRow, BOOL bFirstCol);
    void PrintRowCells(CDC* pDC, int row, CRect rect, int nLeft, BOOL bTopRow);
};
