// SOAP envelopes and the service description, without a network.
#include <ProjectService/ServiceDescription.h>
#include <ProjectService/SoapEnvelope.h>
#include <ProjectService/SoapProtocol.h>

#include <gtest/gtest.h>

using namespace projectsoap;

TEST(SoapEnvelope, BuildsTheExactRequestText)
{
    std::string text = BuildEnvelope("urn:x", "Login", {{"userCode", "u&1"}, {"password", "<p>"}});
    EXPECT_EQ("<?xml version=\"1.0\" encoding=\"utf-8\"?>"
              "<soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\"><soap:Body>"
              "<Login xmlns=\"urn:x\"><userCode>u&amp;1</userCode><password>&lt;p&gt;</password></Login>"
              "</soap:Body></soap:Envelope>",
              text);
}

TEST(SoapEnvelope, ValuesRoundTripByteForByte)
{
    SoapValues values = {{"a", ""}, {"b", "  \t "}, {"c", "x\r\ny\rz\n"}, {"d", "<PROJECT>&amp;\"'</PROJECT>"},
                         {"e", "\xE4\xB8\xAD\xE6\x96\x87"}};
    std::string text = BuildEnvelope("urn:x", "SaveProject", values);
    EXPECT_EQ(std::string::npos, text.find('\r'));
    SoapMessage m;
    std::string error;
    ASSERT_TRUE(ParseEnvelope(text, m, error)) << error;
    EXPECT_FALSE(m.isFault);
    EXPECT_EQ("SaveProject", m.name);
    EXPECT_EQ("urn:x", m.ns);
    ASSERT_EQ(values.size(), m.values.size());
    for (size_t i = 0; i < values.size(); ++i) {
        EXPECT_EQ(values[i].name, m.values[i].name);
        EXPECT_EQ(values[i].text, m.values[i].text);
    }
    ASSERT_NE(nullptr, m.Find("c"));
    EXPECT_EQ(nullptr, m.Find("z"));
}

TEST(SoapEnvelope, AUtf16ReplyHandedOverReadsAsItsUtf8)
{
    // Parsed in a buffer of the parser's own, not the one handed over.
    const std::string utf8 = BuildEnvelope("urn:x", "GetProjectDataResponse",
                                           {{"Result", "0"}, {"ProjectData", "<PROJECT>&amp;</PROJECT>"}});
    std::string utf16 = "\xFF\xFE";
    for (char c : utf8) {
        utf16 += c;
        utf16 += '\0';
    }
    SoapMessage m;
    std::string error;
    ASSERT_TRUE(ParseEnvelope(std::move(utf16), m, error)) << error;
    ASSERT_NE(nullptr, m.Find("ProjectData"));
    EXPECT_EQ("<PROJECT>&amp;</PROJECT>", *m.Find("ProjectData"));
    EXPECT_EQ("0", *m.Find("Result"));
}

TEST(SoapEnvelope, AHandedOverReplyKeepsNoLargerBufferThanItsLargestValue)
{
    // Markup escaped in the reply (the value is well under the reply's size), and a value
    // that is most of it: each comes out exact, in room about its own size.
    std::string markup, plain;
    for (int i = 0; i < 20000; ++i) {
        markup += "<TASK><ID>" + std::to_string(i) + "</ID></TASK>";
        plain += "\xE4\xB8\xAD" + std::to_string(i);
    }
    for (const std::string& value : {markup, plain}) {
        std::string reply = BuildEnvelope("urn:x", "GetProjectDataResponse", {{"Result", "0"}, {"ProjectData", value}});
        SoapMessage m;
        std::string error;
        ASSERT_TRUE(ParseEnvelope(std::move(reply), m, error)) << error;
        ASSERT_NE(nullptr, m.Find("ProjectData"));
        EXPECT_TRUE(value == *m.Find("ProjectData"));
        EXPECT_LE(m.Find("ProjectData")->capacity(), value.size() + value.size() / 8);
        EXPECT_EQ("0", *m.Find("Result"));
    }
}

