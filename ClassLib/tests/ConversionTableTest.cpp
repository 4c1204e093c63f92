// The table-driven conversions against iconv itself: every single byte, every two-byte
// sequence, every UTF-16 unit, and mixed, malformed and cut-short texts.
#include <ClassLib/Afx.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <iconv.h>
#include <random>
#include <string>

namespace {

#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
const char* const kUtf16 = "UTF-16BE";
#else
const char* const kUtf16 = "UTF-16LE";
#endif

// How far to step past input iconv refused: code page 936 one byte; UTF-8 a whole sequence
// when its lead and continuation bytes are all there, else one byte; UTF-16 a surrogate
// pair whole, else one unit.
size_t SkipByte(const unsigned char*, size_t) { return 1; }

size_t SkipUtf8(const unsigned char* p, size_t left)
{
    size_t len = 0;
    if (p[0] >= 0xC2 && p[0] <= 0xDF)
        len = 2;
    else if (p[0] >= 0xE0 && p[0] <= 0xEF)
        len = 3;
    else if (p[0] >= 0xF0 && p[0] <= 0xF4)
        len = 4;
    if (len == 0 || len > left)
        return 1;
    for (size_t i = 1; i < len; ++i) {
        if ((p[i] & 0xC0) != 0x80)
            return 1;
    }
    return len;
}

size_t SkipUtf16(const unsigned char* p, size_t left)
{
    if (left < 4)
        return left < 2 ? left : 2;
    char16_t a, b;
    std::memcpy(&a, p, 2);
    std::memcpy(&b, p + 2, 2);
    return (a >= 0xD800 && a <= 0xDBFF && b >= 0xDC00 && b <= 0xDFFF) ? 4 : 2;
}

// A whole text through one iconv converter: refused input becomes the replacement and
// the conversion goes on after it; a sequence cut short by the end becomes one replacement.
class CIconvReference
{
public:
    CIconvReference(const char* to, const char* from, size_t (*skip)(const unsigned char*, size_t),
                    std::string replacement)
        : m_skip(skip), m_replacement(std::move(replacement))
    {
        m_cd = iconv_open(to, from);
        if (m_cd == reinterpret_cast<iconv_t>(-1))
            m_cd = iconv_open(std::strcmp(to, "CP936") == 0 ? "GBK" : to, std::strcmp(from, "CP936") == 0 ? "GBK" : from);
    }
    ~CIconvReference()
    {
        if (ok())
            iconv_close(m_cd);
    }
    bool ok() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

    std::string operator()(const std::string& in) const
    {
        std::string out;
        char* src = const_cast<char*>(in.data());
        size_t left = in.size();
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        while (left > 0) {
            char buf[256];
            char* dst = buf;
            size_t room = sizeof(buf);
            const size_t r = iconv(m_cd, &src, &left, &dst, &room);
            const int error = errno;
            out.append(buf, sizeof(buf) - room);
            if (r != static_cast<size_t>(-1) || error == E2BIG)
                continue;
            out += m_replacement;
            const size_t n = error == EINVAL ? left : m_skip(reinterpret_cast<unsigned char*>(src), left);
            src += n;
            left -= n;
            iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        }
        return out;
    }

private:
    iconv_t m_cd;
    size_t (*m_skip)(const unsigned char*, size_t);
    std::string m_replacement;
};

std::string Bytes(const std::u16string& s) { return std::string(reinterpret_cast<const char*>(s.data()), s.size() * 2); }

std::u16string Units(const std::string& bytes)
{
    std::u16string s(bytes.size() / 2, u'\0');
    if (!s.empty())
        std::memcpy(&s[0], bytes.data(), s.size() * 2);
    return s;
}

const std::string kQuestion16 = Bytes(u"?");

class ConversionTableTest : public ::testing::Test
{
protected:
    ConversionTableTest()
        : toUtf8("UTF-8", "CP936", SkipByte, "?"),
          toUtf16(kUtf16, "CP936", SkipByte, kQuestion16),
          fromUtf8("CP936", "UTF-8", SkipUtf8, "?"),
          fromUtf16("CP936", kUtf16, SkipUtf16, "?")
    {
    }
    void SetUp() override
    {
        ASSERT_TRUE(toUtf8.ok() && toUtf16.ok() && fromUtf8.ok() && fromUtf16.ok());
    }

