// A small read-only DOM over an XML text, for the readers that walk a reply element by
// element: document element, first child, next sibling, node name, node type and text.
//
// Texts go in and come out as code page 936 bytes (CString); inside, the document is held
// as UTF-8. The system writes its XML texts itself, so an encoding named in an XML
// declaration is ignored: LoadXml always reads code page 936.
//
// What the tree holds:
//  - Text nodes that are whitespace only are dropped (unless setPreserveWhiteSpace(TRUE)),
//    so the whitespace between elements never shows up as a node.
//  - Comments and CDATA sections are kept as nodes of their own; processing instructions
//    are kept; the XML declaration and a DOCTYPE are not part of the tree.
//  - Line ends and whitespace are kept as they stand in the text (a carriage return is not
//    folded into the line feed that follows it, line ends in attribute values are not
//    turned into blanks), so values come back byte for byte.
//
// A CXmlNode is a light handle; it stays valid while its CXmlDocument lives and is not
// loaded again. A null handle (isNull()) answers every question with an empty value and
// navigates to further null handles, so a walk never needs to test before each step.
#pragma once

#include <ClassLib/Core/WinTypes.h>
#include <ClassLib/Core/String.h>

#include <memory>
#include <string>

namespace pugi {
struct xml_node_struct;
class xml_document;
}

// Node kinds, numbered as in the W3C DOM.
enum XmlNodeType {
    XML_NODE_NULL = 0,        // a null handle
    XML_NODE_ELEMENT = 1,
    XML_NODE_TEXT = 3,
    XML_NODE_CDATA = 4,
    XML_NODE_PI = 7,          // processing instruction
    XML_NODE_COMMENT = 8,
    XML_NODE_DOCUMENT = 9,
};

class CXmlNode {
public:
    CXmlNode() = default;

    BOOL isNull() const { return m_node == nullptr; }
    XmlNodeType nodeType() const;
    BOOL isElement() const { return nodeType() == XML_NODE_ELEMENT; }
    // TRUE for text and CDATA nodes: the nodes that carry character data.
    BOOL isText() const;

    // The element's tag name; "#text", "#cdata-section", "#comment", "#document"; the
    // target of a processing instruction; "" for a null handle.
    CString nodeName() const;
    // Exact, case-sensitive comparison of the node name with a code page 936 name,
    // without building a CString; FALSE for non-elements unless the name matches theirs.
    BOOL nameIs(LPCTSTR name) const;
    // The value of a text, CDATA, comment or processing-instruction node; "" otherwise.
    CString nodeValue() const;
    // The same two as the document holds them, UTF-8, without a conversion or a copy:
    // for readers that compare ASCII names or read numbers and dates. Valid while the
    // document lives; "" where nodeName()/nodeValue() would give a fixed or empty text.
    const char* nameUtf8() const;
    const char* valueUtf8() const;
    // In one call, for readers of many leaves: an element's name as nameUtf8() gives it, NULL
    // for any other node (the question isElement() answers, asked with it)...
    const char* elementNameUtf8() const;
    // ... and the valueUtf8() of the first child when it
    // is a text or CDATA node, "" when there is no first child, NULL when the first child
    // is of another kind (an element, a comment, a processing instruction).
    const char* firstChildTextUtf8() const;
    // Both in one call: the element's name as elementNameUtf8() gives it and, for an
    // element, its first child's text in text as firstChildTextUtf8() gives it.
    const char* elementNameUtf8(const char*& text) const;
    // An element's name lies in the document's own copy of its text, which is followed by
    // spare bytes: kNameReadAhead bytes from the name's start may be read (those past its
    // 0 byte are of no meaning), for readers that compare names a word at a time.
    static constexpr int kNameReadAhead = 16;
    // All descendant character data (text and CDATA) concatenated in document order; for
    // a text, CDATA, comment or processing-instruction node its own value. Nothing is
    // trimmed or normalised.
    CString text() const;

    CXmlNode firstChild() const;
    CXmlNode lastChild() const;
    CXmlNode nextSibling() const;
    CXmlNode previousSibling() const;
    CXmlNode parentNode() const;
    BOOL hasChildNodes() const { return !firstChild().isNull(); }
    // The first child element with this exact name, or a null handle.
    CXmlNode childElement(LPCTSTR name) const;

