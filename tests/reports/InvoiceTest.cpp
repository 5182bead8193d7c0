#include "ReportTestSupport.h"

#include "reports/Invoice.h"
#include "reports/PictureDecoder.h"
#include "reports/ReportCatalog.h"
#include "reports/SpDidSask.h"
#include "reports/SpSaskSuvData.h"
#include "reports/WmfWriter.h"

#include <algorithm>
#include <fstream>

namespace nakva::testing {

namespace {

// Whether `run` stands in `texts` as consecutive texts.
bool containsRun(const std::vector<std::string>& texts, const std::vector<std::string>& run) {
    return std::search(texts.begin(), texts.end(), run.begin(), run.end()) != texts.end();
}

// The text drawn right after `label`; empty when there is none.
std::string after(const std::vector<std::string>& texts, const std::string& label) {
    const auto found = std::find(texts.begin(), texts.end(), label);
    return found == texts.end() || found + 1 == texts.end() ? std::string() : *(found + 1);
}

std::string join(const std::vector<std::string>& texts) {
    std::string all;
    for (const std::string& text : texts) {
        all += text + " | ";
    }
    return all;
}

// Invoices on real files:
//   registration 1: AB 15 of 2026-12-07, payer UAB1, lines at 9 % and 21 % with quantities 2 and 2.5;
//   registration 2: "ab" 15 of the same day (the same invoice), lines with quantities 0 and 1;
//   registration 3: AB 15 of 2026-12-08 (another invoice, joined only by the integrated form);
//   registration 4: AB 16 of 2026-12-07, payer "uab1", one line at 21 %;
//   registration 5: CD 1 of 2026-11-30, a payer nobody has, no lines.
// The stored totals of registrations 1 and 2 are their own, not the invoice's.
class InvoiceTest : public ReportTest {
protected:
    void SetUp() override {
        database.istgPar().set(IST::ISTAIGA, "Viešbutis „Žuvėdra“");
        database.istgPar().set(IST::PAR1, "Direktorius");
        database.istgPar().set(IST::PAV1, "Jonas Jonaitis");
        addRecord(KLI::table, {{"KLI:Kod", "UAB1"},
                               {"KLI:PAV", "UAB „Šiaurės vėjas“"},
                               {"KLI:PAV2", "Įm. k. 123456789"},
                               {"KLI:ADR", "Gedimino pr. 1, Vilnius"},
                               {"KLI:TEL", "+370 5 000 0000"},
                               {"KLI:ATS", "Ona Onaitė"}});
        registration(1, "AB", 15, "2026-12-07", "UAB1", "120.00", "15", "13.20", "133.20", 1, 0);
        registration(2, "ab", 15, "2026-12-07", "UAB1", "30.00", "21", "6.30", "36.30", 0, 1);
        registration(3, "AB", 15, "2026-12-08", "", "10.00", "21", "2.10", "12.10", 0, 0);
        registration(4, "AB", 16, "2026-12-07", "uab1", "50.00", "21", "10.50", "60.50", 1, 1);
        registration(5, "CD", 1, "2026-11-30", "NERA", "0", "0", "0", "0", 0, 0);
        line(1, 1, "Apgyvendinimas", "", "PARA", "2", "100.00", "9", "9.00", "109.00");
        line(2, 1, "Pusryčiai", "švediškas stalas", "ŽMN.", "2.5", "20.00", "21", "4.20", "24.20");
        line(3, 2, "Pirtis", "", "VAL.", "0", "0", "21", "0", "0");
        line(4, 2, "Masažas", "", "VNT", "1", "30.00", "21", "6.30", "36.30");
        line(5, 3, "Vakarienė", "", "ŽMN.", "1", "10.00", "21", "2.10", "12.10");
        line(6, 4, "Konferencijų salė", "", "VAL.", "1", "50.00", "21", "10.50", "60.50");
    }

