// The nesting limit of the DOM: the quick look at the text and the tree walk behind it
// must together accept a text exactly up to the limit and refuse it one level deeper,
// whatever the text holds.
#include <XmlDom/XmlDom.h>

#include "XmlDepth.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

// Loads the text with the limit at its depth (must load) and one below (must not).
void ExpectLimitIsExact(const std::string& xml, int depth)
{
    CXmlDocument doc;
    doc.setMaxDepth(depth);
    EXPECT_TRUE(doc.LoadXml(CString(xml))) << doc.GetParseError() << " depth " << depth << ": " << xml;
    if (depth > 1) {
        doc.setMaxDepth(depth - 1);
        EXPECT_FALSE(doc.LoadXml(CString(xml))) << "depth " << depth << ": " << xml;
        EXPECT_STREQ("XML error: elements nested too deeply", doc.GetParseError());
    }
}

// A random element tree written as text; returns the depth of its deepest element.
int WriteElement(std::mt19937& rng, int level, int maxLevel, bool tricky, std::string& out)
{
    const bool empty = level >= maxLevel || rng() % 4 == 0;
    out += "<e";
    if (tricky && rng() % 5 == 0)
        out += rng() % 2 ? " v=\"</e></e>/>\"" : " w='<e><e>' x=\"&gt;\"";
    if (empty) {
        out += rng() % 3 == 0 ? "\n/>" : "/>";
        return level;
    }
    out += ">";
    int deepest = level;
    const int children = static_cast<int>(rng() % 4);
    for (int i = 0; i < children; ++i) {
        switch (rng() % (tricky ? 9 : 3)) {
        case 0: out += "text 123"; break;
        case 1: out += std::string(rng() % 70, ' '); break;
        case 3: out += "a/>b>c"; break;                       // '>' and "/>" in text
        case 4: out += "<!-- </e></e> <e> -->"; break;
        case 5: out += "<![CDATA[</e></e>/>]]>"; break;
        case 6: out += "<?pi </e> ?>"; break;
        case 7: out += "'\""; break;                          // quotes in text
        default: break;
        }
        deepest = std::max(deepest, WriteElement(rng, level + 1, maxLevel, tricky, out));
    }
    out += "</e>";
    return deepest;
}

} // namespace

TEST(XmlDomDepth, PlainTextsAreJudgedWithoutTheTree)
{
    // The system's own texts: elements and text only, optionally after a declaration.
    std::string body;
    for (int i = 0; i < 200; ++i)
        body += "<TASK><ID>" + std::to_string(i) + "</ID><NAME/><DESC>a &amp; b</DESC></TASK>";
    const std::string xml = "<R>" + body + "</R>";
    EXPECT_TRUE(xmldom::NestingWithin(xml.data(), xml.size(), 3));
    EXPECT_FALSE(xmldom::NestingWithin(xml.data(), xml.size(), 2));
    const std::string declared = "<?xml version=\"1.0\" encoding=\"GB2312\"?>\r\n" + xml;
    EXPECT_TRUE(xmldom::NestingWithin(declared.data(), declared.size(), 3));
    const std::string bom = "\xEF\xBB\xBF" + declared;
    EXPECT_TRUE(xmldom::NestingWithin(bom.data(), bom.size(), 3));
}

TEST(XmlDomDepth, AnythingTheLookCannotFollowIsLeftToTheTree)
{
    const char* const texts[] = {
        "<a b=\"x\"/>", "<a><!-- c --></a>", "<a><![CDATA[x]]></a>", "<a><?p x?></a>",
        "<!DOCTYPE a><a/>", "<a>x > y</a>", "<a>'</a>",
    };
    for (const char* t : texts)
        EXPECT_FALSE(xmldom::NestingWithin(t, std::char_traits<char>::length(t), 100)) << t;
    // Cut short by the end.
    EXPECT_FALSE(xmldom::NestingWithin("<?xml version", 13, 100));
}

TEST(XmlDomDepth, SelfClosingAndEndTagsAtEveryBlockOffset)
{
    // Pads move the markup across every position of the 64-byte blocks.
    for (int pad = 0; pad < 140; ++pad) {
        std::string xml = "<r>" + std::string(pad, 'x');
        for (int i = 0; i < 3; ++i)
            xml += "<a><b/></a>";
        xml += "<a><b><c/></b></a></r>";
        ExpectLimitIsExact(xml, 4);
    }
}

TEST(XmlDomDepth, RandomPlainTreesLoadExactlyUpToTheirDepth)
{
    std::mt19937 rng(1024);
    for (int round = 0; round < 300; ++round) {
        std::string xml;
        const int depth = WriteElement(rng, 1, 2 + static_cast<int>(rng() % 12), false, xml);
        ExpectLimitIsExact(xml, depth);
    }
}

TEST(XmlDomDepth, RandomTreesWithMarkupInValuesLoadExactlyUpToTheirDepth)
{
    // Attribute values, comments, CDATA sections, processing instructions and text that
    // hold tags, end tags and "/>" must not be counted as nesting.
    std::mt19937 rng(39);
    for (int round = 0; round < 300; ++round) {
        std::string xml;
        const int depth = WriteElement(rng, 1, 2 + static_cast<int>(rng() % 12), true, xml);
        ExpectLimitIsExact(xml, depth);
    }
}

TEST(XmlDomDepth, MarkupInValuesDoesNotHideDeepNesting)
{
    std::string xml;
    for (int i = 0; i < 30; ++i)
        xml += "<e v=\"</e></e></e>\"><!-- </e> --><![CDATA[</e>]]>x/>";
    for (int i = 0; i < 30; ++i)
        xml += "</e>";
    ExpectLimitIsExact(xml, 30);
}
