// The operations of the project server over its database.
#include "ServerOperations.h"

#include "ServerTasks.h"
#include "ServerXml.h"

#include <cstdlib>
#include <cstring>
#include <functional>
#include <unordered_set>
#include <vector>

namespace projectserver {

namespace {

typedef SoapRequest SoapMessage;
typedef std::vector<SoapArg> SoapValues;

const char* const kDefaultCalendar = "<CALENDAR><CALID>0</CALID><CALNAME></CALNAME><CALBASEID>-2</CALBASEID>"
                                     "<RESCODE></RESCODE><CALDATA></CALDATA></CALENDAR>";

std::string Arg(const SoapMessage& r, const char* name)
{
    const std::string* v = r.Find(name);
    return v ? *v : std::string();
}

// The argument's text without copying it (a project's text is large).
const std::string& TextArg(const SoapMessage& r, const char* name)
{
    static const std::string kNone;
    const std::string* v = r.Find(name);
    return v ? *v : kNone;
}

long NumberArg(const SoapMessage& r, const char* name) { return std::atol(Arg(r, name).c_str()); }

void Answer(SoapValues& out, long result) { out.push_back({"Result", std::to_string(result)}); }

void Answer(SoapValues& out, long result, const char* name, std::string value)
{
    Answer(out, result);
    out.push_back({name, std::move(value)});
}

// Sets a leaf's text, adding the leaf at the end when there is none.
void SetLeaf(pugi::xml_node parent, const char* name, const std::string& value)
{
    pugi::xml_node leaf = parent.child(name);
    if (!leaf)
        leaf = parent.append_child(name);
    SetText(leaf, value);
}

bool IsMember(pugi::xml_node project, const std::string& user)
{
    for (pugi::xml_node m = project.child("MEMBERS").child("MEMBER"); m; m = m.next_sibling("MEMBER")) {
        if (TextOf(m.child("RESCODE")) == user)
            return true;
    }
    return false;
}

bool HasPermissionRecord(const std::string& permissionXml, const std::string& user)
{
    pugi::xml_document doc;
    std::string error;
    if (!ParseStored(permissionXml, doc, error))
        return false;
    for (pugi::xml_node p = doc.document_element().child("PERMISSION"); p; p = p.next_sibling("PERMISSION")) {
        if (TextOf(p.child("RESCODE")) == user)
            return true;
    }
    return false;
}

bool ParseRoot(const std::string& xml, const char* rootName, pugi::xml_document& doc, std::string& error)
{
    return ReadRequestDocument(xml, rootName, doc, error) == DocFault::None;
}

// A whole number in the 32-bit range, with an optional sign and nothing else.
bool IsWholeNumber(const std::string& text)
{
    size_t i = (!text.empty() && (text[0] == '-' || text[0] == '+')) ? 1 : 0;
    if (i >= text.size() || text.size() - i > 10)
        return false;
    for (size_t k = i; k < text.size(); ++k)
        if (text[k] < '0' || text[k] > '9')
            return false;
    long long v = std::atoll(text.c_str());
    return v >= -2147483648LL && v <= 2147483647LL;
}

}  // namespace

COperations::Outcome COperations::Execute(const SoapRequest& request, std::vector<SoapArg>& results,
                                          std::string& error)
{
    static const std::pair<const char*, Handler> kHandlers[] = {
        {"Login", &COperations::Login},
        {"GetProjectList", &COperations::GetProjectList},
        {"GetProjectData", &COperations::GetProjectData},
        {"NewProject", &COperations::NewProject},
        {"DeleteProject", &COperations::DeleteProject},
        {"SetProjectStatus", &COperations::SetProjectStatus},
        {"SaveProject", &COperations::SaveProject},
        {"GetCalendar", &COperations::GetCalendar},
        {"SaveCalendar", &COperations::SaveCalendar},
        {"GetUsersPermission", &COperations::GetUsersPermission},
        {"SaveUsersPermission", &COperations::SaveUsersPermission},
        {"GetResources", &COperations::GetResources},
        {"NewTask", &COperations::NewTask},
    };
    results.clear();
    const OperationSpec* operation = FindServiceOperation(request.operation);
    if (!operation) {
        error = "unknown operation " + request.operation;
        return BadRequest;
    }
    for (int i = 0; i < operation->argCount; ++i) {
        const std::string* value = request.Find(operation->args[i]);
        if (!value) {
            error = request.operation + " lacks the argument " + operation->args[i];
            return BadRequest;
        }
        if (IsNumberField(operation->args[i]) && !IsWholeNumber(*value)) {
            error = std::string("the argument ") + operation->args[i] + " of " + request.operation +
                    " must be a whole number, not \"" + *value + "\"";
            return BadRequest;
        }
    }
    if (RefuseUnreadableText(request, results))
        return Done;
    Handler handler = nullptr;
    for (const auto& h : kHandlers)
        if (request.operation == h.first)
            handler = h.second;
    if (!m_db.Begin()) {
        error = "the project database is busy or failed: " + m_db.LastError();
        return StoreFailed;
    }
    if (!(this->*handler)(request, results) || !m_db.Commit()) {
        error = "the project database failed: " + m_db.LastError();
        m_db.Rollback();
        results.clear();
        return StoreFailed;
    }
    return Done;
}

bool COperations::PutProject(long id, const std::string& xml, std::string& error)
{
    pugi::xml_document doc;
    if (!ParseRoot(xml, "PROJECT", doc, error))
        return false;
    SetLeaf(doc.document_element(), "ID", std::to_string(id));
    if (!m_db.PutProject(id, WriteCanonical(doc))) {
        error = m_db.LastError();
        return false;
    }
    return true;
}

bool COperations::Login(const SoapMessage& r, SoapValues& out)
{
    std::string reply;
    if (loginServerError) {
        reply = "SERVER ERROR";
    } else {
        CServerDatabase::User user;
        bool found = false;
        if (!m_db.GetUser(Arg(r, "userCode"), user, found))
            reply = "SERVER ERROR";
        else if (found && user.password == Arg(r, "password"))
            reply = user.reply;
    }
    out.push_back({"Reply", reply});
    return true;
}

bool COperations::GetProjectList(const SoapMessage& r, SoapValues& out)
{
    std::string user = Arg(r, "userCode");
    std::vector<long> ids;
    if (!m_db.ProjectIds(ids))
        return false;
    std::string list = "<PROJECTS>";
    for (long id : ids) {
        std::string xml, perm;
        bool found = false, hasPerm = false;
        if (!m_db.GetProject(id, xml, found) || !m_db.GetPermissions(id, perm, hasPerm))
            return false;
        pugi::xml_document doc;
        std::string error;
        if (!found || !ParseStored(xml, doc, error))
            continue;
        pugi::xml_node project = doc.document_element();
        if (!IsMember(project, user) && !(hasPerm && HasPermissionRecord(perm, user)))
            continue;
        list += "<PROJ><ID>" + std::to_string(id) + "</ID><NAME>" + EscapeText(TextOf(project.child("NAME"))) +
                "</NAME><STATUS>" + std::to_string(NumberOf(project.child("STATUS"))) + "</STATUS><CREATIONDATE>" +
                EscapeText(TextOf(project.child("CREATIONDATE"))) + "</CREATIONDATE></PROJ>";
    }
    list += "</PROJECTS>";
    Answer(out, 0, "ProjectList", list);
    return true;
}

bool COperations::GetProjectData(const SoapMessage& r, SoapValues& out)
{
    std::string xml;
    bool found = false;
    if (!m_db.GetProject(NumberArg(r, "projectId"), xml, found))
        return false;
    Answer(out, found ? 0 : 1, "ProjectData", std::move(xml));
    return true;
}

bool COperations::NewProject(const SoapMessage& r, SoapValues& out)
{
    pugi::xml_document doc;
    std::string error;
    if (!ParseRoot(Arg(r, "projectData"), "PROJECT", doc, error)) {
        Answer(out, 1, "ProjectId", "-1");
        return true;
    }
    long id = 0;
    if (!m_db.TakeId("project", id))
        return false;
    pugi::xml_node project = doc.document_element();
    SetLeaf(project, "ID", std::to_string(id));
    if (project.child("FLAG"))
        SetLeaf(project, "FLAG", "0");
    if (!m_db.PutProject(id, WriteCanonical(doc)))
        return false;
    Answer(out, 0, "ProjectId", std::to_string(id));
    return true;
}

bool COperations::DeleteProject(const SoapMessage& r, SoapValues& out)
{
    bool found = false;
    if (!m_db.DeleteProject(NumberArg(r, "projectId"), found))
        return false;
    Answer(out, found ? 0 : 1);
    return true;
}

bool COperations::SetProjectStatus(const SoapMessage& r, SoapValues& out)
{
    long id = NumberArg(r, "projectId");
    std::string xml;
    bool found = false;
    if (!m_db.GetProject(id, xml, found))
        return false;
    pugi::xml_document doc;
    std::string error;
    if (!found || !ParseStored(xml, doc, error)) {
        Answer(out, 1);
        return true;
    }
    SetLeaf(doc.document_element(), "STATUS", std::to_string(NumberArg(r, "status")));
    if (!m_db.PutProject(id, WriteCanonical(doc)))
        return false;
    Answer(out, 0);
    return true;
}

// Stores the project: new tasks (FLAG 1, or no id yet) get ids, removed tasks (FLAG 3)
// leave it, links name their predecessors by task id instead of grid row, FLAGs become 0.
// The reply lists, by grid row, the ids given (row 0: the project's own new id). Ids,
// texts and depth are checked before anything is stored (ServerTasks.h).
bool COperations::SaveProject(const SoapMessage& r, SoapValues& out)
{
    CReleaseFreedMemory release(TextArg(r, "projectData").size());
    // The stored project's ids first, its tree gone before the request's is built: the two
    // are never held together.
    long projectId = NumberArg(r, "projectId");
    std::unordered_set<long> storedIds;
    bool idsKnown = false, found = true;
    if (projectId != 0) {
        std::string stored;
        if (!m_db.GetProject(projectId, stored, found))
            return false;
        release.Note(stored.size());
        idsKnown = found && StoredTaskIds(stored, storedIds);
    }
    pugi::xml_document doc;
    std::string refusal;
    if (ReadRequestDocument(TextArg(r, "projectData"), "PROJECT", doc, refusal) != DocFault::None) {
        Answer(out, 1, "Reply", refusal);
        return true;
    }
    if (!found) {
        Answer(out, 1, "Reply", "项目不存在!");
        return true;
    }
    pugi::xml_node project = doc.document_element();
    std::vector<TaskEntry> tasks;
    ListTasks(project, tasks);
    std::unordered_set<long> kept;
    if (!CheckSave(tasks, idsKnown ? &storedIds : nullptr, kept, refusal)) {
        Answer(out, 1, "Reply", refusal);
        return true;
    }
    std::unordered_set<long>().swap(storedIds);
    std::string reply = "<TASKIDS>";
    if (projectId == 0) {
        if (!m_db.TakeId("project", projectId))
            return false;
        reply += "<TASKID><ID>" + std::to_string(projectId) + "</ID><ROW>0</ROW><ISSUBPROJ>0</ISSUBPROJ>"
                 "<SUBPROJID>0</SUBPROJID></TASKID>";
    }
    SetLeaf(project, "ID", std::to_string(projectId));
    if (project.child("FLAG"))
        SetLeaf(project, "FLAG", "0");
    CTaskIds ids(m_db, kept);
    if (!ApplySave(tasks, projectId, ids, reply))
        return false;
    reply += "</TASKIDS>";
    if (!WithinDepth(project)) {
        Answer(out, 1, "Reply", kRefusedTooDeep);
        return true;
    }
    // The tree goes before the text is stored: the two need not be held together with the
    // database's copy.
    std::string canonical = WriteCanonical(doc);
    doc.reset();
    if (!m_db.PutProject(projectId, canonical))
        return false;
    Answer(out, 0, "Reply", reply);
    return true;
}

bool COperations::GetCalendar(const SoapMessage& r, SoapValues& out)
{
    long id = NumberArg(r, "projectId");
    std::string xml;
    bool found = false, hasCalendar = false;
    if (!m_db.HasProject(id, found) || !m_db.GetCalendar(id, xml, hasCalendar))
        return false;
    if (!found)
        Answer(out, 1, "CalendarData", "");
    else
        Answer(out, 0, "CalendarData", hasCalendar ? xml : std::string(kDefaultCalendar));
    return true;
}

bool COperations::SaveCalendar(const SoapMessage& r, SoapValues& out)
{
    long id = NumberArg(r, "projectId");
    bool found = false;
    if (!m_db.HasProject(id, found))
        return false;
    pugi::xml_document doc;
    std::string error;
    if (!found || !ParseRoot(Arg(r, "calendarData"), "CALENDAR", doc, error)) {
        Answer(out, 1);
        return true;
    }
    if (!m_db.PutCalendar(id, Arg(r, "calendarData")))
        return false;
    Answer(out, 0);
    return true;
}

bool COperations::GetUsersPermission(const SoapMessage& r, SoapValues& out)
{
    long id = NumberArg(r, "projectId");
    std::string xml;
    bool found = false, hasPerm = false;
    if (!m_db.HasProject(id, found) || !m_db.GetPermissions(id, xml, hasPerm))
        return false;
    if (!found)
        Answer(out, 1, "PermissionData", "");
    else
        Answer(out, 0, "PermissionData", hasPerm ? xml : std::string("<PERMISSIONS></PERMISSIONS>"));
    return true;
}

bool COperations::SaveUsersPermission(const SoapMessage& r, SoapValues& out)
{
    long id = NumberArg(r, "projectId");
    bool found = false;
    if (!m_db.HasProject(id, found))
        return false;
    pugi::xml_document doc;
    std::string error;
    if (!found || !ParseRoot(Arg(r, "permissionData"), "PERMISSIONS", doc, error)) {
        Answer(out, 1);
        return true;
    }
    if (!m_db.PutPermissions(id, Arg(r, "permissionData")))
        return false;
    Answer(out, 0);
    return true;
}

bool COperations::GetResources(const SoapMessage&, SoapValues& out)
{
    std::string xml;
    if (!m_db.GetResources(xml))
        return false;
    Answer(out, 0, "ResourceData", xml);
    return true;
}

// Adds one TASK to its project (ENTIREPROJID), under the task `parentTaskId` when there is
// one, else at the top level; the members the request carries are not stored with it.
bool COperations::NewTask(const SoapMessage& r, SoapValues& out)
{
    CReleaseFreedMemory release(TextArg(r, "taskData").size());
    pugi::xml_document request;
    std::string error;
    if (ReadRequestDocument(TextArg(r, "taskData"), "TASK", request, error) != DocFault::None) {
        Answer(out, 1, "TaskId", "-1");
        return true;
    }
    pugi::xml_node task = request.document_element();
    const long projectId = ParseTaskId(TextOf(task.child("ENTIREPROJID")));
    std::string stored;
    bool found = false;
    if (projectId > 0 && !m_db.GetProject(projectId, stored, found))
        return false;
    release.Note(stored.size());
    pugi::xml_document doc;
    if (!found || !ParseStored(stored, doc, error)) {
        Answer(out, 1, "TaskId", "-1");
        return true;
    }
    stored = std::string();
    long taskId = 0;
    switch (AddTask(doc.document_element(), task, NumberArg(r, "parentTaskId"), m_db, taskId)) {
    case NewTaskOutcome::StoreFailed: return false;
    case NewTaskOutcome::Refused: Answer(out, 1, "TaskId", "-1"); return true;
    case NewTaskOutcome::Added: break;
    }
    std::string canonical = WriteCanonical(doc);
    doc.reset();
    if (!m_db.PutProject(projectId, canonical))
        return false;
    Answer(out, 0, "TaskId", std::to_string(taskId));
    return true;
}

}  // namespace projectserver
