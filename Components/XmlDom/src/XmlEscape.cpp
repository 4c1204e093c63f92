// Escaping of code page 936 values for XML writers.
#include <XmlDom/XmlEscape.h>

#include <string>

namespace {

bool IsLeadByte(unsigned char c) { return c >= 0x81 && c <= 0xFE; }
// Trail bytes of the code page start at 0x40, above every character escaped here.
bool IsTrailByte(unsigned char c) { return c >= 0x40 && c <= 0xFE && c != 0x7F; }

} // namespace

CString XmlEscape(LPCTSTR text)
{
    if (!text)
        return CString();
    std::string out;
    for (const char* p = text; *p; ++p) {
        unsigned char c = (unsigned char)*p;
        if (IsLeadByte(c) && IsTrailByte((unsigned char)p[1])) {
            // A double-byte character: both bytes go through untouched.
            out += p[0];
            out += p[1];
            ++p;
            continue;
        }
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&apos;"; break;
        case '\r': out += "&#13;"; break;
        default: out += (char)c; break;
        }
    }
    return CString(out.c_str());
}

CString XmlEscape(const CString& text) { return XmlEscape((LPCTSTR)text); }
