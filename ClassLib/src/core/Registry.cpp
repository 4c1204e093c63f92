// The registry functions over the settings store.
#include <ClassLib/Registry/Registry.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "RegistryStore.h"

using pc_reg::FoldName;
using pc_reg::RegistryStore;
using pc_reg::RegNode;
using pc_reg::RegValue;

#ifndef ERROR_CHILD_MUST_BE_VOLATILE
#define ERROR_CHILD_MUST_BE_VOLATILE 1021L
#endif

namespace {

typedef std::lock_guard<std::recursive_mutex> Lock;

// The non-empty components of a "\\"-separated path.
std::vector<std::string> SplitPath(LPCTSTR path)
{
    std::vector<std::string> parts;
    if (path == nullptr)
        return parts;
    std::string current;
    for (const char* p = path; *p != '\0'; ++p) {
        const unsigned char c = static_cast<unsigned char>(*p);
        if (c >= 0x81 && c <= 0xFE && p[1] != '\0') {  // a double-byte character
            current += *p++;
            current += *p;
        } else if (c == '\\') {
            if (!current.empty())
                parts.push_back(current);
            current.clear();
        } else {
            current += *p;
        }
    }
    if (!current.empty())
        parts.push_back(current);
    return parts;
}

std::shared_ptr<RegNode> Walk(const std::shared_ptr<RegNode>& start,
                              const std::vector<std::string>& parts)
{
    std::shared_ptr<RegNode> node = start;
    for (const std::string& part : parts) {
        auto it = node->children.find(FoldName(part));
        if (it == node->children.end())
            return nullptr;
        node = it->second;
    }
    return node;
}

REGSAM EffectiveAccess(REGSAM sam)
{
    return (sam & MAXIMUM_ALLOWED) != 0 ? static_cast<REGSAM>(KEY_ALL_ACCESS) : sam;
}

constexpr REGSAM kWriteRights = KEY_SET_VALUE | KEY_CREATE_SUB_KEY | KEY_CREATE_LINK;

// The rights a handle to node gets: in a read-only root, asking for the most allowed gives
// read rights and asking for write rights is refused (false).
bool GrantedAccess(const RegistryStore& store, const RegNode& node, REGSAM sam, REGSAM& granted)
{
    granted = EffectiveAccess(sam);
    if (!store.ReadOnlyRoot(node))
        return true;
    if ((sam & MAXIMUM_ALLOWED) != 0) {
        granted = KEY_READ;
        return true;
    }
    return (granted & kWriteRights) == 0;
}

bool IsStringType(DWORD type)
{
    return type == REG_SZ || type == REG_EXPAND_SZ;
}

// Strings are kept with their terminators so that readers always find them.
std::string NormalisedData(DWORD type, const BYTE* data, DWORD size)
{
    std::string bytes(reinterpret_cast<const char*>(data), data != nullptr ? size : 0);
    if (IsStringType(type)) {
        if (bytes.empty() || bytes.back() != '\0')
            bytes += '\0';
    } else if (type == REG_MULTI_SZ) {
        while (bytes.size() < 2 || bytes[bytes.size() - 1] != '\0' ||
               bytes[bytes.size() - 2] != '\0')
            bytes += '\0';
    }
    return bytes;
}

LONG CopyName(const std::string& name, LPTSTR buffer, LPDWORD size)
{
    if (buffer == nullptr || size == nullptr)
        return ERROR_INVALID_PARAMETER;
    if (name.size() + 1 > *size)
        return ERROR_MORE_DATA;
    std::memcpy(buffer, name.c_str(), name.size() + 1);
    *size = static_cast<DWORD>(name.size());
    return ERROR_SUCCESS;
}

// Reports a value the way both the query and the enumeration do.
LONG CopyData(const RegValue& value, LPDWORD type, LPBYTE data, LPDWORD size)
{
    if (type != nullptr)
        *type = value.type;
    if (data != nullptr && size == nullptr)
        return ERROR_INVALID_PARAMETER;
    if (size == nullptr)
        return ERROR_SUCCESS;
    const DWORD needed = static_cast<DWORD>(value.data.size());
    if (data == nullptr) {
        *size = needed;
        return ERROR_SUCCESS;
    }
    if (*size < needed) {
        *size = needed;
        return ERROR_MORE_DATA;
    }
    if (needed > 0)
        std::memcpy(data, value.data.data(), needed);
    *size = needed;
    return ERROR_SUCCESS;
}

void ZeroFileTime(PFILETIME ft)
{
    if (ft != nullptr) {
        ft->dwLowDateTime = 0;
        ft->dwHighDateTime = 0;
    }
}

// Holds the store's lock for the length of a call and finds the key behind a handle.
struct OpenedKey
{
    RegistryStore& store = RegistryStore::Instance();
    Lock lock{store.mutex()};
    std::shared_ptr<RegNode> node;
    REGSAM access = 0;

