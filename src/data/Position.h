#pragma once

#include "data/Dictionary.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

namespace nakva {

// The position of a stored record within a sort order: an opaque token of at most 1024 bytes by which
// the store re-reads the record and restarts a sorted read at it, even after the record itself is gone.
// It holds the table, the order it was taken in, the values of the order's components and the
// record's rowid. An empty position stands for none.
class Position {
public:
    static constexpr std::size_t MaxSize = 1024;
    using Value = std::variant<std::monostate, std::int64_t, std::string>;

    Position() = default;

    bool empty() const { return bytes_.empty(); }
    const std::string& bytes() const { return bytes_; }
    // A token kept elsewhere as bytes; checked when used.
    static Position fromBytes(std::string bytes);

    // Whether two positions name the same stored record, whatever its key values were when taken.
    bool sameRecord(const Position& other) const;
    friend bool operator==(const Position&, const Position&) = default;

    struct Parts {
        TableId table{};
        std::uint32_t order = 0; // signature of the sort order the values belong to
        std::int64_t rowid = 0;
        std::vector<Value> values;
    };
    // Empty when the values do not fit the token.
    static Position make(const Parts& parts);
    std::optional<Parts> parts() const;

    // The signature of a sort order, from a text that names it exactly.
    static std::uint32_t orderSignature(std::string_view orderText);

private:
    explicit Position(std::string bytes) : bytes_(std::move(bytes)) {}
    std::string bytes_;
};

} // namespace nakva
