#include "data/StoreTestSupport.h"

#include "data/Fields.h"
#include "data/Integrity.h"
#include "data/Table.h"
#include "data/Transaction.h"
#include "ui/FormEngine.h"
#include "ui/SeriesNumber.h"

#include "support/CaseName.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace nakva {
namespace {

using testing::StoreTest;

// A service-group form as the reference lists configure it: numbered, two unique keys, the name unique
// ignoring letter case.
FormConfig groupsForm(std::string name = "TestGroups") {
    FormConfig config;
    config.name = std::move(name);
    config.caption = "PASLAUGŲ GRUPĖ";
    config.table = TableId::PaslGrp;
    config.fields = {{"Grupės Nr:", PGRP::IrasoNr.index}, {"Pavadinimas:", PGRP::GrpPav.index}};
    config.fields[0].readOnly = true;
    config.fields[1].required = true;
    config.keyNames = {{PGRP::IRASONR_KEY.index, "Pagal įrašo Nr."},
                       {PGRP::PASLPAV_KEY.index, "Pagal pavadinimą"}};
    config.uniqueness = {{.key = PGRP::PASLPAV_KEY.index, .components = 1}};
    return config;
}

FormConfig countriesForm() {
    FormConfig config;
    config.name = "TestCountries";
    config.table = TableId::Valstyb;
    config.fields = {{"Valstybės pavadinimas:", VAL::Valstybe.index, "Kilmės šalis"}};
    return config;
}

// A registration form cut down to what the engine's rules need: a look-up, a range, a date check that
// runs in both passes and a computation that runs only when the user accepts a field.
FormConfig registrationForm(int* computations) {
    FormConfig config;
    config.name = "TestRegistration";
    config.table = TableId::Saskait;
    config.historyKey = 'K';
    config.fields = {
        {"Gyventojo pavardė, vardas*:", SAS::Gyventojas.index},
        {"Valstybė*:", SAS::GYVENTOJOVALSTYBE.index},
        {"Gyventojų skaičius:", SAS::GYVENTOJUSKC.index},
        {"Gyvena nuo*:", SAS::GyvenaNuo.index},
        {"iki*:", SAS::GyvenaIki.index},
    };
    config.fields[0].required = true;
    config.fields[1].lookUp.emplace(TableId::Valstyb, VAL::Valstybe.index, VAL::Key_Valst.index,
                                    "BrowseValstyb");
    config.fields[2].minimum = Decimal(1);
    config.fields[2].maximum = Decimal(99);
    config.hooks.accepted = [computations](FormEngine& form, int field) {
        if (field == SAS::GyvenaNuo.index || field == SAS::GyvenaIki.index) {
            ++*computations;
            Record& record = form.record();
            record.set(SAS::GYVENAPARU, std::max(0, record.get(SAS::GyvenaIki) - record.get(SAS::GyvenaNuo)));
        }
        return true;
    };
    config.hooks.check = [](FormEngine& form, int field) {
        const Record& record = form.record();
        if (field == SAS::GyvenaIki.index && record.get(SAS::GyvenaIki) < record.get(SAS::GyvenaNuo)) {
            MessageRequest message;
            message.text = "Išvykimo data negali būti ankstesnė už atvykimo datą.";
            showMessage(message);
            return false;
        }
        return true;
    };
    return config;
}

class FormEngineTest : public StoreTest {
protected:
    Context context{database};

    // A selection list that picks `choice` (or cancels when empty) and records the value it opened at.
    FormEngine::SelectList picker(std::string choice) {
        return [this, choice](const FormLookUp& lookUp, Context& on, SelectDone done) {
            Table& table = on.table(lookUp.table);
            openedAt.push_back(table.record().text(lookUp.field));
            if (choice.empty()) {
                done(Response::Cancelled);
                return;
            }
            EXPECT_TRUE(table.record().setText(lookUp.field, choice).ok());
            done(Response::Completed);
        };
    }

    // The list's part of a change or delete call: the record re-read and watched.
    Table& current(TableId id, std::string_view field, std::string_view value) {
        Table& table = context.table(id);
        table.open();
        table.clear();
        EXPECT_TRUE(table.record().setText(field, value).ok());
        EXPECT_EQ(table.getByKey(table.def().identityKey), StoreStatus::Ok);
        table.watch();
        return table;
    }

    std::vector<std::string> titles() const {
        std::vector<std::string> result;
        for (const MessageRequest& request : messages.shown()) {
            result.push_back(request.title);
        }
        return result;
    }