    // With `need` set, the handle must also have been opened with that access.
    LONG Resolve(HKEY hKey, REGSAM need = 0)
    {
        const LONG rc = store.Resolve(hKey, node, access);
        if (rc != ERROR_SUCCESS)
            return rc;
        if (need != 0 && (access & need) == 0)
            return ERROR_ACCESS_DENIED;
        return ERROR_SUCCESS;
    }
};

LONG DeleteKey(HKEY hKey, LPCTSTR lpSubKey, bool tree)
{
    OpenedKey key;
    const LONG rc = key.Resolve(hKey);
    if (rc != ERROR_SUCCESS)
        return rc;
    RegistryStore& store = key.store;
    const std::shared_ptr<RegNode>& base = key.node;
    const std::vector<std::string> parts = SplitPath(lpSubKey);
    if (parts.empty()) {
        if (!tree)
            return ERROR_INVALID_PARAMETER;
        if (base->children.empty())
            return ERROR_SUCCESS;
        if (!store.Writable(*base))
            return ERROR_ACCESS_DENIED;
        // Everything below the key goes; the key itself stays.
        auto removed = base->children;
        base->children.clear();
        for (auto& child : removed)
            child.second->MarkDeleted(true);
        return store.Commit(*base, [&]() {
            base->children = removed;
            for (auto& child : removed)
                child.second->MarkDeleted(false);
        });
    }
    std::shared_ptr<RegNode> node = Walk(base, parts);
    if (!node)
        return ERROR_FILE_NOT_FOUND;
    if (!tree && !node->children.empty())
        return ERROR_ACCESS_DENIED;
    if (!store.Writable(*node))
        return ERROR_ACCESS_DENIED;
    RegNode* parent = node->parent;
    const std::string folded = FoldName(node->name);
    parent->children.erase(folded);
    node->MarkDeleted(true);
    return store.Commit(*parent, [&]() {
        parent->children.emplace(folded, node);
        node->MarkDeleted(false);
    });
}

}  // namespace

LONG RegOpenKeyEx(HKEY hKey, LPCTSTR lpSubKey, DWORD /*ulOptions*/, REGSAM samDesired,
                  PHKEY phkResult)
{
    if (phkResult == nullptr)
        return ERROR_INVALID_PARAMETER;
    *phkResult = nullptr;
    OpenedKey key;
    const LONG rc = key.Resolve(hKey);
    if (rc != ERROR_SUCCESS)
        return rc;
    std::shared_ptr<RegNode> node = Walk(key.node, SplitPath(lpSubKey));
    if (!node)
        return ERROR_FILE_NOT_FOUND;
    REGSAM granted = 0;
    if (!GrantedAccess(key.store, *node, samDesired, granted))
        return ERROR_ACCESS_DENIED;
    *phkResult = key.store.OpenHandle(node, granted);
    return ERROR_SUCCESS;
}

