// The resource window's list: the resource grid over the whole client area, one row per
// project member and at least 30 data rows.
#pragma once

#include <ClassLib/AfxWin.h>
#include <ClassLib/DocView/View.h>

#include "ResGridCtrl.h"

class CProjectDoc;

class AFX_EXT_CLASS CResListView : public CView
{
    DECLARE_DYNCREATE(CResListView)

public:
    CResListView();
    ~CResListView() override;

    CProjectDoc* GetDocument() const;

    void OnInitialUpdate() override;
    void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;
    void OnDraw(CDC* pDC) override;

    // Appends one row per member of the project, then empty rows up to 30 data rows.
    void FillGrid();

    CResGridCtrl m_Grid;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()
};
