// The components facing a server that answers badly: whatever comes (no server, a stall,
// a cut connection, not XML, XML cut short, another content type, a 10 MB answer, names
// the store would never hold), each call ends in time with PDM_E_STORE and a trace line,
// and never hands out a record.
#include "PdmTestSupport.h"

#include <HttpLoopback/LoopbackHttpServer.h>
#include <Pdm/PdmFactory.h>
#include <Pdm/PdmReplies.h>

#include <ClassLib/Core/Conversion.h>

#include <chrono>
#include <utility>

namespace {

const char kNodes[] = "/pdm/Nodes.asp?ClassID=20&ObjectID=0";
const char kDocuments[] = "/pdm/Documents.asp?ClassID=21&ObjectID=1";

class PdmServerAnswersTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        UnsetProxies();
        SetPdmHttpTimeouts(2000, 500, 3000);
    }
    void TearDown() override
    {
        server.Stop();
        SetPdmServerSetting("");
        SetPdmHttpTimeouts(5000, 10000, 30000);
    }
    void Serve(const std::string& target, const std::string& body, const std::string& type = kPdmXmlType,
               int status = 200)
    {
        CLoopbackHttpServer::Reply r;
        r.status = status;
        r.body = body;
        r.contentType = type;
        server.Serve(target, r);
    }
    void Start()
    {
        ASSERT_TRUE(server.Start());
        SetPdmServerSetting("127.0.0.1:" + std::to_string(server.Port()));
    }
    // LoadChildren of the root: its result, with no record handed out after a failure.
    HRESULT LoadRoot()
    {
        CPdmPtr<IPdmNodeList> list(CreatePdmNodeList());
        HRESULT hr = list->LoadChildren(PDM_ROOT_CLASS, PDM_ROOT_OBJECT);
        LONG count = -1;
        if (hr != S_OK) {
            EXPECT_EQ(E_UNEXPECTED, list->GetCount(count));
        }
        return hr;
    }
    HRESULT LoadDocuments()
    {
        CPdmPtr<IPdmDocList> list(CreatePdmDocList());
        return list->LoadDocuments(PDM_FOLDER_CLASS, 1);
    }

    CLoopbackHttpServer server;
    CPdmTraceCatcher trace;
};

std::vector<PdmNodeRow> SomeFolders()
{
    std::vector<PdmNodeRow> rows(3);
    for (int i = 0; i < 3; ++i) {
        rows[i].classId = PDM_FOLDER_CLASS;
        rows[i].objectId = i + 1;
        rows[i].name = u8"文件夹 " + std::to_string(i);
    }
    return rows;
}

TEST_F(PdmServerAnswersTest, AGoodAnswerGivesItsRecordsInOrder)
{
    Serve(kNodes, WritePdmNodes(SomeFolders()));
    Start();
    CPdmPtr<IPdmNodeList> list(CreatePdmNodeList());
    ASSERT_EQ(S_OK, list->LoadChildren(PDM_ROOT_CLASS, PDM_ROOT_OBJECT));
    LONG count = 0;
    ASSERT_EQ(S_OK, list->GetCount(count));
    ASSERT_EQ(3, count);
    PdmNodeRecord r;
    for (int i = 0; i < 3; ++i) {
        ASSERT_EQ(S_OK, list->GetItem(r));
        EXPECT_EQ(i + 1, r.objectId);
        EXPECT_EQ(CStringFromUtf8(u8"文件夹 " + std::to_string(i)), r.name);
    }
}

TEST_F(PdmServerAnswersTest, NoServerFailsAtOnce)
{
    ASSERT_TRUE(server.Start());
    const int port = server.Port();
    server.Stop();  // the port is closed now
    SetPdmServerSetting("127.0.0.1:" + std::to_string(port));
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(PDM_E_STORE, LoadRoot());
    CPdmPtr<IPdmData> data(CreatePdmData());
    EXPECT_EQ(PDM_E_STORE, data->Initialize());
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(4));
    EXPECT_TRUE(trace.Has("PdmNodeList: http://127.0.0.1:" + std::to_string(port) + "/pdm/Nodes.asp"));
}

TEST_F(PdmServerAnswersTest, MalformedTruncatedOrForeignXmlIsAStoreFailure)
{
    const std::string whole = WritePdmNodes(SomeFolders());
    for (const std::string& body :
         {std::string("garbage \x01\x02 this is not XML <<<"), whole.substr(0, whole.size() / 2),
          whole.substr(0, whole.size() - 3), std::string("<PdmDocuments/>"), std::string(""),
          std::string("<PdmNodes><Node ClassID=\"21\" ObjectID=\"x\" HasChildren=\"0\" Name=\"a\"/></PdmNodes>"),
          std::string("<PdmNodes><Node ClassID=\"21\" ObjectID=\"99999999999\" HasChildren=\"0\" Name=\"a\"/></PdmNodes>"),
          std::string("<PdmNodes><Folder ClassID=\"21\" ObjectID=\"1\" HasChildren=\"0\" Name=\"a\"/></PdmNodes>")}) {
        Serve(kNodes, body);
        if (server.Port() <= 0)
            Start();
        EXPECT_EQ(PDM_E_STORE, LoadRoot()) << body;
    }
}

