// Loading a text the caller hands over, and the leaf text a reader asks for in one call.
#include <XmlDom/XmlDom.h>

#include <ClassLib/Core/Conversion.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

TEST(XmlDomHandOver, AHandedOverTextIsReleasedAndReadAsACopyWouldBe)
{
    const CString source = CStringFromUtf8("<R a=\"1\"><N>名称 &amp; x</N><!--c--><E/></R>");
    CString handed = source;
    CXmlDocument kept;
    ASSERT_TRUE(kept.LoadXml(source));
    CXmlDocument doc;
    ASSERT_TRUE(doc.LoadXml(std::move(handed)));
    // The storage went with the load, not only the length.
    EXPECT_TRUE(handed.IsEmpty());
    EXPECT_LT(handed.str().capacity(), (size_t)source.GetLength());
    CXmlNode a = kept.documentElement(), b = doc.documentElement();
    EXPECT_EQ(a.getAttribute("a"), b.getAttribute("a"));
    EXPECT_EQ(CStringFromUtf8("名称 & x"), b.firstChild().text());
    EXPECT_EQ(a.firstChild().text(), b.firstChild().text());
    EXPECT_EQ(XML_NODE_COMMENT, b.firstChild().nextSibling().nodeType());
    EXPECT_TRUE(b.lastChild().nameIs("E"));
}

TEST(XmlDomHandOver, AHandedOverTextThatIsNoXmlIsReleasedAndRefused)
{
    CString handed = "<R><N>x</R>";
    CXmlDocument doc;
    EXPECT_FALSE(doc.LoadXml(std::move(handed)));
    EXPECT_TRUE(handed.IsEmpty());
    EXPECT_FALSE(doc.isLoaded());
    EXPECT_FALSE(doc.GetParseError().IsEmpty());
    // The same text kept by the caller fails alike, at the same place.
    CXmlDocument again;
    EXPECT_FALSE(again.LoadXml(CString("<R><N>x</R>")));
    EXPECT_EQ(doc.GetErrorOffset(), again.GetErrorOffset());
}

TEST(XmlDomHandOver, TheNestingLimitHoldsForAHandedOverText) // a temporary is handed over
{
    std::string xml;
    for (int i = 0; i < 5; ++i)
        xml += "<a>";
    for (int i = 0; i < 5; ++i)
        xml += "</a>";
    CXmlDocument doc;
    doc.setMaxDepth(4);
    EXPECT_FALSE(doc.LoadXml(CString(xml)));
    doc.setMaxDepth(5);
    EXPECT_TRUE(doc.LoadXml(CString(xml)));
}

namespace {

// Every node's kind, name and value in document order, as UTF-8.
std::string Dump(const CXmlDocument& doc)
{
    std::string out;
    std::vector<CXmlNode> todo{doc.documentNode()};
    while (!todo.empty()) {
        CXmlNode n = todo.back();
        todo.pop_back();
        out += std::to_string(n.nodeType()) + "[" + n.nameUtf8() + "=" + n.valueUtf8() + "]";
        for (CXmlNode c = n.lastChild(); !c.isNull(); c = c.previousSibling())
            todo.push_back(c);
    }
    return out;
}

} // namespace

TEST(XmlDomHandOver, AUtf8TextReadsAsItsCodePageFormWould)
{
    const std::string texts[] = {
        "<R><N>\xE5\x90\x8D\xE7\xA7\xB0 &amp; x</N><D>2026\xE5\xB9\xB4</D></R>",  // held by the code page
        "<R><N>\xE0\xB8\x81 \xF0\x9F\x98\x80</N></R>",  // a Thai letter and an emoji: '?' each
        "<R><N>\xE2\x82\xAC</N></R>",                      // the euro sign, one byte in the code page
        "<R><N>a\xFF" "b\xE5\x90</N></R>",                 // malformed bytes
        "<R><\xE0\xB8\x81/></R>",                           // a name the code page cannot hold
        "<R><N>x</R>",                                       // no XML at all
    };
    for (const std::string& text : texts) {
        CXmlDocument expected;
        const BOOL loaded = expected.LoadXml(CStringFromUtf8(text));
        // Handed over in a buffer of its own size, and in one much larger (as cut from a reply).
        for (size_t room : {text.size(), text.size() * 20}) {
            CXmlDocument doc;
            std::string handed;
            handed.reserve(room);
            handed = text;
            EXPECT_EQ(loaded, doc.LoadXmlUtf8AsCp936(std::move(handed))) << text;
            EXPECT_TRUE(handed.empty());
            EXPECT_EQ(Dump(expected), Dump(doc)) << text;
            EXPECT_EQ(expected.GetParseError(), doc.GetParseError()) << text;
            EXPECT_EQ(expected.GetErrorOffset(), doc.GetErrorOffset()) << text;
        }
    }
}