    std::vector<std::string> openedAt;
};

TEST_F(FormEngineTest, AnInsertIsNumberedAtOnceAndCancellingGivesTheNumberBack) {
    addRecord(TableId::PaslGrp, {{"PGRP:IrasoNr", "7"}, {"PGRP:GrpPav", "Maistas"}});
    context.table(TableId::PaslGrp).open();
    context.table(TableId::PaslGrp).clear();
    {
        FormEngine form(groupsForm(), context, {});
        ASSERT_TRUE(form.open(Request::Insert));
        EXPECT_EQ(form.title(), "Kuriamas naujas įrašas");
        EXPECT_EQ(form.itemText(0), "8");
        EXPECT_EQ(storedColumn(TableId::PaslGrp, "PGRP:IrasoNr"), (std::vector<std::string>{"7", "8"}));
        ASSERT_TRUE(form.setItemText(1, "Gėrimai"));
        EXPECT_TRUE(form.cancel());
        EXPECT_EQ(form.result().response, Response::Cancelled);
    }
    EXPECT_EQ(storedColumn(TableId::PaslGrp, "PGRP:IrasoNr"), std::vector<std::string>{"7"});

    context.table(TableId::PaslGrp).clear();
    FormEngine again(groupsForm(), context, {});
    ASSERT_TRUE(again.open(Request::Insert));
    EXPECT_EQ(again.itemText(0), "8");
    ASSERT_TRUE(again.setItemText(1, "Gėrimai"));
    again.save();
    EXPECT_EQ(again.result().response, Response::Completed);
    EXPECT_EQ(storedColumn(TableId::PaslGrp, "PGRP:GrpPav"),
              (std::vector<std::string>{"Maistas", "Gėrimai"}));
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(FormEngineTest, NumberingKeepsTheValuesTheCallerPrimedAndStartsAtOne) {
    Table& registrations = context.table(TableId::Saskait);
    registrations.open();
    registrations.clear();
    ASSERT_TRUE(registrations.record().setText("SAS:GyventojoGrupe", "Turistai").ok());
    int computations = 0;
    FormEngine form(registrationForm(&computations), context, {});
    ASSERT_TRUE(form.open(Request::Insert));
    EXPECT_EQ(storedColumn(TableId::Saskait, "SAS:IrasoNr"), std::vector<std::string>{"1"});
    EXPECT_EQ(storedColumn(TableId::Saskait, "SAS:GyventojoGrupe"), std::vector<std::string>{"Turistai"});
    EXPECT_EQ(form.record().text("SAS:GyventojoGrupe"), "Turistai");
}

TEST_F(FormEngineTest, TheHistoryKeyFillsTheFocusedFieldFromTheLastSaveInAnyWindowOfTheForm) {
    FormEngine first(groupsForm("HistoryGroups"), context, {});
    ASSERT_TRUE(first.open(Request::Insert));
    first.setFocusItem(1);
    first.restoreHistory(); // nothing saved yet in this program run
    EXPECT_EQ(first.itemText(1), "");

    Context otherWindow(database);
    otherWindow.table(TableId::PaslGrp).open();
    otherWindow.table(TableId::PaslGrp).clear();
    FormEngine second(groupsForm("HistoryGroups"), otherWindow, {});
    ASSERT_TRUE(second.open(Request::Insert));
    ASSERT_TRUE(second.setItemText(1, "Pirtis"));
    second.save();
    ASSERT_EQ(second.result().response, Response::Completed);

    first.setFocusItem(1);
    first.restoreHistory();
    EXPECT_EQ(first.itemText(1), "Pirtis");
    first.setFocusItem(0); // read-only: the number stays its own
    first.restoreHistory();
    EXPECT_EQ(first.itemText(0), "1");
}

TEST_F(FormEngineTest, SaveAndMoveWithAnInvalidFieldKeepsTheFormOpenAndForgetsTheMove) {
    addRecord(TableId::PaslGrp, {{"PGRP:IrasoNr", "1"}, {"PGRP:GrpPav", "Maistas"}});
    current(TableId::PaslGrp, "PGRP:IrasoNr", "1");
    FormEngine form(groupsForm(), context, {});
    ASSERT_TRUE(form.open(Request::Change));
    ASSERT_TRUE(form.setItemText(1, ""));
    form.setFocusItem(0);

    form.toolbarPressed(ToolbarButton::NextRecord);
    EXPECT_FALSE(form.finished());
    EXPECT_EQ(form.navigation(), Navigation::None);
    EXPECT_EQ(form.focusItem(), 1);
    EXPECT_EQ(titles(), std::vector<std::string>{"Neužpildytas laukas"});

    ASSERT_TRUE(form.setItemText(1, "Maitinimas"));
    form.save();
    EXPECT_EQ(form.result().response, Response::Completed);
    EXPECT_EQ(form.result().navigation, Navigation::None);
    EXPECT_EQ(storedColumn(TableId::PaslGrp, "PGRP:GrpPav"), std::vector<std::string>{"Maitinimas"});
}

TEST_F(FormEngineTest, AnUnchangedRecordIsNotWrittenAndAMoveLeavesTheResponseCancelled) {
    addRecord(TableId::PaslGrp, {{"PGRP:IrasoNr", "1"}, {"PGRP:GrpPav", "Maistas"}});
    const std::uint64_t writes = database.writeCount(TableId::PaslGrp);
    {
        current(TableId::PaslGrp, "PGRP:IrasoNr", "1");
        FormEngine form(groupsForm(), context, {});
        ASSERT_TRUE(form.open(Request::Change));
        EXPECT_EQ(form.title(), "Įrašas taisomas");
        form.save();
        EXPECT_EQ(form.result().response, Response::Completed);
    }
    current(TableId::PaslGrp, "PGRP:IrasoNr", "1");
    FormEngine form(groupsForm(), context, {});
    ASSERT_TRUE(form.open(Request::Change));
    form.toolbarPressed(ToolbarButton::NextPage);
    EXPECT_EQ(form.result().response, Response::Cancelled);
    EXPECT_EQ(form.result().navigation, Navigation::NextPage);
    EXPECT_EQ(database.writeCount(TableId::PaslGrp), writes);
}

TEST_F(FormEngineTest, ANameDifferingOnlyInLetterCaseIsADuplicateOfTheNamedKey) {
    addRecord(TableId::PaslGrp, {{"PGRP:IrasoNr", "1"}, {"PGRP:GrpPav", "Maistas"}});
    context.table(TableId::PaslGrp).open();
    context.table(TableId::PaslGrp).clear();
    FormEngine form(groupsForm(), context, {});
    ASSERT_TRUE(form.open(Request::Insert));
    ASSERT_TRUE(form.setItemText(1, "MAISTAS"));
    form.save(Navigation::InsertAnother);
    EXPECT_FALSE(form.finished());
    EXPECT_EQ(form.navigation(), Navigation::None);
    EXPECT_EQ(form.focusItem(), 1); // the first field the user can edit
    ASSERT_EQ(titles(), std::vector<std::string>{"Klaida-dubliuotas indeksas"});
    EXPECT_EQ(messages.texts()[0],
              "Įrašas su tokiais raktiniais laukais jau egzistuoja. Indeksas:Pagal pavadinimą");
    EXPECT_EQ(storedColumn(TableId::PaslGrp, "PGRP:GrpPav"), (std::vector<std::string>{"Maistas", ""}));
}

// A failed write has put the unsaved values in the table's buffer, which the calling list shares: the
// cancel after it puts back the record as it was opened.
TEST_F(FormEngineTest, CancellingAfterAFailedSaveLeavesTheRecordAsOpenedInTheBuffer) {
    addRecord(TableId::Valstyb, {{"VAL:Valstybe", "Estija"}});
    addRecord(TableId::Valstyb, {{"VAL:Valstybe", "Latvija"}});
    Table& countries = current(TableId::Valstyb, "VAL:Valstybe", "Latvija");
    FormEngine form(countriesForm(), context, {});
    ASSERT_TRUE(form.open(Request::Change));
    ASSERT_TRUE(form.setItemText(0, "ESTIJA")); // the key ignores letter case: a duplicate
    messages.answerNext(ButtonOk);
    messages.answerNext(ButtonCancel); // not tried again, the form stays open
    form.save();
    ASSERT_FALSE(form.finished());
    EXPECT_EQ(titles(), (std::vector<std::string>{"Įrašymo operacijos klaida", "Klaida išsaugant įrašą"}));
    EXPECT_TRUE(form.cancel());
    EXPECT_EQ(countries.record().get(VAL::Valstybe), "Latvija");
    EXPECT_EQ(storedColumn(TableId::Valstyb, "VAL:Valstybe"),
              (std::vector<std::string>{"Estija", "Latvija"}));
}

TEST_F(FormEngineTest, AnotherUsersChangeIsShownAndTheNextSaveGoesThrough) {
    addRecord(TableId::Valstyb, {{"VAL:Valstybe", "Latvija"}});
    current(TableId::Valstyb, "VAL:Valstybe", "Latvija");
    FormEngine form(countriesForm(), context, {});
    ASSERT_TRUE(form.open(Request::Change));

    Context station(database);
    Table& theirs = station.table(TableId::Valstyb);
    theirs.open();
    theirs.record().set(VAL::Valstybe, "Latvija");
    ASSERT_EQ(theirs.getByKey(VAL::Key_Valst), StoreStatus::Ok);
    const Record before = theirs.record();
    theirs.record().set(VAL::Valstybe, "Latvijos Respublika");
    ASSERT_EQ(guardedChange(theirs, before, ChangeCaller::Batch), GuardedResult::Done);

    ASSERT_TRUE(form.setItemText(0, "Latvia"));
    form.save(Navigation::Next);
    EXPECT_FALSE(form.finished());
    EXPECT_EQ(form.navigation(), Navigation::None);
    EXPECT_EQ(messages.texts(),
              std::vector<std::string>{
                  "Šį įrašą jau pakeitė kitas vartotojas.Dabar matysite jau pakeistus duomenis."});
    EXPECT_EQ(form.itemText(0), "Latvijos Respublika");

    ASSERT_TRUE(form.setItemText(0, "Latvia"));
    form.save();
    EXPECT_EQ(form.result().response, Response::Completed);
    EXPECT_EQ(storedColumn(TableId::Valstyb, "VAL:Valstybe"), std::vector<std::string>{"Latvia"});
}

struct DeleteCase {
    const char* name;
    std::vector<int> answers; // to 32, then to the messages that follow
    bool registrationUsesIt;
    bool lockedElsewhere; // another window holds the countries in a transaction of its own
    Response response;
    std::vector<std::string> titles;
    std::vector<std::string> countries;
};

void PrintTo(const DeleteCase& c, std::ostream* out) {
    *out << c.name;
}

class FormEngineDeleteTest : public FormEngineTest, public ::testing::WithParamInterface<DeleteCase> {};

TEST_P(FormEngineDeleteTest, DeleteAsksFirstAndOffersToRetryOnlyWhatMaySucceedNextTime) {
    const DeleteCase& c = GetParam();
    addRecord(TableId::Valstyb, {{"VAL:Valstybe", "Estija"}});
    if (c.registrationUsesIt) {
        addRecord(TableId::Saskait, {{"SAS:IrasoNr", "1"}, {"SAS:GYVENTOJOVALSTYBE", "Estija"}});
    }
    Context other(database);
    std::optional<Transaction> holding;
    if (c.lockedElsewhere) {
        for (TableId id : {TableId::Valstyb, TableId::Saskait}) {
            other.table(id).open();
        }
        holding.emplace(other);
        ASSERT_EQ(holding->begin({TableId::Valstyb, TableId::Saskait}), StoreStatus::Ok);
    }
    current(TableId::Valstyb, "VAL:Valstybe", "Estija");
    for (int answer : c.answers) {
        messages.answerNext(answer);
    }
    FormEngine form(countriesForm(), context, {});
    EXPECT_FALSE(form.open(Request::Delete)); // no window
    EXPECT_EQ(form.result().response, c.response);
    EXPECT_EQ(titles(), c.titles);
    holding.reset();
    EXPECT_EQ(storedColumn(TableId::Valstyb, "VAL:Valstybe"), c.countries);
}

const std::string Confirm = "Pašalinti įrašą";
const std::string Refused = "Susietų įrašų pašalinimo klaida";
const std::string NoTransaction = "Tranzakcijos klaida";
const std::string Retry = "Įrašo pašalinimo klaida";

INSTANTIATE_TEST_SUITE_P(
    Cases, FormEngineDeleteTest,
    ::testing::Values(
        DeleteCase{"CancelIsTheDefault", {}, false, false, Response::Cancelled, {Confirm}, {"Estija"}},
        DeleteCase{"Confirmed", {ButtonOk}, false, false, Response::Completed, {Confirm}, {}},
        // The registration that forbids it has been named: asking to try again would change nothing.
        DeleteCase{"RefusedAndNotOfferedAgain",
                   {ButtonOk},
                   true,
                   false,
                   Response::Cancelled,
                   {Confirm, Refused},
                   {"Estija"}},
        DeleteCase{"LockedElsewhereThenGivenUp",
                   {ButtonOk, ButtonOk, ButtonNo},
                   false,
                   true,
                   Response::Cancelled,
                   {Confirm, NoTransaction, Retry},
                   {"Estija"}}),
    nakva::testing::CaseName());

TEST_F(FormEngineTest, ALookUpFindsTheValueAsStoredOrOpensTheListAtIt) {
    addRecord(TableId::Valstyb, {{"VAL:Valstybe", "Lietuva"}});
    addRecord(TableId::Valstyb, {{"VAL:Valstybe", "Lenkija"}});
    int computations = 0;
    context.table(TableId::Saskait).open();
    context.table(TableId::Saskait).clear();
    FormEngine form(registrationForm(&computations), context, picker("Lenkija"));
    ASSERT_TRUE(form.open(Request::Insert));
    EXPECT_EQ(form.itemTooltip(1), "Pasirinkti iš sąrašo CtrlDown");

    ASSERT_TRUE(form.setItemText(1, "lietuva"));
    EXPECT_TRUE(form.acceptItem(1));
    EXPECT_EQ(form.itemText(1), "Lietuva"); // links to the country exactly
    EXPECT_TRUE(openedAt.empty());

    ASSERT_TRUE(form.setItemText(1, "Le"));
    EXPECT_TRUE(form.acceptItem(1));
    EXPECT_EQ(openedAt, std::vector<std::string>{"Le"});
    EXPECT_EQ(form.itemText(1), "Lenkija");

    form.setFocusItem(1);
    form.lookUp(1); // Ctrl+Down: a pick moves the focus on
    EXPECT_EQ(openedAt, (std::vector<std::string>{"Le", "Lenkija"}));
    EXPECT_EQ(form.focusItem(), 2);
}

// A selection list window answers once it has gone: the form waits meanwhile (no save, no cancel),
// then takes the choice, accepts the item and moves the focus on to the next item; the view hears of
// it. Without a choice the focus stays on the item.
TEST_F(FormEngineTest, AListAnsweringLaterLeavesTheFormWaitingThenMovesTheFocusOn) {
    addRecord(TableId::Valstyb, {{"VAL:Valstybe", "Lenkija"}});
    int computations = 0;
    context.table(TableId::Saskait).open();
    context.table(TableId::Saskait).clear();
    SelectDone answer;
    FormEngine form(registrationForm(&computations), context,
                    [&answer](const FormLookUp&, Context&, SelectDone done) { answer = std::move(done); });
    int heard = 0;
    form.setListener([&heard] { ++heard; });
    ASSERT_TRUE(form.open(Request::Insert));
    ASSERT_TRUE(form.setItemText(0, "Jonaitis"));

    for (const bool choose : {true, false}) {
        SCOPED_TRACE(choose ? "chosen" : "left");
        ASSERT_TRUE(form.setItemText(1, "Le"));
        EXPECT_FALSE(form.acceptItem(1)); // typed and Tab: the list opens
        ASSERT_TRUE(answer);
        EXPECT_TRUE(form.waiting());
        form.save();
        EXPECT_FALSE(form.cancel());
        EXPECT_FALSE(form.finished());

        if (choose) {
            context.table(TableId::Valstyb).record().set(VAL::Valstybe, "Lenkija");
        }
        heard = 0;
        std::exchange(answer, {})(choose ? Response::Completed : Response::Cancelled);
        EXPECT_FALSE(form.waiting());
        EXPECT_EQ(heard, 1);
        EXPECT_EQ(form.itemText(1), choose ? "Lenkija" : "Le");
        EXPECT_EQ(form.focusItem(), choose ? 2 : 1);
    }

    // Ctrl+Down with a choice: the focus moves on as well.
    form.lookUp(1);
    context.table(TableId::Valstyb).record().set(VAL::Valstybe, "Lenkija");
    std::exchange(answer, {})(Response::Completed);
    EXPECT_EQ(form.focusItem(), 2);
    EXPECT_EQ(form.itemText(1), "Lenkija");
}

TEST_F(FormEngineTest, ALookUpLeftWithoutAChoiceKeepsTheTypedValueAndStopsTheSave) {
    addRecord(TableId::Valstyb, {{"VAL:Valstybe", "Lietuva"}});
    int computations = 0;
    context.table(TableId::Saskait).open();
    context.table(TableId::Saskait).clear();
    FormEngine form(registrationForm(&computations), context, picker(""));
    ASSERT_TRUE(form.open(Request::Insert));
    ASSERT_TRUE(form.setItemText(0, "Jonaitis"));
    ASSERT_TRUE(form.setItemText(1, "Atlantida"));
    EXPECT_FALSE(form.acceptItem(1));
    EXPECT_EQ(form.focusItem(), 1);
    form.setFocusItem(0);
    form.save();
    EXPECT_FALSE(form.finished());
    EXPECT_EQ(form.focusItem(), 1);
    EXPECT_EQ(form.itemText(1), "Atlantida");
    EXPECT_EQ(openedAt.size(), 2u);
}

TEST_F(FormEngineTest, ComputationsRunWhenTheUserAcceptsAFieldAndChecksAlsoOnSave) {
    int computations = 0;
    context.table(TableId::Saskait).open();
    context.table(TableId::Saskait).clear();
    FormEngine form(registrationForm(&computations), context, {});
    ASSERT_TRUE(form.open(Request::Insert));
    ASSERT_TRUE(form.setItemText(0, "Jonaitis"));
    ASSERT_TRUE(form.setItemText(2, "2"));
    ASSERT_TRUE(form.setItemText(3, "2025-04-10"));
    ASSERT_TRUE(form.acceptItem(3));
    ASSERT_TRUE(form.setItemText(4, "2025-04-13"));
    ASSERT_TRUE(form.acceptItem(4));
    EXPECT_EQ(computations, 2);
    EXPECT_EQ(form.record().get(SAS::GYVENAPARU), 3);

    // Typed over without accepting: the save's check stops at the date order, and computes nothing.
    ASSERT_TRUE(form.setItemText(4, "2025-04-01"));
    form.save();
    EXPECT_FALSE(form.finished());
    EXPECT_EQ(form.focusItem(), 4);
    EXPECT_EQ(computations, 2);
    EXPECT_EQ(messages.texts().back(), "Išvykimo data negali būti ankstesnė už atvykimo datą.");
}

TEST_F(FormEngineTest, ATextTheFieldRefusesIsKeptAndStopsTheSave) {
    int computations = 0;
    context.table(TableId::Saskait).open();
    context.table(TableId::Saskait).clear();
    FormEngine form(registrationForm(&computations), context, {});
    ASSERT_TRUE(form.open(Request::Insert));
    ASSERT_TRUE(form.setItemText(0, "Jonaitis"));
    EXPECT_FALSE(form.setItemText(2, "du"));
    EXPECT_EQ(form.itemText(2), "du");
    EXPECT_TRUE(form.setItemText(2, "0"));
    form.save();
    EXPECT_FALSE(form.finished());
    EXPECT_EQ(form.focusItem(), 2);
    ASSERT_EQ(messages.shown().size(), 2u);
    EXPECT_EQ(messages.shown()[0].title, "Negeras lauko turinys");
    EXPECT_EQ(messages.texts()[1], "Reikšmė Gyventojų skaičius turi būti tarp 1 ir 99.");
}

// A range warning names a bound that makes it true: "mažesnė negu" and "didesnė negu" are strict,
// so they name the nearest value past the bound at the field's last place; "tarp" names the bounds.
struct RangeCase {
    const char* name;
    int field;
    std::optional<Decimal> minimum;
    std::optional<Decimal> maximum;
    std::string typed;
    std::string warning; // empty: accepted
};

void PrintTo(const RangeCase& c, std::ostream* out) {
    *out << c.name;
}

class FormEngineRangeTest : public FormEngineTest, public ::testing::WithParamInterface<RangeCase> {};

TEST_P(FormEngineRangeTest, AWarningNamesABoundThatMakesItTrue) {
    const RangeCase& c = GetParam();
    FormConfig config;
    config.name = "TestRanges";
    config.table = TableId::Saskait;
    config.fields = {{"Gyventojų skaičius:", SAS::GYVENTOJUSKC.index}, {"PVM %:", SAS::PVMPROC.index}};
    FormField& field = config.fields[c.field == SAS::PVMPROC.index ? 1 : 0];
    field.minimum = c.minimum;
    field.maximum = c.maximum;
    context.table(TableId::Saskait).open();
    context.table(TableId::Saskait).clear();
    FormEngine form(config, context, {});
    ASSERT_TRUE(form.open(Request::Insert));
    const int item = form.itemOfField(c.field);
    ASSERT_TRUE(form.setItemText(item, c.typed));
    EXPECT_EQ(form.acceptItem(item), c.warning.empty());
    EXPECT_EQ(messages.texts(),
              c.warning.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.warning});
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FormEngineRangeTest,
    ::testing::Values(RangeCase{"WholeAtItsLowest", SAS::GYVENTOJUSKC.index, Decimal(1), {}, "1", ""},
                      RangeCase{"WholeBelowItsLowest",
                                SAS::GYVENTOJUSKC.index,
                                Decimal(1),
                                {},
                                "0",
                                "Gyventojų skaičius reikšmė turi būti didesnė negu 0."},
                      RangeCase{"WholeAtItsHighest", SAS::GYVENTOJUSKC.index, {}, Decimal(99), "99", ""},
                      RangeCase{"WholeAboveItsHighest",
                                SAS::GYVENTOJUSKC.index,
                                {},
                                Decimal(99),
                                "150",
                                "Gyventojų skaičius reikšmė turi būti mažesnė negu 100."},
                      RangeCase{"DecimalBelowItsLowest",
                                SAS::PVMPROC.index,
                                Decimal(0),
                                {},
                                "-5",
                                "PVM % reikšmė turi būti didesnė negu -0.01."},
                      RangeCase{"DecimalAboveItsHighest",
                                SAS::PVMPROC.index,
                                {},
                                Decimal(100),
                                "100.01",
                                "PVM % reikšmė turi būti mažesnė negu 100.01."},
                      RangeCase{"BothBoundsNamedAsTheyAre", SAS::GYVENTOJUSKC.index, Decimal(1), Decimal(99),
                                "0", "Reikšmė Gyventojų skaičius turi būti tarp 1 ir 99."}),
    nakva::testing::CaseName());

struct ToolbarCase {
    Request request;
    ToolbarButton button;
    bool enabled;
    std::string tooltip;
};

void PrintTo(const ToolbarCase& c, std::ostream* out) {
    const char* mode = c.request == Request::Insert   ? "insert"
                       : c.request == Request::Change ? "change"
                                                      : "view";
    *out << mode << " button " << int(c.button) << (c.enabled ? " enabled" : " disabled");
}

class FormEngineToolbarTest : public FormEngineTest, public ::testing::WithParamInterface<ToolbarCase> {};

TEST_P(FormEngineToolbarTest, ButtonsAndTooltipsFollowTheMode) {
    const ToolbarCase& c = GetParam();
    addRecord(TableId::Valstyb, {{"VAL:Valstybe", "Latvija"}});
    current(TableId::Valstyb, "VAL:Valstybe", "Latvija");
    if (c.request == Request::Insert) {
        context.table(TableId::Valstyb).clear();
    }
    FormEngine form(countriesForm(), context, {});
    ASSERT_TRUE(form.open(c.request));
    EXPECT_EQ(form.toolbarEnabled(c.button), c.enabled);
    EXPECT_EQ(form.toolbarTooltip(c.button), c.tooltip);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FormEngineToolbarTest,
    ::testing::Values(
        ToolbarCase{Request::Change, ToolbarButton::Select, true, "Išsaugoti pakeitimus ir uždaryti langą"},
        ToolbarCase{Request::Insert, ToolbarButton::History, true, "Įstatyti ankstesnio įrašo reikšmę"},
        ToolbarCase{Request::View, ToolbarButton::History, false, ""},
        ToolbarCase{Request::Change, ToolbarButton::Insert, true,
                    "Išsaugoti redaguojamą įrašą ir kurti naują"},
        ToolbarCase{Request::Insert, ToolbarButton::Insert, true,
                    "Išsaugoti redaguojamą įrašą ir atversti paskutinį įrašą"},
        ToolbarCase{Request::Change, ToolbarButton::NextRecord, true,
                    "Išsaugoti redaguojamą įrašą ir atversti kitą įrašą"},
        ToolbarCase{Request::Insert, ToolbarButton::PreviousRecord, false, ""},
        ToolbarCase{Request::Change, ToolbarButton::LastPage, true,
                    "Išsaugoti redaguojamą įrašą ir atversti paskutinį įrašą"},
        ToolbarCase{Request::Change, ToolbarButton::Delete, false, ""}),
    nakva::testing::CaseName());

TEST_F(FormEngineTest, CancelQuestionsOfTheFormsThatAskThem) {
    addRecord(TableId::Valstyb, {{"VAL:Valstybe", "Latvija"}});
    current(TableId::Valstyb, "VAL:Valstybe", "Latvija");
    FormConfig config = countriesForm();
    config.cancelQuestion = CancelQuestion::SaveChanges;
    FormEngine form(config, context, {});
    ASSERT_TRUE(form.open(Request::Change));
    ASSERT_TRUE(form.setItemText(0, "Latvia"));
    messages.answerNext(ButtonCancel);
    EXPECT_FALSE(form.cancel()); // back to the form
    messages.answerNext(ButtonYes);
    EXPECT_TRUE(form.cancel()); // saved
    EXPECT_EQ(form.result().response, Response::Completed);
    EXPECT_EQ(messages.texts(), std::vector<std::string>(2, "Ar išsaugoti pakeitimus?"));
    EXPECT_EQ(storedColumn(TableId::Valstyb, "VAL:Valstybe"), std::vector<std::string>{"Latvia"});
}

// A registration form owning its rooms and its payments: a child form reads what the user has typed
// so far; the rooms' text follows the rooms after each room form, nothing follows the payments; a
// child saved counts as a change.
enum ParentChild { RoomsChild, PaymentsChild };
FormConfig parentForm(int* roomsClosed) {
    FormConfig config;
    config.name = "TestParent";
    config.table = TableId::Saskait;
    config.cancelQuestion = CancelQuestion::SaveChanges;
    config.fields = {{"Gyventojas:", SAS::Gyventojas.index},
                     {"Kambariai:", SAS::KAMBARIAI.index},
                     {"Suma:", SAS::BSUMA.index}};
    config.derived = {SAS::KAMBARIAI.index, SAS::BSUMA.index};
    config.children.resize(2);
    config.children[RoomsChild].closed = [roomsClosed](FormEngine& form) {
        ++*roomsClosed;
        (void)form.record().set(SAS::KAMBARIAI, "rooms " + std::to_string(*roomsClosed));
    };
    return config;
}

// A child form that adds a room row under the registration standing in the parent's buffer.
FormResult addRoomUnder(Context& context, std::string* parentName) {
    const Record& parent = context.table(TableId::Saskait).record();
    *parentName = parent.get(SAS::Gyventojas);
    Table& rooms = context.table(TableId::SaskKmb);
    rooms.open();
    rooms.clear();
    rooms.record().set(SKMB::IrasoNr, parent.get(SAS::IrasoNr));
    rooms.record().set(SKMB::KambarioID, 5);
    const StoreStatus status = rooms.add();
    rooms.close();
    return {status == StoreStatus::Ok ? Response::Completed : Response::Cancelled, Navigation::None};
}

// A child's form of list `child` answering at once through callChild: the answer the caller heard
// after it.
Response childAnswer(FormEngine& form, const std::function<FormResult()>& answer,
                     std::size_t child = RoomsChild) {
    Response heard = Response::Cancelled;
    form.callChild(
        child, [&answer](FormDone done) { done(answer()); },
        [&heard](FormResult result) { heard = result.response; });
    return heard;
}

TEST_F(FormEngineTest, AChildFormReadsTheEditedRecordAndLeavingUnsavedStillWritesTheDerivedFields) {
    addRecord(TableId::Saskait, {{"SAS:IrasoNr", "3"}, {"SAS:Gyventojas", "Ona"}});
    current(TableId::Saskait, "SAS:IrasoNr", "3");
    int closed = 0;
    FormEngine form(parentForm(&closed), context, {});
    ASSERT_TRUE(form.open(Request::Change));
    ASSERT_TRUE(form.setItemText(0, "Jonas"));

    std::string seen;
    EXPECT_EQ(childAnswer(form, [&] { return addRoomUnder(context, &seen); }), Response::Completed);
    EXPECT_EQ(seen, "Jonas");
    EXPECT_EQ(closed, 1);
    EXPECT_TRUE(form.ownChanges());
    ASSERT_TRUE(form.setItemText(0, "Ona")); // the record as opened again: the room alone is the change
    EXPECT_TRUE(form.changed());
    EXPECT_FALSE(form.ownChanges());

    // What the child saved is saved: nothing to ask, and its text reaches the stored record.
    EXPECT_TRUE(form.cancel());
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_EQ(storedColumn(TableId::Saskait, "SAS:KAMBARIAI"), std::vector<std::string>{"rooms 1"});
    EXPECT_EQ(storedColumn(TableId::Saskait, "SAS:Gyventojas"), std::vector<std::string>{"Ona"});
}

// Leaving a stored record after a child was saved: the question only for the record's own changes;
// "Ne" drops them, but the derived fields still take what the children gave them. A child list that
// nothing follows (the payments) leaves a total typed over as typed.
TEST_F(FormEngineTest, LeavingAfterAChildAsksOnlyAboutTheRecordsOwnChanges) {
    struct Case {
        const char* name;
        const char* typedName;  // the resident typed before the child ("" leaves it)
        const char* typedTotal; // the total typed over after the child ("" leaves it)
        std::size_t child;
        bool asked;
        const char* storedName;
        const char* storedRooms;
        const char* storedTotal;
    };
    const Case cases[] = {
        {"RoomOnly", "", "", RoomsChild, false, "Ona", "rooms 1", "0.00"},
        {"RoomAndName", "Jonas", "", RoomsChild, true, "Ona", "rooms 1", "0.00"},
        {"RoomAndTotalTyped", "", "150.00", RoomsChild, true, "Ona", "rooms 1", "0.00"},
        {"PaymentOnly", "", "", PaymentsChild, false, "Ona", "", "0.00"},
        {"PaymentAfterATypedTotal", "", "150.00", PaymentsChild, true, "Ona", "", "0.00"},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(c.name);
        const std::string number = std::to_string(i + 1);
        addRecord(TableId::Saskait, {{"SAS:IrasoNr", number}, {"SAS:Gyventojas", "Ona"}});
        current(TableId::Saskait, "SAS:IrasoNr", number);
        int closed = 0;
        messages.clear();
        {
            FormEngine form(parentForm(&closed), context, {});
            ASSERT_TRUE(form.open(Request::Change));
            if (*c.typedName != 0) {
                ASSERT_TRUE(form.setItemText(0, c.typedName));
            }
            std::string seen;
            ASSERT_EQ(childAnswer(
                          form, [&] { return addRoomUnder(context, &seen); }, c.child),
                      Response::Completed);
            if (*c.typedTotal != 0) {
                ASSERT_TRUE(form.setItemText(2, c.typedTotal));
            }
            messages.answerNext(ButtonNo);
            EXPECT_TRUE(form.cancel());
        }
        EXPECT_EQ(messages.texts().size(), c.asked ? 1U : 0U);
        EXPECT_EQ(storedColumn(TableId::Saskait, "SAS:Gyventojas").at(i), c.storedName);
        EXPECT_EQ(storedColumn(TableId::Saskait, "SAS:KAMBARIAI").at(i), c.storedRooms);
        EXPECT_EQ(storedColumn(TableId::Saskait, "SAS:BSUMA").at(i), c.storedTotal);
        EXPECT_EQ(storedColumn(TableId::SaskKmb, "SKMB:IrasoNr").at(i), number); // the child stays
    }
}

// A derived field the user typed into before a child form stays the user's change when the child's
// hook leaves it as it was: the rooms follow the rooms, the total typed over is asked about.
TEST_F(FormEngineTest, ATotalTypedBeforeAChildThatLeavesItStaysTheUsersOwnChange) {
    addRecord(TableId::Saskait, {{"SAS:IrasoNr", "1"}, {"SAS:Gyventojas", "Ona"}});
    current(TableId::Saskait, "SAS:IrasoNr", "1");
    int closed = 0;
    FormEngine form(parentForm(&closed), context, {});
    ASSERT_TRUE(form.open(Request::Change));
    ASSERT_TRUE(form.setItemText(2, "150.00"));
    std::string seen;
    ASSERT_EQ(childAnswer(form, [&] { return addRoomUnder(context, &seen); }), Response::Completed);
    EXPECT_TRUE(form.ownChanges());
    messages.answerNext(ButtonNo);
    EXPECT_TRUE(form.cancel());
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"Ar išsaugoti pakeitimus?"});
    EXPECT_EQ(storedColumn(TableId::Saskait, "SAS:KAMBARIAI"), std::vector<std::string>{"rooms 1"});
    EXPECT_EQ(storedColumn(TableId::Saskait, "SAS:BSUMA"), std::vector<std::string>{"0.00"});
}

