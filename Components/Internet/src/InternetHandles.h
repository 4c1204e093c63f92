// The objects behind HINTERNET handles. A handle stays valid until it is closed; an object
// lives while a handle or a call in progress holds it, so closing a handle from one thread
// while another is inside a call on it is safe: the call sees the object closed and returns.
#pragma once

#include <Internet/WinInet.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <string>

namespace inet {

enum class Kind { Session, Connection, Request };

// Settings a handle passes on to the handles made from it.
struct Options
{
    INTERNET_STATUS_CALLBACK callback = nullptr;
    DWORD connectTimeout = 30000;  // milliseconds
    DWORD receiveTimeout = 30000;
    std::string user, password;            // for the server
    std::string proxyUser, proxyPassword;  // for the proxy
};

struct Object
{
    explicit Object(Kind k) : kind(k) {}
    virtual ~Object() = default;
    // Wakes a call blocked on the object after it was closed.
    virtual void Wake() {}

    Options GetOptions()
    {
        std::lock_guard<std::mutex> g(lock);
        return options;
    }

    const Kind kind;
    HINTERNET handle = nullptr;
    std::shared_ptr<Object> parent;
    std::atomic<bool> closed{false};
    std::mutex lock;  // guards options
    Options options;

    bool ClosedWithParents() const
    {
        for (const Object* o = this; o; o = o->parent.get())
            if (o->closed.load())
                return true;
        return false;
    }
};

struct Session : Object
{
    Session() : Object(Kind::Session) {}
    std::string agent;
    DWORD accessType = INTERNET_OPEN_TYPE_PRECONFIG;
    std::string proxy;   // INTERNET_OPEN_TYPE_PROXY
    std::string bypass;  // hosts reached without the proxy, curl's list form
};

struct Connection : Object
{
    Connection() : Object(Kind::Connection) {}
    std::shared_ptr<Session> session;
    std::string server;
    INTERNET_PORT port = 0;
    DWORD service = INTERNET_SERVICE_HTTP;
    DWORD_PTR context = 0;
};

// Registers the object under a new handle, taking over its parent's options.
HINTERNET Register(const std::shared_ptr<Object>& obj);
std::shared_ptr<Object> Find(HINTERNET h);
// Closes the handle and every handle made from it.
bool Close(HINTERNET h);

// Calls the object's status callback, if any, with a text.
void Notify(Object& obj, DWORD_PTR context, DWORD status, const std::string& text);

}  // namespace inet
