// The frame of a project window: an MDI child that shows the view the document's view
// type asks for (1 the network view, 2 the Gantt container, 3 the document view).
#pragma once

#include <ClassLib/AfxWin.h>
#include <ClassLib/Frames/MDIWnd.h>

class AFX_EXT_CLASS CProjectFrame : public CMDIChildWnd
{
    DECLARE_DYNCREATE(CProjectFrame)

public:
    CProjectFrame();
    ~CProjectFrame() override;

    // The view class for a view type; NULL for a type outside 1 to 3 (or a view class that
    // is not loaded), which keeps the template's.
    static CRuntimeClass* ViewClassForType(int nViewType);

protected:
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;
    DECLARE_MESSAGE_MAP()
};
