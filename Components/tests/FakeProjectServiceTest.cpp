// The scripted fake that the callers' tests use.
#include <ProjectService/FakeProjectService.h>
#include <ProjectService/ProjectServiceFactory.h>

#include <gtest/gtest.h>

TEST(FakeProjectService, InstallReplacesTheFactoryAndCountsInstances)
{
    CFakeProjectService fake;
    fake.Install();
    {
        CProjectServicePtr a(CreateProjectService());
        CProjectServicePtr b(CreateProjectService());
        ASSERT_TRUE(a && b);
        EXPECT_NE(a.get(), b.get());
        EXPECT_EQ(2, fake.InstancesCreated());
        EXPECT_EQ(2, fake.InstancesAlive());
    }
    EXPECT_EQ(0, fake.InstancesAlive());
    fake.FailCreation();
    EXPECT_EQ(nullptr, CreateProjectService());
    EXPECT_EQ(2, fake.InstancesCreated());
    fake.Uninstall();
    fake.FailCreation(false);
    // Back to the SOAP client: a real instance, not the fake's.
    CProjectServicePtr real(CreateProjectService());
    ASSERT_TRUE(real);
    EXPECT_EQ(2, fake.InstancesCreated());
}

TEST(FakeProjectService, RecordsEveryCallInOrderWithItsArguments)
{
    CFakeProjectService fake;
    CProjectServicePtr s(fake.NewInstance());
    CString xml;
    LONG result = 99;
    s->SetServiceUrl("http://srv/site/WebService/OrveskService.WSDL");
    s->SetProxyServer("proxy");
    s->SetProxyPort("8080");
    EXPECT_EQ(S_FALSE, s->GetProjectData(12, xml));
    EXPECT_EQ(S_FALSE, s->DeleteProject(-3, "", result));
    EXPECT_EQ(1, result);
    EXPECT_EQ((std::vector<std::string>{"SetServiceUrl", "SetProxyServer", "SetProxyPort", "GetProjectData",
                                        "DeleteProject"}),
              fake.CallNames());
    ASSERT_NE(nullptr, fake.LastCall("GetProjectData"));
    EXPECT_EQ(std::vector<CString>{CString("12")}, fake.LastCall("GetProjectData")->args);
    EXPECT_EQ((std::vector<CString>{CString("-3"), CString("")}), fake.LastCall("DeleteProject")->args);
    EXPECT_STREQ("http://srv/site/WebService/OrveskService.WSDL", fake.Calls()[0].args[0]);
    EXPECT_EQ(1, fake.CountCalls("SetProxyPort"));
    EXPECT_EQ(nullptr, fake.LastCall("SaveProject"));
}

TEST(FakeProjectService, WorksOnItsData)
{
    CFakeProjectService fake;
    CProjectServicePtr s(fake.NewInstance());
    CString xml, reply;
    LONG id = 0, result = -5;
    fake.AddLogin("u1", "c1pher", "u1 name");
    EXPECT_EQ(S_OK, s->Login("u1", "c1pher", reply));
    EXPECT_STREQ("u1 name", reply);
    EXPECT_EQ(S_OK, s->Login("u1", "wrong", reply));
    EXPECT_STREQ("", reply);

    EXPECT_EQ(S_OK, s->NewProject("<PROJECT/>", id));
    EXPECT_EQ(1001, id);
    EXPECT_EQ(S_OK, s->GetProjectData(1001, xml));
    EXPECT_STREQ("<PROJECT/>", xml);
    EXPECT_EQ(S_OK, s->SaveProject(1001, "<PROJECT><ID>1001</ID></PROJECT>", reply, result));
    EXPECT_EQ(0, result);
    EXPECT_STREQ("<TASKIDS></TASKIDS>", reply);
    EXPECT_STREQ("<PROJECT><ID>1001</ID></PROJECT>", fake.projects[1001]);
    EXPECT_EQ(S_OK, s->SaveCalendar(1001, "<CALENDAR/>", result));
    EXPECT_EQ(S_OK, s->GetCalendar(1001, xml));
    EXPECT_STREQ("<CALENDAR/>", xml);
    EXPECT_EQ(S_FALSE, s->GetUsersPermission(1001, xml));
    EXPECT_STREQ("", xml);
    EXPECT_EQ(S_OK, s->NewTask(0, 77, "<TASK/>", id));
    EXPECT_EQ(5001, id);
    ASSERT_EQ(1u, fake.newTasks.size());
    EXPECT_EQ(77, fake.newTasks[0].first);
    EXPECT_EQ(S_OK, s->SetProjectStatus(1001, 3));
    EXPECT_EQ(3, fake.statuses[1001]);
    EXPECT_EQ(S_OK, s->DeleteProject(1001, "", result));
    EXPECT_EQ(0, result);
    EXPECT_EQ(0u, fake.projects.count(1001));
}

TEST(FakeProjectService, ScriptsAndFailuresReplaceAnswersForTheirCount)
{
    CFakeProjectService fake;
    CProjectServicePtr s(fake.NewInstance());
    CString reply;
    LONG result = 0;
    fake.ScriptCall("SaveProject", S_FALSE, "no room", 1, 1, "refused");
    fake.FailCall("SaveProject", PS_E_TIMEOUT, 1);
    EXPECT_EQ(S_FALSE, s->SaveProject(5, "<PROJECT/>", reply, result));
    EXPECT_STREQ("no room", reply);
    EXPECT_EQ(1, result);
    EXPECT_STREQ("refused", s->GetLastErrorText());
    EXPECT_EQ(PS_E_TIMEOUT, s->SaveProject(5, "<PROJECT/>", reply, result));
    EXPECT_STREQ("", reply);
    EXPECT_EQ(-1, result);
    EXPECT_STREQ("the fake service was told to fail", s->GetLastErrorText());
    // Scripts used up: the data answers again, and nothing scripted was stored.
    EXPECT_EQ(0u, fake.projects.count(5));
    EXPECT_EQ(S_OK, s->SaveProject(5, "<PROJECT/>", reply, result));
    EXPECT_EQ(1u, fake.projects.count(5));
    EXPECT_STREQ("", s->GetLastErrorText());

    fake.FailCall("Login", E_FAIL);
    EXPECT_EQ(E_FAIL, s->Login("a", "b", reply));
    EXPECT_STREQ("SERVER ERROR", reply);
    EXPECT_EQ(E_FAIL, s->Login("a", "b", reply));
    fake.ClearScripts();
    EXPECT_EQ(S_OK, s->Login("a", "b", reply));
    EXPECT_STREQ("", reply);
    fake.FailCall("SetServiceUrl", E_OUTOFMEMORY, 1);
    EXPECT_EQ(E_OUTOFMEMORY, s->SetServiceUrl("x"));
    EXPECT_EQ(S_OK, s->SetServiceUrl("x"));
}
