// The store on a database server (the test run's PostgreSQL): a missing store is refused
// until it is made, and writers at once take turns, each addition landing whole with its
// own id.
#include "PdmTestSupport.h"

#include <set>
#include <thread>

TEST(PdmStoreServerTest, AMissingStoreIsRefusedThenMadeOnce)
{
    const std::string server = FreshPdmStoreDatabase("postgresql", "");
    ASSERT_FALSE(server.empty());
    CPdmStore store;
    EXPECT_FALSE(store.Open(server, CPdmStore::OpenExisting));
    EXPECT_EQ("product-data store on the database server: the database holds no product-data store", store.LastError());
    ASSERT_TRUE(store.Open(server, CPdmStore::CreateIfMissing)) << store.LastError();
    int32_t id = 0;
    ASSERT_TRUE(store.AddNode(PDM_ROOT_CLASS, PDM_ROOT_OBJECT, PDM_FOLDER_CLASS, "kept", id));
    // Opening again, even asking to create, finds the store as it is.
    CPdmStore again;
    ASSERT_TRUE(again.Open(server, CPdmStore::CreateIfMissing)) << again.LastError();
    std::vector<PdmNodeRow> rows;
    ASSERT_TRUE(again.ListChildren(PDM_ROOT_CLASS, PDM_ROOT_OBJECT, rows));
    ASSERT_EQ(1u, rows.size());
    EXPECT_EQ("kept", rows[0].name);
    std::vector<PdmClassRow> classes;
    ASSERT_TRUE(again.ListDocClasses(PDM_FOLDER_CLASS, classes));
    ASSERT_EQ(1u, classes.size());
    EXPECT_EQ(u8"文档", classes[0].name);
}

TEST(PdmStoreServerTest, WritersAtOnceEachGetTheirOwnIds)
{
    const std::string server = FreshPdmStoreDatabase("postgresql", "");
    ASSERT_FALSE(server.empty());
    int32_t folder = 0;
    {
        CPdmStore store;
        ASSERT_TRUE(store.Open(server, CPdmStore::CreateIfMissing)) << store.LastError();
        ASSERT_TRUE(store.AddNode(PDM_ROOT_CLASS, PDM_ROOT_OBJECT, PDM_FOLDER_CLASS, "W", folder));
    }
    const int kWriters = 4, kEach = 25;
    std::vector<std::vector<int32_t>> ids(kWriters);
    std::vector<std::string> errors(kWriters);
    std::vector<std::thread> writers;
    for (int w = 0; w < kWriters; ++w)
        writers.emplace_back([&, w] {
            CPdmStore store;
            if (!store.Open(server, CPdmStore::OpenExisting)) {
                errors[w] = store.LastError();
                return;
            }
            for (int i = 0; i < kEach; ++i) {
                int32_t id = 0;
                const std::string name = "w" + std::to_string(w) + "-" + std::to_string(i);
                if (!store.PutDocument(PDM_FOLDER_CLASS, folder, PDM_DEFAULT_DOC_CLASS, name, name, "",
                                       static_cast<int64_t>(name.size()), "", id)) {
                    errors[w] = store.LastError();
                    return;
                }
                ids[w].push_back(id);
            }
        });
    for (std::thread& t : writers)
        t.join();
    std::set<int32_t> all;
    for (int w = 0; w < kWriters; ++w) {
        EXPECT_EQ("", errors[w]);
        all.insert(ids[w].begin(), ids[w].end());
    }
    EXPECT_EQ(static_cast<size_t>(kWriters * kEach), all.size());
    CPdmStore store;
    ASSERT_TRUE(store.Open(server, CPdmStore::OpenExisting));
    std::vector<PdmDocRow> rows;
    ASSERT_TRUE(store.ListDocuments(PDM_FOLDER_CLASS, folder, rows));
    ASSERT_EQ(static_cast<size_t>(kWriters * kEach), rows.size());
    for (const PdmDocRow& row : rows) {
        PdmDocContent content;
        ASSERT_TRUE(store.ReadDocument(row.classId, row.objectId, content));
        EXPECT_EQ(row.fileName, content.bytes);
    }
}

