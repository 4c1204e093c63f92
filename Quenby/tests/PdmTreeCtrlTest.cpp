// The folder tree over a scripted store: one level loaded per selection or expand button,
// the announcements to its parent, the children mark, paths, and failures of the store.
#include "BrowserTestSupport.h"

#include <ClassLib/Gdi/ResourceImages.h>
#include <Pdm/PdmStore.h>

namespace {

class PdmTreeTest : public CWndTestBase
{
protected:
    void SetUp() override
    {
        CWndTestBase::SetUp();
        // Root: A (with A1, which has A11), B (says it has children, has none), C.
        pdm.AddNode(20, 0, 21, 1, "A");
        pdm.AddNode(20, 0, 21, 2, "B", 1);
        pdm.AddNode(20, 0, 21, 3, "C");
        pdm.AddNode(21, 1, 21, 11, "A1");
        pdm.AddNode(21, 11, 21, 111, "A11");
        ASSERT_TRUE(parent.CreateParent());
        ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 380), &parent, IDC_PDMTREE));
        tree.Init();
    }
    void TearDown() override
    {
        if (tree.GetSafeHwnd())
            tree.DestroyWindow();
        if (parent.GetSafeHwnd())
            parent.DestroyWindow();
        CWndTestBase::TearDown();
    }
    HTREEITEM Find(HTREEITEM hParent, const char* name)
    {
        for (HTREEITEM h = tree.GetChildItem(hParent); h != NULL; h = tree.GetNextSiblingItem(h))
            if (tree.GetItemText(h) == name)
                return h;
        return NULL;
    }
    std::vector<std::string> Names(HTREEITEM hParent)
    {
        std::vector<std::string> names;
        for (HTREEITEM h = tree.GetChildItem(hParent); h != NULL; h = tree.GetNextSiblingItem(h))
            names.push_back((LPCTSTR)tree.GetItemText(h));
        return names;
    }
    // The point on the item's expand button, found by hit-testing its row.
    bool ButtonPoint(HTREEITEM hItem, CPoint& point)
    {
        CRect rect;
        if (!tree.GetItemRect(hItem, &rect, FALSE))
            return false;
        for (int x = rect.left; x < rect.right; x++) {
            UINT flags = 0;
            CPoint pt(x, rect.CenterPoint().y);
            if (tree.HitTest(pt, &flags) == hItem && (flags & TVHT_ONITEMBUTTON)) {
                point = pt;
                return true;
            }
        }
        return false;
    }
    std::vector<BrowserMessage> Announced() const { return parent.messages; }

    CFakePdm pdm;
    CPdmFactoryScope factory{pdm.Factory()};
    CRecordingParent parent;
    CTestTreeCtrl tree;
};

void ExpectMessages(const std::vector<BrowserMessage>& got, const std::vector<BrowserMessage>& want)
{
    ASSERT_EQ(got.size(), want.size());
    for (size_t i = 0; i < got.size(); i++) {
        EXPECT_EQ(got[i].message, want[i].message) << i;
        EXPECT_EQ(got[i].wParam, want[i].wParam) << i;
        EXPECT_EQ(got[i].lParam, want[i].lParam) << i;
    }
}

