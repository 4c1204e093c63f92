// Request checks and the task work of saves and new tasks.
#include "ServerTasks.h"

#include "ServerText.h"
#include "ServerXml.h"

#include <climits>
#include <cstring>
#include <malloc.h>
#include <unordered_map>

namespace projectserver {

const char kRefusedEncoding[] = "项目数据中有不是有效编码的文字，本次保存未被服务器接受。";
const char kRefusedCharacter[] = "项目数据中有XML不能容纳的字符（如控制字符），本次保存未被服务器接受。";
const char kRefusedTooDeep[] = "项目数据的层次太深（超过1024层），本次保存未被服务器接受。";
const char kRefusedTaskId[] = "项目数据中有无效的任务编号，本次保存未被服务器接受。";

namespace {

bool IsElement(pugi::xml_node n, const char* name)
{
    return n.type() == pugi::node_element && std::strcmp(n.name(), name) == 0;
}

void SetLeaf(pugi::xml_node parent, const char* name, const std::string& value)
{
    pugi::xml_node leaf = parent.child(name);
    if (!leaf)
        leaf = parent.append_child(name);
    SetText(leaf, value);
}

}  // namespace

DocFault ReadRequestDocument(const std::string& xml, const char* root, pugi::xml_document& doc, std::string& reply)
{
    const TextCheck check = CheckMarkup(xml);
    if (!check) {
        reply = check.fault == TextFault::Encoding ? kRefusedEncoding : kRefusedCharacter;
        return DocFault::Text;
    }
    std::string error;
    bool tooDeep = false;
    if (!ParseStored(xml, doc, error, &tooDeep)) {
        reply = tooDeep ? std::string(kRefusedTooDeep) : "项目数据无法读取: " + error;
        return tooDeep ? DocFault::Depth : DocFault::Xml;
    }
    if (std::strcmp(doc.document_element().name(), root) != 0) {
        reply = std::string("项目数据无法读取: the document element is not ") + root;
        return DocFault::Xml;
    }
    return DocFault::None;
}

bool RefuseUnreadableText(const SoapRequest& request, std::vector<SoapArg>& results)
{
    if (request.unreadableText.empty())
        return false;
    const OperationSpec* operation = FindServiceOperation(request.operation);
    results.clear();
    for (int i = 0; operation && i < operation->resultCount; ++i) {
        const std::string name = operation->results[i];
        std::string value;
        if (name == "Result")
            value = "1";
        else if (name == "ProjectId" || name == "TaskId")
            value = "-1";
        else if (name == "Reply" && request.operation == "SaveProject")
            value = request.unreadableKind == TextFault::Encoding ? kRefusedEncoding : kRefusedCharacter;
        results.push_back({name, value});
    }
    return true;
}

long ParseTaskId(const std::string& text)
{
    if (text.empty())
        return 0;
    size_t i = 0;
    while (i + 1 < text.size() && text[i] == '0')
        ++i;
    if (text.size() - i > 10)
        return -1;
    long long value = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9')
            return -1;
        value = value * 10 + (text[i] - '0');
    }
    return value <= INT_MAX ? static_cast<long>(value) : -1;
}

void ListTasks(pugi::xml_node project, std::vector<TaskEntry>& tasks)
{
    tasks.clear();
    // The children still to visit of each open container, walked without recursion.
    struct Frame {
        pugi::xml_node next;
        int parent;
        bool removed;
        int depth;  // of the container's children
    };
    std::vector<Frame> open{{project.first_child(), -1, false, 1}};
    while (!open.empty()) {
        Frame& top = open.back();
        const pugi::xml_node n = top.next;
        if (!n) {
            open.pop_back();
            continue;
        }
        top.next = n.next_sibling();
        const Frame at = top;
        if (IsElement(n, "TASK")) {
            TaskEntry entry;
            entry.task = n;
            entry.parent = at.parent;
            entry.depth = at.depth;
            entry.flag = NumberOf(n.child("FLAG"));
            entry.insideRemoved = at.removed;
            tasks.push_back(entry);
            open.push_back({n.first_child(), static_cast<int>(tasks.size()) - 1, at.removed || entry.flag == 3,
                            at.depth + 1});
        } else if (IsElement(n, "TASKS")) {
            open.push_back({n.first_child(), at.parent, at.removed, at.depth + 1});
        }
    }
}

bool StoredTaskIds(const std::string& xml, std::unordered_set<long>& ids)
{
    ids.clear();
    pugi::xml_document doc;
    std::string error;
    if (!ParseStored(xml, doc, error))
        return false;
    std::vector<TaskEntry> tasks;
    ListTasks(doc.document_element(), tasks);
    for (const TaskEntry& t : tasks) {
        const long id = ParseTaskId(TextOf(t.task.child("TASKID")));
        if (id > 0)
            ids.insert(id);
    }
    return true;
}

bool CTaskIds::Take(long& id)
{
    while (!m_counterUsedUp) {
        if (!m_db.TakeId("task", id)) {
            // Used up (which the ODBC back end reports as a failed statement): the ids go on
            // below. Had the database itself failed, storing the project fails as well.
            m_counterUsedUp = true;
            break;
        }
        if (m_used.insert(id).second)
            return true;
    }
    while (m_next <= INT_MAX && m_used.count(m_next))
        ++m_next;
    if (m_next > INT_MAX)
        return false;
    id = m_next++;
    m_used.insert(id);
    return true;
}

