// The operation table of the project service.
#include <ProjectService/SoapProtocol.h>

namespace projectsoap {

const char* const kEnvelopeNamespace = "http://schemas.xmlsoap.org/soap/envelope/";
const char* const kWsdlNamespace = "http://schemas.xmlsoap.org/wsdl/";
const char* const kWsdlSoapNamespace = "http://schemas.xmlsoap.org/wsdl/soap/";
const char* const kResultName = "Result";

const OperationInfo* Operations(size_t& count)
{
    count = serviceops::kOperationCount;
    return serviceops::kOperations;
}

const OperationInfo* FindOperation(const char* name) { return serviceops::FindOperation(name); }

} // namespace projectsoap
