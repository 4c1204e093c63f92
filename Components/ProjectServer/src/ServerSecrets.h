// The server's secrets: random session tokens and salted slow password hashes (argon2id).
#pragma once

#include <string>

namespace projectserver {

// `bytes` random bytes from the operating system, as lower-case hex (2 * bytes characters).
// False only when the system cannot give randomness.
bool RandomHex(size_t bytes, std::string& hex);

// A session token: 256 random bits as 64 hex digits.
bool NewSessionToken(std::string& token);
// Whether a text has a session token's form (checked before it goes to the database).
bool IsTokenForm(const std::string& token);

// The argon2id hash of a password with a new random salt, in the encoded form
// "$argon2id$v=19$m=...,t=...,p=...$<salt>$<hash>". False when hashing fails.
bool HashPassword(const std::string& password, std::string& encoded);
// Whether the password matches the encoded hash (false for anything not such a hash).
bool VerifyPassword(const std::string& encoded, const std::string& password);
// Whether a stored password is already a hash (older databases kept the client's cipher).
bool IsPasswordHash(const std::string& stored);
// Spends the time of one verification, for a user who does not exist: the answer's timing
// tells an unknown user from a wrong password no more than its text does.
void SpendVerification(const std::string& password);

}  // namespace projectserver
