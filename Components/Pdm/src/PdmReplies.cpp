// Writing and reading the product-data answers of the project server.
#include <Pdm/PdmReplies.h>

#include <ClassLib/Core/XmlTextWriter.h>

#include <pugixml.hpp>

#include <cstdlib>
#include <cstring>

const char kPdmXmlType[] = "text/xml; charset=utf-8";
const size_t kPdmMaxAnswerBytes = 8u * 1024u * 1024u;

namespace {

const char kDeclaration[] = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n";

// An attribute value: markup characters and the line characters as references, and what XML
// cannot carry (a record stored before names were checked) as U+FFFD.
void AppendEscaped(std::string& out, const std::string& text)
{
    xmlchars::AppendXmlEscaped(out, text, xmlchars::kReplyAttribute);
}

void AppendAttribute(std::string& out, const char* name, const std::string& value)
{
    out += ' ';
    out += name;
    out += "=\"";
    AppendEscaped(out, value);
    out += '"';
}

void AppendNumber(std::string& out, const char* name, long long value)
{
    out += ' ';
    out += name;
    out += "=\"";
    out += std::to_string(value);
    out += '"';
}

// The answer's document element, when the body is whole XML with that element.
bool OpenAnswer(const std::string& body, const char* root, pugi::xml_document& doc, pugi::xml_node& node,
                std::string& error)
{
    if (body.size() > kPdmMaxAnswerBytes) {
        error = "the answer is larger than " + std::to_string(kPdmMaxAnswerBytes) + " bytes";
        return false;
    }
    pugi::xml_parse_result parsed = doc.load_buffer(body.data(), body.size(), pugi::parse_default, pugi::encoding_utf8);
    if (!parsed) {
        error = std::string("the answer is not XML (") + parsed.description() + " at byte " +
                std::to_string(parsed.offset) + ")";
        return false;
    }
    node = doc.document_element();
    if (std::strcmp(node.name(), root) != 0) {
        error = std::string("the answer is <") + node.name() + ">, not <" + root + ">";
        return false;
    }
    return true;
}

bool IdAttribute(const pugi::xml_node& node, const char* name, int32_t& value, std::string& error)
{
    pugi::xml_attribute a = node.attribute(name);
    if (!a || !PdmParseId(a.value(), value)) {
        error = std::string("<") + node.name() + "> has no whole number " + name;
        return false;
    }
    return true;
}

bool NameAttribute(const pugi::xml_node& node, const char* name, std::string& value, std::string& error)
{
    pugi::xml_attribute a = node.attribute(name);
    value = a.value();
    if (!a || !CPdmStore::IsValidName(value)) {
        error = std::string("<") + node.name() + "> has no valid " + name + " (\"" + value.substr(0, 64) + "\")";
        return false;
    }
    return true;
}

// The records of a list answer: the element children of its document element, each of the
// one kind, read by `read`; none when any fails.
template <class Row, class F>
bool ReadRecords(const std::string& body, const char* root, const char* element, std::vector<Row>& rows,
                 std::string& error, F read)
{
    rows.clear();
    pugi::xml_document doc;
    pugi::xml_node list;
    if (!OpenAnswer(body, root, doc, list, error))
        return false;
    for (pugi::xml_node child = list.first_child(); child; child = child.next_sibling()) {
        if (child.type() != pugi::node_element)
            continue;
        Row row;
        if (std::strcmp(child.name(), element) != 0) {
            error = std::string("<") + root + "> holds <" + child.name() + ">";
        } else if (read(child, row)) {
            rows.push_back(std::move(row));
            continue;
        }
        rows.clear();
        return false;
    }
    return true;
}

}  // namespace

bool PdmParseId(const std::string& text, int32_t& value)
{
    if (text.empty() || text.size() > 11)
        return false;
    size_t i = text[0] == '-' ? 1 : 0;
    if (i == text.size())
        return false;
    for (size_t k = i; k < text.size(); ++k)
        if (text[k] < '0' || text[k] > '9')
            return false;
    long long v = std::atoll(text.c_str());
    if (v < INT32_MIN || v > INT32_MAX)
        return false;
    value = static_cast<int32_t>(v);
    return true;
}

std::string PdmPercentEncode(const std::string& bytes)
{
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : bytes) {
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.' || c == '-' ||
            c == '_')
            out += static_cast<char>(c);
        else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 15];
        }
    }
    return out;
}

std::string WritePdmNodes(const std::vector<PdmNodeRow>& rows)
{
    std::string out = kDeclaration;
    out.reserve(out.size() + 24 + rows.size() * 80);
    out += "<PdmNodes>";
    for (const PdmNodeRow& r : rows) {
        out += "<Node";
        AppendNumber(out, "ClassID", r.classId);
        AppendNumber(out, "ObjectID", r.objectId);
        AppendNumber(out, "HasChildren", r.hasChildren ? 1 : 0);
        AppendAttribute(out, "Name", r.name);
        out += "/>\n";
    }
    out += "</PdmNodes>\n";
    return out;
}

