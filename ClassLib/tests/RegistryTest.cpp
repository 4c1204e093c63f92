// The registry functions over the file-backed store.
#include <ClassLib/Registry/Registry.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include <sys/stat.h>

#include "TempStore.h"

namespace {

class RegistryTest : public TempStoreTest
{
protected:
    HKEY Create(HKEY root, const char* path)
    {
        HKEY key = nullptr;
        EXPECT_EQ(ERROR_SUCCESS, RegCreateKey(root, path, &key)) << path;
        return key;
    }

    LONG Set(HKEY key, const char* name, DWORD type, const std::string& bytes)
    {
        return RegSetValueEx(key, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                             static_cast<DWORD>(bytes.size()));
    }

    // The value's bytes and type, read through a path from a root.
    bool Get(HKEY root, const char* path, const char* name, std::string& bytes, DWORD& type)
    {
        HKEY key = nullptr;
        if (RegOpenKeyEx(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
            return false;
        DWORD size = 0;
        LONG rc = RegQueryValueEx(key, name, nullptr, &type, nullptr, &size);
        if (rc == ERROR_SUCCESS) {
            bytes.assign(size, '\0');
            rc = RegQueryValueEx(key, name, nullptr, &type, reinterpret_cast<LPBYTE>(&bytes[0]),
                                 &size);
            bytes.resize(size);
        }
        RegCloseKey(key);
        return rc == ERROR_SUCCESS;
    }

    std::vector<std::string> SubkeyNames(HKEY key)
    {
        std::vector<std::string> names;
        for (DWORD i = 0;; ++i) {
            char name[256];
            DWORD size = sizeof name;
            const LONG rc = RegEnumKeyEx(key, i, name, &size, nullptr, nullptr, nullptr, nullptr);
            if (rc == ERROR_NO_MORE_ITEMS)
                break;
            EXPECT_EQ(ERROR_SUCCESS, rc);
            if (rc != ERROR_SUCCESS)
                break;
            EXPECT_EQ(std::strlen(name), size);
            names.push_back(name);
        }
        return names;
    }

    std::vector<std::string> ValueNames(HKEY key)
    {
        std::vector<std::string> names;
        for (DWORD i = 0;; ++i) {
            char name[256];
            DWORD size = sizeof name;
            const LONG rc = RegEnumValue(key, i, name, &size, nullptr, nullptr, nullptr, nullptr);
            if (rc == ERROR_NO_MORE_ITEMS)
                break;
            EXPECT_EQ(ERROR_SUCCESS, rc);
            if (rc != ERROR_SUCCESS)
                break;
            names.push_back(name);
        }
        return names;
    }
};

const char kGbk[] = "\xC1\xAC\xBD\xD3\xC9\xE8\xD6\xC3";  // 连接设置

TEST_F(RegistryTest, StringWithGbkBytesSurvivesReload)
{
    HKEY key = Create(HKEY_CURRENT_USER, "Software\\Vendor\\LumoInfo");
    const std::string text = std::string(kGbk) + '\0';
    ASSERT_EQ(ERROR_SUCCESS, Set(key, "UserName", REG_SZ, text));
    RegCloseKey(key);

    Reload();
    std::string bytes;
    DWORD type = 0;
    ASSERT_TRUE(Get(HKEY_CURRENT_USER, "Software\\Vendor\\LumoInfo", "UserName", bytes, type));
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
    EXPECT_EQ(text, bytes);
    EXPECT_EQ(9u, bytes.size());  // eight bytes and the terminator
}

TEST_F(RegistryTest, DwordMultiStringAndBinarySurviveReload)
{
    HKEY key = Create(HKEY_LOCAL_MACHINE, "SOFTWARE\\LumoSplitter\\GanttView");
    const DWORD width = 0xFFFFFFFFu;
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueEx(key, "LeftWidth", 0, REG_DWORD,
                                           reinterpret_cast<const BYTE*>(&width), 4));
    const std::string multi("one\0\xC8\xD5\0\0", 8);
    ASSERT_EQ(ERROR_SUCCESS, Set(key, "Multi", REG_MULTI_SZ, multi));
    const std::string blob("\x00\x01%\"[]\\\n\r\x7F\xFF\x00", 12);
    ASSERT_EQ(ERROR_SUCCESS, Set(key, "Blob", REG_BINARY, blob));
    ASSERT_EQ(ERROR_SUCCESS, Set(key, "Empty", REG_BINARY, std::string()));
    RegCloseKey(key);

    Reload();
    std::string bytes;
    DWORD type = 0;
    const char* path = "SOFTWARE\\LumoSplitter\\GanttView";
    ASSERT_TRUE(Get(HKEY_LOCAL_MACHINE, path, "LeftWidth", bytes, type));
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), type);
    ASSERT_EQ(4u, bytes.size());
    DWORD read = 0;
    std::memcpy(&read, bytes.data(), 4);
    EXPECT_EQ(0xFFFFFFFFu, read);
    ASSERT_TRUE(Get(HKEY_LOCAL_MACHINE, path, "Multi", bytes, type));
    EXPECT_EQ(static_cast<DWORD>(REG_MULTI_SZ), type);
    EXPECT_EQ(multi, bytes);
    ASSERT_TRUE(Get(HKEY_LOCAL_MACHINE, path, "Blob", bytes, type));
    EXPECT_EQ(static_cast<DWORD>(REG_BINARY), type);
    EXPECT_EQ(blob, bytes);
    ASSERT_TRUE(Get(HKEY_LOCAL_MACHINE, path, "Empty", bytes, type));
    EXPECT_EQ("", bytes);
}

