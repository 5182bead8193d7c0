#include "reports/SpDidSask.h"

#include "data/Collation.h"
#include "data/Context.h"
#include "data/Database.h"
#include "data/Fields.h"
#include "data/Record.h"
#include "data/Table.h"
#include "reports/Invoice.h"
#include "reports/ListHeading.h"
#include "reports/TextMetrics.h"
#include "ui/Picture.h"

#include <memory>

namespace nakva {

namespace {

using namespace invoice;

constexpr int Row = pt(11);
constexpr int Baseline = pt(8);
constexpr int HeadHeight = pt(18);

// The invoice the caller's registration heads: its date, series and number saved by name.
constexpr std::string_view OneInvoice =
    "SAS:SaskDt = Report:Save::SAS:SaskDt AND UPPER(SAS:SaskSer) = "
    "UPPER(Report:Save::SAS:SaskSer) AND SAS:SaskNr = Report:Save::SAS:SaskNr";
const ReportSubject SavedInvoice{SAS::table, "Report:Save::", {"SAS:SaskDt", "SAS:SaskSer", "SAS:SaskNr"}};

// F1: Pavadinimas | Mato vnt. | Kiekis | Kaina be PVM | Suma be PVM
const ReportColumn F1Name{"Pavadinimas", Left, mm(100)};
const ReportColumn F1Unit{"Mato vnt.", mm(102), mm(120)};
const ReportColumn F1Quantity{"Kiekis", mm(122), mm(140), Align::Right};
const ReportColumn F1Price{"Kaina be PVM", mm(142), mm(167), Align::Right};
const ReportColumn F1Amount{"Suma be PVM", mm(169), Right, Align::Right};
const std::vector<ReportColumn> F1Columns{F1Name, F1Unit, F1Quantity, F1Price, F1Amount};

// F2: Pavadinimas | Mato vnt. | Kiekis | Kaina be PVM | Suma su PVM | Suma be PVM | PVM% | PVM suma
const ReportColumn F2Name{"Pavadinimas", Left, mm(72)};
const ReportColumn F2Unit{"Mato vnt.", mm(73), mm(86)};
const ReportColumn F2Quantity{"Kiekis", mm(87), mm(103), Align::Right};
const ReportColumn F2Price{"Kaina be PVM", mm(104), mm(125), Align::Right};
const ReportColumn F2WithVat{"Suma su PVM", mm(126), mm(146), Align::Right};
const ReportColumn F2WithoutVat{"Suma be PVM", mm(147), mm(167), Align::Right};
const ReportColumn F2Percent{"PVM%", mm(168), mm(178), Align::Right};
const ReportColumn F2Vat{"PVM suma", mm(179), Right, Align::Right};
const std::vector<ReportColumn> F2Columns{F2Name,    F2Unit,       F2Quantity, F2Price,
                                          F2WithVat, F2WithoutVat, F2Percent,  F2Vat};

std::string percentText(const Decimal& rate) {
    return Picture::number(6, 2).format(rate);
}

void drawHeads(PageCanvas& canvas, int top, const std::vector<ReportColumn>& columns) {
    canvas.line({Left, top}, {Right, top});
    canvas.setFont(list::headFont());
    for (const ReportColumn& column : columns) {
        cellText(canvas, column, top + pt(12), column.heading);
    }
    canvas.line({Left, top + HeadHeight}, {Right, top + HeadHeight});
}

// The report header: the heading and the column heads, once.
Band invoiceHeader(const ReportScope& scope, std::string_view title, std::shared_ptr<const Logos> logos,
                   const std::vector<ReportColumn>& columns) {
    return {HeadingHeight + HeadHeight + pt(4),
            {},
            [&scope, title, logos, &columns](PageCanvas& canvas, const BandContext&) {
                drawHeading(canvas, scope, title, logos.get());
                drawHeads(canvas, HeadingHeight, columns);
            }};
}

// "Lapas N" at the foot of every page.
Band pageFooter() {
    return {pt(14), {}, [](PageCanvas& canvas, const BandContext& context) {
                canvas.setFont({"Arial", 8});
                canvas.text({Right, pt(10)}, context.pageCaption, Align::Right);
            }};
}

// F1's closing: "Visa suma be PVM:", a VAT line per rate, "Visa suma su PVM apmokėjimui:" with the
// third logo beside them when there is one, then the words.
Band f1Totals(std::shared_ptr<const Sums> sums, std::shared_ptr<const Logos> logos) {
    Band band;
    // Where the words begin: under the totals, and under the logo beside them.
    const auto wordsTop = [sums, logos] {
        const int totals = pt(6) + int(2 + sums->byRate.size()) * Row;
        return logos->present(Logos::BesideTotals) ? std::max(totals, pt(6) + Logos::Height + pt(4)) : totals;
    };
    band.measure = [sums, wordsTop] {
        return wordsTop() + wordsHeight(*sums);
    };
    band.draw = [sums, logos, wordsTop](PageCanvas& canvas, const BandContext&) {
        const int labels = mm(167);
        canvas.line({Left, pt(2)}, {Right, pt(2)});
        int baseline = pt(6) + Baseline;
        const auto line = [&](const std::string& label, const Decimal& amount, bool bold) {
            canvas.setFont(bold ? boldFont() : textFont());
            canvas.text({labels, baseline}, label, Align::Right);
            canvas.text({Right, baseline}, amountText(amount), Align::Right);
            baseline += Row;
        };
        line("Visa suma be PVM:", sums->total.withoutVat, false);
        for (const auto& [rate, part] : sums->byRate) {
            line(vatLabel(rate), part.vat, false);
        }
        line("Visa suma su PVM apmokėjimui:", sums->total.withVat, true);
        logos->draw(canvas, Logos::BesideTotals, pt(6));
        drawWords(canvas, wordsTop(), *sums);
    };
    return band;
}

// F2's closing: "Iš viso:" under the three amount columns, a VAT line per rate, the words.
Band f2Totals(std::shared_ptr<const Sums> sums) {
    Band band;
    band.measure = [sums] {
        return pt(6) + int(1 + sums->byRate.size()) * Row + wordsHeight(*sums);
    };
    band.draw = [sums](PageCanvas& canvas, const BandContext&) {
        canvas.line({Left, pt(2)}, {Right, pt(2)});
        int baseline = pt(6) + Baseline;
        canvas.setFont(boldFont());
        canvas.text({F2Price.right, baseline}, "Iš viso:", Align::Right);
        cellText(canvas, F2WithVat, baseline, amountText(sums->total.withVat));
        cellText(canvas, F2WithoutVat, baseline, amountText(sums->total.withoutVat));
        cellText(canvas, F2Vat, baseline, amountText(sums->total.vat));
        baseline += Row;
        canvas.setFont(textFont());
        for (const auto& [rate, part] : sums->byRate) {
            canvas.text({F2Percent.right, baseline}, vatLabel(rate), Align::Right);
            cellText(canvas, F2Vat, baseline, amountText(part.vat));
            baseline += Row;
        }
        drawWords(canvas, baseline - Baseline, *sums);
    };
    return band;
}

std::shared_ptr<const Logos> logosOf(const ReportScope& scope) {
    return std::make_shared<const Logos>(scope.context().database().workingFolder());
}

// What the detailed forms share: the lines read with their registration, the payer fetched, the sums
// of the lines kept.
ReportLayout detailedLayout(ReportScope& scope, std::shared_ptr<Sums> sums) {
    const Record& line = scope.record(SEI::table);
    ReportLayout layout;
    layout.page.pageFooter = pageFooter();
    layout.onRecord = [&scope] {
        fetchPayer(scope);
        return true;
    };
    layout.accumulate = [&line, sums](ReportTotals&) {
        sums->addLine(line);
    };
    return layout;
}

ReportLayout f1Detailed(ReportScope& scope) {
    const auto sums = std::make_shared<Sums>();
    ReportLayout layout = detailedLayout(scope, sums);
    const Record& line = scope.record(SEI::table);
    const auto logos = logosOf(scope);
    layout.reportHeader = invoiceHeader(scope, "P V M  S Ą S K A I T A - F A K T Ū R A", logos, F1Columns);
    layout.detail.measure = [&line] {
        return line.get(SEI::PASPAV1).empty() ? Row : 2 * Row;
    };
    layout.detail.draw = [&line](PageCanvas& canvas, const BandContext&) {
        const Decimal& quantity = line.get(SEI::KIEKIS);
        canvas.setFont(textFont());
        cellText(canvas, F1Name, Baseline, line.get(SEI::PasPav));
        cellText(canvas, F1Name, Baseline + Row, line.get(SEI::PASPAV1));
        cellText(canvas, F1Unit, Baseline, line.get(SEI::MATVNT));
        cellText(canvas, F1Quantity, Baseline, quantityText(quantity));
        cellText(canvas, F1Price, Baseline, unitPriceText(unitPrice(line.get(SEI::SUMABEPVM), quantity)));
        cellText(canvas, F1Amount, Baseline, amountText(line.get(SEI::SUMABEPVM)));
    };
    layout.reportFooter = stacked(f1Totals(sums, logos), signatures(scope));
    return layout;
}

// The name on one line: the service's name, one blank, its second name.
std::string lineName(const Record& line) {
    std::string name = line.get(SEI::PasPav);
    if (!line.get(SEI::PASPAV1).empty()) {
        name += " " + line.get(SEI::PASPAV1);
    }
    return name;
}

ReportLayout f2Detailed(ReportScope& scope) {
    const auto sums = std::make_shared<Sums>();
    ReportLayout layout = detailedLayout(scope, sums);
    const Record& line = scope.record(SEI::table);
    layout.reportHeader = invoiceHeader(scope, "PVM SĄSKAITA FAKTŪRA", nullptr, F2Columns);
    layout.detail.measure = [&line] {
        return std::max<int>(1, int(wrapText(lineName(line), textFont(), F2Name.width()).size())) * Row;
    };
    layout.detail.draw = [&line](PageCanvas& canvas, const BandContext&) {
        const Decimal& quantity = line.get(SEI::KIEKIS);
        canvas.setFont(textFont());
        int baseline = Baseline;
        for (const std::string& part : wrapText(lineName(line), textFont(), F2Name.width())) {
            cellText(canvas, F2Name, baseline, part);
            baseline += Row;
        }
        cellText(canvas, F2Unit, Baseline, line.get(SEI::MATVNT));
        cellText(canvas, F2Quantity, Baseline, quantityText(quantity));
        cellText(canvas, F2Price, Baseline, unitPriceText(unitPrice(line.get(SEI::SUMABEPVM), quantity)));
        cellText(canvas, F2WithVat, Baseline, amountText(line.get(SEI::SUMA)));
        cellText(canvas, F2WithoutVat, Baseline, amountText(line.get(SEI::SUMABEPVM)));
        cellText(canvas, F2Percent, Baseline, percentText(lineRate(line)));
        cellText(canvas, F2Vat, Baseline, amountText(line.get(SEI::PVMSUMA)));
    };
    layout.reportFooter = stacked(f2Totals(sums), signatures(scope));
    return layout;
}

// F1 summary: a line per registration, the sum of its invoice lines without VAT; the VAT lines, the
// totals and the words are the sums of those lines, as on the detailed forms.
ReportLayout f1Summary(ReportScope& scope) {
    const auto sums = std::make_shared<Sums>();
    const auto registrationSums = std::make_shared<Sums>();
    const Record& registration = scope.record(SAS::table);
    ReportLayout layout;
    layout.page.pageFooter = pageFooter();
    const auto logos = logosOf(scope);
    layout.reportHeader = invoiceHeader(scope, "P V M  S Ą S K A I T A - F A K T Ū R A", logos, F1Columns);
    layout.onRecord = [&scope] {
        fetchPayer(scope);
        return true;
    };
    layout.accumulate = [&scope, &registration, sums, registrationSums](ReportTotals&) {
        *registrationSums = linesOf(scope.context(), registration.get(SAS::IrasoNr));
        sums->add(*registrationSums);
    };
    layout.detail = {Row, {}, [&scope, registrationSums](PageCanvas& canvas, const BandContext&) {
                         const Decimal& amount = registrationSums->total.withoutVat;
                         canvas.setFont(textFont());
                         cellText(canvas, F1Name, Baseline, scope.globals().SUMINESPASLAUGOSPAV);
                         cellText(canvas, F1Unit, Baseline, "vnt");
                         cellText(canvas, F1Quantity, Baseline, "1");
                         cellText(canvas, F1Price, Baseline, unitPriceText(amount));
                         cellText(canvas, F1Amount, Baseline, amountText(amount));
                     }};
    layout.reportFooter = stacked(f1Totals(sums, logos), signatures(scope));
    return layout;
}

// F2 summary integrated: the lines of one series and number summed; at the end of the invoice its
// heading, one summary line per VAT rate, the totals and the words, paginated by the report itself.
ReportLayout f2Integrated(ReportScope& scope) {
    const auto sums = std::make_shared<Sums>();
    const Record& line = scope.record(SEI::table);
    const Record& registration = scope.record(SAS::table);
    ReportLayout layout;
    layout.page.pageFooter = pageFooter();
    layout.onRecord = [&scope] {
        fetchPayer(scope);
        return true;
    };
    GroupBreak invoice;
    invoice.key = [&registration] {
        return upper(registration.get(SAS::SaskSer)) + "\n" + std::to_string(registration.get(SAS::SaskNr));
    };
    invoice.header = {0, {}, [sums](PageCanvas&, const BandContext&) {
                          sums->clear();
                      }};
    // The invoice's heading and its summary lines, then its closing.
    Band lines;
    lines.measure = [sums] {
        return HeadingHeight + HeadHeight + pt(4) + int(sums->byRate.size()) * Row;
    };
    lines.draw = [&scope, sums](PageCanvas& canvas, const BandContext&) {
        drawHeading(canvas, scope, "PVM SĄSKAITA FAKTŪRA", nullptr);
        drawHeads(canvas, HeadingHeight, F2Columns);
        int baseline = HeadingHeight + HeadHeight + pt(4) + Baseline;
        canvas.setFont(textFont());
        for (const auto& [rate, part] : sums->byRate) {
            cellText(canvas, F2Name, baseline, scope.globals().SUMINESPASLAUGOSPAV);
            cellText(canvas, F2Unit, baseline, "Vnt");
            cellText(canvas, F2Quantity, baseline, "1");
            cellText(canvas, F2Price, baseline, unitPriceText(part.withoutVat));
            cellText(canvas, F2WithVat, baseline, amountText(part.withVat));
            cellText(canvas, F2WithoutVat, baseline, amountText(part.withoutVat));
            cellText(canvas, F2Percent, baseline, percentText(rate));
            cellText(canvas, F2Vat, baseline, amountText(part.vat));
            baseline += Row;
        }
    };
    invoice.footer = stacked(lines, stacked(f2Totals(sums), signatures(scope)));
    layout.groups.push_back(std::move(invoice));
    layout.accumulate = [&line, sums](ReportTotals&) {
        sums->addLine(line);
    };
    return layout;
}

// F1 and F2 detailed: the lines of the invoice with their registrations, as entered.
ReportSpec detailedInvoice(std::string_view name, std::string_view title,
                           std::function<ReportLayout(ReportScope&)> layout) {
    return {
        .name = name,
        .title = title,
        .style = RunStyle::Process,
        .dialog = ParameterDialog::None,
        .table = SEI::table,
        .joins = {SAS::table},
        .related = {KLI::table},
        .filter = OneInvoice,
        // The key SAS:DTSASNRKEY, then the lines of each registration as they were entered.
        .order = "+SAS:SaskDt,+UPPER(SAS:SaskSer),+SAS:SaskNr,+SAS:IrasoNr,+SEI:SEILID",
        .layout = std::move(layout),
        .subject = SavedInvoice,
        .nothingSelected = NoInvoiceLines,
    };
}

} // namespace

const ReportSpec& SpDidSask() {
    static const ReportSpec definition = detailedInvoice("SpDidSask", "Didžioji sąskaita F1", f1Detailed);
    return definition;
}

const ReportSpec& SpDidSask2() {
    static const ReportSpec definition = detailedInvoice("SpDidSask2", "Didžioji sąskaita F2", f2Detailed);
    return definition;
}

const ReportSpec& SpDidSaskSum() {
    static const ReportSpec definition{
        .name = "SpDidSaskSum",
        .title = "Didžioji sąskaita F1 suminė",
        .style = RunStyle::Process,
        .dialog = ParameterDialog::ServiceName,
        .table = SAS::table,
        .joins = {},
        .related = {KLI::table, SEI::table},
        .filter = OneInvoice,
        .order = "+SAS:SaskDt,+UPPER(SAS:SaskSer),+SAS:SaskNr,+SAS:IrasoNr",
        .layout = f1Summary,
        .subject = SavedInvoice,
        .nothingSelected = {},
    };
    return definition;
}

const ReportSpec& SpDidSaskSumInt() {
    static const ReportSpec definition{
        .name = "SpDidSaskSumInt",
        .title = "Didžioji sąskaita F2 suminę integruota",
        .style = RunStyle::Report,
        .dialog = ParameterDialog::ServiceName,
        .table = SEI::table,
        .joins = {SAS::table},
        .related = {KLI::table},
        .filter = "UPPER(SAS:SaskSer) = UPPER(RPF1::SAS:SaskSer) AND SAS:SaskNr = RPF1::SAS:SaskNr",
        // The key SAS:SASNRKEY, then the lines of each registration as they were entered.
        .order = "+UPPER(SAS:SaskSer),+SAS:SaskNr,+SAS:IrasoNr,+SEI:SEILID",
        .layout = f2Integrated,
        .subject = ReportSubject{SAS::table, "RPF1::", {"SAS:SaskSer", "SAS:SaskNr"}},
        .nothingSelected = {}, // the preview says there is nothing
    };
    return definition;
}

} // namespace nakva
