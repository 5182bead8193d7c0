#include "preview/ReportSave.h"

#include "preview/WmfPlayer.h"
#include "reports/WmfFile.h"
#include "messages/Message.h"

#include <QBuffer>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>

namespace nakva {

namespace {

bool reported(const std::filesystem::path& target, const SaveResult& result) {
    if (!result) {
        MessageRequest request;
        request.text = saveFailureText(target, result);
        request.icon = MessageIcon::Exclamation;
        showMessage(request);
    }
    return static_cast<bool>(result);
}

// The page's own size; A4 and the other standard sizes are recognised as such.
QPageLayout layoutFor(const QSizeF& points) {
    const QSizeF portrait(std::min(points.width(), points.height()),
                          std::max(points.width(), points.height()));
    return QPageLayout(QPageSize(portrait, QPageSize::Point),
                       points.width() > points.height() ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(0, 0, 0, 0));
}

} // namespace

bool savePageAsWmf(const std::filesystem::path& page, const std::filesystem::path& target) {
    return reported(target, copyFileAtomically(page, target));
}

bool saveReportAsPdf(const std::vector<std::filesystem::path>& pages, const std::filesystem::path& target,
                     const QString& title) {
    return reported(target, writeReportPdf(pages, target, title));
}

SaveResult writeReportPdf(const std::vector<std::filesystem::path>& pages,
                          const std::filesystem::path& target, const QString& title) {
    if (pages.empty()) {
        return {SaveFault::ConversionFailed, 0, "ataskaitoje nėra lapų"};
    }
    QByteArray pdf;
    {
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setCreator("NAKVA");
        writer.setTitle(title);
        QPainter painter;
        for (std::size_t i = 0; i < pages.size(); ++i) {
            std::vector<std::uint8_t> bytes;
            if (SaveResult read = readWholeFile(pages[i], bytes); !read) {
                return read;
            }
            std::string error;
            const auto file = WmfFile::parse(std::move(bytes), &error);
            if (!file) {
                return {SaveFault::ConversionFailed, 0, "lapas Nr." + std::to_string(i + 1) + ": " + error};
            }
            const WmfPlayer player(file);
            writer.setPageLayout(layoutFor(player.sizeInPoints()));
            if (i == 0) {
                if (!painter.begin(&writer)) {
                    return {SaveFault::ConversionFailed, 0, {}};
                }
            } else if (!writer.newPage()) {
                return {SaveFault::ConversionFailed, 0, {}};
            }
            player.play(painter, writer.pageLayout().fullRectPixels(writer.resolution()));
        }
        if (!painter.end()) {
            return {SaveFault::ConversionFailed, 0, {}};
        }
    }
    return writeFileAtomically(target, std::span(reinterpret_cast<const std::uint8_t*>(pdf.constData()),
                                                 static_cast<std::size_t>(pdf.size())));
}

} // namespace nakva