// Writing a value's own type and data again leaves the file alone (each save replaces the
// file); a new type or new data is saved, and both survive a reload.
TEST_F(RegistryTest, WritingTheSameValueAgainDoesNotRewriteTheFile)
{
    HKEY key = Create(HKEY_CURRENT_USER, "Software\\Tests\\Same");
    auto inode = [this] {
        struct stat st {};
        return ::stat(m_file.c_str(), &st) == 0 ? st.st_ino : static_cast<ino_t>(0);
    };
    ASSERT_EQ(ERROR_SUCCESS, Set(key, "Name", REG_SZ, std::string("abc\0", 4)));
    const ino_t first = inode();
    ASSERT_NE(static_cast<ino_t>(0), first);
    EXPECT_EQ(ERROR_SUCCESS, Set(key, "Name", REG_SZ, std::string("abc\0", 4)));
    EXPECT_EQ(first, inode());
    EXPECT_EQ(ERROR_SUCCESS, Set(key, "Name", REG_EXPAND_SZ, std::string("abc\0", 4)));
    const ino_t second = inode();
    EXPECT_NE(first, second);
    EXPECT_EQ(ERROR_SUCCESS, Set(key, "Name", REG_EXPAND_SZ, std::string("abd\0", 4)));
    EXPECT_NE(second, inode());
    RegCloseKey(key);

    Reload();
    std::string bytes;
    DWORD type = 0;
    ASSERT_TRUE(Get(HKEY_CURRENT_USER, "Software\\Tests\\Same", "Name", bytes, type));
    EXPECT_EQ(static_cast<DWORD>(REG_EXPAND_SZ), type);
    EXPECT_EQ(std::string("abd\0", 4), bytes);
}

TEST_F(RegistryTest, StoreFileIsReadableText)
{
    HKEY key = Create(HKEY_CURRENT_USER, "Software\\Vendor\\LumoInfo");
    const DWORD id = 6;
    RegSetValueEx(key, "UserID", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&id), 4);
    Set(key, "UserName", REG_SZ, std::string("a\"b%\0", 5));
    RegCloseKey(key);
    EXPECT_EQ("PCREG 1\n"
              "[HKEY_CURRENT_USER\\Software\\Vendor\\LumoInfo]\n"
              "\"UserID\"=dword:00000006\n"
              "\"UserName\"=sz:\"a%22b%25%00\"\n",
              ReadAll(m_file));
    // Written through a temporary file that replaced the store: nothing else is left.
    EXPECT_EQ(std::vector<std::string>{"registry.txt"}, Files());
}