    void registration(int number, const char* series, int invoice, const char* day, const char* payer,
                      const char* withoutVat, const char* rate, const char* vat, const char* withVat,
                      int sent, int paid) {
        addRecord(SAS::table, {{"SAS:IrasoNr", std::to_string(number)},
                               {"SAS:SaskSer", series},
                               {"SAS:SaskNr", std::to_string(invoice)},
                               {"SAS:SaskDt", day},
                               {"SAS:KliKod", payer},
                               {"SAS:BSUMA", withoutVat},
                               {"SAS:PVMPROC", rate},
                               {"SAS:PVMSUMA", vat},
                               {"SAS:BSUMASUPVM", withVat},
                               {"SAS:ISSIUSTA", std::to_string(sent)},
                               {"SAS:APMOKETA", std::to_string(paid)},
                               {"SAS:PAST", "Apmokėti per 10 dienų"}});
    }

    void line(int id, int registration, const char* name, const char* second, const char* unit,
              const char* quantity, const char* withoutVat, const char* rate, const char* vat,
              const char* withVat) {
        addRecord(SEI::table, {{"SEI:SEILID", std::to_string(id)},
                               {"SEI:IrasoNr", std::to_string(registration)},
                               {"SEI:PasPav", name},
                               {"SEI:PASPAV1", second},
                               {"SEI:MATVNT", unit},
                               {"SEI:KIEKIS", quantity},
                               {"SEI:SUMABEPVM", withoutVat},
                               {"SEI:PVMPROC", rate},
                               {"SEI:PVMSUMA", vat},
                               {"SEI:SUMA", withVat}});
    }

    // The registration as a list's current row holds it.
    Record current(int number) {
        Table& table = context.table(SAS::table);
        table.open();
        table.clear();
        table.record().set(SAS::IrasoNr, number);
        EXPECT_EQ(table.getByKey(SAS::IRASONRKEY), StoreStatus::Ok);
        Record record = table.record();
        table.close();
        return record;
    }

    std::vector<std::string> print(const ReportSpec& definition, int registration, Globals globals = {}) {
        drawn.clear();
        ReportRun run(definition, context);
        run.setSubject(current(registration));
        if (globals.SUMINESPASLAUGOSPAV.empty()) {
            globals.SUMINESPASLAUGOSPAV = "Viešbučio paslaugos";
        }
        runToEnd(run, globals);
        EXPECT_EQ(run.state(), ReportRun::State::Done);
        return allTexts();
    }
};

} // namespace

TEST_F(InvoiceTest, F1JoinsTheSeriesInAnyCaseAndPrintsTotalsAndWordsOfItsOwnLines) {
    const auto texts = print(SpDidSask(), 2);
    ASSERT_EQ(drawn.size(), 1u);
    for (const char* expected : {"P V M  S Ą S K A I T A - F A K T Ū R A", "Serija AB Nr. 15", "2026-12-07",
                                 "Pardavėjas:", "Viešbutis „Žuvėdra“", "Pirkėjas:", "UAB „Šiaurės vėjas“",
                                 "Įm. k. 123456789", "Telefonas, atsakingas:", "+370 5 000 0000, Ona Onaitė",
                                 "Direktorius", "Jonas Jonaitis", "Apmokėti per 10 dienų", "Lapas 1"}) {
        EXPECT_NE(std::find(texts.begin(), texts.end(), expected), texts.end()) << expected << "\n"
                                                                                << join(texts);
    }
    EXPECT_TRUE(containsRun(texts, {"Pavadinimas", "Mato vnt.", "Kiekis", "Kaina be PVM", "Suma be PVM"}));
    // Quantities 2, 2.5 and 0: a whole number, three decimals, blank with no unit price.
    EXPECT_TRUE(containsRun(texts, {"Apgyvendinimas", "PARA", "2", "50.0000", "100.00"})) << join(texts);
    EXPECT_TRUE(containsRun(texts, {"Pusryčiai", "švediškas stalas", "ŽMN.", "2.500", "8.0000", "20.00"}));
    EXPECT_TRUE(containsRun(texts, {"Pirtis", "VAL.", "Masažas", "VNT", "1", "30.0000", "30.00"}));
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "Vakarienė"), 0); // another day's invoice
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "Konferencijų salė"), 0);

    // 150.00 + 9.00 + 10.50: neither registration's stored totals.
    EXPECT_EQ(after(texts, "Visa suma be PVM:"), "150.00");
    EXPECT_EQ(after(texts, "PVM suma ( 9% ):"), "9.00");
    EXPECT_EQ(after(texts, "PVM suma ( 21% ):"), "10.50");
    EXPECT_EQ(std::count_if(texts.begin(), texts.end(),
                            [](const std::string& text) { return text.starts_with("PVM suma ("); }),
              2);
    EXPECT_EQ(after(texts, "Visa suma su PVM apmokėjimui:"), "169.50");
    EXPECT_EQ(after(texts, "Suma žodžiais : "), "Vienas šimtas šešiasdešimt devyni eurai 50 centų.");
    // The signatures and the notes close the invoice.
    EXPECT_EQ(after(texts, "Vienas šimtas šešiasdešimt devyni eurai 50 centų."), "Direktorius");
}

