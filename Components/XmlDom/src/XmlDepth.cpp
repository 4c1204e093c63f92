// The nesting look counts markup characters, 64 bytes at a time where the processor
// allows, and never walks the parsed tree (whose nodes are many times the size of the
// text and cold in the cache after a large parse).
//
// Without quotes, '<!' and '<?', every '<' of an accepted text opens a tag and every tag
// holds exactly one '>', its last byte; if then as many '>' as '<' are found, none stands
// in text, so "<x" (x not '/') opens an element, "</" closes one, and "/>" closes the one
// its tag opened.
#include "XmlDepth.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#define PC_XMLDOM_SSE2 1
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#include <immintrin.h>
#endif
#endif

namespace xmldom {

namespace {

inline int Bits(uint64_t v) { return __builtin_popcountll(v); }

#if defined(PC_XMLDOM_SSE2)
inline uint64_t Mask(__m128i v, char c) { return (uint64_t)_mm_movemask_epi8(_mm_cmpeq_epi8(v, _mm_set1_epi8(c))); }

inline void BlockMasks(const unsigned char* t, CBlockMasks& m)
{
    m = CBlockMasks{};
    for (int k = 0; k < 4; ++k) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(t + 16 * k));
        const int shift = 16 * k;
        m.lt |= Mask(v, '<') << shift;
        m.gt |= Mask(v, '>') << shift;
        m.slash |= Mask(v, '/') << shift;
        m.mark |= (Mask(v, '!') | Mask(v, '?')) << shift;
        m.quote |= (Mask(v, '"') | Mask(v, '\'')) << shift;
    }
}

#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
// Where the processor has them, the same with 32-byte registers: half the comparisons.
#define PC_XMLDOM_AVX2 1
__attribute__((target("avx2"))) inline uint64_t Mask32(__m256i v, char c)
{
    return (uint32_t)_mm256_movemask_epi8(_mm256_cmpeq_epi8(v, _mm256_set1_epi8(c)));
}

__attribute__((target("avx2"))) void BlockMasksAvx2(const unsigned char* t, CBlockMasks& m)
{
    const __m256i a = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(t));
    const __m256i b = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(t + 32));
    m.lt = Mask32(a, '<') | Mask32(b, '<') << 32;
    m.gt = Mask32(a, '>') | Mask32(b, '>') << 32;
    m.slash = Mask32(a, '/') | Mask32(b, '/') << 32;
    m.mark = (Mask32(a, '!') | Mask32(a, '?')) | (Mask32(b, '!') | Mask32(b, '?')) << 32;
    m.quote = (Mask32(a, '"') | Mask32(a, '\'')) | (Mask32(b, '"') | Mask32(b, '\'')) << 32;
}

const bool kHasAvx2 = (__builtin_cpu_init(), __builtin_cpu_supports("avx2"));
#endif
#endif

} // namespace

void BlockMasks16(const unsigned char* t, CBlockMasks& m)
{
#if defined(PC_XMLDOM_SSE2)
    BlockMasks(t, m);
#else
    m = CBlockMasks{};
    for (int k = 0; k < 64; ++k) {
        const uint64_t bit = 1ull << k;
        m.lt |= t[k] == '<' ? bit : 0;
        m.gt |= t[k] == '>' ? bit : 0;
        m.slash |= t[k] == '/' ? bit : 0;
        m.mark |= t[k] == '!' || t[k] == '?' ? bit : 0;
        m.quote |= t[k] == '"' || t[k] == '\'' ? bit : 0;
    }
#endif
}

bool BlockMasks32(const unsigned char* t, CBlockMasks& m)
{
#if defined(PC_XMLDOM_AVX2)
    if (kHasAvx2) {
        BlockMasksAvx2(t, m);
        return true;
    }
#endif
    (void)t;
    (void)m;
    return false;
}

