#include "data/Position.h"

namespace nakva {

namespace {

constexpr char Mark = 'P';
constexpr char FormatVersion = 1;
enum Tag : char { NullValue, IntegerValue, TextValue };

void putInteger(std::string& out, std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out += char((value >> (8 * i)) & 0xff);
    }
}

class Reader {
public:
    explicit Reader(std::string_view bytes) : bytes_(bytes) {}

    bool integer(std::uint64_t& value, int bytes) {
        if (bytes_.size() - at_ < std::size_t(bytes)) {
            return false;
        }
        value = 0;
        for (int i = 0; i < bytes; ++i) {
            value |= std::uint64_t(static_cast<unsigned char>(bytes_[at_++])) << (8 * i);
        }
        return true;
    }
    bool text(std::string& value, std::size_t length) {
        if (bytes_.size() - at_ < length) {
            return false;
        }
        value.assign(bytes_.substr(at_, length));
        at_ += length;
        return true;
    }
    bool atEnd() const { return at_ == bytes_.size(); }

private:
    std::string_view bytes_;
    std::size_t at_ = 0;
};

} // namespace

Position Position::fromBytes(std::string bytes) {
    return Position(std::move(bytes));
}

bool Position::sameRecord(const Position& other) const {
    const auto mine = parts();
    const auto theirs = other.parts();
    return mine && theirs && mine->table == theirs->table && mine->rowid == theirs->rowid;
}

Position Position::make(const Parts& parts) {
    std::string bytes{Mark, FormatVersion};
    putInteger(bytes, std::uint64_t(parts.table), 1);
    putInteger(bytes, parts.order, 4);
    putInteger(bytes, std::uint64_t(parts.rowid), 8);
    putInteger(bytes, parts.values.size(), 1);
    for (const Value& value : parts.values) {
        if (const auto* integer = std::get_if<std::int64_t>(&value)) {
            bytes += char(IntegerValue);
            putInteger(bytes, std::uint64_t(*integer), 8);
        } else if (const auto* text = std::get_if<std::string>(&value)) {
            bytes += char(TextValue);
            putInteger(bytes, text->size(), 2);
            bytes += *text;
        } else {
            bytes += char(NullValue);
        }
    }
    if (bytes.size() > MaxSize || parts.values.size() > 255) {
        return {};
    }
    return Position(std::move(bytes));
}

std::optional<Position::Parts> Position::parts() const {
    if (bytes_.size() < 2 || bytes_[0] != Mark || bytes_[1] != FormatVersion) {
        return std::nullopt;
    }
    Reader reader(std::string_view(bytes_).substr(2));
    Parts parts;
    std::uint64_t table = 0;
    std::uint64_t order = 0;
    std::uint64_t rowid = 0;
    std::uint64_t count = 0;
    if (!reader.integer(table, 1) || table >= std::uint64_t(TableCount) || !reader.integer(order, 4) ||
        !reader.integer(rowid, 8) || !reader.integer(count, 1)) {
        return std::nullopt;
    }
    parts.table = TableId(table);
    parts.order = std::uint32_t(order);
    parts.rowid = std::int64_t(rowid);
    for (std::uint64_t i = 0; i < count; ++i) {
        std::uint64_t tag = 0;
        if (!reader.integer(tag, 1)) {
            return std::nullopt;
        }
        if (tag == IntegerValue) {
            std::uint64_t value = 0;
            if (!reader.integer(value, 8)) {
                return std::nullopt;
            }
            parts.values.emplace_back(std::int64_t(value));
        } else if (tag == TextValue) {
            std::uint64_t length = 0;
            std::string text;
            if (!reader.integer(length, 2) || !reader.text(text, length)) {
                return std::nullopt;
            }
            parts.values.emplace_back(std::move(text));
        } else if (tag == NullValue) {
            parts.values.emplace_back();
        } else {
            return std::nullopt;
        }
    }
    if (!reader.atEnd()) {
        return std::nullopt;
    }
    return parts;
}

std::uint32_t Position::orderSignature(std::string_view orderText) {
    // FNV-1a: the same order text gives the same signature in every run of every program.
    std::uint32_t hash = 2166136261u;
    for (char c : orderText) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    }
    return hash;
}

} // namespace nakva
