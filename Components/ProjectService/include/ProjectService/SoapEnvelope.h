// Building and reading SOAP 1.1 envelopes of the project service (UTF-8 texts), for the
// client and for the loopback server.
#pragma once

#include <string>
#include <vector>

namespace projectsoap {

struct SoapValue {
    std::string name; // local name of the value's element
    std::string text; // its text, UTF-8
};
typedef std::vector<SoapValue> SoapValues;

// <?xml version="1.0" encoding="utf-8"?><soap:Envelope ...><soap:Body><element xmlns="ns">
// <name>text</name>...</element></soap:Body></soap:Envelope>, values escaped (carriage
// returns as &#13; so that they survive the reader's line-end handling).
std::string BuildEnvelope(const std::string& ns, const std::string& element, const SoapValues& values);
// An envelope whose body is a soap:Fault with faultcode and faultstring.
std::string BuildFault(const std::string& faultCode, const std::string& faultString);

struct SoapMessage {
    bool isFault = false;
    std::string faultCode;
    std::string faultString;
    std::string name;  // local name of the body's element
    std::string ns;    // its namespace
    SoapValues values; // its child elements, in order

    // The text of the first value of that name, or nullptr.
    const std::string* Find(const char* valueName) const;
    std::string* Find(const char* valueName);
};

// Reads an envelope (UTF-8, or UTF-16 with a byte-order mark). False, with a reason, when
// the text is not well-formed XML, not a SOAP 1.1 envelope, has no body element, or a
// value holds markup instead of text.
bool ParseEnvelope(const std::string& text, SoapMessage& message, std::string& error);
// The same for a text the caller hands over: it is parsed in place, and its buffer may end
// up holding one of the values (no copy of a large reply).
bool ParseEnvelope(std::string&& text, SoapMessage& message, std::string& error);

} // namespace projectsoap
