#include "FrameTestSupport.h"

#include <cstring>

namespace {

class ListCtrlTest : public FrameTest
{
protected:
    void SetUp() override
    {
        FrameTest::SetUp();
        ASSERT_TRUE(host.CreateHost(420, 300));
        ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS, CRect(10, 10, 410, 290), &host, 77));
        list.InsertColumn(0, "Name", LVCFMT_LEFT, 120);
        list.InsertColumn(1, "Size", LVCFMT_RIGHT, 60);
        list.InsertColumn(2, "Type", LVCFMT_LEFT, 80);
    }
    void TearDown() override
    {
        list.DestroyWindow();
        host.DestroyWindow();
        FrameTest::TearDown();
    }
    void Fill(const char* const* names, int n)
    {
        for (int i = 0; i < n; ++i)
        {
            int nItem = list.InsertItem(i, names[i]);
            list.SetItemData(nItem, static_cast<DWORD_PTR>(100 + i));
        }
    }
    CPoint CenterOf(int nItem, UINT nCode = LVIR_LABEL)
    {
        CRect rc;
        EXPECT_TRUE(list.GetItemRect(nItem, &rc, nCode));
        return rc.CenterPoint();
    }

    CNotifyHost host;
    CListCtrl list;
};

TEST_F(ListCtrlTest, ItemsSubItemsAndData)
{
    EXPECT_EQ(0, list.InsertItem(0, "b.doc"));
    EXPECT_EQ(0, list.InsertItem(0, "a.doc"));
    EXPECT_EQ(2, list.InsertItem(5, "c.doc"));  // past the end: appended
    EXPECT_EQ(3, list.GetItemCount());
    EXPECT_TRUE(list.SetItemText(1, 1, "12 KB"));
    EXPECT_TRUE(list.SetItemText(1, 2, "文档"));
    EXPECT_FALSE(list.SetItemText(1, 3, "no such column"));
    EXPECT_FALSE(list.SetItemText(9, 0, "no such item"));
    EXPECT_STREQ("a.doc", list.GetItemText(0, 0));
    EXPECT_STREQ("b.doc", list.GetItemText(1, 0));
    EXPECT_STREQ("12 KB", list.GetItemText(1, 1));
    EXPECT_STREQ("文档", list.GetItemText(1, 2));
    EXPECT_STREQ("", list.GetItemText(2, 1));
    EXPECT_TRUE(list.SetItemData(2, 0xABCD));
    EXPECT_EQ(0xABCDu, list.GetItemData(2));
    EXPECT_EQ(0u, list.GetItemData(7));
    char buf[4];
    EXPECT_EQ(3, list.GetItemText(0, 0, buf, sizeof(buf)));  // cut to the buffer
    EXPECT_STREQ("a.d", buf);
    EXPECT_TRUE(list.DeleteItem(0));
    EXPECT_STREQ("b.doc", list.GetItemText(0, 0));
    EXPECT_FALSE(list.DeleteItem(5));
    EXPECT_EQ(2, list.GetItemCount());
}

TEST_F(ListCtrlTest, InsertAndDeleteNotifyTheParent)
{
    host.notes.clear();
    list.InsertItem(0, "x");
    list.InsertItem(1, "y");
    list.DeleteItem(0);
    list.DeleteAllItems();
    std::vector<int> want = {static_cast<int>(LVN_INSERTITEM), static_cast<int>(LVN_INSERTITEM),
                             static_cast<int>(LVN_DELETEITEM), static_cast<int>(LVN_DELETEALLITEMS),
                             static_cast<int>(LVN_DELETEITEM)};
    EXPECT_EQ(want, host.Codes());
    EXPECT_EQ(1, host.notes[1].iItem);
    EXPECT_EQ(0, host.notes[2].iItem);
}

