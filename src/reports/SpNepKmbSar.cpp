#include "reports/SpNepKmbSar.h"

#include "data/Fields.h"
#include "data/Record.h"
#include "reports/ListHeading.h"
#include "reports/RoomReportBands.h"
#include "roomservice/RoomServiceStatistics.h"

#include <memory>

namespace nakva {

namespace {

const ReportColumn Departure{"Paskutinio\nišvykimo data", mm(80), mm(115)};
const ReportColumn Cleaning{"Paskutinio\nvalymo data", mm(120), mm(155)};

ReportLayout layout(ReportScope& scope) {
    const Record& room = scope.record(KMB::table);
    auto found = std::make_shared<UnpreparedRoom>();
    ReportLayout layout;
    layout.page.pageHeader =
        listPageHeader(scope, {"NEPARUOŠTŲ KAMBARIŲ SĄRAŠAS", true, {rooms::Room, Departure, Cleaning}});

    // Only the unprepared rooms print; a room whose reads failed has said so and is left out.
    layout.onRecord = [&scope, &room, found] {
        *found = unpreparedRoom(scope.context(), room.get(KMB::KambarioID));
        return found->listed && !found->failed;
    };
    GroupBreak type = rooms::byType(room);
    type.footer = {list::RowHeight + pt(6), {}, [&scope](PageCanvas& canvas, const BandContext& context) {
                       rooms::drawTotalLabel(canvas, scope.totals().groupCount(context.level));
                   }};
    layout.groups.push_back(type);
    layout.detail = {list::RowHeight, {}, [&room, found](PageCanvas& canvas, const BandContext&) {
                         canvas.setFont(list::detailFont());
                         rooms::drawRoom(canvas, room);
                         cellText(canvas, Departure, list::Baseline, formatDate(found->lastDeparture));
                         cellText(canvas, Cleaning, list::Baseline, formatDate(found->lastCleaning));
                     }};
    layout.reportFooter = rooms::closingBand(
        [&scope](PageCanvas& canvas) { rooms::drawTotalLabel(canvas, scope.totals().reportCount()); });
    return layout;
}

} // namespace

const ReportSpec& SpNepKmbSar() {
    static const ReportSpec definition{
        .name = "SpNepKmbSar",
        .title = "Neparuoštų kambarių sąrašas",
        .style = RunStyle::Process,
        .dialog = ParameterDialog::None,
        .table = KMB::table,
        .joins = {},
        .related = {},
        .filter = "~KMB:KambarysNenaudojamas",
        .order = rooms::Order,
        .layout = layout,
    };
    return definition;
}

} // namespace nakva
