#include "shell/widgets/MainWindow.h"
#include "messages/ScopedMessageSink.h"
#include "messages/ScriptedMessages.h"
#include "shell/ToolbarButtons.h"
#include "shell/widgets/AboutWindow.h"
#include "shell/widgets/HelpViewer.h"
#include "shell/widgets/KeypadPeriodFilter.h"
#include "shell/widgets/ProcedureRegistry.h"
#include "ui/Help.h"

#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>
#include <QTextBrowser>
#include <QToolBar>

#include <memory>
#include <set>
#include <vector>

namespace nakva {

// A child window as the list and form engines will be: it answers the toolbar.
class TestChild : public QWidget, public ToolbarClient {
public:
    std::set<ToolbarButton> enabled{ToolbarButton::NextRecord, ToolbarButton::Insert, ToolbarButton::Help};
    std::vector<ToolbarButton> pressed;

    bool toolbarEnabled(ToolbarButton button) const override { return enabled.count(button) != 0; }
    std::string toolbarTooltip(ToolbarButton button) const override {
        return button == ToolbarButton::Insert ? "Sukurti naują įrašą [Insert]" : std::string();
    }
    void toolbarPressed(ToolbarButton button) override { pressed.push_back(button); }
    void enable(ToolbarButton button) {
        enabled.insert(button);
        toolbarChanged();
    }
};

class MainWindowTest : public QObject {
    Q_OBJECT

private:
    ScriptedMessages messages;
    ScopedMessageSink guard{messages};
    ProcedureRegistry procedures;
    std::unique_ptr<MainWindow> window;
    std::vector<TestChild*> children;

    // The menu as text: an entry per line, nested entries indented, "text | hint", "-" for separators.
    static void outline(const QWidget* menu, int depth, QString& out) {
        for (QAction* action : menu->actions()) {
            if (action->isSeparator()) {
                out += QString(depth * 2, ' ') + "-\n";
                continue;
            }
            if (action->text().isEmpty()) {
                continue;
            }
            out += QString(depth * 2, ' ') + action->text();
            if (!action->statusTip().isEmpty()) {
                out += " | " + action->statusTip();
            }
            out += '\n';
            if (action->menu() != nullptr) {
                outline(action->menu(), depth + 1, out);
            }
        }
    }

    QAction* find(const QStringList& path) const {
        const QWidget* menu = window->menuBar();
        QAction* found = nullptr;
        for (const QString& text : path) {
            found = nullptr;
            for (QAction* action : menu->actions()) {
                if (action->text() == text) {
                    found = action;
                }
            }
            if (found == nullptr) {
                return nullptr;
            }
            menu = found->menu();
        }
        return found;
    }

private slots:
    void initTestCase() {
        procedures.add("TestChild", [this] {
            auto* child = new TestChild;
            child->setWindowTitle("Bandymas");
            children.push_back(child);
            QObject::connect(child, &QObject::destroyed, [this, child] { std::erase(children, child); });
            return child;
        });
    }

    void init() {
        messages.clear();
        window = std::make_unique<MainWindow>(procedures, [] { return std::string("UAB Bandymas"); });
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }

    void cleanup() {
        window.reset();
        QTRY_COMPARE(children.size(), std::size_t{0});
    }

    void titleAndStatusLine() {
        QVERIFY(window->windowTitle().startsWith(QStringLiteral("Viešbučio paslaugų registras NAKVA ")));
        QCOMPARE(window->findChild<QLabel*>("statusText")->text(),
                 QStringLiteral("Sąskaitų išrašymo apskaita"));
    }

