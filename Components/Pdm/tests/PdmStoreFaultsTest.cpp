// A missing, locked, damaged or foreign store file, a store whose folders loop, and
// readers beside a writer.
#include "PdmTestSupport.h"

#include <Pdm/PdmFactory.h>

#include <sqlite3.h>

#include <atomic>
#include <thread>

namespace {

class PdmStoreFaultsTest : public PdmStoreFixture {};

HRESULT LoadRoot()
{
    CPdmPtr<IPdmNodeList> list(CreatePdmNodeList());
    return list ? list->LoadChildren(PDM_ROOT_CLASS, PDM_ROOT_OBJECT) : E_FAIL;
}

}  // namespace

TEST_F(PdmStoreFaultsTest, AMissingStoreFailsWithATraceAndIsNotCreated)
{
    std::string missing = m_dir.File("nowhere.sqlite");
    SetPdmStoreFile(missing);
    CPdmTraceCatcher trace;
    EXPECT_EQ(PDM_E_STORE, LoadRoot());
    ASSERT_EQ(1u, trace.Lines().size());
    EXPECT_EQ("PdmNodeList: product-data store \"" + missing + "\": the file does not exist", trace.Lines()[0]);
    EXPECT_FALSE(std::filesystem::exists(missing));
    CPdmPtr<IPdmData> data(CreatePdmData());
    EXPECT_EQ(PDM_E_STORE, data->Initialize());
    CPdmPtr<IPdmGUI> gui(CreatePdmGUI());
    LONG ready = 9;
    EXPECT_EQ(PDM_E_STORE, gui->Connect("sa", "", ready));
    EXPECT_EQ(0, ready);
}

