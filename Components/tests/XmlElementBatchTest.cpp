// An element's child elements a batch at a time: the same elements, names and texts as a
// walk by first child and next sibling gives, whatever stands between them.
#include <XmlDom/XmlDom.h>

#include <ClassLib/Core/Conversion.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Seen {
    std::string name;
    bool bHasText;
    std::string text;
};

std::vector<Seen> ByBatch(const CXmlNode& parent, std::vector<CXmlNode>* nodes = nullptr)
{
    std::vector<Seen> seen;
    CXmlElementBatch batch(parent);
    for (int n = batch.Next(); n > 0; n = batch.Next()) {
        EXPECT_LE(n, CXmlElementBatch::kSize);
        for (int i = 0; i < n; ++i) {
            seen.push_back({batch[i].name, batch[i].text != nullptr, batch[i].text ? batch[i].text : ""});
            if (nodes)
                nodes->push_back(batch[i].node);
        }
    }
    EXPECT_EQ(batch.Next(), 0) << "asked again after the last";
    return seen;
}

std::vector<Seen> ByWalk(const CXmlNode& parent, std::vector<CXmlNode>* nodes = nullptr)
{
    std::vector<Seen> seen;
    for (CXmlNode child = parent.firstChild(); !child.isNull(); child = child.nextSibling()) {
        const char* text = nullptr;
        if (const char* name = child.elementNameUtf8(text)) {
            EXPECT_STREQ(name, child.elementNameUtf8());
            const char* alone = child.firstChildTextUtf8();
            EXPECT_EQ(text == nullptr, alone == nullptr);
            if (text && alone) {
                EXPECT_STREQ(text, alone);
            }
            seen.push_back({name, text != nullptr, text ? text : ""});
            if (nodes)
                nodes->push_back(child);
        } else {
            EXPECT_EQ(text, std::string()) << "no text asked for a node that is not an element";
        }
    }
    return seen;
}

void ExpectSame(const std::vector<Seen>& a, const std::vector<Seen>& b)
{
    ASSERT_EQ(a.size(), b.size());
    for (size_t i = 0; i < a.size(); ++i) {
        EXPECT_EQ(a[i].name, b[i].name) << i;
        EXPECT_EQ(a[i].bHasText, b[i].bHasText) << i;
        EXPECT_EQ(a[i].text, b[i].text) << i;
    }
}

TEST(XmlElementBatch, ElementsBetweenTextCommentsAndInstructionsWithTheirTexts)
{
    CXmlDocument doc;
    ASSERT_TRUE(doc.LoadXml(CStringFromUtf8("<R>lead<A>1</A><!--c--><B/><?pi x?><C><D>2</D></C>tail"
                                            "<E><![CDATA[<x>]]></E><F><!--only--></F><G>名 &amp; 称</G><H></H></R>")));
    std::vector<CXmlNode> batchNodes, walkNodes;
    const std::vector<Seen> seen = ByBatch(doc.documentElement(), &batchNodes);
    ExpectSame(seen, ByWalk(doc.documentElement(), &walkNodes));
    EXPECT_EQ(batchNodes, walkNodes);
    ASSERT_EQ(seen.size(), 7u);
    EXPECT_EQ(seen[0].name, "A");
    EXPECT_EQ(seen[0].text, "1");
    EXPECT_EQ(seen[1].name, "B");
    EXPECT_TRUE(seen[1].bHasText); // empty: ""
    EXPECT_EQ(seen[1].text, "");
    EXPECT_EQ(seen[2].name, "C");
    EXPECT_FALSE(seen[2].bHasText); // an element first: read through the node
    EXPECT_EQ(seen[3].text, "<x>");
    EXPECT_EQ(seen[4].name, "F");
    EXPECT_FALSE(seen[4].bHasText); // a comment first
    EXPECT_EQ(seen[5].text, "名 & 称");
    EXPECT_EQ(seen[6].name, "H");
    EXPECT_EQ(seen[6].text, "");
    // The nodes are the elements themselves: asked further, they answer as the walk's do.
    EXPECT_EQ(CString(batchNodes[2].firstChild().nodeName()), CString("D"));
}

TEST(XmlElementBatch, ManyChildrenCrossTheBatchesInOrder)
{
    // Batch-sized runs and one past them, with other nodes at the batch edges.
    for (int count : {0, 1, CXmlElementBatch::kSize - 1, CXmlElementBatch::kSize, CXmlElementBatch::kSize + 1,
                      3 * CXmlElementBatch::kSize + 5}) {
        std::string xml = "<R>";
        for (int i = 0; i < count; ++i) {
            xml += "<L" + std::to_string(i) + ">" + std::to_string(i * 7) + "</L" + std::to_string(i) + ">";
            if (i % 5 == 4)
                xml += "<!--x-->between";
        }
        xml += "</R>";
        CXmlDocument doc;
        ASSERT_TRUE(doc.LoadXmlUtf8(xml));
        const std::vector<Seen> seen = ByBatch(doc.documentElement());
        ExpectSame(seen, ByWalk(doc.documentElement()));
        ASSERT_EQ((int)seen.size(), count);
        for (int i = 0; i < count; ++i) {
            EXPECT_EQ(seen[i].name, "L" + std::to_string(i));
            EXPECT_EQ(seen[i].text, std::to_string(i * 7));
        }
    }
}

TEST(XmlElementBatch, NullHandlesTextsAndLeavesHaveNoElementChildren)
{
    CXmlDocument doc;
    ASSERT_TRUE(doc.LoadXmlUtf8("<R><A>text</A><B/></R>"));
    EXPECT_TRUE(ByBatch(CXmlNode()).empty());
    const CXmlNode a = doc.documentElement().firstChild();
    EXPECT_TRUE(ByBatch(a).empty());
    EXPECT_TRUE(ByBatch(a.firstChild()).empty()); // the text "text"
    EXPECT_TRUE(ByBatch(a.nextSibling()).empty());
    // The document node: its one element.
    const std::vector<Seen> top = ByBatch(doc.documentNode());
    ASSERT_EQ(top.size(), 1u);
    EXPECT_EQ(top[0].name, "R");
    EXPECT_FALSE(top[0].bHasText);
}

} // namespace
