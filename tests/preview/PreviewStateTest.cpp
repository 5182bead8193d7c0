#include "preview/PreviewState.h"

#include "messages/ScopedMessageSink.h"
#include "messages/ScriptedMessages.h"

#include "support/CaseName.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>

namespace nakva {
namespace {

constexpr double A4 = 297.0 / 210.0;

PageList numberedPages(int count) {
    PageList pages;
    for (int i = 1; i <= count; ++i) {
        pages.emplace_back("page" + std::to_string(i));
    }
    return pages;
}

PreviewState state(int total, int across = 1, int down = 1, ZoomMode zoom = ZoomMode::WholePage,
                   int current = 1) {
    PreviewState s(numberedPages(total), A4);
    s.setPagesShown(across, down);
    s.setZoom(zoom);
    s.jumpTo(current);
    return s;
}

std::set<PreviewControl> enabledControls(const PreviewState& s) {
    std::set<PreviewControl> enabled;
    for (const PreviewControlDef& def : previewControls()) {
        if (s.enabled(def.control)) {
            enabled.insert(def.control);
        }
    }
    return enabled;
}

using C = PreviewControl;
const std::set<C> alwaysEnabled{C::ZoomIn,   C::Zoom,  C::ZoomOut, C::PrintPart,
                                C::SavePage, C::Print, C::Close,   C::SavePdf};

std::set<C> plus(std::set<C> controls) {
    controls.insert(alwaysEnabled.begin(), alwaysEnabled.end());
    return controls;
}

struct ButtonCase {
    const char* name;
    int total;
    int across;
    int down;
    ZoomMode zoom;
    int current;
    std::set<C> enabled;
};

void PrintTo(const ButtonCase& c, std::ostream* out) {
    *out << c.name;
}

class PreviewButtons : public ::testing::TestWithParam<ButtonCase> {};

TEST_P(PreviewButtons, FollowThePageShown) {
    const ButtonCase& c = GetParam();
    EXPECT_EQ(enabledControls(state(c.total, c.across, c.down, c.zoom, c.current)), plus(c.enabled));
}

INSTANTIATE_TEST_SUITE_P(
    States, PreviewButtons,
    ::testing::Values(
        ButtonCase{"onePageWholePage", 1, 1, 1, ZoomMode::WholePage, 1, {}},
        ButtonCase{"onePageZoomed", 1, 1, 1, ZoomMode::Percent200, 1, {}},
        ButtonCase{"onePageSeveralShown", 1, 2, 2, ZoomMode::WholePage, 1, {}},
        ButtonCase{"firstOfThree",
                   3,
                   1,
                   1,
                   ZoomMode::WholePage,
                   1,
                   {C::FindPage, C::SeveralPages, C::NextPage, C::LastPage}},
        ButtonCase{"middleOfThree",
                   3,
                   1,
                   1,
                   ZoomMode::PageWidth,
                   2,
                   {C::FindPage, C::SeveralPages, C::FirstPage, C::PreviousPage, C::NextPage, C::LastPage}},
        ButtonCase{"lastOfThree",
                   3,
                   1,
                   1,
                   ZoomMode::WholePage,
                   3,
                   {C::FindPage, C::SeveralPages, C::FirstPage, C::PreviousPage}},
        ButtonCase{"portionsOnFive",
                   5,
                   2,
                   2,
                   ZoomMode::WholePage,
                   1,
                   {C::FindPage, C::SeveralPages, C::NextPage, C::NextPortion, C::LastPage}},
        ButtonCase{"lastPortionShowsTheEnd",
                   5,
                   2,
                   2,
                   ZoomMode::WholePage,
                   2,
                   {C::FindPage, C::SeveralPages, C::FirstPage, C::PreviousPage, C::PreviousPortion}},
        ButtonCase{"portionsOffWhenZoomed",
                   5,
                   2,
                   2,
                   ZoomMode::Percent100,
                   3,
                   {C::FindPage, C::SeveralPages, C::FirstPage, C::PreviousPage, C::NextPage, C::LastPage}}),
    nakva::testing::CaseName());

enum class Move { First, PreviousPortion, Previous, Next, NextPortion, Last };

struct MoveCase {
    const char* name;
    int total;
    int across;
    int down;
    ZoomMode zoom;
    int from;
    Move move;
    int to;
};

void PrintTo(const MoveCase& c, std::ostream* out) {
    *out << c.name;
}

class PreviewMoves : public ::testing::TestWithParam<MoveCase> {};

TEST_P(PreviewMoves, LandOnTheRightPage) {
    const MoveCase& c = GetParam();
    PreviewState s = state(c.total, c.across, c.down, c.zoom, c.from);
    switch (c.move) {
    case Move::First:
        s.firstPage();
        break;
    case Move::PreviousPortion:
        s.previousPortion();
        break;
    case Move::Previous:
        s.previousPage();
        break;
    case Move::Next:
        s.nextPage();
        break;
    case Move::NextPortion:
        s.nextPortion();
        break;
    case Move::Last:
        s.lastPage();
        break;
    }
    EXPECT_EQ(s.current(), c.to);
}

INSTANTIATE_TEST_SUITE_P(
    Moves, PreviewMoves,
    ::testing::Values(
        MoveCase{"nextPortionFromOne", 5, 2, 2, ZoomMode::WholePage, 1, Move::NextPortion, 5},
        MoveCase{"nextPortionFromFiveStays", 5, 2, 2, ZoomMode::WholePage, 5, Move::NextPortion, 5},
        MoveCase{"lastShowsTheLastFour", 5, 2, 2, ZoomMode::WholePage, 1, Move::Last, 2},
        MoveCase{"lastWhenAllFit", 3, 2, 2, ZoomMode::WholePage, 1, Move::Last, 1},
        MoveCase{"previousPortionStopsAtOne", 5, 2, 2, ZoomMode::WholePage, 3, Move::PreviousPortion, 1},
        MoveCase{"previousPortionBackFour", 9, 2, 2, ZoomMode::WholePage, 6, Move::PreviousPortion, 2},
        MoveCase{"zoomedPortionIsOnePage", 5, 2, 2, ZoomMode::Percent150, 2, Move::NextPortion, 3},
        MoveCase{"zoomedPortionBack", 5, 2, 2, ZoomMode::Percent150, 2, Move::PreviousPortion, 1},
        MoveCase{"zoomedLastIsTotal", 5, 2, 2, ZoomMode::PageWidth, 1, Move::Last, 5},
        MoveCase{"nextOnLastStays", 4, 1, 1, ZoomMode::WholePage, 4, Move::Next, 4},
        MoveCase{"previousOnFirstStays", 4, 1, 1, ZoomMode::WholePage, 1, Move::Previous, 1},
        MoveCase{"first", 4, 1, 1, ZoomMode::WholePage, 3, Move::First, 1}),
    nakva::testing::CaseName());

TEST(PreviewZoom, WalksTheChainAndStopsAtItsEnds) {
    PreviewState s = state(2);
    s.zoomOut();
    EXPECT_EQ(s.zoom(), ZoomMode::WholePage);
    for (ZoomMode expected : {ZoomMode::PageWidth, ZoomMode::Percent100, ZoomMode::Percent150,
                              ZoomMode::Percent200, ZoomMode::Percent300, ZoomMode::Percent300}) {
        s.zoomIn();
        EXPECT_EQ(s.zoom(), expected);
    }
    s.zoomOut();
    EXPECT_EQ(s.zoom(), ZoomMode::Percent200);
    EXPECT_EQ(zoomStatusText(ZoomMode::Percent200), "Mastelis: (200%)");
    EXPECT_EQ(zoomStatusText(ZoomMode::WholePage), "Mastelis: Visas lapas");
    EXPECT_EQ(zoomStatusText(ZoomMode::PageWidth), "Mastelis: Lapo plotis");
}

TEST(PreviewPagesShown, HeldWithinOneToTen) {
    PreviewState s = state(20);
    EXPECT_FALSE(s.setPagesShown(1, 1));
    EXPECT_TRUE(s.setPagesShown(0, 11));
    EXPECT_EQ(s.across(), 1);
    EXPECT_EQ(s.down(), 10);
    EXPECT_EQ(s.shown(), 10);
    s.setZoom(ZoomMode::Percent100);
    EXPECT_EQ(s.shown(), 1);
}

TEST(PreviewTexts, StatusJumpAndSaveTitles) {
    PreviewState s = state(12, 1, 1, ZoomMode::WholePage, 3);
    EXPECT_EQ(s.pageText(), "Lapas 3");
    EXPECT_EQ(s.totalText(), "Iš viso lapų: 12");
    EXPECT_EQ(s.jumpTitle(), "Atversti lapą (iš viso lapų: 12)");
    EXPECT_EQ(s.savePageTitle(), "Išsaugoti lapą Nr.3 WMF faile");
    EXPECT_EQ(s.currentPageFile(), "page3");
    s.jumpTo(40);
    EXPECT_EQ(s.current(), 12);
    s.jumpTo(0);
    EXPECT_EQ(s.current(), 1);
}

class PreviewPrintPart : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ =
            std::filesystem::temp_directory_path() /
            ("nakva-preview-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    PageList makePages(int count) {
        PageList pages;
        for (int i = 1; i <= count; ++i) {
            pages.push_back(folder_ / ("p" + std::to_string(i)));
            std::ofstream(pages.back()) << i;
        }
        return pages;
    }
    PageList filesLeft() const {
        PageList left;
        for (const auto& entry : std::filesystem::directory_iterator(folder_)) {
            left.push_back(entry.path());
        }
        std::sort(left.begin(), left.end());
        return left;
    }