TEST_F(InvoiceTest, OneRateGivesTheSingleVatLineAndAMissingPayerABlankBuyer) {
    auto texts = print(SpDidSask(), 4);
    EXPECT_EQ(after(texts, "PVM suma ( 21% ):"), "10.50");
    EXPECT_EQ(std::count_if(texts.begin(), texts.end(),
                            [](const std::string& text) { return text.starts_with("PVM suma ("); }),
              1);
    EXPECT_NE(std::find(texts.begin(), texts.end(), "UAB „Šiaurės vėjas“"), texts.end()); // "uab1" is UAB1

    texts = print(SpDidSask(), 3);
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "UAB „Šiaurės vėjas“"), 0);
    EXPECT_EQ(after(texts, "Telefonas, atsakingas:"), "Pavadinimas") << join(texts);
}

TEST_F(InvoiceTest, F2PrintsEveryColumnTheSumsAndAVatLinePerRate) {
    const auto texts = print(SpDidSask2(), 1);
    for (const char* expected : {"PVM SĄSKAITA FAKTŪRA", "Serija AB Nr. 15"}) {
        EXPECT_NE(std::find(texts.begin(), texts.end(), expected), texts.end()) << expected;
    }
    EXPECT_TRUE(containsRun(texts, {"Pavadinimas", "Mato vnt.", "Kiekis", "Kaina be PVM", "Suma su PVM",
                                    "Suma be PVM", "PVM%", "PVM suma"}))
        << join(texts);
    EXPECT_TRUE(containsRun(
        texts, {"Pusryčiai švediškas stalas", "ŽMN.", "2.500", "8.0000", "24.20", "20.00", "21.00", "4.20"}))
        << join(texts);
    EXPECT_TRUE(containsRun(texts, {"Iš viso:", "169.50", "150.00", "19.50"}));
    EXPECT_EQ(after(texts, "PVM suma ( 9% ):"), "9.00");
    EXPECT_EQ(after(texts, "PVM suma ( 21% ):"), "10.50");
    EXPECT_EQ(after(texts, "Suma žodžiais : "), "Vienas šimtas šešiasdešimt devyni eurai 50 centų.");
}

TEST_F(InvoiceTest, F1SummaryPrintsALinePerRegistrationAndSplitsTheVatOfItsLinesByRate) {
    Globals globals;
    globals.SUMINESPASLAUGOSPAV = "Apgyvendinimo paslaugos";
    const auto texts = print(SpDidSaskSum(), 1, globals);
    EXPECT_TRUE(containsRun(texts, {"Apgyvendinimo paslaugos", "vnt", "1", "120.0000", "120.00",
                                    "Apgyvendinimo paslaugos", "vnt", "1", "30.0000", "30.00"}))
        << join(texts);
    EXPECT_EQ(after(texts, "Visa suma be PVM:"), "150.00");
    EXPECT_EQ(after(texts, "PVM suma ( 9% ):"), "9.00");
    EXPECT_EQ(after(texts, "PVM suma ( 21% ):"), "10.50");
    EXPECT_EQ(after(texts, "PVM suma ( 15% ):"), ""); // the registration's own mean rate
    EXPECT_EQ(after(texts, "Visa suma su PVM apmokėjimui:"), "169.50");
}

