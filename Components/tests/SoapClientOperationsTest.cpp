// Every operation of the SOAP client against the loopback server.
#include "LoopbackFixture.h"

#include <XmlDom/XmlEscape.h>

namespace {

const char* kMembers = "<MEMBERS><MEMBER><RESCODE>u1</RESCODE><ROLETYPEID>0</ROLETYPEID><PERMID>2</PERMID>"
                       "</MEMBER></MEMBERS>";

CString Header(LONG id, const CString& name, int flag)
{
    CString s;
    s.Format("<PROJECT><ID>%d</ID><NAME>%s</NAME><GOAL></GOAL><COST>0</COST><ACTCOST>0</ACTCOST>"
             "<CREATIONDATE>2004-5-1 0:0:0</CREATIONDATE><FLAG>%d</FLAG><PRIORITY>2</PRIORITY><STATUS>0</STATUS>"
             "<ISSUBPROJ>0</ISSUBPROJ><PROGRESS>0</PROGRESS>%s",
             (int)id, (LPCTSTR)XmlEscape(name), flag, kMembers);
    return s;
}

CString Task(LONG projectId, LONG taskId, LONG parentId, const CString& name, int row, int flag,
             const CString& inner = CString())
{
    CString s;
    s.Format("<TASK><ENTIREPROJID>%d</ENTIREPROJID><TASKID>%d</TASKID><PARENTID>%d</PARENTID><ISSUBPROJ>0</ISSUBPROJ>"
             "<SUBPROJID>0</SUBPROJID><NAME>%s</NAME><DESC></DESC><DURATION>0</DURATION><DURISEST>1</DURISEST> \t\t\t\t"
             "<HASCHILDREN>0</HASCHILDREN><ROWINGRID>%d</ROWINGRID><FLAG>%d</FLAG>%s</TASK>",
             (int)projectId, (int)taskId, (int)parentId, (LPCTSTR)XmlEscape(name), row, flag, (LPCTSTR)inner);
    return s;
}

CString Link(LONG pred)
{
    CString s;
    s.Format("<LINKS><LINK><PREDID>%d</PREDID><TYPE>0</TYPE><LOGICALTYPE>0</LOGICALTYPE><SEQUENCE>0</SEQUENCE>"
             "<LAG>0</LAG></LINK></LINKS>",
             (int)pred);
    return s;
}

} // namespace

TEST_F(LoopbackTest, ReadsTheDescriptionThenPostsToItsEndpoint)
{
    auto c = Client();
    CString xml;
    server.SetResources("<RESOURCES><RESOURCE><RESCODE>r1</RESCODE></RESOURCE></RESOURCES>");
    ASSERT_EQ(S_OK, c->GetResources(xml)) << (LPCTSTR)c->GetLastErrorText();
    EXPECT_STREQ("<RESOURCES><RESOURCE><RESCODE>r1</RESCODE></RESOURCE></RESOURCES>", xml);
    EXPECT_STREQ("", c->GetLastErrorText());
    ASSERT_EQ(S_OK, c->GetResources(xml));
    // The description is read once per instance.
    EXPECT_EQ((std::vector<std::string>{"WSDL", "GetResources", "GetResources"}), server.OperationNames());
    auto requests = server.Requests();
    EXPECT_EQ("GET", requests[0].method);
    EXPECT_EQ("/site/WebService/OrveskService.WSDL", requests[0].target);
    EXPECT_EQ("POST", requests[1].method);
    EXPECT_EQ("/site/WebService/OrveskService", requests[1].target);
    EXPECT_FALSE(requests[1].absoluteForm);
    EXPECT_EQ("\"urn:orvesk:project-service/GetResources\"", requests[1].soapAction);
    EXPECT_EQ("text/xml; charset=utf-8", requests[1].contentType);
    EXPECT_EQ(server.EndpointUrl(), static_cast<CSoapProjectService*>(c.get())->GetEndpoint());
}

