// Printing the grid page by page: the page set-up, one page with its header, column and
// row headings, body and footer, and the print job.
#include "GridCtrl.h"

#include <ClassLib/Resources/Resources.h>

namespace
{
// The first non-empty window text up the grid's parent chain.
CString ParentChainTitle(const CWnd* pGrid)
{
    CString strTitle;
    for (CWnd* pWnd = pGrid->GetParent(); pWnd; pWnd = pWnd->GetParent())
    {
        pWnd->GetWindowText(strTitle);
        if (!strTitle.IsEmpty())
            break;
    }
    return strTitle;
}

CString AppTitle()
{
    CString strTitle;
    strTitle.LoadString(AFX_IDS_APP_TITLE);
    return strTitle;
}

// A row (or column) of size nSize starts a new page when the page already holds rows and
// would overflow with it. A row larger than a whole page thus gets a page of its own
// instead of leaving an empty page before it.
bool StartsNewPage(int nTotal, int nSize, int nPageSize)
{
    return nTotal > 0 && nTotal + nSize > nPageSize;
}

// Walks the body rows of one printed page from nFirstRow, below nBound: as many as fit in
// nPageHeight (a first row taller than the page still takes the page). printRow(row, rect)
// is called for each row of some height with its band's top and bottom, the bands stacked
// down from y = 0; a row of no height takes no band.
template <class PrintRow>
void ForEachPageRow(const CGridCtrl* pGrid, int nFirstRow, int nBound, int nPageHeight, PrintRow printRow)
{
    CRect rect;
    rect.bottom = -1;
    int nTotalHeight = 0;
    for (int row = nFirstRow; row < nBound; row++)
    {
        int nHeight = pGrid->GetRowHeight(row);
        if (StartsNewPage(nTotalHeight, nHeight, nPageHeight))
            break;
        nTotalHeight += nHeight;
        if (nHeight <= 0)
            continue;
        rect.top = rect.bottom + 1;
        rect.bottom = rect.top + nHeight - 1;
        printRow(row, rect);
    }
}

void DrawLine(CDC* pDC, int x1, int y1, int x2, int y2)
{
    pDC->MoveTo(x1, y1);
    pDC->LineTo(x2, y2);
}
} // namespace

// ---- Page walking ----------------------------------------------------------------------

int CGridCtrl::GetPrintRowBound() const
{
    // Inside a task tree view the document's task rows are printed; any other grid
    // prints all its rows.
    int nBound = GetRowCount();
    if (CGridTaskViewHooks* pView = GetTaskView())
    {
        int nTasks = pView->GetTaskCount();
        if (nTasks >= 0 && nTasks < nBound)
            nBound = nTasks;
    }
    return nBound;
}

// The first body row of page-down index nPageDown (1 for the first page row). A page starts
// with the row whose height makes the summed heights exceed the page height.
int CGridCtrl::FindPrintPageRow(int nPageDown) const
{
    int nRow = GetFixedRowCount();
    int nBound = GetPrintRowBound();
    int nPage = 1;
    int nTotal = 0;
    for (int row = GetFixedRowCount(); row < nBound && nPage < nPageDown; row++)
    {
        int nHeight = GetRowHeight(row);
        if (StartsNewPage(nTotal, nHeight, m_nPageHeight))
        {
            nPage++;
            nRow = row;
            nTotal = 0;
        }
        nTotal += nHeight;
    }
    return nPage == nPageDown ? nRow : nBound;
}

int CGridCtrl::FindPrintPageCol(int nPageAcross) const
{
    int nCol = GetFixedColumnCount();
    int nPage = 1;
    int nTotal = 0;
    for (int col = GetFixedColumnCount(); col < GetColumnCount() && nPage < nPageAcross; col++)
    {
        int nWidth = GetColumnWidth(col);
        if (StartsNewPage(nTotal, nWidth, m_nPageWidth))
        {
            nPage++;
            nCol = col;
            nTotal = 0;
        }
        nTotal += nWidth;
    }
    return nPage == nPageAcross ? nCol : GetColumnCount();
}

