#include "reports/SpKmbUzimtZin.h"

#include "data/Collation.h"
#include "data/Fields.h"
#include "data/Record.h"
#include "reports/ListHeading.h"
#include "roomservice/RoomOccupancy.h"
#include "ui/Picture.h"

#include <memory>

namespace nakva {

namespace {

// Kambarys (building, floor, number) | Vietų | Užimta | Laisva
const ReportColumn Building{"Kambarys", list::Left, mm(33)};
const ReportColumn Floor{"", mm(33), mm(43), Align::Right};
const ReportColumn Number{"", mm(47), mm(80)};
const ReportColumn Places{"Vietų", mm(100), mm(125), Align::Right};
const ReportColumn Taken{"Užimta", mm(135), mm(160), Align::Right};
const ReportColumn Free{"Laisva", mm(170), mm(195), Align::Right};

// The sums of places, places taken and places free, by type and in all.
enum Sum { PlacesSum, TakenSum, FreeSum };

// The room the run has just read: its places taken on the date.
struct RoomState {
    std::int64_t taken = 0;
};

void drawCounts(PageCanvas& canvas, int baseline, const Decimal& places, const Decimal& taken,
                const Decimal& free) {
    static const Picture count = Picture::number(8);
    cellText(canvas, Places, baseline, count.format(places));
    cellText(canvas, Taken, baseline, count.format(taken));
    cellText(canvas, Free, baseline, count.format(free));
}

// "Iš viso:" with the sums of a type (level 0) or of the report (level -1).
Band totalBand(const ReportScope& scope, bool whole) {
    return {list::RowHeight + pt(4), {}, [&scope, whole](PageCanvas& canvas, const BandContext& context) {
                const ReportTotals& totals = scope.totals();
                const auto sum = [&](Sum which) {
                    return whole ? totals.report(which) : totals.group(context.level, which);
                };
                canvas.line({Places.left, pt(1)}, {list::Right, pt(1)});
                canvas.setFont(list::detailFont());
                canvas.text({Number.left, pt(4) + list::Baseline}, "Iš viso:");
                drawCounts(canvas, pt(4) + list::Baseline, sum(PlacesSum), sum(TakenSum), sum(FreeSum));
            }};
}

ReportLayout layout(ReportScope& scope) {
    const Record& room = scope.record(KMB::table);
    const auto state = std::make_shared<RoomState>();
    ReportLayout layout;
    layout.page.pageHeader = listPageHeader(
        scope,
        {"KAMBARIŲ UŽIMTUMO ŽINIARAŠTIS", false, {Building, Floor, Number, Places, Taken, Free}, true});

    // The places taken on the date are the residents of the stays that have that night (arrival on or
    // before it, departure after it): over a period of that one day each such stay has one night, so
    // the room's bed-days in it are exactly those residents. A stay that left that morning or arrives
    // and leaves within the day takes no place.
    layout.onRecord = [&scope, &room, state] {
        const Date day = scope.globals().GalDt;
        state->taken = KmbGyvStat(scope.context(), room.get(KMB::KambarioID), day, day).bedDays;
        return true;
    };

    GroupBreak byType;
    byType.key = [&room] {
        return upper(room.get(KMB::KambarioTipas));
    };
    byType.header = {list::RowHeight + pt(4), {}, [&room](PageCanvas& canvas, const BandContext&) {
                         canvas.setFont(list::headFont());
                         canvas.text({list::Left, pt(4) + list::Baseline}, room.get(KMB::KambarioTipas));
                     }};
    byType.footer = totalBand(scope, false);
    layout.groups.push_back(std::move(byType));

    layout.accumulate = [&room, state](ReportTotals& totals) {
        const std::int64_t places = room.get(KMB::KAMBARIOGYVENTOJUSKC);
        totals.add(PlacesSum, places);
        totals.add(TakenSum, state->taken);
        totals.add(FreeSum, places - state->taken);
    };
    layout.detail = {list::RowHeight, {}, [&room, state](PageCanvas& canvas, const BandContext&) {
                         static const Picture floor = Picture::number(4, 0, true);
                         const std::int64_t places = room.get(KMB::KAMBARIOGYVENTOJUSKC);
                         canvas.setFont(list::detailFont());
                         cellText(canvas, Building, list::Baseline, room.get(KMB::KambarioKorpusas));
                         cellText(canvas, Floor, list::Baseline,
                                  floor.format(std::int64_t(room.get(KMB::KambarioAukstas))));
                         cellText(canvas, Number, list::Baseline, room.get(KMB::KambarioNr));
                         // Free places below zero when the room holds more than it takes.
                         drawCounts(canvas, list::Baseline, places, state->taken, places - state->taken);
                     }};

    layout.onEnd = [&scope](PageComposer& composer) {
        return composer.print(totalBand(scope, true));
    };
    layout.reportFooter = compiledByBand();
    return layout;
}

} // namespace

const ReportSpec& SpKmbUzimtZin() {
    static const ReportSpec definition{
        .name = "SpKmbUzimtZin",
        .title = "Kambarių uzimtumo žiniaraštis",
        .style = RunStyle::Report,
        .dialog = ParameterDialog::EndDate,
        .table = KMB::table,
        .joins = {},
        // Kept open for the run, so that counting each room's stays finds their files open.
        .related = {SKMB::table, SAS::table},
        .filter = "~KMB:KambarysNenaudojamas",
        // The order of the key KMB:TIPASNRKEY: type, building, floor, number.
        .order =
            "+KMB:KambarioTipas,+KMB:KambarioKorpusas,+KMB:KambarioAukstas,+KMB:KambarioNr,+KMB:KambarioID",
        .layout = layout,
    };
    return definition;
}

} // namespace nakva
