#include "CliTestSupport.h"
#include "cli/CliCommands.h"
#include "cli/CsvReader.h"
#include "cli/TableExport.h"
#include "data/StoreTestSupport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sqlite3.h>
#include <sstream>

namespace nakva {
namespace {

class CliTest : public testing::CliTest {
protected:
    std::string file(const std::string& name, const std::string& text) {
        const auto path = folder.path() / name;
        std::ofstream(path, std::ios::binary) << text;
        return path.string();
    }

    std::string message() const {
        const auto texts = messages.texts();
        return texts.empty() ? std::string() : texts.front();
    }

    std::string count(const std::string& table) {
        EXPECT_EQ(cli({"count", table}), ExitOk) << message();
        return out.str();
    }

    // The exported CSV as records of fields.
    std::vector<std::vector<std::string>> exported() const {
        std::istringstream in(out.str());
        CsvReader reader(in);
        std::vector<std::vector<std::string>> records;
        for (std::vector<std::string> fields; reader.next(fields);) {
            records.push_back(fields);
        }
        return records;
    }
};

const char* const Rooms =
    "KMB:KambarioID,KMB:KambarioTipas,KMB:KAMBARIOKAINA,KMB:KAMBARIOPASTABOS,KMB:KambarioKorpusas\r\n"
    "1,Dvivietis,45.5,\"Su balkonu, \"\"lux\"\"\",A\r\n"
    "2,vienvietis,30,\"Dvi\r\neilutės\",B\r\n"
    "3,Šeimyninis,,,A\n";

TEST_F(CliTest, InitCreatesEveryFileOnce) {
    EXPECT_EQ(cli({"init"}), ExitOk) << message();
    const std::string created = out.str();
    EXPECT_EQ(std::count(created.begin(), created.end(), '\n'), TableCount);
    EXPECT_NE(out.str().find("DATA/Saskait.tps: sukurtas"), std::string::npos);
    for (const auto& table : Dictionary::instance().tables()) {
        EXPECT_TRUE(std::filesystem::exists(database.filePath(table.id))) << table.name;
    }
    EXPECT_EQ(cli({"init"}), ExitOk);
    EXPECT_NE(out.str().find("DATA/Saskait.tps: yra"), std::string::npos);
    EXPECT_EQ(cli({"check"}), ExitOk) << out.str();
    EXPECT_EQ(count("Saskait"), "0\n");
}

// Import and export meet in the middle: what was imported comes out as the program stores it.
TEST_F(CliTest, ExportWritesWhatImportRead) {
    ASSERT_EQ(cli({"import", "Kamb", file("rooms.csv", Rooms), "--no-check"}), ExitOk) << message();
    EXPECT_EQ(count("kamb"), "3\n");
    ASSERT_EQ(cli({"export", "Kamb", "--order", "+UPPER(KMB:KambarioTipas)"}), ExitOk) << message();
    EXPECT_EQ(out.str(),
              "KMB:KambarioID,KMB:KambarioKorpusas,KMB:KambarioAukstas,KMB:KambarioNr,KMB:KambarioTipas,"
              "KMB:KAMBARIOGYVENTOJUSKC,KMB:KAMBARIOKAINA,KMB:KAMBARIOPASTABOS,KMB:KambarysNenaudojamas\r\n"
              "1,A,0,,Dvivietis,0,45.50,\"Su balkonu, \"\"lux\"\"\",0\r\n"
              "3,A,0,,Šeimyninis,0,0.00,,0\r\n"
              "2,B,0,,vienvietis,0,30.00,\"Dvi\r\neilutės\",0\r\n");

    ASSERT_EQ(cli({"export", "Kamb", "--filter", "KMB:KAMBARIOKAINA > 40 OR KMB:KambarioKorpusas = 'B'",
                   "--format", "json"}),
              ExitOk)
        << message();
    EXPECT_EQ(out.str().rfind("[\n  {\n    \"KMB:KambarioID\": 1,\n    \"KMB:", 0), 0u) << out.str();
    EXPECT_NE(out.str().find("\"KMB:KAMBARIOKAINA\": 45.50,"), std::string::npos);
    EXPECT_NE(out.str().find("\"KMB:KAMBARIOPASTABOS\": \"Dvi\\r\\neilutės\","), std::string::npos);
    EXPECT_NE(out.str().find("\"KMB:KAMBARIOPASTABOS\": \"Su balkonu, \\\"lux\\\"\","), std::string::npos);
    EXPECT_EQ(out.str().find("Šeimyninis"), std::string::npos);
    EXPECT_TRUE(out.str().ends_with("\n  }\n]\n")) << out.str();
}

// export writes values exactly, for import; --spreadsheet makes a text a spreadsheet would run as a
// formula plain text, as a list's "Eksportuoti…" does.
TEST_F(CliTest, ExportKeepsFormulasForImportAndNeutralisesThemForASpreadsheet) {
    ASSERT_EQ(cli({"import", "Klient",
                   file("kli.csv", "KLI:Kod,KLI:PAV,KLI:TEL\n"
                                   "K1,\"=HYPERLINK(\"\"http://x\"\",\"\"spausk\"\")\",+370 600\n"
                                   "K2,-5,@SUM(A1)\n")}),
              ExitOk)
        << message();
    const std::vector<std::string> export_{"export", "Klient", "--order", "KLI:Kod"};
    ASSERT_EQ(cli(export_), ExitOk) << message();
    ASSERT_EQ(exported().size(), 3u);
    EXPECT_EQ(exported()[1][1], "=HYPERLINK(\"http://x\",\"spausk\")");
    EXPECT_EQ(exported()[1][4], "+370 600");

    std::vector<std::string> spreadsheet = export_;
    spreadsheet.push_back("--spreadsheet");
    ASSERT_EQ(cli(spreadsheet), ExitOk) << message();
    const auto records = exported();
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0][1], "KLI:PAV") << "the header stays";
    EXPECT_EQ(records[1][0], "K1");
    EXPECT_EQ(records[1][1], "'=HYPERLINK(\"http://x\",\"spausk\")");
    EXPECT_EQ(records[1][4], "'+370 600");
    EXPECT_EQ(records[2][1], "-5") << "a number stays a number";
    EXPECT_EQ(records[2][4], "'@SUM(A1)");

