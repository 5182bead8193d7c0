#include "preview/WmfPlayer.h"

#include "data/Cp1257.h"
#include "reports/WmfFile.h"
#include "reports/WmfFormat.h"

#include <QBrush>
#include <QByteArray>
#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPolygonF>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

namespace nakva {

namespace {

QColor colorOf(std::uint32_t colorRef) {
    return QColor(colorRef & 0xFF, (colorRef >> 8) & 0xFF, (colorRef >> 16) & 0xFF);
}

// Text is laid out at a font size of at least 256 pixels and scaled to its height, so that small
// logical units keep its metrics exact. A font is prepared once, when it is created.
struct FontObject {
    FontObject(QFont face, double height, int escapement, std::uint8_t charset)
        : emHeight(std::max(height, 1.0)), scale(emHeight >= 256 ? 1.0 : 256.0 / emHeight),
          escapement(escapement), charset(charset), font(atSize(std::move(face), emHeight * scale)),
          metrics(font) {}

    static QFont atSize(QFont font, double pixels) {
        font.setPixelSize(static_cast<int>(std::lround(pixels)));
        return font;
    }

    double emHeight; // logical units
    double scale;    // layout size ÷ height
    int escapement;  // tenths of a degree, anticlockwise
    std::uint8_t charset;
    QFont font; // at its layout size
    QFontMetricsF metrics;
};

// An entry of the object table. Selecting a palette or a region changes nothing drawn here; they only
// hold their place in the table.
struct GdiObject {
    enum class Kind { Other, Pen, Brush, Font };
    Kind kind = Kind::Other;
    QPen pen;
    QBrush brush;
    std::shared_ptr<const FontObject> font;
};

// The device context as Windows starts it: black hairline pen, white brush, opaque background.
struct DeviceState {
    QPen pen = QPen(Qt::black, 0);
    QBrush brush = QBrush(Qt::white);
    std::shared_ptr<const FontObject> font;
    QColor textColor = Qt::black;
    QColor backgroundColor = Qt::white;
    bool opaque = true;
    std::uint16_t textAlign = wmf::TaTop | wmf::TaLeft;
    Qt::FillRule fillRule = Qt::OddEvenFill;
    QPointF position;
    QPointF windowOrigin;
    QSizeF windowExtent;
};

class Playback {
public:
    Playback(QPainter& painter, const QRectF& target, const WmfFile& file, double defaultFontHeight)
        : painter_(painter), target_(target), file_(file), base_(painter.transform()) {
        const WmfFile::Frame frame = file.frame();
        state_.windowOrigin = QPointF(frame.left, frame.top);
        state_.windowExtent = QSizeF(frame.width, frame.height);
        state_.font =
            std::make_shared<const FontObject>(makeFont("Arial", wmf::WeightNormal, false, false, false),
                                               defaultFontHeight, 0, wmf::CharsetBaltic);
    }

    int run() {
        painter_.save();
        map();
        for (const WmfRecord& record : file_.records()) {
            if (!play(record)) {
                ++unsupported_;
            }
        }
        painter_.restore();
        return unsupported_;
    }

private:
    static QFont makeFont(const QString& face, int weight, bool italic, bool underline, bool strikeOut) {
        QFont font(WmfPlayer::familyFor(face));
        font.setWeight(static_cast<QFont::Weight>(std::clamp(weight == 0 ? 400 : weight, 1, 1000)));
        font.setItalic(italic);
        font.setUnderline(underline);
        font.setStrikeOut(strikeOut);
        font.setKerning(false); // as Windows lays out text
        font.setHintingPreference(QFont::PreferNoHinting);
        return font;
    }

    // Logical units onto the target rectangle.
    void map() {
        const QSizeF& extent = state_.windowExtent;
        QTransform transform = base_;
        if (extent.width() != 0 && extent.height() != 0) {
            transform.translate(target_.left(), target_.top());
            transform.scale(target_.width() / extent.width(), target_.height() / extent.height());
            transform.translate(-state_.windowOrigin.x(), -state_.windowOrigin.y());
        }
        painter_.setTransform(transform);
    }

