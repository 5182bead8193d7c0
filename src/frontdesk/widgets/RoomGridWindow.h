#pragma once

#include "frontdesk/RoomGrid.h"
#include "ui/Requests.h"

#include <QWidget>

#include <functional>
#include <memory>

class QComboBox;
class QTableView;

namespace nakva {

class Context;
class DateEntry;

// The room grid window `KmbUzimtumas` "KAMBARIŲ UŽIMTUMAS": a thin view of a RoomGrid. The rooms by type
// as rows, the days as columns from "Nuo:" (two weeks by default; a week or a month by "Rodyti:"),
// moved by a day, a week or a month with the buttons beside, back to today with "Šiandien". Each stay
// is a bar over its nights with the guest's name: current stays blue, departed grey, a night held twice
// red, a stay of one day yellow; rooms not in use greyed, an unprepared room's name marked. A tip
// tells the stay's dates, residents and invoice. Double click or Enter on a stay opens its
// registration form; on a free night a new registration in that room from that day. The arrows move
// through rooms and days, and past the last or first day move the days by one. The grid is read again
// whenever the window gets the focus back.
class RoomGridWindow : public QWidget {
    Q_OBJECT
public:
    // The record forms as the window opens them, on its context, with the window as their caller:
    // a stay's registration (change), and a new one primed from a free night; they answer through
    // `done` once the form has closed (FormWindow::call).
    using OpenStay = std::function<void(Context& context, QWidget* caller, FormDone done)>;
    using NewStay = std::function<void(Context& context, Date arrival, std::int32_t roomId, QWidget* caller,
                                       FormDone done)>;

    RoomGridWindow(std::unique_ptr<Context> context, OpenStay openStay, NewStay newStay,
                   QWidget* parent = nullptr);
    ~RoomGridWindow() override;

    const RoomGrid& grid() const { return *grid_; }
    QTableView* table() const { return table_; }
    DateEntry* firstDayEntry() const { return first_; }
    QComboBox* spanChoice() const { return span_; }

    // Shows the days from `first`, `days` of them, read again.
    void showDays(Date first, int days);
    // The room row and day column under the table's current index (-1 where there is none).
    int currentRoomRow() const;
    int currentDayColumn() const;
    // Double click or Enter on the current cell.
    void activateCurrent();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class Model;

    void reload();
    void move(int days);

    std::unique_ptr<Context> context_;
    OpenStay openStay_;
    NewStay newStay_;
    std::unique_ptr<RoomGrid> grid_;
    Date firstDay_ = NoDate;
    int days_ = 14;
    Model* model_ = nullptr;
    QTableView* table_ = nullptr;
    DateEntry* first_ = nullptr;
    QComboBox* span_ = nullptr;
};

} // namespace nakva
