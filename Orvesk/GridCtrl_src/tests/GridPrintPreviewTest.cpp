// The print-preview toggle: the preview frame takes the main window's place and gives it
// back.
#include "GridPrintTestUtil.h"

#include <gtest/gtest.h>

namespace
{
class CFakePreview : public CGridPrintPreviewHooks
{
public:
    CWnd* OpenPreviewFrame(CGridCtrl* pGrid, CWnd* pHiddenMainWnd) override
    {
        nCalls++;
        pGridSeen = pGrid;
        pHiddenSeen = pHiddenMainWnd;
        bMainVisibleAtOpen = pHiddenMainWnd && pHiddenMainWnd->IsWindowVisible();
        bDrawingOnDCAtOpen = pGrid->IsDrawingOnDC();
        if (bFail)
            return nullptr;
        if (!frame.GetSafeHwnd())
            frame.CreateEx(0, AFX_WND_CLASS, _T("Preview"), WS_POPUP, 0, 0, 500, 400, nullptr, nullptr);
        frame.ShowWindow(SW_SHOWMAXIMIZED);
        pGrid->SetPrintPreviewView(&frame);
        return &frame;
    }

    CWnd frame;
    int nCalls = 0;
    bool bFail = false;
    CGridCtrl* pGridSeen = nullptr;
    CWnd* pHiddenSeen = nullptr;
    bool bMainVisibleAtOpen = true;
    BOOL bDrawingOnDCAtOpen = FALSE;
};

class HooksScope
{
public:
    explicit HooksScope(CGridPrintPreviewHooks* p) : m_pOld(GridSetPrintPreviewHooks(p)) {}
    ~HooksScope() { GridSetPrintPreviewHooks(m_pOld); }

private:
    CGridPrintPreviewHooks* m_pOld;
};

class MainWndScope
{
public:
    explicit MainWndScope(CWnd* p) : m_pOld(AfxGetMainWnd()) { AfxSetMainWnd(p); }
    ~MainWndScope() { AfxSetMainWnd(m_pOld); }

private:
    CWnd* m_pOld;
};
} // namespace

TEST(GridPrintPreview, TheToggleShowsAndLeavesThePreview)
{
    CPrintedGrid g(5, 3);
    MainWndScope mainScope(&g.frame);
    CFakePreview preview;
    HooksScope hooksScope(&preview);

    g.grid.TogglePrintPreview();
    EXPECT_EQ(1, preview.nCalls);
    EXPECT_EQ(&g.grid, preview.pGridSeen);
    EXPECT_EQ(&g.frame, preview.pHiddenSeen);
    EXPECT_FALSE(preview.bMainVisibleAtOpen);
    EXPECT_TRUE(preview.bDrawingOnDCAtOpen);
    EXPECT_TRUE(g.grid.IsPrintPreviewShown());
    EXPECT_TRUE(g.grid.IsDrawingOnDC());
    EXPECT_EQ(&preview.frame, AfxGetMainWnd());
    EXPECT_FALSE(g.frame.IsWindowVisible());

    g.grid.TogglePrintPreview();
    EXPECT_EQ(1, preview.nCalls);
    EXPECT_FALSE(g.grid.IsPrintPreviewShown());
    EXPECT_FALSE(g.grid.IsDrawingOnDC());
    EXPECT_FALSE(preview.frame.IsWindowVisible());
    EXPECT_TRUE(g.frame.IsWindowVisible());
    EXPECT_TRUE(g.frame.IsZoomed());
    EXPECT_EQ(&g.frame, AfxGetMainWnd());

    // And again.
    g.grid.TogglePrintPreview();
    EXPECT_EQ(2, preview.nCalls);
    EXPECT_TRUE(g.grid.IsPrintPreviewShown());
    g.grid.TogglePrintPreview();
    EXPECT_FALSE(g.grid.IsPrintPreviewShown());
}

TEST(GridPrintPreview, APreviewThatCannotOpenLeavesTheMainWindowShown)
{
    CPrintedGrid g(5, 3);
    MainWndScope mainScope(&g.frame);
    CFakePreview preview;
    preview.bFail = true;
    HooksScope hooksScope(&preview);

    g.grid.TogglePrintPreview();
    EXPECT_EQ(1, preview.nCalls);
    EXPECT_FALSE(g.grid.IsPrintPreviewShown());
    EXPECT_FALSE(g.grid.IsDrawingOnDC());
    EXPECT_TRUE(g.frame.IsWindowVisible());
    EXPECT_EQ(&g.frame, AfxGetMainWnd());
}

TEST(GridPrintPreview, WithoutAPreviewViewNothingHappens)
{
    CPrintedGrid g(5, 3);
    MainWndScope mainScope(&g.frame);
    HooksScope hooksScope(nullptr);
    g.grid.TogglePrintPreview();
    EXPECT_FALSE(g.grid.IsPrintPreviewShown());
    EXPECT_TRUE(g.frame.IsWindowVisible());
}
