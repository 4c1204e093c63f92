#include "SessionPool.h"

CSessionPool& CSessionPool::Get()
{
    static CSessionPool* s_pool = new CSessionPool;
    return *s_pool;
}

std::unique_ptr<CSession> CSessionPool::Take(const std::string& key)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    auto it = m_idle.find(key);
    if (it == m_idle.end())
        return nullptr;
    std::unique_ptr<CSession> session = std::move(it->second);
    m_idle.erase(it);
    return session;
}

void CSessionPool::Give(const std::string& key, std::unique_ptr<CSession> session)
{
    std::unique_ptr<CSession> closed;  // closed after the lock is let go
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_idle.count(key) < kIdlePerKey)
        m_idle.emplace(key, std::move(session));
    else
        closed = std::move(session);
}
