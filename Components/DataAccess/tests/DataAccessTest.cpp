// The layer on both back ends: parameters, full-length texts, rowsets, transactions, last
// insert ids per session, error records and the error report.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include <DataAccess/DataAccess.h>

#include "TestDatabase.h"

namespace
{
class DataAccessTest : public ::testing::TestWithParam<std::string>
{
protected:
    void SetUp() override
    {
        std::string strError;
        ASSERT_TRUE(OpenTestDatabase(GetParam(), m_session, strError)) << strError;
    }
    CSession m_session;
};

TEST_P(DataAccessTest, QuoteAndChineseTextsRoundTripAtFullLength)
{
    CString strLong;
    for (int i = 0; i < 40; ++i)
        strLong += _T("任务");  // 160 bytes: longer than any fixed buffer of 51
    CString strQuote = _T("O'Brien's; DROP TABLE TLM_TASKS; --");
    ASSERT_TRUE(Exec(m_session, _T("INSERT INTO TLM_TASKS(PROJ_ID, TASK_NAME, TASK_DESC) VALUES(?, ?, ?)"),
                     {7, strQuote, strLong}));
    CCommand cmd;
    ASSERT_EQ(S_OK, cmd.Open(m_session, _T("SELECT TASK_NAME, TASK_DESC, PROJ_ID FROM dbo.TLM_TASKS WHERE PROJ_ID = ?"),
                             {7}));
    ASSERT_EQ(S_OK, cmd.MoveNext());
    EXPECT_EQ(strQuote, cmd.GetText(1));
    EXPECT_EQ(strLong, cmd.GetText(2));
    EXPECT_EQ(7, cmd.GetLong(3));
    EXPECT_EQ(DB_S_ENDOFROWSET, cmd.MoveNext());
}

TEST_P(DataAccessTest, RealsBeyondTheIntegerRangeReadAsItsEnds)
{
    CCommand cmd;
    ASSERT_EQ(S_OK, cmd.Open(m_session, _T("SELECT CAST(1e300 AS DOUBLE PRECISION), ")
                                         _T("CAST(9223372036854775807 AS BIGINT), ")
                                         _T("CAST(-1e300 AS DOUBLE PRECISION), ")
                                         _T("CAST(-9223372036854775807 AS BIGINT) - 1"),
                             {}));
    ASSERT_EQ(S_OK, cmd.MoveNext());
    EXPECT_EQ(cmd.GetLong(2), cmd.GetLong(1));
    EXPECT_EQ(cmd.GetShort(2), cmd.GetShort(1));
    EXPECT_EQ(cmd.GetLong(4), cmd.GetLong(3));
}

TEST_P(DataAccessTest, AbortLeavesNothingAndCommitKeeps)
{
    ASSERT_EQ(S_OK, m_session.StartTransaction(ISOLATIONLEVEL_READCOMMITTED));
    ASSERT_TRUE(Exec(m_session, _T("INSERT INTO TLM_ASSIGNMENTS( TASK_ID, RES_ID ) VALUES( ?,? )"), {1, 2}));
    ASSERT_EQ(S_OK, m_session.Abort());
    EXPECT_EQ(0, QueryNumber(m_session, _T("SELECT COUNT(*) FROM TLM_ASSIGNMENTS")));
    ASSERT_EQ(S_OK, m_session.StartTransaction());
    ASSERT_TRUE(Exec(m_session, _T("INSERT INTO TLM_ASSIGNMENTS( TASK_ID, RES_ID ) VALUES( ?,? )"), {1, 2}));
    ASSERT_EQ(S_OK, m_session.Commit());
    EXPECT_EQ(1, QueryNumber(m_session, _T("SELECT COUNT(*) FROM TLM_ASSIGNMENTS")));
}

TEST_P(DataAccessTest, CommitWithoutTransactionFails)
{
    EXPECT_TRUE(FAILED(m_session.Commit()));
    EXPECT_TRUE(FAILED(m_session.Abort()));
}

TEST_P(DataAccessTest, LastInsertIdIsThisSessions)
{
    CSession other;
    std::string strError;
    ASSERT_TRUE(OpenSecondSession(GetParam(), other, strError)) << strError;
    ASSERT_TRUE(Exec(m_session, _T("INSERT INTO TLM_TASKS(PROJ_ID, TASK_NAME) VALUES(?, ?)"), {1, _T("a")}));
    ASSERT_TRUE(Exec(other, _T("INSERT INTO TLM_TASKS(PROJ_ID, TASK_NAME) VALUES(?, ?)"), {1, _T("b")}));
    long long nMine = 0, nTheirs = 0;
    ASSERT_EQ(S_OK, m_session.GetLastInsertId(nMine));
    ASSERT_EQ(S_OK, other.GetLastInsertId(nTheirs));
    EXPECT_NE(nMine, nTheirs);
    CCommand cmd;
    ASSERT_EQ(S_OK, cmd.Open(m_session, _T("SELECT TASK_NAME FROM TLM_TASKS WHERE TASK_ID = ?"), {nMine}));
    ASSERT_EQ(S_OK, cmd.MoveNext());
    EXPECT_EQ(CString(_T("a")), cmd.GetText(1));
}

TEST_P(DataAccessTest, CopiesShareTheSession)
{
    CSession copy = m_session;
    ASSERT_EQ(S_OK, copy.StartTransaction());
    ASSERT_TRUE(Exec(m_session, _T("INSERT INTO TLM_ASSIGNMENTS(TASK_ID, RES_ID) VALUES(?, ?)"), {5, 6}));
    copy.Close();
    EXPECT_FALSE(copy.IsOpen());
    ASSERT_TRUE(m_session.IsOpen());
    ASSERT_EQ(S_OK, m_session.Abort());  // the copy's transaction was the session's
    EXPECT_EQ(0, QueryNumber(m_session, _T("SELECT COUNT(*) FROM TLM_ASSIGNMENTS")));
}

TEST_P(DataAccessTest, FailedStatementLeavesRecordsAndReport)
{
    CCommand cmd;
    HRESULT hr = cmd.Open(m_session, _T("SELECT NO_SUCH_COLUMN FROM TLM_TASKS"));
    ASSERT_TRUE(FAILED(hr));
    std::vector<CDbErrorRecord> records;
    ASSERT_EQ(S_OK, cmd.GetErrorRecords(IID_ICommand, records));
    ASSERT_FALSE(records.empty());
    EXPECT_FALSE(records[0].strDescription.IsEmpty());
    CString strReport = _T("前文");
    EXPECT_EQ(1, DbErrorReport(&cmd, IID_ICommand, hr, strReport));
    CString strExpected = CString(_T("前文"));
    for (const CDbErrorRecord& r : records)
        strExpected += CString(_T("描  述：")) + r.strDescription + _T("\r\n");
    CString strCode;
    strCode.Format(_T("错误返回值：%X\r\n"), (unsigned)hr);
    EXPECT_EQ(strExpected + strCode, strReport);
}

TEST_P(DataAccessTest, UnopenedSessionFailsCleanly)
{
    CSession none;
    CCommand cmd;
    EXPECT_TRUE(FAILED(cmd.Open(none, _T("SELECT 1"))));
    EXPECT_TRUE(FAILED(none.StartTransaction()));
    EXPECT_EQ(DB_S_ENDOFROWSET, cmd.MoveNext());
    EXPECT_TRUE(cmd.GetText(1).IsEmpty());
}

TEST_P(DataAccessTest, BinaryContentRoundTripsByteForByte)
{
    const bool bServer = GetParam() != "sqlite";
    ASSERT_TRUE(Exec(m_session, bServer ? _T("CREATE TABLE dbo.bytes_test(id INTEGER, content BYTEA)")
                                        : _T("CREATE TABLE dbo.bytes_test(id INTEGER, content BLOB)")));
    // Zeros, bytes above 0x7f that are no valid UTF-8, and more than one piece of a read.
    std::string bytes("\0\x01\xff\xfe\x80'\\", 7);
    for (int i = 0; i < 10000; ++i)
        bytes += static_cast<char>(i * 7);
    ASSERT_TRUE(Exec(m_session, _T("INSERT INTO dbo.bytes_test(id, content) VALUES(?, ?), (?, ?), (?, NULL), (?, ?)"),
                     {1, CDbParam::Bytes(bytes), 2, CDbParam::Bytes(std::string()), 3, 4, CDbParam::Bytes("text")}));
    CCommand cmd;
    ASSERT_EQ(S_OK, cmd.Open(m_session, _T("SELECT content, id FROM dbo.bytes_test ORDER BY id")));
    EXPECT_EQ(DBCOL_BINARY, cmd.GetColumnDesc(1).kind);
    ASSERT_EQ(S_OK, cmd.MoveNext());
    ASSERT_TRUE(std::holds_alternative<CDbBytes>(cmd.GetValue(1)));
    EXPECT_EQ(bytes, cmd.GetBytes(1));
    ASSERT_EQ(S_OK, cmd.MoveNext());
    EXPECT_FALSE(cmd.IsNull(1));
    EXPECT_EQ("", cmd.GetBytes(1));
    ASSERT_EQ(S_OK, cmd.MoveNext());
    EXPECT_TRUE(cmd.IsNull(1));
    // Bytes asked for as a text give the text they hold.
    ASSERT_EQ(S_OK, cmd.MoveNext());
    EXPECT_STREQ("text", cmd.GetText(1));
    EXPECT_EQ((long long)bytes.size(), QueryNumber(m_session, _T("SELECT length(content) FROM dbo.bytes_test WHERE id = 1")));
    // Bound bytes compare as bytes.
    EXPECT_EQ(1, QueryNumber(m_session, _T("SELECT id FROM dbo.bytes_test WHERE content = ?"), {CDbParam::Bytes(bytes)}));
}

INSTANTIATE_TEST_SUITE_P(Backends, DataAccessTest, ::testing::Values("sqlite", "odbc"));

TEST(DbErrorReport, NoRecordsGivesUnknownSource)
{
    CCommand cmd;  // never failed: no records
    CString str = _T("旧文");
    EXPECT_EQ(1, DbErrorReport(&cmd, IID_ICommand, (HRESULT)0x80040E14, str));
    EXPECT_EQ(CString(_T("不明数据源错误返回值：80040E14\r\n")), str);
}

TEST(DbErrorReport, OtherInterfaceGivesUnknownSource)
{
    CDbGuid other = IID_ICommand;
    other.Data1 ^= 1;
    CCommand cmd;
    CString str;
    DbErrorReport(&cmd, other, 0x1, str);
    EXPECT_EQ(CString(_T("不明数据源错误返回值：1\r\n")), str);
}
} // namespace

