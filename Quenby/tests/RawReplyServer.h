// A server on 127.0.0.1 that answers every connection with the same bytes, as they are
// given (for replies the file server cannot send: headers that contradict each other), and
// closes it.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <string>
#include <thread>

class CRawReplyServer
{
public:
    explicit CRawReplyServer(std::string reply) : m_reply(std::move(reply)) {}
    ~CRawReplyServer()
    {
        m_stop = true;
        if (m_thread.joinable())
            m_thread.join();
        if (m_listen >= 0)
            ::close(m_listen);
    }

    bool Start()
    {
        m_listen = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t len = sizeof a;
        if (m_listen < 0 || ::bind(m_listen, (sockaddr*)&a, sizeof a) != 0 || ::listen(m_listen, 4) != 0 ||
            ::getsockname(m_listen, (sockaddr*)&a, &len) != 0)
            return false;
        m_port = ntohs(a.sin_port);
        m_thread = std::thread([this] { Serve(); });
        return true;
    }
    std::string Url(const std::string& path) const { return "http://127.0.0.1:" + std::to_string(m_port) + path; }

private:
    void Serve()
    {
        while (!m_stop) {
            pollfd p{m_listen, POLLIN, 0};
            if (::poll(&p, 1, 50) <= 0)
                continue;
            const int s = ::accept(m_listen, nullptr, nullptr);
            if (s < 0)
                continue;
            std::string head;
            char buf[4096];
            pollfd q{s, POLLIN, 0};
            while (head.find("\r\n\r\n") == std::string::npos && ::poll(&q, 1, 2000) > 0) {
                const ssize_t n = ::recv(s, buf, sizeof buf, 0);
                if (n <= 0)
                    break;
                head.append(buf, (size_t)n);
            }
            ::send(s, m_reply.data(), m_reply.size(), MSG_NOSIGNAL);
            ::shutdown(s, SHUT_WR);
            while (::poll(&q, 1, 100) > 0 && ::recv(s, buf, sizeof buf, 0) > 0) {
            }
            ::close(s);
        }
    }

    std::string m_reply;
    int m_listen = -1;
    int m_port = 0;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};
