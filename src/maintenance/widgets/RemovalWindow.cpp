#include "maintenance/widgets/RemovalWindow.h"

#include "data/Context.h"
#include "maintenance/OldRegistrations.h"
#include "messages/Message.h"
#include "shell/Globals.h"
#include "ui/widgets/DateEntry.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace nakva {

RemovalWindow::RemovalWindow(std::unique_ptr<Context> context, QWidget* parent)
    : AccessCodeWindow({QStringLiteral("PAŠALINTI SENUS REGISTRACIJOS ĮRAŠUS"),
                        QStringLiteral("Registracijos įrašai iki nurodytos datos bus negrįžtamai "
                                       "pašalinti iš registro. Ar tikrai pašalinti?"),
                        QStringLiteral("Pašalinti"), QStringLiteral("Nepašalinti"),
                        QString::fromUtf8(BatchRun::Title.data(), qsizetype(BatchRun::Title.size()))},
                       std::move(context), parent) {
    setObjectName("removalWindow");
    goButton()->setObjectName("removeButton");
    auto* limit = new QWidget(this);
    date_ = new DateEntry(limit);
    date_->setObjectName("limitDate");
    date_->setTip(QStringLiteral("Įveskite sąskaitos išrašymo datą"));
    date_->calendarButton()->setToolTip(QStringLiteral("Pasirinkti datą iš kalendoriaus Ctrl-Down"));
    date_->setDate(endOfPreviousYear(glo().EINDT != NoDate ? glo().EINDT : today()));
    auto* row = new QHBoxLayout(limit);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(date_);
    row->addWidget(new QLabel(QStringLiteral("(imtinai)"), limit));
    row->addStretch();
    addField(QStringLiteral("Pašalinti įrašus iki datos:"), limit);
    setFocusProxy(date_->edit());

    setProcess(
        [this] {
            if (!date_->isValid()) {
                showMessage(date_->errorText(), {}, MessageIcon::Exclamation);
                date_->edit()->setFocus();
                return false;
            }
            return true;
        },
        [this](Context& on) {
            auto removal = std::make_unique<OldRegistrationRemoval>(on, date_->date(), today());
            // The shared period as the removal leaves it: from no date to its limit.
            glo().PrDt = NoDate;
            glo().GalDt = removal->limit();
            return removal;
        },
        [](const BatchRun& run) {
            const auto& done = static_cast<const OldRegistrationRemoval&>(run.process());
            std::string text = removalDoneText(done.removed());
            if (done.skipped() > 0) {
                text += "\nPraleista (kitoje darbo vietoje pakeisti ar pašalinti): " +
                        std::to_string(done.skipped());
            }
            showMessage(text);
        });
}

} // namespace nakva