TEST_F(LoopbackTest, SendsTheArgumentsAsEscapedTextsInUtf8)
{
    auto c = Client();
    CString reply;
    ASSERT_EQ(S_OK, c->Login(Gbk("张三"), "a<&>\"'b", reply));
    // The login not accepted still ends the fixture's earlier session at the server.
    EXPECT_EQ((std::vector<std::string>{"WSDL", "Login", "Logout"}), server.OperationNames());
    auto requests = server.Requests();
    ASSERT_EQ(3u, requests.size());
    EXPECT_EQ("<?xml version=\"1.0\" encoding=\"utf-8\"?><soap:Envelope "
              "xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\"><soap:Body>"
              "<Login xmlns=\"urn:orvesk:project-service\"><userCode>\xE5\xBC\xA0\xE4\xB8\x89</userCode>"
              "<password>a&lt;&amp;&gt;\"'b</password></Login></soap:Body></soap:Envelope>",
              requests[1].body);
}

TEST_F(LoopbackTest, LoginAnswersTheUserTheEmptyReplyAndServerError)
{
    server.AddUser("u1", "5f3a09", Gbk("用户一"));
    auto c = Client();
    CString reply;
    ASSERT_EQ(S_OK, c->Login("u1", "5f3a09", reply));
    EXPECT_EQ(Gbk("用户一"), reply);
    ASSERT_EQ(S_OK, c->Login("u1", "000000", reply));
    EXPECT_STREQ("", reply);
    ASSERT_EQ(S_OK, c->Login("nobody", "5f3a09", reply));
    EXPECT_STREQ("", reply);
    server.SetLoginServerError(true);
    ASSERT_EQ(S_OK, c->Login("u1", "5f3a09", reply));
    EXPECT_STREQ("SERVER ERROR", reply);
}

TEST_F(LoopbackTest, NewProjectThenListAndFetchIt)
{
    auto c = Client();
    LONG id = 0;
    CString sent = Header(0, Gbk("研发计划"), 1) + "</PROJECT>";
    ASSERT_EQ(S_OK, c->NewProject(sent, id)) << (LPCTSTR)c->GetLastErrorText();
    EXPECT_EQ(101, id);
    CString xml;
    ASSERT_EQ(S_OK, c->GetProjectData(101, xml));
    EXPECT_EQ(Header(101, Gbk("研发计划"), 0) + "</PROJECT>", xml);
    ASSERT_EQ(S_OK, c->GetProjectList("u1", xml));
    EXPECT_EQ(Gbk("<PROJECTS><PROJ><ID>101</ID><NAME>研发计划</NAME><STATUS>0</STATUS>"
                  "<CREATIONDATE>2004-5-1 0:0:0</CREATIONDATE></PROJ></PROJECTS>"),
              xml);
    // A list is the session's user's own: u2 logs in for it.
    ASSERT_TRUE(server.LogIn("u2"));
    ASSERT_EQ(S_OK, c->GetProjectList("u2", xml));
    EXPECT_STREQ("<PROJECTS></PROJECTS>", xml);
    ASSERT_TRUE(server.LogIn("u1"));
    EXPECT_EQ(S_FALSE, c->GetProjectData(999, xml));
    EXPECT_STREQ("", xml);
    ASSERT_EQ(S_FALSE, c->NewProject("<CALENDAR/>", id));
    EXPECT_EQ(-1, id);
}

