// The calendar dialog's month window.
#include "CalendarWnd.h"

#include <Tavrin/DateFunctions.h>

#include "CalendarDlg.h"
#include "DocDialogsResource.h"

namespace {

const COLORREF kDarkBlue = RGB(10, 36, 106);
const COLORREF kSilver = RGB(192, 192, 192);
const COLORREF kGrey = RGB(128, 128, 128);
const char* const kWeekdayNames[7] = {"星期一", "星期二", "星期三", "星期四", "星期五", "星期六", "星期日"};

// Years a date can have here.
const int kFirstYear = 100;
const int kLastYear = 9999;

void DottedLine(CDC* pDC, int x1, int y1, int x2, int y2)
{
    if (y1 == y2)
        for (int x = x1; x < x2; x += 2)
            pDC->SetPixel(x, y1, kSilver);
    else
        for (int y = y1; y < y2; y += 2)
            pDC->SetPixel(x1, y, kSilver);
}

}  // namespace

CCalendarData::CCalendarData()
    : m_rect(0, 0, 0, 0), m_nDay(0), m_nKind(1), m_bSelected(0), m_bEmpty(1), m_nRow(0), m_nCol(0)
{
}

BEGIN_MESSAGE_MAP(CCalendarWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_RBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_BN_CLICKED(IDC_CAL_NEXT, OnNext)
    ON_BN_CLICKED(IDC_CAL_PREV, OnPrev)
    ON_NOTIFY(UDN_DELTAPOS, IDC_CAL_YEAR_SPIN, OnYearDelta)
    ON_NOTIFY(UDN_DELTAPOS, IDC_CAL_MONTH_SPIN, OnMonthDelta)
END_MESSAGE_MAP()

CCalendarWnd::CCalendarWnd()
    : m_nSelWeekday(-1), m_nActiveSpin(0), m_nAnchorRow(-1), m_nAnchorCol(-1), m_nCurRow(-1), m_nCurCol(-1)
{
    const COleDateTime now = COleDateTime::GetCurrentTime();
    m_nYear = now.GetYear();
    m_nMonth = now.GetMonth();
    for (int r = 0; r < 7; r++)
        for (int c = 0; c < 7; c++)
            m_cells[r][c] = NULL;
}

CCalendarWnd::~CCalendarWnd()
{
    POSITION pos = m_listCells.GetHeadPosition();
    while (pos != NULL)
        delete m_listCells.GetNext(pos);
    m_listCells.RemoveAll();
}

BOOL CCalendarWnd::Create(const RECT& rect, CWnd* pParent, UINT nID)
{
    return CWnd::Create(AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(NULL, IDC_ARROW)), "",
                        WS_CHILD | WS_VISIBLE, rect, pParent, nID);
}

CCalendarDlg* CCalendarWnd::Dialog() const
{
    return dynamic_cast<CCalendarDlg*>(GetParent());
}

CCalendarData* CCalendarWnd::GetCell(int nRow, int nCol) const
{
    if (nRow < 0 || nRow > 6 || nCol < 0 || nCol > 6)
        return NULL;
    return m_cells[nRow][nCol];
}

int CCalendarWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_font.CreateFont(12, 0, 0, 0, 40, FALSE, FALSE, 0, 134, 3, 2, 1, 0x32, "宋体");
    for (int r = 0; r < 7; r++)
        for (int c = 0; c < 7; c++)
        {
            CCalendarData* pCell = new CCalendarData;
            pCell->m_nRow = r;
            pCell->m_nCol = c;
            m_listCells.AddTail(pCell);
            m_cells[r][c] = pCell;
        }
    Layout();
    return 0;
}

