#pragma once

#include <istream>
#include <string>
#include <vector>

namespace nakva {

// Reads CSV as RFC 4180 writes it: fields separated by commas, records by CRLF (a bare LF too),
// a field in double quotes may hold commas, line breaks and doubled quotes. A UTF-8 byte order mark
// before the first record is skipped.
class CsvReader {
public:
    explicit CsvReader(std::istream& in) : in_(in) {}

    // The next record's fields; false at the end of the input or on malformed text (error() says so).
    bool next(std::vector<std::string>& fields);
    // The line on which the record last read begins (from 1); after an error, the line of the error.
    int line() const { return recordLine_; }
    // Empty unless the text broke the rules; then what was wrong, in Lithuanian, without the line.
    const std::string& error() const { return error_; }

private:
    std::istream& in_;
    int line_ = 1;
    int recordLine_ = 0;
    bool started_ = false;
    std::string error_;
};

} // namespace nakva
