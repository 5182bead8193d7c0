#include "ui/widgets/CalledWindow.h"

#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QStyle>

#include <algorithm>

namespace nakva {

namespace {

// The tie between a caller and the window it called, a child of the caller: it goes with the caller,
// and then the called window's answer finds nobody.
class CallLink : public QObject {
public:
    CallLink(QObject* caller, QWidget* called, QWidget* waiting, std::function<void()> returned)
        : QObject(caller), called_(called), waiting_(waiting), returned_(std::move(returned)) {}

    QPointer<QWidget> called_;
    QPointer<QWidget> waiting_;
    std::function<void()> returned_;
};

// The caller's window that waits: its multiple-document child, or its top-level window.
QWidget* waitingWindow(QWidget* caller) {
    for (QWidget* widget = caller; widget != nullptr; widget = widget->parentWidget()) {
        if (qobject_cast<QMdiSubWindow*>(widget) != nullptr) {
            return widget;
        }
    }
    return caller != nullptr ? caller->window() : nullptr;
}

// The multiple-document area the caller is in, or the main window's own when the main window itself
// calls.
QMdiArea* areaOf(QWidget* caller) {
    for (QWidget* widget = caller; widget != nullptr; widget = widget->parentWidget()) {
        if (auto* area = qobject_cast<QMdiArea*>(widget)) {
            return area;
        }
    }
    if (auto* frame = qobject_cast<QMainWindow*>(caller)) {
        return qobject_cast<QMdiArea*>(frame->centralWidget());
    }
    return nullptr;
}

// The links of the calls made by `window` or a widget inside it.
QList<CallLink*> linksOf(const QWidget* window) {
    QList<CallLink*> links;
    for (QObject* child : window->findChildren<QObject*>()) {
        if (auto* link = dynamic_cast<CallLink*>(child)) {
            links.append(link);
        }
    }
    return links;
}

// The called window has gone: the caller's window is enabled and active again, and the caller goes
// on.
void returnToCaller(CallLink* link) {
    if (QWidget* back = link->waiting_) {
        back->setEnabled(true);
        if (auto* child = qobject_cast<QMdiSubWindow*>(back); child != nullptr && child->mdiArea()) {
            child->mdiArea()->setActiveSubWindow(child);
        } else {
            back->activateWindow();
        }
    }
    const std::function<void()> returned = std::move(link->returned_);
    delete link;
    if (returned) {
        returned();
    }
}

} // namespace

QWidget* openCalledWindow(QWidget* window, QWidget* caller, std::function<void()> returned) {
    QWidget* frame = window;
    if (QMdiArea* area = areaOf(caller)) {
        QMdiSubWindow* child = area->addSubWindow(window);
        child->setWindowTitle(window->windowTitle());
        frame = child;
    }
    frame->setAttribute(Qt::WA_DeleteOnClose);
    QWidget* waiting = waitingWindow(caller);
    if (waiting != nullptr && waiting->isAncestorOf(frame)) {
        waiting = nullptr; // the main window itself called: the window opens inside it
    }
    auto* link = new CallLink(caller, frame, waiting, std::move(returned));
    if (waiting != nullptr) {
        waiting->setEnabled(false);
    }
    // Once the called window has quite gone (not while it is being destroyed, when the frame's area
    // still counts it as a child window): the caller's window back, then the caller goes on.
    QObject::connect(frame, &QObject::destroyed, link, [link] {
        QMetaObject::invokeMethod(
            link, [link] { returnToCaller(link); }, Qt::QueuedConnection);
    });
    return frame;
}

void showWindowInArea(QWidget* frame, QWidget* focus, QWidget* caller, std::optional<QPoint> position) {
    auto* child = qobject_cast<QMdiSubWindow*>(frame);
    QMdiArea* area = child != nullptr ? child->mdiArea() : nullptr;
    if (area == nullptr) {
        frame->show();
        frame->raise();
        frame->activateWindow();
        if (focus != nullptr) {
            focus->setFocus(Qt::ActiveWindowFocusReason);
        }
        return;
    }
    const QSize room = area->viewport()->size();
    const int step = std::max(child->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, child), 16);
    frame->resize(frame->size().boundedTo(room));
    QWidget* after = caller != nullptr ? waitingWindow(caller) : nullptr;
    if (!position && after != nullptr && after != frame && area->subWindowList().contains(after)) {
        position = after->pos() + QPoint(step, step);
    }
    if (position) {
        const auto inside = [&](QPoint at) {
            return QPoint(std::clamp(at.x(), 0, std::max(room.width() - frame->width(), 0)),
                          std::clamp(at.y(), 0, std::max(room.height() - frame->height(), 0)));
        };
        QPoint at = inside(*position);
        // Another window just there: the new one steps on, as cascaded windows do.
        for (int tries = 0; tries < 20; ++tries) {
            const QList<QMdiSubWindow*> others = area->subWindowList();
            const bool taken = std::any_of(others.begin(), others.end(), [&](const QMdiSubWindow* other) {
                return other != frame && other->isVisible() && other->pos() == at;
            });
            const QPoint next = inside(at + QPoint(step, step));
            if (!taken || next == at) {
                break;
            }
            at = next;
        }
        frame->move(at);
    }
    frame->show();
    // Where the area placed it, it still lies inside.
    if (!position) {
        frame->move(std::clamp(frame->x(), 0, std::max(room.width() - frame->width(), 0)),
                    std::clamp(frame->y(), 0, std::max(room.height() - frame->height(), 0)));
    }
    frame->raise();
    area->setActiveSubWindow(child);
    if (focus != nullptr) {
        focus->setFocus(Qt::ActiveWindowFocusReason);
    }
}

void growFrame(QWidget* content, QSize extra) {
    extra = extra.expandedTo(QSize(0, 0));
    if (extra.isNull() || content == nullptr) {
        return;
    }
    QWidget* frame = content->window();
    for (QWidget* widget = content; widget != nullptr; widget = widget->parentWidget()) {
        if (qobject_cast<QMdiSubWindow*>(widget) != nullptr) {
            frame = widget;
            break;
        }
    }
    QSize wanted = frame->size() + extra;
    if (auto* child = qobject_cast<QMdiSubWindow*>(frame); child != nullptr && child->mdiArea() != nullptr) {
        const QSize room = child->mdiArea()->viewport()->size();
        wanted = wanted.boundedTo(room).expandedTo(frame->size());
        // Grown, it still lies inside the area.
        frame->move(std::clamp(frame->x(), 0, std::max(room.width() - wanted.width(), 0)),
                    std::clamp(frame->y(), 0, std::max(room.height() - wanted.height(), 0)));
    }
    frame->resize(wanted);
}

bool waitsForCalledWindow(const QWidget* window) {
    return window != nullptr && !linksOf(window).isEmpty();
}

void dropCalledWindows(QWidget* window) {
    for (CallLink* link : linksOf(window)) {
        const QPointer<QWidget> called = link->called_;
        delete link;
        delete called.data();
    }
}

} // namespace nakva
