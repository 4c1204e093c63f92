// The registry of modules and their resource tables.
#include <ClassLib/Resources/Resources.h>

#include <ClassLib/Core/Mbcs.h>

#include <algorithm>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace {

// A resource type or name: a small integer (MAKEINTRESOURCE) or a text, compared without
// case as the platform did.
struct ResKey
{
    bool isInt = true;
    UINT id = 0;
    std::string name;

    static ResKey From(LPCTSTR p)
    {
        ResKey k;
        if (p && !IS_INTRESOURCE(p)) {
            if (p[0] == '#') {  // "#123" names integer resource 123
                k.id = static_cast<UINT>(std::strtoul(p + 1, nullptr, 10));
                return k;
            }
            k.isInt = false;
            k.name = p;
            _strupr(&k.name[0]);
        } else {
            k.id = static_cast<UINT>(reinterpret_cast<ULONG_PTR>(p));
        }
        return k;
    }
    bool operator<(const ResKey& o) const
    {
        if (isInt != o.isInt)
            return isInt;
        return isInt ? id < o.id : name < o.name;
    }
};

struct Module
{
    std::string name;
    std::map<UINT, std::string> strings;
    std::map<std::pair<ResKey, ResKey>, const void*> resources;
};

struct Registry
{
    std::recursive_mutex mutex;
    std::vector<std::unique_ptr<Module>> modules;  // registration order
    HINSTANCE app = nullptr;
    HINSTANCE current = nullptr;
};

Registry& Reg()
{
    static Registry* r = new Registry;  // never destroyed: modules may unregister late
    return *r;
}

HINSTANCE Handle(Module* m) { return reinterpret_cast<HINSTANCE>(m); }

Module* Lookup(Registry& r, HINSTANCE h)
{
    if (!h)
        return nullptr;
    for (auto& m : r.modules)
        if (Handle(m.get()) == h)
            return m.get();
    return nullptr;
}

// Modules in search order: current resource module, application module, then the others
// in registration order, each once.
std::vector<Module*> SearchOrder(Registry& r)
{
    std::vector<Module*> order;
    auto add = [&](Module* m) {
        if (m && std::find(order.begin(), order.end(), m) == order.end())
            order.push_back(m);
    };
    add(Lookup(r, r.current));
    add(Lookup(r, r.app));
    for (auto& m : r.modules)
        add(m.get());
    return order;
}

bool IsStringType(LPCTSTR type)
{
    return IS_INTRESOURCE(type) && reinterpret_cast<ULONG_PTR>(type) == reinterpret_cast<ULONG_PTR>(RT_STRING);
}

bool Has(Module* m, const ResKey& name, LPCTSTR type)
{
    if (IsStringType(type))
        return name.isInt && m->strings.count(name.id) != 0;
    return m->resources.count({ResKey::From(type), name}) != 0;
}

const void* Data(Module* m, const ResKey& name, LPCTSTR type)
{
    if (IsStringType(type)) {
        auto it = name.isInt ? m->strings.find(name.id) : m->strings.end();
        return it == m->strings.end() ? nullptr : it->second.c_str();
    }
    auto it = m->resources.find({ResKey::From(type), name});
    return it == m->resources.end() ? nullptr : it->second;
}

const std::string* FindString(UINT nID)
{
    Registry& r = Reg();
    for (Module* m : SearchOrder(r)) {
        auto it = m->strings.find(nID);
        if (it != m->strings.end())
            return &it->second;
    }
    return nullptr;
}

}  // namespace

HINSTANCE AfxRegisterModule(const char* pszName)
{
    Registry& r = Reg();
    std::lock_guard<std::recursive_mutex> lock(r.mutex);
    std::string name = pszName ? pszName : "";
    for (auto& m : r.modules)
        if (m->name == name)
            return Handle(m.get());
    r.modules.push_back(std::make_unique<Module>());
    r.modules.back()->name = name;
    return Handle(r.modules.back().get());
}

HINSTANCE AfxRegisterModuleWith(const char* pszName, void (*pfnRegister)(HINSTANCE))
{
    HINSTANCE h = AfxRegisterModule(pszName);
    if (pfnRegister)
        pfnRegister(h);
    return h;
}

HINSTANCE AfxFindModule(const char* pszName)
{
    Registry& r = Reg();
    std::lock_guard<std::recursive_mutex> lock(r.mutex);
    for (auto& m : r.modules)
        if (pszName && m->name == pszName)
            return Handle(m.get());
    return nullptr;
}

const char* AfxGetModuleName(HINSTANCE hModule)
{
    Registry& r = Reg();
    std::lock_guard<std::recursive_mutex> lock(r.mutex);
    Module* m = Lookup(r, hModule);
    return m ? m->name.c_str() : nullptr;
}

