#include "data/Date.h"

#include <chrono>
#include <cstdio>
#include <ctime>

namespace nakva {

namespace {

namespace chr = std::chrono;

// Day number 4 is 1801-01-01.
constexpr int DayNumberOffset =
    4 - chr::sys_days{chr::year{1801} / chr::January / 1}.time_since_epoch().count();

constexpr std::array<std::string_view, 12> GenitiveMonths = {
    "sausio", "vasario",   "kovo",    "balandžio", "gegužės",   "birželio",
    "liepos", "rugpjūčio", "rugsėjo", "spalio",    "lapkričio", "gruodžio",
};

Date fromSysDays(chr::sys_days days) {
    return static_cast<Date>(days.time_since_epoch().count() + DayNumberOffset);
}

chr::year_month_day toYmd(Date date) {
    return chr::year_month_day{chr::sys_days{chr::days{static_cast<long>(date) - DayNumberOffset}}};
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Reads n to maxDigits digits from text[pos] on; -1 when there are fewer than n.
int readNumber(std::string_view text, std::size_t& pos, int minDigits, int maxDigits) {
    int value = 0;
    int digits = 0;
    while (pos < text.size() && digits < maxDigits && isDigit(text[pos])) {
        value = value * 10 + (text[pos] - '0');
        ++pos, ++digits;
    }
    return digits >= minDigits ? value : -1;
}

} // namespace

bool isLeapYear(int year) {
    return chr::year{year}.is_leap();
}

int monthLength(int year, int month) {
    if (month < 1 || month > 12) {
        return 0;
    }
    const chr::year_month_day_last last{chr::year{year},
                                        chr::month_day_last{chr::month{static_cast<unsigned>(month)}}};
    return static_cast<int>(static_cast<unsigned>(last.day()));
}

bool isValidDate(int year, int month, int day) {
    return year >= MinYear && year <= MaxYear && month >= 1 && month <= 12 && day >= 1 &&
           day <= monthLength(year, month);
}

Date dateFromYmd(int year, int month, int day) {
    if (month < 1 || month > 12 || day < 1) {
        return NoDate;
    }
    const chr::year_month_day ymd{chr::year{year}, chr::month{static_cast<unsigned>(month)},
                                  chr::day{static_cast<unsigned>(day)}};
    if (!ymd.ok()) {
        return NoDate;
    }
    return fromSysDays(chr::sys_days{ymd});
}

Date dateFromYmd(const YearMonthDay& ymd) {
    return dateFromYmd(ymd.year, ymd.month, ymd.day);
}

YearMonthDay ymdFromDate(Date date) {
    if (date == NoDate) {
        return {};
    }
    const chr::year_month_day ymd = toYmd(date);
    return {static_cast<int>(ymd.year()), static_cast<int>(static_cast<unsigned>(ymd.month())),
            static_cast<int>(static_cast<unsigned>(ymd.day()))};
}

int weekday(Date date) {
    return ((date % 7) + 7) % 7;
}

Date monthStart(Date date) {
    if (date == NoDate) {
        return NoDate;
    }
    const YearMonthDay ymd = ymdFromDate(date);
    return date - (ymd.day - 1);
}

Date monthEnd(Date date) {
    if (date == NoDate) {
        return NoDate;
    }
    const YearMonthDay ymd = ymdFromDate(date);
    return date + (monthLength(ymd.year, ymd.month) - ymd.day);
}

Date today() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return dateFromYmd(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

namespace {

// Two digits of a number 0..99, written at `at` (lists write thousands of dates: no printf).
void twoDigits(std::string& text, std::size_t at, int number) {
    text[at] = char('0' + number / 10);
    text[at + 1] = char('0' + number % 10);
}

} // namespace

std::string formatDate(Date date) {
    if (date == NoDate) {
        return {};
    }
    const YearMonthDay ymd = ymdFromDate(date);
    if (ymd.year < 0 || ymd.year > 9999) {
        char text[24];
        std::snprintf(text, sizeof text, "%04d-%02d-%02d", ymd.year, ymd.month, ymd.day);
        return text;
    }
    std::string text = "0000-00-00";
    twoDigits(text, 0, ymd.year / 100);
    twoDigits(text, 2, ymd.year % 100);
    twoDigits(text, 5, ymd.month);
    twoDigits(text, 8, ymd.day);
    return text;
}

std::string formatDateNarrow(Date date) {
    if (date == NoDate) {
        return {};
    }
    const YearMonthDay ymd = ymdFromDate(date);
    std::string text = "00-00-00";
    twoDigits(text, 0, ((ymd.year % 100) + 100) % 100);
    twoDigits(text, 3, ymd.month);
    twoDigits(text, 6, ymd.day);
    return text;
}

std::optional<Date> parseDate(std::string_view text, std::string* error) {
    const auto fail = [&](std::string message) -> std::optional<Date> {
        if (error) {
            *error = std::move(message);
        }
        return std::nullopt;
    };
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return NoDate;
    }
    text = text.substr(first, text.find_last_not_of(' ') - first + 1);

    int year = -1;
    int month = -1;
    int day = -1;
    std::size_t pos = 0;
    if (text.size() == 8 && text.find_first_not_of("0123456789") == std::string_view::npos) {
        year = readNumber(text, pos, 4, 4);
        month = readNumber(text, pos, 2, 2);
        day = readNumber(text, pos, 2, 2);
    } else {
        year = readNumber(text, pos, 4, 4);
        const char separator = pos < text.size() ? text[pos] : '\0';
        if (year >= 0 && (separator == '-' || separator == '.' || separator == '/')) {
            month = readNumber(text, ++pos, 1, 2);
            if (month >= 0 && pos < text.size() && text[pos] == separator) {
                day = readNumber(text, ++pos, 1, 2);
            }
        }
        if (day < 0 || pos != text.size()) {
            return fail("Neteisinga data „" + std::string(text) +
                        "“: rašykite metus, mėnesį ir dieną, pvz. 2024-04-15.");
        }
    }
    if (year < MinYear) {
        return fail("Data negali būti ankstesnė negu 1801 metai.");
    }
    if (year > MaxYear) {
        return fail("Data negali būti vėlesnė negu 2099 metai.");
    }
    if (!isValidDate(year, month, day)) {
        return fail("Tokios datos nėra: „" + std::string(text) + "“.");
    }
    return dateFromYmd(year, month, day);
}

std::string writtenDate(Date date) {
    if (date == NoDate) {
        return {};
    }
    const YearMonthDay ymd = ymdFromDate(date);
    return std::to_string(ymd.year) + " m. " + std::string(genitiveMonthName(ymd.month)) + ' ' +
           std::to_string(ymd.day) + " d.";
}

const std::array<std::string_view, 12>& genitiveMonthNames() {
    return GenitiveMonths;
}

std::string_view genitiveMonthName(int month) {
    return month >= 1 && month <= 12 ? GenitiveMonths[month - 1] : std::string_view{};
}

} // namespace nakva
