// Grid window: construction, window creation, the cell factory and the four counts.
#include "GridCtrl.h"

#include <cerrno>
#include <cstdlib>
#include <new>

IMPLEMENT_DYNCREATE(CGridCtrl, CWnd)

BEGIN_MESSAGE_MAP(CGridCtrl, CWnd)
    ON_WM_PAINT()
    ON_WM_DESTROY()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_MOUSEWHEEL()
    ON_WM_KEYDOWN()
    ON_WM_CHAR()
    ON_WM_SYSKEYDOWN()
    ON_WM_GETDLGCODE()
    ON_WM_TIMER()
    ON_WM_CAPTURECHANGED()
    ON_WM_SETCURSOR()
    ON_WM_SYSCOLORCHANGE()
    ON_MESSAGE(WM_SETFONT, OnSetFont)
    ON_MESSAGE(WM_GETFONT, OnGetFont)
    ON_MESSAGE(WM_GRID_ROWLEVEL, OnGridRowLevel)
    ON_NOTIFY(GRIDN_ENDLABELEDIT, IDC_GRID_INPLACE_CONTROL, OnEndInPlaceEdit)
    ON_COMMAND(ID_GRID_NEWTASK, OnNewTaskCommand)
    ON_COMMAND(ID_GRID_DELETETASK, OnDeleteTaskCommand)
    ON_COMMAND(ID_GRID_DELETETASK_MENU, OnDeleteTaskCommand)
    ON_COMMAND(ID_GRID_INSERTTASKS, OnInsertTasksCommand)
    ON_COMMAND(ID_GRID_DELETETASKS, OnDeleteTasksCommand)
    ON_COMMAND(ID_GRID_TASKPROPERTY, OnTaskPropertyCommand)
    ON_WM_MOUSEMOVE()
#ifndef GRIDCTRL_PREDTASK
    ON_WM_LBUTTONDBLCLK()
#endif
    ON_WM_KILLFOCUS()
    // Mouse and clipboard.
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_RBUTTONUP()
#ifdef GRIDCTRL_PREDTASK
    ON_WM_LBUTTONDBLCLK()
#endif
    ON_COMMAND(ID_EDIT_CUT, OnEditCutCommand)
    ON_COMMAND(ID_EDIT_COPY, OnEditCopyCommand)
    ON_COMMAND(ID_EDIT_PASTE, OnEditPasteCommand)
    ON_COMMAND(ID_EDIT_SELECT_ALL, OnEditSelectAllCommand)
    ON_COMMAND(ID_GRID_MENU_CUT, OnEditCutCommand)
    ON_COMMAND(ID_GRID_MENU_COPY, OnEditCopyCommand)
    ON_COMMAND(ID_GRID_MENU_PASTE, OnEditPasteCommand)
    ON_UPDATE_COMMAND_UI(ID_EDIT_CUT, OnUpdateEditCut)
    ON_UPDATE_COMMAND_UI(ID_EDIT_COPY, OnUpdateEditCopy)
    ON_UPDATE_COMMAND_UI(ID_EDIT_PASTE, OnUpdateEditPaste)
    ON_UPDATE_COMMAND_UI(ID_EDIT_SELECT_ALL, OnUpdateEditSelectAll)
    ON_UPDATE_COMMAND_UI(ID_GRID_MENU_CUT, OnUpdateEditCut)
    ON_UPDATE_COMMAND_UI(ID_GRID_MENU_COPY, OnUpdateEditCopy)
    ON_UPDATE_COMMAND_UI(ID_GRID_MENU_PASTE, OnUpdateEditPaste)
END_MESSAGE_MAP()

