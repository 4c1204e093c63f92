// The call context on the wire.
#include "HttpCallContext.h"

#include "ServerSoap.h"

namespace projectserver {

// The request half of a call's context, from its headers.
CallContext ContextOf(const HttpRequest& req)
{
    CallContext context;
    context.sessionToken = CookieValue(req.Header("Cookie"), kSessionCookie);
    context.peerAddress = req.peerAddress;
    context.ifMatch = UnquoteEntityTag(req.Header("If-Match"));
    return context;
}

// The reply half: the session cookie and the revision.
void ApplyContext(const CallContext& context, bool secure, HttpResponse& res)
{
    const std::string flags = secure ? "; Secure" : "";
    if (!context.newSessionToken.empty())
        res.SetHeader("Set-Cookie", std::string(kSessionCookie) + "=" + context.newSessionToken +
                                        "; Path=/; HttpOnly; SameSite=Strict" + flags);
    else if (context.endSession)
        res.SetHeader("Set-Cookie", std::string(kSessionCookie) + "=; Path=/; Max-Age=0" + flags);
    if (!context.etag.empty())
        res.SetHeader("ETag", "\"" + context.etag + "\"");
}

void RefuseUnauthorized(HttpResponse& res, bool soap)
{
    res.status = 401;
    res.SetHeader("WWW-Authenticate", "Session");
    if (soap)
        res.SetContent(WriteFault("soap:Client", "a session is needed: log in first"), "text/xml; charset=utf-8");
    else
        res.SetContent("a session is needed: log in first", "text/plain");
}

}  // namespace projectserver
