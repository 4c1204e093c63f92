// Conversions between the UTF-8 held inside the DOM and the code page 936 texts at its
// interface, through the class library's converter. Pure ASCII texts, the common case for
// names and numbers, are copied straight into the CString.
#pragma once

#include <ClassLib/Core/String.h>

#include <cstddef>
#include <string>

namespace xmldom {

CString ToCString(const char* utf8, size_t length);
CString ToCString(const char* utf8);
std::string ToUtf8(const char* cp936, size_t length);
inline std::string ToUtf8(const CString& cp936) { return ToUtf8((LPCTSTR)cp936, (size_t)cp936.GetLength()); }

// Whether a UTF-8 text comes back unchanged through code page 936 (Cp936FromUtf8, then
// Utf8FromCp936): it holds ASCII and characters the code page keeps in two bytes, and no
// malformed sequence. Each character's answer is asked of the converter once and kept.
bool SameThroughCp936(const char* utf8, size_t length);

} // namespace xmldom
