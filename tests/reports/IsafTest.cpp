// The register of issued invoices for the tax authority on real files: a month of invoices composed as
// the invoice register counts them, checked, written and validated against the tax authority's schema.
#include "ReportTestSupport.h"

#include "reference/VatRates.h"
#include "reports/Isaf.h"
#include "reports/IsafExport.h"
#include "reports/SpSaskSuvData.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <sys/wait.h>

namespace nakva::testing {

namespace {

namespace fs = std::filesystem;

// 2026-12-09 10:15:30 in Vilnius.
constexpr std::int64_t Moment = 1796804130;

struct Line {
    const char* service;
    const char* rate;
    const char* withoutVat;
    const char* vat;
    const char* withVat;
};

// The schema of iSAF1.2 as the tax authority publishes it: data for the tests, kept outside the
// project (NAKVA_ISAF_SCHEMA, a CMake cache path), or where the team keeps it.
std::optional<fs::path> isafSchema() {
    for (const fs::path& candidate :
         {fs::path(NAKVA_ISAF_SCHEMA), fs::path("/work/shared/isaf/isaf_1.2.xsd")}) {
        if (fs::exists(candidate)) {
            return candidate;
        }
    }
    return std::nullopt;
}

// What `xmllint --noout --schema` says of a file, and whether it found it valid.
std::pair<bool, std::string> validated(const fs::path& schema, const fs::path& file) {
    const std::string command =
        "xmllint --noout --schema '" + schema.string() + "' '" + file.string() + "' 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return {false, "xmllint could not be started"};
    }
    std::string said;
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
        said += buffer;
    }
    const int status = pclose(pipe);
    if (WIFEXITED(status) && WEXITSTATUS(status) == 127) {
        return {false, "xmllint is not installed: scripts/setup.sh installs it (libxml2-utils)"};
    }
    return {WIFEXITED(status) && WEXITSTATUS(status) == 0, said};
}

