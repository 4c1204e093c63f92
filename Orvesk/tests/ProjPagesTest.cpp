// The resource and permission pages: their rows, the permission toggle by a click (also
// after a sort and for repeated codes), the column layout kept in the profile, and the
// records handed back.
#include <ClassLib/Testing.h>
#include <gtest/gtest.h>

#include <QImage>

#include "ProjDialogsResource.h"
#include "ProjResPage.h"
#include "ProjRolePage.h"
#include "ProjSheet.h"

namespace {

tagResInfo Resource(int nID, const char* pszCode, const char* pszName, const char* pszDesc, int nType)
{
    tagResInfo res;
    res.nID = nID;
    res.strCode = pszCode;
    res.strName = pszName;
    res.strDesc = pszDesc;
    res.nType = nType;
    return res;
}

tagPermInfo Permission(const char* pszCode, const char* pszName, int nOpen, int nPublish, int nDelete = 0,
                       int nModify = 0, int nLook = 0, int nForum = 0)
{
    tagPermInfo perm;
    perm.strCode = pszCode;
    perm.strName = pszName;
    perm.nOpenProj = nOpen;
    perm.nPublishProj = nPublish;
    perm.nDeleteProj = nDelete;
    perm.nModifyProgress = nModify;
    perm.nLookProgress = nLook;
    perm.nForum = nForum;
    return perm;
}

template <class List, class Record>
void Append(List& list, Record record)
{
    list.AddTail(record);
}

int ImageOf(CListCtrl& list, int nRow, int nCol = 0)
{
    LVITEM item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = nRow;
    item.iSubItem = nCol;
    list.GetItem(&item);
    return item.iImage;
}

// The window as shown, through a screenshot in the test output folder.
QImage Shown(CWnd& wnd, const char* pszName)
{
    const CString strPath = AfxTestOutputPath(pszName);
    EXPECT_TRUE(AfxTestGrabWindow(&wnd, strPath));
    return QImage(QString::fromLocal8Bit((LPCTSTR)strPath));
}

int Count(const QImage& img, COLORREF cr)
{
    const QRgb rgb = qRgb(GetRValue(cr), GetGValue(cr), GetBValue(cr));
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            n += (img.pixel(x, y) & 0xFFFFFFu) == (rgb & 0xFFFFFFu);
    return n;
}

class ProjPagesTest : public CWndTestBase
{
protected:
    void SetUp() override
    {
        CWndTestBase::SetUp();
        AfxTestResetScripts();
        app = new CWinApp("Trellan");
        app->SetRegistryKey("Local AppWizard-Generated Applications");
    }
    void TearDown() override
    {
        delete app;
        CWndTestBase::TearDown();
    }
    CWinApp* app = nullptr;
};

// The buttons' pictures lie on the button face: their light grey background is not drawn.
TEST_F(ProjPagesTest, TheResourceButtonsDrawTheirPicturesWithoutTheirBackground)
{
    const INT nFace = COLOR_BTNFACE;
    const COLORREF crFace = RGB(224, 232, 244);
    ASSERT_TRUE(SetSysColors(1, &nFace, &crFace));
    CResInfoList members;
    Append(members, Resource(4, "u1", "张三", "设计师", 1));
    CProjSheet sheet("项目信息", 1);
    sheet.m_pResPage->SetResourceLists(members, members, 1);
    QImage add, remove;
    AfxTestPushModalScript([&](CWnd* pWnd) {
        static_cast<CPropertySheet*>(pWnd)->SetActivePage(1);
        AfxPumpMessages();
        add = Shown(sheet.m_pResPage->m_btnAdd, "proj-res-add-button.png");
        remove = Shown(sheet.m_pResPage->m_btnRemove, "proj-res-remove-button.png");
        AfxTestGrabWindow(pWnd, AfxTestOutputPath("proj-sheet-resources.png"));
    });
    sheet.DoModal();
    for (const QImage* pImg : {&add, &remove}) {
        ASSERT_FALSE(pImg->isNull());
        EXPECT_EQ(Count(*pImg, RGB(192, 192, 192)), 0);
        EXPECT_GT(Count(*pImg, crFace), pImg->width() * pImg->height() / 2);
    }
    // The pictures themselves are there: the page's outline and the cross.
    EXPECT_GT(Count(add, RGB(40, 40, 40)) + Count(add, RGB(128, 128, 128)), 20);
    EXPECT_GT(Count(remove, RGB(210, 30, 30)) + Count(remove, RGB(128, 128, 128)), 20);
}

TEST_F(ProjPagesTest, TheResourcePageListsNamesOrCodesWithTypes)
{
    CResInfoList members;
    Append(members, Resource(4, "u1", "张三", "设计师", 1));
    Append(members, Resource(0, "m1", "", "吊车", 2));
    Append(members, Resource(0, "s1", "钢材", "", 3));
    Append(members, Resource(9, "x1", "其他", "", 4));
    for (int nKind : {1, 2}) {
        CProjSheet sheet("项目信息", nKind);
        sheet.m_pResPage->SetResourceLists(members, members, nKind == 1 ? 1 : 0);
        std::vector<CString> names, descs, types;
        std::vector<int> images;
        std::vector<DWORD_PTR> ids;
        BOOL bAdd = TRUE, bRemove = TRUE;
        AfxTestPushModalScript([&](CWnd* pWnd) {
            CPropertySheet* pPs = static_cast<CPropertySheet*>(pWnd);
            if (nKind == 1)
                pPs->SetActivePage(1);
            else {
                sheet.m_pBaseProp->SetDlgItemText(IDC_PROJ_NAME, "a");
                sheet.m_pBaseProp->SetDlgItemText(IDC_PROJ_GOAL, "b");
                sheet.m_pBaseProp->SetDlgItemText(IDC_PROJ_BUDGET, "1");
                pPs->PressButton(PSBTN_NEXT);
            }
            CListCtrl& list = sheet.m_pResPage->m_listRes;
            for (int i = 0; i < list.GetItemCount(); ++i) {
                names.push_back(list.GetItemText(i, 0));
                descs.push_back(list.GetItemText(i, 1));
                types.push_back(list.GetItemText(i, 2));
                images.push_back(ImageOf(list, i));
                ids.push_back(list.GetItemData(i));
            }
            EXPECT_EQ(list.GetColumnWidth(0), 80);
            EXPECT_EQ(list.GetColumnWidth(1), 150);
            EXPECT_EQ(list.GetColumnWidth(2), 80);
            EXPECT_EQ(list.GetExtendedStyle() & 0x520u, 0x520u);
            bAdd = sheet.m_pResPage->m_btnAdd.IsWindowEnabled();
            bRemove = sheet.m_pResPage->m_btnRemove.IsWindowEnabled();
            EXPECT_EQ(sheet.m_pResPage->m_btnAdd.GetTooltipText(), CString("增加资源"));
            EXPECT_EQ(sheet.m_pResPage->m_btnRemove.GetTooltipText(), CString("删除资源"));
            EXPECT_EQ(sheet.m_pResPage->m_btnAdd.GetImageKind(), 1);
            EXPECT_EQ(sheet.m_pResPage->m_btnRemove.GetImageKind(), 1);
            if (nKind == 1)
                AfxTestGrabWindow(pWnd, AfxTestOutputPath("proj-sheet-kind1-resources.png"));
        });
        sheet.DoModal();
        EXPECT_EQ(names, (std::vector<CString>{"张三", "m1", "钢材", "其他"}));
        EXPECT_EQ(descs, (std::vector<CString>{"设计师", "吊车", "", ""}));
        EXPECT_EQ(types, (std::vector<CString>{"人员", "设备", "材料", ""}));
        EXPECT_EQ(images, (std::vector<int>{0, 1, 2, -1}));
        EXPECT_EQ(ids, (std::vector<DWORD_PTR>{4, 0, 0, 9}));
        EXPECT_FALSE(bAdd);
        EXPECT_FALSE(bRemove);
    }
}

TEST_F(ProjPagesTest, ResourceListsAreCopies)
{
    CResInfoList project, offered, back;
    Append(project, Resource(1, "u1", "张三", "", 1));
    Append(offered, Resource(2, "u2", "李四", "", 1));
    CProjResPage page;
    EXPECT_EQ(page.m_bEditable, 1);
    page.SetResourceLists(project, offered, 0);
    EXPECT_EQ(page.m_bEditable, 0);
    project.GetHead().strName = "改";
    Append(back, Resource(7, "z", "z", "", 1));
    page.GetResourceList(back);
    ASSERT_EQ(back.GetCount(), 1);
    EXPECT_EQ(back.GetHead().strName, CString("张三"));
    ASSERT_EQ(page.m_listOffered.GetCount(), 1);
    EXPECT_EQ(page.m_listOffered.GetHead().strCode, CString("u2"));
}

TEST_F(ProjPagesTest, AddOffersTheUnlistedResourcesAndRemoveTakesTheSelectedRow)
{
    CResInfoList project, offered;
    Append(project, Resource(0, "u1", "张三", "", 1));
    Append(project, Resource(0, "u2", "李四", "", 1));
    Append(offered, Resource(0, "u1", "张三", "", 1));
    Append(offered, Resource(0, "m1", "吊车", "", 2));
    std::vector<CString> offeredCodes;
    // The installed picker comes back afterwards.
    ProjResourcePicker installed = ProjSetResourcePicker([&](CResInfoList& offer, CResInfoList& chosen) {
        for (POSITION pos = offer.GetHeadPosition(); pos != NULL;)
            offeredCodes.push_back(offer.GetNext(pos).strCode);
        chosen.AddTail(offer.GetTail());
        return (INT_PTR)IDOK;
    });
    CProjSheet sheet("项目信息", 1);
    sheet.m_pResPage->SetResourceLists(project, offered, 1);
    std::vector<CString> rows;
    AfxTestPushModalScript([&](CWnd* pWnd) {
        static_cast<CPropertySheet*>(pWnd)->SetActivePage(1);
        CProjResPage& page = *sheet.m_pResPage;
        page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_PROJ_RES_ADD, BN_CLICKED), (LPARAM)page.m_btnAdd.GetSafeHwnd());
        // Both rows with id 0: the second one goes, found by its place.
        page.m_listRes.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
        page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_PROJ_RES_REMOVE, BN_CLICKED),
                         (LPARAM)page.m_btnRemove.GetSafeHwnd());
        for (int i = 0; i < page.m_listRes.GetItemCount(); ++i)
            rows.push_back(page.m_listRes.GetItemText(i, 0));
    });
    sheet.DoModal();
    ProjSetResourcePicker(installed);
    EXPECT_EQ(offeredCodes, (std::vector<CString>{"m1"}));
    EXPECT_EQ(rows, (std::vector<CString>{"张三", "吊车"}));
    CResInfoList back;
    sheet.m_pResPage->GetResourceList(back);
    ASSERT_EQ(back.GetCount(), 2);
    EXPECT_EQ(back.GetTail().strCode, CString("m1"));
}

