#include "maintenance/Backup.h"

#include "data/Database.h"
#include "data/SqliteConnection.h"
#include "data/StoreError.h"
#include "data/StoreMaintenance.h"
#include "data/TableFormat.h"
#include "maintenance/FolderUse.h"
#include "messages/Message.h"
#include "messages/SystemErrorText.h"

#include <sqlite3.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <thread>
#include <unistd.h>

namespace nakva {

namespace fs = std::filesystem;

namespace {

// How long one attempt waits for a busy file, and how many attempts are made before giving up.
constexpr int BusyWaitMs = 200;
constexpr int Attempts = 25;

// A backup is made in a hidden folder ".2026-12-07_113254.dalis.XXXXXX" holding the file ".daroma",
// locked by its maker while it lives. A hidden folder without that lock was left by an interrupted
// backup; one that has no such file yet is its maker's first instant, or one so old it can only be
// left over.
constexpr std::string_view PartialMark = ".dalis";
constexpr std::string_view MakerLock = ".daroma";
constexpr auto LeftOverAfter = std::chrono::minutes(1);

std::string stamp(std::time_t moment) {
    std::tm local{};
    localtime_r(&moment, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d_%H%M%S", &local);
    return text;
}

// "2026-12-07_113254", or with "-2", "-3" for a second backup in the same second.
bool isBackupName(const std::string& name) {
    static constexpr std::string_view shape = "dddd-dd-dd_dddddd";
    if (name.size() < shape.size()) {
        return false;
    }
    for (std::size_t i = 0; i < shape.size(); ++i) {
        const bool digit = name[i] >= '0' && name[i] <= '9';
        if (shape[i] == 'd' ? !digit : name[i] != shape[i]) {
            return false;
        }
    }
    const std::string rest = name.substr(shape.size());
    return rest.empty() ||
           (rest.size() > 1 && rest[0] == '-' &&
            std::all_of(rest.begin() + 1, rest.end(), [](char c) { return c >= '0' && c <= '9'; }));
}

std::string conditionText(const ErrorCondition& condition) {
    return condition.text + " (" + std::to_string(condition.number) + ")";
}

bool isBusy(const ErrorCondition& condition) {
    return (condition.number & 0xff) == SQLITE_BUSY;
}

bool isNotATableFile(const ErrorCondition& condition) {
    return (condition.number & 0xff) == SQLITE_NOTADB || (condition.number & 0xff) == SQLITE_CORRUPT;
}

// Why a folder could not be made or used, with its real cause: the nearest part of its path that is a
// file rather than a folder, or the system's reason in Lithuanian.
std::string folderFailure(const fs::path& folder, const std::error_code& error) {
    for (fs::path part = folder; !part.empty(); part = part.parent_path()) {
        std::error_code ignored;
        const fs::file_status status = fs::status(part, ignored);
        if (fs::exists(status)) {
            if (!fs::is_directory(status)) {
                return "„" + part.string() + "“ yra failas, ne aplankas";
            }
            break;
        }
        if (part == part.parent_path()) {
            break;
        }
    }
    return systemErrorText(error.value());
}

// Writes a file's data (or a folder's entries) through to the disk.
bool syncFile(const fs::path& file) {
    const int descriptor = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) {
        return false;
    }
    const bool synced = ::fsync(descriptor) == 0;
    ::close(descriptor);
    return synced;
}

// An open-file-description lock without waiting: it belongs to the descriptor, so the system lets go of
// it when the process ends, however it ends, and two of one process exclude each other.
bool lockWithoutWaiting(int descriptor) {
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    return ::fcntl(descriptor, F_OFD_SETLK, &lock) == 0;
}

// The hidden folder one backup is made in, its own even when another backup starts in the same
// second. While it lives it holds its maker's lock; dropped, it is removed unless it became a backup.
class PartialBackup {
public:
    PartialBackup() = default;
    ~PartialBackup() {
        if (lock_ >= 0) {
            ::close(lock_);
        }
        if (!path_.empty()) {
            std::error_code ignored;
            fs::remove_all(path_, ignored);
        }
    }
    PartialBackup(const PartialBackup&) = delete;
    PartialBackup& operator=(const PartialBackup&) = delete;

