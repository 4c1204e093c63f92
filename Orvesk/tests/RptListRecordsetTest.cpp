// The report list bound to a record set on a SQLite table made here: one column per field
// and one row per record, texts by value type, edits through the in-place editors written
// back to the table, header clicks sorting through the record set's sort string and a
// requery, and a lookup column on a second table whose display values contain a quote.
#include "RptListTestSupport.h"

#include <ClassLib/Testing/TempFolder.h>
#include <DataAccess/DaoRecordset.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// An owner as the binding expects one: display texts and cell requests go to the list.
class CRecordsetHostWnd : public CWnd
{
public:
    CRptListCtrl* list = nullptr;
    std::vector<int> kinds;  // the kinds of the cell requests, in order
    std::vector<LRESULT> answers;

    BOOL CreateHost(int cx, int cy)
    {
        return CreateEx(0, AfxRegisterWndClass(CS_DBLCLKS), "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                        CRect(0, 0, cx, cy), nullptr, 0);
    }

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        NMHDR* pHdr = reinterpret_cast<NMHDR*>(lParam);
        if (list != nullptr && pHdr->hwndFrom == list->GetSafeHwnd()) {
            if (pHdr->code == LVN_GETDISPINFO) {
                list->OnGetDispInfoRecordset(pHdr, pResult);
                return TRUE;
            }
            if (pHdr->code == NM_CLICK) {
                list->HandleClick(pHdr, pResult);
                return TRUE;
            }
        }
        return CWnd::OnNotify(wParam, lParam, pResult);
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_RPT_CELLINFO && list != nullptr) {
            CRptCellInfo* pInfo = reinterpret_cast<CRptCellInfo*>(lParam);
            kinds.push_back(pInfo->m_nKind);
            LRESULT r = list->HandleRecordsetCell(pInfo);
            answers.push_back(r);
            return r;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

class RptListRecordsetTest : public CWndTestBase
{
protected:
    void SetUp() override
    {
        CWndTestBase::SetUp();
        ASSERT_FALSE(folder.Path().empty());
        path = folder.Path() + "/people.db";
        ASSERT_EQ(S_OK, session.OpenSqlite(path.c_str()));
        Run("CREATE TABLE dbo.DEPTS(DEPT_ID INTEGER PRIMARY KEY, DEPT_NAME VARCHAR(40))");
        Run("INSERT INTO dbo.DEPTS VALUES(10, 'Planning'), (20, 'O''Brien''s team'), (30, NULL), (40, 'Works')");
        Run("CREATE TABLE dbo.PEOPLE(PERSON_ID INTEGER PRIMARY KEY, NAME VARCHAR(60), AGE SMALLINT, ACTIVE BOOLEAN,"
            " JOINED DATE, RATE DOUBLE, PAY CURRENCY, DEPT_ID INTEGER)");
        Run("INSERT INTO dbo.PEOPLE VALUES(1, 'Smith', 41, 1, '2026-12-07', 1.5, 12.5, 10),"
            " (2, 'O''Brien', 35, 0, '2025-03-01', 2.25, 100, 20), (3, '张三', 29, 1, '2024-01-15', 0.5, 0.25, 40)");
        people = std::make_unique<CDaoRecordset>(session);
        people->m_strSort = "PERSON_ID";
        people->Open("PEOPLE", "PERSON_ID");

        ASSERT_TRUE(host.CreateHost(940, 260));
        ASSERT_TRUE(list.Create(kRptListStyle, CRect(0, 0, 930, 240), &host, 7));
        host.list = &list;
        list.SetRecordset(people.get());
        list.BuildColumnsFromRecordset();
        list.FillFromRecordset();
        AfxTestFocus(&list);
    }
    void TearDown() override
    {
        list.DestroyWindow();
        host.DestroyWindow();
        CWndTestBase::TearDown();
    }
    void Run(const char* sql)
    {
        CCommand cmd;
        ASSERT_EQ(S_OK, cmd.Open(session, sql)) << sql;
    }
    // What the table holds now, read by a statement of its own.
    CString Stored(const char* field, int id)
    {
        CCommand cmd;
        CString sql;
        sql.Format("SELECT %s FROM dbo.PEOPLE WHERE PERSON_ID = ?", field);
        if (FAILED(cmd.Open(session, sql, {id})) || cmd.MoveNext() != S_OK)
            return "(none)";
        return cmd.GetText(1);
    }
    std::vector<CString> Column(int nColumn)
    {
        std::vector<CString> texts;
        for (int i = 0; i < list.GetItemCount(); ++i)
            texts.push_back(list.GetCellText(i, nColumn));
        return texts;
    }
    CWnd* Editor() { return list.GetDlgItem(RPT_EDITOR_ID); }

    CTestFolder folder{"rptrecordset"};
    std::string path;
    CSession session;
    std::unique_ptr<CDaoRecordset> people;
    CRecordsetHostWnd host;
    CRptListCtrl list;
};

TEST_F(RptListRecordsetTest, OneColumnPerFieldAfterAnEmptyFirstColumn)
{
    ASSERT_EQ(9, list.GetColumnCount());
    EXPECT_EQ(0, list.GetColumnWidth(0));
    const char* names[] = {"", "PERSON_ID", "NAME", "AGE", "ACTIVE", "JOINED", "RATE", "PAY", "DEPT_ID"};
    for (int c = 0; c < 9; ++c) {
        char text[64] = {0};
        LVCOLUMN col;
        std::memset(&col, 0, sizeof(col));
        col.mask = LVCF_TEXT | LVCF_SUBITEM | LVCF_WIDTH;
        col.pszText = text;
        col.cchTextMax = sizeof text;
        ASSERT_TRUE(list.GetColumn(c, &col));
        EXPECT_STREQ(names[c], text);
        EXPECT_EQ(c, col.iSubItem);
        if (c > 0) {
            EXPECT_EQ(120, col.cx);
        }
    }
    CRptColumnManager* pManager = list.GetColumnManager();
    ASSERT_NE(nullptr, pManager);
    ASSERT_EQ(9, pManager->GetDefCount());
    EXPECT_EQ(0x180u, pManager->GetDef(0).flags);
    EXPECT_EQ(static_cast<DWORD>(RPTCOL_EDIT | RPTCOL_NUMERIC), pManager->GetDef(1).flags);  // integer
    EXPECT_EQ(static_cast<DWORD>(RPTCOL_EDIT), pManager->GetDef(2).flags);                   // text
    EXPECT_EQ(static_cast<DWORD>(RPTCOL_COMBO), pManager->GetDef(4).flags);                  // boolean
    EXPECT_EQ(static_cast<DWORD>(RPTCOL_EDIT), pManager->GetDef(5).flags);                   // date
    EXPECT_EQ(static_cast<DWORD>(RPTCOL_EDIT | RPTCOL_NUMERIC), pManager->GetDef(7).flags);  // currency
    ASSERT_EQ(9, pManager->GetShownCount());
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(i, pManager->GetShownId(i));
    EXPECT_EQ(1u << 4, list.m_dwComboMask);
    EXPECT_EQ(0u, list.m_dwEditMask & 1u);
}

TEST_F(RptListRecordsetTest, OneRowPerRecordWithTextsByValueType)
{
    ASSERT_EQ(3, list.GetItemCount());
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(static_cast<DWORD_PTR>(i), list.GetItemData(i));
    EXPECT_EQ(CString(), list.GetCellText(0, 0));
    EXPECT_EQ(CString("1"), list.GetCellText(0, 1));
    EXPECT_EQ(CString("Smith"), list.GetCellText(0, 2));
    EXPECT_EQ(CString("41"), list.GetCellText(0, 3));
    EXPECT_EQ(CString("true"), list.GetCellText(0, 4));
    EXPECT_EQ(CString("false"), list.GetCellText(1, 4));
    EXPECT_EQ(CString("Monday, December 07, 2026"), list.GetCellText(0, 5));
    EXPECT_EQ(CString("1.500000"), list.GetCellText(0, 6));
    EXPECT_EQ(CString("12.5"), list.GetCellText(0, 7));
    EXPECT_EQ(CString("100"), list.GetCellText(1, 7));
    EXPECT_EQ(CString("张三"), list.GetCellText(2, 2));
    EXPECT_EQ(CString("Monday, January 15, 2024"), list.GetCellText(2, 5));
}

TEST_F(RptListRecordsetTest, AnEditWrittenBackSurvivesARequery)
{
    // A first click selects, a second one on the focused row opens the editor.
    list.SetItemState(1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ASSERT_TRUE(list.EditTextCell(1, 2, FALSE));
    ASSERT_NE(nullptr, Editor());
    AfxTestTypeText(Editor(), "O'Neil");
    AfxTestKey(Editor(), VK_RETURN);
    EXPECT_EQ(nullptr, Editor());
    ASSERT_EQ(2u, host.kinds.size());  // format (the editor's font), then the end of the edit
    EXPECT_EQ(RPT_CELL_FORMAT, host.kinds[0]);
    EXPECT_EQ(RPT_CELL_EDITDONE, host.kinds[1]);
    EXPECT_EQ(0, host.answers[1]);  // the cell goes back to the record set's text
    EXPECT_EQ(CString("O'Neil"), Stored("NAME", 2));
    EXPECT_EQ(CString("O'Neil"), list.GetCellText(1, 2));
    people->Requery();
    EXPECT_EQ(CString("O'Neil"), list.GetCellText(1, 2));
    EXPECT_EQ(CString("Smith"), list.GetCellText(0, 2));
    // A session of its own sees it in the file.
    CSession other;
    ASSERT_EQ(S_OK, other.OpenSqlite(path.c_str()));
    CDaoRecordset fresh(other);
    fresh.Open("PEOPLE");
    ASSERT_TRUE(fresh.FindFirst("PERSON_ID", COleVariant(static_cast<LONG>(2))));
    EXPECT_EQ(CString("O'Neil"), fresh.GetFieldValue("NAME").strVal);
}

TEST_F(RptListRecordsetTest, ABooleanOffersTrueAndFalseAndStoresTheChoice)
{
    CRptCellInfo info;
    CStringArray choices;
    info.m_nKind = RPT_CELL_EDITREQUEST;
    info.m_nColumn = 4;
    info.m_nRow = 1;
    info.m_dwItemData = 1;
    info.m_pChoices = &choices;
    EXPECT_EQ(1, list.HandleRecordsetCell(&info));
    ASSERT_EQ(2, choices.GetSize());
    EXPECT_EQ(CString("true"), choices[0]);
    EXPECT_EQ(CString("false"), choices[1]);
    // The first column is never edited.
    info.m_nColumn = 0;
    EXPECT_EQ(0, list.HandleRecordsetCell(&info));

    CRptCellInfo done;
    done.m_nKind = RPT_CELL_EDITDONE;
    done.m_nColumn = 4;
    done.m_nRow = 1;
    done.m_dwItemData = 1;
    done.m_strText = "true";
    EXPECT_EQ(0, list.HandleRecordsetCell(&done));
    EXPECT_EQ(CString("1"), Stored("ACTIVE", 2));
    EXPECT_EQ(CString("true"), list.GetCellText(1, 4));
}

TEST_F(RptListRecordsetTest, ATextThatIsNoNumberStoresNothing)
{
    CRptCellInfo done;
    done.m_nKind = RPT_CELL_EDITDONE;
    done.m_nColumn = 3;
    done.m_dwItemData = 0;
    done.m_strText = "forty; DROP TABLE PEOPLE";
    EXPECT_EQ(0, list.HandleRecordsetCell(&done));
    EXPECT_EQ(CString("41"), Stored("AGE", 1));
    EXPECT_EQ(CString("41"), list.GetCellText(0, 3));
    // A record position the record set does not have changes nothing either.
    done.m_strText = "50";
    done.m_dwItemData = 7;
    EXPECT_EQ(0, list.HandleRecordsetCell(&done));
    EXPECT_EQ(CString("41"), Stored("AGE", 1));
    // The next edit works again.
    done.m_dwItemData = 0;
    EXPECT_EQ(0, list.HandleRecordsetCell(&done));
    EXPECT_EQ(CString("50"), Stored("AGE", 1));
}

TEST_F(RptListRecordsetTest, AHeaderClickSortsThroughTheRecordsetAndASecondReverses)
{
    const std::vector<CString> byId{"1", "2", "3"};
    ASSERT_EQ(byId, Column(1));
    list.SortByColumn(0);  // the empty first column does not sort
    EXPECT_EQ(CString("PERSON_ID"), people->m_strSort);
    EXPECT_EQ(byId, Column(1));

    list.SortByColumn(3);  // AGE
    EXPECT_EQ(CString("AGE"), people->m_strSort);
    EXPECT_EQ((std::vector<CString>{"29", "35", "41"}), Column(3));
    EXPECT_EQ((std::vector<CString>{"3", "2", "1"}), Column(1));
    list.SortByColumn(3);
    EXPECT_EQ(CString("AGE DESC"), people->m_strSort);
    EXPECT_EQ((std::vector<CString>{"41", "35", "29"}), Column(3));

    // Through the header's own notification.
    NMLISTVIEW nm;
    std::memset(&nm, 0, sizeof(nm));
    nm.hdr.hwndFrom = list.GetSafeHwnd();
    nm.hdr.idFrom = 7;
    nm.hdr.code = LVN_COLUMNCLICK;
    nm.iItem = -1;
    nm.iSubItem = 2;
    host.SendMessage(WM_NOTIFY, 7, reinterpret_cast<LPARAM>(&nm));
    EXPECT_EQ(CString("NAME"), people->m_strSort);
    EXPECT_EQ(CString("O'Brien"), list.GetCellText(0, 2));
    // An edit after a sort reaches the record the row shows.
    CRptCellInfo done;
    done.m_nKind = RPT_CELL_EDITDONE;
    done.m_nColumn = 3;
    done.m_dwItemData = list.GetItemData(0);
    done.m_strText = "36";
    list.HandleRecordsetCell(&done);
    EXPECT_EQ(CString("36"), Stored("AGE", 2));
}

TEST_F(RptListRecordsetTest, ALookupColumnShowsNamesOffersThemAndStoresTheKeyOfAQuotedName)
{
    CDaoRecordset depts(session);
    depts.Open("DEPTS", "DEPT_ID");
    // Unknown names change nothing.
    EXPECT_FALSE(list.SetColumnLookup("NO_SUCH", &depts, "DEPT_ID", "DEPT_NAME"));
    EXPECT_FALSE(list.SetColumnLookup("DEPT_ID", &depts, "DEPT_ID", "NO_SUCH"));
    ASSERT_TRUE(list.SetColumnLookup("dept_id", &depts, "Dept_Id", "DEPT_NAME"));
    const DWORD bit = 1u << 8;
    EXPECT_NE(0u, list.m_dwComboMask & bit);
    EXPECT_EQ(0u, list.m_dwEditMask & bit);
    const CRptColumnDef& def = list.GetColumnManager()->GetDef(8);
    EXPECT_EQ(&depts, def.lookupSource);
    EXPECT_EQ(0, def.keyField);
    EXPECT_EQ(1, def.displayField);

    EXPECT_EQ((std::vector<CString>{"Planning", "O'Brien's team", "Works"}), Column(8));

    CRptCellInfo info;
    CStringArray choices;
    info.m_nKind = RPT_CELL_EDITREQUEST;
    info.m_nColumn = 8;
    info.m_pChoices = &choices;
    EXPECT_EQ(1, list.HandleRecordsetCell(&info));
    ASSERT_EQ(3, choices.GetSize());  // the null name is left out
    EXPECT_EQ(CString("Planning"), choices[0]);
    EXPECT_EQ(CString("O'Brien's team"), choices[1]);
    EXPECT_EQ(CString("Works"), choices[2]);

    // The choice editor opened on the lookup cell shows the names.
    host.kinds.clear();
    list.SetItemState(2, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ASSERT_TRUE(list.EditComboCell(2, 8, FALSE, FALSE));
    ASSERT_NE(nullptr, Editor());
    AfxTestKey(CWnd::GetFocus(), VK_F4);
    host.UpdateWindow();
    EXPECT_TRUE(AfxTestGrabWindow(&host, AfxTestOutputPath("RptListRecordsetLookup.png")));
    AfxTestKey(CWnd::GetFocus(), VK_ESCAPE);
    AfxTestKey(CWnd::GetFocus(), VK_ESCAPE);
    EXPECT_EQ(nullptr, Editor());
    EXPECT_EQ(CString("40"), Stored("DEPT_ID", 3));

    // Choosing the name with a quote stores its key.
    CRptCellInfo done;
    done.m_nKind = RPT_CELL_EDITDONE;
    done.m_nColumn = 8;
    done.m_dwItemData = 2;
    done.m_strText = "O'Brien's team";
    EXPECT_EQ(0, list.HandleRecordsetCell(&done));
    EXPECT_EQ(CString("20"), Stored("DEPT_ID", 3));
    EXPECT_EQ(CString("O'Brien's team"), list.GetCellText(2, 8));
    // A name no record has stores nothing.
    done.m_strText = "x' OR '1'='1";
    EXPECT_EQ(0, list.HandleRecordsetCell(&done));
    EXPECT_EQ(CString("20"), Stored("DEPT_ID", 3));
}

TEST_F(RptListRecordsetTest, TheBoundListWithAnEditorOpen)
{
    list.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    list.SetCursorColumn(2);
    ASSERT_TRUE(list.EditTextCell(0, 2, FALSE));
    ASSERT_NE(nullptr, Editor());
    AfxTestTypeText(Editor(), "O'Hara");
    list.UpdateWindow();
    EXPECT_TRUE(AfxTestGrabWindow(&host, AfxTestOutputPath("RptListRecordsetEditing.png")));
    AfxTestKey(Editor(), VK_ESCAPE);
    EXPECT_EQ(CString("Smith"), Stored("NAME", 1));
}

// Record-set categories: active and inactive people, read from the bound record set.
CDaoRecordset* g_pCategorySet = nullptr;
void ByActive(LPARAM, CRptCategoryManager* pManager, DWORD_PTR* pValue)
{
    g_pCategorySet->SetAbsolutePosition(static_cast<long>(*pValue));
    pManager->AddRowToCategory(g_pCategorySet->GetFieldValue("ACTIVE").boolVal != 0 ? 0 : 1, *pValue);
}
void NeverCalled(LPARAM, CRptCategoryManager*, DWORD_PTR*)
{
    ADD_FAILURE() << "the plain category callback was used in record-set mode";
}

TEST_F(RptListRecordsetTest, CategoriesUseTheRecordsetCallbackAndFollowASort)
{
    g_pCategorySet = people.get();
    CRptCategoryManager* pManager = list.CreateCategoryManager();
    pManager->AddTextCategory("Active", "a");
    pManager->AddTextCategory("Inactive", "i");
    list.SetCategoryCallback(&NeverCalled);
    list.SetRecordsetCategoryCallback(&ByActive);
    list.EnableCategories(TRUE);
    auto rows = [this] {
        std::string s;
        for (int i = 0; i < list.GetItemCount(); ++i)
            s += list.IsCategoryRow(i) ? std::string("[") + static_cast<LPCTSTR>(list.GetItemText(i, 0)) + "]"
                                       : std::string(static_cast<LPCTSTR>(list.GetCellText(i, 2)));
        return s;
    };
    EXPECT_EQ("[Categoria: Active (2 elementi)][Categoria: Inactive (1 elemento)]", rows());
    list.ToggleCategory(1);  // categories start collapsed
    list.ToggleCategory(0);
    EXPECT_EQ("[Categoria: Active (2 elementi)]Smith张三[Categoria: Inactive (1 elemento)]O'Brien", rows());
    list.SortByColumn(3);  // AGE ascending: 张三 29, O'Brien 35, Smith 41
    EXPECT_EQ("[Categoria: Active (2 elementi)]张三Smith[Categoria: Inactive (1 elemento)]O'Brien", rows());
    list.EnableCategories(FALSE);
    EXPECT_EQ("张三O'BrienSmith", rows());
    g_pCategorySet = nullptr;
}

TEST_F(RptListRecordsetTest, WithoutARecordsetTheModeIsOffAndBuildingDoesNothing)
{
    list.SetRecordset(nullptr);
    EXPECT_FALSE(list.IsRecordsetMode());
    list.BuildColumnsFromRecordset();
    list.FillFromRecordset();
    EXPECT_EQ(9, list.GetColumnCount());
    EXPECT_EQ(3, list.GetItemCount());
    CDaoRecordset closed(session);
    list.SetRecordset(&closed);
    EXPECT_TRUE(list.IsRecordsetMode());
    list.FillFromRecordset();
    EXPECT_EQ(3, list.GetItemCount());
}

}  // namespace
