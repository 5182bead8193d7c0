// The price list of services on the common list and form engines, on real files: the price without
// VAT, the copy, the new service's defaults, the duplicate keys and the group tab. The user's part of a
// form call is a script.
#include "data/StoreTestSupport.h"

#include "data/Table.h"
#include "reference/RecordCopy.h"
#include "reference/Services.h"
#include "support/AnswerAtOnce.h"
#include "ui/FormEngine.h"
#include "ui/ListEngine.h"

#include "support/CaseName.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace nakva {
namespace {

// The form's items by what they edit.
enum Item { Name = 0, Code = 2, Group = 3, Unit = 4, PriceWithVat = 5, Vat = 6, PriceWithoutVat = 7 };

using Fields = std::map<std::string, std::string>;

struct VatCase {
    const char* withVat;
    const char* vat;
    const char* withoutVat;
};

void PrintTo(const VatCase& c, std::ostream* out) {
    *out << c.withVat << " with " << c.vat << " VAT";
}

class PriceWithoutVatTest : public ::testing::TestWithParam<VatCase> {};

TEST_P(PriceWithoutVatTest, IsThePriceWithVatTimesAHundredOverAHundredPlusVatInFourPlaces) {
    const VatCase& each = GetParam();
    const Decimal price = priceWithoutVat(*Decimal::parse(each.withVat), *Decimal::parse(each.vat));
    EXPECT_EQ(price.toString(), each.withoutVat);
}

INSTANTIATE_TEST_SUITE_P(Prices, PriceWithoutVatTest,
                         ::testing::Values(VatCase{"12.1000", "21.00", "10.0000"}, // 100/121 carried exactly
                                           VatCase{"55.5000", "0.00", "55.5000"},  // no VAT
                                           VatCase{"1.0000", "21.00", "0.8264"},   // 0.826446...
                                           VatCase{"0.0001", "9.00", "0.0001"},    // 0.0000917 rounds up
                                           VatCase{"10.0000", "5.00", "9.5238"},
                                           VatCase{"9999999.9999", "21.00", "8264462.8098"}),
                         nakva::testing::CaseName());

struct NameCase {
    std::string name;
    std::string copy;
};

void PrintTo(const NameCase& c, std::ostream* out) {
    *out << c.name.size() << " characters " << c.name;
}

class CopyNameTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(CopyNameTest, AppendsATildeToTheClippedNameWithinFortyCharacters) {
    EXPECT_EQ(copyName(GetParam().name), GetParam().copy);
}

INSTANTIATE_TEST_SUITE_P(Names, CopyNameTest,
                         ::testing::Values(NameCase{"Pirtis", "Pirtis~"}, NameCase{"Pirtis   ", "Pirtis~"},
                                           NameCase{"Pirtis~", "Pirtis~~"},
                                           NameCase{std::string(39, 'a'), std::string(39, 'a') + "~"},
                                           NameCase{std::string(40, 'a'), std::string(40, 'a')},
                                           // Forty letters of two bytes each: cut by letters, not by bytes.
                                           NameCase{[] {
                                                        std::string name;
                                                        for (int i = 0; i < 40; ++i) {
                                                            name += "ž";
                                                        }
                                                        return name;
                                                    }(),
                                                    [] {
                                                        std::string name;
                                                        for (int i = 0; i < 40; ++i) {
                                                            name += "ž";
                                                        }
                                                        return name;
                                                    }()}),
                         nakva::testing::CaseName());

class ServicesTest : public testing::StoreTest {
protected:
    Context context{database};

    void SetUp() override {
        ASSERT_TRUE(database.istgPar().setText("IST:PVMPROC", "21").ok());
        addRecord(TableId::PaslGrp, {{"PGRP:IrasoNr", "1"}, {"PGRP:GrpPav", "Maitinimas"}});
        addRecord(TableId::PaslGrp, {{"PGRP:IrasoNr", "2"}, {"PGRP:GrpPav", "Pramogos"}});
    }

