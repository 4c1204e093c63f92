// CStatusBar: text panes at the bottom of a frame.
#include "Framework.h"

#include <algorithm>
#include <cstring>

IMPLEMENT_DYNAMIC(CStatusBar, CControlBar)

BEGIN_MESSAGE_MAP(CStatusBar, CControlBar)
    ON_WM_SIZE()
    ON_MESSAGE(WM_SETTEXT, OnSetTextMsg)
    ON_MESSAGE(WM_GETTEXT, OnGetTextMsg)
    ON_MESSAGE(WM_GETTEXTLENGTH, OnGetTextLengthMsg)
END_MESSAGE_MAP()

namespace {

// The command-UI object of one pane: enabling shows the text, a check pops it out.
class CStatusCmdUI : public CCmdUI
{
public:
    void Enable(BOOL bOn) override
    {
        m_bEnableChanged = TRUE;
        CStatusBar* pBar = static_cast<CStatusBar*>(m_pOther);
        UINT nStyle = pBar->GetPaneStyle(static_cast<int>(m_nIndex)) & ~SBPS_DISABLED;
        if (!bOn)
            nStyle |= SBPS_DISABLED;
        pBar->SetPaneStyle(static_cast<int>(m_nIndex), nStyle);
    }
    void SetCheck(int nCheck) override
    {
        CStatusBar* pBar = static_cast<CStatusBar*>(m_pOther);
        UINT nStyle = pBar->GetPaneStyle(static_cast<int>(m_nIndex)) & ~SBPS_POPOUT;
        if (nCheck != 0)
            nStyle |= SBPS_POPOUT;
        pBar->SetPaneStyle(static_cast<int>(m_nIndex), nStyle);
    }
    void SetText(LPCTSTR lpszText) override
    {
        static_cast<CStatusBar*>(m_pOther)->SetPaneText(static_cast<int>(m_nIndex), lpszText);
    }
};

}  // namespace

CStatusBar::CStatusBar()
{
    m_cxLeftBorder = 0;
    m_cxRightBorder = 0;
    m_cyTopBorder = 2;
    m_cyBottomBorder = 0;
}

CStatusBar::~CStatusBar() = default;

BOOL CStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    return CreateEx(pParentWnd, 0, dwStyle, nID);
}

BOOL CStatusBar::CreateEx(CWnd* pParentWnd, DWORD, DWORD dwStyle, UINT nID)
{
    m_dwStyle = dwStyle & CBRS_ALL;
    // The bar draws its own top border.
    m_dwStyle &= ~CBRS_BORDER_ANY;
    DWORD dwWndStyle = (dwStyle & ~CBRS_ALL) | WS_CHILD | WS_CLIPSIBLINGS;
    CRect rc(0, 0, 0, kHeight);
    if (!CWnd::Create(AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW), nullptr, nullptr), nullptr, dwWndStyle, rc,
                      pParentWnd, nID))
        return FALSE;
    // The platform's status bar writes in the desktop's GUI font, regular weight, unless
    // given another one.
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    if (CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, pParentWnd))
    {
        pFrame->AddControlBar(this);
        m_pDockSite = pFrame;
    }
    return TRUE;
}

BOOL CStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount)
{
    if (nIDCount < 0)
        return FALSE;
    m_panes.assign(static_cast<size_t>(nIDCount), Pane());
    BOOL bResult = TRUE;
    for (int i = 0; i < nIDCount; ++i)
    {
        Pane& pane = m_panes[static_cast<size_t>(i)];
        pane.nID = lpIDArray != nullptr ? lpIDArray[i] : 0;
        if (pane.nID == ID_SEPARATOR)
        {
            // The message pane stretches; further separators are empty panes.
            pane.nStyle = i == 0 ? (SBPS_STRETCH | SBPS_NOBORDERS) : SBPS_NORMAL;
            pane.cxText = i == 0 ? 0 : 1;
            continue;
        }
        CString text;
        if (!AfxLoadString(pane.nID, text))
        {
            TRACE("Warning: failed to load indicator string 0x%04X.\n", pane.nID);
            bResult = FALSE;
        }
        pane.strText = text;
        pane.cxText = text.GetLength() * 7;
        if (m_hWnd != nullptr)
        {
            CClientDC dc(this);
            CFont* pOld = dc.SelectObject(GetFont());
            pane.cxText = std::max(1, static_cast<int>(dc.GetTextExtent(text).cx));
            dc.SelectObject(pOld);
        }
    }
    if (m_hWnd != nullptr)
        Invalidate();
    return bResult;
}

