// CString: construction, searching, extraction, changes, formatting and buffers.
#include <ClassLib/Afx.h>

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

// "中文" and "中国" in code page 936.
const char kZhong[] = "\xD6\xD0";
const char kZhongWen[] = "\xD6\xD0\xCE\xC4";

TEST(StringTest, ConstructsFromTextCountAndRepeat)
{
    EXPECT_EQ(CString("abc").GetLength(), 3);
    EXPECT_TRUE(CString().IsEmpty());
    EXPECT_TRUE(CString(static_cast<LPCTSTR>(nullptr)).IsEmpty());
    EXPECT_EQ(CString("abcdef", 4), "abcd");
    EXPECT_EQ(CString('x', 3), "xxx");
    EXPECT_EQ(CString('x', 0), "");
    EXPECT_EQ(CString('x', -2), "");
    EXPECT_EQ(CString(kZhongWen).GetLength(), 4);
}

TEST(StringTest, ConcatenatesInEveryCombination)
{
    CString a("ab");
    EXPECT_EQ(a + "cd", "abcd");
    EXPECT_EQ("cd" + a, "cdab");
    EXPECT_EQ(a + 'c', "abc");
    EXPECT_EQ('c' + a, "cab");
    EXPECT_EQ(a + a, "abab");
    a += a;
    EXPECT_EQ(a, "abab");
    a += 'z';
    a += "!";
    EXPECT_EQ(a, "ababz!");
    CString self("xy");
    self += static_cast<LPCTSTR>(self);
    EXPECT_EQ(self, "xyxy");
}

TEST(StringTest, ComparesAsUnsignedBytes)
{
    CString zh(kZhong);
    EXPECT_GT(zh.Compare("z"), 0);  // 0xD6 sorts after ASCII
    EXPECT_LT(CString("Z").Compare("a"), 0);
    EXPECT_EQ(CString("ABC").CompareNoCase("abc"), 0);
    EXPECT_TRUE(CString("a") < "b");
    EXPECT_TRUE("b" > CString("a"));
    EXPECT_TRUE(CString("a") <= CString("a"));
    EXPECT_TRUE("a" != CString("b"));
    EXPECT_TRUE("a" == CString("a"));
}

TEST(StringTest, MidLeftRightClampOutOfRangeCounts)
{
    CString s("hello");
    EXPECT_EQ(s.Mid(1, 3), "ell");
    EXPECT_EQ(s.Mid(3, 100), "lo");
    EXPECT_EQ(s.Mid(3, 0x7FFFFFFF), "lo");
    EXPECT_EQ(s.Mid(-2, 2), "he");
    EXPECT_EQ(s.Mid(5), "");
    EXPECT_EQ(s.Mid(9), "");
    EXPECT_EQ(s.Mid(1, -1), "");
    EXPECT_EQ(s.Left(-1), "");
    EXPECT_EQ(s.Left(10), "hello");
    EXPECT_EQ(s.Right(2), "lo");
    EXPECT_EQ(s.Right(10), "hello");
    EXPECT_EQ(s.Right(-3), "");
}

TEST(StringTest, FindSkipsTrailBytesOfDoubleByteCharacters)
{
    // 0x81 0x5C is one character whose trail byte is a backslash.
    CString s("a\x81\x5C" "b\\c");
    EXPECT_EQ(s.Find('\\'), 4);
    EXPECT_EQ(s.ReverseFind('\\'), 4);
    EXPECT_EQ(s.Find("\\"), 4);
    EXPECT_EQ(s.FindOneOf("\\c"), 4);
    EXPECT_EQ(s.Find('b'), 3);
    EXPECT_EQ(s.Find('b', 4), -1);
    EXPECT_EQ(s.Find('a', -5), 0);
    EXPECT_EQ(s.Find('a', 100), -1);
    EXPECT_EQ(s.Find("b\\c", 2), 3);
    EXPECT_EQ(s.Find("zz"), -1);
    EXPECT_EQ(CString("abcabc").Find("bc", 2), 4);
    EXPECT_EQ(CString("abc").ReverseFind('z'), -1);
}

TEST(StringTest, ReplaceRemoveInsertDelete)
{
    CString s("a.b.c");
    EXPECT_EQ(s.Replace('.', '/'), 2);
    EXPECT_EQ(s, "a/b/c");
    EXPECT_EQ(s.Replace("/", "::"), 2);
    EXPECT_EQ(s, "a::b::c");
    EXPECT_EQ(s.Replace("::", ""), 2);
    EXPECT_EQ(s, "abc");
    EXPECT_EQ(s.Replace("", "x"), 0);
    EXPECT_EQ(CString("aaa").Replace("aa", "b"), 1);

    CString dbcs("\x81\x5C\\");
    EXPECT_EQ(dbcs.Replace('\\', '/'), 1);
    EXPECT_EQ(dbcs, "\x81\x5C/");
    EXPECT_EQ(dbcs.Remove('\\'), 0);
    EXPECT_EQ(dbcs.Remove('/'), 1);
    EXPECT_EQ(dbcs, "\x81\x5C");

    CString t("ace");
    EXPECT_EQ(t.Insert(1, 'b'), 4);
    EXPECT_EQ(t.Insert(100, "f"), 5);
    EXPECT_EQ(t.Insert(-1, "_"), 6);
    EXPECT_EQ(t, "_abcef");
    EXPECT_EQ(t.Delete(4, 100), 4);
    EXPECT_EQ(t, "_abc");
    EXPECT_EQ(t.Delete(-3, 1), 3);
    EXPECT_EQ(t, "abc");
    EXPECT_EQ(t.Delete(9), 3);
}

