// Idle connections to database servers, kept between stores by a key (the kind of store and
// its connection string): a few per key. Made once and never destroyed, so that no
// connection is closed while the program exits.
#pragma once

#include <DataAccess/DataAccess.h>

#include <map>
#include <memory>
#include <mutex>
#include <string>

class CSessionPool
{
public:
    static CSessionPool& Get();
    // An idle connection of the key, or null.
    std::unique_ptr<CSession> Take(const std::string& key);
    // Keeps the connection for the next Take of the key, or closes it when enough are idle.
    void Give(const std::string& key, std::unique_ptr<CSession> session);

private:
    static constexpr size_t kIdlePerKey = 8;
    std::mutex m_mutex;
    std::multimap<std::string, std::unique_ptr<CSession>> m_idle;
};
