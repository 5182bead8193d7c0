#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace nakva {

// A date as stored in every date field: a day number. Day 4 is 1801-01-01 (day 0 would be
// 1800-12-28) and each calendar day adds one; 0 means that no date is set. Day numbers are plain
// integers, so "the next day" is date + 1 and the nights of a stay are departure - arrival.
using Date = std::int32_t;

inline constexpr Date NoDate = 0;
inline constexpr int MinYear = 1801;
inline constexpr int MaxYear = 2099;

struct YearMonthDay {
    int year = 0;
    int month = 0; // 1..12
    int day = 0;   // 1..31

    friend bool operator==(const YearMonthDay&, const YearMonthDay&) = default;
};

bool isLeapYear(int year);            // Gregorian
int monthLength(int year, int month); // 28..31; 0 for a month outside 1..12

// True for a real calendar day within the supported years 1801..2099.
bool isValidDate(int year, int month, int day);

// The day number of a real calendar day (any Gregorian year); NoDate for an impossible one
// (2023-02-29, month 13).
Date dateFromYmd(int year, int month, int day);
Date dateFromYmd(const YearMonthDay& ymd);
// The calendar day of a day number; all zeros for NoDate.
YearMonthDay ymdFromDate(Date date);

int weekday(Date date);     // 0 = Sunday .. 6 = Saturday (the day number modulo 7)
Date monthStart(Date date); // the 1st of the date's month
Date monthEnd(Date date);   // the last day of the date's month
Date today();               // from the system clock, in local time

std::string formatDate(Date date);       // "2024-04-15"; blank (empty) for NoDate
std::string formatDateNarrow(Date date); // "24-04-15"; blank (empty) for NoDate

// What a user types into a date field: "2024-04-15", "2024.04.15", "2024/04/15" or "20240415";
// blanks around are ignored and an empty text is NoDate. An impossible date or a year outside
// 1801..2099 gives nullopt and, when `error` is given, a Lithuanian text saying why.
std::optional<Date> parseDate(std::string_view text, std::string* error = nullptr);

// The written form of printed documents: "2024 m. balandžio 15 d."; blank for NoDate.
std::string writtenDate(Date date);

// The genitive month names "sausio" .. "gruodžio" (UTF-8), January first.
const std::array<std::string_view, 12>& genitiveMonthNames();
std::string_view genitiveMonthName(int month); // 1..12; empty outside

} // namespace nakva
