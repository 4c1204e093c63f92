// Text checks and the body's encoding.
#include "ServerText.h"

#include <cerrno>
#include <cstring>
#include <iconv.h>

namespace projectserver {

TextCheck CheckText(const std::string& utf8)
{
    TextCheck check;
    const char* const begin = utf8.data();
    const char* const end = begin + utf8.size();
    for (const char* p = begin; p < end;) {
        const unsigned char b = static_cast<unsigned char>(*p);
        if (b >= 0x20 && b < 0x80) {
            ++p;
            continue;
        }
        unsigned long c = 0;
        size_t length = 1;
        if (!DecodeUtf8(p, end, c, length)) {
            check.fault = TextFault::Encoding;
            check.offset = static_cast<size_t>(p - begin);
            return check;
        }
        if (!IsXmlChar(c)) {
            check.fault = TextFault::Character;
            check.offset = static_cast<size_t>(p - begin);
            return check;
        }
        p += length;
    }
    return check;
}

namespace {

// The character a reference at `p` ("&#...;") names, and its end; false when it is not a
// complete reference or names no XML character.
bool ReadReference(const char* p, const char* end, const char*& after)
{
    const char* q = p + 2;
    const bool hex = q < end && *q == 'x';
    if (hex)
        ++q;
    unsigned long value = 0;
    const char* digits = q;
    for (; q < end; ++q) {
        int d = -1;
        if (*q >= '0' && *q <= '9')
            d = *q - '0';
        else if (hex && *q >= 'a' && *q <= 'f')
            d = *q - 'a' + 10;
        else if (hex && *q >= 'A' && *q <= 'F')
            d = *q - 'A' + 10;
        if (d < 0)
            break;
        // Past the last code point the value stays out of range instead of overflowing.
        if (value <= 0x10FFFF)
            value = value * (hex ? 16 : 10) + static_cast<unsigned long>(d);
    }
    if (q == digits || q >= end || *q != ';')
        return false;
    after = q + 1;
    return IsXmlChar(value);
}

}  // namespace

TextCheck CheckMarkup(const std::string& utf8)
{
    TextCheck check = CheckText(utf8);
    if (!check)
        return check;
    const char* const begin = utf8.data();
    const char* const end = begin + utf8.size();
    auto find = [end](const char* from, char c) {
        const void* at = std::memchr(from, c, static_cast<size_t>(end - from));
        return at ? static_cast<const char*>(at) : end;
    };
    // Sections whose "&#" is text, not a reference, with the text that closes them.
    static const struct {
        const char* open;
        const char* close;
    } kLiteral[] = {{"<!--", "-->"}, {"<![CDATA[", "]]>"}, {"<?", "?>"}};
    // The next '&' and '<' are looked for again only once passed: one scan of the text.
    const char* amp = find(begin, '&');
    const char* tag = find(begin, '<');
    for (const char* p = begin;;) {
        if (amp < p)
            amp = find(p, '&');
        if (tag < p)
            tag = find(p, '<');
        if (amp == end && tag == end)
            break;
        if (tag < amp) {
            p = tag + 1;
            for (const auto& literal : kLiteral) {
                const size_t n = std::strlen(literal.open);
                if (static_cast<size_t>(end - tag) >= n && std::memcmp(tag, literal.open, n) == 0) {
                    const size_t at = utf8.find(literal.close, static_cast<size_t>(tag - begin) + n);
                    p = at == std::string::npos ? end : begin + at + std::strlen(literal.close);
                    break;
                }
            }
            continue;
        }
        if (amp + 1 < end && amp[1] == '#') {
            const char* after = nullptr;
            if (!ReadReference(amp, end, after)) {
                check.fault = TextFault::Reference;
                check.offset = static_cast<size_t>(amp - begin);
                return check;
            }
            p = after;
        } else {
            p = amp + 1;
        }
    }
    return check;
}

std::string DescribeFault(const TextCheck& check, const std::string& encoding)
{
    const std::string at = " at byte " + std::to_string(check.offset);
    switch (check.fault) {
    case TextFault::Encoding: return "the request is not valid " + (encoding.empty() ? "UTF-8" : encoding) + at;
    case TextFault::Character: return "the request holds a character XML cannot carry" + at;
    case TextFault::Reference: return "the request holds a character reference XML cannot carry" + at;
    default: return std::string();
    }
}

namespace {

std::string Upper(std::string s)
{
    for (char& c : s)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return s;
}

bool StartsWith(const std::string& s, const char* prefix, size_t n)
{
    return s.size() >= n && std::memcmp(s.data(), prefix, n) == 0;
}

// "" for the names of UTF-8.
std::string Normalised(std::string name)
{
    name = Upper(name);
    return name == "UTF-8" || name == "UTF8" ? std::string() : name;
}

// The value of the encoding pseudo-attribute of a leading XML declaration, "" when none.
std::string DeclarationEncoding(const std::string& body)
{
    if (!StartsWith(body, "<?xml", 5) || body.size() < 6 || !(body[5] == ' ' || body[5] == '\t' || body[5] == '\r' ||
                                                               body[5] == '\n'))
        return std::string();
    const size_t close = body.find("?>");
    if (close == std::string::npos)
        return std::string();
    const std::string decl = body.substr(0, close);
    size_t at = decl.find("encoding");
    if (at == std::string::npos)
        return std::string();
    at += 8;
    auto blank = [&](size_t i) { return i < decl.size() && (decl[i] == ' ' || decl[i] == '\t' || decl[i] == '\r' || decl[i] == '\n'); };
    while (blank(at))
        ++at;
    if (at >= decl.size() || decl[at] != '=')
        return std::string();
    ++at;
    while (blank(at))
        ++at;
    if (at >= decl.size() || (decl[at] != '"' && decl[at] != '\''))
        return std::string();
    const size_t end = decl.find(decl[at], at + 1);
    return end == std::string::npos ? std::string() : decl.substr(at + 1, end - at - 1);
}

// The charset parameter of a Content-Type value, "" when none.
std::string CharsetOf(const std::string& contentType)
{
    const std::string upper = Upper(contentType);
    size_t at = upper.find("CHARSET=");
    if (at == std::string::npos)
        return std::string();
    at += 8;
    size_t end = at;
    while (end < contentType.size() && contentType[end] != ';' && contentType[end] != ' ')
        ++end;
    std::string value = contentType.substr(at, end - at);
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        value = value.substr(1, value.size() - 2);
    return value;
}

}  // namespace

std::string DeclaredEncoding(const std::string& body, const std::string& contentType)
{
    // A byte order mark says it first; then the pattern of "<?" in a 16-bit encoding.
    if (StartsWith(body, "\xEF\xBB\xBF", 3))
        return std::string();
    if (StartsWith(body, "\xFF\xFE\0\0", 4))
        return "UTF-32LE";
    if (StartsWith(body, "\0\0\xFE\xFF", 4))
        return "UTF-32BE";
    if (StartsWith(body, "\xFF\xFE", 2) || StartsWith(body, "<\0?\0", 4))
        return "UTF-16LE";
    if (StartsWith(body, "\xFE\xFF", 2) || StartsWith(body, "\0<\0?", 4))
        return "UTF-16BE";
    const std::string declared = DeclarationEncoding(body);
    if (!declared.empty())
        return Normalised(declared);
    return Normalised(CharsetOf(contentType));
}

bool ConvertToUtf8(const std::string& body, const std::string& encoding, std::string& utf8, TextCheck& check,
                   std::string& error)
{
    check = TextCheck();
    utf8.clear();
    // GB2312 texts are GBK texts: GBK is its superset, and labels often say GB2312 for it.
    const std::string from = encoding == "GB2312" ? std::string("GBK") : encoding;
    iconv_t cd = iconv_open("UTF-8", from.c_str());
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        error = "the request's encoding \"" + encoding + "\" is not supported";
        return false;
    }
    size_t skip = 0;
    if ((from == "UTF-16LE" && StartsWith(body, "\xFF\xFE", 2)) || (from == "UTF-16BE" && StartsWith(body, "\xFE\xFF", 2)))
        skip = 2;
    else if ((from == "UTF-32LE" && StartsWith(body, "\xFF\xFE\0\0", 4)) ||
             (from == "UTF-32BE" && StartsWith(body, "\0\0\xFE\xFF", 4)))
        skip = 4;
    char* in = const_cast<char*>(body.data()) + skip;
    size_t inLeft = body.size() - skip;
    utf8.resize(inLeft + inLeft / 2 + 16);
    size_t used = 0;
    while (inLeft > 0) {
        char* out = &utf8[used];
        size_t outLeft = utf8.size() - used;
        const size_t r = iconv(cd, &in, &inLeft, &out, &outLeft);
        used = utf8.size() - outLeft;
        if (r != static_cast<size_t>(-1))
            break;
        if (errno == E2BIG) {
            utf8.resize(utf8.size() + utf8.size() / 2 + 16);
            continue;
        }
        // Not valid in the encoding (or cut short at the end): one replacement character
        // for the byte, and on.
        if (check)
            check = TextCheck{TextFault::Encoding, static_cast<size_t>(in - body.data())};
        if (utf8.size() - used < 3)
            utf8.resize(utf8.size() + 16);
        std::memcpy(&utf8[used], "\xEF\xBF\xBD", 3);
        used += 3;
        ++in;
        --inLeft;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    iconv_close(cd);
    utf8.resize(used);
    return true;
}

}  // namespace projectserver