int CStatusBar::CommandToIndex(UINT nIDFind) const
{
    for (size_t i = 0; i < m_panes.size(); ++i)
        if (m_panes[i].nID == nIDFind)
            return static_cast<int>(i);
    return -1;
}

UINT CStatusBar::GetItemID(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetCount())
        return 0;
    return m_panes[static_cast<size_t>(nIndex)].nID;
}

void CStatusBar::CalcPaneRects(std::vector<CRect>& rects) const
{
    rects.assign(m_panes.size(), CRect(0, 0, 0, 0));
    CRect client(0, 0, 0, kHeight);
    if (m_hWnd != nullptr)
        GetClientRect(&client);
    int top = client.top + m_cyTopBorder;
    int bottom = client.bottom;
    // Fixed panes take their width; the stretching pane takes what is left.
    int nFixed = 0;
    int nStretch = -1;
    for (size_t i = 0; i < m_panes.size(); ++i)
    {
        if ((m_panes[i].nStyle & SBPS_STRETCH) && nStretch < 0)
            nStretch = static_cast<int>(i);
        else
            nFixed += m_panes[i].cxText + 2 * (kPaneBorder + kTextMargin);
        if (i > 0)
            nFixed += kPaneGap;
    }
    int cxStretch = std::max(0, static_cast<int>(client.Width()) - nFixed);
    int x = client.left;
    for (size_t i = 0; i < m_panes.size(); ++i)
    {
        if (i > 0)
            x += kPaneGap;
        int cx = static_cast<int>(i) == nStretch ? cxStretch : m_panes[i].cxText + 2 * (kPaneBorder + kTextMargin);
        rects[i] = CRect(x, top, x + cx, bottom);
        x += cx;
    }
}

void CStatusBar::GetItemRect(int nIndex, LPRECT lpRect) const
{
    if (lpRect == nullptr)
        return;
    if (nIndex < 0 || nIndex >= GetCount())
    {
        *lpRect = CRect(0, 0, 0, 0);
        return;
    }
    std::vector<CRect> rects;
    CalcPaneRects(rects);
    *lpRect = rects[static_cast<size_t>(nIndex)];
}

CString CStatusBar::GetPaneText(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetCount())
        return CString();
    return m_panes[static_cast<size_t>(nIndex)].strText;
}

void CStatusBar::GetPaneText(int nIndex, CString& rString) const
{
    rString = GetPaneText(nIndex);
}

BOOL CStatusBar::SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate)
{
    if (nIndex < 0 || nIndex >= GetCount())
        return FALSE;
    Pane& pane = m_panes[static_cast<size_t>(nIndex)];
    CString text = lpszNewText != nullptr ? lpszNewText : "";
    if (pane.strText == text)
        return TRUE;
    pane.strText = text;
    if (bUpdate && m_hWnd != nullptr)
        UpdatePane(nIndex);
    return TRUE;
}

void CStatusBar::UpdatePane(int nIndex)
{
    CRect rc;
    GetItemRect(nIndex, &rc);
    InvalidateRect(&rc, TRUE);
}

void CStatusBar::GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const
{
    if (nIndex < 0 || nIndex >= GetCount())
    {
        nID = nStyle = 0;
        cxWidth = 0;
        return;
    }
    const Pane& pane = m_panes[static_cast<size_t>(nIndex)];
    nID = pane.nID;
    nStyle = pane.nStyle;
    cxWidth = pane.cxText;
}

void CStatusBar::SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth)
{
    if (nIndex < 0 || nIndex >= GetCount())
        return;
    Pane& pane = m_panes[static_cast<size_t>(nIndex)];
    pane.nID = nID;
    pane.nStyle = nStyle;
    pane.cxText = std::max(0, cxWidth);
    if (m_hWnd != nullptr)
        Invalidate();
}

