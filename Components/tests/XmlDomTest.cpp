// The DOM the readers walk: tree shape, node kinds, texts, failures.
#include <XmlDom/XmlDom.h>

#include <ClassLib/Core/Conversion.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

CString Gbk(const char* utf8) { return CStringFromUtf8(utf8); }

std::vector<std::string> ChildNames(const CXmlNode& parent)
{
    std::vector<std::string> names;
    for (CXmlNode n = parent.firstChild(); !n.isNull(); n = n.nextSibling())
        names.push_back((LPCTSTR)n.nodeName());
    return names;
}

} // namespace

TEST(XmlDom, WalksElementsByFirstChildAndNextSibling)
{
    CXmlDocument doc;
    ASSERT_TRUE(doc.LoadXml("<PROJECT><ID>7</ID><NAME>a</NAME><TASKS><TASK/></TASKS></PROJECT>"));
    CXmlNode root = doc.documentElement();
    EXPECT_EQ(XML_NODE_ELEMENT, root.nodeType());
    EXPECT_STREQ("PROJECT", root.nodeName());
    EXPECT_EQ((std::vector<std::string>{"ID", "NAME", "TASKS"}), ChildNames(root));
    CXmlNode id = root.firstChild();
    EXPECT_EQ(XML_NODE_TEXT, id.firstChild().nodeType());
    EXPECT_STREQ("#text", id.firstChild().nodeName());
    EXPECT_STREQ("7", id.firstChild().text());
    EXPECT_STREQ("7", id.text());
    EXPECT_TRUE(root.lastChild().firstChild().nameIs("TASK"));
    EXPECT_FALSE(root.lastChild().firstChild().hasChildNodes());
    EXPECT_EQ(root, id.parentNode());
    EXPECT_EQ(id, id.nextSibling().previousSibling());
}

TEST(XmlDom, DropsWhitespaceOnlyTextAndKeepsComments)
{
    CXmlDocument doc;
    ASSERT_TRUE(doc.LoadXml("<RESOURCES>\r\n  <RESOURCE>\n\t<RESCODE> x </RESCODE>\n  </RESOURCE>\n"
                            "  <!-- between -->\n  <RESOURCE/>\n</RESOURCES>"));
    CXmlNode root = doc.documentElement();
    EXPECT_EQ((std::vector<std::string>{"RESOURCE", "#comment", "RESOURCE"}), ChildNames(root));
    CXmlNode comment = root.firstChild().nextSibling();
    EXPECT_EQ(XML_NODE_COMMENT, comment.nodeType());
    EXPECT_FALSE(comment.isElement());
    EXPECT_FALSE(comment.isText());
    EXPECT_STREQ(" between ", comment.nodeValue());
    // Text that is not whitespace only keeps its blanks.
    EXPECT_STREQ(" x ", root.firstChild().firstChild().text());
    // The comment's text is not part of the element's text.
    EXPECT_STREQ(" x ", root.text());
}

TEST(XmlDom, PreserveWhiteSpaceKeepsTheTextNodes)
{
    CXmlDocument doc;
    doc.setPreserveWhiteSpace(TRUE);
    ASSERT_TRUE(doc.LoadXml("<R>\n<A/>\n</R>"));
    EXPECT_EQ((std::vector<std::string>{"#text", "A", "#text"}), ChildNames(doc.documentElement()));
    EXPECT_STREQ("\n", doc.documentElement().firstChild().nodeValue());
}

TEST(XmlDom, TextConcatenatesAllDescendantCharacterData)
{
    CXmlDocument doc;
    ASSERT_TRUE(doc.LoadXml("<a>one<b>two<c>three</c></b><![CDATA[<four>]]><!--no-->five</a>"));
    EXPECT_STREQ("onetwothree<four>five", doc.documentElement().text());
    CXmlNode cdata = doc.documentElement().firstChild().nextSibling().nextSibling();
    EXPECT_EQ(XML_NODE_CDATA, cdata.nodeType());
    EXPECT_STREQ("#cdata-section", cdata.nodeName());
    EXPECT_TRUE(cdata.isText());
    EXPECT_STREQ("<four>", cdata.text());
}

