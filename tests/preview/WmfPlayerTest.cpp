#include "preview/WmfPlayer.h"
#include "preview/PictureFile.h"
#include "reports/PageCanvas.h"
#include "reports/WmfFile.h"
#include "reports/WmfFormat.h"
#include "reports/WmfWriter.h"

#include <QFontInfo>
#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>

#include <map>

namespace nakva {

namespace {

// A4 at 144 pixels to the inch: 10 twips a pixel.
constexpr int ImageWidth = 1191;

std::shared_ptr<const WmfFile> parsed(std::vector<std::uint8_t> bytes) {
    std::string error;
    auto file = WmfFile::parse(std::move(bytes), &error);
    if (!file) {
        qWarning("%s", error.c_str());
    }
    return file;
}

// Drawn without smoothing, so that edges fall on whole pixels.
QImage rendered(const std::shared_ptr<const WmfFile>& file, int width = ImageWidth,
                int* unsupported = nullptr) {
    const WmfPlayer player(file);
    const QSizeF inches = player.sizeInInches();
    QImage image(width, qRound(width * inches.height() / inches.width()), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    const int skipped = player.play(painter, image.rect());
    if (unsupported) {
        *unsupported = skipped;
    }
    return image;
}

QImage rendered(const PageCanvas& page) {
    return rendered(parsed(writeWmf(page)));
}

bool dark(const QImage& image, int x, int y) {
    return qGray(image.pixel(x, y)) < 128;
}

// The rows and columns (in pixels) that hold dark pixels.
QRect inkOf(const QImage& image) {
    QRect ink;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (dark(image, x, y)) {
                ink |= QRect(x, y, 1, 1);
            }
        }
    }
    return ink;
}

// A minimal metafile made by hand, as another program might write it: no placeable header.
std::vector<std::uint8_t> handMade(const std::vector<std::vector<std::uint16_t>>& records) {
    std::vector<std::uint16_t> words = {1, 9, 0x0300, 0, 0, 0, 0, 0, 0};
    for (const auto& record : records) {
        const auto size = static_cast<std::uint32_t>(record.size() + 2);
        words.push_back(static_cast<std::uint16_t>(size));
        words.push_back(static_cast<std::uint16_t>(size >> 16));
        words.insert(words.end(), record.begin(), record.end());
    }
    words.insert(words.end(), {3, 0, wmf::Eof});
    std::vector<std::uint8_t> bytes;
    for (std::uint16_t word : words) {
        bytes.push_back(static_cast<std::uint8_t>(word & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(word >> 8));
    }
    return bytes;
}

} // namespace

class WmfPlayerTest : public QObject {
    Q_OBJECT

private slots:
    void pageSizeComesFromThePlaceableHeader() {
        const WmfPlayer portrait(parsed(writeWmf(PageCanvas())));
        QCOMPARE(qRound(portrait.sizeInPoints().width()), 595);
        QCOMPARE(qRound(portrait.sizeInPoints().height()), 842);
        const WmfPlayer landscape(parsed(writeWmf(PageCanvas(PageOrientation::Landscape))));
        QCOMPARE(qRound(landscape.sizeInPoints().width()), 842);
    }

    // The hollow brush keeps what lies under a box; a filled box covers it.
    void boxesAndLinesLandWhereDrawn() {
        PageCanvas page;
        page.line({2000, 3000}, {4000, 3000}, 20);
        page.box({1000, 2000, 4000, 2000}, 20);
        page.fillBox({6000, 2000, 2000, 2000}, Color{255, 0, 0});
        page.line({6500, 1000}, {6500, 5000}, 20); // over the red box
        const QImage image = rendered(page);

        QVERIFY(dark(image, 300, 300));  // the line inside the hollow box
        QVERIFY(dark(image, 100, 250));  // the box's left edge
        QVERIFY(dark(image, 300, 200));  // its top edge
        QVERIFY(!dark(image, 200, 250)); // inside: untouched
        QCOMPARE(QColor(image.pixel(700, 300)), QColor(255, 0, 0));
        QVERIFY(dark(image, 650, 300)); // the line drawn after the red box
        QVERIFY(!dark(image, 900, 300));
    }

