#include "ProgressBar.h"

IMPLEMENT_DYNAMIC(CProgressBar, CProgressCtrl)

BEGIN_MESSAGE_MAP(CProgressBar, CProgressCtrl)
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

namespace {

HWND FindDescendantWithId(HWND hParent, int nID)
{
    for (HWND h = ::GetWindow(hParent, GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT)) {
        if (::GetDlgCtrlID(h) == nID)
            return h;
        if (HWND found = FindDescendantWithId(h, nID))
            return found;
    }
    return NULL;
}

}  // namespace

CProgressBar::CProgressBar() : m_nSize(0), m_nPane(0), m_Rect(0, 0, 0, 0) {}

CProgressBar::CProgressBar(LPCTSTR strMessage, int nSize, int nMaxValue, BOOL bSmooth, int nPane)
    : m_nSize(0), m_nPane(0), m_Rect(0, 0, 0, 0)
{
    Create(strMessage, nSize, nMaxValue, bSmooth, nPane);
}

CProgressBar::~CProgressBar()
{
    Clear();
}

CStatusBar* CProgressBar::GetStatusBar() const
{
    CWnd* pMain = AfxGetMainWnd();
    if (pMain == NULL || pMain->GetSafeHwnd() == NULL)
        return NULL;
    CWnd* pBar = NULL;
    if (pMain->IsFrameWnd())
        pBar = static_cast<CFrameWnd*>(pMain)->GetMessageBar();
    else if (HWND h = FindDescendantWithId(pMain->m_hWnd, AFX_IDW_STATUS_BAR))
        pBar = CWnd::FromHandle(h);
    return DYNAMIC_DOWNCAST(CStatusBar, pBar);
}

BOOL CProgressBar::Create(LPCTSTR strMessage, int nSize, int nMaxValue, BOOL bSmooth, int nPane)
{
    CStatusBar* pStatusBar = GetStatusBar();
    if (pStatusBar == NULL)
        return FALSE;
    DWORD dwStyle = WS_CHILD | WS_VISIBLE;
    if (bSmooth)
        dwStyle |= PBS_SMOOTH;
    CRect rect;
    pStatusBar->GetItemRect(nPane, &rect);
    rect.top += 2;
    rect.bottom -= 2;
    if (!CProgressCtrl::Create(dwStyle, rect, pStatusBar, 1))
        return FALSE;
    SetRange(0, nMaxValue, 1);
    SetStep(1);
    m_strMessage = strMessage != NULL ? strMessage : "";
    m_nSize = nSize;
    m_nPane = nPane;
    m_strPrevText = pStatusBar->GetPaneText(m_nPane);
    Resize();
    return TRUE;
}

BOOL CProgressBar::SetRange(int nLower, int nUpper, int nStep)
{
    if (GetSafeHwnd() == NULL)
        return FALSE;
    SendMessage(PBM_SETRANGE32, (WPARAM)nLower, (LPARAM)nUpper);
    CProgressCtrl::SetStep(nStep);
    return TRUE;
}

int CProgressBar::SetStep(int nStep)
{
    if (GetSafeHwnd() == NULL)
        return 0;
    if (!IsWindowVisible())
        ShowWindow(SW_SHOWNA);
    return CProgressCtrl::SetStep(nStep);
}

int CProgressBar::StepIt()
{
    if (GetSafeHwnd() == NULL)
        return 0;
    if (!IsWindowVisible())
        ShowWindow(SW_SHOWNA);
    return CProgressCtrl::StepIt();
}

void CProgressBar::Resize()
{
    if (GetSafeHwnd() == NULL)
        return;
    CStatusBar* pStatusBar = GetStatusBar();
    if (pStatusBar == NULL)
        return;
    if (IsWindowVisible()) {
        pStatusBar->SetPaneText(m_nPane, m_strMessage);
        pStatusBar->UpdateWindow();
    }
    CClientDC dc(pStatusBar);
    CFont* pOldFont = dc.SelectObject(pStatusBar->GetFont());
    int nTextWidth = dc.GetTextExtent(m_strMessage).cx;
    int nMargin = 2 * dc.GetTextExtent(CString(" ")).cx;
    dc.SelectObject(pOldFont);

    CRect rect;
    pStatusBar->GetItemRect(m_nPane, &rect);
    if (!m_strMessage.IsEmpty())
        rect.left += nTextWidth + 2 * nMargin;
    rect.right -= (rect.right - rect.left) * (100 - m_nSize) / 100;
    if (rect.right < rect.left)
        rect.right = rect.left;
    int d = rect.Height() / 10;
    rect.top += d + 2;
    rect.bottom -= d + 2;
    if (rect != m_Rect) {
        MoveWindow(&rect, TRUE);
        m_Rect = rect;
    }
}

void CProgressBar::Clear()
{
    if (GetSafeHwnd() == NULL)
        return;
    ShowWindow(SW_HIDE);
    CString text;
    if (m_nPane == 0)
        text.LoadString(AFX_IDS_IDLEMESSAGE);
    else
        text = m_strPrevText;
    if (CStatusBar* pStatusBar = GetStatusBar()) {
        pStatusBar->SetPaneText(m_nPane, text);
        pStatusBar->UpdateWindow();
    }
}

BOOL CProgressBar::OnEraseBkgnd(CDC* pDC)
{
    Resize();
    return CProgressCtrl::OnEraseBkgnd(pDC);
}