namespace
{
// Lines per wheel notch from the user's desktop setting; 3 when it cannot be read.
// The value is a decimal string; "-1" (or its unsigned form) asks for page scrolling.
int ReadWheelScrollLines()
{
    int nLines = 3;
    HKEY hKey = NULL;
    if (::RegOpenKeyEx(HKEY_CURRENT_USER, _T("Control Panel\\Desktop"), 0, KEY_QUERY_VALUE,
                       &hKey) != ERROR_SUCCESS)
        return nLines;
    TCHAR szData[128 + 1] = {0};
    DWORD dwKeyDataType = 0;
    DWORD dwDataBufSize = 128;
    if (::RegQueryValueEx(hKey, _T("WheelScrollLines"), NULL, &dwKeyDataType,
                          (LPBYTE)szData, &dwDataBufSize) == ERROR_SUCCESS)
    {
        szData[128] = 0;
        char* pEnd = NULL;
        errno = 0;
        long long v = std::strtoll(szData, &pEnd, 10);
        if (pEnd != szData && errno == 0)
        {
            if (v == -1 || v == 4294967295LL)
                nLines = -1;
            else if (v >= 0 && v <= 0x7FFFFFFF)
                nLines = (int)v;
        }
    }
    ::RegCloseKey(hKey);
    return nLines;
}
} // namespace

CGridCtrl::CGridCtrl(int nRows, int nCols, int nFixedRows, int nFixedCols)
{
    RegisterWindowClass();

    m_nRowMoveState = 0;
    m_nRowMoveTarget = -1;
    m_nRowMoveSource = -1;
    m_bRowMovePending = FALSE;
    m_pTaskTip = NULL;
    m_bSyncScroll = FALSE;
    m_bTaskGrid = FALSE;
    m_pTreeColumn = NULL;
    m_pBtnDataBase = NULL;

    m_crWindowText = ::GetSysColor(COLOR_WINDOWTEXT);
    m_crWindowColour = ::GetSysColor(COLOR_WINDOW);
    m_cr3DFace = ::GetSysColor(COLOR_3DFACE);
    m_crTextColour = m_crWindowText;
    m_crTextBkColour = m_crWindowColour;
    m_crFixedTextColour = m_crWindowText;
    m_crFixedBkColour = m_cr3DFace;
    m_crTitleTipBackClr = CLR_DEFAULT;
    m_crTitleTipTextClr = CLR_DEFAULT;
    m_crGridColour = RGB(192, 192, 192);

    m_nGridLines = GRIDLINES_BOTH;
    m_bEditable = TRUE;
    m_bModified = FALSE;
    m_bAllowDragAndDrop = FALSE;
    m_bListMode = FALSE;
    m_bSingleRowSelection = FALSE;
    m_bAllowDraw = TRUE;
    m_bEnableSelection = TRUE;
    m_bHandleTabKey = TRUE;
    m_bDoubleBuffer = TRUE;
    m_bTitleTips = TRUE;
    m_bVertScrollShown = FALSE;
    m_bHorzScrollShown = FALSE;
    m_bPrintToFit = FALSE;
    m_bHiddenColUnhide = TRUE;
    m_bHiddenRowUnhide = TRUE;

    m_nRows = 0;
    m_nCols = 0;
    m_nFixedRows = 0;
    m_nFixedCols = 0;

    m_nBlankWidth = 0;
    m_nDefCellWidth = 50;
    m_nDefCellHeight = 20;
    m_nVScrollMax = 0;
    m_nHScrollMax = 0;

    m_MouseMode = GRIDMOUSE_NOTHING;
    m_LeftClickDownPoint = CPoint(0, 0);
    m_bLMouseButtonDown = FALSE;
    m_nTimerID = 0;
    m_nTimerInterval = 25;
    m_nResizeCaptureRange = 3;
    m_bAllowRowResize = TRUE;
    m_bAllowColumnResize = TRUE;
    m_nRowsPerWheelNotch = ReadWheelScrollLines();

    m_pRtcDefault = RUNTIME_CLASS(CGridCell);
    m_pTitleTip = NULL;
    // The platform needs no separate start-up of its drag-and-drop services, so the grid
    // never has to undo one.
    m_bMustUninitOLE = FALSE;
    m_bFontApplied = FALSE;
    m_bAscending = TRUE;
    m_nSortColumn = -1;
    m_pImageList = NULL;

    m_bSortOnClick = FALSE;
    m_bSorting = FALSE;
    m_pDropTarget = NULL;

    m_ptLevelDrag = CPoint(0, 0);
    m_LevelDragRequest = GridCellRequest();
    m_LevelDragRequest.nRefRow = -1;

    m_bPrinting = FALSE;
    m_bDrawingOnDC = FALSE;
    m_bPrintColour = TRUE;
    m_nHeaderHeight = m_nFooterHeight = m_nLeftMargin = m_nRightMargin = 0;
    m_nTopMargin = m_nBottomMargin = m_nGap = 0;
    m_CharSize = CSize(0, 0);
    m_PaperSize = CSize(0, 0);
    m_LogicalPageSize = CSize(0, 0);
    m_nPageHeight = m_nPageWidth = 0;
    m_nNumPages = m_nPageMultiplier = 1;
    m_nCurrPrintRow = m_nCurrPrintCol = 0;
    m_pPrintPreviewView = NULL;
    m_hPreviewFrame = NULL;
    m_hPreviewHiddenWnd = NULL;

    NONCLIENTMETRICS ncm;
    memset(&ncm, 0, sizeof(ncm));
    ncm.cbSize = sizeof(NONCLIENTMETRICS);
    ::SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(NONCLIENTMETRICS), &ncm, 0);
    memcpy(&m_Logfont, &ncm.lfMessageFont, sizeof(LOGFONT));
    m_ppNewRowKinds = NULL;
    m_nNewRowKinds = 0;
    m_pCellPattern = NULL;
