#include "ReportCliTestSupport.h"

#include <sstream>

namespace nakva::testing {

namespace {

const char* const Services = "PAS:Pav,PAS:PAV1,PAS:MATVNT,PAS:KAINBEPVM,PAS:PVMPROC,PAS:KAINSUPVM\n"
                             "Pusryčiai,švediškas stalas,ŽMN.,10,21,12.1\n"
                             "Apgyvendinimas,,PARA,41.2844,9,45\n"
                             "Ąžuolo pirtis su čiužiniais,,VAL.,24.7934,21,30\n"
                             "Žvakės ir šviesos,ūkinės prekės,VNT.,2,21,2.42\n";

} // namespace

TEST_F(ReportCliTest, PriceListOfImportedServicesAsPdfWithEmbeddedFontsAndExactLithuanianText) {
    for (const char* tool : {"pdffonts", "pdftotext"}) {
        if (!installed(tool)) {
            GTEST_SKIP() << tool << " (poppler-utils) is not installed";
        }
    }
    ASSERT_EQ(cli("init").status, 0);
    std::ofstream(folder.path() / "paslaugos.csv") << Services;
    const Outcome imported = cli("import Paslaug " + quoted(folder.path() / "paslaugos.csv"));
    ASSERT_EQ(imported.status, 0) << imported.output;

    const fs::path pdf = folder.path() / "kainynas.pdf";
    const fs::path pages = folder.path() / "lapai";
    const Outcome reported = cli("report SpPaslSar --pdf " + quoted(pdf) + " --wmf-dir " + quoted(pages));
    ASSERT_EQ(reported.status, 0) << reported.output;

    const Outcome fonts = run("pdffonts " + quoted(pdf));
    ASSERT_EQ(fonts.status, 0) << fonts.output;
    // Below the two heading lines, one line per font: its "emb" column must say yes.
    int listed = 0;
    std::istringstream lines(fonts.output);
    std::string line;
    std::getline(lines, line);
    std::getline(lines, line);
    while (std::getline(lines, line)) {
        ++listed;
        EXPECT_NE(line.find(" yes "), std::string::npos) << "not embedded: " << line;
    }
    EXPECT_GT(listed, 0) << fonts.output;

    const Outcome text = run("pdftotext " + quoted(pdf) + " -");
    ASSERT_EQ(text.status, 0) << text.output;
    for (const char* expected :
         {"PREKIŲ-PASLAUGŲ SĄRAŠAS", "Pavadinimas", "Mato vnt", "Kaina be PVM", "PVM %", "Kaina su PVM",
          "Apgyvendinimas", "Ąžuolo pirtis su čiužiniais", "Pusryčiai", "švediškas stalas",
          "Žvakės ir šviesos", "ūkinės prekės", "ŽMN.", "41.2844", "12.1000", "Lapas 1", "Sudarė:"}) {
        EXPECT_NE(text.output.find(expected), std::string::npos) << expected << " not in:\n" << text.output;
    }

    ASSERT_TRUE(fs::exists(pages / "SpPaslSar0001.wmf"));
    if (installed("wmf2svg")) {
        for (const auto& page : fs::directory_iterator(pages)) {
            const Outcome checked = run("wmf2svg --wmf-diagnostics -o " + quoted(folder.path() / "page.svg") +
                                        " " + quoted(page.path()));
            if (checked.output.find("failed to load *any* font") != std::string::npos) {
                GTEST_SKIP() << "wmf2svg finds no fonts (fonts-urw-base35 is not installed)";
            }
            EXPECT_EQ(checked.status, 0) << checked.output;
            EXPECT_EQ(checked.output.find("ERROR"), std::string::npos) << checked.output;
        }
    }
}

TEST_F(ReportCliTest, OccupancyAndIncomeStatisticsOfImportedStaysAsPdf) {
    if (!installed("pdftotext")) {
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    }
    ASSERT_EQ(cli("init").status, 0);
    const std::pair<const char*, const char*> tables[] = {
        {"KmbTipai", "KTIP:KambarioTipas\nDvivietis\nVienvietis\n"},
        {"Valstyb", "VAL:Valstybe\nLietuva\nLatvija\n"},
        {"Kamb", "KMB:KambarioID,KMB:KambarioNr,KMB:KambarioTipas,KMB:KAMBARIOGYVENTOJUSKC\n"
                 "1,201,Dvivietis,2\n2,202,Dvivietis,2\n3,101,Vienvietis,1\n"},
        {"Saskait",
         "SAS:IrasoNr,SAS:IrasoDt,SAS:Gyventojas,SAS:GYVENTOJOVALSTYBE,SAS:GYVENTOJUSKC,SAS:GyvenaNuo,"
         "SAS:GyvenaIki,SAS:BSUMA,SAS:PVMSUMA,SAS:BSUMASUPVM\n"
         "1,2026-02-28,Ona Onaitė,Lietuva,2,2026-02-28,2026-03-03,100,21,121\n"
         "2,2026-03-10,Janis Berzins,Latvija,1,2026-03-10,2026-03-15,50,10.50,60.50\n"},
        {"SaskKmb", "SKMB:IrasoNr,SKMB:KambarioID,SKMB:KambarioGyventojuSkc\n1,1,2\n2,3,1\n"},
    };
    importTables(tables);
    if (HasFatalFailure()) {
        return;
    }
    const std::string march = "--from 2026-03-01 --to 2026-03-31";
    struct Expected {
        const char* report;
        std::vector<const char*> texts;
    };
    const Expected expected[] = {
        // Kambarių, Dienų, Kambariai x Dienos, Išnaudota, Užimtumo %: Dvivietis has 2 rooms and 2 nights
        // used (28 Feb - 3 Mar), Vienvietis 1 room and 5 nights; "Iš viso:" all 3 rooms.
        {"SpStatUzimt",
         {"KAMBARIŲ UŽIMTUMO SUVESTINĖ (pagal tipus)", "Periodas: 2026-03-01 : 2026-03-31",
          "Kambario tipas Kambarių Dienų Kambariai x Dienos Išnaudota Užimtumo %", "Dvivietis 2 31 62 2 3.23",
          "Vienvietis 1 31 31 5 16.13", "Iš viso: 3 31 93 7 7.53", "Lapas: 1", "Sudarė:"}},
        // GyvSkč, Lovadn, Be PVM*, PVM*, Su PVM*: Lietuva has 2 of the 3 nights of 100.00 / 121.00,
        // Latvija the whole 50.00 / 60.50.
        {"SpStatPajValst",
         {"PAJAMŲ SUVESTINĖ PAGAL VALSTYBES*", "Valstybė GyvSkč Lovadn Be PVM* PVM* Su PVM*",
          "Latvija 1 5 50.00 10.50 60.50", "Lietuva 2 4 66.67 14.00 80.67",
          "Iš viso: Nakvynių: 7 3 9 116.67 24.50 141.17",
          "* pajamos priskaičiuojamos proporcingai nakvynių skaičiui periode"}},
        {"SpStatPajValstDet",
         {"PAJAMŲ ŽINIARAŠTIS PAGAL VALSTYBES*", "Valstybė: Lietuva", "Ona Onaitė", "80.67"}},
        {"SpStatPajGrup", {"PAJAMŲ SUVESTINĖ PAGAL GYVENTOJŲ GRUPES*", "141.17"}},
        {"SpStatPajGrupDet", {"PAJAMŲ ŽINIARAŠTIS PAGAL GYVENTOJŲ GRUPES*", "Janis Berzins", "60.50"}},
    };
    for (const Expected& e : expected) {
        expectInPdf(e.report, march, e.texts);
    }
    expectInPdf("SpKmbUzimtZin", "--to 2026-03-12",
                {"KAMBARIŲ UŽIMTUMO ŽINIARAŠTIS", "Data: 2026-03-12", "Vietų", "Užimta", "Laisva"});
}

TEST_F(ReportCliTest, JournalsResidentListsAndGuestStatisticsOfImportedStaysAsPdf) {
    if (!installed("pdftotext")) {
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    }
    ASSERT_EQ(cli("init").status, 0);
    // Ona Onaitė's registration holds two rooms and was paid in two payments; Janis Berzins has
    // departed and paid nothing.
    const std::pair<const char*, const char*> tables[] = {
        {"Grupes", "GRP:Grupe\nEkskursija\nVerslas\n"},
        {"Valstyb", "VAL:Valstybe\nLietuva\nLatvija\n"},
        {"Kamb", "KMB:KambarioID,KMB:KambarioKorpusas,KMB:KambarioAukstas,KMB:KambarioNr\n"
                 "1,A,2,201\n2,A,1,105\n3,B,1,101\n"},
        {"Saskait",
         "SAS:IrasoNr,SAS:IrasoDt,SAS:Gyventojas,SAS:GYVENTOJOAK,SAS:GYVENTOJOVALSTYBE,SAS:GyventojoGrupe,"
         "SAS:MOKEJIMOBUDAS,SAS:GYVENTOJUSKC,SAS:GyvenaNuo,SAS:GyvenaIki,SAS:GYVENAPARU,SAS:GYVENALOVADIENIU,"
         "SAS:KAMBARIAI,SAS:BSUMA,SAS:PVMSUMA,SAS:BSUMASUPVM,SAS:Isvykes\n"
         "1,2026-03-03,Ona Onaitė,48501010000,Lietuva,Ekskursija,GRYNAIS,2,2026-03-03,2026-03-06,3,6,"
         "\"201, 101\",100,21,121,0\n"
         "2,2026-03-10,Janis "
         "Berzins,,Latvija,Verslas,KORTELE,1,2026-03-10,2026-03-15,5,5,105,50,10.50,60.50,1\n"},
        {"SaskKmb", "SKMB:IrasoNr,SKMB:KambarioID,SKMB:KambarioGyventojuSkc\n1,1,1\n1,3,1\n2,2,1\n"},
        {"Mokej", "MOK:IrasoNr,MOK:SaskIrasoNr,MOK:MOKSUMA\n1,1,100.00\n2,1,21.00\n"},
    };
    importTables(tables);
    if (HasFatalFailure()) {
        return;
    }

    const std::string march = "--from 2026-03-01 --to 2026-03-31";
    struct Expected {
        const char* report;
        std::string parameters;
        std::vector<const char*> texts;
    };
    const Expected expected[] = {
        // Gyv. skaičius, Parų, Lovd: the entries' and their sums.
        {"SpZurnala",
         march,
         {"REGISTRACIJOS ŽURNALAS", "Periodas: 2026-03-01 : 2026-03-31",
          "Data Kambariai Klientas Svečias Atv. data Išv. data Gyv. skaičius Parų Lovd Pastabos",
          "2026-03-03 201, 101 Apm.: GRYNAIS Ona Onaitė 2026-03-03 2026-03-06 2 3 6", "a.k. 48501010000",
          "Iš viso: 2 3 8 11", "Lapas 1"}},
        {"SpZurnala",
         march + " --group Verslas",
         {"Gyventojų grupė: Verslas", "Janis Berzins", "Iš viso: 1 1 5 5"}},
        // Apm.: the sum of two payments, nothing paid, and the report's total.
        {"SpZurnala2",
         march,
         {"Apm.: 121.00 Ona Onaitė", "Ekskursija", "Apm.: 0.00 Janis Berzins",
          "Iš viso: 2 Apm.: 121.00 3 8 11"}},
        {"SpGyventSarasa", march, {"GYVENTOJŲ SĄRAŠAS", "RegData", "Grupe.: Verslas", "Iš viso: 2 3 8"}},
        // A line for each room: A-1-105, A-2-201, B-1-101.
        {"SpSarIsvykst",
         march,
         {"IŠVYKSTANČIŲ GYVENTOJŲ SĄRAŠAS", "26-03-10 2 Janis Berzins A 1 105 26-03-10 26-03-15 1",
          "26-03-03 1 Ona Onaitė A 2 201", "26-03-03 1 Ona Onaitė B 1 101", "Iš viso: 3", "Sudarė:"}},
        // Žmonių skč., Lovadienių, Be PVM, Su PVM, PVM.
        {"SpStatValst",
         march,
         {"STATISTIKA PAGAL VALSTYBES*", "Valstybė Žmonių skč. Lovadienių Be PVM Su PVM PVM",
          "Latvija 1 5 50.00 60.50 10.50", "Lietuva 2 6 100.00 121.00 21.00",
          "Iš viso: 3 11 150.00 181.50 31.50", "* statistika skaičiuojama pagal registracijos datą"}},
        {"SpStatValstDet",
         march,
         {"STATISTIKA PAGAL VALSTYBES DETALI*", "2 6 Ona Onaitė 1 2026-03-03 121.00"}},
        {"SpStatGrup", march, {"STATISTIKA PAGAL GYVENTOJŲ GRUPES*", "Verslas 1 5 50.00 60.50 10.50"}},
        {"SpStatGrupDet", march, {"STATISTIKA PAGAL GYVENTOJŲ GRUPES DETALI*", "1 5 Iš viso 60.50"}},
        // Ona Onaitė counted once in her two rooms; Janis Berzins has departed.
        {"SpEinRegStatistika",
         "",
         {"NEIŠVYKUSIŲ GYVENTOJŲ STATISTIKA", "Ekskursija 2 3", "Iš viso kambarių: 3", "Užimtų: 2",
          "Laisvų: 1"}},
        {"SpEinRegSarasa",
         "",
         {"NEIŠVYKUSIŲ GYVENTOJŲ SARAŠAS", "Ona Onaitė 2 3 2026-03-03 2026-03-06 201, 101"}},
    };
    for (const Expected& e : expected) {
        expectInPdf(e.report, e.parameters, e.texts);
    }
    EXPECT_EQ(pdfText("SpZurnala", march + " --group Verslas").find("Ona Onaitė"), std::string::npos);

    // A group the groups' file does not hold.
    const Outcome unknown =
        cli("report SpZurnala " + march + " --group Nėra --pdf " + quoted(folder.path() / "x.pdf"));
    EXPECT_EQ(unknown.status, 1);
    EXPECT_NE(unknown.output.find("Parametro --group reikšmės „Nėra“ nėra faile"), std::string::npos)
        << unknown.output;
}

// Room types, rooms, stays and cleanings imported as an administrator would, the types first since the
// rooms name them: room 101 was cleaned on its guest's departure day, 102 after it; 201 is occupied
// from the 20th into January.
TEST_F(ReportCliTest, RoomServiceReportsOfImportedRoomsAsPdf) {
    if (!installed("pdftotext")) {
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    }
    ASSERT_EQ(cli("init").status, 0);
    const std::pair<const char*, const char*> tables[] = {
        {"KmbTipai", "KambarioTipas\nDvivietis\nVienvietis\n"},
        {"Kamb", "KMB:KambarioID,KMB:KambarioKorpusas,KMB:KambarioAukstas,KMB:KambarioNr,KMB:KambarioTipas,"
                 "KMB:KAMBARIOGYVENTOJUSKC\n"
                 "1,A,1,101,Dvivietis,2\n2,A,1,102,DVIVIETIS,2\n3,A,2,201,Vienvietis,1\n"},
        {"Saskait", "SAS:IrasoNr,SAS:GyvenaNuo,SAS:GyvenaIki,SAS:Isvykes\n"
                    "1,2026-11-28,2026-12-03,1\n2,2026-12-05,2026-12-09,1\n3,2026-12-20,2027-01-04,0\n"},
        {"SaskKmb", "SKMB:IrasoNr,SKMB:KambarioID,SKMB:KambarioKaina,SKMB:KambarioGyventojuSkc\n"
                    "1,1,45.50,2\n2,2,45.50,2\n3,3,30,1\n"},
        {"KmbVal",
         "KVAL:IrasoID,KVAL:IrasoDt,KVAL:KambarioID,KVAL:KIEKIS\n1,2026-12-03,1,2\n2,2026-12-10,2,2\n"},
    };
    ASSERT_NO_FATAL_FAILURE(importTables(tables));

    const fs::path unprepared = folder.path() / "nep.pdf";
    const Outcome listed = cli("report SpNepKmbSar --pdf " + quoted(unprepared));
    ASSERT_EQ(listed.status, 0) << listed.output;
    const Outcome unpreparedText = run("pdftotext " + quoted(unprepared) + " -");
    for (const char* expected :
         {"NEPARUOŠTŲ KAMBARIŲ SĄRAŠAS", "Kambarys", "Paskutinio", "išvykimo data", "valymo data",
          "DVIVIETIS", "101", "2026-12-03", "Iš viso:", "Sudarė:", "Lapas 1"}) {
        EXPECT_NE(unpreparedText.output.find(expected), std::string::npos) << expected << " not in:\n"
                                                                           << unpreparedText.output;
    }
    EXPECT_EQ(unpreparedText.output.find("102"), std::string::npos) << unpreparedText.output;

    const fs::path statistics = folder.path() / "stat.pdf";
    const Outcome counted =
        cli("report SpKmbStat --from 2026-12-01 --to 2026-12-31 --pdf " + quoted(statistics));
    ASSERT_EQ(counted.status, 0) << counted.output;
    const Outcome statisticsText = run("pdftotext " + quoted(statistics) + " -");
    for (const char* expected :
         {"KAMBARIŲ APTARNAVIMO IR PAJAMŲ STATISTIKA", "Periodas: 2026-12-01 : 2026-12-31", "Valymų",
          "Gyventojų", "Lovadienių", "Patalynės", "Rankšluosčių", "Pajamų", "Irašų", "VIENVIETIS", "360.00",
          "633.00"}) {
        EXPECT_NE(statisticsText.output.find(expected), std::string::npos) << expected << " not in:\n"
                                                                           << statisticsText.output;
    }
}

TEST_F(ReportCliTest, NothingIsWrittenWhenTheReportSelectsNothing) {
    ASSERT_EQ(cli("init").status, 0);
    const fs::path pdf = folder.path() / "mok.pdf";
    const Outcome reported = cli("report SpKliSar --pdf " + quoted(pdf));
    EXPECT_EQ(reported.status, 1);
    EXPECT_NE(reported.output.find("Nėra duomenų, tenkinančių ataskaitos sąlygas"), std::string::npos)
        << reported.output;
    EXPECT_FALSE(fs::exists(pdf));
}

TEST_F(ReportCliTest, WrongCommandLinesAreRefusedWithAReason) {
    struct Case {
        const char* arguments;
        const char* reason;
    };
    const Case cases[] = {
        {"report SpNera --pdf x.pdf", "Nėra ataskaitos „SpNera“. Ataskaitos: SpPaslSar, SpKliSar,"},
        {"report SpPaslSar", "--pdf FAILAS ir (ar) --wmf-dir APLANKAS"},
        {"report SpPaslSar --from 2026-01-01 --pdf x.pdf", "neturi parametro --from."},
        {"report SpSaskSuvData --registration 1 --pdf x.pdf", "neturi parametro --registration"},
        {"report SpDidSask --pdf x.pdf", "Ataskaitai SpDidSask reikia parametro --registration NR."},
        {"report SpDidSask --registration x --pdf x.pdf", "Parametro --registration reikšmė „x“ netinka"},
        {"report SpSaskSuvData --from 2026-13-01 --pdf x.pdf", "Parametro --from data netinka"},
        {"report", "netinka tiek argumentų"},
    };
    for (const Case& c : cases) {
        const Outcome outcome = cli(c.arguments);
        EXPECT_EQ(outcome.status, 2) << c.arguments;
        EXPECT_NE(outcome.output.find(c.reason), std::string::npos) << c.arguments << ": " << outcome.output;
    }
}

const std::pair<const char*, const char*> Invoices[] = {
    {"Paslaug", "PAS:Pav,PAS:MATVNT\nApgyvendinimas,PARA\nPusryčiai,ŽMN.\n"},
    {"Klient", "KLI:Kod,KLI:PAV,KLI:ADR\nUAB1,UAB „Šiaurės vėjas“,\"Gedimino pr. 1, Vilnius\"\n"},
    {"Saskait",
     "SAS:IrasoNr,SAS:SaskSer,SAS:SaskNr,SAS:SaskDt,SAS:KliKod,SAS:BSUMA,SAS:PVMSUMA,SAS:BSUMASUPVM,"
     "SAS:ISSIUSTA\n"
     "1,AB,15,2026-12-07,UAB1,100.00,9.00,109.00,1\n"
     "2,ab,15,2026-12-07,UAB1,20.00,4.20,24.20,0\n"
     "3,CD,2,2026-11-30,,5.00,1.05,6.05,0\n"},
    {"Saskeil",
     "SEI:SEILID,SEI:IrasoNr,SEI:PasPav,SEI:MATVNT,SEI:KIEKIS,SEI:SUMABEPVM,SEI:PVMPROC,SEI:PVMSUMA,"
     "SEI:SUMA\n"
     "1,1,Apgyvendinimas,PARA,2,100.00,9,9.00,109.00\n"
     "2,2,Pusryčiai,ŽMN.,2.5,20.00,21,4.20,24.20\n"},
};

TEST_F(ReportCliTest, InvoiceOfAnImportedRegistrationAndTheRegisterOfAPeriodAsPdf) {
    if (!installed("pdftotext")) {
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    }
    ASSERT_EQ(cli("init").status, 0);
    importTables(Invoices);
    if (HasFatalFailure()) {
        return;
    }

    const fs::path invoice = folder.path() / "saskaita.pdf";
    Outcome reported = cli("report SpDidSask --registration 2 --pdf " + quoted(invoice));
    ASSERT_EQ(reported.status, 0) << reported.output;
    // The layout keeps each line's texts together; it shortens runs of blanks, so the spaced-out title
    // is checked on the page itself (InvoiceTest).
    Outcome text = run("pdftotext -layout " + quoted(invoice) + " -");
    ASSERT_EQ(text.status, 0) << text.output;
    for (const char* expected : {"Serija AB Nr. 15", "UAB „Šiaurės vėjas“", "Apgyvendinimas", "Pusryčiai",
                                 "2.500", "8.0000", "PVM suma ( 9% ):", "PVM suma ( 21% ):", "133.20",
                                 "Suma žodžiais : Vienas šimtas trisdešimt trys eurai 20 centų."}) {
        EXPECT_NE(text.output.find(expected), std::string::npos) << expected << " not in:\n" << text.output;
    }

    // The summary form's one line names what --service-name gives.
    const fs::path summary = folder.path() / "suminė.pdf";
    reported = cli("report SpDidSaskSum --registration 1 --service-name 'Konferencijos paslaugos' --pdf " +
                   quoted(summary));
    ASSERT_EQ(reported.status, 0) << reported.output;
    text = run("pdftotext -layout " + quoted(summary) + " -");
    EXPECT_NE(text.output.find("Konferencijos paslaugos"), std::string::npos) << text.output;
    EXPECT_NE(text.output.find("Suma žodžiais : Vienas šimtas trisdešimt trys eurai 20 centų."),
              std::string::npos)
        << text.output;

    const fs::path book = folder.path() / "suvestine.pdf";
    reported = cli("report SpSaskSuvData --from 2026-12-01 --to 2026-12-31 --pdf " + quoted(book));
    ASSERT_EQ(reported.status, 0) << reported.output;
    text = run("pdftotext -layout " + quoted(book) + " -");
    for (const char* expected :
         {"SĄSKAITŲ SUVESTINĖ", "2026-12-01 : 2026-12-31", "120.00", "13.20", "133.20"}) {
        EXPECT_NE(text.output.find(expected), std::string::npos) << expected << " not in:\n" << text.output;
    }
    EXPECT_EQ(text.output.find("6.05"), std::string::npos) << "November's invoice:\n" << text.output;

    const Outcome missing = cli("report SpDidSask --registration 9 --pdf " + quoted(invoice));
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.output.find("Faile DATA/Saskait.tps nėra įrašo SAS:IrasoNr = 9."), std::string::npos)
        << missing.output;
    const Outcome noLines = cli("report SpDidSask --registration 3 --pdf " + quoted(folder.path() / "x.pdf"));
    EXPECT_EQ(noLines.status, 1);
    EXPECT_NE(noLines.output.find("Sąskaitoje nėra nė vienos eilutės"), std::string::npos) << noLines.output;
}

