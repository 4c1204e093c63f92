// Quick conversion of large code page 936 texts to UTF-8 (not exported).
#pragma once

#include <ClassLib/Afx.h>

#include <string>

// The text in UTF-8, byte for byte what the class library's converter gives: ASCII is
// copied, each double-byte character is looked up in a table the converter fills once
// (lead byte by lead byte), and whatever the table cannot answer goes through the
// converter itself.
std::string Utf8FromCp936Text(const char* pText, size_t nLength);
