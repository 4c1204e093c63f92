// The report list's column manager: definitions, the shown set, the profile layout under
// "ReportLists\<name>", and building the list's columns and reading them back.
#include "RptListTestSupport.h"

#include <cstring>

namespace {

const char kSection[] = "ReportLists\\ThePermissionList";

class CColumnTestApp : public CWinApp
{
public:
    CColumnTestApp() : CWinApp("RptColumnTest") {}
};

class RptColumnManagerTest : public CWndTestBase
{
protected:
    void SetUp() override
    {
        CWndTestBase::SetUp();
        m_pApp = new CColumnTestApp;
        m_pApp->SetRegistryKey("Local AppWizard-Generated Applications");
        // Each test starts from an empty section.
        m_pApp->WriteProfileString(kSection, nullptr, nullptr);
    }
    void TearDown() override
    {
        m_pApp->WriteProfileString(kSection, nullptr, nullptr);
        delete m_pApp;
        m_pApp = nullptr;
        CWndTestBase::TearDown();
    }
    int Int(const char* pszEntry, int nDefault = -7) { return static_cast<int>(m_pApp->GetProfileInt(kSection, pszEntry, nDefault)); }
    CString Str(const char* pszEntry) { return m_pApp->GetProfileString(kSection, pszEntry, "<none>"); }

    // Four columns; 0, 2 and 3 shown.
    static void Define(CRptColumnManager& m)
    {
        m.DefineColumn(0, "Member", "member dt", LVCFMT_LEFT, 120, RPTCOL_SORTABLE, -1, "the member");
        m.DefineColumn(1, "Open", nullptr, LVCFMT_CENTER, 50, RPTCOL_IMAGE | RPTCOL_SORTABLE, 3, nullptr);
        m.DefineColumn(2, "Publish", "p", LVCFMT_CENTER, 60, RPTCOL_IMAGE, -1, "pub");
        m.DefineColumn(3, "Note", "", LVCFMT_RIGHT, 90, RPTCOL_EDIT | RPTCOL_FIXEDWIDTH, -1, "");
        const int shown[] = {0, 2, 3};
        m.SetDefaultColumns(3, shown);
    }