void CGridCtrl::PrintCellLines(CDC* pDC, const CRect& rect, BOOL bFirstRow, BOOL bFirstCol)
{
    if (m_nGridLines == GRIDLINES_HORZ || m_nGridLines == GRIDLINES_BOTH)
    {
        DrawLine(pDC, rect.left, rect.bottom, rect.right + 1, rect.bottom);
        if (bFirstRow)
            DrawLine(pDC, rect.left, rect.top, rect.right + 1, rect.top);
    }
    if (m_nGridLines == GRIDLINES_VERT || m_nGridLines == GRIDLINES_BOTH)
    {
        DrawLine(pDC, rect.right, rect.top, rect.right, rect.bottom + 1);
        if (bFirstCol)
            DrawLine(pDC, rect.left, rect.top, rect.left, rect.bottom + 1);
    }
}

// ---- Set-up ----------------------------------------------------------------------------

void CGridCtrl::OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    ASSERT(pDC && pInfo);
    if (!pDC || !pInfo || !GetSafeHwnd())
        return;

    CDC* pCurrentDC = GetDC();
    if (!pCurrentDC)
        return;

    CSize PaperPixelsPerInch(pDC->GetDeviceCaps(LOGPIXELSX), pDC->GetDeviceCaps(LOGPIXELSY));
    CSize ScreenPixelsPerInch(pCurrentDC->GetDeviceCaps(LOGPIXELSX),
                              pCurrentDC->GetDeviceCaps(LOGPIXELSY));

    // One printer font per job.
    m_PrinterFont.DeleteObject();
    LOGFONT lf;
    memset(&lf, 0, sizeof(lf));
    lf.lfHeight = 12;
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = GB2312_CHARSET;
    lf.lfOutPrecision = OUT_CHARACTER_PRECIS;
    lf.lfClipPrecision = CLIP_CHARACTER_PRECIS;
    lstrcpy(lf.lfFaceName, _T("宋体"));
    m_PrinterFont.CreateFontIndirect(&lf);
    CFont* pOldFont = pDC->SelectObject(&m_PrinterFont);

    m_CharSize = pDC->GetTextExtent(_T("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSATUVWXYZ"), 52);
    m_CharSize.cx /= 52;
    int nMargins = (m_nLeftMargin + m_nRightMargin) * m_CharSize.cx;

    m_PaperSize = CSize(pDC->GetDeviceCaps(HORZRES), pDC->GetDeviceCaps(VERTRES));

    if (m_bPrintToFit && PaperPixelsPerInch.cx > 0 && PaperPixelsPerInch.cy > 0)
    {
        m_LogicalPageSize.cx = ScreenPixelsPerInch.cx * m_PaperSize.cx / PaperPixelsPerInch.cx * 3 / 4;
        m_LogicalPageSize.cy = ScreenPixelsPerInch.cy * m_PaperSize.cy / PaperPixelsPerInch.cy * 3 / 4;
    }
    else
    {
        m_LogicalPageSize.cx = (int)GetVirtualWidth() + nMargins;
        m_LogicalPageSize.cy = m_PaperSize.cx > 0
            ? MulDiv(m_LogicalPageSize.cx, m_PaperSize.cy, m_PaperSize.cx) : 0;
    }

    m_nPageHeight = m_LogicalPageSize.cy - GetFixedRowHeight()
                    - (m_nHeaderHeight + m_nFooterHeight + 2 * m_nGap) * m_CharSize.cy;

    // Pages down: a page ends before the row that would overfill it; a row taller than
    // the page is printed (clipped) on a page of its own.
    m_nNumPages = 1;
    int nTotalRowHeight = 0;
    int nBound = GetPrintRowBound();
    for (int row = GetFixedRowCount(); row < nBound; row++)
    {
        int nHeight = GetRowHeight(row);
        if (StartsNewPage(nTotalRowHeight, nHeight, m_nPageHeight))
        {
            m_nNumPages++;
            nTotalRowHeight = 0;
        }
        nTotalRowHeight += nHeight;
    }

    // Pages across: one, unless the page is fitted to the paper.
    m_nPageWidth = m_LogicalPageSize.cx - GetFixedColumnWidth() - nMargins;
    m_nPageMultiplier = 1;
    if (m_bPrintToFit)
    {
        int nTotalColWidth = 0;
        for (int col = GetFixedColumnCount(); col < GetColumnCount(); col++)
        {
            int nWidth = GetColumnWidth(col);
            if (StartsNewPage(nTotalColWidth, nWidth, m_nPageWidth))
            {
                m_nPageMultiplier++;
                nTotalColWidth = 0;
            }
            nTotalColWidth += nWidth;
        }
        m_nNumPages *= m_nPageMultiplier;
    }

    pInfo->SetMaxPage(m_nNumPages);
    pInfo->m_nCurPage = 1;

    ReleaseDC(pCurrentDC);
    pDC->SelectObject(pOldFont);
}

