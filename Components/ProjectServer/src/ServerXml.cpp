// Canonical XML of the project server.
#include "ServerXml.h"

#include <ClassLib/Core/XmlTextWriter.h>

#include <cstdlib>

namespace projectserver {

const int kMaxXmlDepth = 1024;

bool WithinDepth(pugi::xml_node top, int limit)
{
    // Walked, not recursed: the tree may be as deep as its text allows.
    int depth = 0;
    pugi::xml_node cur = top;
    for (;;) {
        // An element's only text is kept in the element: a level below it all the same.
        if (cur.type() == pugi::node_element && *cur.value() && depth + 1 > limit)
            return false;
        if (cur.first_child()) {
            cur = cur.first_child();
            if (++depth > limit)
                return false;
            continue;
        }
        while (cur != top && !cur.next_sibling()) {
            cur = cur.parent();
            --depth;
        }
        if (cur == top)
            return true;
        cur = cur.next_sibling();
    }
}

bool ParseStored(const std::string& utf8, pugi::xml_document& doc, std::string& error, bool* tooDeep)
{
    if (tooDeep)
        *tooDeep = false;
    // An element's only text is kept in the element itself: half the nodes of a project.
    const unsigned int options = pugi::parse_cdata | pugi::parse_escapes | pugi::parse_comments |
                                 pugi::parse_pi | pugi::parse_ws_pcdata | pugi::parse_embed_pcdata;
    pugi::xml_parse_result result = doc.load_buffer(utf8.data(), utf8.size(), options, pugi::encoding_utf8);
    if (!result) {
        error = std::string(result.description()) + " at offset " + std::to_string(result.offset);
        return false;
    }
    int elements = 0;
    for (pugi::xml_node n = doc.first_child(); n; n = n.next_sibling()) {
        if (n.type() == pugi::node_element)
            ++elements;
    }
    if (elements != 1) {
        error = elements == 0 ? "no document element" : "more than one document element";
        return false;
    }
    // The writer recurses: refuse trees deeper than it is meant to go.
    for (pugi::xml_node n = doc.first_child(); n; n = n.next_sibling()) {
        if (!WithinDepth(n)) {
            error = "elements nested too deeply";
            if (tooDeep)
                *tooDeep = true;
            return false;
        }
    }
    // Whitespace around the document element is not part of the document.
    for (pugi::xml_node n = doc.first_child(); n;) {
        pugi::xml_node next = n.next_sibling();
        if (n.type() == pugi::node_pcdata)
            doc.remove_child(n);
        n = next;
    }
    return true;
}

std::string EscapeText(const std::string& utf8)
{
    return xmlchars::XmlEscaped(utf8, xmlchars::kDocumentText);
}

namespace {

// Counts the bytes instead of keeping them: the text is then written into a string of its
// final size (a project's text is large).
struct SizeSink {
    size_t size = 0;
    void append(const char*, size_t n) { size += n; }
};

template <class Sink>
void Put(Sink& out, const char* text)
{
    out.append(text, std::char_traits<char>::length(text));
}

// Attribute values also keep tab and line feed as references: a reader of the stored text
// would turn literal ones into spaces.
template <class Sink>
void PutEscaped(Sink& out, const char* text, const xmlchars::XmlEscapes& rules = xmlchars::kDocumentText)
{
    xmlchars::AppendXmlEscaped(out, text, rules);
}

template <class Sink>
void Write(const pugi::xml_node& node, Sink& out)
{
    switch (node.type()) {
    case pugi::node_document:
        for (pugi::xml_node c = node.first_child(); c; c = c.next_sibling())
            Write(c, out);
        break;
    case pugi::node_element:
        Put(out, "<");
        Put(out, node.name());
        for (pugi::xml_attribute a = node.first_attribute(); a; a = a.next_attribute()) {
            Put(out, " ");
            Put(out, a.name());
            Put(out, "=\"");
            PutEscaped(out, a.value(), xmlchars::kDocumentAttribute);
            Put(out, "\"");
        }
        Put(out, ">");
        PutEscaped(out, node.value());
        for (pugi::xml_node c = node.first_child(); c; c = c.next_sibling())
            Write(c, out);
        Put(out, "</");
        Put(out, node.name());
        Put(out, ">");
        break;
    case pugi::node_pcdata: PutEscaped(out, node.value()); break;
    case pugi::node_cdata:
        Put(out, "<![CDATA[");
        Put(out, node.value());
        Put(out, "]]>");
        break;
    case pugi::node_comment:
        Put(out, "<!--");
        Put(out, node.value());
        Put(out, "-->");
        break;
    case pugi::node_pi:
        Put(out, "<?");
        Put(out, node.name());
        if (*node.value()) {
            Put(out, " ");
            Put(out, node.value());
        }
        Put(out, "?>");
        break;
    default: break;
    }
}

}  // namespace

std::string WriteCanonical(const pugi::xml_node& node)
{
    SizeSink size;
    Write(node, size);
    std::string out;
    out.reserve(size.size);
    Write(node, out);
    return out;
}

std::string TextOf(pugi::xml_node element)
{
    std::string text = element.value();
    for (pugi::xml_node n = element.first_child(); n; n = n.next_sibling()) {
        if (n.type() == pugi::node_pcdata || n.type() == pugi::node_cdata)
            text += n.value();
    }
    return text;
}

void SetText(pugi::xml_node element, const std::string& text)
{
    while (element.first_child())
        element.remove_child(element.first_child());
    // The element's own text when it has one, else a text node.
    element.text().set(text.c_str());
}

long NumberOf(pugi::xml_node element) { return std::atol(TextOf(element).c_str()); }

} // namespace projectserver
