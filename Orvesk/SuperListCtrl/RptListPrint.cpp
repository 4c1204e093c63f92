// CRptListCtrl: printing the rows as a table with a heading line, grid lines and a footer
// with the title, the page number and the date.
#include "SuperListCtrl/RptListCtrl.h"

#include <ClassLib/Printing/PrintInfo.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

int TextHeight(CDC* pDC, CFont* pFont, LPCTSTR lpsz)
{
    CFont* pOld = pDC->SelectObject(pFont);
    const int n = pDC->GetTextExtent(lpsz).cy;
    pDC->SelectObject(pOld);
    return n;
}

UINT AlignOf(int nFormat)
{
    switch (nFormat & LVCFMT_JUSTIFYMASK) {
    case LVCFMT_RIGHT:
        return DT_RIGHT;
    case LVCFMT_CENTER:
        return DT_CENTER;
    default:
        return DT_LEFT;
    }
}

const UINT kCellText = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX;

} // namespace

void CRptListCtrl::DeletePrintFonts()
{
    m_fontPrint.DeleteObject();
    m_fontPrintBold.DeleteObject();
    m_fontPrintItalic.DeleteObject();
    m_fontPrintUnderline.DeleteObject();
}

CRect CRptListCtrl::PrintDrawRect(CDC* pDC)
{
    CRect rc(0, 0, pDC->GetDeviceCaps(HORZRES), pDC->GetDeviceCaps(VERTRES));
    pDC->DPtoLP(&rc);
    // Margins come in millimetres: hundredths of a millimetre to device units.
    CSize tl(m_rcPrintMargins.left * 100, m_rcPrintMargins.top * 100);
    CSize br(m_rcPrintMargins.right * 100, m_rcPrintMargins.bottom * 100);
    pDC->HIMETRICtoDP(&tl);
    pDC->HIMETRICtoDP(&br);
    rc.left += tl.cx;
    rc.top += tl.cy;
    rc.right -= br.cx;
    rc.bottom -= br.cy;
    return rc;
}

void CRptListCtrl::OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    DeletePrintFonts();
    const CRect rcDraw = PrintDrawRect(pDC);
    m_fontPrint.CreatePointFont(90, "Arial", pDC);
    LOGFONT lf;
    std::memset(&lf, 0, sizeof(lf));
    m_fontPrint.GetLogFont(&lf);
    LOGFONT v = lf;
    v.lfWeight = 700;
    m_fontPrintBold.CreateFontIndirect(&v);
    v = lf;
    v.lfItalic = TRUE;
    m_fontPrintItalic.CreateFontIndirect(&v);
    v = lf;
    v.lfUnderline = TRUE;
    m_fontPrintUnderline.CreateFontIndirect(&v);

    const int nLine = std::max(1, TextHeight(pDC, &m_fontPrint, "XX"));
    const int nBoldLine = TextHeight(pDC, &m_fontPrintBold, "XX");
    const bool bFooter = (m_nPrintFlags & (RPTP_TITLE | RPTP_PAGENUMBER | RPTP_DATE)) != 0;
    const int nRoom = rcDraw.Height() - (bFooter ? 2 * nBoldLine : nBoldLine);
    // Large margins leave no room: a page still carries one row, so the job ends.
    m_nRowsPerPage = std::max(1, nRoom / nLine);
    if (pInfo != nullptr) {
        pInfo->SetMinPage(1);
        pInfo->SetMaxPage(static_cast<UINT>(GetItemCount() / m_nRowsPerPage + 1));
    }
}

void CRptListCtrl::OnEndPrinting(CDC*, CPrintInfo*)
{
    DeletePrintFonts();
}

