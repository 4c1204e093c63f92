// The in-place frame of a server document and its resize bar. Without embedding they are
// ordinary hidden windows: created when asked for, shown by nobody.
#pragma once

#include <ClassLib/Frames/ControlBar.h>
#include <ClassLib/Frames/FrameWnd.h>

class AFX_EXT_CLASS COleIPFrameWnd : public CFrameWnd
{
    DECLARE_DYNCREATE(COleIPFrameWnd)
public:
    COleIPFrameWnd();
    ~COleIPFrameWnd() override;

    virtual BOOL OnCreateControlBars(CFrameWnd* pWndFrame, CFrameWnd* pWndDoc);
    virtual void RepositionFrame(LPCRECT lpPosRect, LPCRECT lpClipRect);

    BOOL m_bUIActive;
};

class AFX_EXT_CLASS COleResizeBar : public CControlBar
{
    DECLARE_DYNAMIC(COleResizeBar)
public:
    COleResizeBar();
    ~COleResizeBar() override;

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE, UINT nID = AFX_IDW_RESIZE_BAR);
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
};