TEST_F(PdmStoreFaultsTest, ADamagedFileIsRefusedAndLeftAsItWas)
{
    // The header of a database followed by garbage, and plain garbage.
    std::string bytes;
    {
        std::ifstream in(m_storePath, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    ASSERT_GT(bytes.size(), 100u);
    std::string damaged = bytes.substr(0, 100) + std::string(4000, '\xA5');
    WriteFileBytes(m_storePath, damaged);
    std::filesystem::remove(m_storePath + "-wal");
    std::filesystem::remove(m_storePath + "-shm");
    CPdmTraceCatcher trace;
    EXPECT_EQ(PDM_E_STORE, LoadRoot());
    ASSERT_EQ(1u, trace.Lines().size());
    EXPECT_NE(std::string::npos, trace.Lines()[0].find("damaged or is not a product-data store")) << trace.Lines()[0];

    WriteFileBytes(m_storePath, "this is a text file, not a database\n");
    EXPECT_EQ(PDM_E_STORE, LoadRoot());
    CPdmStore store;
    EXPECT_FALSE(store.Open(m_storePath, CPdmStore::CreateIfMissing));
    std::ifstream in(m_storePath, std::ios::binary);
    std::string after((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ("this is a text file, not a database\n", after);
}

TEST_F(PdmStoreFaultsTest, AnotherDatabaseIsNoStore)
{
    std::string other = m_dir.File("other.sqlite");
    sqlite3* db = nullptr;
    ASSERT_EQ(SQLITE_OK, sqlite3_open(other.c_str(), &db));
    ASSERT_EQ(SQLITE_OK, sqlite3_exec(db, "CREATE TABLE t(x); INSERT INTO t VALUES(1);", nullptr, nullptr, nullptr));
    sqlite3_close(db);
    SetPdmStoreFile(other);
    CPdmTraceCatcher trace;
    EXPECT_EQ(PDM_E_STORE, LoadRoot());
    EXPECT_TRUE(trace.Has("the file is not a product-data store"));
    CPdmStore store;
    EXPECT_FALSE(store.Open(other, CPdmStore::CreateIfMissing));
    // Not turned into a store.
    ASSERT_EQ(SQLITE_OK, sqlite3_open(other.c_str(), &db));
    int tables = 0;
    sqlite3_exec(
        db, "SELECT count(*) FROM sqlite_master",
        [](void* p, int, char** v, char**) {
            *static_cast<int*>(p) = std::atoi(v[0]);
            return 0;
        },
        &tables, nullptr);
    sqlite3_close(db);
    EXPECT_EQ(1, tables);
}

TEST_F(PdmStoreFaultsTest, ALockedStoreFailsAfterTheWait)
{
    sqlite3* db = nullptr;
    ASSERT_EQ(SQLITE_OK, sqlite3_open(m_storePath.c_str(), &db));
    ASSERT_EQ(SQLITE_OK, sqlite3_exec(db, "PRAGMA locking_mode=EXCLUSIVE; BEGIN EXCLUSIVE; "
                                          "INSERT INTO node_class VALUES(99, 'x');",
                                      nullptr, nullptr, nullptr));
    SetPdmBusyTimeout(50);
    CPdmTraceCatcher trace;
    EXPECT_EQ(PDM_E_STORE, LoadRoot());
    EXPECT_TRUE(trace.Has("locked by another program")) << (trace.Lines().empty() ? "" : trace.Lines()[0]);
    sqlite3_exec(db, "ROLLBACK;", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    EXPECT_EQ(S_OK, LoadRoot());
}

TEST_F(PdmStoreFaultsTest, FoldersThatLoopNeverLoopTheCallers)
{
    int32_t a = 0, b = 0;
    {
        CPdmStore store;
        ASSERT_TRUE(store.Open(m_storePath, CPdmStore::OpenExisting));
        ASSERT_TRUE(store.AddNode(PDM_ROOT_CLASS, PDM_ROOT_OBJECT, PDM_FOLDER_CLASS, "A", a));
        ASSERT_TRUE(store.AddNode(PDM_FOLDER_CLASS, a, PDM_FOLDER_CLASS, "B", b));
    }
    // Hand-edited: A's parent becomes B, so A and B hang below each other and off the root.
    sqlite3* db = nullptr;
    ASSERT_EQ(SQLITE_OK, sqlite3_open(m_storePath.c_str(), &db));
    std::string sql = "UPDATE node SET parent_object = " + std::to_string(b) + " , parent_class = 21 WHERE object_id = " +
                      std::to_string(a);
    ASSERT_EQ(SQLITE_OK, sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr));
    sqlite3_close(db);

    CPdmPtr<IPdmNodeList> list(CreatePdmNodeList());
    ASSERT_EQ(S_OK, list->LoadChildren(PDM_FOLDER_CLASS, b));
    LONG count = 0;
    ASSERT_EQ(S_OK, list->GetCount(count));
    ASSERT_EQ(1, count);
    PdmNodeRecord r;
    ASSERT_EQ(S_OK, list->GetItem(r));
    EXPECT_EQ(a, r.objectId);
    EXPECT_NE(0, r.hasChildren);

    CPdmStore store;
    ASSERT_TRUE(store.Open(m_storePath, CPdmStore::OpenExisting));
    std::string path;
    EXPECT_FALSE(store.NodePath(PDM_FOLDER_CLASS, a, path));
    EXPECT_NE(std::string::npos, store.LastError().find("form a loop"));
    // A folder whose own parent is itself.
    ASSERT_EQ(SQLITE_OK, sqlite3_open(m_storePath.c_str(), &db));
    sql = "UPDATE node SET parent_object = object_id WHERE object_id = " + std::to_string(b);
    ASSERT_EQ(SQLITE_OK, sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr));
    sqlite3_close(db);
    EXPECT_FALSE(store.NodePath(PDM_FOLDER_CLASS, b, path));
}

TEST_F(PdmStoreFaultsTest, ReadersBesideAWriterNeverSeeHalfADocument)
{
    int32_t folder = 0;
    {
        CPdmStore store;
        ASSERT_TRUE(store.Open(m_storePath, CPdmStore::OpenExisting));
        ASSERT_TRUE(store.AddNode(PDM_ROOT_CLASS, PDM_ROOT_OBJECT, PDM_FOLDER_CLASS, "W", folder));
    }
    std::atomic<bool> done{false};
    std::atomic<int> written{0};
    // The writer adds documents in pairs, each pair one transaction, each document's bytes
    // as long as its recorded size.
    std::thread writer([&] {
        CPdmStore store;
        if (!store.Open(m_storePath, CPdmStore::OpenExisting))
            return;
        for (int i = 0; i < 150; ++i) {
            std::string bytes(1000 + i * 97, static_cast<char>('a' + i % 26));
            int32_t id = 0;
            store.Begin();
            store.PutDocument(PDM_FOLDER_CLASS, folder, PDM_DEFAULT_DOC_CLASS, "d" + std::to_string(i) + "a", bytes,
                              "", static_cast<int64_t>(bytes.size()), "", id);
            store.PutDocument(PDM_FOLDER_CLASS, folder, PDM_DEFAULT_DOC_CLASS, "d" + std::to_string(i) + "b", bytes,
                              "", static_cast<int64_t>(bytes.size()), "", id);
            if (store.Commit())
                ++written;
        }
        done = true;
    });
    int reads = 0;
    bool ok = true;
    while (!done && ok) {
        CPdmStore store;
        ASSERT_TRUE(store.Open(m_storePath, CPdmStore::OpenExisting)) << store.LastError();
        std::vector<PdmDocRow> rows;
        ASSERT_TRUE(store.ListDocuments(PDM_FOLDER_CLASS, folder, rows)) << store.LastError();
        ok = rows.size() % 2 == 0;
        for (const PdmDocRow& row : rows) {
            PdmDocContent content;
            ASSERT_TRUE(store.ReadDocument(row.classId, row.objectId, content));
            ok = ok && content.hasBytes && static_cast<int64_t>(content.bytes.size()) == row.size;
        }
        ++reads;
    }
    writer.join();
    EXPECT_TRUE(ok);
    EXPECT_EQ(150, written.load());
    EXPECT_GT(reads, 0);
}
