// A receptionist's day through the windows, on real files in a temporary folder: the current list
// started as the menu starts it, a guest registered in two rooms through the form's rooms list, the
// totals, the departure by Ctrl+I and the registration found in the archive.
#include "registration/widgets/RegistrationWindows.h"
#include "data/Context.h"
#include "data/Database.h"
#include "data/Fields.h"
#include "data/Table.h"
#include "messages/ScopedMessageSink.h"
#include "messages/ScriptedMessages.h"
#include "reference/widgets/ReferenceProcedures.h"
#include "registration/RegistrationLists.h"
#include "shell/Globals.h"
#include "shell/widgets/MainWindow.h"
#include "shell/widgets/ProcedureRegistry.h"
#include "support/AddRecord.h"
#include "ui/widgets/CalledWindow.h"
#include "ui/widgets/FormWindow.h"
#include "ui/widgets/ListWindow.h"

#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <QtTest>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>

using namespace nakva;

namespace {

// The form named `name` once a call has opened it.
void whenFormOpens(const QString& name, const std::function<void(FormWindow&)>& act) {
    QTimer::singleShot(0, [name, act] {
        for (QWidget* widget : QApplication::allWidgets()) {
            if (auto* form = qobject_cast<FormWindow*>(widget);
                form != nullptr && form->isVisible() && form->objectName() == name) {
                act(*form);
                return;
            }
        }
        QFAIL("the form did not open");
    });
}

void typeInto(FormWindow& form, const QString& field, const QString& text) {
    auto* edit = form.findChild<QLineEdit*>(QStringLiteral("field-") + field);
    QVERIFY(edit != nullptr);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Tab);
}

} // namespace

class RegistrationWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void aGuestIsRegisteredInTwoRoomsLeavesAndStandsInTheArchive();
    void theMainLinesButtonChargesTheStayOnceAndTheTotalsFollow();
    void aPaymentOfTheListShowsOnTheRegistrationWhoseOwnPaymentIsPrimed();

private:
    void add(TableId id, const std::vector<std::pair<std::string, std::string>>& values);
    ListWindow* start(std::string_view procedure);

    std::unique_ptr<QTemporaryDir> folder_;
    std::unique_ptr<Database> database_;
    ProcedureRegistry procedures_;
    std::unique_ptr<MainWindow> window_;
    ScriptedMessages messages_;
    std::unique_ptr<ScopedMessageSink> sink_;
};

void RegistrationWindowsTest::init() {
    folder_ = std::make_unique<QTemporaryDir>();
    database_ = std::make_unique<Database>(folder_->path().toStdString());
    procedures_ = ProcedureRegistry();
    registerReferenceProcedures(procedures_, *database_);
    registerRegistrationProcedures(procedures_, *database_);
    glo().EINDT = today();
    messages_.clear();
    sink_ = std::make_unique<ScopedMessageSink>(messages_);
    window_ = std::make_unique<MainWindow>(procedures_, [] { return std::string(); });
    window_->resize(1200, 800);
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));

    add(TableId::Valstyb, {{"VAL:Valstybe", "Lietuva"}});
    add(TableId::Grupes, {{"GRP:Grupe", "Turistai"}});
    add(TableId::Kamb, {{"KMB:KambarioID", "1"},
                        {"KMB:KambarioKorpusas", "A"},
                        {"KMB:KambarioNr", "101"},
                        {"KMB:KAMBARIOKAINA", "120"}});
    add(TableId::Kamb, {{"KMB:KambarioID", "2"},
                        {"KMB:KambarioKorpusas", "A"},
                        {"KMB:KambarioNr", "102"},
                        {"KMB:KAMBARIOKAINA", "80"}});
}

void RegistrationWindowsTest::cleanup() {
    window_.reset();
    sink_.reset();
    database_.reset();
    folder_.reset();
}

void RegistrationWindowsTest::add(TableId id,
                                  const std::vector<std::pair<std::string, std::string>>& values) {
    addRecord(*database_, id, values);
}

ListWindow* RegistrationWindowsTest::start(std::string_view procedure) {
    window_->startProcedure(procedure);
    QMdiSubWindow* child = window_->mdiArea()->activeSubWindow();
    return child != nullptr ? qobject_cast<ListWindow*>(child->widget()) : nullptr;
}

