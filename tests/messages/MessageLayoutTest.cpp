#include "messages/MessageLayout.h"

#include "support/CaseName.h"

#include <gtest/gtest.h>

#include <numeric>

namespace nakva {
namespace {

std::string repeat(std::string_view piece, int times) {
    std::string text;
    for (int i = 0; i < times; ++i)
        text += piece;
    return text;
}

MessageRequest request(std::string text, MessageIcon icon = MessageIcon::None, unsigned buttons = 0) {
    MessageRequest request;
    request.text = std::move(text);
    request.icon = icon;
    request.buttons = buttons;
    return request;
}

struct RowsCase {
    const char* name;
    std::string text;
    std::vector<std::string> rows;
};

void PrintTo(const RowsCase& c, std::ostream* out) {
    *out << c.name;
}

class MessageRowsTest : public ::testing::TestWithParam<RowsCase> {};

TEST_P(MessageRowsTest, SplitsAndBreaks) {
    EXPECT_EQ(messageRows(GetParam().text), GetParam().rows);
}

const std::string k80 = repeat("x", 80);

INSTANTIATE_TEST_SUITE_P(
    Cases, MessageRowsTest,
    ::testing::Values(
        RowsCase{"Empty", "", {""}}, RowsCase{"LineFeed", "Pirma\nAntra", {"Pirma", "Antra"}},
        RowsCase{"Bar", "Pirma|Antra|", {"Pirma", "Antra", ""}},
        RowsCase{"CarriageReturnBeforeLineFeedDropped", "Pirma\r\nAntra", {"Pirma", "Antra"}},
        RowsCase{"LoneCarriageReturnKept", "Pirma\rAntra", {"Pirma\rAntra"}},
        RowsCase{"EightyCharactersStayWhole", k80, {k80}},
        RowsCase{"BlankStaysAtEndOfFirstPart",
                 repeat("x", 40) + " " + repeat("y", 45),
                 {repeat("x", 40) + " ", repeat("y", 45)}},
        // A date or a file name is never split at its hyphens: the row breaks at the blank before it.
        RowsCase{"DateStaysWhole",
                 repeat("x", 70) + " 2024-04-15 " + repeat("y", 10),
                 {repeat("x", 70) + " ", "2024-04-15 " + repeat("y", 10)}},
        RowsCase{"FileNameStaysWhole",
                 "Kopija " + repeat("k", 60) + "/2026-12-07_083015-pries-atkurima/DATA",
                 {"Kopija ", repeat("k", 60) + "/2026-12-07_083015-pries-atkurima/DATA"}},
        RowsCase{"HyphensAloneDoNotBreak",
                 repeat("x", 50) + "-" + repeat("y", 40),
                 {repeat("x", 50) + "-" + repeat("y", 40)}},
        RowsCase{"LastBreakWithinEighty",
                 "aa bb " + repeat("c", 70) + " " + repeat("d", 20),
                 {"aa bb " + repeat("c", 70) + " ", repeat("d", 20)}},
        RowsCase{"BlankJustBeyondEightyIsNotUsed", k80 + " tęsinys", {k80 + " tęsinys"}},
        RowsCase{"NoBlankNotBroken", repeat("z", 120), {repeat("z", 120)}},
        RowsCase{"BlankAtPositionEightyIsUsed", repeat("x", 79) + " " + "yy", {repeat("x", 79) + " ", "yy"}},
        RowsCase{"BrokenAgain",
                 repeat("a", 70) + " " + repeat("b", 70) + " " + repeat("c", 70),
                 {repeat("a", 70) + " ", repeat("b", 70) + " ", repeat("c", 70)}},
        // Eighty Lithuanian letters are 160 bytes but one row.
        RowsCase{"CharactersNotBytes",
                 repeat("ą", 40) + " " + repeat("ž", 39),
                 {repeat("ą", 40) + " " + repeat("ž", 39)}},
        RowsCase{"CharactersNotBytesBroken",
                 repeat("ą", 40) + " " + repeat("ž", 40),
                 {repeat("ą", 40) + " ", repeat("ž", 40)}}),
    nakva::testing::CaseName());

TEST(MessageRows, TwoHundredCharactersMakeThreeRowsBrokenAtBlanks) {
    std::string text;
    while (text.size() < 200)
        text += "žodis ";
    text.resize(200);
    const std::vector<std::string> rows = messageRows(text);
    ASSERT_EQ(rows.size(), 3u);
    for (std::size_t i = 0; i + 1 < rows.size(); ++i)
        EXPECT_TRUE(rows[i].ends_with(' ')) << rows[i];
    EXPECT_EQ(std::accumulate(rows.begin(), rows.end(), std::string()), text);
}

struct ButtonsCase {
    const char* name;
    unsigned buttons;
    std::string captions;
    std::vector<std::string> expectedCaptions;
    std::vector<int> results;
};

void PrintTo(const ButtonsCase& c, std::ostream* out) {
    *out << c.name;
}

class MessageButtonsTest : public ::testing::TestWithParam<ButtonsCase> {};

TEST_P(MessageButtonsTest, InValueOrder) {
    MessageRequest request;
    request.buttons = GetParam().buttons;
    request.captions = GetParam().captions;
    std::vector<std::string> captions;
    std::vector<int> results;
    for (const MessageLayoutButton& button : messageButtons(request)) {
        captions.push_back(button.caption);
        results.push_back(button.result);
    }
    EXPECT_EQ(captions, GetParam().expectedCaptions);
    EXPECT_EQ(results, GetParam().results);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MessageButtonsTest,
    ::testing::Values(
        ButtonsCase{"ZeroIsOk", 0, "", {"&Gerai"}, {1}}, ButtonsCase{"TextZeroIsOk", 0, "0", {"&Gerai"}, {1}},
        ButtonsCase{"YesNoCancel", 70, "", {"&Taip", "&Ne", "&Nutraukti"}, {2, 4, 64}},
        ButtonsCase{"ValueAsText", 0, "70", {"&Taip", "&Ne", "&Nutraukti"}, {2, 4, 64}},
        ButtonsCase{
            "All",
            255,
            "",
            {"&Gerai", "&Taip", "&Ne", "&Nutraukti", "&Kartoti", "&Ignoruoti", "&Nutraukti", "&Pagalba"},
            {1, 2, 4, 8, 16, 32, 64, 128}},
        ButtonsCase{"UnknownBitsAloneAreOk", 256, "", {"&Gerai"}, {1}},
        ButtonsCase{"CaptionsGiveOrdinals", 70, "Vienas|Du|Trys", {"Vienas", "Du", "Trys"}, {1, 2, 3}},
        ButtonsCase{"OneCaption", 0, "&Tęsti", {"&Tęsti"}, {1}}),
    nakva::testing::CaseName());

TEST(MessageButtons, IconsByValue) {
    MessageRequest request;
    request.buttons = 255;
    std::vector<ButtonIconKind> icons;
    for (const MessageLayoutButton& button : messageButtons(request))
        icons.push_back(button.icon);
    using enum ButtonIconKind;
    EXPECT_EQ(icons, (std::vector{CheckMark, CheckMark, Cancel, Cancel, Ditto, Cancel, Cancel, Help}));
}

struct DefaultCase {
    const char* name;
    unsigned buttons;
    std::string captions;
    int requested;
    std::size_t index;
    int answer;
};

void PrintTo(const DefaultCase& c, std::ostream* out) {
    *out << c.name;
}

class MessageDefaultTest : public ::testing::TestWithParam<DefaultCase> {};

TEST_P(MessageDefaultTest, FocusAndAnswer) {
    MessageRequest request;
    request.buttons = GetParam().buttons;
    request.captions = GetParam().captions;
    request.defaultButton = GetParam().requested;
    EXPECT_EQ(layoutMessage(request).defaultIndex, GetParam().index);
    EXPECT_EQ(defaultAnswer(request), GetParam().answer);
}

INSTANTIATE_TEST_SUITE_P(Cases, MessageDefaultTest,
                         ::testing::Values(DefaultCase{"NoneRequestedIsFirst", 70, "", 0, 0, ButtonYes},
                                           DefaultCase{"Requested", 70, "", ButtonCancel, 2, ButtonCancel},
                                           DefaultCase{"NotAmongThemIsFirst", 70, "", ButtonOk, 0, ButtonYes},
                                           DefaultCase{"CaptionOrdinal", 0, "A|B|C", 2, 1, 2},
                                           DefaultCase{"CaptionOrdinalOutOfRange", 0, "A|B|C", 4, 0, 1}),
                         nakva::testing::CaseName());

TEST(MessageLayout, TitleDefaultsToPranesimas) {
    MessageRequest titled = request("x");
    EXPECT_EQ(layoutMessage(titled).title, "Pranešimas");
    titled.title = "Pašalinti įrašą";
    EXPECT_EQ(layoutMessage(titled).title, "Pašalinti įrašą");
}

struct GeometryCase {
    const char* name;
    std::string text;
    MessageIcon icon;
    unsigned buttons;
    int textX;
    int width;
};

void PrintTo(const GeometryCase& c, std::ostream* out) {
    *out << c.name;
}

class MessageGeometryTest : public ::testing::TestWithParam<GeometryCase> {};

TEST_P(MessageGeometryTest, InDialogUnits) {
    const GeometryCase& c = GetParam();
    const MessageLayout layout = layoutMessage(request(c.text, c.icon, c.buttons));
    EXPECT_EQ(layout.textX, c.textX);
    EXPECT_EQ(layout.width, c.width);
    EXPECT_EQ(layout.firstRowY, 12);
    const DialogRect iconRect = c.icon == MessageIcon::None ? DialogRect() : DialogRect(12, 12, 18, 18);
    EXPECT_EQ(layout.iconRect, iconRect);

    const int textBottom = std::max(12 + static_cast<int>(layout.rows.size()) * layout.rowHeight,
                                    c.icon == MessageIcon::None ? 0 : 30);
    const int buttonsWidth = static_cast<int>(layout.buttons.size()) * 56 - 2;
    int x = (layout.width - buttonsWidth) / 2;
    for (const MessageLayoutButton& button : layout.buttons) {
        EXPECT_EQ(button.rect.x, x);
        EXPECT_EQ(button.rect.width, 54);
        EXPECT_GT(button.rect.y, textBottom);
        EXPECT_LE(button.rect.y + button.rect.height, layout.height);
        x += 56;
    }
}

// A character is 4 units wide by default.
INSTANTIATE_TEST_SUITE_P(
    Cases, MessageGeometryTest,
    ::testing::Values(
        GeometryCase{"ShortTextOneButton", "Labas", MessageIcon::None, 0, 12, 1 * 56 + 2 + 24},
        GeometryCase{"ShortTextThreeButtons", "Labas", MessageIcon::None, 70, 12, 3 * 56 + 2 + 24},
        GeometryCase{"LongRow", repeat("m", 50), MessageIcon::None, 0, 12, 200 + 12 + 24},
        GeometryCase{"LongRowWithIcon", repeat("m", 50), MessageIcon::Exclamation, 0, 42, 200 + 42 + 24},
        GeometryCase{"LongestOfSeveralRows", "a\n" + repeat("m", 60) + "\nb", MessageIcon::None, 0, 12,
                     240 + 12 + 24},
        GeometryCase{"ButtonsWiderThanText", "Taip?", MessageIcon::Information, 255, 42, 8 * 56 + 2 + 24}),
    nakva::testing::CaseName());

TEST(MessageLayout, RowsAreSpacedByTheRowHeight) {
    const MessageLayout layout = layoutMessage(request("a\nb\nc"));
    ASSERT_EQ(layout.rows.size(), 3u);
    EXPECT_EQ(layout.buttons[0].rect.y, 12 + 3 * layout.rowHeight + 8);
}

TEST(MessageLayout, WidthComesFromTheGivenMeasure) {
    const MessageLayout layout = layoutMessage(
        request("ab\nabcd"), [](std::string_view row) { return 100 * static_cast<int>(row.size()); });
    EXPECT_EQ(layout.width, 400 + 12 + 24);
}

} // namespace
} // namespace nakva
