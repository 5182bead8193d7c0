#include "data/Database.h"

#include "data/SqliteConnection.h"

#include <algorithm>
#include <chrono>
#include <fstream>
#include <iterator>
#include <vector>

namespace nakva {

namespace {

// A commit over several files leaves, until it ends, a super-journal beside the first file
// ("Saskait.tps-mj1A2B3C4D") whose name each file's journal holds at its end. One that no journal
// names belongs to no transaction: its commit ended, or died before any file depended on it.
bool namedByAJournal(const std::filesystem::path& superJournal,
                     const std::vector<std::filesystem::path>& journals) {
    const std::string name = superJournal.filename().string();
    for (const auto& journal : journals) {
        // The name stands at the journal's end, after the pages.
        std::ifstream in(journal, std::ios::binary | std::ios::ate);
        const std::streamoff size = in.tellg();
        in.seekg(std::max<std::streamoff>(0, size - 65536));
        const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (text.find(name) != std::string::npos) {
            return true;
        }
    }
    return false;
}

// Removes the super-journals that a killed program left behind. One younger than a minute is left
// alone: it may belong to a commit that is naming it in its journals just now.
void removeLeftoverSuperJournals(const std::filesystem::path& folder) {
    std::error_code error;
    std::vector<std::filesystem::path> journals;
    std::vector<std::filesystem::path> superJournals;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        if (name.ends_with(".tps-journal")) {
            journals.push_back(entry.path());
        } else if (name.find(".tps-mj") != std::string::npos) {
            superJournals.push_back(entry.path());
        }
    }
    const auto settled = std::filesystem::file_time_type::clock::now() - std::chrono::minutes(1);
    for (const auto& superJournal : superJournals) {
        const auto written = std::filesystem::last_write_time(superJournal, error);
        if (!error && written < settled && !namedByAJournal(superJournal, journals)) {
            std::filesystem::remove(superJournal, error);
        }
    }
}

} // namespace

Database::Database(std::filesystem::path workingFolder)
    : workingFolder_(std::move(workingFolder)), istgPar_(TableId::IstgPar) {
    removeLeftoverSuperJournals(dataFolder());
}

Database::~Database() = default;

namespace {
// Idle connections kept per table: enough for the windows that open and close a table in turn.
constexpr std::size_t IdlePerTable = 2;
} // namespace

void Database::keepIdle(TableId table, IdleFile file) {
    const std::lock_guard lock(idleMutex_);
    std::vector<IdleFile>& idle = idle_[std::size_t(table)];
    if (idle.size() < IdlePerTable) {
        idle.push_back(std::move(file));
    }
}

std::optional<Database::IdleFile> Database::takeIdle(TableId table) {
    const std::lock_guard lock(idleMutex_);
    std::vector<IdleFile>& idle = idle_[std::size_t(table)];
    if (idle.empty()) {
        return std::nullopt;
    }
    IdleFile file = std::move(idle.back());
    idle.pop_back();
    return file;
}

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
