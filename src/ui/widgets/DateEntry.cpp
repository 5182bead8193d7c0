#include "ui/widgets/DateEntry.h"

#include "ui/widgets/CalendarWindow.h"
#include "ui/widgets/ChildSignals.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>

namespace nakva {

DateEntry::DateEntry(QWidget* parent) : QWidget(parent) {
    edit_ = new QLineEdit(this);
    edit_->setObjectName("dateEdit");
    edit_->setMaxLength(10);
    button_ = new QToolButton(this);
    button_->setObjectName("calendarButton");
    button_->setIcon(QIcon(QStringLiteral(":/ui/calendar.svg")));
    button_->setToolTip(QStringLiteral("Kalendorius datai pasirinkti"));
    button_->setFocusPolicy(Qt::NoFocus);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    layout->addWidget(edit_, 1);
    layout->addWidget(button_);
    setFocusProxy(edit_);
    setTip({});

    edit_->installEventFilter(this);
    connect(button_, &QToolButton::clicked, this, &DateEntry::openCalendar);
    connect(edit_, &QLineEdit::editingFinished, this, [this] {
        if (edit_->isModified()) {
            edit_->setModified(false);
            emit accepted();
        }
    });
}

DateEntry::~DateEntry() {
    detachChildren(this);
}

Date DateEntry::date() const {
    return parseDate(edit_->text().toStdString()).value_or(NoDate);
}

bool DateEntry::isValid() const {
    return parseDate(edit_->text().toStdString()).has_value();
}

std::string DateEntry::errorText() const {
    std::string error;
    parseDate(edit_->text().toStdString(), &error);
    return error;
}

void DateEntry::setDate(Date date) {
    edit_->setText(QString::fromStdString(formatDate(date)));
    edit_->setModified(false);
}

void DateEntry::setTip(const QString& tip) {
    edit_->setToolTip(tip.isEmpty() ? QStringLiteral("Kalendoriaus iškvietimas su CtrlDown")
                                    : tip + QStringLiteral(" (pasirinkti kalendoriuje CtrlDown)"));
}

void DateEntry::openCalendar() {
    const std::optional<Date> picked = pickDate(date(), edit_);
    edit_->setFocus();
    if (picked) { // a cancel leaves the field as it was
        setDate(*picked);
        emit accepted();
    }
}

bool DateEntry::eventFilter(QObject* watched, QEvent* event) {
    if (watched == edit_ && event->type() == QEvent::KeyPress) {
        const auto* keyEvent = static_cast<QKeyEvent*>(event);
        if (keyEvent->key() == Qt::Key_Down && (keyEvent->modifiers() & Qt::ControlModifier)) {
            openCalendar();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace nakva
