// A port on 127.0.0.1 that nothing listens on, for tests of calls that cannot connect.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

// The port stays bound (without listening) for the object's life: connections to it are
// refused, and no other test running in parallel can be given the same port meanwhile.
class UnusedPort
{
public:
    UnusedPort()
    {
        m_socket = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        a.sin_port = 0;
        if (m_socket >= 0 && bind(m_socket, (sockaddr*)&a, sizeof a) == 0) {
            socklen_t len = sizeof a;
            if (getsockname(m_socket, (sockaddr*)&a, &len) == 0)
                m_port = ntohs(a.sin_port);
        }
    }
    ~UnusedPort()
    {
        if (m_socket >= 0)
            close(m_socket);
    }
    UnusedPort(const UnusedPort&) = delete;
    UnusedPort& operator=(const UnusedPort&) = delete;

    int Port() const { return m_port; }

private:
    int m_socket = -1;
    int m_port = 0;
};