TEST(PdmStoreServerTest, AFileBeyondFourGigabytesKeepsItsSize)
{
    const std::string server = FreshPdmStoreDatabase("postgresql", "");
    ASSERT_FALSE(server.empty());
    CPdmStore store;
    ASSERT_TRUE(store.Open(server, CPdmStore::CreateIfMissing)) << store.LastError();
    const int64_t size = 5000000000LL;
    int32_t id = 0;
    ASSERT_TRUE(store.PutDocument(PDM_ROOT_CLASS, PDM_ROOT_OBJECT, PDM_DEFAULT_DOC_CLASS, "disk.img", "", "/srv/disk.img",
                                  size, "", id))
        << store.LastError();
    std::vector<PdmDocRow> rows;
    ASSERT_TRUE(store.ListDocuments(PDM_ROOT_CLASS, PDM_ROOT_OBJECT, rows));
    ASSERT_EQ(1u, rows.size());
    EXPECT_EQ(size, rows[0].size);
}

TEST(PdmStoreServerTest, AKeptConnectionTheServerDroppedIsReplaced)
{
    const std::string server = FreshPdmStoreDatabase("postgresql", "");
    ASSERT_FALSE(server.empty());
    {
        CPdmStore store;
        ASSERT_TRUE(store.Open(server, CPdmStore::CreateIfMissing)) << store.LastError();
    }
    // The database server ends every other connection, the kept ones among them.
    CSession admin;
    ASSERT_EQ(S_OK, admin.OpenOdbc(server.c_str()));
    CCommand end;
    ASSERT_EQ(S_OK, end.Open(admin, "SELECT pg_terminate_backend(pid) FROM pg_stat_activity"
                                    " WHERE pid <> pg_backend_pid() AND backend_type = 'client backend'"));
    for (int i = 0; i < 3; ++i) {
        CPdmStore store;
        ASSERT_TRUE(store.Open(server, CPdmStore::OpenExisting)) << store.LastError();
        int32_t id = 0;
        ASSERT_TRUE(store.AddNode(PDM_ROOT_CLASS, PDM_ROOT_OBJECT, PDM_FOLDER_CLASS, "n" + std::to_string(i), id))
            << store.LastError();
    }
}

TEST(PdmStoreServerTest, AWriterWaitsForItsTurnOnlySoLong)
{
    const std::string server = FreshPdmStoreDatabase("postgresql", "");
    ASSERT_FALSE(server.empty());
    CPdmStore holder;
    ASSERT_TRUE(holder.Open(server, CPdmStore::CreateIfMissing)) << holder.LastError();
    ASSERT_TRUE(holder.Begin());
    CPdmStore waiter;
    ASSERT_TRUE(waiter.Open(server, CPdmStore::OpenExisting, 100)) << waiter.LastError();
    int32_t id = 0;
    EXPECT_FALSE(waiter.AddNode(PDM_ROOT_CLASS, PDM_ROOT_OBJECT, PDM_FOLDER_CLASS, "late", id));
    EXPECT_NE(std::string::npos, waiter.LastError().find("locked by another program")) << waiter.LastError();
    EXPECT_FALSE(waiter.LastErrorRefused());
    // Reading goes on meanwhile, and the turn comes once the holder is done.
    std::vector<PdmNodeRow> rows;
    EXPECT_TRUE(waiter.ListChildren(PDM_ROOT_CLASS, PDM_ROOT_OBJECT, rows)) << waiter.LastError();
    holder.Rollback();
    EXPECT_TRUE(waiter.AddNode(PDM_ROOT_CLASS, PDM_ROOT_OBJECT, PDM_FOLDER_CLASS, "late", id)) << waiter.LastError();
}