TEST_F(RegistryTest, QuerySizes)
{
    HKEY key = Create(HKEY_CURRENT_USER, "Software\\Sizes");
    ASSERT_EQ(ERROR_SUCCESS, Set(key, "Name", REG_SZ, std::string("hello\0", 6)));

    DWORD type = 0;
    DWORD size = 0;
    EXPECT_EQ(ERROR_SUCCESS, RegQueryValueEx(key, "Name", nullptr, &type, nullptr, &size));
    EXPECT_EQ(6u, size);
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);

    char small[3] = {'x', 'y', 'z'};
    size = sizeof small;
    type = 0;
    EXPECT_EQ(ERROR_MORE_DATA,
              RegQueryValueEx(key, "Name", nullptr, &type, reinterpret_cast<LPBYTE>(small), &size));
    EXPECT_EQ(6u, size);
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);

    char exact[6];
    size = sizeof exact;
    EXPECT_EQ(ERROR_SUCCESS,
              RegQueryValueEx(key, "Name", nullptr, &type, reinterpret_cast<LPBYTE>(exact), &size));
    EXPECT_EQ(6u, size);
    EXPECT_STREQ("hello", exact);

    // Just the type.
    type = 0;
    EXPECT_EQ(ERROR_SUCCESS, RegQueryValueEx(key, "Name", nullptr, &type, nullptr, nullptr));
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
    // A buffer without a size is refused.
    EXPECT_EQ(ERROR_INVALID_PARAMETER, RegQueryValueEx(key, "Name", nullptr, &type,
                                                       reinterpret_cast<LPBYTE>(exact), nullptr));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND,
              RegQueryValueEx(key, "Missing", nullptr, &type, nullptr, &size));
    RegCloseKey(key);
}

TEST_F(RegistryTest, StringsAreStoredWithTheirTerminators)
{
    HKEY key = Create(HKEY_CURRENT_USER, "Software\\Terminators");
    ASSERT_EQ(ERROR_SUCCESS, Set(key, "NoNul", REG_SZ, "abc"));
    ASSERT_EQ(ERROR_SUCCESS, Set(key, "Multi", REG_MULTI_SZ, std::string("a\0b", 3)));
    ASSERT_EQ(ERROR_SUCCESS, Set(key, "Nothing", REG_SZ, std::string()));
    RegCloseKey(key);
    std::string bytes;
    DWORD type = 0;
    ASSERT_TRUE(Get(HKEY_CURRENT_USER, "Software\\Terminators", "NoNul", bytes, type));
    EXPECT_EQ(std::string("abc\0", 4), bytes);
    ASSERT_TRUE(Get(HKEY_CURRENT_USER, "Software\\Terminators", "Multi", bytes, type));
    EXPECT_EQ(std::string("a\0b\0\0", 5), bytes);
    ASSERT_TRUE(Get(HKEY_CURRENT_USER, "Software\\Terminators", "Nothing", bytes, type));
    EXPECT_EQ(std::string("\0", 1), bytes);
}

TEST_F(RegistryTest, KeyAndValueNamesIgnoreAsciiCase)
{
    HKEY key = Create(HKEY_LOCAL_MACHINE, "SOFTWARE\\Dunhelm\\Lumo\\MasterClient");
    ASSERT_EQ(ERROR_SUCCESS, Set(key, "Server", REG_SZ, std::string("host\0", 5)));
    ASSERT_EQ(ERROR_SUCCESS, Set(key, "SERVER", REG_SZ, std::string("other\0", 6)));
    RegCloseKey(key);

    HKEY again = nullptr;
    DWORD disposition = 0;
    ASSERT_EQ(ERROR_SUCCESS,
              RegCreateKeyEx(HKEY_LOCAL_MACHINE, "software\\DUNHELM\\lumo\\masterclient", 0,
                             nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &again,
                             &disposition));
    EXPECT_EQ(static_cast<DWORD>(REG_OPENED_EXISTING_KEY), disposition);
    EXPECT_EQ(std::vector<std::string>{"Server"}, ValueNames(again));  // first spelling kept
    RegCloseKey(again);

    std::string bytes;
    DWORD type = 0;
    ASSERT_TRUE(
        Get(HKEY_LOCAL_MACHINE, "Software\\dunhelm\\Lumo\\MASTERCLIENT", "server", bytes, type));
    EXPECT_EQ(std::string("other\0", 6), bytes);

    HKEY software = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyEx(HKEY_LOCAL_MACHINE, "software", 0, KEY_READ, &software));
    EXPECT_EQ(std::vector<std::string>{"Dunhelm"}, SubkeyNames(software));
    RegCloseKey(software);
}

