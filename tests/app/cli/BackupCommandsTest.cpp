// nakva-cli backup and restore: their command lines, output and exit codes.
#include "CliTestSupport.h"
#include "maintenance/Backup.h"
#include "maintenance/FolderUse.h"

#include <fstream>
#include <iterator>

namespace nakva {
namespace {

class BackupCommandsTest : public testing::CliTest {
protected:
    // check on another folder than the test's own.
    int runCheck(const std::string& folder) {
        out.str({});
        messages.clear();
        return runCli(std::vector<std::string>{"check", "--dir", folder}, out);
    }
};

TEST_F(BackupCommandsTest, BackUpKeepAndRestore) {
    addRecord(TableId::Valstyb, {{"VAL:Valstybe", "Lietuva"}});
    const std::string to = (folder.path() / "kitas diskas").string();
    for (int i = 0; i < 2; ++i) {
        ASSERT_EQ(cli({"backup", "--to", to, "--keep", "1"}), ExitOk) << messages.texts().at(0);
    }
    const std::vector<std::filesystem::path> kept = listBackups(to);
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(out.str(),
              kept.front().string() + "\nAtsarginėje kopijoje failų: " + std::to_string(TableCount) + ".\n");

    addRecord(TableId::Valstyb, {{"VAL:Valstybe", "Latvija"}});
    {
        const FolderUse station(database, FolderUse::Kind::Shared);
        EXPECT_EQ(cli({"restore", kept.front().string()}), ExitFailed);
        ASSERT_EQ(messages.texts().size(), 1u);
        EXPECT_TRUE(messages.texts()[0].starts_with("Duomenys neatkurti: duomenis dabar naudoja"))
            << messages.texts()[0];
    }
    EXPECT_EQ(cli({"restore", kept.front().string()}), ExitOk);
    EXPECT_EQ(storedColumn(TableId::Valstyb, "VAL:Valstybe"), std::vector<std::string>{"Lietuva"});
}

// Backups started together (the program's first start of the day and a cron job, stations starting
// at once) each get a folder of their own, whole, in processes of their own.
TEST_F(BackupCommandsTest, BackupsStartedTogetherAreEachWhole) {
    ASSERT_EQ(cli({"init"}), ExitOk);
    addRecord(TableId::Valstyb, {{"VAL:Valstybe", "Lietuva"}});
    const std::string to = (folder.path() / "kopijos").string();
    const std::string log = (folder.path() / "kopijos.log").string();
    constexpr int Together = 8;
    std::vector<int> started;
    for (int i = 0; i < Together; ++i) {
        started.push_back(testing::startCli({"backup", "--to", to, "--dir", folder.path().string()}, log));
    }
    int succeeded = 0;
    for (const int pid : started) {
        succeeded += testing::waitHelper(pid) == ExitOk ? 1 : 0;
    }
    std::ifstream in(log);
    const std::string said((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(succeeded, Together) << said;
    std::vector<std::filesystem::path> made;
    for (const auto& entry : std::filesystem::directory_iterator(to)) {
        made.push_back(entry.path());
    }
    EXPECT_EQ(made.size(), std::size_t(Together)) << "no half-made folder is left: " << said;
    for (const auto& backup : made) {
        EXPECT_EQ(runCheck(backup.string()), ExitOk) << backup << "\n" << out.str();
        Database copy(backup);
        EXPECT_EQ(testing::storedColumnOf(copy, TableId::Valstyb, "VAL:Valstybe"),
                  std::vector<std::string>{"Lietuva"});
    }
}

// check on a backup folder and restore ask for every table file: a backup without one is no backup.
TEST_F(BackupCommandsTest, ABackupFolderWithoutATableFileIsNamedAndNotRestored) {
    addRecord(TableId::Valstyb, {{"VAL:Valstybe", "Lietuva"}});
    const std::string to = (folder.path() / "kopijos").string();
    ASSERT_EQ(cli({"backup", "--to", to}), ExitOk) << messages.texts().at(0);
    const std::string backup = listBackups(to).at(0).string();
    std::filesystem::remove(std::filesystem::path(backup) / "DATA" / "Kamb.tps");

    EXPECT_EQ(runCheck(backup), ExitFailed);
    EXPECT_NE(out.str().find("DATA/Kamb.tps: trūksta atsarginėje kopijoje"), std::string::npos) << out.str();
    addRecord(TableId::Valstyb, {{"VAL:Valstybe", "Latvija"}});
    EXPECT_EQ(cli({"restore", backup}), ExitFailed);
    EXPECT_NE(messages.texts().at(0).find("trūksta failų DATA/Kamb.tps"), std::string::npos)
        << messages.texts()[0];
    EXPECT_EQ(storedColumn(TableId::Valstyb, "VAL:Valstybe"),
              (std::vector<std::string>{"Latvija", "Lietuva"}));
}

// A backup made before a table came has no file of it: it is still whole, and restoring it puts back
// the tables it holds and leaves the later one as it is.
TEST_F(BackupCommandsTest, ABackupMadeBeforeATableCameRestoresTheOthersAndKeepsThatOne) {
    addRecord(TableId::Valstyb, {{"VAL:Valstybe", "Lietuva"}});
    const std::string to = (folder.path() / "kopijos").string();
    ASSERT_EQ(cli({"backup", "--to", to}), ExitOk) << messages.texts().at(0);
    const std::string backup = listBackups(to).at(0).string();
    std::filesystem::remove(std::filesystem::path(backup) / "DATA" / "PvmTarif.tps");
    EXPECT_EQ(listBackups(to).size(), 1u);
    EXPECT_EQ(runCheck(backup), ExitOk) << out.str();
    EXPECT_NE(out.str().find("DATA/PvmTarif.tps: nėra (kopija senesnė už šią lentelę)"), std::string::npos)
        << out.str();

    addRecord(TableId::Valstyb, {{"VAL:Valstybe", "Latvija"}});
    addRecord(TableId::PvmTarif, {{"PVMT:PVMPROC", "21"}, {"PVMT:Kodas", "PVM1"}});
    EXPECT_EQ(cli({"restore", backup}), ExitOk) << messages.texts().at(0);
    EXPECT_EQ(storedColumn(TableId::Valstyb, "VAL:Valstybe"), std::vector<std::string>{"Lietuva"});
    EXPECT_EQ(storedColumn(TableId::PvmTarif, "PVMT:Kodas"), std::vector<std::string>{"PVM1"});
}

// A damaged table file stops the backup with its name, and --keep then removes nothing.
TEST_F(BackupCommandsTest, ADamagedFileIsNotBackedUp) {
    addRecord(TableId::Valstyb, {{"VAL:Valstybe", "Lietuva"}});
    const std::string to = (folder.path() / "kopijos").string();
    ASSERT_EQ(cli({"backup", "--to", to, "--keep", "1"}), ExitOk) << messages.texts().at(0);
    const std::vector<std::filesystem::path> good = listBackups(to);
    std::ofstream(database.filePath(TableId::Valstyb), std::ios::trunc).close();
    EXPECT_EQ(cli({"backup", "--to", to, "--keep", "1"}), ExitFailed);
    ASSERT_EQ(messages.texts().size(), 1u);
    EXPECT_EQ(messages.texts()[0].rfind("Atsarginė kopija nepadaryta: failas DATA/Valstyb.tps sugadintas", 0),
              0u)
        << messages.texts()[0];
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(listBackups(to), good);
}

TEST_F(BackupCommandsTest, WrongCommandLines) {
    const std::vector<std::string> lines[] = {
        {"backup", "--keep", "0"},
        {"backup", "--keep", "du"},
        {"backup", "vienas"},
        {"restore"},
    };
    for (const auto& line : lines) {
        EXPECT_EQ(cli(line), ExitUsage) << line.front() << " " << (line.size() > 1 ? line[1] : "");
    }
}

// Every command marks the folder used while it runs, and none runs while a restore holds it.
TEST_F(BackupCommandsTest, NoCommandWhileARestoreHoldsTheFolder) {
    EXPECT_EQ(cli({"init"}), ExitOk);
    const FolderUse restore(database, FolderUse::Kind::Exclusive);
    ASSERT_TRUE(restore.acquired());
    EXPECT_EQ(cli({"count", "Valstyb"}), ExitFailed);
    EXPECT_EQ(messages.texts().at(0), "Duomenys dabar atkuriami iš atsarginės kopijos: pabandykite vėliau.");
}

} // namespace
} // namespace nakva
