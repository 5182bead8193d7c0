#include "reports/Isaf.h"

#include "data/Text.h"
#include "reference/CountryCodes.h"
#include "reference/VatRates.h"
#include "reports/Invoice.h"
#include "reports/XmlWriter.h"

#include <algorithm>
#include <set>

namespace nakva::isaf {

namespace {

// What the schema takes.
constexpr std::size_t MaxInvoices = 500000;
constexpr std::size_t MaxTotals = 100;
constexpr std::size_t MaxNumber = 70;       // InvoiceNo
constexpr std::size_t MaxCode = 35;         // VATRegistrationNumber, RegistrationNumber
constexpr std::size_t MaxName = 256;        // Name
constexpr std::size_t MaxRegistration = 11; // the seller's code: up to 11 digits
constexpr int AmountDigits = 18;            // every amount: 18 digits, 2 of them after the point

bool allDigits(std::string_view text) {
    return std::ranges::all_of(text, [](char c) { return c >= '0' && c <= '9'; });
}

class Finder {
public:
    void add(std::string where, std::string what) { found_.push_back({std::move(where), std::move(what)}); }
    std::vector<Problem> take() { return std::move(found_); }

    void seller(const std::string& code) {
        const std::string where = "Įstaigos duomenys";
        if (code.empty()) {
            add(where, "nerastas įmonės kodas: jį nurodykite lange „Nustatymai, įstaigos duomenys“ (eilutėje "
                       "„Įmonės kodas, PVM kodas:“ turi būti vienas 9 ar 11 skaitmenų kodas)");
        } else if (!allDigits(code) || code.size() > MaxRegistration) {
            add(where, "įmonės kodas „" + code + "“ netinka: jį sudaro ne daugiau kaip 11 skaitmenų");
        }
    }

    void period(Date from, Date to) {
        const std::string where = "Laikotarpis";
        const Date earliestStart = dateFromYmd(2016, 7, 1);
        const Date earliestEnd = dateFromYmd(2016, 10, 1);
        if (from == NoDate || to == NoDate) {
            add(where, "nenurodyta jo pradžia ar pabaiga");
        } else if (from > to) {
            add(where, "pradžia " + formatDate(from) + " vėlesnė už pabaigą " + formatDate(to));
        } else if (from < earliestStart) {
            add(where, "i.SAF registras pradėtas 2016-07-01: ankstesnio laikotarpio jame būti negali");
        } else if (to < earliestEnd) {
            add(where, "pabaiga turi būti ne ankstesnė kaip 2016-10-01");
        }
    }

    // Each rate without a code, or with one the register does not take, once, naming the first invoice
    // that uses it.
    void rates(const std::vector<Invoice>& invoices) {
        std::set<Decimal> told;
        for (const Invoice& invoice : invoices) {
            for (const DocumentTotal& total : invoice.totals) {
                if (isTaxCode(total.taxCode) || !told.insert(total.rate).second) {
                    continue;
                }
                const std::string where = "PVM tarifas " + invoice::rateText(total.rate) + " %";
                const std::string first = " (pirmoji sąskaita su juo — " + invoice.shownName() + ")";
                if (total.taxCode.empty()) {
                    add(where, "jam nėra i.SAF kodo sąraše „PVM tarifai ir i.SAF kodai“" + first);
                } else {
                    add(where, "jo i.SAF kodas „" + total.taxCode +
                                   "“ netinka: kodas rašomas raidėmis PVM ir skaičiumi, pvz. PVM1" + first);
                }
            }
        }
    }

    void invoice(const Invoice& invoice) {
        const std::string where = "Sąskaita " + invoice.shownName();
        if (invoice.number.empty()) {
            add(where, "nėra serijos ir numerio");
        } else if (charCount(invoice.number) > MaxNumber) {
            add(where, "serija ir numeris ilgesni nei " + std::to_string(MaxNumber) + " ženklų");
        }
        if (!XmlWriter::isXmlText(invoice.number)) {
            add(where, "serijoje yra ženklų, kurių i.SAF failas negali turėti");
        }
        if (!invoice.missingPayer.empty()) {
            add(where, "mokėtojo „" + invoice.missingPayer + "“ nėra mokėtojų sąraše");
        } else {
            customer(where, invoice.customer);
        }
        if (invoice.totals.size() > MaxTotals) {
            add(where, "daugiau kaip " + std::to_string(MaxTotals) + " skirtingų PVM tarifų");
        }
        for (const DocumentTotal& total : invoice.totals) {
            if (!total.taxableValue.fits(AmountDigits, 2) || !total.vat.fits(AmountDigits, 2)) {
                add(where, "tarifo " + invoice::rateText(total.rate) + " % suma per didelė");
            }
        }
    }

private:
    void customer(const std::string& where, const Customer& customer) {
        text(where, "pirkėjo PVM kodas", customer.vatCode, MaxCode);
        text(where, "pirkėjo kodas", customer.code, MaxCode);
        text(where, "pirkėjo pavadinimas", customer.name, MaxName);
        if (!customer.country.empty() && !isCountryCode(customer.country)) {
            add(where, "pirkėjo valstybės kodas „" + customer.country +
                           "“ netinka: tai dvi didžiosios raidės pagal ISO 3166-1 (pvz. LT)");
        }
    }

    void text(const std::string& where, const std::string& what, const std::string& value,
              std::size_t width) {
        if (charCount(value) > width) {
            add(where, what + " „" + value + "“ ilgesnis nei " + std::to_string(width) + " ženklų");
        }
        if (!XmlWriter::isXmlText(value)) {
            add(where, what + " turi ženklų, kurių i.SAF failas negali turėti");
        }
    }

    std::vector<Problem> found_;
};

} // namespace

std::vector<Problem> problems(const Register& isafRegister) {
    Finder finder;
    finder.seller(isafRegister.registrationNumber);
    finder.period(isafRegister.from, isafRegister.to);
    if (isafRegister.invoices.size() > MaxInvoices) {
        finder.add("Laikotarpis", "sąskaitų (" + std::to_string(isafRegister.invoices.size()) +
                                      ") daugiau, nei telpa viename faile (" + std::to_string(MaxInvoices) +
                                      ")");
    }
    finder.rates(isafRegister.invoices);
    for (const Invoice& invoice : isafRegister.invoices) {
        finder.invoice(invoice);
    }
    return finder.take();
}

} // namespace nakva::isaf
