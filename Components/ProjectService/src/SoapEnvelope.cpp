// SOAP 1.1 envelopes on pugixml.
#include <ProjectService/SoapEnvelope.h>
#include <ProjectService/SoapProtocol.h>

#include "XmlNames.h"

#include <pugixml.hpp>

#include <cstring>
#include <sstream>

namespace projectsoap {

namespace {

std::string Serialize(const pugi::xml_document& doc)
{
    std::ostringstream out;
    doc.save(out, "", pugi::format_raw | pugi::format_no_declaration | pugi::format_no_empty_element_tags,
             pugi::encoding_utf8);
    // Carriage returns can only come from values; write them as references.
    std::string raw = out.str();
    std::string text = "<?xml version=\"1.0\" encoding=\"utf-8\"?>";
    text.reserve(raw.size() + text.size() + 16);
    for (char c : raw) {
        if (c == '\r')
            text += "&#13;";
        else
            text += c;
    }
    return text;
}

pugi::xml_node AppendBody(pugi::xml_document& doc)
{
    pugi::xml_node envelope = doc.append_child("soap:Envelope");
    envelope.append_attribute("xmlns:soap") = kEnvelopeNamespace;
    return envelope.append_child("soap:Body");
}

pugi::xml_node FirstElement(pugi::xml_node parent)
{
    for (pugi::xml_node n = parent.first_child(); n; n = n.next_sibling()) {
        if (n.type() == pugi::node_element)
            return n;
    }
    return pugi::xml_node();
}

bool TextOf(pugi::xml_node element, std::string& text)
{
    text.clear();
    for (pugi::xml_node n = element.first_child(); n; n = n.next_sibling()) {
        if (n.type() == pugi::node_pcdata || n.type() == pugi::node_cdata)
            text += n.value();
        else if (n.type() == pugi::node_element)
            return false;
    }
    return true;
}

// Child text by local name regardless of namespace (fault details are unqualified).
std::string ChildText(pugi::xml_node parent, const char* localName)
{
    for (pugi::xml_node n = parent.first_child(); n; n = n.next_sibling()) {
        if (n.type() == pugi::node_element && std::strcmp(LocalName(n.name()), localName) == 0) {
            std::string text;
            TextOf(n, text);
            return text;
        }
    }
    return std::string();
}

} // namespace

std::string BuildEnvelope(const std::string& ns, const std::string& element, const SoapValues& values)
{
    pugi::xml_document doc;
    pugi::xml_node op = AppendBody(doc).append_child(element.c_str());
    op.append_attribute("xmlns") = ns.c_str();
    for (const SoapValue& v : values)
        op.append_child(v.name.c_str()).append_child(pugi::node_pcdata).set_value(v.text.c_str());
    return Serialize(doc);
}

std::string BuildFault(const std::string& faultCode, const std::string& faultString)
{
    pugi::xml_document doc;
    pugi::xml_node fault = AppendBody(doc).append_child("soap:Fault");
    fault.append_child("faultcode").append_child(pugi::node_pcdata).set_value(faultCode.c_str());
    fault.append_child("faultstring").append_child(pugi::node_pcdata).set_value(faultString.c_str());
    return Serialize(doc);
}

const std::string* SoapMessage::Find(const char* valueName) const
{
    for (const SoapValue& v : values) {
        if (v.name == valueName)
            return &v.text;
    }
    return nullptr;
}

std::string* SoapMessage::Find(const char* valueName)
{
    return const_cast<std::string*>(static_cast<const SoapMessage*>(this)->Find(valueName));
}

bool ParseEnvelope(const std::string& text, SoapMessage& message, std::string& error)
{
    return ParseEnvelope(std::string(text), message, error);
}

bool ParseEnvelope(std::string&& text, SoapMessage& message, std::string& error)
{
    message = SoapMessage();
    pugi::xml_document doc;
    // Whitespace-only values are values; line ends stay as sent. Parsed in the text's own
    // buffer (a UTF-16 text is converted into one of the parser's).
    const unsigned int options = (pugi::parse_default & ~pugi::parse_eol) | pugi::parse_ws_pcdata;
    pugi::xml_parse_result parsed = doc.load_buffer_inplace(&text[0], text.size(), options, pugi::encoding_auto);
    if (!parsed) {
        error = std::string("the reply is not well-formed XML (") + parsed.description() + " at offset " +
                std::to_string(parsed.offset) + ")";
        return false;
    }
    pugi::xml_node envelope = doc.document_element();
    if (!envelope || !IsElement(envelope, "Envelope", kEnvelopeNamespace)) {
        error = "the reply is not a SOAP envelope";
        return false;
    }
    pugi::xml_node body;
    for (pugi::xml_node n = envelope.first_child(); n; n = n.next_sibling()) {
        if (IsElement(n, "Body", kEnvelopeNamespace)) {
            body = n;
            break;
        }
    }
    pugi::xml_node element = body ? FirstElement(body) : pugi::xml_node();
    if (!element) {
        error = "the SOAP envelope has no body element";
        return false;
    }
    if (IsElement(element, "Fault", kEnvelopeNamespace)) {
        message.isFault = true;
        message.faultCode = ChildText(element, "faultcode");
        message.faultString = ChildText(element, "faultstring");
        message.name = "Fault";
        message.ns = kEnvelopeNamespace;
        return true;
    }
    message.name = LocalName(element.name());
    message.ns = NamespaceOf(element);
    // The longest value that is one text in the reply's buffer is not copied out: it is
    // moved to the buffer's front and handed over in it (a project's text is most of the
    // reply).
    const char* const buffer = text.data();
    const char* largest = nullptr;
    size_t largestSize = 0;
    size_t largestIndex = 0;
    for (pugi::xml_node n = element.first_child(); n; n = n.next_sibling()) {
        if (n.type() != pugi::node_element)
            continue;
        SoapValue v;
        v.name = LocalName(n.name());
        pugi::xml_node only = n.first_child();
        if (only && !only.next_sibling() && only.type() == pugi::node_pcdata) {
            const char* value = only.value();
            const size_t size = std::strlen(value);
            if (value >= buffer && value + size <= buffer + text.size() && size > largestSize) {
                if (largest != nullptr)
                    message.values[largestIndex].text.assign(largest, largestSize);
                largest = value;
                largestSize = size;
                largestIndex = message.values.size();
                message.values.push_back(std::move(v));
                continue;
            }
        }
        if (!TextOf(n, v.text)) {
            error = "the value " + v.name + " holds markup instead of text";
            message = SoapMessage();
            return false;
        }
        message.values.push_back(std::move(v));
    }
    if (largest != nullptr) {
        if (largestSize >= text.capacity() / 8 * 7) {
            std::memmove(&text[0], largest, largestSize);
            text.resize(largestSize);
            message.values[largestIndex].text = std::move(text);
        } else {
            // Most of the buffer is not the value (its markup came escaped): it is copied
            // once into room of its own size, with a little to spare for a reader that
            // ends it, rather than moved within the large buffer and cut out of it later.
            const size_t kSpare = 64;
            std::string& value = message.values[largestIndex].text;
            value.reserve(largestSize + kSpare);
            value.assign(largest, largestSize);
            std::string().swap(text);
        }
    }
    return true;
}

} // namespace projectsoap
