#include "reports/ReportScope.h"

#include "data/Context.h"
#include "data/Table.h"

namespace nakva {

Record& ReportScope::record(TableId table) const {
    return context_.table(table).record();
}

const Record& ReportScope::institution() const {
    return context_.database().istgPar();
}

} // namespace nakva
