#pragma once

#include "data/Expression.h"
#include "data/Position.h"
#include "data/RowCursor.h"
#include "data/SqlQuery.h"
#include "data/StoreError.h"
#include "data/Variables.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <unordered_set>
#include <vector>

namespace nakva {

class SqliteConnection;
class Table;

// A sorted, filtered read of a table through a handle (the context's or a procedure's own), optionally
// joined to the parent records that its relations name: each row read fills the handle's buffer and the
// joined parents' buffers on the same context (a missing parent's buffer is cleared), and makes the record
// the handle's current one, so the handle can put or remove it.
//
//     View view(context.table(TableId::Saskait));
//     view.setOrder("+SAS:IrasoDt,+SAS:IrasoNr");
//     view.setFilter("SAS:IrasoDt >= GLO:PrDt AND SAS:IrasoDt <= GLO:GalDt");
//     view.variables().set("GLO:PrDt", from);   // named variables, bound before opening
//     if (view.open() == StoreStatus::Ok)
//         for (view.setToStart(); view.next() == StoreStatus::Ok;) ...
//
// The order and filter become one SQL query that reads along the keys; values are always bound,
// never written into the query's text. A view whose order or filter cannot be understood or prepared
// shows warning 36 on open and then yields no records at all: it never reads unfiltered. Order,
// filter and variables may change between openings.
class View {
public:
    // `outer`: the program-wide variables that the view's own ones fall back to.
    explicit View(Table& main, const Variables* outer = nullptr);
    ~View();
    View(const View&) = delete;
    View& operator=(const View&) = delete;

    // Joins a parent that the main table's relations reach (with the tables in between); false when
    // none leads there. Takes effect at the next open. A required parent leaves out the rows that lack
    // it, and a filter on its fields can then read along its keys (the stays of a period found by the
    // registrations' dates, not by reading every room row).
    bool join(TableId parent, bool secondBuffer = false, bool required = false);
    void setOrder(std::string order) {
        order_ = std::move(order);
        signature_.reset();
    }
    void setFilter(std::string filter) { filter_ = std::move(filter); }
    Variables& variables() { return variables_; }

    // Reads the order, the filter and the variables' present values. Every joined table must be open
    // on the context.
    StoreStatus open();
    void close();
    bool isOpen() const { return query_ != nullptr; }

    // As the table handle's: next reads from the first row (previous from the last), from the first row
    // whose order values are equal to or after those in the buffers (previous: the last one equal to or
    // before them), or from a position: the row at it, or, not including it, the row after it (before
    // it, for previous).
    StoreStatus setToStart();
    StoreStatus setToKeyValue();
    StoreStatus setToPosition(const Position& position, bool including = true);
    StoreStatus next();
    StoreStatus previous();

    // The fields of the order, in its order: as the open query has bound them, or, before an open or
    // after a failed one, those of its names that the dictionary knows.
    std::vector<FieldRef> orderFields() const;
    // The current row's position in the view's order; empty when there is none.
    Position position() const;
    // The number of rows the filter passes (0 for a view that failed to open).
    StoreStatus count(std::int64_t& count);
    // One field of the first (`last`: the last) row in the view's order, read alone: a list's scroll
    // thumb needs no more of its ends. EndOfData when no row passes. Leaves the buffers and the place
    // of next() and previous() as they were.
    StoreStatus edgeValue(bool last, const FieldRef& field, Value& value);
    // The sums of the main table's number fields (by index) over the rows the filter passes, and
    // their count, in one read: a total need not fetch every row. A sum that leaves the numbers a
    // field can hold is a failure (its field's width is the caller's to check).
    StoreStatus sum(std::span<const int> fields, std::vector<Decimal>& sums, std::int64_t& count);

    // How many rows the first read after a start fetches: a list's page.
    void setPageSize(int rows) { cursor_.setFirstBatch(rows); }
    void scanHint(bool on) { cursor_.setLongScan(on); }
    // Every row read from the next open to close() comes from one moment of the files: a read
    // transaction over them is held meanwhile, so a record whose key moves during the read is read
    // once, neither twice nor never (other stations' writes wait for it, up to their 2 seconds). For an
    // export or a batch selection; a list or a report, which lets others write between its steps,
    // never holds one.
    void holdOneMoment() { oneMoment_ = true; }
    // From the next open on, next() hands out each record once, however the read is restarted
    // (setToPosition) between steps: a record another station moved further along the order meanwhile
    // is not read a second time. For a report, which reads in steps and lets others write between them.
    void readEachRecordOnce() { once_ = true; }

private:
    StoreStatus read(ReadDirection direction);
    void fetch(const Seek& seek, ReadDirection direction, int limit, std::deque<RowCursor::Row>& rows);
    std::uint64_t writeStamp() const;
    // The buffer of a view table: the main handle, or the context's handle of a joined parent.
    Table& handleFor(const TableDef& table, bool secondBuffer) const;
    Value fieldValue(const FieldRef& field) const;
    std::uint32_t signature() const;
    // The connection the view reads through now, with every table of the query reachable on it.
    SqliteConnection& connect();
    SqlSpelling spelling() const;

    Table& main_;
    ViewTables requested_;
    std::string order_;
    mutable std::optional<std::uint32_t> signature_; // of order_, as positions carry it
    std::string filter_;
    Variables variables_;

    std::shared_ptr<const SqlQuery> query_; // shared with the context's cache of built queries
    bool failed_ = false;                   // the last open failed: no rows at all
    std::vector<Table*> handles_;           // the buffers of the query's tables, in its order
    std::vector<std::string> columns_;
    std::array<std::string, TableCount> schemas_; // each query table's schema on the present connection
    RowCursor cursor_;
    std::int64_t currentRowid_ = 0;
    bool oneMoment_ = false;
    bool once_ = false;
    std::unordered_set<std::int64_t> handedOut_; // the main rowids next() gave since the open
    SqliteConnection* moment_ = nullptr;         // the connection whose read transaction this view holds
};

} // namespace nakva
