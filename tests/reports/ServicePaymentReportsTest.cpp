#include "ReportTestSupport.h"

#include "data/Text.h"
#include "reports/InvoiceBooks.h"
#include "reports/SpApmZin.h"
#include "reports/SpKlientAdr.h"
#include "reports/SpPaslZin.h"

#include <algorithm>

namespace nakva::testing {

namespace {

Globals december() {
    return period(day(12, 1), day(12, 31));
}

bool has(const std::vector<std::string>& texts, std::string_view text) {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

// Whether `wanted` stand in `texts` in this order (others between them).
::testing::AssertionResult inOrder(const std::vector<std::string>& texts,
                                   const std::vector<std::string>& wanted) {
    auto at = texts.begin();
    for (const std::string& text : wanted) {
        at = std::find(at, texts.end(), text);
        if (at == texts.end()) {
            std::string drawn;
            for (const std::string& t : texts) {
                drawn += "[" + t + "] ";
            }
            return ::testing::AssertionFailure() << "\"" << text << "\" missing or out of order in " << drawn;
        }
        ++at;
    }
    return ::testing::AssertionSuccess();
}

} // namespace

// December 2026: two services whose names differ only in letter case in two groups, a service given
// 0 every day, a service nobody had; Ona stays, Jonas has departed; three payers' invoices and the
// payments of three methods.
class ServicePaymentReportsTest : public ReportTest {
protected:
    void SetUp() override {
        addRecord(TableId::PaslGrp, {{"PGRP:IrasoNr", "1"}, {"PGRP:GrpPav", "Maitinimas"}});
        addRecord(TableId::PaslGrp, {{"PGRP:IrasoNr", "2"}, {"PGRP:GrpPav", "Pramogos"}});
        addService("Pusryčiai", "švediškas stalas", "ŽMN.", "12.1", "21", 1);
        addService("PUSRYČIAI", "", "ŽMN.", "5", "21", 2);
        addService("Nulis", "", "VNT.", "7", "21", 1);
        addService("Pirtis", "", "VAL.", "30", "21", 2);
        addPayer("UAB1", "UAB „Šiaurės vėjas“", "Gedimino pr. 1, Vilnius", "");
        addPayer("UAB2", "UAB „Pietų vėjas“", "", "");

        registration("1", "Ona Onaitė", "0", "AB", "15", "2026-12-01", "UAB1", "100", "21", "121");
        registration("2", "Jonas Jonaitis", "1", "", "16", "2026-12-02", "uab1", "50", "10.50", "60.50");
        registration("3", "Petras Petraitis", "0", "AB", "17", "2026-12-03", "UAB2", "10", "2.10", "12.10");
        registration("4", "Rūta Rūtaitė", "0", "AB", "3", "2026-11-15", "UAB1", "7", "1.47", "8.47");

        // Line 1: Ona's breakfasts, 2 + 2 + 1 in December (and 2 on 30 November).
        line("1", "1", "Pusryčiai", "12.1", "7", "84.70", "švediškas stalas");
        for (const auto& [date, quantity] :
             {std::pair{"2026-11-30", "2"}, {"2026-12-01", "2"}, {"2026-12-02", "2"}, {"2026-12-03", "1"}}) {
            scheduleDay("1", date, quantity);
        }
        line("2", "2", "Pusryčiai", "10", "2", "20.00"); // Jonas, departed
        scheduleDay("2", "2026-12-05", "1");
        scheduleDay("2", "2026-12-06", "1");
        line("3", "1", "PUSRYČIAI", "5", "3", "15.00");
        scheduleDay("3", "2026-12-02", "3");
        line("4", "1", "Nulis", "7", "0", "0");
        scheduleDay("4", "2026-12-01", "0");
        scheduleDay("4", "2026-12-02", "0");
        line("5", "1", "Pusryčiai", "3.3333", "1.5", "5.00"); // 1.5 × 3.3333 = 4.99995
        scheduleDay("5", "2026-12-04", "1.5");
        line("6", "3", "Pirtis", "30", "1", "30.00");

        addRecord(TableId::MokBudai, {{"MOK1:MokBudoID", "1"}, {"MOK1:MOKBUDOPAV", "GRYNAIS"}});
        addRecord(TableId::MokBudai, {{"MOK1:MokBudoID", "2"}, {"MOK1:MOKBUDOPAV", "KORTELE"}});
        addRecord(TableId::MokBudai, {{"MOK1:MokBudoID", "3"}, {"MOK1:MOKBUDOPAV", "PAVEDIMU"}});
        payment("1", "1", "2026-12-03", "121", "2",
                "Apmokėjimas už paslaugas pagal sąskaitą AB 15 2026-12-01.");
        payment("2", "2", "2026-12-02", "30", "1", "");
        payment("3", "2", "2026-12-05", "30.50", "1", "Likutis");
        payment("4", "3", "2026-11-30", "12.10", "3", "");
    }

