// The components' records from the project server of the connection settings (http, or https
// when the setting names it), over the class library's Internet layer. Every wait is bounded
// (PdmHttpTimeouts); an answer is read only up to kPdmMaxAnswerBytes; anything but a whole
// answer of the expected kind is the store failing (PDM_E_STORE), with the reason in the
// trace.
#include "PdmComponentSource.h"

#include <Pdm/PdmReplies.h>
#include <Pdm/PdmSettings.h>

#include <Internet/AfxInet.h>

#include <chrono>
#include <memory>

namespace {

struct CloseHandle {
    void operator()(void* h) const
    {
        if (h)
            InternetCloseHandle(h);
    }
};
typedef std::unique_ptr<void, CloseHandle> CInternetHandle;

struct Answer {
    DWORD status = 0;
    std::string contentType;
    std::string body;
};

std::string Reason(const char* step)
{
    return std::string(step) + " failed (error " + std::to_string((long)GetLastError()) + ")";
}

// One request to the server: `object` is the path and query; a form body makes it a POST.
bool Exchange(const std::string& object, const std::string* form, Answer& answer, std::string& error)
{
    // A server named with its scheme ("https://host:port") is reached that way; a plain
    // name means http.
    std::string address = PdmServerAddress();
    std::string lower = address;
    for (char& c : lower)
        c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    if (lower.compare(0, 7, "http://") != 0 && lower.compare(0, 8, "https://") != 0)
        address = "http://" + address;
    const std::string url = address + object;
    DWORD service = 0;
    CString server, path;
    INTERNET_PORT port = 0;
    if (!AfxParseURL(url.c_str(), service, server, path, port) ||
        (service != AFX_INET_SERVICE_HTTP && service != AFX_INET_SERVICE_HTTPS)) {
        error = url + ": the product-data server's address is not usable";
        return false;
    }
    int connectMs = 0, receiveMs = 0, totalMs = 0;
    PdmHttpTimeouts(connectMs, receiveMs, totalMs);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(totalMs);

    CInternetHandle session(InternetOpen("PdmClient", INTERNET_OPEN_TYPE_PRECONFIG, NULL, NULL, 0));
    if (!session) {
        error = url + ": " + Reason("InternetOpen");
        return false;
    }
    DWORD connectTimeout = static_cast<DWORD>(connectMs), receiveTimeout = static_cast<DWORD>(receiveMs);
    InternetSetOption(session.get(), INTERNET_OPTION_CONNECT_TIMEOUT, &connectTimeout, sizeof(DWORD));
    InternetSetOption(session.get(), INTERNET_OPTION_RECEIVE_TIMEOUT, &receiveTimeout, sizeof(DWORD));
    CInternetHandle connection(InternetConnect(session.get(), server, port, NULL, NULL, INTERNET_SERVICE_HTTP, 0, 0));
    if (!connection) {
        error = url + ": " + Reason("InternetConnect");
        return false;
    }
    CInternetHandle request(HttpOpenRequest(connection.get(), form ? "POST" : "GET", path, NULL, NULL, NULL,
                                            INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE |
                                                INTERNET_FLAG_NO_AUTO_REDIRECT |
                                                (service == AFX_INET_SERVICE_HTTPS ? INTERNET_FLAG_SECURE : 0),
                                            0));
    if (!request) {
        error = url + ": " + Reason("HttpOpenRequest");
        return false;
    }
    const char* headers = form ? "Content-Type: application/x-www-form-urlencoded\r\n" : NULL;
    BOOL sent = form ? HttpSendRequest(request.get(), headers, (DWORD)-1, const_cast<char*>(form->data()),
                                       static_cast<DWORD>(form->size()))
                     : HttpSendRequest(request.get(), NULL, 0, NULL, 0);
    if (!sent) {
        error = url + ": " + Reason("the request");
        return false;
    }
    DWORD size = sizeof(answer.status);
    if (!HttpQueryInfo(request.get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &answer.status, &size, NULL)) {
        error = url + ": the answer has no status";
        return false;
    }
    char type[256] = {};
    DWORD typeSize = sizeof(type);
    if (HttpQueryInfo(request.get(), HTTP_QUERY_CONTENT_TYPE, type, &typeSize, NULL))
        answer.contentType.assign(type, typeSize < sizeof(type) ? typeSize : sizeof(type) - 1);
    char buf[65536];
    for (;;) {
        if (std::chrono::steady_clock::now() > deadline) {
            error = url + ": the answer took longer than " + std::to_string(totalMs) + " ms";
            return false;
        }
        DWORD read = 0;
        if (!InternetReadFile(request.get(), buf, sizeof(buf), &read)) {
            error = url + ": " + Reason("reading the answer");
            return false;
        }
        if (read == 0)
            return true;
        if (answer.body.size() + read > kPdmMaxAnswerBytes) {
            error = url + ": the answer is larger than " + std::to_string(kPdmMaxAnswerBytes) + " bytes";
            return false;
        }
        answer.body.append(buf, read);
    }
}

bool IsXml(const std::string& contentType)
{
    std::string type = contentType.substr(0, contentType.find(';'));
    for (char& c : type)
        c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    while (!type.empty() && type.back() == ' ')
        type.pop_back();
    return type == "text/xml" || type == "application/xml";
}

// Asks the server and hands a whole answer of status 200 to `read`; anything else is
// the component's failure (E_INVALIDARG for a refusal, PDM_E_STORE otherwise).
template <class F>
HRESULT Ask(const char* who, const std::string& object, const std::string* form, F read)
{
    Answer answer;
    std::string error;
    if (!Exchange(object, form, answer, error)) {
        PdmTrace(std::string(who) + ": " + error);
        return PDM_E_STORE;
    }
    const std::string where = std::string(who) + ": " + PdmServerAddress() + object + ": ";
    if (!IsXml(answer.contentType)) {
        PdmTrace(where + "the answer is " + (answer.contentType.empty() ? "untyped" : answer.contentType) +
                 ", not XML (status " + std::to_string((long)answer.status) + ")");
        return PDM_E_STORE;
    }
    if (answer.status != 200) {
        std::string why;
        bool refused = false;
        if (!ReadPdmError(answer.body, why, refused))
            why = "no reason given";
        PdmTrace(where + "the server answered " + std::to_string((long)answer.status) + ": " + why);
        return refused && answer.status == 400 ? E_INVALIDARG : PDM_E_STORE;
    }
    if (!read(answer.body, error)) {
        PdmTrace(where + error);
        return PDM_E_STORE;
    }
    return S_OK;
}

std::string Pair(const char* first, LONG a, const char* second, LONG b)
{
    return std::string("?") + first + "=" + std::to_string(a) + "&" + second + "=" + std::to_string(b);
}

HRESULT Children(LONG classId, LONG objectId, std::vector<PdmNodeRow>& rows)
{
    return Ask("PdmNodeList", "/pdm/Nodes.asp" + Pair("ClassID", classId, "ObjectID", objectId), nullptr,
               [&](const std::string& body, std::string& error) { return ReadPdmNodes(body, rows, error); });
}

HRESULT Documents(LONG classId, LONG objectId, std::vector<PdmDocRow>& rows)
{
    return Ask("PdmDocList", "/pdm/Documents.asp" + Pair("ClassID", classId, "ObjectID", objectId), nullptr,
               [&](const std::string& body, std::string& error) { return ReadPdmDocuments(body, rows, error); });
}

HRESULT Classes(LONG nodeClassId, std::vector<PdmClassRow>& rows)
{
    return Ask("PdmAvailList", "/pdm/Classes.asp?NodeClassID=" + std::to_string(nodeClassId), nullptr,
               [&](const std::string& body, std::string& error) { return ReadPdmClasses(body, rows, error); });
}

HRESULT Ready(const char* who)
{
    return Ask(who, "/pdm/Store.asp", nullptr,
               [](const std::string& body, std::string& error) { return ReadPdmStoreReady(body, error); });
}

HRESULT Add(LONG parentClassId, LONG parentObjectId, LONG docClassId, const std::string& fileName, int32_t& newObjectId)
{
    // A name the store would refuse is refused here too, without a request.
    if (!CPdmStore::IsValidName(fileName)) {
        PdmTrace("PdmData: \"" + fileName + "\" is not a valid file name");
        return E_INVALIDARG;
    }
    const std::string form = "ParentClassID=" + std::to_string(parentClassId) +
                             "&ParentObjectID=" + std::to_string(parentObjectId) +
                             "&DocClassID=" + std::to_string(docClassId) + "&FileName=" + PdmPercentEncode(fileName);
    return Ask("PdmData", "/pdm/AddDocument.asp", &form, [&](const std::string& body, std::string& error) {
        return ReadPdmAdded(body, newObjectId, error);
    });
}

}  // namespace

const PdmRowSource kPdmHttpSource = {&Children, &Documents, &Classes, &Ready, &Add};
