#include "reports/WmfWriter.h"
#include "reports/PageCanvas.h"
#include "reports/WmfFile.h"
#include "reports/WmfFormat.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>

namespace nakva {
namespace {

std::shared_ptr<const WmfFile> written(const PageCanvas& page) {
    std::string error;
    auto file = WmfFile::parse(writeWmf(page), &error);
    EXPECT_TRUE(file) << error;
    return file;
}

std::vector<WmfRecord> recordsOf(const WmfFile& file, std::uint16_t function) {
    std::vector<WmfRecord> found;
    for (const WmfRecord& record : file.records()) {
        if (record.function == function) {
            found.push_back(record);
        }
    }
    return found;
}

std::string bytesOf(std::span<const std::uint8_t> bytes, std::size_t count) {
    return std::string(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(count));
}

PageCanvas samplePage() {
    PageCanvas page;
    page.setFont({"Arial", 12, true});
    page.text({mm(20), mm(20)}, "PREKIŲ-PASLAUGŲ SĄRAŠAS", Align::Center);
    page.setFont({});
    for (int row = 0; row < 5; ++row) {
        page.setOrigin({0, mm(40) + row * pt(14)});
        page.text({mm(20), pt(10)}, "Ąžuolas, Čiurlionis, Šiauliai");
        page.text({mm(190), pt(10)}, "12.50", Align::Right);
        page.line({mm(20), pt(13)}, {mm(190), pt(13)});
    }
    page.setOrigin({});
    page.box({mm(15), mm(15), mm(180), mm(100)});
    page.fillBox({mm(15), mm(120), mm(50), mm(10)}, LightGray, ThinLine);
    return page;
}

TEST(WmfWriterTest, HeadersDescribeTheFile) {
    const std::vector<std::uint8_t> bytes = writeWmf(samplePage());
    const auto file = WmfFile::parse(bytes);
    ASSERT_TRUE(file);
    ASSERT_TRUE(file->placeable());
    const WmfFile::Placeable& placeable = *file->placeable();
    EXPECT_TRUE(placeable.checksumValid);
    EXPECT_EQ(placeable.left, 0);
    EXPECT_EQ(placeable.top, 0);
    EXPECT_EQ(placeable.right, 11906); // A4 in twips
    EXPECT_EQ(placeable.bottom, 16838);
    EXPECT_EQ(placeable.unitsPerInch, 1440);
    EXPECT_TRUE(file->hasEndRecord());
    EXPECT_EQ(file->sizeWords() * 2, bytes.size() - wmf::PlaceableHeaderBytes);

    std::uint32_t largest = 3; // the end record
    for (const WmfRecord& record : file->records()) {
        largest = std::max<std::uint32_t>(largest, 3 + static_cast<std::uint32_t>(record.words()));
    }
    EXPECT_EQ(file->maxRecordWords(), largest);
}

TEST(WmfWriterTest, LandscapePageIsWiderThanHigh) {
    const auto file = written(PageCanvas(PageOrientation::Landscape));
    EXPECT_EQ(file->placeable()->right, 16838);
    EXPECT_EQ(file->placeable()->bottom, 11906);
    const WmfRecord extent = recordsOf(*file, wmf::SetWindowExt).at(0);
    EXPECT_EQ(extent.signedWord(0), 11906); // y before x
    EXPECT_EQ(extent.signedWord(1), 16838);
}

// The set-up that keeps readers from painting white over lines and from using their own defaults.
TEST(WmfWriterTest, PageStartsWithMappingTransparencyAndHollowBrush) {
    const auto file = written(samplePage());
    const std::vector<WmfRecord>& records = file->records();
    ASSERT_GE(records.size(), 7u);
    EXPECT_EQ(records[0].function, wmf::SetMapMode);
    EXPECT_EQ(records[0].word(0), wmf::MapModeAnisotropic);
    EXPECT_EQ(records[1].function, wmf::SetWindowOrg);
    EXPECT_EQ(records[1].signedWord(0), 0);
    EXPECT_EQ(records[2].function, wmf::SetWindowExt);
    EXPECT_EQ(records[2].signedWord(0), 16838);
    EXPECT_EQ(records[2].signedWord(1), 11906);
    EXPECT_EQ(records[3].function, wmf::SetBkMode);
    EXPECT_EQ(records[3].word(0), wmf::BkTransparent);
    EXPECT_EQ(records[5].function, wmf::CreateBrushIndirect);
    EXPECT_EQ(records[5].word(0), wmf::BrushNull);
    EXPECT_EQ(records[6].function, wmf::SelectObject);
    EXPECT_EQ(records[6].word(0), 0);
}

TEST(WmfWriterTest, TextIsBalticArialOnTheBaseline) {
    PageCanvas page;
    page.setFont({"Arial", 10, true, true});
    page.text({1000, 2000}, "Ąžuolas ūkis", Align::Right);
    page.text({3000, 2000}, "Ω≈", Align::Center); // not in the code page
    const auto file = written(page);

    const WmfRecord font = recordsOf(*file, wmf::CreateFontIndirect).at(0);
    EXPECT_EQ(font.signedWord(0), -200); // 10 points
    EXPECT_EQ(font.word(4), wmf::WeightBold);
    EXPECT_EQ(font.bytesFrom(5)[0], 1); // italic
    EXPECT_EQ(font.bytesFrom(5)[3], wmf::CharsetBaltic);
    EXPECT_EQ(bytesOf(font.bytesFrom(9), 6), std::string("Arial\0", 6));

    const std::vector<WmfRecord> aligns = recordsOf(*file, wmf::SetTextAlign);
    ASSERT_EQ(aligns.size(), 2u);
    EXPECT_EQ(aligns[0].word(0), wmf::TaBaseline | wmf::TaRight);
    EXPECT_EQ(aligns[1].word(0), wmf::TaBaseline | wmf::TaCenter);

    const std::vector<WmfRecord> texts = recordsOf(*file, wmf::ExtTextOut);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].signedWord(0), 2000); // y
    EXPECT_EQ(texts[0].signedWord(1), 1000); // x
    EXPECT_EQ(texts[0].word(2), 12);
    EXPECT_EQ(texts[0].word(3), 0);
    EXPECT_EQ(bytesOf(texts[0].bytesFrom(4), 12), "\xC0\xFEuolas \xFBkis"); // Windows-1257
    EXPECT_EQ(bytesOf(texts[1].bytesFrom(4), 2), "??");
}

