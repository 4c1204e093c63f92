// The resource window: the category tree, the resource grid's filling and its edits
// written into the project's members and the tasks' assignees, its row commands and
// popups; a screenshot of the window.
#include <gtest/gtest.h>

#include <ClassLib/Menus/CMenu.h>

#include "GridCell.h"
#include "GridItem.h"
#include "GridTextFit.h"
#include "ProjectDocIds.h"
#include "TaskTreeView.h"
#include "LumoResourceView.h"
#include "ResListView.h"
#include "ResTreeView.h"
#include "ResViewsResource.h"
#include "ViewsTestSupport.h"

#include <QImage>
#include <QString>

namespace {

tagResInfo Member(int nID, const char* pszCode, const char* pszName, int nType = 1)
{
    tagResInfo res;
    res.nID = nID;
    res.strCode = pszCode;
    res.strName = pszName;
    res.strDesc = CString(pszName) + "说明";
    res.strUnit = "天";
    res.nCost = 100 * nID;
    res.nType = nType;
    res.bIsAdmin = 0;
    res.bIsManager = 1;
    res.nActCost = 7;
    return res;
}

std::vector<CString> Assignees(const CTaskItem* pTask)
{
    std::vector<CString> v;
    for (INT_PTR i = 0; i < pTask->m_arrAssignees.GetSize(); ++i)
        v.push_back(pTask->m_arrAssignees[i]);
    return v;
}

class ResViewsTest : public ProjectWindowTest
{
protected:
    void SetUp() override
    {
        ProjectWindowTest::SetUp();
        AfxTestResetScripts();
    }

    // Opens a project with the members and three tasks (the second with a sub-task), then
    // its resource window.
    void OpenWith(const std::vector<tagResInfo>& members)
    {
        ASSERT_TRUE(Open([&](CProjectDoc& doc) {
            for (tagResInfo res : members)
                doc.m_ProjectInfo.m_listMembers.AddTail(res);
            CTaskItem* t1 = AddTask(doc.m_listTasks, "设计", Day(2004, 3, 1), Day(2004, 3, 5), 5);
            CTaskItem* t2 = AddTask(doc.m_listTasks, "施工", Day(2004, 3, 8), Day(2004, 3, 12), 5);
            CTaskItem* t3 = AddTask(doc.m_listTasks, "验收", Day(2004, 3, 15), Day(2004, 3, 19), 5);
            t1->m_arrAssignees.Add("A01");
            t1->m_arrAssignees.Add("B02");
            t2->m_arrAssignees.Add("A01");
            t3->m_arrAssignees.Add("C03");
            t3->m_arrAssignees.Add("a01");
            CTaskItem* pChild = new CTaskItem;
            pChild->m_strName = "基础";
            pChild->m_arrAssignees.Add("A01");
            t2->m_listChildren.AddTail(pChild);
        }));
        // The document's resource-view command.
        m_pDoc->OnCmdMsg(ID_RES_VIEW, CN_COMMAND, NULL, NULL);
        AfxPumpMessages();
        POSITION pos = m_pDoc->GetFirstViewPosition();
        while (pos != NULL) {
            CView* pView = m_pDoc->GetNextView(pos);
            if (pView->IsKindOf(RUNTIME_CLASS(CResListView)))
                m_pList = static_cast<CResListView*>(pView);
            if (pView->IsKindOf(RUNTIME_CLASS(CResTreeView)))
                m_pResTree = static_cast<CResTreeView*>(pView);
            if (pView->IsKindOf(RUNTIME_CLASS(CLumoResourceView)))
                m_pContainer = static_cast<CLumoResourceView*>(pView);
        }
        ASSERT_NE(m_pList, nullptr);
        ASSERT_NE(m_pResTree, nullptr);
        ASSERT_NE(m_pContainer, nullptr);
    }

    void TearDown() override
    {
        // The resource window's frame goes with the project.
        if (m_pDoc != nullptr && m_pContainer != nullptr && m_pContainer->GetParentFrame() != (CFrameWnd*)m_pFrame)
            m_pContainer->GetParentFrame()->DestroyWindow();
        ProjectWindowTest::TearDown();
    }

    CResGridCtrl& GridCtl() { return m_pList->m_Grid; }
    CResInfoList& Members() { return m_pDoc->m_ProjectInfo.m_listMembers; }
    CTaskItem* Task(int n)
    {
        return m_pDoc->m_listTasks.GetAt(m_pDoc->m_listTasks.FindIndex(n));
    }
    const tagResInfo* MemberByCode(const char* pszCode)
    {
        for (POSITION pos = Members().GetHeadPosition(); pos != NULL;) {
            const tagResInfo& res = Members().GetNext(pos);
            if (res.strCode == pszCode)
                return &res;
        }
        return nullptr;
    }

