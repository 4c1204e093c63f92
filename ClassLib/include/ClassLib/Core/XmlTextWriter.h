// Escaping of texts written into XML by concatenation, for every writer of the system: the
// client's project texts, the server's stored texts and SOAP replies, the product-data
// answers. One walk, with the few choices the writers differ in.
//
// Always replaced: & as &amp;, < as &lt;, > as &gt; (so that "]]>" never appears) and
// carriage return as &#13; (a reader folds a literal CR into the line feed after it).
#pragma once

#include <ClassLib/Core/XmlChars.h>

#include <cstddef>
#include <string>

namespace xmlchars {

struct XmlEscapes {
    // " as &quot;: needed in attribute values (they are written between double quotes).
    bool quote = false;
    // ' as &apos;: never needed, kept where the written bytes have always carried it.
    bool apostrophe = false;
    // Tab and line feed as &#9; and &#10;: a reader turns literal ones in an attribute value
    // into spaces, references keep them.
    bool lineChars = false;
    // What XML cannot carry becomes U+FFFD (one for each character, one for each byte of
    // ill-formed UTF-8), so that the output is well-formed whatever was handed in. Off for texts whose bytes must pass
    // as they are: code page 936 texts, and texts already checked by their writer.
    bool replaceNonXml = false;
};

// Element text of a project document (client files and the server's stored texts).
constexpr XmlEscapes kDocumentText{true, true, false, false};
// An attribute value of a project document stored by the server.
constexpr XmlEscapes kDocumentAttribute{true, true, true, false};
// Element text of a reply sent to a peer.
constexpr XmlEscapes kReplyText{false, false, false, true};
// An attribute value of a reply sent to a peer.
constexpr XmlEscapes kReplyAttribute{true, false, true, true};

namespace detail {

inline const char* EscapeFor(unsigned char c, const XmlEscapes& rules)
{
    switch (c) {
    case '&': return "&amp;";
    case '<': return "&lt;";
    case '>': return "&gt;";
    case '\r': return "&#13;";
    case '"': return rules.quote ? "&quot;" : nullptr;
    case '\'': return rules.apostrophe ? "&apos;" : nullptr;
    case '\t': return rules.lineChars ? "&#9;" : nullptr;
    case '\n': return rules.lineChars ? "&#10;" : nullptr;
    default: return nullptr;
    }
}

} // namespace detail

// Appends [p, end) escaped to `out`, anything with append(const char*, size_t) (a string, or
// a sink that only counts or that sends in pieces). Runs of plain bytes go in one piece.
template <class Sink>
void AppendXmlEscaped(Sink& out, const char* p, const char* end, const XmlEscapes& rules)
{
    static const char kReplacement[] = "\xEF\xBF\xBD";
    const char* run = p;
    while (p < end) {
        const unsigned char b = static_cast<unsigned char>(*p);
        // Letters and most punctuation: nothing from 0x40 to 0x7F is ever replaced.
        if (b >= 0x40 && (b < 0x80 || !rules.replaceNonXml)) {
            ++p;
            continue;
        }
        const char* escaped = detail::EscapeFor(b, rules);
        size_t length = 1;
        if (!escaped) {
            if (!rules.replaceNonXml || (b >= 0x20 && b < 0x80) || b == '\t' || b == '\n') {
                ++p;
                continue;
            }
            // A well-formed character XML cannot carry (U+FFFE) is one replacement, each byte
            // of an ill-formed sequence one.
            unsigned long c = 0;
            if (DecodeUtf8(p, end, c, length) && IsXmlChar(c)) {
                p += length;
                continue;
            }
            escaped = kReplacement;
        }
        out.append(run, static_cast<size_t>(p - run));
        out.append(escaped, std::char_traits<char>::length(escaped));
        p += length;
        run = p;
    }
    out.append(run, static_cast<size_t>(p - run));
}

template <class Sink>
void AppendXmlEscaped(Sink& out, const char* text, const XmlEscapes& rules)
{
    AppendXmlEscaped(out, text, text + std::char_traits<char>::length(text), rules);
}

template <class Sink>
void AppendXmlEscaped(Sink& out, const std::string& text, const XmlEscapes& rules)
{
    AppendXmlEscaped(out, text.data(), text.data() + text.size(), rules);
}

// The text escaped, as a new string of its final size.
inline std::string XmlEscaped(const std::string& text, const XmlEscapes& rules)
{
    struct Count {
        size_t size = 0;
        void append(const char*, size_t n) { size += n; }
    } count;
    AppendXmlEscaped(count, text, rules);
    std::string out;
    out.reserve(count.size);
    AppendXmlEscaped(out, text, rules);
    return out;
}

} // namespace xmlchars
