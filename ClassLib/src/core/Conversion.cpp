// Code page 936 <-> UTF-8 / UTF-16: through tables filled from iconv (the one towards code
// page 936 a character at a time, as characters come), with iconv itself for what the
// tables do not cover. Each thread keeps its converters open.
#include <ClassLib/Core/Conversion.h>

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <iconv.h>
#include <memory>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

// ---------------------------------------------------------------------------------------
// Table-driven conversion. Code page 936 is stateless and no character is longer than two
// bytes, so what iconv makes of a position depends only on that byte and the next one.
// The tables below hold iconv's answer for every such pair (and for a last byte alone), and
// for every UTF-16 unit the other way; they are filled by asking iconv one character at a
// time (the first table at once on first use, the other a unit at a time as units come), so
// a table lookup gives exactly what a whole-text iconv run gives, including the '?' for
// refused input. Should iconv answer anything outside that model (or be missing), the first
// table stays unused and every text goes through iconv as before; a unit answered outside
// it goes through iconv with the text around it.

const char16_t kQuestion = u'?';

// One call of iconv on a few bytes, from a reset state.
struct Probe
{
    size_t consumed;
    size_t written;
    int error;  // 0, or errno of a refused call
    unsigned char out[8];
};

Probe RunProbe(iconv_t cd, const void* in, size_t inLen, size_t outLimit)
{
    Probe probe{};
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char* src = const_cast<char*>(static_cast<const char*>(in));
    char* dst = reinterpret_cast<char*>(probe.out);
    size_t srcLeft = inLen;
    size_t dstLeft = outLimit < sizeof(probe.out) ? outLimit : sizeof(probe.out);
    size_t limit = dstLeft;
    if (iconv(cd, &src, &srcLeft, &dst, &dstLeft) == static_cast<size_t>(-1))
        probe.error = errno;
    probe.consumed = inLen - srcLeft;
    probe.written = limit - dstLeft;
    return probe;
}

bool IsSurrogate(unsigned int u) { return u >= 0xD800 && u <= 0xDFFF; }

// Code page 936 -> UTF-16, position by position. A step is packed as the UTF-16 unit it
// gives (low 16 bits) and the number of bytes it consumes (above).
class CDecodeTable
{
public:
    CDecodeTable() { m_ok = Build(); }
    bool ok() const { return m_ok; }
    // The step at a byte of 0x80 or above followed by another byte ...
    uint32_t Pair(unsigned char lead, unsigned char next) const { return m_pair[(lead - 0x80u) << 8 | next]; }
    // ... and at such a byte that ends the text.
    uint32_t Last(unsigned char lead) const { return m_last[lead - 0x80u]; }

private:
    static uint32_t Step(char16_t unit, unsigned int advance) { return unit | (advance << 16); }

    bool Build()
    {
        Converter conv(kUtf16, kCp936);
        if (!conv.ok())
            return false;
        m_pair.assign(128 * 256, 0);
        m_last.assign(128, 0);
        // ASCII is copied as it stands.
        for (unsigned int c = 0; c < 0x80; ++c) {
            const unsigned char in = static_cast<unsigned char>(c);
            const Probe p = RunProbe(conv.get(), &in, 1, sizeof(char16_t));
            if (p.error != 0 || p.consumed != 1 || p.written != 2 || Unit(p) != c)
                return false;
        }
        for (unsigned int c = 0x80; c <= 0xFF; ++c) {
            unsigned char in[2] = {static_cast<unsigned char>(c), 0};
            // A byte alone at the end: a character, or refused / cut short ('?').
            Probe p = RunProbe(conv.get(), in, 1, sizeof(char16_t));
            if (p.consumed == 1 && p.written == 2 && !IsSurrogate(Unit(p)))
                m_last[c - 0x80] = Step(Unit(p), 1);
            else if (p.consumed == 0 && (p.error == EILSEQ || p.error == EINVAL))
                m_last[c - 0x80] = Step(kQuestion, 1);
            else
                return false;
            // With room for one UTF-16 unit, iconv converts exactly the first character.
            for (unsigned int d = 0; d <= 0xFF; ++d) {
                in[1] = static_cast<unsigned char>(d);
                p = RunProbe(conv.get(), in, 2, sizeof(char16_t));
                uint32_t& step = m_pair[(c - 0x80) << 8 | d];
                if (p.consumed == 0 && p.error == EILSEQ)
                    step = Step(kQuestion, 1);  // refused: '?', go on with the next byte
                else if (p.consumed > 0 && p.written == 2 && !IsSurrogate(Unit(p)))
                    step = Step(Unit(p), static_cast<unsigned int>(p.consumed));
                else
                    return false;  // longer sequences or characters beyond one unit
            }
        }
        return true;
    }