    // Attributes of an element, in document order.
    int attributeCount() const;
    CString attributeName(int index) const;   // "" when out of range
    CString attributeValue(int index) const;  // "" when out of range
    BOOL hasAttribute(LPCTSTR name) const;
    CString getAttribute(LPCTSTR name) const; // "" when absent

    bool operator==(const CXmlNode& other) const { return m_node == other.m_node; }
    bool operator!=(const CXmlNode& other) const { return m_node != other.m_node; }

private:
    friend class CXmlDocument;
    friend class CXmlElementBatch;
    explicit CXmlNode(pugi::xml_node_struct* node) : m_node(node) {}
    pugi::xml_node_struct* m_node = nullptr;
};

// An element's child elements a batch at a time, each with its name and its first child's
// text as CXmlNode::elementNameUtf8(text) gives them; other children (text, comments) are
// stepped over. For readers of many leaves: one call per batch instead of a few per leaf.
class CXmlElementBatch {
public:
    struct Item {
        CXmlNode node;
        const char* name;
        const char* text;
    };
    static constexpr int kSize = 16;

    explicit CXmlElementBatch(const CXmlNode& parent);
    // Fills the next batch, in document order; its size, 0 after the last child.
    int Next();
    const Item& operator[](int i) const { return m_items[i]; }

private:
    pugi::xml_node_struct* m_next = nullptr;
    Item m_items[kSize];
};

class CXmlDocument {
public:
    CXmlDocument();
    ~CXmlDocument();
    CXmlDocument(const CXmlDocument&) = delete;
    CXmlDocument& operator=(const CXmlDocument&) = delete;

    // Keep whitespace-only text nodes (FALSE, the default, drops them). Takes effect on
    // the next load.
    void setPreserveWhiteSpace(BOOL preserve) { m_bPreserveWhiteSpace = preserve; }
    BOOL preserveWhiteSpace() const { return m_bPreserveWhiteSpace; }
    // Deepest element nesting a load accepts (default 1024); deeper texts are refused so
    // that recursive readers cannot run out of stack.
    void setMaxDepth(int depth) { m_nMaxDepth = depth; }

    // Loads a code page 936 text. TRUE when it is a well-formed document with exactly one
    // document element; otherwise FALSE, the document is empty and GetParseError() says
    // why. Never throws.
    BOOL LoadXml(const CString& cp936Text);
    // The same for a text the caller hands over: it is released (left empty) as soon as
    // it is converted, before the tree is built, so that a large text is not held twice.
    BOOL LoadXml(CString&& cp936Text);
    // The same for a UTF-8 text.
    BOOL LoadXmlUtf8(const std::string& utf8Text);
    // Loads a UTF-8 text the caller hands over as LoadXml loads its code page 936 form
    // (characters the code page cannot hold, and malformed bytes, read as '?' alike), parsed
    // in the text's own buffer: a large text that comes through unchanged is neither
    // converted nor copied.
    BOOL LoadXmlUtf8AsCp936(std::string&& utf8Text);

    BOOL isLoaded() const { return m_bLoaded; }
    // The document element, or a null handle when nothing is loaded.
    CXmlNode documentElement() const;
    // The document node itself (its children: comments, processing instructions and the
    // document element, in order), or a null handle when nothing is loaded.
    CXmlNode documentNode() const;

    // The reason of the last failed load ("" after a successful one), and the byte offset
    // in the UTF-8 form of the text where it was found (-1 when none).
    CString GetParseError() const { return m_strError; }
    long GetErrorOffset() const { return m_nErrorOffset; }

private:
    BOOL Fail(const char* utf8Reason, long offset);
    // Empties the document before a load.
    void Reset();
    // Converts the code page 936 text into m_text; FALSE (after Fail) when out of memory.
    // bShallow is set when its nesting is known to be within the limit.
    BOOL Convert(const CString& cp936Text, bool& bShallow);
    // Parses m_text; bShallow when its nesting is known to be within the limit.
    BOOL Parse(bool bShallow);

    std::unique_ptr<pugi::xml_document> m_doc;
    // The UTF-8 text the tree was parsed from, in place: names and values point into it.
    std::string m_text;
    BOOL m_bLoaded = FALSE;
    BOOL m_bPreserveWhiteSpace = FALSE;
    int m_nMaxDepth = 1024;
    CString m_strError;
    long m_nErrorOffset = -1;
};
