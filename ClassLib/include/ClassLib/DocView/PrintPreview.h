// CPreviewView: the print preview of a view. The pages are printed by the view's own
// printing virtuals (OnPreparePrinting, OnBeginPrinting, OnPrepareDC, OnPrint) onto an
// image printer context and shown in the main frame in place of its client area, with a
// bar of Print, Next, Previous, one/two pages and Close. Closing gives the frame back its
// views and calls the view's OnEndPrintPreview.
#pragma once

#include <ClassLib/DocView/View.h>
#include <ClassLib/Frames/ControlBar.h>

#include <map>

class CPrintInfo;
class CPreviewView;

// The bar above the preview.
class AFX_EXT_CLASS CPreviewBar : public CControlBar
{
    DECLARE_DYNAMIC(CPreviewBar)
public:
    CPreviewBar();
    ~CPreviewBar() override;
    BOOL Create(CWnd* pParentWnd, CPreviewView* pPreview);
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    // The page text shown at the right of the buttons.
    CString m_strPageText;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void DoPaint(CDC* pDC) override;
    CPreviewView* m_pPreview;
    std::vector<CWnd*> m_buttons;
};

class AFX_EXT_CLASS CPreviewView : public CView
{
    DECLARE_DYNCREATE(CPreviewView)
public:
    CPreviewView();
    ~CPreviewView() override;

    // Prepares printing on pPrintView; FALSE when the view refuses (OnPreparePrinting).
    virtual BOOL SetPrintView(CView* pPrintView);
    // Shows page nPage (from 1); pages past the end are refused.
    virtual void SetCurrentPage(UINT nPage, BOOL bNewPage);
    UINT GetCurrentPage() const { return m_nCurrentPage; }
    // The pages shown at once: 1 or 2.
    UINT GetPagesShown() const { return m_nPages; }
    // The last page, once known (the view's page count, or where printing stopped).
    UINT GetLastPage() const;
    // The picture of a page as printed (NULL when the page does not exist); owned by the view.
    HBITMAP GetPageBitmap(UINT nPage);
    CRect GetPageRect(UINT nIndex) const;  // where page nIndex (0 or 1) shows
    CPrintInfo* GetPrintInfo() const { return m_pPreviewInfo; }
    CView* GetPrintView() const { return m_pPrintView; }

    void OnDraw(CDC* pDC) override;
    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = NULL) override;

    afx_msg void OnPreviewClose();
    afx_msg void OnPreviewPrint();
    afx_msg void OnNextPage();
    afx_msg void OnPrevPage();
    afx_msg void OnNumPageChange();
    afx_msg void OnUpdateNextPage(CCmdUI* pCmdUI);
    afx_msg void OnUpdatePrevPage(CCmdUI* pCmdUI);

    CPrintPreviewState* m_pPreviewState;
    CPreviewBar* m_pToolBar;
    CFrameWnd* m_pPreviewFrame;
    CWnd* m_pSavedPane;

protected:
    CView* m_pPrintView;
    CPrintInfo* m_pPreviewInfo;
    HDC m_hPrinterDC;
    CDC* m_pPrinterDC;
    UINT m_nCurrentPage;
    UINT m_nPages;
    UINT m_nLastPage;  // 0 while unknown
    int m_nRendered;   // pages finished on the printer context
    std::map<UINT, HBITMAP> m_pages;
    CSize m_sizePage;  // the page in device pixels

    BOOL RenderPage(UINT nPage);
    void UpdatePageText();

    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    DECLARE_MESSAGE_MAP()
};
