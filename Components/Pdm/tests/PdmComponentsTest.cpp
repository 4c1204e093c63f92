// The four components over a real store, read directly from its file and through the
// project server (serving the file, or a store on PostgreSQL), with the same results: calling order, order of records, adding documents, the
// classes allowed under a node's class, and texts in code page 936.
#include "PdmTestSupport.h"

#include <Pdm/PdmFactory.h>

#include <ClassLib/Core/Conversion.h>

namespace {

class PdmComponentsTest : public PdmEitherSourceFixture {
protected:
    int32_t AddFolder(int32_t parentClass, int32_t parentObject, const std::string& name)
    {
        CPdmStore store;
        EXPECT_TRUE(store.Open(m_storePath, CPdmStore::OpenExisting));
        int32_t id = 0;
        EXPECT_TRUE(store.AddNode(parentClass, parentObject, PDM_FOLDER_CLASS, name, id)) << store.LastError();
        return id;
    }

    std::vector<PdmNodeRecord> Children(LONG classId, LONG objectId)
    {
        std::vector<PdmNodeRecord> out;
        CPdmPtr<IPdmNodeList> list(CreatePdmNodeList());
        EXPECT_TRUE(list);
        EXPECT_EQ(S_OK, list->LoadChildren(classId, objectId));
        LONG count = -1;
        EXPECT_EQ(S_OK, list->GetCount(count));
        for (LONG i = 0; i < count; ++i) {
            PdmNodeRecord r;
            EXPECT_EQ(S_OK, list->GetItem(r));
            out.push_back(r);
        }
        PdmNodeRecord past;
        EXPECT_EQ(S_FALSE, list->GetItem(past));
        return out;
    }
};

}  // namespace

INSTANTIATE_TEST_SUITE_P(AllSources, PdmComponentsTest, PDM_ALL_SOURCES);

TEST_P(PdmComponentsTest, AFreshStoreHasAnEmptyRoot)
{
    EXPECT_TRUE(Children(PDM_ROOT_CLASS, PDM_ROOT_OBJECT).empty());
    CPdmPtr<IPdmDocList> docs(CreatePdmDocList());
    ASSERT_EQ(S_OK, docs->LoadDocuments(PDM_ROOT_CLASS, PDM_ROOT_OBJECT));
    LONG count = -1;
    EXPECT_EQ(S_OK, docs->GetCount(count));
    EXPECT_EQ(0, count);
}

TEST_P(PdmComponentsTest, RootChildrenComeInTheOrderTheyWereAddedWithTheirChildMarks)
{
    int32_t b = AddFolder(PDM_ROOT_CLASS, PDM_ROOT_OBJECT, u8"部件B");
    int32_t a = AddFolder(PDM_ROOT_CLASS, PDM_ROOT_OBJECT, u8"装配A");
    AddFolder(PDM_FOLDER_CLASS, a, u8"零件");
    std::vector<PdmNodeRecord> rows = Children(PDM_ROOT_CLASS, PDM_ROOT_OBJECT);
    ASSERT_EQ(2u, rows.size());
    EXPECT_EQ(PDM_FOLDER_CLASS, rows[0].classId);
    EXPECT_EQ(b, rows[0].objectId);
    EXPECT_STREQ("部件B", rows[0].name);  // code page 936 bytes
    EXPECT_EQ(0, rows[0].hasChildren);
    EXPECT_EQ(a, rows[1].objectId);
    EXPECT_STREQ("装配A", rows[1].name);
    EXPECT_NE(0, rows[1].hasChildren);
    EXPECT_NE(a, b);
    std::vector<PdmNodeRecord> below = Children(PDM_FOLDER_CLASS, a);
    ASSERT_EQ(1u, below.size());
    EXPECT_STREQ("零件", below[0].name);
}

