#pragma once

#include "preview/PreviewWindow.h"

#include <QApplication>
#include <QTimer>

namespace nakva {

// The preview window once it opens: answered "close" (no print), after noting the pages it showed.
// Keeps looking on each turn of the event loop until a preview is shown, on its own or as a child
// window of the main window, for at most `turns` turns.
inline void closePreviewWhenItOpens(PageList& shown, int turns = 10000) {
    QTimer::singleShot(0, [&shown, turns] {
        for (QWidget* widget : QApplication::allWidgets()) {
            if (auto* preview = qobject_cast<PreviewWindow*>(widget);
                preview != nullptr && preview->isVisible()) {
                shown = preview->state().pages();
                preview->press(PreviewControl::Close);
                return;
            }
        }
        if (turns > 1) {
            closePreviewWhenItOpens(shown, turns - 1);
        }
    });
}

} // namespace nakva
