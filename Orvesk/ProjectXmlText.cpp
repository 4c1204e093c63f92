#include "ProjectXmlText.h"

#include <XmlDom/XmlEscape.h>

#include "Resource.h"

CString ProjectTaskDateFormat()
{
    CString strFormat;
    if (!strFormat.LoadString(IDS_TASK_DATE_FORMAT) || strFormat.IsEmpty())
        strFormat = "%#Y年%#m月%#d日";
    return strFormat;
}

CString XmlText(const CString& strValue)
{
    // Most values hold no markup character: hand them back as they are.
    LPCTSTR p = strValue;
    for (; *p; ++p) {
        if (*p == '&' || *p == '<' || *p == '>' || *p == '"' || *p == '\'' || *p == '\r')
            return XmlEscape(strValue);
    }
    return strValue;
}

void AppendXmlElement(CString& strXml, LPCTSTR lpszName, const CString& strValue)
{
    strXml += '<';
    strXml += lpszName;
    strXml += '>';
    strXml += XmlText(strValue);
    strXml += "</";
    strXml += lpszName;
    strXml += '>';
}

void AppendXmlDate(CString& strXml, LPCTSTR lpszName, const COleDateTime& dt, LPCTSTR lpszFormat)
{
    strXml += '<';
    strXml += lpszName;
    strXml += '>';
    strXml += dt.Format(lpszFormat);
    strXml += "</";
    strXml += lpszName;
    strXml += '>';
}
