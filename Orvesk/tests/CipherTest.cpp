// The login's string cipher.
#include <gtest/gtest.h>

#include "StringCipher.h"

namespace {

CString Encrypted(const CString& text, const CString& key)
{
    CString s = text;
    EncryptString(s, key);
    return s;
}

CString Hex(const CString& bytes)
{
    CString out;
    for (int i = 0; i < bytes.GetLength(); ++i) {
        CString d;
        d.Format("%02x", (unsigned)(unsigned char)bytes[i]);
        out += d;
    }
    return out;
}

} // namespace

TEST(Cipher, EmptyTextGivesLengthFieldOnly)
{
    EXPECT_EQ(Encrypted("", "A123B456"), CString("00"));
}

TEST(Cipher, ThreeBytesMakeOnePaddedBlock)
{
    // "abc" padded with '0' to "abc0", hex 61626330, one block, length 3.
    EXPECT_EQ(Encrypted("abc", "A123B456"), CString("0400c11303"));
}

TEST(Cipher, TwelveBytesMakeThreeBlocks)
{
    const CString s = Encrypted("secret12pass", "A123B456");
    EXPECT_EQ(s, CString("897205317609632685b5004112"));
    EXPECT_EQ(s.GetLength(), 3 * 8 + 2);
}

TEST(Cipher, BytesAboveAsciiAreTakenUnsigned)
{
    const CString text = "中文"; // two GBK characters, four bytes
    ASSERT_EQ(text.GetLength(), 4);
    EXPECT_EQ(Hex(text), CString("d6d0cec4"));
    EXPECT_EQ(Encrypted(text, "A123B456"), CString("de35b5ff04"));
    EXPECT_EQ(Encrypted("中a", "Q905Z218"), CString("40d70e5303"));
}

TEST(Cipher, ShortKeyIsRepeatedAndLongKeyCut)
{
    EXPECT_EQ(Encrypted("abc", "abc"), CString("7251209303"));
    EXPECT_EQ(Encrypted("abc", "abc"), Encrypted("abc", "abcabcab"));
    EXPECT_EQ(Encrypted("abc", "abcdefghXYZ"), CString("6282106303"));
    EXPECT_NE(Encrypted("abc", "abc"), Encrypted("abc", "abcdefgh"));
}

TEST(Cipher, BlockRoutineIsItsOwnInverse)
{
    for (const char* hex : {"61626330", "00000000", "ffffffff", "d6d0cec47a7b7c7d", "0123456789abcdef01234567"}) {
        CString s = hex;
        ASSERT_TRUE(CipherBlocks(s, "A123B456"));
        EXPECT_EQ(s.GetLength(), CString(hex).GetLength());
        ASSERT_TRUE(CipherBlocks(s, "A123B456"));
        EXPECT_EQ(s, CString(hex));
    }
}

TEST(Cipher, BlockRoutineReadsUpperCaseDigits)
{
    CString upper = "D6D0CEC4";
    CString lower = "d6d0cec4";
    ASSERT_TRUE(CipherBlocks(upper, "A123B456"));
    ASSERT_TRUE(CipherBlocks(lower, "A123B456"));
    EXPECT_EQ(upper, lower);
}

TEST(Cipher, BlockRoutineRefusesWhatIsNotBlocksOfDigits)
{
    CString partial = "6162633";
    EXPECT_FALSE(CipherBlocks(partial, "A123B456"));
    EXPECT_EQ(partial, CString("6162633"));
    CString notHex = "6162633g";
    EXPECT_FALSE(CipherBlocks(notHex, "A123B456"));
    EXPECT_EQ(notHex, CString("6162633g"));
}

TEST(Cipher, DecryptGivesTheTextBack)
{
    for (const char* text : {"", "a", "abc", "abcd", "secret12pass", "中文密码", "p@ss w0rd!"}) {
        CString s = Encrypted(text, "A123B456");
        ASSERT_TRUE(DecryptString(s, "A123B456")) << text;
        EXPECT_EQ(s, CString(text));
    }
}

TEST(Cipher, LongTextsSurviveTheRoundTrip)
{
    for (int n : {99, 100, 150, 1000}) {
        CString text;
        for (int i = 0; i < n; ++i)
            text += (char)('a' + i % 26);
        CString s = Encrypted(text, "A123B456");
        CString field;
        field.Format("%d", n);
        EXPECT_EQ(s.Right(field.GetLength()), field);
        ASSERT_TRUE(DecryptString(s, "A123B456")) << n;
        EXPECT_EQ(s, text);
    }
}

TEST(Cipher, DecryptRefusesWhatIsNoCipherText)
{
    for (const char* bad : {"", "0", "0400c11309", "0400c113", "0400c11x03", "zz"}) {
        CString s = bad;
        EXPECT_FALSE(DecryptString(s, "A123B456")) << bad;
        EXPECT_EQ(s, CString(bad));
    }
}

TEST(Cipher, EmptyKeyStillEnciphers)
{
    // An empty key cannot be repeated; it counts as eight NUL characters.
    const CString s = Encrypted("abc", "");
    EXPECT_EQ(s.GetLength(), 10);
    CString back = s;
    ASSERT_TRUE(DecryptString(back, ""));
    EXPECT_EQ(back, CString("abc"));
}

TEST(Cipher, LoginKeyHasTheKeyForm)
{
    const CString key = g_szLoginCipherKey;
    ASSERT_EQ(key.GetLength(), 8);
    for (int i : {0, 4})
        EXPECT_TRUE(isalpha((unsigned char)key[i])) << (LPCTSTR)key;
    for (int i : {1, 2, 3, 5, 6, 7})
        EXPECT_TRUE(isdigit((unsigned char)key[i])) << (LPCTSTR)key;
}
