// Exchanges written out byte for byte: the reference the client and the server both meet.
// The server is driven with these request texts and must answer these reply texts; the
// client's encoder must write the same request texts.
#include "ServerTestSupport.h"

#include <ProjectService/ServiceDescription.h>
#include <ProjectService/SoapEnvelope.h>

namespace {

const char kHead[] = "<?xml version=\"1.0\" encoding=\"utf-8\"?>"
                     "<soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\"><soap:Body>";
const char kTail[] = "</soap:Body></soap:Envelope>";

std::string Envelope(const std::string& inner)
{
    return kHead + inner + kTail;
}

class ServerReferenceExchangeTest : public ServerBackendFixture {};

}  // namespace

INSTANTIATE_TEST_SUITE_P(Backends, ServerReferenceExchangeTest, PC_SERVER_BACKENDS);

TEST_P(ServerReferenceExchangeTest, Login)
{
    StartServer();
    ASSERT_TRUE(m_server->AddUser("u1", "5b50686204", u8"张三"));
    const std::string request = Envelope(
        "<Login xmlns=\"urn:orvesk:project-service\"><userCode>u1</userCode><password>5b50686204</password></Login>");
    auto res = Post(request, "Login");
    ASSERT_TRUE(res);
    EXPECT_EQ(200, res->status);
    EXPECT_EQ("text/xml; charset=utf-8", res->get_header_value("Content-Type"));
    EXPECT_EQ(Envelope(u8"<LoginResponse xmlns=\"urn:orvesk:project-service\"><Reply>张三</Reply></LoginResponse>"),
              res->body);
    // A wrong password: an empty reply.
    res = Post(Envelope("<Login xmlns=\"urn:orvesk:project-service\"><userCode>u1</userCode><password>00</password>"
                        "</Login>"),
               "Login");
    ASSERT_TRUE(res);
    EXPECT_EQ(Envelope("<LoginResponse xmlns=\"urn:orvesk:project-service\"><Reply></Reply></LoginResponse>"),
              res->body);

    // The client writes this very request.
    EXPECT_EQ(request, projectsoap::BuildEnvelope("urn:orvesk:project-service", "Login",
                                                  {{"userCode", "u1"}, {"password", "5b50686204"}}));
}

