// The project-list reply: the PROJECTS document the service answers with, read into the
// rows of the open dialog.
#include "FuzzEntry.h"

#include "ProjectListReply.h"

#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<CProjListEntry> entries;
    ReadProjectListReply(CString(reinterpret_cast<const char*>(data), (int)size), entries);
    for (const CProjListEntry& entry : entries)
        ProjectStatusImage(entry.nStatus);
    return 0;
}
