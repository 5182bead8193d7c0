#pragma once

// `nakva-cli report` on a fresh data folder, as an administrator would run it: the program itself in
// a process of its own, its PDF read back with poppler's tools.
#include "data/StoreTestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include <sys/wait.h>

namespace nakva::testing {

namespace fs = std::filesystem;

inline bool installed(const char* tool) {
    return std::system(("command -v " + std::string(tool) + " > /dev/null 2>&1").c_str()) == 0;
}

inline std::string quoted(const fs::path& path) {
    return "'" + path.string() + "'";
}

// A command's standard output (its error output joined), and its exit status.
struct Outcome {
    int status = -1;
    std::string output;
};

inline Outcome run(const std::string& command) {
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

    // Each table's CSV text imported as an administrator would load it.
    void importTables(std::span<const std::pair<const char*, const char*>> tables) {
        for (const auto& [table, rows] : tables) {
            const fs::path file = folder.path() / (std::string(table) + ".csv");
            std::ofstream(file) << rows;
            const Outcome imported = cli("import " + std::string(table) + " " + quoted(file));
            ASSERT_EQ(imported.status, 0) << table << ": " << imported.output;
        }
    }

    // A report's PDF text line by line as the page lays it out, each run of blanks made one.
    std::string pdfText(const std::string& report, const std::string& parameters) {
        const fs::path pdf = folder.path() / (report + ".pdf");
        const Outcome reported = cli("report " + report + " " + parameters + " --pdf " + quoted(pdf));
        EXPECT_EQ(reported.status, 0) << report << ": " << reported.output;
        std::string text;
        for (const char c : run("pdftotext -layout " + quoted(pdf) + " -").output) {
            if (c != ' ' || (!text.empty() && text.back() != ' ' && text.back() != '\n')) {
                text += c;
            }
        }
        return text;
    }

    // Each of `texts` stands in the text of the report's PDF.
    void expectInPdf(const std::string& report, const std::string& parameters,
                     const std::vector<const char*>& texts) {
        const std::string text = pdfText(report, parameters);
        for (const char* wanted : texts) {
            EXPECT_NE(text.find(wanted), std::string::npos) << report << ": " << wanted << " not in:\n"
                                                            << text;
        }
    }
};

} // namespace nakva::testing
