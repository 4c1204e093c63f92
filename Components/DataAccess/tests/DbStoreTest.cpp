// The stores' shared base on both back ends: nesting transactions, the writers' turn, the
// table checks, and the pool of connections to a database server.
#include <DataAccess/DbStore.h>

#include "TestDatabase.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <string>

namespace {

using namespace dbstore;

const char* const kTables[] = {
    "CREATE TABLE IF NOT EXISTS dbo.store_meta(key TEXT PRIMARY KEY, value TEXT NOT NULL)",
    "CREATE TABLE IF NOT EXISTS dbo.store_rows(v TEXT NOT NULL)",
};

// A store as the system's stores use the base: the pooled connection when it still serves,
// else a new one; the tables made when missing.
class CTestStore : public CDbStore {
public:
    explicit CTestStore(const char* kind) : CDbStore(kind) {}
    ~CTestStore() override = default;

    bool Open(const std::string& where)
    {
        if (IsConnectionString(where) && TakePooledSession(where)) {
            if (Prepare()) {
                KeepSession();
                return true;
            }
            DropSession();
        }
        std::string description;
        if (!OpenSession(where, 1000, true, description))
            return Fail("cannot open: " + description);
        if (!Prepare()) {
            CloseKeepingError();
            return false;
        }
        KeepSession();
        return true;
    }

    bool Add(const std::string& v)
    {
        return Run("INSERT INTO dbo.store_rows(v) VALUES(?)", {Text(v)}, nullptr, "cannot add");
    }

    long long Count()
    {
        Rows rows;
        if (!Run("SELECT count(*) FROM dbo.store_rows", {}, &rows, "cannot count") || rows.values.empty())
            return -1;
        return AsNumber(rows.values[0][0]);
    }

    // The server process serving this connection.
    long long ServerProcess()
    {
        Rows rows;
        if (!Run("SELECT pg_backend_pid()", {}, &rows, "cannot ask") || rows.values.empty())
            return -1;
        return AsNumber(rows.values[0][0]);
    }

    using CDbStore::FileIsEmpty;
    using CDbStore::ReadMeta;
    using CDbStore::Run;
    using CDbStore::TableExists;

    int begun = 0;
    bool refuse = false;

private:
    bool Prepare() { return MakeSchemaDbo() && RunAll(kTables, "cannot make the tables"); }
    bool StartedWriting() override
    {
        ++begun;
        return !refuse || Fail("not this writer's turn");
    }
};

class DbStoreTest : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override
    {
        char dir[] = "/tmp/dbstore-XXXXXX";
        ASSERT_NE(mkdtemp(dir), nullptr);
        m_dir = dir;
        if (GetParam() == "sqlite") {
            m_where = m_dir + "/store.db";
            return;
        }
        std::string error;
        m_where = FreshPgTables("dbo.store_meta, dbo.store_rows", error);
        ASSERT_FALSE(m_where.empty()) << error;
    }
    void TearDown() override { std::system(("rm -rf " + m_dir).c_str()); }

    std::string m_dir;
    std::string m_where;
};

TEST_P(DbStoreTest, OnlyTheOutermostCommitWritesAndRollbackDropsAllOfIt)
{
    CTestStore writer("nesting writer"), reader("nesting reader");
    ASSERT_TRUE(writer.Open(m_where)) << writer.LastError();
    ASSERT_TRUE(reader.Open(m_where)) << reader.LastError();

    ASSERT_TRUE(writer.Begin());
    ASSERT_TRUE(writer.Begin());
    ASSERT_TRUE(writer.Add("one"));
    ASSERT_TRUE(writer.Commit());
    EXPECT_TRUE(writer.InsideTransaction());
    EXPECT_EQ(0, reader.Count());
    ASSERT_TRUE(writer.Commit()) << writer.LastError();
    EXPECT_FALSE(writer.InsideTransaction());
    EXPECT_EQ(1, reader.Count());

    ASSERT_TRUE(writer.Begin());
    ASSERT_TRUE(writer.Begin());
    ASSERT_TRUE(writer.Add("two"));
    ASSERT_TRUE(writer.Commit());
    writer.Rollback();
    EXPECT_FALSE(writer.InsideTransaction());
    EXPECT_EQ(1, reader.Count());
    EXPECT_EQ(1, writer.Count());
    // The writers' turn is taken once per outermost transaction.
    EXPECT_EQ(2, writer.begun);

    EXPECT_FALSE(writer.Commit());
    EXPECT_EQ("no transaction is open", writer.LastError());
}

