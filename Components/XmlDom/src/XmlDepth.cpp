// The nesting look counts markup characters, 64 bytes at a time where the processor
// allows, and never walks the parsed tree (whose nodes are many times the size of the
// text and cold in the cache after a large parse).
//
// Without quotes, '<!' and '<?', every '<' of an accepted text opens a tag and every tag
// holds exactly one '>', its last byte; if then as many '>' as '<' are found, none stands
// in text, so "<x" (x not '/') opens an element, "</" closes one, and "/>" closes the one
// its tag opened.
#include "XmlDepth.h"

#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace xmldom {

namespace {

struct CCount
{
    long depth = 0;
    uint64_t lt = 0;
    uint64_t gt = 0;
};

inline int Bits(uint64_t v) { return __builtin_popcountll(v); }

// One byte, with its neighbours (0 beyond the text). FALSE once too deep, or at something
// the count cannot follow.
inline bool CountByte(CCount& n, unsigned char prev, unsigned char c, unsigned char next, long limit)
{
    if (c == '"' || c == '\'')
        return false;
    if (c == '<') {
        ++n.lt;
        if (next == '!' || next == '?')
            return false;
        if (next == '/')
            --n.depth;
        else if (++n.depth > limit)
            return false;
    } else if (c == '>') {
        ++n.gt;
        if (prev == '/')
            --n.depth;
    }
    return true;
}

#if defined(__SSE2__)
#define PC_XMLDOM_SSE2 1
inline uint64_t Mask(__m128i v, char c) { return (uint64_t)_mm_movemask_epi8(_mm_cmpeq_epi8(v, _mm_set1_epi8(c))); }
#endif

} // namespace

// On x86-64 a second copy uses the processor's bit count where it has one.
#if defined(PC_XMLDOM_SSE2) && defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
__attribute__((target_clones("popcnt", "default")))
#endif
bool NestingWithin(const char* text, size_t size, int limit)
{
    const unsigned char* t = reinterpret_cast<const unsigned char*>(text);
    size_t i = 0;
    // A byte order mark and the XML declaration (which has quotes) come first.
    if (size >= 3 && std::memcmp(t, "\xEF\xBB\xBF", 3) == 0)
        i = 3;
    if (size - i >= 5 && std::memcmp(t + i, "<?xml", 5) == 0) {
        size_t k = i + 5;
        while (k + 1 < size && !(t[k] == '?' && t[k + 1] == '>'))
            ++k;
        if (k + 1 >= size)
            return false;
        i = k + 2;
    }

    CCount n;
    const long max = limit;
    auto scalarTo = [&](size_t stop) {
        for (; i < stop; ++i) {
            if (!CountByte(n, i > 0 ? t[i - 1] : 0, t[i], i + 1 < size ? t[i + 1] : 0, max))
                return false;
        }
        return true;
    };

#if defined(PC_XMLDOM_SSE2)
    // Blocks of 64 bytes; the byte before and the byte after each block are read too.
    if (!scalarTo(i == 0 ? (size > 0 ? 1 : 0) : i))
        return false;
    while (i + 65 <= size) {
        uint64_t lt = 0, gt = 0, slash = 0, mark = 0, quote = 0;
        for (int k = 0; k < 4; ++k) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(t + i + 16 * k));
            const int shift = 16 * k;
            lt |= Mask(v, '<') << shift;
            gt |= Mask(v, '>') << shift;
            slash |= Mask(v, '/') << shift;
            mark |= (Mask(v, '!') | Mask(v, '?')) << shift;
            quote |= (Mask(v, '"') | Mask(v, '\'')) << shift;
        }
        const unsigned char after = t[i + 64];
        const uint64_t nextSlash = slash >> 1 | (uint64_t)(after == '/') << 63;
        const uint64_t nextMark = mark >> 1 | (uint64_t)(after == '!' || after == '?') << 63;
        const uint64_t prevSlash = slash << 1 | (uint64_t)(t[i - 1] == '/');
        const uint64_t open = lt & ~nextSlash;
        if (n.depth + Bits(open) > max) {
            // Near the limit: this block byte by byte.
            if (!scalarTo(i + 64))
                return false;
            continue;
        }
        if (quote | (lt & nextMark))
            return false;
        n.depth += Bits(open) - Bits(lt & nextSlash) - Bits(gt & prevSlash);
        n.lt += Bits(lt);
        n.gt += Bits(gt);
        i += 64;
    }
#endif
    if (!scalarTo(size))
        return false;
    return n.lt == n.gt;
}

} // namespace xmldom
