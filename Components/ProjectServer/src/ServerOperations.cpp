// The operations of the project server over its database.
#include "ServerOperations.h"

#include "ServerTasks.h"
#include "ServerXml.h"

#include <algorithm>
#include <cerrno>
#include <climits>
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

bool ParseRoot(const std::string& xml, const char* rootName, pugi::xml_document& doc, std::string& error)
{
    return ReadRequestDocument(xml, rootName, doc, error) == DocFault::None;
}

// A whole number with an optional sign and nothing else: in the 64-bit range for ids (the
// server's counters are 64-bit), else in the 32-bit range.
bool IsWholeNumber(const std::string& text, bool isId)
{
    size_t i = (!text.empty() && (text[0] == '-' || text[0] == '+')) ? 1 : 0;
    if (i >= text.size() || text.size() - i > 19)
        return false;
    for (size_t k = i; k < text.size(); ++k)
        if (text[k] < '0' || text[k] > '9')
            return false;
    errno = 0;
    long long v = std::strtoll(text.c_str(), nullptr, 10);
    if (errno == ERANGE)
        return false;
    return isId || (v >= -2147483648LL && v <= 2147483647LL);
}

bool IsIdField(const char* name)
{
    return std::strcmp(name, "projectId") == 0 || std::strcmp(name, "parentTaskId") == 0;
}

const char kNoRightToSave[] = "您没有保存此项目的权限，本次保存未被服务器接受。";

// Tries of a change over the stored text when another change lands in between.
const int kChangeTries = 8;

}  // namespace

const char kStaleSaveText[] = "此项目在您打开后已被其他用户保存，本次保存未被服务器接受。"
                              "您的修改仍在窗口中，可另存为本地文件。";

COperations::Outcome COperations::CheckArguments(const SoapRequest& request, std::string& error)
{
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
        if (IsNumberField(operation->args[i]) && !IsWholeNumber(*value, IsIdField(operation->args[i]))) {
            error = std::string("the argument ") + operation->args[i] + " of " + request.operation +
                    " must be a whole number, not \"" + *value + "\"";
            return BadRequest;
        }
    }
    return Done;
}

