// The predecessor page: its grid, the rows built from the links, the checks and records of
// OK, the right-click menu and its two commands.
// The grid text-fit check, shared with the task grid's tests (the same grid sources).
#include "../../Orvesk/tests/GridTextFit.h"
#include "GridCellCombo.h"
#include "TaskPreTaskPage.h"
#include "TaskResource.h"

#include <ClassLib/Testing.h>
#include <ClassLib/Testing/MessageBoxes.h>

#include <gtest/gtest.h>

#include <functional>

namespace
{
// A sheet that hands menu commands to its active page, as the task property sheet does.
class CRoutingSheet : public CPropertySheet
{
public:
    explicit CRoutingSheet(LPCTSTR pszCaption) : CPropertySheet(pszCaption) {}
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override
    {
        CPropertyPage* pPage = GetActivePage();
        if (pPage && pPage->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
            return TRUE;
        return CPropertySheet::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    }
};

class PreTaskPageTest : public CWndTestBase
{
protected:
    CTaskPreTaskPage page;

    void SetUp() override
    {
        CWndTestBase::SetUp();
        AfxTestResetScripts();
        CStringArray types, names;
        CUIntArray ids;
        types.Add("FS(完成--开始)");
        types.Add("FF(完成--完成)");
        types.Add("SF(开始--完成)");
        types.Add("SS(开始--开始)");
        names.Add("Design");
        names.Add("Build");
        ids.Add(11);
        ids.Add(22);
        page.SetLists(types, names, ids);
    }

    static CTaskLink* Link(const char* name, int type, int lag, int logical = 0)
    {
        CTaskLink* p = new CTaskLink;
        p->m_strPredName = name;
        p->m_nType = type;
        p->m_nLag = lag;
        p->m_nLogicalType = logical;
        return p;
    }

    // Runs the page in a sheet; the body runs while it is shown.
    void Run(std::function<void()> body)
    {
        CRoutingSheet sheet("links");
        sheet.AddPage(&page);
        AfxTestPushModalScript([&](CWnd*) { body(); });
        sheet.DoModal();
    }

