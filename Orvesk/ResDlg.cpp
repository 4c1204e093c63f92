#include "ResDlg.h"

#include "ProjResPage.h"
#include "ResViewsResource.h"

IMPLEMENT_DYNAMIC(CResDlg, CDialog)

BEGIN_MESSAGE_MAP(CResDlg, CDialog)
    ON_BN_CLICKED(IDC_RES_DLG_ADD, OnAdd)
END_MESSAGE_MAP()

namespace {

void CopyList(CResInfoList& to, CResInfoList& from)
{
    to.RemoveAll();
    for (POSITION pos = from.GetHeadPosition(); pos != NULL;)
        to.AddTail(from.GetNext(pos));
}

} // namespace

CResDlg::CResDlg(CWnd* pParent)
    : CDialog(IDD_RES_DLG, pParent), m_listOffered(10), m_listResult(10), m_nAdded(0)
{
}

CResDlg::~CResDlg() {}

void CResDlg::SetResourceList(CResInfoList& list)
{
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
        m_listOffered.AddTail(list.GetNext(pos));
}

void CResDlg::GetResourceList(CResInfoList& list)
{
    CopyList(list, m_listResult);
}

void CResDlg::InstallAsResourcePicker()
{
    ProjSetResourcePicker([](CResInfoList& offered, CResInfoList& chosen) -> INT_PTR {
        CResDlg dlg(AfxGetMainWnd());
        dlg.SetResourceList(offered);
        const INT_PTR nResult = dlg.DoModal();
        if (nResult == IDOK)
            dlg.GetResourceList(chosen);
        return nResult;
    });
}

void CResDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_RES_DLG_LIST, m_listRes);
    DDX_Control(pDX, IDC_RES_DLG_EDIT, m_editName);
}

BOOL CResDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_imageTypes.Create(IDB_RES_TYPES, 16, 1, RGB(255, 255, 255));
    m_listRes.SetImageList(&m_imageTypes, LVSIL_SMALL);
    m_listRes.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_FLATSB | LVS_EX_INFOTIP);
    m_listRes.InsertColumn(0, "名称", LVCFMT_LEFT, 80);
    m_listRes.InsertColumn(1, "描述", LVCFMT_LEFT, 150);
    m_listRes.InsertColumn(2, "类型", LVCFMT_LEFT, 80);
    for (POSITION pos = m_listOffered.GetHeadPosition(); pos != NULL;) {
        const tagResInfo& res = m_listOffered.GetNext(pos);
        const int nRow = m_listRes.InsertItem(m_listRes.GetItemCount(), res.strName,
                                              CProjResPage::TypeImage(res.nType));
        m_listRes.SetItemData(nRow, (DWORD_PTR)(LONG_PTR)res.nID);
        m_listRes.SetItemText(nRow, 1, res.strDesc);
        m_listRes.SetItemText(nRow, 2, CProjResPage::TypeText(res.nType));
    }
    return TRUE;
}

void CResDlg::OnAdd()
{
    CString strName;
    m_editName.GetWindowText(strName);
    if (strName.IsEmpty())
        return;
    const int nRow = m_listRes.InsertItem(m_listRes.GetItemCount(), strName);
    --m_nAdded;
    m_listRes.SetItemData(nRow, (DWORD_PTR)(LONG_PTR)m_nAdded);
    m_editName.SetWindowText("");
}

void CResDlg::OnOK()
{
    POSITION sel = m_listRes.GetFirstSelectedItemPosition();
    if (sel == NULL)
        return;
    while (sel != NULL) {
        const int nItem = m_listRes.GetNextSelectedItem(sel);
        const int nID = (int)(LONG_PTR)m_listRes.GetItemData(nItem);
        for (POSITION pos = m_listOffered.GetHeadPosition(); pos != NULL;) {
            tagResInfo& res = m_listOffered.GetNext(pos);
            if (res.nID == nID) {
                m_listResult.AddTail(res);
                break;
            }
        }
    }
    EndDialog(IDOK);
}