TEST_F(InvoiceTest, IntegratedFormJoinsTheSeriesAndNumberWhateverTheDateAndSumsPerRate) {
    const auto texts = print(SpDidSaskSumInt(), 3);
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_NE(std::find(texts.begin(), texts.end(), "Lapas: 1"), texts.end());
    // Registrations 1, 2 and 3: the 9 % line of 100.00 and the 21 % lines of 20 + 0 + 30 + 10.
    EXPECT_TRUE(containsRun(texts, {"Viešbučio paslaugos", "Vnt", "1", "100.0000", "109.00", "100.00", "9.00",
                                    "9.00", "Viešbučio paslaugos", "Vnt", "1", "60.0000", "72.60", "60.00",
                                    "21.00", "12.60"}))
        << join(texts);
    EXPECT_TRUE(containsRun(texts, {"Iš viso:", "181.60", "160.00", "21.60"}));
    EXPECT_EQ(after(texts, "Suma žodžiais : "), "Vienas šimtas aštuoniasdešimt vienas euras 60 centų.");
    // The heading is the invoice's last registration's: its date.
    EXPECT_NE(std::find(texts.begin(), texts.end(), "2026-12-08"), texts.end());
}

TEST_F(InvoiceTest, AnInvoiceWithoutLinesSaysSoAndPrintsNothing) {
    ReportRun run(SpDidSask(), context);
    run.setSubject(current(5));
    runToEnd(run);
    EXPECT_FALSE(run.showsPreview());
    EXPECT_TRUE(drawn.empty());
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].text, NoInvoiceLines);
}

TEST_F(InvoiceTest, WithoutAGivenRecordTheRunTakesTheRegistrationInTheBuffer) {
    // As a list's print menu runs it: the highlighted registration stands in the buffer.
    context.table(SAS::table).record() = current(4);
    ReportRun run(SpDidSask(), context);
    runToEnd(run);
    const auto texts = allTexts();
    EXPECT_NE(std::find(texts.begin(), texts.end(), "Konferencijų salė"), texts.end()) << join(texts);

    // The list's buffer holds its current row again, not the last registration the run read (2).
    context.table(SAS::table).record() = current(1);
    ReportRun again(SpDidSask(), context);
    runToEnd(again);
    EXPECT_EQ(again.recordsPrinted(), 4);
    EXPECT_EQ(context.table(SAS::table).record().get(SAS::IrasoNr), 1);
}

TEST_F(InvoiceTest, RegisterListsThePeriodsInvoicesWithFlagsAndSums) {
    Globals globals;
    globals.EINDT = dateFromYmd(2026, 12, 9);
    globals.PrDt = dateFromYmd(2026, 12, 1);
    globals.GalDt = dateFromYmd(2026, 12, 31);
    globals.PERIODAS = "Periodas:   2026-12-01 : 2026-12-31";
    drawn.clear();
    ReportRun run(SpSaskSuvData(), context);
    runToEnd(run, globals);
    const auto texts = allTexts();
    for (const char* expected : {"SĄSKAITŲ SUVESTINĖ", "Periodas:   2026-12-01 : 2026-12-31", "Lapas 1"}) {
        EXPECT_NE(std::find(texts.begin(), texts.end(), expected), texts.end()) << expected;
    }
    EXPECT_TRUE(containsRun(texts, {"Data", "Nr.", "Klientas", "Suma be PVM", "PVM suma", "Suma su PVM"}));
    // In date, series and number order; the flags as 1 or blank; registration 5 is November's.
    EXPECT_TRUE(containsRun(texts, {"2026-12-07",
                                    "15",
                                    "UAB „Šiaurės vėjas“",
                                    "120.00",
                                    "13.20",
                                    "133.20",
                                    "1",
                                    "2026-12-07",
                                    "15",
                                    "UAB „Šiaurės vėjas“",
                                    "30.00",
                                    "6.30",
                                    "36.30",
                                    "1",
                                    "2026-12-07",
                                    "16",
                                    "UAB „Šiaurės vėjas“",
                                    "50.00",
                                    "10.50",
                                    "60.50",
                                    "1",
                                    "1",
                                    "2026-12-08",
                                    "15",
                                    "10.00",
                                    "2.10",
                                    "12.10",
                                    "Iš viso :",
                                    "210.00",
                                    "32.10",
                                    "242.10"}))
        << join(texts);
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "2026-11-30"), 0);
}

