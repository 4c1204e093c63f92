// The project document's in-place frame: the class library's in-place frame with a resize
// bar, a drop target and a toolbar (save, print, zoom in, zoom out, about).
#pragma once

#include <ClassLib/AfxWin.h>
#include <ClassLib/Frames/OleIPFrameWnd.h>
#include <ClassLib/Frames/ToolBar.h>
#include <ClassLib/Ole/DropTarget.h>

class AFX_EXT_CLASS CInPlaceFrame : public COleIPFrameWnd
{
    DECLARE_DYNCREATE(CInPlaceFrame)

public:
    CInPlaceFrame();
    ~CInPlaceFrame() override;

    BOOL OnCreateControlBars(CFrameWnd* pWndFrame, CFrameWnd* pWndDoc) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void AssertValid() const override;
    void Dump(CDumpContext& dc) const override;

    CToolBar m_wndToolBar;
    COleDropTarget m_dropTarget;
    COleResizeBar m_wndResizeBar;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    DECLARE_MESSAGE_MAP()
};
