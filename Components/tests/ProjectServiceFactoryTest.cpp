// The factory every caller creates its service instance through.
#include "LoopbackFixture.h"

#include <ProjectService/ProjectServiceFactory.h>

namespace {

// Restores the default time-outs after a test changed them.
struct TimeoutsGuard {
    TimeoutsGuard() { GetProjectServiceTimeouts(connect, total); }
    ~TimeoutsGuard() { SetProjectServiceTimeouts(connect, total); }
    long connect = 0, total = 0;
};

} // namespace

TEST(ProjectServiceFactory, DefaultsToTheSoapClient)
{
    CProjectServicePtr s(CreateProjectService());
    ASSERT_TRUE(s);
    EXPECT_NE(nullptr, dynamic_cast<CSoapProjectService*>(s.get()));
    long connect = 0, total = 0;
    GetProjectServiceTimeouts(connect, total);
    EXPECT_EQ(10000, connect);
    EXPECT_EQ(60000, total);
}

TEST(ProjectServiceFactory, AFactoryReturningNothingMakesCreationFail)
{
    {
        CProjectServiceFactoryScope scope([] { return (IProjectService*)nullptr; });
        EXPECT_EQ(nullptr, CreateProjectService());
        {
            CProjectServiceFactoryScope inner([] { return (IProjectService*)new CSoapProjectService; });
            CProjectServicePtr s(CreateProjectService());
            EXPECT_TRUE(s);
        }
        // The inner scope gave back the outer factory.
        EXPECT_EQ(nullptr, CreateProjectService());
    }
    CProjectServicePtr s(CreateProjectService());
    EXPECT_TRUE(s);
}

TEST_F(LoopbackTest, FactoryInstancesTalkToTheServerWithTheSetTimeouts)
{
    TimeoutsGuard guard;
    server.AddUser("u", "p", "ok");
    CProjectServicePtr s(CreateProjectService());
    ASSERT_TRUE(s);
    s->SetServiceUrl(server.ServiceUrl());
    CString reply;
    ASSERT_EQ(S_OK, s->Login("u", "p", reply));
    EXPECT_STREQ("ok", reply);

    SetProjectServiceTimeouts(2000, 300);
    server.SetStallMilliseconds(3000);
    server.SetFault("Login", CLoopbackProjectServer::Fault::Stall, 1);
    CProjectServicePtr slow(CreateProjectService());
    slow->SetServiceUrl(server.ServiceUrl());
    EXPECT_EQ(PS_E_TIMEOUT, slow->Login("u", "p", reply));
    EXPECT_STREQ("SERVER ERROR", reply);
}