void CCalendarWnd::Layout()
{
    CRect rcClient;
    GetClientRect(&rcClient);
    // Measured in the font the title and the cells are drawn in: the context's own font is
    // wider, and the 星期日 column would end past the window.
    CClientDC dc(this);
    CFont* pOldFont = dc.SelectObject(&m_font);
    TEXTMETRIC tm;
    dc.GetTextMetrics(&tm);

    CString strTitle;
    strTitle.Format("%d年%d月", m_nYear, m_nMonth);
    const CSize sizeTitle = dc.GetTextExtent(strTitle);
    const int w = sizeTitle.cx + tm.tmOverhang;
    const int n = strTitle.GetLength();
    m_rectTitle.left = (rcClient.Width() - w) / 2;
    m_rectTitle.top = 5;
    m_rectTitle.right = m_rectTitle.left + w;
    m_rectTitle.bottom = 5 + sizeTitle.cy;
    m_rectYear = CRect(m_rectTitle.left, m_rectTitle.top, m_rectTitle.left + w * 4 / n, m_rectTitle.bottom);
    m_rectMonth.left = m_rectYear.right + w * 2 / n;
    m_rectMonth.right = m_rectMonth.left + w * 2 / n;
    m_rectMonth.top = m_rectTitle.top;
    m_rectMonth.bottom = m_rectTitle.bottom;

    const CSize sizeCell = dc.GetTextExtent("星期一");
    dc.SelectObject(pOldFont);
    int cw = sizeCell.cx + tm.tmOverhang + 3;
    const int ch = sizeCell.cy + 3;
    // Seven columns always end inside the window.
    if (7 * cw + 1 > rcClient.Width())
        cw = (rcClient.Width() - 1) / 7;
    for (int r = 0; r < 7; r++)
        for (int c = 0; c < 7; c++)
        {
            CCalendarData* pCell = m_cells[r][c];
            pCell->m_rect.left = rcClient.left + c * cw + 1;
            pCell->m_rect.right = pCell->m_rect.left + rcClient.Width() / 7;
            pCell->m_rect.top = m_rectTitle.bottom + (r == 0 ? 7 : 9) + r * ch;
            pCell->m_rect.bottom = pCell->m_rect.top + ch;
            if (r == 0)
            {
                pCell->m_strText = kWeekdayNames[c];
                pCell->m_bEmpty = 0;
            }
        }

    // The up-down controls sit at the right ends of the year and the month, shown only
    // while their part of the title is active; wide enough to be used.
    const int cxSpin = 12;
    m_spinYear.Create(WS_CHILD, CRect(m_rectYear.right - cxSpin, m_rectTitle.top, m_rectYear.right, m_rectTitle.bottom),
                      this, IDC_CAL_YEAR_SPIN);
    m_spinMonth.Create(WS_CHILD, CRect(m_rectMonth.right - cxSpin, m_rectTitle.top, m_rectMonth.right, m_rectTitle.bottom),
                       this, IDC_CAL_MONTH_SPIN);
    m_btnNext.Create("", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW,
                     CRect(rcClient.right - 30, m_rectTitle.top, rcClient.right - 10, m_rectTitle.bottom), this, IDC_CAL_NEXT);
    m_btnNext.LoadBitmaps(IDB_CAL_NEXT_UP, IDB_CAL_NEXT_DOWN);
    m_btnPrev.Create("", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW,
                     CRect(rcClient.left + 10, m_rectTitle.top, rcClient.left + 30, m_rectTitle.bottom), this, IDC_CAL_PREV);
    m_btnPrev.LoadBitmaps(IDB_CAL_PREV_UP, IDB_CAL_PREV_DOWN);
    m_bmpPattern.LoadBitmap(IDB_CAL_REST_PATTERN);
    FillMonth();
}

int CCalendarWnd::KindOf(int nDay) const
{
    const CCalendarDlg* pDlg = Dialog();
    if (pDlg != NULL)
        return pDlg->GetDateKind(m_nYear, m_nMonth, nDay);
    const int nWeekday = GetDayOfWeek(m_nYear, m_nMonth, nDay);
    return (nWeekday == 0 || nWeekday == 6) ? 2 : 1;
}

void CCalendarWnd::FillMonth()
{
    for (int r = 1; r < 7; r++)
        for (int c = 0; c < 7; c++)
        {
            CCalendarData* pCell = m_cells[r][c];
            if (pCell == NULL)
                return;
            pCell->m_nDay = 0;
            pCell->m_bEmpty = 1;
            pCell->m_strText.Empty();
        }
    int nRow = 1;
    const int nDays = GetDaysInMonth(m_nYear, m_nMonth);
    for (int d = 1; d <= nDays && nRow <= 6; d++)
    {
        const int nWeekday = GetDayOfWeek(m_nYear, m_nMonth, d);
        const int nCol = nWeekday == 0 ? 6 : nWeekday - 1;
        CCalendarData* pCell = m_cells[nRow][nCol];
        pCell->m_nDay = d;
        pCell->m_bEmpty = 0;
        pCell->m_nKind = KindOf(d);
        if (nWeekday == 0)
            nRow++;
    }
}

void CCalendarWnd::RepaintMonth()
{
    if (GetSafeHwnd() == NULL)
        return;
    CRect rcTitle(m_rectYear.left, m_rectTitle.top, m_rectMonth.right + 20, m_rectTitle.bottom);
    InvalidateRect(rcTitle, FALSE);
    CRect rcCells(m_cells[0][0]->m_rect.left, m_cells[0][0]->m_rect.top, m_cells[6][6]->m_rect.right,
                  m_cells[6][6]->m_rect.bottom);
    InvalidateRect(rcCells, FALSE);
}

