// The nesting limit of the DOM: the quick look at the text and the tree walk behind it
// must together accept a text exactly up to the limit and refuse it one level deeper,
// whatever the text holds.
#include <XmlDom/XmlDom.h>

#include "XmlDepth.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

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

TEST(XmlDomDepth, CountingPieceByPieceGivesTheWholeTextsAnswer)
{
    std::mt19937 rng(64);
    for (int round = 0; round < 200; ++round) {
        std::string xml = round % 3 == 0 ? "<?xml version=\"1.0\"?>" : "";
        const int depth = WriteElement(rng, 1, 2 + static_cast<int>(rng() % 12), round % 2 == 1, xml);
        for (int limit = depth - 1; limit <= depth; ++limit) {
            xmldom::CNestingCount count(limit);
            size_t given = 0;
            while (given < xml.size()) {
                given = std::min(xml.size(), given + 1 + rng() % 100);
                count.Feed(xml.data(), given);
            }
            EXPECT_EQ(xmldom::NestingWithin(xml.data(), xml.size(), limit), count.Finish(xml.data(), xml.size()))
                << limit << ": " << xml;
        }
    }
}

TEST(XmlDomDepth, LargeTextsLoadExactlyUpToTheirDepthAndKeepTheirCharacters)
{
    // Several hundred kilobytes, converted and counted in pieces: double-byte characters
    // right up to the cuts, the deepest element far into the text. The pad shifts every
    // byte by one, so that fixed cuts would split a character in one of the two rounds.
    const std::string name = "\xD6\xD0\xCE\xC4";  // two characters in code page 936
    std::string run;
    for (int i = 0; i < 40000; ++i)
        run += name;  // 160,000 bytes without an ASCII byte
    for (int pad = 0; pad < 2; ++pad) {
        std::string xml = "<R>" + std::string(pad, ' ');
        for (int i = 0; i < 20000; ++i)
            xml += "<T><N>" + name + std::to_string(i) + name + "</N></T>";
        xml += "<A><B><C><D>" + name + "</D></C></B></A>";
        xml += "<L>" + run + "</L><L>" + run + "</L></R>";
        ExpectLimitIsExact(xml, 5);

        CXmlDocument doc;
        ASSERT_TRUE(doc.LoadXml(CString(xml)));
        CXmlNode last = doc.documentElement().lastChild();
        EXPECT_STREQ("L", last.nodeName());
        EXPECT_TRUE(last.text() == CString(run));
        EXPECT_TRUE(last.previousSibling().text() == CString(run));
        int count = 0;
        for (CXmlNode n = doc.documentElement().firstChild(); !n.isNull() && n.nameIs("T"); n = n.nextSibling()) {
            if (!(n.firstChild().text() == CString(name + std::to_string(count) + name))) {
                ADD_FAILURE() << "record " << count;
                break;
            }
            ++count;
        }
        EXPECT_EQ(20000, count);
    }
}

namespace {

// Every markup byte and a few others, at random, and each markup byte alone at every
// position: both block forms give the same masks, and the right ones.
TEST(XmlDomDepth, BothBlockFormsFindTheSameMarkupBytes)
{
    const unsigned char pool[] = {'<', '>', '/', '!', '?', '"', '\'', 'a', ' ', 0x80, 0xBC, 0xFF, 0x00, 0x3D};
    std::mt19937 rng(64);
    std::vector<unsigned char> block(64);
    auto expectRight = [&](const xmldom::CBlockMasks& m) {
        for (int k = 0; k < 64; ++k) {
            const unsigned char c = block[k];
            const uint64_t bit = 1ull << k;
            EXPECT_EQ((m.lt & bit) != 0, c == '<') << k;
            EXPECT_EQ((m.gt & bit) != 0, c == '>') << k;
            EXPECT_EQ((m.slash & bit) != 0, c == '/') << k;
            EXPECT_EQ((m.mark & bit) != 0, c == '!' || c == '?') << k;
            EXPECT_EQ((m.quote & bit) != 0, c == '"' || c == '\'') << k;
        }
    };
    auto check = [&]() {
        xmldom::CBlockMasks narrow{}, wide{};
        xmldom::BlockMasks16(block.data(), narrow);
        expectRight(narrow);
        if (xmldom::BlockMasks32(block.data(), wide)) {
            EXPECT_EQ(wide.lt, narrow.lt);
            EXPECT_EQ(wide.gt, narrow.gt);
            EXPECT_EQ(wide.slash, narrow.slash);
            EXPECT_EQ(wide.mark, narrow.mark);
            EXPECT_EQ(wide.quote, narrow.quote);
        }
    };
    for (int round = 0; round < 500 && !HasFailure(); ++round) {
        for (unsigned char& c : block)
            c = pool[rng() % sizeof pool];
        check();
    }
    for (unsigned char markup : {'<', '>', '/', '!', '?', '"', '\''}) {
        for (int k = 0; k < 64 && !HasFailure(); ++k) {
            std::fill(block.begin(), block.end(), 'x');
            block[k] = markup;
            check();
        }
    }
}

} // namespace