TEST_P(PdmComponentsTest, CallsOutOfOrderAreRefused)
{
    CPdmTraceCatcher trace;
    CPdmPtr<IPdmNodeList> list(CreatePdmNodeList());
    LONG count = 7;
    PdmNodeRecord r;
    EXPECT_EQ(E_UNEXPECTED, list->GetCount(count));
    EXPECT_EQ(7, count);
    EXPECT_EQ(E_UNEXPECTED, list->GetItem(r));
    EXPECT_TRUE(trace.Has("PdmNodeList: GetCount before a successful load"));
    CPdmPtr<IPdmData> data(CreatePdmData());
    LONG id = 5;
    EXPECT_EQ(E_UNEXPECTED, data->AddDocument(PDM_ROOT_CLASS, PDM_ROOT_OBJECT, PDM_DEFAULT_DOC_CLASS, "a.doc", id));
    EXPECT_EQ(5, id);
}

TEST_P(PdmComponentsTest, AddDocumentGivesANewIdAndTheRecordLists)
{
    int32_t folder = AddFolder(PDM_ROOT_CLASS, PDM_ROOT_OBJECT, u8"图纸");
    CPdmPtr<IPdmData> data(CreatePdmData());
    ASSERT_EQ(S_OK, data->Initialize());
    LONG first = 0, second = 0;
    ASSERT_EQ(S_OK, data->AddDocument(PDM_FOLDER_CLASS, folder, PDM_DEFAULT_DOC_CLASS, "总图.dwg", first));
    ASSERT_EQ(S_OK, data->AddDocument(PDM_FOLDER_CLASS, folder, PDM_DEFAULT_DOC_CLASS, "说明.doc", second));
    EXPECT_NE(0, first);
    EXPECT_NE(0, second);
    EXPECT_NE(first, second);

    CPdmPtr<IPdmDocList> docs(CreatePdmDocList());
    ASSERT_EQ(S_OK, docs->LoadDocuments(PDM_FOLDER_CLASS, folder));
    LONG count = 0;
    ASSERT_EQ(S_OK, docs->GetCount(count));
    ASSERT_EQ(2, count);
    PdmDocRecord r;
    ASSERT_EQ(S_OK, docs->GetItem(r));
    EXPECT_EQ(PDM_DEFAULT_DOC_CLASS, r.classId);
    EXPECT_EQ(first, r.objectId);
    EXPECT_STREQ("总图.dwg", r.fileName);
    EXPECT_EQ(0, r.size);  // a record only
    EXPECT_EQ(19, r.modified.GetLength());
    ASSERT_EQ(S_OK, docs->GetItem(r));
    EXPECT_EQ(second, r.objectId);
    EXPECT_STREQ("说明.doc", r.fileName);
    EXPECT_EQ(S_FALSE, docs->GetItem(r));
    EXPECT_EQ(second, r.objectId);  // untouched after the last

    // The store keeps UTF-8.
    CPdmStore store;
    ASSERT_TRUE(store.Open(m_storePath, CPdmStore::OpenExisting));
    std::vector<PdmDocRow> rows;
    ASSERT_TRUE(store.ListDocuments(PDM_FOLDER_CLASS, folder, rows));
    EXPECT_EQ(std::string(u8"总图.dwg"), rows[0].fileName);
}

