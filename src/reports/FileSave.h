#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace nakva {

// Why a file could not be saved. A failed save never leaves a half-written file under the chosen
// name: the content goes to a temporary file in the same folder, which replaces the target only
// once it is complete.
enum class SaveFault {
    None,
    FolderNotWritable, // the folder is missing, read-only or forbidden
    DiskFull,
    SourceUnreadable, // a page file to be saved or converted cannot be read
    ConversionFailed, // the pages could not be turned into the document
    Other,
};

struct SaveResult {
    SaveFault fault = SaveFault::None;
    int systemError = 0; // errno, when the system refused
    std::string detail;  // the page or file concerned, for the message

    explicit operator bool() const { return fault == SaveFault::None; }
};

// Whether a save waits until the content is on the disk: documents the user keeps do; the scratch
// page files of a report run, which die with it, need not.
enum class Durability { Synced, Scratch };

SaveResult writeFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
                               Durability durability = Durability::Synced);
// A byte-for-byte copy, saved as above.
SaveResult copyFileAtomically(const std::filesystem::path& source, const std::filesystem::path& target);
// Reads a whole file; SourceUnreadable naming it on failure.
SaveResult readWholeFile(const std::filesystem::path& path, std::vector<std::uint8_t>& bytes);

// The fault of a system error number: EACCES → FolderNotWritable, ENOSPC → DiskFull, ...
SaveFault faultOfSystemError(int error);

// The message for a failed save of `path`, e.g.
// "Failo „/home/ana/Be pavadinimo.pdf“ išsaugoti nepavyko: diske nepakanka vietos."
std::string saveFailureText(const std::filesystem::path& path, const SaveResult& result);

} // namespace nakva
