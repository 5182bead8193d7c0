#pragma once

#include "messages/Message.h"

namespace nakva {

// Installs a sink for a scope and puts the previous one back when the scope ends.
class ScopedMessageSink {
public:
    explicit ScopedMessageSink(MessageSink& sink) : previous_(&messageSink()) { setMessageSink(&sink); }
    ~ScopedMessageSink() { setMessageSink(previous_); }
    ScopedMessageSink(const ScopedMessageSink&) = delete;
    ScopedMessageSink& operator=(const ScopedMessageSink&) = delete;

private:
    MessageSink* previous_;
};

} // namespace nakva
