// The guarded delete and change against real table files.
#include "StoreTestSupport.h"

#include "data/Integrity.h"
#include "data/SqliteConnection.h"
#include "data/Transaction.h"
#include "data/Variables.h"

#include "support/CaseName.h"

#include <gtest/gtest.h>

#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace nakva {
namespace {

using Fields = std::vector<std::pair<std::string_view, std::string>>;

class IntegrityTest : public testing::StoreTest {
protected:
    Context context{database};

    void add(TableId id, const Fields& fields) {
        Table& table = context.table(id);
        table.open();
        table.clear();
        for (const auto& [name, text] : fields) {
            ASSERT_TRUE(table.record().setText(name, text).ok()) << name;
        }
        ASSERT_EQ(table.add(), StoreStatus::Ok) << lastOperationError().text;
        table.close();
    }

    // One field of every record, in identity-key order.
    std::vector<std::string> column(TableId id, std::string_view field) {
        Table& table = context.table(id);
        table.open();
        std::vector<std::string> values;
        table.setToKeyStart(table.def().identityKey);
        while (table.next() == StoreStatus::Ok) {
            values.push_back(table.record().text(field));
        }
        table.close();
        return values;
    }

    // The record of `id` whose identity key holds `fields`, read as a form reads it: current and
    // watched. The table stays open.
    Table& read(TableId id, const Fields& fields) {
        Table& table = context.table(id);
        table.open();
        table.clear();
        for (const auto& [name, text] : fields) {
            EXPECT_TRUE(table.record().setText(name, text).ok()) << name;
        }
        EXPECT_EQ(table.getByKey(table.def().identityKey), StoreStatus::Ok) << fields.front().second;
        table.watch();
        return table;
    }

    GuardedResult remove(TableId id, const Fields& key) { return guardedDelete(read(id, key)); }

    GuardedResult change(TableId id, const Fields& key, std::string_view field, std::string_view value,
                         ChangeCaller caller = ChangeCaller::Form) {
        Table& table = read(id, key);
        const Record former = table.record();
        EXPECT_TRUE(table.record().setText(field, value).ok());
        return guardedChange(table, former, caller);
    }

    // The driver refuses every DELETE (or UPDATE) of the table's records, as a failing disk would.
    void failEvery(TableId id, std::string_view operation) {
        const std::string name(Dictionary::instance().table(id).name);
        SqliteConnection file(database.filePath(id), SqliteConnection::Mode::Existing);
        file.execute("CREATE TRIGGER injected BEFORE " + std::string(operation) + " ON " + quoteName(name) +
                     " BEGIN SELECT RAISE(ABORT, 'disko klaida'); END");
    }

    std::vector<std::string> titles() const {
        std::vector<std::string> result;
        for (const MessageRequest& request : messages.shown()) {
            result.push_back(request.title);
        }
        return result;
    }