TEST_F(RegistryTest, DoubleByteNamesAreNotCaseFolded)
{
    // 0x41 and 0x61 are trail bytes here, not letters: two different characters.
    HKEY upper = Create(HKEY_CURRENT_USER, "Software\\\x81\x41");
    HKEY lower = Create(HKEY_CURRENT_USER, "Software\\\x81\x61");
    Set(upper, "v", REG_SZ, std::string("1\0", 2));
    Set(lower, "v", REG_SZ, std::string("2\0", 2));
    RegCloseKey(upper);
    RegCloseKey(lower);
    Reload();
    HKEY software = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKey(HKEY_CURRENT_USER, "Software", &software));
    EXPECT_EQ(2u, SubkeyNames(software).size());
    RegCloseKey(software);
    std::string bytes;
    DWORD type = 0;
    ASSERT_TRUE(Get(HKEY_CURRENT_USER, "Software\\\x81\x61", "v", bytes, type));
    EXPECT_EQ(std::string("2\0", 2), bytes);
}

TEST_F(RegistryTest, EnumerationOrderIsStable)
{
    HKEY key = Create(HKEY_CURRENT_USER, "Software\\Order");
    for (const char* name : {"b", "_x", "A", "c"})
        RegCloseKey(Create(key, name));
    for (const char* name : {"zeta", "alpha", "Mid"})
        Set(key, name, REG_SZ, std::string("\0", 1));
    const std::vector<std::string> keys{"A", "b", "c", "_x"};
    const std::vector<std::string> values{"zeta", "alpha", "Mid"};
    EXPECT_EQ(keys, SubkeyNames(key));
    EXPECT_EQ(values, ValueNames(key));
    RegCloseKey(key);

    Reload();
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Order", 0, KEY_READ, &key));
    EXPECT_EQ(keys, SubkeyNames(key));
    EXPECT_EQ(values, ValueNames(key));

    DWORD subkeys = 0, values2 = 0, maxKey = 0, maxName = 0, maxData = 0;
    ASSERT_EQ(ERROR_SUCCESS,
              RegQueryInfoKey(key, nullptr, nullptr, nullptr, &subkeys, &maxKey, nullptr, &values2,
                              &maxName, &maxData, nullptr, nullptr));
    EXPECT_EQ(4u, subkeys);
    EXPECT_EQ(3u, values2);
    EXPECT_EQ(2u, maxKey);
    EXPECT_EQ(5u, maxName);
    EXPECT_EQ(1u, maxData);
    RegCloseKey(key);
}

