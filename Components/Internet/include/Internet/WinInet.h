// The HTTP session the download code is written against: a session, a connection to one
// server and requests on it, named by HINTERNET handles.
//
// The calls block the calling thread (the usual caller is a worker thread). A request's
// transfer runs in the thread that calls HttpSendRequest and InternetReadFile; closing the
// request, its connection or its session from another thread makes a blocked call return
// FALSE at once (ERROR_INTERNET_OPERATION_CANCELLED). Reads fill the caller's buffer, or
// return what is left at the end of the body; a read of no bytes marks the end. Failures
// return FALSE (NULL for the calls that make handles) with the reason in GetLastError().
// Every wait is bounded: connecting by INTERNET_OPTION_CONNECT_TIMEOUT, and a response or
// body that stops coming by INTERNET_OPTION_RECEIVE_TIMEOUT (30 seconds each unless set).
#pragma once

#include <ClassLib/Core/Thread.h>
#include <ClassLib/Core/WinTypes.h>

typedef LPVOID HINTERNET;
typedef HINTERNET* LPHINTERNET;
typedef WORD INTERNET_PORT;

typedef void(CALLBACK* INTERNET_STATUS_CALLBACK)(HINTERNET hInternet, DWORD_PTR dwContext, DWORD dwInternetStatus,
                                                 LPVOID lpvStatusInformation, DWORD dwStatusInformationLength);
#define INTERNET_INVALID_STATUS_CALLBACK ((INTERNET_STATUS_CALLBACK)(-1L))

// InternetOpen access types: the desktop's settings (the proxy environment variables), no
// proxy, or the proxy given.
#define INTERNET_OPEN_TYPE_PRECONFIG 0
#define INTERNET_OPEN_TYPE_DIRECT 1
#define INTERNET_OPEN_TYPE_PROXY 3

#define INTERNET_INVALID_PORT_NUMBER 0
#define INTERNET_DEFAULT_HTTP_PORT 80
#define INTERNET_DEFAULT_HTTPS_PORT 443

#define INTERNET_SERVICE_FTP 1
#define INTERNET_SERVICE_GOPHER 2
#define INTERNET_SERVICE_HTTP 3

#define INTERNET_FLAG_RELOAD 0x80000000
#define INTERNET_FLAG_DONT_CACHE 0x04000000
#define INTERNET_FLAG_NO_CACHE_WRITE 0x04000000
#define INTERNET_FLAG_SECURE 0x00800000
#define INTERNET_FLAG_KEEP_CONNECTION 0x00400000
#define INTERNET_FLAG_NO_AUTO_REDIRECT 0x00200000
#define INTERNET_FLAG_PRAGMA_NOCACHE 0x00000100

#define HTTP_QUERY_CONTENT_TYPE 1
#define HTTP_QUERY_CONTENT_LENGTH 5
#define HTTP_QUERY_STATUS_CODE 19
#define HTTP_QUERY_STATUS_TEXT 20
#define HTTP_QUERY_FLAG_NUMBER 0x20000000

// Status values given to the status callback; the information is a NUL-terminated text
// (the server's name while resolving, its address after, the new URL on a redirect).
#define INTERNET_STATUS_RESOLVING_NAME 10
#define INTERNET_STATUS_NAME_RESOLVED 11
#define INTERNET_STATUS_CONNECTING_TO_SERVER 20
#define INTERNET_STATUS_CONNECTED_TO_SERVER 21
#define INTERNET_STATUS_REDIRECT 110

#define INTERNET_OPTION_CONNECT_TIMEOUT 2
#define INTERNET_OPTION_SEND_TIMEOUT 5
#define INTERNET_OPTION_RECEIVE_TIMEOUT 6
#define INTERNET_OPTION_USERNAME 28
#define INTERNET_OPTION_PASSWORD 29
#define INTERNET_OPTION_PROXY_USERNAME 43
#define INTERNET_OPTION_PROXY_PASSWORD 44

#define FLAGS_ERROR_UI_FILTER_FOR_ERRORS 0x01
#define FLAGS_ERROR_UI_FLAGS_CHANGE_OPTIONS 0x02
#define FLAGS_ERROR_UI_FLAGS_GENERATE_DATA 0x04
#define FLAGS_ERROR_UI_FLAGS_NO_UI 0x08

