#include "reports/SpKliSar.h"

#include "data/Fields.h"
#include "data/Record.h"
#include "reports/ListHeading.h"
#include "reports/TextMetrics.h"

namespace nakva {

namespace {

// Kliento kodas | Kliento pavadinimas, adresas, telefonas
const ReportColumn Code{"Kliento kodas", list::Left, mm(57)};
const ReportColumn Particulars{"Kliento pavadinimas, adresas, telefonas", mm(60), list::Right};

// The name, the telephones and the address, each wrapped to the column, one under the other.
std::vector<std::string> particulars(const Record& payer) {
    std::vector<std::string> lines;
    for (const auto& text : {payer.get(KLI::PAV), payer.get(KLI::TEL), payer.get(KLI::ADR)}) {
        for (std::string& line : wrapText(text, list::detailFont(), Particulars.width())) {
            lines.push_back(std::move(line));
        }
    }
    return lines;
}

ReportLayout layout(ReportScope& scope) {
    const Record& payer = scope.record(KLI::table);
    ReportLayout layout;
    layout.page.pageHeader = listPageHeader(scope, {"KLIENTŲ SĄRAŠAS", false, {Code, Particulars}});

    layout.detail.measure = [&payer] {
        return std::max<int>(1, int(particulars(payer).size())) * list::RowHeight + pt(3);
    };
    layout.detail.draw = [&payer](PageCanvas& canvas, const BandContext&) {
        canvas.setFont(list::detailFont());
        cellText(canvas, Code, list::Baseline, payer.get(KLI::Kod));
        int baseline = list::Baseline;
        for (const std::string& line : particulars(payer)) {
            cellText(canvas, Particulars, baseline, line);
            baseline += list::RowHeight;
        }
    };
    layout.reportFooter = compiledByBand();
    return layout;
}

} // namespace

const ReportSpec& SpKliSar() {
    static const ReportSpec definition{
        .name = "SpKliSar",
        .title = "Klientų sąrašo ataskaita",
        .style = RunStyle::Process,
        .dialog = ParameterDialog::None,
        .table = KLI::table,
        .joins = {},
        .related = {},
        .filter = "",
        .order = "+UPPER(KLI:Kod)", // the order of the key KLI:KODKEY
        .layout = layout,
    };
    return definition;
}

} // namespace nakva
