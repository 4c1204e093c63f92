// The list control keeps each label's measured width: a changed text, a new font, a deleted
// or inserted item must show in the small-icon and list views' cells at once, and the
// scroll range of the icon views must match the items' rectangles.
#include "FrameTestSupport.h"

#include <ClassLib/Testing/DrawLog.h>

#include <cstring>
#include <set>

namespace {

class ListCtrlLabelWidthTest : public FrameTest
{
protected:
    void SetUp() override
    {
        FrameTest::SetUp();
        ASSERT_TRUE(host.CreateHost(420, 300));
    }
    void TearDown() override
    {
        if (list.m_hWnd != nullptr)
            list.DestroyWindow();
        host.DestroyWindow();
        FrameTest::TearDown();
    }
    void Make(DWORD dwView, int n)
    {
        ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | dwView, CRect(0, 0, 400, 200), &host, 21));
        for (int i = 0; i < n; ++i)
        {
            CString s;
            s.Format("d%d", i);
            list.InsertItem(i, s);
        }
    }
    int LabelWidth(int nItem)
    {
        CRect rc;
        EXPECT_TRUE(list.GetItemRect(nItem, &rc, LVIR_LABEL));
        return rc.Width();
    }

    CNotifyHost host;
    CListCtrl list;
};

TEST_F(ListCtrlLabelWidthTest, ListColumnFollowsAChangedLabel)
{
    Make(LVS_LIST, 3);
    const int cxShort = list.GetColumnWidth(0);  // every label measured and kept
    const int cxLabel = LabelWidth(1);
    const char* longText = "a much longer label than any other item has";
    const int cxText = list.GetStringWidth(longText);
    ASSERT_GT(cxText, 3 * cxLabel);

    ASSERT_TRUE(list.SetItemText(1, 0, longText));
    // The column is as wide as the new widest label, the label as wide as its text.
    const int cxLong = list.GetColumnWidth(0);
    EXPECT_GT(cxLong, cxText);
    EXPECT_EQ(cxLabel + cxText - list.GetStringWidth("d1"), LabelWidth(1));
    CRect rcNext;
    list.GetItemRect(2, &rcNext, LVIR_BOUNDS);
    EXPECT_EQ(0, rcNext.left);  // three rows fit in one column
    // A still longer label on another item widens the column by the difference.
    const CString longer = CString(longText) + " and more";
    ASSERT_TRUE(list.SetItemText(2, 0, longer));
    EXPECT_EQ(cxLong + list.GetStringWidth(longer) - cxText, list.GetColumnWidth(0));
    ASSERT_TRUE(list.SetItemText(2, 0, "d2"));
    EXPECT_EQ(cxLong, list.GetColumnWidth(0));

    // Back to a short text: the column shrinks to what it was.
    ASSERT_TRUE(list.SetItemText(1, 0, "d1"));
    EXPECT_EQ(cxShort, list.GetColumnWidth(0));
    EXPECT_EQ(cxLabel, LabelWidth(1));
    // A sub-item's text is no label.
    list.InsertColumn(0, "Name", LVCFMT_LEFT, 100);
    list.InsertColumn(1, "Size", LVCFMT_LEFT, 100);
    ASSERT_TRUE(list.SetItemText(1, 1, longText));
    EXPECT_EQ(cxShort, list.GetColumnWidth(0));
}

// The list view's scroll range counts the columns in sight, which the widest label sets:
// a label that grows, and one that shrinks again, lays the list out anew.
TEST_F(ListCtrlLabelWidthTest, ListScrollRangeFollowsTheWidestLabel)
{
    Make(LVS_LIST, 200);
    auto page = [this] {
        SCROLLINFO si;
        std::memset(&si, 0, sizeof(si));
        si.cbSize = sizeof(si);
        EXPECT_TRUE(list.GetScrollInfo(SB_HORZ, &si, SIF_ALL));
        return static_cast<int>(si.nPage);
    };
    list.Arrange(LVA_DEFAULT);  // laid out once more with the bars as they now are
    const int nPage = page();
    CRect client;
    list.GetClientRect(&client);
    ASSERT_GT(nPage, 1);
    EXPECT_EQ(client.Width() / list.GetColumnWidth(0), nPage);
    list.SetItemText(7, 0, "a label wider than half of the list's whole width");
    ASSERT_GT(list.GetColumnWidth(0), 200);
    EXPECT_EQ(1, page());
    list.SetItemText(7, 0, "d7");
    EXPECT_EQ(nPage, page());
}