TEST(WmfWriterTest, ShapesStoreTheirCoordinatesInWindowsOrder) {
    PageCanvas page;
    page.setOrigin({100, 200});
    page.line({10, 20}, {30, 40}, ThickLine);
    page.box({1, 2, 300, 400});
    const auto file = written(page);

    const WmfRecord moveTo = recordsOf(*file, wmf::MoveTo).at(0);
    EXPECT_EQ(moveTo.signedWord(0), 220);
    EXPECT_EQ(moveTo.signedWord(1), 110);
    const WmfRecord lineTo = recordsOf(*file, wmf::LineTo).at(0);
    EXPECT_EQ(lineTo.signedWord(0), 240);
    EXPECT_EQ(lineTo.signedWord(1), 130);
    const WmfRecord pen = recordsOf(*file, wmf::CreatePenIndirect).at(0);
    EXPECT_EQ(pen.word(0), wmf::PenSolid);
    EXPECT_EQ(pen.signedWord(1), ThickLine);

    const WmfRecord box = recordsOf(*file, wmf::Rectangle).at(0);
    EXPECT_EQ(box.signedWord(0), 602); // bottom
    EXPECT_EQ(box.signedWord(1), 401); // right
    EXPECT_EQ(box.signedWord(2), 202); // top
    EXPECT_EQ(box.signedWord(3), 101); // left
}

TEST(WmfWriterTest, FilledBoxWithoutOutlineUsesSolidBrushAndNullPen) {
    PageCanvas page;
    page.fillBox({0, 0, 10, 10}, Color{10, 20, 30});
    const auto file = written(page);
    const std::vector<WmfRecord> brushes = recordsOf(*file, wmf::CreateBrushIndirect);
    ASSERT_EQ(brushes.size(), 2u);
    EXPECT_EQ(brushes[1].word(0), wmf::BrushSolid);
    EXPECT_EQ(brushes[1].doubleWord(1), 0x001E140Au); // 0x00BBGGRR
    EXPECT_EQ(recordsOf(*file, wmf::CreatePenIndirect).at(0).word(0), wmf::PenNull);
}

