// The SOAP reply reader of the project service client.
#include "FuzzEntry.h"

#include <ProjectService/SoapEnvelope.h>

#include <string>

using namespace projectsoap;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    SoapMessage message;
    std::string error;
    if (ParseEnvelope(std::string(reinterpret_cast<const char*>(data), size), message, error))
        message.Find("return");
    return 0;
}
