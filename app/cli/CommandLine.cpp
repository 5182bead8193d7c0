#include "cli/CommandLine.h"

#include <algorithm>
#include <array>

namespace nakva {

namespace {

constexpr std::array<std::string_view, 19> ValuedOptions = {
    "--dir",          "--order",   "--filter", "--set",   "--format",
    "--field",        "--from",    "--to",     "--pdf",   "--wmf-dir",
    "--registration", "--service", "--payer",  "--group", "--service-group",
    "--service-name", "--keep",    "--code",   "--out"};
// Options without a value: given or not ("--yes").
constexpr std::array<std::string_view, 5> Flags = {"--yes", "--include-departed", "--without-prices",
                                                   "--no-check", "--spreadsheet"};

} // namespace

std::optional<CommandLine> CommandLine::parse(std::span<const std::string> words, std::string& error) {
    CommandLine line;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (word == "--help" || word == "-h") {
            line.help_ = true;
            continue;
        }
        if (word.size() < 2 || word[0] != '-' || word == "--") {
            if (line.command_.empty()) {
                line.command_ = word;
            } else {
                line.operands_.push_back(word);
            }
            continue;
        }
        const auto equals = word.find('=');
        const std::string name = word.substr(0, equals);
        if (std::ranges::find(Flags, name) != Flags.end()) {
            if (equals != std::string::npos) {
                error = "Parametras „" + name + "“ rašomas be reikšmės.";
                return std::nullopt;
            }
            line.options_.emplace_back(name, std::string());
            continue;
        }
        if (std::ranges::find(ValuedOptions, name) == ValuedOptions.end()) {
            error = "Nežinomas parametras „" + name + "“.";
            return std::nullopt;
        }
        if (equals != std::string::npos) {
            line.options_.emplace_back(name, word.substr(equals + 1));
        } else if (i + 1 < words.size()) {
            line.options_.emplace_back(name, words[++i]);
        } else {
            error = "Parametrui „" + name + "“ trūksta reikšmės.";
            return std::nullopt;
        }
    }
    return line;
}

std::optional<std::string> CommandLine::option(std::string_view name) const {
    std::optional<std::string> value;
    for (const auto& [option, given] : options_) {
        if (option == name) {
            value = given;
        }
    }
    return value;
}

std::vector<std::string> CommandLine::options(std::string_view name) const {
    std::vector<std::string> values;
    for (const auto& [option, given] : options_) {
        if (option == name) {
            values.push_back(given);
        }
    }
    return values;
}

std::string CommandLine::optionOutside(std::span<const std::string_view> allowed) const {
    for (const auto& [option, given] : options_) {
        if (std::ranges::find(allowed, option) == allowed.end()) {
            return option;
        }
    }
    return {};
}

} // namespace nakva
