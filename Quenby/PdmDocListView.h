// The browser's right pane: a view holding the document list (control id 29002), passing
// its double clicks and style changes on to the frame.
#pragma once

#include "PdmDocListCtrl.h"

class AFX_EXT_CLASS CPdmDocListView : public CView
{
    DECLARE_DYNCREATE(CPdmDocListView)
public:
    // Created by its run-time class, the view is browse-only.
    CPdmDocListView(int bBrowseOnly = 1);
    ~CPdmDocListView() override;

    CPdmDocListCtrl* GetListCtrl() { return &m_wndList; }
    BOOL LoadData(UINT nClassId, UINT nObjectId);
    BOOL GetItemInfo(int nItem, UINT& nClassId, UINT& nObjectId);
    int GetListStyle() const;
    BOOL ViewIcon();
    BOOL ViewSmall();
    BOOL ViewList();
    BOOL ViewReport();
    BOOL OpenDoc();

    void OnInitialUpdate() override;

protected:
    CPdmDocListCtrl m_wndList;
    int m_bBrowseOnly;

    void OnDraw(CDC* pDC) override;
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg LRESULT OnMsgPdmDocDbLClk(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnMsgPdmDocViewChange(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()
};
