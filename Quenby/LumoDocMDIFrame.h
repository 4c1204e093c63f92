// The document browser's window: an MDI child split into the folder tree (left) and the
// document list (right). A folder selected in the tree fills the list; a document double
// clicked in the list is downloaded and opened.
#pragma once

#include <ClassLib/AfxWin.h>

#include "PdmBrowserResource.h"

class CPdmTreeView;
class CPdmDocListView;

class AFX_EXT_CLASS CLumoDocMDIFrame : public CMDIChildWnd
{
    DECLARE_DYNCREATE(CLumoDocMDIFrame)
public:
    CLumoDocMDIFrame();
    ~CLumoDocMDIFrame() override;

    CPdmTreeView* GetLeftPane();
    CPdmDocListView* GetRightPane();
    // Loads the folder tree from the node (the root is 20, 0).
    int LoadData(UINT nClassId, UINT nObjectId);

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

protected:
    CSplitterWnd m_wndSplitter;

    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;
    afx_msg LRESULT OnMsgPdmTreeSelChanged(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnMsgDocListViewDblClk(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()
};
