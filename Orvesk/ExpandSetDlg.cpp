#include "ExpandSetDlg.h"

#include "ProjectDialogHooks.h"
#include "ResViewsResource.h"

IMPLEMENT_DYNAMIC(CExpandSetDlg, CDialog)

BEGIN_MESSAGE_MAP(CExpandSetDlg, CDialog)
    ON_BN_CLICKED(IDC_EXPAND_LEVELS, OnExpandLevels)
    ON_BN_CLICKED(IDC_EXPAND_ALL, OnExpandAll)
    ON_BN_CLICKED(IDC_EXPAND_COLLAPSE_ALL, OnCollapseAll)
END_MESSAGE_MAP()

CExpandSetDlg::CExpandSetDlg(CWnd* pParent) : CDialog(IDD_EXPAND_SET, pParent), m_nMode(3), m_nLevels(2) {}

CExpandSetDlg::~CExpandSetDlg() {}

void CExpandSetDlg::GetResult(int& nMode, int& nLevels) const
{
    nMode = m_nMode;
    nLevels = m_nLevels;
}

void CExpandSetDlg::InstallAsProjectExpand()
{
    ProjectSetExpandRunner([](int& nMode, int& nLevels) -> INT_PTR {
        CExpandSetDlg dlg(AfxGetMainWnd());
        const INT_PTR nResult = dlg.DoModal();
        if (nResult == IDOK)
            dlg.GetResult(nMode, nLevels);
        return nResult;
    });
}

void CExpandSetDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    // The level count matters only while it can be edited.
    CWnd* pEdit = GetDlgItem(IDC_EXPAND_LEVEL_EDIT);
    if (pEdit != NULL && pEdit->IsWindowEnabled()) {
        DDX_Text(pDX, IDC_EXPAND_LEVEL_EDIT, m_nLevels);
        DDV_MinMaxInt(pDX, m_nLevels, 1, 10);
    }
}

BOOL CExpandSetDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CheckDlgButton(IDC_EXPAND_LEVELS, BST_CHECKED);
    CheckDlgButton(IDC_EXPAND_ALL, BST_UNCHECKED);
    CheckDlgButton(IDC_EXPAND_COLLAPSE_ALL, BST_UNCHECKED);
    SetMode(3);
    SetDlgItemText(IDC_EXPAND_LEVEL_EDIT, "2");
    return TRUE;
}

void CExpandSetDlg::SetMode(int nMode)
{
    m_nMode = nMode;
    if (CWnd* pEdit = GetDlgItem(IDC_EXPAND_LEVEL_EDIT))
        pEdit->EnableWindow(nMode == 3);
}

void CExpandSetDlg::OnExpandLevels()
{
    SetMode(3);
}

void CExpandSetDlg::OnExpandAll()
{
    SetMode(1);
}

void CExpandSetDlg::OnCollapseAll()
{
    SetMode(2);
}

void CExpandSetDlg::OnOK()
{
    CWnd* pEdit = GetDlgItem(IDC_EXPAND_LEVEL_EDIT);
    if (pEdit != NULL && pEdit->IsWindowEnabled()) {
        CString strText;
        pEdit->GetWindowText(strText);
        CString strUpper = strText, strLower = strText;
        strUpper.MakeUpper();
        strLower.MakeLower();
        if (strText.IsEmpty() || strUpper != strText || strLower != strText) {
            MessageBox("请输入层数: 1-10", "提示", MB_ICONINFORMATION);
            pEdit->SetFocus();
            return;
        }
    }
    CDialog::OnOK();
}
