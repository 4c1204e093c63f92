// Helpers shared by the project's XML writers and readers (not exported).
#pragma once

#include <ClassLib/Afx.h>

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
