// The invoice line form on the form engine and real files, as the registration's lines call it: the
// registration (as edited so far) in its buffer, the user's part a script. The line's period, the
// service choice with its schedule, the recomputations, the date checks, the rate re-derived on save,
// cancelling, and the registration's totals after each line.
#include "registration/RegistrationTestSupport.h"

#include "data/Integrity.h"
#include "registration/InvoiceLine.h"
#include "registration/Registration.h"
#include "registration/Schedule.h"
#include "support/AnswerAtOnce.h"
#include "ui/FormEngine.h"

#include <gtest/gtest.h>

#include <memory>

namespace nakva {
namespace {

class InvoiceLineFormTest : public testing::RegistrationTest {
protected:
    void SetUp() override {
        RegistrationTest::SetUp();
        addService("Pusryčiai", "15", "21", "VNT.");
        addService("Vakarienė", "12", "9", "ŽMN.");
        addService("Dovana", "0", "5", "VNT.");
    }

    // The line form as the registration's lines open it: a new line of registration 7, or the stored
    // line `number` current and watched.
    std::unique_ptr<FormEngine> open(Request request, std::int32_t number = 0) {
        Table& table = context.table(TableId::Saskeil);
        table.open();
        table.clear();
        table.record().set(SEI::IrasoNr, 7);
        if (request != Request::Insert) {
            table.record().set(SEI::SEILID, number);
            EXPECT_EQ(table.getByKey(SEI::ID_KEY), StoreStatus::Ok);
            table.watch();
        }
        auto form = std::make_unique<FormEngine>(UpdateSaskeil(), context, selectList);
        const bool opened = form->open(request);
        table.close();
        EXPECT_TRUE(opened);
        return form;
    }

    // The user types into the field and leaves it: false when the form keeps the focus there.
    static bool type(FormEngine& form, int field, const std::string& text) {
        const int item = form.itemOfField(field);
        EXPECT_GE(item, 0);
        return form.setItemText(item, text) && form.acceptItem(item);
    }

    // A line saved through the form with `service`.
    std::int32_t saveLine(const std::string& service) {
        auto form = open(Request::Insert);
        EXPECT_TRUE(type(*form, SEI::PasPav.index, service));
        form->save();
        EXPECT_TRUE(form->finished());
        return form->record().get(SEI::SEILID);
    }