TEST_F(FormEngineTest, CancellingANewRecordRemovesTheChildrenAddedMeanwhileWithIt) {
    context.table(TableId::Saskait).open();
    context.table(TableId::Saskait).clear();
    int closed = 0;
    {
        FormEngine form(parentForm(&closed), context, {});
        ASSERT_TRUE(form.open(Request::Insert));
        std::string seen;
        ASSERT_EQ(childAnswer(form, [&] { return addRoomUnder(context, &seen); }), Response::Completed);
        EXPECT_EQ(storedColumn(TableId::SaskKmb, "SKMB:IrasoNr"), std::vector<std::string>{"1"});
        messages.answerNext(ButtonNo);
        EXPECT_TRUE(form.cancel());
    }
    EXPECT_TRUE(storedColumn(TableId::Saskait, "SAS:IrasoNr").empty());
    EXPECT_TRUE(storedColumn(TableId::SaskKmb, "SKMB:IrasoNr").empty());
}

// Invoice numbers: the highest of exactly the same series + 1, walking past the series that differ
// only in letter case, the caller's own record left out.
TEST_F(FormEngineTest, TheNextNumberOfASeriesCountsOnlyThatSeriesExactly) {
    const std::vector<std::tuple<std::string, std::string, std::string>> stored = {
        {"1", "K", "4"}, {"2", "k", "7"}, {"3", "", "2"}, {"4", "AB", "9"}, {"5", "K", "5"}};
    for (const auto& [number, series, invoice] : stored) {
        addRecord(TableId::Saskait,
                  {{"SAS:IrasoNr", number}, {"SAS:SaskSer", series}, {"SAS:SaskNr", invoice}});
    }
    const std::vector<std::pair<std::string, std::int64_t>> cases = {{"K", 6},  {"k", 8}, {"", 3}, {"AB", 10},
                                                                     {"ab", 1}, {"A", 1}, {"Z", 1}};
    for (const auto& [series, next] : cases) {
        EXPECT_EQ(nextInSeries(context, TableId::Saskait, SAS::SASNRKEY.index, series), next) << series;
    }
    // The own record (K 5) left out: K continues from 4.
    Table& own = current(TableId::Saskait, "SAS:IrasoNr", "5");
    EXPECT_EQ(nextInSeries(context, TableId::Saskait, SAS::SASNRKEY.index, "K", own.position()), 5);
}

