// The list window driven through keys, mouse events and its popup menu, on real files; the record
// form is a script.
#include "ui/widgets/ListWindow.h"
#include "data/Context.h"
#include "data/Database.h"
#include "data/Table.h"
#include "messages/ScopedMessageSink.h"
#include "messages/ScriptedMessages.h"
#include "ui/widgets/CalendarWindow.h"
#include "ui/widgets/DateEntry.h"
#include "ui/widgets/FileDialogs.h"
#include "ui/widgets/FormWindow.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <deque>
#include <functional>
#include <memory>
#include <optional>

namespace nakva {

ListColumn column(std::string heading, std::string field, Picture picture) {
    ListColumn made;
    made.heading = std::move(heading);
    made.field = std::move(field);
    made.picture = picture;
    return made;
}

SortTab tab(std::string text, std::string order, std::string locator) {
    SortTab made;
    made.text = std::move(text);
    made.order = std::move(order);
    made.locator = std::move(locator);
    return made;
}

class ListWindowTest : public QObject {
    Q_OBJECT

private:
    using Step = std::function<FormResult(Table&, Request)>;

    std::unique_ptr<QTemporaryDir> folder;
    std::unique_ptr<Database> database;
    std::unique_ptr<Context> context;
    ScriptedMessages messages;
    ScopedMessageSink guard{messages};
    std::deque<Step> steps;
    std::vector<Request> requests;

    void addCountries(const std::vector<std::string>& names) {
        Table& countries = context->table(TableId::Valstyb);
        countries.open();
        for (const std::string& name : names) {
            countries.clear();
            countries.record().set(VAL::Valstybe, name);
            QCOMPARE(countries.add(), StoreStatus::Ok);
        }
        countries.close();
    }

    static ListConfig countries() {
        ListConfig config;
        config.name = "BrowseValstyb";
        config.title = "VALSTYBĖS";
        config.table = TableId::Valstyb;
        config.columns = {column("", "VAL:Valstybe", Picture::text(20))};
        config.tabs = {tab("", "+UPPER(VAL:Valstybe)", "VAL:Valstybe")};
        return config;
    }

    // The record form, played by the script.
    WidgetFormCall form() {
        return [this](Context& on, Request request, QWidget* caller, FormDone done) {
            if (caller == nullptr) {
                qWarning("the form was called without its caller");
            }
            requests.push_back(request);
            Table& table = on.table(TableId::Valstyb);
            if (steps.empty()) {
                done(FormResult{});
                return;
            }
            const Step step = steps.front();
            steps.pop_front();
            done(step(table, request));
        };
    }

    static Step save(const std::string& name) {
        return [name](Table& table, Request request) {
            table.record().set(VAL::Valstybe, name);
            const StoreStatus status = request == Request::Insert ? table.add() : table.put();
            return FormResult{status == StoreStatus::Ok ? Response::Completed : Response::Cancelled,
                              Navigation::None};
        };
    }

    static std::string current(ListWindow& window) {
        const ListEngine& list = window.engine();
        return list.currentRow() == 0 ? std::string()
                                      : list.rows().at(std::size_t(list.currentRow() - 1)).cells.at(0);
    }

    static ListWindow* openList(const char* name) {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (widget->isVisible() && widget->objectName() == QLatin1String(name)) {
                return qobject_cast<ListWindow*>(widget);
            }
        }
        return nullptr;
    }

private slots:
    void init() {
        folder = std::make_unique<QTemporaryDir>();
        database = std::make_unique<Database>(folder->path().toStdString());
        context = std::make_unique<Context>(*database);
        steps.clear();
        requests.clear();
        messages.clear();
    }
    void cleanup() {
        context.reset();
        database.reset();
        folder.reset();
    }

