// URL parsing as the class library's Internet classes offer it.
#pragma once

#include <ClassLib/Core/String.h>
#include <Internet/WinInet.h>

// Service types; those that InternetConnect takes are its INTERNET_SERVICE_* values.
#define AFX_INET_SERVICE_FTP INTERNET_SERVICE_FTP
#define AFX_INET_SERVICE_GOPHER INTERNET_SERVICE_GOPHER
#define AFX_INET_SERVICE_HTTP INTERNET_SERVICE_HTTP
#define AFX_INET_SERVICE_UNK 0x1000
#define AFX_INET_SERVICE_FILE (AFX_INET_SERVICE_UNK + 1)
#define AFX_INET_SERVICE_HTTPS (AFX_INET_SERVICE_UNK + 7)

// Splits "scheme://server[:port][/object]" into the service type, the server, the object
// (path, query and fragment as written, "/" when the URL has none) and the port (the
// scheme's default when none is written). FALSE for a text that is no such URL, for an
// unknown scheme (dwServiceType AFX_INET_SERVICE_UNK) or a port out of range.
BOOL AfxParseURL(LPCTSTR pstrURL, DWORD& dwServiceType, CString& strServer, CString& strObject,
                 INTERNET_PORT& nPort);
