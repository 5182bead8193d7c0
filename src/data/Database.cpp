#include "data/Database.h"

namespace nakva {

Database::Database(std::filesystem::path workingFolder)
    : workingFolder_(std::move(workingFolder)), istgPar_(TableId::IstgPar) {}

std::filesystem::path Database::dataFolder() const {
    return workingFolder_ / "DATA";
}

std::filesystem::path Database::filePath(TableId table) const {
    return workingFolder_ / fileName(table);
}

std::string Database::fileName(TableId table) {
    return Dictionary::instance().table(table).fileName();
}

std::uint64_t Database::writeCount(TableId table) const {
    return writes_[std::size_t(table)].load(std::memory_order_relaxed);
}

void Database::noteWrite(TableId table) {
    writes_[std::size_t(table)].fetch_add(1, std::memory_order_relaxed);
}

} // namespace nakva
