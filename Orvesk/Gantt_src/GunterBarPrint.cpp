// Printing of the task tree with the chart: pages across first, then down; every page has
// the drawing rectangle's outline and a footer with the page number and the program's title;
// the last page row has the band at the bottom, and the last page holds the project's name,
// today's date and the legend in it.
#include "Gantt_src/GunterBar.h"

#include "Gantt_src/CalendarDate.h"
#include "Gantt_src/GanttRes.h"
#include "Gantt_src/TaskShapes.h"
#include "GanttBarView.h"
#include "GridCtrl.h"
#include "ProjectDoc.h"
#include "TaskTreeView.h"

#include <ClassLib/Printing/PrintInfo.h>

namespace {

const char kWidthSample[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSATUVWXYZ";
const UINT kIdsProgramTitle = 57344;

} // namespace

void CGunterBar::OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    if (m_fontPrint.GetSafeHandle() == NULL) {
        LOGFONT lf = {};
        lf.lfHeight = 9;
        lf.lfWeight = 400;
        lf.lfCharSet = GB2312_CHARSET;
        lf.lfOutPrecision = 2;
        lf.lfClipPrecision = 1;
        strcpy(lf.lfFaceName, "宋体");
        m_fontPrint.CreateFontIndirect(&lf);
    }
    CFont* pOldFont = pDC->SelectObject(&m_fontPrint);
    m_sizePrint1 = pDC->GetTextExtent(kWidthSample);
    m_sizePrint1.cx /= 52;
    pDC->SelectObject(pOldFont);
    if (m_sizePrint1.cx <= 0)
        m_sizePrint1.cx = 1;
    if (m_sizePrint1.cy <= 0)
        m_sizePrint1.cy = 1;

    m_sizePrint2 = CSize(pDC->GetDeviceCaps(HORZRES), pDC->GetDeviceCaps(VERTRES));
    int nScreenX = 96, nScreenY = 96;
    {
        CClientDC dcScreen(NULL);
        if (dcScreen.GetSafeHdc() != NULL) {
            nScreenX = dcScreen.GetDeviceCaps(LOGPIXELSX);
            nScreenY = dcScreen.GetDeviceCaps(LOGPIXELSY);
        }
    }
    const int nPrinterX = pDC->GetDeviceCaps(LOGPIXELSX), nPrinterY = pDC->GetDeviceCaps(LOGPIXELSY);
    m_sizePrint3.cx = nPrinterX > 0 ? m_sizePrint2.cx * nScreenX / nPrinterX * 3 / 4 : m_sizePrint2.cx;
    m_sizePrint3.cy = nPrinterY > 0 ? m_sizePrint2.cy * nScreenY / nPrinterY * 3 / 4 : m_sizePrint2.cy;

    CTaskTreeView* pTree = GetTaskTreeView();
    const int ch = m_sizePrint1.cy, cw = m_sizePrint1.cx;
    m_nRowSpace = m_sizePrint3.cy - (pTree != NULL ? pTree->GetFixedRowHeight() : 0) -
                  (m_nTopMarginRows + m_nHeadRows + 2 * m_nFootRows) * ch;
    m_nPagesDown = 1;
    if (pTree != NULL && m_nRowSpace > 0) {
        int nSum = 0;
        const int nEnd = pTree->GetFixedRowCount() + pTree->GetTaskCount();
        for (int r = pTree->GetFixedRowCount(); r < nEnd; ++r) {
            const int h = pTree->GetRowHeight(r);
            nSum += h;
            if (nSum > m_nRowSpace) {
                ++m_nPagesDown;
                nSum = h;
            }
        }
    }
    m_nChartWidth = m_sizePrint3.cx - (m_nLeftMargin + m_nRightMargin) * cw;
    const int nTotal = GetChartWidth() + (pTree != NULL ? pTree->GetGrid().GetColumnsWidth() : 0);
    // A page too narrow for anything still prints one page across, not an endless job.
    m_nPagesAcross = m_nChartWidth > 0 ? (nTotal + m_nChartWidth - 1) / m_nChartWidth : 1;
    if (m_nPagesAcross < 1)
        m_nPagesAcross = 1;
    m_nPrintRow = pTree != NULL ? pTree->GetFixedRowCount() : 1;
    if (pInfo != NULL) {
        pInfo->SetMaxPage(m_nPagesDown * m_nPagesAcross);
        pInfo->m_nNumPreviewPages = 1;
    }
}

