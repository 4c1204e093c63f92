// Session tokens from the system's random source, password hashes by libargon2.
#include "ServerSecrets.h"

#include <argon2.h>
#include <sys/random.h>

#include <cerrno>
#include <vector>

namespace projectserver {

namespace {

// argon2id at 19 MiB, two passes, one lane: a few tens of milliseconds per check.
const uint32_t kTimeCost = 2;
const uint32_t kMemoryKiB = 19 * 1024;
const uint32_t kLanes = 1;
const size_t kSaltBytes = 16;
const size_t kHashBytes = 32;
const char kHashPrefix[] = "$argon2id$";

bool RandomBytes(unsigned char* out, size_t size)
{
    size_t done = 0;
    while (done < size) {
        ssize_t n = ::getrandom(out + done, size - done, 0);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

}  // namespace

bool RandomHex(size_t bytes, std::string& hex)
{
    std::vector<unsigned char> raw(bytes);
    if (!RandomBytes(raw.data(), raw.size()))
        return false;
    static const char kDigits[] = "0123456789abcdef";
    hex.clear();
    for (unsigned char c : raw) {
        hex += kDigits[c >> 4];
        hex += kDigits[c & 15];
    }
    return true;
}

bool NewSessionToken(std::string& token)
{
    return RandomHex(32, token);
}

bool IsTokenForm(const std::string& token)
{
    if (token.size() != 64)
        return false;
    for (char c : token)
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')))
            return false;
    return true;
}

bool HashPassword(const std::string& password, std::string& encoded)
{
    unsigned char salt[kSaltBytes];
    if (!RandomBytes(salt, sizeof salt))
        return false;
    std::vector<char> out(argon2_encodedlen(kTimeCost, kMemoryKiB, kLanes, kSaltBytes, kHashBytes, Argon2_id) + 1);
    if (argon2id_hash_encoded(kTimeCost, kMemoryKiB, kLanes, password.data(), password.size(), salt, sizeof salt,
                              kHashBytes, out.data(), out.size()) != ARGON2_OK)
        return false;
    encoded = out.data();
    return true;
}

bool IsPasswordHash(const std::string& stored)
{
    return stored.compare(0, sizeof kHashPrefix - 1, kHashPrefix) == 0;
}

bool VerifyPassword(const std::string& encoded, const std::string& password)
{
    if (!IsPasswordHash(encoded))
        return false;
    return argon2id_verify(encoded.c_str(), password.data(), password.size()) == ARGON2_OK;
}

void SpendVerification(const std::string& password)
{
    // One fixed hash, made once: verifying against it costs what a real check costs.
    static const std::string dummy = [] {
        std::string h;
        HashPassword("unused", h);
        return h;
    }();
    (void)VerifyPassword(dummy, password);
}

}  // namespace projectserver
