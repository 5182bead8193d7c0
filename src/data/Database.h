#pragma once

#include "data/Dictionary.h"
#include "data/Record.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace nakva {

class SqliteConnection;

// The program's data: the folder DATA below a working folder, one file per table (DATA/Kamb.tps), and
// what every procedure context of the program shares: the single IstgPar record buffer and a count of
// the writes made to each table, by which a context knows that rows it read ahead are out of date.
// Procedures work through a Context (Context.h) made on a Database.
class Database {
public:
    // Removes the super-journals a killed program left in DATA that no journal names any more.
    explicit Database(std::filesystem::path workingFolder = std::filesystem::current_path());
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    const std::filesystem::path& workingFolder() const { return workingFolder_; }
    std::filesystem::path dataFolder() const;
    std::filesystem::path filePath(TableId table) const;
    // The name as messages show it: "DATA/Kamb.tps".
    static std::string fileName(TableId table);

    // The IstgPar record buffer, shared by every context.
    Record& istgPar() { return istgPar_; }

    std::uint64_t writeCount(TableId table) const;
    void noteWrite(TableId table);

    // A table's connections that no context uses any more stay open here, their statements prepared,
    // for the next context that opens the table: opening a file anew (its layout checked, its
    // statements prepared again) costs far more than reading a few records. The context checks them
    // before it uses them again.
    struct IdleFile {
        std::unique_ptr<SqliteConnection> reader;
        std::unique_ptr<SqliteConnection> writer;
        std::int64_t readyStamp = -1; // as it was when the layout was last found right
    };
    void keepIdle(TableId table, IdleFile file);
    std::optional<IdleFile> takeIdle(TableId table);

private:
    std::filesystem::path workingFolder_;
    Record istgPar_;
    std::array<std::atomic<std::uint64_t>, TableCount> writes_{};
    std::mutex idleMutex_;
    std::array<std::vector<IdleFile>, TableCount> idle_;
};

} // namespace nakva
