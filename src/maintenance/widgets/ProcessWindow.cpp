#include "maintenance/widgets/ProcessWindow.h"

#include "data/Context.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace nakva {

namespace {

QString qt(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

ProcessWindow::ProcessWindow(const QString& title, std::unique_ptr<Context> context,
                             std::unique_ptr<BatchProcess> process, QWidget* parent)
    : QWidget(parent), context_(std::move(context)), process_(std::move(process)), run_(*process_) {
    setObjectName("processWindow");
    setWindowTitle(title);
    auto* text = new QLabel(qt(process_->userText()), this);
    text->setObjectName("processText");
    text->setAlignment(Qt::AlignCenter);
    progress_ = new QLabel(this);
    progress_->setObjectName("progressLabel");
    progress_->setAlignment(Qt::AlignCenter);
    progress_->setMinimumWidth(260);
    cancel_ = new QPushButton(QStringLiteral("Nutraukti"), this);
    cancel_->setObjectName("cancelButton");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(progress_);
    layout->addWidget(cancel_, 0, Qt::AlignCenter);
    showProgress();

    timer_ = new QTimer(this);
    timer_->setInterval(0);
    connect(timer_, &QTimer::timeout, this, &ProcessWindow::tick);
    connect(cancel_, &QPushButton::clicked, this, [this] {
        run_.cancel();
        if (run_.ended()) {
            end();
        }
    });
}

ProcessWindow::~ProcessWindow() = default;

void ProcessWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!begun_) {
        begun_ = true;
        QTimer::singleShot(0, this, &ProcessWindow::begin);
    }
}

void ProcessWindow::begin() {
    if (!run_.start()) {
        end();
        return;
    }
    timer_->start();
}

void ProcessWindow::tick() {
    const bool more = run_.advance();
    showProgress();
    if (!more) {
        end();
    }
}

void ProcessWindow::showProgress() {
    const QString text = QString::fromStdString(run_.progressText());
    if (progress_->text() != text) {
        progress_->setText(text);
    }
    cancel_->setEnabled(run_.state() != BatchRun::State::Running || process_->cancellable());
}

void ProcessWindow::end() {
    timer_->stop();
    cancel_->setEnabled(false);
    showProgress();
    if (onEnd_) {
        onEnd_(run_);
    }
    emit finished();
    deleteLater();
}

} // namespace nakva