    bool play(const WmfRecord& r);
    bool create(const WmfRecord& r);
    void shape() {
        painter_.setPen(state_.pen);
        painter_.setBrush(state_.brush);
    }
    QPointF point(const WmfRecord& r, int yWord) const {
        return QPointF(r.signedWord(yWord + 1), r.signedWord(yWord));
    }
    // A rectangle stored bottom, right, top, left.
    QRectF box(const WmfRecord& r, int bottomWord) const {
        return QRectF(QPointF(r.signedWord(bottomWord + 3), r.signedWord(bottomWord + 2)),
                      QPointF(r.signedWord(bottomWord + 1), r.signedWord(bottomWord)))
            .normalized();
    }
    QPolygonF polygon(const WmfRecord& r, int firstWord, int count) const {
        QPolygonF points;
        points.reserve(count);
        for (int i = 0; i < count; ++i) {
            points << QPointF(r.signedWord(firstWord + 2 * i), r.signedWord(firstWord + 2 * i + 1));
        }
        return points;
    }
    void text(QPointF reference, std::span<const std::uint8_t> bytes, std::uint16_t options,
              const QRectF* rect, const WmfRecord* spacing, int spacingWord);
    bool bitmap(std::span<const std::uint8_t> dib, const QRectF& source, const QRectF& destination);

