// The client's sessions with project servers, shared by the whole process: the session
// cookie an origin (scheme, host, port) handed out at its last successful login, sent back
// with every request to that origin (the project service, the product-data components and
// downloads), and the certificate file HTTPS connections trust instead of the system's store.
//
// All functions are thread-safe.
#pragma once

#include <string>
#include <vector>

namespace serversession {

extern const char kCookieName[];  // "PCSESSION"

// "scheme://host:port" of an http or https URL, scheme and host in lower case and the
// port always written; "" for anything else.
std::string OriginOf(const std::string& url);

// The token of a Set-Cookie value that names the session cookie: true, with `token` the
// cookie's value ("" when the server clears it); false for any other cookie.
bool ParseSessionCookie(const std::string& setCookieValue, std::string& token);

// Keeps the session of `origin` (replacing an earlier one); `logoutUrl` is where the
// session is ended at exit. An empty token (or one a header cannot carry) forgets the
// origin's session.
void KeepSession(const std::string& origin, const std::string& token, const std::string& logoutUrl);
// Forgets the origin's session (a new login starts, or the server no longer knows it).
void ForgetSession(const std::string& origin);
// Takes the origin's session out of the kept ones: its token and logout address ("" none).
bool TakeSession(const std::string& origin, std::string& token, std::string& logoutUrl);
// Ends one session at the server (a POST to `logoutUrl` with its cookie, waited for at most
// `timeoutMs`); true when the server acknowledged it (status 2xx).
bool EndSession(const std::string& origin, const std::string& token, const std::string& logoutUrl, long timeoutMs);
// "PCSESSION=<token>" for a request to the origin of `url`, "" when it has no session.
std::string CookieFor(const std::string& url);

// Ends every kept session: POST to its logout address with its cookie, each waited for at
// most `timeoutMs` (a server that cannot be reached does not hold the program up), then
// forgets them all. Returns how many the servers acknowledged (status 2xx).
int EndSessions(long timeoutMs = 2000);

// A PEM file of the certificates HTTPS connections trust instead of the system's store (""
// for the system's store). Verification itself is never turned off.
void SetTrustedCertificateFile(const std::string& path);
std::string TrustedCertificateFile();

}  // namespace serversession
