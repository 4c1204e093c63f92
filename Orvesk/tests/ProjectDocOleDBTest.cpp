// The project document's data-access error report: the unknown-source text and the records.
#include <DataAccess/DataAccess.h>
#include <gtest/gtest.h>

#include "ProjectDoc.h"

namespace
{
struct CReportingDoc : CProjectDoc
{
    using CProjectDoc::OleDBException;
};

TEST(ProjectDocOleDBException, NoRecordsGivesUnknownSource)
{
    CCommand cmd;
    CString str = _T("原有");
    EXPECT_EQ(1, CReportingDoc::OleDBException(&cmd, IID_ICommand, (HRESULT)0x80040E14, str));
    EXPECT_EQ(CString(_T("不明数据源错误返回值：80040E14\r\n")), str);
}

TEST(ProjectDocOleDBException, EachRecordALineAfterTheCallersText)
{
    CSession session;
    ASSERT_EQ(S_OK, session.OpenSqlite(":memory:"));
    CCommand cmd;
    HRESULT hr = cmd.Open(session, _T("SELECT * FROM NO_SUCH_TABLE"));
    ASSERT_TRUE(FAILED(hr));
    std::vector<CDbErrorRecord> records;
    ASSERT_EQ(S_OK, cmd.GetErrorRecords(IID_ICommand, records));
    ASSERT_EQ(1u, records.size());
    EXPECT_EQ(CString(_T("no such table: NO_SUCH_TABLE")), records[0].strDescription);
    CString str = _T("原有");
    EXPECT_EQ(1, CReportingDoc::OleDBException(&cmd, IID_ICommand, hr, str));
    EXPECT_EQ(CString(_T("原有描  述：no such table: NO_SUCH_TABLE\r\n错误返回值：80040E14\r\n")), str);
}
} // namespace