TEST_F(PdmTreeTest, TheRootLoadShowsItsFoldersSelectsTheFirstAndAnnouncesIt)
{
    tree.LoadData(20, 0);
    EXPECT_EQ(Names(TVI_ROOT), (std::vector<std::string>{"A", "B", "C"}));
    HTREEITEM hA = Find(TVI_ROOT, "A");
    EXPECT_EQ(tree.GetSelectedItem(), hA);
    EXPECT_EQ(tree.m_hSelItem, hA);
    ExpectMessages(Announced(), {{WM_PDMTREE_SELCHANGED, 21, 1}});
    // The root level, then A's level on its selection; nothing deeper.
    EXPECT_EQ(pdm.Calls(), (std::vector<std::string>{"LoadChildren(20,0)", "GetCount", "GetItem", "GetItem",
                                                     "GetItem", "LoadChildren(21,1)", "GetCount", "GetItem"}));
    EXPECT_EQ(Names(hA), (std::vector<std::string>{"A1"}));
    int nImage = -1, nSelected = -1;
    ASSERT_TRUE(tree.GetItemImage(hA, nImage, nSelected));
    EXPECT_EQ(nImage, 0);
    EXPECT_EQ(nSelected, 1);
    UINT c = 0, o = 0;
    ASSERT_TRUE(tree.GetItemInfo(Find(hA, "A1"), c, o));
    EXPECT_EQ(c, 21u);
    EXPECT_EQ(o, 11u);
    EXPECT_EQ(tree.m_listPair.GetCount(), 4);
    EXPECT_FALSE(tree.GetItemInfo(NULL, c, o));
}

TEST_F(PdmTreeTest, OneLevelIsLoadedPerExpandButtonAndOnlyOnce)
{
    tree.LoadData(20, 0);
    HTREEITEM hA = Find(TVI_ROOT, "A");
    tree.Expand(hA, TVE_EXPAND);
    HTREEITEM hA1 = Find(hA, "A1");
    ASSERT_NE(hA1, nullptr);
    // Not loaded yet, but it shows its button.
    EXPECT_EQ(tree.GetChildItem(hA1), nullptr);
    EXPECT_TRUE(tree.ItemHasChildren(hA1));
    pdm.ClearCalls();
    parent.messages.clear();
    CPoint button;
    ASSERT_TRUE(ButtonPoint(hA1, button));
    AfxTestClick(&tree, button);
    AfxPumpMessages();
    EXPECT_EQ(pdm.Calls(), (std::vector<std::string>{"LoadChildren(21,11)", "GetCount", "GetItem"}));
    EXPECT_EQ(Names(hA1), (std::vector<std::string>{"A11"}));
    // A11 has nothing below it: its own level is not asked for until it is opened.
    HTREEITEM hA11 = Find(hA1, "A11");
    EXPECT_FALSE(tree.ItemHasChildren(hA11));
    // A click on the button only loads: no folder was selected, nothing announced.
    EXPECT_TRUE(Announced().empty());
    pdm.ClearCalls();
    ASSERT_TRUE(ButtonPoint(hA1, button));
    AfxTestClick(&tree, button);
    AfxTestClick(&tree, button);
    AfxPumpMessages();
    EXPECT_TRUE(pdm.Calls().empty());
    // Selecting the loaded folder reads nothing more either.
    tree.SelectItem(hA1);
    EXPECT_TRUE(pdm.Calls().empty());
    ExpectMessages(Announced(), {{WM_PDMTREE_SELCHANGED, 21, 11}});
}

TEST_F(PdmTreeTest, SelectingAThenBThenAAgainAnnouncesEachTime)
{
    tree.LoadData(20, 0);
    tree.SelectItem(Find(TVI_ROOT, "B"));
    tree.SelectItem(Find(TVI_ROOT, "A"));
    ExpectMessages(Announced(), {{WM_PDMTREE_SELCHANGED, 21, 1},
                                 {WM_PDMTREE_SELCHANGED, 21, 2},
                                 {WM_PDMTREE_SELCHANGED, 21, 1}});
}

TEST_F(PdmTreeTest, ReselectingTheAnnouncedFolderSendsNothing)
{
    tree.LoadData(20, 0);
    parent.messages.clear();
    pdm.ClearCalls();
    // The selection notification for the folder shown already.
    NMTREEVIEW nm = {};
    nm.hdr.hwndFrom = tree.GetSafeHwnd();
    nm.hdr.idFrom = IDC_PDMTREE;
    nm.hdr.code = TVN_SELCHANGED;
    nm.itemNew.hItem = tree.GetSelectedItem();
    parent.SendMessage(WM_NOTIFY, IDC_PDMTREE, reinterpret_cast<LPARAM>(&nm));
    EXPECT_TRUE(Announced().empty());
    EXPECT_TRUE(pdm.Calls().empty());
}

