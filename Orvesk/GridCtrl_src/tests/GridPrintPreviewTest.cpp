// The print-preview toggle: the preview frame takes the main window's place and gives it
// back.
#include "GridPrintTestUtil.h"

#include <ClassLib/Resources/Resources.h>
#include <ClassLib/Testing/DrawLog.h>

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
        pGrid->SetPrintPreviewView(&frame);
        return &frame;
    }
    void StartPreview(CWnd* pFrame) override
    {
        nStarts++;
        bMainAtStart = AfxGetMainWnd() == pFrame;
        bZoomedAtStart = pFrame->IsZoomed() && pFrame->IsWindowVisible();
        pFrame->GetWindowText(strTitleAtStart);
    }

    int nStarts = 0;
    bool bMainAtStart = false;
    bool bZoomedAtStart = false;
    CString strTitleAtStart = _T("unset");

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
    // The preview starts once the frame is the main window, maximised, with the
    // application's title.
    EXPECT_EQ(1, preview.nStarts);
    EXPECT_TRUE(preview.bMainAtStart);
    EXPECT_TRUE(preview.bZoomedAtStart);
    CString strAppTitle;
    strAppTitle.LoadString(AFX_IDS_APP_TITLE);
    EXPECT_STREQ((LPCTSTR)strAppTitle, (LPCTSTR)preview.strTitleAtStart);
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

TEST(GridPrintPreview, APreviewEndedByItsViewIsNoLongerShown)
{
    CPrintedGrid g(5, 3);
    MainWndScope mainScope(&g.frame);
    CFakePreview preview;
    HooksScope hooksScope(&preview);

    g.grid.TogglePrintPreview();
    ASSERT_TRUE(g.grid.IsPrintPreviewShown());
    // The view ends the preview: it shows the saved window and destroys its frame.
    g.frame.ShowWindow(SW_SHOW);
    AfxSetMainWnd(&g.frame);
    preview.frame.DestroyWindow();
    EXPECT_FALSE(g.grid.IsPrintPreviewShown());

    // The next toggle opens a new preview.
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

TEST(GridPrintPreview, ChartDrawingDuringAPreviewKeepsThePreviewMode)
{
    CPrintedGrid g(5, 3);
    MainWndScope mainScope(&g.frame);
    CFakePreview preview;
    HooksScope hooksScope(&preview);
    g.grid.TogglePrintPreview();
    ASSERT_TRUE(g.grid.IsDrawingOnDC());

    CRecordingDC dc(600, 400);
    CRect rect(0, 0, 600, 400);
    g.grid.DrawGridOnDC(&dc, rect, NULL, 1, 4);
    EXPECT_TRUE(g.grid.IsDrawingOnDC());

    g.grid.TogglePrintPreview();
    EXPECT_FALSE(g.grid.IsDrawingOnDC());
}
