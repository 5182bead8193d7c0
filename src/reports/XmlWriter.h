#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace nakva {

// A small writer of XML documents in UTF-8: the declaration, elements nested two blanks an level, a
// text element on one line, attributes, and the escapes text and attribute values need (&, <, >, the
// quote; a tab, a line feed and a carriage return as character references, so that they survive a
// reader's normalisation). The caller gives well-formed names and text that isXmlText accepts.
//
//     XmlWriter xml;
//     xml.open("iSAFFile", {{"xmlns", "http://www.vmi.lt/cms/imas/isaf"}});
//     xml.element("FileVersion", "iSAF1.2");
//     xml.close();
//     const std::string& document = xml.document();
class XmlWriter {
public:
    using Attributes = std::vector<std::pair<std::string_view, std::string_view>>;

    XmlWriter();

    void open(std::string_view name, const Attributes& attributes = {});
    // <name>text</name>; an empty text gives <name></name>.
    void element(std::string_view name, std::string_view text, const Attributes& attributes = {});
    // <name/> with its attributes.
    void empty(std::string_view name, const Attributes& attributes = {});
    // Closes the element opened last.
    void close();

    // The document so far; whole once every opened element is closed.
    const std::string& document() const { return out_; }

    // Whether a UTF-8 text can stand in an XML 1.0 document: valid UTF-8 with no control character
    // but tab, line feed and carriage return.
    static bool isXmlText(std::string_view text);
    static std::string escaped(std::string_view text);

private:
    void startTag(std::string_view name, const Attributes& attributes);
    void indent();

    std::string out_;
    std::vector<std::string> open_;
};

} // namespace nakva