const std::pair<const char*, const char*> ServicesAndPayments[] = {
    {"PaslGrp", "PGRP:IrasoNr,PGRP:GrpPav\n1,Maitinimas\n"},
    {"Paslaug", "PAS:Pav,PAS:PAV1,PAS:PaslGrpNr,PAS:MATVNT,PAS:KAINSUPVM\n"
                "Pusryčiai,švediškas stalas,1,ŽMN.,12.1\nPirtis,,0,VAL.,30\n"},
    {"Klient",
     "KLI:Kod,KLI:PAV,KLI:ATS,KLI:ADR\nUAB1,UAB „Šiaurės vėjas“,Ona Vadovė,\"Gedimino pr. 1, Vilnius\"\n"},
    {"MokBudai", "MOK1:MokBudoID,MOK1:MOKBUDOPAV\n1,GRYNAIS\n2,KORTELE\n"},
    {"Saskait",
     "SAS:IrasoNr,SAS:IrasoDt,SAS:Gyventojas,SAS:SaskSer,SAS:SaskNr,SAS:SaskDt,SAS:KliKod,SAS:BSUMA,"
     "SAS:PVMSUMA,SAS:BSUMASUPVM,SAS:KAMBARIAI\n"
     "1,2026-12-01,Ona Onaitė,AB,15,2026-12-01,UAB1,100,21,121,201\n"
     "2,2026-12-02,Jonas Jonaitis,,16,2026-12-02,UAB1,50,10.50,60.50,202\n"},
    {"Saskeil", "SEI:SEILID,SEI:IrasoNr,SEI:PasPav,SEI:KAINA,SEI:KIEKIS,SEI:SUMA\n"
                "1,1,Pusryčiai,12.1,5,60.50\n2,2,Pirtis,30,1,30\n3,2,Pusryčiai,3.3333,1.5,5\n"},
    {"Seilgraf",
     "SEIG:SEILGID,SEIG:SEILID,SEIG:Data,SEIG:KIEKIS\n"
     "1,1,2026-12-01,2\n2,1,2026-12-02,2\n3,1,2026-12-03,1\n4,2,2026-12-02,1\n5,3,2026-12-04,1.5\n"},
    {"Mokej", "MOK:IrasoNr,MOK:SaskIrasoNr,MOK:MokDt,MOK:MOKSUMA,MOK:MokejimoBudas,MOK:KOMENTARAI\n"
              "1,1,2026-12-03,121,2,Kortele\n2,2,2026-12-02,30,1,\n3,2,2026-12-05,30.50,1,Likutis\n"},
};

