#include "FrameTestSupport.h"

#include <cstring>

namespace {

class HeaderCtrlTest : public FrameTest
{
protected:
    void SetUp() override
    {
        FrameTest::SetUp();
        ASSERT_TRUE(host.CreateHost(400, 200));
        ASSERT_TRUE(header.Create(WS_CHILD | WS_VISIBLE | HDS_BUTTONS | HDS_FULLDRAG, CRect(0, 0, 380, 22), &host, 0));
        Add(0, "Name", 100, 11);
        Add(1, "Size", 60, 22);
        Add(2, "Date", 80, 33);
    }
    void TearDown() override
    {
        header.DestroyWindow();
        host.DestroyWindow();
        FrameTest::TearDown();
    }
    void Add(int n, const char* text, int cx, LPARAM lParam)
    {
        HDITEM hd;
        std::memset(&hd, 0, sizeof(hd));
        hd.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT | HDI_LPARAM;
        hd.pszText = const_cast<char*>(text);
        hd.cxy = cx;
        hd.fmt = HDF_STRING | HDF_LEFT;
        hd.lParam = lParam;
        header.InsertItem(n, &hd);
    }
    int Width(int n)
    {
        HDITEM hd;
        std::memset(&hd, 0, sizeof(hd));
        hd.mask = HDI_WIDTH;
        header.GetItem(n, &hd);
        return hd.cxy;
    }
    CNotifyHost host;
    CHeaderCtrl header;
};

TEST_F(HeaderCtrlTest, ItemsRectanglesAndData)
{
    EXPECT_EQ(3, header.GetItemCount());
    CRect rc;
    ASSERT_TRUE(header.GetItemRect(1, &rc));
    EXPECT_EQ(100, rc.left);
    EXPECT_EQ(160, rc.right);
    EXPECT_FALSE(header.GetItemRect(3, &rc));
    HDITEM hd;
    std::memset(&hd, 0, sizeof(hd));
    char buf[16];
    hd.mask = HDI_TEXT | HDI_LPARAM | HDI_FORMAT;
    hd.pszText = buf;
    hd.cchTextMax = sizeof(buf);
    ASSERT_TRUE(header.GetItem(2, &hd));
    EXPECT_STREQ("Date", buf);
    EXPECT_EQ(33, hd.lParam);
    EXPECT_EQ(HDF_STRING | HDF_LEFT, hd.fmt);
}

TEST_F(HeaderCtrlTest, OrderArrayMovesItems)
{
    int order[3] = {2, 0, 1};
    ASSERT_TRUE(header.SetOrderArray(3, order));
    CRect rc;
    header.GetItemRect(2, &rc);
    EXPECT_EQ(0, rc.left);
    header.GetItemRect(0, &rc);
    EXPECT_EQ(80, rc.left);
    int back[3] = {0, 0, 0};
    ASSERT_TRUE(header.GetOrderArray(back, 3));
    EXPECT_EQ(2, back[0]);
    EXPECT_EQ(0, back[1]);
    EXPECT_EQ(1, back[2]);
    int bad[3] = {0, 0, 1};  // an index twice
    EXPECT_FALSE(header.SetOrderArray(3, bad));
    EXPECT_EQ(2, header.OrderToIndex(0));
}

TEST_F(HeaderCtrlTest, HitTestTellsDividersFromItems)
{
    HDHITTESTINFO ht;
    std::memset(&ht, 0, sizeof(ht));
    ht.pt = CPoint(50, 5);
    EXPECT_EQ(0, header.HitTest(&ht));
    EXPECT_EQ(static_cast<UINT>(HHT_ONHEADER), ht.flags);
    ht.pt = CPoint(101, 5);  // on the divider between 0 and 1
    EXPECT_EQ(0, header.HitTest(&ht));
    EXPECT_EQ(static_cast<UINT>(HHT_ONDIVIDER), ht.flags);
    ht.pt = CPoint(300, 5);  // right of the last item
    EXPECT_EQ(-1, header.HitTest(&ht));
}

TEST_F(HeaderCtrlTest, DraggingADividerTracksAndEnds)
{
    host.notes.clear();
    AfxTestDrag(&header, CPoint(100, 8), CPoint(140, 8), 4);
    AfxPumpMessages();
    std::vector<int> codes = host.Codes();
    ASSERT_FALSE(codes.empty());
    EXPECT_EQ(static_cast<int>(HDN_BEGINTRACK), codes.front());
    int nTrack = 0;
    for (int c : codes)
        if (c == static_cast<int>(HDN_TRACK))
            ++nTrack;
    EXPECT_GE(nTrack, 1);
    auto itEnd = std::find(codes.begin(), codes.end(), static_cast<int>(HDN_ENDTRACK));
    ASSERT_NE(codes.end(), itEnd);
    EXPECT_EQ(140, Width(0));
    CRect rc;
    header.GetItemRect(1, &rc);
    EXPECT_EQ(140, rc.left);
}

TEST_F(HeaderCtrlTest, AVetoOfBeginTrackKeepsTheWidth)
{
    host.vetoCodes.push_back(static_cast<int>(HDN_BEGINTRACK));
    host.notes.clear();
    AfxTestDrag(&header, CPoint(100, 8), CPoint(150, 8), 4);
    AfxPumpMessages();
    EXPECT_EQ(100, Width(0));
    std::vector<int> codes = host.Codes();
    EXPECT_EQ(codes.end(), std::find(codes.begin(), codes.end(), static_cast<int>(HDN_TRACK)));
    EXPECT_EQ(codes.end(), std::find(codes.begin(), codes.end(), static_cast<int>(HDN_ENDTRACK)));
}

TEST_F(HeaderCtrlTest, AClickOnAnItemNotifiesItsIndex)
{
    host.notes.clear();
    AfxTestClick(&header, CPoint(130, 8));
    AfxPumpMessages();
    std::vector<int> codes = host.Codes();
    auto it = std::find(codes.begin(), codes.end(), static_cast<int>(HDN_ITEMCLICK));
    ASSERT_NE(codes.end(), it);
}

// ---- Tree control -------------------------------------------------------------------------

class TreeCtrlTest : public FrameTest
{
protected:
    void SetUp() override
    {
        FrameTest::SetUp();
        ASSERT_TRUE(host.CreateHost(300, 300));
        ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS,
                                CRect(0, 0, 280, 280), &host, 29001));
        hA = tree.InsertItem("A");
        hB = tree.InsertItem("B", hA);
        hC = tree.InsertItem("C", hB);
        hD = tree.InsertItem("D");
        tree.SetItemData(hA, 1);
        tree.SetItemData(hD, 4);
    }
    void TearDown() override
    {
        tree.DestroyWindow();
        host.DestroyWindow();
        FrameTest::TearDown();
    }
    CNotifyHost host;
    CTreeCtrl tree;
    HTREEITEM hA = nullptr, hB = nullptr, hC = nullptr, hD = nullptr;
};

