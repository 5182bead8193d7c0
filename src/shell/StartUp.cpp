#include "shell/StartUp.h"

#include "data/Context.h"
#include "data/Table.h"
#include "shell/Globals.h"
#include "messages/StandardWarnings.h"

namespace nakva {

void prepareProgramRun(Context& context) {
    glo().EINDT = today();

    Table& settings = context.table(IST::table);
    settings.open();
    settings.clear();
    StoreStatus status = settings.setToKeyStart(IST::RA);
    if (status == StoreStatus::Ok) {
        status = settings.next();
    }
    if (status == StoreStatus::EndOfData) {
        settings.clear();
        if (settings.add() != StoreStatus::Ok) {
            standardWarning(14);
        }
    } else if (status != StoreStatus::Ok) {
        standardWarning(26, "IstgPar");
    }
}

std::string institutionName(Context& context) {
    return context.table(IST::table).record().get(IST::ISTAIGA);
}

} // namespace nakva
