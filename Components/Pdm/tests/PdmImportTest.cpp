// Filling a store from a folder tree, through the library and through the command.
#include "PdmTestSupport.h"

#include <Pdm/PdmImport.h>

#include <cstdio>
#include <sys/wait.h>

namespace {

class PdmImportTest : public PdmStoreFixture {
protected:
    void MakeTree()
    {
        namespace fs = std::filesystem;
        m_src = m_dir.File("src");
        fs::create_directories(m_src + u8"/机械/齿轮");
        fs::create_directories(m_src + "/empty");
        WriteFileBytes(m_src + u8"/说明.txt", "hello");
        WriteFileBytes(m_src + u8"/机械/b.dwg", std::string("\0\1\2binary", 9));
        WriteFileBytes(m_src + u8"/机械/齿轮/z.doc", "gear");
        // A link back up the tree, and a name the store cannot hold.
        fs::create_directory_symlink(m_src, m_src + u8"/机械/loop");
        WriteFileBytes(m_src + "/back\\slash.txt", "x");
    }

    static std::string Run(const std::string& command, int& status)
    {
        std::string out;
        FILE* p = ::popen((command + " 2>&1").c_str(), "r");
        if (!p) {
            status = -1;
            return out;
        }
        char buf[512];
        size_t n;
        while ((n = std::fread(buf, 1, sizeof(buf), p)) > 0)
            out.append(buf, n);
        int rc = ::pclose(p);
        status = WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
        return out;
    }

    std::string m_src;
};

}  // namespace

TEST_F(PdmImportTest, AFolderTreeBecomesFoldersAndDocuments)
{
    MakeTree();
    CPdmStore store;
    ASSERT_TRUE(store.Open(m_storePath, CPdmStore::OpenExisting));
    PdmImportResult result;
    std::string error;
    ASSERT_TRUE(PdmImportTree(store, m_src, PDM_ROOT_CLASS, PDM_ROOT_OBJECT, false, result, error)) << error;
    EXPECT_EQ(3, result.folders);  // 机械, 齿轮, empty
    EXPECT_EQ(3, result.documents);
    ASSERT_EQ(2u, result.skipped.size());

    std::vector<PdmNodeRow> root;
    ASSERT_TRUE(store.ListChildren(PDM_ROOT_CLASS, PDM_ROOT_OBJECT, root));
    ASSERT_EQ(2u, root.size());
    EXPECT_EQ("empty", root[0].name);  // by name, bytewise
    EXPECT_FALSE(root[0].hasChildren);
    EXPECT_EQ(u8"机械", root[1].name);
    EXPECT_TRUE(root[1].hasChildren);
    std::vector<PdmDocRow> docs;
    ASSERT_TRUE(store.ListDocuments(root[1].classId, root[1].objectId, docs));
    ASSERT_EQ(1u, docs.size());
    EXPECT_EQ("b.dwg", docs[0].fileName);
    EXPECT_EQ(9, docs[0].size);
    PdmDocContent content;
    ASSERT_TRUE(store.ReadDocument(docs[0].classId, docs[0].objectId, content));
    EXPECT_TRUE(content.hasBytes);
    EXPECT_EQ(std::string("\0\1\2binary", 9), content.bytes);
    std::string path;
    std::vector<PdmNodeRow> below;
    ASSERT_TRUE(store.ListChildren(root[1].classId, root[1].objectId, below));
    ASSERT_EQ(1u, below.size());
    ASSERT_TRUE(store.NodePath(below[0].classId, below[0].objectId, path));
    EXPECT_EQ(u8"机械\\齿轮\\", path);

    // A second import fills the same folders and skips what is there.
    ASSERT_TRUE(PdmImportTree(store, m_src, PDM_ROOT_CLASS, PDM_ROOT_OBJECT, false, result, error)) << error;
    EXPECT_EQ(0, result.folders);
    EXPECT_EQ(0, result.documents);
    EXPECT_EQ(5u, result.skipped.size());
}

TEST_F(PdmImportTest, LinkedFilesKeepTheirPathOnly)
{
    MakeTree();
    CPdmStore store;
    ASSERT_TRUE(store.Open(m_storePath, CPdmStore::OpenExisting));
    PdmImportResult result;
    std::string error;
    ASSERT_TRUE(PdmImportTree(store, m_src, PDM_ROOT_CLASS, PDM_ROOT_OBJECT, true, result, error)) << error;
    std::vector<PdmDocRow> docs;
    ASSERT_TRUE(store.ListDocuments(PDM_ROOT_CLASS, PDM_ROOT_OBJECT, docs));
    ASSERT_EQ(1u, docs.size());
    EXPECT_EQ(5, docs[0].size);
    PdmDocContent content;
    ASSERT_TRUE(store.ReadDocument(docs[0].classId, docs[0].objectId, content));
    EXPECT_FALSE(content.hasBytes);
    EXPECT_EQ(m_src + u8"/说明.txt", content.path);
}

