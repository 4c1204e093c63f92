// Multibyte helpers and the TCHAR routines.
#include <ClassLib/Afx.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const unsigned char* U(const char* s) { return reinterpret_cast<const unsigned char*>(s); }

TEST(MbcsTest, LeadAndTrailBytes)
{
    EXPECT_FALSE(IsDBCSLeadByte(0x80));
    EXPECT_TRUE(IsDBCSLeadByte(0x81));
    EXPECT_TRUE(IsDBCSLeadByte(0xFE));
    EXPECT_FALSE(IsDBCSLeadByte(0xFF));
    EXPECT_FALSE(IsDBCSLeadByte('a'));
    EXPECT_TRUE(_ismbblead(0xD6));
    EXPECT_TRUE(_ismbbtrail(0x5C));
    EXPECT_FALSE(_ismbbtrail(0x7F));
    EXPECT_FALSE(_ismbbtrail(0x3F));
}

TEST(MbcsTest, StepsByCharacters)
{
    const char* s = "a\xD6\xD0" "b";
    const unsigned char* p = U(s);
    EXPECT_EQ(_mbsinc(p), p + 1);
    EXPECT_EQ(_mbsinc(p + 1), p + 3);
    EXPECT_EQ(_mbsdec(p, p + 3), p + 1);
    EXPECT_EQ(_mbsdec(p, p + 1), p);
    EXPECT_EQ(_mbsdec(p, p), nullptr);
    EXPECT_EQ(_mbslen(p), 3u);
    EXPECT_EQ(_mbsnbcnt(p, 2), 3u);
    EXPECT_EQ(_mbsnextc(p + 1), 0xD6D0u);
    // A lead byte right before the end is one character; stepping stops at the NUL.
    const char* cut = "\xD6";
    EXPECT_EQ(_mbsinc(U(cut)), U(cut) + 1);
    EXPECT_EQ(_mbclen(U(cut)), 1u);
}

TEST(MbcsTest, TruncationNeverSplitsADoubleByteCharacter)
{
    const char* s = "a\xD6\xD0\xCE\xC4" "b";
    EXPECT_EQ(AfxMbcsTruncateLength(s, 0), 0);
    EXPECT_EQ(AfxMbcsTruncateLength(s, 1), 1);
    EXPECT_EQ(AfxMbcsTruncateLength(s, 2), 1);
    EXPECT_EQ(AfxMbcsTruncateLength(s, 3), 3);
    EXPECT_EQ(AfxMbcsTruncateLength(s, 4), 3);
    EXPECT_EQ(AfxMbcsTruncateLength(s, 5), 5);
    EXPECT_EQ(AfxMbcsTruncateLength(s, 100), 6);
    char buf[8];
    EXPECT_EQ(AfxMbcsTruncateCopy(buf, s, 4), 3);
    EXPECT_STREQ(buf, "a\xD6\xD0");
    EXPECT_TRUE(AfxIsMbcsBoundary(s, 3));
    EXPECT_FALSE(AfxIsMbcsBoundary(s, 2));
    EXPECT_TRUE(AfxIsMbcsBoundary(s, 6));
    EXPECT_FALSE(AfxIsMbcsBoundary(s, 7));
}

TEST(MbcsTest, LstrcpynCopiesWholeCharacters)
{
    char buf[4] = {'x', 'x', 'x', 'x'};
    lstrcpyn(buf, "ab\xD6\xD0", 4);  // room for 3 bytes: the character does not fit
    EXPECT_STREQ(buf, "ab");
    lstrcpyn(buf, "\xD6\xD0z", 4);
    EXPECT_STREQ(buf, "\xD6\xD0z");
    lstrcpyn(buf, nullptr, 4);
    EXPECT_STREQ(buf, "");
    EXPECT_EQ(lstrlen(nullptr), 0);
    EXPECT_EQ(lstrlen("\xD6\xD0"), 2);
}

TEST(MbcsTest, ComparesCodePage936AsUnsignedBytes)
{
    // "啊" (0xB0 0xA1) before "中" (0xD6 0xD0); both after every ASCII letter.
    EXPECT_LT(_mbscmp(U("\xB0\xA1"), U("\xD6\xD0")), 0);
    EXPECT_GT(_mbscmp(U("\xB0\xA1"), U("z")), 0);
    EXPECT_LT(_tcscmp("abc", "abd"), 0);
    EXPECT_EQ(_tcsicmp("HeLLo", "hello"), 0);
    EXPECT_LT(_tcsicmp("apple", "Banana"), 0);
    // The trail byte 'A' (0x41) of 0x81 0x41 is not folded to 'a'.
    EXPECT_NE(_mbsicmp(U("\x81\x41"), U("\x81\x61")), 0);
    EXPECT_EQ(_tcsncmp("abcX", "abcY", 3), 0);
    EXPECT_EQ(_tcsnicmp("ABcX", "abcY", 3), 0);
    EXPECT_EQ(lstrcmpi("A", "a"), 0);
    EXPECT_GT(lstrcmp("\xD6\xD0", "A"), 0);
}

