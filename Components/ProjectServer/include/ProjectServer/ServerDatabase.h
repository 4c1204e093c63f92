// The project server's data in one SQLite file (WAL): users with their enciphered
// passwords and login replies, projects (their PROJECT texts), calendars, permissions, the
// resources text, and the counters of new project and task ids. Texts are UTF-8.
//
// Each operation of the service runs between Begin and Commit, so a save lands whole or
// not at all, also when the process is killed. Not thread-safe: the server serialises.
#pragma once

#include <map>
#include <string>
#include <vector>

struct sqlite3;

namespace projectserver {

class CServerDatabase {
public:
    CServerDatabase() = default;
    ~CServerDatabase();
    CServerDatabase(const CServerDatabase&) = delete;
    CServerDatabase& operator=(const CServerDatabase&) = delete;

    // Opens or creates the file; `created` tells whether it was made now. A file that is
    // not this server's database is refused and left as it is.
    bool Open(const std::string& path, bool& created);
    void Close();
    const std::string& LastError() const { return m_error; }

    bool Begin();
    bool Commit();
    void Rollback();

    struct User {
        std::string password;  // as the client enciphers it
        std::string reply;     // the Login answer
    };
    bool PutUser(const std::string& code, const User& user);
    bool GetUser(const std::string& code, User& user, bool& found);

    bool PutProject(long id, const std::string& xml);
    bool GetProject(long id, std::string& xml, bool& found);
    bool DeleteProject(long id, bool& found);  // with its calendar and permissions
    bool ProjectIds(std::vector<long>& ids);
    bool CountProjects(long& count);

    bool PutCalendar(long id, const std::string& xml);
    bool GetCalendar(long id, std::string& xml, bool& found);
    bool PutPermissions(long id, const std::string& xml);
    bool GetPermissions(long id, std::string& xml, bool& found);
    bool PutResources(const std::string& xml);
    bool GetResources(std::string& xml);

    // The next id of the kind ("project" or "task"), counted up.
    bool TakeId(const char* kind, long& id);
    bool SetNextId(const char* kind, long id);

private:
    bool Fail(const std::string& what);
    bool Exec(const char* sql);
    bool PutText(const char* table, long id, const std::string& xml);
    bool GetText(const char* table, long id, std::string& xml, bool& found);

    sqlite3* m_db = nullptr;
    std::string m_error;
};

}  // namespace projectserver
