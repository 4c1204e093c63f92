// CView printing: the print loop on a printer context, and print preview in the main frame.
#include "Framework.h"

#include <ClassLib/Printing/Printing.h>

#include <ClassLib/DocView/PrintPreview.h>

#include "FrameworkStrings.h"

#include <cstring>

namespace pc_frame {

void ContinuePrinting(CPrintInfo* pInfo)
{
    // Without a page count one page is printed.
    if (pInfo != nullptr && pInfo->GetMaxPage() == 0xFFFF)
        pInfo->m_bContinuePrinting = pInfo->m_nCurPage == 1;
}

}  // namespace pc_frame

BOOL CView::DoPreparePrinting(CPrintInfo* pInfo)
{
    if (pInfo == nullptr || pInfo->m_pPD == nullptr)
        return FALSE;
    CPrintDialog* pPD = pInfo->m_pPD;
    pPD->m_pd.nMinPage = static_cast<WORD>(pInfo->GetMinPage());
    pPD->m_pd.nMaxPage = static_cast<WORD>(pInfo->GetMaxPage());
    if (pInfo->m_bPreview || pInfo->m_bDirect)
    {
        // No dialog: the default printer (the preview lays out on it).
        if (!pPD->GetDefaults())
        {
            if (!pInfo->m_bPreview)
                return FALSE;
        }
        return TRUE;
    }
    if (pPD->DoModal() != IDOK)
        return FALSE;
    return TRUE;
}

void CView::OnFilePrint()
{
    CPrintInfo printInfo;
    const MSG* pMsg = CWnd::GetCurrentMessage();
    if (pMsg != nullptr && pMsg->message == WM_COMMAND && LOWORD(pMsg->wParam) == ID_FILE_PRINT_DIRECT)
        printInfo.m_bDirect = TRUE;
    if (!OnPreparePrinting(&printInfo))
        return;
    HDC hDC = printInfo.m_pPD->CreatePrinterDC();
    if (hDC == nullptr)
    {
        AfxMessageBox(AFX_IDP_FAILED_TO_START_PRINT);
        return;
    }
    CDC dcPrint;
    dcPrint.Attach(hDC);
    CString strTitle;
    if (CDocument* pDoc = GetDocument())
        strTitle = pDoc->GetTitle();
    else if (CFrameWnd* pFrame = GetParentFrame())
        pFrame->GetWindowText(strTitle);
    OnBeginPrinting(&dcPrint, &printInfo);
    BOOL bError = FALSE;
    if (dcPrint.StartDoc(strTitle) <= 0)
    {
        bError = TRUE;
        AfxMessageBox(AFX_IDP_FAILED_TO_START_PRINT);
    }
    else
    {
        UINT nFrom = printInfo.GetFromPage();
        UINT nTo = printInfo.GetToPage();
        if (nFrom < printInfo.GetMinPage())
            nFrom = printInfo.GetMinPage();
        if (nTo > printInfo.GetMaxPage())
            nTo = printInfo.GetMaxPage();
        for (printInfo.m_nCurPage = nFrom; printInfo.m_nCurPage <= nTo; printInfo.m_nCurPage++)
        {
            OnPrepareDC(&dcPrint, &printInfo);
            if (!printInfo.m_bContinuePrinting)
                break;
            printInfo.m_rectDraw.SetRect(0, 0, dcPrint.GetDeviceCaps(HORZRES), dcPrint.GetDeviceCaps(VERTRES));
            dcPrint.DPtoLP(&printInfo.m_rectDraw);
            if (dcPrint.StartPage() < 0)
            {
                bError = TRUE;
                break;
            }
            OnPrint(&dcPrint, &printInfo);
            if (dcPrint.EndPage() < 0)
            {
                bError = TRUE;
                break;
            }
            if (printInfo.m_nCurPage == 0xFFFF)
                break;
        }
        if (bError)
            dcPrint.AbortDoc();
        else
            dcPrint.EndDoc();
    }
    OnEndPrinting(&dcPrint, &printInfo);
    dcPrint.DeleteDC();
}

