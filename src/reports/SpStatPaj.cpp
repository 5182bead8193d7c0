#include "reports/SpStatPaj.h"

#include "data/Fields.h"
#include "data/Record.h"
#include "reports/ListHeading.h"
#include "reports/OccupancyFigures.h"
#include "reports/ResidentGroups.h"
#include "ui/Picture.h"

#include <memory>

namespace nakva {

namespace {

// What the income reports say of how they attribute income, under the "*" of their amount heads.
constexpr std::string_view Footnote = "* pajamos priskaičiuojamos proporcingai nakvynių skaičiui periode";

// The stays with at least one night in the period, and those arriving and leaving on one day of it;
// a period that ends before it starts has none.
constexpr std::string_view InPeriod = "GLO:PrDt <= GLO:GalDt AND SAS:GyvenaNuo <= GLO:GalDt AND "
                                      "SAS:GyvenaIki >= SAS:GyvenaNuo AND (SAS:GyvenaIki > GLO:PrDt OR "
                                      "(SAS:GyvenaIki = SAS:GyvenaNuo AND SAS:GyvenaNuo >= GLO:PrDt))";

// The sums the run keeps by group and in all.
enum Sum { People, BedNights, Nights, WithoutVat, Vat, WithVat };

// The stay the run has just read, its share of the period, and the group's value as its first stay
// holds it (the footer prints it after the next group's first stay has been read).
struct IncomeState {
    IncomeShare share;
    std::string group;
};

const Picture& countPicture() {
    static const Picture picture = Picture::number(6, 0, true);
    return picture;
}

const Picture& amountPicture() {
    static const Picture picture = Picture::number(13, 2, true);
    return picture;
}

std::string nightsText(const Decimal& nights) {
    return "Nakvynių: " + nights.toString(0);
}

// A line of sums with a rule above it: a group's or the report's.
constexpr int SumLineHeight = list::RowHeight + pt(4);
constexpr int SumBaseline = pt(4) + list::Baseline;

// Valstybė | GyvSkč | Lovadn | Be PVM* | PVM* | Su PVM*: one line per country or group.
namespace summary {

const ReportColumn People{"GyvSkč", mm(84), mm(100), Align::Right};
const ReportColumn BedNights{"Lovadn", mm(102), mm(120), Align::Right};
const ReportColumn WithoutVat{"Be PVM*", mm(122), mm(148), Align::Right};
const ReportColumn Vat{"PVM*", mm(150), mm(172), Align::Right};
const ReportColumn WithVat{"Su PVM*", mm(174), list::Right, Align::Right};

ReportColumn groupColumn(const ResidentStatistics& report) {
    return {report.grouping.head, list::Left, mm(82)};
}

void drawSums(PageCanvas& canvas, int baseline, const ReportTotals& totals, int level) {
    const auto sum = [&](Sum which) {
        return level < 0 ? totals.report(which) : totals.group(level, which);
    };
    canvas.setFont(list::detailFont());
    cellText(canvas, People, baseline, countPicture().format(sum(Sum::People)));
    cellText(canvas, BedNights, baseline, countPicture().format(sum(Sum::BedNights)));
    cellText(canvas, WithoutVat, baseline, amountPicture().format(sum(Sum::WithoutVat)));
    cellText(canvas, Vat, baseline, amountPicture().format(sum(Sum::Vat)));
    cellText(canvas, WithVat, baseline, amountPicture().format(sum(Sum::WithVat)));
}

void lay(ReportLayout& layout, ReportScope& scope, const ResidentStatistics& report,
         const std::shared_ptr<IncomeState>& state) {
    const ReportColumn group = groupColumn(report);
    layout.page.pageHeader =
        listPageHeader(scope, {report.title, true, {group, People, BedNights, WithoutVat, Vat, WithVat}});
    layout.groups.back().footer = {
        list::RowHeight, {}, [&scope, state, group](PageCanvas& canvas, const BandContext& context) {
            drawSums(canvas, list::Baseline, scope.totals(), context.level);
            cellText(canvas, group, list::Baseline, state->group);
        }};
    layout.onEnd = [&scope, group](PageComposer& composer) {
        return composer.print({SumLineHeight, {}, [&scope, group](PageCanvas& canvas, const BandContext&) {
                                   canvas.line({list::Left, pt(1)}, {list::Right, pt(1)});
                                   drawSums(canvas, SumBaseline, scope.totals(), -1);
                                   canvas.text({list::Left, SumBaseline}, "Iš viso:");
                                   canvas.text({group.right, SumBaseline},
                                               nightsText(scope.totals().report(Nights)), Align::Right);
                               }});
    };
}

} // namespace summary

// IData | INr | Gyventojas | Kambariai | Nuo | Iki | Lovdn | Išv | GyvSkč | Pajamų*: a line per stay
// under its country's or group's header.
namespace detail {

const ReportColumn Registered{"IData", list::Left, mm(29)};
const ReportColumn Number{"INr", mm(29), mm(41), Align::Right};
const ReportColumn Resident{"Gyventojas", mm(43), mm(84)};
const ReportColumn Rooms{"Kambariai", mm(86), mm(116)};
const ReportColumn Arrival{"Nuo", mm(118), mm(132)};
const ReportColumn Departure{"Iki", mm(133), mm(147)};
const ReportColumn BedNights{"Lovdn", mm(147), mm(159), Align::Right};
const ReportColumn Departed{"Išv", mm(160), mm(166), Align::Right};
const ReportColumn People{"GyvSkč", mm(166), mm(178), Align::Right};
const ReportColumn Income{"Pajamų*", mm(179), list::Right, Align::Right};

// "Iš viso:" with the people, bed-nights, income and nights of a group (level 0) or of the report (-1).
Band sumBand(const ReportScope& scope, bool whole) {
    return {SumLineHeight, {}, [&scope, whole](PageCanvas& canvas, const BandContext& context) {
                const ReportTotals& totals = scope.totals();
                const auto sum = [&](Sum which) {
                    return whole ? totals.report(which) : totals.group(context.level, which);
                };
                canvas.line({Resident.left, pt(1)}, {list::Right, pt(1)});
                canvas.setFont(list::detailFont());
                cellText(canvas, Resident, SumBaseline, "Iš viso:");
                canvas.text({Arrival.left, SumBaseline}, nightsText(sum(Nights)));
                cellText(canvas, BedNights, SumBaseline, countPicture().format(sum(Sum::BedNights)));
                cellText(canvas, People, SumBaseline, countPicture().format(sum(Sum::People)));
                cellText(canvas, Income, SumBaseline, amountPicture().format(sum(Sum::WithVat)));
            }};
}

void lay(ReportLayout& layout, ReportScope& scope, const ResidentStatistics& report,
         const std::shared_ptr<IncomeState>& state) {
    const Record& stay = scope.record(SAS::table);
    layout.page.pageHeader = listPageHeader(scope, {report.title,
                                                    true,
                                                    {Registered, Number, Resident, Rooms, Arrival, Departure,
                                                     BedNights, Departed, People, Income}});
    GroupBreak& group = layout.groups.back();
    group.header = {list::RowHeight + pt(4), {}, [&stay, report](PageCanvas& canvas, const BandContext&) {
                        canvas.setFont(list::headFont());
                        canvas.text({list::Left, pt(4) + list::Baseline},
                                    std::string(report.grouping.head) + ": " +
                                        stay.get(report.grouping.field));
                    }};
    group.footer = sumBand(scope, false);
    layout.detail = {
        list::RowHeight, {}, [&stay, state](PageCanvas& canvas, const BandContext&) {
            static const Picture flag = Picture::number(1, 0, true);
            const std::int64_t people = stay.get(SAS::GYVENTOJUSKC);
            canvas.setFont(list::detailFont());
            cellText(canvas, Registered, list::Baseline, formatDateNarrow(stay.get(SAS::IrasoDt)));
            cellText(canvas, Number, list::Baseline, std::to_string(stay.get(SAS::IrasoNr)));
            cellText(canvas, Resident, list::Baseline, stay.get(SAS::Gyventojas));
            cellText(canvas, Rooms, list::Baseline, stay.get(SAS::KAMBARIAI));
            cellText(canvas, Arrival, list::Baseline, formatDateNarrow(stay.get(SAS::GyvenaNuo)));
            cellText(canvas, Departure, list::Baseline, formatDateNarrow(stay.get(SAS::GyvenaIki)));
            cellText(canvas, BedNights, list::Baseline,
                     countPicture().format(std::int64_t(state->share.nights * people)));
            cellText(canvas, Departed, list::Baseline, flag.format(std::int64_t(stay.get(SAS::Isvykes))));
            cellText(canvas, People, list::Baseline, countPicture().format(people));
            cellText(canvas, Income, list::Baseline, amountPicture().format(state->share.withVat));
        }};
    layout.onEnd = [&scope](PageComposer& composer) {
        return composer.print(sumBand(scope, true));
    };
}

} // namespace detail

ReportLayout incomeLayout(ReportScope& scope, const ResidentStatistics& report) {
    const Record& stay = scope.record(SAS::table);
    const auto state = std::make_shared<IncomeState>();
    ReportLayout layout;

    // The stay's share of the period, before its group breaks and its bands.
    layout.onRecord = [&scope, &stay, state] {
        const Globals& globals = scope.globals();
        state->share = incomeShare(globals.PrDt, globals.GalDt, stay.get(SAS::GyvenaNuo),
                                   stay.get(SAS::GyvenaIki), stay.get(SAS::BSUMA), stay.get(SAS::BSUMASUPVM));
        return true;
    };
    layout.groups.push_back(residentGroupBreak(stay, report.grouping));

    layout.accumulate = [&stay, report, state](ReportTotals& totals) {
        const std::int64_t people = stay.get(SAS::GYVENTOJUSKC);
        if (totals.groupCount(0) == 0) { // the group's first stay names it
            state->group = stay.get(report.grouping.field);
        }
        totals.add(People, people);
        totals.add(BedNights, state->share.nights * people);
        totals.add(Nights, state->share.nights);
        totals.add(WithoutVat, state->share.withoutVat);
        totals.add(Vat, state->share.vat);
        totals.add(WithVat, state->share.withVat);
    };
    if (report.detailed) {
        detail::lay(layout, scope, report, state);
    } else {
        summary::lay(layout, scope, report, state);
    }
    layout.reportFooter = stacked(compiledByBand(), footnoteBand(Footnote));
    return layout;
}

template <const ResidentStatistics& Report> ReportLayout layoutOf(ReportScope& scope) {
    return incomeLayout(scope, Report);
}

constexpr ResidentStatistics ByCountry{ResidentsByCountry, "PAJAMŲ SUVESTINĖ PAGAL VALSTYBES*", false};
constexpr ResidentStatistics ByCountryDetailed{ResidentsByCountry, "PAJAMŲ ŽINIARAŠTIS PAGAL VALSTYBES*",
                                               true};
constexpr ResidentStatistics ByGroup{ResidentsByGroup, "PAJAMŲ SUVESTINĖ PAGAL GYVENTOJŲ GRUPES*", false};
constexpr ResidentStatistics ByGroupDetailed{ResidentsByGroup, "PAJAMŲ ŽINIARAŠTIS PAGAL GYVENTOJŲ GRUPES*",
                                             true};

template <const ResidentStatistics& Report>
ReportSpec incomeSpec(std::string_view name, std::string_view title) {
    return {name, title, RunStyle::Report, ParameterDialog::Period, SAS::table,
            {},   {},    InPeriod,         Report.grouping.order,   layoutOf<Report>};
}

} // namespace

const ReportSpec& SpStatPajValst() {
    static const ReportSpec definition =
        incomeSpec<ByCountry>("SpStatPajValst", "Statistinė-pajamų suvestinė pagal valstybes");
    return definition;
}

const ReportSpec& SpStatPajValstDet() {
    static const ReportSpec definition = incomeSpec<ByCountryDetailed>(
        "SpStatPajValstDet", "Statistinis-pajamų žiniaraštis pagal valstybes detalus");
    return definition;
}

const ReportSpec& SpStatPajGrup() {
    static const ReportSpec definition =
        incomeSpec<ByGroup>("SpStatPajGrup", "Statistinė-pajamų suvestinė pagal gyv. grupes");
    return definition;
}

const ReportSpec& SpStatPajGrupDet() {
    static const ReportSpec definition = incomeSpec<ByGroupDetailed>(
        "SpStatPajGrupDet", "Statistinis-pajamų žiniaraštis pagal grupes detalus");
    return definition;
}

} // namespace nakva
