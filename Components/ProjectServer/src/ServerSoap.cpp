// SOAP reading and writing of the project server.
#include "ServerSoap.h"

#include "ServerText.h"

#include <ClassLib/Core/XmlTextWriter.h>

#include <pugixml.hpp>

#include <algorithm>
#include <cstring>
#include <map>

namespace projectserver {

const char* const kServiceNamespace = "urn:orvesk:project-service";

namespace {

const char* const kEnvelopeNs = "http://schemas.xmlsoap.org/soap/envelope/";

const char* LocalName(const char* name)
{
    const char* colon = std::strrchr(name, ':');
    return colon ? colon + 1 : name;
}

// The namespace bound to the element's prefix (or the default one), looking outwards.
std::string NamespaceOf(pugi::xml_node element)
{
    const char* name = element.name();
    const char* colon = std::strchr(name, ':');
    std::string attr = colon ? "xmlns:" + std::string(name, colon - name) : std::string("xmlns");
    for (pugi::xml_node n = element; n && n.type() == pugi::node_element; n = n.parent()) {
        pugi::xml_attribute a = n.attribute(attr.c_str());
        if (a)
            return a.value();
    }
    return std::string();
}

bool Is(pugi::xml_node n, const char* local, const char* ns)
{
    return n.type() == pugi::node_element && std::strcmp(LocalName(n.name()), local) == 0 && NamespaceOf(n) == ns;
}

pugi::xml_node FirstElement(pugi::xml_node parent)
{
    for (pugi::xml_node n = parent.first_child(); n; n = n.next_sibling())
        if (n.type() == pugi::node_element)
            return n;
    return pugi::xml_node();
}

const std::vector<OperationSpec> kOperations(serviceops::kOperations,
                                              serviceops::kOperations + serviceops::kOperationCount);

}  // namespace

const std::vector<OperationSpec>& ServiceOperations()
{
    return kOperations;
}

const OperationSpec* FindServiceOperation(const std::string& name)
{
    for (const OperationSpec& op : kOperations)
        if (name == op.name)
            return &op;
    return nullptr;
}

bool IsNumberField(const char* name)
{
    return serviceops::IsNumberField(name);
}

const std::string* SoapRequest::Find(const char* name) const
{
    for (const SoapArg& a : args)
        if (a.name == name)
            return &a.text;
    return nullptr;
}

bool ReadRequest(const std::string& body, SoapRequest& request, std::string& error)
{
    return ReadRequest(body, std::string(), request, error);
}

bool ReadRequest(const std::string& body, const std::string& contentType, SoapRequest& request, std::string& error)
{
    request = SoapRequest();
    // Read as UTF-8: converted first when it declares another encoding.
    const std::string encoding = DeclaredEncoding(body, contentType);
    std::string converted;
    TextCheck check;
    if (!encoding.empty() && !ConvertToUtf8(body, encoding, converted, check, error))
        return false;
    const std::string& text = encoding.empty() ? body : converted;
    if (check)
        check = CheckMarkup(text);
    pugi::xml_document doc;
    // Document type declarations are kept as nodes so that they can be refused; values keep
    // their bytes (whitespace-only texts, line ends as sent).
    const unsigned int options =
        (pugi::parse_default & ~pugi::parse_eol) | pugi::parse_ws_pcdata | pugi::parse_doctype;
    pugi::xml_parse_result parsed = doc.load_buffer(text.data(), text.size(), options, pugi::encoding_utf8);
    if (!parsed) {
        error = std::string("the request is not well-formed XML (") + parsed.description() + " at offset " +
                std::to_string(parsed.offset) + ")";
        return false;
    }
    for (pugi::xml_node n = doc.first_child(); n; n = n.next_sibling())
        if (n.type() == pugi::node_doctype) {
            error = "document type declarations are not accepted";
            return false;
        }
    pugi::xml_node envelope = doc.document_element();
    if (!Is(envelope, "Envelope", kEnvelopeNs)) {
        error = "the request is not a SOAP 1.1 envelope";
        return false;
    }
    // The envelope's own bindings read once: each child then costs only its own attributes.
    std::map<std::string, std::string> bindings;
    for (pugi::xml_node n = envelope; n && n.type() == pugi::node_element; n = n.parent())
        for (pugi::xml_attribute a = n.first_attribute(); a; a = a.next_attribute())
            if (std::strncmp(a.name(), "xmlns", 5) == 0 && (a.name()[5] == '\0' || a.name()[5] == ':'))
                bindings.emplace(a.name(), a.value());
    pugi::xml_node bodyNode;
    for (pugi::xml_node n = envelope.first_child(); n && !bodyNode; n = n.next_sibling()) {
        if (n.type() != pugi::node_element || std::strcmp(LocalName(n.name()), "Body") != 0)
            continue;
        const char* colon = std::strchr(n.name(), ':');
        const std::string attr = colon ? "xmlns:" + std::string(n.name(), colon - n.name()) : std::string("xmlns");
        pugi::xml_attribute own = n.attribute(attr.c_str());
        auto bound = bindings.find(attr);
        const std::string ns = own ? own.value() : bound != bindings.end() ? bound->second : std::string();
        if (ns == kEnvelopeNs)
            bodyNode = n;
    }
    pugi::xml_node op = bodyNode ? FirstElement(bodyNode) : pugi::xml_node();
    if (!op) {
        error = "the SOAP body names no operation";
        return false;
    }
    if (NamespaceOf(op) != kServiceNamespace) {
        error = std::string("the operation ") + LocalName(op.name()) + " is not in the namespace " + kServiceNamespace;
        return false;
    }
    request.operation = LocalName(op.name());
    for (pugi::xml_node n = op.first_child(); n; n = n.next_sibling()) {
        if (n.type() != pugi::node_element)
            continue;
        SoapArg arg;
        arg.name = LocalName(n.name());
        for (pugi::xml_node t = n.first_child(); t; t = t.next_sibling()) {
            if (t.type() == pugi::node_pcdata || t.type() == pugi::node_cdata)
                arg.text += t.value();
            else if (t.type() == pugi::node_element) {
                error = "the argument " + arg.name + " holds markup instead of text";
                request = SoapRequest();
                return false;
            }
        }
        request.args.push_back(std::move(arg));
    }
    if (!check) {
        request.unreadableText = DescribeFault(check, encoding);
        request.unreadableKind = check.fault;
    }
    return true;
}

namespace {

// Where the bytes of a text being written go: anything with append(data, size), such as
// std::string.
template <class Sink>
void Append(Sink& out, const char* text)
{
    out.append(text, std::char_traits<char>::length(text));
}
template <class Sink>
void Append(Sink& out, const std::string& text)
{
    out.append(text.data(), text.size());
}

// Gathers a writer's pieces in a buffer of its own and hands them on a buffer at a time (a
// project's text has markup every few bytes: one append of the sink for each would cost
// more than the escaping).
template <class Sink>
struct BufferedSink {
    explicit BufferedSink(Sink& sink) : out(sink) {}
    void append(const char* p, size_t n)
    {
        if (n > sizeof(buffer) - used) {
            flush();
            if (n >= sizeof(buffer)) {
                out.append(p, n);
                return;
            }
        }
        std::memcpy(buffer + used, p, n);
        used += n;
    }
    void flush()
    {
        if (used)
            out.append(buffer, used);
        used = 0;
    }
    Sink& out;
    char buffer[16 * 1024];
    size_t used = 0;
};

// Reply texts: & < > and carriage return as references, what XML cannot carry as U+FFFD (a
// reply is well-formed whatever was stored).
template <class Sink>
void AppendEscaped(Sink& out, const std::string& utf8)
{
    BufferedSink<Sink> buffered(out);
    xmlchars::AppendXmlEscaped(buffered, utf8, xmlchars::kReplyText);
    buffered.flush();
}

// Counts the bytes instead of keeping them.
struct SizeSink {
    size_t size = 0;
    void append(const char*, size_t n) { size += n; }
};

// Gathers the bytes into pieces of kReplyPiece and hands each on when full.
class PieceSink {
public:
    explicit PieceSink(const ReplyWrite& write) : m_write(write) { m_piece.reserve(kReplyPiece); }

