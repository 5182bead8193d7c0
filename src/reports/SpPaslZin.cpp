#include "reports/SpPaslZin.h"

#include "data/Context.h"
#include "data/Fields.h"
#include "data/Record.h"
#include "data/Table.h"
#include "data/Text.h"
#include "reports/Invoice.h"
#include "reports/ListHeading.h"
#include "ui/Picture.h"

#include <memory>

namespace nakva {

namespace {

enum Sum { Quantity, Amount };

std::string quantityText(const Decimal& quantity) {
    return Picture::number(12, 3, true).format(quantity); // "n_12.3-b"
}

// A schedule day into the totals: its quantity, and its amount at its line's price unless the report
// is without prices. Each day's amount is rounded to the cent as it is added.
void addDay(ReportTotals& totals, const Record& day, const Record& line, bool withoutPrices) {
    const Decimal quantity = day.get(SEIG::KIEKIS);
    totals.add(Quantity, quantity);
    if (!withoutPrices) {
        totals.add(Amount, (quantity * line.get(SEI::KAINA)).rounded(2));
    }
}

// A line's or the report's quantity, price and amount in three columns at `baseline`.
struct FigureColumns {
    ReportColumn quantity, price, amount;

    void draw(PageCanvas& canvas, int baseline, const Decimal& q, const Decimal& v) const {
        cellText(canvas, quantity, baseline, quantityText(q));
        cellText(canvas, price, baseline, invoice::unitPriceText(invoice::unitPrice(v, q)));
        cellText(canvas, amount, baseline, invoice::amountText(v));
    }
};

// A line of totals under a rule, with a label at the left: "Sudarė:" of the ledger, "Iš viso:" of the
// summary.
constexpr int TotalsHeight = list::RowHeight + pt(6);
constexpr int TotalsBaseline = pt(4) + list::Baseline;

void drawTotals(PageCanvas& canvas, const ReportTotals& totals, const FigureColumns& columns,
                std::string_view label) {
    canvas.line({list::Left, pt(1)}, {list::Right, pt(1)});
    canvas.setFont({"Arial", 9, true});
    canvas.text({list::Left, TotalsBaseline}, label);
    columns.draw(canvas, TotalsBaseline, totals.report(Quantity), totals.report(Amount));
}

// The ledger: Data | Klientas, periodas | Kiekis | Kaina | Suma | Išv | Kambariai, one entry per
// invoice line, two lines high (the resident, then the line's first and last day in the period).
namespace ledger {

const ReportColumn Day{"Data", list::Left, mm(34)};
const ReportColumn Client{"Klientas, periodas", mm(36), mm(92)};
const FigureColumns Figures{{"Kiekis", mm(93), mm(115), Align::Right},
                            {"Kaina", mm(116), mm(138), Align::Right},
                            {"Suma", mm(139), mm(160), Align::Right}};
const ReportColumn Departed{"Išv", mm(161), mm(169), Align::Center};
const ReportColumn Rooms{"Kambariai", mm(171), list::Right};

// The present line's first schedule day in the period.
struct LedgerState {
    Date first = NoDate;
};

ReportLayout layout(ReportScope& scope) {
    const Record& day = scope.record(SEIG::table);
    const Record& line = scope.record(SEI::table);
    const Record& registration = scope.record(SAS::table);
    const Record& service = scope.record(PAS::table);
    const auto state = std::make_shared<LedgerState>();
    ReportLayout layout;
    layout.page.pageHeader = listPageHeader(
        scope, {"EINAMASIS PASLAUGOS ŽINIARAŠTIS",
                true,
                {Day, Client, Figures.quantity, Figures.price, Figures.amount, Departed, Rooms}});

    // The service: its name and the second line its invoice lines carry.
    layout.reportHeader = {
        2 * list::RowHeight + pt(4), {}, [&service, &line](PageCanvas& canvas, const BandContext&) {
            canvas.setFont({"Arial", 10, true});
            canvas.text({list::Left, list::Baseline}, service.get(PAS::Pav));
            canvas.setFont(list::detailFont());
            canvas.text({list::Left, list::RowHeight + list::Baseline}, line.get(SEI::PASPAV1));
        }};

    layout.accumulate = [&scope, &day, &line, state](ReportTotals& totals) {
        if (totals.groupCount(0) == 0) {
            state->first = day.get(SEIG::Data);
        }
        addDay(totals, day, line, scope.globals().BEKAINU);
    };
    // The view reads a line's days in order: the footer sees its last one.
    GroupBreak byLine;
    byLine.key = [&day] {
        return std::to_string(day.get(SEIG::SEILID));
    };
    byLine.footer = {2 * list::RowHeight,
                     {},
                     [&scope, &day, &registration, state](PageCanvas& canvas, const BandContext&) {
                         static const Picture flag = Picture::number(1, 0, true);
                         const ReportTotals& totals = scope.totals();
                         canvas.setFont(list::detailFont());
                         cellText(canvas, Day, list::Baseline, formatDate(registration.get(SAS::SaskDt)));
                         cellText(canvas, Client, list::Baseline, registration.get(SAS::Gyventojas));
                         cellText(canvas, Client, list::RowHeight + list::Baseline,
                                  formatDate(state->first) + " " + formatDate(day.get(SEIG::Data)));
                         Figures.draw(canvas, list::Baseline, totals.group(0, Quantity),
                                      totals.group(0, Amount));
                         cellText(canvas, Departed, list::Baseline,
                                  flag.format(std::int64_t(registration.get(SAS::Isvykes))));
                         cellText(canvas, Rooms, list::Baseline, registration.get(SAS::KAMBARIAI));
                     }};
    layout.groups.push_back(std::move(byLine));

    // "Sudarė:" with the service's quantity, average price and amount.
    const Band compiledBy = compiledByBand();
    layout.reportFooter = {
        compiledBy.height + pt(4), {}, [&scope, compiledBy](PageCanvas& canvas, const BandContext& context) {
            compiledBy.draw(canvas, context);
            canvas.setFont({"Arial", 9, true});
            Figures.draw(canvas, pt(26), scope.totals().report(Quantity), scope.totals().report(Amount));
        }};
    return layout;
}

} // namespace ledger

// The summary: Paslaugos pavadinimas | Kiekis | Kaina | Suma, one line per service.
namespace summary {

const ReportColumn Name{"Paslaugos pavadinimas", list::Left, mm(118)};
const FigureColumns Figures{{"Kiekis", mm(120), mm(145), Align::Right},
                            {"Kaina", mm(147), mm(170), Align::Right},
                            {"Suma", mm(172), list::Right, Align::Right}};

// The filter line, made once the run has its parameters.
struct SummaryState {
    bool described = false;
    std::string filter;
};

ReportLayout layout(ReportScope& scope) {
    const Record& day = scope.record(SEIG::table);
    const Record& line = scope.record(SEI::table);
    const auto state = std::make_shared<SummaryState>();
    ReportLayout layout;
    layout.page.pageHeader = listPageHeader(scope, {"EINAMOJI PASLAUGŲ SUVESTINĖ (PAGAL FAKTĄ)",
                                                    true,
                                                    {Name, Figures.quantity, Figures.price, Figures.amount},
                                                    false,
                                                    false,
                                                    list::Right,
                                                    [state] {
                                                        return state->filter;
                                                    }});

    layout.onRecord = [&scope, state] {
        if (!state->described) {
            const Globals& globals = scope.globals();
            std::string groupName;
            if (globals.PaslGrpNr != 0) {
                Table& groups = scope.context().table(PGRP::table);
                groups.clear();
                groups.record().set(PGRP::IrasoNr, globals.PaslGrpNr);
                if (groups.getByKey(PGRP::IRASONR_KEY) == StoreStatus::Ok) {
                    groupName = groups.record().get(PGRP::GrpPav);
                }
            }
            state->filter =
                serviceSummaryFilter(globals.PaslGrpNr, groupName, globals.BEKAINU, globals.SuIsvykusiais);
            state->described = true;
        }
        return true;
    };
    layout.accumulate = [&scope, &day, &line](ReportTotals& totals) {
        addDay(totals, day, line, scope.globals().BEKAINU);
    };
    // A service is its name as typed: two whose names differ only in letter case are two services.
    GroupBreak byService;
    byService.key = [&line] {
        return line.get(SEI::PasPav);
    };
    byService.footer = {list::RowHeight, {}, [&scope, &line](PageCanvas& canvas, const BandContext&) {
                            canvas.setFont(list::detailFont());
                            cellText(canvas, Name, list::Baseline, line.get(SEI::PasPav));
                            Figures.draw(canvas, list::Baseline, scope.totals().group(0, Quantity),
                                         scope.totals().group(0, Amount));
                        }};
    layout.groups.push_back(std::move(byService));

    layout.onEnd = [&scope](PageComposer& composer) {
        return composer.print({TotalsHeight, {}, [&scope](PageCanvas& canvas, const BandContext&) {
                                   drawTotals(canvas, scope.totals(), Figures, "Iš viso:");
                               }});
    };
    layout.reportFooter = compiledByBand();
    return layout;
}

} // namespace summary

} // namespace

std::string serviceSummaryFilter(std::int32_t group, std::string_view groupName, bool withoutPrices,
                                 bool includeDeparted) {
    std::string filter;
    if (group != 0) {
        filter = "Paslaugų grupė: " + std::string(trimRight(groupName));
    }
    const auto append = [&filter](std::string_view what) {
        filter = std::string(trimRight(filter)) + "      " + std::string(what);
    };
    if (withoutPrices) {
        append("Be kainų");
    }
    if (includeDeparted) {
        append("Su išvykusiais");
    }
    return std::string(cutToChars(filter, 150));
}

const ReportSpec& SpPaslZin() {
    static const ReportSpec definition{
        .name = "SpPaslZin",
        .title = "Paslaugos knyga-žiniaraštis",
        .style = RunStyle::Process,
        .dialog = ParameterDialog::ServiceLedger,
        .table = SEIG::table,
        .joins = {SEI::table, SAS::table, PAS::table},
        .related = {},
        // Days of the service in the period; residents who have not departed, and those who have when
        // "Įtraukti išvykusius" is set.
        .filter = "SEIG:Data >= GLO:PrDt AND SEIG:Data <= GLO:GalDt AND ((SEI:PasPav = GLO:Pasl) AND "
                  "(~SAS:Isvykes or (GLO:SuIsvykusiais AND SAS:Isvykes)))",
        .order = "+SEIG:SEILID,+SEIG:Data,+SEIG:SEILGID", // a line's days in order
        .layout = ledger::layout,
    };
    return definition;
}

const ReportSpec& SpPaslSuvF2() {
    static const ReportSpec definition{
        .name = "SpPaslSuvF2",
        .title = "Paslaugų suvestinė",
        .style = RunStyle::Process,
        .dialog = ParameterDialog::ServiceSummary,
        .table = SEIG::table,
        .joins = {SEI::table, SAS::table, PAS::table},
        .related = {PGRP::table},
        // Days in the period of the chosen group's services (every group's for 0), with the ledger's
        // rule for departed residents.
        .filter = "SEIG:Data >= GLO:PrDt AND SEIG:Data <= GLO:GalDt AND (~(GLO:PaslGrpNr AND "
                  "PAS:PaslGrpNr<>GLO:PaslGrpNr) AND (~SAS:Isvykes or (GLO:SuIsvykusiais AND SAS:Isvykes)))",
        // The names in the collation's order, each name as typed kept together.
        .order = "+UPPER(SEI:PasPav),+PAS:Pav,+SEIG:SEILID",
        .layout = summary::layout,
    };
    return definition;
}

} // namespace nakva
