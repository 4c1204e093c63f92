#include "ProjRolePage.h"

#include <cstdlib>

#include "ProjDialogsResource.h"

namespace {

const char kProfileName[] = "ThePermissionList";

// The flag a permission column (1 to 6) shows.
int* FlagOfColumn(tagPermInfo& perm, int nCol)
{
    switch (nCol) {
    case 1:
        return &perm.nOpenProj;
    case 2:
        return &perm.nPublishProj;
    case 3:
        return &perm.nDeleteProj;
    case 4:
        return &perm.nModifyProgress;
    case 5:
        return &perm.nLookProgress;
    case 6:
        return &perm.nForum;
    default:
        return NULL;
    }
}

const int kTicked = 3;
const int kEmpty = 4;

} // namespace

IMPLEMENT_DYNAMIC(CProjRolePage, CPropertyPageEx)

BEGIN_MESSAGE_MAP(CProjRolePage, CPropertyPageEx)
    ON_NOTIFY(NM_CLICK, IDC_PROJ_PAGE_LIST, OnClickList)
    ON_NOTIFY(LVN_GETDISPINFO, IDC_PROJ_PAGE_LIST, OnGetDispInfoList)
END_MESSAGE_MAP()

CProjRolePage::CProjRolePage() : CProjRolePage(IDD_PROJ_ROLE) {}

CProjRolePage::CProjRolePage(UINT nIDTemplate)
    : CPropertyPageEx(nIDTemplate, 0, IDS_PROJ_WIZ_ROLE_TITLE, IDS_PROJ_WIZ_ROLE_SUBTITLE),
      m_listPermissions(10), m_nTemplateID((int)nIDTemplate)
{
}

void CProjRolePage::SetPermissionList(CPermInfoList& list)
{
    m_listPermissions.RemoveAll();
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
        m_listPermissions.AddTail(list.GetNext(pos));
}

void CProjRolePage::GetPermissionList(CPermInfoList& list)
{
    list.RemoveAll();
    for (POSITION pos = m_listPermissions.GetHeadPosition(); pos != NULL;)
        list.AddTail(m_listPermissions.GetNext(pos));
}

void CProjRolePage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPageEx::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PROJ_PAGE_LIST, m_listRole);
}

BOOL CProjRolePage::OnInitDialog()
{
    CPropertyPageEx::OnInitDialog();
    m_imageCells.Create(IDB_PROJ_ROLE_CELLS, 16, 1, RGB(255, 255, 255));
    m_imageHeadings.Create(IDB_PROJ_ROLE_HEADINGS, 11, 1, RGB(255, 255, 255));

    CRptColumnManager* pColumns = m_listRole.CreateColumnManager();
    pColumns->DefineColumn(0, "名称", NULL, LVCFMT_LEFT, 90, 0x20, -1, NULL);
    pColumns->DefineColumn(1, "打开", NULL, LVCFMT_LEFT, 80, 0x260, 0, "Image 1");
    pColumns->DefineColumn(2, "发布", NULL, LVCFMT_LEFT, 80, 0x260, 1, "Image 2");
    pColumns->DefineColumn(3, "删除", NULL, LVCFMT_LEFT, 90, 0x260, 2, "Image 3");
    pColumns->DefineColumn(4, "更改项目进度", NULL, LVCFMT_LEFT, 80, 0x260, 2, "Image 3");
    pColumns->DefineColumn(5, "查看项目进度", NULL, LVCFMT_LEFT, 80, 0x260, 2, "Image 3");
    pColumns->DefineColumn(6, "项目论坛", NULL, LVCFMT_LEFT, 80, 0x260, 2, "Image 3");
    static const int kShown[] = {0, 1, 2, 3, 4, 5, 6};
    pColumns->SetDefaultColumns(7, kShown);
    // A layout the user left overrides these defaults.
    pColumns->ReadFromProfile(kProfileName);

    m_listRole.SetCellImageList(&m_imageCells);
    m_listRole.SetHeaderImageList(&m_imageHeadings);
    m_listRole.SubclassHeader();
    // Nothing on this page edits a cell or answers a double click, so Enter is left to the
    // sheet, which closes on it from every page.
    m_listRole.ModifyRptStyle(RPTS_ENTEREDITS | RPTS_ENTERDBLCLK, RPTS_VGRID | RPTS_HGRID | RPTS_SORTONCLICK);
    m_listRole.SetHeaderFlag(0);
    m_listRole.SetBlendSelection(TRUE);
    m_listRole.ApplyColumns();
    m_listRole.SetItemHeight(20);

    FillList();
    return TRUE;
}

