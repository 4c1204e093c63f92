// CPropertySheet: the sheet window, its tabs or wizard buttons, and the page changes.
#include "Framework.h"

#include <ClassLib/Controls/Button.h>

#include "FrameworkStrings.h"

#include <algorithm>
#include <cstring>

IMPLEMENT_DYNAMIC(CPropertySheet, CWnd)
IMPLEMENT_DYNAMIC(CPropertySheetEx, CPropertySheet)

BEGIN_MESSAGE_MAP(CPropertySheet, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_CLOSE()
    ON_WM_DESTROY()
    ON_MESSAGE(DM_GETDEFID, OnGetDefID)
END_MESSAGE_MAP()

namespace {

const UINT kTabID = 0x3020;  // the sheet's tab control

CString Text(const char* pszUtf8)
{
    return CStringFromUtf8(pszUtf8);
}

}  // namespace

CPropertySheet::CPropertySheet()
    : m_pParentWnd(nullptr),
      m_bModeless(FALSE),
      m_nCurPage(-1),
      m_nStartPage(0),
      m_dwWizButtons(0),
      m_rectPage(0, 0, 0, 0),
      m_rectHeader(0, 0, 0, 0),
      m_rectWatermark(0, 0, 0, 0),
      m_nModalResult(IDCANCEL),
      m_bFinishShown(FALSE)
{
    std::memset(&m_psh, 0, sizeof(m_psh));
    m_psh.dwSize = sizeof(m_psh);
}

CPropertySheet::CPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage) : CPropertySheet()
{
    Construct(nIDCaption, pParentWnd, iSelectPage);
}

CPropertySheet::CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage) : CPropertySheet()
{
    Construct(pszCaption, pParentWnd, iSelectPage);
}

CPropertySheet::~CPropertySheet()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
    for (CWnd* p : m_buttons)
        delete p;
    m_buttons.clear();
}

void CPropertySheet::Construct(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    CString caption;
    AfxLoadString(nIDCaption, caption);
    Construct(caption, pParentWnd, iSelectPage);
}

void CPropertySheet::Construct(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    m_strCaption = pszCaption != nullptr ? pszCaption : "";
    m_psh.pszCaption = m_strCaption;
    m_pParentWnd = pParentWnd;
    m_nStartPage = iSelectPage;
    m_psh.nStartPage = iSelectPage;
}

void CPropertySheet::AddPage(CPropertyPage* pPage)
{
    if (pPage == nullptr || std::find(m_pages.begin(), m_pages.end(), pPage) != m_pages.end())
        return;
    m_pages.push_back(pPage);
    pPage->m_pSheet = this;
    m_psh.nPages = static_cast<UINT>(m_pages.size());
    if (m_hWnd != nullptr && !IsWizard())
        m_tab.InsertItem(GetPageCount() - 1, pPage->GetPageTitle());
}

void CPropertySheet::RemovePage(CPropertyPage* pPage)
{
    RemovePage(GetPageIndex(pPage));
}

void CPropertySheet::RemovePage(int nPage)
{
    if (nPage < 0 || nPage >= GetPageCount())
        return;
    CPropertyPage* pPage = m_pages[static_cast<size_t>(nPage)];
    if (m_hWnd != nullptr && nPage == m_nCurPage && GetPageCount() > 1)
        ActivatePage(nPage == 0 ? 1 : nPage - 1, FALSE);
    if (pPage->m_hWnd != nullptr)
        pPage->DestroyWindow();
    pPage->m_pSheet = nullptr;
    m_pages.erase(m_pages.begin() + nPage);
    if (m_nCurPage > nPage)
        --m_nCurPage;
    else if (m_nCurPage == nPage)
        m_nCurPage = -1;
    if (m_tab.m_hWnd != nullptr)
        m_tab.DeleteItem(nPage);
    m_psh.nPages = static_cast<UINT>(m_pages.size());
}

CPropertyPage* CPropertySheet::GetPage(int nPage) const
{
    if (nPage < 0 || nPage >= GetPageCount())
        return nullptr;
    return m_pages[static_cast<size_t>(nPage)];
}

int CPropertySheet::GetPageIndex(CPropertyPage* pPage) const
{
    auto it = std::find(m_pages.begin(), m_pages.end(), pPage);
    return it == m_pages.end() ? -1 : static_cast<int>(it - m_pages.begin());
}

CPropertyPage* CPropertySheet::GetActivePage() const
{
    if (m_hWnd == nullptr)
        return GetPage(static_cast<int>(m_nStartPage));
    return GetPage(m_nCurPage);
}

int CPropertySheet::GetActiveIndex() const
{
    return m_hWnd == nullptr ? static_cast<int>(m_nStartPage) : m_nCurPage;
}

BOOL CPropertySheet::SetActivePage(int nPage)
{
    if (nPage < 0 || nPage >= GetPageCount())
        return FALSE;
    if (m_hWnd == nullptr)
    {
        m_nStartPage = static_cast<UINT>(nPage);
        return TRUE;
    }
    return ActivatePage(nPage, nPage >= m_nCurPage);
}