    // Two registrations, each with two payments, two invoice lines of two schedule days each and two
    // occupied rooms.
    void addRegistrations() {
        for (int registration : {1, 2}) {
            const std::string nr = std::to_string(registration);
            add(TableId::Saskait, {{"SAS:IrasoNr", nr}, {"SAS:GYVENTOJOVALSTYBE", "Latvija"}});
            for (int i = 1; i <= 2; ++i) {
                const std::string id = std::to_string(registration * 10 + i);
                add(TableId::Mokej, {{"MOK:IrasoNr", id}, {"MOK:SaskIrasoNr", nr}});
                add(TableId::Saskeil, {{"SEI:SEILID", id}, {"SEI:IrasoNr", nr}, {"SEI:PasPav", "Nakvynė"}});
                add(TableId::SaskKmb, {{"SKMB:IrasoNr", nr}, {"SKMB:KambarioID", std::to_string(i)}});
                for (int day = 1; day <= 2; ++day) {
                    add(TableId::Seilgraf, {{"SEIG:SEILGID", id + std::to_string(day)}, {"SEIG:SEILID", id}});
                }
            }
        }
    }
};

constexpr std::string_view RefusedText = "Šis įrašas susietas su failu Saskait.  Įrašo negalima išmesti kol "
                                         "egzistuoja šis ryšys tarp failų.";

// The reads find children along the child key, starting at the linking value: the key must lead with
// the linking field, and the child field must hold every parent value unchanged.
TEST(IntegrityDictionaryTest, EveryChildKeyLeadsWithTheLinkingFieldOfTheParentsType) {
    const Dictionary& dictionary = Dictionary::instance();
    for (const RelationDef& relation : dictionary.relations()) {
        const TableDef& parent = dictionary.table(relation.parent);
        const TableDef& child = dictionary.table(relation.child);
        const FieldDef& parentField = parent.fields[std::size_t(relation.parentField)];
        const FieldDef& childField = child.fields[std::size_t(relation.childField)];
        SCOPED_TRACE(std::string(parent.name) + " → " + std::string(child.name));
        EXPECT_EQ(child.keys[std::size_t(relation.childKey)].components.front(), relation.childField);
        EXPECT_EQ(childField.type, parentField.type);
        EXPECT_EQ(childField.size, parentField.size);
    }
}

TEST_F(IntegrityTest, ACountryInUseIsNotDeletedUntilTheRegistrationMovesAway) {
    add(TableId::Valstyb, {{"VAL:Valstybe", "Latvija"}});
    add(TableId::Saskait, {{"SAS:IrasoNr", "7"}, {"SAS:GYVENTOJOVALSTYBE", "Latvija"}});

    EXPECT_EQ(remove(TableId::Valstyb, {{"VAL:Valstybe", "Latvija"}}), GuardedResult::Refused);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].title, "Susietų įrašų pašalinimo klaida");
    EXPECT_EQ(messages.shown()[0].text, RefusedText);
    EXPECT_EQ(column(TableId::Valstyb, "VAL:Valstybe"), std::vector<std::string>{"Latvija"});

    EXPECT_EQ(change(TableId::Saskait, {{"SAS:IrasoNr", "7"}}, "SAS:GYVENTOJOVALSTYBE", "Lietuva"),
              GuardedResult::Done);
    EXPECT_EQ(remove(TableId::Valstyb, {{"VAL:Valstybe", "Latvija"}}), GuardedResult::Done);
    EXPECT_TRUE(column(TableId::Valstyb, "VAL:Valstybe").empty());
    EXPECT_EQ(messages.shown().size(), 1u);
}

// Registrations' countries, in record-number order, and whether they keep "Latvija" from being deleted.
// A text that differs only in letter case belongs to another country; the case-insensitive key reads
// it first and must read on past it.
struct CaseCase {
    std::vector<std::string> countries;
    bool refused;
};

void PrintTo(const CaseCase& c, std::ostream* out) {
    for (const std::string& country : c.countries) {
        *out << '"' << country << "\" ";
    }
    *out << (c.refused ? "refused" : "deleted");
}

class IntegrityCaseTest : public IntegrityTest, public ::testing::WithParamInterface<CaseCase> {};

