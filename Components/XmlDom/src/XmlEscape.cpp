// Escaping of code page 936 values for XML writers.
#include <XmlDom/XmlEscape.h>

#include <ClassLib/Core/XmlTextWriter.h>

#include <string>

// Every character replaced lies below 0x40 and every trail byte of the code page at or above
// it, so a byte walk never splits a double-byte character; bytes from 0x80 pass as they are.
CString XmlEscape(LPCTSTR text)
{
    if (!text)
        return CString();
    std::string out;
    xmlchars::AppendXmlEscaped(out, text, xmlchars::kDocumentText);
    return CString(out.c_str());
}

CString XmlEscape(const CString& text) { return XmlEscape((LPCTSTR)text); }