void AfxUnregisterModule(HINSTANCE hModule)
{
    Registry& r = Reg();
    std::lock_guard<std::recursive_mutex> lock(r.mutex);
    if (r.app == hModule)
        r.app = nullptr;
    if (r.current == hModule)
        r.current = nullptr;
    r.modules.erase(std::remove_if(r.modules.begin(), r.modules.end(),
                                   [&](const std::unique_ptr<Module>& m) { return Handle(m.get()) == hModule; }),
                    r.modules.end());
}

HINSTANCE AfxGetInstanceHandle()
{
    Registry& r = Reg();
    std::lock_guard<std::recursive_mutex> lock(r.mutex);
    return r.app;
}

void AfxSetInstanceHandle(HINSTANCE hModule)
{
    Registry& r = Reg();
    std::lock_guard<std::recursive_mutex> lock(r.mutex);
    r.app = Lookup(r, hModule) ? hModule : nullptr;
}

HINSTANCE AfxGetResourceHandle()
{
    Registry& r = Reg();
    std::lock_guard<std::recursive_mutex> lock(r.mutex);
    return r.current ? r.current : r.app;
}

void AfxSetResourceHandle(HINSTANCE hModule)
{
    Registry& r = Reg();
    std::lock_guard<std::recursive_mutex> lock(r.mutex);
    r.current = Lookup(r, hModule) ? hModule : nullptr;
}

void AfxRegisterString(HINSTANCE hModule, UINT nID, const char* pszText)
{
    Registry& r = Reg();
    std::lock_guard<std::recursive_mutex> lock(r.mutex);
    if (Module* m = Lookup(r, hModule))
        m->strings[nID] = pszText ? pszText : "";
}

void AfxRegisterStrings(HINSTANCE hModule, const std::initializer_list<std::pair<UINT, const char*>>& table)
{
    for (const auto& e : table)
        AfxRegisterString(hModule, e.first, e.second);
}

void AfxRegisterStrings(HINSTANCE hModule, const AFX_STRING_ENTRY* table, size_t count)
{
    for (size_t i = 0; table && i < count; ++i)
        AfxRegisterString(hModule, table[i].nID, table[i].pszText);
}

void AfxRegisterResource(HINSTANCE hModule, LPCTSTR lpszType, LPCTSTR lpszName, const void* pData)
{
    Registry& r = Reg();
    std::lock_guard<std::recursive_mutex> lock(r.mutex);
    Module* m = Lookup(r, hModule);
    if (!m)
        return;
    if (IsStringType(lpszType)) {
        ResKey k = ResKey::From(lpszName);
        if (k.isInt)
            m->strings[k.id] = pData ? static_cast<const char*>(pData) : "";
        return;
    }
    m->resources[{ResKey::From(lpszType), ResKey::From(lpszName)}] = pData;
}

void AfxRegisterResource(HINSTANCE hModule, LPCTSTR lpszType, UINT nID, const void* pData)
{
    AfxRegisterResource(hModule, lpszType, MAKEINTRESOURCE(nID), pData);
}

HINSTANCE AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType)
{
    Registry& r = Reg();
    std::lock_guard<std::recursive_mutex> lock(r.mutex);
    ResKey name = ResKey::From(lpszName);
    for (Module* m : SearchOrder(r))
        if (Has(m, name, lpszType))
            return Handle(m);
    return nullptr;
}

HINSTANCE AfxFindResourceHandle(UINT nID, LPCTSTR lpszType)
{
    return AfxFindResourceHandle(MAKEINTRESOURCE(nID), lpszType);
}

const void* AfxFindResource(LPCTSTR lpszName, LPCTSTR lpszType, HINSTANCE* phFound)
{
    Registry& r = Reg();
    std::lock_guard<std::recursive_mutex> lock(r.mutex);
    ResKey name = ResKey::From(lpszName);
    for (Module* m : SearchOrder(r)) {
        if (Has(m, name, lpszType)) {
            if (phFound)
                *phFound = Handle(m);
            return Data(m, name, lpszType);
        }
    }
    if (phFound)
        *phFound = nullptr;
    return nullptr;
}

const void* AfxFindResource(UINT nID, LPCTSTR lpszType, HINSTANCE* phFound)
{
    return AfxFindResource(MAKEINTRESOURCE(nID), lpszType, phFound);
}

const void* AfxFindResourceIn(HINSTANCE hModule, LPCTSTR lpszName, LPCTSTR lpszType)
{
    Registry& r = Reg();
    std::lock_guard<std::recursive_mutex> lock(r.mutex);
    Module* m = Lookup(r, hModule);
    return m ? Data(m, ResKey::From(lpszName), lpszType) : nullptr;
}

