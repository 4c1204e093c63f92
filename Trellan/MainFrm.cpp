#include "MainFrm.h"

#include "ProgressBar.h"
#include "Resource.h"
#include "SystemSetDlg.h"
#include "Templates.h"
#include "TrellanApp.h"

IMPLEMENT_DYNAMIC(CMainFrame, CMDIFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CMDIFrameWnd)
    ON_WM_CREATE()
    ON_COMMAND(ID_FILE_NEW, OnFileNew)
    ON_COMMAND(ID_FILE_OPEN_LOCAL, OnFileOpen)
    ON_COMMAND(ID_FILE_OPEN_SERVER, OnFileOpenFromServer)
    ON_COMMAND(ID_VIEW_DOCMANAGE, OnDocManage)
    ON_COMMAND(ID_CONNECT_SETTINGS, OnConnectSettings)
    ON_MESSAGE(WM_PROGRESS_START, OnProgressStart)
    ON_MESSAGE(WM_PROGRESS_STEP, OnProgressStep)
    ON_MESSAGE(WM_PROGRESS_END, OnProgressEnd)
END_MESSAGE_MAP()

namespace {

const UINT kIndicators[] = {
    ID_SEPARATOR,  // the message pane
    ID_INDICATOR_CAPS,
    ID_INDICATOR_NUM,
    ID_INDICATOR_SCRL,
};

const DWORD kBarStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC;

// The progress bar's range and how far one advance message moves it.
const int kProgressMax = 3000;
const int kStepsPerAdvance = 30;

}  // namespace

CMainFrame::CMainFrame() : m_pProgressBar(NULL), m_bWaitCursor(FALSE) {}

CMainFrame::~CMainFrame()
{
    delete m_pProgressBar;
}

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CMDIFrameWnd::PreCreateWindow(cs))
        return FALSE;
    cs.style |= WS_MAXIMIZE;
    return TRUE;
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CMDIFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;

    if (!m_wndToolBar.CreateEx(this, TBSTYLE_FLAT, kBarStyle) || !m_wndToolBar.LoadToolBar(IDR_MAINFRAME)) {
        TRACE0("Failed to create toolbar\n");
        return -1;
    }
    if (!m_wndViewToolBar.CreateEx(this, TBSTYLE_FLAT, kBarStyle) || !m_wndViewToolBar.LoadToolBar(IDR_VIEWBAR)) {
        TRACE0("Failed to create view toolbar\n");
        return -1;
    }
    if (!m_wndStatusBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR) ||
        !m_wndStatusBar.SetIndicators(kIndicators, sizeof(kIndicators) / sizeof(UINT))) {
        TRACE0("Failed to create status bar\n");
        return -1;
    }

    m_wndToolBar.EnableDocking(CBRS_ALIGN_ANY);
    m_wndViewToolBar.EnableDocking(CBRS_ALIGN_ANY);
    EnableDocking(CBRS_ALIGN_ANY);
    DockControlBar(&m_wndToolBar);
    DockControlBarLeftOf(&m_wndViewToolBar, &m_wndToolBar);
    return 0;
}

void CMainFrame::DockControlBarLeftOf(CToolBar* pBar, CToolBar* pLeftOf)
{
    RecalcLayout(TRUE);
    CRect rect;
    pLeftOf->GetWindowRect(&rect);
    rect.OffsetRect(1, 0);
    DWORD dw = pLeftOf->GetBarStyle();
    UINT n = 0;
    n = (dw & CBRS_ALIGN_TOP) ? AFX_IDW_DOCKBAR_TOP : n;
    n = (dw & CBRS_ALIGN_BOTTOM && n == 0) ? AFX_IDW_DOCKBAR_BOTTOM : n;
    n = (dw & CBRS_ALIGN_LEFT && n == 0) ? AFX_IDW_DOCKBAR_LEFT : n;
    n = (dw & CBRS_ALIGN_RIGHT && n == 0) ? AFX_IDW_DOCKBAR_RIGHT : n;
    DockControlBar(pBar, n, &rect);
}

CDocument* CMainFrame::NewProjectDocument()
{
    CTrellanApp* pApp = TrellanGetApp();
    if (pApp == NULL || pApp->m_pProjectTemplate == NULL)
        return NULL;
    return pApp->m_pProjectTemplate->CreateNewDocument();
}

void CMainFrame::OnFileNew()
{
    if (CDocument* pDoc = NewProjectDocument())
        TrellanProjectFileNew(pDoc, 1);
}

void CMainFrame::OnFileOpen()
{
    if (CDocument* pDoc = NewProjectDocument())
        TrellanProjectFileOpen(pDoc, 1, CString());
}

void CMainFrame::OnFileOpenFromServer()
{
    if (CDocument* pDoc = NewProjectDocument())
        TrellanProjectFileOpen(pDoc, 0, CString());
}

void CMainFrame::OpenProjectFile(CString strPath)
{
    if (CDocument* pDoc = NewProjectDocument())
        TrellanProjectFileOpen(pDoc, 1, strPath);
}

void CMainFrame::OnDocManage()
{
    if (CTrellanApp* pApp = TrellanGetApp())
        pApp->OpenDocumentWindow(2);
}

void CMainFrame::OnConnectSettings()
{
    CSystemSetDlg dlg;
    dlg.DoModal();
}

LRESULT CMainFrame::OnProgressStart(WPARAM wParam, LPARAM)
{
    if (m_pProgressBar == NULL) {
        const CString* pText = reinterpret_cast<const CString*>(wParam);
        CString strText = pText != NULL ? *pText : CString();
        CProgressBar* pBar = new CProgressBar(strText, 40, kProgressMax, FALSE, 0);
        if (pBar->GetSafeHwnd() != NULL)
            m_pProgressBar = pBar;
        else
            delete pBar;
        SetCapture();
        if (!m_bWaitCursor) {
            AfxDoWaitCursor(1);
            m_bWaitCursor = TRUE;
        }
    }
    return 0;
}

LRESULT CMainFrame::OnProgressStep(WPARAM, LPARAM)
{
    // Thirty steps of one, as one step of thirty: the bar's own wrap past its end applies
    // the same way, and the bar is drawn once instead of thirty times.
    if (m_pProgressBar != NULL) {
        m_pProgressBar->SetStep(kStepsPerAdvance);
        m_pProgressBar->StepIt();
        m_pProgressBar->SetStep(1);
    }
    return 0;
}

LRESULT CMainFrame::OnProgressEnd(WPARAM, LPARAM)
{
    if (m_pProgressBar != NULL) {
        // The bar ends full (every step up to the end at once: nothing is shown between
        // them), then goes.
        if (m_pProgressBar->GetPos() < kProgressMax)
            m_pProgressBar->SetPos(kProgressMax);
        delete m_pProgressBar;
        m_pProgressBar = NULL;
    }
    if (m_bWaitCursor) {
        AfxDoWaitCursor(-1);
        m_bWaitCursor = FALSE;
    }
    ::SetCursor(::LoadCursor(NULL, IDC_ARROW));
    ReleaseCapture();
    return 0;
}
