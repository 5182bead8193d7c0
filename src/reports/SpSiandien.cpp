#include "reports/SpSiandien.h"

#include "data/Fields.h"
#include "data/Record.h"
#include "reports/ListHeading.h"
#include "ui/Picture.h"

#include <memory>
#include <vector>

namespace nakva {

namespace {

// Gyventojas | Kiek | Kambariai | Nuo | Iki | Išv
const ReportColumn Resident{"Gyventojas", list::Left, mm(80)};
const ReportColumn Residents{"Kiek", mm(82), mm(92), Align::Right};
const ReportColumn Rooms{"Kambariai", mm(96), mm(145)};
const ReportColumn Arrival{"Nuo", mm(147), mm(162)};
const ReportColumn Departure{"Iki", mm(164), mm(179)};
const ReportColumn Departed{"Išv", mm(182), mm(192), Align::Right};

struct SheetLine {
    std::string resident;
    std::int32_t residents = 0;
    std::string rooms;
    Date arrival = NoDate;
    Date departure = NoDate;
    bool departed = false;
};

struct Sheet {
    std::vector<SheetLine> arrivals;
    std::vector<SheetLine> departures;
};

Band sectionHeading(std::string title) {
    return {list::RowHeight + pt(6), {}, [title](PageCanvas& canvas, const BandContext&) {
                canvas.setFont(list::headFont());
                canvas.text({list::Left, pt(6) + list::Baseline}, title);
            }};
}

Band lineBand(const SheetLine& line) {
    return {list::RowHeight, {}, [line](PageCanvas& canvas, const BandContext&) {
                static const Picture flag = Picture::number(1, 0, true);
                canvas.setFont(list::detailFont());
                cellText(canvas, Resident, list::Baseline, line.resident);
                cellText(canvas, Residents, list::Baseline, std::to_string(line.residents));
                cellText(canvas, Rooms, list::Baseline, line.rooms);
                cellText(canvas, Arrival, list::Baseline, formatDateNarrow(line.arrival));
                cellText(canvas, Departure, list::Baseline, formatDateNarrow(line.departure));
                cellText(canvas, Departed, list::Baseline, flag.format(std::int64_t(line.departed ? 1 : 0)));
            }};
}

Band countBand(std::size_t count) {
    return {list::RowHeight + pt(4), {}, [count](PageCanvas& canvas, const BandContext&) {
                canvas.line({list::Left, pt(1)}, {list::Right, pt(1)});
                canvas.setFont(list::detailFont());
                canvas.text({list::Left, pt(4) + list::Baseline}, "Iš viso: " + std::to_string(count));
            }};
}

bool printSection(PageComposer& composer, const std::string& title, const std::vector<SheetLine>& lines) {
    if (!composer.print(sectionHeading(title))) {
        return false;
    }
    for (const SheetLine& line : lines) {
        if (!composer.print(lineBand(line))) {
            return false;
        }
    }
    return composer.print(countBand(lines.size()));
}

// The registrations are read once, by surname; each goes to the arrivals, the departures or both, and
// the two sections print at the end.
ReportLayout layout(ReportScope& scope) {
    const Record& stay = scope.record(SAS::table);
    auto sheet = std::make_shared<Sheet>();
    ReportLayout layout;
    layout.page.pageHeader =
        listPageHeader(scope, {"ATVYKSTANTYS IR IŠVYKSTANTYS GYVENTOJAI",
                               false,
                               {Resident, Residents, Rooms, Arrival, Departure, Departed}});
    layout.onRecord = [&scope, &stay, sheet] {
        SheetLine line{stay.get(SAS::Gyventojas), stay.get(SAS::GYVENTOJUSKC), stay.get(SAS::KAMBARIAI),
                       stay.get(SAS::GyvenaNuo),  stay.get(SAS::GyvenaIki),    stay.get(SAS::Isvykes) != 0};
        const Date day = scope.globals().EINDT;
        if (line.arrival == day) {
            sheet->arrivals.push_back(line);
        }
        if (line.departure == day) {
            sheet->departures.push_back(line);
        }
        return true;
    };
    layout.onEnd = [sheet](PageComposer& composer) {
        return printSection(composer, "Atvyksta", sheet->arrivals) &&
               printSection(composer, "Išvyksta", sheet->departures);
    };
    layout.reportFooter = compiledByBand();
    return layout;
}

} // namespace

const ReportSpec& SpSiandien() {
    static const ReportSpec definition{
        .name = "SpSiandien",
        .title = "Atvykstantys ir išvykstantys gyventojai",
        .style = RunStyle::Report,
        .dialog = ParameterDialog::None,
        .table = SAS::table,
        .joins = {},
        .related = {},
        .filter = "SAS:GyvenaNuo = GLO:EINDT OR SAS:GyvenaIki = GLO:EINDT",
        .order = "+UPPER(SAS:Gyventojas),+SAS:IrasoNr",
        .layout = layout,
    };
    return definition;
}

} // namespace nakva