    void addService(const std::string& name, const std::string& group = "0", const Fields& more = {}) {
        Fields values = {{"PAS:Pav", name}, {"PAS:PaslGrpNr", group}};
        values.insert(more.begin(), more.end());
        addRecord(TableId::Paslaug, {values.begin(), values.end()});
    }

    // Every stored service by name: the text of `field`.
    std::map<std::string, std::string> services(std::string_view field) {
        Context other(database);
        Table& table = other.table(TableId::Paslaug);
        table.open();
        std::map<std::string, std::string> values;
        table.setToKeyStart(PAS::PASLKEY);
        while (table.next() == StoreStatus::Ok) {
            values[table.record().get(PAS::Pav)] = table.record().text(field);
        }
        table.close();
        return values;
    }

    std::unique_ptr<ListEngine> openList(FormCall form = {}) {
        ListConfig config = SarPaslaug();
        config.form = std::move(form);
        auto list = std::make_unique<ListEngine>(config, context);
        list->setPageSize(8);
        list->open();
        return list;
    }

    static std::vector<std::string> names(const ListEngine& list) {
        std::vector<std::string> shown;
        for (const ListRow& row : list.rows()) {
            shown.push_back(row.cells.at(1));
        }
        return shown;
    }

    static std::string currentName(const ListEngine& list) {
        return list.rows().at(std::size_t(list.currentRow() - 1)).cells.at(1);
    }

    static void goTo(ListEngine& list, const std::string& name) {
        const std::vector<std::string> shown = names(list);
        const auto found = std::find(shown.begin(), shown.end(), name);
        ASSERT_NE(found, shown.end()) << name;
        list.setCurrentRow(int(found - shown.begin()) + 1);
    }

    // The service form as the list calls it: the user types `typing` and saves, or cancels.
    FormCall serviceForm(std::vector<std::pair<int, std::string>> typing, bool save) {
        return nakva::testing::formAnsweringAtOnce([this, typing, save](Context& on, Request request) {
            FormEngine form(RedPaslaug(), on, {});
            if (!form.open(request)) {
                return form.result();
            }
            for (const auto& [item, text] : typing) {
                EXPECT_TRUE(form.setItemText(item, text));
                EXPECT_TRUE(form.acceptItem(item));
            }
            titles.push_back(form.title());
            if (save) {
                form.save();
            }
            if (!form.finished()) {
                EXPECT_TRUE(form.cancel());
            }
            return form.result();
        });
    }

    // An insert form opened on the list's context as the list opens it.
    std::unique_ptr<FormEngine> insertForm() {
        context.table(TableId::Paslaug).clear();
        auto form = std::make_unique<FormEngine>(RedPaslaug(), context, FormEngine::SelectList{});
        EXPECT_TRUE(form->open(Request::Insert));
        return form;
    }

    std::vector<std::string> titles;
};

TEST_F(ServicesTest, CopyingAServiceTwiceFailsAsADuplicateOfTheFirstCopyAndTheCopyOfTheCopyGetsTwoTildes) {
    addService("Pirtis", "2",
               {{"PAS:PKod", "P1"},
                {"PAS:MATVNT", "VAL."},
                {"PAS:KAINSUPVM", "12.1"},
                {"PAS:PVMPROC", "21"},
                {"PAS:KAINBEPVM", "10"},
                {"PAS:PAV1", "su baseinu"}});
    auto list = openList();

    list->copyCurrent(copyService, false);
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_EQ(currentName(*list), "Pirtis~"); // the list stands on the copy
    // Everything but the name is the copied service's.
    for (const char* field : {"PAS:PAV1", "PAS:PaslGrpNr", "PAS:PKod", "PAS:MATVNT", "PAS:KAINSUPVM",
                              "PAS:PVMPROC", "PAS:KAINBEPVM"}) {
        EXPECT_EQ(services(field)["Pirtis~"], services(field)["Pirtis"]) << field;
    }

    goTo(*list, "Pirtis");
    list->copyCurrent(copyService, false);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].title, "Klaida-dubliuotas indeksas");
    EXPECT_EQ(messages.shown()[0].text, "Įrašas su tokiais raktiniais laukais jau egzistuoja. "
                                        "Indeksas:Paslaug (kartojasi reikšmė Pirtis~)");
    EXPECT_EQ(services("PAS:PKod").size(), 2u);
    EXPECT_EQ(currentName(*list), "Pirtis"); // the list stays where it was

    goTo(*list, "Pirtis~");
    list->copyCurrent(copyService, false);
    EXPECT_EQ(services("PAS:PKod").size(), 3u);
    EXPECT_EQ(currentName(*list), "Pirtis~~");
}

