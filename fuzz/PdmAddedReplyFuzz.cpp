// The product-data components' reading of the server's answers to Initialize and
// AddDocument (Pdm/PdmReplies.h): the store-ready answer, the added id, or an error with
// its refusal mark; the input is the answer's body, read as each.
#include "FuzzEntry.h"

#include <Pdm/PdmReplies.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string body(reinterpret_cast<const char*>(data), size);
    std::string error, why;
    int32_t id = 0;
    bool refused = false;
    ReadPdmStoreReady(body, error);
    ReadPdmAdded(body, id, error);
    ReadPdmError(body, why, refused);
    return 0;
}
