#include "reports/SpApmZin.h"

#include "data/Fields.h"
#include "data/Record.h"
#include "reports/Invoice.h"
#include "reports/ListHeading.h"
#include "reports/TextMetrics.h"

#include <algorithm>

namespace nakva {

namespace {

// What a column of a payment ledger shows.
enum class Shows {
    PaymentDayAndNumber,      // MOK:MokDt, and MOK:IrasoNr at the column's right
    PaymentDay,               // MOK:MokDt
    Amount,                   // MOK:MOKSUMA, and the sums under it
    Comment,                  // MOK:KOMENTARAI, wrapped to the column
    RegistrationDayAndNumber, // SAS:IrasoDt, and SAS:IrasoNr at the column's right
    Resident,                 // SAS:Gyventojas
    Group,                    // SAS:GyventojoGrupe
    Sent,                     // SAS:ISSIUSTA, 1 or blank
};

struct LedgerColumn {
    ReportColumn column;
    Shows shows;
};

struct PaymentLedger {
    std::string_view title;
    std::vector<LedgerColumn> columns; // left to right
};

const PaymentLedger A1{"APMOKĖJIMO ŽINIARAŠTIS A1",
                       {{{"Mokėjimo data, nr.", list::Left, mm(48)}, Shows::PaymentDayAndNumber},
                        {{"Suma", mm(50), mm(72), Align::Right}, Shows::Amount},
                        {{"Komentaras", mm(75), mm(126)}, Shows::Comment},
                        {{"Registracijos data, nr.", mm(128), mm(163)}, Shows::RegistrationDayAndNumber},
                        {{"Grupė", mm(165), mm(191)}, Shows::Group},
                        {{"Išs.", mm(192), list::Right, Align::Center}, Shows::Sent}}};

const PaymentLedger A2{"APMOKĖJIMO ŽINIARAŠTIS A2",
                       {{{"Mok.data", list::Left, mm(33)}, Shows::PaymentDay},
                        {{"Apm.suma", mm(34), mm(54), Align::Right}, Shows::Amount},
                        {{"Komentaras", mm(57), mm(99)}, Shows::Comment},
                        {{"Registracijos data. nr.", mm(101), mm(136)}, Shows::RegistrationDayAndNumber},
                        {{"Klientas", mm(138), mm(168)}, Shows::Resident},
                        {{"Grupė", mm(170), mm(191)}, Shows::Group},
                        {{"Išs.", mm(192), list::Right, Align::Center}, Shows::Sent}}};

const ReportColumn& amountColumn(const PaymentLedger& ledger) {
    return std::ranges::find(ledger.columns, Shows::Amount, &LedgerColumn::shows)->column;
}

std::vector<std::string> commentLines(const Record& payment, const PaymentLedger& ledger) {
    const auto comment = std::ranges::find(ledger.columns, Shows::Comment, &LedgerColumn::shows);
    return wrapText(payment.get(MOK::KOMENTARAI), list::detailFont(), comment->column.width());
}

// A date at the column's left and a record number at its right.
void dayAndNumber(PageCanvas& canvas, const ReportColumn& column, Date day, std::int32_t number) {
    canvas.text({column.left, list::Baseline}, formatDate(day));
    canvas.text({column.right, list::Baseline}, std::to_string(number), Align::Right);
}

// A line of sums under a rule: a method's "Iš viso:" and the report's "Iš viso :".
Band sumBand(const ReportScope& scope, const PaymentLedger& ledger, std::string_view label, bool whole) {
    return {list::RowHeight + pt(6),
            {},
            [&scope, &ledger, label, whole](PageCanvas& canvas, const BandContext& context) {
                const ReportColumn& amount = amountColumn(ledger);
                const int baseline = pt(4) + list::Baseline;
                canvas.line({list::Left, pt(1)}, {amount.right, pt(1)});
                canvas.setFont({"Arial", 9, true});
                canvas.text({list::Left, baseline}, label);
                const ReportTotals& totals = scope.totals();
                cellText(canvas, amount, baseline,
                         invoice::amountText(whole ? totals.report(0) : totals.group(context.level, 0)));
            }};
}

ReportLayout ledgerLayout(ReportScope& scope, const PaymentLedger& ledger) {
    const Record& payment = scope.record(MOK::table);
    const Record& registration = scope.record(SAS::table);
    const Record& method = scope.record(MOK1::table);
    ReportLayout layout;
    std::vector<ReportColumn> heads;
    for (const LedgerColumn& column : ledger.columns) {
        heads.push_back(column.column);
    }
    layout.page.pageHeader = listPageHeader(scope, {ledger.title, true, std::move(heads)});

    GroupBreak byMethod;
    byMethod.key = [&payment] {
        return std::to_string(payment.get(MOK::MokejimoBudas));
    };
    byMethod.header = {
        list::RowHeight + pt(6), {}, [&payment, &method](PageCanvas& canvas, const BandContext&) {
            canvas.setFont(list::headFont());
            canvas.text({list::Left, pt(6) + list::Baseline},
                        std::to_string(payment.get(MOK::MokejimoBudas)) + "  " +
                            method.get(MOK1::MOKBUDOPAV));
        }};
    byMethod.footer = sumBand(scope, ledger, "Iš viso:", false);
    layout.groups.push_back(std::move(byMethod));

    layout.accumulate = [&payment](ReportTotals& totals) {
        totals.add(0, payment.get(MOK::MOKSUMA));
    };
    layout.detail.measure = [&payment, &ledger] {
        return std::max<int>(1, int(commentLines(payment, ledger).size())) * list::RowHeight;
    };
    layout.detail.draw = [&payment, &registration, &ledger](PageCanvas& canvas, const BandContext&) {
        canvas.setFont(list::detailFont());
        for (const LedgerColumn& column : ledger.columns) {
            const ReportColumn& at = column.column;
            switch (column.shows) {
            case Shows::PaymentDayAndNumber:
                dayAndNumber(canvas, at, payment.get(MOK::MokDt), payment.get(MOK::IrasoNr));
                break;
            case Shows::PaymentDay:
                cellText(canvas, at, list::Baseline, formatDate(payment.get(MOK::MokDt)));
                break;
            case Shows::Amount:
                cellText(canvas, at, list::Baseline, invoice::amountText(payment.get(MOK::MOKSUMA)));
                break;
            case Shows::Comment: {
                int baseline = list::Baseline;
                for (const std::string& line : commentLines(payment, ledger)) {
                    cellText(canvas, at, baseline, line);
                    baseline += list::RowHeight;
                }
                break;
            }
            case Shows::RegistrationDayAndNumber:
                dayAndNumber(canvas, at, registration.get(SAS::IrasoDt), registration.get(SAS::IrasoNr));
                break;
            case Shows::Resident:
                cellText(canvas, at, list::Baseline, registration.get(SAS::Gyventojas));
                break;
            case Shows::Group:
                cellText(canvas, at, list::Baseline, registration.get(SAS::GyventojoGrupe));
                break;
            case Shows::Sent:
                cellText(canvas, at, list::Baseline, registration.get(SAS::ISSIUSTA) == 0 ? "" : "1");
                break;
            }
        }
    };
    layout.reportFooter = sumBand(scope, ledger, "Iš viso :", true);
    return layout;
}

template <const PaymentLedger& Ledger> ReportLayout layoutOf(ReportScope& scope) {
    return ledgerLayout(scope, Ledger);
}

ReportSpec ledgerSpec(std::string_view name, std::function<ReportLayout(ReportScope&)> layout) {
    return {
        .name = name,
        .title = "Mokėjimų žiniaraštis",
        .style = RunStyle::Process,
        .dialog = ParameterDialog::Period,
        .table = MOK::table,
        .joins = {SAS::table, MOK1::table},
        .related = {},
        .filter = "MOK:MokDt >= GLO:PrDt AND MOK:MokDt <= GLO:GalDt",
        .order = "+MOK:MokejimoBudas,+MOK:MokDt,+MOK:IrasoNr",
        .layout = std::move(layout),
    };
}

} // namespace

const ReportSpec& SpApmZin() {
    static const ReportSpec definition = ledgerSpec("SpApmZin", layoutOf<A1>);
    return definition;
}

const ReportSpec& SpApmZin2() {
    static const ReportSpec definition = ledgerSpec("SpApmZin2", layoutOf<A2>);
    return definition;
}

} // namespace nakva
