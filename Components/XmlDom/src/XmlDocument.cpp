// Loading a text into the DOM.
#include <XmlDom/XmlDom.h>

#include "XmlText.h"

#include <pugixml.hpp>

#include <string>

namespace {

unsigned int ParseOptions(BOOL preserveWhiteSpace)
{
    // No end-of-line folding and no whitespace folding in attributes: values keep their
    // bytes. Parsed as a fragment so that text outside the document element is seen (and
    // refused below) rather than silently dropped.
    unsigned int options = pugi::parse_cdata | pugi::parse_escapes | pugi::parse_comments | pugi::parse_pi |
                           pugi::parse_fragment;
    if (preserveWhiteSpace)
        options |= pugi::parse_ws_pcdata;
    return options;
}

bool IsWhiteSpace(const char* s)
{
    for (; *s; ++s) {
        if (*s != ' ' && *s != '\t' && *s != '\r' && *s != '\n')
            return false;
    }
    return true;
}

// Depth of the deepest element (a top-level element has depth 1), walked without
// recursion; stops counting past the limit.
int ElementDepth(pugi::xml_node root, int limit)
{
    int depth = 1, deepest = 0;
    pugi::xml_node cur = root.first_child();
    while (cur) {
        if (cur.type() == pugi::node_element && depth > deepest) {
            deepest = depth;
            if (deepest > limit)
                return deepest;
        }
        if (cur.first_child()) {
            cur = cur.first_child();
            ++depth;
            continue;
        }
        while (!cur.next_sibling()) {
            cur = cur.parent();
            --depth;
            if (!cur || cur == root)
                return deepest;
        }
        cur = cur.next_sibling();
    }
    return deepest;
}

} // namespace

CXmlDocument::CXmlDocument() : m_doc(new pugi::xml_document) {}

CXmlDocument::~CXmlDocument() = default;

BOOL CXmlDocument::Fail(const char* utf8Reason, long offset)
{
    m_doc->reset();
    m_bLoaded = FALSE;
    m_strError = xmldom::ToCString(utf8Reason);
    m_nErrorOffset = offset;
    return FALSE;
}

BOOL CXmlDocument::LoadXml(const CString& cp936Text)
{
    return LoadXmlUtf8(xmldom::ToUtf8(cp936Text));
}

BOOL CXmlDocument::LoadXmlUtf8(const std::string& utf8Text)
{
    m_doc->reset();
    m_bLoaded = FALSE;
    m_strError = CString();
    m_nErrorOffset = -1;

    pugi::xml_parse_result result;
    try {
        result = m_doc->load_buffer(utf8Text.data(), utf8Text.size(), ParseOptions(m_bPreserveWhiteSpace),
                                    pugi::encoding_utf8);
    } catch (...) {
        return Fail("out of memory while reading the XML text", -1);
    }
    if (!result) {
        std::string reason = std::string("XML error: ") + result.description();
        return Fail(reason.c_str(), (long)result.offset);
    }

    int elements = 0;
    for (pugi::xml_node n = m_doc->first_child(); n; n = n.next_sibling()) {
        if (n.type() == pugi::node_element)
            ++elements;
        else if (n.type() == pugi::node_pcdata || n.type() == pugi::node_cdata) {
            if (!IsWhiteSpace(n.value()))
                return Fail("XML error: text outside the document element", (long)n.offset_debug());
        }
    }
    if (elements == 0)
        return Fail("XML error: no document element", -1);
    if (elements > 1)
        return Fail("XML error: more than one document element", -1);
    if (m_nMaxDepth > 0 && ElementDepth(*m_doc, m_nMaxDepth) > m_nMaxDepth)
        return Fail("XML error: elements nested too deeply", -1);

    // Whitespace between the top-level nodes is not part of the tree.
    for (pugi::xml_node n = m_doc->first_child(); n;) {
        pugi::xml_node next = n.next_sibling();
        if (n.type() == pugi::node_pcdata)
            m_doc->remove_child(n);
        n = next;
    }
    m_bLoaded = TRUE;
    return TRUE;
}

CXmlNode CXmlDocument::documentElement() const
{
    if (!m_bLoaded)
        return CXmlNode();
    return CXmlNode(m_doc->document_element().internal_object());
}

CXmlNode CXmlDocument::documentNode() const
{
    if (!m_bLoaded)
        return CXmlNode();
    return CXmlNode(m_doc->internal_object());
}