void CRptListCtrl::PrintImage(CDC* pDC, CImageList* pImages, int nImage, const CRect& rcCell, UINT nStyle)
{
    if (pImages == nullptr || nImage < 0 || nImage >= pImages->GetImageCount())
        return;
    IMAGEINFO info;
    std::memset(&info, 0, sizeof(info));
    if (!pImages->GetImageInfo(nImage, &info))
        return;
    const int cx = info.rcImage.right - info.rcImage.left;
    const int cy = info.rcImage.bottom - info.rcImage.top;
    if (cx <= 0 || cy <= 0)
        return;
    const int nFactor = std::max(1, std::min(rcCell.Width() / cx, (rcCell.Height() - 1) / cy));
    CClientDC screen(nullptr);
    CDC mem;
    mem.CreateCompatibleDC(&screen);
    CBitmap bmp;
    bmp.CreateCompatibleBitmap(&screen, cx, cy);
    CBitmap* pOld = mem.SelectObject(&bmp);
    mem.FillSolidRect(0, 0, cx, cy, RGB(255, 255, 255));
    pImages->Draw(&mem, nImage, CPoint(0, 0), ILD_TRANSPARENT | nStyle);
    const int w = cx * nFactor;
    const int x = rcCell.left + (rcCell.Width() - w) / 2;
    pDC->StretchBlt(x, rcCell.top + 1, w, cy * nFactor, &mem, 0, 0, cx, cy, SRCCOPY);
    mem.SelectObject(pOld);
}

