#include "data/StoreTestSupport.h"

#include "data/StoreMaintenance.h"
#include "maintenance/Backup.h"
#include "maintenance/FolderUse.h"

#include "data/SqliteConnection.h"
#include "data/Transaction.h"
#include "support/CaseName.h"

#include <chrono>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <unistd.h>

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

// --keep removes only backups this program made whole: a folder merely named like one, holding a
// user's files, stays, and so does one that lacks a table file. The hidden folder an interrupted backup
// left is removed by the next backup.
TEST_F(BackupTest, KeepRemovesOnlyTheProgramsOwnBackupsAndTheNextBackupClearsInterruptedOnes) {
    addRecord(TableId::Valstyb, {{"VAL:Valstybe", "Lietuva"}});
    const BackupOutcome first = makeBackup(database, backups(), Morning);
    ASSERT_TRUE(first.ok) << first.error;
    fs::create_directories(backups() / "2026-12-01_080000" / "DATA");
    std::ofstream(backups() / "2026-12-01_080000" / "sutartys.odt") << "vartotojo failas";
    fs::create_directories(backups() / "2026-12-01_090000");
    fs::copy(first.folder, backups() / "2026-12-02_080000", fs::copy_options::recursive);
    fs::remove(backups() / "2026-12-02_080000" / "DATA" / "Kamb.tps"); // no longer whole
    fs::create_directories(backups() / "mano");
    // What backups killed half-way leave: a hidden folder whose maker's lock nobody holds any more, and
    // one of an older program (no lock at all) an hour old; and the hidden folder of a backup another
    // process makes meanwhile, its lock held.
    const fs::path killed = backups() / ".2026-12-03_080000.dalis.k1ll3d";
    fs::create_directories(killed / "DATA");
    std::ofstream(killed / "DATA" / "Saskait.tps") << "pusė failo";
    std::ofstream(killed / ".daroma").close();
    const fs::path older = backups() / ".2026-12-03_070000.dalis";
    fs::create_directories(older / "DATA");
    fs::last_write_time(older, fs::file_time_type::clock::now() - std::chrono::hours(1));
    const fs::path running = backups() / ".2026-12-03_090000.dalis.run123";
    fs::create_directories(running / "DATA");
    const int maker = ::open((running / ".daroma").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    struct flock lock {};
    lock.l_type = F_WRLCK;
    ASSERT_EQ(::fcntl(maker, F_OFD_SETLK, &lock), 0);

    const BackupOutcome second = makeBackup(database, backups(), Morning + Day);
    ASSERT_TRUE(second.ok) << second.error;
    removeOldBackups(backups(), 1);
    EXPECT_FALSE(fs::exists(first.folder)) << "an older backup of the program's own goes";
    EXPECT_TRUE(fs::exists(second.folder));
    for (const char* kept :
         {"2026-12-01_080000/sutartys.odt", "2026-12-01_090000", "2026-12-02_080000", "mano"}) {
        EXPECT_TRUE(fs::exists(backups() / kept)) << kept;
    }
    EXPECT_FALSE(fs::exists(killed)) << "left by an interrupted backup";
    EXPECT_FALSE(fs::exists(older)) << "left by an interrupted backup";
    EXPECT_TRUE(fs::exists(running / "DATA")) << "another backup still makes it";
    ::close(maker);
    EXPECT_EQ(listBackups(backups()), std::vector<fs::path>{second.folder});
}

// A backup holds a file for every table, those never created too (as empty tables), each whole: a
// restore from it leaves no table behind.
TEST_F(BackupTest, EveryBackupHoldsEveryTableFile) {
    addRecord(TableId::Valstyb, {{"VAL:Valstybe", "Lietuva"}});
    const BackupOutcome outcome = makeBackup(database, backups(), Morning);
    ASSERT_TRUE(outcome.ok) << outcome.error;
    Database copy(outcome.folder);
    for (const FileCheck& check : checkAllFiles(copy)) {
        EXPECT_EQ(check.state, FileCheck::State::Ready) << Database::fileName(check.table);
    }
    EXPECT_EQ(testing::storedColumnOf(copy, TableId::Valstyb, "VAL:Valstybe"),
              std::vector<std::string>{"Lietuva"});
    EXPECT_FALSE(fs::exists(database.filePath(TableId::Grupes))) << "the working files are left as they are";
}

// A table file that is damaged is never backed up as health: the backup is refused naming the file,
// and the older good backup stays.
struct Damage {
    const char* name;
    std::function<void(const fs::path& file)> damage;
    const char* says; // after "failas DATA/Valstyb.tps sugadintas"
};

void PrintTo(const Damage& damage, std::ostream* out) {
    *out << damage.name;
}

class BackupOfDamageTest : public BackupTest, public ::testing::WithParamInterface<Damage> {};

TEST_P(BackupOfDamageTest, IsRefusedNamingTheFile) {
    {
        Context context(database);
        Table& countries = context.table(TableId::Valstyb);
        countries.open();
        Transaction transaction(context);
        ASSERT_EQ(transaction.begin({TableId::Valstyb}), StoreStatus::Ok);
        for (int i = 0; i < 400; ++i) {
            countries.clear();
            countries.record().set(VAL::Valstybe, "Valstybė " + std::to_string(1000 + i));
            ASSERT_EQ(countries.add(), StoreStatus::Ok);
        }
        ASSERT_EQ(transaction.commit(), StoreStatus::Ok);
        countries.close();
    }
    const BackupOutcome good = makeBackup(database, backups(), Morning);
    ASSERT_TRUE(good.ok) << good.error;

    GetParam().damage(database.filePath(TableId::Valstyb));
    const BackupOutcome outcome = makeBackup(database, backups(), Morning + Day);
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.error.rfind(std::string("failas DATA/Valstyb.tps sugadintas") + GetParam().says, 0), 0u)
        << outcome.error;
    EXPECT_EQ(listBackups(backups()), std::vector<fs::path>{good.folder});
    for (const auto& entry : fs::directory_iterator(backups())) {
        EXPECT_EQ(entry.path(), good.folder) << "nothing half made is left";
    }
}