TEST_P(ServerReferenceExchangeTest, SaveProjectAnswersTheIdsByGridRow)
{
    StartServer();
    LogIn();
    ASSERT_TRUE(m_server->SetNextIds(7, 500));
    const std::string project = "<PROJECT><ID>0</ID><NAME>A&amp;B</NAME><FLAG>1</FLAG><TASKS>"
                                "<TASK><ENTIREPROJID>0</ENTIREPROJID><TASKID>0</TASKID><PARENTID>0</PARENTID>"
                                "<NAME>设计</NAME><ROWINGRID>1</ROWINGRID><FLAG>1</FLAG></TASK>"
                                "<TASK><ENTIREPROJID>0</ENTIREPROJID><TASKID>0</TASKID><PARENTID>0</PARENTID>"
                                "<NAME>编码</NAME><ROWINGRID>2</ROWINGRID><FLAG>1</FLAG><LINKS><LINK><PREDID>1"
                                "</PREDID><TYPE>1</TYPE></LINK></LINKS></TASK></TASKS></PROJECT>";
    // The project text travels escaped inside the projectData value.
    const std::string request = Envelope(
        u8"<SaveProject xmlns=\"urn:orvesk:project-service\"><projectId>0</projectId><projectData>"
        "&lt;PROJECT&gt;&lt;ID&gt;0&lt;/ID&gt;&lt;NAME&gt;A&amp;amp;B&lt;/NAME&gt;&lt;FLAG&gt;1&lt;/FLAG&gt;&lt;TASKS&gt;"
        "&lt;TASK&gt;&lt;ENTIREPROJID&gt;0&lt;/ENTIREPROJID&gt;&lt;TASKID&gt;0&lt;/TASKID&gt;&lt;PARENTID&gt;0&lt;/PARENTID&gt;"
        "&lt;NAME&gt;设计&lt;/NAME&gt;&lt;ROWINGRID&gt;1&lt;/ROWINGRID&gt;&lt;FLAG&gt;1&lt;/FLAG&gt;&lt;/TASK&gt;"
        "&lt;TASK&gt;&lt;ENTIREPROJID&gt;0&lt;/ENTIREPROJID&gt;&lt;TASKID&gt;0&lt;/TASKID&gt;&lt;PARENTID&gt;0&lt;/PARENTID&gt;"
        "&lt;NAME&gt;编码&lt;/NAME&gt;&lt;ROWINGRID&gt;2&lt;/ROWINGRID&gt;&lt;FLAG&gt;1&lt;/FLAG&gt;&lt;LINKS&gt;&lt;LINK&gt;"
        "&lt;PREDID&gt;1&lt;/PREDID&gt;&lt;TYPE&gt;1&lt;/TYPE&gt;&lt;/LINK&gt;&lt;/LINKS&gt;&lt;/TASK&gt;&lt;/TASKS&gt;"
        "&lt;/PROJECT&gt;</projectData></SaveProject>");
    EXPECT_EQ(request, projectsoap::BuildEnvelope("urn:orvesk:project-service", "SaveProject",
                                                  {{"projectId", "0"}, {"projectData", u8"" + project}}));
    auto res = Post(request, "SaveProject");
    ASSERT_TRUE(res);
    EXPECT_EQ(200, res->status);
    EXPECT_EQ(Envelope("<SaveProjectResponse xmlns=\"urn:orvesk:project-service\"><Result>0</Result><Reply>"
                       "&lt;TASKIDS&gt;&lt;TASKID&gt;&lt;ID&gt;7&lt;/ID&gt;&lt;ROW&gt;0&lt;/ROW&gt;&lt;ISSUBPROJ&gt;0"
                       "&lt;/ISSUBPROJ&gt;&lt;SUBPROJID&gt;0&lt;/SUBPROJID&gt;&lt;/TASKID&gt;&lt;TASKID&gt;&lt;ID&gt;500"
                       "&lt;/ID&gt;&lt;ROW&gt;1&lt;/ROW&gt;&lt;ISSUBPROJ&gt;0&lt;/ISSUBPROJ&gt;&lt;SUBPROJID&gt;0"
                       "&lt;/SUBPROJID&gt;&lt;/TASKID&gt;&lt;TASKID&gt;&lt;ID&gt;501&lt;/ID&gt;&lt;ROW&gt;2&lt;/ROW&gt;"
                       "&lt;ISSUBPROJ&gt;0&lt;/ISSUBPROJ&gt;&lt;SUBPROJID&gt;0&lt;/SUBPROJID&gt;&lt;/TASKID&gt;"
                       "&lt;/TASKIDS&gt;</Reply></SaveProjectResponse>"),
              res->body);
    std::string stored;
    ASSERT_TRUE(m_server->GetProject(7, stored));
    EXPECT_EQ(u8"<PROJECT><ID>7</ID><NAME>A&amp;B</NAME><FLAG>0</FLAG><TASKS>"
              "<TASK><ENTIREPROJID>7</ENTIREPROJID><TASKID>500</TASKID><PARENTID>0</PARENTID>"
              "<NAME>设计</NAME><ROWINGRID>1</ROWINGRID><FLAG>0</FLAG></TASK>"
              "<TASK><ENTIREPROJID>7</ENTIREPROJID><TASKID>501</TASKID><PARENTID>0</PARENTID>"
              "<NAME>编码</NAME><ROWINGRID>2</ROWINGRID><FLAG>0</FLAG><LINKS><LINK><PREDID>500"
              "</PREDID><TYPE>1</TYPE></LINK></LINKS></TASK></TASKS></PROJECT>",
              stored);
}

