#include "preview/PreviewWindow.h"

#include "messages/ScopedMessageSink.h"
#include "messages/ScriptedMessages.h"
#include "preview/PageJumpDialog.h"
#include "preview/PagesShownDialog.h"
#include "preview/PreviewPages.h"
#include "preview/PrintPartDialog.h"
#include "preview/ReportPrint.h"
#include "reports/PageCanvas.h"
#include "reports/WmfWriter.h"
#include "ui/widgets/FileDialogs.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <QtTest>

#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>

namespace nakva {

namespace {

namespace fs = std::filesystem;

// Pages as a report run leaves them: temporary names without an extension, page N saying "Lapas N".
PageList writePages(const QTemporaryDir& folder, int count,
                    PageOrientation orientation = PageOrientation::Portrait) {
    PageList pages;
    for (int i = 1; i <= count; ++i) {
        PageCanvas page(orientation);
        page.text({mm(20), mm(20)}, "Ąžuolų sąrašas. Lapas " + std::to_string(i));
        const std::vector<std::uint8_t> bytes = writeWmf(page);
        pages.push_back(fs::path(folder.path().toStdString()) / ("page" + std::to_string(i)));
        std::ofstream(pages.back(), std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    return pages;
}

// Runs `action` on the modal dialog of type T once it is open.
template <typename T> void whenOpen(std::function<void(T&)> action) {
    QTimer::singleShot(0, [action] {
        auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        QVERIFY(dialog != nullptr);
        action(*dialog);
        if (dialog->isVisible()) {
            dialog->reject(); // a failed check must not leave the test waiting on the dialog
        }
    });
}

QString zone(const PreviewWindow& window, const char* name) {
    return window.findChild<QLabel*>(name)->text();
}

QByteArray contents(const fs::path& path) {
    QFile file(QString::fromStdString(path.string()));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class PreviewWindowTest : public QObject {
    Q_OBJECT

private:
    ScriptedMessages messages;
    ScopedMessageSink messageGuard{messages};
    ScriptedFileDialogs* dialogs = nullptr;
    std::unique_ptr<ScopedFileDialogs> dialogGuard;

private slots:
    void init() {
        messages.clear();
        dialogGuard.reset();
        delete dialogs;
        dialogs = new ScriptedFileDialogs;
        dialogGuard = std::make_unique<ScopedFileDialogs>(*dialogs);
    }
    void cleanupTestCase() {
        dialogGuard.reset();
        delete dialogs;
    }

    void controlsAndTooltipsInToolbarOrder() {
        QTemporaryDir folder;
        PreviewWindow window(writePages(folder, 3), "Ataskaita");
        QCOMPARE(window.windowTitle(), QStringLiteral("ATASKAITOS PERŽIŪRA"));
        const QStringList expected{"Pirmas lapas",
                                   "Ankstesnė porcija",
                                   "Ankstesnis lapas [PgUp]",
                                   "Rasti lapą [Ctrl]+[G]",
                                   "Kitas lapas [PgDn]",
                                   "Kita porcija",
                                   "Paskutinis lapas",
                                   "Didinti [+]",
                                   "Nustatyti mastelį [Ctrl]+[M]",
                                   "Mažinti [-]",
                                   "Rodyti ekrane keletą lapų [Ctrl]+[L]",
                                   "Spausdinti ataskaitos dalį, keletą kopijų [Ctrl]+[Shift]+[P]",
                                   "Išsaugoti atverstąjį lapą WMF faile [Ctrl]+[Shift]+[S]",
                                   "Spausdinti visą ataskaitą [Ctrl]+[P]",
                                   "Užverti peržiūrą nespausdinant [Esc]",
                                   "Išsaugoti ataskaitą PDF faile [Ctrl]+[S]"};
        QStringList tooltips;
        for (QAction* action : window.findChild<QToolBar*>("previewToolbar")->actions()) {
            if (!action->isSeparator()) {
                tooltips << action->toolTip();
                QVERIFY2(!action->icon().isNull(), qPrintable(action->objectName()));
            }
        }
        QCOMPARE(tooltips, expected);
    }

    // Every control the keyboard reaches says its keys in its tip, each key part in brackets, and the
    // keys do what the button does.
    void keysAreNamedInTheTipsAndAct() {
        QTemporaryDir folder;
        PreviewWindow window(writePages(folder, 3), "Ataskaita");
        for (const PreviewControlDef& def : previewControls()) {
            const QList<QKeySequence> keys = window.action(def.control)->shortcuts();
            if (def.control == PreviewControl::FindPage || def.control == PreviewControl::Zoom ||
                def.control == PreviewControl::SeveralPages || def.control == PreviewControl::PrintPart ||
                def.control == PreviewControl::SavePage || def.control == PreviewControl::SavePdf ||
                def.control == PreviewControl::Close) {
                QVERIFY2(!keys.isEmpty(), def.name.data());
            }
            for (const QKeySequence& key : keys.mid(0, 1)) {
                for (QString part : key.toString().split('+', Qt::SkipEmptyParts)) {
                    part = part == "PgDown" ? "PgDn" : part;
                    QVERIFY2(window.action(def.control)->toolTip().contains("[" + part + "]"),
                             qPrintable(window.action(def.control)->toolTip()));
                }
            }
        }
        // Esc leaves it as its close button does: nothing printed.
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QSignalSpy finished(&window, &PreviewWindow::finished);
        QTest::keyClick(window.pagesView(), Qt::Key_Escape);
        QCOMPARE(finished.count(), 1);
        QCOMPARE(finished.at(0).at(0).toInt(), int(PreviewNoPrint));
        // Saving the report as PDF from the keyboard asks for the file.
        PreviewWindow again(writePages(folder, 3), "Ataskaita");
        again.show();
        QVERIFY(QTest::qWaitForWindowExposed(&again));
        dialogs->answerNext(QString());
        QTest::keyClick(again.pagesView(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(dialogs->requests().size(), qsizetype(1));
        QCOMPARE(dialogs->requests().back().title, QStringLiteral("Išsaugoti ataskaitą PDF faile"));
    }

    void statusZonesAndZoomMenu() {
        QTemporaryDir folder;
        PreviewWindow window(writePages(folder, 12), "Ataskaita");
        QCOMPARE(zone(window, "pageZone"), QStringLiteral("Lapas 1"));
        QCOMPARE(zone(window, "totalZone"), QStringLiteral("Iš viso lapų: 12"));
        QCOMPARE(zone(window, "zoomZone"), QStringLiteral("Mastelis: Visas lapas"));

        QStringList items;
        for (QAction* item : window.zoomMenu()->actions()) {
            items << (item->isSeparator() ? QStringLiteral("-") : item->text());
        }
        QCOMPARE(items, (QStringList{"Visas lapas", "Lapo plotis", "-", "100%", "150%", "200%", "300%"}));
        QVERIFY(window.zoomMenu()->actions().at(0)->isChecked());

        window.zoomMenu()->actions().at(5)->trigger();
        QCOMPARE(zone(window, "zoomZone"), QStringLiteral("Mastelis: (200%)"));
        QVERIFY(window.zoomMenu()->actions().at(5)->isChecked());
        QVERIFY(!window.zoomMenu()->actions().at(0)->isChecked());
        window.press(PreviewControl::ZoomIn);
        QCOMPARE(zone(window, "zoomZone"), QStringLiteral("Mastelis: (300%)"));
        window.press(PreviewControl::ZoomIn);
        QCOMPARE(zone(window, "zoomZone"), QStringLiteral("Mastelis: (300%)"));
    }

    void keysPageZoomAndPrint() {
        QTemporaryDir folder;
        PreviewWindow window(writePages(folder, 3), "Ataskaita");
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QWidget* view = window.pagesView();
        QTest::keyClick(view, Qt::Key_PageDown);
        QTest::keyClick(view, Qt::Key_PageDown);
        QCOMPARE(zone(window, "pageZone"), QStringLiteral("Lapas 3"));
        QTest::keyClick(view, Qt::Key_PageDown); // disabled on the last page
        QCOMPARE(zone(window, "pageZone"), QStringLiteral("Lapas 3"));
        QTest::keyClick(view, Qt::Key_PageUp);
        QCOMPARE(zone(window, "pageZone"), QStringLiteral("Lapas 2"));
        QTest::keyClick(view, Qt::Key_Plus);
        QCOMPARE(zone(window, "zoomZone"), QStringLiteral("Mastelis: Lapo plotis"));
        QTest::keyClick(view, Qt::Key_Minus);
        QTest::keyClick(view, Qt::Key_Minus);
        QCOMPARE(zone(window, "zoomZone"), QStringLiteral("Mastelis: Visas lapas"));

        QSignalSpy finished(&window, &PreviewWindow::finished);
        QTest::keyClick(view, Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(finished.count(), 1);
        QCOMPARE(finished.at(0).at(0).toInt(), int(PreviewPrint));
        QVERIFY(!window.isVisible());
    }

    void arrowKeysScrollAZoomedPage() {
        QTemporaryDir folder;
        PreviewWindow window(writePages(folder, 2), "Ataskaita");
        window.resize(600, 500);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        PreviewPages* view = window.pagesView();

        QTest::keyClick(view, Qt::Key_Down); // whole page: nothing to scroll
        QCOMPARE(view->verticalPosition(), 0);

        window.zoomMenu()->actions().at(6)->trigger(); // 300%
        const Extent image = view->zoomedExtent();
        QCOMPARE(image.width, 3 * view->viewport()->width());
        const int down = scrollStep(view->viewport()->height(), image.height);
        const int right = scrollStep(view->viewport()->width(), image.width);
        QTest::keyClick(view, Qt::Key_Down);
        QCOMPARE(view->verticalPosition(), down);
        QTest::keyClick(view, Qt::Key_Right);
        QTest::keyClick(view, Qt::Key_Right);
        QCOMPARE(view->horizontalPosition(), 2 * right);
        QTest::keyClick(view, Qt::Key_Left);
        QCOMPARE(view->horizontalPosition(), right);
        QTest::keyClick(view, Qt::Key_Up);
        QCOMPARE(view->verticalPosition(), 0);

        // Another page starts at its top; page width cannot scroll sideways.
        window.press(PreviewControl::NextPage);
        QCOMPARE(view->horizontalPosition(), 0);
        window.zoomMenu()->actions().at(1)->trigger();
        QTest::keyClick(view, Qt::Key_Right);
        QCOMPARE(view->horizontalPosition(), 0);
        QVERIFY(!view->horizontalScrollBar()->isVisible());
    }

    void onePageReportHasNoPaging() {
        QTemporaryDir folder;
        PreviewWindow window(writePages(folder, 1), "Ataskaita");
        for (PreviewControl control :
             {PreviewControl::FirstPage, PreviewControl::PreviousPortion, PreviewControl::PreviousPage,
              PreviewControl::FindPage, PreviewControl::NextPage, PreviewControl::NextPortion,
              PreviewControl::LastPage, PreviewControl::SeveralPages}) {
            QVERIFY(!window.action(control)->isEnabled());
        }
        QVERIFY(window.action(PreviewControl::ZoomIn)->isEnabled());
        window.press(PreviewControl::ZoomIn);
        QCOMPARE(zone(window, "zoomZone"), QStringLiteral("Mastelis: Lapo plotis"));
        QVERIFY(!window.toolbarEnabled(ToolbarButton::NextPage));
    }

    void severalPagesShowPortions() {
        QTemporaryDir folder;
        PreviewWindow window(writePages(folder, 5), "Ataskaita");
        window.resize(800, 600);
        window.press(PreviewControl::ZoomIn); // asking for several pages brings the cells back
        whenOpen<PagesShownDialog>([](PagesShownDialog& dialog) {
            QCOMPARE(dialog.windowTitle(), QStringLiteral("Rodyti ekrane keletą lapų:"));
            QCOMPARE(dialog.findChild<QSpinBox*>("acrossBox")->maximum(), 10);
            dialog.findChild<QSpinBox*>("acrossBox")->setValue(2);
            dialog.findChild<QSpinBox*>("downBox")->setValue(2);
            dialog.accept();
        });
        window.press(PreviewControl::SeveralPages);
        QCOMPARE(window.state().zoom(), ZoomMode::WholePage);
        QCOMPARE(window.pagesView()->cells().cells.size(), std::size_t(4));
        QVERIFY(window.action(PreviewControl::NextPortion)->isEnabled());
        window.press(PreviewControl::NextPortion);
        QCOMPARE(zone(window, "pageZone"), QStringLiteral("Lapas 5"));
        QCOMPARE(window.pagesView()->cells().cells.size(), std::size_t(1));
        QVERIFY(!window.action(PreviewControl::NextPortion)->isEnabled());
        window.press(PreviewControl::FirstPage);
        window.press(PreviewControl::LastPage);
        QCOMPARE(zone(window, "pageZone"), QStringLiteral("Lapas 2"));
    }

    void jumpWindow() {
        QTemporaryDir folder;
        PreviewWindow window(writePages(folder, 5), "Ataskaita");
        whenOpen<PageJumpDialog>([](PageJumpDialog& dialog) {
            QCOMPARE(dialog.windowTitle(), QStringLiteral("Atversti lapą (iš viso lapų: 5)"));
            auto* page = dialog.findChild<QSpinBox*>("pageBox");
            QCOMPARE(page->value(), 1);
            QCOMPARE(page->maximum(), 5);
            page->setValue(4);
            QTest::mouseClick(dialog.findChild<QPushButton*>("runButton"), Qt::LeftButton);
        });
        window.toolbarPressed(ToolbarButton::Locate); // the frame's locate button finds a page
        QCOMPARE(zone(window, "pageZone"), QStringLiteral("Lapas 4"));
        whenOpen<PageJumpDialog>([](PageJumpDialog& dialog) {
            dialog.findChild<QSpinBox*>("pageBox")->setValue(2);
            QTest::mouseClick(dialog.findChild<QPushButton*>("cancelButton"), Qt::LeftButton);
        });
        window.press(PreviewControl::FindPage);
        QCOMPARE(zone(window, "pageZone"), QStringLiteral("Lapas 4"));
    }

    void printPartCutsTheListAndAnswersPrint() {
        QTemporaryDir folder;
        const PageList pages = writePages(folder, 4);
        PreviewWindow window(pages, "Ataskaita");
        QSignalSpy finished(&window, &PreviewWindow::finished);

        whenOpen<PrintPartDialog>([](PrintPartDialog& dialog) {
            QCOMPARE(dialog.windowTitle(), QStringLiteral("Spausdinimo nustatymas"));
            QVERIFY(QTest::qWaitForWindowActive(&dialog));
            dialog.findChild<QSpinBox*>("toBox")->setFocus(); // the cursor in a range field chooses the range
            QVERIFY(dialog.findChild<QRadioButton*>("rangeButton")->isChecked());
            dialog.findChild<QSpinBox*>("fromBox")->setValue(2);
            dialog.findChild<QSpinBox*>("toBox")->setValue(3);
            dialog.findChild<QSpinBox*>("copiesBox")->setValue(2);
            QTest::mouseClick(dialog.findChild<QPushButton*>("cancelButton"), Qt::LeftButton);
        });
        window.press(PreviewControl::PrintPart);
        QCOMPARE(finished.count(), 0);
        QCOMPARE(window.state().pages(), pages);

        whenOpen<PrintPartDialog>([](PrintPartDialog& dialog) {
            QVERIFY(dialog.findChild<QRadioButton*>("allButton")->isChecked());
            dialog.findChild<QRadioButton*>("rangeButton")->setChecked(true);
            dialog.findChild<QSpinBox*>("fromBox")->setValue(2);
            dialog.findChild<QSpinBox*>("toBox")->setValue(3);
            dialog.findChild<QSpinBox*>("copiesBox")->setValue(2);
            QTest::mouseClick(dialog.findChild<QPushButton*>("printButton"), Qt::LeftButton);
        });
        window.press(PreviewControl::PrintPart);
        QCOMPARE(finished.count(), 1);
        QCOMPARE(finished.at(0).at(0).toInt(), int(PreviewPrint));
        QCOMPARE(window.state().pages(), (PageList{pages[1], pages[2], pages[1], pages[2]}));
        QVERIFY(!fs::exists(pages[0]));
        QVERIFY(fs::exists(pages[1]));
        QVERIFY(!fs::exists(pages[3]));
    }

    void savePageThroughTheFileDialog() {
        QTemporaryDir folder;
        const PageList pages = writePages(folder, 3);
        PreviewWindow window(pages, "Ataskaita");
        window.press(PreviewControl::NextPage);

        window.press(PreviewControl::SavePage); // cancelled: nothing written
        QCOMPARE(dialogs->requests().size(), 1);
        const SaveFileRequest& request = dialogs->requests().at(0);
        QCOMPARE(request.title, QStringLiteral("Išsaugoti lapą Nr.2 WMF faile"));
        QCOMPARE(request.defaultName, QStringLiteral("Be pavadinimo.wmf"));
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files).size(), 3);

        const QString target = folder.filePath("Kopija ą.wmf");
        dialogs->answerNext(target);
        window.press(PreviewControl::SavePage);
        QCOMPARE(contents(fs::path(QFile::encodeName(target).toStdString())), contents(pages[1]));
        QVERIFY(messages.shown().empty());
    }

    void savePdfReportsAFailureAndStaysOpen() {
        QTemporaryDir folder;
        PreviewWindow window(writePages(folder, 2), "Ataskaita");
        QSignalSpy finished(&window, &PreviewWindow::finished);

        const QString target = folder.filePath("ataskaita.pdf");
        dialogs->answerNext(target);
        window.press(PreviewControl::SavePdf);
        QCOMPARE(dialogs->requests().at(0).title, QStringLiteral("Išsaugoti ataskaitą PDF faile"));
        QCOMPARE(dialogs->requests().at(0).defaultName, QStringLiteral("Be pavadinimo.pdf"));
        QVERIFY(contents(target.toStdString()).startsWith("%PDF"));
        QVERIFY(messages.shown().empty());

        const QString missing = folder.filePath("nėra/ataskaita.pdf");
        dialogs->answerNext(missing);
        window.press(PreviewControl::SavePdf);
        QCOMPARE(messages.shown().size(), std::size_t(1));
        QVERIFY(
            QString::fromStdString(messages.shown()[0].text).contains(QStringLiteral("išsaugoti nepavyko")));
        QVERIFY(!QFile::exists(missing));
        QCOMPARE(finished.count(), 0);
    }

    void toolbarOfTheFrame() {
        QTemporaryDir folder;
        PreviewWindow window(writePages(folder, 3), "Ataskaita");
        int changes = 0;
        window.setToolbarListener([&changes] { ++changes; });
        QVERIFY(!window.toolbarEnabled(ToolbarButton::FirstPage));
        QVERIFY(window.toolbarEnabled(ToolbarButton::LastPage));
        QVERIFY(!window.toolbarEnabled(ToolbarButton::Insert));
        QVERIFY(!window.toolbarEnabled(ToolbarButton::NextRecord));
        QVERIFY(window.toolbarEnabled(ToolbarButton::Help));
        QCOMPARE(window.toolbarTooltip(ToolbarButton::NextPage), std::string("Kitas lapas [PgDn]"));
        QCOMPARE(window.toolbarTooltip(ToolbarButton::Insert), std::string());
        window.toolbarPressed(ToolbarButton::LastPage);
        QCOMPARE(zone(window, "pageZone"), QStringLiteral("Lapas 3"));
        QVERIFY(changes > 0);
        QVERIFY(window.toolbarEnabled(ToolbarButton::FirstPage));
        QVERIFY(!window.toolbarEnabled(ToolbarButton::NextPage));
    }

    void emptyReportOpensNoWindow() {
        std::optional<int> answer;
        previewReport({}, "Ataskaita", nullptr, [&answer](int given, PageList&) { answer = given; });
        QCOMPARE(answer, std::make_optional(int(PreviewNoPrint))); // at once
        QCOMPARE(messages.texts(), std::vector<std::string>{"Nėra duomenų, tenkinančių ataskaitos sąlygas"});
    }

    void previewIsAChildWindowThatBlocksItsCaller() {
        QTemporaryDir folder;
        PageList pages = writePages(folder, 2);
        const PageList original = pages;
        QMdiArea area;
        QMdiSubWindow* caller = area.addSubWindow(new QWidget);
        area.resize(800, 600);
        area.show();

        std::optional<int> answer;
        const PreviewDone answered = [&answer, &pages](int given, PageList& back) {
            answer = given;
            pages = back;
        };
        previewReport(pages, "Ataskaita", caller->widget(), answered);
        QCOMPARE(area.subWindowList().size(), 2);
        auto* window = qobject_cast<PreviewWindow*>(area.subWindowList().at(1)->widget());
        QVERIFY(window != nullptr);
        QVERIFY(!caller->isEnabled());
        QVERIFY(!answer);
        window->press(PreviewControl::Print);
        QTRY_COMPARE(answer, std::make_optional(int(PreviewPrint)));
        QVERIFY(caller->isEnabled());
        QCOMPARE(pages, original);

        answer.reset();
        previewReport(pages, "Ataskaita", caller->widget(), answered);
        area.subWindowList().at(1)->close(); // the close box: no print
        QTRY_COMPARE(answer, std::make_optional(int(PreviewNoPrint)));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(area.subWindowList().size(), 1);
    }

    // The preview fills the area without being maximised, so the windows after it open as they are;
    // Ctrl+F4 closes it as its close box does, Esc as its close button does, nothing printed.
    void previewFillsTheAreaWithoutMaximisingAndClosesFromTheKeyboard() {
        QTemporaryDir folder;
        QMainWindow frame;
        auto* area = new QMdiArea(&frame);
        frame.setCentralWidget(area);
        QMdiSubWindow* caller = area->addSubWindow(new QWidget);
        caller->resize(300, 200);
        frame.resize(900, 700);
        frame.show();
        QVERIFY(QTest::qWaitForWindowActive(&frame));
        for (const QKeyCombination key : {QKeyCombination(Qt::ControlModifier, Qt::Key_F4),
                                          QKeyCombination(Qt::NoModifier, Qt::Key_Escape)}) {
            std::optional<int> answer;
            previewReport(writePages(folder, 2), "Ataskaita", caller->widget(),
                          [&answer](int given, PageList&) { answer = given; });
            QCOMPARE(area->subWindowList().size(), 2);
            QMdiSubWindow* preview = area->subWindowList().at(1);
            QVERIFY(!preview->isMaximized());
            QCOMPARE(preview->geometry(), area->viewport()->rect());
            QCOMPARE(area->activeSubWindow(), preview);
            QTRY_VERIFY(QApplication::focusWidget() != nullptr &&
                        preview->isAncestorOf(QApplication::focusWidget()));
            QTest::keyClick(QApplication::focusWidget(), key.key(), key.keyboardModifiers());
            QTRY_COMPARE(answer, std::make_optional(int(PreviewNoPrint)));
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QTRY_COMPARE(area->subWindowList().size(), 1);
            QVERIFY(!caller->isMaximized());
        }
        QMdiSubWindow* next = area->addSubWindow(new QWidget);
        next->show();
        QVERIFY(!next->isMaximized());
    }

    void printedCopiesComeOutCollated() {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty() ||
            QStandardPaths::findExecutable("pdfinfo").isEmpty()) {
            QSKIP("poppler-utils is not installed");
        }
        QTemporaryDir folder;
        const PageList pages = writePages(folder, 2);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        const QString output = folder.filePath("printed.pdf");
        printer.setOutputFileName(output);
        QVERIFY(printReportPages({pages[0], pages[1], pages[0], pages[1], pages[0], pages[1]},
                                 QString::fromStdString(printJobName("SpKlientKn", "Ataskaita")), printer));

        QProcess text;
        text.start("pdftotext", {"-layout", output, "-"});
        QVERIFY(text.waitForFinished(30000));
        QStringList order;
        for (const QString& line : QString::fromUtf8(text.readAllStandardOutput()).split('\n')) {
            if (line.contains("Lapas")) {
                QCOMPARE(line.trimmed().left(15), QStringLiteral("Ąžuolų sąrašas."));
                order << line.trimmed().section(' ', -1);
            }
        }
        QCOMPARE(order, (QStringList{"1", "2", "1", "2", "1", "2"}));

        QProcess info;
        info.start("pdfinfo", {output});
        QVERIFY(info.waitForFinished(30000));
        QVERIFY(QString::fromUtf8(info.readAllStandardOutput()).contains("Sąskaitų suvestinė klientui"));
    }

    void unreadablePagePrintsNothing() {
        QTemporaryDir folder;
        PageList pages = writePages(folder, 2);
        std::ofstream(pages[1], std::ios::trunc) << "ne metafailas";
        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(folder.filePath("printed.pdf"));
        QVERIFY(!printReportPages(pages, "Ataskaita", printer));
        QVERIFY(!QFile::exists(folder.filePath("printed.pdf")));
        QCOMPARE(messages.shown().size(), std::size_t(1));
        QVERIFY(
            QString::fromStdString(messages.shown()[0].text).startsWith("Lapo Nr.2 nepavyko perskaityti"));
    }
};

} // namespace nakva

QTEST_MAIN(nakva::PreviewWindowTest)
#include "PreviewWindowTest.moc"
