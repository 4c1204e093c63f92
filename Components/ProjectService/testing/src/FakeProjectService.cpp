// The scripted in-memory project service.
#include <ProjectService/FakeProjectService.h>
#include <ProjectService/ProjectServiceFactory.h>

#include <algorithm>

namespace {

CString Dec(LONG v)
{
    CString s;
    s.Format("%d", (int)v);
    return s;
}

} // namespace

// One instance handed out by the fake: its own address and proxy, the fake's data.
class CFakeServiceInstance : public IProjectService {
public:
    explicit CFakeServiceInstance(CFakeProjectService& owner) : m_owner(owner) {}

    void Release() override
    {
        m_owner.m_nAlive--;
        delete this;
    }

    HRESULT SetServiceUrl(const CString& url) override
    {
        m_owner.Record("SetServiceUrl", {url});
        return Simple("SetServiceUrl");
    }
    HRESULT SetProxyServer(const CString& address) override
    {
        m_owner.Record("SetProxyServer", {address});
        return Simple("SetProxyServer");
    }
    HRESULT SetProxyPort(const CString& port) override
    {
        m_owner.Record("SetProxyPort", {port});
        return Simple("SetProxyPort");
    }

    HRESULT Login(const CString& userCode, const CString& cipheredPassword, CString& reply) override
    {
        m_owner.Record("Login", {userCode, cipheredPassword});
        CFakeProjectService::Script s;
        if (Scripted("Login", s)) {
            reply = s.failure ? CString("SERVER ERROR") : s.text;
            return s.hr;
        }
        reply.Empty();
        auto it = m_owner.m_logins.find(userCode);
        if (it != m_owner.m_logins.end() && it->second.first == cipheredPassword)
            reply = it->second.second;
        return S_OK;
    }

    HRESULT GetProjectList(const CString& userCode, CString& xml) override
    {
        m_owner.Record("GetProjectList", {userCode});
        if (ScriptedText("GetProjectList", xml))
            return m_hr;
        xml = m_owner.projectList;
        return S_OK;
    }

    HRESULT GetProjectData(LONG projectId, CString& xml) override
    {
        return GetStored("GetProjectData", m_owner.projects, projectId, xml);
    }

    HRESULT NewProject(const CString& projectXml, LONG& newProjectId) override
    {
        m_owner.Record("NewProject", {projectXml});
        if (ScriptedNumber("NewProject", newProjectId))
            return m_hr;
        newProjectId = m_owner.nextProjectId++;
        m_owner.projects[newProjectId] = projectXml;
        return S_OK;
    }

    HRESULT DeleteProject(LONG projectId, const CString& reserved, LONG& result) override
    {
        m_owner.Record("DeleteProject", {Dec(projectId), reserved});
        if (ScriptedNumber("DeleteProject", result))
            return m_hr;
        if (m_owner.projects.erase(projectId) == 0) {
            result = 1;
            return S_FALSE;
        }
        result = 0;
        return S_OK;
    }

    HRESULT SetProjectStatus(LONG projectId, LONG status) override
    {
        m_owner.Record("SetProjectStatus", {Dec(projectId), Dec(status)});
        CFakeProjectService::Script s;
        if (Scripted("SetProjectStatus", s))
            return s.hr;
        m_owner.statuses[projectId] = status;
        return S_OK;
    }

    HRESULT SaveProject(LONG projectId, const CString& projectXml, CString& reply, LONG& result) override
    {
        m_owner.Record("SaveProject", {Dec(projectId), projectXml});
        CFakeProjectService::Script s;
        if (Scripted("SaveProject", s)) {
            reply = s.failure ? CString() : s.text;
            result = s.failure ? -1 : s.value;
            return s.hr;
        }
        m_owner.projects[projectId] = projectXml;
        reply = m_owner.saveReply;
        result = 0;
        return S_OK;
    }

    HRESULT GetCalendar(LONG projectId, CString& xml) override
    {
        return GetStored("GetCalendar", m_owner.calendars, projectId, xml);
    }

    HRESULT SaveCalendar(LONG projectId, const CString& calendarXml, LONG& result) override
    {
        return SaveStored("SaveCalendar", m_owner.calendars, projectId, calendarXml, result);
    }

    HRESULT GetUsersPermission(LONG projectId, CString& xml) override
    {
        return GetStored("GetUsersPermission", m_owner.permissions, projectId, xml);
    }

    HRESULT SaveUsersPermission(LONG projectId, const CString& permissionXml, LONG& result) override
    {
        return SaveStored("SaveUsersPermission", m_owner.permissions, projectId, permissionXml, result);
    }

    HRESULT GetResources(CString& xml) override
    {
        m_owner.Record("GetResources", {});
        if (ScriptedText("GetResources", xml))
            return m_hr;
        xml = m_owner.resources;
        return S_OK;
    }

