#pragma once

#include <QObject>

namespace nakva {

// Makes the numeric keypad's decimal key type a period everywhere, so that decimal numbers can be
// typed from the keypad on a Lithuanian keyboard layout (which puts a comma there).
class KeypadPeriodFilter : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace nakva
