#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>

namespace nakva {

// The access code that the procedures which cannot be undone ask for (the removal of old registrations,
// the anonymisation of payers), on their window and in nakva-cli: "KT7315" or "MOLBERTAS" in any letter
// case; blanks after it do not matter, a blank before it makes it wrong.
bool accessCodeAccepted(std::string_view code);

// A procedure that works through many records one at a time (the removal of old registrations, the
// anonymisation of payers), without windows. A BatchRun drives it: the progress window from a timer,
// nakva-cli and the tests in a loop.
class BatchProcess {
public:
    enum class Step { More, Done, Failed };

    virtual ~BatchProcess() = default;

    // The text the progress window shows under its title.
    virtual std::string_view userText() const = 0;
    // Chooses what it will work on. False when it cannot begin at all (already reported).
    virtual bool start() = 0;
    // What the percentage counts against: a fixed estimate or the number start() found.
    virtual std::int64_t total() const = 0;
    // Handles one record: More, Done when nothing is left, Failed after reporting why (the run stops).
    virtual Step step() = 0;
    // "Nutraukti": the process stops at the next step, or first puts back what it must (step() then
    // goes on until Done). A process that cannot stop cleanly at this point says so here, and the
    // button is disabled meanwhile.
    virtual bool cancellable() const { return true; }
    virtual void cancel() = 0;
};

// One run of a batch process: the steps, 25 records an event cycle, and the progress texts.
//
//     BatchRun run(process);
//     if (run.start())
//         while (run.advance()) {}
class BatchRun {
public:
    static constexpr int RecordsPerCycle = 25;
    static constexpr std::string_view Title = "Processing Records";

    explicit BatchRun(BatchProcess& process) : process_(process) {}

    BatchProcess& process() const { return process_; }
    bool start();
    // Handles up to `records` more records; false once the run has ended.
    bool advance(int records = RecordsPerCycle);
    // "Nutraukti": ignored while the process cannot stop.
    void cancel();

    enum class State { Ready, Running, Done, Cancelled, Failed };
    State state() const { return state_; }
    bool ended() const {
        return state_ == State::Done || state_ == State::Cancelled || state_ == State::Failed;
    }

    std::int64_t recordsDone() const { return done_; }
    // Records done ÷ total × 100, whole, at most 100.
    int percent() const;
    // "0% Completed" at first, then the whole percentage followed by "% atlikta" once it moves, and
    // "Process Completed" when the process has completed.
    std::string progressText() const;

private:
    BatchProcess& process_;
    State state_ = State::Ready;
    bool cancelled_ = false;
    std::int64_t done_ = 0;
};

// Runs a process to its end without windows, writing every new progress text as a line to `progress`
// (nakva-cli: standard error).
BatchRun::State runBatch(BatchProcess& process, std::ostream& progress);

} // namespace nakva