void RegistrationWindowsTest::aGuestIsRegisteredInTwoRoomsLeavesAndStandsInTheArchive() {
    ListWindow* list = start("SarSaskait");
    QVERIFY(list != nullptr);
    QCOMPARE(list->windowTitle(), QStringLiteral("REGISTRACIJOS ĮRAŠAI:  NEIŠVYKĘ GYVENTOJAI"));
    QVERIFY(list->commandBar() != nullptr);
    QCOMPARE(list->commandBar()->actions().size(), 2);
    QCOMPARE(list->commandBar()->actions().at(1)->toolTip(),
             QStringLiteral("Pažymėti išvykimą, perkelti įrašą į archyvą CTRL+I"));

    QString roomsPrice;
    QString roomsText;
    QString lineTitle;
    whenFormOpens(QStringLiteral("RedSaskait"), [&](FormWindow& form) {
        typeInto(form, QStringLiteral("Gyventojas"), QStringLiteral("Jonaitis Jonas"));
        typeInto(form, QStringLiteral("GYVENTOJOVALSTYBE"), QStringLiteral("Lietuva"));
        typeInto(form, QStringLiteral("GyventojoGrupe"), QStringLiteral("Turistai"));
        form.tabs()->setCurrentIndex(1);
        ListWindow* rooms = form.childList(0);
        for (const QString& room : {QStringLiteral("1"), QStringLiteral("2")}) {
            whenFormOpens(QStringLiteral("UpdateSaskKmb"), [room](FormWindow& roomForm) {
                auto* edit = roomForm.findChild<QLineEdit*>(QStringLiteral("field-KambarioID"));
                edit->setFocus();
                QTest::keyClicks(edit, room);
                QTest::keyClick(edit, Qt::Key_Return); // accepted (the room's price), then saved
            });
            rooms->insertButton()->click();
            QTRY_VERIFY(!waitsForCalledWindow(rooms)); // the room's form has answered
        }
        QCOMPARE(rooms->engine().rows().size(), std::size_t(2));
        roomsPrice = form.workingValue(0)->text();
        // The invoice line form opens from the lines; left without saving, it leaves nothing.
        whenFormOpens(QStringLiteral("UpdateSaskeil"), [&lineTitle](FormWindow& lineForm) {
            lineTitle = lineForm.windowTitle();
            lineForm.cancelButton()->click();
        });
        form.childList(1)->insertButton()->click();
        QTRY_VERIFY(!waitsForCalledWindow(form.childList(1)));
        QCOMPARE(form.childList(1)->engine().rows().size(), std::size_t(0));
        form.saveButton()->click();
        if (form.isVisible()) { // a refused save must not leave the test waiting
            messages_.answerNext(ButtonNo);
            form.cancelButton()->click();
            QFAIL("the registration was not saved");
        }
    });
    list->insertButton()->click();
    QTRY_VERIFY(!waitsForCalledWindow(list));
    QCOMPARE(roomsPrice.trimmed(), QStringLiteral("200.00"));
    QCOMPARE(lineTitle, QStringLiteral("Kuriama nauja sąskaitos eilutė"));
    const QAbstractItemModel* rows = list->table()->model();
    QCOMPARE(rows->rowCount(), 1);
    roomsText = rows->index(0, 3).data().toString();
    QCOMPARE(roomsText, QStringLiteral(" A-101 A-102"));

    // Ctrl+I: the guest has left.
    list->table()->setFocus();
    QTest::keyClick(list->table(), Qt::Key_I, Qt::ControlModifier);
    QCOMPARE(rows->rowCount(), 0);

    ListWindow* archive = start("SarSaskaitVisi");
    QVERIFY(archive != nullptr);
    QCOMPARE(archive->changeButton()->text(), QStringLiteral("Taisyti"));
    QCOMPARE(archive->table()->model()->rowCount(), 1);
    QCOMPARE(archive->engine().rows()[0].icons[0], std::string("check"));
    QVERIFY(messages_.shown().empty());

    // The group tab: a group typed in other letter case is taken as the groups list holds it.
    archive->tabBar()->setCurrentIndex(AllGroupTab);
    auto* group = archive->findChild<QLineEdit*>(QStringLiteral("groupFilter"));
    QVERIFY(group != nullptr);
    QVERIFY(group->isVisible());
    QVERIFY(archive->engine().rows().empty());
    group->setFocus();
    QTest::keyClicks(group, QStringLiteral("turistai"));
    QTest::keyClick(group, Qt::Key_Return);
    QCOMPARE(group->text(), QStringLiteral("Turistai"));
    QCOMPARE(archive->engine().rows().size(), std::size_t(1));
    archive->tabBar()->setCurrentIndex(0);

    // The print menu: its submenu with the reports in groups; the invoice prints the highlighted
    // registration, a report not built yet is not defined.
    QMenu* print = archive->commandButton("printButton")->menu();
    QCOMPARE(print->actions().size(), 1);
    QCOMPARE(print->actions().at(0)->text(), QStringLiteral("Spausdinti"));
    const QList<QAction*> reports = print->actions().at(0)->menu()->actions();
    QCOMPARE(std::count_if(reports.begin(), reports.end(), [](QAction* each) { return each->isSeparator(); }),
             4);
    QCOMPARE(reports.at(0)->text(), QStringLiteral("Sąskaitą A4 detali"));
    // The invoice of the highlighted registration, which has no lines yet.
    reports.at(0)->trigger();
    QTRY_VERIFY(!waitsForCalledWindow(archive)); // the run is over
    QCOMPARE(QString::fromStdString(messages_.texts().back()),
             QStringLiteral("Sąskaitoje nėra nė vienos eilutės: nėra ką spausdinti."));
    QCOMPARE(reports.at(6)->text(), QStringLiteral("Registracijos žurnalą"));
    reports.at(6)->trigger();
    QTRY_VERIFY(!waitsForCalledWindow(archive));
    QCOMPARE(QString::fromStdString(messages_.texts().back()),
             QStringLiteral("Procedūra SpZurnala neapibrėžta."));
}

