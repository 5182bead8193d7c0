#include "reports/SpZurnala.h"

#include "data/Context.h"
#include "data/Database.h"
#include "data/Fields.h"
#include "data/Record.h"
#include "data/Table.h"
#include "messages/ErrorText.h"
#include "messages/StandardWarnings.h"
#include "reports/Invoice.h"
#include "reports/ListHeading.h"
#include "reports/TextMetrics.h"
#include "ui/Picture.h"

#include <algorithm>
#include <limits>
#include <memory>

namespace nakva {

namespace {

constexpr int WarningReadError = 26;

// What the three registers print differently.
struct JournalKind {
    std::string_view title;    // the page heading
    std::string_view dateHead; // "Data", or "RegData" in the resident list
    bool payments = false;     // "Apm.:" the sum paid (and the group where the country stands)
    bool groupLine = false;    // "Grupe.:" and the group under the payment method
    bool bedDays = true;       // the "Lovd" column
};

// Data | Kambariai | Klientas | Svečias | Atv. data | Išv. data | Gyv. skaičius | Parų | Lovd | Pastabos,
// across a landscape page; without the bed-days the remarks take their place.
const ReportColumn Registered{"Data", list::Left, mm(33)};
const ReportColumn Rooms{"Kambariai", mm(35), mm(58)};
const ReportColumn Payer{"Klientas", mm(60), mm(105)};
const ReportColumn Guest{"Svečias", mm(107), mm(162)};
const ReportColumn Arrival{"Atv. data", mm(164), mm(182)};
const ReportColumn Departure{"Išv. data", mm(184), mm(202)};
const ReportColumn People{"Gyv. skaičius", mm(204), mm(225), Align::Right};
const ReportColumn Days{"Parų", mm(227), mm(237), Align::Right};
const ReportColumn BedDays{"Lovd", mm(239), mm(249), Align::Right};

ReportColumn remarksColumn(const JournalKind& kind) {
    return {"Pastabos", kind.bedDays ? mm(252) : mm(240), list::LandscapeRight};
}

std::vector<ReportColumn> columns(const JournalKind& kind) {
    ReportColumn date = Registered;
    date.heading = kind.dateHead;
    std::vector<ReportColumn> heads{date, Rooms, Payer, Guest, Arrival, Departure, People, Days};
    if (kind.bedDays) {
        heads.push_back(BedDays);
    }
    heads.push_back(remarksColumn(kind));
    return heads;
}

enum Sum { SumResidents, SumDays, SumBedDays, SumPaid };

const Picture& amountPicture() {
    static const Picture picture = Picture::number(12, 2);
    return picture;
}

const Picture& countPicture() {
    static const Picture picture = Picture::number(6, 0, true);
    return picture;
}

// The lines of one entry in the columns that take more than one.
struct EntryLines {
    std::vector<std::string> rooms;
    std::vector<std::string> payer;
    std::vector<std::string> guest;
    std::vector<std::string> remarks;

