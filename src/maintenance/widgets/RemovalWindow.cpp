#include "maintenance/widgets/RemovalWindow.h"

#include "data/Context.h"
#include "maintenance/OldRegistrations.h"
#include "maintenance/widgets/ProcessWindow.h"
#include "messages/Message.h"
#include "shell/Globals.h"
#include "ui/widgets/DateEntry.h"

#include <QApplication>
#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedLayout>
#include <QToolButton>
#include <QVBoxLayout>

namespace nakva {

RemovalWindow::RemovalWindow(std::unique_ptr<Context> context, QWidget* parent)
    : QWidget(parent), context_(std::move(context)) {
    setObjectName("removalWindow");
    setWindowTitle(QStringLiteral("PAŠALINTI SENUS REGISTRACIJOS ĮRAŠUS"));

    auto* confirmation = new QWidget(this);
    auto* heading = new QLabel(QStringLiteral("D Ė M E S I O  !"), confirmation);
    QFont bold = heading->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.4);
    heading->setFont(bold);
    heading->setAlignment(Qt::AlignCenter);
    auto* warning = new QLabel(QStringLiteral("Registracijos įrašai iki nurodytos datos bus negrįžtamai "
                                              "pašalinti iš registro. Ar tikrai pašalinti?"),
                               confirmation);
    warning->setWordWrap(true);
    warning->setAlignment(Qt::AlignCenter);

    date_ = new DateEntry(confirmation);
    date_->setObjectName("limitDate");
    date_->setTip(QStringLiteral("Įveskite sąskaitos išrašymo datą"));
    date_->calendarButton()->setToolTip(QStringLiteral("Pasirinkti datą iš kalendoriaus Ctrl-Down"));
    date_->setDate(endOfPreviousYear(glo().EINDT != NoDate ? glo().EINDT : today()));
    code_ = new QLineEdit(confirmation);
    code_->setObjectName("codeEntry");
    code_->setMaxLength(20);
    code_->setEchoMode(QLineEdit::Password);

    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel(QStringLiteral("Pašalinti įrašus iki datos:"), confirmation), 0, 0);
    fields->addWidget(date_, 0, 1);
    fields->addWidget(new QLabel(QStringLiteral("(imtinai)"), confirmation), 0, 2);
    fields->addWidget(new QLabel(QStringLiteral("Apsaugos kodas:"), confirmation), 1, 0);
    fields->addWidget(code_, 1, 1);

    auto* removeButton = new QPushButton(QStringLiteral("Pašalinti"), confirmation);
    removeButton->setObjectName("removeButton");
    auto* keepButton = new QPushButton(QStringLiteral("Nepašalinti"), confirmation);
    keepButton->setObjectName("keepButton");
    keepButton->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(removeButton);
    buttons->addWidget(keepButton);
    buttons->addStretch();

    auto* layout = new QVBoxLayout(confirmation);
    layout->addWidget(heading);
    layout->addWidget(warning);
    layout->addLayout(fields);
    layout->addLayout(buttons);

    pages_ = new QStackedLayout(this);
    pages_->addWidget(confirmation);
    connect(removeButton, &QPushButton::clicked, this, &RemovalWindow::remove);
    connect(keepButton, &QPushButton::clicked, this, &RemovalWindow::close);
}

RemovalWindow::~RemovalWindow() {
    delete progress_.data();
}

void RemovalWindow::remove() {
    if (!date_->isValid()) {
        showMessage(date_->errorText(), {}, MessageIcon::Exclamation);
        date_->edit()->setFocus();
        return;
    }
    if (!removalCodeAccepted(code_->text().toStdString())) {
        QApplication::beep();
        showMessage("Neteisingas apsaugos kodas.", {}, MessageIcon::Exclamation);
        code_->setFocus();
        return;
    }
    code_->clear();
    auto removal = std::make_unique<OldRegistrationRemoval>(*context_, date_->date(), today());
    // The shared period as the removal leaves it: from no date to its limit.
    glo().PrDt = NoDate;
    glo().GalDt = removal->limit();
    progress_ = new ProcessWindow(QString::fromUtf8(BatchRun::Title.data(), BatchRun::Title.size()), nullptr,
                                  std::move(removal), this);
    progress_->setOnEnd([](const BatchRun& run) {
        const auto& done = static_cast<const OldRegistrationRemoval&>(run.process());
        std::string text = removalDoneText(done.removed());
        if (done.skipped() > 0) {
            text +=
                "\nPraleista (kitoje darbo vietoje pakeisti ar pašalinti): " + std::to_string(done.skipped());
        }
        showMessage(text);
    });
    connect(progress_, &ProcessWindow::finished, this, &QObject::deleteLater);
    pages_->addWidget(progress_);
    pages_->setCurrentWidget(progress_);
    setWindowTitle(progress_->windowTitle());
}

void RemovalWindow::close() {
    code_->clear();
    deleteLater();
}

} // namespace nakva
