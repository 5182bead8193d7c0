#pragma once

#include "data/Position.h"
#include "data/Record.h"
#include "data/Variables.h"
#include "reports/PageFiles.h"
#include "reports/ReportLayout.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace nakva {

class Context;
class PageCanvas;
class View;

// One run of a report on a procedure context, without windows: the report's view read in steps, its
// bands composed into page files, its progress. Windows drive it from a timer, 25 records a tick;
// tests and nakva-cli drive it in a loop:
//
//     ReportRun run(SpPaslSar(), context);
//     run.start(glo());            // after the parameter dialog, if the report has one
//     while (run.advance()) {}
//     if (run.showsPreview()) ... run.takePages() ...
//
// Between steps no read is left open: each step starts again after the position the last one reached,
// so other stations can write while a long report runs. A read error other than the end stops the run
// with the file error message naming the table; a page that cannot be written stops it with the save
// failure message. Either way nothing is shown.
class ReportRun {
public:
    static constexpr int RecordsPerTick = 25;

    // Prepares the layout. Page files go into a scratch folder of the run's own below `pageFolder`
    // (the system's temporary folder when empty), removed with the run unless the pages are taken.
    ReportRun(const ReportSpec& definition, Context& context, const std::filesystem::path& pageFolder = {});
    ~ReportRun();
    ReportRun(const ReportRun&) = delete;
    ReportRun& operator=(const ReportRun&) = delete;

    const ReportSpec& definition() const { return definition_; }
    // Names the run binds besides the global parameters and its subject's fields, set before start().
    Variables& variables() { return variables_; }
    // The caller's current record for a report about one (ReportSpec::subject), given before start():
    // the highlighted registration of a list. Copied; without it start() takes the record in the
    // subject table's buffer on the context, and the buffer holds it again when the run ends.
    void setSubject(const Record& record);
    // Sees every finished page before it is written (tests read the texts drawn).
    void setPageObserver(std::function<void(const PageCanvas&)> observer) { observer_ = std::move(observer); }

    // Binds the global parameters as they are now and the subject's fields, opens the report's tables
    // and its view, and counts the records the view selects, which the percentage counts against. A
    // view that cannot be opened has shown its warning and selects nothing.
    void start(const Globals& globals);
    // Reads up to `records` more records and prints their bands. False once the run has ended: every
    // record read (the last page ended), a failure, or a cancel. A step reads its records in one
    // batch of its own size (the sequential read-ahead of a long scan would be thrown away by the
    // next step's fresh start).
    bool advance(int records = RecordsPerTick);
    // "Nutraukti": ends the run where it is. A report-style run ends its page and keeps what it
    // composed; a process-style run keeps nothing.
    void cancel();

    enum class State { Ready, Running, Done, Cancelled, Failed };
    State state() const { return state_; }
    bool ended() const {
        return state_ == State::Done || state_ == State::Cancelled || state_ == State::Failed;
    }

    // The progress window: its caption, and its text "37% atlikta" (process style) or "37%" (report
    // style), beginning "0% atlikta" and "0% ": the records read against those the view selects, as
    // counted when the run started (never above 100, though other stations add records meanwhile), so
    // that a long run shows how far it is and ends at 100.
    std::string_view progressCaption() const;
    int percent() const;
    std::string progressText() const;

    std::int64_t recordsRead() const { return read_; }
    std::int64_t recordsPrinted() const { return selected_; }
    ReportTotals& totals() { return scope_.totals(); }

    // Once ended: whether the pages go to the preview (a report-style run always; a process-style run
    // when it completed with something selected), and the pages themselves, whose files then belong
    // to the caller's PageFiles (see takePageFiles).
    bool showsPreview() const;
    // Whether the pages may be printed: only a whole report, from a run that read to its end. A
    // report-style run cancelled with "Nutraukti" shows what it composed, but its preview prints none
    // of it (nobody takes part of a report for all of it).
    bool printable() const { return state_ == State::Done; }
    const std::vector<std::filesystem::path>& pages() const;
    // The page files with their folder, which goes when the returned object does; pages() is empty
    // afterwards.
    std::unique_ptr<PageFiles> takePageFiles() { return std::move(files_); }

private:
    bool readFailed();
    bool printRecord();
    bool printFooters(std::size_t from);
    void keepLastRecord();
    void finishRun();
    void closeTables();
    SaveResult takePage(const PageCanvas& page);

    const ReportSpec& definition_;
    Context& context_;
    ReportScope scope_;
    ReportLayout layout_;
    std::unique_ptr<PageFiles> files_;
    std::unique_ptr<PageComposer> composer_;
    Variables variables_;
    std::unique_ptr<View> view_;
    std::vector<TableId> opened_;
    std::function<void(const PageCanvas&)> observer_;

    State state_ = State::Ready;
    Position saved_;                // where the last step stopped
    std::vector<std::string> keys_; // the present group of every level
    std::optional<Record> subject_;
    bool subjectFromBuffer_ = false; // put back into the buffer when the run ends
    std::vector<Record> last_;       // the buffers of the run's tables as the last record printed left them
    std::int64_t read_ = 0;
    std::int64_t selected_ = 0;
    std::int64_t selecting_ = 0; // what the view selected at the start
};

} // namespace nakva
