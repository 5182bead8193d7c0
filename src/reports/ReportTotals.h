#pragma once

#include "data/Decimal.h"

#include <cstdint>
#include <vector>

namespace nakva {

// The running totals of a report: a few exact sums and a record count, each kept for the whole report
// and for every group level (0 the outermost) since the level's present group began. The run starts a
// level's group again at each group break; the report's own code adds.
class ReportTotals {
public:
    void setLevels(int levels);
    int levels() const { return static_cast<int>(groups_.size()); }

    // Adds to sum `sum` of the report and of every group level; sums are numbered from 0 as the report
    // chooses and start at 0.
    void add(int sum, const Decimal& value);
    // Counts one record for the report and every group level.
    void count();

    const Decimal& report(int sum) const;
    const Decimal& group(int level, int sum) const;
    std::int64_t reportCount() const { return whole_.records; }
    std::int64_t groupCount(int level) const;

    // A new group begins at `level`: its sums and count, and those of every deeper level, are zero.
    void startGroup(int level);

private:
    struct Level {
        std::vector<Decimal> sums;
        std::int64_t records = 0;
    };
    static void add(Level& level, int sum, const Decimal& value);
    static const Decimal& sumOf(const Level& level, int sum);

    Level whole_;
    std::vector<Level> groups_;
};

} // namespace nakva
