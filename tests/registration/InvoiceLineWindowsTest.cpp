// The invoice line form's window on real files: the service typed builds the schedule shown beside
// the totals, "Suformuoti grafiką" rebuilds it after a question, and the schedule's own rows open the
// schedule row form, after which the line's totals follow.
#include "registration/widgets/InvoiceLineWindows.h"
#include "data/Context.h"
#include "data/Database.h"
#include "data/Fields.h"
#include "data/Table.h"
#include "messages/ScopedMessageSink.h"
#include "messages/ScriptedMessages.h"
#include "support/AddRecord.h"
#include "ui/widgets/FormWindow.h"
#include "ui/widgets/ListWindow.h"

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScopeGuard>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <map>
#include <memory>
#include <optional>

using namespace nakva;

namespace {

FormWindow* openForm(const char* name) {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* form = qobject_cast<FormWindow*>(widget);
        if (form != nullptr && form->isVisible() && form->objectName() == QLatin1String(name)) {
            return form;
        }
    }
    return nullptr;
}

QLineEdit* field(FormWindow& form, const char* name) {
    return form.findChild<QLineEdit*>(QStringLiteral("field-%1").arg(QLatin1String(name)));
}

// Typed and left with Tab (the text set at once: the key simulation knows no Lithuanian letters).
void typeInto(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->setText(text);
    edit->setModified(true);
    QTest::keyClick(edit, Qt::Key_Tab);
}

QStringList rows(ListWindow& list) {
    QStringList shown;
    QAbstractItemModel* model = list.table()->model();
    for (int row = 0; row < model->rowCount(); ++row) {
        const QString day = model->index(row, 0).data().toString();
        if (!day.isEmpty()) {
            shown << day + " " + model->index(row, 1).data().toString().trimmed();
        }
    }
    return shown;
}

// Closes a form left open by a failed check, so that the test fails rather than waits.
auto closingAfterwards(FormWindow* form) {
    return qScopeGuard([window = QPointer<FormWindow>(form)] {
        if (window) {
            window->cancelButton()->click();
        }
    });
}

} // namespace

class InvoiceLineWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void theServiceBuildsTheScheduleAndTheButtonRebuildsIt();
    void aRowAddedOnTheScheduleCountsInTheLinesTotals();

private:
    void add(TableId id, const std::map<std::string, std::string>& values);

    std::unique_ptr<QTemporaryDir> folder_;
    std::unique_ptr<Database> database_;
    std::unique_ptr<Context> context_;
    ScriptedMessages messages_;
    std::unique_ptr<ScopedMessageSink> sink_;
};

void InvoiceLineWindowsTest::init() {
    folder_ = std::make_unique<QTemporaryDir>();
    database_ = std::make_unique<Database>(folder_->path().toStdString());
    messages_.clear();
    sink_ = std::make_unique<ScopedMessageSink>(messages_);
    registerInvoiceLineWindows();
    add(TableId::Paslaug,
        {{"PAS:Pav", "Pusryčiai"}, {"PAS:KAINSUPVM", "15"}, {"PAS:PVMPROC", "21"}, {"PAS:MATVNT", "VNT."}});
    context_ = std::make_unique<Context>(*database_);
    // The registration as its form keeps it: 2024-05-01 to 2024-05-04.
    Record& registration = context_->table(TableId::Saskait).record();
    registration.set(SAS::IrasoNr, 7);
    registration.set(SAS::GyvenaNuo, dateFromYmd(2024, 5, 1));
    registration.set(SAS::GyvenaIki, dateFromYmd(2024, 5, 4));
    registration.set(SAS::GYVENTOJUSKC, 1);
    Table& lines = context_->table(TableId::Saskeil);
    lines.clear();
    lines.record().set(SEI::IrasoNr, 7);
}

void InvoiceLineWindowsTest::cleanup() {
    context_.reset();
    sink_.reset();
    database_.reset();
    folder_.reset();
}

void InvoiceLineWindowsTest::add(TableId id, const std::map<std::string, std::string>& values) {
    addRecord(*database_, id, {values.begin(), values.end()});
}

