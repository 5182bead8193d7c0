#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace nakva {

// One record of a metafile: its function and its parameters, read as 16-bit words from the start of
// the parameters. Reads past the record's end give 0, so a short record never reads foreign bytes.
struct WmfRecord {
    std::uint16_t function = 0;
    std::span<const std::uint8_t> params;

    int words() const { return static_cast<int>(params.size() / 2); }
    std::uint16_t word(int index) const;
    std::int16_t signedWord(int index) const { return static_cast<std::int16_t>(word(index)); }
    std::uint32_t doubleWord(int index) const; // two words, low word first
    std::span<const std::uint8_t> bytesFrom(int wordIndex) const;
};

// A Windows metafile read into memory: the placeable header when there is one, the standard header
// and the records up to the end record. A page of a report, or a picture placed on one.
class WmfFile {
public:
    struct Placeable {
        std::int16_t left = 0;
        std::int16_t top = 0;
        std::int16_t right = 0;
        std::int16_t bottom = 0;
        std::uint16_t unitsPerInch = 0;
        std::uint16_t checksum = 0;
        bool checksumValid = false;
    };

    // Reads a metafile; a damaged one gives nullptr and a Lithuanian error text.
    static std::shared_ptr<const WmfFile> parse(std::vector<std::uint8_t> bytes,
                                                std::string* error = nullptr);
    static std::shared_ptr<const WmfFile> load(const std::filesystem::path& path,
                                               std::string* error = nullptr);

    const std::optional<Placeable>& placeable() const { return placeable_; }
    int objectCount() const { return objectCount_; } // the header's object table size
    std::uint32_t maxRecordWords() const { return maxRecordWords_; }
    std::uint32_t sizeWords() const { return sizeWords_; } // the header's file size, in words
    bool hasEndRecord() const { return hasEndRecord_; }
    const std::vector<WmfRecord>& records() const { return records_; } // the end record not included

    // The picture's frame in its own logical units: the placeable header's box, else the window
    // origin and extent that its records set. Width or height 0 when neither says.
    struct Frame {
        int left = 0;
        int top = 0;
        int width = 0;
        int height = 0;
    };
    Frame frame() const;

    WmfFile(const WmfFile&) = delete;
    WmfFile& operator=(const WmfFile&) = delete;

private:
    WmfFile() = default;

    std::vector<std::uint8_t> bytes_;
    std::optional<Placeable> placeable_;
    int objectCount_ = 0;
    std::uint32_t maxRecordWords_ = 0;
    std::uint32_t sizeWords_ = 0;
    bool hasEndRecord_ = false;
    std::vector<WmfRecord> records_;
};

} // namespace nakva