// The permission page in the information sheet, shown at once.
class ProjRolePageTest : public ProjPagesTest
{
protected:
    // Runs the sheet on the permission page; script gets the page.
    INT_PTR Run(std::function<void(CProjRolePage&)> script)
    {
        CProjSheet sheet("项目信息", 1);
        sheet.m_pBaseProp->m_strName = "桥";
        sheet.m_pRolePage->SetPermissionList(perms);
        AfxTestPushModalScript([&](CWnd* pWnd) {
            static_cast<CPropertySheet*>(pWnd)->SetActivePage(2);
            script(*sheet.m_pRolePage);
            static_cast<CPropertySheet*>(pWnd)->PressButton(PSBTN_OK);
        });
        const INT_PTR nResult = sheet.DoModal();
        sheet.m_pRolePage->GetPermissionList(perms);
        return nResult;
    }
    static void ClickCell(CProjRolePage& page, int nRow, int nCol)
    {
        CRptListCtrl& list = page.m_listRole;
        CRect rc;
        ASSERT_TRUE(list.GetCellRect(nRow, nCol, rc));
        // A column past the list's right edge is scrolled into view first, as a person would.
        CRect rcClient;
        list.GetClientRect(&rcClient);
        if (rc.left + 8 >= rcClient.right)
        {
            list.Scroll(CSize(rc.left - rcClient.left, 0));
            ASSERT_TRUE(list.GetCellRect(nRow, nCol, rc));
            ASSERT_LT(rc.left + 8, rcClient.right);
        }
        const CPoint pt(rc.left + 8, rc.CenterPoint().y);
        CPoint ptScreen = pt;
        list.ClientToScreen(&ptScreen);
        AfxTestSetCursorPos(ptScreen);
        AfxTestClick(&list, pt);
    }
    CPermInfoList perms;
};