    void registration(const char* number, const char* resident, const char* departed, const char* series,
                      const char* invoice, const char* date, const char* payer, const char* withoutVat,
                      const char* vat, const char* withVat) {
        addRecord(TableId::Saskait, {{"SAS:IrasoNr", number},
                                     {"SAS:IrasoDt", date},
                                     {"SAS:Gyventojas", resident},
                                     {"SAS:Isvykes", departed},
                                     {"SAS:SaskSer", series},
                                     {"SAS:SaskNr", invoice},
                                     {"SAS:SaskDt", date},
                                     {"SAS:KliKod", payer},
                                     {"SAS:BSUMA", withoutVat},
                                     {"SAS:PVMSUMA", vat},
                                     {"SAS:BSUMASUPVM", withVat},
                                     {"SAS:KAMBARIAI", "20" + std::string(number)},
                                     {"SAS:ISSIUSTA", departed}});
    }

    void line(const char* id, const char* registration, const char* service, const char* price,
              const char* quantity, const char* amount, const char* secondLine = "") {
        addRecord(TableId::Saskeil, {{"SEI:SEILID", id},
                                     {"SEI:IrasoNr", registration},
                                     {"SEI:PasPav", service},
                                     {"SEI:PASPAV1", secondLine},
                                     {"SEI:KAINA", price},
                                     {"SEI:KIEKIS", quantity},
                                     {"SEI:SUMA", amount}});
    }

    void scheduleDay(const char* line, const char* date, const char* quantity) {
        addRecord(TableId::Seilgraf, {{"SEIG:SEILGID", std::to_string(++scheduleRows_)},
                                      {"SEIG:SEILID", line},
                                      {"SEIG:Data", date},
                                      {"SEIG:KIEKIS", quantity}});
    }

    void payment(const char* number, const char* registration, const char* date, const char* amount,
                 const char* method, const char* comment) {
        addRecord(TableId::Mokej, {{"MOK:IrasoNr", number},
                                   {"MOK:SaskIrasoNr", registration},
                                   {"MOK:MokDt", date},
                                   {"MOK:MOKSUMA", amount},
                                   {"MOK:MokejimoBudas", method},
                                   {"MOK:KOMENTARAI", comment}});
    }

    // A report about one record, run as a list's print menu runs it: the record given, then whatever
    // the buffers hold meanwhile.
    std::vector<std::string> runAbout(const ReportSpec& report, TableId table, std::string_view field,
                                      const std::string& value, const Globals& globals = december()) {
        Table& records = context.table(table);
        records.open();
        records.clear();
        EXPECT_TRUE(records.record().setText(field, value).ok());
        EXPECT_EQ(records.getByKey(records.def().identityKey), StoreStatus::Ok) << value;
        const Record subject = records.record();
        records.close();
        drawn.clear();
        ReportRun run(report, context);
        run.setSubject(subject);
        runToEnd(run, globals);
        EXPECT_EQ(run.state(), ReportRun::State::Done);
        return allTexts();
    }

    std::vector<std::string> runReport(const ReportSpec& report, const Globals& globals) {
        drawn.clear();
        ReportRun run(report, context);
        runToEnd(run, globals);
        EXPECT_EQ(run.state(), ReportRun::State::Done);
        shown_ = run.showsPreview();
        return allTexts();
    }

