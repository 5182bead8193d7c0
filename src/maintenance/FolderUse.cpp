#include "maintenance/FolderUse.h"

#include "data/Database.h"

#include <fcntl.h>
#include <unistd.h>

namespace nakva {

std::filesystem::path FolderUse::lockFile(const Database& database) {
    return database.dataFolder() / LockFileName;
}

FolderUse::FolderUse(const Database& database, Kind kind) {
    descriptor_ = ::open(lockFile(database).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (descriptor_ < 0) {
        // No folder yet: nobody works there.
        acquired_ = kind == Kind::Shared && !std::filesystem::exists(database.dataFolder());
        return;
    }
    // An open-file-description lock: it belongs to this object, not to the process, so two marks of
    // one process exclude each other as those of two stations do.
    struct flock lock {};
    lock.l_type = kind == Kind::Shared ? F_RDLCK : F_WRLCK;
    lock.l_whence = SEEK_SET;
    lock.l_start = 0;
    lock.l_len = 1;
    acquired_ = ::fcntl(descriptor_, F_OFD_SETLK, &lock) == 0;
}

FolderUse::~FolderUse() {
    if (descriptor_ >= 0) {
        ::close(descriptor_);
    }
}

} // namespace nakva
