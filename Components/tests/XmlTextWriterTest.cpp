// The shared XML text writer against XML 1.0's character classes, read back by a strict
// (validating the characters, normalising attribute values) parser.
#include <ClassLib/Core/XmlTextWriter.h>

#include <expat.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using xmlchars::XmlEscapes;

// What a strict reader makes of <d a="attribute">text</d>; false when it is not well-formed.
struct StrictRead {
    std::string attribute;
    std::string text;
};

bool ReadStrictly(const std::string& xml, StrictRead& read)
{
    XML_Parser parser = XML_ParserCreate("UTF-8");
    XML_SetUserData(parser, &read);
    XML_SetStartElementHandler(parser, [](void* data, const XML_Char*, const XML_Char** attributes) {
        if (attributes[0])
            static_cast<StrictRead*>(data)->attribute = attributes[1];
    });
    XML_SetCharacterDataHandler(parser, [](void* data, const XML_Char* s, int len) {
        static_cast<StrictRead*>(data)->text.append(s, static_cast<size_t>(len));
    });
    const bool ok = XML_Parse(parser, xml.data(), static_cast<int>(xml.size()), 1) == XML_STATUS_OK;
    XML_ParserFree(parser);
    return ok;
}

std::string Utf8(unsigned long c)
{
    std::string s;
    if (c < 0x80) {
        s += static_cast<char>(c);
    } else if (c < 0x800) {
        s += static_cast<char>(0xC0 | (c >> 6));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        s += static_cast<char>(0xE0 | (c >> 12));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        s += static_cast<char>(0xF0 | (c >> 18));
        s += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    }
    return s;
}

// Every class XML can carry, at its edges, with the markup characters among them.
const unsigned long kXmlChars[] = {0x9,  0xA,  0xD,   0x20,   0x22,   0x26,   0x27,    0x3C,    0x3E,    0x5D,
                                   0x7E, 0x7F, 0x80,  0x85,   0xA0,   0x7FF,  0x800,   0x4E2D,  0xD7FF,  0xE000,
                                   0xFDD0, 0xFFFD, 0x10000, 0x1F600, 0x10FFFF};

std::string AllXmlChars()
{
    // "]]>" too: the one sequence element text may not hold literally.
    std::string s = "]]>";
    for (unsigned long c : kXmlChars)
        s += Utf8(c);
    s += "\r\n";
    return s;
}

std::string Document(const std::string& value, const XmlEscapes& attribute, const XmlEscapes& text)
{
    return "<d a=\"" + xmlchars::XmlEscaped(value, attribute) + "\">" + xmlchars::XmlEscaped(value, text) + "</d>";
}

TEST(XmlTextWriter, EveryXmlCharacterComesBackThroughAStrictReader)
{
    const std::string value = AllXmlChars();
    // Replies and stored project texts alike: attribute values with their line characters.
    const std::pair<XmlEscapes, XmlEscapes> kinds[] = {{xmlchars::kReplyAttribute, xmlchars::kReplyText},
                                                       {xmlchars::kDocumentAttribute, xmlchars::kDocumentText}};
    for (const auto& kind : kinds) {
        StrictRead read;
        ASSERT_TRUE(ReadStrictly(Document(value, kind.first, kind.second), read));
        EXPECT_EQ(value, read.attribute);
        EXPECT_EQ(value, read.text);
    }
}

TEST(XmlTextWriter, LiteralLineCharactersInAnAttributeWouldBecomeSpaces)
{
    // Why attribute values take &#9; and &#10;: written as they are, a reader normalises them.
    StrictRead read;
    ASSERT_TRUE(ReadStrictly(Document("a\tb\nc", xmlchars::kReplyText, xmlchars::kReplyText), read));
    EXPECT_EQ("a b c", read.attribute);
    EXPECT_EQ("a\tb\nc", read.text);
    EXPECT_EQ("a&#9;b&#10;c", xmlchars::XmlEscaped("a\tb\nc", xmlchars::kReplyAttribute));
    EXPECT_EQ("a&#9;b&#10;c", xmlchars::XmlEscaped("a\tb\nc", xmlchars::kDocumentAttribute));
}

TEST(XmlTextWriter, WhatXmlCannotCarryBecomesOneReplacementEach)
{
    const std::string fffd = "\xEF\xBF\xBD";
    const std::vector<std::pair<std::string, std::string>> cases = {
        {std::string(1, '\0'), fffd},          // NUL
        {"\x01", fffd},                        // C0 controls outside tab, line feed, CR
        {"\x08\x0B\x0C\x1F", fffd + fffd + fffd + fffd},
        {"\xEF\xBF\xBE", fffd},                // U+FFFE
        {"\xEF\xBF\xBF", fffd},                // U+FFFF
        {"\xED\xA0\x80", fffd + fffd + fffd},  // an encoded surrogate: not UTF-8
        {"\xC0\x80", fffd + fffd},             // overlong
        {"\xF4\x90\x80\x80", fffd + fffd + fffd + fffd},  // above U+10FFFF
        {"\x80", fffd},                        // a lone continuation byte
        {"a\xE4\xB8", "a" + fffd + fffd},      // cut short at the end
        {"\xE4\xB8<", fffd + fffd + "&lt;"},   // cut short before markup, which stays markup
    };
    for (const auto& c : cases) {
        for (const XmlEscapes& rules : {xmlchars::kReplyText, xmlchars::kReplyAttribute}) {
            EXPECT_EQ(c.second, xmlchars::XmlEscaped(c.first, rules));
            StrictRead read;
            EXPECT_TRUE(ReadStrictly(Document(c.first, rules, rules), read));
        }
    }
}

TEST(XmlTextWriter, EachWriterKeepsItsBytes)
{
    const std::string value = "<a & \"b\" 'c'>\r\n\t";
    // Project texts (client files, stored texts): quotes and apostrophes as references.
    EXPECT_EQ("&lt;a &amp; &quot;b&quot; &apos;c&apos;&gt;&#13;\n\t", xmlchars::XmlEscaped(value, xmlchars::kDocumentText));
    EXPECT_EQ("&lt;a &amp; &quot;b&quot; &apos;c&apos;&gt;&#13;&#10;&#9;",
              xmlchars::XmlEscaped(value, xmlchars::kDocumentAttribute));
    // SOAP reply texts: only what element text needs.
    EXPECT_EQ("&lt;a &amp; \"b\" 'c'&gt;&#13;\n\t", xmlchars::XmlEscaped(value, xmlchars::kReplyText));
    EXPECT_EQ("&lt;a &amp; &quot;b&quot; 'c'&gt;&#13;&#10;&#9;", xmlchars::XmlEscaped(value, xmlchars::kReplyAttribute));
    // Code page 936 and already checked texts pass byte for byte, control characters too.
    EXPECT_EQ("\xD6\xD0\x81&lt;\x01", xmlchars::XmlEscaped("\xD6\xD0\x81<\x01", xmlchars::kDocumentText));
}

} // namespace
