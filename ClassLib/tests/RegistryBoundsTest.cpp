// The settings store's bounds: key depth, and the size of what it writes for deep keys.
#include <ClassLib/Registry/Registry.h>

#include <gtest/gtest.h>

#include <string>

#include "TempStore.h"

namespace {

class RegistryBoundsTest : public TempStoreTest
{
protected:
    // "[HKEY_CURRENT_USER\k\k...]" with the given number of levels below the root.
    static std::string DeepKeyLine(size_t levels)
    {
        std::string line = "[HKEY_CURRENT_USER";
        for (size_t i = 0; i < levels; ++i)
            line += "\\k";
        return line + "]\n";
    }
    static std::string DeepPath(size_t levels)
    {
        std::string path;
        for (size_t i = 0; i < levels; ++i)
            path += i ? "\\k" : "k";
        return path;
    }
    bool Opens(const std::string& path)
    {
        HKEY key = nullptr;
        if (RegOpenKeyEx(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            return false;
        RegCloseKey(key);
        return true;
    }
};

}  // namespace

TEST_F(RegistryBoundsTest, AKeyOfTheBoundsDepthIsReadAndWrittenBack)
{
    const std::string text = "PCREG 1\n" + DeepKeyLine(512) + "\"v\"=sz:\"x%00\"\n";
    WriteAll(m_file, text);
    Reload();
    EXPECT_TRUE(Opens(DeepPath(512)));
    // A change writes the store again: one line for the deep key, not one per level.
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKey(HKEY_CURRENT_USER, "Other", &key));
    RegCloseKey(key);
    EXPECT_EQ("PCREG 1\n" + DeepKeyLine(512) + "\"v\"=sz:\"x%00\"\n[HKEY_CURRENT_USER\\Other]\n",
              ReadAll(m_file));
}

TEST_F(RegistryBoundsTest, AKeyDeeperThanTheBoundIsADamagedFile)
{
    const std::string text = "PCREG 1\n[HKEY_CURRENT_USER\\Ok]\n" + DeepKeyLine(513);
    WriteAll(m_file, text);
    Reload();
    EXPECT_FALSE(Opens("Ok"));
    EXPECT_EQ(text, ReadAll(m_file + ".bad"));
}

TEST_F(RegistryBoundsTest, AVeryDeepKeyBeforeADamagedLineIsSetAsideWithoutExhaustingTheStack)
{
    // Tens of thousands of levels, then a line that cannot be read: the half-built tree is
    // thrown away and the file set aside, never overwritten.
    const std::string text = "PCREG 1\n[HKEY_CURRENT_USER\\a]\n" + DeepKeyLine(26600) + "garbage\n";
    WriteAll(m_file, text);
    Reload();
    EXPECT_FALSE(Opens("a"));
    EXPECT_EQ(text, ReadAll(m_file + ".bad"));
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKey(HKEY_CURRENT_USER, "Fresh", &key));
    RegCloseKey(key);
    EXPECT_EQ("PCREG 1\n[HKEY_CURRENT_USER\\Fresh]\n", ReadAll(m_file));
}

TEST_F(RegistryBoundsTest, AKeyCannotBeCreatedDeeperThanTheBound)
{
    HKEY key = nullptr;
    EXPECT_EQ(ERROR_INVALID_PARAMETER,
              RegCreateKey(HKEY_CURRENT_USER, DeepPath(513).c_str(), &key));
    EXPECT_EQ(nullptr, key);
    EXPECT_FALSE(Opens("k"));
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKey(HKEY_CURRENT_USER, DeepPath(500).c_str(), &key));
    RegCloseKey(key);
    // Thirteen more levels below the 500 make 513: refused as well, the tree unchanged.
    ASSERT_EQ(ERROR_SUCCESS,
              RegOpenKeyEx(HKEY_CURRENT_USER, DeepPath(500).c_str(), 0, KEY_ALL_ACCESS, &key));
    HKEY deeper = nullptr;
    EXPECT_EQ(ERROR_INVALID_PARAMETER, RegCreateKey(key, DeepPath(13).c_str(), &deeper));
    EXPECT_EQ(ERROR_SUCCESS, RegCreateKey(key, DeepPath(12).c_str(), &deeper));
    RegCloseKey(deeper);
    RegCloseKey(key);
    EXPECT_TRUE(Opens(DeepPath(512)));
    // The whole deep tree goes in one piece, without recursing per level.
    EXPECT_EQ(ERROR_SUCCESS, RegDeleteTree(HKEY_CURRENT_USER, "k"));
    EXPECT_FALSE(Opens("k"));
    Reload();
    EXPECT_FALSE(Opens("k"));
}

TEST_F(RegistryBoundsTest, ManyValuesOfOneKeyAreFoundByTheirFoldedNames)
{
    std::string text = "PCREG 1\n[HKEY_CURRENT_USER\\Many]\n";
    for (int i = 0; i < 2000; ++i)
        text += "\"Name" + std::to_string(i) + "\"=dword:00000001\n";
    // A repeated name in other letters' case: the later line wins, the first spelling stays.
    text += "\"NAME7\"=dword:00000002\n";
    WriteAll(m_file, text);
    Reload();
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyEx(HKEY_CURRENT_USER, "Many", 0, KEY_ALL_ACCESS, &key));
    DWORD value = 0, size = sizeof value, type = 0;
    ASSERT_EQ(ERROR_SUCCESS, RegQueryValueEx(key, "name7", nullptr, &type,
                                             reinterpret_cast<LPBYTE>(&value), &size));
    EXPECT_EQ(2u, value);
    DWORD count = 0;
    ASSERT_EQ(ERROR_SUCCESS, RegQueryInfoKey(key, nullptr, nullptr, nullptr, nullptr, nullptr,
                                             nullptr, &count, nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(2000u, count);
    // Deleting a value keeps the others found by name and in their order.
    ASSERT_EQ(ERROR_SUCCESS, RegDeleteValue(key, "NAME0"));
    value = 0;
    size = sizeof value;
    ASSERT_EQ(ERROR_SUCCESS, RegQueryValueEx(key, "Name1999", nullptr, &type,
                                             reinterpret_cast<LPBYTE>(&value), &size));
    EXPECT_EQ(1u, value);
    char name[32];
    DWORD cch = sizeof name;
    ASSERT_EQ(ERROR_SUCCESS, RegEnumValue(key, 0, name, &cch, nullptr, nullptr, nullptr, nullptr));
    EXPECT_STREQ("Name1", name);
    EXPECT_EQ(ERROR_FILE_NOT_FOUND,
              RegQueryValueEx(key, "Name0", nullptr, nullptr, nullptr, nullptr));
    RegCloseKey(key);
}
