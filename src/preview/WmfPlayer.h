#pragma once

#include <QRectF>
#include <QSizeF>
#include <QString>

#include <cstdint>
#include <memory>
#include <span>

class QPainter;

namespace nakva {

class WmfFile;

// Replays a Windows metafile (a report page, or any metafile made of the same kinds of records) onto a
// QPainter of any device: the preview's pixmaps, the printer, the PDF writer. Text is decoded from
// Windows-1257 with the program's own table and anchored as the file says (report pages: on the
// baseline); "Arial" is drawn with the metric-compatible "Liberation Sans". A record it cannot draw is
// counted and passed over.
class WmfPlayer {
public:
    explicit WmfPlayer(std::shared_ptr<const WmfFile> file);

    // The picture's size: from the placeable header's box and units per inch, else its window extent
    // at 96 units to the inch.
    QSizeF sizeInInches() const;
    QSizeF sizeInPoints() const { return sizeInInches() * 72.0; }

    // Draws the picture into `target` (the painter's coordinates); returns the number of records
    // that were not drawn because their kind is not supported.
    int play(QPainter& painter, const QRectF& target) const;

    // Text bytes of a font with this character set: Windows-1257 (the Baltic set and, as on the
    // Lithuanian Windows that made the old pages, the ANSI and default sets); the symbol set byte
    // for byte.
    static QString decodeText(std::span<const std::uint8_t> bytes, std::uint8_t charset);
    // The family drawn for a face a metafile names.
    static QString familyFor(const QString& face);

private:
    std::shared_ptr<const WmfFile> file_;
};

} // namespace nakva