    FormEngine::SelectList selectList =
        nakva::testing::pickerAnsweringAtOnce([this](const FormLookUp& lookUp, Context&) {
            selections.push_back(lookUp.list);
            return Response::Cancelled;
        });
    std::vector<std::string> selections;
};

TEST_F(InvoiceLineFormTest, ANewLineForThreeNightsCoversTheFirstToTheThirdDayAndIsWrittenAtOnce) {
    auto form = open(Request::Insert);
    EXPECT_EQ(form->record().text("SEI:GYVENANUO"), "2024-05-01");
    EXPECT_EQ(form->record().text("SEI:GYVENAIKI"), "2024-05-03");
    ASSERT_EQ(lines().size(), 1u);
    EXPECT_EQ(lines()[0].get(SEI::SEILID), 1);
    EXPECT_EQ(lines()[0].get(SEI::IrasoNr), 7);
}

TEST_F(InvoiceLineFormTest, ChoosingAServiceBuildsTheScheduleAndPricesTheLine) {
    auto form = open(Request::Insert);
    ASSERT_TRUE(type(*form, SEI::PasPav.index, "Pusryčiai"));
    const Record& line = form->record();
    EXPECT_EQ(schedule(1),
              (std::vector<std::string>{"2024-05-01 1.000", "2024-05-02 1.000", "2024-05-03 1.000"}));
    EXPECT_EQ(line.text("SEI:MATVNT"), "VNT.");
    EXPECT_EQ(line.text("SEI:GYVENAPARU"), "3");
    EXPECT_EQ(line.text("SEI:KIEKIS"), "3.000");
    EXPECT_EQ(line.text("SEI:KAINA"), "15.0000");
    EXPECT_EQ(line.text("SEI:SUMA"), "45.00");
    EXPECT_EQ(line.text("SEI:SUMABEPVM"), "37.19");
    EXPECT_EQ(line.text("SEI:PVMSUMA"), "7.81");
    form->save();
    ASSERT_TRUE(form->finished());
    // Saved with the rate its rounded amounts imply: 7.81 / 37.19 = 21.0002.
    EXPECT_EQ(lines().at(0).text("SEI:PVMPROC"), "21.00");
    EXPECT_EQ(lines().at(0).text("SEI:SUMA"), "45.00");
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(InvoiceLineFormTest, PersonsForTwoResidentsOfTheRegistrationAsEditedGiveTwoADay) {
    registration().set(SAS::GYVENTOJUSKC, 2); // typed on the registration form, not yet saved
    auto form = open(Request::Insert);
    ASSERT_TRUE(type(*form, SEI::PasPav.index, "Vakarienė"));
    EXPECT_EQ(form->record().text("SEI:KIEKISPERDIENA"), "2.000");
    EXPECT_EQ(form->record().text("SEI:KIEKIS"), "6.000");
    EXPECT_EQ(form->record().text("SEI:GYVENALOVADIENIU"), "6");
    EXPECT_EQ(form->record().text("SEI:SUMA"), "72.00");
}

TEST_F(InvoiceLineFormTest, AStayEndingOnItsFirstDayGivesAOneDayLine) {
    registration().set(SAS::GyvenaIki, arrival);
    auto form = open(Request::Insert);
    ASSERT_TRUE(type(*form, SEI::PasPav.index, "Pusryčiai"));
    EXPECT_EQ(form->record().text("SEI:GYVENAIKI"), "2024-05-01");
    EXPECT_EQ(schedule(1).size(), 1u);
    EXPECT_EQ(form->record().text("SEI:SUMA"), "15.00");
}

TEST_F(InvoiceLineFormTest, TypedAmountsPricesAndQuantitiesRecomputeTheirNeighbours) {
    auto form = open(Request::Insert);
    ASSERT_TRUE(type(*form, SEI::PasPav.index, "Pusryčiai"));
    ASSERT_TRUE(type(*form, SEI::SUMA.index, "100"));
    EXPECT_EQ(form->record().text("SEI:KAINA"), "33.3333");
    EXPECT_EQ(form->record().text("SEI:PVMSUMA"), "17.36");
    ASSERT_TRUE(type(*form, SEI::KIEKIS.index, "4"));
    EXPECT_EQ(form->record().text("SEI:SUMA"), "133.33");
    ASSERT_TRUE(type(*form, SEI::KIEKIS.index, "0"));
    EXPECT_EQ(form->record().text("SEI:SUMA"), "133.33"); // nothing at a quantity of 0
    // An amount typed at a quantity of 0 keeps the price (no division by zero).
    ASSERT_TRUE(type(*form, SEI::SUMA.index, "121"));
    EXPECT_EQ(form->record().text("SEI:KAINA"), "33.3333");
    EXPECT_EQ(form->record().text("SEI:SUMABEPVM"), "100.00");
    ASSERT_TRUE(type(*form, SEI::PVMPROC.index, "9"));
    EXPECT_EQ(form->record().text("SEI:SUMABEPVM"), "111.01");
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(InvoiceLineFormTest, ARateOutsideZeroToNineHundredNinetyNineIsRefused) {
    auto form = open(Request::Insert);
    EXPECT_FALSE(type(*form, SEI::PVMPROC.index, "-100"));
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].title, "Reikšmė už ribų");
}

TEST_F(InvoiceLineFormTest, TheLastDayBeforeTheFirstIsRefusedWhenAcceptedAndOnSave) {
    auto form = open(Request::Insert);
    EXPECT_FALSE(type(*form, SEI::GYVENAIKI.index, "2024-04-30"));
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].title, "DĖMESIO!");
    EXPECT_EQ(messages.shown()[0].text, "Galutinė data negali būti ankstesnė už pradinę datą !");
    EXPECT_EQ(form->focusItem(), form->itemOfField(SEI::GYVENAIKI.index));

    form->save();
    EXPECT_FALSE(form->finished());
    ASSERT_EQ(messages.shown().size(), 2u);
    // The final check meets the first day first.
    EXPECT_EQ(messages.shown()[1].text, "Galutinė data negali būti ankstesnė už pradinę datą");
    EXPECT_EQ(form->focusItem(), form->itemOfField(SEI::GYVENANUO.index));
}