    CWinApp* m_pApp = nullptr;
};

TEST_F(RptColumnManagerTest, WritesTheProfileLayoutValueByValue)
{
    CRptColumnManager m;
    Define(m);
    m.WriteToProfile("ThePermissionList");
    EXPECT_EQ(3, Int("NumDef"));
    EXPECT_EQ(0, Int("DefColId 0"));
    EXPECT_EQ(2, Int("DefColId 1"));
    EXPECT_EQ(3, Int("DefColId 2"));
    EXPECT_EQ(-7, Int("DefColId 3"));
    EXPECT_EQ(-7, Int("DefColId0"));  // the blank is part of the name
    EXPECT_EQ(4, Int("DefNum"));
    EXPECT_EQ(1, Int("ColDef_id_1"));
    EXPECT_EQ(LVCFMT_CENTER, Int("ColDef_align_1"));
    EXPECT_EQ(50, Int("ColDef_width_1"));
    EXPECT_EQ(3, Int("ColDef_image_1"));
    EXPECT_EQ(-1, Int("ColDef_image_0"));
    EXPECT_EQ(RPTCOL_IMAGE | RPTCOL_SORTABLE, Int("ColDef_dwdata_1"));
    EXPECT_EQ(CString("Open"), Str("ColDef_text_1"));
    EXPECT_EQ(CString(""), Str("ColDef_textdt_1"));  // a null text is written empty
    EXPECT_EQ(CString("member dt"), Str("ColDef_textdt_0"));
    EXPECT_EQ(CString("the member"), Str("ColDef_descr_0"));
    EXPECT_EQ(3, Int("ColDef_id_3"));
}

TEST_F(RptColumnManagerTest, ASubsetRoundTripsWithEveryDefinition)
{
    CRptColumnManager written;
    Define(written);
    // The user's layout: other widths, order 3, 0 and a hidden column 2.
    written.GetDef(0).width = 77;
    written.GetDef(1).width = 33;
    written.GetDef(3).format = LVCFMT_LEFT;
    const int shown[] = {3, 0};
    written.SetDefaultColumns(2, shown);
    written.WriteToProfile("ThePermissionList");

    CRptColumnManager read;
    Define(read);
    read.ReadFromProfile("ThePermissionList");
    ASSERT_EQ(2, read.GetShownCount());
    EXPECT_EQ(3, read.GetShownId(0));
    EXPECT_EQ(0, read.GetShownId(1));
    EXPECT_EQ(77, read.GetDef(0).width);
    EXPECT_EQ(33, read.GetDef(1).width);  // not shown, still restored
    EXPECT_EQ(LVCFMT_LEFT, read.GetDef(3).format);
    EXPECT_EQ(3, read.GetDef(1).image);
    EXPECT_STREQ("member dt", read.GetDef(0).textdt);
}

TEST_F(RptColumnManagerTest, WithoutNumDefTheDefaultsStay)
{
    // Groups exist but "NumDef" does not.
    m_pApp->WriteProfileInt(kSection, "DefNum", 1);
    m_pApp->WriteProfileInt(kSection, "ColDef_id_0", 0);
    m_pApp->WriteProfileInt(kSection, "ColDef_width_0", 999);
    CRptColumnManager m;
    Define(m);
    m.ReadFromProfile("ThePermissionList");
    EXPECT_EQ(3, m.GetShownCount());
    EXPECT_EQ(120, m.GetDef(0).width);
}

TEST_F(RptColumnManagerTest, UnknownStoredIdIsIgnoredAndImageMinusOneSurvives)
{
    m_pApp->WriteProfileInt(kSection, "NumDef", 3);
    m_pApp->WriteProfileInt(kSection, "DefColId 0", 9);  // no definition: no column
    m_pApp->WriteProfileInt(kSection, "DefColId 1", 1);
    m_pApp->WriteProfileInt(kSection, "DefColId 2", 0);
    m_pApp->WriteProfileInt(kSection, "DefNum", 2);
    m_pApp->WriteProfileInt(kSection, "ColDef_id_0", 9);
    m_pApp->WriteProfileInt(kSection, "ColDef_width_0", 5);
    m_pApp->WriteProfileString(kSection, "ColDef_text_0", "ghost");
    m_pApp->WriteProfileInt(kSection, "ColDef_id_1", 0);
    m_pApp->WriteProfileInt(kSection, "ColDef_image_1", -1);
    m_pApp->WriteProfileInt(kSection, "ColDef_width_1", 140);
    // "ColDef_text_1" missing: the text becomes empty.
    CRptColumnManager m;
    Define(m);
    m.ReadFromProfile("ThePermissionList");
    for (int i = 0; i < m.GetDefCount(); ++i)
        EXPECT_STRNE("ghost", m.GetDef(i).text);
    EXPECT_EQ(4, m.GetDefCount());  // stored groups never create definitions
    EXPECT_EQ(-1, m.GetDef(0).image);
    EXPECT_EQ(140, m.GetDef(0).width);
    EXPECT_STREQ("", m.GetDef(0).text);
    EXPECT_EQ(50, m.GetDef(1).width);
    ASSERT_EQ(3, m.GetShownCount());
    EXPECT_EQ(9, m.GetShownId(0));

    // The shown id without a definition makes no column.
    CRptHostWnd host;
    ASSERT_TRUE(host.CreateHost());
    CRptListCtrl list;
    ASSERT_TRUE(list.Create(kRptListStyle, CRect(0, 0, 500, 280), &host, 7));
    CRptColumnManager* pM = list.CreateColumnManager();
    Define(*pM);
    pM->ReadFromProfile("ThePermissionList");
    list.ApplyColumns();
    EXPECT_EQ(2, list.GetColumnCount());
    EXPECT_EQ(1, list.ColumnId(0));
    EXPECT_EQ(0, list.ColumnId(1));
    list.DestroyWindow();
    host.DestroyWindow();
}

TEST_F(RptColumnManagerTest, DamagedCountsAreBoundedAndDuplicatesDropped)
{
    m_pApp->WriteProfileInt(kSection, "NumDef", 0x7FFFFFFF);
    m_pApp->WriteProfileInt(kSection, "DefColId 0", 2);
    m_pApp->WriteProfileInt(kSection, "DefColId 1", 2);
    m_pApp->WriteProfileInt(kSection, "DefColId 2", 0);
    m_pApp->WriteProfileInt(kSection, "DefNum", 0x7FFFFFFF);
    m_pApp->WriteProfileInt(kSection, "ColDef_id_0", 2);
    m_pApp->WriteProfileInt(kSection, "ColDef_width_0", 61);
    CRptColumnManager m;
    Define(m);
    m.ReadFromProfile("ThePermissionList");
    ASSERT_EQ(2, m.GetShownCount());
    EXPECT_EQ(2, m.GetShownId(0));
    EXPECT_EQ(0, m.GetShownId(1));
    EXPECT_EQ(61, m.GetDef(2).width);

    // A negative count shows nothing and changes no definition.
    m_pApp->WriteProfileInt(kSection, "NumDef", -5);
    m_pApp->WriteProfileInt(kSection, "DefNum", -5);
    CRptColumnManager n;
    Define(n);
    n.ReadFromProfile("ThePermissionList");
    EXPECT_EQ(0, n.GetShownCount());
    EXPECT_EQ(60, n.GetDef(2).width);
}

TEST_F(RptColumnManagerTest, LookupMakesAFixedChoiceColumn)
{
    CRptColumnManager m;
    Define(m);
    int source = 0;
    m.SetColumnLookup(3, &source, 2, 1);
    const CRptColumnDef& d = m.GetDef(3);
    EXPECT_NE(0u, d.flags & RPTCOL_COMBO);
    EXPECT_EQ(0u, d.flags & RPTCOL_EDIT);
    EXPECT_EQ(&source, d.lookupSource);
    EXPECT_EQ(2, d.keyField);
    EXPECT_EQ(1, d.displayField);
    m.SetColumnLookup(42, &source, 0, 0);  // unknown: nothing
    EXPECT_EQ(-1, m.FindColumnDef(42));
    EXPECT_EQ(-1, m.FindColumnDef(-1));
    EXPECT_EQ(1, m.FindShownColumn(2));
    EXPECT_EQ(-1, m.FindShownColumn(1));

    CRptColumnManager copy(m);
    EXPECT_EQ(&source, copy.GetDef(3).lookupSource);
    EXPECT_STREQ("Note", copy.GetDef(3).text);
    EXPECT_NE(m.GetDef(3).text, copy.GetDef(3).text);  // its own copy
    EXPECT_EQ(3, copy.GetShownCount());
}

TEST_F(RptColumnManagerTest, AppliesColumnsAndReadsTheUsersOrderBack)
{
    CRptHostWnd host;
    ASSERT_TRUE(host.CreateHost());
    CRptListCtrl list;
    ASSERT_TRUE(list.Create(kRptListStyle, CRect(0, 0, 500, 280), &host, 7));
    list.InsertColumn(0, "old", LVCFMT_LEFT, 40);
    CRptColumnManager* pM = list.CreateColumnManager();
    Define(*pM);
    list.ApplyColumns();
    ASSERT_EQ(3, list.GetColumnCount());
    CHeaderCtrl* pHeader = list.GetHeaderCtrl();
    ASSERT_EQ(3, pHeader->GetItemCount());
    int ids[3] = {};
    for (int i = 0; i < 3; ++i)
    {
        HDITEM item;
        std::memset(&item, 0, sizeof(item));
        item.mask = HDI_LPARAM | HDI_FORMAT;
        pHeader->GetItem(i, &item);
        ids[i] = static_cast<int>(item.lParam);
        EXPECT_NE(0, item.fmt & HDF_OWNERDRAW);
    }
    EXPECT_EQ(0, ids[0]);
    EXPECT_EQ(2, ids[1]);
    EXPECT_EQ(3, ids[2]);
    EXPECT_EQ(90, list.GetColumnWidth(2));
    EXPECT_EQ(1u << 3, list.m_dwEditMask);
    EXPECT_EQ(1u << 2, list.m_dwImageColMask);
    ASSERT_NE(nullptr, list.GetRptHeader());
    EXPECT_EQ(1u << 3, list.GetRptHeader()->m_dwLockedMask);
    EXPECT_NE(0u, list.GetRptHeader()->m_dwAscendingMask & 1u);

    // The user moves "Note" before "Publish" and widens "Member".
    CRptListCtrl::MoveColumn(&list, 2, 1);
    list.SetColumnWidth(0, 150);
    list.ReadColumnsFromList();
    ASSERT_EQ(3, pM->GetShownCount());
    EXPECT_EQ(0, pM->GetShownId(0));
    EXPECT_EQ(3, pM->GetShownId(1));
    EXPECT_EQ(2, pM->GetShownId(2));
    EXPECT_EQ(150, pM->GetDef(0).width);
    pM->WriteToProfile("ThePermissionList");
    EXPECT_EQ(3, Int("DefColId 1"));
    EXPECT_EQ(2, Int("DefColId 2"));
    EXPECT_EQ(150, Int("ColDef_width_0"));
    list.DestroyWindow();
    host.DestroyWindow();
}

}  // namespace
