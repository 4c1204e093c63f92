// Conversions between the system's code page 936 text and UTF-8 / UTF-16. Input that is
// not valid in its encoding, or a character code page 936 cannot hold, becomes '?'; no
// input makes these fail.
#pragma once

#include <ClassLib/Core/String.h>

#include <list>
#include <string>

AFX_EXT_API std::string Utf8FromCp936(const char* p, size_t n);
// Appends the UTF-8 of a code page 936 text to out. A text may be converted piece by piece
// when every piece but the last ends in an ASCII byte (an ASCII byte ends every character
// it belongs to): the pieces then join to the whole text's result.
AFX_EXT_API void AppendUtf8FromCp936(std::string& out, const char* p, size_t n);
AFX_EXT_API std::string Cp936FromUtf8(const char* p, size_t n);
AFX_EXT_API std::u16string Utf16FromCp936(const char* p, size_t n);
AFX_EXT_API std::string Cp936FromUtf16(const char16_t* p, size_t n);

AFX_EXT_API CString CStringFromUtf8(const char* psz);
AFX_EXT_API CString CStringFromUtf8(const std::string& utf8);
AFX_EXT_API std::string Utf8FromCString(const CString& s);
AFX_EXT_API std::string Utf8FromCString(LPCTSTR psz);
AFX_EXT_API CString CStringFromUtf16(const char16_t* psz);
AFX_EXT_API CString CStringFromUtf16(const std::u16string& utf16);
AFX_EXT_API std::u16string Utf16FromCString(const CString& s);
AFX_EXT_API std::u16string Utf16FromCString(LPCTSTR psz);

// The platform's conversion macros. USES_CONVERSION opens a scope object that keeps every
// converted text alive until the end of the enclosing block (the platform kept them on the
// stack for the whole function).
class AFX_EXT_CLASS CConversionScope
{
public:
    LPCWSTR Keep(std::u16string s)
    {
        m_wide.push_back(std::move(s));
        return m_wide.back().c_str();
    }
    LPSTR Keep(std::string s)
    {
        m_narrow.push_back(std::move(s));
        return &m_narrow.back()[0];
    }

private:
    std::list<std::u16string> m_wide;
    std::list<std::string> m_narrow;
};

namespace pc_conversion_detail {
inline std::u16string Wide(LPCSTR p) { return p ? Utf16FromCp936(p, std::char_traits<char>::length(p)) : std::u16string(); }
inline std::string Narrow(LPCWSTR p) { return p ? Cp936FromUtf16(p, std::char_traits<char16_t>::length(p)) : std::string(); }
}  // namespace pc_conversion_detail

#define USES_CONVERSION CConversionScope pcConversionScope_; (void)pcConversionScope_
#define A2W(p) (const_cast<LPWSTR>(pcConversionScope_.Keep(pc_conversion_detail::Wide(p))))
#define A2CW(p) (pcConversionScope_.Keep(pc_conversion_detail::Wide(p)))
#define W2A(p) (pcConversionScope_.Keep(pc_conversion_detail::Narrow(p)))
#define W2CA(p) (static_cast<LPCSTR>(W2A(p)))
#define T2W(p) A2W(p)
#define T2CW(p) A2CW(p)
#define W2T(p) W2A(p)
#define W2CT(p) W2CA(p)
#define T2OLE(p) A2W(p)
#define T2COLE(p) A2CW(p)
#define OLE2T(p) W2A(p)
#define OLE2CT(p) W2CA(p)
#define A2OLE(p) A2W(p)
#define OLE2A(p) W2A(p)
#define T2A(p) (const_cast<LPSTR>(static_cast<LPCSTR>(p)))
#define A2T(p) (const_cast<LPTSTR>(static_cast<LPCTSTR>(p)))
#define T2CA(p) (static_cast<LPCSTR>(p))
#define A2CT(p) (static_cast<LPCTSTR>(p))
