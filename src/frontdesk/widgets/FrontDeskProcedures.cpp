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
void callRegistrationForm(std::shared_ptr<const FormConfig> config, Context& context, Request request,
                          QWidget* caller, FormDone done) {
    FormWindow::call(std::move(config), context, request, caller, std::move(done), addMainServiceLinesButton);
}

} // namespace

void registerFrontDeskProcedures(ProcedureRegistry& procedures, Database& database) {
    procedures.add(RoomGridProcedure, [&database]() -> QWidget* {
        return new RoomGridWindow(
            std::make_unique<Context>(database),
            [](Context& context, QWidget* caller, FormDone done) {
                callRegistrationForm(RedSaskait(), context, Request::Change, caller, std::move(done));
            },
            [](Context& context, Date arrival, std::int32_t roomId, QWidget* caller, FormDone done) {
                context.table(TableId::Saskait).clear();
                callRegistrationForm(std::make_shared<const FormConfig>(newStayForm(arrival, roomId)),
                                     context, Request::Insert, caller, std::move(done));
            });
    });
    procedures.add(TodayProcedure, [&database]() -> QWidget* {
        return new TodayWindow(
            database, [](Context& context, Request request, QWidget* caller, FormDone done) {
                callRegistrationForm(RedSaskait(), context, request, caller, std::move(done));
            });
    });
}

} // namespace nakva
