#include "messages/Message.h"

#include "messages/MessageLayout.h"

#include <atomic>

namespace nakva {

namespace {

DefaultMessageSink defaultSink;
std::atomic<MessageSink*> installedSink{nullptr};
std::atomic<void (*)()> beforeMessage{nullptr};

} // namespace

int DefaultMessageSink::show(const MessageRequest& request) {
    return defaultAnswer(request);
}

void setMessageSink(MessageSink* sink) {
    installedSink.store(sink);
}

MessageSink& messageSink() {
    MessageSink* sink = installedSink.load();
    return sink ? *sink : defaultSink;
}

void setBeforeMessage(void (*letGo)()) {
    beforeMessage.store(letGo);
}

int showMessage(const MessageRequest& request) {
    if (void (*letGo)() = beforeMessage.load()) {
        letGo();
    }
    return messageSink().show(request);
}

int showMessage(std::string text, std::string title, MessageIcon icon) {
    MessageRequest request;
    request.text = std::move(text);
    request.title = std::move(title);
    request.icon = icon;
    return showMessage(request);
}

} // namespace nakva
