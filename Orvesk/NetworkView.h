// The project window's view for view type 1: it hosts the task distribution chart and draws
// nothing itself.
#pragma once

#include <ClassLib/AfxWin.h>
#include <ClassLib/DocView/View.h>

#include "Gantt_src/TaskDistributeWnd.h"

#define IDC_TASK_DISTRIBUTE 24005

class AFX_EXT_CLASS CNetworkView : public CView
{
    DECLARE_DYNCREATE(CNetworkView)

public:
    CNetworkView();
    virtual ~CNetworkView();

    virtual void OnDraw(CDC* pDC);
    virtual void OnInitialUpdate();
#ifdef _DEBUG
    virtual void AssertValid() const;
    virtual void Dump(CDumpContext& dc) const;
#endif

public:
    CTaskDistributeWnd m_wndDistribute;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()
};
