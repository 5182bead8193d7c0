#include "data/StoreTestSupport.h"

#include "data/StoreMaintenance.h"
#include "maintenance/Backup.h"
#include "maintenance/FolderUse.h"

#include <fstream>

namespace nakva {
namespace {

using testing::StoreTest;
using testing::TempFolder;
namespace fs = std::filesystem;

constexpr std::time_t Day = 24 * 60 * 60;
// 2026-12-07 09:00 in Vilnius, where the tests run.
constexpr std::time_t Morning = 1796626800; // 07:00 UTC

class BackupTest : public StoreTest {
protected:
    fs::path backups() const { return folder.path() / "kopijos"; }

    std::vector<std::string> countries() { return storedColumn(TableId::Valstyb, "VAL:Valstybe"); }
};

// Another station commits transactions over three files while backups are taken: every backup
// restores to files that pass the full check and hold each transaction whole or not at all.
TEST_F(BackupTest, TakenWhileAnotherStationCommitsHoldsWholeTransactions) {
    const int pid = testing::startHelperUntilReady({"commit-loop", folder.path().string(), "150"});
    std::vector<fs::path> made;
    for (int i = 0; i < 6; ++i) {
        const BackupOutcome outcome = makeBackup(database, backups(), Morning + i);
        ASSERT_TRUE(outcome.ok) << outcome.error;
        made.push_back(outcome.folder);
    }
    EXPECT_EQ(testing::waitHelper(pid), 0) << "the station's commits all went through";

    for (const fs::path& backup : made) {
        TempFolder restored;
        Database target(restored.path());
        const RestoreOutcome outcome = restoreBackup(target, backup);
        ASSERT_TRUE(outcome.ok) << outcome.error;
        for (const FileCheck& check : checkAllFiles(target)) {
            EXPECT_TRUE(check.state == FileCheck::State::Ready || check.state == FileCheck::State::Missing)
                << Database::fileName(check.table);
        }
        const auto registrations = testing::storedColumnOf(target, TableId::Saskait, "SAS:IrasoNr");
        EXPECT_FALSE(registrations.empty()) << "the first transaction was committed before";
        EXPECT_EQ(testing::storedColumnOf(target, TableId::Mokej, "MOK:SaskIrasoNr"), registrations)
            << backup;
        EXPECT_EQ(testing::storedColumnOf(target, TableId::Saskeil, "SEI:IrasoNr"), registrations) << backup;
    }
}

TEST_F(BackupTest, DailyBackupOncePerDayKeepingTheNewestFourteen) {
    addRecord(TableId::Valstyb, {{"VAL:Valstybe", "Lietuva"}});
    for (int day = 0; day < 15; ++day) {
        EXPECT_EQ(makeDailyBackup(database, Morning + day * Day), DailyBackup::Made) << day;
    }
    EXPECT_EQ(makeDailyBackup(database, Morning + 14 * Day + 3600), DailyBackup::AlreadyMade);

    const std::vector<fs::path> kept = listBackups(defaultBackupFolder(database));
    ASSERT_EQ(kept.size(), 14u);
    EXPECT_EQ(kept.front().filename(), "2026-12-08_090000") << "the oldest went";
    EXPECT_EQ(kept.back().filename(), "2026-12-21_090000");
    EXPECT_TRUE(fs::exists(kept.back() / "DATA" / "Valstyb.tps"));
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(BackupTest, RemovingOldBackupsLeavesOtherFoldersAlone) {
    for (const char* name : {"2026-12-01_080000", "2026-12-01_080000-2", "2026-12-02_080000", "mano",
                             ".2026-12-03_080000.dalis"}) {
        fs::create_directories(backups() / name);
    }
    removeOldBackups(backups(), 1);
    EXPECT_FALSE(fs::exists(backups() / "2026-12-01_080000"));
    EXPECT_FALSE(fs::exists(backups() / "2026-12-01_080000-2"));
    EXPECT_TRUE(fs::exists(backups() / "2026-12-02_080000"));
    EXPECT_TRUE(fs::exists(backups() / "mano"));
    EXPECT_TRUE(fs::exists(backups() / ".2026-12-03_080000.dalis")) << "a backup still being made";
}

TEST_F(BackupTest, FailedBackupIsReportedAndLeavesNothing) {
    // DATA/atsargines is a file: no folder can be made there.
    addRecord(TableId::Valstyb, {{"VAL:Valstybe", "Lietuva"}});
    std::ofstream(defaultBackupFolder(database)) << "ne aplankas";
    EXPECT_EQ(makeDailyBackup(database, Morning), DailyBackup::Failed);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].title, "Atsarginė kopija");
    EXPECT_TRUE(messages.shown()[0].text.starts_with("Nepavyko padaryti atsarginės duomenų kopijos"));