void CCalendarWnd::ShowMonth(int nYear, int nMonth)
{
    while (nMonth < 1)
    {
        nMonth += 12;
        nYear--;
    }
    while (nMonth > 12)
    {
        nMonth -= 12;
        nYear++;
    }
    if (nYear < kFirstYear)
    {
        nYear = kFirstYear;
        nMonth = 1;
    }
    else if (nYear > kLastYear)
    {
        nYear = kLastYear;
        nMonth = 12;
    }
    m_nYear = nYear;
    m_nMonth = nMonth;
    ClearSelection();
    FillMonth();
    RepaintMonth();
}

void CCalendarWnd::NextMonth() { ShowMonth(m_nYear, m_nMonth + 1); }
void CCalendarWnd::PrevMonth() { ShowMonth(m_nYear, m_nMonth - 1); }
void CCalendarWnd::OnNext() { NextMonth(); }
void CCalendarWnd::OnPrev() { PrevMonth(); }

void CCalendarWnd::OnYearDelta(NMHDR* pNMHDR, LRESULT* pResult)
{
    const NMUPDOWN* pUpDown = reinterpret_cast<NMUPDOWN*>(pNMHDR);
    ShowMonth(m_nYear - pUpDown->iDelta, m_nMonth);
    *pResult = 0;
}

void CCalendarWnd::OnMonthDelta(NMHDR* pNMHDR, LRESULT* pResult)
{
    const NMUPDOWN* pUpDown = reinterpret_cast<NMUPDOWN*>(pNMHDR);
    ShowMonth(m_nYear, m_nMonth - pUpDown->iDelta);
    *pResult = 0;
}

void CCalendarWnd::ClearSelection()
{
    for (int i = 0; i < m_arrSelected.GetSize(); i++)
        static_cast<CCalendarData*>(m_arrSelected[i])->m_bSelected = 0;
    m_arrSelected.RemoveAll();
}

void CCalendarWnd::SelectRun(int nRow1, int nCol1, int nRow2, int nCol2)
{
    // Reading order: whichever end comes first starts the run.
    if (nRow2 < nRow1 || (nRow2 == nRow1 && nCol2 < nCol1))
    {
        std::swap(nRow1, nRow2);
        std::swap(nCol1, nCol2);
    }
    for (int r = nRow1; r <= nRow2; r++)
        for (int c = (r == nRow1 ? nCol1 : 0); c <= (r == nRow2 ? nCol2 : 6); c++)
        {
            CCalendarData* pCell = m_cells[r][c];
            pCell->m_bSelected = 1;
            m_arrSelected.Add(pCell);
        }
}

CCalendarData* CCalendarWnd::HitTest(CPoint point) const
{
    POSITION pos = m_listCells.GetHeadPosition();
    while (pos != NULL)
    {
        CCalendarData* pCell = static_cast<CCalendarData*>(m_listCells.GetNext(pos));
        if (pCell->m_rect.PtInRect(point))
            return pCell;
    }
    return NULL;
}

BOOL CCalendarWnd::GetSelection(int& nYear, int& nMonth, CUIntArray& days, int& nWeekday) const
{
    nYear = m_nYear;
    nMonth = m_nMonth;
    nWeekday = m_nSelWeekday;
    days.RemoveAll();
    if (m_arrSelected.GetSize() == 0)
        return FALSE;
    if (m_nSelWeekday == -1)
        for (int i = 0; i < m_arrSelected.GetSize(); i++)
        {
            const CCalendarData* pCell = static_cast<const CCalendarData*>(m_arrSelected[i]);
            if (!pCell->m_bEmpty && pCell->m_nDay > 0)
                days.Add(static_cast<UINT>(pCell->m_nDay));
        }
    return TRUE;
}

void CCalendarWnd::SetSelectedKind(int nKind)
{
    for (int i = 0; i < m_arrSelected.GetSize(); i++)
    {
        CCalendarData* pCell = static_cast<CCalendarData*>(m_arrSelected[i]);
        if (!pCell->m_bEmpty && pCell->m_nDay > 0)
            pCell->m_nKind = nKind;
    }
    Invalidate(FALSE);
}