    // Checks one code page 936 text both ways out; returns whether both matched.
    bool SameFromCp936(const std::string& in)
    {
        const std::string utf8 = Utf8FromCp936(in.data(), in.size());
        const std::string utf16 = Bytes(Utf16FromCp936(in.data(), in.size()));
        const std::string wantUtf8 = toUtf8(in);
        const std::string wantUtf16 = toUtf16(in);
        EXPECT_EQ(utf8, wantUtf8) << Hex(in);
        EXPECT_EQ(utf16, wantUtf16) << Hex(in);
        return utf8 == wantUtf8 && utf16 == wantUtf16;
    }
    bool SameFromUtf8(const std::string& in)
    {
        const std::string got = Cp936FromUtf8(in.data(), in.size());
        const std::string want = fromUtf8(in);
        EXPECT_EQ(got, want) << Hex(in);
        return got == want;
    }
    bool SameFromUtf16(const std::u16string& in)
    {
        const std::string got = Cp936FromUtf16(in.data(), in.size());
        const std::string want = fromUtf16(Bytes(in));
        EXPECT_EQ(got, want) << Hex(Bytes(in));
        return got == want;
    }

    static std::string Hex(const std::string& s)
    {
        static const char digits[] = "0123456789ABCDEF";
        std::string h;
        for (unsigned char c : s) {
            h += digits[c >> 4];
            h += digits[c & 15];
            h += ' ';
        }
        return h;
    }