TEST_F(ServicesTest, ANameFillingAllFortyCharactersCannotTakeTheTildeAndItsCopyFailsAsADuplicate) {
    const std::string full = "Apgyvendinimas dviviečiame kambaryje ūki";
    ASSERT_EQ(full.size(), 40u + 2u); // two letters of two bytes: forty characters
    addService(full);
    auto list = openList();
    list->copyCurrent(copyService, false);
    ASSERT_EQ(messages.texts().size(), 1u);
    EXPECT_EQ(messages.texts()[0], "Įrašas su tokiais raktiniais laukais jau egzistuoja. "
                                   "Indeksas:Paslaug (kartojasi reikšmė " +
                                       full + ")");
    EXPECT_EQ(services("PAS:Pav").size(), 1u);
}

TEST_F(ServicesTest, TheFormOpensOnTheCopyAndCancellingItDeletesTheCopyAgain) {
    addService("Pirtis", "0", {{"PAS:KAINSUPVM", "12.1"}});
    addService("Vakarienė");
    auto list = openList(serviceForm({}, false));
    list->copyCurrent(copyService, true);

    EXPECT_EQ(titles, std::vector<std::string>{"Įrašas taisomas"});
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_EQ(services("PAS:Pav"),
              (std::map<std::string, std::string>{{"Pirtis", "Pirtis"}, {"Vakarienė", "Vakarienė"}}));
    EXPECT_EQ(names(*list), (std::vector<std::string>{"Pirtis", "Vakarienė"}));
}

TEST_F(ServicesTest, TheCopySavedUnderANewNameStaysAndTheListStandsOnIt) {
    addService("Pirtis", "0", {{"PAS:KAINSUPVM", "12.1"}});
    auto list = openList(serviceForm({{Name, "Pirtis vakare"}}, true));
    list->copyCurrent(copyService, true);

    EXPECT_EQ(services("PAS:KAINSUPVM"),
              (std::map<std::string, std::string>{{"Pirtis", "12.1000"}, {"Pirtis vakare", "12.1000"}}));
    EXPECT_EQ(currentName(*list), "Pirtis vakare");
}

TEST_F(ServicesTest, ANewServiceShowsTheInstitutionsVatAndBedsAsItsUnitBeforeAnythingIsTyped) {
    auto form = insertForm();
    EXPECT_EQ(form->itemText(Vat), "21.00");
    EXPECT_EQ(form->itemText(Unit), "LOVAD.");
    // The rest empty or 0.
    const std::map<int, std::string> rest = {
        {Name, ""}, {Code, ""}, {Group, "0"}, {PriceWithVat, "0.0000"}, {PriceWithoutVat, "0.0000"}};
    for (const auto& [item, text] : rest) {
        EXPECT_EQ(form->itemText(item), text) << item;
    }
}