BOOL CCalendarWnd::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CCalendarWnd::OnPaint()
{
    CPaintDC dcPaint(this);
    CRect rc;
    GetClientRect(&rc);
    CDC dc;
    dc.CreateCompatibleDC(&dcPaint);
    CBitmap bmp;
    bmp.CreateCompatibleBitmap(&dcPaint, rc.Width(), rc.Height());
    CBitmap* pOldBmp = dc.SelectObject(&bmp);
    CFont* pOldFont = dc.SelectObject(&m_font);

    dc.FillSolidRect(rc, RGB(255, 255, 255));
    CPen penGrey(PS_SOLID, 1, kGrey);
    CPen penWhite(PS_SOLID, 1, RGB(255, 255, 255));
    CPen* pOldPen = dc.SelectObject(&penGrey);
    dc.MoveTo(rc.left, rc.bottom - 1);
    dc.LineTo(rc.left, rc.top);
    dc.LineTo(rc.right, rc.top);
    dc.SelectObject(&penWhite);
    dc.MoveTo(rc.left, rc.bottom - 1);
    dc.LineTo(rc.right - 1, rc.bottom - 1);
    dc.LineTo(rc.right - 1, rc.top);

    dc.FillSolidRect(CRect(rc.left, rc.top, rc.right, m_rectTitle.bottom + 5), kDarkBlue);

    CBrush brushPattern;
    if (m_bmpPattern.GetSafeHandle() != NULL)
        brushPattern.CreatePatternBrush(&m_bmpPattern);
    dc.SetBkMode(TRANSPARENT);
    for (int r = 0; r < 7; r++)
        for (int c = 0; c < 7; c++)
        {
            const CCalendarData* pCell = m_cells[r][c];
            const CRect& cell = pCell->m_rect;
            CString strText = pCell->m_strText;
            if (strText.IsEmpty() && !pCell->m_bEmpty)
                strText.Format("%d", pCell->m_nDay);
            if (r == 1)
                DottedLine(&dc, cell.left, cell.top, cell.right, cell.top);
            if (r > 0)
            {
                if (c == 0)
                    DottedLine(&dc, cell.left, cell.top, cell.left, cell.bottom);
                DottedLine(&dc, cell.left, cell.bottom, cell.right, cell.bottom);
                DottedLine(&dc, cell.right, cell.top, cell.right, cell.bottom);
                if (!pCell->m_bEmpty && pCell->m_nKind == 2 && brushPattern.GetSafeHandle() != NULL)
                {
                    CRect inner = cell;
                    inner.DeflateRect(2, 2);
                    dc.FillRect(inner, &brushPattern);
                }
                if (pCell->m_bSelected && pCell->m_nDay > 0)
                    dc.FillSolidRect(cell, kDarkBlue);
            }
            else if (c == 0)
            {
                dc.SelectObject(&penGrey);
                dc.MoveTo(rc.left, cell.bottom);
                dc.LineTo(rc.right, cell.bottom);
            }
            COLORREF crText = RGB(0, 0, 0);
            if (r > 0 && !pCell->m_bEmpty && pCell->m_nKind != 1)
                crText = RGB(255, 0, 0);
            else if (pCell->m_bSelected)
                crText = RGB(255, 255, 255);
            dc.SetTextColor(crText);
            CRect rcText = cell;
            dc.DrawText(strText, rcText, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        }

    CString strTitle;
    strTitle.Format("%d年%d月", m_nYear, m_nMonth);
    dc.SetTextColor(RGB(255, 255, 255));
    dc.TextOut(m_rectTitle.left, 5, strTitle);

    dcPaint.BitBlt(0, 0, rc.Width(), rc.Height(), &dc, 0, 0, SRCCOPY);
    dc.SelectObject(pOldPen);
    dc.SelectObject(pOldFont);
    dc.SelectObject(pOldBmp);
}

void CCalendarWnd::OnLButtonDown(UINT nFlags, CPoint point)
{
    CWnd::OnLButtonDown(nFlags, point);
    if (m_rectYear.PtInRect(point))
    {
        m_spinYear.ShowWindow(SW_SHOW);
        m_spinMonth.ShowWindow(SW_HIDE);
        m_nActiveSpin = 1;
        return;
    }
    if (m_rectMonth.PtInRect(point))
    {
        m_spinYear.ShowWindow(SW_HIDE);
        m_spinMonth.ShowWindow(SW_SHOW);
        m_nActiveSpin = 2;
        return;
    }
    m_spinYear.ShowWindow(SW_HIDE);
    m_spinMonth.ShowWindow(SW_HIDE);
    m_nActiveSpin = 0;
    CCalendarData* pCell = HitTest(point);
    if (pCell == NULL)
        return;
    ClearSelection();
    if (pCell->m_nRow != 0)
    {
        pCell->m_bSelected = 1;
        m_arrSelected.Add(pCell);
    }
    m_nAnchorRow = m_nCurRow = pCell->m_nRow;
    m_nAnchorCol = m_nCurCol = pCell->m_nCol;
    Invalidate(FALSE);
}

void CCalendarWnd::OnMouseMove(UINT nFlags, CPoint point)
{
    CRect rcClient;
    GetClientRect(&rcClient);
    if (nFlags == MK_LBUTTON)
    {
        if (m_nAnchorRow < 1)
        {
            ::SetCursor(::LoadCursor(NULL, IDC_ARROW));
            return;
        }
        CCalendarData* pCell = HitTest(point);
        if (pCell == NULL)
            return;
        ClearSelection();
        m_nCurRow = pCell->m_nRow == 0 ? 1 : pCell->m_nRow;
        m_nCurCol = pCell->m_nCol;
        if (m_nCurRow != m_nAnchorRow || m_nCurCol != m_nAnchorCol)
        {
            ::SetCursor(AfxGetApp() ? AfxGetApp()->LoadCursor(IDC_CAL_CURSOR_RUN) : ::LoadCursor(NULL, IDC_ARROW));
            SelectRun(m_nAnchorRow, m_nAnchorCol, m_nCurRow, m_nCurCol);
        }
        Invalidate(FALSE);
        return;
    }

    const CCalendarData* pCell = HitTest(point);
    HCURSOR hCursor = ::LoadCursor(NULL, IDC_ARROW);
    if (pCell != NULL && pCell->m_nRow == 0 && AfxGetApp() != NULL)
        hCursor = AfxGetApp()->LoadCursor(IDC_CAL_CURSOR_WEEKDAY);
    else if ((m_rectYear.PtInRect(point) && m_nActiveSpin != 1) ||
             (m_rectMonth.PtInRect(point) && m_nActiveSpin != 2))
        hCursor = ::LoadCursor(NULL, IDC_IBEAM);
    ::SetCursor(hCursor);

    // The window holds the mouse while the pointer is over it, to know when it leaves.
    CRect rcNext, rcPrev;
    m_btnNext.GetWindowRect(&rcNext);
    m_btnPrev.GetWindowRect(&rcPrev);
    ScreenToClient(&rcNext);
    ScreenToClient(&rcPrev);
    const BOOL bInside = rcClient.PtInRect(point) && !rcNext.PtInRect(point) && !rcPrev.PtInRect(point);
    if (bInside && GetCapture() != this)
        SetCapture();
    else if (!bInside && GetCapture() == this)
        ReleaseCapture();
}

void CCalendarWnd::OnLButtonUp(UINT nFlags, CPoint point)
{
    CWnd::OnLButtonUp(nFlags, point);
    m_nSelWeekday = -1;
    CCalendarData* pCell = HitTest(point);
    const BOOL bDragged = m_nCurRow != m_nAnchorRow || m_nCurCol != m_nAnchorCol;
    if (m_nAnchorRow == 0 && pCell != NULL && pCell->m_nRow == 0 && pCell->m_nCol == m_nAnchorCol)
    {
        ClearSelection();
        for (int r = 1; r < 7; r++)
        {
            m_cells[r][m_nAnchorCol]->m_bSelected = 1;
            m_arrSelected.Add(m_cells[r][m_nAnchorCol]);
        }
        m_nSelWeekday = (m_nAnchorCol + 1) % 7;
        Invalidate(FALSE);
    }

    CCalendarDlg* pDlg = Dialog();
    if (pDlg != NULL && m_nAnchorRow != -1)
    {
        if (m_nSelWeekday != -1)
            pDlg->SetRadioState(pDlg->IsRestWeekday(m_nSelWeekday) ? 1 : 0);
        else if (!bDragged && m_arrSelected.GetSize() == 1 &&
                 static_cast<CCalendarData*>(m_arrSelected[0])->m_nDay > 0)
            pDlg->SetRadioState(
                pDlg->GetDateKind(m_nYear, m_nMonth, static_cast<CCalendarData*>(m_arrSelected[0])->m_nDay) == 2 ? 1 : 0);
        else
            pDlg->SetRadioState(2);
    }
    m_nAnchorRow = m_nAnchorCol = m_nCurRow = m_nCurCol = -1;
    if (GetCapture() == this)
        ReleaseCapture();
}

void CCalendarWnd::OnRButtonUp(UINT nFlags, CPoint point)
{
    CWnd::OnRButtonUp(nFlags, point);
    ClearSelection();
    m_nSelWeekday = -1;
    Invalidate(FALSE);
    if (CCalendarDlg* pDlg = Dialog())
        pDlg->SetRadioState(2);
}