TEST_P(PdmComponentsTest, AddDocumentRefusesWhatTheStoreCannotHold)
{
    int32_t folder = AddFolder(PDM_ROOT_CLASS, PDM_ROOT_OBJECT, "F");
    CPdmTraceCatcher trace;
    CPdmPtr<IPdmData> data(CreatePdmData());
    ASSERT_EQ(S_OK, data->Initialize());
    LONG id = 0;
    ASSERT_EQ(S_OK, data->AddDocument(PDM_FOLDER_CLASS, folder, PDM_DEFAULT_DOC_CLASS, "a.txt", id));
    LONG bad = -9;
    EXPECT_EQ(E_INVALIDARG, data->AddDocument(PDM_FOLDER_CLASS, folder, PDM_DEFAULT_DOC_CLASS, "a.txt", bad));
    EXPECT_TRUE(trace.Has("a document named \"a.txt\" exists there already"));
    EXPECT_EQ(E_INVALIDARG, data->AddDocument(PDM_FOLDER_CLASS, folder, PDM_DEFAULT_DOC_CLASS, "../x.txt", bad));
    EXPECT_EQ(E_INVALIDARG, data->AddDocument(PDM_FOLDER_CLASS, folder, PDM_DEFAULT_DOC_CLASS, "a\\b.txt", bad));
    EXPECT_EQ(E_INVALIDARG, data->AddDocument(PDM_FOLDER_CLASS, folder, PDM_DEFAULT_DOC_CLASS, "", bad));
    EXPECT_EQ(E_INVALIDARG, data->AddDocument(PDM_FOLDER_CLASS, folder + 100, PDM_DEFAULT_DOC_CLASS, "b.txt", bad));
    EXPECT_TRUE(trace.Has("does not exist"));
    EXPECT_EQ(E_INVALIDARG, data->AddDocument(PDM_FOLDER_CLASS, folder, 999, "b.txt", bad));
    EXPECT_TRUE(trace.Has("document class 999 may not be added under node class 21"));
    EXPECT_EQ(-9, bad);
    // Nothing but the first went in.
    CPdmStore store;
    ASSERT_TRUE(store.Open(m_storePath, CPdmStore::OpenExisting));
    std::vector<PdmDocRow> rows;
    ASSERT_TRUE(store.ListDocuments(PDM_FOLDER_CLASS, folder, rows));
    EXPECT_EQ(1u, rows.size());
}

TEST_P(PdmComponentsTest, AvailListAnswersOnlyTheClassesAllowedUnderTheNodesClass)
{
    {
        CPdmStore store;
        ASSERT_TRUE(store.Open(m_storePath, CPdmStore::OpenExisting));
        ASSERT_TRUE(store.AddNodeClass(30, u8"零件"));
        ASSERT_TRUE(store.AddDocClass(201, u8"图纸"));
        ASSERT_TRUE(store.AddDocClass(202, u8"工艺卡"));
        ASSERT_TRUE(store.AddDocClass(203, u8"合同"));
        ASSERT_TRUE(store.AllowDocClass(30, 202));
        ASSERT_TRUE(store.AllowDocClass(30, 201));
        ASSERT_TRUE(store.AllowDocClass(21, 203));
    }
    CPdmPtr<IPdmAvailList> list(CreatePdmAvailList());
    ASSERT_EQ(S_OK, list->LoadClasses(30, 1));
    LONG count = 0;
    ASSERT_EQ(S_OK, list->GetCount(count));
    ASSERT_EQ(2, count);
    PdmClassRecord r;
    ASSERT_EQ(S_OK, list->GetItem(r));
    EXPECT_EQ(202, r.classId);
    EXPECT_STREQ("工艺卡", r.name);
    ASSERT_EQ(S_OK, list->GetItem(r));
    EXPECT_EQ(201, r.classId);
    EXPECT_STREQ("图纸", r.name);
    EXPECT_EQ(S_FALSE, list->GetItem(r));

    ASSERT_EQ(S_OK, list->LoadClasses(21, 1));
    ASSERT_EQ(S_OK, list->GetCount(count));
    ASSERT_EQ(2, count);  // the fresh store's 101, then 203
    ASSERT_EQ(S_OK, list->GetItem(r));
    EXPECT_EQ(101, r.classId);
    ASSERT_EQ(S_OK, list->GetItem(r));
    EXPECT_EQ(203, r.classId);

    ASSERT_EQ(S_OK, list->LoadClasses(77, 1));
    ASSERT_EQ(S_OK, list->GetCount(count));
    EXPECT_EQ(0, count);
    EXPECT_EQ(E_INVALIDARG, list->LoadClasses(30, 2));
    EXPECT_EQ(E_UNEXPECTED, list->GetCount(count));
}

