// The exact bytes of a product-data answer: names are attribute values, so tab and line feed
// travel as references (the reader then refuses such a name instead of seeing spaces), and
// what XML cannot carry as one U+FFFD per character.
#include <Pdm/PdmReplies.h>

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(PdmAnswerBytes, ANameIsAnAttributeValueOfItsOwnBytes)
{
    PdmNodeRow row;
    row.classId = 3;
    row.objectId = 7;
    row.name = "a\tb\nc\r<&>\"'\xE4\xB8\xAD\xEF\xBF\xBE\x01\xFF";
    const std::string answer = WritePdmNodes({row});
    EXPECT_EQ("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<PdmNodes><Node ClassID=\"3\" ObjectID=\"7\" "
              "HasChildren=\"0\" Name=\"a&#9;b&#10;c&#13;&lt;&amp;&gt;&quot;'\xE4\xB8\xAD"
              "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\"/>\n</PdmNodes>\n",
              answer);
}

} // namespace
