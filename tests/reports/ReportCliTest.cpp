#include "data/StoreTestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace nakva::testing {

namespace {

namespace fs = std::filesystem;

bool installed(const char* tool) {
    return std::system(("command -v " + std::string(tool) + " > /dev/null 2>&1").c_str()) == 0;
}

std::string quoted(const fs::path& path) {
    return "'" + path.string() + "'";
}

// A command's standard output (its error output joined), and its exit status.
struct Outcome {
    int status = -1;
    std::string output;
};

Outcome run(const std::string& command) {
    Outcome outcome;
    FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
    if (pipe == nullptr) {
        return outcome;
    }
    char buffer[4096];
    for (std::size_t read; (read = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        outcome.output.append(buffer, read);
    }
    const int status = ::pclose(pipe);
    outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return outcome;
}

// nakva-cli on a fresh data folder, as an administrator would run it.
class ReportCliTest : public ::testing::Test {
protected:
    TempFolder folder;

    Outcome cli(const std::string& arguments) {
        return run(std::string(NAKVA_CLI) + " " + arguments + " --dir " + quoted(folder.path()));
    }
};

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
        {"report SpNera --pdf x.pdf", "Nėra ataskaitos „SpNera“. Ataskaitos: SpPaslSar, SpKliSar."},
        {"report SpPaslSar", "--pdf FAILAS ir (ar) --wmf-dir APLANKAS"},
        {"report SpPaslSar --from 2026-01-01 --pdf x.pdf", "neturi periodo"},
        {"report", "netinka tiek argumentų"},
    };
    for (const Case& c : cases) {
        const Outcome outcome = cli(c.arguments);
        EXPECT_EQ(outcome.status, 2) << c.arguments;
        EXPECT_NE(outcome.output.find(c.reason), std::string::npos) << c.arguments << ": " << outcome.output;
    }
}

} // namespace nakva::testing