    static void DeleteAll(CObList& list)
    {
        POSITION pos = list.GetHeadPosition();
        while (pos)
            delete list.GetNext(pos);
        list.RemoveAll();
    }
};
} // namespace

TEST_F(PreTaskPageTest, BuildsTheGrid)
{
    CObList links;
    links.AddTail(Link("Build", 2, 3, 1));
    page.SetLinks(links);
    DeleteAll(links);
    Run([&] {
        CGridCtrl& grid = page.m_Grid;
        ASSERT_TRUE(grid.GetSafeHwnd());
        EXPECT_EQ(IDC_TASK_PRED_GRID, grid.GetDlgCtrlID());
        EXPECT_EQ(21, grid.GetRowCount());
        EXPECT_EQ(5, grid.GetColumnCount());
        EXPECT_EQ(1, grid.GetFixedRowCount());
        EXPECT_EQ(1, grid.GetFixedColumnCount());
        const int widths[] = {25, 150, 120, 80, 0};
        for (int col = 0; col < 5; col++)
            EXPECT_EQ(widths[col], grid.GetColumnWidth(col)) << col;
        EXPECT_STREQ("任务名称", grid.GetItemText(0, 1));
        EXPECT_STREQ("类型", grid.GetItemText(0, 2));
        EXPECT_STREQ("延隔时间", grid.GetItemText(0, 3));
        EXPECT_STREQ("关系", grid.GetItemText(0, 4));
        EXPECT_STREQ("Build", grid.GetItemText(1, 1));
        EXPECT_STREQ("FF(完成--完成)", grid.GetItemText(1, 2));
        EXPECT_STREQ("3", grid.GetItemText(1, 3));
        EXPECT_STREQ("1", grid.GetItemText(1, 4));
        CGridCellCombo* pNames = dynamic_cast<CGridCellCombo*>(grid.GetCell(20, 1));
        CGridCellCombo* pTypes = dynamic_cast<CGridCellCombo*>(grid.GetCell(1, 2));
        ASSERT_NE(nullptr, pNames);
        ASSERT_NE(nullptr, pTypes);
        EXPECT_EQ(nullptr, dynamic_cast<CGridCellCombo*>(grid.GetCell(1, 3)));
        EXPECT_EQ(1, page.m_bInitialised);
        // "" closes both option lists.
        EXPECT_EQ(3, page.m_arTaskNames.GetSize());
        EXPECT_STREQ("", page.m_arTaskNames[2]);
        EXPECT_EQ(5, page.m_arLinkTypes.GetSize());
        CRect rc;
        grid.GetWindowRect(&rc);
        page.ScreenToClient(&rc);
        EXPECT_GT(rc.Width(), 300);
        EXPECT_TRUE(grid.IsWindowVisible());
        AfxPumpMessages();
        AfxTestGrabWindow(page.GetParent(), AfxTestOutputPath("PreTaskPage.png"));
        AfxTestGrabWindow(&grid, AfxTestOutputPath("PreTaskGrid.png"));
    });
}

TEST_F(PreTaskPageTest, TextFitOfTheHeadingsAndEveryLinkType)
{
    CObList links;
    links.AddTail(Link("Design", 1, 0));
    links.AddTail(Link("Build", 2, 3));
    links.AddTail(Link("Design", 3, 12));
    links.AddTail(Link("Build", 4, 0));
    page.SetLinks(links);
    DeleteAll(links);
    Run([&] {
        CGridCtrl& grid = page.m_Grid;
        EXPECT_EQ(GridCutTexts(grid), "");
        // A type cell focused and its row selected.
        grid.SetFocusCell(4, 2);
        grid.SetSelectedRange(4, 1, 4, 3);
        EXPECT_EQ(GridCutTexts(grid), "");
    });
}

TEST_F(PreTaskPageTest, TwentyLinksFillTheRowsAndMoreAddRows)
{
    CObList links;
    for (int i = 0; i < 25; i++)
        links.AddTail(Link(i % 2 ? "Build" : "Design", 1, i));
    page.SetLinks(links);
    DeleteAll(links);
    Run([&] {
        CGridCtrl& grid = page.m_Grid;
        EXPECT_EQ(26, grid.GetRowCount());
        EXPECT_STREQ("24", grid.GetItemText(25, 3));
        EXPECT_NE(nullptr, dynamic_cast<CGridCellCombo*>(grid.GetCell(25, 1)));
        page.OnOK();
        EXPECT_EQ(1, page.m_bComplete);
    });
    EXPECT_EQ(25, page.m_lstLinks.GetCount());
}

TEST_F(PreTaskPageTest, OkBuildsTheRecords)
{
    Run([&] {
        CGridCtrl& grid = page.m_Grid;
        grid.OnEndEditCell(2, 1, "Build");
        grid.GetCell(2, 2)->SetText("SS(开始--开始)");
        grid.GetCell(2, 3)->SetText("5天");
        grid.GetCell(2, 4)->SetText("");
        page.OnOK();
    });
    EXPECT_EQ(1, page.m_bComplete);
    ASSERT_EQ(1, page.m_lstLinks.GetCount());
    CTaskLink* p = static_cast<CTaskLink*>(page.m_lstLinks.GetHead());
    EXPECT_STREQ("Build", p->m_strPredName);
    EXPECT_EQ(22, p->m_nPredID);
    EXPECT_EQ(4, p->m_nType);
    EXPECT_EQ(5, p->m_nLag);
    EXPECT_EQ(0, p->m_nLogicalType);
    EXPECT_EQ(0, p->m_nSequence);
    EXPECT_EQ(0, p->m_nSuccID);
}

TEST_F(PreTaskPageTest, ChoosingANameResetsTheRow)
{
    Run([&] {
        CGridCtrl& grid = page.m_Grid;
        grid.GetCell(4, 2)->SetText("SF(开始--完成)");
        grid.GetCell(4, 3)->SetText("9");
        grid.OnEndEditCell(4, 1, "Design");
        EXPECT_STREQ("FS(完成--开始)", grid.GetItemText(4, 2));
        EXPECT_STREQ("0", grid.GetItemText(4, 3));
        EXPECT_STREQ("0", grid.GetItemText(4, 4));
    });
}

TEST_F(PreTaskPageTest, PartlyFilledRowIsRefused)
{
    CTestMessageBoxes boxes;
    boxes.AnswerText("前置任务未填写完整!", IDOK);
    Run([&] {
        CGridCtrl& grid = page.m_Grid;
        grid.GetCell(1, 1)->SetText("Design");
        grid.GetCell(1, 2)->SetText("FS(完成--开始)");
        page.OnOK();
    });
    EXPECT_EQ(1, boxes.Count());
    EXPECT_EQ(0, page.m_bComplete);
    EXPECT_EQ(0, page.m_lstLinks.GetCount());
}

TEST_F(PreTaskPageTest, UnknownNameKeepsTheFormerRecords)
{
    CObList links;
    links.AddTail(Link("Design", 1, 2));
    page.SetLinks(links);
    DeleteAll(links);
    Run([&] {
        CGridCtrl& grid = page.m_Grid;
        grid.GetCell(2, 1)->SetText("Nobody");
        grid.GetCell(2, 2)->SetText("FS(完成--开始)");
        grid.GetCell(2, 3)->SetText("0");
        page.OnOK();
        EXPECT_EQ(0, page.m_bComplete);
    });
    ASSERT_EQ(1, page.m_lstLinks.GetCount());
    EXPECT_STREQ("Design", static_cast<CTaskLink*>(page.m_lstLinks.GetHead())->m_strPredName);
}

TEST_F(PreTaskPageTest, EmptyGridGivesNoLinks)
{
    CObList links;
    links.AddTail(Link("Design", 1, 2));
    page.SetLinks(links);
    DeleteAll(links);
    Run([&] {
        page.SendMessage(WM_COMMAND, ID_TASK_PRED_DELETE, 0);  // nothing selected: nothing happens
        page.m_Grid.SetSelectedRange(1, 1, 1, 1);
        page.SendMessage(WM_COMMAND, ID_TASK_PRED_DELETE, 0);
        page.OnOK();
    });
    EXPECT_EQ(1, page.m_bComplete);
    EXPECT_EQ(0, page.m_lstLinks.GetCount());
}

TEST_F(PreTaskPageTest, NeverBuiltPageIsComplete)
{
    page.OnOK();
    EXPECT_EQ(1, page.m_bComplete);
}

TEST_F(PreTaskPageTest, MenuDeletesAndAddsRows)
{
    Run([&] {
        CGridCtrl& grid = page.m_Grid;
        grid.GetCell(3, 1)->SetText("Design");
        grid.GetCell(3, 2)->SetText("FS(完成--开始)");
        grid.GetCell(3, 3)->SetText("1");
        grid.SetSelectedRange(3, 2, 3, 3);
        // The right click shows the "Grid" pop-up; 删除 is chosen.
        std::vector<CString> items;
        CWnd* pOwner = nullptr;
        AfxTestPushPopupMenuScript([&](CMenu* pMenu, UINT, CPoint, CWnd* pWnd) -> UINT {
            pOwner = pWnd;
            for (int i = 0; i < (int)pMenu->GetMenuItemCount(); i++)
            {
                CString str;
                pMenu->GetMenuString(i, str, MF_BYPOSITION);
                items.push_back(str);
            }
            return ID_TASK_PRED_DELETE;
        });
        NMHDR hdr = {grid.GetSafeHwnd(), (UINT_PTR)IDC_TASK_PRED_GRID, (UINT)NM_RCLICK};
        page.SendMessage(WM_NOTIFY, IDC_TASK_PRED_GRID, (LPARAM)&hdr);
        AfxPumpMessages();
        ASSERT_EQ(2u, items.size());
        EXPECT_STREQ("删除", items[0]);
        EXPECT_STREQ("增加", items[1]);
        EXPECT_EQ(page.GetParent(), pOwner);
        EXPECT_EQ(21, grid.GetRowCount());
        EXPECT_STREQ("", grid.GetItemText(3, 1));
        EXPECT_STREQ("", grid.GetItemText(3, 3));

        page.SendMessage(WM_COMMAND, ID_TASK_PRED_ADD, 0);
        EXPECT_EQ(22, grid.GetRowCount());
        EXPECT_STREQ("", grid.GetItemText(21, 0));
    });
}