TEST_F(LoopbackTest, SaveAssignsIdsToNewTasksAndAnswersThemByRow)
{
    // The project holds the tasks 40 and 41 already: a save names only the project's own ids.
    LONG pid = server.AddOwnProject(Header(0, "P", 0) + "<TASKS>" + Task(0, 40, 0, "A", 1, 0) +
                                    Task(0, 41, 0, "gone", 2, 0) + "</TASKS></PROJECT>");
    ASSERT_EQ(101, pid);
    server.SetNextIds(200, 5000);
    // Row 1 an existing task with a new child at row 2 that follows row 1, row 3 new, and
    // a removed task.
    CString sent = Header(pid, "P", 2) + "<TASKS>" +
                   Task(pid, 40, 0, "A", 1, 2, "<TASKS>" + Task(0, 0, 0, "A1", 2, 1, Link(1)) + "</TASKS>") +
                   Task(0, 0, 0, "B", 3, 1, Link(2)) + "</TASKS>" + Task(pid, 41, 0, "gone", 0, 3) + "</PROJECT>";
    auto c = Client();
    CString reply, opened;
    // A save starts from the revision of the text its caller opened.
    ASSERT_EQ(S_OK, c->GetProjectData(pid, opened));
    LONG result = -7;
    ASSERT_EQ(S_OK, c->SaveProject(pid, sent, reply, result)) << (LPCTSTR)c->GetLastErrorText();
    EXPECT_EQ(0, result);
    EXPECT_STREQ("<TASKIDS><TASKID><ID>5000</ID><ROW>2</ROW><ISSUBPROJ>0</ISSUBPROJ><SUBPROJID>0</SUBPROJID></TASKID>"
                 "<TASKID><ID>5001</ID><ROW>3</ROW><ISSUBPROJ>0</ISSUBPROJ><SUBPROJID>0</SUBPROJID></TASKID></TASKIDS>",
                 reply);
    CString stored;
    ASSERT_EQ(S_OK, c->GetProjectData(pid, stored));
    CString expected = Header(pid, "P", 0) + "<TASKS>" +
                       Task(pid, 40, 0, "A", 1, 0, "<TASKS>" + Task(pid, 5000, 40, "A1", 2, 0, Link(40)) + "</TASKS>") +
                       Task(pid, 5001, 0, "B", 3, 0, Link(5000)) + "</TASKS></PROJECT>";
    EXPECT_EQ(expected, stored);
}

TEST_F(LoopbackTest, AProjectSavedAndFetchedAgainEqualsTheOneSent)
{
    LONG pid = server.AddOwnProject(Header(0, "P", 0) + "<TASKS>" + Task(0, 7, 0, "x", 1, 0) +
                                    Task(0, 8, 0, "y", 2, 0) + "</TASKS></PROJECT>");
    CString name = Gbk("项目<&>\"'甲\r\n第二行");
    CString sent = Header(pid, name, 0) + "<TASKS>" +
                   Task(pid, 7, 0, Gbk("设计 & 评审"), 1, 0,
                        "<TASKS>" + Task(pid, 8, 7, Gbk("详细设计"), 2, 0, Link(7)) + "</TASKS>") +
                   "</TASKS></PROJECT>";
    auto c = Client();
    CString reply, stored;
    ASSERT_EQ(S_OK, c->GetProjectData(pid, stored));
    LONG result = -1;
    ASSERT_EQ(S_OK, c->SaveProject(pid, sent, reply, result));
    EXPECT_STREQ("<TASKIDS></TASKIDS>", reply);
    ASSERT_EQ(S_OK, c->GetProjectData(pid, stored));
    EXPECT_EQ(sent.str(), stored.str());
    // And once more through a fresh instance, as each caller makes its own.
    auto again = Client();
    ASSERT_EQ(S_OK, again->GetProjectData(pid, stored));
    EXPECT_EQ(sent.str(), stored.str());
}

TEST_F(LoopbackTest, SavingANewProjectAnswersItsIdOnRowZero)
{
    auto c = Client();
    CString reply;
    LONG result = -1;
    ASSERT_EQ(S_OK, c->SaveProject(0, Header(0, "N", 1) + "</PROJECT>", reply, result));
    EXPECT_STREQ("<TASKIDS><TASKID><ID>101</ID><ROW>0</ROW><ISSUBPROJ>0</ISSUBPROJ><SUBPROJID>0</SUBPROJID></TASKID>"
                 "</TASKIDS>",
                 reply);
    EXPECT_EQ(1, server.ProjectCount());
}