BOOL CPropertySheet::SetActivePage(CPropertyPage* pPage)
{
    return SetActivePage(GetPageIndex(pPage));
}

void CPropertySheet::SetTitle(LPCTSTR lpszText, UINT)
{
    m_strCaption = lpszText != nullptr ? lpszText : "";
    m_psh.pszCaption = m_strCaption;
    if (m_hWnd != nullptr)
        SetWindowText(m_strCaption);
}

CTabCtrl* CPropertySheet::GetTabControl() const
{
    return m_tab.m_hWnd != nullptr ? const_cast<CTabCtrl*>(&m_tab) : nullptr;
}

void CPropertySheet::SetWizardMode()
{
    m_psh.dwFlags |= PSH_WIZARD;
}

// ---- Creation and layout ------------------------------------------------------------------

INT_PTR CPropertySheet::DoModal()
{
    if (m_pages.empty())
    {
        TRACE("Error: a property sheet needs a page.\n");
        return -1;
    }
    m_bModeless = FALSE;
    m_nModalResult = IDCANCEL;
    CWnd* pOwner = AfxGetModalOwner(m_pParentWnd);
    return AfxDoModalWindow(
        this, pOwner, [this, pOwner] { return CreateSheetWindow(pOwner, static_cast<DWORD>(-1), 0, TRUE); }, 0,
        [this] { return m_nModalResult; });
}

BOOL CPropertySheet::Create(CWnd* pParentWnd, DWORD dwStyle, DWORD dwExStyle)
{
    if (m_pages.empty())
        return FALSE;
    m_bModeless = TRUE;
    return CreateSheetWindow(pParentWnd != nullptr ? pParentWnd : m_pParentWnd, dwStyle, dwExStyle, FALSE);
}

BOOL CPropertySheet::CreateSheetWindow(CWnd* pParentWnd, DWORD dwStyle, DWORD dwExStyle, BOOL bModal)
{
    pc_frame::EnsureStandardClasses();
    if (dwStyle == static_cast<DWORD>(-1))
        dwStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_3DLOOK | (bModal ? 0 : WS_VISIBLE);
    if (!CWnd::CreateEx(dwExStyle | WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, WC_DIALOG, m_strCaption,
                        dwStyle & ~WS_VISIBLE, CRect(0, 0, 100, 100), pParentWnd, 0))
    {
        TRACE("Error: property sheet window could not be created.\n");
        return FALSE;
    }
    // The sheet's font is the first page's template font.
    if (const AFX_DLG_TEMPLATE* tpl = m_pages[0]->FindTemplate())
    {
        LOGFONT lf;
        std::memset(&lf, 0, sizeof(lf));
        bool hasFont = (tpl->dwStyle & DS_SETFONT) && tpl->pszFont != nullptr;
        lf.lfHeight = -::MulDiv(hasFont && tpl->wPointSize ? tpl->wPointSize : 9, 96, 72);
        lf.lfWeight = FW_NORMAL;
        lf.lfCharSet = GB2312_CHARSET;
        std::strncpy(lf.lfFaceName, hasFont ? tpl->pszFont : "\xCB\xCE\xCC\xE5", LF_FACESIZE - 1);
        m_font.DeleteObject();
        m_font.CreateFontIndirect(&lf);
        SetFont(&m_font, FALSE);
    }
    if (!IsWizard())
    {
        if (!m_tab.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS, CRect(0, 0, 10, 10), this, kTabID))
            return FALSE;
        m_tab.SetFont(&m_font, FALSE);
        for (int i = 0; i < GetPageCount(); ++i)
            m_tab.InsertItem(i, m_pages[static_cast<size_t>(i)]->GetPageTitle());
    }
    CreateButtons();
    int nStart = static_cast<int>(m_nStartPage);
    if (nStart < 0 || nStart >= GetPageCount())
        nStart = 0;
    m_nCurPage = -1;
    // The start page is made first: its size in pixels gives the dialog units of all.
    CPropertyPage* pFirst = m_pages[static_cast<size_t>(nStart)];
    if (pFirst->m_hWnd == nullptr && !pFirst->CreatePage(this))
    {
        DestroyWindow();
        return FALSE;
    }
    LayoutSheet();
    if (!OnInitDialog())
    {
        DestroyWindow();
        return FALSE;
    }
    if (!ActivatePage(nStart, TRUE))
    {
        // No page would show: the sheet cannot run.
        DestroyWindow();
        return FALSE;
    }
    CenterWindow(pParentWnd);
    ShowWindow(SW_SHOW);
    return TRUE;
}

BOOL CPropertySheet::OnInitDialog()
{
    return TRUE;
}

CSize CPropertySheet::PageSizeOf(CPropertyPage* pPage, CSize base) const
{
    const AFX_DLG_TEMPLATE* tpl = pPage->FindTemplate();
    if (tpl == nullptr)
        return CSize(0, 0);
    return CSize(::MulDiv(tpl->cx, base.cx, 4), ::MulDiv(tpl->cy, base.cy, 8));
}