void CGunterBar::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    if (pInfo == NULL || m_nPagesAcross <= 0)
        return;
    CTaskTreeView* pTree = GetTaskTreeView();
    CGanttBarView* pView = GetBarView();
    const int ch = m_sizePrint1.cy, cw = m_sizePrint1.cx;
    const int nPage = static_cast<int>(pInfo->m_nCurPage);
    const int nCol = (nPage - 1) % m_nPagesAcross;
    const int nRowPage = (nPage - 1) / m_nPagesAcross;
    const BOOL bLastPageRow = nRowPage == m_nPagesDown - 1;
    const BOOL bLastPage = nPage == m_nPagesDown * m_nPagesAcross;

    const int nSaved = pDC->SaveDC();
    CFont* pOldFont = pDC->SelectObject(&m_fontPrint);
    pDC->SetMapMode(MM_ANISOTROPIC);
    pDC->SetWindowExt(m_sizePrint3);
    pDC->SetViewportExt(m_sizePrint2);
    pDC->SetBkMode(TRANSPARENT);

    const CRect rcDraw(m_nLeftMargin * cw, m_nTopMargin * ch, m_sizePrint3.cx - m_nRightMargin * cw,
                       m_sizePrint3.cy - m_nBottomMargin * ch);
    CGdiObject* pOldBrush = pDC->SelectStockObject(NULL_BRUSH);
    CGdiObject* pOldPen = pDC->SelectStockObject(BLACK_PEN);
    pDC->Rectangle(&rcDraw);

    // Band and footer.
    const int B = rcDraw.bottom;
    const int A = B - 12 * ch;
    if (bLastPageRow) {
        pDC->MoveTo(rcDraw.left, A);
        pDC->LineTo(rcDraw.right, A);
    }
    if (bLastPage)
        PrintLegend(pDC, rcDraw, A, TRUE);
    pDC->MoveTo(rcDraw.left, B - 2 * ch);
    pDC->LineTo(rcDraw.right, B - 2 * ch);
    CString strPage;
    strPage.Format("第%d页", nPage);
    const int yFoot = B - 3 * ch / 2;
    pDC->TextOut(rcDraw.left + 100, yFoot - ch / 2, strPage);
    CString strTitle;
    if (!strTitle.LoadString(kIdsProgramTitle) && AfxGetApp() != NULL)
        strTitle = AfxGetApp()->m_pszAppName;
    const CSize sizeTitle = pDC->GetTextExtent(strTitle);
    pDC->TextOut(rcDraw.right - sizeTitle.cx - cw, yFoot - ch / 2, strTitle);

    // The rows of this page row: walked from the first row, page row by page row.
    int nFirst = 1, nEnd = 1;
    const int nLimitBottom = rcDraw.bottom - (bLastPageRow ? 14 : 3) * ch;
    if (pTree != NULL) {
        const int nFixed = pTree->GetFixedRowCount();
        const int nRowsEnd = nFixed + pTree->GetTaskCount();
        const int nSpace = nLimitBottom - (rcDraw.top + GANTT_SCALE_HEIGHT);
        const int nFullSpace = rcDraw.bottom - 3 * ch - (rcDraw.top + GANTT_SCALE_HEIGHT);
        int r = nFixed;
        for (int page = 0; page <= nRowPage && r < nRowsEnd; ++page) {
            const int nRoom = page == nRowPage ? nSpace : nFullSpace;
            nFirst = r;
            int nSum = 0;
            while (r < nRowsEnd) {
                const int h = pTree->GetRowHeight(r);
                if (nSum + h > nRoom && r > nFirst)
                    break;
                nSum += h;
                ++r;
            }
        }
        nEnd = r;
        if (nRowPage > 0 && nFirst >= nRowsEnd)
            nFirst = nEnd = nRowsEnd;
        m_nPrintRow = nFirst;
    }

    // The grid on the first page of each page row.
    const int nGridWidth = pTree != NULL ? pTree->GetGrid().GetColumnsWidth() : 0;
    if (pTree != NULL && nCol == 0 && nEnd > nFirst) {
        CRect rcGrid(rcDraw.left, rcDraw.top, rcDraw.right, nLimitBottom);
        pTree->GetGrid().DrawGridOnDC(pDC, &rcGrid, &m_fontPrint, nFirst, nEnd);
    }

    // The chart slice: chart x 0 (two days before the chart's first day) lies at chartLeft.
    const int nChartLeft = rcDraw.left + nGridWidth - nCol * (m_nChartWidth > 0 ? m_nChartWidth : 0);
    const int nClipLeft = nCol == 0 ? rcDraw.left + nGridWidth : rcDraw.left;
    if (nClipLeft < rcDraw.right) {
        int y = m_nFirstYear, m = m_nFirstMonth, d = m_nFirstDay;
        if (pView != NULL) {
            COleDateTime dtStart;
            pView->GetChartStartDate(dtStart);
            if (dtStart.GetStatus() == COleDateTime::valid) {
                y = dtStart.GetYear(), m = dtStart.GetMonth(), d = dtStart.GetDay();
                PrevDay(y, m, d);
                PrevDay(y, m, d);
            }
        }
        const int nSavedClip = pDC->SaveDC();
        pDC->IntersectClipRect(nClipLeft, rcDraw.top, rcDraw.right, nLimitBottom);
        const CRect rcOldDraw = pInfo->m_rectDraw;
        pInfo->m_rectDraw.SetRect(nChartLeft, rcDraw.top, rcDraw.right, nLimitBottom);
        int py = y, pm = m, pd = d, nRemainder = 0;
        DrawPrintScale(pDC, pInfo, py, pm, pd, nRemainder, FALSE, TRUE);
        pInfo->m_rectDraw = rcOldDraw;

        // Shapes: the printed first day at chartLeft, the page's first row under the scale.
        const COleDateTime dtOrigin(m_wOriginYear, m_wOriginMonth, m_wOriginDay, 0, 0, 0);
        const COleDateTime dtFirst(y, m, d, 0, 0, 0);
        const long nDays = (dtFirst - dtOrigin).GetDays();
        int nVisibleFirst = nFirst;
        if (pView != NULL)
            nVisibleFirst -= pView->CountCollapsedRowsAbove(static_cast<UINT>(nFirst));
        const int nShiftX = nChartLeft - static_cast<int>(nDays * GetDayWidth());
        const int nShiftY = rcDraw.top - (nVisibleFirst - 1) * GANTT_ROW_HEIGHT;
        pDC->IntersectClipRect(nClipLeft, rcDraw.top + GANTT_SCALE_HEIGHT, rcDraw.right, nLimitBottom);
        const CPoint ptOld = pDC->OffsetWindowOrg(-nShiftX, -nShiftY);
        std::vector<CTaskBase*> shapes;
        GetShapesInBand(GANTT_SCALE_HEIGHT + (nVisibleFirst - 1) * GANTT_ROW_HEIGHT,
                        nLimitBottom - nShiftY, shapes);
        for (CTaskBase* pShape : shapes)
            pShape->Draw(pDC, TRUE);
        pDC->SetWindowOrg(ptOld);
        pDC->RestoreDC(nSavedClip);
    }

    // The outline's left and bottom edges again, over whatever was drawn across them.
    pDC->MoveTo(rcDraw.left, rcDraw.top);
    pDC->LineTo(rcDraw.left, rcDraw.bottom);
    pDC->LineTo(rcDraw.right, rcDraw.bottom);
    pDC->SelectObject(pOldPen);
    pDC->SelectObject(pOldBrush);
    pDC->SelectObject(pOldFont);
    pDC->RestoreDC(nSaved);
}

