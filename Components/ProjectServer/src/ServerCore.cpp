// The project server's data side: one database and its operations, one call at a time.
#include "ServerCore.h"

#include "ServerOperations.h"

#include <ProjectServer/ServerDatabase.h>

#include <mutex>

namespace projectserver {

const char kSessionCookie[] = "PCSESSION";

struct CServerCore::Impl {
    std::mutex mutex;
    CServerDatabase db;
    COperations ops{db};
    bool open = false;
};

namespace {

// Runs one change in one transaction.
template <class F>
bool InTransaction(CServerDatabase& db, F f)
{
    if (!db.Begin())
        return false;
    if (!f() || !db.Commit()) {
        db.Rollback();
        return false;
    }
    return true;
}

}  // namespace

CServerCore::CServerCore() : m_impl(new Impl) {}

CServerCore::~CServerCore() = default;

bool CServerCore::Open(const std::string& pathOrConnection, bool& created, std::string& error)
{
    std::lock_guard<std::mutex> lock(m_impl->mutex);
    created = false;
    if (m_impl->open)
        return true;
    if (!m_impl->db.Open(pathOrConnection, created)) {
        error = m_impl->db.LastError();
        return false;
    }
    m_impl->open = true;
    return true;
}

bool CServerCore::IsOpen() const
{
    std::lock_guard<std::mutex> lock(m_impl->mutex);
    return m_impl->open;
}

CServerCore::Outcome CServerCore::Execute(const SoapRequest& request, CallContext& context,
                                          std::vector<SoapArg>& results, std::string& error)
{
    std::lock_guard<std::mutex> lock(m_impl->mutex);
    (void)context;
    switch (m_impl->ops.Execute(request, results, error)) {
    case COperations::BadRequest:
        return BadRequest;
    case COperations::StoreFailed:
        return StoreFailed;
    default:
        return Done;
    }
}

bool CServerCore::CheckSession(CallContext& context)
{
    (void)context;
    return true;
}

void CServerCore::EndSession(CallContext& context)
{
    context.endSession = true;
}

bool CServerCore::AddUser(const std::string& code, const std::string& cipheredPassword, const std::string& reply)
{
    std::lock_guard<std::mutex> lock(m_impl->mutex);
    return m_impl->open && InTransaction(m_impl->db, [&] {
               return m_impl->db.PutUser(code, CServerDatabase::User{cipheredPassword, reply});
           });
}

long CServerCore::AddProject(const std::string& projectXml)
{
    std::lock_guard<std::mutex> lock(m_impl->mutex);
    long id = -1;
    std::string error;
    if (!m_impl->open || !InTransaction(m_impl->db, [&] {
            return m_impl->db.TakeId("project", id) && m_impl->ops.PutProject(id, projectXml, error);
        }))
        return -1;
    return id;
}

bool CServerCore::GetProject(long id, std::string& xml)
{
    std::lock_guard<std::mutex> lock(m_impl->mutex);
    bool found = false;
    return m_impl->open && m_impl->db.GetProject(id, xml, found) && found;
}

long CServerCore::ProjectCount()
{
    std::lock_guard<std::mutex> lock(m_impl->mutex);
    long count = -1;
    if (!m_impl->open || !m_impl->db.CountProjects(count))
        return -1;
    return count;
}

bool CServerCore::SetCalendar(long id, const std::string& xml)
{
    std::lock_guard<std::mutex> lock(m_impl->mutex);
    return m_impl->open && InTransaction(m_impl->db, [&] { return m_impl->db.PutCalendar(id, xml); });
}

bool CServerCore::GetCalendar(long id, std::string& xml)
{
    std::lock_guard<std::mutex> lock(m_impl->mutex);
    bool found = false;
    return m_impl->open && m_impl->db.GetCalendar(id, xml, found) && found;
}

bool CServerCore::SetPermissions(long id, const std::string& xml)
{
    std::lock_guard<std::mutex> lock(m_impl->mutex);
    return m_impl->open && InTransaction(m_impl->db, [&] { return m_impl->db.PutPermissions(id, xml); });
}

bool CServerCore::GetPermissions(long id, std::string& xml)
{
    std::lock_guard<std::mutex> lock(m_impl->mutex);
    bool found = false;
    return m_impl->open && m_impl->db.GetPermissions(id, xml, found) && found;
}

bool CServerCore::SetResources(const std::string& xml)
{
    std::lock_guard<std::mutex> lock(m_impl->mutex);
    return m_impl->open && InTransaction(m_impl->db, [&] { return m_impl->db.PutResources(xml); });
}

bool CServerCore::SetNextIds(long projectId, long taskId)
{
    std::lock_guard<std::mutex> lock(m_impl->mutex);
    return m_impl->open && InTransaction(m_impl->db, [&] {
               return m_impl->db.SetNextId("project", projectId) && m_impl->db.SetNextId("task", taskId);
           });
}

void CServerCore::SetTestLoginServerError(bool serverError)
{
    std::lock_guard<std::mutex> lock(m_impl->mutex);
    m_impl->ops.loginServerError = serverError;
}

}  // namespace projectserver
