#pragma once

#include "data/Database.h"
#include "data/Dictionary.h"

#include <array>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <tuple>
#include <vector>

namespace nakva {

class SqliteConnection;
class SelectTexts;
class SqlQuery;
class Table;
class Transaction;

// A procedure context: what the system's procedures call a thread. Each list, form or report started
// from the menu gets its own; the procedures it calls share it. It has its own table handle, record
// buffer and open counter for every table (the IstgPar buffer is shared by every context), and a second
// handle for the tables with a second buffer (KMB1, SKMB1, SAS1).
//
// Connections: a context opens one SQLite connection per table it uses, with the table's file as main
// database; views attach the files of the parents they join. A transaction runs on a connection of its
// own whose main database is the first (parent) table's file, with the other tables' files attached
// (at most six tables; SQLite allows ten attached files), so that its commit is atomic across all of
// them; while it runs, every read and write of its tables on this context goes through it. When the
// last handle of a table closes, its connections go to the database's idle ones (Database::keepIdle),
// where the next context to open the table finds them, statements prepared.
class Context {
public:
    explicit Context(Database& database);
    ~Context();
    Context(const Context&) = delete;
    Context& operator=(const Context&) = delete;

    Database& database() const { return database_; }

    Table& table(TableId table);
    // The second buffer's handle: KMB1, SKMB1, SAS1. Any other table is a programming error
    // (std::logic_error).
    Table& second(TableId table);
    Table* handle(TableId table, bool secondBuffer);

    bool inTransaction() const { return transaction_ != nullptr; }

    // Reads that belong together (a form's record with its totals and child lists as its window opens,
    // a list's page with its edges) share one read transaction on each connection they use, and the
    // files they open stay open until the moment ends: each file is locked once for them all, not once
    // for every statement. Brief by nature: the moment's reads end before any write on this context and
    // before any message waits for the user; the reads after that begin anew. Moments nest.
    class ReadMoment {
    public:
        explicit ReadMoment(Context& context);
        ~ReadMoment();
        ReadMoment(const ReadMoment&) = delete;
        ReadMoment& operator=(const ReadMoment&) = delete;

    private:
        static void endReadsBeforeMessage();
        Context& context_;
    };

    // The sorted read along a key, built once for every handle of the table on this context.
    const SqlQuery& keyQuery(const TableDef& table, int key, bool secondBuffer);
    // The select texts written for the reads on this context.
    SelectTexts& selectTexts() { return *selectTexts_; }

    // Handles a procedure makes for itself on this context (Table(context, id, secondBuffer)) have their
    // own buffers and current records but share the context's files, counters and transactions.

private:
    friend class Table;
    friend class Transaction;
    friend class View;

    struct File {
        std::unique_ptr<SqliteConnection> reader; // this table's file as main; open while handles use it
        std::unique_ptr<SqliteConnection> writer; // carries the transactions this table heads
        int users = 0;                            // open handles, and a running transaction
        bool inTransaction = false;
        std::int64_t readyStamp = -1; // the file's when its layout was found right
    };

    // The connection and schema through which this context reaches a table now. Throws StoreFailure
    // when the table is not open here.
    struct Route {
        SqliteConnection* connection = nullptr;
        TableId main{}; // the table whose file is the connection's main database
    };
    Route route(TableId table);
    // The route of a read: within a moment, its connection reads in the moment's transaction and its
    // file stays open until the moment ends.
    Route readRoute(TableId table);
    // The route of a write outside a transaction: the moment's reads end first, so that the write
    // commits at once and no read lock of this context holds it back.
    Route writeRoute(TableId table);
    // Begins the present moment's read on a connection.
    void beginMomentRead(SqliteConnection& connection);
    // Keeps the table's file open to the end of the present moment.
    void holdForMoment(TableId table);
    // Ends the read transactions the present moment began (the moment itself goes on).
    void endMomentReads();
    // A view that holds its own moment takes over the read transaction a context moment began on its
    // connection; false when the moment had none there.
    bool takeMomentRead(SqliteConnection& connection);
    // The schema under which `table` is reached on a route's connection, attaching its file if needed.
    std::string schemaOn(const Route& route, TableId table);

    // The opening algorithm for the first handle of a table (messages, creation, repair, stop).
    void openFile(TableId table);
    // Takes the table's idle connections kept by the database when they still stand for the file
    // as its layout was found right.
    bool reuseIdleFile(TableId table);
    void useFile(TableId table);
    void releaseFile(TableId table);

    // Transactions (Transaction.h).
    void beginTransaction(Transaction& transaction, std::span<const TableId> tables);
    void endTransaction(bool committed);

    Database& database_;
    std::array<File, TableCount> files_;
    std::vector<Table*> handles_; // every handle made on this context, its own and those of procedures
    std::array<std::unique_ptr<Table>, TableCount> tables_;
    std::array<std::unique_ptr<Table>, TableCount> seconds_;
    std::map<std::tuple<TableId, int, bool>, std::unique_ptr<SqlQuery>> keyQueries_;
    std::unique_ptr<SelectTexts> selectTexts_;
    Transaction* transaction_ = nullptr;
    TableId transactionHost_{};
    int momentDepth_ = 0;
    std::vector<SqliteConnection*> momentReads_; // connections in the moment's read transaction
    std::vector<TableId> momentFiles_;           // files the moment keeps open
};

} // namespace nakva
