#include "reports/XmlWriter.h"

#include "data/Utf8.h"

namespace nakva {

XmlWriter::XmlWriter() : out_("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n") {}

void XmlWriter::indent() {
    out_.append(2 * open_.size(), ' ');
}

void XmlWriter::startTag(std::string_view name, const Attributes& attributes) {
    indent();
    out_ += '<';
    out_ += name;
    for (const auto& [attribute, value] : attributes) {
        out_ += ' ';
        out_ += attribute;
        out_ += "=\"";
        out_ += escaped(value);
        out_ += '"';
    }
}

void XmlWriter::open(std::string_view name, const Attributes& attributes) {
    startTag(name, attributes);
    out_ += ">\n";
    open_.emplace_back(name);
}

void XmlWriter::element(std::string_view name, std::string_view text, const Attributes& attributes) {
    startTag(name, attributes);
    out_ += '>';
    out_ += escaped(text);
    out_ += "</";
    out_ += name;
    out_ += ">\n";
}

void XmlWriter::empty(std::string_view name, const Attributes& attributes) {
    startTag(name, attributes);
    out_ += "/>\n";
}

void XmlWriter::close() {
    const std::string name = std::move(open_.back());
    open_.pop_back();
    indent();
    out_ += "</" + name + ">\n";
}

bool XmlWriter::isXmlText(std::string_view text) {
    for (std::size_t at = 0; at < text.size();) {
        const char32_t ch = utf8::decode(text, at);
        const bool control = ch < 0x20 && ch != '\t' && ch != '\n' && ch != '\r';
        if ((ch & utf8::InvalidFlag) != 0 || control || ch == 0xFFFE || ch == 0xFFFF) {
            return false;
        }
    }
    return true;
}

std::string XmlWriter::escaped(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&':
            result += "&amp;";
            break;
        case '<':
            result += "&lt;";
            break;
        case '>':
            result += "&gt;";
            break;
        case '"':
            result += "&quot;";
            break;
        case '\t':
            result += "&#9;";
            break;
        case '\n':
            result += "&#10;";
            break;
        case '\r':
            result += "&#13;";
            break;
        default:
            result += c;
        }
    }
    return result;
}

} // namespace nakva
