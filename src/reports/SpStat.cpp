#include "reports/SpStat.h"

#include "data/Fields.h"
#include "data/Record.h"
#include "reports/ListHeading.h"
#include "reports/ResidentGroups.h"
#include "ui/Picture.h"

#include <memory>

namespace nakva {

namespace {

constexpr std::string_view Footnote = "* statistika skaičiuojama pagal registracijos datą";

// The sums the run keeps by group and in all.
enum Sum { People, BedDays, WithoutVat, Vat, WithVat };

const Picture& countPicture() {
    static const Picture picture = Picture::number(6, 0, true);
    return picture;
}

const Picture& amountPicture() {
    static const Picture picture = Picture::number(13, 2, true);
    return picture;
}

constexpr int SumLineHeight = list::RowHeight + pt(4);
constexpr int SumBaseline = pt(4) + list::Baseline;

// The sums of a band's group, or of the report when `whole`.
struct Sums {
    const ReportTotals& totals;
    int level;
    bool whole;

    Decimal operator()(Sum which) const { return whole ? totals.report(which) : totals.group(level, which); }
};

// The country or group as its first registration names it (its letter case may differ from the rest).
struct GroupName {
    std::string name;
};

// Valstybė | Žmonių skč. | Lovadienių | Be PVM | Su PVM | PVM: a line per country or group.
namespace summary {

const ReportColumn PeopleColumn{"Žmonių skč.", mm(72), mm(95), Align::Right};
const ReportColumn BedDaysColumn{"Lovadienių", mm(97), mm(118), Align::Right};
const ReportColumn WithoutVatColumn{"Be PVM", mm(120), mm(147), Align::Right};
const ReportColumn WithVatColumn{"Su PVM", mm(149), mm(175), Align::Right};
const ReportColumn VatColumn{"PVM", mm(177), list::Right, Align::Right};

ReportColumn groupColumn(const ResidentStatistics& report) {
    return {report.grouping.head, list::Left, mm(70)};
}

// A group's line, or the closing "Iš viso:" line when `whole`.
Band figures(const ReportScope& scope, const ResidentStatistics& report,
             std::shared_ptr<const GroupName> group, bool whole) {
    return {whole ? SumLineHeight : list::RowHeight,
            {},
            [&scope, report, group, whole](PageCanvas& canvas, const BandContext& context) {
                const int baseline = whole ? SumBaseline : list::Baseline;
                const Sums sum{scope.totals(), context.level, whole};
                if (whole) {
                    canvas.line({list::Left, pt(1)}, {list::Right, pt(1)});
                }
                canvas.setFont(list::detailFont());
                cellText(canvas, groupColumn(report), baseline, whole ? "Iš viso:" : group->name);
                cellText(canvas, PeopleColumn, baseline, countPicture().format(sum(People)));
                cellText(canvas, BedDaysColumn, baseline, countPicture().format(sum(BedDays)));
                cellText(canvas, WithoutVatColumn, baseline, amountPicture().format(sum(WithoutVat)));
                cellText(canvas, WithVatColumn, baseline, amountPicture().format(sum(WithVat)));
                cellText(canvas, VatColumn, baseline, amountPicture().format(sum(Vat)));
            }};
}

void lay(ReportLayout& layout, ReportScope& scope, const ResidentStatistics& report,
         const std::shared_ptr<const GroupName>& group) {
    layout.page.pageHeader = listPageHeader(scope, {report.title,
                                                    true,
                                                    {groupColumn(report), PeopleColumn, BedDaysColumn,
                                                     WithoutVatColumn, WithVatColumn, VatColumn}});
    layout.groups.back().footer = figures(scope, report, group, false);
    layout.onEnd = [&scope, report, group](PageComposer& composer) {
        return composer.print(figures(scope, report, group, true));
    };
}

} // namespace summary

// Gyv. skč. | Lovdn. | Gyventojas | ĮrašoNr | Data | Suma: a line per registration under its country's
// or group's name.
namespace detail {

const ReportColumn PeopleColumn{"Gyv. skč.", list::Left, mm(32), Align::Right};
const ReportColumn BedDaysColumn{"Lovdn.", mm(34), mm(50), Align::Right};
const ReportColumn Resident{"Gyventojas", mm(54), mm(120)};
const ReportColumn Number{"ĮrašoNr", mm(122), mm(142), Align::Right};
const ReportColumn Registered{"Data", mm(146), mm(166)};
const ReportColumn Amount{"Suma", mm(168), list::Right, Align::Right};

// "Iš viso" with a group's people, bed-days and amount with VAT, or "Iš viso:" with the report's.
Band sums(const ReportScope& scope, bool whole) {
    return {SumLineHeight, {}, [&scope, whole](PageCanvas& canvas, const BandContext& context) {
                const Sums sum{scope.totals(), context.level, whole};
                canvas.line({list::Left, pt(1)}, {list::Right, pt(1)});
                canvas.setFont(list::detailFont());
                cellText(canvas, PeopleColumn, SumBaseline, countPicture().format(sum(People)));
                cellText(canvas, BedDaysColumn, SumBaseline, countPicture().format(sum(BedDays)));
                cellText(canvas, Resident, SumBaseline, whole ? "Iš viso:" : "Iš viso");
                cellText(canvas, Amount, SumBaseline, amountPicture().format(sum(WithVat)));
            }};
}

void lay(ReportLayout& layout, ReportScope& scope, const ResidentStatistics& report) {
    const Record& registration = scope.record(SAS::table);
    layout.page.pageHeader = listPageHeader(
        scope, {report.title, true, {PeopleColumn, BedDaysColumn, Resident, Number, Registered, Amount}});
    GroupBreak& group = layout.groups.back();
    group.header = {
        list::RowHeight + pt(4), {}, [&registration, report](PageCanvas& canvas, const BandContext&) {
            canvas.setFont(list::headFont());
            canvas.text({list::Left, pt(4) + list::Baseline}, registration.get(report.grouping.field));
        }};
    group.footer = sums(scope, false);
    layout.detail = {
        list::RowHeight, {}, [&registration](PageCanvas& canvas, const BandContext&) {
            canvas.setFont(list::detailFont());
            cellText(canvas, PeopleColumn, list::Baseline,
                     countPicture().format(registration.get(SAS::GYVENTOJUSKC)));
            cellText(canvas, BedDaysColumn, list::Baseline,
                     countPicture().format(registration.get(SAS::GYVENALOVADIENIU)));
            cellText(canvas, Resident, list::Baseline, registration.get(SAS::Gyventojas));
            cellText(canvas, Number, list::Baseline, std::to_string(registration.get(SAS::IrasoNr)));
            cellText(canvas, Registered, list::Baseline, formatDate(registration.get(SAS::IrasoDt)));
            cellText(canvas, Amount, list::Baseline,
                     amountPicture().format(registration.get(SAS::BSUMASUPVM)));
        }};
    layout.onEnd = [&scope](PageComposer& composer) {
        return composer.print(sums(scope, true));
    };
}

} // namespace detail

ReportLayout statisticsLayout(ReportScope& scope, const ResidentStatistics& report) {
    const Record& registration = scope.record(SAS::table);
    const auto group = std::make_shared<GroupName>();
    ReportLayout layout;
    layout.groups.push_back(residentGroupBreak(registration, report.grouping));
    layout.accumulate = [&registration, report, group](ReportTotals& totals) {
        if (totals.groupCount(0) == 0) {
            group->name = registration.get(report.grouping.field);
        }
        totals.add(People, registration.get(SAS::GYVENTOJUSKC));
        totals.add(BedDays, registration.get(SAS::GYVENALOVADIENIU));
        totals.add(WithoutVat, registration.get(SAS::BSUMA));
        totals.add(Vat, registration.get(SAS::PVMSUMA));
        totals.add(WithVat, registration.get(SAS::BSUMASUPVM));
    };
    if (report.detailed) {
        detail::lay(layout, scope, report);
    } else {
        summary::lay(layout, scope, report, group);
    }
    layout.reportFooter = stacked(compiledByBand(), footnoteBand(Footnote));
    return layout;
}

template <const ResidentStatistics& Report> ReportLayout layoutOf(ReportScope& scope) {
    return statisticsLayout(scope, Report);
}

constexpr ResidentStatistics ByCountry{ResidentsByCountry, "STATISTIKA PAGAL VALSTYBES*", false};
constexpr ResidentStatistics ByCountryDetailed{ResidentsByCountry, "STATISTIKA PAGAL VALSTYBES DETALI*",
                                               true};
constexpr ResidentStatistics ByGroup{ResidentsByGroup, "STATISTIKA PAGAL GYVENTOJŲ GRUPES*", false};
constexpr ResidentStatistics ByGroupDetailed{ResidentsByGroup, "STATISTIKA PAGAL GYVENTOJŲ GRUPES DETALI*",
                                             true};

template <const ResidentStatistics& Report>
ReportSpec statisticsSpec(std::string_view name, std::string_view title) {
    return {.name = name,
            .title = title,
            .style = RunStyle::Report,
            .dialog = ParameterDialog::Period,
            .table = SAS::table,
            .joins = {},
            .related = {},
            // By the registration date; a period that ends before it starts selects nothing.
            .filter = "SAS:IrasoDt >= GLO:PrDt AND SAS:IrasoDt <= GLO:GalDt",
            .order = Report.grouping.order,
            .layout = layoutOf<Report>};
}

} // namespace

const ReportSpec& SpStatValst() {
    static const ReportSpec definition =
        statisticsSpec<ByCountry>("SpStatValst", "Statistika pagal valstybes pagal reg. datą");
    return definition;
}

const ReportSpec& SpStatValstDet() {
    static const ReportSpec definition = statisticsSpec<ByCountryDetailed>(
        "SpStatValstDet", "Statistika pagal valstybes pagal reg. datą detali");
    return definition;
}

const ReportSpec& SpStatGrup() {
    static const ReportSpec definition =
        statisticsSpec<ByGroup>("SpStatGrup", "Statistika pagal grupes pagal reg. datą");
    return definition;
}

const ReportSpec& SpStatGrupDet() {
    static const ReportSpec definition =
        statisticsSpec<ByGroupDetailed>("SpStatGrupDet", "Statistika pagal grupes pagal reg. datą detali");
    return definition;
}

} // namespace nakva