TEST_F(InvoiceLineFormTest, ChangedDatesRebuildTheScheduleOnYesAndKeepItOnNo) {
    auto form = open(Request::Insert);
    ASSERT_TRUE(type(*form, SEI::PasPav.index, "Pusryčiai"));
    messages.answerNext(ButtonNo);
    ASSERT_TRUE(type(*form, SEI::GYVENAIKI.index, "2024-05-05"));
    EXPECT_EQ(messages.texts(), (std::vector<std::string>{"Ar suformuoti grafiką?"}));
    EXPECT_EQ(messages.shown()[0].title, "Grafiko performavimas");
    EXPECT_EQ(schedule(1).size(), 3u);
    EXPECT_EQ(form->record().text("SEI:KIEKIS"), "3.000"); // the old totals; the new period shows
    EXPECT_EQ(form->record().text("SEI:GYVENAIKI"), "2024-05-05");

    messages.answerNext(ButtonYes);
    ASSERT_TRUE(type(*form, SEI::KIEKISPERDIENA.index, "2"));
    EXPECT_EQ(schedule(1).size(), 5u);
    EXPECT_EQ(schedule(1).back(), "2024-05-05 2.000");
    EXPECT_EQ(form->record().text("SEI:KIEKIS"), "10.000");
    EXPECT_EQ(form->record().text("SEI:SUMA"), "150.00");
}

TEST_F(InvoiceLineFormTest, ARebuildWithAMissingDateIsRefusedAndTheScheduleStays) {
    auto form = open(Request::Insert);
    ASSERT_TRUE(type(*form, SEI::PasPav.index, "Pusryčiai"));
    messages.answerNext(ButtonYes);
    ASSERT_TRUE(type(*form, SEI::GYVENANUO.index, ""));
    ASSERT_EQ(messages.shown().size(), 2u);
    EXPECT_EQ(messages.shown()[1].title, "Grafiko performavimas");
    EXPECT_EQ(schedule(1).size(), 3u);
    EXPECT_EQ(rowCount(TableId::Seilgraf), 3);
}

TEST_F(InvoiceLineFormTest, AFreeServiceTakesItsZeroPriceAndRateAndIsSavedWithoutARateOfZero) {
    auto form = open(Request::Insert);
    ASSERT_TRUE(type(*form, SEI::PasPav.index, "Pusryčiai"));
    ASSERT_TRUE(type(*form, SEI::PasPav.index, "Dovana"));
    EXPECT_EQ(form->record().text("SEI:SUMA"), "0.00");
    form->save();
    ASSERT_TRUE(form->finished());
    EXPECT_EQ(lines().at(0).text("SEI:PVMPROC"), "5.00");
    EXPECT_TRUE(messages.shown().empty());
}