    void menuTreeTextsAndHints() {
        QString menu;
        outline(window->menuBar(), 0, menu);
        QCOMPARE(menu, QStringLiteral(R"(&Failai | pagalbiniai darbai su failais
  &Printerio nustatymas ... | spausdintuvo parametrų nustatymas
  -
  Pašalinti senus registracijos įrašus
  Nuasmeninti duomenis
  -
  &Apie programą | apie programą ir autorius
Gyventojai
  Registracijos įrašai | neišvykusių gyventojų registracijos įrašai
  Kambarių užimtumas | kambariai ir dienos: kas kur gyvena
  Šiandien | šiandien atvykstantys, išvykstantys ir gyvenantys
  -
  Atvykstantys ir išvykstantys (spausdinti)
Ataskaitos
  Registracijos žurnalas
  Registracijos žurnalas su apmokejimu
  Gyventojų sąrašas
  Išvykstančių gyventojų sąrašas
  Neišvykusių gyventojų statistika
  Neišvykusių gyventojų sarašas
  -
  Statistika
    Gyventojų statistika pagal valstybes
    Gyventojų statistika pagal valstybes detali
    -
    Gyventojų statistika pagal grupes
    Gyventojų statistika pagal grupes detali
    -
    Kambarių užimtumo suvestinė pagal tipus
    -
    Kambarių užimtumo žiniaraštis detalus
  Paslaugų teikimas
    Einamoji paslaugų suvestinė
    Einamasis paslaugos žiniaraštis
    -
    Pajamų suvestinė pagal valstybes
    Pajamų žiniaraštis pagal valstybes
    -
    Pajamų suvestinė pagal gyv. grupes
    Pajamų žiniaraštis pagal gyv. grupes
    -
    Sąskaitų žiniaraštis
    Paslaugų sąrašas
  Apmokėjimas
    Einamasis apmokėjimo žiniaraštis A1
    Einamasis apmokėjimo žiniaraštis A2
    Mokėtojų sąrašas
    -
  -
  i.SAF išrašytų sąskaitų registras | išrašytų PVM sąskaitų faktūrų registras mokesčių inspekcijai (XML failas)
Archyvas | sąskaitų faktūrų sąrašo papildymas ir redagavimas
Apmokėjimai
Kambarių aptarnavimas
  Kambarių valymai
  Lovos patalynės keitimai
  Rankšluočių keitimai
  -
  Ataskaitos
    Neparuoštų kambarių sąrašas
    Kambarių aptarnavimo suvestinė
Žinynai | žinynų duomenų tvarkymas
  Paslaugos | paslaugų-prekių sąrašo papildymas ir redagavimas
  Paslaugų grupės
  -
  Kambariai
  Kambarių tipai
  -
  Mokėtojai | klientų sąrašo papildymas ir redagavimas
  Mokėjimo būdai
  -
  Valstybės
  Gyventojų grupės
  Valytojai
  -
  PVM tarifai ir i.SAF kodai | PVM tarifai ir jų mokesčių kodai i.SAF registrui
  Nustatymai, įstaigos duomenys | Nustatymai
&Langai | Langų valdymas
  &Išlyginti | langų išlyginimas
  &Laiptuotai | langų išdėstymas laiptuotai
  &Išlyginti ikonas | ikonų išlyginimas
  -
  Į&rankių juosta | rodyti arba slėpti įrankių juostą
&Baigti | Darbo pabaiga
)"));
    }

    void highlightedItemShowsItsHint() {
        QAction* references = find({"Žinynai"});
        QMenu* menu = references->menu();
        window->menuBar()->setActiveAction(references);
        QTRY_VERIFY(menu->isVisible());
        menu->setActiveAction(find({"Žinynai", "Mokėtojai"}));
        QCOMPARE(window->statusBar()->currentMessage(),
                 QStringLiteral("klientų sąrašo papildymas ir redagavimas"));
        menu->close();
    }

    void unbuiltProcedureShowsWarningSix_data() {
        QTest::addColumn<QStringList>("path");
        QTest::addColumn<QString>("text");
        QTest::newRow("Valstybės") << QStringList{"Žinynai", "Valstybės"}
                                   << QStringLiteral("Procedūra BrowseValstyb neapibrėžta.");
        QTest::newRow("Gyventojai") << QStringList{"Gyventojai", "Registracijos įrašai"}
                                    << QStringLiteral("Procedūra SarSaskait neapibrėžta.");
        QTest::newRow("statistics") << QStringList{"Ataskaitos", "Statistika",
                                                   "Gyventojų statistika pagal grupes"}
                                    << QStringLiteral("Procedūra SpStatGrup neapibrėžta.");
    }
    void unbuiltProcedureShowsWarningSix() {
        QFETCH(QStringList, path);
        QFETCH(QString, text);
        find(path)->trigger();
        QCOMPARE(messages.texts().size(), std::size_t{1});
        QCOMPARE(QString::fromStdString(messages.shown()[0].text), text);
        QCOMPARE(messages.shown()[0].title, std::string("Procedūra neapibrėžta"));
        QVERIFY(window->mdiArea()->subWindowList().isEmpty());
    }

    void eachStartOpensAnotherWindow() {
        window->startProcedure("TestChild");
        window->startProcedure("TestChild");
        QCOMPARE(window->mdiArea()->subWindowList().size(), 2);
        QCOMPARE(children.size(), std::size_t{2});
        find({"&Langai", "&Išlyginti"})->trigger();
        const QRect first = window->mdiArea()->subWindowList()[0]->geometry();
        const QRect second = window->mdiArea()->subWindowList()[1]->geometry();
        QVERIFY(!first.intersects(second));
    }

    // "Langai" lists the open windows as it opens, the active one checked; choosing one brings it to the
    // front. A toolbar hidden by its own popup menu comes back from there.
    void theWindowsMenuListsTheOpenWindowsAndBringsTheToolbarBack() {
        QMdiSubWindow* first = window->startProcedure("TestChild");
        first->setWindowTitle(QStringLiteral("Pirmas"));
        QMdiSubWindow* second = window->startProcedure("TestChild");
        second->setWindowTitle(QStringLiteral("Antras"));
        QMenu* windows = find({"&Langai"})->menu();
        emit windows->aboutToShow();
        QStringList entries;
        QAction* firstEntry = nullptr;
        for (QAction* action : windows->actions()) {
            if (action->text().contains(QStringLiteral("Pirmas")) ||
                action->text().contains(QStringLiteral("Antras"))) {
                entries << action->text() + (action->isChecked() ? QStringLiteral(" ✓") : QString());
                firstEntry = firstEntry != nullptr ? firstEntry : action;
            }
        }
        QCOMPARE(entries, (QStringList{"&1 Pirmas", "&2 Antras ✓"}));
        firstEntry->trigger();
        QCOMPARE(window->mdiArea()->activeSubWindow(), first);
        emit windows->aboutToShow(); // made again, not added to
        int listed = 0;
        for (QAction* action : windows->actions()) {
            listed += action->text().contains(QStringLiteral("Antras")) ? 1 : 0;
        }
        QCOMPARE(listed, 1);

        auto* toolbar = window->findChild<QToolBar*>("toolbar");
        toolbar->toggleViewAction()->trigger(); // its own popup menu's entry
        QVERIFY(!toolbar->isVisible());
        QAction* shown = find({"&Langai", "Į&rankių juosta"});
        QVERIFY(!shown->isChecked());
        shown->trigger();
        QVERIFY(toolbar->isVisible());
        QVERIFY(shown->isChecked());
    }

    // Ctrl+F4 closes the active child window, as its close box does; the other stays.
    void ctrlF4ClosesTheActiveChild() {
        window->startProcedure("TestChild");
        QMdiSubWindow* second = window->startProcedure("TestChild");
        QCOMPARE(window->mdiArea()->activeSubWindow(), second);
        QTest::keyClick(second->widget(), Qt::Key_F4, Qt::ControlModifier);
        QTRY_COMPARE(window->mdiArea()->subWindowList().size(), 1);
        QVERIFY(window->mdiArea()->subWindowList().at(0) != second);
    }

    // Maximised (by its own button, or as every window after a maximised one opens), it still closes.
    void ctrlF4ClosesAMaximisedChild() {
        window->startProcedure("TestChild");
        QMdiSubWindow* second = window->startProcedure("TestChild");
        second->showMaximized();
        QTRY_VERIFY(second->isMaximized());
        QTest::keyClick(second->widget(), Qt::Key_F4, Qt::ControlModifier);
        QTRY_COMPARE(window->mdiArea()->subWindowList().size(), 1);
        QMdiSubWindow* first = window->mdiArea()->subWindowList().at(0);
        window->mdiArea()->setActiveSubWindow(first);
        QTest::keyClick(first->widget(), Qt::Key_F4, Qt::ControlModifier);
        QTRY_COMPARE(window->mdiArea()->subWindowList().size(), 0);
    }

    void toolbarWithoutChild() {
        for (const ToolbarButtonDef& def : toolbarButtons()) {
            QAction* action = window->toolbarAction(def.button);
            QCOMPARE(action->toolTip(), QString::fromUtf8(def.tooltip.data(), def.tooltip.size()));
            const bool frameButton = def.button == ToolbarButton::Close || def.button == ToolbarButton::Help;
            QCOMPARE(action->isEnabled(), frameButton);
        }
        QStringList tips;
        for (QAction* action : window->findChild<QToolBar*>("toolbar")->actions()) {
            if (!action->isSeparator()) {
                tips << action->toolTip();
            }
        }
        QCOMPARE(tips, (QStringList{"Pirmas lapas", "Ankstesnis lapas", "Ankstesnis įrašas", "Rasti įrašą",
                                    "Kitas įrašas", "Kitas lapas", "Paskutinis lapas", "Įvesti naują įrašą",
                                    "Keisti pasirinktą įrašą", "Pašalinti paririnktą įrašą",
                                    "Kopijuoti/Įstatyti ankstesnio įrašo reikšmę", "Pasirinkti įrašą",
                                    "Eksportuoti…", "Uždaryti langą", "Pagalba", "Kambarių užimtumas",
                                    "Šiandien atvykstantys, išvykstantys ir gyvenantys"}));
    }

    void toolbarActsOnTheActiveChild() {
        window->startProcedure("TestChild");
        QMdiSubWindow* second = window->startProcedure("TestChild");
        QTRY_COMPARE(window->mdiArea()->activeSubWindow(), second);
        auto* active = static_cast<TestChild*>(second->widget());
        TestChild* other = children[0] == active ? children[1] : children[0];

        QVERIFY(window->toolbarAction(ToolbarButton::NextRecord)->isEnabled());
        QVERIFY(!window->toolbarAction(ToolbarButton::Delete)->isEnabled());
        QVERIFY(window->toolbarAction(ToolbarButton::Close)->isEnabled());
        QCOMPARE(window->toolbarAction(ToolbarButton::Insert)->toolTip(),
                 QStringLiteral("Sukurti naują įrašą [Insert]"));
        QCOMPARE(window->toolbarAction(ToolbarButton::NextRecord)->toolTip(), QStringLiteral("Kitas įrašas"));

        window->toolbarAction(ToolbarButton::NextRecord)->trigger();
        window->toolbarAction(ToolbarButton::Delete)->trigger(); // disabled: nothing reaches the child
        window->toolbarAction(ToolbarButton::Help)->trigger();
        QCOMPARE(active->pressed,
                 (std::vector<ToolbarButton>{ToolbarButton::NextRecord, ToolbarButton::Help}));
        QVERIFY(other->pressed.empty());

        active->enable(ToolbarButton::Delete);
        QVERIFY(window->toolbarAction(ToolbarButton::Delete)->isEnabled());
        other->enable(ToolbarButton::LastPage); // an inactive child does not steer the toolbar
        QVERIFY(!window->toolbarAction(ToolbarButton::LastPage)->isEnabled());

        window->toolbarAction(ToolbarButton::Close)->trigger(); // closes the active child, no question
        QTRY_COMPARE(window->mdiArea()->subWindowList().size(), 1);
        QTRY_COMPARE(children.size(), std::size_t{1});
        QVERIFY(messages.shown().empty());
        QTRY_COMPARE(window->mdiArea()->currentSubWindow()->widget(), static_cast<QWidget*>(other));
        QVERIFY(window->toolbarAction(ToolbarButton::LastPage)->isEnabled());
    }

    void closeButtonWithoutChildAsks() {
        messages.answerNext(ButtonNo);
        window->toolbarAction(ToolbarButton::Close)->trigger();
        QCOMPARE(messages.texts(), std::vector<std::string>{"Ar tikrai baigti darbą ?"});
        const MessageRequest question = messages.shown()[0];
        QCOMPARE(question.text, std::string("Ar tikrai baigti darbą ?"));
        QCOMPARE(question.title, std::string("Darbo pabaiga"));
        QCOMPARE(question.buttons, unsigned{ButtonYes | ButtonNo});
        QVERIFY(question.icon == MessageIcon::Exclamation);
        QVERIFY(window->isVisible());

        messages.answerNext(ButtonYes);
        window->toolbarAction(ToolbarButton::Close)->trigger();
        QVERIFY(!window->isVisible());
    }

    void quitClosesEverythingWithoutAQuestion() {
        window->startProcedure("TestChild");
        window->startProcedure("TestChild");
        find({"&Baigti"})->trigger();
        QVERIFY(!window->isVisible());
        QVERIFY(messages.shown().empty());
        QTRY_COMPARE(children.size(), std::size_t{0});
    }

    void f1OpensTheHelp() {
        int calls = 0;
        setHelpHandler([&calls](std::string_view topic) {
            ++calls;
            QVERIFY(topic.empty());
        });
        QTest::keyClick(window.get(), Qt::Key_F1);
        QCOMPARE(calls, 1);
        window->toolbarAction(ToolbarButton::Help)->trigger(); // no child: the frame's own help
        QCOMPARE(calls, 2);
        setHelpHandler({});
    }

    void helpViewerShowsTheGuide() {
        HelpViewer viewer;
        viewer.showTopic({});
        QVERIFY(viewer.isVisible());
        QVERIFY(viewer.browser()->toPlainText().contains(QStringLiteral("Viešbučio paslaugų registras")));
        viewer.showTopic("kalendorius");
        QCOMPARE(viewer.browser()->source().fragment(), QStringLiteral("kalendorius"));
    }

    void aboutClosesByItselfOrOnAClick() {
        AboutWindow timed(QStringLiteral("UAB Bandymas"));
        timed.show();
        QVERIFY(timed.findChild<QLabel*>("institution")->text() == QStringLiteral("UAB Bandymas"));
        QTest::qWait(AboutWindow::ShownMilliseconds - 500);
        QVERIFY(timed.isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(!timed.isVisible(), 2000);

        for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton}) {
            AboutWindow clicked(QStringLiteral("UAB Bandymas"));
            clicked.show();
            QVERIFY(QTest::qWaitForWindowExposed(&clicked));
            QTest::mouseClick(&clicked, button);
            QVERIFY(!clicked.isVisible());
        }
    }

    void keypadDecimalKeyTypesAPeriod() {
        QLineEdit edit;
        KeypadPeriodFilter filter;
        edit.installEventFilter(&filter);
        edit.show();
        QTest::keyClicks(&edit, "12");
        QTest::keyClick(&edit, Qt::Key_Comma, Qt::KeypadModifier);
        QTest::keyClick(&edit, '5');
        QTest::keyClick(&edit, Qt::Key_Comma); // the comma of the main keyboard stays a comma
        QCOMPARE(edit.text(), QStringLiteral("12.5,"));
    }
};

} // namespace nakva

QTEST_MAIN(nakva::MainWindowTest)
#include "MainWindowTest.moc"
