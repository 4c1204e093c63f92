// Navigation and queries of the DOM's node handle.
#include <XmlDom/XmlDom.h>

#include "XmlText.h"

#include <pugixml.hpp>

#include <cstring>

using xmldom::ToCString;

namespace {

pugi::xml_node Wrap(pugi::xml_node_struct* node) { return pugi::xml_node(node); }

// The text an element starts with is kept in the element itself (the parser embeds it, one
// node less per leaf). It is shown as the element's first child all the same: a handle with
// the element's address and the low bit set (nodes are aligned, so the bit is free).
const uintptr_t kEmbeddedText = 1;

bool IsEmbedded(pugi::xml_node_struct* node) { return (reinterpret_cast<uintptr_t>(node) & kEmbeddedText) != 0; }

pugi::xml_node_struct* OwnerOf(pugi::xml_node_struct* node)
{
    return reinterpret_cast<pugi::xml_node_struct*>(reinterpret_cast<uintptr_t>(node) & ~kEmbeddedText);
}

pugi::xml_node_struct* EmbeddedTextOf(pugi::xml_node_struct* element)
{
    return reinterpret_cast<pugi::xml_node_struct*>(reinterpret_cast<uintptr_t>(element) | kEmbeddedText);
}

// An element's embedded text ("" when the element starts with no text).
const char* EmbeddedValue(pugi::xml_node node) { return node.type() == pugi::node_element ? node.value() : ""; }
bool HasEmbeddedText(pugi::xml_node node) { return *EmbeddedValue(node) != '\0'; }

// Compares a UTF-8 name with a code page 936 one; ASCII names need no conversion.
bool SameName(const char* utf8, LPCTSTR cp936)
{
    bool ascii = true;
    for (const char* p = cp936; *p; ++p) {
        if ((unsigned char)*p >= 0x80) {
            ascii = false;
            break;
        }
    }
    if (ascii)
        return std::strcmp(utf8, cp936) == 0;
    return xmldom::ToUtf8(cp936, std::strlen(cp936)) == utf8;
}

void AppendCharacterData(pugi::xml_node node, std::string& out)
{
    // Iterative pre-order walk so that a deep tree cannot exhaust the stack.
    pugi::xml_node root = node;
    out += EmbeddedValue(root);
    pugi::xml_node cur = node.first_child();
    while (cur && cur != root) {
        if (cur.type() == pugi::node_pcdata || cur.type() == pugi::node_cdata)
            out += cur.value();
        else
            out += EmbeddedValue(cur);
        if (cur.first_child()) {
            cur = cur.first_child();
            continue;
        }
        while (cur && cur != root && !cur.next_sibling())
            cur = cur.parent();
        if (cur && cur != root)
            cur = cur.next_sibling();
    }
}

pugi::xml_attribute AttributeAt(pugi::xml_node node, int index)
{
    if (index < 0)
        return pugi::xml_attribute();
    int i = 0;
    for (pugi::xml_attribute a = node.first_attribute(); a; a = a.next_attribute(), ++i) {
        if (i == index)
            return a;
    }
    return pugi::xml_attribute();
}

pugi::xml_attribute FindAttribute(pugi::xml_node node, LPCTSTR name)
{
    if (!name)
        return pugi::xml_attribute();
    for (pugi::xml_attribute a = node.first_attribute(); a; a = a.next_attribute()) {
        if (SameName(a.name(), name))
            return a;
    }
    return pugi::xml_attribute();
}

} // namespace

XmlNodeType CXmlNode::nodeType() const
{
    if (!m_node)
        return XML_NODE_NULL;
    if (IsEmbedded(m_node))
        return XML_NODE_TEXT;
    switch (Wrap(m_node).type()) {
    case pugi::node_element: return XML_NODE_ELEMENT;
    case pugi::node_pcdata: return XML_NODE_TEXT;
    case pugi::node_cdata: return XML_NODE_CDATA;
    case pugi::node_comment: return XML_NODE_COMMENT;
    case pugi::node_pi: return XML_NODE_PI;
    case pugi::node_document: return XML_NODE_DOCUMENT;
    default: return XML_NODE_NULL;
    }
}

BOOL CXmlNode::isText() const
{
    XmlNodeType t = nodeType();
    return t == XML_NODE_TEXT || t == XML_NODE_CDATA;
}