void RegistrationWindowsTest::theMainLinesButtonChargesTheStayOnceAndTheTotalsFollow() {
    QVERIFY(database_->istgPar().setText("IST:APGYVENDINIMOPASPAV", "Apgyvendinimas").ok());
    QVERIFY(database_->istgPar().setText("IST:MAITINIMOPASPAV", "Pusryčiai").ok());
    add(TableId::Paslaug, {{"PAS:Pav", "Apgyvendinimas"}, {"PAS:KAINSUPVM", "90"}, {"PAS:PVMPROC", "9"}});
    add(TableId::Paslaug, {{"PAS:Pav", "Pusryčiai"}, {"PAS:KAINSUPVM", "7.5"}, {"PAS:PVMPROC", "21"}});
    add(TableId::Saskait, {{"SAS:IrasoNr", "7"},
                           {"SAS:Gyventojas", "Jonaitis Jonas"},
                           {"SAS:GYVENTOJOVALSTYBE", "Lietuva"},
                           {"SAS:GyventojoGrupe", "Turistai"},
                           {"SAS:GyvenaNuo", "2024-05-01"},
                           {"SAS:GyvenaIki", "2024-05-04"},
                           {"SAS:GYVENAPARU", "3"},
                           {"SAS:GYVENTOJUSKC", "2"},
                           {"SAS:PUSRYCIUSK", "2"}});
    add(TableId::SaskKmb, {{"SKMB:IrasoNr", "7"}, {"SKMB:KambarioID", "1"}, {"SKMB:KambarioKaina", "120"}});
    add(TableId::SaskKmb, {{"SKMB:IrasoNr", "7"}, {"SKMB:KambarioID", "2"}, {"SKMB:KambarioKaina", "80"}});
    ListWindow* list = start("SarSaskait");
    QVERIFY(list != nullptr);

    std::map<std::string, QVariant> seen;
    whenFormOpens(QStringLiteral("RedSaskait"), [&](FormWindow& form) {
        auto* button = form.findChild<QPushButton*>(QStringLiteral("mainLinesButton"));
        QVERIFY(button != nullptr);
        seen["caption"] = button->text();
        button->click();
        seen["lines"] = qulonglong(form.childList(1)->engine().rows().size());
        seen["total"] = form.findChild<QLineEdit*>(QStringLiteral("field-BSUMASUPVM"))->text();
        button->click(); // each main line once
        seen["again"] = qulonglong(form.childList(1)->engine().rows().size());
        form.saveButton()->click();
        if (form.isVisible()) {
            messages_.answerNext(ButtonNo);
            form.cancelButton()->click();
            QFAIL("the registration was not saved");
        }
    });
    list->changeButton()->click();
    QTRY_VERIFY(!waitsForCalledWindow(list));
    QCOMPARE(seen["caption"].toString(), QStringLiteral("Automatiškai sukurti pagrindinių paslaugų eilutes"));
    QCOMPARE(seen["lines"].toULongLong(), 2ULL);
    // 200.00 of rooms a day for 3 nights, and 2 breakfasts a day at 7.50.
    QCOMPARE(seen["total"].toString().trimmed(), QStringLiteral("645.00"));
    QCOMPARE(seen["again"].toULongLong(), 2ULL);
    Context context(*database_);
    Table& registrations = context.table(TableId::Saskait);
    registrations.open();
    registrations.record().set(SAS::IrasoNr, 7);
    QCOMPARE(registrations.getByKey(SAS::IRASONRKEY), StoreStatus::Ok);
    QCOMPARE(registrations.record().text("SAS:BSUMASUPVM"), std::string("645.00"));
    registrations.close();
}

