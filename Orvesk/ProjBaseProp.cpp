#include "ProjBaseProp.h"

#include "ProjDialogsResource.h"

IMPLEMENT_DYNAMIC(CProjBaseProp, CPropertyPageEx)

BEGIN_MESSAGE_MAP(CProjBaseProp, CPropertyPageEx)
END_MESSAGE_MAP()

CProjBaseProp::CProjBaseProp() : CProjBaseProp(IDD_PROJ_BASE) {}

CProjBaseProp::CProjBaseProp(UINT nIDTemplate)
    : CPropertyPageEx(nIDTemplate, 0, IDS_PROJ_WIZ_BASE_TITLE, IDS_PROJ_WIZ_BASE_SUBTITLE),
      m_dtDeadline(COleDateTime::GetCurrentTime()),
      m_dtStart(COleDateTime::GetCurrentTime()),
      m_dtFinish(COleDateTime::GetCurrentTime())
{
}

void CProjBaseProp::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPageEx::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_PROJ_BUDGET, m_strBudget);
    DDX_DateTimeCtrl(pDX, IDC_PROJ_FINISH, m_dtFinish);
    DDX_DateTimeCtrl(pDX, IDC_PROJ_DEADLINE, m_dtDeadline);
    DDX_Text(pDX, IDC_PROJ_GOAL, m_strGoal);
    DDX_Control(pDX, IDC_PROJ_GOAL, m_editGoal);
    DDX_Text(pDX, IDC_PROJ_NAME, m_strName);
    DDX_DateTimeCtrl(pDX, IDC_PROJ_START, m_dtStart);
}

BOOL CProjBaseProp::OnSetActive()
{
    if (CPropertySheet* pSheet = GetSheet())
        pSheet->SetWizardButtons(PSWIZB_NEXT);
    return CPropertyPageEx::OnSetActive();
}

namespace {

struct CWizardCheck
{
    const char* pszText;
    UINT nFocus;
};
const CWizardCheck kWizardChecks[] = {
    {"项目完成日期不能早于项目开始日期!", 0},
    {"项目名称不能为空!", IDC_PROJ_NAME},
    {"项目描述不能为空!", IDC_PROJ_GOAL},
    {"项目预算不能为空!", IDC_PROJ_BUDGET},
};

} // namespace

int CProjBaseProp::FirstWizardFault() const
{
    if (m_dtStart > m_dtFinish)
        return 0;
    if (m_strName.IsEmpty())
        return 1;
    if (m_strGoal.IsEmpty())
        return 2;
    if (m_strBudget.IsEmpty())
        return 3;
    return -1;
}

BOOL CProjBaseProp::CheckForWizard()
{
    if (!UpdateData(TRUE))
        return FALSE;
    m_dtDeadline = m_dtFinish;
    // The deadline picker shows what the page will hand back.
    UpdateData(FALSE);
    const int nFault = FirstWizardFault();
    if (nFault < 0)
        return TRUE;
    AfxMessageBox(kWizardChecks[nFault].pszText, MB_ICONINFORMATION);
    if (kWizardChecks[nFault].nFocus != 0)
        GetDlgItem(kWizardChecks[nFault].nFocus)->SetFocus();
    return FALSE;
}

LRESULT CProjBaseProp::OnWizardNext()
{
    if (!CheckForWizard())
        return -1;
    return CPropertyPageEx::OnWizardNext();
}

IMPLEMENT_DYNAMIC(CProjPublishFinishPage, CPropertyPageEx)

BEGIN_MESSAGE_MAP(CProjPublishFinishPage, CPropertyPageEx)
END_MESSAGE_MAP()

CProjPublishFinishPage::CProjPublishFinishPage()
    : CPropertyPageEx(IDD_PROJ_PUBLISH_FINISH, 0, IDS_PROJ_WIZ_FINISH_TITLE, IDS_PROJ_WIZ_FINISH_SUBTITLE)
{
}

BOOL CProjPublishFinishPage::OnInitDialog()
{
    CPropertyPageEx::OnInitDialog();
    if (m_bmpSide.LoadBitmap(IDB_PROJ_WIZARD_SIDE)) {
        if (CStatic* pPicture = static_cast<CStatic*>(GetDlgItem(IDC_PROJ_FINISH_PICTURE)))
            pPicture->SetBitmap((HBITMAP)m_bmpSide.GetSafeHandle());
    }
    return TRUE;
}

BOOL CProjPublishFinishPage::OnSetActive()
{
    if (CPropertySheet* pSheet = GetSheet()) {
        pSheet->SetFinishText("立即发布");
        pSheet->SetWizardButtons(PSWIZB_BACK | PSWIZB_NEXT | PSWIZB_FINISH);
        // Setting the finish text hides Back; the page keeps it.
        if (CWnd* pBack = pSheet->GetDlgItem(ID_WIZBACK))
            pBack->ShowWindow(SW_SHOW);
    }
    return CPropertyPageEx::OnSetActive();
}
