#include "reports/ResidentGroups.h"

#include "data/Collation.h"
#include "data/Record.h"

namespace nakva {

GroupBreak residentGroupBreak(const Record& registration, const ResidentGrouping& grouping) {
    GroupBreak group;
    group.key = [&registration, field = grouping.field] {
        return upper(registration.get(field));
    };
    return group;
}

} // namespace nakva