UINT CStatusBar::GetPaneStyle(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetCount())
        return 0;
    return m_panes[static_cast<size_t>(nIndex)].nStyle;
}

void CStatusBar::SetPaneStyle(int nIndex, UINT nStyle)
{
    if (nIndex < 0 || nIndex >= GetCount())
        return;
    if (m_panes[static_cast<size_t>(nIndex)].nStyle == nStyle)
        return;
    m_panes[static_cast<size_t>(nIndex)].nStyle = nStyle;
    if (m_hWnd != nullptr)
        UpdatePane(nIndex);
}

CSize CStatusBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CSize size = CControlBar::CalcFixedLayout(bStretch, bHorz);
    size.cy = kHeight;
    return size;
}

void CStatusBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    CStatusCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = static_cast<UINT>(m_panes.size());
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++)
    {
        state.m_nID = m_panes[state.m_nIndex].nID;
        if (state.m_nID == ID_SEPARATOR)
            continue;
        state.DoUpdate(pTarget, bDisableIfNoHndler);
    }
}

void CStatusBar::DrawItem(LPDRAWITEMSTRUCT)
{
}

void CStatusBar::DoPaint(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    pDC->FillSolidRect(&client, ::GetSysColor(COLOR_BTNFACE));
    // The top edge separates the bar from the pane above.
    pDC->FillSolidRect(client.left, client.top, client.Width(), 1, ::GetSysColor(COLOR_BTNHIGHLIGHT));
    CFont* pOld = pDC->SelectObject(GetFont());
    pDC->SetBkMode(TRANSPARENT);
    std::vector<CRect> rects;
    CalcPaneRects(rects);
    for (size_t i = 0; i < m_panes.size(); ++i)
    {
        const Pane& pane = m_panes[i];
        CRect rc = rects[i];
        if (!(pane.nStyle & SBPS_NOBORDERS))
        {
            if (pane.nStyle & SBPS_POPOUT)
                pDC->Draw3dRect(&rc, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW));
            else
                pDC->Draw3dRect(&rc, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
        }
        if (pane.nStyle & SBPS_OWNERDRAW)
        {
            DRAWITEMSTRUCT dis;
            std::memset(&dis, 0, sizeof(dis));
            dis.CtlID = static_cast<UINT>(GetDlgCtrlID());
            dis.itemID = static_cast<UINT>(i);
            dis.hwndItem = m_hWnd;
            dis.hDC = pDC->GetSafeHdc();
            dis.rcItem = rc;
            DrawItem(&dis);
            continue;
        }
        if (pane.nStyle & SBPS_DISABLED)
            continue;  // a disabled indicator shows nothing
        CRect rcText = rc;
        rcText.DeflateRect(kPaneBorder + kTextMargin, kPaneBorder);
        pDC->SetTextColor(::GetSysColor(COLOR_BTNTEXT));
        pDC->DrawText(pane.strText, &rcText, DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    pDC->SelectObject(pOld);
}

void CStatusBar::OnSize(UINT nType, int cx, int cy)
{
    CControlBar::OnSize(nType, cx, cy);
    Invalidate();
}

LRESULT CStatusBar::OnSetTextMsg(WPARAM, LPARAM lParam)
{
    // The window text is the first pane's.
    if (GetCount() == 0)
        return FALSE;
    SetPaneText(0, reinterpret_cast<LPCTSTR>(lParam));
    return TRUE;
}

LRESULT CStatusBar::OnGetTextMsg(WPARAM wParam, LPARAM lParam)
{
    CString text = GetCount() > 0 ? GetPaneText(0) : CString();
    LPTSTR buf = reinterpret_cast<LPTSTR>(lParam);
    int nMax = static_cast<int>(wParam);
    if (buf == nullptr || nMax <= 0)
        return 0;
    int n = std::min(text.GetLength(), nMax - 1);
    std::memcpy(buf, static_cast<LPCTSTR>(text), static_cast<size_t>(n));
    buf[n] = '\0';
    return n;
}

LRESULT CStatusBar::OnGetTextLengthMsg(WPARAM, LPARAM)
{
    return GetCount() > 0 ? GetPaneText(0).GetLength() : 0;
}
