#pragma once

#include <QColor>
#include <QRect>
#include <QWidget>

namespace nakva {

class CalendarModel;

// The weekday headings and the 37 day cells of the calendar: holidays in red, the highlighted day
// filled. A left click on a day emits dayClicked.
class CalendarGrid : public QWidget {
    Q_OBJECT
public:
    explicit CalendarGrid(const CalendarModel& model, QWidget* parent = nullptr);

    QRect cellRect(int cell) const; // cell 1..37
    QColor cellColor(int cell) const;
    int cellAt(QPoint point) const; // 0 when outside the cells

    QSize sizeHint() const override;

signals:
    void dayClicked(int cell);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    int cellWidth() const;
    int cellHeight() const;

    const CalendarModel& model_;
};

} // namespace nakva
