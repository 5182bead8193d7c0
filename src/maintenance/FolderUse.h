#pragma once

#include <filesystem>
#include <string_view>

namespace nakva {

class Database;

// The mark a station leaves on a data folder while it works there: a shared lock on DATA/nakva.lock,
// which the operating system lets go of when the process ends, however it ends. Restoring a backup
// needs the folder to itself: it takes the lock exclusively, which fails while any station holds
// its mark. The locks are the same byte-range locks SQLite uses, so they hold across a network share.
class FolderUse {
public:
    enum class Kind { Shared, Exclusive };

    // acquired() tells whether the lock was got: a shared one fails only while a restore runs (and
    // needs no mark where there is no DATA folder yet), an exclusive one while anyone else uses the
    // folder.
    FolderUse(const Database& database, Kind kind);
    ~FolderUse();
    FolderUse(const FolderUse&) = delete;
    FolderUse& operator=(const FolderUse&) = delete;

    bool acquired() const { return acquired_; }

    static constexpr std::string_view LockFileName = "nakva.lock";
    static std::filesystem::path lockFile(const Database& database);

private:
    int descriptor_ = -1;
    bool acquired_ = false;
};

} // namespace nakva
