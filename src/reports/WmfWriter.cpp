#include "reports/WmfWriter.h"

#include "data/Cp1257.h"
#include "data/Utf8.h"
#include "reports/PageCanvas.h"
#include "reports/WmfFile.h"
#include "reports/WmfFormat.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>

namespace nakva {

namespace {

std::int16_t clamp16(double value) {
    return static_cast<std::int16_t>(std::clamp<double>(std::lround(value), -32768, 32767));
}

std::uint32_t colorRef(Color color) {
    return color.red | (color.green << 8) | (static_cast<std::uint32_t>(color.blue) << 16);
}

// Windows-1257 bytes of a text; a character the code page lacks becomes "?".
std::string cp1257Bytes(std::string_view text) {
    std::string bytes;
    bytes.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        const char32_t ch = utf8::decode(text, pos);
        if (ch < 0x80) {
            bytes += static_cast<char>(ch);
        } else {
            const std::optional<unsigned char> byte = unicodeToCp1257(ch);
            bytes += byte ? static_cast<char>(*byte) : '?';
        }
    }
    return bytes;
}

struct PenKey {
    std::uint16_t style = wmf::PenSolid;
    int width = 0;
    friend bool operator==(const PenKey&, const PenKey&) = default;
};

struct BrushKey {
    std::uint16_t style = wmf::BrushNull;
    Color color;
    friend bool operator==(const BrushKey&, const BrushKey&) = default;
};

// Maps a placed picture's own logical units onto its rectangle on the page.
struct Placement {
    WmfFile::Frame frame;
    Rect target;

    double x(int value) const {
        return target.left + double(value - frame.left) * target.width / frame.width;
    }
    double y(int value) const {
        return target.top + double(value - frame.top) * target.height / frame.height;
    }
    double scaleX() const { return std::fabs(double(target.width) / frame.width); }
    double scaleY() const { return std::fabs(double(target.height) / frame.height); }
};

class Writer {
public:
    explicit Writer(const PageCanvas& page) : page_(page) {}

    std::vector<std::uint8_t> write();

private:
    // Records.
    void begin(std::uint16_t function) {
        recordStart_ = out_.size();
        put32(0);
        put16(function);
    }
    void end() {
        const std::size_t words = (out_.size() - recordStart_) / 2;
        patch32(recordStart_, static_cast<std::uint32_t>(words));
        maxRecordWords_ = std::max<std::uint32_t>(maxRecordWords_, static_cast<std::uint32_t>(words));
    }
    void put16(int value) {
        const auto word = static_cast<std::uint16_t>(value);
        out_.push_back(static_cast<std::uint8_t>(word & 0xFF));
        out_.push_back(static_cast<std::uint8_t>(word >> 8));
    }
    void put32(std::uint32_t value) {
        put16(static_cast<std::uint16_t>(value & 0xFFFF));
        put16(static_cast<std::uint16_t>(value >> 16));
    }
    void putBytes(std::span<const std::uint8_t> bytes) {
        out_.insert(out_.end(), bytes.begin(), bytes.end());
    }
    // Text padded to whole words.
    void putText(std::string_view bytes) {
        out_.insert(out_.end(), bytes.begin(), bytes.end());
        if (bytes.size() % 2 != 0) {
            out_.push_back(0);
        }
    }
    void patch16(std::size_t offset, std::uint16_t value) {
        out_[offset] = static_cast<std::uint8_t>(value & 0xFF);
        out_[offset + 1] = static_cast<std::uint8_t>(value >> 8);
    }
    void patch32(std::size_t offset, std::uint32_t value) {
        patch16(offset, static_cast<std::uint16_t>(value & 0xFFFF));
        patch16(offset + 2, static_cast<std::uint16_t>(value >> 16));
    }
    void simple(std::uint16_t function, std::initializer_list<int> params) {
        begin(function);
        for (int param : params) {
            put16(param);
        }
        end();
    }