void CGridCtrl::OnEndPrinting(CDC* /*pDC*/, CPrintInfo* /*pInfo*/)
{
    m_PrinterFont.DeleteObject();
}

// ---- One page --------------------------------------------------------------------------

void CGridCtrl::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    if (!pDC || !pInfo || !m_PrinterFont.GetSafeHandle())
        return;

    CFont* pOldFont = pDC->SelectObject(&m_PrinterFont);

    pDC->SetMapMode(MM_ANISOTROPIC);
    pDC->SetWindowExt(m_LogicalPageSize);
    pDC->SetViewportExt(m_PaperSize);
    pDC->SetWindowOrg(-m_nLeftMargin * m_CharSize.cx, 0);

    // Header.
    pInfo->m_rectDraw.SetRect(0, 0,
                              m_LogicalPageSize.cx - (m_nLeftMargin + m_nRightMargin) * m_CharSize.cx,
                              m_nHeaderHeight * m_CharSize.cy);
    PrintHeader(pDC, pInfo);
    pDC->OffsetWindowOrg(0, -m_nHeaderHeight * m_CharSize.cy);

    // Down past the gap and the column headings to the body.
    pDC->OffsetWindowOrg(0, -m_nGap * m_CharSize.cy);
    pDC->OffsetWindowOrg(0, -GetFixedRowHeight());

    // Which part of the grid this page shows.
    int nPageAcross = 1;
    int nPageDown = (int)pInfo->m_nCurPage;
    if (m_nPageMultiplier > 1)
    {
        nPageDown = (int)pInfo->m_nCurPage / m_nPageMultiplier;
        int nRemainder = (int)pInfo->m_nCurPage % m_nPageMultiplier;
        if (nRemainder > 0)
            nPageDown++;
        nPageAcross = nRemainder > 0 ? nRemainder : m_nPageMultiplier;
    }
    m_nCurrPrintRow = FindPrintPageRow(nPageDown);
    m_nCurrPrintCol = FindPrintPageCol(nPageAcross);

    PrintRowButtons(pDC, pInfo);

    // Column headings; the first column page includes the fixed columns.
    int nFixedWidth = GetFixedColumnWidth();
    int nBodyCol = m_nCurrPrintCol;
#ifdef GRIDCTRL_PREDTASK
    // Every column page starts its heading band with the fixed columns' headings.
    pDC->OffsetWindowOrg(0, GetFixedRowHeight());
    m_nPageWidth += nFixedWidth;
    if (nPageAcross == 1)
        m_nCurrPrintCol = 0;
    PrintColumnHeadings(pDC, pInfo);
    m_nPageWidth -= nFixedWidth;
    m_nCurrPrintCol = nBodyCol;
    pDC->OffsetWindowOrg(0, -GetFixedRowHeight());
#else
    if (nPageAcross == 1)
    {
        m_nPageWidth += nFixedWidth;
        m_nCurrPrintCol = 0;
        PrintColumnHeadings(pDC, pInfo);
        m_nPageWidth -= nFixedWidth;
        m_nCurrPrintCol = nBodyCol;
    }
    else
    {
        pDC->OffsetWindowOrg(-nFixedWidth, 0);
        PrintColumnHeadings(pDC, pInfo);
        pDC->OffsetWindowOrg(nFixedWidth, 0);
    }
#endif

    // Body: the rows and columns that fit.
    CPen blackPen(PS_SOLID, 0, RGB(0, 0, 0));
    CPen* pOldPen = pDC->SelectObject(&blackPen);
    ForEachPageRow(this, m_nCurrPrintRow, GetPrintRowBound(), m_nPageHeight, [&](int row, const CRect& rect) {
        PrintRowCells(pDC, row, rect, nFixedWidth, row == m_nCurrPrintRow);
    });
    pDC->SelectObject(pOldPen);

    // Footer, in the bottom band of the page.
    pInfo->m_rectDraw.SetRect(0, 0,
                              m_LogicalPageSize.cx - (m_nLeftMargin + m_nRightMargin) * m_CharSize.cx,
                              m_nFooterHeight * m_CharSize.cy);
    pDC->SetWindowOrg(-m_nLeftMargin * m_CharSize.cx,
                      -(m_LogicalPageSize.cy - m_nFooterHeight * m_CharSize.cy));
    PrintFooter(pDC, pInfo);

    pDC->SetWindowOrg(0, 0);
    pDC->SelectObject(pOldFont);
}

