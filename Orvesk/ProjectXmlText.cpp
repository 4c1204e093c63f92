#include "ProjectXmlText.h"

#include <charconv>
#include <cstring>

#include <XmlDom/XmlEscape.h>

#include "Resource.h"

CString ProjectTaskDateFormat()
{
    // The library's own string: ids of other modules may collide with it.
    CString strFormat;
    if (!AfxLoadString(AfxFindModule("Orvesk"), IDS_TASK_DATE_FORMAT, strFormat) || strFormat.IsEmpty())
        strFormat = "%#Y年%#m月%#d日";
    return strFormat;
}

CString XmlText(const CString& strValue)
{
    // Most values hold no markup character: hand them back as they are. (The trail byte of
    // a double-byte character is never one of these: they all lie below 0x40.)
    if (std::strpbrk(strValue, "&<>\"'\r") == nullptr)
        return strValue;
    return XmlEscape(strValue);
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

void XmlAppendFormat(CString& strXml, LPCTSTR lpszFormat, std::initializer_list<XmlFormatArg> args)
{
    auto arg = args.begin();
    LPCTSTR p = lpszFormat;
    while (*p) {
        LPCTSTR pct = std::strchr(p, '%');
        if (pct == nullptr) {
            strXml += p;
            return;
        }
        strXml.Append(p, (int)(pct - p));
        if ((pct[1] == 'd' || pct[1] == 's') && arg != args.end()) {
            if (pct[1] == 'd') {
                char digits[16];
                auto res = std::to_chars(digits, digits + sizeof(digits), arg->nValue);
                strXml.Append(digits, (int)(res.ptr - digits));
            } else if (arg->pszValue != nullptr) {
                strXml += arg->pszValue;
            }
            ++arg;
            p = pct + 2;
        } else {
            strXml += '%';
            p = pct + 1;
        }
    }
}
