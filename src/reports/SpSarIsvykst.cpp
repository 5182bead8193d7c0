#include "reports/SpSarIsvykst.h"

#include "data/Fields.h"
#include "data/Record.h"
#include "reports/ListHeading.h"
#include "ui/Picture.h"

namespace nakva {

namespace {

// IData | INr | Gyventojas | Kambarys (building, floor, number) | Nuo | Iki | Išv
const ReportColumn Registered{"IData", list::Left, mm(30)};
const ReportColumn Number{"INr", mm(31), mm(43), Align::Right};
const ReportColumn Resident{"Gyventojas", mm(46), mm(100)};
const ReportColumn Building{"Kambarys", mm(102), mm(116)};
const ReportColumn Floor{"", mm(116), mm(123), Align::Right};
const ReportColumn Room{"", mm(125), mm(145)};
const ReportColumn Arrival{"Nuo", mm(147), mm(162)};
const ReportColumn Departure{"Iki", mm(164), mm(179)};
const ReportColumn Departed{"Išv", mm(182), mm(192), Align::Right};

ReportLayout layout(ReportScope& scope) {
    const Record& stay = scope.record(SAS::table);
    const Record& room = scope.record(KMB::table);
    ReportLayout layout;
    layout.page.pageHeader = listPageHeader(
        scope, {"IŠVYKSTANČIŲ GYVENTOJŲ SĄRAŠAS",
                true,
                {Registered, Number, Resident, Building, Floor, Room, Arrival, Departure, Departed}});
    layout.detail = {
        list::RowHeight, {}, [&stay, &room](PageCanvas& canvas, const BandContext&) {
            static const Picture floor = Picture::number(4, 0, true);
            static const Picture flag = Picture::number(1, 0, true);
            canvas.setFont(list::detailFont());
            cellText(canvas, Registered, list::Baseline, formatDateNarrow(stay.get(SAS::IrasoDt)));
            cellText(canvas, Number, list::Baseline, std::to_string(stay.get(SAS::IrasoNr)));
            cellText(canvas, Resident, list::Baseline, stay.get(SAS::Gyventojas));
            cellText(canvas, Building, list::Baseline, room.get(KMB::KambarioKorpusas));
            cellText(canvas, Floor, list::Baseline,
                     floor.format(std::int64_t(room.get(KMB::KambarioAukstas))));
            cellText(canvas, Room, list::Baseline, room.get(KMB::KambarioNr));
            cellText(canvas, Arrival, list::Baseline, formatDateNarrow(stay.get(SAS::GyvenaNuo)));
            cellText(canvas, Departure, list::Baseline, formatDateNarrow(stay.get(SAS::GyvenaIki)));
            cellText(canvas, Departed, list::Baseline, flag.format(std::int64_t(stay.get(SAS::Isvykes))));
        }};
    // "Iš viso:" with the number of lines, then "Sudarė:".
    const Band count{list::RowHeight + pt(4), {}, [&scope](PageCanvas& canvas, const BandContext&) {
                         canvas.line({list::Left, pt(1)}, {list::Right, pt(1)});
                         canvas.setFont(list::detailFont());
                         canvas.text({list::Left, pt(4) + list::Baseline},
                                     "Iš viso: " + std::to_string(scope.totals().reportCount()));
                     }};
    layout.reportFooter = stacked(count, compiledByBand());
    return layout;
}

} // namespace

const ReportSpec& SpSarIsvykst() {
    static const ReportSpec definition{
        .name = "SpSarIsvykst",
        .title = "Išvykstančių gyventojų sąrašas",
        .style = RunStyle::Report,
        .dialog = ParameterDialog::Period,
        .table = SKMB::table,
        .joins = {SAS::table, KMB::table},
        .related = {},
        .filter = "SAS:GyvenaIki >= GLO:PrDt AND SAS:GyvenaIki <= GLO:GalDt",
        .order = "+KMB:KambarioKorpusas,+KMB:KambarioAukstas,+KMB:KambarioNr,+SAS:IrasoNr",
        .layout = layout,
    };
    return definition;
}

} // namespace nakva
