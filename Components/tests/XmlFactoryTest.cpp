// The document factory: documents on request, failures when a test asks for them.
#include <XmlDom/XmlFactory.h>

#include <gtest/gtest.h>

TEST(XmlFactory, CreatesWorkingDocuments)
{
    std::unique_ptr<CXmlDocument> doc;
    ASSERT_EQ(XmlCreateDocument(&doc), S_OK);
    ASSERT_TRUE(doc);
    EXPECT_TRUE(doc->LoadXml("<TASKIDS><TASKID ID=\"5\" ROW=\"0\"/></TASKIDS>"));
    EXPECT_EQ(doc->documentElement().firstChild().getAttribute("ID"), CString("5"));
}

TEST(XmlFactory, InjectedFailuresForTheirCountOnly)
{
    std::unique_ptr<CXmlDocument> doc(new CXmlDocument);
    XmlTestFailDocumentCreation(2);
    EXPECT_EQ(XmlCreateDocument(&doc), REGDB_E_CLASSNOTREG);
    EXPECT_FALSE(doc);  // a failed creation leaves nothing behind
    XmlTestFailDocumentCreation(1, E_FAIL);
    EXPECT_EQ(XmlCreateDocument(&doc), E_FAIL);
    EXPECT_EQ(XmlCreateDocument(&doc), S_OK);
    EXPECT_TRUE(doc);
    XmlTestFailDocumentCreation(3);
    XmlTestFailDocumentCreation(0);
    EXPECT_EQ(XmlCreateDocument(&doc), S_OK);
    EXPECT_EQ(XmlCreateDocument(nullptr), E_FAIL);
}
