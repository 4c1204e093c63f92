// The process's sessions with project servers and the certificates HTTPS trusts.
#include <Internet/ServerSession.h>

#include <curl/curl.h>

#include <cctype>
#include <map>
#include <memory>
#include <mutex>
#include <utility>

namespace serversession {

const char kCookieName[] = "PCSESSION";

namespace {

struct Session {
    std::string token;
    std::string logoutUrl;
};

std::mutex g_mutex;
std::map<std::string, Session> g_sessions;  // by origin
std::string g_trustFile;

std::string Lower(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::string Trim(const std::string& s)
{
    size_t b = s.find_first_not_of(" \t");
    if (b == std::string::npos)
        return std::string();
    size_t e = s.find_last_not_of(" \t\r\n");
    return s.substr(b, e - b + 1);
}

struct UrlDeleter {
    void operator()(CURLU* u) const { curl_url_cleanup(u); }
};

std::string Part(CURLU* u, CURLUPart part, unsigned flags)
{
    char* text = nullptr;
    if (curl_url_get(u, part, &text, flags) != CURLUE_OK || !text)
        return std::string();
    std::string out(text);
    curl_free(text);
    return out;
}

// A token is sent back in a header: only the characters a cookie value may hold.
bool ValidToken(const std::string& token)
{
    for (unsigned char c : token)
        if (c <= 0x20 || c >= 0x7f || c == '"' || c == ',' || c == ';' || c == '\\')
            return false;
    return token.size() <= 512;
}

size_t Discard(char*, size_t size, size_t count, void*) { return size * count; }

}  // namespace

std::string OriginOf(const std::string& url)
{
    std::unique_ptr<CURLU, UrlDeleter> u(curl_url());
    if (!u || curl_url_set(u.get(), CURLUPART_URL, url.c_str(), 0) != CURLUE_OK)
        return std::string();
    const std::string scheme = Lower(Part(u.get(), CURLUPART_SCHEME, 0));
    if (scheme != "http" && scheme != "https")
        return std::string();
    const std::string host = Lower(Part(u.get(), CURLUPART_HOST, 0));
    const std::string port = Part(u.get(), CURLUPART_PORT, CURLU_DEFAULT_PORT);
    if (host.empty() || port.empty())
        return std::string();
    return scheme + "://" + host + ":" + port;
}

bool ParseSessionCookie(const std::string& setCookieValue, std::string& token)
{
    const std::string pair = setCookieValue.substr(0, setCookieValue.find(';'));
    const size_t equals = pair.find('=');
    if (equals == std::string::npos || Trim(pair.substr(0, equals)) != kCookieName)
        return false;
    std::string value = Trim(pair.substr(equals + 1));
    if (!ValidToken(value))
        return false;
    token = value;
    return true;
}

void KeepSession(const std::string& origin, const std::string& token, const std::string& logoutUrl)
{
    if (origin.empty())
        return;
    std::lock_guard<std::mutex> lock(g_mutex);
    if (token.empty() || !ValidToken(token))
        g_sessions.erase(origin);
    else
        g_sessions[origin] = Session{token, logoutUrl};
}

void ForgetSession(const std::string& origin)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    g_sessions.erase(origin);
}

std::string CookieFor(const std::string& url)
{
    const std::string origin = OriginOf(url);
    if (origin.empty())
        return std::string();
    std::lock_guard<std::mutex> lock(g_mutex);
    auto it = g_sessions.find(origin);
    return it == g_sessions.end() ? std::string() : std::string(kCookieName) + "=" + it->second.token;
}

bool TakeSession(const std::string& origin, std::string& token, std::string& logoutUrl)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    auto it = g_sessions.find(origin);
    if (it == g_sessions.end())
        return false;
    token = it->second.token;
    logoutUrl = it->second.logoutUrl;
    g_sessions.erase(it);
    return true;
}

bool EndSession(const std::string& origin, const std::string& token, const std::string& logoutUrl, long timeoutMs)
{
    // Only to the origin that gave the session: the cookie goes nowhere else.
    if (token.empty() || logoutUrl.empty() || OriginOf(logoutUrl) != origin)
        return false;
    CURL* c = curl_easy_init();
    if (!c)
        return false;
    const std::string cookie = std::string(kCookieName) + "=" + token;
    const std::string trust = TrustedCertificateFile();
    curl_easy_setopt(c, CURLOPT_URL, logoutUrl.c_str());
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(c, CURLOPT_PROXY, "");
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS, timeoutMs);
    curl_easy_setopt(c, CURLOPT_TIMEOUT_MS, timeoutMs);
    curl_easy_setopt(c, CURLOPT_COOKIE, cookie.c_str());
    curl_easy_setopt(c, CURLOPT_POST, 1L);
    curl_easy_setopt(c, CURLOPT_POSTFIELDS, "");
    curl_easy_setopt(c, CURLOPT_POSTFIELDSIZE, 0L);
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, &Discard);
    curl_easy_setopt(c, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(c, CURLOPT_SSL_VERIFYHOST, 2L);
    if (!trust.empty()) {
        curl_easy_setopt(c, CURLOPT_CAINFO, trust.c_str());
        curl_easy_setopt(c, CURLOPT_CAPATH, nullptr);
    }
    long status = 0;
    const bool ok = curl_easy_perform(c) == CURLE_OK &&
                    curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &status) == CURLE_OK && status >= 200 && status < 300;
    curl_easy_cleanup(c);
    return ok;
}

int EndSessions(long timeoutMs)
{
    std::map<std::string, Session> sessions;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        sessions.swap(g_sessions);
    }
    int acknowledged = 0;
    for (const auto& entry : sessions)
        acknowledged += EndSession(entry.first, entry.second.token, entry.second.logoutUrl, timeoutMs) ? 1 : 0;
    return acknowledged;
}

void SetTrustedCertificateFile(const std::string& path)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    g_trustFile = path;
}

std::string TrustedCertificateFile()
{
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_trustFile;
}

}  // namespace serversession
