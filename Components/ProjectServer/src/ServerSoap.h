// The server's own SOAP 1.1 reading and writing, and its service description. Kept apart
// from the client's encoder on purpose: the two sides meet on the wire, and share only the
// operation table and the text escaping.
//
// A request is one envelope whose body holds one element, the operation, in the service's
// namespace, with one child element of text per argument. Replies are written as fixed
// texts: the declaration, the envelope with the soap prefix, the response element with
// the service namespace as default, one child per result; text escaped as & < > and
// carriage return as &#13;, and what XML cannot carry (ill-formed UTF-8, control
// characters) as U+FFFD.
#pragma once

#include "ServerText.h"

#include <ServiceOperations/ServiceOperations.h>

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace projectserver {

extern const char* const kServiceNamespace;  // "urn:orvesk:project-service"

struct SoapArg {
    std::string name;
    std::string text;  // UTF-8
};

struct SoapRequest {
    std::string operation;
    std::vector<SoapArg> args;
    // Why the texts of the request cannot be stored ("" when they can): not valid in its
    // encoding, or characters XML cannot carry. Such a request is read, so that its
    // operation can refuse it, but nothing of it is stored.
    std::string unreadableText;
    TextFault unreadableKind = TextFault::None;
    const std::string* Find(const char* name) const;
};

// Reads a request in the encoding it declares (ServerText.h; `contentType` is the request's
// Content-Type header). False with a reason a person can act on: an encoding that cannot be
// read, not XML, a document type declaration (refused: no entity tricks), not a SOAP 1.1
// envelope, no operation, an operation outside the service's namespace, an argument holding
// markup.
bool ReadRequest(const std::string& body, const std::string& contentType, SoapRequest& request, std::string& error);
// The same for a body with no Content-Type charset.
bool ReadRequest(const std::string& body, SoapRequest& request, std::string& error);

std::string EscapeXmlText(const std::string& utf8);
std::string WriteResponse(const std::string& operation, const std::vector<SoapArg>& results);
// The same reply written as it goes out, in pieces of up to kReplyPiece bytes handed to
// `write` in order (a false from it stops the writing); true when every piece went. The
// pieces join to WriteResponse's text, of ResponseSize bytes.
typedef std::function<bool(const char* data, size_t size)> ReplyWrite;
const size_t kReplyPiece = 64 * 1024;
bool WriteResponse(const std::string& operation, const std::vector<SoapArg>& results, const ReplyWrite& write);
size_t ResponseSize(const std::string& operation, const std::vector<SoapArg>& results);
// faultCode "soap:Client" (the request is wrong) or "soap:Server".
std::string WriteFault(const std::string& faultCode, const std::string& faultString);

// The service description for an endpoint URL.
std::string WriteServiceDescription(const std::string& endpoint);

// The operations, arguments and results of the service: the table the client compiles too.
typedef serviceops::Operation OperationSpec;
const std::vector<OperationSpec>& ServiceOperations();
const OperationSpec* FindServiceOperation(const std::string& name);
// Whether an argument or result is a whole number (xsd:int).
bool IsNumberField(const char* name);

}  // namespace projectserver
