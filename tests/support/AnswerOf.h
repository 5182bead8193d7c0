#pragma once

#include "ui/Requests.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

#include <optional>

namespace nakva::testing {

// Starts a call that answers through its continuation and processes events until the answer comes,
// for at most `limit` milliseconds (nothing when it did not come).
template <typename Start> std::optional<Response> answerOf(Start start, int limit = 10000) {
    std::optional<Response> answer;
    start([&answer](Response response) { answer = response; });
    const QDeadlineTimer deadline(limit);
    while (!answer && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return answer;
}

} // namespace nakva::testing