    CIconvReference toUtf8, toUtf16, fromUtf8, fromUtf16;
};

TEST_F(ConversionTableTest, EverySingleByteMatchesIconv)
{
    for (int b = 0; b < 256; ++b) {
        const std::string in(1, static_cast<char>(b));
        if (!SameFromCp936(in))
            break;
    }
}

TEST_F(ConversionTableTest, EveryTwoByteSequenceMatchesIconv)
{
    int characters = 0;
    for (int lead = 0; lead < 256; ++lead) {
        for (int trail = 0; trail < 256; ++trail) {
            const std::string in{static_cast<char>(lead), static_cast<char>(trail)};
            if (!SameFromCp936(in))
                return;
            if (lead >= 0x81 && Utf16FromCp936(in.data(), 2).size() == 1)
                ++characters;
        }
    }
    // The code page has well over 21,000 double-byte characters.
    EXPECT_GT(characters, 21000);
}

TEST_F(ConversionTableTest, EveryTwoByteSequenceMatchesIconvWithinText)
{
    // Before ASCII, before a lead byte that is cut off by the end, and after a lone 0x80.
    for (int lead = 0x80; lead < 256; ++lead) {
        for (int trail = 0; trail < 256; ++trail) {
            const std::string pair{static_cast<char>(lead), static_cast<char>(trail)};
            if (!SameFromCp936("a" + pair + "b") || !SameFromCp936(pair + "\x81") ||
                !SameFromCp936("\x80" + pair + "\xD6\xD0"))
                return;
        }
    }
}

TEST_F(ConversionTableTest, EuroSignAndNeighbours)
{
    EXPECT_EQ(Utf8FromCp936("\x80\x40", 2), "\xE2\x82\xAC@");        // 0x80 stands alone
    EXPECT_EQ(Utf8FromCp936("\x80\xD6\xD0", 3), "\xE2\x82\xAC\xE4\xB8\xAD");
    EXPECT_EQ(Utf16FromCp936("\x80", 1), u"\u20AC");
    EXPECT_EQ(Cp936FromUtf8("\xE2\x82\xAC", 3), "\x80");
    EXPECT_EQ(Utf8FromCp936("\xFF\xFF", 2), "??");
    EXPECT_EQ(Utf8FromCp936("\xD6\xD0\xD6", 3), "\xE4\xB8\xAD?");   // cut off at the end
}

TEST_F(ConversionTableTest, RandomMixedCodePage936TextsMatchIconv)
{
    std::mt19937 rng(936);
    const unsigned char pool[] = {'a', 'Z', ' ', '\n', '<', '?', 0, 0x40, 0x7E, 0x7F, 0x80, 0x81, 0xA1,
                                  0xA2, 0xB0, 0xD6, 0xD0, 0xF7, 0xFE, 0xFF};
    for (int round = 0; round < 5000; ++round) {
        std::string in;
        const int len = static_cast<int>(rng() % 24);
        for (int i = 0; i < len; ++i)
            in += static_cast<char>(rng() % 3 == 0 ? rng() % 256 : pool[rng() % sizeof(pool)]);
        if (!SameFromCp936(in))
            break;
    }
}

TEST_F(ConversionTableTest, EveryUtf16UnitMatchesIconv)
{
    int mapped = 0;
    for (unsigned int u = 0; u <= 0xFFFF; ++u) {
        const std::u16string in(1, static_cast<char16_t>(u));
        if (!SameFromUtf16(in))
            return;
        if (u >= 0x80 && Cp936FromUtf16(in.data(), 1) != "?")
            ++mapped;
    }
    EXPECT_GT(mapped, 21000);
}

TEST_F(ConversionTableTest, EveryCharacterBelowU10000InUtf8MatchesIconv)
{
    for (unsigned int u = 0; u <= 0xFFFF; ++u) {
        std::string in;
        if (u < 0x80) {
            in += static_cast<char>(u);
        } else if (u < 0x800) {
            in += static_cast<char>(0xC0 | (u >> 6));
            in += static_cast<char>(0x80 | (u & 0x3F));
        } else {
            // Surrogates too: three bytes iconv refuses as one sequence.
            in += static_cast<char>(0xE0 | (u >> 12));
            in += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
            in += static_cast<char>(0x80 | (u & 0x3F));
        }
        if (!SameFromUtf8(in) || !SameFromUtf8("x" + in + "y"))
            return;
    }
}

TEST_F(ConversionTableTest, EveryTwoByteUtf8InputMatchesIconv)
{
    for (int a = 0; a < 256; ++a) {
        for (int b = 0; b < 256; ++b) {
            const std::string in{static_cast<char>(a), static_cast<char>(b)};
            if (!SameFromUtf8(in) || !SameFromUtf8(in + "z"))
                return;
        }
    }
}

TEST_F(ConversionTableTest, MalformedAndCutShortUtf8MatchesIconv)
{
    const char* const cases[] = {
        "\xC0\x80", "\xC1\xBF", "\xE0\x80\x80", "\xE0\x9F\xBF", "\xED\xA0\x80", "\xED\xBF\xBF z",
        "\xF0\x9F\x98\x80", "\xF0\x80\x80\x80", "\xF4\x90\x80\x80", "\xF5\x80\x80\x80", "\xFE\xFF",
        "\xE4\xB8", "\xE4\xB8z", "\xE4z\xB8\xAD", "\x80\x80\xE4\xB8\xAD", "\xF0\x9F\x98", "\xF0\x9F\x98z",
        "\xE4\xB8\xAD\xE4", "\xE4\xB8\xAD\xF0\x9F\x98\x80\xE6\x96\x87", "a\xC3", "\xEF\xBF\xBD\xEF\xBB\xBF",
    };
    for (const char* c : cases)
        SameFromUtf8(c);

    std::mt19937 rng(8);
    const unsigned char pool[] = {'a', ' ', '<', 0x80, 0x9F, 0xA0, 0xAD, 0xBF, 0xC2, 0xC3, 0xDF, 0xE0,
                                  0xE4, 0xB8, 0xED, 0xEF, 0xF0, 0x9F, 0xF4, 0xF5, 0xFF};
    for (int round = 0; round < 5000; ++round) {
        std::string in;
        const int len = static_cast<int>(rng() % 20);
        for (int i = 0; i < len; ++i)
            in += static_cast<char>(rng() % 4 == 0 ? rng() % 256 : pool[rng() % sizeof(pool)]);
        if (!SameFromUtf8(in))
            break;
    }
}

TEST_F(ConversionTableTest, SurrogatesAndMixedUtf16MatchesIconv)
{
    const char16_t hi = 0xD83D, lo = 0xDE00;
    const std::u16string cases[] = {
        {hi}, {lo}, {hi, lo}, {lo, hi}, {hi, hi, lo}, {hi, u'a'}, {u'a', hi}, {hi, lo, u'\u4E2D'},
        {u'\u4E2D', lo, lo, u'\u6587'}, {u'\u20AC', hi, 0x4E2D, lo},
    };
    for (const std::u16string& c : cases)
        SameFromUtf16(c);

    std::mt19937 rng(16);
    const char16_t pool[] = {u'a', u'<', 0x80, 0xA4, 0x20AC, 0x4E2D, 0x9879, 0xFF01, 0xFFFD, 0xFEFF,
                             0xE000, 0xD800, 0xDBFF, 0xDC00, 0xDFFF, 0x0E01};
    for (int round = 0; round < 5000; ++round) {
        std::u16string in;
        const int len = static_cast<int>(rng() % 16);
        for (int i = 0; i < len; ++i)
            in += rng() % 4 == 0 ? static_cast<char16_t>(rng() % 0x10000) : pool[rng() % (sizeof(pool) / 2)];
        if (!SameFromUtf16(in))
            break;
    }
}

TEST_F(ConversionTableTest, PiecesCutAfterAsciiJoinToTheWholeText)
{
    // Every character followed by an ASCII byte, cut right after it.
    for (int lead = 0x80; lead < 256; ++lead) {
        for (int trail = 0; trail < 256; ++trail) {
            const std::string first{'a', static_cast<char>(lead), static_cast<char>(trail), 'z'};
            const std::string second = "\xD6\xD0x\x81";
            std::string pieces;
            AppendUtf8FromCp936(pieces, first.data(), first.size());
            AppendUtf8FromCp936(pieces, second.data(), second.size());
            const std::string whole = first + second;
            ASSERT_EQ(pieces, toUtf8(whole)) << Hex(whole);
        }
    }
    std::mt19937 rng(7);
    const unsigned char pool[] = {'a', '<', 0x40, 0x7E, 0x80, 0x81, 0xB0, 0xD6, 0xD0, 0xFE, 0xFF};
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        const int len = static_cast<int>(rng() % 40);
        for (int i = 0; i < len; ++i)
            text += static_cast<char>(pool[rng() % sizeof(pool)]);
        std::string pieces = "kept ";
        size_t start = 0;
        for (size_t i = 0; i < text.size(); ++i) {
            if (static_cast<unsigned char>(text[i]) < 0x80 && rng() % 2 == 0) {
                AppendUtf8FromCp936(pieces, text.data() + start, i + 1 - start);
                start = i + 1;
            }
        }
        AppendUtf8FromCp936(pieces, text.data() + start, text.size() - start);
        ASSERT_EQ(pieces, "kept " + toUtf8(text)) << Hex(text);
    }
}

