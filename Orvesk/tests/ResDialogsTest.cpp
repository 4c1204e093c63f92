// The resource dialog, the tree-state dialog (alone and run by the document on a
// three-level task tree) and the chart's format dialog with its picture control;
// screenshots of the three dialogs.
#include <gtest/gtest.h>

#include <ClassLib/Testing.h>

#include "ExpandSetDlg.h"
#include "GanttStyleDlg.h"
#include "ProjResPage.h"
#include "ProjectDialogHooks.h"
#include "ProjectDocIds.h"
#include "ProjectGenerator.h"
#include "ResDlg.h"
#include "ResViewsResource.h"
#include "ViewsTestSupport.h"

namespace {

tagResInfo Res(int nID, const char* pszName, int nType)
{
    tagResInfo res;
    res.nID = nID;
    res.strCode.Format("R%d", nID);
    res.strName = pszName;
    res.strDesc = CString(pszName) + "的说明";
    res.nType = nType;
    return res;
}

CString TextOf(CWnd* pDlg, int nID)
{
    CString str;
    pDlg->GetDlgItemText(nID, str);
    return str;
}

void Click(CWnd* pDlg, int nID)
{
    pDlg->SendMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), (LPARAM)pDlg->GetDlgItem(nID)->GetSafeHwnd());
}

class ResDialogsTest : public CWndTestBase
{
protected:
    void SetUp() override
    {
        CWndTestBase::SetUp();
        AfxTestResetScripts();
    }
};

CResInfoList& Offered()
{
    static CResInfoList list(10);
    list.RemoveAll();
    tagResInfo r1 = Res(5, "张工", 1), r2 = Res(6, "吊车", 2), r3 = Res(7, "水泥", 3), r4 = Res(8, "杂项", 4);
    list.AddTail(r1);
    list.AddTail(r2);
    list.AddTail(r3);
    list.AddTail(r4);
    return list;
}

TEST_F(ResDialogsTest, TheResourceDialogListsTheOfferedRecords)
{
    CResDlg dlg;
    dlg.SetResourceList(Offered());
    AfxTestPushModalScript([&](CWnd* pWnd) {
        CResDlg* p = static_cast<CResDlg*>(pWnd);
        CListCtrl& list = p->m_listRes;
        ASSERT_EQ(list.GetItemCount(), 4);
        EXPECT_EQ(list.GetItemText(0, 0), CString("张工"));
        EXPECT_EQ(list.GetItemText(0, 1), CString("张工的说明"));
        EXPECT_EQ(list.GetItemText(0, 2), CString("人员"));
        EXPECT_EQ(list.GetItemText(1, 2), CString("设备"));
        EXPECT_EQ(list.GetItemText(2, 2), CString("材料"));
        // Type 4 has no type text and no picture.
        EXPECT_EQ(list.GetItemText(3, 2), CString(""));
        LVITEM item = {};
        item.mask = LVIF_IMAGE;
        item.iItem = 1;
        list.GetItem(&item);
        EXPECT_EQ(item.iImage, 1);
        EXPECT_EQ((int)list.GetItemData(2), 7);
        EXPECT_EQ(list.GetExtendedStyle() & 0x520, 0x520u);
        CHeaderCtrl* pHeader = list.GetHeaderCtrl();
        ASSERT_NE(pHeader, nullptr);
        EXPECT_EQ(pHeader->GetItemCount(), 3);
        EXPECT_EQ(list.GetColumnWidth(0), 80);
        EXPECT_EQ(list.GetColumnWidth(1), 150);
        CString strCaption;
        p->GetWindowText(strCaption);
        EXPECT_EQ(strCaption, CString("资源管理"));
        EXPECT_EQ(TextOf(p, IDC_RES_DLG_ADD), CString("增加"));

        // OK with nothing chosen keeps the dialog open.
        Click(p, IDOK);
        EXPECT_TRUE(::IsWindow(p->GetSafeHwnd()));
        EXPECT_TRUE(p->IsWindowVisible());

        // Two typed names join the list with -1 and -2; an empty edit adds nothing.
        p->SetDlgItemText(IDC_RES_DLG_EDIT, "新人");
        Click(p, IDC_RES_DLG_ADD);
        EXPECT_EQ(TextOf(p, IDC_RES_DLG_EDIT), CString(""));
        Click(p, IDC_RES_DLG_ADD);
        p->SetDlgItemText(IDC_RES_DLG_EDIT, "又一人");
        Click(p, IDC_RES_DLG_ADD);
        ASSERT_EQ(list.GetItemCount(), 6);
        EXPECT_EQ((int)list.GetItemData(4), -1);
        EXPECT_EQ((int)list.GetItemData(5), -2);
        EXPECT_EQ(list.GetItemText(4, 0), CString("新人"));

        list.SetItemState(2, LVIS_SELECTED, LVIS_SELECTED);
        list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
        list.SetItemState(4, LVIS_SELECTED, LVIS_SELECTED);
        EXPECT_TRUE(AfxTestGrabWindow(p, AfxTestOutputPath("resource-dialog.png")));
        Click(p, IDOK);
    });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    CResInfoList chosen;
    tagResInfo stale = Res(99, "旧", 1);
    chosen.AddTail(stale);
    dlg.GetResourceList(chosen);
    ASSERT_EQ(chosen.GetCount(), 2);
    // In list order; the typed name is not among them.
    EXPECT_EQ(chosen.GetHead(), Res(5, "张工", 1));
    EXPECT_EQ(chosen.GetTail(), Res(7, "水泥", 3));
}