void CProjRolePage::FillList()
{
    m_listRole.DeleteAllItems();
    m_arrRows.RemoveAll();
    m_arrCodes.RemoveAll();
    int nRow = 0;
    for (POSITION pos = m_listPermissions.GetHeadPosition(); pos != NULL; ++nRow) {
        tagPermInfo& perm = m_listPermissions.GetNext(pos);
        const CString strText = perm.strName.IsEmpty() ? perm.strCode : perm.strName;
        // The row's item data is its entry in the two arrays: a sort moves rows together
        // with their item data, so a row finds its member wherever it goes.
        const DWORD_PTR dwEntry = (DWORD_PTR)m_arrRows.GetSize();
        const int nItem = m_listRole.InsertItemEx(nRow, dwEntry);
        if (nItem < 0)
            continue;
        m_listRole.SetCellText(nItem, 0, dwEntry, strText);
        m_arrRows.Add((DWORD)nItem);
        m_arrCodes.Add(perm.strCode);
        for (int nCol = 1; nCol <= 6; ++nCol)
            m_listRole.SetItemInt(nItem, nCol, *FlagOfColumn(perm, nCol) != 0 ? kTicked : kEmpty);
    }
}

BOOL CProjRolePage::OnSetActive()
{
    if (CPropertySheet* pSheet = GetSheet())
        pSheet->SetWizardButtons(PSWIZB_BACK | PSWIZB_NEXT);
    m_listRole.SetFocus();
    return CPropertyPageEx::OnSetActive();
}

void CProjRolePage::OnClickList(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    m_listRole.HandleClick(pNMHDR, pResult);
    *pResult = 0;
    CPoint point;
    ::GetCursorPos(&point);
    m_listRole.ScreenToClient(&point);
    int nCol = -1;
    const int nRow = m_listRole.HitTestEx(point, &nCol);
    if (nRow < 0 || nCol < 1 || nCol > 6)
        return;

    CString strCode;
    const INT_PTR nEntry = (INT_PTR)m_listRole.GetItemData(nRow);
    if (nEntry >= 0 && nEntry < m_arrCodes.GetSize())
        strCode = m_arrCodes[nEntry];

    const int bSet = atoi(m_listRole.GetCellText(nRow, nCol)) == kEmpty ? 1 : 0;
    for (POSITION pos = m_listPermissions.GetHeadPosition(); pos != NULL;) {
        tagPermInfo& perm = m_listPermissions.GetNext(pos);
        if (perm.strCode == strCode)
            *FlagOfColumn(perm, nCol) = bSet;
    }
    // Rows of the same member show the same flag.
    for (int i = 0; i < m_listRole.GetItemCount(); ++i) {
        const INT_PTR n = (INT_PTR)m_listRole.GetItemData(i);
        if (i == nRow || (n >= 0 && n < m_arrCodes.GetSize() && m_arrCodes[n] == strCode && !strCode.IsEmpty()))
            m_listRole.SetItemInt(i, nCol, bSet ? kTicked : kEmpty);
    }
}

void CProjRolePage::OnGetDispInfoList(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
}

BOOL CProjRolePage::DestroyWindow()
{
    if (m_listRole.GetSafeHwnd() != NULL && m_listRole.GetColumnManager() != NULL) {
        m_listRole.ReadColumnsFromList();
        m_listRole.GetColumnManager()->WriteToProfile(kProfileName);
    }
    return CPropertyPageEx::DestroyWindow();
}
