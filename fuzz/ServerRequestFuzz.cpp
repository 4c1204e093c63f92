// The project server's reading of a request: the input is the body of a POST to the service
// endpoint. It is read as the HTTP layer reads it and run as an operation of a logged-in
// user (who made the one stored project, so holds every right on it), starting from the
// project's current revision, so that the readers behind the session and the revision check
// (project, task, calendar and permission texts) are reached; the reply is written as it
// would go out. The database is made afresh every few thousand inputs, so that a long run
// stays small.
#include "FuzzEntry.h"

#include "ServerCore.h"
#include "ServerSoap.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <unistd.h>

using namespace projectserver;

namespace {

const int kInputsPerDatabase = 5000;
const char kUser[] = "fuzz";

std::string g_database;  // the file of the database in use, removed at exit

void RemoveDatabase()
{
    if (g_database.empty())
        return;
    for (const char* suffix : {"", "-wal", "-shm", "-journal"})
        std::remove((g_database + suffix).c_str());
}

struct Server {
    std::string path;
    std::unique_ptr<CServerCore> core;
    std::string token;
    int inputs = 0;
};

// One operation of the user's session; its outcome, `etag` the revision it named.
CServerCore::Outcome Run(Server& s, const SoapRequest& request, const std::string& ifMatch, std::string* etag = nullptr,
                         std::vector<SoapArg>* out = nullptr)
{
    CallContext context;
    context.sessionToken = s.token;
    context.peerAddress = "127.0.0.1";
    context.ifMatch = ifMatch;
    std::vector<SoapArg> results;
    std::string error;
    const CServerCore::Outcome outcome = s.core->Execute(request, context, results, error);
    if (etag)
        *etag = context.etag;
    if (out)
        *out = std::move(results);
    return outcome;
}

SoapRequest Request(const char* operation, std::vector<SoapArg> args)
{
    SoapRequest request;
    request.operation = operation;
    request.args = std::move(args);
    return request;
}

// A database with the user, logged in, and a project of theirs; false when it cannot be had.
bool Make(Server& s)
{
    s.core.reset();
    RemoveDatabase();
    char templ[] = "/tmp/fuzz-server-XXXXXX";
    const int fd = ::mkstemp(templ);
    if (fd < 0)
        return false;
    ::close(fd);
    std::remove(templ);
    s.path = templ;
    g_database = s.path;
    static const bool removedAtExit = std::atexit(RemoveDatabase) == 0;
    (void)removedAtExit;
    s.core.reset(new CServerCore);
    s.core->SetWorkers(1);
    bool created = false;
    std::string error;
    if (!s.core->Open(s.path, created, error) || !s.core->AddUser(kUser, kUser, "Fuzz"))
        return false;
    CallContext login;
    login.peerAddress = "127.0.0.1";
    std::vector<SoapArg> results;
    if (s.core->Execute(Request("Login", {{"userCode", kUser}, {"password", kUser}}), login, results, error) !=
            CServerCore::Done ||
        login.newSessionToken.empty())
        return false;
    s.token = login.newSessionToken;
    // Made by the user: the stored project's creator holds every right on it.
    const char project[] =
        "<PROJECT><ID>0</ID><NAME>fuzz</NAME><STATUS>0</STATUS><TASKS><TASK><TASKID>0</TASKID>"
        "<NAME>a</NAME><ROWINGRID>1</ROWINGRID><FLAG>1</FLAG></TASK></TASKS></PROJECT>";
    return Run(s, Request("NewProject", {{"projectData", project}}), "") == CServerCore::Done;
}

Server& TheServer()
{
    static Server s;
    if (!s.core || s.inputs >= kInputsPerDatabase) {
        s.inputs = 0;
        if (!Make(s)) {
            std::fprintf(stderr, "the fuzzed server cannot be set up\n");
            std::abort();
        }
    }
    ++s.inputs;
    return s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Server& s = TheServer();
    const std::string body(reinterpret_cast<const char*>(data), size);
    SoapRequest request;
    std::string error;
    if (!ReadRequest(body, "text/xml; charset=utf-8", request, error)) {
        WriteFault("soap:Client", error);
        return 0;
    }
    // The revision of the project the request names, as the client that opened it holds it.
    std::string revision;
    if (const std::string* id = request.Find("projectId"))
        Run(s, Request("GetProjectData", {{"projectId", *id}}), "", &revision);
    std::vector<SoapArg> results;
    if (Run(s, request, revision, nullptr, &results) == CServerCore::Done)
        WriteResponse(request.operation, results);
    return 0;
}
