// Escaping of values for the writers, checked through the DOM.
#include <XmlDom/XmlDom.h>
#include <XmlDom/XmlEscape.h>

#include <ClassLib/Core/Conversion.h>

#include <gtest/gtest.h>

TEST(XmlEscape, ReplacesTheMarkupCharacters)
{
    EXPECT_STREQ("&lt;&amp;&gt;&quot;&apos;", XmlEscape(CString("<&>\"'")));
    EXPECT_STREQ("a&amp;amp;b", XmlEscape(CString("a&amp;b")));
    EXPECT_STREQ("x&#13;\ny\tz", XmlEscape(CString("x\r\ny\tz")));
    EXPECT_STREQ("", XmlEscape(CString()));
    EXPECT_STREQ("", XmlEscape((LPCTSTR) nullptr));
}

TEST(XmlEscape, RoundTripsThroughTheDom)
{
    CString value("<&>\"' a\r\nb");
    CXmlDocument doc;
    ASSERT_TRUE(doc.LoadXml("<N a=\"" + XmlEscape(value) + "\">" + XmlEscape(value) + "</N>"));
    EXPECT_EQ(value, doc.documentElement().text());
    EXPECT_STREQ("<&>\"' a\r\nb", doc.documentElement().getAttribute("a"));
}

TEST(XmlEscape, LeavesDoubleByteCharactersWhole)
{
    // 乗 is 0x81 0x5C... take characters whose trail bytes lie in the ASCII range:
    // 0x81 0x40, 0x81 0x7E, 0xFE 0x40 and 0xD6 0xD0 (中).
    CString gbk("\x81\x40<\x81\x7E&\xFE\x40'\xD6\xD0");
    EXPECT_EQ(std::string("\x81\x40&lt;\x81\x7E&amp;\xFE\x40&apos;\xD6\xD0"), XmlEscape(gbk).str());
    // A lead byte at the very end stays as it is.
    EXPECT_EQ(std::string("&lt;\xD6"), XmlEscape(CString("<\xD6")).str());
}

TEST(XmlEscape, ALeadByteDoesNotHideTheMarkupCharacterAfterIt)
{
    // A lead byte followed by a byte that cannot be a trail byte is no character: the byte
    // after it is escaped like any other, so the text stays well-formed.
    CString broken("\x81<b>\xD6&\xFE\"\x90'\xA1\r");
    EXPECT_EQ(std::string("\x81&lt;b&gt;\xD6&amp;\xFE&quot;\x90&apos;\xA1&#13;"), XmlEscape(broken).str());
    CXmlDocument doc;
    ASSERT_TRUE(doc.LoadXml("<N a=\"" + XmlEscape(broken) + "\">" + XmlEscape(broken) + "</N>"));
    EXPECT_EQ(1, doc.documentElement().attributeCount());
    EXPECT_EQ(XML_NODE_TEXT, doc.documentElement().firstChild().nodeType());
    EXPECT_TRUE(doc.documentElement().firstChild().nextSibling().isNull());
}

TEST(XmlEscape, ChineseTextRoundTripsByteForByte)
{
    CString name = CStringFromUtf8("研发&测试<阶段> \"一\" '二'");
    CXmlDocument doc;
    ASSERT_TRUE(doc.LoadXml("<NAME>" + XmlEscape(name) + "</NAME>"));
    EXPECT_EQ(name.str(), doc.documentElement().text().str());
}
