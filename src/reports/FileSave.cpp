#include "reports/FileSave.h"

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace nakva {

namespace {

SaveResult systemFailure(int error, std::string detail = {}) {
    return {faultOfSystemError(error), error, std::move(detail)};
}

// Writes all bytes, resuming after interruptions and short writes.
bool writeAll(int fd, std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes = bytes.subspan(static_cast<std::size_t>(written));
    }
    return true;
}

} // namespace

SaveFault faultOfSystemError(int error) {
    switch (error) {
    case EACCES:
    case EPERM:
    case EROFS:
    case ENOENT:
    case ENOTDIR:
        return SaveFault::FolderNotWritable;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return SaveFault::DiskFull;
    default:
        return SaveFault::Other;
    }
}

SaveResult writeFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
                               Durability durability) {
    static std::atomic<unsigned> counter = 0;
    const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : ".";

    std::filesystem::path temporary;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        std::string name = ".";
        name += path.filename().string();
        name += '.';
        name += std::to_string(::getpid());
        name += '.';
        name += std::to_string(counter++);
        name += ".tmp";
        temporary = folder / name;
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) {
            return systemFailure(errno);
        }
    }
    if (fd < 0) {
        return systemFailure(EEXIST);
    }

    int error = 0;
    if (!writeAll(fd, bytes) || (durability == Durability::Synced && ::fsync(fd) != 0)) {
        error = errno;
    }
    if (::close(fd) != 0 && error == 0) {
        error = errno;
    }
    if (error == 0 && ::rename(temporary.c_str(), path.c_str()) != 0) {
        error = errno;
    }
    if (error != 0) {
        ::unlink(temporary.c_str());
        return systemFailure(error);
    }
    return {};
}

SaveResult readWholeFile(const std::filesystem::path& path, std::vector<std::uint8_t>& bytes) {
    bytes.clear();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return {SaveFault::SourceUnreadable, errno, path.string()};
    }
    std::uint8_t buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            const int error = got < 0 ? errno : 0;
            ::close(fd);
            if (got < 0) {
                return {SaveFault::SourceUnreadable, error, path.string()};
            }
            return {};
        }
        bytes.insert(bytes.end(), buffer, buffer + got);
    }
}

SaveResult copyFileAtomically(const std::filesystem::path& source, const std::filesystem::path& target) {
    std::vector<std::uint8_t> bytes;
    if (SaveResult read = readWholeFile(source, bytes); !read) {
        return read;
    }
    return writeFileAtomically(target, bytes);
}

std::string saveFailureText(const std::filesystem::path& path, const SaveResult& result) {
    std::string text = "Failo „" + path.string() + "“ išsaugoti nepavyko";
    switch (result.fault) {
    case SaveFault::None:
        break;
    case SaveFault::FolderNotWritable: {
        const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : ".";
        text += ": aplanko „" + folder.string() + "“ nėra arba į jį rašyti negalima";
        break;
    }
    case SaveFault::DiskFull:
        text += ": diske nepakanka vietos";
        break;
    case SaveFault::SourceUnreadable:
        text += ": nepavyko perskaityti ataskaitos lapo failo „" + result.detail + "“";
        break;
    case SaveFault::ConversionFailed:
        text += ": ataskaitos lapų nepavyko paversti PDF dokumentu";
        if (!result.detail.empty()) {
            text += " (" + result.detail + ")";
        }
        break;
    case SaveFault::Other:
        text += " (sistemos klaida " + std::to_string(result.systemError) + ")";
        break;
    }
    return text + ".";
}

} // namespace nakva
