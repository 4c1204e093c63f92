// What the grid's printing needs from around it: the print record of a job and the
// print-preview frame of the task views.
#pragma once

#include <ClassLib/AfxWin.h>

class CGridCtrl;

#if __has_include(<ClassLib/Printing/Printing.h>)
#include <ClassLib/Printing/Printing.h>
#define GRID_HAVE_PRINT_DIALOG 1
#else
#define GRID_HAVE_PRINT_DIALOG 0
// The print record of a job, for builds whose class library has no printing layer: the
// pages to print, the page being printed and the rectangle to draw in.
class CPrintInfo
{
public:
    CPrintInfo() : m_bPreview(FALSE), m_bContinuePrinting(TRUE), m_nCurPage(1),
                   m_nMinPage(1), m_nMaxPage(0xFFFF), m_rectDraw(0, 0, 0, 0) {}
    void SetMinPage(UINT nMinPage) { m_nMinPage = nMinPage; }
    void SetMaxPage(UINT nMaxPage) { m_nMaxPage = nMaxPage; }
    UINT GetMinPage() const { return m_nMinPage; }
    UINT GetMaxPage() const { return m_nMaxPage; }
    UINT GetFromPage() const { return m_nMinPage; }
    UINT GetToPage() const { return m_nMaxPage; }

    BOOL m_bPreview;
    BOOL m_bContinuePrinting;
    UINT m_nCurPage;
    UINT m_nMinPage;
    UINT m_nMaxPage;
    CRect m_rectDraw;
};
#endif

// Implemented by the task views, which own the print-preview view class and its document
// template. The grid's print-preview toggle calls it.
class CGridPrintPreviewHooks
{
public:
    virtual ~CGridPrintPreviewHooks() {}
    // Makes the preview document template once, opens a preview frame and tells its view
    // the grid and the hidden main window. Returns the frame, NULL on failure.
    virtual CWnd* OpenPreviewFrame(CGridCtrl* pGrid, CWnd* pHiddenMainWnd) = 0;
    // Starts the print preview of the frame's view, once the frame is the main window.
    virtual void StartPreview(CWnd* pFrame) = 0;
};

// Set once by the module that has the preview view (NULL: the grid has no preview). Each
// library that carries the grid keeps its own.
CGridPrintPreviewHooks* GridSetPrintPreviewHooks(CGridPrintPreviewHooks* pHooks);
CGridPrintPreviewHooks* GridGetPrintPreviewHooks();
