#include "maintenance/widgets/AccessCodeWindow.h"

#include "data/Context.h"
#include "maintenance/PayerAnonymisation.h"
#include "messages/Message.h"

#include <QApplication>
#include <QFont>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedLayout>
#include <QVBoxLayout>

namespace nakva {

AccessCodeWindow::AccessCodeWindow(Texts texts, std::unique_ptr<Context> context, QWidget* parent)
    : QWidget(parent), context_(std::move(context)), texts_(std::move(texts)) {
    setWindowTitle(texts_.title);
    confirmation_ = new QWidget(this);
    auto* heading = new QLabel(QStringLiteral("D Ė M E S I O  !"), confirmation_);
    QFont bold = heading->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.4);
    heading->setFont(bold);
    heading->setAlignment(Qt::AlignCenter);
    auto* warning = new QLabel(texts_.warning, confirmation_);
    warning->setObjectName("warningText");
    warning->setWordWrap(true);
    warning->setAlignment(Qt::AlignCenter);

    code_ = new QLineEdit(confirmation_);
    code_->setObjectName("codeEntry");
    code_->setMaxLength(20);
    code_->setEchoMode(QLineEdit::Password);
    fields_ = new QFormLayout;
    fields_->addRow(QStringLiteral("Apsaugos kodas:"), code_);

    go_ = new QPushButton(texts_.go, confirmation_);
    auto* keepButton = new QPushButton(texts_.keep, confirmation_);
    keepButton->setObjectName("keepButton");
    keepButton->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(go_);
    buttons->addWidget(keepButton);
    buttons->addStretch();

    auto* layout = new QVBoxLayout(confirmation_);
    layout->addWidget(heading);
    layout->addWidget(warning);
    layout->addLayout(fields_);
    layout->addLayout(buttons);

    pages_ = new QStackedLayout(this);
    pages_->addWidget(confirmation_);
    connect(go_, &QPushButton::clicked, this, &AccessCodeWindow::go);
    connect(keepButton, &QPushButton::clicked, this, &AccessCodeWindow::keep);
    setFocusProxy(code_);
}

AccessCodeWindow::~AccessCodeWindow() {
    delete progress_.data();
}

void AccessCodeWindow::setProcess(FieldsCheck check, ProcessMaker make, Ended ended) {
    check_ = std::move(check);
    make_ = std::move(make);
    ended_ = std::move(ended);
}

void AccessCodeWindow::addField(const QString& prompt, QWidget* field) {
    field->setParent(confirmation_);
    fields_->insertRow(fields_->rowCount() - 1, prompt, field);
}

void AccessCodeWindow::go() {
    if (check_ && !check_()) {
        return;
    }
    if (!accessCodeAccepted(code_->text().toStdString())) {
        QApplication::beep();
        showMessage("Neteisingas apsaugos kodas.", {}, MessageIcon::Exclamation);
        code_->setFocus();
        return;
    }
    code_->clear();
    std::unique_ptr<BatchProcess> process = make_ ? make_(*context_) : nullptr;
    if (!process) {
        return;
    }
    progress_ = new ProcessWindow(texts_.progressTitle, nullptr, std::move(process), this);
    progress_->setOnEnd(ended_);
    connect(progress_, &ProcessWindow::finished, this, &QObject::deleteLater);
    pages_->addWidget(progress_);
    pages_->setCurrentWidget(progress_);
    setWindowTitle(progress_->windowTitle());
}

void AccessCodeWindow::keep() {
    code_->clear();
    deleteLater();
}

AccessCodeWindow* anonymisationWindow(std::unique_ptr<Context> context, QWidget* parent) {
    auto* window = new AccessCodeWindow(
        {QStringLiteral("NUASMENINTI DUOMENIS"),
         QStringLiteral("Visų mokėtojų kodai, pavadinimai, adresai ir kiti duomenys bus negrįžtamai pakeisti "
                        "į nuasmenintus. Ar tikrai nuasmeninti?"),
         QStringLiteral("Nuasmeninti"), QStringLiteral("Nenuasmeninti"),
         QStringLiteral("Apdorojamas failas Klient")},
        std::move(context), parent);
    window->setObjectName("anonymisationWindow");
    window->goButton()->setObjectName("anonymiseButton");
    window->setProcess(
        {}, [](Context& on) { return std::make_unique<PayerAnonymisation>(on); },
        [](const BatchRun& run) {
            const auto& done = static_cast<const PayerAnonymisation&>(run.process());
            if (run.state() == BatchRun::State::Cancelled) {
                showMessage("Nuasmeninimas nutrauktas: mokėtojų duomenys liko nepakeisti.");
            } else if (run.state() == BatchRun::State::Done) {
                showMessage(anonymisationDoneText(done.anonymised(), done.skipped()));
            } // failed: its message has said why
        });
    return window;
}

} // namespace nakva
