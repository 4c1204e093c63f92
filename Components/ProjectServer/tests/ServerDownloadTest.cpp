// Product-data downloads: the stored bytes, a file kept by its path, and requests that
// name nothing in the store; the store in a SQLite file or on PostgreSQL.
#include "ServerTestSupport.h"

#include <Pdm/PdmStore.h>

#include <fstream>

namespace {

class ServerDownloadTest : public ServerBackendFixture {
protected:
    void SetUp() override
    {
        m_pdmStore = FreshPdmStoreDatabase(m_backend, m_dir.File("pdm.sqlite"));
        CPdmStore store;
        ASSERT_TRUE(store.Open(m_pdmStore, CPdmStore::CreateIfMissing)) << store.LastError();
        ASSERT_TRUE(store.AddNode(PDM_ROOT_CLASS, PDM_ROOT_OBJECT, PDM_FOLDER_CLASS, "F", m_folder));
        ASSERT_TRUE(store.PutDocument(PDM_FOLDER_CLASS, m_folder, PDM_DEFAULT_DOC_CLASS, u8"图纸 1.dwg",
                                      std::string("\0\x01\xff" "bytes", 8), "", 8, "", m_embedded));
        m_linkedFile = m_dir.File("outside.bin");
        std::ofstream(m_linkedFile, std::ios::binary) << std::string(200000, 'L');
        ASSERT_TRUE(store.PutDocument(PDM_FOLDER_CLASS, m_folder, PDM_DEFAULT_DOC_CLASS, "big.bin", "", m_linkedFile,
                                      200000, "", m_linked));
        ASSERT_TRUE(store.AddDocument(PDM_FOLDER_CLASS, m_folder, PDM_DEFAULT_DOC_CLASS, "record.doc", m_record));
        StartServer();
        LogIn();
    }
    httplib::Result Get(const std::string& target)
    {
        httplib::Client client("127.0.0.1", m_server->Port());
        client.set_read_timeout(60, 0);  // the store's first opening may be slow on a loaded machine
        return client.Get(target.c_str(), {{"Cookie", "PCSESSION=" + m_session}});
    }
    static std::string Url(int32_t c, int32_t o)
    {
        return "/pdm/GetPdmFile.asp?ClassID=" + std::to_string(c) + "&ObjectID=" + std::to_string(o);
    }

    int32_t m_folder = 0, m_embedded = 0, m_linked = 0, m_record = 0;
    std::string m_linkedFile;
};

}  // namespace

INSTANTIATE_TEST_SUITE_P(Backends, ServerDownloadTest, PC_SERVER_BACKENDS);

TEST_P(ServerDownloadTest, StoredBytesComeBackExactly)
{
    auto res = Get(Url(PDM_DEFAULT_DOC_CLASS, m_embedded));
    ASSERT_TRUE(res);
    EXPECT_EQ(200, res->status);
    EXPECT_EQ(std::string("\0\x01\xff" "bytes", 8), res->body);
    EXPECT_EQ("application/octet-stream", res->get_header_value("Content-Type"));
    // (The client library hands the header out percent-decoded.)
    EXPECT_EQ(u8"attachment; filename*=UTF-8''图纸 1.dwg", res->get_header_value("Content-Disposition"));
}

TEST_P(ServerDownloadTest, AFileKeptByItsPathIsStreamed)
{
    auto res = Get(Url(PDM_DEFAULT_DOC_CLASS, m_linked));
    ASSERT_TRUE(res);
    EXPECT_EQ(200, res->status);
    EXPECT_EQ(std::string(200000, 'L'), res->body);
    std::filesystem::remove(m_linkedFile);
    res = Get(Url(PDM_DEFAULT_DOC_CLASS, m_linked));
    ASSERT_TRUE(res);
    EXPECT_EQ(404, res->status);
}

TEST_P(ServerDownloadTest, ARecordWithoutBytesIsAnEmptyFile)
{
    auto res = Get(Url(PDM_DEFAULT_DOC_CLASS, m_record));
    ASSERT_TRUE(res);
    EXPECT_EQ(200, res->status);
    EXPECT_EQ("", res->body);
}

TEST_P(ServerDownloadTest, RequestsThatNameNothingInTheStore)
{
    auto res = Get(Url(PDM_DEFAULT_DOC_CLASS, 999));
    ASSERT_TRUE(res);
    EXPECT_EQ(404, res->status);
    for (const char* target : {"/pdm/GetPdmFile.asp?ClassID=101", "/pdm/GetPdmFile.asp?ClassID=101&ObjectID=1x",
                               "/pdm/GetPdmFile.asp?ClassID=../../etc/passwd&ObjectID=1",
                               "/pdm/GetPdmFile.asp?ClassID=99999999999&ObjectID=1"}) {
        res = Get(target);
        ASSERT_TRUE(res);
        EXPECT_EQ(400, res->status) << target;
    }
    for (const char* target : {"/pdm/../etc/passwd", "/pdm/GetPdmFile.asp/../../projects.sqlite", "/projects.sqlite",
                               "/pdm/%2e%2e/projects.sqlite"}) {
        res = Get(target);
        ASSERT_TRUE(res);
        EXPECT_EQ(404, res->status) << target;
        EXPECT_EQ(std::string::npos, res->body.find("SQLite")) << target;
    }
}

TEST_P(ServerDownloadTest, ADamagedStoreIsAClearError)
{
    if (m_backend == "sqlite") {
        std::ofstream(m_pdmStore, std::ios::binary | std::ios::trunc) << "not a store";
        std::filesystem::remove(m_pdmStore + "-wal");
        std::filesystem::remove(m_pdmStore + "-shm");
    } else {
        CSession session;
        CCommand command;
        ASSERT_EQ(S_OK, session.OpenOdbc(m_pdmStore.c_str()));
        ASSERT_EQ(S_OK, command.Open(session, "UPDATE dbo.pdm_meta SET value = 'other' WHERE key = 'format'"));
    }
    auto res = Get(Url(PDM_DEFAULT_DOC_CLASS, m_embedded));
    ASSERT_TRUE(res);
    EXPECT_EQ(503, res->status);
    EXPECT_NE(std::string::npos, res->body.find("not a product-data store")) << res->body;
    // A connection string may hold a password: no answer shows it.
    EXPECT_EQ(std::string::npos, res->body.find("Driver=")) << res->body;
}
