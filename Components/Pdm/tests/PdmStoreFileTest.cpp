// A store file as the store has always written it (made here with SQLite's own calls) opens,
// reads and takes additions, and keeps its tables as they were.
#include "PdmTestSupport.h"

#include <sqlite3.h>

namespace {

class PdmStoreFileTest : public ::testing::Test {
protected:
    CPdmTempDir m_dir;
};

int Exec(sqlite3* db, const char* sql)
{
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
}

// The file's schema as SQLite lists it.
std::string Schema(sqlite3* db)
{
    std::string text;
    sqlite3_exec(
        db, "SELECT type, name, sql FROM sqlite_master ORDER BY name",
        [](void* p, int n, char** v, char**) {
            for (int i = 0; i < n; ++i)
                *static_cast<std::string*>(p) += std::string(v[i] ? v[i] : "") + "|";
            return 0;
        },
        &text, nullptr);
    return text;
}

}  // namespace

TEST_F(PdmStoreFileTest, AnEarlierStoreFileOpensReadsAndTakesAdditions)
{
    const std::string path = m_dir.File("earlier.sqlite");
    sqlite3* db = nullptr;
    ASSERT_EQ(SQLITE_OK, sqlite3_open(path.c_str(), &db));
    ASSERT_EQ(SQLITE_OK,
              Exec(db, "PRAGMA journal_mode=WAL;"
                       "CREATE TABLE pdm_meta(key TEXT PRIMARY KEY, value TEXT NOT NULL);"
                       "CREATE TABLE node_class(class_id INTEGER PRIMARY KEY, name TEXT NOT NULL);"
                       "CREATE TABLE doc_class(class_id INTEGER PRIMARY KEY, name TEXT NOT NULL);"
                       "CREATE TABLE doc_class_allowed(node_class INTEGER NOT NULL, doc_class INTEGER NOT NULL,"
                       "  PRIMARY KEY(node_class, doc_class));"
                       "CREATE TABLE node(class_id INTEGER NOT NULL, object_id INTEGER NOT NULL,"
                       "  parent_class INTEGER NOT NULL, parent_object INTEGER NOT NULL, name TEXT NOT NULL,"
                       "  PRIMARY KEY(class_id, object_id));"
                       "CREATE INDEX node_by_parent ON node(parent_class, parent_object, name);"
                       "CREATE TABLE document(class_id INTEGER NOT NULL, object_id INTEGER NOT NULL,"
                       "  parent_class INTEGER NOT NULL, parent_object INTEGER NOT NULL, file_name TEXT NOT NULL,"
                       "  size INTEGER NOT NULL DEFAULT 0, modified TEXT NOT NULL DEFAULT '', content BLOB,"
                       "  link_path TEXT, PRIMARY KEY(class_id, object_id));"
                       "CREATE INDEX document_by_parent ON document(parent_class, parent_object, file_name);"
                       "INSERT INTO pdm_meta VALUES('format', 'product-data store'), ('version', '1');"
                       "INSERT INTO node_class VALUES(20, 'root'), (21, 'folder');"
                       "INSERT INTO doc_class VALUES(101, 'doc'), (102, 'drawing');"
                       "INSERT INTO doc_class_allowed VALUES(21, 102), (20, 101), (21, 101);"
                       "INSERT INTO node VALUES(21, 5, 20, 0, 'B'), (21, 2, 20, 0, 'A'), (21, 9, 21, 2, 'A1');"
                       "INSERT INTO document VALUES(101, 3, 21, 2, 'z.bin', 4, '2020-01-02 03:04:05', X'00FF0A41',"
                       "  NULL), (101, 1, 21, 2, 'a.txt', 0, '2020-01-02 03:04:05', NULL, NULL),"
                       "  (102, 1, 21, 2, 'l.dwg', 10, '2020-01-02 03:04:05', NULL, '/srv/l.dwg');"));
    const std::string schema = Schema(db);
    sqlite3_close(db);

    CPdmStore store;
    ASSERT_TRUE(store.Open(path, CPdmStore::OpenExisting)) << store.LastError();
    std::vector<PdmNodeRow> nodes;
    ASSERT_TRUE(store.ListChildren(PDM_ROOT_CLASS, PDM_ROOT_OBJECT, nodes));
    ASSERT_EQ(2u, nodes.size());
    EXPECT_EQ("B", nodes[0].name);  // the order they were added in
    EXPECT_FALSE(nodes[0].hasChildren);
    EXPECT_EQ("A", nodes[1].name);
    EXPECT_TRUE(nodes[1].hasChildren);
    std::vector<PdmDocRow> docs;
    ASSERT_TRUE(store.ListDocuments(PDM_FOLDER_CLASS, 2, docs));
    ASSERT_EQ(3u, docs.size());
    EXPECT_EQ("z.bin", docs[0].fileName);
    EXPECT_EQ(4, docs[0].size);
    EXPECT_EQ("2020-01-02 03:04:05", docs[0].modified);
    EXPECT_EQ("l.dwg", docs[2].fileName);
    std::vector<PdmClassRow> classes;
    ASSERT_TRUE(store.ListDocClasses(PDM_FOLDER_CLASS, classes));
    ASSERT_EQ(2u, classes.size());
    EXPECT_EQ(102, classes[0].classId);
    EXPECT_EQ("drawing", classes[0].name);
    PdmDocContent content;
    ASSERT_TRUE(store.ReadDocument(101, 3, content));
    EXPECT_TRUE(content.hasBytes);
    EXPECT_EQ(std::string("\0\xff\nA", 4), content.bytes);
    ASSERT_TRUE(store.ReadDocument(101, 1, content));
    EXPECT_FALSE(content.hasBytes);
    ASSERT_TRUE(store.ReadDocument(102, 1, content));
    EXPECT_EQ("/srv/l.dwg", content.path);
    std::string nodePath;
    ASSERT_TRUE(store.NodePath(PDM_FOLDER_CLASS, 9, nodePath));
    EXPECT_EQ("A\\A1\\", nodePath);

    int32_t id = 0;
    ASSERT_TRUE(store.PutDocument(PDM_FOLDER_CLASS, 2, 101, "new.txt", "new", "", 3, "", id)) << store.LastError();
    EXPECT_EQ(4, id);
    EXPECT_FALSE(store.AddNode(PDM_ROOT_CLASS, PDM_ROOT_OBJECT, PDM_FOLDER_CLASS, "A", id));
    EXPECT_TRUE(store.LastErrorRefused());
    store.Close();

    // The addition is a row of the same table, read by SQLite as it always was.
    ASSERT_EQ(SQLITE_OK, sqlite3_open(path.c_str(), &db));
    EXPECT_EQ(schema, Schema(db));
    sqlite3_stmt* st = nullptr;
    ASSERT_EQ(SQLITE_OK, sqlite3_prepare_v2(db, "SELECT typeof(content), content, size FROM document WHERE file_name ="
                                                " 'new.txt'",
                                            -1, &st, nullptr));
    ASSERT_EQ(SQLITE_ROW, sqlite3_step(st));
    EXPECT_STREQ("blob", reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
    EXPECT_EQ(3, sqlite3_column_int(st, 2));
    sqlite3_finalize(st);
    sqlite3_close(db);
}