COperations::Outcome COperations::Execute(const SoapRequest& request, CallContext& context,
                                          std::vector<SoapArg>& results, std::string& error)
{
    static const std::pair<const char*, Handler> kHandlers[] = {
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
    Outcome checked = CheckArguments(request, error);
    if (checked != Done)
        return checked;
    Handler handler = nullptr;
    for (const auto& h : kHandlers)
        if (request.operation == h.first)
            handler = h.second;
    if (!handler) {
        error = "unknown operation " + request.operation;
        return BadRequest;
    }
    // The caller is the session's user; a request naming another one is refused.
    const std::string* userCode = request.Find("userCode");
    if (context.user.empty() || (userCode && *userCode != context.user))
        return Unauthorized;
    // Texts that could not be served back are refused before any handler reads them.
    if (RefuseUnreadableText(request, results))
        return Done;
    m_call = &context;
    const bool ok = (this->*handler)(request, results);
    m_call = nullptr;
    if (!ok) {
        error = "the project database failed: " + m_db.LastError();
        m_db.Rollback();
        results.clear();
        context.etag.clear();
        return StoreFailed;
    }
    return Done;
}

bool COperations::TakeProjectId(long& id)
{
    if (m_db.TakeId("project", id))
        return true;
    // The counter is used up (or the database failed, and storing fails as well): the
    // smallest id no project has.
    std::vector<long> ids;
    if (!m_db.ProjectIds(ids))
        return false;
    std::sort(ids.begin(), ids.end());
    id = 1;
    for (long used : ids) {
        if (used > id)
            break;
        if (used == id)
            ++id;
    }
    return id <= INT_MAX;
}

ProjectHead COperations::HeadOf(const pugi::xml_node& project)
{
    ProjectHead head;
    head.name = TextOf(project.child("NAME"));
    head.status = NumberOf(project.child("STATUS"));
    head.creationDate = TextOf(project.child("CREATIONDATE"));
    return head;
}

std::vector<ProjectAccess> COperations::AccessOf(const pugi::xml_node& permissions)
{
    // As the client reads them: each PERMISSION a fresh record, an empty OPENPROJ,
    // PUBLISHPROJ, DELETEPROJ or MODIFYPROGRESS 0, an empty LOOKPROGRESS or FORUM 1.
    static const char* const kNames[kRightKinds] = {"OPENPROJ",       "PUBLISHPROJ",  "DELETEPROJ",
                                                    "MODIFYPROGRESS", "LOOKPROGRESS", "FORUM"};
    std::vector<ProjectAccess> access;
    for (pugi::xml_node p = permissions.child("PERMISSION"); p; p = p.next_sibling("PERMISSION")) {
        ProjectAccess a;
        for (pugi::xml_node f = p.first_child(); f; f = f.next_sibling()) {
            if (f.type() != pugi::node_element)
                continue;
            if (std::strcmp(f.name(), "RESCODE") == 0) {
                a.user = TextOf(f);
                continue;
            }
            for (int k = 0; k < kRightKinds; ++k)
                if (std::strcmp(f.name(), kNames[k]) == 0)
                    a.rights[k] = TextOf(f).empty() ? (k >= kRightLookProgress ? 1 : 0) : NumberOf(f);
        }
        access.push_back(a);
    }
    return access;
}

bool COperations::RightsOf(long id, ProjectHead& head, ProjectAccess& rights, bool& found)
{
    const std::string& user = m_call->user;
    if (!m_db.GetHead(id, head, found))
        return false;
    rights = ProjectAccess();
    if (!found)
        return true;
    if (!head.creator.empty() && head.creator == user) {
        for (long& r : rights.rights)
            r = 1;
        return true;
    }
    bool hasRecord = false;
    return m_db.GetAccess(id, user, rights, hasRecord);
}

bool COperations::FillUpgradeRows()
{
    std::vector<long> ids;
    if (!m_db.ProjectIds(ids))
        return false;
    for (long id : ids) {
        std::string xml, perm;
        bool found = false, hasPerm = false;
        if (!m_db.GetProject(id, xml, found) || !m_db.GetPermissions(id, perm, hasPerm))
            return false;
        pugi::xml_document doc;
        std::string error;
        // A damaged text keeps a header row (without a name): it is listed and can be
        // deleted or saved over.
        ProjectHead head = ParseStored(xml, doc, error) ? HeadOf(doc.document_element()) : ProjectHead();
        head.revision = 1;
        if (!m_db.PutHead(id, head))
            return false;
        pugi::xml_document permDoc;
        if (hasPerm && ParseStored(perm, permDoc, error) && !m_db.PutAccess(id, AccessOf(permDoc.document_element())))
            return false;
    }
    return true;
}

bool COperations::PutProject(long id, const std::string& xml, std::string& error)
{
    pugi::xml_document doc;
    if (!ParseRoot(xml, "PROJECT", doc, error))
        return false;
    SetLeaf(doc.document_element(), "ID", std::to_string(id));
    if (!m_db.AddProject(id, WriteCanonical(doc), HeadOf(doc.document_element()))) {
        error = m_db.LastError();
        return false;
    }
    return true;
}

bool COperations::GetProjectList(const SoapMessage&, SoapValues& out)
{
    std::vector<ListedProject> projects;
    if (!m_db.ListProjects(m_call->user, projects))
        return false;
    std::string list = "<PROJECTS>";
    for (const ListedProject& p : projects)
        list += "<PROJ><ID>" + std::to_string(p.id) + "</ID><NAME>" + EscapeText(p.name) + "</NAME><STATUS>" +
                std::to_string(p.status) + "</STATUS><CREATIONDATE>" + EscapeText(p.creationDate) +
                "</CREATIONDATE></PROJ>";
    list += "</PROJECTS>";
    Answer(out, 0, "ProjectList", list);
    return true;
}

bool COperations::GetProjectData(const SoapMessage& r, SoapValues& out)
{
    long id = NumberArg(r, "projectId");
    ProjectHead head;
    ProjectAccess rights;
    bool found = false;
    if (!RightsOf(id, head, rights, found))
        return false;
    std::string xml;
    long revision = 0;
    if (found && rights.rights[kRightOpen] && !m_db.GetProjectRevision(id, xml, revision, found))
        return false;
    if (!found || !rights.rights[kRightOpen]) {
        Answer(out, 1, "ProjectData", "");
        return true;
    }
    m_call->etag = std::to_string(revision);
    Answer(out, 0, "ProjectData", std::move(xml));
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
    pugi::xml_node project = doc.document_element();
    // Tasks a new project's text may carry keep ids in range that it names once; new ones
    // (FLAG 1 or no id) get ids of the server's; nothing the server's readers would refuse
    // is stored.
    std::vector<TaskEntry> tasks;
    ListTasks(project, tasks);
    std::unordered_set<long> named, kept;
    for (const TaskEntry& t : tasks) {
        const long taskId = ParseTaskId(TextOf(t.task.child("TASKID")));
        if (taskId > 0)
            named.insert(taskId);
    }
    std::string refusal;
    if (!CheckSave(tasks, &named, kept, refusal) || !WithinDepth(project)) {
        Answer(out, 1, "ProjectId", "-1");
        return true;
    }
    long id = 0;
    if (!TakeProjectId(id))
        return false;
    SetLeaf(project, "ID", std::to_string(id));
    if (project.child("FLAG"))
        SetLeaf(project, "FLAG", "0");
    CTaskIds ids(m_db, kept);
    std::string given;
    if (!ApplySave(tasks, id, ids, given))
        return false;
    ProjectHead head = HeadOf(project);
    head.creator = m_call->user;
    const std::string text = WriteCanonical(doc);
    if (!InTransaction(m_db, [&] { return m_db.AddProject(id, text, head); }))
        return false;
    m_call->etag = "1";
    Answer(out, 0, "ProjectId", std::to_string(id));
    return true;
}

bool COperations::DeleteProject(const SoapMessage& r, SoapValues& out)
{
    long id = NumberArg(r, "projectId");
    ProjectHead head;
    ProjectAccess rights;
    bool found = false;
    if (!RightsOf(id, head, rights, found))
        return false;
    if (!found || !rights.rights[kRightOpen] || !rights.rights[kRightDelete]) {
        Answer(out, 1);
        return true;
    }
    if (!InTransaction(m_db, [&] { return m_db.DeleteProject(id, found); }))
        return false;
    Answer(out, found ? 0 : 1);
    return true;
}

bool COperations::SetProjectStatus(const SoapMessage& r, SoapValues& out)
{
    long id = NumberArg(r, "projectId");
    ProjectHead head;
    ProjectAccess rights;
    bool found = false;
    if (!RightsOf(id, head, rights, found))
        return false;
    if (!found || !rights.rights[kRightOpen] || !rights.rights[kRightPublish]) {
        Answer(out, 1);
        return true;
    }
    // Read, changed and written back over the revision read; another change in between
    // sends it round again.
    for (int attempt = 0; attempt < kChangeTries; ++attempt) {
        std::string xml;
        long base = 0;
        if (!m_db.GetProjectRevision(id, xml, base, found))
            return false;
        pugi::xml_document doc;
        std::string error;
        if (!found || !ParseStored(xml, doc, error)) {
            Answer(out, 1);
            return true;
        }
        SetLeaf(doc.document_element(), "STATUS", std::to_string(NumberArg(r, "status")));
        const std::string text = WriteCanonical(doc);
        const ProjectHead changed = HeadOf(doc.document_element());
        long revision = 0;
        bool matched = false;
        if (!InTransaction(m_db, [&] { return m_db.ReplaceProject(id, text, changed, base, revision, matched); }))
            return false;
        if (matched) {
            if (m_call->ifMatch == std::to_string(base))
                m_call->etag = std::to_string(revision);
            Answer(out, 0);
            return true;
        }
    }
    return false;
}

// Stores the project: new tasks (FLAG 1, or no id yet) get ids, removed tasks (FLAG 3)
// leave it, links name their predecessors by task id instead of grid row, FLAGs become 0.
// The reply lists, by grid row, the ids given (row 0: the project's own new id). Ids,
// texts and depth are checked before anything is stored (ServerTasks.h).
bool COperations::SaveProject(const SoapMessage& r, SoapValues& out)
{
    CReleaseFreedMemory release(TextArg(r, "projectData").size());
    long projectId = NumberArg(r, "projectId");
    // A stored project: the caller's right and the revision the save started from are
    // checked before its text is read.
    long base = 0;
    std::unordered_set<long> storedIds;
    bool idsKnown = false;
    if (projectId != 0) {
        ProjectHead head;
        ProjectAccess rights;
        bool found = false;
        if (!RightsOf(projectId, head, rights, found))
            return false;
        if (!found || !rights.rights[kRightOpen]) {
            Answer(out, 1, "Reply", "项目不存在!");
            return true;
        }
        if (!rights.rights[kRightPublish]) {
            Answer(out, 1, "Reply", kNoRightToSave);
            return true;
        }
        if (m_call->ifMatch != std::to_string(head.revision)) {
            Answer(out, 1, "Reply", kStaleSaveText);
            return true;
        }
        base = head.revision;
        // The stored project's ids first, its tree gone before the request's is built: the two
        // are never held together.
        std::string stored;
        bool storedFound = false;
        if (!m_db.GetProject(projectId, stored, storedFound))
            return false;
        release.Note(stored.size());
        idsKnown = storedFound && StoredTaskIds(stored, storedIds);
    }
    pugi::xml_document doc;
    std::string refusal;
    if (ReadRequestDocument(TextArg(r, "projectData"), "PROJECT", doc, refusal) != DocFault::None) {
        Answer(out, 1, "Reply", refusal);
        return true;
    }
    const bool isNew = projectId == 0;
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
    if (isNew) {
        if (!TakeProjectId(projectId))
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
    ProjectHead head = HeadOf(project);
    head.creator = m_call->user;
    // The tree goes before the text is stored: the two need not be held together with the
    // database's copy.
    const std::string text = WriteCanonical(doc);
    doc.reset();
    long revision = 1;
    bool matched = true;
    if (!InTransaction(m_db, [&] {
            return isNew ? m_db.AddProject(projectId, text, head)
                         : m_db.ReplaceProject(projectId, text, head, base, revision, matched);
        }))
        return false;
    if (!matched) {
        // Saved by someone else since the check above (or deleted): nothing is stored.
        Answer(out, 1, "Reply", kStaleSaveText);
        return true;
    }
    m_call->etag = std::to_string(revision);
    Answer(out, 0, "Reply", reply);
    return true;
}

bool COperations::GetCalendar(const SoapMessage& r, SoapValues& out)
{
    long id = NumberArg(r, "projectId");
    ProjectHead head;
    ProjectAccess rights;
    bool found = false, hasCalendar = false;
    if (!RightsOf(id, head, rights, found))
        return false;
    std::string xml;
    if (!found || !rights.rights[kRightOpen]) {
        Answer(out, 1, "CalendarData", "");
        return true;
    }
    if (!m_db.GetCalendar(id, xml, hasCalendar))
        return false;
    Answer(out, 0, "CalendarData", hasCalendar ? xml : std::string(kDefaultCalendar));
    return true;
}

bool COperations::SaveCalendar(const SoapMessage& r, SoapValues& out)
{
    long id = NumberArg(r, "projectId");
    ProjectHead head;
    ProjectAccess rights;
    bool found = false;
    if (!RightsOf(id, head, rights, found))
        return false;
    pugi::xml_document doc;
    std::string error;
    if (!found || !rights.rights[kRightOpen] || !rights.rights[kRightPublish] ||
        !ParseRoot(Arg(r, "calendarData"), "CALENDAR", doc, error)) {
        Answer(out, 1);
        return true;
    }
    if (!InTransaction(m_db, [&] { return m_db.PutCalendar(id, Arg(r, "calendarData")); }))
        return false;
    Answer(out, 0);
    return true;
}

bool COperations::GetUsersPermission(const SoapMessage& r, SoapValues& out)
{
    long id = NumberArg(r, "projectId");
    ProjectHead head;
    ProjectAccess rights;
    bool found = false, hasPerm = false;
    if (!RightsOf(id, head, rights, found))
        return false;
    std::string xml;
    if (!found || !rights.rights[kRightOpen]) {
        Answer(out, 1, "PermissionData", "");
        return true;
    }
    if (!m_db.GetPermissions(id, xml, hasPerm))
        return false;
    Answer(out, 0, "PermissionData", hasPerm ? xml : std::string("<PERMISSIONS></PERMISSIONS>"));
    return true;
}

bool COperations::SaveUsersPermission(const SoapMessage& r, SoapValues& out)
{
    long id = NumberArg(r, "projectId");
    ProjectHead head;
    ProjectAccess rights;
    bool found = false;
    if (!RightsOf(id, head, rights, found))
        return false;
    pugi::xml_document doc;
    std::string error;
    if (!found || !rights.rights[kRightOpen] || !rights.rights[kRightPublish] ||
        !ParseRoot(Arg(r, "permissionData"), "PERMISSIONS", doc, error)) {
        Answer(out, 1);
        return true;
    }
    // The text and the rights rows the server decides by change together.
    const std::vector<ProjectAccess> access = AccessOf(doc.document_element());
    if (!InTransaction(m_db,
                       [&] { return m_db.PutPermissions(id, Arg(r, "permissionData")) && m_db.PutAccess(id, access); }))
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
    if (projectId <= 0) {
        Answer(out, 1, "TaskId", "-1");
        return true;
    }
    ProjectHead head;
    ProjectAccess rights;
    bool found = false;
    if (!RightsOf(projectId, head, rights, found))
        return false;
    if (!found || !rights.rights[kRightOpen] || !rights.rights[kRightPublish]) {
        Answer(out, 1, "TaskId", "-1");
        return true;
    }
    // Added to the stored text and written back over the revision read; another change in
    // between sends it round again.
    for (int attempt = 0; attempt < kChangeTries; ++attempt) {
        std::string stored;
        long base = 0;
        if (!m_db.GetProjectRevision(projectId, stored, base, found))
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
        const std::string text = WriteCanonical(doc);
        const ProjectHead changed = HeadOf(doc.document_element());
        doc.reset();
        long revision = 0;
        bool matched = false;
        if (!InTransaction(m_db,
                           [&] { return m_db.ReplaceProject(projectId, text, changed, base, revision, matched); }))
            return false;
        if (matched) {
            if (m_call->ifMatch == std::to_string(base))
                m_call->etag = std::to_string(revision);
            Answer(out, 0, "TaskId", std::to_string(taskId));
            return true;
        }
    }
    return false;
}

}  // namespace projectserver