    const BackupOutcome outcome = makeBackup(database, folder.path() / "DATA" / "Valstyb.tps" / "x", Morning);
    EXPECT_FALSE(outcome.ok);
    EXPECT_FALSE(outcome.error.empty());
}

TEST_F(BackupTest, RestorePutsTheBackupBackAndKeepsTheReplacedFiles) {
    addRecord(TableId::Valstyb, {{"VAL:Valstybe", "Lietuva"}});
    const BackupOutcome backup = makeBackup(database, backups(), Morning);
    ASSERT_TRUE(backup.ok) << backup.error;
    addRecord(TableId::Valstyb, {{"VAL:Valstybe", "Latvija"}});
    addRecord(TableId::Grupes, {{"GRP:Grupe", "Turistai"}}); // a table that had no file then

    {
        const FolderUse station(database, FolderUse::Kind::Shared);
        ASSERT_TRUE(station.acquired());
        const RestoreOutcome refused = restoreBackup(database, backup.folder, Morning + 60);
        EXPECT_FALSE(refused.ok);
        EXPECT_NE(refused.error.find("naudoja kita programa"), std::string::npos) << refused.error;
        EXPECT_EQ(countries(), (std::vector<std::string>{"Latvija", "Lietuva"})) << "nothing changed";
    }

    const RestoreOutcome restored = restoreBackup(database, backup.folder / "DATA", Morning + 120);
    ASSERT_TRUE(restored.ok) << restored.error;
    EXPECT_EQ(countries(), (std::vector<std::string>{"Lietuva"}));
    EXPECT_FALSE(fs::exists(database.filePath(TableId::Grupes)));
    EXPECT_TRUE(fs::exists(restored.saved / "DATA" / "Grupes.tps")) << "the replaced files were kept";

    const FolderUse after(database, FolderUse::Kind::Shared);
    EXPECT_TRUE(after.acquired()) << "the restore let go of the folder";
}

TEST_F(BackupTest, RestoreRefusesABackupThatIsNotWhole) {
    addRecord(TableId::Valstyb, {{"VAL:Valstybe", "Lietuva"}});
    const BackupOutcome backup = makeBackup(database, backups(), Morning);
    ASSERT_TRUE(backup.ok) << backup.error;
    std::ofstream(backup.folder / "DATA" / "Valstyb.tps", std::ios::trunc) << "sugadinta";

    const std::pair<fs::path, std::string> cases[] = {
        {backup.folder, "Valstyb.tps netinka"},
        {folder.path() / "nera", "nėra atsarginės kopijos"},
        {folder.path(), "tas pats aplankas"},
    };
    for (const auto& [source, reason] : cases) {
        const RestoreOutcome outcome = restoreBackup(database, source, Morning + 60);
        EXPECT_FALSE(outcome.ok) << source;
        EXPECT_NE(outcome.error.find(reason), std::string::npos) << outcome.error;
    }
    EXPECT_EQ(countries(), (std::vector<std::string>{"Lietuva"}));
}

} // namespace
} // namespace nakva