TEST_F(ServicesTest, ThePriceWithoutVatFollowsThePriceWithVatAndTheVatWhenEitherIsAccepted) {
    auto form = insertForm();
    ASSERT_TRUE(form->setItemText(PriceWithVat, "12.1"));
    EXPECT_EQ(form->itemText(PriceWithoutVat), "0.0000"); // typed, not yet accepted
    ASSERT_TRUE(form->acceptItem(PriceWithVat));
    EXPECT_EQ(form->itemText(PriceWithoutVat), "10.0000");

    ASSERT_TRUE(form->setItemText(Vat, "0"));
    ASSERT_TRUE(form->acceptItem(Vat));
    EXPECT_EQ(form->itemText(PriceWithoutVat), "12.1000");

    // A rate below zero is refused before anything is computed.
    ASSERT_TRUE(form->setItemText(Vat, "-100"));
    EXPECT_FALSE(form->acceptItem(Vat));
    EXPECT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(form->itemText(PriceWithoutVat), "12.1000");
    EXPECT_FALSE(form->itemEditable(PriceWithoutVat));
}

TEST_F(ServicesTest, ChangingOnlyTheUnitKeepsAStoredPriceWithoutVatThatDisagreesWithTheFormula) {
    addService("Pirtis", "0", {{"PAS:KAINSUPVM", "12.1"}, {"PAS:PVMPROC", "21"}, {"PAS:KAINBEPVM", "9"}});
    auto list = openList(serviceForm({{Unit, "VNT."}}, true));
    list->press(ListAction::Change);
    EXPECT_EQ(services("PAS:MATVNT")["Pirtis"], "VNT.");
    EXPECT_EQ(services("PAS:KAINBEPVM")["Pirtis"], "9.0000");
}

struct DuplicateCase {
    const char* name;
    const char* group;
    const char* message; // empty: saved
};

void PrintTo(const DuplicateCase& c, std::ostream* out) {
    *out << c.name << " in group " << c.group;
}

class ServiceDuplicatesTest : public ServicesTest, public ::testing::WithParamInterface<DuplicateCase> {};