    void append(const char* data, size_t n)
    {
        while (n > 0 && m_ok) {
            const size_t take = std::min(n, kReplyPiece - m_piece.size());
            m_piece.append(data, take);
            data += take;
            n -= take;
            if (m_piece.size() == kReplyPiece)
                Flush();
        }
    }
    bool Finish()
    {
        if (!m_piece.empty())
            Flush();
        return m_ok;
    }

private:
    void Flush()
    {
        m_ok = m_ok && m_write(m_piece.data(), m_piece.size());
        m_piece.clear();
    }

    const ReplyWrite& m_write;
    std::string m_piece;
    bool m_ok = true;
};

}  // namespace

std::string EscapeXmlText(const std::string& utf8)
{
    return xmlchars::XmlEscaped(utf8, xmlchars::kReplyText);
}

namespace {

std::string EscapeAttribute(const std::string& utf8)
{
    return xmlchars::XmlEscaped(utf8, xmlchars::kReplyAttribute);
}

const char kHead[] = "<?xml version=\"1.0\" encoding=\"utf-8\"?>"
                     "<soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\"><soap:Body>";
const char kTail[] = "</soap:Body></soap:Envelope>";

}  // namespace

namespace {

template <class Sink>
void WriteResponseTo(Sink& out, const std::string& operation, const std::vector<SoapArg>& results)
{
    Append(out, kHead);
    Append(out, "<");
    Append(out, operation);
    Append(out, "Response xmlns=\"");
    Append(out, kServiceNamespace);
    Append(out, "\">");
    for (const SoapArg& r : results) {
        Append(out, "<");
        Append(out, r.name);
        Append(out, ">");
        AppendEscaped(out, r.text);
        Append(out, "</");
        Append(out, r.name);
        Append(out, ">");
    }
    Append(out, "</");
    Append(out, operation);
    Append(out, "Response>");
    Append(out, kTail);
}

}  // namespace

size_t ResponseSize(const std::string& operation, const std::vector<SoapArg>& results)
{
    SizeSink size;
    WriteResponseTo(size, operation, results);
    return size.size;
}

std::string WriteResponse(const std::string& operation, const std::vector<SoapArg>& results)
{
    // Written in one pass into a reply given room for twice its texts at once (a project's
    // text escaped grows by about half; pages of the room never written are never touched),
    // rather than measured by escaping it twice.
    size_t room = 2 * operation.size() + 512;
    for (const SoapArg& r : results)
        room += 2 * r.name.size() + 5 + 2 * r.text.size();
    std::string out;
    out.reserve(room);
    WriteResponseTo(out, operation, results);
    return out;
}

bool WriteResponse(const std::string& operation, const std::vector<SoapArg>& results, const ReplyWrite& write)
{
    PieceSink out(write);
    WriteResponseTo(out, operation, results);
    return out.Finish();
}

std::string WriteFault(const std::string& faultCode, const std::string& faultString)
{
    return std::string(kHead) + "<soap:Fault><faultcode>" + EscapeXmlText(faultCode) + "</faultcode><faultstring>" +
           EscapeXmlText(faultString) + "</faultstring></soap:Fault>" + kTail;
}

std::string WriteServiceDescription(const std::string& endpoint)
{
    const std::string ns = kServiceNamespace;
    std::string out = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                      "<definitions xmlns=\"http://schemas.xmlsoap.org/wsdl/\""
                      " xmlns:soap=\"http://schemas.xmlsoap.org/wsdl/soap/\""
                      " xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\" xmlns:tns=\"" +
                      ns + "\" name=\"OrveskService\" targetNamespace=\"" + ns + "\">\n";
    out += "  <types>\n    <xsd:schema targetNamespace=\"" + ns + "\" elementFormDefault=\"qualified\">\n";
    auto element = [&](const std::string& name, const char* const* fields, int count) {
        out += "      <xsd:element name=\"" + name + "\"><xsd:complexType><xsd:sequence>";
        for (int i = 0; i < count; ++i)
            out += std::string("<xsd:element name=\"") + fields[i] + "\" type=\"" +
                   (IsNumberField(fields[i]) ? "xsd:int" : "xsd:string") + "\"/>";
        out += "</xsd:sequence></xsd:complexType></xsd:element>\n";
    };
    for (const OperationSpec& op : kOperations) {
        element(op.name, op.args, op.argCount);
        element(std::string(op.name) + "Response", op.results, op.resultCount);
    }
    out += "    </xsd:schema>\n  </types>\n";
    for (const OperationSpec& op : kOperations) {
        std::string name = op.name;
        out += "  <message name=\"" + name + "In\"><part name=\"parameters\" element=\"tns:" + name + "\"/></message>\n";
        out += "  <message name=\"" + name + "Out\"><part name=\"parameters\" element=\"tns:" + name +
               "Response\"/></message>\n";
    }
    out += "  <portType name=\"OrveskServicePortType\">\n";
    for (const OperationSpec& op : kOperations) {
        std::string name = op.name;
        out += "    <operation name=\"" + name + "\"><input message=\"tns:" + name + "In\"/><output message=\"tns:" +
               name + "Out\"/></operation>\n";
    }
    out += "  </portType>\n  <binding name=\"OrveskServiceBinding\" type=\"tns:OrveskServicePortType\">\n"
           "    <soap:binding style=\"document\" transport=\"http://schemas.xmlsoap.org/soap/http\"/>\n";
    for (const OperationSpec& op : kOperations) {
        std::string name = op.name;
        out += "    <operation name=\"" + name + "\"><soap:operation soapAction=\"" + ns + "/" + name +
               "\" style=\"document\"/><input><soap:body use=\"literal\"/></input><output><soap:body "
               "use=\"literal\"/></output></operation>\n";
    }
    out += "  </binding>\n  <service name=\"OrveskService\">\n    <port name=\"OrveskServicePort\" "
           "binding=\"tns:OrveskServiceBinding\"><soap:address location=\"" +
           EscapeAttribute(endpoint) + "\"/></port>\n  </service>\n</definitions>\n";
    return out;
}

}  // namespace projectserver
