// Paths between the system's code page 936 text and the file system's UTF-8 bytes.
#pragma once

#include <ClassLib/Core/String.h>

#include <string>

namespace pc_file {

// The file system form of a path: UTF-8 when the text is valid code page 936 (else the
// bytes as they are), with backslashes turned into slashes.
std::string OsPath(LPCTSTR lpszPath);
// The system's text for a file system path (UTF-8 when valid, else the bytes as they are).
CString TextPath(const std::string& osPath);
// The absolute form of a file system path, with "." and ".." resolved by name.
std::string AbsoluteOsPath(const std::string& osPath);
// The part after the last '/' of a path in the system's text.
CString NamePart(const CString& path);
// A file name without its extension.
CString TitlePart(const CString& name);

}  // namespace pc_file
