#include "Gantt_src/TaskDistributeWnd.h"

#include "Gantt_src/CalendarDate.h"
#include "Gantt_src/GunterBar.h"

namespace {

const char kDistributeClassName[] = "CTaskDistributeWnd";
const COLORREF kScaleFace = 0xC8D0D4;

} // namespace

// ---- one bar ------------------------------------------------------------------------------

CTaskDistributeRect::CTaskDistributeRect()
    : m_crLow(0x00FF00), m_crMid(0x00FFFF), m_crHigh(0x0000FF), m_rect(0, 0, 0, 0), m_nCapacity(0),
      m_nThreshold1(50), m_nThreshold2(80)
{
}

CTaskDistributeRect::~CTaskDistributeRect() {}

void CTaskDistributeRect::SetColors(COLORREF crLow, COLORREF crMid, COLORREF crHigh)
{
    m_crLow = crLow, m_crMid = crMid, m_crHigh = crHigh;
}

void CTaskDistributeRect::GetColors(COLORREF& crLow, COLORREF& crMid, COLORREF& crHigh) const
{
    crLow = m_crLow, crMid = m_crMid, crHigh = m_crHigh;
}

void CTaskDistributeRect::SetValues(int nCapacity, int nThreshold1, int nThreshold2)
{
    m_nCapacity = nCapacity, m_nThreshold1 = nThreshold1, m_nThreshold2 = nThreshold2;
}

void CTaskDistributeRect::GetValues(int& nCapacity, int& nThreshold1, int& nThreshold2) const
{
    nCapacity = m_nCapacity, nThreshold1 = m_nThreshold1, nThreshold2 = m_nThreshold2;
}

void CTaskDistributeRect::Draw(CDC* pDC)
{
    const int h = m_rect.Height();
    const int b = m_rect.bottom;
    const int t1 = m_nThreshold1 * m_nCapacity / 100;
    const int t2 = m_nThreshold2 * m_nCapacity / 100;
    CBrush brLow(m_crLow), brMid(m_crMid), brHigh(m_crHigh);
    CGdiObject* pOldPen = pDC->SelectStockObject(NULL_PEN);
    CBrush* pOldBrush = pDC->SelectObject(&brLow);
    // Without a border the fills are one pixel short on the right and bottom: draw them one
    // pixel wider and higher so that they meet the outline.
    if (t1 < h) {
        pDC->Rectangle(m_rect.left, b - t1, m_rect.right + 1, b + 1);
        if (t2 < h) {
            pDC->SelectObject(&brMid);
            pDC->Rectangle(m_rect.left, b - t2, m_rect.right + 1, b - t1 + 1);
            pDC->SelectObject(&brHigh);
            pDC->Rectangle(m_rect.left, m_rect.top, m_rect.right + 1, b - t2 + 1);
        } else {
            pDC->SelectObject(&brMid);
            pDC->Rectangle(m_rect.left, m_rect.top, m_rect.right + 1, b - t1 + 1);
        }
    } else {
        pDC->Rectangle(m_rect.left, m_rect.top, m_rect.right + 1, m_rect.bottom + 1);
    }
    pDC->SelectObject(pOldBrush);
    pDC->SelectObject(pOldPen);
    brLow.DeleteObject();
    brMid.DeleteObject();
    brHigh.DeleteObject();
    CGdiObject* pOld = pDC->SelectStockObject(NULL_BRUSH);
    pDC->Rectangle(&m_rect);
    pDC->SelectObject(pOld);
}

