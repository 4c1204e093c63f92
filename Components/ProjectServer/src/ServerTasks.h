// The checks a request's texts pass before anything of them is stored, and the task work of
// SaveProject and NewTask, each in time linear in the texts.
//
// Task ids. A task the client has not saved yet comes with FLAG 1 or TASKID 0 and gets a new
// id from the server, whatever id it carries (a child task keeps FLAG 1 on the client even
// after a save gave it an id). So do all tasks of a project saved with id 0: a project saved
// to the server from a local file carries the ids of wherever it came from. Any other task
// names the id the server gave it: that id must be a whole number 1..2147483647, one of the
// tasks the stored project holds (an id of another project, or one never handed out, is
// refused), and only one task may name it; else the save is refused and nothing is stored.
// New ids come from the server's counter; once it is used up, from the smallest ids the
// project does not use, so that they neither run out nor wrap.
#pragma once

#include <ProjectServer/ServerDatabase.h>

#include "ServerSoap.h"

#include <pugixml.hpp>

#include <string>
#include <unordered_set>
#include <vector>

namespace projectserver {

// The refusals a save reports to the user (UTF-8).
extern const char kRefusedEncoding[];   // a text not valid in its encoding
extern const char kRefusedCharacter[];  // a character XML cannot carry
extern const char kRefusedTooDeep[];    // nested deeper than the server reads back
extern const char kRefusedTaskId[];     // a task id that is not a 32-bit id

enum class DocFault { None, Text, Xml, Depth };
// Reads a document text of a request (a project, task, calendar or permissions) whose
// document element must be `root`. Not None: `reply` is the text for the user.
DocFault ReadRequestDocument(const std::string& xml, const char* root, pugi::xml_document& doc, std::string& reply);

// When the request's texts cannot be stored (SoapRequest::unreadableText), sets the
// operation's refusal (Result 1, ids -1, SaveProject's Reply the text for the user, a
// Login's Reply "") and returns true.
bool RefuseUnreadableText(const SoapRequest& request, std::vector<SoapArg>& results);

// A task id as stored: 1..2147483647 written in decimal digits; 0 for an empty text (a task
// not saved yet); -1 for anything else.
long ParseTaskId(const std::string& text);

// One task of a project in document order: PROJECT/TASKS/TASK, PROJECT/TASK and nested
// TASK/TASKS/TASK.
struct TaskEntry {
    pugi::xml_node task;
    int parent = -1;             // index of the parent task, -1 at the top
    int depth = 0;               // of the TASK element, the document element at 0
    long flag = 0;               // FLAG
    bool insideRemoved = false;  // under a task with FLAG 3
    bool isNew = false;          // gets a new id
    long id = 0;                 // its id once checked
};
void ListTasks(pugi::xml_node project, std::vector<TaskEntry>& tasks);

// The ids of the tasks of a stored project text; false when the text cannot be read.
bool StoredTaskIds(const std::string& xml, std::unordered_set<long>& ids);

// New task ids for one project (see above); `used` holds the ids the project keeps.
class CTaskIds {
public:
    CTaskIds(CServerDatabase& db, std::unordered_set<long>& used) : m_db(db), m_used(used) {}
    bool Take(long& id);  // false when the database failed

private:
    CServerDatabase& m_db;
    std::unordered_set<long>& m_used;
    bool m_counterUsedUp = false;
    long m_next = 1;
};

// SaveProject's task work on the request's PROJECT. CheckSave decides which tasks are new
// and refuses (false, `reply` the text) ids as above and tasks nested so deep that what the
// save writes into them would pass kMaxXmlDepth; `storedIds` is null when no task can be
// known (a project saved with id 0, or a stored text that cannot be read). ApplySave gives
// the new ids (appending their TASKID records to `reply`), sets ENTIREPROJID, PARENTID and
// FLAG 0, turns PREDID rows into task ids and drops removed tasks; false when the database
// failed.
bool CheckSave(std::vector<TaskEntry>& tasks, const std::unordered_set<long>* storedIds, std::unordered_set<long>& kept,
               std::string& reply);
bool ApplySave(std::vector<TaskEntry>& tasks, long projectId, CTaskIds& ids, std::string& reply);

// Gives the memory a large request freed back to the system when it goes out of scope:
// declared before the request's documents, it runs after they are gone.
class CReleaseFreedMemory {
public:
    explicit CReleaseFreedMemory(size_t requestBytes) : m_large(requestBytes >= kLargeRequest) {}
    ~CReleaseFreedMemory();
    // A stored text the request read is large too.
    void Note(size_t bytes) { m_large = m_large || bytes >= kLargeRequest; }
    CReleaseFreedMemory(const CReleaseFreedMemory&) = delete;
    CReleaseFreedMemory& operator=(const CReleaseFreedMemory&) = delete;
    static const size_t kLargeRequest = 1024 * 1024;

private:
    bool m_large;
};

// NewTask's task work: the request's TASK (no nested tasks) is placed under `parentTaskId`
// (or at the top) of the stored PROJECT with a new id, `taskId`. Refused: nested tasks, or
// the result deeper than kMaxXmlDepth.
enum class NewTaskOutcome { Added, Refused, StoreFailed };
NewTaskOutcome AddTask(pugi::xml_node project, pugi::xml_node task, long parentTaskId, CServerDatabase& db, long& taskId);

}  // namespace projectserver