TEST_F(ListCtrlLabelWidthTest, SmallIconLabelFollowsItsTextWithRedrawingOff)
{
    Make(LVS_SMALLICON, 4);
    const int cxLabel = LabelWidth(2);
    const CString wide = "wwwwwwwwwwwwwwwwwwwwwwwwwwwwww";
    list.SetRedraw(FALSE);
    list.SetItemText(2, 0, wide);
    list.InsertItem(4, wide + wide);
    list.SetRedraw(TRUE);
    EXPECT_EQ(cxLabel + list.GetStringWidth(wide) - list.GetStringWidth("d2"), LabelWidth(2));
    EXPECT_EQ(cxLabel + list.GetStringWidth(wide + wide) - list.GetStringWidth("d2"), LabelWidth(4));
    // The cells are as wide as the widest label; deleting it narrows them again.
    CRect rc0;
    list.GetItemRect(0, &rc0, LVIR_BOUNDS);
    const int cxCell = list.GetItemSpacing(TRUE).cx;
    EXPECT_GT(cxCell, list.GetStringWidth(wide + wide));
    list.DeleteItem(4);
    EXPECT_LT(list.GetItemSpacing(TRUE).cx, cxCell);
    EXPECT_GT(list.GetItemSpacing(TRUE).cx, list.GetStringWidth(wide));
    list.DeleteAllItems();
    list.InsertItem(0, "d0");
    EXPECT_LT(list.GetItemSpacing(TRUE).cx, list.GetStringWidth(wide));
}

TEST_F(ListCtrlLabelWidthTest, ANewFontMeasuresTheLabelsAgain)
{
    Make(LVS_LIST, 3);
    list.SetItemText(0, 0, "some label text");
    const int cxBefore = list.GetColumnWidth(0);
    const int cxLabelBefore = LabelWidth(0);
    LOGFONT lf;
    std::memset(&lf, 0, sizeof(lf));
    lf.lfHeight = -40;
    std::strcpy(lf.lfFaceName, "Sans");
    CFont big;
    ASSERT_TRUE(big.CreateFontIndirect(&lf));
    list.SetFont(&big);
    const int cxText = list.GetStringWidth("some label text");
    EXPECT_GT(LabelWidth(0), cxLabelBefore);
    EXPECT_GE(LabelWidth(0), cxText);
    EXPECT_GT(list.GetColumnWidth(0), cxBefore);
    EXPECT_GE(list.GetColumnWidth(0), cxText);
    list.DestroyWindow();
}

TEST_F(ListCtrlLabelWidthTest, TheParentsLabelsAreAskedEveryTime)
{
    // A parent whose labels grow each time it is asked for them.
    class CGrowingHost : public CNotifyHost
    {
    public:
        int m_nLength = 2;

    protected:
        BOOL OnNotifyHook(WPARAM, LPARAM lParam, LRESULT*) override
        {
            NMHDR* pHdr = reinterpret_cast<NMHDR*>(lParam);
            if (pHdr->code != static_cast<UINT>(LVN_GETDISPINFO))
                return FALSE;
            NMLVDISPINFO* p = reinterpret_cast<NMLVDISPINFO*>(lParam);
            if (p->item.mask & LVIF_TEXT)
            {
                CString s('m', m_nLength);
                std::snprintf(p->item.pszText, static_cast<size_t>(p->item.cchTextMax), "%s",
                              static_cast<LPCTSTR>(s));
            }
            return TRUE;
        }
    };
    CGrowingHost growing;
    ASSERT_TRUE(growing.CreateHost());
    CListCtrl cb;
    ASSERT_TRUE(cb.Create(WS_CHILD | WS_VISIBLE | LVS_LIST, CRect(0, 0, 300, 200), &growing, 9));
    cb.InsertItem(LVIF_TEXT, 0, LPSTR_TEXTCALLBACK, 0, 0, 0, 0);
    cb.InsertItem(1, "x");
    const int cxShort = cb.GetColumnWidth(0);
    growing.m_nLength = 30;
    const int cx30 = cb.GetColumnWidth(0);
    EXPECT_GT(cx30, cb.GetStringWidth(CString('m', 30)));
    growing.m_nLength = 40;
    EXPECT_EQ(cx30 + cb.GetStringWidth(CString('m', 40)) - cb.GetStringWidth(CString('m', 30)), cb.GetColumnWidth(0));
    // An item given a text of its own is measured once and kept.
    cb.SetItemText(0, 0, "y");
    EXPECT_EQ(cxShort, cb.GetColumnWidth(0));
    cb.DestroyWindow();
    growing.DestroyWindow();
}

