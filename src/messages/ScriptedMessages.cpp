#include "messages/ScriptedMessages.h"

#include "messages/MessageLayout.h"

namespace nakva {

int ScriptedMessages::show(const MessageRequest& request) {
    std::lock_guard lock(mutex_);
    int answer = 0;
    if (queued_.empty()) {
        answer = defaultAnswer(request);
    } else {
        answer = queued_.front();
        queued_.pop_front();
    }
    shown_.push_back(request);
    answers_.push_back(answer);
    return answer;
}

void ScriptedMessages::answerNext(int answer) {
    std::lock_guard lock(mutex_);
    queued_.push_back(answer);
}

std::vector<MessageRequest> ScriptedMessages::shown() const {
    std::lock_guard lock(mutex_);
    return shown_;
}

std::vector<int> ScriptedMessages::answers() const {
    std::lock_guard lock(mutex_);
    return answers_;
}

std::vector<std::string> ScriptedMessages::texts() const {
    std::lock_guard lock(mutex_);
    std::vector<std::string> texts;
    for (const MessageRequest& request : shown_)
        texts.push_back(request.text);
    return texts;
}

std::size_t ScriptedMessages::pendingAnswers() const {
    std::lock_guard lock(mutex_);
    return queued_.size();
}

void ScriptedMessages::clear() {
    std::lock_guard lock(mutex_);
    queued_.clear();
    shown_.clear();
    answers_.clear();
}

} // namespace nakva