TEST_P(DbStoreTest, AWriterRefusedItsTurnLeavesNoTransactionOpen)
{
    CTestStore store("refused writer");
    ASSERT_TRUE(store.Open(m_where)) << store.LastError();
    store.refuse = true;
    EXPECT_FALSE(store.Begin());
    EXPECT_EQ("not this writer's turn", store.LastError());
    EXPECT_FALSE(store.InsideTransaction());
    // The started transaction was ended: the next one begins afresh and commits.
    store.refuse = false;
    ASSERT_TRUE(store.Begin()) << store.LastError();
    ASSERT_TRUE(store.Add("x"));
    ASSERT_TRUE(store.Commit()) << store.LastError();
    EXPECT_EQ(2, store.begun);
    CTestStore other("refused writer, reading");
    ASSERT_TRUE(other.Open(m_where));
    EXPECT_EQ(1, other.Count());
}

TEST_P(DbStoreTest, TablesAndKeyedValuesAreFoundAndAFailureIsOneLine)
{
    CTestStore store("table checks");
    ASSERT_TRUE(store.Open(m_where)) << store.LastError();
    bool exists = false;
    ASSERT_TRUE(store.TableExists("store_meta", exists));
    EXPECT_TRUE(exists);
    ASSERT_TRUE(store.TableExists("store_absent", exists));
    EXPECT_FALSE(exists);
    if (GetParam() == "sqlite") {
        bool empty = true;
        ASSERT_TRUE(store.FileIsEmpty(empty));
        EXPECT_FALSE(empty);
    }

    ASSERT_TRUE(store.Run("INSERT INTO dbo.store_meta(key, value) VALUES('format', ?)", {Text("test\xe5\x9b\xbe")},
                          nullptr, "cannot write"));
    std::string value = "left";
    bool found = true;
    ASSERT_TRUE(store.ReadMeta("store_meta", "version", value, found));
    EXPECT_FALSE(found);
    EXPECT_EQ("", value);
    ASSERT_TRUE(store.ReadMeta("store_meta", "format", value, found));
    EXPECT_TRUE(found);
    EXPECT_EQ("test\xe5\x9b\xbe", value);

    CDbStore::Rows rows;
    rows.changed = 7;
    // The database names the missing table (the statement is code page 936, as every text
    // handed to the data-access layer): its words come back in UTF-8, on one line.
    const std::string table = "\xe8\xa1\xa8\xe6\xa0\xbc";
    EXPECT_FALSE(store.Run("SELECT v FROM dbo.\"\xb1\xed\xb8\xf1\"", {}, &rows, "cannot look"));
    EXPECT_EQ(0, rows.changed);
    const std::string error = store.LastError();
    EXPECT_EQ(0u, error.find("cannot look: ")) << error;
    EXPECT_NE(std::string::npos, error.find(table)) << error;
    EXPECT_EQ(std::string::npos, error.find_first_of("\r\n")) << error;
}

// A change that returns what it changed, matching no row: no rows, and no failure.
TEST_P(DbStoreTest, AChangeReturningItsRowsThatMatchesNoneGivesNoRows)
{
    CTestStore store("returning none");
    ASSERT_TRUE(store.Open(m_where)) << store.LastError();
    ASSERT_TRUE(store.Add("kept"));
    CDbStore::Rows rows;
    rows.changed = 7;
    ASSERT_TRUE(store.Run("UPDATE dbo.store_rows SET v = ? WHERE v = ? RETURNING v", {Text("new"), Text("absent")},
                          &rows, "cannot change"))
        << store.LastError();
    EXPECT_TRUE(rows.values.empty());
    EXPECT_EQ(0, rows.changed);
    ASSERT_TRUE(store.Run("UPDATE dbo.store_rows SET v = ? WHERE v = ? RETURNING v", {Text("new"), Text("kept")},
                          &rows, "cannot change"))
        << store.LastError();
    ASSERT_EQ(1u, rows.values.size());
    EXPECT_EQ("new", AsText(rows.values[0][0]));
}