#ifdef GRIDCTRL_PREDTASK
    m_bVirtualMode = FALSE;
    m_nAutoSizeStyle = 3;
    m_pfnCallback = NULL;
    m_lParamCallback = 0;
    m_pVirtualCell = NULL;
    CreateDefaultCells();
#endif

    SetRowCount(nRows);
    SetColumnCount(nCols);
    SetFixedRowCount(nFixedRows);
    SetFixedColumnCount(nFixedCols);

    SetTextColor(m_crWindowText);
    SetTextBkColor(m_crWindowColour);
    SetFixedTextColor(m_crWindowText);
    SetFixedBkColor(m_cr3DFace);

    SetPrintMarginInfo(2, 2, 4, 4, 1, 1, 1);
#ifdef GRIDCTRL_PREDTASK
    SetGridColor(RGB(192, 192, 192));
#endif
}

CGridCtrl::~CGridCtrl()
{
    DeleteAllItems();
    DestroyTips();
    if (GetSafeHwnd())
        DestroyWindow();
    m_Font.DeleteObject();
    delete m_pCellPattern;
#ifdef GRIDCTRL_PREDTASK
    DeleteDefaultCells();
#endif
}

BOOL CGridCtrl::RegisterWindowClass()
{
    WNDCLASS wndcls;
    HINSTANCE hInst = AfxGetInstanceHandle();
    if (::GetClassInfo(hInst, GRIDCTRL_CLASSNAME, &wndcls))
        return TRUE;

    memset(&wndcls, 0, sizeof(wndcls));
    wndcls.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    wndcls.lpfnWndProc = ::DefWindowProc;
    wndcls.cbClsExtra = 0;
    wndcls.cbWndExtra = 0;
    wndcls.hInstance = hInst;
    wndcls.hIcon = NULL;
    wndcls.hCursor = ::LoadCursor(NULL, IDC_ARROW);
    wndcls.hbrBackground = (HBRUSH)(COLOR_3DFACE + 1);
    wndcls.lpszMenuName = NULL;
    wndcls.lpszClassName = GRIDCTRL_CLASSNAME;
    if (!AfxRegisterClass(&wndcls))
    {
        AfxThrowResourceException();
        return FALSE;
    }
    return TRUE;
}