TEST_F(LoopbackTest, SaveRefusalsAreFalseWithTheTextOrAFailure)
{
    auto c = Client();
    CString reply = "old";
    LONG result = 0;
    EXPECT_EQ(S_FALSE, c->SaveProject(55, Header(55, "x", 0) + "</PROJECT>", reply, result));
    EXPECT_EQ(1, result);
    EXPECT_EQ(Gbk("项目不存在!"), reply);

    LONG pid = server.AddOwnProject(Header(0, "P", 0) + "</PROJECT>");
    CString opened;
    ASSERT_EQ(S_OK, c->GetProjectData(pid, opened));
    EXPECT_EQ(S_FALSE, c->SaveProject(pid, "<PROJECT><NAME>a<b</NAME></PROJECT>", reply, result));
    EXPECT_EQ(1, result);
    EXPECT_EQ(0, reply.Find(Gbk("项目数据无法读取")));

    server.SetFault("SaveProject", CLoopbackProjectServer::Fault::Refuse, 1, 2, "ignored");
    EXPECT_EQ(PS_E_REFUSED, c->SaveProject(pid, Header(pid, "P", 0) + "</PROJECT>", reply, result));
    EXPECT_EQ(2, result);
    EXPECT_STREQ("", reply);
    EXPECT_STREQ("SaveProject: the server failed to save the project (result 2)", c->GetLastErrorText());
}

TEST_F(LoopbackTest, StatusAndDeletion)
{
    LONG pid = server.AddOwnProject(Header(0, "P", 0) + "</PROJECT>");
    auto c = Client();
    ASSERT_EQ(S_OK, c->SetProjectStatus(pid, 3));
    CString xml;
    ASSERT_TRUE(server.GetProject(pid, xml));
    EXPECT_NE(-1, xml.Find("<STATUS>3</STATUS>"));
    EXPECT_EQ(PS_E_REFUSED, c->SetProjectStatus(pid + 1, 1));
    EXPECT_FALSE(c->GetLastErrorText().IsEmpty());
    LONG result = -5;
    ASSERT_EQ(S_OK, c->DeleteProject(pid, "", result));
    EXPECT_EQ(0, result);
    EXPECT_EQ(0, server.ProjectCount());
    EXPECT_EQ(S_FALSE, c->DeleteProject(pid, "", result));
    EXPECT_EQ(1, result);
    auto requests = server.Requests();
    EXPECT_NE(std::string::npos, requests.back().body.find("<reserved></reserved>"));
}

TEST_F(LoopbackTest, CalendarRoundTrip)
{
    LONG pid = server.AddOwnProject(Header(0, "P", 0) + "</PROJECT>");
    auto c = Client();
    CString xml;
    ASSERT_EQ(S_OK, c->GetCalendar(pid, xml));
    EXPECT_STREQ("<CALENDAR><CALID>0</CALID><CALNAME></CALNAME><CALBASEID>-2</CALBASEID><RESCODE></RESCODE>"
                 "<CALDATA></CALDATA></CALENDAR>",
                 xml);
    CString cal = Gbk("<CALENDAR><CALID>3</CALID><CALNAME>日历(计划)</CALNAME><CALBASEID>-2</CALBASEID><RESCODE>"
                      "</RESCODE><CALDATA><CALDATE><FROMDATE>2004-5-1 0:0:0</FROMDATE><TODATE>2004-5-7 0:0:0</TODATE>"
                      "<WORKING>0</WORKING></CALDATE><CALDAY><DAY>3</DAY><WORKING>0</WORKING></CALDAY></CALDATA>"
                      "</CALENDAR>");
    LONG result = -1;
    ASSERT_EQ(S_OK, c->SaveCalendar(pid, cal, result));
    EXPECT_EQ(0, result);
    ASSERT_EQ(S_OK, c->GetCalendar(pid, xml));
    EXPECT_EQ(cal.str(), xml.str());
    // A name written raw with "<" is not a calendar the server can keep.
    EXPECT_EQ(S_FALSE, c->SaveCalendar(pid, "<CALENDAR><CALNAME>a<b</CALNAME></CALENDAR>", result));
    EXPECT_EQ(1, result);
    ASSERT_EQ(S_OK, c->GetCalendar(pid, xml));
    EXPECT_EQ(cal.str(), xml.str());
    EXPECT_EQ(S_FALSE, c->GetCalendar(pid + 9, xml));
    EXPECT_STREQ("", xml);
}

