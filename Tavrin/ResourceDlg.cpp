// The resource dialog.
#include "ResourceDlg.h"

#include "TaskNormalPage.h"
#include "TaskResource.h"

CResourceDlg::CResourceDlg(CWnd* pParent)
    : CDialog(IDD_TASK_RESOURCE, pParent), m_pOwner(NULL), m_nRate(0)
{
}

void CResourceDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_RES_CODE, m_strCode);
    DDX_Text(pDX, IDC_RES_RATE, m_nRate);
    DDV_MinMaxInt(pDX, m_nRate, 0, 100000000);
    DDX_Text(pDX, IDC_RES_DESC, m_strDesc);
    DDX_Text(pDX, IDC_RES_NAME, m_strName);
    DDX_Text(pDX, IDC_RES_UNIT, m_strUnit);
    DDX_CBString(pDX, IDC_RES_TYPE, m_strType);
}

BOOL CResourceDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    // The type list starts with no choice (an empty type text must not pick the first).
    CComboBox* pType = (CComboBox*)GetDlgItem(IDC_RES_TYPE);
    if (pType && m_strType.IsEmpty())
        pType->SetCurSel(-1);
    return TRUE;
}

void CResourceDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    if (m_strCode.IsEmpty())
        return;
    if (m_pOwner && m_pOwner->IsResCodeUsed(m_strCode))
    {
        MessageBox(_T("此代号已存在!"), _T("提示"), MB_ICONINFORMATION);
        return;
    }
    CDialog::OnOK();
}

void CResourceDlg::GetResInfo(tagResInfo& res) const
{
    res.nID = 0;
    res.strCode = m_strCode;
    res.strName = m_strName;
    res.strDesc = m_strDesc;
    res.strUnit = m_strUnit;
    res.nCost = m_nRate;
    res.nActCost = 0;
    res.bIsAdmin = 1;
    res.bIsManager = 1;
    res.bIsExt = 0;
    if (m_strType == _T("设备"))
        res.nType = 2;
    else if (m_strType == _T("材料"))
        res.nType = 3;
    else if (m_strType == _T("其它"))
        res.nType = 4;
    else
        res.nType = 1;
}