    HRESULT NewTask(LONG first, LONG parentTaskId, const CString& taskXml, LONG& newTaskId) override
    {
        m_owner.Record("NewTask", {Dec(first), Dec(parentTaskId), taskXml});
        if (ScriptedNumber("NewTask", newTaskId))
            return m_hr;
        newTaskId = m_owner.nextTaskId++;
        m_owner.newTasks.emplace_back(parentTaskId, taskXml);
        return S_OK;
    }

    CString GetLastErrorText() const override { return m_strLastError; }

private:
    ~CFakeServiceInstance() override = default;

    bool Scripted(const std::string& operation, CFakeProjectService::Script& s)
    {
        m_strLastError.Empty();
        if (!m_owner.TakeScript(operation, s))
            return false;
        m_strLastError = s.errorText;
        return true;
    }
    HRESULT Simple(const std::string& operation)
    {
        CFakeProjectService::Script s;
        return Scripted(operation, s) ? s.hr : S_OK;
    }
    bool ScriptedText(const std::string& operation, CString& text)
    {
        CFakeProjectService::Script s;
        if (!Scripted(operation, s))
            return false;
        text = s.failure ? CString() : s.text;
        m_hr = s.hr;
        return true;
    }
    bool ScriptedNumber(const std::string& operation, LONG& value)
    {
        CFakeProjectService::Script s;
        if (!Scripted(operation, s))
            return false;
        value = s.failure ? -1 : s.value;
        m_hr = s.hr;
        return true;
    }
    // A project's text from one of the fake's stores, unless a script answers for it.
    HRESULT GetStored(const char* operation, const std::map<LONG, CString>& store, LONG projectId, CString& xml)
    {
        m_owner.Record(operation, {Dec(projectId)});
        if (ScriptedText(operation, xml))
            return m_hr;
        return Lookup(store, projectId, xml);
    }
    // Keeps a project's text in one of the fake's stores, unless a script answers for it.
    HRESULT SaveStored(const char* operation, std::map<LONG, CString>& store, LONG projectId, const CString& xml,
                       LONG& result)
    {
        m_owner.Record(operation, {Dec(projectId), xml});
        if (ScriptedNumber(operation, result))
            return m_hr;
        store[projectId] = xml;
        result = 0;
        return S_OK;
    }
    HRESULT Lookup(const std::map<LONG, CString>& store, LONG id, CString& xml)
    {
        auto it = store.find(id);
        if (it == store.end()) {
            xml.Empty();
            return S_FALSE;
        }
        xml = it->second;
        return S_OK;
    }

    CFakeProjectService& m_owner;
    CString m_strLastError;
    HRESULT m_hr = S_OK;
};

CFakeProjectService::CFakeProjectService() = default;

CFakeProjectService::~CFakeProjectService() { Uninstall(); }

IProjectService* CFakeProjectService::NewInstance()
{
    if (m_bFailCreation)
        return nullptr;
    ++m_nCreated;
    ++m_nAlive;
    return new CFakeServiceInstance(*this);
}

void CFakeProjectService::Install()
{
    SetProjectServiceFactory([this] { return NewInstance(); });
    m_bInstalled = true;
}

void CFakeProjectService::Uninstall()
{
    if (m_bInstalled) {
        SetProjectServiceFactory(ProjectServiceFactory());
        m_bInstalled = false;
    }
}

void CFakeProjectService::AddLogin(const CString& userCode, const CString& cipheredPassword, const CString& reply)
{
    m_logins[userCode] = std::make_pair(cipheredPassword, reply);
}

void CFakeProjectService::ScriptCall(const std::string& operation, HRESULT hr, const CString& text, LONG value,
                                     int times, const CString& errorText)
{
    m_scripts.push_back(Script{operation, hr, text, value, times, false, errorText});
}

void CFakeProjectService::FailCall(const std::string& operation, HRESULT hr, int times, const CString& errorText)
{
    m_scripts.push_back(Script{operation, hr, CString(), -1, times, true, errorText});
}

bool CFakeProjectService::TakeScript(const std::string& operation, Script& script)
{
    for (auto it = m_scripts.begin(); it != m_scripts.end(); ++it) {
        if (it->operation != operation || it->times == 0)
            continue;
        script = *it;
        if (it->times > 0 && --it->times == 0)
            m_scripts.erase(it);
        return true;
    }
    return false;
}

void CFakeProjectService::Record(const std::string& operation, std::vector<CString> args)
{
    m_calls.push_back(CFakeServiceCall{operation, std::move(args)});
}

std::vector<std::string> CFakeProjectService::CallNames() const
{
    std::vector<std::string> names;
    for (const CFakeServiceCall& c : m_calls)
        names.push_back(c.name);
    return names;
}

int CFakeProjectService::CountCalls(const std::string& operation) const
{
    return (int)std::count_if(m_calls.begin(), m_calls.end(),
                              [&](const CFakeServiceCall& c) { return c.name == operation; });
}

const CFakeServiceCall* CFakeProjectService::LastCall(const std::string& operation) const
{
    for (auto it = m_calls.rbegin(); it != m_calls.rend(); ++it) {
        if (it->name == operation)
            return &*it;
    }
    return nullptr;
}