CString CXmlNode::nodeName() const
{
    switch (nodeType()) {
    case XML_NODE_ELEMENT:
    case XML_NODE_PI: return ToCString(Wrap(m_node).name());
    case XML_NODE_TEXT: return CString("#text");
    case XML_NODE_CDATA: return CString("#cdata-section");
    case XML_NODE_COMMENT: return CString("#comment");
    case XML_NODE_DOCUMENT: return CString("#document");
    default: return CString();
    }
}

BOOL CXmlNode::nameIs(LPCTSTR name) const
{
    if (!m_node || !name)
        return FALSE;
    switch (nodeType()) {
    case XML_NODE_ELEMENT:
    case XML_NODE_PI: return SameName(Wrap(m_node).name(), name) ? TRUE : FALSE;
    default: return nodeName() == name ? TRUE : FALSE;
    }
}

CString CXmlNode::nodeValue() const
{
    if (!m_node)
        return CString();
    if (IsEmbedded(m_node))
        return ToCString(Wrap(OwnerOf(m_node)).value());
    const pugi::xml_node node = Wrap(m_node);
    switch (node.type()) {
    case pugi::node_pcdata:
    case pugi::node_cdata:
    case pugi::node_comment:
    case pugi::node_pi: return ToCString(node.value());
    default: return CString();
    }
}

// These two are asked for once per leaf by the large readers: one look at the node's kind.
const char* CXmlNode::nameUtf8() const
{
    if (!m_node || IsEmbedded(m_node))
        return "";
    const pugi::xml_node node = Wrap(m_node);
    const pugi::xml_node_type type = node.type();
    return type == pugi::node_element || type == pugi::node_pi ? node.name() : "";
}

const char* CXmlNode::valueUtf8() const
{
    if (!m_node)
        return "";
    if (IsEmbedded(m_node))
        return Wrap(OwnerOf(m_node)).value();
    const pugi::xml_node node = Wrap(m_node);
    switch (node.type()) {
    case pugi::node_pcdata:
    case pugi::node_cdata:
    case pugi::node_comment:
    case pugi::node_pi: return node.value();
    default: return "";
    }
}

const char* CXmlNode::elementNameUtf8() const
{
    if (!m_node || IsEmbedded(m_node))
        return nullptr;
    const pugi::xml_node node = Wrap(m_node);
    return node.type() == pugi::node_element ? node.name() : nullptr;
}

const char* CXmlNode::firstChildTextUtf8() const
{
    if (!m_node || IsEmbedded(m_node))
        return "";
    const pugi::xml_node node = Wrap(m_node);
    if (node.type() == pugi::node_element) {
        const char* embedded = node.value();
        if (*embedded)
            return embedded;
    }
    const pugi::xml_node child = node.first_child();
    if (!child)
        return "";
    const pugi::xml_node_type childType = child.type();
    return childType == pugi::node_pcdata || childType == pugi::node_cdata ? child.value() : nullptr;
}

const char* CXmlNode::elementNameUtf8(const char*& text) const
{
    text = "";
    if (!m_node || IsEmbedded(m_node))
        return nullptr;
    const pugi::xml_node node = Wrap(m_node);
    if (node.type() != pugi::node_element)
        return nullptr;
    const char* embedded = node.value();
    if (*embedded) {
        text = embedded;
    } else if (const pugi::xml_node child = node.first_child()) {
        const pugi::xml_node_type childType = child.type();
        text = childType == pugi::node_pcdata || childType == pugi::node_cdata ? child.value() : nullptr;
    }
    return node.name();
}

CXmlElementBatch::CXmlElementBatch(const CXmlNode& parent)
{
    if (parent.m_node && !IsEmbedded(parent.m_node))
        m_next = Wrap(parent.m_node).first_child().internal_object();
}

int CXmlElementBatch::Next()
{
    int count = 0;
    pugi::xml_node node = Wrap(m_next);
    for (; node && count < kSize; node = node.next_sibling()) {
        if (node.type() != pugi::node_element)
            continue;
        Item& item = m_items[count++];
        item.node = CXmlNode(node.internal_object());
        item.name = node.name();
        const char* embedded = node.value();
        if (*embedded) {
            item.text = embedded;
        } else if (const pugi::xml_node child = node.first_child()) {
            const pugi::xml_node_type childType = child.type();
            item.text = childType == pugi::node_pcdata || childType == pugi::node_cdata ? child.value() : nullptr;
        } else {
            item.text = "";
        }
    }
    m_next = node.internal_object();
    return count;
}

