// The exact bytes the server writes: a SOAP reply, a fault, a stored project text. Peers and
// stored databases rely on them; the escaping is shared with the client's writers.
#include "ServerSoap.h"
#include "ServerXml.h"

#include <ProjectService/ServiceDescription.h>
#include <ProjectService/SoapProtocol.h>

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <string>
#include <vector>

namespace {

using namespace projectserver;

TEST(ServerWireBytes, AReplyEscapesOnlyWhatElementTextNeeds)
{
    // A carriage return as a reference, quotes as they are, what XML cannot carry as U+FFFD.
    const std::string reply = WriteResponse(
        "SaveProject", {{"Result", "0"}, {"Reply", "<R a=\"1\">'\xE4\xB8\xAD' &\r\n\t\x01\xEF\xBF\xBE\xFF</R>"}});
    EXPECT_EQ("<?xml version=\"1.0\" encoding=\"utf-8\"?><soap:Envelope "
              "xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\"><soap:Body>"
              "<SaveProjectResponse xmlns=\"urn:orvesk:project-service\"><Result>0</Result>"
              "<Reply>&lt;R a=\"1\"&gt;'\xE4\xB8\xAD' &amp;&#13;\n\t\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD&lt;/R&gt;</Reply>"
              "</SaveProjectResponse></soap:Body></soap:Envelope>",
              reply);
    // Written in pieces, the same bytes.
    std::string pieces;
    ASSERT_TRUE(WriteResponse("SaveProject",
                              {{"Result", "0"}, {"Reply", "<R a=\"1\">'\xE4\xB8\xAD' &\r\n\t\x01\xEF\xBF\xBE\xFF</R>"}},
                              [&](const char* data, size_t size) {
                                  pieces.append(data, size);
                                  return true;
                              }));
    EXPECT_EQ(reply, pieces);
}

TEST(ServerWireBytes, AFault)
{
    EXPECT_EQ("<?xml version=\"1.0\" encoding=\"utf-8\"?><soap:Envelope "
              "xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\"><soap:Body><soap:Fault>"
              "<faultcode>soap:Client</faultcode><faultstring>a &lt;b&gt; &amp; \"c\"</faultstring>"
              "</soap:Fault></soap:Body></soap:Envelope>",
              WriteFault("soap:Client", "a <b> & \"c\""));
}

TEST(ServerWireBytes, AStoredTextKeepsItsForm)
{
    const std::string sent = "<PROJECT N=\"a&#9;b&#10;c&#13;&quot;'&lt;\"><NAME>\xE4\xB8\xAD &amp; \"x\" 'y' "
                             "&gt;&#13;\n\t</NAME><!-- c --><?p d?><![CDATA[<&>]]><E/></PROJECT>";
    pugi::xml_document doc;
    std::string error;
    ASSERT_TRUE(ParseStored(sent, doc, error)) << error;
    const std::string stored = WriteCanonical(doc);
    // Element text as ever; an attribute value keeps tab and line feed as references.
    EXPECT_EQ("<PROJECT N=\"a&#9;b&#10;c&#13;&quot;&apos;&lt;\"><NAME>\xE4\xB8\xAD &amp; &quot;x&quot; &apos;y&apos; "
              "&gt;&#13;\n\t</NAME><!-- c --><?p d?><![CDATA[<&>]]><E></E></PROJECT>",
              stored);
    // Read again, the same document.
    pugi::xml_document again;
    ASSERT_TRUE(ParseStored(stored, again, error)) << error;
    EXPECT_EQ(stored, WriteCanonical(again));
    EXPECT_STREQ("a\tb\nc\r\"'<", again.document_element().attribute("N").value());
    EXPECT_EQ("&lt;A&gt;&quot;&apos;&amp;", EscapeText("<A>\"'&"));
}

// Parses a description's schema into "element: field/type field/type ..." lines.
std::vector<std::string> SchemaOf(const std::string& wsdl)
{
    pugi::xml_document doc;
    EXPECT_TRUE(doc.load_string(wsdl.c_str()));
    std::vector<std::string> lines;
    for (pugi::xpath_node n : doc.select_nodes("//*[local-name()='schema']/*[local-name()='element']")) {
        std::string line = n.node().attribute("name").value() + std::string(":");
        for (pugi::xpath_node f : n.node().select_nodes(".//*[local-name()='sequence']/*"))
            line += std::string(" ") + f.node().attribute("name").value() + "/" + f.node().attribute("type").value();
        lines.push_back(line);
    }
    return lines;
}

TEST(ServerWireBytes, ClientAndServerDescribeTheSameOperations)
{
    const std::vector<std::string> server = SchemaOf(WriteServiceDescription("http://127.0.0.1:1/s"));
    const std::vector<std::string> client =
        SchemaOf(projectsoap::BuildServiceDescription(kServiceNamespace, "http://127.0.0.1:1/s"));
    ASSERT_EQ(2 * serviceops::kOperationCount, server.size());
    EXPECT_EQ(server, client);
    EXPECT_EQ("NewTask: first/xsd:int parentTaskId/xsd:int taskData/xsd:string", server[2 * 12]);
    EXPECT_EQ("NewTaskResponse: Result/xsd:int TaskId/xsd:int", server[2 * 12 + 1]);
    // The description's address is an attribute value: quotes and line characters as references.
    EXPECT_NE(std::string::npos,
              WriteServiceDescription("http://h/a\"b\tc").find("location=\"http://h/a&quot;b&#9;c\""));
}

} // namespace
