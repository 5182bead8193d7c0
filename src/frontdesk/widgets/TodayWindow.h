#pragma once

#include "ui/widgets/ListWindow.h"

#include <QWidget>

#include <array>
#include <memory>

class QCheckBox;
class QPushButton;

namespace nakva {

class Database;

// The window `SarSiandien` "ŠIANDIEN" with the working date: the lists of today's arrivals, departures
// and guests in the house (DayLists.h), one above the other, each on a procedure context of its own.
// In each, Enter opens the highlighted registration's form and "Išvyko" (Ctrl+I) marks its departure
// by the registration lists' departure rule, after which all three are read again; "Spausdinti" prints
// the day's sheet `SpSiandien`; "Atverti paleidus programą" makes this station open the window at
// start-up.
class TodayWindow : public QWidget {
    Q_OBJECT
public:
    TodayWindow(Database& database, const WidgetFormCall& form, QWidget* parent = nullptr);
    ~TodayWindow() override;

    enum DayList { Arrivals, Departures, InHouse };
    ListWindow* list(DayList which) const { return lists_[which]; }
    QPushButton* printButton() const { return print_; }
    QCheckBox* atStartBox() const { return atStart_; }

    // Every list read again (after a departure, or when the window gets the focus).
    void refreshLists();

private:
    std::array<std::unique_ptr<Context>, 3> contexts_;
    std::array<ListWindow*, 3> lists_{};
    QPushButton* print_ = nullptr;
    QCheckBox* atStart_ = nullptr;
};

// Whether this station opens "ŠIANDIEN" at start-up: a setting of the station's own (the program's
// settings file of the user, not the shared data), off until the window's check box is ticked.
bool openTodayAtStart();
void setOpenTodayAtStart(bool open);

} // namespace nakva