TEST_F(RegistryTest, EnumerationBuffers)
{
    HKEY key = Create(HKEY_CURRENT_USER, "Software\\Enum");
    RegCloseKey(Create(key, "LongerName"));
    Set(key, "Value", REG_BINARY, std::string("\x01\x02\x03", 3));
    char name[5];
    DWORD size = sizeof name;
    EXPECT_EQ(ERROR_MORE_DATA,
              RegEnumKeyEx(key, 0, name, &size, nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(ERROR_NO_MORE_ITEMS,
              RegEnumKeyEx(key, 1, name, &size, nullptr, nullptr, nullptr, nullptr));
    char big[16];
    EXPECT_EQ(ERROR_SUCCESS, RegEnumKey(key, 0, big, sizeof big));
    EXPECT_STREQ("LongerName", big);

    size = 5;  // "Value" needs six with its NUL
    EXPECT_EQ(ERROR_MORE_DATA,
              RegEnumValue(key, 0, name, &size, nullptr, nullptr, nullptr, nullptr));
    size = sizeof big;
    DWORD type = 0;
    BYTE data[2];
    DWORD dataSize = sizeof data;
    EXPECT_EQ(ERROR_MORE_DATA, RegEnumValue(key, 0, big, &size, nullptr, &type, data, &dataSize));
    EXPECT_EQ(3u, dataSize);
    EXPECT_EQ(static_cast<DWORD>(REG_BINARY), type);
    size = sizeof big;
    BYTE enough[3];
    dataSize = sizeof enough;
    EXPECT_EQ(ERROR_SUCCESS, RegEnumValue(key, 0, big, &size, nullptr, &type, enough, &dataSize));
    EXPECT_EQ(5u, size);
    EXPECT_EQ(0x03, enough[2]);
    EXPECT_EQ(ERROR_NO_MORE_ITEMS,
              RegEnumValue(key, 1, big, &size, nullptr, nullptr, nullptr, nullptr));
    RegCloseKey(key);
}

TEST_F(RegistryTest, DamagedStoreIsSetAside)
{
    const std::string damaged = "this is not a settings store\n\x01\x02\n";
    WriteAll(m_file, damaged);
    Reload();
    HKEY key = nullptr;
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegOpenKeyEx(HKEY_CURRENT_USER, "Software", 0, KEY_READ, &key));
    EXPECT_EQ(nullptr, key);
    EXPECT_EQ(damaged, ReadAll(m_file + ".bad"));

    // The program goes on with an empty store that it saves as usual.
    key = Create(HKEY_CURRENT_USER, "Software\\Fresh");
    EXPECT_EQ(ERROR_SUCCESS, Set(key, "v", REG_SZ, std::string("x\0", 2)));
    RegCloseKey(key);
    Reload();
    std::string bytes;
    DWORD type = 0;
    EXPECT_TRUE(Get(HKEY_CURRENT_USER, "Software\\Fresh", "v", bytes, type));
    EXPECT_EQ(damaged, ReadAll(m_file + ".bad"));
}

TEST_F(RegistryTest, DamagedLineAfterGoodOnesSetsTheWholeFileAside)
{
    const std::string damaged =
        "PCREG 1\n[HKEY_CURRENT_USER\\Software\\Ok]\n\"a\"=sz:\"1%00\"\n\"b\"=sz:\"bad%G1\"\n";
    WriteAll(m_file, damaged);
    WriteAll(m_file + ".bad", "an older damaged store");
    Reload();
    HKEY key = nullptr;
    EXPECT_EQ(ERROR_FILE_NOT_FOUND,
              RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Ok", 0, KEY_READ, &key));
    EXPECT_EQ("an older damaged store", ReadAll(m_file + ".bad"));
    EXPECT_EQ(damaged, ReadAll(m_file + ".bad.1"));
}

TEST_F(RegistryTest, HandWrittenStoreIsRead)
{
    WriteAll(m_file,
             "PCREG 1\r\n# "
             "comment\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Corvallo\\Lumo\\MasterClient]\r\n"
             "\"Server\"=sz:\"%C1%AC%00\"\r\n\"Automation\"=dword:00000001\r\n"
             "\"Odd\"=type99:\"%01\"\r\n");
    Reload();
    std::string bytes;
    DWORD type = 0;
    const char* path = "SOFTWARE\\Corvallo\\Lumo\\MasterClient";
    ASSERT_TRUE(Get(HKEY_LOCAL_MACHINE, path, "Server", bytes, type));
    EXPECT_EQ(std::string("\xC1\xAC\0", 3), bytes);
    ASSERT_TRUE(Get(HKEY_LOCAL_MACHINE, path, "Automation", bytes, type));
    EXPECT_EQ(std::string("\x01\0\0\0", 4), bytes);
    ASSERT_TRUE(Get(HKEY_LOCAL_MACHINE, path, "Odd", bytes, type));
    EXPECT_EQ(99u, type);
}

TEST_F(RegistryTest, AccessRightsOfHandles)
{
    HKEY key = Create(HKEY_CURRENT_USER, "Software\\Rights");
    Set(key, "v", REG_SZ, std::string("old\0", 4));
    RegCloseKey(key);
    HKEY reader = nullptr;
    ASSERT_EQ(ERROR_SUCCESS,
              RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Rights", 0, KEY_READ, &reader));
    EXPECT_EQ(ERROR_ACCESS_DENIED, Set(reader, "v", REG_SZ, std::string("new\0", 4)));
    EXPECT_EQ(ERROR_ACCESS_DENIED, RegDeleteValue(reader, "v"));
    HKEY child = nullptr;
    EXPECT_EQ(ERROR_ACCESS_DENIED, RegCreateKeyEx(reader, "Child", 0, nullptr, 0, KEY_ALL_ACCESS,
                                                  nullptr, &child, nullptr));
    RegCloseKey(reader);
    HKEY writer = nullptr;
    ASSERT_EQ(ERROR_SUCCESS,
              RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Rights", 0, KEY_WRITE, &writer));
    DWORD size = 0;
    EXPECT_EQ(ERROR_ACCESS_DENIED, RegQueryValueEx(writer, "v", nullptr, nullptr, nullptr, &size));
    RegCloseKey(writer);
    std::string bytes;
    DWORD type = 0;
    ASSERT_TRUE(Get(HKEY_CURRENT_USER, "Software\\Rights", "v", bytes, type));
    EXPECT_EQ(std::string("old\0", 4), bytes);
}

TEST_F(RegistryTest, DeletingKeysAndValues)
{
    HKEY key = Create(HKEY_CURRENT_USER, "Software\\Del\\Inner\\Leaf");
    RegCloseKey(key);
    HKEY del = Create(HKEY_CURRENT_USER, "Software\\Del");
    Set(del, "keep", REG_SZ, std::string("\0", 1));
    Set(del, "drop", REG_SZ, std::string("\0", 1));
    EXPECT_EQ(ERROR_SUCCESS, RegDeleteValue(del, "DROP"));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegDeleteValue(del, "drop"));
    EXPECT_EQ(ERROR_ACCESS_DENIED, RegDeleteKey(del, "Inner"));  // has a subkey
    HKEY leaf = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKey(del, "Inner\\Leaf", &leaf));
    EXPECT_EQ(ERROR_SUCCESS, RegDeleteKey(del, "inner\\leaf"));
    EXPECT_EQ(ERROR_KEY_DELETED, Set(leaf, "v", REG_SZ, std::string("\0", 1)));
    RegCloseKey(leaf);
    EXPECT_EQ(ERROR_SUCCESS, RegDeleteKey(del, "Inner"));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegDeleteKey(del, "Inner"));
    EXPECT_EQ(ERROR_INVALID_PARAMETER, RegDeleteKey(del, ""));
    RegCloseKey(del);

    Reload();
    HKEY check = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKey(HKEY_CURRENT_USER, "Software\\Del", &check));
    EXPECT_EQ(std::vector<std::string>{}, SubkeyNames(check));
    EXPECT_EQ(std::vector<std::string>{"keep"}, ValueNames(check));
    RegCloseKey(check);

    RegCloseKey(Create(HKEY_CURRENT_USER, "Software\\Tree\\A\\B"));
    RegCloseKey(Create(HKEY_CURRENT_USER, "Software\\Tree\\C"));
    EXPECT_EQ(ERROR_SUCCESS, RegDeleteTree(HKEY_CURRENT_USER, "Software\\Tree\\A"));
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKey(HKEY_CURRENT_USER, "Software\\Tree", &check));
    EXPECT_EQ(std::vector<std::string>{"C"}, SubkeyNames(check));
    EXPECT_EQ(ERROR_SUCCESS, RegDeleteTree(check, nullptr));
    EXPECT_EQ(std::vector<std::string>{}, SubkeyNames(check));
    RegCloseKey(check);
}