    // The end of an edit as the cell editor reports it to the grid.
    void EndEdit(int nRow, int nCol, const char* pszText)
    {
        GridDispInfo info;
        info.hdr.hwndFrom = NULL;
        info.hdr.idFrom = IDC_GRID_INPLACE_CONTROL;
        info.hdr.code = (UINT)GRIDN_ENDLABELEDIT;
        info.item.mask = GRIDITEM_TEXT | GRIDITEM_DATA;
        info.item.row = nRow;
        info.item.col = nCol;
        info.item.szText = pszText;
        info.item.lParam = 0;
        GridCtl().SendMessage(WM_NOTIFY, IDC_GRID_INPLACE_CONTROL, (LPARAM)&info);
    }

    CResListView* m_pList = nullptr;
    CResTreeView* m_pResTree = nullptr;
    CLumoResourceView* m_pContainer = nullptr;
};

std::vector<tagResInfo> ThreeMembers()
{
    return {Member(1, "A01", "张三"), Member(2, "B02", "李四", 2), Member(3, "C03", "王五", 3)};
}

TEST_F(ResViewsTest, ThreeMembersFillThreeRowsAndTwentySevenEmptyOnes)
{
    OpenWith(ThreeMembers());
    CResGridCtrl& grid = GridCtl();
    EXPECT_EQ(grid.GetDlgCtrlID(), 24004);
    EXPECT_EQ(grid.GetRowCount(), 31);
    EXPECT_EQ(grid.GetColumnCount(), 6);
    EXPECT_EQ(grid.GetFixedRowCount(), 1);
    EXPECT_EQ(grid.GetFixedColumnCount(), 1);
    EXPECT_FALSE(grid.IsTaskGrid());
    EXPECT_TRUE(grid.IsEditable());
    const char* const headings[] = {"", "代号", "名称", "描述", "单位", "费用"};
    for (int nCol = 0; nCol < 6; ++nCol)
        EXPECT_EQ(grid.GetItemText(0, nCol), CString(headings[nCol])) << nCol;
    EXPECT_EQ(grid.GetRowHeight(0), 27);
    EXPECT_EQ(grid.GetRowHeight(1), 23);
    EXPECT_EQ(grid.GetColumnWidth(0), 30);
    EXPECT_EQ(grid.GetColumnWidth(3), 150);
    EXPECT_EQ(grid.GetItemText(2, 1), CString("B02"));
    EXPECT_EQ(grid.GetItemText(2, 2), CString("李四"));
    EXPECT_EQ(grid.GetItemText(2, 3), CString("李四说明"));
    EXPECT_EQ(grid.GetItemText(2, 4), CString("天"));
    EXPECT_EQ(grid.GetItemText(2, 5), CString("200"));
    EXPECT_EQ(grid.GetItemText(4, 1), CString(""));
    EXPECT_EQ(grid.GetItemText(30, 1), CString(""));
}

TEST_F(ResViewsTest, TextFitOfTheHeadingsRowNumbersAndMembers)
{
    OpenWith(ThreeMembers());
    CResGridCtrl& grid = GridCtl();
    EXPECT_EQ(GridCutTexts(grid), "");
    // A member's row selected, its name focused.
    grid.SetFocusCell(2, 2);
    grid.SetSelectedRange(2, 1, 2, 5);
    EXPECT_EQ(GridCutTexts(grid), "");
}

TEST_F(ResViewsTest, FortyMembersShowFortyRows)
{
    std::vector<tagResInfo> members;
    for (int i = 1; i <= 40; ++i) {
        CString strCode;
        strCode.Format("R%02d", i);
        members.push_back(Member(i, strCode, "人"));
    }
    OpenWith(members);
    EXPECT_EQ(GridCtl().GetRowCount(), 41);
    EXPECT_EQ(GridCtl().GetItemText(40, 1), CString("R40"));
}

TEST_F(ResViewsTest, TheContainerSplitsTreeAndListAndTheTreeListsTheKinds)
{
    OpenWith(ThreeMembers());
    EXPECT_EQ(m_pContainer->m_wndSplitter.GetRegName(), CString("LumoResourceView"));
    EXPECT_EQ(m_pContainer->m_wndSplitter.GetPane(0, 0), m_pResTree);
    EXPECT_EQ(m_pContainer->m_wndSplitter.GetPane(0, 1), m_pList);
    CTreeCtrl& tree = m_pResTree->GetTreeCtrl();
    HTREEITEM hRoot = tree.GetRootItem();
    ASSERT_NE(hRoot, nullptr);
    EXPECT_EQ(tree.GetItemText(hRoot), CString("项目资源"));
    std::vector<CString> kinds;
    for (HTREEITEM h = tree.GetChildItem(hRoot); h != NULL; h = tree.GetNextSiblingItem(h))
        kinds.push_back(tree.GetItemText(h));
    EXPECT_EQ(kinds, (std::vector<CString>{"人力", "设备", "材料", "其他"}));
    EXPECT_TRUE(tree.GetItemState(hRoot, TVIS_EXPANDED) & TVIS_EXPANDED);
    EXPECT_EQ(tree.GetStyle() & 0x827, 0x827u);
}

TEST_F(ResViewsTest, RenamingACodeRenamesItInEveryTaskAndNowhereElse)
{
    OpenWith(ThreeMembers());
    EndEdit(1, 1, "X01");
    EXPECT_EQ(GridCtl().GetItemText(1, 1), CString("X01"));
    ASSERT_EQ(Members().GetCount(), 3);
    const tagResInfo* pRenamed = MemberByCode("X01");
    ASSERT_NE(pRenamed, nullptr);
    EXPECT_EQ(pRenamed->strName, CString("张三"));
    EXPECT_EQ(pRenamed->nCost, 100);
    // The member keeps what the grid does not show.
    EXPECT_EQ(pRenamed->nID, 1);
    EXPECT_EQ(pRenamed->nActCost, 7);
    EXPECT_EQ(MemberByCode("A01"), nullptr);
    EXPECT_EQ(*MemberByCode("B02"), Member(2, "B02", "李四", 2));
    EXPECT_EQ(Assignees(Task(0)), (std::vector<CString>{"X01", "B02"}));
    EXPECT_EQ(Assignees(Task(1)), (std::vector<CString>{"X01"}));
    EXPECT_EQ(Assignees(Task(1)->m_listChildren.GetHead()), (std::vector<CString>{"X01"}));
    // Another case is another code in the tasks.
    EXPECT_EQ(Assignees(Task(2)), (std::vector<CString>{"C03", "a01"}));
}

TEST_F(ResViewsTest, DeletingARowThenEditingTheNextEditsTheRightMember)
{
    OpenWith(ThreeMembers());
    GridCtl().SetFocusCell(1, 2);
    GridCtl().SendMessage(WM_COMMAND, ID_RES_DELETE_ROW, 0);
    EXPECT_EQ(GridCtl().GetRowCount(), 30);
    EXPECT_EQ(GridCtl().GetItemText(1, 1), CString("B02"));
    EXPECT_EQ(MemberByCode("A01"), nullptr);
    EXPECT_EQ(Assignees(Task(0)), (std::vector<CString>{"B02"}));
    EXPECT_TRUE(Assignees(Task(1)).empty());
    EXPECT_TRUE(Assignees(Task(1)->m_listChildren.GetHead()).empty());

    // Row 2 is now C03; B02 (id 2) must stay as it is.
    EndEdit(2, 1, "Z09");
    ASSERT_EQ(Members().GetCount(), 2);
    EXPECT_EQ(*MemberByCode("B02"), Member(2, "B02", "李四", 2));
    ASSERT_NE(MemberByCode("Z09"), nullptr);
    EXPECT_EQ(MemberByCode("Z09")->strName, CString("王五"));
    EXPECT_EQ(Assignees(Task(0)), (std::vector<CString>{"B02"}));
    EXPECT_EQ(Assignees(Task(2)), (std::vector<CString>{"Z09", "a01"}));

    EndEdit(2, 2, "赵六");
    EXPECT_EQ(MemberByCode("Z09")->strName, CString("赵六"));
    EXPECT_EQ(MemberByCode("B02")->strName, CString("李四"));
}

TEST_F(ResViewsTest, ACodeInAnotherCaseIsADuplicate)
{
    OpenWith(ThreeMembers());
    CTestMessageBoxes boxes;
    boxes.AnswerText("代号不能重复!", IDOK);
    EndEdit(4, 1, "b02");
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_EQ(boxes.Boxes()[0].text, CString("代号不能重复!"));
    EXPECT_EQ(boxes.Boxes()[0].caption, CString("系统提示"));
    EXPECT_EQ(boxes.Boxes()[0].type & MB_ICONMASK, (UINT)MB_ICONINFORMATION);
    EXPECT_EQ(GridCtl().GetItemText(4, 1), CString("b021"));
    // The new row's member is made from the row alone.
    ASSERT_EQ(Members().GetCount(), 4);
    const tagResInfo& added = Members().GetTail();
    EXPECT_EQ(added.strCode, CString("b021"));
    EXPECT_EQ(added.strName, CString(""));
    EXPECT_EQ(added.nID, 4);
    EXPECT_EQ(added.nType, 1);
    EXPECT_EQ(added.bIsAdmin, 1);
    EXPECT_EQ(added.bIsManager, 0);
    EXPECT_EQ(added.nActCost, 0);
}

TEST_F(ResViewsTest, DoubleByteCodesDifferingOnlyInATrailByteCaseAreNotDuplicates)
{
    // 0x81 0x41 and 0x81 0x61: two characters whose second bytes look like 'A' and 'a'.
    EXPECT_FALSE(CResGridCtrl::SameCode("\x81\x41", "\x81\x61"));
    EXPECT_TRUE(CResGridCtrl::SameCode("\x81\x41x", "\x81\x41X"));
    EXPECT_TRUE(CResGridCtrl::SameCode("abC", "ABc"));
    EXPECT_FALSE(CResGridCtrl::SameCode("ab", "abc"));
    EXPECT_FALSE(CResGridCtrl::SameCode("a[", "A{"));

    OpenWith({Member(1, "\x81\x41", "甲")});
    CTestMessageBoxes boxes;
    EndEdit(2, 1, "\x81\x61");
    EXPECT_EQ(boxes.Count(), 0);
    EXPECT_EQ(GridCtl().GetItemText(2, 1), CString("\x81\x61"));
    EXPECT_EQ(Members().GetCount(), 2);
}

TEST_F(ResViewsTest, ClearingACodeAsksForItAndLeavesTheMembers)
{
    OpenWith(ThreeMembers());
    CTestMessageBoxes boxes;
    boxes.AnswerText("请填写完整，否则，此行资源将不做保存! ", IDOK);
    EndEdit(2, 1, "");
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_EQ(boxes.Boxes()[0].caption, CString("系统提示"));
    ASSERT_EQ(Members().GetCount(), 3);
    EXPECT_EQ(*MemberByCode("B02"), Member(2, "B02", "李四", 2));
    EXPECT_EQ(Assignees(Task(0)), (std::vector<CString>{"A01", "B02"}));
}

TEST_F(ResViewsTest, OtherColumnsChangeOnlyTheirField)
{
    OpenWith(ThreeMembers());
    EndEdit(3, 3, "新说明");
    EndEdit(3, 4, "小时");
    EndEdit(3, 5, "950");
    tagResInfo expected = Member(3, "C03", "王五", 3);
    expected.strDesc = "新说明";
    expected.strUnit = "小时";
    expected.nCost = 950;
    EXPECT_EQ(*MemberByCode("C03"), expected);
    EXPECT_EQ(Members().GetCount(), 3);
}

TEST_F(ResViewsTest, AnEditOfARowWhoseMemberIsGoneMakesTheMemberFromTheRow)
{
    OpenWith(ThreeMembers());
    // The member of row 2 removed behind the grid's back.
    Members().RemoveAt(Members().FindIndex(1));
    EndEdit(2, 2, "新名");
    ASSERT_EQ(Members().GetCount(), 3);
    const tagResInfo& made = Members().GetTail();
    EXPECT_EQ(made.strCode, CString("B02"));
    EXPECT_EQ(made.strName, CString("新名"));
    EXPECT_EQ(made.strDesc, CString("李四说明"));
    EXPECT_EQ(made.strUnit, CString("天"));
    EXPECT_EQ(made.nCost, 200);
    EXPECT_EQ(made.nType, 1);
    EXPECT_EQ(made.nID, 2);
    EXPECT_EQ(made.nActCost, 0);
    // The last member looked at (C03) lent nothing.
    EXPECT_EQ(*MemberByCode("C03"), Member(3, "C03", "王五", 3));
}

TEST_F(ResViewsTest, AddRowAndThePopups)
{
    OpenWith(ThreeMembers());
    AfxTestPushPopupMenuResult(ID_RES_ADD_ROW);
    CRect rc;
    GridCtl().GetClientRect(&rc);
    GridCtl().SendMessage(WM_RBUTTONUP, 0, MAKELPARAM(60, 40));
    AfxPumpMessages();
    ASSERT_FALSE(AfxTestPopupLog().empty());
    EXPECT_EQ(AfxTestPopupLog().back().items, (std::vector<CString>{"增加一行", "删除一行"}));
    EXPECT_EQ(GridCtl().GetRowCount(), 32);

    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_GRID_CONTEXTMENU));
    CString strText;
    menu.GetMenuString(RES_POPUP_TREEVIEW, strText, MF_BYPOSITION);
    EXPECT_EQ(strText, CString("TreeView"));
    menu.GetMenuString(RES_POPUP_RESGRIDVIEW, strText, MF_BYPOSITION);
    EXPECT_EQ(strText, CString("ResGridView"));
    menu.GetMenuString(4, strText, MF_BYPOSITION);
    EXPECT_EQ(strText, CString("GanttBar"));
    CMenu* pTree = menu.GetSubMenu(RES_POPUP_TREEVIEW);
    ASSERT_NE(pTree, nullptr);
    EXPECT_EQ(pTree->GetMenuItemCount(), 2u);
    CMenu* pImport = pTree->GetSubMenu(0);
    ASSERT_NE(pImport, nullptr);
    EXPECT_EQ(pImport->GetMenuItemID(0), 22019u);
    EXPECT_EQ(pImport->GetMenuItemID(2), 22021u);
    EXPECT_EQ(pTree->GetMenuItemID(1), 22018u);
}

