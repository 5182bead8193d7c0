#include "shell/widgets/KeypadPeriodFilter.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace nakva {

bool KeypadPeriodFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease) {
        return false;
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    // The layout's decimal key arrives as a keypad comma or as a keypad period that types a comma.
    const bool decimalKey = key->key() == Qt::Key_Comma || key->key() == Qt::Key_Period;
    if (!(key->modifiers() & Qt::KeypadModifier) || !decimalKey || key->text() == QStringLiteral(".")) {
        return false;
    }
    QKeyEvent period(key->type(), Qt::Key_Period, key->modifiers(), QStringLiteral("."), key->isAutoRepeat(),
                     static_cast<quint16>(key->count()));
    QCoreApplication::sendEvent(watched, &period);
    return true;
}

} // namespace nakva