TEST_F(ListCtrlTest, ReportGeometryFollowsTheColumns)
{
    const char* names[] = {"one", "two", "three"};
    Fill(names, 3);
    CRect b0, b1, l0;
    ASSERT_TRUE(list.GetItemRect(0, &b0, LVIR_BOUNDS));
    ASSERT_TRUE(list.GetItemRect(1, &b1, LVIR_BOUNDS));
    ASSERT_TRUE(list.GetItemRect(0, &l0, LVIR_LABEL));
    int h = list.GetRowHeight();
    EXPECT_GT(h, 0);
    // Rows below the header, one row height apart, as wide as the columns together.
    CHeaderCtrl* pHeader = list.GetHeaderCtrl();
    ASSERT_NE(nullptr, pHeader);
    EXPECT_EQ(pHeader->GetHeight(), b0.top);
    EXPECT_EQ(h, b0.Height());
    EXPECT_EQ(b0.top + h, b1.top);
    EXPECT_EQ(0, b0.left);
    EXPECT_EQ(260, b0.right);
    // Without a small image list the label is the whole first column.
    EXPECT_EQ(0, l0.left);
    EXPECT_EQ(120, l0.right);
    CRect sub;
    ASSERT_TRUE(list.GetSubItemRect(1, 2, LVIR_BOUNDS, sub));
    EXPECT_EQ(180, sub.left);
    EXPECT_EQ(260, sub.right);
    EXPECT_EQ(b1.top, sub.top);
    EXPECT_FALSE(list.GetItemRect(3, &b0, LVIR_BOUNDS));
}

TEST_F(ListCtrlTest, HitTestFindsRowAndColumn)
{
    const char* names[] = {"one", "two", "three"};
    Fill(names, 3);
    CRect b2;
    list.GetItemRect(2, &b2, LVIR_BOUNDS);
    LVHITTESTINFO ht;
    std::memset(&ht, 0, sizeof(ht));
    ht.pt = CPoint(200, b2.top + 2);
    EXPECT_EQ(2, list.SubItemHitTest(&ht));
    EXPECT_EQ(2, ht.iSubItem);
    EXPECT_EQ(static_cast<UINT>(LVHT_ONITEMLABEL), ht.flags);
    UINT flags = 0;
    EXPECT_EQ(-1, list.HitTest(CPoint(5, b2.bottom + 3), &flags));
    EXPECT_EQ(static_cast<UINT>(LVHT_NOWHERE), flags);
    EXPECT_EQ(-1, list.HitTest(CPoint(5, 1), &flags));  // on the header
    EXPECT_EQ(static_cast<UINT>(LVHT_ABOVE), flags);
}

TEST_F(ListCtrlTest, ClickSelectsThenNotifiesInThePlatformOrder)
{
    const char* names[] = {"one", "two", "three"};
    Fill(names, 3);
    list.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    host.notes.clear();
    AfxTestClick(&list, CenterOf(2));
    AfxPumpMessages();
    // The old item loses selection and focus, the new one gets both at once, then the click.
    std::vector<int> codes;
    for (const RecordedNotify& n : host.notes)
        if (n.code != static_cast<int>(NM_SETFOCUS) && n.code != static_cast<int>(NM_KILLFOCUS))
            codes.push_back(n.code);
    std::vector<int> want = {static_cast<int>(LVN_ITEMCHANGING), static_cast<int>(LVN_ITEMCHANGED),
                             static_cast<int>(LVN_ITEMCHANGING), static_cast<int>(LVN_ITEMCHANGED),
                             static_cast<int>(NM_CLICK)};
    ASSERT_EQ(want, codes);
    std::vector<RecordedNotify> changed;
    for (const RecordedNotify& n : host.notes)
        if (n.code == static_cast<int>(LVN_ITEMCHANGED))
            changed.push_back(n);
    EXPECT_EQ(0, changed[0].iItem);
    EXPECT_EQ(static_cast<UINT>(LVIS_SELECTED | LVIS_FOCUSED), changed[0].uOldState);
    EXPECT_EQ(0u, changed[0].uNewState);
    EXPECT_EQ(2, changed[1].iItem);
    EXPECT_EQ(static_cast<UINT>(LVIS_SELECTED | LVIS_FOCUSED), changed[1].uNewState);
    EXPECT_EQ(2, host.notes.back().iItem);
    EXPECT_EQ(2, list.GetNextItem(-1, LVNI_SELECTED));
    EXPECT_EQ(2, list.GetSelectionMark());
    EXPECT_EQ(1u, list.GetSelectedCount());
}

