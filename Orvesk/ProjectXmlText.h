// Helpers shared by the project's XML writers and readers (not exported).
#pragma once

#include <ClassLib/Afx.h>

#include <initializer_list>

// Date format of the project header, the calendar and the tasks the save writes itself.
#define PROJECT_XML_DATE_FORMAT "%#Y-%#m-%#d %#H:%#M:%#S"

// The task date format of the XML written below the top level (string 56609).
CString ProjectTaskDateFormat();

// A value as element content: '&', '<' and '>' (and quotes) escaped, so that any name
// reaches the server and comes back intact.
CString XmlText(const CString& strValue);

// Appends "<NAME>value</NAME>" with the value escaped.
void AppendXmlElement(CString& strXml, LPCTSTR lpszName, const CString& strValue);

// Appends "<NAME>date</NAME>" with the date in the given format.
void AppendXmlDate(CString& strXml, LPCTSTR lpszName, const COleDateTime& dt, LPCTSTR lpszFormat);

// One value of XmlAppendFormat: a number for "%d" or a text for "%s".
struct XmlFormatArg
{
    XmlFormatArg(int n) : nValue(n), pszValue(nullptr) {}
    XmlFormatArg(LPCTSTR psz) : nValue(0), pszValue(psz) {}
    int nValue;
    LPCTSTR pszValue;
};

// Appends the format with each "%d" and "%s" replaced by the next value, in order: the
// same text as CString::Format with these two conversions, without its cost on the
// hundreds of thousands of pieces a large project writes.
void XmlAppendFormat(CString& strXml, LPCTSTR lpszFormat, std::initializer_list<XmlFormatArg> args);