BOOL CPropertySheet::IsInterior(int nPage) const
{
    CPropertyPage* pPage = GetPage(nPage);
    return pPage != nullptr && !(pPage->m_psp.dwFlags & PSP_HIDEHEADER);
}

void CPropertySheet::LayoutSheet()
{
    // Every page gets the size of the largest.
    CSize base(6, 12);
    for (CPropertyPage* p : m_pages)
        if (p->m_hWnd != nullptr)
        {
            base = p->GetBaseUnits();
            break;
        }
    CSize page(0, 0);
    for (CPropertyPage* p : m_pages)
    {
        CSize sz = PageSizeOf(p, base);
        page.cx = std::max<int>(page.cx, sz.cx);
        page.cy = std::max<int>(page.cy, sz.cy);
    }
    bool bWiz97 = (m_psh.dwFlags & PSH_WIZARD97) != 0 && IsWizard();
    int cxClient = 0, cyButtons = 0;
    if (!IsWizard())
    {
        CRect rcPage(0, 0, page.cx, page.cy);
        CRect rcTab = rcPage;
        m_tab.AdjustRect(TRUE, &rcTab);
        int dx = kMargin - rcTab.left, dy = kMargin - rcTab.top;
        rcTab.OffsetRect(dx, dy);
        rcPage.OffsetRect(dx, dy);
        m_tab.MoveWindow(&rcTab, FALSE);
        m_rectPage = rcPage;
        cxClient = rcTab.right + kMargin;
        cyButtons = rcTab.bottom + kMargin;
        m_rectHeader.SetRectEmpty();
    }
    else
    {
        int top = 0;
        if (bWiz97)
        {
            const int cyHeader = HeaderHeightFor(page.cx + 4 * kMargin);
            m_rectHeader = CRect(0, 0, page.cx + 4 * kMargin, cyHeader);
            top = cyHeader + 1;
        }
        else
            m_rectHeader.SetRectEmpty();
        m_rectPage = CRect(2 * kMargin, top + kMargin, 2 * kMargin + page.cx, top + kMargin + page.cy);
        cxClient = m_rectPage.right + 2 * kMargin;
        cyButtons = m_rectPage.bottom + kMargin + 2;  // the etched line above the buttons
        if (bWiz97)
            m_rectHeader.right = cxClient;
    }
    // Buttons, right-aligned along the bottom.
    int nVisible = 0;
    for (CWnd* b : m_buttons)
        if (b->GetStyle() & WS_VISIBLE)
            ++nVisible;
    int cxButtons = 4 * (kButtonWidth + kButtonGap);
    cxClient = std::max(cxClient, cxButtons + 2 * kMargin);
    int cyClient = cyButtons + kButtonHeight + kMargin;
    m_rectWatermark = CRect(0, 0, 0, cyButtons - kMargin);
    if (IsWizard() && m_psh.hbmWatermark != nullptr)
    {
        BITMAP bm;
        std::memset(&bm, 0, sizeof(bm));
        if (::GetObject(m_psh.hbmWatermark, sizeof(bm), &bm))
            m_rectWatermark.right = std::min<int>(bm.bmWidth, cxClient / 2);
    }
    // Position: Next and Back share a group; Finish sits where Next is.
    int x = cxClient - kMargin;
    auto place = [&](UINT nID, int nSlot) {
        if (CWnd* b = GetDlgItem(static_cast<int>(nID)))
            b->MoveWindow(x - (nSlot + 1) * kButtonWidth - nSlot * kButtonGap, cyButtons, kButtonWidth, kButtonHeight, FALSE);
    };
    if (!IsWizard())
    {
        int slot = 0;
        if (m_psh.dwFlags & PSH_HASHELP)
            place(IDHELP, slot++);
        if (!(m_psh.dwFlags & PSH_NOAPPLYNOW))
            place(ID_APPLY_NOW, slot++);
        place(IDCANCEL, slot++);
        place(IDOK, slot++);
    }
    else
    {
        int slot = 0;
        if (m_psh.dwFlags & (PSH_HASHELP | PSH_WIZARDCONTEXTHELP))
            place(IDHELP, slot++);
        place(IDCANCEL, slot++);
        if (m_psh.dwFlags & PSH_WIZARDHASFINISH)
            place(ID_WIZFINISH, slot++);
        // Next (or Finish in its place), then Back touching it.
        int xNext = x - (slot + 1) * kButtonWidth - slot * kButtonGap - kButtonGap;
        if (CWnd* b = GetDlgItem(ID_WIZNEXT))
            b->MoveWindow(xNext, cyButtons, kButtonWidth, kButtonHeight, FALSE);
        if (!(m_psh.dwFlags & PSH_WIZARDHASFINISH))
            if (CWnd* b = GetDlgItem(ID_WIZFINISH))
                b->MoveWindow(xNext, cyButtons, kButtonWidth, kButtonHeight, FALSE);
        if (CWnd* b = GetDlgItem(ID_WIZBACK))
            b->MoveWindow(xNext - kButtonWidth, cyButtons, kButtonWidth, kButtonHeight, FALSE);
    }
    (void)nVisible;
    CRect rcWindow(0, 0, cxClient, cyClient);
    ::AdjustWindowRectEx(&rcWindow, GetStyle(), FALSE, GetExStyle());
    SetWindowPos(nullptr, 0, 0, rcWindow.Width(), rcWindow.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    for (CPropertyPage* p : m_pages)
        if (p->m_hWnd != nullptr)
            p->MoveWindow(&m_rectPage, FALSE);
}

CWnd* CPropertySheet::AddButton(UINT nID, LPCTSTR lpszText, const CRect& rc, BOOL bDefault)
{
    CWnd* pButton = new CButton;
    DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | (bDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    if (!pButton->Create("BUTTON", lpszText, dwStyle, rc, this, nID))
    {
        delete pButton;
        return nullptr;
    }
    pButton->SetFont(&m_font, FALSE);
    m_buttons.push_back(pButton);
    return pButton;
}

void CPropertySheet::CreateButtons()
{
    CRect rc(0, 0, kButtonWidth, kButtonHeight);
    if (!IsWizard())
    {
        AddButton(IDOK, Text("确定"), rc, TRUE);
        AddButton(IDCANCEL, Text("取消"), rc, FALSE);
        if (!(m_psh.dwFlags & PSH_NOAPPLYNOW))
        {
            if (CWnd* p = AddButton(ID_APPLY_NOW, Text("应用(&A)"), rc, FALSE))
                p->EnableWindow(FALSE);  // until a page is changed
        }
        if (m_psh.dwFlags & PSH_HASHELP)
            AddButton(IDHELP, Text("帮助"), rc, FALSE);
        SendMessage(DM_SETDEFID, IDOK);
    }
    else
    {
        AddButton(ID_WIZBACK, Text("< 上一步(&B)"), rc, FALSE);
        AddButton(ID_WIZNEXT, Text("下一步(&N) >"), rc, TRUE);
        CWnd* pFinish = AddButton(ID_WIZFINISH, Text("完成"), rc, FALSE);
        if (pFinish != nullptr && !(m_psh.dwFlags & PSH_WIZARDHASFINISH))
            pFinish->ShowWindow(SW_HIDE);
        AddButton(IDCANCEL, Text("取消"), rc, FALSE);
        if (m_psh.dwFlags & (PSH_HASHELP | PSH_WIZARDCONTEXTHELP))
            AddButton(IDHELP, Text("帮助"), rc, FALSE);
        // Until a page says otherwise: Back and Next.
        m_dwWizButtons = PSWIZB_BACK | PSWIZB_NEXT;
        SendMessage(DM_SETDEFID, ID_WIZNEXT);
    }
}

void CPropertySheet::UpdateButtons()
{
    if (m_hWnd == nullptr)
        return;
    if (!IsWizard())
    {
        BOOL bModified = FALSE;
        for (CPropertyPage* p : m_pages)
            if (p->m_bModified)
                bModified = TRUE;
        if (CWnd* pApply = GetDlgItem(ID_APPLY_NOW))
            pApply->EnableWindow(bModified);
    }
}

void CPropertySheet::SetWizardButtons(DWORD dwFlags)
{
    m_dwWizButtons = dwFlags;
    if (m_hWnd == nullptr || !IsWizard())
        return;
    CWnd* pBack = GetDlgItem(ID_WIZBACK);
    CWnd* pNext = GetDlgItem(ID_WIZNEXT);
    CWnd* pFinish = GetDlgItem(ID_WIZFINISH);
    if (pBack != nullptr)
        pBack->EnableWindow((dwFlags & PSWIZB_BACK) != 0);
    bool bHasFinish = (m_psh.dwFlags & PSH_WIZARDHASFINISH) != 0;
    bool bFinish = (dwFlags & (PSWIZB_FINISH | PSWIZB_DISABLEDFINISH)) != 0;
    // A finish text set earlier lasts while the page asks for the finish button.
    if (!bFinish)
        m_bFinishShown = FALSE;
    bool bShowFinish = bFinish || m_bFinishShown;
    if (pNext != nullptr)
    {
        pNext->EnableWindow((dwFlags & PSWIZB_NEXT) != 0);
        if (!bHasFinish)
            pNext->ShowWindow(bShowFinish ? SW_HIDE : SW_SHOW);
    }
    if (pFinish != nullptr)
    {
        pFinish->EnableWindow((dwFlags & PSWIZB_FINISH) != 0);
        if (!bHasFinish)
            pFinish->ShowWindow(bShowFinish ? SW_SHOW : SW_HIDE);
    }
    if (pBack != nullptr && !m_bFinishShown)
        pBack->ShowWindow(SW_SHOW);
    // Enter presses Next when it can, else Finish.
    if (pNext != nullptr && pNext->IsWindowVisible() && pNext->IsWindowEnabled())
        SendMessage(DM_SETDEFID, ID_WIZNEXT);
    else if (pFinish != nullptr && pFinish->IsWindowVisible())
        SendMessage(DM_SETDEFID, ID_WIZFINISH);
}

void CPropertySheet::SetFinishText(LPCTSTR lpszText)
{
    m_strFinishText = lpszText != nullptr ? lpszText : "";
    if (m_hWnd == nullptr)
        return;
    // The finish button with its new text takes the place of Back and Next.
    m_bFinishShown = TRUE;
    if (CWnd* pFinish = GetDlgItem(ID_WIZFINISH))
    {
        pFinish->SetWindowText(m_strFinishText);
        pFinish->ShowWindow(SW_SHOW);
        pFinish->EnableWindow(TRUE);
    }
    if (CWnd* pBack = GetDlgItem(ID_WIZBACK))
        pBack->ShowWindow(SW_HIDE);
    if (CWnd* pNext = GetDlgItem(ID_WIZNEXT))
        pNext->ShowWindow(SW_HIDE);
    SendMessage(DM_SETDEFID, ID_WIZFINISH);
}

LRESULT CPropertySheet::OnGetDefID(WPARAM, LPARAM)
{
    return Default();
}

BOOL CPropertySheet::PressButton(int nButton)
{
    UINT nID = 0;
    switch (nButton)
    {
    case PSBTN_BACK:
        nID = ID_WIZBACK;
        break;
    case PSBTN_NEXT:
        nID = ID_WIZNEXT;
        break;
    case PSBTN_FINISH:
        nID = ID_WIZFINISH;
        break;
    case PSBTN_OK:
        nID = IDOK;
        break;
    case PSBTN_APPLYNOW:
        nID = ID_APPLY_NOW;
        break;
    case PSBTN_CANCEL:
        nID = IDCANCEL;
        break;
    case PSBTN_HELP:
        nID = IDHELP;
        break;
    default:
        return FALSE;
    }
    if (m_hWnd == nullptr)
        return FALSE;
    CWnd* pButton = GetDlgItem(static_cast<int>(nID));
    if (pButton != nullptr && !pButton->IsWindowEnabled())
        return FALSE;
    SendMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), reinterpret_cast<LPARAM>(pButton != nullptr ? pButton->m_hWnd : nullptr));
    return TRUE;
}

