// The application profile over the registry store.
#include <ClassLib/Registry/Profile.h>
#include <ClassLib/Registry/Registry.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "TempStore.h"

namespace {

const char kCompany[] = "Local AppWizard-Generated Applications";
const char kSection[] =
    "Software\\Local AppWizard-Generated Applications\\Trellan\\ReportLists\\ThePermissionList";

class ProfileTest : public TempStoreTest
{
protected:
    void SetUp() override
    {
        TempStoreTest::SetUp();
        m_profile.SetRegistryKey(kCompany);
        m_profile.SetProfileName("Trellan");
    }

    std::string Str(const CString& s) { return std::string(static_cast<LPCTSTR>(s)); }

    CProfileStore m_profile;
};

TEST_F(ProfileTest, IntegersLieUnderTheApplicationKey)
{
    ASSERT_TRUE(m_profile.WriteProfileInt("ReportLists\\ThePermissionList", "NumDef", 7));
    ASSERT_TRUE(m_profile.WriteProfileInt("ReportLists\\ThePermissionList", "DefColId 0", -1));

    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyEx(HKEY_CURRENT_USER, kSection, 0, KEY_READ, &key));
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof value;
    ASSERT_EQ(ERROR_SUCCESS, RegQueryValueEx(key, "DefColId 0", nullptr, &type,
                                             reinterpret_cast<LPBYTE>(&value), &size));
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), type);
    EXPECT_EQ(0xFFFFFFFFu, value);  // two's complement
    RegCloseKey(key);

    Reload();
    EXPECT_EQ(7u, m_profile.GetProfileInt("ReportLists\\ThePermissionList", "NumDef", 0));
    EXPECT_EQ(-1, static_cast<int>(
                      m_profile.GetProfileInt("ReportLists\\ThePermissionList", "DefColId 0", 5)));
    EXPECT_EQ(-1, static_cast<int>(m_profile.GetProfileInt("ReportLists\\Other", "NumDef", -1)));
    EXPECT_EQ(3u, m_profile.GetProfileInt("ReportLists\\ThePermissionList", "Missing", 3));
}

TEST_F(ProfileTest, StringsWithGbkBytes)
{
    const char text[] = "\xC8\xA8\xCF\xDE";  // 权限
    ASSERT_TRUE(m_profile.WriteProfileString("Texts", "ColDef_text_0", text));
    ASSERT_TRUE(m_profile.WriteProfileString("Texts", "Empty", ""));
    Reload();
    EXPECT_EQ(text, Str(m_profile.GetProfileString("Texts", "ColDef_text_0")));
    EXPECT_EQ("", Str(m_profile.GetProfileString("Texts", "Empty", "default")));
    EXPECT_EQ("default", Str(m_profile.GetProfileString("Texts", "Missing", "default")));
    EXPECT_EQ("", Str(m_profile.GetProfileString("Texts", "Missing")));
}

TEST_F(ProfileTest, TypesDoNotMix)
{
    m_profile.WriteProfileInt("Mixed", "Number", 42);
    m_profile.WriteProfileString("Mixed", "Text", "42");
    EXPECT_EQ("fallback", Str(m_profile.GetProfileString("Mixed", "Number", "fallback")));
    EXPECT_EQ(9u, m_profile.GetProfileInt("Mixed", "Text", 9));
    LPBYTE data = nullptr;
    UINT bytes = 0;
    EXPECT_FALSE(m_profile.GetProfileBinary("Mixed", "Text", &data, &bytes));
    EXPECT_EQ(nullptr, data);
    EXPECT_EQ(0u, bytes);
}

TEST_F(ProfileTest, BinaryWithNuls)
{
    BYTE blob[] = {0x00, 0x10, 0x00, 0xFF, 0x25};
    ASSERT_TRUE(m_profile.WriteProfileBinary("Blobs", "Layout", blob, sizeof blob));
    Reload();
    LPBYTE data = nullptr;
    UINT bytes = 0;
    ASSERT_TRUE(m_profile.GetProfileBinary("Blobs", "Layout", &data, &bytes));
    ASSERT_EQ(sizeof blob, bytes);
    EXPECT_EQ(0, std::memcmp(blob, data, sizeof blob));
    delete[] data;
    EXPECT_FALSE(m_profile.GetProfileBinary("Blobs", "Missing", &data, &bytes));
    EXPECT_FALSE(m_profile.WriteProfileBinary("Blobs", "Bad", nullptr, 3));
}

