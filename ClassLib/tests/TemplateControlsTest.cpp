// Lists, trees and headers made from dialog templates, taken over by objects of the
// program's own classes; the list's setters as messages; pages destroyed with their sheet;
// a scoped resource module; the locale's list separator.
#include "FrameTestSupport.h"

#include <ClassLib/Testing/UiScripts.h>

#include <string>
#include <vector>

namespace {

enum : UINT
{
    IDD_MEMBER_PAGE = 31201,
    IDD_OTHER_PAGE = 31202,
    IDD_NEVER_PAGE = 31203,
    IDC_MEMBERS = 1201,
    IDC_PLAIN_LIST = 1202,
    IDC_FOLDERS = 1203,
    IDC_NOTE = 1204,
    IDC_HEADING = 1205,
    IDC_TABS = 1206,
};

const AFX_DLG_ITEM kMemberItems[] = {
    {WC_LISTVIEW, IDC_MEMBERS, "",
     WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_OWNERDRAWFIXED | LVS_SHOWSELALWAYS, 7, 7, 180, 80},
    {WC_LISTVIEW, IDC_PLAIN_LIST, "", WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT, 7, 92, 180, 40},
    {WC_TREEVIEW, IDC_FOLDERS, "", WS_CHILD | WS_VISIBLE | WS_BORDER | TVS_HASBUTTONS | TVS_HASLINES, 190, 7, 60, 100},
    {WC_HEADER, IDC_HEADING, "", WS_CHILD | WS_VISIBLE | HDS_HORZ, 190, 110, 60, 10},
    {WC_TABCONTROL, IDC_TABS, "", WS_CHILD | WS_VISIBLE, 190, 122, 60, 14},
};
const AFX_DLG_ITEM kOtherItems[] = {
    {"EDIT", IDC_NOTE, "", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP, 7, 8, 160, 14},
};
const AFX_DLG_TEMPLATE kMemberPage = {WS_CHILD | WS_CAPTION | DS_SETFONT, 0, 0, 0, 260, 140, "Members", "宋体", 9,
                                      AFX_DLG_ITEMS(kMemberItems)};
const AFX_DLG_TEMPLATE kOtherPage = {WS_CHILD | WS_CAPTION | DS_SETFONT, 0, 0, 0, 260, 140, "Other", "宋体", 9,
                                     AFX_DLG_ITEMS(kOtherItems)};
const AFX_DLG_TEMPLATE kNeverPage = {WS_CHILD | WS_CAPTION | DS_SETFONT, 0, 0, 0, 260, 140, "Never", "宋体", 9,
                                     AFX_DLG_ITEMS(kOtherItems)};

AFX_MODULE_RESOURCES(TemplateControlsTest)
{
    AfxRegisterResource(hModule, RT_DIALOG, IDD_MEMBER_PAGE, &kMemberPage);
    AfxRegisterResource(hModule, RT_DIALOG, IDD_OTHER_PAGE, &kOtherPage);
    AfxRegisterResource(hModule, RT_DIALOG, IDD_NEVER_PAGE, &kNeverPage);
}

// An owner-drawn report list of the program's own.
class CMemberList : public CListCtrl
{
public:
    std::vector<std::pair<UINT, CRect>> drawn;
    std::vector<COLORREF> textColors;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMIS) override { lpMIS->itemHeight = 20; }
    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override
    {
        drawn.emplace_back(lpDIS->itemID, CRect(lpDIS->rcItem));
        CDC* pDC = CDC::FromHandle(lpDIS->hDC);
        pDC->TextOut(lpDIS->rcItem.left + 2, lpDIS->rcItem.top + 2, GetItemText(static_cast<int>(lpDIS->itemID), 0));
    }

protected:
    afx_msg LRESULT OnSetTextColor(WPARAM wParam, LPARAM lParam)
    {
        textColors.push_back(static_cast<COLORREF>(lParam));
        return DefWindowProc(LVM_SETTEXTCOLOR, wParam, lParam);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CMemberList, CListCtrl)
    ON_MESSAGE(LVM_SETTEXTCOLOR, OnSetTextColor)
END_MESSAGE_MAP()

// A header of the program's own over a list's header.
class COwnHeader : public CHeaderCtrl
{
public:
    std::vector<UINT> drawnItems;
    int nInserts = 0;
    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override { drawnItems.push_back(lpDIS->itemID); }

protected:
    afx_msg LRESULT OnInsertItem(WPARAM wParam, LPARAM lParam)
    {
        ++nInserts;
        return DefWindowProc(HDM_INSERTITEM, wParam, lParam);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(COwnHeader, CHeaderCtrl)
    ON_MESSAGE(HDM_INSERTITEM, OnInsertItem)
END_MESSAGE_MAP()

std::vector<std::string> g_destroyed;

class CMemberPage : public CPropertyPageEx
{
public:
    CMemberList m_list;
    COwnHeader m_header;  // the list's header, taken over as the report list does
    CMemberPage() : CPropertyPageEx(IDD_MEMBER_PAGE) {}
    void DoDataExchange(CDataExchange* pDX) override
    {
        CPropertyPageEx::DoDataExchange(pDX);
        DDX_Control(pDX, IDC_MEMBERS, m_list);
    }
    BOOL OnInitDialog() override
    {
        CPropertyPageEx::OnInitDialog();
        CWnd* pHeader = m_list.GetDlgItem(0);
        if (pHeader != nullptr)
            m_header.SubclassWindow(pHeader->GetSafeHwnd());
        m_list.InsertColumn(0, "Member", LVCFMT_LEFT, 120);
        m_list.InsertColumn(1, "Rights", LVCFMT_LEFT, 80);
        m_list.InsertItem(0, "alice");
        m_list.InsertItem(1, "bob");
        m_list.InsertItem(2, "carol");
        return TRUE;
    }
    BOOL DestroyWindow() override
    {
        g_destroyed.push_back("members");
        return CPropertyPageEx::DestroyWindow();
    }
};

class COtherPage : public CPropertyPageEx
{
public:
    std::string m_name;
    COtherPage(UINT nID, const char* name) : CPropertyPageEx(nID), m_name(name) {}
    BOOL DestroyWindow() override
    {
        g_destroyed.push_back(m_name);
        return CPropertyPageEx::DestroyWindow();
    }
};

class TemplateControlsTest : public FrameTest
{
protected:
    void SetUp() override
    {
        FrameTest::SetUp();
        AfxTestResetScripts();
        g_destroyed.clear();
    }
    void TearDown() override
    {
        AfxTestResetScripts();
        FrameTest::TearDown();
    }
};

TEST_F(TemplateControlsTest, AnOwnerDrawnReportListFromAPageTemplateHasItsHeaderAndDrawsEachRowBelowIt)
{
    CPropertySheet sheet("Members");
    CMemberPage members;
    COtherPage other(IDD_OTHER_PAGE, "other");
    COtherPage never(IDD_NEVER_PAGE, "never");
    sheet.AddPage(&members);
    sheet.AddPage(&other);
    sheet.AddPage(&never);
    int nHeaderHeight = -1;
    bool bHeaderIsChildZero = false;
    bool bPlainIsList = false;
    bool bTreeIsTree = false;
    DWORD dwTreeStyle = 0;
    DWORD dwListStyle = 0;
    int nPlainColumns = -1;
    bool bHeadingIsHeader = false;
    int nTabs = 0;
    int nRowsAfterUnsubclass = -2;
    bool bHeaderKept = false;
    AfxTestPushModalScript([&](CWnd* pWnd) {
        CPropertySheet* pSheet = static_cast<CPropertySheet*>(pWnd);
        CMemberList& list = members.m_list;
        ASSERT_NE(nullptr, list.GetSafeHwnd());
        EXPECT_EQ(&list, CWnd::FromHandlePermanent(members.GetDlgItem(IDC_MEMBERS)->GetSafeHwnd()));
        dwListStyle = list.GetStyle();
        CHeaderCtrl* pHeader = list.GetHeaderCtrl();
        ASSERT_NE(nullptr, pHeader);
        bHeaderIsChildZero = list.GetDlgItem(0) == pHeader && pHeader == &members.m_header;
        nHeaderHeight = pHeader->GetHeight();
        EXPECT_EQ(2, pHeader->GetItemCount());
        // The unbound list and the tree are objects of their classes all the same.
        CWnd* pPlain = members.GetDlgItem(IDC_PLAIN_LIST);
        CListCtrl* pPlainList = dynamic_cast<CListCtrl*>(pPlain);
        bPlainIsList = pPlainList != nullptr;
        if (pPlainList != nullptr)
        {
            pPlainList->InsertColumn(0, "x", LVCFMT_LEFT, 40);
            nPlainColumns = pPlainList->GetHeaderCtrl() != nullptr ? pPlainList->GetHeaderCtrl()->GetItemCount() : -1;
        }
        CWnd* pTree = members.GetDlgItem(IDC_FOLDERS);
        bTreeIsTree = dynamic_cast<CTreeCtrl*>(pTree) != nullptr;
        dwTreeStyle = pTree != nullptr ? pTree->GetStyle() : 0;
        bHeadingIsHeader = dynamic_cast<CHeaderCtrl*>(members.GetDlgItem(IDC_HEADING)) != nullptr;
        CTabCtrl* pTabs = dynamic_cast<CTabCtrl*>(members.GetDlgItem(IDC_TABS));
        if (pTabs != nullptr)
            nTabs = pTabs->InsertItem(0, "one") + 1;
        list.drawn.clear();
        list.Invalidate();
        list.UpdateWindow();
        AfxTestGrabWindow(pSheet, AfxTestOutputPath("template-report-list-page.png"));
        // Let go of the list: an object of the list's class holds its rows again, and the
        // header stays with the page's header object.
        HWND hList = list.UnsubclassWindow();
        CListCtrl* pBack = dynamic_cast<CListCtrl*>(CWnd::FromHandle(hList));
        nRowsAfterUnsubclass = pBack != nullptr ? pBack->GetItemCount() : -1;
        bHeaderKept = pBack != nullptr && pBack->GetHeaderCtrl() == &members.m_header;
        pSheet->SetActivePage(1);
        pSheet->PressButton(PSBTN_OK);
    });
    EXPECT_EQ(IDOK, sheet.DoModal());
    EXPECT_NE(0u, dwListStyle & LVS_OWNERDRAWFIXED);
    EXPECT_TRUE(bHeaderIsChildZero);
    EXPECT_EQ(2, members.m_header.nInserts);  // the columns went to the page's header
    EXPECT_GT(nHeaderHeight, 10);
    ASSERT_EQ(3u, members.m_list.drawn.size());
    for (UINT i = 0; i < 3; ++i)
    {
        EXPECT_EQ(i, members.m_list.drawn[i].first);
        EXPECT_EQ(nHeaderHeight + 20 * static_cast<int>(i), members.m_list.drawn[i].second.top);
        EXPECT_EQ(200, members.m_list.drawn[i].second.Width());
    }
    EXPECT_TRUE(bPlainIsList);
    EXPECT_EQ(1, nPlainColumns);
    EXPECT_TRUE(bTreeIsTree);
    EXPECT_NE(0u, dwTreeStyle & TVS_HASBUTTONS);
    EXPECT_NE(0u, dwTreeStyle & TVS_HASLINES);
    EXPECT_TRUE(bHeadingIsHeader);
    EXPECT_EQ(1, nTabs);
    EXPECT_EQ(3, nRowsAfterUnsubclass);
    EXPECT_TRUE(bHeaderKept);
    // Each page that was made is destroyed through its own DestroyWindow, once; the page
    // never shown is not.
    std::vector<std::string> want = {"members", "other"};
    EXPECT_EQ(want, g_destroyed);
    EXPECT_EQ(nullptr, members.m_list.GetSafeHwnd());
}

TEST_F(TemplateControlsTest, TheListSettersAreMessagesADerivedListSees)
{
    CNotifyHost host;
    ASSERT_TRUE(host.CreateHost(400, 300));
    CMemberList list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 380, 280), &host, 12));
    EXPECT_TRUE(list.SetTextColor(RGB(1, 2, 3)));
    ASSERT_EQ(1u, list.textColors.size());
    EXPECT_EQ(RGB(1, 2, 3), list.textColors[0]);
    EXPECT_EQ(RGB(1, 2, 3), list.GetTextColor());
    EXPECT_TRUE(list.SetTextBkColor(RGB(4, 5, 6)));
    EXPECT_EQ(RGB(4, 5, 6), static_cast<COLORREF>(list.SendMessage(LVM_GETTEXTBKCOLOR)));
    EXPECT_TRUE(list.SetBkColor(RGB(7, 8, 9)));
    EXPECT_EQ(RGB(7, 8, 9), list.GetBkColor());
    EXPECT_EQ(0u, list.SetExtendedStyle(LVS_EX_FULLROWSELECT));
    EXPECT_EQ(static_cast<DWORD>(LVS_EX_FULLROWSELECT), list.SetExtendedStyle(LVS_EX_GRIDLINES));
    EXPECT_EQ(static_cast<DWORD>(LVS_EX_GRIDLINES), list.GetExtendedStyle());
    CImageList images;
    ASSERT_TRUE(images.Create(16, 16, ILC_COLOR24, 1, 1));
    EXPECT_EQ(nullptr, list.SetImageList(&images, LVSIL_SMALL));
    EXPECT_EQ(&images, list.GetImageList(LVSIL_SMALL));
    EXPECT_EQ(&images, list.SetImageList(nullptr, LVSIL_SMALL));
    EXPECT_EQ(nullptr, list.GetImageList(LVSIL_SMALL));
    list.DestroyWindow();
    host.DestroyWindow();
}

