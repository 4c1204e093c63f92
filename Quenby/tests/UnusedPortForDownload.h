// A port on 127.0.0.1 that nothing listens on, for a download from a server that is down.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

inline int UnusedPortForDownload()
{
    int s = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(s, (sockaddr*)&a, sizeof a);
    socklen_t len = sizeof a;
    getsockname(s, (sockaddr*)&a, &len);
    const int port = ntohs(a.sin_port);
    close(s);
    return port;
}
