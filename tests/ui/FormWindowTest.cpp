// The record form's window driven through keys, on real files in a temporary folder.
#include "ui/widgets/FormWindow.h"
#include "data/Context.h"
#include "data/Database.h"
#include "data/Fields.h"
#include "data/Table.h"
#include "messages/ScopedMessageSink.h"
#include "messages/ScriptedMessages.h"
#include "ui/widgets/CalledWindow.h"
#include "ui/widgets/ListWindow.h"
#include "ui/widgets/SelectionLists.h"

#include <QApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include <memory>
#include <optional>

using namespace nakva;

namespace {

FormConfig registrationForm() {
    FormConfig config;
    config.name = "WindowRegistration";
    config.table = TableId::Saskait;
    config.fields = {{"Gyventojo pavardė, vardas*:", SAS::Gyventojas.index},
                     {"Valstybė*:", SAS::GYVENTOJOVALSTYBE.index, "Kilmės šalis"},
                     {"Adresas:", SAS::GYVENTOJOADRESAS.index}};
    config.fields[1].lookUp.emplace(TableId::Valstyb, VAL::Valstybe.index, VAL::Key_Valst.index,
                                    "BrowseValstyb");
    return config;
}

QLineEdit* edit(FormWindow& window, int item) {
    return qobject_cast<QLineEdit*>(window.itemWidget(item));
}

} // namespace

class FormWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void typingAndEnterSavesTheRecord();
    void ctrlDownOpensTheLookUpsListAtTheTypedValue();
    void theHistoryKeyFillsTheFocusedField();
    void escapeCancelsAndTheNumberedRecordGoes();
    void aCallOpensBesideItsCallerAndReturnsWhenTheFormCloses();
    void aPickAfterTypingAndTabMovesTheFocusOnInTheActiveForm();
    void deleteAsksWithCancelAsTheDefault();

private:
    std::vector<std::string> column(TableId id, std::string_view field);
    void addCountry(const char* name);

    std::unique_ptr<QTemporaryDir> folder_;
    std::unique_ptr<Database> database_;
    std::unique_ptr<Context> context_;
    ScriptedMessages messages_;
    std::unique_ptr<ScopedMessageSink> sink_;
    std::vector<std::string> openedAt_;
};

void FormWindowTest::init() {
    folder_ = std::make_unique<QTemporaryDir>();
    database_ = std::make_unique<Database>(folder_->path().toStdString());
    context_ = std::make_unique<Context>(*database_);
    messages_.clear();
    sink_ = std::make_unique<ScopedMessageSink>(messages_);
    openedAt_.clear();
}

void FormWindowTest::cleanup() {
    sink_.reset();
    context_.reset();
    database_.reset();
    folder_.reset();
}

std::vector<std::string> FormWindowTest::column(TableId id, std::string_view field) {
    Context other(*database_);
    Table& table = other.table(id);
    table.open();
    std::vector<std::string> values;
    table.setToKeyStart(table.def().identityKey);
    while (table.next() == StoreStatus::Ok) {
        values.push_back(table.record().text(field));
    }
    table.close();
    return values;
}

void FormWindowTest::addCountry(const char* name) {
    Context other(*database_);
    Table& countries = other.table(TableId::Valstyb);
    countries.open();
    countries.clear();
    countries.record().set(VAL::Valstybe, name);
    QCOMPARE(countries.add(), StoreStatus::Ok);
    countries.close();
}

void FormWindowTest::typingAndEnterSavesTheRecord() {
    addCountry("Lietuva");
    context_->table(TableId::Saskait).open();
    context_->table(TableId::Saskait).clear();
    FormEngine engine(registrationForm(), *context_, {});
    QVERIFY(engine.open(Request::Insert));
    FormWindow window(engine);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QCOMPARE(window.windowTitle(), QStringLiteral("Kuriamas naujas įrašas"));
    QCOMPARE(edit(window, 1)->toolTip(), QStringLiteral("Kilmės šalis (pasirinkti CtrlDown)"));
    QCOMPARE(window.lookUpButton(1)->toolTip(), QStringLiteral("Atverčia sarašą reikšmei pasirinkti"));
    QCOMPARE(window.saveButton()->toolTip(), QStringLiteral("Išsaugoti pakeitimus ir baigti"));

    QTest::keyClicks(edit(window, 0), QStringLiteral("Jonaitis"));
    QTest::keyClick(edit(window, 0), Qt::Key_Tab);
    QVERIFY(edit(window, 1)->hasFocus());
    QTest::keyClicks(edit(window, 1), QStringLiteral("lietuva"));
    QTest::keyClick(edit(window, 1), Qt::Key_Return);

    QVERIFY(engine.finished());
    QCOMPARE(engine.result().response, Response::Completed);
    QVERIFY(!window.isVisible());
    QCOMPARE(column(TableId::Saskait, "SAS:GYVENTOJOVALSTYBE"), std::vector<std::string>{"Lietuva"});
    QVERIFY(messages_.shown().empty());
}