    QPainter& painter_;
    QRectF target_;
    const WmfFile& file_;
    QTransform base_;
    DeviceState state_;
    std::vector<DeviceState> saved_;
    wmf::ObjectTable<GdiObject> objects_;
    int unsupported_ = 0;
};

bool Playback::play(const WmfRecord& r) {
    switch (r.function) {
    case wmf::SetMapMode:
    case wmf::SetRop2:
    case wmf::SetStretchBltMode:
    case wmf::SetViewportOrg:
    case wmf::SetViewportExt:
        return true; // the target rectangle decides the mapping; drawing copies
    case wmf::SetWindowOrg:
        state_.windowOrigin = point(r, 0);
        map();
        return true;
    case wmf::SetWindowExt:
        state_.windowExtent = QSizeF(r.signedWord(1), r.signedWord(0));
        map();
        return true;
    case wmf::SetBkMode:
        state_.opaque = r.word(0) == wmf::BkOpaque;
        return true;
    case wmf::SetBkColor:
        state_.backgroundColor = colorOf(r.doubleWord(0));
        return true;
    case wmf::SetTextColor:
        state_.textColor = colorOf(r.doubleWord(0));
        return true;
    case wmf::SetTextAlign:
        state_.textAlign = r.word(0);
        return true;
    case wmf::SetPolyFillMode:
        state_.fillRule = r.word(0) == wmf::PolyFillWinding ? Qt::WindingFill : Qt::OddEvenFill;
        return true;
    case wmf::SaveDc:
        saved_.push_back(state_);
        return true;
    case wmf::RestoreDc: {
        const int which = r.signedWord(0);
        const int index = which < 0 ? static_cast<int>(saved_.size()) + which : which - 1;
        if (index < 0 || index >= static_cast<int>(saved_.size())) {
            return false;
        }
        state_ = saved_[index];
        saved_.resize(index);
        map();
        return true;
    }
    case wmf::CreatePenIndirect:
    case wmf::CreateBrushIndirect:
    case wmf::CreateFontIndirect:
    case wmf::CreatePalette:
    case wmf::CreatePatternBrush:
    case wmf::DibCreatePatternBrush:
    case wmf::CreateRegion:
        return create(r);
    case wmf::SelectObject: {
        const GdiObject* object = objects_.at(r.word(0));
        if (!object) {
            return false;
        }
        switch (object->kind) {
        case GdiObject::Kind::Pen:
            state_.pen = object->pen;
            break;
        case GdiObject::Kind::Brush:
            state_.brush = object->brush;
            break;
        case GdiObject::Kind::Font:
            state_.font = object->font;
            break;
        case GdiObject::Kind::Other:
            break;
        }
        return true;
    }
    case wmf::DeleteObject:
        return objects_.remove(r.word(0));
    case wmf::MoveTo:
        state_.position = point(r, 0);
        return true;
    case wmf::LineTo: {
        const QPointF to = point(r, 0);
        painter_.setPen(state_.pen);
        painter_.drawLine(state_.position, to);
        state_.position = to;
        return true;
    }
    case wmf::Rectangle:
        shape();
        painter_.drawRect(box(r, 0));
        return true;
    case wmf::Ellipse:
        shape();
        painter_.drawEllipse(box(r, 0));
        return true;
    case wmf::RoundRect:
        shape();
        painter_.drawRoundedRect(box(r, 2), std::abs(r.signedWord(1)) / 2.0, std::abs(r.signedWord(0)) / 2.0);
        return true;
    case wmf::Polygon:
        shape();
        painter_.drawPolygon(polygon(r, 1, r.word(0)), state_.fillRule);
        return true;
    case wmf::Polyline:
        painter_.setPen(state_.pen);
        painter_.drawPolyline(polygon(r, 1, r.word(0)));
        return true;
    case wmf::PolyPolygon: {
        const int count = r.word(0);
        QPainterPath path;
        path.setFillRule(state_.fillRule);
        int word = 1 + count;
        for (int i = 0; i < count; ++i) {
            const int points = r.word(1 + i);
            path.addPolygon(polygon(r, word, points));
            path.closeSubpath();
            word += 2 * points;
        }
        shape();
        painter_.drawPath(path);
        return true;
    }
    case wmf::TextOut: {
        const int length = r.word(0);
        const int after = 1 + (length + 1) / 2;
        const auto bytes = r.bytesFrom(1);
        text(point(r, after), bytes.first(std::min<std::size_t>(length, bytes.size())), 0, nullptr, nullptr,
             0);
        return true;
    }
    case wmf::ExtTextOut: {
        const int length = r.word(2);
        const std::uint16_t options = r.word(3);
        int word = 4;
        QRectF rect;
        const bool hasRect = options & (wmf::EtoOpaque | wmf::EtoClipped);
        if (hasRect) {
            rect =
                QRectF(QPointF(r.signedWord(4), r.signedWord(5)), QPointF(r.signedWord(6), r.signedWord(7)))
                    .normalized();
            word = 8;
        }
        const auto bytes = r.bytesFrom(word);
        const int spacingWord = word + (length + 1) / 2;
        text(point(r, 0), bytes.first(std::min<std::size_t>(length, bytes.size())), options,
             hasRect ? &rect : nullptr, spacingWord + length <= r.words() ? &r : nullptr, spacingWord);
        return true;
    }
    case wmf::StretchDib: {
        const QRectF source(r.signedWord(6), r.signedWord(5), r.signedWord(4), r.signedWord(3));
        const QRectF destination(r.signedWord(10), r.signedWord(9), r.signedWord(8), r.signedWord(7));
        return bitmap(r.bytesFrom(11), source, destination);
    }
    case wmf::DibStretchBlt: {
        if (r.words() == (r.function >> 8)) {
            return false; // a pattern fill without a bitmap
        }
        const QRectF source(r.signedWord(5), r.signedWord(4), r.signedWord(3), r.signedWord(2));
        const QRectF destination(r.signedWord(9), r.signedWord(8), r.signedWord(7), r.signedWord(6));
        return bitmap(r.bytesFrom(10), source, destination);
    }
    case wmf::DibBitBlt: {
        if (r.words() == (r.function >> 8)) {
            return false;
        }
        const QSizeF size(r.signedWord(5), r.signedWord(4));
        const QRectF source(QPointF(r.signedWord(3), r.signedWord(2)), size);
        const QRectF destination(QPointF(r.signedWord(7), r.signedWord(6)), size);
        return bitmap(r.bytesFrom(8), source, destination);
    }
    default:
        return false;
    }
}

bool Playback::create(const WmfRecord& r) {
    switch (r.function) {
    case wmf::CreatePenIndirect: {
        const std::uint16_t style = r.word(0);
        const int width = r.signedWord(1);
        QPen pen(colorOf(r.doubleWord(3)), std::abs(width)); // width 0: one device pixel
        switch (style & wmf::PenStyleMask) {
        case wmf::PenNull:
            pen.setStyle(Qt::NoPen);
            break;
        case wmf::PenDash:
            pen.setStyle(Qt::DashLine);
            break;
        case wmf::PenDot:
            pen.setStyle(Qt::DotLine);
            break;
        case wmf::PenDashDot:
            pen.setStyle(Qt::DashDotLine);
            break;
        case wmf::PenDashDotDot:
            pen.setStyle(Qt::DashDotDotLine);
            break;
        default:
            break;
        }
        const std::uint16_t cap = style & wmf::PenEndCapMask;
        pen.setCapStyle(cap == wmf::PenEndCapFlat     ? Qt::FlatCap
                        : cap == wmf::PenEndCapSquare ? Qt::SquareCap
                                                      : Qt::RoundCap);
        const std::uint16_t join = style & wmf::PenJoinMask;
        pen.setJoinStyle(join == wmf::PenJoinBevel   ? Qt::BevelJoin
                         : join == wmf::PenJoinMiter ? Qt::MiterJoin
                                                     : Qt::RoundJoin);
        objects_.add({GdiObject::Kind::Pen, pen, {}, {}});
        return true;
    }
    case wmf::CreateBrushIndirect: {
        const QColor color = colorOf(r.doubleWord(1));
        switch (r.word(0)) {
        case wmf::BrushNull:
            objects_.add({GdiObject::Kind::Brush, {}, QBrush(Qt::NoBrush), {}});
            return true;
        case wmf::BrushHatched: {
            static constexpr Qt::BrushStyle Hatches[] = {Qt::HorPattern,   Qt::VerPattern,
                                                         Qt::FDiagPattern, Qt::BDiagPattern,
                                                         Qt::CrossPattern, Qt::DiagCrossPattern};
            const std::uint16_t hatch = r.word(3);
            objects_.add({GdiObject::Kind::Brush,
                          {},
                          QBrush(color, hatch < std::size(Hatches) ? Hatches[hatch] : Qt::SolidPattern),
                          {}});
            return true;
        }
        default:
            objects_.add({GdiObject::Kind::Brush, {}, QBrush(color), {}});
            return true;
        }
    }
    case wmf::CreateFontIndirect: {
        const auto bytes = r.bytesFrom(0);
        if (bytes.size() < 18) {
            objects_.add({});
            return false;
        }
        const auto faceBytes =
            bytes.subspan(18, std::min<std::size_t>(bytes.size() - 18, wmf::FaceNameBytes));
        const auto end = std::find(faceBytes.begin(), faceBytes.end(), 0);
        const std::uint8_t charset = bytes[13];
        const QFont face = makeFont(WmfPlayer::decodeText({faceBytes.begin(), end}, charset), r.signedWord(4),
                                    bytes[10] != 0, bytes[11] != 0, bytes[12] != 0);
        const int height = r.signedWord(0);
        double emHeight = state_.font->emHeight;
        if (height < 0) {
            emHeight = -height;
        } else if (height > 0) { // the cell height, internal leading included
            QFont probe = face;
            probe.setPixelSize(1000);
            const QFontMetricsF metrics(probe);
            emHeight = height * 1000.0 / (metrics.ascent() + metrics.descent());
        }
        objects_.add({GdiObject::Kind::Font,
                      {},
                      {},
                      std::make_shared<const FontObject>(face, emHeight, r.signedWord(2), charset)});
        return true;
    }
    default:
        objects_.add({});
        return false;
    }
}

void Playback::text(QPointF reference, std::span<const std::uint8_t> bytes, std::uint16_t options,
                    const QRectF* rect, const WmfRecord* spacing, int spacingWord) {
    const FontObject& font = *state_.font;
    const QString string = WmfPlayer::decodeText(bytes, font.charset);
    const std::uint16_t horizontal = state_.textAlign & wmf::TaHorizontalMask;
    const bool updatePosition = state_.textAlign & wmf::TaUpdateCp;

    std::vector<double> positions; // of each character, in layout pixels
    double width = 0;
    if (spacing) {
        for (qsizetype i = 0; i < string.size(); ++i) {
            positions.push_back(width);
            width += spacing->signedWord(spacingWord + static_cast<int>(i)) * font.scale;
        }
    } else if (horizontal != wmf::TaLeft || updatePosition || state_.opaque) {
        width = font.metrics.horizontalAdvance(string);
    }

    if (updatePosition) {
        reference = state_.position;
        state_.position.rx() += (horizontal == wmf::TaRight ? -width : width) / font.scale;
    }
    const double x = horizontal == wmf::TaCenter ? -width / 2 : horizontal == wmf::TaRight ? -width : 0;
    double baseline = 0;
    switch (state_.textAlign & wmf::TaVerticalMask) {
    case wmf::TaBaseline:
        break;
    case wmf::TaBottom:
        baseline = -font.metrics.descent();
        break;
    default:
        baseline = font.metrics.ascent();
        break;
    }

    const bool clipped = rect && (options & wmf::EtoClipped);
    if (clipped) {
        painter_.save();
        painter_.setClipRect(*rect, Qt::IntersectClip);
    }
    if (rect && (options & wmf::EtoOpaque)) {
        painter_.fillRect(*rect, state_.backgroundColor);
    }
    const QTransform logical = painter_.transform();
    QTransform layout = logical;
    layout.translate(reference.x(), reference.y());
    if (font.escapement != 0) {
        layout.rotate(-font.escapement / 10.0);
    }
    layout.scale(1 / font.scale, 1 / font.scale);
    painter_.setTransform(layout);
    if (state_.opaque) {
        painter_.fillRect(QRectF(x, baseline - font.metrics.ascent(), width,
                                 font.metrics.ascent() + font.metrics.descent()),
                          state_.backgroundColor);
    }
    painter_.setFont(font.font);
    painter_.setPen(state_.textColor);
    if (spacing) {
        for (qsizetype i = 0; i < string.size(); ++i) {
            painter_.drawText(QPointF(x + positions[i], baseline), QString(string[i]));
        }
    } else {
        painter_.drawText(QPointF(x, baseline), string);
    }
    painter_.setTransform(logical);
    if (clipped) {
        painter_.restore();
    }
}

// A device-independent bitmap, read by Qt's BMP reader once a file header is put before it.
bool Playback::bitmap(std::span<const std::uint8_t> dib, const QRectF& source, const QRectF& destination) {
    if (dib.size() < 12) {
        return false;
    }
    const std::uint32_t headerSize = dib[0] | (dib[1] << 8) | (dib[2] << 16) | (std::uint32_t(dib[3]) << 24);
    std::uint32_t paletteBytes = 0;
    bool bottomUp = true;
    if (headerSize == 12) { // the old core header: three bytes a colour
        const int bits = dib[10] | (dib[11] << 8);
        paletteBytes = bits <= 8 ? 3u << bits : 0;
    } else if (headerSize >= 40 && dib.size() >= 40) {
        const int bits = dib[14] | (dib[15] << 8);
        const std::uint32_t compression = dib[16] | (dib[17] << 8);
        bottomUp = (dib[11] & 0x80) == 0; // a negative height: rows from the top
        const std::uint32_t used =
            dib[32] | (dib[33] << 8) | (dib[34] << 16) | (std::uint32_t(dib[35]) << 24);
        paletteBytes = 4 * (used != 0 ? used : bits <= 8 ? 1u << bits : 0u);
        if (compression == 3 && headerSize == 40) {
            paletteBytes += 12; // the three colour masks
        }
    } else {
        return false;
    }

    QByteArray file("BM", 2);
    const auto put32 = [&file](std::uint32_t value) {
        for (int i = 0; i < 4; ++i) {
            file.append(static_cast<char>((value >> (8 * i)) & 0xFF));
        }
    };
    put32(static_cast<std::uint32_t>(14 + dib.size()));
    put32(0);
    put32(14 + headerSize + paletteBytes);
    file.append(reinterpret_cast<const char*>(dib.data()), static_cast<qsizetype>(dib.size()));
    const QImage image = QImage::fromData(file, "BMP");
    if (image.isNull()) {
        return false;
    }
    // The source rectangle of a bottom-up bitmap counts rows from its bottom.
    QRectF from = source.normalized();
    if (bottomUp) {
        from.moveTop(image.height() - from.top() - from.height());
    }
    painter_.drawImage(destination.normalized(), image, from);
    return true;
}

} // namespace

WmfPlayer::WmfPlayer(std::shared_ptr<const WmfFile> file) : file_(std::move(file)) {}

QSizeF WmfPlayer::sizeInInches() const {
    const WmfFile::Frame frame = file_->frame();
    double unitsPerInch = 96;
    if (file_->placeable() && file_->placeable()->unitsPerInch != 0) {
        unitsPerInch = file_->placeable()->unitsPerInch;
    }
    return QSizeF(std::abs(frame.width) / unitsPerInch, std::abs(frame.height) / unitsPerInch);
}

int WmfPlayer::play(QPainter& painter, const QRectF& target) const {
    // A font of no size gets twelve points.
    const double unitsPerInch =
        file_->placeable() && file_->placeable()->unitsPerInch != 0 ? file_->placeable()->unitsPerInch : 96.0;
    return Playback(painter, target, *file_, unitsPerInch * 12 / 72).run();
}

QString WmfPlayer::decodeText(std::span<const std::uint8_t> bytes, std::uint8_t charset) {
    while (!bytes.empty() && bytes.back() == 0) {
        bytes = bytes.first(bytes.size() - 1);
    }
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (const std::uint8_t byte : bytes) {
        if (charset == wmf::CharsetSymbol) {
            text.append(QChar(byte));
        } else {
            const std::optional<char32_t> ch = cp1257ToUnicode(byte);
            text.append(QChar(ch ? static_cast<char16_t>(*ch) : u'\uFFFD'));
        }
    }
    return text;
}

QString WmfPlayer::familyFor(const QString& face) {
    static const std::pair<QString, QString> Substitutes[] = {
        {"Arial", "Liberation Sans"},
        {"Arial Narrow", "Liberation Sans Narrow"},
        {"Times New Roman", "Liberation Serif"},
        {"Courier New", "Liberation Mono"},
    };
    for (const auto& [windows, here] : Substitutes) {
        if (face.compare(windows, Qt::CaseInsensitive) == 0) {
            return here;
        }
    }
    return face;
}

} // namespace nakva
