#include "data/Context.h"
#include "data/Database.h"
#include "data/Fields.h"
#include "data/Table.h"
#include "frontdesk/widgets/FrontDeskProcedures.h"
#include "maintenance/widgets/MaintenanceProcedures.h"
#include "maintenance/widgets/RemovalWindow.h"
#include "messages/MessageWindow.h"
#include "preview/PictureFile.h"
#include "preview/PreviewWindow.h"
#include "reference/widgets/ReferenceProcedures.h"
#include "registration/widgets/InvoiceLineWindows.h"
#include "registration/widgets/RegistrationWindows.h"
#include "reports/PictureDecoder.h"
#include "reports/widgets/ReportWindow.h"
#include "roomservice/widgets/RoomServiceWindows.h"
#include "shell/Globals.h"
#include "shell/widgets/AboutWindow.h"
#include "shell/widgets/MainWindow.h"
#include "shell/widgets/ProcedureRegistry.h"
#include "shell/widgets/Program.h"
#include "ui/Help.h"
#include "ui/widgets/CalendarWindow.h"
#include "ui/widgets/FormWindow.h"
#include "ui/widgets/ListWindow.h"
#include "ui/widgets/RecordForms.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QImage>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <functional>

// Takes the pictures of the user guide and the README from the running frame, under a virtual display
// (scripts/screenshots.sh): the main window with a menu open, the service groups list and its form on
// sample data of their own, the room list, the VAT rates with their i.SAF codes, the current
// registrations with a registration's form and its balance, the question before a second stay in a
// taken room, the invoice line form, the payments list, the calendar, the About window and the help
// viewer.
// Usage: nakva-screenshots <folder> [<working folder with the sample data>]
namespace {

void pause(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

// A window called from another answers through the event loop: it turns until `done` holds, for at
// most ten seconds.
void waitUntil(const std::function<bool()>& done) {
    for (int turn = 0; turn < 500 && !done(); ++turn) {
        pause(20);
    }
}

bool save(const QDir& folder, const QString& name, const QRect& area) {
    pause(400);
    const QPixmap shot =
        QGuiApplication::primaryScreen()->grabWindow(0, area.x(), area.y(), area.width(), area.height());
    const QString path = folder.filePath(name);
    if (!shot.save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

// A window as it draws itself, child windows included: used while a window called from another waits
// in its own event loop, when the screen is not redrawn in time to be grabbed.
bool saveDrawn(const QDir& folder, const QString& name, QWidget& window) {
    pause(400);
    const QString path = folder.filePath(name);
    if (!window.grab().save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

// The invoice of sample registration 2 (series PJ, number 107, paid by UAB „Akvilė“) with three lines,
// and a logo "Firma.jpg" beside the data folder.
void addInvoice(nakva::Database& database) {
    nakva::Context context(database);
    nakva::Table& registrations = context.table(nakva::SAS::table);
    registrations.open();
    registrations.clear();
    registrations.record().set(nakva::SAS::IrasoNr, 2);
    if (registrations.getByKey(nakva::SAS::IRASONRKEY) == nakva::StoreStatus::Ok) {
        nakva::Record& registration = registrations.record();
        registration.set(nakva::SAS::SaskSer, "PJ");
        registration.set(nakva::SAS::SaskNr, 107);
        registration.set(nakva::SAS::SaskDt, nakva::dateFromYmd(2025, 4, 21));
        registration.set(nakva::SAS::KliKod, "AKVILĖ");
        registration.set(nakva::SAS::PAST, "Apmokėti per 10 dienų.");
        registrations.put();
    }
    registrations.close();
    nakva::Table& lines = context.table(nakva::SEI::table);
    lines.open();
    struct Line {
        const char* name;
        const char* unit;
        const char* quantity;
        const char* withoutVat;
        const char* rate;
        const char* vat;
        const char* withVat;
    };
    int id = 0;
    for (const Line& line :
         {Line{"Apgyvendinimas dviviečiame kambaryje", "PARA", "7", "353.21", "9", "31.79", "385.00"},
          Line{"Pusryčiai", "ŽMN.", "14", "115.70", "21", "24.30", "140.00"},
          Line{"Pirtis", "VAL.", "1.5", "37.19", "21", "7.81", "45.00"}}) {
        lines.clear();
        nakva::Record& record = lines.record();
        record.set(nakva::SEI::SEILID, ++id);
        record.set(nakva::SEI::IrasoNr, 2);
        record.set(nakva::SEI::PasPav, line.name);
        record.set(nakva::SEI::MATVNT, line.unit);
        (void)record.setText("SEI:KIEKIS", line.quantity);
        (void)record.setText("SEI:SUMABEPVM", line.withoutVat);
        (void)record.setText("SEI:PVMPROC", line.rate);
        (void)record.setText("SEI:PVMSUMA", line.vat);
        (void)record.setText("SEI:SUMA", line.withVat);
        lines.add();
    }
    lines.close();

    QImage logo(360, 140, QImage::Format_RGB32);
    logo.fill(Qt::white);
    QPainter painter(&logo);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(30, 60, 140), 8));
    painter.drawRoundedRect(6, 6, 348, 128, 18, 18);
    painter.setBrush(QColor(30, 60, 140));
    painter.drawEllipse(28, 30, 80, 80);
    painter.setFont(QFont(QStringLiteral("DejaVu Sans"), 30, QFont::Bold));
    painter.drawText(QRect(120, 20, 230, 100), Qt::AlignCenter, QStringLiteral("PAJŪRIS"));
    painter.end();
    logo.save(QString::fromStdString((database.workingFolder() / "Firma.jpg").string()), "JPG");
}

QAction* menuAction(QWidget* menu, const QString& text) {
    for (QAction* action : menu->actions()) {
        if (action->text() == text) {
            return action;
        }
    }
    return nullptr;
}

} // namespace

int main(int argc, char** argv) {
    nakva::ProgramApplication application(argc, argv);
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: nakva-screenshots <folder> [<data folder>]\n");
        return 2;
    }
    nakva::applyProgramSettings(application);
    QDir folder(QString::fromLocal8Bit(argv[1]));
    bool ok = folder.mkpath(QStringLiteral("."));

    QTemporaryDir data;
    nakva::Database database(argc == 3 ? std::string(argv[2]) : data.path().toStdString());
    nakva::ProcedureRegistry procedures;
    nakva::registerReferenceProcedures(procedures, database);
    nakva::registerRoomServiceWindows(procedures, database);
    nakva::registerRegistrationProcedures(procedures, database);
    nakva::registerMaintenanceProcedures(procedures, database);
    nakva::registerFrontDeskProcedures(procedures, database);
    nakva::MainWindow window(procedures, [] { return std::string("UAB „Pajūrio svečių namai“"); });
    window.move(0, 0);
    window.resize(1000, 640);
    window.show();
    pause(300);

    // The main window with "Žinynai" open and "Paslaugos" highlighted: its hint in the status line.
    QAction* references = menuAction(window.menuBar(), QStringLiteral("Žinynai"));
    window.menuBar()->setActiveAction(references);
    pause(300);
    QMenu* menu = references->menu();
    menu->setActiveAction(menuAction(menu, QStringLiteral("Paslaugos")));
    ok = save(folder, QStringLiteral("main-window.png"), window.frameGeometry()) && ok;
    menu->close();
    pause(200);

    // The service groups list, then its form on the third group.
    QMdiSubWindow* child = window.startProcedure("BrowsePaslGrp");
    child->move(16, 16);
    child->resize(460, 360);
    ok = saveDrawn(folder, QStringLiteral("reference-list.png"), window) && ok;
    auto* list = qobject_cast<nakva::ListWindow*>(child->widget());
    list->engine().setCurrentRow(3);
    QTimer::singleShot(0, [&] {
        auto* form = window.mdiArea()->findChild<nakva::FormWindow*>();
        form->parentWidget()->move(360, 140);
        ok = saveDrawn(folder, QStringLiteral("reference-form.png"), window) && ok;
        form->parentWidget()->close();
    });
    list->engine().press(nakva::ListAction::Change);
    waitUntil([&] { return child->isEnabled(); });
    child->close();
    pause(200);

    // The room list on its type tab with a type chosen: the dots of the occupied rooms.
    if (QMdiSubWindow* rooms = window.startProcedure("SarKamb")) {
        rooms->move(16, 16);
        rooms->resize(760, 420);
        auto* type = rooms->findChild<QLineEdit*>(QStringLiteral("typeFilter"));
        type->setText(QStringLiteral("Dvivietis"));
        type->setModified(true);
        emit type->editingFinished();
        qobject_cast<nakva::ListWindow*>(rooms->widget())->table()->setFocus();
        ok = saveDrawn(folder, QStringLiteral("room-list.png"), window) && ok;
        rooms->close();
        pause(200);
    }

    // The cleaning log on its date tab.
    if (QMdiSubWindow* cleanings = window.startProcedure("SarKmbVal")) {
        cleanings->move(16, 16);
        cleanings->resize(760, 400);
        qobject_cast<nakva::ListWindow*>(cleanings->widget())->table()->setFocus();
        ok = saveDrawn(folder, QStringLiteral("cleaning-list.png"), window) && ok;
        cleanings->close();
        pause(200);
    }

    // The price list of services, then the service form on breakfast: its group's name beside the number
    // and the price without VAT that the price with VAT gave.
    if (QMdiSubWindow* services = window.startProcedure("SarPaslaug")) {
        services->move(16, 16);
        services->resize(860, 420);
        auto* serviceList = qobject_cast<nakva::ListWindow*>(services->widget());
        serviceList->table()->setFocus();
        ok = saveDrawn(folder, QStringLiteral("service-list.png"), window) && ok;
        const std::vector<nakva::ListRow>& rows = serviceList->engine().rows();
        for (std::size_t row = 0; row < rows.size(); ++row) {
            if (rows[row].cells.at(1) == "Pusryčiai") {
                serviceList->engine().setCurrentRow(int(row) + 1);
            }
        }
        QTimer::singleShot(0, [&] {
            auto* form = window.mdiArea()->findChild<nakva::FormWindow*>();
            form->parentWidget()->move(300, 110);
            ok = saveDrawn(folder, QStringLiteral("service-form.png"), window) && ok;
            form->parentWidget()->close();
        });
        serviceList->engine().press(nakva::ListAction::Change);
        waitUntil([&] { return services->isEnabled(); });
        services->close();
        pause(200);
    }

    // The payers list, then the institution settings on their accounting tab.
    if (QMdiSubWindow* payers = window.startProcedure("SarKlient")) {
        payers->move(16, 16);
        payers->resize(860, 400);
        qobject_cast<nakva::ListWindow*>(payers->widget())->table()->setFocus();
        ok = saveDrawn(folder, QStringLiteral("payer-list.png"), window) && ok;
        payers->close();
        pause(200);
    }
    if (QMdiSubWindow* settings = window.startProcedure("RedIstgPar")) {
        settings->move(16, 16);
        settings->resize(640, 560);
        qobject_cast<nakva::FormWindow*>(settings->widget())->tabs()->setCurrentIndex(1);
        ok = saveDrawn(folder, QStringLiteral("institution-settings.png"), window) && ok;
        settings->close();
        pause(200);
    }

    // The VAT rates with their i.SAF codes as a new list starts, and the form on the standard rate.
    if (QMdiSubWindow* rates = window.startProcedure("BrowsePvmTarif")) {
        rates->move(16, 16);
        rates->resize(600, 300);
        auto* rateList = qobject_cast<nakva::ListWindow*>(rates->widget());
        rateList->engine().setCurrentRow(3);
        QTimer::singleShot(0, [&] {
            auto* form = window.mdiArea()->findChild<nakva::FormWindow*>();
            form->parentWidget()->move(250, 130);
            ok = saveDrawn(folder, QStringLiteral("vat-rates.png"), window) && ok;
            form->parentWidget()->close();
        });
        rateList->engine().press(nakva::ListAction::Change);
        waitUntil([&] { return rates->isEnabled(); });
        rates->close();
        pause(200);
    }

    // The removal of old registrations: its confirmation with the code typed, then its progress the
    // moment "Pašalinti" is pressed; the window is closed before anything is removed.
    if (QMdiSubWindow* removal = window.startProcedure("SalintiSenus")) {
        removal->move(16, 16);
        removal->resize(520, 260);
        auto* confirmation = qobject_cast<nakva::RemovalWindow*>(removal->widget());
        confirmation->codeEntry()->setText(QStringLiteral("KT7315"));
        ok = saveDrawn(folder, QStringLiteral("removal-window.png"), window) && ok;
        confirmation->findChild<QPushButton*>(QStringLiteral("removeButton"))->click();
        removal->resize(360, 160);
        // Drawn at once: given an event cycle, the removal would begin.
        QApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        const QString path = folder.filePath(QStringLiteral("removal-progress.png"));
        ok = window.grab().save(path) && ok;
        std::printf("%s\n", qPrintable(path));
        delete removal; // with the removal not yet begun
        pause(200);
    }

    // The F1 invoice of the registration a list highlights, in the preview at page width.
    if (argc == 3) {
        addInvoice(database);
        nakva::setPictureDecoder(nakva::loadRasterPicture);
        nakva::Context invoiceContext(database);
        nakva::Table& registrations = invoiceContext.table(nakva::SAS::table);
        registrations.open();
        registrations.clear();
        registrations.record().set(nakva::SAS::IrasoNr, 2);
        registrations.getByKey(nakva::SAS::IRASONRKEY);
        auto* grab = new QTimer(&window);
        int tries = 0;
        QObject::connect(grab, &QTimer::timeout, [&] {
            auto* preview = window.mdiArea()->findChild<nakva::PreviewWindow*>();
            if (preview == nullptr && ++tries < 50) {
                return;
            }
            grab->stop();
            if (preview != nullptr) {
                preview->parentWidget()->move(0, 0);
                preview->parentWidget()->resize(window.mdiArea()->size());
                preview->press(nakva::PreviewControl::ZoomIn);
                ok = saveDrawn(folder, QStringLiteral("invoice-preview.png"), window) && ok;
                preview->press(nakva::PreviewControl::Close);
            }
        });
        grab->start(200);
        nakva::runCatalogReport("SpDidSask", invoiceContext, &window);
        waitUntil([&] { return !grab->isActive() && window.findChild<nakva::ReportWindow*>() == nullptr; });
        registrations.close();
        ok = tries < 50 && ok;
    }

    // The current registrations, then the form of the second one on its rooms tab: the rooms' totals.
    window.resize(1100, 780);
    if (QMdiSubWindow* registrations = window.startProcedure("SarSaskait")) {
        registrations->move(0, 0);
        registrations->resize(1000, 420);
        auto* current = qobject_cast<nakva::ListWindow*>(registrations->widget());
        current->table()->setFocus();
        ok = saveDrawn(folder, QStringLiteral("registration-list.png"), window) && ok;
        QTimer::singleShot(0, [&] {
            auto* form = window.mdiArea()->findChild<nakva::FormWindow*>();
            form->parentWidget()->move(120, 10);
            form->parentWidget()->resize(720, 690);
            ok = saveDrawn(folder, QStringLiteral("registration-form.png"), window) && ok;
            form->tabs()->setCurrentIndex(1);
            ok = saveDrawn(folder, QStringLiteral("registration-rooms.png"), window) && ok;
            // The invoice tab: its lines and totals, what was paid and what is left.
            form->tabs()->setCurrentIndex(2);
            ok = saveDrawn(folder, QStringLiteral("registration-balance.png"), window) && ok;
            // Paid in part: saving offers nothing, "Apmokėta" stays the user's.
            form->saveButton()->click();
        });
        current->engine().setCurrentRow(2); // Ona Kazlauskienė, paid in part
        current->engine().press(nakva::ListAction::Change);
        waitUntil([&] { return registrations->isEnabled(); });
        registrations->close();
        pause(200);
    }

    // The question before a second stay in a taken room: room 101 added to Mārtiņš Bērziņš's stay of
    // 16 to 19 April, while Ona Kazlauskienė holds it from 14 to 21 April; answered "Ne".
    {
        window.resize(1024, 700);
        nakva::Context context(database);
        nakva::Table& registrations = context.table(nakva::TableId::Saskait);
        registrations.open();
        registrations.clear();
        registrations.record().set(nakva::SAS::IrasoNr, 3);
        registrations.getByKey(nakva::SAS::IRASONRKEY);
        context.table(nakva::TableId::SaskKmb).clear();
        context.table(nakva::TableId::SaskKmb).record().set(nakva::SKMB::IrasoNr, 3);
        QTimer::singleShot(0, [&] {
            auto* form = window.mdiArea()->findChild<nakva::FormWindow*>(QStringLiteral("UpdateSaskKmb"));
            if (form == nullptr) {
                ok = false;
                return;
            }
            form->parentWidget()->move(20, 10);
            auto* room = form->findChild<QLineEdit*>(QStringLiteral("field-KambarioID"));
            room->setFocus();
            room->setText(QStringLiteral("1"));
            room->setModified(true);
            emit room->editingFinished();
            QTimer::singleShot(300, [&] {
                QWidget* question = QApplication::activeModalWidget();
                ok = question != nullptr &&
                     save(folder, QStringLiteral("double-booking.png"), window.frameGeometry()) && ok;
                if (auto* message = qobject_cast<nakva::MessageWindow*>(question)) {
                    for (QPushButton* button : message->buttons()) {
                        if (button->text() == QStringLiteral("&Ne")) {
                            button->click(); // the form stays on the room
                        }
                    }
                }
                QTimer::singleShot(100, [form] { form->cancelButton()->click(); });
            });
            form->saveButton()->click();
        });
        bool answered = false;
        nakva::callRecordForm("UpdateSaskKmb", context, nakva::Request::Insert, &window,
                              [&answered](nakva::FormResult) { answered = true; });
        waitUntil([&answered] { return answered; });
        registrations.close();
    }

    // The invoice line form on breakfast for two residents and three nights, with its schedule built.
    {
        nakva::Context context(database);
        nakva::Record& registration = context.table(nakva::TableId::Saskait).record();
        registration.set(nakva::SAS::IrasoNr, 1);
        registration.set(nakva::SAS::GyvenaNuo, nakva::dateFromYmd(2025, 4, 14));
        registration.set(nakva::SAS::GyvenaIki, nakva::dateFromYmd(2025, 4, 17));
        registration.set(nakva::SAS::GYVENTOJUSKC, 2);
        context.table(nakva::TableId::Saskeil).clear();
        context.table(nakva::TableId::Saskeil).record().set(nakva::SEI::IrasoNr, 1);
        QTimer::singleShot(0, [&] {
            for (QWidget* candidate : QApplication::topLevelWidgets()) {
                auto* form = qobject_cast<nakva::FormWindow*>(candidate);
                if (form == nullptr || form->objectName() != QStringLiteral("UpdateSaskeil")) {
                    continue;
                }
                form->move(40, 20);
                form->resize(form->sizeHint()); // whole, as the registration form's area shows it
                auto* service = form->findChild<QLineEdit*>(QStringLiteral("field-PasPav"));
                service->setFocus();
                service->setText(QStringLiteral("Pusryčiai"));
                service->setModified(true);
                emit service->editingFinished();
                ok = saveDrawn(folder, QStringLiteral("invoice-line-form.png"), *form) && ok;
                form->cancelButton()->click();
            }
        });
        bool answered = false;
        nakva::callInvoiceLineForm(context, nakva::Request::Insert, nullptr,
                                   [&answered](nakva::FormResult) { answered = true; });
        waitUntil([&answered] { return answered; });
    }

    if (QMdiSubWindow* payments = window.startProcedure("SarMokej")) {
        payments->move(0, 0);
        payments->resize(1000, 380);
        qobject_cast<nakva::ListWindow*>(payments->widget())->table()->setFocus();
        ok = saveDrawn(folder, QStringLiteral("payment-list.png"), window) && ok;
        payments->close();
        pause(200);
    }

    // The front desk on a day of the sample data: the room grid and the day's lists.
    const nakva::Date workingDate = nakva::glo().EINDT;
    nakva::glo().EINDT = nakva::dateFromYmd(2025, 4, 13);
    if (QMdiSubWindow* grid = window.startProcedure("KmbUzimtumas")) {
        grid->move(0, 0);
        grid->resize(1000, 420);
        ok = saveDrawn(folder, QStringLiteral("room-grid.png"), window) && ok;
        grid->close();
        pause(200);
    }
    nakva::glo().EINDT = nakva::dateFromYmd(2025, 4, 14);
    if (QMdiSubWindow* today = window.startProcedure("SarSiandien")) {
        today->move(0, 0);
        today->resize(1000, 560);
        ok = saveDrawn(folder, QStringLiteral("today.png"), window) && ok;
        today->close();
        pause(200);
    }
    nakva::glo().EINDT = workingDate;

    QTimer::singleShot(0, [&] {
        QWidget* calendar = QApplication::activeModalWidget();
        ok = save(folder, QStringLiteral("calendar.png"), calendar->frameGeometry()) && ok;
        calendar->close();
    });
    nakva::pickDate(nakva::dateFromYmd(2025, 4, 20), &window);

    nakva::AboutWindow about(QStringLiteral("UAB „Pajūrio svečių namai“"), &window);
    QTimer::singleShot(0,
                       [&] { ok = save(folder, QStringLiteral("about.png"), about.frameGeometry()) && ok; });
    about.exec();

    nakva::showHelp();
    QWidget* help = nullptr;
    for (QWidget* candidate : QApplication::topLevelWidgets()) {
        if (candidate->objectName() == QStringLiteral("helpViewer") && candidate->isVisible()) {
            help = candidate;
        }
    }
    ok = help != nullptr && save(folder, QStringLiteral("help.png"), help->frameGeometry()) && ok;
    return ok ? 0 : 1;
}
