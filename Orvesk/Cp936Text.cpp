#include "Cp936Text.h"

#include <ClassLib/Core/Conversion.h>

#include <algorithm>
#include <array>

namespace {

// UTF-8 of each double-byte character: lead 0x81-0xFE, trail 0x40-0xFE; empty where the
// code page has no character.
struct CCharTable
{
    static const int kLeads = 0xFE - 0x81 + 1;
    static const int kTrails = 0xFE - 0x40 + 1;
    struct Entry
    {
        char bytes[4];
        unsigned char length;
    };
    std::array<Entry, kLeads * kTrails> entries{};

    CCharTable()
    {
        for (int lead = 0x81; lead <= 0xFE; ++lead) {
            // All characters of one lead byte, each followed by a line feed, in one call.
            std::string batch;
            for (int trail = 0x40; trail <= 0xFE; ++trail) {
                batch += (char)lead;
                batch += (char)trail;
                batch += '\n';
            }
            const std::string utf8 = Utf8FromCp936(batch.data(), batch.size());
            // Unless every character came out as one multi-byte sequence the split below
            // cannot be trusted: leave this lead byte to the converter.
            size_t pos = 0;
            std::array<Entry, kTrails> row{};
            bool ok = true;
            for (int trail = 0; trail < kTrails && ok; ++trail) {
                const size_t end = utf8.find('\n', pos);
                if (end == std::string::npos) {
                    ok = false;
                    break;
                }
                const size_t len = end - pos;
                const unsigned char first = len > 0 ? (unsigned char)utf8[pos] : 0;
                if (len >= 2 && len <= 4 && first >= 0xC2)
                    row[trail] = MakeEntry(utf8.data() + pos, len);
                pos = end + 1;
            }
            if (ok && pos == utf8.size())
                std::copy(row.begin(), row.end(), entries.begin() + (lead - 0x81) * kTrails);
        }
    }

    static Entry MakeEntry(const char* p, size_t len)
    {
        Entry e{};
        for (size_t i = 0; i < len; ++i)
            e.bytes[i] = p[i];
        e.length = (unsigned char)len;
        return e;
    }

    const Entry* Find(unsigned char lead, unsigned char trail) const
    {
        if (lead < 0x81 || lead > 0xFE || trail < 0x40 || trail > 0xFE)
            return nullptr;
        const Entry& e = entries[(lead - 0x81) * kTrails + (trail - 0x40)];
        return e.length != 0 ? &e : nullptr;
    }
};

const CCharTable& Table()
{
    static const CCharTable table;
    return table;
}

} // namespace

std::string Utf8FromCp936Text(const char* pText, size_t nLength)
{
    const CCharTable& table = Table();
    std::string out;
    out.reserve(nLength + nLength / 4);
    size_t i = 0;
    while (i < nLength) {
        const unsigned char c = (unsigned char)pText[i];
        if (c < 0x80) {
            size_t start = i;
            while (i < nLength && (unsigned char)pText[i] < 0x80)
                ++i;
            out.append(pText + start, i - start);
            continue;
        }
        if (i + 1 < nLength) {
            if (const CCharTable::Entry* e = table.Find(c, (unsigned char)pText[i + 1])) {
                out.append(e->bytes, e->length);
                i += 2;
                continue;
            }
        }
        // Not in the table: the converter decides, on the run up to the next ASCII byte.
        size_t start = i;
        while (i < nLength && (unsigned char)pText[i] >= 0x80)
            i += (i + 1 < nLength) ? 2 : 1;
        if (i > nLength)
            i = nLength;
        out += Utf8FromCp936(pText + start, i - start);
    }
    return out;
}