    EXPECT_EQ(cli({"export", "Klient", "--format", "json", "--spreadsheet"}), ExitUsage);
    EXPECT_EQ(cli({"export", "--help"}), ExitOk);
    EXPECT_NE(out.str().find("--spreadsheet"), std::string::npos);
    EXPECT_NE(out.str().find("nepaverčiamos"), std::string::npos) << out.str();
}

TEST_F(CliTest, ExportReadsThroughTheProgramsViewWithBoundVariables) {
    ASSERT_EQ(cli({"import", "Saskait", "--no-check",
                   file("sas.csv",
                        "SAS:IrasoNr,SAS:IrasoDt,SAS:Gyventojas,SAS:Isvykes,SAS:BSUMA,SAS:GyventojoGrupe\r\n"
                        "1,2024-01-10,Jonaitis,1,100.10,Turistai\r\n"
                        "2,2024-01-20,Ąžuolaitė,0,20,Verslas\r\n"
                        "3,2024-02-01,azuolas,0,0.5,Turistai\r\n"
                        "4,,Be datos,0,,\r\n")}),
              ExitOk)
        << message();
    ASSERT_EQ(cli({"export", "Saskait", "--order", "-SAS:IrasoDt", "--filter",
                   "SAS:IrasoDt >= GLO:PrDt AND SAS:IrasoDt <= GLO:GalDt AND (~(GLO:Grupe and "
                   "GLO:Grupe<>SAS:GyventojoGrupe))",
                   "--set", "GLO:PrDt=2024-01-01", "--set", "GLO:GalDt=2024-01-31", "--set", "GLO:Grupe="}),
              ExitOk)
        << message();
    auto records = exported();
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0][0], "SAS:IrasoNr");
    EXPECT_EQ(records[0][1], "SAS:IrasoDt");
    EXPECT_EQ(records[1][0], "2");
    EXPECT_EQ(records[1][1], "2024-01-20");
    EXPECT_EQ(records[2][0], "1");
    EXPECT_EQ(records[2][6], "100.10");

    ASSERT_EQ(cli({"export", "Saskait", "--order", "SAS:Isvykes,UPPER(SAS:Gyventojas),SAS:IrasoNr",
                   "--filter", "SAS:Isvykes = LOC:Isvykes", "--set", "LOC:Isvykes=0"}),
              ExitOk);
    records = exported();
    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(records[1][11], "azuolas"); // A before Ą
    EXPECT_EQ(records[2][11], "Ąžuolaitė");
    EXPECT_EQ(records[3][11], "Be datos");
    EXPECT_EQ(records[3][1], ""); // no date
}

