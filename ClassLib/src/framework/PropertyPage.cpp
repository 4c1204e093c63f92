// CPropertyPage: a child dialog of a property sheet; the sheet's notifications become the
// page's virtual calls.
#include "Framework.h"

#include <cstring>

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)
IMPLEMENT_DYNAMIC(CPropertyPageEx, CPropertyPage)

BEGIN_MESSAGE_MAP(CPropertyPage, CDialog)
END_MESSAGE_MAP()

CPropertyPage::CPropertyPage()
    : m_pSheet(nullptr), m_nIDTemplate(0), m_nIDCaption(0), m_bModified(FALSE), m_bFirstSetActive(TRUE)
{
    std::memset(&m_psp, 0, sizeof(m_psp));
    m_psp.dwSize = sizeof(m_psp);
    m_childTemplate = AFX_DLG_TEMPLATE{};
}

CPropertyPage::CPropertyPage(UINT nIDTemplate, UINT nIDCaption) : CPropertyPage()
{
    Construct(nIDTemplate, nIDCaption);
}

CPropertyPage::CPropertyPage(LPCTSTR lpszTemplateName, UINT nIDCaption) : CPropertyPage()
{
    Construct(lpszTemplateName, nIDCaption);
}

CPropertyPage::~CPropertyPage() = default;

void CPropertyPage::Construct(UINT nIDTemplate, UINT nIDCaption)
{
    Construct(MAKEINTRESOURCE(nIDTemplate), nIDCaption);
    m_nIDTemplate = nIDTemplate;
    m_nIDHelp = nIDTemplate;
}

void CPropertyPage::Construct(LPCTSTR lpszTemplateName, UINT nIDCaption)
{
    m_lpszTemplateName = lpszTemplateName;
    m_nIDTemplate = IS_INTRESOURCE(lpszTemplateName) ? static_cast<UINT>(reinterpret_cast<ULONG_PTR>(lpszTemplateName)) : 0;
    m_nIDCaption = nIDCaption;
    m_psp.pszTemplate = lpszTemplateName;
    if (nIDCaption != 0 && AfxLoadString(nIDCaption, m_strCaption))
    {
        m_psp.dwFlags |= PSP_USETITLE;
        m_psp.pszTitle = m_strCaption;
    }
}

CString CPropertyPage::GetPageTitle() const
{
    if ((m_psp.dwFlags & PSP_USETITLE) && m_psp.pszTitle != nullptr)
        return CString(m_psp.pszTitle);
    if (const AFX_DLG_TEMPLATE* tpl = FindTemplate())
        return CString(tpl->pszCaption != nullptr ? tpl->pszCaption : "");
    return CString();
}

BOOL CPropertyPage::CreatePage(CPropertySheet* pSheet)
{
    const AFX_DLG_TEMPLATE* tpl = FindTemplate();
    if (tpl == nullptr)
    {
        TRACE("Error: property page template not found.\n");
        return FALSE;
    }
    // A page is always a child of the sheet, whatever its template says.
    m_childTemplate = *tpl;
    m_childTemplate.dwStyle = (tpl->dwStyle & ~(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_VISIBLE |
                                                WS_DISABLED | WS_THICKFRAME | WS_BORDER)) |
                              WS_CHILD | DS_CONTROL;
    m_childTemplate.x = 0;
    m_childTemplate.y = 0;
    m_pSheet = pSheet;
    m_bFirstSetActive = TRUE;
    return CreateDlgIndirect(&m_childTemplate, pSheet);
}

void CPropertyPage::SetModified(BOOL bChanged)
{
    m_bModified = bChanged;
    if (m_pSheet != nullptr && m_pSheet->m_hWnd != nullptr)
        m_pSheet->UpdateButtons();
}

void CPropertyPage::CancelToClose()
{
    // After a change that cannot be undone, OK reads "Close" and Cancel is greyed.
    if (m_pSheet == nullptr || m_pSheet->m_hWnd == nullptr)
        return;
    if (CWnd* pCancel = m_pSheet->GetDlgItem(IDCANCEL))
        pCancel->EnableWindow(FALSE);
    if (CWnd* pOK = m_pSheet->GetDlgItem(IDOK))
        pOK->SetWindowText(CStringFromUtf8("关闭"));
}

LRESULT CPropertyPage::QuerySiblings(WPARAM wParam, LPARAM lParam)
{
    if (m_pSheet == nullptr)
        return 0;
    for (int i = 0; i < m_pSheet->GetPageCount(); ++i)
    {
        CPropertyPage* pPage = m_pSheet->GetPage(i);
        if (pPage != this && pPage->m_hWnd != nullptr)
        {
            LRESULT l = pPage->SendMessage(PSM_QUERYSIBLINGS, wParam, lParam);
            if (l != 0)
                return l;
        }
    }
    return 0;
}

