#include "maintenance/BatchProcess.h"

#include "data/Text.h"

#include <algorithm>

namespace nakva {

bool accessCodeAccepted(std::string_view code) {
    const std::string typed = upper(trimRight(code));
    return typed == "KT7315" || typed == "MOLBERTAS";
}

bool BatchRun::start() {
    if (!process_.start()) {
        state_ = State::Failed;
        return false;
    }
    state_ = State::Running;
    return true;
}

bool BatchRun::advance(int records) {
    for (int i = 0; i < records && state_ == State::Running; ++i) {
        switch (process_.step()) {
        case BatchProcess::Step::More:
            ++done_;
            break;
        case BatchProcess::Step::Done:
            state_ = cancelled_ ? State::Cancelled : State::Done;
            break;
        case BatchProcess::Step::Failed:
            state_ = State::Failed;
            break;
        }
    }
    return state_ == State::Running;
}

void BatchRun::cancel() {
    if (state_ == State::Ready) {
        state_ = State::Cancelled;
    } else if (state_ == State::Running && process_.cancellable()) {
        cancelled_ = true;
        process_.cancel();
    }
}

int BatchRun::percent() const {
    const std::int64_t total = process_.total();
    if (total <= 0) {
        return done_ > 0 ? 100 : 0;
    }
    return int(std::min<std::int64_t>(100, done_ * 100 / total));
}

std::string BatchRun::progressText() const {
    if (state_ == State::Done) {
        return "Process Completed";
    }
    const int whole = percent();
    return whole == 0 ? "0% Completed" : std::to_string(whole) + "% atlikta";
}

BatchRun::State runBatch(BatchProcess& process, std::ostream& progress) {
    BatchRun run(process);
    std::string shown = run.progressText();
    progress << process.userText() << '\n' << shown << '\n';
    if (run.start()) {
        while (run.advance()) {
            if (std::string text = run.progressText(); text != shown) {
                progress << text << '\n';
                shown = std::move(text);
            }
        }
        if (std::string text = run.progressText(); text != shown) {
            progress << text << '\n';
        }
    }
    return run.state();
}

} // namespace nakva