TEST(XmlDomLeaf, FirstChildTextIsTheFirstChildsCharacterDataOrNone)
{
    CXmlDocument doc;
    ASSERT_TRUE(doc.LoadXml(CStringFromUtf8("<R><T>年 1</T><C><![CDATA[<c>]]>x</C><E><e>in</e>t</E>"
                                            "<M><!--m-->t</M><P><?p d?>t</P><Z/><S>  </S><A>a<b/></A></R>")));
    CXmlNode r = doc.documentElement();
    EXPECT_STREQ("\xE5\xB9\xB4 1", r.childElement("T").firstChildTextUtf8());
    EXPECT_STREQ("<c>", r.childElement("C").firstChildTextUtf8());
    // An element, a comment or a processing instruction first: no text in one call.
    EXPECT_EQ(nullptr, r.childElement("E").firstChildTextUtf8());
    EXPECT_EQ(nullptr, r.childElement("M").firstChildTextUtf8());
    EXPECT_EQ(nullptr, r.childElement("P").firstChildTextUtf8());
    // No child at all (whitespace-only text is no node).
    EXPECT_STREQ("", r.childElement("Z").firstChildTextUtf8());
    EXPECT_STREQ("", r.childElement("S").firstChildTextUtf8());
    EXPECT_STREQ("a", r.childElement("A").firstChildTextUtf8());
    // A text node has no child; nor has a null handle.
    EXPECT_STREQ("", r.childElement("T").firstChild().firstChildTextUtf8());
    EXPECT_STREQ("", r.childElement("C").firstChild().firstChildTextUtf8());
    EXPECT_STREQ("", CXmlNode().firstChildTextUtf8());
    // The same as asking for the first child and its value.
    for (CXmlNode n = r.firstChild(); !n.isNull(); n = n.nextSibling()) {
        const char* text = n.firstChildTextUtf8();
        CXmlNode child = n.firstChild();
        if (child.isNull())
            EXPECT_STREQ("", text) << n.nodeName();
        else if (child.isText())
            EXPECT_EQ(text, child.valueUtf8()) << n.nodeName();
        else
            EXPECT_EQ(nullptr, text) << n.nodeName();
    }
}

TEST(XmlDomLeaf, FirstChildTextOfTheDocumentNode)
{
    CXmlDocument doc;
    ASSERT_TRUE(doc.LoadXml("<!--c--><R>t</R>"));
    EXPECT_EQ(nullptr, doc.documentNode().firstChildTextUtf8());
    ASSERT_TRUE(doc.LoadXml("<R>t</R>"));
    EXPECT_EQ(nullptr, doc.documentNode().firstChildTextUtf8());
}

TEST(XmlDomLeaf, ElementNameIsTheNameOfElementsOnly)
{
    CXmlDocument doc;
    ASSERT_TRUE(doc.LoadXml(CStringFromUtf8("<?p d?><R>t<名/><!--c--><![CDATA[x]]><?q e?></R>")));
    CXmlNode r = doc.documentElement();
    EXPECT_STREQ("R", r.elementNameUtf8());
    CXmlNode text = r.firstChild();
    EXPECT_EQ(nullptr, text.elementNameUtf8());
    CXmlNode element = text.nextSibling();
    EXPECT_STREQ("\xE5\x90\x8D", element.elementNameUtf8());
    EXPECT_EQ(nullptr, element.nextSibling().elementNameUtf8());                // comment
    EXPECT_EQ(nullptr, element.nextSibling().nextSibling().elementNameUtf8());  // CDATA
    // A processing instruction has a name (its target), but is no element.
    CXmlNode pi = r.lastChild();
    EXPECT_STREQ("q", pi.nameUtf8());
    EXPECT_EQ(nullptr, pi.elementNameUtf8());
    EXPECT_EQ(nullptr, doc.documentNode().firstChild().elementNameUtf8());
    EXPECT_EQ(nullptr, doc.documentNode().elementNameUtf8());
    EXPECT_EQ(nullptr, CXmlNode().elementNameUtf8());
    // The same answer as asking isElement() and nameUtf8().
    for (CXmlNode n = r.firstChild(); !n.isNull(); n = n.nextSibling()) {
        if (n.isElement())
            EXPECT_EQ(n.nameUtf8(), n.elementNameUtf8());
        else
            EXPECT_EQ(nullptr, n.elementNameUtf8());
    }
}