TEST_F(ListCtrlTest, AVetoedChangeKeepsTheState)
{
    const char* names[] = {"one", "two"};
    Fill(names, 2);
    host.vetoCodes.push_back(static_cast<int>(LVN_ITEMCHANGING));
    EXPECT_FALSE(list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED));
    EXPECT_EQ(0u, list.GetItemState(1, LVIS_SELECTED));
    host.vetoCodes.clear();
    EXPECT_TRUE(list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED));
    EXPECT_EQ(static_cast<UINT>(LVIS_SELECTED), list.GetItemState(1, LVIS_SELECTED));
}

TEST_F(ListCtrlTest, DoubleAndRightClicksNotify)
{
    const char* names[] = {"one", "two"};
    Fill(names, 2);
    host.notes.clear();
    AfxTestDoubleClick(&list, CenterOf(1));
    AfxPumpMessages();
    bool bDbl = false;
    for (const RecordedNotify& n : host.notes)
        if (n.code == static_cast<int>(NM_DBLCLK))
        {
            bDbl = true;
            EXPECT_EQ(1, n.iItem);
        }
    EXPECT_TRUE(bDbl);
    host.notes.clear();
    CRect b1;
    list.GetItemRect(1, &b1, LVIR_BOUNDS);
    AfxTestClick(&list, CPoint(20, b1.bottom + 20), AFX_TEST_RIGHT);
    AfxPumpMessages();
    ASSERT_FALSE(host.notes.empty());
    EXPECT_EQ(static_cast<int>(NM_RCLICK), host.notes.back().code);
    EXPECT_EQ(-1, host.notes.back().iItem);  // empty space
}

int CALLBACK CompareByText(LPARAM l1, LPARAM l2, LPARAM lSort)
{
    CListCtrl* pList = reinterpret_cast<CListCtrl*>(lSort);
    // Item data are 100 + the original index; the texts are looked up through them.
    LVFINDINFO fi;
    std::memset(&fi, 0, sizeof(fi));
    fi.flags = LVFI_PARAM;
    fi.lParam = l1;
    CString a = pList->GetItemText(pList->FindItem(&fi), 0);
    fi.lParam = l2;
    CString b = pList->GetItemText(pList->FindItem(&fi), 0);
    return a.Compare(b);
}

// A parent that sorts its list when a column heading is clicked.
class CSortingHost : public CNotifyHost
{
public:
    CListCtrl* pList = nullptr;
    int nSortedColumn = -1;

protected:
    BOOL OnNotifyHook(WPARAM, LPARAM lParam, LRESULT* pResult) override
    {
        NMHDR* pHdr = reinterpret_cast<NMHDR*>(lParam);
        if (pList != nullptr && pHdr->hwndFrom == pList->m_hWnd && pHdr->code == static_cast<UINT>(LVN_COLUMNCLICK))
        {
            nSortedColumn = reinterpret_cast<NMLISTVIEW*>(lParam)->iSubItem;
            pList->SortItems(&CompareByText, reinterpret_cast<DWORD_PTR>(pList));
            *pResult = 0;
            return TRUE;
        }
        return FALSE;
    }
};

// These tests make their own parent: one top-level window at a time.
class ListCtrlOwnHostTest : public FrameTest
{
};

