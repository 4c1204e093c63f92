// The browser's left pane: a view holding the folder tree (control id 29001), passing
// its selection changes on to the frame (WM_PDMTREEVIEW_SELCHANGED).
#pragma once

#include "PdmTreeCtrl.h"

class AFX_EXT_CLASS CPdmTreeView : public CView
{
    DECLARE_DYNCREATE(CPdmTreeView)
public:
    CPdmTreeView();
    ~CPdmTreeView() override;

    CPdmTreeCtrl* GetTreeCtrl() { return &m_wndTree; }
    int LoadData(UINT nClassId, UINT nObjectId);
    CString GetItemPath(HTREEITEM hItem);
    BOOL GetItemInfo(HTREEITEM hItem, UINT& nClassId, UINT& nObjectId);

    void OnInitialUpdate() override;

protected:
    CPdmTreeCtrl m_wndTree;

    void OnDraw(CDC* pDC) override;
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg LRESULT OnMsgPdmTreeSelChanged(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()
};