    // Text stands on its baseline whatever the font's ascent; left, right and centre anchor at the
    // point (an H has equal side bearings, so its ink stands off the point by the same on either side).
    void textIsAnchoredOnItsBaseline() {
        std::map<Align, QRect> ink;
        for (const Align align : {Align::Left, Align::Right, Align::Center}) {
            PageCanvas page;
            page.setFont({"Arial", 36});
            page.text({5000, 5000}, "HHHH", align);
            ink[align] = inkOf(rendered(page));
            QVERIFY(!ink[align].isEmpty());
            QVERIFY2(qAbs(ink[align].bottom() - 499) <= 1, qPrintable(QString::number(ink[align].bottom())));
            // 36 pt is 72 pixels; a capital of Liberation Sans stands 1 409 of its 2 048 units: 49.5.
            QVERIFY2(qAbs(ink[align].height() - 49.5) <= 1, qPrintable(QString::number(ink[align].height())));
        }
        const int bearing = ink[Align::Left].left() - 500;
        QVERIFY2(bearing > 0 && bearing < 10, qPrintable(QString::number(bearing)));
        QVERIFY2(qAbs((500 - ink[Align::Right].right()) - bearing) <= 1,
                 qPrintable(QString::number(ink[Align::Right].right())));
        QVERIFY2(qAbs(ink[Align::Center].center().x() - 500) <= 1,
                 qPrintable(QString::number(ink[Align::Center].center().x())));
    }

    // Liberation Sans has Arial's widths: "Ąžuolas" advances 7 286 font units of 2 048 to the em.
    void arialIsDrawnWithLiberationSans() {
        QCOMPARE(WmfPlayer::familyFor("Arial"), QString("Liberation Sans"));
        QCOMPARE(WmfPlayer::familyFor("arial"), QString("Liberation Sans"));
        QCOMPARE(WmfPlayer::familyFor("Tahoma"), QString("Tahoma"));
        QCOMPARE(QFontInfo(QFont(WmfPlayer::familyFor("Arial"))).family(), QString("Liberation Sans"));

        PageCanvas page;
        page.setFont({"Arial", 100});
        page.text({1000, 5000}, "Ąžuolas");
        const QRect ink = inkOf(rendered(page));
        // 100 pt at 10 twips a pixel: an advance of 7 286 / 2 048 × 200 = 711.5 pixels, the ink a little
        // less; DejaVu Sans would take some 15 % more.
        QVERIFY2(ink.width() > 690 && ink.width() <= 712, qPrintable(QString::number(ink.width())));
    }

    void textIsDecodedFromWindows1257() {
        const std::uint8_t baltic[] = {0xC0, 0xFE, 'u', 'o', 'l', 'a', 's', 0xFB, 0xEB, 0xE1, 0};
        QCOMPARE(WmfPlayer::decodeText(baltic, wmf::CharsetBaltic), QString("Ąžuolasūėį"));
        QCOMPARE(WmfPlayer::decodeText(baltic, 0), QString("Ąžuolasūėį"));
        const std::uint8_t symbol[] = {0xC0, 'a'};
        QCOMPARE(WmfPlayer::decodeText(symbol, wmf::CharsetSymbol), QString(QChar(0xC0)) + "a");
    }

    void rasterAndMetafilePicturesAreDrawn() {
        auto red = std::make_shared<RasterPicture>();
        red->width = 2;
        red->height = 1;
        red->pixels = {0xFF0000, 0x0000FF};
        PageCanvas logo;
        logo.fillBox({0, 0, logo.width(), logo.height()}, Color{0, 128, 0});

        PageCanvas page;
        page.picture(Rect{1000, 1000, 2000, 1000}, std::shared_ptr<const RasterPicture>(red));
        page.picture(Rect{5000, 1000, 1000, 1000}, parsed(writeWmf(logo)));
        const QImage image = rendered(page);
        QCOMPARE(QColor(image.pixel(140, 150)), QColor(255, 0, 0)); // left half red
        QCOMPARE(QColor(image.pixel(260, 150)), QColor(0, 0, 255)); // right half blue
        QCOMPARE(QColor(image.pixel(550, 150)), QColor(0, 128, 0)); // the logo page, shrunk
        QCOMPARE(QColor(image.pixel(620, 150)), QColor(Qt::white));
    }

