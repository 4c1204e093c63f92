// The folder tree of the document browser: loads a folder's children from the
// product-data store only when the folder is first selected or its expand button is
// clicked, and tells its parent (WM_PDMTREE_SELCHANGED) when another folder is selected.
#pragma once

#include <ClassLib/AfxWin.h>

#include "PdmBrowserResource.h"
#include "PdmPair.h"

class AFX_EXT_CLASS CPdmTreeCtrl : public CTreeCtrl
{
    DECLARE_DYNCREATE(CPdmTreeCtrl)
public:
    CPdmTreeCtrl();
    ~CPdmTreeCtrl() override;

    // Styles and the folder pictures (bitmap 2000).
    void Init();
    // Discards the tree and loads the children of the node; a class id of 0 leaves the
    // tree empty. The first folder is then selected.
    int LoadData(UINT nClassId, UINT nObjectId);
    // The names from the root down to the item, each followed by "\"; empty for NULL.
    CString GetItemPath(HTREEITEM hItem);
    BOOL GetItemInfo(HTREEITEM hItem, UINT& nClassId, UINT& nObjectId);

protected:
    HTREEITEM m_hSelItem;
    UINT m_nClassId;
    UINT m_nObjectId;
    CPdmPairList m_listPair;
    CImageList m_imageList;

    afx_msg void OnSelchanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnItemexpanding(NMHDR* pNMHDR, LRESULT* pResult);

private:
    BOOL LoadChildData(HTREEITEM hParent, UINT nClassId, UINT nObjectId);
    void SetItemChildState(HTREEITEM hItem, int bHasChildren);
    BOOL ItemHasChildState(HTREEITEM hItem);

    DECLARE_MESSAGE_MAP()
};