void FormWindowTest::ctrlDownOpensTheLookUpsListAtTheTypedValue() {
    addCountry("Latvija");
    context_->table(TableId::Saskait).open();
    context_->table(TableId::Saskait).clear();
    FormEngine engine(registrationForm(), *context_,
                      [this](const FormLookUp& lookUp, Context& on, SelectDone done) {
                          Table& countries = on.table(lookUp.table);
                          openedAt_.push_back(countries.record().text(lookUp.field));
                          countries.record().set(VAL::Valstybe, "Latvija");
                          done(Response::Completed);
                      });
    QVERIFY(engine.open(Request::Insert));
    FormWindow window(engine);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    edit(window, 1)->setFocus();
    QTest::keyClicks(edit(window, 1), QStringLiteral("La"));
    QTest::keyClick(edit(window, 1), Qt::Key_Down, Qt::ControlModifier);
    QCOMPARE(openedAt_.size(), std::size_t(1));
    QCOMPARE(openedAt_[0], std::string("La"));
    QCOMPARE(edit(window, 1)->text(), QStringLiteral("Latvija"));
    QVERIFY(edit(window, 2)->hasFocus()); // a value picked: the focus moves on

    QTest::mouseClick(window.lookUpButton(1), Qt::LeftButton);
    QCOMPARE(openedAt_.size(), std::size_t(2));
    QCOMPARE(openedAt_[1], std::string("Latvija"));
}

void FormWindowTest::theHistoryKeyFillsTheFocusedField() {
    FormConfig config = registrationForm();
    config.name = "WindowHistory";
    Record saved(TableId::Saskait);
    saved.set(SAS::Gyventojas, "Petraitis");
    formMemory(config.name).history = saved;

    context_->table(TableId::Saskait).open();
    context_->table(TableId::Saskait).clear();
    FormEngine engine(config, *context_, {});
    QVERIFY(engine.open(Request::Insert));
    FormWindow window(engine);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(edit(window, 0), Qt::Key_Apostrophe, Qt::ControlModifier);
    QCOMPARE(edit(window, 0)->text(), QStringLiteral("Petraitis"));
}

void FormWindowTest::escapeCancelsAndTheNumberedRecordGoes() {
    context_->table(TableId::Saskait).open();
    context_->table(TableId::Saskait).clear();
    FormEngine engine(registrationForm(), *context_, {});
    QVERIFY(engine.open(Request::Insert));
    QCOMPARE(column(TableId::Saskait, "SAS:IrasoNr"), std::vector<std::string>{"1"});
    FormWindow window(engine);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTest::keyClicks(edit(window, 0), QStringLiteral("Jonaitis"));
    QTest::keyClick(edit(window, 0), Qt::Key_Escape);
    QCOMPARE(engine.result().response, Response::Cancelled);
    QVERIFY(column(TableId::Saskait, "SAS:IrasoNr").empty());
}

void FormWindowTest::aCallOpensBesideItsCallerAndReturnsWhenTheFormCloses() {
    QMdiArea area;
    area.resize(800, 600);
    auto* caller = new QWidget;
    area.addSubWindow(caller)->show();
    area.show();
    QVERIFY(QTest::qWaitForWindowExposed(&area));

    context_->table(TableId::Saskait).open();
    context_->table(TableId::Saskait).clear();
    std::optional<Response> answer;
    const auto answered = [&answer](FormResult result) {
        answer = result.response;
    };
    FormWindow::call(registrationForm(), *context_, Request::Insert, caller, answered);
    QPointer<FormWindow> shown = area.findChild<FormWindow*>();
    QVERIFY(shown != nullptr);
    QVERIFY(!caller->parentWidget()->isEnabled());
    QCOMPARE(area.subWindowList().size(), 2);
    QVERIFY(!answer);
    shown->parentWidget()->move(123, 45);
    shown->toolbarPressed(ToolbarButton::Select); // the save: the name is not required here
    QTRY_COMPARE(answer, std::optional<Response>(Response::Completed));
    QVERIFY(caller->parentWidget()->isEnabled());
    QVERIFY(shown.isNull());
    QCOMPARE(area.activeSubWindow(), caller->parentWidget());
    QCOMPARE(column(TableId::Saskait, "SAS:IrasoNr"), std::vector<std::string>{"1"});

    // The next window of the same form opens where the last one was left.
    answer.reset();
    FormWindow::call(registrationForm(), *context_, Request::Insert, caller, answered);
    QCOMPARE(area.findChild<FormWindow*>()->parentWidget()->pos(), QPoint(123, 45));
    area.findChild<FormWindow*>()->toolbarPressed(ToolbarButton::Close);
    QTRY_COMPARE(answer, std::optional<Response>(Response::Cancelled));
}