// 2 h of sauna at 25.00 with VAT: 41.32 + 8.68, whose ratio is 21.007. Saved at the rate it was
// priced at, the invoice has one rate; a VAT typed that no rate near it gives sets the rate it implies.
TEST_F(InvoiceLineFormTest, ALineIsSavedAtTheRateItWasPricedAtUnlessItsVatWasTypedOffIt) {
    addService("Pirtis", "25", "21", "VAL.");
    struct Case {
        const char* vatTyped; // "" leaves the VAT as priced
        const char* rate;
        const char* withoutVat;
    };
    for (const Case& c :
         {Case{"", "21.00", "41.32"}, Case{"5.00", "11.10", "45.00"}, Case{"0", "0.00", "50.00"}}) {
        auto form = open(Request::Insert);
        ASSERT_TRUE(type(*form, SEI::PasPav.index, "Pirtis"));
        ASSERT_TRUE(type(*form, SEI::KIEKIS.index, "2"));
        EXPECT_EQ(form->record().text("SEI:PVMSUMA"), "8.68");
        if (*c.vatTyped != 0) {
            ASSERT_TRUE(type(*form, SEI::PVMSUMA.index, c.vatTyped));
        }
        form->save();
        ASSERT_TRUE(form->finished());
        const Record saved = lines().back();
        EXPECT_EQ(saved.text("SEI:PVMPROC"), c.rate) << c.vatTyped;
        EXPECT_EQ(saved.text("SEI:SUMABEPVM"), c.withoutVat) << c.vatTyped;
        EXPECT_EQ(saved.text("SEI:SUMA"), "50.00");
    }
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(InvoiceLineFormTest, AServiceNotInThePriceListOpensTheServicesAndCancellingKeepsTheFocus) {
    auto form = open(Request::Insert);
    EXPECT_FALSE(type(*form, SEI::PasPav.index, "Pirtis"));
    EXPECT_EQ(selections, (std::vector<std::string>{"SarPaslaug"}));
    EXPECT_EQ(form->focusItem(), form->itemOfField(SEI::PasPav.index));
    EXPECT_EQ(rowCount(TableId::Seilgraf), 0);
}

TEST_F(InvoiceLineFormTest, CancellingANewLineRemovesItWithItsSchedule) {
    auto form = open(Request::Insert);
    ASSERT_TRUE(type(*form, SEI::PasPav.index, "Pusryčiai"));
    EXPECT_TRUE(form->cancel());
    EXPECT_TRUE(messages.shown().empty()); // no question
    EXPECT_EQ(rowCount(TableId::Saskeil), 0);
    EXPECT_EQ(rowCount(TableId::Seilgraf), 0);
}

TEST_F(InvoiceLineFormTest, CancellingAChangedLinePutsBackTheScheduleItHadWhenTheFormOpened) {
    const std::int32_t number = saveLine("Pusryčiai");
    const std::vector<std::string> before = schedule(number);
    context.table(TableId::Saskeil).record().set(SEI::SEILID, number);
    FormResult result{Response::Completed};
    keepingSchedule(
        context, Request::Change,
        [&](FormDone done) {
            auto form = open(Request::Change, number);
            messages.answerNext(ButtonYes);
            EXPECT_TRUE(type(*form, SEI::KIEKISPERDIENA.index, "4"));
            EXPECT_EQ(schedule(number).front(), "2024-05-01 4.000");
            EXPECT_TRUE(form->cancel());
            done(form->result());
        },
        [&result](FormResult answered) { result = answered; });
    EXPECT_EQ(result.response, Response::Cancelled);
    EXPECT_EQ(schedule(number), before);
    EXPECT_EQ(lines().at(0).text("SEI:KIEKIS"), "3.000");
}

TEST_F(InvoiceLineFormTest, TheRegistrationsTotalsAndMeanRateFollowEachLine) {
    saveLine("Pusryčiai"); // 45.00 at 21 %
    InvoiceTotals totals = invoiceTotals(context, 7);
    ASSERT_FALSE(totals.failed);
    EXPECT_EQ(totals.withVat.toString(), "45.00");
    EXPECT_EQ(totals.meanVat->toString(), "21.00");

    saveLine("Vakarienė"); // 3 × 12.00 = 36.00 at 9 %: 33.03 + 2.97
    totals = invoiceTotals(context, 7);
    EXPECT_EQ(totals.withoutVat.toString(), "70.22");
    EXPECT_EQ(totals.vat.toString(), "10.78");
    EXPECT_EQ(totals.withVat.toString(), "81.00");
    // The mean of 21.00 and 9.00: the line at 9 % keeps its rate (2.97 / 33.03 would be 8.99).
    EXPECT_EQ(totals.meanVat->toString(), "15.00");
    EXPECT_EQ(lines().at(1).text("SEI:PVMPROC"), "9.00");

    EXPECT_FALSE(invoiceTotals(context, 8).meanVat); // no lines: the registration keeps its rate
}

TEST_F(InvoiceLineFormTest, RenamingAServiceRenamesItsLinesAndAServiceInUseCannotBeDeleted) {
    saveLine("Pusryčiai");
    Table& services = context.table(TableId::Paslaug);
    services.open();
    services.clear();
    ASSERT_TRUE(services.record().set(PAS::Pav, "Pusryčiai").ok());
    ASSERT_EQ(services.getByKey(PAS::PASLKEY), StoreStatus::Ok);
    const Record former = services.record();
    ASSERT_TRUE(services.record().set(PAS::Pav, "Pusryčiai kambaryje").ok());
    EXPECT_EQ(guardedChange(services, former, ChangeCaller::Form), GuardedResult::Done);
    EXPECT_EQ(lines().at(0).text("SEI:PasPav"), "Pusryčiai kambaryje");

    EXPECT_EQ(guardedDelete(services), GuardedResult::Refused);
    services.close();
    EXPECT_EQ(rowCount(TableId::Paslaug), 3);
    EXPECT_EQ(rowCount(TableId::Seilgraf), 3);
}

} // namespace
} // namespace nakva
