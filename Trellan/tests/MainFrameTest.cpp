// The main frame: bars, menus, accelerators, prompts, and the progress bar of a load.
#include "TrellanTestSupport.h"

#include "ProgressBar.h"
#include "ProjectGenerator.h"
#include "Resource.h"
#include "TaskGridAccess.h"
#include "TaskTreeView.h"

#include <QImage>
#include <QString>

#include <algorithm>

namespace {

class MainFrameTest : public TrellanTest
{
protected:
    void SetUp() override
    {
        TrellanTest::SetUp();
        ASSERT_TRUE(Start({}));
        frame = Frame();
        ASSERT_NE(frame, nullptr);
    }
    LRESULT StartProgress(const char* pszText)
    {
        CString text(pszText);
        return frame->SendMessage(WM_PROGRESS_START, reinterpret_cast<WPARAM>(&text), 0);
    }
    void Advance(int n)
    {
        for (int i = 0; i < n; ++i)
            frame->SendMessage(WM_PROGRESS_STEP, 0, 0);
    }
    CMainFrame* frame = nullptr;
};

TEST_F(MainFrameTest, TheToolbarsCarryTheirButtonsOnOneRow)
{
    const UINT kMain[] = {57600, 22009, 57603, 0, 22014, 22015, 0, 57607, 57609, 0, 22004, 22003, 0, 57664};
    ASSERT_EQ(frame->m_wndToolBar.GetCount(), 14);
    for (int i = 0; i < 14; ++i)
        EXPECT_EQ(frame->m_wndToolBar.GetItemID(i), kMain[i]) << i;
    const UINT kView[] = {20025, 20027, 22016, 32781};
    ASSERT_EQ(frame->m_wndViewToolBar.GetCount(), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(frame->m_wndViewToolBar.GetItemID(i), kView[i]) << i;
    CRect main, view;
    frame->m_wndToolBar.GetWindowRect(&main);
    frame->m_wndViewToolBar.GetWindowRect(&view);
    EXPECT_EQ(view.top, main.top);
    EXPECT_GE(view.left, main.right);
    EXPECT_EQ(frame->m_wndToolBar.GetToolTipText(0), CString("新建项目"));
    EXPECT_EQ(frame->m_wndViewToolBar.GetToolTipText(3), CString("文档管理"));
    EXPECT_EQ(frame->m_wndViewToolBar.GetToolTipText(1), CString(""));  // 20027 has no prompt
}

TEST_F(MainFrameTest, TheApplicationAndItsFramesHaveTheirIcons)
{
    HICON hMain = app->LoadIcon(IDR_MAINFRAME);
    ASSERT_NE(hMain, nullptr);
    EXPECT_NE(app->LoadIcon(IDR_DOCMANAGETYPE), nullptr);
    EXPECT_EQ(app->LoadIcon(999), nullptr);
    EXPECT_EQ(reinterpret_cast<HICON>(::GetClassLongPtr(frame->m_hWnd, GCLP_HICON)), hMain);
}

TEST_F(MainFrameTest, TheStatusBarHasTheMessagePaneAndThreeIndicators)
{
    ASSERT_EQ(frame->m_wndStatusBar.GetCount(), 4);
    EXPECT_EQ(frame->m_wndStatusBar.GetItemID(0), (UINT)ID_SEPARATOR);
    EXPECT_EQ(frame->m_wndStatusBar.GetItemID(1), (UINT)ID_INDICATOR_CAPS);
    EXPECT_EQ(frame->m_wndStatusBar.GetItemID(2), (UINT)ID_INDICATOR_NUM);
    EXPECT_EQ(frame->m_wndStatusBar.GetItemID(3), (UINT)ID_INDICATOR_SCRL);
    EXPECT_EQ(frame->m_wndStatusBar.GetDlgCtrlID(), 0xE801);
    AfxIdleUpdate();
    EXPECT_EQ(frame->m_wndStatusBar.GetPaneText(0), CString("就绪"));
}

TEST_F(MainFrameTest, TheMainMenuIsMenu128)
{
    CMenu* pMenu = frame->GetMenu();
    ASSERT_NE(pMenu, nullptr);
    ASSERT_EQ(pMenu->GetMenuItemCount(), 4);
    CString text;
    pMenu->GetMenuString(0, text, MF_BYPOSITION);
    EXPECT_EQ(text, CString("文件(&F)"));
    pMenu->GetMenuString(3, text, MF_BYPOSITION);
    EXPECT_EQ(text, CString("帮助(&H)"));
    CMenu* pFile = pMenu->GetSubMenu(0);
    ASSERT_NE(pFile, nullptr);
    pFile->GetMenuString(5, text, MF_BYPOSITION);
    EXPECT_EQ(text, CString("从服务器打开…"));
    EXPECT_EQ(pFile->GetMenuItemID(5), 57601u);
    EXPECT_EQ(pFile->GetMenuItemID(1), 22009u);
    CMenu* pTools = pMenu->GetSubMenu(2);
    EXPECT_EQ(pTools->GetMenuItemID(0), 32793u);
    EXPECT_EQ(pMenu->GetSubMenu(3)->GetMenuItemID(0), 57664u);
}

TEST_F(MainFrameTest, TheProjectWindowsMenuNestsItsPopups)
{
    CMenu menu;
    ASSERT_TRUE(menu.Attach(::LoadMenu(AfxFindModule("Trellan"), MAKEINTRESOURCE(129))));
    ASSERT_EQ(menu.GetMenuItemCount(), 7);
    CMenu* pProject = menu.GetSubMenu(3);
    ASSERT_NE(pProject, nullptr);
    ASSERT_EQ(pProject->GetMenuItemCount(), 3);
    EXPECT_EQ(pProject->GetMenuItemID(1), 65535u);
    CMenu* pProperties = pProject->GetSubMenu(2);
    ASSERT_NE(pProperties, nullptr);
    EXPECT_EQ(pProperties->GetMenuItemCount(), 3);
    EXPECT_EQ(pProperties->GetMenuItemID(2), 22002u);
    CMenu* pEdit = menu.GetSubMenu(1);
    EXPECT_EQ(pEdit->GetSubMenu(4)->GetMenuItemID(4), 22029u);
    EXPECT_EQ(menu.GetSubMenu(6)->GetMenuItemID(0), 57664u);
    CMenu browser;
    ASSERT_TRUE(browser.Attach(::LoadMenu(AfxFindModule("Trellan"), MAKEINTRESOURCE(130))));
    EXPECT_EQ(browser.GetMenuItemCount(), 6);
    EXPECT_EQ(browser.GetSubMenu(2)->GetMenuItemID(0), 20025u);
}

TEST_F(MainFrameTest, CommandsWithoutAHandlerAreGreyWhileNoProjectIsOpen)
{
    AfxIdleUpdate();
    EXPECT_EQ(frame->m_wndToolBar.GetButtonStyle(0) & TBBS_DISABLED, 0u);  // new
    EXPECT_EQ(frame->m_wndToolBar.GetButtonStyle(1) & TBBS_DISABLED, 0u);  // open
    EXPECT_NE(frame->m_wndToolBar.GetButtonStyle(2) & TBBS_DISABLED, 0u);  // save
    EXPECT_EQ(frame->m_wndToolBar.GetButtonStyle(13) & TBBS_DISABLED, 0u); // about
    EXPECT_EQ(frame->m_wndViewToolBar.GetButtonStyle(3) & TBBS_DISABLED, 0u);  // documents
}

TEST_F(MainFrameTest, ControlOOpensFromTheServerThroughTheAccelerators)
{
    HACCEL hAccel = frame->GetDefaultAccelerator();
    ASSERT_NE(hAccel, nullptr);
    EXPECT_EQ(AfxFindAccelerator(hAccel, 'O', TRUE, FALSE, TRUE, FALSE), 57601);
    EXPECT_EQ(AfxFindAccelerator(hAccel, 'N', TRUE, FALSE, TRUE, FALSE), 57600);
    EXPECT_EQ(AfxFindAccelerator(hAccel, VK_INSERT, TRUE, TRUE, FALSE, FALSE), 57637);
    EXPECT_EQ(AfxFindAccelerator(hAccel, VK_BACK, TRUE, FALSE, FALSE, TRUE), 57643);
    EXPECT_EQ(AfxFindAccelerator(hAccel, VK_F6, TRUE, TRUE, FALSE, FALSE), 57681);
}

TEST_F(MainFrameTest, AStartShowsTheBarWithItsTextAndTakesTheMouse)
{
    StartProgress("正在装载");
    CProgressBar* pBar = frame->GetProgressBar();
    ASSERT_NE(pBar, nullptr);
    EXPECT_EQ(GetCapture(), frame->m_hWnd);
    EXPECT_EQ(pBar->GetMessage(), CString("正在装载"));
    int nLower = -1, nUpper = -1;
    pBar->GetRange(nLower, nUpper);
    EXPECT_EQ(nLower, 0);
    EXPECT_EQ(nUpper, 3000);
    EXPECT_EQ(pBar->GetPos(), 0);
    Advance(1);
    EXPECT_EQ(frame->m_wndStatusBar.GetPaneText(0), CString("正在装载"));
    AfxTestGrabWindow(frame, AfxTestOutputPath("trellan_progress.png"));
    frame->SendMessage(WM_PROGRESS_END, 0, 0);
}

TEST_F(MainFrameTest, OneHundredAdvancesFillTheBarAndTheEndRemovesIt)
{
    StartProgress("正在装载");
    CProgressBar* pBar = frame->GetProgressBar();
    ASSERT_NE(pBar, nullptr);
    Advance(99);
    EXPECT_EQ(pBar->GetPos(), 2970);
    Advance(1);
    EXPECT_EQ(pBar->GetPos(), 3000);
    frame->SendMessage(WM_PROGRESS_END, 0, 0);
    EXPECT_EQ(frame->GetProgressBar(), nullptr);
    EXPECT_EQ(frame->m_wndStatusBar.GetPaneText(0), CString("就绪"));
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(MainFrameTest, AdvancingPastTheEndStartsTheBarAgain)
{
    StartProgress("x");
    Advance(101);
    ASSERT_NE(frame->GetProgressBar(), nullptr);
    EXPECT_EQ(frame->GetProgressBar()->GetPos(), 30);  // 3,030 steps of one wrap to 30
    frame->SendMessage(WM_PROGRESS_END, 0, 0);
    EXPECT_EQ(frame->GetProgressBar(), nullptr);
}

TEST_F(MainFrameTest, ASecondStartKeepsTheFirstBarAndItsText)
{
    StartProgress("正在装载");
    CProgressBar* pFirst = frame->GetProgressBar();
    Advance(3);
    StartProgress("正在保存");
    EXPECT_EQ(frame->GetProgressBar(), pFirst);
    EXPECT_EQ(pFirst->GetMessage(), CString("正在装载"));
    EXPECT_EQ(pFirst->GetPos(), 90);
    frame->SendMessage(WM_PROGRESS_END, 0, 0);
    EXPECT_EQ(frame->GetProgressBar(), nullptr);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(MainFrameTest, AnEndWithoutAStartOnlyGivesTheMouseBack)
{
    frame->SetCapture();
    frame->SetMessageText("busy");
    frame->SendMessage(WM_PROGRESS_END, 0, 0);
    frame->SendMessage(WM_PROGRESS_END, 0, 0);
    EXPECT_EQ(frame->GetProgressBar(), nullptr);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(frame->m_wndStatusBar.GetPaneText(0), CString("busy"));
}

TEST_F(MainFrameTest, AnEmptyTextPutsTheBarAtThePanesLeftEdge)
{
    StartProgress("");
    CProgressBar* pBar = frame->GetProgressBar();
    ASSERT_NE(pBar, nullptr);
    CRect pane;
    frame->m_wndStatusBar.GetItemRect(0, &pane);
    EXPECT_EQ(pBar->GetPlacedRect().left, pane.left);
    // 40 per cent of the pane's width.
    EXPECT_EQ(pBar->GetPlacedRect().right, pane.right - pane.Width() * 60 / 100);
    frame->SendMessage(WM_PROGRESS_END, 0, 0);
}

TEST_F(MainFrameTest, TheBarTakesFortyPerCentOfTheWidthTheTextLeaves)
{
    StartProgress("正在装载项目");
    CProgressBar* pBar = frame->GetProgressBar();
    ASSERT_NE(pBar, nullptr);
    CRect pane;
    frame->m_wndStatusBar.GetItemRect(0, &pane);
    const CRect& rc = pBar->GetPlacedRect();
    // The bar starts right of the text and its margins and is 40 per cent of what is left.
    EXPECT_GT(rc.left, pane.left + 20);
    int nFree = pane.right - rc.left;
    EXPECT_EQ(rc.right, pane.right - nFree * 60 / 100);
    int d = pane.Height() / 10;
    EXPECT_EQ(rc.top, pane.top + d + 2);
    EXPECT_EQ(rc.bottom, pane.bottom - d - 2);
    CRect actual;
    pBar->GetWindowRect(&actual);
    frame->m_wndStatusBar.ScreenToClient(&actual);
    EXPECT_EQ(actual, rc);
    frame->SendMessage(WM_PROGRESS_END, 0, 0);
}

TEST_F(MainFrameTest, WithoutAStatusBarNoBarRemainsButTheMouseIsTakenAndGivenBack)
{
    frame->m_wndStatusBar.DestroyWindow();
    StartProgress("正在装载");
    EXPECT_EQ(frame->GetProgressBar(), nullptr);
    EXPECT_EQ(GetCapture(), frame->m_hWnd);
    Advance(5);
    frame->SendMessage(WM_PROGRESS_END, 0, 0);
    EXPECT_EQ(GetCapture(), nullptr);
}

// The main window with a project open shows the project's tasks: each of the first rows
// the task tree shows has text written right of its row number.
TEST_F(MainFrameTest, TheMainWindowWithAProjectOpenShowsItsTasks)
{
    std::string path = m_dir + "/shot.tlp";
    ProjectGeneratorOptions options;
    options.nTasks = 60;
    std::string error;
    ASSERT_TRUE(WriteGeneratedProjectFile(options, path, error)) << error;
    frame->OpenProjectFile(path.c_str());
    AfxPumpMessages();
    AfxIdleUpdate();
    AfxPumpMessages();
    CMDIChildWnd* pChild = frame->MDIGetActive();
    ASSERT_NE(pChild, nullptr);
    CDocument* pDoc = pChild->GetActiveDocument();
    ASSERT_NE(pDoc, nullptr);
    CTaskTreeView* pTree = nullptr;
    for (POSITION pos = pDoc->GetFirstViewPosition(); pos != nullptr && pTree == nullptr;)
        pTree = DYNAMIC_DOWNCAST(CTaskTreeView, pDoc->GetNextView(pos));
    ASSERT_NE(pTree, nullptr);
    const CString strPath = AfxTestOutputPath("trellan_main.png");
    ASSERT_TRUE(AfxTestGrabWindow(frame, strPath));
    const QImage shot(QString::fromLocal8Bit((LPCTSTR)strPath));
    ASSERT_FALSE(shot.isNull());
    CTaskGridAccess grid(pTree);
    CWnd* pGrid = pTree->GetTaskGrid();
    CRect rcMain, rcGrid;
    frame->GetWindowRect(&rcMain);
    pGrid->GetClientRect(&rcGrid);
    pGrid->ClientToScreen(&rcGrid);
    rcGrid.OffsetRect(-rcMain.TopLeft());
    // Dark pixels (text) of the picture in a band of the grid's rows, right of the row
    // numbers.
    auto ink = [&](int yTop, int yBottom) {
        int n = 0;
        for (int y = rcGrid.top + yTop + 1; y < std::min<int>(rcGrid.top + yBottom, shot.height()); ++y)
            for (int x = rcGrid.left + 60; x < std::min<int>(rcGrid.right, shot.width()); ++x) {
                const QRgb px = shot.pixel(x, y);
                n += qRed(px) < 100 && qGreen(px) < 100 && qBlue(px) < 100;
            }
        return n;
    };
    // The rows shown (folded ones have no height) from the top.
    int y = grid.GetRowHeight(0), nShown = 0;
    for (int nRow = 1; nRow < grid.GetRowCount() && nShown < 5; ++nRow) {
        const int h = grid.GetRowHeight(nRow);
        if (h <= 0)
            continue;
        ++nShown;
        EXPECT_GT(ink(y, y + h), 20) << nRow << " " << (LPCTSTR)grid.GetText(nRow, 2);
        y += h;
    }
    EXPECT_EQ(nShown, 5);
}

}  // namespace
