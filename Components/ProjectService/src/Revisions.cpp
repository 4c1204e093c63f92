// The process's record of project revisions.
#include "Revisions.h"

#include <map>
#include <mutex>
#include <utility>

namespace projectsoap {

namespace {

std::mutex g_mutex;
std::map<std::pair<std::string, LONG>, std::string> g_revisions;

} // namespace

std::string RevisionFromETag(const std::string& etag)
{
    std::string value = etag;
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        value = value.substr(1, value.size() - 2);
    if (value.empty() || value.size() > 128)
        return std::string();
    for (unsigned char c : value)
        if (c <= 0x20 || c >= 0x7f || c == '"')
            return std::string();
    return value;
}

void KeepRevision(const std::string& origin, LONG projectId, const std::string& revision)
{
    if (origin.empty() || projectId <= 0 || revision.empty())
        return;
    std::lock_guard<std::mutex> lock(g_mutex);
    g_revisions[std::make_pair(origin, projectId)] = revision;
}

std::string RevisionOf(const std::string& origin, LONG projectId)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    auto it = g_revisions.find(std::make_pair(origin, projectId));
    return it == g_revisions.end() ? std::string() : it->second;
}

} // namespace projectsoap
