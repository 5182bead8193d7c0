#include "reports/ReportTotals.h"

#include <stdexcept>

namespace nakva {

void ReportTotals::setLevels(int levels) {
    groups_.assign(static_cast<std::size_t>(levels), Level{});
}

void ReportTotals::add(Level& level, int sum, const Decimal& value) {
    if (sum < 0) {
        throw std::out_of_range("report sum");
    }
    if (static_cast<std::size_t>(sum) >= level.sums.size()) {
        level.sums.resize(static_cast<std::size_t>(sum) + 1);
    }
    level.sums[static_cast<std::size_t>(sum)] += value;
}

const Decimal& ReportTotals::sumOf(const Level& level, int sum) {
    static const Decimal zero;
    return sum >= 0 && static_cast<std::size_t>(sum) < level.sums.size()
               ? level.sums[static_cast<std::size_t>(sum)]
               : zero;
}

void ReportTotals::add(int sum, const Decimal& value) {
    add(whole_, sum, value);
    for (Level& level : groups_) {
        add(level, sum, value);
    }
}

void ReportTotals::count() {
    ++whole_.records;
    for (Level& level : groups_) {
        ++level.records;
    }
}

const Decimal& ReportTotals::report(int sum) const {
    return sumOf(whole_, sum);
}

const Decimal& ReportTotals::group(int level, int sum) const {
    return sumOf(groups_.at(static_cast<std::size_t>(level)), sum);
}

std::int64_t ReportTotals::groupCount(int level) const {
    return groups_.at(static_cast<std::size_t>(level)).records;
}

void ReportTotals::startGroup(int level) {
    for (std::size_t deeper = static_cast<std::size_t>(level); deeper < groups_.size(); ++deeper) {
        groups_[deeper] = Level{};
    }
}

} // namespace nakva