// Replays the object records the way a reader does and checks every reference.
TEST(WmfWriterTest, ObjectTableReusesTheLowestFreeIndex) {
    PageCanvas page;
    for (int i = 0; i < 20; ++i) {
        page.setFont({"Arial", 8.0 + i % 3, i % 2 == 0});
        page.text({0, i * 100}, "x");
        page.line({0, 0}, {10, 10}, 5 + i % 2);
        page.fillBox({0, 0, 10, 10}, Color{static_cast<std::uint8_t>(i), 0, 0});
    }
    const auto file = written(page);

    wmf::ObjectTable<std::uint16_t> table;
    int selections = 0;
    for (const WmfRecord& record : file->records()) {
        switch (record.function) {
        case wmf::CreatePenIndirect:
        case wmf::CreateBrushIndirect:
        case wmf::CreateFontIndirect:
            table.add(record.function);
            break;
        case wmf::SelectObject:
            ASSERT_TRUE(table.at(record.word(0))) << "selects a free index " << record.word(0);
            ++selections;
            break;
        case wmf::DeleteObject:
            ASSERT_TRUE(table.remove(record.word(0))) << "deletes a free index " << record.word(0);
            break;
        default:
            break;
        }
    }
    EXPECT_GT(selections, 40);
    EXPECT_LE(table.size(), 6); // one pen, brush and font at a time, plus their replacements
    EXPECT_EQ(file->objectCount(), table.size());
}

TEST(WmfWriterTest, RasterPictureIsABottomUpDib) {
    auto picture = std::make_shared<RasterPicture>();
    picture->width = 2;
    picture->height = 2;
    picture->pixels = {0x112233, 0x445566, 0x778899, 0xAABBCC}; // top row, then bottom row
    PageCanvas page;
    page.picture(Rect{100, 200, 1440, 720}, std::shared_ptr<const RasterPicture>(picture));
    const auto file = written(page);

    const WmfRecord dib = recordsOf(*file, wmf::StretchDib).at(0);
    EXPECT_EQ(dib.doubleWord(0), wmf::RopSourceCopy);
    EXPECT_EQ(dib.word(2), wmf::DibRgbColors);
    EXPECT_EQ(dib.signedWord(3), 2);   // source height
    EXPECT_EQ(dib.signedWord(4), 2);   // source width
    EXPECT_EQ(dib.signedWord(7), 720); // destination height
    EXPECT_EQ(dib.signedWord(8), 1440);
    EXPECT_EQ(dib.signedWord(9), 200); // y
    EXPECT_EQ(dib.signedWord(10), 100);
    const std::span<const std::uint8_t> info = dib.bytesFrom(11);
    ASSERT_GE(info.size(), 40u + 16u);
    EXPECT_EQ(info[0], 40);
    EXPECT_EQ(info[14], 24); // bits per pixel
    // Rows are padded to four bytes, the bottom row first, blue green red.
    const std::string pixels = bytesOf(info.subspan(40), 16);
    EXPECT_EQ(pixels, std::string("\x99\x88\x77\xCC\xBB\xAA\0\0\x33\x22\x11\x66\x55\x44\0\0", 16));
}