CString CXmlNode::text() const
{
    if (!m_node)
        return CString();
    if (IsEmbedded(m_node))
        return ToCString(Wrap(OwnerOf(m_node)).value());
    const pugi::xml_node node = Wrap(m_node);
    switch (node.type()) {
    case pugi::node_element:
    case pugi::node_document: {
        // The common leaf, one text child alone, needs no gathering.
        const pugi::xml_node child = node.first_child();
        if (!child)
            return ToCString(EmbeddedValue(node));
        if (!HasEmbeddedText(node)) {
            const pugi::xml_node_type childType = child.type();
            if ((childType == pugi::node_pcdata || childType == pugi::node_cdata) && !child.next_sibling())
                return ToCString(child.value());
        }
        std::string all;
        AppendCharacterData(node, all);
        return ToCString(all.data(), all.size());
    }
    case pugi::node_pcdata:
    case pugi::node_cdata:
    case pugi::node_comment:
    case pugi::node_pi: return ToCString(node.value());
    default: return CString();
    }
}

CXmlNode CXmlNode::firstChild() const
{
    if (!m_node || IsEmbedded(m_node))
        return CXmlNode();
    const pugi::xml_node node = Wrap(m_node);
    if (HasEmbeddedText(node))
        return CXmlNode(EmbeddedTextOf(m_node));
    return CXmlNode(node.first_child().internal_object());
}

CXmlNode CXmlNode::lastChild() const
{
    if (!m_node || IsEmbedded(m_node))
        return CXmlNode();
    const pugi::xml_node node = Wrap(m_node);
    if (pugi::xml_node last = node.last_child())
        return CXmlNode(last.internal_object());
    return HasEmbeddedText(node) ? CXmlNode(EmbeddedTextOf(m_node)) : CXmlNode();
}

CXmlNode CXmlNode::nextSibling() const
{
    if (!m_node)
        return CXmlNode();
    if (IsEmbedded(m_node))
        return CXmlNode(Wrap(OwnerOf(m_node)).first_child().internal_object());
    return CXmlNode(Wrap(m_node).next_sibling().internal_object());
}

CXmlNode CXmlNode::previousSibling() const
{
    if (!m_node || IsEmbedded(m_node))
        return CXmlNode();
    const pugi::xml_node node = Wrap(m_node);
    if (pugi::xml_node previous = node.previous_sibling())
        return CXmlNode(previous.internal_object());
    const pugi::xml_node parent = node.parent();
    return parent && HasEmbeddedText(parent) ? CXmlNode(EmbeddedTextOf(parent.internal_object())) : CXmlNode();
}

CXmlNode CXmlNode::parentNode() const
{
    if (!m_node)
        return CXmlNode();
    if (IsEmbedded(m_node))
        return CXmlNode(OwnerOf(m_node));
    return CXmlNode(Wrap(m_node).parent().internal_object());
}

CXmlNode CXmlNode::childElement(LPCTSTR name) const
{
    for (CXmlNode c = firstChild(); !c.isNull(); c = c.nextSibling()) {
        if (c.isElement() && c.nameIs(name))
            return c;
    }
    return CXmlNode();
}

int CXmlNode::attributeCount() const
{
    if (!isElement())
        return 0;
    int n = 0;
    for (pugi::xml_attribute a = Wrap(m_node).first_attribute(); a; a = a.next_attribute())
        ++n;
    return n;
}

CString CXmlNode::attributeName(int index) const
{
    if (!isElement())
        return CString();
    pugi::xml_attribute a = AttributeAt(Wrap(m_node), index);
    return a ? ToCString(a.name()) : CString();
}

CString CXmlNode::attributeValue(int index) const
{
    if (!isElement())
        return CString();
    pugi::xml_attribute a = AttributeAt(Wrap(m_node), index);
    return a ? ToCString(a.value()) : CString();
}

BOOL CXmlNode::hasAttribute(LPCTSTR name) const
{
    if (!isElement())
        return FALSE;
    return FindAttribute(Wrap(m_node), name) ? TRUE : FALSE;
}

CString CXmlNode::getAttribute(LPCTSTR name) const
{
    if (!isElement())
        return CString();
    pugi::xml_attribute a = FindAttribute(Wrap(m_node), name);
    return a ? ToCString(a.value()) : CString();
}