// The logo places: each file there printed in a place of its own, filled in the order "Firma.wmf",
// "Firma.gif", "Firma.jpg" from the heading's left corner to its right one and then beside the totals.
TEST_F(InvoiceTest, EachLogoFileThereIsPrintedInAPlaceOfItsOwn) {
    // Where each picture stands on the page, and whether it is a metafile.
    const auto pictures = [this] {
        std::vector<std::pair<Rect, bool>> found;
        for (const PageCanvas& page : drawn) {
            for (const PageItem& item : page.items()) {
                if (const auto* metafile = std::get_if<MetafileItem>(&item)) {
                    found.emplace_back(metafile->rect, true);
                } else if (const auto* raster = std::get_if<RasterItem>(&item)) {
                    found.emplace_back(raster->rect, false);
                }
            }
        }
        return found;
    };
    print(SpDidSask(), 4);
    EXPECT_TRUE(pictures().empty());

    // A GIF alone, decoded by the decoder the program sets, stands at the left corner.
    std::ofstream(folder.path() / "Firma.gif") << "GIF89a";
    setPictureDecoder([](const std::filesystem::path& path) {
        auto picture = std::make_shared<RasterPicture>();
        picture->width = 4;
        picture->height = 2;
        picture->pixels.assign(8, path.extension() == ".gif" ? 0xFF0000 : 0x00FF00);
        return std::shared_ptr<const RasterPicture>(picture);
    });
    print(SpDidSask(), 4);
    auto found = pictures();
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].first.left, invoice::Left);
    print(SpDidSask2(), 4); // F2 has no logo
    EXPECT_TRUE(pictures().empty());

    // All three: the metafile at the left corner, the GIF at the right one, the JPEG beside the totals.
    PageCanvas logo;
    logo.box({0, 0, mm(40), mm(20)});
    const std::vector<std::uint8_t> bytes = writeWmf(logo);
    std::ofstream(folder.path() / "Firma.wmf", std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    std::ofstream(folder.path() / "Firma.jpg") << "JFIF";
    for (const ReportSpec* form : {&SpDidSask(), &SpDidSaskSum()}) {
        print(*form, 4);
        found = pictures();
        ASSERT_EQ(found.size(), 3u) << form->name;
        EXPECT_TRUE(found[0].second);
        EXPECT_EQ(found[0].first.left, invoice::Left);
        EXPECT_FALSE(found[1].second);
        EXPECT_EQ(found[1].first.right(), invoice::Right);
        EXPECT_EQ(found[1].first.top, found[0].first.top);
        EXPECT_FALSE(found[2].second);
        EXPECT_EQ(found[2].first.left, invoice::Left);
        EXPECT_GT(found[2].first.top, found[0].first.bottom());
        // The words begin below the logo beside the totals.
        int words = 0;
        for (const PageItem& item : drawn.back().items()) {
            if (const auto* text = std::get_if<TextItem>(&item); text && text->text == "Suma žodžiais : ") {
                words = text->anchor.y;
            }
        }
        EXPECT_GT(words, found[2].first.bottom()) << form->name;
    }
    setPictureDecoder({});
}

TEST(InvoiceCatalogTest, TheInvoicesAreAboutARegistrationAndTheRegisterAsksForAPeriod) {
    for (const char* name : {"SpDidSask", "SpDidSask2", "SpDidSaskSum", "SpDidSaskSumInt"}) {
        const ReportSpec* report = findReport(name);
        ASSERT_NE(report, nullptr) << name;
        ASSERT_TRUE(report->subject) << name;
        EXPECT_EQ(report->subject->table, SAS::table);
    }
    EXPECT_EQ(findReport("SpDidSaskSum")->dialog, ParameterDialog::ServiceName);
    EXPECT_EQ(findReport("SpSaskSuvData")->dialog, ParameterDialog::Period);
    EXPECT_FALSE(findReport("SpSaskSuvData")->subject);
}

} // namespace nakva::testing
