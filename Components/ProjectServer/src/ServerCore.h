// The project server's data side, shared by every connection: the database, the operations
// on it, and who is calling. Every member is thread-safe; the HTTP layer (ProjectServer.cpp)
// holds no lock of its own around it. Calls run in parallel, each on a database connection
// of a small pool; sessions, revisions and failed logins live in the database, so several
// server processes over one database server serve one team.
//
//   sessions   a Login that succeeds starts one (a token of 256 random bits, hex); every
//              other call needs a live one and runs as its user; idle for 8 hours it ends
//   logins     passwords are argon2id hashes of what the client sends; after a few failed
//              logins of a user, or many from an address, no password is checked for a
//              while (growing with the failures, at most a minute): the answer is the
//              same empty reply as for a wrong password or an unknown user
//
// What a call carries at the transport level travels in a CallContext: the HTTP layer fills
// the request half from the request's headers and sends the reply half back as headers.
//   session token  cookie kSessionCookie ("PCSESSION=<token>"), set by a Login that succeeds
//   revision       ETag: "<revision>" on a reply that hands out a project's text or the
//                  revision a change made; If-Match: "<revision>" on a save, naming the
//                  revision it started from
#pragma once

#include <ProjectServer/ProjectServer.h>

#include "ServerSoap.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace projectserver {

extern const char kSessionCookie[];  // "PCSESSION"

struct CallContext {
    // --- from the request
    std::string sessionToken;  // the session cookie's value, "" when none came
    std::string peerAddress;   // the client's address, for slowing repeated failed logins
    std::string ifMatch;       // the If-Match revision without quotes, "" when none came
    // --- set by the core
    std::string user;             // the session's user once the session is checked
    std::string newSessionToken;  // Login started a session: sent as Set-Cookie
    bool endSession = false;      // the session is over: the cookie is cleared
    std::string etag;             // sent as ETag (quoted) when not ""
};

class CServerCore {
public:
    CServerCore();
    ~CServerCore();
    CServerCore(const CServerCore&) = delete;
    CServerCore& operator=(const CServerCore&) = delete;

    // Opens (or makes) the database; `created` tells whether it was made now.
    bool Open(const std::string& pathOrConnection, bool& created, std::string& error);
    bool IsOpen() const;

    enum Outcome {
        Done,          // results set (the operation's own result code may still refuse)
        BadRequest,    // the request is wrong: a SOAP client fault with `error`
        StoreFailed,   // the database failed: a SOAP server fault with `error`; nothing changed
        Unauthorized,  // no live session (or the call names another user): HTTP 401 and a fault
    };
    // Runs one operation of the service for the caller `context` names.
    Outcome Execute(const SoapRequest& request, CallContext& context, std::vector<SoapArg>& results,
                    std::string& error);
    // Whether the call's session is live (sets context.user): the product-data answers and
    // downloads, which are not SOAP operations, ask this first.
    bool CheckSession(CallContext& context);
    // Ends the call's session (the client's program exits): POST /<site>/WebService/Logout.
    void EndSession(CallContext& context);

    // --- data, as CProjectServer offers it (its demo data and the tests)
    bool AddUser(const std::string& code, const std::string& cipheredPassword, const std::string& reply);
    long AddProject(const std::string& projectXml);
    bool GetProject(long id, std::string& xml);
    long ProjectCount();
    bool SetCalendar(long id, const std::string& xml);
    bool GetCalendar(long id, std::string& xml);
    bool SetPermissions(long id, const std::string& xml);
    bool GetPermissions(long id, std::string& xml);
    bool SetResources(const std::string& xml);
    bool SetNextIds(long projectId, long taskId);

    void SetTestLoginServerError(bool serverError);

    // --- added: the number of database connections calls share (default 8; set before
    // Open), and the clock of sessions and login delays (seconds since 1970) for tests.
    void SetWorkers(int workers);
    void SetTestClock(std::function<long long()> secondsNow);

    struct Impl;

private:
    std::unique_ptr<Impl> m_impl;
};

}  // namespace projectserver