TEST_P(ServiceDuplicatesTest, NamesAreUniqueAsTypedAndWithinAGroupIgnoringCase) {
    addService("Pirtis", "1", {{"PAS:PKod", "P1"}});
    const DuplicateCase& each = GetParam();
    auto list = openList(serviceForm({{Name, each.name}, {Group, each.group}, {Code, "P1"}}, true));
    list->press(ListAction::Insert);
    if (std::string(each.message).empty()) {
        EXPECT_TRUE(messages.shown().empty());
        EXPECT_EQ(services("PAS:PKod").size(), 2u);
    } else {
        EXPECT_EQ(messages.texts(),
                  std::vector<std::string>{std::string("Įrašas su tokiais raktiniais laukais jau egzistuoja. "
                                                       "Indeksas:") +
                                           each.message});
        EXPECT_EQ(services("PAS:PKod").size(), 1u);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Keys, ServiceDuplicatesTest,
    ::testing::Values(DuplicateCase{"Pirtis", "2", "Pagal pavadinimą"},     // the same name in another group
                      DuplicateCase{"PIRTIS", "1", "Pagal paslaugų grupę"}, // the same group, case aside
                      DuplicateCase{"PIRTIS", "2", ""},                     // another group: another service
                      DuplicateCase{"Pirtis su vaikais", "1", ""}),
    nakva::testing::CaseName()); // the same code is no clash

TEST_F(ServicesTest, TheGroupTabShowsTheChosenGroupAndAnInsertThereGetsIt) {
    addService("Pusryčiai", "1");
    addService("Vakarienė", "1");
    addService("Biliardas", "2");
    addService("Skalbimas");
    auto list = openList(serviceForm({{Name, "Pietūs"}}, true));
    list->selectTab(ServiceGroupTab);
    EXPECT_EQ(names(*list), std::vector<std::string>{"Skalbimas"}); // no group chosen yet: group 0

    int chosen = 0;
    const SelectCall choose = nakva::testing::listAnsweringAtOnce([&chosen](Context& on) {
        ++chosen;
        EXPECT_EQ(on.table(TableId::PaslGrp).record().get(PGRP::IrasoNr), 7); // opened at the typed number
        on.table(TableId::PaslGrp).record().set(PGRP::IrasoNr, 1);
        return Response::Completed;
    });
    EXPECT_TRUE(nakva::testing::selectorTaken(*list, "2", choose));
    EXPECT_EQ(chosen, 0);
    EXPECT_EQ(names(*list), std::vector<std::string>{"Biliardas"});

    EXPECT_TRUE(
        nakva::testing::selectorTaken(*list, "7", choose)); // no group 7: the group list chose group 1
    EXPECT_EQ(chosen, 1);
    EXPECT_EQ(list->selectorText(ServiceGroupTab), "1");
    EXPECT_EQ(names(*list), (std::vector<std::string>{"Pusryčiai", "Vakarienė"}));

    list->press(ListAction::Insert);
    EXPECT_EQ(services("PAS:PaslGrpNr")["Pietūs"], "1");
    EXPECT_EQ(names(*list), (std::vector<std::string>{"Pietūs", "Pusryčiai", "Vakarienė"}));
}

TEST_F(ServicesTest, AGroupNotChosenOrNotANumberLeavesTheTabAsItWas) {
    addService("Biliardas", "2");
    auto list = openList();
    list->selectTab(ServiceGroupTab);
    ASSERT_TRUE(nakva::testing::selectorTaken(*list, "2", {}));

    EXPECT_FALSE(nakva::testing::selectorTaken(
        *list, "9", nakva::testing::listAnsweringAtOnce([](Context&) { return Response::Cancelled; })));
    EXPECT_FALSE(nakva::testing::selectorTaken(*list, "du", {}));
    EXPECT_EQ(messages.shown().size(), 1u); // the number refused; the cancelled choice says nothing
    EXPECT_EQ(list->selectorText(ServiceGroupTab), "2");
    EXPECT_EQ(names(*list), std::vector<std::string>{"Biliardas"});

    EXPECT_TRUE(nakva::testing::selectorTaken(*list, "0", {}));
    EXPECT_TRUE(list->rows().empty());
}

TEST_F(ServicesTest, ACopyWhoseTransactionCannotBeginShowsWhyAndAddsNothing) {
    // Any table copies alike; the store's helper holds its transaction on the countries.
    addRecord(TableId::Valstyb, {{"VAL:Valstybe", "Lietuva"}});
    Table& countries = context.table(TableId::Valstyb);
    countries.open();
    countries.record().set(VAL::Valstybe, "Lietuva");
    ASSERT_EQ(countries.getByKey(VAL::Key_Valst), StoreStatus::Ok);
    bool changed = false;
    const int helper = testing::startHelperUntilReady({"hold-transaction", folder.path().string()});
    const std::optional<Position> copy = copyRecord(countries, [&changed](Table& table) {
        changed = true;
        table.record().set(VAL::Valstybe, "Latvija");
        return std::string("Latvija");
    });
    testing::killHelper(helper);

    EXPECT_FALSE(copy.has_value());
    EXPECT_FALSE(changed);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].title, "Tranzakcijos klaida");
    const std::string text = messages.shown()[0].text;
    EXPECT_EQ(text.rfind("Klaida: (", 0), 0u) << text;
    const std::string end =
        ") sukuriant kopijuojant tranzakciją pagal Valstyb.  kopijuojant tranzakcija nutraukiama.";
    EXPECT_TRUE(text.size() > end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0)
        << text;
    std::int64_t stored = 0;
    ASSERT_EQ(countries.recordCount(stored), StoreStatus::Ok);
    EXPECT_EQ(stored, 1);
    countries.close();
}

TEST_F(ServicesTest, AGroupsNameIsItsStoredNameAndNothingForNoGroup) {
    EXPECT_EQ(serviceGroupName(context, 2), "Pramogos");
    EXPECT_EQ(serviceGroupName(context, 0), "");
    EXPECT_EQ(serviceGroupName(context, 5), "");
}

} // namespace
} // namespace nakva