    // Objects: a new one is created and selected before the one it replaces is deleted.
    int create(std::uint16_t function, std::span<const std::uint8_t> params) {
        begin(function);
        putBytes(params);
        end();
        return objects_.add(true);
    }
    int createPen(PenKey pen);
    int createBrush(BrushKey brush);
    int createFont(const Font& font);
    void replace(int& current, int created) {
        simple(wmf::SelectObject, {created});
        if (current >= 0) {
            simple(wmf::DeleteObject, {current});
            objects_.remove(current);
        }
        current = created;
    }
    void usePen(PenKey pen) {
        if (penIndex_ < 0 || pen != pen_) {
            pen_ = pen;
            replace(penIndex_, createPen(pen));
        }
    }
    void useBrush(BrushKey brush) {
        if (brushIndex_ < 0 || brush != brush_) {
            brush_ = brush;
            replace(brushIndex_, createBrush(brush));
        }
    }
    void useFont(int font) {
        if (fontIndex_ < 0 || font != font_) {
            font_ = font;
            replace(fontIndex_, createFont(page_.fonts()[font]));
        }
    }
    void useTextAlign(std::uint16_t align) {
        if (align != textAlign_) {
            textAlign_ = align;
            simple(wmf::SetTextAlign, {align});
        }
    }
    void reselect();

    void draw(const TextItem& item);
    void draw(const LineItem& item);
    void draw(const BoxItem& item);
    void draw(const RasterItem& item);
    void draw(const MetafileItem& item);
    void embed(const WmfRecord& record, const Placement& place, wmf::ObjectTable<int>& pictureObjects);