    std::filesystem::path folder_;
};

TEST_F(PreviewPrintPart, RangeKeepsItsPagesAndDeletesTheOthers) {
    const PageList pages = makePages(5);
    PreviewState s(pages, A4);
    s.printPart({.range = true, .from = 2, .to = 3, .copies = 1});
    EXPECT_EQ(s.pages(), (PageList{pages[1], pages[2]}));
    EXPECT_EQ(filesLeft(), (PageList{pages[1], pages[2]}));
    EXPECT_EQ(s.result(), PreviewPrint);
}

TEST_F(PreviewPrintPart, RangeThreeToTwoLeavesNothingToPrint) {
    PreviewState s(makePages(5), A4);
    s.printPart({.range = true, .from = 3, .to = 2, .copies = 1});
    EXPECT_TRUE(s.pages().empty());
    EXPECT_TRUE(filesLeft().empty());
}

TEST_F(PreviewPrintPart, AllPagesIgnoresTheRangeFields) {
    const PageList pages = makePages(3);
    PreviewState s(pages, A4);
    s.printPart({.range = false, .from = 3, .to = 2, .copies = 1});
    EXPECT_EQ(s.pages(), pages);
    EXPECT_EQ(filesLeft(), pages);
}

TEST_F(PreviewPrintPart, CopiesComeOutCollated) {
    const PageList pages = makePages(2);
    PreviewState s(pages, A4);
    s.printPart({.range = false, .from = 1, .to = 1, .copies = 3});
    EXPECT_EQ(s.pages(), (PageList{pages[0], pages[1], pages[0], pages[1], pages[0], pages[1]}));
}

TEST_F(PreviewPrintPart, RangeThenCopiesOfIt) {
    const PageList pages = makePages(4);
    PreviewState s(pages, A4);
    s.printPart({.range = true, .from = 3, .to = 9, .copies = 2});
    EXPECT_EQ(s.pages(), (PageList{pages[2], pages[3], pages[2], pages[3]}));
    EXPECT_EQ(s.printOrder().copies, 2);
}

// The pages of a cancelled run: shown, never printed, whichever print control is tried.
TEST_F(PreviewPrintPart, PagesThatAreNotTheWholeReportCannotBePrinted) {
    const PageList pages = makePages(3);
    PreviewState s(pages, A4);
    s.forbidPrinting();
    EXPECT_FALSE(s.enabled(PreviewControl::Print));
    EXPECT_FALSE(s.enabled(PreviewControl::PrintPart));
    EXPECT_TRUE(s.enabled(PreviewControl::SavePdf));
    s.printPart({.range = true, .from = 2, .to = 2, .copies = 2});
    s.print();
    EXPECT_EQ(s.result(), PreviewNoPrint);
    EXPECT_EQ(s.pages(), pages);
    EXPECT_EQ(filesLeft(), pages);
    EXPECT_EQ(s.totalText(), "Iš viso lapų: 3 (ataskaita nutraukta)");
}

TEST(PreviewLayout, WholePageCellsKeepThePageShape) {
    // 800 × 600, 2 × 2: w = (800 − 5) ÷ 2 = 397, h = (600 − 18 − 5) ÷ 2 = 288; A4 is taller than
    // 288 ÷ 397, so w = 288 ÷ 1.414 = 203.
    const WholePageLayout layout = wholePageLayout(800, 600, 2, 2, A4, 4, 6);
    EXPECT_EQ(layout.cellWidth, 203);
    EXPECT_EQ(layout.cellHeight, 288);
    ASSERT_EQ(layout.cells.size(), 3U); // pages 4, 5 and 6; the fourth cell is hidden
    EXPECT_EQ(layout.cells[0].left, 1);
    EXPECT_EQ(layout.cells[0].top, 1);
    EXPECT_EQ(layout.cells[1].left, 207);
    EXPECT_EQ(layout.cells[1].top, 1);
    EXPECT_EQ(layout.cells[2].left, 1);
    EXPECT_EQ(layout.cells[2].top, 292);
    EXPECT_EQ(layout.cells[2].page, 6);

    // A landscape page in one cell: the width stays, h = 798 × 0.7.
    const WholePageLayout wide = wholePageLayout(800, 600, 1, 1, 0.7, 1, 1);
    EXPECT_EQ(wide.cellWidth, 798);
    EXPECT_EQ(wide.cellHeight, 558);

    EXPECT_TRUE(wholePageLayout(20, 20, 10, 10, A4, 1, 100).cells.empty());
}

TEST(PreviewLayout, ZoomedPageIsTheWindowWidthTimesTheFactor) {
    EXPECT_EQ(zoomedPageExtent(ZoomMode::PageWidth, 600, 1.5), (Extent{600, 900}));
    EXPECT_EQ(zoomedPageExtent(ZoomMode::Percent100, 600, 1.5), (Extent{600, 900}));
    EXPECT_EQ(zoomedPageExtent(ZoomMode::Percent300, 600, 1.5), (Extent{1800, 2700}));
}

struct ScrollCase {
    int position;
    int direction;
    int window;
    int image;
    int expected;
};

void PrintTo(const ScrollCase& c, std::ostream* out) {
    *out << c.position << (c.direction > 0 ? " down" : " up") << " window " << c.window << " image "
         << c.image;
}

class PreviewScroll : public ::testing::TestWithParam<ScrollCase> {};

TEST_P(PreviewScroll, ArrowKeyMovesByHalfAWindow) {
    const ScrollCase& c = GetParam();
    EXPECT_EQ(scrolledPosition(c.position, c.direction, c.window, c.image), c.expected);
}

// Window 500, image 1500: one press is 127 × 500 ÷ 1000 = 63.
INSTANTIATE_TEST_SUITE_P(Keys, PreviewScroll,
                         ::testing::Values(ScrollCase{0, +1, 500, 1500, 63},
                                           ScrollCase{63, +1, 500, 1500, 126},
                                           ScrollCase{64, -1, 500, 1500, 1}, ScrollCase{62, -1, 500, 1500, 0},
                                           ScrollCase{0, -1, 500, 1500, 0},
                                           ScrollCase{200, +1, 500, 1500, 256},
                                           ScrollCase{256, +1, 500, 1500, 256},
                                           ScrollCase{0, +1, 500, 500, 0}, ScrollCase{0, +1, 500, 400, 0}),
                         nakva::testing::CaseName());

TEST(PreviewScrollOffset, MapsPositionsOntoTheImage) {
    EXPECT_EQ(scrollOffset(0, 500, 1500), 0);
    EXPECT_EQ(scrollOffset(128, 500, 1500), 500);
    EXPECT_EQ(scrollOffset(256, 500, 1500), 1000);
    EXPECT_EQ(scrollOffset(256, 500, 400), 0);
}

TEST(PreviewEmptyReport, ShowsTheMessageAndOpensNothing) {
    ScriptedMessages messages;
    ScopedMessageSink guard(messages);
    EXPECT_FALSE(refuseEmptyReport(numberedPages(1)));
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_TRUE(refuseEmptyReport({}));
    ASSERT_EQ(messages.shown().size(), 1U);
    EXPECT_EQ(messages.shown()[0].text, "Nėra duomenų, tenkinančių ataskaitos sąlygas");
    EXPECT_EQ(messages.shown()[0].title, "Pranešimas");
}

TEST(PreviewPrintJob, NamedByTheReportOrItsTitle) {
    const std::pair<const char*, const char*> cases[] = {
        {"SpPaslSuvF2", "Paslaugų suvestinė F2"},
        {"SpApmZin", "Ataskaita: Apmokėjimo suvestinė (pagal datą)"},
        {"SpApmZin2", "Ataskaita: Apmokėjimo suvestinė (pagal datą)"},
        {"SpEinRegStatistika", "Ataskaita: Einamoji registracijos statistika"},
        {"SpEinRegSarasa", "Ataskaita: Einamoji registracijos statistika"},
        {"SpKlientKn", "Sąskaitų suvestinė klientui"},
        {"SpPaslSar", "PREKIŲ-PASLAUGŲ SĄRAŠAS"},
    };
    for (const auto& [report, job] : cases) {
        EXPECT_EQ(printJobName(report, "PREKIŲ-PASLAUGŲ SĄRAŠAS"), job) << report;
    }
}

} // namespace
} // namespace nakva
