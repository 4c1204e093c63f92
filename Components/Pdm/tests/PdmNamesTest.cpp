// Names the store keeps are UTF-8 text XML can carry; listings stay well-formed over records
// stored before that was checked, and error answers do not name the store's file.
#include "PdmTestSupport.h"

#include <Pdm/PdmImport.h>
#include <Pdm/PdmReplies.h>

namespace {

class PdmNamesTest : public PdmStoreFixture {};

const char kDecl[] = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n";

}  // namespace

TEST_F(PdmNamesTest, ANameThatIsNoUtf8TextIsRefused)
{
    CPdmStore store;
    ASSERT_TRUE(store.Open(m_storePath, CPdmStore::OpenExisting)) << store.LastError();
    int32_t folder = 0;
    ASSERT_TRUE(store.AddNode(PDM_ROOT_CLASS, PDM_ROOT_OBJECT, PDM_FOLDER_CLASS, "docs", folder)) << store.LastError();
    // %ff%fe once decoded; an overlong '/'; a surrogate; U+FFFE.
    for (const std::string name : {"\xff\xfe", "a\xc0\xaf" "b", "\xed\xa0\x80.txt", "x\xef\xbf\xbe"}) {
        int32_t id = -1;
        EXPECT_FALSE(store.AddDocument(PDM_FOLDER_CLASS, folder, PDM_DEFAULT_DOC_CLASS, name, id));
        EXPECT_TRUE(store.LastErrorRefused());
        EXPECT_EQ("product-data store \"" + m_storePath +
                      "\": a file name must be UTF-8 text without control characters",
                  store.LastError());
        EXPECT_EQ(0, id);
        EXPECT_FALSE(store.AddNode(PDM_FOLDER_CLASS, folder, PDM_FOLDER_CLASS, name, id));
        EXPECT_TRUE(store.LastErrorRefused());
    }
    int32_t id = 0;
    EXPECT_TRUE(store.AddDocument(PDM_FOLDER_CLASS, folder, PDM_DEFAULT_DOC_CLASS, u8"图纸\U0001F600.dwg", id));
    std::vector<PdmDocRow> docs;
    ASSERT_TRUE(store.ListDocuments(PDM_FOLDER_CLASS, folder, docs));
    ASSERT_EQ(1u, docs.size());
    EXPECT_EQ(u8"图纸\U0001F600.dwg", docs[0].fileName);
}

TEST_F(PdmNamesTest, TheImportSkipsNamesThatAreNoUtf8Text)
{
    const std::string src = m_dir.File("src");
    std::filesystem::create_directories(src);
    WriteFileBytes(src + "/\xff\xfe.txt", "x");
    WriteFileBytes(src + "/ok.txt", "y");
    CPdmStore store;
    ASSERT_TRUE(store.Open(m_storePath, CPdmStore::OpenExisting));
    PdmImportResult result;
    std::string error;
    ASSERT_TRUE(PdmImportTree(store, src, PDM_ROOT_CLASS, PDM_ROOT_OBJECT, false, result, error)) << error;
    EXPECT_EQ(1, result.documents);
    ASSERT_EQ(1u, result.skipped.size());
    EXPECT_EQ(src + "/\xff\xfe.txt: the name cannot be kept in the store", result.skipped[0]);
}

TEST(PdmAnswersTest, ListingsOfOlderRecordsStayWellFormed)
{
    PdmDocRow doc;
    doc.classId = 101;
    doc.objectId = 7;
    doc.size = 3;
    doc.modified = "2026-01-02 03:04:05";
    doc.fileName = "\xff\xfe";
    const std::string docs = WritePdmDocuments({doc});
    EXPECT_EQ(std::string(kDecl) + "<PdmDocuments><Document ClassID=\"101\" ObjectID=\"7\" Size=\"3\" Modified=\""
                                   "2026-01-02 03:04:05\" FileName=\"\xef\xbf\xbd\xef\xbf\xbd\"/>\n</PdmDocuments>\n",
              docs);
    std::vector<PdmDocRow> read;
    std::string error;
    ASSERT_TRUE(ReadPdmDocuments(docs, read, error)) << error;
    ASSERT_EQ(1u, read.size());
    EXPECT_EQ("\xef\xbf\xbd\xef\xbf\xbd", read[0].fileName);

    PdmNodeRow node;
    node.classId = 21;
    node.objectId = 2;
    node.name = u8"图\xc0\xaf\x01";
    EXPECT_EQ(std::string(kDecl) + u8"<PdmNodes><Node ClassID=\"21\" ObjectID=\"2\" HasChildren=\"0\" Name=\"图"
                                   "\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd\"/>\n</PdmNodes>\n",
              WritePdmNodes({node}));
}

TEST(PdmAnswersTest, AnErrorAnswerDoesNotNameTheStoresFile)
{
    EXPECT_EQ(std::string(kDecl) + "<PdmError Refused=\"0\">product-data store: the file does not exist</PdmError>\n",
              WritePdmError("product-data store \"/srv/teams/pdm.sqlite\": the file does not exist", false));
    EXPECT_EQ(std::string(kDecl) + "<PdmError Refused=\"1\">product-data store: &quot;a&amp;b&quot; is not a valid file "
                                   "name \xef\xbf\xbd</PdmError>\n",
              WritePdmError("product-data store \"/x\": \"a&b\" is not a valid file name \xff", true));
    EXPECT_EQ("product-data store on the database server: cannot read",
              PdmErrorForClients("product-data store on the database server: cannot read"));
}