TEST(XmlDom, ReadsAndReturnsCodePage936Bytes)
{
    CString xml = Gbk("<PROJECT><NAME>项目计划</NAME><任务>开发</任务></PROJECT>");
    CXmlDocument doc;
    ASSERT_TRUE(doc.LoadXml(xml));
    CXmlNode name = doc.documentElement().firstChild();
    // 项 is 0xCF 0xEE in code page 936.
    EXPECT_EQ(std::string("\xCF\xEE\xC4\xBF\xBC\xC6\xBB\xAE"), std::string((LPCTSTR)name.text()));
    CXmlNode task = name.nextSibling();
    EXPECT_EQ(Gbk("任务"), task.nodeName());
    EXPECT_TRUE(task.nameIs(Gbk("任务")));
    EXPECT_FALSE(task.nameIs(Gbk("任")));
    EXPECT_EQ(Gbk("开发"), task.text());
}

TEST(XmlDom, IgnoresTheEncodingOfTheDeclaration)
{
    CXmlDocument doc;
    ASSERT_TRUE(doc.LoadXml(Gbk("<?xml version=\"1.0\" encoding=\"UTF-16\"?><A>中文</A>")));
    EXPECT_EQ(Gbk("中文"), doc.documentElement().text());
    EXPECT_EQ(std::string("\xD6\xD0\xCE\xC4"), std::string((LPCTSTR)doc.documentElement().text()));
}

TEST(XmlDom, KeepsCarriageReturnsOfValues)
{
    CXmlDocument doc;
    ASSERT_TRUE(doc.LoadXml("<DESC>line1\r\nline2&#13;\nend</DESC>"));
    EXPECT_STREQ("line1\r\nline2\r\nend", doc.documentElement().text());
}

TEST(XmlDom, MatchesNamesExactly)
{
    CXmlDocument doc;
    ASSERT_TRUE(doc.LoadXml("<Calendar><CALID>1</CALID></Calendar>"));
    EXPECT_FALSE(doc.documentElement().nameIs("CALENDAR"));
    EXPECT_TRUE(doc.documentElement().nameIs("Calendar"));
    EXPECT_TRUE(doc.documentElement().childElement("CALID").nameIs("CALID"));
    EXPECT_TRUE(doc.documentElement().childElement("calid").isNull());
}

TEST(XmlDom, Attributes)
{
    CXmlDocument doc;
    ASSERT_TRUE(doc.LoadXml(Gbk("<A x=\"1\" 名=\"&lt;值&amp;&quot;\"/>")));
    CXmlNode a = doc.documentElement();
    ASSERT_EQ(2, a.attributeCount());
    EXPECT_STREQ("x", a.attributeName(0));
    EXPECT_STREQ("1", a.attributeValue(0));
    EXPECT_EQ(Gbk("名"), a.attributeName(1));
    EXPECT_EQ(Gbk("<值&\""), a.getAttribute(Gbk("名")));
    EXPECT_TRUE(a.hasAttribute("x"));
    EXPECT_FALSE(a.hasAttribute("y"));
    EXPECT_STREQ("", a.getAttribute("y"));
    EXPECT_STREQ("", a.attributeName(2));
    EXPECT_STREQ("", a.attributeValue(-1));
}

TEST(XmlDom, NullHandlesAnswerEmpty)
{
    CXmlNode none;
    EXPECT_TRUE(none.isNull());
    EXPECT_EQ(XML_NODE_NULL, none.nodeType());
    EXPECT_STREQ("", none.nodeName());
    EXPECT_STREQ("", none.text());
    EXPECT_TRUE(none.firstChild().nextSibling().parentNode().isNull());
    EXPECT_EQ(0, none.attributeCount());
    EXPECT_FALSE(none.nameIs("A"));
    CXmlDocument doc;
    EXPECT_TRUE(doc.documentElement().isNull());
    EXPECT_FALSE(doc.isLoaded());
}

TEST(XmlDom, RefusesTextsThatAreNotOneWellFormedDocument)
{
    const char* bad[] = {"", "   ", "plain text", "<A><B></A>", "<A>", "<A/><B/>", "<A/>trailing",
                         "<A x=1/>", "<A>&#xFFFFFFFF;</A><", "<?xml version=\"1.0\"?>"};
    for (const char* text : bad) {
        CXmlDocument doc;
        EXPECT_FALSE(doc.LoadXml(text)) << text;
        EXPECT_FALSE(doc.isLoaded()) << text;
        EXPECT_TRUE(doc.documentElement().isNull()) << text;
        EXPECT_FALSE(doc.GetParseError().IsEmpty()) << text;
    }
}