// A byte order mark and the XML declaration (which has quotes) come first. FALSE while
// the text so far is too short to tell.
bool CNestingCount::SkipProlog(const unsigned char* t, size_t size, bool whole)
{
    if (!whole && size < 8)
        return false;
    size_t i = 0;
    if (size >= 3 && std::memcmp(t, "\xEF\xBB\xBF", 3) == 0)
        i = 3;
    if (size - i >= 5 && std::memcmp(t + i, "<?xml", 5) == 0) {
        size_t k = i + 5;
        while (k + 1 < size && !(t[k] == '?' && t[k + 1] == '>'))
            ++k;
        if (k + 1 >= size) {
            if (whole)
                m_failed = true;
            return false;
        }
        i = k + 2;
    }
    m_pos = i;
    m_prolog = false;
    return true;
}

// Bytes m_pos to stop one by one, with their neighbours (0 beyond the text). FALSE once
// too deep, or at something the count cannot follow.
bool CNestingCount::CountBytes(const unsigned char* t, size_t size, size_t stop)
{
    for (; m_pos < stop; ++m_pos) {
        const unsigned char c = t[m_pos];
        if (c == '"' || c == '\'')
            return false;
        if (c == '<') {
            ++m_lt;
            const unsigned char next = m_pos + 1 < size ? t[m_pos + 1] : 0;
            if (next == '!' || next == '?')
                return false;
            if (next == '/')
                --m_depth;
            else if (++m_depth > m_limit)
                return false;
        } else if (c == '>') {
            ++m_gt;
            if (m_pos > 0 && t[m_pos - 1] == '/')
                --m_depth;
        }
    }
    return true;
}

// On x86-64 a second copy uses the processor's bit count where it has one.
#if defined(PC_XMLDOM_SSE2) && defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
__attribute__((target_clones("popcnt", "default")))
#endif
void CNestingCount::Count(const char* text, size_t size, bool whole)
{
    if (m_failed || (!whole && size == 0))
        return;
    const unsigned char* t = reinterpret_cast<const unsigned char*>(text);
    if (m_prolog && !SkipProlog(t, size, whole))
        return;
    // A byte is counted once the byte after it is known.
    const size_t end = whole ? size : size - 1;
#if defined(PC_XMLDOM_SSE2)
    // Blocks of 64 bytes; the byte before and the byte after each block are read too.
    if (m_pos == 0 && !CountBytes(t, size, end < 1 ? end : 1)) {
        m_failed = true;
        return;
    }
    while (m_pos + 65 <= size) {
        const size_t i = m_pos;
        CBlockMasks masks;
#if defined(PC_XMLDOM_AVX2)
        if (kHasAvx2)
            BlockMasksAvx2(t + i, masks);
        else
#endif
            BlockMasks(t + i, masks);
        const uint64_t lt = masks.lt, gt = masks.gt, slash = masks.slash, mark = masks.mark, quote = masks.quote;
        const unsigned char after = t[i + 64];
        const uint64_t nextSlash = slash >> 1 | (uint64_t)(after == '/') << 63;
        const uint64_t nextMark = mark >> 1 | (uint64_t)(after == '!' || after == '?') << 63;
        const uint64_t prevSlash = slash << 1 | (uint64_t)(t[i - 1] == '/');
        const uint64_t open = lt & ~nextSlash;
        if (m_depth + Bits(open) > m_limit) {
            // Near the limit: this block byte by byte.
            if (!CountBytes(t, size, i + 64)) {
                m_failed = true;
                return;
            }
            continue;
        }
        if (quote | (lt & nextMark)) {
            m_failed = true;
            return;
        }
        m_depth += Bits(open) - Bits(lt & nextSlash) - Bits(gt & prevSlash);
        m_lt += Bits(lt);
        m_gt += Bits(gt);
        m_pos = i + 64;
    }
#endif
    if (m_pos < end && !CountBytes(t, size, end))
        m_failed = true;
}

} // namespace xmldom
