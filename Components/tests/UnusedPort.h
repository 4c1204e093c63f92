// A port on 127.0.0.1 that nothing listens on, for tests of calls that cannot connect.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

// The port is bound, read back and closed again, so nobody holds it when the test runs.
inline int UnusedPort()
{
    int s = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = 0;
    bind(s, (sockaddr*)&a, sizeof a);
    socklen_t len = sizeof a;
    getsockname(s, (sockaddr*)&a, &len);
    int port = ntohs(a.sin_port);
    close(s);
    return port;
}