// A list that keeps the user from resizing columns, as the report list does for some.
class CFixedColumnsList : public CListCtrl
{
public:
    bool m_bVeto = false;

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        NMHDR* pHdr = reinterpret_cast<NMHDR*>(lParam);
        if (m_bVeto && (pHdr->code == HDN_BEGINTRACKA || pHdr->code == HDN_BEGINTRACKW))
        {
            *pResult = TRUE;
            return TRUE;
        }
        return CListCtrl::OnNotify(wParam, lParam, pResult);
    }
};

TEST_F(TemplateControlsTest, AHeaderOfTheProgramsOwnTakesOverTheListsHeaderAndGivesItBack)
{
    CNotifyHost host;
    ASSERT_TRUE(host.CreateHost(400, 300));
    CFixedColumnsList list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 380, 280), &host, 12));
    list.InsertColumn(0, "Member", LVCFMT_LEFT, 100);
    list.InsertColumn(1, "Right", LVCFMT_LEFT, 80);
    HWND hHeader = list.GetDlgItem(0)->GetSafeHwnd();
    ASSERT_NE(nullptr, hHeader);
    COwnHeader header;
    ASSERT_TRUE(header.SubclassWindow(hHeader));
    EXPECT_EQ(&header, list.GetHeaderCtrl());
    EXPECT_EQ(2, header.GetItemCount());  // the columns came along
    // An owner-drawn item is drawn by the new object.
    HDITEM hd = {};
    hd.mask = HDI_FORMAT;
    hd.fmt = HDF_OWNERDRAW;
    ASSERT_TRUE(header.SetItem(1, &hd));
    AfxPumpMessages();
    header.drawnItems.clear();
    header.Invalidate();
    header.UpdateWindow();
    ASSERT_EQ(1u, header.drawnItems.size());
    EXPECT_EQ(1u, header.drawnItems[0]);
    // A column inserted later reaches it as a message.
    EXPECT_EQ(2, list.InsertColumn(2, "Note", LVCFMT_LEFT, 60));
    EXPECT_EQ(1, header.nInserts);
    EXPECT_EQ(3, header.GetItemCount());
    // A veto of the list still stops a divider drag.
    list.m_bVeto = true;
    CRect rcItem;
    ASSERT_TRUE(header.GetItemRect(0, &rcItem));
    AfxTestDrag(&header, CPoint(rcItem.right - 1, rcItem.CenterPoint().y), CPoint(rcItem.right + 40, rcItem.CenterPoint().y));
    AfxPumpMessages();
    EXPECT_EQ(100, list.GetColumnWidth(0));
    list.m_bVeto = false;
    AfxTestDrag(&header, CPoint(rcItem.right - 1, rcItem.CenterPoint().y), CPoint(rcItem.right + 39, rcItem.CenterPoint().y));
    AfxPumpMessages();
    EXPECT_EQ(140, list.GetColumnWidth(0));
    // Unsubclassing gives the header back to the list's own object, items and all.
    EXPECT_EQ(hHeader, header.UnsubclassWindow());
    CHeaderCtrl* pBack = list.GetHeaderCtrl();
    ASSERT_NE(nullptr, pBack);
    EXPECT_NE(static_cast<CHeaderCtrl*>(&header), pBack);
    EXPECT_EQ(hHeader, pBack->GetSafeHwnd());
    EXPECT_EQ(3, pBack->GetItemCount());
    EXPECT_EQ(4, list.InsertColumn(3, "More", LVCFMT_LEFT, 60) + 1);
    EXPECT_EQ(1, header.nInserts);
    EXPECT_EQ(4, pBack->GetItemCount());
    list.DestroyWindow();
    host.DestroyWindow();
}

