#include "ReportTestSupport.h"

#include "reports/ListHeading.h"
#include "reports/ReportCatalog.h"
#include "reports/SpKliSar.h"
#include "reports/SpPaslSar.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

namespace nakva::testing {

namespace {

namespace fs = std::filesystem;

Globals workingDay(int year, int month, int day) {
    Globals globals;
    globals.EINDT = dateFromYmd(year, month, day);
    return globals;
}

std::string twoDigits(int number) {
    char text[8];
    std::snprintf(text, sizeof text, "%02d", number);
    return text;
}

// Services by group with the group's total of prices with VAT and its count, and the grand total: a
// report-style layout of the kind the statistics use, kept to what the run itself does.
ReportLayout groupedServices(ReportScope& scope) {
    const Record& service = scope.record(PAS::table);
    ReportLayout layout;
    layout.page.pageHeader = {pt(20), {}, [](PageCanvas& canvas, const BandContext& context) {
                                  canvas.text({mm(15), pt(12)}, "GRUPĖS");
                                  canvas.text({mm(195), pt(12)}, context.pageCaption, Align::Right);
                              }};
    GroupBreak group;
    group.key = [&service] {
        return std::to_string(service.get(PAS::PaslGrpNr));
    };
    group.header = {pt(12), {}, [](PageCanvas& canvas, const BandContext& context) {
                        canvas.text({mm(15), pt(10)}, "Grupė " + std::string(context.groupKey));
                    }};
    // The footer names the group's last service: it sees the group's last record.
    group.footer = {pt(12), {}, [&scope, &service](PageCanvas& canvas, const BandContext& context) {
                        const ReportTotals& totals = scope.totals();
                        canvas.text({mm(15), pt(10)}, "Iš viso " + std::string(context.groupKey) + ": " +
                                                          totals.group(context.level, 0).toString(4) + " (" +
                                                          std::to_string(totals.groupCount(context.level)) +
                                                          ") " + service.get(PAS::Pav));
                    }};
    layout.reportHeader = {pt(12), {}, [](PageCanvas& canvas, const BandContext&) {
                               canvas.text({mm(15), pt(10)}, "PRADŽIA");
                           }};
    layout.groups.push_back(group);
    layout.accumulate = [&service](ReportTotals& totals) {
        totals.add(0, service.get(PAS::KAINSUPVM));
    };
    layout.detail = {pt(12), {}, [&service](PageCanvas& canvas, const BandContext&) {
                         canvas.text({mm(20), pt(10)}, service.get(PAS::Pav));
                     }};
    layout.reportFooter = {pt(12), {}, [&scope](PageCanvas& canvas, const BandContext&) {
                               canvas.text({mm(15), pt(10)},
                                           "Viso: " + scope.totals().report(0).toString(4) + " (" +
                                               std::to_string(scope.totals().reportCount()) + ")");
                           }};
    return layout;
}

ReportSpec groupedServicesSpec(RunStyle style, std::string_view filter = {}) {
    return {"SpTestGrp", "Grupės", style,  ParameterDialog::None,     PAS::table,
            {},          {},       filter, "+PAS:PaslGrpNr,+PAS:Pav", groupedServices};
}

// Payments dated in the report period: the filter of the period reports.
ReportSpec paymentsInPeriod() {
    return {"SpTestMok",
            "Mokėjimai",
            RunStyle::Process,
            ParameterDialog::Period,
            MOK::table,
            {},
            {},
            "MOK:MokDt >= GLO:PrDt AND MOK:MokDt <= GLO:GalDt",
            "+MOK:MokDt,+MOK:IrasoNr",
            [](ReportScope& scope) {
                const Record& payment = scope.record(MOK::table);
                ReportLayout layout;
                layout.detail = {pt(12), {}, [&payment](PageCanvas& canvas, const BandContext&) {
                                     canvas.text({mm(15), pt(10)}, formatDate(payment.get(MOK::MokDt)));
                                 }};
                return layout;
            }};
}

} // namespace

using ReportRunTest = ReportTest;

TEST_F(ReportRunTest, PriceListPrintsEveryServiceInNameOrderWithItsPricesHeadsAndSignature) {
    database.istgPar().set(IST::ISTAIGA, "Viešbutis „Žuvėdra“");
    addService("Pusryčiai", "švediškas stalas", "ŽMN.", "12.1", "21");
    addService("Apgyvendinimas", "", "PARA", "45", "9");
    addService("Ąžuolo pirtis", "", "VAL.", "30", "21");
    addService("Čiužinys", "", "VNT.", "0", "0");
    addService("Žvakės", "", "VNT.", "2.42", "21");

    ReportRun run(SpPaslSar(), context);
    runToEnd(run, workingDay(2026, 12, 7));

    ASSERT_EQ(run.state(), ReportRun::State::Done);
    EXPECT_TRUE(run.showsPreview());
    EXPECT_TRUE(run.printable());
    ASSERT_EQ(drawn.size(), 1u);
    ASSERT_EQ(run.pages().size(), 1u);
    EXPECT_TRUE(fs::exists(run.pages()[0]));
    EXPECT_EQ(run.pages()[0].filename(), "SpPaslSar0001");

    const PageCanvas& page = drawn[0];
    EXPECT_EQ(
        columnTexts(page, list::Left, Align::Left),
        (std::vector<std::string>{"Viešbutis „Žuvėdra“", "Pavadinimas", "Apgyvendinimas", "Ąžuolo pirtis",
                                  "Čiužinys", "Pusryčiai", "švediškas stalas", "Žvakės", "Sudarė:"}));
    // Kaina be PVM | PVM % | Kaina su PVM, right-aligned; a price of 0 prints blank, a VAT of 0 does not.
    EXPECT_EQ(columnTexts(page, mm(150), Align::Right),
              (std::vector<std::string>{"Kaina be PVM", "41.2844", "24.7934", "10.0000", "2.0000"}));
    EXPECT_EQ(columnTexts(page, mm(166), Align::Right),
              (std::vector<std::string>{"PVM %", "9.00", "21.00", "0.00", "21.00", "21.00"}));
    EXPECT_EQ(
        columnTexts(page, mm(200), Align::Right),
        (std::vector<std::string>{"Lapas 1", "Kaina su PVM", "45.0000", "30.0000", "12.1000", "2.4200"}));
    const auto texts = pageTexts(page);
    for (const char* expected : {"PREKIŲ-PASLAUGŲ SĄRAŠAS", "2026-12-07", "Mato vnt", "ŽMN.", "PARA"}) {
        EXPECT_NE(std::find(texts.begin(), texts.end(), expected), texts.end()) << expected;
    }
}

TEST_F(ReportRunTest, LongPriceListBreaksIntoPagesEachWithItsHeaderAndLosesNoRow) {
    std::vector<std::string> names;
    inOneTransaction(PAS::table, [&] {
        for (int i = 1; i <= 150; ++i) {
            names.push_back("Paslauga " + twoDigits(i / 10) + twoDigits(i % 10));
            addService(names.back(), i % 7 == 0 ? "antra eilutė" : "", "VNT.", "1", "21");
        }
    });

    ReportRun run(SpPaslSar(), context);
    runToEnd(run, workingDay(2026, 12, 7));

    ASSERT_EQ(run.state(), ReportRun::State::Done);
    ASSERT_GT(drawn.size(), 2u);
    EXPECT_EQ(run.pages().size(), drawn.size());
    std::vector<std::string> printed;
    for (std::size_t number = 1; number <= drawn.size(); ++number) {
        const PageCanvas& page = drawn[number - 1];
        const auto texts = pageTexts(page);
        EXPECT_NE(std::find(texts.begin(), texts.end(), "Lapas " + std::to_string(number)), texts.end());
        EXPECT_NE(std::find(texts.begin(), texts.end(), "PREKIŲ-PASLAUGŲ SĄRAŠAS"), texts.end());
        EXPECT_EQ(std::count(texts.begin(), texts.end(), "Sudarė:"), number == drawn.size() ? 1 : 0);
        for (const PageItem& item : page.items()) {
            if (const auto* text = std::get_if<TextItem>(&item)) {
                EXPECT_LT(text->anchor.y, mm(287)) << text->text << " on page " << number;
                if (text->text.starts_with("Paslauga ")) {
                    printed.push_back(text->text);
                }
            }
        }
    }
    EXPECT_EQ(printed, names);
}

TEST_F(ReportRunTest, PayerListPrintsPayersByCodeIgnoringCaseWithNamePhoneAndAddress) {
    addPayer("vilnius", "UAB „Vilniaus keliai“", "Gedimino pr. 1, Vilnius", "+370 5 000 0000");
    addPayer("ARAS", "Aras ir partneriai", "", "");
    addPayer("Kaunas", "Kauno šviesa", "Laisvės al. 5", "");

    ReportRun run(SpKliSar(), context);
    runToEnd(run, workingDay(2026, 12, 7));

    ASSERT_EQ(drawn.size(), 1u);
    const auto texts = pageTexts(drawn[0]);
    const std::vector<std::string> expected{"KLIENTŲ SĄRAŠAS",
                                            "Kliento kodas",
                                            "Kliento pavadinimas, adresas, telefonas",
                                            "ARAS",
                                            "Aras ir partneriai",
                                            "Kaunas",
                                            "Kauno šviesa",
                                            "Laisvės al. 5",
                                            "vilnius",
                                            "UAB „Vilniaus keliai“",
                                            "+370 5 000 0000",
                                            "Gedimino pr. 1, Vilnius",
                                            "Sudarė:"};
    auto at = texts.begin();
    for (const std::string& text : expected) {
        at = std::find(at, texts.end(), text);
        ASSERT_NE(at, texts.end()) << text << " missing or out of order";
    }
}

TEST_F(ReportRunTest, ProcessRunThatSelectsNothingEndsWithoutPagesOrMessages) {
    ReportRun run(SpPaslSar(), context);
    runToEnd(run);
    EXPECT_EQ(run.state(), ReportRun::State::Done);
    EXPECT_FALSE(run.showsPreview());
    EXPECT_TRUE(run.pages().empty());
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(ReportRunTest, ReportRunThatSelectsNothingGoesToThePreviewWithNoPage) {
    addService("Pirtis", "", "VAL.", "30", "21", 4);
    const ReportSpec definition = groupedServicesSpec(RunStyle::Report, "PAS:PaslGrpNr = 9");
    ReportRun run(definition, context);
    runToEnd(run);
    EXPECT_TRUE(run.showsPreview());
    EXPECT_TRUE(run.pages().empty());
}

TEST_F(ReportRunTest, GroupsBreakWithHeadersFootersAndExactTotals) {
    addService("Kava", "", "VNT.", "0.1", "21", 1);
    addService("Arbata", "", "VNT.", "0.2", "21", 1);
    addService("Sultys", "", "VNT.", "0.7", "21", 1);
    addService("Pirtis", "", "VAL.", "30.3333", "21", 3);
    addService("Baseinas", "", "VAL.", "0.0001", "21", 3);
    addService("Vieta", "", "PARA", "5", "21", 0);

    const ReportSpec definition = groupedServicesSpec(RunStyle::Report);
    ReportRun run(definition, context);
    runToEnd(run);

    EXPECT_EQ(allTexts(), (std::vector<std::string>{
                              "GRUPĖS", "Lapas: 1", "PRADŽIA",                                       //
                              "Grupė 0", "Vieta", "Iš viso 0: 5.0000 (1) Vieta",                     //
                              "Grupė 1", "Arbata", "Kava", "Sultys", "Iš viso 1: 1.0000 (3) Sultys", //
                              "Grupė 3", "Baseinas", "Pirtis", "Iš viso 3: 30.3334 (2) Pirtis",      //
                              "Viso: 36.3334 (6)"}));
}

TEST_F(ReportRunTest, ReportStylePagesAreCaptionedLapasColon) {
    inOneTransaction(PAS::table, [&] {
        for (int i = 0; i < 80; ++i) {
            addService("Paslauga " + twoDigits(i), "", "VNT.", "1", "21", i / 20);
        }
    });
    const ReportSpec definition = groupedServicesSpec(RunStyle::Report);
    ReportRun run(definition, context);
    runToEnd(run);
    ASSERT_GT(drawn.size(), 1u);
    for (std::size_t number = 1; number <= drawn.size(); ++number) {
        const auto texts = pageTexts(drawn[number - 1]);
        EXPECT_EQ(texts.at(1), "Lapas: " + std::to_string(number));
    }
    const auto texts = allTexts();
    EXPECT_EQ(texts.back(), "Viso: 80.0000 (80)");
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "PRADŽIA"), 1); // the report header, once
}