TEST_F(PdmServerAnswersTest, NamesTheStoreWouldRefuseMakeTheAnswerAFailure)
{
    for (const char* name : {"a/b.doc", "a\\b.doc", "..", ".", "tab\t.doc", ""}) {
        std::vector<PdmDocRow> rows(1);
        rows[0].classId = 101;
        rows[0].objectId = 1;
        rows[0].fileName = name;
        Serve(kDocuments, WritePdmDocuments(rows));
        if (server.Port() <= 0)
            Start();
        EXPECT_EQ(PDM_E_STORE, LoadDocuments()) << name;
    }
    // A code page 936 character whose trail byte is the backslash's code is one character,
    // no separator: it comes through whole.
    const std::string trail = Utf8FromCString(CString("\x81\x5C.doc"));
    ASSERT_EQ(std::string::npos, trail.find('\\'));
    std::vector<PdmDocRow> rows(1);
    rows[0].classId = 101;
    rows[0].objectId = 1;
    rows[0].fileName = trail;
    Serve(kDocuments, WritePdmDocuments(rows));
    CPdmPtr<IPdmDocList> list(CreatePdmDocList());
    ASSERT_EQ(S_OK, list->LoadDocuments(PDM_FOLDER_CLASS, 1));
    PdmDocRecord r;
    ASSERT_EQ(S_OK, list->GetItem(r));
    EXPECT_EQ(CString("\x81\x5C.doc"), r.fileName);
}

TEST_F(PdmServerAnswersTest, AnotherContentTypeIsAStoreFailure)
{
    Serve(kNodes, WritePdmNodes(SomeFolders()), "text/plain; charset=utf-8");
    Start();
    EXPECT_EQ(PDM_E_STORE, LoadRoot());
    EXPECT_TRUE(trace.Has("not XML"));
}

TEST_F(PdmServerAnswersTest, ATenMegabyteAnswerIsRefused)
{
    CLoopbackHttpServer::Reply r;
    r.generatedSize = 10u * 1024u * 1024u;
    r.contentType = kPdmXmlType;
    server.Serve(kNodes, r);
    Start();
    EXPECT_EQ(PDM_E_STORE, LoadRoot());
    EXPECT_TRUE(trace.Has("larger than"));
}

TEST_F(PdmServerAnswersTest, AStallOrACutConnectionEndsInTime)
{
    const std::string whole = WritePdmNodes(SomeFolders());
    CLoopbackHttpServer::Reply r;
    r.body = whole;
    r.contentType = kPdmXmlType;
    r.stallAfter = 10;
    server.Serve(kNodes, r);
    r.stallAfter = UINT64_MAX;
    r.breakAfter = whole.size() / 2;
    server.Serve(kDocuments, r);
    Start();
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(PDM_E_STORE, LoadRoot());
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(4));
    server.ReleaseStalls();
    EXPECT_EQ(PDM_E_STORE, LoadDocuments());
}

TEST_F(PdmServerAnswersTest, ARefusalIsInvalidArgAndAFailureIsAStoreFailure)
{
    const char kAdd[] = "/pdm/AddDocument.asp";
    Serve("/pdm/Store.asp", WritePdmStoreReady());
    Serve(kAdd, WritePdmError("a document named \"a.doc\" exists there already", true), kPdmXmlType, 400);
    Start();
    CPdmPtr<IPdmData> data(CreatePdmData());
    ASSERT_EQ(S_OK, data->Initialize());
    LONG id = -3;
    EXPECT_EQ(E_INVALIDARG, data->AddDocument(PDM_FOLDER_CLASS, 1, PDM_DEFAULT_DOC_CLASS, "a.doc", id));
    EXPECT_TRUE(trace.Has("exists there already"));
    // Refused before asking: separators, "..", control characters.
    for (const char* name : {"a/b.doc", "a\\b.doc", "..", "a\x01.doc"})
        EXPECT_EQ(E_INVALIDARG, data->AddDocument(PDM_FOLDER_CLASS, 1, PDM_DEFAULT_DOC_CLASS, name, id)) << name;
    EXPECT_EQ(-3, id);
    // A refusal mark on a server failure is not a refusal; an added id of 0 is a failure.
    for (const auto& answer : {std::make_pair(503, WritePdmError("locked", true)), std::make_pair(200, WritePdmAdded(0))}) {
        CLoopbackHttpServer other;
        CLoopbackHttpServer::Reply r;
        r.contentType = kPdmXmlType;
        r.body = WritePdmStoreReady();
        other.Serve("/pdm/Store.asp", r);
        r.status = answer.first;
        r.body = answer.second;
        other.Serve(kAdd, r);
        ASSERT_TRUE(other.Start());
        SetPdmServerSetting("127.0.0.1:" + std::to_string(other.Port()));
        EXPECT_EQ(PDM_E_STORE, data->AddDocument(PDM_FOLDER_CLASS, 1, PDM_DEFAULT_DOC_CLASS, "b.doc", id));
        other.Stop();
    }
    EXPECT_EQ(-3, id);
}

}  // namespace
