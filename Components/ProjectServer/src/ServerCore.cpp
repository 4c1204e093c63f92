// The project server's data side: a pool of database connections, each with its operations,
// and the sessions and logins over them.
#include "ServerCore.h"

#include "ServerOperations.h"
#include "ServerSecrets.h"
#include "ServerXml.h"

#include <ProjectServer/ServerDatabase.h>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <ctime>
#include <mutex>

namespace projectserver {

const char kSessionCookie[] = "PCSESSION";

namespace {

const long long kSessionIdleSeconds = 8 * 3600;
// A session's last-use time is written at most this often: most calls only read it.
const long long kSessionTouchSeconds = 60;
// Failures older than this are forgotten.
const long long kFailureWindowSeconds = 15 * 60;
// Failed logins allowed before the delays start, per user and per address.
const long long kUserFreeFailures = 3;
const long long kAddressFreeFailures = 10;
const long long kMaxDelaySeconds = 60;
// Task ids taken from the counter at a time.
const long kTaskIdBlock = 64;

struct Connection {
    CServerDatabase db;
    COperations ops{db};
};

// The wait after the n-th failure in a row: none for the first `free`, then 1, 2, 4, ...
// seconds up to the cap.
long long DelayAfter(long long failures, long long free)
{
    if (failures <= free)
        return 0;
    const long long shift = std::min<long long>(failures - free - 1, 6);
    return std::min(kMaxDelaySeconds, 1LL << shift);
}

// The failure counter's key of a user code. A code longer than any a team uses is cut
// (its length kept), so a guess cannot write megabytes into the database; a cut key is
// longer than any uncut one, so the two never meet.
std::string UserKey(const std::string& code)
{
    const size_t kKeptBytes = 128;
    if (code.size() <= kKeptBytes)
        return "user:" + code;
    return "user:" + code.substr(0, kKeptBytes) + "...(" + std::to_string(code.size()) + ")";
}

}  // namespace

struct CServerCore::Impl {
    std::mutex mutex;  // the pool and `open`
    std::condition_variable freed;
    std::string where;
    bool open = false;
    size_t workers = 8;
    size_t opening = 0;
    std::vector<std::unique_ptr<Connection>> all;
    std::vector<Connection*> idle;

    // Task ids come from blocks taken on a connection of their own, committed at once:
    // a block is never handed out twice, also when the save that took it fails.
    std::mutex idMutex;
    CServerDatabase idDb;
    long nextTask = 0, endTask = 0;

    std::atomic<bool> loginServerError{false};
    std::mutex clockMutex;
    std::function<long long()> clock;

    long long Now()
    {
        std::lock_guard<std::mutex> lock(clockMutex);
        return clock ? clock() : static_cast<long long>(std::time(nullptr));
    }

    bool TakeTaskId(long& id, std::string& error)
    {
        std::lock_guard<std::mutex> lock(idMutex);
        if (nextTask >= endTask) {
            long first = 0;
            bool unused = false;
            // Once more on a new connection when the database server dropped this one.
            // The counter's last ids, short of a whole block, are taken one at a time.
            long count = kTaskIdBlock;
            if (!idDb.TakeIds("task", count, first)) {
                count = 1;
                if (!idDb.TakeIds("task", count, first) &&
                    (!idDb.Open(where, unused) || !idDb.TakeIds("task", count, first))) {
                    error = idDb.LastError();
                    return false;
                }
            }
            nextTask = first;
            endTask = first + count;
        }
        id = nextTask++;
        return true;
    }

    void ForgetTaskIds()
    {
        std::lock_guard<std::mutex> lock(idMutex);
        nextTask = endTask = 0;
    }

    bool Prepare(Connection& c)
    {
        c.db.SetTaskIdSource([this](long& id, std::string& error) { return TakeTaskId(id, error); });
        return true;
    }

    // A connection of the pool for one call (null with `error` when none can be opened).
    Connection* Acquire(std::string& error)
    {
        std::unique_lock<std::mutex> lock(mutex);
        if (!open) {
            error = "the project database is not open";
            return nullptr;
        }
        freed.wait(lock, [this] { return !idle.empty() || all.size() + opening < workers; });
        if (!idle.empty()) {
            Connection* c = idle.back();
            idle.pop_back();
            return c;
        }
        ++opening;
        lock.unlock();
        std::unique_ptr<Connection> c(new Connection);
        bool created = false;
        const bool ok = c->db.Open(where, created) && Prepare(*c);
        if (!ok)
            error = "cannot open the project database: " + c->db.LastError();
        lock.lock();
        --opening;
        if (!ok) {
            freed.notify_one();
            return nullptr;
        }
        all.push_back(std::move(c));
        return all.back().get();
    }