TEST(WmfWriterTest, MetafilePictureIsMappedIntoItsRectangle) {
    PageCanvas logo;
    logo.box({0, 0, logo.width(), logo.height()});
    logo.setFont({"Arial", 20});
    logo.text({100, 500}, "Firma");
    const auto picture = written(logo);

    PageCanvas page;
    page.setFont({"Arial", 9});
    page.text({0, 0}, "prieš");
    page.picture(Rect{1000, 2000, logo.width() / 10, logo.height() / 10}, picture);
    page.text({0, 0}, "po");
    const auto file = written(page);

    const WmfRecord box = recordsOf(*file, wmf::Rectangle).at(0);
    EXPECT_EQ(box.signedWord(0), 2000 + logo.height() / 10);
    EXPECT_EQ(box.signedWord(1), 1000 + logo.width() / 10);
    EXPECT_EQ(box.signedWord(2), 2000);
    EXPECT_EQ(box.signedWord(3), 1000);
    const std::vector<WmfRecord> fonts = recordsOf(*file, wmf::CreateFontIndirect);
    ASSERT_EQ(fonts.size(), 2u);
    EXPECT_EQ(fonts[1].signedWord(0), -40); // 20 points at a tenth
    const WmfRecord text = recordsOf(*file, wmf::ExtTextOut).at(1);
    EXPECT_EQ(text.signedWord(0), 2050);
    EXPECT_EQ(text.signedWord(1), 1010);
    EXPECT_EQ(recordsOf(*file, wmf::SaveDc).size(), 1u);
    EXPECT_EQ(recordsOf(*file, wmf::RestoreDc).size(), 1u);
    EXPECT_EQ(recordsOf(*file, wmf::SetWindowExt).size(), 1u); // the picture's own is not copied

    // The page's font is selected again for the text after the picture.
    const std::vector<WmfRecord>& records = file->records();
    const auto restore = std::find_if(records.begin(), records.end(),
                                      [](const WmfRecord& r) { return r.function == wmf::RestoreDc; });
    const auto after = std::find_if(restore, records.end(), [](const WmfRecord& r) {
        return r.function == wmf::SelectObject && r.word(0) == 1;
    });
    EXPECT_NE(after, records.end());
}

TEST(WmfFileTest, DamagedFilesAreRefused) {
    std::vector<std::uint8_t> bytes = writeWmf(samplePage());
    std::string error;
    EXPECT_FALSE(WmfFile::parse({bytes.begin(), bytes.begin() + 30}, &error));
    EXPECT_EQ(error, "Failas nėra Windows metafailas (WMF).");
    EXPECT_FALSE(WmfFile::parse({'a', 'b', 'c'}, &error));

    std::vector<std::uint8_t> cut = bytes;
    cut.resize(cut.size() - 10); // a record cut short
    EXPECT_FALSE(WmfFile::parse(cut, &error));
    EXPECT_TRUE(error.starts_with("Metafailas sugadintas")) << error;

    bytes[20] ^= 1; // a wrong checksum is noted, the file still read
    const auto file = WmfFile::parse(bytes);
    ASSERT_TRUE(file);
    EXPECT_FALSE(file->placeable()->checksumValid);
}

// libwmf's own check of the structure, when the tool is installed.
TEST(WmfWriterTest, PassesWmf2svgDiagnostics) {
    if (std::system("command -v wmf2svg > /dev/null 2>&1") != 0) {
        GTEST_SKIP() << "wmf2svg (libwmf-bin) is not installed";
    }
    auto logo = std::make_shared<RasterPicture>();
    logo->width = 3;
    logo->height = 1;
    logo->pixels = {0xFF0000, 0x00FF00, 0x0000FF};
    PageCanvas page = samplePage();
    page.picture(Rect{mm(150), mm(10), mm(30), mm(10)}, std::shared_ptr<const RasterPicture>(logo));

    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("nakva-wmf-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const std::filesystem::path wmfPath = folder / "page.wmf";
    const std::vector<std::uint8_t> bytes = writeWmf(page);
    std::ofstream(wmfPath, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));

    const std::string command = "wmf2svg --wmf-diagnostics -o '" + (folder / "page.svg").string() + "' '" +
                                wmfPath.string() + "' > '" + (folder / "log").string() + "' 2>&1";
    const int status = std::system(command.c_str());
    std::ifstream logFile(folder / "log");
    const std::string log((std::istreambuf_iterator<char>(logFile)), std::istreambuf_iterator<char>());
    if (log.find("failed to load *any* font") != std::string::npos) {
        std::filesystem::remove_all(folder);
        GTEST_SKIP() << "wmf2svg finds no fonts (fonts-urw-base35 is not installed)";
    }
    EXPECT_EQ(status, 0) << log;
    EXPECT_EQ(log.find("ERROR"), std::string::npos) << log;
    EXPECT_EQ(log.find("error"), std::string::npos) << log;
    EXPECT_TRUE(std::filesystem::file_size(folder / "page.svg") > 0);
    std::filesystem::remove_all(folder);
}

} // namespace
} // namespace nakva
