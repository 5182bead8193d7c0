#include "data/StoreTestSupport.h"

#include "data/StoreMaintenance.h"

#include <array>
#include <cstdio>
#include <sys/wait.h>

namespace nakva {
namespace {

using testing::StoreTest;

struct ToolRun {
    int exitCode = -1;
    std::string output; // standard output and standard error
};

// The sqlite3 tool on a table file, with the extension loaded first when asked.
ToolRun sqliteTool(const std::filesystem::path& file, const std::string& sql, bool withExtension = true) {
    std::string command = "sqlite3 -batch";
#ifdef NAKVA_ASAN_RUNTIME
    // Built with AddressSanitizer, the extension loads only into a tool that has its runtime first.
    command = "LD_PRELOAD=" NAKVA_ASAN_RUNTIME " ASAN_OPTIONS=detect_leaks=0 " + command;
#endif
    if (withExtension) {
        command += " -cmd '.load " + std::string(NAKVA_SQLITE_EXTENSION_FILE) + "'";
    }
    command += " '" + file.string() + "' \"" + sql + "\" 2>&1";
    ToolRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return run;
    }
    std::array<char, 4096> buffer{};
    while (const std::size_t read = std::fread(buffer.data(), 1, buffer.size(), pipe)) {
        run.output.append(buffer.data(), read);
    }
    const int status = pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

class SqliteExtensionTest : public StoreTest {
protected:
    void SetUp() override {
        if (std::system("sqlite3 -version > /dev/null 2>&1") != 0) {
            GTEST_SKIP() << "the sqlite3 tool is not installed";
        }
        for (const char* country :
             {"Žemaitija", "Čekija", "airija", "Ąžuolynas", "Austrija", "Yra", "Jėga"}) {
            addRecord(TableId::Valstyb, {{"VAL:Valstybe", country}});
        }
    }
    std::filesystem::path countries() const { return database.filePath(TableId::Valstyb); }
};

TEST_F(SqliteExtensionTest, WithoutItACountAlongAKeyFails) {
    const ToolRun run = sqliteTool(countries(), "SELECT count(*) FROM Valstyb", false);
    EXPECT_NE(run.output.find("no such collation sequence: LT_NOCASE"), std::string::npos) << run.output;
}

TEST_F(SqliteExtensionTest, ReadsCountsAndOrdersAsTheProgram) {
    const std::pair<std::string, std::string> cases[] = {
        {"SELECT count(*) FROM Valstyb", "7\n"},
        {"SELECT Valstybe FROM Valstyb ORDER BY Valstybe COLLATE LT_NOCASE",
         "airija\nAustrija\nĄžuolynas\nČekija\nYra\nJėga\nŽemaitija\n"},
        {"SELECT LT_UPPER(Valstybe) FROM Valstyb WHERE Valstybe = 'ąžuolynas' COLLATE LT_NOCASE",
         "ĄŽUOLYNAS\n"},
        {"PRAGMA integrity_check", "ok\n"},
    };
    for (const auto& [sql, expected] : cases) {
        const ToolRun run = sqliteTool(countries(), sql);
        EXPECT_EQ(run.exitCode, 0) << sql << ": " << run.output;
        EXPECT_EQ(run.output, expected) << sql;
    }
}

// A change made in the tool leaves keys in the program's order: the full check finds nothing.
TEST_F(SqliteExtensionTest, AChangeKeepsTheKeysInOrder) {
    const ToolRun run = sqliteTool(
        countries(), "UPDATE Valstyb SET Valstybe = 'Šveicarija', _ver = _ver + 1 WHERE Valstybe = 'Yra'; "
                     "INSERT INTO Valstyb (Valstybe, _ver) VALUES ('Ėglija', 1)");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    const FileCheck check = checkFile(database, TableId::Valstyb);
    EXPECT_EQ(check.state, FileCheck::State::Ready) << check.error.text;
    EXPECT_EQ(storedColumn(TableId::Valstyb, "VAL:Valstybe"),
              (std::vector<std::string>{"airija", "Austrija", "Ąžuolynas", "Čekija", "Ėglija", "Jėga",
                                        "Šveicarija", "Žemaitija"}));
}

} // namespace
} // namespace nakva
