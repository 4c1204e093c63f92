// Module resource tables and their search order.
#include <ClassLib/Afx.h>

#include <gtest/gtest.h>

namespace {

const UINT IDS_SHARED = 52001;
const UINT IDS_ONLY_B = 52002;
const UINT IDS_FORMAT = 52003;
const UINT IDS_STATIC = 52004;
const UINT IDD_SHARED = 52010;

const char kDialogA[] = "dialog of A";
const char kDialogB[] = "dialog of B";

// Registered while the program starts, as a module's own source would.
AFX_MODULE_RESOURCES(ResourcesTestStatic)
{
    AfxRegisterStrings(hModule, {{IDS_STATIC, "registered at start"}});
}

// Keeps the global handles as they were.
class ResourcesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_app = AfxGetInstanceHandle();
        m_res = AfxResourceHandleOrNull();
        a = AfxRegisterModule("ResourcesTestA");
        b = AfxRegisterModule("ResourcesTestB");
        AfxRegisterStrings(a, {{IDS_SHARED, "from A"}, {IDS_FORMAT, "Copy %1 to %2 (%1, %3)"}});
        const AFX_STRING_ENTRY tableB[] = {{IDS_SHARED, "from B"}, {IDS_ONLY_B, "only B"}};
        AfxRegisterStrings(b, tableB, 2);
        AfxRegisterResource(a, RT_DIALOG, IDD_SHARED, kDialogA);
        AfxRegisterResource(b, RT_DIALOG, IDD_SHARED, kDialogB);
        AfxSetInstanceHandle(nullptr);
        AfxSetResourceHandle(nullptr);
    }
    void TearDown() override
    {
        AfxUnregisterModule(a);
        AfxUnregisterModule(b);
        AfxSetInstanceHandle(m_app);
        AfxSetResourceHandle(m_res);
    }
    // The explicitly set resource handle (AfxGetResourceHandle falls back to the app's).
    static HINSTANCE AfxResourceHandleOrNull()
    {
        HINSTANCE h = AfxGetResourceHandle();
        return h == AfxGetInstanceHandle() ? nullptr : h;
    }
    HINSTANCE a = nullptr, b = nullptr;
    HINSTANCE m_app = nullptr, m_res = nullptr;
};

TEST_F(ResourcesTest, ModulesAreNamedOnce)
{
    EXPECT_NE(a, nullptr);
    EXPECT_NE(a, b);
    EXPECT_EQ(AfxRegisterModule("ResourcesTestA"), a);
    EXPECT_EQ(AfxFindModule("ResourcesTestB"), b);
    EXPECT_STREQ(AfxGetModuleName(b), "ResourcesTestB");
    EXPECT_EQ(AfxFindModule("NoSuchModule"), nullptr);
}

TEST_F(ResourcesTest, SearchOrderIsRegistrationOrderWithoutHandles)
{
    CString s;
    EXPECT_TRUE(AfxLoadString(IDS_SHARED, s));
    EXPECT_EQ(s, "from A");
    EXPECT_EQ(AfxFindResourceHandle(IDS_SHARED, RT_STRING), a);
    EXPECT_EQ(AfxFindResourceHandle(IDS_ONLY_B, RT_STRING), b);
    EXPECT_EQ(AfxFindResource(IDD_SHARED, RT_DIALOG), kDialogA);
}

TEST_F(ResourcesTest, ApplicationModuleComesBeforeOthers)
{
    AfxSetInstanceHandle(b);
    EXPECT_EQ(AfxGetInstanceHandle(), b);
    EXPECT_EQ(AfxGetResourceHandle(), b);
    CString s;
    EXPECT_TRUE(s.LoadString(IDS_SHARED));
    EXPECT_EQ(s, "from B");
    HINSTANCE found = nullptr;
    EXPECT_EQ(AfxFindResource(IDD_SHARED, RT_DIALOG, &found), kDialogB);
    EXPECT_EQ(found, b);
}

TEST_F(ResourcesTest, ResourceHandleComesFirst)
{
    AfxSetInstanceHandle(b);
    AfxSetResourceHandle(a);
    EXPECT_EQ(AfxGetResourceHandle(), a);
    EXPECT_EQ(CString(MAKEINTRESOURCE(IDS_SHARED)), "from A");
    EXPECT_EQ(AfxFindResourceHandle(IDD_SHARED, RT_DIALOG), a);
    // What the first module lacks still comes from the others.
    EXPECT_EQ(CString(MAKEINTRESOURCE(IDS_ONLY_B)), "only B");
}

