#include "frontdesk/widgets/RoomGridWindow.h"

#include "data/Collation.h"
#include "data/Context.h"
#include "data/Fields.h"
#include "data/Table.h"
#include "data/Text.h"
#include "frontdesk/widgets/WindowButtons.h"
#include "shell/Globals.h"
#include "ui/widgets/DateEntry.h"

#include <QAbstractTableModel>
#include <QBrush>
#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

#include <array>

namespace nakva {

namespace {

const std::array<const char*, 7> WeekdayNames = {"Sk", "Pr", "An", "Tr", "Kt", "Pn", "Št"};

// The spans "Rodyti:" offers: its text and its days.
const std::array<std::pair<const char*, int>, 3> Spans = {
    {{"savaitę", 7}, {"dvi savaites", 14}, {"mėnesį", 31}}};

QString text(const std::string& value) {
    return QString::fromStdString(value);
}

QString roomName(const GridRoom& room) {
    const std::string building(trimRight(room.building));
    return text((building.empty() ? "" : building + "-") + std::string(trimRight(room.number)));
}

QString stayTip(const GridStay& stay) {
    QStringList lines;
    lines << text(stay.guest);
    lines << QStringLiteral("Nuo %1 iki %2")
                 .arg(text(formatDate(stay.arrival)), text(formatDate(stay.departure)));
    lines << QStringLiteral("Gyventojų: %1").arg(stay.residents);
    if (!stay.invoice.empty()) {
        lines << QStringLiteral("Sąskaita: %1").arg(text(stay.invoice));
    }
    lines << QStringLiteral("Registracijos Nr. %1").arg(stay.registration);
    if (stay.departed) {
        lines << QStringLiteral("Išvykęs");
    }
    return lines.join('\n');
}

} // namespace

// The rows: a heading row for each room type, then its rooms; column 0 names the room, the others are
// the days.
class RoomGridWindow::Model : public QAbstractTableModel {
public:
    explicit Model(const RoomGrid& grid, QObject* parent) : QAbstractTableModel(parent), grid_(grid) {}

    void reload() {
        beginResetModel();
        rows_.clear();
        headings_.clear();
        std::string type;
        for (int row = 0; row < grid_.roomCount(); ++row) {
            const std::string& roomType = grid_.room(row).type;
            if (row == 0 || upper(roomType) != upper(type)) {
                type = roomType;
                rows_.push_back(-1 - int(headings_.size()));
                headings_.push_back(roomType);
            }
            rows_.push_back(row);
        }
        endResetModel();
    }

    // The room's row in the grid, or -1 for a type's heading row.
    int roomRow(int row) const {
        return row >= 0 && row < int(rows_.size()) ? std::max(rows_[std::size_t(row)], -1) : -1;
    }
    int modelRow(int roomRow) const {
        for (int row = 0; row < int(rows_.size()); ++row) {
            if (rows_[std::size_t(row)] == roomRow) {
                return row;
            }
        }
        return -1;
    }
    std::vector<int> headingRows() const {
        std::vector<int> rows;
        for (int row = 0; row < int(rows_.size()); ++row) {
            if (rows_[std::size_t(row)] < 0) {
                rows.push_back(row);
            }
        }
        return rows;
    }

    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : int(rows_.size());
    }
    int columnCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : grid_.days() + 1;
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
            return {};
        }
        if (section == 0) {
            return QStringLiteral("Kambarys");
        }
        const Date day = grid_.day(section - 1);
        const YearMonthDay ymd = ymdFromDate(day);
        return QStringLiteral("%1-%2\n%3")
            .arg(ymd.month, 2, 10, QChar('0'))
            .arg(ymd.day, 2, 10, QChar('0'))
            .arg(QString::fromUtf8(WeekdayNames[std::size_t(weekday(day))]));
    }

    QVariant data(const QModelIndex& index, int role) const override {
        const int entry = rows_.at(std::size_t(index.row()));
        if (entry < 0) {
            if (role == Qt::DisplayRole && index.column() == 0) {
                return text(headings_.at(std::size_t(-1 - entry)));
            }
            if (role == Qt::BackgroundRole) {
                return QBrush(QColor(0xe8, 0xe8, 0xe8));
            }
            return {};
        }
        const GridRoom& room = grid_.room(entry);
        if (index.column() == 0) {
            return roomData(room, role);
        }
        const int column = index.column() - 1;
        const std::vector<int>& stays = grid_.cell(entry, column);
        switch (role) {
        case Qt::DisplayRole:
            for (const int stay : stays) {
                if (grid_.stay(stay).firstColumn == column) {
                    return text(grid_.stay(stay).guest);
                }
            }
            return {};
        case Qt::BackgroundRole:
            if (grid_.overbooked(entry, column)) {
                return QBrush(QColor(0xf4, 0x8a, 0x8a));
            }
            if (!stays.empty()) {
                const GridStay& stay = grid_.stay(stays.front());
                if (stays.size() == 1 && stay.sameDay) {
                    return QBrush(QColor(0xf6, 0xe2, 0x7f));
                }
                return QBrush(stay.departed ? QColor(0xc8, 0xc8, 0xc8) : QColor(0x9c, 0xc3, 0xf0));
            }
            return room.inUse ? QVariant() : QBrush(QColor(0xee, 0xee, 0xee));
        case Qt::ToolTipRole: {
            QStringList tips;
            for (const int stay : stays) {
                tips << stayTip(grid_.stay(stay));
            }
            if (grid_.overbooked(entry, column)) {
                tips.prepend(QStringLiteral("Ši naktis užimta kelis kartus"));
            }
            return tips.isEmpty() ? QVariant() : tips.join(QStringLiteral("\n\n"));
        }
        default:
            return {};
        }
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override {
        return rows_.at(std::size_t(index.row())) < 0 ? Qt::ItemIsEnabled
                                                      : Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    }

private:
    static QVariant roomData(const GridRoom& room, int role) {
        switch (role) {
        case Qt::DisplayRole:
            return room.unprepared ? roomName(room) + QStringLiteral(" *") : roomName(room);
        case Qt::ForegroundRole:
            return room.inUse ? QVariant() : QBrush(Qt::gray);
        case Qt::BackgroundRole:
            return room.unprepared ? QBrush(QColor(0xff, 0xd5, 0x9e)) : QVariant();
        case Qt::ToolTipRole:
            if (!room.inUse) {
                return QStringLiteral("Kambarys nenaudojamas");
            }
            if (room.unprepared) {
                return QStringLiteral("Neparuoštas: išvyko %1, valytas %2")
                    .arg(text(formatDate(room.lastDeparture)), text(formatDate(room.lastCleaning)));
            }
            return {};
        default:
            return {};
        }
    }

    const RoomGrid& grid_;
    std::vector<int> rows_; // a room's row in the grid, or -1 - the heading's index
    std::vector<std::string> headings_;
};

