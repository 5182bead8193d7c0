#include "frontdesk/widgets/TodayWindow.h"

#include "data/Context.h"
#include "data/Fields.h"
#include "frontdesk/DayLists.h"
#include "frontdesk/widgets/WindowButtons.h"
#include "reference/widgets/ListReports.h"
#include "registration/RegistrationLists.h"
#include "shell/Globals.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSettings>
#include <QSplitter>
#include <QVBoxLayout>

namespace nakva {

namespace {

const QString AtStartKey = QStringLiteral("SarSiandien/atvertiPaleidus");

// The station's own settings: the user's file NAKVA/nakva.ini (on Linux below ~/.config).
QSettings stationSettings() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("NAKVA"),
                     QStringLiteral("nakva"));
}

} // namespace

TodayWindow::TodayWindow(Database& database, const WidgetFormCall& form, QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("SarSiandien"));
    setWindowTitle(QStringLiteral("ŠIANDIEN  ") + QString::fromStdString(formatDate(glo().EINDT)));
    auto* splitter = new QSplitter(Qt::Vertical, this);
    const std::array<ListConfig, 3> configs = {SarAtvyksta(), SarIsvyksta(), SarGyvena()};
    for (std::size_t i = 0; i < configs.size(); ++i) {
        contexts_[i] = std::make_unique<Context>(database);
        auto* list = new ListWindow(configs[i], *contexts_[i], Request::None, splitter, true);
        list->setFormCall(form);
        ListEngine& engine = list->engine();
        ListCommand departure;
        departure.name = "departureButton";
        departure.text = "Išvyko";
        departure.tooltip = "Pažymėti išvykimą CTRL+I";
        departure.shortcut = "Ctrl+I";
        departure.run = [this, &engine] {
            if (engine.regetCurrent() == StoreStatus::Ok) {
                switchDeparture(engine.context().table(TableId::Saskait));
            }
            refreshLists();
        };
        list->addCommand(departure);
        splitter->addWidget(list);
        lists_[i] = list;
    }

    print_ = new QPushButton(QStringLiteral("Spausdinti"), this);
    print_->setObjectName(QStringLiteral("printButton"));
    print_->setToolTip(QStringLiteral("Spausdinti šiandien atvykstančius ir išvykstančius"));
    connect(print_, &QPushButton::clicked, this, [this] { startListReport(*this, "SpSiandien"); });
    atStart_ = new QCheckBox(QStringLiteral("Atverti paleidus programą"), this);
    atStart_->setObjectName(QStringLiteral("atStart"));
    atStart_->setToolTip(
        QStringLiteral("Šiame kompiuteryje atverti šį langą kiekvieną kartą paleidus programą"));
    atStart_->setChecked(openTodayAtStart());
    connect(atStart_, &QCheckBox::toggled, this, [](bool on) { setOpenTodayAtStart(on); });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(print_);
    buttons->addWidget(atStart_);
    buttons->addStretch(1);
    addCloseAndHelp(*this, *buttons, "SarSiandien");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(splitter, 1);
    layout->addLayout(buttons);
    resize(900, 620);
}

TodayWindow::~TodayWindow() {
    // The lists go before the contexts they read on.
    for (ListWindow*& list : lists_) {
        delete list;
        list = nullptr;
    }
}

void TodayWindow::refreshLists() {
    for (ListWindow* list : lists_) {
        list->engine().refresh();
    }
}

bool openTodayAtStart() {
    return stationSettings().value(AtStartKey, false).toBool();
}

void setOpenTodayAtStart(bool open) {
    stationSettings().setValue(AtStartKey, open);
}

} // namespace nakva
