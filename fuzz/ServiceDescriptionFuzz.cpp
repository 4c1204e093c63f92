// The service description (WSDL) reader of the project service client.
#include "FuzzEntry.h"

#include <ProjectService/ServiceDescription.h>

#include <string>

using namespace projectsoap;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ServiceDescription description;
    std::string error;
    if (ParseServiceDescription(std::string(reinterpret_cast<const char*>(data), size), description, error)) {
        std::string action;
        description.FindSoapAction("Login", action);
    }
    return 0;
}
