#include "maintenance/Backup.h"

#include "data/Database.h"
#include "data/SqliteConnection.h"
#include "data/StoreError.h"
#include "data/StoreMaintenance.h"
#include "maintenance/FolderUse.h"
#include "messages/Message.h"

#include <sqlite3.h>

#include <algorithm>
#include <chrono>
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

// Writes a file's data through to the disk.
bool syncFile(const fs::path& file) {
    const int descriptor = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) {
        return false;
    }
    const bool synced = ::fsync(descriptor) == 0;
    ::close(descriptor);
    return synced;
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
            error = "nepavyko perskaityti failo " + Database::fileName(table.id) + ": " +
                    conditionText(failure.condition);
            return Hold::Failed;
        }
    }
    return Hold::Held;
}

bool copyFile(sqlite3* source, const fs::path& target, std::string& error) {
    try {
        SqliteConnection copy(target, SqliteConnection::Mode::Create);
        sqlite3_backup* backup = sqlite3_backup_init(copy.handle(), "main", source, "main");
        if (backup == nullptr) {
            error = sqlite3_errmsg(copy.handle());
            return false;
        }
        const int stepped = sqlite3_backup_step(backup, -1);
        const int finished = sqlite3_backup_finish(backup);
        if (stepped != SQLITE_DONE || finished != SQLITE_OK) {
            error = std::string(sqlite3_errstr(stepped != SQLITE_DONE ? stepped : finished)) + " (" +
                    std::to_string(stepped != SQLITE_DONE ? stepped : finished) + ")";
            return false;
        }
        return true;
    } catch (const StoreFailure& failure) {
        error = conditionText(failure.condition);
        return false;
    }
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
    if (error) {
        outcome.error = "nepavyko sukurti aplanko " + backups.string() + ": " + error.message();
        return outcome;
    }
    const std::string name = stamp(moment);
    const fs::path partial = backups / ("." + name + ".dalis");
    fs::remove_all(partial, error);
    fs::create_directories(partial / "DATA", error);
    if (error) {
        outcome.error = "nepavyko sukurti aplanko " + partial.string() + ": " + error.message();
        return outcome;
    }
    const auto fail = [&](std::string text) {
        std::error_code ignored;
        fs::remove_all(partial, ignored);
        outcome.error = std::move(text);
        return outcome;
    };

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
        return fail("duomenų failai per ilgai užimti kitų darbo vietų");
    }
    if (hold == Hold::Failed) {
        return fail(text);
    }
    for (const Source& source : sources) {
        const fs::path target =
            partial / "DATA" / (std::string(Dictionary::instance().table(source.table).name) + ".tps");
        if (!copyFile(source.connection->handle(), target, text)) {
            return fail("nepavyko nukopijuoti failo " + Database::fileName(source.table) + ": " + text);
        }
    }
    sources.clear(); // the read transactions end with their connections

    outcome.folder = freeName(backups, name);
    fs::rename(partial, outcome.folder, error);
    if (error) {
        outcome.folder.clear();
        return fail("nepavyko pervadinti aplanko " + partial.string() + ": " + error.message());
    }
    outcome.ok = true;
    return outcome;
}

std::vector<fs::path> listBackups(const fs::path& backups) {
    std::vector<fs::path> found;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(backups, error)) {
        if (entry.is_directory(error) && isBackupName(entry.path().filename().string())) {
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
    std::vector<TableId> present;
    for (const FileCheck& check : checkAllFiles(copy)) {
        if (check.state == FileCheck::State::Missing) {
            continue;
        }
        if (check.state != FileCheck::State::Ready) {
            outcome.error = "atsarginės kopijos failas " + Database::fileName(check.table) +
                            " netinka: " + conditionText(check.error);
            return outcome;
        }
        present.push_back(check.table);
    }
    if (present.empty()) {
        outcome.error = "aplanke " + copy.dataFolder().string() + " nėra nė vieno lentelės failo";
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
        outcome.error =
            "nepavyko išsaugoti dabartinių failų aplanke " + outcome.saved.string() + ": " + error.message();
        return outcome;
    }

    // Every file from the backup beside its place, then all into place; a journal beside a replaced
    // file belongs to the old file and goes.
    const auto restoring = [&](TableId table) {
        return fs::path(database.filePath(table).string() + ".atkuriama");
    };
    for (const TableId table : present) {
        fs::copy_file(copy.filePath(table), restoring(table), fs::copy_options::overwrite_existing, error);
        if (error || !syncFile(restoring(table))) {
            for (const TableId written : present) {
                std::error_code ignored;
                fs::remove(restoring(written), ignored);
            }
            outcome.error = "nepavyko nukopijuoti failo " + Database::fileName(table) + ": " +
                            (error ? error.message() : std::string("įrašymo klaida"));
            return outcome;
        }
    }
    std::string failed;
    for (const TableDef& table : Dictionary::instance().tables()) {
        const fs::path file = database.filePath(table.id);
        fs::remove(fs::path(file.string() + "-journal"), error);
        if (std::find(present.begin(), present.end(), table.id) != present.end()) {
            fs::rename(restoring(table.id), file, error);
        } else {
            fs::remove(file, error);
        }
        if (error && failed.empty()) {
            failed = Database::fileName(table.id) + ": " + error.message();
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