struct BadImport {
    const char* name;
    std::string csv;
    const char* says; // the start of the message after the file name
};

// The first bad value is reported with its line and field, and nothing of the file is added.
TEST_F(CliTest, ImportRefusesTheWholeFileAtItsFirstBadValue) {
    const BadImport cases[] = {
        {"date", "SAS:IrasoNr,SAS:IrasoDt\n10,2024-01-10\n11,2024-13-01\n", "eilutė 3, laukas SAS:IrasoDt: "},
        // a line break inside a quoted field counts: the bad record begins on line 4
        {"after a quoted line break",
         "SAS:IrasoNr,SAS:Gyventojas,SAS:IrasoDt\n10,\"Dvi\neilutės\",2024-01-10\n11,Jonas,2024-13-01\n",
         "eilutė 4, laukas SAS:IrasoDt: "},
        {"date form", "SAS:IrasoNr,SAS:IrasoDt\n10,2024.01.10\n",
         "eilutė 2, laukas SAS:IrasoDt: „2024.01.10“ nėra data (laukiama yyyy-mm-dd)."},
        {"width", "SAS:IrasoNr,SAS:SaskSer\n10,ABCDEF\n",
         "eilutė 2, laukas SAS:SaskSer: Per ilgas tekstas: ženklų 6, leidžiama ne daugiau kaip 5."},
        {"code page", "SAS:IrasoNr,SAS:Gyventojas\n10,Ωmega\n", "eilutė 2, laukas SAS:Gyventojas: "},
        {"places", "SAS:IrasoNr,SAS:BSUMA\n10,12.345\n",
         "eilutė 2, laukas SAS:BSUMA: Skaičius 12.345 turi per daug skaitmenų po taško: leidžiama 2."},
        {"digits", "SAS:IrasoNr,SAS:PVMPROC\n10,1000\n",
         "eilutė 2, laukas SAS:PVMPROC: Skaičius 1000 netelpa"},
        {"decimal", "SAS:IrasoNr,SAS:BSUMA\n10,12x\n", "eilutė 2, laukas SAS:BSUMA: "},
        {"whole number", "SAS:IrasoNr,SAS:SaskNr\n10,12.5\n",
         "eilutė 2, laukas SAS:SaskNr: „12.5“ nėra sveikasis skaičius."},
        {"long range", "SAS:IrasoNr,SAS:SaskNr\n10,3000000000\n",
         "eilutė 2, laukas SAS:SaskNr: Skaičius 3000000000 netelpa"},
        {"byte", "SAS:IrasoNr,SAS:Isvykes\n10,256\n", "eilutė 2, laukas SAS:Isvykes: Reikšmė 256 netinka"},
        {"record number", "SAS:IrasoNr,SAS:Gyventojas\n0,Jonas\n",
         "eilutė 2: SAS:IrasoNr: įrašo numeris turi būti didesnis už 0."},
        {"no record number", "SAS:Gyventojas\nJonas\n",
         "eilutė 2: SAS:IrasoNr: įrašo numeris turi būti didesnis už 0."},
        {"NUL", std::string("SAS:IrasoNr,SAS:Gyventojas\n10,Jo\0nas\n", 37),
         "eilutė 2, laukas SAS:Gyventojas: tekste yra NUL ženklas."},
        {"field count", "SAS:IrasoNr,SAS:Gyventojas\n10,Jonas\n11\n",
         "eilutė 3: laukų eilutėje 1, antraštėje 2."},
        {"header", "SAS:IrasoNr,SAS:Nera\n", "eilutė 1: lentelėje Saskait nėra lauko „SAS:Nera“."},
        {"header twice", "SAS:IrasoNr,IrasoNr\n", "eilutė 1: laukas „IrasoNr“ antraštėje kartojasi."},
        {"quote", "SAS:IrasoNr,SAS:Gyventojas\n10,\"Jonas\n", "eilutė 2: "},
        {"duplicate key", "SAS:IrasoNr,SAS:Gyventojas\n10,Jonas\n1,Jau yra\n",
         "eilutė 3: įrašas nepriimtas: "},
        {"duplicate in file", "SAS:IrasoNr\n10\n10\n", "eilutė 3: įrašas nepriimtas: "},
        {"empty", "", "eilutė 1: failas tuščias, trūksta antraštės."},
    };
    ASSERT_EQ(cli({"import", "Saskait", file("one.csv", "SAS:IrasoNr,SAS:Gyventojas\n1,Pirmas\n")}), ExitOk)
        << message();
    for (const auto& c : cases) {
        const std::string path = file(std::string(c.name) + ".csv", c.csv);
        EXPECT_EQ(cli({"import", "Saskait", path}), ExitFailed) << c.name;
        EXPECT_EQ(message().rfind(path + ", " + c.says, 0), 0u) << c.name << ": " << message();
        EXPECT_NE(message().find("Niekas neimportuota."), std::string::npos) << message();
        EXPECT_EQ(count("Saskait"), "1\n") << c.name;
    }
    ASSERT_EQ(cli({"export", "Saskait"}), ExitOk);
    EXPECT_EQ(exported().at(1).at(11), "Pirmas");
    // A group of fields holds no value of its own.
    EXPECT_EQ(cli({"import", "Klient", file("group.csv", "KLI:Kod,KLI:REKV1\n")}), ExitFailed);
    EXPECT_NE(message().find("lentelėje Klient nėra lauko „KLI:REKV1“."), std::string::npos) << message();
}