TEST_F(ProfileTest, NullValueDeletesTheEntry)
{
    m_profile.WriteProfileString("Section", "A", "1");
    m_profile.WriteProfileString("Section", "B", "2");
    ASSERT_TRUE(m_profile.WriteProfileString("Section", "A", nullptr));
    EXPECT_FALSE(m_profile.WriteProfileString("Section", "A", nullptr));  // already gone
    Reload();
    EXPECT_EQ("none", Str(m_profile.GetProfileString("Section", "A", "none")));
    EXPECT_EQ("2", Str(m_profile.GetProfileString("Section", "B")));
}

TEST_F(ProfileTest, NullEntryDeletesTheSection)
{
    m_profile.WriteProfileInt("ReportLists\\ThePermissionList", "NumDef", 3);
    m_profile.WriteProfileInt("ReportLists\\ThePermissionList\\Nested", "X", 1);
    m_profile.WriteProfileInt("ReportLists\\Other", "NumDef", 4);
    ASSERT_TRUE(m_profile.WriteProfileString("ReportLists\\ThePermissionList", nullptr, nullptr));
    Reload();
    EXPECT_EQ(0u, m_profile.GetProfileInt("ReportLists\\ThePermissionList", "NumDef", 0));
    EXPECT_EQ(0u, m_profile.GetProfileInt("ReportLists\\ThePermissionList\\Nested", "X", 0));
    EXPECT_EQ(4u, m_profile.GetProfileInt("ReportLists\\Other", "NumDef", 0));
    HKEY key = nullptr;
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegOpenKeyEx(HKEY_CURRENT_USER, kSection, 0, KEY_READ, &key));
    EXPECT_FALSE(m_profile.WriteProfileString("", nullptr, nullptr));
    EXPECT_EQ(4u, m_profile.GetProfileInt("ReportLists\\Other", "NumDef", 0));
}

TEST_F(ProfileTest, SectionKeysForCallers)
{
    HKEY app = m_profile.GetAppRegistryKey();
    ASSERT_NE(nullptr, app);
    RegCloseKey(app);
    HKEY section = m_profile.GetSectionKey("Recent File List");
    ASSERT_NE(nullptr, section);
    const char file[] = "/home/u/a.tlp";
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueEx(section, "File1", 0, REG_SZ,
                                           reinterpret_cast<const BYTE*>(file), sizeof file));
    RegCloseKey(section);
    EXPECT_EQ(file, Str(m_profile.GetProfileString("Recent File List", "File1")));
    EXPECT_EQ(kCompany, Str(m_profile.GetRegistryKey()));
    EXPECT_EQ("Trellan", Str(m_profile.GetProfileName()));
}

TEST_F(ProfileTest, WithoutCompanyOrApplication)
{
    CProfileStore plain;
    plain.SetProfileName("Tool");
    ASSERT_TRUE(plain.WriteProfileInt("S", "E", 5));
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS,
              RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Tool\\S", 0, KEY_READ, &key));
    RegCloseKey(key);

    CProfileStore nameless;
    EXPECT_FALSE(nameless.WriteProfileInt("S", "E", 5));
    EXPECT_FALSE(nameless.WriteProfileString("S", "E", "x"));
    EXPECT_EQ(8u, nameless.GetProfileInt("S", "E", 8));
    EXPECT_EQ("d", Str(nameless.GetProfileString("S", "E", "d")));
    EXPECT_EQ(nullptr, nameless.GetAppRegistryKey());
    EXPECT_FALSE(m_profile.WriteProfileInt(nullptr, "E", 1));
    EXPECT_EQ(2u, m_profile.GetProfileInt(nullptr, "E", 2));
}

}  // namespace