TEST_F(ReportRunTest, CancelKeepsTheReportStylesPagesAndDropsTheProcessStyles) {
    inOneTransaction(PAS::table, [&] {
        for (int i = 0; i < 200; ++i) {
            addService("Paslauga " + twoDigits(i / 100) + twoDigits(i % 100), "", "VNT.", "1", "21", i / 50);
        }
    });
    {
        ReportRun run(SpPaslSar(), context);
        run.start({});
        for (int tick = 0; tick < 4; ++tick) {
            ASSERT_TRUE(run.advance());
        }
        ASSERT_FALSE(run.pages().empty());
        const fs::path first = run.pages().front();
        run.cancel();
        EXPECT_EQ(run.state(), ReportRun::State::Cancelled);
        EXPECT_FALSE(run.showsPreview());
        EXPECT_FALSE(run.printable());
        EXPECT_TRUE(run.pages().empty());
        EXPECT_FALSE(fs::exists(first));
        EXPECT_FALSE(run.advance());
    }
    const ReportSpec definition = groupedServicesSpec(RunStyle::Report);
    ReportRun run(definition, context);
    run.setPageObserver([this](const PageCanvas& page) { drawn.push_back(page); });
    run.start({});
    ASSERT_TRUE(run.advance());
    ASSERT_TRUE(run.advance());
    run.cancel();
    EXPECT_EQ(run.state(), ReportRun::State::Cancelled);
    EXPECT_TRUE(run.showsPreview());
    EXPECT_FALSE(run.printable()); // part of a report is not to be printed for all of it
    // The page in progress was ended: every record read so far is on the pages handed over.
    ASSERT_EQ(run.pages().size(), drawn.size());
    const auto texts = allTexts();
    EXPECT_EQ(std::count_if(texts.begin(), texts.end(),
                            [](const std::string& text) { return text.starts_with("Paslauga "); }),
              50);
    EXPECT_EQ(texts.back(), "Paslauga 0049");
}

