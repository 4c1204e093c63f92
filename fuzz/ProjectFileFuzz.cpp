// The local project file (.tlp archive) reader.
#include "FuzzEntry.h"

#include "ProjectDoc.h"

#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const char* path = fuzz::WriteInputFile(data, size, ".tlp");
    if (!path)
        return 0;
    CProjectDoc doc;
    CString strError;
    doc.LoadLocalFile(path, strError);
    std::remove(path);
    return 0;
}