BOOL CGridCtrl::Create(const RECT& rect, CWnd* pParentWnd, UINT nID, DWORD dwStyle)
{
    ASSERT(pParentWnd && pParentWnd->GetSafeHwnd());
    if (!pParentWnd || !pParentWnd->GetSafeHwnd())
        return FALSE;

    m_bFontApplied = FALSE;
    if (!CWnd::Create(GRIDCTRL_CLASSNAME, NULL, dwStyle, rect, pParentWnd, nID))
        return FALSE;
    // The class library does not run PreSubclassWindow for a window it creates.
    if (!m_bFontApplied)
        ApplyGridFont();

    RegisterDropTarget();
    CreateTips();

    try
    {
        m_arRowHeights.SetSize(m_nRows);
        m_arColWidths.SetSize(m_nCols);
    }
    catch (CMemoryException* e)
    {
        e->Delete();
        return FALSE;
    }
    catch (const std::bad_alloc&)
    {
        return FALSE;
    }
    m_arRowHeights.Fill(m_nDefCellHeight);
    m_arColWidths.Fill(m_nDefCellWidth);

    CreateImageList();
    return TRUE;
}

BOOL CGridCtrl::SubclassWindow(HWND hWnd)
{
    if (!CWnd::SubclassWindow(hWnd))
        return FALSE;
    RegisterDropTarget();
    CreateTips();
    return TRUE;
}

void CGridCtrl::PreSubclassWindow()
{
    CWnd::PreSubclassWindow();
#ifdef GRIDCTRL_PREDTASK
    // This build creates no font here: the default cells carry the fonts.
    m_bFontApplied = TRUE;
    InitialiseGrid();
#else
    ApplyGridFont();
#endif
}

void CGridCtrl::ApplyGridFont()
{
    m_bFontApplied = TRUE;
    CFont font;
    font.CreateFontIndirect(&m_Logfont);
    OnSetFont((WPARAM)(HFONT)font, 0);
    font.DeleteObject();
}

// ---- Cell factory ----------------------------------------------------------------------

CGridCellBase* CGridCtrl::CreateCell(int nRow, int nCol)
{
    ASSERT(m_pRtcDefault && m_pRtcDefault->IsDerivedFrom(RUNTIME_CLASS(CGridCellBase)));
    if (!m_pRtcDefault || !m_pRtcDefault->IsDerivedFrom(RUNTIME_CLASS(CGridCellBase)))
        return NULL;

    CGridCellBase* pCell = (CGridCellBase*)m_pRtcDefault->CreateObject();
    if (!pCell)
        return NULL;
    PrepareCell(pCell, nRow, nCol, TRUE);
    return pCell;
}

void CGridCtrl::PrepareCell(CGridCellBase* pCell, int nRow, int nCol, BOOL bPlace)
{
    pCell->SetGrid(this);
#ifndef GRIDCTRL_PREDTASK
    // (In the predecessor build a cell without a font of its own uses its default cell's.)
    pCell->SetFont(&m_Logfont);
#endif
    if (bPlace)
        if (CGridRow* pRow = RowObject(nRow))
            pCell->PlaceInRow(&pRow->Place());
    pCell->SetRowCol(nRow, nCol);
    pCell->SetCoords(nRow, nCol);

    if (nRow > 0 && nCol >= 0 && nCol < m_nCols)
    {
        CGridCellBase* pAbove = GetCell(nRow - 1, nCol);
        if (pAbove)
            pCell->SetFormat(pAbove->GetFormat());
    }

    if (nRow < m_nFixedRows || nCol < m_nFixedCols)
        pCell->SetState(pCell->GetState() | GRIDSTATE_FIXED);
}

