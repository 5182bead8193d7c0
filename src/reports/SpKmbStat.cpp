#include "reports/SpKmbStat.h"

#include "data/Fields.h"
#include "data/Record.h"
#include "reports/ListHeading.h"
#include "reports/RoomReportBands.h"
#include "roomservice/RoomServiceStatistics.h"
#include "ui/Picture.h"

#include <array>
#include <memory>

namespace nakva {

namespace {

// The figures of a line, in column order; each is also the number of its sum in the totals.
enum Figure { Cleanings, Residents, BedDays, Bedding, Towels, Income, Records, Figures };

const std::array<ReportColumn, Figures> Columns{{
    {"Valymų", mm(66), mm(82), Align::Right},
    {"Gyventojų", mm(82), mm(100), Align::Right},
    {"Lovadienių", mm(100), mm(119), Align::Right},
    {"Patalynės", mm(119), mm(137), Align::Right},
    {"Rankšluosčių", mm(137), mm(158), Align::Right},
    {"Pajamų", mm(158), mm(184), Align::Right},
    {"Irašų", mm(184), list::Right, Align::Right},
}};

// The line as printed: the log quantities as whole numbers and the income to the cent, so that the
// totals, which add these, are the sums of what the lines show.
std::array<Decimal, Figures> printed(const RoomServiceLine& line) {
    return {line.cleanings.rounded(0), Decimal(line.residents), Decimal(line.bedDays),
            line.bedding.rounded(0),   line.towels.rounded(0),  line.income.rounded(2),
            Decimal(line.records)};
}

void drawFigures(PageCanvas& canvas, const std::array<Decimal, Figures>& figures) {
    for (int figure = 0; figure < Figures; ++figure) {
        const int places = figure == Income ? 2 : 0;
        cellText(canvas, Columns[std::size_t(figure)], list::Baseline,
                 figures[std::size_t(figure)].toString(places));
    }
}

std::vector<ReportColumn> heading() {
    std::vector<ReportColumn> columns{rooms::Room};
    columns.insert(columns.end(), Columns.begin(), Columns.end());
    return columns;
}

ReportLayout layout(ReportScope& scope) {
    const Record& room = scope.record(KMB::table);
    auto line = std::make_shared<std::array<Decimal, Figures>>();
    ReportLayout layout;
    layout.page.pageHeader =
        listPageHeader(scope, {"KAMBARIŲ APTARNAVIMO IR PAJAMŲ STATISTIKA", true, heading()});

    layout.onRecord = [&scope, &room, line] {
        const RoomServiceLine computed = roomServiceLine(scope.context(), room.get(KMB::KambarioID),
                                                         scope.globals().PrDt, scope.globals().GalDt);
        *line = printed(computed);
        return true;
    };
    layout.accumulate = [line](ReportTotals& totals) {
        for (int figure = 0; figure < Figures; ++figure) {
            totals.add(figure, (*line)[std::size_t(figure)]);
        }
    };
    GroupBreak type = rooms::byType(room);
    type.footer = {list::RowHeight + pt(6), {}, [&scope](PageCanvas& canvas, const BandContext& context) {
                       const ReportTotals& totals = scope.totals();
                       rooms::drawTotalLabel(canvas, totals.groupCount(context.level));
                       std::array<Decimal, Figures> sums;
                       for (int figure = 0; figure < Figures; ++figure) {
                           sums[std::size_t(figure)] = totals.group(context.level, figure);
                       }
                       drawFigures(canvas, sums);
                   }};
    layout.groups.push_back(type);
    layout.detail = {list::RowHeight, {}, [&room, line](PageCanvas& canvas, const BandContext&) {
                         canvas.setFont(list::detailFont());
                         rooms::drawRoom(canvas, room);
                         drawFigures(canvas, *line);
                     }};
    layout.reportFooter = rooms::closingBand([&scope](PageCanvas& canvas) {
        const ReportTotals& totals = scope.totals();
        rooms::drawTotalLabel(canvas, totals.reportCount());
        std::array<Decimal, Figures> sums;
        for (int figure = 0; figure < Figures; ++figure) {
            sums[std::size_t(figure)] = totals.report(figure);
        }
        drawFigures(canvas, sums);
    });
    return layout;
}

} // namespace

const ReportSpec& SpKmbStat() {
    static const ReportSpec definition{
        .name = "SpKmbStat",
        .title = "Kambarių užimtumo ir pajamų statistika faktinė",
        .style = RunStyle::Process,
        .dialog = ParameterDialog::Period,
        .table = KMB::table,
        .joins = {},
        .related = {},
        .filter = "",
        .order = rooms::Order,
        .layout = layout,
    };
    return definition;
}

} // namespace nakva
