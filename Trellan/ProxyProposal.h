// Where the connection settings look for a proxy to propose when none is stored: the
// proxy this session is set to use, else the default gateway.
#pragma once

#include <ClassLib/AfxWin.h>

// The session's HTTP proxy as "host:port" (or "host"): the first of the environment's
// http_proxy, HTTP_PROXY, https_proxy and HTTPS_PROXY that is set and not empty (its scheme,
// user and path left out), else the desktop's manual HTTP proxy; "" when there is none.
CString SessionProxy();

// The gateway of the first default route in the kernel's routing table, as a dotted
// address; "" when there is none.
CString DefaultGateway();

// For tests: the routing table file read by DefaultGateway (NULL: the kernel's) and the
// program asked for the desktop's settings (NULL: "gsettings").
void ProxyProposalSetSources(const char* pszRouteTable, const char* pszSettingsProgram);
