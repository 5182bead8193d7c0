#include "reports/widgets/ReportWindow.h"

#include "data/Context.h"
#include "messages/StandardWarnings.h"
#include "preview/PreviewWindow.h"
#include "preview/ReportPrint.h"
#include "reports/ReportCatalog.h"
#include "reports/ReportRun.h"
#include "reports/widgets/ParameterDialogWindow.h"
#include "shell/Globals.h"
#include "shell/widgets/ProgramPrinter.h"
#include "ui/widgets/CalledWindow.h"
#include "ui/widgets/StatusLine.h"

#include <QLabel>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>
#include <QVBoxLayout>

namespace nakva {

namespace {

QString qt(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

ReportWindow::ReportWindow(const ReportSpec& definition, Context& context, QWidget* parent)
    : QWidget(parent), definition_(definition), context_(context),
      run_(std::make_unique<ReportRun>(definition, context)) {
    setObjectName("reportWindow");
    setWindowTitle(qt(run_->progressCaption()));
    progress_ = new QLabel(QString::fromStdString(run_->progressText()), this);
    progress_->setObjectName("progressLabel");
    progress_->setAlignment(Qt::AlignCenter);
    progress_->setMinimumWidth(220);
    cancel_ = new QPushButton(QStringLiteral("Nutraukti"), this);
    cancel_->setObjectName("cancelButton");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(progress_);
    layout->addWidget(cancel_, 0, Qt::AlignCenter);

    timer_ = new QTimer(this);
    timer_->setInterval(0);
    connect(timer_, &QTimer::timeout, this, &ReportWindow::tick);
    connect(cancel_, &QPushButton::clicked, this, [this] {
        run_->cancel();
        end();
    });
    // Esc is "Nutraukti" too: a run started by mistake stops from the keyboard.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WidgetWithChildrenShortcut);
    connect(escape, &QShortcut::activated, cancel_, &QPushButton::click);
}

ReportWindow::ReportWindow(const ReportSpec& definition, std::unique_ptr<Context> own, QWidget* parent)
    : ReportWindow(definition, *own, parent) {
    own_ = std::move(own);
}

ReportWindow::~ReportWindow() {
    run_.reset(); // before the context it reads through
}

QWidget* ReportWindow::frame() {
    if (auto* child = qobject_cast<QMdiSubWindow*>(parentWidget())) {
        return child;
    }
    return this;
}

void ReportWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!begun_) {
        begun_ = true;
        QTimer::singleShot(0, this, &ReportWindow::begin);
    }
}

void ReportWindow::begin() {
    // The progress window waits, hidden, for the parameters.
    frame()->hide();
    QWidget* dialogParent = parentWidget() != nullptr ? window() : nullptr;
    askReportParameters(definition_.dialog, context_, dialogParent,
                        [alive = QPointer<ReportWindow>(this)](Response response) {
                            if (!alive) {
                                return;
                            }
                            if (response != Response::Completed) {
                                alive->over();
                                return;
                            }
                            // In front and active with "Nutraukti" at hand, never left behind the
                            // window it was started from.
                            showWindowInArea(alive->frame(), alive->cancel_);
                            alive->run_->start(glo());
                            alive->timer_->start();
                        });
}

void ReportWindow::over() {
    files_.reset();
    emit finished();
    deleteLater();
}

void ReportWindow::tick() {
    const bool more = run_->advance();
    const QString text = QString::fromStdString(run_->progressText());
    if (progress_->text() != text) {
        progress_->setText(text);
    }
    if (!more) {
        end();
    }
}

void ReportWindow::end() {
    timer_->stop();
    frame()->hide();
    if (!run_->showsPreview()) {
        // A run that found nothing says so where it is seen without being in the way.
        if (run_->state() == ReportRun::State::Done && run_->recordsPrinted() == 0 &&
            definition_.nothingSelected.empty()) {
            showStatus(this,
                       std::string(definition_.title) + ": nėra duomenų, tenkinančių ataskaitos sąlygas.");
        }
        over();
        return;
    }
    // The page files stay until the preview has answered and its printing is done.
    files_ = run_->takePageFiles();
    // A cancelled run's pages are shown, not printed.
    previewReport(
        files_->pages(), definition_.title, this,
        [this](int answer, PageList& pages) {
            if (answer == PreviewPrint) {
                printReportPages(pages,
                                 QString::fromStdString(printJobName(definition_.name, definition_.title)),
                                 programPrinter());
            }
            over();
        },
        run_->printable());
}

void runReport(const ReportSpec& definition, Context& context, QWidget* caller) {
    auto* window = new ReportWindow(definition, context);
    QWidget* frame = openCalledWindow(window, caller, {});
    if (frame != window) {
        QObject::connect(window, &QObject::destroyed, frame, &QWidget::close);
    }
    showWindowInArea(frame, window->cancelButton(), caller);
}

void runCatalogReport(std::string_view name, Context& context, QWidget* caller) {
    if (const ReportSpec* definition = findReport(name)) {
        runReport(*definition, context, caller);
    } else {
        standardWarning(6, name);
    }
}

} // namespace nakva