#ifndef ERROR_INVALID_PARAMETER
#define ERROR_INVALID_PARAMETER 87L
#endif
#ifndef ERROR_INSUFFICIENT_BUFFER
#define ERROR_INSUFFICIENT_BUFFER 122L
#endif
#ifndef ERROR_CANCELLED
#define ERROR_CANCELLED 1223L
#endif
#define ERROR_INTERNET_TIMEOUT 12002L
#define ERROR_INTERNET_INTERNAL_ERROR 12004L
#define ERROR_INTERNET_INVALID_URL 12005L
#define ERROR_INTERNET_UNRECOGNIZED_SCHEME 12006L
#define ERROR_INTERNET_NAME_NOT_RESOLVED 12007L
#define ERROR_INTERNET_INCORRECT_PASSWORD 12014L
#define ERROR_INTERNET_OPERATION_CANCELLED 12017L
#define ERROR_INTERNET_INCORRECT_HANDLE_TYPE 12018L
#define ERROR_INTERNET_INCORRECT_HANDLE_STATE 12019L
#define ERROR_INTERNET_CANNOT_CONNECT 12029L
#define ERROR_INTERNET_CONNECTION_ABORTED 12030L
#define ERROR_INTERNET_CONNECTION_RESET 12031L
#define ERROR_INTERNET_FORCE_RETRY 12032L
#define ERROR_INTERNET_SECURITY_CHANNEL_ERROR 12157L
#define ERROR_HTTP_HEADER_NOT_FOUND 12150L
#define ERROR_HTTP_INVALID_SERVER_RESPONSE 12152L
#define ERROR_HTTP_REDIRECT_FAILED 12156L

HINTERNET InternetOpen(LPCTSTR lpszAgent, DWORD dwAccessType, LPCTSTR lpszProxy, LPCTSTR lpszProxyBypass,
                       DWORD dwFlags);
// The callback is taken over by the connections and requests made from the handle later.
// Returns the callback set before (NULL for none), or INTERNET_INVALID_STATUS_CALLBACK.
INTERNET_STATUS_CALLBACK InternetSetStatusCallback(HINTERNET hInternet, INTERNET_STATUS_CALLBACK lpfnInternetCallback);
// Connects nothing yet: names the server (HTTP, or HTTPS with INTERNET_FLAG_SECURE on the
// request) and the credentials for its requests.
HINTERNET InternetConnect(HINTERNET hInternet, LPCTSTR lpszServerName, INTERNET_PORT nServerPort,
                          LPCTSTR lpszUserName, LPCTSTR lpszPassword, DWORD dwService, DWORD dwFlags,
                          DWORD_PTR dwContext);
HINTERNET HttpOpenRequest(HINTERNET hConnect, LPCTSTR lpszVerb, LPCTSTR lpszObjectName, LPCTSTR lpszVersion,
                          LPCTSTR lpszReferrer, LPCTSTR* lplpszAcceptTypes, DWORD dwFlags, DWORD_PTR dwContext);
// Sends the request (again, when called again) and returns once the response's status and
// headers are in. Any status counts as success; redirects are followed.
BOOL HttpSendRequest(HINTERNET hRequest, LPCTSTR lpszHeaders, DWORD dwHeadersLength, LPVOID lpOptional,
                     DWORD dwOptionalLength);
// Status code, status text, content type or content length of the response: as text
// (*lpdwBufferLength in bytes, NUL included on input, excluded on output) or, with
// HTTP_QUERY_FLAG_NUMBER, as a DWORD. ERROR_HTTP_HEADER_NOT_FOUND when the response has no
// such header; ERROR_INSUFFICIENT_BUFFER with the size needed.
BOOL HttpQueryInfo(HINTERNET hRequest, DWORD dwInfoLevel, LPVOID lpBuffer, LPDWORD lpdwBufferLength,
                   LPDWORD lpdwIndex);
BOOL InternetReadFile(HINTERNET hFile, LPVOID lpBuffer, DWORD dwNumberOfBytesToRead, LPDWORD lpdwNumberOfBytesRead);
BOOL InternetSetOption(HINTERNET hInternet, DWORD dwOption, LPVOID lpBuffer, DWORD dwBufferLength);
BOOL InternetCloseHandle(HINTERNET hInternet);

// For a request answered 401 or 407 (with FLAGS_ERROR_UI_FILTER_FOR_ERRORS, only then),
// or when asked with ERROR_INTERNET_INCORRECT_PASSWORD: asks for a user name and password
// on the user-interface thread (owned by hWnd), whichever thread calls. OK keeps them for
// the request (with FLAGS_ERROR_UI_FLAGS_CHANGE_OPTIONS) and returns
// ERROR_INTERNET_FORCE_RETRY; cancel returns ERROR_CANCELLED. ERROR_SUCCESS when the
// filter finds nothing to ask.
DWORD InternetErrorDlg(HWND hWnd, HINTERNET hRequest, DWORD dwError, DWORD dwFlags, LPVOID* lppvData);

// The prompt is a modal dialog: tests answer it with the class library's modal scripts,
// setting these edit controls and pressing IDOK or IDCANCEL.
#define INET_IDC_USERNAME 1101
#define INET_IDC_PASSWORD 1102
#define INET_IDC_SITE 1103
