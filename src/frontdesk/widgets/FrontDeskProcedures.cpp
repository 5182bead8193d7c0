#include "frontdesk/widgets/FrontDeskProcedures.h"

#include "data/Context.h"
#include "data/Table.h"
#include "frontdesk/NewStay.h"
#include "frontdesk/widgets/RoomGridWindow.h"
#include "frontdesk/widgets/TodayWindow.h"
#include "registration/Registration.h"
#include "registration/widgets/InvoiceLineWindows.h"
#include "shell/widgets/ProcedureRegistry.h"
#include "ui/widgets/FormWindow.h"

#include <memory>

namespace nakva {

namespace {

// The registration form as the registration lists open it, with its main service lines' button: the
// one place the front desk's windows call a form.
FormResult callRegistrationForm(const FormConfig& config, Context& context, Request request,
                                QWidget* caller) {
    return FormWindow::call(config, context, request, caller, addMainServiceLinesButton);
}

} // namespace

void registerFrontDeskProcedures(ProcedureRegistry& procedures, Database& database) {
    procedures.add(RoomGridProcedure, [&database]() -> QWidget* {
        return new RoomGridWindow(
            std::make_unique<Context>(database),
            [](Context& context, QWidget* caller) {
                return callRegistrationForm(RedSaskait(), context, Request::Change, caller);
            },
            [](Context& context, Date arrival, std::int32_t roomId, QWidget* caller) {
                context.table(TableId::Saskait).clear();
                return callRegistrationForm(newStayForm(arrival, roomId), context, Request::Insert, caller);
            });
    });
    procedures.add(TodayProcedure, [&database]() -> QWidget* {
        return new TodayWindow(database, [](Context& context, Request request, QWidget* caller) {
            return callRegistrationForm(RedSaskait(), context, request, caller);
        });
    });
}

} // namespace nakva
