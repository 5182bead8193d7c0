#include "preview/ReportSave.h"
#include "reports/AsOrdinaryUser.h"
#include "reports/PageCanvas.h"
#include "reports/WmfWriter.h"
#include "messages/ScopedMessageSink.h"
#include "messages/ScriptedMessages.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <filesystem>
#include <fstream>

namespace nakva {

namespace {

namespace fs = std::filesystem;

const QString Lithuanian = "Ąžuolas, Čiurlionis, Šiauliai, Žemaitija, ūkis, ėjo, įėjimas, ųų";

// A page file as the report run leaves it: a temporary name without an extension.
fs::path writePage(const fs::path& path, const PageCanvas& page) {
    const std::vector<std::uint8_t> bytes = writeWmf(page);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return path;
}

PageCanvas textPage(PageOrientation orientation, const QString& text) {
    PageCanvas page(orientation);
    page.setFont({"Arial", 12, true});
    page.text({mm(20), mm(20)}, "PREKIŲ-PASLAUGŲ SĄRAŠAS");
    page.setFont({"Arial", 10});
    page.text({mm(20), mm(30)}, text.toStdString());
    page.text({mm(150), mm(30)}, "12.50", Align::Right);
    page.line({mm(20), mm(32)}, {mm(150), mm(32)});
    return page;
}

// A poppler tool's output, or a skip when it is not installed.
QString run(const QString& tool, const QStringList& arguments) {
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0) {
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

std::size_t filesIn(const QString& folder) {
    return static_cast<std::size_t>(
        std::distance(fs::directory_iterator(folder.toStdString()), fs::directory_iterator()));
}

} // namespace

class ReportSaveTest : public QObject {
    Q_OBJECT

private slots:
    void pdfHasEveryPageEmbeddedFontsAndTheTextLetterForLetter() {
        for (const char* tool : {"pdffonts", "pdftotext", "pdfinfo"}) {
            if (QStandardPaths::findExecutable(tool).isEmpty()) {
                QSKIP("poppler-utils is not installed");
            }
        }
        QTemporaryDir folder;
        const fs::path base = folder.path().toStdString();
        const std::vector<fs::path> pages = {
            writePage(base / "page1", textPage(PageOrientation::Portrait, Lithuanian)),
            writePage(base / "page2", textPage(PageOrientation::Landscape, "Antras lapas")),
        };
        ScriptedMessages messages;
        ScopedMessageSink sink(messages);
        const fs::path pdf = base / "Be pavadinimo.pdf";
        QVERIFY(saveReportAsPdf(pages, pdf, "Paslaugų sąrašo ataskaita"));
        QVERIFY(messages.shown().empty());
        const QString path = QString::fromStdString(pdf.string());

        const QString info = run("pdfinfo", {"-f", "1", "-l", "2", path});
        QVERIFY2(info.contains(QRegularExpression("Pages:\\s+2\\n")), qPrintable(info));
        QVERIFY(info.contains(QRegularExpression("Title:\\s+Paslaugų sąrašo ataskaita\\n")));
        QVERIFY(info.contains(QRegularExpression("Creator:\\s+NAKVA\\n")));
        QVERIFY(info.contains(QRegularExpression("CreationDate:\\s+\\S")));
        QVERIFY2(info.contains(
                     QRegularExpression("Page\\s+1 size:\\s+595(\\.\\d+)? x 84[12](\\.\\d+)? pts \\(A4\\)")),
                 qPrintable(info));
        QVERIFY(info.contains(
            QRegularExpression("Page\\s+2 size:\\s+84[12](\\.\\d+)? x 595(\\.\\d+)? pts \\(A4\\)")));

        // Every font row (after the two heading lines) says "yes" in the "emb" column.
        const QStringList fonts = run("pdffonts", {path}).split('\n', Qt::SkipEmptyParts);
        QVERIFY2(fonts.size() >= 3, qPrintable(fonts.join('\n')));
        const int emb = fonts[0].indexOf("emb");
        for (qsizetype i = 2; i < fonts.size(); ++i) {
            QVERIFY2(fonts[i].mid(emb, 3) == "yes", qPrintable(fonts.join('\n')));
            QVERIFY2(fonts[i].contains("LiberationSans"), qPrintable(fonts[i]));
        }

        const QString text = run("pdftotext", {"-f", "1", "-l", "1", path, "-"});
        QVERIFY2(text.contains(Lithuanian), qPrintable(text));
        QVERIFY(text.contains("PREKIŲ-PASLAUGŲ SĄRAŠAS"));
        QVERIFY(run("pdftotext", {"-f", "2", "-l", "2", path, "-"}).contains("Antras lapas"));
    }