TEST_F(RegistryTest, HandlesAndDispositions)
{
    HKEY key = nullptr;
    DWORD disposition = 0;
    ASSERT_EQ(ERROR_SUCCESS,
              RegCreateKeyEx(HKEY_CURRENT_USER, "Software\\New", 0, nullptr,
                             REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key, &disposition));
    EXPECT_EQ(static_cast<DWORD>(REG_CREATED_NEW_KEY), disposition);
    EXPECT_EQ(ERROR_SUCCESS, RegFlushKey(key));
    EXPECT_EQ(ERROR_SUCCESS, RegCloseKey(key));
    EXPECT_EQ(ERROR_INVALID_HANDLE, RegCloseKey(key));
    EXPECT_EQ(ERROR_INVALID_HANDLE, RegSetValueEx(key, "v", 0, REG_SZ, nullptr, 0));
    EXPECT_EQ(ERROR_SUCCESS, RegCloseKey(HKEY_CURRENT_USER));

    HKEY missing = reinterpret_cast<HKEY>(1);
    EXPECT_EQ(ERROR_FILE_NOT_FOUND,
              RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Nope", 0, KEY_READ, &missing));
    EXPECT_EQ(nullptr, missing);

    // Roots are separate trees; the same path under another root does not exist.
    EXPECT_EQ(ERROR_FILE_NOT_FOUND,
              RegOpenKeyEx(HKEY_LOCAL_MACHINE, "Software\\New", 0, KEY_READ, &key));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND,
              RegOpenKeyEx(HKEY_CLASSES_ROOT, "Software\\New", 0, KEY_READ, &key));

    // A handle from before the store was reloaded no longer reaches anything.
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKey(HKEY_CURRENT_USER, "Software\\New", &key));
    Reload();
    EXPECT_EQ(ERROR_KEY_DELETED,
              RegSetValueEx(key, "v", 0, REG_SZ, reinterpret_cast<const BYTE*>("x"), 2));
    RegCloseKey(key);

    // The default value has no name.
    key = Create(HKEY_CLASSES_ROOT, ".tlp");
    Set(key, nullptr, REG_SZ, std::string("Trellan.Project\0", 16));
    RegCloseKey(key);
    Reload();
    std::string bytes;
    DWORD type = 0;
    ASSERT_TRUE(Get(HKEY_CLASSES_ROOT, ".tlp", "", bytes, type));
    EXPECT_EQ(std::string("Trellan.Project\0", 16), bytes);
}

