// A scripted, in-memory project service for tests of the code that calls the service.
//
// One CFakeProjectService holds the server's data and the record of calls. Install() makes
// CreateProjectService() hand out instances that talk to it (each a fresh instance with
// its own address and proxy, ended by Release(), like the real client); the fake must
// outlive them.
//
// Without a script, the calls work on the data below:
//   Login               reply of the matching AddLogin entry, "" for any other user or
//                       password
//   GetProjectList      `projectList`
//   GetProjectData      `projects[id]`; S_FALSE when there is none
//   NewProject          stores the text under `nextProjectId` (then increased), gives it
//   DeleteProject       erases `projects[id]`: result 0; result 1 (S_FALSE) when absent
//   SetProjectStatus    `statuses[id] = status`
//   SaveProject         `projects[id] = text`, reply `saveReply`, result 0
//   GetCalendar / GetUsersPermission   `calendars[id]` / `permissions[id]`; S_FALSE when
//                       there is none
//   SaveCalendar / SaveUsersPermission store the text, result 0
//   GetResources        `resources`
//   NewTask             gives `nextTaskId` (then increased); the text goes to `newTasks`
//
// Every call of an instance, setters included, is recorded in order with its input
// arguments (numbers in decimal). ScriptCall and FailCall replace the answer of an
// operation (for a number of calls, or for good) without touching the data.
#pragma once

#include <ProjectService/IProjectService.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

struct CFakeServiceCall {
    std::string name;          // the operation, e.g. "SaveProject"
    std::vector<CString> args; // its input arguments, in order
};

class CFakeProjectService {
public:
    CFakeProjectService();
    ~CFakeProjectService(); // undoes Install()
    CFakeProjectService(const CFakeProjectService&) = delete;
    CFakeProjectService& operator=(const CFakeProjectService&) = delete;

    // --- creation
    // A new instance, or nullptr while creation is made to fail.
    IProjectService* NewInstance();
    // CreateProjectService() hands out NewInstance() until Uninstall() or destruction.
    void Install();
    void Uninstall();
    void FailCreation(bool fail = true) { m_bFailCreation = fail; }
    int InstancesCreated() const { return m_nCreated; }
    int InstancesAlive() const { return m_nAlive; }

    // --- data
    std::map<LONG, CString> projects;
    std::map<LONG, CString> calendars;
    std::map<LONG, CString> permissions;
    std::map<LONG, LONG> statuses;
    std::vector<std::pair<LONG, CString>> newTasks; // parent task id, task text
    CString resources = "<RESOURCES></RESOURCES>";
    CString projectList = "<PROJECTS></PROJECTS>";
    CString saveReply = "<TASKIDS></TASKIDS>";
    LONG nextProjectId = 1001;
    LONG nextTaskId = 5001;
    void AddLogin(const CString& userCode, const CString& cipheredPassword, const CString& reply);

    // --- scripts
    // The next `times` calls of `operation` (-1: all) answer `hr`; the out text becomes
    // `text` (the reply or the XML), the out number `value` (result or new id), and
    // GetLastErrorText() `errorText`.
    void ScriptCall(const std::string& operation, HRESULT hr, const CString& text = CString(), LONG value = 0,
                    int times = -1, const CString& errorText = CString());
    // The next `times` calls of `operation` (-1: all) fail as the real client fails: out
    // texts empty (Login: "SERVER ERROR"), out numbers -1.
    void FailCall(const std::string& operation, HRESULT hr = PS_E_CONNECT, int times = -1,
                  const CString& errorText = "the fake service was told to fail");
    void ClearScripts() { m_scripts.clear(); }

    // --- record
    const std::vector<CFakeServiceCall>& Calls() const { return m_calls; }
    std::vector<std::string> CallNames() const;
    int CountCalls(const std::string& operation) const;
    // The last call of that operation, or nullptr.
    const CFakeServiceCall* LastCall(const std::string& operation) const;
    void ClearCalls() { m_calls.clear(); }

private:
    friend class CFakeServiceInstance;
    struct Script {
        std::string operation;
        HRESULT hr;
        CString text;
        LONG value;
        int times;
        bool failure;
        CString errorText;
    };
    void Record(const std::string& operation, std::vector<CString> args);
    // The script for this call, if any (consumes one of its times).
    bool TakeScript(const std::string& operation, Script& script);

    std::map<CString, std::pair<CString, CString>> m_logins;
    std::vector<Script> m_scripts;
    std::vector<CFakeServiceCall> m_calls;
    bool m_bFailCreation = false;
    bool m_bInstalled = false;
    int m_nCreated = 0;
    int m_nAlive = 0;
};