TEST_F(TemplateControlsTest, AModuleScopeFindsThatModulesBitmapWhereIdsCollide)
{
    static const char* const kRows[] = {"C"};
    static const AFX_PALETTE_CHAR kRed[] = {{'C', RGB(255, 0, 0)}};
    static const AFX_PALETTE_CHAR kBlue[] = {{'C', RGB(0, 0, 255)}};
    static const AFX_BITMAP_RESOURCE kRedBitmap = AFX_PICTURE(1, 1, kRows, kRed);
    static const AFX_BITMAP_RESOURCE kBlueBitmap = AFX_PICTURE(1, 1, kRows, kBlue);
    HINSTANCE hProgram = AfxRegisterModule("ScopeTestProgram");
    HINSTANCE hLibrary = AfxRegisterModule("ScopeTestLibrary");
    AfxRegisterBitmap(hProgram, 31235, &kRedBitmap);
    AfxRegisterBitmap(hLibrary, 31235, &kBlueBitmap);
    HINSTANCE hApp = AfxGetInstanceHandle();
    AfxSetInstanceHandle(hProgram);
    auto loaded = []() {
        CBitmap bm;
        if (!bm.LoadBitmap(31235))
            return COLORREF(0xFFFFFFFFu);
        CDC dc;
        dc.CreateCompatibleDC(nullptr);
        CBitmap* pOld = dc.SelectObject(&bm);
        COLORREF c = dc.GetPixel(0, 0);
        dc.SelectObject(pOld);
        return c;
    };
    EXPECT_EQ(RGB(255, 0, 0), loaded());
    {
        CAfxResourceScope scope("ScopeTestLibrary");
        EXPECT_EQ(hLibrary, AfxGetResourceHandle());
        EXPECT_EQ(RGB(0, 0, 255), loaded());
        {
            CAfxResourceScope inner(hProgram);
            EXPECT_EQ(RGB(255, 0, 0), loaded());
        }
        EXPECT_EQ(RGB(0, 0, 255), loaded());
    }
    EXPECT_EQ(hProgram, AfxGetResourceHandle());
    EXPECT_EQ(RGB(255, 0, 0), loaded());
    AfxSetInstanceHandle(hApp);
    AfxUnregisterModule(hLibrary);
    AfxUnregisterModule(hProgram);
}