CGridCellBase* CGridCtrl::CreateRowCell(int nRow, int nCol)
{
    CRuntimeClass* pKind = nCol < m_nNewRowKinds ? m_ppNewRowKinds[nCol] : NULL;
    // Made in its kind at once, the cell copies what a default cell made for its place
    // holds, as a default cell replaced by one of that kind would hand it on.
    if (!pKind || m_pRtcDefault != RUNTIME_CLASS(CGridCell) || !pKind->IsDerivedFrom(RUNTIME_CLASS(CGridCellBase)))
        return CreateCell(nRow, nCol);
    CGridCellBase* pCell = (CGridCellBase*)pKind->CreateObject();
    if (!pCell)
        return CreateCell(nRow, nCol);
    if (!m_pCellPattern)
        m_pCellPattern = new CGridCell;
    m_pCellPattern->Reset();
    PrepareCell(m_pCellPattern, nRow, nCol, FALSE);
    *pCell = *m_pCellPattern;
    pCell->PlaceInRow(&m_RowData[nRow]->Place());
    pCell->SetRowCol(nRow, nCol);
    pCell->SetCoords(nRow, nCol);
    return pCell;
}

void CGridCtrl::DestroyCell(int nRow, int nCol)
{
#ifdef GRIDCTRL_PREDTASK
    // The stored cell, never the shared cell a virtual grid hands out.
    CGridCellBase* pCell = NULL;
    if (nRow >= 0 && nRow < m_RowData.GetSize() && m_RowData[nRow] && nCol >= 0
        && nCol < m_RowData[nRow]->GetSize())
        pCell = m_RowData[nRow]->GetAt(nCol);
#else
    CGridCellBase* pCell = GetCell(nRow, nCol);
#endif
    if (!pCell)
        return;
    if (nCol == 0)
        m_bRowTasksKept = FALSE;
    SetItemState(nRow, nCol, 0);
    m_RowData[nRow]->SetAt(nCol, NULL);
    pCell->LeaveRow();
    delete pCell;
}

CGridCellBase* CGridCtrl::GetCell(int nRow, int nCol) const
{
    if (nRow < 0 || nRow >= m_nRows || nCol < 0 || nCol >= m_nCols)
        return NULL;
#ifdef GRIDCTRL_PREDTASK
    if (m_bVirtualMode)
        return GetVirtualCell(nRow, nCol);
#endif
    if (nRow >= m_RowData.GetSize())
        return NULL;
    CGridRow* pRow = m_RowData.GetAt(nRow);
    if (!pRow || nCol >= pRow->GetSize())
        return NULL;
    return pRow->GetAt(nCol);
}

BOOL CGridCtrl::SetCell(int nRow, int nCol, CGridCellBase* pCell)
{
    if (nRow < 0 || nRow >= m_nRows || nCol < 0 || nCol >= m_nCols)
        return FALSE;
    CGridRow* pRow = m_RowData.GetAt(nRow);
    if (!pRow || nCol >= pRow->GetSize())
        return FALSE;
    if (nCol == 0)
        m_bRowTasksKept = FALSE;
    // The cell put out of its place is not deleted here: it keeps its coordinates as its own.
    if (CGridCellBase* pOld = pRow->GetAt(nCol))
        if (pOld != pCell)
            pOld->LeaveRow();
    if (pCell)
        PlaceCell(nRow, nCol, pCell);
    else
        pRow->SetAt(nCol, NULL);
    return TRUE;
}

void CGridCtrl::PlaceCell(int nRow, int nCol, CGridCellBase* pCell)
{
    CGridRow* pRow = m_RowData.GetAt(nRow);
    pCell->PlaceInRow(&pRow->Place());
    pCell->SetRowCol(nRow, nCol);
    pCell->SetCoords(nRow, nCol);
    pRow->SetAt(nCol, pCell);
}

BOOL CGridCtrl::SetCellType(int nRow, int nCol, CRuntimeClass* pRuntimeClass)
{
    ASSERT(IsValid(nRow, nCol));
    ASSERT(pRuntimeClass && pRuntimeClass->IsDerivedFrom(RUNTIME_CLASS(CGridCellBase)));
    if (!IsValid(nRow, nCol) || !pRuntimeClass
        || !pRuntimeClass->IsDerivedFrom(RUNTIME_CLASS(CGridCellBase)))
        return FALSE;

    CGridCellBase* pNewCell = (CGridCellBase*)pRuntimeClass->CreateObject();
    if (!pNewCell)
        return FALSE;

    CGridCellBase* pCurrCell = GetCell(nRow, nCol);
    if (pCurrCell)
        *pNewCell = *pCurrCell;

    SetCell(nRow, nCol, pNewCell);
    delete pCurrCell;
    return TRUE;
}