    void pdfIntoAReadOnlyFolderShowsAMessageAndLeavesNoFile() {
        QTemporaryDir folder; // readable by all, so that the page can be read as an ordinary user
        QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                                 QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther |
                                                 QFile::ExeOther);
        const fs::path base = folder.path().toStdString();
        const fs::path page = writePage(base / "page1", textPage(PageOrientation::Portrait, Lithuanian));
        QFile::setPermissions(QString::fromStdString(page.string()),
                              QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        QTemporaryDir locked;
        QFile::setPermissions(locked.path(), QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther |
                                                 QFile::ExeOther | QFile::ReadGroup | QFile::ExeGroup);
        const fs::path pdf = fs::path(locked.path().toStdString()) / "Be pavadinimo.pdf";

        ScriptedMessages messages;
        ScopedMessageSink sink(messages);
        bool saved = true;
        {
            AsOrdinaryUser user;
            saved = saveReportAsPdf({page}, pdf, "Ataskaita");
        }
        QFile::setPermissions(locked.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(!saved);
        QCOMPARE(filesIn(locked.path()), std::size_t(0));
        QCOMPARE(messages.texts().size(), std::size_t(1));
        QCOMPARE(QString::fromStdString(messages.texts()[0]),
                 "Failo „" + QString::fromStdString(pdf.string()) + "“ išsaugoti nepavyko: aplanko „" +
                     locked.path() + "“ nėra arba į jį rašyti negalima.");
        QCOMPARE(messages.shown()[0].icon, MessageIcon::Exclamation);
    }

    void damagedOrMissingPageIsReportedAndNothingWritten() {
        QTemporaryDir folder;
        const fs::path base = folder.path().toStdString();
        const fs::path good = writePage(base / "page1", textPage(PageOrientation::Portrait, "a"));
        std::ofstream(base / "page2", std::ios::binary) << "ne metafailas, o tekstas";
        const fs::path pdf = base / "ataskaita.pdf";

        ScriptedMessages messages;
        ScopedMessageSink sink(messages);
        QVERIFY(!saveReportAsPdf({good, base / "page2"}, pdf, "Ataskaita"));
        QVERIFY(!saveReportAsPdf({good, base / "page3"}, pdf, "Ataskaita"));
        QVERIFY(!fs::exists(pdf));
        QCOMPARE(messages.texts().size(), std::size_t(2));
        QCOMPARE(
            QString::fromStdString(messages.texts()[0]),
            "Failo „" + QString::fromStdString(pdf.string()) +
                "“ išsaugoti nepavyko: ataskaitos lapų nepavyko paversti PDF dokumentu (lapas Nr.2: Failas "
                "nėra Windows metafailas (WMF).).");
        QVERIFY(QString::fromStdString(messages.texts()[1])
                    .contains("nepavyko perskaityti ataskaitos lapo failo"));
    }

    void pageIsSavedAsAByteCopy() {
        QTemporaryDir folder;
        const fs::path base = folder.path().toStdString();
        const fs::path page = writePage(base / "page1", textPage(PageOrientation::Portrait, Lithuanian));
        ScriptedMessages messages;
        ScopedMessageSink sink(messages);
        QVERIFY(savePageAsWmf(page, base / "Be pavadinimo.wmf"));
        QCOMPARE(fs::file_size(base / "Be pavadinimo.wmf"), fs::file_size(page));
        QVERIFY(messages.shown().empty());

        QVERIFY(!savePageAsWmf(page, base / "nėra" / "Be pavadinimo.wmf"));
        QCOMPARE(messages.texts().size(), std::size_t(1));
    }
};

} // namespace nakva

QTEST_MAIN(nakva::ReportSaveTest)
#include "ReportSaveTest.moc"
