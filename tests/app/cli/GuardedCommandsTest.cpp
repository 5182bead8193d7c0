// nakva-cli delete and update on real files: the program's guarded delete and change, record by record.
#include "CliTestSupport.h"
#include "cli/CliCommands.h"
#include "data/Integrity.h"
#include "data/SqliteConnection.h"
#include "data/StoreTestSupport.h"

#include "support/CaseName.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

namespace nakva {
namespace {

class GuardedCommandsTest : public testing::CliTest {
protected:
    void import(const std::string& table, const std::string& csv) {
        const auto path = folder.path() / (table + ".csv");
        std::ofstream(path, std::ios::binary) << csv;
        ASSERT_EQ(cli({"import", table, path.string(), "--no-check"}), ExitOk) << messages.texts().at(0);
    }

    // One field of every record of a table, in identity-key order.
    std::vector<std::string> column(const std::string& table, std::size_t field) {
        EXPECT_EQ(cli({"export", table}), ExitOk);
        std::vector<std::string> values;
        std::istringstream in(out.str());
        std::string line;
        std::getline(in, line); // the header
        while (std::getline(in, line)) {
            std::istringstream fields(line);
            std::string value;
            for (std::size_t i = 0; i <= field; ++i) {
                std::getline(fields, value, ',');
            }
            values.push_back(value.ends_with('\r') ? value.substr(0, value.size() - 1) : value);
        }
        return values;
    }

    std::size_t count(const std::string& table) { return column(table, 0).size(); }
};

TEST_F(GuardedCommandsTest, ACountryInUseIsKeptUntilItsRegistrationMovesAway) {
    import("Valstyb", "VAL:Valstybe\nLatvija\nLietuva\n");
    import("Saskait", "SAS:IrasoNr,SAS:GYVENTOJOVALSTYBE\n1,Lietuva\n2,LATVIJA\n");
    const std::vector<std::string> deleteLatvija{"delete", "Valstyb", "--filter", "VAL:Valstybe = 'Latvija'"};

    // Without --yes it only tells.
    EXPECT_EQ(cli(deleteLatvija), ExitOk);
    EXPECT_EQ(out.str(), "Būtų pašalintas: VAL:Valstybe=Latvija\n"
                         "Atrinkta įrašų: 1. Nieko nepakeista; kad būtų atlikta, pridėkite --yes.\n");
    EXPECT_TRUE(messages.shown().empty());

    std::vector<std::string> confirmed = deleteLatvija;
    confirmed.push_back("--yes");
    EXPECT_EQ(cli(confirmed), ExitFailed);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].title, "Susietų įrašų pašalinimo klaida");
    EXPECT_EQ(messages.shown()[0].text, "Šis įrašas susietas su failu Saskait.  Įrašo negalima išmesti kol "
                                        "egzistuoja šis ryšys tarp failų.");
    EXPECT_EQ(out.str(), "Nepašalintas: VAL:Valstybe=Latvija\nPašalinta 0 iš 1.\n");
    EXPECT_EQ(column("Valstyb", 0), (std::vector<std::string>{"Latvija", "Lietuva"}));

    ASSERT_EQ(cli({"update", "Saskait", "--filter", "SAS:IrasoNr = 2", "--field",
                   "SAS:GYVENTOJOVALSTYBE=Lietuva", "--yes"}),
              ExitOk);
    EXPECT_EQ(cli(confirmed), ExitOk);
    EXPECT_EQ(out.str(), "Pašalintas: VAL:Valstybe=Latvija\nPašalinta 1 iš 1.\n");
    EXPECT_EQ(column("Valstyb", 0), std::vector<std::string>{"Lietuva"});
}

class GuardedRegistrationTest : public GuardedCommandsTest {
protected:
    void SetUp() override {
        import("Saskait", "SAS:IrasoNr\n1\n2\n");
        import("Mokej", "MOK:IrasoNr,MOK:SaskIrasoNr\n1,1\n2,1\n3,2\n");
        import("Saskeil", "SEI:SEILID,SEI:IrasoNr\n1,1\n2,1\n3,2\n");
        import("Seilgraf", "SEIG:SEILGID,SEIG:SEILID\n1,1\n2,1\n3,2\n4,3\n");
        import("SaskKmb", "SKMB:IrasoNr,SKMB:KambarioID\n1,1\n1,2\n2,1\n");
    }

