// A project revision as the server's ETag carries it.
#pragma once

#include <string>

namespace projectsoap {

// The ETag header's value without its quotes; "" when it is none this client can send back.
std::string RevisionFromETag(const std::string& etag);

} // namespace projectsoap
