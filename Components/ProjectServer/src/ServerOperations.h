// What each operation of the project service does with the server's database. Texts are
// UTF-8, as they travel on the wire.
//
// Login is the core's (sessions, ServerCore.cpp); every other operation runs for the
// session's user, `context.user`, and needs that user's right on the project it names
// (the project's creator holds all of them):
//   open (OPENPROJ)      GetProjectData, GetCalendar, GetUsersPermission; a project the
//                        user may not open is answered as an unknown one
//   publish (PUBLISHPROJ)  SaveProject, NewTask, SetProjectStatus (publish and pause),
//                        SaveCalendar, SaveUsersPermission: what the client checks before
//                        it saves a project to the server
//   delete (DELETEPROJ)  DeleteProject
// A permission record whose rights are all 0, or no record, gives none. Refused: result 1
// (SaveProject with a text saying so; NewTask's id -1).
//
//   GetProjectList       a PROJECTS document (PROJ: ID, NAME, STATUS, CREATIONDATE) of the
//                        projects the user made or may open, by id, from the header and
//                        rights rows (no stored text is read); a userCode that is not the
//                        session's user is refused as Unauthorized
//   GetProjectData       the stored PROJECT text (result 1 for an unknown id), its revision
//                        as the ETag
//   NewProject           stores the PROJECT under a new id (its ID and FLAG set), the user
//                        as its creator; revision 1
//   SaveProject          stores the PROJECT: tasks with FLAG 1 (or TASKID 0) get new ids,
//                        tasks with FLAG 3 are dropped, PREDID rows become the
//                        predecessors' task ids, ENTIREPROJID, PARENTID and FLAG 0 are
//                        set; the reply is the TASKIDS document of the ids given, by grid
//                        row (ROW 0: a project saved with id 0 got a new id). An unknown
//                        project or a text that is not a PROJECT: result 1 and an error
//                        text for the user. A stored project is saved only over the
//                        revision it was opened at (If-Match), else result 1 with
//                        kStaleSaveText and nothing stored; the new revision is the ETag.
//   SetProjectStatus     sets STATUS of the stored project
//   DeleteProject        drops the project with its calendar and permissions
//   GetCalendar, GetUsersPermission   the stored text, or an empty default
//   SaveCalendar, SaveUsersPermission stores the text when it is a CALENDAR/PERMISSIONS
//                        document, else result 1
//   GetResources         the resources text
//   NewTask              adds the TASK to its project (ENTIREPROJID) under `parentTaskId`
//                        or at the top level, with a new id
// NewTask and SetProjectStatus are applied over whatever revision is stored; the new
// revision is the ETag only when the request's If-Match named the one they changed.
// Unknown project ids give result 1. Stored project texts are kept in one canonical form:
// no declaration, `<A></A>` for empty elements, values escaped; a text written that way
// comes back byte for byte.
#pragma once

#include <ProjectServer/ServerDatabase.h>

#include "ServerCore.h"
#include "ServerSoap.h"

namespace pugi {
class xml_node;
}

namespace projectserver {

// The answer to a save over a revision that is no longer the stored one.
extern const char kStaleSaveText[];

class COperations {
public:
    explicit COperations(CServerDatabase& db) : m_db(db) {}

    enum Outcome {
        Done,          // results set (the operation's own result code may still refuse)
        BadRequest,    // the request is wrong: a SOAP client fault with `error`
        StoreFailed,   // the database failed: a SOAP server fault with `error`; nothing changed
        Unauthorized,  // the request names another user than the session's
    };
    // Whether the request is an operation of the service with all its arguments, numbers
    // where numbers belong.
    static Outcome CheckArguments(const SoapRequest& request, std::string& error);
    // Runs one operation (not Login) for context.user; writes are short transactions of
    // their own, the parsing and checking done before them.
    Outcome Execute(const SoapRequest& request, CallContext& context, std::vector<SoapArg>& results,
                    std::string& error);

    // Stores a PROJECT text under a new id (its ID element set to it), canonical form, with
    // its header row (no creator).
    bool PutProject(long id, const std::string& xml, std::string& error);
    // Inside the upgrade's transaction: the header rows of every stored project and the
    // rights rows of every permission text, read from the texts this once.
    bool FillUpgradeRows();

    // The rights rows of a PERMISSIONS document as the client's permission test reads it.
    static std::vector<ProjectAccess> AccessOf(const pugi::xml_node& permissions);
    static ProjectHead HeadOf(const pugi::xml_node& project);

private:
    typedef bool (COperations::*Handler)(const SoapRequest&, std::vector<SoapArg>&);
    // The caller's rights on a stored project (all for its creator); found false: no such
    // project.
    bool RightsOf(long id, ProjectHead& head, ProjectAccess& rights, bool& found);
    // A new project's id: from the counter, or once it is used up the smallest id unused.
    bool TakeProjectId(long& id);
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
    CallContext* m_call = nullptr;  // the call under way
};

}  // namespace projectserver
