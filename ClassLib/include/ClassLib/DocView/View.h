// CView: a child window of a frame that shows a document. It draws through OnDraw on the
// screen, in print preview and on the printer, and is told of document changes through
// OnUpdate. CScrollView adds scrolling over a document of a given size.
#pragma once

#include <ClassLib/Core/Geometry.h>
#include <ClassLib/Wnd/Wnd.h>

class CDC;
class CDocument;
class CFrameWnd;
class CPreviewView;
class CPrintInfo;
struct CCreateContext;
struct CPrintPreviewState;

// Sent by a frame to its views once the document is filled (lParam unused).
#ifndef WM_INITIALUPDATE
#define WM_INITIALUPDATE 0x0364
#endif

class AFX_EXT_CLASS CView : public CWnd
{
    DECLARE_DYNAMIC(CView)
protected:
    CView();

public:
    ~CView() override;

    CDocument* GetDocument() const { return m_pDocument; }
    virtual BOOL IsSelected(const CObject* pDocItem) const;

    // Called once the document is filled; runs OnUpdate(NULL, 0, NULL).
    virtual void OnInitialUpdate();
    virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);
    virtual void OnActivateFrame(UINT nState, CFrameWnd* pFrameWnd);
    virtual void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = NULL);
    virtual void OnDraw(CDC* pDC) = 0;
    // Default: the whole view is repainted.
    virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);

    // Printing and print preview. OnPreparePrinting must call DoPreparePrinting, which
    // asks for the printer (scripted in tests) unless preview is running.
    virtual BOOL OnPreparePrinting(CPrintInfo* pInfo);
    virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnEndPrintPreview(CDC* pDC, CPrintInfo* pInfo, POINT point, CPreviewView* pView);
    BOOL DoPreparePrinting(CPrintInfo* pInfo);
    // Shows the preview of pPrintView in the view's frame in place of its views; the
    // frame gets its views back when the preview closes.
    BOOL DoPrintPreview(UINT nIDResource, CView* pPrintView, CRuntimeClass* pPreviewViewClass,
                        CPrintPreviewState* pState);

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    void PostNcDestroy() override;

    // Splitter panes: the splitter that holds this view, or NULL.
    static class CSplitterWnd* PASCAL GetParentSplitter(const CWnd* pWnd, BOOL bAnyState);

protected:
    friend class CDocument;
    friend class CFrameWnd;
    CDocument* m_pDocument;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg LRESULT OnInitialUpdateMsg(WPARAM, LPARAM);

public:
    // The print commands: views map ID_FILE_PRINT (and ID_FILE_PRINT_DIRECT) and
    // ID_FILE_PRINT_PREVIEW to these.
    afx_msg void OnFilePrint();
    afx_msg void OnFilePrintPreview();

protected:

    DECLARE_MESSAGE_MAP()
};

// Sizes of CScrollView::SetScrollSizes.
#ifndef AFX_SIZE_DEFAULT
#define AFX_SIZE_DEFAULT_CX 0
#define AFX_SIZE_DEFAULT_CY 0
#endif
extern AFX_EXT_API const SIZE sizeDefault;

class AFX_EXT_CLASS CScrollView : public CView
{
    DECLARE_DYNAMIC(CScrollView)
protected:
    CScrollView();

public:
    ~CScrollView() override;

    // nMapMode: MM_TEXT and the fixed-scale modes; sizes in logical units. A default page
    // is a tenth of the total size, a default line a tenth of the page.
    void SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage = sizeDefault,
                        const SIZE& sizeLine = sizeDefault);
    // The view scales the document to its client area (no scroll bars).
    void SetScaleToFitSize(SIZE sizeTotal);

    CPoint GetScrollPosition() const;        // logical units
    CPoint GetDeviceScrollPosition() const;  // pixels
    CSize GetTotalSize() const { return m_totalLog; }
    void GetDeviceScrollSizes(int& nMapMode, SIZE& sizeTotal, SIZE& sizePage, SIZE& sizeLine) const;
    void ScrollToPosition(POINT pt);  // logical units
    void FillOutsideRect(CDC* pDC, CBrush* pBrush);
    void ResizeParentToFit(BOOL bShrinkOnly = TRUE);

    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = NULL) override;

    virtual BOOL OnScroll(UINT nScrollCode, UINT nPos, BOOL bDoScroll = TRUE);
    virtual BOOL OnScrollBy(CSize sizeScroll, BOOL bDoScroll = TRUE);

protected:
    int m_nMapMode;
    CSize m_totalLog;
    CSize m_totalDev;
    CSize m_pageDev;
    CSize m_lineDev;
    BOOL m_bCenter;
    BOOL m_bInsideUpdate;

    void UpdateBars();
    void CenterOnPoint(CPoint ptCenter);
    CSize GetClientSizeForBars() const;

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);

    DECLARE_MESSAGE_MAP()
};