TEST_F(RegistryTest, VolatileKeysAreNotSaved)
{
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS,
              RegCreateKeyEx(HKEY_CURRENT_USER, "Session", 0, nullptr, REG_OPTION_VOLATILE,
                             KEY_ALL_ACCESS, nullptr, &key, nullptr));
    Set(key, "v", REG_SZ, std::string("x\0", 2));
    HKEY child = nullptr;
    EXPECT_EQ(1021, RegCreateKeyEx(key, "Lasting", 0, nullptr, REG_OPTION_NON_VOLATILE,
                                   KEY_ALL_ACCESS, nullptr, &child, nullptr));
    RegCloseKey(key);
    std::string bytes;
    DWORD type = 0;
    EXPECT_TRUE(Get(HKEY_CURRENT_USER, "Session", "v", bytes, type));
    Reload();
    EXPECT_FALSE(Get(HKEY_CURRENT_USER, "Session", "v", bytes, type));
}

TEST_F(RegistryTest, ChangeThatCannotBeSavedIsUndone)
{
    // The store's folder cannot be made: a plain file is in the way.
    const std::string blocker = m_dir + "/blocker";
    WriteAll(blocker, "x");
    const std::string file = blocker + "/registry.txt";
    AfxTestSetRegistryFile(file.c_str());
    HKEY key = nullptr;
    EXPECT_EQ(ERROR_WRITE_FAULT, RegCreateKey(HKEY_CURRENT_USER, "Software\\Lost", &key));
    EXPECT_EQ(nullptr, key);
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegOpenKeyEx(HKEY_CURRENT_USER, "Software", 0, KEY_READ, &key));
    EXPECT_EQ(ERROR_WRITE_FAULT, RegSetValueEx(HKEY_CURRENT_USER, "v", 0, REG_SZ,
                                               reinterpret_cast<const BYTE*>("x"), 2));
    DWORD size = 0;
    EXPECT_EQ(ERROR_FILE_NOT_FOUND,
              RegQueryValueEx(HKEY_CURRENT_USER, "v", nullptr, nullptr, nullptr, &size));
    AfxTestSetRegistryFile(m_file.c_str());
}

