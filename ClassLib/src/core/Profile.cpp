#include <ClassLib/Registry/Profile.h>

#include <cstring>
#include <string>

#include <ClassLib/Registry/Registry.h>

namespace {

// Closes a key when it goes out of scope.
class KeyHolder
{
public:
    explicit KeyHolder(HKEY key)
        : m_key(key)
    {
    }
    ~KeyHolder()
    {
        if (m_key != nullptr)
            RegCloseKey(m_key);
    }
    KeyHolder(const KeyHolder&) = delete;
    KeyHolder& operator=(const KeyHolder&) = delete;
    HKEY get() const { return m_key; }

private:
    HKEY m_key;
};

// Opens (without creating) the key at path below HKEY_CURRENT_USER.
HKEY OpenExisting(const std::string& path, REGSAM access)
{
    HKEY key = nullptr;
    if (RegOpenKeyEx(HKEY_CURRENT_USER, path.c_str(), 0, access, &key) != ERROR_SUCCESS)
        return nullptr;
    return key;
}

HKEY OpenOrCreate(const std::string& path)
{
    HKEY key = nullptr;
    DWORD disposition = 0;
    if (RegCreateKeyEx(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                       KEY_ALL_ACCESS, nullptr, &key, &disposition) != ERROR_SUCCESS)
        return nullptr;
    return key;
}

// Reads a value of the wanted type; false when missing or of another type.
bool ReadValue(HKEY key, LPCTSTR entry, DWORD wantedType, std::string& data)
{
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueEx(key, entry, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return false;
    if (type != wantedType && !(wantedType == REG_SZ && type == REG_EXPAND_SZ))
        return false;
    data.assign(size, '\0');
    if (size == 0)
        return true;
    if (RegQueryValueEx(key, entry, nullptr, &type, reinterpret_cast<LPBYTE>(&data[0]), &size) !=
        ERROR_SUCCESS)
        return false;
    data.resize(size);
    return true;
}

}  // namespace

void CProfileStore::SetRegistryKey(LPCTSTR lpszCompany)
{
    m_company = lpszCompany != nullptr ? lpszCompany : "";
}

void CProfileStore::SetProfileName(LPCTSTR lpszApplication)
{
    m_application = lpszApplication != nullptr ? lpszApplication : "";
}

std::string CProfileStore::AppKeyPath() const
{
    if (m_application.empty())
        return std::string();
    std::string path = "Software\\";
    if (!m_company.empty()) {
        path += m_company;
        path += '\\';
    }
    path += m_application;
    return path;
}

HKEY CProfileStore::GetAppRegistryKey() const
{
    const std::string path = AppKeyPath();
    return path.empty() ? nullptr : OpenOrCreate(path);
}

HKEY CProfileStore::GetSectionKey(LPCTSTR lpszSection) const
{
    const std::string path = AppKeyPath();
    if (path.empty() || lpszSection == nullptr)
        return nullptr;
    return OpenOrCreate(path + "\\" + lpszSection);
}

UINT CProfileStore::GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault) const
{
    const std::string path = AppKeyPath();
    if (path.empty() || lpszSection == nullptr || lpszEntry == nullptr)
        return static_cast<UINT>(nDefault);
    KeyHolder key(OpenExisting(path + "\\" + lpszSection, KEY_QUERY_VALUE));
    std::string data;
    if (key.get() == nullptr || !ReadValue(key.get(), lpszEntry, REG_DWORD, data) ||
        data.size() != 4)
        return static_cast<UINT>(nDefault);
    DWORD value = 0;
    std::memcpy(&value, data.data(), 4);
    return value;
}

CString CProfileStore::GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry,
                                        LPCTSTR lpszDefault) const
{
    const CString fallback(lpszDefault != nullptr ? lpszDefault : "");
    const std::string path = AppKeyPath();
    if (path.empty() || lpszSection == nullptr || lpszEntry == nullptr)
        return fallback;
    KeyHolder key(OpenExisting(path + "\\" + lpszSection, KEY_QUERY_VALUE));
    std::string data;
    if (key.get() == nullptr || !ReadValue(key.get(), lpszEntry, REG_SZ, data))
        return fallback;
    const size_t nul = data.find('\0');
    if (nul != std::string::npos)
        data.resize(nul);
    return CString(data);
}

BOOL CProfileStore::GetProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE* ppData,
                                     UINT* pBytes) const
{
    if (ppData == nullptr || pBytes == nullptr)
        return FALSE;
    *ppData = nullptr;
    *pBytes = 0;
    const std::string path = AppKeyPath();
    if (path.empty() || lpszSection == nullptr || lpszEntry == nullptr)
        return FALSE;
    KeyHolder key(OpenExisting(path + "\\" + lpszSection, KEY_QUERY_VALUE));
    std::string data;
    if (key.get() == nullptr || !ReadValue(key.get(), lpszEntry, REG_BINARY, data))
        return FALSE;
    *ppData = new BYTE[data.size() > 0 ? data.size() : 1];
    if (!data.empty())
        std::memcpy(*ppData, data.data(), data.size());
    *pBytes = static_cast<UINT>(data.size());
    return TRUE;
}

BOOL CProfileStore::WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue)
{
    if (lpszEntry == nullptr)
        return FALSE;
    KeyHolder key(GetSectionKey(lpszSection));
    if (key.get() == nullptr)
        return FALSE;
    const DWORD value = static_cast<DWORD>(nValue);
    return RegSetValueEx(key.get(), lpszEntry, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                         sizeof value) == ERROR_SUCCESS;
}

BOOL CProfileStore::WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue)
{
    const std::string path = AppKeyPath();
    if (path.empty() || lpszSection == nullptr)
        return FALSE;
    if (lpszEntry == nullptr) {
        // Removing the whole section; an empty name would be the application key itself.
        if (*lpszSection == '\0')
            return FALSE;
        KeyHolder app(OpenExisting(path, KEY_ALL_ACCESS));
        if (app.get() == nullptr)
            return FALSE;
        return RegDeleteTree(app.get(), lpszSection) == ERROR_SUCCESS;
    }
    if (lpszValue == nullptr) {
        KeyHolder key(OpenExisting(path + "\\" + lpszSection, KEY_ALL_ACCESS));
        if (key.get() == nullptr)
            return FALSE;
        return RegDeleteValue(key.get(), lpszEntry) == ERROR_SUCCESS;
    }
    KeyHolder key(GetSectionKey(lpszSection));
    if (key.get() == nullptr)
        return FALSE;
    return RegSetValueEx(key.get(), lpszEntry, 0, REG_SZ, reinterpret_cast<const BYTE*>(lpszValue),
                         static_cast<DWORD>(std::strlen(lpszValue) + 1)) == ERROR_SUCCESS;
}

BOOL CProfileStore::WriteProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE pData,
                                       UINT nBytes)
{
    if (lpszEntry == nullptr || (pData == nullptr && nBytes != 0))
        return FALSE;
    KeyHolder key(GetSectionKey(lpszSection));
    if (key.get() == nullptr)
        return FALSE;
    return RegSetValueEx(key.get(), lpszEntry, 0, REG_BINARY, pData, nBytes) == ERROR_SUCCESS;
}