// The countries' list a form's look-up opens, beside the form in the caller's area: a value typed and
// left with Tab that is not found opens it; after a pick the form is the active window again, its
// toolbar buttons enabled, and the focus on the next field; Esc in the list leaves it without a
// choice, with the focus back on the field.
void FormWindowTest::aPickAfterTypingAndTabMovesTheFocusOnInTheActiveForm() {
    addCountry("Latvija");
    addCountry("Lietuva");
    addSelectionList("BrowseValstyb", [](Context& on, QWidget* caller, SelectDone done) {
        ListConfig countries;
        countries.name = "BrowseValstyb";
        countries.table = TableId::Valstyb;
        ListColumn name;
        name.field = "VAL:Valstybe";
        name.picture = Picture::text(20);
        countries.columns = {name};
        SortTab byName;
        byName.order = "+UPPER(VAL:Valstybe)";
        byName.locator = "VAL:Valstybe";
        countries.tabs = {byName};
        ListWindow::call(countries, on, caller, std::move(done));
    });
    QMdiArea area;
    area.resize(900, 600);
    auto* caller = new QWidget;
    area.addSubWindow(caller)->show();
    area.show();
    QVERIFY(QTest::qWaitForWindowActive(&area));
    context_->table(TableId::Saskait).open();
    context_->table(TableId::Saskait).clear();
    std::optional<Response> answer;
    FormWindow::call(registrationForm(), *context_, Request::Insert, caller,
                     [&answer](FormResult result) { answer = result.response; });
    QPointer<FormWindow> form = area.findChild<FormWindow*>();
    QVERIFY(form != nullptr);
    const auto countriesList = [&area]() -> ListWindow* {
        QMdiSubWindow* active = area.activeSubWindow();
        return active != nullptr ? qobject_cast<ListWindow*>(active->widget()) : nullptr;
    };

    for (const bool pick : {false, true}) {
        edit(*form, 1)->setFocus();
        edit(*form, 1)->selectAll();
        QTest::keyClicks(edit(*form, 1), QStringLiteral("Li"));
        QTest::keyClick(edit(*form, 1), Qt::Key_Tab);
        QTRY_VERIFY(countriesList() != nullptr);
        ListWindow* list = countriesList();
        QVERIFY(!form->parentWidget()->isEnabled());
        QVERIFY(!form->toolbarEnabled(ToolbarButton::Select)); // the form waits for the list
        QTest::keyClick(list->table(), pick ? Qt::Key_Return : Qt::Key_Escape);
        QTRY_VERIFY(!waitsForCalledWindow(form));
        QCOMPARE(area.activeSubWindow(), form->parentWidget());
        QVERIFY(form->parentWidget()->isEnabled());
        QTRY_VERIFY(QApplication::focusWidget() != nullptr);
        if (pick) {
            QCOMPARE(edit(*form, 1)->text(), QStringLiteral("Lietuva"));
            QCOMPARE(QApplication::focusWidget(), edit(*form, 2)); // moved on, as the user was going
        } else {
            QCOMPARE(edit(*form, 1)->text(), QStringLiteral("Li"));
            QCOMPARE(QApplication::focusWidget(), edit(*form, 1)); // back on the field
        }
        QVERIFY(form->toolbarEnabled(ToolbarButton::Select));
    }

    // Esc in the form: its cancel (the question answered "Taip").
    messages_.answerNext(ButtonYes);
    QTest::keyClick(edit(*form, 2), Qt::Key_Escape);
    QTRY_COMPARE(answer, std::optional<Response>(Response::Cancelled));
    QVERIFY(column(TableId::Saskait, "SAS:IrasoNr").empty());
}

void FormWindowTest::deleteAsksWithCancelAsTheDefault() {
    addCountry("Estija");
    Table& countries = context_->table(TableId::Valstyb);
    countries.open();
    countries.record().set(VAL::Valstybe, "Estija");
    QCOMPARE(countries.getByKey(VAL::Key_Valst), StoreStatus::Ok);
    FormConfig config;
    config.name = "WindowCountries";
    config.table = TableId::Valstyb;
    config.fields = {{"Valstybės pavadinimas:", VAL::Valstybe.index}};

    std::optional<Response> answer;
    FormWindow::call(config, *context_, Request::Delete, nullptr,
                     [&answer](FormResult result) { answer = result.response; });
    QCOMPARE(answer, std::optional<Response>(Response::Cancelled)); // at once: no window
    QCOMPARE(messages_.shown().size(), std::size_t(1));
    QCOMPARE(messages_.shown()[0].defaultButton, int(ButtonCancel));
    QCOMPARE(column(TableId::Valstyb, "VAL:Valstybe"), std::vector<std::string>{"Estija"});
    countries.close();
}

QTEST_MAIN(FormWindowTest)
#include "FormWindowTest.moc"
