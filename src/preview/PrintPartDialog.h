#pragma once

#include "preview/PreviewState.h"

#include <QDialog>

class QRadioButton;
class QSpinBox;

namespace nakva {

// The print window "Spausdinimo nustatymas": all pages or a range from..to, and the number of copies
// (1 to 99). It opens with all pages chosen and the range and copies given last; putting the cursor
// into the from or to field chooses the range. "Spausdinti" accepts, "Nutraukti" changes nothing.
class PrintPartDialog : public QDialog {
    Q_OBJECT
public:
    PrintPartDialog(const PrintOrder& last, int total, QWidget* parent = nullptr);

    PrintOrder order() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QRadioButton* allButton_ = nullptr;
    QRadioButton* rangeButton_ = nullptr;
    QSpinBox* fromBox_ = nullptr;
    QSpinBox* toBox_ = nullptr;
    QSpinBox* copiesBox_ = nullptr;
};

} // namespace nakva