TEST_F(ListCtrlOwnHostTest, ColumnClickSortsTheReportList)
{
    CSortingHost sorter;
    ASSERT_TRUE(sorter.CreateHost(420, 300));
    CListCtrl sorted;
    ASSERT_TRUE(sorted.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 400, 280), &sorter, 5));
    sorter.pList = &sorted;
    sorted.InsertColumn(0, "Name", LVCFMT_LEFT, 150);
    sorted.InsertColumn(1, "Size", LVCFMT_RIGHT, 80);
    const char* names[] = {"pear", "apple", "fig", "banana"};
    for (int i = 0; i < 4; ++i)
    {
        sorted.InsertItem(i, names[i]);
        sorted.SetItemData(i, static_cast<DWORD_PTR>(100 + i));
        CString size;
        size.Format("%d", (i + 1) * 10);
        sorted.SetItemText(i, 1, size);
    }
    sorted.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);  // "pear" selected
    CHeaderCtrl* pHeader = sorted.GetHeaderCtrl();
    ASSERT_NE(nullptr, pHeader);
    CRect rcHead;
    ASSERT_TRUE(pHeader->GetItemRect(0, &rcHead));
    AfxTestClick(pHeader, rcHead.CenterPoint());
    AfxPumpMessages();
    EXPECT_EQ(0, sorter.nSortedColumn);
    EXPECT_STREQ("apple", sorted.GetItemText(0, 0));
    EXPECT_STREQ("banana", sorted.GetItemText(1, 0));
    EXPECT_STREQ("fig", sorted.GetItemText(2, 0));
    EXPECT_STREQ("pear", sorted.GetItemText(3, 0));
    // Sub-items, data and states go with their items.
    EXPECT_STREQ("40", sorted.GetItemText(1, 1));
    EXPECT_EQ(101u, sorted.GetItemData(0));
    EXPECT_EQ(3, sorted.GetNextItem(-1, LVNI_SELECTED));
    sorted.DestroyWindow();
    sorter.DestroyWindow();
}

TEST_F(ListCtrlOwnHostTest, CallbackTextsAreAskedOfTheParent)
{
    // A parent that answers LVN_GETDISPINFO with "row <n> col <m>".
    class CDispHost : public CNotifyHost
    {
    protected:
        BOOL OnNotifyHook(WPARAM, LPARAM lParam, LRESULT*) override
        {
            NMHDR* pHdr = reinterpret_cast<NMHDR*>(lParam);
            if (pHdr->code != static_cast<UINT>(LVN_GETDISPINFO))
                return FALSE;
            NMLVDISPINFO* p = reinterpret_cast<NMLVDISPINFO*>(lParam);
            if (p->item.mask & LVIF_TEXT)
                std::snprintf(p->item.pszText, static_cast<size_t>(p->item.cchTextMax), "row %d col %d", p->item.iItem,
                              p->item.iSubItem);
            return TRUE;
        }
    };
    CDispHost disp;
    ASSERT_TRUE(disp.CreateHost());
    CListCtrl cb;
    ASSERT_TRUE(cb.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 300, 200), &disp, 9));
    cb.InsertColumn(0, "A", LVCFMT_LEFT, 100);
    cb.InsertColumn(1, "B", LVCFMT_LEFT, 100);
    cb.InsertItem(LVIF_TEXT, 0, LPSTR_TEXTCALLBACK, 0, 0, 0, 0);
    cb.InsertItem(1, "fixed");
    cb.SetItemText(1, 1, LPSTR_TEXTCALLBACK);
    EXPECT_STREQ("row 0 col 0", cb.GetItemText(0, 0));
    EXPECT_STREQ("fixed", cb.GetItemText(1, 0));
    EXPECT_STREQ("row 1 col 1", cb.GetItemText(1, 1));
    cb.DestroyWindow();
    disp.DestroyWindow();
}

TEST_F(ListCtrlTest, TopIndexPageAndScrolling)
{
    for (int i = 0; i < 40; ++i)
    {
        CString s;
        s.Format("item %02d", i);
        list.InsertItem(i, s);
    }
    int h = list.GetRowHeight();
    CRect client;
    list.GetClientRect(&client);
    int nPage = (client.Height() - list.GetHeaderCtrl()->GetHeight()) / h;
    EXPECT_EQ(nPage, list.GetCountPerPage());
    EXPECT_EQ(0, list.GetTopIndex());
    EXPECT_TRUE(list.EnsureVisible(30, FALSE));
    EXPECT_EQ(30 - nPage + 1, list.GetTopIndex());
    CRect rc30;
    list.GetItemRect(30, &rc30, LVIR_BOUNDS);
    EXPECT_LE(rc30.bottom, client.bottom);
    EXPECT_TRUE(list.EnsureVisible(2, FALSE));
    EXPECT_EQ(2, list.GetTopIndex());
    // Scrolling by part of a row moves a whole row.
    list.Scroll(CSize(0, h / 2));
    EXPECT_EQ(3, list.GetTopIndex());
    list.Scroll(CSize(0, -3 * h));
    EXPECT_EQ(0, list.GetTopIndex());
    list.Scroll(CSize(0, 1000 * h));
    EXPECT_EQ(40 - nPage, list.GetTopIndex());
}