// Prints one row band (rect's top and bottom) from x = nLeft: the columns of the current
// column page, as many as fit across the page, with their cell lines (bTopRow: the band is
// the first of the page).
void CGridCtrl::PrintRowCells(CDC* pDC, int row, CRect rect, int nLeft, BOOL bTopRow)
{
    rect.right = nLeft - 1;
    int nTotalWidth = 0;
    for (int col = m_nCurrPrintCol; col < GetColumnCount(); col++)
    {
        int nWidth = GetColumnWidth(col);
        if (StartsNewPage(nTotalWidth, nWidth, m_nPageWidth))
            break;
        nTotalWidth += nWidth;
        if (nWidth <= 0)
            continue;
        rect.left = rect.right + 1;
        rect.right = rect.left + nWidth - 1;
        if (CGridCellBase* pCell = GetCell(row, col))
            pCell->PrintCell(pDC, row, col, rect);
        PrintCellLines(pDC, rect, bTopRow, col == m_nCurrPrintCol);
    }
}

#ifndef GRIDCTRL_PREDTASK
void CGridCtrl::PrintColumnHeadings(CDC* pDC, CPrintInfo* /*pInfo*/)
{
    CFont* pOldFont = pDC->SelectObject(&m_PrinterFont);
    CPen blackPen(PS_SOLID, 0, RGB(0, 0, 0));
    CPen* pOldPen = pDC->SelectObject(&blackPen);

    CRect rect;
    rect.bottom = -GetFixedRowHeight() - 1;
    for (int row = 0; row < GetFixedRowCount(); row++)
    {
        int nHeight = GetRowHeight(row);
        if (nHeight <= 0)
            continue;
        rect.top = rect.bottom + 1;
        rect.bottom = rect.top + nHeight - 1;

        PrintRowCells(pDC, row, rect, 0, row == 0);
    }

    pDC->SelectObject(pOldPen);
    pDC->SelectObject(pOldFont);
}

#endif

void CGridCtrl::PrintRowButtons(CDC* pDC, CPrintInfo* /*pInfo*/)
{
    CFont* pOldFont = pDC->SelectObject(&m_PrinterFont);
    CPen blackPen(PS_SOLID, 0, RGB(0, 0, 0));
    CPen* pOldPen = pDC->SelectObject(&blackPen);

    // The fixed columns of the page's rows, whatever their width.
    ForEachPageRow(this, m_nCurrPrintRow, GetPrintRowBound(), m_nPageHeight, [&](int row, CRect rect) {
        rect.right = -1;
        for (int col = 0; col < GetFixedColumnCount(); col++)
        {
            int nWidth = GetColumnWidth(col);
            if (nWidth <= 0)
                continue;
            rect.left = rect.right + 1;
            rect.right = rect.left + nWidth - 1;
            if (CGridCellBase* pCell = GetCell(row, col))
                pCell->PrintCell(pDC, row, col, rect);
            PrintCellLines(pDC, rect, row == m_nCurrPrintRow, col == 0);
        }
    });

    pDC->SelectObject(pOldPen);
    pDC->SelectObject(pOldFont);
}

void CGridCtrl::PrintHeader(CDC* pDC, CPrintInfo* pInfo)
{
    CRect rc(pInfo->m_rectDraw);

    LOGFONT lf;
    memset(&lf, 0, sizeof(lf));
    m_PrinterFont.GetLogFont(&lf);
    lf.lfHeight = 14;
    lf.lfWeight = FW_BOLD;
    CFont BoldFont;
    BoldFont.CreateFontIndirect(&lf);
    CFont* pOldFont = pDC->SelectObject(&BoldFont);
    int nPrevBkMode = pDC->SetBkMode(TRANSPARENT);

    CString strTitle = ParentChainTitle(this);
    if (!strTitle.IsEmpty())
        pDC->DrawText(strTitle, -1, &rc, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX | DT_VCENTER);

    CString strApp = AppTitle();
    if (!strApp.IsEmpty())
        pDC->DrawText(strApp, -1, &rc, DT_RIGHT | DT_SINGLELINE | DT_NOPREFIX | DT_VCENTER);

    CPen blackPen(PS_SOLID, 0, RGB(0, 0, 0));
    CPen* pOldPen = pDC->SelectObject(&blackPen);
    DrawLine(pDC, rc.left, rc.bottom, rc.right, rc.bottom);
    pDC->SelectObject(pOldPen);

    pDC->SetBkMode(nPrevBkMode);
    pDC->SelectObject(pOldFont);
}