TEST_F(TreeCtrlTest, StructureAndNavigation)
{
    EXPECT_EQ(4u, tree.GetCount());
    EXPECT_EQ(hA, tree.GetRootItem());
    EXPECT_EQ(hD, tree.GetNextSiblingItem(hA));
    EXPECT_EQ(hA, tree.GetPrevSiblingItem(hD));
    EXPECT_EQ(hB, tree.GetChildItem(hA));
    EXPECT_EQ(hA, tree.GetParentItem(hB));
    EXPECT_EQ(nullptr, tree.GetParentItem(hA));
    EXPECT_STREQ("C", tree.GetItemText(hC));
    EXPECT_EQ(4u, tree.GetItemData(hD));
    EXPECT_TRUE(tree.ItemHasChildren(hA));
    EXPECT_FALSE(tree.ItemHasChildren(hD));
    // Collapsed: only the roots are visible.
    EXPECT_EQ(hD, tree.GetNextVisibleItem(hA));
    CRect rc;
    EXPECT_FALSE(tree.GetItemRect(hC, &rc, FALSE));
}

TEST_F(TreeCtrlTest, TheChildrenMarkShowsAButtonBeforeTheChildrenExist)
{
    TVITEM item;
    std::memset(&item, 0, sizeof(item));
    item.mask = TVIF_CHILDREN;
    item.hItem = hD;
    item.cChildren = 1;
    ASSERT_TRUE(tree.SetItem(&item));
    EXPECT_TRUE(tree.ItemHasChildren(hD));
    EXPECT_EQ(nullptr, tree.GetChildItem(hD));
    CRect rc;
    ASSERT_TRUE(tree.GetItemRect(hD, &rc, TRUE));
    // The button sits in the indent column left of the label.
    UINT flags = 0;
    HTREEITEM hHit = tree.HitTest(CPoint(static_cast<int>(tree.GetIndent()) / 2, rc.CenterPoint().y), &flags);
    EXPECT_EQ(hD, hHit);
    EXPECT_EQ(static_cast<UINT>(TVHT_ONITEMBUTTON), flags);
    hHit = tree.HitTest(CPoint(rc.left + 2, rc.CenterPoint().y), &flags);
    EXPECT_EQ(hD, hHit);
    EXPECT_EQ(static_cast<UINT>(TVHT_ONITEMLABEL), flags);
}

