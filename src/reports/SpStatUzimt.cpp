#include "reports/SpStatUzimt.h"

#include "data/Collation.h"
#include "data/Fields.h"
#include "data/Record.h"
#include "reports/ListHeading.h"
#include "reports/OccupancyFigures.h"
#include "ui/Picture.h"

#include <memory>

namespace nakva {

namespace {

// Kambario tipas | Kambarių | Dienų | Kambariai x Dienos | Išnaudota | Užimtumo %
const ReportColumn Type{"Kambario tipas", list::Left, mm(76)};
const ReportColumn Rooms{"Kambarių", mm(78), mm(98), Align::Right};
const ReportColumn Days{"Dienų", mm(100), mm(116), Align::Right};
const ReportColumn Planned{"Kambariai x Dienos", mm(118), mm(152), Align::Right};
const ReportColumn Used{"Išnaudota", mm(154), mm(176), Align::Right};
const ReportColumn Percent{"Užimtumo %", mm(178), list::Right, Align::Right};

// The sum the run keeps: room-days used, by type and in all.
constexpr int UsedSum = 0;

// What the rows of a type leave for its line: the type as stored and its rooms.
struct TypeState {
    std::string type;
    std::int64_t rooms = 0;
};

// One line of figures: a type's, or all rooms' under "Iš viso:".
void drawFigures(PageCanvas& canvas, int baseline, std::string_view label, std::int64_t rooms,
                 std::int64_t days, std::int64_t used) {
    static const Picture count = Picture::number(8);
    static const Picture percent = Picture::number(8, 2);
    const std::int64_t planned = rooms * days;
    canvas.setFont(list::detailFont());
    cellText(canvas, Type, baseline, label);
    cellText(canvas, Rooms, baseline, count.format(std::int64_t(rooms)));
    cellText(canvas, Days, baseline, count.format(std::int64_t(days)));
    cellText(canvas, Planned, baseline, count.format(std::int64_t(planned)));
    cellText(canvas, Used, baseline, count.format(std::int64_t(used)));
    cellText(canvas, Percent, baseline, percent.format(occupancyPercent(used, planned)));
}

std::int64_t periodDays(const Globals& globals) {
    return std::int64_t(globals.GalDt) - globals.PrDt + 1;
}

std::int64_t wholeNumber(const Decimal& value) {
    return value.toScaled(0).value_or(0);
}

ReportLayout layout(ReportScope& scope) {
    const Record& registration = scope.record(SAS::table);
    const Record& room = scope.record(KMB::table);
    const auto state = std::make_shared<TypeState>();
    ReportLayout layout;
    layout.page.pageHeader = listPageHeader(
        scope,
        {"KAMBARIŲ UŽIMTUMO SUVESTINĖ (pagal tipus)", true, {Type, Rooms, Days, Planned, Used, Percent}});

    // A room type's rows run together in the view's order; a type is one group whatever its letter case.
    GroupBreak byType;
    byType.key = [&room] {
        return upper(room.get(KMB::KambarioTipas));
    };
    byType.footer = {list::RowHeight, {}, [&scope, state](PageCanvas& canvas, const BandContext& context) {
                         drawFigures(canvas, list::Baseline, state->type, state->rooms,
                                     periodDays(scope.globals()),
                                     wholeNumber(scope.totals().group(context.level, UsedSum)));
                     }};
    layout.groups.push_back(std::move(byType));

    layout.accumulate = [&scope, &registration, &room, state](ReportTotals& totals) {
        if (totals.groupCount(0) == 0) { // the type's first row
            state->type = room.get(KMB::KambarioTipas);
            state->rooms = roomsOfType(scope.context(), state->type).rooms;
        }
        const Globals& globals = scope.globals();
        totals.add(UsedSum, nightsInPeriod(globals.PrDt, globals.GalDt, registration.get(SAS::GyvenaNuo),
                                           registration.get(SAS::GyvenaIki)));
    };

    // All rooms, whatever their type or use, against all the room-days used.
    layout.onEnd = [&scope](PageComposer& composer) {
        const std::int64_t rooms = allRooms(scope.context()).rooms;
        const std::int64_t days = periodDays(scope.globals());
        const std::int64_t used = wholeNumber(scope.totals().report(UsedSum));
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
        .order = "+KMB:KambarioTipas,+SAS:IrasoNr",
        .layout = layout,
    };
    return definition;
}

} // namespace nakva
