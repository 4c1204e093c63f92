// Reading a project revision out of an ETag.
#include "Revisions.h"

namespace projectsoap {

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

} // namespace projectsoap