LONG RegOpenKey(HKEY hKey, LPCTSTR lpSubKey, PHKEY phkResult)
{
    return RegOpenKeyEx(hKey, lpSubKey, 0, MAXIMUM_ALLOWED, phkResult);
}

LONG RegCreateKeyEx(HKEY hKey, LPCTSTR lpSubKey, DWORD /*Reserved*/, LPTSTR /*lpClass*/,
                    DWORD dwOptions, REGSAM samDesired,
                    LPSECURITY_ATTRIBUTES /*lpSecurityAttributes*/, PHKEY phkResult,
                    LPDWORD lpdwDisposition)
{
    if (phkResult == nullptr)
        return ERROR_INVALID_PARAMETER;
    *phkResult = nullptr;
    OpenedKey key;
    const LONG rc = key.Resolve(hKey);
    if (rc != ERROR_SUCCESS)
        return rc;
    RegistryStore& store = key.store;
    const REGSAM access = key.access;
    std::shared_ptr<RegNode>& node = key.node;  // walks down to the deepest key that exists

    const std::vector<std::string> parts = SplitPath(lpSubKey);
    size_t existing = 0;
    while (existing < parts.size()) {
        auto it = node->children.find(FoldName(parts[existing]));
        if (it == node->children.end())
            break;
        node = it->second;
        ++existing;
    }
    REGSAM granted = 0;
    if (!GrantedAccess(store, *node, samDesired, granted))
        return ERROR_ACCESS_DENIED;
    if (existing < parts.size()) {
        if ((access & KEY_CREATE_SUB_KEY) == 0)
            return ERROR_ACCESS_DENIED;
        // Deeper than the store keeps: the file could not be read back.
        if (node->Depth() + (parts.size() - existing) > pc_reg::kMaxKeyDepth)
            return ERROR_INVALID_PARAMETER;
        const bool makeVolatile = (dwOptions & REG_OPTION_VOLATILE) != 0;
        if (!makeVolatile && node->InVolatileTree())
            return ERROR_CHILD_MUST_BE_VOLATILE;
        if (!store.Writable(*node) && !makeVolatile)
            return ERROR_ACCESS_DENIED;
        RegNode* attachTo = node.get();
        std::shared_ptr<RegNode> first;
        for (size_t i = existing; i < parts.size(); ++i) {
            auto child = std::make_shared<RegNode>();
            child->name = parts[i];
            child->parent = node.get();
            child->isVolatile = makeVolatile;
            node->children.emplace(FoldName(parts[i]), child);
            if (!first)
                first = child;
            node = child;
        }
        const std::string folded = FoldName(first->name);
        const LONG saved = store.Commit(*first, [&]() {
            attachTo->children.erase(folded);
            first->MarkDeleted(true);
        });
        if (saved != ERROR_SUCCESS)
            return saved;
        if (lpdwDisposition != nullptr)
            *lpdwDisposition = REG_CREATED_NEW_KEY;
    } else if (lpdwDisposition != nullptr) {
        *lpdwDisposition = REG_OPENED_EXISTING_KEY;
    }
    *phkResult = store.OpenHandle(node, granted);
    return ERROR_SUCCESS;
}

LONG RegCreateKey(HKEY hKey, LPCTSTR lpSubKey, PHKEY phkResult)
{
    return RegCreateKeyEx(hKey, lpSubKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                          nullptr, phkResult, nullptr);
}

LONG RegCloseKey(HKEY hKey)
{
    RegistryStore& store = RegistryStore::Instance();
    Lock lock(store.mutex());
    return store.CloseHandle(hKey);
}

LONG RegFlushKey(HKEY hKey)
{
    // Every change is already on disk when its call returns.
    OpenedKey key;
    return key.Resolve(hKey);
}