// ---- Page changes and the buttons ---------------------------------------------------------

LRESULT CPropertySheet::SendPageNotify(CPropertyPage* pPage, int nCode)
{
    if (pPage == nullptr || pPage->m_hWnd == nullptr)
        return 0;
    PSHNOTIFY nm;
    std::memset(&nm, 0, sizeof(nm));
    nm.hdr.hwndFrom = m_hWnd;
    nm.hdr.idFrom = 0;
    nm.hdr.code = static_cast<UINT>(nCode);
    return pPage->SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&nm));
}

int CPropertySheet::FindPageByTemplate(UINT nID) const
{
    for (int i = 0; i < GetPageCount(); ++i)
        if (m_pages[static_cast<size_t>(i)]->m_nIDTemplate == nID)
            return i;
    return -1;
}

BOOL CPropertySheet::ActivatePage(int nPage, BOOL bForward)
{
    if (nPage < 0 || nPage >= GetPageCount())
        return FALSE;
    CPropertyPage* pOld = GetPage(m_nCurPage);
    if (nPage == m_nCurPage)
        return TRUE;
    // The page left must agree (its data valid).
    if (pOld != nullptr && SendPageNotify(pOld, PSN_KILLACTIVE) != 0)
        return FALSE;
    int n = nPage;
    while (n >= 0 && n < GetPageCount())
    {
        CPropertyPage* pNew = m_pages[static_cast<size_t>(n)];
        if (pNew->m_hWnd == nullptr)
        {
            if (!pNew->CreatePage(this))
                return FALSE;
            pNew->MoveWindow(&m_rectPage, FALSE);
        }
        // -1 from the page refuses it; a wizard goes on to the next in the same direction.
        if (SendPageNotify(pNew, PSN_SETACTIVE) != -1)
        {
            if (pOld != nullptr && pOld != pNew && pOld->m_hWnd != nullptr)
                pOld->ShowWindow(SW_HIDE);
            m_nCurPage = n;
            pNew->MoveWindow(&m_rectPage, FALSE);
            // Above the tab control, whose frame surrounds it.
            pNew->SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            pNew->ShowWindow(SW_SHOW);
            if (m_tab.m_hWnd != nullptr)
                m_tab.SetCurSel(n);
            if (IsWizard())
                InvalidateRect(&m_rectHeader, TRUE);
            Invalidate();
            // The focus goes to the page's first control.
            if (CWnd* pFirst = pNew->GetNextDlgTabItem(nullptr))
                pFirst->SetFocus();
            return TRUE;
        }
        if (!IsWizard())
            break;
        n += bForward ? 1 : -1;
    }
    return FALSE;
}