TEST_F(CliTest, ExportReportsBadOrdersFiltersAndValues) {
    const struct {
        std::vector<std::string> words;
        int code;
        const char* says;
    } cases[] = {
        {{"export", "Saskait", "--filter", "SAS:IrasoDt >"}, ExitFailed, "Filtro klaida ties ženklu Nr. 14"},
        {{"export", "Saskait", "--filter", "SAS:IrasoDt >= GLO:PrDt"}, ExitFailed, "„GLO:PrDt“"},
        {{"export", "Saskait", "--filter", "KMB:KambarioID = 1"}, ExitFailed, "nepasiekiamas"},
        {{"export", "Saskait", "--order", "SAS:Nera"}, ExitFailed, "Rikiavimo klaida"},
        {{"export", "Saskait", "--format", "xml"}, ExitUsage, "Nežinomas formatas „xml“"},
        {{"export", "Saskait", "--set", "GLO:PrDt=2023-02-29"},
         ExitUsage,
         "Kintamojo GLO:PrDt reikšmė netinka"},
        {{"export", "Saskait", "--set", "GLO:PrDt"}, ExitUsage, "VARDAS=REIKŠMĖ"},
        {{"export", "Nera"}, ExitUsage, "Nėra lentelės „Nera“"},
        {{"export"}, ExitUsage, "netinka tiek argumentų"},
        {{"count", "Saskait", "--order", "x"}, ExitUsage, "neturi parametro „--order“"},
        {{"exprt", "Saskait"}, ExitUsage, "Nežinoma komanda „exprt“"},
        {{"export", "Saskait", "--bad"}, ExitUsage, "Nežinomas parametras „--bad“"},
        {{"import", "Saskait", "nera.csv"}, ExitFailed, "Nepavyko atidaryti failo „nera.csv“"},
    };
    ASSERT_EQ(cli({"init"}), ExitOk);
    for (const auto& c : cases) {
        EXPECT_EQ(cli(c.words), c.code) << c.says;
        EXPECT_NE(message().find(c.says), std::string::npos) << message();
        if (c.code == ExitFailed && c.words[0] == "export") {
            EXPECT_EQ(out.str(), ""); // never the records of an unfiltered read
        }
    }
}