TEST(DbStoreFile, OnlyAnEmptyFileIsEmpty)
{
    char dir[] = "/tmp/dbstore-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    const std::string path = std::string(dir) + "/fresh.db";
    {
        CSession plain;
        ASSERT_EQ(S_OK, plain.OpenSqliteFile(path.c_str(), 0, false));
    }
    class CBareStore : public CDbStore {
    public:
        CBareStore() : CDbStore("bare") {}
        bool Open(const std::string& where)
        {
            std::string description;
            return OpenSession(where, 0, false, description);
        }
        using CDbStore::FileIsEmpty;
        using CDbStore::Run;
    } store;
    ASSERT_TRUE(store.Open(path));
    bool empty = false;
    ASSERT_TRUE(store.FileIsEmpty(empty));
    EXPECT_TRUE(empty);
    ASSERT_TRUE(store.Run("CREATE TABLE dbo.other(x INTEGER)", {}, nullptr, "cannot make"));
    ASSERT_TRUE(store.FileIsEmpty(empty));
    EXPECT_FALSE(empty);
    store.Close();
    std::system((std::string("rm -rf ") + dir).c_str());
}

// A connection a store let go serves the next store of its kind on the same server, with its
// open transaction ended; a store of another kind gets a connection of its own.
TEST(DbStorePool, AClosedStoresConnectionServesTheNextOfItsKindOnly)
{
    std::string error;
    const std::string where = FreshPgTables("dbo.store_meta, dbo.store_rows", error);
    ASSERT_FALSE(where.empty()) << error;
    long long first = -1;
    {
        CTestStore store("pooled");
        ASSERT_TRUE(store.Open(where)) << store.LastError();
        first = store.ServerProcess();
        ASSERT_GT(first, 0);
        ASSERT_TRUE(store.Begin());
        ASSERT_TRUE(store.Add("never written"));
        store.Close();
        EXPECT_FALSE(store.IsOpen());
    }
    CTestStore again("pooled");
    ASSERT_TRUE(again.Open(where)) << again.LastError();
    EXPECT_EQ(first, again.ServerProcess());
    EXPECT_EQ(0, again.Count());
    ASSERT_TRUE(again.Begin()) << again.LastError();
    ASSERT_TRUE(again.Add("written"));
    ASSERT_TRUE(again.Commit()) << again.LastError();
    again.Close();

    CTestStore other("pooled elsewhere");
    ASSERT_TRUE(other.Open(where)) << other.LastError();
    EXPECT_NE(first, other.ServerProcess());
    EXPECT_EQ(1, other.Count());
    CTestStore third("pooled");
    ASSERT_TRUE(third.Open(where)) << third.LastError();
    EXPECT_EQ(first, third.ServerProcess());
}

// A connection a call failed on is closed with its store, never handed on.
TEST(DbStorePool, AConnectionACallFailedOnIsNotHandedOn)
{
    std::string error;
    const std::string where = FreshPgTables("dbo.store_meta, dbo.store_rows", error);
    ASSERT_FALSE(where.empty()) << error;
    long long failed = -1;
    {
        CTestStore store("failing");
        ASSERT_TRUE(store.Open(where)) << store.LastError();
        failed = store.ServerProcess();
        EXPECT_FALSE(store.Run("SELECT v FROM dbo.store_absent", {}, nullptr, "cannot look"));
    }
    CTestStore next("failing");
    ASSERT_TRUE(next.Open(where)) << next.LastError();
    EXPECT_NE(failed, next.ServerProcess());
}

INSTANTIATE_TEST_SUITE_P(Backends, DbStoreTest, ::testing::Values(std::string("sqlite"), std::string("odbc")));

}  // namespace