TEST_F(ResDialogsTest, TheResourcePagePicksThroughTheResourceDialog)
{
    // The dialog is the picker the library installed when it was loaded.
    ProjResourcePicker picker = ProjSetResourcePicker(nullptr);
    ASSERT_TRUE((bool)picker);
    ProjSetResourcePicker(picker);
    AfxTestPushModalScript([](CWnd* pWnd) {
        CResDlg* p = dynamic_cast<CResDlg*>(pWnd);
        ASSERT_NE(p, nullptr);
        p->m_listRes.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
        Click(p, IDOK);
    });
    CResInfoList chosen;
    EXPECT_EQ(picker(Offered(), chosen), IDOK);
    ASSERT_EQ(chosen.GetCount(), 1);
    EXPECT_EQ(chosen.GetHead().strName, CString("吊车"));
    ASSERT_FALSE(AfxTestModalLog().empty());
    EXPECT_EQ(AfxTestModalLog().back().nIDTemplate, (UINT)IDD_RES_DLG);
}

TEST_F(ResDialogsTest, ExpandAllIgnoresTheLevelText)
{
    AfxTestPushModalScript([](CWnd* p) {
        EXPECT_EQ(p->IsDlgButtonChecked(IDC_EXPAND_LEVELS), (UINT)BST_CHECKED);
        EXPECT_EQ(TextOf(p, IDC_EXPAND_LEVEL_EDIT), CString("2"));
        EXPECT_TRUE(p->GetDlgItem(IDC_EXPAND_LEVEL_EDIT)->IsWindowEnabled());
        CString strCaption;
        p->GetWindowText(strCaption);
        EXPECT_EQ(strCaption, CString("任务树状态设定"));
        EXPECT_TRUE(AfxTestGrabWindow(p, AfxTestOutputPath("expand-dialog.png")));
        p->SetDlgItemText(IDC_EXPAND_LEVEL_EDIT, "abc");
        p->CheckDlgButton(IDC_EXPAND_LEVELS, BST_UNCHECKED);
        p->CheckDlgButton(IDC_EXPAND_ALL, BST_CHECKED);
        Click(p, IDC_EXPAND_ALL);
        EXPECT_FALSE(p->GetDlgItem(IDC_EXPAND_LEVEL_EDIT)->IsWindowEnabled());
        Click(p, IDOK);
    });
    CExpandSetDlg dlg;
    ASSERT_EQ(dlg.DoModal(), IDOK);
    int nMode = 0, nLevels = 0;
    dlg.GetResult(nMode, nLevels);
    EXPECT_EQ(nMode, 1);
    EXPECT_EQ(nLevels, 2);

    AfxTestPushModalScript([](CWnd* p) {
        Click(p, IDC_EXPAND_COLLAPSE_ALL);
        EXPECT_FALSE(p->GetDlgItem(IDC_EXPAND_LEVEL_EDIT)->IsWindowEnabled());
        Click(p, IDOK);
    });
    CExpandSetDlg dlg2;
    ASSERT_EQ(dlg2.DoModal(), IDOK);
    dlg2.GetResult(nMode, nLevels);
    EXPECT_EQ(nMode, 2);
}

