// The server's HTTP transport on libmicrohttpd, made for a network with hostile clients.
//
// Connections are read by the library's polling threads (epoll), which cost a slow client
// nothing but its socket and a small bounded buffer. A request read whole is handed to a
// pool of worker threads of its own size (the connection is suspended meanwhile), so a
// long handler (a big save) holds up no other connection, and slow clients never reach
// a worker.
//
// Bounds: the request line and headers must arrive within `headerSeconds` of the
// connection's start (or of the previous answer on it) and fit the connection's memory
// (else 431 or 414); a body must keep coming at `slowestBytesPerSecond` (after the first
// `headerSeconds`), whatever size it announced; an answer must be taken within a time
// scaled to its size. A reaper shuts the socket of any connection past its
// deadline, whatever it trickles. Announced bodies over `maxBodyBytes` are refused with
// 413 before a byte of them is read, chunked ones as soon as they pass it; so are bodies the
// server has no memory left for (503), announced ones at once. Answers waiting for their
// readers hold bounded memory too: one over the connection's part, or one that would pass
// the bound of all, waits in an unlinked temporary file instead (503 when none can be
// written), so a client that reads slowly or not at all holds no more than that. Connections
// are limited in all and per client address. Stop() lets the requests under way finish and
// closes every connection at once.
#pragma once

#include "HttpExchange.h"

#include <functional>
#include <memory>
#include <string>

namespace projectserver {

struct HttpLimits {
    size_t maxBodyBytes = 64u * 1024u * 1024u;
    int workers = 8;
    unsigned connections = 1000;         // at once, in all
    unsigned connectionsPerAddress = 64;  // at once, from one client address
    int headerSeconds = 10;
    size_t headerBytes = 64 * 1024;    // the connection's memory for the request line and headers
    uint64_t slowestBytesPerSecond = 32 * 1024;  // a body or an answer may take size / this longer
    int longestTransferSeconds = 30 * 60;
    // The memory all request bodies being read or handled may take at once, and the part
    // of it one client address may take (0: at least one whole body, else 512 MB and
    // 128 MB), counted as the bytes come. A body that would pass either is refused with
    // 503: at once when its announced size does not fit, else when it comes to the bound.
    uint64_t bodyBytesInAll = 0;
    uint64_t bodyBytesPerAddress = 0;
    // The memory an answer may hold on one connection while its reader takes it, and all
    // answers at once (0: 4 MB and 256 MB); past either it waits in a file.
    uint64_t answerBytesPerConnection = 0;
    uint64_t answerBytesInAll = 0;
    // Where those files are made ("": TMPDIR, else /tmp).
    std::string answerFileDirectory;
};

class CHttpDaemon {
public:
    typedef std::function<void(const HttpRequest&, HttpResponse&)> Handler;

    CHttpDaemon();
    ~CHttpDaemon();
    CHttpDaemon(const CHttpDaemon&) = delete;
    CHttpDaemon& operator=(const CHttpDaemon&) = delete;

    // Listens on address:port (0: a free one) and serves with `handler` on the worker
    // threads; HTTPS with a PEM certificate (chain) and key when both are given. False
    // with a reason.
    bool Start(const std::string& address, int port, const HttpLimits& limits, const std::string& certificatePem,
               const std::string& keyPem, Handler handler, std::string& error);
    void Stop();
    bool IsRunning() const;
    int Port() const;
    bool Secure() const;
    // The memory the answers waiting for their readers hold now, and how many answers have
    // waited in files since Start (for tests and benchmarks).
    uint64_t AnswerBytesHeld() const;
    uint64_t AnswersInFiles() const;

    struct Impl;

private:
    std::unique_ptr<Impl> m_impl;
};

}  // namespace projectserver
