#pragma once

#include "data/Date.h"
#include "data/Decimal.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace nakva {

class Context;

// The tax authority's register of issued VAT invoices (i.SAF, version iSAF1.2, data type S): which
// invoices of a period it holds and with what, the checks of what its schema demands, and the XML
// document. Headless; the menu procedure and `nakva-cli isaf` run it (IsafExport.h).
namespace isaf {

inline constexpr std::string_view FileVersion = "iSAF1.2";
inline constexpr std::string_view Namespace = "http://www.vmi.lt/cms/imas/isaf";
// What the register writes for a value nobody has ("nėra duomenų").
inline constexpr std::string_view NoData = "ND";

// The software that made the file, as its header names it.
struct Software {
    std::string maker;
    std::string name;
    std::string version;
};
// NAKVA's own: its maker, its name and the version it was built as.
Software thisProgram();

// The buyer as the register names it: the VAT code with its country's prefix or ND; the company or
// personal code, or ND when there is neither a VAT code nor a code (beside a VAT code it may be
// empty); the country (ISO 3166-1 alpha-2; empty when not known, written as nil); the name or ND.
struct Customer {
    std::string vatCode;
    std::string code;
    std::string country;
    std::string name;
};

// The lines of one VAT rate on an invoice: their amount without VAT and their VAT, to the cent, and
// the rate's tax code from the list "PVM tarifai ir i.SAF kodai" (empty when the list has none).
struct DocumentTotal {
    Decimal rate;
    std::string taxCode;
    Decimal taxableValue;
    Decimal vat;
};

// One issued invoice: one series and number, over every registration of the period that carries it.
struct Invoice {
    std::string number; // InvoiceNo: the series and the number without a blank, "AB15"
    Date date = NoDate; // the invoice date of its first registration
    Customer customer;
    // The payer code its registration names that the payers' list does not hold: the buyer is unknown.
    std::string missingPayer;
    std::vector<DocumentTotal> totals; // ascending rates, one per rate its lines carry

    // How messages name it: "AB15 (2026-12-07)".
    std::string shownName() const;
};

struct Register {
    std::string created; // FileDateCreated: "2026-12-09T10:15:30"
    Software software;
    std::string registrationNumber; // the seller's company code
    Date from = NoDate;
    Date to = NoDate;
    std::vector<Invoice> invoices;
};

// A problem that stops the file, with what it belongs to: the institution's data, the period, a VAT
// rate (naming the first invoice that uses it) or an invoice.
struct Problem {
    std::string where; // "Sąskaita AB15 (2026-12-07)", "PVM tarifas 12 %", "Įstaigos duomenys"
    std::string what;
    std::string text() const { return where + ": " + what; }
};

// The register of the invoices dated from `from` to `to`, selected as the invoice register report
// "Sąskaitų suvestinė pagal datas" selects them, in its order; registrations of one series and number
// make one invoice (series compared without letter case), its amounts the sums of their lines by VAT
// rate as the printed invoice sums them. An invoice with no lines has no amount to register and is left
// out. The seller is the institution in the database's shared IstgPar record; `created` is the moment
// it is made. Nothing after a message when a file could not be read.
std::optional<Register> compose(Context& context, Date from, Date to, std::string created);

// Everything in the register that its schema or the tax authority's rules do not take, file-wide
// problems first, then each VAT rate without a code once, then the invoices in order.
std::vector<Problem> problems(const Register& isafRegister);

// The XML document (UTF-8) of a register that has no problems.
std::string document(const Register& isafRegister);

// "2026-12-09T10:15:30": a moment in local time as FileDateCreated takes it.
std::string momentText(std::int64_t secondsSinceEpoch);

} // namespace isaf

} // namespace nakva
