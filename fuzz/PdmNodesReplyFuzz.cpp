// The product-data components' reading of the server's folder list (Pdm/PdmReplies.h): the
// input is the answer's body.
#include "FuzzEntry.h"

#include <Pdm/PdmReplies.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<PdmNodeRow> rows;
    std::string error;
    ReadPdmNodes(std::string(reinterpret_cast<const char*>(data), size), rows, error);
    return 0;
}