    void keysInsertChangeDeleteAndLocate() {
        addCountries({"Airija", "Belgija", "Latvija", "Lenkija", "Lietuva", "Olandija"});
        ListWindow window(countries(), *context);
        window.setFormCall(form());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.table()->setFocus();
        QVERIFY(!window.selectButton()->isVisible());
        QVERIFY(!window.scrollBar()->isVisible());

        QTest::keyClick(window.table(), Qt::Key_L);
        QCOMPARE(current(window), std::string("Latvija"));
        QTest::keyClick(window.table(), Qt::Key_L);
        QCOMPARE(current(window), std::string("Lenkija"));

        steps.push_back(save("Naujoji"));
        QTest::keyClick(window.table(), Qt::Key_Insert);
        QCOMPARE(current(window), std::string("Naujoji"));

        steps.push_back(save("Estija"));
        QTest::keyClick(window.table(), Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(current(window), std::string("Estija"));
        QCOMPARE(window.engine().rows().size(), std::size_t(7));

        steps.push_back([](Table& table, Request) {
            return FormResult{table.remove() == StoreStatus::Ok ? Response::Completed : Response::Cancelled,
                              Navigation::None};
        });
        QTest::keyClick(window.table(), Qt::Key_Delete);
        QCOMPARE(window.engine().rows().size(), std::size_t(6));
        QCOMPARE(current(window), std::string("Latvija")); // the row that now stands in its place

        QTest::keyClick(window.table(), Qt::Key_Return); // Enter changes nothing outside select mode
        QCOMPARE(requests, (std::vector<Request>{Request::Insert, Request::Change, Request::Delete}));
        QTest::keyClick(window.table(), Qt::Key_End);
        QCOMPARE(current(window), std::string("Olandija"));
        QCOMPARE(window.toolbarTooltip(ToolbarButton::Insert), std::string("Sukurti naują įrašą [Insert]"));
        QVERIFY(window.changeButton()->isEnabled());
    }

    void mouseSelectsAndDoubleClickChanges() {
        addCountries({"Airija", "Belgija", "Latvija"});
        ListWindow window(countries(), *context);
        window.setFormCall(form());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QRect second = window.table()->visualRect(window.table()->model()->index(1, 0));
        QTest::mouseClick(window.table()->viewport(), Qt::LeftButton, {}, second.center());
        QCOMPARE(current(window), std::string("Belgija"));
        QTest::mouseDClick(window.table()->viewport(), Qt::LeftButton, {}, second.center());
        QCOMPARE(requests, std::vector<Request>{Request::Change});

        // A right click makes the row under the mouse current and shows the popup menu.
        bool popupShown = false;
        QTimer::singleShot(0, [&popupShown] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            popupShown = menu != nullptr;
            if (menu != nullptr) {
                menu->close();
            }
        });
        const QRect third = window.table()->visualRect(window.table()->model()->index(2, 0));
        QContextMenuEvent click(QContextMenuEvent::Mouse, third.center(),
                                window.table()->viewport()->mapToGlobal(third.center()));
        QApplication::sendEvent(window.table()->viewport(), &click);
        QVERIFY(popupShown);
        QCOMPARE(current(window), std::string("Latvija"));
    }