// ---- the chart window -----------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CTaskDistributeWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_PAINT()
    ON_WM_MOUSEMOVE()
    ON_WM_HSCROLL()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CTaskDistributeWnd::CTaskDistributeWnd()
    : m_ptScrollPending(0, 0), m_nTimeScale(1), m_nHScrollDays(0), m_ptTipAnchor(0, 0), m_ptMouse(0, 0),
      m_listBars(10)
{
    GanttDistributeLogFont(m_logFont);
    m_font.CreateFontIndirect(&m_logFont);

    SYSTEMTIME st;
    GetLocalTime(&st);
    m_nFirstYear = st.wYear;
    m_nFirstMonth = st.wMonth;
    m_nFirstDay = st.wDay;

    HINSTANCE hInst = AfxGetInstanceHandle();
    WNDCLASS wndcls;
    if (!::GetClassInfo(hInst, kDistributeClassName, &wndcls)) {
        memset(&wndcls, 0, sizeof(wndcls));
        wndcls.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
        wndcls.lpfnWndProc = ::DefWindowProc;
        wndcls.hInstance = hInst;
        wndcls.hCursor = ::LoadCursor(NULL, IDC_ARROW);
        wndcls.lpszClassName = kDistributeClassName;
        if (!AfxRegisterClass(&wndcls))
            AfxThrowResourceException();
    }
}

CTaskDistributeWnd::~CTaskDistributeWnd()
{
    if (m_wndTitleTip.GetSafeHwnd() != NULL)
        m_wndTitleTip.DestroyWindow();
    DeleteBars();
    if (GetSafeHwnd() != NULL)
        DestroyWindow();
}

void CTaskDistributeWnd::DeleteBars()
{
    for (POSITION pos = m_listBars.GetHeadPosition(); pos != NULL;)
        delete static_cast<CTaskDistributeRect*>(m_listBars.GetNext(pos));
    m_listBars.RemoveAll();
}

void CTaskDistributeWnd::OnDestroy()
{
    if (m_wndTitleTip.GetSafeHwnd() != NULL)
        m_wndTitleTip.DestroyWindow();
    CWnd::OnDestroy();
}

int CTaskDistributeWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    ShowScrollBar(SB_HORZ, TRUE);
    SetScrollRange(SB_HORZ, 0, 100, TRUE);
    m_wndTitleTip.Create(this);
    m_wndTitleTip.SetOption(2);
    return 0;
}

void CTaskDistributeWnd::InitDateRange(const CRect& /*rect*/)
{
    for (int i = 0; i < 5; ++i)
        PrevDay(m_nFirstYear, m_nFirstMonth, m_nFirstDay);
    m_nHScrollDays = -5;
}

void CTaskDistributeWnd::CreateBars()
{
    for (int i = 0; i < 3; ++i)
        m_listBars.AddTail(new CTaskDistributeRect);
}

double CTaskDistributeWnd::GetPixelsPerDay() const { return CGunterBar::DayWidthOfLevel(m_nTimeScale); }

void CTaskDistributeWnd::DrawBars(CDC* pDC)
{
    CRect rc;
    GetClientRect(&rc);
    rc.bottom -= 33;
    const int H = rc.Height();
    int k = 0;
    for (POSITION pos = m_listBars.GetHeadPosition(); pos != NULL;) {
        CTaskDistributeRect* pBar = static_cast<CTaskDistributeRect*>(m_listBars.GetNext(pos));
        ++k;
        const int p = k == 1 ? 30 : k == 2 ? 60 : k == 3 ? 90 : 30;
        pBar->SetValues(H, 50, 80);
        pBar->SetRect(CRect(rc.left + 50 * k + 50, H - H * p / 100, rc.left + 50 * k + 80, rc.bottom));
        pBar->Draw(pDC);
    }
}

