#include "ViewPrintPreview.h"

#include <ClassLib/DocView/DocTemplate.h>
#include <ClassLib/DocView/Document.h>
#include <ClassLib/DocView/StdIds.h>
#include <ClassLib/DocView/WinApp.h>
#include <ClassLib/Frames/FrameWnd.h>

#include <map>

#include "GridCtrl.h"
#include "GridPrintHooks.h"
#include "Gantt_src/GunterBar.h"

namespace {

// The document of the preview template: the preview shows what its view is given, never a
// document's data.
class CPreviewDocument : public CDocument
{
    DECLARE_DYNCREATE(CPreviewDocument)
};
IMPLEMENT_DYNCREATE(CPreviewDocument, CDocument)

// The template's resource id.
const UINT kPreviewTemplateId = 129;

std::map<const CGunterBar*, CViewPrintPreview*>& ChartPreviews()
{
    static std::map<const CGunterBar*, CViewPrintPreview*> map;
    return map;
}

// The preview template, made once per application and owned by it (found again among the
// application's templates).
CDocTemplate* PreviewTemplate()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL)
        return NULL;
    for (POSITION pos = pApp->GetFirstDocTemplatePosition(); pos != NULL;) {
        CDocTemplate* pTemplate = pApp->GetNextDocTemplate(pos);
        if (pTemplate->m_pViewClass == RUNTIME_CLASS(CViewPrintPreview))
            return pTemplate;
    }
    CDocTemplate* pTemplate = new CSingleDocTemplate(kPreviewTemplateId, RUNTIME_CLASS(CPreviewDocument),
                                                     RUNTIME_CLASS(CFrameWnd), RUNTIME_CLASS(CViewPrintPreview));
    pApp->AddDocTemplate(pTemplate);
    return pTemplate;
}

// The application's main window when there is an application, else the window layer's.
void SetMainWindow(CWnd* pWnd)
{
    AfxSetMainWnd(pWnd);
    if (CWinApp* pApp = AfxGetApp())
        pApp->m_pMainWnd = pWnd;
}

CViewPrintPreview* PreviewViewOf(CWnd* pFrame)
{
    CFrameWnd* pFrameWnd = dynamic_cast<CFrameWnd*>(pFrame);
    if (pFrameWnd == NULL)
        return NULL;
    CView* pView = pFrameWnd->GetActiveView();
    if (pView == NULL)
        pView = dynamic_cast<CView*>(pFrameWnd->GetDlgItem(AFX_IDW_PANE_FIRST));
    return dynamic_cast<CViewPrintPreview*>(pView);
}

CFrameWnd* OpenPreviewFrame()
{
    CDocTemplate* pTemplate = PreviewTemplate();
    if (pTemplate == NULL)
        return NULL;
    CDocument* pDoc = pTemplate->CreateNewDocument();
    if (pDoc == NULL)
        return NULL;
    CFrameWnd* pFrame = pTemplate->CreateNewFrame(pDoc, NULL);
    if (pFrame == NULL) {
        delete pDoc;
        return NULL;
    }
    pTemplate->InitialUpdateFrame(pFrame, pDoc, FALSE);
    return pFrame;
}

// The grid's preview toggle reaches the preview view through these.
class CGridPreviewHooks : public CGridPrintPreviewHooks
{
public:
    CWnd* OpenPreviewFrame(CGridCtrl* pGrid, CWnd* pHiddenMainWnd) override
    {
        return CViewPrintPreview::OpenGridPreviewFrame(pGrid, pHiddenMainWnd);
    }
    void StartPreview(CWnd* pFrame) override { CViewPrintPreview::StartPreview(pFrame); }
};

struct CInstallGridPreview
{
    CInstallGridPreview()
    {
        static CGridPreviewHooks hooks;
        GridSetPrintPreviewHooks(&hooks);
    }
};
const CInstallGridPreview g_installGridPreview;

} // namespace

IMPLEMENT_DYNCREATE(CViewPrintPreview, CView)

BEGIN_MESSAGE_MAP(CViewPrintPreview, CView)
    // The preview bar's close button. Its id in the class library is AFX_ID_PREVIEW_CLOSE
    // (0xE300); 0xE304 there is the bar's Print button and stays Print.
    ON_COMMAND(AFX_ID_PREVIEW_CLOSE, OnPreviewClose)
END_MESSAGE_MAP()

CViewPrintPreview::CViewPrintPreview() : m_pGrid(NULL), m_pOldMainWnd(NULL), m_pChart(NULL), m_nMode(1) {}

