#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace nakva {

class WmfFile;

// Page coordinates are twips (1/1440 inch) from the top left corner of the page, y downwards: fine
// enough to place text exactly, and 20 to the point so that font sizes stay whole.
inline constexpr int TwipsPerInch = 1440;
constexpr int mm(double millimetres) {
    const double twips = millimetres * TwipsPerInch / 25.4;
    return static_cast<int>(twips < 0 ? twips - 0.5 : twips + 0.5);
}
constexpr int pt(double points) {
    const double twips = points * 20;
    return static_cast<int>(twips < 0 ? twips - 0.5 : twips + 0.5);
}

inline constexpr int ThinLine = 10;  // half a point
inline constexpr int ThickLine = 30; // one and a half points

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int right() const { return left + width; }
    int bottom() const { return top + height; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

struct Color {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const Color&, const Color&) = default;
};
inline constexpr Color Black{0, 0, 0};
inline constexpr Color White{255, 255, 255};
inline constexpr Color LightGray{220, 220, 220};

struct Font {
    std::string face = "Arial";
    double size = 10; // points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    friend bool operator==(const Font&, const Font&) = default;
};

// Where the anchor point stands on the text's baseline.
enum class Align { Left, Right, Center };

// A decoded raster picture (the invoice logo "Firma.gif" or "Firma.jpg"): 0xRRGGBB pixels, rows from
// the top.
struct RasterPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

enum class PageOrientation { Portrait, Landscape };

// What a page holds, in drawing order. Coordinates are page coordinates (the origin already applied).
struct TextItem {
    Point anchor; // on the baseline
    Align align = Align::Left;
    int font = 0; // index into PageCanvas::fonts()
    std::string text;
};
struct LineItem {
    Point from;
    Point to;
    int width = ThinLine;
};
struct BoxItem {
    Rect rect;
    int penWidth = ThinLine; // 0: no outline
    bool filled = false;
    Color fill = White;
};
struct RasterItem {
    Rect rect;
    std::shared_ptr<const RasterPicture> picture;
};
struct MetafileItem {
    Rect rect;
    std::shared_ptr<const WmfFile> picture;
};
using PageItem = std::variant<TextItem, LineItem, BoxItem, RasterItem, MetafileItem>;

// One report page (A4) that report layouts draw on: text anchored on its baseline, lines, boxes and
// pictures. A layout draws a band at band coordinates after moving the origin to the band's top:
//
//     canvas.setOrigin({0, y});
//     canvas.text({mm(20), pt(10)}, name);
//     canvas.text({mm(190), pt(10)}, amount, Align::Right);
//     y += band height;
//
// The page is written as a Windows metafile by writeWmf() (WmfWriter.h).
class PageCanvas {
public:
    explicit PageCanvas(PageOrientation orientation = PageOrientation::Portrait);

    int width() const { return width_; }
    int height() const { return height_; }
    PageOrientation orientation() const { return orientation_; }

    // Added to every coordinate drawn afterwards.
    void setOrigin(Point origin) { origin_ = origin; }
    Point origin() const { return origin_; }

    void setFont(const Font& font);
    const Font& font() const { return fonts_[currentFont_]; }

    void text(Point anchor, std::string_view utf8, Align align = Align::Left);
    void line(Point from, Point to, int width = ThinLine);
    void box(const Rect& rect, int penWidth = ThinLine);          // hollow
    void fillBox(const Rect& rect, Color fill, int penWidth = 0); // filled, outlined when penWidth > 0
    void picture(const Rect& rect, std::shared_ptr<const RasterPicture> picture);
    void picture(const Rect& rect, std::shared_ptr<const WmfFile> picture);

    const std::vector<PageItem>& items() const { return items_; }
    const std::vector<Font>& fonts() const { return fonts_; }

private:
    Point placed(Point p) const { return {p.x + origin_.x, p.y + origin_.y}; }
    Rect placed(const Rect& r) const { return {r.left + origin_.x, r.top + origin_.y, r.width, r.height}; }

    PageOrientation orientation_;
    int width_;
    int height_;
    Point origin_;
    std::vector<Font> fonts_;
    int currentFont_ = 0;
    std::vector<PageItem> items_;
};

} // namespace nakva