TEST(LocaleInfoTest, TheListSeparatorIsAComma)
{
    char buf[10] = "xxxxxxxxx";
    EXPECT_EQ(2, GetLocaleInfo(LOCALE_USER_DEFAULT, LOCALE_SLIST, buf, sizeof(buf)));
    EXPECT_STREQ(",", buf);
    EXPECT_EQ(2, GetLocaleInfo(LOCALE_USER_DEFAULT, LOCALE_SLIST, nullptr, 0));
    char one[1] = {'x'};
    EXPECT_EQ(0, GetLocaleInfo(LOCALE_USER_DEFAULT, LOCALE_SLIST, one, 1));
    EXPECT_EQ('x', one[0]);
    EXPECT_EQ(0, GetLocaleInfo(LOCALE_USER_DEFAULT, 0x7777, buf, sizeof(buf)));
}

}  // namespace

namespace {

TEST_F(TemplateControlsTest, ATreeMadeWithoutAnObjectKeepsItsItemsWhenAnObjectTakesItOver)
{
    CNotifyHost host;
    ASSERT_TRUE(host.CreateHost(300, 300));
    InitCommonControls();
    HWND hTree = ::CreateWindowEx(0, WC_TREEVIEW, "", WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_LINESATROOT, 0, 0, 200, 200,
                                  host.m_hWnd, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(61)), nullptr, nullptr);
    ASSERT_NE(nullptr, hTree);
    CTreeCtrl* pMade = dynamic_cast<CTreeCtrl*>(CWnd::FromHandlePermanent(hTree));
    ASSERT_NE(nullptr, pMade);
    HTREEITEM hRoot = pMade->InsertItem("plans");
    HTREEITEM hChild = pMade->InsertItem("2026", hRoot);
    ASSERT_TRUE(pMade->SelectItem(hChild));
    CTreeCtrl tree;
    ASSERT_TRUE(tree.SubclassWindow(hTree));
    EXPECT_EQ(&tree, CWnd::FromHandlePermanent(hTree));
    EXPECT_EQ(2u, tree.GetCount());
    EXPECT_EQ(hRoot, tree.GetRootItem());
    EXPECT_EQ(nullptr, tree.GetParentItem(hRoot));
    EXPECT_EQ(hRoot, tree.GetParentItem(hChild));
    EXPECT_EQ(hChild, tree.GetSelectedItem());
    EXPECT_STREQ("2026", tree.GetItemText(hChild));
    HTREEITEM hMore = tree.InsertItem("more");
    EXPECT_EQ(hMore, tree.GetNextSiblingItem(hRoot));
    EXPECT_NE(0u, tree.GetStyle() & TVS_HASBUTTONS);
    tree.DestroyWindow();
    host.DestroyWindow();
}

}  // namespace
