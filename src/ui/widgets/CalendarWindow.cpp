#include "ui/widgets/CalendarWindow.h"

#include "ui/widgets/CalendarGrid.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>
#include <optional>

namespace nakva {

namespace {

const char* const monthNames[12] = {"Sausis", "Vasaris",   "Kovas",    "Balandis", "Gegužė",    "Birželis",
                                    "Liepa",  "Rugpjūtis", "Rugsėjis", "Spalis",   "Lapkritis", "Gruodis"};

std::optional<CalendarKey> calendarKey(int key) {
    switch (key) {
    case Qt::Key_Left:
        return CalendarKey::Left;
    case Qt::Key_Right:
        return CalendarKey::Right;
    case Qt::Key_Up:
        return CalendarKey::Up;
    case Qt::Key_Down:
        return CalendarKey::Down;
    case Qt::Key_PageUp:
        return CalendarKey::PageUp;
    case Qt::Key_PageDown:
        return CalendarKey::PageDown;
    case Qt::Key_Home:
        return CalendarKey::Home;
    default:
        return std::nullopt;
    }
}

} // namespace

CalendarWindow::CalendarWindow(Date date, QWidget* parent)
    : QDialog(parent), model_(date, today()), picked_(date) {
    setObjectName("calendarWindow");
    setWindowTitle(QStringLiteral("Kalendorius"));

    yearBox_ = new QSpinBox(this);
    yearBox_->setObjectName("yearBox");
    yearBox_->setRange(0, 9999); // a typed year outside 1801..2099 is corrected with its message
    yearBox_->setKeyboardTracking(false);
    yearBox_->setToolTip(QStringLiteral("Nustatyti metus: PageUp/PageDown"));

    monthBox_ = new QComboBox(this);
    monthBox_->setObjectName("monthBox");
    for (const char* name : monthNames) {
        monthBox_->addItem(QString::fromUtf8(name));
    }
    monthBox_->setToolTip(QStringLiteral("Nustatyti mėnesį: Up/Down"));

    grid_ = new CalendarGrid(model_, this);

    auto* todayButton = new QPushButton(QStringLiteral("Nustatyti šiandieną"), this);
    todayButton->setObjectName("todayButton");
    todayButton->setAutoDefault(false);
    todayButton->setFocusPolicy(Qt::NoFocus);

    auto* top = new QHBoxLayout;
    top->addWidget(yearBox_);
    top->addWidget(monthBox_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(grid_, 1);
    layout->addWidget(todayButton);

    connect(yearBox_, &QSpinBox::valueChanged, this, [this](int year) {
        if (year != model_.year()) {
            model_.setYear(year);
            redraw();
        }
    });
    connect(monthBox_, &QComboBox::activated, this, [this](int index) {
        model_.setMonth(index + 1);
        redraw();
    });
    connect(grid_, &CalendarGrid::dayClicked, this, [this](int cell) {
        if (model_.pickCell(cell)) {
            pick();
        }
    });
    connect(todayButton, &QPushButton::clicked, this, [this] { press(CalendarKey::Home); });

    for (QWidget* child : {static_cast<QWidget*>(yearBox_), static_cast<QWidget*>(monthBox_)}) {
        child->installEventFilter(this);
    }
    installEventFilter(this);
    redraw();
    monthBox_->setFocus();
}

bool CalendarWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return QDialog::eventFilter(watched, event);
    }
    const auto* keyEvent = static_cast<QKeyEvent*>(event);
    if ((keyEvent->modifiers() & ~Qt::KeyboardModifiers(Qt::KeypadModifier)) != Qt::NoModifier) {
        return QDialog::eventFilter(watched, event);
    }
    if (const std::optional<CalendarKey> key = calendarKey(keyEvent->key())) {
        commitTypedYear();
        press(*key);
        return true;
    }
    switch (keyEvent->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (watched == yearBox_ && yearTyped()) {
            commitTypedYear(); // Enter after a typed year shows that year first
            return true;
        }
        pick();
        return true;
    case Qt::Key_Escape:
        reject();
        return true;
    default:
        return QDialog::eventFilter(watched, event);
    }
}

void CalendarWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        reject();
        return;
    }
    QDialog::mousePressEvent(event);
}

void CalendarWindow::reject() {
    picked_ = model_.openedWith();
    QDialog::reject();
}

void CalendarWindow::press(CalendarKey key) {
    model_.press(key);
    redraw();
}

bool CalendarWindow::yearTyped() const {
    return yearBox_->text() != QString::number(model_.year());
}

void CalendarWindow::commitTypedYear() {
    if (yearTyped()) {
        yearBox_->interpretText();
        redraw(); // a text that is no year shows the year again
    }
}

void CalendarWindow::pick() {
    picked_ = model_.selected();
    accept();
}

void CalendarWindow::redraw() {
    const QSignalBlocker blockYear(yearBox_);
    yearBox_->setValue(model_.year());
    monthBox_->setCurrentIndex(model_.month() - 1);
    grid_->update();
}

std::optional<Date> pickDate(Date date, QWidget* near) {
    QWidget* parent = near != nullptr ? near->window() : QApplication::activeWindow();
    CalendarWindow calendar(date, parent);
    if (near != nullptr) {
        calendar.adjustSize();
        QPoint position = near->mapToGlobal(QPoint(0, near->height()));
        if (const QScreen* screen = near->screen()) {
            const QRect available = screen->availableGeometry();
            position.setX(std::clamp(position.x(), available.left(), available.right() - calendar.width()));
            position.setY(std::clamp(position.y(), available.top(), available.bottom() - calendar.height()));
        }
        calendar.move(position);
    }
    if (calendar.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return calendar.picked();
}

} // namespace nakva
