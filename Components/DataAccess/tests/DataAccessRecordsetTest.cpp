// The record set on both back ends: one record per table row with typed fields, the sort
// string applied by a requery, finding by value (quotes included, never as statement text),
// edits written back by key that survive a requery, and bad input refused without change.
#include <gtest/gtest.h>

#include <DataAccess/DaoRecordset.h>

#include "TestDatabase.h"

#include <functional>
#include <string>

namespace
{
// The text of a CDaoException thrown by the call; empty when nothing was thrown.
CString DaoError(const std::function<void()>& call)
{
    try
    {
        call();
    }
    catch (CDaoException* e)
    {
        CString text = e->m_strError;
        e->Delete();
        return text.IsEmpty() ? CString("(no text)") : text;
    }
    return CString();
}

class DataAccessRecordsetTest : public ::testing::TestWithParam<std::string>
{
protected:
    void SetUp() override
    {
        std::string strError;
        ASSERT_TRUE(OpenTestDatabase(GetParam(), m_session, strError)) << strError;
        ASSERT_TRUE(Exec(m_session, _T("DROP TABLE IF EXISTS dbo.PEOPLE")));
        ASSERT_TRUE(Exec(m_session, _T("CREATE TABLE dbo.PEOPLE(PERSON_ID INTEGER PRIMARY KEY, NAME VARCHAR(60),")
                                    _T(" AGE SMALLINT, ACTIVE BOOLEAN, JOINED DATE, RATE DOUBLE PRECISION)")));
        const char* insert = "INSERT INTO dbo.PEOPLE(PERSON_ID, NAME, AGE, ACTIVE, JOINED, RATE)"
                             " VALUES(?, ?, ?, CAST(? AS BOOLEAN), ?, ?)";
        ASSERT_TRUE(Exec(m_session, insert, {1, _T("Smith"), 41, _T("1"), _T("2026-12-07"), 1.5}));
        ASSERT_TRUE(Exec(m_session, insert, {2, _T("O'Brien"), 35, _T("0"), _T("2025-03-01"), 2.25}));
        ASSERT_TRUE(Exec(m_session, insert, {3, _T("张三"), 29, _T("1"), _T("2024-01-15"), 0.5}));
    }
    CSession m_session;
};

TEST_P(DataAccessRecordsetTest, OneRecordPerRowWithTypedFields)
{
    CDaoRecordset rs(m_session);
    rs.m_strSort = _T("PERSON_ID");
    ASSERT_EQ(CString(), DaoError([&] { rs.Open(_T("PEOPLE"), _T("PERSON_ID")); }));
    ASSERT_TRUE(rs.IsOpen());
    EXPECT_EQ(3, rs.GetRecordCount());
    ASSERT_EQ(6, rs.GetFieldCount());
    const short types[] = {dbLong, dbText, dbInteger, dbBoolean, dbDate, dbDouble};
    const char* names[] = {"PERSON_ID", "NAME", "AGE", "ACTIVE", "JOINED", "RATE"};
    for (int i = 0; i < 6; ++i)
    {
        CDaoFieldInfo info;
        rs.GetFieldInfo(i, info);
        EXPECT_EQ(0, info.m_strName.CompareNoCase(names[i])) << info.m_strName;
        EXPECT_EQ(types[i], info.m_nType) << names[i];
    }
    EXPECT_EQ(0, rs.GetAbsolutePosition());
    COleVariant id = rs.GetFieldValue(0), name = rs.GetFieldValue(1), age = rs.GetFieldValue(2);
    COleVariant active = rs.GetFieldValue(3), joined = rs.GetFieldValue(4), rate = rs.GetFieldValue(5);
    EXPECT_EQ(VT_I4, id.vt);
    EXPECT_EQ(1, id.lVal);
    EXPECT_EQ(CString(_T("Smith")), name.strVal);
    EXPECT_EQ(VT_I2, age.vt);
    EXPECT_EQ(41, age.iVal);
    EXPECT_EQ(VT_BOOL, active.vt);
    EXPECT_NE(0, active.boolVal);
    ASSERT_EQ(VT_DATE, joined.vt);
    EXPECT_EQ(CString(_T("2026-12-07")), COleDateTime(joined.date).Format(_T("%Y-%m-%d")));
    EXPECT_EQ(VT_R8, rate.vt);
    EXPECT_DOUBLE_EQ(1.5, rate.dblVal);
    rs.MoveLast();
    EXPECT_EQ(CString(_T("张三")), rs.GetFieldValue(_T("name")).strVal);
    rs.MoveNext();
    EXPECT_TRUE(rs.IsEOF());
    EXPECT_NE(CString(), DaoError([&] { rs.GetFieldValue(0); }));
}

TEST_P(DataAccessRecordsetTest, SortStringAppliesOnRequery)
{
    CDaoRecordset rs(m_session);
    rs.m_strSort = _T("AGE");
    rs.Open(_T("dbo.PEOPLE"), _T("PERSON_ID"));
    auto ids = [&rs] {
        std::string s;
        for (rs.MoveFirst(); !rs.IsEOF(); rs.MoveNext())
            s += std::to_string(rs.GetFieldValue(0).lVal);
        return s;
    };
    EXPECT_EQ("321", ids());
    rs.m_strSort = _T("age DESC");
    rs.Requery();
    EXPECT_EQ(0, rs.GetAbsolutePosition());
    EXPECT_EQ("123", ids());
    rs.m_strSort = _T("NAME ASC, PERSON_ID");
    rs.Requery();
    EXPECT_EQ(CString(_T("O'Brien")), rs.GetFieldValue(1).strVal);
}

TEST_P(DataAccessRecordsetTest, SortOnAnythingButAFieldIsRefusedAndRunsNothing)
{
    CDaoRecordset rs(m_session);
    rs.Open(_T("PEOPLE"), _T("PERSON_ID"));
    rs.m_strSort = _T("AGE; DROP TABLE dbo.PEOPLE");
    CString error = DaoError([&] { rs.Requery(); });
    EXPECT_NE(CString(), error);
    EXPECT_NE(-1, error.Find(_T("unknown field")));
    EXPECT_EQ(3, QueryNumber(m_session, _T("SELECT COUNT(*) FROM dbo.PEOPLE")));
}

TEST_P(DataAccessRecordsetTest, FieldAndTableNamesAreQuotedAsIdentifiers)
{
    ASSERT_TRUE(Exec(m_session, _T("DROP TABLE IF EXISTS dbo.\"Odd Table\"")));
    ASSERT_TRUE(Exec(m_session, _T("CREATE TABLE dbo.\"Odd Table\"(ID INTEGER PRIMARY KEY, \"Full \"\"Name\"\"\" VARCHAR(20))")));
    ASSERT_TRUE(Exec(m_session, _T("INSERT INTO dbo.\"Odd Table\" VALUES(1, 'a'), (2, 'b')")));
    CDaoRecordset rs(m_session);
    rs.m_strSort = _T("Full \"Name\" DESC");
    ASSERT_EQ(CString(), DaoError([&] { rs.Open(_T("dbo.Odd Table"), _T("ID")); }));
    CDaoFieldInfo info;
    rs.GetFieldInfo(1, info);
    EXPECT_EQ(CString(_T("Full \"Name\"")), info.m_strName);
    EXPECT_EQ(CString(_T("b")), rs.GetFieldValue(1).strVal);
    rs.Edit();
    rs.SetFieldValue(1, _T("c"));
    rs.Update();
    rs.Requery();
    EXPECT_EQ(CString(_T("c")), rs.GetFieldValue(1).strVal);
}

TEST_P(DataAccessRecordsetTest, AValueWithAQuoteFindsItsRecord)
{
    CDaoRecordset rs(m_session);
    rs.m_strSort = _T("PERSON_ID");
    rs.Open(_T("PEOPLE"), _T("PERSON_ID"));
    ASSERT_TRUE(rs.FindFirst(_T("NAME"), COleVariant(_T("O'Brien"))));
    EXPECT_EQ(1, rs.GetAbsolutePosition());
    EXPECT_EQ(2, rs.GetFieldValue(0).lVal);
    // Text that would change a statement finds nothing and leaves the position.
    EXPECT_FALSE(rs.FindFirst(_T("NAME"), COleVariant(_T("x' OR '1'='1"))));
    EXPECT_EQ(1, rs.GetAbsolutePosition());
    // A text key finds its number; a text that is no number finds nothing in a number field.
    ASSERT_TRUE(rs.FindFirst(_T("PERSON_ID"), COleVariant(_T("3"))));
    EXPECT_EQ(CString(_T("张三")), rs.GetFieldValue(1).strVal);
    EXPECT_FALSE(rs.FindFirst(_T("PERSON_ID"), COleVariant(_T("3 OR 1=1"))));
    // Booleans and the next match.
    ASSERT_TRUE(rs.FindFirst(_T("ACTIVE"), COleVariant(_T("true"))));
    EXPECT_EQ(0, rs.GetAbsolutePosition());
    ASSERT_TRUE(rs.FindNext(3, COleVariant(static_cast<short>(1), VT_BOOL)));
    EXPECT_EQ(2, rs.GetAbsolutePosition());
    EXPECT_FALSE(rs.FindNext(3, COleVariant(static_cast<short>(1), VT_BOOL)));
}

TEST_P(DataAccessRecordsetTest, AnEditWrittenBackSurvivesARequeryAndANewRecordset)
{
    CDaoRecordset rs(m_session);
    rs.m_strSort = _T("PERSON_ID");
    rs.Open(_T("PEOPLE"), _T("PERSON_ID"));
    rs.SetAbsolutePosition(1);
    rs.Edit();
    rs.SetFieldValue(1, _T("O'Neil; DROP TABLE dbo.PEOPLE; --"));
    rs.SetFieldValue(2, _T("36"));
    rs.SetFieldValue(3, _T("true"));
    rs.SetFieldValue(4, _T("2027-01-04"));
    rs.SetFieldValue(5, _T("3.75"));
    rs.Update();
    rs.Requery();
    rs.SetAbsolutePosition(1);
    EXPECT_EQ(CString(_T("O'Neil; DROP TABLE dbo.PEOPLE; --")), rs.GetFieldValue(1).strVal);
    EXPECT_EQ(36, rs.GetFieldValue(2).iVal);
    EXPECT_NE(0, rs.GetFieldValue(3).boolVal);
    EXPECT_EQ(CString(_T("2027-01-04")), COleDateTime(rs.GetFieldValue(4).date).Format(_T("%Y-%m-%d")));
    EXPECT_DOUBLE_EQ(3.75, rs.GetFieldValue(5).dblVal);

    CSession other;
    std::string strError;
    ASSERT_TRUE(OpenSecondSession(GetParam(), other, strError)) << strError;
    CDaoRecordset fresh(other);
    fresh.Open(_T("PEOPLE"));
    ASSERT_TRUE(fresh.FindFirst(_T("PERSON_ID"), COleVariant(static_cast<LONG>(2))));
    EXPECT_EQ(CString(_T("O'Neil; DROP TABLE dbo.PEOPLE; --")), fresh.GetFieldValue(1).strVal);
    EXPECT_EQ(3, fresh.GetRecordCount());
    // Only that record changed.
    ASSERT_TRUE(fresh.FindFirst(_T("PERSON_ID"), COleVariant(static_cast<LONG>(1))));
    EXPECT_EQ(CString(_T("Smith")), fresh.GetFieldValue(1).strVal);
    EXPECT_EQ(41, fresh.GetFieldValue(2).iVal);
}

TEST_P(DataAccessRecordsetTest, AValueThatDoesNotFitIsRefusedAndNothingChanges)
{
    CDaoRecordset rs(m_session);
    rs.m_strSort = _T("PERSON_ID");
    rs.Open(_T("PEOPLE"), _T("PERSON_ID"));
    rs.Edit();
    CString error = DaoError([&] { rs.SetFieldValue(2, _T("forty")); });
    EXPECT_NE(-1, error.Find(_T("\"forty\""))) << error;
    EXPECT_NE(CString(), DaoError([&] { rs.SetFieldValue(2, _T("70000")); }));  // beyond a short
    EXPECT_NE(CString(), DaoError([&] { rs.SetFieldValue(4, _T("Monday")); }));
    rs.Update();
    rs.Requery();
    EXPECT_EQ(41, rs.GetFieldValue(2).iVal);
}

TEST_P(DataAccessRecordsetTest, AnEditOfARecordDeletedMeanwhileIsReportedNotTakenForDone)
{
    CDaoRecordset rs(m_session);
    rs.m_strSort = _T("PERSON_ID");
    rs.Open(_T("PEOPLE"), _T("PERSON_ID"));
    ASSERT_TRUE(Exec(m_session, _T("DELETE FROM dbo.PEOPLE WHERE PERSON_ID = ?"), {1}));
    rs.Edit();
    rs.SetFieldValue(1, _T("Jones"));
    CString error = DaoError([&] { rs.Update(); });
    EXPECT_NE(-1, error.Find(_T("no longer"))) << error;
    rs.CancelUpdate();
    EXPECT_EQ(CString(_T("Smith")), rs.GetFieldValue(1).strVal);  // the snapshot is not changed
    EXPECT_EQ(0, QueryNumber(m_session, _T("SELECT COUNT(*) FROM dbo.PEOPLE WHERE NAME = ?"), {_T("Jones")}));
}

TEST_P(DataAccessRecordsetTest, FindingWalksEqualValuesInRecordOrderAndFollowsWrites)
{
    ASSERT_TRUE(Exec(m_session, _T("UPDATE dbo.PEOPLE SET AGE = 35")));
    CDaoRecordset rs(m_session);
    rs.m_strSort = _T("PERSON_ID DESC");
    rs.Open(_T("PEOPLE"), _T("PERSON_ID"));
    ASSERT_TRUE(rs.FindFirst(_T("AGE"), COleVariant(_T("35"))));
    EXPECT_EQ(3, rs.GetFieldValue(0).lVal);
    ASSERT_TRUE(rs.FindNext(2, COleVariant(static_cast<short>(35))));
    EXPECT_EQ(2, rs.GetFieldValue(0).lVal);
    ASSERT_TRUE(rs.FindNext(2, COleVariant(35.0)));
    EXPECT_EQ(1, rs.GetFieldValue(0).lVal);
    EXPECT_FALSE(rs.FindNext(2, COleVariant(static_cast<short>(35))));
    // A written value is found under its new value at once.
    rs.SetAbsolutePosition(1);
    rs.Edit();
    rs.SetFieldValue(2, _T("36"));
    rs.Update();
    ASSERT_TRUE(rs.FindFirst(_T("AGE"), COleVariant(_T("36"))));
    EXPECT_EQ(2, rs.GetFieldValue(0).lVal);
    ASSERT_TRUE(rs.FindFirst(_T("AGE"), COleVariant(_T("35"))));
    ASSERT_TRUE(rs.FindNext(2, COleVariant(_T("35"))));
    EXPECT_EQ(1, rs.GetFieldValue(0).lVal);
    COleVariant null;
    null.vt = VT_NULL;
    EXPECT_FALSE(rs.FindFirst(2, null));
}

TEST_P(DataAccessRecordsetTest, WithoutAKeyFieldTheRecordsetIsReadOnly)
{
    CDaoRecordset rs(m_session);
    rs.Open(_T("PEOPLE"));
    EXPECT_FALSE(rs.CanUpdate());
    EXPECT_NE(CString(), DaoError([&] { rs.Edit(); }));
    EXPECT_NE(CString(), DaoError([&] { rs.SetFieldValue(1, _T("x")); }));
    CDaoRecordset bad(m_session);
    EXPECT_NE(CString(), DaoError([&] { bad.Open(_T("PEOPLE"), _T("NO_SUCH")); }));
    EXPECT_FALSE(bad.IsOpen());
    EXPECT_NE(CString(), DaoError([&] { bad.Open(_T("NO_SUCH_TABLE")); }));
    EXPECT_FALSE(bad.IsOpen());
}

TEST_P(DataAccessRecordsetTest, AnEmptyTableHasNoCurrentRecord)
{
    ASSERT_TRUE(Exec(m_session, _T("DELETE FROM dbo.PEOPLE")));
    CDaoRecordset rs(m_session);
    rs.Open(_T("PEOPLE"), _T("PERSON_ID"));
    EXPECT_EQ(0, rs.GetRecordCount());
    EXPECT_TRUE(rs.IsEOF());
    EXPECT_NE(CString(), DaoError([&] { rs.MoveLast(); }));
    EXPECT_NE(CString(), DaoError([&] { rs.SetAbsolutePosition(0); }));
    EXPECT_FALSE(rs.FindFirst(1, COleVariant(_T("x"))));
}

INSTANTIATE_TEST_SUITE_P(Backends, DataAccessRecordsetTest, ::testing::Values("sqlite", "odbc"));
} // namespace