TEST_F(ReportCliTest, ServiceAndPaymentReportsOfImportedDataAsPdf) {
    if (!installed("pdftotext")) {
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    }
    ASSERT_EQ(cli("init").status, 0);
    ASSERT_NO_FATAL_FAILURE(importTables(ServicesAndPayments));
    const std::string december = "--from 2026-12-01 --to 2026-12-31";
    struct Expected {
        const char* report;
        std::string parameters;
        std::vector<const char*> texts;
    };
    const Expected expected[] = {
        // Ona's line: 2 + 2 + 1 at 12.10; Jonas's: 1.5 at 3.3333, 5.00 to the cent; 6.5 for 65.50 in all.
        {"SpPaslZin",
         december + " --service Pusryčiai",
         {"EINAMASIS PASLAUGOS ŽINIARAŠTIS", "Periodas: 2026-12-01 : 2026-12-31", "Pusryčiai",
          "2026-12-01 Ona Onaitė 5.000 12.1000 60.50 201", "2026-12-01 2026-12-03",
          "2026-12-02 Jonas Jonaitis 1.500 3.3333 5.00 202", "Sudarė: 6.500 10.0769 65.50"}},
        {"SpPaslSuvF2",
         december + " --service-group 1 --without-prices",
         {"EINAMOJI PASLAUGŲ SUVESTINĖ (PAGAL FAKTĄ)", "Paslaugų grupė: Maitinimas Be kainų",
          "Pusryčiai 6.500", "Iš viso: 6.500"}},
        {"SpPaslKn",
         december + " --service Pusryčiai",
         {"PASLAUGOS KNYGA", "Pusryčiai švediškas stalas", "2026-12-01 AB 15 5.000 12.1000 60.50",
          "2026-12-02 16 1.500 3.3333 5.00", "Sudarė: 6.500 65.50"}},
        // GRYNAIS: 30.00 and 30.50; KORTELE: 121.00; 181.50 in all.
        {"SpApmZin",
         december,
         {"APMOKĖJIMO ŽINIARAŠTIS A1", "1 GRYNAIS", "2026-12-02 2 30.00 2026-12-02 2",
          "2026-12-05 3 30.50 Likutis 2026-12-02 2", "Iš viso: 60.50", "2 KORTELE",
          "2026-12-03 1 121.00 Kortele 2026-12-01 1", "Iš viso: 121.00", "Iš viso : 181.50"}},
        {"SpApmZin2", december, {"APMOKĖJIMO ŽINIARAŠTIS A2", "Jonas Jonaitis", "Iš viso : 181.50"}},
        {"SpKlientKn",
         december + " --payer uab1",
         {"KLIENTO SĄSKAITŲ SUVESTINĖ", "UAB1 UAB „Šiaurės vėjas“", "2026-12-01 AB 15 100.00 21.00 121.00",
          "Sudarė: 150.00 31.50 181.50"}},
        {"SpKlientAdr", "--payer UAB1", {"Ona Vadovė", "UAB „Šiaurės vėjas“", "Gedimino pr. 1, Vilnius"}},
    };
    for (const Expected& e : expected) {
        const std::string text = pdfText(e.report, e.parameters);
        for (const char* wanted : e.texts) {
            EXPECT_NE(text.find(wanted), std::string::npos) << e.report << ": " << wanted << " not in:\n"
                                                            << text;
        }
    }
    const Outcome missing = cli("report SpPaslKn " + december + " --pdf " + quoted(folder.path() / "x.pdf"));
    EXPECT_EQ(missing.status, 2);
    EXPECT_NE(missing.output.find("Ataskaitai SpPaslKn reikia parametro --service PAVADINIMAS."),
              std::string::npos)
        << missing.output;
}

