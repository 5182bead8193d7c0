#include "ui/widgets/StatusLine.h"

#include <QMainWindow>
#include <QStatusBar>

namespace nakva {

void showStatus(const QWidget* from, const std::string& text) {
    auto* frame = from != nullptr ? qobject_cast<QMainWindow*>(from->window()) : nullptr;
    if (frame != nullptr && !text.empty()) {
        frame->statusBar()->showMessage(QString::fromStdString(text));
    }
}

} // namespace nakva
