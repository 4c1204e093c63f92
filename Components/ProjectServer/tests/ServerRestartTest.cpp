// A server stopped again and again, right after it started and with a request just answered:
// each stop ends cleanly (the process is not aborted by the HTTP library).
#include "ServerTestSupport.h"

TEST_F(ServerFixture, StartingAndStoppingRepeatedlyEndsCleanlyEachTime)
{
    for (int i = 0; i < 600; ++i) {
        projectserver::ServerOptions options;
        options.databasePath = m_dir.File("restart.sqlite");
        options.demoData = false;
        projectserver::CProjectServer server(options);
        std::string error;
        ASSERT_TRUE(server.Start(error)) << error;
        // Every other time a connection stays open (kept alive) while the server stops.
        httplib::Client client("127.0.0.1", server.Port());
        client.set_keep_alive(true);
        if (i % 2 == 0) {
            auto res = client.Get(("/" + server.Site() + "/WebService/OrveskService.WSDL").c_str());
            ASSERT_TRUE(res);
            EXPECT_EQ(200, res->status);
        }
        server.Stop();
        EXPECT_FALSE(server.IsRunning());
    }
}