CTaskItem* CGridCtrl::GetRowTask(int nRow) const
{
    if (RowTasksKept() && nRow >= 0 && nRow < (int)m_rowTasks.size())
        return m_rowTasks[(size_t)nRow];
    CGridCellBase* pCell = GetCell(nRow, 0);
    return pCell ? pCell->GetTask() : NULL;
}

const std::vector<CTaskItem*>& CGridCtrl::RowTasks() const
{
    if (RowTasksKept())
        return m_rowTasks;
    m_bRowTasksKept = FALSE;
    m_rowTasks.assign((size_t)std::max(m_nRows, 0), nullptr);
    for (int row = 0; row < m_nRows; row++)
        m_rowTasks[(size_t)row] = GetRowTask(row);
#ifdef GRIDCTRL_PREDTASK
    // A virtual grid's cells are handed out afresh: nothing of them is kept.
    if (m_bVirtualMode)
        return m_rowTasks;
#endif
    m_nRowTasksStamp = CGridCellBase::s_nTaskWrites;
    m_bRowTasksKept = TRUE;
    return m_rowTasks;
}

// ---- Counts ----------------------------------------------------------------------------

BOOL CGridCtrl::SetRowCount(int nRows)
{
    ASSERT(nRows >= 0);
    if (nRows < 0)
        return FALSE;
    if (nRows == GetRowCount())
        return TRUE;
    m_bRowTasksKept = FALSE;

    if (m_nFixedRows > nRows)
        m_nFixedRows = nRows;
    if (m_idCurrentCell.row >= nRows)
        SetFocusCell(-1, -1);

    int nOldRows = GetRowCount();
    if (nRows < nOldRows)
    {
        for (int row = nRows; row < nOldRows; row++)
        {
            for (int col = 0; col < m_nCols; col++)
                DestroyCell(row, col);
            CGridRow* pRow = m_RowData[row];
            m_RowData[row] = NULL;
            delete pRow;
        }
    }

    m_RowData.SetSize(nRows);
    m_arRowHeights.SetSize(nRows, m_nDefCellHeight);
    m_nRows = nRows;

    for (int row = nOldRows; row < nRows; row++)
    {
        m_arRowHeights.SetAt(row, m_nDefCellHeight);
        CGridRow* pRow = new CGridRow;
        pRow->Place().nRow = row;
        pRow->SetSize(m_nCols);
        m_RowData[row] = pRow;
        for (int col = 0; col < m_nCols; col++)
            pRow->SetAt(col, CreateCell(row, col));
    }

    SetModified();
    ResetScrollBars();
    Refresh();
    return TRUE;
}

BOOL CGridCtrl::SetColumnCount(int nCols)
{
    ASSERT(nCols >= 0);
    if (nCols < 0)
        return FALSE;
    if (nCols == GetColumnCount())
        return TRUE;
    m_bRowTasksKept = FALSE;

    if (m_nFixedCols > nCols)
        m_nFixedCols = nCols;
    if (m_idCurrentCell.col >= nCols)
        SetFocusCell(-1, -1);

    int nOldCols = GetColumnCount();
    if (nCols < nOldCols)
    {
        for (int row = 0; row < m_nRows; row++)
            for (int col = nCols; col < nOldCols; col++)
                DestroyCell(row, col);
    }

    for (int row = 0; row < m_nRows; row++)
        m_RowData[row]->SetSize(nCols);
    m_arColWidths.SetSize(nCols, m_nDefCellWidth);
    m_nCols = nCols;

    if (nCols > nOldCols)
    {
        for (int col = nOldCols; col < nCols; col++)
            m_arColWidths.SetAt(col, m_nDefCellWidth);
        for (int row = 0; row < m_nRows; row++)
            for (int col = nOldCols; col < nCols; col++)
                m_RowData[row]->SetAt(col, CreateCell(row, col));
    }

    SetModified();
    ResetScrollBars();
    Refresh();
    return TRUE;
}

