#pragma once

#include "data/Fields.h"
#include "reports/Band.h"

#include <string_view>

namespace nakva {

class Record;

// The statistics of registrations by the residents' country or by resident group (the guest and the
// income statistics): the field that groups them, its column head and the order that keeps each
// country or group together.
struct ResidentGrouping {
    StringField<TableId::Saskait> field;
    std::string_view head;  // "Valstybė" or "Grupė"
    std::string_view order; // "+SAS:GyventojoValstybe,+SAS:IrasoNr"
};

inline constexpr ResidentGrouping ResidentsByCountry{SAS::GYVENTOJOVALSTYBE, "Valstybė",
                                                     "+SAS:GyventojoValstybe,+SAS:IrasoNr"};
inline constexpr ResidentGrouping ResidentsByGroup{SAS::GyventojoGrupe, "Grupė",
                                                   "+SAS:GyventojoGrupe,+SAS:IrasoNr"};

// One such report: its grouping, its page heading, and whether it prints a line per registration
// under each country or group rather than a line per country or group.
struct ResidentStatistics {
    ResidentGrouping grouping;
    std::string_view title;
    bool detailed = false;
};

// The break between countries (groups) of the registration in `registration`'s buffer: a country is
// one whatever its letter case, as the view's order keeps it together; the registrations without one
// form a group of their own with an empty name, placed first.
GroupBreak residentGroupBreak(const Record& registration, const ResidentGrouping& grouping);

} // namespace nakva