BOOL CPropertySheet::ApplyAll()
{
    // Every page made so far applies its data; one that refuses is shown and the sheet stays.
    for (int i = 0; i < GetPageCount(); ++i)
    {
        CPropertyPage* pPage = m_pages[static_cast<size_t>(i)];
        if (pPage->m_hWnd == nullptr)
            continue;
        LRESULT l = SendPageNotify(pPage, PSN_APPLY);
        if (l == PSNRET_INVALID_NOCHANGEPAGE || l == PSNRET_INVALID)
        {
            if (i != m_nCurPage)
                ActivatePage(i, TRUE);
            return FALSE;
        }
    }
    for (CPropertyPage* p : m_pages)
        p->m_bModified = FALSE;
    UpdateButtons();
    return TRUE;
}

void CPropertySheet::ResetAll()
{
    for (CPropertyPage* pPage : m_pages)
        if (pPage->m_hWnd != nullptr)
            SendPageNotify(pPage, PSN_RESET);
}

BOOL CPropertySheet::OnCommand(WPARAM wParam, LPARAM lParam)
{
    UINT nID = LOWORD(wParam);
    UINT nCode = HIWORD(wParam);
    // Menu and accelerator commands and those of the message map go the usual way.
    if (nCode != BN_CLICKED || (lParam != 0 && GetDlgItem(static_cast<int>(nID)) == nullptr))
        return CWnd::OnCommand(wParam, lParam);
    CPropertyPage* pPage = GetActivePage();
    switch (nID)
    {
    case IDOK:
        if (pPage != nullptr && SendPageNotify(pPage, PSN_KILLACTIVE) != 0)
            return TRUE;
        if (ApplyAll())
            EndDialog(IDOK);
        return TRUE;
    case IDCANCEL:
        if (pPage != nullptr && SendPageNotify(pPage, PSN_QUERYCANCEL) != 0)
            return TRUE;
        ResetAll();
        EndDialog(IDCANCEL);
        return TRUE;
    case ID_APPLY_NOW:
        if (pPage != nullptr && SendPageNotify(pPage, PSN_KILLACTIVE) != 0)
            return TRUE;
        ApplyAll();
        return TRUE;
    case ID_WIZBACK:
    case ID_WIZNEXT:
    {
        if (!IsWizard())
            break;
        bool bNext = nID == ID_WIZNEXT;
        LRESULT l = SendPageNotify(pPage, bNext ? PSN_WIZNEXT : PSN_WIZBACK);
        if (l == -1)
            return TRUE;  // the page keeps the wizard where it is
        int nTarget = l == 0 ? m_nCurPage + (bNext ? 1 : -1) : FindPageByTemplate(static_cast<UINT>(l));
        if (nTarget >= 0 && nTarget < GetPageCount())
            ActivatePage(nTarget, bNext);
        return TRUE;
    }
    case ID_WIZFINISH:
        if (!IsWizard())
            break;
        if (SendPageNotify(pPage, PSN_WIZFINISH) != 0)
            return TRUE;
        EndDialog(ID_WIZFINISH);
        return TRUE;
    case IDHELP:
        SendPageNotify(pPage, PSN_HELP);
        return TRUE;
    default:
        break;
    }
    return CWnd::OnCommand(wParam, lParam);
}

