#include "reports/SpKlientAdr.h"

#include "data/Fields.h"
#include "data/Record.h"
#include "reports/TextMetrics.h"

namespace nakva {

namespace {

constexpr int Left = mm(20);
constexpr int Width = mm(90);
constexpr int Line = pt(15);

// The label's lines: a blank one leaves no gap.
std::vector<std::string> labelLines(const Record& payer) {
    std::vector<std::string> lines;
    for (const auto& text :
         {payer.get(KLI::ATS), payer.get(KLI::PAV), payer.get(KLI::PAV2), payer.get(KLI::ADR)}) {
        if (!text.empty()) {
            lines.push_back(text);
        }
    }
    return lines;
}

Font labelFont() {
    return {"Arial", 11};
}

ReportLayout layout(ReportScope& scope) {
    const Record& payer = scope.record(KLI::table);
    ReportLayout layout;
    layout.page.bodyTop = mm(20);
    layout.detail.measure = [&payer] {
        return int(labelLines(payer).size()) * Line + pt(6);
    };
    layout.detail.draw = [&payer](PageCanvas& canvas, const BandContext&) {
        canvas.setFont(labelFont());
        int baseline = pt(11);
        for (const std::string& line : labelLines(payer)) {
            canvas.text({Left, baseline}, fitText(line, labelFont(), Width));
            baseline += Line;
        }
    };
    return layout;
}

} // namespace

const ReportSpec& SpKlientAdr() {
    static const ReportSpec definition{
        .name = "SpKlientAdr",
        .title = "Kliento adresas",
        .style = RunStyle::Process,
        .dialog = ParameterDialog::None,
        .table = KLI::table,
        .joins = {},
        .related = {},
        .filter = "UPPER(KLI:Kod) = UPPER(Report:Save::KLI:Kod)",
        .order = "+KLI:Kod", // the key KLI:KODKEY
        .layout = layout,
        .subject = ReportSubject{KLI::table, "Report:Save::", {"KLI:Kod"}},
    };
    return definition;
}

} // namespace nakva