    bool create(const fs::path& backups, const std::string& name, std::string& error) {
        std::string pattern = (backups / ("." + name + std::string(PartialMark) + ".XXXXXX")).string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            error = "nepavyko sukurti aplanko " + backups.string() + ": " + systemErrorText(errno);
            return false;
        }
        path_ = pattern;
        // Locked under another name first: the lock file is never seen unlocked under its own.
        const fs::path locking = path_ / (std::string(MakerLock) + ".kuriamas");
        lock_ = ::open(locking.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
        std::error_code failure;
        if (lock_ < 0 || !lockWithoutWaiting(lock_) ||
            ::rename(locking.c_str(), (path_ / MakerLock).c_str()) != 0 ||
            !fs::create_directory(data(), failure)) {
            error = "nepavyko sukurti aplanko " + path_.string() + ": " + systemErrorText(errno);
            return false;
        }
        return true;
    }

    fs::path data() const { return path_ / "DATA"; }

    // Gives the folder the backup's name, the first of name, name-2, name-3 ... that no other backup
    // took first. False and why when it cannot.
    bool publish(const fs::path& backups, const std::string& name, fs::path& folder, std::string& error) {
        ::unlink((path_ / MakerLock).c_str());
        for (int n = 1; n < 1000; ++n) {
            const fs::path candidate = backups / (n == 1 ? name : name + "-" + std::to_string(n));
            std::error_code ignored;
            if (fs::exists(candidate, ignored)) {
                continue;
            }
            // Onto a folder another backup named meanwhile the rename fails (it is not empty).
            if (::rename(path_.c_str(), candidate.c_str()) == 0) {
                folder = candidate;
                path_.clear();
                syncFile(backups);
                return true;
            }
            if (errno != EEXIST && errno != ENOTEMPTY) {
                error = "nepavyko pervadinti aplanko " + path_.string() + ": " + systemErrorText(errno);
                return false;
            }
        }
        error = "aplanke " + backups.string() + " per daug tos pačios sekundės kopijų";
        return false;
    }

private:
    fs::path path_;
    int lock_ = -1;
};

// Whether a hidden folder below the backups is one a backup still makes.
bool beingMade(const fs::path& partial) {
    const int descriptor = ::open((partial / MakerLock).c_str(), O_RDWR | O_CLOEXEC);
    if (descriptor < 0) {
        std::error_code error;
        const auto changed = fs::last_write_time(partial, error);
        return !error && fs::file_time_type::clock::now() - changed < LeftOverAfter;
    }
    const bool made = !lockWithoutWaiting(descriptor);
    ::close(descriptor);
    return made;
}

// Removes what interrupted backups left below `backups`.
void removeInterrupted(const fs::path& backups) {
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(backups, error)) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with('.') && name.find(PartialMark) != std::string::npos &&
            entry.is_directory(error) && !beingMade(entry.path())) {
            std::error_code ignored;
            fs::remove_all(entry.path(), ignored);
        }
    }
}

struct Source {
    TableId table{};
    std::unique_ptr<SqliteConnection> connection;
};

enum class Hold { Held, Busy, Failed };

// A read transaction on every existing table file, taken file by file. Busy: a file was locked by a
// writer longer than the short wait, and everything taken was let go again.
Hold holdAll(const Database& database, std::vector<Source>& sources, std::string& error) {
    sources.clear();
    for (const TableDef& table : Dictionary::instance().tables()) {
        const fs::path file = database.filePath(table.id);
        std::error_code missing;
        if (!fs::exists(file, missing)) {
            continue;
        }
        try {
            auto connection = std::make_unique<SqliteConnection>(file, SqliteConnection::Mode::Existing);
            connection->setBusyTimeout(BusyWaitMs);
            connection->execute("BEGIN");
            // The first read takes the file's shared lock, which the open transaction keeps.
            connection->execute("SELECT count(*) FROM sqlite_schema");
            sources.push_back({table.id, std::move(connection)});
        } catch (const StoreFailure& failure) {
            sources.clear();
            if (isBusy(failure.condition)) {
                return Hold::Busy;
            }
            error = isNotATableFile(failure.condition)
                        ? "failas " + Database::fileName(table.id) + " sugadintas: tai ne lentelės failas"
                        : "nepavyko perskaityti failo " + Database::fileName(table.id) + ": " +
                              conditionText(failure.condition);
            return Hold::Failed;
        }
    }
    return Hold::Held;
}

