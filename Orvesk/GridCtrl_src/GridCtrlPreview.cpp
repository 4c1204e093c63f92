// The print-preview toggle: shows the task views' preview frame in place of the main
// window, or leaves it.
#include "GridCtrl.h"

#include <ClassLib/DocView/WinApp.h>
#include <ClassLib/Resources/Resources.h>

namespace
{
CGridPrintPreviewHooks* g_pPreviewHooks = NULL;

// The application's main window when there is an application (its main window is the one
// everybody asks for), else the window layer's.
void SetMainWindow(CWnd* pWnd)
{
    AfxSetMainWnd(pWnd);
    if (CWinApp* pApp = AfxGetApp())
        pApp->m_pMainWnd = pWnd;
}
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

BOOL CGridCtrl::IsPrintPreviewShown() const
{
    // A preview the view ended itself (its frame destroyed) is no longer shown.
    return m_hPreviewFrame && ::IsWindow(m_hPreviewFrame);
}

void CGridCtrl::TogglePrintPreview()
{
    if (m_hPreviewFrame && !::IsWindow(m_hPreviewFrame))
    {
        m_hPreviewFrame = NULL;
        m_hPreviewHiddenWnd = NULL;
        m_bDrawingOnDC = FALSE;
    }

    if (m_hPreviewFrame)
    {
        // Leave the preview: the saved main window comes back.
        CWnd::FromHandle(m_hPreviewFrame)->ShowWindow(SW_HIDE);
        if (m_hPreviewHiddenWnd && ::IsWindow(m_hPreviewHiddenWnd))
        {
            CWnd* pMainWnd = CWnd::FromHandle(m_hPreviewHiddenWnd);
            SetMainWindow(pMainWnd);
            pMainWnd->ShowWindow(SW_SHOWMAXIMIZED);
            pMainWnd->SetFocus();
        }
        m_hPreviewFrame = NULL;
        m_hPreviewHiddenWnd = NULL;
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
    if (!pFrame || !pFrame->GetSafeHwnd())
    {
        // No preview: the main window is shown again as it was.
        m_bDrawingOnDC = FALSE;
        if (pMainWnd)
            pMainWnd->ShowWindow(SW_SHOW);
        return;
    }
    m_hPreviewFrame = pFrame->GetSafeHwnd();
    m_hPreviewHiddenWnd = pMainWnd ? pMainWnd->GetSafeHwnd() : NULL;

    SetMainWindow(pFrame);
    CString strTitle;
    strTitle.LoadString(AFX_IDS_APP_TITLE);
    pFrame->SetWindowText(strTitle);
    pFrame->ShowWindow(SW_SHOWMAXIMIZED);
    pHooks->StartPreview(pFrame);
}