TEST_P(IntegrityCaseTest, OnlyAnExactChildBlocksTheDelete) {
    add(TableId::Valstyb, {{"VAL:Valstybe", "Latvija"}});
    int nr = 0;
    for (const std::string& country : GetParam().countries) {
        add(TableId::Saskait, {{"SAS:IrasoNr", std::to_string(++nr)}, {"SAS:GYVENTOJOVALSTYBE", country}});
    }
    EXPECT_EQ(remove(TableId::Valstyb, {{"VAL:Valstybe", "Latvija"}}),
              GetParam().refused ? GuardedResult::Refused : GuardedResult::Done);
    EXPECT_EQ(messages.texts(), GetParam().refused ? std::vector<std::string>{std::string(RefusedText)}
                                                   : std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(Children, IntegrityCaseTest,
                         ::testing::Values(CaseCase{{}, false}, CaseCase{{"Latvija"}, true},
                                           CaseCase{{"LATVIJA"}, false},
                                           CaseCase{{"LATVIJA", "latvija"}, false},
                                           CaseCase{{"LATVIJA", "latvija", "Latvija"}, true},
                                           CaseCase{{"Latvijaa", "Latvij"}, false}),
                         nakva::testing::CaseName());

TEST_F(IntegrityTest, RenamingACountryRewritesExactlyItsRegistrations) {
    add(TableId::Valstyb, {{"VAL:Valstybe", "Latvija"}});
    const std::vector<std::string> before{"Latvija", "LATVIJA", "Latvija", "Lietuva"};
    for (std::size_t i = 0; i < before.size(); ++i) {
        add(TableId::Saskait, {{"SAS:IrasoNr", std::to_string(i + 1)}, {"SAS:GYVENTOJOVALSTYBE", before[i]}});
    }
    EXPECT_EQ(change(TableId::Valstyb, {{"VAL:Valstybe", "Latvija"}}, "VAL:Valstybe", "Latvia"),
              GuardedResult::Done);
    EXPECT_EQ(column(TableId::Valstyb, "VAL:Valstybe"), std::vector<std::string>{"Latvia"});
    EXPECT_EQ(column(TableId::Saskait, "SAS:GYVENTOJOVALSTYBE"),
              (std::vector<std::string>{"Latvia", "LATVIJA", "Latvia", "Lietuva"}));

    // A rename that changes only the letter case is a rename too: the children follow it.
    EXPECT_EQ(change(TableId::Valstyb, {{"VAL:Valstybe", "Latvia"}}, "VAL:Valstybe", "LATVIA"),
              GuardedResult::Done);
    EXPECT_EQ(column(TableId::Valstyb, "VAL:Valstybe"), std::vector<std::string>{"LATVIA"});
    EXPECT_EQ(column(TableId::Saskait, "SAS:GYVENTOJOVALSTYBE"),
              (std::vector<std::string>{"LATVIA", "LATVIJA", "LATVIA", "Lietuva"}));
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(IntegrityTest, RenamingARoomTypeRewritesEveryRoomOfItOnEveryFloor) {
    add(TableId::KmbTipai, {{"KTIP:KambarioTipas", "Dvivietis"}});
    add(TableId::Kamb,
        {{"KMB:KambarioID", "1"}, {"KMB:KambarioTipas", "Dvivietis"}, {"KMB:KambarioAukstas", "-1"}});
    add(TableId::Kamb, {{"KMB:KambarioID", "2"}, {"KMB:KambarioTipas", "Vienvietis"}});
    add(TableId::Kamb, {{"KMB:KambarioID", "3"},
                        {"KMB:KambarioTipas", "Dvivietis"},
                        {"KMB:KambarioAukstas", "2"},
                        {"KMB:KambarioKorpusas", "B"}});
    EXPECT_EQ(change(TableId::KmbTipai, {{"KTIP:KambarioTipas", "Dvivietis"}}, "KTIP:KambarioTipas",
                     "Dvivietis lux"),
              GuardedResult::Done);
    EXPECT_EQ(column(TableId::Kamb, "KMB:KambarioTipas"),
              (std::vector<std::string>{"Dvivietis lux", "Vienvietis", "Dvivietis lux"}));
}

TEST_F(IntegrityTest, RenamingAServiceLeavesTheServiceThatDiffersOnlyInCase) {
    add(TableId::Paslaug, {{"PAS:Pav", "Pusryčiai"}, {"PAS:PaslGrpNr", "1"}});
    add(TableId::Paslaug, {{"PAS:Pav", "PUSRYČIAI"}, {"PAS:PaslGrpNr", "2"}});
    const std::vector<std::string> services{"PUSRYČIAI", "Pusryčiai", "PUSRYČIAI", "Pusryčiai", "Nakvynė"};
    for (std::size_t i = 0; i < services.size(); ++i) {
        add(TableId::Saskeil,
            {{"SEI:SEILID", std::to_string(i + 1)}, {"SEI:IrasoNr", "1"}, {"SEI:PasPav", services[i]}});
    }
    EXPECT_EQ(change(TableId::Paslaug, {{"PAS:Pav", "Pusryčiai"}}, "PAS:Pav", "Pietūs"), GuardedResult::Done);
    EXPECT_EQ(column(TableId::Saskeil, "SEI:PasPav"),
              (std::vector<std::string>{"PUSRYČIAI", "Pietūs", "PUSRYČIAI", "Pietūs", "Nakvynė"}));
}

TEST_F(IntegrityTest, ChangingAPayersCodeRewritesItsRegistrationsAndPaymentsTogether) {
    add(TableId::Klient, {{"KLI:Kod", "UAB1"}});
    add(TableId::Saskait, {{"SAS:IrasoNr", "1"}, {"SAS:KliKod", "UAB1"}});
    add(TableId::Saskait, {{"SAS:IrasoNr", "2"}, {"SAS:KliKod", "UAB9"}});
    add(TableId::Mokej, {{"MOK:IrasoNr", "1"}, {"MOK:MokKod", "UAB1"}});
    add(TableId::Mokej, {{"MOK:IrasoNr", "2"}, {"MOK:MokKod", "UAB1"}});

    // Registrations are rewritten first; a payment that cannot be written undoes them.
    failEvery(TableId::Mokej, "UPDATE");
    EXPECT_EQ(change(TableId::Klient, {{"KLI:Kod", "UAB1"}}, "KLI:Kod", "UAB2"), GuardedResult::Failed);
    ASSERT_EQ(titles(), std::vector<std::string>{"Įrašymo operacijos klaida"});
    EXPECT_TRUE(messages.texts()[0].ends_with("  įrašant į failą.  Galima priežastis: Mokej."))
        << messages.texts()[0];
    EXPECT_EQ(column(TableId::Klient, "KLI:Kod"), std::vector<std::string>{"UAB1"});
    EXPECT_EQ(column(TableId::Saskait, "SAS:KliKod"), (std::vector<std::string>{"UAB1", "UAB9"}));

    SqliteConnection(database.filePath(TableId::Mokej), SqliteConnection::Mode::Existing)
        .execute("DROP TRIGGER injected");
    EXPECT_EQ(change(TableId::Klient, {{"KLI:Kod", "UAB1"}}, "KLI:Kod", "UAB2"), GuardedResult::Done);
    EXPECT_EQ(column(TableId::Klient, "KLI:Kod"), std::vector<std::string>{"UAB2"});
    EXPECT_EQ(column(TableId::Saskait, "SAS:KliKod"), (std::vector<std::string>{"UAB2", "UAB9"}));
    EXPECT_EQ(column(TableId::Mokej, "MOK:MokKod"), (std::vector<std::string>{"UAB2", "UAB2"}));
}

TEST_F(IntegrityTest, DeletingARegistrationTakesAllItsChildrenAndNoOthers) {
    addRegistrations();
    EXPECT_EQ(remove(TableId::Saskait, {{"SAS:IrasoNr", "1"}}), GuardedResult::Done);
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_EQ(column(TableId::Saskait, "SAS:IrasoNr"), std::vector<std::string>{"2"});
    EXPECT_EQ(column(TableId::Mokej, "MOK:IrasoNr"), (std::vector<std::string>{"21", "22"}));
    EXPECT_EQ(column(TableId::Saskeil, "SEI:SEILID"), (std::vector<std::string>{"21", "22"}));
    EXPECT_EQ(column(TableId::SaskKmb, "SKMB:IrasoNr"), (std::vector<std::string>{"2", "2"}));
    EXPECT_EQ(column(TableId::Seilgraf, "SEIG:SEILID"), (std::vector<std::string>{"21", "21", "22", "22"}));
}

// A delete that fails at one of the children, early or late in the walk, leaves every record in place.
struct HalfwayCase {
    TableId failing;
    std::string_view name;
};

void PrintTo(const HalfwayCase& c, std::ostream* out) {
    *out << c.name;
}

class IntegrityHalfwayTest : public IntegrityTest, public ::testing::WithParamInterface<HalfwayCase> {};

TEST_P(IntegrityHalfwayTest, AFailedDeleteLeavesTheWholeRegistration) {
    addRegistrations();
    const auto [failing, name] = GetParam();
    failEvery(failing, "DELETE");
    EXPECT_EQ(remove(TableId::Saskait, {{"SAS:IrasoNr", "1"}}), GuardedResult::Failed);
    ASSERT_EQ(titles(), std::vector<std::string>{"Pašalinimo operacijos klaida"});
    EXPECT_EQ(messages.texts()[0],
              "Klaida (disko klaida (1811))  pašalinant įrašą iš failo " + std::string(name) + ".");
    EXPECT_EQ(column(TableId::Saskait, "SAS:IrasoNr").size(), 2u);
    EXPECT_EQ(column(TableId::Mokej, "MOK:IrasoNr").size(), 4u);
    EXPECT_EQ(column(TableId::Saskeil, "SEI:SEILID").size(), 4u);
    EXPECT_EQ(column(TableId::SaskKmb, "SKMB:IrasoNr").size(), 4u);
    EXPECT_EQ(column(TableId::Seilgraf, "SEIG:SEILID").size(), 8u);
}

INSTANTIATE_TEST_SUITE_P(Children, IntegrityHalfwayTest,
                         ::testing::Values(HalfwayCase{TableId::Mokej, "Mokej"},
                                           HalfwayCase{TableId::Seilgraf, "SEilGraf"},
                                           HalfwayCase{TableId::SaskKmb, "SaskKmb"},
                                           HalfwayCase{TableId::Saskait, "Saskait"}),
                         nakva::testing::CaseName());

TEST_F(IntegrityTest, ATransactionThatCannotStartIsReportedAndWritesNothing) {
    add(TableId::Saskait, {{"SAS:IrasoNr", "1"}, {"SAS:Gyventojas", "Jonas"}});
    // Another window holds the registrations in a transaction of its own.
    Context other(database);
    for (TableId id : {TableId::Saskait, TableId::Mokej}) {
        other.table(id).open();
    }
    Transaction holding(other);
    ASSERT_EQ(holding.begin({TableId::Saskait, TableId::Mokej}), StoreStatus::Ok);

    EXPECT_EQ(change(TableId::Saskait, {{"SAS:IrasoNr", "1"}}, "SAS:Gyventojas", "Petras"),
              GuardedResult::Failed);
    ASSERT_EQ(titles(), std::vector<std::string>{"Tranzakcijos klaida"});
    const std::string text = messages.texts()[0];
    EXPECT_TRUE(text.starts_with("Klaida: (")) << text;
    EXPECT_TRUE(
        text.ends_with(") sukuriant update tranzakciją pagal Saskait.  Update tranzakcija nutraukiama."))
        << text;
    holding.rollback();
    EXPECT_EQ(column(TableId::Saskait, "SAS:Gyventojas"), std::vector<std::string>{"Jonas"});
}

TEST_F(IntegrityTest, ABatchChangeAfterAnotherUsersChangeIsUndoneAndShowsTheirVersion) {
    add(TableId::Valstyb, {{"VAL:Valstybe", "Latvija"}});
    add(TableId::Saskait, {{"SAS:IrasoNr", "1"}, {"SAS:GYVENTOJOVALSTYBE", "Latvija"}});
    Table& mine = read(TableId::Valstyb, {{"VAL:Valstybe", "Latvija"}});
    const Record former = mine.record();

    Context other(database);
    Table& theirs = other.table(TableId::Valstyb);
    theirs.open();
    ASSERT_TRUE(theirs.record().setText("VAL:Valstybe", "Latvija").ok());
    ASSERT_EQ(theirs.getByKey(VAL::Key_Valst), StoreStatus::Ok);
    const Record theirFormer = theirs.record();
    ASSERT_TRUE(theirs.record().setText("VAL:Valstybe", "Latvijos Respublika").ok());
    ASSERT_EQ(guardedChange(theirs, theirFormer, ChangeCaller::Batch), GuardedResult::Done);

    ASSERT_TRUE(mine.record().setText("VAL:Valstybe", "Latvia").ok());
    EXPECT_EQ(guardedChange(mine, former, ChangeCaller::Batch), GuardedResult::ReRead);
    ASSERT_EQ(titles(), std::vector<std::string>{"Įrašymo operacijos klaida"});
    EXPECT_EQ(messages.texts()[0], "Šį įrašą jau pakeitė kitas vartotojas.");
    EXPECT_EQ(mine.record().text("VAL:Valstybe"), "Latvijos Respublika");
    EXPECT_EQ(column(TableId::Saskait, "SAS:GYVENTOJOVALSTYBE"),
              std::vector<std::string>{"Latvijos Respublika"});

    // Re-read and watched again: the next save goes through.
    ASSERT_TRUE(mine.record().setText("VAL:Valstybe", "Latvia").ok());
    EXPECT_EQ(guardedChange(mine, mine.record(), ChangeCaller::Form), GuardedResult::Done);
}

// Another station: a process of its own that renames the country once this one has read it.
TEST_F(IntegrityTest, TwoProcessesChangingOneCountryTheSecondSeesTheFirstsValue) {
    add(TableId::Valstyb, {{"VAL:Valstybe", "Latvija"}});
    // add() closed every file again: no connection of this process crosses the fork.

    int go[2];
    ASSERT_EQ(pipe(go), 0);
    const pid_t pid = fork();
    if (pid == 0) {
        close(go[1]);
        char c = 0;
        int result = 9;
        if (::read(go[0], &c, 1) == 1) {
            Database station(folder.path());
            Context first(station);
            Table& countries = first.table(TableId::Valstyb);
            countries.open();
            countries.record().set(VAL::Valstybe, "Latvija");
            if (countries.getByKey(VAL::Key_Valst) == StoreStatus::Ok) {
                const Record former = countries.record();
                countries.record().set(VAL::Valstybe, "Latvijos Respublika");
                result = int(guardedChange(countries, former, ChangeCaller::Form));
            }
        }
        _exit(result);
    }
    close(go[0]);
    Table& form = read(TableId::Valstyb, {{"VAL:Valstybe", "Latvija"}});
    const Record former = form.record();
    ASSERT_TRUE(form.record().setText("VAL:Valstybe", "Latvia").ok());
    ASSERT_EQ(write(go[1], "g", 1), 1);
    close(go[1]);
    int status = 0;
    waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 0);

    EXPECT_EQ(guardedChange(form, former, ChangeCaller::Form), GuardedResult::ReRead);
    ASSERT_EQ(titles(), std::vector<std::string>{"Įrašas neišsaugotas"});
    EXPECT_EQ(messages.texts()[0],
              "Šį įrašą jau pakeitė kitas vartotojas.Dabar matysite jau pakeistus duomenis.");
    EXPECT_EQ(form.record().text("VAL:Valstybe"), "Latvijos Respublika");
    EXPECT_EQ(column(TableId::Valstyb, "VAL:Valstybe"), std::vector<std::string>{"Latvijos Respublika"});
}

TEST_F(IntegrityTest, TheCallersBuffersOfTheChildTablesStayAsTheyWere) {
    addRegistrations();
    Table& registrations = context.table(TableId::Saskait);
    registrations.open();
    registrations.record().set(SAS::IrasoNr, 2);
    ASSERT_EQ(registrations.getByKey(SAS::IRASONRKEY), StoreStatus::Ok);
    ASSERT_TRUE(registrations.record().setText("SAS:Gyventojas", "Keičiamas").ok());
    add(TableId::Valstyb, {{"VAL:Valstybe", "Latvija"}});

    EXPECT_EQ(change(TableId::Valstyb, {{"VAL:Valstybe", "Latvija"}}, "VAL:Valstybe", "Latvia"),
              GuardedResult::Done);
    EXPECT_EQ(registrations.record().text("SAS:Gyventojas"), "Keičiamas");
    EXPECT_EQ(registrations.record().text("SAS:IrasoNr"), "2");
    // The registration stays the handle's current record: its own save rewrites registration 2.
    EXPECT_EQ(registrations.put(), StoreStatus::Ok);
    EXPECT_EQ(column(TableId::Saskait, "SAS:Gyventojas"), (std::vector<std::string>{"", "Keičiamas"}));
}

// A batch procedure selects first and acts later: another station may change a record in between.
// Inside each record's transaction the selection's filter is tested again on the stored record.
TEST_F(IntegrityTest, ARecordChangedElsewhereAfterTheSelectionIsLeftWhenItNoLongerMatches) {
    add(TableId::Valstyb, {{"VAL:Valstybe", "Latvija"}});
    add(TableId::Valstyb, {{"VAL:Valstybe", "Lietuva"}});
    Variables variables;
    variables.set("LOC:Vardas", std::string("Latvija"));
    const auto selected =
        selectionCondition(context, TableId::Valstyb, "VAL:Valstybe = LOC:Vardas", variables);
    ASSERT_TRUE(selected) << selected.error.message;

    Table& countries = read(TableId::Valstyb, {{"VAL:Valstybe", "Latvija"}});
    const Position chosen = countries.position();
    ASSERT_EQ(testing::runHelper({"rename-country", folder.path().string(), "Latvija", "Estija"}), 0);
    ASSERT_EQ(countries.regetByPosition(chosen), StoreStatus::Ok);
    EXPECT_EQ(guardedDelete(countries, *selected), GuardedResult::NotSelected);
    const Record former = countries.record();
    ASSERT_TRUE(countries.record().setText("VAL:Valstybe", "Latvija").ok());
    EXPECT_EQ(guardedChange(countries, former, ChangeCaller::Batch, *selected), GuardedResult::NotSelected);
    EXPECT_EQ(countries.record().text("VAL:Valstybe"), "Estija") << "the buffer holds the stored record";
    countries.close();
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_EQ(column(TableId::Valstyb, "VAL:Valstybe"), (std::vector<std::string>{"Estija", "Lietuva"}));

    // Still matching: acted on as before; a filter naming a parent's field reads the parent.
    add(TableId::Saskait, {{"SAS:IrasoNr", "1"}, {"SAS:GYVENTOJOVALSTYBE", "Lietuva"}});
    const auto byParent =
        selectionCondition(context, TableId::Saskait, "UPPER(VAL:Valstybe) = 'LIETUVA'", {});
    ASSERT_TRUE(byParent) << byParent.error.message;
    Table& registration = read(TableId::Saskait, {{"SAS:IrasoNr", "1"}});
    EXPECT_EQ(guardedDelete(registration, *byParent), GuardedResult::Done);
    registration.close();
    EXPECT_TRUE(column(TableId::Saskait, "SAS:IrasoNr").empty());
}

// The settings have one record buffer for every handle: the stored record read to test the caller's
// condition must not take the place of the change the caller put there.
TEST_F(IntegrityTest, AChangeOfTheSettingsTestedAgainstAConditionWritesTheChange) {
    add(TableId::IstgPar, {{"IST:ISTAIGA", "Svečių namai"}, {"IST:PAR3", "Direktorius"}});
    Table& settings = read(TableId::IstgPar, {{"IST:ISTAIGA", "Svečių namai"}});
    const Record former = settings.record();
    ASSERT_TRUE(settings.record().setText("IST:PAR3", "Vadybininkas").ok());
    EXPECT_EQ(guardedChange(settings, former, ChangeCaller::Batch, [](const Record&) { return true; }),
              GuardedResult::Done);
    EXPECT_EQ(settings.record().text("IST:PAR3"), "Vadybininkas");
    settings.close();
    EXPECT_EQ(column(TableId::IstgPar, "IST:PAR3"), std::vector<std::string>{"Vadybininkas"});
}

// A batch change is made to the record as it is stored inside the transaction: another station's
// change since the record was read stays, and is no conflict. A change it refuses writes nothing.
TEST_F(IntegrityTest, ABatchChangeIsMadeToTheRecordAsItIsStoredThen) {
    add(TableId::Klient, {{"KLI:Kod", "S1"}, {"KLI:PAV", "Pirma"}, {"KLI:TEL", "1"}});
    Table& payer = read(TableId::Klient, {{"KLI:Kod", "S1"}});
    ASSERT_EQ(testing::waitHelper(testing::startHelperUntilReady(
                  {"change-payer-commit-later", folder.path().string(), "S1", "Stotis", "0"})),
              0);
    const auto rename = [](Record& record) {
        EXPECT_EQ(record.text("KLI:TEL"), "Stotis") << "as stored now";
        EXPECT_TRUE(record.setText("KLI:PAV", "Komanda").ok());
        return std::string();
    };
    EXPECT_EQ(guardedBatchChange(payer, rename), GuardedResult::Done);
    EXPECT_EQ(payer.record().text("KLI:PAV"), "Komanda");
    EXPECT_TRUE(messages.shown().empty());

    const auto refuse = [](Record& record) {
        EXPECT_TRUE(record.setText("KLI:PAV", "Niekada").ok());
        return std::string("KLI:PAV: netinka.");
    };
    EXPECT_EQ(guardedBatchChange(payer, refuse), GuardedResult::Failed);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].title, "Įrašas nepakeistas");
    EXPECT_EQ(messages.shown()[0].text, "KLI:PAV: netinka.");
    EXPECT_EQ(payer.record().text("KLI:PAV"), "Komanda") << "the buffer holds the record as stored";

    const StillSelected elsewhere = [](const Record& stored) {
        return stored.text("KLI:PAV") == "Kita";
    };
    EXPECT_EQ(guardedBatchChange(payer, rename, elsewhere), GuardedResult::NotSelected);
    payer.close();
    EXPECT_EQ(column(TableId::Klient, "KLI:PAV"), std::vector<std::string>{"Komanda"});
    EXPECT_EQ(column(TableId::Klient, "KLI:TEL"), std::vector<std::string>{"Stotis"});
}

// A blank linking value links nothing: renaming a payer whose code is blank leaves the registrations
// without a payer as they were.
TEST_F(IntegrityTest, ABlankParentValueHasNoChildren) {
    add(TableId::Klient, {{"KLI:Kod", ""}});
    add(TableId::Saskait, {{"SAS:IrasoNr", "1"}});
    EXPECT_EQ(change(TableId::Klient, {{"KLI:Kod", ""}}, "KLI:Kod", "UAB1"), GuardedResult::Done);
    EXPECT_EQ(column(TableId::Saskait, "SAS:KliKod"), std::vector<std::string>{""});
    add(TableId::Klient, {{"KLI:Kod", ""}});
    EXPECT_EQ(remove(TableId::Klient, {{"KLI:Kod", ""}}), GuardedResult::Done);
}

} // namespace
} // namespace nakva