// ---- Preview ------------------------------------------------------------------------------

namespace {

BOOL ClosePreviewFromFrame(CFrameWnd* pFrame)
{
    // Closing the frame during the preview closes the preview first.
    if (CPreviewView* pView = DYNAMIC_DOWNCAST(CPreviewView, pFrame->GetActiveView()))
        pView->OnPreviewClose();
    return TRUE;
}

}  // namespace

void CView::OnFilePrintPreview()
{
    CPrintPreviewState* pState = new CPrintPreviewState;
    if (!DoPrintPreview(0, this, RUNTIME_CLASS(CPreviewView), pState))
    {
        TRACE("Error: DoPrintPreview failed.\n");
        AfxMessageBox(AFX_IDP_COMMAND_FAILURE);
        delete pState;
    }
}

BOOL CView::DoPrintPreview(UINT, CView* pPrintView, CRuntimeClass* pPreviewViewClass, CPrintPreviewState* pState)
{
    if (pPrintView == nullptr || pState == nullptr)
        return FALSE;
    // The preview takes the main frame's client area (an MDI frame's included).
    CFrameWnd* pParent = DYNAMIC_DOWNCAST(CFrameWnd, AfxGetMainWnd());
    if (pParent == nullptr)
        pParent = pPrintView->GetParentFrame();
    if (pParent == nullptr)
        return FALSE;
    CRuntimeClass* pClass = pPreviewViewClass != nullptr ? pPreviewViewClass : RUNTIME_CLASS(CPreviewView);
    CObject* pObject = pClass->CreateObject();
    CPreviewView* pView = DYNAMIC_DOWNCAST(CPreviewView, pObject);
    if (pView == nullptr)
    {
        delete pObject;
        return FALSE;
    }
    pState->lpfnCloseProc = &ClosePreviewFromFrame;
    pState->pViewActiveOld = pParent->GetActiveView();
    // The pane the frame had goes aside while the preview shows.
    CWnd* pPane = pParent->GetDlgItem(AFX_IDW_PANE_FIRST);
    pParent->OnSetPreviewMode(TRUE, pState);
    if (pPane != nullptr)
    {
        pPane->SetDlgCtrlID(AFX_IDW_PANE_SAVE);
        pPane->ShowWindow(SW_HIDE);
    }
    pView->m_pPreviewState = pState;
    pView->m_pPreviewFrame = pParent;
    pView->m_pSavedPane = pPane;
    CCreateContext context;
    context.m_pCurrentFrame = pParent;
    context.m_pCurrentDoc = nullptr;
    if (!pView->Create(nullptr, nullptr, AFX_WS_DEFAULT_VIEW & ~WS_BORDER, CRect(0, 0, 0, 0), pParent, AFX_IDW_PANE_FIRST,
                       &context))
    {
        if (pPane != nullptr)
        {
            pPane->SetDlgCtrlID(AFX_IDW_PANE_FIRST);
            pPane->ShowWindow(SW_SHOW);
        }
        pParent->OnSetPreviewMode(FALSE, pState);
        return FALSE;
    }
    CPreviewBar* pBar = new CPreviewBar;
    pView->m_pToolBar = pBar;
    if (!pBar->Create(pParent, pView) || !pView->SetPrintView(pPrintView))
    {
        pView->OnPreviewClose();
        return TRUE;  // the preview was shown and closed again; the state is gone
    }
    pParent->SetActiveView(pView);
    pView->SetCurrentPage(1, TRUE);
    pParent->RecalcLayout();
    pView->Invalidate();
    return TRUE;
}

void CView::OnEndPrintPreview(CDC* pDC, CPrintInfo* pInfo, POINT, CPreviewView* pView)
{
    OnEndPrinting(pDC, pInfo);
    if (pView != nullptr)
        pView->DestroyWindow();
}
