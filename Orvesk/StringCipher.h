// The string cipher of the login: the password travels to the server enciphered with a key
// that the server shares.
#pragma once

#include <ClassLib/Afx.h>

// The key of the login; its value is set at build time (ORVESK_CIPHER_KEY) to match the server.
AFX_EXT_DATA extern const char g_szLoginCipherKey[];

// Replaces the text by its enciphered form: the bytes (padded with '0' to a multiple of 4)
// as lower-case hexadecimal, run through the block routine, then the byte count in decimal
// with at least two digits.
AFX_EXT_API void EncryptString(CString& strText, CString strKey);

// The inverse of EncryptString. A text that is not an enciphered form (odd digits, a length
// field that does not match the blocks) is left unchanged and FALSE is returned.
AFX_EXT_API BOOL DecryptString(CString& strText, CString strKey);

// The block routine on a hexadecimal text (a multiple of 8 digits, read case-insensitively,
// written lower-case). It is its own inverse. FALSE, and the text unchanged, when the text is
// not made of whole 8-digit blocks of hexadecimal digits.
AFX_EXT_API BOOL CipherBlocks(CString& strHex, const CString& strKey);
