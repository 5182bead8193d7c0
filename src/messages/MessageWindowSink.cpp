#include "messages/MessageWindowSink.h"

#include "messages/MessageWindow.h"

#include <QApplication>
#include <QThread>

namespace nakva {

namespace {

int showOnThisThread(const MessageRequest& request) {
    MessageWindow window(request, QApplication::activeWindow());
    const int answer = window.exec();
    const MessageLayout& layout = window.messageLayout();
    return layout.hasResult(answer) ? answer : layout.defaultResult();
}

} // namespace

int MessageWindowSink::show(const MessageRequest& request) {
    auto* application = qobject_cast<QApplication*>(QCoreApplication::instance());
    if (!application)
        return defaultAnswer(request);
    if (QThread::currentThread() == application->thread())
        return showOnThisThread(request);
    int answer = 0;
    QMetaObject::invokeMethod(
        application, [&] { answer = showOnThisThread(request); }, Qt::BlockingQueuedConnection);
    return answer;
}

} // namespace nakva
