#include "InPlaceFrame.h"

#include "ResViewsResource.h"

IMPLEMENT_DYNCREATE(CInPlaceFrame, COleIPFrameWnd)

BEGIN_MESSAGE_MAP(CInPlaceFrame, COleIPFrameWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

CInPlaceFrame::CInPlaceFrame() {}

CInPlaceFrame::~CInPlaceFrame() {}

int CInPlaceFrame::OnCreate(LPCREATESTRUCT lpcs)
{
    if (COleIPFrameWnd::OnCreate(lpcs) == -1)
        return -1;
    if (!m_wndResizeBar.Create(this, WS_CHILD | WS_VISIBLE, 0xE803))
    {
        TRACE("Failed to create resize bar\n");
        return -1;
    }
    m_dropTarget.Register(this);
    return 0;
}

BOOL CInPlaceFrame::OnCreateControlBars(CFrameWnd* pWndFrame, CFrameWnd* /*pWndDoc*/)
{
    m_wndToolBar.SetOwner(this);
    if (!m_wndToolBar.CreateEx(pWndFrame, TBSTYLE_FLAT,
                               WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_FLYBY |
                                   CBRS_SIZE_DYNAMIC,
                               CRect(0, 0, 0, 0), 0xE800) ||
        !m_wndToolBar.LoadToolBar(IDR_INPLACE_TOOLBAR))
    {
        TRACE("Failed to create toolbar\n");
        return FALSE;
    }
    m_wndToolBar.EnableDocking(CBRS_ALIGN_ANY);
    pWndFrame->EnableDocking(CBRS_ALIGN_ANY);
    pWndFrame->DockControlBar(&m_wndToolBar);
    return TRUE;
}

BOOL CInPlaceFrame::PreCreateWindow(CREATESTRUCT& cs)
{
    return COleIPFrameWnd::PreCreateWindow(cs);
}

void CInPlaceFrame::AssertValid() const
{
    COleIPFrameWnd::AssertValid();
}

void CInPlaceFrame::Dump(CDumpContext& dc) const
{
    COleIPFrameWnd::Dump(dc);
}
