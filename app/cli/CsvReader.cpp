#include "cli/CsvReader.h"

namespace nakva {

bool CsvReader::next(std::vector<std::string>& fields) {
    fields.clear();
    if (!started_) {
        started_ = true;
        const int first = in_.peek();
        if (first == 0xFF || first == 0xFE || first == 0) {
            // A byte-order mark of UTF-16, or the NUL of its first letter.
            error_ = "failas UTF-16 koduotės; įrašykite jį UTF-8 koduote.";
            return false;
        }
        if (first == 0xEF) {
            char mark[3];
            in_.read(mark, 3);
            if (std::string_view(mark, 3) != "\xEF\xBB\xBF") {
                error_ = "failas nėra UTF-8 tekstas.";
                return false;
            }
        }
    }
    if (in_.peek() == std::char_traits<char>::eof()) {
        return false;
    }
    recordLine_ = line_;
    std::string field;
    bool quoted = false;    // inside a quoted field
    bool wasQuoted = false; // the field began with a quote
    for (int c; (c = in_.get()) != std::char_traits<char>::eof();) {
        if (quoted) {
            if (c == '"') {
                if (in_.peek() == '"') {
                    field += '"';
                    in_.get();
                } else {
                    quoted = false;
                }
            } else {
                line_ += c == '\n' ? 1 : 0;
                field += char(c);
            }
            continue;
        }
        if (c == ',') {
            fields.push_back(std::move(field));
            field.clear();
            wasQuoted = false;
        } else if (c == '\r' && in_.peek() == '\n') {
            continue;
        } else if (c == '\n') {
            ++line_;
            fields.push_back(std::move(field));
            return true;
        } else if (c == '"' && field.empty() && !wasQuoted) {
            quoted = wasQuoted = true;
        } else if (wasQuoted) {
            recordLine_ = line_;
            error_ = "po kabutėse užrašyto lauko eina ne kablelis.";
            return false;
        } else if (c == '"') {
            recordLine_ = line_;
            error_ = "kabutė lauko viduje (toks laukas rašomas kabutėse, kabutė jame dvigubinama).";
            return false;
        } else {
            field += char(c);
        }
    }
    if (quoted) {
        error_ = "kabutėse pradėtas laukas neuždarytas.";
        return false;
    }
    fields.push_back(std::move(field));
    return true;
}

} // namespace nakva