TEST_P(ServerReferenceExchangeTest, ACarriageReturnTravelsAsAReference)
{
    StartServer();
    LogIn();
    ASSERT_TRUE(m_server->SetResources("<RESOURCES><R>a\r\nb</R></RESOURCES>"));
    auto res = Post(Envelope("<GetResources xmlns=\"urn:orvesk:project-service\"></GetResources>"), "GetResources");
    ASSERT_TRUE(res);
    EXPECT_EQ(Envelope("<GetResourcesResponse xmlns=\"urn:orvesk:project-service\"><Result>0</Result><ResourceData>"
                       "&lt;RESOURCES&gt;&lt;R&gt;a&#13;\nb&lt;/R&gt;&lt;/RESOURCES&gt;</ResourceData>"
                       "</GetResourcesResponse>"),
              res->body);
}

TEST_P(ServerReferenceExchangeTest, ALargeReplyWrittenAsItGoesOutHasTheSameBytes)
{
    StartServer();
    // Several pieces' worth of text, with every character that is escaped falling on and
    // around the pieces' borders.
    std::string text = "<RESOURCES>";
    std::string escaped = "&lt;RESOURCES&gt;";
    for (int i = 0; text.size() < 300 * 1000; ++i) {
        text += u8"<R>资源 " + std::to_string(i) + " a&amp;b \"'\r\n</R>";
        escaped += u8"&lt;R&gt;资源 " + std::to_string(i) + " a&amp;amp;b \"'&#13;\n&lt;/R&gt;";
    }
    text += "</RESOURCES>";
    escaped += "&lt;/RESOURCES&gt;";
    ASSERT_TRUE(m_server->SetResources(text));
    LogIn();
    const std::string expected = Envelope("<GetResourcesResponse xmlns=\"urn:orvesk:project-service\"><Result>0"
                                          "</Result><ResourceData>" + escaped + "</ResourceData></GetResourcesResponse>");
    const std::string request = Envelope("<GetResources xmlns=\"urn:orvesk:project-service\"></GetResources>");
    // A client that takes no compression gets the reply as it is written...
    httplib::Client client("127.0.0.1", m_server->Port());
    client.set_read_timeout(60, 0);
    httplib::Headers headers = {{"SOAPAction", "\"urn:orvesk:project-service/GetResources\""},
                                {"Accept-Encoding", "identity"},
                                {"Cookie", "PCSESSION=" + m_session}};
    auto res = client.Post(("/" + m_server->Site() + "/WebService/OrveskService").c_str(), headers, request,
                           "text/xml; charset=utf-8");
    ASSERT_TRUE(res);
    EXPECT_EQ(200, res->status);
    EXPECT_EQ("text/xml; charset=utf-8", res->get_header_value("Content-Type"));
    EXPECT_EQ(std::to_string(expected.size()), res->get_header_value("Content-Length"));
    EXPECT_TRUE(expected == res->body);
    // ... and one that takes it gets the same text.
    res = Post(request, "GetResources");
    ASSERT_TRUE(res);
    EXPECT_TRUE(expected == res->body);
}

TEST_P(ServerReferenceExchangeTest, AFaultHasTheFixedForm)
{
    StartServer();
    auto res = Post(Envelope("<Frobnicate xmlns=\"urn:orvesk:project-service\"></Frobnicate>"), "Frobnicate");
    ASSERT_TRUE(res);
    EXPECT_EQ(500, res->status);
    EXPECT_EQ(Envelope("<soap:Fault><faultcode>soap:Client</faultcode><faultstring>unknown operation Frobnicate"
                       "</faultstring></soap:Fault>"),
              res->body);
    // The client reads it as a fault.
    projectsoap::SoapMessage message;
    std::string error;
    ASSERT_TRUE(projectsoap::ParseEnvelope(res->body, message, error)) << error;
    EXPECT_TRUE(message.isFault);
    EXPECT_EQ("unknown operation Frobnicate", message.faultString);
}