TEST_F(ConversionTableTest, AsciiRunsOfEveryLengthAroundTheOutputPieceMatchIconv)
{
    // The output is gathered in pieces of a few kilobytes: runs that fill a piece exactly,
    // overflow it by one, or are longer than half of it, runs around the length that goes
    // straight across and around the 16-byte scan, between characters of each length.
    const size_t lengths[] = {0, 1, 2, 15, 16, 17, 127, 128, 129, 2047, 2048, 2049, 4094, 4095, 4096, 4097, 9000};
    const char* const characters[] = {"\xD6\xD0", "\x80", "\xFF\xFF", "\xA1\xA1"};
    for (size_t first : lengths) {
        for (size_t second : lengths) {
            for (const char* character : characters) {
                const std::string in = std::string(first, 'a') + character + std::string(second, 'b') + character +
                                       character + std::string(second % 7, 'c');
                if (!SameFromCp936(in))
                    return;
                std::string appended = "kept ";
                AppendUtf8FromCp936(appended, in.data(), in.size());
                ASSERT_EQ(appended, "kept " + toUtf8(in));
            }
        }
    }
    std::mt19937 rng(4096);
    for (int round = 0; round < 60; ++round) {
        std::string in;
        while (in.size() < 20000) {
            in.append(rng() % 3000, 'x');
            in.append(rng() % 2 ? "\xC8\xCE" : "\x80");
        }
        if (!SameFromCp936(in))
            break;
    }
}

TEST_F(ConversionTableTest, LongMixedTextMatchesIconv)
{
    std::string gbk;
    for (int i = 0; i < 20000; ++i)
        gbk += (i % 7 == 0) ? "<NAME>\xC8\xCE\xCE\xF1 " : (i % 11 == 0 ? "\x80\xFF\x81" : "plain ascii text ");
    gbk += "\xD6";
    EXPECT_TRUE(SameFromCp936(gbk));
    const std::string utf8 = toUtf8(gbk);
    EXPECT_TRUE(SameFromUtf8(utf8));
    EXPECT_TRUE(SameFromUtf16(Units(toUtf16(gbk))));
}

}  // namespace
