#pragma once

#include "messages/Message.h"

#include <deque>
#include <mutex>
#include <string>
#include <vector>

namespace nakva {

// A sink for tests: remembers every request shown and answers from a queue of given answers, or with
// the request's default button once the queue is empty.
//
//     ScriptedMessages messages;
//     ScopedMessageSink guard(messages);
//     messages.answerNext(ButtonYes);
//     ... code that asks ...
//     EXPECT_EQ(messages.shown().at(0).text, "Ar išsaugoti pakeitimus?");
class ScriptedMessages : public MessageSink {
public:
    int show(const MessageRequest& request) override;

    void answerNext(int answer);
    std::vector<MessageRequest> shown() const;
    std::vector<int> answers() const;       // what each shown request was answered
    std::vector<std::string> texts() const; // the shown texts, in order
    std::size_t pendingAnswers() const;
    void clear(); // forgets what was shown and the answers not yet used

private:
    mutable std::mutex mutex_;
    std::deque<int> queued_;
    std::vector<MessageRequest> shown_;
    std::vector<int> answers_;
};

} // namespace nakva
