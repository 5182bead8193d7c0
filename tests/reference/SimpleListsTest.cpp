// The simple reference lists on the common list and form engines, on real files; the user's part of a
// form call is a script.
#include "data/StoreTestSupport.h"

#include "data/Table.h"
#include "reference/SimpleLists.h"
#include "reference/VatRates.h"
#include "support/AnswerAtOnce.h"
#include "ui/FormEngine.h"
#include "ui/ListEngine.h"

#include "support/CaseName.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace nakva {
namespace {

// What the user does in an open form: type into items, then save (or cancel when `save` is false).
struct Typing {
    std::vector<std::pair<int, std::string>> items;
    bool save = true;
};

Typing saving(std::vector<std::pair<int, std::string>> items) {
    return {std::move(items), true};
}

Typing cancelling(std::vector<std::pair<int, std::string>> items) {
    return {std::move(items), false};
}

class SimpleListsTest : public testing::StoreTest {
protected:
    Context context{database};

    // The list's form call played by the form engine, the user typing `typing` in each call.
    FormCall formCall(FormConfig config, std::vector<Typing> typing) {
        return nakva::testing::formAnsweringAtOnce(
            [this, config, typing, call = std::size_t(0)](Context& on, Request request) mutable {
                FormEngine form(config, on, {});
                if (!form.open(request)) {
                    return form.result();
                }
                const Typing& user = typing.at(call++);
                for (const auto& [item, text] : user.items) {
                    EXPECT_TRUE(form.setItemText(item, text));
                }
                if (user.save) {
                    form.save();
                }
                if (!form.finished()) {
                    lastTitle = form.title();
                    EXPECT_TRUE(form.cancel());
                }
                return form.result();
            });
    }

    std::unique_ptr<ListEngine> openList(ListConfig config) {
        auto list = std::make_unique<ListEngine>(config, context);
        list->setPageSize(8);
        list->open();
        return list;
    }

    static std::string firstCell(const ListEngine& list) {
        return list.rows().at(std::size_t(list.currentRow() - 1)).cells.at(0);
    }

