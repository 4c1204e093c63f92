// The login cipher: decrypting what a stored setting or a reply holds.
#include "FuzzEntry.h"

#include "StringCipher.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CString text(reinterpret_cast<const char*>(data), (int)size);
    DecryptString(text, g_szLoginCipherKey);
    CString blocks(reinterpret_cast<const char*>(data), (int)size);
    CipherBlocks(blocks, "fuzzkey1");
    return 0;
}