LONG RegQueryValueEx(HKEY hKey, LPCTSTR lpValueName, LPDWORD /*lpReserved*/, LPDWORD lpType,
                     LPBYTE lpData, LPDWORD lpcbData)
{
    OpenedKey key;
    const LONG rc = key.Resolve(hKey, KEY_QUERY_VALUE);
    if (rc != ERROR_SUCCESS)
        return rc;
    const std::shared_ptr<RegNode>& node = key.node;
    const int index = node->FindValue(lpValueName != nullptr ? lpValueName : "");
    if (index < 0)
        return ERROR_FILE_NOT_FOUND;
    return CopyData(node->Values()[index], lpType, lpData, lpcbData);
}

LONG RegSetValueEx(HKEY hKey, LPCTSTR lpValueName, DWORD /*Reserved*/, DWORD dwType,
                   const BYTE* lpData, DWORD cbData)
{
    if (lpData == nullptr && cbData != 0)
        return ERROR_INVALID_PARAMETER;
    OpenedKey key;
    const LONG rc = key.Resolve(hKey, KEY_SET_VALUE);
    if (rc != ERROR_SUCCESS)
        return rc;
    const std::shared_ptr<RegNode>& node = key.node;
    if (!key.store.Writable(*node) && !node->InVolatileTree())
        return ERROR_ACCESS_DENIED;

    RegValue value;
    value.name = lpValueName != nullptr ? lpValueName : "";
    value.type = dwType;
    value.data = NormalisedData(dwType, lpData, cbData);
    const int index = node->FindValue(value.name);
    if (index >= 0) {
        RegValue old = node->Values()[index];
        // The same type and data again change nothing: the file is not written again.
        if (old.type == value.type && old.data == value.data)
            return ERROR_SUCCESS;
        value.name = old.name;  // the name keeps the spelling it was created with
        node->SetValue(index, value);
        return key.store.Commit(*node, [&]() { node->SetValue(index, old); });
    }
    const int added = node->SetValue(-1, value);
    return key.store.Commit(*node, [&]() { node->EraseValue(added); });
}

LONG RegDeleteValue(HKEY hKey, LPCTSTR lpValueName)
{
    OpenedKey key;
    const LONG rc = key.Resolve(hKey, KEY_SET_VALUE);
    if (rc != ERROR_SUCCESS)
        return rc;
    const std::shared_ptr<RegNode>& node = key.node;
    const int index = node->FindValue(lpValueName != nullptr ? lpValueName : "");
    if (index < 0)
        return ERROR_FILE_NOT_FOUND;
    if (!key.store.Writable(*node) && !node->InVolatileTree())
        return ERROR_ACCESS_DENIED;
    RegValue old = node->Values()[index];
    node->EraseValue(index);
    return key.store.Commit(*node, [&]() { node->InsertValue(index, old); });
}

LONG RegDeleteKey(HKEY hKey, LPCTSTR lpSubKey)
{
    return DeleteKey(hKey, lpSubKey, false);
}

LONG RegDeleteTree(HKEY hKey, LPCTSTR lpSubKey)
{
    return DeleteKey(hKey, lpSubKey, true);
}

LONG RegEnumKeyEx(HKEY hKey, DWORD dwIndex, LPTSTR lpName, LPDWORD lpcName, LPDWORD /*lpReserved*/,
                  LPTSTR lpClass, LPDWORD lpcClass, PFILETIME lpftLastWriteTime)
{
    OpenedKey key;
    const LONG rc = key.Resolve(hKey, KEY_ENUMERATE_SUB_KEYS);
    if (rc != ERROR_SUCCESS)
        return rc;
    const std::shared_ptr<RegNode>& node = key.node;
    if (dwIndex >= node->children.size())
        return ERROR_NO_MORE_ITEMS;
    auto it = node->children.begin();
    std::advance(it, dwIndex);
    const LONG copied = CopyName(it->second->name, lpName, lpcName);
    if (copied != ERROR_SUCCESS)
        return copied;
    if (lpClass != nullptr && lpcClass != nullptr && *lpcClass > 0) {
        lpClass[0] = '\0';
        *lpcClass = 0;
    }
    ZeroFileTime(lpftLastWriteTime);
    return ERROR_SUCCESS;
}