TEST(XmlDom, AFailedLoadEmptiesAnEarlierDocument)
{
    CXmlDocument doc;
    ASSERT_TRUE(doc.LoadXml("<A>1</A>"));
    EXPECT_FALSE(doc.LoadXml("<B>"));
    EXPECT_TRUE(doc.documentElement().isNull());
    EXPECT_STREQ("XML error: Start-end tags mismatch", doc.GetParseError());
    ASSERT_TRUE(doc.LoadXml("<C/>"));
    EXPECT_STREQ("", doc.GetParseError());
    EXPECT_STREQ("C", doc.documentElement().nodeName());
}

TEST(XmlDom, RefusesNestingDeeperThanTheLimit)
{
    std::string deep;
    for (int i = 0; i < 40; ++i)
        deep += "<T>";
    for (int i = 0; i < 40; ++i)
        deep += "</T>";
    CXmlDocument doc;
    doc.setMaxDepth(40);
    EXPECT_TRUE(doc.LoadXml(CString(deep)));
    doc.setMaxDepth(39);
    EXPECT_FALSE(doc.LoadXml(CString(deep)));
    EXPECT_STREQ("XML error: elements nested too deeply", doc.GetParseError());
}

TEST(XmlDom, DeeplyNestedTextIsRefusedByDefaultWithoutCrashing)
{
    std::string deep;
    for (int i = 0; i < 100000; ++i)
        deep += "<T>";
    for (int i = 0; i < 100000; ++i)
        deep += "</T>";
    CXmlDocument doc;
    EXPECT_FALSE(doc.LoadXml(CString(deep)));
}

TEST(XmlDom, DocumentNodeListsCommentsBeforeTheRoot)
{
    CXmlDocument doc;
    ASSERT_TRUE(doc.LoadXml("<?xml version=\"1.0\"?>\n<!--c-->\n<?pi data?>\n<R/>\n"));
    EXPECT_EQ((std::vector<std::string>{"#comment", "pi", "R"}), ChildNames(doc.documentNode()));
    EXPECT_EQ(XML_NODE_DOCUMENT, doc.documentNode().nodeType());
    EXPECT_EQ(XML_NODE_PI, doc.documentNode().firstChild().nextSibling().nodeType());
}

TEST(XmlDomShape, TextAnElementStartsWithIsItsFirstChildLikeAnyOther)
{
    CXmlDocument doc;
    ASSERT_TRUE(doc.LoadXml("<a>t1<b>x</b>t2<![CDATA[c]]><e/></a>"));
    CXmlNode a = doc.documentElement();
    CXmlNode t1 = a.firstChild();
    ASSERT_EQ(XML_NODE_TEXT, t1.nodeType());
    EXPECT_EQ(CString("#text"), t1.nodeName());
    EXPECT_EQ(CString("t1"), t1.nodeValue());
    EXPECT_STREQ("t1", t1.valueUtf8());
    EXPECT_EQ(CString("t1"), t1.text());
    EXPECT_TRUE(t1.firstChild().isNull());
    EXPECT_TRUE(t1.previousSibling().isNull());
    EXPECT_TRUE(t1.parentNode() == a);
    CXmlNode b = t1.nextSibling();
    ASSERT_TRUE(b.nameIs("b"));
    EXPECT_TRUE(b.previousSibling() == t1);
    EXPECT_TRUE(b.firstChild() == b.lastChild());
    EXPECT_EQ(CString("x"), b.firstChild().nodeValue());
    EXPECT_TRUE(b.firstChild().parentNode() == b);
    EXPECT_TRUE(b.firstChild().nextSibling().isNull());
    CXmlNode t2 = b.nextSibling();
    EXPECT_EQ(CString("t2"), t2.nodeValue());
    EXPECT_EQ(XML_NODE_CDATA, t2.nextSibling().nodeType());
    EXPECT_TRUE(a.lastChild().nameIs("e"));
    EXPECT_TRUE(a.lastChild().firstChild().isNull());
    EXPECT_EQ(CString(""), a.lastChild().text());
    EXPECT_EQ(CString("t1xt2c"), a.text());
    EXPECT_EQ(CString("x"), b.text());
    EXPECT_EQ(0, t1.attributeCount());
    EXPECT_TRUE(a.childElement("e").nameIs("e"));
}