    static char16_t Unit(const Probe& p)
    {
        char16_t u;
        std::memcpy(&u, p.out, 2);
        return u;
    }

    bool m_ok = false;
    std::vector<uint32_t> m_pair;
    std::vector<uint32_t> m_last;
};

// UTF-16 unit (not a surrogate) -> code page 936: the bytes packed low first, their count
// (0 to 2) in bits 16 and up. A unit's entry is asked of iconv the first time the unit is
// converted (a start converts some hundred characters, not all 63,488); a unit iconv answers
// outside that model is kOutside, and goes through iconv with the text around it.
class CEncodeTable
{
public:
    static constexpr uint32_t kOutside = 1u << 24;

    CEncodeTable() : m_bytes(new std::atomic<uint32_t>[0x10000]()) { m_ok = CheckAscii(); }
    bool ok() const { return m_ok; }
    uint32_t Bytes(char16_t unit) const
    {
        const uint32_t entry = m_bytes[unit].load(std::memory_order_relaxed);
        return entry != 0 ? entry & ~kKnown : Fill(unit);
    }

private:
    static constexpr uint32_t kKnown = 1u << 25;

    // iconv's answer for one unit, on the calling thread's own converter.
    static uint32_t Ask(char16_t unit)
    {
        static thread_local Converter conv(kCp936, kUtf16);
        if (!conv.ok())
            return kOutside;
        const Probe p = RunProbe(conv.get(), &unit, 2, sizeof(Probe::out));
        if (p.error == 0 && p.consumed == 2 && p.written <= 2)
            return (p.written > 0 ? p.out[0] : 0u) | (p.written > 1 ? p.out[1] << 8 : 0u) |
                   static_cast<uint32_t>(p.written) << 16;
        if (p.error == EILSEQ && p.consumed == 0)
            return '?' | 1u << 16;
        return kOutside;
    }

    // Threads that ask for the same unit at once store the same answer.
    uint32_t Fill(char16_t unit) const
    {
        const uint32_t entry = Ask(unit);
        m_bytes[unit].store(entry | kKnown, std::memory_order_relaxed);
        return entry;
    }

    // ASCII is copied as it stands, without the table: iconv must agree.
    bool CheckAscii() const
    {
        for (unsigned int u = 0; u < 0x80; ++u)
            if (Bytes(static_cast<char16_t>(u)) != (u | 1u << 16))
                return false;
        return true;
    }

    bool m_ok = false;
    std::unique_ptr<std::atomic<uint32_t>[]> m_bytes;
};

// Built once, by whichever thread needs them first.
const CDecodeTable& DecodeTable()
{
    static const CDecodeTable table;
    return table;
}

const CEncodeTable& EncodeTable()
{
    static const CEncodeTable table;
    return table;
}

// Index of the first byte of 0x80 or above at or after i, or n.
inline size_t AsciiEnd(const char* p, size_t i, size_t n)
{
#if defined(__SSE2__)
    // Sixteen bytes at a time: the high bits of a block in one mask.
    while (i + 16 <= n) {
        const unsigned mask =
            static_cast<unsigned>(_mm_movemask_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i))));
        if (mask != 0)
            return i + static_cast<size_t>(__builtin_ctz(mask));
        i += 16;
    }
#endif
    const uint64_t kHigh = 0x8080808080808080ull;
    while (i + 8 <= n) {
        uint64_t w;
        std::memcpy(&w, p + i, 8);
        if (w & kHigh)
            break;
        i += 8;
    }
    while (i < n && static_cast<unsigned char>(p[i]) < 0x80)
        ++i;
    return i;
}