    // The invoice logo from a GIF (its transparent part white, as on paper) or a JPEG.
    void logoFilesArePlacedOnThePage() {
        QTemporaryDir folder;
        // Two pixels: blue, and green marked transparent.
        const char gif[] = "GIF89a\x02\x00\x01\x00\x80\x00\x00"       // 2 × 1, two colours
                           "\x00\x00\xFF\x00\xFF\x00"                 // blue, green
                           "\x21\xF9\x04\x01\x00\x00\x01\x00"         // colour 1 is transparent
                           "\x2C\x00\x00\x00\x00\x02\x00\x01\x00\x00" // the image
                           "\x02\x02\x44\x0A\x00\x3B";                // codes: clear, 0, 1, end
        QFile file(folder.filePath("Firma.gif"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(gif, sizeof gif - 1);
        file.close();
        QVERIFY(QImage(2, 2, QImage::Format_RGB32).save(folder.filePath("Firma.jpg")));

        const auto logo = loadRasterPicture(folder.filePath("Firma.gif").toStdString());
        QVERIFY(logo);
        QCOMPARE(logo->width, 2);
        QCOMPARE(logo->height, 1);
        QCOMPARE(logo->pixels[0], 0x0000FFu);
        QCOMPARE(logo->pixels[1], 0xFFFFFFu);
        QVERIFY(loadRasterPicture(folder.filePath("Firma.jpg").toStdString()));
        QVERIFY(!loadRasterPicture(folder.filePath("Firma.wmf").toStdString()));

        PageCanvas page;
        page.picture(Rect{1000, 1000, 4000, 2000}, logo);
        const QImage image = rendered(page);
        QCOMPARE(QColor(image.pixel(150, 150)), QColor(0, 0, 255));
        QCOMPARE(QColor(image.pixel(450, 250)), QColor(Qt::white));
        QCOMPARE(QColor(image.pixel(250, 250)), QColor(0, 0, 255));
    }

    // Records it cannot draw are counted; the rest of the page is still drawn.
    void unsupportedRecordsAreCountedNotFatal() {
        PageCanvas page;
        page.box({1000, 1000, 2000, 2000}, 20);
        std::vector<std::uint8_t> bytes = writeWmf(page);
        const std::vector<std::uint8_t> arc = {11, 0, 0, 0, 0x17, 0x08, 0, 0, 0, 0, 0,
                                               0,  0, 0, 0, 0,    0,    0, 0, 0, 0, 0};   // Arc: 8 words
        const std::vector<std::uint8_t> escape = {5, 0, 0, 0, 0x26, 0x06, 0x0F, 0, 0, 0}; // a comment
        bytes.insert(bytes.begin() + 40, escape.begin(), escape.end()); // as the first record
        bytes.insert(bytes.end() - 6, arc.begin(), arc.end());          // before the end record
        const auto file = parsed(bytes);
        QVERIFY(file);

        int unsupported = 0;
        const QImage image = rendered(file, ImageWidth, &unsupported);
        QCOMPARE(unsupported, 2);
        QVERIFY(dark(image, 100, 200));
    }

    // A file that sets no background mode and no brush gets Windows' defaults: an opaque white
    // brush that covers what lies under a rectangle. Report pages therefore write their own.
    void filesWithoutSetUpGetWindowsDefaults() {
        const auto file = parsed(handMade({
            {wmf::SetWindowOrg, 0, 0},
            {wmf::SetWindowExt, 100, 100},
            {wmf::MoveTo, 50, 10},
            {wmf::LineTo, 50, 90},
            {wmf::Rectangle, 80, 80, 20, 20},
        }));
        QVERIFY(file);
        const QImage image = rendered(file, 100);
        QVERIFY(dark(image, 10, 50));  // the line outside the rectangle
        QVERIFY(!dark(image, 50, 50)); // covered by the white brush
        QVERIFY(dark(image, 20, 50));  // the rectangle's outline
    }
};

} // namespace nakva

QTEST_MAIN(nakva::WmfPlayerTest)
#include "WmfPlayerTest.moc"