TEST_F(ListCtrlTest, NextItemAndSelectionPositions)
{
    const char* names[] = {"a", "b", "c", "d"};
    Fill(names, 4);
    list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    list.SetItemState(3, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    EXPECT_EQ(1, list.GetNextItem(-1, LVNI_SELECTED));
    EXPECT_EQ(3, list.GetNextItem(1, LVNI_SELECTED));
    EXPECT_EQ(-1, list.GetNextItem(3, LVNI_SELECTED));
    EXPECT_EQ(3, list.GetNextItem(-1, LVNI_FOCUSED));
    EXPECT_EQ(0, list.GetNextItem(-1, LVNI_ALL));
    POSITION pos = list.GetFirstSelectedItemPosition();
    EXPECT_EQ(1, list.GetNextSelectedItem(pos));
    EXPECT_EQ(3, list.GetNextSelectedItem(pos));
    EXPECT_EQ(NULL, pos);
    // One focus only.
    list.SetItemState(0, LVIS_FOCUSED, LVIS_FOCUSED);
    EXPECT_EQ(0, list.GetNextItem(-1, LVNI_FOCUSED));
    EXPECT_EQ(-1, list.GetNextItem(0, LVNI_FOCUSED));
}

TEST_F(ListCtrlTest, SingleSelectionKeepsOneSelectedItem)
{
    list.ModifyStyle(0, LVS_SINGLESEL);
    const char* names[] = {"a", "b", "c"};
    Fill(names, 3);
    list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    list.SetItemState(2, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(1u, list.GetSelectedCount());
    EXPECT_EQ(2, list.GetNextItem(-1, LVNI_SELECTED));
}

TEST_F(ListCtrlTest, KeysMoveTheSelectionAfterLvnKeydown)
{
    const char* names[] = {"a", "b", "c"};
    Fill(names, 3);
    AfxTestFocus(&list);
    list.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    host.notes.clear();
    AfxTestKey(&list, VK_DOWN);
    AfxPumpMessages();
    ASSERT_FALSE(host.notes.empty());
    EXPECT_EQ(static_cast<int>(LVN_KEYDOWN), host.notes.front().code);
    EXPECT_EQ(1, list.GetNextItem(-1, LVNI_SELECTED));
    EXPECT_EQ(1, list.GetNextItem(-1, LVNI_FOCUSED));
    AfxTestKey(&list, VK_END);
    AfxPumpMessages();
    EXPECT_EQ(2, list.GetNextItem(-1, LVNI_SELECTED));
}

TEST_F(ListCtrlTest, ReportViewDrawsTheTextsInTheirCells)
{
    const char* names[] = {"alpha", "beta"};
    Fill(names, 2);
    list.SetItemText(1, 1, "42");
    CDrawRecorder rec(&list);
    list.Invalidate();
    list.UpdateWindow();
    const AfxDrawOp* pBeta = rec.FindText("beta");
    ASSERT_NE(nullptr, pBeta);
    const AfxDrawOp* p42 = rec.FindText("42");
    ASSERT_NE(nullptr, p42);
    CRect b1;
    list.GetItemRect(1, &b1, LVIR_BOUNDS);
    EXPECT_GE(pBeta->rect.top, b1.top);
    EXPECT_LE(pBeta->rect.bottom, b1.bottom);
    EXPECT_LT(pBeta->rect.right, 121);
    // The right-aligned column.
    EXPECT_NE(0u, p42->flags & DT_RIGHT);
    EXPECT_GE(p42->rect.left, 120);
    EXPECT_LE(p42->rect.right, 180);
}

}  // namespace

namespace {

// An owner-drawn report list: the rows are measured and drawn by the list's own class, as
// the system's report list does.
class COwnerList : public CListCtrl
{
public:
    std::vector<std::pair<UINT, CRect>> drawn;
    std::vector<UINT> states;
    int m_nHeight = 25;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMIS) override { lpMIS->itemHeight = static_cast<UINT>(m_nHeight); }
    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override
    {
        drawn.emplace_back(lpDIS->itemID, CRect(lpDIS->rcItem));
        states.push_back(lpDIS->itemState);
        CDC* pDC = CDC::FromHandle(lpDIS->hDC);
        pDC->TextOut(lpDIS->rcItem.left + 2, lpDIS->rcItem.top + 2, GetItemText(static_cast<int>(lpDIS->itemID), 0));
    }
};

TEST_F(ListCtrlOwnHostTest, OwnerDrawnRowsAreMeasuredAndDrawnByTheList)
{
    CNotifyHost host;
    ASSERT_TRUE(host.CreateHost(400, 300));
    COwnerList list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDRAWFIXED | LVS_SHOWSELALWAYS,
                            CRect(0, 0, 380, 280), &host, 12));
    list.InsertColumn(0, "Member", LVCFMT_LEFT, 150);
    list.InsertColumn(1, "Right", LVCFMT_LEFT, 100);
    list.InsertItem(0, "alice");
    list.InsertItem(1, "bob");
    list.InsertItem(2, "carol");
    list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(25, list.GetRowHeight());
    list.drawn.clear();
    list.states.clear();
    CDrawRecorder rec(&list);
    list.Invalidate();
    list.UpdateWindow();
    ASSERT_EQ(3u, list.drawn.size());
    int top = list.GetHeaderCtrl()->GetHeight();
    for (UINT i = 0; i < 3; ++i)
    {
        EXPECT_EQ(i, list.drawn[i].first);
        EXPECT_EQ(CRect(0, top + 25 * static_cast<int>(i), 250, top + 25 * static_cast<int>(i) + 25), list.drawn[i].second);
    }
    EXPECT_NE(0u, list.states[1] & ODS_SELECTED);
    EXPECT_EQ(0u, list.states[0] & ODS_SELECTED);
    EXPECT_NE(nullptr, rec.FindText("bob"));
    // A new height is measured when the list is told its window changed.
    list.m_nHeight = 30;
    WINDOWPOS wp = {};
    CRect rc;
    list.GetWindowRect(&rc);
    wp.hwnd = list.m_hWnd;
    wp.cx = rc.Width();
    wp.cy = rc.Height();
    wp.flags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
    list.SendMessage(WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&wp));
    EXPECT_EQ(30, list.GetRowHeight());
    CRect b2;
    list.GetItemRect(2, &b2, LVIR_BOUNDS);
    EXPECT_EQ(top + 60, b2.top);
    list.DestroyWindow();
    host.DestroyWindow();
}