RoomGridWindow::RoomGridWindow(std::unique_ptr<Context> context, OpenStay openStay, NewStay newStay,
                               QWidget* parent)
    : QWidget(parent), context_(std::move(context)), openStay_(std::move(openStay)),
      newStay_(std::move(newStay)) {
    setObjectName(QStringLiteral("KmbUzimtumas"));
    setWindowTitle(QStringLiteral("KAMBARIŲ UŽIMTUMAS"));
    firstDay_ = glo().EINDT;
    grid_ = std::make_unique<RoomGrid>(*context_);

    auto* bar = new QHBoxLayout;
    auto* fromLabel = new QLabel(QStringLiteral("Nuo:"), this);
    first_ = new DateEntry(this);
    first_->setObjectName(QStringLiteral("firstDay"));
    fromLabel->setBuddy(first_->edit());
    connect(first_, &DateEntry::accepted, this, [this] {
        if (first_->isValid() && first_->date() != NoDate) {
            showDays(first_->date(), days_);
        }
    });
    bar->addWidget(fromLabel);
    bar->addWidget(first_);
    const auto stepButton = [this, bar](const char* name, const char* caption, const char* tip, int days) {
        auto* button = new QToolButton(this);
        button->setObjectName(QString::fromUtf8(name));
        button->setText(QString::fromUtf8(caption));
        button->setToolTip(QString::fromUtf8(tip));
        connect(button, &QToolButton::clicked, this, [this, days] { move(days); });
        bar->addWidget(button);
    };
    stepButton("monthBack", "«", "Mėnesiu atgal", -31);
    stepButton("weekBack", "‹‹", "Savaite atgal", -7);
    stepButton("dayBack", "‹", "Diena atgal", -1);
    stepButton("dayOn", "›", "Diena pirmyn", 1);
    stepButton("weekOn", "››", "Savaite pirmyn", 7);
    stepButton("monthOn", "»", "Mėnesiu pirmyn", 31);
    auto* today = new QPushButton(QStringLiteral("Šiandien"), this);
    today->setObjectName(QStringLiteral("todayButton"));
    connect(today, &QPushButton::clicked, this, [this] { showDays(glo().EINDT, days_); });
    bar->addWidget(today);
    auto* spanLabel = new QLabel(QStringLiteral("Rodyti:"), this);
    span_ = new QComboBox(this);
    span_->setObjectName(QStringLiteral("span"));
    for (const auto& [caption, days] : Spans) {
        span_->addItem(QString::fromUtf8(caption), days);
    }
    span_->setCurrentIndex(1);
    spanLabel->setBuddy(span_);
    connect(span_, &QComboBox::activated, this,
            [this](int choice) { showDays(firstDay_, span_->itemData(choice).toInt()); });
    bar->addWidget(spanLabel);
    bar->addWidget(span_);
    bar->addStretch(1);

    model_ = new Model(*grid_, this);
    table_ = new QTableView(this);
    table_->setObjectName(QStringLiteral("grid"));
    table_->setModel(model_);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setDefaultSectionSize(56);
    table_->verticalHeader()->setDefaultSectionSize(20);
    table_->installEventFilter(this);
    connect(table_, &QTableView::doubleClicked, this, [this] { activateCurrent(); });

    auto* buttons = new QHBoxLayout;
    auto* legend =
        new QLabel(QStringLiteral("Mėlyna: gyvena; pilka: išvykęs; raudona: naktis užimta kelis kartus; "
                                  "geltona: vienos dienos; * neparuoštas kambarys"),
                   this);
    buttons->addWidget(legend, 1);
    addCloseAndHelp(*this, *buttons, "KmbUzimtumas");

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(table_, 1);
    layout->addLayout(buttons);
    resize(900, 520);
    showDays(firstDay_, days_);
}

