#include "messages/StreamMessageSink.h"

#include "messages/MessageLayout.h"

#include <ostream>

namespace nakva {

namespace {

std::string withoutAccessMarks(std::string_view caption) {
    std::string plain;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size())
            ++i; // "&&" stands for one "&"
        plain += caption[i];
    }
    return plain;
}

} // namespace

StreamMessageSink::StreamMessageSink(std::ostream& out) : out_(out) {}

int StreamMessageSink::show(const MessageRequest& request) {
    const MessageLayout layout = layoutMessage(request);
    std::lock_guard lock(mutex_);
    out_ << layout.title << ": ";
    for (std::size_t i = 0; i < layout.rows.size(); ++i)
        out_ << (i == 0 ? "" : "  ") << layout.rows[i] << '\n';
    const MessageLayoutButton& answer = layout.buttons[layout.defaultIndex];
    if (layout.buttons.size() > 1)
        out_ << "  Atsakymas: " << withoutAccessMarks(answer.caption) << '\n';
    out_.flush();
    return answer.result;
}

} // namespace nakva