void overwrite(const fs::path& file, std::uintmax_t offset, std::size_t bytes) {
    std::fstream out(file, std::ios::in | std::ios::out | std::ios::binary);
    out.seekp(std::streamoff(offset));
    out << std::string(bytes, '\xA5');
}

INSTANTIATE_TEST_SUITE_P(
    Damages, BackupOfDamageTest,
    ::testing::Values(
        Damage{"ZeroBytes", [](const fs::path& file) { std::ofstream(file, std::ios::trunc).close(); },
               ": jame nėra lentelės"},
        Damage{"NotADatabase",
               [](const fs::path& file) { std::ofstream(file, std::ios::trunc) << std::string(8192, 'x'); },
               ": tai ne lentelės failas"},
        Damage{"APageOverwritten",
               [](const fs::path& file) { overwrite(file, fs::file_size(file) - 4096, 4096); },
               ": sugadinti"},
        Damage{"AKeyDropped",
               [](const fs::path& file) {
                   SqliteConnection(file, SqliteConnection::Mode::Existing)
                       .execute("DROP INDEX \"VAL:Key_Valst\"");
               },
               ": sugadinti raktai"}),
    testing::CaseName());

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

// A failure is told in Lithuanian with its real cause.
TEST_F(BackupTest, FailuresAreToldWithTheirRealCause) {
    addRecord(TableId::Valstyb, {{"VAL:Valstybe", "Lietuva"}});
    const fs::path file = folder.path() / "kopijos.txt";
    std::ofstream(file) << "ne aplankas";
    const struct {
        fs::path to;
        std::string says;
    } cases[] = {
        {file, "„" + file.string() + "“ yra failas, ne aplankas"},
        {file / "2026", "„" + file.string() + "“ yra failas, ne aplankas"},
    };
    for (const auto& c : cases) {
        const BackupOutcome outcome = makeBackup(database, c.to, Morning);
        EXPECT_FALSE(outcome.ok);
        EXPECT_NE(outcome.error.find(c.says), std::string::npos) << outcome.error;
    }
    const RestoreOutcome restore = restoreBackup(database, file, Morning);
    EXPECT_FALSE(restore.ok);
    EXPECT_NE(restore.error.find("„" + file.string() + "“ yra failas, ne aplankas"), std::string::npos)
        << restore.error;
}

// A restore needs every table file of the backup: one that lacks some is no backup, and is refused
// naming what it lacks.
TEST_F(BackupTest, RestoreRefusesABackupThatLacksATableFile) {
    addRecord(TableId::Valstyb, {{"VAL:Valstybe", "Lietuva"}});
    addRecord(TableId::Grupes, {{"GRP:Grupe", "Turistai"}});
    const BackupOutcome backup = makeBackup(database, backups(), Morning);
    ASSERT_TRUE(backup.ok) << backup.error;
    addRecord(TableId::Valstyb, {{"VAL:Valstybe", "Latvija"}});
    fs::remove(backup.folder / "DATA" / "Grupes.tps");
    fs::remove(backup.folder / "DATA" / "Kamb.tps");

    const RestoreOutcome outcome = restoreBackup(database, backup.folder, Morning + 60);
    EXPECT_FALSE(outcome.ok);
    EXPECT_NE(outcome.error.find("trūksta failų DATA/Kamb.tps, DATA/Grupes.tps"), std::string::npos)
        << outcome.error;
    EXPECT_EQ(countries(), (std::vector<std::string>{"Latvija", "Lietuva"})) << "nothing changed";
    EXPECT_EQ(storedColumn(TableId::Grupes, "GRP:Grupe"), std::vector<std::string>{"Turistai"});
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
    EXPECT_TRUE(storedColumn(TableId::Grupes, "GRP:Grupe").empty()) << "empty, as it was then";
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
        {folder.path() / "nera", "aplanko „" + (folder.path() / "nera").string() + "“ nėra"},
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