// The one place a backup touches a file's contents: the copy of a held file, page by page as the held
// read sees it, an empty table for a table without a file, and the check of what the backup keeps.
bool copyFile(sqlite3* source, const fs::path& target, std::string& error) {
    try {
        SqliteConnection copy(target, SqliteConnection::Mode::Create);
        sqlite3_backup* backup = sqlite3_backup_init(copy.handle(), "main", source, "main");
        if (backup == nullptr) {
            error = conditionText(StoreError::sqliteCondition(sqlite3_extended_errcode(copy.handle()),
                                                              sqlite3_errmsg(copy.handle())));
            return false;
        }
        const int stepped = sqlite3_backup_step(backup, -1);
        const int finished = sqlite3_backup_finish(backup);
        if (stepped != SQLITE_DONE || finished != SQLITE_OK) {
            const int code = stepped != SQLITE_DONE ? stepped : finished;
            error = conditionText(StoreError::sqliteCondition(code, sqlite3_errstr(code)));
            return false;
        }
        return true;
    } catch (const StoreFailure& failure) {
        error = conditionText(failure.condition);
        return false;
    }
}

// An empty table in its own file, for a table that has no file yet.
bool createEmpty(const fs::path& target, const TableDef& table, std::string& error) {
    try {
        SqliteConnection connection(target, SqliteConnection::Mode::Create);
        TableFormat::create(connection, table);
        return true;
    } catch (const StoreFailure& failure) {
        error = conditionText(failure.condition);
        return false;
    }
}

// What is wrong with a table file of a backup ("" when nothing): its layout, its keys, every page.
std::string damageOf(const Database& backup, TableId table) {
    const FileCheck check = checkFile(backup, table);
    if (check.state == FileCheck::State::Ready) {
        return {};
    }
    if (check.state == FileCheck::State::Missing ||
        (check.state == FileCheck::State::Unreadable && check.error.number == StoreError::FileDamaged)) {
        return "jame nėra lentelės";
    }
    const bool told = check.state == FileCheck::State::Damaged || check.state == FileCheck::State::Unreadable;
    return std::string(fileStateText(check.state)) + (told ? " (" + conditionText(check.error) + ")" : "");
}

bool isTableFileName(const std::string& name) {
    return std::ranges::any_of(Dictionary::instance().tables(), [&name](const TableDef& table) {
        return name == std::string(table.name) + ".tps";
    });
}

// A whole backup of this program: a backup's name, and nothing in it but DATA, which holds every
// table's file (but those of tables that came after it was made) and nothing else but the mark of a
// program that read them there.
bool isWholeBackup(const fs::path& folder) {
    std::error_code error;
    if (!isBackupName(folder.filename().string()) || !fs::is_directory(folder / "DATA", error)) {
        return false;
    }
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        if (entry.path().filename() != "DATA") {
            return false;
        }
    }
    for (const auto& entry : fs::directory_iterator(folder / "DATA", error)) {
        const std::string name = entry.path().filename().string();
        if (name == FolderUse::LockFileName) {
            continue;
        }
        if (!entry.is_regular_file(error) || !isTableFileName(name)) {
            return false;
        }
    }
    return !error && std::ranges::all_of(Dictionary::instance().tables(), [&folder](const TableDef& table) {
        std::error_code missing;
        return table.addedLater || fs::is_regular_file(folder / table.fileName(), missing);
    });
}

fs::path freeName(const fs::path& folder, const std::string& name) {
    fs::path candidate = folder / name;
    for (int n = 2; fs::exists(candidate); ++n) {
        candidate = folder / (name + "-" + std::to_string(n));
    }
    return candidate;
}

} // namespace

fs::path defaultBackupFolder(const Database& database) {
    return database.dataFolder() / "atsargines";
}

