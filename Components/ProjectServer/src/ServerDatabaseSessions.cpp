// The users, their sessions and their recent failed logins.
#include <ProjectServer/ServerDatabase.h>

#include <openssl/evp.h>

namespace projectserver {

using namespace dbstore;

namespace {

// The class of the advisory locks on failed-login keys (the second half is the key's hash).
const long long kFailureKeyLocks = 0x4C4F47;  // "LOG"

// A session is kept by the SHA-256 of its token (lowercase hex): a copy of the database
// opens no session, and a token is still found in one indexed look-up.
std::string TokenKey(const std::string& token)
{
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int size = 0;
    if (EVP_Digest(token.data(), token.size(), digest, &size, EVP_sha256(), nullptr) != 1)
        return std::string();
    static const char kHex[] = "0123456789abcdef";
    std::string key;
    key.reserve(2 * size);
    for (unsigned int i = 0; i < size; ++i) {
        key += kHex[digest[i] >> 4];
        key += kHex[digest[i] & 0xF];
    }
    return key;
}

}  // namespace

bool CServerDatabase::SessionKey(const std::string& token, std::string& key)
{
    key = TokenKey(token);
    return !key.empty() || Fail("cannot hash the session token");
}

bool CServerDatabase::PutUser(const std::string& code, const User& user)
{
    return Run("INSERT INTO dbo.users(code, password, reply) VALUES(?, ?, ?) ON CONFLICT(code) DO UPDATE SET"
               " password = excluded.password, reply = excluded.reply",
               {Text(code), Text(user.password), Text(user.reply)}, nullptr, "cannot store the user");
}

bool CServerDatabase::GetUser(const std::string& code, User& user, bool& found)
{
    Rows rows;
    if (!Run("SELECT password, reply FROM dbo.users WHERE code = ?", {Text(code)}, &rows, "cannot read the users"))
        return false;
    found = !rows.values.empty();
    if (found) {
        user.password = AsText(rows.values[0][0]);
        user.reply = AsText(rows.values[0][1]);
    }
    return true;
}

bool CServerDatabase::UserCodes(std::vector<std::string>& codes)
{
    codes.clear();
    Rows rows;
    if (!Run("SELECT code FROM dbo.users ORDER BY code", {}, &rows, "cannot read the users"))
        return false;
    for (auto& r : rows.values)
        codes.push_back(AsText(std::move(r[0])));
    return true;
}

bool CServerDatabase::SetPassword(const std::string& code, const std::string& password)
{
    return Run("UPDATE dbo.users SET password = ? WHERE code = ?", {Text(password), Text(code)}, nullptr,
               "cannot store the user");
}

bool CServerDatabase::PutSession(const std::string& token, const std::string& user, long long now)
{
    std::string key;
    if (!SessionKey(token, key))
        return false;
    return Run("INSERT INTO dbo.sessions(token, user_code, last_used) VALUES(?, ?, ?)",
               {Text(key), Text(user), Number(now)}, nullptr, "cannot store the session");
}

bool CServerDatabase::GetSession(const std::string& token, std::string& user, long long& lastUsed, bool& found)
{
    std::string key;
    if (!SessionKey(token, key))
        return false;
    Rows rows;
    if (!Run("SELECT user_code, last_used FROM dbo.sessions WHERE token = ?", {Text(key)}, &rows,
             "cannot read the sessions"))
        return false;
    found = !rows.values.empty();
    user = found ? AsText(std::move(rows.values[0][0])) : std::string();
    lastUsed = found ? AsNumber(rows.values[0][1]) : 0;
    return true;
}

bool CServerDatabase::TouchSession(const std::string& token, long long now)
{
    std::string key;
    if (!SessionKey(token, key))
        return false;
    return Run("UPDATE dbo.sessions SET last_used = ? WHERE token = ? AND last_used < ?",
               {Number(now), Text(key), Number(now)}, nullptr, "cannot store the session");
}

bool CServerDatabase::DeleteSession(const std::string& token)
{
    std::string key;
    if (!SessionKey(token, key))
        return false;
    return Run("DELETE FROM dbo.sessions WHERE token = ?", {Text(key)}, nullptr, "cannot end the session");
}

bool CServerDatabase::DeleteSessionsUsedBefore(long long time)
{
    return Run("DELETE FROM dbo.sessions WHERE last_used < ?", {Number(time)}, nullptr, "cannot end the sessions");
}

bool CServerDatabase::GetFailures(const std::string& key, LoginFailures& failures, bool& found)
{
    // In a transaction on a database server the key stays locked until the count is written
    // back: two servers counting one user's attempts at once both count. The key's own lock
    // is taken first, since a row not yet written locks nothing: without it two first
    // failures would both write a count of one, and callers locking two keys, one with a row
    // and one without, would wait for each other.
    const bool locking = OnServer() && InsideTransaction();
    if (locking && !Run("SELECT pg_advisory_xact_lock(?, hashtext(?))", {Number(kFailureKeyLocks), Text(key)}, nullptr,
                        "cannot lock the failed logins"))
        return false;
    const char* sql = locking
                          ? "SELECT failures, last_failure, blocked_until FROM dbo.login_failures WHERE key = ? FOR UPDATE"
                          : "SELECT failures, last_failure, blocked_until FROM dbo.login_failures WHERE key = ?";
    Rows rows;
    if (!Run(sql, {Text(key)}, &rows, "cannot read the failed logins"))
        return false;
    found = !rows.values.empty();
    failures = LoginFailures();
    if (found) {
        failures.failures = AsNumber(rows.values[0][0]);
        failures.lastFailure = AsNumber(rows.values[0][1]);
        failures.blockedUntil = AsNumber(rows.values[0][2]);
    }
    return true;
}

bool CServerDatabase::PutFailures(const std::string& key, const LoginFailures& failures)
{
    return Run("INSERT INTO dbo.login_failures(key, failures, last_failure, blocked_until) VALUES(?, ?, ?, ?)"
               " ON CONFLICT(key) DO UPDATE SET failures = excluded.failures, last_failure = excluded.last_failure,"
               " blocked_until = excluded.blocked_until",
               {Text(key), Number(failures.failures), Number(failures.lastFailure), Number(failures.blockedUntil)},
               nullptr, "cannot store the failed logins");
}

bool CServerDatabase::DeleteFailures(const std::string& key)
{
    return Run("DELETE FROM dbo.login_failures WHERE key = ?", {Text(key)}, nullptr, "cannot store the failed logins");
}

bool CServerDatabase::DeleteFailuresBefore(long long time)
{
    return Run("DELETE FROM dbo.login_failures WHERE last_failure < ? AND blocked_until < ?", {Number(time), Number(time)},
               nullptr, "cannot store the failed logins");
}

}  // namespace projectserver
