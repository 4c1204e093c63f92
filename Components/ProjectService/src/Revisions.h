// The revision of each project the server last handed out or acknowledged (its ETag),
// kept for the whole process by origin and project id: a save, new task or status change
// names it (If-Match), so that the server can refuse a change made from an older text.
#pragma once

#include <ClassLib/Core/WinTypes.h>

#include <string>

namespace projectsoap {

// The ETag header's value without its quotes; "" when it is none this client can send back.
std::string RevisionFromETag(const std::string& etag);

// Keeps the revision (an empty one is ignored: the last one known stays).
void KeepRevision(const std::string& origin, LONG projectId, const std::string& revision);
// "" when none is known.
std::string RevisionOf(const std::string& origin, LONG projectId);

} // namespace projectsoap
