#include "reference/widgets/RoomWindows.h"

#include "data/Context.h"
#include "data/Fields.h"
#include "data/Table.h"
#include "reference/Rooms.h"
#include "reference/widgets/ListReports.h"
#include "shell/widgets/ProcedureRegistry.h"
#include "ui/widgets/FormWindow.h"
#include "ui/widgets/ListWindow.h"
#include "ui/widgets/SelectionLists.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

#include <functional>
#include <memory>

namespace nakva {

namespace {

constexpr RoomHistory Histories[RoomHistoryTabs] = {RoomHistory::Residents, RoomHistory::Cleanings,
                                                    RoomHistory::Bedding, RoomHistory::Towels};

// The room form with the room's history on its further tabs, each list bound to the room on the form.
FormResult callRoomForm(Context& context, Request request, QWidget* caller) {
    return FormWindow::call(RedKamb(), context, request, caller, [&context](FormWindow& form) {
        const std::int64_t room = context.table(TableId::Kamb).record().get(KMB::KambarioID);
        for (int tab = 0; tab < RoomHistoryTabs; ++tab) {
            ListConfig config = roomHistory(Histories[tab]);
            config.bind = [room](Variables& variables) {
                variables.set(RoomHistoryVariable, room);
            };
            QWidget* page = form.tabPage(tab + 1);
            auto* list = new ListWindow(config, context, Request::None, page, true);
            list->setMinimumWidth(list->width()); // every column in sight: the list made itself that wide
            static_cast<QFormLayout*>(page->layout())->addRow(list);
        }
    });
}

// The type filter's entry: Ctrl+Down opens the room types as the look-up button does.
class TypeEntry : public QLineEdit {
public:
    using QLineEdit::QLineEdit;
    void setLookUp(std::function<void()> lookUp) { lookUp_ = std::move(lookUp); }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Down && event->modifiers().testFlag(Qt::ControlModifier) && lookUp_) {
            lookUp_();
            return;
        }
        QLineEdit::keyPressEvent(event);
    }

private:
    std::function<void()> lookUp_;
};

// "Kambario tipas:" with its entry and look-up button above the rows of the type tab.
QWidget* typeFilterField(ListWindow& window) {
    auto* field = new QWidget(&window);
    auto* prompt = new QLabel(QStringLiteral("Kambario tipas:"), field);
    auto* entry = new TypeEntry(field);
    auto* button = new QToolButton(field);
    entry->setObjectName("typeFilter");
    entry->setMaxLength(
        Dictionary::instance().table(TableId::Kamb).fields[std::size_t(KMB::KambarioTipas.index)].size);
    entry->setText(QString::fromStdString(roomTypeFilter()));
    entry->setToolTip(QStringLiteral("Pasirinkti iš sąrašo CtrlDown"));
    prompt->setBuddy(entry);
    button->setObjectName("typeLookUp");
    button->setText(QStringLiteral("…"));
    button->setToolTip(QStringLiteral("Atverčia sarašą reikšmei pasirinkti"));
    button->setFocusPolicy(Qt::NoFocus);

    const SelectCall choose = [&window](Context& context) {
        return callSelectionList("SarKambTipai", context, &window);
    };
    const auto lookUp = [&window, entry, choose] {
        if (chooseRoomType(window.engine(), choose)) {
            entry->setText(QString::fromStdString(roomTypeFilter()));
        }
        entry->setFocus();
    };
    entry->setLookUp(lookUp);
    QObject::connect(button, &QToolButton::clicked, entry, lookUp);
    QObject::connect(entry, &QLineEdit::editingFinished, entry, [&window, entry, choose] {
        if (!entry->isModified()) {
            return;
        }
        entry->setModified(false);
        if (acceptRoomType(window.engine(), entry->text().toStdString(), choose)) {
            entry->setText(QString::fromStdString(roomTypeFilter()));
        } else {
            entry->setFocus(); // a cancelled choice: the typed type stays to be corrected
        }
    });

    auto* layout = new QHBoxLayout(field);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    layout->addWidget(prompt);
    layout->addWidget(entry, 1);
    layout->addWidget(button);
    return field;
}

// The room list's own commands and its type filter field, in the menu's window and in a selection.
void setUpRoomList(ListWindow& window) {
    ListEngine& engine = window.engine();
    ListCommand copy;
    copy.name = "copyButton";
    copy.text = "Kopijuoti";
    copy.tooltip = "Kopijuoti pasirinktą įrašą";
    copy.inPopup = true;
    copy.run = [&engine] {
        engine.copyCurrent(copyRoom, true);
    };
    window.addCommand(copy);

    ListCommand print;
    print.name = "printButton";
    print.text = "Spausdinti...";
    print.tooltip = "Spausdinti kambarių ataskaitą";
    print.needsRow = false;
    print.inPopup = true;
    print.menu = {{"Neparuoštų kambarių sąrašas",
                   [&window] {
                       startListReport(window, "SpNepKmbSar");
                   }},
                  {"Kambarių statistika", [&window] {
                       startListReport(window, "SpKmbStat");
                   }}};
    window.addCommand(print);

    window.setTabHeader(RoomTypeTab, typeFilterField(window));
}

} // namespace

void registerRoomWindows(ProcedureRegistry& procedures, Database& database) {
    procedures.add("SarKamb", [&database]() -> QWidget* {
        auto* window = new ListWindow(SarKamb(), std::make_unique<Context>(database));
        window->setFormCall(callRoomForm);
        setUpRoomList(*window);
        return window;
    });
    addSelectionList("SarKamb", [](Context& context, QWidget* caller) {
        return ListWindow::call(SarKamb(), context, caller, callRoomForm, setUpRoomList);
    });
}

} // namespace nakva