TEST_F(ResourcesTest, MissingResources)
{
    CString s("old");
    EXPECT_FALSE(AfxLoadString(52999, s));
    EXPECT_TRUE(s.IsEmpty());
    EXPECT_FALSE(s.LoadString(52999));
    EXPECT_EQ(AfxFindResourceHandle(52999, RT_DIALOG), nullptr);
    EXPECT_EQ(AfxFindResource(IDD_SHARED, RT_MENU), nullptr);
    EXPECT_EQ(AfxFindResourceIn(b, MAKEINTRESOURCE(IDS_SHARED), RT_DIALOG), nullptr);
    EXPECT_STREQ(static_cast<const char*>(AfxFindResourceIn(b, MAKEINTRESOURCE(IDS_SHARED), RT_STRING)), "from B");
}

TEST_F(ResourcesTest, NamedResourcesIgnoreCase)
{
    static const char data[] = "named";
    AfxRegisterResource(a, "PNG", "Logo", data);
    EXPECT_EQ(AfxFindResource("LOGO", "png"), data);
    EXPECT_EQ(AfxFindResourceHandle("logo", "PNG"), a);
    EXPECT_EQ(AfxFindResource("#52010", RT_DIALOG), kDialogA);
}

TEST_F(ResourcesTest, StaticRegistrationHappenedAtStart)
{
    HINSTANCE h = AfxFindModule("ResourcesTestStatic");
    ASSERT_NE(h, nullptr);
    CString s;
    EXPECT_TRUE(AfxLoadString(h, IDS_STATIC, s));
    EXPECT_EQ(s, "registered at start");
}

TEST_F(ResourcesTest, LoadStringIntoBufferKeepsWholeCharacters)
{
    AfxRegisterString(a, 52020, "ab\xD6\xD0");
    char buf[4];
    EXPECT_EQ(LoadString(a, 52020, buf, 4), 2);
    EXPECT_STREQ(buf, "ab");
    char big[16];
    EXPECT_EQ(LoadString(a, 52020, big, 16), 4);
    EXPECT_STREQ(big, "ab\xD6\xD0");
    EXPECT_EQ(LoadString(b, 52020, big, 16), 0);
    EXPECT_STREQ(big, "");
    EXPECT_EQ(AfxLoadString(52020, big, 3u), 2);
    EXPECT_STREQ(big, "ab");
}

TEST_F(ResourcesTest, FormatStringReplacesNumberedArguments)
{
    CString s;
    AfxFormatString2(s, IDS_FORMAT, "a.tlp", "b.tlp");
    EXPECT_EQ(s, "Copy a.tlp to b.tlp (a.tlp, %3)");
    AfxFormatString1(s, IDS_FORMAT, "x");
    EXPECT_EQ(s, "Copy x to %2 (x, %3)");
    AfxFormatString2(s, IDS_FORMAT, nullptr, "\xD6\xD0");
    EXPECT_EQ(s, "Copy  to \xD6\xD0 (, %3)");
    AfxFormatString1(s, 52999, "x");
    EXPECT_EQ(s, "");
    LPCTSTR three[] = {"1", "2", "3"};
    AfxFormatStrings(s, "%3%2%1%%", three, 3);
    EXPECT_EQ(s, "321%%");
}

TEST_F(ResourcesTest, ExtractSubString)
{
    CString s;
    EXPECT_TRUE(AfxExtractSubString(s, "File\nOpen\nClose", 1));
    EXPECT_EQ(s, "Open");
    EXPECT_TRUE(AfxExtractSubString(s, "File\nOpen\nClose", 2));
    EXPECT_EQ(s, "Close");
    EXPECT_FALSE(AfxExtractSubString(s, "File\nOpen\nClose", 3));
    EXPECT_EQ(s, "");
    EXPECT_TRUE(AfxExtractSubString(s, "a,,b", 1, ','));
    EXPECT_EQ(s, "");
    EXPECT_TRUE(AfxExtractSubString(s, "a,,b", 2, ','));
    EXPECT_EQ(s, "b");
    // The trail byte of 0x81 0x7C is not a separator.
    EXPECT_TRUE(AfxExtractSubString(s, "\x81\x7C|z", 0, '|'));
    EXPECT_EQ(s, "\x81\x7C");
    EXPECT_FALSE(AfxExtractSubString(s, nullptr, 0));
}

TEST_F(ResourcesTest, FormatFromStringId)
{
    AfxRegisterString(a, 52021, "%d items in %s");
    CString s;
    s.Format(52021u, 3, "plan");
    EXPECT_EQ(s, "3 items in plan");
}

}  // namespace
