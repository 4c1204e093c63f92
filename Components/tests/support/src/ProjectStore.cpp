// The operations of the loopback project server.
#include "ProjectStore.h"

#include "CanonicalXml.h"

#include <ProjectService/SoapProtocol.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <vector>

namespace loopback {

namespace {

using projectsoap::SoapMessage;
using projectsoap::SoapValues;

const char* const kDefaultCalendar = "<CALENDAR><CALID>0</CALID><CALNAME></CALNAME><CALBASEID>-2</CALBASEID>"
                                     "<RESCODE></RESCODE><CALDATA></CALDATA></CALENDAR>";

std::string Arg(const SoapMessage& r, const char* name)
{
    const std::string* v = r.Find(name);
    return v ? *v : std::string();
}

long NumberArg(const SoapMessage& r, const char* name) { return std::atol(Arg(r, name).c_str()); }

void Answer(SoapValues& out, long result) { out.push_back({"Result", std::to_string(result)}); }

void Answer(SoapValues& out, long result, const char* name, const std::string& value)
{
    Answer(out, result);
    out.push_back({name, value});
}

// Sets a leaf's text, adding the leaf at the end when there is none.
void SetLeaf(pugi::xml_node parent, const char* name, const std::string& value)
{
    pugi::xml_node leaf = parent.child(name);
    if (!leaf)
        leaf = parent.append_child(name);
    SetText(leaf, value);
}

// TASK elements of a project in document order, with their parent TASK (or none): the
// tasks of PROJECT/TASKS, those directly under PROJECT, and nested TASK/TASKS/TASK.
void CollectTasks(pugi::xml_node container, pugi::xml_node parentTask,
                  std::vector<std::pair<pugi::xml_node, pugi::xml_node>>& tasks)
{
    for (pugi::xml_node n = container.first_child(); n; n = n.next_sibling()) {
        if (n.type() != pugi::node_element)
            continue;
        if (std::strcmp(n.name(), "TASK") == 0) {
            tasks.emplace_back(n, parentTask);
            CollectTasks(n, n, tasks);
        } else if (std::strcmp(n.name(), "TASKS") == 0) {
            CollectTasks(n, parentTask, tasks);
        }
    }
}

pugi::xml_node FindTask(pugi::xml_node project, long taskId)
{
    std::vector<std::pair<pugi::xml_node, pugi::xml_node>> tasks;
    CollectTasks(project, pugi::xml_node(), tasks);
    for (auto& t : tasks) {
        if (NumberOf(t.first.child("TASKID")) == taskId)
            return t.first;
    }
    return pugi::xml_node();
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
    if (!ParseStored(xml, doc, error))
        return false;
    if (std::strcmp(doc.document_element().name(), rootName) != 0) {
        error = std::string("the document element is not ") + rootName;
        return false;
    }
    return true;
}

} // namespace

bool ProjectStore::Execute(const SoapMessage& request, SoapValues& results, std::string& error)
{
    typedef void (ProjectStore::*Handler)(const SoapMessage&, SoapValues&);
    static const std::pair<const char*, Handler> kHandlers[] = {
        {"Login", &ProjectStore::Login},
        {"GetProjectList", &ProjectStore::GetProjectList},
        {"GetProjectData", &ProjectStore::GetProjectData},
        {"NewProject", &ProjectStore::NewProject},
        {"DeleteProject", &ProjectStore::DeleteProject},
        {"SetProjectStatus", &ProjectStore::SetProjectStatus},
        {"SaveProject", &ProjectStore::SaveProject},
        {"GetCalendar", &ProjectStore::GetCalendar},
        {"SaveCalendar", &ProjectStore::SaveCalendar},
        {"GetUsersPermission", &ProjectStore::GetUsersPermission},
        {"SaveUsersPermission", &ProjectStore::SaveUsersPermission},
        {"GetResources", &ProjectStore::GetResources},
        {"NewTask", &ProjectStore::NewTask},
    };
    const projectsoap::OperationInfo* info = projectsoap::FindOperation(request.name.c_str());
    if (!info) {
        error = "unknown operation " + request.name;
        return false;
    }
    for (int i = 0; i < info->argumentCount; ++i) {
        if (!request.Find(info->arguments[i])) {
            error = request.name + " lacks the argument " + info->arguments[i];
            return false;
        }
    }
    for (const auto& h : kHandlers) {
        if (request.name == h.first) {
            results.clear();
            (this->*h.second)(request, results);
            return true;
        }
    }
    error = "unknown operation " + request.name;
    return false;
}

bool ProjectStore::PutProject(long id, const std::string& xml, std::string& error)
{
    pugi::xml_document doc;
    if (!ParseRoot(xml, "PROJECT", doc, error))
        return false;
    SetLeaf(doc.document_element(), "ID", std::to_string(id));
    projects[id] = WriteCanonical(doc);
    return true;
}

void ProjectStore::Login(const SoapMessage& r, SoapValues& out)
{
    std::string reply;
    if (loginServerError) {
        reply = "SERVER ERROR";
    } else {
        auto it = users.find(Arg(r, "userCode"));
        if (it != users.end() && it->second.password == Arg(r, "password"))
            reply = it->second.reply;
    }
    out.push_back({"Reply", reply});
}

void ProjectStore::GetProjectList(const SoapMessage& r, SoapValues& out)
{
    std::string user = Arg(r, "userCode");
    std::string list = "<PROJECTS>";
    for (const auto& p : projects) {
        pugi::xml_document doc;
        std::string error;
        if (!ParseStored(p.second, doc, error))
            continue;
        pugi::xml_node project = doc.document_element();
        auto perm = permissions.find(p.first);
        if (!IsMember(project, user) && !(perm != permissions.end() && HasPermissionRecord(perm->second, user)))
            continue;
        list += "<PROJ><ID>" + std::to_string(p.first) + "</ID><NAME>" + EscapeText(TextOf(project.child("NAME"))) +
                "</NAME><STATUS>" + std::to_string(NumberOf(project.child("STATUS"))) + "</STATUS><CREATIONDATE>" +
                EscapeText(TextOf(project.child("CREATIONDATE"))) + "</CREATIONDATE></PROJ>";
    }
    list += "</PROJECTS>";
    Answer(out, 0, "ProjectList", list);
}

void ProjectStore::GetProjectData(const SoapMessage& r, SoapValues& out)
{
    auto it = projects.find(NumberArg(r, "projectId"));
    if (it == projects.end())
        Answer(out, 1, "ProjectData", "");
    else
        Answer(out, 0, "ProjectData", it->second);
}

void ProjectStore::NewProject(const SoapMessage& r, SoapValues& out)
{
    pugi::xml_document doc;
    std::string error;
    if (!ParseRoot(Arg(r, "projectData"), "PROJECT", doc, error)) {
        Answer(out, 1, "ProjectId", "-1");
        return;
    }
    long id = nextProjectId++;
    pugi::xml_node project = doc.document_element();
    SetLeaf(project, "ID", std::to_string(id));
    if (project.child("FLAG"))
        SetLeaf(project, "FLAG", "0");
    projects[id] = WriteCanonical(doc);
    Answer(out, 0, "ProjectId", std::to_string(id));
}

void ProjectStore::DeleteProject(const SoapMessage& r, SoapValues& out)
{
    long id = NumberArg(r, "projectId");
    if (projects.erase(id) == 0) {
        Answer(out, 1);
        return;
    }
    calendars.erase(id);
    permissions.erase(id);
    Answer(out, 0);
}

void ProjectStore::SetProjectStatus(const SoapMessage& r, SoapValues& out)
{
    auto it = projects.find(NumberArg(r, "projectId"));
    pugi::xml_document doc;
    std::string error;
    if (it == projects.end() || !ParseStored(it->second, doc, error)) {
        Answer(out, 1);
        return;
    }
    SetLeaf(doc.document_element(), "STATUS", std::to_string(NumberArg(r, "status")));
    it->second = WriteCanonical(doc);
    Answer(out, 0);
}

// Stores the project: new tasks (FLAG 1, or no id yet) get ids, removed tasks (FLAG 3)
// leave it, links name their predecessors by task id instead of grid row, FLAGs become 0.
// The reply lists, by grid row, the ids given (row 0: the project's own new id).
void ProjectStore::SaveProject(const SoapMessage& r, SoapValues& out)
{
    pugi::xml_document doc;
    std::string error;
    if (!ParseRoot(Arg(r, "projectData"), "PROJECT", doc, error)) {
        Answer(out, 1, "Reply", "项目数据无法读取: " + error);
        return;
    }
    long projectId = NumberArg(r, "projectId");
    std::string reply = "<TASKIDS>";
    if (projectId == 0) {
        projectId = nextProjectId++;
        reply += "<TASKID><ID>" + std::to_string(projectId) + "</ID><ROW>0</ROW><ISSUBPROJ>0</ISSUBPROJ>"
                 "<SUBPROJID>0</SUBPROJID></TASKID>";
    } else if (projects.find(projectId) == projects.end()) {
        Answer(out, 1, "Reply", "项目不存在!");
        return;
    }
    pugi::xml_node project = doc.document_element();
    SetLeaf(project, "ID", std::to_string(projectId));
    if (project.child("FLAG"))
        SetLeaf(project, "FLAG", "0");

    std::vector<std::pair<pugi::xml_node, pugi::xml_node>> tasks;
    CollectTasks(project, pugi::xml_node(), tasks);
    std::vector<pugi::xml_node> removed;
    std::map<long, long> idByRow;
    for (auto& t : tasks) {
        pugi::xml_node task = t.first;
        long flag = NumberOf(task.child("FLAG"));
        bool insideRemoved = false;
        for (pugi::xml_node p = t.second; p; p = p.parent()) {
            if (p.type() == pugi::node_element && std::strcmp(p.name(), "TASK") == 0 &&
                NumberOf(p.child("FLAG")) == 3)
                insideRemoved = true;
        }
        if (insideRemoved)
            continue; // leaves with its removed ancestor
        if (flag == 3) {
            removed.push_back(task);
            continue;
        }
        long taskId = NumberOf(task.child("TASKID"));
        if (flag == 1 || taskId == 0) {
            taskId = nextTaskId++;
            SetLeaf(task, "TASKID", std::to_string(taskId));
            reply += "<TASKID><ID>" + std::to_string(taskId) + "</ID><ROW>" +
                     std::to_string(NumberOf(task.child("ROWINGRID"))) + "</ROW><ISSUBPROJ>" +
                     std::to_string(NumberOf(task.child("ISSUBPROJ"))) + "</ISSUBPROJ><SUBPROJID>" +
                     std::to_string(NumberOf(task.child("SUBPROJID"))) + "</SUBPROJID></TASKID>";
        }
        long row = NumberOf(task.child("ROWINGRID"));
        if (row > 0)
            idByRow[row] = taskId;
        if (task.child("ENTIREPROJID"))
            SetLeaf(task, "ENTIREPROJID", std::to_string(projectId));
        if (task.child("PARENTID"))
            SetLeaf(task, "PARENTID", std::to_string(t.second ? NumberOf(t.second.child("TASKID")) : 0));
        if (task.child("FLAG"))
            SetLeaf(task, "FLAG", "0");
    }
    for (auto& t : tasks) {
        if (NumberOf(t.first.child("FLAG")) == 3)
            continue;
        for (pugi::xml_node link = t.first.child("LINKS").child("LINK"); link; link = link.next_sibling("LINK")) {
            pugi::xml_node pred = link.child("PREDID");
            auto it = idByRow.find(NumberOf(pred));
            if (pred && it != idByRow.end())
                SetText(pred, std::to_string(it->second));
        }
    }
    for (pugi::xml_node task : removed) {
        pugi::xml_node container = task.parent();
        container.remove_child(task);
        if (std::strcmp(container.name(), "TASKS") == 0 && !container.find_child([](pugi::xml_node n) {
                return n.type() == pugi::node_element;
            }))
            container.parent().remove_child(container);
    }
    reply += "</TASKIDS>";
    projects[projectId] = WriteCanonical(doc);
    Answer(out, 0, "Reply", reply);
}

void ProjectStore::GetCalendar(const SoapMessage& r, SoapValues& out)
{
    long id = NumberArg(r, "projectId");
    if (projects.find(id) == projects.end()) {
        Answer(out, 1, "CalendarData", "");
        return;
    }
    auto it = calendars.find(id);
    Answer(out, 0, "CalendarData", it == calendars.end() ? std::string(kDefaultCalendar) : it->second);
}

void ProjectStore::SaveCalendar(const SoapMessage& r, SoapValues& out)
{
    long id = NumberArg(r, "projectId");
    pugi::xml_document doc;
    std::string error;
    if (projects.find(id) == projects.end() || !ParseRoot(Arg(r, "calendarData"), "CALENDAR", doc, error)) {
        Answer(out, 1);
        return;
    }
    calendars[id] = Arg(r, "calendarData");
    Answer(out, 0);
}

void ProjectStore::GetUsersPermission(const SoapMessage& r, SoapValues& out)
{
    long id = NumberArg(r, "projectId");
    if (projects.find(id) == projects.end()) {
        Answer(out, 1, "PermissionData", "");
        return;
    }
    auto it = permissions.find(id);
    Answer(out, 0, "PermissionData", it == permissions.end() ? std::string("<PERMISSIONS></PERMISSIONS>") : it->second);
}

void ProjectStore::SaveUsersPermission(const SoapMessage& r, SoapValues& out)
{
    long id = NumberArg(r, "projectId");
    pugi::xml_document doc;
    std::string error;
    if (projects.find(id) == projects.end() || !ParseRoot(Arg(r, "permissionData"), "PERMISSIONS", doc, error)) {
        Answer(out, 1);
        return;
    }
    permissions[id] = Arg(r, "permissionData");
    Answer(out, 0);
}

void ProjectStore::GetResources(const SoapMessage&, SoapValues& out) { Answer(out, 0, "ResourceData", resources); }

// Adds one TASK to its project (ENTIREPROJID), under the task `parentTaskId` when there is
// one, else at the top level; the members the request carries are not stored with it.
void ProjectStore::NewTask(const SoapMessage& r, SoapValues& out)
{
    pugi::xml_document request;
    std::string error;
    if (!ParseRoot(Arg(r, "taskData"), "TASK", request, error)) {
        Answer(out, 1, "TaskId", "-1");
        return;
    }
    pugi::xml_node task = request.document_element();
    long projectId = NumberOf(task.child("ENTIREPROJID"));
    auto it = projects.find(projectId);
    pugi::xml_document doc;
    if (it == projects.end() || !ParseStored(it->second, doc, error)) {
        Answer(out, 1, "TaskId", "-1");
        return;
    }
    long taskId = nextTaskId++;
    long parentTaskId = NumberArg(r, "parentTaskId");
    pugi::xml_node parent = parentTaskId >= 0 ? FindTask(doc.document_element(), parentTaskId) : pugi::xml_node();
    SetLeaf(task, "TASKID", std::to_string(taskId));
    SetLeaf(task, "PARENTID", std::to_string(parent ? parentTaskId : 0));
    SetLeaf(task, "FLAG", "0");
    while (task.child("MEMBERS"))
        task.remove_child("MEMBERS");
    pugi::xml_node container = parent ? parent : doc.document_element();
    pugi::xml_node list = container.child("TASKS");
    if (!list)
        list = container.append_child("TASKS");
    list.append_copy(task);
    it->second = WriteCanonical(doc);
    Answer(out, 0, "TaskId", std::to_string(taskId));
}

} // namespace loopback