TEST_F(ProjRolePageTest, RowsShowNamesOrCodesAndTickBoxes)
{
    Append(perms, Permission("u1", "张三", 1, 0, 1, 0, 1, 0));
    Append(perms, Permission("u2", "", 0, 1, 0, 1, 0, 1));
    std::vector<CString> names;
    std::vector<CString> cells;
    std::vector<int> widths;
    Run([&](CProjRolePage& page) {
        CRptListCtrl& list = page.m_listRole;
        for (int i = 0; i < list.GetItemCount(); ++i) {
            names.push_back(list.GetItemText(i, 0));
            for (int c = 1; c <= 6; ++c)
                cells.push_back(list.GetCellText(i, c));
        }
        for (int c = 0; c < 7; ++c)
            widths.push_back(list.GetColumnWidth(c));
        EXPECT_EQ(page.m_arrCodes.GetSize(), 2);
        EXPECT_EQ(page.m_arrCodes[1], CString("u2"));
        EXPECT_EQ(page.m_arrRows[1], 1u);
        // The report list drew the rows itself, 20 pixels high, with its own header.
        EXPECT_EQ(list.GetItemHeight(), 20);
        EXPECT_NE(list.GetRptHeader(), nullptr);
        EXPECT_EQ(list.GetRptStyle() & (RPTS_VGRID | RPTS_HGRID | RPTS_SORTONCLICK | RPTS_IMAGECELLS), 0x2Eu);
        EXPECT_EQ(list.GetStyle() & LVS_OWNERDRAWFIXED, (DWORD)LVS_OWNERDRAWFIXED);
        EXPECT_EQ(list.GetItemData(1), 1u);
        AfxTestGrabWindow(page.GetParent(), AfxTestOutputPath("proj-sheet-kind1-permissions.png"));
    });
    EXPECT_EQ(names, (std::vector<CString>{"张三", "u2"}));
    EXPECT_EQ(cells, (std::vector<CString>{"3", "4", "3", "4", "3", "4", "4", "3", "4", "3", "4", "3"}));
    EXPECT_EQ(widths, (std::vector<int>{90, 80, 80, 90, 80, 80, 80}));
}

