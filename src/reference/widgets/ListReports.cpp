#include "reference/widgets/ListReports.h"

#include "messages/StandardWarnings.h"
#include "shell/widgets/MainWindow.h"

namespace nakva {

namespace {

constexpr int WarningNotDefined = 6;

} // namespace

void startListReport(QWidget& list, std::string_view report) {
    if (auto* frame = qobject_cast<MainWindow*>(list.window())) {
        frame->startProcedure(report);
    } else {
        standardWarning(WarningNotDefined, report);
    }
}

} // namespace nakva
