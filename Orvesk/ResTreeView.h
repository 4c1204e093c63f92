// The resource window's category tree: the project's resources by kind. Its popup's
// commands have no handler yet and show disabled.
#pragma once

#include <ClassLib/AfxWin.h>
#include <ClassLib/DocView/CtrlView.h>

class AFX_EXT_CLASS CResTreeView : public CTreeView
{
    DECLARE_DYNCREATE(CResTreeView)

public:
    CResTreeView();
    ~CResTreeView() override;

    void OnInitialUpdate() override;
    void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;
    void OnDraw(CDC* pDC) override;

    CString m_strSelected;

protected:
    afx_msg void OnRClick(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()
};
