#include "reports/SpSaskSuvData.h"

#include "data/Fields.h"
#include "data/Record.h"
#include "reports/Invoice.h"
#include "reports/ListHeading.h"
#include "ui/Picture.h"

#include <memory>

namespace nakva {

namespace {

// Data | Nr. | Klientas | Suma be PVM | PVM suma | Suma su PVM | Išsiųsta | Apmokėta
const ReportColumn Day{"Data", list::Left, mm(33)};
const ReportColumn Number{"Nr.", mm(34), mm(50), Align::Right};
const ReportColumn Payer{"Klientas", mm(53), mm(105)};
const ReportColumn WithoutVat{"Suma be PVM", mm(106), mm(132), Align::Right};
const ReportColumn Vat{"PVM suma", mm(133), mm(155), Align::Right};
const ReportColumn WithVat{"Suma su PVM", mm(156), mm(182), Align::Right};
const ReportColumn Sent{"Išs.", mm(183), mm(191), Align::Center};
const ReportColumn Paid{"Apm.", mm(192), list::Right, Align::Center};

// A flag as a 0/1 digit, blank when 0.
std::string flag(std::uint8_t value) {
    return value == 0 ? std::string() : std::to_string(value);
}

// Each registration's amounts are the sums of its invoice lines, as its invoice prints them; the
// closing sums the rows and gives a VAT line per rate the lines were charged at.
ReportLayout layout(ReportScope& scope) {
    const Record& registration = scope.record(SAS::table);
    const Record& payer = scope.record(KLI::table);
    const auto row = std::make_shared<invoice::Sums>();
    const auto all = std::make_shared<invoice::Sums>();
    ReportLayout layout;
    layout.page.pageHeader = listPageHeader(
        scope, {"SĄSKAITŲ SUVESTINĖ", true, {Day, Number, Payer, WithoutVat, Vat, WithVat, Sent, Paid}});
    layout.onRecord = [&scope] {
        invoice::fetchPayer(scope);
        return true;
    };
    layout.accumulate = [&scope, &registration, row, all](ReportTotals&) {
        *row = invoice::linesOf(scope.context(), registration.get(SAS::IrasoNr));
        all->add(*row);
    };
    layout.detail = {
        list::RowHeight, {}, [&registration, &payer, row](PageCanvas& canvas, const BandContext&) {
            static const Picture wide = Picture::number(15, 2, true);
            static const Picture narrow = Picture::number(13, 2, true);
            canvas.setFont(list::detailFont());
            cellText(canvas, Day, list::Baseline, formatDate(registration.get(SAS::SaskDt)));
            cellText(canvas, Number, list::Baseline, std::to_string(registration.get(SAS::SaskNr)));
            cellText(canvas, Payer, list::Baseline, payer.get(KLI::PAV));
            cellText(canvas, WithoutVat, list::Baseline, wide.format(row->total.withoutVat));
            cellText(canvas, Vat, list::Baseline, narrow.format(row->total.vat));
            cellText(canvas, WithVat, list::Baseline, wide.format(row->total.withVat));
            cellText(canvas, Sent, list::Baseline, flag(registration.get(SAS::ISSIUSTA)));
            cellText(canvas, Paid, list::Baseline, flag(registration.get(SAS::APMOKETA)));
        }};
    layout.reportFooter.measure = [all] {
        return pt(3) + int(1 + all->byRate.size()) * list::RowHeight + pt(5);
    };
    layout.reportFooter.draw = [all](PageCanvas& canvas, const BandContext&) {
        static const Picture sum = Picture::number(15, 2, true);
        canvas.line({list::Left, pt(3)}, {list::Right, pt(3)});
        canvas.setFont({"Arial", 9, true});
        int baseline = pt(3) + list::Baseline;
        cellText(canvas, Payer, baseline, "Iš viso :");
        cellText(canvas, WithoutVat, baseline, sum.format(all->total.withoutVat));
        cellText(canvas, Vat, baseline, sum.format(all->total.vat));
        cellText(canvas, WithVat, baseline, sum.format(all->total.withVat));
        canvas.setFont(list::detailFont());
        for (const auto& [rate, part] : all->byRate) {
            baseline += list::RowHeight;
            canvas.text({WithoutVat.right, baseline}, invoice::vatLabel(rate), Align::Right);
            cellText(canvas, Vat, baseline, sum.format(part.vat));
        }
    };
    return layout;
}

} // namespace

const ReportSpec& SpSaskSuvData() {
    static const ReportSpec definition{
        .name = "SpSaskSuvData",
        .title = "Sąskaitų suvestinė pagal datas",
        .style = RunStyle::Process,
        .dialog = ParameterDialog::Period,
        .table = SAS::table,
        .joins = {},
        .related = {KLI::table, SEI::table},
        .filter = "SAS:SaskDt>=GLO:PrDt and SAS:SaskDt<=GLO:GalDt",
        .order = "+SAS:SaskDt,+UPPER(SAS:SaskSer),+SAS:SaskNr,+SAS:IrasoNr", // the key SAS:DTSASNRKEY
        .layout = layout,
    };
    return definition;
}

} // namespace nakva
