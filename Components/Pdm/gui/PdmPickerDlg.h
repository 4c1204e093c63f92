// The product-data picker dialog: the folder tree on the left (children loaded when a
// folder is first opened or selected), the documents of the selected folder on the right.
// OK (or a double click on a document) takes the selected document; OK without one says
// so and keeps the dialog open.
#pragma once

#include <ClassLib/AfxWin.h>

#include <utility>
#include <vector>

enum {
    IDC_PDMPICK_TREE = 1001,
    IDC_PDMPICK_LIST = 1002,
    IDC_PDMPICK_FOLDERS = 1003,
    IDC_PDMPICK_DOCS = 1004,
};

class CPdmPickerDlg : public CDialog {
public:
    // Mode 1: a reference document, 0: a target document (the caption).
    explicit CPdmPickerDlg(LONG mode, CWnd* pParent = NULL);

    // After IDOK: the chosen document and the path of its folder ("A\B\").
    CString m_strLocation;
    LONG m_nClassId = 0;
    LONG m_nObjectId = 0;
    CString m_strName;

    CTreeCtrl m_tree;
    CListCtrl m_list;

    // The folder pair of a tree item (false for none).
    BOOL GetItemInfo(HTREEITEM hItem, LONG& classId, LONG& objectId) const;
    // The folder names from the top down to the item, each followed by "\".
    CString GetItemPath(HTREEITEM hItem) const;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

    afx_msg void OnTreeExpanding(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnTreeSelChanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnListDblClk(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    struct Node {
        LONG classId;
        LONG objectId;
        bool loaded;
    };
    struct Doc {
        LONG classId;
        LONG objectId;
        CString name;
    };
    // Loads the folders below a tree item (TVI_ROOT: the root's) once.
    void LoadChildren(HTREEITEM hParent);
    void LoadDocuments(HTREEITEM hItem);

    AFX_DLG_TEMPLATE m_template;
    std::vector<Node> m_nodes;  // by item data - 1
    std::vector<Doc> m_docs;    // by list row's item data
};