TEST_F(CliTest, EveryCommandExplainsItself) {
    for (const char* command : {"init", "check", "rebuild-keys", "count", "export", "import"}) {
        EXPECT_EQ(cli({command, "--help"}), ExitOk);
        EXPECT_EQ(out.str().rfind(std::string("Naudojimas: nakva-cli ") + command, 0), 0u) << out.str();
    }
    EXPECT_EQ(runCli(std::vector<std::string>{"--help"}, out), ExitOk);
    EXPECT_NE(out.str().find("rebuild-keys"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(database.dataFolder())); // help touches no file
}

TEST_F(CliTest, CheckFindsDamagedKeysAndRebuildRepairsThem) {
    ASSERT_EQ(cli({"import", "Kamb", file("rooms.csv", Rooms), "--no-check"}), ExitOk) << message();
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(database.filePath(TableId::Kamb).c_str(), &db), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(db, "DROP INDEX \"KMB:TIPASNRKEY\"", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);

    EXPECT_EQ(cli({"check"}), ExitFailed);
    EXPECT_NE(out.str().find("DATA/Kamb.tps: sugadinti raktai"), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("DATA/Saskait.tps: dar nesukurtas"), std::string::npos) << out.str();
    EXPECT_EQ(cli({"rebuild-keys", "Kamb"}), ExitOk) << message();
    EXPECT_EQ(out.str(), "DATA/Kamb.tps: raktai sukurti iš naujo\n");
    EXPECT_EQ(cli({"check"}), ExitOk) << out.str();
    EXPECT_EQ(count("Kamb"), "3\n");
    EXPECT_EQ(cli({"rebuild-keys"}), ExitOk) << message();
}

// A table file that exists but holds nothing is damaged, not a table yet to be made; and a folder
// without DATA is told, not given an empty one.
TEST_F(CliTest, AZeroByteFileIsDamagedAndAFolderWithoutDataIsNamed) {
    EXPECT_EQ(cli({"export", "Valstyb"}), ExitFailed);
    EXPECT_NE(message().find("nėra duomenų aplanko DATA"), std::string::npos) << message();
    EXPECT_FALSE(std::filesystem::exists(database.dataFolder()));

    ASSERT_EQ(cli({"init"}), ExitOk);
    std::ofstream(database.filePath(TableId::Valstyb), std::ios::trunc).close();
    EXPECT_EQ(cli({"check"}), ExitFailed);
    EXPECT_NE(out.str().find("DATA/Valstyb.tps: neįskaitomas — Failas sugadintas"), std::string::npos)
        << out.str();
    EXPECT_EQ(cli({"export", "Valstyb"}), ExitFailed);
    EXPECT_EQ(std::filesystem::file_size(database.filePath(TableId::Valstyb)), 0u);
}

TEST(VariableValueTest, ReadsDatesNumbersAndTexts) {
    const struct {
        const char* text;
        Value value;
    } cases[] = {
        {"2024-01-10", Value(std::int64_t(dateFromYmd(2024, 1, 10)))},
        {"15", Value(std::int64_t(15))},
        {"-3", Value(std::int64_t(-3))},
        {"12.50", Value(*Decimal::parse("12.50"))},
        {"'15'", Value(std::string("15"))},
        {"Turistai", Value(std::string("Turistai"))},
        {"", Value(std::string())},
        {"2024-1-10", Value(std::string("2024-1-10"))},
        {"+7.25", Value(*Decimal::parse("7.25"))},
        {"1.2.3", Value(std::string("1.2.3"))},
    };
    for (const auto& c : cases) {
        std::string error;
        const auto value = variableValue(c.text, error);
        ASSERT_TRUE(value) << c.text << ": " << error;
        EXPECT_EQ(*value, c.value) << c.text;
    }
    std::string error;
    EXPECT_FALSE(variableValue("2023-02-29", error));
    EXPECT_FALSE(error.empty());
    // Some 30,000 digits once overflowed the stack of a pattern engine: now a text like any other.
    const std::string digits(30000, '1');
    EXPECT_EQ(variableValue(digits, error), Value(digits));
    EXPECT_EQ(variableValue(digits + "." + digits, error), Value(digits + "." + digits));
}

// A linking value must name its parent (unless --no-check), and is stored as the parent spells it.
TEST_F(CliTest, ImportLinksEveryRecordToItsParentAsTheParentSpellsIt) {
    ASSERT_EQ(cli({"import", "Klient", file("kli.csv", "KLI:Kod,KLI:PAV\nAKVILĖ,Akvilė\n")}), ExitOk);
    EXPECT_EQ(out.str(), "Importuota įrašų: 1.\n");
    const std::string registrations = file("sas.csv", "SAS:IrasoNr,SAS:KliKod\n1,akvilė\n2,\n3,Nėra\n");
    EXPECT_EQ(cli({"import", "Saskait", registrations}), ExitFailed);
    EXPECT_EQ(message(),
              registrations +
                  ", eilutė 4: SAS:KliKod: reikšmės „Nėra“ nėra faile Klient. Niekas neimportuota.");
    EXPECT_EQ(count("Saskait"), "0\n");
    ASSERT_EQ(cli({"import", "Saskait", registrations, "--no-check"}), ExitOk) << message();
    EXPECT_EQ(storedColumn(TableId::Saskait, "SAS:KliKod"), (std::vector<std::string>{"AKVILĖ", "", "Nėra"}));
    // A payer's blank code would link every registration without a payer: refused.
    EXPECT_EQ(cli({"import", "Klient", file("blank.csv", "KLI:Kod,KLI:PAV\n,Be kodo\n")}), ExitFailed);
    EXPECT_NE(message().find("KLI:Kod: reikšmė negali būti tuščia"), std::string::npos) << message();
}

// What is wrong with the file as a whole is named as such, not as a value of some line.
TEST_F(CliTest, ImportNamesAFileInUtf16OrWithoutItsHeader) {
    const struct {
        const char* name;
        std::string csv;
        const char* says; // after the file's name
    } cases[] = {
        {"utf-16 mark", std::string("\xFF\xFES\0A\0\n\0", 8), ": failas UTF-16 koduotės"},
        {"utf-16", std::string("S\0A\0S\0:\0\n\0", 10), ": failas UTF-16 koduotės"},
        {"nul", std::string("SAS:IrasoNr,SAS:Kli\0Kod\n1,A\n", 28),
         ", eilutė 1: antraštėje, lauko varde „SAS:Kli“, yra nulinis baitas (NUL)"},
        {"blank header", "\n1,Jonas\n", ", eilutė 1: antraštėje tuščias lauko vardas"},
        {"blank name", "SAS:IrasoNr,\n1,Jonas\n", ", eilutė 1: antraštėje tuščias lauko vardas"},
    };
    for (const auto& c : cases) {
        const std::string path = file(std::string(c.name) + ".csv", c.csv);
        EXPECT_EQ(cli({"import", "Saskait", path}), ExitFailed) << c.name;
        EXPECT_EQ(message().rfind(path + c.says, 0), 0u) << c.name << ": " << message();
    }
}

// A child written in another letter case than its parent (by an older import, or another program)
// shows with that parent but is left behind by its rename or delete: check names it, repair mends it.
// A child whose linking value names no parent at all is named too; repair says it cannot mend it.
TEST_F(CliTest, CheckListsBrokenLinksAndRepairMendsThoseInAnotherLetterCase) {
    ASSERT_EQ(cli({"init"}), ExitOk);
    addRecord(TableId::Klient, {{"KLI:Kod", "AKVILĖ"}});
    addRecord(TableId::Saskait, {{"SAS:IrasoNr", "1"}, {"SAS:KliKod", "akvilė"}});
    addRecord(TableId::Saskait, {{"SAS:IrasoNr", "2"}, {"SAS:KliKod", "AKVILĖ"}});
    addRecord(TableId::Saskait, {{"SAS:IrasoNr", "3"}, {"SAS:KliKod", "Kitas"}});
    addRecord(TableId::Saskeil, {{"SEI:SEILID", "7"}, {"SEI:IrasoNr", "99999"}});
    addRecord(TableId::Kamb, {{"KMB:KambarioID", "4"}, {"KMB:KambarioTipas", "Nėra"}});
    addRecord(TableId::Paslaug, {{"PAS:Pav", "Pusryčiai"}});
    addRecord(TableId::Saskeil, {{"SEI:SEILID", "8"}, {"SEI:IrasoNr", "2"}, {"SEI:PasPav", "PUSRYČIAI"}});
    EXPECT_EQ(cli({"check"}), ExitFailed);
    const std::string listed = out.str();
    for (const char* line : {
             "Saskait SAS:IrasoNr=1: SAS:KliKod „akvilė“, faile Klient „AKVILĖ“ (pataisykite: nakva-cli "
             "repair)\n",
             "Saskait SAS:IrasoNr=3: SAS:KliKod „Kitas“ — faile Klient tokio įrašo nėra\n",
             "Saskeil SEI:SEILID=7: SEI:IrasoNr „99999“ — faile Saskait tokio įrašo nėra\n",
             "Kamb KMB:KambarioID=4: KMB:KambarioTipas „Nėra“ — faile KmbTipai tokio įrašo nėra\n",
             // A service's name is case-sensitive: another spelling is another service, which is not there.
             "Saskeil SEI:SEILID=8: SEI:PasPav „PUSRYČIAI“ — faile Paslaug tokio įrašo nėra\n",
         }) {
        EXPECT_NE(listed.find(line), std::string::npos) << line << "\n" << listed;
    }
    EXPECT_EQ(cli({"repair"}), ExitFailed) << "links it cannot mend remain";
    EXPECT_NE(
        out.str().find("Pataisyta: Saskait SAS:IrasoNr=1: SAS:KliKod „akvilė“, faile Klient „AKVILĖ“\n"),
        std::string::npos)
        << out.str();
    EXPECT_NE(out.str().find("Nepataisyta: Saskait SAS:IrasoNr=3: SAS:KliKod „Kitas“ — faile Klient tokio "
                             "įrašo nėra\n"),
              std::string::npos)
        << out.str();
    EXPECT_NE(out.str().find("Pataisyta įrašų: 1. Nepataisyta: 4"), std::string::npos) << out.str();
    EXPECT_EQ(storedColumn(TableId::Saskait, "SAS:KliKod"),
              (std::vector<std::string>{"AKVILĖ", "AKVILĖ", "Kitas"}));

    // Once the missing parents exist, or the children name existing ones, the folder is clean.
    addRecord(TableId::Klient, {{"KLI:Kod", "Kitas"}});
    addRecord(TableId::Saskait, {{"SAS:IrasoNr", "99999"}});
    addRecord(TableId::KmbTipai, {{"KTIP:KambarioTipas", "Nėra"}});
    ASSERT_EQ(
        cli({"update", "Saskeil", "--filter", "SEI:SEILID = 8", "--field", "SEI:PasPav=Pusryčiai", "--yes"}),
        ExitOk)
        << message();
    EXPECT_EQ(cli({"check"}), ExitOk) << out.str();
    EXPECT_EQ(cli({"repair"}), ExitOk) << out.str();
}

// The settings hold one record: an import replaces it, and a file of two is refused.
TEST_F(CliTest, ImportIntoTheSettingsReplacesTheirOneRecord) {
    addRecord(TableId::IstgPar, {{"IST:ISTAIGA", "Senas pavadinimas"}});
    ASSERT_EQ(cli({"import", "IstgPar", file("ist.csv", "IST:ISTAIGA,IST:PVMPROC\nSvečių namai,21\n")}),
              ExitOk)
        << message();
    EXPECT_EQ(storedColumn(TableId::IstgPar, "IST:ISTAIGA"), std::vector<std::string>{"Svečių namai"});
    EXPECT_EQ(cli({"import", "IstgPar", file("two.csv", "IST:ISTAIGA\nA\nB\n")}), ExitFailed);
    EXPECT_EQ(storedColumn(TableId::IstgPar, "IST:ISTAIGA"), std::vector<std::string>{"Svečių namai"});
}

} // namespace
} // namespace nakva