TEST_F(PdmTreeTest, AFolderWhoseRecordPromisesChildrenButHasNoneLosesItsButton)
{
    tree.LoadData(20, 0);
    HTREEITEM hB = Find(TVI_ROOT, "B");
    EXPECT_TRUE(tree.ItemHasChildren(hB));
    tree.SelectItem(hB);
    EXPECT_FALSE(tree.ItemHasChildren(hB));
    EXPECT_EQ(tree.GetChildItem(hB), nullptr);
    // C's record says nothing is below it: no button from the start.
    EXPECT_FALSE(tree.ItemHasChildren(Find(TVI_ROOT, "C")));
}

TEST_F(PdmTreeTest, ClassZeroEmptiesTheTreeAndAnnouncesNothing)
{
    tree.LoadData(20, 0);
    parent.messages.clear();
    tree.LoadData(0, 5);
    EXPECT_EQ(tree.GetCount(), 0u);
    EXPECT_EQ(tree.m_listPair.GetCount(), 0);
    EXPECT_EQ(tree.m_hSelItem, nullptr);
    EXPECT_TRUE(Announced().empty());
}

TEST_F(PdmTreeTest, AReloadDiscardsTheTreeAndAnnouncesTheFirstFolderAgain)
{
    tree.LoadData(20, 0);
    tree.LoadData(20, 0);
    EXPECT_EQ(Names(TVI_ROOT), (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_EQ(tree.m_listPair.GetCount(), 4);
    ExpectMessages(Announced(), {{WM_PDMTREE_SELCHANGED, 21, 1}, {WM_PDMTREE_SELCHANGED, 21, 1}});
}

TEST_F(PdmTreeTest, AFolderThatCannotBeReadClearsTheAnnouncedFolder)
{
    tree.LoadData(20, 0);
    // B's level fails.
    pdm.FailCall("LoadChildren", E_FAIL, 1);
    tree.SelectItem(Find(TVI_ROOT, "B"));
    // The parent hears of no folder rather than keeping A's documents on show.
    ExpectMessages(Announced(), {{WM_PDMTREE_SELCHANGED, 21, 1}, {WM_PDMTREE_SELCHANGED, 0, 0}});
    EXPECT_EQ(tree.m_nClassId, 0u);
    // The failed folder is left as it was; A is announced again when chosen.
    EXPECT_TRUE(tree.ItemHasChildren(Find(TVI_ROOT, "B")));
    tree.SelectItem(Find(TVI_ROOT, "A"));
    ASSERT_EQ(Announced().size(), 3u);
    EXPECT_EQ(Announced()[2].wParam, 21u);
    EXPECT_EQ(Announced()[2].lParam, 1);
    // B can be read now: it is loaded and announced.
    tree.SelectItem(Find(TVI_ROOT, "B"));
    ASSERT_EQ(Announced().size(), 4u);
    EXPECT_EQ(Announced()[3].lParam, 2);
}

TEST_F(PdmTreeTest, NoNodeComponentLeavesTheTreeEmpty)
{
    CPdmCreateFailureScope fail(PDM_FAIL_NODELIST);
    tree.LoadData(20, 0);
    EXPECT_EQ(tree.GetCount(), 0u);
    EXPECT_TRUE(Announced().empty());
}

TEST_F(PdmTreeTest, AFailedCountAddsNothing)
{
    pdm.FailCall("GetCount", E_FAIL, 1);
    tree.LoadData(20, 0);
    EXPECT_EQ(tree.GetCount(), 0u);
    EXPECT_TRUE(Announced().empty());
}

// A "program" module with its own bitmap 2000 (one picture only) found before the
// library's unless the library looks in its own module.
const char* const kOneRows[] = {"RRRRRRRRRRRRRRRRRR", "RRRRRRRRRRRRRRRRRR"};
const AFX_PALETTE_CHAR kRed[] = {{'R', RGB(255, 0, 0)}};
const AFX_BITMAP_RESOURCE kProgramBitmap = AFX_PICTURE(18, 2, kOneRows, kRed);

TEST_F(PdmTreeTest, TheFolderPicturesAreTheLibrarysOwn)
{
    HINSTANCE hProgram = AfxRegisterModule("TreeTestProgram");
    AfxRegisterBitmap(hProgram, IDB_PDMTREE, &kProgramBitmap);
    HINSTANCE hOld = AfxGetInstanceHandle();
    AfxSetInstanceHandle(hProgram);
    CTestTreeCtrl other;
    ASSERT_TRUE(other.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 100), &parent, IDC_PDMTREE + 1));
    other.Init();
    CImageList* pImages = other.GetImageList(TVSIL_NORMAL);
    AfxSetInstanceHandle(hOld);
    ASSERT_NE(pImages, nullptr);
    EXPECT_EQ(pImages->GetImageCount(), 2);
    IMAGEINFO info = {};
    ASSERT_TRUE(pImages->GetImageInfo(0, &info));
    EXPECT_EQ(CRect(info.rcImage).Width(), 18);
    EXPECT_EQ(CRect(info.rcImage).Height(), 18);
    DWORD dwStyle = other.GetStyle();
    EXPECT_EQ(dwStyle & (TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS),
              (DWORD)(TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS));
    other.DestroyWindow();
}