std::vector<UINT> AfxGetResourceIds(HINSTANCE hModule, LPCTSTR lpszType)
{
    Registry& r = Reg();
    std::lock_guard<std::recursive_mutex> lock(r.mutex);
    std::vector<UINT> ids;
    Module* m = Lookup(r, hModule);
    if (!m)
        return ids;
    if (IsStringType(lpszType)) {
        for (const auto& entry : m->strings)
            ids.push_back(entry.first);
        return ids;
    }
    const ResKey type = ResKey::From(lpszType);
    for (const auto& entry : m->resources)
        if (!(entry.first.first < type) && !(type < entry.first.first) && entry.first.second.isInt)
            ids.push_back(entry.first.second.id);
    return ids;
}

BOOL AfxLoadString(UINT nID, CString& rString)
{
    Registry& r = Reg();
    std::lock_guard<std::recursive_mutex> lock(r.mutex);
    const std::string* s = FindString(nID);
    if (!s) {
        rString.Empty();
        return FALSE;
    }
    rString = CString(*s);
    return TRUE;
}

BOOL AfxLoadString(HINSTANCE hModule, UINT nID, CString& rString)
{
    Registry& r = Reg();
    std::lock_guard<std::recursive_mutex> lock(r.mutex);
    Module* m = Lookup(r, hModule);
    auto it = m ? m->strings.find(nID) : std::map<UINT, std::string>::iterator();
    if (!m || it == m->strings.end()) {
        rString.Empty();
        return FALSE;
    }
    rString = CString(it->second);
    return TRUE;
}

int LoadString(HINSTANCE hModule, UINT nID, LPTSTR lpBuffer, int nBufMax)
{
    if (!lpBuffer || nBufMax <= 0)
        return 0;
    CString s;
    if (!AfxLoadString(hModule, nID, s)) {
        lpBuffer[0] = 0;
        return 0;
    }
    return AfxMbcsTruncateCopy(lpBuffer, s, nBufMax - 1);
}

int AfxLoadString(UINT nID, LPTSTR lpBuffer, UINT nBufMax)
{
    if (!lpBuffer || nBufMax == 0)
        return 0;
    CString s;
    if (!AfxLoadString(nID, s)) {
        lpBuffer[0] = 0;
        return 0;
    }
    int max = nBufMax > 0x7FFFFFFFu ? 0x7FFFFFFF : static_cast<int>(nBufMax);
    return AfxMbcsTruncateCopy(lpBuffer, s, max - 1);
}

void AfxFormatStrings(CString& rString, LPCTSTR lpszFormat, LPCTSTR const* rglpsz, int nString)
{
    std::string out;
    const std::string fmt(lpszFormat ? lpszFormat : "");
    for (size_t i = 0; i < fmt.size();) {
        unsigned char c = static_cast<unsigned char>(fmt[i]);
        if (_ismbblead(c) && i + 1 < fmt.size()) {
            out.append(fmt, i, 2);
            i += 2;
            continue;
        }
        if (c == '%' && i + 1 < fmt.size() && fmt[i + 1] >= '1' && fmt[i + 1] <= '9') {
            int n = fmt[i + 1] - '1';
            if (rglpsz && n < nString) {
                if (rglpsz[n] && !IS_INTRESOURCE(rglpsz[n]))
                    out += rglpsz[n];
                i += 2;
                continue;
            }
        }
        out.push_back(static_cast<char>(c));
        ++i;
    }
    rString = CString(out);
}

void AfxFormatStrings(CString& rString, UINT nIDFormat, LPCTSTR const* rglpsz, int nString)
{
    CString format;
    if (!AfxLoadString(nIDFormat, format)) {
        rString.Empty();
        return;
    }
    AfxFormatStrings(rString, format, rglpsz, nString);
}

void AfxFormatString1(CString& rString, UINT nIDS, LPCTSTR lpsz1)
{
    AfxFormatStrings(rString, nIDS, &lpsz1, 1);
}

void AfxFormatString2(CString& rString, UINT nIDS, LPCTSTR lpsz1, LPCTSTR lpsz2)
{
    LPCTSTR strings[2] = {lpsz1, lpsz2};
    AfxFormatStrings(rString, nIDS, strings, 2);
}

BOOL AfxExtractSubString(CString& rString, LPCTSTR lpszFullString, int iSubString, TCHAR chSep)
{
    rString.Empty();
    if (!lpszFullString || iSubString < 0)
        return FALSE;
    const unsigned char* p = reinterpret_cast<const unsigned char*>(lpszFullString);
    unsigned int sep = static_cast<unsigned char>(chSep);
    while (iSubString--) {
        p = _mbschr(p, sep);
        if (!p || !*p)
            return FALSE;
        ++p;
    }
    const unsigned char* end = _mbschr(p, sep);
    size_t n = end ? static_cast<size_t>(end - p) : std::strlen(reinterpret_cast<const char*>(p));
    rString = CString(reinterpret_cast<LPCTSTR>(p), static_cast<int>(n));
    return TRUE;
}