// The percentage counts what was read against what the view selects, in both styles: a run over 30 of
// 120 records ends at 100, not at a quarter; a run over 530 is not "100% atlikta" at its 500th.
TEST_F(ReportRunTest, ProgressCountsWhatWasReadAgainstWhatTheRunWillRead) {
    inOneTransaction(PAS::table, [&] {
        for (int i = 0; i < 120; ++i) {
            addService("Paslauga " + twoDigits(i / 100) + twoDigits(i % 100), "", "VNT.", "1", "21",
                       i < 30 ? 1 : 2);
        }
    });
    ReportRun process(SpPaslSar(), context);
    EXPECT_EQ(process.progressCaption(), "Formuojama ataskaita");
    process.start({});
    EXPECT_EQ(process.progressText(), "0% atlikta");
    process.advance();
    EXPECT_EQ(process.progressText(), "20% atlikta"); // 25 of 120
    while (process.advance()) {
    }
    EXPECT_EQ(process.progressText(), "100% atlikta");

    const ReportSpec definition = groupedServicesSpec(RunStyle::Report, "PAS:PaslGrpNr = 1");
    ReportRun report(definition, context);
    EXPECT_EQ(report.progressCaption(), "Formuoju ataskaitą...");
    report.start({});
    EXPECT_EQ(report.progressText(), "0% ");
    report.advance();
    EXPECT_EQ(report.progressText(), "83%"); // 25 of the 30 selected
    while (report.advance()) {
    }
    EXPECT_EQ(report.progressText(), "100%");
    EXPECT_EQ(report.recordsRead(), 30);
}