TEST_F(TreeCtrlTest, ExpandingAsksTheParentWhichMayVeto)
{
    host.notes.clear();
    EXPECT_TRUE(tree.Expand(hA, TVE_EXPAND));
    std::vector<int> want = {static_cast<int>(TVN_ITEMEXPANDING), static_cast<int>(TVN_ITEMEXPANDED)};
    EXPECT_EQ(want, host.Codes());
    EXPECT_EQ(hB, tree.GetNextVisibleItem(hA));
    EXPECT_NE(0u, tree.GetItemState(hA, TVIS_EXPANDED));
    host.vetoCodes.push_back(static_cast<int>(TVN_ITEMEXPANDING));
    EXPECT_FALSE(tree.Expand(hB, TVE_EXPAND));
    EXPECT_EQ(0u, tree.GetItemState(hB, TVIS_EXPANDED));
}

TEST_F(TreeCtrlTest, SelectionNotifiesChangingThenChanged)
{
    host.notes.clear();
    EXPECT_TRUE(tree.SelectItem(hD));
    std::vector<int> want = {static_cast<int>(TVN_SELCHANGING), static_cast<int>(TVN_SELCHANGED)};
    EXPECT_EQ(want, host.Codes());
    EXPECT_EQ(hD, tree.GetSelectedItem());
    // Selecting a hidden item opens its branch.
    EXPECT_TRUE(tree.SelectItem(hC));
    EXPECT_NE(0u, tree.GetItemState(hA, TVIS_EXPANDED));
    EXPECT_NE(0u, tree.GetItemState(hB, TVIS_EXPANDED));
    host.vetoCodes.push_back(static_cast<int>(TVN_SELCHANGING));
    EXPECT_FALSE(tree.SelectItem(hA));
    EXPECT_EQ(hC, tree.GetSelectedItem());
}

TEST_F(TreeCtrlTest, AClickSendsNmClickBeforeTheSelectionChanges)
{
    // The parent remembers what was selected when NM_CLICK came.
    class CClickHost : public CNotifyHost
    {
    public:
        CTreeCtrl* pTree = nullptr;
        HTREEITEM hSelAtClick = reinterpret_cast<HTREEITEM>(1);

    protected:
        BOOL OnNotifyHook(WPARAM, LPARAM lParam, LRESULT*) override
        {
            if (reinterpret_cast<NMHDR*>(lParam)->code == static_cast<UINT>(NM_CLICK) && pTree != nullptr)
                hSelAtClick = pTree->GetSelectedItem();
            return FALSE;
        }
    };
    tree.DestroyWindow();
    host.DestroyWindow();
    CClickHost clickHost;
    ASSERT_TRUE(clickHost.CreateHost(300, 300));
    CTreeCtrl t;
    ASSERT_TRUE(t.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_LINESATROOT, CRect(0, 0, 280, 280), &clickHost, 5));
    clickHost.pTree = &t;
    HTREEITEM h1 = t.InsertItem("one");
    HTREEITEM h2 = t.InsertItem("two");
    t.SelectItem(h1);
    CRect rc;
    ASSERT_TRUE(t.GetItemRect(h2, &rc, TRUE));
    clickHost.notes.clear();
    AfxTestClick(&t, rc.CenterPoint());
    AfxPumpMessages();
    EXPECT_EQ(h1, clickHost.hSelAtClick);
    EXPECT_EQ(h2, t.GetSelectedItem());
    std::vector<int> codes;
    for (int c : clickHost.Codes())
        if (c != static_cast<int>(NM_SETFOCUS) && c != static_cast<int>(NM_KILLFOCUS))
            codes.push_back(c);
    std::vector<int> want = {static_cast<int>(NM_CLICK), static_cast<int>(TVN_SELCHANGING),
                             static_cast<int>(TVN_SELCHANGED)};
    EXPECT_EQ(want, codes);
    t.DestroyWindow();
    clickHost.DestroyWindow();
}

