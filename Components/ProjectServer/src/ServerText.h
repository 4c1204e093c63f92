// The texts the project server accepts: only what it can serve back as well-formed XML.
//
// A request body is read in the encoding it declares (its XML declaration, else the
// Content-Type charset, else UTF-8, a byte order mark first of all) and turned into UTF-8.
// A text is acceptable when it is well-formed UTF-8 (no overlong forms, no surrogates,
// nothing above U+10FFFF) and each character, written directly or as a character
// reference (&#N; &#xH;), is one XML 1.0 can carry: tab, line feed, carriage return,
// U+0020-U+D7FF, U+E000-U+FFFD, U+10000-U+10FFFF.
#pragma once

#include <ClassLib/Core/XmlChars.h>

#include <cstddef>
#include <string>

namespace projectserver {

enum class TextFault {
    None,
    Encoding,   // not well-formed in its encoding
    Character,  // a character XML cannot carry
    Reference,  // a character reference to such a character, or one that names none
};

struct TextCheck {
    TextFault fault = TextFault::None;
    size_t offset = 0;  // the byte where the fault is
    explicit operator bool() const { return fault == TextFault::None; }
};

using xmlchars::DecodeUtf8;
using xmlchars::IsXmlChar;

// The UTF-8 text, every character an XML character; character references are not looked at.
TextCheck CheckText(const std::string& utf8);
// The same for the text of an XML document, and every character reference in it names an
// XML character (references in comments, CDATA sections and processing instructions are
// not references).
TextCheck CheckMarkup(const std::string& utf8);
// A reason in English for the faults of the request's envelope ("the request is not valid
// UTF-8 at byte 12").
std::string DescribeFault(const TextCheck& check, const std::string& encoding);

// The encoding a body declares: "" for UTF-8 (also when it says so), else the name it
// gives, upper-cased ("GBK", "GB18030", "UTF-16LE"...).
std::string DeclaredEncoding(const std::string& body, const std::string& contentType);
// Turns the body from the encoding into UTF-8 (a byte order mark dropped). False when the
// encoding cannot be converted (`error` says so); a sequence that is not valid in the
// encoding becomes U+FFFD and is reported in `check`.
bool ConvertToUtf8(const std::string& body, const std::string& encoding, std::string& utf8, TextCheck& check,
                   std::string& error);

}  // namespace projectserver