TEST(MbcsTest, SearchesSkipTrailBytes)
{
    const char* s = "\x81\x5C\\x";
    EXPECT_EQ(_tcschr(s, '\\'), s + 2);
    EXPECT_EQ(_tcsrchr(s, '\\'), s + 2);
    EXPECT_EQ(_tcsstr(s, "\\"), s + 2);
    EXPECT_EQ(_tcsstr(s, "\x5C" "x"), s + 2);
    EXPECT_EQ(_tcspbrk(s, "\\x"), s + 2);
    EXPECT_EQ(_tcscspn(s, "\\"), 2u);
    EXPECT_EQ(_tcsspn("aab", "a"), 2u);
    EXPECT_EQ(_tcschr("abc", 'z'), nullptr);
    {
        const unsigned char* t = U("a\xD6\xD0");
        EXPECT_EQ(_mbschr(t, 0xD6D0u), t + 1);
        EXPECT_EQ(_mbschr(t, 0xD0u), nullptr);
    }
}

TEST(MbcsTest, TokenizesByCharacters)
{
    char buf[] = "a\x81\x7C|b||c";
    std::vector<std::string> tokens;
    for (char* t = _tcstok(buf, "|"); t; t = _tcstok(nullptr, "|"))
        tokens.push_back(t);
    ASSERT_EQ(tokens.size(), 3u);
    EXPECT_EQ(tokens[0], "a\x81\x7C");
    EXPECT_EQ(tokens[1], "b");
    EXPECT_EQ(tokens[2], "c");
}

TEST(MbcsTest, CaseAndReverse)
{
    char s[] = "ab\x81\x61\xD6\xD0";
    _tcsupr(s);
    EXPECT_STREQ(s, "AB\x81\x61\xD6\xD0");
    _tcslwr(s);
    EXPECT_STREQ(s, "ab\x81\x61\xD6\xD0");
    _tcsrev(s);
    EXPECT_STREQ(s, "\xD6\xD0\x81\x61" "ba");
}

TEST(MbcsTest, NumbersToText)
{
    char buf[80];
    EXPECT_STREQ(_itot(-42, buf, 10), "-42");
    EXPECT_STREQ(_itot(255, buf, 16), "ff");
    EXPECT_STREQ(_itot(-1, buf, 16), "ffffffff");
    EXPECT_STREQ(_ltot(-1, buf, 16), "ffffffff");
    EXPECT_STREQ(_ltot(-2147483647 - 1, buf, 10), "-2147483648");
    EXPECT_STREQ(_itot(5, buf, 2), "101");
    EXPECT_STREQ(_i64tot(-5000000000LL, buf, 10), "-5000000000");
    EXPECT_STREQ(_ultot(4294967295u, buf, 10), "4294967295");
    EXPECT_STREQ(_itot(7, buf, 1), "");
    EXPECT_EQ(_ttoi("  -17x"), -17);
    EXPECT_DOUBLE_EQ(_tstof("2.5"), 2.5);
    char* end = nullptr;
    EXPECT_EQ(_tcstol("0x1f", &end, 16), 31);
    EXPECT_EQ(*end, '\0');
    EXPECT_DOUBLE_EQ(_tcstod("1e3z", &end), 1000.0);
    EXPECT_EQ(*end, 'z');
}

TEST(MbcsTest, BoundedPrintAndCopy)
{
    char buf[6];
    EXPECT_EQ(_snprintf(buf, sizeof buf, "%d", 123), 3);
    EXPECT_STREQ(buf, "123");
    EXPECT_EQ(_snprintf(buf, sizeof buf, "%s", "toolong"), -1);
    EXPECT_STREQ(buf, "toolo");  // always terminated
    EXPECT_EQ(_tcscpy_s(buf, sizeof buf, "abcde"), 0);
    EXPECT_STREQ(buf, "abcde");
    EXPECT_EQ(_tcscpy_s(buf, sizeof buf, "abcdef"), ERANGE);
    EXPECT_STREQ(buf, "");
    char out[16];
    _stprintf(out, "%03d", 7);
    EXPECT_STREQ(out, "007");
}

TEST(MbcsTest, CharacterClassesAreAscii)
{
    EXPECT_TRUE(_istdigit('7'));
    EXPECT_FALSE(_istdigit(0xB3));
    EXPECT_FALSE(_istalpha(0xD6));
    EXPECT_TRUE(_istspace('\t'));
    EXPECT_EQ(_totupper('q'), static_cast<unsigned>('Q'));
    EXPECT_EQ(_totupper(0xD6), 0xD6u);
}

}  // namespace
