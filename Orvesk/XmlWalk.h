// The few DOM questions the project's readers ask (not exported).
#pragma once

#include <ClassLib/Afx.h>
#include <XmlDom/XmlDom.h>

#include <string_view>

// TRUE for an element node; the readers step over every other node (text, comments).
BOOL XmlIsElement(const CXmlNode& node);

// The element's name compared exactly.
BOOL XmlNameIs(const CXmlNode& node, LPCTSTR lpszName);

// The element's name as the document holds it (UTF-8), for comparing with the readers'
// ASCII names without converting it; "" for other nodes.
inline std::string_view XmlName(const CXmlNode& node)
{
    return std::string_view(node.nameUtf8());
}

// TRUE for an element, with its name as the document holds it (UTF-8) for comparing with
// the readers' ASCII names without converting it; FALSE for any other node.
inline BOOL XmlElementName(const CXmlNode& node, std::string_view& name)
{
    const char* utf8 = node.elementNameUtf8();
    if (utf8 == nullptr)
        return FALSE;
    name = std::string_view(utf8);
    return TRUE;
}

// TRUE for an element, with its name and its first child's text (see XmlElementName and
// CXmlNode::firstChildTextUtf8) asked for in one DOM call: for readers of many leaves,
// which hand the text to the XmlLeaf* readers below.
inline BOOL XmlElementLeaf(const CXmlNode& node, const char*& name, const char*& text)
{
    name = node.elementNameUtf8(text);
    return name != nullptr;
}

// TRUE when a name from the document (ending at its 0 byte) is exactly this one: compared
// byte by byte, terminating 0 included, up to the first difference, without measuring it.
template <size_t N>
inline bool XmlNameEquals(const char* name, const char (&what)[N])
{
    for (size_t i = 0; i < N; ++i) {
        if (name[i] != what[i])
            return false;
    }
    return true;
}

// The text of the element's first child, "" when it has none. The forms with raw take
// the first child's text as XmlElementLeaf gave it for node.
CString XmlLeafText(const CXmlNode& node);
CString XmlLeafText(const CXmlNode& node, const char* raw);

// The leaf as a number read like atoi (leading blanks, sign, digits; saturated to the int
// range); the default when the leaf is empty.
int XmlLeafInt(const CXmlNode& node, int nDefault);
int XmlLeafInt(const CXmlNode& node, const char* raw, int nDefault);

// The leaf as a date; an empty or unreadable text gives an invalid date. The two forms the
// writers use ("2004-3-1 8:0:0" and "2004年3月1日") are read directly, others through
// COleDateTime::ParseDateTime.
COleDateTime XmlLeafDate(const CXmlNode& node);
COleDateTime XmlLeafDate(const CXmlNode& node, const char* raw);

// The two written forms of a date in UTF-8 (the text ends at its 0 byte); FALSE (dt
// untouched) for any other text or a date out of range.
BOOL XmlParseKnownDate(const char* text, COleDateTime& dt);

// Calls readField(name, node) for each element below item, in order; text and other nodes
// are stepped over.
template <typename ReadField>
void ForEachXmlField(const CXmlNode& item, ReadField readField)
{
    for (CXmlNode leaf = item.firstChild(); !leaf.isNull(); leaf = leaf.nextSibling()) {
        if (!XmlIsElement(leaf))
            continue;
        readField(CString(leaf.nodeName()), leaf);
    }
}

// atoi with saturation instead of overflow.
int XmlAtoi(LPCTSTR lpsz);