// The band of the last page: the project's name and today's date at the right, the legend
// at the left.
void CGunterBar::PrintLegend(CDC* pDC, const CRect& rcDraw, int A, BOOL /*bLastPage*/)
{
    const int ch = m_sizePrint1.cy, cw = m_sizePrint1.cx;
    CGanttBarView* pView = GetBarView();
    CProjectDoc* pDoc = pView != NULL ? pView->GetDocument() : NULL;

    const CRect rcBox(rcDraw.right - 200, A, rcDraw.right, rcDraw.bottom - 2 * ch);
    pDC->MoveTo(rcBox.left, rcBox.top);
    pDC->LineTo(rcBox.left, rcBox.bottom);
    CString strName = "\t 项目: ";
    if (pDoc != NULL)
        strName += pDoc->m_ProjectInfo.m_strName;
    pDC->TabbedTextOut(rcBox.left, A + 11 * ch / 2, strName, 0, NULL, rcBox.left);
    const CString strDate = COleDateTime::GetCurrentTime().Format("\t 日期: %#Y年%#m月%#d日");
    pDC->TabbedTextOut(rcBox.left, A + 15 * ch / 2, strDate, 0, NULL, rcBox.left);

    const int x = rcDraw.left;
    pDC->TextOut(x + 4 * cw, A + ch, "图   例");
    pDC->TextOut(x + 4 * cw, A + 7 * ch / 2, "任务");
    pDC->TextOut(x + 4 * cw, A + 11 * ch / 2, "进度");
    pDC->TextOut(x + 4 * cw, A + 15 * ch / 2, "里程碑");
    pDC->TextOut(x + 35 * cw, A + 7 * ch / 2, "摘要");

    // Samples beside the words.
    const int xs = x + 12 * cw;
    CRect rcBar(xs, A + 7 * ch / 2, xs + 4 * cw, A + 9 * ch / 2);
    CBrush brHatch;
    CBrush* pBar = GetPatternBrush(IDB_GANTT_BAR);
    if (pBar == NULL) {
        brHatch.CreateHatchBrush(HS_DIAGCROSS, RGB(0, 0, 255));
        pBar = &brHatch;
    }
    pDC->FillRect(&rcBar, pBar);
    pDC->Rectangle(&rcBar);
    pDC->FillSolidRect(xs, A + 11 * ch / 2 + ch / 4, 4 * cw, ch / 2, RGB(0, 0, 0));
    CBrush brBlack(RGB(0, 0, 0));
    CBrush* pOld = pDC->SelectObject(&brBlack);
    const int yd = A + 15 * ch / 2 + ch / 2;
    const POINT diamond[4] = {{xs - 5, yd}, {xs, yd - 5}, {xs + 5, yd}, {xs, yd + 5}};
    pDC->Polygon(diamond, 4);
    pDC->SelectObject(pOld);
    const int xsum = x + 43 * cw, ysum = A + 7 * ch / 2;
    const POINT summary[8] = {{xsum, ysum},          {xsum + 4 * cw, ysum},     {xsum + 4 * cw, ysum + 10},
                              {xsum + 4 * cw - 5, ysum + 5}, {xsum + 5, ysum + 5}, {xsum, ysum + 10},
                              {xsum, ysum},          {xsum, ysum}};
    CGdiObject* pOldBrush = pDC->SelectStockObject(NULL_BRUSH);
    pDC->Polygon(summary, 6);
    pDC->SelectObject(pOldBrush);
}

void CGunterBar::OnEndPrinting(CDC* /*pDC*/, CPrintInfo* /*pInfo*/) {}