TEST_F(RegistryTest, BadArguments)
{
    EXPECT_EQ(ERROR_INVALID_PARAMETER,
              RegOpenKeyEx(HKEY_CURRENT_USER, "Software", 0, KEY_READ, nullptr));
    EXPECT_EQ(ERROR_INVALID_PARAMETER,
              RegSetValueEx(HKEY_CURRENT_USER, "v", 0, REG_BINARY, nullptr, 4));
    EXPECT_EQ(ERROR_INVALID_HANDLE, RegQueryValueEx(reinterpret_cast<HKEY>(0x12345), "v", nullptr,
                                                    nullptr, nullptr, nullptr));
    // Empty path components are skipped.
    HKEY key = Create(HKEY_CURRENT_USER, "\\Software\\\\Gaps\\");
    RegCloseKey(key);
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Gaps", 0, KEY_READ, &key));
    RegCloseKey(key);
}

}  // namespace

// PC_REGISTRY_FILE=":memory:" (what the test programs run with) keeps every change in memory:
// no file is written anywhere, not even under the configuration folder.
TEST(RegistryMemoryStore, NamedInEnvironmentWritesNoFile)
{
    char dirTemplate[] = "/tmp/pcregmem-XXXXXX";
    ASSERT_NE(nullptr, mkdtemp(dirTemplate));
    const std::string dir = dirTemplate;
    const char* oldXdg = std::getenv("XDG_CONFIG_HOME");
    const std::string savedXdg = oldXdg ? oldXdg : "";
    const char* oldFile = std::getenv("PC_REGISTRY_FILE");
    const std::string savedFile = oldFile ? oldFile : "";
    setenv("XDG_CONFIG_HOME", dir.c_str(), 1);
    setenv("PC_REGISTRY_FILE", ":memory:", 1);
    AfxTestSetRegistryFile(nullptr);  // resolve the place from the environment again

    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS,
              RegCreateKeyEx(HKEY_CURRENT_USER, "Software\\MemoryOnly", 0, nullptr,
                             REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key, nullptr));
    DWORD value = 7;
    EXPECT_EQ(ERROR_SUCCESS, RegSetValueEx(key, "Seven", 0, REG_DWORD,
                                           reinterpret_cast<const BYTE*>(&value), sizeof value));
    DWORD read = 0, size = sizeof read, type = 0;
    EXPECT_EQ(ERROR_SUCCESS,
              RegQueryValueEx(key, "Seven", nullptr, &type, reinterpret_cast<BYTE*>(&read), &size));
    EXPECT_EQ(7u, read);
    RegCloseKey(key);

    FILE* f = std::fopen((dir + "/project-client/registry.txt").c_str(), "rb");
    EXPECT_EQ(nullptr, f);
    if (f)
        std::fclose(f);
    EXPECT_NE(0, access((dir + "/project-client").c_str(), F_OK));
    FILE* cwdFile = std::fopen(":memory:", "rb");
    EXPECT_EQ(nullptr, cwdFile);
    if (cwdFile)
        std::fclose(cwdFile);

    if (savedXdg.empty())
        unsetenv("XDG_CONFIG_HOME");
    else
        setenv("XDG_CONFIG_HOME", savedXdg.c_str(), 1);
    if (savedFile.empty())
        unsetenv("PC_REGISTRY_FILE");
    else
        setenv("PC_REGISTRY_FILE", savedFile.c_str(), 1);
    AfxTestSetRegistryFile("");
    rmdir(dir.c_str());
}
