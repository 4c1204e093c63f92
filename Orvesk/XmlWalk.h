// The few DOM questions the project's readers ask (not exported).
#pragma once

#include <ClassLib/Afx.h>
#include <XmlDom/XmlDom.h>

// TRUE for an element node; the readers step over every other node (text, comments).
BOOL XmlIsElement(const CXmlNode& node);

// The element's name compared exactly.
BOOL XmlNameIs(const CXmlNode& node, LPCTSTR lpszName);

// The text of the element's first child, "" when it has none.
CString XmlLeafText(const CXmlNode& node);

// The leaf as a number read like atoi (leading blanks, sign, digits; saturated to the int
// range); the default when the leaf is empty.
int XmlLeafInt(const CXmlNode& node, int nDefault);

// The leaf as a date; an empty or unreadable text gives an invalid date.
COleDateTime XmlLeafDate(const CXmlNode& node);

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
