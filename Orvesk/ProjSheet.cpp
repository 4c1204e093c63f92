#include "ProjSheet.h"

#include <cstdlib>

#include "ProjDialogsResource.h"
#include "ProjResPage.h"
#include "ProjRolePage.h"
#include "ProjectDialogHooks.h"

IMPLEMENT_DYNAMIC(CProjSheet, CPropertySheetEx)

CProjSheet::CProjSheet(UINT nIDCaption, int nType, CWnd* pParentWnd, UINT iSelectPage, HBITMAP hbmWatermark,
                       HPALETTE hpalWatermark, HBITMAP hbmHeader)
    : CPropertySheetEx(nIDCaption, pParentWnd, iSelectPage, hbmWatermark, hpalWatermark, hbmHeader),
      m_nType(nType), m_pBaseProp(NULL), m_pRolePage(NULL), m_pResPage(NULL)
{
    CreatePages();
}

CProjSheet::CProjSheet(LPCTSTR pszCaption, int nType, CWnd* pParentWnd, UINT iSelectPage, HBITMAP hbmWatermark,
                       HPALETTE hpalWatermark, HBITMAP hbmHeader)
    : CPropertySheetEx(pszCaption, pParentWnd, iSelectPage, hbmWatermark, hpalWatermark, hbmHeader),
      m_nType(nType), m_pBaseProp(NULL), m_pRolePage(NULL), m_pResPage(NULL)
{
    CreatePages();
}

void CProjSheet::CreatePages()
{
    if (m_nType == 2) {
        m_pBaseProp = new CProjBaseProp(IDD_PROJ_BASE_WIZARD);
        m_pResPage = new CProjResPage(IDD_PROJ_RES_WIZARD);
        m_pRolePage = new CProjRolePage(IDD_PROJ_ROLE_WIZARD);
    } else {
        m_pBaseProp = new CProjBaseProp(IDD_PROJ_BASE);
        m_pResPage = new CProjResPage(IDD_PROJ_RES);
        m_pRolePage = new CProjRolePage(IDD_PROJ_ROLE);
    }
    AddPage(m_pBaseProp);
    if (m_nType != 0) {
        AddPage(m_pResPage);
        AddPage(m_pRolePage);
    }
    if (m_nType == 2) {
        AddPage(&m_FinishPage);
        m_psh.dwFlags |= PSH_WIZARD97;
    }
    m_psh.dwFlags |= PSH_NOAPPLYNOW;
}

CProjSheet::~CProjSheet()
{
    delete m_pBaseProp;
    delete m_pRolePage;
    delete m_pResPage;
}

int CProjSheet::SetType(int nType)
{
    const int nOld = m_nType;
    m_nType = nType;
    return nOld;
}

BOOL CProjSheet::OnInitDialog()
{
    return CPropertySheetEx::OnInitDialog();
}

BOOL CProjSheet::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message != WM_KEYDOWN || pMsg->wParam != VK_RETURN)
        return CPropertySheetEx::PreTranslateMessage(pMsg);

    if (m_pBaseProp->GetSafeHwnd() != NULL) {
        m_pBaseProp->UpdateData(TRUE);
        if (m_pBaseProp->m_editGoal.GetSafeHwnd() != NULL && ::GetFocus() == m_pBaseProp->m_editGoal.GetSafeHwnd())
            return FALSE;
        if (m_pBaseProp->m_strName.IsEmpty())
            return TRUE;
        // The wizard never finishes past a failed check: the base page comes to the front
        // with the message of its first fault.
        if (m_nType == 2) {
            if (GetActivePage() != m_pBaseProp && m_pBaseProp->FirstWizardFault() >= 0)
                SetActivePage(m_pBaseProp);
            if (!m_pBaseProp->CheckForWizard())
                return TRUE;
        }
    }
    if (m_pRolePage->GetSafeHwnd() != NULL)
        m_pRolePage->UpdateData(TRUE);
    EndDialog(IDOK);
    return TRUE;
}

void CProjSheet::InstallAsProjectSheet()
{
    ProjectSetSheetRunner([](const CString& strCaption, int nKind, CProjSheetData& data) {
        CBitmap bmpWizard;
        HBITMAP hbmWizard = NULL;
        if (nKind == 2 && bmpWizard.LoadBitmap(IDB_PROJ_WIZARD_HEADER))
            hbmWizard = (HBITMAP)bmpWizard.GetSafeHandle();
        CProjSheet sheet((LPCTSTR)strCaption, nKind, NULL, 0, hbmWizard, NULL, hbmWizard);
        CProjBaseProp& base = *sheet.m_pBaseProp;
        base.m_strName = data.strName;
        base.m_strGoal = data.strGoal;
        base.m_strBudget = data.strCost;
        base.m_dtStart = data.dtStart;
        base.m_dtFinish = data.dtFinish;
        base.m_dtDeadline = data.dtDeadline;
        if (data.pPermissions != NULL)
            sheet.m_pRolePage->SetPermissionList(*data.pPermissions);
        if (data.pMembers != NULL)
            sheet.m_pResPage->SetResourceLists(*data.pMembers, *data.pMembers, data.nMemberFlag);
        if (nKind == 2)
            sheet.SetWizardMode();
        const INT_PTR nResult = sheet.DoModal();
        if (nResult != IDCANCEL) {
            data.strName = base.m_strName;
            data.strGoal = base.m_strGoal;
            data.strCost = base.m_strBudget;
            data.dtStart = base.m_dtStart;
            data.dtFinish = base.m_dtFinish;
            data.dtDeadline = base.m_dtDeadline;
            if (data.pPermissions != NULL)
                sheet.m_pRolePage->GetPermissionList(*data.pPermissions);
        }
        return nResult;
    });
}