TEST_F(ListCtrlOwnHostTest, IconAndListViewsPlaceTheirItems)
{
    CNotifyHost host;
    ASSERT_TRUE(host.CreateHost(400, 300));
    CListCtrl list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_ICON, CRect(0, 0, 300, 200), &host, 13));
    for (int i = 0; i < 6; ++i)
    {
        CString s;
        s.Format("doc%d.txt", i);
        list.InsertItem(i, s, 0);
    }
    CSize spacing = list.GetItemSpacing(FALSE);
    int nPerRow = 300 / spacing.cx;
    CRect r0, r1, rNext;
    list.GetItemRect(0, &r0, LVIR_BOUNDS);
    list.GetItemRect(1, &r1, LVIR_BOUNDS);
    list.GetItemRect(nPerRow, &rNext, LVIR_BOUNDS);
    EXPECT_EQ(r0.left + spacing.cx, r1.left);  // one cell to the right
    EXPECT_EQ(r0.top + spacing.cy, rNext.top);  // the next row
    CRect icon0, label0;
    list.GetItemRect(0, &icon0, LVIR_ICON);
    list.GetItemRect(0, &label0, LVIR_LABEL);
    EXPECT_EQ(32, icon0.Width());  // the large icon size without an image list
    EXPECT_LE(icon0.bottom, label0.top);
    // The list view fills columns from the top; the header shows in the report view only.
    EXPECT_FALSE(list.GetHeaderCtrl()->IsWindowVisible());
    list.ModifyStyle(LVS_TYPEMASK, LVS_REPORT);
    EXPECT_TRUE(list.GetHeaderCtrl()->IsWindowVisible());
    list.ModifyStyle(LVS_TYPEMASK, LVS_LIST);
    EXPECT_FALSE(list.GetHeaderCtrl()->IsWindowVisible());
    CRect l0, l1;
    list.GetItemRect(0, &l0, LVIR_BOUNDS);
    list.GetItemRect(1, &l1, LVIR_BOUNDS);
    EXPECT_EQ(l0.left, l1.left);
    EXPECT_EQ(l0.top + list.GetRowHeight(), l1.top);
    EXPECT_EQ(3, list.HitTest(CPoint(l0.left + 5, l0.top + 3 * list.GetRowHeight() + 2)));
    list.DestroyWindow();
    host.DestroyWindow();
}

}  // namespace