BOOL CPropertyPage::OnSetActive()
{
    m_bFirstSetActive = FALSE;
    return TRUE;
}

BOOL CPropertyPage::OnKillActive()
{
    // The page's data must be valid to leave it.
    return UpdateData(TRUE);
}

BOOL CPropertyPage::OnApply()
{
    OnOK();
    return TRUE;
}

void CPropertyPage::OnReset()
{
    OnCancel();
}

BOOL CPropertyPage::OnQueryCancel()
{
    return TRUE;
}

LRESULT CPropertyPage::OnWizardBack()
{
    return 0;
}

LRESULT CPropertyPage::OnWizardNext()
{
    return 0;
}

BOOL CPropertyPage::OnWizardFinish()
{
    return TRUE;
}

void CPropertyPage::OnOK()
{
    // A page does not end anything: the sheet does.
    m_bModified = FALSE;
}

void CPropertyPage::OnCancel()
{
}

BOOL CPropertyPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* pHdr = reinterpret_cast<NMHDR*>(lParam);
    if (pHdr != nullptr && m_pSheet != nullptr && pHdr->hwndFrom == m_pSheet->m_hWnd)
    {
        LRESULT l = 0;
        switch (static_cast<int>(pHdr->code))
        {
        case static_cast<int>(PSN_SETACTIVE):
            l = OnSetActive() ? 0 : -1;
            break;
        case static_cast<int>(PSN_KILLACTIVE):
            l = OnKillActive() ? FALSE : TRUE;
            break;
        case static_cast<int>(PSN_APPLY):
            l = OnApply() ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE;
            break;
        case static_cast<int>(PSN_RESET):
            OnReset();
            break;
        case static_cast<int>(PSN_QUERYCANCEL):
            l = OnQueryCancel() ? FALSE : TRUE;
            break;
        case static_cast<int>(PSN_WIZBACK):
            l = OnWizardBack();
            break;
        case static_cast<int>(PSN_WIZNEXT):
            l = OnWizardNext();
            break;
        case static_cast<int>(PSN_WIZFINISH):
            l = OnWizardFinish() ? FALSE : TRUE;
            break;
        case static_cast<int>(PSN_HELP):
            SendMessage(WM_COMMAND, ID_HELP);
            break;
        default:
            return CDialog::OnNotify(wParam, lParam, pResult);
        }
        if (pResult != nullptr)
            *pResult = l;
        return TRUE;
    }
    return CDialog::OnNotify(wParam, lParam, pResult);
}

BOOL CPropertyPage::PreTranslateMessage(MSG* pMsg)
{
    // Enter and Escape belong to the sheet; the page moves the focus between its controls.
    if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_ESCAPE))
        return FALSE;
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_TAB && ::IsDialogMessage(m_hWnd, pMsg))
        return TRUE;
    return FALSE;
}

// ---- Wizard97 pages -----------------------------------------------------------------------

CPropertyPageEx::CPropertyPageEx() = default;

CPropertyPageEx::CPropertyPageEx(UINT nIDTemplate, UINT nIDCaption, UINT nIDHeaderTitle, UINT nIDHeaderSubTitle)
{
    Construct(nIDTemplate, nIDCaption, nIDHeaderTitle, nIDHeaderSubTitle);
}

CPropertyPageEx::CPropertyPageEx(LPCTSTR lpszTemplateName, UINT nIDCaption, UINT nIDHeaderTitle, UINT nIDHeaderSubTitle)
{
    Construct(lpszTemplateName, nIDCaption, nIDHeaderTitle, nIDHeaderSubTitle);
}

void CPropertyPageEx::Construct(UINT nIDTemplate, UINT nIDCaption, UINT nIDHeaderTitle, UINT nIDHeaderSubTitle)
{
    Construct(MAKEINTRESOURCE(nIDTemplate), nIDCaption, nIDHeaderTitle, nIDHeaderSubTitle);
    m_nIDTemplate = nIDTemplate;
    m_nIDHelp = nIDTemplate;
}

void CPropertyPageEx::Construct(LPCTSTR lpszTemplateName, UINT nIDCaption, UINT nIDHeaderTitle, UINT nIDHeaderSubTitle)
{
    CPropertyPage::Construct(lpszTemplateName, nIDCaption);
    if (nIDHeaderTitle != 0 && AfxLoadString(nIDHeaderTitle, m_strHeaderTitle))
    {
        m_psp.dwFlags |= PSP_USEHEADERTITLE;
        m_psp.pszHeaderTitle = m_strHeaderTitle;
    }
    if (nIDHeaderSubTitle != 0 && AfxLoadString(nIDHeaderSubTitle, m_strHeaderSubTitle))
    {
        m_psp.dwFlags |= PSP_USEHEADERSUBTITLE;
        m_psp.pszHeaderSubTitle = m_strHeaderSubTitle;
    }
}
