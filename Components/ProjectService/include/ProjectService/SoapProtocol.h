// The project service's SOAP vocabulary, shared by the client and the loopback server.
//
// Each call is one operation of the service (ServiceOperations.h), in the service's target
// namespace (read from the service description). The request element carries one child per
// argument, the response element `<Operation>Response` one child per result, all texts
// (numbers in decimal). `Result` is the server's result code, 0 when the operation was
// carried out. XML texts travel as string values (escaped text), never as markup of the
// envelope.
#pragma once

#include <ServiceOperations/ServiceOperations.h>

#include <cstddef>

namespace projectsoap {

extern const char* const kEnvelopeNamespace; // SOAP 1.1 envelope
extern const char* const kWsdlNamespace;     // service description
extern const char* const kWsdlSoapNamespace; // SOAP 1.1 binding of a service description
extern const char* const kResultName;        // "Result"

typedef serviceops::Operation OperationInfo;

// The operation table, in its order.
const OperationInfo* Operations(size_t& count);
// The operation of that name, or nullptr.
const OperationInfo* FindOperation(const char* name);

} // namespace projectsoap