std::string fileText(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string texts(const std::vector<isaf::Problem>& problems) {
    std::string all;
    for (const isaf::Problem& problem : problems) {
        all += problem.text() + "\n";
    }
    return all;
}

// December 2026 at a hotel that is a VAT payer:
//   AB101 of 12-03: a Lithuanian company with a VAT code, a night at 9 % and breakfast at 21 %;
//   AB102 of 12-05: the same company, one invoice over two registrations (the second one's series
//                   written "ab"), at 9 % and 21 %;
//   AB103 of 12-10: a private guest from Latvia, no payer;
//   AB104 of 12-15: a Norwegian company, its VAT code of a country outside the European Union;
//   AB105 of 12-20: a sports club with no codes at all;
//   AB106 of 12-22: a registration with no lines yet, so no invoice to register;
//   AB99 of 11-30 and AB107 of 2027-01-02: other months.
class IsafTest : public ReportTest {
protected:
    void SetUp() override {
        database.istgPar().set(IST::ISTAIGA, "UAB „Žuvėdra“");
        database.istgPar().set(IST::ISTG1, "Įmonės kodas 302345678, PVM mokėtojo kodas LT100004567890");
        ASSERT_TRUE(primeVatRates(context));
        addRecord(KLI::table, {{"KLI:Kod", "UAB1"},
                               {"KLI:PAV", "UAB „Šiaurės vėjas“"},
                               {"KLI:PAV2", "Įm. k. 110053842, PVM k. LT100003842"}});
        addRecord(KLI::table, {{"KLI:Kod", "FJORD"},
                               {"KLI:PAV", "Fjord Reiser AS"},
                               {"KLI:PAV2", "Org. nr. 923 609 016, MVA NO923609016MVA"}});
        addRecord(KLI::table, {{"KLI:Kod", "KLUBAS"}, {"KLI:PAV", "Kauno sporto klubas"}});
        registration(1, "AB", 101, day(12, 3), "uab1",
                     {{"Apgyvendinimas", "9", "100.00", "9.00", "109.00"},
                      {"Pusryčiai", "21", "20.00", "4.20", "24.20"}});
        registration(2, "AB", 102, day(12, 5), "UAB1",
                     {{"Apgyvendinimas", "9", "200.00", "18.00", "218.00"}});
        registration(3, "ab", 102, day(12, 5), "UAB1",
                     {{"Apgyvendinimas", "9", "100.00", "9.00", "109.00"},
                      {"Vakarienė", "21", "10.00", "2.10", "12.10"}});
        registration(4, "AB", 103, day(12, 10), "", {{"Apgyvendinimas", "9", "50.00", "4.50", "54.50"}},
                     "Ona Petraitienė", "Latvija");
        registration(5, "AB", 104, day(12, 15), "FJORD",
                     {{"Apgyvendinimas", "9", "300.00", "27.00", "327.00"}});
        registration(6, "AB", 105, day(12, 20), "KLUBAS", {{"Salės nuoma", "21", "50.00", "10.50", "60.50"}});
        registration(7, "AB", 106, day(12, 22), "UAB1", {});
        registration(8, "AB", 99, day(11, 30), "UAB1", {{"Pusryčiai", "21", "10.00", "2.10", "12.10"}});
        registration(9, "AB", 107, day(1, 2, 2027), "UAB1", {{"Pusryčiai", "21", "10.00", "2.10", "12.10"}});
    }

    // A registration with its lines, its stored totals the sums of its lines as the form keeps them.
    void registration(int number, const char* series, int invoice, Date date, const char* payer,
                      const std::vector<Line>& lines, const char* guest = "Jonas Jonaitis",
                      const char* country = "Lietuva") {
        Decimal withoutVat;
        Decimal vat;
        for (const Line& line : lines) {
            addRecord(SEI::table, {{"SEI:SEILID", std::to_string(++lastLine)},
                                   {"SEI:IrasoNr", std::to_string(number)},
                                   {"SEI:PasPav", line.service},
                                   {"SEI:KIEKIS", "1"},
                                   {"SEI:KAINA", line.withVat},
                                   {"SEI:SUMA", line.withVat},
                                   {"SEI:PVMPROC", line.rate},
                                   {"SEI:PVMSUMA", line.vat},
                                   {"SEI:SUMABEPVM", line.withoutVat}});
            withoutVat += money(line.withoutVat);
            vat += money(line.vat);
        }
        addRecord(SAS::table, {{"SAS:IrasoNr", std::to_string(number)},
                               {"SAS:SaskSer", series},
                               {"SAS:SaskNr", std::to_string(invoice)},
                               {"SAS:SaskDt", formatDate(date)},
                               {"SAS:KliKod", payer},
                               {"SAS:Gyventojas", guest},
                               {"SAS:GYVENTOJOVALSTYBE", country},
                               {"SAS:BSUMA", withoutVat.toString(2)},
                               {"SAS:PVMPROC", "21"},
                               {"SAS:PVMSUMA", vat.toString(2)},
                               {"SAS:BSUMASUPVM", (withoutVat + vat).toString(2)}});
    }

    isaf::Register december() {
        const std::optional<isaf::Register> composed =
            isaf::compose(context, day(12, 1), day(12, 31), isaf::momentText(Moment));
        EXPECT_TRUE(composed.has_value());
        return composed.value_or(isaf::Register{});
    }

    isaf::Outcome exportDecember() {
        return isaf::exportRegister(context, day(12, 1), day(12, 31), file, Moment);
    }

    int lastLine = 0;
    fs::path file = folder.path() / "iSAF_302345678_2026-12.xml";
};

TEST_F(IsafTest, EachSeriesAndNumberIsOneInvoiceWithItsBuyerAndATotalPerRate) {
    const isaf::Register december = this->december();
    EXPECT_EQ(december.registrationNumber, "302345678");
    EXPECT_EQ(december.created, "2026-12-09T10:15:30");
    struct Expected {
        std::string number;
        Date date;
        isaf::Customer customer;
        std::vector<std::vector<std::string>> totals; // rate, code, without VAT, VAT
    };
    const Expected expected[] = {
        {"AB101",
         day(12, 3),
         {"LT100003842", "110053842", "LT", "UAB „Šiaurės vėjas“"},
         {{"9", "PVM2", "100.00", "9.00"}, {"21", "PVM1", "20.00", "4.20"}}},
        {"AB102",
         day(12, 5),
         {"LT100003842", "110053842", "LT", "UAB „Šiaurės vėjas“"},
         {{"9", "PVM2", "300.00", "27.00"}, {"21", "PVM1", "10.00", "2.10"}}},
        {"AB103", day(12, 10), {"ND", "ND", "LV", "Ona Petraitienė"}, {{"9", "PVM2", "50.00", "4.50"}}},
        {"AB104",
         day(12, 15),
         {"NO923609016MVA", "", "NO", "Fjord Reiser AS"},
         {{"9", "PVM2", "300.00", "27.00"}}},
        {"AB105", day(12, 20), {"ND", "ND", "", "Kauno sporto klubas"}, {{"21", "PVM1", "50.00", "10.50"}}},
    };
    ASSERT_EQ(december.invoices.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const isaf::Invoice& invoice = december.invoices[i];
        SCOPED_TRACE(expected[i].number);
        EXPECT_EQ(invoice.number, expected[i].number);
        EXPECT_EQ(invoice.date, expected[i].date);
        EXPECT_EQ(invoice.customer.vatCode, expected[i].customer.vatCode);
        EXPECT_EQ(invoice.customer.code, expected[i].customer.code);
        EXPECT_EQ(invoice.customer.country, expected[i].customer.country);
        EXPECT_EQ(invoice.customer.name, expected[i].customer.name);
        std::vector<std::vector<std::string>> totals;
        for (const isaf::DocumentTotal& total : invoice.totals) {
            totals.push_back({total.rate.rounded(0).toString(0), total.taxCode,
                              total.taxableValue.toString(2), total.vat.toString(2)});
        }
        EXPECT_EQ(totals, expected[i].totals);
    }
    EXPECT_EQ(texts(isaf::problems(december)), "");
}

TEST_F(IsafTest, TheMonthsFileIsValidAgainstTheTaxAuthoritysSchema) {
    const std::optional<fs::path> schema = isafSchema();
    if (!schema) {
        GTEST_SKIP()
            << "the i.SAF schema is not at " << NAKVA_ISAF_SCHEMA
            << " nor at /work/shared/isaf/isaf_1.2.xsd (set NAKVA_ISAF_SCHEMA): nothing to validate against";
    }
    const isaf::Outcome outcome = exportDecember();
    ASSERT_EQ(outcome.kind, isaf::Outcome::Kind::Written) << texts(outcome.problems);
    EXPECT_EQ(outcome.invoices, 5u);
    const auto [valid, said] = validated(*schema, file);
    EXPECT_TRUE(valid) << said << fileText(file);

    const std::string xml = fileText(file);
    EXPECT_TRUE(xml.starts_with("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<iSAFFile xmlns="));
    for (const char* part :
         {"<FileVersion>iSAF1.2</FileVersion>", "<DataType>S</DataType>",
          "<RegistrationNumber>302345678</RegistrationNumber>", "<NumberOfParts>1</NumberOfParts>",
          "<SelectionStartDate>2026-12-01</SelectionStartDate>",
          "<SelectionEndDate>2026-12-31</SelectionEndDate>", "<Name>UAB „Šiaurės vėjas“</Name>",
          "<Country xsi:nil=\"true\"/>", "<TaxPercentage>9</TaxPercentage>"}) {
        EXPECT_NE(xml.find(part), std::string::npos) << part;
    }
    EXPECT_EQ(xml.find("AB106"), std::string::npos); // no lines: nothing to register
    EXPECT_EQ(xml.find("AB99"), std::string::npos);
}

TEST_F(IsafTest, ItsTotalsAreTheInvoiceRegistersForThePeriod) {
    Decimal withoutVat;
    Decimal vat;
    for (const isaf::Invoice& invoice : december().invoices) {
        for (const isaf::DocumentTotal& total : invoice.totals) {
            withoutVat += total.taxableValue;
            vat += total.vat;
        }
    }
    ReportRun run(SpSaskSuvData(), context);
    runToEnd(run, month(12));
    const std::vector<std::string> drawn = allTexts();
    const auto sums = std::find(drawn.begin(), drawn.end(), "Iš viso :");
    ASSERT_GE(drawn.end() - sums, 4);
    EXPECT_EQ(*(sums + 1), withoutVat.toString(2));
    EXPECT_EQ(*(sums + 2), vat.toString(2));
    EXPECT_EQ(*(sums + 3), (withoutVat + vat).toString(2));
    EXPECT_EQ(withoutVat.toString(2), "830.00");
    EXPECT_EQ(vat.toString(2), "84.30");
}

TEST_F(IsafTest, ARateWithoutACodeStopsItNamingTheRateAndTheFirstInvoiceThatUsesIt) {
    registration(10, "AB", 108, day(12, 28), "UAB1", {{"Apgyvendinimas", "12", "100.00", "12.00", "112.00"}});
    registration(11, "AB", 109, day(12, 29), "UAB1", {{"Apgyvendinimas", "12", "50.00", "6.00", "56.00"}});
    const isaf::Outcome outcome = exportDecember();
    ASSERT_EQ(outcome.kind, isaf::Outcome::Kind::Stopped);
    EXPECT_EQ(texts(outcome.problems),
              "PVM tarifas 12 %: jam nėra i.SAF kodo sąraše „PVM tarifai ir i.SAF kodai“ "
              "(pirmoji sąskaita su juo — AB108 (2026-12-28))\n");
    EXPECT_FALSE(fs::exists(file));
    EXPECT_EQ(
        isaf::outcomeText(outcome, day(12, 1), day(12, 31), file),
        "i.SAF failas nesukurtas: rasta klaidų — 1. Ištaisykite jas ir sudarykite failą iš naujo.\n"
        "PVM tarifas 12 %: jam nėra i.SAF kodo sąraše „PVM tarifai ir i.SAF kodai“ (pirmoji sąskaita su juo "
        "— AB108 (2026-12-28))");
}

// Earlier versions stored a line at the rate its rounded amounts imply (10.00 at 21 %: 21.07); its
// invoice prints it under 21 %, and so does the register, with 21 %'s code.
TEST_F(IsafTest, ALineStoredAtTheRateItsAmountsImplyIsRegisteredUnderTheRateItWasPricedAt) {
    registration(10, "AB", 108, day(12, 28), "UAB1",
                 {{"Pirtis", "21.07", "8.26", "1.74", "10.00"}, {"Masažas", "21", "20.00", "4.20", "24.20"}});
    const isaf::Register december = this->december();
    ASSERT_EQ(december.invoices.size(), 6u);
    const isaf::Invoice& invoice = december.invoices.back();
    ASSERT_EQ(invoice.totals.size(), 1u);
    EXPECT_EQ(invoice.totals[0].rate, Decimal(21));
    EXPECT_EQ(invoice.totals[0].taxCode, "PVM1");
    EXPECT_EQ(invoice.totals[0].taxableValue.toString(2), "28.26");
    EXPECT_EQ(invoice.totals[0].vat.toString(2), "5.94");
    EXPECT_EQ(texts(isaf::problems(december)), "");
}

// The store holds a series of 5 characters and a number, so an invoice number too long for the register
// can come only from elsewhere (a longer series of a later layout): the check is the register's own.
TEST_F(IsafTest, AnOverLongInvoiceNumberStopsItWithItsInvoice) {
    isaf::Register december = this->december();
    december.invoices[1].number = std::string(66, 'A') + "10200";
    EXPECT_EQ(texts(isaf::problems(december)),
              "Sąskaita " + december.invoices[1].number +
                  " (2026-12-05): serija ir numeris ilgesni nei 70 ženklų\n");
    december.invoices[1].number = std::string(65, 'A') + "10200";
    EXPECT_EQ(texts(isaf::problems(december)), "");
}

TEST_F(IsafTest, EveryProblemIsListedWithWhatItBelongsToAndNothingIsWritten) {
    database.istgPar().set(IST::ISTG1, "PVM mokėtojo kodas LT100004567890");
    registration(10, "AB", 108, day(12, 28), "NERA", {{"Pirtis", "21", "20.00", "4.20", "24.20"}});
    registration(11, "AB", 109, day(12, 29), "", {{"Pirtis", "0", "20.00", "0.00", "20.00"}}, "Guest\x07");
    const isaf::Outcome outcome = exportDecember();
    ASSERT_EQ(outcome.kind, isaf::Outcome::Kind::Stopped);
    EXPECT_EQ(
        texts(outcome.problems),
        "Įstaigos duomenys: nerastas įmonės kodas: jį nurodykite lange „Nustatymai, įstaigos duomenys“ "
        "(eilutėje „Įmonės kodas, PVM kodas:“ turi būti vienas 9 ar 11 skaitmenų kodas)\n"
        "PVM tarifas 0 %: jam nėra i.SAF kodo sąraše „PVM tarifai ir i.SAF kodai“ (pirmoji sąskaita su juo — "
        "AB109 (2026-12-29))\n"
        "Sąskaita AB108 (2026-12-28): mokėtojo „NERA“ nėra mokėtojų sąraše\n"
        "Sąskaita AB109 (2026-12-29): pirkėjo pavadinimas turi ženklų, kurių i.SAF failas negali turėti\n");
    EXPECT_FALSE(fs::exists(file));
    // A window lists the first ones and says how many more there are.
    const std::string shown = isaf::outcomeText(outcome, day(12, 1), day(12, 31), file, 2);
    EXPECT_TRUE(shown.starts_with("i.SAF failas nesukurtas: rasta klaidų — 4."));
    EXPECT_TRUE(shown.ends_with("\n... ir dar 2 (visas sąrašas: nakva-cli isaf).")) << shown;
}

TEST_F(IsafTest, APeriodWithoutInvoicesWritesNothing) {
    const isaf::Outcome outcome = isaf::exportRegister(context, day(10, 1), day(10, 31), file, Moment);
    EXPECT_EQ(outcome.kind, isaf::Outcome::Kind::Nothing);
    EXPECT_FALSE(fs::exists(file));
    EXPECT_EQ(
        isaf::outcomeText(outcome, day(10, 1), day(10, 31), file),
        "Laikotarpiu 2026-10-01 – 2026-10-31 išrašytų PVM sąskaitų faktūrų nėra: i.SAF failas nesukurtas.");
}

TEST_F(IsafTest, AFileThatCannotBeWrittenIsToldAndLeavesNothingBehind) {
    file = folder.path() / "nera" / "iSAF.xml";
    const isaf::Outcome outcome = exportDecember();
    EXPECT_EQ(outcome.kind, isaf::Outcome::Kind::Failed);
    EXPECT_EQ(outcome.saved.fault, SaveFault::FolderNotWritable);
    EXPECT_NE(isaf::outcomeText(outcome, day(12, 1), day(12, 31), file).find(file.string()),
              std::string::npos);
    EXPECT_FALSE(fs::exists(folder.path() / "nera"));
}

TEST_F(IsafTest, ThePeriodProposedIsLastMonthAndTheFileIsNamedByTheSellerAndTheMonth) {
    Globals globals;
    globals.EINDT = day(1, 15, 2027);
    isaf::proposeLastMonth(globals);
    EXPECT_EQ(globals.PrDt, day(12, 1));
    EXPECT_EQ(globals.GalDt, day(12, 31));
    // A period chosen in the program run stays.
    globals.PrDt = day(3, 1);
    globals.GalDt = day(3, 31);
    isaf::proposeLastMonth(globals);
    EXPECT_EQ(globals.PrDt, day(3, 1));

    EXPECT_EQ(isaf::defaultFileName(context, day(12, 1)), "iSAF_302345678_2026-12.xml");
    database.istgPar().set(IST::ISTG1, "");
    EXPECT_EQ(isaf::defaultFileName(context, day(12, 1)), "iSAF_2026-12.xml");
}

} // namespace

} // namespace nakva::testing