// Writes the UTF-8 form of a character below U+10000 at d (room for 3 bytes); its length.
inline size_t PutUtf8(char* d, char16_t u)
{
    if (u < 0x80) {
        d[0] = static_cast<char>(u);
        return 1;
    }
    if (u < 0x800) {
        d[0] = static_cast<char>(0xC0 | (u >> 6));
        d[1] = static_cast<char>(0x80 | (u & 0x3F));
        return 2;
    }
    d[0] = static_cast<char>(0xE0 | (u >> 12));
    d[1] = static_cast<char>(0x80 | ((u >> 6) & 0x3F));
    d[2] = static_cast<char>(0x80 | (u & 0x3F));
    return 3;
}

inline void AppendCp936(std::string& out, uint32_t entry)
{
    const uint32_t len = entry >> 16;
    if (len == 2) {
        const char b[2] = {static_cast<char>(entry & 0xFF), static_cast<char>((entry >> 8) & 0xFF)};
        out.append(b, 2);
    } else if (len == 1) {
        out.push_back(static_cast<char>(entry & 0xFF));
    }
}

// Walks a code page 936 text step by step; ascii(p, n) gets runs of ASCII, unit(u) every
// other character.
template <class AsciiFn, class UnitFn>
void DecodeCp936(const CDecodeTable& table, const char* p, size_t n, AsciiFn ascii, UnitFn unit)
{
    size_t i = 0;
    while (i < n) {
        const size_t end = AsciiEnd(p, i, n);
        if (end > i) {
            ascii(p + i, end - i);
            i = end;
            if (i == n)
                break;
        }
        const unsigned char c = static_cast<unsigned char>(p[i]);
        const uint32_t step = i + 1 < n ? table.Pair(c, static_cast<unsigned char>(p[i + 1])) : table.Last(c);
        unit(static_cast<char16_t>(step & 0xFFFF));
        i += step >> 16;
    }
}

// The length of the well-formed UTF-8 sequence of a character below U+10000 (not a
// surrogate) at p, and the character; 0 for anything else.
inline size_t DecodeUtf8Bmp(const unsigned char* p, size_t left, char16_t& u)
{
    const unsigned char c = p[0];
    if (c >= 0xC2 && c <= 0xDF) {
        if (left < 2 || (p[1] & 0xC0) != 0x80)
            return 0;
        u = static_cast<char16_t>((c & 0x1F) << 6 | (p[1] & 0x3F));
        return 2;
    }
    if (c >= 0xE0 && c <= 0xEF) {
        if (left < 3 || (p[1] & 0xC0) != 0x80 || (p[2] & 0xC0) != 0x80)
            return 0;
        if ((c == 0xE0 && p[1] < 0xA0) || (c == 0xED && p[1] >= 0xA0))
            return 0;  // overlong, or a surrogate
        u = static_cast<char16_t>((c & 0x0F) << 12 | (p[1] & 0x3F) << 6 | (p[2] & 0x3F));
        return 3;
    }
    return 0;
}

}  // namespace

void AppendUtf8FromCp936(std::string& out, const char* p, size_t n)
{
    if (!p || n == 0)
        return;
    const CDecodeTable& table = DecodeTable();
    if (!table.ok()) {
        static thread_local Converter conv("UTF-8", kCp936);
        out += Run(conv, p, n, SkipOneByte, "?");
        return;
    }
    // Gathered in a small buffer and appended a piece at a time: a text of short runs
    // between double-byte characters (dates such as 2004年3月1日) then costs one append per
    // piece instead of two per character. Runs longer than kDirect (the markup between
    // texts) go straight across, copied once.
    char buf[4096];
    const size_t kDirect = 128;
    size_t used = 0;
    DecodeCp936(
        table, p, n,
        [&](const char* s, size_t len) {
            if (len >= kDirect) {
                out.append(buf, used);
                used = 0;
                out.append(s, len);
                return;
            }
            if (used + len > sizeof buf) {
                out.append(buf, used);
                used = 0;
            }
            std::memcpy(buf + used, s, len);
            used += len;
        },
        [&](char16_t u) {
            if (used + 3 > sizeof buf) {
                out.append(buf, used);
                used = 0;
            }
            used += PutUtf8(buf + used, u);
        });
    out.append(buf, used);
}

