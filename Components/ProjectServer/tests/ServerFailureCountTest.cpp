// Failed logins counted by two connections at once: the second waits for the first's count,
// also for a key that has no row yet, so that no failure is lost.
#include "ServerBackends.h"

#include <ProjectServer/ServerDatabase.h>

#include <ClassLib/Testing/TempFolder.h>

#include <atomic>
#include <chrono>
#include <thread>

using projectserver::CServerDatabase;
using projectserver::LoginFailures;

namespace {

class ServerFailureCountTest : public ::testing::TestWithParam<std::string> {
protected:
    ServerFailureCountTest() : m_dir("serverFailureCountTest") {}
    void SetUp() override { m_where = FreshServerDatabase(GetParam(), m_dir.File("projects.sqlite")); }

    CTestFolder m_dir;
    std::string m_where;
};

TEST_P(ServerFailureCountTest, ASecondCounterOfANewKeyWaitsForTheFirst)
{
    CServerDatabase first, second;
    bool created = false;
    ASSERT_TRUE(first.Open(m_where, created)) << first.LastError();
    ASSERT_TRUE(second.Open(m_where, created)) << second.LastError();

    ASSERT_TRUE(first.Begin());
    LoginFailures seen;
    bool found = true;
    ASSERT_TRUE(first.GetFailures("user:u", seen, found)) << first.LastError();
    ASSERT_FALSE(found);

    std::atomic<bool> read{false};
    LoginFailures secondSeen;
    bool secondFound = false;
    bool secondOk = false;
    std::thread counter([&] {
        secondOk = second.Begin() && second.GetFailures("user:u", secondSeen, secondFound);
        read = true;
        if (secondOk)
            second.Rollback();
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_FALSE(read) << "the second counter read before the first had written its count";
    LoginFailures one;
    one.failures = 1;
    one.lastFailure = 100;
    ASSERT_TRUE(first.PutFailures("user:u", one));
    ASSERT_TRUE(first.Commit()) << first.LastError();
    counter.join();
    ASSERT_TRUE(secondOk) << second.LastError();
    EXPECT_TRUE(secondFound);
    EXPECT_EQ(1, secondSeen.failures);
    EXPECT_EQ(100, secondSeen.lastFailure);
}

INSTANTIATE_TEST_SUITE_P(Backends, ServerFailureCountTest, PC_SERVER_BACKENDS);

}  // namespace
