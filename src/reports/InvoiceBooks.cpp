#include "reports/InvoiceBooks.h"

#include "data/Fields.h"
#include "data/Record.h"
#include "data/Text.h"
#include "reports/ListHeading.h"
#include "ui/Picture.h"

namespace nakva {

namespace {

// A number column of a book: its value in the present row, and whether "Sudarė:" sums it.
struct Figure {
    ReportColumn column;
    Picture picture;
    std::function<Decimal(const ReportScope&)> value;
    bool summed = true;
};

struct InvoiceBook {
    std::string_view title;
    std::function<std::string(const Record& subject)> about; // the line naming the record, once
    std::vector<Figure> figures;
};

// Data | Sąsk.Nr. | the figures.
const ReportColumn Day{"Data", list::Left, mm(38)};
const ReportColumn Number{"Sąsk.Nr.", mm(40), mm(80)};

// The invoice as it is printed: its series and number ("AB 15"; "15" without a series).
std::string invoiceNumber(const Record& registration) {
    const std::string series(trimRight(registration.get(SAS::SaskSer)));
    const std::string number = std::to_string(registration.get(SAS::SaskNr));
    return series.empty() ? number : series + " " + number;
}

ReportLayout bookLayout(ReportScope& scope, const InvoiceBook& book) {
    const Record& registration = scope.record(SAS::table);
    ReportLayout layout;
    std::vector<ReportColumn> heads{Day, Number};
    for (const Figure& figure : book.figures) {
        heads.push_back(figure.column);
    }
    layout.page.pageHeader = listPageHeader(scope, {book.title, true, std::move(heads)});
    layout.reportHeader = {
        list::RowHeight + pt(6), {}, [&scope, &book](PageCanvas& canvas, const BandContext&) {
            canvas.setFont({"Arial", 10, true});
            canvas.text({list::Left, pt(2) + list::Baseline},
                        scope.subject() != nullptr ? book.about(*scope.subject()) : "");
        }};
    layout.accumulate = [&scope, &book](ReportTotals& totals) {
        for (std::size_t i = 0; i < book.figures.size(); ++i) {
            totals.add(int(i), book.figures[i].value(scope));
        }
    };
    layout.detail = {
        list::RowHeight, {}, [&scope, &registration, &book](PageCanvas& canvas, const BandContext&) {
            canvas.setFont(list::detailFont());
            cellText(canvas, Day, list::Baseline, formatDate(registration.get(SAS::SaskDt)));
            cellText(canvas, Number, list::Baseline, invoiceNumber(registration));
            for (const Figure& figure : book.figures) {
                cellText(canvas, figure.column, list::Baseline, figure.picture.format(figure.value(scope)));
            }
        }};
    // "Sudarė:" with the sums on its line.
    const Band compiledBy = compiledByBand();
    layout.reportFooter = {
        compiledBy.height, {}, [&scope, &book, compiledBy](PageCanvas& canvas, const BandContext& context) {
            canvas.line({list::Left, pt(1)}, {list::Right, pt(1)});
            compiledBy.draw(canvas, context);
            canvas.setFont({"Arial", 9, true});
            for (std::size_t i = 0; i < book.figures.size(); ++i) {
                const Figure& figure = book.figures[i];
                if (figure.summed) {
                    cellText(canvas, figure.column, pt(26),
                             figure.picture.format(scope.totals().report(int(i))));
                }
            }
        }};
    return layout;
}

const InvoiceBook ServiceBook{
    "PASLAUGOS KNYGA",
    [](const Record& service) {
        const std::string second = service.get(PAS::PAV1);
        return service.get(PAS::Pav) + (second.empty() ? "" : "  " + second);
    },
    {{{"Kiekis", mm(95), mm(122), Align::Right},
      Picture::number(12, 3, true),
      [](const ReportScope& scope) {
          return scope.record(SEI::table).get(SEI::KIEKIS);
      }},
     {{"Kaina", mm(124), mm(158), Align::Right},
      Picture::number(12, 4, true),
      [](const ReportScope& scope) { return scope.record(SEI::table).get(SEI::KAINA); },
      false},
     {{"Suma", mm(160), list::Right, Align::Right},
      Picture::number(13, 2, true),
      [](const ReportScope& scope) {
          return scope.record(SEI::table).get(SEI::SUMA);
      }}}};

const InvoiceBook PayerBook{
    "KLIENTO SĄSKAITŲ SUVESTINĖ",
    [](const Record& payer) { return payer.get(KLI::Kod) + "  " + payer.get(KLI::PAV); },
    {{{"Suma be PVM", mm(95), mm(130), Align::Right},
      Picture::number(15, 2, true),
      [](const ReportScope& scope) {
          return scope.record(SAS::table).get(SAS::BSUMA);
      }},
     {{"PVM suma", mm(132), mm(163), Align::Right},
      Picture::number(13, 2, true),
      [](const ReportScope& scope) {
          return scope.record(SAS::table).get(SAS::PVMSUMA);
      }},
     {{"Suma su PVM", mm(165), list::Right, Align::Right},
      Picture::number(15, 2, true),
      [](const ReportScope& scope) {
          return scope.record(SAS::table).get(SAS::BSUMASUPVM);
      }}}};

template <const InvoiceBook& Book> ReportLayout layoutOf(ReportScope& scope) {
    return bookLayout(scope, Book);
}

} // namespace

const ReportSpec& SpPaslKn() {
    static const ReportSpec definition{
        .name = "SpPaslKn",
        .title = "Sąskaitų suvestinė pagal paslaugą",
        .style = RunStyle::Process,
        .dialog = ParameterDialog::Period,
        .table = SEI::table,
        .joins = {SAS::table},
        .related = {},
        .filter = "UPPER(SEI:PasPav) = UPPER(Report:Save::PAS:Pav) AND (SAS:SaskDt>=GLO:PrDt and "
                  "SAS:SaskDt<=GLO:GalDt)",
        .order = "+SEI:PasPav,+SEI:IrasoNr,+SEI:SEILID", // the key SEI:PASLKEY
        .layout = layoutOf<ServiceBook>,
        .subject = ReportSubject{PAS::table, "Report:Save::", {"PAS:Pav"}},
    };
    return definition;
}

const ReportSpec& SpKlientKn() {
    static const ReportSpec definition{
        .name = "SpKlientKn",
        .title = "Sąskaitų suvestinė klientui",
        .style = RunStyle::Process,
        .dialog = ParameterDialog::Period,
        .table = SAS::table,
        .joins = {},
        .related = {},
        .filter = "UPPER(SAS:KliKod) = UPPER(Report:Save::KLI:Kod) AND (SAS:SaskDt>=GLO:PrDt and "
                  "SAS:SaskDt<=GLO:GalDt)",
        .order = "+SAS:KliKod,+SAS:SaskDt,+SAS:IrasoNr", // the key SAS:KLIKODKEY
        .layout = layoutOf<PayerBook>,
        .subject = ReportSubject{KLI::table, "Report:Save::", {"KLI:Kod"}},
    };
    return definition;
}

} // namespace nakva