// A file opened as it is gets no task tables; a UTF-8 text parameter is stored as given.
TEST(DataAccessSqliteFile, OpensAFileAsItIsAndKeepsUtf8TextsAsGiven)
{
    char dir[] = "/tmp/dbfile-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    const std::string path = std::string(dir) + "/plain.db";
    {
        CSession session;
        ASSERT_EQ(S_OK, session.OpenSqliteFile(path.c_str()));
        CCommand count;
        ASSERT_EQ(S_OK, count.Open(session, "SELECT count(*) FROM dbo.sqlite_master"));
        ASSERT_EQ(S_OK, count.MoveNext());
        EXPECT_EQ(0, count.GetLong(1));
        CCommand make, put, get;
        ASSERT_EQ(S_OK, make.Open(session, "CREATE TABLE dbo.t(v TEXT)"));
        const std::string text = "\xe5\x9b\xbe\xe7\xba\xb8 \xf0\x9f\x98\x80";  // not all of it fits code page 936
        ASSERT_EQ(S_OK, put.Open(session, "INSERT INTO dbo.t VALUES(?)", {CDbParam::Utf8(text)}));
        ASSERT_EQ(S_OK, get.Open(session, "SELECT v FROM dbo.t"));
        ASSERT_EQ(S_OK, get.MoveNext());
        EXPECT_EQ(std::get<std::string>(get.GetValue(1)), text);
        // Taken out once: the row then reads null there, and out of range is null.
        EXPECT_EQ(std::get<std::string>(get.TakeValue(1)), text);
        EXPECT_TRUE(std::holds_alternative<std::monostate>(get.GetValue(1)));
        EXPECT_TRUE(get.IsNull(1));
        EXPECT_TRUE(std::holds_alternative<std::monostate>(get.TakeValue(2)));
    }
    CSession again;
    ASSERT_EQ(S_OK, again.OpenSqliteFile(path.c_str()));
    CCommand tables;
    ASSERT_EQ(S_OK, tables.Open(again, "SELECT count(*) FROM dbo.sqlite_master WHERE name LIKE 'TLM%'"));
    ASSERT_EQ(S_OK, tables.MoveNext());
    EXPECT_EQ(0, tables.GetLong(1));
    std::system((std::string("rm -rf ") + dir).c_str());
}