TEST_F(ResDialogsTest, ALevelWithALetterIsRefusedAndElevenFailsTheRangeCheck)
{
    CTestMessageBoxes boxes;
    boxes.AnswerText("请输入层数: 1-10", IDOK);
    boxes.AnswerText("请输入层数: 1-10", IDOK);
    boxes.AnswerText("between 1 and 10", IDOK);
    AfxTestPushModalScript([&](CWnd* p) {
        p->SetDlgItemText(IDC_EXPAND_LEVEL_EDIT, "3a");
        Click(p, IDOK);
        EXPECT_TRUE(::IsWindow(p->GetSafeHwnd()));
        p->SetDlgItemText(IDC_EXPAND_LEVEL_EDIT, "");
        Click(p, IDOK);
        EXPECT_TRUE(::IsWindow(p->GetSafeHwnd()));
        p->SetDlgItemText(IDC_EXPAND_LEVEL_EDIT, "11");
        Click(p, IDOK);
        EXPECT_TRUE(::IsWindow(p->GetSafeHwnd()));
        p->SetDlgItemText(IDC_EXPAND_LEVEL_EDIT, "4");
        Click(p, IDOK);
    });
    CExpandSetDlg dlg;
    ASSERT_EQ(dlg.DoModal(), IDOK);
    ASSERT_EQ(boxes.Count(), 3);
    EXPECT_EQ(boxes.Boxes()[0].caption, CString("提示"));
    EXPECT_EQ(boxes.Boxes()[0].type & MB_ICONMASK, (UINT)MB_ICONINFORMATION);
    int nMode = 0, nLevels = 0;
    dlg.GetResult(nMode, nLevels);
    EXPECT_EQ(nMode, 3);
    EXPECT_EQ(nLevels, 4);
}

TEST_F(ResDialogsTest, TheFormatDialogShowsThePictureOfTheStyle)
{
    CGanttStyleDlg dlg;
    dlg.SetStyle(2);
    AfxTestPushModalScript([](CWnd* pWnd) {
        CGanttStyleDlg* p = static_cast<CGanttStyleDlg*>(pWnd);
        CString strCaption;
        p->GetWindowText(strCaption);
        EXPECT_EQ(strCaption, CString("格式设置"));
        EXPECT_EQ(p->m_picStyle.GetBitmapId(), IDB_GANTT_STYLE_TASK_RESOURCE);
        ASSERT_EQ(p->m_comboStyle.GetCount(), 3);
        const int nSel = p->m_comboStyle.GetCurSel();
        ASSERT_GE(nSel, 0);
        CString strText;
        p->m_comboStyle.GetLBText(nSel, strText);
        EXPECT_EQ(strText, CString("3.任务名(资源)"));
        p->m_comboStyle.GetLBText(0, strText);
        EXPECT_EQ(strText, CString("1.资源"));
        EXPECT_TRUE(AfxTestGrabWindow(p, AfxTestOutputPath("format-dialog.png")));

        p->m_comboStyle.SetCurSel(1);
        p->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_GANTT_STYLE_COMBO, CBN_SELCHANGE),
                       (LPARAM)p->m_comboStyle.GetSafeHwnd());
        EXPECT_EQ(p->m_picStyle.GetBitmapId(), IDB_GANTT_STYLE_TASK);
        Click(p, IDOK);
    });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.GetStyle(), 1);

    // Cancel leaves the style as it was given.
    CGanttStyleDlg dlg2;
    dlg2.SetStyle(0);
    AfxTestPushModalScript([](CWnd* pWnd) {
        CGanttStyleDlg* p = static_cast<CGanttStyleDlg*>(pWnd);
        EXPECT_EQ(p->m_picStyle.GetBitmapId(), IDB_GANTT_STYLE_RESOURCE);
        p->m_comboStyle.SetCurSel(2);
    });
    EXPECT_EQ(dlg2.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg2.GetStyle(), 0);
}