TEST(SoapEnvelope, ReadsOtherPrefixesAndFaults)
{
    SoapMessage m;
    std::string error;
    ASSERT_TRUE(ParseEnvelope("<e:Envelope xmlns:e=\"http://schemas.xmlsoap.org/soap/envelope/\">\n <e:Body>\n"
                              "  <t:GetResourcesResponse xmlns:t=\"urn:y\"><t:Result>0</t:Result>"
                              "<ResourceData><![CDATA[<RESOURCES/>]]></ResourceData></t:GetResourcesResponse>"
                              "</e:Body></e:Envelope>",
                              m, error))
        << error;
    EXPECT_EQ("GetResourcesResponse", m.name);
    EXPECT_EQ("urn:y", m.ns);
    EXPECT_EQ("0", *m.Find("Result"));
    EXPECT_EQ("<RESOURCES/>", *m.Find("ResourceData"));

    ASSERT_TRUE(ParseEnvelope(BuildFault("soap:Server", "disk full"), m, error));
    EXPECT_TRUE(m.isFault);
    EXPECT_EQ("soap:Server", m.faultCode);
    EXPECT_EQ("disk full", m.faultString);
}

TEST(SoapEnvelope, RefusesWhatIsNotAnEnvelope)
{
    const char* bad[] = {
        "",
        "not xml",
        "<soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\"><soap:Body><A>",
        "<Envelope><Body><A/></Body></Envelope>",
        "<soap:Envelope xmlns:soap=\"http://www.w3.org/2003/05/soap-envelope\"><soap:Body><A/></soap:Body></soap:Envelope>",
        "<soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\"><soap:Body></soap:Body></soap:Envelope>",
        "<soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\"><soap:Body><A xmlns=\"u\">"
        "<Reply><B/></Reply></A></soap:Body></soap:Envelope>",
    };
    for (const char* text : bad) {
        SoapMessage m;
        std::string error;
        EXPECT_FALSE(ParseEnvelope(text, m, error)) << text;
        EXPECT_FALSE(error.empty()) << text;
        EXPECT_TRUE(m.values.empty());
    }
}

TEST(ServiceDescription, ReadsWhatItWrites)
{
    std::string text = BuildServiceDescription("urn:svc", "http://127.0.0.1:9/s/WebService/OrveskService");
    ServiceDescription d;
    std::string error;
    ASSERT_TRUE(ParseServiceDescription(text, d, error)) << error;
    EXPECT_EQ("urn:svc", d.targetNamespace);
    EXPECT_EQ("http://127.0.0.1:9/s/WebService/OrveskService", d.endpoint);
    size_t count = 0;
    const OperationInfo* ops = Operations(count);
    ASSERT_EQ(13u, count);
    ASSERT_EQ(count, d.soapActions.size());
    for (size_t i = 0; i < count; ++i) {
        std::string action;
        ASSERT_TRUE(d.FindSoapAction(ops[i].name, action)) << ops[i].name;
        EXPECT_EQ(std::string("urn:svc/") + ops[i].name, action);
    }
    std::string action;
    EXPECT_FALSE(d.FindSoapAction("Nothing", action));
}

TEST(ServiceDescription, ReadsAHandWrittenDescription)
{
    const char* text =
        "<w:definitions xmlns:w=\"http://schemas.xmlsoap.org/wsdl/\" xmlns:s=\"http://schemas.xmlsoap.org/wsdl/soap/\""
        " targetNamespace=\"http://example.invalid/ps\">"
        "<w:binding name=\"B\"><s:binding style=\"document\"/>"
        "<w:operation name=\"Login\"><s:operation soapAction=\"\"/></w:operation>"
        "<w:operation name=\"GetResources\"><s:operation soapAction=\"act:res\"/></w:operation></w:binding>"
        "<w:service name=\"S\"><w:port name=\"P\" binding=\"B\"><s:address location=\"https://h/ep\"/></w:port>"
        "</w:service></w:definitions>";
    ServiceDescription d;
    std::string error;
    ASSERT_TRUE(ParseServiceDescription(text, d, error)) << error;
    EXPECT_EQ("https://h/ep", d.endpoint);
    std::string action = "x";
    ASSERT_TRUE(d.FindSoapAction("Login", action));
    EXPECT_EQ("", action);
    ASSERT_TRUE(d.FindSoapAction("GetResources", action));
    EXPECT_EQ("act:res", action);
}

TEST(ServiceDescription, RefusesIncompleteDescriptions)
{
    std::string good = BuildServiceDescription("urn:svc", "http://h/ep");
    const std::string bad[] = {
        "",
        "<html>not found</html>",
        BuildServiceDescription("urn:svc", ""),
        BuildServiceDescription("urn:svc", "file:///etc/passwd"),
        BuildServiceDescription("urn:svc", "/relative/ep"),
        good.substr(0, good.size() / 2),
    };
    for (const std::string& text : bad) {
        ServiceDescription d;
        std::string error;
        EXPECT_FALSE(ParseServiceDescription(text, d, error)) << text.substr(0, 200);
        EXPECT_FALSE(error.empty());
        EXPECT_TRUE(d.endpoint.empty());
    }
}