CViewPrintPreview::~CViewPrintPreview()
{
    for (auto it = ChartPreviews().begin(); it != ChartPreviews().end();)
        it = it->second == this ? ChartPreviews().erase(it) : std::next(it);
}

void CViewPrintPreview::OnDraw(CDC* /*pDC*/)
{
}

CViewPrintPreview* CViewPrintPreview::ChartPreviewOf(const CGunterBar* pChart)
{
    auto it = ChartPreviews().find(pChart);
    return it != ChartPreviews().end() ? it->second : NULL;
}

void CViewPrintPreview::SetChart(CGunterBar* pChart)
{
    m_pChart = pChart;
    m_nMode = 0;
    if (pChart != NULL)
        ChartPreviews()[pChart] = this;
}

CFrameWnd* CViewPrintPreview::OpenGridPreviewFrame(CGridCtrl* pGrid, CWnd* pHiddenMainWnd)
{
    CFrameWnd* pFrame = OpenPreviewFrame();
    CViewPrintPreview* pView = PreviewViewOf(pFrame);
    if (pView == NULL) {
        if (pFrame != NULL)
            pFrame->DestroyWindow();
        return NULL;
    }
    pView->m_nMode = 1;
    pView->m_pGrid = pGrid;
    pView->m_pOldMainWnd = pHiddenMainWnd;
    if (pGrid != NULL)
        pGrid->SetPrintPreviewView(pView);
    return pFrame;
}

CFrameWnd* CViewPrintPreview::OpenChartPreview(CGunterBar* pChart)
{
    CWnd* pMainWnd = AfxGetMainWnd();
    CFrameWnd* pFrame = OpenPreviewFrame();
    CViewPrintPreview* pView = PreviewViewOf(pFrame);
    if (pView == NULL) {
        if (pFrame != NULL)
            pFrame->DestroyWindow();
        return NULL;
    }
    pView->SetChart(pChart);
    pView->m_pOldMainWnd = pMainWnd;
    if (pMainWnd != NULL)
        pMainWnd->ShowWindow(SW_HIDE);
    SetMainWindow(pFrame);
    CString strTitle;
    strTitle.LoadString(AFX_IDS_APP_TITLE);
    pFrame->SetWindowText(strTitle);
    pFrame->ShowWindow(SW_SHOWMAXIMIZED);
    StartPreview(pFrame);
    return pFrame;
}

void CViewPrintPreview::StartPreview(CWnd* pFrame)
{
    if (CViewPrintPreview* pView = PreviewViewOf(pFrame))
        pView->OnFilePrintPreview();
}

BOOL CViewPrintPreview::OnPreparePrinting(CPrintInfo* pInfo)
{
    return DoPreparePrinting(pInfo);
}

void CViewPrintPreview::OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    if (m_nMode == 1) {
        if (m_pGrid != NULL)
            m_pGrid->OnBeginPrinting(pDC, pInfo);
    } else if (m_pChart != NULL) {
        m_pChart->OnBeginPrinting(pDC, pInfo);
    }
}

void CViewPrintPreview::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    if (m_nMode == 1) {
        if (m_pGrid != NULL)
            m_pGrid->OnPrint(pDC, pInfo);
    } else if (m_pChart != NULL) {
        m_pChart->OnPrint(pDC, pInfo);
    }
}

void CViewPrintPreview::OnEndPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    if (m_nMode == 1) {
        if (m_pGrid != NULL)
            m_pGrid->OnEndPrinting(pDC, pInfo);
    } else if (m_pChart != NULL) {
        m_pChart->OnEndPrinting(pDC, pInfo);
    }
}

void CViewPrintPreview::OnEndPrintPreview(CDC* pDC, CPrintInfo* pInfo, POINT point, CPreviewView* pView)
{
    CView::OnEndPrintPreview(pDC, pInfo, point, pView);
    if (m_pOldMainWnd != NULL && ::IsWindow(m_pOldMainWnd->GetSafeHwnd())) {
        m_pOldMainWnd->ShowWindow(SW_SHOW);
        SetMainWindow(m_pOldMainWnd);
    }
    if (m_nMode == 1) {
        if (m_pGrid != NULL && m_pGrid->GetPrintPreviewView() == this)
            m_pGrid->SetPrintPreviewView(NULL);
    } else if (m_pChart != NULL) {
        ChartPreviews().erase(m_pChart);
    }
    if (CFrameWnd* pFrame = GetParentFrame())
        pFrame->DestroyWindow();
}

void CViewPrintPreview::OnPreviewClose()
{
    SendMessage(WM_CLOSE);
}