TEST_F(ReportRunTest, ThePercentRisesToAHundredAtTheLastRecord) {
    inOneTransaction(PAS::table, [&] {
        for (int i = 0; i < 530; ++i) {
            addService("P" + std::to_string(1000 + i), "", "VNT.", "1", "21");
        }
    });
    ReportRun run(SpPaslSar(), context);
    run.start({});
    std::vector<int> shown;
    while (run.advance()) {
        shown.push_back(run.percent());
    }
    EXPECT_EQ(shown.at(19), 94); // 500 of 530
    EXPECT_EQ(run.progressText(), "100% atlikta");
    EXPECT_TRUE(std::is_sorted(shown.begin(), shown.end()));
}

TEST_F(ReportRunTest, EachStepStartsAgainAfterItsPositionSeeingWhatOthersWroteMeanwhile) {
    inOneTransaction(PAS::table, [&] {
        for (int i = 10; i < 40; ++i) {
            addService("B" + std::to_string(i), "", "VNT.", "1", "21");
        }
    });
    ReportRun run(SpPaslSar(), context);
    run.setPageObserver([this](const PageCanvas& page) { drawn.push_back(page); });
    run.start({});
    ASSERT_TRUE(run.advance()); // B10 .. B34

    // Another station adds one service behind the run's position and one ahead of it.
    Context other(database);
    Table& services = other.table(PAS::table);
    services.open();
    for (const char* name : {"A00", "B99"}) {
        services.clear();
        ASSERT_TRUE(services.record().set(PAS::Pav, name));
        ASSERT_EQ(services.add(), StoreStatus::Ok);
    }
    services.close();

    while (run.advance()) {
    }
    const auto texts = allTexts();
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "A00"), 0);
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "B99"), 1);
    EXPECT_EQ(run.recordsRead(), 31);
}

