#pragma once

#include "data/Date.h"

#include <QWidget>

#include <string>

class QLineEdit;
class QToolButton;

namespace nakva {

// The calendar date entry of every date field: a line edit showing yyyy-mm-dd (blank for no date)
// with a calendar button beside it. Ctrl+Down or the button opens the calendar; a pick stores the
// date, shows it and accepts the field, so that its validation and computations run.
class DateEntry : public QWidget {
    Q_OBJECT
public:
    explicit DateEntry(QWidget* parent = nullptr);
    ~DateEntry() override;

    // The typed date; NoDate for a blank field. A text that is no date gives NoDate and false from
    // isValid(), with the reason in errorText().
    Date date() const;
    bool isValid() const;
    std::string errorText() const;
    void setDate(Date date);

    // The field's own tip, extended with the calendar key; an empty tip gives the key's own tip.
    void setTip(const QString& tip);

    QLineEdit* edit() const { return edit_; }
    QToolButton* calendarButton() const { return button_; }

public slots:
    void openCalendar();

signals:
    // The user finished the field: by leaving it after typing, or by a pick in the calendar.
    void accepted();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* edit_ = nullptr;
    QToolButton* button_ = nullptr;
};

} // namespace nakva