LONG RegEnumKey(HKEY hKey, DWORD dwIndex, LPTSTR lpName, DWORD cchName)
{
    DWORD size = cchName;
    return RegEnumKeyEx(hKey, dwIndex, lpName, &size, nullptr, nullptr, nullptr, nullptr);
}

LONG RegEnumValue(HKEY hKey, DWORD dwIndex, LPTSTR lpValueName, LPDWORD lpcValueName,
                  LPDWORD /*lpReserved*/, LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData)
{
    OpenedKey key;
    const LONG rc = key.Resolve(hKey, KEY_QUERY_VALUE);
    if (rc != ERROR_SUCCESS)
        return rc;
    const std::shared_ptr<RegNode>& node = key.node;
    if (dwIndex >= node->Values().size())
        return ERROR_NO_MORE_ITEMS;
    const RegValue& value = node->Values()[dwIndex];
    const LONG copied = CopyName(value.name, lpValueName, lpcValueName);
    if (copied != ERROR_SUCCESS)
        return copied;
    return CopyData(value, lpType, lpData, lpcbData);
}

LONG RegQueryInfoKey(HKEY hKey, LPTSTR lpClass, LPDWORD lpcClass, LPDWORD /*lpReserved*/,
                     LPDWORD lpcSubKeys, LPDWORD lpcMaxSubKeyLen, LPDWORD lpcMaxClassLen,
                     LPDWORD lpcValues, LPDWORD lpcMaxValueNameLen, LPDWORD lpcMaxValueLen,
                     LPDWORD lpcbSecurityDescriptor, PFILETIME lpftLastWriteTime)
{
    OpenedKey key;
    const LONG rc = key.Resolve(hKey, KEY_QUERY_VALUE);
    if (rc != ERROR_SUCCESS)
        return rc;
    const std::shared_ptr<RegNode>& node = key.node;
    DWORD maxKey = 0, maxName = 0, maxData = 0;
    for (const auto& child : node->children)
        maxKey = std::max<DWORD>(maxKey, static_cast<DWORD>(child.second->name.size()));
    for (const RegValue& v : node->Values()) {
        maxName = std::max<DWORD>(maxName, static_cast<DWORD>(v.name.size()));
        maxData = std::max<DWORD>(maxData, static_cast<DWORD>(v.data.size()));
    }
    if (lpClass != nullptr && lpcClass != nullptr && *lpcClass > 0)
        lpClass[0] = '\0';
    if (lpcClass != nullptr)
        *lpcClass = 0;
    if (lpcSubKeys != nullptr)
        *lpcSubKeys = static_cast<DWORD>(node->children.size());
    if (lpcMaxSubKeyLen != nullptr)
        *lpcMaxSubKeyLen = maxKey;
    if (lpcMaxClassLen != nullptr)
        *lpcMaxClassLen = 0;
    if (lpcValues != nullptr)
        *lpcValues = static_cast<DWORD>(node->Values().size());
    if (lpcMaxValueNameLen != nullptr)
        *lpcMaxValueNameLen = maxName;
    if (lpcMaxValueLen != nullptr)
        *lpcMaxValueLen = maxData;
    if (lpcbSecurityDescriptor != nullptr)
        *lpcbSecurityDescriptor = 0;
    ZeroFileTime(lpftLastWriteTime);
    return ERROR_SUCCESS;
}

void AfxTestSetRegistryFile(const char* path)
{
    RegistryStore& store = RegistryStore::Instance();
    Lock lock(store.mutex());
    store.SetTestFile(path);
}

void AfxTestSetRegistryFailure(HKEY hRoot, DWORD dwFailure)
{
    RegistryStore& store = RegistryStore::Instance();
    Lock lock(store.mutex());
    store.SetFailure(hRoot, dwFailure);
}
