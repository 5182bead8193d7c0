#include "reports/SpEinReg.h"

#include "data/Collation.h"
#include "data/Fields.h"
#include "data/Record.h"
#include "reports/ListHeading.h"
#include "reports/OccupancyFigures.h"
#include "ui/Picture.h"

#include <memory>
#include <set>
#include <utility>

namespace nakva {

namespace {

// Grupė | Gyventojų | Lovadienių, and in the list each registration's resident under the group's
// name with Nuo | Iki | Kambariai.
const ReportColumn Group{"Grupė", list::Left, mm(75)};
const ReportColumn Residents{"Gyventojų", mm(77), mm(97), Align::Right};
const ReportColumn Days{"Lovadienių", mm(99), mm(119), Align::Right};
const ReportColumn Arrival{"Nuo", mm(124), mm(142)};
const ReportColumn Departure{"Iki", mm(144), mm(162)};
const ReportColumn Rooms{"Kambariai", mm(164), list::Right};
const ReportColumn Resident{"", mm(19), mm(75)};

enum Sum { SumResidents, SumDays };

// What the rows (each registration once with each of its rooms) have shown so far: the
// registrations counted and the rooms occupied under each group; at the end, the rooms of the house.
struct Occupancy {
    std::set<std::int32_t> registrations;
    std::set<std::pair<std::string, std::int32_t>> occupied; // (group upper-cased, room)
    std::int64_t rooms = 0;
};

const Picture& countPicture() {
    static const Picture picture = Picture::number(8);
    return picture;
}

void drawSums(PageCanvas& canvas, int baseline, const Decimal& residents, const Decimal& days) {
    canvas.setFont(list::detailFont());
    cellText(canvas, Residents, baseline, countPicture().format(residents));
    cellText(canvas, Days, baseline, countPicture().format(days));
}

// "Iš viso:" with the residents and days of a group (the band's level) or of the report (`whole`),
// under a rule.
Band totalBand(const ReportScope& scope, bool whole) {
    return {list::RowHeight + pt(4), {}, [&scope, whole](PageCanvas& canvas, const BandContext& context) {
                const ReportTotals& totals = scope.totals();
                const auto sum = [&](Sum which) {
                    return whole ? totals.report(which) : totals.group(context.level, which);
                };
                canvas.line({list::Left, pt(1)}, {Days.right, pt(1)});
                drawSums(canvas, pt(4) + list::Baseline, sum(SumResidents), sum(SumDays));
                canvas.text({whole ? list::Left : Resident.left, pt(4) + list::Baseline}, "Iš viso:");
            }};
}

// The rooms of the house: all of them, those occupied and those free.
Band roomsBand(std::shared_ptr<const Occupancy> occupancy) {
    return {3 * list::RowHeight + pt(6), {}, [occupancy](PageCanvas& canvas, const BandContext&) {
                const std::int64_t occupied = std::int64_t(occupancy->occupied.size());
                const std::pair<const char*, std::int64_t> lines[] = {
                    {"Iš viso kambarių:", occupancy->rooms},
                    {"Užimtų:", occupied},
                    {"Laisvų:", occupancy->rooms - occupied},
                };
                canvas.setFont(list::detailFont());
                int baseline = pt(6) + list::Baseline;
                for (const auto& [label, count] : lines) {
                    canvas.text({list::Left, baseline}, label);
                    cellText(canvas, Residents, baseline, countPicture().format(count));
                    baseline += list::RowHeight;
                }
            }};
}

ReportLayout currentResidentsLayout(ReportScope& scope, bool listed) {
    const Record& registration = scope.record(SAS::table);
    const Record& room = scope.record(SKMB::table);
    const auto occupancy = std::make_shared<Occupancy>();
    ReportLayout layout;
    std::vector<ReportColumn> heads{Group, Residents, Days};
    if (listed) {
        heads.insert(heads.end(), {Arrival, Departure, Rooms});
    }
    layout.page.pageHeader = listPageHeader(
        scope, {listed ? "NEIŠVYKUSIŲ GYVENTOJŲ SARAŠAS" : "NEIŠVYKUSIŲ GYVENTOJŲ STATISTIKA", false, heads});

    // Each row makes its room occupied under its group; a registration met again under its next room
    // is not counted or listed again.
    layout.onRecord = [&registration, &room, occupancy] {
        occupancy->occupied.emplace(upper(registration.get(SAS::GyventojoGrupe)), room.get(SKMB::KambarioID));
        return occupancy->registrations.insert(registration.get(SAS::IrasoNr)).second;
    };
    GroupBreak group;
    group.key = [&registration] {
        return upper(registration.get(SAS::GyventojoGrupe));
    };
    if (listed) {
        group.header = {
            list::RowHeight + pt(4), {}, [&registration](PageCanvas& canvas, const BandContext&) {
                canvas.setFont(list::headFont());
                canvas.text({list::Left, pt(4) + list::Baseline}, registration.get(SAS::GyventojoGrupe));
            }};
        group.footer = totalBand(scope, false);
        layout.detail = {
            list::RowHeight, {}, [&registration](PageCanvas& canvas, const BandContext&) {
                drawSums(canvas, list::Baseline, registration.get(SAS::GYVENTOJUSKC),
                         registration.get(SAS::GYVENAPARU));
                cellText(canvas, Resident, list::Baseline, registration.get(SAS::Gyventojas));
                cellText(canvas, Arrival, list::Baseline, formatDate(registration.get(SAS::GyvenaNuo)));
                cellText(canvas, Departure, list::Baseline, formatDate(registration.get(SAS::GyvenaIki)));
                cellText(canvas, Rooms, list::Baseline, registration.get(SAS::KAMBARIAI));
            }};
    } else {
        // A line per group; its footer sees the group's last registration, which names it.
        group.footer = {
            list::RowHeight, {}, [&scope, &registration](PageCanvas& canvas, const BandContext& context) {
                const ReportTotals& totals = scope.totals();
                drawSums(canvas, list::Baseline, totals.group(context.level, SumResidents),
                         totals.group(context.level, SumDays));
                cellText(canvas, Group, list::Baseline, registration.get(SAS::GyventojoGrupe));
            }};
    }
    layout.groups.push_back(std::move(group));

    layout.accumulate = [&registration](ReportTotals& totals) {
        totals.add(SumResidents, registration.get(SAS::GYVENTOJUSKC));
        totals.add(SumDays, registration.get(SAS::GYVENAPARU));
    };
    // Every room of the rooms' file, whatever its type or use.
    layout.onEnd = [&scope, occupancy](PageComposer& composer) {
        occupancy->rooms = allRooms(scope.context()).rooms;
        return composer.print(totalBand(scope, true));
    };
    layout.reportFooter = roomsBand(occupancy);
    return layout;
}

ReportSpec currentResidentsSpec(std::string_view name, std::string_view title,
                                std::function<ReportLayout(ReportScope&)> layout) {
    return {.name = name,
            .title = title,
            .style = RunStyle::Report,
            .dialog = ParameterDialog::None,
            .table = SKMB::table,
            .joins = {SAS::table},
            .related = {},
            .filter = "~SAS:Isvykes",
            .order = "+SAS:GyventojoGrupe,+SKMB:KambarioID,+SAS:IrasoNr",
            .layout = std::move(layout)};
}

} // namespace

const ReportSpec& SpEinRegStatistika() {
    static const ReportSpec definition =
        currentResidentsSpec("SpEinRegStatistika", "Neišvykusių gyventojų statistika",
                             [](ReportScope& scope) { return currentResidentsLayout(scope, false); });
    return definition;
}

const ReportSpec& SpEinRegSarasa() {
    static const ReportSpec definition =
        currentResidentsSpec("SpEinRegSarasa", "Neišvykusių gyventojų sarašą",
                             [](ReportScope& scope) { return currentResidentsLayout(scope, true); });
    return definition;
}

} // namespace nakva
