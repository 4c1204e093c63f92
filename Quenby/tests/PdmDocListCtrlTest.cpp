// The document list over a scripted store: filling, the extension icon cache, the list
// styles and their announcements, double clicks, the context menu and its resources.
#include "BrowserTestSupport.h"

namespace {

class PdmDocListTest : public DocListTest
{
protected:
    void SetUp() override
    {
        DocListTest::SetUp();
        pdm.AddNode(20, 0, 21, 1, "A");
        pdm.AddNode(20, 0, 21, 2, "B");
        pdm.AddDocument(21, 1, 101, 7, "plan.doc");
        pdm.AddDocument(21, 1, 101, 8, "notes.doc");
        pdm.AddDocument(21, 1, 102, 9, "readme");
        pdm.AddDocument(21, 1, 101, 10, "table.XLS");
        pdm.AddDocument(21, 2, 101, 20, "other.DOC");
        pdm.AddDocument(21, 2, 101, 21, "b.txt");
        pdm.AddClass(21, 101, "Word");
        list.Init(1, 3);
    }
    std::vector<std::string> Rows()
    {
        std::vector<std::string> rows;
        for (int i = 0; i < list.GetItemCount(); i++)
            rows.push_back((LPCTSTR)list.GetItemText(i, 0));
        return rows;
    }
    int Image(int nItem)
    {
        LVITEM item = {};
        item.mask = LVIF_IMAGE;
        item.iItem = nItem;
        list.GetItem(&item);
        return item.iImage;
    }
};

TEST_F(PdmDocListTest, InitSetsColumnsStylesAndImageLists)
{
    ASSERT_EQ(list.GetColumnCount(), 4);
    const char* names[] = {u8"文件名", u8"大小", u8"类型", u8"修改时间"};
    const int widths[] = {120, 60, 80, 100};
    const int formats[] = {LVCFMT_LEFT, LVCFMT_RIGHT, LVCFMT_LEFT, LVCFMT_LEFT};
    for (int i = 0; i < 4; i++) {
        char text[64] = {};
        LVCOLUMN col = {};
        col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        col.pszText = text;
        col.cchTextMax = sizeof text;
        ASSERT_TRUE(list.GetColumn(i, &col));
        EXPECT_EQ(CString(text), Gbk(names[i])) << i;
        EXPECT_EQ(col.cx, widths[i]) << i;
        EXPECT_EQ(col.fmt & LVCFMT_JUSTIFYMASK, formats[i]) << i;
    }
    DWORD dwStyle = list.GetStyle();
    EXPECT_EQ(dwStyle & LVS_TYPEMASK, (DWORD)LVS_REPORT);
    EXPECT_TRUE(dwStyle & LVS_SINGLESEL);
    EXPECT_TRUE(dwStyle & LVS_SHOWSELALWAYS);
    EXPECT_TRUE(dwStyle & LVS_AUTOARRANGE);
    EXPECT_TRUE(dwStyle & WS_CLIPCHILDREN);
    EXPECT_EQ(list.GetImageList(LVSIL_NORMAL), &list.m_imageLarge);
    EXPECT_EQ(list.GetImageList(LVSIL_SMALL), &list.m_imageSmall);
    EXPECT_EQ(list.GetListStyle(), 3);
}

TEST_F(PdmDocListTest, AFillListsTheDocumentsInTheStoresOrderWithTheirPairs)
{
    ASSERT_TRUE(list.LoadData(21, 1));
    EXPECT_EQ(Rows(), (std::vector<std::string>{"plan.doc", "notes.doc", "readme", "table.XLS"}));
    UINT c = 0, o = 0;
    ASSERT_TRUE(list.GetItemInfo(2, c, o));
    EXPECT_EQ(c, 102u);
    EXPECT_EQ(o, 9u);
    c = o = 5;
    EXPECT_FALSE(list.GetItemInfo(4, c, o));
    EXPECT_EQ(c, 0u);
    EXPECT_EQ(o, 0u);
    EXPECT_FALSE(list.GetItemInfo(-1, c, o));
    EXPECT_EQ(list.GetItemText(0, 1), CString(""));
    // Browse-only: the document classes are not asked for.
    for (const std::string& call : pdm.Calls())
        EXPECT_EQ(call.find("LoadClasses"), std::string::npos);
    EXPECT_EQ(list.m_arrClassId.GetSize(), 0);
}

TEST_F(PdmDocListTest, OneIconPerExtensionSharedAcrossFillsTheEmptyOneIncluded)
{
    CTestShellCalls shell;
    ASSERT_TRUE(list.LoadData(21, 1));
    // .doc twice, no extension, .XLS: three entries, two shell questions each.
    ASSERT_EQ(list.m_arrExt.GetSize(), 3);
    EXPECT_EQ(list.m_arrExt[0], CString(".doc"));
    EXPECT_EQ(list.m_arrExt[1], CString(""));
    EXPECT_EQ(list.m_arrExt[2], CString(".XLS"));
    EXPECT_EQ(Image(0), 0);
    EXPECT_EQ(Image(1), 0);
    EXPECT_EQ(Image(2), 1);
    EXPECT_EQ(Image(3), 2);
    EXPECT_EQ(list.m_imageLarge.GetImageCount(), 3);
    EXPECT_EQ(list.m_imageSmall.GetImageCount(), 3);
    auto asked = shell.CallsOf(AfxShellCallRecord::getFileInfo);
    ASSERT_GE(asked.size(), 6u);
    EXPECT_EQ(asked[0].strFile, CString(".doc"));
    EXPECT_EQ(asked[0].dwFileAttributes, (DWORD)FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(asked[0].uFlags, (UINT)(SHGFI_USEFILEATTRIBUTES | SHGFI_ICON | SHGFI_TYPENAME | SHGFI_DISPLAYNAME |
                                      SHGFI_SMALLICON));
    EXPECT_EQ(asked[1].uFlags, (UINT)(SHGFI_USEFILEATTRIBUTES | SHGFI_ICON | SHGFI_TYPENAME | SHGFI_DISPLAYNAME |
                                      SHGFI_LARGEICON));
    // Another folder: .DOC is .doc (extensions compared without regard to case); only .txt
    // is new.
    shell.Clear();
    ASSERT_TRUE(list.LoadData(21, 2));
    EXPECT_EQ(Image(0), 0);
    EXPECT_EQ(Image(1), 3);
    EXPECT_EQ(list.m_arrExt.GetSize(), 4);
    EXPECT_EQ(list.m_imageSmall.GetImageCount(), 4);
    auto again = shell.CallsOf(AfxShellCallRecord::getFileInfo);
    ASSERT_EQ(again.size(), 2u);
    EXPECT_EQ(again[0].strFile, CString(".txt"));
    // The first folder again: nothing new to ask.
    shell.Clear();
    ASSERT_TRUE(list.LoadData(21, 1));
    EXPECT_EQ(shell.Count(), 0);
    EXPECT_EQ(Image(3), 2);
}

TEST_F(PdmDocListTest, AFolderThatCannotBeListedIsEmpty)
{
    ASSERT_TRUE(list.LoadData(21, 1));
    pdm.FailCall("LoadDocuments", E_FAIL, 1);
    EXPECT_FALSE(list.LoadData(21, 2));
    EXPECT_EQ(list.GetItemCount(), 0);
    EXPECT_EQ(list.m_listPair.GetCount(), 0);
    EXPECT_EQ(list.m_nClassId, 21u);
    EXPECT_EQ(list.m_nObjectId, 2u);
}

TEST_F(PdmDocListTest, NoDocumentComponentLeavesTheListAsItWas)
{
    ASSERT_TRUE(list.LoadData(21, 1));
    CPdmCreateFailureScope fail(PDM_FAIL_DOCLIST);
    EXPECT_FALSE(list.LoadData(21, 2));
    EXPECT_EQ(list.GetItemCount(), 4);
    EXPECT_EQ(list.m_nObjectId, 1u);
}

TEST_F(PdmDocListTest, NoFolderEmptiesTheListWithoutAskingTheStore)
{
    ASSERT_TRUE(list.LoadData(21, 1));
    pdm.ClearCalls();
    CPdmCreateFailureScope fail(PDM_FAIL_DOCLIST);
    EXPECT_FALSE(list.LoadData(0, 0));
    EXPECT_EQ(list.GetItemCount(), 0);
    EXPECT_TRUE(pdm.Calls().empty());
}

TEST_F(PdmDocListTest, TheSelectedRowDoesNotSurviveARefill)
{
    ASSERT_TRUE(list.LoadData(21, 1));
    list.SetItemState(3, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    EXPECT_EQ(list.m_nSelItem, 3);
    ASSERT_TRUE(list.LoadData(21, 2));
    EXPECT_EQ(list.m_nSelItem, -1);
    // Nothing is downloaded for a row of the folder shown before.
    size_t nModal = AfxTestModalLog().size();
    EXPECT_FALSE(list.OpenDoc());
    EXPECT_EQ(AfxTestModalLog().size(), nModal);
}

TEST_F(PdmDocListTest, OnlyASelectedAndFocusedRowBecomesTheSelectedRow)
{
    ASSERT_TRUE(list.LoadData(21, 1));
    list.SetItemState(1, LVIS_FOCUSED, LVIS_FOCUSED);
    EXPECT_EQ(list.m_nSelItem, -1);
    list.SetItemState(2, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    EXPECT_EQ(list.m_nSelItem, 2);
}

TEST_F(PdmDocListTest, StylesChangeOnceAndAreAnnouncedOnce)
{
    ASSERT_TRUE(list.LoadData(21, 1));
    EXPECT_FALSE(list.ViewReport());
    EXPECT_TRUE(list.ViewIcon());
    EXPECT_EQ(list.GetStyle() & LVS_TYPEMASK, (DWORD)LVS_ICON);
    EXPECT_EQ(list.GetListStyle(), 0);
    EXPECT_FALSE(list.ViewIcon());
    EXPECT_TRUE(list.ViewSmall());
    EXPECT_EQ(list.GetStyle() & LVS_TYPEMASK, (DWORD)LVS_SMALLICON);
    EXPECT_TRUE(list.ViewList());
    EXPECT_EQ(list.GetListStyle(), 2);
    EXPECT_TRUE(parent.messages.empty());

    // The commands announce a change, and only a change.
    list.SendMessage(WM_COMMAND, ID_DOCLIST_REPORT, 0);
    list.SendMessage(WM_COMMAND, ID_DOCLIST_REPORT, 0);
    list.SendMessage(WM_COMMAND, ID_DOCLIST_ICON, 0);
    ASSERT_EQ(parent.messages.size(), 2u);
    EXPECT_EQ(parent.messages[0].message, (UINT)WM_PDMDOC_VIEWCHANGE);
    EXPECT_EQ(parent.messages[0].wParam, 3u);
    EXPECT_EQ(parent.messages[0].lParam, 0);
    EXPECT_EQ(parent.messages[1].wParam, 0u);
    EXPECT_TRUE(list.GetStyle() & WS_CLIPSIBLINGS);
}

TEST_F(PdmDocListTest, ADoubleClickOnARowTellsTheParentADoubleClickBelowTheRowsDoesNothing)
{
    ASSERT_TRUE(list.LoadData(21, 1));
    AfxTestDoubleClick(&list, RowPoint(2));
    AfxPumpMessages();
    ASSERT_EQ(parent.messages.size(), 1u);
    EXPECT_EQ(parent.messages[0].message, (UINT)WM_PDMDOC_DBLCLK);
    EXPECT_EQ(parent.messages[0].wParam, 102u);
    EXPECT_EQ(parent.messages[0].lParam, 9);
    EXPECT_EQ(list.m_nSelItem, 2);
    parent.messages.clear();
    AfxTestDoubleClick(&list, CPoint(300, 360));
    AfxPumpMessages();
    EXPECT_TRUE(parent.messages.empty());
}

// What the script saw of the popup: the states of its items by position.
struct MenuSeen
{
    std::vector<UINT> states;        // of the top level
    std::vector<UINT> viewStates;    // of 查看
    std::vector<UINT> newStates;     // of 新建
    bool shown = false;
};

AfxPopupMenuScript Look(MenuSeen* pSeen)
{
    return [pSeen](CMenu* pMenu, UINT, CPoint, CWnd*) -> UINT {
        pSeen->shown = true;
        for (UINT i = 0; i < pMenu->GetMenuItemCount(); i++)
            pSeen->states.push_back(pMenu->GetMenuState(i, MF_BYPOSITION));
        if (CMenu* pView = pMenu->GetSubMenu(0))
            for (UINT i = 0; i < pView->GetMenuItemCount(); i++)
                pSeen->viewStates.push_back(pView->GetMenuState(i, MF_BYPOSITION));
        if (CMenu* pNew = pMenu->GetSubMenu(3))
            for (UINT i = 0; i < pNew->GetMenuItemCount(); i++)
                pSeen->newStates.push_back(pNew->GetMenuState(i, MF_BYPOSITION));
        return 0;
    };
}

TEST_F(PdmDocListTest, TheContextMenuAsGivenOnARow)
{
    ASSERT_TRUE(list.LoadData(21, 1));
    list.ViewSmall();
    MenuSeen seen;
    AfxTestPushPopupMenuScript(Look(&seen));
    AfxTestClick(&list, RowPoint(1), AFX_TEST_RIGHT);
    AfxPumpMessages();
    ASSERT_TRUE(seen.shown);
    ASSERT_FALSE(AfxTestPopupLog().empty());
    const AfxPopupRecord& shown = AfxTestPopupLog().back();
    std::vector<CString> want = {Gbk(u8"查看(&V)>"), "-", Gbk(u8"打开(&O)"), Gbk(u8"新建(&N)>"), Gbk(u8"上传(&U)"),
                                 "-", Gbk(u8"工作流(&F)"), Gbk(u8"热链接(&L)"), Gbk(u8"权限(&P)"), "-",
                                 Gbk(u8"属性(&R)")};
    EXPECT_EQ(shown.items, want);
    EXPECT_TRUE(shown.nFlags & TPM_LEFTALIGN || shown.nFlags == 0);
    ASSERT_EQ(seen.states.size(), 11u);
    EXPECT_FALSE(seen.states[2] & MF_GRAYED);  // 打开: a row is under the cursor
    EXPECT_TRUE(seen.states[3] & MF_GRAYED);   // 新建: browse-only
    for (int i : {4, 6, 7, 8, 10})
        EXPECT_TRUE(seen.states[i] & MF_GRAYED) << i;
    ASSERT_EQ(seen.viewStates.size(), 4u);
    for (int i = 0; i < 4; i++)
        EXPECT_EQ((seen.viewStates[i] & MF_CHECKED) != 0, i == 1) << i;
}

TEST_F(PdmDocListTest, TheContextMenuBelowTheRowsHasOpenGrey)
{
    ASSERT_TRUE(list.LoadData(21, 1));
    MenuSeen seen;
    AfxTestPushPopupMenuScript(Look(&seen));
    AfxTestClick(&list, CPoint(300, 360), AFX_TEST_RIGHT);
    AfxPumpMessages();
    ASSERT_TRUE(seen.shown);
    EXPECT_TRUE(seen.states[2] & MF_GRAYED);
    EXPECT_TRUE(seen.viewStates[3] & MF_CHECKED);
}

TEST_F(PdmDocListTest, NoContextMenuWithoutAFolder)
{
    size_t nShown = AfxTestPopupLog().size();
    AfxTestClick(&list, CPoint(300, 360), AFX_TEST_RIGHT);
    AfxPumpMessages();
    EXPECT_EQ(AfxTestPopupLog().size(), nShown);
}

TEST_F(PdmDocListTest, TheMenusStyleCommandsReachTheList)
{
    ASSERT_TRUE(list.LoadData(21, 1));
    AfxTestPushPopupMenuResult(ID_DOCLIST_LIST);
    AfxTestClick(&list, RowPoint(0), AFX_TEST_RIGHT);
    AfxPumpMessages();
    EXPECT_EQ(list.GetListStyle(), 2);
    ASSERT_EQ(parent.messages.size(), 1u);
    EXPECT_EQ(parent.messages[0].message, (UINT)WM_PDMDOC_VIEWCHANGE);
    EXPECT_EQ(parent.messages[0].wParam, 2u);
}

// A program whose menu 104 is something else: the list still shows its own.
const AFX_MENU_ITEM kProgramMenuItems[] = {
    {MF_POPUP | MF_END, 0, "Program"},
    {MF_STRING | MF_END, 1, "Program item"},
};
const AFX_MENU_TEMPLATE kProgramMenu = {kProgramMenuItems, 2};

TEST_F(PdmDocListTest, TheMenuIsTheLibrarysOwnWhateverTheProgramHas)
{
    HINSTANCE hProgram = AfxRegisterModule("DocListTestProgram");
    AfxRegisterResource(hProgram, RT_MENU, IDR_PDMDOCLIST_MENU, &kProgramMenu);
    HINSTANCE hOld = AfxGetInstanceHandle();
    AfxSetInstanceHandle(hProgram);
    ASSERT_TRUE(list.LoadData(21, 1));
    AfxTestPushPopupMenuResult(0);
    AfxTestClick(&list, RowPoint(0), AFX_TEST_RIGHT);
    AfxPumpMessages();
    // The program's resources are searched first again afterwards.
    EXPECT_EQ(AfxGetResourceHandle(), hProgram);
    AfxSetInstanceHandle(hOld);
    ASSERT_FALSE(AfxTestPopupLog().empty());
    ASSERT_FALSE(AfxTestPopupLog().back().items.empty());
    EXPECT_EQ(AfxTestPopupLog().back().items[0], Gbk(u8"查看(&V)>"));
}

// Outside browse-only mode the classes are loaded and 新建 ▸ 文档 is offered.
TEST_F(PdmDocListTest, OutsideBrowseOnlyTheClassesAreLoadedAndNewDocumentIsOffered)
{
    list.Init(0, 3);
    pdm.AddClass(21, 0, "no id");
    pdm.AddClass(21, 103, "");
    pdm.AddClass(21, 104, "Drawing");
    ASSERT_TRUE(list.LoadData(21, 1));
    ASSERT_EQ(list.m_arrClassId.GetSize(), 2);
    EXPECT_EQ(list.m_arrClassId[0], 101u);
    EXPECT_EQ(list.m_arrClassName[1], CString("Drawing"));
    MenuSeen seen;
    AfxTestPushPopupMenuScript(Look(&seen));
    AfxTestClick(&list, RowPoint(0), AFX_TEST_RIGHT);
    AfxPumpMessages();
    ASSERT_EQ(seen.states.size(), 11u);
    EXPECT_FALSE(seen.states[3] & MF_GRAYED);
    ASSERT_EQ(seen.newStates.size(), 2u);
    EXPECT_TRUE(seen.newStates[0] & MF_GRAYED);   // 文件夹
    EXPECT_FALSE(seen.newStates[1] & MF_GRAYED);  // 文档
    // A folder of a class without document classes: 文档 grey.
    pdm.AddDocument(22, 5, 101, 30, "x.doc");
    ASSERT_TRUE(list.LoadData(22, 5));
    EXPECT_EQ(list.m_arrClassId.GetSize(), 0);
    MenuSeen seen2;
    AfxTestPushPopupMenuScript(Look(&seen2));
    AfxTestClick(&list, RowPoint(0), AFX_TEST_RIGHT);
    AfxPumpMessages();
    ASSERT_EQ(seen2.newStates.size(), 2u);
    EXPECT_TRUE(seen2.newStates[1] & MF_GRAYED);
}

}  // namespace
