// The product-data components' reading of the server's document classes (Pdm/PdmReplies.h):
// the input is the answer's body.
#include "FuzzEntry.h"

#include <Pdm/PdmReplies.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<PdmClassRow> rows;
    std::string error;
    ReadPdmClasses(std::string(reinterpret_cast<const char*>(data), size), rows, error);
    return 0;
}
