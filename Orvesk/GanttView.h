// The Gantt container: a view whose client area is a static splitter of one row and two
// columns, the task tree view on the left and the Gantt bar view on the right. The widths
// of the two columns are kept in the registry under the name "GanttView".
#pragma once

#include <ClassLib/AfxWin.h>
#include <ClassLib/DocView/View.h>

#include "SplitterWndEx.h"

class CProjectDoc;

class AFX_EXT_CLASS CGanttView : public CView
{
    DECLARE_DYNCREATE(CGanttView)

public:
    CGanttView();
    ~CGanttView() override;

    CProjectDoc* GetDocument() const;

    // The view class of the right pane: the Gantt bar view.
    static CRuntimeClass* BarViewClass();

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void OnInitialUpdate() override;
    void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;
    void OnDraw(CDC* pDC) override;

public:
    CSplitterWndEx m_wndSplitter;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()
};