void CRptListCtrl::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    if (pDC == nullptr || pInfo == nullptr)
        return;
    if (m_fontPrint.GetSafeHandle() == nullptr || m_nRowsPerPage <= 0)
        OnBeginPrinting(pDC, nullptr);
    const CRect rcDraw = PrintDrawRect(pDC);
    const int nPage = static_cast<int>(pInfo->m_nCurPage);
    const int nFirst = (nPage - 1) * m_nRowsPerPage;
    const int nLast = std::min(nPage * m_nRowsPerPage, GetItemCount());

    CFont* pOldFont = pDC->SelectObject(&m_fontPrint);
    const int nOldBk = pDC->SetBkMode(TRANSPARENT);
    const CSize sizeX = pDC->GetTextExtent("X");
    const int nLine = sizeX.cy;
    const int nInset = sizeX.cx;

    // Column places: the list's widths scaled to the drawing width by the total width of
    // the columns, so that a page without rows scales as any other.
    const int nColumns = GetColumnCount();
    int nTotal = 0;
    for (int c = 0; c < nColumns; ++c)
        nTotal += GetColumnWidth(c);
    std::vector<int> lefts(nColumns + 1, rcDraw.left);
    for (int c = 0; c < nColumns; ++c)
        lefts[c + 1] = lefts[c] + (nTotal > 0 ? static_cast<int>(static_cast<long long>(GetColumnWidth(c)) *
                                                                   rcDraw.Width() / nTotal)
                                              : 0);

    // Heading line.
    int y = rcDraw.top;
    pDC->SelectObject(&m_fontPrintBold);
    CImageList* pHeadImages = m_header.GetSafeHwnd() != nullptr ? m_header.GetHeaderImageList() : nullptr;
    for (int c = 0; c < nColumns; ++c) {
        char szTitle[256] = {0};
        HDITEM item;
        std::memset(&item, 0, sizeof(item));
        item.mask = HDI_TEXT | HDI_FORMAT | HDI_WIDTH;
        item.pszText = szTitle;
        item.cchTextMax = 255;
        LVCOLUMN col;
        std::memset(&col, 0, sizeof(col));
        col.mask = LVCF_FMT;
        GetColumn(c, &col);
        int nFormat = col.fmt;
        CString strTitle;
        if (m_header.GetSafeHwnd() != nullptr && m_header.GetItem(c, &item)) {
            strTitle = szTitle;
            nFormat = item.fmt;
        }
        CRect rcCell(lefts[c], y, lefts[c + 1], y + nLine);
        if (pHeadImages != nullptr && !strTitle.IsEmpty() && strTitle[strTitle.GetLength() - 1] == '_')
            PrintImage(pDC, pHeadImages, c, rcCell, 0);
        else {
            CRect rcText = rcCell;
            rcText.DeflateRect(nInset, 0);
            pDC->DrawText(strTitle, &rcText, kCellText | AlignOf(nFormat));
        }
        pDC->MoveTo(rcCell.right, rcCell.top);
        pDC->LineTo(rcCell.right, rcCell.bottom);
    }
    pDC->MoveTo(rcDraw.left, y);
    pDC->LineTo(lefts[nColumns], y);
    y += nLine;
    pDC->MoveTo(rcDraw.left, y);
    pDC->LineTo(lefts[nColumns], y);

    // Rows.
    pDC->SelectObject(&m_fontPrint);
    const COLORREF clrText = pDC->GetTextColor();
    for (int r = nFirst; r < nLast; ++r) {
        const DWORD_PTR dwData = static_cast<DWORD_PTR>(GetItemData(r));
        for (int c = 0; c < nColumns; ++c) {
            CRect rcCell(lefts[c], y, lefts[c + 1], y + nLine);
            LVCOLUMN col;
            std::memset(&col, 0, sizeof(col));
            col.mask = LVCF_FMT;
            GetColumn(c, &col);
            CString strText;
            GetCellText(r, c, strText, dwData, TRUE);
            if (IsImageCell(c)) {
                const UINT nOverlay = GetItemState(r, LVIS_OVERLAYMASK) & LVIS_OVERLAYMASK;
                PrintImage(pDC, m_pCellImages, atoi(strText), rcCell, nOverlay);
            } else {
                CFont fontOwner;
                if (WantsCellFormat(c)) {
                    CRptCellInfo info;
                    info.m_nKind = RPT_CELL_FORMAT;
                    info.m_nCtrlId = OwnerCtrlId();
                    info.m_nRow = r;
                    info.m_nColumn = ColumnId(c);
                    info.m_dwItemData = dwData;
                    if (NotifyOwner(&info)) {
                        LOGFONT lf;
                        std::memset(&lf, 0, sizeof(lf));
                        if ((m_nPrintFlags & RPTP_OWNERFONTS) && (info.m_nFlags & RPT_FMT_FONT) &&
                            info.m_hFont != nullptr && CFont::FromHandle(info.m_hFont)->GetLogFont(&lf)) {
                            // The owner's screen font as a point font for the printer.
                            lf.lfHeight = std::abs(lf.lfHeight) * 8;
                            if (fontOwner.CreatePointFontIndirect(&lf, pDC))
                                pDC->SelectObject(&fontOwner);
                        } else if (info.m_nFlags & RPT_FMT_BOLD)
                            pDC->SelectObject(&m_fontPrintBold);
                        else if (info.m_nFlags & RPT_FMT_ITALIC)
                            pDC->SelectObject(&m_fontPrintItalic);
                        else if (info.m_nFlags & RPT_FMT_UNDERLINE)
                            pDC->SelectObject(&m_fontPrintUnderline);
                        if ((m_nPrintFlags & RPTP_OWNERCOLORS) && (info.m_nFlags & RPT_FMT_COLOR))
                            pDC->SetTextColor(info.m_clrText);
                    }
                }
                CRect rcText = rcCell;
                rcText.DeflateRect(nInset, 0);
                pDC->DrawText(strText, &rcText, kCellText | AlignOf(col.fmt));
                pDC->SetTextColor(clrText);
                pDC->SelectObject(&m_fontPrint);
            }
            pDC->MoveTo(rcCell.right, rcCell.top);
            pDC->LineTo(rcCell.right, rcCell.bottom);
        }
        y += nLine;
        pDC->MoveTo(rcDraw.left, y);
        pDC->LineTo(lefts[nColumns], y);
    }

    // Footer.
    CRect rcFooter(rcDraw.left, y, rcDraw.right, y + nLine);
    if ((m_nPrintFlags & RPTP_TITLE) && !m_strPrintTitle.IsEmpty())
        pDC->DrawText(m_strPrintTitle, &rcFooter, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
    if (m_nPrintFlags & RPTP_PAGENUMBER) {
        CString s;
        s.Format("%d", nPage);
        pDC->DrawText(s, &rcFooter, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    if (m_nPrintFlags & RPTP_DATE) {
        const COleDateTime today = COleDateTime::GetCurrentTime();
        CString s;
        s.Format("%02d/%02d/%d", today.GetDay(), today.GetMonth(), today.GetYear());
        pDC->DrawText(s, &rcFooter, DT_RIGHT | DT_SINGLELINE | DT_NOPREFIX);
    }
    pDC->SelectObject(pOldFont);
    pDC->SetBkMode(nOldBk);
}