TEST_F(TreeCtrlTest, AClickOnTheButtonExpandsWithoutSelecting)
{
    CRect rc;
    ASSERT_TRUE(tree.GetItemRect(hA, &rc, TRUE));
    tree.SelectItem(hD);
    AfxTestClick(&tree, CPoint(static_cast<int>(tree.GetIndent()) / 2, rc.CenterPoint().y));
    AfxPumpMessages();
    EXPECT_NE(0u, tree.GetItemState(hA, TVIS_EXPANDED));
    EXPECT_EQ(hD, tree.GetSelectedItem());
}

TEST_F(TreeCtrlTest, DeletingAnItemTakesItsSubtreeAndStaleHandlesAreRefused)
{
    EXPECT_TRUE(tree.DeleteItem(hB));
    EXPECT_EQ(2u, tree.GetCount());
    EXPECT_EQ(nullptr, tree.GetChildItem(hA));
    // The handles of B and C are gone: asking about them is answered, not followed.
    EXPECT_STREQ("", tree.GetItemText(hC));
    EXPECT_FALSE(tree.SetItemText(hB, "x"));
    EXPECT_EQ(nullptr, tree.InsertItem("orphan", hC));
    EXPECT_TRUE(tree.DeleteAllItems());
    EXPECT_EQ(0u, tree.GetCount());
    EXPECT_EQ(nullptr, tree.GetRootItem());
}

TEST_F(TreeCtrlTest, InsertAfterAndSortedInsertion)
{
    HTREEITEM hX = tree.InsertItem("X", TVI_ROOT, hA);  // between A and D
    EXPECT_EQ(hX, tree.GetNextSiblingItem(hA));
    EXPECT_EQ(hD, tree.GetNextSiblingItem(hX));
    HTREEITEM hFirst = tree.InsertItem("first", TVI_ROOT, TVI_FIRST);
    EXPECT_EQ(hFirst, tree.GetRootItem());
    HTREEITEM hP = tree.InsertItem("P");
    tree.InsertItem("m", hP, TVI_SORT);
    tree.InsertItem("c", hP, TVI_SORT);
    tree.InsertItem("x", hP, TVI_SORT);
    HTREEITEM h = tree.GetChildItem(hP);
    EXPECT_STREQ("c", tree.GetItemText(h));
    h = tree.GetNextSiblingItem(h);
    EXPECT_STREQ("m", tree.GetItemText(h));
    h = tree.GetNextSiblingItem(h);
    EXPECT_STREQ("x", tree.GetItemText(h));
}

TEST_F(TreeCtrlTest, KeysWalkTheTree)
{
    AfxTestFocus(&tree);
    tree.SelectItem(hA);
    AfxTestKey(&tree, VK_RIGHT);  // expands
    AfxPumpMessages();
    EXPECT_NE(0u, tree.GetItemState(hA, TVIS_EXPANDED));
    AfxTestKey(&tree, VK_RIGHT);  // to the first child
    AfxPumpMessages();
    EXPECT_EQ(hB, tree.GetSelectedItem());
    AfxTestKey(&tree, VK_LEFT);  // to the parent
    AfxPumpMessages();
    EXPECT_EQ(hA, tree.GetSelectedItem());
    AfxTestKey(&tree, VK_END);
    AfxPumpMessages();
    EXPECT_EQ(hD, tree.GetSelectedItem());
}

}  // namespace
