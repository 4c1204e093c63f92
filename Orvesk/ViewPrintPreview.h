// The print-preview view through which the task grid (mode 1) and the chart window (mode 0)
// are previewed and printed. The grid's preview toggle opens it in a frame of its own that
// stands in for the main window while the preview is shown; at the end of the preview the
// hidden main window is shown and made the main window again, and the frame goes.
#pragma once

#include <ClassLib/AfxWin.h>
#include <ClassLib/DocView/View.h>

class CGridCtrl;
class CGunterBar;

class AFX_EXT_CLASS CViewPrintPreview : public CView
{
    DECLARE_DYNCREATE(CViewPrintPreview)

public:
    CViewPrintPreview();
    ~CViewPrintPreview() override;

    void OnDraw(CDC* pDC) override;

    // The preview view that shows a chart window, NULL when none does. The chart window's
    // pointer to its preview lives here, beside the chart.
    static CViewPrintPreview* ChartPreviewOf(const CGunterBar* pChart);
    // Ties the chart window to this view (mode 0).
    void SetChart(CGunterBar* pChart);

    // Opens a preview frame for the grid: the preview template is made once per
    // application; the frame's view learns the grid and the hidden main window, and the
    // grid learns the view. NULL when no frame could be made.
    static CFrameWnd* OpenGridPreviewFrame(CGridCtrl* pGrid, CWnd* pHiddenMainWnd);
    // Opens a preview frame for the chart window in place of the main window (hidden here)
    // and starts its preview. NULL when no frame could be made.
    static CFrameWnd* OpenChartPreview(CGunterBar* pChart);
    // Starts the preview of the frame's view.
    static void StartPreview(CWnd* pFrame);

    CGridCtrl* m_pGrid;
    CWnd* m_pOldMainWnd;
    CGunterBar* m_pChart;
    int m_nMode;

protected:
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override;
    void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;
    void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    void OnEndPrintPreview(CDC* pDC, CPrintInfo* pInfo, POINT point, CPreviewView* pView) override;

    afx_msg void OnPreviewClose();
    DECLARE_MESSAGE_MAP()
};