TEST_F(PdmImportTest, AFailedImportLeavesTheStoreAsItWas)
{
    CPdmStore store;
    ASSERT_TRUE(store.Open(m_storePath, CPdmStore::OpenExisting));
    PdmImportResult result;
    std::string error;
    EXPECT_FALSE(PdmImportTree(store, m_dir.File("missing"), PDM_ROOT_CLASS, PDM_ROOT_OBJECT, false, result, error));
    EXPECT_NE(std::string::npos, error.find("is not a folder"));
    MakeTree();
    EXPECT_FALSE(PdmImportTree(store, m_src, PDM_FOLDER_CLASS, 42, false, result, error));
    EXPECT_EQ("folder 21/42 is not in the store", error);
    std::vector<PdmNodeRow> root;
    ASSERT_TRUE(store.ListChildren(PDM_ROOT_CLASS, PDM_ROOT_OBJECT, root));
    EXPECT_TRUE(root.empty());
}

TEST_F(PdmImportTest, TheCommandCreatesImportsAndLists)
{
    MakeTree();
    int status = -1;
    std::string help = Run(std::string(PDM_STORE_TOOL) + " --help", status);
    EXPECT_EQ(0, status);
    EXPECT_NE(std::string::npos, help.find("Usage: pdm-store COMMAND"));
    std::string fresh = m_dir.File("sub/new.sqlite");
    std::string out = Run(std::string(PDM_STORE_TOOL) + " import '" + fresh + "' '" + m_src + "'", status);
    EXPECT_EQ(0, status) << out;
    EXPECT_NE(std::string::npos, out.find("3 folders, 3 documents imported")) << out;
    EXPECT_NE(std::string::npos, out.find("skipped")) << out;
    out = Run(std::string(PDM_STORE_TOOL) + " list '" + fresh + "'", status);
    EXPECT_EQ(0, status);
    EXPECT_NE(std::string::npos, out.find(u8"机械")) << out;
    EXPECT_NE(std::string::npos, out.find(u8"说明.txt")) << out;
    out = Run(std::string(PDM_STORE_TOOL) + " list '" + m_dir.File("none.sqlite") + "'", status);
    EXPECT_EQ(1, status);
    EXPECT_NE(std::string::npos, out.find("the file does not exist")) << out;
    out = Run(std::string(PDM_STORE_TOOL) + " frobnicate", status);
    EXPECT_EQ(2, status);
}

TEST_F(PdmImportTest, TheCommandImportsAndListsOnADatabaseServer)
{
    MakeTree();
    const std::string server = FreshPdmStoreDatabase("postgresql", m_storePath);
    int status = -1;
    std::string out = Run(std::string(PDM_STORE_TOOL) + " import '" + server + "' '" + m_src + "'", status);
    EXPECT_EQ(0, status) << out;
    EXPECT_NE(std::string::npos, out.find("3 folders, 3 documents imported into the store on the database server"))
        << out;
    EXPECT_EQ(std::string::npos, out.find("Driver=")) << out;
    out = Run(std::string(PDM_STORE_TOOL) + " list '" + server + "'", status);
    EXPECT_EQ(0, status) << out;
    EXPECT_NE(std::string::npos, out.find(u8"机械")) << out;
    EXPECT_NE(std::string::npos, out.find(u8"说明.txt")) << out;
    // The bytes arrived whole.
    CPdmStore store;
    ASSERT_TRUE(store.Open(server, CPdmStore::OpenExisting)) << store.LastError();
    std::vector<PdmNodeRow> root;
    ASSERT_TRUE(store.ListChildren(PDM_ROOT_CLASS, PDM_ROOT_OBJECT, root));
    int32_t machine = 0;
    for (const PdmNodeRow& n : root)
        if (n.name == u8"机械")
            machine = n.objectId;
    std::vector<PdmDocRow> docs;
    ASSERT_TRUE(store.ListDocuments(PDM_FOLDER_CLASS, machine, docs));
    ASSERT_EQ(1u, docs.size());
    PdmDocContent content;
    ASSERT_TRUE(store.ReadDocument(docs[0].classId, docs[0].objectId, content));
    EXPECT_EQ(std::string("\0\1\2binary", 9), content.bytes);
}
