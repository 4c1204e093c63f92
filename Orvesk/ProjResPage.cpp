#include "ProjResPage.h"

#include <utility>

#include "ProjDialogsResource.h"

namespace {

ProjResourcePicker& Picker()
{
    static ProjResourcePicker picker;
    return picker;
}

void CopyList(CResInfoList& to, CResInfoList& from)
{
    to.RemoveAll();
    for (POSITION pos = from.GetHeadPosition(); pos != NULL;)
        to.AddTail(from.GetNext(pos));
}

} // namespace

ProjResourcePicker ProjSetResourcePicker(ProjResourcePicker picker)
{
    return std::exchange(Picker(), std::move(picker));
}

IMPLEMENT_DYNAMIC(CProjResPage, CPropertyPageEx)

BEGIN_MESSAGE_MAP(CProjResPage, CPropertyPageEx)
    ON_BN_CLICKED(IDC_PROJ_RES_ADD, OnAdd)
    ON_BN_CLICKED(IDC_PROJ_RES_REMOVE, OnRemove)
END_MESSAGE_MAP()

CProjResPage::CProjResPage() : CProjResPage(IDD_PROJ_RES) {}

CProjResPage::CProjResPage(UINT nIDTemplate)
    : CPropertyPageEx(nIDTemplate, 0, IDS_PROJ_WIZ_RES_TITLE, IDS_PROJ_WIZ_RES_SUBTITLE),
      m_listOffered(10), m_listProject(10), m_bEditable(1)
{
}

void CProjResPage::SetResourceLists(CResInfoList& listProject, CResInfoList& listOffered, int bEditable)
{
    m_bEditable = bEditable;
    CopyList(m_listProject, listProject);
    CopyList(m_listOffered, listOffered);
}

void CProjResPage::GetResourceList(CResInfoList& list)
{
    CopyList(list, m_listProject);
}

CString CProjResPage::TypeText(int nType)
{
    switch (nType) {
    case 1:
        return "人员";
    case 2:
        return "设备";
    case 3:
        return "材料";
    default:
        return CString();
    }
}

int CProjResPage::TypeImage(int nType)
{
    return nType >= 1 && nType <= 3 ? nType - 1 : -1;
}

void CProjResPage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPageEx::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PROJ_PAGE_LIST, m_listRes);
    DDX_Control(pDX, IDC_PROJ_RES_REMOVE, m_btnRemove);
    DDX_Control(pDX, IDC_PROJ_RES_ADD, m_btnAdd);
}

BOOL CProjResPage::OnInitDialog()
{
    CPropertyPageEx::OnInitDialog();
    m_imageTypes.Create(IDB_PROJ_RES_TYPES, 16, 1, RGB(255, 255, 255));
    m_listRes.SetImageList(&m_imageTypes, LVSIL_SMALL);

    const COLORREF crLightGrey = RGB(192, 192, 192);
    m_btnRemove.SetBitmap(IDB_PROJ_RES_REMOVE, 0, crLightGrey);
    m_btnRemove.SetTooltipText("删除资源", TRUE);
    m_btnAdd.SetBitmap(IDB_PROJ_RES_ADD, 0, crLightGrey);
    m_btnAdd.SetTooltipText("增加资源", TRUE);
    // Nobody takes the resource list back from this page: adding and removing stay off.
    m_btnRemove.EnableWindow(FALSE);
    m_btnAdd.EnableWindow(FALSE);

    m_listRes.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_FLATSB | LVS_EX_INFOTIP);
    m_listRes.InsertColumn(0, "名称", LVCFMT_LEFT, 80);
    m_listRes.InsertColumn(1, "描述", LVCFMT_LEFT, 150);
    m_listRes.InsertColumn(2, "类型", LVCFMT_LEFT, 80);
    for (POSITION pos = m_listProject.GetHeadPosition(); pos != NULL;)
        AppendRow(m_listProject.GetNext(pos));
    return TRUE;
}

void CProjResPage::AppendRow(const tagResInfo& res)
{
    const CString strText = res.strName.IsEmpty() ? res.strCode : res.strName;
    const int nRow = m_listRes.InsertItem(m_listRes.GetItemCount(), strText, TypeImage(res.nType));
    m_listRes.SetItemData(nRow, (DWORD_PTR)(LONG_PTR)res.nID);
    m_listRes.SetItemText(nRow, 1, res.strDesc);
    m_listRes.SetItemText(nRow, 2, TypeText(res.nType));
}

BOOL CProjResPage::OnSetActive()
{
    if (CPropertySheet* pSheet = GetSheet())
        pSheet->SetWizardButtons(PSWIZB_BACK | PSWIZB_NEXT);
    return CPropertyPageEx::OnSetActive();
}

void CProjResPage::OnAdd()
{
    const ProjResourcePicker& picker = Picker();
    if (!picker)
        return;
    CResInfoList offered(10);
    for (POSITION pos = m_listOffered.GetHeadPosition(); pos != NULL;) {
        tagResInfo& res = m_listOffered.GetNext(pos);
        bool bListed = false;
        for (POSITION p = m_listProject.GetHeadPosition(); p != NULL && !bListed;)
            bListed = m_listProject.GetNext(p) == res;
        if (!bListed)
            offered.AddTail(res);
    }
    CResInfoList chosen(10);
    if (picker(offered, chosen) != IDOK)
        return;
    for (POSITION pos = chosen.GetHeadPosition(); pos != NULL;) {
        tagResInfo& res = chosen.GetNext(pos);
        m_listProject.AddTail(res);
        AppendRow(res);
    }
}

void CProjResPage::OnRemove()
{
    // Rows stand in the order of the project resources (the list is never sorted), so a
    // row is tied to its record by its position even where ids repeat.
    for (;;) {
        POSITION sel = m_listRes.GetFirstSelectedItemPosition();
        if (sel == NULL)
            break;
        const int nRow = m_listRes.GetNextSelectedItem(sel);
        POSITION pos = m_listProject.FindIndex(nRow);
        if (pos != NULL)
            m_listProject.RemoveAt(pos);
        m_listRes.DeleteItem(nRow);
    }
}
