// The project server's data, through the data-access layer: in one SQLite file (WAL), or on
// a database server named by an ODBC connection string (PostgreSQL), in the same tables of
// the schema dbo: users with their enciphered passwords and login replies, projects (their
// PROJECT texts), calendars, permissions, the resources text, and the counters of new
// project and task ids. Texts are UTF-8; every value is a bound parameter.
//
// Each operation of the service runs between Begin and Commit, so a save lands whole or
// not at all, also when the process is killed. Not thread-safe: the server serialises.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

class CCommand;
class CDbParam;
class CSession;

namespace projectserver {

class CServerDatabase {
public:
    CServerDatabase();
    ~CServerDatabase();
    CServerDatabase(const CServerDatabase&) = delete;
    CServerDatabase& operator=(const CServerDatabase&) = delete;

    // Opens or creates the file, or connects by an ODBC connection string (a text with
    // "=" and ";", such as "Driver={PostgreSQL Unicode};Server=db;Database=projects;...")
    // and makes the tables there when missing; `created` tells whether they were made now. A
    // file that is not this server's database is refused and left as it is.
    bool Open(const std::string& pathOrConnection, bool& created);
    static bool IsConnectionString(const std::string& text);
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
    // Whether the project is stored, without reading its text.
    bool HasProject(long id, bool& found);
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
    struct Rows;
    // Runs a statement with its parameters (numbers, or UTF-8 texts); a query's rows go to
    // `rows` when given. False with "<what>: <the database's error>" in LastError.
    bool Run(const char* sql, const std::vector<CDbParam>& params, Rows* rows, const std::string& what);
    // Opens the command on the statement; false as Run.
    bool OpenCommand(CCommand& command, const char* sql, const std::vector<CDbParam>& params, const std::string& what);
    bool CreateTables();
    bool TableExists(const char* table, bool& exists);
    bool PutText(const char* table, const char* key, long id, const std::string& xml);
    bool GetText(const char* table, const char* key, long id, std::string& xml, bool& found);

    std::unique_ptr<CSession> m_session;
    bool m_bOdbc = false;
    bool m_bInTransaction = false;
    std::string m_error;
};

}  // namespace projectserver
