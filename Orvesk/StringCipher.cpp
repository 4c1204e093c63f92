#include "StringCipher.h"

#include <cstdint>
#include <string>

#ifndef ORVESK_CIPHER_KEY
#define ORVESK_CIPHER_KEY "R204K731"
#endif

const char g_szLoginCipherKey[] = ORVESK_CIPHER_KEY;

namespace {

const char kHexDigits[] = "0123456789abcdef";

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Four hexadecimal digits as a 16-bit number; -1 when one is not a digit.
long ReadQuad(const char* p)
{
    long v = 0;
    for (int i = 0; i < 4; ++i) {
        int d = HexValue(p[i]);
        if (d < 0)
            return -1;
        v = (v << 4) | d;
    }
    return v;
}

void WriteQuad(std::string& out, uint16_t v)
{
    for (int shift = 12; shift >= 0; shift -= 4)
        out += kHexDigits[(v >> shift) & 0xF];
}

// The four sub-keys: the key repeated to 8 characters, each byte in hexadecimal without a
// leading zero, the digit string rotated left by one and cut into four 4-digit numbers.
// An empty key counts as eight NUL characters (repeating it would never end); a digit string
// shorter than 16 (key bytes below 0x10) is padded with '0'.
void MakeSubKeys(const CString& strKey, uint16_t k[4])
{
    std::string key((LPCTSTR)strKey, strKey.GetLength());
    if (key.empty())
        key.assign(8, '\0');
    std::string repeated = key;
    while (repeated.size() <= 7)
        repeated += key;
    repeated.resize(8);

    std::string digits;
    for (unsigned char c : repeated) {
        if (c >= 0x10)
            digits += kHexDigits[c >> 4];
        digits += kHexDigits[c & 0xF];
    }
    while (digits.size() < 16)
        digits += '0';
    digits = digits.substr(1) + digits[0];

    for (int i = 0; i < 4; ++i)
        k[i] = (uint16_t)ReadQuad(digits.data() + 4 * i);
}

inline uint16_t SwapHalves(uint16_t v) { return (uint16_t)((v << 8) | (v >> 8)); }

inline void Round(uint16_t& l, uint16_t& r, uint16_t ka, uint16_t kb)
{
    l ^= (uint16_t)(ka + r);
    r ^= (uint16_t)(kb + l);
}

inline void Swap(uint16_t& l, uint16_t& r)
{
    uint16_t newL = SwapHalves(r);
    r = SwapHalves(l);
    l = newL;
}

// Runs the blocks of hex through the routine; false when hex is not whole blocks of digits.
bool RunBlocks(const std::string& hex, const CString& strKey, std::string& out)
{
    if (hex.size() % 8 != 0)
        return false;
    uint16_t k[4];
    MakeSubKeys(strKey, k);
    out.clear();
    out.reserve(hex.size());
    for (size_t pos = 0; pos < hex.size(); pos += 8) {
        long lv = ReadQuad(hex.data() + pos);
        long rv = ReadQuad(hex.data() + pos + 4);
        if (lv < 0 || rv < 0)
            return false;
        uint16_t l = (uint16_t)lv, r = (uint16_t)rv;
        Round(l, r, k[0], k[1]);
        Swap(l, r);
        Round(l, r, k[2], k[3]);
        Swap(l, r);
        Round(l, r, k[3], k[2]);
        Swap(l, r);
        Round(l, r, k[1], k[0]);
        WriteQuad(out, r);
        WriteQuad(out, l);
    }
    return true;
}

std::string LengthField(size_t n)
{
    std::string s = std::to_string(n);
    if (s.size() < 2)
        s.insert(0, 1, '0');
    return s;
}

} // namespace

void EncryptString(CString& strText, CString strKey)
{
    std::string text((LPCTSTR)strText, strText.GetLength());
    const size_t n = text.size();
    while (text.size() % 4 != 0)
        text += '0';

    std::string hex;
    hex.reserve(text.size() * 2);
    for (unsigned char c : text) {
        hex += kHexDigits[c >> 4];
        hex += kHexDigits[c & 0xF];
    }

    std::string out;
    RunBlocks(hex, strKey, out);
    out += LengthField(n);
    strText = CString(out.data(), (int)out.size());
}

BOOL DecryptString(CString& strText, CString strKey)
{
    const std::string text((LPCTSTR)strText, strText.GetLength());
    // The length field has at least two digits and may have more (100 bytes and longer);
    // it is the one whose value matches the number of blocks before it.
    for (size_t fieldLen = 2; fieldLen <= 10 && fieldLen <= text.size(); ++fieldLen) {
        const size_t hexLen = text.size() - fieldLen;
        if (hexLen % 8 != 0)
            continue;
        const std::string field = text.substr(hexLen);
        if (field.find_first_not_of("0123456789") != std::string::npos)
            continue;
        const size_t n = std::stoull(field);
        if (LengthField(n) != field || (n + 3) / 4 * 8 != hexLen)
            continue;

        std::string hex;
        if (!RunBlocks(text.substr(0, hexLen), strKey, hex))
            return FALSE;
        std::string bytes;
        bytes.reserve(n);
        for (size_t i = 0; i < n; ++i)
            bytes += (char)((HexValue(hex[2 * i]) << 4) | HexValue(hex[2 * i + 1]));
        strText = CString(bytes.data(), (int)bytes.size());
        return TRUE;
    }
    return FALSE;
}

BOOL CipherBlocks(CString& strHex, const CString& strKey)
{
    std::string out;
    if (!RunBlocks(std::string((LPCTSTR)strHex, strHex.GetLength()), strKey, out))
        return FALSE;
    strHex = CString(out.data(), (int)out.size());
    return TRUE;
}
