#pragma once

#include "reports/Band.h"
#include "reports/ListHeading.h"

#include <string>

namespace nakva {

class Record;
class ReportScope;

// What the two room service reports share: the rooms in the order of KMB:TIPASNRKEY, grouped by the
// upper-cased type (a type stored in another letter case joins its group), each room shown by its
// floor, number, building and planned residents under "Kambarys", and "Iš viso:" closing every group
// and the report.
namespace rooms {

inline constexpr std::string_view Order =
    "+UPPER(KMB:KambarioTipas),+UPPER(KMB:KambarioKorpusas),+KMB:KambarioAukstas,+UPPER(KMB:KambarioNr),"
    "+KMB:KambarioID";

// The heading over the room's four values, and the four.
extern const ReportColumn Room;
extern const ReportColumn Floor;
extern const ReportColumn Number;
extern const ReportColumn Building;
extern const ReportColumn Residents;

GroupBreak byType(const Record& room);
// The room's four values on a detail line.
void drawRoom(PageCanvas& canvas, const Record& room);
// "Iš viso:" with a count at the left of a total line.
void drawTotalLabel(PageCanvas& canvas, std::int64_t rooms);
// The report's closing band: its own total line (drawn by `total`), then "Sudarė:".
Band closingBand(std::function<void(PageCanvas&)> total);

} // namespace rooms

} // namespace nakva
