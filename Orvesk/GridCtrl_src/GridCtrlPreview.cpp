// The print-preview toggle: shows the task views' preview frame in place of the main
// window, or leaves it.
#include "GridCtrl.h"

namespace
{
CGridPrintPreviewHooks* g_pPreviewHooks = NULL;
}

CGridPrintPreviewHooks* GridSetPrintPreviewHooks(CGridPrintPreviewHooks* pHooks)
{
    CGridPrintPreviewHooks* pOld = g_pPreviewHooks;
    g_pPreviewHooks = pHooks;
    return pOld;
}

CGridPrintPreviewHooks* GridGetPrintPreviewHooks()
{
    return g_pPreviewHooks;
}

void CGridCtrl::TogglePrintPreview()
{
    if (m_pPreviewFrame)
    {
        // Leave the preview: the saved main window comes back.
        if (::IsWindow(m_pPreviewFrame->GetSafeHwnd()))
            m_pPreviewFrame->ShowWindow(SW_HIDE);
        if (m_pPreviewHiddenWnd && ::IsWindow(m_pPreviewHiddenWnd->GetSafeHwnd()))
        {
            AfxSetMainWnd(m_pPreviewHiddenWnd);
            m_pPreviewHiddenWnd->ShowWindow(SW_SHOWMAXIMIZED);
            m_pPreviewHiddenWnd->SetFocus();
        }
        m_pPreviewFrame = NULL;
        m_pPreviewHiddenWnd = NULL;
        m_bDrawingOnDC = FALSE;
        return;
    }

    CGridPrintPreviewHooks* pHooks = GridGetPrintPreviewHooks();
    if (!pHooks)
        return;

    CWnd* pMainWnd = AfxGetMainWnd();
    if (pMainWnd)
        pMainWnd->ShowWindow(SW_HIDE);

    m_bDrawingOnDC = TRUE;
    CWnd* pFrame = pHooks->OpenPreviewFrame(this, pMainWnd);
    if (!pFrame)
    {
        // No preview: the main window is shown again as it was.
        m_bDrawingOnDC = FALSE;
        if (pMainWnd)
            pMainWnd->ShowWindow(SW_SHOW);
        return;
    }
    m_pPreviewFrame = pFrame;
    m_pPreviewHiddenWnd = pMainWnd;
    AfxSetMainWnd(pFrame);
}