    void popupMenuOnAnEmptyList() {
        ListWindow window(countries(), *context);
        window.setFormCall(form());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(!window.changeButton()->isEnabled());
        QVERIFY(!window.toolbarEnabled(ToolbarButton::Delete));
        QStringList shown;
        QTimer::singleShot(0, [&shown] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QVERIFY(menu != nullptr);
            for (QAction* action : menu->actions()) {
                shown << (action->isSeparator() ? QStringLiteral("-")
                                                : action->text() + (action->isEnabled() ? "" : " (x)"));
            }
            menu->actions().at(0)->trigger(); // "Naujas"
            menu->close();
        });
        steps.push_back(save("Pirmoji"));
        QTest::keyClick(window.table(), Qt::Key_Menu);
        QCOMPARE(shown, (QStringList{"Naujas", "Keisti (x)", "Pašalinti (x)", "-", "Pasirinkti (x)", "-",
                                     "Eksportuoti…"}));
        QCOMPARE(current(window), std::string("Pirmoji"));
    }

    // A list's own commands: enabled and in the popup only while there are rows; a command that adds a
    // record shows the page on it.
    void ownCommandsFollowTheRows() {
        ListWindow window(countries(), *context);
        window.setFormCall(form());
        int printed = 0;
        ListCommand copyCommand;
        copyCommand.name = "copyButton";
        copyCommand.text = "Kopijuoti";
        copyCommand.inPopup = true;
        copyCommand.run = [&window] {
            Table& table = window.engine().context().table(TableId::Valstyb);
            if (window.engine().regetCurrent() == StoreStatus::Ok) {
                table.record().set(VAL::Valstybe, table.record().get(VAL::Valstybe) + "~");
                QCOMPARE(table.add(), StoreStatus::Ok);
                window.engine().showCurrentRecord();
            }
        };
        window.addCommand(copyCommand);
        ListCommand printCommand;
        printCommand.name = "printButton";
        printCommand.text = "Spausdinti...";
        printCommand.inPopup = true;
        printCommand.menu = {{"Sąrašą", [&printed] {
                                  ++printed;
                              }}};
        window.addCommand(printCommand);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QPushButton* copy = window.commandButton("copyButton");
        QVERIFY(copy != nullptr && !copy->isEnabled());
        QVERIFY(!window.commandButton("printButton")->isEnabled());

        const auto popup = [&window] {
            QStringList shown;
            QTimer::singleShot(0, [&shown] {
                auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
                QVERIFY(menu != nullptr);
                for (QAction* action : menu->actions()) {
                    shown << (action->isSeparator() ? QStringLiteral("-") : action->text());
                    if (action->menu() != nullptr) {
                        action->menu()->actions().at(0)->trigger();
                    }
                }
                menu->close();
            });
            QTest::keyClick(window.table(), Qt::Key_Menu);
            return shown;
        };
        QCOMPARE(popup(),
                 (QStringList{"Naujas", "Keisti", "Pašalinti", "-", "Pasirinkti", "-", "Eksportuoti…"}));

        addCountries({"Airija", "Belgija", "Latvija"});
        window.engine().refresh();
        QVERIFY(copy->isEnabled());
        QTest::keyClick(window.table(), Qt::Key_B);
        copy->click();
        QCOMPARE(current(window), std::string("Belgija~"));
        QCOMPARE(window.engine().rows().size(), std::size_t(4));
        QCOMPARE(popup(), (QStringList{"Naujas", "Keisti", "Pašalinti", "-", "Pasirinkti", "Kopijuoti",
                                       "Spausdinti...", "-", "Eksportuoti…"}));
        QCOMPARE(printed, 1);
    }

    // "Eksportuoti…" of a list without a form: the popup's item asks for the file through the file
    // dialogs and writes every row; the toolbar's button cancelled in the dialog writes nothing.
    void exportAsksForTheFileAndWritesTheRows() {
        addCountries({"Ąžuolija", "Airija", "Latvija"});
        ScriptedFileDialogs dialogs;
        const ScopedFileDialogs scoped(dialogs);
        const QString file = folder->filePath(QStringLiteral("šalys.csv"));
        dialogs.answerNext(file);
        ListWindow window(countries(), *context);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(window.toolbarEnabled(ToolbarButton::Export));
        QTimer::singleShot(0, [] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QVERIFY(menu != nullptr);
            QCOMPARE(menu->actions().size(), 1);
            menu->actions().at(0)->trigger();
            menu->close();
        });
        QTest::keyClick(window.table(), Qt::Key_Menu);
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(file), 10000);
        QCOMPARE(dialogs.requests().size(), 1);
        QCOMPARE(dialogs.requests()[0].defaultName, QStringLiteral("VALSTYBĖS.csv"));
        QFile written(file);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(written.readAll(), QStringLiteral("\uFEFFAirija\r\nĄžuolija\r\nLatvija\r\n").toUtf8());
        QTRY_VERIFY_WITH_TIMEOUT(!messages.texts().empty(), 10000);
        QVERIFY(QString::fromStdString(messages.texts().back()).contains(QStringLiteral("įrašų: 3")));

        QFile::remove(file);
        window.toolbarPressed(ToolbarButton::Export); // the dialog cancelled
        QCOMPARE(dialogs.requests().size(), 2);
        QTest::qWait(50);
        QVERIFY(!QFile::exists(file));
    }

    // The export's progress window goes before its closing word: left only hidden, its own timer would
    // show it again, at "0%", behind the message while the user reads it.
    void theExportsProgressIsGoneBeforeItsClosingWord() {
        addCountries({"Airija", "Latvija"});
        ScriptedFileDialogs dialogs;
        const ScopedFileDialogs scoped(dialogs);
        dialogs.answerNext(folder->filePath(QStringLiteral("šalys.csv")));
        struct Reader : MessageSink {
            std::vector<std::string> texts;
            bool progressSeen = false;
            int show(const MessageRequest& request) override {
                texts.push_back(request.text);
                QTest::qWait(800); // the user reads it
                for (QWidget* widget : QApplication::allWidgets()) {
                    progressSeen =
                        progressSeen || (widget->objectName() == "exportProgress" && widget->isVisible());
                }
                return ButtonOk;
            }
        } reader;
        const ScopedMessageSink reading(reader);
        ListWindow window(countries(), *context);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.exportRows();
        QTRY_VERIFY_WITH_TIMEOUT(!reader.texts.empty(), 10000);
        QVERIFY(QString::fromStdString(reader.texts.back()).contains(QStringLiteral("įrašų: 2")));
        QVERIFY(!reader.progressSeen);
    }

    void selectionCallReturnsTheChosenRecord() {
        addCountries({"Airija", "Latvija", "Lietuva", "Olandija"});
        Table& buffer = context->table(TableId::Valstyb);
        buffer.record().set(VAL::Valstybe, "Lie");
        std::optional<Response> answer;
        const auto answered = [&answer](Response response) {
            answer = response;
        };
        ListWindow::call(countries(), *context, nullptr, answered);
        ListWindow* list = openList("BrowseValstyb");
        QVERIFY(list != nullptr);
        QVERIFY(list->selectButton()->isVisible());
        QCOMPARE(current(*list), std::string("Lietuva")); // opened at the caller's value
        QVERIFY(!answer);                                 // the call returned, the list is open
        QTest::keyClick(list->table(), Qt::Key_Down);
        QTest::keyClick(list->table(), Qt::Key_Return);
        QTRY_COMPARE(answer, std::optional<Response>(Response::Completed));
        QCOMPARE(buffer.record().get(VAL::Valstybe), std::string("Olandija"));

        buffer.record().set(VAL::Valstybe, "Zz"); // past the end: the last record
        answer.reset();
        ListWindow::call(countries(), *context, nullptr, answered);
        list = openList("BrowseValstyb");
        QVERIFY(list != nullptr);
        QCOMPARE(current(*list), std::string("Olandija"));
        list->closeButton()->click();
        QTRY_COMPARE(answer, std::optional<Response>(Response::Cancelled));

        // Esc leaves a selection list as "Baigti" does.
        answer.reset();
        ListWindow::call(countries(), *context, nullptr, answered);
        list = openList("BrowseValstyb");
        QVERIFY(list != nullptr);
        QTest::keyClick(list->table(), Qt::Key_Escape);
        QTRY_COMPARE(answer, std::optional<Response>(Response::Cancelled));
    }

    // Valstybės opened twice, Insert and typing in each: both forms open, each list waiting for its
    // own. Whichever form is saved first, its list is live again at once (rebuilt, answering keys)
    // while the other still waits; then the other. Esc leaves a list as "Baigti" does, Ctrl+F4 closes
    // the active child window.
    void twoListsWithTheirFormsOpenCloseInEitherOrderAndBothStayLive() {
        addCountries({"Latvija"});
        FormConfig country;
        country.name = "TwoListsCountry";
        country.table = TableId::Valstyb;
        country.fields = {{"Valstybės pavadinimas:", VAL::Valstybe.index}};
        QMdiArea area;
        area.resize(1000, 700);
        area.show();
        QVERIFY(QTest::qWaitForWindowActive(&area));
        std::vector<ListWindow*> lists;
        for (int i = 0; i < 2; ++i) {
            auto* list = new ListWindow(countries(), std::make_unique<Context>(*database));
            list->setFormCall([country](Context& on, Request request, QWidget* caller, FormDone done) {
                FormWindow::call(country, on, request, caller, std::move(done));
            });
            area.addSubWindow(list)->show();
            lists.push_back(list);
        }
        const auto names = [](ListWindow* list) {
            std::vector<std::string> shown;
            for (const ListRow& row : list->engine().rows()) {
                shown.push_back(row.cells.at(0));
            }
            return shown;
        };
        const auto openForm = [&area](ListWindow* list, const QString& name) -> QPointer<FormWindow> {
            QTest::keyClick(list->table(), Qt::Key_Insert);
            auto* form = qobject_cast<FormWindow*>(area.activeSubWindow()->widget());
            if (form != nullptr) {
                QTest::keyClicks(qobject_cast<QLineEdit*>(form->itemWidget(0)), name);
            }
            return form;
        };

        const struct {
            int first;
            QString names[2];
        } orders[] = {{0, {"Estija", "Suomija"}}, {1, {"Airija", "Norvegija"}}};
        for (const auto& order : orders) {
            QPointer<FormWindow> forms[2] = {openForm(lists[0], order.names[0]),
                                             openForm(lists[1], order.names[1])};
            QVERIFY(forms[0] != nullptr && forms[1] != nullptr);
            QVERIFY(!lists[0]->isEnabled() && !lists[1]->isEnabled());

            const int first = order.first;
            const int second = 1 - first;
            QTest::keyClick(forms[first]->itemWidget(0), Qt::Key_Return); // saved
            QTRY_VERIFY(lists[first]->isEnabled());
            QVERIFY(forms[first].isNull());
            QVERIFY(!lists[second]->isEnabled()); // its form is still open
            QCOMPARE(current(*lists[first]), order.names[first].toStdString());
            QTest::keyClick(lists[first]->table(), Qt::Key_Home); // live: it answers keys
            QCOMPARE(current(*lists[first]), names(lists[first]).front());

            QTest::keyClick(forms[second]->itemWidget(0), Qt::Key_Return);
            QTRY_VERIFY(lists[second]->isEnabled());
            QCOMPARE(current(*lists[second]), order.names[second].toStdString());
            lists[first]->engine().refresh();
            QCOMPARE(names(lists[0]), names(lists[1]));
        }
        QCOMPARE(names(lists[0]),
                 (std::vector<std::string>{"Airija", "Estija", "Latvija", "Norvegija", "Suomija"}));

        QTest::keyClick(lists[0]->table(), Qt::Key_Escape);
        QTRY_COMPARE(area.subWindowList().size(), 1);
        area.setActiveSubWindow(area.subWindowList().at(0));
        lists[1]->table()->setFocus();
        QTest::keyClick(lists[1]->table(), Qt::Key_F4, Qt::ControlModifier); // the child window's close
        QTRY_COMPARE(area.subWindowList().size(), 0);
    }

    void aDateLocatorUsesTheCalendar() {
        Table& registrations = context->table(TableId::Saskait);
        registrations.open();
        for (int day = 1; day <= 40; ++day) {
            registrations.clear();
            registrations.record().set(SAS::IrasoNr, day);
            registrations.record().set(SAS::IrasoDt, dateFromYmd(2024, 3, 1) + 2 * (day - 1));
            QCOMPARE(registrations.add(), StoreStatus::Ok);
        }
        ListConfig config;
        config.name = "Gyventojai";
        config.table = TableId::Saskait;
        config.columns = {column("ĮrašoDt", "SAS:IrasoDt", Picture::date()),
                          column("ĮrašoNr", "SAS:IrasoNr", Picture::number(10))};
        SortTab byDate = tab("Pagal įrašo datą", "+SAS:IrasoDt,+SAS:IrasoNr", "SAS:IrasoDt");
        byDate.locatorPrompt = "Rasti įrašo datą:";
        config.tabs = {byDate};
        ListWindow window(config, *context);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto* entry = qobject_cast<DateEntry*>(window.locatorEntry());
        QVERIFY(entry != nullptr);

        entry->edit()->setText("2024-03-10");
        QTimer::singleShot(0, [] {
            auto* calendar = qobject_cast<CalendarWindow*>(QApplication::activeModalWidget());
            QVERIFY(calendar != nullptr);
            QTest::keyClick(calendar, Qt::Key_Right); // 11 March
            QTest::keyClick(calendar, Qt::Key_Right); // 12 March
            QTest::keyClick(calendar, Qt::Key_Return);
        });
        QTest::keyClick(entry->edit(), Qt::Key_Down, Qt::ControlModifier);
        QCOMPARE(current(window), std::string("2024-03-13")); // the first record on or after 12 March

        window.toolbarPressed(ToolbarButton::Locate);
        entry->edit()->setText("2024-04-01");
        entry->edit()->setModified(true);
        QTest::keyClick(entry->edit(), Qt::Key_Return);
        QCOMPARE(current(window), std::string("2024-04-02"));

        entry->edit()->setText("2024-13-01");
        entry->edit()->setModified(true);
        QTest::keyClick(entry->edit(), Qt::Key_Return);
        QCOMPARE(messages.shown().size(), std::size_t(1)); // a bad date is refused with its reason
        QCOMPARE(current(window), std::string("2024-04-02"));
        registrations.close();
    }

    void theScrollBarShowsOnlyOnAFullPage() {
        std::vector<std::string> names;
        for (int i = 0; i < 200; ++i) {
            names.push_back("Šalis " + std::to_string(1000 + i));
        }
        addCountries(names);
        ListWindow window(countries(), *context);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const int rows = window.engine().pageSize();
        QCOMPARE(int(window.engine().rows().size()), rows);
        QVERIFY(window.scrollBar()->isVisible());
        QCOMPARE(window.scrollBar()->value(), 0);
        QTest::keyClick(window.table(), Qt::Key_End);
        QCOMPARE(window.scrollBar()->value(), 100);
        QCOMPARE(current(window), std::string("Šalis 1199"));
        window.resize(window.width(), window.height() + 200);
        QTRY_VERIFY(window.engine().pageSize() > rows); // more rows, still around the current record
        QCOMPARE(current(window), std::string("Šalis 1199"));
    }
};

} // namespace nakva

QTEST_MAIN(nakva::ListWindowTest)
#include "ListWindowTest.moc"
