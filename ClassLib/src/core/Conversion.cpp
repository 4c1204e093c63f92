// Code page 936 <-> UTF-8 / UTF-16 through iconv. Each thread keeps its converters open.
#include <ClassLib/Core/Conversion.h>

#include <cerrno>
#include <cstring>
#include <iconv.h>

namespace {

#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
const char* const kUtf16 = "UTF-16BE";
#else
const char* const kUtf16 = "UTF-16LE";
#endif
const char* const kCp936 = "CP936";

// One iconv converter, opened on first use.
class Converter
{
public:
    Converter(const char* to, const char* from)
    {
        m_cd = iconv_open(to, from);
        if (m_cd == reinterpret_cast<iconv_t>(-1)) {
            // glibc names code page 936 both ways; fall back to the other name.
            const char* alt = "GBK";
            m_cd = iconv_open(std::strcmp(to, kCp936) == 0 ? alt : to,
                              std::strcmp(from, kCp936) == 0 ? alt : from);
        }
    }
    ~Converter()
    {
        if (ok())
            iconv_close(m_cd);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    bool ok() const { return m_cd != reinterpret_cast<iconv_t>(-1); }
    iconv_t get() const { return m_cd; }

private:
    iconv_t m_cd;
};

// How many input bytes to skip past an input position iconv refused.
typedef size_t (*SkipFn)(const char* p, size_t left);

size_t SkipOneByte(const char*, size_t) { return 1; }

// A well-formed UTF-8 sequence is skipped whole (it named a character the target cannot
// hold); a malformed byte is skipped alone.
size_t SkipUtf8(const char* p, size_t left)
{
    const unsigned char* u = reinterpret_cast<const unsigned char*>(p);
    size_t len = 0;
    unsigned char c = u[0];
    if (c >= 0xC2 && c <= 0xDF)
        len = 2;
    else if (c >= 0xE0 && c <= 0xEF)
        len = 3;
    else if (c >= 0xF0 && c <= 0xF4)
        len = 4;
    if (len == 0 || len > left)
        return 1;
    for (size_t i = 1; i < len; ++i)
        if ((u[i] & 0xC0) != 0x80)
            return 1;
    return len;
}

// A surrogate pair is skipped whole, anything else one unit (two bytes).
size_t SkipUtf16(const char* p, size_t left)
{
    if (left < 2)
        return left;
    char16_t u;
    std::memcpy(&u, p, 2);
    if (u >= 0xD800 && u <= 0xDBFF && left >= 4) {
        char16_t v;
        std::memcpy(&v, p + 2, 2);
        if (v >= 0xDC00 && v <= 0xDFFF)
            return 4;
    }
    return 2;
}

// Without a converter (no iconv modules installed) ASCII still passes; everything else
// becomes the replacement.
std::string AsciiFallback(const char* in, size_t inLen, SkipFn skip, const std::string& replacement)
{
    std::string out;
    bool wideIn = skip == SkipUtf16;
    bool wideOut = replacement.size() == 2;
    size_t i = 0;
    while (i < inLen) {
        unsigned int c;
        size_t n;
        if (wideIn) {
            char16_t u = 0;
            std::memcpy(&u, in + i, inLen - i >= 2 ? 2 : 1);
            c = u;
            n = skip(in + i, inLen - i);
        } else {
            c = static_cast<unsigned char>(in[i]);
            n = c < 0x80 ? 1 : skip(in + i, inLen - i);
        }
        if (c < 0x80) {
            char16_t w = static_cast<char16_t>(c);
            if (wideOut)
                out.append(reinterpret_cast<const char*>(&w), 2);
            else
                out.push_back(static_cast<char>(c));
        } else {
            out += replacement;
        }
        i += n ? n : 1;
    }
    return out;
}

// Runs the converter over the whole input; refused input becomes the replacement.
std::string Run(const Converter& conv, const char* in, size_t inLen, SkipFn skip,
                const std::string& replacement)
{
    std::string out;
    if (!in || inLen == 0)
        return out;
    if (!conv.ok())
        return AsciiFallback(in, inLen, skip, replacement);
    iconv(conv.get(), nullptr, nullptr, nullptr, nullptr);
    out.resize(inLen * 4 + 16);
    char* src = const_cast<char*>(in);
    size_t srcLeft = inLen;
    size_t done = 0;
    while (srcLeft > 0) {
        char* dst = &out[done];
        size_t dstLeft = out.size() - done;
        size_t r = iconv(conv.get(), &src, &srcLeft, &dst, &dstLeft);
        done = out.size() - dstLeft;
        if (r != static_cast<size_t>(-1))
            break;
        if (errno == E2BIG) {
            out.resize(out.size() * 2);
            continue;
        }
        // EILSEQ (refused) or EINVAL (cut short at the end): replace and go on.
        if (out.size() - done < replacement.size() + 8)
            out.resize(out.size() * 2);
        out.replace(done, replacement.size(), replacement);
        done += replacement.size();
        size_t n = (errno == EINVAL) ? srcLeft : skip(src, srcLeft);
        if (n > srcLeft)
            n = srcLeft;
        src += n;
        srcLeft -= n;
        iconv(conv.get(), nullptr, nullptr, nullptr, nullptr);
    }
    // Flush any shift state (none for these encodings, but harmless).
    for (;;) {
        char* dst = &out[done];
        size_t dstLeft = out.size() - done;
        size_t r = iconv(conv.get(), nullptr, nullptr, &dst, &dstLeft);
        done = out.size() - dstLeft;
        if (r == static_cast<size_t>(-1) && errno == E2BIG) {
            out.resize(out.size() * 2);
            continue;
        }
        break;
    }
    out.resize(done);
    return out;
}

const std::string& Utf16Question()
{
    static const std::string q = [] {
        char16_t c = u'?';
        return std::string(reinterpret_cast<const char*>(&c), 2);
    }();
    return q;
}

}  // namespace

std::string Utf8FromCp936(const char* p, size_t n)
{
    static thread_local Converter conv("UTF-8", kCp936);
    return Run(conv, p, n, SkipOneByte, "?");
}

std::string Cp936FromUtf8(const char* p, size_t n)
{
    static thread_local Converter conv(kCp936, "UTF-8");
    return Run(conv, p, n, SkipUtf8, "?");
}

std::u16string Utf16FromCp936(const char* p, size_t n)
{
    static thread_local Converter conv(kUtf16, kCp936);
    std::string bytes = Run(conv, p, n, SkipOneByte, Utf16Question());
    std::u16string out(bytes.size() / 2, u'\0');
    if (!out.empty())
        std::memcpy(&out[0], bytes.data(), out.size() * 2);
    return out;
}

std::string Cp936FromUtf16(const char16_t* p, size_t n)
{
    static thread_local Converter conv(kCp936, kUtf16);
    return Run(conv, reinterpret_cast<const char*>(p), n * 2, SkipUtf16, "?");
}

CString CStringFromUtf8(const char* psz)
{
    return psz ? CString(Cp936FromUtf8(psz, std::strlen(psz))) : CString();
}

CString CStringFromUtf8(const std::string& utf8)
{
    return CString(Cp936FromUtf8(utf8.data(), utf8.size()));
}

std::string Utf8FromCString(const CString& s)
{
    return Utf8FromCp936(s.GetString(), static_cast<size_t>(s.GetLength()));
}

std::string Utf8FromCString(LPCTSTR psz)
{
    return psz ? Utf8FromCp936(psz, std::strlen(psz)) : std::string();
}

CString CStringFromUtf16(const char16_t* psz)
{
    return psz ? CString(Cp936FromUtf16(psz, std::char_traits<char16_t>::length(psz))) : CString();
}

CString CStringFromUtf16(const std::u16string& utf16)
{
    return CString(Cp936FromUtf16(utf16.data(), utf16.size()));
}

std::u16string Utf16FromCString(const CString& s)
{
    return Utf16FromCp936(s.GetString(), static_cast<size_t>(s.GetLength()));
}

std::u16string Utf16FromCString(LPCTSTR psz)
{
    return psz ? Utf16FromCp936(psz, std::strlen(psz)) : std::u16string();
}