TEST_F(ReportRunTest, PeriodFilterReadsTheGlobalParametersAndAReversedPeriodSelectsNothing) {
    Table& payments = context.table(MOK::table);
    payments.open();
    for (const auto& [number, day] : {std::pair{1, 1}, {2, 15}, {3, 31}}) {
        payments.clear();
        payments.record().set(MOK::IrasoNr, number);
        payments.record().set(MOK::MokDt, dateFromYmd(2026, 3, day));
        ASSERT_EQ(payments.add(), StoreStatus::Ok);
    }
    payments.close();
    const ReportSpec definition = paymentsInPeriod();

    Globals march;
    march.PrDt = dateFromYmd(2026, 3, 2);
    march.GalDt = dateFromYmd(2026, 3, 31);
    ReportRun run(definition, context);
    runToEnd(run, march);
    EXPECT_EQ(allTexts(), (std::vector<std::string>{"2026-03-15", "2026-03-31"}));

    Globals reversed;
    reversed.PrDt = dateFromYmd(2026, 3, 31);
    reversed.GalDt = dateFromYmd(2026, 3, 1);
    ReportRun nothing(definition, context);
    drawn.clear();
    runToEnd(nothing, reversed);
    EXPECT_EQ(nothing.state(), ReportRun::State::Done);
    EXPECT_EQ(nothing.recordsRead(), 0);
    EXPECT_FALSE(nothing.showsPreview());
    EXPECT_TRUE(drawn.empty());
}

