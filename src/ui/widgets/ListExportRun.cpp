#include "ui/widgets/ListExportRun.h"

#include "messages/Message.h"
#include "ui/ListEngine.h"
#include "ui/ListExport.h"
#include "ui/widgets/FileDialogs.h"

#include <QProgressDialog>
#include <QRegularExpression>
#include <QTimer>

namespace nakva {

namespace {

constexpr int RowsPerTick = 200;
constexpr int ProgressAfterMs = 500;

// The list's title as a file name: "REGISTRACIJOS ĮRAŠAI:  NEIŠVYKĘ GYVENTOJAI" →
// "REGISTRACIJOS ĮRAŠAI NEIŠVYKĘ GYVENTOJAI.csv".
QString proposedName(const ListEngine& list) {
    QString name = QString::fromStdString(list.config().title);
    static const QRegularExpression notInName(QStringLiteral("[^\\w\\- ]"),
                                              QRegularExpression::UseUnicodePropertiesOption);
    name.replace(notInName, QStringLiteral(" "));
    name = name.simplified();
    return (name.isEmpty() ? QString::fromStdString(list.config().name) : name) + QStringLiteral(".csv");
}

} // namespace

void ListExportRun::start(ListEngine& list, QWidget* parent) {
    SaveFileRequest request;
    request.title = QStringLiteral("Eksportuoti sąrašą");
    request.defaultName = proposedName(list);
    request.filter = QStringLiteral("CSV failai (*.csv)");
    request.defaultSuffix = QStringLiteral("csv");
    const QString file = fileDialogs().saveFileName(request, parent);
    if (!file.isEmpty()) {
        new ListExportRun(list, file, parent);
    }
}

ListExportRun::ListExportRun(ListEngine& list, const QString& file, QWidget* parent)
    : QObject(parent), export_(new ListExport(list, file.toStdString())) {
    if (!export_->start()) {
        QTimer::singleShot(0, this, &ListExportRun::end);
        return;
    }
    progress_ = new QProgressDialog(QStringLiteral("Eksportuojamas sąrašas..."), QStringLiteral("Nutraukti"),
                                    0, 100, parent);
    progress_->setObjectName("exportProgress");
    progress_->setWindowTitle(QStringLiteral("Eksportavimas"));
    progress_->setWindowModality(Qt::WindowModal);
    progress_->setMinimumDuration(ProgressAfterMs);
    progress_->setAutoClose(false);
    progress_->setAutoReset(false);
    progress_->setValue(0);
    connect(progress_, &QProgressDialog::canceled, this, [this] {
        export_->cancel();
        end();
    });
    timer_ = new QTimer(this);
    connect(timer_, &QTimer::timeout, this, &ListExportRun::tick);
    timer_->start(0);
}

ListExportRun::~ListExportRun() {
    delete progress_;
    delete export_;
}

void ListExportRun::tick() {
    if (export_->step(RowsPerTick)) {
        if (export_->total() > 0) {
            progress_->setValue(int(100 * export_->done() / export_->total()));
        }
        return;
    }
    end();
}

void ListExportRun::end() {
    if (ended_) {
        return;
    }
    ended_ = true;
    if (timer_ != nullptr) {
        timer_->stop();
    }
    if (progress_ != nullptr && export_->state() == ListExport::State::Done) {
        // Gone before the closing word: only hidden, its own timer would show it again at "0%" behind
        // the message once the export had taken longer than its delay.
        delete progress_;
        progress_ = nullptr;
    } else if (progress_ != nullptr) {
        progress_->hide(); // cancelled from its own button: it stays hidden
    }
    if (export_->state() == ListExport::State::Done) {
        MessageRequest request;
        request.title = "Eksportavimas";
        request.text = "Sąrašas eksportuotas į failą " + export_->target().string() +
                       " (įrašų: " + std::to_string(export_->done()) + ").";
        request.icon = MessageIcon::Information;
        showMessage(request);
    }
    emit finished();
    deleteLater();
}

} // namespace nakva
