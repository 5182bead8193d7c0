#include "ui/widgets/CalendarGrid.h"

#include "ui/CalendarModel.h"

#include <QMouseEvent>
#include <QPainter>

namespace nakva {

namespace {

constexpr int Columns = 7;
constexpr int Rows = 6; // 37 cells need six weeks at most
const char* const weekdayHeadings[Columns] = {"Pr", "An", "Tr", "Kt", "Pn", "Š", "S"};

} // namespace

CalendarGrid::CalendarGrid(const CalendarModel& model, QWidget* parent) : QWidget(parent), model_(model) {
    setObjectName("dayGrid");
    setFocusPolicy(Qt::NoFocus);
}

int CalendarGrid::cellWidth() const {
    return width() / Columns;
}

int CalendarGrid::cellHeight() const {
    return height() / (Rows + 1);
}

QSize CalendarGrid::sizeHint() const {
    const int unit = fontMetrics().height();
    return {Columns * unit * 2, (Rows + 1) * unit * 3 / 2};
}

QRect CalendarGrid::cellRect(int cell) const {
    const int index = cell - 1;
    return {index % Columns * cellWidth(), (index / Columns + 1) * cellHeight(), cellWidth(), cellHeight()};
}

int CalendarGrid::cellAt(QPoint point) const {
    for (int cell = 1; cell <= CalendarModel::CellCount; ++cell) {
        if (cellRect(cell).contains(point)) {
            return cell;
        }
    }
    return 0;
}

QColor CalendarGrid::cellColor(int cell) const {
    const int day = model_.cellDay(cell);
    return day != 0 && model_.isHoliday(day) ? QColor(Qt::red) : palette().color(QPalette::WindowText);
}

void CalendarGrid::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    for (int column = 0; column < Columns; ++column) {
        const QRect heading(column * cellWidth(), 0, cellWidth(), cellHeight());
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(heading, Qt::AlignCenter, QString::fromUtf8(weekdayHeadings[column]));
    }
    painter.drawLine(0, cellHeight() - 1, Columns * cellWidth(), cellHeight() - 1);
    for (int cell = 1; cell <= CalendarModel::CellCount; ++cell) {
        const int day = model_.cellDay(cell);
        if (day == 0) {
            continue;
        }
        const QRect rect = cellRect(cell).adjusted(1, 1, -1, -1);
        if (cell == model_.selectedCell()) {
            painter.fillRect(rect, palette().color(QPalette::Highlight));
            painter.setPen(model_.isHoliday(day) ? QColor(Qt::red).lighter(170)
                                                 : palette().color(QPalette::HighlightedText));
        } else {
            painter.setPen(cellColor(cell));
        }
        painter.drawText(rect, Qt::AlignCenter, QString::number(day));
    }
}

void CalendarGrid::mousePressEvent(QMouseEvent* event) {
    const int cell = cellAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && model_.cellDay(cell) != 0) {
        emit dayClicked(cell);
        return;
    }
    event->ignore(); // a right click reaches the window, which cancels
}

} // namespace nakva
