#include "data/StoreMaintenance.h"

#include "data/SqliteConnection.h"
#include "data/TableFormat.h"

namespace nakva {

namespace {

// The file's connection when it exists and holds the table's layout; otherwise the state that says
// why not.
std::unique_ptr<SqliteConnection> connectReady(const Database& database, TableId table, FileCheck& check) {
    check.table = table;
    std::error_code error;
    if (!std::filesystem::exists(database.filePath(table), error)) {
        check.state = FileCheck::State::Missing;
        check.error = StoreError::condition(StoreError::FileNotFound, Database::fileName(table));
        return nullptr;
    }
    if (std::filesystem::file_size(database.filePath(table), error) == 0 && !error) {
        check.state = FileCheck::State::Unreadable;
        check.error = StoreError::condition(StoreError::FileDamaged);
        return nullptr;
    }
    try {
        auto connection =
            std::make_unique<SqliteConnection>(database.filePath(table), SqliteConnection::Mode::Existing);
        switch (TableFormat::inspect(*connection, Dictionary::instance().table(table))) {
        case TableFormat::State::Empty:
            check.state = FileCheck::State::Missing;
            check.error = StoreError::condition(StoreError::FileNotFound, Database::fileName(table));
            return nullptr;
        case TableFormat::State::LayoutDiffers:
            check.state = FileCheck::State::LayoutDiffers;
            check.error = StoreError::condition(StoreError::LayoutDiffers);
            return nullptr;
        case TableFormat::State::KeysDamaged:
            check.state = FileCheck::State::KeysDamaged;
            check.error = StoreError::condition(StoreError::KeysMustBeRebuilt);
            break;
        case TableFormat::State::Ready:
            break;
        }
        return connection;
    } catch (const StoreFailure& failure) {
        check.state = FileCheck::State::Unreadable;
        check.error = failure.condition;
        return nullptr;
    }
}

} // namespace

std::string_view fileStateText(FileCheck::State state) {
    switch (state) {
    case FileCheck::State::Ready:
        return "tvarkingas";
    case FileCheck::State::Missing:
        return "dar nesukurtas (bus sukurtas pirmą kartą atidarant)";
    case FileCheck::State::KeysDamaged:
        return "sugadinti raktai (pataisykite: nakva-cli rebuild-keys)";
    case FileCheck::State::LayoutDiffers:
        return "įrašų išdėstymas neatitinka lentelės aprašo";
    case FileCheck::State::Damaged:
        return "sugadinti įrašai";
    case FileCheck::State::Unreadable:
        return "neįskaitomas";
    }
    return {};
}

FileCheck checkFile(const Database& database, TableId table) {
    FileCheck check;
    auto connection = connectReady(database, table, check);
    if (!connection) {
        return check;
    }
    try {
        const TableFormat::IntegrityReport report = TableFormat::checkIntegrity(*connection);
        check.problems = report.problems;
        if (report.fileDamaged) {
            check.state = FileCheck::State::Damaged;
            check.error = {0, report.problems.front()};
        } else if (report.keysDamaged) {
            check.state = FileCheck::State::KeysDamaged;
            check.error = StoreError::condition(StoreError::KeysMustBeRebuilt);
        }
    } catch (const StoreFailure& failure) {
        check.state = FileCheck::State::Damaged;
        check.error = failure.condition;
    }
    return check;
}

std::vector<FileCheck> checkAllFiles(const Database& database) {
    std::vector<FileCheck> checks;
    for (const TableDef& table : Dictionary::instance().tables()) {
        checks.push_back(checkFile(database, table.id));
    }
    return checks;
}

StoreStatus rebuildFileKeys(const Database& database, TableId table) {
    return runStoreOperation([&] {
        FileCheck check;
        auto connection = connectReady(database, table, check);
        if (!connection) {
            throw StoreFailure{check.error};
        }
        TableFormat::rebuildKeys(*connection, Dictionary::instance().table(table));
        return 0;
    });
}

StoreStatus countFileRecords(const Database& database, TableId table, std::int64_t& count) {
    count = 0;
    return runStoreOperation([&] {
        FileCheck check;
        auto connection = connectReady(database, table, check);
        if (!connection) {
            throw StoreFailure{check.error};
        }
        SqliteStatement statement(connection->handle(),
                                  "SELECT count(*) FROM main." +
                                      quoteName(Dictionary::instance().table(table).name));
        StatementReset reset(statement);
        if (statement.step()) {
            count = statement.integer(0);
        }
        return 0;
    });
}

} // namespace nakva