TEST_P(PdmComponentsTest, TenThousandDocumentsListInOrder)
{
    int32_t folder = AddFolder(PDM_ROOT_CLASS, PDM_ROOT_OBJECT, u8"大量");
    if (GetParam() == "postgresql") {
        // Filled in one statement (one by one through the store takes seconds over ODBC);
        // the listing is what is tested.
        RunOnStore(("INSERT INTO dbo.document(class_id, object_id, parent_class, parent_object, file_name, size,"
                    " modified, content) SELECT 101, i + 1, 21, " + std::to_string(folder) +
                    ", 'doc' || ((i * 7919) % 10000) || '.txt', 1, '', 'x'::bytea FROM generate_series(0, 9999) AS i"
                    " ORDER BY i").c_str());
    } else {
        CPdmStore store;
        ASSERT_TRUE(store.Open(m_storePath, CPdmStore::OpenExisting));
        ASSERT_TRUE(store.Begin());
        for (int i = 0; i < 10000; ++i) {
            int32_t id = 0;
            // Names that sort differently from the order they were added in.
            std::string name = "doc" + std::to_string((i * 7919) % 10000) + ".txt";
            ASSERT_TRUE(store.PutDocument(PDM_FOLDER_CLASS, folder, PDM_DEFAULT_DOC_CLASS, name, "x", "", 1, "", id))
                << store.LastError();
        }
        ASSERT_TRUE(store.Commit());
    }
    CPdmPtr<IPdmDocList> docs(CreatePdmDocList());
    ASSERT_EQ(S_OK, docs->LoadDocuments(PDM_FOLDER_CLASS, folder));
    LONG count = 0;
    ASSERT_EQ(S_OK, docs->GetCount(count));
    ASSERT_EQ(10000, count);
    for (int i = 0; i < count; ++i) {
        PdmDocRecord r;
        ASSERT_EQ(S_OK, docs->GetItem(r));
        ASSERT_EQ(i + 1, r.objectId);
        CString want;
        want.Format("doc%d.txt", (i * 7919) % 10000);
        ASSERT_STREQ(want, r.fileName);
    }
}

TEST_P(PdmComponentsTest, IdsAreThirtyTwoBit)
{
    {
        CPdmStore store;
        ASSERT_TRUE(store.Open(m_storePath, CPdmStore::OpenExisting));
        int32_t id = 0;
        ASSERT_TRUE(store.PutDocument(PDM_ROOT_CLASS, PDM_ROOT_OBJECT, PDM_DEFAULT_DOC_CLASS, "last.txt", "", "", 0, "",
                                      id));
    }
    // A store whose highest id is the largest 32-bit one refuses to count past it.
    {
        CPdmStore store;
        ASSERT_TRUE(store.Open(m_storePath, CPdmStore::OpenExisting));
        std::vector<PdmDocRow> rows;
        ASSERT_TRUE(store.ListDocuments(PDM_ROOT_CLASS, PDM_ROOT_OBJECT, rows));
    }
    RunOnStore("UPDATE dbo.document SET object_id = 2147483647");
    CPdmTraceCatcher trace;
    CPdmPtr<IPdmData> data(CreatePdmData());
    ASSERT_EQ(S_OK, data->Initialize());
    LONG id = 0;
    EXPECT_EQ(PDM_E_STORE, data->AddDocument(PDM_ROOT_CLASS, PDM_ROOT_OBJECT, PDM_DEFAULT_DOC_CLASS, "next.txt", id));
    EXPECT_TRUE(trace.Has("are used up"));
    CPdmPtr<IPdmDocList> docs(CreatePdmDocList());
    ASSERT_EQ(S_OK, docs->LoadDocuments(PDM_ROOT_CLASS, PDM_ROOT_OBJECT));
    PdmDocRecord r;
    LONG count = 0;
    ASSERT_EQ(S_OK, docs->GetCount(count));
    ASSERT_EQ(1, count);
    ASSERT_EQ(S_OK, docs->GetItem(r));
    EXPECT_EQ(2147483647, r.objectId);
}