// What the form asks once every field has passed and before anything is written: No keeps the form
// open with nothing written and the focus where the question put it; Yes writes what it set.
TEST_F(FormEngineTest, AQuestionBeforeTheWriteKeepsTheFormOpenUntilItIsAnsweredYes) {
    context.table(TableId::Valstyb).open();
    context.table(TableId::Valstyb).clear();
    FormConfig config = countriesForm();
    int asked = 0;
    config.hooks.confirm = [&asked](FormEngine& form) {
        ++asked;
        MessageRequest question;
        question.text = "Vis tiek įrašyti?";
        question.buttons = ButtonYes | ButtonNo;
        if (showMessage(question) != ButtonYes) {
            form.focusField(VAL::Valstybe.index);
            return false;
        }
        return form.record().setText(VAL::Valstybe.index, "Latvija").ok();
    };
    FormEngine form(config, context, {});
    ASSERT_TRUE(form.open(Request::Insert));
    form.save(); // the final check stops first: nothing asked
    EXPECT_EQ(asked, 0);
    ASSERT_TRUE(form.setItemText(0, "Latvia"));
    messages.answerNext(ButtonNo);
    form.save(Navigation::InsertAnother);
    EXPECT_EQ(asked, 1);
    EXPECT_FALSE(form.finished());
    EXPECT_EQ(form.navigation(), Navigation::None);
    EXPECT_TRUE(storedColumn(TableId::Valstyb, "VAL:Valstybe").empty());
    messages.answerNext(ButtonYes);
    form.save();
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(form.result().response, Response::Completed);
    EXPECT_EQ(storedColumn(TableId::Valstyb, "VAL:Valstybe"), std::vector<std::string>{"Latvija"});
}