TEST_P(ServerReferenceExchangeTest, TheServiceDescriptionNamesEveryOperation)
{
    StartServer();
    httplib::Client client("127.0.0.1", m_server->Port());
    client.set_read_timeout(60, 0);
    auto res = client.Get("/site/WebService/OrveskService.WSDL");
    ASSERT_TRUE(res);
    EXPECT_EQ(200, res->status);
    projectsoap::ServiceDescription description;
    std::string error;
    ASSERT_TRUE(projectsoap::ParseServiceDescription(res->body, description, error)) << error;
    EXPECT_EQ("urn:orvesk:project-service", description.targetNamespace);
    EXPECT_EQ(m_server->EndpointUrl(), description.endpoint);
    const char* const names[] = {"Login",         "GetProjectList",   "GetProjectData", "NewProject",
                                 "DeleteProject", "SetProjectStatus", "SaveProject",    "GetCalendar",
                                 "SaveCalendar",  "GetUsersPermission", "SaveUsersPermission", "GetResources",
                                 "NewTask"};
    ASSERT_EQ(13u, description.soapActions.size());
    for (size_t i = 0; i < 13; ++i) {
        EXPECT_EQ(names[i], description.soapActions[i].first);
        EXPECT_EQ(std::string("urn:orvesk:project-service/") + names[i], description.soapActions[i].second);
    }
    EXPECT_NE(std::string::npos,
              res->body.find("<soap:address location=\"http://127.0.0.1:" + std::to_string(m_server->Port()) +
                             "/site/WebService/OrveskService\"/>"));
}

TEST_P(ServerReferenceExchangeTest, TheClientDrivesEveryOperation)
{
    StartServer();
    ASSERT_TRUE(m_server->AddUser("u1", "pw", "ok"));
    CProjectServicePtr c = Client();
    CString reply;
    ASSERT_EQ(S_OK, c->Login("u1", "pw", reply));
    EXPECT_STREQ("ok", reply);
    LONG id = 0;
    ASSERT_EQ(S_OK, c->NewProject(Gbk(u8"<PROJECT><NAME>甲</NAME><FLAG>1</FLAG><MEMBERS><MEMBER><RESCODE>u1</RESCODE>"
                                      "</MEMBER></MEMBERS></PROJECT>"),
                                  id));
    EXPECT_EQ(101, id);
    CString xml;
    ASSERT_EQ(S_OK, c->GetProjectList("u1", xml));
    EXPECT_STREQ(Gbk(u8"<PROJECTS><PROJ><ID>101</ID><NAME>甲</NAME><STATUS>0</STATUS><CREATIONDATE></CREATIONDATE>"
                     "</PROJ></PROJECTS>"),
                 xml);
    ASSERT_EQ(S_OK, c->SetProjectStatus(101, 1));
    ASSERT_EQ(S_OK, c->GetProjectData(101, xml));
    EXPECT_NE(-1, xml.Find("<STATUS>1</STATUS>"));
    LONG result = -1;
    ASSERT_EQ(S_OK, c->SaveCalendar(101, "<CALENDAR><CALID>3</CALID></CALENDAR>", result));
    ASSERT_EQ(S_OK, c->GetCalendar(101, xml));
    EXPECT_STREQ("<CALENDAR><CALID>3</CALID></CALENDAR>", xml);
    ASSERT_EQ(S_OK, c->SaveUsersPermission(101, "<PERMISSIONS><PERMISSION><RESCODE>x</RESCODE></PERMISSION>"
                                                "</PERMISSIONS>",
                                           result));
    ASSERT_EQ(S_OK, c->GetUsersPermission(101, xml));
    EXPECT_NE(-1, xml.Find("<RESCODE>x</RESCODE>"));
    ASSERT_EQ(S_OK, c->GetResources(xml));
    EXPECT_STREQ("<RESOURCES></RESOURCES>", xml);
    LONG taskId = 0;
    ASSERT_EQ(S_OK, c->NewTask(1, -1, "<TASK><ENTIREPROJID>101</ENTIREPROJID><NAME>t</NAME></TASK>", taskId));
    EXPECT_EQ(1001, taskId);
    CString saveReply;
    ASSERT_EQ(S_FALSE, c->SaveProject(999, "<PROJECT></PROJECT>", saveReply, result));
    EXPECT_EQ(1, result);
    EXPECT_STREQ(Gbk(u8"项目不存在!"), saveReply);
    ASSERT_EQ(S_OK, c->DeleteProject(101, "", result));
    EXPECT_EQ(0, result);
    EXPECT_EQ(S_FALSE, c->GetProjectData(101, xml));
    EXPECT_EQ(0, m_server->ProjectCount());
}
