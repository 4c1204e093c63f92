// What each operation of the project service does with the server's database. Texts are
// UTF-8, as they travel on the wire.
//
//   Login                the user's reply when the password matches, "" for an unknown
//                        user or a wrong password, "SERVER ERROR" when users cannot be
//                        checked (the database failed, or the test switch is set)
//   GetProjectList       a PROJECTS document (PROJ: ID, NAME, STATUS, CREATIONDATE) of the
//                        projects that have the user among their MEMBERS or permission
//                        records, by id
//   GetProjectData       the stored PROJECT text (result 1 for an unknown id)
//   NewProject           stores the PROJECT under a new id (its ID and FLAG set)
//   SaveProject          stores the PROJECT: tasks with FLAG 1 (or TASKID 0) get new ids,
//                        tasks with FLAG 3 are dropped, PREDID rows become the
//                        predecessors' task ids, ENTIREPROJID, PARENTID and FLAG 0 are
//                        set; the reply is the TASKIDS document of the ids given, by grid
//                        row (ROW 0: a project saved with id 0 got a new id). An unknown
//                        project or a text that is not a PROJECT: result 1 and an error
//                        text for the user.
//   SetProjectStatus     sets STATUS of the stored project
//   DeleteProject        drops the project with its calendar and permissions
//   GetCalendar, GetUsersPermission   the stored text, or an empty default
//   SaveCalendar, SaveUsersPermission stores the text when it is a CALENDAR/PERMISSIONS
//                        document, else result 1
//   GetResources         the resources text
//   NewTask              adds the TASK to its project (ENTIREPROJID) under `parentTaskId`
//                        or at the top level, with a new id
// Unknown project ids give result 1. Stored project texts are kept in one canonical form:
// no declaration, `<A></A>` for empty elements, values escaped; a text written that way
// comes back byte for byte.
#pragma once

#include <ProjectServer/ServerDatabase.h>

#include "ServerSoap.h"

namespace projectserver {

class COperations {
public:
    explicit COperations(CServerDatabase& db) : m_db(db) {}

    enum Outcome {
        Done,          // results set (the operation's own result code may still refuse)
        BadRequest,    // the request is wrong: a SOAP client fault with `error`
        StoreFailed,   // the database failed: a SOAP server fault with `error`; nothing changed
    };
    // Runs one operation in one transaction.
    Outcome Execute(const SoapRequest& request, std::vector<SoapArg>& results, std::string& error);

    bool loginServerError = false;

    // Stores a PROJECT text under an id (its ID element set to it), canonical form.
    bool PutProject(long id, const std::string& xml, std::string& error);

private:
    typedef bool (COperations::*Handler)(const SoapRequest&, std::vector<SoapArg>&);
    bool Login(const SoapRequest& r, std::vector<SoapArg>& out);
    bool GetProjectList(const SoapRequest& r, std::vector<SoapArg>& out);
    bool GetProjectData(const SoapRequest& r, std::vector<SoapArg>& out);
    bool NewProject(const SoapRequest& r, std::vector<SoapArg>& out);
    bool DeleteProject(const SoapRequest& r, std::vector<SoapArg>& out);
    bool SetProjectStatus(const SoapRequest& r, std::vector<SoapArg>& out);
    bool SaveProject(const SoapRequest& r, std::vector<SoapArg>& out);
    bool GetCalendar(const SoapRequest& r, std::vector<SoapArg>& out);
    bool SaveCalendar(const SoapRequest& r, std::vector<SoapArg>& out);
    bool GetUsersPermission(const SoapRequest& r, std::vector<SoapArg>& out);
    bool SaveUsersPermission(const SoapRequest& r, std::vector<SoapArg>& out);
    bool GetResources(const SoapRequest& r, std::vector<SoapArg>& out);
    bool NewTask(const SoapRequest& r, std::vector<SoapArg>& out);

    CServerDatabase& m_db;
};

}  // namespace projectserver
