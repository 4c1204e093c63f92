// The resource window: a static splitter of one row and two columns, the category tree on
// the left and the resource list on the right. The widths of the two columns are kept in
// the registry under the name "LumoResourceView".
#pragma once

#include <ClassLib/AfxWin.h>
#include <ClassLib/DocView/View.h>

#include "SplitterWndEx.h"

class CProjectDoc;

class AFX_EXT_CLASS CLumoResourceView : public CView
{
    DECLARE_DYNCREATE(CLumoResourceView)

public:
    CLumoResourceView();
    ~CLumoResourceView() override;

    CProjectDoc* GetDocument() const;
    void OnDraw(CDC* pDC) override;

public:
    CSplitterWndEx m_wndSplitter;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()
};
