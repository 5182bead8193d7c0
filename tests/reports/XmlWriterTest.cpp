#include "reports/XmlWriter.h"

#include <gtest/gtest.h>

namespace nakva {
namespace {

TEST(XmlWriter, NestsElementsAndEscapesTextAndAttributes) {
    XmlWriter xml;
    xml.open("iSAFFile", {{"xmlns", "http://www.vmi.lt/cms/imas/isaf"}, {"note", "\"a\" & <b>"}});
    xml.element("Name", "UAB „Žuvėdra“ & Ko <filialas>");
    xml.element("Empty", "");
    xml.empty("Country", {{"xsi:nil", "true"}});
    xml.open("Lines");
    xml.element("Line", "pirma\teilutė\r\nantra");
    xml.close();
    xml.close();
    EXPECT_EQ(xml.document(),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
              "<iSAFFile xmlns=\"http://www.vmi.lt/cms/imas/isaf\" note=\"&quot;a&quot; &amp; "
              "&lt;b&gt;\">\n"
              "  <Name>UAB „Žuvėdra“ &amp; Ko &lt;filialas&gt;</Name>\n"
              "  <Empty></Empty>\n"
              "  <Country xsi:nil=\"true\"/>\n"
              "  <Lines>\n"
              "    <Line>pirma&#9;eilutė&#13;&#10;antra</Line>\n"
              "  </Lines>\n"
              "</iSAFFile>\n");
}

struct TextCase {
    std::string text;
    bool taken;
};

class XmlText : public ::testing::TestWithParam<TextCase> {};

TEST_P(XmlText, TakesValidUtf8WithoutControlCharacters) {
    EXPECT_EQ(XmlWriter::isXmlText(GetParam().text), GetParam().taken);
}

INSTANTIATE_TEST_SUITE_P(Texts, XmlText,
                         ::testing::Values(TextCase{"Ąžuolas", true}, TextCase{"tab\there", true},
                                           TextCase{"", true}, TextCase{std::string("nul\0byte", 8), false},
                                           TextCase{"bell\a", false}, TextCase{"\x1b[0m", false},
                                           TextCase{"\xC4", false}, TextCase{"\xEF\xBF\xBE", false}));

} // namespace
} // namespace nakva
