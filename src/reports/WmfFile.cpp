#include "reports/WmfFile.h"

#include "reports/WmfFormat.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace nakva {

namespace {

std::uint16_t word16(std::span<const std::uint8_t> bytes, std::size_t offset) {
    if (offset + 2 > bytes.size()) {
        return 0;
    }
    return static_cast<std::uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

std::uint32_t word32(std::span<const std::uint8_t> bytes, std::size_t offset) {
    return word16(bytes, offset) | (static_cast<std::uint32_t>(word16(bytes, offset + 2)) << 16);
}

void setError(std::string* error, std::string text) {
    if (error) {
        *error = std::move(text);
    }
}

} // namespace

std::uint16_t WmfRecord::word(int index) const {
    return index < 0 ? 0 : word16(params, static_cast<std::size_t>(index) * 2);
}

std::uint32_t WmfRecord::doubleWord(int index) const {
    return word(index) | (static_cast<std::uint32_t>(word(index + 1)) << 16);
}

std::span<const std::uint8_t> WmfRecord::bytesFrom(int wordIndex) const {
    const std::size_t offset = static_cast<std::size_t>(std::max(wordIndex, 0)) * 2;
    return offset >= params.size() ? std::span<const std::uint8_t>() : params.subspan(offset);
}

std::shared_ptr<const WmfFile> WmfFile::parse(std::vector<std::uint8_t> bytes, std::string* error) {
    std::shared_ptr<WmfFile> file(new WmfFile);
    file->bytes_ = std::move(bytes);
    const std::span<const std::uint8_t> data = file->bytes_;

    std::size_t offset = 0;
    if (word32(data, 0) == wmf::PlaceableKey) {
        if (data.size() < wmf::PlaceableHeaderBytes) {
            setError(error, "Metafailas sugadintas: nepilna antraštė.");
            return nullptr;
        }
        Placeable placeable;
        placeable.left = static_cast<std::int16_t>(word16(data, 6));
        placeable.top = static_cast<std::int16_t>(word16(data, 8));
        placeable.right = static_cast<std::int16_t>(word16(data, 10));
        placeable.bottom = static_cast<std::int16_t>(word16(data, 12));
        placeable.unitsPerInch = word16(data, 14);
        placeable.checksum = word16(data, 20);
        std::uint16_t sum = 0;
        for (std::size_t i = 0; i < 10; ++i) {
            sum ^= word16(data, i * 2);
        }
        placeable.checksumValid = sum == placeable.checksum;
        file->placeable_ = placeable;
        offset = wmf::PlaceableHeaderBytes;
    }

    const std::uint16_t type = word16(data, offset);
    if (data.size() < offset + wmf::HeaderWords * 2 || (type != 1 && type != 2) ||
        word16(data, offset + 2) != wmf::HeaderWords) {
        setError(error, "Failas nėra Windows metafailas (WMF).");
        return nullptr;
    }
    file->sizeWords_ = word32(data, offset + 6);
    file->objectCount_ = word16(data, offset + 10);
    file->maxRecordWords_ = word32(data, offset + 12);
    offset += wmf::HeaderWords * 2;

    while (offset + 6 <= data.size()) {
        const std::uint32_t words = word32(data, offset);
        const std::uint16_t function = word16(data, offset + 4);
        if (words < 3 || words > (data.size() - offset) / 2) {
            setError(error, "Metafailas sugadintas: įrašas ties baitu " + std::to_string(offset) +
                                " netelpa faile.");
            return nullptr;
        }
        if (function == wmf::Eof) {
            file->hasEndRecord_ = true;
            break;
        }
        file->records_.push_back({function, data.subspan(offset + 6, words * 2 - 6)});
        offset += words * 2;
    }
    return file;
}

std::shared_ptr<const WmfFile> WmfFile::load(const std::filesystem::path& path, std::string* error) {
    std::ifstream in(path, std::ios::binary);
    std::vector<std::uint8_t> bytes;
    if (in) {
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    if (!in && !in.eof()) {
        setError(error, "Nepavyko perskaityti failo „" + path.string() + "“.");
        return nullptr;
    }
    return parse(std::move(bytes), error);
}

WmfFile::Frame WmfFile::frame() const {
    if (placeable_) {
        return {placeable_->left, placeable_->top, placeable_->right - placeable_->left,
                placeable_->bottom - placeable_->top};
    }
    Frame frame;
    bool originSet = false;
    bool extentSet = false;
    for (const WmfRecord& record : records_) {
        if (record.function == wmf::SetWindowOrg && !originSet) {
            frame.top = record.signedWord(0);
            frame.left = record.signedWord(1);
            originSet = true;
        } else if (record.function == wmf::SetWindowExt && !extentSet) {
            frame.height = record.signedWord(0);
            frame.width = record.signedWord(1);
            extentSet = true;
        }
    }
    return frame;
}

} // namespace nakva