// A name that other records link to (a country's, a group's) is never saved blank, whether or not the
// form marks it required.
TEST_F(FormEngineTest, ABlankNameOthersLinkToIsRefusedOnSave) {
    context.table(TableId::Valstyb).open();
    context.table(TableId::Valstyb).clear();
    FormEngine form(countriesForm(), context, {});
    ASSERT_TRUE(form.open(Request::Insert));
    EXPECT_TRUE(form.itemRequired(0));
    form.save();
    EXPECT_FALSE(form.finished());
    EXPECT_EQ(titles(), std::vector<std::string>{"Neužpildytas laukas"});
    EXPECT_TRUE(storedColumn(TableId::Valstyb, "VAL:Valstybe").empty());
    ASSERT_TRUE(form.setItemText(0, "   "));
    form.save();
    EXPECT_FALSE(form.finished());
    ASSERT_TRUE(form.setItemText(0, "Estija"));
    form.save();
    EXPECT_EQ(form.result().response, Response::Completed);
}

// Two windows of one form tell their records apart by the detail after the mode title.
TEST_F(FormEngineTest, TheTitleCarriesTheRecordsDetailWhenItHasOne) {
    addRecord(TableId::Valstyb, {{"VAL:Valstybe", "Estija"}});
    FormConfig config = countriesForm();
    config.titleDetail = [](const FormEngine& form) {
        return form.record().text(VAL::Valstybe.index);
    };
    current(TableId::Valstyb, "VAL:Valstybe", "Estija");
    FormEngine change(config, context, {});
    ASSERT_TRUE(change.open(Request::Change));
    EXPECT_EQ(change.title(), "Įrašas taisomas – Estija");
    context.table(TableId::Valstyb).clear();
    FormEngine insert(config, context, {});
    ASSERT_TRUE(insert.open(Request::Insert));
    EXPECT_EQ(insert.title(), "Kuriamas naujas įrašas");
}

} // namespace
} // namespace nakva