// Cells of rows [nRowFrom, nRowTo) and columns [nColFrom, nColTo) become fixed or stop being
// fixed; either way they take the grid's default colours again.
void CGridCtrl::MarkCellsFixed(int nRowFrom, int nRowTo, int nColFrom, int nColTo, BOOL bFixed)
{
    for (int row = nRowFrom; row < nRowTo; row++)
    {
        for (int col = nColFrom; col < nColTo; col++)
        {
            CGridCellBase* pCell = GetCell(row, col);
            if (!pCell)
                continue;
            UINT nState = pCell->GetState();
            pCell->SetState(bFixed ? (nState | GRIDSTATE_FIXED) : (nState & ~GRIDSTATE_FIXED));
            pCell->SetBackClr(CLR_DEFAULT);
            pCell->SetTextClr(CLR_DEFAULT);
        }
    }
}

BOOL CGridCtrl::SetFixedRowCount(int nFixedRows)
{
    ASSERT(nFixedRows >= 0);
    if (nFixedRows < 0)
        return FALSE;
    if (nFixedRows == m_nFixedRows)
        return TRUE;

    if (nFixedRows > GetRowCount())
        if (!SetRowCount(nFixedRows))
            return FALSE;

    if (m_idCurrentCell.row < nFixedRows)
        SetFocusCell(-1, -1);

    int nFrom = min(nFixedRows, m_nFixedRows);
    int nTo = max(nFixedRows, m_nFixedRows);
    BOOL bBecomeFixed = nFixedRows > m_nFixedRows;
    MarkCellsFixed(nFrom, nTo, m_nFixedCols, m_nCols, bBecomeFixed);

    m_nFixedRows = nFixedRows;
    Refresh();
    return TRUE;
}

BOOL CGridCtrl::SetFixedColumnCount(int nFixedCols)
{
    ASSERT(nFixedCols >= 0);
    if (nFixedCols < 0)
        return FALSE;
    if (nFixedCols == m_nFixedCols)
        return TRUE;

    if (nFixedCols > GetColumnCount())
        if (!SetColumnCount(nFixedCols))
            return FALSE;

    if (m_idCurrentCell.col < nFixedCols)
        SetFocusCell(-1, -1);

    int nFrom = min(nFixedCols, m_nFixedCols);
    int nTo = max(nFixedCols, m_nFixedCols);
    BOOL bBecomeFixed = nFixedCols > m_nFixedCols;
    MarkCellsFixed(m_nFixedRows, m_nRows, nFrom, nTo, bBecomeFixed);

    m_nFixedCols = nFixedCols;
    Refresh();
    return TRUE;
}

void CGridCtrl::RenumberCells(int nFromRow)
{
    if (nFromRow < 0)
        nFromRow = 0;
    for (int row = nFromRow; row < m_nRows; row++)
    {
        if (CGridRow* pRow = RowObject(row))
        {
            // Exchanged rows keep the heading texts they show.
            if (pRow->Place().bNumbered)
                for (int col = 0; col < pRow->GetSize(); col++)
                    if (CGridCellBase* pCell = pRow->GetAt(col))
                        pCell->FreezeText();
            pRow->Place().nRow = row;
            pRow->Place().bLoose = false;
        }
        for (int col = 0; col < m_nCols; col++)
        {
            CGridCellBase* pCell = GetCell(row, col);
            if (pCell)
            {
                pCell->SetRowCol(row, col);
                pCell->SetCoords(row, col);
            }
        }
    }
    if (s_pfnRowsRenumbered)
        s_pfnRowsRenumbered(*this);
}