void CTaskDistributeWnd::OnPaint()
{
    CPaintDC dc(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    if (rcClient.IsRectEmpty())
        return;
    CDC dcMem;
    dcMem.CreateCompatibleDC(&dc);
    CBitmap bmp;
    bmp.CreateCompatibleBitmap(&dc, rcClient.Width(), rcClient.Height());
    CBitmap* pOldBitmap = dcMem.SelectObject(&bmp);

    dcMem.FillSolidRect(&rcClient, RGB(255, 255, 255));
    const CPoint ptOld = dcMem.SetViewportOrg(-static_cast<int>(m_nHScrollDays * GetPixelsPerDay()), 0);
    DrawBars(&dcMem);
    dcMem.SetViewportOrg(ptOld);

    const CRect rcBand(rcClient.left, rcClient.bottom - 32, rcClient.right, rcClient.bottom);
    int y = m_nFirstYear, m = m_nFirstMonth, d = m_nFirstDay;
    m_calendar.DrawScale(&dcMem, rcBand, m_nTimeScale, y, m, d, 0, kScaleFace, FALSE);

    CPen penWhite(PS_SOLID, 1, RGB(255, 255, 255));
    CPen* pOldPen = dcMem.SelectObject(&penWhite);
    dcMem.MoveTo(rcClient.right - 1, rcClient.top);
    dcMem.LineTo(rcClient.left, rcClient.top);
    dcMem.LineTo(rcClient.left, rcClient.bottom);
    dcMem.SelectObject(pOldPen);

    dc.BitBlt(0, 0, rcClient.Width(), rcClient.Height(), &dcMem, 0, 0, SRCCOPY);
    dcMem.SelectObject(pOldBitmap);
}

void CTaskDistributeWnd::OnMouseMove(UINT nFlags, CPoint point)
{
    if (point == m_ptMouse)
        return;
    m_ptMouse = point;
    CRect rcClient;
    GetClientRect(&rcClient);
    if (!rcClient.PtInRect(point))
        m_wndTitleTip.Show(CRect(point, CSize(10, 10)), "", 0, &rcClient, &m_logFont, CLR_DEFAULT, CLR_DEFAULT, 1000);

    const CRect rcNear(m_ptTipAnchor.x - 2, m_ptTipAnchor.y - 2, m_ptTipAnchor.x + 2, m_ptTipAnchor.y + 2);
    if (rcNear.PtInRect(point) && m_calendar.HitTest(point)) {
        CString strText;
        m_calendar.GetTipText(point, strText);
        if (!strText.IsEmpty() && strText != m_strTip) {
            if (m_wndTitleTip.GetSafeHwnd() != NULL && m_wndTitleTip.IsWindowVisible())
                m_wndTitleTip.Hide();
            SetCapture();
            m_wndTitleTip.Show(CRect(point, CSize(10, 10)), strText, 0, &rcClient, &m_logFont, CLR_DEFAULT,
                               CLR_DEFAULT, 1000);
            m_strTip = strText;
        }
    } else {
        m_wndTitleTip.Hide();
        m_strTip.Empty();
        m_ptTipAnchor = point;
        if (CWnd* pMain = AfxGetMainWnd())
            if (pMain->GetSafeHwnd() != NULL)
                pMain->SetActiveWindow();
        if (GetCapture() == this)
            ReleaseCapture();
    }
    CWnd::OnMouseMove(nFlags, point);
}

void CTaskDistributeWnd::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    const int d = GanttTakeHScroll(this, nSBCode, nPos, m_nHScrollDays);
    if (d != 0) {
        m_ptScrollPending.x = d;
        ApplyHScroll();
        Invalidate(TRUE);
    }
    CWnd::OnHScroll(nSBCode, nPos, pScrollBar);
}

void CTaskDistributeWnd::ApplyHScroll()
{
    const int u = m_ptScrollPending.x;
    const int nUnit = m_nTimeScale == 1 ? 1 : m_nTimeScale == 2 ? 3 : 30;
    const int n = u * nUnit;
    const int nSteps = n < 0 ? -n : n;
    for (int i = 0; i < nSteps; ++i) {
        if (n >= 1)
            NextDay(m_nFirstYear, m_nFirstMonth, m_nFirstDay);
        else
            PrevDay(m_nFirstYear, m_nFirstMonth, m_nFirstDay);
    }
    m_nHScrollDays = m_nHScrollDays - u + n;
    m_ptScrollPending.x = 0;
}