TEST_F(ReportRunTest, APageThatCannotBeWrittenStopsTheRunWithTheSaveMessage) {
    addService("Pirtis", "", "VAL.", "30", "21");
    ReportRun run(SpPaslSar(), context, folder.path() / "no such folder");
    runToEnd(run);
    EXPECT_EQ(run.state(), ReportRun::State::Failed);
    EXPECT_FALSE(run.showsPreview());
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_NE(messages.shown()[0].text.find("no such folder"), std::string::npos) << messages.shown()[0].text;
}

TEST_F(ReportRunTest, AFilterTheStoreCannotRunShowsItsWarningAndSelectsNothing) {
    addService("Pirtis", "", "VAL.", "30", "21", 1);
    const ReportSpec definition = groupedServicesSpec(RunStyle::Process, "PAS:Nera = 1");
    ReportRun run(definition, context);
    runToEnd(run);
    EXPECT_EQ(run.state(), ReportRun::State::Done);
    EXPECT_EQ(run.recordsRead(), 0);
    EXPECT_FALSE(run.showsPreview());
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].title, "(VIEW) atidarymo klaida");
}

TEST_F(ReportRunTest, ASubjectsFieldsAreBoundByNameFromTheGivenRecordOrElseTheBuffer) {
    addService("Kava", "", "VNT.", "1", "21", 1);
    addService("Pirtis", "", "VAL.", "30", "21", 3);
    addService("Baseinas", "", "VAL.", "5", "21", 3);
    ReportSpec definition =
        groupedServicesSpec(RunStyle::Process, "PAS:PaslGrpNr = Report:Save::PAS:PaslGrpNr");
    definition.subject = ReportSubject{PAS::table, "Report:Save::", {"PAS:PaslGrpNr"}};
    const auto services = [&](const Record* given) {
        drawn.clear();
        ReportRun run(definition, context);
        if (given != nullptr) {
            run.setSubject(*given);
        }
        runToEnd(run);
        std::vector<std::string> names;
        for (const std::string& text : allTexts()) {
            if (text == "Kava" || text == "Pirtis" || text == "Baseinas") {
                names.push_back(text);
            }
        }
        return names;
    };
    // The caller's buffer holds a service of group 3; the run's own reads move the buffer meanwhile.
    Record& buffer = context.table(PAS::table).record();
    buffer.clear();
    buffer.set(PAS::PaslGrpNr, 3);
    EXPECT_EQ(services(nullptr), (std::vector<std::string>{"Baseinas", "Pirtis"}));
    Record given(PAS::table);
    given.set(PAS::PaslGrpNr, 1);
    EXPECT_EQ(services(&given), (std::vector<std::string>{"Kava"}));
}

TEST_F(ReportRunTest, ARunThatSelectsNothingShowsTheReportsOwnMessageWhenItHasOne) {
    addService("Pirtis", "", "VAL.", "30", "21", 4);
    ReportSpec definition = groupedServicesSpec(RunStyle::Process, "PAS:PaslGrpNr = 9");
    definition.nothingSelected = "Nieko nėra.";
    ReportRun run(definition, context);
    runToEnd(run);
    EXPECT_FALSE(run.showsPreview());
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].text, "Nieko nėra.");
}

TEST_F(ReportRunTest, TablesAreClosedWhenTheRunEnds) {
    addService("Pirtis", "", "VAL.", "30", "21");
    ReportRun run(SpPaslSar(), context);
    runToEnd(run);
    EXPECT_FALSE(context.table(PAS::table).isOpen());
}

TEST(ReportCatalogTest, FindsTheReportsByName) {
    EXPECT_EQ(findReport("SpPaslSar"), &SpPaslSar());
    EXPECT_EQ(findReport("SpKliSar"), &SpKliSar());
    EXPECT_EQ(findReport("SpNera"), nullptr);
}

} // namespace nakva::testing
