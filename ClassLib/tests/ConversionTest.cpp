// Code page 936 <-> UTF-8 / UTF-16.
#include <ClassLib/Afx.h>

#include <gtest/gtest.h>

#include <string>

namespace {

// "中文项目" in UTF-8 and in code page 936.
const std::string kUtf8 = "\xE4\xB8\xAD\xE6\x96\x87\xE9\xA1\xB9\xE7\x9B\xAE";
const std::string kGbk = "\xD6\xD0\xCE\xC4\xCF\xEE\xC4\xBF";

TEST(ConversionTest, ChineseRoundTripsThroughUtf8ByteForByte)
{
    CString s = CStringFromUtf8(kUtf8);
    EXPECT_EQ(s.str(), kGbk);
    EXPECT_EQ(s.GetLength(), 8);
    EXPECT_EQ(Utf8FromCString(s), kUtf8);
    EXPECT_EQ(Utf8FromCString("mixed \xD6\xD0 text"), "mixed \xE4\xB8\xAD text");
}

TEST(ConversionTest, ChineseRoundTripsThroughUtf16)
{
    std::u16string w = Utf16FromCString(CString(kGbk.c_str()));
    EXPECT_EQ(w, u"\u4E2D\u6587\u9879\u76EE");
    EXPECT_EQ(CStringFromUtf16(w).str(), kGbk);
    EXPECT_EQ(CString(w.c_str()).str(), kGbk);
    EXPECT_EQ(CString(w.c_str(), 1).str(), "\xD6\xD0");
}

TEST(ConversionTest, EuroSignIsByte80)
{
    EXPECT_EQ(Utf8FromCString("\x80"), "\xE2\x82\xAC");
    EXPECT_EQ(CStringFromUtf16(u"\u20AC").str(), "\x80");
}

TEST(ConversionTest, InvalidCodePage936BytesBecomeQuestionMarks)
{
    EXPECT_EQ(Utf8FromCString("a\xFF" "b"), "a?b");
    EXPECT_EQ(Utf8FromCString("ab\x81"), "ab?");           // lead byte cut off at the end
    EXPECT_EQ(Utf8FromCString("\x81\x20z"), "? z");         // lead byte with no trail byte
    EXPECT_EQ(Utf16FromCString("\xFF\xD6\xD0"), u"?\u4E2D");
}

TEST(ConversionTest, InvalidOrUnmappableUnicodeBecomesQuestionMarks)
{
    // A malformed byte, an emoji (outside code page 936, four bytes) and a Thai letter.
    EXPECT_EQ(CStringFromUtf8("a\xC3" "b").str(), "a?b");
    EXPECT_EQ(CStringFromUtf8("x\xF0\x9F\x98\x80y").str(), "x?y");
    EXPECT_EQ(CStringFromUtf8("\xE0\xB8\x81").str(), "?");
    EXPECT_EQ(CStringFromUtf8("\xE4\xB8").str(), "?");  // cut short
    const char16_t lone[] = {u'a', 0xD800, u'b', 0};
    EXPECT_EQ(CStringFromUtf16(lone).str(), "a?b");
    const char16_t pair[] = {0xD83D, 0xDE00, u'c', 0};
    EXPECT_EQ(CStringFromUtf16(pair).str(), "?c");
}

TEST(ConversionTest, EmptyAndNullInput)
{
    EXPECT_EQ(CStringFromUtf8(static_cast<const char*>(nullptr)), "");
    EXPECT_EQ(Utf8FromCString(static_cast<LPCTSTR>(nullptr)), "");
    EXPECT_EQ(CStringFromUtf16(static_cast<const char16_t*>(nullptr)), "");
    EXPECT_EQ(Utf16FromCString(CString()), u"");
    EXPECT_EQ(Utf8FromCp936("", 0), "");
}

TEST(ConversionTest, LongTextConverts)
{
    std::string gbk;
    std::string utf8;
    for (int i = 0; i < 3000; ++i) {
        gbk += kGbk;
        utf8 += kUtf8;
    }
    EXPECT_EQ(Utf8FromCp936(gbk.data(), gbk.size()), utf8);
    EXPECT_EQ(Cp936FromUtf8(utf8.data(), utf8.size()), gbk);
}

TEST(ConversionTest, PlatformMacrosKeepTextsForTheScope)
{
    USES_CONVERSION;
    LPCWSTR w1 = T2COLE("\xD6\xD0");
    LPCWSTR w2 = A2W("ab");
    EXPECT_EQ(std::u16string(w1), u"\u4E2D");
    EXPECT_EQ(std::u16string(w2), u"ab");
    LPCSTR a = OLE2CT(u"\u6587");
    EXPECT_STREQ(a, "\xCE\xC4");
    EXPECT_EQ(std::u16string(w1), u"\u4E2D");  // still alive
}

}  // namespace
