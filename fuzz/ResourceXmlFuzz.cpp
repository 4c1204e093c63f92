// The resource list XML reader.
#include "FuzzEntry.h"

#include "ProjectDoc.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CProjectDoc doc;
    doc.ParseResources(CString(reinterpret_cast<const char*>(data), (int)size));
    return 0;
}
