#include "reference/widgets/ListReports.h"

#include "messages/StandardWarnings.h"
#include "reports/ReportCatalog.h"
#include "reports/widgets/ReportWindow.h"
#include "shell/widgets/MainWindow.h"
#include "ui/widgets/ListWindow.h"

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

void printFromList(ListWindow& list, std::string_view report) {
    const ReportSpec* definition = findReport(report);
    if (definition == nullptr || !definition->subject) {
        startListReport(list, report);
        return;
    }
    ListEngine& engine = list.engine();
    if (engine.currentRow() != 0) {
        runReport(*definition, engine.context(), &list);
    }
}

} // namespace nakva
