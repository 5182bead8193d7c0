#include "reports/Isaf.h"

#include "data/Collation.h"
#include "data/Context.h"
#include "data/Database.h"
#include "data/Fields.h"
#include "data/Table.h"
#include "data/View.h"
#include "messages/StandardWarnings.h"
#include "reference/VatRates.h"
#include "reports/Invoice.h"
#include "reports/IsafParties.h"
#include "reports/ReportParameters.h"
#include "reports/SpSaskSuvData.h"
#include "shell/Globals.h"

#include <ctime>
#include <map>

namespace nakva::isaf {

namespace {

constexpr int WarningReadError = 26;

std::string orNoData(const std::string& value) {
    return value.empty() ? std::string(NoData) : value;
}

// A guest who pays for himself: a private person of his country under his own name.
Customer guestOf(const Record& registration) {
    return {std::string(NoData), std::string(NoData), countryCode(registration.get(SAS::GYVENTOJOVALSTYBE)),
            orNoData(registration.get(SAS::Gyventojas))};
}

// The buyer of the registration's invoice: its payer, or without one the guest. A payer code that no
// payer has is told through `missingPayer`.
Customer customerOf(Table& payers, const Record& registration, std::string& missingPayer) {
    const std::string& payerCode = registration.get(SAS::KliKod);
    if (payerCode.empty()) {
        return guestOf(registration);
    }
    payers.clear();
    (void)payers.record().set(KLI::Kod, payerCode);
    if (payers.getByKey(KLI::KODKEY) != StoreStatus::Ok) {
        missingPayer = payerCode;
        return {};
    }
    const Record& payer = payers.record();
    const PartyCodes codes = buyerCodes(payer);
    Customer customer;
    customer.vatCode = orNoData(codes.vatCode);
    // Beside a VAT code the company code may stay empty; without either the register says ND.
    customer.code = !codes.code.empty() || !codes.vatCode.empty() ? codes.code : std::string(NoData);
    customer.country = codes.country;
    customer.name = orNoData(payer.get(KLI::PAV));
    return customer;
}

} // namespace

std::string Invoice::shownName() const {
    return number + " (" + formatDate(date) + ")";
}

std::string momentText(std::int64_t secondsSinceEpoch) {
    const std::time_t moment = secondsSinceEpoch;
    std::tm local{};
    localtime_r(&moment, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &local);
    return text;
}

std::optional<Register> compose(Context& context, Date from, Date to, std::string created) {
    Register isafRegister;
    isafRegister.created = std::move(created);
    isafRegister.software = thisProgram();
    isafRegister.registrationNumber = sellerCodes(context.database().istgPar()).code;
    isafRegister.from = from;
    isafRegister.to = to;

    const std::optional<std::map<Decimal, std::string>> taxCodes = vatRateCodes(context);
    if (!taxCodes) {
        return std::nullopt;
    }
    Table registrations(context, SAS::table, false);
    const OpenedTable registrationsOpen(registrations);
    Table payers(context, KLI::table, false);
    const OpenedTable payersOpen(payers);
    // The lines' file stays open while each registration's lines are summed.
    Table lines(context, SEI::table, false);
    const OpenedTable linesOpen(lines);

    // The registrations the invoice register lists for the period, in its order, read as of one moment.
    Globals period;
    period.PrDt = from;
    period.GalDt = to;
    Variables parameters;
    bindReportParameters(parameters, period);
    View view(registrations, &parameters);
    view.holdOneMoment();
    view.setOrder(std::string(SpSaskSuvData().order));
    view.setFilter(std::string(SpSaskSuvData().filter));
    std::map<std::string, std::size_t> bySeriesAndNumber;
    std::vector<invoice::Sums> sums;
    if (view.open() != StoreStatus::Ok) {
        return std::nullopt; // the view has said why
    }
    StoreStatus status = view.setToStart();
    while (status == StoreStatus::Ok && (status = view.next()) == StoreStatus::Ok) {
        const Record& registration = registrations.record();
        const std::string& series = registration.get(SAS::SaskSer);
        const std::int32_t number = registration.get(SAS::SaskNr);
        const auto [at, first] = bySeriesAndNumber.emplace(upper(series) + '\n' + std::to_string(number),
                                                           isafRegister.invoices.size());
        if (first) {
            Invoice invoice;
            invoice.number = series + std::to_string(number);
            invoice.date = registration.get(SAS::SaskDt);
            invoice.customer = customerOf(payers, registration, invoice.missingPayer);
            isafRegister.invoices.push_back(std::move(invoice));
            sums.emplace_back();
        }
        sums[at->second].add(invoice::linesOf(context, registration.get(SAS::IrasoNr)));
    }
    view.close();
    if (status != StoreStatus::EndOfData) {
        standardWarning(WarningReadError, Database::fileName(TableId::Saskait));
        return std::nullopt;
    }

    std::vector<Invoice> withLines;
    for (std::size_t i = 0; i < isafRegister.invoices.size(); ++i) {
        if (sums[i].byRate.empty()) {
            continue;
        }
        Invoice& invoice = isafRegister.invoices[i];
        for (const auto& [rate, part] : sums[i].byRate) {
            const auto code = taxCodes->find(rate);
            invoice.totals.push_back(
                {rate, code == taxCodes->end() ? std::string() : code->second, part.withoutVat, part.vat});
        }
        withLines.push_back(std::move(invoice));
    }
    isafRegister.invoices = std::move(withLines);
    return isafRegister;
}

} // namespace nakva::isaf
