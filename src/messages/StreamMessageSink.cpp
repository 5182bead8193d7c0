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

// Without the window's own instruction to press its OK button ("Paspauskite GERAI ir užbaikite
// programą."), which a command line has none of: the sentence and the blanks before it go.
std::string withoutOkInstruction(std::string text) {
    constexpr std::string_view Instruction = "Paspauskite GERAI";
    for (auto at = text.find(Instruction); at != std::string::npos; at = text.find(Instruction, at)) {
        const auto dot = text.find('.', at);
        const auto end = dot == std::string::npos ? text.size() : dot + 1;
        auto begin = at;
        while (begin > 0 && text[begin - 1] == ' ') {
            --begin;
        }
        text.erase(begin, end - begin);
        at = begin;
    }
    return text;
}

} // namespace

StreamMessageSink::StreamMessageSink(std::ostream& out) : out_(out) {}

int StreamMessageSink::show(const MessageRequest& request) {
    MessageRequest told = request;
    told.text = withoutOkInstruction(request.text);
    const MessageLayout layout = layoutMessage(told);
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