void RegistrationWindowsTest::aPaymentOfTheListShowsOnTheRegistrationWhoseOwnPaymentIsPrimed() {
    add(TableId::Klient, {{"KLI:Kod", "UAB"}, {"KLI:PAV", "UAB Viešbutis"}});
    add(TableId::Saskait, {{"SAS:IrasoNr", "1"},
                           {"SAS:Gyventojas", "Ona"},
                           {"SAS:GYVENTOJOVALSTYBE", "Lietuva"},
                           {"SAS:GyventojoGrupe", "Turistai"},
                           {"SAS:SaskSer", "A"},
                           {"SAS:SaskNr", "15"},
                           {"SAS:SaskDt", "2024-04-15"},
                           {"SAS:KliKod", "UAB"},
                           {"SAS:BSUMASUPVM", "150.00"}});
    add(TableId::Saskeil, {{"SEI:SEILID", "1"}, {"SEI:IrasoNr", "1"}, {"SEI:SUMA", "150.00"}});

    ListWindow* payments = start("SarMokej");
    QVERIFY(payments != nullptr);
    QCOMPARE(payments->windowTitle(), QStringLiteral("MOKĖJIMŲ ĮRAŠAI"));
    QCOMPARE(payments->tabBar()->count(), 3);
    QString amount;
    QString comment;
    whenFormOpens(QStringLiteral("RedMokej"), [&](FormWindow& form) {
        typeInto(form, QStringLiteral("SaskIrasoNr"), QStringLiteral("1"));
        amount = form.findChild<QLineEdit*>(QStringLiteral("field-MOKSUMA"))->text();
        auto* remark = form.findChild<QLineEdit*>(QStringLiteral("field-KOMENTARAI"));
        remark->setFocus();
        comment = remark->text();
        form.saveButton()->click();
        if (form.isVisible()) {
            form.cancelButton()->click();
            QFAIL("the payment was not saved");
        }
    });
    payments->insertButton()->click();
    QTRY_VERIFY(!waitsForCalledWindow(payments));
    QCOMPARE(amount, QStringLiteral("150.00"));
    QCOMPARE(comment, QStringLiteral("Apmokėjimas už paslaugas pagal sąskaitą A 15 2024-04-15."));
    QCOMPARE(payments->table()->model()->rowCount(), 1);

    ListWindow* registrations = start("SarSaskait");
    QVERIFY(registrations != nullptr);
    int shown = -1;
    QString payer;
    QString primed;
    whenFormOpens(QStringLiteral("RedSaskait"), [&](FormWindow& form) {
        form.tabs()->setCurrentIndex(3);
        ListWindow* paid = form.childList(2);
        shown = int(paid->engine().rows().size());
        whenFormOpens(QStringLiteral("RedMokej"), [&](FormWindow& payment) {
            payer = payment.findChild<QLineEdit*>(QStringLiteral("field-MokKod"))->text();
            primed = payment.findChild<QLineEdit*>(QStringLiteral("field-MOKSUMA"))->text();
            payment.cancelButton()->click();
        });
        paid->insertButton()->click();
        QTRY_VERIFY(!waitsForCalledWindow(paid));
        messages_.answerNext(ButtonNo);
        form.cancelButton()->click();
    });
    registrations->changeButton()->click();
    QTRY_VERIFY(!waitsForCalledWindow(registrations));
    QCOMPARE(shown, 1);
    QCOMPARE(payer, QStringLiteral("UAB"));
    QCOMPARE(primed, QStringLiteral("150.00"));
    QCOMPARE(payments->engine().rows().size(), std::size_t(1));
}

QTEST_MAIN(RegistrationWindowsTest)
#include "RegistrationWindowsTest.moc"