BOOL CPropertySheet::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* pHdr = reinterpret_cast<NMHDR*>(lParam);
    if (pHdr != nullptr && m_tab.m_hWnd != nullptr && pHdr->hwndFrom == m_tab.m_hWnd)
    {
        if (pHdr->code == static_cast<UINT>(TCN_SELCHANGING))
        {
            // The page left must agree.
            CPropertyPage* pPage = GetActivePage();
            LRESULT veto = pPage != nullptr ? SendPageNotify(pPage, PSN_KILLACTIVE) : 0;
            if (pResult != nullptr)
                *pResult = veto != 0;
            return TRUE;
        }
        if (pHdr->code == static_cast<UINT>(TCN_SELCHANGE))
        {
            // The old page already agreed: switch without asking it again.
            int nNew = m_tab.GetCurSel();
            CPropertyPage* pOld = GetActivePage();
            int nOld = m_nCurPage;
            m_nCurPage = -1;
            if (!ActivatePage(nNew, TRUE))
            {
                m_nCurPage = nOld;
                m_tab.SetCurSel(nOld);
            }
            else if (pOld != nullptr && pOld != GetActivePage() && pOld->m_hWnd != nullptr)
                pOld->ShowWindow(SW_HIDE);
            if (pResult != nullptr)
                *pResult = 0;
            return TRUE;
        }
    }
    return CWnd::OnNotify(wParam, lParam, pResult);
}