BackupOutcome makeBackup(const Database& database, const fs::path& backups, std::time_t moment) {
    BackupOutcome outcome;
    std::error_code error;
    fs::create_directories(backups, error);
    if (error || !fs::is_directory(backups, error)) {
        outcome.error = "nepavyko sukurti aplanko " + backups.string() + ": " + folderFailure(backups, error);
        return outcome;
    }
    removeInterrupted(backups);
    const std::string name = stamp(moment);
    PartialBackup partial;
    if (!partial.create(backups, name, outcome.error)) {
        return outcome;
    }

    std::vector<Source> sources;
    Hold hold = Hold::Busy;
    std::string text;
    for (int attempt = 0; attempt < Attempts && hold == Hold::Busy; ++attempt) {
        hold = holdAll(database, sources, text);
        if (hold == Hold::Busy) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20 * (attempt + 1)));
        }
    }
    if (hold == Hold::Busy) {
        outcome.error = "duomenų failai per ilgai užimti kitų darbo vietų";
        return outcome;
    }
    if (hold == Hold::Failed) {
        outcome.error = text;
        return outcome;
    }
    const Database copy(partial.data().parent_path());
    for (const Source& source : sources) {
        if (!copyFile(source.connection->handle(), copy.filePath(source.table), text)) {
            outcome.error = "nepavyko nukopijuoti failo " + Database::fileName(source.table) + ": " + text;
            return outcome;
        }
    }
    sources.clear(); // the read transactions end with their connections

    for (const TableDef& table : Dictionary::instance().tables()) {
        // A table that has no file yet is empty: the backup holds it so.
        if (!fs::exists(copy.filePath(table.id), error) &&
            !createEmpty(copy.filePath(table.id), table, text)) {
            outcome.error = "nepavyko sukurti failo " + Database::fileName(table.id) + ": " + text;
            return outcome;
        }
        if (const std::string damage = damageOf(copy, table.id); !damage.empty()) {
            outcome.error = "failas " + Database::fileName(table.id) + " sugadintas: " + damage;
            return outcome;
        }
        if (!syncFile(copy.filePath(table.id))) {
            outcome.error =
                "nepavyko įrašyti failo " + Database::fileName(table.id) + ": " + systemErrorText(errno);
            return outcome;
        }
        ++outcome.files;
    }
    if (!partial.publish(backups, name, outcome.folder, outcome.error)) {
        outcome.files = 0;
        return outcome;
    }
    outcome.ok = true;
    return outcome;
}

bool isBackupFolder(const fs::path& folder) {
    const fs::path normal = folder.lexically_normal();
    return isBackupName((normal.has_filename() ? normal : normal.parent_path()).filename().string());
}

std::vector<fs::path> listBackups(const fs::path& backups) {
    std::vector<fs::path> found;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(backups, error)) {
        if (entry.is_directory(error) && isWholeBackup(entry.path())) {
            found.push_back(entry.path());
        }
    }
    std::sort(found.begin(), found.end());
    return found;
}

void removeOldBackups(const fs::path& backups, int keep) {
    const std::vector<fs::path> found = listBackups(backups);
    for (std::size_t i = 0; i + std::size_t(std::max(keep, 0)) < found.size(); ++i) {
        std::error_code ignored;
        fs::remove_all(found[i], ignored);
    }
}

DailyBackup makeDailyBackup(const Database& database, std::time_t moment) {
    const fs::path backups = defaultBackupFolder(database);
    const std::string day = stamp(moment).substr(0, 10);
    for (const fs::path& made : listBackups(backups)) {
        if (made.filename().string().starts_with(day)) {
            return DailyBackup::AlreadyMade;
        }
    }
    const BackupOutcome outcome = makeBackup(database, backups, moment);
    if (!outcome.ok) {
        MessageRequest request;
        request.title = "Atsarginė kopija";
        request.text = "Nepavyko padaryti atsarginės duomenų kopijos aplanke " + backups.string() + ": " +
                       outcome.error + ".";
        request.icon = MessageIcon::Exclamation;
        showMessage(request);
        return DailyBackup::Failed;
    }
    removeOldBackups(backups, DailyBackupsKept);
    return DailyBackup::Made;
}