TEST_F(ResViewsTest, UpdatesFromOtherViewsRefillTheGrid)
{
    OpenWith(ThreeMembers());
    tagResInfo added = Member(4, "D04", "钱七");
    Members().AddTail(added);
    m_pDoc->UpdateAllViews(m_pResTree, 0, NULL);
    EXPECT_EQ(GridCtl().GetItemText(4, 1), CString(""));
    m_pDoc->UpdateAllViews((CView*)Tree(), 0, NULL);
    EXPECT_EQ(GridCtl().GetItemText(4, 1), CString("D04"));
    EXPECT_EQ(GridCtl().GetRowCount(), 31);
    EXPECT_EQ(GridCtl().GetItemText(0, 1), CString("代号"));
}

// The window with the first kind chosen: the grid shows a row of text per member of that
// kind and nothing in the rows below them.
TEST_F(ResViewsTest, TheWindowShowsOneRowOfTextPerMemberOfTheChosenKind)
{
    m_pMainFrame->MoveWindow(0, 0, 1000, 600);
    OpenWith(ThreeMembers());
    m_pContainer->GetParentFrame()->ShowWindow(SW_MAXIMIZE);
    AfxPumpMessages();
    m_pResTree->GetTreeCtrl().SelectItem(m_pResTree->GetTreeCtrl().GetChildItem(m_pResTree->GetTreeCtrl().GetRootItem()));
    m_pMainFrame->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    AfxPumpMessages();
    const CString strPath = AfxTestOutputPath("resource-window.png");
    ASSERT_TRUE(AfxTestGrabWindow(m_pMainFrame, strPath));
    const QImage shot(QString::fromLocal8Bit((LPCTSTR)strPath));
    ASSERT_FALSE(shot.isNull());
    CResGridCtrl& grid = GridCtl();
    CRect rcMain;
    m_pMainFrame->GetWindowRect(&rcMain);
    // Dark pixels (text) of the picture within a cell of the grid.
    auto ink = [&](int nRow, int nCol) {
        CRect rc;
        if (!grid.GetCellRect(nRow, nCol, &rc))
            return -1;
        rc.DeflateRect(1, 1);
        grid.ClientToScreen(&rc);
        rc.OffsetRect(-rcMain.TopLeft());
        int n = 0;
        for (int y = rc.top; y < rc.bottom; ++y)
            for (int x = rc.left; x < rc.right; ++x) {
                const QRgb px = shot.pixel(x, y);
                n += qRed(px) < 100 && qGreen(px) < 100 && qBlue(px) < 100;
            }
        return n;
    };
    ASSERT_GE(grid.GetRowCount(), 5);
    for (int nRow = 1; nRow <= 3; ++nRow)
        for (int nCol = 1; nCol <= 5; ++nCol)
            EXPECT_GT(ink(nRow, nCol), 5) << nRow << "," << nCol << " " << (LPCTSTR)grid.GetItemText(nRow, nCol);
    for (int nCol = 1; nCol <= 5; ++nCol)
        EXPECT_EQ(ink(4, nCol), 0) << nCol;
}

} // namespace

