#include "data/RowCursor.h"

#include <algorithm>

namespace nakva {

void RowCursor::restart() {
    current_.reset();
    batch_.clear();
    lastLimit_ = 0;
    endsAfterBatch_ = false;
}

void RowCursor::start() {
    restart();
    anchor_ = Anchor::Start;
    anchorValues_.clear();
}

void RowCursor::startAtValues(std::vector<SqlValue> values) {
    restart();
    anchor_ = values.empty() ? Anchor::Start : Anchor::Values;
    anchorValues_ = std::move(values);
}

void RowCursor::startAtPosition(std::vector<SqlValue> values, std::int64_t rowid, bool including) {
    restart();
    anchor_ = Anchor::Position;
    anchorValues_ = std::move(values);
    anchorRowid_ = rowid;
    anchorIncluding_ = including;
}

void RowCursor::setCurrent(std::vector<SqlValue> values, std::int64_t rowid) {
    batch_.clear();
    lastLimit_ = 0;
    endsAfterBatch_ = false;
    current_ = Current{std::move(values), rowid};
}

Seek RowCursor::seekFor(ReadDirection) const {
    if (current_) {
        return {Seek::Kind::AfterPosition, current_->values, current_->rowid};
    }
    switch (anchor_) {
    case Anchor::Start:
        return {};
    case Anchor::Values:
        return {Seek::Kind::AtOrAfterValues, anchorValues_, 0};
    case Anchor::Position:
        return {anchorIncluding_ ? Seek::Kind::AtOrAfterPosition : Seek::Kind::AfterPosition, anchorValues_,
                anchorRowid_};
    }
    return {};
}

bool RowCursor::step(ReadDirection direction, std::uint64_t writeStamp, const Fetch& fetch, Row& row) {
    const bool readAhead = !batch_.empty() && batchDirection_ == direction && batchStamp_ == writeStamp;
    if (!readAhead && batch_.empty() && endsAfterBatch_ && batchDirection_ == direction &&
        batchStamp_ == writeStamp) {
        // The last batch came short: the order ended there. Once told, the next read asks again.
        endsAfterBatch_ = false;
        return false;
    }
    if (!readAhead) {
        // Each further batch in the same direction reads more, up to the limit of the kind of read.
        const bool continuing = lastLimit_ > 0 && batchDirection_ == direction;
        const int longest = longScan_ ? ScanBatch : LongBatch;
        const int limit =
            continuing ? std::min(lastLimit_ * 4, longest) : (longScan_ ? longest : firstBatch_);
        batch_.clear();
        fetch(seekFor(direction), direction, limit, batch_);
        batchDirection_ = direction;
        batchStamp_ = writeStamp;
        lastLimit_ = limit;
        endsAfterBatch_ = int(batch_.size()) < limit;
        if (batch_.empty()) {
            endsAfterBatch_ = false;
            return false;
        }
    }
    row = std::move(batch_.front());
    batch_.pop_front();
    current_ = Current{row.order, row.rowid};
    return true;
}

} // namespace nakva