// The view and its model go before the grid they show.
RoomGridWindow::~RoomGridWindow() {
    delete table_;
    delete model_;
}

void RoomGridWindow::showDays(Date first, int days) {
    firstDay_ = first;
    days_ = days;
    first_->setDate(first);
    for (int choice = 0; choice < span_->count(); ++choice) {
        if (span_->itemData(choice).toInt() == days) {
            span_->setCurrentIndex(choice);
        }
    }
    reload();
}

void RoomGridWindow::move(int days) {
    showDays(firstDay_ + days, days_);
}

// Read again, the cursor kept on its room and day.
void RoomGridWindow::reload() {
    const int room = currentRoomRow();
    const std::int32_t roomId = room >= 0 ? grid_->room(room).id : 0;
    const int column = std::max(currentDayColumn(), 0);
    (void)grid_->build(firstDay_, days_); // a failed read has said so
    model_->reload();
    table_->clearSpans();
    for (const int row : model_->headingRows()) {
        table_->setSpan(row, 0, 1, grid_->days() + 1);
    }
    // A stay alone on its nights is one bar with its whole name; where stays share a night each night
    // stays a cell of its own.
    for (const GridStay& stay : grid_->stays()) {
        bool alone = stay.lastColumn > stay.firstColumn;
        for (int column = stay.firstColumn; alone && column <= stay.lastColumn; ++column) {
            alone = grid_->cell(stay.row, column).size() == 1;
        }
        if (alone) {
            table_->setSpan(model_->modelRow(stay.row), stay.firstColumn + 1, 1,
                            stay.lastColumn - stay.firstColumn + 1);
        }
    }
    table_->setColumnWidth(0, 80);
    const int row = model_->modelRow(roomId != 0 ? grid_->rowOfRoom(roomId) : 0);
    if (row >= 0) {
        table_->setCurrentIndex(model_->index(row, std::min(column, grid_->days() - 1) + 1));
    }
}

int RoomGridWindow::currentRoomRow() const {
    return model_ == nullptr ? -1 : model_->roomRow(table_->currentIndex().row());
}

int RoomGridWindow::currentDayColumn() const {
    return table_->currentIndex().isValid() ? table_->currentIndex().column() - 1 : -1;
}

void RoomGridWindow::activateCurrent() {
    const int room = currentRoomRow();
    const int column = currentDayColumn();
    if (room < 0 || column < 0) {
        return;
    }
    // The grid is read again once the form has answered.
    const FormDone reread = [this](FormResult) {
        reload();
    };
    const std::vector<int>& stays = grid_->cell(room, column);
    if (stays.empty()) {
        newStay_(*context_, grid_->day(column), grid_->room(room).id, this, reread);
        return;
    }
    // The stay's registration re-read and watched, as a list calls the form to change it.
    Table& registrations = context_->table(TableId::Saskait);
    const OpenedTable opened(registrations);
    registrations.clear();
    registrations.record().set(SAS::IrasoNr, grid_->stay(stays.front()).registration);
    if (registrations.getByKey(SAS::IRASONRKEY) != StoreStatus::Ok) {
        reload();
        return;
    }
    registrations.watch();
    openStay_(*context_, this, reread);
}

bool RoomGridWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == table_) {
        if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                activateCurrent();
                return true;
            }
            // Past the last day or before the first the days move on by one, the cursor staying.
            const int column = currentDayColumn();
            if ((key->key() == Qt::Key_Right && column == days_ - 1) ||
                (key->key() == Qt::Key_Left && column == 0)) {
                move(key->key() == Qt::Key_Right ? 1 : -1);
                return true;
            }
        } else if (event->type() == QEvent::FocusIn &&
                   static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
            // Back in the grid: what other windows and stations wrote meanwhile shows.
            reload();
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace nakva
