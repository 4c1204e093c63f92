#include "XmlWalk.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>

BOOL XmlIsElement(const CXmlNode& node)
{
    return node.isElement();
}

BOOL XmlNameIs(const CXmlNode& node, LPCTSTR lpszName)
{
    return node.nameIs(lpszName);
}

CString XmlLeafText(const CXmlNode& node)
{
    CXmlNode child = node.firstChild();
    if (child.isNull())
        return CString();
    return child.text();
}

int XmlAtoi(LPCTSTR lpsz)
{
    errno = 0;
    long long v = std::strtoll(lpsz, nullptr, 10);
    if (v > INT_MAX)
        return INT_MAX;
    if (v < INT_MIN)
        return INT_MIN;
    return (int)v;
}

int XmlLeafInt(const CXmlNode& node, int nDefault)
{
    CString strText = XmlLeafText(node);
    if (strText.IsEmpty())
        return nDefault;
    return XmlAtoi(strText);
}

COleDateTime XmlLeafDate(const CXmlNode& node)
{
    COleDateTime dt;
    CString strText = XmlLeafText(node);
    if (strText.IsEmpty() || !dt.ParseDateTime(strText)) {
        dt.m_dt = 0;
        dt.SetStatus(COleDateTime::invalid);
    }
    return dt;
}