TEST_F(LoopbackTest, PermissionsRoundTrip)
{
    LONG pid = server.AddOwnProject(Header(0, "P", 0) + "</PROJECT>");
    auto c = Client();
    CString xml;
    ASSERT_EQ(S_OK, c->GetUsersPermission(pid, xml));
    EXPECT_STREQ("<PERMISSIONS></PERMISSIONS>", xml);
    CString perm = Gbk("<PERMISSIONS><PERMISSION><RESCODE>u2</RESCODE><OPENPROJ>1</OPENPROJ><PUBLISHPROJ>0"
                       "</PUBLISHPROJ> \t\t\t\t\t\t<DELETEPROJ>0</DELETEPROJ><MODIFYPROGRESS>1</MODIFYPROGRESS>"
                       "<LOOKPROGRESS>1</LOOKPROGRESS><FORUM>1</FORUM> \t\t\t\t\t\t<DESC>负责人</DESC></PERMISSION>"
                       "</PERMISSIONS>");
    LONG result = -1;
    ASSERT_EQ(S_OK, c->SaveUsersPermission(pid, perm, result));
    EXPECT_EQ(0, result);
    ASSERT_EQ(S_OK, c->GetUsersPermission(pid, xml));
    EXPECT_EQ(perm.str(), xml.str());
    // The permission record makes the project show in that user's list.
    ASSERT_TRUE(server.LogIn("u2"));
    ASSERT_EQ(S_OK, c->GetProjectList("u2", xml));
    EXPECT_NE(-1, xml.Find("<ID>101</ID>"));
    ASSERT_TRUE(server.LogIn("u1"));
    EXPECT_EQ(S_FALSE, c->SaveUsersPermission(pid, "<RESOURCES/>", result));
    EXPECT_EQ(1, result);
}

TEST_F(LoopbackTest, NewTaskGoesUnderItsParent)
{
    LONG pid = server.AddOwnProject(Header(0, "P", 0) + "<TASKS>" + Task(0, 40, 0, "A", 1, 0) + "</TASKS></PROJECT>");
    server.SetNextIds(300, 900);
    auto c = Client();
    LONG id = 0;
    CString request = Task(pid, 0, 0, Gbk("新任务"), 0, 1, kMembers);
    ASSERT_EQ(S_OK, c->NewTask(0, 40, request, id)) << (LPCTSTR)c->GetLastErrorText();
    EXPECT_EQ(900, id);
    ASSERT_EQ(S_OK, c->NewTask(0, 12345, Task(pid, 0, 0, "top", 0, 1), id));
    EXPECT_EQ(901, id);
    CString xml;
    ASSERT_TRUE(server.GetProject(pid, xml));
    // NewProject set the stored task's ENTIREPROJID, as a save does.
    EXPECT_EQ(Header(pid, "P", 0) + "<TASKS>" +
                  Task(pid, 40, 0, "A", 1, 0, "<TASKS>" + Task(pid, 900, 40, Gbk("新任务"), 0, 0) + "</TASKS>") +
                  Task(pid, 901, 0, "top", 0, 0) + "</TASKS></PROJECT>",
              xml);
    EXPECT_EQ(S_FALSE, c->NewTask(0, -1, Task(777, 0, 0, "x", 0, 1), id));
    EXPECT_EQ(-1, id);
}

TEST_F(LoopbackTest, ChineseTextsSurviveEveryDirectionByteForByte)
{
    // Every character of GB2312's first row of hanzi and a few symbols, as code page 936 bytes.
    std::string bytes;
    for (int trail = 0xA1; trail <= 0xFE; ++trail) {
        bytes += (char)0xB0;
        bytes += (char)trail;
    }
    bytes += "\xA1\xA2\xA3\xAC\x81\x40\xFE\x4F";
    CString text(bytes);
    server.SetResources("<RESOURCES><RESOURCE><RESNAME>" + text + "</RESNAME></RESOURCE></RESOURCES>");
    server.AddUser(text, text, text);
    auto c = Client();
    CString xml, reply;
    ASSERT_EQ(S_OK, c->GetResources(xml));
    EXPECT_EQ("<RESOURCES><RESOURCE><RESNAME>" + bytes + "</RESNAME></RESOURCE></RESOURCES>", xml.str());
    ASSERT_EQ(S_OK, c->Login(text, text, reply));
    EXPECT_EQ(bytes, reply.str());
}
