#include "preview/ReportPrint.h"

#include "preview/WmfPlayer.h"
#include "reports/WmfFile.h"
#include "messages/Message.h"

#include <QPainter>
#include <QPrinter>

#include <map>
#include <memory>
#include <vector>

namespace nakva {

namespace {

bool refused(const std::string& text) {
    MessageRequest message;
    message.text = text;
    message.icon = MessageIcon::Exclamation;
    showMessage(message);
    return false;
}

} // namespace

bool printReportPages(const PageList& pages, const QString& jobName, QPrinter& printer) {
    if (pages.empty()) {
        return true;
    }
    // Copies repeat the same files: each is read once.
    std::map<std::filesystem::path, std::shared_ptr<const WmfFile>> read;
    std::vector<std::shared_ptr<const WmfFile>> files;
    files.reserve(pages.size());
    for (std::size_t i = 0; i < pages.size(); ++i) {
        auto& file = read[pages[i]];
        if (!file) {
            std::string error;
            file = WmfFile::load(pages[i], &error);
            if (!file) {
                return refused("Lapo Nr." + std::to_string(i + 1) + " nepavyko perskaityti: " + error +
                               ". Ataskaita nespausdinta.");
            }
        }
        files.push_back(file);
    }

    printer.setDocName(jobName);
    printer.setFullPage(true);
    QPainter painter;
    for (std::size_t i = 0; i < files.size(); ++i) {
        const WmfPlayer player(files[i]);
        const QSizeF inches = player.sizeInInches();
        printer.setPageOrientation(inches.width() > inches.height() ? QPageLayout::Landscape
                                                                    : QPageLayout::Portrait);
        if (i == 0) {
            if (!painter.begin(&printer)) {
                return refused("Spausdintuvas nepasiekiamas: ataskaita nespausdinta.");
            }
        } else {
            printer.newPage();
        }
        // The page at its own size, made smaller only when the sheet is smaller.
        const QRectF sheet = printer.pageLayout().fullRectPixels(printer.resolution());
        QSizeF size = inches * printer.resolution();
        if (size.width() > sheet.width() || size.height() > sheet.height()) {
            size.scale(sheet.size(), Qt::KeepAspectRatio);
        }
        player.play(painter, QRectF(QPointF(0, 0), size));
    }
    painter.end();
    return true;
}

} // namespace nakva