namespace {

TEST_F(ResViewsTest, ARightClickOnAKindSelectsItAndShowsTheTreePopupDisabled)
{
    OpenWith(ThreeMembers());
    CTreeCtrl& tree = m_pResTree->GetTreeCtrl();
    HTREEITEM hEquipment = tree.GetNextSiblingItem(tree.GetChildItem(tree.GetRootItem()));
    ASSERT_NE(hEquipment, nullptr);
    CRect rcLabel;
    ASSERT_TRUE(tree.GetItemRect(hEquipment, &rcLabel, TRUE));
    CPoint pt = rcLabel.CenterPoint();
    tree.ClientToScreen(&pt);
    AfxTestSetCursorPos(pt);

    std::vector<UINT> states;
    AfxTestPushPopupMenuScript([&](CMenu* pMenu, UINT, CPoint, CWnd*) -> UINT {
        states.push_back(pMenu->GetMenuState(ID_RES_ADD_TYPE, MF_BYCOMMAND));
        states.push_back(pMenu->GetMenuState(0, MF_BYPOSITION));
        return 0;
    });
    NMHDR hdr = {};
    hdr.hwndFrom = tree.GetSafeHwnd();
    hdr.idFrom = tree.GetDlgCtrlID();
    hdr.code = (UINT)NM_RCLICK;
    // The tree reports the right click to its view.
    m_pResTree->SendMessage(WM_NOTIFY, hdr.idFrom, (LPARAM)&hdr);
    AfxPumpMessages();
    EXPECT_EQ(tree.GetSelectedItem(), hEquipment);
    ASSERT_FALSE(AfxTestPopupLog().empty());
    EXPECT_EQ(AfxTestPopupLog().back().items, (std::vector<CString>{"导入资源>", "增加资源类型"}));
    ASSERT_EQ(states.size(), 2u);
    // The frame's command update greys the command nobody handles (the import submenu's
    // commands are updated when the submenu opens).
    EXPECT_TRUE(states[0] & MF_GRAYED);
    // Nobody along the frame's command route handles the four commands.
    CFrameWnd* pFrame = m_pResTree->GetParentFrame();
    for (UINT nID : {ID_RES_ADD_TYPE, ID_RES_IMPORT_PROJECT, ID_RES_IMPORT_DICTIONARY, ID_RES_IMPORT_DATABASE})
        EXPECT_FALSE(pFrame->OnCmdMsg(nID, CN_COMMAND, NULL, NULL)) << nID;

    // Away from the items nothing shows.
    const size_t nShown = AfxTestPopupLog().size();
    CRect rcClient;
    tree.GetClientRect(&rcClient);
    CPoint ptEmpty(rcClient.right - 5, rcClient.bottom - 5);
    tree.ClientToScreen(&ptEmpty);
    AfxTestSetCursorPos(ptEmpty);
    m_pResTree->SendMessage(WM_NOTIFY, hdr.idFrom, (LPARAM)&hdr);
    AfxPumpMessages();
    EXPECT_EQ(AfxTestPopupLog().size(), nShown);
}

} // namespace

namespace {

// A code typed into the cell editor and ended with Enter reaches the member list.
TEST_F(ResViewsTest, ACodeTypedInTheCellEditorRenamesTheMember)
{
    OpenWith(ThreeMembers());
    CResGridCtrl& grid = GridCtl();
    AfxTestFocus(&grid);
    grid.SetFocusCell(2, 1);
    AfxTestKey(&grid, VK_F2);
    CGridCell* pCell = dynamic_cast<CGridCell*>(grid.GetCell(2, 1));
    ASSERT_NE(pCell, nullptr);
    CWnd* pEdit = pCell->GetEditWindow();
    ASSERT_NE(pEdit, nullptr);
    pEdit->SetWindowText("Q77");
    AfxTestKey(pEdit, VK_RETURN);
    AfxPumpMessages();
    EXPECT_EQ(grid.GetItemText(2, 1), CString("Q77"));
    EXPECT_NE(MemberByCode("Q77"), nullptr);
    EXPECT_EQ(MemberByCode("B02"), nullptr);
    EXPECT_EQ(Assignees(Task(0)), (std::vector<CString>{"A01", "Q77"}));
}

} // namespace