void CGridCtrl::PrintFooter(CDC* pDC, CPrintInfo* pInfo)
{
    CRect rc(pInfo->m_rectDraw);

    CString strPage;
    strPage.Format(_T("Page %d of %d"), (int)pInfo->m_nCurPage, (int)pInfo->GetMaxPage());
    CString strDate = CTime::GetCurrentTime().Format(_T("%c"));

    CPen blackPen(PS_SOLID, 0, RGB(0, 0, 0));
    CPen* pOldPen = pDC->SelectObject(&blackPen);
    DrawLine(pDC, rc.left, rc.top, rc.right, rc.top);
    pDC->SelectObject(pOldPen);

    LOGFONT lf;
    memset(&lf, 0, sizeof(lf));
    m_PrinterFont.GetLogFont(&lf);
    lf.lfWeight = FW_BOLD;
    CFont BoldFont;
    BoldFont.CreateFontIndirect(&lf);
    CFont* pOldFont = pDC->SelectObject(&BoldFont);
    COLORREF crOldText = pDC->SetTextColor(RGB(0, 0, 0));
    int nPrevBkMode = pDC->SetBkMode(TRANSPARENT);

    pDC->DrawText(strPage, -1, &rc, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX | DT_VCENTER);
    pDC->DrawText(strDate, -1, &rc, DT_RIGHT | DT_SINGLELINE | DT_NOPREFIX | DT_VCENTER);

    pDC->SetBkMode(nPrevBkMode);
    pDC->SetTextColor(crOldText);
    pDC->SelectObject(pOldFont);
}

// ---- The job ---------------------------------------------------------------------------

BOOL CGridCtrl::PrintDocument(CDC* pDC)
{
    if (!pDC)
        return FALSE;

    m_bPrinting = TRUE;
    pDC->m_bPrinting = TRUE;

    CString strTitle = AppTitle();
    if (strTitle.IsEmpty())
        strTitle = ParentChainTitle(this);

    DOCINFO di;
    memset(&di, 0, sizeof(DOCINFO));
    di.cbSize = sizeof(DOCINFO);
    di.lpszDocName = strTitle;
    if (pDC->StartDoc(&di) <= 0)
    {
        m_bPrinting = FALSE;
        return FALSE;
    }

    CPrintInfo Info;
    Info.m_rectDraw.SetRect(0, 0, pDC->GetDeviceCaps(HORZRES), pDC->GetDeviceCaps(VERTRES));

    OnBeginPrinting(pDC, &Info);
    // A set-up that could not run (no window to measure the screen with) prints nothing
    // instead of an unbounded run of empty pages.
    BOOL bPrintingOK = m_PrinterFont.GetSafeHandle() != NULL;
    for (UINT page = Info.GetMinPage(); bPrintingOK && page <= Info.GetMaxPage(); page++)
    {
        if (pDC->StartPage() <= 0)
        {
            bPrintingOK = FALSE;
            break;
        }
        Info.m_nCurPage = page;
        OnPrint(pDC, &Info);
        bPrintingOK = pDC->EndPage() > 0;
    }
    OnEndPrinting(pDC, &Info);

    if (bPrintingOK)
        pDC->EndDoc();
    else
        pDC->AbortDoc();

    m_bPrinting = FALSE;
    return bPrintingOK;
}

void CGridCtrl::Print()
{
    CPrintDialog dlg(FALSE, PD_NOSELECTION | PD_NOPAGENUMS | PD_USEDEVMODECOPIESANDCOLLATE
                                | PD_HIDEPRINTTOFILE, this);
    if (dlg.DoModal() != IDOK)
        return;

    CDC dc;
    if (!dc.Attach(dlg.GetPrinterDC()))
        return;
    dc.m_bPrinting = TRUE;
    PrintDocument(&dc);
    dc.DeleteDC();
}
