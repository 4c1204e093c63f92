// What a call carries at the transport level, between the HTTP exchange and the core's
// CallContext: the session cookie, the client's address and If-Match in; Set-Cookie and
// ETag out; and the refusal of a call without a live session.
#pragma once

#include "HttpExchange.h"
#include "ServerCore.h"

namespace projectserver {

// The request half of a call's context, from its headers.
CallContext ContextOf(const HttpRequest& req);
// The reply half as headers: the session cookie (Secure over TLS) and the revision.
void ApplyContext(const CallContext& context, bool secure, HttpResponse& res);
// 401 with WWW-Authenticate: Session, and a SOAP client fault (or plain text).
void RefuseUnauthorized(HttpResponse& res, bool soap);

}  // namespace projectserver