    int height() const {
        const std::size_t lines =
            std::max({std::size_t(1), rooms.size(), payer.size(), guest.size(), remarks.size()});
        return int(lines) * list::RowHeight + pt(3);
    }
};

void append(std::vector<std::string>& lines, std::vector<std::string> more) {
    for (std::string& line : more) {
        lines.push_back(std::move(line));
    }
}

EntryLines entryLines(const JournalKind& kind, const Record& registration, const Record& payer,
                      const Decimal& paid) {
    const Font font = list::detailFont();
    const std::string& group = registration.get(SAS::GyventojoGrupe);
    EntryLines lines;
    lines.rooms = wrapText(registration.get(SAS::KAMBARIAI), font, Rooms.width());
    append(lines.payer, wrapText(payer.get(KLI::PAV), font, Payer.width()));
    lines.payer.push_back(
        "Apm.: " + (kind.payments ? amountPicture().format(paid) : registration.get(SAS::MOKEJIMOBUDAS)));
    if (kind.groupLine) {
        lines.payer.push_back("Grupe.: " + group);
    }
    append(lines.guest, wrapText(registration.get(SAS::Gyventojas), font, Guest.width()));
    lines.guest.push_back("a.k. " + registration.get(SAS::GYVENTOJOAK));
    lines.guest.push_back(kind.payments ? group : registration.get(SAS::GYVENTOJOVALSTYBE));
    append(lines.guest, wrapText(registration.get(SAS::GYVENTOJOADRESAS), font, Guest.width()));
    lines.remarks = wrapText(registration.get(SAS::KOMENTARAI), font, remarksColumn(kind).width());
    return lines;
}

void drawLines(PageCanvas& canvas, const ReportColumn& column, const std::vector<std::string>& lines) {
    int baseline = list::Baseline;
    for (const std::string& line : lines) {
        cellText(canvas, column, baseline, line);
        baseline += list::RowHeight;
    }
}

// The registration being printed: its payments and its lines, worked out once for its measure and
// its drawing.
struct Entry {
    Decimal paid;
    EntryLines lines;
};

ReportLayout journalLayout(ReportScope& scope, const JournalKind& kind) {
    const Record& registration = scope.record(SAS::table);
    const Record& payer = scope.record(KLI::table);
    const auto entry = std::make_shared<Entry>();
    ReportLayout layout;
    layout.page.orientation = PageOrientation::Landscape;
    layout.page.bodyBottom = mm(200);
    layout.page.pageHeader = listPageHeader(scope, {.title = kind.title,
                                                    .period = true,
                                                    .columns = columns(kind),
                                                    .group = true,
                                                    .right = list::LandscapeRight});

    layout.onRecord = [&scope, &registration, &payer, kind, entry] {
        invoice::fetchPayer(scope);
        entry->paid =
            kind.payments ? paidFor(scope.context(), registration.get(SAS::IrasoNr)).paid : Decimal();
        entry->lines = entryLines(kind, registration, payer, entry->paid);
        return true;
    };
    layout.accumulate = [&registration, entry](ReportTotals& totals) {
        totals.add(SumResidents, registration.get(SAS::GYVENTOJUSKC));
        totals.add(SumDays, registration.get(SAS::GYVENAPARU));
        totals.add(SumBedDays, registration.get(SAS::GYVENALOVADIENIU));
        totals.add(SumPaid, entry->paid);
    };
    layout.detail.measure = [entry] {
        return entry->lines.height();
    };
    layout.detail.draw = [&registration, kind, entry](PageCanvas& canvas, const BandContext&) {
        canvas.setFont(list::detailFont());
        cellText(canvas, Registered, list::Baseline, formatDate(registration.get(SAS::IrasoDt)));
        drawLines(canvas, Rooms, entry->lines.rooms);
        drawLines(canvas, Payer, entry->lines.payer);
        drawLines(canvas, Guest, entry->lines.guest);
        cellText(canvas, Arrival, list::Baseline, formatDate(registration.get(SAS::GyvenaNuo)));
        cellText(canvas, Departure, list::Baseline, formatDate(registration.get(SAS::GyvenaIki)));
        cellText(canvas, People, list::Baseline, countPicture().format(registration.get(SAS::GYVENTOJUSKC)));
        cellText(canvas, Days, list::Baseline, countPicture().format(registration.get(SAS::GYVENAPARU)));
        if (kind.bedDays) {
            cellText(canvas, BedDays, list::Baseline,
                     countPicture().format(registration.get(SAS::GYVENALOVADIENIU)));
        }
        drawLines(canvas, remarksColumn(kind), entry->lines.remarks);
    };

    // "Iš viso:" with the number of entries and the sums.
    layout.reportFooter = {
        pt(20), {}, [&scope, kind](PageCanvas& canvas, const BandContext&) {
            static const Picture sum = Picture::number(8);
            const ReportTotals& totals = scope.totals();
            const int baseline = pt(4) + list::Baseline;
            canvas.line({list::Left, pt(1)}, {list::LandscapeRight, pt(1)});
            canvas.setFont(list::detailFont());
            canvas.text({list::Left, baseline}, "Iš viso: " + std::to_string(totals.reportCount()));
            if (kind.payments) {
                cellText(canvas, Payer, baseline, "Apm.: " + amountPicture().format(totals.report(SumPaid)));
            }
            cellText(canvas, People, baseline, sum.format(totals.report(SumResidents)));
            cellText(canvas, Days, baseline, sum.format(totals.report(SumDays)));
            if (kind.bedDays) {
                cellText(canvas, BedDays, baseline, sum.format(totals.report(SumBedDays)));
            }
        }};
    return layout;
}

template <const JournalKind& Kind> ReportLayout layoutOf(ReportScope& scope) {
    return journalLayout(scope, Kind);
}

constexpr JournalKind Journal{"REGISTRACIJOS ŽURNALAS", "Data"};
constexpr JournalKind JournalWithPayments{"REGISTRACIJOS ŽURNALAS", "Data", true};
constexpr JournalKind ResidentList{"GYVENTOJŲ SĄRAŠAS", "RegData", false, true, false};

constexpr std::string_view ByRegistrationDate = "+SAS:IrasoDt,+SAS:IrasoNr"; // the key SAS:IDTKEY

ReportSpec journalSpec(std::string_view name, std::string_view title, std::string_view filter,
                       std::function<ReportLayout(ReportScope&)> layout) {
    return {.name = name,
            .title = title,
            .style = RunStyle::Process,
            .dialog = ParameterDialog::Journal,
            .table = SAS::table,
            .joins = {},
            .related = {KLI::table},
            .filter = filter,
            .order = ByRegistrationDate,
            .layout = std::move(layout)};
}

// Both end with the resident group chosen in the dialog, or every group when none is.
constexpr std::string_view RegisteredInPeriod =
    "SAS:IrasoDt >= GLO:PrDt AND SAS:IrasoDt <= GLO:GalDt AND "
    "~(GLO:Grupe AND UPPER(GLO:Grupe) <> UPPER(SAS:GyventojoGrupe))";

// The stays with a guest in the house in the period: arriving in it, or arriving before it and
// departing after its first day (a guest leaving on the period's last day was there all along).
constexpr std::string_view InHouseInPeriod = "GLO:PrDt <= GLO:GalDt AND SAS:GyvenaNuo <= GLO:GalDt AND "
                                             "(SAS:GyvenaNuo >= GLO:PrDt OR SAS:GyvenaIki > GLO:PrDt) AND "
                                             "~(GLO:Grupe AND UPPER(GLO:Grupe) <> UPPER(SAS:GyventojoGrupe))";

} // namespace

PaidSum paidFor(Context& context, std::int32_t registration) {
    PaidSum sum;
    Table payments(context, MOK::table, false);
    payments.open();
    Record& payment = payments.record();
    payment.set(MOK::SaskIrasoNr, registration);
    payment.set(MOK::IrasoNr, std::numeric_limits<std::int32_t>::min());
    StoreStatus status = payments.setToKeyValue(MOK::SASKIDMOKIDKEY);
    while (status == StoreStatus::Ok && (status = payments.next()) == StoreStatus::Ok &&
           payment.get(MOK::SaskIrasoNr) == registration) {
        sum.paid += payment.get(MOK::MOKSUMA);
    }
    if (status != StoreStatus::Ok && status != StoreStatus::EndOfData) {
        saveErrorCondition();
        standardWarning(WarningReadError, Database::fileName(MOK::table));
        sum.failed = true;
    }
    payments.close();
    return sum;
}

const ReportSpec& SpZurnala() {
    static const ReportSpec definition =
        journalSpec("SpZurnala", "Registracijos žurnalo ataskaita", RegisteredInPeriod, layoutOf<Journal>);
    return definition;
}

const ReportSpec& SpZurnala2() {
    static const ReportSpec definition = journalSpec("SpZurnala2", "Registracijos žurnalo ataskaita su apmok",
                                                     RegisteredInPeriod, layoutOf<JournalWithPayments>);
    return definition;
}

const ReportSpec& SpGyventSarasa() {
    static const ReportSpec definition =
        journalSpec("SpGyventSarasa", "Gyventoju sarašas", InHouseInPeriod, layoutOf<ResidentList>);
    return definition;
}

} // namespace nakva
