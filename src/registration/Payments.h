#pragma once

#include "data/Date.h"
#include "ui/FormConfig.h"
#include "ui/ListConfig.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace nakva {

class Context;
class FormEngine;

// The payment method's name (MOK1:MOKBUDOPAV) of a method number; blank when the number is 0 or
// nothing is found. The payer's name is registration's payerName.
std::string methodName(Context& context, std::int32_t method);

// Payments: the money received against a registration's invoice (`Mokej`), by a payment document
// numbered within its series. Entered on the registration form's "Apmokėjimas" tab and in the payments
// list "MOKĖJIMŲ ĮRAŠAI", whose form chooses the invoice in "PASIRINKITE SĄSKAITĄ:".

// Where the payment form is opened: from the registration form (the payment belongs to the
// registration on the form, whose edited values stand in the registration buffer), or from the
// payments list (the registration is chosen by its number).
enum class PaymentVariant { Registration, List };

// The payment form `RedMokej` "MOKĖJIMO ĮRAŠAS". A new payment is dated on the working date and
// numbered in its (blank) series; from the registration form it takes the registration's payer and
// invoice total. The record added at opening holds no amount until it is saved. A document number the
// rule gave and another station took meanwhile is moved on when the payment is saved; a typed one
// stays as typed.
FormConfig RedMokej(PaymentVariant variant);

// The comment a payment gets when the user reaches an empty comment field: "Apmokėjimas už paslaugas
// pagal sąskaitą A 15 2024-04-15." for series A, number 15 and date 2024-04-15.
std::string paymentComment(std::string_view series, std::int32_t number, Date date);

// The payments list `SarMokej` "MOKĖJIMŲ ĮRAŠAI": by date, by payer, by payment method, each row with
// its registration's invoice date, series and number.
ListConfig SarMokej();
inline constexpr std::string_view PaymentPayerVariable = "LOC:MokKod";
inline constexpr std::string_view PaymentMethodVariable = "LOC:MokBudoID";
inline constexpr int PaymentPayerTab = 1;
inline constexpr int PaymentMethodTab = 2;

// The invoice selection list `SelectSaskait` "PASIRINKITE SĄSKAITĄ:" over every registration, departed
// ones included: by number, by date, by payer, by invoice number.
ListConfig SelectSaskait();
inline constexpr std::string_view InvoicePayerVariable = "LOC:KliKod";
inline constexpr int InvoicePayerTab = 2;

} // namespace nakva
