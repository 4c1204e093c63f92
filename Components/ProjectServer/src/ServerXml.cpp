// Canonical XML of the project server.
#include "ServerXml.h"

#include <cstdlib>

namespace projectserver {

const int kMaxXmlDepth = 1024;

bool WithinDepth(pugi::xml_node top, int limit)
{
    // Walked, not recursed: the tree may be as deep as its text allows.
    int depth = 0;
    pugi::xml_node cur = top;
    for (;;) {
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
    const unsigned int options = pugi::parse_cdata | pugi::parse_escapes | pugi::parse_comments |
                                 pugi::parse_pi | pugi::parse_ws_pcdata;
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
    std::string out;
    out.reserve(utf8.size());
    for (char c : utf8) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&apos;"; break;
        case '\r': out += "&#13;"; break;
        default: out += c; break;
        }
    }
    return out;
}

namespace {

void Write(const pugi::xml_node& node, std::string& out)
{
    switch (node.type()) {
    case pugi::node_document:
        for (pugi::xml_node c = node.first_child(); c; c = c.next_sibling())
            Write(c, out);
        break;
    case pugi::node_element:
        out += '<';
        out += node.name();
        for (pugi::xml_attribute a = node.first_attribute(); a; a = a.next_attribute()) {
            out += ' ';
            out += a.name();
            out += "=\"";
            out += EscapeText(a.value());
            out += '"';
        }
        out += '>';
        for (pugi::xml_node c = node.first_child(); c; c = c.next_sibling())
            Write(c, out);
        out += "</";
        out += node.name();
        out += '>';
        break;
    case pugi::node_pcdata: out += EscapeText(node.value()); break;
    case pugi::node_cdata:
        out += "<![CDATA[";
        out += node.value();
        out += "]]>";
        break;
    case pugi::node_comment:
        out += "<!--";
        out += node.value();
        out += "-->";
        break;
    case pugi::node_pi:
        out += "<?";
        out += node.name();
        if (*node.value()) {
            out += ' ';
            out += node.value();
        }
        out += "?>";
        break;
    default: break;
    }
}

} // namespace

std::string WriteCanonical(const pugi::xml_node& node)
{
    std::string out;
    Write(node, out);
    return out;
}

std::string TextOf(pugi::xml_node element)
{
    std::string text;
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
    element.append_child(pugi::node_pcdata).set_value(text.c_str());
}

long NumberOf(pugi::xml_node element) { return std::atol(TextOf(element).c_str()); }

} // namespace projectserver
