#include "messages/StandardWarnings.h"
#include "messages/ErrorText.h"
#include "messages/ScopedMessageSink.h"
#include "messages/ScriptedMessages.h"

#include "support/CaseName.h"

#include <gtest/gtest.h>

namespace nakva {
namespace {

// Every case starts with the store's last operation failing with "Disk full (45)".
class StandardWarningFixture : public ::testing::Test {
protected:
    void SetUp() override {
        clearSavedErrorCondition();
        setLastOperationError({45, "Disk full   "});
    }
    void TearDown() override {
        clearSavedErrorCondition();
        setLastOperationError({});
    }
    ScriptedMessages messages;
    ScopedMessageSink guard{messages};
};

struct TextCase {
    const char* name;
    int number;
    std::string first;
    std::string second;
    std::string title;
    std::string text;
};

void PrintTo(const TextCase& c, std::ostream* out) {
    *out << c.name;
}

class StandardWarningTextTest : public StandardWarningFixture,
                                public ::testing::WithParamInterface<TextCase> {};

TEST_P(StandardWarningTextTest, AssembledExactly) {
    const TextCase& c = GetParam();
    EXPECT_NO_THROW(standardWarning(c.number, c.first, c.second));
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].title, c.title);
    EXPECT_EQ(messages.shown()[0].text, c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StandardWarningTextTest,
    ::testing::Values(
        TextCase{"ProcedureNotDefined", 6, "SpZurnala", "", "Procedūra neapibrėžta",
                 "Procedūra SpZurnala neapibrėžta."},
        TextCase{"RecordNotReadHasNoTitle", 7, "", "", "",
                 "Negaliu nuskaityti įrašo.  Klaida: Disk full (45).  Skaitymas nutrauktas"},
        TextCase{"TooLarge", 8, "Kaina", "1000", "Reikšmė už ribų",
                 "Kaina reikšmė turi būti mažesnė negu 1000."},
        TextCase{"TooSmall", 9, "Kaina", "0", "Reikšmė už ribų", "Kaina reikšmė turi būti didesnė negu 0."},
        TextCase{"OutOfRange", 10, "Kiekis", "1 ir 9", "Reikšmė už ribų",
                 "Reikšmė Kiekis turi būti tarp 1 ir 9."},
        TextCase{"NotInLookUp", 11, "Valstybė", "Valstyb", "Negeras lauko turinys",
                 "Valstybė reikšmė turi būti faile Valstyb."},
        TextCase{
            "DeleteRefused", 13, "Saskait", "", "Susietų įrašų pašalinimo klaida",
            "Šis įrašas susietas su failu Saskait.  Įrašo negalima išmesti kol egzistuoja šis ryšys tarp "
            "failų."},
        TextCase{"RewriteFailed", 15, "Kamb", "", "Įrašymo operacijos klaida",
                 "Klaida (Disk full (45))  įrašant į failą.  Galima priežastis: Kamb."},
        TextCase{"DeleteFailed", 17, "SEilGraf", "", "Pašalinimo operacijos klaida",
                 "Klaida (Disk full (45))  pašalinant įrašą iš failo SEilGraf."},
        TextCase{"DuplicateKey", 24, "VAL:VALSTKEY", "", "Klaida-dubliuotas indeksas",
                 "Įrašas su tokiais raktiniais laukais jau egzistuoja. Indeksas:VAL:VALSTKEY"},
        TextCase{"NumberingFailed", 25, "", "", "Autonumeracijos klaida",
                 "Šio įrašo autonumeracija neįvykdyta .  Klaida: Disk full (45)."},
        TextCase{"ReadError", 26, "Kamb", "", "Klaida skaitant failą",
                 "Kamb -klaida skaitant failą.  Klaida: Disk full (45)."},
        TextCase{"StopReading", 27, "Kamb ", "", "Nutraukti skaitymą", "Ar tikrai nutraukti Kamb skaitymą?"},
        TextCase{"EndOfFile", 29, "Down", "", "Failo pabaigos klaida",
                 "Failo pabaiga.  Ar žiūrėsite failą nuo pradžios?"},
        TextCase{"StartOfFile", 29, "Up", "", "Failo pradžios klaida",
                 "Failo pradžia.  Ar žiūrėsite failą nuo pabaigos?"},
        TextCase{"CannotOpen", 30, "DATA/Kamb.tps", "", "Failo atidarymo klaida",
                 "Negaliu atidaryti failo (DATA/Kamb.tps).   Klaida: Disk full (45)."},
        TextCase{"BatchPut", 31, "Put", "Saskait", "PUT klaida procese",
                 "Klaida keičiant failą Saskait Klaida: Disk full (45)"},
        TextCase{"BatchDelete", 31, "Delete", "Saskait", "DELETE klaida procese",
                 "Klaida keičiant failą Saskait Klaida: Disk full (45)"},
        TextCase{"TransactionUpdate", 34, "Update", "Saskait", "Tranzakcijos klaida",
                 "Klaida: (Disk full (45)) sukuriant update tranzakciją pagal Saskait.  Update tranzakcija "
                 "nutraukiama."},
        TextCase{"TransactionDelete", 34, "Delete", "Valstyb", "Tranzakcijos klaida",
                 "Klaida: (Disk full (45)) sukuriant delete tranzakciją pagal Valstyb.  Delete tranzakcija "
                 "nutraukiama."},
        TextCase{"RecordRetrieval", 35, "Mokej", "", "Record Retrieval Error",
                 "Klaida: (Disk full (45)) skaitant įrašą iš failo Mokej .  Grįžtu į ankstesnį langą."},
        TextCase{"ViewNotStarted", 36, "", "", "(VIEW) atidarymo klaida",
                 "Klaida: (Disk full (45)) atidarant struktūrą (VIEW). Filtro sąlygų pritaikyti negalima, "
                 "todėl neatrinktas nė vienas įrašas."},
        TextCase{"ChangedByAnotherUser", 38, "", "", "Įrašas neišsaugotas",
                 "Šį įrašą jau pakeitė kitas vartotojas.Dabar matysite jau pakeistus duomenis."}),
    nakva::testing::CaseName());

struct ChoiceCase {
    int number;
    unsigned buttons;
    int defaultButton;
    MessageIcon icon;
};

void PrintTo(const ChoiceCase& c, std::ostream* out) {
    *out << "warning " << c.number;
}

class StandardWarningChoiceTest : public StandardWarningFixture,
                                  public ::testing::WithParamInterface<ChoiceCase> {};

TEST_P(StandardWarningChoiceTest, ButtonsDefaultAndIcon) {
    const MessageRequest request = standardWarningRequest(GetParam().number, "Down");
    EXPECT_EQ(request.buttons, GetParam().buttons);
    EXPECT_EQ(request.defaultButton, GetParam().defaultButton);
    EXPECT_EQ(request.icon, GetParam().icon);
}

constexpr unsigned kYesNoCancel = ButtonYes | ButtonNo | ButtonCancel;
INSTANTIATE_TEST_SUITE_P(
    Cases, StandardWarningChoiceTest,
    ::testing::Values(ChoiceCase{1, ButtonOk, ButtonOk, MessageIcon::Information},
                      ChoiceCase{2, ButtonYes | ButtonNo, ButtonYes, MessageIcon::Exclamation},
                      ChoiceCase{16, kYesNoCancel, ButtonCancel, MessageIcon::Information},
                      ChoiceCase{18, kYesNoCancel, ButtonCancel, MessageIcon::Information},
                      ChoiceCase{23, ButtonYes | ButtonNo, ButtonNo, MessageIcon::Exclamation},
                      ChoiceCase{25, ButtonRetry | ButtonCancel, ButtonCancel, MessageIcon::Information},
                      ChoiceCase{27, ButtonOk | ButtonCancel, ButtonCancel, MessageIcon::Exclamation},
                      ChoiceCase{29, ButtonYes | ButtonNo, ButtonYes, MessageIcon::Exclamation},
                      ChoiceCase{32, ButtonOk | ButtonCancel, ButtonCancel, MessageIcon::Exclamation},
                      ChoiceCase{33, kYesNoCancel, ButtonNo, MessageIcon::Exclamation},
                      ChoiceCase{37, ButtonYes | ButtonNo, ButtonYes, MessageIcon::Exclamation},
                      ChoiceCase{38, ButtonOk, ButtonOk, MessageIcon::Information}),
    nakva::testing::CaseName());

struct StopCase {
    int number;
    int answer;
    std::string stopText;
};

void PrintTo(const StopCase& c, std::ostream* out) {
    *out << "warning " << c.number;
}

class StandardWarningStopTest : public StandardWarningFixture,
                                public ::testing::WithParamInterface<StopCase> {};

TEST_P(StandardWarningStopTest, StopsAfterTheMessage) {
    messages.answerNext(GetParam().answer);
    try {
        standardWarning(GetParam().number, "DATA/Kamb.tps");
        FAIL() << "no program stop";
    } catch (const ProgramStop& stop) {
        EXPECT_EQ(stop.text, GetParam().stopText);
    }
    EXPECT_EQ(messages.shown().size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Cases, StandardWarningStopTest,
                         ::testing::Values(StopCase{1, ButtonOk, "Failas sugadintas !"},
                                           StopCase{2, ButtonNo, "Sugedęs failo indeksas !"},
                                           StopCase{3, ButtonOk, "Klaida indeksuojant !"},
                                           StopCase{4, ButtonOk, "Klaida sukuriant failą !"},
                                           StopCase{5, ButtonOk, "Klaida sukuriant failą !"},
                                           StopCase{22, ButtonOk, "Klaida sukuriant failą."}),
                         nakva::testing::CaseName());

TEST_F(StandardWarningFixture, OpeningMessagesReadAsTheirPartsSay) {
    EXPECT_EQ(standardWarningRequest(1, "DATA/Kamb.tps").text,
              "Klaida: (Disk full (45)) faile DATA/Kamb.tps.  Paspauskite GERAI ir užbaikite programą.");
    EXPECT_EQ(standardWarningRequest(2, "DATA/Kamb.tps").text,
              "Indeksų failas DATA/Kamb.tps sugedęs.  Ar perindeksuoti?");
    EXPECT_EQ(standardWarningRequest(4, "DATA/Kamb.tps").title, "Klaida, sukuriant failą");
    EXPECT_EQ(
        standardWarningRequest(5, "DATA/Kamb.tps").text,
        "Klaida: (Disk full (45)) atidarant sukurtą failą:DATA/Kamb.tps.  Paspauskite GERAI ir užbaikite "
        "programą.");
    EXPECT_EQ(
        standardWarningRequest(22, "DATA/Kamb.tps").text,
        "Neradau failo DATA/Kamb.tps, todėl failo sukūrimas neleistinas.  Paspauskite GERAI ir užbaikite šią "
        "programą.");
}

TEST_F(StandardWarningFixture, RebuildAnsweredYesGoesOn) {
    messages.answerNext(ButtonYes);
    EXPECT_EQ(standardWarning(2, "DATA/Kamb.tps"), ButtonYes);
}

TEST_F(StandardWarningFixture, ReturnsThePressedButton) {
    messages.answerNext(ButtonYes);
    EXPECT_EQ(standardWarning(33), ButtonYes);
    EXPECT_EQ(standardWarning(33), ButtonNo); // the default once the script is used up
}

TEST_F(StandardWarningFixture, RewriteOfARecordChangedByAnotherStation) {
    setLastOperationError({kRecordChangedByAnotherStation, "Įrašą pakeitė kita stotis"});
    standardWarning(15, "Valstyb");
    EXPECT_EQ(messages.shown().at(0).title, "Įrašymo operacijos klaida");
    EXPECT_EQ(messages.shown().at(0).text, "Šį įrašą jau pakeitė kitas vartotojas.");
}

TEST_F(StandardWarningFixture, ErrorTakenFromTheSavedConditionOverTheLast) {
    saveErrorCondition({7, "Access denied"});
    setLastOperationError({0, ""}); // the roll-back succeeded
    standardWarning(14);
    EXPECT_EQ(messages.shown().at(0).text, "Klaida išsaugant įrašą.  Klaida: Access denied (7).");
}

TEST_F(StandardWarningFixture, SavedConditionClearedByTheWarningThatUsedIt) {
    saveErrorCondition({7, "Access denied"});
    standardWarning(13, "Saskait"); // no error in its text
    EXPECT_EQ(currentErrorCondition().number, 7);
    standardWarning(17, "Saskait");
    EXPECT_EQ(currentErrorCondition().number, 45);
    EXPECT_EQ(messages.shown().at(1).text, "Klaida (Access denied (7))  pašalinant įrašą iš failo Saskait.");
}

TEST_F(StandardWarningFixture, SavedConditionClearedAlsoWhenTheProgramStops) {
    saveErrorCondition({7, "Access denied"});
    EXPECT_THROW(standardWarning(4, "DATA/Kamb.tps"), ProgramStop);
    EXPECT_EQ(currentErrorCondition().number, 45);
}

TEST_F(StandardWarningFixture, UnknownNumberStillShowsItsTexts) {
    EXPECT_NO_THROW(standardWarning(99, "Kamb", "x"));
    EXPECT_NE(messages.shown().at(0).text.find("99"), std::string::npos);
    EXPECT_NE(messages.shown().at(0).text.find("Kamb"), std::string::npos);
}

TEST(StandardWarningTable, EveryNumberDefined) {
    for (int number = 1; number <= kStandardWarningCount; ++number) {
        const StandardWarningDefinition* warning = standardWarningDefinition(number);
        ASSERT_NE(warning, nullptr) << number;
        EXPECT_EQ(warning->number, number);
        EXPECT_FALSE(warning->text.empty()) << number;
        EXPECT_EQ(warning->title.empty(), number == 7) << number;
    }
    EXPECT_EQ(standardWarningDefinition(0), nullptr);
    EXPECT_EQ(standardWarningDefinition(39), nullptr);
}

} // namespace
} // namespace nakva
