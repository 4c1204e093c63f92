// A request handle's state: its curl transfer and the response as far as it has come in.
// Only the thread inside a call on the request touches the transfer (callLock); closing
// from another thread only sets the closed flag and wakes that thread.
#pragma once

#include "InternetHandles.h"

#include <curl/curl.h>

#include <chrono>
#include <string>
#include <utility>
#include <vector>

namespace inet {

struct Request : Object
{
    Request() : Object(Kind::Request) {}
    ~Request() override;
    void Wake() override;

    std::shared_ptr<Connection> conn;
    std::string verb, object;
    DWORD flags = 0;
    DWORD_PTR context = 0;

    std::mutex callLock;
    CURL* easy = nullptr;
    CURLM* multi = nullptr;  // set before the handle is published, never changed
    curl_slist* headerList = nullptr;
    bool attached = false;
    std::string body;

    // The response (the last one, after redirects).
    bool sent = false;
    bool headersDone = false;
    bool done = false;
    CURLcode result = CURLE_OK;
    long status = 0;
    std::string statusText;
    std::vector<std::pair<std::string, std::string>> headers;
    bool following = true;

    // Body bytes received and not yet read.
    std::string buffer;
    size_t pos = 0;
    size_t want = 0;  // the read in progress asks for this many bytes
    bool paused = false;

    // Progress, for the receive time-out and the connection notices.
    bool connected = false;
    int socketsOpened = 0;
    int socketsReported = 0;
    std::string peerAddress;
    std::chrono::steady_clock::time_point lastProgress;

    size_t Buffered() const { return buffer.size() - pos; }
    // The last header of that name (ASCII case ignored), or false.
    bool Header(const char* name, std::string& value) const;
};

}  // namespace inet