namespace {

// A parent that keeps the edited label unless it is "no".
class CLabelHost : public CNotifyHost
{
public:
    CString m_strEdited = "(none)";
    bool m_bCancelled = false;

protected:
    BOOL OnNotifyHook(WPARAM, LPARAM lParam, LRESULT* pResult) override
    {
        NMHDR* pHdr = reinterpret_cast<NMHDR*>(lParam);
        if (pHdr->code != static_cast<UINT>(LVN_ENDLABELEDIT))
            return FALSE;
        NMLVDISPINFO* p = reinterpret_cast<NMLVDISPINFO*>(lParam);
        if (p->item.pszText == nullptr)
        {
            m_bCancelled = true;
            *pResult = 0;
            return TRUE;
        }
        m_strEdited = p->item.pszText;
        *pResult = m_strEdited != "no";
        return TRUE;
    }
};

TEST_F(ListCtrlOwnHostTest, LabelsAreEditedInPlace)
{
    CLabelHost host;
    ASSERT_TRUE(host.CreateHost(400, 300));
    CListCtrl list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_EDITLABELS, CRect(0, 0, 380, 280), &host, 14));
    list.InsertColumn(0, "Name", LVCFMT_LEFT, 150);
    list.InsertItem(0, "old");
    CEdit* pEdit = list.EditLabel(0);
    ASSERT_NE(nullptr, pEdit);
    EXPECT_EQ(pEdit, list.GetEditControl());
    CString text;
    pEdit->GetWindowText(text);
    EXPECT_STREQ("old", text);
    pEdit->SetWindowText("new");
    AfxTestKey(pEdit, VK_RETURN);
    AfxPumpMessages();
    EXPECT_STREQ("new", host.m_strEdited);
    EXPECT_STREQ("new", list.GetItemText(0, 0));
    EXPECT_EQ(nullptr, list.GetEditControl());
    // Refused by the parent: the label stays.
    pEdit = list.EditLabel(0);
    ASSERT_NE(nullptr, pEdit);
    pEdit->SetWindowText("no");
    AfxTestKey(pEdit, VK_RETURN);
    AfxPumpMessages();
    EXPECT_STREQ("new", list.GetItemText(0, 0));
    // Escape cancels.
    pEdit = list.EditLabel(0);
    ASSERT_NE(nullptr, pEdit);
    pEdit->SetWindowText("dropped");
    AfxTestKey(pEdit, VK_ESCAPE);
    AfxPumpMessages();
    EXPECT_TRUE(host.m_bCancelled);
    EXPECT_STREQ("new", list.GetItemText(0, 0));
    list.DestroyWindow();
    host.DestroyWindow();
}

}  // namespace