    std::string lastTitle;
};

TEST_F(SimpleListsTest, AServiceGroupWhoseNameDiffersOnlyInCaseIsRefusedNamingTheNameKey) {
    addRecord(TableId::PaslGrp, {{"PGRP:IrasoNr", "1"}, {"PGRP:GrpPav", "Maitinimas"}});
    ListConfig config = BrowsePaslGrp();
    config.form = formCall(UpdatePaslGrp(), {saving({{1, "MAITINIMAS"}})});
    auto list = openList(config);
    list->press(ListAction::Insert);

    EXPECT_EQ(lastTitle, "Kuriamas naujas įrašas");
    ASSERT_EQ(messages.texts(),
              std::vector<std::string>{
                  "Įrašas su tokiais raktiniais laukais jau egzistuoja. Indeksas:Pagal pavadinimą"});
    EXPECT_EQ(messages.shown()[0].title, "Klaida-dubliuotas indeksas");
    // The group numbered 2 when the form opened left with the cancelled form.
    EXPECT_EQ(storedColumn(TableId::PaslGrp, "PGRP:GrpPav"), std::vector<std::string>{"Maitinimas"});
    EXPECT_EQ(list->rows().size(), 1u);
}

TEST_F(SimpleListsTest, APaymentMethodInsertedIntoAnEmptyTableGetsNumberOneAndLeavesNoTraceWhenCancelled) {
    ListConfig config = BrowseMokBudai();
    config.form = formCall(UpdateMokBudai(), {cancelling({{1, "GRYNAIS"}}), saving({{1, "GRYNAIS"}})});
    auto list = openList(config);
    list->press(ListAction::Insert);
    EXPECT_TRUE(storedColumn(TableId::MokBudai, "MOK1:MokBudoID").empty());
    EXPECT_EQ(list->currentRow(), 0);

    list->press(ListAction::Insert);
    EXPECT_EQ(storedColumn(TableId::MokBudai, "MOK1:MokBudoID"), std::vector<std::string>{"1"});
    ASSERT_EQ(list->rows().size(), 1u);
    EXPECT_EQ(list->rows()[0].cells, (std::vector<std::string>{"1", "GRYNAIS"}));
}

TEST_F(SimpleListsTest, RenamingARoomTypeRenamesItsRoomsAndDeletingItIsRefusedWhileARoomHasIt) {
    addRecord(TableId::KmbTipai, {{"KTIP:KambarioTipas", "Dvivietis"}});
    addRecord(TableId::Kamb, {{"KMB:KambarioID", "1"}, {"KMB:KambarioTipas", "Dvivietis"}});
    addRecord(TableId::Kamb, {{"KMB:KambarioID", "2"}, {"KMB:KambarioTipas", "Dvivietis"}});
    ListConfig config = SarKambTipai();
    config.form = formCall(RedKambTipai(), {saving({{0, "Dvivietis su balkonu"}})});
    auto list = openList(config);

    list->press(ListAction::Change);
    EXPECT_EQ(storedColumn(TableId::Kamb, "KMB:KambarioTipas"),
              std::vector<std::string>(2, "Dvivietis su balkonu"));
    EXPECT_EQ(firstCell(*list), "Dvivietis su balkonu");

    messages.answerNext(ButtonOk); // the delete confirmation
    list->press(ListAction::Delete);
    ASSERT_GE(messages.texts().size(), 2u);
    EXPECT_EQ(
        messages.texts()[1],
        "Šis įrašas susietas su failu Kamb.  Įrašo negalima išmesti kol egzistuoja šis ryšys tarp failų.");
    EXPECT_EQ(storedColumn(TableId::KmbTipai, "KTIP:KambarioTipas"),
              std::vector<std::string>{"Dvivietis su balkonu"});
}

struct DuplicateCase {
    const char* name;
    std::function<FormConfig()> form;
    TableId table;
    std::vector<std::pair<std::string, std::string>> existing;
    int item;
    std::string typed;
    std::string keyName;
};

void PrintTo(const DuplicateCase& c, std::ostream* out) {
    *out << c.name;
}

class SimpleListsDuplicateTest : public SimpleListsTest,
                                 public ::testing::WithParamInterface<DuplicateCase> {};

TEST_P(SimpleListsDuplicateTest, EachFormNamesTheKeyOfADuplicate) {
    const DuplicateCase& c = GetParam();
    addRecord(c.table, c.existing);
    Table& table = context.table(c.table);
    table.open();
    table.clear();
    FormEngine form(c.form(), context, {});
    ASSERT_TRUE(form.open(Request::Insert));
    ASSERT_TRUE(form.setItemText(c.item, c.typed));
    form.save();
    EXPECT_FALSE(form.finished());
    EXPECT_EQ(messages.texts(),
              std::vector<std::string>{"Įrašas su tokiais raktiniais laukais jau egzistuoja. Indeksas:" +
                                       c.keyName});
    table.close();
}

INSTANTIATE_TEST_SUITE_P(Forms, SimpleListsDuplicateTest,
                         ::testing::Values(DuplicateCase{"Countries",
                                                         UpdateValstyb,
                                                         TableId::Valstyb,
                                                         {{"VAL:Valstybe", "Lietuva"}},
                                                         0,
                                                         "LIETUVA",
                                                         "VAL:Key_Valst"},
                                           DuplicateCase{"Groups",
                                                         RedGrupes,
                                                         TableId::Grupes,
                                                         {{"GRP:Grupe", "Turistai"}},
                                                         0,
                                                         "turistai",
                                                         "GRP:Key_Grupe"},
                                           DuplicateCase{"PaymentMethods",
                                                         UpdateMokBudai,
                                                         TableId::MokBudai,
                                                         {{"MOK1:MokBudoID", "1"}},
                                                         0,
                                                         "1",
                                                         "Pagal Nr."},
                                           DuplicateCase{"Cleaners",
                                                         UpdateValyt,
                                                         TableId::Valyt,
                                                         {{"VALYT:ValytPav", "Petraitienė"}},
                                                         0,
                                                         "Petraitienė",
                                                         "Pagal pavardę"},
                                           DuplicateCase{"RoomTypes",
                                                         RedKambTipai,
                                                         TableId::KmbTipai,
                                                         {{"KTIP:KambarioTipas", "Liuksas"}},
                                                         0,
                                                         "liuksas",
                                                         "pagal kambario tipą"},
                                           DuplicateCase{"ServiceGroupNumbers",
                                                         UpdatePaslGrp,
                                                         TableId::PaslGrp,
                                                         {{"PGRP:IrasoNr", "1"}, {"PGRP:GrpPav", "Pirtis"}},
                                                         0,
                                                         "1",
                                                         "Pagal įrašo Nr."}),
                         nakva::testing::CaseName());

TEST_F(SimpleListsTest, TheLetterLWalksThroughTheCountriesBeginningWithIt) {
    for (const char* country : {"Airija", "Latvija", "lenkija", "Lietuva", "Norvegija"}) {
        addRecord(TableId::Valstyb, {{"VAL:Valstybe", country}});
    }
    auto list = openList(BrowseValstyb());
    std::vector<std::string> visited;
    for (int i = 0; i < 4; ++i) {
        list->typeCharacter("L");
        visited.push_back(firstCell(*list));
    }
    EXPECT_EQ(visited, (std::vector<std::string>{"Latvija", "lenkija", "Lietuva", "Latvija"}));
}

TEST_F(SimpleListsTest, TheDigitOneOnTheServiceGroupNumbersGoesToTheFirstNumberFromOne) {
    for (const char* number : {"3", "12", "25"}) {
        addRecord(TableId::PaslGrp,
                  {{"PGRP:IrasoNr", number}, {"PGRP:GrpPav", std::string("Grupė ") + number}});
    }
    auto list = openList(BrowsePaslGrp());
    list->move(ListMove::Bottom);
    list->typeCharacter("1");
    EXPECT_EQ(firstCell(*list), "3");
}

// ---- VAT rates and their i.SAF codes -------------------------------------------------------------------

TEST_F(SimpleListsTest, TheVatRatesListStartsWithTheRatesInForceOnlyWhenItsFileIsMade) {
    ASSERT_TRUE(primeVatRates(context));
    auto list = openList(BrowsePvmTarif());
    ASSERT_EQ(list->rows().size(), 3u);
    EXPECT_EQ(list->rows()[0].cells, (std::vector<std::string>{"5.00", "PVM3", "Lengvatinis 5 % tarifas"}));
    EXPECT_EQ(list->rows()[2].cells, (std::vector<std::string>{"21.00", "PVM1", "Standartinis tarifas"}));
    list.reset();

    // What the user leaves in the list is the user's: an emptied list stays empty.
    Table rates(context, TableId::PvmTarif, false);
    rates.open();
    while (rates.setToKeyStart(PVMT::PROCKEY) == StoreStatus::Ok && rates.next() == StoreStatus::Ok) {
        ASSERT_EQ(rates.remove(), StoreStatus::Ok);
    }
    rates.close();
    ASSERT_TRUE(primeVatRates(context));
    EXPECT_TRUE(storedColumn(TableId::PvmTarif, "PVMT:Kodas").empty());
}

TEST_F(SimpleListsTest, ARateCodeIsKeptInCapitalsAndOneTheRegisterDoesNotTakeKeepsTheFormOpen) {
    ASSERT_TRUE(primeVatRates(context));
    ListConfig config = BrowsePvmTarif();
    config.form = formCall(UpdatePvmTarif(), {saving({{0, "12"}, {1, "pvm49"}, {2, "Apgyvendinimas"}}),
                                              saving({{0, "0"}, {1, "PVM-0"}}), saving({{0, "21"}})});
    auto list = openList(config);
    list->press(ListAction::Insert);
    EXPECT_TRUE(messages.texts().empty());
    EXPECT_EQ(storedColumn(TableId::PvmTarif, "PVMT:Kodas"),
              (std::vector<std::string>{"PVM3", "PVM2", "PVM49", "PVM1"}));

    list->press(ListAction::Insert);
    ASSERT_EQ(messages.texts().size(), 1u);
    EXPECT_EQ(messages.texts()[0],
              "Mokesčio kodo „PVM-0“ i.SAF registras nepriima: kodas rašomas raidėmis PVM "
              "ir skaičiumi, pvz. PVM1.");
    EXPECT_EQ(storedColumn(TableId::PvmTarif, "PVMT:Kodas").size(), 4u);

    messages.clear();
    list->press(ListAction::Insert);
    ASSERT_EQ(messages.texts().size(), 1u);
    EXPECT_EQ(messages.texts()[0],
              "Įrašas su tokiais raktiniais laukais jau egzistuoja. Indeksas:Pagal tarifą");
}

struct TaxCodeCase {
    const char* code;
    bool taken;
};

void PrintTo(const TaxCodeCase& code, std::ostream* out) {
    *out << code.code << (code.taken ? " taken" : " refused");
}

class TaxCodes : public ::testing::TestWithParam<TaxCodeCase> {};

TEST_P(TaxCodes, AreTheLettersPvmAndOneToThreeDigits) {
    EXPECT_EQ(isTaxCode(GetParam().code), GetParam().taken);
}

INSTANTIATE_TEST_SUITE_P(Codes, TaxCodes,
                         ::testing::Values(TaxCodeCase{"PVM1", true}, TaxCodeCase{"PVM25", true},
                                           TaxCodeCase{"PVM100", true}, TaxCodeCase{"PVM", false},
                                           TaxCodeCase{"PVM1000", false}, TaxCodeCase{"pvm1", false},
                                           TaxCodeCase{"PVM 1", false}, TaxCodeCase{"PV1", false},
                                           TaxCodeCase{"", false}),
                         nakva::testing::CaseName());

} // namespace
} // namespace nakva