std::string Utf8FromCp936(const char* p, size_t n)
{
    std::string out;
    if (!p || n == 0)
        return out;
    out.reserve(n + n / 2);
    AppendUtf8FromCp936(out, p, n);
    return out;
}

std::string Cp936FromUtf8(const char* p, size_t n)
{
    static thread_local Converter conv(kCp936, "UTF-8");
    const CEncodeTable& table = EncodeTable();
    if (!table.ok())
        return Run(conv, p, n, SkipUtf8, "?");
    std::string out;
    if (!p || n == 0)
        return out;
    // The result is at most n bytes. A short text (a name) is not reserved for: when its
    // result fits the string's own small buffer it costs no allocation, and otherwise one
    // growth holds it (n <= 23), one allocation as with the reservation.
    if (n > 23)
        out.reserve(n);
    const unsigned char* u = reinterpret_cast<const unsigned char*>(p);
    size_t i = 0;
    while (i < n) {
        const size_t end = AsciiEnd(p, i, n);
        if (end > i) {
            out.append(p + i, end - i);
            i = end;
            if (i == n)
                break;
        }
        char16_t unit;
        if (const size_t len = DecodeUtf8Bmp(u + i, n - i, unit)) {
            const uint32_t entry = table.Bytes(unit);
            if (entry != CEncodeTable::kOutside) {
                AppendCp936(out, entry);
                i += len;
                continue;
            }
        }
        // Anything else (malformed, cut short, beyond U+FFFF, outside the table) goes to
        // iconv, together with the rest of its non-ASCII run and the ASCII byte after it:
        // iconv never reads past an ASCII byte, so the piece converts as it would within the
        // whole text.
        size_t stop = i;
        while (stop < n && u[stop] >= 0x80)
            ++stop;
        if (stop < n)
            ++stop;
        out += Run(conv, p + i, stop - i, SkipUtf8, "?");
        i = stop;
    }
    return out;
}

std::u16string Utf16FromCp936(const char* p, size_t n)
{
    const CDecodeTable& table = DecodeTable();
    if (!table.ok()) {
        static thread_local Converter conv(kUtf16, kCp936);
        std::string bytes = Run(conv, p, n, SkipOneByte, Utf16Question());
        std::u16string out(bytes.size() / 2, u'\0');
        if (!out.empty())
            std::memcpy(&out[0], bytes.data(), out.size() * 2);
        return out;
    }
    std::u16string out;
    if (!p || n == 0)
        return out;
    out.reserve(n);
    DecodeCp936(
        table, p, n,
        [&out](const char* s, size_t len) {
            for (size_t k = 0; k < len; ++k)
                out.push_back(static_cast<char16_t>(s[k]));
        },
        [&out](char16_t u) { out.push_back(u); });
    return out;
}

std::string Cp936FromUtf16(const char16_t* p, size_t n)
{
    static thread_local Converter conv(kCp936, kUtf16);
    const CEncodeTable& table = EncodeTable();
    if (!table.ok())
        return Run(conv, reinterpret_cast<const char*>(p), n * 2, SkipUtf16, "?");
    std::string out;
    if (!p || n == 0)
        return out;
    out.reserve(n);
    size_t i = 0;
    while (i < n) {
        const char16_t u = p[i];
        uint32_t entry = 0;
        if (u < 0x80) {
            out.push_back(static_cast<char>(u));
            ++i;
        } else if (!IsSurrogate(u) && (entry = table.Bytes(u)) != CEncodeTable::kOutside) {
            AppendCp936(out, entry);
            ++i;
        } else {
            // Surrogates go to iconv, with the unit after them: iconv never pairs a
            // surrogate with a unit that is not one, so the piece converts as it would
            // within the whole text (a unit outside the table goes alone).
            size_t stop = i;
            while (stop < n && IsSurrogate(p[stop]))
                ++stop;
            if (stop < n)
                ++stop;
            out += Run(conv, reinterpret_cast<const char*>(p + i), (stop - i) * 2, SkipUtf16, "?");
            i = stop;
        }
    }
    return out;
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