    std::vector<std::size_t> counts() {
        return {count("Saskait"), count("Mokej"), count("Saskeil"), count("Seilgraf"), count("SaskKmb")};
    }
};

TEST_F(GuardedRegistrationTest, DeletingARegistrationTakesItsChildren) {
    EXPECT_EQ(cli({"delete", "Saskait", "--filter", "SAS:IrasoNr = LOC:Nr", "--set", "LOC:Nr=1", "--yes"}),
              ExitOk);
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_EQ(counts(), (std::vector<std::size_t>{1, 1, 1, 1, 1}));
    EXPECT_EQ(column("Seilgraf", 1), std::vector<std::string>{"3"});
}

TEST_F(GuardedRegistrationTest, AFailureAtTheLastChildLeavesEverything) {
    SqliteConnection(database.filePath(TableId::SaskKmb), SqliteConnection::Mode::Existing)
        .execute("CREATE TRIGGER injected BEFORE DELETE ON \"SaskKmb\" BEGIN SELECT RAISE(ABORT, 'disko "
                 "klaida'); END");
    EXPECT_EQ(cli({"delete", "Saskait", "--filter", "SAS:IrasoNr = 1", "--yes"}), ExitFailed);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].title, "Pašalinimo operacijos klaida");
    EXPECT_EQ(messages.shown()[0].text, "Klaida (disko klaida (1811))  pašalinant įrašą iš failo SaskKmb.");
    EXPECT_EQ(counts(), (std::vector<std::size_t>{2, 3, 3, 4, 3}));
}

// A renamed parent value reaches every child that held it exactly, and only those.
struct Rename {
    std::string parent, parentCsv, filter, field;
    std::string child, childCsv;
    std::size_t childField;
    std::vector<std::string> expected;
};

void PrintTo(const Rename& rename, std::ostream* out) {
    *out << rename.parent << " → " << rename.child;
}

class GuardedRenameTest : public GuardedCommandsTest, public ::testing::WithParamInterface<Rename> {};

