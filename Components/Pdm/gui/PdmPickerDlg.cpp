// The product-data picker dialog, over the node and document list components.
#include "PdmPickerDlg.h"

#include <Pdm/PdmFactory.h>

namespace {

const AFX_DLG_ITEM kPickerItems[] = {
    {"STATIC", IDC_PDMPICK_FOLDERS, "文件夹：", WS_CHILD | WS_VISIBLE, 7, 7, 110, 8},
    {"STATIC", IDC_PDMPICK_DOCS, "文档：", WS_CHILD | WS_VISIBLE, 127, 7, 186, 8},
    {"BUTTON", IDOK, "确定", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 207, 179, 50, 14},
    {"BUTTON", IDCANCEL, "取消", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 263, 179, 50, 14},
};

const AFX_DLG_TEMPLATE kPicker = {DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU,
                                  0,
                                  0,
                                  0,
                                  320,
                                  200,
                                  "选择文档",
                                  "宋体",
                                  9,
                                  AFX_DLG_ITEMS(kPickerItems)};

CString SizeText(LONGLONG size)
{
    CString s;
    if (size < 1024)
        s.Format("%d 字节", static_cast<int>(size));
    else if (size < 1024 * 1024)
        s.Format("%.1f KB", size / 1024.0);
    else
        s.Format("%.2f MB", size / 1048576.0);
    return s;
}

}  // namespace

BEGIN_MESSAGE_MAP(CPdmPickerDlg, CDialog)
    ON_NOTIFY(TVN_ITEMEXPANDING, IDC_PDMPICK_TREE, OnTreeExpanding)
    ON_NOTIFY(TVN_SELCHANGED, IDC_PDMPICK_TREE, OnTreeSelChanged)
    ON_NOTIFY(NM_DBLCLK, IDC_PDMPICK_LIST, OnListDblClk)
END_MESSAGE_MAP()

CPdmPickerDlg::CPdmPickerDlg(LONG mode, CWnd* pParent) : CDialog(), m_template(kPicker)
{
    m_template.pszCaption = mode == 1 ? "选择参考文档" : "选择目标文档";
    InitModalIndirect(&m_template, pParent);
}

BOOL CPdmPickerDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CRect rcTree(7, 18, 121, 173);
    MapDialogRect(&rcTree);
    m_tree.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
                      TVS_SHOWSELALWAYS,
                  rcTree, this, IDC_PDMPICK_TREE);
    CRect rcList(127, 18, 313, 173);
    MapDialogRect(&rcList);
    m_list.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
                  rcList, this, IDC_PDMPICK_LIST);
    m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    m_list.InsertColumn(0, "文件名", LVCFMT_LEFT, 120);
    m_list.InsertColumn(1, "大小", LVCFMT_RIGHT, 60);
    m_list.InsertColumn(2, "修改时间", LVCFMT_LEFT, 140);

    LoadChildren(TVI_ROOT);
    HTREEITEM hFirst = m_tree.GetRootItem();
    if (hFirst)
        m_tree.SelectItem(hFirst);
    return TRUE;
}

BOOL CPdmPickerDlg::GetItemInfo(HTREEITEM hItem, LONG& classId, LONG& objectId) const
{
    if (hItem == NULL || hItem == TVI_ROOT) {
        classId = 20;
        objectId = 0;
        return hItem == TVI_ROOT;
    }
    DWORD_PTR data = m_tree.GetItemData(hItem);
    if (data == 0 || data > m_nodes.size())
        return FALSE;
    classId = m_nodes[data - 1].classId;
    objectId = m_nodes[data - 1].objectId;
    return TRUE;
}

CString CPdmPickerDlg::GetItemPath(HTREEITEM hItem) const
{
    CString path;
    for (; hItem != NULL; hItem = m_tree.GetParentItem(hItem))
        path = m_tree.GetItemText(hItem) + "\\" + path;
    return path;
}