bool CheckSave(std::vector<TaskEntry>& tasks, const std::unordered_set<long>* storedIds, std::unordered_set<long>& kept,
               std::string& reply)
{
    kept.clear();
    for (TaskEntry& t : tasks) {
        if (t.insideRemoved || t.flag == 3)
            continue;  // leaves the project
        // The save writes leaf texts into the task (two levels below it) and PREDID texts
        // into its links (four below).
        if (t.depth + (t.task.child("LINKS") ? 4 : 2) > kMaxXmlDepth) {
            reply = kRefusedTooDeep;
            return false;
        }
        if (!storedIds || t.flag == 1) {
            t.isNew = true;
            continue;
        }
        const long id = ParseTaskId(TextOf(t.task.child("TASKID")));
        if (id < 0) {
            reply = kRefusedTaskId;
            return false;
        }
        if (id == 0) {
            t.isNew = true;
            continue;
        }
        if (!storedIds->count(id)) {
            reply = "任务编号 " + std::to_string(id) + " 不属于此项目，本次保存未被服务器接受。";
            return false;
        }
        if (!kept.insert(id).second) {
            reply = "任务编号 " + std::to_string(id) + " 在项目数据中出现了不止一次，本次保存未被服务器接受。";
            return false;
        }
        t.id = id;
    }
    return true;
}

bool ApplySave(std::vector<TaskEntry>& tasks, long projectId, CTaskIds& ids, std::string& reply)
{
    std::unordered_map<long, long> idByRow;
    for (TaskEntry& t : tasks) {
        if (t.insideRemoved || t.flag == 3)
            continue;
        pugi::xml_node task = t.task;
        const long row = NumberOf(task.child("ROWINGRID"));
        if (t.isNew) {
            if (!ids.Take(t.id))
                return false;
            SetLeaf(task, "TASKID", std::to_string(t.id));
            reply += "<TASKID><ID>" + std::to_string(t.id) + "</ID><ROW>" + std::to_string(row) + "</ROW><ISSUBPROJ>" +
                     std::to_string(NumberOf(task.child("ISSUBPROJ"))) + "</ISSUBPROJ><SUBPROJID>" +
                     std::to_string(NumberOf(task.child("SUBPROJID"))) + "</SUBPROJID></TASKID>";
        }
        if (row > 0)
            idByRow[row] = t.id;
        if (task.child("ENTIREPROJID"))
            SetLeaf(task, "ENTIREPROJID", std::to_string(projectId));
        if (task.child("PARENTID"))
            SetLeaf(task, "PARENTID", std::to_string(t.parent >= 0 ? tasks[t.parent].id : 0));
        if (task.child("FLAG"))
            SetLeaf(task, "FLAG", "0");
    }
    for (const TaskEntry& t : tasks) {
        if (t.insideRemoved || t.flag == 3)
            continue;
        for (pugi::xml_node link = t.task.child("LINKS").child("LINK"); link; link = link.next_sibling("LINK")) {
            pugi::xml_node pred = link.child("PREDID");
            if (!pred)
                continue;
            auto it = idByRow.find(NumberOf(pred));
            if (it != idByRow.end())
                SetText(pred, std::to_string(it->second));
        }
    }
    // Removed tasks leave with their subtrees; a TASKS left without elements goes too, each
    // looked at once after all removals.
    std::vector<pugi::xml_node> emptied;
    std::unordered_set<pugi::xml_node_struct*> seen;
    for (const TaskEntry& t : tasks) {
        if (t.insideRemoved || t.flag != 3)
            continue;
        pugi::xml_node container = t.task.parent();
        container.remove_child(t.task);
        if (IsElement(container, "TASKS") && seen.insert(container.internal_object()).second)
            emptied.push_back(container);
    }
    for (pugi::xml_node container : emptied) {
        if (!container.find_child([](pugi::xml_node n) { return n.type() == pugi::node_element; }))
            container.parent().remove_child(container);
    }
    return true;
}

CReleaseFreedMemory::~CReleaseFreedMemory()
{
    // A document's nodes come in small blocks that stay with the allocator otherwise.
    if (m_large)
        malloc_trim(0);
}

NewTaskOutcome AddTask(pugi::xml_node project, pugi::xml_node task, long parentTaskId, CServerDatabase& db,
                       long& taskId)
{
    for (pugi::xml_node c = task.first_child(); c; c = c.next_sibling())
        if (IsElement(c, "TASKS") || IsElement(c, "TASK"))
            return NewTaskOutcome::Refused;
    std::vector<TaskEntry> tasks;
    ListTasks(project, tasks);
    std::unordered_set<long> used;
    const TaskEntry* parent = nullptr;
    for (const TaskEntry& t : tasks) {
        const long id = ParseTaskId(TextOf(t.task.child("TASKID")));
        if (id > 0)
            used.insert(id);
        if (!parent && parentTaskId >= 0 && id == parentTaskId)
            parent = &t;
    }
    // The members the request carries are not stored with the task; removed in one pass.
    for (pugi::xml_node c = task.first_child(); c;) {
        pugi::xml_node next = c.next_sibling();
        if (IsElement(c, "MEMBERS"))
            task.remove_child(c);
        c = next;
    }
    SetLeaf(task, "TASKID", "0");
    SetLeaf(task, "PARENTID", std::to_string(parent ? parentTaskId : 0));
    SetLeaf(task, "FLAG", "0");
    // The copy lies under its container's TASKS: two levels below the container.
    const int taskDepth = (parent ? parent->depth : 0) + 2;
    if (taskDepth > kMaxXmlDepth || !WithinDepth(task, kMaxXmlDepth - taskDepth))
        return NewTaskOutcome::Refused;
    CTaskIds ids(db, used);
    if (!ids.Take(taskId))
        return NewTaskOutcome::StoreFailed;
    SetText(task.child("TASKID"), std::to_string(taskId));
    pugi::xml_node container = parent ? parent->task : project;
    pugi::xml_node list = container.child("TASKS");
    if (!list)
        list = container.append_child("TASKS");
    list.append_copy(task);
    return NewTaskOutcome::Added;
}

}  // namespace projectserver
