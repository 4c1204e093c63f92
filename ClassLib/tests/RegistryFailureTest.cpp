// Registry roots made to fail: a read-only local-machine root and a failing write, while the
// other roots go on working.
#include "TempStore.h"

#include <cstring>

namespace {

class RegistryFailureTest : public TempStoreTest
{
protected:
    void TearDown() override
    {
        AfxTestSetRegistryFailure(HKEY_LOCAL_MACHINE, AFX_REG_FAIL_NONE);
        AfxTestSetRegistryFailure(HKEY_CURRENT_USER, AFX_REG_FAIL_NONE);
        TempStoreTest::TearDown();
    }
    static LONG SetString(HKEY h, const char* name, const char* text)
    {
        return RegSetValueEx(h, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                             static_cast<DWORD>(std::strlen(text) + 1));
    }
    static std::string GetString(HKEY h, const char* name)
    {
        char buf[64] = {};
        DWORD size = sizeof buf, type = 0;
        if (RegQueryValueEx(h, name, nullptr, &type, reinterpret_cast<BYTE*>(buf), &size) !=
            ERROR_SUCCESS)
            return "<missing>";
        return buf;
    }
};

TEST_F(RegistryFailureTest, ReadOnlyLocalMachineRefusesCreateAndWrites)
{
    HKEY h = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\LumoSplitter\\Main", &h));
    ASSERT_EQ(ERROR_SUCCESS, SetString(h, "LeftWidth", "200"));
    RegCloseKey(h);

    AfxTestSetRegistryFailure(HKEY_LOCAL_MACHINE, AFX_REG_FAIL_READONLY);
    DWORD disposition = 0;
    h = nullptr;
    EXPECT_EQ(ERROR_ACCESS_DENIED,
              RegCreateKeyEx(HKEY_LOCAL_MACHINE, "SOFTWARE\\Corvallo\\Lumo\\MasterClient", 0,
                             nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &h,
                             &disposition));
    EXPECT_EQ(nullptr, h);
    // An existing key cannot be opened for writing either.
    EXPECT_EQ(ERROR_ACCESS_DENIED,
              RegCreateKeyEx(HKEY_LOCAL_MACHINE, "SOFTWARE\\LumoSplitter\\Main", 0, nullptr,
                             REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, &h, &disposition));
    EXPECT_EQ(ERROR_ACCESS_DENIED, RegOpenKeyEx(HKEY_LOCAL_MACHINE, "SOFTWARE\\LumoSplitter\\Main",
                                                0, KEY_SET_VALUE, &h));
    // Reading still works; the most-allowed open gets read rights only.
    ASSERT_EQ(ERROR_SUCCESS,
              RegOpenKeyEx(HKEY_LOCAL_MACHINE, "SOFTWARE\\LumoSplitter\\Main", 0, KEY_READ, &h));
    EXPECT_EQ("200", GetString(h, "LeftWidth"));
    RegCloseKey(h);
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\LumoSplitter\\Main", &h));
    EXPECT_EQ(ERROR_ACCESS_DENIED, SetString(h, "LeftWidth", "300"));
    EXPECT_EQ("200", GetString(h, "LeftWidth"));
    RegCloseKey(h);
    // Changes through the root's own handle are refused too.
    EXPECT_EQ(ERROR_ACCESS_DENIED, SetString(HKEY_LOCAL_MACHINE, "x", "y"));
    EXPECT_EQ(ERROR_ACCESS_DENIED, RegDeleteTree(HKEY_LOCAL_MACHINE, "SOFTWARE\\LumoSplitter"));

    // The user's root is not affected.
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKey(HKEY_CURRENT_USER, "Software\\Microsoft\\LumoInfo", &h));
    EXPECT_EQ(ERROR_SUCCESS, SetString(h, "UserName", "admin"));
    RegCloseKey(h);

    // Set back, the root takes changes again.
    AfxTestSetRegistryFailure(HKEY_LOCAL_MACHINE, AFX_REG_FAIL_NONE);
    EXPECT_EQ(ERROR_SUCCESS,
              RegCreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Corvallo\\Lumo\\MasterClient", &h));
    RegCloseKey(h);
}

TEST_F(RegistryFailureTest, FailingWriteUndoesTheChange)
{
    HKEY h = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKey(HKEY_CURRENT_USER, "Software\\Microsoft\\LumoInfo", &h));
    ASSERT_EQ(ERROR_SUCCESS, SetString(h, "UserName", "admin"));
    AfxTestSetRegistryFailure(HKEY_CURRENT_USER, AFX_REG_FAIL_WRITE);
    EXPECT_EQ(ERROR_WRITE_FAULT, SetString(h, "UserName", "other"));
    EXPECT_EQ("admin", GetString(h, "UserName"));
    EXPECT_EQ(ERROR_WRITE_FAULT, SetString(h, "UserID", "6"));
    EXPECT_EQ("<missing>", GetString(h, "UserID"));
    HKEY sub = nullptr;
    EXPECT_EQ(ERROR_WRITE_FAULT, RegCreateKey(h, "New", &sub));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegOpenKey(h, "New", &sub));
    // The local-machine root still writes.
    HKEY m = nullptr;
    EXPECT_EQ(ERROR_SUCCESS, RegCreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\LumoSplitter\\A", &m));
    RegCloseKey(m);
    AfxTestSetRegistryFailure(HKEY_CURRENT_USER, AFX_REG_FAIL_NONE);
    EXPECT_EQ(ERROR_SUCCESS, SetString(h, "UserID", "6"));
    RegCloseKey(h);
    // What was refused never reached the file.
    Reload();
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKey(HKEY_CURRENT_USER, "Software\\Microsoft\\LumoInfo", &h));
    EXPECT_EQ("admin", GetString(h, "UserName"));
    EXPECT_EQ("6", GetString(h, "UserID"));
    RegCloseKey(h);
}

}  // namespace
