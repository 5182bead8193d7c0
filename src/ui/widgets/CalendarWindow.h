#pragma once

#include "data/Date.h"
#include "ui/CalendarModel.h"

#include <QDialog>
#include <QPoint>

#include <optional>

class QComboBox;
class QSpinBox;

namespace nakva {

class CalendarGrid;

// The calendar window "Kalendorius". Accepting it (Enter, a click on a day) leaves the picked date
// in picked(); Esc, a right click or closing the window leaves the date it was opened with.
class CalendarWindow : public QDialog {
    Q_OBJECT
public:
    explicit CalendarWindow(Date date, QWidget* parent = nullptr);

    Date picked() const { return picked_; }
    const CalendarModel& model() const { return model_; }
    CalendarGrid* grid() const { return grid_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void reject() override;

private:
    void press(CalendarKey key);
    bool yearTyped() const;
    void commitTypedYear();
    void pick();
    void redraw();

    CalendarModel model_;
    Date picked_;
    QSpinBox* yearBox_ = nullptr;
    QComboBox* monthBox_ = nullptr;
    CalendarGrid* grid_ = nullptr;
};

// Opens the calendar on `date` near `near` (or centred on the active window) and returns the picked
// date; nullopt when the user cancels, which leaves the caller's date as it was. Blocks the caller
// while open.
std::optional<Date> pickDate(Date date, QWidget* near = nullptr);

} // namespace nakva