std::string WritePdmDocuments(const std::vector<PdmDocRow>& rows)
{
    std::string out = kDeclaration;
    out.reserve(out.size() + 32 + rows.size() * 120);
    out += "<PdmDocuments>";
    for (const PdmDocRow& r : rows) {
        out += "<Document";
        AppendNumber(out, "ClassID", r.classId);
        AppendNumber(out, "ObjectID", r.objectId);
        AppendNumber(out, "Size", r.size);
        AppendAttribute(out, "Modified", r.modified);
        AppendAttribute(out, "FileName", r.fileName);
        out += "/>\n";
    }
    out += "</PdmDocuments>\n";
    return out;
}

std::string WritePdmClasses(const std::vector<PdmClassRow>& rows)
{
    std::string out = kDeclaration;
    out += "<PdmClasses>";
    for (const PdmClassRow& r : rows) {
        out += "<Class";
        AppendNumber(out, "ClassID", r.classId);
        AppendAttribute(out, "Name", r.name);
        out += "/>\n";
    }
    out += "</PdmClasses>\n";
    return out;
}

std::string WritePdmStoreReady()
{
    return std::string(kDeclaration) + "<PdmStore/>\n";
}

std::string WritePdmAdded(int32_t objectId)
{
    std::string out = std::string(kDeclaration) + "<PdmAdded";
    AppendNumber(out, "ObjectID", objectId);
    return out + "/>\n";
}

std::string PdmErrorForClients(const std::string& storeError)
{
    // The store names its file for the one who runs it; a client is not told where it is.
    const std::string prefix = "product-data store \"";
    if (storeError.compare(0, prefix.size(), prefix) != 0)
        return storeError;
    const size_t close = storeError.find("\": ", prefix.size());
    if (close == std::string::npos)
        return storeError;
    return "product-data store: " + storeError.substr(close + 3);
}

std::string WritePdmError(const std::string& why, bool refused)
{
    std::string out = std::string(kDeclaration) + "<PdmError";
    AppendNumber(out, "Refused", refused ? 1 : 0);
    out += '>';
    AppendEscaped(out, PdmErrorForClients(why));
    return out + "</PdmError>\n";
}

bool ReadPdmNodes(const std::string& body, std::vector<PdmNodeRow>& rows, std::string& error)
{
    return ReadRecords(body, "PdmNodes", "Node", rows, error, [&](const pugi::xml_node& n, PdmNodeRow& r) {
        int32_t children = 0;
        if (!IdAttribute(n, "ClassID", r.classId, error) || !IdAttribute(n, "ObjectID", r.objectId, error) ||
            !IdAttribute(n, "HasChildren", children, error) || !NameAttribute(n, "Name", r.name, error))
            return false;
        r.hasChildren = children != 0;
        return true;
    });
}

bool ReadPdmDocuments(const std::string& body, std::vector<PdmDocRow>& rows, std::string& error)
{
    return ReadRecords(body, "PdmDocuments", "Document", rows, error, [&](const pugi::xml_node& n, PdmDocRow& r) {
        if (!IdAttribute(n, "ClassID", r.classId, error) || !IdAttribute(n, "ObjectID", r.objectId, error) ||
            !NameAttribute(n, "FileName", r.fileName, error))
            return false;
        const char* size = n.attribute("Size").value();
        char* end = nullptr;
        long long bytes = std::strtoll(size, &end, 10);
        if (!*size || *end || bytes < 0) {
            error = "<Document> has no size";
            return false;
        }
        r.size = bytes;
        r.modified = n.attribute("Modified").value();
        if (r.modified.size() > 32) {
            error = "<Document> has no time";
            return false;
        }
        return true;
    });
}

bool ReadPdmClasses(const std::string& body, std::vector<PdmClassRow>& rows, std::string& error)
{
    return ReadRecords(body, "PdmClasses", "Class", rows, error, [&](const pugi::xml_node& n, PdmClassRow& r) {
        return IdAttribute(n, "ClassID", r.classId, error) && NameAttribute(n, "Name", r.name, error);
    });
}

bool ReadPdmStoreReady(const std::string& body, std::string& error)
{
    pugi::xml_document doc;
    pugi::xml_node root;
    return OpenAnswer(body, "PdmStore", doc, root, error);
}

bool ReadPdmAdded(const std::string& body, int32_t& objectId, std::string& error)
{
    pugi::xml_document doc;
    pugi::xml_node root;
    int32_t id = 0;
    if (!OpenAnswer(body, "PdmAdded", doc, root, error) || !IdAttribute(root, "ObjectID", id, error))
        return false;
    if (id == 0) {
        error = "the added document has object id 0";
        return false;
    }
    objectId = id;
    return true;
}

bool ReadPdmError(const std::string& body, std::string& why, bool& refused)
{
    pugi::xml_document doc;
    pugi::xml_node root;
    std::string error;
    if (!OpenAnswer(body, "PdmError", doc, root, error))
        return false;
    why = root.text().get();
    refused = std::strcmp(root.attribute("Refused").value(), "1") == 0;
    return true;
}