void InvoiceLineWindowsTest::theServiceBuildsTheScheduleAndTheButtonRebuildsIt() {
    std::map<std::string, QVariant> seen;
    QTimer::singleShot(0, [&] {
        FormWindow* form = openForm("UpdateSaskeil");
        QVERIFY(form != nullptr);
        const auto closing = closingAfterwards(form);
        QVERIFY(QTest::qWaitForWindowExposed(form));
        seen["title"] = form->windowTitle();
        seen["cancelTip"] = form->cancelButton()->toolTip();
        auto* schedule = form->findChild<ListWindow*>("schedule");
        QVERIFY(schedule != nullptr);
        typeInto(field(*form, "PasPav"), QStringLiteral("Pusryčiai"));
        seen["rows"] = rows(*schedule);
        seen["amount"] = field(*form, "SUMA")->text();

        field(*form, "KIEKISPERDIENA")->setFocus();
        messages_.answerNext(ButtonNo);
        typeInto(field(*form, "KIEKISPERDIENA"), QStringLiteral("2"));
        seen["kept"] = rows(*schedule);
        messages_.answerNext(ButtonYes);
        form->findChild<QPushButton*>("scheduleButton")->click();
        seen["rebuilt"] = rows(*schedule);
        seen["quantity"] = field(*form, "KIEKIS")->text();
        seen["rebuiltAmount"] = field(*form, "SUMA")->text();
        form->saveButton()->click();
    });
    std::optional<Response> answer;
    callInvoiceLineForm(*context_, Request::Insert, nullptr,
                        [&answer](FormResult result) { answer = result.response; });
    QTRY_COMPARE(answer, std::optional<Response>(Response::Completed));
    QCOMPARE(seen["title"].toString(), QStringLiteral("Kuriama nauja sąskaitos eilutė"));
    QCOMPARE(seen["cancelTip"].toString(), QStringLiteral("Nutraukti veiksmą, neišsaugant pakeitimų"));
    QCOMPARE(seen["rows"].toStringList(),
             QStringList({"2024-05-01 1.000", "2024-05-02 1.000", "2024-05-03 1.000"}));
    QCOMPARE(seen["amount"].toString(), QStringLiteral("45.00"));
    QCOMPARE(seen["kept"].toStringList(), seen["rows"].toStringList());
    QCOMPARE(seen["rebuilt"].toStringList(),
             QStringList({"2024-05-01 2.000", "2024-05-02 2.000", "2024-05-03 2.000"}));
    QCOMPARE(seen["quantity"].toString(), QStringLiteral("6.000"));
    QCOMPARE(seen["rebuiltAmount"].toString(), QStringLiteral("90.00"));
    QCOMPARE(messages_.texts(),
             (std::vector<std::string>{"Ar suformuoti grafiką?", "Ar suformuoti grafiką?"}));
}

void InvoiceLineWindowsTest::aRowAddedOnTheScheduleCountsInTheLinesTotals() {
    std::map<std::string, QVariant> seen;
    QTimer::singleShot(0, [&] {
        FormWindow* form = openForm("UpdateSaskeil");
        QVERIFY(form != nullptr);
        const auto closing = closingAfterwards(form);
        QVERIFY(QTest::qWaitForWindowExposed(form));
        typeInto(field(*form, "PasPav"), QStringLiteral("Pusryčiai"));
        auto* schedule = form->findChild<ListWindow*>("schedule");
        QVERIFY(schedule != nullptr);
        QTimer::singleShot(0, [&] {
            FormWindow* row = openForm("RedSEilGr");
            QVERIFY(row != nullptr);
            const auto closingRow = closingAfterwards(row);
            seen["day"] = field(*row, "Data")->text();
            typeInto(field(*row, "KIEKIS"), QStringLiteral("5"));
            row->saveButton()->click();
        });
        schedule->insertButton()->click();
        QTRY_VERIFY(form->isEnabled()); // the row's form has answered
        seen["rows"] = rows(*schedule);
        seen["days"] = field(*form, "GYVENAPARU")->text();
        seen["quantity"] = field(*form, "KIEKIS")->text();
        seen["amount"] = field(*form, "SUMA")->text();
        form->saveButton()->click();
    });
    std::optional<Response> answer;
    callInvoiceLineForm(*context_, Request::Insert, nullptr,
                        [&answer](FormResult result) { answer = result.response; });
    QTRY_COMPARE(answer, std::optional<Response>(Response::Completed));
    QCOMPARE(seen["day"].toString(), QStringLiteral("2024-05-01"));
    QCOMPARE(seen["rows"].toStringList(),
             QStringList({"2024-05-01 1.000", "2024-05-01 5.000", "2024-05-02 1.000", "2024-05-03 1.000"}));
    QCOMPARE(seen["days"].toString(), QStringLiteral("4"));
    QCOMPARE(seen["quantity"].toString(), QStringLiteral("8.000"));
    QCOMPARE(seen["amount"].toString(), QStringLiteral("120.00"));
}

QTEST_MAIN(InvoiceLineWindowsTest)
#include "InvoiceLineWindowsTest.moc"
