#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace nakva {

class ListEngine;
class View;

// "Eksportuoti…" of a list window: every row of its shown tab, in its order and filter, not only the
// page, with the columns as the list shows them, as a CSV file that a spreadsheet in a Lithuanian
// locale opens directly: UTF-8 with a byte-order mark, ";" between fields, numbers with the decimal
// places shown and a decimal comma, a field quoted when it holds ";", a quote or a line end, lines
// ended by CR LF; a text the spreadsheet would take for a formula ("=HYPERLINK(...)", "@SUM(...)")
// gets a leading apostrophe and stays a text. The file is written under a temporary name beside the target
// and takes the target's name only when whole: a failed or cancelled export leaves nothing, and an older file
// of that name stays as it was. Runs in steps so that a window can show its progress:
//
//     ListExport csv(list, "Valstybes.csv");
//     if (csv.start())
//         while (csv.step(200)) ... show csv.done() of csv.total() ...;
//
// A failure shows its message ("Eksportavimas") and ends the export.
class ListExport {
public:
    enum class State { Ready, Running, Done, Failed, Cancelled };

    ListExport(ListEngine& list, std::filesystem::path target);
    ~ListExport();
    ListExport(const ListExport&) = delete;
    ListExport& operator=(const ListExport&) = delete;

    // Opens the list's rows and the temporary file and writes the headings (when the list has any);
    // false when it failed.
    bool start();
    // Writes up to `rows` more rows; at the last one the file takes its name. True while rows remain.
    bool step(int rows);
    void cancel();

    State state() const { return state_; }
    std::int64_t done() const { return done_; }
    std::int64_t total() const { return total_; }
    const std::filesystem::path& target() const { return target_; }

    // One line of the file: the fields joined by ";", quoted where needed, numbers with a decimal comma
    // where `numeric` says so, formulas made texts.
    static std::string line(const std::vector<std::string>& fields, const std::vector<bool>& numeric);

private:
    void fail(const std::string& reason);
    void finish();
    void stop(State state);

    ListEngine& list_;
    std::filesystem::path target_;
    std::filesystem::path partial_;
    std::ofstream file_;
    std::unique_ptr<View> rows_;
    std::vector<bool> numeric_;
    State state_ = State::Ready;
    std::int64_t done_ = 0;
    std::int64_t total_ = 0;
};

} // namespace nakva