RestoreOutcome restoreBackup(const Database& database, const fs::path& backup, std::time_t moment) {
    RestoreOutcome outcome;
    std::error_code error;
    if (!fs::is_directory(backup, error)) {
        outcome.error = fs::exists(backup, error) ? "„" + backup.string() + "“ yra failas, ne aplankas"
                                                  : "aplanko „" + backup.string() + "“ nėra";
        return outcome;
    }
    // The backup's folder, or its DATA folder.
    fs::path folder = backup;
    if (!fs::is_directory(folder / "DATA", error) && folder.filename() == "DATA") {
        folder = folder.parent_path();
    }
    const Database copy(folder);
    if (!fs::is_directory(copy.dataFolder(), error)) {
        outcome.error = "aplanke " + backup.string() + " nėra atsarginės kopijos (jame nėra aplanko DATA)";
        return outcome;
    }
    if (fs::equivalent(copy.dataFolder(), database.dataFolder(), error)) {
        outcome.error = "atsarginė kopija ir duomenys yra tas pats aplankas";
        return outcome;
    }
    // The tables the backup holds: one that came after the backup was made stays as it is.
    std::vector<TableId> restored;
    std::string missing;
    for (const FileCheck& check : checkAllFiles(copy)) {
        if (check.state == FileCheck::State::Missing) {
            if (!Dictionary::instance().table(check.table).addedLater) {
                missing += (missing.empty() ? "" : ", ") + Database::fileName(check.table);
            }
            continue;
        }
        restored.push_back(check.table);
        if (check.state != FileCheck::State::Ready) {
            outcome.error = "atsarginės kopijos failas " + Database::fileName(check.table) +
                            " netinka: " + conditionText(check.error);
            return outcome;
        }
    }
    if (!missing.empty()) {
        outcome.error = "atsarginėje kopijoje trūksta failų " + missing +
                        ": kopija nepilna, iš jos atkurti negalima (kitaip tų lentelių duomenys dingtų)";
        return outcome;
    }

    fs::create_directories(database.dataFolder(), error);
    const FolderUse use(database, FolderUse::Kind::Exclusive);
    if (!use.acquired()) {
        outcome.error = "duomenis dabar naudoja kita programa ar darbo vieta; atkurti galima tik tada, kai "
                        "visur programa uždaryta";
        return outcome;
    }

    // The files as they are now, first: a restore can be undone by restoring these.
    outcome.saved = freeName(defaultBackupFolder(database), stamp(moment) + "-pries-atkurima");
    fs::create_directories(outcome.saved / "DATA", error);
    for (const auto& entry : fs::directory_iterator(database.dataFolder(), error)) {
        const std::string name = entry.path().filename().string();
        if (entry.is_regular_file() && (name.ends_with(".tps") || name.ends_with(".tps-journal"))) {
            fs::copy_file(entry.path(), outcome.saved / "DATA" / name, error);
            if (error) {
                break;
            }
        }
    }
    if (error) {
        outcome.error = "nepavyko išsaugoti dabartinių failų aplanke " + outcome.saved.string() + ": " +
                        folderFailure(outcome.saved, error);
        return outcome;
    }

    // Every file from the backup beside its place, then all into place; a journal beside a replaced
    // file belongs to the old file and goes.
    const auto restoring = [&](TableId table) {
        return fs::path(database.filePath(table).string() + ".atkuriama");
    };
    for (const TableId table : restored) {
        fs::copy_file(copy.filePath(table), restoring(table), fs::copy_options::overwrite_existing, error);
        if (error || !syncFile(restoring(table))) {
            const int cause = error ? error.value() : errno;
            for (const TableId written : restored) {
                std::error_code ignored;
                fs::remove(restoring(written), ignored);
            }
            outcome.error =
                "nepavyko nukopijuoti failo " + Database::fileName(table) + ": " + systemErrorText(cause);
            return outcome;
        }
    }
    std::string failed;
    for (const TableId table : restored) {
        const fs::path file = database.filePath(table);
        fs::remove(fs::path(file.string() + "-journal"), error);
        fs::rename(restoring(table), file, error);
        if (error && failed.empty()) {
            failed = Database::fileName(table) + ": " + systemErrorText(error.value());
        }
    }
    if (!failed.empty()) {
        outcome.error =
            "nepavyko pakeisti failo " + failed + "; ankstesni failai yra aplanke " + outcome.saved.string();
        return outcome;
    }
    outcome.ok = true;
    return outcome;
}

} // namespace nakva
