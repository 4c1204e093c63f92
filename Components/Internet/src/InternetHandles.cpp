// The handle table.
#include "InternetHandles.h"

#include <map>
#include <vector>

namespace inet {

namespace {

struct Table
{
    std::mutex lock;
    std::map<uintptr_t, std::shared_ptr<Object>> objects;
    uintptr_t next = 0xCC0004;
};

Table& T()
{
    static Table* t = new Table;
    return *t;
}

}  // namespace

HINTERNET Register(const std::shared_ptr<Object>& obj)
{
    if (obj->parent)
        obj->options = obj->parent->GetOptions();
    Table& t = T();
    std::lock_guard<std::mutex> g(t.lock);
    const uintptr_t id = t.next;
    t.next += 4;  // never reused: a stale handle names nothing
    obj->handle = reinterpret_cast<HINTERNET>(id);
    t.objects[id] = obj;
    return obj->handle;
}

std::shared_ptr<Object> Find(HINTERNET h)
{
    Table& t = T();
    std::lock_guard<std::mutex> g(t.lock);
    auto it = t.objects.find(reinterpret_cast<uintptr_t>(h));
    return it == t.objects.end() ? nullptr : it->second;
}

bool Close(HINTERNET h)
{
    std::vector<std::shared_ptr<Object>> closing;
    {
        Table& t = T();
        std::lock_guard<std::mutex> g(t.lock);
        auto it = t.objects.find(reinterpret_cast<uintptr_t>(h));
        if (it == t.objects.end())
            return false;
        Object* root = it->second.get();
        for (auto o = t.objects.begin(); o != t.objects.end();) {
            bool below = false;
            for (Object* p = o->second.get(); p; p = p->parent.get())
                if (p == root)
                    below = true;
            if (below) {
                closing.push_back(o->second);
                o = t.objects.erase(o);
            } else {
                ++o;
            }
        }
    }
    for (auto& o : closing) {
        o->closed = true;
        o->Wake();
    }
    return true;  // the objects go when the last call using them returns
}

void Notify(Object& obj, DWORD_PTR context, DWORD status, const std::string& text)
{
    INTERNET_STATUS_CALLBACK cb;
    {
        std::lock_guard<std::mutex> g(obj.lock);
        cb = obj.options.callback;
    }
    if (!cb || cb == INTERNET_INVALID_STATUS_CALLBACK)
        return;
    std::string copy = text;
    cb(obj.handle, context, status, &copy[0], (DWORD)(copy.size() + 1));
}

}  // namespace inet
