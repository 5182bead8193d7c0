#include "reports/SpPaslSar.h"

#include "data/Fields.h"
#include "data/Record.h"
#include "reports/ListHeading.h"
#include "ui/Picture.h"

namespace nakva {

namespace {

// Pavadinimas | Mato vnt | Kaina be PVM | PVM % | Kaina su PVM
const ReportColumn Name{"Pavadinimas", list::Left, mm(101)};
const ReportColumn Unit{"Mato vnt", mm(103), mm(123)};
const ReportColumn PriceWithoutVat{"Kaina be PVM", mm(124), mm(150), Align::Right};
const ReportColumn VatPercent{"PVM %", mm(152), mm(166), Align::Right};
const ReportColumn PriceWithVat{"Kaina su PVM", mm(168), list::Right, Align::Right};

ReportLayout layout(ReportScope& scope) {
    const Record& service = scope.record(PAS::table);
    ReportLayout layout;
    layout.page.pageHeader = listPageHeader(
        scope, {"PREKIŲ-PASLAUGŲ SĄRAŠAS", false, {Name, Unit, PriceWithoutVat, VatPercent, PriceWithVat}});

    // The name's second line, when there is one, goes under the first.
    layout.detail.measure = [&service] {
        return service.get(PAS::PAV1).empty() ? list::RowHeight : 2 * list::RowHeight;
    };
    layout.detail.draw = [&service](PageCanvas& canvas, const BandContext&) {
        static const Picture price = Picture::number(12, 4, true);
        static const Picture percent = Picture::number(6, 2);
        canvas.setFont(list::detailFont());
        cellText(canvas, Name, list::Baseline, service.get(PAS::Pav));
        cellText(canvas, Name, list::Baseline + list::RowHeight, service.get(PAS::PAV1));
        cellText(canvas, Unit, list::Baseline, service.get(PAS::MATVNT));
        cellText(canvas, PriceWithoutVat, list::Baseline, price.format(service.get(PAS::KAINBEPVM)));
        cellText(canvas, VatPercent, list::Baseline, percent.format(service.get(PAS::PVMPROC)));
        cellText(canvas, PriceWithVat, list::Baseline, price.format(service.get(PAS::KAINSUPVM)));
    };
    layout.reportFooter = compiledByBand();
    return layout;
}

} // namespace

const ReportSpec& SpPaslSar() {
    static const ReportSpec definition{
        .name = "SpPaslSar",
        .title = "Paslaugų sąrašo ataskaita",
        .style = RunStyle::Process,
        .dialog = ParameterDialog::None,
        .table = PAS::table,
        .joins = {},
        .related = {},
        .filter = "",
        .order = "+PAS:Pav",
        .layout = layout,
    };
    return definition;
}

} // namespace nakva
