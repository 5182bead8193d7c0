#pragma once

#include "messages/Message.h"

#include <iosfwd>
#include <mutex>

namespace nakva {

// A sink for the command line: writes each message's title and text to a stream (standard error in
// nakva-cli) and answers its default button, naming that answer when there was a choice:
//
//     Pašalinti įrašą: Jūs norite pašalinti pasirinktą įrašą. ...
//       Atsakymas: Nutraukti
class StreamMessageSink : public MessageSink {
public:
    explicit StreamMessageSink(std::ostream& out);
    int show(const MessageRequest& request) override;

private:
    std::mutex mutex_;
    std::ostream& out_;
};

} // namespace nakva
