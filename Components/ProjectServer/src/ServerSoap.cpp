// SOAP reading and writing of the project server.
#include "ServerSoap.h"

#include "ServerText.h"

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

const std::vector<OperationSpec> kOperations = {
    {"Login", {"userCode", "password"}, 2, {"Reply"}, 1},
    {"GetProjectList", {"userCode"}, 1, {"Result", "ProjectList"}, 2},
    {"GetProjectData", {"projectId"}, 1, {"Result", "ProjectData"}, 2},
    {"NewProject", {"projectData"}, 1, {"Result", "ProjectId"}, 2},
    {"DeleteProject", {"projectId", "reserved"}, 2, {"Result"}, 1},
    {"SetProjectStatus", {"projectId", "status"}, 2, {"Result"}, 1},
    {"SaveProject", {"projectId", "projectData"}, 2, {"Result", "Reply"}, 2},
    {"GetCalendar", {"projectId"}, 1, {"Result", "CalendarData"}, 2},
    {"SaveCalendar", {"projectId", "calendarData"}, 2, {"Result"}, 1},
    {"GetUsersPermission", {"projectId"}, 1, {"Result", "PermissionData"}, 2},
    {"SaveUsersPermission", {"projectId", "permissionData"}, 2, {"Result"}, 1},
    {"GetResources", {}, 0, {"Result", "ResourceData"}, 2},
    {"NewTask", {"first", "parentTaskId", "taskData"}, 3, {"Result", "TaskId"}, 2},
};

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
    static const char* const kNumbers[] = {"projectId", "status", "first", "parentTaskId", "Result", "ProjectId", "TaskId"};
    for (const char* n : kNumbers)
        if (std::strcmp(n, name) == 0)
            return true;
    return false;
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

// The bytes that go out as they are: printable ASCII but & < >, and tab and line feed.
struct PlainBytes {
    bool plain[256] = {};
    PlainBytes()
    {
        for (int b = 0x20; b < 0x80; ++b)
            plain[b] = b != '&' && b != '<' && b != '>';
        plain[static_cast<unsigned char>('\t')] = plain[static_cast<unsigned char>('\n')] = true;
    }
};
const PlainBytes kPlain;

// Appends the text escaped (& < > and carriage return), gathered in a buffer of its own and
// handed on a buffer at a time (a project's text has markup every few bytes: one append of
// the sink for each would cost more than the escaping). A sequence that is not UTF-8 and a
// character XML cannot carry become U+FFFD: a reply is well-formed whatever was stored.
template <class Sink>
void AppendEscaped(Sink& out, const std::string& utf8)
{
    const size_t kRoom = 16 * 1024;
    const size_t kLongest = 5;  // "&amp;", "&#13;"; no UTF-8 sequence is longer than 4
    char buffer[kRoom];
    char* q = buffer;
    char* const full = buffer + kRoom - kLongest;
    const char* p = utf8.data();
    const char* const end = p + utf8.size();
    while (p < end) {
        if (q > full) {
            out.append(buffer, static_cast<size_t>(q - buffer));
            q = buffer;
        }
        const unsigned char b = static_cast<unsigned char>(*p);
        if (kPlain.plain[b]) {
            *q++ = static_cast<char>(b);
            ++p;
            continue;
        }
        // Three bytes led by E1-EC or EE (U+1000-U+CFFF, U+E000-U+EFFF: most CJK text) are
        // a character XML carries whenever both others continue it.
        if (((b >= 0xE1 && b <= 0xEC) || b == 0xEE) && end - p >= 3 &&
            (static_cast<unsigned char>(p[1]) & 0xC0) == 0x80 && (static_cast<unsigned char>(p[2]) & 0xC0) == 0x80) {
            q[0] = p[0];
            q[1] = p[1];
            q[2] = p[2];
            q += 3;
            p += 3;
            continue;
        }
        const char* escaped = nullptr;
        size_t length = 1;
        switch (b) {
        case '&': escaped = "&amp;"; length = 5; break;
        case '<': escaped = "&lt;"; length = 4; break;
        case '>': escaped = "&gt;"; length = 4; break;
        case '\r': escaped = "&#13;"; length = 5; break;
        default: {
            unsigned long c = 0;
            if (b >= 0x80 && DecodeUtf8(p, end, c, length) && IsXmlChar(c)) {
                std::memcpy(q, p, length);
                q += length;
                p += length;
                continue;
            }
            // One byte replaced (DecodeUtf8 gives 1 for a sequence it refuses), or one
            // character XML cannot carry.
            p += length;
            escaped = "\xEF\xBF\xBD";
            length = 3;
            std::memcpy(q, escaped, length);
            q += length;
            continue;
        }
        }
        std::memcpy(q, escaped, length);
        q += length;
        ++p;
    }
    out.append(buffer, static_cast<size_t>(q - buffer));
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
    SizeSink size;
    AppendEscaped(size, utf8);
    std::string out;
    out.reserve(size.size);
    AppendEscaped(out, utf8);
    return out;
}

namespace {

std::string EscapeAttribute(const std::string& utf8)
{
    std::string out;
    for (char c : EscapeXmlText(utf8)) {
        if (c == '"')
            out += "&quot;";
        else
            out += c;
    }
    return out;
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