    const PageCanvas& page_;
    std::vector<std::uint8_t> out_;
    std::size_t recordStart_ = 0;
    std::uint32_t maxRecordWords_ = 0;
    wmf::ObjectTable<bool> objects_;
    PenKey pen_;
    int penIndex_ = -1;
    BrushKey brush_;
    int brushIndex_ = -1;
    int font_ = -1;
    int fontIndex_ = -1;
    std::uint16_t textAlign_ = 0xFFFF;
};

std::vector<std::uint8_t> Writer::write() {
    // Placeable header: the page in twips.
    put32(wmf::PlaceableKey);
    put16(0);
    put16(0);
    put16(0);
    put16(clamp16(page_.width()));
    put16(clamp16(page_.height()));
    put16(TwipsPerInch);
    put32(0);
    std::uint16_t checksum = 0;
    for (std::size_t i = 0; i < 20; i += 2) {
        checksum ^= static_cast<std::uint16_t>(out_[i] | (out_[i + 1] << 8));
    }
    put16(checksum);

    // Standard header; size, object count and largest record are filled in at the end.
    const std::size_t header = out_.size();
    put16(1);
    put16(wmf::HeaderWords);
    put16(wmf::Version300);
    put32(0);
    put16(0);
    put32(0);
    put16(0);

    simple(wmf::SetMapMode, {wmf::MapModeAnisotropic});
    simple(wmf::SetWindowOrg, {0, 0});
    simple(wmf::SetWindowExt, {clamp16(page_.height()), clamp16(page_.width())});
    simple(wmf::SetBkMode, {wmf::BkTransparent});
    begin(wmf::SetTextColor);
    put32(colorRef(Black));
    end();
    useBrush({wmf::BrushNull, Black});

    for (const PageItem& item : page_.items()) {
        std::visit([this](const auto& drawn) { draw(drawn); }, item);
    }
    simple(wmf::Eof, {});

    patch32(header + 6, static_cast<std::uint32_t>((out_.size() - header) / 2));
    patch16(header + 10, static_cast<std::uint16_t>(objects_.size()));
    patch32(header + 12, maxRecordWords_);
    return std::move(out_);
}

int Writer::createPen(PenKey pen) {
    std::uint8_t params[10] = {};
    params[0] = static_cast<std::uint8_t>(pen.style);
    const auto width = static_cast<std::uint16_t>(clamp16(pen.width));
    params[2] = static_cast<std::uint8_t>(width & 0xFF);
    params[3] = static_cast<std::uint8_t>(width >> 8);
    // params[4..5]: the width's unused y; params[6..9]: black
    return create(wmf::CreatePenIndirect, params);
}

int Writer::createBrush(BrushKey brush) {
    const std::uint32_t color = colorRef(brush.color);
    const std::uint8_t params[8] = {static_cast<std::uint8_t>(brush.style),
                                    0,
                                    static_cast<std::uint8_t>(color & 0xFF),
                                    static_cast<std::uint8_t>((color >> 8) & 0xFF),
                                    static_cast<std::uint8_t>((color >> 16) & 0xFF),
                                    0,
                                    0,
                                    0};
    return create(wmf::CreateBrushIndirect, params);
}

int Writer::createFont(const Font& font) {
    std::uint8_t params[18 + wmf::FaceNameBytes] = {};
    const std::int16_t height = clamp16(-font.size * 20); // negative: the character height
    const std::uint16_t weight = font.bold ? wmf::WeightBold : wmf::WeightNormal;
    params[0] = static_cast<std::uint8_t>(height & 0xFF);
    params[1] = static_cast<std::uint8_t>((height >> 8) & 0xFF);
    params[8] = static_cast<std::uint8_t>(weight & 0xFF);
    params[9] = static_cast<std::uint8_t>(weight >> 8);
    params[10] = font.italic ? 1 : 0;
    params[11] = font.underline ? 1 : 0;
    params[13] = wmf::CharsetBaltic;
    params[17] = wmf::FamilySwissVariablePitch;
    const std::string face = cp1257Bytes(font.face).substr(0, wmf::FaceNameBytes - 1);
    std::copy(face.begin(), face.end(), params + 18);
    return create(wmf::CreateFontIndirect, params);
}

void Writer::draw(const TextItem& item) {
    const std::string bytes = cp1257Bytes(item.text);
    useFont(item.font);
    const std::uint16_t horizontal = item.align == Align::Left    ? wmf::TaLeft
                                     : item.align == Align::Right ? wmf::TaRight
                                                                  : wmf::TaCenter;
    useTextAlign(wmf::TaBaseline | horizontal);
    begin(wmf::ExtTextOut);
    put16(clamp16(item.anchor.y));
    put16(clamp16(item.anchor.x));
    put16(static_cast<int>(std::min<std::size_t>(bytes.size(), 0x7FFF)));
    put16(0);
    putText(std::string_view(bytes).substr(0, 0x7FFF));
    end();
}

void Writer::draw(const LineItem& item) {
    usePen({wmf::PenSolid, item.width});
    simple(wmf::MoveTo, {clamp16(item.from.y), clamp16(item.from.x)});
    simple(wmf::LineTo, {clamp16(item.to.y), clamp16(item.to.x)});
}

void Writer::draw(const BoxItem& item) {
    usePen(item.penWidth > 0 ? PenKey{wmf::PenSolid, item.penWidth} : PenKey{wmf::PenNull, 0});
    useBrush(item.filled ? BrushKey{wmf::BrushSolid, item.fill} : BrushKey{wmf::BrushNull, Black});
    const Rect& r = item.rect;
    simple(wmf::Rectangle, {clamp16(r.bottom()), clamp16(r.right()), clamp16(r.top), clamp16(r.left)});
}

void Writer::draw(const RasterItem& item) {
    const RasterPicture& picture = *item.picture;
    const std::size_t stride = (static_cast<std::size_t>(picture.width) * 3 + 3) / 4 * 4;
    begin(wmf::StretchDib);
    put32(wmf::RopSourceCopy);
    put16(wmf::DibRgbColors);
    put16(picture.height);
    put16(picture.width);
    put16(0);
    put16(0);
    put16(clamp16(item.rect.height));
    put16(clamp16(item.rect.width));
    put16(clamp16(item.rect.top));
    put16(clamp16(item.rect.left));
    // BITMAPINFOHEADER: 24 bits per pixel, rows from the bottom.
    put32(wmf::BitmapInfoHeaderBytes);
    put32(static_cast<std::uint32_t>(picture.width));
    put32(static_cast<std::uint32_t>(picture.height));
    put16(1);
    put16(24);
    put32(0);
    put32(static_cast<std::uint32_t>(stride * picture.height));
    put32(0);
    put32(0);
    put32(0);
    put32(0);
    for (int row = picture.height - 1; row >= 0; --row) {
        const std::uint32_t* pixel = picture.pixels.data() + static_cast<std::size_t>(row) * picture.width;
        for (int column = 0; column < picture.width; ++column) {
            out_.push_back(static_cast<std::uint8_t>(pixel[column] & 0xFF));
            out_.push_back(static_cast<std::uint8_t>((pixel[column] >> 8) & 0xFF));
            out_.push_back(static_cast<std::uint8_t>((pixel[column] >> 16) & 0xFF));
        }
        out_.insert(out_.end(), stride - static_cast<std::size_t>(picture.width) * 3, 0);
    }
    end();
}

// A metafile picture is copied record by record with its coordinates mapped onto its rectangle and
// its objects renumbered into the page's object table; its state changes end with it.
void Writer::draw(const MetafileItem& item) {
    const Placement place{item.picture->frame(), item.rect};
    if (place.frame.width == 0 || place.frame.height == 0) {
        return;
    }
    simple(wmf::SaveDc, {});
    wmf::ObjectTable<int> pictureObjects; // the picture's own index → the page's index, or -1
    for (const WmfRecord& record : item.picture->records()) {
        embed(record, place, pictureObjects);
    }
    simple(wmf::RestoreDc, {-1});
    for (int i = 0; i < pictureObjects.size(); ++i) {
        if (const int* mine = pictureObjects.at(i); mine && *mine >= 0) {
            simple(wmf::DeleteObject, {*mine});
            objects_.remove(*mine);
        }
    }
    reselect();
}

// After a picture, for readers that do not restore the state saved before it.
void Writer::reselect() {
    for (int index : {penIndex_, brushIndex_, fontIndex_}) {
        if (index >= 0) {
            simple(wmf::SelectObject, {index});
        }
    }
    simple(wmf::SetBkMode, {wmf::BkTransparent});
    begin(wmf::SetTextColor);
    put32(colorRef(Black));
    end();
    if (textAlign_ != 0xFFFF) {
        simple(wmf::SetTextAlign, {textAlign_});
    }
}

void Writer::embed(const WmfRecord& record, const Placement& place, wmf::ObjectTable<int>& pictureObjects) {
    auto point = [&](int yWord, int xWord) {
        put16(clamp16(place.y(record.signedWord(yWord))));
        put16(clamp16(place.x(record.signedWord(xWord))));
    };
    auto copyFrom = [&](int word) {
        putBytes(record.bytesFrom(word));
    };

    switch (record.function) {
    case wmf::SetMapMode:
    case wmf::SetWindowOrg:
    case wmf::SetWindowExt:
    case wmf::SetViewportOrg:
    case wmf::SetViewportExt:
        return; // the placement takes their place
    case wmf::SetBkColor:
    case wmf::SetBkMode:
    case wmf::SetRop2:
    case wmf::SetPolyFillMode:
    case wmf::SetStretchBltMode:
    case wmf::SetTextColor:
    case wmf::SetTextAlign:
    case wmf::SaveDc:
    case wmf::RestoreDc:
        begin(record.function);
        copyFrom(0);
        end();
        return;
    case wmf::CreatePenIndirect: {
        begin(record.function);
        put16(record.word(0));
        put16(clamp16(record.signedWord(1) * place.scaleX()));
        copyFrom(2);
        end();
        pictureObjects.add(objects_.add(true));
        return;
    }
    case wmf::CreateFontIndirect: {
        begin(record.function);
        put16(clamp16(record.signedWord(0) * place.scaleY()));
        put16(clamp16(record.signedWord(1) * place.scaleX()));
        copyFrom(2);
        end();
        pictureObjects.add(objects_.add(true));
        return;
    }
    case wmf::CreateBrushIndirect:
        begin(record.function);
        copyFrom(0);
        end();
        pictureObjects.add(objects_.add(true));
        return;
    case wmf::CreatePalette:
    case wmf::CreatePatternBrush:
    case wmf::DibCreatePatternBrush:
    case wmf::CreateRegion:
        pictureObjects.add(-1); // holds its place in the picture's table; not copied
        return;
    case wmf::SelectObject:
    case wmf::DeleteObject: {
        const int* mine = pictureObjects.at(record.word(0));
        if (mine && *mine >= 0) {
            simple(record.function, {*mine});
        }
        if (record.function == wmf::DeleteObject) {
            if (mine && *mine >= 0) {
                objects_.remove(*mine);
            }
            pictureObjects.remove(record.word(0));
        }
        return;
    }
    case wmf::MoveTo:
    case wmf::LineTo:
        begin(record.function);
        point(0, 1);
        end();
        return;
    case wmf::Rectangle:
    case wmf::Ellipse:
        begin(record.function);
        point(0, 1);
        point(2, 3);
        end();
        return;
    case wmf::RoundRect:
        begin(record.function);
        put16(clamp16(record.signedWord(0) * place.scaleY()));
        put16(clamp16(record.signedWord(1) * place.scaleX()));
        point(2, 3);
        point(4, 5);
        end();
        return;
    case wmf::Polygon:
    case wmf::Polyline:
    case wmf::PolyPolygon: {
        begin(record.function);
        int word = 0;
        int points = 0;
        if (record.function == wmf::PolyPolygon) {
            const int polygons = record.word(0);
            put16(polygons);
            for (word = 1; word <= polygons; ++word) {
                put16(record.word(word));
                points += record.word(word);
            }
        } else {
            points = record.word(0);
            put16(points);
            word = 1;
        }
        for (int i = 0; i < points; ++i, word += 2) {
            put16(clamp16(place.x(record.signedWord(word))));
            put16(clamp16(place.y(record.signedWord(word + 1))));
        }
        end();
        return;
    }
    case wmf::TextOut: {
        const int length = record.word(0);
        const int after = 1 + (length + 1) / 2; // y, x follow the padded string
        begin(record.function);
        put16(length);
        putBytes(record.bytesFrom(1).first(
            std::min<std::size_t>(record.bytesFrom(1).size(), (length + 1) / 2 * 2)));
        point(after, after + 1);
        end();
        return;
    }
    case wmf::ExtTextOut: {
        const int length = record.word(2);
        const int options = record.word(3);
        begin(record.function);
        point(0, 1);
        put16(length);
        put16(options);
        int word = 4;
        if (options & (wmf::EtoOpaque | wmf::EtoClipped)) {
            put16(clamp16(place.x(record.signedWord(4))));
            put16(clamp16(place.y(record.signedWord(5))));
            put16(clamp16(place.x(record.signedWord(6))));
            put16(clamp16(place.y(record.signedWord(7))));
            word = 8;
        }
        const int textWords = (length + 1) / 2;
        for (int i = 0; i < textWords; ++i) {
            put16(record.word(word + i));
        }
        for (int i = word + textWords; i < record.words(); ++i) { // character spacing
            put16(clamp16(record.signedWord(i) * place.scaleX()));
        }
        end();
        return;
    }
    case wmf::StretchDib:
    case wmf::DibStretchBlt: {
        // Both: the raster operation, then (StretchDib only: colour use) the source height, width,
        // y, x, then the destination height, width, y, x, then the bitmap.
        const int destination = record.function == wmf::StretchDib ? 7 : 6;
        begin(record.function);
        for (int i = 0; i < destination; ++i) {
            put16(record.word(i));
        }
        put16(clamp16(record.signedWord(destination) * place.scaleY()));
        put16(clamp16(record.signedWord(destination + 1) * place.scaleX()));
        point(destination + 2, destination + 3);
        copyFrom(destination + 4);
        end();
        return;
    }
    default:
        return; // not carried over into a page
    }
}

} // namespace

std::vector<std::uint8_t> writeWmf(const PageCanvas& page) {
    return Writer(page).write();
}

} // namespace nakva