// The vertical scroll range of the icon views reaches the lowest item, whether the items
// are arranged or placed.
TEST_F(ListCtrlLabelWidthTest, IconViewScrollRangeReachesTheLowestItem)
{
    for (DWORD dwView : {static_cast<DWORD>(LVS_SMALLICON), static_cast<DWORD>(LVS_ICON)})
    {
        SCOPED_TRACE(dwView);
        Make(dwView, 120);
        int nLowest = 0;
        for (int i = 0; i < list.GetItemCount(); ++i)
        {
            CRect rc;
            list.GetItemRect(i, &rc, LVIR_BOUNDS);
            nLowest = std::max<int>(nLowest, rc.bottom);
        }
        SCROLLINFO si;
        std::memset(&si, 0, sizeof(si));
        si.cbSize = sizeof(si);
        ASSERT_TRUE(list.GetScrollInfo(SB_VERT, &si, SIF_ALL));
        EXPECT_EQ(nLowest - 1, si.nMax);
        EXPECT_GT(si.nMax, static_cast<int>(si.nPage));  // more than one page: the bar shows

        list.SetItemPosition(5, CPoint(10, nLowest + 300));
        CRect rcPlaced;
        list.GetItemRect(5, &rcPlaced, LVIR_BOUNDS);
        ASSERT_TRUE(list.GetScrollInfo(SB_VERT, &si, SIF_ALL));
        EXPECT_EQ(rcPlaced.bottom - 1, si.nMax);
        list.Arrange(LVA_DEFAULT);
        ASSERT_TRUE(list.GetScrollInfo(SB_VERT, &si, SIF_ALL));
        EXPECT_EQ(nLowest - 1, si.nMax);
        list.DestroyWindow();
    }
}

}  // namespace

namespace {

// A paint of the icon views draws exactly the items whose rectangles reach into the
// client area, wherever the list is scrolled to.
TEST_F(ListCtrlLabelWidthTest, APaintDrawsEveryItemInSightAndNoOther)
{
    struct Case
    {
        DWORD dwStyle;
        CSize scroll;
    };
    const Case cases[] = {
        {LVS_ICON, CSize(0, 0)},       {LVS_ICON, CSize(0, 700)},
        {LVS_SMALLICON, CSize(0, 0)},  {LVS_SMALLICON, CSize(0, 333)},
        {LVS_LIST, CSize(0, 0)},       {LVS_LIST, CSize(500, 0)},
        {LVS_SMALLICON | LVS_ALIGNLEFT, CSize(250, 0)},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "style " << c.dwStyle << " scrolled " << c.scroll.cx << "," << c.scroll.cy);
        CListCtrl list;  // a new object each time: nothing scrolled before
        ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | c.dwStyle, CRect(0, 0, 400, 200), &host, 22));
        for (int i = 0; i < 300; ++i)
        {
            CString s;
            s.Format("d%d", i);
            list.InsertItem(i, s);
        }
        list.Scroll(c.scroll);
        CRect client;
        list.GetClientRect(&client);
        std::set<CString> want;
        for (int i = 0; i < list.GetItemCount(); ++i)
        {
            CRect rc;
            list.GetItemRect(i, &rc, LVIR_BOUNDS);
            if (rc.bottom >= client.top && rc.top <= client.bottom && rc.right >= client.left && rc.left <= client.right)
                want.insert(list.GetItemText(i, 0));
        }
        ASSERT_FALSE(want.empty());
        ASSERT_LT(want.size(), 300u);  // some items are out of sight
        CDrawRecorder rec(&list);
        list.Invalidate();
        list.UpdateWindow();
        std::set<CString> drawn;
        for (const AfxDrawOp* op : rec.Texts())
            drawn.insert(op->text);
        EXPECT_EQ(want, drawn);
        list.DestroyWindow();
    }
}

}  // namespace