TEST_F(ProjRolePageTest, AClickTogglesOnlyThatFlagOfThatMember)
{
    Append(perms, Permission("u1", "张三", 1, 0));
    Append(perms, Permission("u2", "李四", 0, 0));
    std::vector<CString> texts;
    Run([&](CProjRolePage& page) {
        ClickCell(page, 0, 1);  // open: 1 -> 0
        texts.push_back(page.m_listRole.GetCellText(0, 1));
        ClickCell(page, 0, 2);  // publish: 0 -> 1
        texts.push_back(page.m_listRole.GetCellText(0, 2));
        ClickCell(page, 1, 6);  // forum of the second
        ClickCell(page, 1, 6);  // and back
        texts.push_back(page.m_listRole.GetCellText(1, 6));
        ClickCell(page, 1, 0);  // the name column changes nothing
        texts.push_back(page.m_listRole.GetCellText(1, 1));
    });
    EXPECT_EQ(texts, (std::vector<CString>{"4", "3", "4", "4"}));
    ASSERT_EQ(perms.GetCount(), 2);
    const tagPermInfo& first = perms.GetHead();
    EXPECT_EQ(first.nOpenProj, 0);
    EXPECT_EQ(first.nPublishProj, 1);
    EXPECT_EQ(first.nDeleteProj + first.nModifyProgress + first.nLookProgress + first.nForum, 0);
    const tagPermInfo& second = perms.GetTail();
    EXPECT_EQ(second.nOpenProj + second.nPublishProj + second.nForum, 0);
}