TEST_F(ResDialogsTest, ThePictureControlTilesItsBitmap)
{
    CFrameWnd* pFrame = new CFrameWnd;
    ASSERT_TRUE(pFrame->Create(NULL, "pic", WS_OVERLAPPEDWINDOW, CRect(0, 0, 400, 200)));
    CPicStatic pic;
    ASSERT_TRUE(pic.Create("", WS_CHILD | WS_VISIBLE | SS_OWNERDRAW, CRect(0, 0, 300, 120), pFrame, 23043));
    pic.SetBitmapId(IDB_GANTT_STYLE_RESOURCE);
    EXPECT_EQ(pic.GetBitmapId(), IDB_GANTT_STYLE_RESOURCE);
    pFrame->ShowWindow(SW_SHOW);
    pFrame->UpdateWindow();
    AfxPumpMessages();
    EXPECT_TRUE(AfxTestGrabWindow(&pic, AfxTestOutputPath("picture-control.png")));
    pFrame->DestroyWindow();
}

// The document's tree-state command through the dialog on a three-level task tree.
class ExpandOnTreeTest : public ProjectWindowTest
{
};

TEST_F(ExpandOnTreeTest, TheThreeChoicesAppliedToAThreeLevelTree)
{
    AfxTestResetScripts();
    ASSERT_TRUE(Open([](CProjectDoc& doc) {
        ProjectGeneratorOptions options;
        options.nTasks = 12;
        GenerateProject(doc, options);
    }));
    CTaskGridAccess grid = Grid();
    int nRows = 0;
    bool bLevels[4] = {};
    for (int row = 1; grid.GetTask(row) != nullptr; ++row, ++nRows)
        if (grid.GetLevel(row) >= 1 && grid.GetLevel(row) <= 3)
            bLevels[grid.GetLevel(row)] = true;
    ASSERT_TRUE(bLevels[1] && bLevels[2] && bLevels[3]);

    auto run = [&](int nButton, const char* pszLevels) {
        AfxTestPushModalScript([=](CWnd* p) {
            Click(p, nButton);
            if (pszLevels)
                p->SetDlgItemText(IDC_EXPAND_LEVEL_EDIT, pszLevels);
            Click(p, IDOK);
        });
        m_pDoc->OnCmdMsg(ID_EXPAND_HIDE, CN_COMMAND, NULL, NULL);
        AfxPumpMessages();
    };
    auto shown = [&](int nLevel) {
        int n = 0;
        for (int row = 1; row <= nRows; ++row)
            if (grid.GetLevel(row) == nLevel && grid.GetRowHeight(row) > 0)
                ++n;
        return n;
    };
    auto count = [&](int nLevel) {
        int n = 0;
        for (int row = 1; row <= nRows; ++row)
            if (grid.GetLevel(row) == nLevel)
                ++n;
        return n;
    };

    run(IDC_EXPAND_ALL, nullptr);
    EXPECT_EQ(shown(1), count(1));
    EXPECT_EQ(shown(2), count(2));
    EXPECT_EQ(shown(3), count(3));

    run(IDC_EXPAND_COLLAPSE_ALL, nullptr);
    EXPECT_EQ(shown(1), count(1));
    EXPECT_EQ(shown(2), 0);
    EXPECT_EQ(shown(3), 0);

    run(IDC_EXPAND_LEVELS, "2");
    EXPECT_EQ(shown(1), count(1));
    EXPECT_EQ(shown(2), count(2));
    EXPECT_EQ(shown(3), 0);
}

} // namespace

#include "Gantt_src/GanttStyleRunner.h"

TEST_F(ResDialogsTest, TheChartsFormatCommandRunsTheFormatDialog)
{
    // The runner the library installs at load, run as the chart's format command runs it.
    AfxTestPushModalScript([](CWnd* pWnd) {
        CGanttStyleDlg* p = dynamic_cast<CGanttStyleDlg*>(pWnd);
        ASSERT_NE(p, nullptr);
        p->m_comboStyle.SetCurSel(1);
        p->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_GANTT_STYLE_COMBO, CBN_SELCHANGE),
                       (LPARAM)p->m_comboStyle.GetSafeHwnd());
        Click(p, IDOK);
    });
    int nStyle = 2;
    EXPECT_EQ(GanttRunStyleDlg(nStyle), IDOK);
    EXPECT_EQ(nStyle, 1);
}
