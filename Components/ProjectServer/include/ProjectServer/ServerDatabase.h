// The project server's data, through the data-access layer: in one SQLite file (WAL), or on
// a database server named by an ODBC connection string (PostgreSQL), in the same tables of
// the schema dbo: users with their password hashes and login replies, projects (their
// PROJECT texts) with a header row each (name, status, creation date, creator, revision),
// each user's rights on a project, calendars, permissions, the resources text, the counters
// of new project and task ids, the live sessions and the recent failed logins. Texts are
// UTF-8; every value is a bound parameter.
//
// One object is one connection, used by one thread at a time; the server keeps several
// (ServerCore.cpp). Writes run between Begin and Commit, so a change lands whole or not at
// all, also when the process is killed; reads outside a transaction each see one state.
#pragma once

#include <DataAccess/DbStore.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace projectserver {

// The header row of a stored project: what the project list shows, who made it and the
// revision of its text.
struct ProjectHead {
    std::string name;
    long status = 0;
    std::string creationDate;
    std::string creator;  // "" for projects stored before the server kept it
    long revision = 0;    // counts up with every change of the PROJECT text
};

// One user's rights on a project in the client's permission kinds: open, publish, delete,
// modify progress, look at progress, forum (nonzero: held).
enum { kRightOpen, kRightPublish, kRightDelete, kRightModifyProgress, kRightLookProgress, kRightForum, kRightKinds };
struct ProjectAccess {
    std::string user;
    long rights[kRightKinds] = {0, 0, 0, 0, 0, 0};
};

struct ListedProject {
    long id = 0;
    std::string name;
    long status = 0;
    std::string creationDate;
};

struct LoginFailures {
    long long failures = 0;      // failed logins in a row, recently
    long long lastFailure = 0;   // seconds since 1970
    long long blockedUntil = 0;  // no password is checked before this time
};

class CServerDatabase : public CDbStore {
public:
    CServerDatabase();
    ~CServerDatabase() override;

    // Opens or creates the file, or connects by an ODBC connection string (a text with
    // "=" and ";", such as "Driver={PostgreSQL Unicode};Server=db;Database=projects;...")
    // and makes the tables there when missing; `created` tells whether they were made now. A
    // file that is not this server's database is refused and left as it is. A database of
    // an older layout opens too: NeedsUpgrade tells it. The connection to a server outlives
    // the object: Close keeps it for the next Open of the same connection string.
    bool Open(const std::string& pathOrConnection, bool& created);

    // --- the layout of older databases (no header, rights, session or failure rows, clear
    // ciphers for passwords). Inside a transaction: takes the lock that keeps other servers
    // from upgrading at the same time and tells whether it is still to be done; then
    // MakeUpgradeTables, the rows filled by the caller, and FinishUpgrade.
    bool NeedsUpgrade(bool& needed);
    bool LockForUpgrade(bool& needed);
    bool MakeUpgradeTables();
    bool FinishUpgrade();

    struct User {
        std::string password;  // the argon2id hash of what the client sends (older: the cipher)
        std::string reply;     // the Login answer
    };
    bool PutUser(const std::string& code, const User& user);
    bool GetUser(const std::string& code, User& user, bool& found);
    bool UserCodes(std::vector<std::string>& codes);
    bool SetPassword(const std::string& code, const std::string& password);

    // A new project with its header row (revision 1).
    bool AddProject(long id, const std::string& xml, const ProjectHead& head);
    // Replaces the text and the header's name, status and creation date when the stored
    // revision is `expected`; the revision then counts up into `revision`. `matched` false:
    // the project is gone or was changed meanwhile, and nothing is written.
    bool ReplaceProject(long id, const std::string& xml, const ProjectHead& head, long expected, long& revision,
                        bool& matched);
    bool GetProject(long id, std::string& xml, bool& found);
    // The text with the revision it has, read together.
    bool GetProjectRevision(long id, std::string& xml, long& revision, bool& found);
    bool GetHead(long id, ProjectHead& head, bool& found);
    // Only while upgrading: a header row for a project stored before they were kept.
    bool PutHead(long id, const ProjectHead& head);
    bool DeleteProject(long id, bool& found);  // with its header, rights, calendar and permissions
    bool ProjectIds(std::vector<long>& ids);
    bool CountProjects(long& count);

    // The rights rows of a project, replaced whole; the user's row (found false: none).
    bool PutAccess(long id, const std::vector<ProjectAccess>& access);
    bool GetAccess(long id, const std::string& user, ProjectAccess& access, bool& found);
    // The projects the user made or may open, by id, from the header and rights rows.
    bool ListProjects(const std::string& user, std::vector<ListedProject>& list);

    bool PutCalendar(long id, const std::string& xml);
    bool GetCalendar(long id, std::string& xml, bool& found);
    bool PutPermissions(long id, const std::string& xml);
    bool GetPermissions(long id, std::string& xml, bool& found);
    bool PutResources(const std::string& xml);
    bool GetResources(std::string& xml);

    // `count` ids of the kind ("project" or "task") counted up at once, the first into
    // `first`; committed by itself when no transaction is open.
    bool TakeIds(const char* kind, long count, long& first);
    // One id of the kind: "task" ids from the source when one is set (the server hands them
    // out from blocks it takes), else from the counter.
    bool TakeId(const char* kind, long& id);
    void SetTaskIdSource(std::function<bool(long& id, std::string& error)> source) { m_taskIds = std::move(source); }
    bool SetNextId(const char* kind, long id);

    // --- sessions: token (kept only as its SHA-256), user and the time of the last call
    // (seconds since 1970)
    bool PutSession(const std::string& token, const std::string& user, long long now);
    bool GetSession(const std::string& token, std::string& user, long long& lastUsed, bool& found);
    bool TouchSession(const std::string& token, long long now);
    bool DeleteSession(const std::string& token);
    bool DeleteSessionsUsedBefore(long long time);

    // --- failed logins, by key ("user:<code>" or "address:<peer>")
    bool GetFailures(const std::string& key, LoginFailures& failures, bool& found);
    bool PutFailures(const std::string& key, const LoginFailures& failures);
    bool DeleteFailures(const std::string& key);
    // Forgets the failures of keys last failing before `time` that no longer block.
    bool DeleteFailuresBefore(long long time);

private:
    bool Prepare(const std::string& name, bool& created);
    // The key a session's row is kept by (its token's SHA-256); false when it cannot be had.
    bool SessionKey(const std::string& token, std::string& key);
    bool CreateTables();
    bool PutText(const char* table, const char* key, long id, const std::string& xml);
    bool GetText(const char* table, const char* key, long id, std::string& xml, bool& found);

    std::function<bool(long&, std::string&)> m_taskIds;
};

// Runs `f` (a change that returns false when it failed) in one transaction of its own:
// committed whole, or rolled back.
template <class F>
bool InTransaction(CServerDatabase& db, F f)
{
    if (!db.Begin())
        return false;
    if (!f() || !db.Commit()) {
        db.Rollback();
        return false;
    }
    return true;
}

}  // namespace projectserver
