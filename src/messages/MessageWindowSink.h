#pragma once

#include "messages/Message.h"

namespace nakva {

// The program's sink: shows each request in the message window and waits for the answer. A request
// from another thread is shown on the window thread while the asking thread waits. Without a
// QApplication (nothing can be shown) it answers the default button.
class MessageWindowSink : public MessageSink {
public:
    int show(const MessageRequest& request) override;
};

} // namespace nakva