// The real store: the names of a third-level folder's path.
class PdmTreeStoreTest : public CWndTestBase
{
protected:
    void SetUp() override
    {
        CWndTestBase::SetUp();
        char pattern[] = "/tmp/pctreestore-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
        CPdmStore store;
        ASSERT_TRUE(store.Open(dir + "/pdm.sqlite", CPdmStore::CreateIfMissing)) << store.LastError();
        int32_t a = 0, b = 0, c = 0;
        ASSERT_TRUE(store.AddNode(PDM_ROOT_CLASS, PDM_ROOT_OBJECT, PDM_FOLDER_CLASS, "A", a));
        ASSERT_TRUE(store.AddNode(PDM_FOLDER_CLASS, a, PDM_FOLDER_CLASS, "B", b));
        ASSERT_TRUE(store.AddNode(PDM_FOLDER_CLASS, b, PDM_FOLDER_CLASS, u8"图纸", c));
        SetPdmStoreFile(dir + "/pdm.sqlite");
        ASSERT_TRUE(parent.CreateParent());
        ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 380), &parent, IDC_PDMTREE));
        tree.Init();
    }
    void TearDown() override
    {
        tree.DestroyWindow();
        parent.DestroyWindow();
        SetPdmStoreFile(std::string());
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
        CWndTestBase::TearDown();
    }
    std::string dir;
    CRecordingParent parent;
    CTestTreeCtrl tree;
};

TEST_F(PdmTreeStoreTest, AThirdLevelFoldersPathEndsWithABackslash)
{
    tree.LoadData(20, 0);
    HTREEITEM hA = tree.GetRootItem();
    ASSERT_NE(hA, nullptr);
    HTREEITEM hB = tree.GetChildItem(hA);
    ASSERT_NE(hB, nullptr);
    tree.SelectItem(hB);
    HTREEITEM hC = tree.GetChildItem(hB);
    ASSERT_NE(hC, nullptr);
    EXPECT_EQ(tree.GetItemPath(hC), Gbk(u8"A\\B\\图纸\\"));
    EXPECT_EQ(tree.GetItemPath(hA), CString("A\\"));
    EXPECT_EQ(tree.GetItemPath(NULL), CString(""));
    // The store's answers: folders that have folders below carry the mark.
    EXPECT_FALSE(tree.ItemHasChildren(hC));
    ASSERT_EQ(parent.messages.size(), 2u);
}

}  // namespace