    // A connection whose call failed in the database is let go, not reused: a database
    // server that went away and came back is reached again through a new one.
    void Discard(Connection* c)
    {
        std::unique_ptr<Connection> gone;  // closed after the pool's lock is let go
        {
            std::lock_guard<std::mutex> lock(mutex);
            auto it = std::find_if(all.begin(), all.end(),
                                   [c](const std::unique_ptr<Connection>& p) { return p.get() == c; });
            if (it != all.end()) {
                gone = std::move(*it);
                all.erase(it);
            }
        }
        freed.notify_one();
    }

    void Release(Connection* c)
    {
        c->db.Rollback();  // nothing is left open between calls
        {
            std::lock_guard<std::mutex> lock(mutex);
            idle.push_back(c);
        }
        freed.notify_one();
    }

    // Counts a login attempt of the user from the address before its password is checked;
    // `blocked` when either still waits out its delay (then nothing is counted).
    bool CountAttempt(CServerDatabase& db, const std::string& keys0, const std::string& keys1, long long now,
                      bool& blocked, LoginFailures& addressBefore, bool& addressKnown)
    {
        const std::string keys[2] = {keys0, keys1};
        const long long free[2] = {kUserFreeFailures, kAddressFreeFailures};
        return InTransaction(db, [&] {
            LoginFailures f[2];
            bool found[2] = {false, false};
            blocked = false;
            for (int i = 0; i < 2; ++i) {
                if (!db.GetFailures(keys[i], f[i], found[i]))
                    return false;
                if (found[i] && f[i].blockedUntil > now)
                    blocked = true;
            }
            addressBefore = f[1];
            addressKnown = found[1];
            if (blocked)
                return true;
            for (int i = 0; i < 2; ++i) {
                LoginFailures next;
                next.failures = (found[i] && now - f[i].lastFailure <= kFailureWindowSeconds) ? f[i].failures + 1 : 1;
                next.lastFailure = now;
                const long long delay = DelayAfter(next.failures, free[i]);
                next.blockedUntil = delay > 0 ? now + delay : 0;
                if (!db.PutFailures(keys[i], next))
                    return false;
            }
            return true;
        });
    }

    // Whether the call's session is live; `failed` when the database could not tell.
    bool CheckSession(Connection& c, CallContext& context, bool& failed)
    {
        context.user.clear();
        failed = false;
        if (!IsTokenForm(context.sessionToken))
            return false;
        std::string user;
        long long lastUsed = 0;
        bool found = false;
        if (!c.db.GetSession(context.sessionToken, user, lastUsed, found)) {
            failed = true;
            return false;
        }
        if (!found)
            return false;
        const long long now = Now();
        if (now - lastUsed > kSessionIdleSeconds) {
            c.db.DeleteSession(context.sessionToken);
            return false;
        }
        if (now - lastUsed >= kSessionTouchSeconds)
            c.db.TouchSession(context.sessionToken, now);
        context.user = user;
        return true;
    }

    // Hashes the passwords an older database kept as the client's cipher.
    static bool HashClearPasswords(CServerDatabase& db)
    {
        std::vector<std::string> codes;
        if (!db.UserCodes(codes))
            return false;
        for (const std::string& code : codes) {
            CServerDatabase::User user;
            bool found = false;
            if (!db.GetUser(code, user, found))
                return false;
            std::string hash;
            if (found && !IsPasswordHash(user.password) &&
                (!HashPassword(user.password, hash) || !db.SetPassword(code, hash)))
                return false;
        }
        return true;
    }