TEST_P(GuardedRenameTest, RewritesEveryChild) {
    const Rename& rename = GetParam();
    import(rename.parent, rename.parentCsv);
    import(rename.child, rename.childCsv);
    EXPECT_EQ(cli({"update", rename.parent, "--filter", rename.filter, "--field", rename.field, "--yes"}),
              ExitOk)
        << (messages.texts().empty() ? "" : messages.texts()[0]);
    EXPECT_EQ(column(rename.child, rename.childField), rename.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Parents, GuardedRenameTest,
    ::testing::Values(
        Rename{"KmbTipai",
               "KTIP:KambarioTipas\nDvivietis\n",
               "KTIP:KambarioTipas = 'Dvivietis'",
               "KTIP:KambarioTipas=Dvivietis lux",
               "Kamb",
               "KMB:KambarioID,KMB:KambarioTipas,KMB:KambarioAukstas\n1,Dvivietis,-1\n2,Vienvietis,1\n"
               "3,Dvivietis,3\n",
               4,
               {"Dvivietis lux", "Vienvietis", "Dvivietis lux"}},
        Rename{"Paslaug",
               "PAS:Pav,PAS:PaslGrpNr\nPusryčiai,1\nPUSRYČIAI,2\n",
               "PAS:Pav = 'Pusryčiai'",
               "PAS:Pav=Pietūs",
               "Saskeil",
               "SEI:SEILID,SEI:IrasoNr,SEI:PasPav\n1,1,PUSRYČIAI\n2,1,Pusryčiai\n3,2,Pusryčiai\n",
               2,
               {"PUSRYČIAI", "Pietūs", "Pietūs"}},
        Rename{"Klient",
               "KLI:Kod\nUAB1\n",
               "KLI:Kod = 'UAB1'",
               "KLI:Kod=UAB2",
               "Mokej",
               "MOK:IrasoNr,MOK:MokKod\n1,UAB1\n2,uab1\n3,UAB1\n",
               5,
               {"UAB2", "UAB2", "UAB2"}}, // "uab1" was imported as the payer spells it
        Rename{"Klient",
               "KLI:Kod\nUAB1\n",
               "KLI:Kod = 'UAB1'",
               "KLI:Kod=UAB2",
               "Saskait",
               "SAS:IrasoNr,SAS:KliKod\n1,UAB1\n2,UAB3\n",
               5,
               {"UAB2", "UAB3"}}),
    nakva::testing::CaseName());

// update checks a value as import does: nothing cut, rounded or left blank where it links.
TEST_F(GuardedCommandsTest, UpdateRefusesWhatImportRefuses) {
    import("Valstyb", "VAL:Valstybe\nLatvija\n");
    import("Saskait", "SAS:IrasoNr,SAS:GYVENTOJOVALSTYBE\n1,Latvija\n");
    const struct {
        const char* table;
        const char* field;
        const char* says;
    } cases[] = {
        {"Saskait", "SAS:SaskSer=ABCDEF", "Per ilgas tekstas"},
        {"Saskait", "SAS:PVMPROC=1.234", "per daug skaitmenų po taško"},
        {"Saskait", "SAS:IrasoNr=0", "įrašo numeris turi būti didesnis už 0"},
        {"Valstyb", "VAL:Valstybe=", "reikšmė negali būti tuščia"},
    };
    for (const auto& c : cases) {
        const int code = cli({"update", c.table, "--filter", "1 = 1", "--field", c.field, "--yes"});
        EXPECT_NE(code, ExitOk) << c.field;
        ASSERT_FALSE(messages.texts().empty()) << c.field;
        EXPECT_NE(messages.texts().back().find(c.says), std::string::npos) << messages.texts().back();
    }
    EXPECT_EQ(column("Saskait", 0), std::vector<std::string>{"1"});
    EXPECT_EQ(column("Valstyb", 0), std::vector<std::string>{"Latvija"});
    // A linking value is stored as its parent spells it.
    ASSERT_EQ(cli({"update", "Saskait", "--filter", "SAS:IrasoNr = 1", "--field",
                   "SAS:GYVENTOJOVALSTYBE=LATVIJA", "--yes"}),
              ExitOk);
    EXPECT_EQ(storedColumn(TableId::Saskait, "SAS:GYVENTOJOVALSTYBE"), std::vector<std::string>{"Latvija"});
}

// A linking value that names no parent is refused as import refuses it; the record stays as it was.
TEST_F(GuardedCommandsTest, UpdateRefusesALinkThatNamesNoParent) {
    import("Klient", "KLI:Kod\nUAB1\n");
    import("KmbTipai", "KTIP:KambarioTipas\nDvivietis\n");
    import("Saskait", "SAS:IrasoNr,SAS:KliKod\n1,UAB1\n");
    import("Saskeil", "SEI:SEILID,SEI:IrasoNr\n1,1\n");
    import("Kamb", "KMB:KambarioID,KMB:KambarioTipas\n1,Dvivietis\n");
    const struct {
        const char* table;
        const char* field;
        const char* says;
        std::size_t column;
        const char* kept;
    } cases[] = {
        {"Saskeil", "SEI:IrasoNr=99999", "SEI:IrasoNr: reikšmės „99999“ nėra faile Saskait.", 1, "1"},
        {"Saskait", "SAS:KliKod=NERA", "SAS:KliKod: reikšmės „NERA“ nėra faile Klient.", 5, "UAB1"},
        {"Kamb", "KMB:KambarioTipas=Nėra", "KMB:KambarioTipas: reikšmės „Nėra“ nėra faile KmbTipai.", 4,
         "Dvivietis"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(cli({"update", c.table, "--filter", "1 = 1", "--field", c.field, "--yes"}), ExitFailed)
            << c.field;
        ASSERT_EQ(messages.texts().size(), 1u) << c.field;
        EXPECT_NE(messages.texts()[0].find(c.says), std::string::npos) << messages.texts()[0];
        EXPECT_NE(out.str().find("Pakeista 0 iš 1."), std::string::npos) << out.str();
        EXPECT_EQ(column(c.table, c.column), std::vector<std::string>{c.kept}) << c.field;
    }
    // A change that leaves a link alone does not ask for its parent again: an older orphan can still
    // be corrected field by field.
    import("Saskait", "SAS:IrasoNr,SAS:KliKod\n2,SENAS\n");
    EXPECT_EQ(
        cli({"update", "Saskait", "--filter", "SAS:IrasoNr = 2", "--field", "SAS:Gyventojas=Jonas", "--yes"}),
        ExitOk)
        << messages.texts().at(0);
}

// A renamed payer takes along a registration that names it in another letter case (written by another
// program or an older import): under a key that ignores case it can mean no other payer, and left
// behind it would name none. A service's name is case-sensitive: there another spelling is another
// service, and stays.
TEST_F(GuardedCommandsTest, ARenameTakesAlongChildrenInAnotherLetterCaseWhereTheKeyIgnoresCase) {
    ASSERT_EQ(cli({"init"}), ExitOk);
    import("Klient", "KLI:Kod\nUAB1\n");
    addRecord(TableId::Saskait, {{"SAS:IrasoNr", "1"}, {"SAS:KliKod", "uab1"}});
    ASSERT_EQ(cli({"update", "Klient", "--filter", "KLI:Kod = 'UAB1'", "--field", "KLI:Kod=UAB2", "--yes"}),
              ExitOk)
        << messages.texts().at(0);
    EXPECT_EQ(storedColumn(TableId::Saskait, "SAS:KliKod"), std::vector<std::string>{"UAB2"});
    EXPECT_EQ(cli({"check"}), ExitOk) << out.str();
}

// Every table takes a change through update, the settings' single record too: what is reported
// changed is stored changed.
class UpdateEveryTableTest : public GuardedCommandsTest, public ::testing::WithParamInterface<TableId> {};

TEST_P(UpdateEveryTableTest, WritesWhatItReports) {
    const TableDef& table = Dictionary::instance().table(GetParam());
    std::vector<std::pair<std::string, std::string>> identity;
    for (const int field : table.keys[std::size_t(table.identityKey)].components) {
        const FieldDef& def = table.fields[std::size_t(field)];
        identity.emplace_back(def.name, def.type == FieldType::String ? "A1" : "1");
    }
    addRecord(table.id, identity);

    // The first field that is neither part of the identity nor a link (the identity's own field where
    // the table has no other), given a value of its type.
    std::vector<int> avoided = table.keys[std::size_t(table.identityKey)].components;
    for (const RelationDef* relation : Dictionary::instance().parentsOf(table.id)) {
        avoided.push_back(relation->childField);
    }
    int chosen = table.keys[std::size_t(table.identityKey)].components.front();
    for (int i = 0; i < int(table.fields.size()); ++i) {
        if (table.fields[std::size_t(i)].type != FieldType::Group &&
            std::ranges::find(avoided, i) == avoided.end()) {
            chosen = i;
            break;
        }
    }
    const FieldDef& field = table.fields[std::size_t(chosen)];
    const std::string value = field.isDate                       ? "2024-04-15"
                              : field.type == FieldType::String  ? "Nauja"
                              : field.type == FieldType::Decimal ? "1.5"
                                                                 : "1";
    Record expected(table);
    ASSERT_TRUE(expected.setExactText(chosen, value).ok());

    ASSERT_EQ(cli({"update", std::string(table.name), "--filter", "1 = 1", "--field",
                   std::string(field.name) + "=" + value, "--yes"}),
              ExitOk)
        << (messages.texts().empty() ? out.str() : messages.texts()[0]);
    EXPECT_TRUE(out.str().ends_with("Pakeista 1 iš 1.\n")) << out.str();
    EXPECT_EQ(storedColumn(table.id, field.name), std::vector<std::string>{expected.text(chosen)})
        << field.name;
}

std::vector<TableId> everyTable() {
    std::vector<TableId> tables;
    for (const TableDef& table : Dictionary::instance().tables()) {
        tables.push_back(table.id);
    }
    return tables;
}

INSTANTIATE_TEST_SUITE_P(Tables, UpdateEveryTableTest, ::testing::ValuesIn(everyTable()),
                         [](const ::testing::TestParamInfo<TableId>& info) {
                             return std::string(Dictionary::instance().table(info.param).name);
                         });

// The exact command of the settings that once reported a change it never made.
TEST_F(GuardedCommandsTest, UpdateOfTheSettingsWritesTheSettings) {
    import("IstgPar", "IST:ISTAIGA,IST:PVMPROC,IST:PAR3\nSvečių namai,21,Direktorius\n");
    ASSERT_EQ(cli({"update", "IstgPar", "--filter", "IST:PVMPROC = 21", "--field", "IST:PAR3=Vadybininkas",
                   "--yes"}),
              ExitOk);
    EXPECT_EQ(out.str(), "Pakeistas: IST:ISTAIGA=Svečių namai (IST:PAR3: Direktorius → Vadybininkas)\n"
                         "Pakeista 1 iš 1.\n");
    EXPECT_EQ(storedColumn(TableId::IstgPar, "IST:PAR3"), std::vector<std::string>{"Vadybininkas"});
}

// Another station commits a change of the same payer while the command waits to write it: the command
// has no user who saw the old values, so it applies its change to the payer as it now stands.
TEST_F(GuardedCommandsTest, AnUpdateWaitingForAnotherStationsChangeAppliesItsOwnOnTop) {
    import("Klient", "KLI:Kod,KLI:PAV,KLI:TEL\nS1,Pirma,1\n");
    const int station = testing::startHelperUntilReady(
        {"change-payer-commit-later", folder.path().string(), "S1", "Stotis", "1200"});
    const int command = testing::startCli({"update", "Klient", "--filter", "KLI:Kod = 'S1'", "--field",
                                           "KLI:PAV=Komanda", "--yes", "--dir", folder.path().string()});
    EXPECT_EQ(testing::waitHelper(station), 0);
    EXPECT_EQ(testing::waitHelper(command), ExitOk);
    EXPECT_EQ(storedColumn(TableId::Klient, "KLI:PAV"), std::vector<std::string>{"Komanda"});
    EXPECT_EQ(storedColumn(TableId::Klient, "KLI:TEL"), std::vector<std::string>{"Stotis"})
        << "the other station's change stays";
}

TEST_F(GuardedCommandsTest, AWrongCommandLineChangesNothing) {
    import("Valstyb", "VAL:Valstybe\nLatvija\n");
    const struct {
        std::vector<std::string> words;
        const char* says;
    } cases[] = {
        {{"delete", "Valstyb", "--yes"}, "Nurodykite, kuriuos įrašus atrinkti: --filter SĄLYGA."},
        {{"update", "Valstyb", "--filter", "VAL:Valstybe = 'Latvija'", "--yes"},
         "Nurodykite, ką keisti: --field VARDAS=REIKŠMĖ."},
        {{"update", "Valstyb", "--filter", "VAL:Valstybe = 'Latvija'", "--field", "VAL:Salis=X", "--yes"},
         "Lentelėje Valstyb nėra lauko „VAL:Salis“."},
        {{"update", "Valstyb", "--filter", "VAL:Valstybe = 'Latvija'", "--field", "Ω", "--yes"},
         "Parametras --field rašomas VARDAS=REIKŠMĖ, o gauta „Ω“."},
        {{"update", "Valstyb", "--filter", "VAL:Valstybe = 'Latvija'", "--field", "VAL:Valstybe=Ωmega",
          "--yes"},
         "VAL:Valstybe: "},
        {{"delete", "Valstyb", "--filter", "VAL:Valstybe = 'Latvija'", "--yes=taip"},
         "Parametras „--yes“ rašomas be reikšmės."},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(cli(c.words), ExitUsage) << c.says;
        ASSERT_EQ(messages.texts().size(), 1u) << c.says;
        EXPECT_EQ(messages.texts()[0].rfind(c.says, 0), 0u) << messages.texts()[0];
        EXPECT_EQ(column("Valstyb", 0), std::vector<std::string>{"Latvija"});
    }
}

// Two stations: this process has the country open in a form when nakva-cli, in a process of its own,
// renames it; this one's save then shows the other's value.
TEST_F(GuardedCommandsTest, AFormSavedAfterTheCommandsChangeSeesTheCommandsValue) {
    import("Valstyb", "VAL:Valstybe\nLatvija\n");
    Context context(database);
    Table& form = context.table(TableId::Valstyb);
    form.open();
    form.record().set(VAL::Valstybe, "Latvija");
    ASSERT_EQ(form.getByKey(VAL::Key_Valst), StoreStatus::Ok);
    form.watch();
    const Record former = form.record();
    form.record().set(VAL::Valstybe, "Latvia");

    ASSERT_EQ(testing::waitHelper(testing::startCli(
                  {"update", "Valstyb", "--filter", "VAL:Valstybe = 'Latvija'", "--field",
                   "VAL:Valstybe=Latvijos Respublika", "--yes", "--dir", folder.path().string()})),
              ExitOk);

    EXPECT_EQ(guardedChange(form, former, ChangeCaller::Form), GuardedResult::ReRead);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].title, "Įrašas neišsaugotas");
    EXPECT_EQ(messages.shown()[0].text,
              "Šį įrašą jau pakeitė kitas vartotojas.Dabar matysite jau pakeistus duomenis.");
    EXPECT_EQ(form.record().text("VAL:Valstybe"), "Latvijos Respublika");
}

} // namespace
} // namespace nakva