void CPdmPickerDlg::LoadChildren(HTREEITEM hParent)
{
    LONG classId = 0, objectId = 0;
    if (!GetItemInfo(hParent, classId, objectId))
        return;
    if (hParent != TVI_ROOT) {
        Node& node = m_nodes[m_tree.GetItemData(hParent) - 1];
        if (node.loaded)
            return;
    }
    CPdmPtr<IPdmNodeList> list(CreatePdmNodeList());
    if (!list || list->LoadChildren(classId, objectId) != S_OK)
        return;
    LONG count = 0;
    if (list->GetCount(count) != S_OK)
        return;
    if (hParent != TVI_ROOT)
        m_nodes[m_tree.GetItemData(hParent) - 1].loaded = true;
    for (LONG i = 0; i < count; ++i) {
        PdmNodeRecord record;
        if (list->GetItem(record) != S_OK)
            break;
        m_nodes.push_back(Node{record.classId, record.objectId, false});
        HTREEITEM hItem = m_tree.InsertItem(record.name, hParent);
        m_tree.SetItemData(hItem, m_nodes.size());
        if (record.hasChildren) {
            TVITEM item = {};
            item.mask = TVIF_CHILDREN;
            item.hItem = hItem;
            item.cChildren = 1;
            m_tree.SetItem(&item);
        }
    }
    if (hParent != TVI_ROOT && m_tree.GetChildItem(hParent) == NULL) {
        // The record promised folders that are not there: no button.
        TVITEM item = {};
        item.mask = TVIF_CHILDREN;
        item.hItem = hParent;
        item.cChildren = 0;
        m_tree.SetItem(&item);
    }
}

void CPdmPickerDlg::LoadDocuments(HTREEITEM hItem)
{
    m_list.DeleteAllItems();
    m_docs.clear();
    LONG classId = 0, objectId = 0;
    if (!GetItemInfo(hItem, classId, objectId))
        return;
    CPdmPtr<IPdmDocList> list(CreatePdmDocList());
    if (!list || list->LoadDocuments(classId, objectId) != S_OK)
        return;
    LONG count = 0;
    if (list->GetCount(count) != S_OK)
        return;
    for (LONG i = 0; i < count; ++i) {
        PdmDocRecord record;
        if (list->GetItem(record) != S_OK)
            break;
        int row = m_list.InsertItem(m_list.GetItemCount(), record.fileName);
        m_list.SetItemText(row, 1, SizeText(record.size));
        m_list.SetItemText(row, 2, record.modified);
        m_list.SetItemData(row, m_docs.size());
        m_docs.push_back(Doc{record.classId, record.objectId, record.fileName});
    }
}

void CPdmPickerDlg::OnTreeExpanding(NMHDR* pNMHDR, LRESULT* pResult)
{
    auto* pTree = reinterpret_cast<NMTREEVIEW*>(pNMHDR);
    if (pTree->action & TVE_EXPAND)
        LoadChildren(pTree->itemNew.hItem);
    *pResult = 0;
}

void CPdmPickerDlg::OnTreeSelChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    auto* pTree = reinterpret_cast<NMTREEVIEW*>(pNMHDR);
    HTREEITEM hItem = pTree->itemNew.hItem;
    if (hItem) {
        LoadChildren(hItem);
        LoadDocuments(hItem);
    }
    *pResult = 0;
}

void CPdmPickerDlg::OnListDblClk(NMHDR* pNMHDR, LRESULT* pResult)
{
    (void)pNMHDR;
    *pResult = 0;
    if (m_list.GetNextItem(-1, LVNI_SELECTED) >= 0)
        OnOK();
}

void CPdmPickerDlg::OnOK()
{
    int row = m_list.GetNextItem(-1, LVNI_SELECTED);
    DWORD_PTR index = row >= 0 ? m_list.GetItemData(row) : 0;
    if (row < 0 || index >= m_docs.size()) {
        MessageBox("请选择一个文档！", "提示", MB_OK | MB_ICONINFORMATION);
        return;
    }
    const Doc& doc = m_docs[index];
    m_strLocation = GetItemPath(m_tree.GetSelectedItem());
    m_nClassId = doc.classId;
    m_nObjectId = doc.objectId;
    m_strName = doc.name;
    EndDialog(IDOK);
}
