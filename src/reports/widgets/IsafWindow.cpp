#include "reports/widgets/IsafWindow.h"

#include "data/Context.h"
#include "messages/Message.h"
#include "reports/IsafExport.h"
#include "reports/ParameterDialogs.h"
#include "reports/widgets/ParameterDialogWindow.h"
#include "shell/Globals.h"
#include "ui/widgets/FileDialogs.h"

#include <QApplication>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTimer>

#include <ctime>

namespace nakva {

namespace {

// The problems a message window lists before it says how many more there are.
constexpr std::size_t ListedProblems = 30;

} // namespace

IsafWindow::IsafWindow(std::unique_ptr<Context> context, QWidget* parent)
    : QWidget(parent), context_(std::move(context)) {
    setObjectName("isafWindow");
    setWindowTitle(QString::fromUtf8(isaf::Title.data(), qsizetype(isaf::Title.size())));
    // Once the main window has shown it (or at once when started alone).
    QTimer::singleShot(0, this, &IsafWindow::begin);
}

IsafWindow::~IsafWindow() = default;

QWidget* IsafWindow::frame() {
    if (auto* child = qobject_cast<QMdiSubWindow*>(parentWidget())) {
        return child;
    }
    return this;
}

void IsafWindow::begin() {
    frame()->hide();
    isaf::proposeLastMonth(glo());
    QWidget* dialogParent = parentWidget() != nullptr ? window() : nullptr;
    askReportParameters(ParameterDialog::Period, *context_, dialogParent,
                        [alive = QPointer<IsafWindow>(this)](Response response) {
                            if (!alive) {
                                return;
                            }
                            if (response == Response::Completed) {
                                alive->run();
                            }
                            alive->over();
                        });
}

void IsafWindow::run() {
    const Date from = glo().PrDt;
    const Date to = glo().GalDt;
    QWidget* dialogParent = parentWidget() != nullptr ? window() : nullptr;
    const QString file = fileDialogs().saveFileName(
        {.title = QStringLiteral("i.SAF failas"),
         .defaultName = QString::fromStdString(isaf::defaultFileName(*context_, from)),
         .filter = QStringLiteral("i.SAF XML failai (*.xml)"),
         .defaultSuffix = QStringLiteral("xml")},
        dialogParent);
    if (file.isEmpty()) {
        return;
    }
    const std::filesystem::path path = file.toStdString();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const isaf::Outcome outcome = isaf::exportRegister(*context_, from, to, path, std::time(nullptr));
    QApplication::restoreOverrideCursor();
    const std::string text = isaf::outcomeText(outcome, from, to, path, ListedProblems);
    if (!text.empty()) {
        const bool written = outcome.kind == isaf::Outcome::Kind::Written;
        showMessage(text, std::string(isaf::Title),
                    written ? MessageIcon::Information : MessageIcon::Exclamation);
    }
}

void IsafWindow::over() {
    deleteLater();
}

} // namespace nakva