    // Brings a database of the older layout up to this one, once.
    static bool Upgrade(Connection& c)
    {
        bool needed = false;
        if (!c.db.NeedsUpgrade(needed))
            return false;
        if (!needed)
            return true;
        return InTransaction(c.db, [&c] {
            bool still = false;
            if (!c.db.LockForUpgrade(still))
                return false;
            return !still || (c.db.MakeUpgradeTables() && c.ops.FillUpgradeRows() && HashClearPasswords(c.db) &&
                              c.db.FinishUpgrade());
        });
    }
};

namespace {

// One connection of the pool for the time of a call.
class Lease {
public:
    Lease(CServerCore::Impl& d, std::string& error) : m_d(d), m_c(d.Acquire(error)) {}
    ~Lease()
    {
        if (m_c && m_failed)
            m_d.Discard(m_c);
        else if (m_c)
            m_d.Release(m_c);
    }
    void Failed() { m_failed = true; }
    Lease(const Lease&) = delete;
    Lease& operator=(const Lease&) = delete;
    explicit operator bool() const { return m_c != nullptr; }
    Connection* operator->() const { return m_c; }
    Connection& operator*() const { return *m_c; }

private:
    CServerCore::Impl& m_d;
    Connection* m_c;
    bool m_failed = false;
};

// A login: the attempt counted, the user read, the password checked with no connection
// held (the slow hash must not keep other calls waiting), then the session stored.
CServerCore::Outcome RunLogin(CServerCore::Impl& d, const SoapRequest& request, CallContext& context,
                              std::vector<SoapArg>& results)
{
    results.clear();
    auto answer = [&results](const std::string& reply) {
        results.push_back({"Reply", reply});
        return CServerCore::Done;
    };
    if (d.loginServerError)
        return answer("SERVER ERROR");
    const std::string code = *request.Find("userCode");
    const std::string password = *request.Find("password");
    const long long now = d.Now();
    const std::string userKey = UserKey(code);
    const std::string addressKey = "address:" + context.peerAddress;
    bool blocked = false, addressKnown = false, found = false;
    LoginFailures addressBefore;
    CServerDatabase::User user;
    std::string error;
    {
        Lease c(d, error);
        if (!c || !d.CountAttempt(c->db, userKey, addressKey, now, blocked, addressBefore, addressKnown))
            return answer("SERVER ERROR");
        if (blocked)
            return answer("");
        if (!c->db.GetUser(code, user, found))
            return answer("SERVER ERROR");
    }
    bool matches = false;
    if (found)
        matches = VerifyPassword(user.password, password);
    else
        SpendVerification(password);
    Lease c(d, error);
    if (!c)
        return answer("SERVER ERROR");
    if (!matches) {
        c->db.DeleteFailuresBefore(now - kFailureWindowSeconds);
        return answer("");
    }
    std::string token;
    if (!NewSessionToken(token) || !c->db.PutSession(token, code, now))
        return answer("SERVER ERROR");
    // The attempt counted above was no failure.
    c->db.DeleteFailures(userKey);
    if (addressKnown)
        c->db.PutFailures(addressKey, addressBefore);
    else
        c->db.DeleteFailures(addressKey);
    c->db.DeleteSessionsUsedBefore(now - kSessionIdleSeconds);
    context.newSessionToken = token;
    context.user = code;
    return answer(user.reply);
}

}  // namespace

CServerCore::CServerCore() : m_impl(new Impl) {}

CServerCore::~CServerCore() = default;

bool CServerCore::Open(const std::string& pathOrConnection, bool& created, std::string& error)
{
    Impl& d = *m_impl;
    std::lock_guard<std::mutex> lock(d.mutex);
    created = false;
    if (d.open)
        return true;
    std::unique_ptr<Connection> first(new Connection);
    if (!first->db.Open(pathOrConnection, created)) {
        error = first->db.LastError();
        return false;
    }
    if (!Impl::Upgrade(*first)) {
        error = "cannot upgrade the project database: " + first->db.LastError();
        return false;
    }
    bool unused = false;
    if (!d.idDb.Open(pathOrConnection, unused)) {
        error = d.idDb.LastError();
        return false;
    }
    d.Prepare(*first);
    d.where = pathOrConnection;
    d.idle.push_back(first.get());
    d.all.push_back(std::move(first));
    d.open = true;
    return true;
}

bool CServerCore::IsOpen() const
{
    std::lock_guard<std::mutex> lock(m_impl->mutex);
    return m_impl->open;
}

CServerCore::Outcome CServerCore::Execute(const SoapRequest& request, CallContext& context,
                                          std::vector<SoapArg>& results, std::string& error)
{
    results.clear();
    context.user.clear();
    if (!FindServiceOperation(request.operation)) {
        error = "unknown operation " + request.operation;
        return BadRequest;
    }
    if (request.operation == "Login") {
        COperations::Outcome checked = COperations::CheckArguments(request, error);
        if (checked != COperations::Done)
            return BadRequest;
        return RunLogin(*m_impl, request, context, results);
    }
    Lease c(*m_impl, error);
    if (!c)
        return StoreFailed;
    bool failed = false;
    if (!m_impl->CheckSession(*c, context, failed)) {
        if (!failed)
            return Unauthorized;
        // Not the client's fault: a server error, and the connection is let go.
        error = "the project database failed: " + c->db.LastError();
        c.Failed();
        return StoreFailed;
    }
    switch (c->ops.Execute(request, context, results, error)) {
    case COperations::BadRequest:
        return BadRequest;
    case COperations::StoreFailed:
        c.Failed();
        return StoreFailed;
    case COperations::Unauthorized:
        results.clear();
        context.etag.clear();
        return Unauthorized;
    default:
        return Done;
    }
}

bool CServerCore::CheckSession(CallContext& context)
{
    std::string error;
    Lease c(*m_impl, error);
    bool failed = false;
    if (c && m_impl->CheckSession(*c, context, failed))
        return true;
    if (c && failed)
        c.Failed();
    return false;
}

void CServerCore::EndSession(CallContext& context)
{
    context.endSession = true;
    context.user.clear();
    if (!IsTokenForm(context.sessionToken))
        return;
    std::string error;
    Lease c(*m_impl, error);
    if (c)
        c->db.DeleteSession(context.sessionToken);
}

bool CServerCore::AddUser(const std::string& code, const std::string& cipheredPassword, const std::string& reply)
{
    std::string hash, error;
    if (!HashPassword(cipheredPassword, hash))
        return false;
    Lease c(*m_impl, error);
    return c && InTransaction(c->db, [&] { return c->db.PutUser(code, CServerDatabase::User{hash, reply}); });
}

long CServerCore::AddProject(const std::string& projectXml)
{
    std::string error;
    Lease c(*m_impl, error);
    long id = -1;
    if (!c || !c->db.TakeId("project", id) ||
        !InTransaction(c->db, [&] { return c->ops.PutProject(id, projectXml, error); }))
        return -1;
    return id;
}

bool CServerCore::GetProject(long id, std::string& xml)
{
    std::string error;
    Lease c(*m_impl, error);
    bool found = false;
    return c && c->db.GetProject(id, xml, found) && found;
}

long CServerCore::ProjectCount()
{
    std::string error;
    Lease c(*m_impl, error);
    long count = -1;
    if (!c || !c->db.CountProjects(count))
        return -1;
    return count;
}

bool CServerCore::SetCalendar(long id, const std::string& xml)
{
    std::string error;
    Lease c(*m_impl, error);
    return c && InTransaction(c->db, [&] { return c->db.PutCalendar(id, xml); });
}

bool CServerCore::GetCalendar(long id, std::string& xml)
{
    std::string error;
    Lease c(*m_impl, error);
    bool found = false;
    return c && c->db.GetCalendar(id, xml, found) && found;
}

bool CServerCore::SetPermissions(long id, const std::string& xml)
{
    // The rights rows come from the text when it is a PERMISSIONS document.
    pugi::xml_document doc;
    std::string error;
    std::vector<ProjectAccess> access;
    if (ParseStored(xml, doc, error) && std::string(doc.document_element().name()) == "PERMISSIONS")
        access = COperations::AccessOf(doc.document_element());
    Lease c(*m_impl, error);
    return c && InTransaction(c->db, [&] { return c->db.PutPermissions(id, xml) && c->db.PutAccess(id, access); });
}

bool CServerCore::GetPermissions(long id, std::string& xml)
{
    std::string error;
    Lease c(*m_impl, error);
    bool found = false;
    return c && c->db.GetPermissions(id, xml, found) && found;
}

bool CServerCore::SetResources(const std::string& xml)
{
    std::string error;
    Lease c(*m_impl, error);
    return c && InTransaction(c->db, [&] { return c->db.PutResources(xml); });
}

bool CServerCore::SetNextIds(long projectId, long taskId)
{
    std::string error;
    Lease c(*m_impl, error);
    if (!c || !InTransaction(c->db, [&] {
            return c->db.SetNextId("project", projectId) && c->db.SetNextId("task", taskId);
        }))
        return false;
    m_impl->ForgetTaskIds();
    return true;
}

void CServerCore::SetTestLoginServerError(bool serverError)
{
    m_impl->loginServerError = serverError;
}

void CServerCore::SetWorkers(int workers)
{
    std::lock_guard<std::mutex> lock(m_impl->mutex);
    m_impl->workers = static_cast<size_t>(std::max(1, workers));
}

void CServerCore::SetTestClock(std::function<long long()> secondsNow)
{
    std::lock_guard<std::mutex> lock(m_impl->clockMutex);
    m_impl->clock = std::move(secondsNow);
}

}  // namespace projectserver