TEST_F(ProjRolePageTest, RepeatedCodesToggleTogether)
{
    Append(perms, Permission("u1", "张三", 0, 0));
    Append(perms, Permission("u2", "李四", 0, 0));
    Append(perms, Permission("u1", "张三(二)", 0, 0));
    CString strOther;
    Run([&](CProjRolePage& page) {
        ClickCell(page, 2, 4);
        strOther = page.m_listRole.GetCellText(0, 4);
    });
    EXPECT_EQ(strOther, CString("3"));
    POSITION pos = perms.GetHeadPosition();
    EXPECT_EQ(perms.GetNext(pos).nModifyProgress, 1);
    EXPECT_EQ(perms.GetNext(pos).nModifyProgress, 0);
    EXPECT_EQ(perms.GetNext(pos).nModifyProgress, 1);
}

TEST_F(ProjRolePageTest, AfterASortAClickChangesTheMemberShownInThatRow)
{
    Append(perms, Permission("a", "甲", 0, 0));
    Append(perms, Permission("b", "乙", 0, 0));
    Append(perms, Permission("c", "丙", 0, 0));
    CString strRowName;
    Run([&](CProjRolePage& page) {
        page.m_listRole.SortByColumn(0);
        // Sorted by name, the first row no longer shows the first member.
        strRowName = page.m_listRole.GetItemText(0, 0);
        ClickCell(page, 0, 3);
    });
    // The member shown in row 0 got the delete right, and only that member.
    int nSet = 0;
    for (POSITION pos = perms.GetHeadPosition(); pos != NULL;) {
        const tagPermInfo& perm = perms.GetNext(pos);
        if (perm.nDeleteProj != 0) {
            ++nSet;
            EXPECT_EQ(perm.strName, strRowName);
        }
    }
    EXPECT_EQ(nSet, 1);
    EXPECT_NE(strRowName, CString("甲"));
}

TEST_F(ProjRolePageTest, TheColumnWidthsLastFromOneSheetToTheNext)
{
    Append(perms, Permission("u1", "张三", 1, 1));
    Run([&](CProjRolePage& page) {
        page.m_listRole.SetColumnWidth(0, 133);
        page.m_listRole.SetColumnWidth(4, 61);
    });
    EXPECT_EQ(app->GetProfileInt("ReportLists\\ThePermissionList", "NumDef", -1), 7u);
    EXPECT_EQ(app->GetProfileInt("ReportLists\\ThePermissionList", "DefColId 6", -1), 6u);
    EXPECT_EQ(app->GetProfileInt("ReportLists\\ThePermissionList", "ColDef_width_0", -1), 133u);
    EXPECT_EQ(app->GetProfileString("ReportLists\\ThePermissionList", "ColDef_text_4"), CString("更改项目进度"));
    EXPECT_EQ(app->GetProfileString("ReportLists\\ThePermissionList", "ColDef_descr_2"), CString("Image 2"));
    std::vector<int> widths;
    Run([&](CProjRolePage& page) {
        for (int c = 0; c < 7; ++c)
            widths.push_back(page.m_listRole.GetColumnWidth(c));
    });
    EXPECT_EQ(widths, (std::vector<int>{133, 80, 80, 90, 61, 80, 80}));
}

TEST_F(ProjRolePageTest, RecordsHandedInLaterAreNotShownButComeBack)
{
    Append(perms, Permission("u1", "张三", 1, 1));
    CProjRolePage page;
    page.SetPermissionList(perms);
    CPermInfoList back;
    Append(back, Permission("zz", "", 0, 0));
    page.GetPermissionList(back);
    ASSERT_EQ(back.GetCount(), 1);
    EXPECT_EQ(back.GetHead().strCode, CString("u1"));
}

} // namespace
