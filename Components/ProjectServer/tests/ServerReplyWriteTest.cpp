// A reply written in one pass: the exact bytes of texts long enough to cross the writer's
// buffers at every offset, of texts that grow past the room given at first, and of
// sequences cut at the text's end; the same bytes in pieces and the size told beforehand.
#include "ServerSoap.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace projectserver;

namespace {

const char kHead[] = "<?xml version=\"1.0\" encoding=\"utf-8\"?><soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/"
                     "soap/envelope/\"><soap:Body><GetProjectDataResponse xmlns=\"urn:orvesk:project-service\">";
const char kTail[] = "</GetProjectDataResponse></soap:Body></soap:Envelope>";

std::string Repeat(const std::string& unit, int times)
{
    std::string out;
    for (int i = 0; i < times; ++i)
        out += unit;
    return out;
}

void ExpectReply(const std::string& text, const std::string& escaped)
{
    const std::vector<SoapArg> results = {{"Result", "0"}, {"ProjectData", text}};
    const std::string expected =
        std::string(kHead) + "<Result>0</Result><ProjectData>" + escaped + "</ProjectData>" + kTail;
    const std::string reply = WriteResponse("GetProjectData", results);
    ASSERT_EQ(expected.size(), reply.size());
    EXPECT_TRUE(reply == expected);
    EXPECT_EQ(expected.size(), ResponseSize("GetProjectData", results));
    std::string pieces;
    ASSERT_TRUE(WriteResponse("GetProjectData", results, [&](const char* data, size_t size) {
        pieces.append(data, size);
        return true;
    }));
    EXPECT_TRUE(pieces == expected);
}

}  // namespace

TEST(ServerReplyWrite, LongTextsComeOutExactlyAcrossEveryBufferEdge)
{
    // Units of 11 bytes (a prime) land each escape and each character of three bytes on
    // every offset of the writer's buffers; U+4EFB, an ill-formed byte, a character XML
    // cannot carry (U+FFFE) and a control character among them.
    const std::string unit = "<a>&\r\xe4\xbb\xbb\xff\x01z";
    const std::string out = "&lt;a&gt;&amp;&#13;\xe4\xbb\xbb\xef\xbf\xbd\xef\xbf\xbdz";
    ExpectReply(Repeat(unit, 9000), Repeat(out, 9000));
    ExpectReply("q" + Repeat(unit + "\xef\xbf\xbe", 7000), "q" + Repeat(out + "\xef\xbf\xbd", 7000));
    // Three-byte leads whose followers do not continue them, or are cut off.
    ExpectReply(Repeat("\xe4\xbbx\xee\x80\xc0\xec\xbf\xbf", 3000),
                Repeat("\xef\xbf\xbd\xef\xbf\xbdx\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd\xec\xbf\xbf", 3000));
    ExpectReply("\xe1\x80", "\xef\xbf\xbd\xef\xbf\xbd");
}

TEST(ServerReplyWrite, TextsThatGrowPastTheirRoomAndCutSequences)
{
    // Five times its size, past the room given at first.
    ExpectReply(Repeat("&", 100000), Repeat("&amp;", 100000));
    ExpectReply(Repeat("\r>", 50000), Repeat("&#13;&gt;", 50000));
    // A sequence cut at the end of the text: each byte left is replaced.
    ExpectReply(Repeat("x", 16379) + "\xe4\xbb", Repeat("x", 16379) + "\xef\xbf\xbd\xef\xbf\xbd");
    ExpectReply("", "");
}