    bool shown_ = false;

private:
    int scheduleRows_ = 0;
};

TEST_F(ServicePaymentReportsTest, TheLedgerPrintsEachLineOfTheServiceWithItsDaysInThePeriod) {
    Globals globals = december();
    globals.Pasl = "Pusryčiai";
    const std::vector<std::string> texts = runReport(SpPaslZin(), globals);
    ASSERT_TRUE(shown_);
    // Line 1: 5 of its 7 in December at 12.10; line 5: 1.5 at 3.3333, 4.99995 to the cent. In all 6.5
    // for 65.50, on average 10.0769. "PUSRYČIAI" is another service; Jonas has departed.
    EXPECT_TRUE(inOrder(texts, {"EINAMASIS PASLAUGOS ŽINIARAŠTIS",
                                globals.PERIODAS,
                                "Pusryčiai",
                                "švediškas stalas",
                                "2026-12-01",
                                "Ona Onaitė",
                                "2026-12-01 2026-12-03",
                                "5.000",
                                "12.1000",
                                "60.50",
                                "201",
                                "Ona Onaitė",
                                "2026-12-04 2026-12-04",
                                "1.500",
                                "3.3333",
                                "5.00",
                                "Sudarė:",
                                "6.500",
                                "10.0769",
                                "65.50"}));
    EXPECT_FALSE(has(texts, "Jonas Jonaitis"));
    EXPECT_FALSE(has(texts, "3.000"));

    globals.SuIsvykusiais = true;
    const std::vector<std::string> withDeparted = runReport(SpPaslZin(), globals);
    EXPECT_TRUE(inOrder(withDeparted, {"Jonas Jonaitis", "2026-12-05 2026-12-06", "2.000", "10.0000", "20.00",
                                       "1", "202", "Sudarė:", "8.500", "10.0588", "85.50"}));
}

TEST_F(ServicePaymentReportsTest, TheLedgerWithoutPricesPrintsQuantitiesAlone) {
    Globals globals = december();
    globals.Pasl = "Pusryčiai";
    globals.BEKAINU = true;
    const std::vector<std::string> texts = runReport(SpPaslZin(), globals);
    EXPECT_TRUE(inOrder(texts, {"Ona Onaitė", "5.000", "Ona Onaitė", "1.500", "Sudarė:", "6.500"}));
    for (const char* price : {"12.1000", "60.50", "3.3333", "5.00", "10.0769", "65.50"}) {
        EXPECT_FALSE(has(texts, price)) << price;
    }
}

TEST_F(ServicePaymentReportsTest, AServiceGivenNothingEveryDayHasNoQuantityAndNoPrice) {
    Globals globals = december();
    globals.Pasl = "Nulis";
    const std::vector<std::string> texts = runReport(SpPaslZin(), globals);
    ASSERT_TRUE(shown_);
    EXPECT_TRUE(inOrder(texts, {"Nulis", "Ona Onaitė", "2026-12-01 2026-12-02", "Sudarė:"}));
    // Quantity, price and amount are 0 and print blank, on the line and at the end.
    for (const char* figure : {"0.000", "0.0000", "0.00", "7.0000"}) {
        EXPECT_FALSE(has(texts, figure)) << figure;
    }
}

TEST_F(ServicePaymentReportsTest, AnEndBeforeTheStartSelectsNothing) {
    Globals backwards = period(day(12, 31), day(12, 1));
    backwards.Pasl = "Pusryčiai";
    for (const ReportSpec* report : {&SpPaslZin(), &SpPaslSuvF2(), &SpApmZin(), &SpApmZin2()}) {
        runReport(*report, backwards);
        EXPECT_FALSE(shown_) << report->name;
        EXPECT_TRUE(drawn.empty()) << report->name;
    }
    EXPECT_FALSE(has(runAbout(SpPaslKn(), PAS::table, "PAS:Pav", "Pusryčiai", backwards), "Sudarė:"));
    EXPECT_FALSE(has(runAbout(SpKlientKn(), KLI::table, "KLI:Kod", "UAB1", backwards), "Sudarė:"));
}

TEST_F(ServicePaymentReportsTest, TheSummaryHasALinePerServiceAsTypedAndTheGroupsChoice) {
    Globals globals = december();
    std::vector<std::string> texts = runReport(SpPaslSuvF2(), globals);
    // Every group: "Nulis" with nothing, then the two names that differ only in letter case, capitals
    // first; 9.5 for 80.50 in all.
    EXPECT_TRUE(inOrder(texts, {"EINAMOJI PASLAUGŲ SUVESTINĖ (PAGAL FAKTĄ)", globals.PERIODAS, "Nulis",
                                "PUSRYČIAI", "3.000", "5.0000", "15.00", "Pusryčiai", "6.500", "10.0769",
                                "65.50", "Iš viso:", "9.500", "8.4737", "80.50", "Sudarė:"}));
    EXPECT_FALSE(has(texts, "Pirtis")); // no schedule days

    globals.PaslGrpNr = 1;
    texts = runReport(SpPaslSuvF2(), globals);
    EXPECT_TRUE(has(texts, "Paslaugų grupė: Maitinimas"));
    EXPECT_TRUE(inOrder(texts, {"Nulis", "Pusryčiai", "Iš viso:", "6.500", "10.0769", "65.50"}));
    EXPECT_FALSE(has(texts, "PUSRYČIAI"));

    globals.PaslGrpNr = 2;
    globals.BEKAINU = true;
    globals.SuIsvykusiais = true;
    texts = runReport(SpPaslSuvF2(), globals);
    EXPECT_TRUE(has(texts, "Paslaugų grupė: Pramogos      Be kainų      Su išvykusiais"));
    EXPECT_TRUE(inOrder(texts, {"PUSRYČIAI", "3.000", "Iš viso:", "3.000", "Sudarė:"}));
    EXPECT_FALSE(has(texts, "15.00"));
}

TEST(ServiceSummaryFilterTest, SaysWhatWasChosen) {
    struct Case {
        std::int32_t group;
        const char* name;
        bool withoutPrices, includeDeparted;
        const char* line;
    };
    const Case cases[] = {
        {0, "", false, false, ""},
        {0, "", true, false, "      Be kainų"},
        {0, "", false, true, "      Su išvykusiais"},
        {0, "", true, true, "      Be kainų      Su išvykusiais"},
        {3, "Maitinimas   ", false, false, "Paslaugų grupė: Maitinimas"},
        {3, "Maitinimas   ", true, false, "Paslaugų grupė: Maitinimas      Be kainų"},
        {3, "Maitinimas", false, true, "Paslaugų grupė: Maitinimas      Su išvykusiais"},
        {3, "Maitinimas", true, true, "Paslaugų grupė: Maitinimas      Be kainų      Su išvykusiais"},
        {9, "", true, false, "Paslaugų grupė:      Be kainų"}, // a group that is not there
    };
    for (const Case& c : cases) {
        EXPECT_EQ(serviceSummaryFilter(c.group, c.name, c.withoutPrices, c.includeDeparted), c.line)
            << c.group << c.withoutPrices << c.includeDeparted;
    }
    const std::string longName(140, 'x');
    EXPECT_EQ(charCount(serviceSummaryFilter(1, longName, true, true)), 150u);
}

TEST_F(ServicePaymentReportsTest, TheBookOfAServiceHasItsLinesWhateverTheLetterCaseWithTheInvoicesNumbers) {
    std::vector<std::string> texts = runAbout(SpPaslKn(), PAS::table, "PAS:Pav", "Pusryčiai");
    // Lines 1, 2, 5 and "PUSRYČIAI"'s line 3, by name and registration; the invoice's series and number.
    EXPECT_TRUE(
        inOrder(texts, {"PASLAUGOS KNYGA", "Pusryčiai  švediškas stalas", "2026-12-01", "AB 15", "7.000",
                        "12.1000", "84.70", "2026-12-01", "AB 15", "3.000", "2026-12-01", "AB 15", "1.500",
                        "2026-12-02", "16", "2.000", "Sudarė:", "13.500", "124.70"}));
    EXPECT_FALSE(has(texts, "30.00"));
    EXPECT_FALSE(has(texts, "1")); // not the registration's number

    // Another service highlighted: its own lines alone, however the rows' services are joined.
    texts = runAbout(SpPaslKn(), PAS::table, "PAS:Pav", "Pirtis");
    EXPECT_TRUE(inOrder(
        texts, {"Pirtis", "2026-12-03", "AB 17", "1.000", "30.0000", "30.00", "Sudarė:", "1.000", "30.00"}));
    EXPECT_FALSE(has(texts, "84.70"));
}

TEST_F(ServicePaymentReportsTest, TheInvoicesOfAPayerAreThoseOfItsCodeInAnyLetterCase) {
    std::vector<std::string> texts = runAbout(SpKlientKn(), KLI::table, "KLI:Kod", "UAB1");
    EXPECT_TRUE(inOrder(texts, {"KLIENTO SĄSKAITŲ SUVESTINĖ", "UAB1  UAB „Šiaurės vėjas“", "2026-12-01",
                                "AB 15", "100.00", "21.00", "121.00", "2026-12-02", "16", "50.00", "10.50",
                                "60.50", "Sudarė:", "150.00", "31.50", "181.50"}));
    EXPECT_FALSE(has(texts, "12.10")); // UAB2's
    EXPECT_FALSE(has(texts, "8.47"));  // November's

    texts = runAbout(SpKlientKn(), KLI::table, "KLI:Kod", "UAB2");
    EXPECT_TRUE(inOrder(texts, {"UAB2  UAB „Pietų vėjas“", "AB 17", "Sudarė:", "10.00", "2.10", "12.10"}));
    EXPECT_FALSE(has(texts, "121.00"));
}

TEST_F(ServicePaymentReportsTest, TheAddressLabelIsTheHighlightedPayers) {
    addRecord(TableId::Klient, {{"KLI:Kod", "UAB3"},
                                {"KLI:ATS", "Ona Vadovė"},
                                {"KLI:PAV", "UAB „Trečias“"},
                                {"KLI:PAV2", "Įm. k. 123456789, PVM k. LT123456789"},
                                {"KLI:ADR", "Laisvės al. 3, Kaunas"}});
    EXPECT_EQ(runAbout(SpKlientAdr(), KLI::table, "KLI:Kod", "uab3"),
              (std::vector<std::string>{"Ona Vadovė", "UAB „Trečias“", "Įm. k. 123456789, PVM k. LT123456789",
                                        "Laisvės al. 3, Kaunas"}));
    EXPECT_EQ(runAbout(SpKlientAdr(), KLI::table, "KLI:Kod", "UAB1"),
              (std::vector<std::string>{"UAB „Šiaurės vėjas“", "Gedimino pr. 1, Vilnius"}));
}

TEST_F(ServicePaymentReportsTest, ThePaymentLedgersSumEachMethodAndAllPayments) {
    const Globals globals = december();
    std::vector<std::string> texts = runReport(SpApmZin(), globals);
    // GRYNAIS: 30.00 and 30.50 by date; KORTELE: 121.00; PAVEDIMU had no payment in December.
    EXPECT_TRUE(inOrder(texts, {"APMOKĖJIMO ŽINIARAŠTIS A1",
                                globals.PERIODAS,
                                "Mokėjimo data, nr.",
                                "Registracijos data, nr.",
                                "1  GRYNAIS",
                                "2026-12-02",
                                "2",
                                "30.00",
                                "2026-12-02",
                                "2",
                                "1",
                                "2026-12-05",
                                "3",
                                "30.50",
                                "Likutis",
                                "Iš viso:",
                                "60.50",
                                "2  KORTELE",
                                "2026-12-03",
                                "1",
                                "121.00",
                                "Iš viso:",
                                "121.00",
                                "Iš viso :",
                                "181.50"}));
    EXPECT_TRUE(std::ranges::any_of(texts, [](const std::string& text) {
        return text.starts_with("Apmokėjimas už paslaugas");
    })); // the comment, wrapped
    EXPECT_FALSE(has(texts, "3  PAVEDIMU"));
    EXPECT_FALSE(has(texts, "12.10"));
    EXPECT_FALSE(has(texts, "Jonas Jonaitis")); // A1 has no resident

    texts = runReport(SpApmZin2(), globals);
    EXPECT_TRUE(
        inOrder(texts, {"APMOKĖJIMO ŽINIARAŠTIS A2", "Mok.data", "Apm.suma", "Registracijos data. nr.",
                        "Klientas", "1  GRYNAIS", "2026-12-02", "30.00", "Jonas Jonaitis",
                        "Iš viso:", "60.50", "2  KORTELE", "Ona Onaitė", "Iš viso :", "181.50"}));
}

} // namespace nakva::testing
