// The project service's description (WSDL 1.1 with a SOAP 1.1 binding): what the client
// reads from it, and the description the loopback server hands out.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace projectsoap {

struct ServiceDescription {
    std::string targetNamespace;
    std::string endpoint; // soap:address location of the first SOAP port
    std::vector<std::pair<std::string, std::string>> soapActions; // operation -> soapAction

    // The soapAction of an operation of the SOAP binding; false when it has none.
    bool FindSoapAction(const std::string& operation, std::string& action) const;
};

// Reads a description (UTF-8, or UTF-16 with a byte-order mark). False, with a reason,
// when it is not XML, not a WSDL 1.1 document, names no target namespace, or has no SOAP
// port with an http or https address.
bool ParseServiceDescription(const std::string& text, ServiceDescription& description, std::string& error);

// A description of every operation of SoapProtocol.h: document/literal, the SOAP action of
// each operation targetNamespace + "/" + name, the port at `endpoint`.
std::string BuildServiceDescription(const std::string& targetNamespace, const std::string& endpoint);

} // namespace projectsoap