TEST_F(ReportCliTest, HelpOfAReportListsWhatItTakes) {
    struct Case {
        const char* report;
        std::vector<const char*> lines;
    };
    const Case cases[] = {
        {"SpDidSask",
         {"„Didžioji sąskaita F1“", "report SpDidSask --registration NR [--pdf", "--registration NR"}},
        {"SpDidSaskSum", {"--registration NR [--service-name TEKSTAS]", "Viešbučio paslaugos"}},
        {"SpSaskSuvData", {"[--from DATA] [--to DATA]"}},
        {"SpPaslSar", {"Ataskaita parametrų neturi."}},
        // The record a book is about is required; the ledger's service is a dialog's field, optional.
        {"SpPaslKn", {"report SpPaslKn --service PAVADINIMAS [--from DATA] [--to DATA] [--pdf"}},
        {"SpKlientKn", {"report SpKlientKn --payer KODAS [--from DATA] [--to DATA] [--pdf"}},
        {"SpPaslZin",
         {"[--service PAVADINIMAS] [--from DATA] [--to DATA] [--include-departed] [--without-prices]"}},
    };
    for (const Case& c : cases) {
        const Outcome help = cli(std::string("report ") + c.report + " --help");
        EXPECT_EQ(help.status, 0) << c.report;
        for (const char* line : c.lines) {
            EXPECT_NE(help.output.find(line), std::string::npos) << line << " not in:\n" << help.output;
        }
    }
    const Outcome all = cli("report --help");
    EXPECT_NE(all.output.find("SpSaskSuvData     Sąskaitų suvestinė pagal datas"), std::string::npos)
        << all.output;
}

} // namespace nakva::testing