TEST(StringTest, TrimsWhitespaceCharactersAndSets)
{
    CString s(" \t x y \r\n");
    s.TrimLeft();
    EXPECT_EQ(s, "x y \r\n");
    s.TrimRight();
    EXPECT_EQ(s, "x y");
    CString t("xxhixx");
    t.Trim('x');
    EXPECT_EQ(t, "hi");
    CString u("-+a+-");
    u.Trim("+-");
    EXPECT_EQ(u, "a");
    // A trail byte equal to the trimmed character stays.
    CString v("\x81\x5C\\\\");
    v.TrimRight('\\');
    EXPECT_EQ(v, "\x81\x5C");
    CString w(std::string(kZhong) + " ");
    w.TrimRight();
    EXPECT_EQ(w, kZhong);
}

TEST(StringTest, CaseChangesLeaveDoubleByteCharactersAlone)
{
    // "中" is 0xD6 0xD0; 0x81 0x61 has the trail byte 'a'.
    CString s("ab\xD6\xD0\x81\x61z");
    s.MakeUpper();
    EXPECT_EQ(s.str(), std::string("AB\xD6\xD0\x81\x61Z"));
    s.MakeLower();
    EXPECT_EQ(s.str(), std::string("ab\xD6\xD0\x81\x61z"));
    CString r("a\xD6\xD0" "b");
    r.MakeReverse();
    EXPECT_EQ(r.str(), std::string("b\xD6\xD0" "a"));
}

TEST(StringTest, SpanIncludingAndExcluding)
{
    CString s("123abc");
    EXPECT_EQ(s.SpanIncluding("0123456789"), "123");
    EXPECT_EQ(s.SpanExcluding("cb"), "123a");
    EXPECT_EQ(s.SpanIncluding(""), "");
}

TEST(StringTest, TokenizeSplitsOnAnySeparator)
{
    // The trail byte of 0x81 0x7C is the separator's code: it does not split.
    CString t("x|\x81\x7C|y");
    int pos = 0;
    EXPECT_EQ(t.Tokenize("|", pos), "x");
    EXPECT_EQ(pos, 2);
    EXPECT_EQ(t.Tokenize("|", pos), "\x81\x7C");
    EXPECT_EQ(t.Tokenize("|", pos), "y");
    EXPECT_EQ(pos, 7);
    EXPECT_EQ(t.Tokenize("|", pos), "");
    EXPECT_EQ(pos, -1);
    pos = 0;
    CString u("||a;|");
    EXPECT_EQ(u.Tokenize("|", pos), "a;");
    EXPECT_EQ(u.Tokenize("|", pos), "");
    EXPECT_EQ(pos, -1);
}

TEST(StringTest, FormatsAnyLength)
{
    CString s;
    s.Format("%d-%s-%05.1f", 42, "x", 3.14159);
    EXPECT_EQ(s, "42-x-003.1");
    std::string big(5000, 'q');
    s.Format("[%s]", big.c_str());
    EXPECT_EQ(s.GetLength(), 5002);
    EXPECT_EQ(s.Left(2), "[q");
    EXPECT_EQ(s.Right(2), "q]");
    // The compiler's format check does not know the I64 size prefix.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat"
    s.Format("%I64d|%I64u|%I32d|%Id", static_cast<long long>(-5000000000LL), 18000000000000000000ULL, 7,
             static_cast<INT_PTR>(-3));
#pragma GCC diagnostic pop
    EXPECT_EQ(s, "-5000000000|18000000000000000000|7|-3");
    s.Format("%%I64d");
    EXPECT_EQ(s, "%I64d");
    s.Format("%s", static_cast<LPCTSTR>(s));
    EXPECT_EQ(s, "%I64d");
    s.AppendFormat("+%d", 1);
    EXPECT_EQ(s, "%I64d+1");
}

TEST(StringTest, BufferAccess)
{
    CString s("abc");
    char* p = s.GetBuffer(10);
    std::strcpy(p, "0123456789");
    s.ReleaseBuffer();
    EXPECT_EQ(s, "0123456789");
    p = s.GetBuffer(0);
    p[2] = 0;
    s.ReleaseBuffer();
    EXPECT_EQ(s, "01");
    p = s.GetBufferSetLength(4);
    std::memcpy(p, "wxyz", 4);
    s.ReleaseBuffer(3);
    EXPECT_EQ(s, "wxy");
    s.GetBuffer(2);
    s.ReleaseBuffer(50);  // longer than the buffer: clamped
    EXPECT_EQ(s, "wxy");
}

TEST(StringTest, GetAtAndSetAtIgnoreOutOfRange)
{
    CString s("ab");
    EXPECT_EQ(s[1], 'b');
    EXPECT_EQ(s.GetAt(2), 0);
    EXPECT_EQ(s.GetAt(-1), 0);
    s.SetAt(5, 'x');
    s.SetAt(0, 'z');
    EXPECT_EQ(s, "zb");
    size_t i = 0;
    EXPECT_EQ(s[i], 'z');
}

TEST(StringTest, SysStringsAreUtf16)
{
    CString s(kZhongWen);
    BSTR b = s.AllocSysString();
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(SysStringLen(b), 2u);
    EXPECT_EQ(SysStringByteLen(b), 4u);
    EXPECT_EQ(b[0], u'\u4E2D');
    EXPECT_EQ(b[1], u'\u6587');
    EXPECT_EQ(b[2], u'\0');
    EXPECT_EQ(CString(b), kZhongWen);
    SysFreeString(b);
    EXPECT_EQ(SysStringLen(nullptr), 0u);
    EXPECT_EQ(SysAllocString(nullptr), nullptr);
}

TEST(StringTest, PrintsAsUtf8)
{
    std::ostringstream os;
    PrintTo(CString(kZhong), &os);
    EXPECT_EQ(os.str(), "\"\xE4\xB8\xAD\"");
}

}  // namespace
