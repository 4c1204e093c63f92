// A quick look at how deeply a UTF-8 XML text nests its elements, from the text alone.
#pragma once

#include <cstddef>
#include <cstdint>

namespace xmldom {

// The markup bytes of a 64-byte block, a bit per byte: what the count below looks at.
struct CBlockMasks {
    uint64_t lt, gt, slash, mark, quote; // '<', '>', '/', '!' or '?', a quote
};
// The masks of the 64 bytes at t with 16-byte comparisons, which every processor of the
// platform has...
void BlockMasks16(const unsigned char* t, CBlockMasks& m);
// ... and with 32-byte ones, which the count uses where the processor has them; FALSE
// (m untouched) where it has not.
bool BlockMasks32(const unsigned char* t, CBlockMasks& m);

// Counts the nesting of a text given piece by piece as it is produced, so that each piece
// is looked at while it is still in the cache.
//
// The answer is TRUE when the text, which the parser goes on to accept, certainly nests
// no element deeper than the limit (a top-level element has depth 1); FALSE when it may
// be deeper, or when it holds something this look does not follow (quotes, comments,
// CDATA sections, processing instructions, a DOCTYPE, '>' in text): the tree must then be
// walked to know.
class CNestingCount
{
public:
    explicit CNestingCount(int limit) : m_limit(limit) {}

    // The text so far is text[0, size); later calls see the same bytes (perhaps moved)
    // followed by more.
    void Feed(const char* text, size_t size) { Count(text, size, false); }
    // The whole text; returns the answer.
    bool Finish(const char* text, size_t size)
    {
        Count(text, size, true);
        return !m_failed && m_lt == m_gt;
    }

private:
    void Count(const char* text, size_t size, bool whole);
    bool SkipProlog(const unsigned char* t, size_t size, bool whole);
    bool CountBytes(const unsigned char* t, size_t size, size_t stop);

    long m_limit;
    size_t m_pos = 0;      // next byte to count
    bool m_prolog = true;  // byte order mark and XML declaration not yet looked for
    bool m_failed = false;
    long m_depth = 0;
    uint64_t m_lt = 0;
    uint64_t m_gt = 0;
};

// The same for a text at hand.
inline bool NestingWithin(const char* text, size_t size, int limit)
{
    return CNestingCount(limit).Finish(text, size);
}

} // namespace xmldom
