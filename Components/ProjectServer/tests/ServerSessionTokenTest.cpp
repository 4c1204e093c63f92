// Session tokens live in the database only as their SHA-256: a copy of the database gives
// no session, and the token itself still finds, renews and ends its own.
#include "ServerBackends.h"

#include "ServerCore.h"

#include <ProjectServer/ServerDatabase.h>

#include <ClassLib/Testing/TempFolder.h>

#include <map>

using projectserver::CallContext;
using projectserver::CServerCore;
using projectserver::CServerDatabase;

namespace {

class ServerSessionTokenTest : public ::testing::TestWithParam<std::string> {
protected:
    ServerSessionTokenTest() : m_dir("serverSessionTokenTest") {}
    void SetUp() override { m_where = FreshServerDatabase(GetParam(), m_dir.File("projects.sqlite")); }

    // The token column of every session row, in order.
    std::vector<std::string> StoredTokens()
    {
        CSession raw;
        const bool opened = GetParam() == "sqlite" ? SUCCEEDED(raw.OpenSqliteFile(m_where.c_str()))
                                                   : SUCCEEDED(raw.OpenOdbc(m_where.c_str()));
        EXPECT_TRUE(opened);
        std::vector<std::string> tokens;
        CCommand command;
        if (!opened || FAILED(command.Open(raw, "SELECT token FROM dbo.sessions ORDER BY token")))
            return tokens;
        while (command.MoveNext() == S_OK)
            tokens.push_back(std::get<std::string>(command.GetValue(1)));
        return tokens;
    }

    CTestFolder m_dir;
    std::string m_where;
};

TEST_P(ServerSessionTokenTest, TheDatabaseKeepsTheTokensDigestOnly)
{
    CServerDatabase db;
    bool created = false;
    ASSERT_TRUE(db.Open(m_where, created)) << db.LastError();
    ASSERT_TRUE(db.PutSession("abc", "u", 100)) << db.LastError();
    const std::string digest = "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad";
    EXPECT_EQ(std::vector<std::string>{digest}, StoredTokens());

    std::string user;
    long long lastUsed = 0;
    bool found = false;
    ASSERT_TRUE(db.GetSession("abc", user, lastUsed, found));
    EXPECT_TRUE(found);
    EXPECT_EQ("u", user);
    EXPECT_EQ(100, lastUsed);
    // What a copy of the database shows opens nothing.
    ASSERT_TRUE(db.GetSession(digest, user, lastUsed, found));
    EXPECT_FALSE(found);
    EXPECT_EQ("", user);

    ASSERT_TRUE(db.TouchSession("abc", 200));
    ASSERT_TRUE(db.GetSession("abc", user, lastUsed, found));
    EXPECT_EQ(200, lastUsed);
    ASSERT_TRUE(db.DeleteSession(digest));
    EXPECT_EQ(1u, StoredTokens().size());
    ASSERT_TRUE(db.DeleteSession("abc"));
    EXPECT_TRUE(StoredTokens().empty());
}

TEST_P(ServerSessionTokenTest, ALoginsTokenWorksAndItsStoredDigestDoesNot)
{
    CServerCore core;
    bool created = false;
    std::string error;
    ASSERT_TRUE(core.Open(m_where, created, error)) << error;
    ASSERT_TRUE(core.AddUser("u", "pw", "ok"));
    projectserver::SoapRequest request;
    request.operation = "Login";
    request.args = {{"userCode", "u"}, {"password", "pw"}};
    CallContext login;
    login.peerAddress = "10.0.0.1";
    std::vector<projectserver::SoapArg> results;
    ASSERT_EQ(CServerCore::Done, core.Execute(request, login, results, error)) << error;
    const std::string token = login.newSessionToken;
    ASSERT_EQ(64u, token.size());

    const std::vector<std::string> stored = StoredTokens();
    ASSERT_EQ(1u, stored.size());
    EXPECT_EQ(64u, stored[0].size());
    EXPECT_NE(token, stored[0]);
    CallContext copied;
    copied.sessionToken = stored[0];
    EXPECT_FALSE(core.CheckSession(copied));
    EXPECT_EQ("", copied.user);
    CallContext own;
    own.sessionToken = token;
    EXPECT_TRUE(core.CheckSession(own));
    EXPECT_EQ("u", own.user);
}

INSTANTIATE_TEST_SUITE_P(Backends, ServerSessionTokenTest, PC_SERVER_BACKENDS);

}  // namespace
