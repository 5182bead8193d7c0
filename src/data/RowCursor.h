#pragma once

#include "data/Record.h"
#include "data/SqlQuery.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

namespace nakva {

// The walking state of a sorted read, shared by table handles and views. It reads rows ahead in
// batches, each by one statement that is reset before the rows are handed out, so no read stays open
// between calls; the next batch starts after the last row handed out. Rows read ahead are dropped when
// the program wrote to one of the read tables meanwhile (the owner passes a write stamp).
class RowCursor {
public:
    struct Row {
        std::vector<Record> records;      // the main table's record, then each joined table's
        std::vector<std::int64_t> rowids; // 0 for a joined parent that is missing
        std::vector<std::int64_t> versions;
        std::vector<SqlValue> order; // the order values
        std::int64_t rowid = 0;      // the main record's
    };
    // Reads at most `limit` rows from `seek` in `direction` into `rows`.
    using Fetch =
        std::function<void(const Seek& seek, ReadDirection direction, int limit, std::deque<Row>& rows)>;

    static constexpr int FirstBatch = 16;
    static constexpr int LongBatch = 256;
    static constexpr int ScanBatch = 2048;

    // Where the next read starts: next reads from the first row, previous from the last.
    void start();
    // next: the first row whose order values are equal to or after `values` (a prefix of the order);
    // previous: the last row equal to or before them.
    void startAtValues(std::vector<SqlValue> values);
    // next: the row at the position (or, not including it, the one after); previous likewise backward.
    void startAtPosition(std::vector<SqlValue> values, std::int64_t rowid, bool including);
    // The row just read by other means (a get by key): next and previous go on from it.
    void setCurrent(std::vector<SqlValue> values, std::int64_t rowid);

    // Reads the following (or preceding) row; false at the end of the order.
    bool step(ReadDirection direction, std::uint64_t writeStamp, const Fetch& fetch, Row& row);

    // The number of rows the first batch after a start reads (a list's page).
    void setFirstBatch(int rows) { firstBatch_ = rows > 0 ? rows : FirstBatch; }
    // A long sequential read follows: read ahead in larger batches.
    void setLongScan(bool on) { longScan_ = on; }
    // Forgets the rows read ahead (after a rollback, say).
    void dropReadAhead() { batch_.clear(); }

private:
    enum class Anchor { Start, Values, Position };

    Seek seekFor(ReadDirection direction) const;
    void restart();

    Anchor anchor_ = Anchor::Start;
    std::vector<SqlValue> anchorValues_;
    std::int64_t anchorRowid_ = 0;
    bool anchorIncluding_ = true;

    struct Current {
        std::vector<SqlValue> values;
        std::int64_t rowid = 0;
    };
    std::optional<Current> current_;

    std::deque<Row> batch_;
    ReadDirection batchDirection_ = ReadDirection::Forward;
    std::uint64_t batchStamp_ = 0;
    int lastLimit_ = 0;
    bool endsAfterBatch_ = false; // the batch read fewer rows than asked for
    int firstBatch_ = FirstBatch;
    bool longScan_ = false;
};

} // namespace nakva
