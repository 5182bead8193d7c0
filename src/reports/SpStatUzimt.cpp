#include "reports/SpStatUzimt.h"

#include "data/Collation.h"
#include "data/Fields.h"
#include "data/Record.h"
#include "reports/ListHeading.h"
#include "reports/OccupancyFigures.h"
#include "ui/Picture.h"

#include <algorithm>
#include <map>
#include <memory>
#include <vector>

namespace nakva {

namespace {

// Kambario tipas | Kambarių | Dienų | Kambariai x Dienos | Išnaudota | Užimtumo %
const ReportColumn Type{"Kambario tipas", list::Left, mm(76)};
const ReportColumn Rooms{"Kambarių", mm(78), mm(98), Align::Right};
const ReportColumn Days{"Dienų", mm(100), mm(116), Align::Right};
const ReportColumn Planned{"Kambariai x Dienos", mm(118), mm(152), Align::Right};
const ReportColumn Used{"Išnaudota", mm(154), mm(176), Align::Right};
const ReportColumn Percent{"Užimtumo %", mm(178), list::Right, Align::Right};

// The room-days a type's rows used, and the type as its first row holds it.
struct TypeUse {
    std::string type;
    std::int64_t used = 0;
};

// The types met so far, by their upper-cased name (a type is one whatever its letter case).
using TypeUses = std::map<std::string, TypeUse>;

// One line of figures: a type's, or all rooms' under "Iš viso:".
void drawFigures(PageCanvas& canvas, int baseline, std::string_view label, std::int64_t rooms,
                 std::int64_t days, std::int64_t used) {
    static const Picture count = Picture::number(8);
    static const Picture percent = Picture::number(8, 2);
    const std::int64_t planned = rooms * days;
    canvas.setFont(list::detailFont());
    cellText(canvas, Type, baseline, label);
    cellText(canvas, Rooms, baseline, count.format(rooms));
    cellText(canvas, Days, baseline, count.format(days));
    cellText(canvas, Planned, baseline, count.format(planned));
    cellText(canvas, Used, baseline, count.format(used));
    cellText(canvas, Percent, baseline, percent.format(occupancyPercent(used, planned)));
}

std::int64_t periodDays(const Globals& globals) {
    return std::int64_t(globals.GalDt) - globals.PrDt + 1;
}

// The rows are read along the occupied rooms' own key, which serves each step's fresh start, and
// gathered by type: the view could order them by type only by sorting every row again at each step.
// The type lines then print in the type order, each type's rooms counted once.
ReportLayout layout(ReportScope& scope) {
    const Record& registration = scope.record(SAS::table);
    const Record& room = scope.record(KMB::table);
    const auto types = std::make_shared<TypeUses>();
    ReportLayout layout;
    layout.page.pageHeader = listPageHeader(
        scope,
        {"KAMBARIŲ UŽIMTUMO SUVESTINĖ (pagal tipus)", true, {Type, Rooms, Days, Planned, Used, Percent}});

    layout.accumulate = [&scope, &registration, &room, types](ReportTotals&) {
        const std::string& type = room.get(KMB::KambarioTipas);
        TypeUse& use = types->try_emplace(upper(type), TypeUse{type}).first->second;
        const Globals& globals = scope.globals();
        use.used += nightsInPeriod(globals.PrDt, globals.GalDt, registration.get(SAS::GyvenaNuo),
                                   registration.get(SAS::GyvenaIki));
    };

    layout.onEnd = [&scope, types](PageComposer& composer) {
        std::vector<const TypeUse*> lines;
        for (const auto& [key, use] : *types) {
            lines.push_back(&use);
        }
        std::sort(lines.begin(), lines.end(),
                  [](const TypeUse* a, const TypeUse* b) { return compareNoCase(a->type, b->type) < 0; });
        const std::int64_t days = periodDays(scope.globals());
        std::int64_t used = 0;
        for (const TypeUse* line : lines) {
            const std::int64_t rooms = roomsOfType(scope.context(), line->type).rooms;
            used += line->used;
            if (!composer.print({list::RowHeight, {}, [=](PageCanvas& canvas, const BandContext&) {
                                     drawFigures(canvas, list::Baseline, line->type, rooms, days, line->used);
                                 }})) {
                return false;
            }
        }
        // All rooms, whatever their type or use, against all the room-days used.
        const std::int64_t rooms = allRooms(scope.context()).rooms;
        return composer.print({list::RowHeight + pt(4), {}, [=](PageCanvas& canvas, const BandContext&) {
                                   canvas.line({list::Left, pt(1)}, {list::Right, pt(1)});
                                   drawFigures(canvas, pt(4) + list::Baseline, "Iš viso:", rooms, days, used);
                               }});
    };
    layout.reportFooter = compiledByBand();
    return layout;
}

} // namespace

const ReportSpec& SpStatUzimt() {
    static const ReportSpec definition{
        .name = "SpStatUzimt",
        .title = "Statistinė kambarių užimtumo suvestinė",
        .style = RunStyle::Report,
        .dialog = ParameterDialog::Period,
        .table = SKMB::table,
        .joins = {SAS::table, KMB::table},
        .related = {},
        // The rooms of the stays with a night in the period; a period that ends before it starts has none.
        .filter = "GLO:PrDt <= GLO:GalDt AND SAS:GyvenaIki > GLO:PrDt AND SAS:GyvenaNuo <= GLO:GalDt",
        .order =
            "+SKMB:KambarioID,+SKMB:IrasoNr", // the key SKMB:KMBIDINRKEY; the type order is kept at the end
        .layout = layout,
    };
    return definition;
}

} // namespace nakva