BOOL CPropertySheet::PreTranslateMessage(MSG* pMsg)
{
    if (::IsDialogMessage(m_hWnd, pMsg))
        return TRUE;
    return CWnd::PreTranslateMessage(pMsg);
}

void CPropertySheet::EndDialog(int nEndID)
{
    m_nModalResult = nEndID;
    if (m_nFlags & (WF_MODALLOOP | WF_CONTINUEMODAL))
        EndModalLoop(nEndID);
    else if (m_bModeless && m_hWnd != nullptr)
        DestroyWindow();
}

void CPropertySheet::OnClose()
{
    SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

void CPropertySheet::PostNcDestroy()
{
    // The pages' windows went with the sheet; the page objects belong to the caller.
    for (CPropertyPage* p : m_pages)
        p->m_bFirstSetActive = TRUE;
    m_nCurPage = -1;
    for (CWnd* b : m_buttons)
        delete b;
    m_buttons.clear();
}

BOOL CPropertySheet::OnEraseBkgnd(CDC* pDC)
{
    CRect rc;
    GetClientRect(&rc);
    pDC->FillSolidRect(&rc, ::GetSysColor(COLOR_BTNFACE));
    return TRUE;
}

void CPropertySheet::OnPaint()
{
    CPaintDC dc(this);
    if (!IsWizard())
        return;
    CRect client;
    GetClientRect(&client);
    bool bWiz97 = (m_psh.dwFlags & PSH_WIZARD97) != 0;
    // The etched line above the buttons.
    int yLine = m_rectPage.bottom + kMargin;
    dc.Draw3dRect(kMargin, yLine, client.Width() - 2 * kMargin, 2, ::GetSysColor(COLOR_BTNSHADOW),
                  ::GetSysColor(COLOR_BTNHIGHLIGHT));
    if (!bWiz97)
        return;
    CPropertyPage* pPage = GetActivePage();
    if (pPage != nullptr && IsInterior(m_nCurPage))
    {
        // Header: white, the page's title (bold) and subtitle, the header bitmap at the right.
        dc.FillSolidRect(&m_rectHeader, RGB(255, 255, 255));
        dc.Draw3dRect(0, m_rectHeader.bottom, client.Width(), 2, ::GetSysColor(COLOR_BTNSHADOW),
                      ::GetSysColor(COLOR_BTNHIGHLIGHT));
        int xRight = m_rectHeader.right;
        if (m_psh.hbmHeader != nullptr && (m_psh.dwFlags & (PSH_HEADER | PSH_USEHBMHEADER)))
        {
            BITMAP bm;
            std::memset(&bm, 0, sizeof(bm));
            if (::GetObject(m_psh.hbmHeader, sizeof(bm), &bm))
            {
                CDC mem;
                mem.CreateCompatibleDC(&dc);
                CBitmap* pOld = mem.SelectObject(CBitmap::FromHandle(m_psh.hbmHeader));
                int cx = std::min<int>(bm.bmWidth, m_rectHeader.Width() / 2);
                int cy = std::min<int>(bm.bmHeight, m_rectHeader.Height());
                xRight = m_rectHeader.right - cx;
                dc.BitBlt(xRight, m_rectHeader.top + (m_rectHeader.Height() - cy) / 2, cx, cy, &mem, bm.bmWidth - cx, 0,
                          SRCCOPY);
                mem.SelectObject(pOld);
            }
        }
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextColor(RGB(0, 0, 0));
        LOGFONT lf;
        std::memset(&lf, 0, sizeof(lf));
        m_font.GetLogFont(&lf);
        lf.lfWeight = FW_BOLD;
        CFont bold;
        bold.CreateFontIndirect(&lf);
        CFont* pOldFont = dc.SelectObject(&bold);
        CString title = (pPage->m_psp.dwFlags & PSP_USEHEADERTITLE) && pPage->m_psp.pszHeaderTitle ? pPage->m_psp.pszHeaderTitle : "";
        CRect rcTitle(3 * kMargin, 8, xRight - kMargin, 8 + m_cyHeaderTitle);
        dc.DrawText(title, &rcTitle, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
        dc.SelectObject(&m_font);
        CString sub = (pPage->m_psp.dwFlags & PSP_USEHEADERSUBTITLE) && pPage->m_psp.pszHeaderSubTitle ? pPage->m_psp.pszHeaderSubTitle : "";
        CRect rcSub(5 * kMargin, rcTitle.bottom + 2, xRight - kMargin, m_rectHeader.bottom - 4);
        dc.DrawText(sub, &rcSub, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
        dc.SelectObject(pOldFont);
    }
    else if (m_psh.hbmWatermark != nullptr && (m_psh.dwFlags & (PSH_WATERMARK | PSH_USEHBMWATERMARK)))
    {
        // Exterior pages: the watermark at the left.
        BITMAP bm;
        std::memset(&bm, 0, sizeof(bm));
        if (::GetObject(m_psh.hbmWatermark, sizeof(bm), &bm))
        {
            CDC mem;
            mem.CreateCompatibleDC(&dc);
            CBitmap* pOld = mem.SelectObject(CBitmap::FromHandle(m_psh.hbmWatermark));
            dc.BitBlt(0, 0, std::min<int>(bm.bmWidth, m_rectWatermark.Width()), std::min<int>(bm.bmHeight, m_rectWatermark.Height()),
                      &mem, 0, 0, SRCCOPY);
            mem.SelectObject(pOld);
        }
    }
}

int CPropertySheet::HeaderHeightFor(int cxHeader)
{
    // Measured as OnPaint draws: the title in the bold sheet font, each subtitle wrapped in
    // the sheet font between its indent and the header bitmap.
    if (m_hWnd == nullptr)
        return kHeaderHeight;
    int xRight = cxHeader;
    if (m_psh.hbmHeader != nullptr && (m_psh.dwFlags & (PSH_HEADER | PSH_USEHBMHEADER)))
    {
        BITMAP bm;
        std::memset(&bm, 0, sizeof(bm));
        if (::GetObject(m_psh.hbmHeader, sizeof(bm), &bm))
            xRight = cxHeader - std::min<int>(bm.bmWidth, cxHeader / 2);
    }
    CClientDC dc(this);
    CFont* pOldFont = m_font.GetSafeHandle() != nullptr ? dc.SelectObject(&m_font) : nullptr;
    LOGFONT lf;
    std::memset(&lf, 0, sizeof(lf));
    CFont bold;
    if (m_font.GetSafeHandle() != nullptr && m_font.GetLogFont(&lf))
    {
        lf.lfWeight = FW_BOLD;
        bold.CreateFontIndirect(&lf);
    }
    CFont* pBefore = bold.GetSafeHandle() != nullptr ? dc.SelectObject(&bold) : nullptr;
    TEXTMETRIC tm;
    std::memset(&tm, 0, sizeof(tm));
    dc.GetTextMetrics(&tm);
    m_cyHeaderTitle = std::max<int>(16, tm.tmHeight);
    if (pBefore != nullptr)
        dc.SelectObject(pBefore);
    int cySub = 0;
    const int cxSub = (xRight - kMargin) - 5 * kMargin;
    for (CPropertyPage* p : m_pages)
    {
        if (p == nullptr || (p->m_psp.dwFlags & PSP_HIDEHEADER) || !(p->m_psp.dwFlags & PSP_USEHEADERSUBTITLE) ||
            p->m_psp.pszHeaderSubTitle == nullptr || cxSub <= 0)
            continue;
        CRect rc(0, 0, cxSub, 0);
        dc.DrawText(p->m_psp.pszHeaderSubTitle, &rc, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX | DT_CALCRECT);
        cySub = std::max<int>(cySub, rc.Height());
    }
    if (pOldFont != nullptr)
        dc.SelectObject(pOldFont);
    // Title from 8, the subtitle 2 below it, 4 free under the subtitle.
    return std::max<int>(kHeaderHeight, 8 + m_cyHeaderTitle + 2 + cySub + 4);
}

// ---- Wizard97 sheets ----------------------------------------------------------------------

CPropertySheetEx::CPropertySheetEx() = default;

CPropertySheetEx::CPropertySheetEx(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage, HBITMAP hbmWatermark,
                                   HPALETTE hpalWatermark, HBITMAP hbmHeader)
{
    Construct(nIDCaption, pParentWnd, iSelectPage, hbmWatermark, hpalWatermark, hbmHeader);
}

CPropertySheetEx::CPropertySheetEx(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage, HBITMAP hbmWatermark,
                                   HPALETTE hpalWatermark, HBITMAP hbmHeader)
{
    Construct(pszCaption, pParentWnd, iSelectPage, hbmWatermark, hpalWatermark, hbmHeader);
}

void CPropertySheetEx::Construct(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage, HBITMAP hbmWatermark,
                                 HPALETTE hpalWatermark, HBITMAP hbmHeader)
{
    CString caption;
    AfxLoadString(nIDCaption, caption);
    Construct(caption, pParentWnd, iSelectPage, hbmWatermark, hpalWatermark, hbmHeader);
}

void CPropertySheetEx::Construct(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage, HBITMAP hbmWatermark,
                                 HPALETTE hpalWatermark, HBITMAP hbmHeader)
{
    CPropertySheet::Construct(pszCaption, pParentWnd, iSelectPage);
    if (hbmWatermark != nullptr)
    {
        m_psh.hbmWatermark = hbmWatermark;
        m_psh.dwFlags |= PSH_WATERMARK | PSH_USEHBMWATERMARK;
    }
    if (hpalWatermark != nullptr)
    {
        m_psh.hplWatermark = hpalWatermark;
        m_psh.dwFlags |= PSH_USEHPLWATERMARK;
    }
    if (hbmHeader != nullptr)
    {
        m_psh.hbmHeader = hbmHeader;
        m_psh.dwFlags |= PSH_HEADER | PSH_USEHBMHEADER;
    }
}
