#include "data/Context.h"

#include "data/SqlQuery.h"
#include "data/SqliteConnection.h"
#include "data/StoreError.h"
#include "data/Table.h"
#include "data/TableFormat.h"
#include "data/Transaction.h"
#include "data/Variables.h"
#include "messages/Message.h"
#include "messages/StandardWarnings.h"

#include <algorithm>
#include <stdexcept>
#include <system_error>

namespace nakva {

namespace {

// How long the first read of a file waits for other users while a file left by an interrupted
// transaction is put back.
constexpr int RecoveryTimeout = 10000;

// Standard warnings of the opening algorithm.
constexpr int WarningLayout = 1;
constexpr int WarningKeys = 2;
constexpr int WarningRebuild = 3;
constexpr int WarningCreate = 4;
constexpr int WarningOpenCreated = 5;
constexpr int WarningOpen = 30;
constexpr std::string_view OpenStopText = "Disk Error";

// Shows a standard warning about `condition` and stops the program.
[[noreturn]] void stop(int warning, const std::string& fileName, const ErrorCondition& condition) {
    setLastOperationError(condition);
    saveErrorCondition();
    standardWarning(warning, fileName);
    const StandardWarningDefinition* definition = standardWarningDefinition(warning);
    throw ProgramStop{
        std::string(definition && !definition->stopText.empty() ? definition->stopText : OpenStopText)};
}

struct OpenAttempt {
    TableFormat::State state = TableFormat::State::Ready;
    std::unique_ptr<SqliteConnection> connection;
    bool missing = false;
    std::optional<ErrorCondition> failure;
};

OpenAttempt attemptOpen(const std::filesystem::path& path, const TableDef& table) {
    OpenAttempt attempt;
    std::error_code error;
    if (!std::filesystem::exists(path, error)) {
        attempt.missing = true;
        return attempt;
    }
    if (std::filesystem::file_size(path, error) == 0 && !error) {
        // Not a table not yet made (a new file is made whole under another name), but a damaged one.
        attempt.failure = StoreError::condition(StoreError::FileDamaged);
        return attempt;
    }
    try {
        attempt.connection = std::make_unique<SqliteConnection>(path, SqliteConnection::Mode::Existing);
        attempt.connection->setBusyTimeout(RecoveryTimeout);
        attempt.state = TableFormat::inspect(*attempt.connection, table);
        attempt.missing = attempt.state == TableFormat::State::Empty;
        if (attempt.state == TableFormat::State::Ready) {
            TableFormat::useRollbackJournal(*attempt.connection);
        }
        attempt.connection->setBusyTimeout(SqliteConnection::DefaultBusyTimeout);
    } catch (const StoreFailure& failure) {
        attempt.failure = failure.condition;
    }
    return attempt;
}

void createFile(const Database& database, const TableDef& table) {
    std::error_code error;
    std::filesystem::create_directories(database.dataFolder(), error);
    if (error) {
        throw StoreFailure{{error.value(), error.message()}};
    }
    // Made whole under another name first, so that the file never stands half made under its own.
    const std::filesystem::path path = database.filePath(table.id);
    std::filesystem::path making = path;
    making += ".naujas";
    std::filesystem::remove(making, error);
    {
        SqliteConnection connection(making, SqliteConnection::Mode::Create);
        TableFormat::create(connection, table);
    }
    std::filesystem::rename(making, path, error);
    if (error) {
        throw StoreFailure{{error.value(), error.message()}};
    }
}

} // namespace

Context::Context(Database& database) : database_(database), selectTexts_(std::make_unique<SelectTexts>()) {
    for (const TableDef& table : Dictionary::instance().tables()) {
        const auto i = std::size_t(table.id);
        tables_[i] = std::make_unique<Table>(*this, table.id, false);
        if (!table.secondPrefix.empty()) {
            seconds_[i] = std::make_unique<Table>(*this, table.id, true);
        }
    }
}

Context::~Context() {
    if (transaction_) {
        transaction_->rollback();
    }
}

const SqlQuery& Context::keyQuery(const TableDef& table, int key, bool secondBuffer) {
    std::unique_ptr<SqlQuery>& query = keyQueries_[{table.id, key, secondBuffer}];
    if (!query) {
        auto built = SqlQuery::build(ViewTables(table, secondBuffer), orderForKey(table, key, secondBuffer),
                                     Filter{}, Variables{});
        if (!built) {
            throw StoreFailure{StoreError::condition(StoreError::ViewNotOpened, built.error.message)};
        }
        query = std::make_unique<SqlQuery>(std::move(*built));
    }
    return *query;
}

Table& Context::table(TableId table) {
    return *tables_[std::size_t(table)];
}

Table& Context::second(TableId table) {
    Table* second = seconds_[std::size_t(table)].get();
    if (!second) {
        throw std::logic_error("lentelė " + std::string(Dictionary::instance().table(table).name) +
                               " neturi antro buferio");
    }
    return *second;
}

Table* Context::handle(TableId table, bool secondBuffer) {
    return secondBuffer ? seconds_[std::size_t(table)].get() : tables_[std::size_t(table)].get();
}

namespace {

// The contexts of this thread within a read moment, whose reads end before a message is shown.
thread_local std::vector<Context*> contextsInMoment;

} // namespace

void Context::ReadMoment::endReadsBeforeMessage() {
    for (Context* context : contextsInMoment) {
        context->endMomentReads();
    }
}

Context::ReadMoment::ReadMoment(Context& context) : context_(context) {
    if (context_.momentDepth_++ == 0) {
        static const bool installed = (setBeforeMessage(endReadsBeforeMessage), true);
        (void)installed;
        contextsInMoment.push_back(&context_);
    }
}

Context::ReadMoment::~ReadMoment() {
    if (--context_.momentDepth_ > 0) {
        return;
    }
    std::erase(contextsInMoment, &context_);
    context_.endMomentReads();
    std::vector<TableId> files;
    files.swap(context_.momentFiles_);
    for (TableId table : files) {
        context_.releaseFile(table);
    }
}

Context::Route Context::readRoute(TableId table) {
    const Route found = route(table);
    if (momentDepth_ == 0 || transaction_) {
        return found;
    }
    holdForMoment(table);
    if (!found.connection->inTransaction()) {
        beginMomentRead(*found.connection);
    }
    return found;
}

void Context::beginMomentRead(SqliteConnection& connection) {
    connection.prepare("BEGIN").execute();
    momentReads_.push_back(&connection);
}

void Context::holdForMoment(TableId table) {
    if (std::ranges::find(momentFiles_, table) == momentFiles_.end()) {
        ++files_[std::size_t(table)].users;
        momentFiles_.push_back(table);
    }
}

Context::Route Context::writeRoute(TableId table) {
    endMomentReads();
    return route(table);
}

void Context::endMomentReads() {
    for (SqliteConnection* connection : momentReads_) {
        try {
            if (connection->inTransaction()) {
                connection->prepare("COMMIT").execute(); // a read: only the locks to give back
            }
        } catch (const StoreFailure&) {
            // Closing the connection gives them back as well.
        }
    }
    momentReads_.clear();
}

bool Context::takeMomentRead(SqliteConnection& connection) {
    return std::erase(momentReads_, &connection) > 0;
}

Context::Route Context::route(TableId table) {
    const File& file = files_[std::size_t(table)];
    if (transaction_ && file.inTransaction) {
        return {files_[std::size_t(transactionHost_)].writer.get(), transactionHost_};
    }
    if (!file.reader) {
        throw StoreFailure{StoreError::condition(StoreError::FileNotOpen, Database::fileName(table))};
    }
    return {file.reader.get(), table};
}

std::string Context::schemaOn(const Route& route, TableId table) {
    if (table == route.main) {
        return "main";
    }
    std::string schema(Dictionary::instance().table(table).name);
    if (!route.connection->isAttached(schema)) {
        // A file is attached outside a transaction: the moment's read on the connection ends for it
        // and begins again.
        const bool inMoment = std::ranges::find(momentReads_, route.connection) != momentReads_.end() &&
                              route.connection->inTransaction();
        if (inMoment) {
            route.connection->prepare("COMMIT").execute();
        }
        route.connection->attach(database_.filePath(table), schema);
        if (inMoment) {
            route.connection->prepare("BEGIN").execute();
        }
    }
    return schema;
}

bool Context::reuseIdleFile(TableId id) {
    std::optional<Database::IdleFile> idle = database_.takeIdle(id);
    if (!idle) {
        return false;
    }
    // Within a moment the check is the moment's first read of the file: its lock is taken once.
    const bool inMoment = momentDepth_ > 0 && !transaction_;
    try {
        if (!idle->reader->filesUnchanged() || (idle->writer && !idle->writer->filesUnchanged())) {
            return false;
        }
        if (inMoment) {
            beginMomentRead(*idle->reader);
        }
        if (TableFormat::readyStamp(*idle->reader) != idle->readyStamp) {
            std::erase(momentReads_, idle->reader.get()); // its read ends as the connection closes
            return false;
        }
    } catch (const StoreFailure&) {
        std::erase(momentReads_, idle->reader.get());
        return false; // opened anew, with the opening's own messages
    }
    File& file = files_[std::size_t(id)];
    file.reader = std::move(idle->reader);
    file.writer = std::move(idle->writer);
    file.readyStamp = idle->readyStamp;
    if (inMoment) {
        holdForMoment(id);
    }
    return true;
}

void Context::openFile(TableId id) {
    File& file = files_[std::size_t(id)];
    if (file.reader || reuseIdleFile(id)) {
        return;
    }
    const TableDef& table = Dictionary::instance().table(id);
    const std::string name = Database::fileName(id);
    const std::filesystem::path path = database_.filePath(id);
    for (;;) {
        OpenAttempt attempt = attemptOpen(path, table);
        if (attempt.failure) {
            stop(WarningOpen, name, *attempt.failure);
        }
        if (attempt.missing) {
            attempt.connection.reset();
            try {
                createFile(database_, table);
            } catch (const StoreFailure& failure) {
                stop(WarningCreate, name, failure.condition);
            }
            attempt = attemptOpen(path, table);
            if (attempt.failure || attempt.missing || attempt.state != TableFormat::State::Ready) {
                stop(WarningOpenCreated, name,
                     attempt.failure ? *attempt.failure : StoreError::condition(StoreError::LayoutDiffers));
            }
        }
        switch (attempt.state) {
        case TableFormat::State::Ready:
            file.reader = std::move(attempt.connection);
            try {
                file.readyStamp = TableFormat::readyStamp(*file.reader);
            } catch (const StoreFailure&) {
                file.readyStamp = -1; // never taken again when idle: it is opened anew
            }
            setLastOperationError({});
            return;
        case TableFormat::State::LayoutDiffers:
            stop(WarningLayout, name, StoreError::condition(StoreError::LayoutDiffers));
        case TableFormat::State::KeysDamaged:
            setLastOperationError(StoreError::condition(StoreError::KeysMustBeRebuilt));
            standardWarning(WarningKeys, name); // No stops the program
            try {
                TableFormat::rebuildKeys(*attempt.connection, table);
            } catch (const StoreFailure& failure) {
                stop(WarningRebuild, name, failure.condition);
            }
            break; // and open again
        case TableFormat::State::Empty:
            break;
        }
    }
}

void Context::useFile(TableId table) {
    openFile(table);
    ++files_[std::size_t(table)].users;
}

void Context::releaseFile(TableId table) {
    File& file = files_[std::size_t(table)];
    if (--file.users == 0) {
        const bool settled = file.reader && !file.reader->inTransaction() &&
                             (!file.writer || !file.writer->inTransaction()) && file.readyStamp >= 0;
        if (settled) {
            file.reader->resetStatements();
            if (file.writer) {
                file.writer->resetStatements();
            }
            database_.keepIdle(table, {std::move(file.reader), std::move(file.writer), file.readyStamp});
        }
        std::erase(momentReads_, file.reader.get());
        file.writer.reset();
        file.reader.reset();
    }
}

void Context::beginTransaction(Transaction& transaction, std::span<const TableId> tables) {
    if (transaction_) {
        throw StoreFailure{
            StoreError::condition(StoreError::TransactionRefused, "jau vykdoma kita tranzakcija")};
    }
    endMomentReads();
    if (tables.empty()) {
        throw StoreFailure{StoreError::condition(StoreError::TransactionRefused, "nenurodyti failai")};
    }
    for (TableId table : tables) {
        if (!files_[std::size_t(table)].reader) {
            throw StoreFailure{StoreError::condition(StoreError::FileNotOpen, Database::fileName(table))};
        }
    }
    const TableId host = tables.front();
    File& hostFile = files_[std::size_t(host)];
    if (!hostFile.writer) {
        hostFile.writer =
            std::make_unique<SqliteConnection>(database_.filePath(host), SqliteConnection::Mode::Existing);
        TableFormat::useRollbackJournal(*hostFile.writer);
    }
    for (TableId table : tables.subspan(1)) {
        schemaOn({hostFile.writer.get(), host}, table);
    }
    // The write locks of the files, taken one by one in one fixed order, the dictionary's, whichever
    // table heads the transaction: two stations whose transactions share files queue at the first
    // file they share, and never each hold a file the other waits for. Each waits up to the busy
    // timeout (2 seconds).
    std::vector<TableId> ordered(tables.begin(), tables.end());
    std::ranges::sort(ordered);
    hostFile.writer->execute("BEGIN");
    try {
        for (TableId table : ordered) {
            const std::string_view name = Dictionary::instance().table(table).name;
            hostFile.writer->execute("DELETE FROM " + quoteName(table == host ? "main" : name) + "." +
                                     quoteName(name) + " WHERE 0"); // writes nothing, locks the file
        }
    } catch (const StoreFailure&) {
        hostFile.writer->execute("ROLLBACK");
        throw;
    }

    transaction_ = &transaction;
    transactionHost_ = host;
    for (TableId table : tables) {
        File& file = files_[std::size_t(table)];
        if (file.inTransaction) {
            continue; // named twice
        }
        file.inTransaction = true;
        ++file.users;
        for (Table* handle : handles_) {
            if (handle->id() == table) {
                handle->transactionBegins();
            }
        }
    }
}

void Context::endTransaction(bool committed) {
    File& host = files_[std::size_t(transactionHost_)];
    std::optional<StoreFailure> failure;
    if (committed) {
        try {
            host.writer->execute("COMMIT");
        } catch (const StoreFailure& commitFailure) {
            failure = commitFailure;
            committed = false;
        }
    }
    if (!committed && host.writer->inTransaction()) {
        try {
            host.writer->execute("ROLLBACK");
        } catch (const StoreFailure&) {
            // Closing the connection rolls the transaction back as well.
            host.writer.reset();
        }
    }
    transaction_ = nullptr;
    for (std::size_t i = 0; i < files_.size(); ++i) {
        File& file = files_[i];
        if (!file.inTransaction) {
            continue;
        }
        file.inTransaction = false;
        const auto table = TableId(i);
        if (!committed) {
            database_.noteWrite(table);
            for (Table* handle : handles_) {
                if (handle->id() == table) {
                    handle->transactionRolledBack();
                }
            }
        }
        releaseFile(table);
    }
    if (failure) {
        throw *failure;
    }
}

} // namespace nakva
